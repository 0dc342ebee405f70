// The windowless scroll bar and the gallery against USER32 and COMCTL32: a 17 x 300 bar drawn
// 1,000 times in each look against a SCROLLBAR control with the same SCROLLINFO painting into the
// same memory DC; a 10,000-item gallery's wheel step against SysListView32 (LVS_ICON) scrolled by
// LVM_SCROLL; and the wheel step with 10x the items against the smaller gallery. Needs a display.
// The SCROLLBAR peer must really draw: WM_PRINTCLIENT is used only when it changes pixels (Wine's
// control ignores it), else WM_PAINT with the DC in wParam; a peer that draws nothing stops the
// benchmark instead of printing a meaningless ratio.
// Usage: gallery_bench [items [rounds]]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlAction.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPScrollBarPaintManager.h"

#include <commctrl.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>

namespace {

const int kDraws = 1000;
const int kWarmUpDraws = 10;
const int kBarWidth = 17, kBarHeight = 300;
const int kWheelSteps = 20;
// Rounds per line (the median is printed); the peer's WM_PAINT takes about 30 ms under emulation.
const int kDefaultRounds = 3;
const COLORREF kUnpainted = RGB(1, 2, 3);

// A scroll base over a fixed rectangle and range.
class CBenchScrollBar : public CZPScrollBase
{
public:
    BOOL IsScrollBarEnabled() const override { return TRUE; }
    HWND GetParentWindow() const override { return NULL; }
    void GetScrollBarRect(CRect& rc) override { rc.SetRect(0, 0, kBarWidth, kBarHeight); }
    void GetScrollInfo(SCROLLINFO* pSI) override { *pSI = { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 40, 0 }; }
    void DoScroll(int, int) override {}
    void RedrawScrollBar() override {}
    CZPScrollBarPaintManager* GetScrollBarPaintManager() const override
    {
        return ZpGetPaintManager()->GetGalleryPaintManager();
    }
};

double DrawOurs(CBenchScrollBar& bar, HDC hDC, int nDraws = kDraws)
{
    CDC dc;
    dc.Attach(hDC);
    const double t0 = BenchNowMs();
    for (int i = 0; i < nDraws; ++i)
        bar.GetScrollBarPaintManager()->DrawScrollBar(&dc, &bar);
    ::GdiFlush();
    const double dTime = BenchNowMs() - t0;
    dc.Detach();
    return dTime;
}

double DrawPeer(HWND hWndBar, HDC hDC, UINT nMessage, int nDraws = kDraws)
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nDraws; ++i)
        ::SendMessageW(hWndBar, nMessage, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
    ::GdiFlush();
    return BenchNowMs() - t0;
}

// Pixels of the bar's area that one message to the peer changed in the memory DC.
int PeerPixelsDrawn(HWND hWndBar, HDC hDC, UINT nMessage)
{
    HBRUSH hBrush = ::CreateSolidBrush(kUnpainted);
    RECT rc = { 0, 0, kBarWidth, kBarHeight };
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SendMessageW(hWndBar, nMessage, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
    ::GdiFlush();
    int nChanged = 0;
    for (int y = 0; y < kBarHeight; ++y) {
        for (int x = 0; x < kBarWidth; ++x)
            nChanged += ::GetPixel(hDC, x, y) != kUnpainted ? 1 : 0;
    }
    return nChanged;
}

// A visible bar holding one 300 x 300 gallery of nItems 40 x 40 items.
struct CGalleryBar
{
    // Placed apart at y: a covered bar would paint nothing.
    CGalleryBar(int nItems, int y)
    {
        pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, y, 320, 320, NULL, NULL);
        pItems = new CZPControlGalleryItems;
        pItems->SetItemSize(CSize(40, 40));
        for (int i = 0; i < nItems; ++i)
            pItems->AddItem(i + 1, L"");
        pActions = new CZPControlActions(NULL);
        CZPControlAction* pAction = pActions->Add(1);
        pAction->SetItems(pItems);
        pGallery = static_cast<CZPControlGallery*>(pBar->GetControls()->Append(new CZPControlGallery));
        pGallery->SetAction(pAction);
        pGallery->SetRect(CRect(0, 0, 300, 300));
    }
    ~CGalleryBar()
    {
        pBar->DestroyWindow();
        pBar->InternalRelease();
        pItems->InternalRelease();
        pActions->InternalRelease();
    }
    CZPCommandBar* pBar;
    CZPControlGalleryItems* pItems;  // one reference
    CZPControlActions* pActions;     // one reference
    CZPControlGallery* pGallery;     // borrowed from the bar
};

double WheelOurs(CGalleryBar& bar)
{
    bar.pGallery->SetScrollOffset(0);
    ::UpdateWindow(bar.pBar->GetSafeHwnd());
    const double t0 = BenchNowMs();
    for (int i = 0; i < kWheelSteps; ++i) {
        bar.pGallery->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint(0, 0));
        ::UpdateWindow(bar.pBar->GetSafeHwnd());
    }
    return (BenchNowMs() - t0) / kWheelSteps;
}

double WheelPeer(HWND hWndList)
{
    ::SendMessageW(hWndList, LVM_ENSUREVISIBLE, 0, FALSE);
    ::UpdateWindow(hWndList);
    const double t0 = BenchNowMs();
    for (int i = 0; i < kWheelSteps; ++i) {
        ::SendMessageW(hWndList, LVM_SCROLL, 0, 3 * 40);
        ::UpdateWindow(hWndList);
    }
    return (BenchNowMs() - t0) / kWheelSteps;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nItems = argc > 1 ? atoi(argv[1]) : 10000;
    const int nRounds = argc > 2 ? std::max(1, atoi(argv[2])) : kDefaultRounds;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES };
    ::InitCommonControlsEx(&icc);
    ZpGetPaintManager()->RefreshMetrics();

    // Scroll bar per look.
    HWND hWndBar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_POPUP | WS_VISIBLE | SBS_VERT, 400, 0, kBarWidth,
                                     kBarHeight, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
    SCROLLINFO si = { sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 40, 0 };
    ::SetScrollInfo(hWndBar, SB_CTL, &si, TRUE);
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kBarWidth, kBarHeight);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    CBenchScrollBar bar;
    bar.CalcScrollBar();
    printf("command bars: scroll bar and gallery\n");
    const int nPrintPixels = PeerPixelsDrawn(hWndBar, hDC, WM_PRINTCLIENT);
    const int nPaintPixels = PeerPixelsDrawn(hWndBar, hDC, WM_PAINT);
    printf("  SCROLLBAR peer: WM_PRINTCLIENT changes %d of %d pixels, WM_PAINT with the DC %d\n", nPrintPixels,
           kBarWidth * kBarHeight, nPaintPixels);
    const UINT nPeerMessage = nPrintPixels > 0 ? WM_PRINTCLIENT : WM_PAINT;
    const BOOL bPeerDraws = (nPeerMessage == WM_PRINTCLIENT ? nPrintPixels : nPaintPixels) > 0;
    if (!bPeerDraws)
        printf("  the SCROLLBAR peer draws nothing into a memory DC: no scroll-bar ratio\n");
    const char* pszPeer = nPeerMessage == WM_PRINTCLIENT ? "WM_PRINTCLIENT" : "WM_PAINT with DC";
    const struct
    {
        const char* pszLook;
        int nStyle;
    } looks[] = { { "themed", kZpScrollStyleThemed }, { "flat", kZpScrollStyleFlat }, { "classic", 4 } };
    for (const auto& look : looks) {
        if (!bPeerDraws)
            break;
        bar.SetScrollBarStyle(look.nStyle);
        std::vector<double> ours, peer;
        DrawOurs(bar, hDC, kWarmUpDraws);
        DrawPeer(hWndBar, hDC, nPeerMessage, kWarmUpDraws);
        for (int i = 0; i < nRounds; ++i) {
            peer.push_back(DrawPeer(hWndBar, hDC, nPeerMessage));
            ours.push_back(DrawOurs(bar, hDC));
        }
        const double dOurs = BenchMedian(ours), dPeer = BenchMedian(peer);
        char szName[96];
        snprintf(szName, sizeof(szName), "scroll bar x1000, %s (peer: SCROLLBAR %s)", look.pszLook, pszPeer);
        printf("  %-60s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= 1.5x)\n", szName, dOurs, dPeer,
               dPeer > 0 ? dOurs / dPeer : 0.0);
    }
    fflush(stdout);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    ::DestroyWindow(hWndBar);

    // Gallery wheel step.
    // Filled while hidden and without redrawing: a visible icon view repaints and re-places
    // its items on every insert, which under emulation kept the line from ever printing.
    HWND hWndList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_ICON, 400, 0, 300, 300, NULL, NULL,
                                      ::GetModuleHandleW(NULL), NULL);
    ::SendMessageW(hWndList, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hWndList, LVM_SETITEMCOUNT, nItems, 0);
    for (int i = 0; i < nItems; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<LPWSTR>(L"");
        ::SendMessageW(hWndList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(hWndList, WM_SETREDRAW, TRUE, 0);
    ::ShowWindow(hWndList, SW_SHOWNOACTIVATE);
    CGalleryBar small(nItems / 10, 330), large(nItems, 0);
    std::vector<double> ours, peer, oursSmall;
    WheelOurs(large);
    WheelPeer(hWndList);
    for (int i = 0; i < nRounds; ++i) {
        peer.push_back(WheelPeer(hWndList));
        ours.push_back(WheelOurs(large));
        oursSmall.push_back(WheelOurs(small));
    }
    const double dOurs = BenchMedian(ours), dPeer = BenchMedian(peer), dSmall = BenchMedian(oursSmall);
    printf("  %-60s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= 2x)\n",
           "gallery wheel step, 10,000 items (peer: SysListView32 LVM_SCROLL)", dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0);
    printf("  %-60s %8.3f ms, %d items %8.3f ms, ratio %.2fx (goal <= 12x)\n", "gallery wheel step, 10x the items",
           dOurs, nItems / 10, dSmall, dSmall > 0 ? dOurs / dSmall : 0.0);
    ::DestroyWindow(hWndList);
    return 0;
}
