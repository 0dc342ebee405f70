// Control wrappers: reflection of owner drawing, the check list box, tooltips.
#include <framework/controls.h>
#include <framework/exceptions.h>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

// ---- button ----

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// ---- list box ----

int CListBox::GetText(int nIndex, CString& rString) const
{
    int nLen = GetTextLen(nIndex);
    if (nLen == LB_ERR) {
        rString.Empty();
        return LB_ERR;
    }
    ::SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(rString.GetBufferSetLength(nLen)));
    rString.ReleaseBuffer();
    return rString.GetLength();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = static_cast<DWORD>(::SendMessageW(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        lResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---- check list box ----

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX), m_cyText(0)
{
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if ((dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (dwStyle & LBS_HASSTRINGS) == 0)
        return FALSE;
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // Attached to an existing list (a dialog's): the rows must hold the check box.
    if (m_hWnd != NULL && (GetStyle() & LBS_OWNERDRAWFIXED) != 0)
        SendMessage(LB_SETITEMHEIGHT, 0, MAKELONG(GetCheckBoxSize().cy + 2, 0));
}

CSize CCheckListBox::GetCheckBoxSize() const
{
    return CSize(13, 13);
}

CCheckListBox::CHECK_DATA* CCheckListBox::GetCheckData(int nIndex) const
{
    LRESULT lData = ::SendMessageW(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
    if (lData == LB_ERR)
        return NULL;
    return reinterpret_cast<CHECK_DATA*>(lData);
}

CCheckListBox::CHECK_DATA* CCheckListBox::EnsureCheckData(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    CHECK_DATA* pData = GetCheckData(nIndex);
    if (pData == NULL) {
        pData = new CHECK_DATA{ 0, TRUE, 0 };
        ::SendMessageW(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pData));
    }
    return pData;
}

void CCheckListBox::InvalidateItem(int nIndex)
{
    CRect rect;
    if (GetItemRect(nIndex, rect) != LB_ERR)
        InvalidateRect(rect, FALSE);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (CHECK_DATA* pData = EnsureCheckData(nIndex)) {
        pData->m_nCheck = nCheck;
        InvalidateItem(nIndex);
    }
}

int CCheckListBox::GetCheck(int nIndex) const
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData != NULL ? pData->m_nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (CHECK_DATA* pData = EnsureCheckData(nIndex)) {
        pData->m_bEnabled = bEnabled;
        InvalidateItem(nIndex);
    }
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData == NULL || pData->m_bEnabled;
}

DWORD_PTR CCheckListBox::GetItemData(int nIndex) const
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData != NULL ? pData->m_dwUserData : 0;
}

int CCheckListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    CHECK_DATA* pData = EnsureCheckData(nIndex);
    if (pData == NULL)
        return LB_ERR;
    pData->m_dwUserData = dwItemData;
    return 0;
}

CRect CCheckListBox::OnGetCheckPosition(CRect rectItem, CRect rectCheckBox)
{
    CRect rect(rectCheckBox);
    rect.OffsetRect(rectItem.left + 1, rectItem.top + (rectItem.Height() - rectCheckBox.Height()) / 2);
    return rect;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (static_cast<int>(lpDIS->itemID) < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectItem(lpDIS->rcItem);
    CSize sizeCheck = GetCheckBoxSize();
    CRect rectCheck = OnGetCheckPosition(rectItem, CRect(CPoint(0, 0), sizeCheck));

    int nIndex = static_cast<int>(lpDIS->itemID);
    BOOL bEnabled = IsEnabled(nIndex) && IsWindowEnabled();
    int nCheck = GetCheck(nIndex);
    UINT nState = DFCS_BUTTONCHECK | (nCheck == 1 ? DFCS_CHECKED : 0) | (nCheck == 2 ? DFCS_BUTTON3STATE | DFCS_CHECKED : 0) |
                  (bEnabled ? 0 : DFCS_INACTIVE);
    pDC->FillSolidRect(CRect(rectItem.left, rectItem.top, rectCheck.right + 2, rectItem.bottom), ::GetSysColor(COLOR_WINDOW));
    pDC->DrawFrameControl(rectCheck, DFC_BUTTON, nState);

    CRect rectText(rectCheck.right + 3, rectItem.top, rectItem.right, rectItem.bottom);
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    COLORREF crBack = ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF crText = ::GetSysColor(!bEnabled ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    pDC->FillSolidRect(rectText, crBack);
    COLORREF crOldText = pDC->SetTextColor(crText);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CString strText;
    GetText(nIndex, strText);
    CRect rectDraw(rectText);
    rectDraw.left += 2;
    pDC->DrawText(strText, rectDraw, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOldText);
    if ((lpDIS->itemState & ODS_FOCUS) != 0)
        pDC->DrawFocusRect(rectText);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    int cyText = m_cyText;
    if (cyText == 0) {
        CClientDC dc(this);
        HGDIOBJ hOld = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        TEXTMETRICW tm;
        dc.GetTextMetrics(&tm);
        dc.SelectObject(hOld);
        cyText = tm.tmHeight;
    }
    int cyCheck = GetCheckBoxSize().cy;
    lpMIS->itemHeight = static_cast<UINT>((cyText > cyCheck ? cyText : cyCheck) + 2);
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDIS)
{
    delete reinterpret_cast<CHECK_DATA*>(lpDIS->itemData);
}

void CCheckListBox::ToggleAt(int nIndex)
{
    if (!IsEnabled(nIndex))
        return;
    int nCheck = GetCheck(nIndex);
    UINT nStyle = m_nStyle;
    if (nStyle != BS_AUTOCHECKBOX && nStyle != BS_AUTO3STATE)
        return;
    nCheck = nStyle == BS_AUTO3STATE ? (nCheck + 1) % 3 : (nCheck == 1 ? 0 : 1);
    SetCheck(nIndex, nCheck);
    // Tells the parent, as a control notification.
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::SetSelectionCheck(int nCheck)
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        if (GetSel(i) > 0 && IsEnabled(i))
            SetCheck(i, nCheck);
    }
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    BOOL bOutside = TRUE;
    int nIndex = static_cast<int>(ItemFromPoint(point, bOutside));
    if (!bOutside) {
        CRect rectItem;
        GetItemRect(nIndex, rectItem);
        CRect rectCheck = OnGetCheckPosition(rectItem, CRect(CPoint(0, 0), GetCheckBoxSize()));
        if (rectCheck.PtInRect(point)) {
            if (GetCurSel() != nIndex && (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) == 0)
                SetCurSel(nIndex);
            ToggleAt(nIndex);
            return;
        }
    }
    CListBox::OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click on the box is a second toggle, not an activation.
    BOOL bOutside = TRUE;
    int nIndex = static_cast<int>(ItemFromPoint(point, bOutside));
    if (!bOutside) {
        CRect rectItem;
        GetItemRect(nIndex, rectItem);
        CRect rectCheck = OnGetCheckPosition(rectItem, CRect(CPoint(0, 0), GetCheckBoxSize()));
        if (rectCheck.PtInRect(point)) {
            ToggleAt(nIndex);
            return;
        }
    }
    CListBox::OnLButtonDblClk(nFlags, point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE) {
        int nIndex = static_cast<int>(SendMessage(LB_GETCARETINDEX));
        if (nIndex != LB_ERR) {
            ToggleAt(nIndex);
            return;
        }
    }
    CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CCheckListBox::OnSetFont(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    m_cyText = 0;
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0) {
        MEASUREITEMSTRUCT mis = {};
        MeasureItem(&mis);
        SendMessage(LB_SETITEMHEIGHT, 0, MAKELONG(mis.itemHeight, 0));
    }
    return lResult;
}

// ---- combo box ----

int CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLen = static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
    if (nLen == CB_ERR) {
        rString.Empty();
        return CB_ERR;
    }
    ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(rString.GetBufferSetLength(nLen)));
    rString.ReleaseBuffer();
    return rString.GetLength();
}

// ---- tooltips ----

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);
    BOOL bResult = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSW, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetSafeHwnd(pParentWnd), NULL, NULL);
    if (bResult)
        SetOwner(pParentWnd);
    return bResult;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = {};
    ti.cbSize = sizeof(ti);
    HWND hWnd = GetSafeHwnd(pWnd);
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOW* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(*pToolInfo, pWnd, nIDTool);
    return static_cast<BOOL>(::SendMessageW(m_hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(pToolInfo)));
}

// ---- tab, tool bar ----

LONG CTabCtrl::InsertItem(int nItem, LPCWSTR lpszItem)
{
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    return TabCtrl_InsertItem(m_hWnd, nItem, &item);
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(TabCtrl_SetImageList(m_hWnd, pImageList != NULL ? pImageList->m_hImageList : NULL));
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(TOOLBARCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList != NULL ? pImageList->m_hImageList : NULL))));
}
