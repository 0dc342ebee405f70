// List placeholders: controls that stand in a menu or bar for a list that only exists at run
// time. Before every layout each one removes the items it made last time and inserts fresh
// temporary controls after itself.
#pragma once

#include "commandbars/ZPControlButton.h"

class CRecentFileList;

// The first id the window list starts from until the active child shows another numbering.
const int ZP_ID_MDI_FIRST_DEFAULT = 65280;
// The window list shows no more windows than this.
const int ZP_WINDOW_LIST_MAX = 9;

// The menu label of an item: ampersands doubled, then "&n text" for 1-9, "1&0 text" for 10,
// "n text" above and the text alone for 0.
CString ZpMakeMenuLabel(int nNumber, const CString& strText);

// A list placeholder may only be dropped on a popup bar.
BOOL ZpIsListDropAllowed(CZPCommandBar* pTargetBar);

class CZPControlWindowList : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlWindowList)
public:
    void OnBeforeLayout(UINT nLayoutMode) override;
    // pTarget is a control of the bar the placeholder would be dropped on.
    BOOL IsCustomizeDropAllowed(CZPControl* pTarget) override;
    // The id the list starts from; switches to 32768 or 1 for good once the active child shows it.
    static int GetFirstMdiId() { return s_nFirstMdiId; }
    static void ResetFirstMdiId() { s_nFirstMdiId = ZP_ID_MDI_FIRST_DEFAULT; }

private:
    static int s_nFirstMdiId;
};

class CZPControlWorkspaceActions : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlWorkspaceActions)
};

// One item of the toolbars list: toggles the toolbar whose index is its Tag. Known as
// CZPControlToolbars::CZPControlToolbar; declared outside for its runtime class.
class CZPControlToolbar : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlToolbar)
public:
    void Execute() override;
};

class CZPControlToolbars : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlToolbars)
public:
    using CZPControlToolbar = ::CZPControlToolbar;

    void OnBeforeLayout(UINT nLayoutMode) override;
    BOOL IsCustomizeDropAllowed(CZPControl* pTarget) override;
    // One item per listed toolbar of pBar's command bars, inserted at nIndex; the customize item
    // (35001) follows when asked for and the command bars allow the dialog.
    static void CreateToolbarItems(CZPCommandBar* pBar, int nIndex, int nId, BOOL bAddCustomizeButton,
                                   BOOL bBeginGroup);
};

class CZPControlRecentFileList : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlRecentFileList)
public:
    void OnBeforeLayout(UINT nLayoutMode) override;
    BOOL IsCustomizeDropAllowed(CZPControl* pTarget) override;
    // The application's list; NULL without one.
    virtual CRecentFileList* GetRecentFileList();  // 82
    virtual int GetFirstMruID();                   // 83
};

class CZPControlOleItems : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlOleItems)
};
