// Links the test programs while the slots below are not built: combo boxes and edit controls on
// bars come with those controls. Empty; no test calls them. Goes when they are built.
#include "commandbars/ZPPaintManager.h"
CSize CZPPaintManager::DrawComboBoxControl(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
CSize CZPPaintManager::DrawEditControl(CDC*, CZPControl*, BOOL)
{
    return CSize();
}
