// Inline UI containers: their two positions, the element measured, arranged, drawn and hit in
// the flow of text, elements among inlines wrapped in a container, and the refusal of content
// that is no element.
#include "markup_fixture_types.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupInlineUIContainer.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupTextBlock.h"

#include <string>

namespace {
class MarkupInlineContainer : public CMarkupContextTest
{
protected:
    void WarmUp() override
    {
        if (CZPMarkupObject* pWarm = m_pContext->Parse(L"<TextBlock>a<Border Background='Red'/></TextBlock>"))
            pWarm->Release();
    }
    // The root of the page, or NULL with the builder's message in m_strError.
    CZPMarkupObject* Build(const std::wstring& strPage)
    {
        CZPMarkupParser parser;
        parser.SetBuffer(strPage.c_str(), strPage.c_str() + strPage.size());
        CZPMarkupBuilder builder(m_pContext);
        CZPMarkupObject* pRoot = builder.Parse(&parser);
        m_strError = builder.GetErrorMessage().GetString();
        return pRoot;
    }
    // A container holding a red 50x20 border.
    CZPMarkupInlineUIContainer* MakeContainer()
    {
        CZPMarkupInlineUIContainer* pContainer = static_cast<CZPMarkupInlineUIContainer*>(
            m_pContext->CreateMarkupObject(CZPMarkupInlineUIContainer::GetClassType()));
        CZPMarkupObject* pBorder = m_pContext->Parse(L"<Border Width='50' Height='20' Background='Red'/>");
        pContainer->SetChild(ZpMarkupCast<CZPMarkupUIElement>(pBorder));
        return pContainer;
    }

    std::wstring m_strError;
};

TEST_F(MarkupInlineContainer, HasTwoPositionsOnlyWithAChild)
{
    CRef<CZPMarkupInlineUIContainer> empty(new CZPMarkupInlineUIContainer);
    EXPECT_EQ(kZpMarkupNoPosition, empty->GetFirstPosition());
    EXPECT_FALSE(empty->HasContentObject());
    CZPMarkupDrawingContext context;
    EXPECT_EQ(0, empty->MeasureInline(&context, 0, 1).cx);

    CRef<CZPMarkupInlineUIContainer> pContainer(MakeContainer());
    ASSERT_NE(nullptr, pContainer->GetChild());
    EXPECT_TRUE(pContainer->HasContentObject());
    EXPECT_EQ(0, pContainer->GetFirstPosition());
    const struct
    {
        int nPosition, nNext;
        BOOL bWhiteSpace;
    } cases[] = { { 0, 1, TRUE },
                  { 1, kZpMarkupNoPosition, TRUE },
                  { kZpMarkupNoPosition, kZpMarkupNoPosition, FALSE },
                  { 2, kZpMarkupNoPosition, FALSE } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPosition);
        int nPosition = c.nPosition;
        pContainer->GetNextPosition(nPosition);
        EXPECT_EQ(c.nNext, nPosition);
        EXPECT_EQ(c.bWhiteSpace, pContainer->IsWhiteSpacePosition(c.nPosition));
        EXPECT_FALSE(pContainer->IsLineBreakPosition(c.nPosition));
        EXPECT_FALSE(pContainer->IsSpacePosition(c.nPosition));
    }
    EXPECT_EQ(0, pContainer->GetDescent());
}

TEST_F(MarkupInlineContainer, MeasuresArrangesDrawsAndHitsItsElementAtTheFirstPosition)
{
    CRef<CZPMarkupInlineUIContainer> pContainer(MakeContainer());
    CZPMarkupUIElement* pChild = pContainer->GetChild();
    CZPMarkupDrawingContext measure;
    const SIZE szFirst = pContainer->MeasureInline(&measure, 0, 1);
    EXPECT_EQ(50, szFirst.cx);
    EXPECT_EQ(20, szFirst.cy);
    const SIZE szLater = pContainer->MeasureInline(&measure, 1, kZpMarkupNoPosition);
    EXPECT_EQ(0, szLater.cx);
    EXPECT_EQ(0, szLater.cy);

    // Only the first position places the element.
    pContainer->ArrangeInline(RECT{ 100, 100, 150, 120 }, 1, kZpMarkupNoPosition);
    EXPECT_EQ(0, pChild->GetRenderSize().cx);
    pContainer->ArrangeInline(RECT{ 10, 5, 60, 25 }, 0, 1);
    EXPECT_EQ(10, pChild->GetVisualOffset().x);
    EXPECT_EQ(5, pChild->GetVisualOffset().y);
    EXPECT_EQ(50, pChild->GetRenderSize().cx);
    EXPECT_EQ(20, pChild->GetRenderSize().cy);

    CDibSection dib(80, 40, RGB(255, 255, 255));
    {
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        pContainer->RenderInline(&context, RECT{ 10, 5, 60, 25 }, 1, kZpMarkupNoPosition);
        EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(30, 15));
        pContainer->RenderInline(&context, RECT{ 10, 5, 60, 25 }, 0, 1);
    }
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(10, 5));
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(59, 24));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(60, 15));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(9, 15));

    // The element when it is hit, else the container itself.
    EXPECT_EQ(pChild, pContainer->InputHitTest(12, 7));
    EXPECT_EQ(pContainer, pContainer->InputHitTest(70, 30));
}

TEST_F(MarkupInlineContainer, ElementsAreMeasuredWithinTheLineRoom)
{
    CZPMarkupInlineUIContainer* pContainer = static_cast<CZPMarkupInlineUIContainer*>(
        m_pContext->CreateMarkupObject(CZPMarkupInlineUIContainer::GetClassType()));
    CRef<CZPMarkupInlineUIContainer> hold(pContainer);
    pContainer->SetChild(ZpMarkupCast<CZPMarkupUIElement>(
        m_pContext->Parse(L"<Border MinWidth='40000' MinHeight='40000' Background='Red'/>")));
    CZPMarkupDrawingContext measure;
    const SIZE sz = pContainer->MeasureInline(&measure, 0, 1);
    EXPECT_EQ(32000, sz.cx);
    EXPECT_EQ(32000, sz.cy);
}

TEST_F(MarkupInlineContainer, ElementsAmongInlinesAreWrappedAndOthersRefused)
{
    CZPMarkupObject* pRoot =
        Build(L"<TextBlock>a<Border Width='5' Height='5'/>b<InlineUIContainer><Border/></InlineUIContainer>"
              L"<Span><Border/></Span></TextBlock>");
    ASSERT_NE(nullptr, pRoot) << std::string(m_strError.begin(), m_strError.end());
    CRef<CZPMarkupObject> hold(pRoot);
    CZPMarkupInlineCollection* pInlines = static_cast<CZPMarkupTextBlock*>(pRoot)->GetInlines();
    ASSERT_EQ(5, pInlines->GetCount());
    const CZPMarkupType* types[] = { CZPMarkupRun::GetClassType(), CZPMarkupInlineUIContainer::GetClassType(),
                                     CZPMarkupRun::GetClassType(), CZPMarkupInlineUIContainer::GetClassType(),
                                     CZPMarkupSpan::GetClassType() };
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(types[i], pInlines->GetAt(i)->GetType()) << i;
        EXPECT_EQ(i, static_cast<CZPMarkupInline*>(pInlines->GetAt(i))->m_nIndex);
    }
    CZPMarkupInlineUIContainer* pWrapped = static_cast<CZPMarkupInlineUIContainer*>(pInlines->GetAt(1));
    ASSERT_NE(nullptr, ZpMarkupCast<CZPMarkupBorder>(pWrapped->GetChild()));
    EXPECT_EQ(pWrapped, pWrapped->GetChild()->GetLogicalParent());
    EXPECT_EQ(pRoot, pWrapped->GetChild()->GetVisualParent());
    EXPECT_EQ(m_pContext, pWrapped->GetMarkupContext());
    // Inside a span too; the walk reaches the container as a leaf.
    CZPMarkupSpan* pSpan = static_cast<CZPMarkupSpan*>(pInlines->GetAt(4));
    EXPECT_EQ(CZPMarkupInlineUIContainer::GetClassType(), pSpan->GetFirstInline()->GetType());
    EXPECT_EQ(pSpan->GetFirstInline(), static_cast<CZPMarkupInline*>(pInlines->GetAt(3))->GetNextInline());

    const struct
    {
        const wchar_t* lpszPage;
        const wchar_t* lpszError;
    } refused[] = {
        { L"<TextBlock><InlineUIContainer><SolidColorBrush/></InlineUIContainer></TextBlock>",
          L"'CZPMarkupSolidColorBrush' object cannot be added to 'CZPMarkupInlineUIContainer'. Object cannot be "
          L"converted to type 'CZPMarkupUIElement'" },
        { L"<TextBlock><InlineUIContainer>text</InlineUIContainer></TextBlock>",
          L"'CZPMarkupString' object cannot be added to 'CZPMarkupInlineUIContainer'. Object cannot be converted to "
          L"type 'CZPMarkupUIElement'" },
        { L"<TextBlock><SolidColorBrush/></TextBlock>",
          L"'CZPMarkupSolidColorBrush' object cannot be added to 'CZPMarkupInlineCollection'. Object cannot be "
          L"converted to type 'CZPMarkupInline'" },
    };
    for (const auto& c : refused) {
        CZPMarkupObject* pRefused = Build(c.lpszPage);
        EXPECT_EQ(nullptr, pRefused);
        if (pRefused != NULL)
            pRefused->Release();
        EXPECT_EQ(0u, m_strError.find(c.lpszError)) << std::string(m_strError.begin(), m_strError.end());
    }
}

TEST_F(MarkupInlineContainer, ANewChildLetsTheOldOneGo)
{
    CRef<CZPMarkupInlineUIContainer> pContainer(MakeContainer());
    CZPMarkupUIElement* pOld = pContainer->GetChild();
    pOld->AddRef();
    CZPMarkupObject* pNew = m_pContext->Parse(L"<Border/>");
    pContainer->SetContentObject(NULL, pNew);
    EXPECT_EQ(pNew, pContainer->GetChild());
    EXPECT_EQ(nullptr, pOld->GetLogicalParent());
    EXPECT_EQ(1, pOld->GetRefCount());
    pOld->Release();
}

TEST_F(MarkupInlineContainer, ATextBlockPlacesTheElementBetweenItsWords)
{
    for (const wchar_t* lpszWrapping : { L"NoWrap", L"Wrap" }) {
        SCOPED_TRACE(lpszWrapping);
        CZPMarkupObject* pRoot =
            Build(std::wstring(L"<TextBlock FontFamily='Tahoma' FontSize='16' TextWrapping='") + lpszWrapping +
                  L"'>ab<Border Width='7' Height='5' Background='Red'/>cd</TextBlock>");
        ASSERT_NE(nullptr, pRoot) << std::string(m_strError.begin(), m_strError.end());
        CRef<CZPMarkupObject> hold(pRoot);
        CZPMarkupTextBlock* pBlock = static_cast<CZPMarkupTextBlock*>(pRoot);
        CZPMarkupDrawingContext measure;
        pBlock->Measure(&measure, 200, 100);
        pBlock->Arrange(RECT{ 0, 0, 200, 100 });
        ASSERT_EQ(3, pBlock->GetInlines()->GetCount());
        CZPMarkupRun* pRun = static_cast<CZPMarkupRun*>(pBlock->GetInlines()->GetAt(0));
        CZPMarkupUIElement* pBorder =
            static_cast<CZPMarkupInlineUIContainer*>(pBlock->GetInlines()->GetAt(1))->GetChild();
        ASSERT_NE(nullptr, pRun->GetCachedFont());

        // Widths from GDI for the runs' font.
        HDC hDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hDC, pRun->GetCachedFont()->GetFont());
        SIZE szAb = {}, szCd = {};
        ::GetTextExtentPoint32W(hDC, L"ab", 2, &szAb);
        ::GetTextExtentPoint32W(hDC, L"cd", 2, &szCd);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
        EXPECT_EQ(szAb.cx + 7 + szCd.cx, pBlock->GetDesiredSize().cx);
        EXPECT_EQ(szAb.cx, pBorder->GetVisualOffset().x);
        EXPECT_EQ(7, pBorder->GetRenderSize().cx);
        EXPECT_EQ(5, pBorder->GetRenderSize().cy);

        const POINT pt = { pBorder->GetVisualOffset().x + 3, pBorder->GetVisualOffset().y + 2 };
        EXPECT_EQ(pBorder, pBlock->InputHitTest(pt.x, pt.y));
        CDibSection dib(200, 100, RGB(255, 255, 255));
        {
            CZPMarkupDrawingContext context(dib.GetDC(), NULL);
            pBlock->Render(&context);
        }
        EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(pt.x, pt.y));
    }
}
}  // namespace
