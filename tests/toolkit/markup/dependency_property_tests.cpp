// Dependency properties: registration and lookup, the value layers, inheritance through
// collections, notifications, refused values.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class DependencyProperties : public CMarkupLeakCheck
{
};

typedef CFixtureText T;

size_t CountChanges(CZPMarkupDependencyProperty* pProperty)
{
    size_t n = 0;
    for (const CChangeRecord& change : g_changes)
        n += change.pProperty == pProperty;
    return n;
}

TEST_F(DependencyProperties, FindPropertiesUpTheTypeChain)
{
    struct
    {
        CZPMarkupType* pType;
        const wchar_t* name;
        CZPMarkupDependencyProperty* pExpected;
    } cases[] = {
        {CFixtureBold::GetClassType(), L"Foreground", T::m_pForegroundProperty},
        {CFixtureBold::GetClassType(), L"Children", CFixturePanel::m_pChildrenProperty},
        {CFixtureBold::GetClassType(), L"Key", CZPMarkupObject::m_pKeyProperty},
        {CZPMarkupInt::GetClassType(), L"x:Key", CZPMarkupObject::m_pKeyProperty},
        {CZPMarkupColor::GetClassType(), L"x:Name", CZPMarkupObject::m_pNameProperty},
        {CFixtureGrid::GetClassType(), L"Row", CFixtureGrid::m_pRowProperty},
        {CFixturePanel::GetClassType(), L"Row", NULL},
        {CFixtureText::GetClassType(), L"foreground", NULL},
        {CFixtureText::GetClassType(), L"y:Key", NULL},
        // Added as owner: the span accepts the button's event under its own type.
        {CFixtureSpan::GetClassType(), L"Click", CFixtureButton::m_pClickEvent},
        {CFixtureButton::GetClassType(), L"Click", CFixtureButton::m_pClickEvent},
        {CFixtureRun::GetClassType(), L"Click", NULL},
        {CZPMarkupKeyboardNavigation::GetClassType(), L"TabNavigation",
         CZPMarkupKeyboardNavigation::m_pTabNavigationProperty},
        {NULL, L"Key", NULL},
        {CFixtureText::GetClassType(), NULL, NULL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pExpected, ZpMarkupFindProperty(c.pType, c.name)) << (c.name ? c.name : L"(null)");

    EXPECT_EQ(CFixtureButton::GetClassType(), CFixtureButton::m_pClickEvent->GetOwnerType());
    EXPECT_TRUE(CFixtureGrid::m_pRowProperty->IsAttached());
    EXPECT_FALSE(CFixturePanel::m_pTagProperty->IsAttached());
    EXPECT_EQ(-1, CFixtureButton::m_pClickEvent->GetIndex());
}

TEST_F(DependencyProperties, AnswerDefaultsWithoutAStore)
{
    const long nLive = ZpMarkupLiveObjectCount();
    CRef<T> pText(new T);
    EXPECT_TRUE(pText->SetValue(T::m_pForegroundProperty, NULL)); // makes no store
    EXPECT_EQ(nLive + 1, ZpMarkupLiveObjectCount());
    EXPECT_EQ(T::m_pForegroundProperty->GetDefaultValue(), pText->GetValue(T::m_pForegroundProperty));
    EXPECT_EQ(NULL, pText->GetLocalValue(T::m_pForegroundProperty));
    EXPECT_EQ(NULL, pText->FindValueSource(T::m_pForegroundProperty));
    // No metadata: no default, never inherited.
    EXPECT_EQ(NULL, pText->GetValue(CFixturePanel::m_pTagProperty));
    CRef<CFixturePanel> pPanel(new CFixturePanel);
    pPanel->SetValue(CFixturePanel::m_pTagProperty, new CZPMarkupInt(4));
    pPanel->AddChild(pText.Get());
    pText->AddRef();
    EXPECT_EQ(NULL, pText->GetValue(CFixturePanel::m_pTagProperty));
    EXPECT_EQ(NULL, pText->GetValue(NULL));
}

TEST_F(DependencyProperties, InheritThroughCollectionsAndNotifyEveryDescendant)
{
    CRef<CFixturePanel> pPanel(new CFixturePanel);
    T* pPlain = new T;
    T* pOwn = new T;
    CFixtureRun* pDeep = new CFixtureRun;
    pPanel->AddChild(pPlain);
    pPanel->AddChild(pOwn);
    pOwn->AddChild(pDeep);
    pOwn->SetValue(T::m_pForegroundProperty, new CZPMarkupColor(RGB(0, 0, 255)));

    CZPMarkupColor* pRed = new CZPMarkupColor(RGB(255, 0, 0));
    g_changes.clear();
    pPanel->SetValue(T::m_pForegroundProperty, pRed);
    EXPECT_EQ(pRed, pPlain->GetValue(T::m_pForegroundProperty));
    EXPECT_EQ(pPanel.Get(), pPlain->FindValueSource(T::m_pForegroundProperty));
    EXPECT_EQ(pOwn, pDeep->FindValueSource(T::m_pForegroundProperty));
    EXPECT_EQ(pOwn->GetLocalValue(T::m_pForegroundProperty), pDeep->GetValue(T::m_pForegroundProperty));

    // The panel itself, then every descendant of the owner type, a local value or not.
    std::vector<CZPMarkupObject*> notified;
    for (const CChangeRecord& change : g_changes)
    {
        notified.push_back(change.pObject);
        EXPECT_EQ(pRed, change.pNewValue);
        EXPECT_EQ(T::m_pForegroundProperty->GetDefaultValue(), change.pOldValue);
    }
    EXPECT_EQ((std::vector<CZPMarkupObject*>{ pPanel.Get(), pPlain, pOwn, pDeep }), notified);

    // The same value object again still notifies, old and new alike.
    pRed->AddRef();
    g_changes.clear();
    pPanel->SetValue(T::m_pForegroundProperty, pRed);
    ASSERT_EQ(4u, g_changes.size());
    EXPECT_EQ(pRed, g_changes[0].pOldValue);
    EXPECT_EQ(pRed, g_changes[0].pNewValue);
    EXPECT_EQ(1, pRed->GetRefCount());
}

TEST_F(DependencyProperties, NotifyDescendantsOfAVeryDeepTree)
{
    // 100,000 nested panels, as a tree built in code may be: the change reaches the text at the
    // bottom without recursing once per level.
    std::vector<CFixturePanel*> chain(1, new CFixturePanel);
    for (int i = 0; i < 100000; i++)
    {
        chain.push_back(new CFixturePanel);
        chain[chain.size() - 2]->AddChild(chain.back());
    }
    T* pLeaf = new T;
    chain.back()->AddChild(pLeaf);
    CZPMarkupColor* pRed = new CZPMarkupColor(RGB(255, 0, 0));
    g_changes.clear();
    chain.front()->SetValue(T::m_pForegroundProperty, pRed);
    ASSERT_EQ(2u, g_changes.size());
    EXPECT_EQ(pLeaf, g_changes[1].pObject);
    EXPECT_EQ(pRed, pLeaf->GetValue(T::m_pForegroundProperty));
    // Released from the bottom up: each release then has nothing below it.
    for (size_t i = chain.size(); i-- > 0;)
        chain[i]->GetChildren()->RemoveAll();
    chain.front()->Release();
}

TEST_F(DependencyProperties, KeepTheOldValueAliveWhileNotifying)
{
    CRef<T> pText(new T);
    pText->SetValue(T::m_pOpacityProperty, new CZPMarkupDouble(0.5));
    g_changes.clear();
    // The store held the only reference to 0.5: listeners still see it alive.
    pText->SetValue(T::m_pOpacityProperty, new CZPMarkupDouble(0.25));
    ASSERT_EQ(1u, g_changes.size());
    EXPECT_EQ(1, g_changes[0].nOldRefCount);
    EXPECT_EQ(0.5, g_changes[0].dOld);
    EXPECT_EQ(0.25, static_cast<CZPMarkupDouble*>(pText->GetValue(T::m_pOpacityProperty))->m_dValue);
}

TEST_F(DependencyProperties, RefuseValuesTheyCannotHoldAndLeaveThemWithTheCaller)
{
    CRef<T> pText(new T);
    CRef<CZPMarkupInt> pNumber(new CZPMarkupInt(3));
    g_changes.clear();
    EXPECT_FALSE(pText->SetValue(T::m_pForegroundProperty, pNumber)); // wrong type
    EXPECT_FALSE(pText->SetValue(NULL, pNumber));
    CRef<CZPMarkupString> pName(new CZPMarkupString(L"OnClick"));
    EXPECT_FALSE(pText->SetValue(CFixtureButton::m_pClickEvent, pName)); // an event has no slot
    EXPECT_EQ(1, pNumber->GetRefCount());
    EXPECT_EQ(1, pName->GetRefCount());
    EXPECT_TRUE(g_changes.empty());
    EXPECT_EQ(NULL, pText->GetLocalValue(T::m_pForegroundProperty));
    EXPECT_EQ(NULL, pText->GetValue(CFixtureButton::m_pClickEvent));

    // A property registered after a store was made has no slot in it.
    pText->SetValue(T::m_pOpacityProperty, new CZPMarkupDouble(2));
    CZPMarkupDependencyProperty* pLate = CZPMarkupDependencyProperty::Register(L"Late", CZPMarkupInt::GetClassType(),
                                                                              CFixtureText::GetClassType());
    m_nLiveObjects++; // the property map keeps it for the process
    EXPECT_FALSE(pText->SetValue(pLate, pNumber));
    EXPECT_EQ(NULL, pText->GetValue(pLate));
    CRef<T> pFresh(new T);
    pNumber->AddRef();
    EXPECT_TRUE(pFresh->SetValue(pLate, pNumber));
    EXPECT_EQ(pNumber.Get(), pFresh->GetValue(pLate));
}

TEST_F(DependencyProperties, ReplaceAnEarlierPropertyOfTheSameNameAndOwner)
{
    CZPMarkupDependencyProperty* pFirst =
        CZPMarkupDependencyProperty::Register(L"Twice", CZPMarkupInt::GetClassType(), CFixtureGrid::GetClassType());
    pFirst->AddRef(); // the map lets go of it below
    CZPMarkupDependencyProperty* pSecond =
        CZPMarkupDependencyProperty::Register(L"Twice", CZPMarkupInt::GetClassType(), CFixtureGrid::GetClassType());
    m_nLiveObjects++;
    EXPECT_EQ(pSecond, ZpMarkupFindProperty(CFixtureGrid::GetClassType(), L"Twice"));
    EXPECT_NE(pFirst->GetIndex(), pSecond->GetIndex());
    pFirst->Release();
}

TEST_F(DependencyProperties, ReadAndNotifyAlongADeepChainBuiltInCode)
{
    const int kDepth = 300;
    CRef<CFixturePanel> pRoot(new CFixturePanel);
    CFixturePanel* pParent = pRoot;
    for (int i = 0; i < kDepth; i++)
    {
        CFixturePanel* pChild = i % 2 ? static_cast<CFixturePanel*>(new T) : new CFixtureRun;
        pParent->AddChild(pChild);
        pParent = pChild;
    }
    CZPMarkupColor* pGreen = new CZPMarkupColor(RGB(0, 128, 0));
    g_changes.clear();
    pRoot->SetValue(T::m_pForegroundProperty, pGreen);
    EXPECT_EQ(pGreen, pParent->GetValue(T::m_pForegroundProperty));
    EXPECT_EQ(pRoot.Get(), pParent->FindValueSource(T::m_pForegroundProperty));
    EXPECT_EQ(static_cast<size_t>(kDepth + 1), CountChanges(T::m_pForegroundProperty));
}

TEST_F(DependencyProperties, ConvertValuesDeliveredAsText)
{
    CRef<T> pText(new T);
    pText->SetPropertyObject(NULL, T::m_pOpacityProperty, new CZPMarkupString(L" 0.75 "));
    CZPMarkupDouble* pOpacity = ZpMarkupCast<CZPMarkupDouble>(pText->GetValue(T::m_pOpacityProperty));
    ASSERT_TRUE(pOpacity != NULL);
    EXPECT_EQ(0.75, pOpacity->m_dValue);
    // A value of the property's type passes unconverted.
    CZPMarkupColor* pColor = new CZPMarkupColor(RGB(1, 2, 3));
    pText->SetPropertyObject(NULL, T::m_pForegroundProperty, pColor);
    EXPECT_EQ(pColor, pText->GetLocalValue(T::m_pForegroundProperty));

    CZPMarkupString* pBad = new CZPMarkupString(L"1e3");
    const std::wstring message =
        BuilderError([&] { pText->SetPropertyObject(NULL, T::m_pOpacityProperty, pBad); });
    EXPECT_EQ(L"Cannot convert string in attribute 'Opacity' to object of type 'CZPMarkupDouble'", message);
    pBad->Release(); // an error leaves the value with the caller
    EXPECT_EQ(pOpacity, pText->GetValue(T::m_pOpacityProperty));

    // A value for a property the object cannot hold is released, not leaked.
    pText->SetPropertyObject(NULL, NULL, new CZPMarkupInt(1));
}
}
