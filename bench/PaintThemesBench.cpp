// The Default and Native XP themes against the system's toolbar, in the same run: one row of 20
// controls (background; normal, hot and checked buttons; 4 separators; icons) drawn into a DIB,
// against ToolbarWindow32 printing the same buttons with WM_PRINTCLIENT. Needs a display.
// Usage: paint_themes_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "../tests/toolkit/commandbars/paint_manager_pixels.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPNativeXPTheme.h"
#include "common/ZPImageManager.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {

const int kControls = 20;
const int kIcon = 16;
const int kButton = 23, kSeparator = 6, kRowHeight = 24;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both

BOOL IsSeparatorAt(int i)
{
    return i % 5 == 4;  // 4 of the 20
}

// The row through a theme: background, then per control its separator, state and icon.
double Ours(CZPDefaultTheme* pTheme, CZPCommandBar* pBar, const std::vector<CZPImageManagerIcon*>& icons, HDC hDC,
            int nRounds)
{
    CDibDC dc(hDC);
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        pTheme->FillBarBackground(&dc, pBar);
        for (int i = 0; i < pBar->CountControls(); ++i) {
            CZPControl* pControl = pBar->ControlAt(i);
            if (IsSeparatorAt(i)) {
                pTheme->DrawBarSeparator(&dc, pBar, pControl, TRUE);
                continue;
            }
            const CRect rc = pControl->GetRect();
            const int nSelected = i == 1 ? 1 : 0;
            const BOOL bChecked = i == 2 || i == 7;
            pTheme->DrawStateRectangle(&dc, rc, nSelected, 0, TRUE, bChecked, 0, zpBarTypeNormal, zpBarTop);
            if (icons[i] != NULL)
                pTheme->DrawImage(&dc, CPoint(rc.left + 3, rc.top + 3), CSize(kIcon, kIcon), icons[i], nSelected, 0,
                                  TRUE, bChecked, 0);
        }
    }
    return (BenchNowMs() - t0) / nRounds;
}

double Peer(HWND hToolbar, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r)
        ::SendMessageW(hToolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    return (BenchNowMs() - t0) / nRounds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 2000;
    ::InitCommonControls();

    // 16 icons of distinct colours in one strip, shared by both sides.
    const int nButtons = kControls - 4;
    HIMAGELIST hImages = ::ImageList_Create(kIcon, kIcon, ILC_COLOR32, nButtons, 0);
    {
        CDibSection strip(kIcon * nButtons, kIcon, RGB(255, 255, 255));
        CDibDC dc(strip);
        for (int i = 0; i < nButtons; ++i)
            dc.FillSolidRect(i * kIcon + 2, 2, kIcon - 4, kIcon - 4, RGB(i * 15, 255 - i * 15, 128));
        HBITMAP hStrip = static_cast<HBITMAP>(
            ::CopyImage(::GetCurrentObject(strip.GetDC(), OBJ_BITMAP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ::ImageList_Add(hImages, hStrip, NULL);
        ::DeleteObject(hStrip);
    }

    HWND hParent =
        ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 600, 100, NULL, NULL, NULL, NULL);
    HWND hToolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER, 0, 0, 560,
                                      kRowHeight, hParent, NULL, NULL, NULL);
    ::SendMessageW(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hToolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages));

    CZPImageManager images;
    std::vector<UINT> commands;
    std::vector<TBBUTTON> buttons;
    for (int i = 0, nImage = 0; i < kControls; ++i) {
        TBBUTTON b = {};
        if (IsSeparatorAt(i)) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = kSeparator;
        } else {
            b.iBitmap = nImage++;
            b.idCommand = 100 + i;
            b.fsState = TBSTATE_ENABLED | ((i == 2 || i == 7) ? TBSTATE_CHECKED : 0);
            b.fsStyle = (i == 2 || i == 7) ? BTNS_CHECK : BTNS_BUTTON;
            commands.push_back(100 + i);
        }
        buttons.push_back(b);
    }
    ::SendMessageW(hToolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(hToolbar, TB_SETHOTITEM, 1, 0);
    images.SetIconsFromImageList(hImages, commands.data(), static_cast<int>(commands.size()), kIcon, kIcon, 0);

    CZPToolBar* pBar = new CZPToolBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 560, kRowHeight, NULL, NULL);
    pBar->SetPosition(zpBarTop);
    std::vector<CZPImageManagerIcon*> icons;
    for (int i = 0, x = 8; i < kControls; ++i) {
        CZPControl* pControl = pBar->GetControls()->Add(zpControlButton, 100 + i);
        const int cx = IsSeparatorAt(i) ? kSeparator : kButton;
        pControl->SetRect(CRect(x, 1, x + cx, kRowHeight - 1));
        pControl->SetRowRect(CRect(0, 1, 560, kRowHeight - 1));
        x += cx;
        icons.push_back(IsSeparatorAt(i) ? NULL : images.GetImage(100 + i, kIcon));
    }

    CZPDefaultTheme* pDefault = new CZPDefaultTheme;
    pDefault->RefreshMetrics();
    CZPNativeXPTheme* pNative = new CZPNativeXPTheme;
    pNative->RefreshMetrics();

    CDibSection dib(560, kRowHeight);
    printf("paint themes: a 20-control toolbar row against ToolbarWindow32 WM_PRINTCLIENT, %d rounds each\n", nRounds);
    Peer(hToolbar, dib.GetDC(), kBatches);
    Ours(pDefault, pBar, icons, dib.GetDC(), kBatches);
    Ours(pNative, pBar, icons, dib.GetDC(), kBatches);
    double dPeer = 0, dDefault = 0, dNative = 0;
    for (int b = 0; b < kBatches; ++b) {
        dPeer += Peer(hToolbar, dib.GetDC(), nRounds / kBatches);
        dDefault += Ours(pDefault, pBar, icons, dib.GetDC(), nRounds / kBatches);
        dNative += Ours(pNative, pBar, icons, dib.GetDC(), nRounds / kBatches);
    }
    BenchPrintRatio(pNative->IsThemed() ? "toolbar row, Native XP, vs ToolbarWindow32"
                                        : "toolbar row, Native XP (no style)",
                    dNative / kBatches, dPeer / kBatches, 1.5);
    BenchPrintRatio("toolbar row, Default, vs ToolbarWindow32", dDefault / kBatches, dPeer / kBatches, 1.0);

    // The bar is left to the process's exit: its release overflows the stack here (in the bar's
    // teardown, not in the themes), which the tests' bars do not; reported for the bars' owner.
    pNative->InternalRelease();
    pDefault->InternalRelease();
    ::DestroyWindow(hParent);
    ::ImageList_Destroy(hImages);
    return 0;
}
