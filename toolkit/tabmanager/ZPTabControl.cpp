// The tab control window: pages, selection notifications, focus, painting and drag-over selection.
#include "tabmanager/ZPTabControl.h"

#include <commctrl.h>

#include "common/ZPColorManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageManager.h"
#include "common/ZPToolTipContext.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"
#include "tabmanager/ZPTabPaintManager.h"

namespace {

// The answer of a receiver that vetoes TCN_SELCHANGING.
const LRESULT kVetoSelection = 1;

BOOL IsDeviceContext(HGDIOBJ hObject)
{
    DWORD dwType = ::GetObjectType(hObject);
    return dwType == OBJ_DC || dwType == OBJ_MEMDC || dwType == OBJ_METADC || dwType == OBJ_ENHMETADC;
}

}  // namespace

IMPLEMENT_DYNAMIC(CZPTabControl, CWnd)

BEGIN_MESSAGE_MAP(CZPTabControl, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CZPTabControl::CZPTabControl()
    : m_hWndPage(NULL), m_pPaintManager(new CZPTabPaintManager()), m_pImageManager(new CZPImageManager()),
      m_pDropTarget(NULL), m_pToolTipContext(new CZPToolTipContext()), m_pbDestroyed(NULL)
{
    m_pPaintManager->SetThemeColorsDisabled(TRUE);
    // An ampersand in a caption marks a mnemonic.
    m_pPaintManager->m_bNoPrefix = FALSE;
    RegisterPaintManager(m_pPaintManager);
    SetAllowReorder(FALSE);
    m_pDropTarget = new CTabControlDropTarget(this);
    ZpRegisterWindowClass(AfxGetInstanceHandle(), ZP_TABCONTROL_CLASSNAME, 0, NULL, NULL);
}

CZPTabControl::~CZPTabControl()
{
    if (m_pbDestroyed != NULL)
        *m_pbDestroyed = TRUE;
    // The strip unregisters before the paint manager loses this control's reference.
    RegisterPaintManager(NULL);
    m_pPaintManager->InternalRelease();
    m_pPaintManager = NULL;
    m_pImageManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
    delete m_pDropTarget;
}

BOOL CZPTabControl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCWSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), NULL, NULL);
    if (!CWnd::Create(lpszClass, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    // Without OLE the control works on; it only does not select tabs under a drag.
    m_pDropTarget->Register(this);
    return TRUE;
}

void CZPTabControl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    // A control taken over from a dialog has had no WM_SIZE of ours yet.
    Reposition();
}

CZPTabManagerItem* CZPTabControl::InsertItem(int nIndex, LPCWSTR lpszCaption, HWND hWndPage, int nImage,
                                             CZPTabManagerItem* pItem)
{
    pItem = AddItem(nIndex, pItem);
    pItem->SetCaption(lpszCaption);
    pItem->SetHandle(hWndPage);
    if (nImage != pItem->GetImageIndex()) {
        pItem->SetImageIndex(nImage);
        Reposition();
    }
    if (hWndPage != NULL)
        ::ShowWindow(hWndPage, SW_HIDE);
    if (nIndex == 0 && GetSelectedItem() == NULL)
        SetCurSel(0);
    return pItem;
}

LRESULT CZPTabControl::SendSelectionNotify(UINT nCode)
{
    HWND hWndReceiver = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndReceiver == NULL)
        hWndReceiver = ::GetParent(m_hWnd);
    if (m_hWnd == NULL || hWndReceiver == NULL)
        return 0;
    NMHDR nmhdr = {};
    nmhdr.hwndFrom = m_hWnd;
    nmhdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    nmhdr.code = nCode;
    return ::SendMessageW(hWndReceiver, WM_NOTIFY, nmhdr.idFrom, reinterpret_cast<LPARAM>(&nmhdr));
}

void CZPTabControl::SetSelectedItem(CZPTabManagerItem* pItem)
{
    if (pItem == GetSelectedItem())
        return;

    // The receiver may destroy the window or delete this object: touch nothing after either.
    BOOL bDestroyed = FALSE;
    BOOL* pbOuter = m_pbDestroyed;
    m_pbDestroyed = &bDestroyed;
    HWND hWnd = m_hWnd;
    LRESULT lResult = SendSelectionNotify(TCN_SELCHANGING);
    if (bDestroyed) {
        if (pbOuter != NULL)
            *pbOuter = TRUE;
        return;
    }
    m_pbDestroyed = pbOuter;
    if (hWnd != NULL && !::IsWindow(hWnd))
        return;
    if (lResult == kVetoSelection)
        return;

    if (m_hWndPage != NULL)
        ::ShowWindow(m_hWndPage, SW_HIDE);
    m_hWndPage = pItem != NULL ? pItem->GetHandle() : NULL;
    if (m_hWndPage != NULL)
        ::ShowWindow(m_hWndPage, SW_SHOW);

    CZPTabManager::SetSelectedItem(pItem);

    SendSelectionNotify(TCN_SELCHANGE);
}

void CZPTabControl::OnItemsChanged()
{
    // The last tab closed: its page is no longer shown (it stays alive with its creator).
    if (GetSelectedItem() == NULL && m_hWndPage != NULL && GetItemCount() == 0) {
        ::ShowWindow(m_hWndPage, SW_HIDE);
        m_hWndPage = NULL;
    }
    CZPTabManager::OnItemsChanged();
}

BOOL CZPTabControl::IsParentHidingFocus() const
{
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent == NULL)
        return FALSE;
    return (::SendMessageW(hWndParent, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

BOOL CZPTabControl::TrySelectItem(CZPTabManagerItem* pItem)
{
    HWND hWnd = m_hWnd;
    BOOL bResult = CZPTabManager::TrySelectItem(pItem);
    if (hWnd == NULL || !::IsWindow(hWnd))
        return bResult;
    // Keyboard selection shows the focus cues.
    if (IsParentHidingFocus())
        ::SendMessageW(::GetParent(hWnd), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return bResult;
}

void CZPTabControl::SelectItemByUser(CZPTabManagerItem* pItem)
{
    HWND hWnd = m_hWnd;
    SetSelectedItem(pItem);
    if (hWnd == NULL || !::IsWindow(hWnd) || m_hWndPage == NULL)
        return;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == hWnd || hWndFocus == m_hWndPage || ::IsChild(m_hWndPage, hWndFocus))
        return;
    HWND hWndFirst = ::GetNextDlgTabItem(m_hWndPage, NULL, FALSE);
    ::SetFocus(hWndFirst != NULL && ::IsChild(m_hWndPage, hWndFirst) ? hWndFirst : m_hWndPage);
}

void CZPTabControl::Reposition()
{
    if (m_hWnd == NULL || m_pPaintManager == NULL)
        return;
    CRect rcClient;
    CWnd::GetClientRect(&rcClient);
    {
        CClientDC dc(this);
        m_pPaintManager->RepositionTabControl(this, &dc, rcClient);
    }
    if (m_hWndPage != NULL && ::IsWindow(m_hWndPage)) {
        CRect rcPage = rcClient;
        m_pPaintManager->AdjustClientRect(this, rcPage);
        // A page may be a sibling rather than a child of the control.
        ::MapWindowPoints(m_hWnd, ::GetParent(m_hWndPage), reinterpret_cast<LPPOINT>(&rcPage), 2);
        ::MoveWindow(m_hWndPage, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(), TRUE);
    }
    ::InvalidateRect(m_hWnd, NULL, FALSE);
}

void CZPTabControl::SetPaintManager(CZPTabPaintManager* pPaintManager)
{
    if (pPaintManager == NULL || pPaintManager == m_pPaintManager)
        return;
    // Paint managers are shared: the old one is released, not deleted.
    pPaintManager->InternalAddRef();
    RegisterPaintManager(pPaintManager);
    m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    m_pPaintManager->RefreshMetrics();
    Reposition();
}

void CZPTabControl::RedrawControl(LPCRECT lpRect, BOOL /*bErase*/)
{
    if (m_hWnd != NULL)
        ::InvalidateRect(m_hWnd, lpRect, FALSE);
}

BOOL CZPTabControl::DrawItemIcon(CDC* pDC, CPoint pt, CZPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon)
{
    if (pItem == NULL)
        return m_pPaintManager->m_bShowIcons;
    if (pItem->GetImageIndex() == -1 || !m_pPaintManager->m_bShowIcons)
        return FALSE;
    CZPImageManagerIcon* pIcon = m_pImageManager->GetImage(static_cast<UINT>(pItem->GetImageIndex()), szIcon.cx);
    if (pIcon == NULL)
        return FALSE;
    if (bDraw)
        pItem->DrawImage(pDC, CRect(pt, szIcon), pIcon);
    return TRUE;
}

BOOL CZPTabControl::DrawParentBackground(CDC* pDC, CRect rc)
{
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent == NULL)
        return FALSE;
    HBRUSH hBrush = reinterpret_cast<HBRUSH>(::SendMessageW(
        hWndParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush == NULL)
        return FALSE;
    ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
    return TRUE;
}

void CZPTabControl::OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton)
{
    CZPTabManagerItem* pItem = pButton->GetItem() != NULL ? pButton->GetItem() : GetSelectedItem();
    if (pButton->GetID() == zpTabNavigateButtonClose && pItem != NULL && pItem->IsClosable())
        DeleteItem(pItem->GetIndex());
}

BOOL CZPTabControl::IsFocusCueVisible() const
{
    return (GetStyle() & WS_TABSTOP) != 0 && ::GetFocus() == m_hWnd && !IsParentHidingFocus();
}

INT_PTR CZPTabControl::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    CZPTabControl* pThis = const_cast<CZPTabControl*>(this);
    return pThis->PerformToolHitTest(pThis, point, pTI);
}

BOOL CZPTabControl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    m_pToolTipContext->RelayOwnerMessage(this, message, wParam, lParam);
    if (message == WM_DESTROY)
        m_pDropTarget->Revoke();
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CZPTabControl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CZPTabControl::OnPaint()
{
    CPaintDC dc(this);
    CZPBufferDC dcBuffer(dc);
    m_pPaintManager->DrawTabControl(this, &dcBuffer, GetControlRect());
}

LRESULT CZPTabControl::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    HDC hDC = reinterpret_cast<HDC>(wParam);
    if (hDC == NULL || !IsDeviceContext(hDC))
        return TRUE;
    CRect rcClient;
    CWnd::GetClientRect(&rcClient);
    CDC dc(hDC);
    m_pPaintManager->DrawTabControl(this, &dc, rcClient);
    return TRUE;
}

void CZPTabControl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Reposition();
}

void CZPTabControl::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CZPTabManagerItem* pSelected = GetSelectedItem();
    if ((GetStyle() & WS_TABSTOP) != 0 && pSelected != NULL && HitTest(point) == pSelected)
        CWnd::SetFocus();
    HandleMouseDown(this, point, FALSE);
}

void CZPTabControl::OnMouseMove(UINT nFlags, CPoint point)
{
    UpdateHotTracking(this, point);
    CWnd::OnMouseMove(nFlags, point);
}

void CZPTabControl::OnMouseLeave()
{
    UpdateHotTracking(this, CPoint(-1, -1));
}

void CZPTabControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    HWND hWnd = m_hWnd;
    PerformKeyDown(this, nChar);
    if (::IsWindow(hWnd) && m_hWnd == hWnd)
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

UINT CZPTabControl::OnGetDlgCode()
{
    if (::GetFocus() == m_hWnd)
        return DLGC_WANTARROWS;
    return CWnd::OnGetDlgCode();
}

void CZPTabControl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    ::InvalidateRect(m_hWnd, &GetHeaderRect(), FALSE);
}

void CZPTabControl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    ::InvalidateRect(m_hWnd, &GetHeaderRect(), FALSE);
}

void CZPTabControl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    ZpRefreshColors();
    m_pPaintManager->RefreshMetrics();
    Reposition();
}

DROPEFFECT CZPTabControl::CTabControlDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                            DWORD /*dwKeyState*/, CPoint point)
{
    CZPTabPaintManager* pPaintManager = m_pControl->GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->m_bSelectOnDragOver) {
        CZPTabManagerItem* pItem = m_pControl->HitTest(point);
        if (pItem != NULL)
            m_pControl->SetSelectedItem(pItem);
    }
    return DROPEFFECT_NONE;
}
