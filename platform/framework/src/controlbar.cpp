// Control bars: alignment along a frame edge, borders, delayed showing and the idle update.
#include <framework/frame.h>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

namespace {

// Width of the etched line of each CBRS_BORDER_* edge.
const int kEdge = 2;

UINT EdgeFlags(DWORD dwStyle)
{
    return ((dwStyle & CBRS_BORDER_LEFT) != 0 ? BF_LEFT : 0) | ((dwStyle & CBRS_BORDER_TOP) != 0 ? BF_TOP : 0) |
           ((dwStyle & CBRS_BORDER_RIGHT) != 0 ? BF_RIGHT : 0) | ((dwStyle & CBRS_BORDER_BOTTOM) != 0 ? BF_BOTTOM : 0);
}

// The non-client edges of a bar of this style.
CRect EdgeInsets(DWORD dwStyle)
{
    return CRect((dwStyle & CBRS_BORDER_LEFT) != 0 ? kEdge : 0, (dwStyle & CBRS_BORDER_TOP) != 0 ? kEdge : 0,
                 (dwStyle & CBRS_BORDER_RIGHT) != 0 ? kEdge : 0, (dwStyle & CBRS_BORDER_BOTTOM) != 0 ? kEdge : 0);
}

}  // namespace

CControlBar::CControlBar()
    : m_dwStyle(0), m_cxLeftBorder(0), m_cxRightBorder(0), m_cyTopBorder(0), m_cyBottomBorder(0), m_cxDefaultGap(2),
      m_bAutoDelete(FALSE), m_pDockSite(NULL), m_nStateFlags(0)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // Bar styles travel in the window style unless the bar set them itself.
    if (m_dwStyle == 0) {
        m_dwStyle = static_cast<DWORD>(cs.style) & CBRS_ALL;
        cs.style &= ~static_cast<LONG>(CBRS_ALL);
    }
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT)
{
    if (static_cast<int>(Default()) == -1)
        return -1;
    if ((m_dwStyle & CBRS_TOOLTIPS) != 0)
        EnableToolTips(TRUE);
    m_pDockSite = GetParentFrame();
    if (m_pDockSite != NULL)
        m_pDockSite->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite != NULL) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    Default();
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // What the bar's own children report goes on to the owner (the frame) unless the bar handles it.
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL && pOwner->m_hWnd != NULL)
            return pOwner->SendMessage(message, wParam, lParam);
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    DWORD dwOld = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOld, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    // Edges are non-client: a change of them resizes the frame of the window.
    if (m_hWnd != NULL && EdgeFlags(dwOldStyle) != EdgeFlags(dwNewStyle))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

BOOL CControlBar::IsVisible() const
{
    if ((m_nStateFlags & delayHide) != 0)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rectEdges = EdgeInsets(m_dwStyle);
    CSize size(rectEdges.left + rectEdges.right + m_cxLeftBorder + m_cxRightBorder,
               rectEdges.top + rectEdges.bottom + m_cyTopBorder + m_cyBottomBorder);
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

void CControlBar::DoPaint(CDC*)
{
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    UINT nFlags = EdgeFlags(m_dwStyle);
    if (nFlags != 0)
        ::DrawEdge(pDC->m_hDC, &rect, EDGE_ETCHED, nFlags | BF_ADJUST);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rectEdges = EdgeInsets(m_dwStyle);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += rectEdges.left;
    rc.top += rectEdges.top;
    rc.right -= rectEdges.right;
    rc.bottom -= rectEdges.bottom;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectEdges = EdgeInsets(m_dwStyle);
    rectClient.OffsetRect(rectEdges.left, rectEdges.top);
    dc.ExcludeClipRect(&rectClient);
    dc.FillSolidRect(&rectWindow, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, rectWindow);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if ((m_dwStyle & CBRS_ALIGN_ANY) == 0 || !IsVisible())
        return 0;
    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    if (size.cx > sizeAvail.cx)
        size.cx = sizeAvail.cx;
    if (size.cy > sizeAvail.cy)
        size.cy = sizeAvail.cy;
    if (bHorz) {
        lpLayout->sizeTotal.cy += size.cy;
        if (lpLayout->sizeTotal.cx < size.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if ((m_dwStyle & CBRS_ALIGN_TOP) != 0) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        if (lpLayout->sizeTotal.cy < size.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if ((m_dwStyle & CBRS_ALIGN_LEFT) != 0) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if ((m_nStateFlags & (delayHide | delayShow)) != 0) {
        BOOL bShow = (m_nStateFlags & delayShow) != 0;
        m_nStateFlags &= ~(delayHide | delayShow);
        ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
        if (CFrameWnd* pFrame = GetDockingFrame())
            pFrame->DelayRecalcLayout();
    }
    if ((GetStyle() & WS_VISIBLE) != 0) {
        CWnd* pOwner = GetOwner();
        CFrameWnd* pTarget = pOwner != NULL && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
        if (pTarget != NULL)
            OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}

LRESULT CControlBar::OnInitialUpdate(WPARAM, LPARAM)
{
    return OnIdleUpdateCmdUI(TRUE, 0);
}
