// The MDI tab workspace: the children of a multiple-document frame shown as tabs in one or more
// tab groups side by side, with tabs dragged between groups and groups split in two.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/mdi.h>
#include <framework/wnd.h>

#include "tabmanager/ZPTabManager.h"

class CZPTabPaintManager;

// Drop modes of a tab dragged out of its strip.
enum
{
    zpTabDropNone = 0,           // outside the client: refused
    zpTabDropMenu = 1,           // inside, on no target: the group menu
    zpTabDropGroup = 2,          // into the group under the point
    zpTabDropNewHorizontal = 3,  // a new group below the target
    zpTabDropNewVertical = 4     // a new group right of the target
};

// Subclasses the MDI client window of a frame; the frame keeps the window, this object its groups.
class CZPTabClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CZPTabClientWnd)
public:
    // One tab group: its items stand for MDI children (the item's handle is the child).
    class CWorkspace : public CZPTabManager
    {
    public:
        explicit CWorkspace(CZPTabClientWnd* pClient) : m_pClient(pClient), m_dSize(100.0) {}

        void Reposition() override;
        HICON GetItemIcon(const CZPTabManagerItem* pItem) const override;
        CString GetItemTooltip(const CZPTabManagerItem* pItem) const override;
        BOOL CanSelectItem(CZPTabManagerItem* pItem) const override;
        COLORREF GetItemColor(const CZPTabManagerItem* pItem) const override;
        CZPTabPaintManager* GetPaintManager() const override;
        void SetPaintManager(CZPTabPaintManager* /*pPaintManager*/) override {}
        void RedrawControl(LPCRECT lpRect, BOOL bErase) override;
        BOOL IsAllowReorder() const override;
        void SetAllowReorder(BOOL bAllowReorder) override;
        BOOL HasStaticFrame() const override;
        BOOL DrawItemIcon(CDC* pDC, CPoint pt, CZPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
        void SelectItemByUser(CZPTabManagerItem* pItem) override;
        void OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton) override;
        BOOL IsMouseLocked() const override;
        void ReorderItemByDrag(CWnd* pWnd, CPoint point, CZPTabManagerItem* pItem) override;

        // The item standing for the child, or NULL.
        CZPTabManagerItem* FindItem(HWND hWndChild) const;

        CZPTabClientWnd* m_pClient;  // borrowed: the client owns its groups
        double m_dSize;              // extent along the arrangement axis, shared out when groups split
    };

    CZPTabClientWnd();
    ~CZPTabClientWnd() override;

    // Subclasses the frame's MDI client and shows its children as tabs; FALSE without one.
    BOOL Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups = TRUE);
    // Gives the MDI client back to the frame; the groups go.
    void Detach();

    // Brings the groups up to date with the MDI children and lays everything out again.
    void Refresh(BOOL bRecalcFrame = FALSE);
    // Lays the groups out in the client area and places the children in their groups.
    void RepositionGroups();

    CMDIFrameWnd* GetMDIFrame() const { return m_pFrame; }
    CZPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    int GetGroupCount() const { return static_cast<int>(m_arrGroups.GetSize()); }
    CWorkspace* GetGroup(int nIndex) const;
    CWorkspace* GetActiveGroup() const { return m_pActiveGroup; }
    // The group that holds the child's tab, or NULL.
    CWorkspace* FindGroup(HWND hWndChild, CZPTabManagerItem** ppItem = NULL) const;
    // The group (of the client's or a group control) holding this very tab, or NULL.
    CWorkspace* GroupOfItem(const CZPTabManagerItem* pItem) const;
    BOOL IsHorizontalGroups() const { return m_bHorizontalGroups; }
    BOOL IsGroupsEnabled() const { return m_bGroupsEnabled; }
    int GetSplitterWidth() const { return m_nSplitterWidth; }

    // Tab-group commands (ZP_ID_TABGROUP_*): whether one may run now, and the active child's tab.
    BOOL IsGroupCommandEnabled(UINT nID, CZPTabManagerItem** ppItem = NULL) const;
    // Runs an enabled tab-group command on the active child's tab; FALSE when it may not run.
    BOOL ExecuteGroupCommand(UINT nID);
    // Moves a tab into a group (mode 2) or into a new group after it (modes 3 and 4); FALSE when
    // refused (a split of a group no wider than the splitter, or of a group with only this tab).
    BOOL MoveItem(CZPTabManagerItem* pItem, CWorkspace* pTarget, int nMode);

    // The item's answers; the base takes them from the child window.
    virtual HICON GetItemIcon(const CZPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CZPTabManagerItem* pItem) const;
    virtual BOOL CanSelectItem(CZPTabManagerItem* pItem) const;
    // -1: the tab manager's own automatic colour.
    virtual COLORREF GetItemColor(const CZPTabManagerItem* pItem) const;
    // TRUE while a popup holds the mouse; the base knows of none.
    virtual BOOL IsMouseLocked() const { return FALSE; }
    // The menu a drop on no target opens, at a point in screen coordinates: the enabled
    // tab-group commands and Cancel. The base uses a system popup menu.
    virtual void TrackGroupMenu(CPoint ptScreen);

    // Groups hosted outside the client (command-bar controls): listed so that the client can let
    // them go when it dies. Removing the active one leaves no active group.
    void AddGroupControl(CWorkspace* pGroup);
    void RemoveGroupControl(CWorkspace* pGroup);
    int GetGroupControlCount() const { return static_cast<int>(m_arrGroupControls.GetSize()); }

    // Where a dragged tab would go: the mode and the indicator rectangle (client coordinates).
    int ComputeDropTarget(CPoint point, const CWorkspace* pSource, CWorkspace** ppTarget, CRect* pIndicator) const;

    BOOL m_bAllowReorder;
    int m_nSplitterWidth;
    // The last drag's drop, for those who watch the gesture.
    int m_nLastDropMode;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnLButtonDown(CPoint point);
    void OnMouseMove(CPoint point);

    CWorkspace* AddGroup(int nIndex);
    void SetActiveGroup(CWorkspace* pGroup);
    // Empty groups go only when no loop or close command is using one (always one group left).
    void RemoveEmptyGroups();
    // The group whose control rectangle holds the point, or NULL.
    CWorkspace* GroupFromPoint(CPoint point) const;
    void SelectTopChild(CWorkspace* pGroup);

    // The desktop rubber-band of a drag: shown once, redrawn as the indicator changes, always
    // ended (desktop unlocked, DC released) by its owner's destructor.
    class CDragFeedback
    {
    public:
        explicit CDragFeedback(CZPTabClientWnd* pClient) : m_pClient(pClient) {}
        ~CDragFeedback() { End(); }
        CDragFeedback(const CDragFeedback&) = delete;
        CDragFeedback& operator=(const CDragFeedback&) = delete;
        void Begin();
        void Draw(const CRect& rcIndicator);
        void End();
        BOOL IsShown() const { return m_hDC != NULL; }
        BOOL HasLock() const { return m_bLocked; }

    private:
        CZPTabClientWnd* m_pClient;  // borrowed
        HDC m_hDC = NULL;            // the desktop's, released by End
        BOOL m_bLocked = FALSE;      // this feedback holds the desktop's update lock
        CRect m_rcLast;              // screen coordinates
        CSize m_szLast;
    };
    friend class CWorkspace;

    CMDIFrameWnd* m_pFrame;                               // borrowed: the frame outlives the attachment
    CZPTabPaintManager* m_pPaintManager;                  // one reference
    CArray<CWorkspace*, CWorkspace*> m_arrGroups;         // owned
    CWorkspace* m_pActiveGroup;                           // borrowed from m_arrGroups or m_arrGroupControls
    CArray<CWorkspace*, CWorkspace*> m_arrGroupControls;  // borrowed: each control leaves on removal
    BOOL m_bGroupsEnabled;
    BOOL m_bHorizontalGroups;
    BOOL m_bLocked;
    BOOL m_bLayoutPending;
    BOOL m_bRefreshing;
    int m_nBusy;            // loops and close commands running: empty groups stay until they end
    HCURSOR m_hCursorDrop;  // shared system cursors
    HCURSOR m_hCursorRefuse;
};
