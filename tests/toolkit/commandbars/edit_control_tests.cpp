// The bar edit control and its edit window: placement, focus and change notifications, spin
// steps (by posted timers), Escape, the hint, removal paths and the shell auto-suggest watcher.
#include "commandbars_test_support.h"

#include "commandbars/ZPControlComboBoxAutoCompleteWnd.h"
#include "commandbars/ZPControlEdit.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"

#include <vector>

namespace {

using EditControlTest = CommandBarsTest;

const int kEditId = 4711;

// A visible bar holding one edit control at (10,5)-(110,27); codes reaching the site are kept.
struct CBarWithEdit
{
    explicit CBarWithEdit(CTestSite& site, BOOL bSpin = FALSE) : m_site(site)
    {
        pBar = new CZPCommandBar;
        pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, NULL, NULL);
        pBar->SetCommandTarget(site.m_hWnd);
        pBar->SetSiteWindow(site.m_hWnd);
        pEdit = static_cast<CZPControlEdit*>(pBar->GetControls()->Append(new CZPControlEdit));
        pEdit->SetID(kEditId);
        pEdit->SetShowSpinButtons(bSpin);
        pEdit->SetRect(CRect(10, 5, 110, 27));
        site.m_answer = [this](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
            if (message != ZpMsgExecute)
                return 0;
            const ZpControlNotifyRecord* pRecord = reinterpret_cast<const ZpControlNotifyRecord*>(lParam);
            codes.push_back(pRecord->hdr.code);
            if (pRecord->hdr.code == ZpNotifySpinUp || pRecord->hdr.code == ZpNotifySpinDown)
                changes.push_back(*reinterpret_cast<const int*>(pRecord + 1));
            return onCode ? onCode(pRecord->hdr.code) : 0;
        };
    }
    ~CBarWithEdit()
    {
        m_site.m_answer = nullptr;
        pBar->DestroyWindow();
        pBar->InternalRelease();
    }
    HWND EditHwnd() const { return pEdit->GetEditCtrl() != NULL ? pEdit->GetEditCtrl()->GetSafeHwnd() : NULL; }
    int Count(UINT nCode) const
    {
        int n = 0;
        for (UINT c : codes)
            n += c == nCode ? 1 : 0;
        return n;
    }

    CTestSite& m_site;
    CZPCommandBar* pBar;
    CZPControlEdit* pEdit;  // borrowed from the bar's collection
    std::vector<UINT> codes;
    std::vector<int> changes;
    std::function<LRESULT(UINT)> onCode;
};

int ModalCounter()
{
    return ZpMouseManager()->GetModalCounter();
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

TEST(SpinArithmetic, StepsRoundTowardsTheDirectionAndStayInRange)
{
    struct Case
    {
        LPCWSTR text;
        int step;
        int direction;
        LPCWSTR expected;
    } cases[] = {
        { L"7", 5, 1, L"15" },  // 12, then up to the next multiple of 5
        { L"7", 5, -1, L"0" },  // 2, then down to 0
        { L"7", 1, 1, L"8" },   // a step of 1 never rounds
        { L"7", 1, -1, L"6" },
        { L"abc", 1, 1, L"1" },  // no number: spins from 0
        { L"", 20, -1, L"-20" },
        { L"-7", 5, 1, L"0" },
        { L"12px", 1, 1, L"13" },
        { L"2147483647", 1, 1, L"2147483647" },  // clamped, not wrapped
        { L"-2147483648", 20, -1, L"-2147483640" },
        { L"99999999999", 5, -1, L"2147483640" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.expected), ZpSpinText(c.text, c.step, c.direction)) << c.text << " " << c.step;
}

TEST(SpinArithmetic, HeldButtonAcceleratesAfterTwoAndFiveSeconds)
{
    EXPECT_EQ(1, ZpSpinStepForElapsed(0));
    EXPECT_EQ(1, ZpSpinStepForElapsed(2047));
    EXPECT_EQ(5, ZpSpinStepForElapsed(2048));
    EXPECT_EQ(5, ZpSpinStepForElapsed(5119));
    EXPECT_EQ(20, ZpSpinStepForElapsed(5120));
}

TEST_F(EditControlTest, EditWindowSitsInsideTheControlLeavingRoomForSpinButtons)
{
    CTestSite site;
    {
        CBarWithEdit bar(site);
        ASSERT_NE(HWND(NULL), bar.EditHwnd());
        CRect rc;
        ::GetWindowRect(bar.EditHwnd(), &rc);
        ::MapWindowPoints(NULL, bar.pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(CRect(14, 8, 107, 24), rc);
        EXPECT_TRUE(::IsWindowVisible(bar.EditHwnd()));
        EXPECT_TRUE(bar.pEdit->GetSpinRect().IsRectEmpty());
    }
    {
        CBarWithEdit bar(site, TRUE);
        CRect rc;
        ::GetWindowRect(bar.EditHwnd(), &rc);
        ::MapWindowPoints(NULL, bar.pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(CRect(14, 8, 90, 24), rc);
        EXPECT_EQ(CRect(92, 6, 109, 26), bar.pEdit->GetSpinRect());
        // A label width written by the paint manager moves the window at the next layout.
        bar.pEdit->SetLabelWidth(30);
        bar.pEdit->SetRect(CRect(10, 5, 110, 27));
        ::GetWindowRect(bar.EditHwnd(), &rc);
        ::MapWindowPoints(NULL, bar.pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(44, rc.left);
    }
}

TEST_F(EditControlTest, RichEditIsPlainTextWithSingleLevelUndo)
{
    CTestSite site;
    CBarWithEdit bar(site);
    if (ZpRichEditClass().hModule == NULL)
        GTEST_SKIP() << "no rich-edit library";
    // Wine keeps its multi-level undo whatever is asked; the text mode it does follow.
    const LRESULT nMode = ::SendMessageW(bar.EditHwnd(), EM_GETTEXTMODE, 0, 0);
    EXPECT_EQ(TM_PLAINTEXT, nMode & (TM_PLAINTEXT | TM_RICHTEXT));
    bar.pEdit->SetText(L"h\x00e9llo");
    EXPECT_EQ(CString(L"h\x00e9llo"), bar.pEdit->GetText());
}

TEST_F(EditControlTest, FocusTypingAndLeavingNotifyOnceEachAndBalanceTheCounter)
{
    CTestSite site;
    CBarWithEdit bar(site);
    const int nCounter = ModalCounter();
    ::SetFocus(bar.EditHwnd());
    EXPECT_TRUE(bar.pEdit->IsFocused());
    EXPECT_EQ(nCounter + 1, ModalCounter());
    ::SendMessageW(bar.EditHwnd(), WM_CHAR, 'a', 0);
    bar.pEdit->SetText(L"new");  // emptied quietly first: one change, with the final text
    ::SetFocus(site.m_hWnd);
    EXPECT_FALSE(bar.pEdit->IsFocused());
    EXPECT_EQ(nCounter, ModalCounter());
    EXPECT_EQ((std::vector<UINT>{ EN_SETFOCUS, EN_CHANGE, EN_CHANGE, EN_KILLFOCUS }), bar.codes);
    EXPECT_EQ(CString(L"new"), bar.pEdit->GetText());
}

TEST_F(EditControlTest, EscapeRestoresTheTextSavedAtFocus)
{
    CTestSite site;
    CBarWithEdit bar(site);
    bar.pEdit->SetText(L"abc");
    ::SetFocus(bar.EditHwnd());
    bar.pEdit->SetText(L"xyz");
    EXPECT_EQ(0, bar.pEdit->OnHookKeyDown(VK_ESCAPE, 0));  // not in a popup: the bar goes on
    EXPECT_EQ(CString(L"abc"), bar.pEdit->GetText());
    EXPECT_FALSE(bar.pEdit->IsFocused());
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(EditControlTest, SpinVetoedBySiteLeavesTextAndSendsNoExecute)
{
    CTestSite site;
    CBarWithEdit bar(site, TRUE);
    bar.pEdit->SetText(L"7");
    bar.onCode = [](UINT nCode) -> LRESULT { return nCode == ZpNotifySpinUp ? 1 : 0; };
    bar.pEdit->OnSpin(5, 1);
    EXPECT_EQ(CString(L"7"), bar.pEdit->GetText());
    EXPECT_EQ((std::vector<UINT>{ ZpNotifySpinUp }), bar.codes);
    EXPECT_EQ((std::vector<int>{ 5 }), bar.changes);
    bar.onCode = nullptr;
    bar.pEdit->OnSpin(5, -1);
    EXPECT_EQ(CString(L"0"), bar.pEdit->GetText());
    EXPECT_EQ((std::vector<UINT>{ ZpNotifySpinUp, ZpNotifySpinDown, ZpNotifyExecute }), bar.codes);
    EXPECT_EQ((std::vector<int>{ 5, -5 }), bar.changes);
}

TEST_F(EditControlTest, HeldSpinButtonStepsAtOnceAndOnEveryTimerTick)
{
    CTestSite site;
    CBarWithEdit bar(site, TRUE);
    bar.pEdit->SetText(L"10");
    const HWND hWndBar = bar.pBar->GetSafeHwnd();
    const CRect rcSpin = bar.pEdit->GetSpinRect();
    const CPoint ptDown(rcSpin.CenterPoint().x, rcSpin.bottom - 3);
    ::PostMessageW(hWndBar, WM_TIMER, ZP_TIMER_SPIN, 0);
    ::PostMessageW(hWndBar, WM_TIMER, ZP_TIMER_SPIN, 0);
    // Off the button the ticks step nothing; back on it they step again.
    ::PostMessageW(hWndBar, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    ::PostMessageW(hWndBar, WM_TIMER, ZP_TIMER_SPIN, 0);
    ::PostMessageW(hWndBar, WM_MOUSEMOVE, 0, MAKELPARAM(ptDown.x, ptDown.y));
    ::PostMessageW(hWndBar, WM_TIMER, ZP_TIMER_SPIN, 0);
    ::PostMessageW(hWndBar, WM_LBUTTONUP, 0, MAKELPARAM(ptDown.x, ptDown.y));
    bar.pEdit->OnClick(FALSE, ptDown);
    // Each step was announced and carried out; a slow machine may add real ticks, never skip one.
    const int nSteps = bar.Count(ZpNotifySpinDown);
    EXPECT_GE(nSteps, 4);
    EXPECT_EQ(nSteps, bar.Count(ZpNotifyExecute));
    CString strExpected;
    strExpected.Format(L"%i", 10 - nSteps);
    EXPECT_EQ(strExpected, bar.pEdit->GetText());
    EXPECT_EQ(0, bar.pEdit->GetPressed());
    EXPECT_EQ(HWND(NULL), ::GetCapture());
}

TEST_F(EditControlTest, ReadOnlyEditIgnoresSpinKeysAndDisablesPaste)
{
    CTestSite site;
    CBarWithEdit bar(site, TRUE);
    bar.pEdit->SetText(L"3");
    bar.pEdit->SetReadOnly(TRUE);
    ::SetFocus(bar.EditHwnd());
    bar.pEdit->OnHookKeyDown(VK_UP, 0);
    EXPECT_EQ(CString(L"3"), bar.pEdit->GetText());
    EXPECT_FALSE(bar.pEdit->GetEditCtrl()->IsEditCommandEnabled(ZP_ID_EDIT_PASTE));
    bar.pEdit->GetEditCtrl()->SetSel(0, -1);
    EXPECT_TRUE(bar.pEdit->GetEditCtrl()->IsEditCommandEnabled(ZP_ID_EDIT_COPY));
    EXPECT_FALSE(bar.pEdit->GetEditCtrl()->IsEditCommandEnabled(ZP_ID_EDIT_CUT));
    bar.pEdit->SetReadOnly(FALSE);
    bar.pEdit->OnHookKeyDown(VK_UP, 0);
    EXPECT_EQ(CString(L"4"), bar.pEdit->GetText());
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(EditControlTest, HintShowsGreyWhileEmptyAndNeverReadsAsText)
{
    CTestSite site;
    CBarWithEdit bar(site);
    bar.pEdit->SetEditHint(L"Search");
    EXPECT_EQ(CString(L"Search"), bar.pEdit->GetEditText());
    EXPECT_EQ(CString(), bar.pEdit->GetText());
    CHARFORMAT2W cf;
    bar.pEdit->GetRichEditCharFormat(cf);
    EXPECT_EQ(bar.pEdit->GetPaintManager()->GetColor(zpColorGrayText), cf.crTextColor);
    ::SetFocus(bar.EditHwnd());
    EXPECT_EQ(CString(), bar.pEdit->GetEditText());
    bar.pEdit->GetRichEditCharFormat(cf);
    EXPECT_EQ(bar.pEdit->GetPaintManager()->GetColor(COLOR_WINDOWTEXT), cf.crTextColor);
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(CString(L"Search"), bar.pEdit->GetEditText());
}

TEST_F(EditControlTest, RemovingOrDestroyingAFocusedEditLowersTheCounter)
{
    CTestSite site;
    {
        CBarWithEdit bar(site);
        ::SetFocus(bar.EditHwnd());
        ASSERT_EQ(1, ModalCounter());
        bar.pBar->GetControls()->RemoveAll();
        EXPECT_EQ(0, ModalCounter());
    }
    {
        CBarWithEdit bar(site);
        ::SetFocus(bar.EditHwnd());
        ASSERT_EQ(1, ModalCounter());
    }
    EXPECT_EQ(0, ModalCounter());
}

// The popup tracked now (the innermost tracked bar).
CZPCommandBar* TrackedPopup()
{
    CZPMouseManager* pMouse = ZpMouseManager();
    return pMouse->GetTrackedCount() > 0 ? pMouse->GetTrackedAt(pMouse->GetTrackedCount() - 1) : NULL;
}

void SetClipboardText(LPCWSTR lpszText)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    if (lpszText != NULL) {
        const size_t nBytes = (wcslen(lpszText) + 1) * sizeof(WCHAR);
        HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
        memcpy(::GlobalLock(hMem), lpszText, nBytes);
        ::GlobalUnlock(hMem);
        ::SetClipboardData(CF_UNICODETEXT, hMem);
    }
    ::CloseClipboard();
}

TEST_F(EditControlTest, ContextMenuOffersCutCopyPasteAndRunsTheChosenOne)
{
    CTestSite site;
    CBarWithEdit bar(site);
    bar.pEdit->SetText(L"hello");
    SetClipboardText(NULL);
    ::SetFocus(bar.EditHwnd());  // posts the select-all the menu must apply first
    ASSERT_EQ(1, ModalCounter());
    CTestStepWindow steps;
    std::vector<std::pair<int, BOOL>> items;
    int nCounterInside = -1;
    steps.Post([&] {
        CZPCommandBar* pPopup = TrackedPopup();
        ASSERT_TRUE(pPopup != NULL && pPopup->IsPopupBar());
        for (int i = 0; i < pPopup->CountControls(); ++i)
            items.emplace_back(pPopup->ControlAt(i)->GetID(), pPopup->ControlAt(i)->GetEnabled());
        nCounterInside = ModalCounter();
        pPopup->ControlAt(0)->Execute();  // Cut
    });
    ::SendMessageW(bar.EditHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    const std::vector<std::pair<int, BOOL>> expected = { { ZP_ID_EDIT_CUT, TRUE },
                                                         { ZP_ID_EDIT_COPY, TRUE },
                                                         { ZP_ID_EDIT_PASTE, FALSE } };
    EXPECT_EQ(expected, items);
    EXPECT_EQ(0, nCounterInside);  // outside clicks reach the menu's own loop
    EXPECT_EQ(1, ModalCounter());
    EXPECT_EQ(CString(), bar.pEdit->GetEditText());
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));

    // With text on the clipboard Paste is offered.
    steps.Post([&] {
        CZPCommandBar* pPopup = TrackedPopup();
        ASSERT_TRUE(pPopup != NULL);
        EXPECT_TRUE(pPopup->ControlAt(2)->GetEnabled());
        pPopup->ControlAt(2)->Execute();
    });
    ::SendMessageW(bar.EditHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(CString(L"hello"), bar.pEdit->GetEditText());
    ::SetFocus(site.m_hWnd);
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(EditControlTest, ContextMenuSurvivesTheSiteRemovingTheControlAndLeavesNoCounter)
{
    CTestSite site;
    CBarWithEdit bar(site);
    bar.pEdit->SetText(L"hello");
    ::SetFocus(bar.EditHwnd());
    CTestStepWindow steps;
    steps.Post([&] {
        CRefPtr<CZPCommandBar> pPopup = CRefPtr<CZPCommandBar>::AddRef(TrackedPopup());
        ASSERT_TRUE(pPopup);
        bar.pBar->GetControls()->RemoveAll();
        pPopup->ControlAt(1)->Execute();  // Copy, for an edit that is gone
    });
    ::SendMessageW(bar.EditHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(0, bar.pBar->GetControls()->GetCount());
    EXPECT_EQ(0, ModalCounter());
}

TEST_F(EditControlTest, SiteRemovingTheControlInItsHandlersIsSafe)
{
    CTestSite site;
    for (UINT nCode : { ZpNotifyExecute, static_cast<UINT>(EN_CHANGE) }) {
        CBarWithEdit bar(site, TRUE);
        ::SetFocus(bar.EditHwnd());
        bar.onCode = [&bar, nCode](UINT nGot) -> LRESULT {
            if (nGot == nCode && bar.pBar->GetControls()->GetCount() > 0)
                bar.pBar->GetControls()->RemoveAll();
            return 0;
        };
        if (nCode == ZpNotifyExecute)
            bar.pEdit->OnHookKeyDown(VK_UP, 0);
        else
            ::SendMessageW(bar.EditHwnd(), WM_CHAR, 'x', 0);
        EXPECT_EQ(0, bar.pBar->GetControls()->GetCount());
        EXPECT_EQ(0, ModalCounter());
        PumpPending();
    }
}

// The shell's drop-down stand-in: a window of the exact class the watcher looks for.
HWND CreateSuggestionWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = ZP_AUTOSUGGEST_CLASS;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, ZP_AUTOSUGGEST_CLASS, L"", WS_POPUP, 0, 0, 50, 50, NULL, NULL,
                             wc.hInstance, NULL);
}

int CountPosted(HWND hWnd, UINT message)
{
    int n = 0;
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, message, message, PM_REMOVE))
        ++n;
    return n;
}

TEST(AutoSuggestWatcher, ReportsEachShowingOnceAndForgetsAHiddenDropDown)
{
    HWND hWndEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    HWND hWndDrop = CreateSuggestionWindow();
    {
        CZPControlComboBoxAutoCompleteWnd watcher;
        CZPControlComboBoxAutoCompleteWnd second;
        watcher.SetupShellAutoComplete(hWndEdit, 0);
        watcher.SetupHook(TRUE);
        second.SetupHook(TRUE);  // the first keeps the hook
        EXPECT_EQ(&watcher, CZPControlComboBoxAutoCompleteWnd::GetHookOwner());

        ::ShowWindow(hWndDrop, SW_SHOWNOACTIVATE);
        ::SetWindowPos(hWndDrop, NULL, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(hWndDrop, watcher.GetDropDown());
        EXPECT_TRUE(ZpMouseManager()->IsTrustedWindowAt(CPoint(10, 10)));
        EXPECT_EQ(1, CountPosted(hWndEdit, ZpMsgAutoSuggestShown));
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        LRESULT lResult = 0;
        EXPECT_NE(0, watcher.OnHookMessage(NULL, WM_MOUSEWHEEL, wParam, lParam, lResult));

        watcher.HideDropDown();
        EXPECT_EQ(HWND(NULL), watcher.GetDropDown());
        ::ShowWindow(hWndDrop, SW_SHOWNOACTIVATE);
        EXPECT_EQ(1, CountPosted(hWndEdit, ZpMsgAutoSuggestShown));
        ::ShowWindow(hWndDrop, SW_HIDE);
    }
    EXPECT_EQ(HHOOK(NULL), CZPControlComboBoxAutoCompleteWnd::GetHook());
    ::DestroyWindow(hWndDrop);
    ::DestroyWindow(hWndEdit);
}

}  // namespace
