// The one table from which every type record of the engine is reached, in creation order.
// A record made by a static initialiser in a library object file that nothing references
// would be dropped by the linker with that file; through this table none is.
#include "markup/ZPMarkupTypeTable.h"

#include "markup/ZPMarkupBorder.h"
#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupButton.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupCollection.h"
#include "markup/ZPMarkupControl.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupHyperlink.h"
#include "markup/ZPMarkupInlineUIContainer.h"
#include "markup/ZPMarkupInputElement.h"
#include "markup/ZPMarkupKeyboardNavigation.h"
#include "markup/ZPMarkupPanel.h"
#include "markup/ZPMarkupPathGeometry.h"
#include "markup/ZPMarkupStyle.h"
#include "markup/ZPMarkupTextBlock.h"
#include "markup/ZPMarkupTextElement.h"
#include "markup/ZPMarkupValues.h"
#include "markup/ZPMarkupVisual.h"

#include "markup/ZPMarkupImage.h"
#include "markup/ZPMarkupShapes.h"

#include "markup/ZPMarkupCanvas.h"
#include "markup/ZPMarkupGrid.h"
#include "markup/ZPMarkupStackPanel.h"

#include "markup/ZPMarkupScrollBar.h"
#include "markup/ZPMarkupScrollViewer.h"

namespace {
const PFNZPMARKUPBASETYPE g_typeTable[] = {
    &CZPMarkupDependencyProperty::GetClassType,
    &CZPMarkupType::GetClassType,
    &CZPMarkupObject::GetClassType,
    &CZPMarkupThickness::GetClassType,
    &CZPMarkupInt::GetClassType,
    &CZPMarkupDouble::GetClassType,
    &CZPMarkupEnum::GetClassType,
    &CZPMarkupBool::GetClassType,
    &CZPMarkupColor::GetClassType,
    &CZPMarkupString::GetClassType,
    &CZPMarkupCollection::GetClassType,
    &CZPMarkupInputElement::GetClassType,
    &CZPMarkupKeyboardNavigation::GetClassType,
    &CZPMarkupBrush::GetClassType,
    &CZPMarkupSolidColorBrush::GetClassType,
    &CZPMarkupGradientStop::GetClassType,
    &CZPMarkupGradientStops::GetClassType,
    &CZPMarkupPoint::GetClassType,
    &CZPMarkupLinearGradientBrush::GetClassType,
    &CZPMarkupVisual::GetClassType,
    &CZPMarkupUIElement::GetClassType,
    &CZPMarkupFrameworkElement::GetClassType,
    &CZPMarkupFrameworkContentElement::GetClassType,
    &CZPMarkupTextElement::GetClassType,
    &CZPMarkupInline::GetClassType,
    &CZPMarkupRun::GetClassType,
    &CZPMarkupLineBreak::GetClassType,
    &CZPMarkupInlineCollection::GetClassType,
    &CZPMarkupSpan::GetClassType,
    &CZPMarkupBold::GetClassType,
    &CZPMarkupItalic::GetClassType,
    &CZPMarkupUnderline::GetClassType,
    &CZPMarkupInlineUIContainer::GetClassType,
    &CZPMarkupHyperlink::GetClassType,
    &CZPMarkupTextBlock::GetClassType,
    &CZPMarkupShape::GetClassType,
    &CZPMarkupRectangle::GetClassType,
    &CZPMarkupEllipse::GetClassType,
    &CZPMarkupLine::GetClassType,
    &CZPMarkupPolyline::GetClassType,
    &CZPMarkupPolygon::GetClassType,
    &CZPMarkupPath::GetClassType,
    &CZPMarkupImage::GetClassType,
    &CZPMarkupObjectProperty::GetClassType,
    &CZPMarkupColorKey::GetClassType,
    &CZPMarkupBrushKey::GetClassType,
    &CZPMarkupSetter::GetClassType,
    &CZPMarkupSetterColection::GetClassType,
    &CZPMarkupTrigger::GetClassType,
    &CZPMarkupTriggerCollection::GetClassType,
    &CZPMarkupStyle::GetClassType,
    &CZPMarkupResourceDictionary::GetClassType,
    &CZPMarkupPathGeometry::GetClassType,
    &CZPMarkupPointCollection::GetClassType,
    &CZPMarkupPage::GetClassType,
    &CZPMarkupBorder::GetClassType,
    &CZPMarkupPanel::GetClassType,
    &CZPMarkupControl::GetClassType,
    &CZPMarkupContentControl::GetClassType,
    &CZPMarkupButtonBase::GetClassType,
    &CZPMarkupButton::GetClassType,
    &CZPMarkupToggleButton::GetClassType,
    &CZPMarkupCheckBox::GetClassType,
    &CZPMarkupRadioButton::GetClassType,
    &CZPMarkupStackPanel::GetClassType,
    &CZPMarkupWrapPanel::GetClassType,
    &CZPMarkupDockPanel::GetClassType,
    &CZPMarkupUniformGrid::GetClassType,
    &CZPMarkupCanvas::GetClassType,
    &CZPMarkupGridLength::GetClassType,
    &CZPMarkupDefinitionBase::GetClassType,
    &CZPMarkupColumnDefinition::GetClassType,
    &CZPMarkupRowDefinition::GetClassType,
    &CZPMarkupDefinitionCollection::GetClassType,
    &CZPMarkupColumnDefinitionCollection::GetClassType,
    &CZPMarkupRowDefinitionCollection::GetClassType,
    &CZPMarkupGrid::GetClassType,
    &CZPMarkupScrollBar::GetClassType,
    &CZPMarkupScrollBarGripper::GetClassType,
    &CZPMarkupScrollViewer::GetClassType,
};
}

void ZpMarkupCreateAllTypes()
{
    static BOOL s_bCreated = FALSE;
    if (s_bCreated)
        return;
    s_bCreated = TRUE;
    for (PFNZPMARKUPBASETYPE pfnType : g_typeTable)
        pfnType();
}

void ZpMarkupEnsureAllTypesRegistered()
{
    static BOOL s_bDone = FALSE;
    if (s_bDone)
        return;
    s_bDone = TRUE;
    ZpMarkupRegisterAllTypes();
}
