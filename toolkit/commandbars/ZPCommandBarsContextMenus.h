// The context menus of a frame's command bars: popup bars the program shows at a point, kept by
// id so that a stored layout gives them their customized controls back.
#pragma once

#include <framework.h>

#include <vector>

class CZPPopupBar;

class CZPCommandBarsContextMenus
{
public:
    CZPCommandBarsContextMenus() = default;
    ~CZPCommandBarsContextMenus() { RemoveAll(); }
    CZPCommandBarsContextMenus(const CZPCommandBarsContextMenus&) = delete;
    CZPCommandBarsContextMenus& operator=(const CZPCommandBarsContextMenus&) = delete;

    // Adds the menu with a reference of its own and marks it as a context menu.
    void Add(CZPPopupBar* pMenu);
    int GetCount() const { return static_cast<int>(m_menus.size()); }
    CZPPopupBar* GetAt(int nIndex) const;
    // The first menu with the bar id, or NULL.
    CZPPopupBar* FindCommandBar(UINT nBarID) const;
    void RemoveAll();

private:
    std::vector<CZPPopupBar*> m_menus;  // one reference each
};
