// The program's main window: the toolkit frame with a menu bar and the "Standard" toolbar in a
// rebar beside a logo link, and a status bar with the editor's indicator panes. The bar layout,
// the rebar bands and the placement are read when it is made and written when it closes.
#pragma once

#include <framework/gdi.h>

#include <commandbars/ZPFrameWnd.h>
#include <commandbars/ZPReBar.h>
#include <commandbars/ZPStatusBar.h>

#include "about/WebLink.h"

class CMainFrame : public CZPFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Shows the frame in its saved placement and show state, or SW_SHOW when none is saved;
    // the process's show command plays no part.
    void ShowWithSavedPlacement(int nCmdShow);

    CZPStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CZPReBar& GetReBar() { return m_wndReBar; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnDestroy();
    // Customize command: its handler being present is what makes the bars store their controls.
    void OnCustomize();

    CZPStatusBar m_wndStatusBar;
    CWebLink m_wndLogo;
    CBitmap m_bmpLogo;  // the logo link's picture; the static only borrows it
    CZPReBar m_wndReBar;
    // Set while a close runs: the state is saved only when that close destroys the frame.
    BOOL m_bClosing;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateCommandBarsAndBands();
};
