// A gallery of items (kind 10): rows that wrap at the right edge under label rows, a hot item
// that follows mouse and keyboard and drives the live preview, and a scroll bar or a column of
// row buttons on its right.
#pragma once

#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPScrollBase.h"

#include <vector>

class CZPControlGalleryItem;
class CZPControlGalleryItems;

// Control notifications of a gallery.
const UINT ZP_GN_PREVIEW_START = 0x1010;
const UINT ZP_GN_PREVIEW_CANCEL = 0x1011;
const UINT ZP_GN_PREVIEW_APPLY = 0x1012;
const UINT ZP_GN_PREVIEW_CHANGE = 0x1013;
const UINT ZP_GN_BEGIN_DRAG = 0x1014;
const UINT ZP_GN_SELCHANGE = 0x1015;
// Resize modes of a gallery (its Resizable bits): a popup holding it shows a grip that follows them.
const int ZP_GALLERY_RESIZE_WIDTH = 0x1;
const int ZP_GALLERY_RESIZE_HEIGHT = 0x2;

class CZPControlGallery : public CZPControlPopup, public CZPScrollBase
{
    DECLARE_DYNCREATE(CZPControlGallery)
public:
    struct GALLERYITEM_POSITION
    {
        RECT rcItem;                   // unscrolled client coordinates
        CZPControlGalleryItem* pItem;  // borrowed from the collection
        int bBeginRow;
    };

    CZPControlGallery();
    ~CZPControlGallery() override;

    // Control slots.
    BOOL IsFocused() const override;
    void SetRect(CRect rcControl) override;
    void Execute() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void DoPropExchange(CZPPropExchange* pPX) override;
    void SetAction(CZPControlAction* pAction) override;
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    BOOL IsFocusable() const override;
    virtual void OnSelectedItemChanged();

    // Accessibility (ZPControlGalleryAccessible.cpp): items are simple children, id = index + 1.
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    virtual void UpdateScrollBar();

    // Scroll base slots.
    BOOL IsScrollBarEnabled() const override;
    HWND GetParentWindow() const override;
    void DoAnimate() override;
    void GetScrollBarRect(CRect& rc) override;
    void GetScrollInfo(SCROLLINFO* pSI) override;
    void DoScroll(int nCommand, int nPos) override;
    void RedrawScrollBar() override;
    void CalcScrollBarInfo(LPCRECT lprc, ZP_SCROLLBAR_GEOMETRY* pSBInfo, SCROLLINFO* pSI) override;
    CZPScrollBarPaintManager* GetScrollBarPaintManager() const override;

    CZPControlGalleryItems* GetItems() const;
    int GetItemCount() const;
    CZPControlGalleryItem* GetItem(int nIndex) const;
    CString GetItemText(int nIndex) const;
    int GetHotItem() const { return m_bHideSelection ? -1 : m_nSelected; }
    void SetHotItem(int nIndex);
    void HideHotItem();
    void TrackHotItem(CPoint point);
    void PressItem();
    void ReleaseItem();
    int HitTestItem(CPoint point, CRect* pRect = NULL) const;
    CRect GetItemDrawRect(int nIndex) const;
    CRect GetItemsRect() const;
    void RepositionItems();
    void SetScrollOffset(int nOffset);
    void AnimateScrollOffset(int nOffset);
    void EnsureVisible(int nIndex);
    int ScrollItemToTop(int nIndex);
    int FindItem(int nStart, LPCWSTR lpszText, BOOL bExact) const;
    BOOL HasControlBelow() const;
    BOOL IsScrollPartEnabled(int nPart) const;
    BOOL IsItemChecked(CZPControlGalleryItem* pItem) const;
    BOOL IsShownAsButton() const;
    BOOL HasDropDown() const { return GetCommandBar() != NULL; }

    int GetScrollOffset() const { return m_nScrollPos; }
    int GetContentHeight() const { return m_nTotalHeight; }
    int GetPositionCount() const { return static_cast<int>(m_arrRects.size()); }
    const GALLERYITEM_POSITION& GetPosition(int nIndex) const { return m_arrRects[nIndex]; }
    BOOL IsPreviewRunning() const { return m_bPreview; }
    void SetCheckedItem(int nId) { m_nChecked = nId; }
    void ShowLabels(BOOL bShow) { m_bShowLabels = bShow; }
    void ShowScrollBar(BOOL bShow) { m_bShowScrollBar = bShow; }
    void ShowBorders(BOOL bShow) { m_bShowBorders = bShow; }
    BOOL IsShowBorders() const { return m_bShowBorders; }
    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);
    void SetResizable(int nResizable) { m_nResizable = nResizable; }
    // The resize mode when the gallery shows items (not as a button), else 0.
    BOOL IsCustomizeResizable() const override;
    // The smallest size a resize leaves: one item inside the borders (0 without a bar or items).
    int GetCustomizeMinWidth() const override;
    int GetCustomizeMinHeight() const override;
    // Borders, the scroll bar's column and the margins around the items.
    CRect GetBorders() const;

protected:
    int ItemHeight() const;
    int NextSelectable(int nStart, int nDirection, BOOL* pWrapped) const;
    void RedrawItem(int nIndex);
    void EndPreview(UINT nCode);
    // The item a child id names: E_INVALIDARG for the gallery itself or an id out of range,
    // E_FAIL once the gallery left its bar.
    HRESULT AccessibleItemIndex(const VARIANT& varChild, int* pIndex) const;
    static BOOL IsAccessibleSelf(const VARIANT& varChild);
    // A gallery shown as a button answers as a plain popup control.
    BOOL AnswersAsList() const;
    HRESULT SelectAccessibleItem(const VARIANT& varChild);

    int m_nChecked;
    int m_nSelected;
    BOOL m_bHideSelection;
    BOOL m_bPressed;
    CPoint m_ptPressed;
    int m_nScrollPos;
    int m_nScrollPosTarget;
    double m_dAnimationStep;
    BOOL m_bKeyboardSelected;
    int m_nTotalHeight;
    BOOL m_bShowLabels;
    BOOL m_bShowScrollBar;
    BOOL m_bShowBorders;
    CRect m_rcMargin;
    BOOL m_bPreview;
    int m_nResizable;
    std::vector<GALLERYITEM_POSITION> m_arrRects;
};
