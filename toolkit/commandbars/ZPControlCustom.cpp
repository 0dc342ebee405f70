// The custom control: a child window of the program placed on a bar as a control.
#include "commandbars/ZPControlCustom.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBarEditCtrl.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "common/ZPPropExchange.h"

#include <framework/docview.h>
#include <framework/frame.h>
#include <framework/refptr.h>

#include <algorithm>
#include <windowsx.h>

IMPLEMENT_DYNCREATE(CZPControlCustom, CZPControlButton)

namespace {

// The action property whose change may show or hide the control.
const int kActionPropertyVisible = 2;
// Schema from which the hosted window's id is stored.
const long kSchemaControlId = 6;

struct FindByIdData
{
    int nId;
    HWND hWndFound;
};

BOOL CALLBACK FindDescendantById(HWND hWnd, LPARAM lParam)
{
    FindByIdData* pData = reinterpret_cast<FindByIdData*>(lParam);
    if (::GetDlgCtrlID(hWnd) != pData->nId || !CZPControlCustom::IsHostable(hWnd))
        return TRUE;
    pData->hWndFound = hWnd;
    return FALSE;
}

HWND FindDescendant(HWND hWndParent, int nId)
{
    FindByIdData data = { nId, NULL };
    if (hWndParent != NULL && ::IsWindow(hWndParent))
        ::EnumChildWindows(hWndParent, FindDescendantById, reinterpret_cast<LPARAM>(&data));
    return data.hWndFound;
}

}  // namespace

CZPControlCustom::CZPControlCustom()
    : m_hwndControl(NULL), m_rcBorders(0, 0, 0, 0), m_bShowWindow(TRUE), m_szControl(0, 0),
      m_nVerticalOptions(verticalHide), m_nControlId(0)
{
    m_controlType = zpControlCustom;
    m_dwFlags = zpFlagNoMovable;
}

CZPControlCustom::~CZPControlCustom()
{
    if (CZPHookManager* pManager = CZPHookManager::GetExisting())
        pManager->DetachHookAbleEverywhere(this);
}

BOOL CZPControlCustom::IsHostable(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    // Hosting would re-parent a bar, the view or a frame: the program's layout would break.
    if (::GetDlgCtrlID(hWnd) == AFX_IDW_PANE_FIRST)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return TRUE;
    return !pWnd->IsKindOf(RUNTIME_CLASS(CZPCommandBar)) && !pWnd->IsKindOf(RUNTIME_CLASS(CView)) &&
           !pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd));
}

BOOL CZPControlCustom::SetControlWindow(HWND hWnd)
{
    if (hWnd != NULL && !IsHostable(hWnd))
        return FALSE;
    if (hWnd == m_hwndControl)
        return TRUE;
    if (CZPHookManager* pManager = CZPHookManager::GetExisting()) {
        if (m_hwndControl != NULL)
            pManager->DetachHookAble(m_hwndControl, this);
    }
    m_hwndControl = hWnd;
    if (hWnd == NULL)
        return TRUE;
    ZpHookManagerInstance()->AttachHookAble(hWnd, this);
    // Placed at once when the control already has its place on a bar.
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL && !m_rcControl.IsRectEmpty()) {
        const CRect rc = m_rcControl;
        m_rcControl.SetRectEmpty();
        SetRect(rc);
    }
    return TRUE;
}

void CZPControlCustom::SetBorders(const CRect& rc)
{
    m_rcBorders.SetRect(std::max(0L, rc.left), std::max(0L, rc.top), std::max(0L, rc.right), std::max(0L, rc.bottom));
}

void CZPControlCustom::SetControlSize(CSize size)
{
    m_szControl = CSize(std::max(0L, size.cx), std::max(0L, size.cy));
}

BOOL CZPControlCustom::IsHostedInParent() const
{
    if (m_hwndControl == NULL || !::IsWindow(m_hwndControl) || m_pParent == NULL)
        return FALSE;
    const HWND hWndBar = m_pParent->GetSafeHwnd();
    return hWndBar != NULL && ::GetParent(m_hwndControl) == hWndBar;
}

BOOL CZPControlCustom::IsControlWindowVisible() const
{
    return m_hwndControl != NULL && ::IsWindow(m_hwndControl) &&
           (::GetWindowLongW(m_hwndControl, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CZPControlCustom::UpdateWindowVisibility()
{
    if (DYNAMIC_DOWNCAST(CZPOriginalControls, m_pControls) != NULL || !IsHostedInParent())
        return;
    const BOOL bShow = m_pParent->GetSafeHwnd() != NULL && m_bShowWindow && IsVisible(0);
    ::SetWindowPos(m_hwndControl, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CZPControlCustom::SetEnabled(int nEnabled)
{
    if (m_bEnabled == nEnabled)
        return;
    m_bEnabled = nEnabled;
    if (m_hwndControl != NULL && ::IsWindow(m_hwndControl))
        ::EnableWindow(m_hwndControl, GetEnabled());
    RedrawParent(TRUE);
}

void CZPControlCustom::SetHideFlags(DWORD dwFlags)
{
    if (m_dwHideFlags == dwFlags)
        return;
    m_dwHideFlags = dwFlags;
    UpdateWindowVisibility();
    DelayLayout();
}

void CZPControlCustom::SetRect(CRect rcControl)
{
    if (rcControl == m_rcControl && IsHostedInParent())
        return;
    m_rcControl = rcControl;
    if (m_hwndControl == NULL || !::IsWindow(m_hwndControl) || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return;
    const HWND hWndBar = m_pParent->GetSafeHwnd();
    if (::GetParent(m_hwndControl) != hWndBar) {
        const LONG lStyle = ::GetWindowLongW(m_hwndControl, GWL_STYLE);
        ::SetWindowLongW(m_hwndControl, GWL_STYLE, (lStyle & ~WS_POPUP) | WS_CHILD);
        ::SetParent(m_hwndControl, hWndBar);
    }
    ::MoveWindow(m_hwndControl, rcControl.left + m_rcBorders.left, rcControl.top + m_rcBorders.top,
                 rcControl.Width() - m_rcBorders.left - m_rcBorders.right,
                 rcControl.Height() - m_rcBorders.top - m_rcBorders.bottom, TRUE);
    UpdateWindowVisibility();
}

CSize CZPControlCustom::GetSize(CDC* pDC)
{
    if (m_hwndControl != NULL && ::IsWindow(m_hwndControl) && m_bShowWindow)
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    return CZPControlButton::GetSize(pDC);
}

void CZPControlCustom::Draw(CDC* pDC)
{
    if (!IsControlWindowVisible())
        CZPControlButton::Draw(pDC);
}

void CZPControlCustom::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!IsControlWindowVisible() || IsCustomizeMode())
        CZPControlButton::OnClick(bKeyboard, point);
}

void CZPControlCustom::OnBeforeLayout(UINT nLayoutMode)
{
    if (m_nVerticalOptions == verticalHide) {
        SetHideFlags(ZpDockingHideFlags(m_dwHideFlags, nLayoutMode));
    } else if (m_nVerticalOptions == verticalButton) {
        m_bShowWindow = (nLayoutMode & ZP_LM_VERTDOCK) == 0;
        UpdateWindowVisibility();
    }
}

void CZPControlCustom::OnRemoved()
{
    m_bShowWindow = FALSE;
    UpdateWindowVisibility();
    // The bar's window would take the hosted window down with it: the site keeps it, hidden.
    if (IsHostedInParent()) {
        ::ShowWindow(m_hwndControl, SW_HIDE);
        CWnd* pSite = m_pParent->FindSiteWindow();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            ::SetParent(m_hwndControl, pSite->GetSafeHwnd());
    }
    CZPControlButton::OnRemoved();
}

void CZPControlCustom::OnActionChanged(int nProperty)
{
    CZPControlButton::OnActionChanged(nProperty);
    if (nProperty == kActionPropertyVisible)
        UpdateWindowVisibility();
}

void CZPControlCustom::Copy(CZPControl* pSource, BOOL bRecursive)
{
    CZPControlCustom* pCustom = DYNAMIC_DOWNCAST(CZPControlCustom, pSource);
    if (pCustom != NULL && pCustom != this) {
        // Both controls refer to the same window from here on.
        m_rcBorders = pCustom->m_rcBorders;
        m_nVerticalOptions = pCustom->m_nVerticalOptions;
        m_szControl = pCustom->m_szControl;
        m_hwndControl = pCustom->m_hwndControl;
        m_nControlId = pCustom->m_nControlId;
    }
    CZPControlButton::Copy(pSource, bRecursive);
}

CZPControl* CZPControlCustom::Clone(BOOL bRecursive)
{
    CZPControlCustom* pClone = new CZPControlCustom;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CZPControlCustom::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControlButton::DoPropExchange(pPX);
    CRect rcBorders = m_rcBorders;
    PropExchangeRect(pPX, L"Borders", &rcBorders, CRect(0, 0, 0, 0));
    SIZE szControl = m_szControl;
    PropExchangeSize(pPX, L"ControlSize", &szControl, CSize(0, 0));
    long nVerticalOptions = m_nVerticalOptions;
    PropExchangeLong(pPX, L"VerticalOptions", &nVerticalOptions, verticalHide);
    long nControlId = m_nControlId;
    if (pPX->GetSchema() >= kSchemaControlId)
        PropExchangeLong(pPX, L"ControlId", &nControlId, 0);
    if (!pPX->IsLoading())
        return;
    // Stored values are clamped: negative margins and sizes, unknown options.
    SetBorders(rcBorders);
    SetControlSize(szControl);
    m_nVerticalOptions = nVerticalOptions >= verticalHide && nVerticalOptions <= verticalButton
                             ? static_cast<int>(nVerticalOptions)
                             : verticalHide;
    m_nControlId = static_cast<int>(nControlId);
    if (m_nControlId != 0)
        SetControlWindow(FindControlWindow(m_nControlId));
}

HWND CZPControlCustom::FindControlWindow(int nId) const
{
    CZPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars == NULL && m_pParent != NULL)
        pCommandBars = m_pParent->GetCommandBars();
    if (pCommandBars == NULL || nId == 0)
        return NULL;
    if (CWnd* pSite = pCommandBars->GetSite()) {
        if (HWND hWnd = FindDescendant(pSite->GetSafeHwnd(), nId))
            return hWnd;
    }
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CZPCommandBar* pBar = pCommandBars->GetAt(i);
        if (HWND hWnd = FindDescendant(pBar != NULL ? pBar->GetSafeHwnd() : NULL, nId))
            return hWnd;
    }
    return NULL;
}

int CZPControlCustom::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    if (nMessage != WM_MOUSEMOVE || hWnd != m_hwndControl || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return hookContinue;
    // The bar keeps tracking the mouse over the hosted window.
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ::MapWindowPoints(hWnd, m_pParent->GetSafeHwnd(), &point, 1);
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(m_pParent);
    hold->HandleMouseMove(static_cast<UINT>(wParam), point);
    return hookContinue;
}
