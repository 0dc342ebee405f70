// Icons drawn in every state, the generated faded, shadow and disabled pictures, and the
// alpha and colour-keyed blits with their emulations, read back from DIB sections.
#include "image_test_support.h"

#include "common/ZPColorManager.h"

#include "DibSection.h"

#include <gtest/gtest.h>

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);

// Draws one state of (id, 16) onto white and returns the pixel at the centre.
COLORREF DrawState(CZPImageManagerIcon* pIcon, CZPImageManagerStateImage* pImage, COLORREF clrBack = kWhite)
{
    CDibSection dib(16, 16, clrBack);
    CDC dc(dib.GetDC());
    pIcon->Draw(&dc, 0, 0, pImage);
    return dib.GetPixel(8, 8);
}

COLORREF ShadowColor()
{
    COLORREF clr = ZpColorManagerInstance().LookupColor(31);
    return RGB(GetRValue(clr) * 3 / 4, GetGValue(clr) * 3 / 4, GetBValue(clr) * 3 / 4);
}

}  // namespace

// Normal (100, 50, 0) and hot (0, 0, 200), opaque; the expected pixels of every state.
TEST(ImageDrawing, EveryStateOfAnAlphaIcon)
{
    CZPImageManager manager;
    CZPImageManagerStateImage normal, hot;
    TakeSolid(normal, 16, 16, Bgra(100, 50, 0, 255));
    TakeSolid(hot, 16, 16, Bgra(0, 0, 200, 255));
    ASSERT_TRUE(manager.SetIcon(&normal, 1, 16, 16, 0));
    ASSERT_TRUE(manager.SetIcon(&hot, 1, 16, 16, 2));
    CZPImageManagerIcon* pIcon = manager.GetImage(1, 16);

    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(0)), RGB(100, 50, 0));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(2)), RGB(0, 0, 200));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(3)), RGB(0, 0, 200));   // checked: the hot image
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(4)), RGB(0, 0, 200));   // pressed: the hot image
    // Grey mode: L = (0.299 x 100 + 0.587 x 50) / 255, g = trunc(255 x L^0.5) = 122.
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(1)), RGB(122, 122, 122));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetFadedStateImage()), RGB(146, 111, 76));
    // The shadow is the silhouette of the hot image.
    EXPECT_EQ(DrawState(pIcon, pIcon->GetShadowStateImage()), ShadowColor());

    CZPImageManagerStateImage pressed;
    TakeSolid(pressed, 16, 16, Bgra(1, 2, 3, 255));
    ASSERT_TRUE(manager.SetIcon(&pressed, 1, 16, 16, 4));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(4)), RGB(1, 2, 3));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(3)), RGB(0, 0, 200));
}

TEST(ImageDrawing, EveryStateOfAnIconWithoutAlpha)
{
    CZPImageManager manager;
    CZPImageManagerStateImage normal, hot;
    normal.SetIcon(MakeMaskedIcon(16, 16, RGB(255, 0, 0)));
    hot.SetIcon(MakeMaskedIcon(16, 16, RGB(0, 0, 255)));
    ASSERT_TRUE(manager.SetIcon(&normal, 1, 16, 16, 0));
    ASSERT_TRUE(manager.SetIcon(&hot, 1, 16, 16, 2));
    CZPImageManagerIcon* pIcon = manager.GetImage(1, 16);

    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(0)), RGB(255, 0, 0));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(2)), RGB(0, 0, 255));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(3)), RGB(0, 0, 255));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(4)), RGB(0, 0, 255));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(1)), RGB(139, 139, 139));   // 255 x 0.299^0.5
    EXPECT_EQ(DrawState(pIcon, pIcon->GetFadedStateImage()), RGB(255, 76, 76)); // 0.3 x 255 + 0.7 x c
    EXPECT_EQ(DrawState(pIcon, pIcon->GetShadowStateImage()), ShadowColor());

    // The transparent border stays transparent in every generated picture.
    for (CZPImageManagerStateImage* pImage :
         { pIcon->GetFadedStateImage(), pIcon->GetShadowStateImage(), pIcon->GetDisabledStateImage() }) {
        CDibSection dib(16, 16, RGB(0, 255, 0));
        CDC dc(dib.GetDC());
        pIcon->Draw(&dc, 0, 0, pImage);
        EXPECT_EQ(dib.GetPixel(0, 0), RGB(0, 255, 0));
    }

    // Composited drawing gives the same picture through an alpha channel.
    pIcon->m_bDrawComposited = TRUE;
    EXPECT_EQ(DrawState(pIcon, pIcon->GetStateImage(0), RGB(0, 255, 0)), RGB(255, 0, 0));
    pIcon->m_bDrawComposited = FALSE;
}

TEST(ImageDrawing, GeneratedPixelsFollowTheirFormulas)
{
    struct Case
    {
        DWORD dwPixel;
        COLORREF clrLight, clrDark;
        COLORREF clrExpected;
    } cases[] = {
        { Bgra(255, 0, 0, 255), (COLORREF)-1, (COLORREF)-1, RGB(139, 139, 139) },
        { Bgra(0, 255, 0, 255), RGB(255, 255, 255), RGB(0, 0, 0), RGB(149, 149, 149) },
        { Bgra(0, 0, 0, 255), RGB(200, 200, 0), RGB(0, 40, 80), RGB(0, 40, 80) },
        { Bgra(255, 255, 255, 255), RGB(200, 200, 0), RGB(0, 40, 80), RGB(200, 200, 0) },
    };
    for (const Case& c : cases) {
        CZPImageManager manager;
        CZPImageManagerStateImage image;
        TakeSolid(image, 16, 16, c.dwPixel);
        ASSERT_TRUE(manager.SetIcon(&image, 1, 16, 16, 0));
        CZPImageManagerIcon* pIcon = manager.GetImage(1, 16);
        pIcon->CreateDisabledImage(c.clrLight, c.clrDark);
        EXPECT_EQ(DrawState(pIcon, pIcon->GetDisabledStateImage()), c.clrExpected);
    }
}

TEST(ImageDrawing, TransparentPixelsStayTransparentInEveryGeneratedPicture)
{
    CZPImageManager manager;
    CZPImageManagerStateImage image;
    image.TakeBitmap(MakeAlphaBitmap(16, 16, [](int x, int) { return x < 8 ? Bgra(0, 0, 0, 0) : Bgra(9, 9, 9, 255); }));
    ASSERT_TRUE(manager.SetIcon(&image, 1, 16, 16, 0));
    CZPImageManagerIcon* pIcon = manager.GetImage(1, 16);
    for (CZPImageManagerStateImage* pImage :
         { pIcon->GetFadedStateImage(), pIcon->GetShadowStateImage(), pIcon->GetDisabledStateImage() }) {
        CZPImageManagerStateImage copy;
        copy.CopyFrom(pImage);
        ASSERT_TRUE(copy.IsPremultiplied());
        const DWORD* p = reinterpret_cast<const DWORD*>(copy.GetPremultipliedBits());
        EXPECT_EQ(p[0], 0u);
        EXPECT_NE(p[15], 0u);
    }
}

TEST(ImageDrawing, TheDisabledPictureIsMadeOnceUntilAnImageChanges)
{
    CZPImageManager manager;
    CZPImageManagerStateImage image;
    TakeSolid(image, 16, 16, Bgra(255, 0, 0, 255));
    ASSERT_TRUE(manager.SetIcon(&image, 1, 16, 16, 0));
    CZPImageManagerIcon* pIcon = manager.GetImage(1, 16);
    ZP_IMAGERESOURCE_INFO* pFirst = pIcon->GetDisabledStateImage()->GetSlot();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pIcon->GetDisabledStateImage()->GetSlot(), pFirst);
    pIcon->CreateDisabledImage(RGB(255, 255, 255), RGB(0, 0, 0));   // already filled: stays grey
    EXPECT_EQ(DrawState(pIcon, pIcon->GetDisabledStateImage()), RGB(139, 139, 139));

    CZPImageManagerStateImage hot;
    TakeSolid(hot, 16, 16, Bgra(0, 0, 255, 255));
    ASSERT_TRUE(manager.SetIcon(&hot, 1, 16, 16, 2));
    EXPECT_TRUE(pIcon->GetDisabledStateImage(FALSE)->IsEmpty());
    pIcon->CreateDisabledImage(RGB(255, 255, 255), RGB(0, 0, 0));
    EXPECT_EQ(DrawState(pIcon, pIcon->GetDisabledStateImage()), RGB(76, 76, 76));   // 255 x 0.299

    manager.RefreshAll();
    EXPECT_TRUE(pIcon->GetDisabledStateImage(FALSE)->IsEmpty());
}

TEST(ImageDrawing, HalfTransparentPixelsBlendOnceOverTheBackground)
{
    CZPImageManagerIcon icon(1, 16, 16, NULL);
    CZPImageManagerStateImage* pNormal = icon.GetNormalStateImage();
    TakeSolid(*pNormal, 16, 16, Bgra(200, 0, 0, 128));
    for (int i = 0; i < 2; ++i) {   // the second draw must not multiply again
        CDibSection dib(16, 16, RGB(0, 0, 255));
        CDC dc(dib.GetDC());
        icon.DrawNormal(&dc, 0, 0);
        COLORREF clr = dib.GetPixel(3, 3);
        EXPECT_NEAR(GetRValue(clr), 200 * 128 / 255, 1);
        EXPECT_NEAR(GetBValue(clr), 255 * 127 / 255, 1);
    }
}

TEST(ImageDrawing, AlphaPicturesAboveTheTopDrawOnlyTheirVisibleRows)
{
    CZPImageManagerIcon icon(1, 16, 16, NULL);
    // Row y has red y x 10.
    icon.GetNormalStateImage()->TakeBitmap(
        MakeAlphaBitmap(16, 16, [](int, int y) { return Bgra(y * 10, 0, 0, 255); }));
    CDibSection dib(16, 16, kWhite);
    CDC dc(dib.GetDC());
    icon.DrawNormal(&dc, 0, -5);
    EXPECT_EQ(dib.GetPixel(0, 0), RGB(50, 0, 0));
    EXPECT_EQ(dib.GetPixel(0, 10), RGB(150, 0, 0));
    EXPECT_EQ(dib.GetPixel(0, 11), kWhite);

    dib.Fill(kWhite);
    icon.DrawNormal(&dc, 0, -16);
    EXPECT_EQ(dib.GetPixel(0, 0), kWhite);
}

TEST(ImageDrawing, AZeroHeightKeepsTheAspectOfTheIcon)
{
    CZPImageManager manager;
    CZPImageManagerStateImage image;
    image.SetIcon(MakeMaskedIcon(16, 16, RGB(0, 0, 255)));
    ASSERT_TRUE(manager.SetIcon(&image, 1, 16, 16, 0));
    CDibSection dib(40, 40, kWhite);
    CDC dc(dib.GetDC());
    manager.GetImage(1, 16)->DrawNormalSized(&dc, 0, 0, 32, 0);
    EXPECT_EQ(dib.GetPixel(16, 29), RGB(0, 0, 255));
    EXPECT_EQ(dib.GetPixel(16, 33), kWhite);
}

TEST(ImageDrawing, EmbossedDisabledPaintsTheSilhouetteOfPicturesWithoutAlpha)
{
    CZPImageManager manager;
    CZPImageManagerStateImage masked, alpha;
    masked.SetIcon(MakeMaskedIcon(16, 16, RGB(255, 0, 0)));
    TakeSolid(alpha, 16, 16, Bgra(255, 0, 0, 255));
    ASSERT_TRUE(manager.SetIcon(&masked, 1, 16, 16, 0));
    ASSERT_TRUE(manager.SetIcon(&alpha, 2, 16, 16, 0));

    CDibSection dib(16, 16, kWhite);
    CDC dc(dib.GetDC());
    CZPImageManagerIcon* pMasked = manager.GetImage(1, 16);
    pMasked->DrawDisabledEmbossed(&dc, 0, 0, pMasked->GetNormalStateImage(), 0, 0, RGB(0, 128, 0));
    EXPECT_EQ(dib.GetPixel(8, 8), RGB(0, 128, 0));
    EXPECT_EQ(dib.GetPixel(0, 0), kWhite);

    dib.Fill(kWhite);
    CZPImageManagerIcon* pAlpha = manager.GetImage(2, 16);
    pAlpha->DrawDisabledEmbossed(&dc, 0, 0, pAlpha->GetNormalStateImage(), 0, 0, RGB(0, 128, 0));
    EXPECT_EQ(dib.GetPixel(8, 8), kWhite);
}

TEST(ImageDrawing, IconHandlesKeepTheirOrientationOnMirroredSurfaces)
{
    // Left half red, right half blue.
    HBITMAP hColor = MakeAlphaBitmap(16, 16, [](int x, int) { return x < 8 ? Bgra(255, 0, 0, 0) : Bgra(0, 0, 255, 0); });
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    ICONINFO ii = { TRUE, 0, 0, hMask, hColor };
    CZPImageManagerIcon icon(1, 16, 16, NULL);
    icon.GetNormalStateImage()->SetIcon(::CreateIconIndirect(&ii));
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);

    CDibSection dib(16, 16, kWhite);
    ::SetLayout(dib.GetDC(), LAYOUT_RTL);
    CDC dc(dib.GetDC());
    icon.DrawNormal(&dc, 0, 0);
    ::SetLayout(dib.GetDC(), 0);
    // Logical x 0 is the right edge of a right-to-left surface: the picture reads as on screen.
    EXPECT_EQ(dib.GetPixel(2, 8), RGB(255, 0, 0));
    EXPECT_EQ(dib.GetPixel(13, 8), RGB(0, 0, 255));
}

// ---------------------------------------------------------------------------------------------
// Blits

TEST(ImageBlits, EmulatedBlendKeepsTransparentAndCopiesOpaquePixels)
{
    CDibSection source(3, 1);
    CDibSection dest(3, 1, RGB(10, 200, 30));
    // Premultiplied: transparent, opaque (40, 50, 60), half (64, 0, 0) at alpha 128.
    HBITMAP hSource = MakeAlphaBitmap(3, 1, [](int x, int) {
        return x == 0 ? Bgra(0, 0, 0, 0) : x == 1 ? Bgra(40, 50, 60, 255) : Bgra(64, 0, 0, 128);
    });
    HDC hSourceDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hSourceDC, hSource);
    {
        CDC dc(dest.GetDC()), srcDC(hSourceDC);
        EXPECT_TRUE(ZpAlphaBlendEmulate(&dc, CRect(0, 0, 3, 1), &srcDC, CRect(0, 0, 3, 1)));
    }
    ::SelectObject(hSourceDC, hOld);
    ::DeleteDC(hSourceDC);
    ::DeleteObject(hSource);
    EXPECT_EQ(dest.GetPixel(0, 0), RGB(10, 200, 30));
    EXPECT_EQ(dest.GetPixel(1, 0), RGB(40, 50, 60));
    EXPECT_EQ(dest.GetPixel(2, 0), RGB(64 + 10 * 127 / 255, 200 * 127 / 255, 30 * 127 / 255));
}

TEST(ImageBlits, ColourKeyedBlitsShowTheDestinationThroughKeyedPixels)
{
    for (COLORREF clrKey : { RGB(255, 0, 255), RGB(0, 0, 0) }) {
        CDibSection source(2, 1, clrKey);
        source.SetPixel(1, 0, RGB(0, 128, 255));
        for (int nPath = 0; nPath < 2; ++nPath) {
            CDibSection dest(2, 1, RGB(7, 7, 7));
            CDC dc(dest.GetDC()), srcDC(source.GetDC());
            if (nPath == 0)
                EXPECT_TRUE(ZpMaskTransparentBlit(&dc, CRect(0, 0, 2, 1), &srcDC, CRect(0, 0, 2, 1), clrKey));
            else
                EXPECT_TRUE(ZpImageManagerInstance()->TransparentBlit(&dc, CRect(0, 0, 2, 1), &srcDC,
                                                                      CRect(0, 0, 2, 1), clrKey));
            EXPECT_EQ(dest.GetPixel(0, 0), RGB(7, 7, 7));
            EXPECT_EQ(dest.GetPixel(1, 0), RGB(0, 128, 255));
        }
    }
}
