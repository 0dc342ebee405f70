// A customize drag-over step on a bar against the system toolbar's drag feedback with as many
// buttons, in the same run, at 500 and 5,000 controls. Painted, ours is CustomizeDragOver (drop
// position, control under the point, marker) and UpdateWindow, as the drag tracker pumps the
// paints of every step; the peer's is TB_HITTEST, TB_SETINSERTMARK and UpdateWindow, the
// toolbar's own drag feedback. Unpainted, ours is CustomizeDragOver alone against TB_HITTEST
// alone: the finding of the position without the paint. Needs a display.
// Usage: customize_drag_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPDefaultTheme.h"

#include <commctrl.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {

const int kButton = 23, kRowHeight = 22;
const int kPerRow = 25;
const int kBatches = 5;  // ours and the peer's alternate so that the machine's load falls on both
const int kPoints = 97;  // points visited per round, spread over the whole bar
const int kPaintedPoints = 31;
const int kPaintedBatches = 2;

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

// The peer's drag feedback: the button under the point (off a button the hit test answers the
// nearest one, negated), its insertion mark before or after it, painted.
LRESULT PeerStep(HWND hPeer, int nButtons, CPoint pt, BOOL bPaint)
{
    POINT p = pt;
    const LRESULT nHit = ::SendMessageW(hPeer, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p));
    if (!bPaint)
        return nHit;
    TBINSERTMARK mark = { std::min(static_cast<int>(nHit < 0 ? -nHit : nHit), nButtons - 1),
                          pt.x % kButton >= kButton / 2 ? TBIMHT_AFTER : 0u };
    ::SendMessageW(hPeer, TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    ::UpdateWindow(hPeer);
    return nHit;
}

// Our step: the drag-over, painted as the drag tracker pumps the paints of every step.
LRESULT OurStep(CZPToolBar* pOurs, CZPControl* pDragged, CPoint pt, BOOL bPaint)
{
    const LRESULT nResult = pOurs->CustomizeDragOver(pDragged, pt);
    if (bPaint)
        ::UpdateWindow(pOurs->GetSafeHwnd());
    return nResult;
}

void Compare(const char* pszName, HWND hPeer, CZPToolBar* pOurs, CZPControl* pDragged, int nButtons,
             const std::vector<CPoint>& points, int nBatches, int nRounds, BOOL bPaint, double dGoal)
{
    double dOurs = 0, dPeer = 0;
    volatile LRESULT sink = 0;
    for (int b = 0; b < nBatches; ++b) {
        double t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            for (const CPoint& pt : points)
                sink = sink + PeerStep(hPeer, nButtons, pt, bPaint);
        dPeer += BenchNowMs() - t0;
        t0 = BenchNowMs();
        for (int r = 0; r < nRounds; ++r)
            for (const CPoint& pt : points)
                sink = sink + OurStep(pOurs, pDragged, pt, bPaint);
        dOurs += BenchNowMs() - t0;
    }
    const double dSteps = static_cast<double>(nBatches) * nRounds * static_cast<double>(points.size());
    BenchPrintRatio(pszName, dOurs / dSteps, dPeer / dSteps, dGoal);
}

void CompareAt(const char* pszPainted, const char* pszLogic, HWND hParent, CZPCommandBars* pCommandBars,
               CZPPaintManager* pTheme, CZPControl* pDragged, int nButtons, int nRounds, double dGoal)
{
    HWND hPeer = CreatePeer(hParent, nButtons);
    CZPToolBar* pOurs = CreateOurs(pCommandBars, pTheme, hParent, nButtons);
    ::UpdateWindow(hPeer);
    ::UpdateWindow(pOurs->GetSafeHwnd());
    const std::vector<CPoint> points = SpreadPoints(nButtons);
    // The system toolbar repaints itself whole on every mark under Wine: a few steps suffice.
    const std::vector<CPoint> painted(points.begin(), points.begin() + kPaintedPoints);
    Compare(pszPainted, hPeer, pOurs, pDragged, nButtons, painted, kPaintedBatches, 1, TRUE, dGoal);
    Compare(pszLogic, hPeer, pOurs, pDragged, nButtons, points, kBatches, nRounds, FALSE, dGoal);
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
    printf("customize drag-over step (per step): painted against TB_HITTEST + TB_SETINSERTMARK + UpdateWindow,\n"
           "unpainted against TB_HITTEST alone\n");
    CompareAt("drag-over painted, 500 controls", "drag-over unpainted, 500 controls", hFrame, pCommandBars, pTheme,
              pSource->ControlAt(0), 500, nRounds, 3.0);
    CompareAt("drag-over painted, 5,000 controls", "drag-over unpainted, 5,000 controls", hFrame, pCommandBars, pTheme,
              pSource->ControlAt(0), 5000, nRounds > 2 ? nRounds / 2 : 1, 12.0);
    pSource->DestroyWindow();
    pSource->InternalRelease();
    pCommandBars->SetCustomizeMode(FALSE);
    pCommandBars->InternalRelease();
    pTheme->InternalRelease();
    ::DestroyWindow(hFrame);
    return 0;
}
