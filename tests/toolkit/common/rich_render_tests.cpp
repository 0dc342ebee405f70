// Rich-text rendering: RTF against literal text, drawing, and the width search.
#include "common/ZPRichRender.h"

#include "DibSection.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);

// Counts pixels of the DIB that are not white, and those that are pure red.
void CountInk(const CDibSection& dib, int* pnInk, int* pnRed)
{
    *pnInk = *pnRed = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
        {
            COLORREF clr = dib.GetPixel(x, y);
            if (clr != kWhite)
                ++*pnInk;
            if (GetRValue(clr) > 200 && GetGValue(clr) < 60 && GetBValue(clr) < 60)
                ++*pnRed;
        }
}

class RichRender : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_render.HasTextServices())
            GTEST_SKIP() << "no windowless rich-edit text services";
    }
    CZPRichRender m_render;
    CDibSection m_dib{ 400, 60, kWhite };
};

TEST_F(RichRender, RtfIsReadFormatted)
{
    const wchar_t* kRtf = L"{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 Hello}";
    int nRead = m_render.SetText(kRtf);
    EXPECT_GT(nRead, 0);
    EXPECT_LT(nRead, 10) << "the RTF control words are not text";
    m_render.Draw(CDC::FromHandle(m_dib.GetDC()), CRect(0, 0, 400, 60));
    int nInk = 0, nRed = 0;
    CountInk(m_dib, &nInk, &nRed);
    EXPECT_GT(nRed, 0) << "the colour table applies";
}

TEST_F(RichRender, BraceThatIsNotRtfIsReadAsText)
{
    const wchar_t* kNotRtf = L"{not rtf} at all";
    // Wider than the same text without its brace: the brace is shown.
    m_render.SetText(L"not rtf} at all");
    CSize sizePlain = m_render.MeasureText(CDC::FromHandle(m_dib.GetDC()), 300);
    m_render.SetText(kNotRtf);
    CSize sizeBrace = m_render.MeasureText(CDC::FromHandle(m_dib.GetDC()), 300);
    EXPECT_GT(sizeBrace.cx, sizePlain.cx);

    // The engine counts what it read of Unicode text in bytes or characters depending on the
    // system; either way the whole text was read, not nothing.
    int nRead = m_render.SetText(kNotRtf);
    EXPECT_TRUE(nRead == static_cast<int>(wcslen(kNotRtf)) || nRead == static_cast<int>(2 * wcslen(kNotRtf)))
        << nRead;
    m_render.Draw(CDC::FromHandle(m_dib.GetDC()), CRect(0, 0, 400, 60));
    int nInk = 0, nRed = 0;
    CountInk(m_dib, &nInk, &nRed);
    EXPECT_GT(nInk, 0);
    EXPECT_EQ(0, nRed);

    // Measured after drawing, as the next tip is.
    m_render.SetText(L"not rtf} at all");
    EXPECT_EQ(sizePlain, m_render.MeasureText(CDC::FromHandle(m_dib.GetDC()), 300));

    EXPECT_EQ(0, m_render.SetText(L""));
    EXPECT_EQ(0, m_render.SetText(NULL));
}

TEST_F(RichRender, OneWordMeasuresItsOwnWidth)
{
    CDC* pDC = CDC::FromHandle(m_dib.GetDC());
    m_render.SetText(L"Hello");
    CSize size = m_render.MeasureText(pDC, 300);
    EXPECT_GT(size.cx, 5);
    EXPECT_LT(size.cx, 100);
    EXPECT_GT(size.cy, 5);

    m_render.SetText(L"Hello Hello");
    CSize sizeTwo = m_render.MeasureText(pDC, 300);
    EXPECT_GT(sizeTwo.cx, size.cx);
    EXPECT_EQ(size.cy, sizeTwo.cy);
}

TEST_F(RichRender, LongTextKeepsItsFullWidthHeight)
{
    CDC* pDC = CDC::FromHandle(m_dib.GetDC());
    std::wstring text;
    for (int i = 0; i < 1000; ++i)
        text += i % 7 == 0 ? L"wrapping " : L"word ";
    m_render.SetText(text.c_str());
    CSize size = m_render.MeasureText(pDC, 300);
    EXPECT_LE(size.cx, 300);
    EXPECT_GT(size.cx, 250);
    m_render.SetText(L"word");
    int nLine = m_render.MeasureText(pDC, 300).cy;
    EXPECT_GT(size.cy, 20 * nLine) << "wrapped over many lines";
}

} // namespace
