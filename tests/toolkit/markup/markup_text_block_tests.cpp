// The text block: lines, wrapping, cuts, ellipsis, alignment and baselines checked against
// GDI's own extents for the same font; drawing read back from a DIB section; hit tests; bad input.
#include "markup_fixture_types.h"

#include "../common/DibSection.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupRoutedEvent.h"
#include "markup/ZPMarkupTextBlock.h"
#include "markup/ZPMarkupTextElement.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
typedef CZPMarkupTextBlock::CLine CLine;
typedef CZPMarkupTextBlock::CLinePart CLinePart;

std::string Narrow(const std::wstring& str)
{
    std::string strOut;
    for (wchar_t ch : str)
        strOut += ch < 128 ? static_cast<char>(ch) : '?';
    return strOut;
}

// GDI's extents in one font, the reference the layout is checked against.
class CFontMeasure
{
public:
    explicit CFontMeasure(HFONT hFont) : m_hDC(::CreateCompatibleDC(NULL))
    {
        m_hOld = ::SelectObject(m_hDC, hFont);
        ::GetTextMetricsW(m_hDC, &m_tm);
    }
    ~CFontMeasure()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
    }
    int Width(const std::wstring& str) const
    {
        SIZE sz = {};
        ::GetTextExtentPoint32W(m_hDC, str.c_str(), static_cast<int>(str.size()), &sz);
        return sz.cx;
    }
    int Height() const
    {
        SIZE sz = {};
        ::GetTextExtentPoint32W(m_hDC, L" ", 1, &sz);
        return sz.cy;
    }
    const TEXTMETRICW& Metrics() const { return m_tm; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    TEXTMETRICW m_tm;
};

class MarkupTextBlock : public CMarkupContextTest
{
protected:
    // Also the fonts the pages use.
    void WarmUp() override
    {
        CZPMarkupTextBlock* pWarm =
            Build(L"<TextBlock TextWrapping='Wrap' TextTrimming='WordEllipsis' "
                  L"TextAlignment='Justify'><Bold>a</Bold> <Underline>b</Underline></TextBlock>",
                  NULL, 10);
        if (pWarm != NULL)
            pWarm->Release();
    }

    // Parses the page, sets "Text" when given, and measures and arranges it in nWidth.
    CZPMarkupTextBlock* Build(const std::wstring& strPage, LPCWSTR lpszText, int nWidth)
    {
        CZPMarkupObject* pRoot = m_pContext->Parse(strPage.c_str());
        CZPMarkupTextBlock* pBlock = ZpMarkupCast<CZPMarkupTextBlock>(pRoot);
        EXPECT_TRUE(pBlock != NULL) << Narrow(strPage);
        if (pBlock == NULL) {
            if (pRoot != NULL)
                pRoot->Release();
            return NULL;
        }
        if (lpszText != NULL)
            pBlock->SetValue(CZPMarkupTextBlock::m_pTextProperty, new CZPMarkupString(lpszText));
        Layout(pBlock, nWidth);
        return pBlock;
    }
    void Layout(CZPMarkupTextBlock* pBlock, int nWidth)
    {
        CZPMarkupDrawingContext context(m_dib.GetDC(), NULL);
        pBlock->Measure(&context, nWidth, kZpMarkupInfinite);
        const SIZE sz = pBlock->GetDesiredSize();
        pBlock->Arrange(RECT{ 0, 0, std::max<LONG>(sz.cx, std::min(nWidth, 4000)), sz.cy });
    }
    void Render(CZPMarkupTextBlock* pBlock)
    {
        CZPMarkupDrawingContext context(m_dib.GetDC(), NULL);
        pBlock->Render(&context);
        ::GdiFlush();
    }
    // The font of the first run of the block.
    static HFONT FirstFont(CZPMarkupTextBlock* pBlock)
    {
        for (const CLine* pLine = pBlock->GetFirstLine(); pLine != NULL; pLine = pLine->m_pNextLine) {
            for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
                if (CZPMarkupRun* pRun = ZpMarkupCast<CZPMarkupRun>(pPart->m_pInline))
                    return pRun->GetCachedFont()->GetFont();
            }
        }
        return NULL;
    }
    static std::wstring PartText(const CLinePart* pPart)
    {
        CZPMarkupRun* pRun = ZpMarkupCast<CZPMarkupRun>(pPart->m_pInline);
        if (pRun == NULL || pPart->m_nStart <= 0 || pPart->m_nEnd <= pPart->m_nStart)
            return std::wstring();
        return std::wstring(pRun->GetText() + pPart->m_nStart - 1, pRun->GetText() + pPart->m_nEnd - 1);
    }
    static std::wstring LineText(const CLine* pLine)
    {
        std::wstring str;
        for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart)
            str += PartText(pPart);
        return str;
    }
    // The lines' texts joined by '|'.
    static std::wstring Lines(CZPMarkupTextBlock* pBlock)
    {
        std::wstring str;
        for (const CLine* pLine = pBlock->GetFirstLine(); pLine != NULL; pLine = pLine->m_pNextLine)
            str += (pLine != pBlock->GetFirstLine() ? L"|" : L"") + LineText(pLine);
        return str;
    }
    static int PartCount(const CLine* pLine)
    {
        int nCount = 0;
        for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart)
            nCount++;
        return nCount;
    }
    static std::vector<const CLine*> LineList(CZPMarkupTextBlock* pBlock)
    {
        std::vector<const CLine*> lines;
        for (const CLine* pLine = pBlock->GetFirstLine(); pLine != NULL; pLine = pLine->m_pNextLine)
            lines.push_back(pLine);
        return lines;
    }

    CDibSection m_dib{ 400, 200, RGB(255, 255, 255) };
};

const wchar_t kFont[] = L"FontFamily='Tahoma' FontSize='16'";

// The width a case lays out in: the extent of a text in the page's font plus a delta.
struct WidthOf
{
    const wchar_t* lpszFit;  // NULL: nDelta alone
    int nDelta;
};

struct LineCase
{
    const wchar_t* lpszAttributes;
    const wchar_t* lpszContent;  // markup inside the block
    const wchar_t* lpszText;     // "Text" set after parsing, or NULL
    WidthOf width;
    const wchar_t* lpszLines;
};

TEST_F(MarkupTextBlock, LinesFollowWordsWrappingAndLineFeeds)
{
    const LineCase cases[] = {
        // Without wrapping lines end only at line feeds and may stick out.
        { L"", L"", L"Hello world", { NULL, 10 }, L"Hello world" },
        { L"", L"", L"A\n\nB", { NULL, 1000 }, L"A||B" },
        // A line of spaces between line feeds disappears; leading spaces of the first line stay.
        { L"", L"", L"A\n   \nB", { NULL, 1000 }, L"A|B" },
        { L"TextWrapping='Wrap'", L"", L"  ab cd", { L"  ab c", 0 }, L"  ab|cd" },
        // Blanks lead the next word; those that still fit stay at the end of the line.
        { L"TextWrapping='Wrap'", L"", L"Hello world", { L"Hello w", 0 }, L"Hello|world" },
        { L"TextWrapping='Wrap'", L"", L"ab   cd", { L"ab  ", 1 }, L"ab  |cd" },
        { L"TextWrapping='WrapWithOverflow'", L"", L"ab \t cd", { L"ab", 0 }, L"ab|cd" },
        // "Wrap" cuts a word by characters, "WrapWithOverflow" never does.
        { L"TextWrapping='WrapWithOverflow'", L"", L"abcdefghij kl", { L"abcd", 0 }, L"abcdefghij|kl" },
        { L"TextWrapping='Wrap'", L"", L"abc", { NULL, 1 }, L"a|b|c" },
        { L"TextWrapping='Wrap'", L"", L"x\nabc", { NULL, 1 }, L"x|a|b|c" },
        // A word split across inlines moves as a whole.
        { L"TextWrapping='Wrap'", L"<Run Text='xx Hel'/><Bold>lo</Bold>", NULL, { L"xx Hell", 0 }, L"xx|Hello" },
        // A line break element acts like a line feed, also inside a span.
        { L"", L"<Run Text='a'/><Span><LineBreak/><Run Text='b'/></Span>", NULL, { NULL, 1000 }, L"a|b" },
        // Trimming applies only without wrapping.
        { L"TextWrapping='Wrap' TextTrimming='CharacterEllipsis'",
          L"",
          L"Hello world",
          { L"Hello w", 0 },
          L"Hello|world" },
    };
    for (const LineCase& c : cases) {
        const std::wstring strPage =
            std::wstring(L"<TextBlock ") + kFont + L" " + c.lpszAttributes + L">" + c.lpszContent + L"</TextBlock>";
        SCOPED_TRACE(Narrow(strPage) + (c.lpszText != NULL ? " Text=" + Narrow(c.lpszText) : ""));
        // The font comes from a first layout; the width from its extents.
        CRef<CZPMarkupTextBlock> block(Build(strPage, c.lpszText, kZpMarkupInfinite));
        ASSERT_TRUE(block != NULL);
        CFontMeasure font(FirstFont(block));
        const int nWidth = (c.width.lpszFit != NULL ? font.Width(c.width.lpszFit) : 0) + c.width.nDelta;
        Layout(block, nWidth);
        EXPECT_EQ(c.lpszLines, Lines(block));
        // Single-font lines are as wide as GDI measures their text, and one line high.
        if (c.lpszContent[0] == L'\0') {
            int nWidest = 0;
            for (const CLine* pLine : LineList(block)) {
                EXPECT_EQ(font.Width(LineText(pLine)), pLine->m_nWidth) << Narrow(LineText(pLine));
                EXPECT_EQ(font.Height(), pLine->m_nHeight);
                nWidest = std::max(nWidest, pLine->m_nWidth);
            }
            EXPECT_EQ(nWidest, block->GetContentSize().cx);
            EXPECT_EQ(font.Height() * block->GetLineCount(), block->GetDesiredSize().cy);
        }
    }
}

// The naive cut: for each line the longest prefix whose GDI extent fits, at least one character.
std::vector<std::wstring> GreedyCut(const CFontMeasure& font, const std::wstring& strWord, int nWidth)
{
    std::vector<std::wstring> lines;
    size_t nStart = 0;
    while (nStart < strWord.size()) {
        size_t nLength = 1;
        while (nStart + nLength < strWord.size() && font.Width(strWord.substr(nStart, nLength + 1)) <= nWidth)
            nLength++;
        lines.push_back(strWord.substr(nStart, nLength));
        nStart += nLength;
    }
    return lines;
}

TEST_F(MarkupTextBlock, LongWordsAreCutExactlyWhereEachPrefixStopsFitting)
{
    struct CutCase
    {
        const wchar_t* lpszFontAttributes;
        int nRepeat;
        int nWidth;
    };
    const CutCase cases[] = {
        { kFont, 40, 100 },
        { L"FontFamily='Tahoma' FontSize='13' FontWeight='Bold'", 120, 157 },
        { L"FontFamily='Tahoma' FontSize='21' FontStyle='Italic'", 200, 333 },
        { kFont, 3000, 371 },  // long enough for the rest of the word to be measured in steps
    };
    for (const CutCase& c : cases) {
        std::wstring strWord;
        for (int i = 0; i < c.nRepeat; i++)
            strWord += L"Wilfiy.mMQ"[i % 10];
        const std::wstring strPage =
            std::wstring(L"<TextBlock TextWrapping='Wrap' ") + c.lpszFontAttributes + L"><Run Text='x'/></TextBlock>";
        SCOPED_TRACE(Narrow(strPage) + " x" + std::to_string(c.nRepeat));
        CRef<CZPMarkupTextBlock> block(Build(strPage, strWord.c_str(), c.nWidth));
        ASSERT_TRUE(block != NULL);
        CFontMeasure font(FirstFont(block));
        const std::vector<std::wstring> expected = GreedyCut(font, strWord, c.nWidth);
        const std::vector<const CLine*> lines = LineList(block);
        ASSERT_EQ(expected.size(), lines.size());
        for (size_t i = 0; i < lines.size(); i++) {
            EXPECT_EQ(expected[i], LineText(lines[i])) << "line " << i;
            EXPECT_EQ(font.Width(expected[i]), lines[i]->m_nWidth) << "line " << i;
        }
    }
}

TEST_F(MarkupTextBlock, PrefixWidthsOfOneCallMatchGdiExtentsOfEachPrefix)
{
    const wchar_t* fonts[] = { kFont, L"FontFamily='Tahoma' FontSize='13' FontWeight='Bold'",
                               L"FontFamily='Tahoma' FontSize='27' FontStyle='Italic'" };
    const std::wstring strText = L"AVAWa To. fi ffl Wj,\tyq |xy 123";
    for (const wchar_t* lpszFont : fonts) {
        SCOPED_TRACE(Narrow(lpszFont));
        CRef<CZPMarkupTextBlock> block(
            Build(std::wstring(L"<TextBlock ") + lpszFont + L"/>", strText.c_str(), kZpMarkupInfinite));
        ASSERT_TRUE(block != NULL);
        CZPMarkupRun* pRun = ZpMarkupCast<CZPMarkupRun>(block->GetFirstLine()->m_pFirstPart->m_pInline);
        ASSERT_TRUE(pRun != NULL);
        CFontMeasure font(pRun->GetCachedFont()->GetFont());
        CZPMarkupDrawingContext context(m_dib.GetDC(), NULL);
        std::vector<int> widths(strText.size());
        pRun->MeasurePrefixes(&context, 1, static_cast<int>(strText.size()) + 1, widths.data());
        for (size_t n = 1; n <= strText.size(); n++) {
            EXPECT_EQ(font.Width(strText.substr(0, n)), widths[n - 1]) << n;
            // Every range from a later start, as the layout measures them, equals GDI too.
            const int nStart = static_cast<int>(n);
            for (int nEnd = nStart + 1; nEnd <= static_cast<int>(strText.size()) + 1; nEnd += 3)
                EXPECT_EQ(font.Width(strText.substr(n - 1, nEnd - nStart)),
                          pRun->MeasureInline(&context, nStart, nEnd).cx)
                    << n << ".." << nEnd;
        }
    }
}

TEST_F(MarkupTextBlock, EllipsisKeepsWhatFitsBeforeTheDots)
{
    struct TrimCase
    {
        const wchar_t* lpszTrimming;
        WidthOf width;  // plus the width of "..."
        const wchar_t* lpszLines;
    };
    const TrimCase cases[] = {
        { L"CharacterEllipsis", { L"Hello wo", 0 }, L"Hello wo..." },
        { L"WordEllipsis", { L"Hello wo", 0 }, L"Hello..." },
        { L"WordEllipsis", { L"Hell", 0 }, L"Hell..." },  // no white space fits: characters
        { L"None", { L"Hello wo", 0 }, L"Hello world" },
        // Narrower than the dots: nothing of the text, the dots stick out.
        { L"CharacterEllipsis", { NULL, -1000 }, L"..." },
        { L"WordEllipsis", { NULL, -1000 }, L"..." },
        // What fits is not trimmed.
        { L"CharacterEllipsis", { L"Hello world", 0 }, L"Hello world" },
    };
    for (const TrimCase& c : cases) {
        const std::wstring strPage =
            std::wstring(L"<TextBlock ") + kFont + L" TextTrimming='" + c.lpszTrimming + L"'>Hello world</TextBlock>";
        SCOPED_TRACE(Narrow(strPage) + " fit " + (c.width.lpszFit != NULL ? Narrow(c.width.lpszFit) : ""));
        CRef<CZPMarkupTextBlock> block(Build(strPage, NULL, kZpMarkupInfinite));
        ASSERT_TRUE(block != NULL);
        CFontMeasure font(FirstFont(block));
        const int nWidth = std::max(0, (c.width.lpszFit != NULL ? font.Width(c.width.lpszFit) : 0) +
                                           font.Width(L"...") + c.width.nDelta);
        Layout(block, nWidth);
        EXPECT_EQ(c.lpszLines, Lines(block));
        EXPECT_EQ(font.Width(c.lpszLines), block->GetFirstLine()->m_nWidth);
    }
}

TEST_F(MarkupTextBlock, AlignmentAndJustifyPlaceTheLinesBetweenThePaddings)
{
    struct AlignCase
    {
        const wchar_t* lpszAttributes;
        const wchar_t* lpszText;
        const wchar_t* lpszLines;
    };
    const AlignCase cases[] = {
        { L"TextAlignment='Left' TextWrapping='Wrap'", L"aa bb cc dd ee", L"aa bb cc|dd ee" },
        { L"TextAlignment='Right' TextWrapping='Wrap'", L"aa bb cc dd ee", L"aa bb cc|dd ee" },
        { L"TextAlignment='Center' TextWrapping='Wrap'", L"aa bb cc dd ee", L"aa bb cc|dd ee" },
        { L"TextAlignment='Justify' TextWrapping='Wrap'", L"aa bb cc dd ee", L"aa bb cc|dd ee" },
        // Unwrapped text and the last line of a paragraph are not justified.
        { L"TextAlignment='Justify'", L"aa bb", L"aa bb" },
        // The word that starts a paragraph takes no share of the gap after it.
        { L"TextAlignment='Justify' TextWrapping='Wrap'", L"aa\naa bb cc dd", L"aa|aa bb cc|dd" },
    };
    for (const AlignCase& c : cases) {
        const std::wstring strPage =
            std::wstring(L"<TextBlock ") + kFont + L" Padding='3,2,5,0' " + c.lpszAttributes + L"/>";
        SCOPED_TRACE(Narrow(strPage) + " " + Narrow(c.lpszText));
        CRef<CZPMarkupTextBlock> block(Build(strPage, c.lpszText, kZpMarkupInfinite));
        ASSERT_TRUE(block != NULL);
        CFontMeasure font(FirstFont(block));
        const int nFinal = font.Width(L"aa bb cc") + 3 + 5 + 7;
        Layout(block, nFinal);
        ASSERT_EQ(nFinal, block->GetRenderSize().cx);
        EXPECT_EQ(c.lpszLines, Lines(block));
        const std::wstring strAttributes = c.lpszAttributes;
        const bool bRight = strAttributes.find(L"Right") != std::wstring::npos;
        const bool bCenter = strAttributes.find(L"Center") != std::wstring::npos;
        const bool bJustify = strAttributes.find(L"Justify") != std::wstring::npos;
        for (const CLine* pLine : LineList(block)) {
            SCOPED_TRACE(Narrow(LineText(pLine)));
            const CLinePart* pFirst = pLine->m_pFirstPart;
            const CLinePart* pLast = pLine->m_pLastPart;
            const int nLeft = pFirst->x + pFirst->dx;
            const int nRight = pLast->x + pLast->dx + pLast->m_nWidth;
            const int nFree = nFinal - 3 - 5 - pLine->m_nWidth;
            const bool bJustified = bJustify && pLine->m_bWrapped && pFirst != pLast;
            EXPECT_EQ(bRight ? 3 + nFree : bCenter ? 3 + nFree / 2 : 3, nLeft);
            EXPECT_EQ(bJustified ? nFinal - 5 : nLeft + pLine->m_nWidth, nRight);
            int nRightOfPrevious = nLeft;
            for (const CLinePart* pPart = pFirst; pPart != NULL; pPart = pPart->m_pNextPart) {
                EXPECT_EQ(2, pPart->dy);
                const int nGap = pPart->x + pPart->dx - nRightOfPrevious;
                if (!bJustified || pPart == pFirst || (pFirst->m_bParagraphStart && pPart == pFirst->m_pNextPart))
                    EXPECT_EQ(0, nGap) << Narrow(PartText(pPart));
                else
                    EXPECT_GE(nGap, 1) << Narrow(PartText(pPart));
                nRightOfPrevious = pPart->x + pPart->dx + pPart->m_nWidth;
            }
        }
    }
}

TEST_F(MarkupTextBlock, JustifyKeepsAWordAcrossInlinesTogether)
{
    CRef<CZPMarkupTextBlock> block(Build(std::wstring(L"<TextBlock ") + kFont +
                                             L" TextWrapping='Wrap' TextAlignment='Justify'><Run Text='aa bo'/>"
                                             L"<Bold>ld</Bold><Run Text=' cc dd ee ff gg hh'/></TextBlock>",
                                         NULL, kZpMarkupInfinite));
    ASSERT_TRUE(block != NULL);
    const int nWidth = CFontMeasure(FirstFont(block)).Width(L"aa bold cc dd ee");
    Layout(block, nWidth);
    const CLine* pLine = block->GetFirstLine();
    ASSERT_TRUE(pLine->m_bWrapped);
    EXPECT_EQ(nWidth, pLine->m_pLastPart->x + pLine->m_pLastPart->dx + pLine->m_pLastPart->m_nWidth);
    std::wstring strGaps;
    for (const CLinePart* pPart = pLine->m_pFirstPart; pPart->m_pNextPart != NULL; pPart = pPart->m_pNextPart) {
        const CLinePart* pNext = pPart->m_pNextPart;
        const bool bGap = pNext->x + pNext->dx > pPart->x + pPart->dx + pPart->m_nWidth;
        strGaps += PartText(pPart) + (bGap ? L"_" : L"");
    }
    // Widened gaps (_) before every word but inside none.
    EXPECT_EQ(L"aa_ bold_", strGaps.substr(0, 9));
}

TEST_F(MarkupTextBlock, LinesAreAsHighAsTheTallestAscentAndDeepestDescent)
{
    CRef<CZPMarkupTextBlock> block(
        Build(L"<TextBlock FontFamily='Tahoma' FontSize='14'><Run Text='small '/><Run FontSize='40' Text='Big'/>"
              L"<Run Text=' top' BaselineAlignment='Top'/><Run Text=' sub' BaselineAlignment='Subscript'/>"
              L"<Run Text=' center' BaselineAlignment='Center'/><Run FontFamily='Courier New' FontSize='9' "
              L"Text='deep' BaselineAlignment='Bottom'/></TextBlock>",
              NULL, kZpMarkupInfinite));
    ASSERT_TRUE(block != NULL);
    ASSERT_EQ(1, block->GetLineCount());
    const CLine* pLine = block->GetFirstLine();
    int nAscent = 0, nDescent = 0;
    std::vector<const CLinePart*> parts;
    for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart) {
        CFontMeasure font(ZpMarkupCast<CZPMarkupRun>(pPart->m_pInline)->GetCachedFont()->GetFont());
        EXPECT_EQ(font.Metrics().tmDescent, pPart->m_nDescent);
        nAscent = std::max(nAscent, pPart->m_nHeight - pPart->m_nDescent);
        nDescent = std::max<int>(nDescent, font.Metrics().tmDescent);
        parts.push_back(pPart);
    }
    ASSERT_EQ(6u, parts.size());
    EXPECT_EQ(nAscent + nDescent, pLine->m_nHeight);
    EXPECT_EQ(nDescent, pLine->m_nDescent);
    const int H = pLine->m_nHeight, D = pLine->m_nDescent;
    const int nBaseline = H - D;
    auto top = [](const CLinePart* p) { return p->y + p->dy; };
    // Baseline: the small and the big run share it.
    EXPECT_EQ(nBaseline, top(parts[0]) + parts[0]->m_nHeight - parts[0]->m_nDescent);
    EXPECT_EQ(nBaseline, top(parts[1]) + parts[1]->m_nHeight - parts[1]->m_nDescent);
    EXPECT_EQ(0, top(parts[2]));
    EXPECT_EQ(H - parts[3]->m_nHeight + parts[3]->m_nDescent - D / 2, top(parts[3]));
    EXPECT_EQ(H - parts[4]->m_nHeight + (parts[4]->m_nHeight - H) / 2, top(parts[4]));
    EXPECT_EQ(H - parts[5]->m_nHeight, top(parts[5]));

    // The alignment does not inherit: set on a span it leaves the span's run on the baseline.
    CRef<CZPMarkupTextBlock> spanned(
        Build(L"<TextBlock FontFamily='Tahoma' FontSize='30'><Span BaselineAlignment='Top'><Run FontSize='10' "
              L"Text='a'/></Span><Run Text='B'/></TextBlock>",
              NULL, kZpMarkupInfinite));
    ASSERT_TRUE(spanned != NULL);
    const CLinePart* pSmall = spanned->GetFirstLine()->m_pFirstPart;
    const CLinePart* pBig = pSmall->m_pNextPart;
    ASSERT_TRUE(pBig != NULL);
    EXPECT_EQ(top(pBig) + pBig->m_nHeight - pBig->m_nDescent, top(pSmall) + pSmall->m_nHeight - pSmall->m_nDescent);
    EXPECT_GT(top(pSmall), 0);
}

TEST_F(MarkupTextBlock, EmptyTextNoInlinesAndSpacesOnly)
{
    struct EmptyCase
    {
        const wchar_t* lpszPage;
        const wchar_t* lpszText;
        const wchar_t* lpszLines;  // NULL: no lines
        bool bSpaceHigh;           // one line as high as a space
    };
    const EmptyCase cases[] = {
        { L"<TextBlock FontFamily='Tahoma' FontSize='16' Padding='1,2,3,4'/>", NULL, L"", true },
        { L"<TextBlock FontFamily='Tahoma' FontSize='16' Padding='1,2,3,4'/>", L"", NULL, false },
        { L"<TextBlock FontFamily='Tahoma' FontSize='16' Padding='1,2,3,4'><Span/></TextBlock>", NULL, NULL, false },
        { L"<TextBlock FontFamily='Tahoma' FontSize='16' Padding='1,2,3,4'/>", L"   ", L"   ", true },
        { L"<TextBlock FontFamily='Tahoma' FontSize='16' Padding='1,2,3,4' TextWrapping='Wrap'/>", L"   ", L"   ",
          true },
        { L"<TextBlock FontFamily='Tahoma' FontSize='16' Padding='1,2,3,4' TextWrapping='Wrap'/>", L"\n", L"|", true },
    };
    for (const EmptyCase& c : cases) {
        SCOPED_TRACE(Narrow(c.lpszPage) + (c.lpszText != NULL ? " Text='" + Narrow(c.lpszText) + "'" : ""));
        CRef<CZPMarkupTextBlock> block(Build(c.lpszPage, c.lpszText, 100));
        ASSERT_TRUE(block != NULL);
        const SIZE sz = block->GetDesiredSize();
        if (c.lpszLines == NULL) {
            EXPECT_EQ(0, block->GetLineCount());
            EXPECT_EQ(4, sz.cx);
            EXPECT_EQ(6, sz.cy);
            continue;
        }
        EXPECT_EQ(c.lpszLines, Lines(block));
        CZPMarkupRun* pRun = ZpMarkupCast<CZPMarkupRun>(block->GetFirstLine()->m_pFirstPart->m_pInline);
        ASSERT_TRUE(pRun != NULL);
        CFontMeasure font(pRun->GetCachedFont()->GetFont());
        EXPECT_EQ(4 + font.Width(LineText(block->GetFirstLine())), sz.cx);
        EXPECT_EQ(6 + font.Height() * block->GetLineCount(), sz.cy);
    }
}

// The rows of a column that hold exactly the colour.
std::vector<int> RowsOf(const CDibSection& dib, int x, COLORREF clr)
{
    std::vector<int> rows;
    for (int y = 0; y < dib.Height(); y++) {
        if (dib.GetPixel(x, y) == clr)
            rows.push_back(y);
    }
    return rows;
}

TEST_F(MarkupTextBlock, DecorationsTakeTheColourOfTheElementThatSetThem)
{
    struct DecorationCase
    {
        const wchar_t* lpszPage;
        COLORREF clrLine;
        int nDecoration;  // 1 underline, 2 strikethrough
        int nMinThickness;
    };
    const DecorationCase cases[] = {
        { L"<TextBlock FontFamily='Tahoma' FontSize='40'><Underline Foreground='Blue'><Run Foreground='Red' "
          L"Text='Hj    Hj'/></Underline></TextBlock>",
          RGB(0, 0, 255), 1, 2 },
        { L"<TextBlock FontFamily='Tahoma' FontSize='11' Foreground='Lime'><Run Text='Hj    Hj' "
          L"TextDecorations='Underline'/></TextBlock>",
          RGB(0, 255, 0), 1, 1 },
        { L"<TextBlock FontFamily='Tahoma' FontSize='40' TextDecorations='Strikethrough' Foreground='Blue'><Run "
          L"Text='Hj    Hj' Foreground='Red'/></TextBlock>",
          RGB(0, 0, 255), 2, 2 },
    };
    for (const DecorationCase& c : cases) {
        SCOPED_TRACE(Narrow(c.lpszPage));
        m_dib.Fill(RGB(255, 255, 255));
        CRef<CZPMarkupTextBlock> block(Build(c.lpszPage, NULL, 400));
        ASSERT_TRUE(block != NULL);
        Render(block);
        const CLine* pLine = block->GetFirstLine();
        const CLinePart* pPart = pLine->m_pFirstPart;
        const int nThickness = std::max(1, pLine->m_nDescent / 3);
        const int nBottom = pPart->y + pPart->dy + pPart->m_nHeight;
        const int nTop = c.nDecoration == 1 ? nBottom - pPart->m_nDescent + nThickness
                                            : nBottom - pPart->m_nDescent + pLine->m_nDescent -
                                                  (pLine->m_nHeight - pLine->m_nDescent) / 2;
        // Between the words: only the line's rows carry its colour.
        const int x = pPart->x + pPart->dx + CFontMeasure(FirstFont(block)).Width(L"Hj  ");
        std::vector<int> expected;
        for (int y = nTop; y < nTop + nThickness; y++)
            expected.push_back(y);
        EXPECT_EQ(expected, RowsOf(m_dib, x, c.clrLine));
        EXPECT_GE(nThickness, c.nMinThickness);
    }
}

TEST_F(MarkupTextBlock, BackgroundsAndTextColoursFillTheirOwnAreas)
{
    m_dib.Fill(RGB(255, 255, 255));
    CRef<CZPMarkupTextBlock> block(Build(L"<TextBlock FontFamily='Tahoma' FontSize='20' Background='Yellow' "
                                         L"Padding='10'><Run Text='ab'/><Run Text='cd' Background='Lime' "
                                         L"Foreground='Red'/></TextBlock>",
                                         NULL, 300));
    ASSERT_TRUE(block != NULL);
    Render(block);
    const CLinePart* pFirst = block->GetFirstLine()->m_pFirstPart;
    const CLinePart* pSecond = pFirst->m_pNextPart;
    ASSERT_TRUE(pSecond != NULL);
    EXPECT_EQ(RGB(255, 255, 0), m_dib.GetPixel(1, 1));
    const SIZE szRender = block->GetRenderSize();
    EXPECT_EQ(RGB(255, 255, 0), m_dib.GetPixel(szRender.cx - 1, szRender.cy - 1));
    EXPECT_EQ(RGB(255, 255, 255), m_dib.GetPixel(szRender.cx, szRender.cy));
    // Count the colours inside each part: the first has the default black text on yellow, the
    // second red text on lime and no yellow.
    auto count = [this](const CLinePart* p, COLORREF clr) {
        int n = 0;
        for (int y = p->y + p->dy; y < p->y + p->dy + p->m_nHeight; y++)
            for (int x = p->x + p->dx; x < p->x + p->dx + p->m_nWidth; x++)
                n += m_dib.GetPixel(x, y) == clr ? 1 : 0;
        return n;
    };
    EXPECT_GT(count(pFirst, RGB(0, 0, 0)), 0);
    EXPECT_EQ(0, count(pFirst, RGB(255, 0, 0)));
    EXPECT_GT(count(pSecond, RGB(255, 0, 0)), 0);
    EXPECT_GT(count(pSecond, RGB(0, 255, 0)), 0);
    EXPECT_EQ(0, count(pSecond, RGB(255, 255, 0)));
    EXPECT_EQ(0, count(pSecond, RGB(0, 0, 0)));
}

// Appends the class of the element whose handler ran.
struct CSenderLog : CZPMarkupDelegate
{
    std::vector<std::wstring>* pLog;
    void Execute(CZPMarkupObject* pSender, MarkupRoutedEventArgs*) override
    {
        pLog->push_back(pSender->GetType()->GetClassName());
    }
};

TEST_F(MarkupTextBlock, HitsGoToTheRunUnderThePointAndBubbleThroughItsSpansToTheBlock)
{
    // The host's messages go to the context directly.
    const HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 100, NULL, NULL, NULL, NULL);
    m_pContext->SetHostWindow(hWnd);
    {
        CRef<CZPMarkupTextBlock> block(Build(L"<TextBlock FontFamily='Tahoma' FontSize='20' Padding='5'>"
                                             L"<Run Text='one '/><Span><Bold>two</Bold></Span></TextBlock>",
                                             NULL, 300));
        ASSERT_TRUE(block != NULL);
        const CLinePart* pOne = block->GetFirstLine()->m_pFirstPart;
        const CLinePart* pTwo = pOne->m_pNextPart;
        ASSERT_TRUE(pTwo != NULL);
        struct HitCase
        {
            POINT pt;
            CZPMarkupInputElement* pExpected;
        };
        const int y = pOne->y + pOne->dy + 3;
        const HitCase hits[] = {
            { { pOne->x + pOne->dx, y }, pOne->m_pInline },
            { { pOne->x + pOne->dx + pOne->m_nWidth - 1, y }, pOne->m_pInline },
            { { pTwo->x + pTwo->dx, y }, pTwo->m_pInline },
            { { 1, 1 }, block },  // in the padding
            { { pTwo->x + pTwo->dx + pTwo->m_nWidth, y }, block },
            { { 299, 1 }, block },
            { { 300, 1 }, NULL },  // outside the block
        };
        for (const HitCase& c : hits) {
            SCOPED_TRACE(std::to_string(c.pt.x) + "," + std::to_string(c.pt.y));
            EXPECT_EQ(c.pExpected, block->InputHitTest(c.pt.x, c.pt.y));
        }

        CZPMarkupInputElement* pRun = pTwo->m_pInline;
        CZPMarkupInputElement* pBold =
            static_cast<CZPMarkupInputElement*>(pRun->GetLogicalParent()->GetLogicalParent());
        CZPMarkupInputElement* pSpan =
            static_cast<CZPMarkupInputElement*>(pBold->GetLogicalParent()->GetLogicalParent());
        std::vector<std::wstring> log;
        for (CZPMarkupInputElement* pElement : { pRun, pBold, pSpan, static_cast<CZPMarkupInputElement*>(block) }) {
            CSenderLog* pHandler = new CSenderLog;
            pHandler->pLog = &log;
            pElement->AddHandler(CZPMarkupInputElement::m_pMouseLeftButtonDownEvent, pHandler);
        }
        struct PressCase
        {
            const CLinePart* pPart;
            const wchar_t* lpszLog;
        };
        const PressCase presses[] = {
            { pTwo, L"CZPMarkupRun CZPMarkupBold CZPMarkupSpan CZPMarkupTextBlock" },
            { pOne, L"CZPMarkupTextBlock" },
        };
        for (const PressCase& c : presses) {
            log.clear();
            const int x = c.pPart->x + c.pPart->dx + c.pPart->m_nWidth / 2;
            for (UINT message : { WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP })
                m_pContext->HandleMessage(block, message, 0, MAKELPARAM(x, y), NULL);
            std::wstring strLog;
            for (const std::wstring& strClass : log)
                strLog += (strLog.empty() ? L"" : L" ") + strClass;
            EXPECT_EQ(c.lpszLog, strLog);
        }
    }
    ::DestroyWindow(hWnd);
}

TEST_F(MarkupTextBlock, LinesAreKeptUntilTheWidthOrTheTextChanges)
{
    CRef<CZPMarkupTextBlock> block(Build(std::wstring(L"<TextBlock ") + kFont + L"/>", L"aa bb cc", 100));
    ASSERT_TRUE(block != NULL);
    const CLine* pLine = block->GetFirstLine();
    // Without wrapping or trimming the width does not matter.
    Layout(block, 30);
    EXPECT_EQ(pLine, block->GetFirstLine());
    block->SetValue(CZPMarkupTextBlock::m_pTextWrappingProperty, CZPMarkupEnum::CreateValue(1));
    Layout(block, 30);
    EXPECT_EQ(L"aa|bb|cc", Lines(block));
    pLine = block->GetFirstLine();
    Layout(block, 30);
    EXPECT_EQ(pLine, block->GetFirstLine());
    // Justifying keeps the words of a line apart, so it builds the lines anew.
    block->SetValue(CZPMarkupTextBlock::m_pTextProperty, new CZPMarkupString(L"aa bb cc dd ee"));
    CFontMeasure font(FirstFont(block));
    const int nWidth = font.Width(L"aa bb cc") + 3;
    Layout(block, nWidth);
    EXPECT_EQ(1, PartCount(block->GetFirstLine()));
    block->SetValue(CZPMarkupTextBlock::m_pTextAlignmentProperty, CZPMarkupEnum::CreateValue(3));
    EXPECT_EQ(3, PartCount(block->GetFirstLine()));
    const CLinePart* pLast = block->GetFirstLine()->m_pLastPart;
    EXPECT_EQ(nWidth, pLast->x + pLast->dx + pLast->m_nWidth);
    block->SetValue(CZPMarkupTextBlock::m_pTextAlignmentProperty, CZPMarkupEnum::CreateValue(1));
    EXPECT_EQ(1, PartCount(block->GetFirstLine()));
    block->SetValue(CZPMarkupTextBlock::m_pTextProperty, new CZPMarkupString(L"dd"));
    EXPECT_EQ(L"dd", Lines(block));
    Layout(block, 1000);
    EXPECT_EQ(L"dd", Lines(block));
    // Widths measured in earlier layouts are not kept across a change of font.
    block->SetValue(CZPMarkupTextElement::m_pFontSizeProperty, new CZPMarkupInt(40));
    EXPECT_EQ(CFontMeasure(FirstFont(block)).Width(L"dd"), block->GetFirstLine()->m_nWidth);
    EXPECT_GT(block->GetFirstLine()->m_nWidth, font.Width(L"dd"));
}

TEST_F(MarkupTextBlock, BadInputEndsWithThePartsResults)
{
    // 10,000 line feeds: one line each, and one more after the last.
    {
        const std::wstring strFeeds(10000, L'\n');
        CRef<CZPMarkupTextBlock> block(Build(std::wstring(L"<TextBlock ") + kFont + L"/>", strFeeds.c_str(), 100));
        ASSERT_TRUE(block != NULL);
        CFontMeasure font(FirstFont(block));
        EXPECT_EQ(10001, block->GetLineCount());
        EXPECT_EQ(10001 * font.Height(), block->GetDesiredSize().cy);
        EXPECT_EQ(0, block->GetDesiredSize().cx);
        Render(block);
    }
    // A 1 MB run of words, without and with wrapping; a 1 MB word with "Wrap".
    std::wstring strWords;
    while (strWords.size() < 1024 * 1024)
        strWords += L"lorem ipsum dolor sit amet ";
    strWords.pop_back();  // a blank at the very end would be dropped without a line of its own
    const std::wstring strWord(1024 * 1024, L'm');
    struct BigCase
    {
        const wchar_t* lpszWrapping;
        const std::wstring* pText;
    };
    const BigCase cases[] = { { L"NoWrap", &strWords },
                              { L"NoWrap' TextTrimming='CharacterEllipsis", &strWords },
                              { L"Wrap", &strWords },
                              { L"Wrap", &strWord } };
    for (const BigCase& c : cases) {
        SCOPED_TRACE(Narrow(c.lpszWrapping) + " " + std::to_string(c.pText->size()));
        CRef<CZPMarkupTextBlock> block(
            Build(std::wstring(L"<TextBlock ") + kFont + L" TextWrapping='" + c.lpszWrapping + L"'/>", c.pText->c_str(),
                  397));
        ASSERT_TRUE(block != NULL);
        CFontMeasure font(FirstFont(block));
        size_t nCharacters = 0;
        for (const CLine* pLine : LineList(block)) {
            for (const CLinePart* pPart = pLine->m_pFirstPart; pPart != NULL; pPart = pPart->m_pNextPart)
                nCharacters += pPart->m_nEnd - pPart->m_nStart;
            if (c.lpszWrapping[0] == L'W') {
                ASSERT_LE(pLine->m_nWidth, 397);
            }
        }
        if (std::wstring(c.lpszWrapping).find(L"Ellipsis") != std::wstring::npos) {
            ASSERT_EQ(1, block->GetLineCount());
            const std::wstring strLine = LineText(block->GetFirstLine());
            EXPECT_EQ(strWords.substr(0, strLine.size() - 3) + L"...", strLine);
            EXPECT_LE(block->GetFirstLine()->m_nWidth, 397);
            EXPECT_GT(block->GetFirstLine()->m_nWidth + font.Width(L"m"), 397);
        } else if (c.lpszWrapping[0] == L'N') {
            EXPECT_EQ(1, block->GetLineCount());
            EXPECT_EQ(c.pText->size(), nCharacters);
            EXPECT_EQ(font.Width(*c.pText), block->GetContentSize().cx);
        } else if (c.pText == &strWord) {
            EXPECT_EQ(c.pText->size(), nCharacters);
            const int nPerLine = 397 / font.Width(L"m");
            EXPECT_EQ((static_cast<int>(c.pText->size()) + nPerLine - 1) / nPerLine, block->GetLineCount());
        } else {
            // Only the blanks at the starts of lines are dropped.
            EXPECT_EQ(c.pText->size(), nCharacters + block->GetLineCount() - 1);
        }
        Render(block);
    }
}

TEST_F(MarkupTextBlock, SizesOutOfRangeStayUsable)
{
    struct RangeCase
    {
        const wchar_t* lpszAttributes;
        int nMinHeight, nMaxHeight;  // of the one line
        const wchar_t* lpszLines;
    };
    const RangeCase cases[] = {
        // Font sizes are kept within 1 to kZpMarkupMaxFontSize pixels.
        { L"FontSize='0'", 1, 8, L"ab" },
        { L"FontSize='-40'", 1, 8, L"ab" },
        { L"FontSize='100000'", kZpMarkupMaxFontSize, 2 * kZpMarkupMaxFontSize, L"ab" },
        // Paddings wider than the box leave no room: one character per line; negative ones add room.
        { L"FontSize='16' Padding='300,0,300,0' TextWrapping='Wrap'", 10, 40, L"a|b" },
        { L"FontSize='16' Padding='-50' TextWrapping='Wrap'", 10, 40, L"ab" },
    };
    for (const RangeCase& c : cases) {
        const std::wstring strPage = std::wstring(L"<TextBlock FontFamily='Tahoma' ") + c.lpszAttributes + L"/>";
        SCOPED_TRACE(Narrow(strPage));
        m_dib.Fill(RGB(255, 255, 255));
        CRef<CZPMarkupTextBlock> block(Build(strPage, L"ab", 400));
        ASSERT_TRUE(block != NULL);
        EXPECT_EQ(c.lpszLines, Lines(block));
        const CLine* pLine = block->GetFirstLine();
        EXPECT_GE(pLine->m_nHeight, c.nMinHeight);
        EXPECT_LT(pLine->m_nHeight, c.nMaxHeight);
        EXPECT_GE(block->GetDesiredSize().cx, 0);
        EXPECT_GE(block->GetDesiredSize().cy, 0);
        Render(block);
    }
}

TEST_F(MarkupTextBlock, DeeplyNestedSpansLayOutDrawAndGo)
{
    // Spans nested in code (markup stops at the builder's depth).
    CRef<CZPMarkupTextBlock> block(Build(std::wstring(L"<TextBlock ") + kFont + L"/>", NULL, 100));
    ASSERT_TRUE(block != NULL);
    CZPMarkupInlineCollection* pInlines = block->GetInlines();
    for (int i = 0; i <= 100000; i++) {
        CZPMarkupSpan* pSpan =
            static_cast<CZPMarkupSpan*>(m_pContext->CreateMarkupObject(CZPMarkupSpan::GetClassType()));
        pInlines->Add(pSpan);
        pInlines = pSpan->GetInlines();
    }
    CZPMarkupRun* pRun = static_cast<CZPMarkupRun*>(m_pContext->CreateMarkupObject(CZPMarkupRun::GetClassType()));
    pRun->SetText(L"deep");
    pInlines->Add(pRun);
    block->InvalidateMeasure();
    Layout(block, 100);
    EXPECT_EQ(L"deep", Lines(block));
    Render(block);
    const CLinePart* pPart = block->GetFirstLine()->m_pFirstPart;
    EXPECT_EQ(static_cast<CZPMarkupInputElement*>(pRun), block->InputHitTest(pPart->x + 1, pPart->y + 1));
}
}  // namespace
