// A dock bar: the strip along one edge of the site frame where toolbars dock. It keeps its
// toolbars in rows, lays the rows out when the frame recalculates its layout (shifting,
// squeezing and spilling toolbars along a row) and takes toolbars in and out.
#pragma once

#include <framework.h>
#include <framework/messages.h>
#include <framework/wnd.h>

class CZPCommandBars;
class CZPToolBar;

// Bar-style bits of a dock bar: its edge and the border it draws.
const DWORD ZP_CBRS_BORDER_LEFT = 0x0100;
const DWORD ZP_CBRS_BORDER_TOP = 0x0200;
const DWORD ZP_CBRS_BORDER_RIGHT = 0x0400;
const DWORD ZP_CBRS_BORDER_BOTTOM = 0x0800;
const DWORD ZP_CBRS_ALIGN_LEFT = 0x1000;
const DWORD ZP_CBRS_ALIGN_TOP = 0x2000;
const DWORD ZP_CBRS_ALIGN_RIGHT = 0x4000;
const DWORD ZP_CBRS_ALIGN_BOTTOM = 0x8000;
const DWORD ZP_CBRS_ALIGN_ANY = 0xF000;

// The window class of dock bars.
extern const wchar_t kZpDockBarClass[];

class CZPDockBar : public CWnd
{
    DECLARE_DYNCREATE(CZPDockBar)
public:
    // One toolbar while a row is laid out.
    struct DOCK_INFO
    {
        CZPToolBar* pBar;  // borrowed from the rows
        CRect rc;
        CRect rcPreferred;
        int nIndex;
        int nMinLength;
        int nTotalMinLength;
    };
    typedef CArray<DOCK_INFO, const DOCK_INFO&> CDockInfoArray;

    CZPDockBar();
    ~CZPDockBar() override;

    // Creates the child window of the site with the given bar style and id; FALSE on failure.
    virtual BOOL CreateDockBar(CWnd* pSite, DWORD dwBarStyle, UINT nId);
    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetCommandBars(CZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const;

    // Puts a toolbar into this dock bar at a drop rectangle (screen coordinates) or, without
    // one, into a new last row.
    void DockBar(CZPToolBar* pBar, const RECT* pRect);
    // Restoring saved rows: puts a toolbar (taken from wherever it was) or a row end (NULL) at an
    // index of the stored rows; EndInsertEntries then tidies the rows and lays the site out.
    void InsertEntry(int nIndex, CZPToolBar* pBar);
    void EndInsertEntries();
    // Takes a toolbar out of its row; nSkip is an index not to look at (-1: none).
    void RemoveBar(CZPToolBar* pBar, int nSkip = -1, BOOL bRelayout = TRUE);
    // The visible toolbars of the row that holds entry nIndex, in their order along the row.
    void GetRowBars(int nIndex, CArray<CZPToolBar*, CZPToolBar*>& arrRow) const;
    int FindBar(const CZPToolBar* pBar, int nSkip = -1) const;
    // The stored rows: toolbars, each row ended by a NULL entry; starts with one NULL entry.
    const CArray<CZPToolBar*, CZPToolBar*>& GetEntries() const { return m_arrBars; }
    int GetRowCount() const;

    // The rows laid out for a length; with a deferral handle in the record they are placed.
    CSize CalcRowsLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout);
    // One row laid out along a length; returns its thickness, or -1 with *ppOverflow the
    // toolbar that must go to the next row.
    int LayoutRow(CArray<CZPToolBar*, CZPToolBar*>& arrRow, int x, int y, int nLength, BOOL bHorizontal,
                  AFX_SIZEPARENTPARAMS* pLayout, CZPToolBar** ppOverflow);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout);
    void Paint(CDC* pDC);
    // Row ends around every stretched toolbar, no empty rows.
    void NormalizeRows();
    // Lays out one stored row, spilling what does not fit into further visual rows.
    int LayoutRowGroup(CArray<CZPToolBar*, CZPToolBar*>& arrRow, int nOffset, int nLength, BOOL bHorizontal,
                       AFX_SIZEPARENTPARAMS* pLayout);
    void RelayoutSite(BOOL bDelay);

private:
    DWORD m_dwBarStyle;
    CArray<CZPToolBar*, CZPToolBar*> m_arrBars;  // borrowed: the command bars hold the toolbars
    CZPCommandBars* m_pCommandBars;              // borrowed: the owner
};
