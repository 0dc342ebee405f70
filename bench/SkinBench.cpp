// The skin manager against Wine's own visual styles on the same light.msstyles: a cached colour
// query beside GetThemeColor, a nine-grid button frame beside DrawThemeBackground, and reading
// scheme texts of two sizes. Prints one ratio a line. Usage: skin_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "skinframework/ZPSkinImage.h"
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerClass.h"
#include "skinframework/ZPSkinManagerResourceFile.h"
#include "skinframework/ZPSkinManagerSchema.h"

#include "../tests/toolkit/common/DibSection.h"

#include <framework/refptr.h>

#include <uxtheme.h>

#include <functional>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {

const LPCWSTR kLightStyles = L"C:\\windows\\resources\\themes\\light\\light.msstyles";
const int kPushButton = 1, kNormal = 1, kTextColor = 3803, kImageCount = 2401;
const int kColorQueries = 200000;
const int kDraws = 400;
const int kSmallLines = 25000;

// Serves a generated scheme of n property lines.
class CGeneratedScheme : public CZPSkinManagerResourceFile
{
public:
    CGeneratedScheme(CZPSkinManager* pManager, int nLines) : CZPSkinManagerResourceFile(pManager)
    {
        const LPCWSTR parts[] = { L"Caption", L"FrameLeft", L"MinButton", L"CloseButton" };
        for (int i = 0; i < nLines; ++i) {
            CString strLine;
            if (i % 50 == 0)
                strLine.Format(L"[Window.%s]", parts[(i / 50) % 4]);
            else
                strLine.Format(L"FromColor%d = %d %d %d", i % 5 + 1, i % 256, (i / 7) % 256, 7);
            m_lines.push_back(strLine);
        }
    }
    BOOL ReadLine(CString& strLine) override
    {
        if (m_nNext >= m_lines.size())
            return FALSE;
        strLine = m_lines[m_nNext++];
        return TRUE;
    }
    void Rewind() { m_nNext = 0; }

private:
    std::vector<CString> m_lines;
    size_t m_nNext = 0;
};

// Median milliseconds of one call of f over the rounds.
double Median(int nRounds, const std::function<void()>& f)
{
    std::vector<double> samples;
    for (int i = 0; i < nRounds; ++i) {
        double dStart = BenchNowMs();
        f();
        samples.push_back(BenchNowMs() - dStart);
    }
    return BenchMedian(samples);
}

void PrintRatio(const char* pszName, double dOurs, double dPeer, const char* pszPeer, double dGoal)
{
    printf("%-44s %9.4f ms, %s %9.4f ms, ratio %.2fx (goal <= %gx)\n", pszName, dOurs, pszPeer, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, dGoal);
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 9;
    CZPSkinManager manager;
    if (!manager.SelectSkin(kLightStyles, L"Blue.ini")) {
        fprintf(stderr, "light.msstyles with Blue.ini did not load\n");
        return 1;
    }
    HTHEME hTheme = ::OpenThemeData(NULL, L"BUTTON");
    if (hTheme == NULL) {
        fprintf(stderr, "no visual style for BUTTON\n");
        return 1;
    }
    CZPSkinManagerClass* pButton = manager.GetSkinClass(NULL, L"BUTTON");

    volatile COLORREF clrSink = 0;
    pButton->GetThemeColor(kPushButton, kNormal, kTextColor, 0);
    double dOurColor = Median(nRounds, [&] {
        for (int i = 0; i < kColorQueries; ++i)
            clrSink = pButton->GetThemeColor(kPushButton, kNormal, kTextColor, 0);
    });
    double dPeerColor = Median(nRounds, [&] {
        COLORREF clr = 0;
        for (int i = 0; i < kColorQueries; ++i) {
            ::GetThemeColor(hTheme, kPushButton, kNormal, kTextColor, &clr);
            clrSink = clr;
        }
    });
    PrintRatio("cached colour query x200000", dOurColor, dPeerColor, "GetThemeColor", 2);

    CZPSkinImage* pImage = pButton->GetImages()->GetImage(manager.GetResourceFile(), L"BLUE\\BUTTON.BMP");
    if (pImage == NULL) {
        fprintf(stderr, "BLUE_BUTTON_BMP did not load\n");
        return 1;
    }
    int nCount = pButton->GetThemeInt(kPushButton, kNormal, kImageCount, 1);
    if (nCount < 1)
        nCount = 1;
    const CRect rcFrame(0, 0, pImage->GetWidth(), pImage->GetHeight() / nCount);
    const CRect rcMargins(8, 8, 8, 8);
    pImage->CreateSolidRects(nCount, FALSE, CRect(8, 8, 8, 8));
    for (const SIZE& size : { SIZE{ 75, 23 }, SIZE{ 400, 300 } }) {
        CDibSection dib(size.cx, size.cy);
        CDC dc(dib.GetDC());
        const CRect rcDest(0, 0, size.cx, size.cy);
        double dOurs = Median(nRounds, [&] {
            for (int i = 0; i < kDraws; ++i)
                pImage->DrawImage(&dc, rcDest, rcFrame, rcMargins, static_cast<COLORREF>(-1), 1, FALSE);
            ::GdiFlush();
        });
        double dPeer = Median(nRounds, [&] {
            for (int i = 0; i < kDraws; ++i)
                ::DrawThemeBackground(hTheme, dib.GetDC(), kPushButton, kNormal, &rcDest, NULL);
            ::GdiFlush();
        });
        char szName[64];
        snprintf(szName, sizeof(szName), "button frame 0 at %ldx%ld x%d", size.cx, size.cy, kDraws);
        PrintRatio(szName, dOurs, dPeer, "DrawThemeBackground", 1.5);
    }
    ::CloseThemeData(hTheme);

    // Per-line cost of a scheme four times the size against the smaller one.
    double dPerLine[2] = {};
    for (int n = 0; n < 2; ++n) {
        const int nLines = kSmallLines * (n == 0 ? 1 : 4);
        CRefPtr<CGeneratedScheme> file = CRefPtr<CGeneratedScheme>::Adopt(new CGeneratedScheme(&manager, nLines));
        CRefPtr<CZPSkinManagerSchema> schema = CRefPtr<CZPSkinManagerSchema>::Adopt(file->CreateSchema());
        dPerLine[n] = Median(nRounds,
                             [&] {
                                 file->Rewind();
                                 schema->ReadProperties();
                             }) /
                      nLines;
    }
    printf("%-44s %9.6f ms, %d lines %9.6f ms, ratio %.2fx (goal <= 1.5x)\n", "scheme reading per line, 100000 lines",
           dPerLine[1], kSmallLines, dPerLine[0], dPerLine[0] > 0 ? dPerLine[1] / dPerLine[0] : 0.0);
    return 0;
}
