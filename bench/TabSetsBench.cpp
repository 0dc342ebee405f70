// The twelve tab appearance sets against the system's tab control, in the same run: a strip of 50
// tabs drawn into a DIB by each set, against SysTabControl32 printing 50 tabs with WM_PRINTCLIENT.
// Needs a display. Usage: tab_sets_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "../tests/toolkit/common/DibSection.h"

#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabPaintManager.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kTabs = 50;
const int kWidth = 2600, kHeight = 80;
const int kSets = 12;
const int kBatches = 5;  // ours and the peer's alternate so that the machine's load falls on both
const double kGoal = 3.0;

// A strip without a window: laid out once into the DIB's rectangle.
class CBenchStrip : public CZPTabManager
{
public:
    explicit CBenchStrip(CZPTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}
    CZPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(LPCRECT, BOOL) override {}
    BOOL DrawItemIcon(CDC*, CPoint, CZPTabManagerItem*, BOOL, CSize&) override { return FALSE; }
    void Reposition() override {}
    void Layout(HDC hDC)
    {
        CDC dc(hDC);
        m_pPaintManager->RepositionTabControl(this, &dc, CRect(0, 0, kWidth, kHeight));
        dc.Detach();
    }

private:
    CZPTabPaintManager* m_pPaintManager;  // borrowed from main
};

double Ours(CZPTabPaintManager* pPaintManager, CBenchStrip* pStrip, HDC hDC, int nRounds)
{
    CDC dc(hDC);
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r)
        pPaintManager->DrawTabControl(pStrip, &dc, CRect(0, 0, kWidth, kHeight));
    const double d = (BenchNowMs() - t0) / nRounds;
    dc.Detach();
    return d;
}

double Peer(HWND hTab, HDC hDC, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r)
        ::SendMessageW(hTab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT | PRF_ERASEBKGND);
    return (BenchNowMs() - t0) / nRounds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    ::InitCommonControls();
    HWND hParent =
        ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, NULL, NULL, NULL, NULL);
    HWND hTab = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, hParent, NULL,
                                  NULL, NULL);
    ::SendMessageW(hTab, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    CZPTabPaintManager* pPaintManager = new CZPTabPaintManager();
    CBenchStrip strip(pPaintManager);
    for (int i = 0; i < kTabs; ++i) {
        WCHAR szCaption[16];
        wsprintfW(szCaption, L"Tab %d", i);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szCaption;
        ::SendMessageW(hTab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        strip.AddItem(-1)->SetCaption(szCaption);
    }
    ::SendMessageW(hTab, TCM_SETCURSEL, 1, 0);
    strip.SetCurSel(1);

    CDibSection dib(kWidth, kHeight);
    printf("tab sets: %d tabs drawn by each appearance set against SysTabControl32 WM_PRINTCLIENT, %d rounds each\n",
           kTabs, nRounds);
    for (int nSet = 0; nSet < kSets; ++nSet) {
        pPaintManager->SetAppearance(nSet);
        strip.Layout(dib.GetDC());
        Peer(hTab, dib.GetDC(), kBatches);
        Ours(pPaintManager, &strip, dib.GetDC(), kBatches);
        double dPeer = 0, dOurs = 0;
        for (int b = 0; b < kBatches; ++b) {
            dPeer += Peer(hTab, dib.GetDC(), nRounds / kBatches);
            dOurs += Ours(pPaintManager, &strip, dib.GetDC(), nRounds / kBatches);
        }
        char szName[64];
        sprintf(szName, "appearance %2d, %d tabs, vs SysTabControl32", nSet, kTabs);
        BenchPrintRatio(szName, dOurs / kBatches, dPeer / kBatches, kGoal);
    }

    strip.DeleteAllItems();
    pPaintManager->InternalRelease();
    ::DestroyWindow(hParent);
    return 0;
}
