// The flat markup functions: NULL tolerance, ownership, measuring and drawing a page, messages.
#include "markup_drawing_fixture.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupApi.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupShapes.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

class MarkupApi : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        CZPMarkupContext* pContext = ZpMarkupNewContext(NULL);
        CZPMarkupUIElement* pElement = ZpMarkupParseToElement(pContext, L"<Rectangle Fill='Red'/>");
        CDibSection dib(4, 4);
        const RECT rc = { 0, 0, 4, 4 };
        ZpMarkupDrawElement(pElement, dib.GetDC(), &rc);
        ZpMarkupFreeElement(&pElement);
        ZpMarkupFreeContext(&pContext);
        CMarkupLeakCheck::SetUp();
    }
};

TEST_F(MarkupApi, NullsAnswerNothing)
{
    CZPMarkupContext* pNoContext = NULL;
    ZpMarkupFreeContext(&pNoContext);
    ZpMarkupFreeContext(NULL);
    CZPMarkupUIElement* pNoElement = NULL;
    EXPECT_EQ(0, ZpMarkupFreeElement(&pNoElement));
    EXPECT_EQ(nullptr, pNoElement);
    EXPECT_EQ(0, ZpMarkupFreeElement(NULL));
    EXPECT_EQ(nullptr, ZpMarkupParseToElement(NULL, L"<Rectangle/>"));
    EXPECT_EQ(nullptr, ZpMarkupContextOf(NULL));
    ZpMarkupSetContextFont(NULL, NULL, 0);
    LRESULT lResult = 0;
    EXPECT_FALSE(ZpMarkupForwardMessage(NULL, WM_MOUSEMOVE, 0, 0, &lResult));
    const SIZE sz = ZpMarkupMeasureSize(NULL, 100, 100);
    EXPECT_EQ(0, sz.cx);
    EXPECT_EQ(0, sz.cy);
    CDibSection dib(10, 10);
    const RECT rc = { 0, 0, 10, 10 };
    EXPECT_FALSE(ZpMarkupDrawElement(NULL, dib.GetDC(), &rc));

    CZPMarkupContext* pContext = ZpMarkupNewContext(NULL);
    EXPECT_EQ(nullptr, ZpMarkupParseToElement(pContext, NULL));
    // Plain text and pages whose root is no element give NULL, and nothing stays alive.
    EXPECT_EQ(nullptr, ZpMarkupParseToElement(pContext, L"Just text"));
    EXPECT_EQ(nullptr, ZpMarkupParseToElement(pContext, L"<Rectangle"));
    EXPECT_EQ(nullptr, ZpMarkupParseToElement(pContext, L"<SolidColorBrush Color='Red'/>"));
    CZPMarkupUIElement* pElement = ZpMarkupParseToElement(pContext, L"<Rectangle Fill='Red'/>");
    ASSERT_NE(nullptr, pElement);
    EXPECT_FALSE(ZpMarkupDrawElement(pElement, NULL, &rc));
    EXPECT_FALSE(ZpMarkupDrawElement(pElement, dib.GetDC(), NULL));
    EXPECT_EQ(0, ZpMarkupFreeElement(&pElement));
    EXPECT_EQ(nullptr, pElement);
    ZpMarkupFreeContext(&pContext);
    EXPECT_EQ(nullptr, pContext);
}

TEST_F(MarkupApi, MeasuresAndDrawsAPageIntoTheRectangle)
{
    CZPMarkupContext* pContext = ZpMarkupNewContext(NULL);
    CZPMarkupUIElement* pLine =
        ZpMarkupParseToElement(pContext, L"<Line X1='0' Y1='10' X2='100' Y2='10' Stroke='Red' Margin='2'/>");
    ASSERT_NE(nullptr, pLine);
    EXPECT_EQ(pContext, ZpMarkupContextOf(pLine));
    SIZE sz = ZpMarkupMeasureSize(pLine, kZpMarkupInfinite, kZpMarkupInfinite);
    EXPECT_EQ(104, sz.cx);
    EXPECT_EQ(15, sz.cy);
    sz = ZpMarkupMeasureSize(pLine, 50, 8);
    EXPECT_EQ(50, sz.cx);
    EXPECT_EQ(8, sz.cy);
    ZpMarkupFreeElement(&pLine);

    CZPMarkupUIElement* pRect = ZpMarkupParseToElement(pContext, L"<Rectangle Fill='Red'/>");
    ASSERT_NE(nullptr, pRect);
    CDibSection dib(40, 40, kWhite);
    RECT rc = { 10, 10, 30, 30 };
    EXPECT_TRUE(ZpMarkupDrawElement(pRect, dib.GetDC(), &rc));
    ::GdiFlush();
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(10, 10)));
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(29, 29)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(9, 20)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(30, 20)));
    // Every draw arranges anew into the rectangle given.
    dib.Fill(kWhite);
    rc = { 0, 0, 5, 40 };
    EXPECT_TRUE(ZpMarkupDrawElement(pRect, dib.GetDC(), &rc));
    ::GdiFlush();
    EXPECT_TRUE(ColorNear(kRed, dib.GetPixel(4, 39)));
    EXPECT_TRUE(ColorNear(kWhite, dib.GetPixel(5, 0)));
    ZpMarkupFreeElement(&pRect);
    ZpMarkupFreeContext(&pContext);
}

TEST_F(MarkupApi, FontAndColourChangeOnlyWhenGiven)
{
    CZPMarkupContext* pContext = ZpMarkupNewContext(NULL);
    const LOGFONTW lfDefault = pContext->GetDefaultFont();
    const COLORREF clrDefault = pContext->GetDefaultTextColor();
    ZpMarkupSetContextFont(pContext, NULL, static_cast<COLORREF>(-1));
    EXPECT_EQ(lfDefault.lfHeight, pContext->GetDefaultFont().lfHeight);
    EXPECT_STREQ(lfDefault.lfFaceName, pContext->GetDefaultFont().lfFaceName);
    EXPECT_EQ(clrDefault, pContext->GetDefaultTextColor());
    ZpMarkupSetContextFont(pContext, NULL, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pContext->GetDefaultTextColor());
    HFONT hFont = ::CreateFontW(-23, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    ZpMarkupSetContextFont(pContext, hFont, static_cast<COLORREF>(-1));
    EXPECT_EQ(-23, pContext->GetDefaultFont().lfHeight);
    EXPECT_EQ(FW_BOLD, pContext->GetDefaultFont().lfWeight);
    EXPECT_EQ(RGB(1, 2, 3), pContext->GetDefaultTextColor());
    ::DeleteObject(hFont);
    ZpMarkupFreeContext(&pContext);
}

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

TEST_F(MarkupApi, MessagesReachTheTreeWhileTheElementLives)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"MarkupApiHost";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(nullptr, hWnd);
    CZPMarkupContext* pContext = ZpMarkupNewContext(hWnd);
    EXPECT_EQ(hWnd, pContext->GetHostWindow());
    CZPMarkupUIElement* pElement = ZpMarkupParseToElement(pContext, L"<Ellipse Fill='Red' Width='40' Height='40'/>");
    ASSERT_NE(nullptr, pElement);
    CDibSection dib(40, 40);
    const RECT rc = { 0, 0, 40, 40 };
    ZpMarkupDrawElement(pElement, dib.GetDC(), &rc);
    LRESULT lResult = 0;
    ZpMarkupForwardMessage(pElement, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), &lResult);
    EXPECT_EQ(pElement, pContext->GetHotElement());
    // Outside the ellipse, at the box's corner: nothing is hot. No result pointer is needed.
    ZpMarkupForwardMessage(pElement, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), NULL);
    EXPECT_EQ(nullptr, pContext->GetHotElement());

    // The caller's context count goes first; the element keeps the context alive and usable.
    CZPMarkupContext* pHeld = pContext;
    ZpMarkupFreeContext(&pContext);
    EXPECT_EQ(pHeld, ZpMarkupContextOf(pElement));
    ZpMarkupForwardMessage(pElement, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), &lResult);
    EXPECT_EQ(pElement, pHeld->GetHotElement());
    const SIZE sz = ZpMarkupMeasureSize(pElement, 30, 30);
    EXPECT_EQ(30, sz.cx);
    EXPECT_TRUE(ZpMarkupDrawElement(pElement, dib.GetDC(), &rc));
    EXPECT_EQ(0, ZpMarkupFreeElement(&pElement));
    ::DestroyWindow(hWnd);
}
}  // namespace
