// Visuals and UI elements.
#include "markup/ZPMarkupVisual.h"

ZP_IMPLEMENT_MARKUPTYPE_EX(CZPMarkupVisual, NULL, CZPMarkupInputElement, NULL, NULL)
ZP_IMPLEMENT_MARKUPTYPE_EX(CZPMarkupUIElement, NULL, CZPMarkupVisual, NULL, NULL)
