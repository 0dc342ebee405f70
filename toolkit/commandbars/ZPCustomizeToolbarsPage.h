// The Toolbars page of the customize dialog: every toolbar with a check box (shown or hidden),
// and the New, Rename, Delete and Reset buttons.
#pragma once

#include <framework.h>
#include <framework/controls.h>
#include <framework/dialog.h>

#include "common/ZPWinThemeWrapper.h"

class CZPCommandBars;
class CZPToolBar;

// The toolbar list: check boxes drawn with the "BUTTON" visual style when one is active.
class CZPCustomizeToolbarsPageCheckListBox : public CCheckListBox
{
    DECLARE_DYNAMIC(CZPCustomizeToolbarsPageCheckListBox)
public:
    CZPCustomizeToolbarsPageCheckListBox();
    // The theme's check-box part size, 13 x 13 without a theme.
    CSize GetDrawnCheckBoxSize();
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void PreSubclassWindow() override;
    int GetTextHeight();
    LRESULT OnThemeChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CZPWinThemeWrapper m_themeButton;
    int m_cyFontText;  // 0 until measured
};

class CZPCustomizeToolbarsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CZPCustomizeToolbarsPage)
public:
    // Without command bars (created by its runtime class) the page lists nothing.
    explicit CZPCustomizeToolbarsPage(CZPCommandBars* pCommandBars = NULL);

    // Lists the toolbars again, keeping the selected bar and the scroll position.
    void RefreshToolbarsList();
    // The bar of the selected item; NULL without one or when its index no longer exists.
    CZPToolBar* GetSelectedToolBar() const;

    CZPCustomizeToolbarsPageCheckListBox m_checkList;

protected:
    BOOL OnInitDialog() override;
    void UpdateButtons();
    void OnSelectionChanged();
    void OnCheckChanged();
    void OnNewToolbar();
    void OnRenameToolbar();
    void OnDeleteToolbar();
    void OnResetToolbar();
    DECLARE_MESSAGE_MAP()

    CZPCommandBars* m_pCommandBars;  // borrowed
};
