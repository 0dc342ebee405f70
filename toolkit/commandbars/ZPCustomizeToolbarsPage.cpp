// The Toolbars page and its check list.
#include "commandbars/ZPCustomizeToolbarsPage.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPCustomizeText.h"
#include "commandbars/ZPNewToolbarDlg.h"
#include "commandbars/ZPToolBar.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace {

const int kToolbarList = 100;
const int kNewButton = 101;
const int kRenameButton = 102;
const int kDeleteButton = 103;
const int kResetButton = 104;

const CSize kClassicCheckBox(13, 13);
const int kCheckLeft = 1;      // the box stands this far in from the item's left
const int kCheckRowExtra = 3;  // a row is at least the box height plus this
const int kTextGap = 3;        // between the box and the text area
const int kTextIndent = 2;     // text inside its area
const COLORREF kDisabledText = RGB(0x80, 0x80, 0x80);

// Drops the command bars' customize selection when it lies on the bar or in one of its popups.
void ClearSelectionInside(CZPCommandBars* pCommandBars, CZPCommandBar* pBar)
{
    CZPControl* pSelection = pCommandBars->GetCustomizeSelection();
    CZPCommandBar* pParent = pSelection != NULL ? pSelection->GetParent() : NULL;
    if (pParent != NULL && (pParent == pBar || pParent->FindRootParentBar() == pBar))
        pCommandBars->SetCustomizeSelection(NULL);
}

}  // namespace

// ---- check list ----

IMPLEMENT_DYNAMIC(CZPCustomizeToolbarsPageCheckListBox, CCheckListBox)

BEGIN_MESSAGE_MAP(CZPCustomizeToolbarsPageCheckListBox, CCheckListBox)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CZPCustomizeToolbarsPageCheckListBox::CZPCustomizeToolbarsPageCheckListBox() : m_cyFontText(0) {}

void CZPCustomizeToolbarsPageCheckListBox::PreSubclassWindow()
{
    CCheckListBox::PreSubclassWindow();
    m_themeButton.OpenTheme(m_hWnd, L"BUTTON");
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0 && (GetStyle() & LBS_HASSTRINGS) != 0) {
        MEASUREITEMSTRUCT mis = {};
        MeasureItem(&mis);
        SendMessage(LB_SETITEMHEIGHT, 0, MAKELONG(mis.itemHeight, 0));
    }
}

LRESULT CZPCustomizeToolbarsPageCheckListBox::OnThemeChanged(WPARAM, LPARAM)
{
    m_themeButton.OpenTheme(m_hWnd, L"BUTTON");
    Invalidate();
    return Default();
}

CSize CZPCustomizeToolbarsPageCheckListBox::GetDrawnCheckBoxSize()
{
    if (m_themeButton.GetThemeHandle() == NULL)
        return kClassicCheckBox;
    CClientDC dc(this);
    SIZE size = {};
    if (FAILED(m_themeButton.GetPartSize(dc.GetSafeHdc(), BP_CHECKBOX, CBS_UNCHECKEDNORMAL, NULL, TS_TRUE, &size)) ||
        size.cx <= 0 || size.cy <= 0)
        return kClassicCheckBox;
    return CSize(size);
}

int CZPCustomizeToolbarsPageCheckListBox::GetTextHeight()
{
    CClientDC dc(this);
    HGDIOBJ hOld = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(hOld);
    return tm.tmHeight;
}

void CZPCustomizeToolbarsPageCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    m_cyFontText = GetTextHeight();
    const int cyCheck = GetDrawnCheckBoxSize().cy + kCheckRowExtra;
    lpMIS->itemHeight = static_cast<UINT>(m_cyFontText > cyCheck ? m_cyFontText : cyCheck);
}

void CZPCustomizeToolbarsPageCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (static_cast<int>(lpDIS->itemID) < 0)
        return;
    if (m_cyFontText == 0)
        m_cyFontText = GetTextHeight();
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem(lpDIS->rcItem);
    const int nIndex = static_cast<int>(lpDIS->itemID);
    const BOOL bEnabled = IsWindowEnabled() && IsEnabled(nIndex);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bChecked = GetCheck(nIndex) != 0;

    const CSize szCheck = GetDrawnCheckBoxSize();
    int yCheck = rcItem.top + (rcItem.Height() - szCheck.cy) / 2;
    if (yCheck < rcItem.top)
        yCheck = rcItem.top;
    const CRect rcCheck(CPoint(rcItem.left + kCheckLeft, yCheck), szCheck);
    pDC->FillSolidRect(rcItem, ::GetSysColor(COLOR_WINDOW));
    if (m_themeButton.GetThemeHandle() != NULL) {
        m_themeButton.DrawBackground(pDC->GetSafeHdc(), BP_CHECKBOX, bChecked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL,
                                     rcCheck, NULL);
    } else {
        pDC->DrawFrameControl(CRect(rcCheck), DFC_BUTTON, DFCS_BUTTONCHECK | (bChecked ? DFCS_CHECKED : 0));
    }

    const CRect rcText(rcItem.left + szCheck.cx + kTextGap, rcItem.top, rcItem.right, rcItem.bottom);
    COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
    if (bSelected) {
        pDC->FillSolidRect(rcText, ::GetSysColor(COLOR_HIGHLIGHT));
        crText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    if (!bEnabled)
        crText = kDisabledText;
    CString strText;
    GetText(nIndex, strText);
    const int yText = rcItem.top + (rcItem.Height() - m_cyFontText) / 2;
    CRect rcDraw(rcText.left + kTextIndent, yText, rcText.right, yText + m_cyFontText);
    const COLORREF crOld = pDC->SetTextColor(crText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, rcDraw, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOld);
    if ((lpDIS->itemState & ODS_FOCUS) != 0)
        pDC->DrawFocusRect(rcText);
}

// ---- page ----

IMPLEMENT_DYNCREATE(CZPCustomizeToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZPCustomizeToolbarsPage, CPropertyPage)
ON_CONTROL(LBN_SELCHANGE, kToolbarList, OnSelectionChanged)
ON_CONTROL(CLBN_CHKCHANGE, kToolbarList, OnCheckChanged)
ON_CONTROL(BN_CLICKED, kNewButton, OnNewToolbar)
ON_CONTROL(BN_CLICKED, kRenameButton, OnRenameToolbar)
ON_CONTROL(BN_CLICKED, kDeleteButton, OnDeleteToolbar)
ON_CONTROL(BN_CLICKED, kResetButton, OnResetToolbar)
END_MESSAGE_MAP()

CZPCustomizeToolbarsPage::CZPCustomizeToolbarsPage(CZPCommandBars* pCommandBars)
    : CPropertyPage(ZP_IDD_CUSTOMIZE_TOOLBARS), m_pCommandBars(pCommandBars)
{}

BOOL CZPCustomizeToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (HWND hWndList = ::GetDlgItem(m_hWnd, kToolbarList))
        m_checkList.SubclassWindow(hWndList);
    if (m_checkList.GetSafeHwnd() != NULL && m_pCommandBars != NULL && m_pCommandBars->IsRightToLeft())
        m_checkList.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    RefreshToolbarsList();
    return TRUE;
}

CZPToolBar* CZPCustomizeToolbarsPage::GetSelectedToolBar() const
{
    if (m_checkList.GetSafeHwnd() == NULL || m_pCommandBars == NULL)
        return NULL;
    const int nItem = m_checkList.GetCurSel();
    if (nItem < 0)
        return NULL;
    const int nBar = static_cast<int>(m_checkList.GetItemData(nItem));
    if (nBar < 0 || nBar >= m_pCommandBars->GetCount())
        return NULL;
    return DYNAMIC_DOWNCAST(CZPToolBar, m_pCommandBars->GetAt(nBar));
}

void CZPCustomizeToolbarsPage::RefreshToolbarsList()
{
    if (m_checkList.GetSafeHwnd() == NULL) {
        UpdateButtons();
        return;
    }
    const int nSelected = m_checkList.GetCurSel();
    const int nSelectedBar = nSelected >= 0 ? static_cast<int>(m_checkList.GetItemData(nSelected)) : -1;
    const int nTop = m_checkList.GetTopIndex();
    m_checkList.SetRedraw(FALSE);
    m_checkList.ResetContent();
    const int nCount = m_pCommandBars != NULL ? m_pCommandBars->GetCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        CZPToolBar* pBar = DYNAMIC_DOWNCAST(CZPToolBar, m_pCommandBars->GetAt(i));
        if (pBar == NULL || !pBar->IsCustomizeDialogPresent())
            continue;
        const BOOL bVisible = pBar->IsBarVisible();
        if (!pBar->IsCloseable() && !bVisible)
            continue;
        const int nItem = m_checkList.AddString(pBar->GetTitle());
        m_checkList.SetItemData(nItem, static_cast<DWORD_PTR>(i));
        m_checkList.SetCheck(nItem, bVisible ? 1 : 0);
        if (i == nSelectedBar)
            m_checkList.SetCurSel(nItem);
    }
    m_checkList.SetTopIndex(nTop);
    m_checkList.SetRedraw(TRUE);
    m_checkList.Invalidate();
    UpdateButtons();
}

void CZPCustomizeToolbarsPage::UpdateButtons()
{
    if (m_hWnd == NULL)
        return;
    CZPToolBar* pBar = GetSelectedToolBar();
    const BOOL bBuiltIn = pBar != NULL && pBar->IsBuiltIn();
    ZpEnableDlgItem(this, kNewButton, TRUE);
    ZpEnableDlgItem(this, kRenameButton, pBar != NULL && !bBuiltIn);
    ZpEnableDlgItem(this, kDeleteButton, pBar != NULL && !bBuiltIn);
    ZpEnableDlgItem(this, kResetButton, bBuiltIn);
}

void CZPCustomizeToolbarsPage::OnSelectionChanged()
{
    UpdateButtons();
}

void CZPCustomizeToolbarsPage::OnCheckChanged()
{
    const int nItem = static_cast<int>(m_checkList.SendMessage(LB_GETCARETINDEX));
    if (nItem < 0 || m_pCommandBars == NULL)
        return;
    const int nBar = static_cast<int>(m_checkList.GetItemData(nItem));
    CZPToolBar* pBar = nBar >= 0 && nBar < m_pCommandBars->GetCount()
                           ? DYNAMIC_DOWNCAST(CZPToolBar, m_pCommandBars->GetAt(nBar))
                           : NULL;
    if (pBar == NULL)
        return;
    if (pBar->IsCloseable()) {
        pBar->SetBarVisible(m_checkList.GetCheck(nItem) != 0);
    } else {
        m_checkList.SetCheck(nItem, 1);
        ::MessageBeep(static_cast<UINT>(-1));
    }
    RefreshToolbarsList();
}

void CZPCustomizeToolbarsPage::OnNewToolbar()
{
    if (m_pCommandBars == NULL)
        return;
    CZPNewToolbarDlg dlg(this, m_pCommandBars);
    if (dlg.DoModal() != IDOK)
        return;
    CZPToolBar* pBar = m_pCommandBars->CreateCustomToolBar(dlg.m_strToolbar, dlg.m_nNewID);
    RefreshToolbarsList();
    CWnd* pSite = m_pCommandBars->GetSite();
    if (pBar != NULL && pSite != NULL && ::IsWindow(pSite->GetSafeHwnd()))
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgToolbarCreated, 0, reinterpret_cast<LPARAM>(pBar));
}

void CZPCustomizeToolbarsPage::OnRenameToolbar()
{
    CZPToolBar* pBar = GetSelectedToolBar();
    if (pBar == NULL || pBar->IsBuiltIn())
        return;
    // The dialog's loop may change the bars: the bar is held and its item looked up again.
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(pBar);
    CZPNewToolbarDlg dlg(this, m_pCommandBars, pBar);
    if (dlg.DoModal() != IDOK)
        return;
    const int nItem = m_checkList.GetCurSel();
    if (m_pCommandBars->IndexOf(pBar) == -1 || GetSelectedToolBar() != pBar)
        return;
    pBar->SetTitle(dlg.m_strToolbar);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->Invalidate();
    const int nCheck = m_checkList.GetCheck(nItem);
    const DWORD_PTR dwData = m_checkList.GetItemData(nItem);
    m_checkList.DeleteString(static_cast<UINT>(nItem));
    const int nNewItem = m_checkList.InsertString(nItem, dlg.m_strToolbar);
    m_checkList.SetCheck(nNewItem, nCheck);
    m_checkList.SetItemData(nNewItem, dwData);
    m_checkList.SetCurSel(nNewItem);
    UpdateButtons();
}

void CZPCustomizeToolbarsPage::OnDeleteToolbar()
{
    CZPToolBar* pBar = GetSelectedToolBar();
    if (pBar == NULL || pBar->IsBuiltIn())
        return;
    const CString strPrompt = ZpFormatResourceString(
        ZP_IDS_CONFIRM_DELETE_TOOLBAR, L"Are you sure you want to delete the '%s' toolbar?", pBar->GetTitle());
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(pBar);
    if (ZpCustomizeMessageBox(this, strPrompt, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    // The prompt's loop may have removed the bar meanwhile.
    if (m_pCommandBars->IndexOf(pBar) == -1)
        return;
    CWnd* pSite = m_pCommandBars->GetSite();
    if (pSite != NULL && ::IsWindow(pSite->GetSafeHwnd()))
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgToolbarDeleted, 0, reinterpret_cast<LPARAM>(pBar));
    ClearSelectionInside(m_pCommandBars, pBar);
    m_pCommandBars->Remove(pBar);
    RefreshToolbarsList();
}

void CZPCustomizeToolbarsPage::OnResetToolbar()
{
    CZPToolBar* pBar = GetSelectedToolBar();
    if (pBar == NULL || !pBar->IsBuiltIn())
        return;
    const CString strPrompt = ZpFormatResourceString(
        ZP_IDS_CONFIRM_RESET_TOOLBAR, L"Are you sure you want to reset the changes made to the '%s' toolbar?",
        pBar->GetTitle());
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(pBar);
    if (ZpCustomizeMessageBox(this, strPrompt, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    if (m_pCommandBars->IndexOf(pBar) == -1)
        return;
    ClearSelectionInside(m_pCommandBars, pBar);
    pBar->RestoreOriginalControls(FALSE);
    RefreshToolbarsList();
}
