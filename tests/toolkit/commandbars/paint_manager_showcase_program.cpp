// A window showing the base paint manager's pieces side by side in the themed and in the classic
// path: check-box and radio marks, check and radio glyphs, arrows, message-bar buttons, shared
// primitives, the workspace and a status bar with its size grip; below them a floating toolbar,
// a docked toolbar and a popup menu drawn whole through the Native XP theme (themed column) and
// the Default theme (classic column). The themed column uses the visual style where the prefix
// has one; the classic column never does.
// TOLVANE_TEST_LINGER_MS keeps the window on screen (and interactive) that long, for a screenshot.
#include <gtest/gtest.h>

#include "paint_manager_pixels.h"
#include "message_pump.h"
#include "paint_manager_test_theme.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "commandbars/themes/ZPNativeXPTheme.h"

#include <memory>
#include <vector>

namespace {

const int kColumnWidth = 300;
const int kPiecesHeight = 250;  // the pieces above; the bars below them
const int kBarsHeight = 300;
const int kClientWidth = 2 * kColumnWidth, kClientHeight = kPiecesHeight + kBarsHeight;
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
    pDC->DrawTextW(L"Bars of the look below; the status bar at the bottom", -1, &rcText, DT_SINGLELINE | DT_VCENTER);
    pDC->SelectObject(pOldFont);

    // The status bar draws from the DC's origin over its window's client size.
    COriginShift shift(pDC, CPoint(x0, kClientHeight - kStatusHeight));
    pPM->FillStatusBar(pDC, pStatusBar);
    pPM->DrawStatusSizeGrip(pDC, CRect(0, 0, kColumnWidth, kStatusHeight));
}

// The bars of one look, each a hidden window for its client size, drawn through their own
// DrawBar with the look's paint manager.
class CBarsOfOneLook
{
public:
    explicit CBarsOfOneLook(CZPPaintManager* pPM)
    {
        RegisterTestIcon(kIconNew, RGB(0x30, 0x90, 0x30));
        RegisterTestIcon(kIconOpen, RGB(0xD0, 0xA0, 0x20));
        RegisterTestIcon(kIconSave, RGB(0x30, 0x60, 0xC0));

        m_pFloating = NewBar(new CZPToolBar, pPM, zpBarFloating, L"Formatting");
        // Measured with a DC: a look may answer nothing without one.
        CClientDC dcFloating(m_pFloating);
        const int yCaption = pPM->DrawBarGripper(&dcFloating, m_pFloating, FALSE).cy + 3;
        AddButton(m_pFloating, zpControlButton, kIconNew, L"&New", zpButtonIconAndCaption, 1);
        AddButton(m_pFloating, zpControlButton, kIconOpen, L"&Open", zpButtonIconAndCaption, 0);
        AddButton(m_pFloating, zpControlPopup, 0, L"&Zoom", zpButtonCaption, 0);
        LayOutRow(m_pFloating, pPM, 6, yCaption + 3);
        Resize(m_pFloating, CSize(kColumnWidth - 16, BottomOf(m_pFloating) + 6));

        m_pDocked = NewBar(new CZPToolBar, pPM, zpBarTop, L"Standard");
        m_pDocked->SetBarStyle(ZP_BAR_STYLE_GRIPPER);
        AddButton(m_pDocked, zpControlButton, kIconNew, L"New", zpButtonAutomatic, 0);
        AddButton(m_pDocked, zpControlButton, kIconOpen, L"Open", zpButtonAutomatic, 1);
        AddButton(m_pDocked, zpControlButton, kIconSave, L"Save", zpButtonAutomatic, 0)->SetChecked(TRUE);
        AddButton(m_pDocked, zpControlSplitButtonPopup, kIconSave, L"Undo", zpButtonAutomatic, 0)->SetBeginGroup(TRUE);
        AddButton(m_pDocked, zpControlButton, kIconOpen, L"Cut", zpButtonAutomatic, 0)->SetEnabled(FALSE);
        AddButton(m_pDocked, zpControlCheckBox, 0, L"&Wrap", zpButtonAutomatic, 0)->SetBeginGroup(TRUE);
        const int xFirst = pPM->DrawBarGripper(NULL, m_pDocked, FALSE).cx + 4;
        LayOutRow(m_pDocked, pPM, xFirst, 2);
        Resize(m_pDocked, CSize(kColumnWidth - 16, BottomOf(m_pDocked) + 2));

        m_pPopup = NewBar(new CZPPopupBar, pPM, zpBarPopup, L"");
        m_pPopup->SetIconSize(CSize(16, 16));
        AddButton(m_pPopup, zpControlButton, kIconNew, L"&New", zpButtonAutomatic, 0)->SetShortcutText(L"Ctrl+N");
        AddButton(m_pPopup, zpControlButton, kIconOpen, L"&Open...", zpButtonAutomatic, 1)->SetShortcutText(L"Ctrl+O");
        AddButton(m_pPopup, zpControlButton, 0, L"&Word Wrap", zpButtonAutomatic, 0)->SetChecked(TRUE);
        AddButton(m_pPopup, zpControlButton, 0, L"&Print", zpButtonAutomatic, 0)->SetEnabled(FALSE);
        AddButton(m_pPopup, zpControlButton, 0, L"Rarely used", zpButtonAutomatic, 0)->SetHiddenByUsage(TRUE);
        CZPControl* pRecent = AddButton(m_pPopup, zpControlPopup, 0, L"&Recent Files", zpButtonAutomatic, 0);
        pRecent->SetBeginGroup(TRUE);
        LayOutPopup(m_pPopup, pPM);
    }
    ~CBarsOfOneLook()
    {
        for (CZPCommandBar* pBar : { m_pFloating, m_pDocked, m_pPopup })
            pBar->InternalRelease();
    }
    CBarsOfOneLook(const CBarsOfOneLook&) = delete;
    CBarsOfOneLook& operator=(const CBarsOfOneLook&) = delete;

    void Draw(CDC* pDC, CZPPaintManager* pPM, int x0, int y0)
    {
        const CRect rcAll(0, 0, kClientWidth, kClientHeight);
        int y = y0;
        for (CZPCommandBar* pBar : { m_pFloating, m_pDocked }) {
            COriginShift shift(pDC, CPoint(x0 + 8, y));
            pBar->DrawBar(pDC, rcAll);
            y += SizeOf(pBar).cy + 10;
        }
        COriginShift shift(pDC, CPoint(x0 + 8, y));
        m_pPopup->DrawBar(pDC, rcAll);
        pPM->DrawBarGripper(pDC, m_pPopup, TRUE);  // the icon column (gutter) where the look has one
        const int nCount = m_pPopup->CountControls();
        for (int i = 0; i < nCount; ++i) {
            CZPControl* pControl = m_pPopup->ControlAt(i);
            if (pControl->GetBeginGroup())
                pPM->DrawBarSeparator(pDC, m_pPopup, pControl, TRUE);
            pControl->Draw(pDC);
        }
    }

private:
    static const UINT kIconNew = 7201, kIconOpen = 7202, kIconSave = 7203;

    static CZPCommandBar* NewBar(CZPCommandBar* pBar, CZPPaintManager* pPM, int nPosition, LPCWSTR lpszTitle)
    {
        pBar->CreateEx(0, AfxRegisterWndClass(0), lpszTitle, WS_POPUP, 0, 0, 10, 10, NULL, NULL);
        pBar->SetPosition(nPosition);
        pBar->SetTitle(lpszTitle);
        pBar->SetPaintManager(pPM);
        return pBar;
    }
    static CZPControl* AddButton(CZPCommandBar* pBar, int nKind, UINT nIcon, LPCWSTR lpszCaption, int nStyle,
                                 int nSelected)
    {
        CZPControl* pControl = pBar->GetControls()->Add(nKind, nIcon);
        pControl->SetCaption(lpszCaption);
        pControl->SetStyle(nStyle);
        pControl->SetSelectedRaw(nSelected);
        return pControl;
    }
    static CSize SizeOf(CZPCommandBar* pBar)
    {
        CRect rc;
        pBar->GetClientRect(&rc);
        return rc.Size();
    }
    static void Resize(CZPCommandBar* pBar, CSize sz)
    {
        pBar->SetWindowPos(NULL, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    static int BottomOf(CZPCommandBar* pBar)
    {
        int nBottom = 0;
        for (int i = 0; i < pBar->CountControls(); ++i)
            nBottom = std::max<int>(nBottom, pBar->ControlAt(i)->GetRect().bottom);
        return nBottom;
    }
    static void LayOutRow(CZPCommandBar* pBar, CZPPaintManager* pPM, int x, int y)
    {
        CClientDC dc(pBar);
        std::vector<CSize> sizes;
        int cy = 0;
        for (int i = 0; i < pBar->CountControls(); ++i) {
            sizes.push_back(pBar->ControlAt(i)->GetSize(&dc));
            cy = std::max<int>(cy, sizes.back().cy);
        }
        for (int i = 0; i < pBar->CountControls(); ++i) {
            CZPControl* pControl = pBar->ControlAt(i);
            if (pControl->GetBeginGroup())
                x += pPM->DrawBarSeparator(NULL, pBar, pControl, FALSE).cx;
            pControl->SetRect(CRect(x, y, x + sizes[i].cx, y + cy));
            pControl->SetRowRect(CRect(0, y, kColumnWidth, y + cy));
            x += sizes[i].cx;
        }
    }
    static void LayOutPopup(CZPCommandBar* pBar, CZPPaintManager* pPM)
    {
        CClientDC dc(pBar);
        int cx = 0;
        for (int i = 0; i < pBar->CountControls(); ++i)
            cx = std::max<int>(cx, pBar->ControlAt(i)->GetSize(&dc).cx);
        int y = 3;
        for (int i = 0; i < pBar->CountControls(); ++i) {
            CZPControl* pControl = pBar->ControlAt(i);
            if (pControl->GetBeginGroup())
                y += pPM->DrawBarSeparator(NULL, pBar, pControl, FALSE).cy;
            const int cy = pControl->GetSize(&dc).cy;
            pControl->SetRect(CRect(3, y, 3 + cx, y + cy));
            pControl->SetRowRect(CRect(3, y, 3 + cx, y + cy));
            y += cy;
        }
        Resize(pBar, CSize(cx + 6, y + 3));
    }

    CZPCommandBar* m_pFloating;  // one reference each
    CZPCommandBar* m_pDocked;
    CZPCommandBar* m_pPopup;
};

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
        m_pNativeXP = ZpCreatePaintTheme(zpThemeNativeXP);
        m_pNativeXP->RefreshMetrics();
        m_pDefault = ZpCreatePaintTheme(zpThemeDefault);
        m_pDefault->RefreshMetrics();
    }
    ~CShowcase()
    {
        m_barsNativeXP.reset();
        m_barsDefault.reset();
        m_pNativeXP->InternalRelease();
        m_pDefault->InternalRelease();
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
        m_barsNativeXP.reset(new CBarsOfOneLook(m_pNativeXP));
        m_barsDefault.reset(new CBarsOfOneLook(m_pDefault));
        m_barsNativeXP->Draw(&dc, m_pNativeXP, 0, kPiecesHeight - 70);
        m_barsDefault->Draw(&dc, m_pDefault, kColumnWidth, kPiecesHeight - 70);
        ::GdiFlush();
    }
    void Linger() { LingerForScreenshot(m_hWnd); }

    CTestThemeRef m_themed;
    CTestThemeRef m_classic;
    CZPPaintManager* m_pNativeXP;  // one reference
    CZPPaintManager* m_pDefault;   // one reference
    std::unique_ptr<CBarsOfOneLook> m_barsNativeXP;
    std::unique_ptr<CBarsOfOneLook> m_barsDefault;
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
