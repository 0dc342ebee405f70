// A window showing the base paint manager's pieces side by side in the themed and in the classic
// path: check-box and radio marks, check and radio glyphs, arrows, message-bar buttons, shared
// primitives, the workspace and a status bar with its size grip. The themed column uses the
// visual style where the prefix has one; the classic column never does.
// TOLVANE_TEST_LINGER_MS keeps the window on screen (and interactive) that long, for a screenshot.
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "message_pump.h"
#include "paint_manager_test_theme.h"

namespace {

const int kColumnWidth = 300;
const int kClientWidth = 2 * kColumnWidth, kClientHeight = 250;
const int kStatusHeight = 22;
const int kRowHeight = 30;
const int kMark = 13;
const COLORREF kPage = RGB(0xF4, 0xF6, 0xFA);

// Moves the DC's origin for the pieces that draw from (0, 0); restores it on the way out.
class COriginShift
{
public:
    COriginShift(CDC* pDC, CPoint pt) : m_pDC(pDC) { m_ptOld = pDC->SetViewportOrg(pt); }
    ~COriginShift() { m_pDC->SetViewportOrg(m_ptOld); }
    COriginShift(const COriginShift&) = delete;
    COriginShift& operator=(const COriginShift&) = delete;

private:
    CDC* m_pDC;  // not owned
    CPoint m_ptOld;
};

// One column: every piece of one paint manager, from x0.
void DrawColumn(CDC* pDC, CTestTheme* pPM, CWnd* pStatusBar, int x0, LPCWSTR lpszTitle)
{
    pDC->FillSolidRect(x0, 0, kColumnWidth, kClientHeight, kPage);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    CFont* pOldFont = pDC->SelectObject(pPM->GetRegularFont());
    pDC->TextOutW(x0 + 8, 6, lpszTitle, static_cast<int>(wcslen(lpszTitle)));

    // Row 1: check boxes (clear, checked, mixed, hot, pressed, disabled), then radio buttons.
    int y = 30;
    int x = x0 + 8;
    const struct
    {
        int nSelected;
        BOOL bPressed;
        int nChecked;
        BOOL bEnabled;
    } marks[] = { { 0, FALSE, 0, TRUE }, { 0, FALSE, 1, TRUE }, { 0, FALSE, 2, TRUE },
                  { 1, FALSE, 1, TRUE }, { 1, TRUE, 1, TRUE },  { 0, FALSE, 1, FALSE } };
    for (const auto& m : marks) {
        pPM->DrawCheckBoxMark(pDC, CRect(x, y, x + kMark, y + kMark), TRUE, m.nSelected, m.bPressed, m.nChecked,
                              m.bEnabled);
        x += kMark + 6;
    }
    x += 10;
    for (const auto& m : marks) {
        if (m.nChecked == 2)
            continue;
        pPM->DrawRadioButtonMark(pDC, CRect(x, y, x + kMark, y + kMark), TRUE, m.nSelected, m.bPressed, m.nChecked,
                                 m.bEnabled);
        x += kMark + 6;
    }

    // Row 2: menu glyphs on a selected and a plain cell: check mark, thick check, radio dot,
    // combo arrow, drop-down glyphs across and down.
    y += kRowHeight - 8;
    x = x0 + 8;
    const CSize szCell(22, 22);
    for (int i = 0; i < 6; ++i) {
        const CRect rc(CPoint(x, y), szCell);
        const BOOL bSelected = i % 2;
        pPM->FillRectAndBorder(pDC, rc, static_cast<int>(bSelected ? RGB(0xC0, 0xD8, 0xF0) : RGB(255, 255, 255)),
                               zpColorBtnShadow);
        const COLORREF clr = bSelected ? RGB(0x20, 0x40, 0x90) : RGB(0, 0, 0);
        switch (i) {
        case 0:
            pPM->DrawCheckMark(pDC, rc, 0, clr);
            break;
        case 1:
            pPM->m_bThickCheckMark = TRUE;
            pPM->DrawCheckMark(pDC, rc, 0, clr);
            pPM->m_bThickCheckMark = FALSE;
            break;
        case 2:
            pPM->DrawRadioMark(pDC, rc, 0, clr);
            break;
        case 3:
            pPM->DrawComboArrow(pDC, rc, clr);
            break;
        case 4:
            pPM->DrawDropDownGlyph(pDC, NULL, rc.CenterPoint(), TRUE, FALSE, TRUE, FALSE);
            break;
        default:
            pPM->DrawDropDownGlyph(pDC, NULL, rc.CenterPoint(), FALSE, FALSE, TRUE, TRUE);
            break;
        }
        x += szCell.cx + 6;
    }

    // Row 3: message-bar buttons: plain, hot, pressed, and the close cross plain and hot.
    y += kRowHeight;
    x = x0 + 8;
    const struct
    {
        BOOL bPressed, bHot;
        UINT nId;
        int cx;
    } buttons[] = { { FALSE, FALSE, 1, 50 },
                    { FALSE, TRUE, 1, 50 },
                    { TRUE, TRUE, 1, 50 },
                    { FALSE, FALSE, SC_CLOSE, 20 },
                    { FALSE, TRUE, SC_CLOSE, 20 } };
    for (const auto& b : buttons) {
        ZP_MESSAGEBAR_BUTTON button = { CRect(x, y, x + b.cx, y + 20), b.bPressed, b.bHot, b.nId };
        pPM->DrawMessageBarButton(pDC, &button);
        x += b.cx + 6;
    }

    // Row 4: primitives: gradients, a 3-D frame, a smooth circle, a triangle, the workspace.
    y += kRowHeight;
    x = x0 + 8;
    pPM->GradientFill(pDC, CRect(x, y, x + 60, y + 24), RGB(0xFF, 0xFF, 0xFF), RGB(0x40, 0x60, 0xA0), FALSE);
    x += 66;
    pPM->GradientFill(pDC, CRect(x, y, x + 60, y + 24), RGB(0xF0, 0xC0, 0x60), RGB(0x80, 0x30, 0x00), TRUE);
    x += 66;
    pPM->Draw3dRectByIndex(pDC, CRect(x, y, x + 30, y + 24), zpColorBtnHighlight, zpColorBtnShadow);
    x += 36;
    pPM->FillSmoothCircle(pDC, CRect(x, y, x + 24, y + 24), RGB(0x40, 0x80, 0xC0));
    x += 30;
    pPM->DrawTriangle(pDC, CPoint(x, y + 22), CPoint(x + 24, y + 22), CPoint(x + 12, y + 2), RGB(0x60, 0xA0, 0x60));
    x += 30;
    pPM->FillWorkspace(pDC, CRect(x, y, x0 + kColumnWidth - 8, y + 24), CRect());

    // Row 5: a caption in the paint manager's regular font.
    y += kRowHeight + 4;
    CRect rcText(x0 + 8, y, x0 + kColumnWidth - 8, y + 20);
    pDC->DrawTextW(L"Status bar below, with its size grip", -1, &rcText, DT_SINGLELINE | DT_VCENTER);
    pDC->SelectObject(pOldFont);

    // The status bar draws from the DC's origin over its window's client size.
    COriginShift shift(pDC, CPoint(x0, kClientHeight - kStatusHeight));
    pPM->FillStatusBar(pDC, pStatusBar);
    pPM->DrawStatusSizeGrip(pDC, CRect(0, 0, kColumnWidth, kStatusHeight));
}

class CShowcase;
CShowcase* g_pShowcase = NULL;

// The host window shows a picture drawn once into a DIB section.
class CShowcase
{
public:
    CShowcase() : m_dib(kClientWidth, kClientHeight, kPage)
    {
        m_themed->m_bThemedStatusBar = TRUE;
        m_themed->m_bThemedCheckBox = TRUE;
        m_themed->RefreshMetrics();
        m_classic->m_bThemedStatusBar = FALSE;
        m_classic->m_bThemedCheckBox = FALSE;
        m_classic->RefreshMetrics();
    }
    ~CShowcase()
    {
        if (m_hWnd != NULL)
            ::DestroyWindow(m_hWnd);
    }
    CShowcase(const CShowcase&) = delete;
    CShowcase& operator=(const CShowcase&) = delete;

    void Create()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CShowcase::WndProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.lpszClassName = L"ZPPaintManagerShowcase";
        ::RegisterClassW(&wc);
        RECT rc = { 0, 0, kClientWidth, kClientHeight };
        const DWORD dwStyle = WS_OVERLAPPEDWINDOW;
        ::AdjustWindowRect(&rc, dwStyle, FALSE);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Paint manager showcase", dwStyle, 10, 10, rc.right - rc.left,
                                   rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
        // The status bars are child windows only for their sizes; the picture paints them.
        m_statusThemed.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, kColumnWidth, kStatusHeight),
                                CWnd::FromHandle(m_hWnd), 1);
        m_statusClassic.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, kColumnWidth, kStatusHeight),
                                 CWnd::FromHandle(m_hWnd), 2);
        Draw();
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::UpdateWindow(m_hWnd);
    }
    void Draw()
    {
        CDibDC dc(m_dib.GetDC());
        DrawColumn(&dc, m_themed.Get(), &m_statusThemed, 0, L"Themed");
        DrawColumn(&dc, m_classic.Get(), &m_statusClassic, kColumnWidth, L"Classic");
        ::GdiFlush();
    }
    void Linger() { LingerForScreenshot(m_hWnd); }

    CTestThemeRef m_themed;
    CTestThemeRef m_classic;
    CWnd m_statusThemed;
    CWnd m_statusClassic;
    CDibSection m_dib;
    HWND m_hWnd = NULL;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CShowcase* pThis = g_pShowcase;
        if (pThis == NULL || pThis->m_hWnd != hWnd)
            return ::DefWindowProcW(hWnd, message, wParam, lParam);
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hDC = ::BeginPaint(hWnd, &ps);
            ::BitBlt(hDC, 0, 0, kClientWidth, kClientHeight, pThis->m_dib.GetDC(), 0, 0, SRCCOPY);
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCDESTROY:
            pThis->m_hWnd = NULL;
            break;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

}  // namespace

TEST(PaintManagerShowcase, DrawsBothPaths)
{
    CShowcase showcase;
    g_pShowcase = &showcase;
    showcase.Create();
    ASSERT_NE(static_cast<HWND>(NULL), showcase.m_hWnd);

    // The classic status bar is the face colour up to the grip; the themed one is the style's
    // picture where the prefix has the style, else the same classic fill.
    const COLORREF clrFace = showcase.m_classic->GetColor(zpColorBtnFace);
    const int yStatus = kClientHeight - kStatusHeight / 2;
    EXPECT_EQ(clrFace, showcase.m_dib.GetPixel(kColumnWidth + 20, yStatus));
    if (!showcase.m_themed->IsThemeInUse(showcase.m_themed->m_themeStatusBar)) {
        EXPECT_EQ(clrFace, showcase.m_dib.GetPixel(20, yStatus));
    }
    // The classic grip's first shadow stroke ends one pixel inside the corner.
    EXPECT_EQ(showcase.m_classic->GetColor(zpColorBtnShadow),
              showcase.m_dib.GetPixel(kClientWidth - 2, kClientHeight - 3));
    // Marks drew in both columns: the first classic check box is framed, not page-coloured.
    EXPECT_NE(kPage, showcase.m_dib.GetPixel(kColumnWidth + 8, 30));
    EXPECT_NE(kPage, showcase.m_dib.GetPixel(8, 30));

    showcase.Linger();
    g_pShowcase = NULL;
}
