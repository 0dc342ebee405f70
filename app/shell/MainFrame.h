// The program's main window: a frame with the menu and accelerators of resource 128 whose
// client is the main view. It shows itself where it was last closed.
#pragma once

#include <framework/frame.h>

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Shows the frame in its saved placement and show state, or SW_SHOW when none is saved;
    // the process's show command plays no part.
    void ShowWithSavedPlacement(int nCmdShow);

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnDestroy();

    // Set while a close runs: the placement is saved only when that close destroys the frame.
    BOOL m_bClosing;

    DECLARE_MESSAGE_MAP()
};
