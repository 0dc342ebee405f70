// Profile values under the application's key, absolute sections, the INI form, and the window
// placement stored, restored and refused when damaged.
#include "common/ZPRegistryManager.h"
#include "TempFile.h"

#include <framework/app.h>
#include <framework/wnd.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

const LPCWSTR kCompany = L"Tolvane Settings Tests";
const LPCWSTR kAppKey = L"Software\\Tolvane Settings Tests\\RegMgr";

class RegistryManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Settings Tests");
        m_app.SetRegistryKey(kCompany);
    }
    void TearDown() override
    {
        CZRegistryManager::m_strINIFileName.Empty();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Settings Tests");
    }

    // Type and bytes of a value under the application key; REG_NONE when absent.
    static DWORD Query(LPCWSTR pszSection, LPCWSTR pszName, std::vector<BYTE>* pData = NULL)
    {
        CString strKey;
        strKey.Format(L"%s\\%s", kAppKey, pszSection);
        DWORD dwType = REG_NONE;
        DWORD cbData = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, strKey, pszName, RRF_RT_ANY, &dwType, NULL, &cbData) != ERROR_SUCCESS)
            return REG_NONE;
        std::vector<BYTE> data(cbData);
        RegGetValueW(HKEY_CURRENT_USER, strKey, pszName, RRF_RT_ANY, &dwType, data.data(), &cbData);
        if (pData != NULL)
            *pData = data;
        return dwType;
    }
    static BOOL KeyExists(HKEY hRoot, LPCWSTR pszKey)
    {
        HKEY hKey;
        if (RegOpenKeyExW(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return FALSE;
        RegCloseKey(hKey);
        return TRUE;
    }

    CWinApp m_app{ L"RegMgr" };
};

TEST_F(RegistryManager, ValuesUnderTheApplicationKey)
{
    CZRegistryManager manager;
    EXPECT_TRUE(manager.WriteProfileInt(L"Settings", L"Skin", -2));
    EXPECT_TRUE(manager.WriteProfileString(L"Settings", L"History0", L"find me"));
    const BYTE bytes[] = { 0x00, 0xFF, 0x3C };
    EXPECT_TRUE(manager.WriteProfileBinary(L"Settings", L"Blob", bytes, sizeof(bytes)));

    std::vector<BYTE> data;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"Settings", L"Skin", &data));
    EXPECT_EQ((std::vector<BYTE>{ 0xFE, 0xFF, 0xFF, 0xFF }), data);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Query(L"Settings", L"History0", &data));
    EXPECT_EQ(16u, data.size());   // text and terminator
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"Settings", L"Blob", &data));
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 3), data);

    EXPECT_EQ(static_cast<UINT>(-2), manager.GetProfileInt(L"Settings", L"Skin", 2));
    EXPECT_EQ(2u, manager.GetProfileInt(L"Settings", L"Missing", 2));
    EXPECT_EQ(3u, manager.GetProfileInt(L"Settings", L"History0", 3));   // text longer than 4 bytes
    EXPECT_EQ(0u, manager.GetProfileInt(NULL, L"Skin", 3));
    EXPECT_EQ(L"find me", manager.GetProfileString(L"Settings", L"History0"));
    EXPECT_EQ(L"none", manager.GetProfileString(L"Settings", L"Missing", L"none"));
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(manager.GetProfileBinary(L"Settings", L"Blob", &pData, &nBytes));
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 3), std::vector<BYTE>(pData, pData + nBytes));
    delete[] pData;
    EXPECT_FALSE(manager.GetProfileBinary(L"Settings", L"Missing", &pData, &nBytes));
    EXPECT_EQ(NULL, pData);
    EXPECT_NE(ERROR_SUCCESS, manager.GetLastError());

    // A NULL value deletes the entry, a NULL entry the section.
    EXPECT_TRUE(manager.WriteProfileString(L"Settings", L"History0", NULL));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Query(L"Settings", L"History0"));
    EXPECT_TRUE(manager.WriteProfileString(L"Settings", NULL, NULL));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, CString(kAppKey) + L"\\Settings"));
    EXPECT_FALSE(manager.WriteProfileInt(NULL, L"Skin", 1));
}

TEST_F(RegistryManager, WithoutApplicationNamesNothingIsStored)
{
    m_app.m_pszRegistryKey = NULL;
    CZRegistryManager manager;
    EXPECT_EQ(NULL, manager.OpenAppKey(KEY_READ));
    EXPECT_FALSE(manager.WriteProfileInt(L"Settings", L"Skin", 1));
    EXPECT_EQ(7u, manager.GetProfileInt(L"Settings", L"Skin", 7));
}

TEST_F(RegistryManager, AbsoluteSections)
{
    struct Case
    {
        LPCWSTR pszPath;
        HKEY hRoot;
    };
    const Case cases[] = {
        { L"HKCU", HKEY_CURRENT_USER }, { L"HKLM\\x", HKEY_LOCAL_MACHINE }, { L"hkcu\\x", NULL },
        { L"HKC", NULL }, { L"", NULL }, { NULL, NULL },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hRoot, ZpRootKeyFromPath(c.pszPath)) << (c.pszPath != NULL ? c.pszPath : L"NULL");

    CZRegistryManager manager;
    EXPECT_TRUE(manager.WriteProfileInt(L"HKCU\\Software\\Tolvane Settings Tests\\Abs\\Deep", L"Value", 5));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Tolvane Settings Tests\\Abs\\Deep"));
    EXPECT_EQ(5u, manager.GetProfileInt(L"HKCU\\Software\\Tolvane Settings Tests\\Abs\\Deep", L"Value", 0));
    EXPECT_TRUE(manager.WriteProfileInt(L"HKCU\\TolvaneTestSingle", L"Value", 6));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"TolvaneTestSingle"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"TolvaneTestSingle");
    // The prefix in lower case is an ordinary section under the application key.
    EXPECT_TRUE(manager.WriteProfileInt(L"hkcu\\Lower", L"Value", 7));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"hkcu\\Lower", L"Value"));
}

TEST_F(RegistryManager, IniFileForm)
{
    CTempFile file;
    CZRegistryManager::m_strINIFileName = static_cast<LPCWSTR>(file);
    CZRegistryManager manager;
    const BYTE bytes[] = { 0x00, 0xFF, 0x3C };
    EXPECT_TRUE(manager.WriteProfileInt(L"Settings", L"Skin", -2));
    EXPECT_TRUE(manager.WriteProfileBinary(L"Settings", L"Blob", bytes, sizeof(bytes)));
    EXPECT_TRUE(manager.WriteProfileString(L"Settings", L"Text", L" spaced "));
    WritePrivateProfileStringW(L"Settings", L"Odd", L"AAP", file);
    WritePrivateProfileStringW(L"Settings", L"Letters", L"AZ", file);

    WCHAR szText[64];
    GetPrivateProfileStringW(L"Settings", L"Blob", L"", szText, 64, file);
    EXPECT_STREQ(L"AAPPMD", szText);
    EXPECT_EQ(static_cast<UINT>(-2), manager.GetProfileInt(L"Settings", L"Skin", 0));
    EXPECT_EQ(L" spaced ", manager.GetProfileString(L"Settings", L"Text"));
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(manager.GetProfileBinary(L"Settings", L"Blob", &pData, &nBytes));
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 3), std::vector<BYTE>(pData, pData + nBytes));
    delete[] pData;
    EXPECT_FALSE(manager.GetProfileBinary(L"Settings", L"Odd", &pData, &nBytes));
    EXPECT_FALSE(manager.GetProfileBinary(L"Settings", L"Letters", &pData, &nBytes));
    EXPECT_FALSE(manager.GetProfileBinary(L"Settings", L"Missing", &pData, &nBytes));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey));
}

// A plain top-level window that is never shown.
class CTestWindow : public CWnd
{
public:
    CTestWindow() { EXPECT_TRUE(CreateEx(0, L"STATIC", L"placement", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200, NULL, NULL)); }
    ~CTestWindow() override { DestroyWindow(); }
    RECT NormalRect() const
    {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        GetWindowPlacement(&wp);
        return wp.rcNormalPosition;
    }
};

TEST_F(RegistryManager, PlacementStoredAndRestored)
{
    CTestWindow wnd;
    CZWindowPlacementStore store;
    EXPECT_EQ(44u, store.length);
    EXPECT_EQ(static_cast<UINT>(SW_SHOW), store.showCmd);
    ASSERT_TRUE(store.SaveWindow(&wnd));
    std::vector<BYTE> data;
    ASSERT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"Settings", L"Window Position", &data));
    ASSERT_EQ(44u, data.size());
    EXPECT_EQ(1, data[8]);   // show command: normal

    RECT rcSaved = wnd.NormalRect();
    wnd.MoveWindow(10, 10, 50, 50);
    CZWindowPlacementStore restore;
    ASSERT_TRUE(restore.RestoreWindow(&wnd));
    EXPECT_TRUE(EqualRect(&rcSaved, &restore.rcNormalPosition));
    RECT rcRestored = wnd.NormalRect();
    EXPECT_TRUE(EqualRect(&rcSaved, &rcRestored));

    // A minimised window is kept as a normal one; a maximised one stays maximised.
    wnd.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(store.SaveWindow(&wnd, L"Minimised", L"Other"));
    ASSERT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"Other", L"Minimised", &data));
    EXPECT_EQ(1, data[8]);
    wnd.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(store.SaveWindow(&wnd, L"Maximised", L"Other"));
    Query(L"Other", L"Maximised", &data);
    EXPECT_EQ(3, data[8]);

    EXPECT_FALSE(store.SaveWindow(NULL));
    CWnd none;
    EXPECT_FALSE(store.SaveWindow(&none));
    EXPECT_FALSE(store.RestoreWindow(&none));
}

TEST_F(RegistryManager, DamagedPlacementsKeepTheWindowWhereItIs)
{
    WINDOWPLACEMENT good = { sizeof(WINDOWPLACEMENT), 0, SW_SHOWNORMAL, { -1, -1 }, { -1, -1 }, { 20, 30, 420, 330 } };
    struct Case
    {
        const char* pszName;
        WINDOWPLACEMENT wp;
        UINT nBytes;
        BOOL bTaken;
    };
    Case cases[] = {
        { "good", good, 44, TRUE },
        { "40 bytes", good, 40, FALSE },
        { "48 bytes", good, 48, FALSE },
        { "no bytes", good, 0, FALSE },
        { "length field", good, 44, FALSE },
        { "off every monitor", good, 44, FALSE },
        { "far to the left", good, 44, FALSE },
        { "empty rectangle", good, 44, FALSE },
        { "hidden", good, 44, TRUE },
    };
    cases[4].wp.length = 40;
    cases[5].wp.rcNormalPosition = RECT{ 30000, 30000, 30400, 30300 };
    cases[6].wp.rcNormalPosition = RECT{ -5000, 10, -4000, 300 };
    cases[7].wp.rcNormalPosition = RECT{ 20, 30, 20, 330 };
    cases[8].wp.showCmd = SW_HIDE;

    CTestWindow wnd;
    CZRegistryManager manager;
    for (const Case& c : cases) {
        BYTE bytes[48] = {};
        memcpy(bytes, &c.wp, sizeof(c.wp));
        ASSERT_TRUE(manager.WriteProfileBinary(L"Settings", L"Window Position", bytes, c.nBytes));
        wnd.MoveWindow(100, 120, 300, 200);
        RECT rcBefore = wnd.NormalRect();
        CZWindowPlacementStore store;
        EXPECT_EQ(c.bTaken, store.RestoreWindow(&wnd)) << c.pszName;
        RECT rcAfter = wnd.NormalRect();
        if (c.bTaken) {
            EXPECT_TRUE(EqualRect(&good.rcNormalPosition, &rcAfter)) << c.pszName;
            EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), store.showCmd) << c.pszName;
        } else {
            EXPECT_TRUE(EqualRect(&rcBefore, &rcAfter)) << c.pszName;
            EXPECT_EQ(static_cast<UINT>(SW_SHOW), store.showCmd) << c.pszName;   // record unchanged
        }
    }
}

}  // namespace
