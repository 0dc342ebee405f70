// The skin manager: selecting skins of every container, the skinned colours and metrics, the
// per-class caches, the refusal on palette screens, and selections repeated a thousand times.
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerClass.h"
#include "skinframework/ZPSkinManagerMetrics.h"
#include "skinframework/ZPSkinManagerResourceFile.h"
#include "skinframework/ZPSkinManagerSchema.h"
#include "skinframework/ZPSkinObject.h"

#include "skin_test_support.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

const int kBtnFace = 1616, kMenuBar = 1631;
const int kTextColor = 3803, kImageCount = 2401, kFlatMenus = 1001;
const int kPushButton = 1, kCheckBox = 3, kDisabled = 4;

// A screen of a chosen colour depth.
class CDepthSkinManager : public CZPSkinManager
{
public:
    explicit CDepthSkinManager(int nBits) : m_nBits(nBits) {}

protected:
    int GetScreenBitsPerPixel() const override { return m_nBits; }
    int m_nBits;
};

// Counts what it is told, and can take itself (and another) out of the map while told.
class CCountingSkinObject : public CZPSkinObject
{
public:
    CCountingSkinObject(HWND hWnd, CZPSkinManager* pManager) : CZPSkinObject(hWnd), m_pManager(pManager) {}
    void OnSkinChanged(BOOL /*bPrevState*/, BOOL bNewState) override
    {
        ++m_nCalls;
        m_bLastState = bNewState;
        if (m_bRemoveOnChange) {
            m_pManager->RemoveSkinObject(m_hWnd);
            if (m_hOther != NULL)
                m_pManager->RemoveSkinObject(m_hOther);
        }
    }
    int m_nCalls = 0;
    BOOL m_bLastState = FALSE;
    BOOL m_bRemoveOnChange = FALSE;
    HWND m_hOther = NULL;
    CZPSkinManager* m_pManager;  // borrowed
};

HWND CreateTopLevel()
{
    return ::CreateWindowExW(0, L"STATIC", L"skin test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
}

BOOL IsMapped(HMODULE hModule)
{
    MEMORY_BASIC_INFORMATION mbi = {};
    void* pBase = reinterpret_cast<void*>(reinterpret_cast<ULONG_PTR>(hModule) & ~static_cast<ULONG_PTR>(3));
    return ::VirtualQuery(pBase, &mbi, sizeof(mbi)) != 0 && mbi.State != MEM_FREE;
}

TEST(SkinManager, ModuleSkinGivesItsColoursAndMetrics)
{
    CZPSkinManager manager;
    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL));
    EXPECT_TRUE(manager.IsEnabled());
    EXPECT_EQ(RGB(236, 233, 216), manager.GetThemeSysColor(kBtnFace));
    EXPECT_EQ(static_cast<COLORREF>(-1), manager.GetThemeSysColor(kMenuBar + 1));
    EXPECT_EQ(static_cast<COLORREF>(-1), manager.GetThemeSysColor(1600));
    EXPECT_TRUE(manager.GetSysMetricsBool(kFlatMenus));
    CZPSkinManagerMetrics* pMetrics = manager.GetMetrics();
    ASSERT_NE(nullptr, pMetrics);
    EXPECT_EQ(23, pMetrics->m_cyCaption);
    EXPECT_EQ(18, pMetrics->m_cySmallCaption);
    EXPECT_EQ(17, pMetrics->m_cxVScroll);
    EXPECT_EQ(RGB(236, 233, 216), pMetrics->m_clrTheme[COLOR_3DFACE]);
    EXPECT_TRUE(pMetrics->IsMetricsBrush(pMetrics->GetBrush(COLOR_3DFACE)));
    EXPECT_TRUE(pMetrics->IsMetricsBrush(pMetrics->m_brushFace.m_hObject));
    EXPECT_FALSE(pMetrics->IsMetricsBrush(::GetStockObject(WHITE_BRUSH)));
    LOGFONTW lf = {};
    ASSERT_NE(0, ::GetObjectW(pMetrics->m_fntCaption.m_hObject, sizeof(lf), &lf));
    EXPECT_STREQ(L"TAHOMA", lf.lfFaceName);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);

    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), L"NormalSilver.ini"));
    EXPECT_EQ(RGB(224, 223, 227), manager.GetThemeSysColor(kBtnFace));
}

TEST(SkinManager, FolderSkinAndDefaultColours)
{
    CZPSkinManager manager;
    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Meadow"), L"Meadow.ini"));
    EXPECT_EQ(RGB(224, 236, 212), manager.GetThemeSysColor(kBtnFace));
    // A scheme without SYSMETRICS colours takes the default table.
    ASSERT_TRUE(manager.SelectSkin(FixturesPath(), L"plain.ini"));
    const COLORREF defaults[31] = {
        0xC0C0C0, 0xA56E3A, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0,
        0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000,
        0xDFDFDF, 0x000000, 0xE1FFFF, 0xB4B4B4, 0xFF0000, 0xD08410, 0xB5B5B5, 0x800000, 0xC0C0C0,
    };
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(defaults[i], manager.GetThemeSysColor(1601 + i)) << i;
    EXPECT_EQ(0xDFDFDFu, manager.GetMetrics()->m_clrEdgeLight);
    EXPECT_EQ(0u, manager.GetMetrics()->GetColor(31));
}

TEST(SkinManager, WinesLightStyleWithItsBlueScheme)
{
    CZPSkinManager manager;
    EXPECT_FALSE(manager.SelectSkin(LightStylesPath(), NULL));
    EXPECT_FALSE(manager.IsEnabled());
    EXPECT_EQ(NULL, manager.GetResourceFile()->GetModule());
    EXPECT_EQ(nullptr, manager.GetMetrics());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), manager.GetThemeSysColor(kBtnFace));
    ASSERT_TRUE(manager.SelectSkin(LightStylesPath(), L"Blue.ini"));
    EXPECT_EQ(RGB(245, 245, 245), manager.GetThemeSysColor(kBtnFace));
    CZPSkinManagerClass* pButton = manager.GetSkinClass(NULL, L"Button");
    ASSERT_NE(nullptr, pButton);
    SIZE size = {};
    EXPECT_TRUE(pButton->GetThemePartSize(kPushButton, 1, NULL, 1, &size));
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
}

TEST(SkinManager, SharedSkinsFolderHoldsTheSampleSkins)
{
    WCHAR szFolder[MAX_PATH] = {};
    ASSERT_EQ(S_OK, ::SHGetFolderPathW(NULL, CSIDL_COMMON_APPDATA, NULL, 0, szFolder));
    CString strSkins = CString(szFolder) + L"\\Dunmere\\Skins\\";
    CZPSkinManager manager;
    EXPECT_TRUE(manager.SelectSkin(strSkins + L"Slate.zpstyles", L"NormalBlue.ini"));
    EXPECT_TRUE(manager.SelectSkin(strSkins + L"Meadow", L"Meadow.ini"));
}

TEST(SkinManager, PaletteScreensAreRefusedAndWindowsStillHearOfIt)
{
    HWND hWnd = CreateTopLevel();
    ASSERT_NE(nullptr, hWnd);
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, WM_SYSCOLORCHANGE, WM_SYSCOLORCHANGE, PM_REMOVE)) {
    }
    for (int nBits : { 8, 4, 1 }) {
        CDepthSkinManager manager(nBits);
        EXPECT_FALSE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL)) << nBits;
        EXPECT_FALSE(manager.IsEnabled());
        EXPECT_EQ(NULL, manager.GetResourceFile()->GetModule());
        EXPECT_TRUE(::PeekMessageW(&msg, hWnd, WM_SYSCOLORCHANGE, WM_SYSCOLORCHANGE, PM_REMOVE));
    }
    CDepthSkinManager manager(16);
    EXPECT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL));
    ::DestroyWindow(hWnd);
}

TEST(SkinManager, ClassesAreThemeHandlesOfTheActiveSchema)
{
    CZPSkinManager manager;
    EXPECT_EQ(nullptr, manager.GetSkinClass(NULL, L"BUTTON"));  // no skin
    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL));
    CZPSkinManagerClass* pButton = manager.GetSkinClass(NULL, L"button");
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(7, pButton->GetClassId());
    EXPECT_EQ(CString(L"BUTTON"), pButton->GetClassName());
    EXPECT_EQ(pButton, manager.GetSkinClass(NULL, L"BUTTON"));
    EXPECT_EQ(nullptr, manager.GetSkinClass(NULL, L"NoSuchClass"));
    EXPECT_EQ(pButton, manager.ValidateThemeHandle(pButton));
    int nNotAClass = 0;
    EXPECT_EQ(nullptr, manager.ValidateThemeHandle(&nNotAClass));
    EXPECT_EQ(nullptr, manager.ValidateThemeHandle(NULL));
    ASSERT_FALSE(manager.SelectSkin(NULL, NULL));
    EXPECT_EQ(nullptr, manager.ValidateThemeHandle(pButton));
}

TEST(SkinManager, ClassQueriesAndTheirCache)
{
    CZPSkinManager manager;
    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL));
    CZPSkinManagerClass* pButton = manager.GetSkinClass(NULL, L"BUTTON");
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(RGB(128, 128, 128), pButton->GetThemeColor(kPushButton, kDisabled, kTextColor, 0));
    EXPECT_EQ(RGB(0, 0, 0), pButton->GetThemeColor(kPushButton, 1, kTextColor, 1));
    EXPECT_EQ(RGB(16, 16, 16), pButton->GetThemeColor(kCheckBox, 1, kTextColor, 1));  // from Globals
    EXPECT_EQ(5, pButton->GetThemeInt(kPushButton, 1, kImageCount, 0));
    // Asked with another type: the default, every time, and the right type still answers.
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(RGB(1, 2, 3), pButton->GetThemeColor(kPushButton, 1, kImageCount, RGB(1, 2, 3)));
    EXPECT_EQ(5, pButton->GetThemeInt(kPushButton, 1, kImageCount, 0));
    EXPECT_EQ(CRect(3, 3, 3, 3), pButton->GetThemeRect(kPushButton, 1, 3601, CRect()));
    EXPECT_EQ(CRect(4, 3, 4, 3), pButton->GetThemeRect(kPushButton, 1, 3602, CRect()));
    EXPECT_EQ(CString(L"BLUE\\BUTTON.BMP"), pButton->GetThemeString(kPushButton, 1, 3001, L""));
    // Out of the key's range: the default, never another property.
    EXPECT_EQ(-7, pButton->GetThemeInt(kPushButton + 64, 1, kImageCount, -7));
    EXPECT_EQ(-7, pButton->GetThemeInt(kPushButton, 64, kImageCount, -7));
    EXPECT_EQ(-7, pButton->GetThemeInt(kPushButton, 1, kImageCount + 16384, -7));

    SIZE size = {};
    ASSERT_TRUE(pButton->GetThemePartSize(kPushButton, 1, NULL, 1, &size));
    EXPECT_EQ(CSize(16, 21), CSize(size));
    CRect rc(0, 0, 75, 23);
    ASSERT_TRUE(pButton->GetThemePartSize(kPushButton, 1, &rc, 2, &size));
    EXPECT_EQ(CSize(75, 23), CSize(size));
    ASSERT_TRUE(pButton->GetThemePartSize(kCheckBox, 1, &rc, 2, &size));  // true size
    EXPECT_EQ(CSize(13, 13), CSize(size));
    EXPECT_FALSE(pButton->GetThemePartSize(4, 1, NULL, 1, &size));  // no image
}

TEST(SkinManager, OptionsAloneOnlyStoreTheMask)
{
    CZPSkinManager manager;
    manager.SetHookOptions(SkinOptionColors);
    EXPECT_EQ(static_cast<UINT>(SkinOptionColors), manager.GetHookOptions());
    EXPECT_FALSE(manager.IsEnabled());
    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL));
    EXPECT_EQ(::GetSystemMetrics(SM_CYCAPTION), manager.GetMetrics()->m_cyCaption);
    manager.SetHookOptions(SkinOptionDefault);
    EXPECT_EQ(23, manager.GetMetrics()->m_cyCaption);
}

TEST(SkinManager, SkinObjectsAreToldFromASnapshot)
{
    CZPSkinManager manager;
    HWND hFirst = CreateTopLevel(), hSecond = CreateTopLevel(), hGone = CreateTopLevel();
    CRefPtr<CCountingSkinObject> first = CRefPtr<CCountingSkinObject>::Adopt(new CCountingSkinObject(hFirst, &manager));
    CRefPtr<CCountingSkinObject> second =
        CRefPtr<CCountingSkinObject>::Adopt(new CCountingSkinObject(hSecond, &manager));
    CRefPtr<CCountingSkinObject> gone = CRefPtr<CCountingSkinObject>::Adopt(new CCountingSkinObject(hGone, &manager));
    manager.AddSkinObject(hFirst, first.Get());
    manager.AddSkinObject(hSecond, second.Get());
    manager.AddSkinObject(hGone, gone.Get());
    ::DestroyWindow(hGone);
    // Whichever is told first takes both out of the map; the other is still told safely.
    first->m_bRemoveOnChange = TRUE;
    first->m_hOther = hSecond;
    second->m_bRemoveOnChange = TRUE;
    second->m_hOther = hFirst;
    ASSERT_TRUE(manager.SelectSkin(SampleSkinPath(L"Slate.zpstyles"), NULL));
    EXPECT_EQ(1, first->m_nCalls);
    EXPECT_EQ(1, second->m_nCalls);
    EXPECT_TRUE(first->m_bLastState);
    EXPECT_EQ(0, gone->m_nCalls);
    EXPECT_EQ(0u, manager.GetSkinObjectCount());
    ::DestroyWindow(hFirst);
    ::DestroyWindow(hSecond);
}

TEST(SkinManager, AThousandSelectionsKeepModulesAndGdiObjectsSteady)
{
    CZPSkinManager manager;
    for (int i = 0; i < 1000; ++i) {
        const BOOL bSkin = i % 2 == 0;
        HMODULE hPrevModule = manager.GetResourceFile()->GetModule();
        CZPSkinManagerMetrics* pPrevMetrics = manager.GetMetrics();
        HGDIOBJ hPrevBrush = pPrevMetrics != NULL ? pPrevMetrics->GetBrush(COLOR_3DFACE) : NULL;
        HGDIOBJ hPrevFont = pPrevMetrics != NULL ? pPrevMetrics->m_fntCaption.m_hObject : NULL;
        ASSERT_EQ(bSkin, manager.SelectSkin(bSkin ? SampleSkinPath(L"Slate.zpstyles") : CString(), NULL));
        if (hPrevModule != NULL) {
            ASSERT_FALSE(IsMapped(hPrevModule)) << i;
        }
        if (hPrevBrush != NULL) {
            ASSERT_EQ(0u, ::GetObjectType(hPrevBrush)) << i;
            ASSERT_EQ(0u, ::GetObjectType(hPrevFont)) << i;
        }
    }
    // The GDI handle table would have run out long before this with 36 objects lost per skin.
    HBRUSH hProbe = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_NE(nullptr, hProbe);
    ::DeleteObject(hProbe);
}

TEST(SkinManager, ProcessWideInstance)
{
    CZPSkinManager* pManager = ZpSkinManagerInstance();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(pManager, ZpSkinManagerInstance());
    EXPECT_EQ(static_cast<UINT>(SkinOptionDefault), pManager->GetHookOptions());
    EXPECT_FALSE(ZpSkinHasColorFilters());
    EXPECT_EQ(pManager, pManager->GetResourceFile()->GetSkinManager());
}

}  // namespace
