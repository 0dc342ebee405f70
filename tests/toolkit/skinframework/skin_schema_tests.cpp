// Reading scheme texts into typed properties, and the typed queries with their fall-back.
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerSchema.h"

#include "skin_test_support.h"

#include <framework/refptr.h>

#include <gtest/gtest.h>

namespace {

const int kWindow = 6, kButton = 7, kGlobals = 1, kCaption = 1, kInactive = 2;
const int kTextColor = 3803, kImageCount = 2401, kImageFile = 3001, kSizingMargins = 3601, kBgType = 4001;
const int kCaptionFont = 801, kTransparent = 2201, kOffset = 3401, kIntList = 211;

class SkinSchemaTest : public ::testing::Test
{
protected:
    CRefPtr<CZPSkinManagerSchema> Read(std::vector<CString> lines)
    {
        CRefPtr<CZPSkinManagerResourceFile> file =
            CRefPtr<CZPSkinManagerResourceFile>::Adopt(new CLinesResourceFile(&m_manager, std::move(lines)));
        CRefPtr<CZPSkinManagerSchema> schema = CRefPtr<CZPSkinManagerSchema>::Adopt(file->CreateSchema());
        EXPECT_EQ(0, schema->ReadProperties());
        return schema;
    }

    CZPSkinManager m_manager;
};

TEST_F(SkinSchemaTest, ValuesParseByTheirType)
{
    struct Case
    {
        LPCWSTR lpszLine;
        int nPropertyId;
        int nType;
        LONG values[4];  // integer/colour/enum in [0]; rectangle fields by name; position x, y
    };
    const Case cases[] = {
        { L"TextColor = 255 0 0", kTextColor, 4, { RGB(255, 0, 0) } },
        { L"TextColor = 0xFF 0 0", kTextColor, 4, { RGB(255, 0, 0) } },
        { L"TextColor = 010 0 0", kTextColor, 4, { RGB(8, 0, 0) } },
        { L"TextColor = 255,0,0", kTextColor, 4, { RGB(255, 0, 0) } },
        { L"TextColor = 1 2", kTextColor, 4, { RGB(1, 2, 0) } },
        { L"TextColor = 300 0 0", kTextColor, 4, { RGB(44, 0, 0) } },
        { L"TextColor = 99999999999999 0 0", kTextColor, 4, { RGB(255, 0, 0) } },
        { L"TextColor = red", kTextColor, 4, { 0 } },
        { L"ImageCount = 12abc", kImageCount, 2, { 12 } },
        { L"ImageCount = -5", kImageCount, 2, { -5 } },
        { L"ImageCount = 99999999999999", kImageCount, 2, { 0x7FFFFFFF } },
        { L"ImageCount = -99999999999999", kImageCount, 2, { LONG(0x80000000) } },
        { L"ImageCount = x", kImageCount, 2, { 0 } },
        { L"SizingMargins = 1, 2, 3, 4", kSizingMargins, 5, { 1, 2, 3, 4 } },
        { L"SizingMargins = 1,2", kSizingMargins, 5, { 1, 2, 0, 0 } },
        { L"SizingMargins = 1 ,2,3,4", kSizingMargins, 5, { 1, 0, 0, 0 } },
        { L"Offset = 3, -4", kOffset, 9, { 3, -4 } },
        { L"Offset = 0x10,010", kOffset, 9, { 16, 8 } },
        { L"BgType = BorderFill", kBgType, 8, { 1 } },
        { L"BgType = Nothing", kBgType, 8, { -1 } },
        { L"Transparent = true", kTransparent, 3, { 1 } },
        { L"Transparent = yes", kTransparent, 3, { 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.lpszLine).GetString());
        CRefPtr<CZPSkinManagerSchema> schema = Read({ L"[Button]", c.lpszLine });
        CZPSkinManagerSchemaProperty* pProperty = schema->FindProperty(kButton, 0, 0, c.nPropertyId);
        ASSERT_NE(nullptr, pProperty);
        EXPECT_EQ(c.nType, pProperty->m_nType);
        EXPECT_EQ(c.nPropertyId, pProperty->m_nPropertyId);
        if (c.nType == 5) {
            EXPECT_EQ(c.values[0], pProperty->m_rcValue.left);
            EXPECT_EQ(c.values[1], pProperty->m_rcValue.right);
            EXPECT_EQ(c.values[2], pProperty->m_rcValue.top);
            EXPECT_EQ(c.values[3], pProperty->m_rcValue.bottom);
        } else if (c.nType == 9) {
            EXPECT_EQ(c.values[0], pProperty->m_ptValue.x);
            EXPECT_EQ(c.values[1], pProperty->m_ptValue.y);
        } else {
            EXPECT_EQ(c.values[0], pProperty->m_nValue);
        }
    }
}

TEST_F(SkinSchemaTest, StringsAreUpperCasedAndCutAtTheComment)
{
    CRefPtr<CZPSkinManagerSchema> schema = Read({ L"[Button.PushButton]", L"ImageFile = Blue\\a.bmp ; note" });
    CZPSkinManagerSchemaProperty* pProperty = schema->FindProperty(kButton, 1, 0, kImageFile);
    ASSERT_NE(nullptr, pProperty);
    EXPECT_STREQ(L"BLUE\\A.BMP", pProperty->m_lpszValue);
}

TEST_F(SkinSchemaTest, FontsParseFaceSizeAndStyle)
{
    HDC hScreenDC = ::GetDC(NULL);
    const int nDpi = ::GetDeviceCaps(hScreenDC, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreenDC);
    CRefPtr<CZPSkinManagerSchema> schema =
        Read({ L"[SysMetrics]", L"CaptionFont = Segoe UI, 9, Bold", L"[Window]", L"CaptionFont = Tahoma, 8",
               L"[Button]", L"CaptionFont = ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGH, 9, Bold" });
    LOGFONTW lf;
    ASSERT_EQ(S_OK, schema->GetFontProperty(3, 0, 0, kCaptionFont, &lf));
    EXPECT_STREQ(L"SEGOE UI", lf.lfFaceName);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(-::MulDiv(9, nDpi, 72), lf.lfHeight);
    ASSERT_EQ(S_OK, schema->GetFontProperty(kWindow, 0, 0, kCaptionFont, &lf));
    EXPECT_STREQ(L"TAHOMA", lf.lfFaceName);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    // A face beyond 31 characters stops the parse with an empty face.
    ASSERT_EQ(S_OK, schema->GetFontProperty(kButton, 0, 0, kCaptionFont, &lf));
    EXPECT_STREQ(L"", lf.lfFaceName);
    EXPECT_EQ(0, lf.lfHeight);
}

TEST_F(SkinSchemaTest, LinesThatCountAndLinesThatDoNot)
{
    CRefPtr<CZPSkinManagerSchema> schema = Read({
        L"TextColor = 9 9 9",  // before any section
        L"[Window.Caption]",
        L"  ; a comment",
        L"TextColor = 1 1 1",
        L"TextColor = 2 2 2",  // the last line wins
        L"IntList = 1, 2, 3",  // not supported: nothing stored
        L"NoSuchProperty = 1",
        L"= 5 5 5",
        L"[Window.Frameleft] ",  // a trailing space: rejected with its lines
        L"TextColor = 3 3 3",
        L"[Explorer::Toolbar]",
        L"TextColor = 4 4 4",
        L"[",
        L"TextColor = 5 5 5",
        L"[Window.Caption",  // read as WINDOW.CAPTIO: rejected
        L"TextColor = 6 6 6",
    });
    COLORREF clr = 0;
    ASSERT_EQ(S_OK, schema->GetColorProperty(kWindow, kCaption, 0, kTextColor, &clr));
    EXPECT_EQ(RGB(2, 2, 2), clr);
    EXPECT_EQ(nullptr, schema->FindProperty(kWindow, kCaption, 0, kIntList));
    EXPECT_EQ(E_FAIL, schema->GetColorProperty(kWindow, 7, 0, kTextColor, &clr));
    EXPECT_EQ(1u, schema->GetPropertyCount());
}

TEST_F(SkinSchemaTest, LookupFallsBackFromStateToPartToClassToGlobals)
{
    std::vector<CString> lines = { L"[Globals]",
                                   L"TextColor = 4 4 4",
                                   L"[Window]",
                                   L"TextColor = 3 3 3",
                                   L"[Window.Caption]",
                                   L"TextColor = 2 2 2",
                                   L"[Window.Caption(Inactive)]",
                                   L"TextColor = 1 1 1" };
    for (int nLevel = 0; nLevel < 4; ++nLevel) {
        CRefPtr<CZPSkinManagerSchema> schema = Read(std::vector<CString>(lines.begin(), lines.end() - 2 * nLevel));
        COLORREF clr = 0;
        ASSERT_EQ(S_OK, schema->GetColorProperty(kWindow, kCaption, kInactive, kTextColor, &clr));
        EXPECT_EQ(RGB(nLevel + 1, nLevel + 1, nLevel + 1), clr);
    }
    CRefPtr<CZPSkinManagerSchema> schema = Read(lines);
    COLORREF clr = 0;
    ASSERT_EQ(S_OK, schema->GetColorProperty(kButton, 1, 1, kTextColor, &clr));
    EXPECT_EQ(RGB(4, 4, 4), clr);
}

TEST_F(SkinSchemaTest, TypedGettersCheckTheType)
{
    CRefPtr<CZPSkinManagerSchema> schema =
        Read({ L"[Button]", L"ImageCount = 5", L"Transparent = True", L"TextColor = 1 2 3" });
    COLORREF clr = 0;
    int n = 0;
    BOOL b = FALSE;
    LOGFONTW lf;
    EXPECT_EQ(E_INVALIDARG, schema->GetColorProperty(kButton, 0, 0, kImageCount, &clr));
    EXPECT_EQ(E_INVALIDARG, schema->GetIntProperty(kButton, 0, 0, kTransparent, &n));
    EXPECT_EQ(E_INVALIDARG, schema->GetBoolProperty(kButton, 0, 0, kTextColor, &b));
    EXPECT_EQ(E_INVALIDARG, schema->GetFontProperty(kButton, 0, 0, kImageCount, &lf));
    EXPECT_EQ(E_FAIL, schema->GetColorProperty(kButton, 0, 0, 3802, &clr));
    EXPECT_EQ(S_OK, schema->GetIntProperty(kButton, 0, 0, kImageCount, &n));
    EXPECT_EQ(5, n);
    EXPECT_EQ(S_OK, schema->GetBoolProperty(kButton, 0, 0, kTransparent, &b));
    EXPECT_TRUE(b);
}

TEST_F(SkinSchemaTest, QueriesWithoutAKeyOfTheirOwnAnswerNothing)
{
    // WINDOW.CAPTION's key is also class 6 + 64 and property ids wrap into the class at 16384.
    CRefPtr<CZPSkinManagerSchema> schema =
        Read({ L"[Window.Caption]", L"TextColor = 1 1 1", L"[Globals]", L"ImageCount = 3" });
    ASSERT_NE(nullptr, schema->FindProperty(kWindow, kCaption, 0, kTextColor));
    EXPECT_EQ(nullptr, schema->FindProperty(kWindow + 64, 0, 0, kTextColor));
    EXPECT_EQ(nullptr, schema->FindProperty(kWindow, kCaption + 64, 0, kTextColor));
    EXPECT_EQ(nullptr, schema->FindProperty(kWindow, 0, 64, kTextColor));
    EXPECT_EQ(nullptr, schema->FindProperty(0, 0, 0, kImageCount + 16384));
    EXPECT_EQ(nullptr, schema->FindProperty(-1, 0, 0, kImageCount));
}

TEST_F(SkinSchemaTest, AlphaLevel255OfTheDocumentationStopsAlphaConversion)
{
    EXPECT_TRUE(Read({ L"[Documentation]", L"AlphaLevel = 254" })->IsAlphaConversion());
    EXPECT_FALSE(Read({ L"[Documentation]", L"AlphaLevel = 255" })->IsAlphaConversion());
    EXPECT_FALSE(Read({ L"[Globals]", L"AlphaLevel = 255" })->IsAlphaConversion());
}

TEST_F(SkinSchemaTest, OneHundredThousandProperties)
{
    std::vector<CString> lines;
    const int kSections = 1000, kPerSection = 100;
    for (int s = 0; s < kSections; ++s) {
        CString strHeader;
        strHeader.Format(L"[Window.%s]", s % 2 == 0 ? L"Caption" : L"FrameLeft");
        lines.push_back(strHeader);
        for (int p = 0; p < kPerSection; ++p) {
            CString strLine;
            strLine.Format(L"FromColor%d = %d %d %d", p % 5 + 1, s % 256, p, 7);
            lines.push_back(strLine);
        }
    }
    CRefPtr<CZPSkinManagerSchema> schema = Read(std::move(lines));
    EXPECT_EQ(10u, schema->GetPropertyCount());
    COLORREF clr = 0;
    ASSERT_EQ(S_OK, schema->GetColorProperty(kWindow, 7, 0, 2005, &clr));
    EXPECT_EQ(RGB(999 % 256, 99, 7), clr);
}

}  // namespace
