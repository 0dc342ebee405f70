// Time of the markup tokenizer alone over a 1 MB page of typical start-page markup, beside a
// plain scanning loop over the same characters. Usage: markup_parser_bench [runs]
#include "BenchClock.h"
#include "markup/ZPMarkupParser.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace
{
const size_t kPageCharacters = 1000000;

// Panels of text blocks with attributes, runs, hyperlinks, references and comments, about one
// token per nine characters like the builder's own test page.
std::wstring MakePage()
{
    std::wstring page = L"<?xml version='1.0' encoding='utf-8'?>\r\n<Page xmlns='x' xmlns:x='y'>\r\n<StackPanel>\r\n";
    for (int i = 0; page.size() < kPageCharacters; i++)
    {
        page += L"  <!-- section " + std::to_wstring(i) +
                L": one recent file, a hyperlink with a tooltip; the editor view handles its Click event -->\r\n";
        page += L"  <Border Margin='4, 2, 4, 2' Padding='6' Background='#FFEEF3FA' CornerRadius='3'\r\n"
                L"          ToolTip='The recent property-list files of this machine: pick one to open it in the editor; "
                L"a file that has gone since is taken off the list when it fails to open.'>\r\n";
        page += L"    <TextBlock TextWrapping='Wrap' FontSize='9pt' Foreground='{StaticResource Text}'>\r\n";
        page += L"      Open a <Bold>property list</Bold> from the File menu &amp; edit it as XML text, or pick\r\n";
        page += L"      <Hyperlink Click='OnRecent' ToolTip='Recent file " + std::to_wstring(i) + L"'>recent file " +
                std::to_wstring(i) + L"</Hyperlink> from the list below &#8212; it opens at once.\r\n";
        page += L"    </TextBlock>\r\n  </Border>\r\n";
    }
    page += L"</StackPanel>\r\n</Page>\r\n";
    return page;
}
}

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? atoi(argv[1]) : 50;
    const std::wstring page = MakePage();
    const LPCWSTR pBegin = page.data(), pEnd = page.data() + page.size();

    double dBestParse = 1e9, dBestScan = 1e9;
    long nTokens = 0, nAngles = 0;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        double t0 = BenchNowMs();
        CZPMarkupParser parser;
        parser.SetBuffer(pBegin, pEnd);
        long n = 0;
        for (int nToken; (nToken = parser.GetNextToken()) > 0;)
            n++;
        const double dParse = BenchNowMs() - t0;
        if (dParse < dBestParse)
            dBestParse = dParse;
        nTokens = n;

        // The floor: one pass that only looks at every character.
        t0 = BenchNowMs();
        long nLess = 0;
        for (LPCWSTR p = pBegin; p < pEnd; p++)
            nLess += *p == L'<';
        const double dScan = BenchNowMs() - t0;
        if (dScan < dBestScan)
            dBestScan = dScan;
        nAngles = nLess;
    }
    printf("page: %lu characters, %ld tokens (%ld tags)\n", static_cast<unsigned long>(page.size()), nTokens, nAngles);
    printf("tokenizer: %.2f ms  (best of %d)\n", dBestParse, nRuns);
    printf("plain scanning loop: %.2f ms\n", dBestScan);
    return 0;
}
