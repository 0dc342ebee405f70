// A child window showing a tab strip and one page window per tab: the selected tab's page is shown
// over the client area, the others hidden. Selection changes go to the owner (else the parent) as
// TCN_SELCHANGING, which may veto, and TCN_SELCHANGE.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/ole.h>
#include <framework/wnd.h>

#include "tabmanager/ZPTabManager.h"

class CZPImageManager;
class CZPTabManagerItem;
class CZPTabPaintManager;
class CZPToolTipContext;

// The class a dialog template names for a tab control.
#define ZP_TABCONTROL_CLASSNAME L"ZPTabControl"

class CZPTabControl : public CWnd, public CZPTabManager
{
    DECLARE_DYNAMIC(CZPTabControl)
public:
    // Selects the tab under an OLE drag; accepts no drop.
    class CTabControlDropTarget : public COleDropTarget
    {
    public:
        explicit CTabControlDropTarget(CZPTabControl* pControl) : m_pControl(pControl) {}
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    private:
        CZPTabControl* m_pControl;  // borrowed: the control owns this target
    };

    CZPTabControl();
    ~CZPTabControl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Adds a tab showing pPage (may be NULL) while selected; the page is hidden until then.
    CZPTabManagerItem* InsertItem(int nIndex, LPCWSTR lpszCaption, HWND hWndPage = NULL, int nImage = -1,
                                  CZPTabManagerItem* pItem = NULL);

    CZPImageManager* GetImageManager() const { return m_pImageManager; }
    CZPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CTabControlDropTarget* GetDropTarget() const { return m_pDropTarget; }
    HWND GetPageWindow() const { return m_hWndPage; }

    // The tab manager's operations.
    void Reposition() override;
    void SetSelectedItem(CZPTabManagerItem* pItem) override;
    BOOL TrySelectItem(CZPTabManagerItem* pItem) override;
    CZPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void SetPaintManager(CZPTabPaintManager* pPaintManager) override;
    void RedrawControl(LPCRECT lpRect, BOOL bErase) override;
    BOOL DrawItemIcon(CDC* pDC, CPoint pt, CZPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
    BOOL DrawParentBackground(CDC* pDC, CRect rc) override;
    void SelectItemByUser(CZPTabManagerItem* pItem) override;
    void OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton) override;
    BOOL IsFocusCueVisible() const override;
    void OnItemsChanged() override;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    // Sends a TCN_* notification to the owner, else the parent; 0 when there is no receiver.
    LRESULT SendSelectionNotify(UINT nCode);
    // Whether the parent's UI state hides focus rectangles.
    BOOL IsParentHidingFocus() const;

    HWND m_hWndPage;                       // borrowed: the shown page, or NULL
    CZPTabPaintManager* m_pPaintManager;   // one reference
    CZPImageManager* m_pImageManager;      // one reference
    CTabControlDropTarget* m_pDropTarget;  // owned
    CZPToolTipContext* m_pToolTipContext;  // one reference
    BOOL* m_pbDestroyed;                   // set by the destructor while a notification is out
};
