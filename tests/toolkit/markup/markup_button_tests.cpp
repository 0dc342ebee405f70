// Buttons driven by mouse messages sent to a host window: pressing, capture, dragging out and in,
// "Click" reaching the context's handlers, the check cycles and radio groups; the classic looks
// read back from DIB sections.
#include "markup_drawing_fixture.h"
#include "markup_host_window.h"
#include "markup_layout_fixture.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupButton.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupPanel.h"
#include "markup/ZPMarkupRoutedEvent.h"

#include <functional>
#include <vector>
#include <string>

namespace {
// Appends the event's name to the log, then runs the action.
class CEventLog : public CZPMarkupDelegate
{
public:
    CEventLog(std::wstring* pLog, std::function<void()> action = nullptr) : m_pLog(pLog), m_action(action) {}
    void Execute(CZPMarkupObject* /*pSender*/, MarkupRoutedEventArgs* pArgs) override
    {
        *m_pLog += std::wstring(pArgs->pEvent->GetName()) + L" ";
        if (m_action)
            m_action();
    }

private:
    std::wstring* m_pLog;
    std::function<void()> m_action;
};

// A page parsed in a context bound to a host window, laid out at 200x100.
class MarkupButtons : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        (new CZPMarkupButton)->Release();
        (new CZPMarkupCheckBox)->Release();
        (new CZPMarkupRadioButton)->Release();
        (new CZPMarkupPanel)->Release();
        (new CZPMarkupPage)->Release();
        CZPMarkupButtonBase::ForceClassicLook(TRUE);
        CMarkupLeakCheck::SetUp();
        m_hWnd = m_host.Create(300, 200);
        m_pContext = new CZPMarkupContext;
        m_pContext->SetHostWindow(m_hWnd);
        m_host.m_pContext = m_pContext;
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        m_host.m_pContext = NULL;
        if (m_pRoot != NULL)
            m_pRoot->Release();
        m_host.Destroy();
        EXPECT_EQ(0, m_pContext->Release());
        CZPMarkupButtonBase::ForceClassicLook(FALSE);
        CMarkupLeakCheck::TearDown();
    }
    CZPMarkupFrameworkElement* Load(LPCWSTR lpszPage)
    {
        m_pRoot = ZpMarkupCast<CZPMarkupFrameworkElement>(m_pContext->Parse(lpszPage));
        EXPECT_NE(nullptr, m_pRoot);
        if (m_pRoot != NULL) {
            CZPMarkupDrawingContext context;
            m_pRoot->Measure(&context, 200, 100);
            m_pRoot->Arrange(RECT{ 0, 0, 200, 100 });
        }
        m_host.m_pRoot = m_pRoot;
        return m_pRoot;
    }
    void Send(UINT message, int x, int y, WPARAM wParam = 0)
    {
        ::SendMessageW(m_hWnd, message, wParam, MAKELPARAM(x, y));
    }
    void Listen(CZPMarkupRoutedEvent* pEvent, std::function<void()> action = nullptr)
    {
        m_pContext->AddEventHandler(pEvent, new CEventLog(&m_log, action));
    }
    CZPMarkupButtonBase* ButtonOfPage() const
    {
        return ZpMarkupCast<CZPMarkupButtonBase>(static_cast<CZPMarkupPage*>(m_pRoot)->GetChild());
    }

    CMarkupHostWindow m_host;
    HWND m_hWnd = NULL;
    CZPMarkupContext* m_pContext = NULL;
    CZPMarkupFrameworkElement* m_pRoot = NULL;
    std::wstring m_log;
};

// A button at (10, 10), 60 by 30.
const wchar_t kButtonPage[] = L"<Page><Button Margin='10,10,0,0' Width='60' Height='30' HorizontalAlignment='Left' "
                              L"VerticalAlignment='Top'/></Page>";

TEST_F(MarkupButtons, ClickNeedsAPressAndAReleaseInside)
{
    ASSERT_NE(nullptr, Load(kButtonPage));
    CZPMarkupButtonBase* pButton = ButtonOfPage();
    ASSERT_NE(nullptr, pButton);
    Listen(CZPMarkupButtonBase::m_pClickEvent);
    const struct
    {
        const char* pszName;
        std::vector<std::pair<UINT, POINT>> messages;
        int nClicks;
    } cases[] = {
        { "press and release inside", { { WM_LBUTTONDOWN, { 20, 20 } }, { WM_LBUTTONUP, { 20, 20 } } }, 1 },
        { "press, out, release",
          { { WM_LBUTTONDOWN, { 20, 20 } }, { WM_MOUSEMOVE, { 150, 80 } }, { WM_LBUTTONUP, { 150, 80 } } },
          0 },
        { "press, out, in, release",
          { { WM_LBUTTONDOWN, { 20, 20 } },
            { WM_MOUSEMOVE, { 150, 80 } },
            { WM_MOUSEMOVE, { 30, 30 } },
            { WM_LBUTTONUP, { 30, 30 } } },
          1 },
        { "press outside, release inside", { { WM_LBUTTONDOWN, { 150, 80 } }, { WM_LBUTTONUP, { 20, 20 } } }, 0 },
        { "double click",
          { { WM_LBUTTONDOWN, { 20, 20 } },
            { WM_LBUTTONUP, { 20, 20 } },
            { WM_LBUTTONDBLCLK, { 20, 20 } },
            { WM_LBUTTONUP, { 20, 20 } } },
          2 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_log.clear();
        Send(WM_MOUSEMOVE, c.messages[0].second.x, c.messages[0].second.y);
        for (const auto& message : c.messages) {
            Send(message.first, message.second.x, message.second.y,
                 message.first == WM_LBUTTONUP ? 0 : (message.first == WM_LBUTTONDOWN ? MK_LBUTTON : 0));
            if (message.first == WM_LBUTTONDOWN && message.second.x < 70) {
                EXPECT_TRUE(pButton->IsPressed());
                EXPECT_EQ(m_hWnd, ::GetCapture());
            }
            if (message.first == WM_MOUSEMOVE && message.second.x > 100) {
                EXPECT_FALSE(pButton->IsPressed());
            }
        }
        EXPECT_FALSE(pButton->IsPressed());
        std::wstring expected;
        for (int i = 0; i < c.nClicks; i++)
            expected += L"Click ";
        EXPECT_EQ(expected, m_log);
        Send(WM_MOUSEMOVE, 150, 80);
    }
}

TEST_F(MarkupButtons, LostCaptureEndsThePressWithoutAClick)
{
    ASSERT_NE(nullptr, Load(kButtonPage));
    CZPMarkupButtonBase* pButton = ButtonOfPage();
    Listen(CZPMarkupButtonBase::m_pClickEvent);
    Send(WM_MOUSEMOVE, 20, 20);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    ASSERT_TRUE(pButton->IsPressed());
    ::ReleaseCapture();
    EXPECT_FALSE(pButton->IsPressed());
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(L"", m_log);
}

TEST_F(MarkupButtons, AClickHandlerMayReleaseTheTree)
{
    ASSERT_NE(nullptr, Load(kButtonPage));
    Listen(CZPMarkupButtonBase::m_pClickEvent, [this] {
        m_host.m_pRoot = NULL;
        m_pRoot->Release();
        m_pRoot = NULL;
    });
    Send(WM_MOUSEMOVE, 20, 20);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(L"Click ", m_log);
    EXPECT_EQ(nullptr, m_pRoot);
}

TEST_F(MarkupButtons, ThreeStateCheckBoxCyclesAndRaisesItsEventsBeforeClick)
{
    ASSERT_NE(nullptr, Load(L"<Page><CheckBox IsThreeState='True'/></Page>"));
    CZPMarkupToggleButton* pBox = ZpMarkupCast<CZPMarkupToggleButton>(ButtonOfPage());
    ASSERT_NE(nullptr, pBox);
    Listen(CZPMarkupButtonBase::m_pClickEvent);
    Listen(CZPMarkupToggleButton::m_pCheckedEvent);
    Listen(CZPMarkupToggleButton::m_pUncheckedEvent);
    Listen(CZPMarkupToggleButton::m_pIndeterminateEvent);
    const int expected[] = { 1, 2, 0, 1 };
    for (int nState : expected) {
        Send(WM_MOUSEMOVE, 5, 5);
        Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        Send(WM_LBUTTONUP, 5, 5);
        EXPECT_EQ(nState, pBox->GetIsChecked());
    }
    EXPECT_EQ(L"Checked Click Indeterminate Click Unchecked Click Checked Click ", m_log);

    pBox->SetValue(CZPMarkupToggleButton::m_pIsThreeStateProperty, CZPMarkupBool::CreateFalseValue());
    pBox->OnClick();
    EXPECT_EQ(0, pBox->GetIsChecked());
}

TEST_F(MarkupButtons, CheckingARadioButtonUnchecksItsSiblingsOnly)
{
    ASSERT_NE(nullptr, Load(L"<Panel><RadioButton IsChecked='True'/><RadioButton/><CheckBox IsChecked='True'/>"
                            L"<Border><RadioButton IsChecked='True'/></Border></Panel>"));
    CZPMarkupPanel* pPanel = ZpMarkupCast<CZPMarkupPanel>(m_pRoot);
    ASSERT_NE(nullptr, pPanel);
    auto toggle = [pPanel](int i) { return ZpMarkupCast<CZPMarkupToggleButton>(pPanel->GetVisualChild(i)); };
    CZPMarkupToggleButton* pElsewhere =
        ZpMarkupCast<CZPMarkupToggleButton>(static_cast<CZPMarkupBorder*>(pPanel->GetVisualChild(3))->GetChild());
    Listen(CZPMarkupToggleButton::m_pCheckedEvent);
    Listen(CZPMarkupToggleButton::m_pUncheckedEvent);
    Listen(CZPMarkupButtonBase::m_pClickEvent);
    ASSERT_EQ(1, toggle(0)->GetIsChecked());
    toggle(1)->OnClick();
    EXPECT_EQ(0, toggle(0)->GetIsChecked());
    EXPECT_EQ(1, toggle(1)->GetIsChecked());
    EXPECT_EQ(1, toggle(2)->GetIsChecked());
    EXPECT_EQ(1, pElsewhere->GetIsChecked());
    EXPECT_EQ(L"Unchecked Checked Click ", m_log);
    m_log.clear();
    toggle(1)->OnClick();
    EXPECT_EQ(1, toggle(1)->GetIsChecked());
    EXPECT_EQ(L"Click ", m_log);
}

TEST_F(MarkupButtons, IsCheckedTextsAndMeasuresWithoutContent)
{
    ASSERT_NE(nullptr, Load(L"<Panel><CheckBox IsChecked=''/><CheckBox IsChecked='true'/><RadioButton/>"
                            L"<Button Padding='1,2,3,4'/></Panel>"));
    CZPMarkupPanel* pPanel = ZpMarkupCast<CZPMarkupPanel>(m_pRoot);
    EXPECT_EQ(2, ZpMarkupCast<CZPMarkupToggleButton>(pPanel->GetVisualChild(0))->GetIsChecked());
    EXPECT_EQ(1, ZpMarkupCast<CZPMarkupToggleButton>(pPanel->GetVisualChild(1))->GetIsChecked());
    CZPMarkupDrawingContext context;
    const SIZE expected[] = { { 16, 0 }, { 16, 0 }, { 16, 13 }, { 12, 14 } };
    for (int i = 0; i < 4; i++) {
        CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pPanel->GetVisualChild(i));
        pElement->Measure(&context, 100, 100);
        EXPECT_EQ(expected[i].cx, pElement->GetDesiredSize().cx) << i;
        EXPECT_EQ(expected[i].cy, pElement->GetDesiredSize().cy) << i;
    }

    EXPECT_NE(L"(built)", [] {
        CZPMarkupContext* pContext = new CZPMarkupContext;
        CZPMarkupObject* pRoot = pContext->Parse(L"<CheckBox IsChecked='Maybe'/>");
        std::wstring result = pRoot != NULL ? L"(built)" : L"(error)";
        if (pRoot != NULL)
            pRoot->Release();
        pContext->Release();
        return result;
    }());
}

TEST_F(MarkupButtons, PressingMovesTheContentAndTheRedLookDerivesItsEdges)
{
    ASSERT_NE(nullptr, Load(L"<Page><Button Background='Red' Margin='10,10,0,0' Width='60' Height='30' "
                            L"HorizontalAlignment='Left' VerticalAlignment='Top'><Border/></Button></Page>"));
    CZPMarkupButtonBase* pButton = ButtonOfPage();
    CZPMarkupUIElement* pContent = pButton->GetContent();
    ASSERT_NE(nullptr, pContent);
    EXPECT_EQ(4, pContent->GetVisualOffset().x);
    EXPECT_EQ(4, pContent->GetVisualOffset().y);

    CDibSection dib(200, 100, RGB(255, 255, 255));
    auto render = [&] {
        CZPMarkupDrawingContext context;
        m_pRoot->Measure(&context, 200, 100);
        m_pRoot->Arrange(RECT{ 0, 0, 200, 100 });
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        m_pRoot->Render(&dc);
    };
    render();
    EXPECT_EQ(RGB(255, 127, 127), dib.GetPixel(10, 20));  // light, left edge
    EXPECT_EQ(RGB(255, 127, 127), dib.GetPixel(30, 10));  // light, top edge
    EXPECT_EQ(RGB(169, 0, 0), dib.GetPixel(68, 20));      // shadow, inner right
    EXPECT_EQ(RGB(169, 0, 0), dib.GetPixel(30, 38));      // shadow, inner bottom
    EXPECT_EQ(RGB(84, 0, 0), dib.GetPixel(69, 20));       // dark, outer right
    EXPECT_EQ(RGB(84, 0, 0), dib.GetPixel(30, 39));       // dark, outer bottom
    EXPECT_EQ(RGB(255, 0, 0), dib.GetPixel(30, 20));

    Send(WM_MOUSEMOVE, 20, 20);
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    render();
    EXPECT_EQ(5, pContent->GetVisualOffset().x);
    EXPECT_EQ(5, pContent->GetVisualOffset().y);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), dib.GetPixel(10, 20));
    EXPECT_EQ(RGB(169, 0, 0), dib.GetPixel(11, 20));
    Send(WM_LBUTTONUP, 20, 20);
}

TEST_F(MarkupButtons, ClassicButtonEdgesUseTheSystemColours)
{
    ASSERT_NE(nullptr, Load(kButtonPage));
    CDibSection dib(200, 100, RGB(1, 2, 3));
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        m_pRoot->Render(&dc);
    }
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), dib.GetPixel(10, 20));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dib.GetPixel(68, 20));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), dib.GetPixel(69, 20));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(30, 20));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(70, 20));
}

// The page's pixels at the button's row, rendered in the current look.
std::vector<COLORREF> RenderRow(CZPMarkupFrameworkElement* pRoot, int y)
{
    CDibSection dib(200, 100, RGB(1, 2, 3));
    CZPMarkupDrawingContext context;
    pRoot->InvalidateMeasure();
    pRoot->Measure(&context, 200, 100);
    pRoot->Arrange(RECT{ 0, 0, 200, 100 });
    {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        pRoot->Render(&dc);
    }
    std::vector<COLORREF> row;
    for (int x = 0; x < 200; x++)
        row.push_back(dib.GetPixel(x, y));
    return row;
}

TEST_F(MarkupButtons, ThemedLookFollowsTheVisualStyleAndGlyphsShowTheState)
{
    ASSERT_NE(nullptr, Load(kButtonPage));
    const std::vector<COLORREF> classic = RenderRow(m_pRoot, 11);
    CZPMarkupButtonBase::ForceClassicLook(FALSE);
    const std::vector<COLORREF> themed = RenderRow(m_pRoot, 11);
    if (ButtonOfPage()->IsVisualStyleInEffect())
        EXPECT_NE(classic, themed);
    else
        EXPECT_EQ(classic, themed);
    EXPECT_EQ(RGB(1, 2, 3), themed[70]);
    CZPMarkupButtonBase::ForceClassicLook(TRUE);
    m_pRoot->Release();
    m_pRoot = NULL;

    // Classic glyphs: 13 by 13 at the left, vertically centred in 100.
    ASSERT_NE(nullptr, Load(L"<Page><CheckBox/></Page>"));
    const std::vector<COLORREF> unchecked = RenderRow(m_pRoot, 50);
    static_cast<CZPMarkupToggleButton*>(ButtonOfPage())->SetIsChecked(1);
    const std::vector<COLORREF> checked = RenderRow(m_pRoot, 50);
    EXPECT_NE(unchecked, checked);
    EXPECT_NE(RGB(1, 2, 3), checked[0]);
    EXPECT_EQ(RGB(1, 2, 3), checked[13]);
}
}  // namespace
