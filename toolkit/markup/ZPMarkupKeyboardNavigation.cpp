// Keyboard navigation and its attached tab-order properties.
#include "markup/ZPMarkupKeyboardNavigation.h"

#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupValues.h"

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupKeyboardNavigation, L"KeyboardNavigation", CZPMarkupObject,
                        &CZPMarkupKeyboardNavigation::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupKeyboardNavigation::m_pIsTabStopProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupKeyboardNavigation::m_pTabNavigationProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupKeyboardNavigation::m_pTabIndexProperty = NULL;

void CZPMarkupKeyboardNavigation::RegisterProperties()
{
    m_pIsTabStopProperty = CZPMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", CZPMarkupBool::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateTrueValue(), 0));
    m_pTabNavigationProperty = CZPMarkupDependencyProperty::RegisterAttached(
        L"TabNavigation", CZPMarkupEnum::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertTabNavigation, 0));
    m_pTabIndexProperty = CZPMarkupDependencyProperty::RegisterAttached(
        L"TabIndex", CZPMarkupInt::GetClassType(), GetClassType(),
        new CZPMarkupPropertyMetadata(new CZPMarkupInt(INT_MAX), 0));  // after every numbered element
}
