// The control base: effective values, setters, notify-then-command and persisted keys.
#include "commandbars_test_support.h"

#include "common/ZPPropExchangeArchive.h"
#include "common/ZPPropExchangeRegistry.h"
#include "archive_helpers.h"

namespace {

using ControlTest = CommandBarsTest;

// A bar whose command target is the site window, holding one test control with an id.
struct CBarWithControl
{
    explicit CBarWithControl(HWND hWndTarget, int nId)
    {
        pBar = new CZPCommandBar;
        pBar->SetCommandTarget(hWndTarget);
        pControl = pBar->GetControls()->Append(new CTestControl);
        pControl->SetID(nId);
    }
    ~CBarWithControl() { pBar->InternalRelease(); }
    CZPCommandBar* pBar;
    CZPControl* pControl;  // borrowed from the bar's collection
};

TEST_F(ControlTest, UnansweredExecuteSendsExactlyOneCommand)
{
    CTestSite site;
    CBarWithControl bar(site.m_hWnd, 1234);
    bar.pControl->Execute();
    ASSERT_EQ(2u, site.m_messages.size());
    EXPECT_EQ(ZpMsgExecute, site.m_messages[0].message);
    EXPECT_EQ(1234u, site.m_messages[0].wParam);
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), site.m_messages[1].message);
    EXPECT_EQ(1234u, site.m_messages[1].wParam);
    EXPECT_EQ(0, site.m_messages[1].lParam);
}

TEST_F(ControlTest, AnsweredNotificationSuppressesTheCommand)
{
    CTestSite site;
    site.m_answer = [](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message != ZpMsgExecute)
            return 0;
        const ZpControlNotifyRecord* pRecord = reinterpret_cast<const ZpControlNotifyRecord*>(lParam);
        return pRecord->hdr.code == ZpNotifyExecute && pRecord->hdr.idFrom == 77 && pRecord->hdr.hwndFrom == NULL;
    };
    CBarWithControl bar(site.m_hWnd, 77);
    bar.pControl->Execute();
    EXPECT_EQ(1, site.Count(ZpMsgExecute));
    EXPECT_EQ(0, site.Count(WM_COMMAND));
}

TEST_F(ControlTest, CommandTargetsAndIds)
{
    CTestSite site;
    // An id above 16 bits is notified but never sent as a command.
    {
        CBarWithControl bar(site.m_hWnd, 0x12345);
        bar.pControl->Execute();
        EXPECT_EQ(1, site.Count(ZpMsgExecute));
        EXPECT_EQ(0, site.Count(WM_COMMAND));
    }
    site.m_messages.clear();
    // Id 0 sends nothing.
    {
        CBarWithControl bar(site.m_hWnd, 0);
        bar.pControl->Execute();
        EXPECT_TRUE(site.m_messages.empty());
    }
    // Without a bar: NotifySite yields 0 and sends nothing; an explicit target still hears.
    CTestControl* pLoose = new CTestControl;
    pLoose->SetID(5);
    EXPECT_EQ(0, pLoose->NotifySite(ZpNotifyExecute));
    EXPECT_TRUE(site.m_messages.empty());
    pLoose->NotifySiteEx(CWnd::FromHandle(site.m_hWnd), ZpNotifyExecute, NULL);
    EXPECT_EQ(1, site.Count(ZpMsgExecute));
    pLoose->InternalRelease();
}

TEST_F(ControlTest, ReturnCommandSlotStoresTheIdAndSendsNothing)
{
    CTestSite site;
    CBarWithControl bar(site.m_hWnd, 42);
    int nReturned = 0;
    bar.pBar->SetReturnCmdSlot(&nReturned);
    bar.pControl->Execute();
    EXPECT_EQ(42, nReturned);
    EXPECT_TRUE(site.m_messages.empty());
}

TEST_F(ControlTest, HandlerThatDeletesTheBarDuringExecute)
{
    CTestSite site;
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->SetCommandTarget(site.m_hWnd);
    CZPControl* pControl = pBar->GetControls()->Append(new CTestControl);
    pControl->SetID(9);
    site.m_answer = [&pBar](UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == ZpMsgExecute && pBar != NULL) {
            pBar->InternalRelease();
            pBar = NULL;
        }
        return 0;
    };
    pControl->Execute();
    EXPECT_EQ(NULL, pBar);
    EXPECT_EQ(1, site.Count(WM_COMMAND));
}

TEST_F(ControlTest, EffectiveValuesAndSetters)
{
    CTestControl* p = new CTestControl;
    p->SetEnabled(-1);
    EXPECT_TRUE(p->GetEnabled());

    p->SetCaption(L"&Open\tCtrl+O");
    EXPECT_EQ(CString(L"&Open"), p->GetCaption());
    EXPECT_EQ(CString(L"Ctrl+O"), p->GetShortcutText());
    p->SetCustomCaption(L"Mine");
    EXPECT_EQ(CString(L"Mine"), p->GetCaption());

    CTestControl* q = new CTestControl;
    q->SetPrompt(L"Opens a file\nOpen");
    EXPECT_EQ(CString(L"Opens a file"), q->GetDescription());
    EXPECT_EQ(CString(L"Open"), q->GetTooltip());
    EXPECT_EQ(CString(L"Open"), q->GetCaptionRaw());
    q->SetPrompt(L"");
    EXPECT_EQ(CString(L"Open"), q->GetTooltip());

    // Compare ignores state and hide bits other than 0x10.
    q->SetCaption(L"&Open\tCtrl+O");
    q->SetCustomCaption(L"Mine");
    q->SetTooltip(L"");
    q->SetDescription(L"");
    q->SetEnabled(0);
    q->SetHideFlags(zpHideWrap | zpHideGeneric);
    EXPECT_TRUE(p->Compare(q));
    q->SetHideFlags(zpHideCustomize);
    EXPECT_FALSE(p->Compare(q));

    CZPControl* pClone = p->Clone(FALSE);
    ASSERT_NE(nullptr, pClone);
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CTestControl)));
    EXPECT_TRUE(pClone->Compare(p));
    p->Copy(p, FALSE);  // copying onto itself changes nothing
    EXPECT_EQ(CString(L"&Open"), p->GetCaptionRaw());
    pClone->InternalRelease();
    p->InternalRelease();
    q->InternalRelease();
}

TEST_F(ControlTest, SecondSetCaptionRequestsNoLayout)
{
    CZPCommandBar* pBar = new CZPCommandBar;
    CZPControl* p = pBar->GetControls()->Append(new CTestControl);
    pBar->ClearPendingState(ZP_BAR_PENDING_LAYOUT);
    p->SetCaption(L"Save\tCtrl+S");
    EXPECT_TRUE(pBar->GetPendingState() & ZP_BAR_PENDING_LAYOUT);
    pBar->ClearPendingState(ZP_BAR_PENDING_LAYOUT);
    p->SetCaption(L"Save\tCtrl+S");
    EXPECT_FALSE(pBar->GetPendingState() & ZP_BAR_PENDING_LAYOUT);
    pBar->InternalRelease();
}

// A control with every persisted key away from its default.
void FillControl(CZPControl* p)
{
    p->SetID(321);
    p->SetIconId(12);
    p->SetBeginGroup(TRUE);
    p->SetTag(0x55);
    p->SetFlags(zpFlagWrapRow | zpFlagSkipFocus);
    p->SetHideFlags(zpHideCustomize);
    p->SetCaption(L"Cap\tCtrl+K");
    p->SetShortcutText(L"F5");
    p->SetTooltip(L"Tip");
    p->SetDescription(L"Desc");
    p->SetParameter(L"Param");
    p->SetCustomCaption(L"Custom");
    p->SetCategory(L"Cat");
    p->SetDefaultItem(TRUE);
    p->SetCloseSubMenuOnClick(FALSE);
    p->SetCustomStyle(zpButtonCaption);
    p->SetHelpId(99);
    p->SetStyle(zpButtonIconAndCaption);
    p->SetWidth(INT_MAX);
    p->SetHeight(30);
    p->SetExecuteOnPressInterval(250);
    p->SetKeyboardTip(L"K");
    p->SetIconSize(CSize(24, 20));
}

void ExpectSameKeys(CZPControl* a, CZPControl* b)
{
    EXPECT_TRUE(a->Compare(b));
    EXPECT_EQ(a->GetTag(), b->GetTag());
    EXPECT_EQ(a->GetHideFlags(), b->GetHideFlags());
    EXPECT_EQ(a->GetShortcutText(), b->GetShortcutText());
    EXPECT_EQ(a->GetCategory(), b->GetCategory());
    EXPECT_EQ(a->IsDefaultItem(), b->IsDefaultItem());
    EXPECT_EQ(a->GetCloseSubMenuOnClick(), b->GetCloseSubMenuOnClick());
    EXPECT_EQ(a->GetHelpId(), b->GetHelpId());
    EXPECT_EQ(a->GetHeight(), b->GetHeight());
    EXPECT_EQ(a->GetExecuteOnPressInterval(), b->GetExecuteOnPressInterval());
    EXPECT_EQ(a->ResolveKeyboardTipText(), b->ResolveKeyboardTipText());
    EXPECT_EQ(a->GetIconSize(), b->GetIconSize());
}

TEST_F(ControlTest, ArchiveRoundTripOfEveryKey)
{
    CRefPtr<CTestControl> stored = CRefPtr<CTestControl>::Adopt(new CTestControl);
    FillControl(stored.Get());
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        CZPPropExchangeArchive px(ar);
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        stored->DoPropExchange(&px);
    });
    CRefPtr<CTestControl> loaded = CRefPtr<CTestControl>::Adopt(new CTestControl);
    LoadBytes(bytes, [&](CArchive& ar) {
        CZPPropExchangeArchive px(ar);
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->DoPropExchange(&px);
    });
    ExpectSameKeys(stored.Get(), loaded.Get());
}

TEST_F(ControlTest, RegistryRoundTripOfEveryKeyAndOldSchemas)
{
    const wchar_t kRoot[] = L"Software\\Tolvane\\Tests\\CommandBarsControl";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    HKEY hRoot = NULL;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hRoot, NULL));
    CRefPtr<CTestControl> stored = CRefPtr<CTestControl>::Adopt(new CTestControl);
    FillControl(stored.Get());
    {
        CZPPropExchangeRegistry px(FALSE, hRoot, L"Control");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        stored->DoPropExchange(&px);
    }
    CRefPtr<CTestControl> loaded = CRefPtr<CTestControl>::Adopt(new CTestControl);
    {
        CZPPropExchangeRegistry px(TRUE, hRoot, L"Control");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->DoPropExchange(&px);
    }
    ExpectSameKeys(stored.Get(), loaded.Get());

    // Stored "CustomStyle" 0 means none below schema 18; a "Type" the class cannot be is reset.
    struct Case
    {
        long nSchema;
        long nType;
        int nCustomStyle;
        int nExpectedType;
        int nExpectedCustomStyle;
    } cases[] = { { 10, zpControlButton, 0, zpControlButton, -1 },
                  { 20, zpControlButton, 0, zpControlButton, 0 },
                  { 34, 99, 2, zpControlButton, 2 },
                  { 34, zpControlComboBox, 2, zpControlButton, 2 },
                  { 34, zpControlCheckBox, 2, zpControlButton, 2 } };
    for (const Case& c : cases) {
        CRefPtr<CTestControl> source = CRefPtr<CTestControl>::Adopt(new CTestControl);
        source->SetCustomStyle(c.nCustomStyle);
        {
            CZPPropExchangeRegistry px(FALSE, hRoot, L"Old");
            px.SetSchema(c.nSchema);
            source->DoPropExchange(&px);
            long nType = c.nType;
            PropExchangeLong(&px, L"Type", &nType, 1);
        }
        CRefPtr<CTestControl> target = CRefPtr<CTestControl>::Adopt(new CTestControl);
        {
            CZPPropExchangeRegistry px(TRUE, hRoot, L"Old");
            px.SetSchema(c.nSchema);
            target->DoPropExchange(&px);
        }
        EXPECT_EQ(c.nExpectedType, target->GetType()) << c.nSchema << " " << c.nType;
        EXPECT_EQ(c.nExpectedCustomStyle, target->GetCustomStyle()) << c.nSchema;
    }
    ::RegCloseKey(hRoot);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
}

}  // namespace
