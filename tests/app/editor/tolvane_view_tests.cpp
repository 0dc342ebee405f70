// The main view's bridges on tab 0, its right-to-left switch and its tab strip's look.
#include "app_test_support.h"

#include "DibSection.h"

#include <common/ZPColorManager.h>
#include <tabmanager/ZPTabColorSet.h>
#include <tabmanager/ZPTabManagerItem.h>
#include <tabmanager/ZPTabPaintManager.h>

namespace {

const char kXml[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                    "\t<key>\xe6\x9d\xb1\xe4\xba\xac</key>\n\t<string>x</string>\n</dict>\n</plist>\n";

class TolvaneViewTest : public DocHostTest
{
protected:
    void SetUp() override
    {
        DocHostTest::SetUp();
        const std::wstring path = TestFolder() + L"main-view.plist";
        WriteFileBytes(path, kXml);
        ASSERT_TRUE(m_host->Open(path));
    }
};

TEST_F(TolvaneViewTest, SearchesWorkOnTabZeroOnly)
{
    CTolvaneView& view = m_host->MainView();
    const std::string before = m_host->EditorText();
    const Sci_Position nAt = static_cast<Sci_Position>(before.find("\xe6\x9d\xb1"));
    EXPECT_TRUE(view.Find(L"\u6771\u4eac", 0, 1));
    EXPECT_EQ(m_host->Editor().GetSelectionStart(), nAt);
    EXPECT_EQ(m_host->Editor().GetSelectionEnd(), nAt + 6);
    EXPECT_FALSE(view.Find(L"absent", 0, 1));

    // Away from tab 0 every search reports success and leaves the text alone.
    ASSERT_TRUE(view.AddView(RUNTIME_CLASS(CXmlView), L"Second", 2));
    EXPECT_EQ(view.GetTabControl().GetItemCount(), 2);
    EXPECT_EQ(::GetDlgCtrlID(view.GetTabControl().GetItem(1)->GetHandle()), 0xE901);
    view.GetTabControl().SetCurSel(1);
    ASSERT_EQ(view.GetTabControl().GetCurSel(), 1);
    EXPECT_TRUE(view.Find(L"absent", 0, 1));
    EXPECT_TRUE(view.Replace(L"x", L"y", 0, 1));
    EXPECT_TRUE(view.ReplaceAll(L"x", L"y", 0));
    EXPECT_EQ(m_host->EditorText(), before);
    // The text for saving does not depend on the selected tab.
    size_t nLength = 0;
    LPCSTR pText = view.GetText(&nLength);
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(std::string(pText, nLength), before);

    view.GetTabControl().SetCurSel(0);
    EXPECT_TRUE(view.ReplaceAll(L"x", L"\u00e9", 0));
    EXPECT_NE(m_host->EditorText().find("<string>\xc3\xa9</string>"), std::string::npos);
}

TEST_F(TolvaneViewTest, RightToLeftLayoutReachesEveryDescendant)
{
    CTolvaneView& view = m_host->MainView();
    const HWND windows[] = { view.m_hWnd, view.GetTabControl().m_hWnd, m_host->View().m_hWnd, m_host->Editor().m_hWnd };
    SetLayoutRtlRecursive(view.m_hWnd, TRUE);
    for (HWND hWnd : windows)
        EXPECT_NE(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    SetLayoutRtlRecursive(view.m_hWnd, FALSE);
    for (HWND hWnd : windows)
        EXPECT_EQ(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
}

// The strip printed as the view sets it up: property page 2003 tabs in the Office 2003 colours,
// hot tracking and theme colours on; the pixels come from the colour set the control chose.
TEST_F(TolvaneViewTest, TabStripDrawsInTheOffice2003Colours)
{
    CZPTabControl& tabs = m_host->MainView().GetTabControl();
    CZPTabPaintManager* pm = tabs.GetPaintManager();
    EXPECT_EQ(3, pm->GetAppearance());
    EXPECT_EQ(4, pm->GetColor());
    EXPECT_TRUE(pm->m_bHotTracking);
    EXPECT_FALSE(pm->AreThemeColorsDisabled());

    CRect rcClient;
    ::GetClientRect(tabs.m_hWnd, &rcClient);
    ASSERT_FALSE(rcClient.IsRectEmpty());
    CDibSection dib(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
    EXPECT_EQ(TRUE, ::SendMessageW(tabs.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT));

    CZPTabPaintManager::CColorSet* pColors = pm->GetColorSet();
    const COLORREF clrBorder = pColors->m_clrSelectedTabBorder, clrFill = pColors->m_clrSelectedFill;
    ASSERT_EQ(tabs.GetCurSel(), 0);
    const CRect rc(tabs.GetItem(0)->GetRect());
    ASSERT_EQ(tabs.GetItem(0)->GetCaption(), CString(L"XML View"));
    // Outline, the white inner line under it, and the fill's gradient from light at the top.
    EXPECT_EQ(clrBorder, dib.GetPixel(rc.right, rc.top + 4));
    EXPECT_EQ(clrBorder, dib.GetPixel(rc.CenterPoint().x, rc.top));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(rc.CenterPoint().x, rc.top + 1));
    EXPECT_EQ(CZPColorManager::WeightedMix(clrFill, 0xFFFFFF, 300), dib.GetPixel(rc.right - 3, rc.top + 2));
    EXPECT_EQ(clrFill, dib.GetPixel(rc.right - 3, rc.bottom - 1));
    // The client area under the editor framed in the selected border colour.
    EXPECT_EQ(clrBorder, dib.GetPixel(1, dib.Height() - 1));
}

}  // namespace
