// Fixtures of the toolbar and docking tests.
#include "toolbar_test_support.h"

#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPToolBar.h"

namespace {
const UINT kCustomizeCommand = 35001;

class CReportingFrame : public CFrameWnd
{
public:
    explicit CReportingFrame(CTestFrame* pOwner) : m_pOwner(pOwner) {}
    CTestFrame* m_pOwner;  // borrowed: outlives the window

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == kCustomizeCommand && nCode == CN_COMMAND && m_pOwner != NULL && m_pOwner->m_bCustomizeCommand)
            return TRUE;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

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

CStepDriver::CStepDriver()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"TolvaneDockStepDriver";
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CStepDriver::~CStepDriver()
{
    ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CStepDriver::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CStepDriver* pThis = reinterpret_cast<CStepDriver*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message != WM_APP || pThis == NULL || pThis->m_nNext >= pThis->m_steps.size())
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    try {
        pThis->m_steps[pThis->m_nNext++]();
    } catch (...) {
    }
    ::PostMessageW(hWnd, WM_APP, 0, 0);
    return 0;
}

void PostMouse(CZPToolBar* pBar, UINT message, CPoint ptScreen)
{
    ::ScreenToClient(pBar->GetSafeHwnd(), &ptScreen);
    ::PostMessageW(pBar->GetSafeHwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                   MAKELPARAM(ptScreen.x, ptScreen.y));
}
