// Links the test program while the control and bar classes are not on this branch: the slots
// that measure and draw controls and bars, empty. Never called by these tests; goes when the
// real definitions land.
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
COLORREF CZPPaintManager::GetEditBackColor(CZPControl*)
{
    return 0;
}
CSize CZPPaintManager::DrawEditControl(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
void CZPPaintManager::DrawControlBackground(CDC*, CZPControl*) {}
COLORREF CZPPaintManager::GetControlTextColor(CZPControl*)
{
    return 0;
}
CSize CZPPaintManager::DrawBarGripper(CDC*, CZPCommandBar*, BOOL)
{
    return CSize();
}
CSize CZPPaintManager::DrawBuiltInButton(CDC*, int, CZPControl*, CZPCommandBar*, BOOL, void*)
{
    return CSize();
}
CRect CZPPaintManager::GetBarBorders(CZPCommandBar*)
{
    return CRect();
}
CRect CZPPaintManager::GetSplitCommandRect(CZPControl*)
{
    return CRect();
}
CFont* CZPPaintManager::GetControlFont(CZPControl*)
{
    return NULL;
}
CFont* CZPPaintManager::GetBarFont(CZPCommandBar*)
{
    return NULL;
}
int CZPPaintManager::GetTextOrientation(CZPControl*)
{
    return 0;
}
int CZPPaintManager::AnimatePopupExpansion(CZPPopupBar*, CDC*, CDC*, BOOL)
{
    return 0;
}
int CZPPaintManager::GetPopupIconColumnWidth(CZPCommandBar*)
{
    return 0;
}
BOOL CZPPaintManager::IsFlatBar(CZPCommandBar*)
{
    return 0;
}
CSize CZPPaintManager::GetPopupIconCellSize(CZPCommandBar*)
{
    return CSize();
}
