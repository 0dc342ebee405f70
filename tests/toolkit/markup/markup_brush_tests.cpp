// Brushes: text forms, equality, stop order and the colour along a gradient.
#include "markup_drawing_fixture.h"

#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class MarkupBrush : public CMarkupDrawingTest
{
};

template <class V>
CZPMarkupObject* Convert(LPCWSTR lpszText)
{
    CRef<CZPMarkupObject> pInstance(V::GetClassType()->CreateObject());
    CRef<CZPMarkupString> pText(new CZPMarkupString(lpszText));
    return pInstance->ConvertFrom(NULL, pText);
}

TEST_F(MarkupBrush, BrushText)
{
    struct
    {
        LPCWSTR text;
        bool bValid;
        DWORD dwColor;
    } cases[] = {
        {L"Red", true, 0xFF0000FF},
        {L"#80FF0000", true, 0x800000FF},
        {L"#00ff00", true, 0xFF00FF00},
        {L"#80FF0", false, 0},
        {L"Reddish", false, 0},
        {L"", false, 0},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupBrush>(c.text));
        ASSERT_EQ(c.bValid, pValue.Get() != NULL) << c.text;
        if (!c.bValid)
            continue;
        CZPMarkupSolidColorBrush* pBrush = ZpMarkupCast<CZPMarkupSolidColorBrush>(pValue);
        ASSERT_TRUE(pBrush != NULL) << c.text;
        DWORD dwColor = 0;
        EXPECT_TRUE(pBrush->GetColorValue(dwColor));
        EXPECT_EQ(c.dwColor, dwColor) << c.text;
        EXPECT_EQ(c.dwColor & 0xFFFFFF, pBrush->GetColor()) << c.text;
    }
    // Only text converts.
    CRef<CZPMarkupObject> pInstance(new CZPMarkupBrush);
    CRef<CZPMarkupColor> pColor(new CZPMarkupColor(RGB(1, 2, 3)));
    EXPECT_EQ(NULL, pInstance->ConvertFrom(NULL, pColor));
}

TEST_F(MarkupBrush, SolidBrushesCompareWithoutAlpha)
{
    CRef<CZPMarkupSolidColorBrush> pHalf(new CZPMarkupSolidColorBrush(0x80, RGB(255, 0, 0)));
    CRef<CZPMarkupSolidColorBrush> pOpaque(new CZPMarkupSolidColorBrush(RGB(255, 0, 0)));
    CRef<CZPMarkupSolidColorBrush> pBlue(new CZPMarkupSolidColorBrush(RGB(0, 0, 255)));
    CRef<CZPMarkupSolidColorBrush> pEmpty(new CZPMarkupSolidColorBrush);
    CRef<CZPMarkupLinearGradientBrush> pGradient(MakeGradient({{0xFF0000FF, 0}}));
    EXPECT_TRUE(pHalf->IsEqual(pOpaque));
    EXPECT_FALSE(pHalf->IsEqual(pBlue));
    EXPECT_FALSE(pOpaque->IsEqual(pGradient));
    DWORD dwColor = 1;
    EXPECT_FALSE(pEmpty->GetColorValue(dwColor));
    EXPECT_EQ(0u, pEmpty->GetColor());
    CRef<CZPMarkupBrush> pBase(new CZPMarkupBrush);
    EXPECT_EQ(0u, pBase->GetColor());
}

TEST_F(MarkupBrush, PointText)
{
    struct
    {
        LPCWSTR text;
        bool bValid;
        double x, y;
    } cases[] = {
        {L"3,4", true, 3, 4},       {L"3 , 4", true, 3, 4}, {L"-0.5,1.25", true, -0.5, 1.25},
        {L"3;4", false, 0, 0},      {L"3", false, 0, 0},    {L"3,4,5", false, 0, 0},
        {L",4", false, 0, 0},       {L"3,", false, 0, 0},   {L"3 4", false, 0, 0},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupPoint>(c.text));
        ASSERT_EQ(c.bValid, pValue.Get() != NULL) << c.text;
        if (!c.bValid)
            continue;
        EXPECT_EQ(c.x, static_cast<CZPMarkupPoint*>(pValue.Get())->m_x) << c.text;
        EXPECT_EQ(c.y, static_cast<CZPMarkupPoint*>(pValue.Get())->m_y) << c.text;
    }
}

TEST_F(MarkupBrush, StopsSortByOffsetWithTiesInMarkupOrder)
{
    CRef<CZPMarkupLinearGradientBrush> pBrush(
        MakeGradient({{0xFF000001, 0.5}, {0xFF000002, 0.1}, {0xFF000003, 0.5}, {0xFF000004, 0.1}}));
    std::vector<ZP_MARKUP_GRADIENTSTOP> stops;
    pBrush->GetSortedStops(stops);
    ASSERT_EQ(4u, stops.size());
    const DWORD expected[] = {0xFF000002, 0xFF000004, 0xFF000001, 0xFF000003};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(expected[i], stops[i].dwColor) << i;
    // GDI's single colour is the first stop in markup order.
    EXPECT_EQ(0x000001u, pBrush->GetColor());

    CRef<CZPMarkupLinearGradientBrush> pEmpty(MakeGradient({}));
    EXPECT_EQ(0u, pEmpty->GetColor());
    double x1, y1, x2, y2;
    pEmpty->GetPoints(x1, y1, x2, y2);
    EXPECT_EQ(0, x1);
    EXPECT_EQ(0, y1);
    EXPECT_EQ(1, x2);
    EXPECT_EQ(1, y2);
}

TEST_F(MarkupBrush, GradientStopsAreContent)
{
    CRef<CZPMarkupLinearGradientBrush> pBrush(new CZPMarkupLinearGradientBrush);
    CZPMarkupGradientStop* pStop = new CZPMarkupGradientStop;
    pBrush->SetContentObject(NULL, pStop);
    ASSERT_EQ(1, pBrush->GetGradientStops()->GetCount());
    EXPECT_EQ(pStop, pBrush->GetGradientStops()->GetAt(0));
}

TEST_F(MarkupBrush, ColorAlongTheGradient)
{
    // Red at 0.2, blue at 0.8; alpha blends like the colour channels.
    const std::vector<ZP_MARKUP_GRADIENTSTOP> stops = {{0xFF0000FF, 0.2}, {0x00FF0000, 0.8}};
    struct
    {
        double t;
        DWORD dwColor;
    } cases[] = {
        {-5, 0xFF0000FF}, {0.2, 0xFF0000FF}, {0.5, 0x7F7F007F}, {0.8, 0x00FF0000}, {3, 0x00FF0000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.dwColor, ZpMarkupGradientColorAt(stops, c.t)) << c.t;
    EXPECT_EQ(0u, ZpMarkupGradientColorAt({}, 0.5));
}
}
