// Colour names, system-colour names, enumeration words, lengths and cursor names.
#include "markup/ZPMarkupConverters.h"

#include "markup/ZPMarkupValues.h"

#include <string.h>

namespace {
struct ZP_NAMEDCOLOR
{
    LPCWSTR lpszName;  // upper case
    DWORD dwRGB;       // 0xRRGGBB
};

// Alphabetical, so the names of one first letter stand together.
constexpr ZP_NAMEDCOLOR g_namedColors[] = {
    { L"ALICEBLUE", 0xF0F8FF },
    { L"ANTIQUEWHITE", 0xFAEBD7 },
    { L"AQUA", 0x00FFFF },
    { L"AQUAMARINE", 0x7FFFD4 },
    { L"AZURE", 0xF0FFFF },
    { L"BEIGE", 0xF5F5DC },
    { L"BISQUE", 0xFFE4C4 },
    { L"BLACK", 0x000000 },
    { L"BLANCHEDALMOND", 0xFFEBCD },
    { L"BLUE", 0x0000FF },
    { L"BLUEVIOLET", 0x8A2BE2 },
    { L"BROWN", 0xA52A2A },
    { L"BURLYWOOD", 0xDEB887 },
    { L"CADETBLUE", 0x5F9EA0 },
    { L"CHARTREUSE", 0x7FFF00 },
    { L"CHOCOLATE", 0xD2691E },
    { L"CORAL", 0xFF7F50 },
    { L"CORNFLOWERBLUE", 0x6495ED },
    { L"CORNSILK", 0xFFF8DC },
    { L"CRIMSON", 0xDC143C },
    { L"CYAN", 0x00FFFF },
    { L"DARKBLUE", 0x00008B },
    { L"DARKCYAN", 0x008B8B },
    { L"DARKGOLDENROD", 0xB8860B },
    { L"DARKGRAY", 0xA9A9A9 },
    { L"DARKGREEN", 0x006400 },
    { L"DARKKHAKI", 0xBDB76B },
    { L"DARKMAGENTA", 0x8B008B },
    { L"DARKOLIVEGREEN", 0x556B2F },
    { L"DARKORANGE", 0xFF8C00 },
    { L"DARKORCHID", 0x9932CC },
    { L"DARKRED", 0x8B0000 },
    { L"DARKSALMON", 0xE9967A },
    { L"DARKSEAGREEN", 0x8FBC8F },
    { L"DARKSLATEBLUE", 0x483D8B },
    { L"DARKSLATEGRAY", 0x2F4F4F },
    { L"DARKTURQUOISE", 0x00CED1 },
    { L"DARKVIOLET", 0x9400D3 },
    { L"DEEPPINK", 0xFF1493 },
    { L"DEEPSKYBLUE", 0x00BFFF },
    { L"DIMGRAY", 0x696969 },
    { L"DODGERBLUE", 0x1E90FF },
    { L"FIREBRICK", 0xB22222 },
    { L"FLORALWHITE", 0xFFFAF0 },
    { L"FORESTGREEN", 0x228B22 },
    { L"FUCHSIA", 0xFF00FF },
    { L"GAINSBORO", 0xDCDCDC },
    { L"GHOSTWHITE", 0xF8F8FF },
    { L"GOLD", 0xFFD700 },
    { L"GOLDENROD", 0xDAA520 },
    { L"GRAY", 0x808080 },
    { L"GREEN", 0x008000 },
    { L"GREENYELLOW", 0xADFF2F },
    { L"HONEYDEW", 0xF0FFF0 },
    { L"HOTPINK", 0xFF69B4 },
    { L"INDIANRED", 0xCD5C5C },
    { L"INDIGO", 0x4B0082 },
    { L"IVORY", 0xFFFFF0 },
    { L"KHAKI", 0xF0E68C },
    { L"LAVENDER", 0xE6E6FA },
    { L"LAVENDERBLUSH", 0xFFF0F5 },
    { L"LAWNGREEN", 0x7CFC00 },
    { L"LEMONCHIFFON", 0xFFFACD },
    { L"LIGHTBLUE", 0xADD8E6 },
    { L"LIGHTCORAL", 0xF08080 },
    { L"LIGHTCYAN", 0xE0FFFF },
    { L"LIGHTGOLDENRODYELLOW", 0xFAFAD2 },
    { L"LIGHTGRAY", 0xD3D3D3 },
    { L"LIGHTGREEN", 0x90EE90 },
    { L"LIGHTPINK", 0xFFB6C1 },
    { L"LIGHTSALMON", 0xFFA07A },
    { L"LIGHTSEAGREEN", 0x20B2AA },
    { L"LIGHTSKYBLUE", 0x87CEFA },
    { L"LIGHTSLATEGRAY", 0x778899 },
    { L"LIGHTSTEELBLUE", 0xB0C4DE },
    { L"LIGHTYELLOW", 0xFFFFE0 },
    { L"LIME", 0x00FF00 },
    { L"LIMEGREEN", 0x32CD32 },
    { L"LINEN", 0xFAF0E6 },
    { L"MAGENTA", 0xFF00FF },
    { L"MAROON", 0x800000 },
    { L"MEDIUMAQUAMARINE", 0x66CDAA },
    { L"MEDIUMBLUE", 0x0000CD },
    { L"MEDIUMORCHID", 0xBA55D3 },
    { L"MEDIUMPURPLE", 0x9370DB },
    { L"MEDIUMSEAGREEN", 0x3CB371 },
    { L"MEDIUMSLATEBLUE", 0x7B68EE },
    { L"MEDIUMSPRINGGREEN", 0x00FA9A },
    { L"MEDIUMTURQUOISE", 0x48D1CC },
    { L"MEDIUMVIOLETRED", 0xC71585 },
    { L"MIDNIGHTBLUE", 0x191970 },
    { L"MINTCREAM", 0xF5FFFA },
    { L"MISTYROSE", 0xFFE4E1 },
    { L"MOCCASIN", 0xFFE4B5 },
    { L"NAVAJOWHITE", 0xFFDEAD },
    { L"NAVY", 0x000080 },
    { L"OLDLACE", 0xFDF5E6 },
    { L"OLIVE", 0x808000 },
    { L"OLIVEDRAB", 0x6B8E23 },
    { L"ORANGE", 0xFFA500 },
    { L"ORANGERED", 0xFF4500 },
    { L"ORCHID", 0xDA70D6 },
    { L"PALEGOLDENROD", 0xEEE8AA },
    { L"PALEGREEN", 0x98FB98 },
    { L"PALETURQUOISE", 0xAFEEEE },
    { L"PALEVIOLETRED", 0xDB7093 },
    { L"PAPAYAWHIP", 0xFFEFD5 },
    { L"PEACHPUFF", 0xFFDAB9 },
    { L"PERU", 0xCD853F },
    { L"PINK", 0xFFC0CB },
    { L"PLUM", 0xDDA0DD },
    { L"POWDERBLUE", 0xB0E0E6 },
    { L"PURPLE", 0x800080 },
    { L"RED", 0xFF0000 },
    { L"ROSYBROWN", 0xBC8F8F },
    { L"ROYALBLUE", 0x4169E1 },
    { L"SADDLEBROWN", 0x8B4513 },
    { L"SALMON", 0xFA8072 },
    { L"SANDYBROWN", 0xF4A460 },
    { L"SEAGREEN", 0x2E8B57 },
    { L"SEASHELL", 0xFFF5EE },
    { L"SIENNA", 0xA0522D },
    { L"SILVER", 0xC0C0C0 },
    { L"SKYBLUE", 0x87CEEB },
    { L"SLATEBLUE", 0x6A5ACD },
    { L"SLATEGRAY", 0x708090 },
    { L"SNOW", 0xFFFAFA },
    { L"SPRINGGREEN", 0x00FF7F },
    { L"STEELBLUE", 0x4682B4 },
    { L"TAN", 0xD2B48C },
    { L"TEAL", 0x008080 },
    { L"THISTLE", 0xD8BFD8 },
    { L"TOMATO", 0xFF6347 },
    { L"TURQUOISE", 0x40E0D0 },
    { L"VIOLET", 0xEE82EE },
    { L"WHEAT", 0xF5DEB3 },
    { L"WHITE", 0xFFFFFF },
    { L"WHITESMOKE", 0xF5F5F5 },
    { L"YELLOW", 0xFFFF00 },
    { L"YELLOWGREEN", 0x9ACD32 },
};
const int kNamedColorCount = sizeof(g_namedColors) / sizeof(g_namedColors[0]);
static_assert(kNamedColorCount == 140, "the colour-name table has 140 names");
const size_t kNamedColorMinLength = 3, kNamedColorMaxLength = 20;

constexpr int LengthOf(LPCWSTR p)
{
    int n = 0;
    while (p[n] != 0)
        n++;
    return n;
}

// Where each first letter's names begin in the table, and its names' lengths: computed
// by the compiler, so the lookup dispatches on letter and length without a run-time table.
struct ZP_COLORINDEX
{
    int nFirst[27];
    unsigned char nLength[kNamedColorCount];
};

constexpr ZP_COLORINDEX MakeColorIndex()
{
    ZP_COLORINDEX index = {};
    int nEntry = 0;
    for (int nLetter = 0; nLetter < 26; nLetter++) {
        index.nFirst[nLetter] = nEntry;
        while (nEntry < kNamedColorCount && g_namedColors[nEntry].lpszName[0] == L'A' + nLetter) {
            index.nLength[nEntry] = static_cast<unsigned char>(LengthOf(g_namedColors[nEntry].lpszName));
            nEntry++;
        }
    }
    index.nFirst[26] = nEntry;
    return index;
}
constexpr ZP_COLORINDEX g_colorIndex = MakeColorIndex();
static_assert(g_colorIndex.nFirst[26] == kNamedColorCount, "the colour-name table is in alphabetical order");

WCHAR UpperAscii(WCHAR ch)
{
    return ch >= L'a' && ch <= L'z' ? static_cast<WCHAR>(ch - L'a' + L'A') : ch;
}

BOOL EqualNoCase(LPCWSTR lpszText, LPCWSTR lpszWord)
{
    for (; *lpszText != 0 && *lpszWord != 0; lpszText++, lpszWord++) {
        if (UpperAscii(*lpszText) != UpperAscii(*lpszWord))
            return FALSE;
    }
    return *lpszText == *lpszWord;
}

struct ZP_SYSTEMCOLORNAME
{
    LPCWSTR lpszName;
    int nIndex;
};

// In this order: a name that extends another stands after it.
const ZP_SYSTEMCOLORNAME g_systemColors[] = {
    { L"ActiveBorder", COLOR_ACTIVEBORDER },
    { L"ActiveCaption", COLOR_ACTIVECAPTION },
    { L"ActiveCaptionText", COLOR_CAPTIONTEXT },
    { L"AppWorkspace", COLOR_APPWORKSPACE },
    { L"Control", COLOR_BTNFACE },
    { L"ControlDark", COLOR_BTNSHADOW },
    { L"ControlDarkDark", COLOR_3DDKSHADOW },
    { L"ControlLight", COLOR_3DLIGHT },
    { L"ControlLightLight", COLOR_BTNHIGHLIGHT },
    { L"ControlText", COLOR_BTNTEXT },
    { L"Desktop", COLOR_BACKGROUND },
    { L"GradientActiveCaption", COLOR_GRADIENTACTIVECAPTION },
    { L"GradientInactiveCaption", COLOR_GRADIENTINACTIVECAPTION },
    { L"GrayText", COLOR_GRAYTEXT },
    { L"Highlight", COLOR_HIGHLIGHT },
    { L"HighlightText", COLOR_HIGHLIGHTTEXT },
    { L"HotTrack", COLOR_HOTLIGHT },
    { L"InactiveBorder", COLOR_INACTIVEBORDER },
    { L"InactiveCaption", COLOR_INACTIVECAPTION },
    { L"InactiveCaptionText", COLOR_INACTIVECAPTIONTEXT },
    { L"Info", COLOR_INFOBK },
    { L"InfoText", COLOR_INFOTEXT },
    { L"Menu", COLOR_MENU },
    { L"MenuBar", COLOR_MENUBAR },
    { L"MenuHighlight", COLOR_MENUHILIGHT },
    { L"MenuText", COLOR_MENUTEXT },
    { L"ScrollBar", COLOR_SCROLLBAR },
    { L"Window", COLOR_WINDOW },
    { L"WindowFrame", COLOR_WINDOWFRAME },
    { L"WindowText", COLOR_WINDOWTEXT },
};
const WCHAR g_szSystemColorsPrefix[] = L"SystemColors.";
const size_t kSystemColorMemberMinLength = 20;

const ZP_MARKUP_ENUMWORD g_textDecorations[] = { { L"Underline", 1 }, { L"Strikethrough", 2 }, { L"", 0 } };
const ZP_MARKUP_ENUMWORD g_fontWeights[] = {
    { L"Thin", 100 },      { L"ExtraLight", 200 }, { L"Light", 300 },    { L"Normal", 400 },     { L"Regular", 400 },
    { L"Medium", 500 },    { L"SemiBold", 600 },   { L"DemiBold", 600 }, { L"Bold", 700 },       { L"ExtraBold", 800 },
    { L"UltraBold", 800 }, { L"Black", 900 },      { L"Heavy", 900 },    { L"ExtraBlack", 950 },
};
const ZP_MARKUP_ENUMWORD g_fontQualities[] = { { L"ClearType", CLEARTYPE_QUALITY } };
const ZP_MARKUP_ENUMWORD g_fontStyles[] = { { L"Normal", 0 }, { L"Italic", 1 } };
const ZP_MARKUP_ENUMWORD g_horizontalAlignments[] = {
    { L"Left", 0 }, { L"Center", 1 }, { L"Right", 2 }, { L"Stretch", 3 }
};
const ZP_MARKUP_ENUMWORD g_verticalAlignments[] = {
    { L"Top", 0 }, { L"Center", 1 }, { L"Bottom", 2 }, { L"Stretch", 3 }
};
const ZP_MARKUP_ENUMWORD g_textWrappings[] = { { L"NoWrap", 0 }, { L"Wrap", 1 }, { L"WrapWithOverflow", 2 } };
const ZP_MARKUP_ENUMWORD g_textTrimmings[] = { { L"None", 0 }, { L"CharacterEllipsis", 1 }, { L"WordEllipsis", 2 } };
const ZP_MARKUP_ENUMWORD g_textAlignments[] = { { L"Left", 0 }, { L"Right", 1 }, { L"Center", 2 }, { L"Justify", 3 } };
const ZP_MARKUP_ENUMWORD g_orientations[] = { { L"Horizontal", 0 }, { L"Vertical", 1 } };
const ZP_MARKUP_ENUMWORD g_baselineAlignments[] = {
    { L"Top", 0 },     { L"Center", 1 },     { L"Bottom", 2 },    { L"Baseline", 3 },
    { L"TextTop", 4 }, { L"TextBottom", 5 }, { L"Subscript", 6 }, { L"Superscript", 7 },
};
const ZP_MARKUP_ENUMWORD g_visibilities[] = { { L"Visible", 0 }, { L"Hidden", 1 }, { L"Collapsed", 2 } };
const ZP_MARKUP_ENUMWORD g_scrollBarVisibilities[] = { { L"Disabled", 0 }, { L"Auto", 1 }, { L"Visible", 2 } };
const ZP_MARKUP_ENUMWORD g_stretches[] = { { L"None", 0 }, { L"Fill", 1 }, { L"Uniform", 2 }, { L"UniformToFill", 3 } };
const ZP_MARKUP_ENUMWORD g_tabNavigations[] = {
    { L"Continue", 0 }, { L"Once", 1 }, { L"Cycle", 2 }, { L"None", 3 }, { L"Contained", 4 }, { L"Local", 5 },
};

// "None" hides the pointer; the others are the system's standard cursor identifiers.
const ZP_MARKUP_ENUMWORD g_cursors[] = {
    { L"None", 0 },       { L"No", 32648 },       { L"Arrow", 32512 },   { L"AppStarting", 32650 },
    { L"Cross", 32515 },  { L"IBeam", 32513 },    { L"SizeAll", 32646 }, { L"SizeNESW", 32643 },
    { L"SizeNS", 32645 }, { L"SizeNWSE", 32642 }, { L"SizeWE", 32644 },  { L"UpArrow", 32516 },
    { L"Wait", 32514 },   { L"Hand", 32649 },
};

const ZP_MARKUP_ENUMWORD* FindWord(LPCWSTR lpszText, const ZP_MARKUP_ENUMWORD* pWords, int nWords)
{
    for (int i = 0; i < nWords; i++) {
        if (EqualNoCase(lpszText, pWords[i].lpszWord))
            return &pWords[i];
    }
    return NULL;
}

template <size_t N> CZPMarkupObject* ConvertWords(CZPMarkupObject* pValue, const ZP_MARKUP_ENUMWORD (&words)[N])
{
    return ZpMarkupConvertEnum(pValue, words, static_cast<int>(N));
}

int SaturateLength(long long n)
{
    if (n > kZpMarkupIntTextMax)
        return kZpMarkupIntTextMax;
    if (n < -kZpMarkupIntTextMax)
        return -kZpMarkupIntTextMax;
    return static_cast<int>(n);
}

const int kPixelsPerInch = 96, kPointsPerInch = 72;
// 37.79528 pixels per centimetre, in hundred-thousandths: integer arithmetic, same in every build.
const long long kPixelsPerCentimetre100k = 3779528;
}  // namespace

BOOL ZpMarkupLookupNamedColor(LPCWSTR lpszText, COLORREF& clr)
{
    if (lpszText == NULL)
        return FALSE;
    const WCHAR chFirst = UpperAscii(lpszText[0]);
    if (chFirst < L'A' || chFirst > L'Z')
        return FALSE;
    const size_t nLength = wcsnlen(lpszText, kNamedColorMaxLength + 1);
    if (nLength < kNamedColorMinLength || nLength > kNamedColorMaxLength)
        return FALSE;
    const int nLetter = chFirst - L'A';
    for (int i = g_colorIndex.nFirst[nLetter]; i < g_colorIndex.nFirst[nLetter + 1]; i++) {
        if (g_colorIndex.nLength[i] == nLength && EqualNoCase(lpszText, g_namedColors[i].lpszName)) {
            const DWORD dwRGB = g_namedColors[i].dwRGB;
            clr = RGB((dwRGB >> 16) & 0xFF, (dwRGB >> 8) & 0xFF, dwRGB & 0xFF);
            return TRUE;
        }
    }
    return FALSE;
}

int ZpMarkupLookupSystemColor(LPCWSTR lpszName, int nLength)
{
    if (lpszName == NULL || nLength < 0)
        return -1;
    for (const ZP_SYSTEMCOLORNAME& entry : g_systemColors) {
        if (wcsncmp(entry.lpszName, lpszName, static_cast<size_t>(nLength)) == 0 &&
            wcslen(entry.lpszName) >= static_cast<size_t>(nLength))
            return entry.nIndex;
    }
    return -1;
}

int ZpMarkupLookupSystemColorMember(LPCWSTR lpszText, LPCWSTR lpszSuffix)
{
    if (lpszText == NULL || lpszSuffix == NULL)
        return -1;
    const size_t nLength = wcslen(lpszText), nSuffix = wcslen(lpszSuffix);
    const size_t nPrefix = sizeof(g_szSystemColorsPrefix) / sizeof(WCHAR) - 1;
    if (nLength < kSystemColorMemberMinLength || nLength < nPrefix + nSuffix)
        return -1;
    if (wcsncmp(lpszText, g_szSystemColorsPrefix, nPrefix) != 0 ||
        wcscmp(lpszText + nLength - nSuffix, lpszSuffix) != 0)
        return -1;
    return ZpMarkupLookupSystemColor(lpszText + nPrefix, static_cast<int>(nLength - nPrefix - nSuffix));
}

CZPMarkupObject* ZpMarkupConvertEnum(CZPMarkupObject* pValue, const ZP_MARKUP_ENUMWORD* pWords, int nWords)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    const ZP_MARKUP_ENUMWORD* pWord = FindWord(pString->GetText(), pWords, nWords);
    return pWord != NULL ? CZPMarkupEnum::CreateValue(pWord->nValue) : NULL;
}

CZPMarkupObject* ZpMarkupConvertTextDecorations(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_textDecorations);
}

CZPMarkupObject* ZpMarkupConvertFontWeight(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_fontWeights);
}

CZPMarkupObject* ZpMarkupConvertFontQuality(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_fontQualities);
}

CZPMarkupObject* ZpMarkupConvertFontStyle(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_fontStyles);
}

CZPMarkupObject* ZpMarkupConvertHorizontalAlignment(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_horizontalAlignments);
}

CZPMarkupObject* ZpMarkupConvertVerticalAlignment(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_verticalAlignments);
}

CZPMarkupObject* ZpMarkupConvertTextWrapping(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_textWrappings);
}

CZPMarkupObject* ZpMarkupConvertTextTrimming(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_textTrimmings);
}

CZPMarkupObject* ZpMarkupConvertTextAlignment(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_textAlignments);
}

CZPMarkupObject* ZpMarkupConvertOrientation(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_orientations);
}

CZPMarkupObject* ZpMarkupConvertBaselineAlignment(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_baselineAlignments);
}

CZPMarkupObject* ZpMarkupConvertVisibility(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_visibilities);
}

CZPMarkupObject* ZpMarkupConvertScrollBarVisibility(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_scrollBarVisibilities);
}

CZPMarkupObject* ZpMarkupConvertStretch(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_stretches);
}

CZPMarkupObject* ZpMarkupConvertTabNavigation(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ConvertWords(pValue, g_tabNavigations);
}

CZPMarkupObject* ZpMarkupConvertLength(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    LPCWSTR lpszText = pString->GetText();
    const int nLength = pString->GetLength();
    if (nLength == 4 && EqualNoCase(lpszText, L"Auto"))
        return new CZPMarkupInt(kZpMarkupAutoLength);
    const long long n = ZpMarkupReadInt(lpszText);
    if (n == 0 || nLength <= 2)
        return new CZPMarkupInt(static_cast<int>(n));
    LPCWSTR lpszUnit = lpszText + nLength - 2;
    long long nPixels = n;
    if (EqualNoCase(lpszUnit, L"pt")) {
        // Rounded to nearest, halves away from zero.
        const long long nScaled = n * kPixelsPerInch;
        nPixels = (nScaled + (nScaled < 0 ? -kPointsPerInch / 2 : kPointsPerInch / 2)) / kPointsPerInch;
    } else if (EqualNoCase(lpszUnit, L"in"))
        nPixels = n * kPixelsPerInch;
    else if (EqualNoCase(lpszUnit, L"cm"))
        nPixels = n * kPixelsPerCentimetre100k / 100000;
    return new CZPMarkupInt(SaturateLength(nPixels));
}

CZPMarkupObject* ZpMarkupConvertCursor(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    const ZP_MARKUP_ENUMWORD* pWord =
        FindWord(pString->GetText(), g_cursors, static_cast<int>(sizeof(g_cursors) / sizeof(g_cursors[0])));
    return pWord != NULL ? new CZPMarkupInt(pWord->nValue) : NULL;
}
