// The MDI tab client window of a frame with command bars: its group menu is a command-bars popup
// and it knows when a command-bars popup holds the mouse.
#pragma once

#include "tabmanager/ZPTabClientWnd.h"

class CZPCommandBars;

class CZPCommandBarsTabClientWnd : public CZPTabClientWnd
{
public:
    explicit CZPCommandBarsTabClientWnd(CZPCommandBars* pCommandBars);

    BOOL IsMouseLocked() const override;
    // The workspace actions and Cancel (9159) in a popup bar tracked at the point, owned by the frame.
    void TrackGroupMenu(CPoint ptScreen) override;

private:
    CZPCommandBars* m_pCommandBars;  // borrowed: the frame's command bars outlive the client
};
