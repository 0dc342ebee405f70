// Shared fixtures of the command-bar tests.
#include "commandbars_test_support.h"

#include "commandbars/ZPPaintManager.h"

#include <framework/messages.h>

IMPLEMENT_DYNCREATE(CTestControl, CZPControlButton)

int CTestControl::s_nLive = 0;

CTestControl::CTestControl() : m_size(23, 22), m_nMeasured(0)
{
    ++s_nLive;
}

CTestControl::~CTestControl()
{
    --s_nLive;
}

namespace {
const wchar_t kSiteClass[] = L"TolvaneCommandBarsTestSite";

LRESULT CALLBACK SiteProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CTestSite* pSite = reinterpret_cast<CTestSite*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pSite != NULL && ((message >= ZpMsgBarVisibility && message <= ZpMsgRibbonMinimized) || message == WM_COMMAND ||
                          message == WM_SETMESSAGESTRING || message == WM_POPMESSAGESTRING)) {
        pSite->m_messages.push_back({ message, wParam, lParam });
        try {
            return pSite->m_answer ? pSite->m_answer(message, wParam, lParam) : 0;
        } catch (...) {
            return 0;  // nothing crosses a window procedure
        }
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
}  // namespace

CTestSite::CTestSite()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SiteProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = kSiteClass;
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, kSiteClass, L"site", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL, wc.hInstance, NULL);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CTestSite::~CTestSite()
{
    ::DestroyWindow(m_hWnd);
}

int CTestSite::Count(UINT message) const
{
    int n = 0;
    for (const ZpRecordedMessage& m : m_messages)
        n += m.message == message ? 1 : 0;
    return n;
}

CProcessPaintManagerScope::CProcessPaintManagerScope() : m_bInstalledBefore(ZpGetInstalledPaintManager() != NULL) {}

CProcessPaintManagerScope::~CProcessPaintManagerScope()
{
    if (!m_bInstalledBefore)
        ZpSetPaintManager(NULL);
}

namespace {
const wchar_t kStepClass[] = L"TolvaneCommandBarsTestSteps";
const UINT kStepMessage = WM_APP + 0x51;
}  // namespace

CTestStepWindow::CTestStepWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = kStepClass;
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, kStepClass, L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CTestStepWindow::~CTestStepWindow()
{
    ::DestroyWindow(m_hWnd);
}

void CTestStepWindow::Post(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
    ::PostMessageW(m_hWnd, kStepMessage, 0, 0);
}

LRESULT CALLBACK CTestStepWindow::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CTestStepWindow* pThis = reinterpret_cast<CTestStepWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message != kStepMessage || pThis == NULL || pThis->m_nRun >= pThis->m_steps.size())
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    try {
        pThis->m_steps[pThis->m_nRun++]();
    } catch (...) {
    }
    return 0;
}

VARIANT ZpTestChildId(long nChild)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = nChild;
    return v;
}

MSG ZpTestKeyMessage(HWND hWnd, UINT message, WPARAM vk)
{
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = 1;
    return msg;
}

void ZpTestSendKey(WORD vk, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(input));
}

CZPCommandBar* ZpTestCreateCaptionedBar(HWND hWndSite, const std::vector<LPCWSTR>& captions, int nPerRow,
                                        DWORD dwExStyle)
{
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->CreateEx(dwExStyle, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 300, 100, NULL, NULL);
    pBar->SetCommandTarget(hWndSite);
    pBar->SetSiteWindow(hWndSite);
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
        pControl->SetID(100 + i);
        pControl->SetCaption(captions[static_cast<size_t>(i)]);
        pControl->SetRect(CRect(CPoint((i % nPerRow) * 30, (i / nPerRow) * 20), CSize(30, 20)));
    }
    return pBar;
}
