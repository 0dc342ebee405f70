// The model of one tab strip: items, selection, scrolling, navigate buttons, hit tests, mouse
// tracking and keys. It owns no window: a host mixes it in and supplies the window and the paint
// manager through the virtual operations.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/wnd.h>

#include "common/ZPWinThemeWrapper.h"

class CZPTabManagerItem;
class CZPTabManagerNavigateButton;
class CZPTabPaintManager;

// What a paint manager notifies when its options change.
class CZPTabManagerAtom
{
public:
    virtual ~CZPTabManagerAtom() = default;
    virtual void OnPropertyChanged() { Reposition(); }
    // Lays the strip out again and redraws it.
    virtual void Reposition() = 0;
};

// Positions of the strip and layouts of its tabs.
enum
{
    zpTabPositionTop = 0,
    zpTabPositionLeft = 1,
    zpTabPositionBottom = 2,
    zpTabPositionRight = 3
};

enum
{
    zpTabLayoutAutoSize = 0,
    zpTabLayoutCompressed = 1,
    zpTabLayoutFixed = 2,
    zpTabLayoutSizeToFit = 3,
    zpTabLayoutMultiRow = 4,
    zpTabLayoutRotated = 5
};

// Show modes of navigate buttons.
enum
{
    zpTabNavigateButtonNone = 0,
    zpTabNavigateButtonAutomatic = 1,
    zpTabNavigateButtonAlways = 2
};

// Ids of the navigate buttons.
enum
{
    zpTabNavigateButtonLeft = 0,
    zpTabNavigateButtonRight = 1,
    zpTabNavigateButtonClose = 2
};

// First and last item index of one row of a multi-row strip.
struct ZP_TAB_ROW
{
    int nFirstItem;
    int nLastItem;
};

class CZPTabManager : public CZPTabManagerAtom
{
public:
    class CNavigateButtonArrow;
    class CNavigateButtonArrowLeft;
    class CNavigateButtonArrowRight;
    class CNavigateButtonClose;
    class CNavigateButtonTabClose;

    CZPTabManager();
    ~CZPTabManager() override;
    CZPTabManager(const CZPTabManager&) = delete;
    CZPTabManager& operator=(const CZPTabManager&) = delete;

    // Overridable behaviour, in the order hosts know it.
    virtual CString GetItemCaption(const CZPTabManagerItem* pItem) const;
    virtual HICON GetItemIcon(const CZPTabManagerItem* pItem) const;
    virtual COLORREF GetItemColor(const CZPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CZPTabManagerItem* pItem) const;
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CZPTabManagerItem* pItem);
    virtual BOOL TrySelectItem(CZPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax) const;
    virtual int GetItemsLength() const;
    virtual CZPTabPaintManager* GetPaintManager() const = 0;
    virtual void SetPaintManager(CZPTabPaintManager* pPaintManager);
    virtual void RedrawControl(LPCRECT lpRect, BOOL bErase) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL HasStaticFrame() const;
    // With bDraw FALSE answers whether the item has an icon (and may change szIcon); pItem is NULL
    // when only the icon size is asked for (the row height).
    virtual BOOL DrawItemIcon(CDC* pDC, CPoint pt, CZPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) = 0;
    virtual int GetPosition() const;
    virtual void ScrollBy(BOOL bTowardsEnd);
    // The list position of the tool found (the id written into pToolInfo), else -1.
    virtual INT_PTR PerformToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOW* pToolInfo);
    // The tab part of PerformToolHitTest: the tab under the point as a tool on hWnd (its index), else -1.
    INT_PTR ItemToolHitTest(HWND hWnd, CPoint point, TOOLINFOW* pToolInfo);
    virtual BOOL PerformKeyDown(CWnd* pWnd, UINT nChar);
    virtual BOOL DrawParentBackground(CDC* pDC, CRect rc);
    virtual BOOL IsNavigateButtonVisible(const CZPTabManagerNavigateButton* pButton) const;
    virtual void SelectItemByUser(CZPTabManagerItem* pItem) { SetSelectedItem(pItem); }
    virtual BOOL CanSelectItem(CZPTabManagerItem* pItem) const;
    virtual void ReorderItemByDrag(CWnd* pWnd, CPoint point, CZPTabManagerItem* pItem);
    virtual void OnItemsReordered(CZPTabManagerItem* pItem, CZPTabManagerItem* pOther);
    virtual void OnNavigateButtonCommand(UINT nID);
    virtual void OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton);
    virtual BOOL IsMouseLocked() const { return FALSE; }
    virtual BOOL IsFocusCueVisible() const { return FALSE; }

    // Items. AddItem with no item makes one; an index outside 0..count appends.
    CZPTabManagerItem* AddItem(int nIndex, CZPTabManagerItem* pItem = NULL);
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();
    CZPTabManagerItem* GetItem(int nIndex) const;
    int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    CZPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CZPTabManagerItem* GetHighlightedItem() const { return m_pHighlighted; }
    CZPTabManagerItem* GetPressedItem() const { return m_pPressed; }
    CZPTabManagerNavigateButton* GetHighlightedNavigateButton() const { return m_pHighlightedNavigateButton; }
    void ClearHighlightedNavigateButton(const CZPTabManagerNavigateButton* pButton);
    // The next visible, enabled item from nIndex on, stepping by nStep (+1 or -1); NULL past either end.
    CZPTabManagerItem* FindNextSelectable(int nIndex, int nStep) const;

    // Hit tests on the laid-out strip.
    CZPTabManagerItem* HitTest(CPoint point) const;
    CZPTabManagerNavigateButton* HitTestNavigateButton(CPoint point, BOOL bStripButtonsOnly, int* pnIndex = NULL) const;

    // Scrolling along the strip: 0 or negative.
    int GetScrollOffset() const { return m_nScrollOffset; }
    void SetScrollOffset(int nOffset);
    int GetScrollStep() const { return m_nScrollStep; }

    BOOL IsHorizontal() const;
    int GetStripLength(const CRect& rc) const { return IsHorizontal() ? rc.Width() : rc.Height(); }
    int GetLayout() const;

    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive);
    // Show mode given to the close button of every item added from now on; 0 gives none.
    void SetPerTabCloseMode(int nShowMode) { m_nPerTabCloseMode = nShowMode; }
    int GetPerTabCloseMode() const { return m_nPerTabCloseMode; }

    // Mouse.
    void UpdateHotTracking(CWnd* pWnd, CPoint point);
    BOOL HandleMouseDown(CWnd* pWnd, CPoint point, BOOL bStripButtonsOnly = FALSE);
    void TrackClick(CWnd* pWnd, CPoint point, CZPTabManagerItem* pItem);
    // Shared end of a click, drag or button loop: hot tracking for the last point, strip redrawn.
    void FinishTracking(CWnd* pWnd, CPoint point);

    // Laid-out rectangles.
    const CRect& GetHeaderRect() const { return m_rcHeader; }
    const CRect& GetControlRect() const { return m_rcControl; }
    const CRect& GetClientRect() const { return m_rcClient; }
    CRect& HeaderRect() { return m_rcHeader; }
    CRect& ControlRect() { return m_rcControl; }
    CRect& ClientRect() { return m_rcClient; }

    int GetNavigateButtonCount() const { return static_cast<int>(m_arrNavigateButtons.GetSize()); }
    CZPTabManagerNavigateButton* GetNavigateButton(int nIndex) const;
    CZPWinThemeWrapper& GetTheme() { return m_themeTab; }

    // Rows of a multi-row strip, filled by the paint manager's layout.
    int GetRowCount() const { return static_cast<int>(m_arrRows.GetSize()); }
    ZP_TAB_ROW& GetRow(int nRow) { return m_arrRows[nRow]; }
    void SetRowCount(int nRows);

    // Sets the scroll offset without laying the strip out (the layout's own pull-back).
    void SetScrollOffsetDirect(int nOffset) { m_nScrollOffset = nOffset > 0 ? 0 : nOffset; }

protected:
    // Hosts call this from SetPaintManager: the paint manager then reaches this strip on RefreshAll.
    // The manager holds a reference on the registered paint manager until it registers another or dies.
    void RegisterPaintManager(CZPTabPaintManager* pPaintManager);
    void SetHighlightedItem(CZPTabManagerItem* pItem);
    void RedrawItem(CZPTabManagerItem* pItem, BOOL bErase);
    void RedrawButton(CZPTabManagerNavigateButton* pButton, BOOL bErase);
    BOOL ContainsItem(const CZPTabManagerItem* pItem) const;
    CZPTabManagerItem* m_pSelected;                             // borrowed from m_arrItems
    CZPTabManagerItem* m_pHighlighted;                          // borrowed from m_arrItems
    CZPTabManagerItem* m_pPressed;                              // borrowed from m_arrItems
    CZPTabManagerNavigateButton* m_pHighlightedNavigateButton;  // borrowed
    int m_nScrollOffset;
    BOOL m_bAllowReorder;
    BOOL m_bActive;
    int m_nPerTabCloseMode;
    CRect m_rcHeader;
    CRect m_rcControl;
    CRect m_rcClient;
    CArray<CZPTabManagerItem*, CZPTabManagerItem*> m_arrItems;                                // one reference each
    CArray<CZPTabManagerNavigateButton*, CZPTabManagerNavigateButton*> m_arrNavigateButtons;  // owned
    CZPWinThemeWrapper m_themeTab;
    CArray<ZP_TAB_ROW, const ZP_TAB_ROW&> m_arrRows;
    int m_nScrollStep;

private:
    CZPTabPaintManager* m_pRegisteredPaintManager;  // one reference while registered
};
