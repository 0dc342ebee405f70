// The visual and UI-element layers of the element tree. Layout and rendering are not here yet:
// these classes are what a parsed root must be.
#pragma once

#include "markup/ZPMarkupInputElement.h"

class CZPMarkupVisual : public CZPMarkupInputElement
{
    ZP_DECLARE_MARKUPTYPE()
};

class CZPMarkupUIElement : public CZPMarkupVisual
{
    ZP_DECLARE_MARKUPTYPE()
};
