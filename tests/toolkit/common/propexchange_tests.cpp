// The medium-independent property exchange: helpers, defaults, text forms, and the base
// operations exercised through a minimal text medium in memory.
#include "propexchange_tree.h"

#include <map>
#include <string>

namespace {

// A text medium: all an INI or XML back end adds to the exchange is where the texts live.
class CTextMapExchange : public CZPPropExchange
{
public:
    typedef std::map<std::wstring, std::wstring> Store;

    CTextMapExchange(BOOL bLoading, Store& store, const CString& strPath = CString())
        : m_store(store), m_strPath(strPath)
    {
        m_bLoading = bLoading;
    }

    BOOL ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override
    {
        OpenForExchange();
        std::wstring key = std::wstring(m_strPath.GetString()) + pszPropName;
        if (!m_bLoading) {
            if (ZpPropExchangeIsDefault(vtProp, pvProp, m_bUseDefaultOnSave ? pvDefault : NULL)) {
                m_store.erase(key);
                return TRUE;
            }
            CString strText;
            if (!ZpPropExchangeValueToText(vtProp, pvProp, strText))
                return FALSE;
            m_store[key] = strText.GetString();
            return TRUE;
        }
        const void* pvLoadDefault = m_bUseDefaultOnLoad ? pvDefault : NULL;
        auto it = m_store.find(key);
        if (it == m_store.end())
            return ZpPropExchangeCopyDefault(vtProp, pvProp, pvLoadDefault);
        return ZpPropExchangeTextToValue(vtProp, CString(it->second.c_str()), pvProp, pvLoadDefault);
    }

    CZPPropExchange* GetSection(LPCWSTR pszSection) override
    {
        CTextMapExchange* pSection = new CTextMapExchange(m_bLoading, m_store, m_strPath + pszSection + L"\\");
        InheritPropertyExchange(pSection);
        return pSection;
    }

private:
    Store& m_store;
    CString m_strPath;
};

TEST(PropExchangeHelpers, NullExchangeFailsAndLeavesTheVariable)
{
    BYTE b = 9;
    short s = 9;
    long l = 9;
    BOOL f = 9;
    CString str(L"keep");
    BSTR bstr = NULL;
    SIZE sz = { 9, 9 };
    RECT rc = { 9, 9, 9, 9 };
    BYTE* pData = NULL;
    DWORD cbData = 9;
    CRuntimeClass* pClass = NULL;
    CTestPoint point;
    EXPECT_FALSE(PropExchangeByte(NULL, L"v", &b, 0));
    EXPECT_FALSE(PropExchangeShort(NULL, L"v", &s, 0));
    EXPECT_FALSE(PropExchangeLong(NULL, L"v", &l, 0));
    EXPECT_FALSE(PropExchangeLongNoDefault(NULL, L"v", &l));
    EXPECT_FALSE(PropExchangeBool(NULL, L"v", &f, FALSE));
    EXPECT_FALSE(PropExchangeString(NULL, L"v", str, L""));
    EXPECT_FALSE(PropExchangeStringNoDefault(NULL, L"v", str));
    EXPECT_FALSE(PropExchangeBstr(NULL, L"v", &bstr, L"x"));
    EXPECT_FALSE(PropExchangeSize(NULL, L"v", &sz, SIZE{}));
    EXPECT_FALSE(PropExchangeRect(NULL, L"v", &rc, RECT{}));
    EXPECT_FALSE(PropExchangeBlob(NULL, L"v", &pData, &cbData));
    EXPECT_FALSE(PropExchangeClassRecord(NULL, L"v", &pClass, RUNTIME_CLASS(CTestShape)));
    EXPECT_FALSE(PropExchangeSerializable(NULL, L"v", &point));
    EXPECT_EQ(9, b + 0);
    EXPECT_EQ(9, s + l + f - 18);
    EXPECT_EQ(L"keep", str);
    EXPECT_EQ(NULL, bstr);
    EXPECT_EQ(9, sz.cx + rc.left - 9);
    EXPECT_EQ(NULL, pData);
    EXPECT_EQ(9u, cbData);
    EXPECT_EQ(NULL, pClass);
}

TEST(PropExchangeValues, DefaultComparison)
{
    long l = 5, lSame = 5, lOther = 6;
    EXPECT_TRUE(ZpPropExchangeIsDefault(VT_I4, &l, &l));
    EXPECT_FALSE(ZpPropExchangeIsDefault(VT_I4, &l, NULL));
    EXPECT_TRUE(ZpPropExchangeIsDefault(VT_I4, &l, &lSame));
    EXPECT_FALSE(ZpPropExchangeIsDefault(VT_I4, &l, &lOther));

    COleDateTime invalid1(1.0), invalid2(2.0), null1(1.0), null2(2.0);
    invalid1.SetStatus(COleDateTime::invalid);
    invalid2.SetStatus(COleDateTime::invalid);
    null1.SetStatus(COleDateTime::null);
    null2.SetStatus(COleDateTime::null);
    EXPECT_FALSE(ZpPropExchangeIsDefault(VT_DATE, &invalid1, &invalid2));
    EXPECT_TRUE(ZpPropExchangeIsDefault(VT_DATE, &null1, &null2));

    CString str(L"Text");
    EXPECT_TRUE(ZpPropExchangeIsDefault(VT_ZPSTRING, &str, L"Text"));
    EXPECT_FALSE(ZpPropExchangeIsDefault(VT_ZPSTRING, &str, L"text"));

    COleVariant var1(1L), var2(1L, VT_BOOL), var3(1L);
    EXPECT_FALSE(ZpPropExchangeIsDefault(VT_VARIANT, &var1, &var2));
    EXPECT_TRUE(ZpPropExchangeIsDefault(VT_VARIANT, &var1, &var3));

    EXPECT_FALSE(ZpPropExchangeIsDefault(VT_CLSID, &l, &lSame));
    EXPECT_FALSE(ZpPropExchangeCopyDefault(VT_I4, &l, NULL));
    EXPECT_EQ(5, l);
}

TEST(PropExchangeValues, TextFormsRoundTrip)
{
    struct Case
    {
        VARTYPE vt;
        BYTE value[16];
        LPCWSTR pszText;
    };
    const Case cases[] = {
        { VT_I2, { 0xFF, 0xFF }, L"65535" },
        { VT_UI1, { 0xFF }, L"255" },
        { VT_BOOL, { 1 }, L"1" },
        { VT_I4, { 0xFB, 0xFF, 0xFF, 0xFF }, L"-5" },
        { VT_R4, { 0x00, 0x00, 0xC0, 0x3F }, L"1.5" },
        { VT_R8, { 0, 0, 0, 0, 0, 0, 0xC0, 0x3F }, L"0.125" },
        { VT_ZPRECT, { 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 4, 0, 0, 0 }, L"1, -2, 3, 4" },
        { VT_ZPSIZE, { 5, 0, 0, 0, 6, 0, 0, 0 }, L"5, 6" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszText);
        CString strText;
        ASSERT_TRUE(ZpPropExchangeValueToText(c.vt, c.value, strText));
        EXPECT_EQ(c.pszText, strText);
        BYTE loaded[16] = {};
        ASSERT_TRUE(ZpPropExchangeTextToValue(c.vt, strText, loaded, NULL));
        EXPECT_EQ(0, memcmp(c.value, loaded, ZpPropExchangeValueSize(c.vt)));
    }

    // No text form: currency, system strings and kinds of no size.
    CY cy = {};
    CString strText;
    EXPECT_FALSE(ZpPropExchangeValueToText(VT_CY, &cy, strText));
    EXPECT_FALSE(ZpPropExchangeTextToValue(VT_CLSID, L"1", &cy, NULL));
}

TEST(PropExchangeValues, RectAndSizeTextMustBeComplete)
{
    RECT rc = { 9, 9, 9, 9 };
    const RECT rcDefault = { 1, 2, 3, 4 };
    EXPECT_TRUE(ZpPropExchangeTextToValue(VT_ZPRECT, L"10, 20, 30", &rc, &rcDefault));
    EXPECT_TRUE(EqualRect(&rc, &rcDefault));
    SIZE sz = { 9, 9 };
    EXPECT_FALSE(ZpPropExchangeTextToValue(VT_ZPSIZE, L"x", &sz, NULL));
    EXPECT_EQ(9, sz.cx);
}

TEST(PropExchangeValues, EscapingKeepsEveryString)
{
    const LPCWSTR texts[] = { L"", L"plain", L"a\\b", L"\\n literally", L"line\nfeed\rreturn\ttab", L"\\\\\n\\" };
    for (LPCWSTR pszText : texts) {
        CString str(pszText);
        ZpPropExchangeEscapeText(str);
        EXPECT_EQ(-1, str.FindOneOf(L"\n\r\t"));
        ZpPropExchangeUnescapeText(str);
        EXPECT_EQ(pszText, str);
    }
    CString strEscaped(L"a\\\\nb\\q");
    ZpPropExchangeUnescapeText(strEscaped);
    EXPECT_EQ(L"a\\nb\\q", strEscaped);
}

TEST(PropExchangeValues, DateTexts)
{
    struct Case
    {
        DATE dt;
        COleDateTime::DateTimeStatus status;
        LPCWSTR pszText;
    };
    const Case cases[] = {
        { 39887.0, COleDateTime::valid, L"2009-15-03" },                      // midnight: date only
        { 39887.4309027778, COleDateTime::valid, L"2009-15-03T10:20:30" },
        { 0.5, COleDateTime::valid, L"12:00:00" },                            // day 0: time only
        { 0, COleDateTime::null, L"" },
        { 0, COleDateTime::invalid, L"Invalid DateTime" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszText);
        COleDateTime dt(c.dt);
        dt.SetStatus(c.status);
        EXPECT_EQ(c.pszText, ZpPropExchangeDateToText(dt));
        if (c.status != COleDateTime::valid)
            continue;
        COleDateTime parsed;
        ASSERT_TRUE(ZpPropExchangeTextToDate(c.pszText, parsed));
        EXPECT_NEAR(c.dt, parsed.m_dt, 1e-6);
    }

    COleDateTime parsed;
    EXPECT_TRUE(ZpPropExchangeTextToDate(L"06:00", parsed));
    EXPECT_DOUBLE_EQ(0.25, parsed.m_dt);
    const LPCWSTR bad[] = { L"", L"junk", L"2009-30-02", L"2009-15-13", L"2009-15", L"12" };
    for (LPCWSTR pszText : bad) {
        COleDateTime dt(7.0);
        EXPECT_FALSE(ZpPropExchangeTextToDate(pszText, dt)) << pszText;
        EXPECT_EQ(7, dt.m_dt);
    }
}

class PropExchangeTextMedium : public ::testing::Test
{
protected:
    CTextMapExchange::Store m_store;
};

TEST_F(PropExchangeTextMedium, TreeRoundTrip)
{
    ZpTestTree stored;
    stored.Fill();
    {
        CTextMapExchange px(FALSE, m_store);
        stored.Exchange(&px, false);
    }
    EXPECT_EQ(L"34", m_store[L"Schema"]);
    EXPECT_EQ(L"AAPPMDAIPH", m_store[L"Data\\Blob"]);
    EXPECT_EQ(L"CTestCircle", m_store[L"Shape\\Class"]);

    ZpTestTree loaded;
    CTextMapExchange px(TRUE, m_store);
    loaded.Exchange(&px, false);
    stored.ExpectEqual(loaded, false);
}

TEST_F(PropExchangeTextMedium, DefaultsAreNotStoredAndOldDataLoadsWithSchema32)
{
    ZpTestTree tree;   // every value at its default
    tree.shape.reset(new CTestShape);
    {
        CTextMapExchange px(FALSE, m_store);
        tree.Exchange(&px, false);
    }
    m_store.erase(L"Schema");
    // What is left: the schema-free tree has only the nested archive of the point.
    for (const auto& entry : m_store)
        EXPECT_TRUE(entry.first == L"Point") << std::string(entry.first.begin(), entry.first.end());

    ZpTestTree loaded;
    loaded.nLate = 99;
    CTextMapExchange px(TRUE, m_store);
    loaded.Exchange(&px, false);
    EXPECT_EQ(32, px.GetSchema());
    EXPECT_EQ(99, loaded.nLate);   // a later schema's value is not expected
    EXPECT_EQ(0u, loaded.items.size());
    EXPECT_EQ(RUNTIME_CLASS(CTestShape), loaded.pClass);
    ASSERT_TRUE(loaded.shape);
    EXPECT_EQ(RUNTIME_CLASS(CTestShape), loaded.shape->GetRuntimeClass());
}

TEST_F(PropExchangeTextMedium, LoadWithoutDefaultsKeepsTheVariable)
{
    CTextMapExchange px(TRUE, m_store);
    px.UseDefaultOnLoad(FALSE);
    long l = 5;
    EXPECT_FALSE(PropExchangeLong(&px, L"Absent", &l, 0));
    EXPECT_EQ(5, l);
    CRefPtr<CZPPropExchange> sec = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Child"));
    CString str(L"old");
    EXPECT_FALSE(PropExchangeString(sec.Get(), L"Absent", str, L""));
    EXPECT_EQ(L"old", str);
}

TEST_F(PropExchangeTextMedium, BlobTexts)
{
    m_store[L"Odd"] = L"AAP";
    m_store[L"BadLetter"] = L"AAPZ";
    m_store[L"Four"] = L"BACADAEA";
    CTextMapExchange px(TRUE, m_store);

    BYTE buffer[8] = {};
    BYTE* pData = buffer;
    DWORD cbData = sizeof(buffer);
    EXPECT_FALSE(px.ExchangeBlob(L"Odd", &pData, &cbData));
    EXPECT_FALSE(px.ExchangeBlob(L"BadLetter", &pData, &cbData));
    EXPECT_FALSE(px.ExchangeBlob(L"Absent", &pData, &cbData));

    cbData = 3;   // too small for four bytes
    EXPECT_FALSE(px.ExchangeBlob(L"Four", &pData, &cbData));
    EXPECT_EQ(0, buffer[0]);

    // A shorter blob fills only its own length, and Read says how much that was.
    EXPECT_EQ(4u, px.Read(L"Four", buffer, sizeof(buffer)));
    EXPECT_EQ(1, buffer[0]);
    EXPECT_EQ(4, buffer[3]);
    EXPECT_EQ(0, buffer[4]);

    CTextMapExchange pxStore(FALSE, m_store);
    pData = NULL;
    cbData = 0;
    EXPECT_TRUE(pxStore.ExchangeBlob(L"Empty", &pData, &cbData));
    EXPECT_EQ(0u, m_store.count(L"Empty"));
}

TEST_F(PropExchangeTextMedium, DamagedNestedArchiveFailsOnlyThatObject)
{
    m_store[L"Short"] = L"AAAAAA";   // three bytes where the point needs eight
    m_store[L"After"] = L"5";
    CTextMapExchange px(TRUE, m_store);
    CTestPoint point;
    EXPECT_FALSE(PropExchangeSerializable(&px, L"Short", &point));
    EXPECT_FALSE(PropExchangeSerializable(&px, L"Absent", &point));
    long l = 0;
    EXPECT_TRUE(PropExchangeLong(&px, L"After", &l, 0));
    EXPECT_EQ(5, l);
    EXPECT_EQ(L"AAAAAA", m_store[L"Short"]);
}

TEST_F(PropExchangeTextMedium, UnknownOrWrongClassNamesFail)
{
    m_store[L"Unknown\\Class"] = L"CNoSuchClass";
    m_store[L"Unrelated\\Class"] = L"CTestShape";
    CTextMapExchange px(TRUE, m_store);

    CRuntimeClass* pClass = RUNTIME_CLASS(CTestCircle);
    EXPECT_FALSE(px.ExchangeClassRecord(L"Unknown\\Class", &pClass, RUNTIME_CLASS(CTestShape)));
    EXPECT_EQ(RUNTIME_CLASS(CTestCircle), pClass);

    CRefPtr<CZPPropExchange> secUnknown = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Unknown"));
    CObject* pObject = NULL;
    EXPECT_FALSE(secUnknown->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestShape)));
    EXPECT_EQ(NULL, pObject);
    CRefPtr<CZPPropExchange> secUnrelated = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Unrelated"));
    EXPECT_FALSE(secUnrelated->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestCircle)));
    EXPECT_EQ(NULL, pObject);
}

}  // namespace
