// The command bars' keyboard: letter keys through a toolkit frame whose shortcut manager holds the
// table against a plain frame translating the same table with TranslateAcceleratorW; the controls
// one arrow key redraws; 100 keyboard tips shown against 100 plain popup windows. Needs a display.
// Usage: commandbars_keyboard_bench [messages]
#include "BenchClock.h"
#include "CountingBar.h"

#include "commandbars/ZPCommandBarKeyboardTip.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPFrameWnd.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

namespace {
const int kRounds = 5;
const int kTips = 100;
const int kApplicationRecords = 24;
const int kLargeRecords = 500;

// A table of nCount shortcuts none of which a plain letter hits: modifier letters, function keys.
std::vector<ACCEL> MakeTable(int nCount)
{
    const BYTE modifiers[] = { FCONTROL, FALT, FCONTROL | FSHIFT, FCONTROL | FALT, FSHIFT | FALT };
    std::vector<ACCEL> table;
    for (int i = 0; i < nCount; ++i) {
        ACCEL accel = {};
        accel.fVirt = static_cast<BYTE>(FVIRTKEY | modifiers[i % 5]);
        accel.key = static_cast<WORD>(i % 2 == 0 ? 'A' + (i / 5) % 26 : VK_F1 + (i / 5) % 12);
        accel.cmd = static_cast<WORD>(1000 + i);
        table.push_back(accel);
    }
    return table;
}

// Feeds nMessages letter key-downs to the frame's pre-translation; milliseconds.
double FeedLetters(CFrameWnd* pFrame, int nMessages)
{
    MSG msg = {};
    msg.hwnd = pFrame->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.lParam = 1;
    int nTaken = 0;
    const double t0 = BenchNowMs();
    for (int i = 0; i < nMessages; ++i) {
        msg.wParam = 'A' + i % 26;
        nTaken += pFrame->PreTranslateMessage(&msg) ? 1 : 0;
    }
    const double dElapsed = BenchNowMs() - t0;
    if (nTaken != 0)
        printf("  (unexpected: %d letters translated)\n", nTaken);
    return dElapsed;
}

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void CompareKeyTranslation(const char* pszName, int nRecords, int nMessages, int nRounds)
{
    const std::vector<ACCEL> table = MakeTable(nRecords);
    CZPFrameWnd* pToolkit = new CZPFrameWnd;
    pToolkit->Create(NULL, L"toolkit", WS_OVERLAPPEDWINDOW);
    pToolkit->CreateCommandBarsObject();
    pToolkit->GetCommandBars()->GetShortcutManagerObject()->SetAccelerators(table.data(), nRecords);
    CFrameWnd* pPlain = new CFrameWnd;
    pPlain->Create(NULL, L"plain", WS_OVERLAPPEDWINDOW);
    HACCEL hAccel = ::CreateAcceleratorTableW(const_cast<ACCEL*>(table.data()), nRecords);
    pPlain->m_hAccelTable = hAccel;

    std::vector<double> toolkit, plain;
    FeedLetters(pToolkit, nMessages / 100);
    FeedLetters(pPlain, nMessages / 100);
    for (int i = 0; i < nRounds; ++i) {
        plain.push_back(FeedLetters(pPlain, nMessages));
        toolkit.push_back(FeedLetters(pToolkit, nMessages));
    }
    const double dToolkit = Median(toolkit), dPlain = Median(plain);
    printf("  %-52s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= 1.0x)\n", pszName, dToolkit, dPlain,
           dPlain > 0 ? dToolkit / dPlain : 0.0);
    pPlain->m_hAccelTable = NULL;
    ::DestroyAcceleratorTable(hAccel);
    pPlain->DestroyWindow();
    pToolkit->DestroyWindow();
}

CCountingBar* MakeBar(CZPCommandBars* pCommandBars, int nControls)
{
    CCountingBar* pBar = new CCountingBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 300, 1000, 60, NULL, NULL);
    pBar->SetCommandBars(pCommandBars);
    pBar->SetPosition(zpBarTop);
    for (int i = 0; i < nControls; ++i) {
        CZPControl* pControl = pBar->GetControls()->Add(zpControlButton, 1000 + i);
        CString strCaption;
        strCaption.Format(L"Item %c%d", L'A' + i % 26, i);
        pControl->SetCaption(strCaption);
        pControl->SetRect(CRect((i % 40) * 24, (i / 40) * 24, (i % 40) * 24 + 23, (i / 40) * 24 + 22));
    }
    return pBar;
}

int RepaintsPerArrowKey(int nControls)
{
    CCountingBar* pBar = MakeBar(NULL, nControls);
    pBar->HighlightControlAt(nControls / 2, 2);
    pBar->m_nRepaints = 0;
    pBar->ProcessTrackingKey(VK_RIGHT, 1);
    const int nRepaints = pBar->m_nRepaints;
    pBar->DestroyWindow();
    pBar->InternalRelease();
    return nRepaints;
}

double ShowPlainPopups(HWND hWndOwner)
{
    LPCWSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(NULL, IDC_ARROW));
    std::vector<HWND> windows;
    const double t0 = BenchNowMs();
    for (int i = 0; i < kTips; ++i) {
        HWND hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, lpszClass, L"A", WS_POPUP, (i % 40) * 24, 300, 16, 15,
                                      hWndOwner, NULL, ::GetModuleHandleW(NULL), NULL);
        ::SetWindowPos(hWnd, HWND_TOPMOST, (i % 40) * 24, 300, 16, 15, SWP_NOACTIVATE);
        windows.push_back(hWnd);
    }
    for (HWND hWnd : windows)
        ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    for (HWND hWnd : windows)
        ::DestroyWindow(hWnd);
    return BenchNowMs() - t0;
}

void CompareKeyboardTips()
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    pCommandBars->GetCommandBarsOptions()->m_bKeyboardTips = TRUE;
    CCountingBar* pBar = MakeBar(pCommandBars, kTips);
    std::vector<double> tips, plain;
    for (int i = 0; i < kRounds; ++i) {
        plain.push_back(ShowPlainPopups(pBar->GetSafeHwnd()));
        const double t0 = BenchNowMs();
        pCommandBars->ShowKeyboardTipsForBar(pBar, 1);
        pCommandBars->DestroyKeyboardTips();
        tips.push_back(BenchNowMs() - t0);
    }
    const double dTips = Median(tips), dPlain = Median(plain);
    printf("  %-52s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= 1.5x)\n",
           "100 keyboard tips shown (peer: 100 plain popups)", dTips, dPlain, dPlain > 0 ? dTips / dPlain : 0.0);
    pBar->DestroyWindow();
    pBar->InternalRelease();
    pCommandBars->InternalRelease();
}
}  // namespace

int main(int argc, char** argv)
{
    const int nMessages = argc > 1 ? atoi(argv[1]) : 100000;
    printf("command bars: keyboard, %d letter key messages a round\n", nMessages);
    CompareKeyTranslation("letters through the frame, application table (peer: TranslateAcceleratorW)",
                          kApplicationRecords, nMessages, kRounds);
    // The peer copies its whole table for every key: one round of it takes a minute and more.
    CompareKeyTranslation("letters through the frame, 500 records (peer: TranslateAcceleratorW)", kLargeRecords,
                          nMessages, 1);
    for (int nControls : { 10, 500 })
        printf("  controls redrawn by one arrow key, bar of %d: %d (goal <= 2)\n", nControls,
               RepaintsPerArrowKey(nControls));
    CompareKeyboardTips();
    return 0;
}
