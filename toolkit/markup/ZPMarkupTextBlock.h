// The text block: a flow of inlines broken into lines within the available width, wrapped or
// trimmed with "...", aligned or justified, drawn with per-inline fonts, colours and decorations.
#pragma once

#include "markup/ZPMarkupTextElement.h"

class CZPMarkupTextBlock : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        wrapNone = 0,
        wrapWrap = 1,
        wrapWithOverflow = 2
    };
    enum
    {
        trimNone = 0,
        trimCharacterEllipsis = 1,
        trimWordEllipsis = 2
    };
    enum
    {
        alignTextLeft = 0,
        alignTextRight = 1,
        alignTextCenter = 2,
        alignTextJustify = 3
    };

    class CLine;

    // One range of one leaf inline on one line.
    class CLinePart
    {
    public:
        // Takes a reference to the inline.
        CLinePart(CZPMarkupInline* pInline, int nStart, int nEnd);
        ~CLinePart();

        CZPMarkupInline* m_pInline;  // one reference
        int m_nStart;
        int m_nEnd;
        int x, y;    // from the start of the line and the top of the line, without padding
        int dx, dy;  // arrange offsets
        CLine* m_pLine;
        int m_nWidth;
        int m_nHeight;
        int m_nDescent;
        CLinePart* m_pNextPart;
        BOOL m_bParagraphStart;  // begins after a line break
        BOOL m_bMeasured;        // FALSE while only known to be wider than the room it was checked against

    private:
        CLinePart(const CLinePart&) = delete;
        CLinePart& operator=(const CLinePart&) = delete;
    };

    class CLine
    {
    public:
        CLine();
        ~CLine();  // deletes the parts
        void AddPart(CLinePart* pPart);
        // Deletes the parts after pPart.
        void TruncateAfter(CLinePart* pPart);

        CLinePart* m_pFirstPart;  // owned list
        CLinePart* m_pLastPart;
        int m_nWidth;
        int m_nHeight;
        int m_nDescent;
        CLine* m_pNextLine;
        BOOL m_bWrapped;  // ended because the next text did not fit

    private:
        CLine(const CLine&) = delete;
        CLine& operator=(const CLine&) = delete;
    };

    class CLayoutState;

    CZPMarkupTextBlock();
    ~CZPMarkupTextBlock() override;

    int GetLogicalChildrenCount() const override { return 1; }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    CZPMarkupInputElement* InputHitTestCore(int x, int y) override;
    using CZPMarkupUIElement::InvalidateMeasure;
    void InvalidateMeasure(CZPMarkupDrawingContext* pContext) override;

    CZPMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    // Never NULL: the shared zero thickness when unset.
    const CZPMarkupThickness* GetPadding() const;
    const CLine* GetFirstLine() const { return m_pFirstLine; }
    int GetLineCount() const;
    SIZE GetContentSize() const { return SIZE{ m_nContentWidth, m_nContentHeight }; }

    static CZPMarkupDependencyProperty* m_pTextWrappingProperty;
    static CZPMarkupDependencyProperty* m_pTextTrimmingProperty;
    static CZPMarkupDependencyProperty* m_pTextAlignmentProperty;
    static CZPMarkupDependencyProperty* m_pPaddingProperty;
    static CZPMarkupDependencyProperty* m_pTextProperty;
    static void RegisterProperties();

private:
    void DeleteLines();
    void BuildLines(CZPMarkupDrawingContext* pContext, int nWidth);
    void MeasurePart(CLayoutState& state, CLinePart* pPart);
    void CommitWord(CLayoutState& state);
    // Measures a part of a word. In "Wrap" a part wider than the whole line is measured only until
    // that is clear and left unmeasured: it is cut, and its full width is never needed.
    void MeasureWordPart(CLayoutState& state, CLinePart* pPart);
    // Measures the part when it fits in nRoom; FALSE, measuring no further than needed, when not.
    BOOL MeasurePartWithin(CLayoutState& state, CLinePart* pPart, long long nRoom);
    // Places the part that did not fit in "Wrap" up to the last position that fits, at least one.
    void CutPart(CLayoutState& state, CLinePart* pPart);
    void FinishLine(CLayoutState& state);
    void PlaceEllipsis(CLayoutState& state);
    void AddEmptyLinePart(CLayoutState& state);
    void RenderDecorations(CZPMarkupDrawingContext* pContext, const CLine* pLine, const CLinePart* pPart,
                           const RECT& rc, CZPMarkupBrush* pFallback);
    // A run of this block's context whose font and colours come from the block.
    CZPMarkupRun* CreateOwnRun(LPCWSTR lpszText);

    CZPMarkupInlineCollection* m_pInlines;  // owned
    CLine* m_pFirstLine;                    // owned list
    CLine* m_pLastLine;
    int m_nLayoutWidth;  // the content width the lines were built for, -1 when none is valid
    int m_nContentWidth;
    int m_nContentHeight;
};
