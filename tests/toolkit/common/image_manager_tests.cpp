// Icon sets, icons and state images, and the shared per-size bitmaps they are stored in.
#include "image_test_support.h"

#include "DibSection.h"

#include <gtest/gtest.h>

namespace
{

// Stores a solid 16-pixel-high picture of width cx as normal image of nID.
void StoreSolid(CZPImageManager& manager, UINT nID, int cx, DWORD dwPixel = Bgra(10, 20, 30, 255), int nState = 0)
{
    CZPImageManagerStateImage image;
    TakeSolid(image, cx, 16, dwPixel);
    ASSERT_TRUE(manager.SetIcon(&image, nID, cx, 16, nState));
}

// The common-controls version the drawing code sees, for one scope.
class CForcedComCtlVersion
{
public:
    explicit CForcedComCtlVersion(DWORD dwVersion) { ZpOsVersionInstance().SetComCtlVersion(dwVersion); }
    ~CForcedComCtlVersion() { ZpOsVersionInstance().SetComCtlVersion(0); }
};

// An icon handle whose colour bitmap carries the given alpha; its AND mask is all opaque.
HICON MakeAlphaIcon(int cx, int cy, DWORD dwPixel)
{
    HBITMAP hColor = MakeSolidAlphaBitmap(cx, cy, dwPixel);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    ICONINFO ii = { TRUE, 0, 0, hMask, hColor };
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

}  // namespace

TEST(ImageManager, LookupTakesTheExactWidthOrTheNearestFirstVisited)
{
    CZPImageManager manager;
    StoreSolid(manager, 7, 16);
    StoreSolid(manager, 7, 32);
    CZPImageManagerIcon* p16 = manager.GetIconSet(7)->GetIcon(16, FALSE);
    CZPImageManagerIcon* p32 = manager.GetIconSet(7)->GetIcon(32, FALSE);
    ASSERT_NE(p16, nullptr);
    ASSERT_NE(p32, nullptr);

    EXPECT_EQ(manager.GetImage(7, 24), p16);   // equal distance: bucket 1 before bucket 2
    EXPECT_FALSE(manager.HasImage(7, 24));
    EXPECT_TRUE(manager.HasImage(7, 32));
    EXPECT_EQ(manager.GetImage(7, 0), p16);
    EXPECT_EQ(manager.GetImage(7, 1), p32);
    EXPECT_EQ(manager.GetImage(7, 30), p32);
    EXPECT_EQ(manager.GetImage(8, 16), nullptr);
    EXPECT_FALSE(manager.HasImage(8, 0));
}

TEST(ImageManager, StoringFailsForEmptyPicturesAndForAFirstImageThatIsNotNormal)
{
    CZPImageManager manager;
    CZPImageManagerStateImage empty;
    EXPECT_FALSE(manager.SetIcon(&empty, 1, 16, 16, 0));

    CZPImageManagerStateImage image;
    TakeSolid(image, 16, 16, Bgra(1, 2, 3, 255));
    EXPECT_FALSE(manager.SetIcon(&image, 1, 16, 16, 2));
    EXPECT_EQ(manager.GetIconSet(1), nullptr);

    EXPECT_TRUE(manager.SetIcon(&image, 1, 0, 0, 0));   // the picture's own extent
    EXPECT_TRUE(manager.HasImage(1, 16));
    EXPECT_TRUE(manager.SetIcon(&image, 1, 16, 16, 9)); // unknown state: stored nowhere
    EXPECT_EQ(manager.GetImage(1, 16)->GetHotStateImage(), manager.GetImage(1, 16)->GetNormalStateImage());
}

TEST(ImageManager, StateLookupsFallBackAndANewNormalImageDropsTheOthers)
{
    CZPImageManager manager;
    StoreSolid(manager, 3, 16);
    CZPImageManagerIcon* pIcon = manager.GetImage(3, 16);
    CZPImageManagerStateImage* pNormal = pIcon->GetNormalStateImage();
    EXPECT_EQ(pIcon->GetPressedStateImage(), pNormal);
    EXPECT_EQ(pIcon->GetCheckedStateImage(), pNormal);
    EXPECT_TRUE(pIcon->GetDisabledStateImage(FALSE)->IsEmpty());
    EXPECT_FALSE(pIcon->HasDisabledImage());

    StoreSolid(manager, 3, 16, Bgra(200, 0, 0, 255), 2);
    CZPImageManagerStateImage* pHot = pIcon->GetHotStateImage();
    EXPECT_NE(pHot, pNormal);
    EXPECT_EQ(pIcon->GetCheckedStateImage(), pHot);
    EXPECT_EQ(pIcon->GetPressedStateImage(), pHot);
    EXPECT_EQ(pIcon->GetStateImage(2), pHot);
    EXPECT_EQ(pIcon->GetStateImage(0), pNormal);

    StoreSolid(manager, 3, 16);
    EXPECT_EQ(pIcon->GetHotStateImage(), pNormal);
}

TEST(ImageManager, CustomIdsRiseAndNeverFallBelowALoadedId)
{
    CZPImageManager manager;
    CZPImageManagerStateImage image;
    TakeSolid(image, 16, 16, Bgra(1, 2, 3, 255));
    EXPECT_EQ(manager.AddCustomIcon(&image), 0x10AABu);
    EXPECT_EQ(manager.AddCustomIcon(&image), 0x10AACu);
    EXPECT_TRUE(manager.HasImage(0x10AAB, 16));
    manager.RaiseLastCustomID(0x20000);
    manager.RaiseLastCustomID(0x100);
    EXPECT_EQ(manager.AddCustomIcon(&image), 0x20001u);
}

TEST(ImageManager, APictureOfAnotherWidthKeepsItsKeyAndDrawsAtItsOwnSize)
{
    CZPImageManager manager;
    CZPImageManagerStateImage image;
    TakeSolid(image, 32, 32, Bgra(0, 0, 255, 255));
    ASSERT_TRUE(manager.SetIcon(&image, 5, 16, 16, 0));
    ASSERT_TRUE(manager.HasImage(5, 16));
    CZPImageManagerIcon* pIcon = manager.GetImage(5, 16);
    EXPECT_EQ(pIcon->GetWidth(), 32);
    EXPECT_EQ(pIcon->GetHeight(), 32);

    CDibSection dib(40, 40, RGB(255, 255, 255));
    CDC dc(dib.GetDC());
    pIcon->DrawNormal(&dc, 0, 0);
    EXPECT_EQ(dib.GetPixel(31, 31), RGB(0, 0, 255));
    EXPECT_EQ(dib.GetPixel(32, 32), RGB(255, 255, 255));
}

TEST(ImageManager, StoredPicturesAreCopiesThatOutliveTheCallersHandles)
{
    CZPImageManager manager;
    {
        CZPImageManagerStateImage image;
        TakeSolid(image, 16, 16, Bgra(0, 128, 0, 255));
        ASSERT_TRUE(manager.SetIcon(&image, 9, 16, 16, 0));
    }
    CZPImageManagerStateImage* pNormal = manager.GetImage(9, 16)->GetNormalStateImage();
    ASSERT_NE(pNormal->GetSlot(), nullptr);
    EXPECT_TRUE(pNormal->IsAlpha());
    CDibSection dib(16, 16, RGB(255, 255, 255));
    CDC dc(dib.GetDC());
    manager.GetImage(9, 16)->DrawNormal(&dc, 0, 0);
    EXPECT_EQ(dib.GetPixel(8, 8), RGB(0, 128, 0));

    manager.RemoveAll();
    EXPECT_EQ(manager.GetIconSet(9), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Shared bitmaps

TEST(ImageManagerResource, SlotsAreReusedLastFreedFirstAndTheLastFreeReleasesTheBitmaps)
{
    CZPImageManager manager;
    CZPImageManagerResource* pResource = manager.GetResource(16, 16);
    CZPImageManagerStateImage images[4];
    for (CZPImageManagerStateImage& image : images)
        TakeSolid(image, 16, 16, Bgra(1, 2, 3, 255));
    ZP_IMAGERESOURCE_INFO* slots[4] = {};
    for (int i = 0; i < 3; ++i)
        slots[i] = pResource->AddImage(&images[i]);
    EXPECT_EQ(pResource->GetUsedWidth(), 48);
    EXPECT_EQ(slots[1]->rcImage.left, 16);

    pResource->FreeSlot(slots[1]);
    slots[3] = pResource->AddImage(&images[3]);
    ASSERT_NE(slots[3], nullptr);
    EXPECT_EQ(slots[3]->rcImage.left, 16);
    EXPECT_EQ(pResource->GetUsedWidth(), 48);

    for (int i : { 0, 2, 3 })
        pResource->FreeSlot(slots[i]);
    EXPECT_EQ(pResource->GetUsedWidth(), 0);
    EXPECT_EQ(pResource->GetColorBitmap(), nullptr);
    EXPECT_EQ(pResource->GetMaskBitmap(), nullptr);
}

TEST(ImageManagerResource, StoresGrowInRowsPastTheWidestBitmap)
{
    // 4096-pixel pictures: seven fit in one row of a DIB section, the rest go to rows below.
    const int cx = 4096, cy = 4, nPictures = 16;
    auto colorOf = [](int i) { return RGB(10 * i, 255 - 10 * i, 7); };
    CZPImageManager manager;
    for (int i = 0; i < nPictures; ++i) {
        CZPImageManagerStateImage image;
        if (i % 2 == 0)
            TakeSolid(image, cx, cy, Bgra(10 * i, 255 - 10 * i, 7, 255));
        else
            image.SetIcon(MakeMaskedIcon(cx, cy, colorOf(i)));
        ASSERT_TRUE(manager.SetIcon(&image, i + 1, cx, cy, 0)) << i;
    }
    CZPImageManagerResource* pResource = manager.GetResource(cx, cy);
    EXPECT_EQ(7 * cx, pResource->GetUsedWidth());
    ZP_IMAGERESOURCE_INFO* pEighth = manager.GetImage(8, cx)->GetNormalStateImage()->GetSlot();
    ZP_IMAGERESOURCE_INFO* pLast = manager.GetImage(16, cx)->GetNormalStateImage()->GetSlot();
    ASSERT_NE(nullptr, pEighth);
    ASSERT_NE(nullptr, pLast);
    EXPECT_EQ(CRect(0, cy, cx, 2 * cy), CRect(pEighth->rcImage));
    EXPECT_EQ(CRect(cx, 2 * cy, 2 * cx, 3 * cy), CRect(pLast->rcImage));

    // Every picture kept its pixels through the growth.
    for (int i = 0; i < nPictures; ++i) {
        SCOPED_TRACE(i);
        CDibSection dib(cx, cy, RGB(0, 0, 255));
        CDC dc(dib.GetDC());
        manager.GetImage(i + 1, cx)->DrawNormal(&dc, 0, 0);
        EXPECT_EQ(colorOf(i), dib.GetPixel(cx / 2, 1));
        EXPECT_EQ(i % 2 == 0 ? colorOf(i) : RGB(0, 0, 255), dib.GetPixel(0, 0));
    }
    CZPImageManagerStateImage copy;   // no manager: extracted from row 2
    copy.CopyFrom(manager.GetImage(15, cx)->GetNormalStateImage());
    ASSERT_TRUE(copy.IsPremultiplied());
    EXPECT_EQ(Bgra(140, 115, 7, 255), reinterpret_cast<DWORD*>(copy.GetPremultipliedBits())[cx + 3]);

    for (int i = 0; i < nPictures; ++i)
        manager.GetImage(i + 1, cx)->ClearImages(TRUE);
    EXPECT_EQ(0, pResource->GetUsedWidth());
    EXPECT_EQ(nullptr, pResource->GetColorBitmap());
}

TEST(ImageManagerResource, APictureTheStoreCannotTakeIsNotReportedAsStored)
{
    // A 24-bpp bitmap where an alpha bitmap belongs: the record is not empty, yet no slot takes it.
    CZPImageManagerStateImage flat;
    flat.TakeBitmap(::CreateBitmap(16, 16, 1, 24, NULL));
    ASSERT_FALSE(flat.IsEmpty());
    CZPImageManager manager;
    EXPECT_FALSE(manager.SetIcon(&flat, 1, 16, 16, 0));
    EXPECT_EQ(nullptr, manager.GetIconSet(1));

    StoreSolid(manager, 2, 16);
    EXPECT_FALSE(manager.SetIcon(&flat, 2, 16, 16, 2));
    EXPECT_EQ(manager.GetImage(2, 16)->GetNormalStateImage(), manager.GetImage(2, 16)->GetHotStateImage());
}

TEST(ImageManagerResource, EachSizeHasItsOwnStoreAndAWrongSizeAllocatesNothing)
{
    CZPImageManager manager;
    StoreSolid(manager, 1, 16);
    CZPImageManagerStateImage big;
    TakeSolid(big, 32, 32, Bgra(1, 2, 3, 255));
    ASSERT_TRUE(manager.SetIcon(&big, 2, 32, 32, 0));
    EXPECT_NE(manager.GetResource(16, 16), manager.GetResource(32, 32));
    EXPECT_EQ(manager.GetResource(32, 32)->GetUsedWidth(), 32);

    CZPImageManagerResource* pSmall = manager.GetResource(16, 16);
    EXPECT_EQ(pSmall->AddImage(&big), nullptr);
    EXPECT_EQ(pSmall->GetUsedWidth(), 16);
}

TEST(ImageManagerResource, IconHandlesGoInWithTheirMaskUnlessTheyCarryAlpha)
{
    CZPImageManager manager;
    CZPImageManagerStateImage masked;
    masked.SetIcon(MakeMaskedIcon(16, 16, RGB(255, 0, 0)));
    ASSERT_TRUE(manager.SetIcon(&masked, 1, 16, 16, 0));
    ZP_IMAGERESOURCE_INFO* pSlot = manager.GetImage(1, 16)->GetNormalStateImage()->GetSlot();
    ASSERT_NE(pSlot, nullptr);
    EXPECT_FALSE(pSlot->bAlpha);

    CDibSection dib(16, 16, RGB(0, 0, 255));
    CDC dc(dib.GetDC());
    manager.GetImage(1, 16)->DrawNormal(&dc, 0, 0);
    EXPECT_EQ(dib.GetPixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dib.GetPixel(8, 8), RGB(255, 0, 0));

    // An icon whose colour bitmap carries alpha.
    HBITMAP hColor = MakeSolidAlphaBitmap(16, 16, Bgra(0, 255, 0, 128));
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    ICONINFO ii = { TRUE, 0, 0, hMask, hColor };
    CZPImageManagerStateImage alpha;
    alpha.SetIcon(::CreateIconIndirect(&ii));
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    ASSERT_TRUE(manager.SetIcon(&alpha, 2, 16, 16, 0));
    EXPECT_EQ(manager.GetImage(2, 16)->GetNormalStateImage()->GetSlot()->bAlpha, ZpIsComCtl6());
}

TEST(ImageManagerResource, OpaqueAlphaIconHandlesDrawAlikeOnEveryCommonControlsVersion)
{
    // Below version 6 the icon goes in through its mask; from 6 on as premultiplied pixels.
    struct Case
    {
        DWORD dwVersion;
        BOOL bAlphaSlot;
    };
    const Case cases[] = { { MAKELONG(81, 5), FALSE }, { MAKELONG(0, 6), TRUE } };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version 0x" << std::hex << c.dwVersion);
        CForcedComCtlVersion forced(c.dwVersion);
        CZPImageManager manager;
        CZPImageManagerStateImage image;
        image.SetIcon(MakeAlphaIcon(16, 16, Bgra(255, 0, 0, 255)));
        ASSERT_TRUE(manager.SetIcon(&image, 1, 16, 16, 0));
        CZPImageManagerIcon* pIcon = manager.GetImage(1, 16);
        EXPECT_EQ(c.bAlphaSlot, pIcon->GetNormalStateImage()->GetSlot()->bAlpha);
        for (BOOL bComposited : { FALSE, TRUE }) {
            CDibSection dib(16, 16, RGB(0, 255, 0));
            CDC dc(dib.GetDC());
            pIcon->m_bDrawComposited = bComposited;
            pIcon->DrawNormal(&dc, 0, 0);
            EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(8, 8)) << "composited " << bComposited;
        }
    }
}

TEST(ImageManagerResource, ExtractedAlphaSlotsArePremultipliedOnlyOnce)
{
    CZPImageManager manager;
    CZPImageManagerStateImage image;
    TakeSolid(image, 16, 16, Bgra(200, 100, 50, 128));
    ASSERT_TRUE(manager.SetIcon(&image, 1, 16, 16, 0));

    CZPImageManagerStateImage copy;   // no manager: a stand-alone picture
    copy.CopyFrom(manager.GetImage(1, 16)->GetNormalStateImage());
    ASSERT_TRUE(copy.IsPremultiplied());
    LPBYTE pBits = copy.GetPremultipliedBits();
    EXPECT_EQ(pBits[0], 50 * 128 / 255);
    EXPECT_EQ(pBits[1], 100 * 128 / 255);
    EXPECT_EQ(pBits[2], 200 * 128 / 255);
    EXPECT_EQ(pBits[3], 128);
}
