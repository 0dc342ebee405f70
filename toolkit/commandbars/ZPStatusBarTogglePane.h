// A status-bar pane that shows a row of switches: small icon buttons, each sending its own
// command to the bar's parent when clicked, drawn through the paint manager's switch drawing.
#pragma once

#include "commandbars/ZPStatusBar.h"

// One switch of a toggle pane.
struct ZP_STATUS_SWITCH
{
    UINT nID;  // command sent on a click; also the icon's id
    int nWidth;
    BOOL bChecked;
    BOOL bSelected;  // under the mouse
    BOOL bPressed;
    BOOL bEnabled;
};

class CZPStatusBarTogglePane : public CZPStatusBarPane
{
    DECLARE_DYNAMIC(CZPStatusBarTogglePane)
public:
    CZPStatusBarTogglePane();

    // Appends a switch (enabled, unchecked); its index.
    int AddSwitch(UINT nID);
    void RemoveAllSwitches();
    int GetSwitchCount() const { return static_cast<int>(m_arrSwitches.GetSize()); }
    // The record at nIndex; an index out of range throws the invalid-argument exception.
    ZP_STATUS_SWITCH& GetSwitch(int nIndex);
    void SetSwitchChecked(int nIndex, BOOL bChecked);
    void SetSwitchEnabled(int nIndex, BOOL bEnabled);
    // The switch under a point in bar coordinates, or -1.
    int HitTestSwitch(CPoint point) const;
    // The switch's rect in bar coordinates (empty when the pane is not shown).
    CRect GetSwitchRect(int nIndex) const;

    // The measured width of the switches unless a fixed width is set.
    int GetWidth() override;
    void Draw(CDC* pDC, CRect rc) override;
    // Presses the switch under the point; a release over it sends its command.
    void OnLButtonDown(CPoint point) override;
    // Marks the switch under the point as selected; (-1, -1) clears it.
    void OnMouseMove(CPoint point) override;

private:
    void InvalidateSwitch(int nIndex);

    CArray<ZP_STATUS_SWITCH, const ZP_STATUS_SWITCH&> m_arrSwitches;
    int m_nPressedSwitch;  // -1 outside a press
};
