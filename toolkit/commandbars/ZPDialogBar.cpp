// The dialog bar: sizes from client sizes, the caption band's controls, the child window's place,
// edge hit tests and resizing, and the active state.
#include "commandbars/ZPDialogBar.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPDeviceContext.h"

IMPLEMENT_DYNCREATE(CZPDialogBar, CZPToolBar)
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPDialogBar, CControlCaptionPopup, RUNTIME_CLASS(CZPControlPopup))
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPDialogBar, CControlButtonHide,
                              &CZPToolBar::CControlButtonHide::classCControlButtonHide)
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPDialogBar, CCaptionPopupBar, RUNTIME_CLASS(CZPPopupBar))

namespace {
// Control flags of the caption control and the hide button.
const DWORD kCaptionControlFlags = 30;
const DWORD kHideButtonFlags = 26;
// Bar flags of the caption popup.
const DWORD kCaptionPopupFlags = 2;
// Length given to the floating measurement: no limit in practice.
const int kFloatingLength = 32000;
// The edges that answer resize hit tests lie this far inside the window rectangle.
const int kEdge = 3;
// Caption control drawing: text insets from the left and right (with and without a popup), and
// the drop-down triangle between these distances from the right edge.
const int kCaptionTextLeft = 2;
const int kCaptionTextRightWithPopup = 15;
const int kCaptionTextRightPlain = 2;
const int kTriangleFarFromRight = 13;
const int kTriangleNearFromRight = 5;
const int kTriangleHalfHeight = 2;
// The hide button's Marlett glyph: a cross.
const wchar_t kHideGlyph[] = L"r";

int Larger(int a, int b)
{
    return a > b ? a : b;
}

CSize NotNegative(CSize size)
{
    return CSize(Larger(size.cx, 0), Larger(size.cy, 0));
}

CZPDialogBar* DialogBarOf(CZPControl* pControl)
{
    return DYNAMIC_DOWNCAST(CZPDialogBar, pControl->GetParent());
}
}  // namespace

// Caption control ----------------------------------------------------------------------------------

CZPDialogBar::CControlCaptionPopup::CControlCaptionPopup()
{
    m_controlType = zpControlPopup;
    m_dwFlags = kCaptionControlFlags;
}

BOOL CZPDialogBar::CControlCaptionPopup::OffersPopup() const
{
    CZPDialogBar* pBar = DialogBarOf(const_cast<CControlCaptionPopup*>(this));
    CZPCommandBar* pPopup = GetCommandBar();
    return pBar != NULL && pBar->IsCaptionPopupEnabled() && pPopup != NULL && pPopup->CountControls() > 0;
}

BOOL CZPDialogBar::CControlCaptionPopup::SetPopuped(BOOL bPopup)
{
    if (bPopup && !OffersPopup())
        return FALSE;
    return CZPControlPopup::SetPopuped(bPopup);
}

void CZPDialogBar::CControlCaptionPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    CZPCommandBar* pBar = GetParent();
    if (CZPPaintManager* pPaintManager = pBar != NULL ? pBar->ResolvePaintManager() : NULL)
        pPaintManager->AdjustExcludeRect(rc, this, bVertical);
}

void CZPDialogBar::CControlCaptionPopup::Draw(CDC* pDC)
{
    CZPCommandBar* pBar = GetParent();
    CZPPaintManager* pPaintManager = pBar != NULL ? pBar->ResolvePaintManager() : NULL;
    if (pDC == NULL || pPaintManager == NULL)
        return;
    const BOOL bPopup = OffersPopup();
    COLORREF clrText = pPaintManager->GetColor(zpColorBtnText);
    if (bPopup) {
        pPaintManager->DrawControlBackground(pDC, this);
        clrText = pPaintManager->GetControlTextColor(this);
    }
    const CRect rc = GetRect();
    CRect rcText(rc.left + kCaptionTextLeft, rc.top,
                 rc.right - (bPopup ? kCaptionTextRightWithPopup : kCaptionTextRightPlain), rc.bottom);
    CZPFontDC font(pDC, pPaintManager->GetBarFont(pBar));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    CString strText = GetCaption();
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    if (bPopup) {
        // A downward triangle 8 pixels wide and 4 high, centred on the control's middle line.
        const int y = rc.CenterPoint().y;
        const int xMiddle = rc.right - (kTriangleFarFromRight + kTriangleNearFromRight) / 2;
        pPaintManager->DrawTriangle(pDC, CPoint(rc.right - kTriangleFarFromRight, y - kTriangleHalfHeight),
                                    CPoint(rc.right - kTriangleNearFromRight, y - kTriangleHalfHeight),
                                    CPoint(xMiddle, y + kTriangleHalfHeight), clrText);
    }
}

// Hide button ------------------------------------------------------------------------------------

void CZPDialogBar::CControlButtonHide::Draw(CDC* pDC)
{
    ZpDrawMarlettButton(pDC, this, kHideGlyph);
}

// Caption popup ----------------------------------------------------------------------------------

CZPDialogBar::CCaptionPopupBar::CCaptionPopupBar()
{
    m_dwFlags = kCaptionPopupFlags;
}

void CZPDialogBar::CCaptionPopupBar::RepositionToOwner()
{
    CZPPopupBar::RepositionToOwner();
    // Below the caption control, its right edge on the control's right edge.
    SetDirection(ZP_POPUP_LEFTWARDS | ZP_POPUP_DROPDOWN);
}

// The dialog bar -----------------------------------------------------------------------------------

CZPDialogBar::CZPDialogBar()
    : m_rcMargins(ZP_DIALOGBAR_MARGIN, ZP_DIALOGBAR_MARGIN, ZP_DIALOGBAR_MARGIN, ZP_DIALOGBAR_MARGIN),
      m_bResizable(TRUE), m_szMinimum(ZP_DIALOGBAR_MIN_SIZE, ZP_DIALOGBAR_MIN_SIZE), m_bCaptionShown(TRUE),
      m_bCaptionPopup(TRUE), m_nCaptionBand(0), m_szDocked(ZP_DIALOGBAR_DEFAULT_SIZE, ZP_DIALOGBAR_DEFAULT_SIZE),
      m_szFloating(ZP_DIALOGBAR_DEFAULT_SIZE, ZP_DIALOGBAR_DEFAULT_SIZE), m_hWndChild(NULL), m_pCaptionPopup(NULL),
      m_bActive(FALSE)
{
    m_bCustomizable = FALSE;
    m_pCaptionPopup = new CCaptionPopupBar;
}

CZPDialogBar::~CZPDialogBar()
{
    if (m_pCaptionPopup != NULL)
        m_pCaptionPopup->InternalRelease();
    m_pCaptionPopup = NULL;
}

BOOL CZPDialogBar::IsDialogBar() const
{
    return TRUE;
}

void CZPDialogBar::SetChild(HWND hWndChild)
{
    m_hWndChild = hWndChild;
    PlaceChild();
}

void CZPDialogBar::SetCaption(LPCWSTR lpszCaption)
{
    m_strCaption = lpszCaption != NULL ? lpszCaption : L"";
    if (CZPControl* pCaption = m_pControls->FindControlById(ZP_ID_DIALOGBAR_CAPTION))
        pCaption->SetCaption(GetCaptionText());
    RepaintArea(NULL, FALSE);
}

CString CZPDialogBar::GetCaptionText() const
{
    return m_strCaption.IsEmpty() ? m_strTitle : m_strCaption;
}

void CZPDialogBar::ShowCaption(BOOL bShow)
{
    m_bCaptionShown = bShow;
    RecalcBarLayout();
}

void CZPDialogBar::SetDockedClientSize(CSize size)
{
    m_szDocked = NotNegative(size);
}

void CZPDialogBar::SetFloatingClientSize(CSize size)
{
    m_szFloating = NotNegative(size);
}

void CZPDialogBar::SetMinimumClientSize(CSize size)
{
    m_szMinimum = NotNegative(size);
}

void CZPDialogBar::SetMargins(CRect rcMargins)
{
    m_rcMargins = CRect(Larger(rcMargins.left, 0), Larger(rcMargins.top, 0), Larger(rcMargins.right, 0),
                        Larger(rcMargins.bottom, 0));
}

CZPControl* CZPDialogBar::FindOrAddCaptionControl(int nId, CRuntimeClass* pClass)
{
    CZPControl* pControl = m_pControls->FindControlById(nId);
    if (pControl != NULL && pControl->IsKindOf(pClass))
        return pControl;
    if (pControl != NULL)
        m_pControls->Remove(pControl);
    return m_pControls->AddControl(static_cast<CZPControl*>(pClass->CreateObject()), nId, NULL, -1, TRUE);
}

void CZPDialogBar::HideCaptionControl(int nId)
{
    if (CZPControl* pControl = m_pControls->FindControlById(nId))
        pControl->SetHideFlags(zpHideGeneric);
}

void CZPDialogBar::PlaceCaptionControls(int nWidth, int nCaptionHeight)
{
    const int yCentre = m_rcMargins.top + nCaptionHeight / 2;
    const int yTop = yCentre - ZP_DIALOGBAR_BUTTON_SIZE / 2;
    int xRight = nWidth - m_rcMargins.right;
    if (m_bCloseable) {
        CZPControl* pHide = FindOrAddCaptionControl(ZP_ID_TOOLBAR_HIDE, RUNTIME_CLASS(CControlButtonHide));
        if (pHide != NULL) {
            pHide->SetFlags(kHideButtonFlags);
            pHide->SetHideFlags(zpHideNone);
            pHide->SetRect(CRect(xRight - ZP_DIALOGBAR_BUTTON_SIZE, yTop, xRight, yTop + ZP_DIALOGBAR_BUTTON_SIZE));
            xRight -= ZP_DIALOGBAR_BUTTON_SIZE;
        }
    } else {
        HideCaptionControl(ZP_ID_TOOLBAR_HIDE);
    }
    CZPControl* pCaption = FindOrAddCaptionControl(ZP_ID_DIALOGBAR_CAPTION, RUNTIME_CLASS(CControlCaptionPopup));
    if (pCaption == NULL)
        return;
    CZPControlPopup* pPopupControl = static_cast<CZPControlPopup*>(pCaption);
    if (pPopupControl->GetCommandBar() != m_pCaptionPopup)
        pPopupControl->SetCommandBar(m_pCaptionPopup);
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    const int nStrip = pPaintManager != NULL ? pPaintManager->DrawBarGripper(NULL, this, FALSE).cx : 0;
    const int xLeft = m_rcMargins.left + nStrip;
    pCaption->SetHideFlags(zpHideNone);
    pCaption->SetCaption(GetCaptionText());
    pCaption->SetRect(CRect(xLeft, yTop, Larger(xLeft, xRight), yTop + ZP_DIALOGBAR_BUTTON_SIZE));
}

CSize CZPDialogBar::CalcDialogSize(int nLength, DWORD dwMode, CSize szClient)
{
    szClient = NotNegative(szClient);
    CSize size(m_rcMargins.left + szClient.cx + m_rcMargins.right, m_rcMargins.top + szClient.cy + m_rcMargins.bottom);
    const BOOL bStretch = (dwMode & ZP_LM_STRETCH) != 0;
    if (!m_bCaptionShown) {
        m_nCaptionBand = 0;
        // No band: its controls must not draw over the child.
        HideCaptionControl(ZP_ID_TOOLBAR_HIDE);
        HideCaptionControl(ZP_ID_DIALOGBAR_CAPTION);
        if (bStretch && (dwMode & ZP_LM_VERTDOCK) != 0)
            size.cy = Larger(size.cy, nLength);
        else if (bStretch)
            size.cx = Larger(size.cx, nLength);
        return size;
    }
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    const int h = pPaintManager != NULL ? Larger(pPaintManager->DrawBarGripper(NULL, this, FALSE).cy, 0) : 0;
    m_nCaptionBand = m_rcMargins.top + h;
    size.cy += h;
    if (bStretch && (dwMode & ZP_LM_VERTDOCK) != 0)
        size.cy = Larger(size.cy, nLength);
    else if (bStretch)
        size.cx = Larger(size.cx, nLength);
    // A negative length is no length: it limits nothing.
    if (nLength >= 0) {
        if ((dwMode & ZP_LM_HORZ) != 0)
            size.cx = size.cx < nLength ? size.cx : nLength;
        else
            size.cy = size.cy < nLength ? size.cy : nLength;
    }
    PlaceCaptionControls(size.cx, h);
    return size;
}

CSize CZPDialogBar::CalcDockedSize(int nLength, DWORD dwMode, int /*nExtra*/)
{
    const CSize size = CalcDialogSize(nLength, dwMode, m_szDocked);
    if ((m_dwPending & ZP_BAR_PENDING_LAYOUT) != 0 && (dwMode & ZP_LM_COMMIT) != 0) {
        m_dwPending &= ~ZP_BAR_PENDING_LAYOUT;
        RepaintArea(NULL, TRUE);
    }
    return size;
}

CSize CZPDialogBar::ComputeBarSize(int /*nLength*/, DWORD dwMode)
{
    return CalcDialogSize(kFloatingLength, dwMode, m_szFloating);
}

CRect CZPDialogBar::GetChildRect() const
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        ::GetClientRect(m_hWnd, &rc);
    const int nTop = m_bCaptionShown ? Larger(m_nCaptionBand, m_rcMargins.top) : m_rcMargins.top;
    CRect rcChild(rc.left + m_rcMargins.left, rc.top + nTop, rc.right - m_rcMargins.right,
                  rc.bottom - m_rcMargins.bottom);
    // A window smaller than its margins and caption gives the child no room, never a negative one.
    rcChild.right = Larger(rcChild.right, rcChild.left);
    rcChild.bottom = Larger(rcChild.bottom, rcChild.top);
    return rcChild;
}

void CZPDialogBar::PlaceChild()
{
    if (m_hWnd == NULL || m_hWndChild == NULL || !::IsWindow(m_hWndChild))
        return;
    const CRect rc = GetChildRect();
    ::SetWindowPos(m_hWndChild, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWndChild, NULL, TRUE);
}

BOOL CZPDialogBar::ResizeByEdge(const CRect& rcWindow, int nHitTest)
{
    if (m_hWnd == NULL)
        return FALSE;
    // The minimum is a client size: compare it with the window less margins and caption band.
    const int nTop = m_bCaptionShown ? Larger(m_nCaptionBand, m_rcMargins.top) : m_rcMargins.top;
    const CSize szClient(rcWindow.Width() - m_rcMargins.left - m_rcMargins.right,
                         rcWindow.Height() - nTop - m_rcMargins.bottom);
    if (szClient.cx < m_szMinimum.cx || szClient.cy < m_szMinimum.cy)
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    if (IsFloating()) {
        m_szFloating = szClient;
        const CSize size = ComputeBarSize(kFloatingLength, ZP_LM_HORZ | ZP_LM_COMMIT);
        ::SetWindowPos(m_hWnd, NULL, rcWindow.left, rcWindow.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        RepaintArea(NULL, FALSE);
        return TRUE;
    }
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        m_szDocked.cx = szClient.cx;
    else
        m_szDocked.cy = szClient.cy;
    RecalcBarLayout();
    return TRUE;
}

int CZPDialogBar::ContainsScreenPoint(POINT ptScreen) const
{
    if (m_hWnd == NULL)
        return 0;
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    if (!rc.PtInRect(ptScreen))
        return 0;
    // Only the caption band takes part in tracking; the child window keeps its own mouse.
    CPoint pt = ptScreen;
    ::ScreenToClient(m_hWnd, &pt);
    return pt.y >= 0 && pt.y < m_nCaptionBand ? 1 : ZP_CONTAINS_NEVER;
}

void CZPDialogBar::OnIdleUpdate(BOOL bDisableIfNoHandler, BOOL bForce)
{
    CZPToolBar::OnIdleUpdate(bDisableIfNoHandler, bForce);
    if (m_hWnd == NULL)
        return;
    BOOL bActive = FALSE;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL) {
        bActive = hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus);
        // A bar (a popup of ours) owned by or parented to something inside the bar counts too.
        if (!bActive && CWnd::FromHandlePermanent(hWndFocus) != NULL &&
            DYNAMIC_DOWNCAST(CZPCommandBar, CWnd::FromHandlePermanent(hWndFocus)) != NULL) {
            HWND hWndOwner = ::GetWindow(hWndFocus, GW_OWNER);
            HWND hWndParent = ::GetParent(hWndFocus);
            bActive = (hWndOwner != NULL && (hWndOwner == m_hWnd || ::IsChild(m_hWnd, hWndOwner))) ||
                      (hWndParent != NULL && (hWndParent == m_hWnd || ::IsChild(m_hWnd, hWndParent)));
        }
    }
    if (bActive != m_bActive) {
        m_bActive = bActive;
        RepaintArea(NULL, FALSE);
    }
}

LRESULT CZPDialogBar::OnNcHitTest(CPoint ptScreen)
{
    if (!m_bResizable)
        return CZPToolBar::WindowProc(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    rc.DeflateRect(kEdge, kEdge);
    const CPoint& p = ptScreen;
    if (IsFloating()) {
        const BOOL bLeft = p.x < rc.left, bRight = p.x >= rc.right, bTop = p.y < rc.top, bBottom = p.y >= rc.bottom;
        if (bTop && bLeft)
            return HTTOPLEFT;
        if (bTop && bRight)
            return HTTOPRIGHT;
        if (bBottom && bLeft)
            return HTBOTTOMLEFT;
        if (bBottom && bRight)
            return HTBOTTOMRIGHT;
        if (bTop)
            return HTTOP;
        if (bBottom)
            return HTBOTTOM;
        if (bLeft)
            return HTLEFT;
        if (bRight)
            return HTRIGHT;
    } else if (m_barPosition <= zpBarRight) {
        const BOOL bStretched = (m_dwFlags & ZP_BAR_FLAG_STRETCHED) != 0;
        const BOOL bVertical = IsVerticalPosition();
        if (m_barPosition == zpBarBottom) {
            if (p.y <= rc.top)
                return HTTOP;
        } else if (p.y >= rc.bottom && !(bStretched && bVertical)) {
            return HTBOTTOM;
        }
        if (m_barPosition == zpBarRight) {
            if (p.x <= rc.left)
                return HTLEFT;
        } else if (p.x >= rc.right && !(bStretched && !bVertical)) {
            return HTRIGHT;
        }
    }
    return CZPToolBar::WindowProc(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

LRESULT CZPDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        return OnNcHitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    case WM_SIZE: {
        const LRESULT lResult = CZPToolBar::WindowProc(message, wParam, lParam);
        PlaceChild();
        return lResult;
    }
    default:
        return CZPToolBar::WindowProc(message, wParam, lParam);
    }
}
