// Grid: the exact cell of every child after measure and arrange for pixel, "Auto", star and
// spanning definitions, their limits, unbounded measures, the cell group order, shrinking, bad
// cell numbers and huge lengths, and the length texts.
#include "markup_layout_fixture.h"

#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupGrid.h"
#include "markup/ZPMarkupStackPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
const int kInf = kZpMarkupInfinite;

// How a test child answers a measure: a fixed size, text that wraps (narrower and taller, same
// area) or a box that takes what it is offered up to its content.
enum
{
    kFixed,
    kWrap,
    kClamp
};

class CCellBox : public CTestBox
{
public:
    SIZE MeasureCore(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight) override
    {
        if (m_nKind == kFixed)
            return m_szContent;
        const LONG cx = std::max<LONG>(1, std::min<LONG>(m_szContent.cx, nWidth));
        if (m_nKind == kWrap)
            return SIZE{ cx, m_szContent.cx * m_szContent.cy / cx };
        return SIZE{ cx, std::min<LONG>(m_szContent.cy, nHeight) };
    }
    void ArrangeCore(const RECT& rc) override
    {
        m_rcSlot = rc;
        CTestBox::ArrangeCore(rc);
    }
    RECT m_rcSlot = { -1, -1, -1, -1 };
    int m_nKind = kFixed;
};

struct Child
{
    SIZE sz;
    int nColumn, nRow, nColumnSpan, nRowSpan;  // -100: unset
    int nKind = kFixed;
};
const int kUnset = -100;

// A definition's length text with its optional minimum and maximum.
struct Def
{
    Def(const wchar_t* psz, int nMinimum = kUnset, int nMaximum = kUnset)
        : pszLength(psz), nMin(nMinimum), nMax(nMaximum)
    {}
    const wchar_t* pszLength;
    int nMin, nMax;
};

struct GridCase
{
    const char* pszName;
    std::vector<Def> columns;
    std::vector<Def> rows;
    std::vector<Child> children;
    SIZE szFinal;
    SIZE szDesired;
    std::vector<RECT> cells;
    SIZE szAvailable = { 0, 0 };  // measured against the final size when 0
};

CZPMarkupGridLength* Length(const wchar_t* psz)
{
    CZPMarkupGridLength converter;
    CZPMarkupString* pText = new CZPMarkupString(psz);
    CZPMarkupObject* p = converter.ConvertFrom(NULL, pText);
    pText->Release();
    return static_cast<CZPMarkupGridLength*>(p);
}

void SetInt(CZPMarkupObject* p, CZPMarkupDependencyProperty* pProperty, int n)
{
    if (n != kUnset)
        p->SetValue(pProperty, new CZPMarkupInt(n));
}

// clang-format off
const std::vector<GridCase> g_cases = {
    {"no definitions: every child takes the whole grid", {}, {},
     {{{30, 20}, kUnset, kUnset, kUnset, kUnset}, {{50, 10}, kUnset, kUnset, kUnset, kUnset}},
     {100, 80}, {50, 20}, {{0, 0, 100, 80}, {0, 0, 100, 80}}},
    {"three stars in 100 give 33, 33, 34 in order", {L"*", L"*", L"*"}, {},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, kUnset, kUnset}, {{0, 0}, 2, kUnset, kUnset, kUnset}},
     {100, 10}, {0, 0}, {{0, 0, 33, 10}, {33, 0, 66, 10}, {66, 0, 100, 10}}},
    {"stars 1 and 2 share 300 as 100 and 200", {L"*", L"2*"}, {},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, kUnset, kUnset}},
     {300, 10}, {0, 0}, {{0, 0, 100, 10}, {100, 0, 300, 10}}},
    {"pixel, auto and star columns", {L"50", L"Auto", L"*"}, {},
     {{{10, 10}, 0, kUnset, kUnset, kUnset}, {{30, 10}, 1, kUnset, kUnset, kUnset}, {{5, 5}, 2, kUnset, kUnset, kUnset}},
     {200, 40}, {85, 10}, {{0, 0, 50, 40}, {50, 0, 80, 40}, {80, 0, 200, 40}}},
    {"rows only: one star column", {}, {L"20", L"*"},
     {{{40, 5}, kUnset, 0, kUnset, kUnset}, {{40, 5}, kUnset, 1, kUnset, kUnset}},
     {80, 100}, {40, 25}, {{0, 0, 80, 20}, {0, 20, 80, 100}}},
    {"a span over two auto columns raises both after the single child", {L"Auto", L"Auto"}, {},
     {{{100, 10}, 0, kUnset, 2, kUnset}, {{30, 10}, 0, kUnset, kUnset, kUnset}},
     {200, 10}, {100, 10}, {{0, 0, 100, 10}, {0, 0, 50, 10}}},
    {"cells beyond the edge move to the last column, spans are cut, bad spans count as 1", {L"10", L"20", L"30"}, {},
     {{{0, 0}, 5, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, 4, kUnset}, {{0, 0}, -1, kUnset, 0, kUnset},
      {{0, 0}, 1, kUnset, 2147483647, 2147483647}},
     {60, 10}, {60, 0}, {{30, 0, 60, 10}, {10, 0, 60, 10}, {0, 0, 10, 10}, {10, 0, 60, 10}}},
    {"a negative star counts as 0 and divides nothing by zero", {L"-1*", L"1*"}, {},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, kUnset, kUnset}},
     {100, 10}, {0, 0}, {{0, 0, 0, 10}, {0, 0, 100, 10}}},
    {"a huge pixel column saturates", {L"99999999999", L"*"}, {},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, kUnset, kUnset}},
     {100, 10}, {kInf, 0}, {{0, 0, kInf, 10}, {kInf, 0, kInf, 10}}},
    {"pixel lengths within MinWidth and MaxWidth, a child wider than MaxWidth, MinHeight and MaxHeight rows",
     {{L"100", 150}, {L"100", kUnset, 80}, {L"Auto", kUnset, 50}}, {{L"Auto", 25}, {L"*", kUnset, 30}},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{120, 5}, 1, kUnset, kUnset, kUnset}, {{70, 5}, 2, kUnset, kUnset, kUnset},
      {{0, 0}, 0, 1, kUnset, kUnset}},
     {400, 100}, {340, 25}, {{0, 0, 150, 25}, {150, 0, 270, 25}, {270, 0, 340, 25}, {0, 25, 150, 55}}},
    {"a star with MinWidth keeps it and the other star gives way", {{L"*", 120}, L"*"}, {},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, kUnset, kUnset}},
     {200, 10}, {120, 0}, {{0, 0, 120, 10}, {120, 0, 200, 10}}},
    {"a star with MaxWidth is shared after the unlimited one and the rest stays empty", {L"*", {L"2*", kUnset, 50}}, {},
     {{{0, 0}, 0, kUnset, kUnset, kUnset}, {{0, 0}, 1, kUnset, kUnset, kUnset}},
     {300, 10}, {0, 0}, {{0, 0, 100, 10}, {100, 0, 150, 10}}},
    {"an unbounded width measures stars as Auto, then they share and shrink to the final width", {L"*", L"2*"}, {},
     {{{200, 10}, 0, kUnset, kUnset, kUnset, kWrap}, {{30, 10}, 1, kUnset, kUnset, kUnset}},
     {300, 20}, {230, 10}, {{0, 0, 200, 20}, {200, 0, 300, 20}}, {kInf, 20}},
    {"an unbounded height measures a star row as Auto under a star column", {}, {L"Auto", L"*"},
     {{{200, 10}, kUnset, 0, kUnset, kUnset, kWrap}, {{20, 30}, kUnset, 1, kUnset, kUnset}},
     {100, 200}, {100, 50}, {{0, 0, 100, 20}, {0, 20, 100, 200}}, {100, kInf}},
    {"an Auto column in a star row is measured before the star columns share the width",
     {L"Auto", L"*"}, {L"20", L"*"},
     {{{60, 10}, 0, 1, kUnset, kUnset}, {{200, 10}, 1, 0, kUnset, kUnset, kWrap}, {{0, 0}, 1, 1, kUnset, kUnset}},
     {200, 100}, {200, 30}, {{0, 20, 60, 100}, {60, 0, 200, 20}, {60, 20, 200, 100}}},
    {"star columns in an Auto row: columns share, the row takes the wrapped height, then star rows share",
     {L"*", L"*"}, {L"Auto", L"*"},
     {{{100, 10}, 0, 0, kUnset, kUnset, kWrap}, {{10, 10}, 1, 0, kUnset, kUnset},
      {{500, 500}, 1, 1, kUnset, kUnset, kClamp}},
     {100, 50}, {100, 50}, {{0, 0, 50, 20}, {50, 0, 100, 20}, {50, 20, 100, 50}}},
    {"a star column in an Auto row beside an Auto column in a star row, which is measured again for its height",
     {L"Auto", L"*"}, {L"Auto", L"*"},
     {{{60, 200}, 0, 1, kUnset, kUnset, kClamp}, {{280, 10}, 1, 0, kUnset, kUnset, kWrap}},
     {200, 100}, {200, 100}, {{0, 20, 60, 100}, {60, 0, 200, 20}}},
    {"a span over three Auto rows at least three times the tallest gives each an equal share", {},
     {L"Auto", L"Auto", L"Auto"},
     {{{10, 10}, kUnset, 0, kUnset, kUnset}, {{10, 20}, kUnset, 2, kUnset, kUnset}, {{10, 90}, kUnset, 0, kUnset, 3}},
     {50, 90}, {10, 90}, {{0, 0, 50, 30}, {0, 60, 50, 90}, {0, 0, 50, 90}}},
    {"a smaller span over three Auto rows grows each toward the tallest", {}, {L"Auto", L"Auto", L"Auto"},
     {{{10, 10}, kUnset, 0, kUnset, kUnset}, {{10, 20}, kUnset, 2, kUnset, kUnset}, {{10, 50}, kUnset, 0, kUnset, 3}},
     {50, 49}, {10, 49}, {{0, 0, 50, 16}, {0, 29, 50, 49}, {0, 0, 50, 49}}},
    {"a span over pixel rows fills the limited Auto row up to its maximum", {},
     {L"20", {L"Auto", kUnset, 40}, L"30"},
     {{{10, 60}, kUnset, 0, kUnset, 3}, {{0, 0}, kUnset, 1, kUnset, kUnset}},
     {50, 60}, {10, 60}, {{0, 0, 50, 60}, {0, 20, 50, 30}}},
    {"a span beyond the rows' maxima grows each toward the largest", {}, {L"20", {L"Auto", kUnset, 40}, L"30"},
     {{{10, 100}, kUnset, 0, kUnset, 3}, {{0, 0}, kUnset, 1, kUnset, kUnset}},
     {50, 99}, {10, 99}, {{0, 0, 50, 99}, {0, 26, 50, 66}}},
    {"a span across star columns below their shares splits evenly", {L"*", L"*", L"*"}, {},
     {{{50, 0}, 0, kUnset, 2, kUnset}, {{10, 0}, 2, kUnset, kUnset, kUnset}},
     {100, 10}, {60, 0}, {{0, 0, 67, 10}, {67, 0, 100, 10}}},
    {"a span across star columns above their shares takes them equally and the third star shrinks",
     {L"*", L"*", L"*"}, {},
     {{{90, 0}, 0, kUnset, 2, kUnset}, {{10, 0}, 2, kUnset, kUnset, kUnset}},
     {100, 10}, {100, 0}, {{0, 0, 90, 10}, {90, 0, 100, 10}}},
    {"a span over an Auto row and a star row below the star's share fills the star beyond the Auto row", {},
     {L"Auto", L"*"},
     {{{10, 20}, kUnset, 0, kUnset, kUnset}, {{10, 50}, kUnset, 0, kUnset, 2}, {{0, 0}, kUnset, 1, kUnset, kUnset}},
     {50, 60}, {10, 50}, {{0, 0, 50, 20}, {0, 0, 50, 60}, {0, 20, 50, 60}}, {50, 100}},
    {"an available width of 32000 still shares the stars in the measure", {L"*", L"*"}, {},
     {{{40000, 1}, 0, kUnset, kUnset, kUnset, kWrap}, {{30, 1}, 1, kUnset, kUnset, kUnset}},
     {32000, 10}, {16030, 2}, {{0, 0, 16000, 10}, {16000, 0, 32000, 10}}},
    {"an available width of 32001 measures the stars as Auto", {L"*", L"*"}, {},
     {{{40000, 1}, 0, kUnset, kUnset, kUnset, kWrap}, {{30, 1}, 1, kUnset, kUnset, kUnset}},
     {32001, 10}, {40030, 1}, {{0, 0, 40000, 10}, {40000, 0, 40030, 10}}},
    {"arranged smaller than measured, the star with room gives up the deficit", {L"*", L"*"}, {},
     {{{80, 0}, 0, kUnset, kUnset, kUnset}, {{10, 0}, 1, kUnset, kUnset, kUnset}},
     {120, 10}, {90, 0}, {{0, 0, 80, 10}, {80, 0, 120, 10}}, {300, 10}},
    {"arranged below the minimum sizes, no star goes below its minimum", {L"*", L"*"}, {},
     {{{80, 0}, 0, kUnset, kUnset, kUnset}, {{10, 0}, 1, kUnset, kUnset, kUnset}},
     {50, 10}, {90, 0}, {{0, 0, 80, 10}, {80, 0, 90, 10}}, {300, 10}},
};
// clang-format on

TEST(MarkupGrid, ChildrenGetTheirExactCells)
{
    WarmUpLayoutTypes();
    CZPMarkupColumnDefinition::GetClassType()->EnsureRegistered();
    CZPMarkupRowDefinition::GetClassType()->EnsureRegistered();
    CZPMarkupGrid::GetClassType()->EnsureRegistered();
    // The first pass also makes the engine's lazily shared values; the second must leave no
    // object alive beyond them.
    long nLive = 0;
    for (int nPass = 0; nPass < 2; nPass++) {
        if (nPass == 1)
            nLive = ZpMarkupLiveObjectCount();
        for (const GridCase& c : g_cases) {
            SCOPED_TRACE(c.pszName);
            CZPMarkupGrid* pGrid = new CZPMarkupGrid;
            for (const Def& def : c.columns) {
                CZPMarkupColumnDefinition* pDef = new CZPMarkupColumnDefinition;
                pDef->SetValue(CZPMarkupColumnDefinition::m_pWidthProperty, Length(def.pszLength));
                SetInt(pDef, CZPMarkupColumnDefinition::m_pMinWidthProperty, def.nMin);
                SetInt(pDef, CZPMarkupColumnDefinition::m_pMaxWidthProperty, def.nMax);
                pGrid->GetColumnDefinitions()->Add(pDef);
            }
            for (const Def& def : c.rows) {
                CZPMarkupRowDefinition* pDef = new CZPMarkupRowDefinition;
                pDef->SetValue(CZPMarkupRowDefinition::m_pHeightProperty, Length(def.pszLength));
                SetInt(pDef, CZPMarkupRowDefinition::m_pMinHeightProperty, def.nMin);
                SetInt(pDef, CZPMarkupRowDefinition::m_pMaxHeightProperty, def.nMax);
                pGrid->GetRowDefinitions()->Add(pDef);
            }
            std::vector<CCellBox*> boxes;
            for (const Child& child : c.children) {
                CCellBox* pBox = new CCellBox;
                pBox->m_szContent = child.sz;
                pBox->m_nKind = child.nKind;
                SetInt(pBox, CZPMarkupGrid::m_pColumnProperty, child.nColumn);
                SetInt(pBox, CZPMarkupGrid::m_pRowProperty, child.nRow);
                SetInt(pBox, CZPMarkupGrid::m_pColumnSpanProperty, child.nColumnSpan);
                SetInt(pBox, CZPMarkupGrid::m_pRowSpanProperty, child.nRowSpan);
                pGrid->GetChildren()->Add(pBox);
                boxes.push_back(pBox);
            }
            CZPMarkupDrawingContext context;
            const SIZE szAvailable = c.szAvailable.cx != 0 ? c.szAvailable : c.szFinal;
            const SIZE szDesired = pGrid->MeasureOverride(&context, szAvailable.cx, szAvailable.cy);
            EXPECT_EQ(c.szDesired.cx, szDesired.cx);
            EXPECT_EQ(c.szDesired.cy, szDesired.cy);
            pGrid->ArrangeOverride(c.szFinal.cx, c.szFinal.cy);
            ASSERT_EQ(c.cells.size(), boxes.size());
            for (size_t i = 0; i < boxes.size(); i++) {
                SCOPED_TRACE(i);
                EXPECT_EQ(c.cells[i].left, boxes[i]->m_rcSlot.left);
                EXPECT_EQ(c.cells[i].top, boxes[i]->m_rcSlot.top);
                EXPECT_EQ(c.cells[i].right, boxes[i]->m_rcSlot.right);
                EXPECT_EQ(c.cells[i].bottom, boxes[i]->m_rcSlot.bottom);
            }
            pGrid->Release();
        }
    }
    EXPECT_EQ(nLive, ZpMarkupLiveObjectCount()) << "markup objects left alive";
}

TEST(MarkupGrid, LengthTextsConvertOrGiveNoValue)
{
    struct
    {
        const wchar_t* psz;
        bool bValue;
        double dValue;
        int nUnit;
    } const cases[] = {
        { L"Auto", true, 1, CZPMarkupGridLength::unitAuto },
        { L"aUTO", true, 1, CZPMarkupGridLength::unitAuto },
        { L"*", true, 1, CZPMarkupGridLength::unitStar },
        { L"2.5*", true, 2.5, CZPMarkupGridLength::unitStar },
        { L"0*", true, 0, CZPMarkupGridLength::unitStar },
        { L"-1*", true, -1, CZPMarkupGridLength::unitStar },
        { L"100", true, 100, CZPMarkupGridLength::unitPixel },
        { L"", false, 0, 0 },
        { L"abc", false, 0, 0 },
        { L"1e5", false, 0, 0 },
    };
    const long nLive = ZpMarkupLiveObjectCount();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dValue << " " << c.nUnit);
        CZPMarkupGridLength* p = Length(c.psz);
        ASSERT_EQ(c.bValue, p != NULL);
        if (p != NULL) {
            EXPECT_EQ(c.dValue, p->m_dValue);
            EXPECT_EQ(c.nUnit, p->m_nUnit);
            p->Release();
        }
    }
    EXPECT_EQ(nLive, ZpMarkupLiveObjectCount()) << "markup objects left alive";
}
}  // namespace
