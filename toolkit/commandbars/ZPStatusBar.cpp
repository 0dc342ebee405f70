// The status bar and its panes: layout, drawing, idle update, button panes and profile state.
#include "commandbars/ZPStatusBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"
#include "common/ZPToolInfo.h"
#include "common/ZPToolTipContext.h"
#include "common/ZPTrackingLoop.h"

#include <framework/app.h>
#include <framework/messages.h>
#include <framework/refptr.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace {

const LPCWSTR kStatusBarClass = L"ZPStatusBar";
const int kDefaultMinHeight = 20;
const int kDefaultPaneGap = 2;
const int kPaneBorderWidth = 2;  // the sunken frame of a bordered pane, both sides together
const int kStretchWidth = 1;     // fixed width of the leading message pane
const int kIconGap = 2;
const int kFixedLayoutWidth = 32767;
// Control-bar borders of a status bar: left, top, right, bottom.
const int kBorderTop = 2;
// Window styles of the bar: no parent alignment, no resizing, no divider (the common-controls bits).
const DWORD kWindowStyleKeep = 0xFFBF004E;
const DWORD kWindowStyleAdd = 0x4E;
// A bottom bar with the top border loses its border bits before creation.
const DWORD kAlignAndBorderMask = CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_BORDER_3D;
const DWORD kBorderBits = CBRS_BORDER_ANY | CBRS_BORDER_3D;
const DWORD kStyleBorderEdges = CBRS_BORDER_ANY;
const int kRibbonTheme = 6;

const LPCWSTR kEntryStatusBar = L"StatusBar";
const LPCWSTR kEntryStatusBarPanes = L"StatusBarPanes";

}  // namespace

// Panes ------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CZPStatusBarPane, CCmdTarget)

CZPStatusBarPane::CZPStatusBarPane()
    : m_nID(0), m_nFixedWidth(0), m_nStyle(0), m_nState(0), m_clrText(static_cast<COLORREF>(-1)),
      m_clrBackground(static_cast<COLORREF>(-1)), m_rcPane(0, 0, 0, 0), m_pChildWnd(NULL), m_bOwnsChild(FALSE),
      m_nAlignment(0), m_pStatusBar(NULL), m_nIndex(-1), m_nIconId(-1), m_rcInset(3, 1, 3, 1), m_rcMargins(0, 0, 0, 0),
      m_bButton(FALSE), m_bPressed(FALSE), m_bGapBefore(TRUE), m_nComputedWidth(0), m_bCustomizable(TRUE)
{}

CZPStatusBarPane::~CZPStatusBarPane()
{
    if (m_pChildWnd != NULL) {
        if (::IsWindow(m_pChildWnd->m_hWnd))
            m_pChildWnd->DestroyWindow();
        if (m_bOwnsChild)
            delete m_pChildWnd;
    }
}

void CZPStatusBarPane::SetText(LPCWSTR lpszText)
{
    CString strText(lpszText != NULL ? lpszText : L"");
    if (strText == m_strText)
        return;
    m_strText = strText;
    if (!IsShown() || m_pStatusBar == NULL)
        return;
    if (m_nFixedWidth > 0 || BestFit() == m_nComputedWidth)
        InvalidatePane();
    else
        m_pStatusBar->RecalcPaneLayout();
}

void CZPStatusBarPane::SetStyle(UINT nStyle)
{
    if (nStyle == m_nStyle)
        return;
    const BOOL bStretchChanged = ((nStyle ^ m_nStyle) & ZP_SBPS_STRETCH) != 0;
    m_nStyle = nStyle;
    if (bStretchChanged && m_pStatusBar != NULL)
        m_pStatusBar->RecalcPaneLayout();
    InvalidatePane();
}

void CZPStatusBarPane::SetEnabled(BOOL bEnabled)
{
    SetStyle(bEnabled ? (m_nStyle & ~ZP_SBPS_DISABLED) : (m_nStyle | ZP_SBPS_DISABLED));
}

void CZPStatusBarPane::SetVisible(BOOL bVisible)
{
    const UINT nState = bVisible ? (m_nState & ~ZP_PANE_STATE_HIDDEN) : (m_nState | ZP_PANE_STATE_HIDDEN);
    if (nState == m_nState)
        return;
    m_nState = nState;
    if (m_pStatusBar != NULL)
        m_pStatusBar->RecalcPaneLayout();
}

void CZPStatusBarPane::SetFixedWidth(int nWidth)
{
    m_nFixedWidth = nWidth;
    if (m_pStatusBar != NULL)
        m_pStatusBar->RecalcPaneLayout();
}

void CZPStatusBarPane::SetChildWindow(CWnd* pWnd, BOOL bOwns)
{
    m_pChildWnd = pWnd;
    m_bOwnsChild = bOwns;
    if (m_pStatusBar != NULL)
        m_pStatusBar->RecalcPaneLayout();
}

void CZPStatusBarPane::SetOwnFont(const LOGFONTW* pLogFont)
{
    m_font.DeleteObject();
    if (pLogFont != NULL)
        m_font.CreateFontIndirect(pLogFont);
}

void CZPStatusBarPane::InvalidatePane()
{
    if (IsShown() && m_pStatusBar != NULL && m_pStatusBar->m_hWnd != NULL)
        m_pStatusBar->InvalidateRect(&m_rcPane, TRUE);
}

int CZPStatusBarPane::BestFit()
{
    int cx = m_rcInset.left + m_rcInset.right;
    if (!m_strText.IsEmpty()) {
        CWindowDC dc(NULL);
        CFont* pFont = GetTextFont();
        HGDIOBJ hOld = pFont != NULL ? ::SelectObject(dc.m_hDC, pFont->GetSafeHandle()) : NULL;
        cx += dc.GetTextExtent(m_strText).cx;
        if (hOld != NULL)
            ::SelectObject(dc.m_hDC, hOld);
    }
    if (CZPImageManagerIcon* pIcon = GetImage())
        cx += pIcon->GetWidth() + (m_strText.IsEmpty() ? 0 : kIconGap);
    return cx;
}

int CZPStatusBarPane::GetWidth()
{
    return m_nFixedWidth > 0 ? m_nFixedWidth : BestFit();
}

CFont* CZPStatusBarPane::GetTextFont()
{
    if (m_font.GetSafeHandle() != NULL)
        return &m_font;
    return m_pStatusBar != NULL ? m_pStatusBar->GetStatusFont() : NULL;
}

CZPImageManagerIcon* CZPStatusBarPane::GetImage()
{
    if (m_nIconId == -1)
        return NULL;
    CZPImageManager* pImageManager =
        m_pStatusBar != NULL ? m_pStatusBar->ResolveImageManager() : ZpImageManagerInstance();
    return pImageManager != NULL ? pImageManager->GetImage(static_cast<UINT>(m_nIconId)) : NULL;
}

CZPPaintManager* CZPStatusBarPane::GetPaintManager() const
{
    return m_pStatusBar != NULL ? m_pStatusBar->ResolvePaintManager() : ZpGetPaintManager();
}

void CZPStatusBarPane::Draw(CDC* pDC, CRect rc)
{
    GetPaintManager()->DrawStatusPane(pDC, rc, this);
}

void CZPStatusBarPane::OnLButtonDown(CPoint)
{
    if (m_pStatusBar != NULL && m_bButton && IsEnabled() && m_pStatusBar->TrackPanePress(this, m_rcPane))
        m_pStatusBar->OnPaneClick(this);
}

void CZPStatusBarPane::OnMouseMove(CPoint) {}

INT_PTR CZPStatusBarPane::OnToolHitTest(CPoint, TOOLINFOW*)
{
    return -1;
}

// Command update -------------------------------------------------------------------------------

void CZPStatusBar::CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (CZPStatusBarPane* pPane = static_cast<CZPStatusBar*>(m_pOther)->PaneAt(static_cast<int>(m_nIndex)))
        pPane->SetEnabled(bOn);
}

void CZPStatusBar::CStatusCmdUI::SetCheck(int nCheck)
{
    if (CZPStatusBarPane* pPane = static_cast<CZPStatusBar*>(m_pOther)->PaneAt(static_cast<int>(m_nIndex))) {
        const UINT nStyle = pPane->GetStyle();
        pPane->SetStyle(nCheck != 0 ? (nStyle | ZP_SBPS_POPOUT) : (nStyle & ~ZP_SBPS_POPOUT));
    }
}

void CZPStatusBar::CStatusCmdUI::SetText(LPCWSTR lpszText)
{
    if (CZPStatusBarPane* pPane = static_cast<CZPStatusBar*>(m_pOther)->PaneAt(static_cast<int>(m_nIndex)))
        pPane->SetText(lpszText);
}

// The bar -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CZPStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CZPStatusBar, CControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCCALCSIZE()
ON_WM_NCHITTEST()
ON_WM_SYSCOMMAND()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGING()
ON_WM_WINDOWPOSCHANGED()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(ZP_SB_SETMINHEIGHT, OnSetMinHeight)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CZPStatusBar::CZPStatusBar()
    : m_nMinHeight(kDefaultMinHeight), m_bShowDisabledPaneText(TRUE), m_pHotPane(NULL), m_nDividerPane(0),
      m_bSizeGrip(FALSE), m_nPaneGap(kDefaultPaneGap), m_bCustomizable(FALSE), m_pCommandBars(NULL),
      m_pToolTipContext(new CZPToolTipContext)
{
    SetBorders(0, kBorderTop, 0, 0);
}

CZPStatusBar::~CZPStatusBar()
{
    RemoveAllPanes();
    m_pToolTipContext->InternalRelease();
}

BOOL CZPStatusBar::CreateBar(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    if ((m_dwStyle & kAlignAndBorderMask) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
        m_dwStyle &= ~kBorderBits;
    m_bSizeGrip = pParent != NULL && (pParent->GetStyle() & WS_THICKFRAME) != 0;
    ZpRegisterWindowClass(NULL, kStatusBarClass, 0, NULL, NULL);
    return CWnd::Create(kStatusBarClass, NULL, (dwStyle & kWindowStyleKeep) | kWindowStyleAdd, CRect(0, 0, 0, 0),
                        pParent, nID);
}

CZPStatusBarPane* CZPStatusBar::AddPane(UINT nID, int nIndex)
{
    return AddPane(new CZPStatusBarPane, nID, nIndex);
}

CZPStatusBarPane* CZPStatusBar::AddPane(CZPStatusBarPane* pPane, UINT nID, int nIndex)
{
    pPane->m_nID = nID;
    pPane->m_pStatusBar = this;
    if (nIndex < 0 || nIndex > GetPaneCount())
        nIndex = GetPaneCount();
    m_arrPanes.InsertAt(nIndex, pPane);
    RecalcPaneLayout();
    return pPane;
}

BOOL CZPStatusBar::CreatePanesFromIds(const UINT* pIds, int nCount)
{
    RemoveAllPanes();
    BOOL bResult = TRUE;
    for (int i = 0; i < nCount; ++i) {
        CString strText;
        if (pIds[i] != 0 && !ZpResourceManagerInstance()->LoadString(strText, pIds[i])) {
            bResult = FALSE;
            break;
        }
        CZPStatusBarPane* pPane = CreatePane(pIds[i]);
        m_arrPanes.Add(pPane);
        if (pIds[i] == 0 && i == 0) {
            pPane->m_nStyle |= ZP_SBPS_STRETCH | ZP_SBPS_NOBORDERS;
            pPane->m_nFixedWidth = kStretchWidth;
        }
        pPane->m_strText = strText;
    }
    RecalcPaneLayout();
    return bResult;
}

void CZPStatusBar::RemoveAllPanes()
{
    // The array is emptied first: a pane's last release may re-enter the bar.
    CArray<CZPStatusBarPane*, CZPStatusBarPane*> arrPanes;
    arrPanes.Copy(m_arrPanes);
    m_arrPanes.RemoveAll();
    m_pHotPane = NULL;
    for (INT_PTR i = 0; i < arrPanes.GetSize(); ++i) {
        arrPanes[i]->m_pStatusBar = NULL;
        arrPanes[i]->InternalRelease();
    }
    RecalcPaneLayout();
}

CZPStatusBarPane* CZPStatusBar::PaneAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaneCount() ? m_arrPanes[nIndex] : NULL;
}

CZPStatusBarPane* CZPStatusBar::FindPane(UINT nID) const
{
    const int nIndex = CommandToIndex(nID);
    return nIndex >= 0 ? m_arrPanes[nIndex] : NULL;
}

int CZPStatusBar::CommandToIndex(UINT nID) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_arrPanes[i]->m_nID == nID)
            return i;
    return -1;
}

UINT CZPStatusBar::GetPaneStyle(int nIndex) const
{
    CZPStatusBarPane* pPane = PaneAt(nIndex);
    return pPane != NULL ? pPane->GetStyle() : 0;
}

void CZPStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (CZPStatusBarPane* pPane = PaneAt(nIndex))
        pPane->SetStyle(nStyle);
}

BOOL CZPStatusBar::SetPaneText(int nIndex, LPCWSTR lpszText)
{
    CZPStatusBarPane* pPane = PaneAt(nIndex);
    if (pPane == NULL)
        return FALSE;
    pPane->SetText(lpszText);
    return TRUE;
}

CZPStatusBarPane* CZPStatusBar::HitTestPane(CPoint point, CRect* pRect) const
{
    for (int i = 0; i < GetPaneCount(); ++i) {
        CZPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->IsShown() && pPane->m_rcPane.PtInRect(point)) {
            if (pRect != NULL)
                *pRect = pPane->m_rcPane;
            return pPane;
        }
    }
    return NULL;
}

CFont* CZPStatusBar::GetStatusFont()
{
    return m_font.GetSafeHandle() != NULL ? &m_font : ResolvePaintManager()->GetStatusFont();
}

void CZPStatusBar::SetOwnFont(const LOGFONTW* pLogFont)
{
    m_font.DeleteObject();
    if (pLogFont != NULL)
        m_font.CreateFontIndirect(pLogFont);
    RecalcPaneLayout();
}

CZPPaintManager* CZPStatusBar::ResolvePaintManager() const
{
    if (m_pCommandBars != NULL && m_pCommandBars->GetPaintManager() != NULL)
        return m_pCommandBars->GetPaintManager();
    return ZpGetPaintManager();
}

CZPImageManager* CZPStatusBar::ResolveImageManager() const
{
    if (m_pCommandBars != NULL && m_pCommandBars->GetImageManager() != NULL)
        return m_pCommandBars->GetImageManager();
    return ZpImageManagerInstance();
}

BOOL CZPStatusBar::IsGripActive() const
{
    if (!m_bSizeGrip || m_hWnd == NULL)
        return FALSE;
    CWnd* pParent = GetParent();
    return pParent == NULL || !pParent->IsZoomed();
}

int CZPStatusBar::GripWidth() const
{
    return 2 * ::GetSystemMetrics(SM_CXBORDER) + m_cxRightBorder + ::GetSystemMetrics(SM_CXVSCROLL);
}

// Layout ------------------------------------------------------------------------------------------

CSize CZPStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The base gives the edges and the control-bar borders.
    const CSize sizeBase = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    CWindowDC dc(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, GetStatusFont()->GetSafeHandle());
    const int cyText = dc.GetTextExtent(L"X", 1).cy;
    ::SelectObject(dc.m_hDC, hOld);
    int cy = sizeBase.cy + cyText + pPaintManager->m_rcStatusBarBorder.top + pPaintManager->m_rcStatusBarBorder.bottom +
             2 * ::GetSystemMetrics(SM_CYBORDER);
    cy = std::max(cy, std::max(m_nMinHeight, pPaintManager->m_nStatusBarMinHeight));
    return CSize(kFixedLayoutWidth, cy);
}

void CZPStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    const CRect& rcMargins = ResolvePaintManager()->m_rcStatusBarBorder;
    rect.DeflateRect(rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
    if (IsGripActive())
        rect.right -= GripWidth();
}

void CZPStatusBar::RecalcPaneLayout()
{
    CRect rcInner(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rcInner);
    CalcInsideRect(rcInner, TRUE);

    // First pass: widths, and the free space they leave.
    int nFree = rcInner.Width();
    int nStretch = 0;
    BOOL bShownBefore = FALSE, bGapPending = FALSE;
    for (int i = 0; i < GetPaneCount(); ++i) {
        CZPStatusBarPane* pPane = m_arrPanes[i];
        pPane->m_nState &= ~ZP_PANE_STATE_DROPPED;
        pPane->m_nIndex = i;
        if (pPane->m_bGapBefore && bShownBefore)
            bGapPending = TRUE;
        if (!pPane->IsShown())
            continue;
        pPane->m_nComputedWidth = pPane->GetWidth();
        if ((pPane->m_nStyle & ZP_SBPS_STRETCH) != 0)
            ++nStretch;
        const CRect& rcMargins = pPane->m_rcMargins;
        nFree -= rcMargins.right + ((pPane->m_nStyle & ZP_SBPS_NOBORDERS) != 0 ? 0 : kPaneBorderWidth) +
                 rcMargins.left + (bGapPending ? m_nPaneGap : 0) + pPane->m_nComputedWidth;
        bGapPending = FALSE;
        bShownBefore = TRUE;
    }

    // Second pass: rectangles; the first pane that does not fit drops every pane after it.
    int x = m_cxLeftBorder;
    BOOL bDropped = FALSE;
    bShownBefore = bGapPending = FALSE;
    for (int i = 0; i < GetPaneCount(); ++i) {
        CZPStatusBarPane* pPane = m_arrPanes[i];
        if (bDropped)
            pPane->m_nState |= ZP_PANE_STATE_DROPPED;
        if (pPane->m_bGapBefore && bShownBefore)
            bGapPending = TRUE;
        if (!pPane->IsShown()) {
            pPane->m_rcPane.SetRectEmpty();
            continue;
        }
        if (bGapPending)
            x += m_nPaneGap;
        bGapPending = FALSE;
        bShownBefore = TRUE;
        const CRect& rcMargins = pPane->m_rcMargins;
        const BOOL bStretch = (pPane->m_nStyle & ZP_SBPS_STRETCH) != 0;
        int nRight = x + pPane->m_nComputedWidth + ((pPane->m_nStyle & ZP_SBPS_NOBORDERS) != 0 ? 0 : kPaneBorderWidth) +
                     rcMargins.left;
        if (bStretch && nFree > 0 && nStretch > 0) {
            const int nShare = nFree / nStretch;
            --nStretch;
            nFree -= nShare;
            nRight += nShare;
        }
        if (nRight > rcInner.right) {
            if (!bStretch) {
                pPane->m_nState |= ZP_PANE_STATE_DROPPED;
                pPane->m_rcPane.SetRectEmpty();
                bDropped = TRUE;
                continue;
            }
            nRight = rcInner.right;
        }
        pPane->m_rcPane.SetRect(x, rcInner.top + rcMargins.top, nRight, rcInner.bottom - rcMargins.bottom);
        x = nRight + rcMargins.right;
    }

    m_pHotPane = NULL;
    if (m_hWnd == NULL)
        return;
    Invalidate(FALSE);
    for (int i = 0; i < GetPaneCount(); ++i) {
        CZPStatusBarPane* pPane = m_arrPanes[i];
        HWND hWndChild = pPane->GetChildWindow();
        if (hWndChild == NULL)
            continue;
        if (pPane->m_rcPane.IsRectEmpty() || !pPane->IsShown()) {
            ::ShowWindow(hWndChild, SW_HIDE);
            continue;
        }
        CRect rc = pPane->m_rcPane;
        if ((pPane->m_nStyle & ZP_SBPS_NOBORDERS) == 0)
            rc.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
        ::SetWindowPos(hWndChild, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::InvalidateRect(hWndChild, NULL, TRUE);
    }
}

// Drawing -------------------------------------------------------------------------------------------

void CZPStatusBar::DrawBar(CDC* pDC)
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    pPaintManager->FillStatusBar(pDC, this);
    int nLast = -1;
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_arrPanes[i]->IsShown())
            nLast = i;
    BOOL bShownBefore = FALSE, bGapPending = FALSE;
    for (int i = 0; i < GetPaneCount(); ++i) {
        CZPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->m_bGapBefore && bShownBefore)
            bGapPending = TRUE;
        if (!pPane->IsShown())
            continue;
        if ((pPane->m_nStyle & ZP_SBPS_NOBORDERS) == 0)
            pPaintManager->DrawStatusPaneBorder(pDC, pPane->m_rcPane, pPane, i == nLast);
        else if (bGapPending)
            pPaintManager->DrawStatusPaneSeparator(pDC, pPane->m_rcPane, pPane);
        bGapPending = FALSE;
        bShownBefore = TRUE;
        DrawPaneEntry(pDC, pPane, pPane->m_rcPane);
    }
    if (IsGripActive()) {
        CRect rcClient;
        GetClientRect(&rcClient);
        DrawSizeGrip(pDC, rcClient);
    }
}

void CZPStatusBar::DrawPaneEntry(CDC* pDC, CZPStatusBarPane* pPane, CRect rc)
{
    pPane->Draw(pDC, rc);
}

void CZPStatusBar::DrawSizeGrip(CDC* pDC, CRect rcClient)
{
    ResolvePaintManager()->DrawStatusSizeGrip(pDC, rcClient);
}

void CZPStatusBar::OnPaneClick(CZPStatusBarPane* pPane)
{
    SendCommandToParent(pPane->GetID());
}

void CZPStatusBar::SendCommandToParent(UINT nID)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CZPStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CZPBufferDC dcBuffer(dc);
    DrawBar(&dcBuffer);
}

BOOL CZPStatusBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CZPStatusBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    DrawBar(&dc);
    dc.Detach();
    return 1;
}

// Non-client area and the size grip --------------------------------------------------------------------

void CZPStatusBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
    // The control-bar borders, with the top border's two pixels left in the client area.
    RECT& rc = lpncsp->rgrc[0];
    rc.left += m_cxLeftBorder;
    rc.top += std::max(0, m_cyTopBorder - kBorderTop);
    rc.right -= m_cxRightBorder;
    rc.bottom -= m_cyBottomBorder;
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
}

LRESULT CZPStatusBar::OnNcHitTest(CPoint point)
{
    if (IsGripActive()) {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        const int nReach = GripWidth();
        if ((GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
            if (point.x < rcWindow.left + nReach)
                return HTBOTTOMLEFT;
        } else if (point.x >= rcWindow.right - nReach) {
            return HTBOTTOMRIGHT;
        }
    }
    return HTCLIENT;
}

void CZPStatusBar::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The grip's sizing belongs to the frame, whatever edge the hit test named: the bar itself has
    // no sizing border, and the system ignores SC_SIZE on such a window.
    if ((nID & 0xFFF0) == SC_SIZE) {
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_SYSCOMMAND, nID, lParam);
        return;
    }
    Default();
}

void CZPStatusBar::OnSize(UINT, int, int)
{
    Default();
    RecalcPaneLayout();
}

void CZPStatusBar::OnWindowPosChanging(WINDOWPOS*)
{
    // The edges are left out while the system sizes the window.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~kStyleBorderEdges;
    Default();
    m_dwStyle = dwStyle;
}

void CZPStatusBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    Default();
    if ((lpwndpos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0 &&
        ResolvePaintManager()->GetCurrentTheme() == kRibbonTheme) {
        if (CWnd* pParent = GetParent())
            pParent->SetWindowPos(NULL, 0, 0, 0, 0,
                                  SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void CZPStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & kStyleBorderEdges) != 0)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Text of the message pane ------------------------------------------------------------------------------

LRESULT CZPStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    CZPStatusBarPane* pPane = FindPane(0);
    if (pPane == NULL)
        return FALSE;
    pPane->SetText(reinterpret_cast<LPCWSTR>(lParam));
    return TRUE;
}

LRESULT CZPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const int nSize = static_cast<int>(wParam);
    LPWSTR pszBuffer = reinterpret_cast<LPWSTR>(lParam);
    if (nSize <= 0 || pszBuffer == NULL)
        return 0;
    CZPStatusBarPane* pPane = FindPane(0);
    const int nCopy = pPane != NULL ? std::min(pPane->m_strText.GetLength(), nSize - 1) : 0;
    if (nCopy > 0)
        wmemcpy(pszBuffer, static_cast<LPCWSTR>(pPane->m_strText), static_cast<size_t>(nCopy));
    pszBuffer[nCopy] = L'\0';
    return nCopy;
}

LRESULT CZPStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    CZPStatusBarPane* pPane = FindPane(0);
    return pPane != NULL ? pPane->m_strText.GetLength() : 0;
}

LRESULT CZPStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = static_cast<int>(wParam);
    return lResult;
}

// Idle update ---------------------------------------------------------------------------------------

void CZPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    // Handlers may add or remove panes: the count is read again each round.
    for (int i = 0; i < GetPaneCount(); ++i) {
        state.m_nID = m_arrPanes[i]->m_nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetPaneCount());
        if (!OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL))
            state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// Mouse ------------------------------------------------------------------------------------------------

LRESULT CZPStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        m_pToolTipContext->RelayOwnerMessage(this, message, wParam, lParam);
    return CControlBar::WindowProc(message, wParam, lParam);
}

void CZPStatusBar::SetHotPane(CZPStatusBarPane* pPane, CPoint point)
{
    if (pPane != m_pHotPane) {
        CZPStatusBarPane* pOld = m_pHotPane;
        m_pHotPane = pPane;
        if (pOld != NULL)
            pOld->InvalidatePane();
        if (pPane != NULL) {
            pPane->InvalidatePane();
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
            ::TrackMouseEvent(&tme);
        }
        if (pOld != NULL)
            pOld->OnMouseMove(CPoint(-1, -1));
    }
    if (m_pHotPane != NULL)
        m_pHotPane->OnMouseMove(point);
}

void CZPStatusBar::OnMouseMove(UINT, CPoint point)
{
    CZPStatusBarPane* pHot = NULL;
    // No hot tracking while another bar tracks.
    CZPMouseManager* pMouseManager = ZpMouseManagerIfExists();
    if (pMouseManager == NULL || pMouseManager->GetTrackedCount() == 0) {
        CZPStatusBarPane* pPane = HitTestPane(point);
        if (pPane != NULL && pPane->IsButton() && pPane->IsEnabled())
            pHot = pPane;
    }
    SetHotPane(pHot, point);
    Default();
}

LRESULT CZPStatusBar::OnMouseLeave(WPARAM, LPARAM)
{
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CZPStatusBar::OnLButtonDown(UINT, CPoint point)
{
    Default();
    // The press may remove the pane: it is held until the press is over.
    CRefPtr<CZPStatusBarPane> pHot;
    pHot.Reset(m_pHotPane);
    if (pHot)
        pHot->OnLButtonDown(point);
}

void CZPStatusBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CZPStatusBar::OnRButtonUp(UINT, CPoint point)
{
    if (!m_bCustomizable) {
        Default();
        return;
    }
    ClientToScreen(&point);
    SetHotPane(NULL, CPoint(-1, -1));
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(CreateCustomizeMenu());
    if (!popup || popup->CountControls() == 0)
        return;
    popup->SetOwnerWindow(m_hWnd);
    ZpTrackPopupBar(popup.Get(), 0, point.x, point.y, this);
}

CZPPopupBar* CZPStatusBar::CreateCustomizeMenu()
{
    CZPPopupBar* pPopup = ZpCreatePopupBar(m_pCommandBars);
    CZPControls* pControls = pPopup->GetControls();
    if (CZPControl* pTitle = pControls->Add(zpControlLabel, ZP_ID_CUSTOMIZE_STATUS_BAR)) {
        pTitle->SetCaptionFromResource(ZP_ID_CUSTOMIZE_STATUS_BAR);
        pTitle->SetDefaultItem(TRUE);
        pTitle->SetDescription(L"");
    }
    for (int i = 0; i < GetPaneCount(); ++i) {
        CZPStatusBarPane* pPane = PaneAt(i);
        if (pPane->GetID() == 0 || !pPane->IsCustomizable())
            continue;
        CControlCustomization* pEntry = new CControlCustomization(pPane);
        pControls->AddControl(pEntry, static_cast<int>(pPane->GetID()));
        pEntry->SetCaption(!pPane->m_strCustomizeCaption.IsEmpty() ? pPane->m_strCustomizeCaption : pPane->GetText());
        pEntry->SetShortcutText(pPane->m_strCustomizeValue);
        pEntry->SetBeginGroup(pPane->HasGapBefore() && i > 0);
        pEntry->SetChecked(pPane->IsVisible());
    }
    return pPopup;
}

CZPStatusBar::CControlCustomization::CControlCustomization(CZPStatusBarPane* pPane) : m_pPane(pPane)
{
    m_pPane->InternalAddRef();
}

CZPStatusBar::CControlCustomization::~CControlCustomization()
{
    m_pPane->InternalRelease();
}

void CZPStatusBar::CControlCustomization::Execute()
{
    m_pPane->SetVisible(!m_pPane->IsVisible());
    SetChecked(m_pPane->IsVisible());
    RedrawParent(FALSE);
}

BOOL CZPStatusBar::TrackPanePress(CZPStatusBarPane* pPane, const CRect& rcHit)
{
    pPane->m_bPressed = TRUE;
    pPane->InvalidatePane();
    UpdateWindow();
    BOOL bClicked = FALSE;
    const UINT nFlags = CZPTrackingLoop::flagTakeCapture | CZPTrackingLoop::flagEscapeEnds |
                        CZPTrackingLoop::flagRightButtonEnds | CZPTrackingLoop::flagDropOtherKeys;
    ZpRunTrackingLoop(m_hWnd, nFlags, [&](const MSG& msg) -> BOOL {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_hWnd) {
            const BOOL bInside = rcHit.PtInRect(CZPTrackingLoop::PointOf(msg));
            if (bInside != pPane->m_bPressed) {
                pPane->m_bPressed = bInside;
                pPane->InvalidatePane();
                UpdateWindow();
            }
            return TRUE;
        }
        if (msg.message == WM_LBUTTONUP) {
            bClicked = pPane->m_bPressed;
            return FALSE;
        }
        return CZPTrackingLoop::Dispatch(msg);
    });
    pPane->m_bPressed = FALSE;
    pPane->InvalidatePane();
    if (m_hWnd != NULL)
        UpdateWindow();
    return bClicked && pPane->m_pStatusBar == this;
}

INT_PTR CZPStatusBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    CRect rc;
    CZPStatusBarPane* pPane = HitTestPane(point, &rc);
    if (pPane == NULL)
        return -1;
    nHit = pPane->OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (pPane->m_strTooltip.IsEmpty())
        return -1;
    if (pTI != NULL)
        ZpFillToolInfoEx(pTI, m_hWnd, rc, pPane->m_nID, pPane->m_strTooltip, pPane->m_strTooltip, L"",
                         ResolveImageManager());
    return pPane->m_nID;
}

// Profile state -------------------------------------------------------------------------------------------

CString CZPStatusBar::FormatPanesVisibility(WCHAR chSeparator) const
{
    CString strPanes;
    for (int i = 0; i < GetPaneCount(); ++i) {
        CString strEntry;
        strEntry.Format(L"%i=%i", m_arrPanes[i]->m_nID, m_arrPanes[i]->IsVisible() ? 1 : 0);
        if (i > 0)
            strPanes += chSeparator;
        strPanes += strEntry;
    }
    return strPanes;
}

void CZPStatusBar::ApplyPanesVisibility(const CString& strPanes, WCHAR chSeparator)
{
    int nStart = 0;
    while (nStart <= strPanes.GetLength()) {
        int nEnd = strPanes.Find(chSeparator, nStart);
        if (nEnd < 0)
            nEnd = strPanes.GetLength();
        const CString strEntry = strPanes.Mid(nStart, nEnd - nStart);
        int nID = 0, nVisible = 0;
        if (swscanf(strEntry, L"%i=%i", &nID, &nVisible) == 2 && nID != 0) {
            if (CZPStatusBarPane* pPane = FindPane(static_cast<UINT>(nID)))
                pPane->SetVisible(nVisible != 0);
        }
        nStart = nEnd + 1;
    }
}

void CZPStatusBar::SaveState(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    if (m_hWnd != NULL && (GetStyle() & WS_VISIBLE) == 0)
        pApp->WriteProfileInt(lpszProfileName, kEntryStatusBar, 0);
    else
        pApp->WriteProfileString(lpszProfileName, kEntryStatusBar, NULL);
    if (m_bCustomizable && GetPaneCount() > 0)
        pApp->WriteProfileString(lpszProfileName, kEntryStatusBarPanes, FormatPanesVisibility(L'\n'));
    else
        pApp->WriteProfileString(lpszProfileName, kEntryStatusBarPanes, NULL);
}

void CZPStatusBar::LoadState(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    if (pApp->GetProfileInt(lpszProfileName, kEntryStatusBar, 1) == 0 && m_hWnd != NULL) {
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        DelayShow(FALSE);
    }
    const CString strPanes = pApp->GetProfileString(lpszProfileName, kEntryStatusBarPanes, L"");
    if (!strPanes.IsEmpty())
        ApplyPanesVisibility(strPanes, L'\n');
}

void CZPStatusBar::ExchangeProperties(CZPPropExchange* pPX)
{
    BOOL bVisible = m_hWnd == NULL || (GetStyle() & WS_VISIBLE) != 0;
    PropExchangeBool(pPX, L"Visible", &bVisible, TRUE);
    CString strPanes;
    if (pPX->IsStoring() && m_bCustomizable)
        strPanes = FormatPanesVisibility(L';');
    PropExchangeString(pPX, L"Panes", strPanes, L"");
    if (!pPX->IsLoading())
        return;
    if (m_hWnd != NULL) {
        if (!bVisible) {
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
            DelayShow(FALSE);
        } else if ((GetStyle() & WS_VISIBLE) == 0) {
            DelayShow(TRUE);
        }
    }
    if (!strPanes.IsEmpty())
        ApplyPanesVisibility(strPanes, L';');
}

CZPStatusBarPane* CZPStatusBar::CreatePane(UINT nID)
{
    CZPStatusBarPane* pPane = new CZPStatusBarPane;
    pPane->m_nID = nID;
    pPane->m_pStatusBar = this;
    return pPane;
}
