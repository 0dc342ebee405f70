// The Keyboard page and its capture edit: listing, assigning, removing and resetting shortcuts.
#include "commandbars_test_support.h"
#include "customize_pages_test_support.h"
#include "customize_pages_tests_ids.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCustomizeKeyboardPage.h"
#include "commandbars/ZPCustomizeOptionsPage.h"
#include "commandbars/ZPShortcutManager.h"

namespace {

const int kFileCategory = 0;
const int kEditCategory = 1;

// Presses a key in the capture edit with the given modifiers held (the thread's key state).
void PressKey(CZPShortcutManager::CKeyAssign& edit, UINT nKey, BYTE fModifiers = 0, BOOL bRelease = TRUE)
{
    BYTE state[256] = {};
    auto hold = [&](BOOL bDown, int nGeneric, int nLeft) { state[nGeneric] = state[nLeft] = bDown ? 0x80 : 0; };
    hold((fModifiers & ZP_STROKE_CONTROL) != 0, VK_CONTROL, VK_LCONTROL);
    hold((fModifiers & ZP_STROKE_SHIFT) != 0, VK_SHIFT, VK_LSHIFT);
    hold((fModifiers & ZP_STROKE_ALT) != 0, VK_MENU, VK_LMENU);
    state[nKey] = 0x80;
    ::SetKeyboardState(state);
    MSG msg = {};
    msg.hwnd = edit.GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = nKey;
    msg.lParam = 1;
    edit.PreTranslateMessage(&msg);
    if (!bRelease)
        return;
    state[nKey] = 0;
    ::SetKeyboardState(state);
    msg.message = WM_KEYUP;
    msg.lParam = static_cast<LPARAM>(0xC0000001);
    edit.PreTranslateMessage(&msg);
    BYTE cleared[256] = {};
    ::SetKeyboardState(cleared);
}

CString EditText(CWnd& edit)
{
    CString strText;
    edit.GetWindowText(strText);
    return strText;
}

// Command bars whose shortcut manager holds the accelerators (Ctrl+C copy, F3 find) and a page
// over the test menu, with an options page beside it to switch away to.
class KeyboardPageTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_commandBars.SetSite(m_frame.m_hWnd);
        Manager()->LoadFromAcceleratorResource(IDR_CP_ACCELERATORS);
        m_pPage = new CZPCustomizeKeyboardPage(&m_commandBars);
        m_pOptions = new CZPCustomizeOptionsPage(&m_commandBars);
        m_pPage->AddMenuCategories(IDR_CP_MENU);
        CZPControls* pFile = m_pPage->AddCategory(L"File", NULL)->pControls;
        pFile->Add(zpControlButton, 57616);    // a recent file
        pFile->Add(zpControlButton, 0x12345);  // beyond what the page stores
        m_pSheet.reset(new CTestSheet(m_frame.Frame(), { m_pPage, m_pOptions }));
    }
    void TearDown() override
    {
        m_pSheet.reset();
        delete m_pOptions;
        delete m_pPage;
        CommandBarsTest::TearDown();
    }
    CZPShortcutManager* Manager() { return m_commandBars.GetShortcutManagerObject(); }
    void SelectCategory(int nIndex)
    {
        m_pPage->m_comboCategory.SetCurSel(nIndex);
        ::SendMessageW(m_pPage->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(100, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(m_pPage->m_comboCategory.GetSafeHwnd()));
    }
    void SelectCommand(LPCWSTR lpszCaption)
    {
        m_pPage->m_lstCommands.SetCurSel(m_pPage->m_lstCommands.FindStringExact(-1, lpszCaption));
        ::SendMessageW(m_pPage->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(102, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(m_pPage->m_lstCommands.GetSafeHwnd()));
    }
    void SelectAssignment(int nIndex)
    {
        m_pPage->m_lstKeys.SetCurSel(nIndex);
        ::SendMessageW(m_pPage->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(104, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(m_pPage->m_lstKeys.GetSafeHwnd()));
    }
    std::vector<CString> Items(CListBox& list)
    {
        std::vector<CString> items;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString strText;
            list.GetText(i, strText);
            items.push_back(strText);
        }
        return items;
    }
    std::vector<DWORD> CommandsOf(const CZPShortcutManagerAccelTable& table)
    {
        std::vector<DWORD> commands;
        for (const CZPShortcutManagerAccel& accel : table)
            commands.push_back(accel.cmd);
        return commands;
    }

    CTestFrame m_frame;
    CZPCommandBars m_commandBars;
    CZPCustomizeKeyboardPage* m_pPage = NULL;    // owned
    CZPCustomizeOptionsPage* m_pOptions = NULL;  // owned
    std::unique_ptr<CTestSheet> m_pSheet;
};

TEST_F(KeyboardPageTest, ListsOnlyAssignableCommandsAndTheirShortcuts)
{
    ASSERT_TRUE(m_pSheet->m_bCreated);
    // Popups, recent files and ids above 0xFFFF are left out.
    EXPECT_EQ(std::vector<CString>({ L"New", L"Open" }), Items(m_pPage->m_lstCommands));
    EXPECT_EQ(0, m_pPage->m_lstCommands.GetCurSel());
    EXPECT_TRUE(Items(m_pPage->m_lstKeys).empty());
    SelectCategory(kEditCategory);
    EXPECT_EQ(std::vector<CString>({ L"Copy", L"Paste" }), Items(m_pPage->m_lstCommands));
    EXPECT_EQ(std::vector<CString>({ L"Ctrl+C" }), Items(m_pPage->m_lstKeys));
    EXPECT_FALSE(::IsWindowEnabled(PageItem(m_pPage, 108)));
    EXPECT_FALSE(::IsWindowEnabled(PageItem(m_pPage, 107)));

    // A command with two shortcuts lists both; removing one keeps the other.
    Manager()->GetShortcuts().push_back(CZPShortcutManagerAccel(ID_CP_COPY, ZP_STROKE_VIRTKEY, VK_INSERT));
    SelectCommand(L"Copy");
    EXPECT_EQ(std::vector<CString>({ L"Ctrl+C", L"Ins" }), Items(m_pPage->m_lstKeys));
    SelectAssignment(0);
    EXPECT_TRUE(::IsWindowEnabled(PageItem(m_pPage, 108)));
    ClickButton(m_pPage, 108);
    EXPECT_EQ(std::vector<CString>({ L"Ins" }), Items(m_pPage->m_lstKeys));
    EXPECT_EQ(std::vector<DWORD>({ ID_CP_FIND, ID_CP_COPY }), CommandsOf(Manager()->GetShortcuts()));
}

TEST_F(KeyboardPageTest, ActivationListsTheAssignmentsAgainSoRemoveTakesTheRightRecord)
{
    SelectCategory(kEditCategory);
    ASSERT_EQ(std::vector<CString>({ L"Ctrl+C" }), Items(m_pPage->m_lstKeys));
    // Another page changes the table meanwhile: a record moves in front of Copy's.
    CZPShortcutManagerAccelTable& table = Manager()->GetShortcuts();
    table.insert(table.begin(), CZPShortcutManagerAccel(ID_CP_FIND, ZP_STROKE_VIRTKEY | ZP_STROKE_CONTROL, 'F'));
    m_pSheet->m_sheet.SetActivePage(1);
    m_pSheet->m_sheet.SetActivePage(0);
    SelectAssignment(0);
    ClickButton(m_pPage, 108);
    EXPECT_EQ(std::vector<DWORD>({ ID_CP_FIND, ID_CP_FIND }), CommandsOf(Manager()->GetShortcuts()));
}

TEST_F(KeyboardPageTest, RemoveWithAnIndexOutsideTheTableDoesNothing)
{
    SelectCategory(kEditCategory);
    SelectAssignment(0);
    m_pPage->m_lstKeys.SetItemData(0, 999);
    ClickButton(m_pPage, 108);
    EXPECT_EQ(2u, Manager()->GetShortcuts().size());
    m_pPage->m_lstKeys.SetItemData(0, static_cast<DWORD_PTR>(-1));
    ClickButton(m_pPage, 108);
    EXPECT_EQ(2u, Manager()->GetShortcuts().size());
}

TEST_F(KeyboardPageTest, AClashAsksAndNoKeepsEverything)
{
    SelectCategory(kEditCategory);
    SelectCommand(L"Paste");
    CZPShortcutManager::CKeyAssign& edit = m_pPage->m_editShortcut;
    PressKey(edit, 'C', ZP_STROKE_CONTROL);
    EXPECT_STREQ(L"Ctrl+C", EditText(edit));
    EXPECT_TRUE(::IsWindowEnabled(PageItem(m_pPage, 107)));

    CDialogAnswerer answerer;
    answerer.Queue(IDNO);
    ClickButton(m_pPage, 107);
    EXPECT_EQ(
        std::vector<CString>({ L"This shortcut is currently assigned.\nDo you want to re-assign this shortcut?" }),
        answerer.m_texts);
    EXPECT_EQ(std::vector<DWORD>({ ID_CP_COPY, ID_CP_FIND }), CommandsOf(Manager()->GetShortcuts()));
    EXPECT_STREQ(L"Ctrl+C", EditText(edit));

    answerer.Queue(IDYES);
    ClickButton(m_pPage, 107);
    EXPECT_EQ(std::vector<DWORD>({ ID_CP_FIND, ID_CP_PASTE }), CommandsOf(Manager()->GetShortcuts()));
    EXPECT_EQ(std::vector<CString>({ L"Ctrl+C" }), Items(m_pPage->m_lstKeys));
    EXPECT_STREQ(L"", EditText(edit));
    EXPECT_FALSE(::IsWindowEnabled(PageItem(m_pPage, 107)));

    // A free shortcut is added without a question; the next key press uses it at once.
    PressKey(edit, VK_F5);
    ClickButton(m_pPage, 107);
    EXPECT_EQ(2u, answerer.m_texts.size());
    EXPECT_EQ(std::vector<CString>({ L"Ctrl+C", L"F5" }), Items(m_pPage->m_lstKeys));
}

TEST_F(KeyboardPageTest, ResetAllAsksAndBringsBackTheResourceTable)
{
    SelectCategory(kEditCategory);
    Manager()->GetShortcuts().clear();
    SelectCommand(L"Copy");
    EXPECT_TRUE(Items(m_pPage->m_lstKeys).empty());
    CDialogAnswerer answerer;
    answerer.Queue(IDNO);
    ClickButton(m_pPage, 109);
    EXPECT_TRUE(Manager()->GetShortcuts().empty());
    answerer.Queue(IDYES);
    ClickButton(m_pPage, 109);
    EXPECT_EQ(std::vector<DWORD>({ ID_CP_COPY, ID_CP_FIND }), CommandsOf(Manager()->GetShortcuts()));
    EXPECT_EQ(std::vector<CString>({ L"Ctrl+C" }), Items(m_pPage->m_lstKeys));
}

TEST_F(KeyboardPageTest, TheCaptureEditTakesOneOrTwoStrokes)
{
    CZPShortcutManager::CKeyAssign& edit = m_pPage->m_editShortcut;
    ASSERT_TRUE(edit.m_bTwoStrokes);
    struct Step
    {
        UINT nKey;
        BYTE fModifiers;
        const wchar_t* lpszText;
        int nStrokes;
    } steps[] = {
        { VK_ESCAPE, 0, L"", 0 },  // plain Esc is not assignable
        { VK_ESCAPE, ZP_STROKE_CONTROL, L"Ctrl+Esc", 1 },
        { VK_CONTROL, ZP_STROKE_CONTROL, L"Ctrl+Esc", 1 },  // a modifier alone changes nothing
        { 'K', ZP_STROKE_CONTROL, L"Ctrl+Esc, Ctrl+K", 2 },
        { VK_BACK, 0, L"Ctrl+Esc", 1 },
        { 'K', ZP_STROKE_CONTROL, L"Ctrl+Esc, Ctrl+K", 2 },
        { 'C', ZP_STROKE_SHIFT, L"Shift+C", 1 },  // a third key starts again
        { VK_BACK, 0, L"", 0 },
    };
    for (const Step& step : steps) {
        PressKey(edit, step.nKey, step.fModifiers);
        EXPECT_STREQ(step.lpszText, EditText(edit)) << step.nKey;
        EXPECT_EQ(step.nStrokes, edit.GetStrokeCount()) << step.nKey;
    }
    // One-stroke capture shows held modifiers live and takes the first key.
    edit.m_bTwoStrokes = FALSE;
    PressKey(edit, VK_SHIFT, ZP_STROKE_SHIFT | ZP_STROKE_CONTROL, FALSE);
    EXPECT_STREQ(L"Ctrl+Shift", EditText(edit));
    EXPECT_FALSE(edit.IsKeyDefined());
    PressKey(edit, VK_F2, ZP_STROKE_ALT);
    EXPECT_STREQ(L"Alt+F2", EditText(edit));
    EXPECT_TRUE(edit.IsKeyDefined());
}

}  // namespace
