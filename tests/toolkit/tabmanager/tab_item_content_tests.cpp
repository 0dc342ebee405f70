// What a tab holds, measured and drawn: clamped lengths, captions at the text margins, centred
// stretched tabs, vertical captions, the middle ellipsis and awkward captions.
#include <gtest/gtest.h>

#include <memory>

#include "DibSection.h"
#include "TabTestHost.h"

namespace
{

const COLORREF kPaper = RGB(255, 255, 255);

// Leftmost and rightmost columns, topmost and bottommost rows that are not paper.
CRect InkBox(const CDibSection& dib)
{
    CRect rc(dib.Width(), dib.Height(), -1, -1);
    for (int y = 0; y < dib.Height(); y++)
        for (int x = 0; x < dib.Width(); x++)
            if (dib.GetPixel(x, y) != kPaper)
            {
                rc.left = std::min(rc.left, static_cast<LONG>(x));
                rc.right = std::max(rc.right, static_cast<LONG>(x));
                rc.top = std::min(rc.top, static_cast<LONG>(y));
                rc.bottom = std::max(rc.bottom, static_cast<LONG>(y));
            }
    return rc;
}

bool SamePixels(const CDibSection& a, const CDibSection& b)
{
    for (int y = 0; y < a.Height(); y++)
        for (int x = 0; x < a.Width(); x++)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return false;
    return true;
}

class TabContent : public testing::Test
{
protected:
    TabContent() : m_host(m_pm.Get())
    {
        m_pm->m_bShowIcons = FALSE;
        m_host.AddCaptions({L"Hello"});
    }

    CZPTabManagerItem* Item() { return m_host.GetItem(0); }

    // The tab's content drawn in black on white into a fresh DIB.
    std::unique_ptr<CDibSection> Draw(const CRect& rcTab, int cx = 200, int cy = 40)
    {
        auto dib = std::make_unique<CDibSection>(cx, cy, kPaper);
        m_pm->GetColorSet()->m_clrNormalText.SetCustomValue(RGB(0, 0, 0));
        CDC dc(dib->GetDC());
        dc.SetBkMode(TRANSPARENT);
        m_pm->DrawItemContent(&dc, Item(), rcTab, TRUE);
        return dib;
    }

    // A text drawn by DrawText in the normal font, for comparison.
    std::unique_ptr<CDibSection> Reference(LPCWSTR lpszText, const CRect& rc, UINT nFormat, int cx = 200, int cy = 40)
    {
        auto dib = std::make_unique<CDibSection>(cx, cy, kPaper);
        HGDIOBJ hOld = ::SelectObject(dib->GetDC(), m_pm->GetNormalFont()->GetSafeHandle());
        ::SetBkMode(dib->GetDC(), TRANSPARENT);
        ::SetTextColor(dib->GetDC(), RGB(0, 0, 0));
        CRect rcText(rc);
        ::DrawTextW(dib->GetDC(), lpszText, -1, rcText, nFormat);
        ::SelectObject(dib->GetDC(), hOld);
        return dib;
    }

    CPaintManagerRef m_pm;
    CTestTabHost m_host;
};

TEST_F(TabContent, FixedLengthsTakeTheButtonMarginBeforeTheLimits)
{
    m_pm->SetLayout(zpTabLayoutFixed);
    m_pm->m_rcButtonMargin = CRect(3, 0, 3, 0);
    m_host.Reposition();
    EXPECT_EQ(76, Item()->GetLength());
    m_pm->m_nMaxItemLength = 60;
    m_host.Reposition();
    EXPECT_EQ(60, Item()->GetLength());
    m_pm->m_nMinItemLength = 100;   // a minimum above the maximum: the maximum wins
    m_host.Reposition();
    EXPECT_EQ(60, Item()->GetLength());
    m_pm->m_nMaxItemLength = 0;
    m_host.Reposition();
    EXPECT_EQ(100, Item()->GetLength());
}

TEST_F(TabContent, CaptionStartsAtTheTextMarginAndStaysCentredWhenStretched)
{
    const CRect rcTab(10, 0, 110, 24);
    Item()->SetNaturalLength(100);
    Item()->SetLength(100);
    int nLeft = InkBox(*Draw(rcTab)).left;
    EXPECT_GE(nLeft, 10 + 6);
    EXPECT_LE(nLeft, 10 + 6 + 2);

    m_pm->m_rcButtonMargin = CRect(5, 0, 0, 0);
    EXPECT_EQ(nLeft + 5, InkBox(*Draw(rcTab)).left);
    m_pm->m_rcButtonMargin = CRect(0, 0, 0, 0);

    Item()->SetNaturalLength(60);   // stretched by 40: moved by half of it
    EXPECT_EQ(nLeft + 20, InkBox(*Draw(rcTab)).left);
}

TEST_F(TabContent, PrefixOptions)
{
    Item()->SetCaption(L"&File");
    const CRect rcTab(0, 0, 150, 24);
    const CRect rcText(6, 0, 144, 24);
    const UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    EXPECT_TRUE(SamePixels(*Draw(rcTab), *Reference(L"&File", rcText, kFormat)));
    m_pm->m_bHidePrefix = TRUE;
    EXPECT_TRUE(SamePixels(*Draw(rcTab), *Reference(L"File", rcText, kFormat)));
}

TEST_F(TabContent, MiddleEllipsisKeepsTheStartAndTheEnd)
{
    m_pm->m_bMiddleEllipsis = TRUE;
    const UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    CString strCaption(L"abcdefghijklmnopqrstuvwxyz");
    Item()->SetCaption(strCaption);
    const CRect rcTab(0, 0, 90, 24);
    const CRect rcText(6, 0, 84, 24);
    auto drawn = Draw(rcTab);
    int nFound = -1;
    for (int g = 0; g <= strCaption.GetLength() && nFound < 0; g++)
    {
        CString strShown = strCaption.Left(g - g / 2) + L"..." + strCaption.Right(g / 2);
        if (SamePixels(*drawn, *Reference(strShown, rcText, kFormat)))
            nFound = g;
    }
    EXPECT_GT(nFound, 2);
    EXPECT_LT(nFound, strCaption.GetLength());

    // Narrower than "...": the ellipsis alone.
    const CRect rcNarrow(0, 0, 14, 24);
    EXPECT_TRUE(SamePixels(*Draw(rcNarrow), *Reference(L"...", CRect(6, 0, 8, 24), kFormat)));

    // A path loses its middle folders through the system's path ellipsis.
    Item()->SetCaption(L"C:\\Program Files\\Some folder\\deeper\\file.plist");
    EXPECT_TRUE(SamePixels(*Draw(rcTab), *Reference(L"C:\\Program Files\\Some folder\\deeper\\file.plist", rcText,
                                                     kFormat | DT_PATH_ELLIPSIS)));
}

TEST_F(TabContent, VerticalCaptionsCentredAcrossAndOnlyWithRoom)
{
    m_pm->SetPosition(zpTabPositionLeft);
    auto dib = Draw(CRect(0, 0, 24, 100), 40, 120);
    CRect rcInk = InkBox(*dib);
    ASSERT_GE(rcInk.right, rcInk.left);
    EXPECT_GE(rcInk.left, 0);
    EXPECT_LT(rcInk.right, 24);
    EXPECT_NEAR(12, (rcInk.left + rcInk.right + 1) / 2, 3);
    EXPECT_GE(rcInk.top, 6);   // after the text margin

    // The caption needs more than 8 pixels after the text margin.
    EXPECT_GE(InkBox(*Draw(CRect(0, 0, 24, 15), 40, 120)).right, 0);
    EXPECT_EQ(-1, InkBox(*Draw(CRect(0, 0, 24, 14), 40, 120)).right);
}

TEST_F(TabContent, AwkwardCaptionsAreMeasuredAndDrawn)
{
    const CString strLong(L'W', 10000);
    const LPCWSTR captions[] = {L"", L"&", L"&&&", L"\\", L"a&b\\c", strLong};
    for (int nPosition : {zpTabPositionTop, zpTabPositionLeft})
    {
        for (int nOptions = 0; nOptions < 4; nOptions++)
        {
            m_pm->SetPosition(nPosition);
            m_pm->m_bMiddleEllipsis = (nOptions & 1) != 0;
            m_pm->m_bHidePrefix = (nOptions & 2) != 0;
            m_pm->m_bNoPrefix = nOptions != 3;
            for (LPCWSTR lpsz : captions)
            {
                Item()->SetCaption(lpsz);
                EXPECT_GE(Item()->GetLength(), 12) << nPosition << " " << nOptions;
                Draw(nPosition == zpTabPositionTop ? CRect(0, 0, 120, 24) : CRect(0, 0, 24, 120), 130, 130);
            }
        }
    }
}

}  // namespace
