// Command categories and their building from menus.
#include "commandbars/ZPCustomizeCategories.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"

#include <framework/menu.h>

#include <algorithm>

ZP_COMMANDBARS_CATEGORYINFO::ZP_COMMANDBARS_CATEGORYINFO(LPCWSTR lpszCategory, CZPCommandBars* pCommandBars)
    : strCategory(lpszCategory), pControls(new CZPControls)
{
    pControls->SetCommandBars(pCommandBars);
}

ZP_COMMANDBARS_CATEGORYINFO::~ZP_COMMANDBARS_CATEGORYINFO()
{
    pControls->InternalRelease();
}

CZPCustomizeCategories::~CZPCustomizeCategories()
{
    for (ZP_COMMANDBARS_CATEGORYINFO* pCategory : m_arrCategories)
        delete pCategory;
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeCategories::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrCategories[static_cast<size_t>(nIndex)] : NULL;
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeCategories::Find(LPCWSTR lpszCategory) const
{
    for (ZP_COMMANDBARS_CATEGORYINFO* pCategory : m_arrCategories) {
        if (pCategory->strCategory.Compare(lpszCategory) == 0)
            return pCategory;
    }
    return NULL;
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeCategories::Insert(LPCWSTR lpszCategory, int nIndex)
{
    ZP_COMMANDBARS_CATEGORYINFO* pCategory = new ZP_COMMANDBARS_CATEGORYINFO(lpszCategory, m_pCommandBars);
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_arrCategories.insert(m_arrCategories.begin() + nIndex, pCategory);
    return pCategory;
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeCategories::FindOrAdd(LPCWSTR lpszCategory)
{
    ZP_COMMANDBARS_CATEGORYINFO* pCategory = Find(lpszCategory);
    return pCategory != NULL ? pCategory : Insert(lpszCategory, -1);
}

ZP_COMMANDBARS_CATEGORYINFO* CZPCustomizeCategories::AddCategory(LPCWSTR lpszCategory, CMenu* pMenu, BOOL bNested,
                                                                 BOOL bPrefixNested)
{
    ZP_COMMANDBARS_CATEGORYINFO* pCategory = FindOrAdd(lpszCategory);
    if (pMenu == NULL || !::IsMenu(pMenu->GetSafeHmenu()))
        return pCategory;
    const int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; ++i) {
        if ((pMenu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0)
            continue;
        CZPControl* pControl = pCategory->pControls->AddMenuItem(pMenu, i);
        if (pControl == NULL || !bNested || !ZpIsPopupKind(pControl->GetType()))
            continue;
        CZPCommandBar* pPopupBar = pControl->GetCommandBar();
        for (int j = 0; pPopupBar != NULL && j < pPopupBar->CountControls(); ++j) {
            CZPControl* pCopy = pCategory->pControls->AddClone(pPopupBar->ControlAt(j), -1, TRUE);
            if (pCopy != NULL && bPrefixNested)
                pCopy->SetCaption(pControl->GetCaption() + L" | " + pCopy->GetCaption());
        }
    }
    return pCategory;
}

BOOL CZPCustomizeCategories::ForEachMenuCategory(UINT nMenuID,
                                                 const std::function<void(const CString&, CMenu*)>& pfnAdd)
{
    CMenu menu;
    CZPResourceManager* pResources = ZpResourceManagerInstance();
    if (!pResources->LoadMenu(&menu, nMenuID))
        return FALSE;
    const int nCount = menu.GetMenuItemCount();
    for (int i = 0; i < nCount; ++i) {
        CMenu* pSubMenu = menu.GetSubMenu(i);
        if (pSubMenu == NULL)
            continue;
        CString strName;
        pResources->GetMenuItemText(&menu, static_cast<UINT>(i), strName, MF_BYPOSITION);
        ZpRemoveAmpersands(strName);
        const int nTab = strName.Find(L'\t');
        if (nTab > 0)
            strName.Truncate(nTab);
        pfnAdd(strName, pSubMenu);
    }
    return TRUE;
}

BOOL CZPCustomizeCategories::AddMenuPopupsCategory(UINT nMenuID, UINT nIDName, int nIndex)
{
    CMenu menu;
    if (!ZpResourceManagerInstance()->LoadMenu(&menu, nMenuID))
        return FALSE;
    ZP_COMMANDBARS_CATEGORYINFO* pCategory = Insert(ZpResourceManagerInstance()->LoadStringOrEmpty(nIDName), nIndex);
    const int nCount = menu.GetMenuItemCount();
    for (int i = 0; i < nCount; ++i)
        pCategory->pControls->AddMenuItem(&menu, i);
    return TRUE;
}

BOOL CZPCustomizeCategories::AddNewMenuCategory(UINT nIDName, int nIndex)
{
    ZP_COMMANDBARS_CATEGORYINFO* pCategory = Insert(ZpResourceManagerInstance()->LoadStringOrEmpty(nIDName), nIndex);
    CZPControl* pPopup = pCategory->pControls->Add(zpControlPopup, 0);
    if (pPopup != NULL)
        pPopup->SetCaption(pCategory->strCategory);
    return pPopup != NULL;
}

BOOL CZPCustomizeCategories::AddAllCommandsCategory(UINT nIDName, int nIndex, BOOL bSort)
{
    struct Entry
    {
        CString strKey;
        CZPControl* pControl;  // borrowed from its category
    };
    std::vector<Entry> entries;
    for (ZP_COMMANDBARS_CATEGORYINFO* pCategory : m_arrCategories) {
        for (int i = 0; i < pCategory->pControls->GetCount(); ++i) {
            Entry entry{ CString(), pCategory->pControls->GetAt(i) };
            if (bSort) {
                entry.strKey = entry.pControl->GetCaption();
                ZpRemoveAmpersands(entry.strKey);
            }
            entries.push_back(entry);
        }
    }
    if (bSort) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.strKey.CompareNoCase(b.strKey) < 0; });
    }
    ZP_COMMANDBARS_CATEGORYINFO* pAll = Insert(ZpResourceManagerInstance()->LoadStringOrEmpty(nIDName), nIndex);
    for (const Entry& entry : entries)
        pAll->pControls->AddClone(entry.pControl, -1, TRUE);
    return TRUE;
}
