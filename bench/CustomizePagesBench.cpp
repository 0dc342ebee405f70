// The customize pages: switching the Commands page to a category of 2,000 commands (filled and
// painted) against a plain owner-draw list box filled and painted with the same captions; and the
// Keyboard page listing a command's assignments from a table of N and of 10 N records (linear).
// Needs a display.
#include "BenchClock.h"
#include "BenchTiming.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeCommandsPage.h"
#include "commandbars/ZPCustomizeKeyboardPage.h"
#include "commandbars/ZPShortcutManager.h"

#include <framework/dialog.h>
#include <framework/frame.h>

#include <stdio.h>

#include <vector>

namespace {

const int kRounds = 9;
const int kCommands = 2000;
const int kRecords = 1000;
const int kRecordGrowth = 10;
const int kListWidth = 300;
const int kListHeight = 400;
const int kItemHeight = 22;

std::vector<CString> MakeCaptions()
{
    std::vector<CString> captions;
    for (int i = 0; i < kCommands; ++i) {
        CString strCaption;
        strCaption.Format(L"&Command %c%d", L'A' + i % 26, i);
        captions.push_back(strCaption);
    }
    return captions;
}

// The peer: a plain owner-draw list whose parent draws each caption on the window colour.
const std::vector<CString>* g_pCaptions = NULL;

LRESULT CALLBACK PeerParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->itemHeight = kItemHeight;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        const DRAWITEMSTRUCT* pDIS = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (static_cast<int>(pDIS->itemID) >= 0) {
            RECT rc = pDIS->rcItem;
            ::FillRect(pDIS->hDC, &rc,
                       ::GetSysColorBrush((pDIS->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            rc.left += 26;
            const CString& strCaption = (*g_pCaptions)[pDIS->itemData];
            ::SetBkMode(pDIS->hDC, TRANSPARENT);
            ::DrawTextW(pDIS->hDC, strCaption, strCaption.GetLength(), &rc, DT_SINGLELINE | DT_VCENTER);
        }
        return TRUE;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

double SwitchPlainList(HWND hWndList)
{
    const double t0 = BenchNowMs();
    ::SendMessageW(hWndList, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hWndList, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(hWndList, LB_INITSTORAGE, kCommands, 0);
    for (int i = 0; i < kCommands; ++i)
        ::SendMessageW(hWndList, LB_ADDSTRING, 0, i);
    ::SendMessageW(hWndList, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hWndList, NULL, TRUE);
    ::UpdateWindow(hWndList);
    return BenchNowMs() - t0;
}

void SelectCategory(CZPCustomizeCommandsPage& page, int nIndex)
{
    page.m_lstCategories.SetCurSel(nIndex);
    ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.m_lstCategories.GetSafeHwnd()));
    page.m_lstCommands.UpdateWindow();
}

void CompareCategorySwitch(CWnd* pFrame, CZPCommandBars* pCommandBars)
{
    const std::vector<CString> captions = MakeCaptions();
    g_pCaptions = &captions;

    CZPCustomizeCommandsPage page(pCommandBars);
    page.AddCategory(L"Small", NULL);
    CZPControls* pBig = page.AddCategory(L"Big", NULL)->pControls;
    for (int i = 0; i < kCommands; ++i)
        pBig->Add(zpControlButton, 1000 + i)->SetCaption(captions[static_cast<size_t>(i)]);
    CPropertySheet sheet(L"Customize", pFrame);
    sheet.AddPage(&page);
    sheet.Create(pFrame);
    sheet.ShowWindow(SW_SHOW);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = PeerParentProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"TolvaneBenchPeerParent";
    ::RegisterClassW(&wc);
    HWND hWndParent = ::CreateWindowExW(0, wc.lpszClassName, L"peer", WS_POPUP | WS_VISIBLE, 400, 0, kListWidth + 20,
                                        kListHeight + 20, NULL, NULL, wc.hInstance, NULL);
    HWND hWndList = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", NULL,
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, 0,
                                      0, kListWidth, kListHeight, hWndParent, NULL, wc.hInstance, NULL);

    std::vector<double> ours, peer;
    for (int i = 0; i < kRounds; ++i) {
        SelectCategory(page, 0);
        const double t0 = BenchNowMs();
        SelectCategory(page, 1);
        ours.push_back(BenchNowMs() - t0);
        ::SendMessageW(hWndList, LB_RESETCONTENT, 0, 0);
        peer.push_back(SwitchPlainList(hWndList));
    }
    if (page.m_lstCommands.GetCount() != kCommands)
        printf("  (unexpected: %d commands listed)\n", page.m_lstCommands.GetCount());
    BenchPrintRatio("commands page: switch to 2,000 commands", BenchMedian(ours), BenchMedian(peer), 2.0);
    ::DestroyWindow(hWndParent);
    sheet.DestroyWindow();
    g_pCaptions = NULL;
}

// Milliseconds to list the assignments of the selected command from a table of nRecords, one
// record in ten belonging to it.
double ListAssignments(CWnd* pFrame, CZPCommandBars* pCommandBars, int nRecords)
{
    const int kCommand = 1000;
    CZPShortcutManagerAccelTable& table = pCommandBars->GetShortcutManagerObject()->GetShortcuts();
    table.clear();
    for (int i = 0; i < nRecords; ++i)
        table.push_back(CZPShortcutManagerAccel(static_cast<DWORD>(i % 10 == 0 ? kCommand : kCommand + 1 + i % 7),
                                                ZP_STROKE_VIRTKEY | ZP_STROKE_CONTROL,
                                                static_cast<WORD>('A' + i % 26)));
    CZPCustomizeKeyboardPage page(pCommandBars);
    page.AddCategory(L"Commands", NULL)->pControls->Add(zpControlButton, kCommand)->SetCaption(L"Command");
    CPropertySheet sheet(L"Customize", pFrame);
    sheet.AddPage(&page);
    sheet.Create(pFrame);
    std::vector<double> samples;
    for (int i = 0; i < kRounds; ++i) {
        const double t0 = BenchNowMs();
        ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(102, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(page.m_lstCommands.GetSafeHwnd()));
        samples.push_back(BenchNowMs() - t0);
    }
    if (page.m_lstKeys.GetCount() != nRecords / 10)
        printf("  (unexpected: %d assignments listed)\n", page.m_lstKeys.GetCount());
    sheet.DestroyWindow();
    return BenchMedian(samples);
}

}  // namespace

int main()
{
    CFrameWnd* pFrame = new CFrameWnd;
    pFrame->Create(NULL, L"frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100));
    CZPCommandBars commandBars;
    commandBars.SetSite(pFrame->GetSafeHwnd());
    printf("customize pages\n");
    CompareCategorySwitch(pFrame, &commandBars);
    const double dSmall = ListAssignments(pFrame, &commandBars, kRecords);
    const double dLarge = ListAssignments(pFrame, &commandBars, kRecords * kRecordGrowth);
    BenchPrintRatio("keyboard page: assignments of 10,000 vs 1,000 records", dLarge, dSmall, 12.0);
    pFrame->DestroyWindow();
    return 0;
}
