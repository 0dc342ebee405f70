// Tool records filled by tool hit tests.
#include "common/ZPToolInfo.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

const HWND kToolWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
const RECT kToolRect = {1, 2, 30, 40};

void FreeStrings(TOOLINFOW& ti, ZP_TOOLTIP_EXTRA& extra)
{
    free(ti.lpszText);
    free(extra.lpszTitle);
    free(extra.lpszDescription);
}

}   // namespace

TEST(ToolInfo, SizesAreThoseOfTheToolRecordVersions)
{
    EXPECT_EQ(static_cast<UINT>(TTTOOLINFOW_V1_SIZE), ZP_TTTOOLINFO_SIZE);
    EXPECT_EQ(static_cast<UINT>(TTTOOLINFOW_V2_SIZE), ZP_TTTOOLINFO_SIZE_EX);
    // Four pointer-sized fields in the first version, one more in the second.
    const bool wide = sizeof(void*) == 8;
    EXPECT_EQ(wide ? 56u : 40u, ZP_TTTOOLINFO_SIZE);
    EXPECT_EQ(wide ? 64u : 44u, ZP_TTTOOLINFO_SIZE_EX);
}

TEST(ToolInfo, FillsWindowIdRectangleAndTextCopy)
{
    TOOLINFOW ti = {};
    ti.cbSize = ZP_TTTOOLINFO_SIZE;
    const wchar_t text[] = L"Open";
    ZpFillToolInfo(&ti, kToolWnd, kToolRect, 7, text);
    EXPECT_EQ(kToolWnd, ti.hwnd);
    EXPECT_EQ(7u, ti.uId);
    EXPECT_TRUE(::EqualRect(&kToolRect, &ti.rect));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_NE(text, ti.lpszText);
    EXPECT_STREQ(L"Open", ti.lpszText);
    free(ti.lpszText);

    ti.lpszText = NULL;
    ZpFillToolInfo(&ti, kToolWnd, kToolRect, 8, NULL);
    EXPECT_EQ(nullptr, ti.lpszText);
}

TEST(ToolInfo, RecordTooSmallOrNullIsLeftAlone)
{
    TOOLINFOW ti = {};
    ti.cbSize = ZP_TTTOOLINFO_SIZE - 1;
    ZpFillToolInfo(&ti, kToolWnd, kToolRect, 7, L"Open");
    EXPECT_EQ(nullptr, ti.hwnd);
    EXPECT_EQ(0u, ti.uId);
    EXPECT_EQ(nullptr, ti.lpszText);
    ZpFillToolInfo(NULL, kToolWnd, kToolRect, 7, L"Open");
    ZpFillToolInfoEx(NULL, kToolWnd, kToolRect, 7, L"Open", L"T", L"D", NULL);
}

TEST(ToolInfo, ExtraBlockGetsTitleAndDescriptionOnlyWhenBothAreThere)
{
    CZPImageManager* const pImages = reinterpret_cast<CZPImageManager*>(static_cast<UINT_PTR>(0x4321));
    struct Case
    {
        UINT cbSize;
        LPCWSTR lpszTitle;
        LPCWSTR lpszDescription;
        bool bStrings;
        bool bImages;
    };
    const Case cases[] = {
        {ZP_TTTOOLINFO_SIZE_EX, L"Save", L"Saves the file", true, true},
        {ZP_TTTOOLINFO_SIZE_EX, L"", L"Saves the file", false, true},
        {ZP_TTTOOLINFO_SIZE_EX, L"Save", L"", false, true},
        {ZP_TTTOOLINFO_SIZE_EX, NULL, L"Saves the file", false, true},
        {ZP_TTTOOLINFO_SIZE_EX, L"Save", NULL, false, true},
        {ZP_TTTOOLINFO_SIZE, L"Save", L"Saves the file", false, false},
        {ZP_TTTOOLINFO_SIZE_EX + 4, L"Save", L"Saves the file", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.cbSize << " title " << (c.lpszTitle ? "set" : "null"));
        TOOLINFOW ti = {};
        ZP_TOOLTIP_EXTRA extra = {};
        ti.cbSize = c.cbSize;
        ti.lParam = reinterpret_cast<LPARAM>(&extra);
        ZpFillToolInfoEx(&ti, kToolWnd, kToolRect, 9, L"Save", c.lpszTitle, c.lpszDescription, pImages);
        EXPECT_EQ(9u, ti.uId);
        EXPECT_STREQ(L"Save", ti.lpszText);
        if (c.bStrings) {
            EXPECT_STREQ(c.lpszTitle, extra.lpszTitle);
            EXPECT_STREQ(c.lpszDescription, extra.lpszDescription);
        } else {
            EXPECT_EQ(nullptr, extra.lpszTitle);
            EXPECT_EQ(nullptr, extra.lpszDescription);
        }
        EXPECT_EQ(c.bImages ? pImages : nullptr, extra.pImageManager);
        FreeStrings(ti, extra);
    }
}

TEST(ToolInfo, ExtendedRecordWithoutExtraBlockGetsOnlyTheBasics)
{
    TOOLINFOW ti = {};
    ti.cbSize = ZP_TTTOOLINFO_SIZE_EX;
    ZpFillToolInfoEx(&ti, kToolWnd, kToolRect, 3, L"Cut", L"Cut", L"Moves the selection", NULL);
    EXPECT_EQ(3u, ti.uId);
    EXPECT_EQ(0, ti.lParam);
    free(ti.lpszText);
}
