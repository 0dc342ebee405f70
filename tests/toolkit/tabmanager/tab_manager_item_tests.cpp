// A tab's icon: drawn upright, or a quarter turn clockwise with vertical captions.
#include <gtest/gtest.h>

#include "DibSection.h"
#include "TabTestHost.h"
#include "common/ZPImageManager.h"

namespace
{

const COLORREF kTop = RGB(255, 0, 0), kBody = RGB(0, 0, 255);

// 16 x 16, opaque: the top row red, the rest blue.
HICON MakeMarkedIcon()
{
    CDibSection colour(16, 16, kBody);
    for (int x = 0; x < 16; x++)
        colour.SetPixel(x, 0, kTop);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    HDC hMaskDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hMaskDC, hMask);
    ::PatBlt(hMaskDC, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(hMaskDC, hOld);
    ::DeleteDC(hMaskDC);
    ICONINFO ii = {TRUE, 0, 0, hMask, colour.GetBitmap()};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    return hIcon;
}

TEST(TabManagerItem, IconsTurnWithVerticalCaptionsWhenAsked)
{
    CPaintManagerRef pm;
    CTestTabHost host(pm.Get());
    host.AddCaptions({L"a"});
    CZPTabManagerItem* pItem = host.GetItem(0);
    CZPImageManagerIcon icon(1, 16, 16, NULL);
    icon.GetNormalStateImage()->SetIcon(MakeMarkedIcon());

    struct
    {
        int nPosition;
        BOOL bRotate;
        BOOL bTurned;
    } cases[] = {{zpTabPositionTop, TRUE, FALSE}, {zpTabPositionLeft, FALSE, FALSE},
                 {zpTabPositionLeft, TRUE, TRUE}, {zpTabPositionRight, TRUE, TRUE}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "position " << c.nPosition << " rotate " << c.bRotate);
        pm->SetPosition(c.nPosition);
        pm->m_bRotateIcons = c.bRotate;
        CDibSection dib(20, 20, RGB(255, 255, 255));
        CDC dc(dib.GetDC());
        pItem->DrawImage(&dc, CRect(2, 2, 18, 18), &icon);
        // The top row goes to the right column when turned.
        EXPECT_EQ(c.bTurned ? kBody : kTop, dib.GetPixel(8, 2));
        EXPECT_EQ(c.bTurned ? kTop : kBody, dib.GetPixel(17, 8));
        EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(1, 1));
    }

    CDibSection dib(20, 20, RGB(255, 255, 255));
    CDC dc(dib.GetDC());
    pItem->DrawImage(&dc, CRect(2, 2, 18, 18), NULL);   // no icon: nothing
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(8, 8));
}

}  // namespace
