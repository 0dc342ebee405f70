// The combo box of bars and its edit window.
#include "commandbars/ZPControlComboBox.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlComboBoxAutoCompleteWnd.h"
#include "commandbars/ZPControlComboBoxPopupBar.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchange.h"

namespace {

const int kDefaultWidth = 100;
// Edit window inset: left after the label, top and bottom, right past the drop-down button.
const int kEditInsetLeft = 4;
const int kEditInsetVertical = 3;
const int kEditInsetRight = 3;
const int kIconGap = 2;
// Schemas from which the combo's later keys are stored.
const long kSchemaHint = 8;
const long kSchemaEditStyle = 16;
// SHAutoComplete's flag that lets Tab move through the suggestions.
const DWORD kShacfUseTab = 0x8;
// Selection state of the drop-down button part.
const int kSelectedDropDown = 5;
// List searches begin after the index given: -1 searches from the first item.
const int kSearchFromFirst = -1;

BOOL IsKeyDown(int nKey)
{
    return (::GetKeyState(nKey) & 0x8000) != 0;
}

}  // namespace

// The edit window -------------------------------------------------------------------------------

CZPBarEditOwner* CZPControlComboBoxEditCtrl::GetEditOwner() const
{
    return m_pControl;
}

LRESULT CZPControlComboBoxEditCtrl::EditWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The shell shows its suggestions: the combo's own list closes.
    if (message == ZpMsgAutoSuggestShown) {
        if (m_pControl != NULL && m_pControl->GetCommandBar() != NULL)
            m_pControl->GetCommandBar()->EndTracking();
        return 0;
    }
    return CZPCommandBarEditCtrl::EditWindowProc(message, wParam, lParam);
}

// The control ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CZPControlComboBox, CZPControlPopup)

CZPControlComboBox::CZPControlComboBox(BOOL bListWithIcons)
    : m_pEdit(NULL), m_bDropDown(FALSE), m_nComboStyle(0), m_nSavedSelection(-1), m_bLayoutPending(FALSE),
      m_nLabelWidth(0), m_nDropDownButtonWidth(0), m_bAutoComplete(FALSE), m_bCompletionSuppressed(FALSE),
      m_dwShellAutoCompleteFlags(0), m_bFocused(FALSE), m_nEditIconId(0), m_bSelectionConfirmed(FALSE),
      m_nDropDownItemCount(ZP_COMBO_DEFAULT_ROWS), m_pAutoComplete(NULL), m_dwEditStyle(0), m_nCachedSelection(-1),
      m_bUpdating(FALSE)
{
    m_controlType = zpControlComboBox;
    m_nWidth = kDefaultWidth;
    CZPControlComboBoxList* pList = new CZPControlComboBoxList;
    pList->SetListWithIcons(bListWithIcons);
    pList->CreateListBox();
    SetCommandBar(pList);
    pList->InternalRelease();
}

CZPControlComboBox::~CZPControlComboBox()
{
    // The edit's WM_KILLFOCUS finds no owner from here on: the counter is lowered here.
    DropFocusQuietly();
    DeleteEditCtrl();
    delete m_pAutoComplete;
    m_pAutoComplete = NULL;
}

void CZPControlComboBox::DropFocusQuietly()
{
    if (!m_bFocused)
        return;
    m_bFocused = FALSE;
    ZpMouseManager()->LeaveModalLoop();
}

void CZPControlComboBox::DestroyEditWindow()
{
    if (GetEditHwnd() == NULL)
        return;
    GetEditText();
    if (m_bFocused && EditHasFocus())
        DropFocusQuietly();
    m_pEdit->DestroyWindow();
}

void CZPControlComboBox::DeleteEditCtrl()
{
    if (m_pEdit == NULL)
        return;
    DestroyEditWindow();
    CZPControlComboBoxEditCtrl* pEdit = m_pEdit;
    m_pEdit = NULL;
    pEdit->m_pControl = NULL;
    pEdit->DestroyAndDelete();
}

CZPControlComboBoxEditCtrl* CZPControlComboBox::CreateEditCtrl()
{
    return new CZPControlComboBoxEditCtrl;
}

void CZPControlComboBox::SetDropDown(BOOL bDropDown)
{
    m_bDropDown = bDropDown;
    if (bDropDown && m_pEdit == NULL) {
        m_pEdit = CreateEditCtrl();
        m_pEdit->m_pControl = this;
    } else if (!bDropDown) {
        DeleteEditCtrl();
    }
}

CZPControlComboBoxPopupBar* CZPControlComboBox::GetDropDownBar() const
{
    return DYNAMIC_DOWNCAST(CZPControlComboBoxPopupBar, GetCommandBar());
}

int CZPControlComboBox::AddString(LPCWSTR lpszText)
{
    CZPControlComboBoxList* pList = DYNAMIC_DOWNCAST(CZPControlComboBoxList, GetCommandBar());
    return pList != NULL ? pList->AddString(lpszText) : -1;
}

int CZPControlComboBox::GetCount() const
{
    CZPControlComboBoxList* pList = DYNAMIC_DOWNCAST(CZPControlComboBoxList, GetCommandBar());
    return pList != NULL ? pList->GetCount() : 0;
}

// Text and selection -----------------------------------------------------------------------------

CString CZPControlComboBox::GetEditText() const
{
    return m_textCache.Get(m_pEdit);
}

void CZPControlComboBox::SetEditText(const CString& strText)
{
    m_textCache.Set(m_pEdit, strText);
}

CString CZPControlComboBox::GetText() const
{
    const CString strText = GetEditText();
    return !m_strEditHint.IsEmpty() && strText == m_strEditHint ? CString() : strText;
}

void CZPControlComboBox::SetText(const CString& strText)
{
    SetEditText(strText.IsEmpty() && !EditHasFocus() ? m_strEditHint : strText);
    RefreshCharFormat();
}

void CZPControlComboBox::SetEditHint(const CString& strHint)
{
    if (!m_strEditHint.IsEmpty() && GetEditText() == m_strEditHint)
        SetEditText(CString());
    m_strEditHint = strHint;
    if (GetEditText().IsEmpty() && !EditHasFocus())
        SetEditText(m_strEditHint);
    RefreshCharFormat();
}

void CZPControlComboBox::RefreshCharFormat()
{
    if (GetEditHwnd() != NULL)
        m_pEdit->UpdateCharFormat();
}

void CZPControlComboBox::GetRichEditCharFormat(CHARFORMAT2W& cf)
{
    ZpFillEditCharFormat(this, !GetEnabled() || (!m_strEditHint.IsEmpty() && GetEditText() == m_strEditHint), cf);
}

CString CZPControlComboBox::GetListBoxText() const
{
    CString strText;
    CZPControlComboBoxPopupBar* pBar = GetDropDownBar();
    if (pBar == NULL)
        return strText;
    const int nSelection = pBar->GetCurSel();
    if (nSelection >= 0)
        pBar->GetText(nSelection, strText);
    return strText;
}

int CZPControlComboBox::GetCurSel() const
{
    CZPControlComboBoxPopupBar* pBar = GetDropDownBar();
    return pBar != NULL ? pBar->GetCurSel() : m_nCachedSelection;
}

void CZPControlComboBox::SetCurSel(int nIndex)
{
    if (nIndex == GetCurSel() && nIndex == m_nCachedSelection)
        return;
    m_nCachedSelection = nIndex;
    if (CZPControlComboBoxPopupBar* pBar = GetDropDownBar())
        pBar->SetCurSel(nIndex);
    OnSelChanged();
}

void CZPControlComboBox::OnSelChanged()
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    m_bUpdating = TRUE;
    SetText(GetListBoxText());
    m_bUpdating = FALSE;
    RedrawParent(FALSE);
    NotifySite(CBN_SELCHANGE);
}

void CZPControlComboBox::SyncListSelection()
{
    CZPControlComboBoxPopupBar* pBar = GetDropDownBar();
    if (m_bUpdating || GetEditHwnd() == NULL || pBar == NULL)
        return;
    const CString strText = GetEditText();
    const int nExact = pBar->FindStringExact(kSearchFromFirst, strText);
    if (nExact >= 0) {
        pBar->SetCurSel(nExact);
        return;
    }
    const int nPrefix = pBar->FindString(kSearchFromFirst, strText);
    pBar->SetTopIndex(nPrefix);
    pBar->SetCurSel(nPrefix);
    pBar->SetCurSel(-1);
}

void CZPControlComboBox::OnEditChanged()
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    CZPControlComboBoxPopupBar* pBar = GetDropDownBar();
    if (!m_bUpdating && m_bAutoComplete && !m_bCompletionSuppressed && GetEditHwnd() != NULL && pBar != NULL) {
        const CString strTyped = GetEditText();
        int nStart = 0, nEnd = 0;
        m_pEdit->GetSel(nStart, nEnd);
        const int nLength = strTyped.GetLength();
        if (nLength > 0 && nStart == nLength && nEnd == nLength) {
            const int nFound = pBar->FindString(kSearchFromFirst, strTyped);
            if (nFound >= 0) {
                CString strItem;
                pBar->GetText(nFound, strItem);
                // Writing the completion raises EN_CHANGE again: that one must not complete.
                m_bCompletionSuppressed = TRUE;
                SetEditText(strItem);
                m_pEdit->SendMessage(EM_SETSEL, static_cast<WPARAM>(strItem.GetLength()), nLength);
                m_pEdit->SendMessage(EM_SCROLLCARET);
            }
        }
        m_bCompletionSuppressed = TRUE;
    }
    SyncListSelection();
    NotifySite(CBN_EDITCHANGE);
}

// Layout ---------------------------------------------------------------------------------------

void CZPControlComboBox::UpdateEditVisibility()
{
    ZpUpdateEditVisibility(this, GetEditHwnd());
}

void CZPControlComboBox::SetLabelWidth(int nWidth)
{
    if (nWidth != m_nLabelWidth) {
        m_nLabelWidth = nWidth;
        m_bLayoutPending = TRUE;
    }
}

void CZPControlComboBox::SetDropDownButtonWidth(int nWidth)
{
    if (nWidth != m_nDropDownButtonWidth) {
        m_nDropDownButtonWidth = nWidth;
        m_bLayoutPending = TRUE;
    }
}

void CZPControlComboBox::SetRect(CRect rcControl)
{
    const CString strText = GetText();
    HWND hWndParentBar = m_pParent != NULL ? m_pParent->GetSafeHwnd() : NULL;
    if (GetEditHwnd() != NULL &&
        ((m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0 || ::GetParent(GetEditHwnd()) != hWndParentBar))
        DestroyEditWindow();
    if (rcControl == m_rcControl && (m_pEdit == NULL || GetEditHwnd() != NULL) && !m_bLayoutPending)
        return;
    m_rcControl = rcControl;
    if (m_pEdit == NULL || hWndParentBar == NULL)
        return;
    if (GetEditHwnd() == NULL) {
        // A failed creation is tried again at the next SetRect.
        if (!m_pEdit->CreateEditWindow(m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL, m_pParent))
            return;
        if (!GetEnabled())
            m_pEdit->EnableWindow(FALSE);
        if (m_dwShellAutoCompleteFlags != 0)
            SetShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
    if (CZPPaintManager* pPaintManager = GetPaintManager())
        m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pPaintManager->GetIconFont()->GetSafeHandle()), 0);
    m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    RefreshCharFormat();
    if (!EditHasFocus())
        SetText(strText);
    CRect rcEdit(rcControl.left + m_nLabelWidth + kEditInsetLeft, rcControl.top + kEditInsetVertical,
                 rcControl.right - (m_nDropDownButtonWidth + kEditInsetRight), rcControl.bottom - kEditInsetVertical);
    AdjustEditIconRect(rcEdit);
    m_pEdit->MoveWindow(&rcEdit, TRUE);
    UpdateEditVisibility();
    m_bLayoutPending = FALSE;
}

void CZPControlComboBox::AdjustEditIconRect(CRect& rc)
{
    ZpAdjustEditIconRect(this, m_nEditIconId, rc);
}

BOOL CZPControlComboBox::IsCaptionVisible() const
{
    return ZpIsEditCaptionVisible(this, m_nComboStyle == 1);
}

BOOL CZPControlComboBox::Compare(CZPControl* pOther)
{
    return CZPControlPopup::Compare(pOther) && DYNAMIC_DOWNCAST(CZPControlComboBox, pOther) != NULL;
}

void CZPControlComboBox::SetHideFlags(DWORD dwFlags)
{
    SetOwnerHideFlags(dwFlags);
}

void CZPControlComboBox::OnBeforeLayout(UINT nLayoutMode)
{
    OnOwnerBeforeLayout(nLayoutMode);
}

void CZPControlComboBox::SetEnabled(int nEnabled)
{
    SetOwnerEnabled(nEnabled);
}

void CZPControlComboBox::SetParent(CZPCommandBar* pParent)
{
    CZPCommandBar* pList = GetCommandBar();
    if (pParent != NULL && pParent != m_pParent && pList != NULL && pList->GetSafeHwnd() != NULL) {
        CWnd* pSite = pParent->FindSiteWindow();
        ::SetWindowLongPtrW(pList->GetSafeHwnd(), GWLP_HWNDPARENT,
                            reinterpret_cast<LONG_PTR>(CWnd::GetSafeHwnd(pSite)));
    }
    if (pParent == NULL)
        DestroyEditWindow();
    CZPControlPopup::SetParent(pParent);
}

void CZPControlComboBox::OnRemoved()
{
    UpdateEditVisibility();
    if (m_pControls == NULL) {
        DropFocusQuietly();
        DestroyEditWindow();
    }
    CZPControlPopup::OnRemoved();
}

CZPControl* CZPControlComboBox::Clone(BOOL bRecursive)
{
    CZPControlComboBox* pClone = new CZPControlComboBox;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CZPControlComboBox::Copy(CZPControl* pSource, BOOL bRecursive)
{
    CZPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CZPControlComboBox, pSource);
    if (pCombo != NULL && pCombo != this) {
        m_dwEditStyle = pCombo->m_dwEditStyle;
        m_nComboStyle = pCombo->m_nComboStyle;
        SetText(pCombo->GetText());
        SetEditHint(pCombo->m_strEditHint);
        SetDropDown(pCombo->m_pEdit != NULL);
        m_bAutoComplete = pCombo->m_bAutoComplete;
        SetShellAutoComplete(pCombo->m_dwShellAutoCompleteFlags);
        m_nEditIconId = pCombo->m_nEditIconId;
        m_nDropDownItemCount = pCombo->m_nDropDownItemCount;
    }
    // The list's items come along with a copy of the list, never a shared one.
    CZPControl::Copy(pSource, bRecursive);
    CopyPopupBarId(pSource);
    CZPControlComboBoxList* pSourceList =
        pCombo != NULL ? DYNAMIC_DOWNCAST(CZPControlComboBoxList, pCombo->GetCommandBar()) : NULL;
    CZPControlComboBoxList* pList = DYNAMIC_DOWNCAST(CZPControlComboBoxList, GetCommandBar());
    if (pSourceList != NULL && pList != NULL && pList != pSourceList)
        pList->CopyFrom(pSourceList);
}

void CZPControlComboBox::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControlPopup::DoPropExchange(pPX);
    const long nSchema = pPX->GetSchema();
    BOOL bDropDown = m_pEdit != NULL;
    PropExchangeBool(pPX, L"DropDown", &bDropDown, TRUE);
    PropExchangeLong(pPX, L"Width", &m_nWidth, 0);
    PropExchangeLong(pPX, L"ComboStyle", &m_nComboStyle, 0);
    if (nSchema > kSchemaHint) {
        PropExchangeString(pPX, L"EditHint", m_strEditHint, L"");
        PropExchangeLong(pPX, L"ShellAutoCompleteFlags", &m_dwShellAutoCompleteFlags, 0);
        PropExchangeBool(pPX, L"AutoComplete", &m_bAutoComplete, FALSE);
        PropExchangeLong(pPX, L"EditIconId", &m_nEditIconId, 0);
        PropExchangeLong(pPX, L"DropDownItemCount", &m_nDropDownItemCount, ZP_COMBO_DEFAULT_ROWS);
    }
    if (nSchema > kSchemaEditStyle)
        PropExchangeLong(pPX, L"EditStyle", &m_dwEditStyle, 0);
    // The items travel with the drop-down bar, stored as a bar of its own ("CommandBarId").
    if (pPX->IsLoading()) {
        SetDropDown(bDropDown);
        SetShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
}

void CZPControlComboBox::SetShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    ZpSetupShellAutoComplete(m_pAutoComplete, GetEditHwnd(), dwFlags);
}

void CZPControlComboBox::OnEditRButtonDown()
{
    if (GetCommandBar() != NULL)
        GetCommandBar()->EndTracking();
}

// Focus, opening and execution -----------------------------------------------------------------

void CZPControlComboBox::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    m_bFocused = bFocused;
    if (bFocused) {
        m_nSavedSelection = GetCurSel();
        m_bSelectionConfirmed = FALSE;
        if (GetEditHwnd() != NULL && !EditHasFocus())
            ::SetFocus(GetEditHwnd());
        if (m_pParent != NULL) {
            m_pParent->SwitchTrackingMode(1, FALSE, FALSE);
            m_pParent->HighlightControlAt(m_nIndex, zpSelectionHot);
        }
        ZpMouseManager()->EnterModalLoop();
        NotifySite(CBN_SETFOCUS);
    } else {
        if (!m_bSelectionConfirmed && !IsPopuped() && m_pEdit == NULL) {
            SetCurSel(m_nSavedSelection);
            NotifySite(CBN_SELENDCANCEL);
        }
        if (EditHasFocus() && m_pParent != NULL) {
            HWND hWndFocus = m_pParent->GetFocusWindow();
            m_pParent->SetFocusWindow(NULL);
            ::SetFocus(hWndFocus != NULL && ::IsWindow(hWndFocus) ? hWndFocus : NULL);
        }
        ZpMouseManager()->LeaveModalLoop();
        NotifySite(CBN_KILLFOCUS);
    }
    RedrawParent(FALSE);
}

void CZPControlComboBox::OnSetFocus(HWND hWndPrevious)
{
    if (!m_strEditHint.IsEmpty() && GetEditText() == m_strEditHint)
        SetEditText(CString());
    m_strSavedText = GetText();
    m_bCompletionSuppressed = TRUE;
    SyncListSelection();
    if (m_pParent != NULL && m_pParent->GetFocusWindow() == NULL)
        m_pParent->SetFocusWindow(hWndPrevious != NULL ? hWndPrevious : CWnd::GetSafeHwnd(m_pParent->FindSiteWindow()));
    if (!IsPopuped() && m_pParent != NULL)
        m_pParent->OpenControlPopup(-1);
    SetFocused(TRUE);
    RefreshCharFormat();
    if (m_pAutoComplete != NULL)
        m_pAutoComplete->SetupHook(TRUE);
}

void CZPControlComboBox::OnKillFocus()
{
    if (!m_strEditHint.IsEmpty() && GetEditHwnd() != NULL && GetEditText().IsEmpty())
        SetEditText(m_strEditHint);
    RefreshCharFormat();
    SetFocused(FALSE);
    if (IsPopuped())
        CloseList();
    if (m_pAutoComplete != NULL)
        m_pAutoComplete->SetupHook(FALSE);
}

void CZPControlComboBox::CloseList()
{
    if (m_pParent != NULL)
        m_pParent->OpenControlPopup(-1);
    if (IsPopuped())
        SetPopuped(FALSE);
}

void CZPControlComboBox::OnKeyboardActivate()
{
    SetFocused(TRUE);
}

BOOL CZPControlComboBox::OnSetSelected(int bSelected)
{
    CZPControl::OnSetSelected(bSelected);
    if (!bSelected) {
        SetFocused(FALSE);
        if (IsPopuped() && m_pParent != NULL && m_pParent->GetPosition() != zpBarPopup)
            CloseList();
    }
    RefreshCharFormat();
    return TRUE;
}

BOOL CZPControlComboBox::SetPopuped(BOOL bPopup)
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (bPopup) {
        m_bSelectionConfirmed = FALSE;
        m_nSavedSelection = GetCurSel();
        if (m_pAutoComplete != NULL)
            m_pAutoComplete->HideDropDown();
    } else if (IsPopuped()) {
        if (!m_bFocused && m_pEdit == NULL && !m_bSelectionConfirmed)
            SetCurSel(m_nSavedSelection);
        if (!m_bSelectionConfirmed)
            NotifySite(CBN_SELENDCANCEL);
    }
    const BOOL bResult = CZPControlPopup::SetPopuped(bPopup);
    if (bPopup && bResult && GetEditHwnd() != NULL && !EditHasFocus())
        ::SetFocus(GetEditHwnd());
    return bResult;
}

void CZPControlComboBox::Execute()
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if ((GetCurSel() >= 0 && IsPopuped()) || (m_pEdit == NULL && m_bFocused))
        NotifySite(CBN_SELENDOK);
    m_bSelectionConfirmed = TRUE;
    m_nSavedSelection = GetCurSel();
    if (IsPopuped())
        CloseList();
    CZPControlPopup::Execute();
}

void CZPControlComboBox::OnClick(BOOL bKeyboard, CPoint point)
{
    if (m_pEdit != NULL && m_pEdit->IsImeComposing())
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (IsCustomizeMode()) {
        if (m_pParent != NULL) {
            m_pParent->OpenControlPopup(-1);
            m_pParent->ClearSelection();
        }
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard && GetEnabled()) {
        if (m_bFocused)
            Execute();
        else
            SetFocused(TRUE);
        return;
    }
    if (IsPopuped() && m_bFocused) {
        CloseList();
        return;
    }
    if (!GetEnabled() || m_pParent == NULL)
        return;
    m_pParent->OpenControlPopup(m_nIndex, bKeyboard);
}

void CZPControlComboBox::OnMouseMove(CPoint point)
{
    CZPControlPopup::OnMouseMove(point);
    if (!GetEnabled() || m_nSelected == zpSelectionNone)
        return;
    CRect rcButton = m_rcControl;
    rcButton.left = rcButton.right - m_nDropDownButtonWidth;
    int nSelected = m_nSelected;
    if (rcButton.PtInRect(point))
        nSelected = kSelectedDropDown;
    else if (m_nSelected == kSelectedDropDown)
        nSelected = zpSelectionHot;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

BOOL CZPControlComboBox::OnHookMouseWheel(UINT, short zDelta, CPoint)
{
    CZPControlComboBoxPopupBar* pBar = GetDropDownBar();
    if (!m_bFocused || IsPopuped() || m_pAutoComplete != NULL || pBar == NULL)
        return FALSE;
    pBar->HandleKey(this, zDelta <= 0 ? VK_DOWN : VK_UP, 0);
    return TRUE;
}

BOOL CZPControlComboBox::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_bFocused)
        return 0;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    m_bCompletionSuppressed = nChar == VK_DELETE || nChar == VK_BACK;
    if (m_pEdit != NULL && m_pEdit->IsImeComposing())
        return 2;
    const BOOL bAlt = IsKeyDown(VK_MENU);
    if (nChar == VK_TAB && !(m_pAutoComplete != NULL && (m_dwShellAutoCompleteFlags & kShacfUseTab) != 0))
        return 0;
    if (nChar == VK_RETURN)
        return 0;
    if (nChar == VK_ESCAPE) {
        const BOOL bPopup = m_pParent != NULL && m_pParent->GetType() == zpBarTypePopup;
        if (GetCommandBar() != NULL)
            GetCommandBar()->EndTracking();
        SetCurSel(m_nSavedSelection);
        SetText(m_strSavedText);
        SetFocused(FALSE);
        return bPopup ? 1 : 0;
    }
    if ((nChar == VK_F4 && !bAlt) || ((nChar == VK_UP || nChar == VK_DOWN) && bAlt)) {
        OnClick(FALSE, CPoint(0, 0));
        return 1;
    }
    if (m_pAutoComplete != NULL && m_pAutoComplete->ForwardKey(nChar, lParam))
        return 1;
    CZPControlComboBoxPopupBar* pBar = GetDropDownBar();
    if (pBar != NULL) {
        const BOOL bListKey = nChar == VK_UP || nChar == VK_DOWN || nChar == VK_PRIOR || nChar == VK_NEXT;
        if (m_pEdit == NULL || (bListKey && !bAlt)) {
            pBar->HandleKey(this, nChar, lParam);
            return 1;
        }
    }
    if (GetEditHwnd() != NULL)
        return m_pEdit->ProcessEditKey(nChar, lParam) ? 1 : 2;
    return 2;
}

// Painting -------------------------------------------------------------------------------------

void CZPControlComboBox::DrawEditText(CDC* pDC, CRect rc)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    if (pDC == NULL || pPaintManager == NULL)
        return;
    const BOOL bEnabled = GetEnabled();
    if (m_pEdit == NULL && bEnabled && m_bFocused)
        pDC->FillSolidRect(CRect(rc.left - 1, rc.top + 1, rc.right - 1, rc.bottom - 1),
                           pPaintManager->GetColor(COLOR_HIGHLIGHT));
    if (m_nEditIconId > 0) {
        CZPImageManager* pImageManager = GetImageManager();
        CZPImageManagerIcon* pIcon = pImageManager != NULL ? pImageManager->GetImage(m_nEditIconId, 0) : NULL;
        if (pIcon != NULL) {
            pIcon->Draw(pDC, rc.left, (rc.top + rc.bottom - pIcon->GetHeight()) / 2,
                        bEnabled ? pIcon->GetNormalStateImage() : pIcon->GetDisabledStateImage());
            rc.left += pIcon->GetWidth() + kIconGap;
        }
    }
    if (m_pEdit != NULL)
        return;
    CString strText = GetListBoxText();
    int nColor = !bEnabled ? COLOR_GRAYTEXT : m_bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    if (strText.IsEmpty()) {
        if (m_strEditHint.IsEmpty() || !bEnabled || m_bFocused)
            return;
        strText = m_strEditHint;
        nColor = COLOR_GRAYTEXT;
    }
    pDC->SetTextColor(pPaintManager->GetColor(nColor));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CZPControlComboBox::DrawListItem(LPDRAWITEMSTRUCT lpDrawItem)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    CZPControlComboBoxList* pList = DYNAMIC_DOWNCAST(CZPControlComboBoxList, GetCommandBar());
    if (lpDrawItem == NULL || pPaintManager == NULL || pList == NULL || static_cast<int>(lpDrawItem->itemID) < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItem->hDC);
    CRect rc(lpDrawItem->rcItem);
    const BOOL bSelected = (lpDrawItem->itemState & ODS_SELECTED) != 0;
    CString strText;
    pList->GetText(static_cast<int>(lpDrawItem->itemID), strText);
    pDC->SetTextColor(
        pPaintManager->GetStateTextColor(bSelected, FALSE, TRUE, FALSE, FALSE, zpBarTypePopup, zpBarPopup));
    if (bSelected)
        pPaintManager->DrawStateRectangle(pDC, rc, zpSelectionHot, FALSE, TRUE, FALSE, FALSE, zpBarTypePopup,
                                          zpBarPopup);
    else
        pDC->FillSolidRect(&rc, pPaintManager->GetColor(COLOR_WINDOW));
    if (pList->GetListIconId() != -1) {
        CZPImageManager* pImageManager = GetImageManager();
        CZPImageManagerIcon* pIcon =
            pImageManager != NULL
                ? pImageManager->GetImage(static_cast<UINT>(pList->GetListIconId()) + lpDrawItem->itemID, 0)
                : NULL;
        if (pIcon != NULL) {
            pIcon->Draw(pDC, rc.left + kIconGap, (rc.top + rc.bottom - pIcon->GetHeight()) / 2,
                        bSelected ? pIcon->GetHotStateImage() : pIcon->GetNormalStateImage());
            rc.left += pIcon->GetWidth() + kIconGap;
        }
    }
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetIconFont());
    pDC->SetBkMode(TRANSPARENT);
    rc.left += kEditInsetVertical;
    pDC->DrawText(strText, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}
