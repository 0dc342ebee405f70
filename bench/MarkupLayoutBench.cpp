// Layout and rendering of 2,000 elements in nested panels into a 1920x1080 DIB section, each
// element one opaque fill and one text line: Measure+Arrange, relayout after a width change,
// a full render and a repaint clipped to one element. Usage: markup_layout_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupVisual.h"

#include "../tests/toolkit/common/DibSection.h"

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {
const int g_cx = 1920, g_cy = 1080;
const int g_nColumns = 40, g_nGroups = 2, g_nRows = 25;  // 2,000 lines

// Bench-local stand-ins for the panels and text of later layers.
class CBenchStack : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    ~CBenchStack() override
    {
        for (CZPMarkupFrameworkElement* pChild : m_children)
            pChild->Release();
    }
    int GetVisualChildrenCount() const override { return static_cast<int>(m_children.size()); }
    CZPMarkupVisual* GetVisualChild(int nIndex) const override { return m_children[nIndex]; }
    // Horizontal stacks give each child an equal column; vertical ones stack desired heights.
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override
    {
        SIZE sz = { 0, 0 };
        const int nCount = static_cast<int>(m_children.size());
        for (CZPMarkupFrameworkElement* pChild : m_children) {
            if (m_bHorizontal) {
                pChild->Measure(pContext, nCount > 0 ? nWidth / nCount : 0, nHeight);
                sz.cx += pChild->GetDesiredSize().cx;
                sz.cy = std::max(sz.cy, pChild->GetDesiredSize().cy);
            } else {
                pChild->Measure(pContext, nWidth, kZpMarkupInfinite);
                sz.cx = std::max(sz.cx, pChild->GetDesiredSize().cx);
                sz.cy += pChild->GetDesiredSize().cy;
            }
        }
        return sz;
    }
    SIZE ArrangeOverride(int nWidth, int nHeight) override
    {
        const int nCount = static_cast<int>(m_children.size());
        int nPos = 0;
        for (CZPMarkupFrameworkElement* pChild : m_children) {
            RECT rc;
            if (m_bHorizontal) {
                const int cx = nCount > 0 ? nWidth / nCount : 0;
                rc = RECT{ nPos, 0, nPos + cx, nHeight };
                nPos += cx;
            } else {
                rc = RECT{ 0, nPos, nWidth, nPos + pChild->GetDesiredSize().cy };
                nPos += pChild->GetDesiredSize().cy;
            }
            pChild->Arrange(rc);
        }
        return SIZE{ nWidth, nHeight };
    }
    void Add(CZPMarkupFrameworkElement* pChild)
    {
        pChild->SetLogicalParent(this);
        m_children.push_back(pChild);
    }

    BOOL m_bHorizontal = FALSE;
    std::vector<CZPMarkupFrameworkElement*> m_children;
};

class CBenchLine : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int /*nWidth*/, int /*nHeight*/) override
    {
        SIZE sz = pContext->GetTextExtent(m_strText.c_str(), static_cast<int>(m_strText.size()));
        sz.cy = std::max<LONG>(sz.cy, 20);
        return sz;
    }
    void OnRender(CZPMarkupDrawingContext* pContext) override
    {
        const RECT rc = { 0, 0, m_szRender.cx, m_szRender.cy };
        pContext->FillSolidRect(rc, m_clrFill);
        pContext->DrawTextLine(m_strText.c_str(), static_cast<int>(m_strText.size()), rc);
    }

    std::wstring m_strText;
    COLORREF m_clrFill = RGB(255, 255, 255);
};

ZP_IMPLEMENT_MARKUPTYPE(CBenchStack, NULL, CZPMarkupFrameworkElement, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CBenchLine, NULL, CZPMarkupFrameworkElement, NULL)

CBenchStack* BuildPage(CZPMarkupContext* pContext, CBenchLine** ppProbe)
{
    CBenchStack* pRoot = static_cast<CBenchStack*>(pContext->CreateMarkupObject(CBenchStack::GetClassType()));
    pRoot->m_bHorizontal = TRUE;
    int nLine = 0;
    for (int c = 0; c < g_nColumns; c++) {
        CBenchStack* pColumn = static_cast<CBenchStack*>(pContext->CreateMarkupObject(CBenchStack::GetClassType()));
        pRoot->Add(pColumn);
        for (int g = 0; g < g_nGroups; g++) {
            CBenchStack* pGroup = static_cast<CBenchStack*>(pContext->CreateMarkupObject(CBenchStack::GetClassType()));
            pColumn->Add(pGroup);
            for (int r = 0; r < g_nRows; r++, nLine++) {
                CBenchLine* pLine = static_cast<CBenchLine*>(pContext->CreateMarkupObject(CBenchLine::GetClassType()));
                pLine->m_strText = L"#" + std::to_wstring(nLine);
                pLine->m_clrFill = RGB(200 + nLine % 50, 220, 240 - nLine % 40);
                pGroup->Add(pLine);
                if (c == g_nColumns / 2 && g == 1 && r == 0)
                    *ppProbe = pLine;
            }
        }
    }
    return pRoot;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 20;
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CBenchLine* pProbe = NULL;
    CBenchStack* pRoot = BuildPage(pContext, &pProbe);
    CDibSection dib(g_cx, g_cy, RGB(255, 255, 255));
    const HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));

    CBenchTiming layout = { "Measure+Arrange, first layout", 10, {} };
    CBenchTiming relayout = { "relayout after a width change", 10, {} };
    CBenchTiming render = { "full Render", 40, {} };
    CBenchTiming repaint = { "repaint clipped to one 100x20 area", 1, {} };
    // The same GDI work without the engine: the floor the figures above stand on.
    CBenchTiming rawExtents = { "raw GDI: 2,000 text extents", 0, {} };
    CBenchTiming rawDraw = { "raw GDI: 2,000 fills and text lines", 0, {} };
    for (int i = 0; i < nRounds; i++) {
        // A fresh tree each round: the first layout measures everything.
        pRoot->Release();
        pRoot = BuildPage(pContext, &pProbe);
        {
            CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
            dc.SetFont(hFont);
            double t = BenchNowMs();
            pRoot->Measure(&dc, g_cx, g_cy);
            pRoot->Arrange(RECT{ 0, 0, g_cx, g_cy });
            layout.samples.push_back(BenchNowMs() - t);

            const int cx = (i % 2) ? g_cx : g_cx - 40;
            t = BenchNowMs();
            pRoot->Measure(&dc, cx, g_cy);
            pRoot->Arrange(RECT{ 0, 0, cx, g_cy });
            relayout.samples.push_back(BenchNowMs() - t);
            pRoot->Measure(&dc, g_cx, g_cy);
            pRoot->Arrange(RECT{ 0, 0, g_cx, g_cy });

            t = BenchNowMs();
            pRoot->Render(&dc);
            ::GdiFlush();
            render.samples.push_back(BenchNowMs() - t);
        }
        RECT rcProbe = CZPMarkupContext::GetClientBoundingRect(pProbe);
        rcProbe.right = rcProbe.left + 100;
        rcProbe.bottom = rcProbe.top + 20;
        HRGN hRgn = ::CreateRectRgnIndirect(&rcProbe);
        ::SelectClipRgn(dib.GetDC(), hRgn);
        ::DeleteObject(hRgn);
        {
            CZPMarkupDrawingContext dc(dib.GetDC(), NULL);
            dc.SetFont(hFont);
            const double t = BenchNowMs();
            pRoot->Render(&dc);
            ::GdiFlush();
            repaint.samples.push_back(BenchNowMs() - t);
        }
        ::SelectClipRgn(dib.GetDC(), NULL);

        const HDC hDC = dib.GetDC();
        const HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
        const int cxColumn = g_cx / g_nColumns;
        double t = BenchNowMs();
        for (int n = 0; n < g_nColumns * g_nGroups * g_nRows; n++) {
            const std::wstring strText = L"#" + std::to_wstring(n);
            SIZE sz;
            ::GetTextExtentPoint32W(hDC, strText.c_str(), static_cast<int>(strText.size()), &sz);
        }
        rawExtents.samples.push_back(BenchNowMs() - t);
        t = BenchNowMs();
        for (int n = 0; n < g_nColumns * g_nGroups * g_nRows; n++) {
            const std::wstring strText = L"#" + std::to_wstring(n);
            const int x = (n / (g_nGroups * g_nRows)) * cxColumn, y = (n % (g_nGroups * g_nRows)) * 20;
            const RECT rc = { x, y, x + cxColumn, y + 20 };
            ::SetBkColor(hDC, RGB(200, 220, 240));
            ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
            ::SetBkMode(hDC, TRANSPARENT);
            ::DrawTextW(hDC, strText.c_str(), static_cast<int>(strText.size()), const_cast<RECT*>(&rc),
                        DT_SINGLELINE | DT_NOPREFIX);
            ::SetBkMode(hDC, OPAQUE);
        }
        ::GdiFlush();
        rawDraw.samples.push_back(BenchNowMs() - t);
        ::SelectObject(hDC, hOldFont);
    }

    printf("markup layout, %d lines in %d columns of %d groups, %dx%d DIB section, %d rounds (median)\n",
           g_nColumns * g_nGroups * g_nRows, g_nColumns, g_nGroups, g_cx, g_cy, nRounds);
    BenchPrint({ &layout, &relayout, &render, &repaint, &rawExtents, &rawDraw }, 40);
    pRoot->Release();
    pContext->Release();
    return 0;
}
