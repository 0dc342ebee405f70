// The paint manager's control drawing against the system's own, in the same run: 200 toolbar
// buttons (icon and caption) measured and drawn against a list-style ToolbarWindow32 printing the
// same buttons with WM_PRINTCLIENT, and 100 popup items measured and drawn against TrackPopupMenu
// opening, painting and closing the same menu. Needs a display.
// Usage: paint_manager_drawing_bench [rounds]
#include "BenchClock.h"

#include "../tests/toolkit/commandbars/paint_manager_pixels.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPNativeXPTheme.h"
#include "common/ZPImageManager.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {

const int kButtons = 200;
const int kItems = 100;
const int kIcon = 16;
const int kBarWidth = 1200;
const int kPopupWidth = 220;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both
const UINT kFirstCommand = 1000;

void PrintRatio(const char* pszName, double dOurs, double dPeer, double dGoal)
{
    printf("  %-52s %8.4f ms, peer %8.4f ms, ratio %.2fx (goal <= %.1fx)\n", pszName, dOurs, dPeer, dOurs / dPeer,
           dGoal);
}

// Measures every control and draws the bar: the work of one toolbar or popup paint.
double Ours(CZPPaintManager* pTheme, CZPCommandBar* pBar, HDC hDC, int nRounds)
{
    CDibDC dc(hDC);
    dc.SetBkMode(TRANSPARENT);
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        pTheme->FillBarBackground(&dc, pBar);
        for (int i = 0; i < pBar->CountControls(); ++i) {
            CZPControl* pControl = pBar->ControlAt(i);
            pTheme->DrawControl(&dc, pControl, FALSE);
            pTheme->DrawControl(&dc, pControl, TRUE);
        }
    }
    return (BenchNowMs() - t0) / nRounds;
}

double PeerToolbar(HWND hToolbar, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r)
        ::SendMessageW(hToolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    return (BenchNowMs() - t0) / nRounds;
}

// The menu's owner ends the menu as soon as its loop goes idle, i.e. once the menu is painted.
LRESULT CALLBACK MenuOwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        ::EndMenu();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

double PeerMenu(HMENU hMenu, HWND hOwner, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r)
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NOANIMATION, 0, 0, 0, hOwner, NULL);
    return (BenchNowMs() - t0) / nRounds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 200;
    ::InitCommonControls();

    CZPDefaultTheme* pDefault = new CZPDefaultTheme;
    pDefault->RefreshMetrics();
    CZPNativeXPTheme* pNative = new CZPNativeXPTheme;
    pNative->RefreshMetrics();

    // 200 icons of distinct colours, shared by both sides; a transparent corner as the mask.
    HIMAGELIST hImages = ::ImageList_Create(kIcon, kIcon, ILC_COLOR32, kButtons, 0);
    {
        CDibSection strip(kIcon * kButtons, kIcon, RGB(255, 255, 255));
        CDibDC dc(strip);
        for (int i = 0; i < kButtons; ++i)
            dc.FillSolidRect(i * kIcon + 2, 2, kIcon - 4, kIcon - 4, RGB(i, 255 - i, 128));
        HBITMAP hStrip = static_cast<HBITMAP>(
            ::CopyImage(::GetCurrentObject(strip.GetDC(), OBJ_BITMAP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ::ImageList_Add(hImages, hStrip, NULL);
        ::DeleteObject(hStrip);
    }
    std::vector<UINT> commands;
    for (int i = 0; i < kButtons; ++i)
        commands.push_back(kFirstCommand + i);
    ZpImageManagerInstance()->SetIconsFromImageList(hImages, commands.data(), kButtons, kIcon, kIcon, 0);

    // Our toolbar: icon-and-caption buttons laid out in wrapped rows.
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetPosition(zpBarTop);
    pBar->SetIconSize(CSize(kIcon, kIcon));
    CDibSection measure(1, 1);
    CDibDC measureDC(measure.GetDC());
    int x = 0, y = 0, nRowHeight = 0;
    for (int i = 0; i < kButtons; ++i) {
        CZPControl* pControl = pBar->GetControls()->Add(zpControlButton, kFirstCommand + i);
        CString strCaption;
        strCaption.Format(L"Button %d", i);
        pControl->SetCaption(strCaption);
        pControl->SetStyle(zpButtonIconAndCaption);
        const CSize sz = pDefault->DrawControl(&measureDC, pControl, FALSE);
        if (x + sz.cx > kBarWidth) {
            x = 0;
            y += nRowHeight;
        }
        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        x += sz.cx;
        nRowHeight = sz.cy;
    }
    const int nBarHeight = y + nRowHeight;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, kBarWidth, nBarHeight, NULL, NULL);

    // The peer: the same buttons, captions, font and images in a list-style toolbar.
    HWND hParent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kBarWidth, nBarHeight, NULL,
                                     NULL, NULL, NULL);
    HWND hToolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_WRAPABLE |
                                          CCS_NORESIZE | CCS_NODIVIDER,
                                      0, 0, kBarWidth, nBarHeight, hParent, NULL, NULL, NULL);
    ::SendMessageW(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hToolbar, WM_SETFONT, reinterpret_cast<WPARAM>(pDefault->GetRegularFont()->GetSafeHandle()), 0);
    ::SendMessageW(hToolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages));
    std::vector<CString> captions(kButtons);
    std::vector<TBBUTTON> buttons(kButtons);
    for (int i = 0; i < kButtons; ++i) {
        captions[i].Format(L"Button %d", i);
        TBBUTTON& b = buttons[i];
        b.iBitmap = i;
        b.idCommand = kFirstCommand + i;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        b.iString = reinterpret_cast<INT_PTR>(static_cast<LPCWSTR>(captions[i]));
    }
    ::SendMessageW(hToolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

    // Our popup: 100 items, every fourth with a shortcut, stacked.
    CZPPopupBar* pPopup = new CZPPopupBar;
    pPopup->SetIconSize(CSize(kIcon, kIcon));
    HMENU hMenu = ::CreatePopupMenu();
    std::vector<CString> shortcuts(kItems);
    for (int i = 0, yItem = 0; i < kItems; ++i) {
        CZPControl* pControl = pPopup->GetControls()->Add(zpControlButton, kFirstCommand + i);
        CString strCaption;
        strCaption.Format(L"Menu item &%d", i);
        pControl->SetCaption(strCaption);
        CString strMenuText = strCaption;
        if (i % 4 == 0) {
            shortcuts[i].Format(L"Ctrl+%d", i);
            pControl->SetShortcutText(shortcuts[i]);
            strMenuText += L"\t" + shortcuts[i];
        }
        ::AppendMenuW(hMenu, MF_STRING, kFirstCommand + i, strMenuText);
        const CSize sz = pDefault->DrawControl(&measureDC, pControl, FALSE);
        pControl->SetRect(CRect(3, 3 + yItem, kPopupWidth - 3, 3 + yItem + sz.cy));
        yItem += sz.cy;
    }
    const int nPopupHeight = pPopup->ControlAt(kItems - 1)->GetRect().bottom + 3;
    pPopup->CreateEx(0, AfxRegisterWndClass(0), L"popup", WS_POPUP, 0, 0, kPopupWidth, nPopupHeight, NULL, NULL);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = MenuOwnerProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"ZPBenchMenuOwner";
    ::RegisterClassW(&wc);
    HWND hOwner = ::CreateWindowExW(0, wc.lpszClassName, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL, NULL,
                                    wc.hInstance, NULL);
    ::SetForegroundWindow(hOwner);

    CDibSection barDib(kBarWidth, nBarHeight);
    CDibSection popupDib(kPopupWidth, nPopupHeight);
    printf("paint manager: %d toolbar buttons and %d popup items against the system's drawing, %d rounds each\n",
           kButtons, kItems, nRounds);
    // Warm-up: caches of fonts, images and visual styles.
    PeerToolbar(hToolbar, barDib.GetDC(), 2);
    Ours(pDefault, pBar, barDib.GetDC(), 2);
    Ours(pNative, pBar, barDib.GetDC(), 2);
    PeerMenu(hMenu, hOwner, 2);
    Ours(pDefault, pPopup, popupDib.GetDC(), 2);
    Ours(pNative, pPopup, popupDib.GetDC(), 2);

    const int nPerBatch = std::max(1, nRounds / kBatches);
    double dPeerBar = 0, dDefaultBar = 0, dNativeBar = 0, dPeerMenu = 0, dDefaultMenu = 0, dNativeMenu = 0;
    for (int b = 0; b < kBatches; ++b) {
        dPeerBar += PeerToolbar(hToolbar, barDib.GetDC(), nPerBatch);
        dDefaultBar += Ours(pDefault, pBar, barDib.GetDC(), nPerBatch);
        dNativeBar += Ours(pNative, pBar, barDib.GetDC(), nPerBatch);
        // The menu opens a window each time: fewer rounds.
        dPeerMenu += PeerMenu(hMenu, hOwner, std::max(1, nPerBatch / 10));
        dDefaultMenu += Ours(pDefault, pPopup, popupDib.GetDC(), nPerBatch);
        dNativeMenu += Ours(pNative, pPopup, popupDib.GetDC(), nPerBatch);
    }
    PrintRatio("200 toolbar buttons, Default, vs ToolbarWindow32", dDefaultBar / kBatches, dPeerBar / kBatches, 1.5);
    PrintRatio(pNative->IsThemed() ? "200 toolbar buttons, Native XP, vs ToolbarWindow32"
                                   : "200 toolbar buttons, Native XP (no style), vs ToolbarWindow32",
               dNativeBar / kBatches, dPeerBar / kBatches, 1.5);
    PrintRatio("100 popup items, Default, vs TrackPopupMenu", dDefaultMenu / kBatches, dPeerMenu / kBatches, 1.0);
    PrintRatio(pNative->IsMenuOpen() ? "100 popup items, Native XP, vs TrackPopupMenu"
                                     : "100 popup items, Native XP (no style), vs TrackPopupMenu",
               dNativeMenu / kBatches, dPeerMenu / kBatches, 1.0);

    // The bars are left to the process's exit, as in the themes' benchmark (their teardown is the
    // bars' owners' to examine).
    ::DestroyMenu(hMenu);
    ::DestroyWindow(hOwner);
    ::DestroyWindow(hParent);
    pNative->InternalRelease();
    pDefault->InternalRelease();
    ::ImageList_Destroy(hImages);
    return 0;
}
