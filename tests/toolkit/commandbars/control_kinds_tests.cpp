// List placeholders, simple controls, the selector and progress: generated items, labels,
// hyperlink safety and pixels, grid growth and progress clamping.
#include "commandbars_test_support.h"
#include "paint_manager_test_theme.h"

#include <framework/app.h>
#include <framework/mdi.h>

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlCustom.h"
#include "commandbars/ZPControlHyperlink.h"
#include "commandbars/ZPControlLabel.h"
#include "commandbars/ZPControlLists.h"
#include "commandbars/ZPControlProgress.h"
#include "commandbars/ZPControlSelector.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPPropExchange.h"
#include "common/ZPPropExchangeRegistry.h"
#include "DibSection.h"

#include <framework/refptr.h>

#include <string>
#include <vector>

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::vector<std::wstring> Captions(CZPCommandBar* pBar)
{
    std::vector<std::wstring> captions;
    for (int i = 0; i < pBar->GetControls()->GetCount(); ++i)
        captions.push_back(static_cast<LPCWSTR>(pBar->GetControls()->GetAt(i)->GetCaptionRaw()));
    return captions;
}

TEST(MenuLabelTest, NumbersAndAmpersands)
{
    struct Case
    {
        int n;
        LPCWSTR text;
        LPCWSTR label;
    } cases[] = { { 0, L"A&B", L"A&&B" },     { 1, L"one", L"&1 one" },   { 9, L"nine", L"&9 nine" },
                  { 10, L"ten", L"1&0 ten" }, { 11, L"x&y", L"11 x&&y" }, { 25, L"t", L"25 t" } };
    for (const Case& c : cases)
        EXPECT_STREQ(c.label, ZpMakeMenuLabel(c.n, c.text)) << c.n;
}

// A recent-file placeholder whose list is the test's own.
class CTestRecentFiles : public CZPControlRecentFileList
{
public:
    CRecentFileList* GetRecentFileList() override { return m_pList; }
    CRecentFileList* m_pList = NULL;  // borrowed
};

class RecentFilesTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pCommandBars = new CZPCommandBars;
        m_popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(m_pCommandBars));
        m_popup->GetControls()->Add(zpControlButton, 1)->SetCaption(L"Open");
        m_pPlaceholder = new CTestRecentFiles;
        m_popup->GetControls()->AddControl(m_pPlaceholder, ZP_ID_FILE_MRU_FIRST);
        m_pPlaceholder->SetCaption(L"Recent File");
        m_popup->GetControls()->Add(zpControlButton, 2)->SetCaption(L"Exit");
    }
    void TearDown() override
    {
        m_popup.Reset();
        m_pCommandBars->InternalRelease();
        delete m_pList;
        CommandBarsTest::TearDown();
    }
    void Files(int nCount, LPCWSTR lpszFirst = L"C:\\docs\\file")
    {
        delete m_pList;
        m_pList = new CRecentFileList(0, L"Recent", L"File%d", nCount > 0 ? nCount : 4);
        for (int i = nCount - 1; i >= 0; --i) {
            CString strName;
            strName.Format(L"%s%d.plist", lpszFirst, i + 1);
            m_pList->Add(strName);
        }
        m_pPlaceholder->m_pList = m_pList;
    }
    void Layout() { m_popup->CalcPopupLayout(0, 0); }

    CZPCommandBars* m_pCommandBars = NULL;
    CRefPtr<CZPPopupBar> m_popup;
    CTestRecentFiles* m_pPlaceholder = NULL;  // owned by the popup's controls
    CRecentFileList* m_pList = NULL;
};

TEST_F(RecentFilesTest, EmptyListShowsThePlaceholderDisabled)
{
    Files(0);
    Layout();
    EXPECT_EQ(3, m_popup->GetControls()->GetCount());
    EXPECT_EQ(zpHideNone, m_pPlaceholder->GetHideFlags());
    EXPECT_FALSE(m_pPlaceholder->GetEnabled());
}

TEST_F(RecentFilesTest, ItemsFollowThePlaceholderOnceAcrossLayouts)
{
    Files(3);
    Layout();
    Layout();
    ASSERT_EQ(6, m_popup->GetControls()->GetCount());
    EXPECT_NE(0u, m_pPlaceholder->GetHideFlags() & zpHideGeneric);
    for (int n = 0; n < 3; ++n) {
        CZPControl* pItem = m_popup->GetControls()->GetAt(2 + n);
        EXPECT_EQ(ZP_ID_FILE_MRU_FIRST + n, pItem->GetID());
        EXPECT_TRUE(pItem->IsTemporary());
        EXPECT_EQ(static_cast<DWORD>(zpFlagManualUpdate), pItem->GetFlags());
        EXPECT_EQ(n == 0, !!pItem->GetBeginGroup());
        EXPECT_EQ(0, pItem->GetCaptionRaw().Find(n == 0 ? L"&1 " : n == 1 ? L"&2 " : L"&3 "));
    }
    EXPECT_STREQ(L"Exit", m_popup->GetControls()->GetAt(5)->GetCaptionRaw());
}

TEST_F(RecentFilesTest, TenthAndEleventhLabels)
{
    Files(11, L"C:\\a&b\\f");
    Layout();
    ASSERT_EQ(3 + 11, m_popup->GetControls()->GetCount());
    const CString strTenth = m_popup->GetControls()->GetAt(2 + 9)->GetCaptionRaw();
    const CString strEleventh = m_popup->GetControls()->GetAt(2 + 10)->GetCaptionRaw();
    EXPECT_EQ(0, strTenth.Find(L"1&0 ")) << static_cast<LPCWSTR>(strTenth);
    EXPECT_EQ(0, strEleventh.Find(L"11 ")) << static_cast<LPCWSTR>(strEleventh);
    // The ampersand of the folder shows once: the label doubles it.
    EXPECT_NE(-1, strTenth.Find(L"a&&b")) << static_cast<LPCWSTR>(strTenth);
    Files(10);
    Layout();
    EXPECT_EQ(3 + 10, m_popup->GetControls()->GetCount());
}

TEST_F(RecentFilesTest, CustomizeModeShowsOnlyThePlaceholder)
{
    Files(3);
    Layout();
    m_pCommandBars->SetCustomizeMode(TRUE);
    Layout();
    EXPECT_EQ(3, m_popup->GetControls()->GetCount());
    EXPECT_EQ(zpHideNone, m_pPlaceholder->GetHideFlags());
    EXPECT_TRUE(m_pPlaceholder->GetEnabled());
    m_pCommandBars->SetCustomizeMode(FALSE);
}

TEST_F(RecentFilesTest, DropOnlyOnPopupBars)
{
    CRefPtr<CZPCommandBar> toolbar = CRefPtr<CZPCommandBar>::Adopt(new CZPCommandBar);
    CZPControl* pOnToolbar = toolbar->GetControls()->Add(zpControlButton, 5);
    EXPECT_FALSE(m_pPlaceholder->IsCustomizeDropAllowed(pOnToolbar));
    EXPECT_TRUE(m_pPlaceholder->IsCustomizeDropAllowed(m_popup->GetControls()->GetAt(0)));
    EXPECT_FALSE(m_pPlaceholder->IsCustomizeDropAllowed(NULL));
}

// An MDI frame with n visible children and command bars sited on it.
class WindowListTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        CZPControlWindowList::ResetFirstMdiId();
        m_pFrame = new CMDIFrameWnd();  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(NULL, L"Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_pFrame->m_hWnd);
        m_popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(m_pCommandBars));
        m_popup->GetControls()->Add(zpControlButton, 1)->SetCaption(L"Cascade");
        m_pPlaceholder =
            static_cast<CZPControlWindowList*>(m_popup->GetControls()->AddControl(new CZPControlWindowList, 35000));
    }
    void TearDown() override
    {
        m_popup.Reset();
        m_pCommandBars->InternalRelease();
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        Pump();
        CZPControlWindowList::ResetFirstMdiId();
        CommandBarsTest::TearDown();
    }
    void AddChildren(int nCount)
    {
        for (int i = 0; i < nCount; ++i) {
            CString strTitle;
            strTitle.Format(i == 0 ? L"Doc&%d" : L"Doc%d", i + 1);
            CMDIChildWnd* pChild = new CMDIChildWnd();
            ASSERT_TRUE(pChild->Create(NULL, strTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                       CFrameWnd::rectDefault, m_pFrame));
        }
    }
    CMDIFrameWnd* m_pFrame = NULL;
    CZPCommandBars* m_pCommandBars = NULL;
    CRefPtr<CZPPopupBar> m_popup;
    CZPControlWindowList* m_pPlaceholder = NULL;  // owned by the popup's controls
};

TEST_F(WindowListTest, NoChildrenShowsThePlaceholder)
{
    m_popup->CalcPopupLayout(0, 0);
    EXPECT_EQ(2, m_popup->GetControls()->GetCount());
}

TEST_F(WindowListTest, ListsAtMostNineWindowsWithTheActiveChecked)
{
    AddChildren(11);
    const HWND hWndSecond = ::GetDlgItem(m_pFrame->m_hWndMDIClient, CZPControlWindowList::GetFirstMdiId() + 1);
    ::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWndSecond), 0);
    m_popup->CalcPopupLayout(0, 0);
    m_popup->CalcPopupLayout(0, 0);
    ASSERT_EQ(2 + ZP_WINDOW_LIST_MAX, m_popup->GetControls()->GetCount());
    EXPECT_NE(0u, m_pPlaceholder->GetHideFlags() & zpHideGeneric);
    int nChecked = 0;
    for (int i = 2; i < m_popup->GetControls()->GetCount(); ++i) {
        CZPControl* pItem = m_popup->GetControls()->GetAt(i);
        EXPECT_TRUE(pItem->IsTemporary());
        EXPECT_EQ(61215, pItem->GetHelpId());
        nChecked += pItem->GetChecked() ? 1 : 0;
    }
    EXPECT_EQ(1, nChecked);
    EXPECT_TRUE(m_popup->GetControls()->GetAt(3)->GetChecked());
    EXPECT_TRUE(m_popup->GetControls()->GetAt(2)->GetBeginGroup());
    EXPECT_STREQ(L"&1 Doc&&1", m_popup->GetControls()->GetAt(2)->GetCaptionRaw());
    EXPECT_STREQ(L"&9 Doc9", m_popup->GetControls()->GetAt(10)->GetCaptionRaw());
}

TEST_F(WindowListTest, CustomizeModeShowsThePlaceholderOnly)
{
    AddChildren(2);
    m_popup->CalcPopupLayout(0, 0);
    m_pCommandBars->SetCustomizeMode(TRUE);
    m_popup->CalcPopupLayout(0, 0);
    EXPECT_EQ(2, m_popup->GetControls()->GetCount());
    EXPECT_EQ(zpHideNone, m_pPlaceholder->GetHideFlags());
}

// Hyperlink: only web and mail addresses reach the shell.
std::vector<std::wstring> g_opened;
HINSTANCE WINAPI RecordOpen(HWND, LPCWSTR lpszVerb, LPCWSTR lpszFile, LPCWSTR, LPCWSTR, INT)
{
    g_opened.push_back(std::wstring(lpszVerb) + L" " + lpszFile);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

TEST(HyperlinkTest, OpensOnlyHttpHttpsAndMailto)
{
    ZpShellExecuteProc pOld = ZpSetHyperlinkShellExecute(RecordOpen);
    g_opened.clear();
    CRefPtr<CZPControlHyperlink> link = CRefPtr<CZPControlHyperlink>::Adopt(new CZPControlHyperlink);
    for (LPCWSTR lpszAddress :
         { L"https://example.org/", L"HTTP://example.org", L"mailto:a@example.org", L"cmd.exe",
           L"C:\\Windows\\system32\\calc.exe", L"file:///C:/x.exe", L"javascript:x", L" http://x", L"http://", L"" }) {
        link->SetTooltip(lpszAddress);
        link->Execute();
    }
    ZpSetHyperlinkShellExecute(pOld);
    EXPECT_EQ((std::vector<std::wstring>{ L"open https://example.org/", L"open HTTP://example.org",
                                          L"open mailto:a@example.org" }),
              g_opened);
    EXPECT_NE(static_cast<HCURSOR>(NULL), link->GetLinkCursor());
}

// Counts the pixels of one colour in a rectangle of the DIB.
int CountColour(CDibSection& dib, CRect rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += dib.GetPixel(x, y) == clr ? 1 : 0;
    return n;
}

TEST(HyperlinkTest, ColoursByState)
{
    CDibSection dib(200, 30);
    CRefPtr<CZPControlHyperlink> link = CRefPtr<CZPControlHyperlink>::Adopt(new CZPControlHyperlink);
    link->SetCaption(L"WWWWW");
    CSize size = link->GetSize(CDC::FromHandle(dib.GetDC()));
    EXPECT_GT(size.cx, 10);
    EXPECT_GT(size.cy, 5);
    link->SetRect(CRect(CPoint(0, 0), size));
    struct Case
    {
        BOOL bEnabled;
        int nSelected;
        COLORREF clr;
    } cases[] = { { TRUE, 0, RGB(0, 0, 255) },
                  { TRUE, 1, RGB(255, 0, 0) },
                  { FALSE, 0, ::GetSysColor(COLOR_GRAYTEXT) } };
    for (const Case& c : cases) {
        dib.Fill(RGB(255, 255, 255));
        link->SetEnabled(c.bEnabled);
        link->SetSelectedRaw(c.nSelected);
        link->Draw(CDC::FromHandle(dib.GetDC()));
        EXPECT_GT(CountColour(dib, CRect(CPoint(0, 0), size), c.clr), 5) << c.bEnabled << c.nSelected;
    }
}

TEST(LabelTest, NeverSelectedAndNotMovable)
{
    CRefPtr<CZPControlLabel> label = CRefPtr<CZPControlLabel>::Adopt(new CZPControlLabel);
    label->SetSelectedRaw(zpSelectionHot);
    EXPECT_EQ(zpSelectionNone, label->GetSelected());
    EXPECT_EQ(ZP_LABEL_FLAGS, label->GetFlags());
    EXPECT_EQ(zpControlLabel, label->GetType());
    CRefPtr<CZPControl> clone =
        CRefPtr<CZPControl>::Adopt(CRefPtr<CZPControlBitmap>::Adopt(new CZPControlBitmap)->Clone(FALSE));
    EXPECT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CZPControlBitmap)));
}

TEST(MarkupLabelTest, ParsesMarkupAndFallsBackForPlainText)
{
    CDibSection dib(200, 60);
    CRefPtr<CZPControlMarkupLabel> label = CRefPtr<CZPControlMarkupLabel>::Adopt(new CZPControlMarkupLabel);
    label->SetCaption(L"<TextBlock><Bold>Bold</Bold> text</TextBlock>");
    ASSERT_NE(static_cast<CZPMarkupUIElement*>(NULL), label->GetMarkupElement());
    CSize size = label->GetSize(CDC::FromHandle(dib.GetDC()));
    EXPECT_GT(size.cx, 10);
    EXPECT_GT(size.cy, 5);
    label->SetRect(CRect(CPoint(0, 0), size));
    dib.Fill(RGB(255, 255, 255));
    label->Draw(CDC::FromHandle(dib.GetDC()));
    EXPECT_GT(CountColour(dib, CRect(CPoint(0, 0), size), RGB(255, 255, 255)), 0);
    EXPECT_LT(CountColour(dib, CRect(CPoint(0, 0), size), RGB(255, 255, 255)), size.cx * size.cy);
    // Text that does not parse keeps no element: the label measures as a plain control.
    label->SetCaption(L"<TextBlock>unclosed");
    EXPECT_EQ(static_cast<CZPMarkupUIElement*>(NULL), label->GetMarkupElement());
    label->SetCaption(L"plain");
    EXPECT_EQ(static_cast<CZPMarkupUIElement*>(NULL), label->GetMarkupElement());
}

// A selector on a popup-sized bar window at the screen origin, commands to a site.
class SelectorTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pBar = ZpTestCreateCaptionedBar(m_site.m_hWnd, {}, 1);
        m_pSelector = static_cast<CZPControlSelector*>(m_pBar->GetControls()->AddControl(new CZPControlSelector, 77));
        m_pSelector->OnBeforeLayout(0);
        m_pSelector->SetRect(CRect(CPoint(0, 0), m_pSelector->GetSize(NULL)));
    }
    void TearDown() override
    {
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        CommandBarsTest::TearDown();
    }
    CTestSite m_site;
    CZPCommandBar* m_pBar = NULL;
    CZPControlSelector* m_pSelector = NULL;  // owned by the bar's controls
};

TEST_F(SelectorTest, StartsAtFiveByFourAndFollowsThePointer)
{
    EXPECT_EQ(CSize(5, 4), m_pSelector->GetShown());
    EXPECT_EQ(CSize(5 * 28, 4 * 28), m_pSelector->GetSize(NULL));
    EXPECT_EQ(CSize(0, 0), m_pSelector->GetSelection());
    const int nBefore = m_site.Count(ZpMsgExecute);
    m_pSelector->OnMouseMove(CPoint(2 * 28 + 5, 5));
    EXPECT_EQ(CSize(3, 1), m_pSelector->GetSelection());
    m_pSelector->OnMouseMove(CPoint(2 * 28 + 6, 6));  // same cell: no new notification
    EXPECT_EQ(nBefore + 1, m_site.Count(ZpMsgExecute));
    m_pSelector->OnLButtonUp(CPoint(0, 0));
    EXPECT_EQ(CSize(3, 1), m_pSelector->GetExecuted());
}

TEST_F(SelectorTest, GrowsToTheMaximumAndBackOnTheNextOpening)
{
    // The grid grows to the cell under the pointer when the button is held outside it.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE held[256];
    memcpy(held, keys, sizeof(keys));
    held[VK_LBUTTON] = 0x80;
    ::SetKeyboardState(held);
    ::SetCursorPos(5000, 5000);
    m_pSelector->SetSelectedRaw(zpSelectionHot);
    m_pSelector->OnSetSelected(zpSelectionNone);
    ::SetKeyboardState(keys);
    CPoint pt;
    ::GetCursorPos(&pt);
    if (pt.x > 12 * 28 && pt.y > 12 * 28)
        EXPECT_EQ(CSize(12, 12), m_pSelector->GetShown());
    m_pSelector->OnBeforeLayout(0);
    EXPECT_EQ(CSize(5, 4), m_pSelector->GetShown());
    EXPECT_EQ(CSize(0, 0), m_pSelector->GetSelection());
}

TEST_F(SelectorTest, BadStoredSizesAreMadeSafe)
{
    m_pSelector->SetItemSize(CSize(0, 0));
    EXPECT_EQ(CSize(28, 28), m_pSelector->GetItemSize());
    m_pSelector->SetItemsMax(CSize(100000, 100000));
    m_pSelector->SetItemsCount(CSize(3, 3));
    m_pSelector->OnBeforeLayout(0);
    EXPECT_LE(m_pSelector->GetSize(NULL).cx, 100 * 28);
}

// Progress.
class CCountingProgress : public CZPControlProgress
{
public:
    void RedrawProgress() override { ++m_nRedraws; }
    int m_nRedraws = 0;
};

TEST(ProgressTest, PositionClampsAndRedrawsOnlyOnChange)
{
    CRefPtr<CCountingProgress> progress = CRefPtr<CCountingProgress>::Adopt(new CCountingProgress);
    progress->SetPos(-5);
    EXPECT_EQ(0, progress->GetPos());
    EXPECT_EQ(0, progress->m_nRedraws);
    progress->SetPos(500);
    EXPECT_EQ(100, progress->GetPos());
    progress->SetPos(100);
    EXPECT_EQ(1, progress->m_nRedraws);
    progress->SetRange(10, 20);
    EXPECT_EQ(2, progress->m_nRedraws);
    EXPECT_EQ(CSize(100, 16), progress->GetSize(NULL));
}

TEST(ProgressTest, FilledLengthStaysInside)
{
    EXPECT_EQ(48, CZPProgressPaintManager::FilledLength(96, 50, 0, 100));
    EXPECT_EQ(0, CZPProgressPaintManager::FilledLength(96, 50, 7, 7));       // empty range
    EXPECT_EQ(96, CZPProgressPaintManager::FilledLength(96, 5000, 0, 100));  // loaded past Max
    EXPECT_EQ(0, CZPProgressPaintManager::FilledLength(96, -5000, 0, 100));  // loaded below Min
    EXPECT_EQ(96, CZPProgressPaintManager::FilledLength(96, INT_MAX, INT_MIN, INT_MAX));
}

// The test theme numbered as the Default look: progress draws classic.
class CClassicNumberedTheme : public CTestTheme
{
public:
    int GetCurrentTheme() override { return 0; }
};

TEST(ProgressTest, ClassicPixels)
{
    CRefPtr<CClassicNumberedTheme> theme = CRefPtr<CClassicNumberedTheme>::Adopt(new CClassicNumberedTheme);
    theme->RefreshMetrics();
    CDibSection dib(120, 20);
    CZPProgressPaintManager look(theme.Get());
    struct CTestProgress : CZPProgressBase
    {
        CRect rc;
        CRect GetProgressRect() override { return rc; }
        void RedrawProgress() override {}
        CZPProgressPaintManager* GetProgressPaintManager() override { return NULL; }
    } value;
    value.rc = CRect(0, 0, 104, 16);
    value.SetPos(50);
    dib.Fill(RGB(1, 2, 3));
    look.DrawProgress(CDC::FromHandle(dib.GetDC()), &value);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(clrHighlight, dib.GetPixel(2, 8));
    EXPECT_EQ(clrHighlight, dib.GetPixel(2 + 49, 8));
    EXPECT_NE(clrHighlight, dib.GetPixel(2 + 50, 8));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dib.GetPixel(0, 8));
    EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(110, 8));
}

// Accessibility: the table of answers for controls on a toolbar-type bar and a popup.
using AccessibleTest = CommandBarsTest;

TEST_F(AccessibleTest, RolesStatesAndNames)
{
    CTestSite site;
    CZPCommandBar* pBar = ZpTestCreateCaptionedBar(site.m_hWnd, { L"&Save", L"Menu" }, 2);
    CZPControl* pSave = pBar->GetControls()->GetAt(0);
    pSave->SetShortcutText(L"Ctrl+S");
    VARIANT var;
    ASSERT_EQ(S_OK, pSave->GetAccessibleRole(ZpTestChildId(0), &var));
    EXPECT_EQ(43, var.lVal);
    CZPControl* pPopupControl = pBar->GetControls()->Add(zpControlPopup, 300);
    ASSERT_NE(static_cast<CZPCommandBar*>(NULL), pPopupControl->GetCommandBar());
    ASSERT_EQ(S_OK, pPopupControl->GetAccessibleRole(ZpTestChildId(0), &var));
    EXPECT_EQ(57, var.lVal);
    long nChildren = 0;
    EXPECT_EQ(S_OK, pPopupControl->GetAccessibleChildCount(&nChildren));
    EXPECT_EQ(1, nChildren);

    BSTR bstr = NULL;
    ASSERT_EQ(S_OK, pSave->GetAccessibleName(ZpTestChildId(0), &bstr));
    EXPECT_STREQ(L"Save\tCtrl+S", bstr);
    ::SysFreeString(bstr);
    ASSERT_EQ(S_OK, pSave->GetAccessibleDefaultAction(ZpTestChildId(0), &bstr));
    EXPECT_STREQ(L"Click", bstr);
    ::SysFreeString(bstr);

    // Disabled and checked in a hidden bar.
    pSave->SetEnabled(FALSE);
    pSave->SetChecked(TRUE);
    pBar->ShowWindow(SW_HIDE);
    ASSERT_EQ(S_OK, pSave->GetAccessibleState(ZpTestChildId(0), &var));
    EXPECT_EQ(0x100000, var.lVal & 0x100000);
    EXPECT_EQ(0x8000 | 0x1 | 0x10, var.lVal & (0x8000 | 0x1 | 0x10));
    EXPECT_EQ(0, var.lVal & 0x40000000);
    pSave->SetSelectedRaw(zpSelectionHot);
    ASSERT_EQ(S_OK, pSave->GetAccessibleState(ZpTestChildId(0), &var));
    EXPECT_EQ(0x86, var.lVal & 0x86);
    ASSERT_EQ(S_OK, pPopupControl->GetAccessibleState(ZpTestChildId(0), &var));
    EXPECT_EQ(0x40000000, var.lVal & 0x40000000);

    // Other child ids and kinds of id.
    VARIANT bad;
    ::VariantInit(&bad);
    bad.vt = VT_BSTR;
    bad.bstrVal = ::SysAllocString(L"0");
    EXPECT_EQ(E_INVALIDARG, pSave->GetAccessibleName(bad, &bstr));
    EXPECT_EQ(E_INVALIDARG, pSave->GetAccessibleRole(bad, &var));
    ::VariantClear(&bad);
    EXPECT_EQ(E_INVALIDARG, pSave->GetAccessibleState(ZpTestChildId(2), &var));
    EXPECT_EQ(S_FALSE, pSave->GetAccessibleFocus(&var));
    EXPECT_EQ(S_FALSE, pSave->GetAccessibleSelection(&var));
    EXPECT_EQ(E_NOTIMPL, pSave->GetAccessibleValue(ZpTestChildId(0), &bstr));

    // A client still holding a removed control gets E_FAIL, never a crash.
    CRefPtr<CZPControl> held = CRefPtr<CZPControl>::AddRef(pSave);
    pBar->GetControls()->Remove(pSave);
    EXPECT_EQ(E_FAIL, held->GetAccessibleState(ZpTestChildId(0), &var));
    IDispatch* pDispatch = NULL;
    EXPECT_EQ(E_FAIL, held->GetAccessibleParent(&pDispatch));
    EXPECT_EQ(E_INVALIDARG, held->GetAccessibleRole(ZpTestChildId(0), &var));
    held.Reset();
    pBar->DestroyWindow();
    pBar->InternalRelease();
}

TEST_F(AccessibleTest, MenuItemRoleAndLocation)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pCommandBars));
    ASSERT_TRUE(popup->CreateEx(0, AfxRegisterWndClass(0), L"popup", WS_POPUP, 50, 60, 200, 100, NULL, NULL));
    CZPControl* pItem = popup->GetControls()->Add(zpControlButton, 1);
    pItem->SetRect(CRect(10, 20, 60, 40));
    VARIANT var;
    ASSERT_EQ(S_OK, pItem->GetAccessibleRole(ZpTestChildId(0), &var));
    EXPECT_EQ(12, var.lVal);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, pItem->AccessibleLocation(&x, &y, &cx, &cy, ZpTestChildId(0)));
    EXPECT_EQ(50 + 10, x);
    EXPECT_EQ(60 + 20, y);
    EXPECT_EQ(50, cx);
    EXPECT_EQ(20, cy);
    EXPECT_EQ(S_OK, pItem->AccessibleHitTest(50 + 15, 60 + 25, &var));
    EXPECT_EQ(S_FALSE, pItem->AccessibleHitTest(50 + 5, 60 + 5, &var));
    popup->DestroyWindow();
    popup.Reset();
    pCommandBars->InternalRelease();
}

// The custom control: a bar hosting a window of the site, found again by id after loading.
class CustomControlTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_pCommandBars = new CZPCommandBars;
        m_pCommandBars->SetSite(m_site.m_hWnd);
        m_pBar = new CZPCommandBar;
        m_pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 0, 300, 40, NULL, NULL);
        m_pBar->SetSiteWindow(m_site.m_hWnd);
        m_pBar->SetCommandBars(m_pCommandBars);
        // The hosted window sits one level down in the site, as a dialog's control would.
        m_hWndPanel = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 100, m_site.m_hWnd, NULL, NULL, NULL);
        m_hWndHosted = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_hWndPanel,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHostedId)), NULL, NULL);
        m_pCustom = static_cast<CZPControlCustom*>(m_pBar->GetControls()->Append(new CZPControlCustom));
        m_pCustom->SetCaption(L"Find");
    }
    void TearDown() override
    {
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        m_pCommandBars->InternalRelease();
        ::DestroyWindow(m_hWndPanel);
        CommandBarsTest::TearDown();
    }
    CRect HostedRectInBar() const
    {
        CRect rc;
        ::GetWindowRect(m_hWndHosted, &rc);
        ::MapWindowPoints(NULL, m_pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    CSize Measure(CZPControl* pControl) const
    {
        CClientDC dc(m_pBar);
        return pControl->GetSize(&dc);
    }
    BOOL HostedVisible() const { return (::GetWindowLongW(m_hWndHosted, GWL_STYLE) & WS_VISIBLE) != 0; }

    static const int kHostedId = 4321;
    CTestSite m_site;
    CZPCommandBars* m_pCommandBars = NULL;
    CZPCommandBar* m_pBar = NULL;
    HWND m_hWndPanel = NULL;
    HWND m_hWndHosted = NULL;            // the site's, destroyed with the panel
    CZPControlCustom* m_pCustom = NULL;  // borrowed from the bar's collection
};

TEST_F(CustomControlTest, HostsTheWindowInsideItsBordersAndEnablesIt)
{
    ASSERT_TRUE(m_pCustom->SetControlWindow(m_hWndHosted));
    m_pCustom->SetControlSize(CSize(60, 20));
    m_pCustom->SetBorders(CRect(2, 1, 3, -4));  // negative margins count as 0
    EXPECT_EQ(CSize(65, 21), Measure(m_pCustom));
    m_pCustom->SetRect(CRect(10, 5, 75, 26));
    EXPECT_EQ(m_pBar->GetSafeHwnd(), ::GetParent(m_hWndHosted));
    EXPECT_EQ(CRect(12, 6, 72, 26), HostedRectInBar());
    EXPECT_TRUE(HostedVisible());
    m_pCustom->SetEnabled(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(m_hWndHosted));
    m_pCustom->SetEnabled(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(m_hWndHosted));

    // The bar keeps tracking the mouse over the hosted window. It tracks only while active, which a
    // test running beside this one may have taken.
    ::SetForegroundWindow(m_pBar->GetSafeHwnd());
    ::SendMessageW(m_hWndHosted, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(0, m_pBar->GetHighlightedIndex());

    // A copy shares the window; removal hides it and hands it to the site, never destroying it.
    CRefPtr<CZPControl> copy = CRefPtr<CZPControl>::Adopt(m_pCustom->Clone(FALSE));
    EXPECT_EQ(m_hWndHosted, static_cast<CZPControlCustom*>(copy.Get())->GetControlWindow());
    m_pBar->GetControls()->Remove(m_pCustom);
    EXPECT_TRUE(::IsWindow(m_hWndHosted));
    EXPECT_FALSE(HostedVisible());
    EXPECT_EQ(m_site.m_hWnd, ::GetParent(m_hWndHosted));
}

TEST_F(CustomControlTest, VerticalOptionsHideKeepOrShowAsAButton)
{
    const struct
    {
        int nOptions;
        BOOL bHiddenWhenVertical;  // hide bit 0x04
        BOOL bWindowWhenVertical;
    } cases[] = {
        { CZPControlCustom::verticalHide, TRUE, FALSE },
        { CZPControlCustom::verticalShow, FALSE, TRUE },
        { CZPControlCustom::verticalButton, FALSE, FALSE },
    };
    ASSERT_TRUE(m_pCustom->SetControlWindow(m_hWndHosted));
    m_pCustom->SetControlSize(CSize(200, 20));
    m_pCustom->SetRect(CRect(0, 0, 200, 20));
    for (const auto& c : cases) {
        m_pCustom->SetVerticalOptions(c.nOptions);
        m_pCustom->OnBeforeLayout(ZP_LM_VERTDOCK);
        EXPECT_EQ(c.bHiddenWhenVertical, (m_pCustom->GetHideFlags() & zpHideDockingPosition) != 0) << c.nOptions;
        EXPECT_EQ(c.bWindowWhenVertical, HostedVisible()) << c.nOptions;
        if (c.nOptions == CZPControlCustom::verticalButton) {
            EXPECT_NE(CSize(200, 20), Measure(m_pCustom));  // measured as a button
        }
        m_pCustom->OnBeforeLayout(ZP_LM_HORZDOCK);
        EXPECT_EQ(0u, m_pCustom->GetHideFlags() & zpHideDockingPosition) << c.nOptions;
        EXPECT_TRUE(HostedVisible()) << c.nOptions;
        EXPECT_EQ(CSize(200, 20), Measure(m_pCustom));
    }
}

TEST_F(CustomControlTest, LoadingFindsTheWindowByIdAndRefusesBarsViewsAndForeignIds)
{
    // Bars, views (0xE900) and frames cannot be hosted.
    EXPECT_FALSE(m_pCustom->SetControlWindow(m_pBar->GetSafeHwnd()));
    HWND hWndView = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, m_site.m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)), NULL, NULL);
    EXPECT_FALSE(m_pCustom->SetControlWindow(hWndView));
    EXPECT_EQ(NULL, m_pCustom->FindControlWindow(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(NULL, m_pCustom->GetControlWindow());

    const wchar_t kRoot[] = L"Software\\Tolvane\\Tests\\CommandBarsCustom";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    HKEY hRoot = NULL;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hRoot, NULL));
    const struct
    {
        int nControlId;
        HWND hWndExpected;
    } cases[] = { { kHostedId, m_hWndHosted }, { 777, NULL }, { AFX_IDW_PANE_FIRST, NULL } };
    for (const auto& c : cases) {
        {
            CRefPtr<CZPControlCustom> stored = CRefPtr<CZPControlCustom>::Adopt(new CZPControlCustom);
            stored->SetControlId(c.nControlId);
            stored->SetControlSize(CSize(50, 18));
            stored->SetVerticalOptions(CZPControlCustom::verticalButton);
            CZPPropExchangeRegistry px(FALSE, hRoot, L"Custom");
            px.SetSchema(ZP_COMMANDBARS_SCHEMA);
            stored->DoPropExchange(&px);
        }
        CZPControlCustom* pLoaded = static_cast<CZPControlCustom*>(m_pBar->GetControls()->Append(new CZPControlCustom));
        CZPPropExchangeRegistry px(TRUE, hRoot, L"Custom");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        pLoaded->DoPropExchange(&px);
        EXPECT_EQ(c.hWndExpected, pLoaded->GetControlWindow()) << c.nControlId;
        EXPECT_EQ(CSize(50, 18), pLoaded->GetControlSize());
        EXPECT_EQ(CZPControlCustom::verticalButton, pLoaded->GetVerticalOptions());
        if (c.hWndExpected == NULL) {
            // No window: measured as a button.
            pLoaded->SetCaption(L"Find");
            EXPECT_NE(CSize(50, 18), Measure(pLoaded));
        }
        m_pBar->GetControls()->Remove(pLoaded);
    }
    ::RegCloseKey(hRoot);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    ::DestroyWindow(hWndView);
}

}  // namespace
