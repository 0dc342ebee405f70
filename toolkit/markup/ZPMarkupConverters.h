// The value vocabulary of markup text: colour names, system-colour names, enumeration words,
// lengths with units and cursor names, with the property converters made of them.
#pragma once

#include "markup/ZPMarkupObject.h"

// One of the 140 colour names (whole, any case); TRUE and its COLORREF.
BOOL ZpMarkupLookupNamedColor(LPCWSTR lpszText, COLORREF& clr);
// The system colour index of the first table name that begins with the given characters
// (case-sensitive), or -1. Index 0 (ScrollBar) is a found colour.
int ZpMarkupLookupSystemColor(LPCWSTR lpszName, int nLength);
// "SystemColors." + name + suffix ("Color", "Brush", "ColorKey", "BrushKey"): the system colour
// index, or -1 when the text is shorter than 20 characters or does not have that form.
int ZpMarkupLookupSystemColorMember(LPCWSTR lpszText, LPCWSTR lpszSuffix);

struct ZP_MARKUP_ENUMWORD
{
    LPCWSTR lpszWord;
    int nValue;
};

// The value of the word that equals the whole text (any case), or NULL. A new reference.
CZPMarkupObject* ZpMarkupConvertEnum(CZPMarkupObject* pValue, const ZP_MARKUP_ENUMWORD* pWords, int nWords);

// Enumeration converters of the properties that take words.
CZPMarkupObject* ZpMarkupConvertTextDecorations(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertFontWeight(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertFontQuality(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertFontStyle(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertHorizontalAlignment(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertVerticalAlignment(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertTextWrapping(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertTextTrimming(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertTextAlignment(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertOrientation(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertBaselineAlignment(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertVisibility(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertScrollBarVisibility(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertStretch(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
CZPMarkupObject* ZpMarkupConvertTabNavigation(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);

// A length in pixels with an optional unit ("pt", "in", "cm") or "Auto": a CZPMarkupInt.
CZPMarkupObject* ZpMarkupConvertLength(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
// A cursor name: a CZPMarkupInt holding the system cursor identifier (0 for "None").
CZPMarkupObject* ZpMarkupConvertCursor(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pValue);
