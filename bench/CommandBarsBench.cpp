// The command bars against the system's own controls, in the same run: a status bar's background
// and size grip against msctls_statusbar32 with 6 parts, popup fades that must last their time,
// and the controls of a bar: built from a menu against TB_ADDBUTTONSW, laid out against
// TB_AUTOSIZE of a wrapping ToolbarWindow32, and the layout's growth when the controls double.
// Needs a display.
// Usage: commandbars_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "../tests/toolkit/commandbars/paint_manager_pixels.h"
#include "../tests/toolkit/commandbars/paint_manager_test_theme.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPToolBar.h"

#include <framework/menu.h>

#include <commctrl.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {
const int kStatusWidth = 800, kStatusHeight = 22;
const int kParts = 6;
const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both
const int kFadeWidth = 300, kFadeHeight = 400;
const int kControls = 500;
const int kBarWidth = 800;  // both bars wrap into rows of this width
const int kControlSamples = 15;
const int kFirstCommand = 1000;

// The message that makes the status bar paint into a DC of ours: WM_PRINTCLIENT where it answers
// it, else WM_PAINT with the DC in wParam (which common controls take too); 0 when neither paints.
UINT PeerPaintMessage(HWND hStatus, CDibSection& dib)
{
    const COLORREF clrProbe = RGB(255, 0, 255);
    for (UINT nMessage : { static_cast<UINT>(WM_PRINTCLIENT), static_cast<UINT>(WM_PAINT) }) {
        dib.Fill(clrProbe);
        ::SendMessageW(hStatus, nMessage, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT | PRF_ERASEBKGND);
        if (CountPixels(dib, clrProbe) < dib.Width() * dib.Height() / 2)
            return nMessage;
    }
    return 0;
}

double StatusBarPeer(HWND hStatus, UINT nMessage, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i)
        ::SendMessageW(hStatus, nMessage, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

double StatusBarOurs(CTestTheme* pPM, CWnd* pWnd, HDC hDC, int nRounds)
{
    CDibDC dc(hDC);
    const double t0 = BenchNowMs();
    for (int i = 0; i < nRounds; ++i) {
        pPM->FillStatusBar(&dc, pWnd);
        pPM->DrawStatusSizeGrip(&dc, CRect(0, 0, kStatusWidth, kStatusHeight));
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

void PrintRatio(const char* pszName, double dOurs, double dPeer, double dGoal)
{
    printf("  %-46s %8.3f ms, peer %8.3f ms, ratio %.2fx (goal <= %.1fx)\n", pszName, dOurs, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, dGoal);
}

// One fade of a popup against its time: with few steps its end must lie within one frame of the
// time; with a huge step count frames are skipped and it must end within a tenth of the time.
void Fade(CTestTheme* pPM, int nTime, int nSteps)
{
    CDibSection dest(kFadeWidth, kFadeHeight, RGB(0, 0, 0)), src(kFadeWidth, kFadeHeight, RGB(255, 255, 255));
    CDibDC dcDest(dest), dcSrc(src);
    pPM->m_nAnimationTime = nTime;
    pPM->m_nAnimationSteps = nSteps;
    const double t0 = BenchNowMs();
    pPM->AnimatePopup(&dcDest, &dcSrc, CRect(0, 0, kFadeWidth, kFadeHeight), zpAnimateFade);
    const double dElapsed = BenchNowMs() - t0;
    const double dFrame = static_cast<double>(nTime) / nSteps;
    char szName[80];
    sprintf(szName, "fade %d ms in %d steps: %.1f ms", nTime, nSteps, dElapsed);
    if (dFrame >= 1.0)
        printf("  %-46s frames off the time, ratio %.2fx (goal <= 1.0x)\n", szName, fabs(dElapsed - nTime) / dFrame);
    else
        printf("  %-46s share of the time, ratio %.2fx (goal <= 1.1x)\n", szName, dElapsed / nTime);
}
// The paint manager's toolbar slot is not built yet: this theme measures every button at the
// system toolbar's default button size, the size the peer lays out.
class CFixedButtonTheme : public CTestTheme
{
public:
    CSize DrawControlOnToolBar(CDC*, CZPControl*, BOOL) override { return CSize(23, 22); }
};

// A popup menu of n plain command items; destroyed with the object.
class CBenchMenu
{
public:
    explicit CBenchMenu(int nItems) : m_hMenu(::CreatePopupMenu())
    {
        for (int i = 0; i < nItems; ++i) {
            wchar_t szText[32];
            swprintf(szText, 32, L"Command %d", i);
            ::AppendMenuW(m_hMenu, MF_STRING, kFirstCommand + i, szText);
        }
    }
    ~CBenchMenu() { ::DestroyMenu(m_hMenu); }
    CBenchMenu(const CBenchMenu&) = delete;
    CBenchMenu& operator=(const CBenchMenu&) = delete;
    CMenu* Get() const { return CMenu::FromHandle(m_hMenu); }

private:
    HMENU m_hMenu;
};

// A toolbar of ours with its theme; the bar holds a reference to the theme.
class CBenchBar
{
public:
    explicit CBenchBar(CZPPaintManager* pTheme) : m_pBar(new CZPToolBar) { m_pBar->SetPaintManager(pTheme); }
    ~CBenchBar() { m_pBar->InternalRelease(); }
    CBenchBar(const CBenchBar&) = delete;
    CBenchBar& operator=(const CBenchBar&) = delete;
    CZPToolBar* operator->() const { return m_pBar; }

private:
    CZPToolBar* m_pBar;  // one reference
};

HWND CreatePeerToolBar(HWND hParent)
{
    HWND hToolBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | TBSTYLE_WRAPABLE, 0, 0, kBarWidth, 30,
                                      hParent, NULL, NULL, NULL);
    ::SendMessageW(hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return hToolBar;
}

// n buttons as the peer receives them: the menu's commands and captions, no images.
std::vector<TBBUTTON> PeerButtons(int nButtons, std::vector<std::wstring>& texts)
{
    texts.resize(nButtons);
    std::vector<TBBUTTON> buttons(nButtons);
    for (int i = 0; i < nButtons; ++i) {
        texts[i] = L"Command " + std::to_wstring(i);
        buttons[i] = {};
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = kFirstCommand + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = reinterpret_cast<INT_PTR>(texts[i].c_str());
    }
    return buttons;
}

// One sample each: ours builds the bar's controls from the menu, the peer adds the same
// buttons to a fresh toolbar. Tearing down is outside the timings.
void BuildSamples(HWND hParent, CZPPaintManager* pTheme, int nControls, CBenchTiming& ours, CBenchTiming* pPeer)
{
    CBenchMenu menu(nControls);
    {
        CBenchBar bar(pTheme);
        const double t0 = BenchNowMs();
        bar->LoadFromMenu(menu.Get(), FALSE);
        ours.samples.push_back(BenchNowMs() - t0);
    }
    if (pPeer == NULL)
        return;
    std::vector<std::wstring> texts;
    std::vector<TBBUTTON> buttons = PeerButtons(nControls, texts);
    HWND hToolBar = CreatePeerToolBar(hParent);
    const double t0 = BenchNowMs();
    ::SendMessageW(hToolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    pPeer->samples.push_back(BenchNowMs() - t0);
    ::DestroyWindow(hToolBar);
}

// Layout of bars that stay built: ours lays out its buttons in rows of the bar's width, the
// peer's wrapping toolbar sizes itself to its parent and wraps its buttons the same way.
double LayoutOurs(CBenchBar& bar, CDC* pDC)
{
    const double t0 = BenchNowMs();
    bar->GetControls()->LayoutControls(pDC, kBarWidth, ZP_LM_HORZDOCK | ZP_LM_COMMIT, CRect(0, 0, 0, 0));
    return BenchNowMs() - t0;
}

double LayoutPeer(HWND hToolBar)
{
    const double t0 = BenchNowMs();
    ::SendMessageW(hToolBar, TB_AUTOSIZE, 0, 0);
    return BenchNowMs() - t0;
}

void PrintMedians(const char* pszName, const CBenchTiming& ours, const CBenchTiming& peer, double dGoal)
{
    PrintRatio(pszName, BenchMedian(ours.samples), BenchMedian(peer.samples), dGoal);
}

void ControlsBench(HWND hParent)
{
    CRefPtr<CFixedButtonTheme> pTheme = CRefPtr<CFixedButtonTheme>::Adopt(new CFixedButtonTheme);
    pTheme->RefreshMetrics();
    printf("controls of a bar: %d against the system toolbar, medians of %d samples\n", kControls, kControlSamples);
    printf("  (the paint manager's toolbar slot is not built yet: buttons measure at the toolbar's 23 x 22)\n");

    CBenchTiming build = { "build", 0, {} }, buildPeer = { "build peer", 0, {} };
    CBenchTiming buildDouble = { "build x2", 0, {} };
    BuildSamples(hParent, pTheme.Get(), kControls, build, &buildPeer);  // warm-up
    build.samples.clear();
    buildPeer.samples.clear();
    for (int i = 0; i < kControlSamples; ++i) {
        BuildSamples(hParent, pTheme.Get(), kControls, build, &buildPeer);
        BuildSamples(hParent, pTheme.Get(), 2 * kControls, buildDouble, NULL);
    }
    PrintMedians("build 500 from a menu vs TB_ADDBUTTONSW x500", build, buildPeer, 3.0);
    PrintMedians("build 1000 from a menu vs build 500", buildDouble, build, 2.2);

    CBenchMenu menu(kControls), menuDouble(2 * kControls);
    CBenchBar bar(pTheme.Get()), barDouble(pTheme.Get());
    bar->LoadFromMenu(menu.Get(), FALSE);
    barDouble->LoadFromMenu(menuDouble.Get(), FALSE);
    std::vector<std::wstring> texts;
    std::vector<TBBUTTON> buttons = PeerButtons(kControls, texts);
    for (TBBUTTON& button : buttons)
        button.iString = -1;  // ours are measured without captions too
    HWND hToolBar = CreatePeerToolBar(hParent);
    ::SendMessageW(hToolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    CDibSection dib(kBarWidth, 30);
    CDibDC dc(dib);

    CBenchTiming layout = { "layout", 0, {} }, layoutPeer = { "layout peer", 0, {} };
    CBenchTiming layoutDouble = { "layout x2", 0, {} };
    LayoutOurs(bar, &dc);
    LayoutPeer(hToolBar);
    for (int i = 0; i < kControlSamples * 4; ++i) {
        layout.samples.push_back(LayoutOurs(bar, &dc));
        layoutPeer.samples.push_back(LayoutPeer(hToolBar));
        layoutDouble.samples.push_back(LayoutOurs(barDouble, &dc));
    }
    PrintMedians("LayoutControls 500 vs TB_AUTOSIZE wrapping x500", layout, layoutPeer, 2.0);
    PrintMedians("LayoutControls 1000 vs LayoutControls 500", layoutDouble, layout, 2.2);
    ::DestroyWindow(hToolBar);
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 2000;
    ::InitCommonControls();

    // Visible: the status bar paints nothing while it is not.
    HWND hParent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kStatusWidth, 100, NULL, NULL,
                                     NULL, NULL);
    HWND hStatus = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                     kStatusWidth, kStatusHeight, hParent, NULL, NULL, NULL);
    int parts[kParts];
    for (int i = 0; i < kParts; ++i)
        parts[i] = i == kParts - 1 ? -1 : (i + 1) * kStatusWidth / kParts;
    ::SendMessageW(hStatus, SB_SETPARTS, kParts, reinterpret_cast<LPARAM>(parts));
    for (int i = 0; i < kParts; ++i)
        ::SendMessageW(hStatus, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(L"Ready"));
    RECT rcStatus;
    ::GetClientRect(hStatus, &rcStatus);

    CWnd wndOurs;
    wndOurs.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, kStatusWidth, rcStatus.bottom), CWnd::FromHandle(hParent),
                     1);
    CDibSection dib(kStatusWidth, kStatusHeight);

    CTestThemeRef classic;
    CTestThemeRef themed;
    themed->m_bThemedStatusBar = TRUE;
    themed->RefreshMetrics();

    const UINT nPeerMessage = PeerPaintMessage(hStatus, dib);
    if (nPeerMessage == 0) {
        printf("msctls_statusbar32 paints into no DC of ours: no status-bar comparison\n");
        return 1;
    }
    printf("command bars: paint manager against the system's controls, %d rounds each\n", nRounds);
    printf("  (msctls_statusbar32 painted by %s; the paint manager draws no panes yet: its pane slots\n"
           "   come with the status bar's panes, so ours is the background and the size grip)\n",
           nPeerMessage == WM_PRINTCLIENT ? "WM_PRINTCLIENT" : "WM_PAINT");
    StatusBarPeer(hStatus, nPeerMessage, dib.GetDC(), kBatches);
    StatusBarOurs(classic.Get(), &wndOurs, dib.GetDC(), kBatches);
    double dPeer = 0, dClassic = 0, dThemed = 0;
    for (int b = 0; b < kBatches; ++b) {
        dPeer += StatusBarPeer(hStatus, nPeerMessage, dib.GetDC(), nRounds / kBatches);
        dClassic += StatusBarOurs(classic.Get(), &wndOurs, dib.GetDC(), nRounds / kBatches);
        dThemed += StatusBarOurs(themed.Get(), &wndOurs, dib.GetDC(), nRounds / kBatches);
    }
    PrintRatio("status bar, classic, vs msctls_statusbar32 x6", dClassic / kBatches, dPeer / kBatches, 2.0);
    PrintRatio(themed->IsThemeInUse(themed->m_themeStatusBar) ? "status bar, themed, vs msctls_statusbar32 x6"
                                                              : "status bar, themed (no style), vs statusbar32",
               dThemed / kBatches, dPeer / kBatches, 2.0);

    Fade(classic.Get(), 200, 10);
    Fade(classic.Get(), 250, 1000000);

    ControlsBench(hParent);

    wndOurs.DestroyWindow();
    ::DestroyWindow(hParent);
    return 0;
}
