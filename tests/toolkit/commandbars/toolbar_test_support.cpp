// Fixtures of the toolbar and docking tests.
#include "toolbar_test_support.h"

#include "commandbars/ZPPaintManager.h"

namespace {
class CReportingFrame : public CFrameWnd
{
public:
    explicit CReportingFrame(CTestFrame* pOwner) : m_pOwner(pOwner) {}
    CTestFrame* m_pOwner;  // borrowed: outlives the window

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= ZpMsgBarVisibility && message <= ZpMsgRibbonMinimized && m_pOwner != NULL &&
            m_pOwner->m_onMessage)
            m_pOwner->m_onMessage(message, wParam, lParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

void AddTestControls(CZPCommandBar* pBar, int nCount, CSize size)
{
    for (int i = 0; i < nCount; ++i) {
        CTestControl* pControl = new CTestControl;
        pControl->m_size = size;
        pBar->GetControls()->AddControl(pControl, 1000 + i);
    }
}

CTestFrame::CTestFrame(CRect rc) : m_hWnd(NULL), m_bHadPaintManager(ZpGetInstalledPaintManager() != NULL)
{
    CReportingFrame* pFrame = new CReportingFrame(this);
    // The frame deletes itself when its window goes.
    if (pFrame->Create(NULL, L"frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rc))
        m_hWnd = pFrame->GetSafeHwnd();
}

CTestFrame::~CTestFrame()
{
    if (CFrameWnd* pFrame = Frame())
        static_cast<CReportingFrame*>(pFrame)->m_pOwner = NULL;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (!m_bHadPaintManager && ZpGetInstalledPaintManager() != NULL)
        ZpReleasePaintManager();
}

CFrameWnd* CTestFrame::Frame() const
{
    return m_hWnd != NULL ? static_cast<CFrameWnd*>(CWnd::FromHandlePermanent(m_hWnd)) : NULL;
}
