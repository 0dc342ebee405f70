// The process-wide colour table: indices 0-62 are system colours and the colours derived from
// them; larger values are literal COLORREFs, -1 means unset.
#pragma once

#include <framework.h>

class CArchive;

#define ZP_COLOR_COUNT 63
#define ZP_COLOR_UNSET (static_cast<COLORREF>(-1))

// Derived entries of the table that the toolkit's looks ask for by name; 0-29 are the COLOR_*
// numbers of GetSysColor.
enum
{
    zpColorBarBackground = 30,
    zpColorHighlight = 31,          // background of a hot control
    zpColorHighlightBorder = 32,    // border of a hot control
    zpColorPushed = 33,             // background of a pressed control
    zpColorChecked = 36,            // background of a checked control
    zpColorCheckedBorder = 37,      // border of a checked control
    zpColorHighlightText = 45,      // text and glyphs on a hot control
    zpColorPushedText = 47,         // text and glyphs on a pressed control
    zpColorFaceLight = 48,          // the button face brightened
    zpColorShadowDark = 49,         // the button shadow darkened
    zpColorHighlightPushed = 50,    // background of a control both hot and pressed
    zpColorTabClientFrame = 57      // frame around a tab strip's client area
};

// Windows visual styles as the colour manager reports them; 6 and 7 are settings that follow
// the detected style.
enum
{
    zpThemeNone = 0,
    zpThemeLunaBlue = 1,
    zpThemeLunaOlive = 2,
    zpThemeLunaSilver = 3,
    zpThemeRoyale = 4,
    zpThemeAero = 5,
    zpThemeAutomatic = 6,
    zpThemeAutomatic2 = 7
};

class CZPPaintManagerColor
{
public:
    CZPPaintManagerColor() : m_clrStandardValue(ZP_COLOR_UNSET), m_clrCustomValue(ZP_COLOR_UNSET) {}
    virtual ~CZPPaintManagerColor() = default;
    CZPPaintManagerColor(const CZPPaintManagerColor&) = default;
    CZPPaintManagerColor& operator=(const CZPPaintManagerColor&) = default;

    virtual void Serialize(CArchive& ar);

    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    COLORREF GetCustomValue() const { return m_clrCustomValue; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    BOOL IsCustomValue() const { return m_clrCustomValue != ZP_COLOR_UNSET; }
    // The custom value when set, else the standard one.
    operator COLORREF() const { return IsCustomValue() ? m_clrCustomValue : m_clrStandardValue; }

private:
    COLORREF m_clrStandardValue;
    COLORREF m_clrCustomValue;
};

class CZPPaintManagerColorGradient
{
public:
    CZPPaintManagerColorGradient() : m_fFactor(0.5f) {}
    virtual ~CZPPaintManagerColorGradient() = default;
    CZPPaintManagerColorGradient(const CZPPaintManagerColorGradient&) = default;
    CZPPaintManagerColorGradient& operator=(const CZPPaintManagerColorGradient&) = default;

    virtual void Serialize(CArchive& ar);

    void SetStandard(COLORREF clrStart, COLORREF clrEnd, float fFactor = 0.5f);
    void SetSolid(COLORREF clr) { SetStandard(clr, clr, 0.5f); }
    void CopyStandardFrom(const CZPPaintManagerColorGradient& other);

    CZPPaintManagerColor m_clrStart;
    CZPPaintManagerColor m_clrEnd;
    float m_fFactor;                 // where the two halves meet; 0.5 = one even gradient
};

class CZPColorManager : public CCmdTarget
{
public:
    typedef DWORD (WINAPI* PFNGETSYSCOLOR)(int nIndex);

    CZPColorManager();

    COLORREF LookupColor(COLORREF nIndex) const;
    void RefreshColors();
    void LoadSystemColors();
    void DeriveStandardColors();
    void RefreshGradients();
    int DetectWindowsTheme();
    int GetEffectiveTheme() const;
    BOOL AreThemeColorsDisabled() const { return m_bThemeColorsDisabled; }
    BOOL IsLowColorDisplay(HDC hDC) const;

    // Gradients 1-10 of the Office-style looks.
    CZPPaintManagerColorGradient& GetGradient(int nGradient) { return m_grcGradients[nGradient - 1]; }

    // A forced visual style (0-5), or zpThemeAutomatic to follow the detected one.
    void SetThemeSetting(int nTheme) { m_nThemeSetting = nTheme; }
    // Replaces GetSysColor for entries 1-29 (NULL: the system's colours).
    void SetSystemColorFunction(PFNGETSYSCOLOR pfnGetSysColor) { m_pfnGetSysColor = pfnGetSysColor; }
    // Answers every colour-depth query as 8-bit (1) or true colour (0); -1 asks the device.
    void SetLowColorOverride(int nLowColor) { m_nLowColorOverride = nLowColor; }

    // The style named by a visual-style file and colour scheme (as from GetCurrentThemeName).
    int ThemeFromNames(LPCWSTR pszFileName, LPCWSTR pszColorScheme) const;

    static COLORREF WeightedMix(COLORREF clrA, COLORREF clrB, int nWeight);
    static float RedWeight(COLORREF clr);
    static float GreenWeight(COLORREF clr);
    static float BlueWeight(COLORREF clr);
    static float ColorDistanceSquared(COLORREF clrA, COLORREF clrB);
    static float ColorDistance(COLORREF clrA, COLORREF clrB);
    static float DarkThreshold(int nBrightness, int nThreshold);
    static BOOL ColorDistanceExceeds(COLORREF clrA, COLORREF clrB, BOOL bScaleForDark, float fThreshold);
    static COLORREF EnsureContrast(COLORREF clrA, COLORREF clrB, float fThreshold);
    static COLORREF PullTowards(COLORREF clrA, COLORREF clrB, float fThreshold);

private:
    COLORREF Entry(int nIndex) const { return LookupColor(static_cast<COLORREF>(nIndex)); }
    void Set(int nIndex, COLORREF clr) { m_clrComputed[nIndex] = clr; }
    void ApplyContrastPass();
    void ApplyVisualStyleBorder();

    CZPPaintManagerColorGradient m_grcGradients[10];
    BOOL m_bRoyaleRecognised;
    BOOL m_bAeroRecognised;
    BOOL m_bThemeColorsDisabled;
    COLORREF m_clrComputed[ZP_COLOR_COUNT];
    COLORREF m_clrOverride[ZP_COLOR_COUNT];
    PFNGETSYSCOLOR m_pfnGetSysColor;
    int m_nThemeSetting;
    int m_nDetectedTheme;
    int m_nLowColorOverride;
};

CZPColorManager& ZpColorManagerInstance();
void ZpRefreshColors();
