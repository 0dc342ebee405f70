// Buffers reach their target (or not, when discarded), and selections are undone.
#include "common/ZPDeviceContext.h"

#include "common/ZPDrawHelpers.h"

#include "DibSection.h"

#include <gtest/gtest.h>

namespace
{
const COLORREF g_clrBack = RGB(1, 2, 3), g_clrInk = RGB(200, 100, 50);

SIZE BitmapSizeOf(HDC hDC)
{
    BITMAP bm = {};
    ::GetObjectW(::GetCurrentObject(hDC, OBJ_BITMAP), sizeof(bm), &bm);
    return {bm.bmWidth, bm.bmHeight};
}

COLORREF PenColorOf(HDC hDC)
{
    LOGPEN lp = {};
    ::GetObjectW(::GetCurrentObject(hDC, OBJ_PEN), sizeof(lp), &lp);
    return lp.lopnColor;
}
}

TEST(BufferDC, CopiesItsRectangleBackOnDestruction)
{
    CDibSection dib(40, 40, g_clrBack);
    {
        CZPBufferDC buffer(dib.GetDC(), CRect(10, 10, 30, 30));
        EXPECT_EQ(30, BitmapSizeOf(buffer.m_hDC).cx);
        buffer.FillSolidRect(0, 0, 40, 40, g_clrInk);
        EXPECT_EQ(g_clrBack, dib.GetPixel(15, 15));
    }
    EXPECT_EQ(g_clrInk, dib.GetPixel(10, 10));
    EXPECT_EQ(g_clrInk, dib.GetPixel(29, 29));
    EXPECT_EQ(g_clrBack, dib.GetPixel(9, 15));
    EXPECT_EQ(g_clrBack, dib.GetPixel(30, 15));
}

TEST(BufferDC, DiscardedOutputLeavesTheTargetAlone)
{
    CDibSection dib(20, 20, g_clrBack);
    {
        CZPBufferDC buffer(dib.GetDC(), CRect(0, 0, 20, 20));
        buffer.FillSolidRect(0, 0, 20, 20, g_clrInk);
        buffer.DiscardOutput();
    }
    EXPECT_EQ(g_clrBack, dib.GetPixel(10, 10));
}

TEST(BufferDC, PaintDCFormCoversThePaintRectangle)
{
    ZpRegisterWindowClass(NULL, L"TolvaneBufferDCTest", 0, NULL, NULL);
    HWND hWnd = ::CreateWindowExW(0, L"TolvaneBufferDCTest", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, NULL, NULL,
                                  AfxGetInstanceHandle(), NULL);
    ASSERT_NE(nullptr, hWnd);
    CWnd wnd;
    wnd.Attach(hWnd);

    ::ValidateRect(hWnd, NULL);
    {
        CPaintDC paintDC(&wnd);
        CZPBufferDC buffer(paintDC);
        ASSERT_NE(nullptr, buffer.m_hDC);
        EXPECT_EQ(1, BitmapSizeOf(buffer.m_hDC).cx);
        EXPECT_EQ(1, BitmapSizeOf(buffer.m_hDC).cy);
    }

    const RECT rcDirty = {2, 3, 10, 12};
    ::InvalidateRect(hWnd, &rcDirty, FALSE);
    {
        CPaintDC paintDC(&wnd);
        CZPBufferDC buffer(paintDC);
        EXPECT_EQ(10, BitmapSizeOf(buffer.m_hDC).cx);
        EXPECT_EQ(12, BitmapSizeOf(buffer.m_hDC).cy);
        CRect rcClip;
        buffer.GetClipBox(&rcClip);
        EXPECT_EQ(CRect(rcDirty), rcClip);
    }
    wnd.Detach();
    ::DestroyWindow(hWnd);
}

TEST(BufferDCEx, DrawsInDestinationCoordinates)
{
    CDibSection dib(50, 50, g_clrBack);
    {
        CZPBufferDCEx buffer(dib.GetDC(), 10, 20, 30, 40);
        EXPECT_EQ(20, BitmapSizeOf(buffer.m_hDC).cx);
        buffer.FillSolidRect(0, 0, 50, 50, RGB(9, 9, 9));
        buffer.FillSolidRect(10, 20, 5, 5, g_clrInk);
    }
    EXPECT_EQ(g_clrInk, dib.GetPixel(10, 20));
    EXPECT_EQ(g_clrInk, dib.GetPixel(14, 24));
    EXPECT_EQ(RGB(9, 9, 9), dib.GetPixel(29, 39));
    EXPECT_EQ(g_clrBack, dib.GetPixel(9, 20));
    EXPECT_EQ(g_clrBack, dib.GetPixel(30, 39));
    EXPECT_EQ(g_clrBack, dib.GetPixel(29, 40));
}

TEST(CompatibleDC, DrawsIntoTheBitmapAndGivesItBack)
{
    CDibSection target(10, 10, g_clrBack);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(target.GetDC(), 10, 10);
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    {
        CZPCompatibleDC dc(NULL, &bitmap);
        EXPECT_EQ(hBitmap, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
        dc.FillSolidRect(0, 0, 10, 10, g_clrInk);
    }
    // Deselected: it can go into another DC and still holds the drawing.
    {
        CZPCompatibleDC dc(NULL, hBitmap);
        EXPECT_EQ(hBitmap, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
        ::BitBlt(target.GetDC(), 0, 0, 10, 10, dc.m_hDC, 0, 0, SRCCOPY);
    }
    EXPECT_EQ(g_clrInk, target.GetPixel(5, 5));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), ::GetObjectType(hBitmap));
}

TEST(FontDC, RestoresTheFontFromBeforeTheFirstSelection)
{
    CDibSection dib(4, 4);
    CDC dc(dib.GetDC());
    const HGDIOBJ hOriginal = ::GetCurrentObject(dib.GetDC(), OBJ_FONT);
    const COLORREF clrOriginal = ::GetTextColor(dib.GetDC());
    CFont font1, font2;
    font1.Attach(::GetStockObject(DEFAULT_GUI_FONT));
    font2.Attach(::GetStockObject(ANSI_FIXED_FONT));
    {
        CZPFontDC fontDC(&dc, &font1);
        fontDC.SelectFont(&font2);
        EXPECT_EQ(font2.m_hObject, ::GetCurrentObject(dib.GetDC(), OBJ_FONT));
        fontDC.SetColor(RGB(1, 1, 1));
        fontDC.SetColor(RGB(2, 2, 2));
        EXPECT_EQ(RGB(2, 2, 2), ::GetTextColor(dib.GetDC()));
    }
    EXPECT_EQ(hOriginal, ::GetCurrentObject(dib.GetDC(), OBJ_FONT));
    EXPECT_EQ(clrOriginal, ::GetTextColor(dib.GetDC()));

    CZPFontDC nothing(NULL, &font1);
    nothing.SelectFont(&font2);
    nothing.RestoreFont();
    nothing.RestoreColor();
    font1.Detach();
    font2.Detach();
    dc.Detach();
}

TEST(PenDC, ChangeColorKeepsOnePenAndRestoresTheOriginal)
{
    CDibSection dib(10, 10, g_clrBack);
    const HGDIOBJ hOriginal = ::GetCurrentObject(dib.GetDC(), OBJ_PEN);
    {
        CZPPenDC pen(dib.GetDC(), RGB(10, 10, 10));
        HGDIOBJ hPrevious = ::GetCurrentObject(dib.GetDC(), OBJ_PEN);
        for (COLORREF clr : {RGB(20, 20, 20), RGB(30, 30, 30), g_clrInk})
        {
            pen.ChangeColor(clr);
            const HGDIOBJ hCurrent = ::GetCurrentObject(dib.GetDC(), OBJ_PEN);
            EXPECT_EQ(clr, PenColorOf(dib.GetDC()));
            EXPECT_TRUE(hPrevious == hCurrent || ::GetObjectType(hPrevious) == 0);
            hPrevious = hCurrent;
        }
        ::MoveToEx(dib.GetDC(), 0, 5, NULL);
        ::LineTo(dib.GetDC(), 10, 5);
    }
    EXPECT_EQ(g_clrInk, dib.GetPixel(5, 5));
    EXPECT_EQ(hOriginal, ::GetCurrentObject(dib.GetDC(), OBJ_PEN));

    CPen callerPen(PS_SOLID, 1, RGB(7, 7, 7));
    CDC dc(dib.GetDC());
    {
        CZPPenDC pen(&dc, &callerPen);
        EXPECT_EQ(callerPen.m_hObject, ::GetCurrentObject(dib.GetDC(), OBJ_PEN));
    }
    EXPECT_EQ(hOriginal, ::GetCurrentObject(dib.GetDC(), OBJ_PEN));
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(callerPen.m_hObject));
    dc.Detach();
}

TEST(BrushDC, SelectsASolidBrushAndRestores)
{
    CDibSection dib(10, 10, g_clrBack);
    const HGDIOBJ hOriginal = ::GetCurrentObject(dib.GetDC(), OBJ_BRUSH);
    {
        CZPBrushDC brush(dib.GetDC(), g_clrInk);
        ::PatBlt(dib.GetDC(), 0, 0, 10, 10, PATCOPY);
    }
    EXPECT_EQ(g_clrInk, dib.GetPixel(3, 3));
    EXPECT_EQ(hOriginal, ::GetCurrentObject(dib.GetDC(), OBJ_BRUSH));
}
