// Inline elements: fonts built from the context's default and the inherited text properties,
// fonts shared through the cache, the document-order walk, run positions and extents.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupTextBlock.h"
#include "markup/ZPMarkupTextElement.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace {
class MarkupText : public CMarkupContextTest
{
protected:
    void WarmUp() override { Parse(L"<Span><Bold>a</Bold><LineBreak/></Span>")->Release(); }
    CZPMarkupObject* Parse(const std::wstring& strPage)
    {
        const std::wstring strText = L"<TextBlock>" + strPage + L"</TextBlock>";
        CZPMarkupParser parser;
        parser.SetBuffer(strText.c_str(), strText.c_str() + strText.size());
        CZPMarkupBuilder builder(m_pContext);
        CZPMarkupObject* pRoot = builder.Parse(&parser);
        const std::wstring strError(builder.GetErrorMessage());
        EXPECT_TRUE(pRoot != NULL) << std::string(strPage.begin(), strPage.end()) << ": "
                                   << std::string(strError.begin(), strError.end());
        return pRoot;
    }
    // The text block's first inline, a span in these pages.
    static CZPMarkupSpan* RootSpan(CZPMarkupObject* pRoot)
    {
        CZPMarkupTextBlock* pBlock = ZpMarkupCast<CZPMarkupTextBlock>(pRoot);
        return pBlock != NULL && pBlock->GetInlines()->GetCount() > 0
                   ? ZpMarkupCast<CZPMarkupSpan>(pBlock->GetInlines()->GetAt(0))
                   : NULL;
    }
    // The first run of a span page.
    CZPMarkupRun* FirstRun(CZPMarkupObject* pRoot)
    {
        CZPMarkupSpan* pSpan = RootSpan(pRoot);
        return pSpan != NULL ? ZpMarkupCast<CZPMarkupRun>(pSpan->GetFirstInline()) : NULL;
    }
};

struct FontCase
{
    const wchar_t* lpszPage;
    LONG lHeight;  // 0: the default font's
    LONG lWeight;  // 0: the default font's
    BYTE bItalic;
    const wchar_t* lpszFace;  // NULL: the default font's
};

TEST_F(MarkupText, FontsStartFromTheDefaultAndTakeInheritedProperties)
{
    const std::wstring strLong(200, L'F');
    const std::wstring strCut(31, L'F');
    const std::wstring strLongPage = L"<Span FontFamily='" + strLong + L"'><Run Text='x'/></Span>";
    const FontCase cases[] = {
        { L"<Span><Run Text='x'/></Span>", 0, 0, 0, NULL },
        { L"<Span FontSize='20'><Run Text='x'/></Span>", -20, 0, 0, NULL },
        { L"<Span FontSize='12pt'><Run Text='x'/></Span>", -16, 0, 0, NULL },
        { L"<Span><Bold><Italic><Run Text='x'/></Italic></Bold></Span>", 0, 700, 1, NULL },
        { L"<Span FontWeight='Light' FontStyle='Italic'><Run Text='x' FontStyle='Normal'/></Span>", 0, 300, 0, NULL },
        { L"<Span FontFamily='Arial'><Bold FontWeight='Normal'>x</Bold></Span>", 0, 400, 0, L"Arial" },
        { strLongPage.c_str(), 0, 0, 0, strCut.c_str() },
        // Sizes are clamped: nothing, negative and huge sizes still give a usable font.
        { L"<Span FontSize='0'><Run Text='x'/></Span>", -1, 0, 0, NULL },
        { L"<Span FontSize='-30'><Run Text='x'/></Span>", -1, 0, 0, NULL },
        { L"<Span FontSize='100000'><Run Text='x'/></Span>", -kZpMarkupMaxFontSize, 0, 0, NULL },
    };
    const LOGFONTW& lfDefault = m_pContext->GetDefaultFont();
    for (const FontCase& c : cases) {
        SCOPED_TRACE(std::string(c.lpszPage, c.lpszPage + wcslen(c.lpszPage)));
        CRef<CZPMarkupObject> root(Parse(c.lpszPage));
        CZPMarkupRun* pRun = FirstRun(root);
        ASSERT_TRUE(pRun != NULL);
        LOGFONTW lf;
        pRun->GetLogFont(lf);
        EXPECT_EQ(c.lHeight != 0 ? c.lHeight : lfDefault.lfHeight, lf.lfHeight);
        EXPECT_EQ(c.lWeight != 0 ? c.lWeight : lfDefault.lfWeight, lf.lfWeight);
        EXPECT_EQ(c.bItalic, lf.lfItalic);
        EXPECT_EQ(std::wstring(c.lpszFace != NULL ? c.lpszFace : lfDefault.lfFaceName), std::wstring(lf.lfFaceName));
        EXPECT_EQ(lfDefault.lfCharSet, lf.lfCharSet);
    }
}

TEST_F(MarkupText, RunsWithTheSameFontShareTheCachedOne)
{
    CRef<CZPMarkupObject> root(Parse(L"<Span FontSize='19'><Run Text='a'/><Run Text='b'/><Bold>c</Bold></Span>"));
    CZPMarkupDrawingContext context;
    CZPMarkupRun* pFirst = FirstRun(root);
    ASSERT_TRUE(pFirst != NULL);
    CZPMarkupRun* pSecond = ZpMarkupCast<CZPMarkupRun>(pFirst->GetNextInline());
    CZPMarkupRun* pBold = ZpMarkupCast<CZPMarkupRun>(pSecond->GetNextInline());
    ASSERT_TRUE(pSecond != NULL && pBold != NULL);
    pFirst->PrepareFont(&context);
    pSecond->PrepareFont(&context);
    pBold->PrepareFont(&context);
    ASSERT_TRUE(pFirst->GetCachedFont() != NULL);
    EXPECT_EQ(pFirst->GetCachedFont(), pSecond->GetCachedFont());
    EXPECT_NE(pFirst->GetCachedFont(), pBold->GetCachedFont());
    // A changed property takes a new font on the next preparation.
    pSecond->SetFontWeight(FW_BOLD);
    pSecond->PrepareFont(&context);
    EXPECT_EQ(pBold->GetCachedFont(), pSecond->GetCachedFont());
    TEXTMETRICW tm = {};
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, pFirst->GetCachedFont()->GetFont());
    ::GetTextMetricsW(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    EXPECT_EQ(tm.tmDescent, pFirst->GetDescent());
}

TEST_F(MarkupText, TheWalkYieldsLeavesInDocumentOrder)
{
    CRef<CZPMarkupObject> root(Parse(
        L"<Span><Bold>a<Italic><Run Text='b'/><Span/></Italic></Bold><Underline><Span><Span>c</Span></Span></Underline>"
        L"<LineBreak/>d</Span>"));
    CZPMarkupSpan* pSpan = RootSpan(root);
    ASSERT_TRUE(pSpan != NULL);
    std::wstring strWalk;
    int nLeaves = 0;
    for (CZPMarkupInline* pInline = pSpan->GetFirstInline(); pInline != NULL && nLeaves < 100;
         pInline = pInline->GetNextInline(), nLeaves++) {
        CZPMarkupRun* pRun = ZpMarkupCast<CZPMarkupRun>(pInline);
        strWalk += pRun != NULL ? pRun->GetText() : L"[]";
    }
    EXPECT_EQ(L"ab[]c\nd", strWalk);
    // The walk ends at the text block, not at the outer span.
    CZPMarkupInline* pLast = pSpan->GetFirstInline();
    while (pLast->GetNextInline() != NULL)
        pLast = pLast->GetNextInline();
    EXPECT_STREQ(L"d", ZpMarkupCast<CZPMarkupRun>(pLast)->GetText());
}

TEST_F(MarkupText, DeeplyNestedSpansFindTheirFirstLeaf)
{
    CRef<CZPMarkupSpan> outer(new CZPMarkupSpan);
    CZPMarkupSpan* pSpan = outer;
    for (int i = 0; i < 100000; i++) {
        CZPMarkupSpan* pChild = new CZPMarkupSpan;
        pSpan->GetInlines()->Add(pChild);
        pSpan = pChild;
    }
    EXPECT_EQ(pSpan, outer->GetFirstInline());
    EXPECT_TRUE(pSpan->GetNextInline() == NULL);
}

TEST_F(MarkupText, RunPositionsClassifyCharactersAndMeasureLikeGdi)
{
    CRef<CZPMarkupObject> root(Parse(L"<Span FontFamily='Arial' FontSize='17'><Run Text='a b'/></Span>"));
    CZPMarkupRun* pRun = FirstRun(root);
    ASSERT_TRUE(pRun != NULL);
    pRun->SetText(L"a b\tc\nd");
    std::wstring strKinds;
    int nSteps = 0;
    for (int p = pRun->GetFirstPosition(); p != kZpMarkupNoPosition && nSteps < 100; pRun->GetNextPosition(p), nSteps++)
        strKinds += pRun->IsLineBreakPosition(p)    ? L'L'
                    : pRun->IsSpacePosition(p)      ? L'S'
                    : pRun->IsWhiteSpacePosition(p) ? L'W'
                                                    : L'.';
    // Seven characters and the end of the text.
    EXPECT_EQ(L".S.S.L..", strKinds);

    CZPMarkupDrawingContext context;
    pRun->PrepareFont(&context);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, pRun->GetCachedFont()->GetFont());
    SIZE szGdi = {}, szSpace = {};
    ::GetTextExtentPoint32W(hDC, L"a b", 3, &szGdi);
    ::GetTextExtentPoint32W(hDC, L" ", 1, &szSpace);
    const int p = pRun->GetFirstPosition();
    const SIZE sz = pRun->MeasureInline(&context, p, p + 3);
    EXPECT_EQ(szGdi.cx, sz.cx);
    EXPECT_EQ(szGdi.cy, sz.cy);
    const SIZE szEmpty = pRun->MeasureInline(&context, p, p);
    EXPECT_EQ(0, szEmpty.cx);
    EXPECT_EQ(szSpace.cy, szEmpty.cy);
    EXPECT_EQ(0, pRun->MeasureInline(&context, 0, p + 3).cx);
    EXPECT_EQ(0, pRun->MeasureInline(&context, p, kZpMarkupNoPosition).cy);
    int widths[3] = {};
    pRun->MeasurePrefixes(&context, p, p + 3, widths);
    EXPECT_EQ(szGdi.cx, widths[2]);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);

    // An empty run has no positions.
    pRun->SetText(L"");
    EXPECT_EQ(kZpMarkupNoPosition, pRun->GetFirstPosition());
}

TEST_F(MarkupText, ContentThatIsNoInlineIsRefused)
{
    for (const wchar_t* lpszPage : { L"<TextBlock><Span><SolidColorBrush Color='Red'/></Span></TextBlock>",
                                     L"<TextBlock><Run><Span/></Run></TextBlock>" }) {
        CZPMarkupObject* pRoot = m_pContext->Parse(lpszPage);
        EXPECT_TRUE(pRoot == NULL);
        if (pRoot != NULL)
            pRoot->Release();
    }
    CRef<CZPMarkupInlineCollection> orphan(new CZPMarkupInlineCollection);
    CRef<CZPMarkupRun> run(new CZPMarkupRun);
    CZPMarkupBuilderException* pError = NULL;
    try {
        orphan->SetContentObject(NULL, run);
    } catch (CZPMarkupBuilderException* e) {
        pError = e;
    }
    ASSERT_TRUE(pError != NULL);
    EXPECT_EQ(std::wstring(L"'CZPMarkupRun' object cannot be added to 'CZPMarkupInlineCollection'. Object cannot "
                           L"be converted to type 'CZPMarkupInline'"),
              std::wstring(pError->m_strMessage));
    pError->Delete();
}
}  // namespace
