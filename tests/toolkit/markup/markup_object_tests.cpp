// Markup objects: reference counts, type records and the registry, kind tests, content errors.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
class MarkupObjects : public CMarkupLeakCheck
{
};

TEST_F(MarkupObjects, CountReferencesAndDestroyOnce)
{
    const long nLive = ZpMarkupLiveObjectCount();
    CZPMarkupObject* pObject = new CFixturePanel;
    EXPECT_EQ(1, pObject->GetRefCount());
    EXPECT_EQ(nLive + 1, ZpMarkupLiveObjectCount());
    EXPECT_EQ(2, pObject->AddRef());
    EXPECT_EQ(1, pObject->Release());
    EXPECT_EQ(nLive + 1, ZpMarkupLiveObjectCount());
    EXPECT_EQ(0, pObject->Release());
    EXPECT_EQ(nLive, ZpMarkupLiveObjectCount());
}

int g_nAssertions = 0;
void CountAssertion(LPCSTR, int, LPCSTR)
{
    g_nAssertions++;
}

TEST_F(MarkupObjects, ReleaseAtZeroAnswersZeroAndDoesNothing)
{
    // An object on the stack whose count has been given back: further releases change nothing
    // but report the fault.
    struct CStackObject : CZPMarkupObject
    {
        void OnFinalRelease() override { m_nFinal++; }
        int m_nFinal = 0;
    } object;
    g_nAssertions = 0;
    AFX_ASSERT_HANDLER pfnOld = AfxSetAssertHandler(CountAssertion);
    EXPECT_EQ(0, object.Release());
    EXPECT_EQ(1, object.m_nFinal);
    EXPECT_EQ(0, g_nAssertions);
    EXPECT_EQ(0, object.Release());
    EXPECT_EQ(0, object.Release());
    EXPECT_EQ(1, object.m_nFinal);
    EXPECT_EQ(2, g_nAssertions);
    AfxSetAssertHandler(pfnOld);
}

TEST_F(MarkupObjects, LookUpTagsExactly)
{
    struct
    {
        const wchar_t* tag;
        CZPMarkupType* pExpected;
    } cases[] = {
        {L"Color", CZPMarkupColor::GetClassType()},
        {L"KeyboardNavigation", CZPMarkupKeyboardNavigation::GetClassType()},
        {L"FixtureSpan", CFixtureSpan::GetClassType()},
        {L"color", NULL},
        {L"CZPMarkupColor", NULL},
        {L"fixturespan", NULL},
        {L"", NULL},
        {NULL, NULL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pExpected, ZpMarkupLookupType(c.tag)) << (c.tag ? c.tag : L"(null)");
}

TEST_F(MarkupObjects, ReachEveryRecordFromTheListNewestFirst)
{
    // Creation order of the engine's records; the list answers them newest first.
    const std::vector<CZPMarkupType*> creation = {
        CZPMarkupDependencyProperty::GetClassType(), CZPMarkupType::GetClassType(),
        CZPMarkupObject::GetClassType(),             CZPMarkupThickness::GetClassType(),
        CZPMarkupInt::GetClassType(),                CZPMarkupDouble::GetClassType(),
        CZPMarkupEnum::GetClassType(),               CZPMarkupBool::GetClassType(),
        CZPMarkupColor::GetClassType(),              CZPMarkupString::GetClassType(),
        CZPMarkupCollection::GetClassType(),         CZPMarkupInputElement::GetClassType(),
        CZPMarkupKeyboardNavigation::GetClassType(),
    };
    std::vector<CZPMarkupType*> listed;
    for (CZPMarkupType* pType = ZpMarkupFirstType(); pType != NULL; pType = pType->GetNextType())
    {
        if (std::find(creation.begin(), creation.end(), pType) != creation.end())
            listed.push_back(pType);
        EXPECT_TRUE(pType->IsRegistered()) << pType->GetClassName();
    }
    EXPECT_EQ(std::vector<CZPMarkupType*>(creation.rbegin(), creation.rend()), listed);
    EXPECT_STREQ(L"CZPMarkupKeyboardNavigation", CZPMarkupKeyboardNavigation::GetClassType()->GetClassName());
}

TEST_F(MarkupObjects, TestKindsAlongTheTypeTree)
{
    CRef<CZPMarkupObject> pBold(new CFixtureBold);
    CRef<CZPMarkupObject> pEvent(new CZPMarkupDelegate);
    CRef<CZPMarkupObject> pInputs(new CZPMarkupContext::CInputElementCollection);
    struct
    {
        CZPMarkupObject* pObject;
        CZPMarkupType* pType;
        BOOL bKind;
    } cases[] = {
        {pBold, CFixtureBold::GetClassType(), TRUE},
        {pBold, CFixtureSpan::GetClassType(), TRUE},
        {pBold, CFixtureText::GetClassType(), TRUE},
        {pBold, CZPMarkupInputElement::GetClassType(), TRUE},
        {pBold, CZPMarkupObject::GetClassType(), TRUE},
        {pBold, CFixtureRun::GetClassType(), FALSE},
        {pBold, CZPMarkupCollection::GetClassType(), FALSE},
        {pBold, NULL, FALSE},
        {CZPMarkupColor::GetClassType(), CZPMarkupType::GetClassType(), TRUE},
        {CZPMarkupColor::GetClassType(), CZPMarkupObject::GetClassType(), TRUE},
        // Classes without a record of their own answer their base's.
        {CFixtureButton::m_pClickEvent, CZPMarkupDependencyProperty::GetClassType(), TRUE},
        {pEvent, CZPMarkupObject::GetClassType(), TRUE},
        {pInputs, CZPMarkupCollection::GetClassType(), TRUE},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.bKind, c.pObject->IsKindOfType(c.pType)) << c.pObject->GetType()->GetClassName();
        EXPECT_EQ(c.bKind ? c.pObject : NULL, ZpMarkupCastTo(c.pType, c.pObject));
    }
    EXPECT_EQ(CZPMarkupObject::GetClassType(), pEvent->GetType());
    EXPECT_EQ(CZPMarkupCollection::GetClassType(), pInputs->GetType());
    EXPECT_EQ(NULL, ZpMarkupCastTo(CZPMarkupObject::GetClassType(), NULL));
    EXPECT_EQ(NULL, CZPMarkupObject::GetClassType()->GetBaseType());
}

// Registration order of two records made for this test.
std::vector<std::wstring> g_registered;
CZPMarkupType* g_pTestBase = NULL;
CZPMarkupType* g_pTestDerived = NULL;

TEST_F(MarkupObjects, RegisterBasesFirstAndOnce)
{
    g_registered.clear();
    g_pTestBase = new CZPMarkupType(NULL, L"CTestBase", NULL, []() { return CZPMarkupObject::GetClassType(); },
                                    []() { g_registered.push_back(L"base"); });
    g_pTestDerived = new CZPMarkupType(NULL, L"CTestDerived", NULL, []() { return g_pTestBase; }, []() {
        g_registered.push_back(L"derived");
        // Asking for its own registration again returns at once.
        g_pTestDerived->EnsureRegistered();
    });
    m_nLiveObjects += 2; // the registry keeps the records for the process
    EXPECT_EQ(g_pTestDerived, ZpMarkupFirstType());
    EXPECT_FALSE(g_pTestDerived->IsRegistered());

    g_pTestDerived->EnsureRegistered();
    EXPECT_EQ((std::vector<std::wstring>{L"base", L"derived"}), g_registered);
    ZpMarkupRegisterAllTypes();
    ZpMarkupRegisterAllTypes();
    EXPECT_EQ(2u, g_registered.size());
    EXPECT_TRUE(g_pTestBase->IsRegistered());
    EXPECT_EQ(NULL, g_pTestBase->CreateObject());
}

TEST_F(MarkupObjects, CreateByTypeAndConvertTagNamesToRecords)
{
    CRef<CZPMarkupObject> pSpan(CFixtureSpan::GetClassType()->CreateObject());
    ASSERT_TRUE(pSpan.Get() != NULL);
    EXPECT_EQ(1, pSpan->GetRefCount());
    EXPECT_EQ(CFixtureSpan::GetClassType(), pSpan->GetType());

    CRef<CZPMarkupString> pTag(new CZPMarkupString(L"FixtureSpan"));
    CRef<CZPMarkupString> pUnknown(new CZPMarkupString(L"Nothing"));
    CRef<CZPMarkupObject> pInstance(CZPMarkupType::GetClassType()->CreateObject());
    EXPECT_EQ(NULL, pInstance.Get());
    CZPMarkupType* pRecord = CFixtureSpan::GetClassType();
    const long nRefs = pRecord->GetRefCount();
    CZPMarkupObject* pConverted = pRecord->ConvertFrom(NULL, pTag);
    EXPECT_EQ(pRecord, pConverted);
    EXPECT_EQ(nRefs + 1, pRecord->GetRefCount());
    pRecord->Release();
    EXPECT_EQ(NULL, pRecord->ConvertFrom(NULL, pUnknown));
    EXPECT_EQ(NULL, pRecord->ConvertFrom(NULL, pSpan));
}

TEST_F(MarkupObjects, RefuseContentWithTheTwoBaseMessages)
{
    CRef<CFixturePanel> pPanel(new CFixturePanel);
    CRef<CZPMarkupString> pText(new CZPMarkupString(L"abc"));
    CRef<CZPMarkupInt> pNumber(new CZPMarkupInt(1));
    EXPECT_EQ(L"Cannot convert the string 'abc' into a 'CFixturePanel' object",
              BuilderError([&] { pPanel->SetContentObject(NULL, pText); }));
    EXPECT_EQ(L"Cannot add content to an object of type 'CFixturePanel'",
              BuilderError([&] { pPanel->SetContentObject(NULL, pNumber); }));
    // The refused content stayed with the caller.
    EXPECT_EQ(1, pText->GetRefCount());
    EXPECT_FALSE(pPanel->HasContentObject());
    EXPECT_FALSE(pPanel->AllowWhiteSpaceContent());

    WCHAR szMessage[64];
    CZPMarkupBuilderException error(L"Unexpected end tag");
    EXPECT_TRUE(error.GetErrorMessage(szMessage, 64));
    EXPECT_STREQ(L"Unexpected end tag", szMessage);
}

TEST_F(MarkupObjects, KeepTheirTagTextAndIdentity)
{
    CRef<CFixturePanel> pPanel(new CFixturePanel);
    CRef<CFixturePanel> pOther(new CFixturePanel);
    EXPECT_EQ(NULL, pPanel->GetTagText());
    pPanel->SetTagText(L"FixturePanel");
    pPanel->SetTagText(L"Panel");
    EXPECT_STREQ(L"Panel", pPanel->GetTagText());
    EXPECT_TRUE(pPanel->IsEqual(pPanel));
    EXPECT_FALSE(pPanel->IsEqual(pOther));
    EXPECT_FALSE(pPanel->IsEqual(NULL));
    EXPECT_EQ(0, pPanel->GetLogicalChildrenCount());
}
}
