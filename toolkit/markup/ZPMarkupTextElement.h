// Inline elements of text flow: runs of characters in one font, spans that group inlines and
// give them common text properties, line breaks; and the protocol through which a text block
// walks, measures and draws them.
#pragma once

#include "markup/ZPMarkupCollection.h"
#include "markup/ZPMarkupVisual.h"

#include <unordered_map>
#include <vector>

class CZPMarkupBrush;
class CZPMarkupFont;
class CZPMarkupString;
class CZPMarkupDrawingContext;

// Font sizes are kept within this range: a huge font is slow to rasterise and a very large
// height turns into a tiny font on some systems.
const int kZpMarkupMinFontSize = 1;
const int kZpMarkupMaxFontSize = 1024;

// The owner of the text properties; any element may carry them as attached properties.
class CZPMarkupTextElement : public CZPMarkupFrameworkContentElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupBrush* GetBackground() const;
    CZPMarkupBrush* GetForeground() const;
    void SetFontWeight(int nWeight);
    void SetFontStyle(int nStyle);
    void SetTextDecorations(int nDecorations);
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    static CZPMarkupDependencyProperty* m_pBackgroundProperty;
    static CZPMarkupDependencyProperty* m_pForegroundProperty;
    static CZPMarkupDependencyProperty* m_pFontSizeProperty;
    static CZPMarkupDependencyProperty* m_pFontWeightProperty;
    static CZPMarkupDependencyProperty* m_pFontFamilyProperty;
    static CZPMarkupDependencyProperty* m_pFontStyleProperty;
    static CZPMarkupDependencyProperty* m_pTextDecorationsProperty;
    static CZPMarkupDependencyProperty* m_pFontQualityProperty;
    static void RegisterProperties();
};

// Positions are values only the inline interprets; -1 is past the last one.
const int kZpMarkupNoPosition = -1;

class CZPMarkupInline : public CZPMarkupTextElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupInline() : m_nIndex(-1) {}

    virtual CZPMarkupInline* GetFirstInline();
    virtual int GetFirstPosition() const;
    virtual void GetNextPosition(int& nPosition) const;
    virtual BOOL IsWhiteSpacePosition(int nPosition) const;
    virtual BOOL IsLineBreakPosition(int nPosition) const;
    virtual BOOL IsSpacePosition(int nPosition) const;
    virtual void ArrangeInline(const RECT& rc, int nStart, int nEnd);
    virtual SIZE MeasureInline(CZPMarkupDrawingContext* pContext, int nStart, int nEnd);
    virtual void RenderInline(CZPMarkupDrawingContext* pContext, const RECT& rc, int nStart, int nEnd);
    virtual void PrepareFont(CZPMarkupDrawingContext* pContext);
    virtual int GetDescent() const;

    // The next leaf in document order, or NULL after the last one of the text block.
    CZPMarkupInline* GetNextInline();
    int GetBaselineAlignment() const;

    int m_nIndex;  // in the parent collection, -1 until added

    static CZPMarkupDependencyProperty* m_pBaselineAlignmentProperty;
    static void RegisterProperties();
};

class CZPMarkupRun : public CZPMarkupInline
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupRun();
    ~CZPMarkupRun() override;

    int GetFirstPosition() const override;
    void GetNextPosition(int& nPosition) const override;
    BOOL IsWhiteSpacePosition(int nPosition) const override;
    BOOL IsLineBreakPosition(int nPosition) const override;
    BOOL IsSpacePosition(int nPosition) const override;
    SIZE MeasureInline(CZPMarkupDrawingContext* pContext, int nStart, int nEnd) override;
    void RenderInline(CZPMarkupDrawingContext* pContext, const RECT& rc, int nStart, int nEnd) override;
    void PrepareFont(CZPMarkupDrawingContext* pContext) override;
    int GetDescent() const override { return m_nDescent; }
    virtual void GetLogFont(LOGFONTW& lf) const;

    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return FALSE; }
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    void SetText(LPCWSTR lpszText);
    // The text, or NULL when unset.
    LPCWSTR GetText() const;
    int GetTextLength() const;
    CZPMarkupFont* GetCachedFont() const { return m_pFont; }
    // Widths of the prefixes of the range, one entry per character, from one extent call; the
    // text's font must be selected. Answers the height of the text.
    int MeasurePrefixes(CZPMarkupDrawingContext* pContext, int nStart, int nEnd, int* pWidths);

    static CZPMarkupDependencyProperty* m_pTextProperty;
    static void RegisterProperties();

private:
    // The prefix widths of one measuring call from one start position. Cutting a long word or
    // merging the parts of a line measures many ranges from the same start: they are answered
    // from here instead of measuring every prefix again.
    struct CPrefixWidths
    {
        int nStart = 0;  // 0: empty
        int nHeight = 0;
        std::vector<int> widths;  // [i]: the range from nStart to nStart + i + 1
    };

    // What measurements depend on besides the font and the text: the measuring device.
    struct CDeviceKey
    {
        int nDpiX = 0, nDpiY = 0, nTechnology = 0, nMapMode = 0;
    };

    // The effective "Text", looked up once per change: positions are classified per character.
    const CZPMarkupString* GetTextValue() const;
    WCHAR CharAt(int nPosition) const;
    // FALSE when a bound is missing; else both within the text, start not after end.
    BOOL ClampRange(int& nStart, int& nEnd) const;
    void ClearMeasurements();

    CZPMarkupFont* m_pFont;  // one reference, from the context's cache
    int m_nDescent;
    mutable const CZPMarkupString* m_pTextValue;  // borrowed from the property store
    mutable BOOL m_bTextValueKnown;
    CPrefixWidths m_prefixWidths[2];  // valid for m_pFont, the current text and m_deviceKey
    int m_nLastPrefixWidths;          // the entry used last
    // Extents of the ranges measured by a call of their own, kept while font, text and device
    // stay: a layout at another width measures the same words again.
    std::unordered_map<unsigned long long, SIZE> m_rangeExtents;
    CDeviceKey m_deviceKey;
};

class CZPMarkupLineBreak : public CZPMarkupRun
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupLineBreak();
    static void RegisterProperties() {}
};

class CZPMarkupInlineCollection : public CZPMarkupCollection
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupInlineCollection();
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    void OnItemAdded(CZPMarkupObject* pItem, int nIndex) override;
    static void RegisterProperties() {}
};

class CZPMarkupSpan : public CZPMarkupInline
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupSpan();
    ~CZPMarkupSpan() override;

    CZPMarkupInline* GetFirstInline() override;
    int GetLogicalChildrenCount() const override { return 1; }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }

    CZPMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    static void RegisterProperties() {}

private:
    CZPMarkupInlineCollection* m_pInlines;  // owned
};

class CZPMarkupBold : public CZPMarkupSpan
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupBold();
    static void RegisterProperties() {}
};

class CZPMarkupItalic : public CZPMarkupSpan
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupItalic();
    static void RegisterProperties() {}
};

class CZPMarkupUnderline : public CZPMarkupSpan
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupUnderline();
    static void RegisterProperties() {}
};
