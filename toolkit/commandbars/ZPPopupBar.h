// A popup menu bar. So far only its identity: it is a popup (type 2, position 5) and knows the
// control that opens it. Positioning, tracking, scrolling and tear-off come later.
#pragma once

#include "commandbars/ZPCommandBar.h"

class CZPPopupBar : public CZPCommandBar
{
    DECLARE_DYNCREATE(CZPPopupBar)
public:
    CZPPopupBar();
    ~CZPPopupBar() override;

    CZPControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CZPControl* pControl) { m_pControlPopup = pControl; }
    // Two icon columns (a check column beside the icon column).
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDouble) { m_bDoubleGripper = bDouble; }

    CZPCommandBar* GetParentBar() const override;
    BOOL IsPopupBar() const override;

protected:
    CZPControl* m_pControlPopup;  // borrowed: the popup control that owns this bar
    BOOL m_bDoubleGripper;
};

// A new popup bar (one reference, for the caller) for the command bars, which may be NULL.
CZPPopupBar* ZpCreatePopupBar(CZPCommandBars* pCommandBars);
