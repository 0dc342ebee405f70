// Opening skins: the sample module and folder skins, Wine's light.msstyles, the fixture module
// of odd scheme texts, and what must fail cleanly.
#include "skinframework/ZPSkinDrawTools.h"
#include "skinframework/ZPSkinImage.h"
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerResourceFile.h"

#include "TempFile.h"
#include "skin_test_support.h"

#include <framework/refptr.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SkinResourceFileTest : public ::testing::Test
{
protected:
    SkinResourceFileTest()
        : m_file(CRefPtr<CZPSkinManagerResourceFile>::Adopt(new CZPSkinManagerResourceFile(&m_manager)))
    {}

    std::vector<CString> ReadAll()
    {
        std::vector<CString> lines;
        CString strLine;
        while (m_file->ReadLine(strLine))
            lines.push_back(strLine);
        return lines;
    }

    CZPSkinManager m_manager;
    CRefPtr<CZPSkinManagerResourceFile> m_file;
};

TEST_F(SkinResourceFileTest, ModuleSkinOpensItsDefaultScheme)
{
    ASSERT_TRUE(m_file->OpenFile(SampleSkinPath(L"Slate.zpstyles"), NULL));
    EXPECT_EQ(CString(L"NormalBlue_ini"), m_file->GetIniName());
    // Mapped as a data file: its code never runs.
    EXPECT_NE(0u, reinterpret_cast<ULONG_PTR>(m_file->GetModule()) & 3);
    std::vector<CString> lines = ReadAll();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(CString(L"; NormalBlue: the sample module skin's NormalBlue scheme"), lines[0]);
}

TEST_F(SkinResourceFileTest, SchemeNamesIgnoreCaseAndTheByteOrderMark)
{
    ASSERT_TRUE(m_file->OpenFile(SampleSkinPath(L"Slate.zpstyles"), L"NormalBlue.ini"));
    std::vector<CString> blue = ReadAll();
    ASSERT_TRUE(m_file->OpenFile(SampleSkinPath(L"Slate.zpstyles"), L"NORMALBLUE.INI"));
    EXPECT_EQ(blue, ReadAll());
    ASSERT_TRUE(m_file->OpenFile(SampleSkinPath(L"Slate.zpstyles"), L"NormalSilver.ini"));
    std::vector<CString> silver = ReadAll();
    ASSERT_EQ(blue.size(), silver.size());
    EXPECT_EQ(CString(L"; NormalSilver: the sample module skin's NormalSilver scheme"), silver[0]);

    ASSERT_TRUE(m_file->OpenFile(FixturesPath(), L"bom.ini"));
    std::vector<CString> withMark = ReadAll();
    ASSERT_TRUE(m_file->OpenFile(FixturesPath(), L"nobom.ini"));
    EXPECT_EQ(withMark, ReadAll());
    EXPECT_EQ(2u, withMark.size());
}

TEST_F(SkinResourceFileTest, OddSchemeTexts)
{
    struct Case
    {
        LPCWSTR lpszIni;
        size_t nLines;
    };
    const Case cases[] = {
        { L"empty.ini", 0 },   { L"onebyte.ini", 0 }, { L"odd.ini", 2 },
        { L"bomonly.ini", 0 }, { L"lfonly.ini", 0 },  { L"nocr.ini", 2 },  // the last line lacks its CR
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.lpszIni).GetString());
        ASSERT_TRUE(m_file->OpenFile(FixturesPath(), c.lpszIni));
        std::vector<CString> lines = ReadAll();
        EXPECT_EQ(c.nLines, lines.size());
        if (!lines.empty()) {
            EXPECT_EQ(CString(L"BtnFace = 1 2 3"), lines.back());
        }
    }
}

TEST_F(SkinResourceFileTest, FolderSkinReadsItsIniAndPictures)
{
    ASSERT_TRUE(m_file->OpenFile(SampleSkinPath(L"Meadow"), L"Meadow.ini"));
    EXPECT_EQ(NULL, m_file->GetModule());
    std::vector<CString> lines = ReadAll();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(CString(L"; The sample folder skin"), lines[0]);
    EXPECT_FALSE(m_file->ReadLine(lines[0]));

    std::unique_ptr<CZPSkinImage> pButton(m_file->LoadImageFile(L"Button.bmp"));
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(CSize(16, 105), pButton->GetSize());
    std::unique_ptr<CZPSkinImage> pCheck(m_file->LoadImageFile(L"Check.png"));
    ASSERT_NE(nullptr, pCheck);
    EXPECT_TRUE(pCheck->IsAlphaImage());
    EXPECT_EQ(nullptr, m_file->LoadImageFile(L"Missing.bmp"));
    EXPECT_EQ(nullptr, m_file->LoadImageFile(L"."));
}

TEST_F(SkinResourceFileTest, ModulePicturesOfEveryKind)
{
    ASSERT_TRUE(m_file->OpenFile(SampleSkinPath(L"Slate.zpstyles"), NULL));
    struct Case
    {
        LPCWSTR lpszName;
        CSize size;
        BOOL bAlpha;
    };
    const Case cases[] = {
        { L"BLUE\\BUTTON.BMP", CSize(16, 105), FALSE },  // 8 bits with a palette
        { L"Blue\\Caption.bmp", CSize(32, 48), FALSE },  // 24 bits
        { L"BLUE\\ARROWS.BMP", CSize(17, 272), TRUE },   // 32 bits, 124-byte header, bit fields
        { L"BLUE\\CHECK.PNG", CSize(13, 156), TRUE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.lpszName).GetString());
        std::unique_ptr<CZPSkinImage> pImage(m_file->LoadImageFile(c.lpszName));
        ASSERT_NE(nullptr, pImage);
        EXPECT_EQ(c.size, pImage->GetSize());
        EXPECT_EQ(c.bAlpha, pImage->IsAlphaImage());
    }
    EXPECT_EQ(nullptr, m_file->LoadImageFile(L"BLUE\\MISSING.BMP"));
    EXPECT_EQ(nullptr, m_file->LoadImageFile(L""));
}

TEST_F(SkinResourceFileTest, WinesLightStyleOpensOnlyWithAnIniName)
{
    EXPECT_FALSE(m_file->OpenFile(LightStylesPath(), NULL));
    ASSERT_TRUE(m_file->OpenFile(LightStylesPath(), L"Blue.ini"));
    std::vector<CString> lines = ReadAll();
    EXPECT_GE(lines.size(), 2400u);
}

TEST_F(SkinResourceFileTest, WhatFailsCleanly)
{
    // The first bytes of a real module: headers that promise sections which are not there.
    std::string head(600, '\0');
    {
        CFile source(SampleSkinPath(L"Slate.zpstyles"), CFile::modeRead);
        head.resize(source.Read(&head[0], static_cast<UINT>(head.size())));
    }
    CTempFile truncated(head);
    struct Case
    {
        CString strPath;
        LPCWSTR lpszIni;
    };
    const Case cases[] = {
        { CString(), NULL },
        { CString(), L"NormalBlue.ini" },
        { SampleSkinPath(L"NoSuchSkin.zpstyles"), NULL },
        { SampleSkinPath(L"Meadow"), NULL },  // a folder without an ini name
        { SampleSkinPath(L"Meadow"), L"Missing.ini" },
        { SampleSkinPath(L"Slate.zpstyles"), L"Missing.ini" },
        { CString(static_cast<LPCWSTR>(truncated)), NULL },
        { FixturesPath(), NULL },  // "[File." never closed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.strPath).GetString());
        EXPECT_FALSE(m_file->OpenFile(c.strPath, c.lpszIni));
        CString strLine;
        EXPECT_FALSE(m_file->ReadLine(strLine));
    }
    EXPECT_FALSE(m_file->OpenFile(NULL, NULL));
    m_file->CloseFile();
    EXPECT_EQ(NULL, m_file->GetModule());
}

TEST(SkinBitmapResource, HeadersAreReadAsTheyAre)
{
    HMODULE hModule = ::LoadLibraryExW(FixturesPath(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hModule);
    struct Case
    {
        LPCWSTR lpszName;
        CSize size;
        BOOL bAlpha;
        COLORREF clrTopLeft;
    };
    const Case cases[] = {
        { L"PAL8_BMP", CSize(4, 2), FALSE, RGB(255, 0, 0) },
        { L"TOPDOWN24_BMP", CSize(3, 2), FALSE, RGB(255, 0, 0) },
        { L"FIELDS16_BMP", CSize(2, 2), FALSE, RGB(255, 0, 0) },
        { L"V5ALPHA_BMP", CSize(2, 1), TRUE, RGB(0, 0, 0) },
        { L"ZEROALPHA_BMP", CSize(2, 1), TRUE, RGB(255, 0, 0) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.lpszName).GetString());
        BOOL bAlpha = -1;
        HBITMAP hBitmap = ZpSkinLoadBitmapResource(hModule, c.lpszName, &bAlpha);
        ASSERT_NE(nullptr, hBitmap);
        BITMAP bm = {};
        ::GetObjectW(hBitmap, sizeof(bm), &bm);
        EXPECT_EQ(c.size, CSize(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight));
        EXPECT_EQ(c.bAlpha, bAlpha);
        HDC hDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        EXPECT_EQ(c.clrTopLeft, ::GetPixel(hDC, 0, 0));
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
        ::DeleteObject(hBitmap);
    }
    for (LPCWSTR lpszName : { L"SHORT_BMP", L"HUGE_BMP", L"BIGHEADER_BMP", L"PALETTE_BMP", L"NOSUCH_BMP" }) {
        BOOL bAlpha = -1;
        EXPECT_EQ(nullptr, ZpSkinLoadBitmapResource(hModule, lpszName, &bAlpha)) << CStringA(lpszName).GetString();
        EXPECT_EQ(FALSE, bAlpha);
    }
    ::FreeLibrary(hModule);
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR lpszName, LONG_PTR lParam)
{
    try {
        if (!IS_INTRESOURCE(lpszName))
            reinterpret_cast<std::vector<CString>*>(lParam)->push_back(lpszName);
        return TRUE;
    } catch (...) {
        return FALSE;  // nothing may unwind through the system's enumeration
    }
}

TEST(SkinBitmapResource, EveryPictureOfWinesLightStyleLoads)
{
    HMODULE hModule = ::LoadLibraryExW(LightStylesPath(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hModule);
    std::vector<CString> names;
    ::EnumResourceNamesW(hModule, RT_BITMAP, CollectName, reinterpret_cast<LONG_PTR>(&names));
    EXPECT_EQ(482u, names.size());
    int nAlpha = 0;
    for (const CString& strName : names) {
        BOOL bAlpha = FALSE;
        HBITMAP hBitmap = ZpSkinLoadBitmapResource(hModule, strName, &bAlpha);
        EXPECT_NE(nullptr, hBitmap) << CStringA(strName).GetString();
        nAlpha += bAlpha ? 1 : 0;
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
    }
    EXPECT_EQ(404, nAlpha);
    ::FreeLibrary(hModule);
}

}  // namespace
