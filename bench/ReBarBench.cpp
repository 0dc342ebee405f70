// The command bars' rebar against ReBarWindow32 with ToolbarWindow32 bands, in the same run: a
// frame with three bands resized back and forth and repainted, ours through the frame's layout.
// Needs a display.
// Usage: rebar_bench [resizes]
#include "BenchClock.h"

#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPReBar.h"
#include "commandbars/ZPToolBar.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const int kDefaultResizes = 400;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both
const int kBands = 3;
const int kBandWidths[kBands] = { 220, 120, 180 };
const int kButtonsPerBand = 6;
const int kFrameHeight = 300;
const int kWideWidth = 700, kNarrowWidth = 300;  // the narrow frame wraps the bands into rows
const double kGoal = 2.0;

// A toolbar of a fixed docked size: the toolbar's own layout is not part of what is measured.
class CBenchBar : public CZPToolBar
{
public:
    explicit CBenchBar(int cx) : m_cx(cx) {}
    CSize CalcDockedSize(int nLength, DWORD, int) override { return CSize(std::min(m_cx, nLength), 24); }

private:
    int m_cx;
};

const UINT kRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;

double Resize(HWND hFrame, int nResizes, void (*pfnLayout)(HWND))
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nResizes; ++i) {
        ::SetWindowPos(hFrame, NULL, 0, 0, (i % 2) != 0 ? kWideWidth : kNarrowWidth, kFrameHeight,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        pfnLayout(hFrame);
        ::RedrawWindow(hFrame, NULL, NULL, kRepaint);
    }
    ::GdiFlush();
    return BenchNowMs() - t0;
}

// Ours: the frame's own WM_SIZE laid it out; the delayed relayout of a height change runs at idle.
void OurIdle(HWND hFrame)
{
    ::SendMessageW(hFrame, WM_IDLEUPDATECMDUI, TRUE, 0);
}

LRESULT CALLBACK PeerFrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        if (HWND hRebar = ::FindWindowExW(hWnd, NULL, REBARCLASSNAMEW, NULL))
            ::SendMessageW(hRebar, WM_SIZE, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void PeerNothing(HWND) {}

HWND CreatePeer()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PeerFrameProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TolvaneReBarBenchPeer";
    ::RegisterClassW(&wc);
    HWND hFrame = ::CreateWindowExW(0, wc.lpszClassName, L"peer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWideWidth,
                                    kFrameHeight, NULL, NULL, wc.hInstance, NULL);
    HWND hRebar =
        ::CreateWindowExW(0, REBARCLASSNAMEW, NULL,
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS | CCS_NODIVIDER,
                          0, 0, 0, 0, hFrame, NULL, wc.hInstance, NULL);
    for (int b = 0; b < kBands; ++b) {
        HWND hToolbar =
            ::CreateWindowExW(0, TOOLBARCLASSNAMEW, NULL,
                              WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                              0, 0, kBandWidths[b], 24, hRebar, NULL, wc.hInstance, NULL);
        ::SendMessageW(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        std::vector<TBBUTTON> buttons(kButtonsPerBand);
        for (int i = 0; i < kButtonsPerBand; ++i) {
            buttons[i] = {};
            buttons[i].iBitmap = I_IMAGENONE;
            buttons[i].idCommand = 1000 + b * kButtonsPerBand + i;
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].fsStyle = BTNS_BUTTON;
        }
        ::SendMessageW(hToolbar, TB_ADDBUTTONSW, kButtonsPerBand, reinterpret_cast<LPARAM>(buttons.data()));
        REBARBANDINFOW rbbi = {};
        rbbi.cbSize = sizeof(rbbi);
        rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_ID;
        rbbi.fStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
        rbbi.hwndChild = hToolbar;
        rbbi.cxMinChild = kBandWidths[b];
        rbbi.cyMinChild = 24;
        rbbi.cx = kBandWidths[b];
        rbbi.wID = static_cast<UINT>(b + 1);
        ::SendMessageW(hRebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&rbbi));
    }
    return hFrame;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nResizes = argc > 1 ? atoi(argv[1]) : kDefaultResizes;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES };
    ::InitCommonControlsEx(&icc);
    ZpSetPaintTheme(zpThemeNativeXP);

    CFrameWnd* pFrame = new CFrameWnd;  // deletes itself with its window
    if (!pFrame->Create(NULL, L"ours", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, kWideWidth, kFrameHeight))) {
        fprintf(stderr, "rebar_bench: the frame cannot be created\n");
        return 1;
    }
    CZPReBar rebar;
    rebar.Create(pFrame);
    std::vector<std::unique_ptr<CBenchBar>> bars;
    for (int b = 0; b < kBands; ++b) {
        bars.emplace_back(new CBenchBar(kBandWidths[b]));
        bars.back()->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, pFrame->m_hWnd,
                              NULL);
        bars.back()->SetBarID(static_cast<UINT>(b + 1));
        rebar.AddCommandBarBand(bars.back().get());
    }
    pFrame->RecalcLayout();
    HWND hPeer = CreatePeer();

    const int nPerBatch = std::max(2, nResizes / kBatches);
    double dOurs = 0, dPeer = 0;
    for (int b = 0; b < kBatches; ++b) {
        dOurs += Resize(pFrame->m_hWnd, nPerBatch, OurIdle);
        dPeer += Resize(hPeer, nPerBatch, PeerNothing);
    }
    printf("Rebar, %d frame resizes with %d bands (same run)\n", nPerBatch * kBatches, kBands);
    printf("  %-50s %8.1f ms, peer %8.1f ms, ratio %.2fx (goal <= %.1fx)\n", "resize + layout + repaint", dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, kGoal);
    rebar.DestroyWindow();
    for (auto& pBar : bars)
        pBar->DestroyWindow();
    pFrame->DestroyWindow();
    ::DestroyWindow(hPeer);
    return 0;
}
