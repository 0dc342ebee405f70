// The Toolbars and Commands pages, the new-toolbar dialog, their categories and prompts.
#include "commandbars_test_support.h"
#include "customize_pages_test_support.h"
#include "customize_pages_tests_ids.h"
#include "DibSection.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPCustomizeCommandsPage.h"
#include "commandbars/ZPCustomizeOptionsPage.h"
#include "commandbars/ZPCustomizeSheet.h"
#include "commandbars/ZPCustomizeText.h"
#include "commandbars/ZPCustomizeToolbarsPage.h"
#include "commandbars/ZPNewToolbarDlg.h"
#include "commandbars/ZPToolBar.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace {

using CustomizePagesTest = CommandBarsTest;

// A toolbar without a window, appended to the command bars (which take its reference).
CZPToolBar* AddWindowlessBar(CZPCommandBars& commandBars, LPCWSTR lpszTitle, UINT nID, BOOL bBuiltIn = TRUE)
{
    CZPToolBar* pBar = new CZPToolBar;
    pBar->SetCommandBars(&commandBars);
    pBar->SetTitle(lpszTitle);
    pBar->SetBarID(nID);
    pBar->SetBuiltIn(bBuiltIn);
    commandBars.AddBar(pBar);
    return pBar;
}

TEST(CustomizeTextTest, AFormatIsUsedOnlyWithExactlyItsOneDirective)
{
    struct Case
    {
        const wchar_t* lpszFormat;
        WCHAR chType;
        BOOL bAccepted;
    } cases[] = {
        { L"Delete '%s'?", L's', TRUE }, { L"100%% of '%s'", L's', TRUE }, { L"Custom %d", L'd', TRUE },
        { L"%s and %s", L's', FALSE },   { L"Custom %s", L'd', FALSE },    { L"no directive", L's', FALSE },
        { L"%s%", L's', FALSE },         { L"%n%s", L's', FALSE },         { L"", L's', FALSE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bAccepted, ZpIsSingleArgumentFormat(c.lpszFormat, c.chType)) << c.lpszFormat;
    // The name goes in as an argument: a "%s" inside it stays text.
    EXPECT_STREQ(L"Are you sure you want to delete the '50%s' toolbar?",
                 ZpFormatResourceString(ZP_IDS_CONFIRM_DELETE_TOOLBAR, L"unused %s", L"50%s"));
    // A string id without a usable text takes the built-in one.
    EXPECT_STREQ(L"Custom 7", ZpFormatResourceString(1, L"Custom %d", 7));
}

TEST_F(CustomizePagesTest, NewToolbarNamesAndIdsFollowTheBars)
{
    CZPCommandBars commandBars;
    CZPNewToolbarDlg dlg(NULL, &commandBars);
    EXPECT_STREQ(L"Custom 1", dlg.ProposeName());
    AddWindowlessBar(commandBars, L"Custom 1", 0xE801, FALSE);
    AddWindowlessBar(commandBars, L"Custom 3", 0xE800, FALSE);
    CZPToolBar* pStandard = AddWindowlessBar(commandBars, L"Standard", 128);
    EXPECT_STREQ(L"Custom 2", dlg.ProposeName());
    AddWindowlessBar(commandBars, L"Custom 2", 0xE803, FALSE);
    EXPECT_STREQ(L"Custom 4", dlg.ProposeName());

    struct Case
    {
        CZPCommandBar* pRename;
        const wchar_t* lpszName;
        UINT nExpected;
        UINT nExpectedID;
    } cases[] = {
        // New: the first id after 0xE800 that no bar has, whichever order the bars hold them in.
        { NULL, L"Fresh", 0, 0xE802 },
        { NULL, L"", ZP_IDS_TOOLBAR_NAME_BLANK, 0 },
        { NULL, L"Standard", ZP_IDS_TOOLBAR_NAME_EXISTS, 0 },
        // The compare is exact.
        { NULL, L"standard", 0, 0xE802 },
        { NULL, L"Standard ", 0, 0xE802 },
        // A bar may keep its own name, not take another's.
        { pStandard, L"Standard", 0, 0 },
        { pStandard, L"Custom 1", ZP_IDS_TOOLBAR_NAME_EXISTS, 0 },
    };
    for (const Case& c : cases) {
        CZPNewToolbarDlg check(NULL, &commandBars, c.pRename);
        UINT nID = 0;
        EXPECT_EQ(c.nExpected, check.CheckName(c.lpszName, &nID)) << c.lpszName;
        if (c.nExpected == 0) {
            EXPECT_EQ(c.nExpectedID, nID) << c.lpszName;
        }
    }
}

TEST_F(CustomizePagesTest, The256thToolbarReachesTheLimit)
{
    CZPCommandBars commandBars;
    // Ids handed out in reverse: the scan restarts for every match.
    for (UINT nID = 0xE8FE; nID >= 0xE801; --nID)
        AddWindowlessBar(commandBars, L"bar", nID, FALSE);
    CZPNewToolbarDlg dlg(NULL, &commandBars);
    UINT nID = 0;
    EXPECT_EQ(0u, dlg.CheckName(L"last", &nID));
    EXPECT_EQ(0xE800u, nID);
    AddWindowlessBar(commandBars, L"bar", 0xE800, FALSE);
    EXPECT_EQ(ZP_IDS_TOOLBAR_LIMIT, dlg.CheckName(L"one more", &nID));
    // A rename takes no id: the limit does not stand in its way.
    CZPNewToolbarDlg rename(NULL, &commandBars, commandBars.GetAt(0));
    EXPECT_EQ(0u, rename.CheckName(L"renamed", &nID));
}

const UINT kStandardID = 128;

// A frame with command bars: "Standard" (built-in, shown), "Hidden" (closeable, hidden), "Fixed"
// (not closeable, hidden: not listed), "Secret" (not in the dialog) and the custom "Mine".
class ToolbarsPageTest : public CustomizePagesTest
{
protected:
    void SetUp() override
    {
        CustomizePagesTest::SetUp();
        m_commandBars.SetSite(m_frame.m_hWnd);
        m_commandBars.CreateDockBars();
        m_pStandard = m_commandBars.CreateToolBar(L"Standard", zpBarTop);
        m_pStandard->SetBarID(kStandardID);
        AddTestControls(m_pStandard, 3);
        m_pStandard->GetControls()->CreateOriginalControls();
        m_pHidden = m_commandBars.CreateToolBar(L"Hidden", zpBarTop);
        m_pHidden->SetBarVisible(FALSE);
        m_pFixed = m_commandBars.CreateToolBar(L"Fixed", zpBarTop);
        m_pFixed->SetCloseable(FALSE);
        m_pFixed->SetBarVisible(FALSE);
        m_pSecret = m_commandBars.CreateToolBar(L"Secret", zpBarTop);
        m_pSecret->SetCustomizeDialogPresent(FALSE);
        m_pMine = m_commandBars.CreateCustomToolBar(L"Mine", 0xE800);
        m_frame.m_onMessage = [this](UINT message, WPARAM, LPARAM lParam) {
            if (message == ZpMsgToolbarCreated || message == ZpMsgToolbarDeleted)
                m_siteMessages.push_back({ message, reinterpret_cast<CZPCommandBar*>(lParam),
                                           m_commandBars.IndexOf(reinterpret_cast<CZPCommandBar*>(lParam)) });
        };
    }
    void TearDown() override
    {
        m_frame.m_onMessage = nullptr;
        m_commandBars.RemoveAll();
        CustomizePagesTest::TearDown();
    }

    std::vector<CString> ListedTitles(CZPCustomizeToolbarsPage& page) const
    {
        std::vector<CString> titles;
        for (int i = 0; i < page.m_checkList.GetCount(); ++i) {
            CString strText;
            page.m_checkList.GetText(i, strText);
            titles.push_back(strText + (page.m_checkList.GetCheck(i) ? L"+" : L"-"));
        }
        return titles;
    }
    void Select(CZPCustomizeToolbarsPage& page, LPCWSTR lpszTitle)
    {
        page.m_checkList.SetCurSel(page.m_checkList.FindStringExact(-1, lpszTitle));
        ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(page.m_checkList.GetSafeHwnd()));
    }
    BOOL Enabled(CZPCustomizeToolbarsPage& page, int nID) const { return ::IsWindowEnabled(PageItem(&page, nID)); }

    struct SiteMessage
    {
        UINT message;
        CZPCommandBar* pBar;
        int nIndexWhenSent;
    };
    CTestFrame m_frame;
    CZPCommandBars m_commandBars;
    CZPToolBar* m_pStandard = NULL;  // borrowed from the command bars, as the others
    CZPToolBar* m_pHidden = NULL;
    CZPToolBar* m_pFixed = NULL;
    CZPToolBar* m_pSecret = NULL;
    CZPToolBar* m_pMine = NULL;
    std::vector<SiteMessage> m_siteMessages;
};

TEST_F(ToolbarsPageTest, ListsTheBarsTheDialogShowsWithTheirChecksAndOffersTheRightButtons)
{
    ASSERT_NE(nullptr, m_pMine);
    EXPECT_FALSE(m_pMine->IsBuiltIn());
    EXPECT_EQ(0xE800u, m_pMine->GetBarID());
    CZPCustomizeToolbarsPage page(&m_commandBars);
    CTestSheet sheet(m_frame.Frame(), { &page });
    ASSERT_TRUE(sheet.m_bCreated);
    EXPECT_EQ(std::vector<CString>({ L"Standard+", L"Hidden-", L"Mine+" }), ListedTitles(page));

    struct Case
    {
        const wchar_t* lpszSelect;  // NULL: no selection
        BOOL bRename, bDelete, bReset;
    } cases[] = {
        { NULL, FALSE, FALSE, FALSE },
        { L"Standard", FALSE, FALSE, TRUE },
        { L"Mine", TRUE, TRUE, FALSE },
    };
    for (const Case& c : cases) {
        if (c.lpszSelect != NULL)
            Select(page, c.lpszSelect);
        EXPECT_TRUE(Enabled(page, 101));
        EXPECT_EQ(c.bRename, Enabled(page, 102)) << (c.lpszSelect ? c.lpszSelect : L"none");
        EXPECT_EQ(c.bDelete, Enabled(page, 103));
        EXPECT_EQ(c.bReset, Enabled(page, 104));
    }
}

TEST_F(ToolbarsPageTest, ChecksShowAndHideClosableBarsAndKeepTheSelection)
{
    CZPCustomizeToolbarsPage page(&m_commandBars);
    CTestSheet sheet(m_frame.Frame(), { &page });
    Select(page, L"Mine");
    CRect rcItem;
    // A click on the box of "Hidden" (item 1) shows it.
    page.m_checkList.GetItemRect(1, rcItem);
    page.m_checkList.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                                 MAKELPARAM(rcItem.left + 4, rcItem.top + rcItem.Height() / 2));
    page.m_checkList.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcItem.left + 4, rcItem.top + rcItem.Height() / 2));
    EXPECT_TRUE(m_pHidden->IsBarVisible());
    EXPECT_EQ(std::vector<CString>({ L"Standard+", L"Hidden+", L"Mine+" }), ListedTitles(page));
    // The same item stays selected (the click selected it).
    EXPECT_EQ(1, page.m_checkList.GetCurSel());

    // A bar that cannot close keeps its check and stays.
    m_pFixed->SetBarVisible(TRUE);
    page.RefreshToolbarsList();
    const int nFixed = page.m_checkList.FindStringExact(-1, L"Fixed");
    ASSERT_GE(nFixed, 0);
    page.m_checkList.SetCurSel(nFixed);
    page.m_checkList.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(m_pFixed->IsBarVisible());
    EXPECT_EQ(1, page.m_checkList.GetCheck(page.m_checkList.FindStringExact(-1, L"Fixed")));
    EXPECT_EQ(nFixed, page.m_checkList.GetCurSel());
}

TEST_F(ToolbarsPageTest, NewRenameDeleteAndResetRunTheirFlows)
{
    CZPCustomizeToolbarsPage page(&m_commandBars);
    CTestSheet sheet(m_frame.Frame(), { &page });
    CDialogAnswerer answerer;

    // New: blank, then taken, then a fresh name; each refusal keeps the dialog open.
    answerer.Queue(IDOK, L"");
    answerer.Queue(IDOK);
    answerer.Queue(IDOK, L"Standard");
    answerer.Queue(IDOK);
    answerer.Queue(IDOK, L"Fresh");
    ClickButton(&page, 101);
    ASSERT_EQ(6, m_commandBars.GetCount());
    CZPToolBar* pFresh = static_cast<CZPToolBar*>(m_commandBars.GetAt(5));
    EXPECT_STREQ(L"Fresh", pFresh->GetTitle());
    EXPECT_EQ(0xE801u, pFresh->GetBarID());
    EXPECT_FALSE(pFresh->IsBuiltIn());
    EXPECT_TRUE(pFresh->IsBarVisible());
    EXPECT_EQ(std::vector<CString>({ L"The toolbar name cannot be blank. Type a name.",
                                     L"A toolbar named 'Standard' already exists. Type another name." }),
              answerer.m_texts);
    ASSERT_EQ(1u, m_siteMessages.size());
    EXPECT_EQ(ZpMsgToolbarCreated, m_siteMessages[0].message);
    EXPECT_EQ(pFresh, m_siteMessages[0].pBar);
    EXPECT_EQ(std::vector<CString>({ L"Standard+", L"Hidden-", L"Mine+", L"Fresh+" }), ListedTitles(page));

    // Rename: the proposal is the bar's own title under the rename caption; the item keeps its place.
    Select(page, L"Mine");
    answerer.m_captions.clear();
    answerer.Queue(IDOK, L"Ours");
    ClickButton(&page, 102);
    EXPECT_STREQ(L"Ours", m_pMine->GetTitle());
    EXPECT_EQ(std::vector<CString>({ L"Rename Toolbar" }), answerer.m_captions);
    EXPECT_EQ(std::vector<CString>({ L"Standard+", L"Hidden-", L"Ours+", L"Fresh+" }), ListedTitles(page));
    EXPECT_EQ(2, page.m_checkList.GetCurSel());

    // Delete: Cancel keeps the bar; OK tells the site while the bar is still listed, then removes it.
    answerer.m_texts.clear();
    answerer.Queue(IDCANCEL);
    ClickButton(&page, 103);
    EXPECT_EQ(6, m_commandBars.GetCount());
    answerer.Queue(IDOK);
    ClickButton(&page, 103);
    EXPECT_EQ(std::vector<CString>({ L"Are you sure you want to delete the 'Ours' toolbar?",
                                     L"Are you sure you want to delete the 'Ours' toolbar?" }),
              answerer.m_texts);
    ASSERT_EQ(2u, m_siteMessages.size());
    EXPECT_EQ(ZpMsgToolbarDeleted, m_siteMessages[1].message);
    EXPECT_EQ(4, m_siteMessages[1].nIndexWhenSent);
    EXPECT_EQ(5, m_commandBars.GetCount());
    EXPECT_EQ(std::vector<CString>({ L"Standard+", L"Hidden-", L"Fresh+" }), ListedTitles(page));
    m_pMine = NULL;

    // Reset: the built-in bar gets its original controls back after OK.
    m_pStandard->GetControls()->RemoveAt(0);
    Select(page, L"Standard");
    answerer.m_texts.clear();
    answerer.Queue(IDOK);
    ClickButton(&page, 104);
    EXPECT_EQ(std::vector<CString>({ L"Are you sure you want to reset the changes made to the 'Standard' toolbar?" }),
              answerer.m_texts);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(1000 + i, m_pStandard->GetControls()->GetAt(i)->GetID());
}

TEST_F(ToolbarsPageTest, ButtonsDoNothingForBarsTheyDoNotApplyToOrThatAreGone)
{
    CZPCustomizeToolbarsPage page(&m_commandBars);
    CTestSheet sheet(m_frame.Frame(), { &page });
    CDialogAnswerer answerer;
    // Rename, Delete on a built-in bar and Reset on a custom bar are refused by the handlers too.
    Select(page, L"Standard");
    ClickButton(&page, 102);
    ClickButton(&page, 103);
    Select(page, L"Mine");
    ClickButton(&page, 104);
    EXPECT_TRUE(answerer.m_captions.empty());
    // The bars changed behind the page: the selected item's index no longer exists.
    Select(page, L"Mine");
    m_commandBars.Remove(m_pMine);
    m_pMine = NULL;
    EXPECT_EQ(nullptr, page.GetSelectedToolBar());
    ClickButton(&page, 102);
    ClickButton(&page, 103);
    ClickButton(&page, 104);
    EXPECT_TRUE(answerer.m_captions.empty());
    EXPECT_EQ(4, m_commandBars.GetCount());
}

TEST_F(ToolbarsPageTest, InTheCustomizeSheetPromptsAskOverTheSheetAndADeletedBarTakesTheSelection)
{
    AddTestControls(m_pMine, 2);
    CZPCustomizeSheet sheet(&m_commandBars);
    ASSERT_TRUE(sheet.Create(m_frame.Frame()));
    CZPCustomizeToolbarsPage* pPage = DYNAMIC_DOWNCAST(CZPCustomizeToolbarsPage, sheet.GetPage(0));
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ(std::vector<CString>({ L"Standard+", L"Hidden-", L"Mine+" }), ListedTitles(*pPage));
    m_commandBars.SetCustomizeSelection(m_pMine->GetControls()->GetAt(1));
    Select(*pPage, L"Mine");
    CDialogAnswerer answerer;
    answerer.Queue(IDOK);
    ClickButton(pPage, 103);
    ASSERT_EQ(1u, answerer.m_owners.size());
    EXPECT_EQ(sheet.GetSafeHwnd(), answerer.m_owners[0]);
    EXPECT_EQ(-1, m_commandBars.IndexOf(m_pMine));
    m_pMine = NULL;
    EXPECT_EQ(nullptr, m_commandBars.GetCustomizeSelection());
    // The frame and the sheet take input again after the prompt.
    EXPECT_TRUE(::IsWindowEnabled(sheet.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowEnabled(m_frame.m_hWnd));
    sheet.DestroyWindow();
}

TEST_F(ToolbarsPageTest, The256thToolbarShowsTheLimitAndCreatesNothing)
{
    for (UINT nID = 0xE801; nID < ZP_ID_CUSTOM_TOOLBAR_LIMIT; ++nID)
        AddWindowlessBar(m_commandBars, L"bar", nID, FALSE);
    const int nBars = m_commandBars.GetCount();
    CZPCustomizeToolbarsPage page(&m_commandBars);
    CTestSheet sheet(m_frame.Frame(), { &page });
    CDialogAnswerer answerer;
    answerer.Queue(IDOK, L"one too many");
    answerer.Queue(IDOK);
    ClickButton(&page, 101);
    EXPECT_EQ(std::vector<CString>({ L"Sorry you have reached your limit." }), answerer.m_texts);
    EXPECT_EQ(nBars, m_commandBars.GetCount());
    EXPECT_TRUE(m_siteMessages.empty());
}

TEST_F(CustomizePagesTest, APageWithoutItsControlsOrCommandBarsOpensAndDoesNothing)
{
    // A replaced template that has none of the ids 100-104.
    struct
    {
        DLGTEMPLATE dlg;
        WORD wMenu, wClass, wTitle;
    } bare = { { WS_CHILD | WS_CAPTION, 0, 0, 0, 0, 100, 50 }, 0, 0, 0 };
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    CZPCustomizeToolbarsPage bare1(&commandBars);
    bare1.SetTemplate(&bare.dlg);
    CZPCustomizeToolbarsPage* pByClass =
        static_cast<CZPCustomizeToolbarsPage*>(RUNTIME_CLASS(CZPCustomizeToolbarsPage)->CreateObject());
    CTestSheet sheet(frame.Frame(), { &bare1, pByClass });
    ASSERT_TRUE(sheet.m_bCreated);
    CDialogAnswerer answerer;
    for (int nID = 102; nID <= 104; ++nID)
        ::SendMessageW(bare1.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
    bare1.RefreshToolbarsList();
    sheet.m_sheet.SetActivePage(1);
    EXPECT_EQ(0, pByClass->m_checkList.GetCount());
    ClickButton(pByClass, 101);
    ClickButton(pByClass, 103);
    EXPECT_TRUE(answerer.m_captions.empty());
    sheet.m_sheet.DestroyWindow();
    delete pByClass;
}

// The check boxes of the toolbar list, drawn into a DIB: classic without a theme, the theme's
// part (and its size) with the light theme.
TEST_F(ToolbarsPageTest, CheckBoxesDrawUnthemedAndThemed)
{
    CZPCustomizeToolbarsPage page(&m_commandBars);
    CTestSheet sheet(m_frame.Frame(), { &page });
    CZPCustomizeToolbarsPageCheckListBox& list = page.m_checkList;
    HTHEME hTheme = ::OpenThemeData(list.GetSafeHwnd(), L"BUTTON");
    SIZE szThemed = { 13, 13 };
    if (hTheme != NULL) {
        HDC hDC = ::GetDC(list.GetSafeHwnd());
        ::GetThemePartSize(hTheme, hDC, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, NULL, TS_TRUE, &szThemed);
        ::ReleaseDC(list.GetSafeHwnd(), hDC);
        ::CloseThemeData(hTheme);
    }
    struct Case
    {
        BOOL bThemed;
        int nItem;  // 0 "Standard" (checked), 1 "Hidden" (unchecked)
    } cases[] = { { FALSE, 0 }, { FALSE, 1 }, { TRUE, 0 }, { TRUE, 1 } };
    for (const Case& c : cases) {
        ::SetWindowTheme(list.GetSafeHwnd(), c.bThemed ? NULL : L" ", c.bThemed ? NULL : L" ");
        list.SendMessage(WM_THEMECHANGED);
        const CSize szBox = list.GetDrawnCheckBoxSize();
        EXPECT_EQ(c.bThemed ? CSize(szThemed) : CSize(13, 13), szBox);
        const int cyItem = list.GetItemHeight(0);
        EXPECT_GE(cyItem, szBox.cy + 3);

        const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
        CDibSection dib(120, cyItem, RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = static_cast<UINT>(c.nItem);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hDC = dib.GetDC();
        dis.rcItem = CRect(0, 0, 120, cyItem);
        dis.hwndItem = list.GetSafeHwnd();
        list.DrawItem(&dis);
        // The box stands 1 pixel in, centred; nothing is drawn left of it.
        const int yBox = (cyItem - szBox.cy) / 2;
        EXPECT_EQ(clrWindow, dib.GetPixel(0, cyItem / 2));
        const RECT rcInk = dib.InkBox(clrWindow);
        EXPECT_EQ(1, rcInk.left) << c.bThemed;
        // Classic: a sunken frame (shadow at the top-left edge) around a window-coloured inside,
        // the check mark drawn only when checked.
        int nDark = 0;
        for (int y = yBox + 3; y < yBox + szBox.cy - 3; ++y)
            for (int x = 4; x < 1 + szBox.cx - 3; ++x)
                nDark += GetRValue(dib.GetPixel(x, y)) < 0x60 ? 1 : 0;
        EXPECT_EQ(c.nItem == 0, nDark > 0) << "themed " << c.bThemed << " item " << c.nItem;
        if (!c.bThemed) {
            EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dib.GetPixel(1, yBox));
        }
    }
    ::SetWindowTheme(list.GetSafeHwnd(), NULL, NULL);
}

// ---- commands page ----

// Held, so that a released clone's address is not reused by the next one.
std::vector<CRefPtr<CZPControl>> g_dragged;
void RecordDrag(CZPCommandBars*, CZPControl* pControl)
{
    g_dragged.push_back(CRefPtr<CZPControl>::AddRef(pControl));
}

std::vector<CString> Captions(CZPControls* pControls)
{
    std::vector<CString> captions;
    for (int i = 0; i < pControls->GetCount(); ++i)
        captions.push_back(pControls->GetAt(i)->GetCaption());
    return captions;
}

TEST_F(CustomizePagesTest, CategoriesComeFromTheMenuAndTheFixedBuilders)
{
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    CZPCustomizeCommandsPage page(&commandBars);
    EXPECT_FALSE(page.AddMenuCategories(9999));
    ASSERT_TRUE(page.AddMenuCategories(IDR_CP_MENU));
    page.AddAllCommandsCategory(ZP_IDS_ALL_COMMANDS);
    page.AddMenuPopupsCategory(IDR_CP_MENU, ZP_IDS_BUILTIN_MENUS);
    page.AddNewMenuCategory(ZP_IDS_NEW_MENU, 0);
    const CZPCustomizeCategories& categories = page.GetCategories();
    std::vector<CString> names;
    for (int i = 0; i < categories.GetCount(); ++i)
        names.push_back(categories.GetAt(i)->strCategory);
    EXPECT_EQ(std::vector<CString>({ L"New Menu", L"File", L"Edit", L"View", L"All Commands", L"Built-in Menus" }),
              names);
    // Separators give nothing; a nested popup is a popup control; the second "&Edit" merged.
    EXPECT_EQ(std::vector<CString>({ L"&New", L"&Open", L"&Recent" }), Captions(categories.GetAt(1)->pControls));
    EXPECT_EQ(zpControlPopup, categories.GetAt(1)->pControls->GetAt(2)->GetType());
    EXPECT_EQ(std::vector<CString>({ L"&Copy", L"&Paste" }), Captions(categories.GetAt(2)->pControls));
    // Every command once per category holding it, sorted without ampersands.
    EXPECT_EQ(std::vector<CString>({ L"&Copy", L"&Find", L"&New", L"&Open", L"&Paste", L"&Recent" }),
              Captions(categories.GetAt(4)->pControls));
    EXPECT_EQ(4, categories.GetAt(5)->pControls->GetCount());
    CZPControl* pNewMenu = categories.GetAt(0)->pControls->GetAt(0);
    EXPECT_EQ(zpControlPopup, pNewMenu->GetType());
    EXPECT_EQ(0, pNewMenu->GetID());
    EXPECT_STREQ(L"New Menu", pNewMenu->GetCaption());
}

TEST_F(CustomizePagesTest, TheCommandListShowsTheCategoryAndDragsCopies)
{
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    CZPCustomizeCommandsPage page(&commandBars);
    page.AddMenuCategories(IDR_CP_MENU);
    page.AddNewMenuCategory(ZP_IDS_NEW_MENU);
    CTestSheet sheet(frame.Frame(), { &page });
    ASSERT_TRUE(sheet.m_bCreated);
    EXPECT_EQ(3, page.m_lstCommands.GetCount());
    EXPECT_EQ(page.GetCategories().GetAt(0)->pControls->GetAt(1), page.m_lstCommands.GetControlAt(1));
    // The paint manager decides the item height (at least a control's 22).
    EXPECT_GE(page.m_lstCommands.GetItemHeight(0), 22);
    EXPECT_TRUE(page.m_lstCommands.IsDragEnabled());

    page.m_lstCategories.SetCurSel(3);
    ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.m_lstCategories.GetSafeHwnd()));
    ASSERT_EQ(1, page.m_lstCommands.GetCount());

    auto* pfnOld = CZPCustomizeCommandsListBox::s_pfnStartDrag;
    CZPCustomizeCommandsListBox::s_pfnStartDrag = RecordDrag;
    g_dragged.clear();
    // "New Menu" is dragged as a new copy each time; an ordinary command as itself.
    page.m_lstCommands.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    page.m_lstCommands.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    page.m_lstCategories.SetCurSel(0);
    ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.m_lstCategories.GetSafeHwnd()));
    page.m_lstCommands.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    // A press below the last item drags nothing.
    page.m_lstCommands.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 500));
    CZPCustomizeCommandsListBox::s_pfnStartDrag = pfnOld;
    ASSERT_EQ(3u, g_dragged.size());
    CZPControl* pNewMenu = page.GetCategories().GetAt(3)->pControls->GetAt(0);
    EXPECT_NE(pNewMenu, g_dragged[0].Get());
    EXPECT_NE(g_dragged[0].Get(), g_dragged[1].Get());
    EXPECT_STREQ(L"New Menu", g_dragged[1]->GetCaption());
    EXPECT_EQ(page.GetCategories().GetAt(0)->pControls->GetAt(0), g_dragged[2].Get());
    g_dragged.clear();
    EXPECT_EQ(0, page.m_lstCommands.GetCurSel());
    // Copy-only: the category keeps its commands.
    EXPECT_EQ(3, page.GetCategories().GetAt(0)->pControls->GetCount());
}

// ---- options page ----

TEST_F(CustomizePagesTest, OptionsAreWrittenAtOnceAndDependentChecksFollow)
{
    CTestFrame frame;
    CZPCommandBars commandBars;
    commandBars.SetSite(frame.m_hWnd);
    CZPCommandBarsOptions* pOptions = commandBars.GetCommandBarsOptions();
    pOptions->m_bAlwaysShowFullMenus = FALSE;
    pOptions->m_bToolBarScreenTips = TRUE;
    pOptions->m_nAnimation = 3;
    CZPCustomizeOptionsPage page(&commandBars);
    CTestSheet sheet(frame.Frame(), { &page });
    ASSERT_TRUE(sheet.m_bCreated);
    EXPECT_EQ(6, page.m_comboAnimation.GetCount());
    EXPECT_EQ(3, page.m_comboAnimation.GetCurSel());
    EXPECT_TRUE(::IsWindowEnabled(PageItem(&page, 101)));

    auto click = [&](int nID) { ::SendMessageW(PageItem(&page, nID), BM_CLICK, 0, 0); };
    click(100);
    EXPECT_TRUE(pOptions->m_bAlwaysShowFullMenus);
    EXPECT_FALSE(::IsWindowEnabled(PageItem(&page, 101)));
    click(104);
    EXPECT_FALSE(pOptions->m_bToolBarScreenTips);
    EXPECT_FALSE(::IsWindowEnabled(PageItem(&page, 105)));
    click(103);
    EXPECT_TRUE(pOptions->m_bLargeIcons);
    page.m_comboAnimation.SetCurSel(5);
    ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(106, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.m_comboAnimation.GetSafeHwnd()));
    EXPECT_EQ(5, pOptions->m_nAnimation);

    // The usage reset asks first; No keeps the record.
    commandBars.RecordUsedCommand(ID_CP_COPY);
    pOptions->m_mapHiddenCommands.SetAt(ID_CP_COPY, TRUE);
    commandBars.RecordUsedCommand(ID_CP_COPY);
    const INT_PTR nUsed = pOptions->m_mapUsedCommands.GetCount();
    CDialogAnswerer answerer;
    answerer.Queue(IDNO);
    click(102);
    EXPECT_EQ(nUsed, pOptions->m_mapUsedCommands.GetCount());
    answerer.Queue(IDYES);
    click(102);
    EXPECT_EQ(0, pOptions->m_mapUsedCommands.GetCount());
    ASSERT_EQ(2u, answerer.m_texts.size());
    EXPECT_EQ(0, answerer.m_texts[0].Find(L"This will delete the record of the commands"));
}

TEST_F(CustomizePagesTest, GroupLineDrawsItsEtchedLineAfterTheText)
{
    CTestFrame frame;
    CZPCustomizeOptionsPage page;
    CTestSheet sheet(frame.Frame(), { &page });
    ASSERT_TRUE(sheet.m_bCreated);
    CWnd& line = page.m_lineOther;
    ASSERT_NE(nullptr, line.GetSafeHwnd());
    ::SetWindowTheme(line.GetSafeHwnd(), L" ", L" ");
    line.SendMessage(WM_THEMECHANGED);
    CRect rc;
    line.GetClientRect(rc);
    CDibSection dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
    line.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);
    // Unthemed: shadow over highlight at the middle, reaching the right edge.
    const int y = rc.Height() / 2;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dib.GetPixel(rc.Width() - 1, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), dib.GetPixel(rc.Width() - 1, y + 1));
    // The text stands at the left, not crossed by the line.
    EXPECT_NE(::GetSysColor(COLOR_BTNSHADOW), dib.GetPixel(1, y));
}

}  // namespace
