// The combo drop-down bars: the common base and the list-box drop-down.
#include "commandbars/ZPControlComboBoxPopupBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchange.h"

#include <windowsx.h>

namespace {

// Extra height of the open list over its rows (frame and border).
const int kListExtraHeight = 4;
// Item icons: height + this is the item height; icon at left + 2, text after width + 2.
const int kItemIconPadding = 4;
const int kItemIconGap = 2;
const int kItemTextInset = 3;
// Initial height of the list-box window.
const int kInitialListHeight = 50;
// Schema from which the item icons' first id is stored.
const long kSchemaListIconId = 24;
// The list's frame colour index (the paint manager's derived frame colour).
const int kColorListFrame = 43;
const DWORD kRtlExStyles = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;

BOOL IsAltDown()
{
    return (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

BOOL IsListKey(UINT nChar)
{
    return nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_UP || nChar == VK_DOWN;
}

}  // namespace

// The base ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CZPControlComboBoxPopupBar, CZPPopupBar)

CZPControlComboBoxPopupBar::CZPControlComboBoxPopupBar()
{
    m_bOverrideMouseBlock = TRUE;
    m_bKeyboardCaret = FALSE;
}

CZPControlComboBox* CZPControlComboBoxPopupBar::GetOwnerCombo() const
{
    return DYNAMIC_DOWNCAST(CZPControlComboBox, m_pControlPopup);
}

BOOL CZPControlComboBoxPopupBar::HandleKeyAsPopupBar(UINT nChar, LPARAM lParam)
{
    return CZPPopupBar::ProcessTrackingKey(nChar, lParam) == zpKeyHandled;
}

BOOL CZPControlComboBoxPopupBar::HandleKey(CZPControlComboBox* pCombo, UINT nChar, LPARAM lParam)
{
    if (pCombo->GetEditCtrl() != NULL) {
        if (IsAltDown() || !IsListKey(nChar))
            return FALSE;
    } else if (((nChar == VK_UP || nChar == VK_DOWN) && IsAltDown()) || (nChar == VK_F4 && !IsAltDown())) {
        return FALSE;
    }
    // The key may close the drop-down and the site may drop the combo: both are held.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> holdCombo = CRefPtr<CZPControl>::AddRef(pCombo);
    const int nSelection = GetCurSel();
    HandleKeyAsPopupBar(nChar, lParam);
    if (GetCurSel() == nSelection)
        return TRUE;
    pCombo->OnSelChanged();
    if (pCombo->GetEditCtrl() != NULL && pCombo->GetEditCtrl()->GetSafeHwnd() != NULL) {
        pCombo->GetEditCtrl()->SetSel(0, -1);
        pCombo->GetEditCtrl()->SendMessage(EM_SCROLLCARET);
    }
    return TRUE;
}

// The list ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CZPControlComboBoxList, CZPControlComboBoxPopupBar)

CZPControlComboBoxList::CZPControlComboBoxList() : m_nListIconId(-1), m_bListWithIcons(FALSE)
{
    m_nMRUWidth = 0;
    m_dwStyle = 0;
    m_bKeyboardCaret = FALSE;
    m_barPosition = zpBarListBox;
}

int CZPControlComboBoxList::GetCount() const
{
    return m_hWnd != NULL ? static_cast<int>(::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0)) : 0;
}

int CZPControlComboBoxList::AddString(LPCWSTR lpszText)
{
    if (m_hWnd == NULL && !CreateListBox())
        return LB_ERR;
    return static_cast<int>(::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszText)));
}

int CZPControlComboBoxList::GetCurSel() const
{
    return m_hWnd != NULL ? static_cast<int>(::SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0)) : -1;
}

int CZPControlComboBoxList::FindString(int nStart, LPCWSTR lpszText) const
{
    return m_hWnd != NULL ? static_cast<int>(::SendMessageW(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStart),
                                                            reinterpret_cast<LPARAM>(lpszText)))
                          : -1;
}

int CZPControlComboBoxList::FindStringExact(int nStart, LPCWSTR lpszText) const
{
    return m_hWnd != NULL ? m_itemKeys.FindStringExact(m_hWnd, nStart, lpszText) : -1;
}

int CZPControlComboBoxList::SetTopIndex(int nIndex)
{
    return m_hWnd != NULL ? static_cast<int>(::SendMessageW(m_hWnd, LB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0))
                          : -1;
}

void CZPControlComboBoxList::SetCurSel(int nIndex)
{
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

void CZPControlComboBoxList::GetText(int nIndex, CString& strText) const
{
    strText.Empty();
    if (m_hWnd == NULL)
        return;
    const int nLength = static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
    if (nLength <= 0)
        return;
    LPWSTR pBuffer = strText.GetBuffer(nLength + 1);
    const int nGot = static_cast<int>(
        ::SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pBuffer)));
    strText.ReleaseBuffer(nGot > 0 ? nGot : 0);
}

BOOL CZPControlComboBoxList::CreateListBox()
{
    if (m_hWnd != NULL)
        return TRUE;
    // Stray bits of a stored style that would break the list are masked.
    const DWORD dwStyle = m_dwStyle & ~ZP_BAR_STYLE_GRIPPER & ~(LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_NODATA);
    const DWORD dwExStyle = WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW;
    CWnd* pSite = FindSiteWindow();
    const BOOL bOwnerDraw = (dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    if (bOwnerDraw && pSite != NULL && pSite->GetSafeHwnd() != NULL) {
        if (!CreateEx(dwExStyle, L"LISTBOX", NULL, dwStyle | WS_CHILD | WS_VSCROLL | WS_CLIPCHILDREN | LBS_NOTIFY,
                      CRect(0, 0, 0, kInitialListHeight), pSite, 0))
            return FALSE;
        ::SetParent(m_hWnd, NULL);
        ModifyStyle(WS_CHILD, WS_POPUP);
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pSite->GetSafeHwnd()));
    } else if (!CreateEx(dwExStyle, L"LISTBOX", NULL, dwStyle | WS_POPUP | WS_VSCROLL | WS_CLIPCHILDREN,
                         CRect(0, 0, 0, kInitialListHeight), NULL, 0)) {
        return FALSE;
    }
    m_itemKeys.Reset(m_hWnd);
    if (m_bListWithIcons && m_nListIconId != -1) {
        CZPImageManagerIcon* pIcon = ResolveImageManager()->GetImage(static_cast<UINT>(m_nListIconId), 0);
        // The framework reflects WM_MEASUREITEM by control id, which misses a detached list.
        if (pIcon != NULL)
            ::SendMessageW(m_hWnd, LB_SETITEMHEIGHT, static_cast<WPARAM>(-1), pIcon->GetHeight() + kItemIconPadding);
    }
    return TRUE;
}

int CZPControlComboBoxList::RowsFor(int nItems, int nMaxRows)
{
    const int nCount = nItems < 1 ? 1 : nItems;
    if (nMaxRows < 1)
        nMaxRows = 1;
    return nMaxRows < nCount ? nMaxRows : nCount;
}

CSize CZPControlComboBoxList::ComputeDropDownSize(CZPControlComboBox* pCombo) const
{
    int nItemHeight = 0;
    if (m_hWnd != NULL)
        nItemHeight = static_cast<int>(::SendMessageW(m_hWnd, LB_GETITEMHEIGHT, 0, 0));
    const int nRows = RowsFor(GetCount(), pCombo->GetDropDownItemCount());
    const int cx = m_nMRUWidth > 0 ? m_nMRUWidth : pCombo->GetRect().Width();
    return CSize(cx, nRows * nItemHeight + kListExtraHeight);
}

BOOL CZPControlComboBoxList::PopupForControl(CZPControl* pControl)
{
    CZPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CZPControlComboBox, pControl);
    if (pCombo == NULL || pCombo->GetParent() == NULL || pCombo->GetParent()->GetSafeHwnd() == NULL)
        return FALSE;
    if (m_hWnd == NULL && !CreateListBox())
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_pControlPopup = pCombo;
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pPaintManager != NULL)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pPaintManager->GetIconFont()->GetSafeHandle()), TRUE);
    if (CWnd* pTarget = FindCommandTargetWindow())
        ::SendMessageW(pTarget->GetSafeHwnd(), ZpMsgInitPopup, 0, reinterpret_cast<LPARAM>(this));
    if (m_hWnd == NULL || m_pControlPopup != pCombo)
        return FALSE;
    const BOOL bMirrored = (pCombo->GetParent()->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (bMirrored)
        ModifyStyleEx(WS_EX_LAYOUTRTL, kRtlExStyles);
    else
        ModifyStyleEx(kRtlExStyles, 0);
    SwitchTrackingMode(TRUE, FALSE, FALSE);
    if (m_hWnd == NULL || m_pControlPopup != pCombo)
        return FALSE;
    // The popup bars' placement: below the combo, above it where the work area ends.
    RepositionToOwner();
    const CRect rc = AdjustPopupPosition(m_ptAnchor, ComputeDropDownSize(pCombo));
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EnableWindow(TRUE);
    return TRUE;
}

BOOL CZPControlComboBoxList::SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CZPCommandBar::SwitchTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> owner = CRefPtr<CZPControl>::AddRef(m_pControlPopup);
    CZPControlComboBox* pCombo = GetOwnerCombo();
    if (nMode != 0) {
        ZpMouseManager()->EnterModalLoop();
        if (pCombo != NULL) {
            pCombo->SyncListSelection();
            pCombo->NotifySite(CBN_DROPDOWN);
        }
        return TRUE;
    }
    if (pCombo != NULL)
        pCombo->NotifySite(CBN_CLOSEUP);
    ZpMouseManager()->LeaveModalLoop();
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
    if (pCombo != NULL) {
        if (CZPCommandBar* pParent = pCombo->GetParent())
            pParent->OpenControlPopup(-1);
        if (pCombo->IsPopuped())
            pCombo->SetPopuped(FALSE);
    }
    m_pControlPopup = NULL;
    return TRUE;
}

BOOL CZPControlComboBoxList::HandleKey(CZPControlComboBox* pCombo, UINT nChar, LPARAM lParam)
{
    if (m_hWnd == NULL)
        return FALSE;
    const int nSelection = GetCurSel();
    if (pCombo->GetEditCtrl() != NULL) {
        if (IsAltDown() || !IsListKey(nChar))
            return FALSE;
        SendMessage(WM_KEYDOWN, nChar, lParam);
    } else {
        if (((nChar == VK_UP || nChar == VK_DOWN) && IsAltDown()) || (nChar == VK_F4 && !IsAltDown()))
            return FALSE;
        MSG msg = { m_hWnd, WM_KEYDOWN, nChar, lParam, 0, { 0, 0 } };
        ::IsDialogMessageW(m_hWnd, &msg);
        // The typed letter goes to the list's own type-ahead search.
        MSG msgChar;
        if (::PeekMessageW(&msgChar, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE))
            SendMessage(WM_CHAR, msgChar.wParam, msgChar.lParam);
    }
    if (GetCurSel() == nSelection)
        return TRUE;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pCombo);
    pCombo->OnSelChanged();
    if (pCombo->GetEditCtrl() != NULL && pCombo->GetEditCtrl()->GetSafeHwnd() != NULL)
        pCombo->GetEditCtrl()->SetSel(0, -1);
    return TRUE;
}

void CZPControlComboBoxList::ExchangeProperties(CZPPropExchange* pPX)
{
    CZPPopupBar::ExchangeProperties(pPX);
    if (pPX->GetSchema() >= kSchemaListIconId)
        PropExchangeLong(pPX, L"ListIconId", &m_nListIconId, -1);
    CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"Items"));
    if (!section)
        return;
    if (pPX->IsLoading()) {
        if (m_hWnd == NULL && !CreateListBox())
            return;
        long nCount = 0;
        PropExchangeLong(section.Get(), L"Count", &nCount, 0);
        for (long i = 0; i < nCount; ++i) {
            CString strName, strItem;
            strName.Format(L"Item%i", static_cast<int>(i));
            if (!PropExchangeStringNoDefault(section.Get(), strName, strItem))
                break;  // a count larger than the items stored
            ::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strItem)));
        }
        return;
    }
    long nCount = GetCount();
    PropExchangeLong(section.Get(), L"Count", &nCount, 0);
    for (int i = 0; i < nCount; ++i) {
        CString strName, strItem;
        strName.Format(L"Item%i", i);
        GetText(i, strItem);
        PropExchangeString(section.Get(), strName, strItem, L"");
    }
}

void CZPControlComboBoxList::CopyFrom(CZPControlComboBoxList* pSource)
{
    if (pSource == NULL || pSource == this)
        return;
    m_nListIconId = pSource->m_nListIconId;
    m_bListWithIcons = pSource->m_bListWithIcons;
    if (m_hWnd == NULL && !CreateListBox())
        return;
    const int nCount = pSource->GetCount();
    for (int i = 0; i < nCount; ++i) {
        CString strItem;
        pSource->GetText(i, strItem);
        AddString(strItem);
    }
}

// Messages of the list window.

LRESULT CZPControlComboBoxList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return 0;
    case WM_MOUSEMOVE:
        OnListMouseMove(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_LBUTTONUP:
        OnListLButtonUp();
        return 0;
    case WM_NCPAINT: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnListNcPaint();
        return lResult;
    }
    case WM_REFLECT_BASE + WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case WM_REFLECT_BASE + WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DESTROY:
    case WM_NCDESTROY:
        return CZPCommandBar::WindowProc(message, wParam, lParam);
    default:
        // The list box's own messages (LB_*, keys, painting) need no map of ours: straight on.
        if (message >= LB_ADDSTRING && message <= LB_MSGMAX) {
            const LRESULT lResult = DefWindowProc(message, wParam, lParam);
            m_itemKeys.AfterMessage(m_hWnd, message, wParam, lParam, lResult);
            return lResult;
        }
        if (message >= WM_USER)
            return DefWindowProc(message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CZPControlComboBoxList::OnListMouseMove(CPoint point)
{
    const LRESULT lHit = ::SendMessageW(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int nItem = LOWORD(lHit);
    if (HIWORD(lHit) == 0 && nItem != GetCurSel())
        SetCurSel(nItem);
}

void CZPControlComboBoxList::OnListLButtonUp()
{
    CZPControlComboBox* pCombo = GetOwnerCombo();
    if (pCombo == NULL)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pCombo);
    CRefPtr<CZPCommandBar> holdBar = CRefPtr<CZPCommandBar>::AddRef(this);
    pCombo->OnSelChanged();
    pCombo->Execute();
}

void CZPControlComboBoxList::OnListNcPaint()
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pPaintManager == NULL)
        return;
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    dc.Draw3dRect(&rc, pPaintManager->GetColor(kColorListFrame), pPaintManager->GetColor(kColorListFrame));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, pPaintManager->GetColor(COLOR_WINDOW), pPaintManager->GetColor(COLOR_WINDOW));
}

void CZPControlComboBoxList::DrawItem(LPDRAWITEMSTRUCT lpDrawItem)
{
    if (CZPControlComboBox* pCombo = GetOwnerCombo())
        pCombo->DrawListItem(lpDrawItem);
}

void CZPControlComboBoxList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItem)
{
    if (CZPControlComboBox* pCombo = GetOwnerCombo())
        pCombo->MeasureListItem(lpMeasureItem);
}

// The gallery drop-down -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CZPControlComboBoxGalleryPopupBar, CZPControlComboBoxPopupBar)

CZPControlComboBoxGalleryPopupBar::CZPControlComboBoxGalleryPopupBar() {}

CZPControlGallery* CZPControlComboBoxGalleryPopupBar::GetGallery() const
{
    return DYNAMIC_DOWNCAST(CZPControlGallery, ControlAt(0));
}

int CZPControlComboBoxGalleryPopupBar::GetCurSel() const
{
    CZPControlGallery* pGallery = GetGallery();
    return pGallery != NULL ? pGallery->GetHotItem() : -1;
}

int CZPControlComboBoxGalleryPopupBar::FindString(int nStart, LPCWSTR lpszText) const
{
    CZPControlGallery* pGallery = GetGallery();
    return pGallery != NULL ? pGallery->FindItem(nStart, lpszText, FALSE) : -1;
}

int CZPControlComboBoxGalleryPopupBar::FindStringExact(int nStart, LPCWSTR lpszText) const
{
    CZPControlGallery* pGallery = GetGallery();
    return pGallery != NULL ? pGallery->FindItem(nStart, lpszText, TRUE) : -1;
}

int CZPControlComboBoxGalleryPopupBar::SetTopIndex(int nIndex)
{
    CZPControlGallery* pGallery = GetGallery();
    return pGallery != NULL ? pGallery->ScrollItemToTop(nIndex) : -1;
}

void CZPControlComboBoxGalleryPopupBar::SetCurSel(int nIndex)
{
    if (CZPControlGallery* pGallery = GetGallery())
        pGallery->SetHotItem(nIndex);
}

void CZPControlComboBoxGalleryPopupBar::GetText(int nIndex, CString& strText) const
{
    CZPControlGallery* pGallery = GetGallery();
    strText = pGallery != NULL ? pGallery->GetItemText(nIndex) : CString();
}

BOOL CZPControlComboBoxGalleryPopupBar::SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    // Leaving forgets the owner: the combo hears of it first.
    CRefPtr<CZPControl> owner = CRefPtr<CZPControl>::AddRef(m_pControlPopup);
    CZPControlComboBox* pCombo = GetOwnerCombo();
    if (nMode == 0 && m_nTrackingMode != 0 && pCombo != NULL)
        pCombo->NotifySite(CBN_CLOSEUP);
    if (!CZPPopupBar::SwitchTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode == 0 || pCombo == NULL)
        return TRUE;
    if (GetGallery() != NULL)
        HighlightControlAt(0, zpSelectionKeyboard);
    pCombo->SyncListSelection();
    pCombo->NotifySite(CBN_DROPDOWN);
    return TRUE;
}

int CZPControlComboBoxGalleryPopupBar::ProcessTrackingKey(UINT nKey, LPARAM lParam)
{
    CZPControlComboBox* pCombo = GetOwnerCombo();
    if (pCombo == NULL)
        return CZPPopupBar::ProcessTrackingKey(nKey, lParam);
    switch (nKey) {
    case VK_ESCAPE:
        return pCombo->IsFocused() ? zpKeyNotHandled : CZPPopupBar::ProcessTrackingKey(nKey, lParam);
    case VK_TAB:
        return zpKeyNotHandled;
    case VK_RETURN:
        if (GetGallery() != NULL && GetHighlightedIndex() == 0) {
            CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pCombo);
            pCombo->Execute();
            return zpKeyHandled;
        }
        return CZPPopupBar::ProcessTrackingKey(nKey, lParam);
    default:
        return HandleKey(pCombo, nKey, lParam) ? zpKeyHandled : zpKeyNotHandled;
    }
}

BOOL CZPControlComboBoxGalleryPopupBar::OnGalleryLButtonUp(CPoint point)
{
    CZPControlGallery* pGallery = GetGallery();
    CZPControlComboBox* pCombo = GetOwnerCombo();
    if (pGallery == NULL || pCombo == NULL || !pGallery->GetRect().PtInRect(point))
        return FALSE;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pCombo);
    CRefPtr<CZPCommandBar> holdBar = CRefPtr<CZPCommandBar>::AddRef(this);
    pCombo->OnSelChanged();
    pCombo->Execute();
    return TRUE;
}

LRESULT CZPControlComboBoxGalleryPopupBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONUP && OnGalleryLButtonUp(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
        return 0;
    return CZPControlComboBoxPopupBar::WindowProc(message, wParam, lParam);
}
