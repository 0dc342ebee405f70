// The program's main window: a frame with the menu and accelerators of resource 128 whose
// client is the main view.
#pragma once

#include <framework/frame.h>

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    DECLARE_MESSAGE_MAP()
};
