// Command categories of the customize dialog's Commands and Keyboard pages: a name with the
// controls it lists, built from menu resources.
#pragma once

#include <framework.h>

#include <functional>
#include <vector>

class CMenu;
class CZPCommandBars;
class CZPControls;

struct ZP_COMMANDBARS_CATEGORYINFO
{
    ZP_COMMANDBARS_CATEGORYINFO(LPCWSTR lpszCategory, CZPCommandBars* pCommandBars);
    ~ZP_COMMANDBARS_CATEGORYINFO();
    ZP_COMMANDBARS_CATEGORYINFO(const ZP_COMMANDBARS_CATEGORYINFO&) = delete;
    ZP_COMMANDBARS_CATEGORYINFO& operator=(const ZP_COMMANDBARS_CATEGORYINFO&) = delete;

    CString strCategory;
    CZPControls* pControls;  // owned: one reference
};

// The ordered categories of one page; owns them.
class CZPCustomizeCategories
{
public:
    explicit CZPCustomizeCategories(CZPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    ~CZPCustomizeCategories();
    CZPCustomizeCategories(const CZPCustomizeCategories&) = delete;
    CZPCustomizeCategories& operator=(const CZPCustomizeCategories&) = delete;

    int GetCount() const { return static_cast<int>(m_arrCategories.size()); }
    ZP_COMMANDBARS_CATEGORYINFO* GetAt(int nIndex) const;
    // The category with exactly this name (case-sensitive), or NULL.
    ZP_COMMANDBARS_CATEGORYINFO* Find(LPCWSTR lpszCategory) const;
    // A new category at nIndex (-1 or out of range: at the end).
    ZP_COMMANDBARS_CATEGORYINFO* Insert(LPCWSTR lpszCategory, int nIndex);
    ZP_COMMANDBARS_CATEGORYINFO* FindOrAdd(LPCWSTR lpszCategory);
    // Finds or adds the category, then adds a control per item of the menu but separators. With
    // bNested, the controls of each popup follow it as copies; with bPrefixNested too, those
    // copies are captioned "popup | caption".
    ZP_COMMANDBARS_CATEGORYINFO* AddCategory(LPCWSTR lpszCategory, CMenu* pMenu, BOOL bNested, BOOL bPrefixNested);
    CZPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // Calls pfnAdd with the name and submenu of every top-level popup of the menu resource (name
    // without single ampersands, cut at a tab after its first character); FALSE without the menu.
    static BOOL ForEachMenuCategory(UINT nMenuID, const std::function<void(const CString&, CMenu*)>& pfnAdd);
    // A category holding the controls built for the menu's top-level items; FALSE without the menu.
    BOOL AddMenuPopupsCategory(UINT nMenuID, UINT nIDName, int nIndex);
    // A category holding one empty popup (id 0) captioned with the category's name.
    BOOL AddNewMenuCategory(UINT nIDName, int nIndex);
    // A category holding a copy of every control of every present category, optionally sorted by
    // caption without ampersands, ignoring case.
    BOOL AddAllCommandsCategory(UINT nIDName, int nIndex, BOOL bSort);

private:
    std::vector<ZP_COMMANDBARS_CATEGORYINFO*> m_arrCategories;  // owned
    CZPCommandBars* m_pCommandBars;                             // borrowed
};
