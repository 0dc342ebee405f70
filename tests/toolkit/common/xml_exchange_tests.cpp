// The XML back end on the system parser: document shape, both value modes, enumerators and the
// zero-based pattern index, damaged and missing files.
#include "common/ZPPropExchangeXMLNode.h"
#include "TempFile.h"
#include "propexchange_tree.h"

#include <framework/oledata.h>

namespace {

// Stores a tree under the root element "Settings" and writes the document to the file.
void StoreTree(ZpTestTree& tree, LPCWSTR pszFile)
{
    CZPPropExchangeXMLNode px(FALSE, NULL, L"Settings");
    tree.Exchange(&px, false);
    ASSERT_TRUE(px.SaveToFile(pszFile));
}

TEST(XmlExchange, ParserIsAvailable)
{
    EXPECT_TRUE(ZpIsXmlParserAvailable());
}

TEST(XmlExchange, TreeRoundTripAndDocumentShape)
{
    CTempFile file;
    ZpTestTree stored;
    stored.Fill();
    StoreTree(stored, file);

    ZpTestTree loaded;
    CZPPropExchangeXMLNode px(TRUE, NULL, L"Settings");
    EXPECT_TRUE(px.CanSkipDefaults());
    EXPECT_FALSE(px.SupportsBinary());
    ASSERT_TRUE(px.LoadFromFile(file));
    loaded.Exchange(&px, false);
    stored.ExpectEqual(loaded, false);

    // Compact mode: values are attributes; lists are repeated elements; defaults are not written.
    EXPECT_TRUE(px.IsCompactMode());
    EXPECT_TRUE(px.IsPropertyExists(L"CompactMode"));
    EXPECT_TRUE(px.IsSectionExists(L"Item[2]"));
    EXPECT_FALSE(px.IsSectionExists(L"Item[3]"));
    EXPECT_FALSE(px.IsPropertyExists(L"Count"));
    EXPECT_FALSE(px.IsPropertyExists(L"Bstr"));
    std::string text = file.Read();
    EXPECT_NE(std::string::npos, text.find("<Settings CompactMode=\"1\" Schema=\"34\" Byte=\"255\" Short=\"65535\""))
        << text;
    EXPECT_NE(std::string::npos, text.find("Text=\"tab\\tline\\nreturn\\rback\\\\slash")) << text;
    EXPECT_NE(std::string::npos, text.find("<Data Blob=\"AAPPMDAIPH\"/>")) << text;
    EXPECT_NE(std::string::npos, text.find("<Item Name=\"first\"/><Item/><Item Name=\"third\"/>")) << text;
}

TEST(XmlExchange, DatesAndVariantsAsText)
{
    CTempFile file;
    COleDateTime dt(2009, 3, 15, 10, 20, 30);
    COleVariant var(L"text");
    CY cy = { { 5, 0 } };
    const COleDateTime dtDefault;
    const COleVariant varDefault;
    const CY cyDefault = {};
    {
        CZPPropExchangeXMLNode px(FALSE, NULL, L"Settings");
        EXPECT_TRUE(px.ExchangeValue(L"Date", VT_DATE, &dt, &dtDefault));
        EXPECT_TRUE(px.ExchangeValue(L"Variant", VT_VARIANT, &var, &varDefault));
        EXPECT_FALSE(px.ExchangeValue(L"Currency", VT_CY, &cy, &cyDefault));   // no text form
        ASSERT_TRUE(px.SaveToFile(file));
    }
    EXPECT_NE(std::string::npos, file.Read().find("Date=\"2009-15-03T10:20:30\""));
    COleDateTime dtLoaded;
    COleVariant varLoaded;
    CZPPropExchangeXMLNode px(TRUE, NULL, L"Settings");
    ASSERT_TRUE(px.LoadFromFile(file));
    EXPECT_TRUE(px.ExchangeValue(L"Date", VT_DATE, &dtLoaded, &dtDefault));
    EXPECT_EQ(dt.m_dt, dtLoaded.m_dt);
    EXPECT_TRUE(px.ExchangeValue(L"Variant", VT_VARIANT, &varLoaded, &varDefault));
    EXPECT_TRUE(varLoaded == var);
}

TEST(XmlExchange, ChildElementMode)
{
    // Without CompactMode="1" every value is a child element whose text is the value.
    CTempFile file("<Settings><Long>-5</Long><Text>a\\tb</Text><Sub><Rect>1, 2, 3, 4</Rect></Sub>"
                   "<Sub><Rect>9, 9, 9, 9</Rect></Sub></Settings>");
    CZPPropExchangeXMLNode px(TRUE, NULL, L"Settings");
    ASSERT_TRUE(px.LoadFromFile(file));
    long l = 0;
    CString str;
    EXPECT_TRUE(PropExchangeLong(&px, L"Long", &l, 0));
    EXPECT_FALSE(px.IsCompactMode());
    EXPECT_EQ(-5, l);
    EXPECT_TRUE(PropExchangeString(&px, L"Text", str, L""));
    EXPECT_EQ(L"a\tb", str);
    CRefPtr<CZPPropExchange> sub = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Sub"));
    RECT rc = {};
    EXPECT_TRUE(PropExchangeRect(sub.Get(), L"Rect", &rc, RECT{}));  // the first of two
    EXPECT_EQ(4, rc.bottom);

    // Stored the same way, a tree comes back whole.
    CTempFile treeFile;
    ZpTestTree stored;
    stored.Fill();
    {
        CZPPropExchangeXMLNode pxStore(FALSE, NULL, L"Settings");
        pxStore.SetCompactMode(FALSE);
        stored.Exchange(&pxStore, false);
        ASSERT_TRUE(pxStore.SaveToFile(treeFile));
    }
    EXPECT_NE(std::string::npos, treeFile.Read().find("<Settings><Schema>34</Schema><Byte>255</Byte>"));
    ZpTestTree loaded;
    CZPPropExchangeXMLNode pxLoad(TRUE, NULL, L"Settings");
    ASSERT_TRUE(pxLoad.LoadFromFile(treeFile));
    loaded.Exchange(&pxLoad, false);
    stored.ExpectEqual(loaded, false);
}

// Names of the sections an enumerator returns, read from their "Name" values.
std::vector<CString> Enumerate(CZPPropExchange* pPX, LPCWSTR pszPrefix)
{
    std::vector<CString> names;
    CZPPropExchangeEnumeratorHolder enumerator(pPX->GetEnumerator(pszPrefix));
    POSITION pos = enumerator->GetPosition();
    while (pos != NULL && names.size() < 10) {
        CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
        names.emplace_back();
        PropExchangeString(section.Get(), L"Name", names.back(), L"?");
    }
    return names;
}

TEST(XmlExchange, EnumeratorsCountFromZero)
{
    CTempFile file("<Root CompactMode=\"1\">\n  <Item Name=\"a\"/>\n  <Other Name=\"x\"/>\n  <Item Name=\"b\"/>\n"
                   "  <Item Name=\"c\"/>\n  <List Count=\"2\"><Item0 Name=\"n0\"/><Item1 Name=\"n1\"/></List>\n</Root>");
    CZPPropExchangeXMLNode px(TRUE, NULL, L"Root");
    ASSERT_TRUE(px.LoadFromFile(file));
    EXPECT_EQ((std::vector<CString>{ L"a", L"b", L"c" }), Enumerate(&px, L"Item"));
    EXPECT_EQ((std::vector<CString>{ L"a", L"x", L"b", L"c", L"?" }), Enumerate(&px, L""));
    EXPECT_TRUE(Enumerate(&px, L"Missing").empty());
    CRefPtr<CZPPropExchange> list = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"List"));
    EXPECT_EQ((std::vector<CString>{ L"n0", L"n1" }), Enumerate(list.Get(), L"Item"));  // numbered sections

    // An empty list stores no element.
    CTempFile stored;
    {
        CZPPropExchangeXMLNode pxStore(FALSE, NULL, L"Root");
        ASSERT_TRUE(pxStore.OpenForExchange());
        CZPPropExchangeEnumeratorHolder enumerator(pxStore.GetEnumerator(L"Item"));
        EXPECT_EQ(NULL, enumerator->GetPosition(0));
        ASSERT_TRUE(pxStore.SaveToFile(stored));
    }
    EXPECT_EQ(std::string::npos, stored.Read().find("<Item"));
}

TEST(XmlExchange, SystemStringsAndEscapes)
{
    CTempFile file("<Menu CompactMode=\"1\" Caption=\"&amp;Open\\tCtrl+O\" Path=\"C:\\\\dir\\\\new\"/>");
    CZPPropExchangeXMLNode px(TRUE, NULL, L"Menu");
    ASSERT_TRUE(px.LoadFromFile(file));
    BSTR bstr = NULL;
    EXPECT_TRUE(PropExchangeBstr(&px, L"Caption", &bstr, L""));
    EXPECT_STREQ(L"&Open\tCtrl+O", bstr);
    EXPECT_TRUE(PropExchangeBstr(&px, L"Path", &bstr, L""));
    EXPECT_STREQ(L"C:\\dir\\new", bstr);

    // A stored system string comes back as it was, backslashes and all.
    CTempFile stored;
    SysReAllocString(&bstr, L"C:\\new\tline");
    {
        CZPPropExchangeXMLNode pxStore(FALSE, NULL, L"Menu");
        EXPECT_TRUE(PropExchangeBstr(&pxStore, L"Path", &bstr, L""));
        ASSERT_TRUE(pxStore.SaveToFile(stored));
    }
    SysFreeString(bstr);
    bstr = NULL;
    CZPPropExchangeXMLNode pxLoad(TRUE, NULL, L"Menu");
    ASSERT_TRUE(pxLoad.LoadFromFile(stored));
    EXPECT_TRUE(PropExchangeBstr(&pxLoad, L"Path", &bstr, L""));
    EXPECT_STREQ(L"C:\\new\tline", bstr);
    SysFreeString(bstr);
}

TEST(XmlExchange, DefaultsAndEmptiedSections)
{
    CTempFile file;
    {
        CZPPropExchangeXMLNode px(FALSE, NULL, L"Root");
        long l = 7;
        EXPECT_TRUE(PropExchangeLong(&px, L"Default", &l, 7));   // equal to its default: not written
        CRefPtr<CZPPropExchange> sub = CRefPtr<CZPPropExchange>::Adopt(px.GetSection(L"Sub"));
        EXPECT_TRUE(PropExchangeLong(sub.Get(), L"Old", &l, 0));
        sub->EmptySection();
        EXPECT_TRUE(PropExchangeLong(sub.Get(), L"New", &l, 0));
        ASSERT_TRUE(px.SaveToFile(file));
    }
    std::string text = file.Read();
    EXPECT_EQ(std::string::npos, text.find("Default")) << text;
    EXPECT_NE(std::string::npos, text.find("<Sub New=\"7\"/>")) << text;
    EXPECT_EQ(std::string::npos, text.find("Old")) << text;

    CZPPropExchangeXMLNode px(TRUE, NULL, L"Root");
    ASSERT_TRUE(px.LoadFromFile(file));
    long l = 3;
    EXPECT_TRUE(PropExchangeLong(&px, L"Default", &l, 7));
    EXPECT_EQ(7, l);
    px.UseDefaultOnLoad(FALSE);
    l = 3;
    EXPECT_FALSE(PropExchangeLong(&px, L"Default", &l, 7));
    EXPECT_EQ(3, l);
}

TEST(XmlExchange, FilesThatDoNotLoad)
{
    WCHAR szFolder[MAX_PATH];
    GetTempPathW(MAX_PATH, szFolder);
    CTempFile missing;
    CTempFile malformed("<Root><Open></Root>");
    CTempFile empty("");
    const LPCWSTR paths[] = { szFolder, missing, malformed, empty };
    for (LPCWSTR pszPath : paths) {
        CZPPropExchangeXMLNode px(TRUE, NULL, L"Root");
        EXPECT_FALSE(px.LoadFromFile(pszPath)) << pszPath;
        long l = 1;
        EXPECT_TRUE(PropExchangeLong(&px, L"Value", &l, 5));   // a fresh empty document: the default
        EXPECT_EQ(5, l);
    }

    // A child section without a document has nothing to read.
    CZPPropExchangeXMLNode child(TRUE, NULL, L"Root");
    CRefPtr<CZPPropExchange> sub = CRefPtr<CZPPropExchange>::Adopt(child.GetSection(L"Sub"));
    CRefPtr<CZPPropExchange> subsub = CRefPtr<CZPPropExchange>::Adopt(sub->GetSection(L"SubSub"));
    long l = 1;
    EXPECT_TRUE(PropExchangeLong(subsub.Get(), L"Value", &l, 6));
    EXPECT_EQ(6, l);
}

}  // namespace
