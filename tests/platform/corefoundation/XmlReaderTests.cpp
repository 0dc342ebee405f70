// XML reader: accepted forms and every message, one table each.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace cftest;

namespace {

struct XmlCase {
    const char* input;
    const char* expected;  // XML body when read, else the message ("" = no message)
    bool ok;
};

cf::ParseResult ReadXml(const std::string& text) {
    cf::ParseResult r;
    cf::ReadXML(text.data(), text.size(), r);
    return r;
}

const XmlCase kReadCases[] = {
    {"<string>x</string>", "<string>x</string>\n", true},
    {"<key>k</key>", "<string>k</string>\n", true},
    {"<?xml version=\"1.0\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"x.dtd\">\n<!-- c -->"
     "<plist version=\"1.0\"><array><key>a</key></array></plist> trailing junk <",
     "<array>\n\t<string>a</string>\n</array>\n", true},
    {"<!DOCTYPE plist [ <!ENTITY a 'b'> <!-- c --> <?pi?> %x; ]><true/>", "<true/>\n", true},
    {"<string>&lt;&gt;&amp;&apos;&quot;&#65;&#x42;&#x4a;</string>", "<string>&lt;&gt;&amp;'\"ABJ</string>\n", true},
    {"<string>&#128512;&#x1F600;&#xD83D;&#xDE00;</string>", "<string>\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80</string>\n", true},
    {"<string>a\r\nb\tc\x01</string>", "<string>a\r\nb\tc\x01</string>\n", true},
    {"<string>x<![CDATA[<&]]>y</string>", "<string>x&lt;&amp;y</string>\n", true},
    {"<string/>", "<string></string>\n", true},
    {"<string ></string >", "<string></string>\n", true},
    {"<dict><key>b</key><integer>1</integer><key>a</key><integer>2</integer><key>b</key><integer>3</integer></dict>",
     "<dict>\n\t<key>a</key>\n\t<integer>2</integer>\n\t<key>b</key>\n\t<integer>3</integer>\n</dict>\n", true},
    {"<dict><key>a</key><key>b</key></dict>", "<dict>\n\t<key>a</key>\n\t<string>b</string>\n</dict>\n", true},
    {"<dict><key>CF$UID</key><integer>-1</integer></dict>",
     "<dict>\n\t<key>CF$UID</key>\n\t<integer>4294967295</integer>\n</dict>\n", true},
    {"<dict><key>CF$UID</key><real>3.9</real></dict>", "<dict>\n\t<key>CF$UID</key>\n\t<integer>3</integer>\n</dict>\n", true},
    {"<dict><key>CF$UID</key><real>1e10</real></dict>",
     "<dict>\n\t<key>CF$UID</key>\n\t<integer>2147483648</integer>\n</dict>\n", true},
    {"<integer> +0x10</integer>", "<integer>16</integer>\n", true},
    {"<integer>- 0X1f</integer>", "<integer>-31</integer>\n", true},
    {"<integer>007</integer>", "<integer>7</integer>\n", true},
    {"<integer>18446744073709551615</integer>", "<integer>18446744073709551615</integer>\n", true},
    {"<integer>0xFFFFFFFFFFFFFFFF</integer>", "<integer>18446744073709551615</integer>\n", true},
    {"<integer>1844674407370955160</integer>", "<integer>1844674407370955160</integer>\n", true},
    {"<integer>-9223372036854775808</integer>", "<integer>-9223372036854775808</integer>\n", true},
    {"<real>0.1</real>", "<real>0.10000000000000001</real>\n", true},
    {"<real>-0.0</real>", "<real>0.0</real>\n", true},
    {"<real>NaN</real>", "<real>nan</real>\n", true},
    {"<real>-INF</real>", "<real>-infinity</real>\n", true},
    {"<real>Infinity</real>", "<real>+infinity</real>\n", true},
    {"<real>1e400</real>", "<real>+infinity</real>\n", true},
    {"<real>-1e400</real>", "<real>-infinity</real>\n", true},
    {"<real>1e-400</real>", "<real>0.0</real>\n", true},
    {"<real>+1.5</real>", "<real>1.5</real>\n", true},
    {"<real> 1e17</real>", "<real>1e+17</real>\n", true},
    {"<real>1&#x65;-7</real>", "<real>9.9999999999999995e-08</real>\n", true},
    {"<real>5e-324</real>", "<real>4.9406564584124654e-324</real>\n", true},
    {"<real>100</real>", "<real>100</real>\n", true},
    {"<real>1e16</real>", "<real>10000000000000000</real>\n", true},
    {"<date>2011-01-32T00:00:00Z</date>", "<date>2011-02-01T00:00:00Z</date>\n", true},
    {"<date>2011-13-04T05:06:07Z</date>", "<date>2012-01-04T05:06:07Z</date>\n", true},
    {"<date>2012-03-00T99:99:99Z</date>", "<date>2012-03-04T04:40:39Z</date>\n", true},
    {"<date>0000-01-01T00:00:00Z</date>", "<date>0000-01-01T00:00:00Z</date>\n", true},
    {"<date>12345-06-07T08:09:10Z</date>", "<date>12345-06-07T08:09:10Z</date>\n", true},
    {"<data>QQ==QQ==</data>", "<data>\nQUE=\n</data>\n", true},
    {"<data>QQ</data>", "<data>\n</data>\n", true},
    {"<data>\n\tQU*JD\n</data>", "<data>\nQUJD\n</data>\n", true},
    {"<data></data>", "<data>\n</data>\n", true},
    {"<true></true>", "<true/>\n", true},
    {"<false />", "<false/>\n", true},
    {"<array/>", "<array/>\n", true},
    {"<dict></dict>", "<dict/>\n", true},
    {"<array><plist><true/></plist></array>", "<array>\n\t<true/>\n</array>\n", true},
};

const XmlCase kErrorCases[] = {
    {"", "No XML content found", false},
    {"  <!-- c --> <?pi?> \r\n", "No XML content found", false},
    {"hello", "Unexpected character h at line 1", false},
    {"\n\r\n\rx", "Unexpected character x at line 4", false},
    {"\xC3\xA9", "Unexpected character \xC3\xA9 at line 1", false},
    {"{\"a\": 1}", "Unexpected character { at line 1", false},
    {"<!-- x", "Unterminated comment started on line 1", false},
    {"\n<?xml ", "Encountered unexpected EOF while parsing the processing instruction begun on line 2", false},
    {"<!FOO>", "Malformed DTD on line 1", false},
    {"<!DOCTYPE plist", "Encountered unexpected EOF while parsing DTD", false},
    {"<!DOCTYPE plist [ <!ENTITY a 'b'> ", "Encountered unexpected EOF while parsing inline DTD", false},
    {"<!DOCTYPE plist [ x ]>", "Encountered unexpected character x on line 1 while parsing inline DTD", false},
    {"<!DOCTYPE plist [ ] x", "Encountered unexpected character x on line 1 while parsing DTD", false},
    {"<!DOCTYPE plist [\n %abc", "Encountered unexpected EOF while parsing percent-escape sequence begun on line 2", false},
    {"<>", "Malformed tag on line 1", false},
    {"< x>", "Malformed tag on line 1", false},
    {"\n<foo/>", "Encountered unknown tag foo on line 2", false},
    {"<String>a</String>", "Encountered unknown tag String on line 1", false},
    {"</x>", "Encountered unknown tag /x on line 1", false},
    {"<array>", "Encountered unexpected EOF", false},
    {"<array><!x></array>", "Encountered unexpected EOF", false},
    {"<string>a&", "Encountered unexpected EOF", false},
    {"<string>abc", "Encountered unexpected EOF", false},
    {"<array><string>a</string", "Encountered unexpected EOF", false},
    {"<array> x </array>", "Encountered unexpected character x on line 1", false},
    {"<string>a<b", "Encountered unexpected character b on line 1", false},
    {"<string>a</string x>", "Encountered unexpected character x on line 1", false},
    {"<string>a</stringx>", "Encountered unexpected character x on line 1", false},
    {"<true>x</true>", "Encountered unexpected character x on line 1", false},
    {"<array>\n</dict>", "Close tag on line 2 does not match open tag array", false},
    {"<dict>\n<string>a</string></dict>", "Found non-key inside <dict> at line 1", false},
    {"<dict><key>a</key><string>b</string>\n<string>c</string></dict>", "Found non-key inside <dict> at line 1", false},
    {"<dict><key>a</key>\n</dict>", "Value missing for key inside <dict> at line 2", false},
    {"<data/>", "Encountered empty <data> on line 1", false},
    {"<date/>", "Encountered empty <date> on line 1", false},
    {"<real/>", "Encountered empty <real> on line 1", false},
    {"<integer/>", "Encountered empty <integer> on line 1", false},
    {"<integer></integer>", "Encountered empty <integer> on line 1", false},
    {"<integer> \n</integer>", "Encountered empty <integer> on line 1", false},
    {"<date>2011-1-01T00:00:00Z</date>", "Could not interpret <date> at line 1", false},
    {"<date>2011-01-01T00:00:00Z </date>", "Could not interpret <date> at line 1", false},
    {"<date>2011-01-01T00:00:00.5Z</date>", "Could not interpret <date> at line 1", false},
    {"<date>2011-16-01T00:00:00Z</date>", "Could not interpret <date> at line 1", false},
    {"<date></date>", "Could not interpret <date> at line 1", false},
    {"<real></real>", "Encountered misformatted real on line 1", false},
    {"<real>1.5 </real>", "Encountered misformatted real on line 1", false},
    {"<real>\n\nabc</real>", "Encountered misformatted real on line 3", false},
    {"<real>+-1</real>", "Encountered misformatted real on line 1", false},
    {"<integer>12", "Premature end of file after <integer> on line 1", false},
    {"<integer>-</integer>", "Incomplete <integer> on line 1", false},
    {"<integer>0x</integer>", "Incomplete <integer> on line 1", false},
    {"<integer>12 </integer>", "Unknown character ' ' (0x20) in <integer> on line 1", false},
    {"<integer>1\xC3\xA9</integer>", "Unknown character '\xC3\xA9' (0xe9) in <integer> on line 1", false},
    {"<integer>12a</integer>", "Hex digit in non-hex <integer> on line 1", false},
    {"<integer>18446744073709551616</integer>", "Integer overflow in <integer> on line 1", false},
    {"<integer>18446744073709551620</integer>", "Integer overflow in <integer> on line 1", false},
    {"<integer>0x10000000000000000</integer>", "Integer overflow in <integer> on line 1", false},
    {"<string>a</stringx>", "Encountered unexpected character x on line 1", false},
    {"<string>a</strinG>  ", "Close tag on line 1 does not match open tag string", false},
    {"<integer>-9223372036854775809</integer>", "Integer underflow in <integer> on line 1", false},
    {"<string><!-- c --></string>", "Encountered improper CDATA opening at line 1", false},
    {"<string>\n<![CDATA[abc</string>", "Could not find end of CDATA started on line 2", false},
    {"<string>&nbsp;</string>", "Encountered unknown ampersand-escape sequence at line 1", false},
    {"<string>&LT;</string>", "Encountered unknown ampersand-escape sequence at line 1", false},
    {"<string>&amp</string>", "Encountered unknown ampersand-escape sequence at line 1", false},
    {"<string>&#12g;</string>", "Encountered unexpected character g at line 1", false},
    {"<string>&#xG;</string>", "Encountered unexpected character G at line 1", false},
    {"<string>&#x110000;</string>", "Encountered unexpected character 0 at line 1", false},
    {"<plist/>", "Encountered empty plist tag", false},
    {"<plist></plist>", "Encountered empty plist tag", false},
    {"<plist><true/>\n<false/></plist>", "Encountered unexpected element at line 2 (plist can only include one object)", false},
    {"<plist version=\"1.0\"", "", false},
};

}  // namespace

TEST(XmlReader, ReadsValues) {
    for (const XmlCase& c : kReadCases) {
        cf::ParseResult r = ReadXml(c.input);
        ASSERT_TRUE(r.value) << c.input << " -> " << r.error;
        EXPECT_EQ(XmlBody(r.value.Get()), c.expected) << c.input;
    }
}

TEST(XmlReader, ReportsMessages) {
    for (const XmlCase& c : kErrorCases) {
        cf::ParseResult r = ReadXml(c.input);
        EXPECT_FALSE(r.value) << c.input;
        EXPECT_EQ(r.hasError, *c.expected != 0) << c.input;
        EXPECT_EQ(r.error, c.expected) << c.input;
    }
}

TEST(XmlReader, KeepsNulAndZeroReferences) {
    cf::ParseResult r = ReadXml("<string>a&#0;b&#;</string>");
    ASSERT_TRUE(r.value);
    EXPECT_EQ(static_cast<const cf::CStringValue*>(r.value.Get())->Text(), std::u16string_view(u"a\0b\0", 4));
}

TEST(XmlReader, SharesEqualKeys) {
    cf::ParseResult r = ReadXml("<array><dict><key>k</key><true/></dict><dict><key>k</key><false/></dict></array>");
    ASSERT_TRUE(r.value);
    auto& items = static_cast<const cf::CArrayValue*>(r.value.Get())->m_items;
    EXPECT_EQ(static_cast<const cf::CDictionaryValue*>(items[0])->m_entries[0].first,
              static_cast<const cf::CDictionaryValue*>(items[1])->m_entries[0].first);
}

// Equal string values and integers are read as one shared object; values that only look alike
// (the same bits signed and unsigned, texts colliding in the caches) stay apart.
TEST(XmlReader, SharesEqualLeavesAndKeepsDistinctOnesApart) {
    cf::ParseResult r = ReadXml("<array><string>v</string><string>v</string><integer>7</integer><integer>7</integer>"
                                "<integer>-1</integer><integer>18446744073709551615</integer><string>\xC3\xA9</string>"
                                "<string>\xC3\xA9</string></array>");
    ASSERT_TRUE(r.value);
    auto& items = static_cast<const cf::CArrayValue*>(r.value.Get())->m_items;
    EXPECT_EQ(items[0], items[1]);
    EXPECT_EQ(items[2], items[3]);
    EXPECT_NE(items[4], items[5]);
    EXPECT_EQ(items[6], items[7]);
    EXPECT_EQ(XmlBody(r.value.Get()),
              "<array>\n\t<string>v</string>\n\t<string>v</string>\n\t<integer>7</integer>\n\t<integer>7</integer>\n"
              "\t<integer>-1</integer>\n\t<integer>18446744073709551615</integer>\n\t<string>\xC3\xA9</string>\n"
              "\t<string>\xC3\xA9</string>\n</array>\n");

    // Far more distinct values than cache slots, each read twice.
    std::string text = "<array>", expected = "<array>\n";
    for (int i = 0; i < 20000; ++i) {
        const std::string n = std::to_string(i * 7919 - 50000), item = "<integer>" + n + "</integer><string>s" + n + "</string>";
        text += item + item;
        expected += "\t<integer>" + n + "</integer>\n\t<string>s" + n + "</string>\n";
        expected += "\t<integer>" + n + "</integer>\n\t<string>s" + n + "</string>\n";
    }
    r = ReadXml(text + "</array>");
    ASSERT_TRUE(r.value);
    EXPECT_EQ(XmlBody(r.value.Get()), expected + "</array>\n");
}

// Text about to be saved: a key written twice in one dictionary is refused, naming it and the line
// of its second appearance; reading without the flag keeps the last value, as before.
TEST(XmlReader, RefusesDuplicateKeysWhenAsked) {
    const XmlCase cases[] = {
        {"<dict>\n<key>Count</key><integer>1</integer>\n<key>Count</key><integer>2</integer></dict>",
         "Duplicate key \"Count\" inside <dict> at line 3", false},
        // The earliest second appearance, whichever key sorts first; keys equal once entities are read.
        {"<dict><key>b</key><true/>\n<key>a</key><true/>\n<key>&#98;</key><true/>\n<key>a</key><true/></dict>",
         "Duplicate key \"b\" inside <dict> at line 3", false},
        {"<array><dict><key>k</key><true/></dict>\n<dict><key>x</key><dict>\n<key>\xC3\xA9</key><true/>"
         "<key>\xC3\xA9</key><false/></dict></dict></array>",
         "Duplicate key \"\xC3\xA9\" inside <dict> at line 3", false},
        // A CF$UID dictionary written twice is no longer a UID but a duplicate.
        {"<dict><key>CF$UID</key><integer>1</integer><key>CF$UID</key><integer>2</integer></dict>",
         "Duplicate key \"CF$UID\" inside <dict> at line 1", false},
        // The same key in different dictionaries, keys out of order, keys differing in case: all kept.
        {"<array><dict><key>k</key><true/></dict><dict><key>k</key><false/><key>b</key><true/>"
         "<key>K</key><true/></dict></array>",
         "<array>\n\t<dict>\n\t\t<key>k</key>\n\t\t<true/>\n\t</dict>\n\t<dict>\n\t\t<key>K</key>\n\t\t<true/>"
         "\n\t\t<key>b</key>\n\t\t<true/>\n\t\t<key>k</key>\n\t\t<false/>\n\t</dict>\n</array>\n", true},
    };
    for (const XmlCase& c : cases) {
        const std::string text = c.input;
        cf::ParseResult r;
        const bool read = cf::ReadXML(text.data(), text.size(), r, cf::kParseRefuseDuplicateKeys);
        EXPECT_EQ(read, c.ok) << c.input;
        if (c.ok) {
            ASSERT_TRUE(r.value) << r.error;
            EXPECT_EQ(XmlBody(r.value.Get()), c.expected) << c.input;
        } else {
            EXPECT_FALSE(r.value) << c.input;
            EXPECT_EQ(r.error, c.expected) << c.input;
            EXPECT_TRUE(ReadXml(text).value) << c.input;
        }
    }
    // Through the whole pipeline too, which must not take the refused text as OpenStep instead.
    const std::string twice = "<plist><dict><key>a</key><true/><key>a</key><false/></dict></plist>";
    cf::ParseResult r = cf::Parse(reinterpret_cast<const uint8_t*>(twice.data()), twice.size(),
                                  cf::kParseRefuseDuplicateKeys);
    EXPECT_FALSE(r.value);
    EXPECT_EQ(r.error, "Duplicate key \"a\" inside <dict> at line 1");
    r = cf::Parse(reinterpret_cast<const uint8_t*>(twice.data()), twice.size());
    ASSERT_TRUE(r.value);
    EXPECT_EQ(XmlBody(r.value.Get()), "<dict>\n\t<key>a</key>\n\t<false/>\n</dict>\n");
}

// Containers of thousands of entries, nested and at the top, and failures inside them (nothing
// read before the failure may leak: the sanitizer build checks).
TEST(XmlReader, LargeContainersAndFailuresInsideThem) {
    std::string items, entries;
    for (int i = 0; i < 5000; ++i) {
        items += "<integer>" + std::to_string(i) + "</integer>";
        entries += "<key>k" + std::to_string(i) + "</key><string>v</string>";
    }
    const std::string nested = "<array><dict>" + entries + "</dict><array>" + items + "</array></array>";
    cf::ParseResult r = ReadXml(nested);
    ASSERT_TRUE(r.value);
    auto& outer = static_cast<const cf::CArrayValue*>(r.value.Get())->m_items;
    ASSERT_EQ(outer.size(), 2u);
    EXPECT_EQ(static_cast<const cf::CDictionaryValue*>(outer[0])->m_entries.size(), 5000u);
    EXPECT_EQ(static_cast<const cf::CArrayValue*>(outer[1])->m_items.size(), 5000u);
    r = ReadXml("<array>" + items + "</array>");
    ASSERT_TRUE(r.value);
    EXPECT_EQ(static_cast<const cf::CArrayValue*>(r.value.Get())->m_items.size(), 5000u);

    for (const std::string& text : {"<array>" + items + "<bogus/></array>", "<dict>" + entries + "<key>x</key></dict>",
                                    "<array><dict>" + entries + "</dict><array>" + items + "<integer>x</integer>"}) {
        r = ReadXml(text);
        EXPECT_FALSE(r.value);
        EXPECT_TRUE(r.hasError);
    }
}
