// Pictures entering the manager from strips, toolbar and icon resources, image lists, BMP,
// ICO and PNG files and resources; PNG decoding; damaged files.
#include "image_test_support.h"
#include "image_tests_ids.h"

#include "common/ZPGraphicBitmapPng.h"

#include "DibSection.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);

// The pixel at (x, y) from the top of any 32-bpp bitmap, blue green red alpha.
DWORD PixelOf(HBITMAP hBitmap, int x, int y)
{
    PBITMAPINFO pInfo = NULL;
    LPBYTE pBits = NULL;
    if (!ZpGetBitmapBits32(NULL, hBitmap, &pInfo, &pBits, NULL))
        return 0xDEADBEEF;
    int cx = pInfo->bmiHeader.biWidth, cy = pInfo->bmiHeader.biHeight;
    DWORD dw = reinterpret_cast<DWORD*>(pBits)[(cy - 1 - y) * cx + x];
    free(pInfo);
    free(pBits);
    return dw;
}

CSize SizeOf(HBITMAP hBitmap)
{
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    return CSize(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
}

COLORREF DrawNormalAt(CZPImageManager& manager, UINT nID, int x, int y, COLORREF clrBack = kWhite)
{
    CZPImageManagerIcon* pIcon = manager.GetImage(nID, 16);
    if (pIcon == NULL)
        return 0xFFFFFFFF;
    CDibSection dib(pIcon->GetWidth(), pIcon->GetHeight(), clrBack);
    CDC dc(dib.GetDC());
    pIcon->DrawNormal(&dc, 0, 0);
    return dib.GetPixel(x, y);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// PNG decoding

TEST(PngDecoding, ColourTypesBecomeThreeOrFourChannels)
{
    struct Case
    {
        const char* lpszFile;
        BOOL bAlpha;
        int x;
        DWORD dwPixel;   // blue green red alpha of pixel (x, 0)
    } cases[] = {
        { "rgb.png", FALSE, 1, Bgra(40, 50, 60, 0) },
        { "gray_alpha.png", TRUE, 1, Bgra(200, 200, 200, 50) },
        { "palette_trns.png", TRUE, 0, Bgra(255, 0, 0, 0) },
        { "palette_trns.png", TRUE, 1, Bgra(0, 0, 255, 255) },
        { "palette_trns_bkgd.png", FALSE, 0, Bgra(0, 0, 255, 0) },   // over the background, blue
        { "rgb16.png", FALSE, 0, Bgra(0x12, 0x56, 0x9A, 0) },
        { "strip_rgba.png", TRUE, 40, Bgra(0, 0, 200, 128) },   // row 8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lpszFile);
        CZPGraphicBitmapPng png;
        ASSERT_TRUE(png.LoadFromPath(Fixture(c.lpszFile).c_str()));
        EXPECT_EQ(png.HasAlpha(), c.bAlpha);
        DIBSECTION ds = {};
        ASSERT_EQ(::GetObjectW(png.m_hObject, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
        const DWORD* pBits = static_cast<const DWORD*>(ds.dsBm.bmBits);
        int y = c.x == 40 ? 8 : 0;
        EXPECT_EQ(pBits[y * ds.dsBm.bmWidth + c.x], c.dwPixel);
    }
    CZPGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromPath(Fixture("rgb.png").c_str()));
    DIBSECTION ds = {};
    ::GetObjectW(png.m_hObject, sizeof(ds), &ds);
    EXPECT_EQ(static_cast<const DWORD*>(ds.dsBm.bmBits)[2], Bgra(70, 80, 90, 0));   // top-down: row 1 follows row 0
}

TEST(PngDecoding, ResourcesAndMemoryFiles)
{
    HMODULE hModule = ::GetModuleHandleW(NULL);
    CZPGraphicBitmapPng png;
    EXPECT_TRUE(png.LoadFromResource(hModule, ::FindResourceW(hModule, MAKEINTRESOURCEW(IDB_IMAGE_STRIP_PNG), L"PNG")));
    EXPECT_TRUE(png.HasAlpha());
    EXPECT_FALSE(png.LoadFromResource(hModule, ::FindResourceW(hModule, MAKEINTRESOURCEW(IDB_IMAGE_SHORT_PNG), L"PNG")));
    EXPECT_EQ(png.m_hObject, nullptr);
    EXPECT_FALSE(png.LoadFromResource(hModule, NULL));
    EXPECT_FALSE(png.LoadFromFile(NULL));

    BYTE notPng[16] = "not a png file";
    CMemFile file(notPng, sizeof(notPng), 0);
    EXPECT_FALSE(png.LoadFromFile(&file));
}

// ---------------------------------------------------------------------------------------------
// Strips, toolbars, image lists, icon resources

TEST(IconLoading, PlainStripsSkipSeparatorsOnlyWhenTheyDoNotCountAsImages)
{
    HMODULE hModule = ::GetModuleHandleW(NULL);
    {
        CZPImageManager manager;
        const UINT ids[] = { 10, 0, 11 };
        ASSERT_TRUE(manager.SetIconsFromBitmapResource(IDB_IMAGE_STRIP_PLAIN, ids, 3, 0, 0, 0));
        EXPECT_EQ(manager.GetImage(10, 16)->GetWidth(), 16);
        EXPECT_EQ(DrawNormalAt(manager, 0, 8, 8), RGB(0, 255, 0));   // id 0 took the middle image
        EXPECT_EQ(DrawNormalAt(manager, 11, 8, 8), RGB(0, 0, 255));
        EXPECT_EQ(DrawNormalAt(manager, 10, 8, 8), RGB(255, 0, 0));
        EXPECT_EQ(DrawNormalAt(manager, 10, 0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));   // magenta was the mask
    }
    {
        CZPImageManager manager;
        const UINT ids[] = { 10, 0, 11, 12 };
        ASSERT_TRUE(manager.SetIconsFromBitmapResource(IDB_IMAGE_STRIP_PLAIN, ids, 4, 16, 16, 0));
        EXPECT_EQ(manager.GetIconSet(0), nullptr);
        EXPECT_EQ(DrawNormalAt(manager, 10, 8, 8), RGB(255, 0, 0));
        EXPECT_EQ(DrawNormalAt(manager, 11, 8, 8), RGB(0, 255, 0));
        EXPECT_EQ(DrawNormalAt(manager, 12, 8, 8), RGB(0, 0, 255));
    }
    (void)hModule;
}

TEST(IconLoading, PlainStripsStoreWhatTheImageListRouteStores)
{
    // Three 16 x 16 pictures in 24 bpp: the magenta key, a colour one step from it, black and
    // white, which stay opaque.
    const int cx = 16, nPictures = 3;
    const COLORREF clrKey = RGB(255, 0, 255);
    auto colorAt = [&](int x, int y) -> COLORREF {
        if ((x + y) % 5 == 0)
            return clrKey;
        if ((x * y) % 7 == 1)
            return RGB(255, 0, 254);
        if (x % 4 == 0)
            return RGB(0, 0, 0);
        return RGB(x * 15, y * 15, (x + y) * 7);
    };
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), cx * nPictures, -cx, 1, 24, BI_RGB };
    LPBYTE pBits = NULL;
    CBitmap strip;
    strip.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), NULL, 0));
    ASSERT_NE(nullptr, strip.m_hObject);
    const int nStride = (cx * nPictures * 3 + 3) / 4 * 4;
    for (int y = 0; y < cx; ++y) {
        for (int x = 0; x < cx * nPictures; ++x) {
            const COLORREF clr = colorAt(x, y);
            LPBYTE p = pBits + y * nStride + x * 3;
            p[0] = GetBValue(clr);
            p[1] = GetGValue(clr);
            p[2] = GetRValue(clr);
        }
    }
    const UINT ids[] = { 20, 0, 21, 22 };  // a separator among more commands than pictures

    CZPImageManager keyed;
    keyed.SetMaskColor(clrKey);
    ASSERT_TRUE(keyed.SetIcons(&strip, ids, 4, cx, cx, 0, FALSE));
    CZPImageManager listed;
    HIMAGELIST hList = ImageList_Create(cx, cx, ILC_COLOR24 | ILC_MASK, 0, 1);
    ImageList_AddMasked(hList, static_cast<HBITMAP>(strip.m_hObject), clrKey);
    ASSERT_TRUE(listed.SetIconsFromImageList(hList, ids, 4, cx, cx, 0));
    ImageList_Destroy(hList);

    EXPECT_EQ(nullptr, keyed.GetIconSet(0));
    for (UINT nID : { 20u, 21u, 22u }) {
        SCOPED_TRACE(nID);
        ASSERT_NE(nullptr, keyed.GetImage(nID, cx));
        EXPECT_FALSE(keyed.GetImage(nID, cx)->HasAlphaNormalImage());
        int nDifferent = 0;
        for (COLORREF clrBack : { kWhite, RGB(12, 34, 56) }) {
            CDibSection ours(cx, cx, clrBack), theirs(cx, cx, clrBack);
            CDC oursDC(ours.GetDC()), theirsDC(theirs.GetDC());
            keyed.GetImage(nID, cx)->DrawNormal(&oursDC, 0, 0);
            listed.GetImage(nID, cx)->DrawNormal(&theirsDC, 0, 0);
            for (int y = 0; y < cx; ++y)
                for (int x = 0; x < cx; ++x)
                    nDifferent += ours.GetPixel(x, y) != theirs.GetPixel(x, y);
        }
        EXPECT_EQ(0, nDifferent);
    }
    EXPECT_EQ(DrawNormalAt(keyed, 20, 0, 0, RGB(12, 34, 56)), RGB(12, 34, 56));  // the key: transparent
    EXPECT_EQ(DrawNormalAt(keyed, 20, 4, 3), RGB(0, 0, 0));                      // black stays

    // Past the strip's end the load fails, as through the image list.
    const UINT tooMany[] = { 30, 31, 32, 33 };
    CZPImageManager shortStrip;
    EXPECT_FALSE(shortStrip.SetIcons(&strip, tooMany, 4, cx, cx, 0, FALSE));
}

TEST(IconLoading, AlphaStripsMustDivideIntoWholeIcons)
{
    HMODULE hModule = ::GetModuleHandleW(NULL);
    BOOL bAlpha = FALSE;
    HBITMAP hStrip = ZpLoadBitmapResource(hModule, MAKEINTRESOURCEW(IDB_IMAGE_STRIP_ALPHA), &bAlpha);
    ASSERT_NE(hStrip, nullptr);
    EXPECT_TRUE(bAlpha);
    CBitmap strip;
    strip.Attach(hStrip);

    CZPImageManager manager;
    EXPECT_TRUE(manager.SetIcons(&strip, NULL, 0, 16, 16, 0, TRUE));
    for (UINT nID : { 0u, 1u, 2u })
        EXPECT_TRUE(manager.GetImage(nID, 16)->HasAlphaNormalImage());
    EXPECT_EQ(DrawNormalAt(manager, 2, 8, 8), RGB(127, 127, 200 * 128 / 255 + 127));   // half over white
    EXPECT_EQ(DrawNormalAt(manager, 1, 0, 0), kWhite);
    // Each slot holds its piece of the strip premultiplied, pixel for pixel.
    LPBYTE pStrip = NULL;
    HBITMAP hPremultiplied = ZpPremultiplyAlphaBitmap(hStrip, NULL, &pStrip);
    ASSERT_NE(nullptr, hPremultiplied);
    const int cxStrip = SizeOf(hStrip).cx;
    for (UINT nID : { 0u, 1u, 2u }) {
        CZPImageManagerStateImage copy;  // no manager: the slot's pixels come out as a bitmap
        copy.CopyFrom(manager.GetImage(nID, 16)->GetNormalStateImage());
        const DWORD* pCopy = reinterpret_cast<const DWORD*>(copy.GetPremultipliedBits());
        ASSERT_NE(nullptr, pCopy);
        int nDifferent = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                nDifferent += pCopy[y * 16 + x] != reinterpret_cast<const DWORD*>(pStrip)[y * cxStrip + nID * 16 + x];
        EXPECT_EQ(0, nDifferent) << nID;
    }
    ::DeleteObject(hPremultiplied);

    // 50 pixels cannot be cut at 16.
    CBitmap wide;
    wide.Attach(MakeSolidAlphaBitmap(50, 16, Bgra(1, 1, 1, 255)));
    CZPImageManager other;
    EXPECT_FALSE(other.SetIcons(&wide, NULL, 0, 16, 16, 0, TRUE));
    EXPECT_EQ(other.GetIconSet(0), nullptr);
}

TEST(IconLoading, PngResourcesAndToolbars)
{
    {
        CZPImageManager manager;
        const UINT ids[] = { 20, 21, 22 };
        ASSERT_TRUE(manager.SetIconsFromBitmapResource(IDB_IMAGE_STRIP_PNG, ids, 3, 0, 0, 0));
        EXPECT_TRUE(manager.GetImage(20, 16)->HasAlphaNormalImage());
        EXPECT_EQ(DrawNormalAt(manager, 20, 8, 8), RGB(200, 0, 0));
    }
    {
        CZPImageManager manager;
        UINT* pCommands = NULL;
        int nCount = 0;
        CSize size;
        ASSERT_TRUE(manager.ReadToolBarResource(IDR_IMAGE_TOOLBAR, &pCommands, &nCount, &size));
        ASSERT_EQ(nCount, 3);
        EXPECT_EQ(pCommands[1], 101u);
        EXPECT_EQ(size, CSize(16, 16));
        delete[] pCommands;
        EXPECT_FALSE(manager.ReadToolBarResource(IDR_IMAGE_BAD_TOOLBAR, &pCommands, &nCount, &size));
        EXPECT_FALSE(manager.ReadToolBarResource(0, &pCommands, &nCount, &size));

        ASSERT_TRUE(manager.SetIconsFromToolBar(IDR_IMAGE_TOOLBAR, IDB_IMAGE_STRIP_PLAIN, 0));
        for (UINT nID : { 100u, 101u, 102u })
            EXPECT_TRUE(manager.HasImage(nID, 16));
        EXPECT_EQ(DrawNormalAt(manager, 102, 8, 8), RGB(0, 0, 255));
        EXPECT_FALSE(manager.SetIconsFromToolBar(IDR_IMAGE_TOOLBAR, 9999, 0));
    }
}

TEST(IconLoading, AlphaBitmapsWithAllAlphaZeroDrawNothing)
{
    CZPImageManager manager;
    const UINT ids[] = { 1 };
    ASSERT_TRUE(manager.SetIconsFromBitmapResource(IDB_IMAGE_ALPHA_ZERO, ids, 1, 0, 0, 0));
    EXPECT_TRUE(manager.GetImage(1, 16)->HasAlphaNormalImage());
    EXPECT_EQ(DrawNormalAt(manager, 1, 8, 8, RGB(9, 9, 9)), RGB(9, 9, 9));
}

TEST(IconLoading, IconGroupsGiveOneIconPerSize)
{
    CZPImageManager manager;
    ASSERT_TRUE(manager.SetIconFromResource(MAKEINTRESOURCEW(IDI_IMAGE_ICON), 40, 0, 0, 0));
    ASSERT_TRUE(manager.HasImage(40, 16));
    ASSERT_TRUE(manager.HasImage(40, 32));
    EXPECT_TRUE(manager.GetImage(40, 32)->HasAlphaNormalImage());
    EXPECT_EQ(DrawNormalAt(manager, 40, 8, 8), RGB(255, 0, 0));

    CZPImageManager only32;
    ASSERT_TRUE(only32.SetIconFromIconResource(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDI_IMAGE_ICON), 41, 32,
                                               32, 0));
    EXPECT_FALSE(only32.HasImage(41, 16));
    EXPECT_TRUE(only32.HasImage(41, 32));
    EXPECT_FALSE(only32.SetIconFromResource(MAKEINTRESOURCEW(9999), 42, 16, 16, 0));
}

TEST(IconLoading, LoadersAnswerFalseWhenNothingWasStored)
{
    HMODULE hModule = ::GetModuleHandleW(NULL);
    CBitmap strip;
    strip.Attach(ZpLoadBitmapResource(hModule, MAKEINTRESOURCEW(IDB_IMAGE_STRIP_ALPHA), NULL));
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON hRed = MakeMaskedIcon(16, 16, RGB(255, 0, 0));
    ImageList_ReplaceIcon(hList, -1, hRed);
    ::DestroyIcon(hRed);

    // Each loader on a manager without icons: no group entry of 24 x 24, and hot images for
    // commands that have no normal image.
    struct Case
    {
        const char* pszWhat;
        std::function<BOOL(CZPImageManager&)> load;
    };
    const Case cases[] = {
        { "icon group, no entry of the size",
          [&](CZPImageManager& m) { return m.SetIconFromIconResource(hModule, MAKEINTRESOURCEW(IDI_IMAGE_ICON), 1, 24, 24, 0); } },
        { "icon resource, no entry of the size",
          [](CZPImageManager& m) { return m.SetIconFromResource(MAKEINTRESOURCEW(IDI_IMAGE_ICON), 1, 24, 24, 0); } },
        { "hot alpha strip", [&](CZPImageManager& m) { return m.SetIcons(&strip, NULL, 0, 16, 16, 2, TRUE); } },
        { "hot plain strip",
          [](CZPImageManager& m) { return m.SetIconsFromBitmapResource(IDB_IMAGE_STRIP_PLAIN, NULL, 0, 16, 16, 2); } },
        { "hot image list", [&](CZPImageManager& m) { return m.SetIconsFromImageList(hList, NULL, 0, 0, 0, 2); } },
    };
    for (const Case& c : cases) {
        CZPImageManager manager;
        EXPECT_FALSE(c.load(manager)) << c.pszWhat;
        for (UINT nID : { 0u, 1u, 2u })
            EXPECT_EQ(nullptr, manager.GetIconSet(nID)) << c.pszWhat;
    }

    // One command with a normal image is enough for a hot strip to count as stored.
    CZPImageManager manager;
    CZPImageManagerStateImage normal;
    TakeSolid(normal, 16, 16, Bgra(1, 2, 3, 255));
    ASSERT_TRUE(manager.SetIcon(&normal, 1, 16, 16, 0));
    EXPECT_TRUE(manager.SetIcons(&strip, NULL, 0, 16, 16, 2, TRUE));
    EXPECT_TRUE(manager.SetIconsFromImageList(hList, NULL, 0, 0, 0, 0));
    EXPECT_NE(manager.GetImage(1, 16)->GetNormalStateImage(), manager.GetImage(1, 16)->GetHotStateImage());
    ImageList_Destroy(hList);
}

TEST(IconLoading, ImageListsAndScaledIcons)
{
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
    HICON hRed = MakeMaskedIcon(16, 16, RGB(255, 0, 0));
    HICON hBlue = MakeMaskedIcon(16, 16, RGB(0, 0, 255));
    ImageList_ReplaceIcon(hList, -1, hRed);
    ImageList_ReplaceIcon(hList, -1, hBlue);
    CZPImageManager manager;
    ASSERT_TRUE(manager.SetIconsFromImageList(hList, NULL, 0, 0, 0, 0));
    EXPECT_EQ(DrawNormalAt(manager, 1, 8, 8), RGB(0, 0, 255));
    const UINT ids[] = { 5, 6, 7 };
    EXPECT_FALSE(manager.SetIconsFromImageList(hList, ids, 3, 16, 16, 0));   // only two images
    EXPECT_FALSE(manager.SetIconsFromImageList(NULL, ids, 3, 16, 16, 0));
    ImageList_Destroy(hList);

    HICON hScaled = ZpScaleIcon(hRed, 16, 16, 32);
    EXPECT_EQ(ZpGetIconSize(hScaled), CSize(32, 32));
    EXPECT_EQ(ZpScaleIcon(hRed, 16, 16, 0), nullptr);
    ::DestroyIcon(hScaled);
    ::DestroyIcon(hRed);
    ::DestroyIcon(hBlue);
}

// ---------------------------------------------------------------------------------------------
// Files and bitmap utilities

TEST(IconLoading, FilesOfEachKind)
{
    BOOL bAlpha = -1;
    HBITMAP hBitmap = ZpLoadBitmapFile(Fixture("strip_alpha.bmp").c_str(), &bAlpha);
    ASSERT_NE(hBitmap, nullptr);
    EXPECT_TRUE(bAlpha);
    EXPECT_EQ(PixelOf(hBitmap, 40, 8), Bgra(0, 0, 200, 128));
    ::DeleteObject(hBitmap);

    hBitmap = ZpLoadBitmapFile(Fixture("strip24.bmp").c_str(), &bAlpha);
    ASSERT_NE(hBitmap, nullptr);
    EXPECT_FALSE(bAlpha);
    CBitmap plain;
    plain.Attach(hBitmap);
    EXPECT_EQ(ZpGetBitmapPixel(&plain, 20, 5), RGB(0, 255, 0));

    hBitmap = ZpLoadBitmapFile(Fixture("strip_rgba.png").c_str(), &bAlpha);
    ASSERT_NE(hBitmap, nullptr);
    EXPECT_TRUE(bAlpha);
    EXPECT_EQ(SizeOf(hBitmap), CSize(48, 16));
    ::DeleteObject(hBitmap);

    hBitmap = ZpLoadAlphaIconFromFile(Fixture("icon32.ico").c_str(), 32);
    ASSERT_NE(hBitmap, nullptr);
    EXPECT_EQ(SizeOf(hBitmap), CSize(32, 32));
    EXPECT_EQ(PixelOf(hBitmap, 5, 5), Bgra(0, 0, 255, 128));
    ::DeleteObject(hBitmap);
    hBitmap = ZpLoadAlphaIconFromFile(Fixture("icon32.ico").c_str(), 0);
    EXPECT_EQ(SizeOf(hBitmap), CSize(16, 16));
    ::DeleteObject(hBitmap);
    EXPECT_EQ(ZpLoadAlphaIconFromFile(Fixture("icon32.ico").c_str(), 48), nullptr);

    EXPECT_TRUE(ZpIsPngFile(Fixture("rgb.png").c_str()));
    EXPECT_FALSE(ZpIsPngFile(Fixture("strip24.bmp").c_str()));
    EXPECT_TRUE(ZpIsAlphaBitmapFile(Fixture("strip_alpha.bmp").c_str()));
    EXPECT_FALSE(ZpIsAlphaBitmapFile(Fixture("strip24.bmp").c_str()));
    EXPECT_EQ(ZpLoadBitmapFile(Fixture("missing.bmp").c_str(), NULL), nullptr);
}

TEST(BitmapUtilities, PremultiplyFlagTellsWhetherAlphaMeansAnything)
{
    struct Case
    {
        int nStart;
        BYTE alpha[3];
        int nExpected;
        BOOL bMultiplied;
    } cases[] = {
        { 0, { 255, 255, 255 }, 0, FALSE },
        { 0, { 0, 0, 0 }, 0, FALSE },
        { 0, { 255, 0, 0 }, 0, FALSE },
        { 0, { 0, 255, 0 }, 1, TRUE },
        { 0, { 255, 128, 255 }, 1, TRUE },
        { -1, { 0, 0, 0 }, -1, TRUE },
        { -1, { 0, 0, 255 }, 1, TRUE },
    };
    for (const Case& c : cases) {
        HBITMAP hSource = MakeAlphaBitmap(3, 1, [&c](int x, int) { return Bgra(200, 100, 50, c.alpha[x]); });
        int nFlag = c.nStart;
        LPBYTE pBits = NULL;
        HBITMAP hResult = ZpPremultiplyAlphaBitmap(hSource, &nFlag, &pBits);
        ASSERT_NE(hResult, nullptr);
        EXPECT_EQ(nFlag, c.nExpected);
        BYTE expectedRed = c.bMultiplied ? static_cast<BYTE>(200 * c.alpha[0] / 255) : 200;
        EXPECT_EQ(pBits[2], expectedRed);
        ::DeleteObject(hResult);
        ::DeleteObject(hSource);
    }
    EXPECT_EQ(ZpPremultiplyAlphaBitmap(NULL, NULL, NULL), nullptr);
}

TEST(BitmapUtilities, MirrorReversesEveryRow)
{
    HBITMAP hSource = MakeAlphaBitmap(3, 2, [](int x, int y) { return Bgra(x, y, 0, 255); });
    HBITMAP hMirror = ZpMirrorBitmap(hSource);
    EXPECT_EQ(PixelOf(hMirror, 0, 1), Bgra(2, 1, 0, 255));
    EXPECT_EQ(PixelOf(hMirror, 2, 0), Bgra(0, 0, 0, 255));
    ::DeleteObject(hMirror);
    ::DeleteObject(hSource);
}

// ---------------------------------------------------------------------------------------------
// Damaged files: every loader fails, allocates nothing from the damaged sizes and throws nothing.

TEST(DamagedFiles, LoadersFailCleanly)
{
    const char* bitmapFiles[] = {
        "bad_truncated_idat.png", "bad_signature.png", "bad_crc.png", "bad_huge.png", "bad_large_tiny_data.png",
        "bad_short_rows.png", "bad_truncated.bmp", "bad_huge_width.bmp", "bad_huge_height.bmp", "bad_offset.bmp",
        "bad_palette_index.bmp", "bad_bit_count.bmp", "bad_header_size.bmp",
    };
    for (const char* lpszFile : bitmapFiles) {
        SCOPED_TRACE(lpszFile);
        BOOL bAlpha = -1;
        HBITMAP hBitmap = ZpLoadBitmapFile(Fixture(lpszFile).c_str(), &bAlpha);
        EXPECT_EQ(hBitmap, nullptr);
        EXPECT_EQ(bAlpha, -1);
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        CZPGraphicBitmapPng png;
        EXPECT_FALSE(png.LoadFromPath(Fixture(lpszFile).c_str()));
        EXPECT_EQ(png.m_hObject, nullptr);
    }

    const char* iconFiles[] = {
        "bad_count.ico", "bad_offset.ico", "bad_length.ico", "bad_huge.ico", "bad_short_image.ico", "bad_type.ico",
    };
    for (const char* lpszFile : iconFiles) {
        SCOPED_TRACE(lpszFile);
        EXPECT_EQ(ZpLoadAlphaIconFromFile(Fixture(lpszFile).c_str(), 0), nullptr);
    }
}

// libpng maps a pixel beyond the palette to opaque black: the picture loads, the rest intact.
TEST(DamagedFiles, PngPaletteIndexBeyondThePaletteIsBlack)
{
    CZPGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromPath(Fixture("bad_palette_index.png").c_str()));
    DIBSECTION ds = {};
    ::GetObjectW(png.m_hObject, sizeof(ds), &ds);
    const DWORD* pBits = static_cast<const DWORD*>(ds.dsBm.bmBits);
    EXPECT_EQ(pBits[0], Bgra(255, 0, 0, 0));
    EXPECT_EQ(pBits[1], Bgra(0, 0, 0, 0));
}
