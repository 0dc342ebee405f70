// The colour table against worked values for fixed system colours, the gradients per visual
// style, and the contrast helpers.
#include "common/ZPColorManager.h"

#include "common/ZPWinThemeWrapper.h"

#include <gtest/gtest.h>


namespace
{
#define C(r, g, b) RGB(r, g, b)

// Windows Standard (classic) colours 0-29.
const COLORREF g_classic[30] = {
    0, C(58, 110, 165), C(10, 36, 106), C(128, 128, 128), C(212, 208, 200), C(255, 255, 255), C(0, 0, 0),
    C(0, 0, 0), C(0, 0, 0), C(255, 255, 255), C(212, 208, 200), C(212, 208, 200), C(128, 128, 128),
    C(10, 36, 106), C(255, 255, 255), C(212, 208, 200), C(128, 128, 128), C(128, 128, 128), C(0, 0, 0),
    C(212, 208, 200), C(255, 255, 255), C(64, 64, 64), C(212, 208, 200), C(0, 0, 0), C(255, 255, 225),
    C(181, 181, 181), C(0, 0, 128), C(166, 202, 240), C(192, 192, 192), C(49, 106, 197)};

// A beige face with a blue highlight, as under the XP blue scheme.
const COLORREF g_luna[30] = {
    0, C(58, 110, 165), C(10, 36, 106), C(128, 128, 128), C(255, 255, 255), C(255, 255, 255), C(0, 0, 0),
    C(0, 0, 0), C(0, 0, 0), C(255, 255, 255), C(212, 208, 200), C(212, 208, 200), C(128, 128, 128),
    C(49, 106, 197), C(255, 255, 255), C(236, 233, 216), C(172, 168, 153), C(172, 168, 153), C(0, 0, 0),
    C(212, 208, 200), C(255, 255, 255), C(113, 111, 100), C(241, 239, 226), C(0, 0, 0), C(255, 255, 225),
    C(181, 181, 181), C(0, 0, 128), C(166, 202, 240), C(192, 192, 192), C(49, 106, 197)};

// High contrast: black face, white button text.
const COLORREF g_highContrastBlack[30] = {
    0, C(58, 110, 165), C(10, 36, 106), C(128, 128, 128), C(0, 0, 0), C(0, 0, 0), C(0, 0, 0),
    C(255, 255, 255), C(255, 255, 255), C(255, 255, 255), C(212, 208, 200), C(212, 208, 200),
    C(128, 128, 128), C(128, 0, 128), C(255, 255, 255), C(0, 0, 0), C(128, 128, 128), C(0, 255, 0),
    C(255, 255, 255), C(212, 208, 200), C(255, 255, 255), C(255, 255, 255), C(0, 0, 0), C(0, 0, 0),
    C(255, 255, 225), C(181, 181, 181), C(0, 0, 128), C(166, 202, 240), C(192, 192, 192), C(49, 106, 197)};

// Worked values of entries 30-61 for the sets above (22 separately).
const COLORREF g_classicDerived[32] = {
    0xD1D8DB, 0xD2BDB6, 0x6A240A, 0xB59285, 0x9D8D88, 0xA6A6A6, 0xD8D5D4, 0x6A240A, 0xA0A0A0, 0xA6A6A6, 0x8D8D8D,
    0xF7F8F9, 0xC1C8CC, 0x666666, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xE9F2F7, 0x555555, 0x6A240A, 0xC8D0D4,
    0x808080, 0xD1D8DB, 0x808080, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x8D8D8D, 0x000000, 0x8D8D8D, 0x6D6D6D};
const COLORREF g_lunaDerived[32] = {
    0xDEEDEF, 0xEED2C1, 0xC56A31, 0xE2B598, 0xB29D90, 0xB8C2C5, 0xE8E6E1, 0xC56A31, 0xB1BCBF, 0xB8C2C5, 0xA3B1B4,
    0xF9FCFC, 0xD2E3E6, 0x7A868A, 0x000000, 0x000000, 0x000000, 0x494949, 0xE9FBFF, 0x727E81, 0xC56A31, 0xD8E9EC,
    0x99A8AC, 0xDEEDEF, 0x99A8AC, 0xD8E9EC, 0xD8E9EC, 0x99A8AC, 0xA3B1B4, 0x000000, 0xA3B1B4, 0x828F92};
const COLORREF g_highContrastDerived[32] = {
    0x000000, 0x800080, 0xAE5DAE, 0x800080, 0x600060, 0x00BE00, 0x800080, 0xFFFFFF, 0xFFFFFF, 0x808080, 0x808080,
    0x000000, 0x808080, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x232323, 0x7F7F7F, 0x800080, 0x000000,
    0x808080, 0x000000, 0x808080, 0x000000, 0x000000, 0x808080, 0x808080, 0x000000, 0x808080, 0x808080};
// On an 8-bit display: the plain defaults, no mixing and no contrast pass.
const COLORREF g_classicLowColor[32] = {
    0xC8D0D4, 0xFFFFFF, 0x6A240A, 0x6A240A, 0x808080, 0x808080, 0xFFFFFF, 0x6A240A, 0x808080, 0x808080, 0x808080,
    0xFFFFFF, 0x808080, 0x808080, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x6A240A, 0xC8D0D4,
    0x808080, 0xC8D0D4, 0x808080, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0x808080, 0x808080};

const COLORREF* g_pSysColors = g_classic;
DWORD WINAPI TestSysColor(int nIndex)
{
    return g_pSysColors[nIndex];
}

// A manager over the given system colours, style forced to none unless asked.
void Prepare(CZPColorManager& manager, const COLORREF* pSysColors, BOOL bLowColor, int nTheme = zpThemeNone)
{
    g_pSysColors = pSysColors;
    manager.SetSystemColorFunction(&TestSysColor);
    manager.SetLowColorOverride(bLowColor ? 1 : 0);
    manager.SetThemeSetting(nTheme);
    manager.RefreshColors();
}

// Entry 57 follows the visual style's tree-view border when one is in effect.
COLORREF ExpectedTreeBorder(COLORREF clrShadow)
{
    CZPWinThemeWrapper wrapper(TRUE);
    wrapper.OpenTheme(NULL, L"TREEVIEW");
    COLORREF clr = 0;
    if (wrapper.HasAppTheme() && SUCCEEDED(wrapper.GetColor(0, 0, 3801, &clr)))
        return clr;
    return clrShadow;
}

void ExpectGradient(CZPColorManager& manager, int n, COLORREF clrStart, COLORREF clrEnd, float fFactor)
{
    SCOPED_TRACE(testing::Message() << "gradient " << n);
    const CZPPaintManagerColorGradient& g = manager.GetGradient(n);
    EXPECT_EQ(clrStart, static_cast<COLORREF>(g.m_clrStart));
    EXPECT_EQ(clrEnd, static_cast<COLORREF>(g.m_clrEnd));
    EXPECT_FLOAT_EQ(fFactor, g.m_fFactor);
}
}

TEST(ColorManager, TableMatchesWorkedValues)
{
    struct Case
    {
        const char* pszName;
        const COLORREF* pSys;
        BOOL bLowColor;
        const COLORREF* pDerived;
        COLORREF clr22;
    } cases[] = {
        {"classic", g_classic, FALSE, g_classicDerived, C(227, 223, 215)},
        {"luna", g_luna, FALSE, g_lunaDerived, C(251, 248, 231)},
        {"high contrast", g_highContrastBlack, FALSE, g_highContrastDerived, C(15, 15, 15)},
        {"8-bit", g_classic, TRUE, g_classicLowColor, g_classic[22]},
    };
    CZPColorManager manager;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        Prepare(manager, c.pSys, c.bLowColor);
        EXPECT_EQ(0u, manager.LookupColor(0));
        for (int i = 1; i < 30; ++i)
            EXPECT_EQ(i == 22 ? c.clr22 : c.pSys[i], manager.LookupColor(i)) << "entry " << i;
        for (int i = 30; i < 62; ++i)
        {
            COLORREF clrExpected = c.pDerived[i - 30];
            if (i == 57 && !c.bLowColor)
                clrExpected = ExpectedTreeBorder(clrExpected);
            EXPECT_EQ(clrExpected, manager.LookupColor(i)) << "entry " << i;
        }
        EXPECT_EQ(0u, manager.LookupColor(62));
    }
}

TEST(ColorManager, LiteralColoursPassThroughLookup)
{
    CZPColorManager& manager = ZpColorManagerInstance();
    for (COLORREF clr : {COLORREF(63), COLORREF(0x123456), COLORREF(0xFFFFFF), ZP_COLOR_UNSET})
        EXPECT_EQ(clr, manager.LookupColor(clr));
    EXPECT_EQ(0u, manager.LookupColor(0));
    EXPECT_EQ(0u, manager.LookupColor(62));
}

TEST(ColorManager, GradientsFollowTheVisualStyle)
{
    CZPColorManager manager;
    const COLORREF F = C(212, 208, 200), S = C(128, 128, 128);

    Prepare(manager, g_classic, FALSE, zpThemeNone);
    ExpectGradient(manager, 1, S, S, 0.5f);
    ExpectGradient(manager, 2, F, 0xF3F5F6, 0.5f);
    ExpectGradient(manager, 3, F, S, 0.5f);
    ExpectGradient(manager, 4, 0xF4F5F6, F, 0.5f);
    ExpectGradient(manager, 5, 0xF7F8F9, 0xCCD3D7, 0.5f);
    ExpectGradient(manager, 6, 0xE9ECEE, 0xC4CCD0, 0.5f);
    ExpectGradient(manager, 7, 0xF6F7F8, 0xE8EBED, 0.5f);
    ExpectGradient(manager, 8, 0x8CD5FF, 0x55ADFF, 0.5f);
    ExpectGradient(manager, 10, 0xC8F2FF, 0x97D4FF, 0.5f);
    EXPECT_EQ(S, manager.LookupColor(54));

    Prepare(manager, g_classic, FALSE, zpThemeLunaSilver);
    EXPECT_EQ(zpThemeLunaSilver, manager.GetEffectiveTheme());
    ExpectGradient(manager, 4, 0xFFF9F9, 0xB79B9C, 0.75f);
    EXPECT_EQ(0x947C7Cu, manager.LookupColor(54));

    for (int nTheme : {zpThemeLunaBlue, zpThemeRoyale, zpThemeAero})
    {
        Prepare(manager, g_classic, FALSE, nTheme);
        ExpectGradient(manager, 4, 0xFEECDD, 0xE2A981, 0.75f);
        EXPECT_EQ(0x962D00u, manager.LookupColor(54));
    }

    Prepare(manager, g_classic, FALSE, zpThemeLunaOlive);
    ExpectGradient(manager, 6, 0xD1E6E6, 0x78B4A4, 0.3f);
    EXPECT_EQ(0x588060u, manager.LookupColor(54));

    // 8-bit: gradients 2 and 4 are solid button face whatever the style.
    Prepare(manager, g_classic, TRUE, zpThemeLunaSilver);
    ExpectGradient(manager, 2, F, F, 0.5f);
    ExpectGradient(manager, 4, F, F, 0.5f);
    ExpectGradient(manager, 1, 0xBFA7A8, 0x916F70, 0.5f);
    EXPECT_EQ(0x947C7Cu, manager.LookupColor(54));
}

TEST(ColorManager, VisualStyleNames)
{
    struct Case
    {
        LPCWSTR pszFile, pszScheme;
        int nExpected;
    } cases[] = {
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", zpThemeLunaBlue},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", zpThemeLunaOlive},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Metallic", zpThemeLunaSilver},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Zune", zpThemeNone},
        {L"C:\\Skins\\WinXP.Luna.zpstyles", L"metallic", zpThemeLunaSilver},
        {L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", zpThemeRoyale},
        {L"C:\\Skins\\WinXP.Royale.zpstyles", L"", zpThemeRoyale},
        {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"NormalColor", zpThemeAero},
        {L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", zpThemeNone},
        {L"", L"", zpThemeNone},
    };
    CZPColorManager& manager = ZpColorManagerInstance();
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, manager.ThemeFromNames(c.pszFile, c.pszScheme)) << c.pszFile << " " << c.pszScheme;
}

TEST(ColorManager, WeightedMixScale)
{
    EXPECT_EQ(0xFCFCFCu, CZPColorManager::WeightedMix(0xFFFFFF, 0, 99));
    EXPECT_EQ(0x1A1A1Au, CZPColorManager::WeightedMix(0xFFFFFF, 0, 100));
    EXPECT_EQ(0xD1D8DBu, CZPColorManager::WeightedMix(0xFFFFFF, C(212, 208, 200), 165));
}

// A colour equal to its reference moves to the threshold distance, doubled for black.
TEST(ColorManager, EnsureContrastMovesToTheThreshold)
{
    struct Case
    {
        COLORREF clr;
        int nThreshold;
        COLORREF clrExpected;
    } cases[] = {
        {0x000000, 50, 0x3A3A3A}, {0x000000, 100, 0x747474}, {0x808080, 50, 0x636363},
        {0xC8D0D4, 100, 0x919699}, {0xFFFFFF, 50, 0xE2E2E2}, {0x6A240A, 50, 0x8B5541},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::hex << c.clr << " " << std::dec << c.nThreshold);
        const COLORREF clr = CZPColorManager::EnsureContrast(c.clr, c.clr, static_cast<float>(c.nThreshold));
        EXPECT_EQ(c.clrExpected, clr);
        const float fWanted = CZPColorManager::DarkThreshold(
            static_cast<int>(CZPColorManager::ColorDistance(c.clr, 0)), c.nThreshold);
        EXPECT_NEAR(fWanted, CZPColorManager::ColorDistance(c.clr, clr), 1.0f);
    }
}

TEST(ColorManager, PullTowardsEndsAtTheThreshold)
{
    const COLORREF clr = CZPColorManager::PullTowards(0, 0x00FF00, 145);
    EXPECT_EQ(0x00BE00u, clr);
    EXPECT_NEAR(290.0f, CZPColorManager::ColorDistance(0, clr), 1.0f);
}

TEST(ColorManager, ColorAndGradientArchiveRoundTrip)
{
    CZPPaintManagerColorGradient source;
    source.SetStandard(0x112233, 0x445566, 0.75f);
    source.m_clrEnd.SetCustomValue(0x778899);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
    }
    EXPECT_EQ(20u, static_cast<UINT>(file.GetLength()));
    file.SeekToBegin();
    CZPPaintManagerColorGradient loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(0x112233u, static_cast<COLORREF>(loaded.m_clrStart));
    EXPECT_FALSE(loaded.m_clrStart.IsCustomValue());
    EXPECT_EQ(0x778899u, static_cast<COLORREF>(loaded.m_clrEnd));
    EXPECT_EQ(0x445566u, loaded.m_clrEnd.GetStandardColor());
    EXPECT_FLOAT_EQ(0.75f, loaded.m_fFactor);

    CZPPaintManagerColorGradient copy;
    copy.CopyStandardFrom(loaded);
    EXPECT_EQ(0x778899u, copy.m_clrEnd.GetStandardColor());
    EXPECT_FALSE(copy.m_clrEnd.IsCustomValue());
    EXPECT_FLOAT_EQ(0.75f, copy.m_fFactor);
}
