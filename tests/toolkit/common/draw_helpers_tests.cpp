// Gradients, mirroring, pixel smoothing, colour conversions and the window helpers, drawn
// into DIB sections and read back.
#include "common/ZPDrawHelpers.h"

#include "common/ZPColorManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPResourceManager.h"

#include "DibSection.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace
{
const COLORREF A = RGB(200, 40, 0), B = RGB(0, 80, 240);

// Helpers whose GradientFill entry is missing, so every gradient takes the line fallback.
class CLineHelpers : public CZPDrawHelpers
{
public:
    CLineHelpers() { m_pfnGradientFill = NULL; }
};

int ChannelDistance(COLORREF c1, COLORREF c2)
{
    int d = abs(GetRValue(c1) - GetRValue(c2));
    d = d > abs(GetGValue(c1) - GetGValue(c2)) ? d : abs(GetGValue(c1) - GetGValue(c2));
    return d > abs(GetBValue(c1) - GetBValue(c2)) ? d : abs(GetBValue(c1) - GetBValue(c2));
}

// Colour of column (or row) i of a line-painted gradient of n lines.
COLORREF LineColor(COLORREF clrFrom, COLORREF clrTo, int i, int n)
{
    return ZpMixColors(clrFrom, clrTo, 1.0 - static_cast<double>(i) / n);
}

class CTestWindow
{
public:
    explicit CTestWindow(DWORD dwExStyle = 0)
    {
        ZpRegisterWindowClass(NULL, L"TolvaneDrawHelpersTest", 0, NULL, NULL);
        m_hWnd = ::CreateWindowExW(dwExStyle, L"TolvaneDrawHelpersTest", L"Caption", WS_OVERLAPPEDWINDOW, 40, 50,
                                   300, 200, NULL, NULL, AfxGetInstanceHandle(), NULL);
        m_wnd.Attach(m_hWnd);
    }
    ~CTestWindow()
    {
        m_wnd.Detach();
        ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd;
    CWnd m_wnd;
};
}

TEST(DrawHelpers, GradientRunsFromTheFirstColourTowardsTheSecond)
{
    for (BOOL bHorz : {TRUE, FALSE})
    {
        SCOPED_TRACE(bHorz ? "horizontal" : "vertical");
        CDibSection dib(64, 64, RGB(1, 2, 3));
        CDC dc(dib.GetDC());
        ZpDrawHelpersInstance().FillGradient(&dc, CRect(0, 0, 64, 64), A, B, bHorz);
        EXPECT_EQ(A, dib.GetPixel(0, 0));
        EXPECT_LE(ChannelDistance(B, dib.GetPixel(63, 63)), 5);
        // Constant across the gradient's direction.
        EXPECT_EQ(dib.GetPixel(bHorz ? 20 : 0, bHorz ? 0 : 20), dib.GetPixel(bHorz ? 20 : 63, bHorz ? 63 : 20));
        dc.Detach();
    }
}

TEST(DrawHelpers, LineFallbackPaintsTheMixOfEachLine)
{
    CLineHelpers helpers;
    for (BOOL bHorz : {TRUE, FALSE})
    {
        SCOPED_TRACE(bHorz ? "horizontal" : "vertical");
        CDibSection dib(50, 50, RGB(1, 2, 3));
        CDC dc(dib.GetDC());
        helpers.FillGradient(&dc, CRect(10, 10, 40, 40), A, B, bHorz);
        for (int i = 0; i < 30; ++i)
            EXPECT_EQ(LineColor(A, B, i, 30), dib.GetPixel(bHorz ? 10 + i : 25, bHorz ? 25 : 10 + i)) << i;
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(9, 9));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(40, 40));
        dc.Detach();
    }
}

TEST(DrawHelpers, LineFallbackPaintsOnlyTheClipBox)
{
    CLineHelpers helpers;
    CDibSection dib(50, 10, RGB(1, 2, 3));
    CDC dc(dib.GetDC());
    dc.IntersectClipRect(20, 0, 30, 10);
    helpers.FillGradient(&dc, CRect(0, 0, 50, 10), A, B, TRUE);
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(19, 5));
    EXPECT_EQ(LineColor(A, B, 20, 50), dib.GetPixel(20, 5));
    EXPECT_EQ(LineColor(A, B, 29, 50), dib.GetPixel(29, 5));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(30, 5));
    dc.Detach();
}

TEST(DrawHelpers, EqualColoursEmptyRectanglesAndLowColourDisplays)
{
    CDibSection dib(20, 20, RGB(1, 2, 3));
    CDC dc(dib.GetDC());
    CZPDrawHelpers& helpers = ZpDrawHelpersInstance();

    helpers.FillGradient(&dc, CRect(5, 5, 5, 15), A, B, TRUE);
    helpers.FillGradient(&dc, NULL, A, B, TRUE);
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(5, 5));

    helpers.FillGradient(&dc, CRect(0, 0, 10, 20), A, A, TRUE);
    EXPECT_EQ(A, dib.GetPixel(9, 19));

    ZpColorManagerInstance().SetLowColorOverride(1);
    EXPECT_TRUE(ZpIsLowColorDC(dib.GetDC()));
    helpers.FillGradient(&dc, CRect(10, 0, 20, 20), B, A, FALSE);
    ZpColorManagerInstance().SetLowColorOverride(-1);
    EXPECT_EQ(B, dib.GetPixel(10, 0));
    EXPECT_EQ(B, dib.GetPixel(19, 19));
    EXPECT_FALSE(ZpIsLowColorDC(dib.GetDC()));
    dc.Detach();
}

TEST(DrawHelpers, ClippedGradientPaintsThePartOfTheWholeGradient)
{
    CLineHelpers lines;
    CZPDrawHelpers& native = ZpDrawHelpersInstance();
    for (CZPDrawHelpers* pHelpers : {static_cast<CZPDrawHelpers*>(&lines), &native})
    {
        SCOPED_TRACE(pHelpers == &native ? "native" : "lines");
        CDibSection dib(100, 20, RGB(1, 2, 3));
        CDC dc(dib.GetDC());
        const CRect rc(0, 0, 100, 20);

        pHelpers->FillGradientClipped(&dc, rc, A, B, TRUE, CRect(120, 0, 150, 20));
        pHelpers->FillGradientClipped(&dc, rc, A, B, FALSE, CRect(0, 30, 100, 40));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(99, 19));

        pHelpers->FillGradientClipped(&dc, rc, A, B, TRUE, CRect(25, 5, 75, 15));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(24, 10));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(75, 10));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(50, 4));
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(50, 15));
        EXPECT_EQ(ZpMixColors(A, B, 0.75), dib.GetPixel(25, 5));
        EXPECT_LE(ChannelDistance(ZpMixColors(A, B, 0.25), dib.GetPixel(74, 14)), 5);
        if (pHelpers == &lines)
        {
            const COLORREF clrStart = ZpMixColors(A, B, 0.75), clrEnd = ZpMixColors(A, B, 0.25);
            EXPECT_EQ(LineColor(clrStart, clrEnd, 30, 50), dib.GetPixel(55, 10));
        }
        dc.Detach();
    }
}

TEST(DrawHelpers, ColorGradientWithAFactorMeetsInTheMiddle)
{
    CZPPaintManagerColorGradient grc;
    grc.SetStandard(A, B, 0.75f);
    CDibSection dib(100, 100, RGB(1, 2, 3));
    CDC dc(dib.GetDC());
    ZpDrawHelpersInstance().FillColorGradient(&dc, CRect(0, 0, 100, 10), grc, TRUE);
    EXPECT_EQ(A, dib.GetPixel(0, 5));
    EXPECT_EQ(ZpMixColors(A, B, 0.75), dib.GetPixel(50, 5));
    EXPECT_LE(ChannelDistance(ZpMixColors(A, B, 0.75), dib.GetPixel(49, 5)), 5);
    EXPECT_LE(ChannelDistance(B, dib.GetPixel(99, 5)), 5);

    ZpDrawHelpersInstance().FillColorGradient(&dc, CRect(0, 20, 10, 81), grc, FALSE);
    EXPECT_EQ(ZpMixColors(A, B, 0.75), dib.GetPixel(5, 20 + 31));

    grc.m_clrStart.SetCustomValue(B);
    grc.m_fFactor = 0.5f;
    ZpDrawHelpersInstance().FillColorGradient(&dc, CRect(0, 90, 100, 100), grc, TRUE);
    EXPECT_EQ(B, dib.GetPixel(0, 95));
    EXPECT_EQ(B, dib.GetPixel(99, 95));
    dc.Detach();
}

TEST(DrawHelpers, MirroredDCGetsMirroredContent)
{
    CLineHelpers lines;
    for (CZPDrawHelpers* pHelpers : {static_cast<CZPDrawHelpers*>(&lines), &ZpDrawHelpersInstance()})
    {
        CDibSection dib(40, 10, RGB(1, 2, 3));
        CDC dc(dib.GetDC());
        EXPECT_FALSE(ZpDCIsMirrored(&dc));
        ZpSetDCLayout(&dc, LAYOUT_RTL);
        EXPECT_TRUE(ZpDCIsMirrored(&dc));
        EXPECT_EQ(static_cast<DWORD>(LAYOUT_RTL), ZpGetDCLayout(dib.GetDC()));
        pHelpers->FillGradient(&dc, CRect(0, 0, 20, 10), A, B, TRUE);
        ZpSetDCLayout(&dc, 0);
        // The logical left half lands on the right, first colour outermost (Wine's mirrored
        // rectangles sit one pixel further left than Windows' ones, so allow a step).
        int xLeft = 0, xRight = 39;
        while (xLeft < 40 && dib.GetPixel(xLeft, 5) == RGB(1, 2, 3))
            ++xLeft;
        while (xRight >= 0 && dib.GetPixel(xRight, 5) == RGB(1, 2, 3))
            --xRight;
        EXPECT_GE(xLeft, 19);
        EXPECT_GE(xRight, 38);
        EXPECT_LE(ChannelDistance(A, dib.GetPixel(xRight, 5)), 12);
        EXPECT_LE(ChannelDistance(B, dib.GetPixel(xLeft, 5)), 12);
        dc.Detach();
    }
    EXPECT_FALSE(ZpDCIsMirrored(NULL));
}

TEST(DrawHelpers, AveragePixelPairs)
{
    CDibSection dib(8, 8, RGB(0, 0, 0));
    dib.SetPixel(2, 1, RGB(254, 100, 51));
    dib.SetPixel(5, 5, RGB(10, 20, 30));
    CDC dc(dib.GetDC());
    const POINT pairs[] = {{1, 1}, {1, 0}, {5, 5}, {0, 1}, {6, 6}};
    ZpDrawHelpersInstance().AveragePixelPairs(&dc, pairs, 0);
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(1, 1));
    ZpDrawHelpersInstance().AveragePixelPairs(&dc, pairs, 5);
    EXPECT_EQ(RGB(127, 50, 25), dib.GetPixel(1, 1));
    EXPECT_EQ(RGB(5, 10, 15), dib.GetPixel(5, 5));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(6, 6));
    dc.Detach();
}

TEST(DrawHelpers, ColourMixingAndHls)
{
    EXPECT_EQ(0x7F007Fu, ZpMixColors(0x0000FF, 0xFF0000, 0.5));
    EXPECT_EQ(A, ZpMixColors(A, B, 1.0));
    EXPECT_EQ(B, ZpMixColors(A, B, 0.0));

    struct Case
    {
        COLORREF clr;
        DWORD dwHls;
        COLORREF clrBack;
    } cases[] = {
        {0x0000FF, 0x78EF00, 0x0000FD},
        {0xFFFFFF, 0xF000EF, 0xFFFFFF},
        {0x000000, 0x0000EF, 0x000000},
        {0x808080, 0x7800EF, 0x7F7F7F},
        {0x00FF00, 0x78EF4F, 0x00FD06},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.dwHls, ZpRgbToHls(c.clr)) << std::hex << c.clr;
        EXPECT_EQ(c.clrBack, ZpHlsToRgb(c.dwHls)) << std::hex << c.dwHls;
    }
}

TEST(DrawHelpers, MnemonicFilter)
{
    struct Case
    {
        LPCWSTR pszIn, pszOut;
    } cases[] = {
        {L"&File", L"File"}, {L"Save && Exit", L"Save & Exit"}, {L"Tail&", L"Tail"},
        {L"&&&x", L"&x"},    {L"", L""},                         {L"plain", L"plain"},
    };
    for (const Case& c : cases)
    {
        CString str(c.pszIn);
        ZpRemoveAmpersands(str);
        EXPECT_STREQ(c.pszOut, str.GetString());
        WCHAR sz[32];
        lstrcpyW(sz, c.pszIn);
        ZpStripAmpersandsInPlace(sz);
        EXPECT_STREQ(c.pszOut, sz);
    }
    ZpStripAmpersandsInPlace(NULL);
    ZpStripAmpersandsInPlace(reinterpret_cast<LPWSTR>(static_cast<INT_PTR>(-1)));
}

TEST(DrawHelpers, WindowRectanglesAndText)
{
    CRect rc(1, 2, 3, 4);
    EXPECT_TRUE(ZpClientRectOfWnd(rc, NULL).IsRectNull());
    rc.SetRect(1, 2, 3, 4);
    CWnd noWindow;
    EXPECT_TRUE(ZpWindowRectOfWnd(rc, &noWindow).IsRectNull());

    CTestWindow window;
    ASSERT_NE(nullptr, window.m_hWnd);
    CRect rcExpected;
    ::GetClientRect(window.m_hWnd, &rcExpected);
    EXPECT_EQ(rcExpected, ZpClientRectOfWnd(rc, &window.m_wnd));
    ::GetWindowRect(window.m_hWnd, &rcExpected);
    EXPECT_EQ(rcExpected, ZpWindowRectOfHandle(rc, window.m_hWnd));

    CString strText;
    ZpGetWindowTextDirect(window.m_hWnd, strText);
    EXPECT_STREQ(L"Caption", strText.GetString());

    POINT pt = {rcExpected.left + 7, rcExpected.top + 9};
    ZpScreenToWindowPoint(&window.m_wnd, pt);
    EXPECT_EQ(7, pt.x);
    EXPECT_EQ(9, pt.y);
}

TEST(DrawHelpers, ArrowKeysSwapOnlyInRightToLeftWindows)
{
    CTestWindow ltr, rtl(WS_EX_LAYOUTRTL);
    UINT nKey = VK_LEFT;
    ZpMirrorArrowKey(&ltr.m_wnd, nKey);
    EXPECT_EQ(static_cast<UINT>(VK_LEFT), nKey);
    ZpMirrorArrowKey(NULL, nKey);
    EXPECT_EQ(static_cast<UINT>(VK_LEFT), nKey);
    ZpMirrorArrowKey(&rtl.m_wnd, nKey);
    EXPECT_EQ(static_cast<UINT>(VK_RIGHT), nKey);
    ZpMirrorArrowKey(&rtl.m_wnd, nKey);
    EXPECT_EQ(static_cast<UINT>(VK_LEFT), nKey);
    nKey = VK_UP;
    ZpMirrorArrowKey(&rtl.m_wnd, nKey);
    EXPECT_EQ(static_cast<UINT>(VK_UP), nKey);

    CRect rc;
    ::GetWindowRect(rtl.m_hWnd, &rc);
    POINT pt = {rc.right - 7, rc.top + 9};
    ZpScreenToWindowPoint(&rtl.m_wnd, pt);
    EXPECT_EQ(7, pt.x);
}

TEST(DrawHelpers, TriangleUsesTheCurrentBrush)
{
    CDibSection dib(20, 20, RGB(0, 0, 0));
    CDC dc(dib.GetDC());
    {
        CZPBrushDC brush(dib.GetDC(), RGB(10, 200, 30));
        CZPPenDC pen(dib.GetDC(), RGB(10, 200, 30));
        ZpDrawTriangle(&dc, CPoint(0, 0), CPoint(19, 0), CPoint(0, 19));
    }
    EXPECT_EQ(RGB(10, 200, 30), dib.GetPixel(4, 4));
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(18, 18));
    dc.Detach();
}

TEST(DrawHelpers, FontsAndClassRegistration)
{
    EXPECT_FALSE(ZpFontFaceExists(L"Tolvane No Such Face"));
    LOGFONTW lfGui = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui);
    CString strFace;
    ZpChooseDefaultFontFace(strFace, TRUE);
    EXPECT_TRUE(strFace == lfGui.lfFaceName || ZpFontFaceExists(strFace));
    if (ZpFontFaceExists(L"Tahoma"))
    {
        EXPECT_TRUE(ZpFontFaceExists(L"tAHOMA"));
    }

    LOGFONTW lf = {};
    EXPECT_TRUE(ZpGetIconTitleFont(&lf));
    EXPECT_EQ(ZpResourceManagerInstance()->GetFontCharSet(), lf.lfCharSet);

    EXPECT_TRUE(ZpRegisterWindowClass(NULL, L"TolvaneRegisterTwice", CS_DBLCLKS, NULL, NULL));
    EXPECT_TRUE(ZpRegisterWindowClass(NULL, L"TolvaneRegisterTwice", CS_DBLCLKS, NULL, NULL));
    WNDCLASSW wc = {};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), L"TolvaneRegisterTwice", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), wc.style);
}
