// A customize drag-over on a bar (drop position, control under the point, marker) against
// TB_HITTEST on the system's toolbar with as many buttons, in the same run, at 500 and 5,000
// controls. Needs a display.
// Usage: customize_drag_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPDefaultTheme.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {

const int kButton = 23, kRowHeight = 22;
const int kPerRow = 25;
const int kBatches = 5;  // ours and the peer's alternate so that the machine's load falls on both
const int kPoints = 97;  // points visited per round, spread over the whole bar

HWND CreatePeer(HWND hParent, int nButtons)
{
    const int nRows = (nButtons + kPerRow - 1) / kPerRow;
    HWND hToolbar =
        ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NORESIZE, 0, 0,
                          kPerRow * kButton, nRows * kRowHeight, hParent, NULL, NULL, NULL);
    ::SendMessageW(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nButtons));
    for (int i = 0; i < nButtons; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 100 + i;
        buttons[i].fsState = static_cast<BYTE>(TBSTATE_ENABLED | ((i + 1) % kPerRow == 0 ? TBSTATE_WRAP : 0));
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(hToolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButton, kRowHeight));
    ::SendMessageW(hToolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return hToolbar;
}

// A shown toolbar of the command bars with its controls in rows of kPerRow.
CZPToolBar* CreateOurs(CZPCommandBars* pCommandBars, CZPPaintManager* pTheme, HWND hParent, int nButtons)
{
    const int nRows = (nButtons + kPerRow - 1) / kPerRow;
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetCommandBars(pCommandBars);
    pBar->SetPaintManager(pTheme);
    pBar->SetPosition(zpBarTop);
    pBar->CreateEx(0, kZpToolBarClass, L"bar", WS_CHILD | WS_VISIBLE, 0, 0, kPerRow * kButton, nRows * kRowHeight,
                   hParent, NULL);
    for (int i = 0; i < nButtons; ++i) {
        CZPControl* pControl = pBar->GetControls()->Add(zpControlButton, 100 + i);
        pControl->SetRect(
            CRect(CPoint((i % kPerRow) * kButton, (i / kPerRow) * kRowHeight), CSize(kButton, kRowHeight)));
        pControl->SetWrap(i > 0 && i % kPerRow == 0);
    }
    return pBar;
}

std::vector<CPoint> SpreadPoints(int nButtons)
{
    const int nRows = (nButtons + kPerRow - 1) / kPerRow;
    std::vector<CPoint> points;
    for (int i = 0; i < kPoints; ++i)
        points.push_back(CPoint((i * 37) % (kPerRow * kButton), (i * 53) % (nRows * kRowHeight)));
    return points;
}

void Compare(const char* pszName, HWND hParent, CZPCommandBars* pCommandBars, CZPPaintManager* pTheme,
             CZPControl* pDragged, int nButtons, int nRounds, double dGoal)
{
    HWND hPeer = CreatePeer(hParent, nButtons);
    CZPToolBar* pOurs = CreateOurs(pCommandBars, pTheme, hParent, nButtons);
    const std::vector<CPoint> points = SpreadPoints(nButtons);
    double dOurs = 0, dPeer = 0;
    volatile LRESULT sink = 0;
    for (int b = 0; b < kBatches; ++b) {
        double t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            for (const CPoint& pt : points) {
                POINT p = pt;
                sink = sink + ::SendMessageW(hPeer, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p));
            }
        dPeer += BenchNowMs() - t0;
        t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            for (const CPoint& pt : points)
                sink = sink + pOurs->CustomizeDragOver(pDragged, pt);
        dOurs += BenchNowMs() - t0;
    }
    const double dCalls = static_cast<double>(kBatches) * nRounds * kPoints;
    BenchPrintRatio(pszName, dOurs / dCalls, dPeer / dCalls, dGoal);
    pOurs->ClearDropMarker();
    pOurs->DestroyWindow();
    pOurs->InternalRelease();
    ::DestroyWindow(hPeer);
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    HWND hFrame = ::CreateWindowExW(0, L"STATIC", L"customize drag", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                    kPerRow * kButton, 600, NULL, NULL, NULL, NULL);
    CZPDefaultTheme* pTheme = new CZPDefaultTheme;
    pTheme->RefreshMetrics();
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    pCommandBars->SetSite(hFrame);
    pCommandBars->SetCustomizeMode(TRUE);
    // The dragged control comes from another bar, as in a drag between toolbars.
    CZPToolBar* pSource = CreateOurs(pCommandBars, pTheme, hFrame, 1);
    printf("customize drag-over against TB_HITTEST (per call)\n");
    Compare("drag-over, 500 controls", hFrame, pCommandBars, pTheme, pSource->ControlAt(0), 500, nRounds, 3.0);
    Compare("drag-over, 5,000 controls", hFrame, pCommandBars, pTheme, pSource->ControlAt(0), 5000,
            nRounds > 2 ? nRounds / 2 : 1, 12.0);
    pSource->DestroyWindow();
    pSource->InternalRelease();
    pCommandBars->SetCustomizeMode(FALSE);
    pCommandBars->InternalRelease();
    pTheme->InternalRelease();
    ::DestroyWindow(hFrame);
    return 0;
}
