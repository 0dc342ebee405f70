// Shapes parsed from pages: desired sizes, pixels drawn into DIB sections away from
// anti-aliased edges, and exact hit tests.
#include "markup_drawing_fixture.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupShapes.h"

#include <string>

namespace {
const int kInf = kZpMarkupInfinite;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// One parsed shape page, measured and arranged into a box at (0, 0).
class CShapePage
{
public:
    explicit CShapePage(LPCWSTR lpszPage) : m_pContext(new CZPMarkupContext)
    {
        m_pRoot = m_pContext->Parse(lpszPage);
        m_pElement = ZpMarkupCast<CZPMarkupFrameworkElement>(m_pRoot);
    }
    ~CShapePage()
    {
        if (m_pRoot != NULL)
            m_pRoot->Release();
        m_pContext->Release();
    }
    CShapePage(const CShapePage&) = delete;
    CShapePage& operator=(const CShapePage&) = delete;

    SIZE Measure(int nWidth, int nHeight)
    {
        CZPMarkupDrawingContext context;
        m_pElement->Measure(&context, nWidth, nHeight);
        return m_pElement->GetDesiredSize();
    }
    void Layout(int nWidth, int nHeight)
    {
        Measure(nWidth, nHeight);
        m_pElement->Arrange(RECT{ 0, 0, nWidth, nHeight });
    }
    void Draw(CDibSection& dib)
    {
        Layout(dib.Width(), dib.Height());
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        m_pElement->Render(&context);
        ::GdiFlush();
    }
    BOOL Hits(int x, int y) { return m_pElement->InputHitTest(x, y) == m_pElement; }

    CZPMarkupContext* m_pContext;
    CZPMarkupObject* m_pRoot;
    CZPMarkupFrameworkElement* m_pElement;  // the root, or NULL
};

class MarkupShapes : public CMarkupDrawingTest
{
protected:
    void SetUp() override
    {
        // The first use of each type makes its record and shared values.
        for (LPCWSTR lpszPage : { L"<Rectangle Fill='Red' Stroke='Blue' RadiusX='2' RadiusY='2' Stretch='Fill'/>",
                                  L"<Ellipse Fill='Red'/>", L"<Line X2='5' Stroke='Red'/>",
                                  L"<Polyline Points='0,0 5,5' Stroke='Red' Stretch='Fill'/>",
                                  L"<Polygon Points='0,0 5,5 0,5' Fill='Red'/>",
                                  L"<Path Data='M 0,0 L 5,5 Z' Fill='Red' Stretch='Fill'/>" }) {
            CDibSection dib(8, 8);
            CShapePage(lpszPage).Draw(dib);
        }
        CMarkupDrawingTest::SetUp();
    }
};

struct SizeCase
{
    LPCWSTR lpszPage;
    SIZE szAvailable;
    SIZE szDesired;
};

TEST_F(MarkupShapes, DesiredSizesComeFromGeometryAndStretch)
{
    // clang-format off
    const SizeCase cases[] = {
        {L"<Rectangle Fill='Red'/>", {100, 100}, {0, 0}},
        {L"<Ellipse Fill='Red' Stretch='Fill'/>", {200, 40}, {200, 40}},
        {L"<Ellipse Fill='Red' Stretch='Uniform'/>", {kInf, 40}, {0, 40}},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red'/>", {kInf, kInf}, {100, 11}},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10'/>", {kInf, kInf}, {100, 10}},
        {L"<Line X1='7' Y1='0' X2='7' Y2='30' Stroke='Red' StrokeThickness='4'/>", {kInf, kInf}, {9, 30}},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red' Stretch='Fill'/>", {200, kInf}, {200, 11}},
        {L"<Polyline Points='0,0 50,0' Stroke='Black' StrokeThickness='3'/>", {kInf, kInf}, {50, 2}},
        {L"<Polyline Points='0,0 50,0'/>", {kInf, kInf}, {50, 0}},
        {L"<Polygon Points='-10,-10 10,5' Fill='Red'/>", {kInf, kInf}, {20, 15}},
        {L"<Polygon Points='10,10 30,10 30,20' Fill='Red'/>", {kInf, kInf}, {30, 20}},
        {L"<Polygon Fill='Red' Stretch='Fill'/>", {100, 100}, {0, 0}},
        {L"<Path Data='M 0,0 L 40,30 Z' Fill='Red'/>", {kInf, kInf}, {40, 30}},
        {L"<Path Data='M 0,0 L 40,30 Z' Fill='Red' Stretch='UniformToFill'/>", {60, 70}, {60, 70}},
    };
    // clang-format on
    for (const SizeCase& c : cases) {
        CShapePage page(c.lpszPage);
        ASSERT_NE(nullptr, page.m_pElement) << c.lpszPage;
        const SIZE sz = page.Measure(c.szAvailable.cx, c.szAvailable.cy);
        EXPECT_EQ(c.szDesired.cx, sz.cx) << c.lpszPage;
        EXPECT_EQ(c.szDesired.cy, sz.cy) << c.lpszPage;
    }
}

struct PixelCase
{
    LPCWSTR lpszPage;
    SIZE szBox;
    POINT pt;
    COLORREF clr;
};

TEST_F(MarkupShapes, PixelsAwayFromEdges)
{
    // clang-format off
    const PixelCase cases[] = {
        // A fill without a stroke covers the whole box.
        {L"<Rectangle Fill='Red'/>", {20, 20}, {0, 0}, kRed},
        {L"<Rectangle Fill='Red'/>", {20, 20}, {19, 19}, kRed},
        {L"<Rectangle Fill='Red' Stroke='Blue' StrokeThickness='5'/>", {40, 40}, {2, 20}, kBlue},
        {L"<Rectangle Fill='Red' Stroke='Blue' StrokeThickness='5'/>", {40, 40}, {20, 20}, kRed},
        // Radii 50 (80 limited to half the width) and 10: the corner is cut, the sides are straight.
        {L"<Rectangle Fill='Red' RadiusX='80' RadiusY='10'/>", {100, 50}, {10, 2}, kWhite},
        {L"<Rectangle Fill='Red' RadiusX='80' RadiusY='10'/>", {100, 50}, {1, 25}, kRed},
        {L"<Rectangle Fill='Red' RadiusX='80' RadiusY='10'/>", {100, 50}, {50, 1}, kRed},
        // Only one radius: square corners.
        {L"<Rectangle Fill='Red' RadiusX='10'/>", {40, 40}, {0, 0}, kRed},
        {L"<Rectangle Fill='Red' Width='0'/>", {40, 40}, {20, 20}, kWhite},
        {L"<Ellipse Fill='Red'/>", {40, 20}, {20, 10}, kRed},
        {L"<Ellipse Fill='Red'/>", {40, 20}, {2, 2}, kWhite},
        {L"<Ellipse Stroke='Blue' StrokeThickness='4'/>", {40, 40}, {20, 1}, kBlue},
        {L"<Ellipse Stroke='Blue' StrokeThickness='4'/>", {40, 40}, {20, 20}, kWhite},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red'/>", {100, 20}, {50, 10}, kRed},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red'/>", {100, 20}, {50, 12}, kWhite},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red' Stretch='Fill'/>", {200, 40}, {150, 20}, kRed},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red' Stretch='Fill'/>", {200, 40}, {50, 10}, kWhite},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red' StrokeThickness='0'/>", {100, 20}, {50, 10}, kWhite},
        {L"<Line X1='0' Y1='0' X2='0' Y2='0' Stroke='Red' StrokeThickness='9'/>", {20, 20}, {1, 1}, kWhite},
        {L"<Polyline Points='0,10 40,10' Stroke='Red' StrokeThickness='3'/>", {40, 20}, {20, 10}, kRed},
        {L"<Polyline Points='0,0 40,0 40,40 0,40' Fill='Red'/>", {40, 40}, {20, 20}, kWhite},
        {L"<Polyline Points='0,0 10,0' Stroke='Red' StrokeThickness='3' Stretch='Fill'/>", {40, 20}, {30, 1}, kRed},
        {L"<Polygon Points='0,0 20,0 20,20 0,20' Fill='Red'/>", {40, 40}, {10, 10}, kRed},
        {L"<Polygon Points='0,0 20,0 20,20 0,20' Fill='Red'/>", {40, 40}, {30, 30}, kWhite},
        {L"<Polygon Points='0,0 20,0 20,20 0,20' Fill='Red' Stretch='Fill'/>", {40, 40}, {30, 30}, kRed},
        {L"<Path Data='M 0,0 L 20,0 L 20,20 L 0,20 Z' Fill='Red'/>", {40, 40}, {10, 10}, kRed},
        {L"<Path Data='M 0,0 L 20,0 L 20,20 L 0,20 Z' Fill='Red' Stretch='Fill'/>", {40, 40}, {30, 30}, kRed},
        {L"<Path Data='M 0,0 L 20,0 L 20,20 L 0,20 Z'/>", {40, 40}, {10, 10}, kWhite},
        {L"<Shape Fill='Red' Stroke='Red'/>", {20, 20}, {10, 10}, kWhite},
    };
    // clang-format on
    for (const PixelCase& c : cases) {
        CShapePage page(c.lpszPage);
        ASSERT_NE(nullptr, page.m_pElement) << c.lpszPage;
        CDibSection dib(c.szBox.cx, c.szBox.cy, kWhite);
        page.Draw(dib);
        EXPECT_TRUE(ColorNear(c.clr, dib.GetPixel(c.pt.x, c.pt.y), 8))
            << c.lpszPage << " at " << c.pt.x << "," << c.pt.y;
    }
}

struct HitCase
{
    LPCWSTR lpszPage;
    SIZE szBox;
    POINT pt;
    BOOL bHit;
};

TEST_F(MarkupShapes, HitTestsFollowTheOutline)
{
    // clang-format off
    const HitCase cases[] = {
        {L"<Ellipse Fill='Red'/>", {40, 20}, {0, 0}, FALSE},
        {L"<Ellipse Fill='Red'/>", {40, 20}, {20, 10}, TRUE},
        {L"<Ellipse Fill='Red'/>", {40, 20}, {1, 10}, TRUE},
        {L"<Ellipse Fill='Red'/>", {40, 20}, {39, 19}, FALSE},
        // Boxes one pixel across: the half-axis is 0.
        {L"<Ellipse Fill='Red' Width='1' HorizontalAlignment='Left'/>", {40, 20}, {0, 10}, TRUE},
        {L"<Ellipse Fill='Red' Width='1' Height='1' HorizontalAlignment='Left' VerticalAlignment='Top'/>", {40, 20}, {0, 0}, TRUE},
        {L"<Ellipse Fill='Red' Height='1' VerticalAlignment='Top'/>", {40, 20}, {5, 0}, TRUE},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red'/>", {100, 20}, {50, 10}, TRUE},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red'/>", {100, 20}, {50, 11}, FALSE},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10'/>", {100, 20}, {50, 10}, FALSE},
        {L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red' StrokeThickness='0'/>", {100, 20}, {50, 10}, FALSE},
        // A diagonal 4 wide: the vertical half-width is 2 / cos 45° = 2.83.
        {L"<Line X1='0' Y1='0' X2='100' Y2='100' Stroke='Red' StrokeThickness='4'/>", {100, 100}, {50, 52}, TRUE},
        {L"<Line X1='0' Y1='0' X2='100' Y2='100' Stroke='Red' StrokeThickness='4'/>", {100, 100}, {50, 53}, FALSE},
        {L"<Line X1='100' Y1='0' X2='0' Y2='100' Stroke='Red' StrokeThickness='4'/>", {100, 100}, {30, 70}, TRUE},
        // A vertical line: the horizontal distance decides.
        {L"<Line X1='10' Y1='0' X2='10' Y2='50' Stroke='Red' StrokeThickness='4'/>", {20, 50}, {12, 25}, TRUE},
        {L"<Line X1='10' Y1='0' X2='10' Y2='50' Stroke='Red' StrokeThickness='4'/>", {20, 50}, {13, 25}, FALSE},
        // Beyond the end points by more than half the thickness.
        {L"<Line X1='0' Y1='10' X2='50' Y2='10' Stroke='Red' StrokeThickness='4'/>", {100, 20}, {53, 10}, FALSE},
        {L"<Line X1='0' Y1='0' X2='10' Y2='10' Stroke='Red' Stretch='Fill'/>", {40, 20}, {20, 10}, TRUE},
        {L"<Rectangle/>", {40, 20}, {0, 0}, TRUE},
        {L"<Polygon Points='0,0 10,0 0,10' Fill='Red'/>", {40, 20}, {30, 15}, TRUE},
    };
    // clang-format on
    for (const HitCase& c : cases) {
        CShapePage page(c.lpszPage);
        ASSERT_NE(nullptr, page.m_pElement) << c.lpszPage;
        page.Layout(c.szBox.cx, c.szBox.cy);
        EXPECT_EQ(c.bHit, page.Hits(c.pt.x, c.pt.y)) << c.lpszPage << " at " << c.pt.x << "," << c.pt.y;
    }
}

TEST_F(MarkupShapes, BadGeometryIsRefusedOrDrawsSafely)
{
    // A 40-digit coordinate would be an infinite float: the page is refused.
    {
        CShapePage page(L"<Path Data='M 0,0 L 1234567890123456789012345678901234567890,0' Fill='Red'/>");
        EXPECT_EQ(nullptr, page.m_pRoot);
    }
    {
        CShapePage page(L"<Polygon Points='0,0 99999999999999999999,0' Fill='Red'/>");
        EXPECT_EQ(nullptr, page.m_pRoot);
    }
    // A path of only "Z", huge radii and thicknesses, and 100,000 points.
    for (LPCWSTR lpszPage :
         { L"<Path Data='Z' Fill='Red' Stroke='Red' Stretch='Fill'/>",
           L"<Rectangle Fill='Red' Stroke='Blue' StrokeThickness='2147483646' RadiusX='2147483646' RadiusY='9'/>",
           L"<Line X1='-5' Y1='0' X2='2147483646' Y2='2147483646' Stroke='Red' StrokeThickness='2147483646'/>" }) {
        CShapePage page(lpszPage);
        if (page.m_pElement == NULL)
            continue;
        CDibSection dib(20, 20, kWhite);
        page.Draw(dib);
        page.Hits(5, 5);
    }
    std::wstring strPoints;
    for (int i = 0; i < 100000; i++)
        strPoints += std::to_wstring(i % 200) + L"," + std::to_wstring(i % 7) + L" ";
    CShapePage page((L"<Polyline Stroke='Red' Stretch='Fill' Points='" + strPoints + L"'/>").c_str());
    ASSERT_NE(nullptr, page.m_pElement);
    EXPECT_EQ(199, page.Measure(kInf, kInf).cx);
    CDibSection dib(100, 30, kWhite);
    page.Draw(dib);
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(0, 0), 8));
}
}  // namespace
