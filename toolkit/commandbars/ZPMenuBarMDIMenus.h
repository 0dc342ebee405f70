// The menu bar's control sets per document-template menu in an MDI frame: while one template's
// menu is shown, the others (the default menu's included) wait here with their originals.
#pragma once

#include <framework.h>
#include <framework/collections.h>

class CZPControls;
class CZPMenuBar;

// One template menu: its controls, the template's names and icon, and whether the controls
// differ from their originals.
class CZPMenuBarMDIMenuInfo : public CCmdTarget
{
public:
    // Takes a reference on pControls; the names and icon come from the template and resources
    // of nId when there are any.
    CZPMenuBarMDIMenuInfo(UINT nId, CZPControls* pControls);
    ~CZPMenuBarMDIMenuInfo() override;
    CZPMenuBarMDIMenuInfo(const CZPMenuBarMDIMenuInfo&) = delete;
    CZPMenuBarMDIMenuInfo& operator=(const CZPMenuBarMDIMenuInfo&) = delete;

    CZPControls* GetControls() const { return m_pControls; }
    // Shares pControls in place of the held collection.
    void SetControls(CZPControls* pControls);
    // Recomputes and returns the changed flag.
    BOOL RefreshChanged();

    CZPControls* m_pControls;  // owned: one reference
    CString m_strDocName;
    CString m_strFileTypeName;
    HICON m_hIcon;  // owned
    UINT m_nId;
    BOOL m_bChanged;
};

class CZPMenuBarMDIMenus : public CCmdTarget
{
public:
    explicit CZPMenuBarMDIMenus(CZPMenuBar* pMenuBar);
    ~CZPMenuBarMDIMenus() override;
    CZPMenuBarMDIMenus(const CZPMenuBarMDIMenus&) = delete;
    CZPMenuBarMDIMenus& operator=(const CZPMenuBarMDIMenus&) = delete;

    int GetCount() const { return static_cast<int>(m_map.GetCount()); }
    CZPMenuBarMDIMenuInfo* Lookup(UINT nId) const;
    // Takes over the caller's reference; an entry of the same id is released.
    void SetAt(UINT nId, CZPMenuBarMDIMenuInfo* pInfo);
    void Remove(UINT nId);
    void RemoveAll();
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    CZPMenuBarMDIMenuInfo* GetNext(POSITION& pos) const;
    CZPMenuBar* GetMenuBar() const { return m_pMenuBar; }

private:
    CMap<UINT, UINT, CZPMenuBarMDIMenuInfo*, CZPMenuBarMDIMenuInfo*> m_map;  // owned: one reference each
    CZPMenuBar* m_pMenuBar;                                                  // borrowed: the bar owning the map
};
