// Keyboard navigation: the tab-order properties and the messages it leaves to the host.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class KeyboardNavigation : public CMarkupLeakCheck
{
};

typedef CZPMarkupKeyboardNavigation K;

TEST_F(KeyboardNavigation, StoresTheTabOrderPropertiesOnAnyElement)
{
    CRef<CFixturePanel> pBorder(new CFixturePanel);
    EXPECT_TRUE(static_cast<CZPMarkupBool*>(pBorder->GetValue(K::m_pIsTabStopProperty))->m_bValue);
    EXPECT_EQ(2147483647, static_cast<CZPMarkupInt*>(pBorder->GetValue(K::m_pTabIndexProperty))->m_nValue);
    EXPECT_EQ(NULL, pBorder->GetValue(K::m_pTabNavigationProperty));

    pBorder->SetPropertyObject(NULL, K::m_pTabNavigationProperty, new CZPMarkupString(L"Cycle"));
    pBorder->SetPropertyObject(NULL, K::m_pTabIndexProperty, new CZPMarkupString(L"3"));
    pBorder->SetPropertyObject(NULL, K::m_pIsTabStopProperty, new CZPMarkupString(L"False"));
    EXPECT_EQ(2, static_cast<CZPMarkupEnum*>(pBorder->GetValue(K::m_pTabNavigationProperty))->m_nValue);
    EXPECT_EQ(3, static_cast<CZPMarkupInt*>(pBorder->GetValue(K::m_pTabIndexProperty))->m_nValue);
    EXPECT_FALSE(static_cast<CZPMarkupBool*>(pBorder->GetValue(K::m_pIsTabStopProperty))->m_bValue);
    EXPECT_TRUE(K::m_pTabNavigationProperty->IsAttached());

    CZPMarkupString* pSideways = new CZPMarkupString(L"Sideways");
    const std::wstring message =
        BuilderError([&] { pBorder->SetPropertyObject(NULL, K::m_pTabNavigationProperty, pSideways); });
    pSideways->Release();
    EXPECT_EQ(L"Cannot convert string in attribute 'TabNavigation' to object of type 'CZPMarkupEnum'", message);
}

TEST_F(KeyboardNavigation, LeavesKeyboardAndFocusMessagesToTheHost)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    K* pNavigation = pContext->GetKeyboardNavigation();
    ASSERT_TRUE(pNavigation != NULL);
    EXPECT_EQ(pContext, pNavigation->GetMarkupContext());
    for (UINT message : {WM_KEYDOWN, WM_SETFOCUS, WM_KILLFOCUS, WM_CHAR})
    {
        LRESULT lResult = 77;
        EXPECT_FALSE(pNavigation->OnWndMsg(message, VK_TAB, 0, &lResult)) << message;
        EXPECT_EQ(77, lResult) << message;
    }
    CZPMarkupInputElement* pElement =
        static_cast<CZPMarkupInputElement*>(pContext->CreateMarkupObject(CFixtureButton::GetClassType()));
    pElement->Focus();
    EXPECT_EQ(NULL, pElement->GetLocalValue(CZPMarkupInputElement::m_pIsKeyboardFocusedProperty));
    pElement->Release();
    EXPECT_EQ(0, pContext->Release());

    CRef<CZPMarkupObject> pMade(K::GetClassType()->CreateObject());
    EXPECT_EQ(NULL, static_cast<K*>(pMade.Get())->GetMarkupContext());
}
}
