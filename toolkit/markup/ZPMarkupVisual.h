// The layout layers of the element tree: visuals (offset, render size, bound rectangle, render
// and hit test), UI elements (Measure and Arrange with dirty flags, visibility, invalidation) and
// framework elements (margins, alignments, explicit and minimum/maximum sizes, layout clip).
// Sizes are 32-bit device pixels; kZpMarkupInfinite means no limit and every sum saturates there.
#pragma once

#include "markup/ZPMarkupInputElement.h"

class CZPMarkupDrawingContext;
class CZPMarkupThickness;

const int kZpMarkupInfinite = 2147483647;
// Above this a length counts as infinite when margins are subtracted.
const int kZpMarkupHalfInfinite = 1073741823;

// a + b kept within -kZpMarkupInfinite..kZpMarkupInfinite.
int ZpMarkupAddSaturated(int a, int b);
// n kept within -kZpMarkupInfinite..kZpMarkupInfinite: sums and products made in 64 bits.
int ZpMarkupSaturate(long long n);
// An enumeration property's effective value, or nUnset when it has none.
int ZpMarkupEnumValue(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, int nUnset);
// The width and height of a rectangle, saturated the same way.
int ZpMarkupRectWidth(const RECT& rc);
int ZpMarkupRectHeight(const RECT& rc);
// A host client point in the element's coordinates: less the visual offsets of the element and of
// its logical ancestors that are visuals.
POINT ZpMarkupPointToElement(const CZPMarkupObject* pElement, POINT pt);

class CZPMarkupVisual : public CZPMarkupInputElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupVisual();

    // The logical children of a visual are its visual children.
    int GetLogicalChildrenCount() const override;
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    // The deepest element under the point (parent coordinates), or NULL.
    CZPMarkupInputElement* InputHitTest(int x, int y) override;

    virtual int GetVisualChildrenCount() const;
    virtual CZPMarkupVisual* GetVisualChild(int nIndex) const;
    // TRUE with the clip in the element's own coordinates.
    virtual BOOL GetLayoutClip(RECT& rcClip) const;
    virtual void OnRender(CZPMarkupDrawingContext* pContext);
    virtual void OnRenderFocusVisual(CZPMarkupDrawingContext* pContext);
    virtual CZPMarkupInputElement* InputHitTestCore(int x, int y);

    // Draws the element and its subtree; subtrees that miss the clip box are skipped.
    void Render(CZPMarkupDrawingContext* pContext);
    void UpdateBoundRect();
    CZPMarkupVisual* GetVisualParent() const;

    POINT GetVisualOffset() const { return m_ptOffset; }
    SIZE GetRenderSize() const { return m_szRender; }
    const RECT& GetBoundRect() const { return m_rcBound; }

protected:
    POINT m_ptOffset;
    SIZE m_szRender;
    RECT m_rcBound;
};

class CZPMarkupUIElement : public CZPMarkupVisual
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        visibilityVisible = 0,
        visibilityHidden = 1,
        visibilityCollapsed = 2
    };

    CZPMarkupUIElement();

    void Measure(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight);
    void Arrange(const RECT& rc);

    BOOL GetLayoutClip(RECT& rcClip) const override;
    virtual void InvalidateArrange();
    virtual void InvalidateVisual();
    virtual void InvalidateMeasure();
    virtual void ArrangeCore(const RECT& rc);
    virtual SIZE MeasureCore(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight);
    virtual void InvalidateMeasure(CZPMarkupDrawingContext* pContext);

    int GetVisibility() const;
    SIZE GetDesiredSize() const { return m_szDesired; }
    const RECT& GetFinalRect() const { return m_rcFinal; }
    BOOL IsMeasureDirty() const { return m_bMeasureDirty; }
    BOOL IsArrangeDirty() const { return m_bArrangeDirty; }

    static CZPMarkupDependencyProperty* m_pClipToBoundsProperty;
    static CZPMarkupDependencyProperty* m_pVisibilityProperty;
    static CZPMarkupDependencyProperty* m_pFocusableProperty;
    static CZPMarkupDependencyProperty* m_pIsEnabledProperty;
    static void RegisterProperties();

protected:
    SIZE m_szDesired;
    RECT m_rcFinal;
    BOOL m_bMeasureDirty;
    BOOL m_bNeverMeasured;
    SIZE m_szPreviousAvailable;
    BOOL m_bArrangeDirty;
    BOOL m_bNeverArranged;
    BOOL m_bArrangeInProgress;
    BOOL m_bMeasureInProgress;
};

class CZPMarkupFrameworkElement : public CZPMarkupUIElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        alignLeft = 0,
        alignTop = 0,
        alignCenter = 1,
        alignRight = 2,
        alignBottom = 2,
        alignStretch = 3
    };

    CZPMarkupFrameworkElement();

    BOOL GetLayoutClip(RECT& rcClip) const override;
    void ArrangeCore(const RECT& rc) override;
    SIZE MeasureCore(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;
    virtual SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight);
    virtual SIZE ArrangeOverride(int nWidth, int nHeight);

    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;
    // Never NULL: the shared zero thickness when unset.
    const CZPMarkupThickness* GetMargin() const;
    BOOL NeedsClipBounds() const { return m_bNeedsClipBounds; }
    // Effective limits after the last measure core.
    int GetMinWidth() const { return m_nMinWidth; }
    int GetMaxWidth() const { return m_nMaxWidth; }
    int GetMinHeight() const { return m_nMinHeight; }
    int GetMaxHeight() const { return m_nMaxHeight; }

    static CZPMarkupDependencyProperty* m_pMarginProperty;
    static CZPMarkupDependencyProperty* m_pHorizontalAlignmentProperty;
    static CZPMarkupDependencyProperty* m_pVerticalAlignmentProperty;
    static CZPMarkupDependencyProperty* m_pWidthProperty;
    static CZPMarkupDependencyProperty* m_pHeightProperty;
    static CZPMarkupDependencyProperty* m_pMinWidthProperty;
    static CZPMarkupDependencyProperty* m_pMinHeightProperty;
    static CZPMarkupDependencyProperty* m_pMaxWidthProperty;
    static CZPMarkupDependencyProperty* m_pMaxHeightProperty;
    static CZPMarkupDependencyProperty* m_pTagProperty;
    static void RegisterProperties();

protected:
    void UpdateMinMax();
    POINT AlignmentOffset(int nBoxWidth, int nBoxHeight, int nClientWidth, int nClientHeight) const;

    BOOL m_bNeedsClipBounds;
    SIZE m_szUnclippedDesired;
    BOOL m_bUnclippedDesiredValid;
    int m_nMaxHeight;
    int m_nMinHeight;
    int m_nMaxWidth;
    int m_nMinWidth;
};

// Elements of text flow: laid out and drawn by the text block that holds them.
class CZPMarkupFrameworkContentElement : public CZPMarkupInputElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupInputElement* InputHitTest(int x, int y) override;
    CZPMarkupFrameworkElement* GetParentFrameworkElement() const;

    static CZPMarkupDependencyProperty* m_pTagProperty;
    static void RegisterProperties();
};
