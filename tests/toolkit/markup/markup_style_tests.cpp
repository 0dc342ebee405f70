// Styles, triggers and resources: precedence of the value layers, implicit and default styles,
// trigger activation and release, setter resolution, dictionary keys and lookup, and the guards.
#include "markup_page_fixtures.h"

#include "markup/ZPMarkupStyle.h"
#include "markup/ZPMarkupValues.h"

#include <string>
#include <vector>

namespace
{
// "Link": a text element whose class carries a default style, blue, red while the mouse is over it.
class CPageLink : public CPageText
{
    ZP_DECLARE_MARKUPTYPE()
};
ZP_IMPLEMENT_MARKUPTYPE(CPageLink, L"Link", CPageText, NULL)
CZPMarkupType* const g_pLinkType = CPageLink::GetClassType();

class MarkupStyles : public CMarkupLeakCheck
{
public:
    static void SetUpTestSuite()
    {
        ZpMarkupRegisterAllTypes();
        if (g_pLinkType->GetDefaultStyle() != NULL)
            return;
        CZPMarkupStyle* pStyle = new CZPMarkupStyle;
        pStyle->AddSetter(new CZPMarkupSetter(CPageBox::m_pForegroundProperty, new CZPMarkupColor(RGB(0, 0, 255))));
        CZPMarkupSetterColection* pSetters = new CZPMarkupSetterColection;
        pSetters->Add(new CZPMarkupSetter(CPageBox::m_pForegroundProperty, new CZPMarkupColor(RGB(255, 0, 0))));
        CZPMarkupTrigger* pTrigger =
            new CZPMarkupTrigger(CZPMarkupInputElement::m_pIsMouseOverProperty, CZPMarkupBool::CreateTrueValue());
        pTrigger->SetValue(CZPMarkupTrigger::m_pSettersProperty, pSetters);
        CZPMarkupTriggerCollection* pTriggers = new CZPMarkupTriggerCollection;
        pTriggers->Add(pTrigger);
        pStyle->SetValue(CZPMarkupStyle::m_pTriggersProperty, pTriggers);
        g_pLinkType->SetDefaultStyle(pStyle);
    }
};

COLORREF Foreground(CZPMarkupObject* pElement)
{
    return static_cast<CZPMarkupColor*>(pElement->GetValue(CPageBox::m_pForegroundProperty))->GetColorRef();
}

void SetMouseOver(CZPMarkupObject* pElement, BOOL bOver)
{
    pElement->SetValue(CZPMarkupInputElement::m_pIsMouseOverProperty, CZPMarkupBool::CreateValue(bOver));
}

CPageBox* Child(CZPMarkupObject* pRoot, size_t nIndex)
{
    return static_cast<CPageBox*>(static_cast<CPageBox*>(pRoot)->m_children.at(nIndex));
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 128, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255),
               kYellow = RGB(255, 255, 0);

const wchar_t g_szStyledPage[] =
    L"<Box>\r\n"
    L" <Box.Resources>\r\n"
    L"  <Style x:Key='base' TargetType='Text'>\r\n"
    L"   <Setter Property='Foreground' Value='Red'/><Setter Property='Background' Value='Blue'/>\r\n"
    L"   <Style.Triggers><Trigger Property='IsMouseOver' Value='True'><Trigger.Setters>"
    L"<Setter Property='Background' Value='White'/><Setter Property='Foreground' Value='White'/>"
    L"</Trigger.Setters></Trigger></Style.Triggers>\r\n"
    L"  </Style>\r\n"
    L"  <Style x:Key='derived' TargetType='Text' BasedOn='{StaticResource base}'>\r\n"
    L"   <Setter Property='Foreground' Value='Green'/>\r\n"
    L"   <Style.Triggers><Trigger Property='IsMouseOver' Value='True'><Trigger.Setters>"
    L"<Setter Property='Foreground' Value='Yellow'/></Trigger.Setters></Trigger></Style.Triggers>\r\n"
    L"  </Style>\r\n"
    L"  <Style TargetType='Strong'><Setter Property='Background' Value='Lime'/></Style>\r\n"
    L" </Box.Resources>\r\n"
    L" <Text Style='{StaticResource derived}'/>\r\n"
    L" <Text Style='{StaticResource derived}' Foreground='Navy'/>\r\n"
    L" <Strong/><Text/>\r\n"
    L" <Link/>\r\n"
    L"</Box>";
}

TEST_F(MarkupStyles, LayersGoLocalThenTriggerThenStyleThenDefaultStyle)
{
    CBuilt built;
    BuildPage(g_szStyledPage, built, [](CZPMarkupObject* pRoot) {
        CPageBox* pStyled = Child(pRoot, 0);
        EXPECT_EQ(kGreen, Foreground(pStyled)); // own setter over the base style's
        EXPECT_EQ(kBlue, static_cast<CZPMarkupColor*>(pStyled->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());

        // Both styles' triggers hold: the style's own wins for Foreground, the base's sets Background.
        g_changes.clear();
        SetMouseOver(pStyled, TRUE);
        EXPECT_EQ(kYellow, Foreground(pStyled));
        EXPECT_EQ(kWhite, static_cast<CZPMarkupColor*>(pStyled->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());

        // When the trigger stops, the change carries the trigger's value as old and NULL as new.
        g_changes.clear();
        SetMouseOver(pStyled, FALSE);
        EXPECT_EQ(kGreen, Foreground(pStyled));
        bool bForegroundReleased = false;
        for (const CChangeRecord& change : g_changes)
        {
            if (change.pProperty == CPageBox::m_pForegroundProperty && change.pNewValue == NULL)
                bForegroundReleased = static_cast<CZPMarkupColor*>(change.pOldValue)->GetColorRef() == kYellow;
        }
        EXPECT_TRUE(bForegroundReleased);

        CPageBox* pLocal = Child(pRoot, 1);
        EXPECT_EQ(RGB(0, 0, 128), Foreground(pLocal));
        SetMouseOver(pLocal, TRUE);
        EXPECT_EQ(RGB(0, 0, 128), Foreground(pLocal));

        // The implicit style is keyed by the exact class.
        EXPECT_EQ(RGB(0, 255, 0), static_cast<CZPMarkupColor*>(Child(pRoot, 2)->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());
        EXPECT_EQ(nullptr, Child(pRoot, 3)->GetValue(CPageBox::m_pBackgroundProperty));

        // A class's default style: blue, red while the mouse is over it.
        CPageBox* pLink = Child(pRoot, 4);
        EXPECT_EQ(kBlue, Foreground(pLink));
        SetMouseOver(pLink, TRUE);
        EXPECT_EQ(kRed, Foreground(pLink));
        SetMouseOver(pLink, FALSE);
        EXPECT_EQ(kBlue, Foreground(pLink));
    });
    EXPECT_TRUE(built.bRoot) << built.error;
    EXPECT_EQ(1, built.nContextCount);
}

TEST_F(MarkupStyles, ResourcesAreFoundUpTheOpenElementsByCaseSensitiveKeys)
{
    CBuilt built;
    BuildPage(L"<Box><Box.Resources><Box x:Key='a' Background='Red'/><Box x:Key='A' Background='Blue'/>"
              L"</Box.Resources><Box><Box Tag='{StaticResource a}'/><Box Tag='{DynamicResource  A}'/></Box></Box>",
              built, [](CZPMarkupObject* pRoot) {
                  CPageBox* pInner = Child(pRoot, 0);
                  CZPMarkupObject* pA = Child(pInner, 0)->GetValue(CPageBox::m_pTagProperty);
                  CZPMarkupObject* pB = Child(pInner, 1)->GetValue(CPageBox::m_pTagProperty);
                  ASSERT_NE(nullptr, pA);
                  ASSERT_NE(nullptr, pB);
                  EXPECT_NE(pA, pB);
                  EXPECT_EQ(kRed, static_cast<CZPMarkupColor*>(pA->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());
                  // Found again after building, from the element up its ancestors.
                  CZPMarkupString* pKey = CZPMarkupString::CreateValue(L"A");
                  EXPECT_EQ(pB, Child(pInner, 0)->FindResource(pKey));
                  pKey->Release();
              });
    EXPECT_TRUE(built.bRoot) << built.error;
}

TEST_F(MarkupStyles, BadStylesAndDictionariesFailTheBuild)
{
    const struct
    {
        const wchar_t* page;
        const wchar_t* error;
    } cases[] = {
        {L"<Box><Box.Resources><Box x:Key='a'/><Box x:Key='a'/></Box.Resources></Box>",
         L"Dictionary key is already used. Key attributes must be unique."},
        {L"<Box><Box.Resources><Box/></Box.Resources></Box>",
         L"Objects added to Dictionary must have Key attribute or some other type of associated Key"},
        {L"<Box><Box.Resources><Style><Setter Property='Foreground' Value='Red'/></Style></Box.Resources></Box>",
         L"Cannot find the Style Property 'Foreground'"},
        {L"<Box><Box.Resources><Style x:Key='s'><Setter Property='Box.Foreground' Value='Grey'/></Style>"
         L"</Box.Resources></Box>",
         L"Cannot convert string in attribute 'Foreground' to object of type 'CZPMarkupColor'"},
        {L"<Box><Box.Resources><Style x:Key='s' TargetType='Box'><Setter Value='Red'/></Style></Box.Resources></Box>",
         L"Must specify both Property and Value for Setter."},
        {L"<Box><Box.Resources><Style x:Key='s' TargetType='Box'><Style.Triggers>"
         L"<Trigger Property='IsMouseOver' Value='True'><Setter Property='Foreground' Value='Red'/></Trigger>"
         L"</Style.Triggers></Style></Box.Resources></Box>",
         L"Cannot add content to an object of type 'CZPMarkupTrigger'"},
        {L"<Box><Box.Resources><Style x:Key='s' BasedOn='{StaticResource s}'/></Box.Resources></Box>",
         L"Cannot find resource named 's'. Resource names are case sensitive"},
    };
    for (const auto& c : cases)
    {
        CBuilt built;
        BuildPage(c.page, built);
        EXPECT_FALSE(built.bRoot) << c.page;
        EXPECT_EQ(0u, built.error.find(c.error)) << built.error;
        EXPECT_EQ(1, built.nContextCount);
    }
}

TEST_F(MarkupStyles, BasedOnChainsAreBoundedWhereTheyAreBuilt)
{
    auto chain = [](int nLinks) {
        std::wstring page = L"<Box><Box.Resources><Style x:Key='s0'/>";
        for (int i = 1; i <= nLinks; i++)
            page += L"<Style x:Key='s" + std::to_wstring(i) + L"' BasedOn='{StaticResource s" + std::to_wstring(i - 1) +
                    L"}'/>";
        return page + L"</Box.Resources><Box Style='{StaticResource s" + std::to_wstring(nLinks) + L"}'/></Box>";
    };
    CBuilt atBound;
    BuildPage(chain(CZPMarkupStyle::kMaxBasedOnDepth - 1), atBound);
    EXPECT_TRUE(atBound.bRoot) << atBound.error;
    for (int nLinks : {CZPMarkupStyle::kMaxBasedOnDepth, 10000})
    {
        CBuilt tooLong;
        BuildPage(chain(nLinks), tooLong);
        EXPECT_EQ(0u, tooLong.error.find(L"BasedOn styles are chained more than 64 levels deep. Line 1")) << tooLong.error;
        EXPECT_EQ(1, tooLong.nContextCount);
    }
}

namespace
{
// "Flip": answers every change of its foreground by flipping its mouse-over state, so a trigger
// on mouse-over that sets the foreground would feed itself for ever.
class CPageFlip : public CPageBox
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override
    {
        CPageBox::OnPropertyChanged(pProperty, pOldValue, pNewValue);
        if (pProperty == m_pForegroundProperty)
            SetMouseOver(this, pNewValue == NULL);
    }
};
ZP_IMPLEMENT_MARKUPTYPE(CPageFlip, L"Flip", CPageBox, NULL)
CZPMarkupType* const g_pFlipType = CPageFlip::GetClassType();
}

TEST_F(MarkupStyles, TriggersFeedingThemselvesStopAtTheReentryBound)
{
    CBuilt built;
    BuildPage(L"<Box><Box.Resources><Style TargetType='Flip'><Style.Triggers>"
              L"<Trigger Property='IsMouseOver' Value='True'><Trigger.Setters>"
              L"<Setter Property='Foreground' Value='Red'/></Trigger.Setters></Trigger>"
              L"</Style.Triggers></Style></Box.Resources><Flip/></Box>",
              built, [](CZPMarkupObject* pRoot) {
                  g_changes.clear();
                  SetMouseOver(Child(pRoot, 0), TRUE);
                  size_t nForegroundChanges = 0;
                  for (const CChangeRecord& change : g_changes)
                      nForegroundChanges += change.pProperty == CPageBox::m_pForegroundProperty;
                  EXPECT_GE(nForegroundChanges, 2u); // it did feed itself
                  EXPECT_LE(nForegroundChanges, static_cast<size_t>(CZPMarkupInputElement::kMaxTriggerDepth));
              });
    EXPECT_TRUE(built.bRoot) << built.error;
}

namespace
{
// A string key that counts the equality tests made on it: a dictionary walking a chain of
// colliding keys makes one per key on the chain.
class CCountingKey : public CZPMarkupString
{
public:
    explicit CCountingKey(const std::wstring& text) : CZPMarkupString(text.c_str(), static_cast<int>(text.size())) {}
    BOOL IsEqual(const CZPMarkupObject* pOther) const override
    {
        s_nEqualityTests++;
        return CZPMarkupString::IsEqual(pOther);
    }
    static long long s_nEqualityTests;
};
long long CCountingKey::s_nEqualityTests = 0;
} // namespace

TEST_F(MarkupStyles, KeysWhoseHashesCollideAreStoredAndFoundWithoutWalkingAChain)
{
    // "Ab" and "BA" hash alike, so every text of 14 such blocks has the same string hash.
    const int kBlocks = 14, kKeys = 1 << kBlocks;
    std::vector<std::wstring> texts;
    for (int n = 0; n < kKeys; n++)
    {
        std::wstring text;
        for (int b = 0; b < kBlocks; b++)
            text += (n >> b) & 1 ? L"BA" : L"Ab";
        texts.push_back(text);
    }
    CCountingKey* pFirst = new CCountingKey(texts.front());
    CCountingKey* pLast = new CCountingKey(texts.back());
    ASSERT_EQ(pFirst->GetHashCode(), pLast->GetHashCode());
    pFirst->Release();
    pLast->Release();

    CCountingKey::s_nEqualityTests = 0;
    CZPMarkupResourceDictionary* pDictionary = new CZPMarkupResourceDictionary;
    for (int n = 0; n < kKeys; n++)
        pDictionary->SetAt(new CCountingKey(texts[n]), new CZPMarkupInt(n));
    ASSERT_EQ(kKeys, pDictionary->GetCount());
    for (int n = 0; n < kKeys; n++)
    {
        CCountingKey* pKey = new CCountingKey(texts[n]);
        CZPMarkupInt* pValue = ZpMarkupCast<CZPMarkupInt>(pDictionary->Lookup(pKey));
        pKey->Release();
        ASSERT_NE(nullptr, pValue) << n;
        ASSERT_EQ(n, pValue->m_nValue) << n;
    }
    EXPECT_LE(CCountingKey::s_nEqualityTests, 4LL * kKeys) << "keys compared along a chain of equal hashes";

    // An equal text replaces; another case is another key.
    pDictionary->SetAt(new CCountingKey(texts[7]), new CZPMarkupInt(-7));
    CCountingKey* pKey = new CCountingKey(texts[7]);
    EXPECT_EQ(-7, ZpMarkupCast<CZPMarkupInt>(pDictionary->Lookup(pKey))->m_nValue);
    pKey->Release();
    pKey = new CCountingKey(L"ab" + texts[0].substr(2));
    EXPECT_EQ(nullptr, pDictionary->Lookup(pKey));
    pKey->Release();
    EXPECT_EQ(kKeys, pDictionary->GetCount());
    pDictionary->Release();
}

TEST_F(MarkupStyles, CollidingKeysInAPageAreFoundAndRepeatsStillFail)
{
    CBuilt built;
    BuildPage(L"<Box><Box.Resources><Box x:Key='AbBA' Background='Red'/><Box x:Key='BAAb' Background='Blue'/>"
              L"</Box.Resources><Box Tag='{StaticResource BAAb}'/></Box>",
              built, [](CZPMarkupObject* pRoot) {
                  CZPMarkupObject* pTag = Child(pRoot, 0)->GetValue(CPageBox::m_pTagProperty);
                  ASSERT_NE(nullptr, pTag);
                  EXPECT_EQ(kBlue,
                            static_cast<CZPMarkupColor*>(pTag->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());
              });
    EXPECT_TRUE(built.bRoot) << built.error;

    BuildPage(L"<Box><Box.Resources><Box x:Key='AbBA'/><Box x:Key='BAAb'/><Box x:Key='AbBA'/></Box.Resources></Box>",
              built);
    EXPECT_FALSE(built.bRoot);
    EXPECT_EQ(0u, built.error.find(L"Dictionary key is already used. Key attributes must be unique.")) << built.error;
}
