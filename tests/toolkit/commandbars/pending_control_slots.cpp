// Links the test programs while the slots below are not built: their rules read bar and control
// properties (text orientation, keyboard cues, text below icons, large icons, popup grippers,
// borders) that the bars do not have yet. Empty; no test calls them. Goes when they are built.
#include "commandbars/ZPPaintManager.h"
CSize CZPPaintManager::DrawControlInPopup(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
CSize CZPPaintManager::DrawControlOnToolBar(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
CSize CZPPaintManager::DrawComboBoxControl(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
CSize CZPPaintManager::DrawEditControl(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
CSize CZPPaintManager::DrawBarGripper(CDC*, CZPCommandBar*, BOOL)
{
    return CSize();
}
CRect CZPPaintManager::GetBarBorders(CZPCommandBar*)
{
    return CRect();
}
int CZPPaintManager::AnimatePopupExpansion(CZPPopupBar*, CDC*, CDC*, BOOL)
{
    return 0;
}
BOOL CZPPaintManager::IsFlatBar(CZPCommandBar*)
{
    return 0;
}
