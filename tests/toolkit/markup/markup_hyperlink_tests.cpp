// Hyperlinks driven by mouse messages sent to a host window: a press and a release over the link
// make one "Click" for the context's handlers, a press whose release happened elsewhere is
// forgotten, the built-in style turns the link red while hovered and gives the hand cursor.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupButton.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupHyperlink.h"
#include "markup/ZPMarkupTextBlock.h"
#include "markup/ZPMarkupValues.h"

#include <functional>
#include <string>
#include <vector>

namespace {
// A text block whose left half hits the first run of its hyperlink, as the block's line layout
// would where the link's text lies; the rest hits the block.
class CLinkBlock : public CZPMarkupTextBlock
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupInputElement* InputHitTest(int x, int y) override
    {
        x -= m_ptOffset.x;
        y -= m_ptOffset.y;
        if (x < 0 || y < 0 || x >= m_szRender.cx || y >= m_szRender.cy)
            return NULL;
        CZPMarkupHyperlink* pLink = GetLink();
        if (x < m_szRender.cx / 2 && pLink != NULL)
            return pLink->GetFirstInline();
        return this;
    }
    CZPMarkupHyperlink* GetLink() const
    {
        for (int i = 0; i < GetInlines()->GetCount(); i++) {
            if (CZPMarkupHyperlink* pLink = ZpMarkupCast<CZPMarkupHyperlink>(GetInlines()->GetAt(i)))
                return pLink;
        }
        return NULL;
    }
};
ZP_IMPLEMENT_MARKUPTYPE(CLinkBlock, L"LinkBlock", CZPMarkupTextBlock, NULL)
CZPMarkupType* const g_pLinkBlockType = CLinkBlock::GetClassType();

CZPMarkupContext* g_pLinkContext = NULL;
CZPMarkupObject* g_pLinkRoot = NULL;

LRESULT CALLBACK LinkHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (g_pLinkContext != NULL && g_pLinkContext->HandleMessage(g_pLinkRoot, message, wParam, lParam, &lResult))
        return lResult;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Counts "Click"s and the senders, then runs the action.
class CClickCounter : public CZPMarkupDelegate
{
public:
    CClickCounter(std::vector<CZPMarkupObject*>* pSenders, std::function<void()> action)
        : m_pSenders(pSenders), m_action(action)
    {}
    void Execute(CZPMarkupObject* pSender, MarkupRoutedEventArgs* /*pArgs*/) override
    {
        m_pSenders->push_back(pSender);
        if (m_action)
            m_action();
    }

private:
    std::vector<CZPMarkupObject*>* m_pSenders;
    std::function<void()> m_action;
};

// The page: a 200x20 link block at (10, 10) in a 300x100 border; the link covers x 10..109.
const wchar_t kLinkPage[] = L"<Border Background='White'><LinkBlock Margin='10,10,0,0' Width='200' Height='20' "
                            L"HorizontalAlignment='Left' VerticalAlignment='Top'>Go <Hyperlink "
                            L"Tag='http://www.example.com/'>there</Hyperlink></LinkBlock></Border>";
const POINT kOnLink = { 30, 15 }, kBesideLink = { 150, 15 }, kOutside = { 250, 80 };

class MarkupHyperlink : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, g_pLinkBlockType);
        m_pContext = new CZPMarkupContext;
        Load(kLinkPage);
        m_pRoot->Release();
        m_pRoot = NULL;
        m_pContext->Release();
        CMarkupLeakCheck::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &LinkHostProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"MarkupLinkHost";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, NULL, NULL,
                                   wc.hInstance, NULL);
        m_pContext = new CZPMarkupContext;
        m_pContext->SetHostWindow(m_hWnd);
        g_pLinkContext = m_pContext;
    }
    void TearDown() override
    {
        SetLeftButton(FALSE);
        g_pLinkContext = NULL;
        g_pLinkRoot = NULL;
        if (m_pRoot != NULL)
            m_pRoot->Release();
        ::DestroyWindow(m_hWnd);
        EXPECT_EQ(0, m_pContext->Release());
        CMarkupLeakCheck::TearDown();
    }
    CLinkBlock* Load(LPCWSTR lpszPage)
    {
        m_pRoot = ZpMarkupCast<CZPMarkupFrameworkElement>(m_pContext->Parse(lpszPage));
        EXPECT_NE(nullptr, m_pRoot);
        if (m_pRoot == NULL)
            return NULL;
        CZPMarkupDrawingContext context;
        m_pRoot->Measure(&context, 300, 100);
        m_pRoot->Arrange(RECT{ 0, 0, 300, 100 });
        g_pLinkRoot = m_pRoot;
        return ZpMarkupCast<CLinkBlock>(m_pRoot->GetVisualChild(0));
    }
    // The thread's key state, which the link reads while the mouse moves over it.
    static void SetLeftButton(BOOL bDown)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_LBUTTON] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    // Sends the message with the key state a real mouse would give it.
    void Send(UINT message, POINT pt)
    {
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
            SetLeftButton(TRUE);
        if (message == WM_LBUTTONUP)
            SetLeftButton(FALSE);
        const WPARAM wParam = ::GetKeyState(VK_LBUTTON) < 0 ? MK_LBUTTON : 0;
        ::SendMessageW(m_hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
    }
    void CountClicks(std::function<void()> action = nullptr)
    {
        m_pContext->AddEventHandler(CZPMarkupHyperlink::m_pClickEvent, new CClickCounter(&m_senders, action));
    }
    static COLORREF ForegroundOf(CZPMarkupTextElement* pElement)
    {
        CZPMarkupBrush* pBrush = pElement->GetForeground();
        return pBrush != NULL ? pBrush->GetColor() : CLR_INVALID;
    }

    HWND m_hWnd = NULL;
    CZPMarkupContext* m_pContext = NULL;
    CZPMarkupFrameworkElement* m_pRoot = NULL;
    std::vector<CZPMarkupObject*> m_senders;
};

TEST_F(MarkupHyperlink, SharesTheButtonsClick)
{
    EXPECT_EQ(CZPMarkupButtonBase::m_pClickEvent, CZPMarkupHyperlink::m_pClickEvent);
}

TEST_F(MarkupHyperlink, ClickNeedsAPressAndAReleaseOverTheLink)
{
    CLinkBlock* pBlock = Load(kLinkPage);
    ASSERT_NE(nullptr, pBlock);
    CZPMarkupHyperlink* pLink = pBlock->GetLink();
    ASSERT_NE(nullptr, pLink);
    CountClicks();
    const struct
    {
        const char* pszName;
        std::vector<std::pair<UINT, POINT>> messages;
        size_t nClicks;
    } cases[] = {
        { "press and release over the link", { { WM_LBUTTONDOWN, kOnLink }, { WM_LBUTTONUP, kOnLink } }, 1 },
        { "press, out, back in, release",
          { { WM_LBUTTONDOWN, kOnLink },
            { WM_MOUSEMOVE, kOutside },
            { WM_MOUSEMOVE, kOnLink },
            { WM_LBUTTONUP, kOnLink } },
          1 },
        { "press, out, release elsewhere, back in, release without a press",
          { { WM_LBUTTONDOWN, kOnLink },
            { WM_MOUSEMOVE, kBesideLink },
            { WM_LBUTTONUP, kBesideLink },
            { WM_MOUSEMOVE, kOnLink },
            { WM_LBUTTONUP, kOnLink } },
          0 },
        { "press beside the link, release over it",
          { { WM_LBUTTONDOWN, kBesideLink }, { WM_MOUSEMOVE, kOnLink }, { WM_LBUTTONUP, kOnLink } },
          0 },
        { "double click",
          { { WM_LBUTTONDOWN, kOnLink },
            { WM_LBUTTONUP, kOnLink },
            { WM_LBUTTONDBLCLK, kOnLink },
            { WM_LBUTTONUP, kOnLink } },
          2 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_senders.clear();
        Send(WM_MOUSEMOVE, c.messages[0].second);
        for (const auto& message : c.messages)
            Send(message.first, message.second);
        EXPECT_EQ(c.nClicks, m_senders.size());
        for (CZPMarkupObject* pSender : m_senders)
            EXPECT_EQ(pLink, pSender);
        EXPECT_FALSE(pLink->IsPressed());
        Send(WM_MOUSEMOVE, kOutside);
    }
    // Nothing captures the mouse.
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(MarkupHyperlink, AClickHandlerMayReleaseTheTree)
{
    CLinkBlock* pBlock = Load(kLinkPage);
    ASSERT_NE(nullptr, pBlock);
    CountClicks([this] {
        g_pLinkRoot = NULL;
        m_pRoot->Release();
        m_pRoot = NULL;
    });
    Send(WM_MOUSEMOVE, kOnLink);
    Send(WM_LBUTTONDOWN, kOnLink);
    Send(WM_LBUTTONUP, kOnLink);
    EXPECT_EQ(1u, m_senders.size());
    EXPECT_EQ(nullptr, m_pRoot);
}

TEST_F(MarkupHyperlink, HoverTurnsTheLinkRedAndRepaintsOnlyItsTextBlock)
{
    CLinkBlock* pBlock = Load(L"<Border Background='White'><LinkBlock Margin='10,10,0,0' Width='200' Height='20' "
                              L"HorizontalAlignment='Left' VerticalAlignment='Top'>Go <Hyperlink>there</Hyperlink> "
                              L"<Hyperlink Foreground='Green'>own</Hyperlink></LinkBlock></Border>");
    ASSERT_NE(nullptr, pBlock);
    CZPMarkupHyperlink* pLink = pBlock->GetLink();
    ASSERT_NE(nullptr, pLink);
    CZPMarkupInline* pRun = pLink->GetFirstInline();
    CZPMarkupHyperlink* pGreen = ZpMarkupCast<CZPMarkupHyperlink>(pBlock->GetInlines()->GetAt(3));
    ASSERT_NE(nullptr, pGreen);

    // The built-in look: blue, underlined, inherited by the link's text.
    EXPECT_EQ(RGB(0, 0, 255), ForegroundOf(pLink));
    EXPECT_EQ(RGB(0, 0, 255), ForegroundOf(pRun));
    CZPMarkupEnum* pDecorations =
        ZpMarkupCast<CZPMarkupEnum>(pRun->GetValue(CZPMarkupTextElement::m_pTextDecorationsProperty));
    ASSERT_NE(nullptr, pDecorations);
    EXPECT_EQ(1, pDecorations->m_nValue);
    EXPECT_EQ(CLR_INVALID, ForegroundOf(ZpMarkupCast<CZPMarkupInline>(pBlock->GetInlines()->GetAt(0))));

    ::ValidateRect(m_hWnd, NULL);
    Send(WM_MOUSEMOVE, kOnLink);
    EXPECT_EQ(RGB(255, 0, 0), ForegroundOf(pLink));
    EXPECT_EQ(RGB(255, 0, 0), ForegroundOf(pRun));
    RECT rcUpdate = {};
    EXPECT_TRUE(::GetUpdateRect(m_hWnd, &rcUpdate, FALSE));
    EXPECT_EQ(10, rcUpdate.left);
    EXPECT_EQ(10, rcUpdate.top);
    EXPECT_EQ(210, rcUpdate.right);
    EXPECT_EQ(30, rcUpdate.bottom);

    Send(WM_MOUSEMOVE, kOutside);
    EXPECT_EQ(RGB(0, 0, 255), ForegroundOf(pLink));
    EXPECT_EQ(RGB(0, 0, 255), ForegroundOf(pRun));

    // A local colour comes before the style's and the trigger's.
    EXPECT_EQ(RGB(0, 128, 0), ForegroundOf(pGreen));
    pGreen->SetValue(CZPMarkupInputElement::m_pIsMouseOverProperty, CZPMarkupBool::CreateTrueValue());
    EXPECT_EQ(RGB(0, 128, 0), ForegroundOf(pGreen));
    pGreen->SetValue(CZPMarkupInputElement::m_pIsMouseOverProperty, NULL);
}

TEST_F(MarkupHyperlink, TheLinkShowsTheHandCursor)
{
    ASSERT_NE(nullptr, Load(kLinkPage));
    HCURSOR hHand = ::LoadCursorW(NULL, MAKEINTRESOURCEW(32649));
    ASSERT_NE(nullptr, hHand);
    const struct
    {
        POINT pt;
        BOOL bHand;
    } cases[] = { { kOnLink, TRUE }, { kBesideLink, FALSE }, { kOnLink, TRUE } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pt.x);
        ::SetCursor(::LoadCursorW(NULL, MAKEINTRESOURCEW(32512)));
        Send(WM_MOUSEMOVE, c.pt);
        ::SendMessageW(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(c.bHand, ::GetCursor() == hHand);
    }
}
}  // namespace
