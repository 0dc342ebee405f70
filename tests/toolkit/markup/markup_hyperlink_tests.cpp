// Hyperlinks driven by mouse messages sent to a host window: a press and a release over the link
// make one "Click" for the context's handlers, a press whose release happened elsewhere is
// forgotten, the built-in style turns the link red while hovered and gives the hand cursor.
#include "markup_fixture_types.h"
#include "markup_host_window.h"

#include "../common/DibSection.h"

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
// The first hyperlink among the block's inlines.
CZPMarkupHyperlink* FirstLink(CZPMarkupTextBlock* pBlock)
{
    for (int i = 0; pBlock != NULL && i < pBlock->GetInlines()->GetCount(); i++) {
        if (CZPMarkupHyperlink* pLink = ZpMarkupCast<CZPMarkupHyperlink>(pBlock->GetInlines()->GetAt(i)))
            return pLink;
    }
    return NULL;
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

// The page: a 200x20 text block at (10, 10) in a 300x100 border, its link after "Go ".
const wchar_t kLinkPage[] = L"<Border Background='White'><TextBlock Margin='10,10,0,0' Width='200' Height='20' "
                            L"HorizontalAlignment='Left' VerticalAlignment='Top' FontFamily='Tahoma' FontSize='16'>Go "
                            L"<Hyperlink Tag='http://www.example.com/'>there</Hyperlink></TextBlock></Border>";
const POINT kBesideLink = { 200, 15 }, kOutside = { 250, 80 };

class MarkupHyperlink : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        m_pContext = new CZPMarkupContext;
        Load(kLinkPage);
        m_pRoot->Release();
        m_pRoot = NULL;
        m_pContext->Release();
        CMarkupLeakCheck::SetUp();
        m_hWnd = m_host.Create(300, 100);
        m_pContext = new CZPMarkupContext;
        m_pContext->SetHostWindow(m_hWnd);
        m_host.m_pContext = m_pContext;
    }
    void TearDown() override
    {
        SetLeftButton(FALSE);
        m_host.m_pContext = NULL;
        if (m_pRoot != NULL)
            m_pRoot->Release();
        m_host.Destroy();
        EXPECT_EQ(0, m_pContext->Release());
        CMarkupLeakCheck::TearDown();
    }
    CZPMarkupTextBlock* Load(LPCWSTR lpszPage)
    {
        m_pRoot = ZpMarkupCast<CZPMarkupFrameworkElement>(m_pContext->Parse(lpszPage));
        EXPECT_NE(nullptr, m_pRoot);
        if (m_pRoot == NULL)
            return NULL;
        CZPMarkupDrawingContext context;
        m_pRoot->Measure(&context, 300, 100);
        m_pRoot->Arrange(RECT{ 0, 0, 300, 100 });
        m_host.m_pRoot = m_pRoot;
        CZPMarkupTextBlock* pBlock = ZpMarkupCast<CZPMarkupTextBlock>(m_pRoot->GetVisualChild(0));
        // The link's text begins after "Go " in the first run's font.
        CZPMarkupRun* pRun = pBlock != NULL ? ZpMarkupCast<CZPMarkupRun>(pBlock->GetInlines()->GetAt(0)) : NULL;
        if (pRun != NULL && pRun->GetCachedFont() != NULL) {
            HDC hDC = ::CreateCompatibleDC(NULL);
            HGDIOBJ hOld = ::SelectObject(hDC, pRun->GetCachedFont()->GetFont());
            SIZE sz = {};
            ::GetTextExtentPoint32W(hDC, L"Go ", 3, &sz);
            ::SelectObject(hDC, hOld);
            ::DeleteDC(hDC);
            m_ptOnLink = POINT{ 10 + sz.cx + 3, 15 };
        }
        return pBlock;
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
    // Pixels of the colour in the page as drawn.
    int CountPixels(COLORREF clr)
    {
        CDibSection dib(300, 100, RGB(255, 255, 255));
        {
            CZPMarkupDrawingContext context(dib.GetDC(), NULL);
            m_pRoot->Render(&context);
        }
        int nCount = 0;
        for (int y = 0; y < dib.Height(); y++) {
            for (int x = 0; x < dib.Width(); x++)
                nCount += dib.GetPixel(x, y) == clr;
        }
        return nCount;
    }
    static COLORREF ForegroundOf(CZPMarkupTextElement* pElement)
    {
        CZPMarkupBrush* pBrush = pElement->GetForeground();
        return pBrush != NULL ? pBrush->GetColor() : CLR_INVALID;
    }

    CMarkupHostWindow m_host;
    HWND m_hWnd = NULL;
    CZPMarkupContext* m_pContext = NULL;
    CZPMarkupFrameworkElement* m_pRoot = NULL;
    std::vector<CZPMarkupObject*> m_senders;
    POINT m_ptOnLink = { -1, -1 };
};

TEST_F(MarkupHyperlink, SharesTheButtonsClickWhichMarkupNamesOnTheLink)
{
    EXPECT_EQ(CZPMarkupButtonBase::m_pClickEvent, CZPMarkupHyperlink::m_pClickEvent);
    std::vector<CZPMarkupObject*> named;
    m_pContext->SetDelegate(L"OnLink", new CClickCounter(&named, nullptr));
    CZPMarkupTextBlock* pBlock = Load(L"<Border Background='White'><TextBlock Margin='10,10,0,0' Width='200' "
                                      L"Height='20' HorizontalAlignment='Left' VerticalAlignment='Top' "
                                      L"FontFamily='Tahoma' FontSize='16'>Go <Hyperlink "
                                      L"Click='OnLink'>there</Hyperlink></TextBlock></Border>");
    ASSERT_NE(nullptr, pBlock);
    CountClicks();
    Send(WM_MOUSEMOVE, m_ptOnLink);
    Send(WM_LBUTTONDOWN, m_ptOnLink);
    Send(WM_LBUTTONUP, m_ptOnLink);
    ASSERT_EQ(1u, named.size());
    EXPECT_EQ(FirstLink(pBlock), named[0]);
    // Not handled by the link's own handler: the context's handlers hear it as well.
    EXPECT_EQ(1u, m_senders.size());
}

TEST_F(MarkupHyperlink, ClickNeedsAPressAndAReleaseOverTheLink)
{
    CZPMarkupTextBlock* pBlock = Load(kLinkPage);
    ASSERT_NE(nullptr, pBlock);
    CZPMarkupHyperlink* pLink = FirstLink(pBlock);
    ASSERT_NE(nullptr, pLink);
    CountClicks();
    const struct
    {
        const char* pszName;
        std::vector<std::pair<UINT, POINT>> messages;
        size_t nClicks;
    } cases[] = {
        { "press and release over the link", { { WM_LBUTTONDOWN, m_ptOnLink }, { WM_LBUTTONUP, m_ptOnLink } }, 1 },
        { "press, out, back in, release",
          { { WM_LBUTTONDOWN, m_ptOnLink },
            { WM_MOUSEMOVE, kOutside },
            { WM_MOUSEMOVE, m_ptOnLink },
            { WM_LBUTTONUP, m_ptOnLink } },
          1 },
        { "press, out, release elsewhere, back in, release without a press",
          { { WM_LBUTTONDOWN, m_ptOnLink },
            { WM_MOUSEMOVE, kBesideLink },
            { WM_LBUTTONUP, kBesideLink },
            { WM_MOUSEMOVE, m_ptOnLink },
            { WM_LBUTTONUP, m_ptOnLink } },
          0 },
        { "press beside the link, release over it",
          { { WM_LBUTTONDOWN, kBesideLink }, { WM_MOUSEMOVE, m_ptOnLink }, { WM_LBUTTONUP, m_ptOnLink } },
          0 },
        { "double click",
          { { WM_LBUTTONDOWN, m_ptOnLink },
            { WM_LBUTTONUP, m_ptOnLink },
            { WM_LBUTTONDBLCLK, m_ptOnLink },
            { WM_LBUTTONUP, m_ptOnLink } },
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
    CZPMarkupTextBlock* pBlock = Load(kLinkPage);
    ASSERT_NE(nullptr, pBlock);
    CountClicks([this] {
        m_host.m_pRoot = NULL;
        m_pRoot->Release();
        m_pRoot = NULL;
    });
    Send(WM_MOUSEMOVE, m_ptOnLink);
    Send(WM_LBUTTONDOWN, m_ptOnLink);
    Send(WM_LBUTTONUP, m_ptOnLink);
    EXPECT_EQ(1u, m_senders.size());
    EXPECT_EQ(nullptr, m_pRoot);
}

TEST_F(MarkupHyperlink, HoverTurnsTheLinkRedAndRepaintsOnlyItsTextBlock)
{
    CZPMarkupTextBlock* pBlock =
        Load(L"<Border Background='White'><TextBlock Margin='10,10,0,0' Width='200' Height='20' "
             L"HorizontalAlignment='Left' VerticalAlignment='Top' FontFamily='Tahoma' "
             L"FontSize='16'>Go <Hyperlink>there</Hyperlink> <Hyperlink "
             L"Foreground='Green'>own</Hyperlink></TextBlock></Border>");
    ASSERT_NE(nullptr, pBlock);
    CZPMarkupHyperlink* pLink = FirstLink(pBlock);
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

    EXPECT_GT(CountPixels(RGB(0, 0, 255)), 0);
    EXPECT_EQ(0, CountPixels(RGB(255, 0, 0)));

    ::ValidateRect(m_hWnd, NULL);
    Send(WM_MOUSEMOVE, m_ptOnLink);
    EXPECT_EQ(RGB(255, 0, 0), ForegroundOf(pLink));
    EXPECT_EQ(RGB(255, 0, 0), ForegroundOf(pRun));
    EXPECT_EQ(0, CountPixels(RGB(0, 0, 255)));
    EXPECT_GT(CountPixels(RGB(255, 0, 0)), 0);
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
    } cases[] = { { m_ptOnLink, TRUE }, { kBesideLink, FALSE }, { m_ptOnLink, TRUE } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pt.x);
        ::SetCursor(::LoadCursorW(NULL, MAKEINTRESOURCEW(32512)));
        Send(WM_MOUSEMOVE, c.pt);
        ::SendMessageW(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(c.bHand, ::GetCursor() == hHand);
    }
}
}  // namespace
