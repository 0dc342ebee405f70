// The "[Custom Skins]" placeholder of the Skins popup: before each layout of a popup that holds
// it, it hides itself and puts one temporary button per skin file of the main frame after itself.
// On toolbars and menu bars, and in customize mode, it stays a plain button.
#pragma once

#include <commandbars/ZPControlButton.h>

class CControlSkin : public CZPControlButton
{
    DECLARE_SERIAL(CControlSkin)
public:
    void OnBeforeLayout(UINT nLayoutMode) override;
    // Only popups take it: pTarget is a control of the bar it would be dropped on.
    BOOL IsCustomizeDropAllowed(CZPControl* pTarget) override;
};
