// The text block: builds lines from the inlines' positions (words, wrapping, character cuts,
// ellipsis), arranges them by alignment and baseline, draws backgrounds, text and decorations,
// and hit-tests down to the inline under the point.
#include "markup/ZPMarkupTextBlock.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

namespace {
const int kNoLayoutWidth = -1;
const WCHAR kEllipsis[] = L"...";
const int kEllipsisLength = 3;
// Positions measured at least at first, and at most added per step, when checking whether the
// rest of a cut word fits on the next line. The first step is the length of the last cut plus a
// few, so that a long word's rest is usually settled by one measurement per line.
const int kFirstProbe = 16;
const int kProbeMargin = 4;
const int kLargestProbe = 1 << 20;
const long long kWiderThanAnyLine = 1LL << 40;

void AppendPart(CZPMarkupTextBlock::CLinePart*& pFirst, CZPMarkupTextBlock::CLinePart*& pLast,
                CZPMarkupTextBlock::CLinePart* pPart)
{
    pPart->m_pNextPart = NULL;
    if (pLast != NULL)
        pLast->m_pNextPart = pPart;
    else
        pFirst = pPart;
    pLast = pPart;
}

// A part that begins a word of its own: not the start of a paragraph, white space before it.
BOOL OpensGap(const CZPMarkupTextBlock::CLinePart* pPart)
{
    return !pPart->m_bParagraphStart && pPart->m_pInline->IsWhiteSpacePosition(pPart->m_nStart);
}

RECT PartRect(const CZPMarkupTextBlock::CLinePart* pPart)
{
    const int left = ZpMarkupAddSaturated(pPart->x, pPart->dx);
    const int top = ZpMarkupAddSaturated(pPart->y, pPart->dy);
    return RECT{ left, top, ZpMarkupAddSaturated(left, pPart->m_nWidth), ZpMarkupAddSaturated(top, pPart->m_nHeight) };
}
}  // namespace

// The state of one line-building pass.
class CZPMarkupTextBlock::CLayoutState
{
public:
    CLayoutState(CZPMarkupDrawingContext* pContext, int nWidth)
        : x(0), y(0), nLargestWidth(0), pLine(new CLine), pCurrent(NULL), pPendingFirst(NULL), pPendingLast(NULL),
          pContext(pContext), nWidth(nWidth), nWrapping(wrapNone), nTrimming(trimNone), bJustify(FALSE),
          nLastCutLength(0)
    {}
    ~CLayoutState()
    {
        delete pLine;
        delete pCurrent;
        while (CLinePart* pPart = PopPending())
            delete pPart;
    }

    void PushPendingBack(CLinePart* pPart) { AppendPart(pPendingFirst, pPendingLast, pPart); }
    void PushPendingFront(CLinePart* pPart)
    {
        pPart->m_pNextPart = pPendingFirst;
        pPendingFirst = pPart;
        if (pPendingLast == NULL)
            pPendingLast = pPart;
    }
    CLinePart* PopPending()
    {
        CLinePart* pPart = pPendingFirst;
        if (pPart != NULL) {
            pPendingFirst = pPart->m_pNextPart;
            if (pPendingFirst == NULL)
                pPendingLast = NULL;
            pPart->m_pNextPart = NULL;
        }
        return pPart;
    }
    // A part left unmeasured is wider than the line.
    long long PendingWidth() const
    {
        long long nSum = 0;
        for (const CLinePart* pPart = pPendingFirst; pPart != NULL; pPart = pPart->m_pNextPart)
            nSum += pPart->m_bMeasured ? pPart->m_nWidth : kWiderThanAnyLine;
        return nSum;
    }
    void Place(CLinePart* pPart)
    {
        pPart->x = ZpMarkupSaturate(x);
        pPart->y = ZpMarkupSaturate(y);
        pLine->AddPart(pPart);
        x += pPart->m_nWidth;
    }

    long long x;
    long long y;
    int nLargestWidth;
    CLine* pLine;              // owned: the line being filled
    CLinePart* pCurrent;       // owned: the part being extended
    CLinePart* pPendingFirst;  // owned list: the word being committed
    CLinePart* pPendingLast;
    CZPMarkupDrawingContext* pContext;  // borrowed
    int nWidth;
    int nWrapping;
    int nTrimming;
    BOOL bJustify;
    int nLastCutLength;  // positions on the line of the last cut
};

// ---------------------------------------------------------------------------------------------
// Lines and parts

CZPMarkupTextBlock::CLinePart::CLinePart(CZPMarkupInline* pInline, int nStart, int nEnd)
    : m_pInline(pInline), m_nStart(nStart), m_nEnd(nEnd), x(0), y(0), dx(0), dy(0), m_pLine(NULL), m_nWidth(0),
      m_nHeight(0), m_nDescent(0), m_pNextPart(NULL), m_bParagraphStart(FALSE), m_bMeasured(FALSE)
{
    m_pInline->AddRef();
}

CZPMarkupTextBlock::CLinePart::~CLinePart()
{
    m_pInline->Release();
}

CZPMarkupTextBlock::CLine::CLine()
    : m_pFirstPart(NULL), m_pLastPart(NULL), m_nWidth(0), m_nHeight(0), m_nDescent(0), m_pNextLine(NULL),
      m_bWrapped(FALSE)
{}

CZPMarkupTextBlock::CLine::~CLine()
{
    while (CLinePart* pPart = m_pFirstPart) {
        m_pFirstPart = pPart->m_pNextPart;
        delete pPart;
    }
}

void CZPMarkupTextBlock::CLine::AddPart(CLinePart* pPart)
{
    pPart->m_pLine = this;
    AppendPart(m_pFirstPart, m_pLastPart, pPart);
}

void CZPMarkupTextBlock::CLine::TruncateAfter(CLinePart* pPart)
{
    while (CLinePart* pNext = pPart->m_pNextPart) {
        pPart->m_pNextPart = pNext->m_pNextPart;
        delete pNext;
    }
    m_pLastPart = pPart;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupTextBlock

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupTextBlock, L"TextBlock", CZPMarkupFrameworkElement,
                        &CZPMarkupTextBlock::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextWrappingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextTrimmingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextAlignmentProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pPaddingProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextBlock::m_pTextProperty = NULL;

void CZPMarkupTextBlock::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    CZPMarkupType* pEnum = CZPMarkupEnum::GetClassType();
    m_pTextWrappingProperty = CZPMarkupDependencyProperty::Register(
        L"TextWrapping", pEnum, pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTextWrapping, kZpMarkupAffectsMeasure));
    m_pTextTrimmingProperty = CZPMarkupDependencyProperty::Register(
        L"TextTrimming", pEnum, pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTextTrimming, kZpMarkupAffectsMeasure));
    m_pTextAlignmentProperty = CZPMarkupDependencyProperty::Register(
        L"TextAlignment", pEnum, pType,
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTextAlignment, kZpMarkupAffectsArrange));
    m_pPaddingProperty = CZPMarkupDependencyProperty::Register(
        L"Padding", CZPMarkupThickness::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupThickness::CreateZeroValue(), kZpMarkupAffectsMeasure));
    m_pTextProperty = CZPMarkupDependencyProperty::Register(
        L"Text", CZPMarkupString::GetClassType(), pType, new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
    CZPMarkupTextElement::GetClassType()->EnsureRegistered();
    CZPMarkupDependencyProperty* textProperties[] = {
        CZPMarkupTextElement::m_pBackgroundProperty,  CZPMarkupTextElement::m_pForegroundProperty,
        CZPMarkupTextElement::m_pFontSizeProperty,    CZPMarkupTextElement::m_pFontWeightProperty,
        CZPMarkupTextElement::m_pFontQualityProperty, CZPMarkupTextElement::m_pFontFamilyProperty,
        CZPMarkupTextElement::m_pFontStyleProperty,   CZPMarkupTextElement::m_pTextDecorationsProperty,
    };
    for (CZPMarkupDependencyProperty* pProperty : textProperties)
        pProperty->AddOwner(pType);
}

CZPMarkupTextBlock::CZPMarkupTextBlock()
    : m_pInlines(new CZPMarkupInlineCollection), m_pFirstLine(NULL), m_pLastLine(NULL), m_nLayoutWidth(kNoLayoutWidth),
      m_nContentWidth(0), m_nContentHeight(0)
{
    m_pInlines->SetLogicalParent(this);
}

CZPMarkupTextBlock::~CZPMarkupTextBlock()
{
    DeleteLines();
    m_pInlines->RemoveAll();
    m_pInlines->SetLogicalParent(NULL);
    m_pInlines->Release();
}

CZPMarkupObject* CZPMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : NULL;
}

void CZPMarkupTextBlock::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CZPMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->GetCount() > 0;
}

void CZPMarkupTextBlock::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                           CZPMarkupObject* pNewValue)
{
    if (pProperty == m_pTextProperty) {
        m_pInlines->RemoveAll();
        CZPMarkupContext* pContext = GetMarkupContext();
        CZPMarkupRun* pRun =
            pContext != NULL ? ZpMarkupCast<CZPMarkupRun>(pContext->CreateMarkupObject(CZPMarkupRun::GetClassType()))
                             : new CZPMarkupRun;
        if (pNewValue != NULL)
            pNewValue->AddRef();
        if (!pRun->SetValue(CZPMarkupRun::m_pTextProperty, pNewValue) && pNewValue != NULL)
            pNewValue->Release();
        m_pInlines->Add(pRun);
    }
    CZPMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    // Justified lines keep their words apart: the lines are built anew when justifying starts
    // or ends, not only arranged again.
    if (pProperty == m_pTextAlignmentProperty) {
        const CZPMarkupEnum* pOld = ZpMarkupCast<CZPMarkupEnum>(pOldValue);
        const CZPMarkupEnum* pNew = ZpMarkupCast<CZPMarkupEnum>(pNewValue);
        if ((pOld != NULL && pOld->m_nValue == alignTextJustify) !=
            (pNew != NULL && pNew->m_nValue == alignTextJustify))
            InvalidateMeasure();
    }
}

const CZPMarkupThickness* CZPMarkupTextBlock::GetPadding() const
{
    const CZPMarkupThickness* pValue = ZpMarkupCast<CZPMarkupThickness>(GetValue(m_pPaddingProperty));
    return pValue != NULL ? pValue : ZpMarkupCast<CZPMarkupThickness>(m_pPaddingProperty->GetDefaultValue());
}

int CZPMarkupTextBlock::GetLineCount() const
{
    int nCount = 0;
    for (const CLine* pLine = m_pFirstLine; pLine != NULL; pLine = pLine->m_pNextLine)
        nCount++;
    return nCount;
}

void CZPMarkupTextBlock::InvalidateMeasure(CZPMarkupDrawingContext* pContext)
{
    m_nLayoutWidth = kNoLayoutWidth;
    CZPMarkupFrameworkElement::InvalidateMeasure(pContext);
}

void CZPMarkupTextBlock::DeleteLines()
{
    while (CLine* pLine = m_pFirstLine) {
        m_pFirstLine = pLine->m_pNextLine;
        delete pLine;
    }
    m_pLastLine = NULL;
}

CZPMarkupRun* CZPMarkupTextBlock::CreateOwnRun(LPCWSTR lpszText)
{
    CZPMarkupContext* pContext = GetMarkupContext();
    CZPMarkupRun* pRun = pContext != NULL
                             ? ZpMarkupCast<CZPMarkupRun>(pContext->CreateMarkupObject(CZPMarkupRun::GetClassType()))
                             : new CZPMarkupRun;
    pRun->SetLogicalParent(this);
    pRun->SetText(lpszText);
    return pRun;
}

SIZE CZPMarkupTextBlock::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int /*nHeight*/)
{
    const CZPMarkupThickness* pPadding = GetPadding();
    const int nHorizontal = ZpMarkupAddSaturated(pPadding->m_nLeft, pPadding->m_nRight);
    const int nVertical = ZpMarkupAddSaturated(pPadding->m_nTop, pPadding->m_nBottom);
    BuildLines(pContext, std::max(0, ZpMarkupSaturate(static_cast<long long>(nWidth) - nHorizontal)));
    // Negative padding never makes a negative size.
    return SIZE{ std::max(0, ZpMarkupAddSaturated(m_nContentWidth, nHorizontal)),
                 std::max(0, ZpMarkupAddSaturated(m_nContentHeight, nVertical)) };
}

void CZPMarkupTextBlock::MeasurePart(CLayoutState& state, CLinePart* pPart)
{
    const SIZE sz = pPart->m_pInline->MeasureInline(state.pContext, pPart->m_nStart, pPart->m_nEnd);
    pPart->m_nWidth = sz.cx;
    pPart->m_nHeight = sz.cy;
    pPart->m_nDescent = pPart->m_pInline->GetDescent();
    pPart->m_bMeasured = TRUE;
}

void CZPMarkupTextBlock::BuildLines(CZPMarkupDrawingContext* pContext, int nWidth)
{
    const int nWrapping = ZpMarkupEnumValue(this, m_pTextWrappingProperty, wrapNone);
    int nTrimming = trimNone;
    BOOL bJustify = FALSE;
    if (nWrapping != wrapNone)
        bJustify = ZpMarkupEnumValue(this, m_pTextAlignmentProperty, alignTextLeft) == alignTextJustify;
    else
        nTrimming = ZpMarkupEnumValue(this, m_pTextTrimmingProperty, trimNone);

    const BOOL bForce = pContext->ForceRemeasure();
    if (!bForce && (nWidth == m_nLayoutWidth ||
                    (nWrapping == wrapNone && nTrimming == trimNone && m_nLayoutWidth != kNoLayoutWidth)))
        return;

    m_nLayoutWidth = nWidth;
    DeleteLines();
    CLayoutState state(pContext, nWidth);
    state.nWrapping = nWrapping;
    state.nTrimming = nTrimming;
    state.bJustify = bJustify;

    CZPMarkupInline* pInline =
        m_pInlines->GetCount() > 0 ? static_cast<CZPMarkupInline*>(m_pInlines->GetAt(0))->GetFirstInline() : NULL;
    if (pInline == NULL)
        AddEmptyLinePart(state);
    for (; pInline != NULL; pInline = pInline->GetNextInline()) {
        pInline->PrepareFont(pContext);
        int p = pInline->GetFirstPosition();
        state.pCurrent = new CLinePart(pInline, p, p);
        while (p != kZpMarkupNoPosition) {
            state.pCurrent->m_nEnd = p;
            // Every line break is also white space: with wrapping, other positions need one test.
            const BOOL bWhiteSpace = nWrapping != wrapNone && pInline->IsWhiteSpacePosition(p);
            if (bWhiteSpace) {
                MeasureWordPart(state, state.pCurrent);
                CommitWord(state);
            }
            if ((nWrapping == wrapNone || bWhiteSpace) && pInline->IsLineBreakPosition(p)) {
                MeasureWordPart(state, state.pCurrent);
                CommitWord(state);
                if (state.pLine->m_pFirstPart == NULL) {
                    AddEmptyLinePart(state);
                    CommitWord(state);
                }
                FinishLine(state);
                pInline->GetNextPosition(p);
                state.pCurrent->m_nStart = state.pCurrent->m_nEnd = p;
                state.pCurrent->m_bParagraphStart = TRUE;
                continue;
            }
            pInline->GetNextPosition(p);
        }
        CLinePart* pLast = state.pCurrent;
        state.pCurrent = NULL;
        if (pLast->m_nStart != pLast->m_nEnd || pLast->m_bParagraphStart) {
            MeasureWordPart(state, pLast);
            state.PushPendingBack(pLast);
        } else {
            delete pLast;
        }
    }
    CommitWord(state);
    FinishLine(state);

    m_nContentWidth = state.nLargestWidth;
    m_nContentHeight = ZpMarkupSaturate(state.y);
    if (bForce)
        m_nLayoutWidth = kNoLayoutWidth;
}

void CZPMarkupTextBlock::AddEmptyLinePart(CLayoutState& state)
{
    CZPMarkupRun* pRun = CreateOwnRun(L" ");
    pRun->PrepareFont(state.pContext);
    const int p = pRun->GetFirstPosition();
    CLinePart* pPart = new CLinePart(pRun, p, p);
    pRun->Release();  // the part's reference keeps it
    MeasurePart(state, pPart);
    state.PushPendingBack(pPart);
}

void CZPMarkupTextBlock::CommitWord(CLayoutState& state)
{
    CLinePart* pCurrent = state.pCurrent;
    if (pCurrent != NULL && (pCurrent->m_nStart != pCurrent->m_nEnd || pCurrent->m_bParagraphStart)) {
        state.pCurrent = new CLinePart(pCurrent->m_pInline, pCurrent->m_nEnd, pCurrent->m_nEnd);
        state.PushPendingBack(pCurrent);
    }
    const long long nWidth = state.nWidth;
    if (state.nWrapping != wrapNone && state.x > 0 && state.x + state.PendingWidth() > nWidth) {
        state.pLine->m_bWrapped = TRUE;
        FinishLine(state);
    }
    while (CLinePart* pPart = state.PopPending()) {
        CZPMarkupInline* pInline = pPart->m_pInline;
        if (state.x == 0 && state.y > 0 && pInline->IsSpacePosition(pPart->m_nStart)) {
            while (pPart->m_nStart != pPart->m_nEnd && pInline->IsSpacePosition(pPart->m_nStart))
                pInline->GetNextPosition(pPart->m_nStart);
            if (pPart->m_nStart == pPart->m_nEnd) {
                delete pPart;
                continue;
            }
            MeasureWordPart(state, pPart);
        }
        if (state.nWrapping == wrapWrap && pPart->m_nStart != pPart->m_nEnd) {
            if (!pPart->m_bMeasured) {
                // Wider than a line, or the rest of a cut word: measured only as far as this line
                // reaches, so that a long word costs its length once rather than once per line.
                if (!MeasurePartWithin(state, pPart, nWidth - state.x)) {
                    CutPart(state, pPart);
                    continue;
                }
            }
            if (state.x + pPart->m_nWidth > nWidth) {
                CutPart(state, pPart);
                continue;
            }
        } else if (!pPart->m_bMeasured) {
            MeasurePart(state, pPart);
        }
        CLinePart* pLast = state.pLine->m_pLastPart;
        if (!state.bJustify && pLast != NULL && pLast->m_pInline == pInline && pLast->m_nEnd == pPart->m_nStart &&
            !pPart->m_bParagraphStart) {
            const int nOldWidth = pLast->m_nWidth;
            pLast->m_nEnd = pPart->m_nEnd;
            MeasurePart(state, pLast);
            state.x += pLast->m_nWidth - nOldWidth;
            delete pPart;
            continue;
        }
        state.Place(pPart);
    }
}

void CZPMarkupTextBlock::MeasureWordPart(CLayoutState& state, CLinePart* pPart)
{
    pPart->m_bMeasured = FALSE;
    if (state.nWrapping == wrapWrap && pPart->m_nStart != pPart->m_nEnd)
        MeasurePartWithin(state, pPart, state.nWidth);
    else
        MeasurePart(state, pPart);
}

BOOL CZPMarkupTextBlock::MeasurePartWithin(CLayoutState& state, CLinePart* pPart, long long nRoom)
{
    CZPMarkupInline* pInline = pPart->m_pInline;
    int nStep = std::max(kFirstProbe, std::min(state.nLastCutLength, kLargestProbe) + kProbeMargin);
    int p = pPart->m_nStart;
    for (;;) {
        for (int i = 0; i < nStep && p != pPart->m_nEnd && p != kZpMarkupNoPosition; i++)
            pInline->GetNextPosition(p);
        if (p == pPart->m_nEnd || p == kZpMarkupNoPosition)
            break;
        // Widths only grow with the range: a prefix that overflows settles it.
        if (pInline->MeasureInline(state.pContext, pPart->m_nStart, p).cx > nRoom)
            return FALSE;
        nStep = std::min(nStep * 2, kLargestProbe);
    }
    MeasurePart(state, pPart);
    return pPart->m_nWidth <= nRoom;
}

void CZPMarkupTextBlock::CutPart(CLayoutState& state, CLinePart* pPart)
{
    CZPMarkupInline* pInline = pPart->m_pInline;
    const int nFormerEnd = pPart->m_nEnd;
    const long long nRoom = static_cast<long long>(state.nWidth) - state.x;
    int nCut = pPart->m_nStart;
    pInline->GetNextPosition(nCut);
    int nLength = 1;
    // A one-position part stays whole.
    int p = nCut == nFormerEnd ? kZpMarkupNoPosition : nCut;
    if (p != kZpMarkupNoPosition)
        pInline->GetNextPosition(p);
    for (; p != kZpMarkupNoPosition && p != nFormerEnd; pInline->GetNextPosition(p)) {
        if (pInline->MeasureInline(state.pContext, pPart->m_nStart, p).cx > nRoom)
            break;
        nCut = p;
        nLength++;
    }
    state.nLastCutLength = nLength;
    pPart->m_nEnd = nCut;
    MeasurePart(state, pPart);
    state.Place(pPart);
    state.pLine->m_bWrapped = TRUE;
    FinishLine(state);
    // A part that stayed whole leaves nothing: an empty rest would only add a blank line below.
    if (nCut != nFormerEnd && nCut != kZpMarkupNoPosition) {
        CLinePart* pRest = new CLinePart(pInline, nCut, nFormerEnd);
        state.PushPendingFront(pRest);
    }
}

void CZPMarkupTextBlock::FinishLine(CLayoutState& state)
{
    CLine* pLine = state.pLine;
    if (pLine->m_pFirstPart == NULL)
        return;
    if (state.nTrimming != trimNone && state.x > state.nWidth)
        PlaceEllipsis(state);
    long long nWidth = 0;
    int nDescent = 0;
    for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
        nWidth += pPart->m_nWidth;
        nDescent = std::max(nDescent, pPart->m_nDescent);
    }
    int nHeight = 0;
    for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart)
        nHeight = std::max(nHeight,
                           ZpMarkupSaturate(static_cast<long long>(nDescent) + pPart->m_nHeight - pPart->m_nDescent));
    pLine->m_nWidth = ZpMarkupSaturate(nWidth);
    pLine->m_nDescent = nDescent;
    pLine->m_nHeight = nHeight;
    state.nLargestWidth = std::max(state.nLargestWidth, pLine->m_nWidth);
    state.x = 0;
    state.y += nHeight;
    if (m_pLastLine != NULL)
        m_pLastLine->m_pNextLine = pLine;
    else
        m_pFirstLine = pLine;
    m_pLastLine = pLine;
    state.pLine = new CLine;
}

void CZPMarkupTextBlock::PlaceEllipsis(CLayoutState& state)
{
    CZPMarkupRun* pRun = CreateOwnRun(kEllipsis);
    pRun->PrepareFont(state.pContext);
    int nEnd = pRun->GetFirstPosition();
    const int nStart = nEnd;
    for (int i = 0; i < kEllipsisLength; i++)
        pRun->GetNextPosition(nEnd);
    CLinePart* pEllipsis = new CLinePart(pRun, nStart, nEnd);
    pRun->Release();  // the part's reference keeps it
    MeasurePart(state, pEllipsis);
    const long long nLimit = static_cast<long long>(state.nWidth) - pEllipsis->m_nWidth;

    CLine* pLine = state.pLine;
    long long c = 0;
    CLinePart* pCut = pLine->m_pFirstPart;
    for (; pCut != NULL; pCut = pCut->m_pNextPart) {
        if (c + pCut->m_nWidth > nLimit)
            break;
        c += pCut->m_nWidth;
    }
    if (pCut != NULL) {
        CZPMarkupInline* pInline = pCut->m_pInline;
        // Before the cut part when it is not the first on the line.
        int nBreak = pCut->m_nStart;
        BOOL bBreak = c > 0;
        int nLastFit = pCut->m_nStart;
        for (int e = pCut->m_nStart; e != kZpMarkupNoPosition; pInline->GetNextPosition(e)) {
            if (c + pInline->MeasureInline(state.pContext, pCut->m_nStart, e).cx > nLimit)
                break;
            nLastFit = e;
            if (state.nTrimming == trimWordEllipsis && pInline->IsWhiteSpacePosition(e)) {
                nBreak = e;
                bBreak = TRUE;
            }
        }
        pCut->m_nEnd = state.nTrimming == trimWordEllipsis && bBreak ? nBreak : nLastFit;
        MeasurePart(state, pCut);
        c += pCut->m_nWidth;
        pLine->TruncateAfter(pCut);
    }
    pEllipsis->x = ZpMarkupSaturate(c);
    pEllipsis->y = ZpMarkupSaturate(state.y);
    pLine->AddPart(pEllipsis);
}

SIZE CZPMarkupTextBlock::ArrangeOverride(int nWidth, int nHeight)
{
    const CZPMarkupThickness* pPadding = GetPadding();
    const int nAlignment = ZpMarkupEnumValue(this, m_pTextAlignmentProperty, alignTextLeft);
    for (CLine* pLine = m_pFirstLine; pLine != NULL; pLine = pLine->m_pNextLine) {
        long long nFree = static_cast<long long>(nWidth) - pLine->m_nWidth - pPadding->m_nLeft - pPadding->m_nRight;
        long long nOffset = 0;
        if (nAlignment == alignTextRight)
            nOffset = nFree;
        else if (nAlignment == alignTextCenter)
            nOffset = nFree / 2;
        // Justify widens the gaps before the later words of a wrapped line: a part that goes on
        // a word across inlines (no white space before it) takes no share.
        int nGaps = -1;
        if (nAlignment == alignTextJustify && pLine->m_bWrapped &&
            static_cast<long long>(nWidth) - pLine->m_nWidth > 0 && pLine->m_pFirstPart != NULL) {
            nGaps = 0;
            BOOL bFirst = TRUE;
            for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
                if (!bFirst && OpensGap(pPart))
                    nGaps++;
                if (!pPart->m_bParagraphStart)
                    bFirst = FALSE;
            }
        }
        BOOL bFirst = TRUE;
        for (CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
            long long dx = pPadding->m_nLeft + nOffset;
            long long dy = static_cast<long long>(pLine->m_nHeight) - pPart->m_nHeight + pPadding->m_nTop;
            if (nGaps > 0 && nFree > 0 && !bFirst && OpensGap(pPart)) {
                const long long nShare = std::max<long long>(1, nFree / nGaps);
                dx += nShare;
                nOffset += nShare;
                nFree -= nShare;
                nGaps--;
            }
            if (!pPart->m_bParagraphStart)
                bFirst = FALSE;
            const long long h = pPart->m_nHeight, H = pLine->m_nHeight;
            const long long d = pPart->m_nDescent, D = pLine->m_nDescent;
            switch (pPart->m_pInline->GetBaselineAlignment()) {
            case 0:  // Top
            case 4:  // TextTop
                dy += h - H;
                break;
            case 1:  // Center
                dy += (h - H) / 2;
                break;
            case 3:  // Baseline
                dy += d - D;
                break;
            case 6:  // Subscript
                dy += d - D / 2;
                break;
            case 7:  // Superscript
                dy += D / 2 - d - H + h;
                break;
            default:  // Bottom, TextBottom and unknown values
                break;
            }
            pPart->dx = ZpMarkupSaturate(dx);
            pPart->dy = ZpMarkupSaturate(dy);
            pPart->m_pInline->ArrangeInline(PartRect(pPart), pPart->m_nStart, pPart->m_nEnd);
        }
    }
    return SIZE{ nWidth, nHeight };
}

void CZPMarkupTextBlock::OnRender(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupBrush* pBackground = ZpMarkupCast<CZPMarkupBrush>(GetValue(CZPMarkupTextElement::m_pBackgroundProperty));
    if (pBackground != NULL)
        pContext->FillRectangle(RECT{ 0, 0, m_szRender.cx, m_szRender.cy }, pBackground);
    CZPMarkupContext* pMarkupContext = GetMarkupContext();
    const COLORREF clrDefault = pMarkupContext != NULL ? pMarkupContext->GetDefaultTextColor() : RGB(0, 0, 0);
    CZPMarkupSolidColorBrush* pFallback = new CZPMarkupSolidColorBrush(clrDefault);
    CZPMarkupBrush* pSelected = NULL;
    const RECT& rcClip = pContext->GetClipBox();
    for (const CLine* pLine = m_pFirstLine; pLine != NULL; pLine = pLine->m_pNextLine) {
        for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
            const RECT rc = PartRect(pPart);
            RECT rcVisible;
            if (!::IntersectRect(&rcVisible, &rc, &rcClip))
                continue;
            CZPMarkupInline* pInline = pPart->m_pInline;
            CZPMarkupBrush* pPartBackground = pInline->GetBackground();
            if (pPartBackground != NULL && pPartBackground != pBackground)
                pContext->FillRectangle(rc, pPartBackground);
            CZPMarkupBrush* pForeground = pInline->GetForeground();
            if (pForeground == NULL)
                pForeground = pFallback;
            if (pForeground != pSelected) {
                pContext->SetTextColor(pForeground);
                pSelected = pForeground;
            }
            pInline->RenderInline(pContext, rc, pPart->m_nStart, pPart->m_nEnd);
            RenderDecorations(pContext, pLine, pPart, rc, pFallback);
        }
    }
    pContext->SetTextColor(NULL);
    pFallback->Release();
}

void CZPMarkupTextBlock::RenderDecorations(CZPMarkupDrawingContext* pContext, const CLine* pLine,
                                           const CLinePart* pPart, const RECT& rc, CZPMarkupBrush* pFallback)
{
    CZPMarkupInline* pInline = pPart->m_pInline;
    const int nDecorations = ZpMarkupEnumValue(pInline, CZPMarkupTextElement::m_pTextDecorationsProperty, 0);
    if (nDecorations == 0)
        return;
    const long long D = pLine->m_nDescent, H = pLine->m_nHeight, d = pPart->m_nDescent;
    const int T = std::max(1, pLine->m_nDescent / 3);
    long long nTop = 0;
    if (nDecorations == 1)
        nTop = rc.bottom - d + T;
    else if (nDecorations == 2)
        nTop = rc.bottom - d + D - (H - D) / 2;
    CZPMarkupObject* pSource = pInline->FindValueSource(CZPMarkupTextElement::m_pTextDecorationsProperty);
    if (pSource == NULL)
        return;
    CZPMarkupBrush* pBrush =
        ZpMarkupCast<CZPMarkupBrush>(pSource->GetValue(CZPMarkupTextElement::m_pForegroundProperty));
    const int nLineTop = ZpMarkupSaturate(nTop);
    pContext->FillRectangle(RECT{ rc.left, nLineTop, rc.right, ZpMarkupAddSaturated(nLineTop, T) },
                            pBrush != NULL ? pBrush : pFallback);
}

CZPMarkupInputElement* CZPMarkupTextBlock::InputHitTestCore(int x, int y)
{
    const POINT pt = { x, y };
    for (const CLine* pLine = m_pFirstLine; pLine != NULL; pLine = pLine->m_pNextLine) {
        for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
            const RECT rc = PartRect(pPart);
            if (::PtInRect(&rc, pt))
                return pPart->m_pInline->InputHitTest(x, y);
        }
    }
    return this;
}
