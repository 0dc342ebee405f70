// The rebar control bar: creation on the common rebar control, bands and the frame's relayout.
#include <framework/rebar.h>

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
ON_WM_PAINT()
ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

namespace {

// The frame places the bar: the control neither moves itself to the top nor draws a divider.
const DWORD kControlStyleAdd = CCS_NODIVIDER | CCS_NOPARENTALIGN;

}  // namespace

CReBar::CReBar() {}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_COOL_CLASSES };
    ::InitCommonControlsEx(&icc);
    // The control sizes itself to its rows: no edges of the control bar's around it.
    m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;
    const DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | kControlStyleAdd;
    return CWnd::Create(REBARCLASSNAMEW, NULL, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CReBarCtrl& CReBar::GetReBarCtrl() const
{
    m_wndReBarCtrl.m_hWnd = m_hWnd;
    return m_wndReBarCtrl;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCWSTR pszText, CBitmap* pBitmap, DWORD dwStyle)
{
    if (pBar == NULL || pBar->m_hWnd == NULL || m_hWnd == NULL)
        return FALSE;
    CRect rc;
    pBar->GetWindowRect(&rc);
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
    rbbi.fStyle = dwStyle;
    rbbi.hwndChild = pBar->m_hWnd;
    rbbi.cxMinChild = static_cast<UINT>(rc.Width());
    rbbi.cyMinChild = static_cast<UINT>(rc.Height());
    rbbi.cx = static_cast<UINT>(rc.Width());
    if (pszText != NULL) {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = const_cast<LPWSTR>(pszText);
    }
    if (pBitmap != NULL) {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = static_cast<HBITMAP>(pBitmap->GetSafeHandle());
    }
    return GetReBarCtrl().InsertBand(static_cast<UINT>(-1), &rbbi);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (m_hWnd == NULL)
        return size;
    // The control knows its height for its current width; a vertical rebar's "height" is its width.
    const int nExtent = static_cast<int>(GetReBarCtrl().GetBarHeight());
    if (bHorz)
        size.cy += nExtent;
    else
        size.cx += nExtent;
    return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CReBar::GetCount() const
{
    return m_hWnd != NULL ? static_cast<INT_PTR>(GetReBarCtrl().GetBandCount()) : 0;
}

void CReBar::OnPaint()
{
    // The control paints itself (the control bar's own painting draws nothing).
    Default();
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;
    // The rebar's own layout runs inside the frame's: a relayout asked for there would be lost.
    if (pFrame->IsInRecalcLayout())
        pFrame->DelayRecalcLayout();
    else
        pFrame->RecalcLayout();
}
