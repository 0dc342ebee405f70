// Inline elements: text properties that inherit down the tree, runs that measure and draw their
// characters in a font shared through the context's cache, spans, line breaks, and the
// collection through which markup content becomes inlines.
#include "markup/ZPMarkupTextElement.h"

#include "common/ZPSystemHelpers.h"
#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupInlineUIContainer.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>
#include <vector>

namespace {
const int kFaceNameLength = LF_FACESIZE - 1;
// Characters measured beyond the asked range when a range from a known start grows.
const int kPrefixSlack = 64;

int IntValue(const CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, BOOL& bSet)
{
    CZPMarkupObject* pValue = pObject->GetValue(pProperty);
    bSet = TRUE;
    if (const CZPMarkupInt* pInt = ZpMarkupCast<CZPMarkupInt>(pValue))
        return pInt->m_nValue;
    if (const CZPMarkupEnum* pEnum = ZpMarkupCast<CZPMarkupEnum>(pValue))
        return pEnum->m_nValue;
    bSet = FALSE;
    return 0;
}

// A new inline bound to the parent's context (unbound when the parent has none).
template <class T> T* CreateInline(CZPMarkupInputElement* pParent)
{
    CZPMarkupContext* pContext = pParent->GetMarkupContext();
    return pContext != NULL ? static_cast<T*>(pContext->CreateMarkupObject(T::GetClassType())) : new T;
}

[[noreturn]] void ThrowNotInline(CZPMarkupObject* pContent, CZPMarkupObject* pTarget)
{
    ZpMarkupThrowBuilderError(
        ZpFormatString2(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CZPMarkupInline'",
                        pContent->GetType()->GetClassName(), pTarget->GetType()->GetClassName()));
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CZPMarkupTextElement

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupTextElement, L"TextElement", CZPMarkupFrameworkContentElement,
                        &CZPMarkupTextElement::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pBackgroundProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pForegroundProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pFontSizeProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pFontWeightProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pFontFamilyProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pFontStyleProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pTextDecorationsProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupTextElement::m_pFontQualityProperty = NULL;

void CZPMarkupTextElement::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    auto attached = [pType](LPCWSTR lpszName, CZPMarkupType* pValueType, PFNZPMARKUPCONVERTER pfnConverter,
                            DWORD dwFlags) {
        return CZPMarkupDependencyProperty::RegisterAttached(
            lpszName, pValueType, pType,
            new CZPMarkupPropertyMetadata(NULL, pfnConverter, dwFlags | kZpMarkupInherits));
    };
    CZPMarkupType* pBrush = CZPMarkupBrush::GetClassType();
    CZPMarkupType* pEnum = CZPMarkupEnum::GetClassType();
    m_pBackgroundProperty = attached(L"Background", pBrush, NULL, kZpMarkupAffectsRender);
    m_pForegroundProperty = attached(L"Foreground", pBrush, NULL, kZpMarkupAffectsRender);
    m_pFontSizeProperty =
        attached(L"FontSize", CZPMarkupInt::GetClassType(), &ZpMarkupConvertLength, kZpMarkupAffectsMeasure);
    m_pFontWeightProperty = attached(L"FontWeight", pEnum, &ZpMarkupConvertFontWeight, kZpMarkupAffectsMeasure);
    m_pFontFamilyProperty = attached(L"FontFamily", CZPMarkupString::GetClassType(), NULL, kZpMarkupAffectsMeasure);
    m_pFontStyleProperty = attached(L"FontStyle", pEnum, &ZpMarkupConvertFontStyle, kZpMarkupAffectsMeasure);
    m_pTextDecorationsProperty =
        attached(L"TextDecorations", pEnum, &ZpMarkupConvertTextDecorations, kZpMarkupAffectsRender);
    m_pFontQualityProperty = attached(L"FontQuality", pEnum, &ZpMarkupConvertFontQuality, kZpMarkupAffectsRender);
}

CZPMarkupBrush* CZPMarkupTextElement::GetBackground() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CZPMarkupBrush* CZPMarkupTextElement::GetForeground() const
{
    return ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pForegroundProperty));
}

void CZPMarkupTextElement::SetFontWeight(int nWeight)
{
    SetValue(m_pFontWeightProperty, CZPMarkupEnum::CreateValue(nWeight));
}

void CZPMarkupTextElement::SetFontStyle(int nStyle)
{
    SetValue(m_pFontStyleProperty, CZPMarkupEnum::CreateValue(nStyle));
}

void CZPMarkupTextElement::SetTextDecorations(int nDecorations)
{
    SetValue(m_pTextDecorationsProperty, CZPMarkupEnum::CreateValue(nDecorations));
}

void CZPMarkupTextElement::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                             CZPMarkupObject* pNewValue)
{
    CZPMarkupFrameworkContentElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    CZPMarkupFrameworkElement* pHolder = GetParentFrameworkElement();
    if (pHolder == NULL)
        return;
    const DWORD dwFlags = pProperty->GetFlags();
    if (dwFlags & kZpMarkupAffectsMeasure)
        pHolder->InvalidateMeasure();
    if (dwFlags & kZpMarkupAffectsArrange)
        pHolder->InvalidateArrange();
    if (dwFlags & kZpMarkupAffectsRender)
        pHolder->InvalidateVisual();
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupInline

ZP_IMPLEMENT_MARKUPTYPE_EX(CZPMarkupInline, NULL, CZPMarkupTextElement, NULL, &CZPMarkupInline::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupInline::m_pBaselineAlignmentProperty = NULL;

void CZPMarkupInline::RegisterProperties()
{
    m_pBaselineAlignmentProperty = CZPMarkupDependencyProperty::Register(
        L"BaselineAlignment", CZPMarkupEnum::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertBaselineAlignment, kZpMarkupAffectsArrange));
}

CZPMarkupInline* CZPMarkupInline::GetFirstInline()
{
    return this;
}

int CZPMarkupInline::GetFirstPosition() const
{
    return kZpMarkupNoPosition;
}

void CZPMarkupInline::GetNextPosition(int& nPosition) const
{
    nPosition = 0;
}

BOOL CZPMarkupInline::IsWhiteSpacePosition(int /*nPosition*/) const
{
    return FALSE;
}

BOOL CZPMarkupInline::IsLineBreakPosition(int /*nPosition*/) const
{
    return FALSE;
}

BOOL CZPMarkupInline::IsSpacePosition(int /*nPosition*/) const
{
    return FALSE;
}

void CZPMarkupInline::ArrangeInline(const RECT& /*rc*/, int /*nStart*/, int /*nEnd*/) {}

SIZE CZPMarkupInline::MeasureInline(CZPMarkupDrawingContext* /*pContext*/, int /*nStart*/, int /*nEnd*/)
{
    return SIZE{ 0, 0 };
}

void CZPMarkupInline::RenderInline(CZPMarkupDrawingContext* /*pContext*/, const RECT& /*rc*/, int /*nStart*/,
                                   int /*nEnd*/)
{}

void CZPMarkupInline::PrepareFont(CZPMarkupDrawingContext* /*pContext*/) {}

int CZPMarkupInline::GetDescent() const
{
    return 0;
}

int CZPMarkupInline::GetBaselineAlignment() const
{
    BOOL bSet = FALSE;
    const int nValue = IntValue(this, m_pBaselineAlignmentProperty, bSet);
    return bSet ? nValue : 3;
}

CZPMarkupInline* CZPMarkupInline::GetNextInline()
{
    CZPMarkupInline* pInline = this;
    for (;;) {
        CZPMarkupInlineCollection* pCollection = ZpMarkupCast<CZPMarkupInlineCollection>(pInline->GetLogicalParent());
        if (pCollection == NULL)
            return NULL;
        int nIndex = pInline->m_nIndex;
        // Indexes go stale when items are inserted or removed before this one.
        if (nIndex < 0 || nIndex >= pCollection->GetCount() || pCollection->GetAt(nIndex) != pInline) {
            nIndex = -1;
            for (int i = 0; i < pCollection->GetCount(); i++) {
                if (pCollection->GetAt(i) == pInline)
                    nIndex = i;
            }
            if (nIndex < 0)
                return NULL;
        }
        if (nIndex + 1 < pCollection->GetCount())
            return static_cast<CZPMarkupInline*>(pCollection->GetAt(nIndex + 1))->GetFirstInline();
        CZPMarkupSpan* pSpan = ZpMarkupCast<CZPMarkupSpan>(pCollection->GetLogicalParent());
        if (pSpan == NULL)
            return NULL;
        pInline = pSpan;
    }
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupRun

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupRun, L"Run", CZPMarkupInline, &CZPMarkupRun::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupRun::m_pTextProperty = NULL;

void CZPMarkupRun::RegisterProperties()
{
    m_pTextProperty =
        CZPMarkupDependencyProperty::Register(L"Text", CZPMarkupString::GetClassType(), GetClassType(),
                                              new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
}

CZPMarkupRun::CZPMarkupRun()
    : m_pFont(NULL), m_nDescent(0), m_pTextValue(NULL), m_bTextValueKnown(FALSE), m_nLastPrefixWidths(0)
{}

CZPMarkupRun::~CZPMarkupRun()
{
    if (m_pFont != NULL)
        m_pFont->Release();
}

const CZPMarkupString* CZPMarkupRun::GetTextValue() const
{
    if (!m_bTextValueKnown) {
        m_pTextValue = ZpMarkupCast<CZPMarkupString>(GetValue(m_pTextProperty));
        m_bTextValueKnown = TRUE;
    }
    return m_pTextValue;
}

LPCWSTR CZPMarkupRun::GetText() const
{
    const CZPMarkupString* pText = GetTextValue();
    return pText != NULL ? pText->GetText() : NULL;
}

int CZPMarkupRun::GetTextLength() const
{
    const CZPMarkupString* pText = GetTextValue();
    return pText != NULL && pText->GetText() != NULL ? pText->GetLength() : 0;
}

void CZPMarkupRun::SetText(LPCWSTR lpszText)
{
    SetValue(m_pTextProperty, new CZPMarkupString(lpszText));
}

void CZPMarkupRun::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                     CZPMarkupObject* pNewValue)
{
    if (pProperty == m_pTextProperty) {
        m_bTextValueKnown = FALSE;
        ClearPrefixWidths();
    }
    CZPMarkupInline::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

void CZPMarkupRun::ClearPrefixWidths()
{
    for (CPrefixWidths& entry : m_prefixWidths) {
        entry.nStart = 0;
        std::vector<int>().swap(entry.widths);
    }
}

// Positions are character indexes plus one, so that 0 keeps meaning "no position"; the
// terminating NUL (length + 1) is the last position.
int CZPMarkupRun::GetFirstPosition() const
{
    return GetTextLength() > 0 ? 1 : kZpMarkupNoPosition;
}

void CZPMarkupRun::GetNextPosition(int& nPosition) const
{
    if (nPosition == kZpMarkupNoPosition)
        return;
    if (nPosition > GetTextLength())
        nPosition = kZpMarkupNoPosition;
    else
        nPosition++;
}

WCHAR CZPMarkupRun::CharAt(int nPosition) const
{
    return nPosition >= 1 && nPosition <= GetTextLength() ? GetText()[nPosition - 1] : L'\0';
}

BOOL CZPMarkupRun::IsWhiteSpacePosition(int nPosition) const
{
    const WCHAR ch = CharAt(nPosition);
    return ch == L'\t' || ch == L'\n' || ch == L' ';
}

BOOL CZPMarkupRun::IsLineBreakPosition(int nPosition) const
{
    return CharAt(nPosition) == L'\n';
}

BOOL CZPMarkupRun::IsSpacePosition(int nPosition) const
{
    const WCHAR ch = CharAt(nPosition);
    return ch == L' ' || ch == L'\t';
}

void CZPMarkupRun::GetLogFont(LOGFONTW& lf) const
{
    CZPMarkupInputElement* pElement = const_cast<CZPMarkupRun*>(this);
    CZPMarkupContext* pContext = pElement->GetMarkupContext();
    if (pContext != NULL)
        lf = pContext->GetDefaultFont();
    else
        lf = LOGFONTW{};
    BOOL bSet = FALSE;
    const int nSize = IntValue(this, m_pFontSizeProperty, bSet);
    if (bSet)
        lf.lfHeight = -std::min(std::max(nSize, kZpMarkupMinFontSize), kZpMarkupMaxFontSize);
    const int nWeight = IntValue(this, m_pFontWeightProperty, bSet);
    if (bSet)
        lf.lfWeight = nWeight;
    const int nStyle = IntValue(this, m_pFontStyleProperty, bSet);
    if (bSet)
        lf.lfItalic = nStyle != 0 ? 1 : 0;
    const int nQuality = IntValue(this, m_pFontQualityProperty, bSet);
    if (bSet && ZpOsVersionInstance().IsVersionXPOrLater())
        lf.lfQuality = static_cast<BYTE>(nQuality);
    if (const CZPMarkupString* pFamily = ZpMarkupCast<CZPMarkupString>(GetValue(m_pFontFamilyProperty))) {
        const int nLength = pFamily->GetText() != NULL ? std::min(pFamily->GetLength(), kFaceNameLength) : 0;
        std::copy(pFamily->GetText(), pFamily->GetText() + nLength, lf.lfFaceName);
        lf.lfFaceName[nLength] = L'\0';
    }
}

void CZPMarkupRun::PrepareFont(CZPMarkupDrawingContext* pContext)
{
    CZPMarkupContext* pMarkupContext = GetMarkupContext();
    if (pMarkupContext == NULL)
        return;
    LOGFONTW lf;
    GetLogFont(lf);
    if (m_pFont == NULL || memcmp(&m_pFont->GetLogFont(), &lf, sizeof(lf)) != 0) {
        CZPMarkupFont* pFont = pMarkupContext->GetFont(lf);
        if (m_pFont != NULL)
            m_pFont->Release();
        m_pFont = pFont;
    }
    // A new layout may measure on another device.
    ClearPrefixWidths();
    pContext->SetFont(m_pFont);
    HDC hDC = pContext->GetDC();
    TEXTMETRICW tm = {};
    if (hDC != NULL && ::GetTextMetricsW(hDC, &tm))
        m_nDescent = tm.tmDescent;
    pContext->ReleaseDC(hDC);
}

BOOL CZPMarkupRun::ClampRange(int& nStart, int& nEnd) const
{
    const int nLast = GetTextLength() + 1;
    if (nStart <= 0 || nEnd <= 0)
        return FALSE;
    nStart = std::min(nStart, nLast);
    nEnd = std::max(nStart, std::min(nEnd, nLast));
    return TRUE;
}

SIZE CZPMarkupRun::MeasureInline(CZPMarkupDrawingContext* pContext, int nStart, int nEnd)
{
    if (!ClampRange(nStart, nEnd))
        return SIZE{ 0, 0 };
    if (m_pFont != NULL)
        pContext->SetFont(m_pFont);
    if (nStart == nEnd) {
        const SIZE sz = pContext->GetTextExtent(L" ", 1);
        return SIZE{ 0, sz.cy };
    }
    const int nCount = nEnd - nStart;
    int nEntry = -1;
    for (int i = 0; i < 2; i++) {
        if (m_prefixWidths[i].nStart == nStart)
            nEntry = i;
    }
    int nMeasure = nCount;
    if (nEntry >= 0) {
        const int nKnown = static_cast<int>(m_prefixWidths[nEntry].widths.size());
        if (nCount <= nKnown) {
            m_nLastPrefixWidths = nEntry;
            return SIZE{ m_prefixWidths[nEntry].widths[nCount - 1], m_prefixWidths[nEntry].nHeight };
        }
        // Growing from the same start (a line's parts merging): at least double, so that a line
        // measured part by part costs about twice its length in all and few calls.
        const int nAvailable = GetTextLength() + 1 - nStart;
        nMeasure =
            static_cast<int>(std::min<long long>(nAvailable, std::max<long long>(nCount + kPrefixSlack, 2LL * nKnown)));
    } else {
        nEntry = 1 - m_nLastPrefixWidths;
    }
    CPrefixWidths& entry = m_prefixWidths[nEntry];
    entry.nStart = nStart;
    entry.widths.resize(nMeasure);
    entry.nHeight = pContext->GetTextPrefixWidths(GetText() + nStart - 1, nMeasure, entry.widths.data()).cy;
    m_nLastPrefixWidths = nEntry;
    return SIZE{ entry.widths[nCount - 1], entry.nHeight };
}

int CZPMarkupRun::MeasurePrefixes(CZPMarkupDrawingContext* pContext, int nStart, int nEnd, int* pWidths)
{
    if (!ClampRange(nStart, nEnd))
        return 0;
    if (m_pFont != NULL)
        pContext->SetFont(m_pFont);
    if (nEnd == nStart)
        return 0;
    return pContext->GetTextPrefixWidths(GetText() + nStart - 1, nEnd - nStart, pWidths).cy;
}

void CZPMarkupRun::RenderInline(CZPMarkupDrawingContext* pContext, const RECT& rc, int nStart, int nEnd)
{
    if (!ClampRange(nStart, nEnd) || nStart == nEnd)
        return;
    if (m_pFont != NULL)
        pContext->SetFont(m_pFont);
    pContext->DrawTextLine(GetText() + nStart - 1, nEnd - nStart, rc);
}

void CZPMarkupRun::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    if (ZpMarkupCast<CZPMarkupString>(pContent) == NULL) {
        CZPMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    SetValue(m_pTextProperty, pContent);
}

BOOL CZPMarkupRun::HasContentObject() const
{
    return GetValue(m_pTextProperty) != NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupLineBreak

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupLineBreak, L"LineBreak", CZPMarkupRun, &CZPMarkupLineBreak::RegisterProperties)

CZPMarkupLineBreak::CZPMarkupLineBreak()
{
    SetText(L"\n");
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupInlineCollection

ZP_IMPLEMENT_MARKUPTYPE_EX(CZPMarkupInlineCollection, NULL, CZPMarkupCollection, NULL,
                           &CZPMarkupInlineCollection::RegisterProperties)

CZPMarkupInlineCollection::CZPMarkupInlineCollection() : CZPMarkupCollection(CZPMarkupInline::GetClassType()) {}

void CZPMarkupInlineCollection::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    CZPMarkupInputElement* pParent = ZpMarkupCast<CZPMarkupInputElement>(GetLogicalParent());
    if (pParent == NULL || pContent == NULL)
        ThrowNotInline(pContent != NULL ? pContent : this, this);
    if (ZpMarkupCast<CZPMarkupString>(pContent) != NULL) {
        CZPMarkupRun* pRun = CreateInline<CZPMarkupRun>(pParent);
        pRun->SetValue(CZPMarkupRun::m_pTextProperty, pContent);
        Add(pRun);
        return;
    }
    if (ZpMarkupCast<CZPMarkupInline>(pContent) != NULL) {
        Add(pContent);
        return;
    }
    if (CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pContent)) {
        CZPMarkupInlineUIContainer* pContainer = CreateInline<CZPMarkupInlineUIContainer>(pParent);
        pContainer->SetChild(pElement);
        Add(pContainer);
        return;
    }
    ThrowNotInline(pContent, this);
}

void CZPMarkupInlineCollection::OnItemAdded(CZPMarkupObject* pItem, int nIndex)
{
    if (CZPMarkupInline* pInline = ZpMarkupCast<CZPMarkupInline>(pItem))
        pInline->m_nIndex = nIndex;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupSpan and its kinds

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupSpan, L"Span", CZPMarkupInline, &CZPMarkupSpan::RegisterProperties)

CZPMarkupSpan::CZPMarkupSpan() : m_pInlines(new CZPMarkupInlineCollection)
{
    m_pInlines->SetLogicalParent(this);
}

CZPMarkupSpan::~CZPMarkupSpan()
{
    // Deeply nested spans would release each other recursively: inner collections are queued
    // and released by the outermost span's destructor, one after the other.
    static std::vector<CZPMarkupInlineCollection*> s_pending;
    static bool s_bReleasing = false;
    s_pending.push_back(m_pInlines);
    if (s_bReleasing)
        return;
    s_bReleasing = true;
    while (!s_pending.empty()) {
        CZPMarkupInlineCollection* pInlines = s_pending.back();
        s_pending.pop_back();
        pInlines->Release();
    }
    s_bReleasing = false;
}

CZPMarkupInline* CZPMarkupSpan::GetFirstInline()
{
    // Iterative: spans may nest very deeply.
    CZPMarkupInline* pInline = this;
    for (;;) {
        CZPMarkupSpan* pSpan = ZpMarkupCast<CZPMarkupSpan>(pInline);
        if (pSpan == NULL)
            return pInline->GetFirstInline();
        if (pSpan->m_pInlines->GetCount() == 0)
            return pSpan;
        pInline = static_cast<CZPMarkupInline*>(pSpan->m_pInlines->GetAt(0));
    }
}

CZPMarkupObject* CZPMarkupSpan::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : NULL;
}

void CZPMarkupSpan::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CZPMarkupSpan::HasContentObject() const
{
    return m_pInlines->GetCount() > 0;
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupBold, L"Bold", CZPMarkupSpan, &CZPMarkupBold::RegisterProperties)

CZPMarkupBold::CZPMarkupBold()
{
    SetFontWeight(FW_BOLD);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupItalic, L"Italic", CZPMarkupSpan, &CZPMarkupItalic::RegisterProperties)

CZPMarkupItalic::CZPMarkupItalic()
{
    SetFontStyle(1);
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupUnderline, L"Underline", CZPMarkupSpan, &CZPMarkupUnderline::RegisterProperties)

CZPMarkupUnderline::CZPMarkupUnderline()
{
    SetTextDecorations(1);
}
