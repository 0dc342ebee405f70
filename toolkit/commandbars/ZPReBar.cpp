// The command bars' rebar: command-bar bands, their sizes in the band layout, buffered painting and
// the saved band state.
#include "commandbars/ZPReBar.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPDeviceContext.h"

#include <framework/app.h>

#include <cstdio>

const wchar_t kZpRebarStateEntry[] = L"RebarStateInfo";

namespace {

// Lengths and layout modes a command bar is measured with in a band.
const int kBandMeasureLength = 32000;
const DWORD kModeAddBand = LM_HORZ | LM_HORZDOCK | LM_COMMIT;                     // 0x4A
const DWORD kModeMinWidth = LM_HORZ | LM_HORZDOCK;                                // 0x0A
const DWORD kModeStretch = LM_STRETCH | LM_HORZ | LM_HORZDOCK | LM_COMMIT;        // 0x4B
const DWORD kLayoutHideWrapped = 0x80;                                            // controls that do not fit hide
const DWORD kModeFixed = LM_HORZ | LM_HORZDOCK | LM_COMMIT | kLayoutHideWrapped;  // 0xCA
// Bar flags: the bar stretches across its band; the docking bits a band takes away.
const DWORD kBarFlagStretch = 0x40;
const DWORD kBarFlagsDocking = 0x1F;
// Band styles that the saved state restores.
const UINT kSavedBandStyles = RBBS_BREAK | RBBS_HIDDEN;
const int kStateFields = 3;

REBARBANDINFOW BandInfo(UINT fMask)
{
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = fMask;
    return rbbi;
}

// A bar's size in a horizontal band: a toolbar's docked size, any other bar's own measure.
CSize DockedSizeOf(CZPCommandBar* pBar, int nLength, DWORD dwMode)
{
    if (pBar->IsKindOf(RUNTIME_CLASS(CZPToolBar)))
        return static_cast<CZPToolBar*>(pBar)->CalcDockedSize(nLength, dwMode, 0);
    return pBar->ComputeBarSize(nLength, dwMode);
}

}  // namespace

IMPLEMENT_DYNAMIC(CZPReBar, CReBar)

BEGIN_MESSAGE_MAP(CZPReBar, CReBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CZPReBar::CZPReBar() {}

BOOL CZPReBar::AddCommandBarBand(CZPCommandBar* pBar, DWORD dwBandStyle)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return FALSE;
    const CSize size = DockedSizeOf(pBar, kBandMeasureLength, kModeAddBand);
    pBar->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    if (pBar->IsKindOf(RUNTIME_CLASS(CZPToolBar))) {
        CZPToolBar* pToolBar = static_cast<CZPToolBar*>(pBar);
        if (CZPDockBar* pDockBar = pToolBar->GetDockBar())
            pDockBar->RemoveBar(pToolBar);
    }
    pBar->ModifyBarFlags(kBarFlagsDocking, 0);
    pBar->SetBarStyle(pBar->GetBarStyle() & ~ZP_BAR_STYLE_GRIPPER);
    if (!AddBar(pBar, NULL, NULL, dwBandStyle))
        return FALSE;
    REBARBANDINFOW rbbi = BandInfo(RBBIM_ID);
    rbbi.wID = pBar->GetBarID();
    GetReBarCtrl().SetBandInfo(GetReBarCtrl().GetBandCount() - 1, &rbbi);
    return TRUE;
}

CZPToolBar* CZPReBar::GetBandBar(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(GetCount()))
        return NULL;
    REBARBANDINFOW rbbi = BandInfo(RBBIM_CHILD);
    if (!GetReBarCtrl().GetBandInfo(static_cast<UINT>(nIndex), &rbbi) || rbbi.hwndChild == NULL)
        return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(rbbi.hwndChild);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CZPToolBar)) ? static_cast<CZPToolBar*>(pWnd) : NULL;
}

int CZPReBar::FindBand(CZPCommandBar* pBar) const
{
    if (pBar == NULL)
        return -1;
    for (int i = static_cast<int>(GetCount()) - 1; i >= 0; --i) {
        REBARBANDINFOW rbbi = BandInfo(RBBIM_CHILD);
        if (GetReBarCtrl().GetBandInfo(static_cast<UINT>(i), &rbbi) && rbbi.hwndChild == pBar->m_hWnd)
            return i;
    }
    return -1;
}

int CZPReBar::DeleteCommandBarBand(CZPCommandBar* pBar)
{
    const int nBand = FindBand(pBar);
    if (nBand != -1)
        GetReBarCtrl().DeleteBand(static_cast<UINT>(nBand));
    return nBand;
}

CSize CZPReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CReBar::CalcFixedLayout(bStretch, bHorz);
    Invalidate(FALSE);
    for (int i = static_cast<int>(GetCount()) - 1; i >= 0; --i) {
        CZPToolBar* pBar = GetBandBar(i);
        if (pBar == NULL)
            continue;
        REBARBANDINFOW rbbi = BandInfo(RBBIM_CHILDSIZE | RBBIM_IDEALSIZE);
        rbbi.cxMinChild = static_cast<UINT>(pBar->CalcDockedSize(kBandMeasureLength, kModeMinWidth, 0).cx);
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        const DWORD dwMode = (pBar->GetFlags() & kBarFlagStretch) != 0 ? kModeStretch : kModeFixed;
        const CSize sizeBar = pBar->CalcDockedSize(rcBar.Width(), dwMode, 0);
        rbbi.cyMinChild = static_cast<UINT>(sizeBar.cy);
        rbbi.cxIdeal = static_cast<UINT>(sizeBar.cx);
        GetReBarCtrl().SetBandInfo(static_cast<UINT>(i), &rbbi);
        pBar->Invalidate(FALSE);
    }
    return size;
}

void CZPReBar::OnPaint()
{
    CPaintDC dc(this);
    CZPBufferDC dcBuffer(dc);
    CRect rcClient;
    GetClientRect(&rcClient);
    dcBuffer.FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));
    DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dcBuffer.m_hDC), 0);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dcBuffer.m_hDC), 0);
}

BOOL CZPReBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// Band state ----------------------------------------------------------------------------------------

CString CZPReBar::FormatBandState() const
{
    CString strState;
    for (UINT i = 0; i < static_cast<UINT>(GetCount()); ++i) {
        REBARBANDINFOW rbbi = BandInfo(RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE);
        GetReBarCtrl().GetBandInfo(i, &rbbi);
        CString strLine;
        strLine.Format(L"wID=%04X, cx=%d, fStyle=%08X", rbbi.wID, static_cast<int>(rbbi.cx), rbbi.fStyle);
        if (i > 0)
            strState += L'\n';
        strState += strLine;
    }
    return strState;
}

void CZPReBar::ApplyBandState(const CString& strState)
{
    if (strState.IsEmpty())
        return;
    int nStart = 0;
    const int nBands = static_cast<int>(GetCount());
    for (int i = 0; i < nBands && nStart <= strState.GetLength(); ++i) {
        int nEnd = strState.Find(L'\n', nStart);
        if (nEnd < 0)
            nEnd = strState.GetLength();
        const CString strLine = strState.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        UINT nID = 0, nStyle = 0;
        int cx = 0;
        if (swscanf(strLine, L"wID=%X, cx=%d, fStyle=%X", &nID, &cx, &nStyle) != kStateFields)
            continue;
        // A line naming no band of ours describes nothing here: its style must not land on band i.
        const int nFrom = GetReBarCtrl().IDToIndex(nID);
        if (nFrom < 0)
            continue;
        if (nFrom != i)
            GetReBarCtrl().MoveBand(static_cast<UINT>(nFrom), static_cast<UINT>(i));
        REBARBANDINFOW rbbi = BandInfo(RBBIM_STYLE);
        GetReBarCtrl().GetBandInfo(static_cast<UINT>(i), &rbbi);
        rbbi.fMask = RBBIM_STYLE | RBBIM_SIZE;
        rbbi.fStyle = (rbbi.fStyle & ~kSavedBandStyles) | (nStyle & kSavedBandStyles);
        rbbi.cx = static_cast<UINT>(cx > 0 ? cx : 0);
        GetReBarCtrl().SetBandInfo(static_cast<UINT>(i), &rbbi);
        if ((nStyle & RBBS_HIDDEN) != 0) {
            if (CZPToolBar* pBar = GetBandBar(i))
                pBar->SetBarVisible(FALSE);
        }
    }
}

void CZPReBar::SaveBandState(LPCWSTR lpszSection)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WriteProfileString(lpszSection, kZpRebarStateEntry, FormatBandState());
}

void CZPReBar::LoadBandState(LPCWSTR lpszSection)
{
    if (CWinApp* pApp = AfxGetApp())
        ApplyBandState(pApp->GetProfileString(lpszSection, kZpRebarStateEntry, L""));
}
