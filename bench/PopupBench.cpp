// Popup menus against the system's TrackPopupMenu with the same items: open -> painted ->
// closed, and a hover walk over every item (each highlight painted), for 20 and 200 items; then
// how our time grows with ten times the items; last a popup listing 16 recent files (the list
// placeholder expanding and the paint manager drawing) against a menu of the same texts. Needs a
// display.
// A menu taller than the screen scrolls, differently on each side: both walks cover the items that
// both show at once, so that they end on the same item.
// Until the paint manager draws controls in popups, our items measure and draw themselves as
// menu items do (a filled row and its caption), so both sides paint comparable work.
// Usage: commandbars_popup_bench [rounds]
#include "BenchClock.h"

#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControlLists.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"

#include <framework/app.h>
#include <framework/gdi.h>

#include <stdio.h>
#include <stdlib.h>

#include <vector>

namespace {
const int kItemWidth = 120;
const int kItemHeight = 19;
const int kFirstId = 1000;
const int kAnchor = 40;
const double kGoalRatio = 1.5;
const double kGoalScaling = 12.0;
const int kRecentFiles = 16;
const double kGoalRecentFiles = 2.0;
const int kBatches = 5;

// A menu item of fixed size drawing its row and caption.
class CBenchItem : public CZPControlButton
{
public:
    CSize GetSize(CDC*) override { return CSize(kItemWidth, kItemHeight); }
    void Draw(CDC* pDC) override
    {
        CRect rc = GetRect();
        const BOOL bHot = GetSelected() != zpSelectionNone;
        pDC->FillSolidRect(&rc, ::GetSysColor(bHot ? COLOR_HIGHLIGHT : COLOR_MENU));
        pDC->SetTextColor(::GetSysColor(bHot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        rc.left += 20;
        const CString strCaption = GetCaption();
        pDC->DrawText(strCaption, &rc, DT_SINGLELINE | DT_VCENTER);
    }
};

void PumpAll()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Dispatches what is queued and paints the window after each message: the system's menu draws
// each highlight before it reads the next move.
void PumpPainting(HWND hWnd)
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        ::UpdateWindow(hWnd);
    }
}

// The system's side: the owner ends the menu loop when it idles (the menu painted), after
// posting one mouse move over every item first when walking.
struct PeerRun
{
    HMENU hMenu;
    int nItems;  // walked
    BOOL bWalk;
    BOOL bWalked;
    BOOL bLastHot;
    int nShown;  // items wholly inside the menu window
};
PeerRun* g_pPeer = NULL;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && g_pPeer != NULL) {
        PeerRun& run = *g_pPeer;
        if (run.nShown < 0) {
            RECT rcMenu;
            ::GetWindowRect(reinterpret_cast<HWND>(lParam), &rcMenu);
            run.nShown = 0;
            for (int i = 0; i < ::GetMenuItemCount(run.hMenu); ++i) {
                RECT rc;
                if (!::GetMenuItemRect(NULL, run.hMenu, static_cast<UINT>(i), &rc) || rc.bottom > rcMenu.bottom)
                    break;
                ++run.nShown;
            }
        }
        if (run.bWalk && !run.bWalked) {
            run.bWalked = TRUE;
            // Wine maps an item's rectangle from the window passed: NULL takes the menu's own.
            for (int i = 0; i < run.nItems; ++i) {
                RECT rc;
                ::GetMenuItemRect(NULL, run.hMenu, static_cast<UINT>(i), &rc);
                // The system's menu loop reads the message's cursor position: both sides move it.
                ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
                ::PostMessageW(reinterpret_cast<HWND>(lParam), WM_MOUSEMOVE, 0,
                               MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
            }
            return 0;
        }
        run.bLastHot = (::GetMenuState(run.hMenu, static_cast<UINT>(run.nItems - 1), MF_BYPOSITION) & MF_HILITE) != 0;
        ::EndMenu();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

std::vector<CString> ItemCaptions(int nItems)
{
    std::vector<CString> captions;
    for (int i = 0; i < nItems; ++i) {
        CString strCaption;
        strCaption.Format(L"Item %d", i);
        captions.push_back(strCaption);
    }
    return captions;
}

double PeerTime(HWND hWndOwner, const std::vector<CString>& captions, int nWalked, BOOL bWalk, int nRounds,
                BOOL* pbLastHot, int* pnShown)
{
    HMENU hMenu = ::CreatePopupMenu();
    const int nItems = static_cast<int>(captions.size());
    for (int i = 0; i < nItems; ++i)
        ::AppendMenuW(hMenu, MF_STRING, kFirstId + i, captions[static_cast<size_t>(i)]);
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        PeerRun run = { hMenu, nWalked, bWalk, FALSE, FALSE, -1 };
        g_pPeer = &run;
        const double t0 = BenchNowMs();
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, kAnchor, kAnchor, 0, hWndOwner, NULL);
        dTotal += BenchNowMs() - t0;
        g_pPeer = NULL;
        *pbLastHot = run.bLastHot;
        *pnShown = run.nShown;
        PumpAll();
    }
    ::DestroyMenu(hMenu);
    return dTotal / nRounds;
}

double OurTime(HWND hWndOwner, int nItems, int nWalked, BOOL bWalk, int nRounds, BOOL* pbLastHot, int* pnShown)
{
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    popup->SetSiteWindow(hWndOwner);
    for (int i = 0; i < nItems; ++i) {
        CZPControl* pItem = popup->GetControls()->AddControl(new CBenchItem, kFirstId + i);
        CString strCaption;
        strCaption.Format(L"Item %d", i);
        pItem->SetCaption(strCaption);
    }
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        const double t0 = BenchNowMs();
        popup->Popup(kAnchor, kAnchor, NULL);
        HWND hWnd = popup->GetSafeHwnd();
        ::UpdateWindow(hWnd);
        *pnShown = 0;
        while (*pnShown < nItems && popup->ControlAt(*pnShown)->IsVisible())
            ++*pnShown;
        if (bWalk) {
            // Queued at once as on the system's side, so that both read the same messages.
            for (int i = 0; i < nWalked; ++i) {
                const CPoint pt = popup->ControlAt(i)->GetRect().CenterPoint();
                CPoint ptScreen = pt;
                ::ClientToScreen(hWnd, &ptScreen);
                ::SetCursorPos(ptScreen.x, ptScreen.y);
                ::PostMessageW(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            }
            PumpPainting(hWnd);
            *pbLastHot = popup->GetHighlightedIndex() == nWalked - 1;
        }
        popup->EndTracking();
        dTotal += BenchNowMs() - t0;
        PumpAll();
    }
    return dTotal / nRounds;
}

// The recent-file placeholder reading a list of the benchmark's own.
class CBenchRecentFiles : public CZPControlRecentFileList
{
public:
    CRecentFileList* GetRecentFileList() override { return m_pList; }
    CRecentFileList* m_pList = NULL;  // borrowed
};

// Opens, paints and closes a popup holding the placeholder; the texts it showed go to pCaptions.
double OurRecentFilesTime(HWND hWndOwner, CRecentFileList* pList, int nRounds, std::vector<CString>* pCaptions)
{
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    popup->SetSiteWindow(hWndOwner);
    CBenchRecentFiles* pPlaceholder = new CBenchRecentFiles;
    pPlaceholder->m_pList = pList;
    popup->GetControls()->AddControl(pPlaceholder, ZP_ID_FILE_MRU_FIRST);
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        const double t0 = BenchNowMs();
        popup->Popup(kAnchor, kAnchor, NULL);
        ::UpdateWindow(popup->GetSafeHwnd());
        if (r == 0 && pCaptions != NULL) {
            pCaptions->clear();
            for (int i = 0; i < popup->GetControls()->GetCount(); ++i) {
                CZPControl* pControl = popup->GetControls()->GetAt(i);
                if (pControl->IsVisible())
                    pCaptions->push_back(pControl->GetCaption());
            }
        }
        popup->EndTracking();
        dTotal += BenchNowMs() - t0;
        PumpAll();
    }
    return dTotal / nRounds;
}

void PrintRatio(const char* pszWhat, int nItems, int nWalked, double dOurs, double dPeer, BOOL bOursHot, BOOL bPeerHot,
                BOOL bWalk)
{
    char szWalked[48] = "";
    if (bWalk)
        snprintf(szWalked, sizeof(szWalked), " (%d walked)", nWalked);
    printf("%s, %d items%s: ours %.3f ms, TrackPopupMenu %.3f ms%s ratio %.2fx (goal <= %.1fx)\n", pszWhat, nItems,
           szWalked, dOurs, dPeer,
           !bWalk ? ","
                  : (bOursHot && bPeerHot ? " (both ended on the same item),"
                                          : (bOursHot ? " (the system's walk missed the last item),"
                                                      : " (our walk missed the last item),")),
           dPeer > 0 ? dOurs / dPeer : 0.0, kGoalRatio);
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"ZpPopupBenchOwner";
    ::RegisterClassW(&wc);
    HWND hWndOwner = ::CreateWindowExW(0, wc.lpszClassName, L"owner", WS_POPUP | WS_VISIBLE, 600, 0, 50, 50, NULL, NULL,
                                       wc.hInstance, NULL);
    ::SetForegroundWindow(hWndOwner);
    PumpAll();

    double dOurs[2][2] = {};
    const int kSizes[2] = { 20, 200 };
    for (int nWalk = 0; nWalk < 2; ++nWalk) {
        for (int s = 0; s < 2; ++s) {
            BOOL bOursHot = FALSE;
            BOOL bPeerHot = FALSE;
            // One unmeasured round each: first-use costs (classes, fonts) count for neither. It
            // also tells how many items each side shows at once.
            const std::vector<CString> captions = ItemCaptions(kSizes[s]);
            int nPeerShown = 0, nOursShown = 0;
            PeerTime(hWndOwner, captions, 0, FALSE, 1, &bPeerHot, &nPeerShown);
            OurTime(hWndOwner, kSizes[s], 0, FALSE, 1, &bOursHot, &nOursShown);
            const int nWalked = nPeerShown < nOursShown ? nPeerShown : nOursShown;
            int nShown = 0;
            // The two sides alternate in batches, so that the machine's load falls on both.
            const int nBatchRounds = nRounds > kBatches ? nRounds / kBatches : 1;
            double dPeer = 0;
            for (int b = 0; b < kBatches; ++b) {
                dPeer += PeerTime(hWndOwner, captions, nWalked, nWalk, nBatchRounds, &bPeerHot, &nShown) / kBatches;
                dOurs[nWalk][s] +=
                    OurTime(hWndOwner, kSizes[s], nWalked, nWalk, nBatchRounds, &bOursHot, &nShown) / kBatches;
            }
            PrintRatio(nWalk ? "popup hover walk" : "popup open-paint-close", kSizes[s], nWalked, dOurs[nWalk][s],
                       dPeer, bOursHot, bPeerHot, nWalk);
        }
    }
    for (int nWalk = 0; nWalk < 2; ++nWalk) {
        const double dScale = dOurs[nWalk][0] > 0 ? dOurs[nWalk][1] / dOurs[nWalk][0] : 0.0;
        printf("%s, 200 against 20 items: ours %.3f ms vs %.3f ms, ratio %.2fx (goal <= %.1fx)\n",
               nWalk ? "popup hover walk scaling" : "popup open-paint-close scaling", dOurs[nWalk][1], dOurs[nWalk][0],
               dScale, kGoalScaling);
    }

    CRecentFileList recent(0, L"Recent File List", L"File%d", kRecentFiles);
    for (int i = kRecentFiles; i >= 1; --i) {
        CString strPath;
        strPath.Format(L"C:\\Users\\me\\Documents\\plists\\settings-%02d.plist", i);
        recent.Add(strPath);
    }
    std::vector<CString> captions;
    OurRecentFilesTime(hWndOwner, &recent, 1, &captions);
    BOOL bPeerHot = FALSE;
    int nPeerShown = 0;
    PeerTime(hWndOwner, captions, 0, FALSE, 1, &bPeerHot, &nPeerShown);
    const double dPeer = PeerTime(hWndOwner, captions, 0, FALSE, nRounds, &bPeerHot, &nPeerShown);
    const double dRecent = OurRecentFilesTime(hWndOwner, &recent, nRounds, NULL);
    printf("recent-files popup open-paint-close, %d files (%d items shown): ours %.3f ms, TrackPopupMenu %.3f ms, "
           "ratio %.2fx (goal <= %.1fx)\n",
           kRecentFiles, static_cast<int>(captions.size()), dRecent, dPeer, dPeer > 0 ? dRecent / dPeer : 0.0,
           kGoalRecentFiles);
    ::DestroyWindow(hWndOwner);
    return 0;
}
