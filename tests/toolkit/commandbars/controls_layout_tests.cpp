// Layout of a collection in rows and popup columns, with controls of fixed sizes.
#include "commandbars_test_support.h"

namespace {

using ControlsLayoutTest = CommandBarsTest;

const CRect kBorders(2, 3, 4, 5);

struct CBar
{
    CBar() : pBar(new CZPCommandBar) {}
    ~CBar() { pBar->InternalRelease(); }
    CTestControl* Add(int cx, int cy, DWORD dwFlags = 0, BOOL bBeginGroup = FALSE)
    {
        CTestControl* p = static_cast<CTestControl*>(pBar->GetControls()->Append(new CTestControl));
        p->m_size = CSize(cx, cy);
        p->SetFlags(dwFlags);
        p->SetBeginGroup(bBeginGroup);
        return p;
    }
    CZPControls* Controls() const { return pBar->GetControls(); }
    CZPCommandBar* pBar;
};

TEST_F(ControlsLayoutTest, EmptyBarAndEmptyPopup)
{
    CBar bar;
    bar.Add(10, 10)->SetVisible(FALSE);
    EXPECT_EQ(CSize(2 + 4 + 23, 3 + 5 + 22), bar.Controls()->LayoutControls(NULL, 500, ZP_LM_HORZDOCK, kBorders));
    EXPECT_EQ(CSize(2 + 4 + 23, 80), bar.Controls()->LayoutControls(NULL, 500, ZP_LM_HORZDOCK, kBorders, 80));
    EXPECT_EQ(CSize(2 + 4 + 24, 3 + 5 + 22), bar.Controls()->LayoutPopup(NULL, 0, 0, kBorders));
}

TEST_F(ControlsLayoutTest, OneRowGetsTheFullHeightAndCentredControls)
{
    CBar bar;
    CTestControl* a = bar.Add(20, 10);
    CTestControl* b = bar.Add(30, 20);
    CSize size = bar.Controls()->LayoutControls(NULL, 500, ZP_LM_HORZDOCK | ZP_LM_COMMIT, kBorders);
    EXPECT_EQ(CSize(2 + 50 + 4, 3 + 20 + 5), size);
    EXPECT_EQ(CRect(2, 8, 22, 18), a->GetRect());
    EXPECT_EQ(CRect(22, 3, 52, 23), b->GetRect());
    EXPECT_EQ(CRect(2, 3, 52, 23), a->GetRowRect());
    EXPECT_EQ(1, a->m_nMeasured);
}

TEST_F(ControlsLayoutTest, WrapFlagStartsARowWhateverTheWidth)
{
    CBar bar;
    bar.Add(20, 20);
    CTestControl* b = bar.Add(20, 20, zpFlagWrapRow);
    CTestControl* c = bar.Add(20, 20);
    CSize size = bar.Controls()->LayoutControls(NULL, 5000, ZP_LM_HORZDOCK | ZP_LM_COMMIT, CRect(0, 0, 0, 0));
    EXPECT_EQ(40, size.cy);
    EXPECT_TRUE(b->GetWrap());
    EXPECT_FALSE(c->GetWrap());
    EXPECT_EQ(CRect(20, 20, 40, 40), c->GetRect());
}

TEST_F(ControlsLayoutTest, HideModeHidesWhatDoesNotFit)
{
    CBar bar;
    bar.Add(40, 20);
    CTestControl* b = bar.Add(40, 20);
    CTestControl* c = bar.Add(40, 20);
    bar.Controls()->LayoutControls(NULL, 60, ZP_LM_HORZDOCK | ZP_LM_COMMIT | ZP_LM_HIDEWRAP, CRect(0, 0, 0, 0));
    EXPECT_TRUE(b->GetHideFlags() & zpHideWrap);
    EXPECT_TRUE(c->GetHideFlags() & zpHideWrap);
    bar.Controls()->LayoutControls(NULL, 500, ZP_LM_HORZDOCK | ZP_LM_COMMIT | ZP_LM_HIDEWRAP, CRect(0, 0, 0, 0));
    EXPECT_FALSE(b->GetHideFlags() & zpHideWrap);
}

TEST_F(ControlsLayoutTest, FarEndAndStretchedControls)
{
    CBar bar;
    CTestControl* a = bar.Add(20, 20, zpFlagControlStretched);
    CTestControl* b = bar.Add(20, 20);
    CTestControl* c = bar.Add(20, 20, zpFlagRightAlign);
    bar.Controls()->LayoutControls(NULL, 206, ZP_LM_HORZDOCK | ZP_LM_COMMIT | ZP_LM_STRETCH, kBorders);
    EXPECT_EQ(202, c->GetRect().right);  // 206 less the right border
    EXPECT_EQ(CRect(2, 3, 2 + 20 + 140, 23), a->GetRect());
    EXPECT_EQ(162, b->GetRect().left);
}

TEST_F(ControlsLayoutTest, WrappingFitsTheWidthAndHugeSizesSaturate)
{
    struct Case
    {
        int nLength;
        int nRows;
    } cases[] = { { 1000, 1 }, { 60, 1 }, { 59, 2 }, { 40, 2 }, { 39, 3 }, { 0, 3 }, { -5, 3 } };
    for (const Case& c : cases) {
        CBar bar;
        for (int i = 0; i < 3; ++i)
            bar.Add(20, 10);
        CSize size = bar.Controls()->LayoutControls(NULL, c.nLength, ZP_LM_COMMIT, CRect(0, 0, 0, 0));
        EXPECT_EQ(10 * c.nRows, size.cy) << c.nLength;
    }
    CBar huge;
    huge.Add(INT_MAX, INT_MAX);
    huge.Add(INT_MAX, 10);
    CSize size = huge.Controls()->LayoutControls(NULL, INT_MAX, ZP_LM_HORZDOCK | ZP_LM_COMMIT, kBorders);
    EXPECT_EQ(INT_MAX, size.cx);
    EXPECT_GT(size.cy, 0);
}

TEST_F(ControlsLayoutTest, PopupColumns)
{
    CBar bar;
    CTestControl* a = bar.Add(50, 20);
    CTestControl* b = bar.Add(80, 20);
    CTestControl* c = bar.Add(60, 20);
    // A maximum height of two controls opens a second column; the first gets its widest width.
    CSize size = bar.Controls()->LayoutPopup(NULL, 40 + 3 + 5, 0, kBorders);
    EXPECT_EQ(80, a->GetRect().Width());
    EXPECT_TRUE(c->GetWrap());
    EXPECT_EQ(CRect(82, 3, 142, 23), c->GetRect());
    EXPECT_EQ(CSize(2 + 4 + 140, 3 + 5 + 40), size);
    EXPECT_EQ(CRect(2, 3, 82, 43), b->GetRowRect());

    // A maximum height below one control opens no empty column; fixed widths out of range are ignored.
    struct Case
    {
        int nMaxHeight;
        int nFixedWidth;
        int nWidth;
    } cases[] = { { 1, 0, 2 + 4 + 190 }, { 0, 30000, 2 + 4 + 80 }, { 0, 1, 2 + 4 + 24 }, { 0, 106, 106 } };
    for (const Case& k : cases) {
        size = bar.Controls()->LayoutPopup(NULL, k.nMaxHeight, k.nFixedWidth, kBorders);
        EXPECT_EQ(k.nWidth, size.cx) << k.nMaxHeight << " " << k.nFixedWidth;
        EXPECT_FALSE(a->GetWrap());
    }
}

}  // namespace
