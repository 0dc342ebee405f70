// A window showing every kind of markup element in one page: border, panels (stack, wrap, dock,
// uniform grid, canvas, grid), images, shapes, text with runs and a hyperlink, buttons, check
// boxes, radio buttons and a scroll viewer, in the themed and in the classic look.
// TOLVANE_TEST_LINGER_MS keeps the window on screen (and interactive) that long, for a screenshot.
#include "markup_drawing_fixture.h"

#include "../common/DibSection.h"
#include "../common/message_pump.h"

#include "common/ZPImageManager.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupButton.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupScrollBar.h"
#include "markup/ZPMarkupScrollViewer.h"

#include <string>

namespace {
const wchar_t kShowcasePage[] =
    L"<Page><Border Background='#F4F6FA'>"
    L"<Grid Margin='8'>"
    L"<Grid.ColumnDefinitions><ColumnDefinition Width='*'/><ColumnDefinition Width='*'/>"
    L"<ColumnDefinition Width='*'/></Grid.ColumnDefinitions>"
    L"<Grid.RowDefinitions><RowDefinition Height='Auto'/><RowDefinition Height='*'/></Grid.RowDefinitions>"
    // Shapes in a rounded border.
    L"<Border Grid.Column='0' Margin='4' Padding='6' Background='#FFFFFF' BorderBrush='#4060A0' "
    L"BorderThickness='2' CornerRadius='8'>"
    L"<StackPanel Orientation='Horizontal'>"
    L"<Rectangle Width='40' Height='30' Margin='3' Fill='#4080C0' Stroke='#203060' StrokeThickness='2' "
    L"RadiusX='6' RadiusY='6'/>"
    L"<Ellipse Width='36' Height='30' Margin='3' Fill='#E08040' Stroke='#803000' StrokeThickness='1'/>"
    L"<Line X1='0' Y1='30' X2='30' Y2='0' Margin='3' Stroke='#000000' StrokeThickness='3'/>"
    L"<Polyline Points='0,30 10,0 20,30 30,0' Margin='3' Stroke='#A02080' StrokeThickness='2'/>"
    L"<Polygon Points='0,30 15,0 30,30' Margin='3' Fill='#60A060' Stroke='#206020' StrokeThickness='1'/>"
    L"<Path Data='M 0,15 L 15,0 L 30,15 L 15,30 Z' Margin='3' Fill='#C0A000'/>"
    L"</StackPanel></Border>"
    // Images from a resource bitmap, a PNG resource and icons by command id, in a wrap panel.
    L"<Border Grid.Column='1' Margin='4' Padding='6' Background='#FFFFFF' BorderBrush='#4060A0' "
    L"BorderThickness='1'>"
    L"<WrapPanel>"
    L"<Image Source='res://#130' Margin='3'/>"
    L"<Image Source='res://LOGO' Margin='3'/>"
    L"<Image Source='5' Margin='3'/><Image Source='6' Margin='3'/><Image Source='7' Margin='3'/>"
    L"<Image Source='res://LOGO' Width='96' Height='32' Stretch='Fill' Margin='3'/>"
    L"</WrapPanel></Border>"
    // Buttons, check boxes and radio buttons with text or a shape as their content.
    L"<StackPanel Grid.Column='2' Margin='4'>"
    L"<Button Margin='2' Padding='2'>Push button</Button>"
    L"<Button Margin='2' Padding='2'><Ellipse Width='60' Height='10' Fill='#4080C0'/></Button>"
    L"<CheckBox Margin='2' IsChecked='True'>Checked box</CheckBox>"
    L"<CheckBox Margin='2'><TextBlock>Unchecked box</TextBlock></CheckBox>"
    L"<RadioButton Margin='2' IsChecked='True'><TextBlock>Chosen option</TextBlock></RadioButton>"
    L"<RadioButton Margin='2'><TextBlock>Other option</TextBlock></RadioButton>"
    L"</StackPanel>"
    // A canvas with shapes at absolute positions.
    L"<Border Grid.Row='1' Grid.Column='0' Margin='4' Background='#FFFFFF' BorderBrush='#4060A0' "
    L"BorderThickness='1'>"
    L"<Canvas>"
    L"<Rectangle Canvas.Left='10' Canvas.Top='10' Width='80' Height='50' Fill='#C0D8F0'/>"
    L"<Ellipse Canvas.Left='60' Canvas.Top='40' Width='70' Height='70' Fill='#F0C0C0' Stroke='#A04040' "
    L"StrokeThickness='2'/>"
    L"<Polygon Canvas.Left='20' Canvas.Top='90' Points='0,40 40,0 80,40' Fill='#C0E0C0'/>"
    L"<TextBlock Canvas.Left='10' Canvas.Top='140' FontSize='16'>Canvas: <Bold>bold</Bold>, "
    L"<Italic>italic</Italic>, <Underline>underlined</Underline></TextBlock>"
    L"</Canvas></Border>"
    // A dock panel around a uniform grid.
    L"<DockPanel Grid.Row='1' Grid.Column='1' Margin='4'>"
    L"<Border DockPanel.Dock='Top' Height='16' Background='#4060A0'/>"
    L"<Border DockPanel.Dock='Bottom' Height='16' Background='#6080C0'/>"
    L"<Border DockPanel.Dock='Left' Width='16' Background='#80A0E0'/>"
    L"<Border DockPanel.Dock='Right' Width='16' Background='#A0C0F0'/>"
    L"<UniformGrid Rows='3' Columns='3'>"
    L"<Border Margin='2' Background='#E04040'/><Border Margin='2' Background='#E08040'/>"
    L"<Border Margin='2' Background='#E0C040'/><Border Margin='2' Background='#80C040'/>"
    L"<Border Margin='2' Background='#40C080'/><Border Margin='2' Background='#40A0E0'/>"
    L"<Border Margin='2' Background='#4060E0'/><Border Margin='2' Background='#8040E0'/>"
    L"<Border Margin='2' Background='#C040C0'/>"
    L"</UniformGrid></DockPanel>"
    // A scroll viewer with both bars over a tall and wide stack.
    L"<ScrollViewer Grid.Row='1' Grid.Column='2' Margin='4' HorizontalScrollBarVisibility='Visible'>"
    L"<StackPanel Width='400'>"
    L"<TextBlock TextWrapping='Wrap' Margin='4'>A scroll viewer: this stack is 400 pixels wide and taller "
    L"than the viewport, so both bars scroll it.<LineBreak/>The corner between the bars is the gripper.<LineBreak/>"
    L"Here is <Hyperlink Tag='http://www.example.com/'>a hyperlink</Hyperlink>."
    L"</TextBlock>"
    L"<Border Height='40' Background='#FFE0E0'/><Border Height='40' Background='#FFF0C0'/>"
    L"<Border Height='40' Background='#E0FFE0'/><Border Height='40' Background='#C0F0FF'/>"
    L"<Border Height='40' Background='#E0E0FF'/><Border Height='40' Background='#F0D0F0'/>"
    L"<Border Height='40' Background='#FFE0E0'/><Border Height='40' Background='#FFF0C0'/>"
    L"</StackPanel></ScrollViewer>"
    L"</Grid></Border></Page>";

const int kClientWidth = 760, kClientHeight = 420;

class CShowcase;
CShowcase* g_pShowcase = NULL;

// The host window: paints the page through a memory bitmap and routes its mouse to the context.
class CShowcase
{
public:
    CShowcase()
    {
        m_pContext = new CZPMarkupContext;
        CZPImageManager* pManager = new CZPImageManager;
        const UINT commands[] = { 5, 6, 7 };
        pManager->SetIconsFromBitmapResource(130, commands, 3, 16, 16, 0);
        m_pContext->SetImageManager(pManager);
        pManager->InternalRelease();
        CZPMarkupParser parser;
        parser.SetBuffer(kShowcasePage, kShowcasePage + wcslen(kShowcasePage));
        CZPMarkupBuilder builder(m_pContext);
        m_pRoot = builder.Parse(&parser);
        m_strError = builder.GetErrorMessage();
    }
    ~CShowcase()
    {
        if (m_hWnd != NULL)
            ::DestroyWindow(m_hWnd);
        if (m_pRoot != NULL)
            m_pRoot->Release();
        m_pContext->Release();
    }
    void Create(LPCWSTR lpszTitle)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CShowcase::WndProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.hCursor = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.lpszClassName = L"ZPMarkupShowcase";
        ::RegisterClassW(&wc);
        RECT rc = { 0, 0, kClientWidth, kClientHeight };
        const DWORD dwStyle = WS_OVERLAPPEDWINDOW;
        ::AdjustWindowRect(&rc, dwStyle, FALSE);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, lpszTitle, dwStyle, 10, 10, rc.right - rc.left,
                                   rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
        m_pContext->SetHostWindow(m_hWnd);
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::UpdateWindow(m_hWnd);
    }
    // Draws the page at the client size into the DC, as the window does.
    void Draw(HDC hDC, int cx, int cy)
    {
        RECT rc = { 0, 0, cx, cy };
        ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_WINDOW));
        CZPMarkupUIElement* pRoot = ZpMarkupCast<CZPMarkupUIElement>(m_pRoot);
        if (pRoot == NULL)
            return;
        CZPMarkupDrawingContext context(hDC, NULL);
        pRoot->Measure(&context, cx, cy);
        pRoot->Arrange(rc);
        pRoot->Render(&context);
    }
    void Linger() { LingerForScreenshot(m_hWnd); }

    CZPMarkupContext* m_pContext = NULL;
    CZPMarkupObject* m_pRoot = NULL;  // one reference
    CString m_strError;               // why the page did not build
    HWND m_hWnd = NULL;

private:
    void OnPaint()
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        HDC hMemDC = ::CreateCompatibleDC(hDC);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, rc.right, rc.bottom);
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        Draw(hMemDC, rc.right, rc.bottom);
        ::BitBlt(hDC, 0, 0, rc.right, rc.bottom, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMemDC);
        ::EndPaint(m_hWnd, &ps);
    }
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CShowcase* pThis = g_pShowcase;
        if (pThis == NULL || pThis->m_hWnd != hWnd)
            return ::DefWindowProcW(hWnd, message, wParam, lParam);
        LRESULT lResult = 0;
        if (pThis->m_pContext->HandleMessage(pThis->m_pRoot, message, wParam, lParam, &lResult))
            return lResult;
        switch (message) {
        case WM_PAINT:
            pThis->OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            ::InvalidateRect(hWnd, NULL, FALSE);
            break;
        case WM_NCDESTROY:
            pThis->m_hWnd = NULL;
            break;
        }
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

class MarkupShowcase : public ::testing::TestWithParam<bool>
{
protected:
    void TearDown() override
    {
        CZPMarkupButtonBase::ForceClassicLook(FALSE);
        CZPMarkupScrollBar::ForceClassicLook(FALSE);
    }
};

// The first element of the type in a depth-first walk of the visual tree.
template <class T> T* FindFirst(CZPMarkupVisual* pVisual)
{
    if (pVisual == NULL)
        return NULL;
    if (T* pFound = ZpMarkupCast<T>(pVisual))
        return pFound;
    for (int i = 0; i < pVisual->GetVisualChildrenCount(); i++) {
        if (T* pFound = FindFirst<T>(pVisual->GetVisualChild(i)))
            return pFound;
    }
    return NULL;
}
}  // namespace

TEST_P(MarkupShowcase, ShowsEveryElementKind)
{
    const bool bClassic = GetParam();
    CZPMarkupButtonBase::ForceClassicLook(bClassic);
    CZPMarkupScrollBar::ForceClassicLook(bClassic);
    CShowcase showcase;
    ASSERT_NE(nullptr, showcase.m_pRoot) << CStringA(showcase.m_strError).GetString();
    g_pShowcase = &showcase;
    showcase.Create(bClassic ? L"Markup showcase (classic)" : L"Markup showcase");

    // Drawn into a DIB as the window draws itself: the page background shows between elements and
    // the scroll viewer got both bars and its corner.
    CDibSection dib(kClientWidth, kClientHeight, RGB(255, 0, 255));
    showcase.Draw(dib.GetDC(), kClientWidth, kClientHeight);
    EXPECT_TRUE(ColorNear(RGB(0xF4, 0xF6, 0xFA), dib.GetPixel(2, 2)));
    CZPMarkupScrollViewer* pViewer = FindFirst<CZPMarkupScrollViewer>(ZpMarkupCast<CZPMarkupVisual>(showcase.m_pRoot));
    ASSERT_NE(nullptr, pViewer);
    ASSERT_NE(nullptr, pViewer->GetVerticalScrollBar());
    ASSERT_NE(nullptr, pViewer->GetHorizontalScrollBar());
    ASSERT_NE(nullptr, pViewer->GetGripper());
    const RECT rcCorner = CZPMarkupContext::GetClientBoundingRect(pViewer->GetGripper());
    EXPECT_TRUE(ColorNear(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(rcCorner.left + 2, rcCorner.top + 2)));

    showcase.Linger();
    g_pShowcase = NULL;
}

INSTANTIATE_TEST_SUITE_P(Looks, MarkupShowcase, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Classic" : "Themed"; });
