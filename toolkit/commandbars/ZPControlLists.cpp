// List placeholders: each removes its previous items, hides or shows itself and adds fresh
// temporary items right after itself.
#include "commandbars/ZPControlLists.h"

#include <framework/app.h>
#include <framework/mdi.h>

#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"
#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPToolBar.h"

IMPLEMENT_DYNCREATE(CZPControlWindowList, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlWorkspaceActions, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlToolbars, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlToolbar, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlRecentFileList, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlOleItems, CZPControlButton)

namespace {

const int kMnemonicLast = 9;
const int kMnemonicOnZero = 10;
// MDI child numberings some frames use instead of 65280.
const int kMdiFirstWindowsIds = 32768;
const int kMdiLastWindowsIds = 32814;
const int kMdiFirstSmallIds = 1;
const int kMdiLastSmallIds = 46;
// Help id and prompt string of the window-list items.
const int kWindowListHelpId = 61215;
const LPCWSTR kToolbarItemParameter = L"CZPControlToolbar";

int PlaceholderIndex(CZPControl* pControl)
{
    return pControl->GetControls() != NULL ? pControl->GetIndex() : -1;
}

// Removes the controls right after the placeholder while bMatch says they are its items.
template <typename Match> void RemoveFollowing(CZPControl* pPlaceholder, Match bMatch)
{
    CZPControls* pControls = pPlaceholder->GetControls();
    if (pControls == NULL)
        return;
    const int nNext = pPlaceholder->GetIndex() + 1;
    while (nNext < pControls->GetCount() && bMatch(pControls->GetAt(nNext)))
        pControls->Remove(pControls->GetAt(nNext));
}

CZPControl* AddItem(CZPControl* pPlaceholder, int nKind, int nId, int nOffset, LPCWSTR lpszParameter = L"")
{
    return pPlaceholder->GetControls()->Add(nKind, nId, lpszParameter, PlaceholderIndex(pPlaceholder) + 1 + nOffset,
                                            TRUE);
}

// The first item takes the placeholder's row break.
void TakeWrapFlag(CZPControl* pPlaceholder, CZPControl* pFirst)
{
    if ((pPlaceholder->GetFlags() & zpFlagWrapRow) != 0)
        pFirst->SetFlags(pFirst->GetFlags() | zpFlagWrapRow);
}

}  // namespace

CString ZpMakeMenuLabel(int nNumber, const CString& strText)
{
    CString strDoubled = strText;
    strDoubled.Replace(L"&", L"&&");
    CString strLabel;
    if (nNumber >= 1 && nNumber <= kMnemonicLast)
        strLabel.Format(L"&%i %s", nNumber, static_cast<LPCWSTR>(strDoubled));
    else if (nNumber == kMnemonicOnZero)
        strLabel.Format(L"1&0 %s", static_cast<LPCWSTR>(strDoubled));
    else if (nNumber > kMnemonicOnZero)
        strLabel.Format(L"%i %s", nNumber, static_cast<LPCWSTR>(strDoubled));
    else
        strLabel = strDoubled;
    return strLabel;
}

BOOL ZpIsListDropAllowed(CZPCommandBar* pTargetBar)
{
    return pTargetBar != NULL && pTargetBar->GetType() == zpBarTypePopup;
}

// Recent files

CRecentFileList* CZPControlRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pRecentFileList : NULL;
}

int CZPControlRecentFileList::GetFirstMruID()
{
    return ZP_ID_FILE_MRU_FIRST;
}

BOOL CZPControlRecentFileList::IsCustomizeDropAllowed(CZPControl* pTarget)
{
    return ZpIsListDropAllowed(pTarget != NULL ? pTarget->GetParent() : NULL);
}

void CZPControlRecentFileList::OnBeforeLayout(UINT)
{
    CRecentFileList* pList = GetRecentFileList();
    if (pList == NULL || m_pControls == NULL)
        return;
    const int nFirst = GetFirstMruID();
    const int nLast = nFirst + pList->GetSize();
    RemoveFollowing(this, [=](CZPControl* p) { return p->GetID() >= nFirst && p->GetID() <= nLast; });

    if (IsCustomizeMode()) {
        SetHideFlags(zpHideNone);
        SetEnabled(TRUE);
        return;
    }
    if (pList->GetSize() == 0 || (*pList)[0].IsEmpty()) {
        SetHideFlags(zpHideNone);
        SetEnabled(FALSE);
        return;
    }
    SetHideFlags(m_dwHideFlags | zpHideGeneric);

    WCHAR szDir[MAX_PATH + 1] = {};
    DWORD nDir = ::GetCurrentDirectoryW(MAX_PATH, szDir);
    if (nDir == 0 || nDir >= MAX_PATH)
        nDir = 0;
    szDir[nDir] = 0;
    if (nDir > 0 && szDir[nDir - 1] != L'\\') {
        szDir[nDir++] = L'\\';
        szDir[nDir] = 0;
    }
    for (int n = 0; n < pList->GetSize(); ++n) {
        CString strName;
        if (!pList->GetDisplayName(strName, n, szDir, static_cast<int>(nDir), TRUE))
            break;
        CZPControl* pItem = AddItem(this, zpControlButton, nFirst + n, n);
        if (pItem == NULL)
            break;
        pItem->SetCaption(ZpMakeMenuLabel(n + 1, strName));
        pItem->SetFlags(zpFlagManualUpdate);
        if (n == 0) {
            if (GetIndex() > 0)
                pItem->SetBeginGroup(TRUE);
            TakeWrapFlag(this, pItem);
        }
    }
}

// Window list

int CZPControlWindowList::s_nFirstMdiId = ZP_ID_MDI_FIRST_DEFAULT;

BOOL CZPControlWindowList::IsCustomizeDropAllowed(CZPControl* pTarget)
{
    return ZpIsListDropAllowed(pTarget != NULL ? pTarget->GetParent() : NULL);
}

void CZPControlWindowList::OnBeforeLayout(UINT)
{
    if (m_pControls == NULL)
        return;
    RemoveFollowing(this, [](CZPControl* p) { return p->GetID() >= s_nFirstMdiId; });

    CZPCommandBars* pCommandBars = m_pParent != NULL ? m_pParent->GetCommandBars() : NULL;
    CWnd* pSite = pCommandBars != NULL ? pCommandBars->GetSite() : NULL;
    CMDIFrameWnd* pFrame =
        pSite != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(pSite->m_hWnd)) : NULL;
    const HWND hWndClient = pFrame != NULL ? pFrame->m_hWndMDIClient : NULL;
    if (IsCustomizeMode() || hWndClient == NULL || !::IsWindow(hWndClient)) {
        SetHideFlags(zpHideNone);
        return;
    }
    SetHideFlags(m_dwHideFlags | zpHideGeneric);

    const HWND hWndActive = reinterpret_cast<HWND>(::SendMessageW(hWndClient, WM_MDIGETACTIVE, 0, 0));
    if (hWndActive != NULL) {
        const int nActiveId = ::GetDlgCtrlID(hWndActive);
        if (nActiveId >= kMdiFirstWindowsIds && nActiveId <= kMdiLastWindowsIds)
            s_nFirstMdiId = kMdiFirstWindowsIds;
        else if (nActiveId >= kMdiFirstSmallIds && nActiveId <= kMdiLastSmallIds)
            s_nFirstMdiId = kMdiFirstSmallIds;
    }
    CString strPrompt = ZpResourceManagerInstance()->LoadStringOrEmpty(kWindowListHelpId);
    int nItems = 0;
    for (int nId = s_nFirstMdiId; nItems < ZP_WINDOW_LIST_MAX; ++nId) {
        const HWND hWndChild = ::GetDlgItem(hWndClient, nId);
        if (hWndChild == NULL)
            break;
        // The child's own visibility: a frame still hidden does not hide its windows from the list.
        if ((::GetWindowLongW(hWndChild, GWL_STYLE) & WS_VISIBLE) == 0)
            continue;
        CZPControl* pItem = AddItem(this, zpControlButton, nId, nItems);
        if (pItem == NULL)
            break;
        CString strText;
        ZpGetWindowTextDirect(hWndChild, strText);
        pItem->SetCaption(ZpMakeMenuLabel(nItems + 1, strText));
        pItem->SetChecked(hWndChild == hWndActive);
        pItem->SetFlags(zpFlagManualUpdate);
        pItem->SetHelpId(kWindowListHelpId);
        if (!strPrompt.IsEmpty())
            pItem->SetPrompt(strPrompt);
        if (nItems == 0) {
            pItem->SetBeginGroup(TRUE);
            TakeWrapFlag(this, pItem);
        }
        ++nItems;
    }
}

// Toolbars

void CZPControlToolbar::Execute()
{
    CZPCommandBars* pCommandBars = m_pParent != NULL ? m_pParent->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return;
    const int nBar = static_cast<int>(GetTag());
    pCommandBars->EndAllTracking();
    if (nBar < 0 || nBar >= pCommandBars->GetCount())
        return;
    CZPCommandBar* pBar = pCommandBars->GetAt(nBar);
    pBar->SetBarVisible(!pBar->IsBarVisible());
    if (pCommandBars->GetCommandBarsOptions() != NULL)
        pCommandBars->GetCommandBarsOptions()->m_bDirty = TRUE;
}

BOOL CZPControlToolbars::IsCustomizeDropAllowed(CZPControl* pTarget)
{
    return ZpIsListDropAllowed(pTarget != NULL ? pTarget->GetParent() : NULL);
}

void CZPControlToolbars::CreateToolbarItems(CZPCommandBar* pBar, int nIndex, int nId, BOOL bAddCustomizeButton,
                                            BOOL bBeginGroup)
{
    CZPCommandBars* pCommandBars = pBar != NULL ? pBar->GetCommandBars() : NULL;
    if (pCommandBars == NULL || pBar->GetControls() == NULL)
        return;
    CZPControls* pControls = pBar->GetControls();
    BOOL bFirst = TRUE;
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CZPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZPToolBar, pCommandBars->GetAt(i));
        if (pToolBar == NULL || !pToolBar->IsContextMenuPresent() || !pToolBar->IsCloseable())
            continue;
        CZPControl* pItem = pControls->AddControl(new CZPControlToolbar, nId, kToolbarItemParameter, nIndex++, TRUE);
        if (pItem == NULL)
            continue;
        pItem->SetTag(static_cast<DWORD_PTR>(i));
        pItem->SetCaption(ZpMakeMenuLabel(0, pToolBar->GetTitle()));
        pItem->SetFlags(zpFlagManualUpdate);
        pItem->SetChecked(pToolBar->IsBarVisible());
        if (bFirst && bBeginGroup)
            pItem->SetBeginGroup(TRUE);
        bFirst = FALSE;
    }
    if (bAddCustomizeButton && pCommandBars->IsCustomizeAvailable()) {
        if (CZPControl* pCustomize = pControls->Add(zpControlButton, ZP_ID_CUSTOMIZE, NULL, nIndex))
            pCustomize->SetBeginGroup(TRUE);
    }
}

void CZPControlToolbars::OnBeforeLayout(UINT)
{
    if (m_pControls == NULL)
        return;
    RemoveFollowing(this, [](CZPControl* p) { return p->GetParameter() == kToolbarItemParameter; });
    if (IsCustomizeMode()) {
        SetHideFlags(zpHideNone);
        return;
    }
    SetHideFlags(m_dwHideFlags | zpHideGeneric);
    CreateToolbarItems(m_pParent, GetIndex() + 1, GetID(), FALSE, GetBeginGroup());
}
