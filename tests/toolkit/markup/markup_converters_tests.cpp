// Words of the markup vocabulary: colour names, system colours, enumerations, lengths, cursors.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class MarkupWords : public CMarkupLeakCheck
{
};

TEST_F(MarkupWords, FindColourNamesWholeInAnyCase)
{
    struct
    {
        const wchar_t* text;
        bool bFound;
        COLORREF clr;
    } cases[] = {
        {L"red", true, RGB(255, 0, 0)},
        {L"Red", true, RGB(255, 0, 0)},
        {L"RED", true, RGB(255, 0, 0)},
        {L"LIME", true, RGB(0, 255, 0)},
        {L"BLACK", true, RGB(0, 0, 0)},
        {L"Tan", true, RGB(0xD2, 0xB4, 0x8C)},
        {L"CornflowerBlue", true, RGB(0x64, 0x95, 0xED)},
        {L"LightGoldenrodYellow", true, RGB(0xFA, 0xFA, 0xD2)},
        {L"aliceblue", true, RGB(0xF0, 0xF8, 0xFF)},
        {L"YellowGreen", true, RGB(0x9A, 0xCD, 0x32)},
        {L"Gray", true, RGB(0x80, 0x80, 0x80)},
        {L"DarkSlateGray", true, RGB(0x2F, 0x4F, 0x4F)},
        {L"Grey", false, 0},
        {L"DarkGrey", false, 0},
        {L"Transparent", false, 0},
        {L" Red", false, 0},
        {L"Red ", false, 0},
        {L"Re", false, 0},
        {L"", false, 0},
        {L"1Red", false, 0},
        {L"LightGoldenrodYellowX", false, 0},
        {L"RebeccaPurple", false, 0},
        {NULL, false, 0},
    };
    for (const auto& c : cases)
    {
        COLORREF clr = 0x12345678;
        EXPECT_EQ(c.bFound, ZpMarkupLookupNamedColor(c.text, clr) != FALSE) << (c.text ? c.text : L"(null)");
        if (c.bFound)
        {
            EXPECT_EQ(c.clr, clr) << c.text;
        }
    }
}

TEST_F(MarkupWords, FindSystemColoursByPrefixInTableOrder)
{
    struct
    {
        const wchar_t* text;
        const wchar_t* suffix;
        int nIndex;
    } cases[] = {
        {L"SystemColors.ScrollBarColor", L"Color", COLOR_SCROLLBAR}, // index 0 is found
        {L"SystemColors.HighlightTextBrush", L"Brush", COLOR_HIGHLIGHTTEXT},
        {L"SystemColors.ControlColor", L"Color", COLOR_BTNFACE},
        {L"SystemColors.ControlDarkDarkColor", L"Color", COLOR_3DDKSHADOW},
        {L"SystemColors.ActiveColorKey", L"ColorKey", COLOR_ACTIVEBORDER},
        {L"SystemColors.MenuBarBrushKey", L"BrushKey", COLOR_MENUBAR},
        {L"SystemColors.WindowTextColor", L"Color", COLOR_WINDOWTEXT},
        {L"SystemColors.highlightColor", L"Color", -1},
        {L"SystemColors.NothingColor", L"Color", -1},
        {L"SystemColors.Color", L"Color", -1},   // shorter than 20 characters
        {L"SystemColors.MenuColor", L"Color", COLOR_MENU},
        {L"SystemColors.WindowBrush", L"Color", -1},
        {L"systemColors.WindowColor", L"Color", -1},
        {L"SystemColors.WindowColor", L"color", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nIndex, ZpMarkupLookupSystemColorMember(c.text, c.suffix)) << c.text;
    EXPECT_EQ(COLOR_ACTIVEBORDER, ZpMarkupLookupSystemColor(L"", 0));
    EXPECT_EQ(COLOR_BTNFACE, ZpMarkupLookupSystemColor(L"ControlXYZ", 7));
    EXPECT_EQ(-1, ZpMarkupLookupSystemColor(L"WindowTextX", 11));
}

struct EnumCase
{
    PFNZPMARKUPCONVERTER pfnConverter;
    const wchar_t* text;
    int nValue; // -1: refused
};

TEST_F(MarkupWords, ConvertEnumerationWordsWholeAndWithoutNumbers)
{
    const EnumCase cases[] = {
        {&ZpMarkupConvertFontWeight, L"bold", 700},
        {&ZpMarkupConvertFontWeight, L"ExtraBlack", 950},
        {&ZpMarkupConvertFontWeight, L"700", -1},
        {&ZpMarkupConvertFontWeight, L"Bold ", -1},
        {&ZpMarkupConvertFontStyle, L"Italic", 1},
        {&ZpMarkupConvertFontStyle, L"oblique", -1},
        {&ZpMarkupConvertFontQuality, L"cleartype", 5},
        {&ZpMarkupConvertTextDecorations, L"", 0},
        {&ZpMarkupConvertTextDecorations, L"STRIKETHROUGH", 2},
        {&ZpMarkupConvertTextDecorations, L"None", -1},
        {&ZpMarkupConvertHorizontalAlignment, L"center", 1},
        {&ZpMarkupConvertVerticalAlignment, L"Bottom", 2},
        {&ZpMarkupConvertTextWrapping, L"WrapWithOverflow", 2},
        {&ZpMarkupConvertTextTrimming, L"wordellipsis", 2},
        {&ZpMarkupConvertTextAlignment, L"Justify", 3},
        {&ZpMarkupConvertOrientation, L"vertical", 1},
        {&ZpMarkupConvertBaselineAlignment, L"Superscript", 7},
        {&ZpMarkupConvertVisibility, L"collapsed", 2},
        {&ZpMarkupConvertScrollBarVisibility, L"Auto", 1},
        {&ZpMarkupConvertStretch, L"UniformToFill", 3},
        {&ZpMarkupConvertTabNavigation, L"Cycle", 2},
        {&ZpMarkupConvertTabNavigation, L"local", 5},
        {&ZpMarkupConvertTabNavigation, L"Sideways", -1},
        {&ZpMarkupConvertTabNavigation, L"2", -1},
    };
    for (const EnumCase& c : cases)
    {
        CRef<CZPMarkupString> pText(new CZPMarkupString(c.text));
        CRef<CZPMarkupObject> pValue(c.pfnConverter(NULL, pText));
        if (c.nValue < 0)
        {
            EXPECT_EQ(NULL, pValue.Get()) << c.text;
            continue;
        }
        CZPMarkupEnum* pEnum = ZpMarkupCast<CZPMarkupEnum>(pValue.Get());
        ASSERT_TRUE(pEnum != NULL) << c.text;
        EXPECT_EQ(c.nValue, pEnum->m_nValue) << c.text;
    }
    CRef<CZPMarkupInt> pNotText(new CZPMarkupInt(1));
    EXPECT_EQ(NULL, ZpMarkupConvertFontWeight(NULL, pNotText));
    EXPECT_EQ(NULL, ZpMarkupConvertLength(NULL, NULL));
}

TEST_F(MarkupWords, ConvertLengthsWithUnitsWithoutWrapping)
{
    struct
    {
        const wchar_t* text;
        int nValue;
    } cases[] = {
        {L"Auto", 2147483647}, {L"auto", 2147483647}, {L"Autos", 0},      {L"0.5in", 0},
        {L"1in", 96},          {L"2in", 192},         {L"9pt", 12},       {L"12.5pt", 16},
        {L"1pt", 1},           {L"2pt", 3},           {L"-9pt", -12},     {L"3cm", 113},
        {L"10px", 10},         {L"10PT", 13},         {L"42", 42},        {L"7x", 7},
        {L"abc", 0},           {L"", 0},
        // Saturated below the "Auto" sentinel, in every unit, never wrapped.
        {L"99999999999", 2147483646},
        {L"30000000in", 2147483646},
        {L"-30000000in", -2147483646},
        {L"2147483646pt", 2147483646},
        {L"99999999999cm", 2147483646},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupString> pText(new CZPMarkupString(c.text));
        CRef<CZPMarkupObject> pValue(ZpMarkupConvertLength(NULL, pText));
        CZPMarkupInt* pInt = ZpMarkupCast<CZPMarkupInt>(pValue.Get());
        ASSERT_TRUE(pInt != NULL) << c.text;
        EXPECT_EQ(c.nValue, pInt->m_nValue) << c.text;
    }
}

TEST_F(MarkupWords, ConvertCursorNamesAndFallBackToNumbers)
{
    struct
    {
        const wchar_t* text;
        int nValue;
    } cases[] = {
        {L"hand", 32649}, {L"sizeall", 32646}, {L"Arrow", 32512}, {L"None", 0}, {L"IBEAM", 32513},
        // Not a name: the cursor property reads the text as an integer.
        {L"32649", 32649}, {L"Hnad", 0},
    };
    for (const auto& c : cases)
    {
        CZPMarkupString* pText = new CZPMarkupString(c.text);
        CRef<CZPMarkupObject> pValue(
            ZpMarkupConvertPropertyValue(NULL, CZPMarkupInputElement::m_pCursorProperty, pText));
        pText->Release();
        CZPMarkupInt* pInt = ZpMarkupCast<CZPMarkupInt>(pValue.Get());
        ASSERT_TRUE(pInt != NULL) << c.text;
        EXPECT_EQ(c.nValue, pInt->m_nValue) << c.text;
    }
}
}
