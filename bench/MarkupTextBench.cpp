// Text block layout: 2,000 words in 40 paragraphs wrapped at 800 px, then re-measured at 760 px
// (one frame of a live resize), and one 100,000-character word cut by "Wrap"; with the raw GDI
// extents of the same text as the floor. Usage: markup_text_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupTextBlock.h"
#include "markup/ZPMarkupValues.h"

#include "../tests/toolkit/common/DibSection.h"

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {
const int g_nParagraphs = 40, g_nWordsPerParagraph = 50;
const int g_nLongWord = 100000;

std::wstring MakeParagraphs()
{
    std::wstring strText;
    unsigned nSeed = 12345;
    for (int p = 0; p < g_nParagraphs; p++) {
        if (p > 0)
            strText += L'\n';
        for (int w = 0; w < g_nWordsPerParagraph; w++) {
            if (w > 0)
                strText += L' ';
            nSeed = nSeed * 1103515245 + 12345;
            const int nLength = 2 + static_cast<int>((nSeed >> 16) % 9);
            for (int i = 0; i < nLength; i++)
                strText += static_cast<wchar_t>(L'a' + (nSeed >> (i + 3)) % 26);
        }
    }
    return strText;
}

CZPMarkupTextBlock* MakeBlock(CZPMarkupContext* pContext, const std::wstring& strText)
{
    CZPMarkupTextBlock* pBlock =
        static_cast<CZPMarkupTextBlock*>(pContext->CreateMarkupObject(CZPMarkupTextBlock::GetClassType()));
    pBlock->SetValue(CZPMarkupTextBlock::m_pTextWrappingProperty, CZPMarkupEnum::CreateValue(1));
    pBlock->SetValue(CZPMarkupTextBlock::m_pTextProperty, new CZPMarkupString(strText.c_str()));
    return pBlock;
}

void Layout(CZPMarkupTextBlock* pBlock, CZPMarkupDrawingContext* pContext, int nWidth)
{
    pBlock->Measure(pContext, nWidth, kZpMarkupInfinite);
    pBlock->Arrange(RECT{ 0, 0, nWidth, pBlock->GetDesiredSize().cy });
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CDibSection dib(1024, 768, RGB(255, 255, 255));
    const std::wstring strParagraphs = MakeParagraphs();
    const std::wstring strLongWord(g_nLongWord, L'w');

    CBenchTiming first = { "2,000 words, Wrap at 800 px", 16, {} };
    CBenchTiming again = { "the same re-measured at 760 px", 16, {} };
    CBenchTiming word = { "100,000-character word, Wrap at 800 px", 50, {} };
    // The same text measured by GDI alone: one extent per word, and one call over the long word.
    CBenchTiming rawWords = { "raw GDI: 2,000 word extents", 0, {} };
    CBenchTiming rawWordsEx = { "raw GDI: the same with prefix widths", 0, {} };
    CBenchTiming rawWord = { "raw GDI: one 100,000-character extent", 0, {} };
    int nLines = 0, nWordLines = 0;
    for (int i = 0; i < nRounds; i++) {
        CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
        CZPMarkupTextBlock* pBlock = MakeBlock(pContext, strParagraphs);
        double t = BenchNowMs();
        Layout(pBlock, &dc, 800);
        first.samples.push_back(BenchNowMs() - t);
        t = BenchNowMs();
        Layout(pBlock, &dc, 760);
        again.samples.push_back(BenchNowMs() - t);
        nLines = pBlock->GetLineCount();
        pBlock->Release();

        pBlock = MakeBlock(pContext, strLongWord);
        t = BenchNowMs();
        Layout(pBlock, &dc, 800);
        word.samples.push_back(BenchNowMs() - t);
        nWordLines = pBlock->GetLineCount();
        pBlock->Release();

        const HDC hDC = dib.GetDC();
        const HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE sz;
        t = BenchNowMs();
        size_t nStart = 0;
        while (nStart < strParagraphs.size()) {
            size_t nEnd = strParagraphs.find_first_of(L" \n", nStart);
            if (nEnd == std::wstring::npos)
                nEnd = strParagraphs.size();
            ::GetTextExtentPoint32W(hDC, strParagraphs.c_str() + nStart, static_cast<int>(nEnd - nStart), &sz);
            nStart = nEnd + 1;
        }
        rawWords.samples.push_back(BenchNowMs() - t);
        t = BenchNowMs();
        nStart = 0;
        int widths[64];
        while (nStart < strParagraphs.size()) {
            size_t nEnd = strParagraphs.find_first_of(L" \n", nStart);
            if (nEnd == std::wstring::npos)
                nEnd = strParagraphs.size();
            ::GetTextExtentExPointW(hDC, strParagraphs.c_str() + nStart, static_cast<int>(nEnd - nStart), 0, NULL,
                                    widths, &sz);
            nStart = nEnd + 1;
        }
        rawWordsEx.samples.push_back(BenchNowMs() - t);
        t = BenchNowMs();
        ::GetTextExtentPoint32W(hDC, strLongWord.c_str(), g_nLongWord, &sz);
        rawWord.samples.push_back(BenchNowMs() - t);
        ::SelectObject(hDC, hOld);
    }

    printf("markup text block, %d rounds (median): %d lines of paragraphs at 760 px, %d lines of the long word\n",
           nRounds, nLines, nWordLines);
    BenchPrint({ &first, &again, &word, &rawWords, &rawWordsEx, &rawWord }, 42);
    pContext->Release();
    return 0;
}
