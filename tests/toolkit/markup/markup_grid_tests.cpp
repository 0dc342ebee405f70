// Grid: the exact cell of every child after measure and arrange for pixel, "Auto", star and
// spanning definitions, bad cell numbers and huge lengths, and the length texts.
#include "markup_layout_fixture.h"

#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupGrid.h"
#include "markup/ZPMarkupStackPanel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const int kInf = kZpMarkupInfinite;

class CCellBox : public CTestBox
{
public:
    SIZE MeasureCore(CZPMarkupDrawingContext* /*pContext*/, int /*nWidth*/, int /*nHeight*/) override
    {
        return m_szContent;
    }
    void ArrangeCore(const RECT& rc) override
    {
        m_rcSlot = rc;
        CTestBox::ArrangeCore(rc);
    }
    RECT m_rcSlot = { -1, -1, -1, -1 };
};

struct Child
{
    SIZE sz;
    int nColumn, nRow, nColumnSpan, nRowSpan;  // -100: unset
};
const int kUnset = -100;

struct GridCase
{
    const char* pszName;
    std::vector<const wchar_t*> columns;
    std::vector<const wchar_t*> rows;
    std::vector<Child> children;
    SIZE szFinal;
    SIZE szDesired;
    std::vector<RECT> cells;
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
};
// clang-format on

TEST(MarkupGrid, ChildrenGetTheirExactCells)
{
    WarmUpLayoutTypes();
    CZPMarkupColumnDefinition::GetClassType()->EnsureRegistered();
    CZPMarkupRowDefinition::GetClassType()->EnsureRegistered();
    CZPMarkupGrid::GetClassType()->EnsureRegistered();
    for (const GridCase& c : g_cases) {
        SCOPED_TRACE(c.pszName);
        CZPMarkupGrid* pGrid = new CZPMarkupGrid;
        for (const wchar_t* psz : c.columns) {
            CZPMarkupColumnDefinition* pDef = new CZPMarkupColumnDefinition;
            pDef->SetValue(CZPMarkupColumnDefinition::m_pWidthProperty, Length(psz));
            pGrid->GetColumnDefinitions()->Add(pDef);
        }
        for (const wchar_t* psz : c.rows) {
            CZPMarkupRowDefinition* pDef = new CZPMarkupRowDefinition;
            pDef->SetValue(CZPMarkupRowDefinition::m_pHeightProperty, Length(psz));
            pGrid->GetRowDefinitions()->Add(pDef);
        }
        std::vector<CCellBox*> boxes;
        for (const Child& child : c.children) {
            CCellBox* pBox = new CCellBox;
            pBox->m_szContent = child.sz;
            SetInt(pBox, CZPMarkupGrid::m_pColumnProperty, child.nColumn);
            SetInt(pBox, CZPMarkupGrid::m_pRowProperty, child.nRow);
            SetInt(pBox, CZPMarkupGrid::m_pColumnSpanProperty, child.nColumnSpan);
            SetInt(pBox, CZPMarkupGrid::m_pRowSpanProperty, child.nRowSpan);
            pGrid->GetChildren()->Add(pBox);
            boxes.push_back(pBox);
        }
        CZPMarkupDrawingContext context;
        const SIZE szDesired = pGrid->MeasureOverride(&context, c.szFinal.cx, c.szFinal.cy);
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
}
}  // namespace
