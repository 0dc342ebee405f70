// The Commands page of the customize dialog: command categories, and a list of their commands
// that can be dragged onto any bar.
#pragma once

#include <framework.h>
#include <framework/controls.h>
#include <framework/dialog.h>

#include "commandbars/ZPCustomizeCategories.h"

class CMenu;
class CZPCommandBars;
class CZPControl;

// Owner-drawn, fixed height, no strings: each item's data is a CZPControl the paint manager draws.
class CZPCustomizeCommandsListBox : public CListBox
{
    DECLARE_DYNAMIC(CZPCustomizeCommandsListBox)
public:
    CZPCustomizeCommandsListBox();

    void SetCommandBars(CZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    void EnableDrag(BOOL bEnable) { m_bDragEnabled = bEnable; }
    BOOL IsDragEnabled() const { return m_bDragEnabled; }
    CZPControl* GetControlAt(int nIndex) const;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // Runs the drag of a control pressed in the list (copy only); a seam the tests replace.
    static void (*s_pfnStartDrag)(CZPCommandBars* pCommandBars, CZPControl* pControl);

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CZPCommandBars* m_pCommandBars;  // borrowed
    BOOL m_bDragEnabled;
};

class CZPCustomizeCommandsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CZPCustomizeCommandsPage)
public:
    // Without command bars (created by its runtime class) the page builds and drags nothing.
    explicit CZPCustomizeCommandsPage(CZPCommandBars* pCommandBars = NULL);

    BOOL AddMenuCategories(UINT nMenuID, BOOL bNested = FALSE);
    ZP_COMMANDBARS_CATEGORYINFO* AddCategory(LPCWSTR lpszCategory, CMenu* pMenu, BOOL bNested = FALSE);
    BOOL AddMenuPopupsCategory(UINT nMenuID, UINT nIDName, int nIndex = -1);
    BOOL AddNewMenuCategory(UINT nIDName, int nIndex = -1);
    BOOL AddAllCommandsCategory(UINT nIDName, int nIndex = -1, BOOL bSort = TRUE);
    const CZPCustomizeCategories& GetCategories() const { return m_categories; }

    CListBox m_lstCategories;
    CZPCustomizeCommandsListBox m_lstCommands;

protected:
    BOOL OnInitDialog() override;
    void OnCategorySelected();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CZPCommandBars* m_pCommandBars;  // borrowed
    CZPCustomizeCategories m_categories;
};
