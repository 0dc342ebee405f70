// Stack, wrap, dock, uniform-grid and canvas panels: the exact slot of every child after measure
// and arrange, bad counts and huge sizes, and the attached words read from built pages.
#include "markup_layout_fixture.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupCanvas.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupStackPanel.h"

#include <vector>

namespace {
const int kInf = kZpMarkupInfinite;
const int kPanel = -1;

// A child of a fixed desired size that records the room it was measured against and the slot
// it was arranged into (left at -1s when it never was).
class CSlotBox : public CTestBox
{
public:
    SIZE MeasureCore(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight) override
    {
        m_szAvailable = SIZE{ nWidth, nHeight };
        return m_szContent;
    }
    void ArrangeCore(const RECT& rc) override
    {
        m_rcSlot = rc;
        CTestBox::ArrangeCore(rc);
    }
    SIZE m_szAvailable = { -1, -1 };
    RECT m_rcSlot = { -1, -1, -1, -1 };
};

// A property value set on the panel (nChild kPanel) or on one child.
struct Attr
{
    int nChild;
    CZPMarkupDependencyProperty** ppProperty;
    int nValue;
};

struct PanelCase
{
    const char* pszName;
    CZPMarkupPanel* (*pfnMake)();
    std::vector<SIZE> children;
    std::vector<Attr> attrs;
    SIZE szFinal;  // also the available size
    SIZE szDesired;
    std::vector<RECT> slots;
};

template <class T> CZPMarkupPanel* New()
{
    return new T;
}

void SetAttr(CZPMarkupObject* pObject, CZPMarkupDependencyProperty* pProperty, int nValue)
{
    CZPMarkupType* pType = pProperty->GetValueType();
    CZPMarkupObject* pValue = NULL;
    if (pType == CZPMarkupEnum::GetClassType())
        pValue = CZPMarkupEnum::CreateValue(nValue);
    else if (pType == CZPMarkupBool::GetClassType())
        pValue = CZPMarkupBool::CreateValue(nValue);
    else
        pValue = new CZPMarkupInt(nValue);
    pObject->SetValue(pProperty, pValue);
}

CZPMarkupDependencyProperty** const kStackOrientation = &CZPMarkupStackPanel::m_pOrientationProperty;
CZPMarkupDependencyProperty** const kWrapOrientation = &CZPMarkupWrapPanel::m_pOrientationProperty;
CZPMarkupDependencyProperty** const kItemWidth = &CZPMarkupWrapPanel::m_pItemWidthProperty;
CZPMarkupDependencyProperty** const kDock = &CZPMarkupDockPanel::m_pDockProperty;
CZPMarkupDependencyProperty** const kFill = &CZPMarkupDockPanel::m_pLastChildFillProperty;
CZPMarkupDependencyProperty** const kColumns = &CZPMarkupUniformGrid::m_pColumnsProperty;
CZPMarkupDependencyProperty** const kRows = &CZPMarkupUniformGrid::m_pRowsProperty;
CZPMarkupDependencyProperty** const kFirstColumn = &CZPMarkupUniformGrid::m_pFirstColumnProperty;
CZPMarkupDependencyProperty** const kVisibility = &CZPMarkupUIElement::m_pVisibilityProperty;
CZPMarkupDependencyProperty** const kLeft = &CZPMarkupCanvas::m_pLeftProperty;
CZPMarkupDependencyProperty** const kTop = &CZPMarkupCanvas::m_pTopProperty;
CZPMarkupDependencyProperty** const kRight = &CZPMarkupCanvas::m_pRightProperty;
CZPMarkupDependencyProperty** const kBottom = &CZPMarkupCanvas::m_pBottomProperty;
enum
{
    left,
    top,
    right,
    bottom
};
const SIZE k10 = { 10, 10 };

// clang-format off
const std::vector<PanelCase> g_cases = {
    {"stack: vertical when unset, never narrower than a child", &New<CZPMarkupStackPanel>,
     {{30, 20}, {50, 10}}, {}, {40, 100}, {50, 30}, {{0, 0, 40, 20}, {0, 20, 50, 30}}},
    {"stack: horizontal, never lower than a child", &New<CZPMarkupStackPanel>,
     {{30, 20}, {50, 10}}, {{kPanel, kStackOrientation, 0}}, {100, 15}, {80, 20}, {{0, 0, 30, 20}, {30, 0, 80, 15}}},
    {"stack: a huge child saturates the sum", &New<CZPMarkupStackPanel>,
     {{kInf, 5}, {10, 5}}, {{kPanel, kStackOrientation, 0}}, {100, 10}, {kInf, 5},
     {{0, 0, kInf, 10}, {kInf, 0, kInf, 10}}},
    {"wrap: horizontal when unset, rows break above the width", &New<CZPMarkupWrapPanel>,
     {{40, 10}, {40, 20}, {40, 5}, {90, 15}}, {}, {100, 100}, {90, 40},
     {{0, 0, 40, 20}, {40, 0, 80, 20}, {0, 20, 40, 25}, {0, 25, 90, 40}}},
    {"wrap: a first child longer than the line sits alone", &New<CZPMarkupWrapPanel>,
     {{150, 10}, {20, 10}}, {}, {100, 100}, {150, 20}, {{0, 0, 150, 10}, {0, 10, 20, 20}}},
    {"wrap: ItemWidth 50 gives every child a 50-pixel slot", &New<CZPMarkupWrapPanel>,
     {{30, 10}, {70, 20}, {10, 5}}, {{kPanel, kItemWidth, 50}}, {120, 100}, {100, 25},
     {{0, 0, 50, 20}, {50, 0, 100, 20}, {0, 20, 50, 25}}},
    {"wrap: a negative ItemWidth gives empty slots", &New<CZPMarkupWrapPanel>,
     {{30, 10}, {70, 20}}, {{kPanel, kItemWidth, -5}}, {120, 100}, {0, 20},
     {{0, 0, 0, 20}, {0, 0, 0, 20}}},
    {"wrap: vertical columns", &New<CZPMarkupWrapPanel>,
     {{10, 40}, {20, 40}, {5, 40}}, {{kPanel, kWrapOrientation, 1}}, {100, 100}, {25, 80},
     {{0, 0, 20, 40}, {0, 40, 20, 80}, {20, 0, 25, 40}}},
    {"dock: left, top, right, then the last child fills", &New<CZPMarkupDockPanel>,
     {{20, 10}, {30, 15}, {25, 5}, {10, 10}}, {{1, kDock, top}, {2, kDock, right}}, {100, 80}, {55, 25},
     {{0, 0, 20, 80}, {20, 0, 100, 15}, {75, 15, 100, 80}, {20, 15, 75, 80}}},
    {"dock: a last child docked right still fills", &New<CZPMarkupDockPanel>,
     {{20, 10}, {30, 10}}, {{1, kDock, right}}, {100, 50}, {50, 10}, {{0, 0, 20, 50}, {20, 0, 100, 50}}},
    {"dock: without LastChildFill the last child docks too", &New<CZPMarkupDockPanel>,
     {{20, 10}, {30, 10}}, {{1, kDock, right}, {kPanel, kFill, FALSE}}, {100, 50}, {50, 10},
     {{0, 0, 20, 50}, {70, 0, 100, 50}}},
    {"dock: right children wider than the panel start at x 0", &New<CZPMarkupDockPanel>,
     {{60, 10}, {60, 10}}, {{0, kDock, right}, {1, kDock, right}, {kPanel, kFill, FALSE}}, {100, 20}, {120, 10},
     {{40, 0, 100, 20}, {0, 0, 60, 20}}},
    {"dock: bottom", &New<CZPMarkupDockPanel>,
     {{10, 30}}, {{0, kDock, bottom}, {kPanel, kFill, FALSE}}, {50, 100}, {10, 30}, {{0, 70, 50, 100}}},
    {"dock: huge children saturate", &New<CZPMarkupDockPanel>,
     {{kInf, kInf}, {kInf, 10}}, {{kPanel, kFill, FALSE}}, {100, 50}, {kInf, kInf},
     {{0, 0, kInf, 50}, {kInf, 0, kInf, 50}}},
    {"uniform: 5 children make 3 by 3", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {}, {90, 90}, {30, 30},
     {{0, 0, 30, 30}, {30, 0, 60, 30}, {60, 0, 90, 30}, {0, 30, 30, 60}, {30, 30, 60, 60}}},
    {"uniform: Columns 2 gives 3 rows", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {{kPanel, kColumns, 2}}, {100, 90}, {20, 30},
     {{0, 0, 50, 30}, {50, 0, 100, 30}, {0, 30, 50, 60}, {50, 30, 100, 60}, {0, 60, 50, 90}}},
    {"uniform: FirstColumn 2 of 3 starts in the last cell", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {{kPanel, kColumns, 3}, {kPanel, kFirstColumn, 2}}, {90, 90}, {30, 30},
     {{60, 0, 90, 30}, {0, 30, 30, 60}, {30, 30, 60, 60}, {60, 30, 90, 60}, {0, 60, 30, 90}}},
    {"uniform: FirstColumn 3 of 3 counts as 0", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {{kPanel, kColumns, 3}, {kPanel, kFirstColumn, 3}}, {90, 60}, {30, 20},
     {{0, 0, 30, 30}, {30, 0, 60, 30}, {60, 0, 90, 30}, {0, 30, 30, 60}, {30, 30, 60, 60}}},
    {"uniform: a collapsed child takes no cell and does not count", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {{1, kVisibility, CZPMarkupUIElement::visibilityCollapsed}}, {60, 60}, {20, 20},
     {{0, 0, 30, 30}, {-1, -1, -1, -1}, {30, 0, 60, 30}, {0, 30, 30, 60}, {30, 30, 60, 60}}},
    {"uniform: Rows -4 counts as unset", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {{kPanel, kRows, -4}}, {90, 90}, {30, 30},
     {{0, 0, 30, 30}, {30, 0, 60, 30}, {60, 0, 90, 30}, {0, 30, 30, 60}, {30, 30, 60, 60}}},
    {"uniform: Rows 2 with Columns -2 and FirstColumn -1", &New<CZPMarkupUniformGrid>,
     {k10, k10, k10, k10, k10}, {{kPanel, kRows, 2}, {kPanel, kColumns, -2}, {kPanel, kFirstColumn, -1}}, {90, 60},
     {30, 20}, {{0, 0, 30, 30}, {30, 0, 60, 30}, {60, 0, 90, 30}, {0, 30, 30, 60}, {30, 30, 60, 60}}},
    {"uniform: Columns 2147483647 saturates the desired width", &New<CZPMarkupUniformGrid>,
     {k10, k10}, {{kPanel, kColumns, kInf}, {kPanel, kFirstColumn, 5}}, {100, 50}, {kInf, 10},
     {{0, 0, 0, 50}, {0, 0, 0, 50}}},
    {"uniform: Rows 2147483647 gives one column", &New<CZPMarkupUniformGrid>,
     {k10, k10}, {{kPanel, kRows, kInf}}, {100, 50}, {10, kInf},
     {{0, 0, 100, 0}, {0, 0, 100, 0}}},
    {"canvas: Left and Top, Right, Left 0 over Right, Bottom, unset", &New<CZPMarkupCanvas>,
     {{30, 20}, {30, 20}, {30, 20}, {500, 500}},
     {{0, kLeft, 5}, {0, kTop, 7}, {1, kRight, 10}, {2, kLeft, 0}, {2, kRight, 10}, {2, kBottom, 5}}, {100, 100},
     {0, 0}, {{5, 7, 35, 27}, {60, 0, 90, 20}, {0, 75, 30, 95}, {0, 0, 500, 500}}},
    {"canvas: offsets of 2147483647 saturate", &New<CZPMarkupCanvas>,
     {{30, 20}, {30, 20}}, {{0, kLeft, kInf}, {1, kRight, -kInf}, {1, kBottom, kInf}}, {100, 100}, {0, 0},
     {{kInf, 0, kInf, 20}, {kInf, -2147483567, kInf, -2147483547}}},
};
// clang-format on

class MarkupPanels : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        CZPMarkupType* types[] = { CZPMarkupStackPanel::GetClassType(), CZPMarkupWrapPanel::GetClassType(),
                                   CZPMarkupDockPanel::GetClassType(), CZPMarkupUniformGrid::GetClassType(),
                                   CZPMarkupCanvas::GetClassType() };
        for (CZPMarkupType* pType : types)
            pType->EnsureRegistered();
        for (int i = 0; i <= 7; i++)
            CZPMarkupEnum::CreateValue(i)->Release();
        CZPMarkupBool::CreateTrueValue()->Release();
        CZPMarkupBool::CreateFalseValue()->Release();
        CMarkupLeakCheck::SetUp();
    }

    // The panel with its children and values; children are CSlotBoxes.
    static CZPMarkupPanel* Build(const PanelCase& c)
    {
        CZPMarkupPanel* pPanel = c.pfnMake();
        for (const SIZE& sz : c.children) {
            CSlotBox* pChild = new CSlotBox;
            pChild->m_szContent = sz;
            pPanel->GetChildren()->Add(pChild);
        }
        for (const Attr& attr : c.attrs) {
            CZPMarkupObject* pTarget = attr.nChild == kPanel ? static_cast<CZPMarkupObject*>(pPanel)
                                                             : pPanel->GetChildren()->GetElement(attr.nChild);
            SetAttr(pTarget, *attr.ppProperty, attr.nValue);
        }
        return pPanel;
    }
    static CSlotBox* Child(CZPMarkupPanel* pPanel, int i)
    {
        return static_cast<CSlotBox*>(pPanel->GetChildren()->GetElement(i));
    }
};

TEST_F(MarkupPanels, ChildrenGetTheirExactSlots)
{
    for (const PanelCase& c : g_cases) {
        SCOPED_TRACE(c.pszName);
        CRef<CZPMarkupPanel> panel(Build(c));
        CZPMarkupDrawingContext context;
        const SIZE szDesired = panel.Get()->MeasureOverride(&context, c.szFinal.cx, c.szFinal.cy);
        EXPECT_EQ(c.szDesired.cx, szDesired.cx);
        EXPECT_EQ(c.szDesired.cy, szDesired.cy);
        const SIZE szFinal = panel.Get()->ArrangeOverride(c.szFinal.cx, c.szFinal.cy);
        EXPECT_EQ(c.szFinal.cx, szFinal.cx);
        EXPECT_EQ(c.szFinal.cy, szFinal.cy);
        ASSERT_EQ(c.slots.size(), c.children.size());
        for (size_t i = 0; i < c.slots.size(); i++) {
            SCOPED_TRACE(i);
            const RECT& rc = Child(panel.Get(), static_cast<int>(i))->m_rcSlot;
            EXPECT_EQ(c.slots[i].left, rc.left);
            EXPECT_EQ(c.slots[i].top, rc.top);
            EXPECT_EQ(c.slots[i].right, rc.right);
            EXPECT_EQ(c.slots[i].bottom, rc.bottom);
        }
    }
}

TEST_F(MarkupPanels, ChildrenAreMeasuredAgainstTheirPanelsRoom)
{
    struct MeasureCase
    {
        const char* pszName;
        CZPMarkupPanel* (*pfnMake)();
        std::vector<Attr> attrs;
        SIZE szAvailable;
    };
    const MeasureCase cases[] = {
        { "vertical stack: unlimited height", &New<CZPMarkupStackPanel>, {}, { 80, kInf } },
        { "horizontal stack: unlimited width",
          &New<CZPMarkupStackPanel>,
          { { kPanel, kStackOrientation, 0 } },
          { kInf, 60 } },
        { "wrap with ItemWidth 50", &New<CZPMarkupWrapPanel>, { { kPanel, kItemWidth, 50 } }, { 50, 60 } },
        { "canvas: no limits", &New<CZPMarkupCanvas>, {}, { kInf, kInf } },
        { "uniform 2 by 3 cells",
          &New<CZPMarkupUniformGrid>,
          { { kPanel, kRows, 2 }, { kPanel, kColumns, 3 } },
          { 26, 30 } },
    };
    for (const MeasureCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        CRef<CZPMarkupPanel> panel(Build(PanelCase{ c.pszName, c.pfnMake, { k10 }, c.attrs, {}, {}, {} }));
        CZPMarkupDrawingContext context;
        panel.Get()->MeasureOverride(&context, 80, 60);
        EXPECT_EQ(c.szAvailable.cx, Child(panel.Get(), 0)->m_szAvailable.cx);
        EXPECT_EQ(c.szAvailable.cy, Child(panel.Get(), 0)->m_szAvailable.cy);
    }
}

// The dock panel lays out again when a child's "Dock" changes; canvas offsets have no change
// callback, so a new "Left" waits for the next layout.
TEST_F(MarkupPanels, DockChangesLayOutTheDockPanelAgainButCanvasOffsetsDoNot)
{
    CRef<CZPMarkupPanel> dock(
        Build(PanelCase{ "", &New<CZPMarkupDockPanel>, { k10, k10 }, { { kPanel, kFill, FALSE } }, {}, {}, {} }));
    CRef<CZPMarkupPanel> canvas(Build(PanelCase{ "", &New<CZPMarkupCanvas>, { k10, k10 }, {}, {}, {}, {} }));
    for (CZPMarkupPanel* pPanel : { dock.Get(), canvas.Get() }) {
        CZPMarkupDrawingContext context;
        pPanel->Measure(&context, 100, 100);
        pPanel->Arrange(RECT{ 0, 0, 100, 100 });
    }
    EXPECT_EQ(10, Child(dock.Get(), 1)->m_rcSlot.left);
    SetAttr(Child(dock.Get(), 1), *kDock, right);
    EXPECT_EQ(90, Child(dock.Get(), 1)->m_rcSlot.left);

    EXPECT_EQ(0, Child(canvas.Get(), 1)->m_rcSlot.left);
    SetAttr(Child(canvas.Get(), 1), *kLeft, 40);
    EXPECT_EQ(0, Child(canvas.Get(), 1)->m_rcSlot.left);
    canvas.Get()->ArrangeOverride(100, 100);
    EXPECT_EQ(40, Child(canvas.Get(), 1)->m_rcSlot.left);
}

TEST_F(MarkupPanels, CanvasInAStackTakesNoHeightAndItsChildrenReachBeyondIt)
{
    CRef<CZPMarkupPanel> stack(Build(PanelCase{ "", &New<CZPMarkupStackPanel>, { k10 }, {}, {}, {}, {} }));
    CZPMarkupPanel* pCanvas =
        Build(PanelCase{ "", &New<CZPMarkupCanvas>, { { 30, 20 } }, { { 0, kLeft, 5 } }, {}, {}, {} });
    stack.Get()->GetChildren()->Insert(0, pCanvas);
    CZPMarkupDrawingContext context;
    stack.Get()->Measure(&context, 100, 100);
    stack.Get()->Arrange(RECT{ 0, 0, 100, 100 });
    EXPECT_EQ(0, pCanvas->GetRenderSize().cy);
    EXPECT_EQ(0, Child(stack.Get(), 1)->m_rcSlot.top);
    EXPECT_EQ(10, Child(stack.Get(), 1)->m_rcSlot.bottom);
    const RECT& rc = Child(pCanvas, 0)->m_rcSlot;
    EXPECT_EQ(5, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(35, rc.right);
    EXPECT_EQ(20, rc.bottom);
}

TEST_F(MarkupPanels, HundredThousandStackedChildrenSaturateAtTheEnd)
{
    CRef<CZPMarkupPanel> panel(new CZPMarkupStackPanel);
    for (int i = 0; i < 100000; i++) {
        CSlotBox* pChild = new CSlotBox;
        pChild->m_szContent = SIZE{ 5, 30000 };
        panel.Get()->GetChildren()->Add(pChild);
    }
    CZPMarkupDrawingContext context;
    EXPECT_EQ(kInf, panel.Get()->MeasureOverride(&context, 50, 50).cy);
    panel.Get()->ArrangeOverride(50, 50);
    const RECT& rcFirst = Child(panel.Get(), 0)->m_rcSlot;
    EXPECT_EQ(30000, rcFirst.bottom);
    // 71583 children fit below 2147483647; the rest sit at the limit, none wraps negative.
    const RECT& rcLast = Child(panel.Get(), 99999)->m_rcSlot;
    EXPECT_EQ(kInf, rcLast.top);
    EXPECT_EQ(kInf, rcLast.bottom);
}

TEST_F(MarkupPanels, PagesSetDockWordsAndCanvasOffsetsOnTheChildren)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CZPMarkupObject* pRoot =
        pContext->Parse(L"<DockPanel LastChildFill='False'><Border DockPanel.Dock='bottom' Canvas.Left='7'/>"
                        L"<StackPanel Orientation='Horizontal'/><WrapPanel Orientation='Vertical'/></DockPanel>");
    CZPMarkupDockPanel* pDock = ZpMarkupCast<CZPMarkupDockPanel>(pRoot);
    ASSERT_TRUE(pDock != NULL);
    CZPMarkupUIElement* pBorder = pDock->GetChildren()->GetElement(0);
    EXPECT_EQ(bottom, ZpMarkupCast<CZPMarkupEnum>(pBorder->GetValue(*kDock))->m_nValue);
    EXPECT_EQ(7, ZpMarkupCast<CZPMarkupInt>(pBorder->GetValue(*kLeft))->m_nValue);
    EXPECT_EQ(NULL, pBorder->GetValue(*kRight));
    // Each panel reads only its own "Orientation".
    CZPMarkupUIElement* pStack = pDock->GetChildren()->GetElement(1);
    CZPMarkupUIElement* pWrap = pDock->GetChildren()->GetElement(2);
    EXPECT_EQ(0, ZpMarkupCast<CZPMarkupEnum>(pStack->GetValue(*kStackOrientation))->m_nValue);
    EXPECT_EQ(1, ZpMarkupCast<CZPMarkupEnum>(pWrap->GetValue(*kWrapOrientation))->m_nValue);
    EXPECT_EQ(NULL, pStack->GetValue(*kWrapOrientation));
    pRoot->Release();
    for (LPCWSTR lpszPage : { L"<DockPanel><Border DockPanel.Dock='Middle'/></DockPanel>",
                              L"<DockPanel><Border DockPanel.Dock='Lef'/></DockPanel>",
                              L"<DockPanel><Border DockPanel.Dock='LeftX'/></DockPanel>" }) {
        CZPMarkupObject* pBad = pContext->Parse(lpszPage);
        EXPECT_EQ(NULL, pBad) << lpszPage;
        if (pBad != NULL)
            pBad->Release();
    }
    pContext->Release();
}
}  // namespace
