// Fixture element types and the test environment of the markup tests.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupValues.h"

std::vector<CChangeRecord> g_changes;

ZP_IMPLEMENT_MARKUPTYPE(CFixturePanel, L"FixturePanel", CZPMarkupInputElement, &CFixturePanel::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CFixtureText, L"FixtureText", CFixturePanel, &CFixtureText::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CFixtureSpan, L"FixtureSpan", CFixtureText, &CFixtureSpan::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CFixtureBold, L"FixtureBold", CFixtureSpan, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CFixtureRun, L"FixtureRun", CFixtureText, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CFixtureButton, L"FixtureButton", CFixturePanel, &CFixtureButton::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CFixtureGrid, L"FixtureGrid", CFixturePanel, &CFixtureGrid::RegisterProperties)

// The records exist before anything registers properties, as the engine's own do.
static CZPMarkupType* const g_fixtureTypes[] = {
    CFixturePanel::GetClassType(), CFixtureText::GetClassType(), CFixtureSpan::GetClassType(),
    CFixtureBold::GetClassType(),  CFixtureRun::GetClassType(),  CFixtureButton::GetClassType(),
    CFixtureGrid::GetClassType(),
};

CZPMarkupDependencyProperty* CFixturePanel::m_pChildrenProperty = NULL;
CZPMarkupDependencyProperty* CFixturePanel::m_pTagProperty = NULL;
CZPMarkupDependencyProperty* CFixtureText::m_pForegroundProperty = NULL;
CZPMarkupDependencyProperty* CFixtureText::m_pOpacityProperty = NULL;
CZPMarkupRoutedEvent* CFixtureButton::m_pClickEvent = NULL;
CZPMarkupDependencyProperty* CFixtureGrid::m_pRowProperty = NULL;

void CFixturePanel::RegisterProperties()
{
    m_pChildrenProperty = CZPMarkupDependencyProperty::Register(L"Children", CZPMarkupCollection::GetClassType(),
                                                                GetClassType(), new CZPMarkupPropertyMetadata(NULL, 0));
    m_pTagProperty = CZPMarkupDependencyProperty::Register(L"Tag", CZPMarkupObject::GetClassType(), GetClassType());
}

int CFixturePanel::GetLogicalChildrenCount() const
{
    return GetChildren() != NULL ? 1 : 0;
}

CZPMarkupObject* CFixturePanel::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? GetChildren() : NULL;
}

void CFixturePanel::OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                                      CZPMarkupObject* pNewValue)
{
    CZPMarkupDouble* pOldDouble = ZpMarkupCast<CZPMarkupDouble>(pOldValue);
    g_changes.push_back({ this, pProperty, pOldValue, pNewValue, pOldValue != NULL ? pOldValue->GetRefCount() : -1,
                          pOldDouble != NULL ? pOldDouble->m_dValue : 0 });
    CZPMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

CZPMarkupCollection* CFixturePanel::GetChildren() const
{
    return ZpMarkupCast<CZPMarkupCollection>(GetLocalValue(m_pChildrenProperty));
}

void CFixturePanel::AddChild(CZPMarkupObject* pChild)
{
    if (GetChildren() == NULL)
        SetValue(m_pChildrenProperty, new CZPMarkupCollection);
    GetChildren()->Add(pChild);
}

void CFixtureText::RegisterProperties()
{
    m_pForegroundProperty = CZPMarkupDependencyProperty::RegisterAttached(
        L"Foreground", CZPMarkupColor::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(new CZPMarkupColor(RGB(0, 0, 0)), kZpMarkupInherits | kZpMarkupAffectsRender));
    m_pOpacityProperty =
        CZPMarkupDependencyProperty::Register(L"Opacity", CZPMarkupDouble::GetClassType(), GetClassType(),
                                              new CZPMarkupPropertyMetadata(new CZPMarkupDouble(1.0), 0));
}

void CFixtureSpan::RegisterProperties()
{
    CFixtureButton::GetClassType()->EnsureRegistered();
    CFixtureButton::m_pClickEvent->AddOwner(GetClassType());
}

void CFixtureButton::RegisterProperties()
{
    m_pClickEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"Click", kZpMarkupEventBubble, GetClassType());
}

void CFixtureGrid::RegisterProperties()
{
    m_pRowProperty = CZPMarkupDependencyProperty::RegisterAttached(
        L"Row", CZPMarkupInt::GetClassType(), GetClassType(), new CZPMarkupPropertyMetadata(new CZPMarkupInt(0), 0));
}

std::wstring BuilderError(const std::function<void()>& action)
{
    try {
        action();
    } catch (CZPMarkupBuilderException* e) {
        std::wstring message = e->m_strMessage.GetString();
        e->Delete();
        return message;
    }
    return L"(no error)";
}

void CMarkupLeakCheck::SetUp()
{
    g_changes.clear();
    m_nLiveObjects = ZpMarkupLiveObjectCount();
}

void CMarkupLeakCheck::TearDown()
{
    g_changes.clear();
    EXPECT_EQ(m_nLiveObjects, ZpMarkupLiveObjectCount()) << "markup objects left alive";
}

void CMarkupContextTest::SetUp()
{
    m_pContext = new CZPMarkupContext;
    WarmUp();
    m_pContext->Release();
    CMarkupLeakCheck::SetUp();
    m_pContext = new CZPMarkupContext;
}

void CMarkupContextTest::TearDown()
{
    EXPECT_EQ(0, m_pContext->Release()) << "the context outlived its test";
    m_pContext = NULL;
    CMarkupLeakCheck::TearDown();
}

void CMarkupContextTest::WarmUp()
{
    if (CZPMarkupObject* pWarm = m_pContext->Parse(L"<TextBlock>a<Bold>b</Bold></TextBlock>"))
        pWarm->Release();
}

namespace {
// Registers every class and makes the process-wide shared values once, so that each test's
// live-object count starts from a settled process.
class CMarkupEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_EQ(g_fixtureTypes[0], CFixturePanel::GetClassType());
        ZpMarkupRegisterAllTypes();
        CZPMarkupThickness::CreateZeroValue()->Release();
        CZPMarkupBool::CreateTrueValue()->Release();
        CZPMarkupBool::CreateFalseValue()->Release();
        for (int i = 0; i < 8; i++)
            CZPMarkupEnum::CreateValue(i)->Release();
        for (LPCWSTR lpszShared : { L"", L" ", L"\n" })
            CZPMarkupString::CreateValue(lpszShared)->Release();
    }
};

const ::testing::Environment* const g_pEnvironment = ::testing::AddGlobalTestEnvironment(new CMarkupEnvironment);
}  // namespace
