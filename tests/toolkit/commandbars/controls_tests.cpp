// The controls collection: membership, ownership, navigation, kinds and building from menus.
#include "commandbars_test_support.h"

#include "commandbars/ZPControlLists.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPPopupBar.h"

#include <framework/menu.h>

namespace {

using ControlsTest = CommandBarsTest;

CRefPtr<CZPControls> NewControls()
{
    return CRefPtr<CZPControls>::Adopt(new CZPControls);
}

TEST_F(ControlsTest, InsertAtOutOfRangeAppendsAndRefusesASecondInsert)
{
    CRefPtr<CZPControls> controls = NewControls();
    CZPControl* a = controls->InsertAt(new CTestControl, -1);
    CZPControl* b = controls->InsertAt(new CTestControl, 99);
    CZPControl* c = controls->InsertAt(new CTestControl, 0);
    ASSERT_EQ(3, controls->GetCount());
    EXPECT_EQ(c, controls->GetAt(0));
    EXPECT_EQ(1, a->GetIndex());
    EXPECT_EQ(2, b->GetIndex());
    EXPECT_EQ(nullptr, controls->GetAt(3));
    EXPECT_EQ(nullptr, controls->GetAt(-1));

    AfxSetAssertHandler([](LPCSTR, int, LPCSTR) {});
    EXPECT_EQ(nullptr, controls->InsertAt(a, 0));  // already a member: refused, counts unchanged
    AfxSetAssertHandler(NULL);
    EXPECT_EQ(3, controls->GetCount());
    EXPECT_EQ(1, a->m_dwRef);
}

TEST_F(ControlsTest, RemoveOfAnotherCollectionsControlDoesNothing)
{
    CRefPtr<CZPControls> first = NewControls();
    CRefPtr<CZPControls> second = NewControls();
    CZPControl* a = first->Append(new CTestControl);
    second->Remove(a);
    EXPECT_EQ(1, first->GetCount());
    first->Remove(a);
    EXPECT_EQ(0, first->GetCount());
    first->Remove(NULL);
}

TEST_F(ControlsTest, RemovingASelectedControlWhoseHighlightHandlerRemovesIt)
{
    CTestSite site;
    CZPCommandBar* pBar = new CZPCommandBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
    pBar->SetSiteWindow(site.m_hWnd);
    CZPControls* pControls = pBar->GetControls();
    pControls->Append(new CTestControl);
    CZPControl* pSecond = pControls->Append(new CTestControl);
    ASSERT_TRUE(pBar->HighlightControlAt(1, 0));
    site.m_answer = [&](UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == ZpMsgControlHighlighted && wParam == 0)
            pControls->Remove(pSecond);  // re-entrant removal of the control being removed
        return 0;
    };
    pControls->Remove(pSecond);
    EXPECT_EQ(1, pControls->GetCount());
    EXPECT_EQ(1, site.Count(ZpMsgControlHighlighted) - 1);
    pBar->InternalRelease();
}

TEST_F(ControlsTest, GetNextOnHiddenAndUnfocusableControls)
{
    CRefPtr<CZPControls> controls = NewControls();
    for (int i = 0; i < 4; ++i)
        controls->Append(new CTestControl)->SetHideFlags(zpHideGeneric);
    EXPECT_EQ(-1, controls->GetNext(-1, +1));
    EXPECT_EQ(-1, controls->GetNext(-1, -1));
    EXPECT_EQ(2, controls->GetNext(2, +1));

    controls->GetAt(1)->SetHideFlags(0);
    controls->GetAt(1)->SetFlags(zpFlagSkipFocus);
    controls->GetAt(3)->SetHideFlags(zpHideScroll);  // scrolled out still counts
    EXPECT_EQ(3, controls->GetNext(-1, +1, TRUE));
    EXPECT_EQ(1, controls->GetNext(-1, +1, FALSE));
    EXPECT_EQ(3, controls->GetNext(-1, -1, TRUE));
    EXPECT_EQ(-1, CRefPtr<CZPControls>::Adopt(new CZPControls)->GetNext(-1, +1));
}

TEST_F(ControlsTest, FactoryKindsAndTypeChanges)
{
    CRefPtr<CZPControls> controls = NewControls();
    struct Case
    {
        int nKind;
        int nId;
        CRuntimeClass* pClass;
    } cases[] = { { zpControlButton, 100, RUNTIME_CLASS(CZPControlButton) },
                  { zpControlButton, ZP_ID_WINDOWLIST, RUNTIME_CLASS(CZPControlWindowList) },
                  { zpControlButton, ZP_ID_TOOLBARLIST, RUNTIME_CLASS(CZPControlToolbars) },
                  { zpControlSplitButtonPopup, 0, RUNTIME_CLASS(CZPControlPopup) },
                  { zpControlCheckBox, 5, RUNTIME_CLASS(CZPControlCheckBox) },
                  { 0, 5, NULL },
                  { 12, 5, NULL },
                  { -1, 5, NULL } };
    for (const Case& c : cases) {
        CZPControl* p = controls->Add(c.nKind, c.nId);
        if (c.pClass == NULL) {
            EXPECT_EQ(nullptr, p) << c.nKind;
            continue;
        }
        ASSERT_NE(nullptr, p) << c.nKind;
        EXPECT_EQ(c.pClass, p->GetRuntimeClass()) << c.nKind;
        EXPECT_EQ(c.nKind, p->GetType());
    }
    CZPControl* pPopup = controls->Add(zpControlPopup, 0);
    ASSERT_NE(nullptr, pPopup->GetCommandBar());
    EXPECT_EQ(pPopup, controls->SetControlType(pPopup, zpControlSplitButtonPopup));

    CRefPtr<CZPControl> oldButton = CRefPtr<CZPControl>::AddRef(controls->Add(zpControlButton, 7));
    oldButton->SetCaption(L"Seven");
    CZPControl* pNew = controls->SetControlType(oldButton.Get(), zpControlPopup);
    ASSERT_NE(oldButton.Get(), pNew);
    EXPECT_EQ(CString(L"Seven"), pNew->GetCaptionRaw());
    EXPECT_EQ(nullptr, oldButton->GetControls());
    EXPECT_EQ(1, oldButton->m_dwRef);  // only this test holds it now
}

TEST_F(ControlsTest, CopiesSkipTemporaryControlsAndSnapshotsCompare)
{
    CRefPtr<CZPControls> controls = NewControls();
    controls->Append(new CTestControl)->SetID(1);
    controls->Append(new CTestControl)->SetTemporary(TRUE);
    EXPECT_TRUE(controls->IsChanged());
    controls->CreateOriginalControls();
    EXPECT_FALSE(controls->IsChanged());
    controls->GetAt(0)->SetCaption(L"Changed");
    EXPECT_TRUE(controls->IsChanged());

    CRefPtr<CZPControls> copy = NewControls();
    copy->CopyFrom(controls.Get());
    EXPECT_EQ(1, copy->GetCount());
    EXPECT_NE(nullptr, copy->GetOriginalControls());
    copy->CopyFrom(copy.Get());
    EXPECT_EQ(1, copy->GetCount());
}

// A menu "Popup\t<text>" holding one command, as a site-less collection loads it.
struct CMenuCase
{
    const wchar_t* pszPopupText;
    int nExpectedId;
};

TEST_F(ControlsTest, MenuItemsBecomeControls)
{
    CMenuCase cases[] = { { L"&File\t120", 120 }, { L"Popup\t99999999999", 0 }, { L"\t-3", 0 }, { L"Tab\t0", 0 } };
    for (const CMenuCase& c : cases) {
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, 200, L"&Open\tCtrl+O");
        sub.AppendMenu(MF_SEPARATOR);
        sub.AppendMenu(MF_STRING, ZP_ID_MENU_NOCONTROL, L"none");
        sub.AppendMenu(MF_STRING | MF_MENUBARBREAK | MF_GRAYED | MF_CHECKED, 201, L"&Close");
        sub.SetDefaultItem(3, TRUE);  // disabled, still the default
        CMenu menu;
        menu.CreateMenu();
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), c.pszPopupText);

        CRefPtr<CZPCommandBar> bar = CRefPtr<CZPCommandBar>::Adopt(new CZPCommandBar);
        ASSERT_TRUE(bar->LoadFromMenu(&menu));
        ASSERT_EQ(1, bar->CountControls());
        CZPControl* pPopup = bar->ControlAt(0);
        EXPECT_EQ(zpControlPopup, pPopup->GetType());
        EXPECT_EQ(c.nExpectedId, pPopup->GetID()) << c.pszPopupText;
        CZPCommandBar* pSub = pPopup->GetCommandBar();
        ASSERT_NE(nullptr, pSub);
        ASSERT_EQ(2, pSub->CountControls());
        CZPControl* pOpen = pSub->ControlAt(0);
        EXPECT_EQ(200, pOpen->GetID());
        EXPECT_EQ(CString(L"&Open"), pOpen->GetCaptionRaw());
        EXPECT_EQ(CString(L"Ctrl+O"), pOpen->GetShortcutText());
        EXPECT_FALSE(pOpen->IsDefaultItem());
        CZPControl* pClose = pSub->ControlAt(1);
        EXPECT_TRUE(pClose->IsDefaultItem());
        EXPECT_TRUE(pClose->GetBeginGroup());
        EXPECT_TRUE(pClose->GetFlags() & zpFlagWrapRow);
        EXPECT_FALSE(pClose->GetEnabled());
        EXPECT_TRUE(pClose->GetChecked());
    }
}

TEST_F(ControlsTest, SiteAnswersToCreateRequests)
{
    CTestSite site;
    CRefPtr<CZPControls> other = NewControls();
    CZPControl* pForeign = other->Append(new CTestControl);
    int nAnswer = 0;
    site.m_answer = [&](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message != ZpMsgCreateControl)
            return 0;
        ZpCreateControlRequest* pRequest = reinterpret_cast<ZpCreateControlRequest*>(lParam);
        switch (nAnswer) {
        case 1:
            pRequest->pControl = new CTestControl;  // adopted as it is
            return 1;
        case 2:
            pRequest->controlType = 0;
            return 1;
        case 3:
            pRequest->controlType = 12;
            return 1;
        case 4:
            pRequest->pControl = pForeign;
            return 1;
        case 5:
            throw 5;
        default:
            pRequest->nID = 4000;
            pRequest->strCaption = L"Renamed";
            return 1;
        }
    };
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 300, L"Item");
    CRefPtr<CZPCommandBar> bar = CRefPtr<CZPCommandBar>::Adopt(new CZPCommandBar);
    bar->SetSiteWindow(site.m_hWnd);
    CZPControls* pControls = bar->GetControls();
    struct Case
    {
        int nAnswer;
        BOOL bControl;
    } cases[] = { { 0, TRUE }, { 1, TRUE }, { 2, FALSE }, { 3, FALSE }, { 4, FALSE }, { 5, TRUE } };
    for (const Case& c : cases) {
        nAnswer = c.nAnswer;
        site.m_messages.clear();
        CZPControl* p = pControls->AddMenuItem(&menu, 0);
        EXPECT_EQ(c.bControl, p != NULL) << c.nAnswer;
        EXPECT_EQ(c.bControl ? 1 : 0, site.Count(ZpMsgControlCreated)) << c.nAnswer;
        if (c.nAnswer == 0) {
            EXPECT_EQ(4000, p->GetID());
            EXPECT_EQ(CString(L"Renamed"), p->GetCaptionRaw());
        }
        if (c.nAnswer == 1) {
            EXPECT_EQ(RUNTIME_CLASS(CTestControl), p->GetRuntimeClass());
        }
    }
    EXPECT_EQ(other.Get(), pForeign->GetControls());
    EXPECT_EQ(1, pForeign->m_dwRef);
}

TEST_F(ControlsTest, LargeAndDeepMenus)
{
    const int kItems = 2000;
    CMenu wide;
    wide.CreatePopupMenu();
    for (int i = 0; i < kItems; ++i)
        wide.AppendMenu(MF_STRING, 1000 + i, L"Item");
    wide.SetDefaultItem(kItems - 1, TRUE);
    CRefPtr<CZPCommandBar> bar = CRefPtr<CZPCommandBar>::Adopt(new CZPCommandBar);
    ASSERT_TRUE(bar->LoadFromMenu(&wide));
    EXPECT_EQ(kItems, bar->CountControls());
    EXPECT_EQ(kItems - 1, bar->ControlAt(kItems - 1)->GetIndex());
    EXPECT_TRUE(bar->ControlAt(kItems - 1)->IsDefaultItem());
    EXPECT_FALSE(bar->ControlAt(kItems - 2)->IsDefaultItem());

    // 200 nested popups: loading stops at the nesting bound with an empty popup.
    const int kDepth = 200;
    HMENU hInner = ::CreatePopupMenu();
    ::AppendMenuW(hInner, MF_STRING, 1, L"Leaf");
    for (int i = 0; i < kDepth; ++i) {
        HMENU hOuter = ::CreatePopupMenu();
        ::AppendMenuW(hOuter, MF_POPUP, reinterpret_cast<UINT_PTR>(hInner), L"Level");
        hInner = hOuter;
    }
    CMenu deep;
    deep.Attach(hInner);
    CRefPtr<CZPCommandBar> deepBar = CRefPtr<CZPCommandBar>::Adopt(new CZPCommandBar);
    ASSERT_TRUE(deepBar->LoadFromMenu(&deep));
    int nLevels = 0;
    for (CZPCommandBar* p = deepBar.Get(); p != NULL && p->CountControls() > 0; p = p->ControlAt(0)->GetCommandBar())
        ++nLevels;
    EXPECT_GE(nLevels, 1);  // the system itself may refuse deep nesting
    EXPECT_LT(nLevels, kDepth + 1);
    EXPECT_EQ(nullptr, deepBar->GetControls()->FindControl(0, 1, FALSE, TRUE));
    EXPECT_NE(nullptr, deepBar->GetControls()->FindControl(zpControlPopup, -1, FALSE, TRUE));
    EXPECT_FALSE(bar->LoadFromMenu(NULL));
}

}  // namespace
