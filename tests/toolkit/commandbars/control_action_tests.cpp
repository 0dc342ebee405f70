// Actions: the sorted collection, binding and unbinding, and what bound controls show.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlAction.h"

namespace {

// A collection on the heap (one reference), removed and released at the end.
struct CActions
{
    explicit CActions(CZPCommandBars* pCommandBars = NULL) : p(new CZPControlActions(pCommandBars)) {}
    ~CActions() { p->InternalRelease(); }
    CActions(const CActions&) = delete;
    CActions& operator=(const CActions&) = delete;
    CZPControlActions* p;
};

// Counts the caption notifications it gets.
class CNotifiedControl : public CTestControl
{
public:
    void OnActionChanging(int nProperty) override { m_log.push_back(-nProperty); }
    void OnActionChanged(int nProperty) override { m_log.push_back(nProperty); }
    std::vector<int> m_log;
};

}  // namespace

using ControlActions = CommandBarsTest;

TEST_F(ControlActions, FindAndAddKeepIdsSortedAndRefuseBadIds)
{
    CActions actions;
    for (int nId : { 0, -1, 0xFFFFFFF })
        EXPECT_EQ(nullptr, actions.p->Add(nId)) << nId;
    CZPControlAction* p30 = actions.p->Add(30);
    actions.p->Add(10);
    actions.p->Add(20);
    EXPECT_EQ(p30, actions.p->Add(30));  // the same id twice: the existing action
    ASSERT_EQ(3, actions.p->GetCount());
    EXPECT_EQ(10, actions.p->GetAt(0)->GetId());
    EXPECT_EQ(20, actions.p->GetAt(1)->GetId());
    EXPECT_EQ(30, actions.p->GetAt(2)->GetId());
    for (int nId : { 0, -1, 0xFFFFFFF, 15 })
        EXPECT_EQ(nullptr, actions.p->FindAction(nId)) << nId;
    EXPECT_EQ(p30, actions.p->FindAction(30));
    EXPECT_NE(nullptr, actions.p->Add(ZP_ID_MAX_ACTION));
}

TEST_F(ControlActions, BoundControlsShowTheActionAndUnbindingResetsThem)
{
    CActions actions;
    CZPControlAction* pAction = actions.p->Add(40);
    pAction->SetPrompt(L"Opens it\nOpen tip\nOpen\nO");
    CNotifiedControl* pFollow = new CNotifiedControl;
    CNotifiedControl* pOwn = new CNotifiedControl;
    pFollow->SetCaption(L"mine");
    pFollow->SetAction(pAction);
    pOwn->SetAction(pAction);
    pOwn->SetEnabled(0);
    EXPECT_EQ(0, pAction->Attach(pFollow));  // already bound: its position, nothing changes
    EXPECT_EQ(2, pAction->GetCount());
    EXPECT_EQ(40, pFollow->GetID());
    EXPECT_EQ(CString(L"Open"), pFollow->GetCaption());  // its own caption was emptied
    EXPECT_EQ(CString(L"Open tip"), pFollow->GetTooltip());
    EXPECT_EQ(CString(L"Opens it"), pFollow->GetDescription());

    pAction->SetEnabled(FALSE);
    pAction->SetChecked(TRUE);
    EXPECT_FALSE(pFollow->GetEnabled());
    EXPECT_TRUE(pFollow->GetChecked());
    pAction->SetEnabled(TRUE);
    EXPECT_TRUE(pFollow->GetEnabled());
    EXPECT_FALSE(pOwn->GetEnabled());  // its own 0 holds
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(pFollow->IsVisible());
    pAction->SetVisible(TRUE);

    // The same caption with a shortcut after a tab changes nothing; a new one notifies both.
    pAction->SetCaption(L"Open\tCtrl+O");
    EXPECT_TRUE(pFollow->m_log.empty());
    pAction->SetCaption(L"Open all");
    EXPECT_EQ((std::vector<int>{ -3, 3 }), pFollow->m_log);
    EXPECT_EQ((std::vector<int>{ -3, 3 }), pOwn->m_log);
    EXPECT_EQ(CString(L"Open all"), pFollow->GetCaption());

    pFollow->SetAction(NULL);
    EXPECT_EQ(1, pAction->GetCount());
    EXPECT_TRUE(pFollow->GetEnabled());
    EXPECT_FALSE(pFollow->GetChecked());
    EXPECT_TRUE(pFollow->GetCaption().IsEmpty());

    // A control's destruction unbinds it; RemoveAll unbinds the rest and empties the collection.
    pOwn->InternalRelease();
    EXPECT_EQ(0, pAction->GetCount());
    pOwn = new CNotifiedControl;
    pOwn->SetAction(actions.p->Add(41));
    actions.p->RemoveAll();
    EXPECT_EQ(0, actions.p->GetCount());
    EXPECT_EQ(nullptr, pOwn->GetAction());
    pOwn->InternalRelease();
    pFollow->InternalRelease();
}

TEST_F(ControlActions, SwitchOffCreatesNoneAndCustomizeModeEnables)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    EXPECT_FALSE(pCommandBars->IsActionsEnabled());
    EXPECT_EQ(nullptr, pCommandBars->LookupAction(50));
    EXPECT_EQ(0, pCommandBars->GetActions()->GetCount());
    pCommandBars->EnableActions();
    CZPControlAction* pAction = pCommandBars->LookupAction(50);
    ASSERT_NE(nullptr, pAction);
    pAction->SetEnabled(FALSE);
    pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(pAction->GetEnabled());
    pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_FALSE(pAction->GetEnabled());
    CTestControl* pControl = new CTestControl;
    pControl->SetAction(pAction);
    pCommandBars->InternalRelease();  // the collection unbinds the control
    EXPECT_EQ(nullptr, pControl->GetAction());
    pControl->InternalRelease();
}
