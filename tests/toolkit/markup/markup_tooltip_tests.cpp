// The markup tip, made by the markup context's tooltip context: a page measures as its element
// inside the tip frame and draws in the content area; text that does not parse is the plain tip.
#include "markup_fixture_types.h"

#include "../common/DibSection.h"

#include "common/ZPToolTipContextToolTip.h"
#include "markup/ZPMarkupApi.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupToolTip.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const int kFrameInset = 3;

class MarkupToolTip : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, NULL, L"owner", WS_POPUP, 200, 150, 300, 200, NULL, NULL));
        // Type records and shared values made once per process are not counted as left alive.
        CZPMarkupContext* pContext = ZpMarkupNewContext(NULL);
        CZPMarkupUIElement* pElement = ZpMarkupParseToElement(pContext, L"<TextBlock>warm</TextBlock>");
        ZpMarkupFreeElement(&pElement);
        ZpMarkupFreeContext(&pContext);
        CMarkupLeakCheck::SetUp();
    }
    void TearDown() override
    {
        FreeTip();
        m_owner.DestroyWindow();
        CMarkupLeakCheck::TearDown();
    }
    CZPToolTipContextToolTip* MakeTip(int nKind)
    {
        FreeTip();
        m_context.SetStyle(nKind);
        m_pTip = dynamic_cast<CZPToolTipContextToolTip*>(m_context.CreateToolTip());
        if (m_pTip != NULL)
            m_pTip->Create(&m_owner, m_context.GetStyle());
        return m_pTip;
    }
    void FreeTip()
    {
        if (m_pTip != NULL) {
            m_pTip->DestroyWindow();
            delete m_pTip;
            m_pTip = NULL;
        }
    }
    CZPToolTipContextToolTip::TOOLITEM Tool(LPCWSTR lpszText)
    {
        CZPToolTipContextToolTip::TOOLITEM tool;
        tool.hwnd = m_owner.m_hWnd;
        tool.uId = 1;
        tool.strText = lpszText;
        return tool;
    }

    CWnd m_owner;
    CZPMarkupContext::CTooltipContext m_context{ NULL };
    CZPToolTipContextToolTip* m_pTip = NULL;  // owned
};

}  // namespace

TEST_F(MarkupToolTip, TheMarkupContextMakesMarkupTipsAndTheBaseKindsOtherwise)
{
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindMarkup));
    EXPECT_NE(nullptr, dynamic_cast<CZPToolTipContext::CMarkupToolTip*>(m_pTip));
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
    EXPECT_EQ(nullptr, dynamic_cast<CZPToolTipContext::CMarkupToolTip*>(m_pTip));
}

TEST_F(MarkupToolTip, UnparsedTextIsThePlainTip)
{
    const LPCWSTR kMarkup = L"<TextBlock>unclosed";
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindOffice));
    CZPToolTipContextToolTip::TOOLITEM plain = Tool(kMarkup);
    const CSize sizePlain = m_pTip->CalcSize(&plain);
    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindMarkup));
    CZPToolTipContextToolTip::TOOLITEM markup = Tool(kMarkup);
    EXPECT_EQ(sizePlain, m_pTip->CalcSize(&markup));
    CZPToolTipContextToolTip::TOOLITEM empty = Tool(L"");
    EXPECT_EQ(CSize(0, 0), m_pTip->CalcSize(&empty));
}

TEST_F(MarkupToolTip, APageMeasuresAsItsElementInsideTheFrameAndDrawsInTheContent)
{
    const LPCWSTR kPage = L"<Border Padding='2'><TextBlock>Word <Bold>bold</Bold></TextBlock></Border>";
    CZPMarkupContext* pMarkup = ZpMarkupNewContext(NULL);
    ZpMarkupSetContextFont(pMarkup, static_cast<HFONT>(m_context.GetFont()->GetSafeHandle()), CLR_INVALID);
    CZPMarkupUIElement* pElement = ZpMarkupParseToElement(pMarkup, kPage);
    const SIZE sizeElement = ZpMarkupMeasureSize(pElement, 10000, 0x7FFFFFFF);
    ZpMarkupFreeElement(&pElement);
    ZpMarkupFreeContext(&pMarkup);
    EXPECT_GT(sizeElement.cx, 20);

    ASSERT_NE(nullptr, MakeTip(CZPToolTipContext::kindMarkup));
    const RECT& rcMargin = m_context.GetMargin();
    CZPToolTipContextToolTip::TOOLITEM page = Tool(kPage);
    const CSize sizeTip = m_pTip->CalcSize(&page);
    EXPECT_EQ(CSize(sizeElement.cx + rcMargin.left + rcMargin.right + 2 * kFrameInset,
                    sizeElement.cy + rcMargin.top + rcMargin.bottom + 2 * kFrameInset),
              sizeTip);

    CDibSection dib(sizeTip.cx, sizeTip.cy, kWhite);
    ::SetBkMode(dib.GetDC(), TRANSPARENT);
    ::SetTextColor(dib.GetDC(), RGB(0, 0, 0));
    ::SelectObject(dib.GetDC(), m_context.GetFont()->GetSafeHandle());
    m_pTip->DrawContent(CDC::FromHandle(dib.GetDC()), &page, CRect(CPoint(0, 0), sizeTip));
    const CRect rcInk(dib.InkBox(kWhite));
    EXPECT_GE(rcInk.left, rcMargin.left + kFrameInset + 2);
    EXPECT_GE(rcInk.top, rcMargin.top + kFrameInset + 2);
    EXPECT_LE(rcInk.right, sizeTip.cx - rcMargin.right - kFrameInset - 2);
    EXPECT_LE(rcInk.bottom, sizeTip.cy - rcMargin.bottom - kFrameInset - 2);
    EXPECT_GT(rcInk.Width(), 20) << "the text is drawn";
}
