// The controls collection: membership, search, the factories and the snapshot.
#include "commandbars/ZPControls.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlCustom.h"
#include "commandbars/ZPControlEdit.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlLabel.h"
#include "commandbars/ZPControlLists.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <framework/menu.h>

IMPLEMENT_DYNCREATE(CZPControls, CCmdTarget)
IMPLEMENT_DYNCREATE(CZPOriginalControls, CZPControls)

namespace {

// Nesting of popup bars loaded from submenus and searched recursively; deeper levels are left
// empty (or unsearched), so a menu that contains itself or a bar shared in a cycle ends.
const int kMaxPopupDepth = 128;
int g_nMenuDepth = 0;

// Holds a nesting counter for one level.
class CDepthScope
{
public:
    explicit CDepthScope(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
    ~CDepthScope() { --m_nDepth; }
    CDepthScope(const CDepthScope&) = delete;
    CDepthScope& operator=(const CDepthScope&) = delete;

private:
    int& m_nDepth;
};

// The class a kind creates, ignoring the ids that select list placeholders.
CRuntimeClass* ClassOfKind(int nKind)
{
    switch (nKind) {
    case zpControlCustomBase:
        return RUNTIME_CLASS(CZPControl);
    case zpControlButton:
        return RUNTIME_CLASS(CZPControlButton);
    case zpControlPopup:
    case zpControlButtonPopup:
    case zpControlSplitButtonPopup:
        return RUNTIME_CLASS(CZPControlPopup);
    case zpControlComboBox:
        return RUNTIME_CLASS(CZPControlComboBox);
    case zpControlEdit:
        return RUNTIME_CLASS(CZPControlEdit);
    case zpControlCustom:
        return RUNTIME_CLASS(CZPControlCustom);
    case zpControlLabel:
        return RUNTIME_CLASS(CZPControlLabel);
    case zpControlCheckBox:
        return RUNTIME_CLASS(CZPControlCheckBox);
    case zpControlGallery:
        return RUNTIME_CLASS(CZPControlGallery);
    case zpControlRadioButton:
        return RUNTIME_CLASS(CZPControlRadioButton);
    default:
        return NULL;
    }
}

// The caption without mnemonic ampersands ("&&" keeps one).
CString StripMnemonics(const CString& strText)
{
    CString strResult;
    for (int i = 0; i < strText.GetLength(); ++i) {
        if (strText[i] == L'&') {
            if (i + 1 < strText.GetLength() && strText[i + 1] == L'&')
                strResult.AppendChar(L'&');
            ++i;
            if (i < strText.GetLength() && strText[i] != L'&')
                strResult.AppendChar(strText[i]);
            continue;
        }
        strResult.AppendChar(strText[i]);
    }
    return strResult;
}

// A popup item's text "Caption\t120" names its id; other texts keep theirs. Only a plain decimal
// number that fits a positive id counts.
BOOL ParsePopupId(const CString& strText, int& nId, CString& strCaption)
{
    int nTab = strText.Find(L'\t');
    if (nTab < 1)
        return FALSE;
    CString strNumber = strText.Mid(nTab + 1);
    if (strNumber.IsEmpty() || strNumber.GetLength() > 10)
        return FALSE;
    unsigned long long nValue = 0;
    for (int i = 0; i < strNumber.GetLength(); ++i) {
        if (strNumber[i] < L'0' || strNumber[i] > L'9')
            return FALSE;
        nValue = nValue * 10 + static_cast<unsigned>(strNumber[i] - L'0');
    }
    if (nValue == 0 || nValue > static_cast<unsigned long long>(ZP_ID_MAX_ACTION))
        return FALSE;
    nId = static_cast<int>(nValue);
    strCaption = strText.Left(nTab);
    return TRUE;
}

}  // namespace

BOOL ZpIsControlKindOf(const CZPControl* pControl, int nKind)
{
    CRuntimeClass* pClass = ClassOfKind(nKind);
    return pControl != NULL && pClass != NULL && pControl->IsKindOf(pClass);
}

BOOL ZpIsKeyboardSelection(int nSelected)
{
    return nSelected == zpSelectionKeyboard || nSelected == zpSelectionKeyboardBack;
}

CZPControls::CZPControls() : m_pParent(NULL), m_pCommandBars(NULL), m_bOriginalControls(FALSE), m_nRefreshFrom(0)
{
    EnableAutomation();
}

CZPOriginalControls::CZPOriginalControls()
{
    m_bOriginalControls = TRUE;
}

CZPControls::~CZPControls()
{
    m_pParent = NULL;
    RemoveAll();
}

// Membership -----------------------------------------------------------------------------------

CZPControl* CZPControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrControls[nIndex].Get();
}

CZPControl* CZPControls::InsertAt(CZPControl* pControl, int nIndex)
{
    if (pControl == NULL)
        return NULL;
    if (pControl->m_pControls != NULL) {
        ASSERT(pControl->m_pControls == NULL);
        return NULL;
    }
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    CRefPtr<CZPControl> adopted = CRefPtr<CZPControl>::Adopt(pControl);
    m_arrControls.InsertAt(nIndex, adopted);
    pControl->m_pControls = this;
    // The controls before the new one keep their places: the refresh starts at it.
    m_nRefreshFrom = nIndex;
    OnControlAdded(pControl);
    m_nRefreshFrom = 0;
    return pControl;
}

void CZPControls::Remove(CZPControl* pControl)
{
    if (pControl == NULL || pControl->m_pControls != this)
        return;
    // The highlight change reaches the site, which may remove the control or drop the bar.
    CRefPtr<CZPControls> holdThis = CRefPtr<CZPControls>::AddRef(this);
    CRefPtr<CZPControl> holdControl = CRefPtr<CZPControl>::AddRef(pControl);
    if (pControl->GetSelected() != zpSelectionNone && m_pParent != NULL)
        m_pParent->HighlightControlAt(-1, 0);
    if (pControl->m_pControls != this)
        return;
    int nIndex = pControl->GetIndex();
    if (nIndex < 0 || nIndex >= GetCount() || GetAt(nIndex) != pControl || IsRemoveRefused(pControl))
        return;
    RemoveControl(nIndex);
}

// Takes the control out, tells it, then lets the collection's reference go last.
void CZPControls::RemoveControl(int nIndex)
{
    CRefPtr<CZPControl> removed = static_cast<CRefPtr<CZPControl>&&>(m_arrControls[nIndex]);
    m_arrControls.RemoveAt(nIndex);
    // The controls before it keep their places: emptying from the end stays linear.
    m_nRefreshFrom = nIndex;
    OnControlRemoved(removed.Get());
    m_nRefreshFrom = 0;
    removed->SetParent(NULL);
}

void CZPControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (i >= GetCount())
            continue;
        CZPControl* pControl = GetAt(i);
        if (!IsRemoveRefused(pControl))
            RemoveControl(i);
    }
}

void CZPControls::SetParentBar(CZPCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        RefreshIndexes();
}

CZPCommandBars* CZPControls::GetCommandBars() const
{
    CZPCommandBars* pCommandBars = m_pParent != NULL ? m_pParent->FindCommandBars() : NULL;
    return pCommandBars != NULL ? pCommandBars : m_pCommandBars;
}

BOOL CZPControls::ShouldSerialize(CZPControl* pControl) const
{
    return pControl != NULL && !pControl->IsTemporary();
}

void CZPControls::OnControlAdded(CZPControl*)
{
    RefreshIndexes();
}

void CZPControls::OnControlRemoved(CZPControl* pControl)
{
    pControl->m_pControls = NULL;
    pControl->OnRemoved();
    pControl->SetParent(NULL);
    RefreshIndexes();
}

BOOL CZPControls::IsRemoveRefused(CZPControl*) const
{
    return FALSE;
}

void CZPControls::RefreshIndexes()
{
    const int nFrom = m_nRefreshFrom <= GetCount() ? m_nRefreshFrom : 0;
    m_nRefreshFrom = 0;
    for (int i = nFrom; i < GetCount(); ++i) {
        CZPControl* pControl = m_arrControls[i].Get();
        if (pControl->m_nIndex == i && pControl->m_pControls == this && pControl->m_pParent == m_pParent)
            continue;  // already current: appending stays linear per control
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != NULL)
        m_pParent->ResetTrackingState();
}

// Search ---------------------------------------------------------------------------------------

CZPControl* CZPControls::FindControl(int nKind, int nId, BOOL bVisible, BOOL bRecursive) const
{
    static int s_nDepth = 0;
    if (s_nDepth >= kMaxPopupDepth)
        return NULL;
    CDepthScope scope(s_nDepth);
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if ((nKind == 0 || pControl->GetType() == nKind) && (nId == -1 || pControl->GetID() == nId) &&
            (!bVisible || pControl->IsVisible(0)))
            return pControl;
        CZPCommandBar* pBar = bRecursive ? pControl->GetCommandBar() : NULL;
        if (pBar != NULL && pBar->GetControls() != NULL) {
            CZPControl* pFound = pBar->GetControls()->FindControl(nKind, nId, bVisible, TRUE);
            if (pFound != NULL)
                return pFound;
        }
    }
    return NULL;
}

CZPControl* CZPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if (pControl->GetRect().PtInRect(point) && pControl->IsVisible(0))
            return pControl;
    }
    return NULL;
}

int CZPControls::GetVisibleCount(BOOL bStrict) const
{
    const DWORD dwMask = bStrict ? 0 : zpHideWrap;
    int nCount = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetAt(i)->IsVisible(dwMask))
            ++nCount;
    }
    return nCount;
}

CZPControl* CZPControls::GetVisibleAt(int nIndex, BOOL bStrict) const
{
    const DWORD dwMask = bStrict ? 0 : zpHideWrap;
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if (pControl->IsVisible(dwMask) && nIndex-- == 0)
            return pControl;
    }
    return NULL;
}

int CZPControls::GetNext(int nIndex, int nDirection, BOOL bSkipUnfocusable, BOOL bSkipTemporary,
                         BOOL bKeepHiddenByUsage) const
{
    const int nCount = GetCount();
    if (nCount == 0 || (nDirection != 1 && nDirection != -1))
        return -1;
    const DWORD dwMask = bKeepHiddenByUsage ? zpHideScroll : (zpHideScroll | zpHideExpand);
    const BOOL bFromOutside = nIndex == -1;
    int nNext = (nIndex == -1 && nDirection == -1) ? nCount - 1 : nIndex + nDirection;
    if (nNext == nIndex)
        return nIndex;
    BOOL bWrapped = FALSE;
    // At most one pass past the start plus the wrap: an all-hidden list ends.
    for (int nSteps = 0; nSteps <= nCount + 1; ++nSteps) {
        if (nNext >= nCount) {
            if ((bFromOutside && nDirection == 1) || bWrapped)
                return -1;
            nNext = 0;
            bWrapped = TRUE;
        } else if (nNext < 0) {
            if ((bFromOutside && nDirection == -1) || bWrapped)
                return -1;
            nNext = nCount - 1;
            bWrapped = TRUE;
        }
        if (nNext == nIndex)
            return nIndex;
        CZPControl* pControl = GetAt(nNext);
        if (pControl->IsVisible(dwMask) && !(bSkipUnfocusable && (pControl->GetFlags() & zpFlagSkipFocus) != 0) &&
            !(bSkipTemporary && pControl->IsTemporary()))
            return nNext;
        nNext += nDirection;
    }
    return -1;
}

// Creation -------------------------------------------------------------------------------------

CWnd* CZPControls::FindRequestSite() const
{
    CZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetSite() != NULL)
        return pCommandBars->GetSite();
    return m_pParent != NULL ? m_pParent->FindCommandTargetWindow() : NULL;
}

CZPControl* CZPControls::CreateControlOfKind(int nKind, int nId, const CString& strCaption) const
{
    if (nKind == zpControlButton) {
        switch (nId) {
        case ZP_ID_WINDOWLIST:
            return new CZPControlWindowList;
        case ZP_ID_WORKSPACE_ACTIONS:
            return new CZPControlWorkspaceActions;
        case ZP_ID_TOOLBARLIST:
            return new CZPControlToolbars;
        case ZP_ID_FILE_MRU:
        case ZP_ID_FILE_MRU_FIRST:
            return new CZPControlRecentFileList;
        case ZP_ID_OLE_VERB_FIRST:
            if (strCaption == ZP_OLE_VERBS_CAPTION)
                return new CZPControlOleItems;
            break;
        default:
            break;
        }
        return new CZPControlButton;
    }
    CRuntimeClass* pClass = ClassOfKind(nKind);
    if (pClass == NULL || nKind == zpControlCustomBase)
        return NULL;
    return static_cast<CZPControl*>(pClass->CreateObject());
}

void CZPControls::AttachPopupBar(CZPControl* pPopup, const CString& strCaption, int nId, CMenu* pSubMenu,
                                 BOOL bSetTitle)
{
    CZPControlPopup* pControlPopup = DYNAMIC_DOWNCAST(CZPControlPopup, pPopup);
    if (pControlPopup == NULL)
        return;
    CRefPtr<CZPCommandBar> pBar;
    CWnd* pSite = FindRequestSite();
    HWND hWndSite = CWnd::GetSafeHwnd(pSite);
    if (hWndSite != NULL) {
        ZpCreateBarRequest request = {};
        request.bPopup = TRUE;
        request.lpcstrCaption = strCaption;
        request.nID = static_cast<UINT>(nId);
        if (::SendMessageW(hWndSite, ZpMsgCreateBar, 0, reinterpret_cast<LPARAM>(&request)) != 0 &&
            request.pCommandBar != NULL) {
            // The record carries the handler's reference; only a popup bar is used.
            CRefPtr<CZPCommandBar> pOffered = CRefPtr<CZPCommandBar>::Adopt(request.pCommandBar);
            if (pOffered->IsKindOf(RUNTIME_CLASS(CZPPopupBar)))
                pBar = pOffered;
        }
    }
    if (!pBar)
        pBar.Attach(ZpCreatePopupBar(GetCommandBars()));
    if (bSetTitle)
        pBar->SetTitle(strCaption);
    pControlPopup->SetCommandBar(pBar.Get());
    if (pSubMenu != NULL && g_nMenuDepth < kMaxPopupDepth) {
        CDepthScope scope(g_nMenuDepth);
        pBar->LoadFromMenu(pSubMenu, FALSE);
    }
}

CZPControl* CZPControls::Add(int nKind, int nId, LPCWSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (nKind < zpControlButton || nKind > ZP_CONTROL_KIND_LAST)
        return NULL;
    CZPControl* pControl = CreateControlOfKind(nKind, nId, CString());
    if (pControl == NULL)
        return NULL;
    if (ZpIsPopupKind(nKind)) {
        CString strCaption;
        CMenu menu;
        CMenu* pSubMenu = NULL;
        if (nId > 0 && ZpResourceManagerInstance()->LoadMenu(&menu, static_cast<UINT>(nId))) {
            ZpResourceManagerInstance()->GetMenuItemText(&menu, 0, strCaption, MF_BYPOSITION);
            pSubMenu = menu.GetSubMenu(0);
        }
        AttachPopupBar(pControl, strCaption, nId, pSubMenu, FALSE);
        pControl->SetCaption(strCaption);
    }
    if (nKind != zpControlCustom)
        pControl->m_controlType = nKind;
    return AddControl(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CZPControl* CZPControls::AddControl(CZPControl* pControl, int nId, LPCWSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (pControl == NULL)
        return NULL;
    pControl->SetParameter(lpszParameter != NULL ? lpszParameter : L"");
    pControl->SetTemporary(bTemporary);
    // Actions are off in this system: the id goes onto the control with its string resource.
    if (pControl->GetAction() == NULL)
        pControl->SetID(nId);
    return InsertAt(pControl, nBefore);
}

CZPControl* CZPControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    if (pMenu == NULL || !::IsMenu(pMenu->GetSafeHmenu()))
        return NULL;
    return AddMenuItem(pMenu, nIndex, pMenu->GetDefaultItem(GMDI_USEDISABLED, TRUE));
}

CZPControl* CZPControls::AddMenuItem(CMenu* pMenu, int nIndex, UINT nDefaultItem)
{
    if (pMenu == NULL || !::IsMenu(pMenu->GetSafeHmenu()))
        return NULL;
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (!pMenu->GetMenuItemInfo(static_cast<UINT>(nIndex), &mii, TRUE))
        return NULL;
    CMenu* pSubMenu = mii.hSubMenu != NULL ? CMenu::FromHandle(mii.hSubMenu) : NULL;
    int nId = pSubMenu != NULL ? 0 : static_cast<int>(mii.wID);
    if (pSubMenu == NULL && mii.wID == ZP_ID_MENU_NOCONTROL)
        return NULL;
    const BOOL bDefaultItem = nDefaultItem == static_cast<UINT>(nIndex);

    CString strCaption;
    ZpResourceManagerInstance()->GetMenuItemText(pMenu, static_cast<UINT>(nIndex), strCaption, MF_BYPOSITION);
    if (pSubMenu != NULL) {
        CString strBefore;
        if (ParsePopupId(strCaption, nId, strBefore))
            strCaption = strBefore;
    }

    ZpCreateControlRequest request;
    request.nID = nId;
    request.pControl = NULL;
    request.bToolBar = FALSE;
    request.nIndex = nIndex;
    request.pMenu = pMenu;
    request.pCommandBar = m_pParent;
    request.strCaption = strCaption;
    request.controlType = pSubMenu != NULL ? zpControlPopup : zpControlButton;
    request.buttonStyle = zpButtonAutomatic;
    request.bDefaultItem = bDefaultItem;

    CRefPtr<CZPControls> holdThis = CRefPtr<CZPControls>::AddRef(this);
    HWND hWndSite = CWnd::GetSafeHwnd(FindRequestSite());
    CRefPtr<CZPControl> pControl;
    if (hWndSite != NULL && ::SendMessageW(hWndSite, ZpMsgCreateControl, 0, reinterpret_cast<LPARAM>(&request)) != 0 &&
        request.pControl != NULL) {
        // A control already in a collection cannot join a second one (that reference is not ours).
        if (request.pControl->GetControls() != NULL)
            return NULL;
        pControl.Attach(request.pControl);  // the handler's creation reference
    }
    if (!pControl) {
        nId = request.nID;
        strCaption = request.strCaption;
        pControl.Attach(CreateControlOfKind(request.controlType, nId, strCaption));
        if (!pControl)
            return NULL;
        if (ZpIsPopupKind(request.controlType)) {
            CMenu menu;
            CMenu* pSource = pSubMenu;
            if (pSource == NULL && nId > 0 && ZpResourceManagerInstance()->LoadMenu(&menu, static_cast<UINT>(nId)))
                pSource = menu.GetSubMenu(0);
            AttachPopupBar(pControl.Get(), StripMnemonics(strCaption), nId, pSource, TRUE);
        }
        pControl->m_controlType = request.controlType;
        pControl->SetStyle(request.buttonStyle);
        pControl->SetTag(mii.dwItemData);
        pControl->SetID(nId);
        pControl->SetCaption(strCaption);
        if (request.bDefaultItem)
            pControl->SetDefaultItem(TRUE);
    }
    CZPControl* pAdded = InsertAt(pControl.Detach(), -1);
    if (pAdded != NULL && hWndSite != NULL && ::IsWindow(hWndSite)) {
        request.pControl = pAdded;
        ::SendMessageW(hWndSite, ZpMsgControlCreated, 0, reinterpret_cast<LPARAM>(&request));
    }
    return pAdded;
}

CZPControl* CZPControls::AddClone(CZPControl* pClone, int nBefore, BOOL bRecursive)
{
    if (pClone == NULL)
        return NULL;
    CObject* pObject = pClone->GetRuntimeClass()->CreateObject();
    CZPControl* pControl = DYNAMIC_DOWNCAST(CZPControl, pObject);
    if (pControl == NULL) {
        delete pObject;
        return NULL;
    }
    InsertAt(pControl, nBefore);
    pControl->Copy(pClone, bRecursive);
    return pControl;
}

CZPControl* CZPControls::SetControlType(CZPControl* pControl, int nKind)
{
    if (pControl == NULL || pControl->m_pControls != this)
        return NULL;
    if (ZpIsPopupKind(pControl->GetType()) && ZpIsPopupKind(nKind)) {
        pControl->m_controlType = nKind;
        return pControl;
    }
    CZPControl* pNew = Add(nKind, 0, L"", pControl->GetIndex() + 1, FALSE);
    if (pNew == NULL)
        return NULL;
    pNew->Copy(pControl, FALSE);
    pNew->m_controlType = nKind;
    Remove(pControl);
    return pNew;
}

CZPControl* CZPControls::SetControlTypeAt(int nIndex, int nKind)
{
    CZPControl* pControl = GetAt(nIndex);
    return pControl != NULL ? SetControlType(pControl, nKind) : NULL;
}

// Copies and the snapshot ----------------------------------------------------------------------

void CZPControls::CopyFrom(const CZPControls* pSource, BOOL bRecursive)
{
    if (pSource == NULL || pSource == this)
        return;
    RemoveAll();
    for (int i = 0; i < pSource->GetCount(); ++i) {
        CZPControl* pControl = pSource->GetAt(i);
        if (!pControl->IsTemporary())
            AddClone(pControl, -1, bRecursive);
    }
    CZPOriginalControls* pSourceOriginal = pSource->GetOriginalControls();
    CZPOriginalControls* pOriginal = NULL;
    if (pSourceOriginal != NULL)
        pOriginal = static_cast<CZPOriginalControls*>(pSourceOriginal->Duplicate(bRecursive));
    SetOriginalControls(pOriginal);
}

CZPControls* CZPControls::Duplicate(BOOL bRecursive) const
{
    CZPControls* pControls = static_cast<CZPControls*>(GetRuntimeClass()->CreateObject());
    pControls->m_pCommandBars = GetCommandBars();
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if (!pControl->IsTemporary())
            pControls->AddClone(pControl, -1, bRecursive);
    }
    if (m_pOriginalControls)
        pControls->SetOriginalControls(static_cast<CZPOriginalControls*>(m_pOriginalControls->Duplicate(bRecursive)));
    return pControls;
}

void CZPControls::CreateOriginalControls()
{
    CRefPtr<CZPOriginalControls> pOriginal = CRefPtr<CZPOriginalControls>::Adopt(new CZPOriginalControls);
    pOriginal->m_pCommandBars = GetCommandBars();
    for (int i = 0; i < GetCount(); ++i) {
        CZPControl* pControl = GetAt(i);
        if (!pControl->IsTemporary())
            pOriginal->AddClone(pControl, -1, TRUE);
    }
    m_pOriginalControls = static_cast<CRefPtr<CZPOriginalControls>&&>(pOriginal);
}

void CZPControls::SetOriginalControls(CZPOriginalControls* pControls)
{
    m_pOriginalControls.Attach(pControls);
}

BOOL CZPControls::IsEqual(const CZPControls* pOther) const
{
    if (pOther == NULL)
        return FALSE;
    int i = 0;
    int j = 0;
    for (;;) {
        while (i < GetCount() && GetAt(i)->IsTemporary())
            ++i;
        while (j < pOther->GetCount() && pOther->GetAt(j)->IsTemporary())
            ++j;
        if (i >= GetCount() || j >= pOther->GetCount())
            return i >= GetCount() && j >= pOther->GetCount();
        if (!GetAt(i)->Compare(pOther->GetAt(j)))
            return FALSE;
        ++i;
        ++j;
    }
}

BOOL CZPControls::IsChanged() const
{
    return !m_pOriginalControls || !m_pOriginalControls->IsEqual(this);
}

void CZPControls::Sort()
{
    const int nCount = GetCount();
    CArray<CString, const CString&> arrKeys;
    arrKeys.SetSize(nCount);
    for (int i = 0; i < nCount; ++i)
        arrKeys[i] = StripMnemonics(GetAt(i)->GetCaption());
    // Insertion sort: stable, and lists sorted here are the short ones of the customize pages.
    for (int i = 1; i < nCount; ++i) {
        for (int j = i; j > 0 && arrKeys[j - 1].CompareNoCase(arrKeys[j]) > 0; --j) {
            CString strKey = arrKeys[j];
            arrKeys[j] = arrKeys[j - 1];
            arrKeys[j - 1] = strKey;
            CRefPtr<CZPControl> pControl = static_cast<CRefPtr<CZPControl>&&>(m_arrControls[j]);
            m_arrControls[j] = static_cast<CRefPtr<CZPControl>&&>(m_arrControls[j - 1]);
            m_arrControls[j - 1] = static_cast<CRefPtr<CZPControl>&&>(pControl);
        }
    }
    RefreshIndexes();
}

namespace {

// Original controls hold their own originals only to this depth: a stored blob may claim more.
const int kMaxControlsNesting = 32;
// The schema from which the original and customized flags are stored.
const long kSchemaOriginalControls = 3;

// Counts the controls collections being exchanged on this thread, for the nesting bound.
class CExchangeDepth
{
public:
    CExchangeDepth()
    {
        if (++s_nDepth > kMaxControlsNesting) {
            --s_nDepth;
            AfxThrowArchiveException(CArchiveException::badIndex);
        }
    }
    ~CExchangeDepth() { --s_nDepth; }
    CExchangeDepth(const CExchangeDepth&) = delete;
    CExchangeDepth& operator=(const CExchangeDepth&) = delete;

private:
    static thread_local int s_nDepth;
};

thread_local int CExchangeDepth::s_nDepth = 0;

}  // namespace

void CZPControls::DoPropExchange(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return;
    CExchangeDepth depth;
    const ZP_COMMANDBARS_EXCHANGE_PARAMS* pParams =
        reinterpret_cast<const ZP_COMMANDBARS_EXCHANGE_PARAMS*>(pPX->m_dwData);
    CZPPropExchangeEnumeratorHolder enumerator(pPX->GetEnumerator(L"Control"));
    if (pPX->IsStoring()) {
        DWORD dwCount = 0;
        for (int i = 0; i < GetCount(); ++i)
            dwCount += GetAt(i)->IsTemporary() ? 0 : 1;
        POSITION pos = enumerator->GetPosition(dwCount);
        for (int i = 0; i < GetCount() && pos != NULL; ++i) {
            CZPControl* pControl = GetAt(i);
            if (pControl->IsTemporary())
                continue;
            CRefPtr<CZPPropExchange> pItem = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
            CObject* pObject = pControl;
            pItem->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CZPControl));
            pControl->DoPropExchange(pItem.Get());
        }
        // Data of an older schema has no flags: storing in one writes none either.
        if (pPX->GetSchema() < kSchemaOriginalControls)
            return;
        BOOL bOriginal = m_pOriginalControls && (pParams == NULL || pParams->bSaveOriginalControls);
        PropExchangeBool(pPX, L"OriginalControls", &bOriginal, FALSE);
        if (bOriginal) {
            CRefPtr<CZPPropExchange> pSection = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"OriginalControls"));
            m_pOriginalControls->DoPropExchange(pSection.Get());
        }
        BOOL bCustomized = FALSE;
        PropExchangeBool(pPX, L"CustomizedControls", &bCustomized, FALSE);
        return;
    }
    // Loaded into a collection of our own first: this one changes only when all of it was read.
    CRefPtr<CZPControls> pLoaded =
        CRefPtr<CZPControls>::Adopt(static_cast<CZPControls*>(GetRuntimeClass()->CreateObject()));
    pLoaded->m_pCommandBars = GetCommandBars();
    POSITION pos = enumerator->GetPosition(0);
    while (pos != NULL) {
        CRefPtr<CZPPropExchange> pItem = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
        CObject* pObject = NULL;
        if (!pItem->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CZPControl)) || pObject == NULL)
            AfxThrowArchiveException(CArchiveException::badClass);
        CZPControl* pControl = static_cast<CZPControl*>(pObject);
        pLoaded->InsertAt(pControl, -1);
        pControl->DoPropExchange(pItem.Get());
    }
    if (pPX->GetSchema() >= kSchemaOriginalControls) {
        BOOL bOriginal = FALSE;
        PropExchangeBool(pPX, L"OriginalControls", &bOriginal, FALSE);
        if (bOriginal) {
            CRefPtr<CZPOriginalControls> pOriginal = CRefPtr<CZPOriginalControls>::Adopt(new CZPOriginalControls);
            CRefPtr<CZPPropExchange> pSection = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"OriginalControls"));
            pOriginal->DoPropExchange(pSection.Get());
            pLoaded->SetOriginalControls(pOriginal.Detach());
        }
        BOOL bCustomized = FALSE;
        PropExchangeBool(pPX, L"CustomizedControls", &bCustomized, FALSE);
        if (bCustomized) {
            CRefPtr<CZPControls> pScratch = CRefPtr<CZPControls>::Adopt(new CZPControls);
            CRefPtr<CZPPropExchange> pSection = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"CustomizedControls"));
            pScratch->DoPropExchange(pSection.Get());
        }
    }
    CopyFrom(pLoaded.Get(), FALSE);
    if (pLoaded->GetOriginalControls() == NULL)
        SetOriginalControls(NULL);
}
