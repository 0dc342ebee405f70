// The bar combo box and its list drop-down: rows, completion, the notifications of opening,
// choosing and cancelling, Escape, the wheel, drop-down-list typing and the saved items.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlAction.h"
#include "commandbars/ZPControlComboBoxPopupBar.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPPropExchangeRegistry.h"
#include "common/ZPToolTipContext.h"

#include <vector>

namespace {

using ComboBoxTest = CommandBarsTest;

const int kComboId = 815;

// A visible bar holding one combo at (10,5)-(160,27) with items; codes reaching the site are kept.
struct CBarWithCombo
{
    CBarWithCombo(CTestSite& site, BOOL bDropDown, std::vector<LPCWSTR> items) : m_site(site)
    {
        pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, NULL, NULL);
        pBar->SetCommandTarget(site.m_hWnd);
        pBar->SetSiteWindow(site.m_hWnd);
        pCombo = static_cast<CZPControlComboBox*>(pBar->GetControls()->Append(new CZPControlComboBox));
        pCombo->SetID(kComboId);
        pCombo->SetDropDown(bDropDown);
        pCombo->SetDropDownButtonWidth(15);
        pCombo->SetRect(CRect(10, 5, 160, 27));
        for (LPCWSTR item : items)
            pCombo->AddString(item);
        site.m_answer = [this](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
            if (message == ZpMsgExecute)
                codes.push_back(reinterpret_cast<const ZpControlNotifyRecord*>(lParam)->hdr.code);
            return 0;
        };
    }
    ~CBarWithCombo()
    {
        m_site.m_answer = nullptr;
        pBar->DestroyWindow();
        pBar->InternalRelease();
    }
    CZPControlComboBoxList* List() const { return static_cast<CZPControlComboBoxList*>(pCombo->GetDropDownBar()); }
    HWND EditHwnd() const { return pCombo->GetEditCtrl()->GetSafeHwnd(); }
    void Type(WCHAR ch)
    {
        pCombo->OnHookKeyDown(static_cast<UINT>(ch), 0);
        ::SendMessageW(EditHwnd(), WM_CHAR, ch, 0);
    }
    std::pair<int, int> Selection() const
    {
        int nStart = 0, nEnd = 0;
        pCombo->GetEditCtrl()->GetSel(nStart, nEnd);
        return { nStart, nEnd };
    }
    int Count(UINT nCode) const
    {
        int n = 0;
        for (UINT c : codes)
            n += c == nCode ? 1 : 0;
        return n;
    }

    CTestSite& m_site;
    CZPCommandBar* pBar;
    CZPControlComboBox* pCombo;  // borrowed from the bar's collection
    std::vector<UINT> codes;
};

int ModalCounter()
{
    return ZpMouseManager()->GetModalCounter();
}

TEST(ComboListRows, ItemCountBoundedByTheRowMaximumAndAtLeastOne)
{
    struct Case
    {
        int items;
        int maxRows;
        int rows;
    } cases[] = { { 0, 12, 1 }, { 2, 5, 2 }, { 3, 12, 3 }, { 30, 12, 12 }, { 5, 0, 1 }, { 5, -4, 1 } };
    for (const Case& c : cases)
        EXPECT_EQ(c.rows, CZPControlComboBoxList::RowsFor(c.items, c.maxRows)) << c.items << " " << c.maxRows;
}

TEST_F(ComboBoxTest, OpenListIsRowsTimesItemHeightPlusFourAndAsWideAsTheCombo)
{
    CTestSite site;
    for (int nItems : { 0, 2, 3, 30 }) {
        std::vector<LPCWSTR> items(static_cast<size_t>(nItems), L"item");
        CBarWithCombo bar(site, TRUE, items);
        bar.pCombo->OnClick(FALSE, CPoint(150, 10));
        ASSERT_TRUE(bar.pCombo->IsPopuped());
        const int nItemHeight = static_cast<int>(::SendMessageW(bar.List()->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0));
        CRect rc;
        bar.List()->GetWindowRect(&rc);
        const int nRows = nItems == 0 ? 1 : (nItems > 12 ? 12 : nItems);
        EXPECT_EQ(nRows * nItemHeight + 4, rc.Height()) << nItems;
        EXPECT_EQ(150, rc.Width());
        EXPECT_TRUE(::IsWindowVisible(bar.List()->GetSafeHwnd()));
        bar.pCombo->OnClick(FALSE, CPoint(150, 10));
    }
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, ListOpensThroughTheBarBelowTheComboOrAboveItAtTheWorkAreaEnd)
{
    CTestSite site;
    RECT rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    std::vector<LPCWSTR> items(10, L"item");
    for (const BOOL bAtBottom : { FALSE, TRUE }) {
        CBarWithCombo bar(site, TRUE, items);
        if (bAtBottom)
            bar.pBar->SetWindowPos(NULL, 0, rcWork.bottom - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bar.pCombo->OnClick(FALSE, CPoint(150, 10));
        ASSERT_TRUE(bar.pCombo->IsPopuped());
        EXPECT_EQ(bar.pCombo->GetIndex(), bar.pBar->GetOpenPopupIndex());
        CRect rcCombo = bar.pCombo->GetRect();
        bar.pBar->ClientToScreen(&rcCombo);
        CRect rc;
        bar.List()->GetWindowRect(&rc);
        EXPECT_EQ(rcCombo.left, rc.left) << bAtBottom;
        if (bAtBottom)
            EXPECT_EQ(rcCombo.top, rc.bottom);
        else
            EXPECT_EQ(rcCombo.bottom, rc.top);
        EXPECT_LE(rc.bottom, rcWork.bottom);
        bar.pCombo->OnClick(FALSE, CPoint(150, 10));
        EXPECT_FALSE(bar.pCombo->IsPopuped());
        EXPECT_EQ(-1, bar.pBar->GetOpenPopupIndex());
    }
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, TypingCompletesFromTheListAndBackspaceDoesNotCompleteAgain)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"x", L"abc" });
    bar.pCombo->SetAutoComplete(TRUE);
    ::SetFocus(bar.EditHwnd());
    ASSERT_TRUE(bar.pCombo->IsFocused());
    bar.codes.clear();
    bar.Type(L'a');
    EXPECT_EQ(CString(L"abc"), bar.pCombo->GetText());
    EXPECT_EQ(std::make_pair(3, 1), std::make_pair(std::max(bar.Selection().first, bar.Selection().second),
                                                   std::min(bar.Selection().first, bar.Selection().second)));
    bar.Type(L'b');
    EXPECT_EQ(CString(L"abc"), bar.pCombo->GetText());
    EXPECT_EQ(1, bar.List()->GetCurSel());
    // One code 5 per keystroke, though writing the completion changed the text again.
    EXPECT_EQ((std::vector<UINT>{ CBN_EDITCHANGE, CBN_EDITCHANGE }), bar.codes);
    EXPECT_EQ(1, bar.pCombo->OnHookKeyDown(VK_BACK, 0));
    EXPECT_EQ(CString(L"ab"), bar.pCombo->GetText());
    EXPECT_EQ(-1, bar.List()->GetCurSel());
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, CompletionTakesTheFirstItemBeginningWithTheText)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"apple", L"apricot" });
    bar.pCombo->SetAutoComplete(TRUE);
    ::SetFocus(bar.EditHwnd());
    bar.Type(L'a');
    EXPECT_EQ(CString(L"apple"), bar.pCombo->GetText());
    EXPECT_EQ(0, bar.List()->GetCurSel());
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, ChoosingWithTheMouseSelectsThenExecutes)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"one", L"two", L"three" });
    bar.pCombo->OnClick(FALSE, CPoint(150, 10));
    ASSERT_TRUE(bar.pCombo->IsPopuped());
    const HWND hWndList = bar.List()->GetSafeHwnd();
    CRect rcItem;
    ::SendMessageW(hWndList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rcItem));
    ::SendMessageW(hWndList, WM_MOUSEMOVE, 0, MAKELPARAM(rcItem.left + 2, rcItem.top + 2));
    EXPECT_EQ(1, bar.List()->GetCurSel());
    EXPECT_EQ(CString(), bar.pCombo->GetText());  // hovering does not change the text
    ::SendMessageW(hWndList, WM_LBUTTONUP, 0, MAKELPARAM(rcItem.left + 2, rcItem.top + 2));
    EXPECT_EQ(CString(L"two"), bar.pCombo->GetText());
    EXPECT_FALSE(bar.pCombo->IsPopuped());
    EXPECT_FALSE(::IsWindowVisible(hWndList));
    // Opening gives the edit the focus; the chosen text is no typing (no code 5); executing ends
    // the bar's tracking, which takes the focus back before the command goes out.
    EXPECT_EQ((std::vector<UINT>{ CBN_DROPDOWN, CBN_SETFOCUS, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP, CBN_KILLFOCUS,
                                  ZpNotifyExecute }),
              bar.codes);
    EXPECT_EQ(1, site.Count(WM_COMMAND));
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, ClosingWithoutChoosingCancels)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"one", L"two" });
    bar.pCombo->OnClick(FALSE, CPoint(150, 10));
    bar.List()->EndTracking();
    EXPECT_FALSE(bar.pCombo->IsPopuped());
    EXPECT_EQ(1, bar.Count(CBN_SELENDCANCEL));
    EXPECT_EQ(1, bar.Count(CBN_CLOSEUP));
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, EscapeRestoresTextAndSelectionSavedAtFocus)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"one", L"two" });
    bar.pCombo->SetCurSel(0);
    ::SetFocus(bar.EditHwnd());
    bar.pCombo->SetCurSel(1);
    EXPECT_EQ(CString(L"two"), bar.pCombo->GetText());
    EXPECT_EQ(0, bar.pCombo->OnHookKeyDown(VK_ESCAPE, 0));
    EXPECT_EQ(CString(L"one"), bar.pCombo->GetText());
    EXPECT_EQ(0, bar.pCombo->GetCurSel());
    EXPECT_FALSE(bar.pCombo->IsFocused());
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, WheelOverAFocusedComboMovesTheSelectionByOne)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"one", L"two", L"three" });
    bar.pCombo->SetCurSel(0);
    ::SetFocus(bar.EditHwnd());
    bar.codes.clear();
    EXPECT_TRUE(bar.pCombo->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint()));
    EXPECT_EQ(1, bar.pCombo->GetCurSel());
    EXPECT_EQ(CString(L"two"), bar.pCombo->GetText());
    EXPECT_EQ((std::vector<UINT>{ CBN_SELCHANGE }), bar.codes);
    ::SetFocus(site.m_hWnd);
    EXPECT_FALSE(bar.pCombo->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint()));
}

TEST_F(ComboBoxTest, DropDownListTypesAheadAndCancelsOnLeaving)
{
    CTestSite site;
    CBarWithCombo bar(site, FALSE, { L"apple", L"banana", L"cherry" });
    EXPECT_EQ(nullptr, bar.pCombo->GetEditCtrl());
    bar.pCombo->SetCurSel(0);
    bar.pCombo->SetFocused(TRUE);
    EXPECT_EQ(1, ModalCounter());
    EXPECT_EQ(1, bar.pCombo->OnHookKeyDown('C', 0));
    EXPECT_EQ(2, bar.pCombo->GetCurSel());
    EXPECT_EQ(CString(L"cherry"), bar.pCombo->GetListBoxText());
    bar.pCombo->SetFocused(FALSE);  // nothing confirmed: back to the saved item
    EXPECT_EQ(0, bar.pCombo->GetCurSel());
    EXPECT_EQ(1, bar.Count(CBN_SELENDCANCEL));
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, RemovingAFocusedComboLowersTheCounter)
{
    CTestSite site;
    {
        CBarWithCombo bar(site, FALSE, { L"a" });
        bar.pCombo->SetFocused(TRUE);
        bar.pBar->GetControls()->RemoveAll();
        EXPECT_EQ(0, ModalCounter());
    }
    {
        CBarWithCombo bar(site, TRUE, { L"a" });
        ::SetFocus(bar.EditHwnd());
        ASSERT_EQ(1, ModalCounter());
    }
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(ComboBoxTest, HintShowsWhileEmptyAndUnfocused)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, {});
    bar.pCombo->SetEditHint(L"Find");
    EXPECT_EQ(CString(L"Find"), bar.pCombo->GetEditText());
    EXPECT_EQ(CString(), bar.pCombo->GetText());
    ::SetFocus(bar.EditHwnd());
    EXPECT_EQ(CString(), bar.pCombo->GetEditText());
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(CString(L"Find"), bar.pCombo->GetEditText());
}

TEST_F(ComboBoxTest, VerticalDockingHidesTheCombo)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, {});
    bar.pCombo->OnBeforeLayout(0x10);
    EXPECT_EQ(static_cast<DWORD>(zpHideDockingPosition), bar.pCombo->GetHideFlags());
    EXPECT_FALSE(::IsWindowVisible(bar.EditHwnd()));
    bar.pCombo->OnBeforeLayout(0);
    EXPECT_EQ(0u, bar.pCombo->GetHideFlags());
    EXPECT_TRUE(::IsWindowVisible(bar.EditHwnd()));
}

struct OwnedCount
{
    HWND hWndOwner;
    int n;
};

BOOL CALLBACK CountOwned(HWND hWnd, LPARAM lParam)
{
    OwnedCount* p = reinterpret_cast<OwnedCount*>(lParam);
    p->n += ::GetWindow(hWnd, GW_OWNER) == p->hWndOwner;
    return TRUE;
}

// Windows owned by hWndOwner: a tip window the bar's tooltip context made is one of them.
int CountOwnedWindows(HWND hWndOwner)
{
    OwnedCount count = { hWndOwner, 0 };
    ::EnumThreadWindows(::GetCurrentThreadId(), CountOwned, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

TEST_F(ComboBoxTest, EditWindowMessagesReachTheBarsToolTips)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"one" });
    CRefPtr<CZPCommandBars> commandBars = CRefPtr<CZPCommandBars>::Adopt(new CZPCommandBars);
    bar.pBar->SetCommandBars(commandBars.Get());
    bar.pCombo->SetTooltip(L"Find what");
    ::SetForegroundWindow(bar.pBar->m_hWnd);
    CRect rcEdit;
    ::GetWindowRect(bar.EditHwnd(), &rcEdit);
    ::SetCursorPos(rcEdit.CenterPoint().x, rcEdit.CenterPoint().y);
    const int nBefore = CountOwnedWindows(bar.pBar->m_hWnd);
    // A mouse move over the edit window, as the edit receives it: the bar's context makes its tip.
    ::SendMessageW(bar.EditHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(nBefore + 1, CountOwnedWindows(bar.pBar->m_hWnd));
    // The edit stands for its bar in the tip's window lookups.
    EXPECT_EQ(1, ::SendMessageW(bar.EditHwnd(), ZP_TTM_ISCHILDOFTOOL, 0, 0));
    bar.pBar->SetCommandBars(NULL);
}

TEST_F(ComboBoxTest, ItemsRoundTripThroughTheRegistryAndBadCountsStop)
{
    const wchar_t kRoot[] = L"Software\\Tolvane\\Tests\\CommandBarsCombo";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    HKEY hRoot = NULL;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hRoot, NULL));
    {
        CRefPtr<CZPControlComboBox> stored = CRefPtr<CZPControlComboBox>::Adopt(new CZPControlComboBox);
        stored->AddString(L"zeta");
        stored->AddString(L"alpha");
        stored->SetDropDownItemCount(5);
        CZPPropExchangeRegistry px(FALSE, hRoot, L"Combo");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        stored->DoPropExchange(&px);
        // The items travel with the drop-down bar, stored as a bar of its own.
        CZPPropExchangeRegistry pxList(FALSE, hRoot, L"Combo\\List");
        pxList.SetSchema(ZP_COMMANDBARS_SCHEMA);
        stored->GetDropDownBar()->ExchangeProperties(&pxList);
    }
    WCHAR szItem[32] = {};
    DWORD cb = sizeof(szItem);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueW(hRoot, L"Combo\\List\\Items", L"Item1", RRF_RT_REG_SZ, NULL, szItem, &cb));
    EXPECT_STREQ(L"alpha", szItem);  // in the order added
    {
        CRefPtr<CZPControlComboBox> loaded = CRefPtr<CZPControlComboBox>::Adopt(new CZPControlComboBox);
        CZPPropExchangeRegistry px(TRUE, hRoot, L"Combo");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->DoPropExchange(&px);
        CZPPropExchangeRegistry pxList(TRUE, hRoot, L"Combo\\List");
        pxList.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->GetDropDownBar()->ExchangeProperties(&pxList);
        EXPECT_EQ(2, loaded->GetCount());
        EXPECT_EQ(5, loaded->GetDropDownItemCount());
        EXPECT_FALSE(loaded->GetDropDown());
    }
    {
        // Without a stored "DropDown" the exchange's default wins over the constructor's.
        CRefPtr<CZPControlComboBox> loaded = CRefPtr<CZPControlComboBox>::Adopt(new CZPControlComboBox);
        CZPPropExchangeRegistry px(TRUE, hRoot, L"Empty");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->DoPropExchange(&px);
        EXPECT_TRUE(loaded->GetDropDown());
        EXPECT_EQ(ZP_COMBO_DEFAULT_ROWS, loaded->GetDropDownItemCount());
    }
    // A count beyond the stored items stops at the first missing one; a negative one adds none.
    for (DWORD dwCount : { DWORD(1000000), static_cast<DWORD>(-5) }) {
        ::RegSetKeyValueW(hRoot, L"Combo\\List\\Items", L"Count", REG_DWORD, &dwCount, sizeof(dwCount));
        CRefPtr<CZPControlComboBox> loaded = CRefPtr<CZPControlComboBox>::Adopt(new CZPControlComboBox);
        CZPPropExchangeRegistry px(TRUE, hRoot, L"Combo\\List");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->GetDropDownBar()->ExchangeProperties(&px);
        EXPECT_EQ(dwCount == 1000000u ? 2 : 0, loaded->GetCount());
    }
    ::RegCloseKey(hRoot);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
}

}  // namespace

namespace {

TEST_F(ComboBoxTest, ListMasksStoredSelectionBitsAndKeepsItsHeightWithoutIcons)
{
    CRefPtr<CZPControlComboBoxList> plain = CRefPtr<CZPControlComboBoxList>::Adopt(new CZPControlComboBoxList);
    ASSERT_TRUE(plain->CreateListBox());
    const LRESULT nPlainHeight = ::SendMessageW(plain->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0);

    CRefPtr<CZPControlComboBoxList> list = CRefPtr<CZPControlComboBoxList>::Adopt(new CZPControlComboBoxList);
    list->SetBarStyle(LBS_MULTIPLESEL | LBS_EXTENDEDSEL | ZP_BAR_STYLE_GRIPPER);
    list->SetListWithIcons(TRUE);
    list->SetListIconId(65000);  // no such icon
    ASSERT_TRUE(list->CreateListBox());
    EXPECT_EQ(0u, list->GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    EXPECT_EQ(nPlainHeight, ::SendMessageW(list->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0));
    list->AddString(L"a");
    list->AddString(L"b");
    list->SetCurSel(1);
    EXPECT_EQ(1, list->GetCurSel());
}

// The list's own exact search must answer as LB_FINDSTRINGEXACT does, also after items were
// inserted, deleted or cleared by messages sent straight to the list window.
TEST_F(ComboBoxTest, ExactSearchAnswersAsTheListBoxWhileItemsChange)
{
    const LPCWSTR queries[] = { L"alpha", L"ALPHA", L"beta ", L"Alphabet", L"\x00C9T\x00C9", L"gamma", L"", L"zzz" };
    for (DWORD dwSort : { DWORD(0), DWORD(LBS_SORT) }) {
        CRefPtr<CZPControlComboBoxList> list = CRefPtr<CZPControlComboBoxList>::Adopt(new CZPControlComboBoxList);
        list->SetBarStyle(dwSort);
        ASSERT_TRUE(list->CreateListBox());
        const HWND hWnd = list->GetSafeHwnd();
        auto expectSameAnswers = [&](const char* pszStep) {
            const int nCount = list->GetCount();
            for (int nStart : { -1, 0, 1, 3, nCount - 1, nCount })
                for (LPCWSTR pszText : queries)
                    EXPECT_EQ(::SendMessageW(hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStart),
                                             reinterpret_cast<LPARAM>(pszText)),
                              list->FindStringExact(nStart, pszText))
                        << pszStep << " sort " << dwSort << " start " << nStart << " count " << nCount;
        };
        for (LPCWSTR item : { L"Alpha", L"Beta", L"alpha", L"ALPHABET", L"beta ", L"\x00E9t\x00E9", L"" })
            list->AddString(item);
        expectSameAnswers("added");
        ::SendMessageW(hWnd, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"Gamma"));
        ::SendMessageW(hWnd, LB_DELETESTRING, 2, 0);
        ::SendMessageW(hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"ALPHA"));
        expectSameAnswers("changed");
        // Setting the locale makes the search build its keys again from the items.
        ::SendMessageW(hWnd, LB_SETLOCALE, static_cast<WPARAM>(::SendMessageW(hWnd, LB_GETLOCALE, 0, 0)), 0);
        ::SendMessageW(hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"beta "));
        expectSameAnswers("rebuilt");
        ::SendMessageW(hWnd, LB_RESETCONTENT, 0, 0);
        expectSameAnswers("cleared");
        list->AddString(L"Zzz");
        expectSameAnswers("refilled");
    }
}

// Opening and typing select the first item equal to the text ignoring case, wherever it stands;
// without one, the list scrolls to the first prefix match (the first item too) and selects nothing.
TEST_F(ComboBoxTest, TextSelectsTheEqualItemBeforeAnyPrefixMatch)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, { L"Alphabet", L"Beta", L"Alp", L"alpha", L"Alpha2", L"ALPHABET" });
    const HWND hWndList = bar.List()->GetSafeHwnd();
    struct Case
    {
        LPCWSTR text;
        int selected;
        int caret;
    } cases[] = { { L"ALPHA", 3, 3 }, { L"alp", 2, 2 }, { L"alphabet", 0, 0 },
                  { L"be", -1, 1 },   { L"al", -1, 0 }, { L"zzz", -1, 0 } };
    for (const Case& c : cases) {
        bar.pCombo->SetText(c.text);
        bar.pCombo->SyncListSelection();
        EXPECT_EQ(c.selected, bar.List()->GetCurSel()) << CStringA(c.text).GetString();
        EXPECT_EQ(c.caret, ::SendMessageW(hWndList, LB_GETCARETINDEX, 0, 0)) << CStringA(c.text).GetString();
    }
}

}  // namespace

// The gallery drop-down stands in for the list: its hot item is the combo's selection.
struct CGalleryDropDown
{
    explicit CGalleryDropDown(CZPControlComboBox* pCombo)
    {
        pItems = new CZPControlGalleryItems;
        pItems->SetItemSize(CSize(0, 20));  // one column: each item spans the items width
        for (LPCWSTR psz : { L"one", L"two", L"three" })
            pItems->AddItem(static_cast<int>(pItems->GetItemCount()) + 1, psz);
        pActions = new CZPControlActions(NULL);
        CZPControlAction* pAction = pActions->Add(kComboId + 1);
        pAction->SetItems(pItems);
        pPopup = new CZPControlComboBoxGalleryPopupBar;
        pGallery = static_cast<CZPControlGallery*>(pPopup->GetControls()->Append(new CZPControlGallery));
        pGallery->SetAction(pAction);
        pGallery->SetWidth(150);
        pCombo->SetCommandBar(pPopup);
        pPopup->InternalRelease();
    }
    ~CGalleryDropDown()
    {
        pItems->InternalRelease();
        pActions->InternalRelease();
    }
    CZPControlGalleryItems* pItems;             // one reference
    CZPControlActions* pActions;                // one reference
    CZPControlComboBoxGalleryPopupBar* pPopup;  // borrowed: the combo holds it
    CZPControlGallery* pGallery;                // borrowed from the popup's collection
};

TEST_F(ComboBoxTest, GalleryDropDownActsAsTheListForKeysAndMouse)
{
    CTestSite site;
    CBarWithCombo bar(site, TRUE, {});
    CGalleryDropDown dropDown(bar.pCombo);
    CZPControlGallery* pGallery = dropDown.pGallery;
    CZPControlComboBoxGalleryPopupBar* pPopup = dropDown.pPopup;
    EXPECT_EQ(pPopup, bar.pCombo->GetDropDownBar());
    EXPECT_EQ(1, pPopup->FindString(-1, L"TW"));
    EXPECT_EQ(2, pPopup->FindStringExact(0, L"Three"));
    EXPECT_EQ(-1, pPopup->FindStringExact(0, L"thr"));
    CString strText;
    pPopup->GetText(5, strText);
    EXPECT_TRUE(strText.IsEmpty());

    // Opening highlights the gallery and shows the item matching the text as hot.
    bar.pCombo->SetText(L"two");
    bar.pCombo->OnClick(FALSE, CPoint(150, 10));
    ASSERT_TRUE(bar.pCombo->IsPopuped());
    ASSERT_TRUE(::IsWindowVisible(pPopup->GetSafeHwnd()));
    EXPECT_EQ(0, pPopup->GetHighlightedIndex());
    EXPECT_EQ(1, pGallery->GetHotItem());
    EXPECT_EQ(1, bar.Count(CBN_DROPDOWN));

    // A list key moves the hot item and the combo follows.
    bar.codes.clear();
    EXPECT_EQ(1, bar.pCombo->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_EQ(2, pGallery->GetHotItem());
    EXPECT_EQ(CString(L"three"), bar.pCombo->GetText());
    EXPECT_EQ(1, bar.Count(CBN_SELCHANGE));

    // Button up over an item: the combo takes it and executes; the drop-down closes.
    const CRect rcItem = pGallery->GetItemDrawRect(0);
    const LPARAM lPoint = MAKELPARAM(rcItem.left + 3, rcItem.top + 3);
    ::SendMessageW(pPopup->GetSafeHwnd(), WM_MOUSEMOVE, 0, lPoint);
    EXPECT_EQ(0, pGallery->GetHotItem());
    bar.codes.clear();
    ::SendMessageW(pPopup->GetSafeHwnd(), WM_LBUTTONUP, 0, lPoint);
    EXPECT_EQ(CString(L"one"), bar.pCombo->GetText());
    EXPECT_FALSE(bar.pCombo->IsPopuped());
    EXPECT_EQ(1, bar.Count(CBN_CLOSEUP));
    EXPECT_EQ(1, bar.Count(ZpNotifyExecute));
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}
