// The gallery control on a plain bar: layout, scrolling and its animation, keyboard, the preview
// notifications and the item drawing.
#include "commandbars_test_support.h"
#include "paint_manager_pixels.h"

#include "commandbars/ZPControlAction.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPScrollBarPaintManager.h"

namespace {

const int kGalleryId = 900;

// A visible bar holding one gallery whose items area is 100 wide (the scroll bar beside it);
// notification codes reaching the site are kept.
struct CBarWithGallery
{
    explicit CBarWithGallery(CTestSite& site, int nHeight = 60) : m_site(site)
    {
        pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL);
        pBar->SetCommandTarget(site.m_hWnd);
        pBar->SetSiteWindow(site.m_hWnd);
        pItems = new CZPControlGalleryItems;
        pItems->SetItemSize(CSize(40, 20));
        pAction = actions->Add(kGalleryId);
        pAction->SetItems(pItems);
        pGallery = static_cast<CZPControlGallery*>(pBar->GetControls()->Append(new CZPControlGallery));
        pGallery->SetAction(pAction);
        cxBar = ZpGetPaintManager()->GetGalleryPaintManager()->m_cxVScroll;
        pGallery->SetRect(CRect(0, 0, 100 + cxBar, nHeight));
        site.m_answer = [this](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
            if (message == ZpMsgExecute)
                codes.push_back(reinterpret_cast<const ZpControlNotifyRecord*>(lParam)->hdr.code);
            return 0;
        };
    }
    ~CBarWithGallery()
    {
        m_site.m_answer = nullptr;
        pBar->DestroyWindow();
        pBar->InternalRelease();
        pItems->InternalRelease();
        actions->InternalRelease();
    }
    void Relayout() { pGallery->RepositionItems(); }

    CProcessPaintManagerScope m_scope;  // first: the process-wide paint manager goes last
    CRect Item(int i) const { return CRect(pGallery->GetPosition(i).rcItem); }

    CTestSite& m_site;
    CZPControlActions* actions = new CZPControlActions(NULL);  // one reference
    CZPCommandBar* pBar;
    CZPControlGalleryItems* pItems;  // one reference
    CZPControlAction* pAction;       // borrowed from the collection
    CZPControlGallery* pGallery;     // borrowed from the bar's collection
    int cxBar = 0;
    std::vector<UINT> codes;
};

}  // namespace

using Gallery = CommandBarsTest;

TEST_F(Gallery, RowsWrapPastTheRightEdgeAndLabelsStartTheirOwnRows)
{
    CTestSite site;
    CBarWithGallery bar(site);
    bar.pItems->AddItem(1, L"a");
    bar.pItems->AddItem(2, L"b");
    bar.pItems->AddItem(3, L"c");
    bar.pItems->AddLabel(L"group");
    bar.pItems->AddItem(4, L"d");
    bar.pItems->AddItem(5, L"e")->SetSize(CSize(20, 20));
    bar.pItems->AddItem(6, L"f");
    bar.Relayout();
    EXPECT_EQ(CRect(0, 0, 40, 20), bar.Item(0));
    EXPECT_EQ(CRect(40, 0, 80, 20), bar.Item(1));
    EXPECT_EQ(CRect(0, 20, 40, 40), bar.Item(2));   // 120 > 100: wraps
    EXPECT_EQ(CRect(0, 40, 100, 59), bar.Item(3));  // label: 19 high, the full width
    EXPECT_EQ(CRect(0, 60, 40, 80), bar.Item(4));   // the next row 20 lower
    EXPECT_EQ(CRect(40, 60, 60, 80), bar.Item(5));
    EXPECT_EQ(CRect(60, 60, 100, 80), bar.Item(6));  // ends exactly at the edge: fits
    EXPECT_EQ(80, bar.pGallery->GetContentHeight());
    EXPECT_TRUE(bar.pGallery->GetPosition(3).bBeginRow);
    EXPECT_EQ(-1, bar.pGallery->HitTestItem(CPoint(50, 45 - 0)));  // labels are never hot

    bar.pGallery->ShowLabels(FALSE);
    bar.Relayout();
    EXPECT_TRUE(bar.Item(3).IsRectEmpty());
    EXPECT_EQ(CRect(40, 20, 80, 40), bar.Item(4));
    // Margins: negative ones are clamped.
    bar.pGallery->SetMargins(-5, 4, 0, 0);
    EXPECT_EQ(CRect(0, 4, 40, 24), bar.Item(0));
}

TEST_F(Gallery, ScrollingClampsAndShrinkingContentEndsTheAnimation)
{
    CTestSite site;
    CBarWithGallery bar(site);
    for (int i = 0; i < 20; ++i)
        bar.pItems->AddItem(i + 1, L"x");
    bar.Relayout();
    ASSERT_EQ(200, bar.pGallery->GetContentHeight());  // 10 rows of two
    SCROLLINFO si = {};
    bar.pGallery->GetScrollInfo(&si);
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(199, si.nMax);
    EXPECT_EQ(60u, si.nPage);
    bar.pGallery->SetScrollOffset(1000);
    EXPECT_EQ(140, bar.pGallery->GetScrollOffset());
    bar.pGallery->OnHookMouseWheel(0, WHEEL_DELTA, CPoint(0, 0));  // up 3 item heights
    EXPECT_EQ(80, bar.pGallery->GetScrollOffset());
    bar.pGallery->DoScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(100, bar.pGallery->GetScrollOffset());
    bar.pGallery->DoScroll(SB_TOP, 0);
    EXPECT_EQ(0, bar.pGallery->GetScrollOffset());

    // An animation towards the bottom, then the content shrinks: the target follows and the
    // ticks end.
    bar.pGallery->AnimateScrollOffset(140);
    EXPECT_TRUE(bar.pGallery->m_bAnimation);
    bar.pItems->RemoveAll();
    for (int i = 0; i < 8; ++i)
        bar.pItems->AddItem(i + 1, L"x");
    bar.Relayout();
    int nTicks = 0;
    while (bar.pGallery->m_bAnimation && nTicks < 100) {
        bar.pGallery->DoAnimate();
        ++nTicks;
    }
    EXPECT_FALSE(bar.pGallery->m_bAnimation);
    EXPECT_EQ(20, bar.pGallery->GetScrollOffset());

    // Item height 0: the wheel still moves (one pixel a line), nothing divides by zero.
    bar.pItems->SetItemSize(CSize(40, 0));
    bar.Relayout();
    bar.pGallery->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint(0, 0));
    EXPECT_EQ(0, bar.pGallery->GetScrollOffset());
}

TEST_F(Gallery, AnimationStepsAreAThirdWhenRepeatingFastElseAnEighth)
{
    CTestSite site;
    CBarWithGallery bar(site);
    for (int i = 0; i < 40; ++i)
        bar.pItems->AddItem(i + 1, L"x");
    bar.Relayout();
    const struct
    {
        int nDelay, nFirstStep;
    } cases[] = { { 50, 80 / 3 }, { 400, 80 / 8 } };
    for (const auto& c : cases) {
        bar.pGallery->SetScrollOffset(0);
        bar.pGallery->m_nRepeatDelay = c.nDelay;
        bar.pGallery->AnimateScrollOffset(80);
        EXPECT_EQ(c.nFirstStep, bar.pGallery->GetScrollOffset()) << c.nDelay;
        while (bar.pGallery->m_bAnimation)
            bar.pGallery->DoAnimate();
        EXPECT_EQ(80, bar.pGallery->GetScrollOffset());
    }
}

TEST_F(Gallery, KeyboardMovesAndPreviewNotifications)
{
    CTestSite site;
    CBarWithGallery bar(site, 200);
    for (int i = 0; i < 5; ++i)
        bar.pItems->AddItem(i + 1, L"x");  // rows: 0 1 / 2 3 / 4
    bar.Relayout();
    bar.pGallery->SetSelectedRaw(zpSelectionKeyboard);
    const struct
    {
        UINT nKey;
        int nHot;
    } steps[] = {
        { VK_HOME, 0 }, { VK_RIGHT, 1 }, { VK_RIGHT, 0 }, { VK_LEFT, 1 },
        { VK_DOWN, 3 }, { VK_DOWN, 0 },  // nothing below 3 and no other control on the bar: wraps to the first
        { VK_END, 4 },  { VK_UP, 2 },
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(bar.pGallery->OnHookKeyDown(s.nKey, 0)) << s.nKey;
        EXPECT_EQ(s.nHot, bar.pGallery->GetHotItem()) << s.nKey;
    }
    // The first keyboard choice starts the preview: 0x1010 before 0x1013, then 0x1015.
    ASSERT_GE(bar.codes.size(), 3u);
    EXPECT_EQ((std::vector<UINT>{ ZP_GN_PREVIEW_START, ZP_GN_PREVIEW_CHANGE, ZP_GN_SELCHANGE }),
              std::vector<UINT>(bar.codes.begin(), bar.codes.begin() + 3));
    EXPECT_TRUE(bar.pGallery->IsPreviewRunning());
    bar.codes.clear();
    bar.pGallery->Execute();
    ASSERT_FALSE(bar.codes.empty());
    EXPECT_EQ(ZP_GN_PREVIEW_APPLY, bar.codes[0]);
    EXPECT_FALSE(bar.pGallery->IsPreviewRunning());

    // The mouse takes the hot item, hovering starts the preview, leaving cancels it.
    bar.codes.clear();
    bar.pGallery->TrackHotItem(CPoint(50, 10));
    bar.pGallery->OnMouseHover();
    EXPECT_EQ((std::vector<UINT>{ ZP_GN_SELCHANGE, ZP_GN_PREVIEW_START, ZP_GN_PREVIEW_CHANGE }), bar.codes);
    EXPECT_EQ(1, bar.pGallery->GetHotItem());
    bar.codes.clear();
    bar.pGallery->TrackHotItem(CPoint(-1, -1));
    EXPECT_EQ((std::vector<UINT>{ ZP_GN_PREVIEW_CHANGE, ZP_GN_PREVIEW_CANCEL, ZP_GN_SELCHANGE }), bar.codes);
    EXPECT_EQ(-1, bar.pGallery->GetHotItem());
    bar.pGallery->SetSelectedRaw(zpSelectionNone);
}

TEST_F(Gallery, WithoutItemsOnlyBackgroundAndScrollBarAreDrawn)
{
    CTestSite site;
    CBarWithGallery bar(site);
    bar.pGallery->SetAction(NULL);
    EXPECT_EQ(0, bar.pGallery->GetItemCount());
    EXPECT_EQ(-1, bar.pGallery->HitTestItem(CPoint(10, 10)));
    CDibSection dib(200, 100, RGB(1, 2, 3));
    {
        CDibDC dc(dib);
        bar.pGallery->Draw(&dc);
    }
    ::GdiFlush();
    const COLORREF clrFill = ZpGetPaintManager()->GetColor(41);
    EXPECT_EQ(clrFill, dib.GetPixel(50, 30));
    EXPECT_NE(clrFill, dib.GetPixel(100 + bar.cxBar / 2, 2));  // the scroll bar's arrow
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(150, 30));

    // Items drawn: a checked item is painted differently from a plain one.
    bar.pGallery->SetAction(bar.pAction);
    bar.pItems->AddItem(1, L"");
    bar.pItems->AddItem(2, L"");
    bar.Relayout();
    bar.pGallery->SetCheckedItem(2);
    dib.Fill(RGB(1, 2, 3));
    {
        CDibDC dc(dib);
        bar.pGallery->Draw(&dc);
    }
    ::GdiFlush();
    EXPECT_EQ(clrFill, dib.GetPixel(20, 10));
    EXPECT_NE(clrFill, dib.GetPixel(60, 10));
}

TEST_F(Gallery, AccessibilityAnswersItemsAsSimpleChildren)
{
    CTestSite site;
    CBarWithGallery bar(site);
    bar.pItems->AddItem(1, L"&Red");
    bar.pItems->AddItem(2, L"")->SetToolTip(L"Green tip");
    bar.pItems->AddLabel(L"More");
    bar.pItems->AddItem(4, L"Blue");
    bar.Relayout();
    bar.pGallery->SetCheckedItem(4);
    CZPControlGallery* g = bar.pGallery;

    long nChildren = 0;
    ASSERT_EQ(S_OK, g->GetAccessibleChildCount(&nChildren));
    EXPECT_EQ(4, nChildren);
    VARIANT var;
    ASSERT_EQ(S_OK, g->GetAccessibleRole(ZpTestChildId(0), &var));
    EXPECT_EQ(ROLE_SYSTEM_LIST, var.lVal);
    ASSERT_EQ(S_OK, g->GetAccessibleRole(ZpTestChildId(1), &var));
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, var.lVal);
    IDispatch* pChild = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(S_FALSE, g->GetAccessibleChild(ZpTestChildId(2), &pChild));
    EXPECT_EQ(NULL, pChild);

    // Names: the caption without mnemonic markers, else the tooltip text.
    const struct
    {
        long nChild;
        const wchar_t* pszName;
    } names[] = { { 1, L"Red" }, { 2, L"Green tip" }, { 4, L"Blue" } };
    for (const auto& n : names) {
        BSTR bstr = NULL;
        ASSERT_EQ(S_OK, g->GetAccessibleName(ZpTestChildId(n.nChild), &bstr)) << n.nChild;
        EXPECT_STREQ(n.pszName, bstr);
        ::SysFreeString(bstr);
    }
    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, g->GetAccessibleDefaultAction(ZpTestChildId(1), &bstr));
    EXPECT_STREQ(L"Click", bstr);
    ::SysFreeString(bstr);

    // States: focusable and selectable; selected when checked; focused once hot.
    ASSERT_EQ(S_OK, g->GetAccessibleState(ZpTestChildId(4), &var));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED, var.lVal);
    bar.codes.clear();
    ASSERT_EQ(S_OK, g->AccessibleDoDefaultAction(ZpTestChildId(2)));
    EXPECT_EQ(1, g->GetHotItem());
    ASSERT_EQ(S_OK, g->GetAccessibleState(ZpTestChildId(2), &var));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED, var.lVal);
    // The default action makes the item hot and executes nothing.
    EXPECT_EQ(bar.codes.end(), std::find(bar.codes.begin(), bar.codes.end(), ZP_GN_PREVIEW_APPLY));
    ASSERT_EQ(S_OK, g->AccessibleSelect(SELFLAG_TAKEFOCUS, ZpTestChildId(1)));
    EXPECT_EQ(0, g->GetHotItem());

    // Location in screen coordinates and hit testing back to the child.
    CPoint ptOrigin(0, 0);
    bar.pBar->ClientToScreen(&ptOrigin);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, g->AccessibleLocation(&x, &y, &cx, &cy, ZpTestChildId(2)));
    EXPECT_EQ(CRect(ptOrigin.x + 40, ptOrigin.y, ptOrigin.x + 80, ptOrigin.y + 20), CRect(x, y, x + cx, y + cy));
    ASSERT_EQ(S_OK, g->AccessibleHitTest(x + 5, y + 5, &var));
    EXPECT_EQ(2, var.lVal);
    ASSERT_EQ(S_OK, g->AccessibleHitTest(ptOrigin.x + 50, ptOrigin.y + 25, &var));  // over the label
    EXPECT_EQ(CHILDID_SELF, var.lVal);

    // Ids out of range or of another kind, and a client holding a removed gallery.
    EXPECT_EQ(E_INVALIDARG, g->GetAccessibleName(ZpTestChildId(5), &bstr));
    EXPECT_EQ(E_INVALIDARG, g->GetAccessibleState(ZpTestChildId(-1), &var));
    EXPECT_EQ(E_INVALIDARG, g->AccessibleSelect(SELFLAG_TAKEFOCUS, ZpTestChildId(9)));
    VARIANT bad;
    ::VariantInit(&bad);
    bad.vt = VT_BSTR;
    bad.bstrVal = ::SysAllocString(L"1");
    EXPECT_EQ(E_INVALIDARG, g->GetAccessibleRole(bad, &var));
    ::VariantClear(&bad);
    CRefPtr<CZPControl> held = CRefPtr<CZPControl>::AddRef(g);
    bar.pBar->GetControls()->Remove(g);
    EXPECT_EQ(E_FAIL, held->GetAccessibleState(ZpTestChildId(1), &var));
    EXPECT_EQ(E_FAIL, held->AccessibleDoDefaultAction(ZpTestChildId(1)));
    held.Reset();
}
namespace {

// A popup holding a resizable gallery with items lays out a grip below it, sized by the resize
// mode; only its far-end square starts a resize unless the gallery resizes in height only.
TEST_F(Gallery, APopupWithAResizableGalleryGetsAGripByItsResizeMode)
{
    CProcessPaintManagerScope scope;
    CRefPtr<CZPControlActions> actions = CRefPtr<CZPControlActions>::Adopt(new CZPControlActions(NULL));
    CRefPtr<CZPControlGalleryItems> items = CRefPtr<CZPControlGalleryItems>::Adopt(new CZPControlGalleryItems);
    items->SetItemSize(CSize(40, 20));
    CZPControlAction* pAction = actions->Add(kGalleryId);
    pAction->SetItems(items.Get());
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    auto* pGallery = static_cast<CZPControlGallery*>(popup->GetControls()->Append(new CZPControlGallery));
    pGallery->SetAction(pAction);
    pGallery->SetWidth(120);
    pGallery->SetHeight(60);

    const struct
    {
        int nResizable;
        BOOL bItems;
        int nGripMode;
        int nGripHeight;
    } cases[] = { { 0, TRUE, 0, 0 }, { 3, FALSE, 0, 0 }, { 3, TRUE, 3, 11 }, { 1, TRUE, 1, 11 }, { 2, TRUE, 2, 8 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nResizable * 10 + c.bItems);
        if (c.bItems && items->GetItemCount() == 0)
            items->AddItem(1, L"a");
        if (!c.bItems)
            items->RemoveAll();
        pGallery->SetResizable(c.nResizable);
        const CSize size = popup->CalcPopupLayout(0, 0);
        EXPECT_EQ(c.nGripMode, popup->GetGripMode());
        const CRect rcGrip = popup->GetGripRect();
        EXPECT_EQ(c.nGripHeight, rcGrip.Height());
        if (c.nGripMode == 0) {
            EXPECT_FALSE(popup->HitTestGrip(CPoint(size.cx - 2, size.cy - 2)));
            continue;
        }
        // Below the gallery, inside the borders.
        EXPECT_GE(rcGrip.top, pGallery->GetRect().bottom);
        EXPECT_LE(rcGrip.bottom, size.cy);
        const CPoint ptFarEnd(rcGrip.right - 1, rcGrip.top + 1);
        const CPoint ptNearEnd(rcGrip.left + 1, rcGrip.top + 1);
        EXPECT_TRUE(popup->HitTestGrip(ptFarEnd));
        EXPECT_EQ(c.nGripMode == 2, popup->HitTestGrip(ptNearEnd));
    }
}

}  // namespace

// The smallest size a resize leaves: one item inside the borders, the scroll bar's column and the
// margins, at least 32 high; the drop-down of a gallery is never narrower than that gallery.
TEST_F(Gallery, MinimumSizeIsOneItemInsideTheBorders)
{
    CTestSite site;
    CBarWithGallery bar(site);
    CZPControlGallery* g = bar.pGallery;
    EXPECT_EQ(0, g->GetCustomizeMinWidth());  // no items
    EXPECT_EQ(0, g->GetCustomizeMinHeight());
    bar.pItems->AddItem(1, L"a");
    EXPECT_EQ(bar.cxBar + 40, g->GetCustomizeMinWidth());
    EXPECT_EQ(32, g->GetCustomizeMinHeight());
    bar.pItems->SetItemSize(CSize(8, 30));
    g->ShowBorders(TRUE);
    g->SetMargins(1, 2, 3, 4);
    EXPECT_EQ(1 + 1 + bar.cxBar + 1 + 3 + 16, g->GetCustomizeMinWidth());  // items keep 16 at least
    EXPECT_EQ(1 + 2 + 30 + 1 + 4, g->GetCustomizeMinHeight());

    // Inside the drop-down of a gallery: that gallery's width.
    g->SetRect(CRect(0, 0, 250, 60));
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    popup->SetControlPopup(g);
    auto* pInner = static_cast<CZPControlGallery*>(popup->GetControls()->Append(new CZPControlGallery));
    pInner->SetAction(bar.pAction);
    EXPECT_EQ(250, pInner->GetCustomizeMinWidth());
    // Without a bar nothing bounds it.
    CRefPtr<CZPControl> held = CRefPtr<CZPControl>::AddRef(pInner);
    popup->GetControls()->Remove(pInner);
    EXPECT_EQ(0, pInner->GetCustomizeMinWidth());
    EXPECT_EQ(0, pInner->GetCustomizeMinHeight());
    held.Reset();
    popup->SetControlPopup(NULL);
}
