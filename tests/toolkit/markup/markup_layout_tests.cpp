// Measure and arrange cases with exact sizes, offsets and clips; rendering and hit testing;
// invalidation reaching a host window.
#include "markup_drawing_fixture.h"
#include "markup_layout_fixture.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupDrawingContext.h"

#include <cctype>
#include <climits>

namespace {
const int kInf = kZpMarkupInfinite;
const int kUnset = INT_MIN;

struct LayoutCase
{
    const char* pszName;
    int nWidth, nHeight, nMinWidth, nMaxWidth;
    RECT rcMargin;
    int nHorizontal, nVertical;  // kUnset: Stretch by default
    SIZE szContent;
    SIZE szAvailable;  // kUnset: the slot's size
    RECT rcSlot;
    SIZE szDesired;
    POINT ptOffset;
    SIZE szRender;
    BOOL bClip;
    RECT rcClip;
};

void PrintTo(const LayoutCase& c, std::ostream* pStream)
{
    *pStream << c.pszName;
}

const int L = CZPMarkupFrameworkElement::alignLeft;
const int C = CZPMarkupFrameworkElement::alignCenter;
const int R = CZPMarkupFrameworkElement::alignRight;
const RECT kNoMargin = { 0, 0, 0, 0 };
const SIZE kSlotSize = { kUnset, kUnset };

// clang-format off
// name, Width, Height, MinWidth, MaxWidth, Margin, alignments, content, available, slot;
// desired size, offset, render size, layout clip.
const LayoutCase g_cases[] = {
    {"width 100 stretched in a 50 slot", 100, kUnset, kUnset, kUnset, kNoMargin, kUnset, kUnset, {0, 20}, kSlotSize,
     {0, 0, 50, 20}, {50, 20}, {0, 0}, {100, 20}, TRUE, {0, 0, 50, 20}},
    {"width 100 centred in a 50 slot", 100, kUnset, kUnset, kUnset, kNoMargin, C, kUnset, {0, 20}, kSlotSize,
     {0, 0, 50, 20}, {50, 20}, {-25, 0}, {100, 20}, TRUE, {25, 0, 75, 20}},
    {"odd surplus of 5 centred", kUnset, kUnset, kUnset, kUnset, kNoMargin, C, kUnset, {10, 10}, kSlotSize,
     {0, 0, 15, 10}, {10, 10}, {2, 0}, {10, 10}, FALSE, {}},
    {"MinWidth 80 beats MaxWidth 60", kUnset, kUnset, 80, 60, kNoMargin, kUnset, kUnset, {0, 10}, kSlotSize,
     {0, 0, 200, 10}, {80, 10}, {60, 0}, {80, 10}, FALSE, {}},
    {"margin 10 in 5 available", kUnset, kUnset, kUnset, kUnset, {10, 10, 10, 10}, kUnset, kUnset, {0, 0}, kSlotSize,
     {0, 0, 5, 30}, {5, 20}, {10, 10}, {0, 10}, FALSE, {}},
    {"infinite available stays infinite", kUnset, kUnset, kUnset, kUnset, {10, 10, 10, 10}, kUnset, kUnset, {30, 40},
     {kInf, kInf}, {0, 0, 100, 100}, {50, 60}, {10, 10}, {80, 80}, FALSE, {}},
    {"width near infinite with margins", kInf - 1, kUnset, kUnset, kUnset, {10, 10, 10, 10}, kUnset, kUnset, {0, 0},
     {kInf, kInf}, {0, 0, 100, 100}, {kInf, 20}, {10, 10}, {kInf - 20, 80}, TRUE, {0, 0, 80, 80}},
    {"negative margins", kUnset, kUnset, kUnset, kUnset, {-10, -10, -10, -10}, kUnset, kUnset, {0, 0}, kSlotSize,
     {0, 0, 100, 50}, {0, 0}, {-10, -10}, {120, 70}, FALSE, {}},
    {"margins near infinite", kUnset, kUnset, kUnset, kUnset, {kInf - 1, 0, kInf - 1, 0}, kUnset, kUnset, {10, 10},
     kSlotSize, {0, 0, 100, 100}, {100, 10}, {kInf - 1, 0}, {10, 100}, TRUE, {0, 0, 0, 100}},
    {"Auto width counts as unset", kInf, kUnset, kInf, kInf, {10, 10, 10, 10}, kUnset, kUnset, {5, 5}, {kInf, kInf},
     {0, 0, 100, 100}, {25, 25}, {10, 10}, {80, 80}, FALSE, {}},
    {"40000 by 40000", kUnset, 40000, kUnset, kUnset, kNoMargin, kUnset, kUnset, {0, 0}, kSlotSize,
     {0, 0, 40000, 40000}, {0, 40000}, {0, 0}, {40000, 40000}, FALSE, {}},
    {"right and bottom", kUnset, kUnset, kUnset, kUnset, kNoMargin, R, R, {10, 20}, kSlotSize, {5, 5, 105, 55},
     {10, 20}, {95, 35}, {10, 20}, FALSE, {}},
    {"MaxWidth 30 stretched centres", kUnset, kUnset, kUnset, 30, kNoMargin, kUnset, kUnset, {0, 0}, kSlotSize,
     {0, 0, 100, 10}, {0, 0}, {35, 0}, {30, 10}, FALSE, {}},
    {"inverted slot", kUnset, kUnset, kUnset, kUnset, kNoMargin, kUnset, kUnset, {10, 10}, kSlotSize,
     {50, 50, 10, 10}, {0, 0}, {50, 50}, {10, 10}, TRUE, {0, 0, 0, 0}},
    {"left and top keep the content size", kUnset, kUnset, kUnset, kUnset, {1, 2, 3, 4}, L, L, {7, 9}, kSlotSize,
     {10, 10, 110, 110}, {11, 15}, {11, 12}, {7, 9}, FALSE, {}},
};
// clang-format on

class MarkupLayout : public CMarkupLeakCheck, public ::testing::WithParamInterface<LayoutCase>
{
protected:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        CMarkupLeakCheck::SetUp();
    }
};

TEST_P(MarkupLayout, MeasuresArrangesAndClipsExactly)
{
    const LayoutCase& c = GetParam();
    CRef<CTestBox> pBox(MakeBox(NULL, L"box", c.szContent.cx, c.szContent.cy));
    if (c.nWidth != kUnset)
        pBox->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, c.nWidth);
    if (c.nHeight != kUnset)
        pBox->SetInt(CZPMarkupFrameworkElement::m_pHeightProperty, c.nHeight);
    if (c.nMinWidth != kUnset)
        pBox->SetInt(CZPMarkupFrameworkElement::m_pMinWidthProperty, c.nMinWidth);
    if (c.nMaxWidth != kUnset)
        pBox->SetInt(CZPMarkupFrameworkElement::m_pMaxWidthProperty, c.nMaxWidth);
    pBox->SetMargin(c.rcMargin.left, c.rcMargin.top, c.rcMargin.right, c.rcMargin.bottom);
    if (c.nHorizontal != kUnset)
        pBox->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, c.nHorizontal);
    if (c.nVertical != kUnset)
        pBox->SetEnum(CZPMarkupFrameworkElement::m_pVerticalAlignmentProperty, c.nVertical);

    CZPMarkupDrawingContext context;
    const int nAvailableWidth = c.szAvailable.cx != kUnset ? c.szAvailable.cx : ZpMarkupRectWidth(c.rcSlot);
    const int nAvailableHeight = c.szAvailable.cy != kUnset ? c.szAvailable.cy : ZpMarkupRectHeight(c.rcSlot);
    pBox->Measure(&context, nAvailableWidth, nAvailableHeight);
    EXPECT_EQ(c.szDesired.cx, pBox->GetDesiredSize().cx);
    EXPECT_EQ(c.szDesired.cy, pBox->GetDesiredSize().cy);
    pBox->Arrange(c.rcSlot);
    EXPECT_EQ(c.ptOffset.x, pBox->GetVisualOffset().x);
    EXPECT_EQ(c.ptOffset.y, pBox->GetVisualOffset().y);
    EXPECT_EQ(c.szRender.cx, pBox->GetRenderSize().cx);
    EXPECT_EQ(c.szRender.cy, pBox->GetRenderSize().cy);
    RECT rcClip = { -1, -1, -1, -1 };
    ASSERT_EQ(c.bClip, pBox->GetLayoutClip(rcClip));
    if (c.bClip) {
        EXPECT_TRUE(::EqualRect(&c.rcClip, &rcClip))
            << rcClip.left << "," << rcClip.top << "," << rcClip.right << "," << rcClip.bottom;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkupLayout, ::testing::ValuesIn(g_cases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             std::string name;
                             for (const char* p = info.param.pszName; *p; p++)
                                 name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

class MarkupLayoutTree : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        CMarkupLeakCheck::SetUp();
        g_boxLog.clear();
    }
};

// Root 200x100 (left, top) over children A (10, 10, 60x40) with A1 (20, 20, 20x20 in the host)
// and B (100, 10, 50x30).
CTestBox* MakeTree(CZPMarkupContext* pContext)
{
    CTestBox* pRoot = MakeBox(pContext, L"R", 200, 100);
    pRoot->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, L);
    pRoot->SetEnum(CZPMarkupFrameworkElement::m_pVerticalAlignmentProperty, L);
    auto place = [](CTestBox* pBox, int x, int y, int cx, int cy) {
        pBox->SetMargin(x, y, 0, 0);
        pBox->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, cx);
        pBox->SetInt(CZPMarkupFrameworkElement::m_pHeightProperty, cy);
        pBox->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, L);
        pBox->SetEnum(CZPMarkupFrameworkElement::m_pVerticalAlignmentProperty, L);
        return pBox;
    };
    CTestBox* pA = pRoot->Add(place(MakeBox(pContext, L"A"), 10, 10, 60, 40));
    pA->Add(place(MakeBox(pContext, L"A1"), 10, 10, 20, 20));
    pRoot->Add(place(MakeBox(pContext, L"B"), 100, 10, 50, 30));
    return pRoot;
}

void Layout(CTestBox* pRoot, int cx, int cy)
{
    CZPMarkupDrawingContext context;
    pRoot->Measure(&context, cx, cy);
    pRoot->Arrange(RECT{ 0, 0, cx, cy });
}

TEST_F(MarkupLayoutTree, HitTestsEdgesAndVisibility)
{
    CRef<CTestBox> pRoot(MakeTree(NULL));
    Layout(pRoot, 300, 200);
    CTestBox* pA = pRoot->m_children[0];
    CTestBox* pA1 = pA->m_children[0];
    CTestBox* pB = pRoot->m_children[1];
    const struct
    {
        int x, y;
        CZPMarkupInputElement* pExpected;
    } hits[] = {
        { 20, 20, pA1 },   { 39, 39, pA1 },   { 40, 39, pA },  { 39, 40, pA },     { 10, 10, pA },
        { 69, 49, pA },    { 70, 20, pRoot }, { 100, 10, pB }, { 150, 10, pRoot }, { 199, 99, pRoot },
        { 200, 50, NULL }, { 50, 100, NULL }, { -1, 0, NULL },
    };
    for (const auto& hit : hits)
        EXPECT_EQ(hit.pExpected, pRoot->InputHitTest(hit.x, hit.y)) << hit.x << "," << hit.y;

    // A later child drawn over an earlier one is the one found.
    pB->SetMargin(30, 30, 0, 0);
    Layout(pRoot, 300, 200);
    EXPECT_EQ(pB, pRoot->InputHitTest(35, 35));

    // Hidden keeps its space and is not hit; Collapsed takes none.
    pA->SetEnum(CZPMarkupUIElement::m_pVisibilityProperty, CZPMarkupUIElement::visibilityHidden);
    Layout(pRoot, 300, 200);
    EXPECT_EQ(70, pA->GetDesiredSize().cx);
    EXPECT_EQ(pRoot, pRoot->InputHitTest(15, 15));
    pA->SetEnum(CZPMarkupUIElement::m_pVisibilityProperty, CZPMarkupUIElement::visibilityCollapsed);
    Layout(pRoot, 300, 200);
    EXPECT_EQ(0, pA->GetDesiredSize().cx);
    EXPECT_EQ(0, pA->GetDesiredSize().cy);
    EXPECT_EQ(pRoot, pRoot->InputHitTest(15, 15));
}

TEST_F(MarkupLayoutTree, RendersClippedContentAndSkipsWhatMissesTheClip)
{
    CRef<CTestBox> pRoot(MakeTree(NULL));
    pRoot->m_clrFill = RGB(0, 0, 255);
    CTestBox* pA = pRoot->m_children[0];
    CTestBox* pA1 = pA->m_children[0];
    CTestBox* pB = pRoot->m_children[1];
    pA->m_clrFill = RGB(0, 255, 0);
    pB->m_clrFill = RGB(255, 0, 0);
    // A1 is 40 wide, centred in its 20-pixel slot: kept at 40, offset -10, drawn clipped to the slot.
    pA1->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, 40);
    pA1->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, C);
    pA1->SetMargin(10, 10, 30, 0);
    pA1->m_clrFill = RGB(255, 255, 0);
    Layout(pRoot, 300, 200);
    EXPECT_EQ(40, pA1->GetRenderSize().cx);

    CDibSection dib(300, 200, RGB(255, 255, 255));
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pRoot->Render(&dc);
    }
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), dib.GetPixel(199, 99));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(200, 99));
    EXPECT_EQ(RGB(0, 255, 0), dib.GetPixel(19, 20));
    EXPECT_EQ(RGB(255, 255, 0), dib.GetPixel(20, 20));
    EXPECT_EQ(RGB(255, 255, 0), dib.GetPixel(39, 39));
    EXPECT_EQ(RGB(0, 255, 0), dib.GetPixel(40, 20));
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(100, 10));
    EXPECT_EQ(1, pB->m_nRenders);

    // Only B's area is painted: A's subtree is skipped.
    g_boxLog.clear();
    HRGN hRgn = ::CreateRectRgn(100, 10, 150, 40);
    ::SelectClipRgn(dib.GetDC(), hRgn);
    ::DeleteObject(hRgn);
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pRoot->Render(&dc);
    }
    ::SelectClipRgn(dib.GetDC(), NULL);
    EXPECT_EQ(L"R render; B render", JoinLog());

    // Hidden is not drawn.
    pB->SetEnum(CZPMarkupUIElement::m_pVisibilityProperty, CZPMarkupUIElement::visibilityHidden);
    Layout(pRoot, 300, 200);
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pRoot->Render(&dc);
    }
    EXPECT_EQ(std::wstring::npos, JoinLog().find(L"B render"));
}

TEST_F(MarkupLayoutTree, HugeElementsAndBitmapLessDcsDrawSafely)
{
    CRef<CTestBox> pRoot(MakeBox(NULL, L"R"));
    pRoot->m_clrFill = RGB(255, 0, 0);
    Layout(pRoot, 40000, 40000);
    CDibSection dib(100, 100, RGB(255, 255, 255));
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pRoot->Render(&dc);
    }
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(99, 99));
    // A memory DC with only its 1x1 stock bitmap, and the measure-only context.
    HDC hDC = ::CreateCompatibleDC(NULL);
    {
        CZPMarkupDrawingContext dc(hDC, NULL);
        pRoot->Render(&dc);
    }
    ::DeleteDC(hDC);
    CZPMarkupDrawingContext measureOnly;
    pRoot->Render(&measureOnly);
    EXPECT_EQ(3, pRoot->m_nRenders);
}

TEST_F(MarkupLayoutTree, RepeatedClippedRendersLeakNoRegions)
{
    CRef<CTestBox> pRoot(MakeTree(NULL));
    CTestBox* pA1 = pRoot->m_children[0]->m_children[0];
    pA1->SetValue(CZPMarkupUIElement::m_pClipToBoundsProperty, CZPMarkupBool::CreateTrueValue());
    pA1->m_clrFill = RGB(255, 0, 0);
    Layout(pRoot, 300, 200);
    CDibSection dib(300, 200);
    auto Draw = [&]() {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pRoot->Render(&dc);
    };
    Draw();
    const int nBefore = CountCreatableRegions();
    for (int i = 0; i < 1000; i++)
        Draw();
    EXPECT_EQ(nBefore, CountCreatableRegions());
    EXPECT_EQ(1001, pA1->m_nRenders);
}

TEST_F(MarkupLayoutTree, MeasureIsSkippedForTheSameSizeAndRerunAfterInvalidation)
{
    CRef<CTestBox> pRoot(MakeTree(NULL));
    Layout(pRoot, 300, 200);
    Layout(pRoot, 300, 200);
    EXPECT_EQ(1, pRoot->m_nMeasures);
    Layout(pRoot, 301, 200);
    EXPECT_EQ(2, pRoot->m_nMeasures);
    // Arrange of an element never measured measures it first with the rectangle's size.
    CRef<CTestBox> pLone(MakeBox(NULL, L"lone", 5, 5));
    pLone->Arrange(RECT{ 0, 0, 30, 40 });
    EXPECT_EQ(1, pLone->m_nMeasures);
    EXPECT_EQ(30, pLone->GetRenderSize().cx);
}

// A visible host window whose update region the tests read.
class CHostWindow
{
public:
    CHostWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"MarkupLayoutHost";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL,
                                   wc.hInstance, NULL);
    }
    ~CHostWindow() { ::DestroyWindow(m_hWnd); }
    RECT TakeUpdateRect()
    {
        RECT rc = { 0, 0, 0, 0 };
        ::GetUpdateRect(m_hWnd, &rc, FALSE);
        ::ValidateRect(m_hWnd, NULL);
        return rc;
    }
    HWND m_hWnd;
};

::testing::AssertionResult RectIs(const RECT& expected, const RECT& actual)
{
    if (::EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << actual.left << "," << actual.top << "," << actual.right << ","
                                         << actual.bottom;
}

TEST_F(MarkupLayoutTree, InvalidationRepaintsTheElementOrClimbsToTheHost)
{
    CHostWindow host;
    CZPMarkupContext* pContext = new CZPMarkupContext;
    pContext->SetHostWindow(host.m_hWnd);
    {
        CRef<CTestBox> pRoot(MakeTree(pContext));
        CTestBox* pA1 = pRoot->m_children[0]->m_children[0];
        CTestBox* pB = pRoot->m_children[1];
        host.TakeUpdateRect();
        // Never laid out: changes cost nothing.
        pB->SetInt(CZPMarkupFrameworkElement::m_pMinWidthProperty, 10);
        EXPECT_TRUE(RectIs({ 0, 0, 0, 0 }, host.TakeUpdateRect()));
        Layout(pRoot, 300, 200);
        EXPECT_TRUE(RectIs({ 20, 20, 40, 40 }, CZPMarkupContext::GetClientBoundingRect(pA1)));

        // Same desired size: only the element.
        pB->SetInt(CZPMarkupFrameworkElement::m_pMinWidthProperty, 40);
        EXPECT_TRUE(RectIs({ 100, 10, 150, 40 }, host.TakeUpdateRect()));
        // Arrange only: the old and the new place.
        pB->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, R);
        EXPECT_TRUE(RectIs({ 100, 10, 200, 40 }, host.TakeUpdateRect()));
        EXPECT_EQ(150, pB->GetVisualOffset().x);
        // A new size that the fixed-size parent absorbs: the parent's area.
        pA1->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, 25);
        EXPECT_TRUE(RectIs({ 10, 10, 70, 50 }, host.TakeUpdateRect()));
        EXPECT_EQ(25, pA1->GetRenderSize().cx);
        // A new root size: the whole host.
        pB->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, 250);
        EXPECT_TRUE(RectIs({ 0, 0, 300, 200 }, host.TakeUpdateRect()));
        EXPECT_EQ(300, pRoot->GetDesiredSize().cx);
    }
    EXPECT_EQ(0, pContext->Release());
}
}  // namespace

namespace {
TEST_F(MarkupLayoutTree, PageAttributesReachTheLayout)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    {
        CRef<CZPMarkupObject> pRoot(pContext->Parse(L"<FrameworkElement Width='Auto' MinWidth='Auto' Margin='10' "
                                                    L"Height='30' HorizontalAlignment='Center' Visibility='Hidden'/>"));
        CZPMarkupFrameworkElement* pElement = ZpMarkupCast<CZPMarkupFrameworkElement>(pRoot);
        ASSERT_NE(nullptr, pElement);
        CZPMarkupDrawingContext context;
        pElement->Measure(&context, kZpMarkupInfinite, kZpMarkupInfinite);
        EXPECT_EQ(20, pElement->GetDesiredSize().cx);
        EXPECT_EQ(50, pElement->GetDesiredSize().cy);
        EXPECT_EQ(0, pElement->GetMinWidth());
        EXPECT_EQ(kZpMarkupInfinite, pElement->GetMaxWidth());
        pElement->Arrange(RECT{ 0, 0, 100, 100 });
        EXPECT_EQ(50, pElement->GetVisualOffset().x);
        EXPECT_EQ(35, pElement->GetVisualOffset().y);
        EXPECT_EQ(nullptr, pElement->InputHitTest(50, 40));
    }
    EXPECT_EQ(0, pContext->Release());
}
}  // namespace

namespace {
TEST_F(MarkupLayoutTree, FocusVisualDrawsAfterTheSubtree)
{
    CRef<CTestBox> pRoot(MakeTree(NULL));
    CTestBox* pA = pRoot->m_children[0];
    pA->SetValue(CZPMarkupInputElement::m_pIsKeyboardFocusedProperty, CZPMarkupBool::CreateTrueValue());
    Layout(pRoot, 300, 200);
    CDibSection dib(300, 200);
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    pRoot->Render(&dc);
    EXPECT_EQ(L"R render; A render; A1 render; A focus; B render", JoinLog());
}
}  // namespace

namespace {
TEST_F(MarkupLayoutTree, ContentElementsUseTheirFrameworkElementsArea)
{
    CRef<CTestBox> pRoot(MakeTree(NULL));
    Layout(pRoot, 300, 200);
    CTestBox* pA1 = pRoot->m_children[0]->m_children[0];
    CRef<CZPMarkupFrameworkContentElement> pRun(new CZPMarkupFrameworkContentElement);
    pRun->SetLogicalParent(pA1);
    EXPECT_EQ(pA1, pRun->GetParentFrameworkElement());
    EXPECT_TRUE(RectIs({ 20, 20, 40, 40 }, CZPMarkupContext::GetClientBoundingRect(pRun)));
    EXPECT_TRUE(RectIs({ 0, 0, 0, 0 }, CZPMarkupContext::GetClientBoundingRect(NULL)));
    pRun->SetLogicalParent(NULL);
    EXPECT_TRUE(RectIs({ 0, 0, 0, 0 }, CZPMarkupContext::GetClientBoundingRect(pRun)));
    // "Tag" is one property shared by both kinds of element.
    EXPECT_EQ(CZPMarkupFrameworkElement::m_pTagProperty,
              ZpMarkupFindProperty(CZPMarkupFrameworkContentElement::GetClassType(), L"Tag"));
}
}  // namespace
