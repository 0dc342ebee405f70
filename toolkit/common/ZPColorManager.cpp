// The process-wide colour table and the paint managers' colour and gradient values.
#include "common/ZPColorManager.h"

#include "common/ZPWinThemeWrapper.h"

#include <framework/archive.h>

#include <math.h>
#include <string.h>
#include <wchar.h>

namespace
{
// Weighted RGB space (3 : 6 : 1): the largest value of each axis.
const float g_fAxisMax[3] = {195.0f, 390.0f, 65.0f};
// About the length of white in the weighted space.
const float g_fBrightest = 442.0f;
const int TMT_BORDERCOLOR_ID = 3801;

struct CWeighted
{
    float v[3];
};

CWeighted ToWeighted(COLORREF clr)
{
    return {{CZPColorManager::RedWeight(clr), CZPColorManager::GreenWeight(clr), CZPColorManager::BlueWeight(clr)}};
}

int FromAxis(float x, int nAxis)
{
    float fMax = g_fAxisMax[nAxis];
    if (!(x > 0.0f))
        x = 0.0f;
    if (x > fMax)
        x = fMax;
    int n = static_cast<int>(x * 255.0f / fMax + 0.5f);
    return n < 0 ? 0 : (n > 255 ? 255 : n);
}

COLORREF FromWeighted(const CWeighted& w)
{
    return RGB(FromAxis(w.v[0], 0), FromAxis(w.v[1], 1), FromAxis(w.v[2], 2));
}

float Brightness(COLORREF clr)
{
    return CZPColorManager::ColorDistance(clr, 0);
}

COLORREF ScaleChannels(COLORREF clr, int nMul, int nDiv)
{
    return RGB(GetRValue(clr) * nMul / nDiv, GetGValue(clr) * nMul / nDiv, GetBValue(clr) * nMul / nDiv);
}

int MaxChannel(COLORREF clr)
{
    int n = GetRValue(clr);
    if (GetGValue(clr) > n)
        n = GetGValue(clr);
    if (GetBValue(clr) > n)
        n = GetBValue(clr);
    return n;
}

BOOL Contains(const WCHAR* pszText, const WCHAR* pszPart)
{
    return wcsstr(pszText, pszPart) != NULL;
}
}

void CZPPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_clrStandardValue) << static_cast<DWORD>(m_clrCustomValue);
    }
    else
    {
        DWORD dwStandard = 0, dwCustom = 0;
        ar >> dwStandard >> dwCustom;
        m_clrStandardValue = dwStandard;
        m_clrCustomValue = dwCustom;
    }
}

void CZPPaintManagerColorGradient::SetStandard(COLORREF clrStart, COLORREF clrEnd, float fFactor)
{
    m_clrStart.SetStandardValue(clrStart);
    m_clrEnd.SetStandardValue(clrEnd);
    m_fFactor = fFactor;
}

void CZPPaintManagerColorGradient::CopyStandardFrom(const CZPPaintManagerColorGradient& other)
{
    SetStandard(other.m_clrStart, other.m_clrEnd, other.m_fFactor);
}

void CZPPaintManagerColorGradient::Serialize(CArchive& ar)
{
    m_clrStart.Serialize(ar);
    m_clrEnd.Serialize(ar);
    DWORD dwFactor = 0;
    if (ar.IsStoring())
    {
        memcpy(&dwFactor, &m_fFactor, sizeof(dwFactor));
        ar << dwFactor;
    }
    else
    {
        ar >> dwFactor;
        memcpy(&m_fFactor, &dwFactor, sizeof(dwFactor));
    }
}

CZPColorManager::CZPColorManager()
    : m_bRoyaleRecognised(TRUE), m_bAeroRecognised(TRUE), m_bThemeColorsDisabled(FALSE), m_pfnGetSysColor(NULL),
      m_nThemeSetting(zpThemeAutomatic), m_nDetectedTheme(zpThemeNone), m_nLowColorOverride(-1)
{
    for (int i = 0; i < ZP_COLOR_COUNT; ++i)
    {
        m_clrComputed[i] = 0;
        m_clrOverride[i] = ZP_COLOR_UNSET;
    }
    RefreshColors();
    GetGradient(8).SetStandard(0x8CD5FF, 0x55ADFF);
    GetGradient(9).SetStandard(0x4B8EFE, 0x8BCFFF);
    GetGradient(10).SetStandard(0xC8F2FF, 0x97D4FF);
}

COLORREF CZPColorManager::LookupColor(COLORREF nIndex) const
{
    if (nIndex >= ZP_COLOR_COUNT)
        return nIndex;
    if (m_clrOverride[nIndex] != ZP_COLOR_UNSET)
        return m_clrOverride[nIndex];
    return m_clrComputed[nIndex];
}

BOOL CZPColorManager::IsLowColorDisplay(HDC hDC) const
{
    if (m_nLowColorOverride >= 0)
        return m_nLowColorOverride != 0;
    int nBits = 0;
    if (hDC != NULL)
    {
        nBits = ::GetDeviceCaps(hDC, BITSPIXEL);
    }
    else
    {
        HWND hWndDesktop = ::GetDesktopWindow();
        HDC hScreenDC = ::GetDC(hWndDesktop);
        if (hScreenDC == NULL)
            return FALSE;
        nBits = ::GetDeviceCaps(hScreenDC, BITSPIXEL);
        ::ReleaseDC(hWndDesktop, hScreenDC);
    }
    return nBits >= 1 && nBits <= 8;
}

void CZPColorManager::LoadSystemColors()
{
    m_clrComputed[0] = 0;
    for (int i = 1; i < 30; ++i)
        m_clrComputed[i] = m_pfnGetSysColor != NULL ? m_pfnGetSysColor(i) : ::GetSysColor(i);
}

void CZPColorManager::DeriveStandardColors()
{
    const COLORREF F = Entry(COLOR_BTNFACE), S = Entry(COLOR_BTNSHADOW);
    const COLORREF L5 = Entry(COLOR_WINDOW), L7 = Entry(COLOR_MENUTEXT), L8 = Entry(COLOR_WINDOWTEXT);
    const COLORREF L13 = Entry(COLOR_HIGHLIGHT), L14 = Entry(COLOR_HIGHLIGHTTEXT), L17 = Entry(COLOR_GRAYTEXT);
    const COLORREF L18 = Entry(COLOR_BTNTEXT);
    const COLORREF defaults[][2] = {
        {30, F}, {31, L5}, {32, L13}, {33, L13}, {34, S}, {35, L17}, {36, L5}, {37, L13}, {38, S}, {39, S},
        {40, S}, {41, L5}, {42, S}, {43, S}, {44, L8}, {45, L7}, {46, L18}, {47, L14}, {48, S}, {49, L14},
        {50, L13}, {51, F}, {52, S}, {53, F}, {54, S}, {55, F}, {56, F}, {57, S}, {58, L17}, {59, 0},
        {60, S}, {61, S},
    };
    for (const COLORREF* pEntry : defaults)
        Set(static_cast<int>(pEntry[0]), pEntry[1]);
}

void CZPColorManager::RefreshColors()
{
    m_nDetectedTheme = DetectWindowsTheme();
    const BOOL bLowColor = IsLowColorDisplay(NULL);
    LoadSystemColors();
    DeriveStandardColors();
    if (bLowColor)
    {
        RefreshGradients();
        return;
    }

    const COLORREF F = Entry(COLOR_BTNFACE), S = Entry(COLOR_BTNSHADOW);
    const COLORREF L18 = Entry(COLOR_BTNTEXT);
    const BOOL bHighContrast = (F == 0 && L18 == 0xFFFFFF) || (F == 0xFFFFFF && L18 == 0);
    if (bHighContrast)
    {
        Set(31, Entry(13));
        Set(36, Entry(13));
        Set(45, Entry(14));
        Set(32, L18);
        Set(37, L18);
        Set(50, Entry(13));
        Set(43, L18);
        Set(38, L18);
    }
    else
    {
        Set(30, WeightedMix(Entry(5), F, 165));
        Set(31, WeightedMix(Entry(13), Entry(5), 30));
        Set(33, WeightedMix(Entry(13), Entry(5), 50));
        Set(41, WeightedMix(F, Entry(5), 143));
        Set(35, WeightedMix(Entry(17), Entry(5), 70));
        Set(38, WeightedMix(S, Entry(5), 75));
        Set(39, WeightedMix(S, Entry(5), 70));
        Set(43, WeightedMix(Entry(46), S, 20));
        Set(61, WeightedMix(Entry(46), S, 15));
        Set(40, WeightedMix(S, Entry(5), 90));
        Set(42, WeightedMix(F, S, 90));
    }

    ApplyContrastPass();

    if (!bHighContrast)
    {
        const COLORREF c30 = Entry(30), c5 = Entry(5), c13 = Entry(13);
        auto blend = [](int n30, int n5, int n13) { return n30 * 50 / 100 + n5 * 40 / 100 + n13 * 10 / 100; };
        Set(36, RGB(blend(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                    blend(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                    blend(GetBValue(c30), GetBValue(c5), GetBValue(c13))));
    }

    const int nMaxFace = MaxChannel(F);
    if (nMaxFace == 0)
        Set(48, RGB(0x23, 0x23, 0x23));
    else
        Set(48, ScaleChannels(F, nMaxFace + (35 < 255 - nMaxFace ? 35 : 255 - nMaxFace), nMaxFace));

    if (F == 0)
    {
        Set(49, RGB(0x7F, 0x7F, 0x7F));
    }
    else
    {
        const int nMaxShadow = MaxChannel(S);
        if (nMaxShadow == 0)
            Set(49, 0);
        else
            Set(49, ScaleChannels(S, nMaxShadow > 43 ? nMaxShadow - 43 : 0, nMaxShadow));
    }

    const COLORREF c31 = m_clrComputed[31];
    Set(34, RGB(static_cast<int>(GetRValue(c31) * 0.75), static_cast<int>(GetGValue(c31) * 0.75),
                static_cast<int>(GetBValue(c31) * 0.75)));
    auto lighter = [](int n) { return n + 15 > 255 ? 255 : n + 15; };
    Set(22, RGB(lighter(GetRValue(F)), lighter(GetGValue(F)), lighter(GetBValue(F))));
    Set(53, Entry(30));
    Set(58, Entry(40));
    Set(60, m_clrComputed[40]);

    RefreshGradients();
    ApplyVisualStyleBorder();
}

void CZPColorManager::ApplyContrastPass()
{
    const COLORREF F = Entry(COLOR_BTNFACE);
    if (ColorDistanceExceeds(F, Entry(30), TRUE, 35))
        Set(30, PullTowards(F, Entry(30), 35));

    static const int s_rows[][4] = {
        {31, 30, 31, 50}, {32, 30, 13, 100}, {33, 30, 33, 30}, {35, 41, 35, 80}, {37, 33, 37, 100},
        {38, 30, 38, 85}, {39, 30, 39, 50}, {43, 41, 43, 100}, {61, 30, 61, 100}, {40, 30, 40, 80},
        {44, 41, 44, 180}, {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
    };
    for (const int* pRow : s_rows)
    {
        const COLORREF clrReference = Entry(pRow[1]), clr = Entry(pRow[2]);
        const float fThreshold = static_cast<float>(pRow[3]);
        if (!ColorDistanceExceeds(clrReference, clr, TRUE, fThreshold))
            Set(pRow[0], EnsureContrast(clrReference, clr, fThreshold));
    }

    if (ColorDistanceExceeds(Entry(41), Entry(35), TRUE, 145))
        Set(35, PullTowards(Entry(41), Entry(35), 145));
}

void CZPColorManager::ApplyVisualStyleBorder()
{
    CZPWinThemeWrapper wrapper(TRUE);
    wrapper.OpenTheme(NULL, L"TREEVIEW");
    COLORREF clrBorder = 0;
    if (wrapper.HasAppTheme() && SUCCEEDED(wrapper.GetColor(0, 0, TMT_BORDERCOLOR_ID, &clrBorder)))
        Set(57, clrBorder);
    wrapper.CloseTheme();
}

int CZPColorManager::GetEffectiveTheme() const
{
    if (m_nThemeSetting == zpThemeAutomatic || m_nThemeSetting == zpThemeAutomatic2)
        return m_nDetectedTheme;
    return m_nThemeSetting;
}

int CZPColorManager::DetectWindowsTheme()
{
    CZPWinThemeWrapper wrapper(TRUE);
    if (!wrapper.QueryThemeActive())
        return zpThemeNone;
    if (IsLowColorDisplay(NULL))
        return zpThemeNone;
    WCHAR szFile[MAX_PATH] = L"", szScheme[MAX_PATH] = L"", szSize[MAX_PATH] = L"";
    if (FAILED(wrapper.GetThemeFileName(szFile, MAX_PATH, szScheme, MAX_PATH, szSize, MAX_PATH)))
        return zpThemeNone;
    szFile[MAX_PATH - 1] = szScheme[MAX_PATH - 1] = 0;
    return ThemeFromNames(szFile, szScheme);
}

int CZPColorManager::ThemeFromNames(LPCWSTR pszFileName, LPCWSTR pszColorScheme) const
{
    CString strFile(pszFileName), strScheme(pszColorScheme);
    strFile.MakeLower();
    strScheme.MakeLower();
    if (Contains(strFile, L"luna.msstyles") || Contains(strFile, L"winxp.luna.zpstyles"))
    {
        if (strScheme == L"normalcolor")
            return zpThemeLunaBlue;
        if (strScheme == L"homestead")
            return zpThemeLunaOlive;
        if (strScheme == L"metallic")
            return zpThemeLunaSilver;
    }
    if (m_bRoyaleRecognised && (Contains(strFile, L"royale.msstyles") || Contains(strFile, L"winxp.royale.zpstyles")))
        return zpThemeRoyale;
    if (m_bAeroRecognised && Contains(strFile, L"aero.msstyles"))
        return zpThemeAero;
    return zpThemeNone;
}

void CZPColorManager::RefreshGradients()
{
    struct CStyleGradients
    {
        COLORREF clr[7][2];
        float fFactor[7];
        COLORREF clr54;
    };
    static const CStyleGradients s_blue = {
        {{0xD68759, 0x962D00}, {0xF5BE9E, 0xFADAC4}, {0xD68759, 0x962D00}, {0xFEECDD, 0xE2A981},
         {0xFFEFE3, 0xE4AD87}, {0xF6DDCB, 0xDCA179}, {0xFFEFE3, 0xE7B593}},
        {0.5f, 0.5f, 0.5f, 0.75f, 0.5f, 0.5f, 0.5f}, 0x962D00};
    static const CStyleGradients s_olive = {
        {{0x82C0AF, 0x447A63}, {0xA7D9D9, 0xE4F1F2}, {0x6F8E78, 0x435B49}, {0xDEF7F4, 0x91C6B7},
         {0xEDFFFF, 0x92C7B8}, {0xD1E6E6, 0x78B4A4}, {0xD5F0EC, 0x9FCEC2}},
        {0.5f, 0.5f, 0.5f, 0.3f, 0.3f, 0.3f, 0.5f}, 0x588060};
    static const CStyleGradients s_silver = {
        {{0xBFA7A8, 0x916F70}, {0xE5D7D7, 0xF7F3F3}, {0xBFA7A8, 0x977677}, {0xFFF9F9, 0xB79B9C},
         {0xFFF9F9, 0xB99D9F}, {0xE2D7D7, 0x9E7E80}, {0xF1E7E9, 0xCDB9BA}},
        {0.5f, 0.5f, 0.5f, 0.75f, 0.75f, 0.75f, 0.5f}, 0x947C7C};

    const int nStyle = m_bThemeColorsDisabled ? zpThemeNone : GetEffectiveTheme();
    const CStyleGradients* pStyle = NULL;
    if (nStyle == zpThemeLunaBlue || nStyle == zpThemeRoyale || nStyle == zpThemeAero)
        pStyle = &s_blue;
    else if (nStyle == zpThemeLunaOlive)
        pStyle = &s_olive;
    else if (nStyle == zpThemeLunaSilver)
        pStyle = &s_silver;

    const COLORREF F = Entry(COLOR_BTNFACE), S = Entry(COLOR_BTNSHADOW), L5 = Entry(COLOR_WINDOW);
    if (pStyle != NULL)
    {
        for (int i = 0; i < 7; ++i)
            GetGradient(i + 1).SetStandard(pStyle->clr[i][0], pStyle->clr[i][1], pStyle->fFactor[i]);
        Set(54, pStyle->clr54);
    }
    else
    {
        GetGradient(1).SetStandard(S, S);
        GetGradient(2).SetStandard(F, WeightedMix(F, L5, 215));
        GetGradient(3).SetStandard(F, S);
        GetGradient(4).SetStandard(WeightedMix(F, L5, 205), F);
        GetGradient(5).SetStandard(WeightedMix(F, L5, 145), WeightedMix(F, L5, 93));
        GetGradient(6).SetStandard(WeightedMix(F, L5, 40), WeightedMix(F, S, 95));
        GetGradient(7).SetStandard(WeightedMix(F, L5, 165), WeightedMix(F, L5, 42));
    }

    if (IsLowColorDisplay(NULL))
    {
        GetGradient(4).SetSolid(F);
        GetGradient(2).SetSolid(F);
    }
}

COLORREF CZPColorManager::WeightedMix(COLORREF clrA, COLORREF clrB, int nWeight)
{
    const int nScale = nWeight < 100 ? 100 : 1000;
    auto mix = [=](int a, int b) { return (a * nWeight + b * (nScale - nWeight) + nScale / 2) / nScale; };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB)), mix(GetGValue(clrA), GetGValue(clrB)),
               mix(GetBValue(clrA), GetBValue(clrB)));
}

float CZPColorManager::RedWeight(COLORREF clr)
{
    return static_cast<float>(GetRValue(clr) * 195) / 255.0f;
}

float CZPColorManager::GreenWeight(COLORREF clr)
{
    return static_cast<float>(GetGValue(clr) * 390) / 255.0f;
}

float CZPColorManager::BlueWeight(COLORREF clr)
{
    return static_cast<float>(GetBValue(clr) * 65) / 255.0f;
}

float CZPColorManager::ColorDistanceSquared(COLORREF clrA, COLORREF clrB)
{
    const float dr = RedWeight(clrA) - RedWeight(clrB);
    const float dg = GreenWeight(clrA) - GreenWeight(clrB);
    const float db = BlueWeight(clrA) - BlueWeight(clrB);
    return dr * dr + dg * dg + db * db;
}

float CZPColorManager::ColorDistance(COLORREF clrA, COLORREF clrB)
{
    return sqrtf(ColorDistanceSquared(clrA, clrB));
}

float CZPColorManager::DarkThreshold(int nBrightness, int nThreshold)
{
    const int nClamped = nBrightness < 220 ? nBrightness : 220;
    return (2.0f - static_cast<float>(nClamped) / 220.0f) * static_cast<float>(nThreshold);
}

BOOL CZPColorManager::ColorDistanceExceeds(COLORREF clrA, COLORREF clrB, BOOL bScaleForDark, float fThreshold)
{
    const float t = bScaleForDark
        ? DarkThreshold(static_cast<int>(Brightness(clrA)), static_cast<int>(fThreshold))
        : fThreshold;
    return ColorDistanceSquared(clrA, clrB) > t * t;
}

COLORREF CZPColorManager::PullTowards(COLORREF clrA, COLORREF clrB, float fThreshold)
{
    const float fDist = ColorDistance(clrA, clrB);
    const float k = DarkThreshold(static_cast<int>(Brightness(clrA)), static_cast<int>(fThreshold));
    const float f = fDist > 0.0f ? (fDist - k) / fDist : 0.0f;
    const CWeighted a = ToWeighted(clrA);
    CWeighted b = ToWeighted(clrB);
    for (int i = 0; i < 3; ++i)
        b.v[i] = b.v[i] + f * (a.v[i] - b.v[i]);
    return FromWeighted(b);
}

COLORREF CZPColorManager::EnsureContrast(COLORREF clrA, COLORREF clrB, float fThreshold)
{
    const float c = Brightness(clrA);
    const float d = DarkThreshold(static_cast<int>(c), static_cast<int>(fThreshold));
    const float n = Brightness(clrB);
    const float v = c < n ? g_fBrightest - d : d;
    const bool bLighten = v >= c;

    CWeighted a = ToWeighted(clrA), b = ToWeighted(clrB);
    if (bLighten)
    {
        for (int i = 0; i < 3; ++i)
        {
            a.v[i] = g_fAxisMax[i] - a.v[i];
            b.v[i] = g_fAxisMax[i] - b.v[i];
        }
    }
    float u = sqrtf(b.v[0] * b.v[0] + b.v[1] * b.v[1] + b.v[2] * b.v[2]);
    if (u < 0.001f)
        u = 0.001f;
    const float fDot = a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2];
    const float p = fDot / u;
    const float h = fDot / (u * u);
    float q = 0.0f;
    for (int i = 0; i < 3; ++i)
    {
        const float e = h * b.v[i] - a.v[i];
        q = q + e * e;
    }
    // B lies within d of A, so the ray meets that sphere; rounding must not make the root negative.
    const float fRoot = d * d - q;
    const float o = p - sqrtf(fRoot > 0.0f ? fRoot : 0.0f);
    for (int i = 0; i < 3; ++i)
    {
        b.v[i] = b.v[i] * o / u;
        if (bLighten)
            b.v[i] = g_fAxisMax[i] - b.v[i];
    }
    return FromWeighted(b);
}

CZPColorManager& ZpColorManagerInstance()
{
    static CZPColorManager s_instance;
    return s_instance;
}

void ZpRefreshColors()
{
    ZpColorManagerInstance().RefreshColors();
}
