// A scroll viewer over a 500-row grid of 3,000 elements of every kind (row borders, icons,
// check boxes, text blocks with bold and italic runs, rectangles and ellipses),
// drawn into a 1920x1080 DIB section: first layout and draw, relayout and draw after a width
// change, and one wheel notch or thumb-drag step with its redraw.
// Usage: markup_scroll_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"
#include "common/ZPImageManager.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupScrollBar.h"
#include "markup/ZPMarkupScrollViewer.h"

#include "../tests/toolkit/common/DibSection.h"

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {
const int g_cx = 1920, g_cy = 1080;
const int g_nRows = 500;
const UINT g_nIconCommand = 1;

// One grid row: a background border across all columns, then one element per column.
std::wstring BuildPage(int* pnElements)
{
    std::wstring str = L"<ScrollViewer><Grid><Grid.ColumnDefinitions><ColumnDefinition Width='24'/>"
                       L"<ColumnDefinition Width='Auto'/><ColumnDefinition Width='*'/>"
                       L"<ColumnDefinition Width='40'/><ColumnDefinition Width='20'/>"
                       L"</Grid.ColumnDefinitions><Grid.RowDefinitions>";
    for (int r = 0; r < g_nRows; r++)
        str += L"<RowDefinition Height='Auto'/>";
    str += L"</Grid.RowDefinitions>";
    int nElements = 2;
    for (int r = 0; r < g_nRows; r++) {
        const std::wstring row = L" Grid.Row='" + std::to_wstring(r) + L"'";
        str += L"<Border" + row + L" Grid.ColumnSpan='5' Background='" + (r % 2 ? L"#F0F4FF" : L"#FFFFFF") +
               L"' BorderBrush='#C0C8D8' BorderThickness='0,0,0,1'/>";
        str += L"<Image" + row + L" Source='1' Margin='4,2,4,2'/>";
        str += L"<CheckBox" + row + L" Grid.Column='1' Margin='2' IsChecked='" + (r % 3 ? L"True" : L"False") + L"'/>";
        str += L"<Rectangle" + row +
               L" Grid.Column='3' Width='30' Height='10' RadiusX='3' RadiusY='3' "
               L"Fill='#4080C0' Stroke='#204060' StrokeThickness='1'/>";
        str += L"<Ellipse" + row + L" Grid.Column='4' Width='12' Height='12' Fill='#E08040'/>";
        str += L"<TextBlock" + row + L" Grid.Column='2' Margin='4,2,4,2'>Row " + std::to_wstring(r) + L": <Bold>item " +
               std::to_wstring(r * 7) + L"</Bold> of the list, <Italic>shown</Italic> in a grid</TextBlock>";
        nElements += 6;
    }
    str += L"</Grid></ScrollViewer>";
    *pnElements = nElements;
    return str;
}

// A 16-pixel icon for the Image elements, in the context's own manager.
void AddIcon(CZPMarkupContext* pContext)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 16;
    bmi.bmiHeader.biHeight = -16;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0));
    DWORD* pPixels = static_cast<DWORD*>(pBits);
    for (int i = 0; i < 16 * 16; i++)
        pPixels[i] = ((i / 16 + i % 16) % 4 == 0) ? 0xFF2060C0 : 0xFFE0E8F0;
    CZPImageManager* pManager = new CZPImageManager;
    pManager->SetIcons(&bitmap, &g_nIconCommand, 1, 16, 16, 0, TRUE);
    pContext->SetImageManager(pManager);
    pManager->InternalRelease();
}

void Draw(CZPMarkupScrollViewer* pViewer, const CDibSection& dib)
{
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    pViewer->Render(&dc);
    ::GdiFlush();
}

void Layout(CZPMarkupScrollViewer* pViewer, const CDibSection& dib, int cx)
{
    CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
    pViewer->Measure(&dc, cx, g_cy);
    pViewer->Arrange(RECT{ 0, 0, cx, g_cy });
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    CZPMarkupContext* pContext = new CZPMarkupContext;
    AddIcon(pContext);
    int nElements = 0;
    const std::wstring strPage = BuildPage(&nElements);
    CDibSection dib(g_cx, g_cy, RGB(255, 255, 255));
    const int kVertical = CZPMarkupScrollViewer::orientationVertical;

    CBenchTiming first = { "first layout and draw", 50, {} };
    CBenchTiming relayout = { "relayout and draw after a width change", 33, {} };
    CBenchTiming wheel = { "wheel notch and redraw", 16, {} };
    CBenchTiming thumb = { "thumb-drag step and redraw", 16, {} };
    // Parts of the figures above.
    CBenchTiming bar = { "of which one vertical bar, themed", 0, {} };
    CBenchTiming classicBar = { "the same bar, classic", 0, {} };
    for (int i = 0; i < nRounds; i++) {
        // A fresh tree each round: the first layout measures everything.
        CZPMarkupScrollViewer* pViewer = ZpMarkupCast<CZPMarkupScrollViewer>(pContext->Parse(strPage.c_str()));
        if (pViewer == NULL) {
            printf("the page did not build\n");
            return 1;
        }
        double t = BenchNowMs();
        Layout(pViewer, dib, g_cx);
        Draw(pViewer, dib);
        first.samples.push_back(BenchNowMs() - t);

        t = BenchNowMs();
        Layout(pViewer, dib, g_cx - 40);
        Draw(pViewer, dib);
        relayout.samples.push_back(BenchNowMs() - t);

        // Wheel notches and thumb steps from the middle of the content, each with its redraw.
        pViewer->SetOffset(kVertical, pViewer->GetScrollLimit(kVertical) / 2);
        for (int n = 0; n < 5; n++) {
            MarkupMouseWheelEventArgs args = {};
            args.nDelta = -WHEEL_DELTA;
            t = BenchNowMs();
            pViewer->OnMouseWheel(&args);
            Draw(pViewer, dib);
            wheel.samples.push_back(BenchNowMs() - t);

            t = BenchNowMs();
            pViewer->Scroll(kVertical, SB_THUMBTRACK, pViewer->GetOffset(kVertical) + 37);
            Draw(pViewer, dib);
            thumb.samples.push_back(BenchNowMs() - t);
        }
        for (BOOL bClassic : { FALSE, TRUE }) {
            CZPMarkupScrollBar::ForceClassicLook(bClassic);
            CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
            t = BenchNowMs();
            pViewer->GetVerticalScrollBar()->Render(&dc);
            ::GdiFlush();
            (bClassic ? classicBar : bar).samples.push_back(BenchNowMs() - t);
        }
        CZPMarkupScrollBar::ForceClassicLook(FALSE);
        pViewer->Release();
    }

    printf("markup scroll viewer, %d rows, %d elements, %dx%d DIB section, %d rounds (median)\n", g_nRows, nElements,
           g_cx, g_cy, nRounds);
    BenchPrint({ &first, &relayout, &wheel, &thumb, &bar, &classicBar }, 42);
    pContext->Release();
    return 0;
}
