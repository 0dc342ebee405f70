// The registry back end: layout under HKCU, defaults, round trip, and damaged values.
#include "common/ZPPropExchangeRegistry.h"
#include "propexchange_tree.h"

#include <framework/app.h>

#include <vector>

namespace {

const LPCWSTR kTestRoot = L"Software\\Tolvane Tests\\PropExchange";

class PropExchangeRegistry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kTestRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                                 &m_hRoot, NULL));
    }
    void TearDown() override
    {
        RegCloseKey(m_hRoot);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    }

    // Type and bytes of a stored value; type REG_NONE when absent.
    DWORD Query(LPCWSTR pszSubKey, LPCWSTR pszName, std::vector<BYTE>* pData = NULL)
    {
        DWORD dwType = REG_NONE;
        DWORD cbData = 0;
        if (RegGetValueW(m_hRoot, pszSubKey, pszName, RRF_RT_ANY | RRF_NOEXPAND, &dwType, NULL, &cbData) !=
            ERROR_SUCCESS)
            return REG_NONE;
        std::vector<BYTE> data(cbData);
        RegGetValueW(m_hRoot, pszSubKey, pszName, RRF_RT_ANY | RRF_NOEXPAND, &dwType, data.data(), &cbData);
        if (pData != NULL)
            *pData = data;
        return dwType;
    }
    void Set(LPCWSTR pszSubKey, LPCWSTR pszName, DWORD dwType, const void* pData, DWORD cbData)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(m_hRoot, pszSubKey, pszName, dwType, pData, cbData));
    }
    BOOL KeyExists(LPCWSTR pszSubKey)
    {
        HKEY hKey;
        if (RegOpenKeyExW(m_hRoot, pszSubKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return FALSE;
        RegCloseKey(hKey);
        return TRUE;
    }

    HKEY m_hRoot = NULL;
};

TEST_F(PropExchangeRegistry, TreeRoundTripAndLayout)
{
    ZpTestTree stored;
    stored.Fill();
    {
        CZPPropExchangeRegistry px(FALSE, m_hRoot, L"Tree");
        EXPECT_TRUE(px.CanSkipDefaults());
        EXPECT_TRUE(px.SupportsBinary());
        stored.Exchange(&px, false);
    }

    std::vector<BYTE> data;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"Tree", L"Short", &data));
    EXPECT_EQ((std::vector<BYTE>{ 0xFF, 0xFF, 0, 0 }), data);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"Tree", L"Schema", &data));
    EXPECT_EQ(34, data[0]);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"Tree", L"Double", &data));
    EXPECT_EQ(8u, data.size());
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Query(L"Tree", L"Rect", &data));
    EXPECT_STREQ(L"-1, 2, 30000, -40000", reinterpret_cast<LPCWSTR>(data.data()));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Query(L"Tree", L"Text", &data));
    EXPECT_EQ(stored.str, reinterpret_cast<LPCWSTR>(data.data()));   // unescaped
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"Tree\\Data", L"Blob", &data));
    EXPECT_EQ(stored.blob, data);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"Tree", L"Count"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Query(L"Tree\\Item2", L"Name"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Query(L"Tree\\Item1", L"Name"));   // "" is its default
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Query(L"Tree\\Shape", L"Class"));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"Tree", L"Point"));

    ZpTestTree loaded;
    CZPPropExchangeRegistry px(TRUE, m_hRoot, L"Tree");
    loaded.Exchange(&px, false);
    stored.ExpectEqual(loaded, false);
}

TEST_F(PropExchangeRegistry, ValuesEqualToTheirDefaultAreNotStored)
{
    {
        CZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
        CString str(L"custom");
        long l = 3;
        PropExchangeString(&px, L"Name", str, L"default");
        PropExchangeLong(&px, L"Number", &l, 0);
    }
    ASSERT_EQ(static_cast<DWORD>(REG_SZ), Query(L"S", L"Name"));
    {
        CZPPropExchangeRegistry px(FALSE, m_hRoot, L"S");
        CString str(L"default");
        long l = 0;
        EXPECT_TRUE(PropExchangeString(&px, L"Name", str, L"default"));
        EXPECT_TRUE(PropExchangeLong(&px, L"Number", &l, 0));
    }
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Query(L"S", L"Name"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Query(L"S", L"Number"));

    CZPPropExchangeRegistry px(TRUE, m_hRoot, L"S");
    CString str(L"old");
    EXPECT_TRUE(PropExchangeString(&px, L"Name", str, L"default"));
    EXPECT_EQ(L"default", str);

    // With defaults off on save, a default value is stored like any other.
    CZPPropExchangeRegistry pxAll(FALSE, m_hRoot, L"S");
    pxAll.UseDefaultOnSave(FALSE);
    long l = 0;
    EXPECT_TRUE(PropExchangeLong(&pxAll, L"Number", &l, 0));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"S", L"Number"));
}

TEST_F(PropExchangeRegistry, EmptySectionKeepsOnlyNewValues)
{
    Set(L"E", L"Stale", REG_DWORD, "\x01\0\0\0", 4);
    Set(L"E\\Child", L"Stale", REG_DWORD, "\x01\0\0\0", 4);
    {
        CZPPropExchangeRegistry px(FALSE, m_hRoot, L"E");
        long l = 5;
        PropExchangeLong(&px, L"Before", &l, 0);
        px.EmptySection();
        EXPECT_FALSE(KeyExists(L"E"));
        PropExchangeLong(&px, L"Fresh", &l, 0);
        long lDefault = 0;
        EXPECT_TRUE(PropExchangeLong(&px, L"AtDefault", &lDefault, 0));
    }
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), Query(L"E", L"Fresh"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Query(L"E", L"Stale"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Query(L"E", L"Before"));
    EXPECT_FALSE(KeyExists(L"E\\Child"));

    // Emptying while loading discards nothing.
    CZPPropExchangeRegistry px(TRUE, m_hRoot, L"E");
    px.EmptySection();
    long l = 0;
    EXPECT_TRUE(PropExchangeLong(&px, L"Fresh", &l, 0));
    EXPECT_EQ(5, l);
}

TEST_F(PropExchangeRegistry, KindsWithoutRegistryFormFail)
{
    CZPPropExchangeRegistry pxStore(FALSE, m_hRoot, L"K");
    CY cy;
    cy.int64 = 5;
    const CY cyDefault = {};
    COleDateTime dt(1.0);
    BSTR bstr = SysAllocString(L"text");
    EXPECT_FALSE(pxStore.ExchangeValue(L"Cy", VT_CY, &cy, &cyDefault));
    EXPECT_FALSE(pxStore.ExchangeValue(L"Date", VT_DATE, &dt, NULL));
    EXPECT_FALSE(PropExchangeBstr(&pxStore, L"Bstr", &bstr, L""));

    Set(L"K", L"Date", REG_SZ, L"2009-15-03", 22);
    CZPPropExchangeRegistry pxLoad(TRUE, m_hRoot, L"K");
    EXPECT_FALSE(pxLoad.ExchangeValue(L"Cy", VT_CY, &cy, &cyDefault));
    EXPECT_FALSE(pxLoad.ExchangeValue(L"Date", VT_DATE, &dt, NULL));
    EXPECT_FALSE(PropExchangeBstr(&pxLoad, L"Bstr", &bstr, L""));
    EXPECT_EQ(5, cy.int64);
    EXPECT_EQ(1, dt.m_dt);
    EXPECT_STREQ(L"text", bstr);
    SysFreeString(bstr);
}

TEST_F(PropExchangeRegistry, DamagedValuesLoadTheDefaultAndStayStored)
{
    const DWORD dwBig = 0x12345678;
    const BYTE eight[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    Set(L"D", L"LongAsText", REG_SZ, L"12345", 12);
    Set(L"D", L"LongTooLong", REG_BINARY, eight, sizeof(eight));
    Set(L"D", L"ShortText", REG_SZ, L"7", 4);
    Set(L"D", L"TextAsDword", REG_DWORD, &dwBig, 4);
    Set(L"D", L"RectThree", REG_SZ, L"1, 2, 3", 16);
    Set(L"D", L"SizeJunk", REG_SZ, L"wide", 10);
    Set(L"D", L"DoubleShort", REG_BINARY, eight, 3);
    Set(L"D", L"FloatAsDword", REG_DWORD, &dwBig, 4);
    Set(L"D", L"TextNoTerminator", REG_SZ, L"abc", 6);

    CZPPropExchangeRegistry px(TRUE, m_hRoot, L"D");
    long l = 0;
    EXPECT_TRUE(PropExchangeLong(&px, L"LongAsText", &l, -1));
    EXPECT_EQ(-1, l);
    l = 0;
    EXPECT_TRUE(PropExchangeLong(&px, L"LongTooLong", &l, -1));
    EXPECT_EQ(-1, l);
    short s = 0;
    EXPECT_TRUE(PropExchangeShort(&px, L"ShortText", &s, -2));
    EXPECT_EQ(-2, s);
    CString str;
    EXPECT_TRUE(PropExchangeString(&px, L"TextAsDword", str, L"dflt"));
    EXPECT_EQ(L"dflt", str);
    EXPECT_FALSE(PropExchangeStringNoDefault(&px, L"TextAsDword", str));
    RECT rc = {};
    EXPECT_TRUE(PropExchangeRect(&px, L"RectThree", &rc, RECT{ 9, 8, 7, 6 }));
    EXPECT_EQ(9, rc.left);
    SIZE sz = {};
    EXPECT_TRUE(PropExchangeSize(&px, L"SizeJunk", &sz, SIZE{ 4, 3 }));
    EXPECT_EQ(4, sz.cx);
    const double dDefault = 2.5;
    double d = 0;
    EXPECT_TRUE(px.ExchangeValue(L"DoubleShort", VT_R8, &d, &dDefault));
    EXPECT_EQ(2.5, d);
    float f = 0;
    EXPECT_FALSE(px.ExchangeValue(L"FloatAsDword", VT_R4, &f, NULL));
    EXPECT_EQ(0, f);
    EXPECT_TRUE(PropExchangeStringNoDefault(&px, L"TextNoTerminator", str));
    EXPECT_EQ(L"abc", str);

    BYTE buffer[8] = {};
    BYTE* pData = buffer;
    DWORD cbData = sizeof(buffer);
    EXPECT_FALSE(px.ExchangeBlob(L"LongAsText", &pData, &cbData));   // not binary
    cbData = 2;
    EXPECT_FALSE(px.ExchangeBlob(L"LongTooLong", &pData, &cbData));  // buffer too small
    EXPECT_EQ(0, buffer[0]);
    EXPECT_FALSE(px.ExchangeBlob(L"Absent", &pData, &cbData));

    // Nothing was changed by reading.
    std::vector<BYTE> data;
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Query(L"D", L"LongAsText", &data));
    EXPECT_STREQ(L"12345", reinterpret_cast<LPCWSTR>(data.data()));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), Query(L"D", L"LongTooLong", &data));
    EXPECT_EQ(8u, data.size());
}

TEST_F(PropExchangeRegistry, MissingOrEmptySectionsLoadDefaultsWithoutCreatingKeys)
{
    HKEY hEmpty;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(m_hRoot, L"EmptySection", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hEmpty, NULL));
    RegCloseKey(hEmpty);
    const LPCWSTR sections[] = { L"Missing", L"EmptySection" };
    for (LPCWSTR pszSection : sections) {
        SCOPED_TRACE(pszSection);
        ZpTestTree loaded;
        loaded.nLate = 99;
        CZPPropExchangeRegistry px(TRUE, m_hRoot, pszSection);
        loaded.Exchange(&px, false);
        EXPECT_EQ(32, px.GetSchema());
        EXPECT_EQ(99, loaded.nLate);
        EXPECT_EQ(0, loaded.l);
        EXPECT_TRUE(loaded.items.empty());
        EXPECT_TRUE(loaded.blob.empty());
        ASSERT_TRUE(loaded.shape);
        EXPECT_EQ(RUNTIME_CLASS(CTestShape), loaded.shape->GetRuntimeClass());
    }
    EXPECT_FALSE(KeyExists(L"Missing"));
    EXPECT_FALSE(KeyExists(L"EmptySection\\Data"));
}

TEST_F(PropExchangeRegistry, UnknownClassNameFailsTheObject)
{
    Set(L"C\\Shape", L"Class", REG_SZ, L"CNoSuchClass", 26);
    CZPPropExchangeRegistry px(TRUE, m_hRoot, L"C");
    CRefPtr<CZPPropExchange> sec = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Shape"));
    CObject* pObject = NULL;
    EXPECT_FALSE(sec->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestShape)));
    EXPECT_EQ(NULL, pObject);
}

TEST(PropExchangeRegistryApp, RootSectionLivesUnderTheApplicationsProfileKey)
{
    const LPCWSTR kProfile = L"Software\\Tolvane Tests\\PxApp";
    {
        CWinApp app(L"PxApp");
        CZPPropExchangeRegistry pxNoKey(FALSE, NULL, L"Layout");
        long l = 3;
        EXPECT_FALSE(PropExchangeLong(&pxNoKey, L"Value", &l, 0));

        app.SetRegistryKey(L"Tolvane Tests");
        CZPPropExchangeRegistry px(FALSE, NULL, L"Layout");
        EXPECT_TRUE(PropExchangeLong(&px, L"Value", &l, 0));
    }
    DWORD dwValue = 0;
    DWORD cbValue = sizeof(dwValue);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, CString(kProfile) + L"\\Layout", L"Value", RRF_RT_REG_DWORD,
                                          NULL, &dwValue, &cbValue));
    EXPECT_EQ(3u, dwValue);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Tests");
}

}  // namespace
