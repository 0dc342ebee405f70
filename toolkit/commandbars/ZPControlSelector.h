// A grid selector (kind 0): the user picks columns x rows by pointing, and drags the grid larger
// with the button held (a table-size picker).
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlSelector : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlSelector)
public:
    CZPControlSelector();

    // Stores a changed (or forced) selection, redraws and tells the site (ZpNotifySelectorChanged).
    void SetSelection(int nColumns, int nRows, BOOL bForce);
    CSize GetSelection() const { return m_szSelection; }
    CSize GetShown() const { return m_szShown; }
    CSize GetExecuted() const { return m_szExecuted; }
    CSize GetItemSize() const { return m_szItem; }
    void SetItemsCount(CSize size) { m_szItemsCount = size; }
    // Clamped to a sane grid: a stored layout may ask for any number.
    void SetItemsMax(CSize size);
    // A zero cell would divide by zero when the grid grows: 28 x 28 then.
    void SetItemSize(CSize size);

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnBeforeLayout(UINT nLayoutMode) override;
    void DoPropExchange(CZPPropExchange* pPX) override;
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    BOOL OnSetSelected(int bSelected) override;

    virtual void DrawItem(CDC* pDC, CRect rcItem, COLORREF clrItem);  // 82

protected:
    CSize m_szItemsCount;
    CSize m_szItemsMax;
    CSize m_szItem;
    CSize m_szSelection;
    CSize m_szShown;
    CSize m_szExecuted;
    BOOL m_bResizing;
};
