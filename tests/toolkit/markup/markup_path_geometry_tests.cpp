// Path-data and point-list texts: types, points, bounds, error positions, range guards and
// scaled copies.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupPathGeometry.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class PathGeometry : public CMarkupLeakCheck
{
};

// "types: x,y ..." of the geometry read from the text, or the builder error.
std::wstring ReadPath(const std::wstring& text)
{
    std::wstring result;
    std::wstring error = BuilderError([&] {
        CZPMarkupPathGeometry reader;
        CRef<CZPMarkupString> value(CZPMarkupString::CreateValue(text.c_str(), static_cast<int>(text.size())));
        CRef<CZPMarkupPathGeometry> geometry(static_cast<CZPMarkupPathGeometry*>(reader.ConvertFrom(NULL, value)));
        for (int i = 0; i < geometry->GetCount(); i++)
        {
            wchar_t sz[64];
            swprintf(sz, 64, L"%s%x:%g,%g", i == 0 ? L"" : L" ", geometry->GetTypes()[i], geometry->GetPoints()[i].x,
                     geometry->GetPoints()[i].y);
            result += sz;
        }
        const RECT& rc = geometry->GetBounds();
        result += L" [" + std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) +
                  L"," + std::to_wstring(rc.bottom) + L"]";
    });
    return error == L"(no error)" ? result : error;
}

std::wstring At(int nPosition)
{
    return L"Unexpected token encountered at position '" + std::to_wstring(nPosition) + L"'";
}
}

TEST_F(PathGeometry, PathTextsGiveTypesPointsAndBoundsOrThePositionOfTheFault)
{
    const std::wstring digits(100000, L'9');
    const struct
    {
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        // "Z" marks the last point; it adds none.
        {L"M 0,0 L 100,0 L 100,50 Z", L"0:0,0 1:100,0 81:100,50 [0,0,100,50]"},
        {L"M10 10 20 20", L"0:10,10 1:20,20 [10,10,20,20]"},
        {L"m10,10 5,5", L"0:10,10 1:15,15 [10,10,15,15]"},
        {L"F1 M 0,0 h 10 v 10 h -10 z", L"0:0,0 1:10,0 1:10,10 81:0,10 [0,0,10,10]"},
        {L"M 0,0 C 10,0 20,10 20,20 S 30,40 40,40",
         L"0:0,0 3:10,0 3:20,10 3:20,20 3:20,30 3:30,40 3:40,40 [0,0,40,40]"},
        // "S" reflects only after a curve: after a line its first control point is the current point.
        {L"M 0,0 L 5,5 S 10,10 20,20", L"0:0,0 1:5,5 3:5,5 3:10,10 3:20,20 [0,0,20,20]"},
        {L"M 0 0 L .5 -.5", L"0:0,0 1:0.5,-0.5 [0,-1,1,0]"},
        {L"M 0,0 Z L 1,1", L"80:0,0 0:0,0 1:1,1 [0,0,1,1]"},
        {L" \r\n", L" [0,0,0,0]"},
        {L"F2 M 0,0", At(1)},
        {L"L 0,0", At(1)},
        {L"M,0,0", At(1)},
        {L"M 0,0 L 10,,10", At(11)},
        {L"M 0,0 L 10", At(10)},
        {L"M 0,0 L 10,10,", At(14)},
        {L"M 1e2 0", At(3)},
        {L"M 0,0 Q 1,1", At(7)},
        // Coordinates past the range are refused where reading reached them.
        {L"M 0,0 L " + digits + L",0", At(15)},
        {L"M 0,0 L 9999999,0 l 9999999,0", At(29)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ReadPath(c.text)) << c.text.substr(0, 60);
}

TEST_F(PathGeometry, ScaledCopiesMapTheBoundsOntoTheSize)
{
    const MARKUP_POINTF points[] = {{0, 0}, {100, 0}};
    const BYTE types[] = {0, 1};
    CRef<CZPMarkupPathGeometry> geometry(new CZPMarkupPathGeometry(points, types, 2));
    geometry->m_nPixelOffsetMode = 4;
    CRef<CZPMarkupPathGeometry> scaled(geometry->ScaleTo(200, 40));
    EXPECT_EQ(200, scaled->GetPoints()[1].x);
    EXPECT_EQ(0, scaled->GetPoints()[1].y); // no height: kept
    EXPECT_EQ(4, scaled->m_nPixelOffsetMode);
    EXPECT_EQ(1, scaled->GetTypes()[1]);

    const POINT big[] = {{-10000000, 0}, {10000000, 7}};
    CZPMarkupPointCollection collection(big, 2);
    POINT out[2];
    collection.GetScaledPoints(out, 2000, 70);
    EXPECT_EQ(0, out[0].x);
    EXPECT_EQ(2000, out[1].x); // the products pass 32 bits
    EXPECT_EQ(70, out[1].y);
}

TEST_F(PathGeometry, PointListsReadPairsOrFailWhole)
{
    const struct
    {
        const wchar_t* text;
        int nCount; // -1: fails
    } cases[] = {
        {L"0,0 10,20", 2}, {L"0 0 10 20", 2}, {L"0,0, 10,20", 2}, {L"-5,-5  ", 1}, {L"", 0},
        {L"0 ,0", -1},     {L"0,0 10,20 30", -1}, {L"+1,1", -1},  {L"1,x", -1}, {L"99999999999999999999,0", -1},
    };
    CZPMarkupPointCollection reader;
    for (const auto& c : cases)
    {
        CRef<CZPMarkupString> value(CZPMarkupString::CreateValue(c.text));
        CRef<CZPMarkupPointCollection> points(static_cast<CZPMarkupPointCollection*>(reader.ConvertFrom(NULL, value)));
        EXPECT_EQ(c.nCount, points.Get() != NULL ? points->GetCount() : -1) << c.text;
    }
    CRef<CZPMarkupString> value(CZPMarkupString::CreateValue(L"0,10 -5,20 30,-1"));
    CRef<CZPMarkupPointCollection> points(static_cast<CZPMarkupPointCollection*>(reader.ConvertFrom(NULL, value)));
    const RECT& rc = points->GetBounds();
    EXPECT_EQ(-5, rc.left);
    EXPECT_EQ(-1, rc.top);
    EXPECT_EQ(30, rc.right);
    EXPECT_EQ(20, rc.bottom);
}
