// The command bars' context menus.
#include "commandbars/ZPCommandBarsContextMenus.h"

#include "commandbars/ZPPopupBar.h"

void CZPCommandBarsContextMenus::Add(CZPPopupBar* pMenu)
{
    pMenu->InternalAddRef();
    pMenu->SetContextMenu(TRUE);
    m_menus.push_back(pMenu);
}

CZPPopupBar* CZPCommandBarsContextMenus::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_menus[static_cast<size_t>(nIndex)] : NULL;
}

CZPPopupBar* CZPCommandBarsContextMenus::FindCommandBar(UINT nBarID) const
{
    for (CZPPopupBar* pMenu : m_menus)
        if (pMenu->GetBarID() == nBarID)
            return pMenu;
    return NULL;
}

void CZPCommandBarsContextMenus::RemoveAll()
{
    // Emptied first: a menu's last release may come back here.
    std::vector<CZPPopupBar*> menus;
    menus.swap(m_menus);
    for (CZPPopupBar* pMenu : menus)
        pMenu->InternalRelease();
}
