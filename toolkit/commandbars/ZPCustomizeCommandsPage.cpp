// The Commands page, its categories and its draggable command list.
#include "commandbars/ZPCustomizeCommandsPage.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPDeviceContext.h"

#include <framework/menu.h>

namespace {

const int kCategoriesList = 100;
const int kCommandsList = 101;
const int kFallbackItemHeight = 22;

CZPPaintManager* PaintManagerOf(CZPCommandBars* pCommandBars)
{
    if (pCommandBars != NULL && pCommandBars->GetPaintManager() != NULL)
        return pCommandBars->GetPaintManager();
    return ZpGetPaintManager();
}

void StartTrackerDrag(CZPCommandBars* pCommandBars, CZPControl* pControl)
{
    // The page ignores the effect: the command stays in its category whatever happened.
    if (pCommandBars != NULL && pCommandBars->GetDragTracker() != NULL)
        pCommandBars->GetDragTracker()->TrackDrag(pControl, TRUE);
}

}  // namespace

// ---- command list ----

IMPLEMENT_DYNAMIC(CZPCustomizeCommandsListBox, CListBox)

BEGIN_MESSAGE_MAP(CZPCustomizeCommandsListBox, CListBox)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void (*CZPCustomizeCommandsListBox::s_pfnStartDrag)(CZPCommandBars*, CZPControl*) = StartTrackerDrag;

CZPCustomizeCommandsListBox::CZPCustomizeCommandsListBox() : m_pCommandBars(NULL), m_bDragEnabled(FALSE) {}

CZPControl* CZPCustomizeCommandsListBox::GetControlAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return reinterpret_cast<CZPControl*>(GetItemData(nIndex));
}

void CZPCustomizeCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    const int cy = PaintManagerOf(m_pCommandBars)->DrawCustomizeListItem(NULL, NULL, CRect(), 0).cy;
    lpMIS->itemHeight = static_cast<UINT>(cy > 0 ? cy : kFallbackItemHeight);
}

void CZPCustomizeCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (static_cast<int>(lpDIS->itemID) < 0)
        return;
    CZPControl* pControl = reinterpret_cast<CZPControl*>(lpDIS->itemData);
    PaintManagerOf(m_pCommandBars)
        ->DrawCustomizeListItem(CDC::FromHandle(lpDIS->hDC), pControl, CRect(lpDIS->rcItem), lpDIS->itemState);
}

BOOL CZPCustomizeCommandsListBox::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(rcClient);
    PaintManagerOf(m_pCommandBars)->DrawCustomizeListItem(pDC, NULL, rcClient, 0);
    return TRUE;
}

void CZPCustomizeCommandsListBox::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(rcClient);
    CZPBufferDC buffer(dc.GetSafeHdc(), rcClient);
    PaintManagerOf(m_pCommandBars)->DrawCustomizeListItem(&buffer, NULL, rcClient, 0);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
}

void CZPCustomizeCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->SetCustomizeSelection(NULL);
    BOOL bOutside = TRUE;
    const int nIndex = static_cast<int>(ItemFromPoint(point, bOutside));
    CZPControl* pControl = bOutside ? NULL : GetControlAt(nIndex);
    if (pControl == NULL || !m_bDragEnabled) {
        CListBox::OnLButtonDown(nFlags, point);
        return;
    }
    SetCurSel(nIndex);
    SetFocus();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
    // A "New Menu" (a popup whose bar is empty) is dragged as a fresh copy each time, so two drops
    // make two independent menus.
    CZPCommandBar* pPopupBar = ZpIsPopupKind(pControl->GetType()) ? pControl->GetCommandBar() : NULL;
    if (ZpIsPopupKind(pControl->GetType()) && (pPopupBar == NULL || pPopupBar->CountControls() == 0)) {
        CRefPtr<CZPControl> pClone = CRefPtr<CZPControl>::Adopt(pControl->Clone(TRUE));
        if (pClone)
            s_pfnStartDrag(m_pCommandBars, pClone.Get());
        return;
    }
    s_pfnStartDrag(m_pCommandBars, pControl);
}

// ---- page ----

IMPLEMENT_DYNCREATE(CZPCustomizeCommandsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZPCustomizeCommandsPage, CPropertyPage)
ON_CONTROL(LBN_SELCHANGE, kCategoriesList, OnCategorySelected)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CZPCustomizeCommandsPage::CZPCustomizeCommandsPage(CZPCommandBars* pCommandBars)
    : CPropertyPage(ZP_IDD_CUSTOMIZE_COMMANDS), m_pCommandBars(pCommandBars), m_categories(pCommandBars)
{}

BOOL CZPCustomizeCommandsPage::AddMenuCategories(UINT nMenuID, BOOL bNested)
{
    return CZPCustomizeCategories::ForEachMenuCategory(
        nMenuID, [&](const CString& strName, CMenu* pSubMenu) { AddCategory(strName, pSubMenu, bNested); });
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeCommandsPage::AddCategory(LPCWSTR lpszCategory, CMenu* pMenu, BOOL bNested)
{
    return m_categories.AddCategory(lpszCategory, pMenu, bNested, FALSE);
}

BOOL CZPCustomizeCommandsPage::AddMenuPopupsCategory(UINT nMenuID, UINT nIDName, int nIndex)
{
    return m_categories.AddMenuPopupsCategory(nMenuID, nIDName, nIndex);
}

BOOL CZPCustomizeCommandsPage::AddNewMenuCategory(UINT nIDName, int nIndex)
{
    return m_categories.AddNewMenuCategory(nIDName, nIndex);
}

BOOL CZPCustomizeCommandsPage::AddAllCommandsCategory(UINT nIDName, int nIndex, BOOL bSort)
{
    return m_categories.AddAllCommandsCategory(nIDName, nIndex, bSort);
}

BOOL CZPCustomizeCommandsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kCategoriesList))
        m_lstCategories.SubclassWindow(hWnd);
    m_lstCommands.SetCommandBars(m_pCommandBars);
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kCommandsList))
        m_lstCommands.SubclassWindow(hWnd);
    if (m_lstCategories.GetSafeHwnd() != NULL) {
        for (int i = 0; i < m_categories.GetCount(); ++i) {
            const int nItem = m_lstCategories.AddString(m_categories.GetAt(i)->strCategory);
            m_lstCategories.SetItemData(nItem, static_cast<DWORD_PTR>(i));
        }
        m_lstCategories.SetCurSel(0);
    }
    if (m_lstCommands.GetSafeHwnd() != NULL) {
        MEASUREITEMSTRUCT mis = {};
        m_lstCommands.MeasureItem(&mis);
        m_lstCommands.SetItemHeight(0, mis.itemHeight);
        m_lstCommands.EnableDrag(m_pCommandBars != NULL);
    }
    if (m_pCommandBars != NULL && m_pCommandBars->IsRightToLeft()) {
        if (m_lstCommands.GetSafeHwnd() != NULL)
            m_lstCommands.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
        if (m_lstCategories.GetSafeHwnd() != NULL)
            m_lstCategories.ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    }
    ZpMouseManager()->AddTrustedWindow(m_hWnd);
    OnCategorySelected();
    return TRUE;
}

void CZPCustomizeCommandsPage::OnDestroy()
{
    if (CZPMouseManager* pManager = ZpMouseManagerIfExists())
        pManager->RemoveTrustedWindow(m_hWnd);
    CPropertyPage::OnDestroy();
}

void CZPCustomizeCommandsPage::OnCategorySelected()
{
    if (m_lstCommands.GetSafeHwnd() == NULL)
        return;
    m_lstCommands.SetRedraw(FALSE);
    m_lstCommands.ResetContent();
    const int nItem = m_lstCategories.GetSafeHwnd() != NULL ? m_lstCategories.GetCurSel() : -1;
    ZP_COMMANDBARS_CATEGORYINFO* pCategory =
        nItem >= 0 ? m_categories.GetAt(static_cast<int>(m_lstCategories.GetItemData(nItem))) : NULL;
    if (pCategory != NULL) {
        CZPControls* pControls = pCategory->pControls;
        m_lstCommands.SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(pControls->GetCount()), 0);
        for (int i = 0; i < pControls->GetCount(); ++i)
            m_lstCommands.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pControls->GetAt(i)));
    }
    m_lstCommands.SetRedraw(TRUE);
    m_lstCommands.Invalidate();
}
