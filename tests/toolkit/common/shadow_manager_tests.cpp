// Shadow manager: the strips' premultiplied alpha, which shadows a popup gets, cut-outs between
// popups of one key, and shadows following their popup.
#include "common/ZPShadowManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

typedef CZPShadowManager::CShadowWnd CShadowWnd;

// The picture's pixels bottom-up, as CreateShadowBitmap leaves them.
std::vector<DWORD> ShadowPixels(int nSide, int cx, int cy, COLORREF clr = RGB(0, 0, 0), BOOL bHalf = FALSE)
{
    HBITMAP hBitmap = CShadowWnd::CreateShadowBitmap(NULL, nSide, cx, cy, clr, bHalf);
    EXPECT_NE(nullptr, hBitmap);
    std::vector<DWORD> pixels(static_cast<size_t>(cx) * cy);
    DIBSECTION ds = {};
    if (hBitmap != NULL && ::GetObjectW(hBitmap, sizeof(ds), &ds) == sizeof(ds))
        memcpy(pixels.data(), ds.dsBm.bmBits, pixels.size() * 4);
    ::DeleteObject(hBitmap);
    return pixels;
}

int Alpha(const std::vector<DWORD>& pixels, int cx, int x, int yFromBottom)
{
    return static_cast<int>(pixels[static_cast<size_t>(yFromBottom) * cx + x] >> 24);
}

// A popup with its own window, shown at a screen rectangle.
class CPopup : public CWnd
{
public:
    explicit CPopup(const RECT& rc, DWORD dwExStyle = 0)
    {
        EXPECT_TRUE(CreateEx(dwExStyle, NULL, L"popup", WS_POPUP | WS_VISIBLE, rc, NULL, 0));
    }
};

std::vector<CShadowWnd*> ShadowsOf(const CZPShadowManager& manager, CWnd* pOwner)
{
    std::vector<CShadowWnd*> shadows;
    POSITION pos = manager.GetShadows().GetHeadPosition();
    while (pos != NULL) {
        CShadowWnd* pShadow = manager.GetShadows().GetNext(pos);
        if (pShadow->GetShadowOwner() == pOwner)
            shadows.push_back(pShadow);
    }
    return shadows;
}

CShadowWnd* SideOf(const CZPShadowManager& manager, CWnd* pOwner, int nSide)
{
    for (CShadowWnd* pShadow : ShadowsOf(manager, pOwner)) {
        if (pShadow->GetSide() == nSide)
            return pShadow;
    }
    return NULL;
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, rc);
    return rc;
}

// Whether a window point (window coordinates) is kept by the window's region.
BOOL Keeps(CWnd* pWnd, int x, int y)
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bKept = ::GetWindowRgn(pWnd->GetSafeHwnd(), hRegion) == ERROR || ::PtInRegion(hRegion, x, y);
    ::DeleteObject(hRegion);
    return bKept;
}

// A new shadow manager the test holds the one reference to.
struct CManagerRef : CRefPtr<CZPShadowManager>
{
    CManagerRef() : CRefPtr<CZPShadowManager>(Adopt(new CZPShadowManager)) {}
};

}  // namespace

TEST(ShadowBitmap, StripsFadeOutwardsAndAtTheirEnds)
{
    // Bottom strip 100 x 4: depth rows from the bottom, fading 4 x 4 ends.
    std::vector<DWORD> bottom = ShadowPixels(CZPShadowManager::sideBottom, 100, 4);
    struct Case
    {
        int x, yFromBottom, nAlpha;
    } bottomCases[] = {
        {50, 0, 30}, {50, 1, 60}, {50, 2, 90}, {50, 3, 120},   // full strength runs 30 to 120 inwards
        {0, 0, 6}, {3, 3, 96}, {99, 0, 6}, {96, 3, 96}, {3, 0, 24},
    };
    for (const Case& c : bottomCases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.yFromBottom);
        EXPECT_EQ(c.nAlpha, Alpha(bottom, 100, c.x, c.yFromBottom));
        EXPECT_EQ(0u, bottom[c.yFromBottom * 100 + c.x] & 0x00FFFFFF);   // black stays black
    }
    // Right strip 4 x 50: columns 3 (outer) to 0, the top 4 rows fading.
    std::vector<DWORD> right = ShadowPixels(CZPShadowManager::sideRight, 4, 50);
    Case rightCases[] = {
        {3, 10, 30}, {2, 10, 60}, {1, 10, 90}, {0, 0, 120}, {3, 49, 6}, {0, 46, 96}, {0, 49, 24},
    };
    for (const Case& c : rightCases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.yFromBottom);
        EXPECT_EQ(c.nAlpha, Alpha(right, 4, c.x, c.yFromBottom));
    }
    // Half strength, and the one-pixel corner.
    EXPECT_EQ(60, Alpha(ShadowPixels(CZPShadowManager::sideBottom, 100, 4, 0, TRUE), 100, 50, 3));
    EXPECT_EQ(120, Alpha(ShadowPixels(CZPShadowManager::sideCorner, 1, 1), 1, 0, 0));
    EXPECT_EQ(60, Alpha(ShadowPixels(CZPShadowManager::sideCorner, 1, 1, 0, TRUE), 1, 0, 0));
}

TEST(ShadowBitmap, ColouredShadowsArePremultipliedByTheirAlpha)
{
    std::vector<DWORD> pixels = ShadowPixels(CZPShadowManager::sideBottom, 100, 4, RGB(255, 128, 0));
    // Alpha 120: red 255 x 120 / 255, green 128 x 120 / 255; no channel above alpha.
    EXPECT_EQ(0x78783C00u, pixels[3 * 100 + 50]);
    EXPECT_EQ(0x1E1E0F00u, pixels[50]);
}

TEST(ShadowBitmap, StripsThinnerThanTheirEndsStayInside)
{
    // Each size draws only inside its picture; what is there is the nearest end's fade.
    struct Case
    {
        int nSide, cx, cy;
    } cases[] = {
        {CZPShadowManager::sideBottom, 1, 4}, {CZPShadowManager::sideBottom, 3, 1},
        {CZPShadowManager::sideBottom, 7, 4}, {CZPShadowManager::sideRight, 4, 1},
        {CZPShadowManager::sideRight, 2, 3},  {CZPShadowManager::sideCorner, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nSide << ": " << c.cx << "x" << c.cy);
        std::vector<DWORD> pixels = ShadowPixels(c.nSide, c.cx, c.cy);
        for (DWORD px : pixels)
            EXPECT_LE(px >> 24, 120u);
    }
    EXPECT_EQ(6, Alpha(ShadowPixels(CZPShadowManager::sideBottom, 1, 4), 1, 0, 0));
    EXPECT_EQ(24, Alpha(ShadowPixels(CZPShadowManager::sideRight, 4, 1), 4, 0, 0));
}

TEST(ShadowManager, PopupGetsBottomAndRightStripsThatFollowIt)
{
    CManagerRef manager;
    manager->SetFlags(CZPShadowManager::shadowForce);
    const int t = manager->IsAlphaMode() ? 4 : 2;
    CPopup popup(CRect(100, 100, 400, 600));
    manager->SetPopupShadow(&popup, NULL, 0);
    ASSERT_EQ(2u, ShadowsOf(*manager, &popup).size());
    CShadowWnd* pRight = SideOf(*manager, &popup, CZPShadowManager::sideRight);
    CShadowWnd* pBottom = SideOf(*manager, &popup, CZPShadowManager::sideBottom);
    ASSERT_NE(nullptr, pRight);
    ASSERT_NE(nullptr, pBottom);
    EXPECT_EQ(CRect(400, 100 + t, 400 + t, 600), WindowRect(*pRight));
    EXPECT_EQ(CRect(100 + t, 600, 400 + t, 600 + t), WindowRect(*pBottom));
    EXPECT_TRUE(pRight->IsWindowVisible());
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW | (manager->IsAlphaMode() ? WS_EX_LAYERED : 0)),
              pRight->GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_LAYERED));

    // Hidden and shown with the popup, never activated, never destroyed.
    popup.ShowWindow(SW_HIDE);
    EXPECT_FALSE(pRight->IsWindowVisible());
    EXPECT_FALSE(pBottom->IsWindowVisible());
    popup.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(pRight->IsWindowVisible());
    EXPECT_TRUE(pBottom->IsWindowVisible());
    EXPECT_EQ(2u, ShadowsOf(*manager, &popup).size());

    // Grown by 20 x 10: the right strip moves and lengthens, the bottom one moves and widens.
    manager->OffsetShadowsOf(&popup, 20, 10);
    EXPECT_EQ(CRect(420, 100 + t, 420 + t, 610), WindowRect(*pRight));
    EXPECT_EQ(CRect(100 + t, 610, 420 + t, 610 + t), WindowRect(*pBottom));

    // Destroying the popup takes its shadows along.
    HWND hRight = pRight->GetSafeHwnd();
    popup.DestroyWindow();
    EXPECT_TRUE(manager->GetShadows().IsEmpty());
    EXPECT_FALSE(::IsWindow(hRight));
}

TEST(ShadowManager, RemoveShadowsOfUnhooksThePopup)
{
    CManagerRef manager;
    manager->SetFlags(CZPShadowManager::shadowForce);
    CPopup popup(CRect(10, 10, 110, 60)), other(CRect(200, 10, 300, 60));
    manager->SetPopupShadow(&popup, NULL, 0);
    manager->SetPopupShadow(&other, NULL, 0);
    manager->RemoveShadowsOf(&popup);
    EXPECT_TRUE(ShadowsOf(*manager, &popup).empty());
    EXPECT_EQ(2u, ShadowsOf(*manager, &other).size());
    EXPECT_EQ(nullptr, ZpHookManagerInstance()->FindSink(popup));
    manager->RemoveShadowsOf(&other);
    EXPECT_TRUE(manager->GetShadows().IsEmpty());
}

TEST(ShadowManager, NoShadowsWithoutSystemDropShadowsUnlessForced)
{
    BOOL bWas = FALSE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bWas, 0);
    ::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
    CManagerRef manager;
    CPopup popup(CRect(10, 10, 110, 60));
    manager->SetPopupShadow(&popup, NULL, 0);
    EXPECT_TRUE(manager->GetShadows().IsEmpty());
    manager->SetRectShadow(0, 0, 10, 10, &popup);   // needs both flags
    EXPECT_TRUE(manager->GetShadows().IsEmpty());
    manager->SetFlags(CZPShadowManager::shadowForce);
    manager->SetPopupShadow(&popup, NULL, 0);
    EXPECT_EQ(2, manager->GetShadows().GetCount());
    ::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bWas)), 0);
    manager->RemoveShadowsOf(&popup);
}

TEST(ShadowManager, ComplexRegionGetsACornerAndTinyPopupsWork)
{
    CManagerRef manager;
    manager->SetFlags(CZPShadowManager::shadowForce);
    CPopup rounded(CRect(10, 10, 110, 60));
    ::SetWindowRgn(rounded, ::CreateRoundRectRgn(0, 0, 101, 51, 8, 8), FALSE);
    manager->SetPopupShadow(&rounded, NULL, 0);
    CShadowWnd* pCorner = SideOf(*manager, &rounded, CZPShadowManager::sideCorner);
    ASSERT_NE(nullptr, pCorner);
    EXPECT_EQ(CRect(109, 59, 110, 60), WindowRect(*pCorner));
    EXPECT_TRUE(Keeps(pCorner, 0, 0));   // a corner is never cut by its own popup

    CPopup tiny(CRect(300, 300, 301, 301));
    manager->SetPopupShadow(&tiny, NULL, 0);
    EXPECT_EQ(2u, ShadowsOf(*manager, &tiny).size());
    tiny.DestroyWindow();
    rounded.DestroyWindow();
    EXPECT_TRUE(manager->GetShadows().IsEmpty());
}

TEST(ShadowManager, PopupsOfOneKeyAreCutOutOfEachOthersShadows)
{
    CManagerRef manager;
    manager->SetFlags(CZPShadowManager::shadowForce);
    // Two popups to the right of the third, over the top and bottom of its right strip.
    CPopup upper(CRect(151, 120, 250, 150)), lower(CRect(151, 250, 250, 280));
    CPopup other(CRect(151, 180, 250, 200));   // another key: does not cut
    manager->SetPopupShadow(&upper, NULL, 1);
    manager->SetPopupShadow(&lower, NULL, 1);
    manager->SetPopupShadow(&other, NULL, 2);
    CPopup main(CRect(50, 100, 150, 300));
    manager->SetPopupShadow(&main, NULL, 1);
    CShadowWnd* pRight = SideOf(*manager, &main, CZPShadowManager::sideRight);
    ASSERT_NE(nullptr, pRight);
    const CRect rc = WindowRect(*pRight);
    ASSERT_EQ(150, rc.left);
    EXPECT_TRUE(pRight->IsRegionSet());
    // Window coordinates: column 0 is left of the neighbours, column 1 under them.
    EXPECT_FALSE(Keeps(pRight, 1, 130 - rc.top));
    EXPECT_FALSE(Keeps(pRight, 1, 260 - rc.top));
    EXPECT_TRUE(Keeps(pRight, 0, 130 - rc.top));
    EXPECT_TRUE(Keeps(pRight, 1, 190 - rc.top));   // under the popup of the other key
    EXPECT_TRUE(Keeps(pRight, 1, 220 - rc.top));

    // With the exclusion flag the caller's rectangle is cut too.
    manager->SetFlags(CZPShadowManager::shadowForce | CZPShadowManager::shadowExcludeRect);
    CPopup cut(CRect(400, 100, 500, 200));
    const CRect rcExclude(400, 200, 420, 210);
    manager->SetPopupShadow(&cut, rcExclude, 3);
    CShadowWnd* pBottom = SideOf(*manager, &cut, CZPShadowManager::sideBottom);
    ASSERT_NE(nullptr, pBottom);
    EXPECT_FALSE(Keeps(pBottom, 0, 0));
    EXPECT_TRUE(Keeps(pBottom, 30, 0));
}

TEST(ShadowManager, CascadedPopupsBottomStripJoinsTheRightStripBeside)
{
    CManagerRef manager;
    manager->SetFlags(CZPShadowManager::shadowForce);
    if (!manager->IsAlphaMode())
        GTEST_SKIP() << "opaque strips";
    CPopup menu(CRect(100, 100, 200, 300));
    manager->SetPopupShadow(&menu, NULL, 1);
    // A submenu opened over the menu's right strip, its bottom inside that strip's length.
    CPopup submenu(CRect(199, 150, 300, 250));
    manager->SetPopupShadow(&submenu, NULL, 1);
    CShadowWnd* pBottom = SideOf(*manager, &submenu, CZPShadowManager::sideBottom);
    ASSERT_NE(nullptr, pBottom);
    // From (203, 250) it grows left by twice the right strip's width and one pixel.
    EXPECT_EQ(CRect(194, 250, 304, 254), WindowRect(*pBottom));
}

TEST(ShadowManager, RectangleShadowsNeedBothFlagsAndStayWhenTheOwnerGrows)
{
    CManagerRef manager;
    CPopup owner(CRect(10, 10, 210, 110));
    manager->SetFlags(CZPShadowManager::shadowForce);
    manager->SetRectShadow(20, 20, 60, 40, &owner);
    EXPECT_TRUE(manager->GetShadows().IsEmpty());
    manager->SetFlags(CZPShadowManager::shadowForce | CZPShadowManager::shadowExcludeRect);
    manager->SetRectShadow(20, 20, 60, 40, &owner);
    manager->SetPopupShadow(&owner, NULL, 0);
    ASSERT_EQ(4u, ShadowsOf(*manager, &owner).size());
    std::vector<CRect> before;
    for (CShadowWnd* pShadow : ShadowsOf(*manager, &owner))
        before.push_back(WindowRect(*pShadow));
    manager->OffsetShadowsOf(&owner, 5, 5);
    std::vector<CShadowWnd*> shadows = ShadowsOf(*manager, &owner);
    for (size_t i = 0; i < shadows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shadows[i]->IsRectShadow(), WindowRect(*shadows[i]) == before[i]);
    }
}
