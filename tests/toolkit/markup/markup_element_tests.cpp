// Single-child holders and panels: layout results, border pixels read back from DIB sections,
// hit testing with and without a background, and the content errors of built pages.
#include "markup_drawing_fixture.h"
#include "markup_layout_fixture.h"
#include "markup_page_fixtures.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupButton.h"
#include "markup/ZPMarkupControl.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupPanel.h"
#include "markup/ZPMarkupTextBlock.h"

#include <memory>

namespace {
class MarkupElements : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        CZPMarkupBorder::GetClassType();
        CZPMarkupPanel::GetClassType();
        (new CZPMarkupBorder)->Release();
        (new CZPMarkupPanel)->Release();
        (new CZPMarkupContentControl)->Release();
        CMarkupLeakCheck::SetUp();
    }
};

CZPMarkupBorder* MakeBorder(int nThickness, int nPadding, CZPMarkupUIElement* pChild = NULL)
{
    CZPMarkupBorder* pBorder = new CZPMarkupBorder;
    pBorder->SetValue(CZPMarkupBorder::m_pBorderThicknessProperty, new CZPMarkupThickness(nThickness));
    pBorder->SetValue(CZPMarkupBorder::m_pPaddingProperty, new CZPMarkupThickness(nPadding));
    if (pChild != NULL)
        pBorder->SetChild(pChild);
    return pBorder;
}

void Layout(CZPMarkupUIElement* pElement, int cx, int cy)
{
    CZPMarkupDrawingContext context;
    pElement->Measure(&context, cx, cy);
    pElement->Arrange(RECT{ 0, 0, cx, cy });
}

struct BorderCase
{
    const char* pszName;
    int nThickness, nPadding;
    SIZE szChild;
    SIZE szAvailable;  // also the arranged size
    SIZE szDesired;
    RECT rcChild;  // the slot the child is arranged in
};

// clang-format off
const BorderCase g_borderCases[] = {
    {"thickness 2 padding 3 around 50 by 20", 2, 3, {50, 20}, {60, 30}, {60, 30}, {5, 5, 55, 25}},
    {"more room stretches the child", 2, 3, {50, 20}, {100, 50}, {60, 30}, {5, 5, 95, 45}},
    {"narrower than the widths", 2, 0, {10, 10}, {3, 3}, {3, 3}, {2, 2, 2, 2}},
    {"no child reports the widths", 4, 1, {-1, -1}, {100, 100}, {10, 10}, {}},
    {"padding larger than the box", 0, 40, {10, 10}, {30, 30}, {30, 30}, {40, 40, 40, 40}},
};
// clang-format on

TEST_F(MarkupElements, BorderMeasuresAndArrangesItsChildInsideThicknessAndPadding)
{
    for (const BorderCase& c : g_borderCases) {
        SCOPED_TRACE(c.pszName);
        CTestBox* pChild = c.szChild.cx >= 0 ? MakeBox(NULL, L"C", c.szChild.cx, c.szChild.cy) : NULL;
        CRef<CZPMarkupBorder> pBorder(MakeBorder(c.nThickness, c.nPadding, pChild));
        CZPMarkupDrawingContext context;
        pBorder->Measure(&context, c.szAvailable.cx, c.szAvailable.cy);
        EXPECT_EQ(c.szDesired.cx, pBorder->GetDesiredSize().cx);
        EXPECT_EQ(c.szDesired.cy, pBorder->GetDesiredSize().cy);
        pBorder->Arrange(RECT{ 0, 0, c.szAvailable.cx, c.szAvailable.cy });
        if (pChild == NULL)
            continue;
        EXPECT_EQ(pBorder, pChild->GetVisualParent());
        const RECT& rcFinal = pChild->GetFinalRect();
        EXPECT_TRUE(::EqualRect(&c.rcChild, &rcFinal))
            << rcFinal.left << "," << rcFinal.top << "," << rcFinal.right << "," << rcFinal.bottom;
    }
}

TEST_F(MarkupElements, HugeAndNegativeWidthsSaturate)
{
    CRef<CZPMarkupBorder> pBorder(MakeBorder(kZpMarkupInfinite - 1, kZpMarkupInfinite - 1, MakeBox(NULL, L"C", 5, 5)));
    Layout(pBorder, 100, 100);
    EXPECT_TRUE(::IsRectEmpty(&pBorder->GetChild()->GetFinalRect()));
    CDibSection dib(120, 120, RGB(255, 255, 255));
    pBorder->SetValue(CZPMarkupBorder::m_pBackgroundProperty, new CZPMarkupSolidColorBrush(RGB(0, 0, 255)));
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pBorder->Render(&dc);
    }
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(50, 50));

    // Huge radii and negative widths draw nothing outside and do not fail.
    pBorder->SetValue(CZPMarkupBorder::m_pCornerRadiusProperty, new CZPMarkupThickness(kZpMarkupInfinite - 1));
    pBorder->SetValue(CZPMarkupBorder::m_pBorderThicknessProperty, new CZPMarkupThickness(-3));
    pBorder->SetValue(CZPMarkupBorder::m_pBorderBrushProperty, new CZPMarkupSolidColorBrush(RGB(255, 0, 0)));
    Layout(pBorder, 100, 100);
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pBorder->Render(&dc);
    }
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(110, 110));

    CRef<CZPMarkupBorder> pNegative(MakeBorder(-5, 0, MakeBox(NULL, L"C", 5, 5)));
    CZPMarkupDrawingContext context;
    pNegative->Measure(&context, 100, 100);
    EXPECT_EQ(0, pNegative->GetDesiredSize().cx);
}

TEST_F(MarkupElements, PageGivesItsChildTheWholeAreaAndIsNeverHitItself)
{
    CRef<CZPMarkupPage> pPage(new CZPMarkupPage);
    Layout(pPage, 80, 40);
    EXPECT_EQ(0, pPage->GetDesiredSize().cx);
    EXPECT_EQ(nullptr, pPage->InputHitTest(10, 10));
    CTestBox* pChild = MakeBox(NULL, L"C", 10, 10);
    pPage->SetChild(pChild);
    Layout(pPage, 80, 40);
    EXPECT_EQ(10, pPage->GetDesiredSize().cx);
    EXPECT_EQ(80, pChild->GetRenderSize().cx);
    EXPECT_EQ(40, pChild->GetRenderSize().cy);
    EXPECT_EQ(pChild, pPage->InputHitTest(10, 10));
    pPage->SetChild(NULL);
    EXPECT_EQ(0, pPage->GetVisualChildrenCount());
}

// A border of width 2 in red around a blue background, size by size, drawn at the DIB's origin.
void RenderRedBorderOnBlue(CDibSection& dib, int nSize, int nRadius)
{
    CRef<CZPMarkupBorder> pBorder(MakeBorder(2, 0));
    pBorder->SetValue(CZPMarkupBorder::m_pBorderBrushProperty, new CZPMarkupSolidColorBrush(RGB(255, 0, 0)));
    pBorder->SetValue(CZPMarkupBorder::m_pBackgroundProperty, new CZPMarkupSolidColorBrush(RGB(0, 0, 255)));
    if (nRadius != 0)
        pBorder->SetValue(CZPMarkupBorder::m_pCornerRadiusProperty, new CZPMarkupThickness(nRadius));
    Layout(pBorder, nSize, nSize);
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    pBorder->Render(&dc);
}

TEST_F(MarkupElements, SquareBorderIsDrawnFirstThenTheBackgroundInsideIt)
{
    const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    for (BOOL bGdiPlus : { FALSE, TRUE }) {
        SCOPED_TRACE(bGdiPlus ? "GDI+" : "GDI");
        std::unique_ptr<CGdiPlusScope> pGdiPlus(bGdiPlus ? new CGdiPlusScope : nullptr);
        CDibSection dib(30, 30, kWhite);
        RenderRedBorderOnBlue(dib, 20, 0);
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(0, 0)));
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(1, 10)));
        EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(18, 19)));
        EXPECT_TRUE(ColorNear(kBlue, dib.GetPixel(2, 2)));
        EXPECT_TRUE(ColorNear(kBlue, dib.GetPixel(17, 17)));
        EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(20, 20)));
    }
}

TEST_F(MarkupElements, RoundedBorderLeavesTheCornerAndFillsInsideWithSmallerRadii)
{
    const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    CDibSection dib(40, 40, kWhite);
    RenderRedBorderOnBlue(dib, 40, 8);
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(0, 0)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(39, 39)));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(20, 0), 60));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(0, 20), 60));
    EXPECT_TRUE(ColorNear(kBlue, dib.GetPixel(20, 20)));
    EXPECT_TRUE(ColorNear(kBlue, dib.GetPixel(20, 3)));
    // The inner corner stays outside the background's rounded corner.
    EXPECT_FALSE(ColorNear(kBlue, dib.GetPixel(2, 2), 60));
}

TEST_F(MarkupElements, BorderAndPanelAreHitOnlyWithABackground)
{
    for (BOOL bPanel : { FALSE, TRUE }) {
        SCOPED_TRACE(bPanel ? "panel" : "border");
        CZPMarkupFrameworkElement* pElement;
        CZPMarkupDependencyProperty* pBackground;
        if (bPanel) {
            pElement = new CZPMarkupPanel;
            pBackground = CZPMarkupPanel::m_pBackgroundProperty;
        } else {
            pElement = MakeBorder(0, 10, MakeBox(NULL, L"C", 10, 10));
            pBackground = CZPMarkupBorder::m_pBackgroundProperty;
        }
        CRef<CZPMarkupFrameworkElement> pHolder(pElement);
        Layout(pElement, 50, 50);
        EXPECT_EQ(nullptr, pElement->InputHitTest(5, 5));
        pElement->SetValue(pBackground, new CZPMarkupSolidColorBrush(0, RGB(0, 0, 0)));
        EXPECT_EQ(pElement, pElement->InputHitTest(5, 5));
        EXPECT_EQ(nullptr, pElement->InputHitTest(50, 5));
        if (!bPanel) {
            EXPECT_EQ(static_cast<CZPMarkupBorder*>(pElement)->GetChild(), pElement->InputHitTest(20, 20));
        }
    }
}

TEST_F(MarkupElements, PanelPaintsItsBackgroundOnlyWithAPositiveSize)
{
    CRef<CZPMarkupPanel> pPanel(new CZPMarkupPanel);
    pPanel->SetValue(CZPMarkupPanel::m_pBackgroundProperty, new CZPMarkupSolidColorBrush(RGB(0, 255, 0)));
    CDibSection dib(20, 20, RGB(255, 255, 255));
    for (int cx : { 0, 10 }) {
        Layout(pPanel, cx, 10);
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pPanel->Render(&dc);
    }
    EXPECT_EQ(RGB(0, 255, 0), dib.GetPixel(9, 9));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(10, 9));
}

TEST_F(MarkupElements, PanelChildrenAreItsVisualChildrenInOrder)
{
    CRef<CZPMarkupPanel> pPanel(new CZPMarkupPanel);
    EXPECT_FALSE(pPanel->HasContentObject());
    CTestBox* pA = MakeBox(NULL, L"A");
    CTestBox* pB = MakeBox(NULL, L"B");
    pPanel->SetContentObject(NULL, pA);
    pPanel->SetContentObject(NULL, pB);
    EXPECT_TRUE(pPanel->HasContentObject());
    ASSERT_EQ(2, pPanel->GetVisualChildrenCount());
    EXPECT_EQ(pA, pPanel->GetVisualChild(0));
    EXPECT_EQ(pB, pPanel->GetVisualChild(1));
    EXPECT_EQ(nullptr, pPanel->GetVisualChild(2));
    EXPECT_EQ(nullptr, pPanel->GetVisualChild(-1));
    EXPECT_EQ(pPanel, pB->GetVisualParent());
}

std::wstring PageError(const std::wstring& page)
{
    CBuilt built;
    BuildPage(page, built);
    EXPECT_EQ(1, built.nContextCount);
    return built.bRoot ? L"(built)" : built.error;
}

TEST_F(MarkupElements, ContentErrorsNameTheClasses)
{
    EXPECT_EQ(L"(built)", PageError(L"<Page><Border Padding='1'><Panel><Border/><Border/></Panel></Border></Page>"));
    EXPECT_EQ(0u, PageError(L"<Page><Border/><Border/></Page>")
                      .find(L"'CZPMarkupPage' already has a child and cannot add 'CZPMarkupBorder'. "
                            L"'CZPMarkupPage' can accept only one child."))
        << PageError(L"<Page><Border/><Border/></Page>");
    EXPECT_EQ(0u, PageError(L"<Border><SolidColorBrush/></Border>")
                      .find(L"'CZPMarkupSolidColorBrush' object cannot be added to 'CZPMarkupBorder'. Object cannot be "
                            L"converted to type 'CZPMarkupUIElement'"))
        << PageError(L"<Border><SolidColorBrush/></Border>");
    EXPECT_NE(L"(built)", PageError(L"<Panel><SolidColorBrush/></Panel>"));
}

TEST_F(MarkupElements, ControlsShareTheBordersAndPanelsPropertiesAndHoldOneContent)
{
    EXPECT_EQ(CZPMarkupBorder::m_pPaddingProperty, CZPMarkupControl::m_pPaddingProperty);
    EXPECT_EQ(CZPMarkupPanel::m_pBackgroundProperty, CZPMarkupControl::m_pBackgroundProperty);
    EXPECT_NE(L"(built)", PageError(L"<Control><Border/></Control>"));
    EXPECT_EQ(L"(built)", PageError(L"<Control Padding='3' Background='Red'/>"));

    CRef<CZPMarkupContentControl> pControl(new CZPMarkupContentControl);
    Layout(pControl, 50, 50);
    EXPECT_EQ(0, pControl->GetDesiredSize().cx);
    EXPECT_FALSE(pControl->HasContentObject());
    CTestBox* pChild = MakeBox(NULL, L"C", 12, 7);
    pControl->SetContentObject(NULL, pChild);
    Layout(pControl, 50, 50);
    EXPECT_EQ(12, pControl->GetDesiredSize().cx);
    EXPECT_EQ(7, pControl->GetDesiredSize().cy);
    EXPECT_EQ(50, pChild->GetRenderSize().cx);
    EXPECT_EQ(pControl, pChild->GetVisualParent());
    EXPECT_EQ(pChild, pControl->InputHitTest(1, 1));

    CTestBox* pSecond = MakeBox(NULL, L"D");
    EXPECT_EQ(L"'CZPMarkupContentControl' already has a child and cannot add 'CTestBox'. 'CZPMarkupContentControl' can "
              L"accept only one child.",
              BuilderError([&] { pControl->SetContentObject(NULL, pSecond); }));
    pSecond->Release();
    CZPMarkupSolidColorBrush* pBrush = new CZPMarkupSolidColorBrush(RGB(1, 2, 3));
    pChild->AddRef();
    pControl->SetContent(NULL);
    EXPECT_EQ(nullptr, pChild->GetVisualParent());
    pChild->Release();
    EXPECT_EQ(L"'CZPMarkupSolidColorBrush' object cannot be added to 'CZPMarkupContentControl'. Object cannot be "
              L"converted to type 'CZPMarkupUIElement'",
              BuilderError([&] { pControl->SetContentObject(NULL, pBrush); }));
    pBrush->Release();
}

TEST_F(MarkupElements, TextContentBecomesATextBlockOfTheContext)
{
    for (const wchar_t* lpszPage :
         { L"<Button Content='Hello' Foreground='Red'/>", L"<Button Foreground='Red'> Hello </Button>",
           L"<Button Foreground='Red'><Button.Content>Hello</Button.Content></Button>" }) {
        SCOPED_TRACE(lpszPage);
        CBuilt built;
        BuildPage(lpszPage, built, [](CZPMarkupObject* pRoot) {
            CZPMarkupButton* pButton = ZpMarkupCast<CZPMarkupButton>(pRoot);
            ASSERT_NE(nullptr, pButton);
            CZPMarkupTextBlock* pBlock = ZpMarkupCast<CZPMarkupTextBlock>(pButton->GetContent());
            ASSERT_NE(nullptr, pBlock);
            EXPECT_EQ(pButton, pBlock->GetLogicalParent());
            EXPECT_EQ(pButton->GetMarkupContext(), pBlock->GetMarkupContext());
            ASSERT_EQ(1, pBlock->GetInlines()->GetCount());
            CZPMarkupRun* pRun = ZpMarkupCast<CZPMarkupRun>(pBlock->GetInlines()->GetAt(0));
            ASSERT_NE(nullptr, pRun);
            EXPECT_STREQ(L"Hello", pRun->GetText());
            EXPECT_EQ(pButton->GetMarkupContext(), pRun->GetMarkupContext());
            // The control's "Foreground" is the text elements' own: the text inherits it.
            ASSERT_NE(nullptr, pRun->GetForeground());
            EXPECT_EQ(RGB(255, 0, 0), pRun->GetForeground()->GetColor());
        });
        EXPECT_TRUE(built.bRoot) << std::string(built.error.begin(), built.error.end());
        EXPECT_EQ(1, built.nContextCount);
    }
    EXPECT_EQ(CZPMarkupTextElement::m_pForegroundProperty, CZPMarkupControl::m_pForegroundProperty);
    // An element given as the property's value stays as it is.
    CBuilt built;
    BuildPage(L"<Button><Button.Content><Border Width='3'/></Button.Content></Button>", built,
              [](CZPMarkupObject* pRoot) {
                  CZPMarkupButton* pButton = ZpMarkupCast<CZPMarkupButton>(pRoot);
                  ASSERT_NE(nullptr, pButton);
                  EXPECT_NE(nullptr, ZpMarkupCast<CZPMarkupBorder>(pButton->GetContent()));
              });
    EXPECT_TRUE(built.bRoot) << std::string(built.error.begin(), built.error.end());
    EXPECT_EQ(1, built.nContextCount);

    const struct
    {
        const wchar_t* lpszPage;
        const wchar_t* lpszError;
    } refused[] = {
        { L"<Button>Hello<Border/></Button>",
          L"'CZPMarkupButton' already has a child and cannot add 'CZPMarkupBorder'. 'CZPMarkupButton' can accept only "
          L"one child." },
        { L"<Button><Border/>Hello</Button>",
          L"'CZPMarkupButton' already has a child and cannot add 'CZPMarkupString'. 'CZPMarkupButton' can accept only "
          L"one child." },
        { L"<Button Content='Hello'><SolidColorBrush/></Button>",
          L"'CZPMarkupButton' already has a child and cannot add 'CZPMarkupSolidColorBrush'. 'CZPMarkupButton' can "
          L"accept only one child." },
    };
    for (const auto& c : refused) {
        const std::wstring error = PageError(c.lpszPage);
        EXPECT_EQ(0u, error.find(c.lpszError)) << std::string(error.begin(), error.end());
    }
}
}  // namespace
