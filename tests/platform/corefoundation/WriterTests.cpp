// XML and binary writers: exact bytes for the layouts and sharing rules.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cftest;
using cf::Ref;

namespace {

Ref<const cf::CObject> Read(const std::string& text) {
    cf::ParseResult r = ParseBytes(text);
    EXPECT_TRUE(r.value) << text << " -> " << r.error;
    return std::move(r.value);
}

std::string Binary(const cf::CObject* v) {
    std::string out;
    EXPECT_TRUE(cf::WriteBinary(v, out));
    return out;
}

}  // namespace

TEST(XmlWriter, WritesHeaderAndExample) {
    Ref<const cf::CObject> v = Read("<dict><key>a</key><array><true/><real>0.5</real><data>AAE=</data></array></dict>");
    std::string out;
    ASSERT_TRUE(cf::WriteXML(v.Get(), out));
    EXPECT_EQ(out,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
              "<plist version=\"1.0\">\n"
              "<dict>\n\t<key>a</key>\n\t<array>\n\t\t<true/>\n\t\t<real>0.5</real>\n\t\t<data>\n\t\tAAE=\n\t\t</data>\n\t</array>\n</dict>\n"
              "</plist>\n");
}

TEST(XmlWriter, Values) {
    struct Case { double date; const char* expected; } dates[] = {
        {0, "<date>2001-01-01T00:00:00Z</date>\n"},
        {-0.5, "<date>2000-12-31T23:59:59Z</date>\n"},
        {0.999, "<date>2001-01-01T00:00:00Z</date>\n"},
        {-63145526400.0 - 86400.0 * 365, "<date>-001-01-01T00:00:00Z</date>\n"},
        {-63113904000.0, "<date>0001-01-01T00:00:00Z</date>\n"},
        {-978307200.0, "<date>1970-01-01T00:00:00Z</date>\n"},
    };
    for (const auto& c : dates) {
        cf::CDateValue d(c.date);
        EXPECT_EQ(XmlBody(&d), c.expected) << c.date;
    }
    struct RealCase { double value; bool isFloat; const char* expected; } reals[] = {
        {0.1f, true, "<real>0.10000000149011612</real>\n"},
        {-0.0, false, "<real>0.0</real>\n"},
        {1.0, false, "<real>1</real>\n"},
        {-2.5e-300, false, "<real>-2.5e-300</real>\n"},
        {HUGE_VAL, false, "<real>+infinity</real>\n"},
    };
    for (const auto& c : reals) {
        cf::CRealValue r(c.value, c.isFloat);
        EXPECT_EQ(XmlBody(&r), c.expected) << c.value;
    }
    cf::CIntegerValue big(-1, true);
    EXPECT_EQ(XmlBody(&big), "<integer>18446744073709551615</integer>\n");
    cf::CIntegerValue negative(-5, false);
    EXPECT_EQ(XmlBody(&negative), "<integer>-5</integer>\n");
    cf::CDateValue nan(NAN);
    std::string out;
    EXPECT_FALSE(cf::WriteXML(&nan, out));
}

TEST(XmlWriter, StringsEscapeOnlyMarkup) {
    Ref<const cf::CStringValue> s(cf::CStringValue::New(std::u16string_view(u"<a&b>\"'\t\r\n\0\xFFFE\xD83D\xDE00|\xD800|\xDC00", 18)));
    EXPECT_EQ(XmlBody(s.Get()), std::string("<string>&lt;a&amp;b&gt;\"'\t\r\n\0\xEF\xBF\xBE\xF0\x9F\x98\x80|\xEF\xBF\xBD|\xEF\xBF\xBD</string>\n", sizeof("<string>&lt;a&amp;b&gt;\"'\t\r\n\0\xEF\xBF\xBE\xF0\x9F\x98\x80|\xEF\xBF\xBD|\xEF\xBF\xBD</string>\n") - 1));
}

// One string object written many times, as key and as value, gives its escaped bytes each time,
// also after other strings have taken its place among the recently written ones.
TEST(XmlWriter, SharedStringsWriteTheSameBytesEachTime) {
    Ref<const cf::CStringValue> shared(cf::CStringValue::New(u"<k&\u00e9>"));
    auto* dict = new cf::CDictionaryValue;
    Ref<const cf::CObject> v(dict);
    // "<" sorts before "k".
    std::string expected = "<dict>\n\t<key>&lt;k&amp;\xC3\xA9&gt;</key>\n\t<string>&lt;k&amp;\xC3\xA9&gt;</string>\n";
    for (int i = 0; i < 600; ++i) {
        const std::string key = "k" + std::to_string(1000 + i);
        dict->m_entries.emplace_back(cf::CStringValue::FromUTF8(key.data(), key.size()), (shared->Retain(), shared.Get()));
        expected += "\t<key>" + key + "</key>\n\t<string>&lt;k&amp;\xC3\xA9&gt;</string>\n";
    }
    shared->Retain();
    dict->m_entries.emplace_back(shared.Get(), (shared->Retain(), shared.Get()));
    dict->Normalize(true);
    expected += "</dict>\n";
    EXPECT_TRUE(XmlBody(v.Get()) == expected);  // too long to print
}

// Text is copied in blocks where it is plain: every unit that needs escaping or encoding, at every
// place in and around a block, gives the bytes of a unit-by-unit conversion.
TEST(XmlWriter, LongTextEscapesAtEveryPlace) {
    const std::u16string specials[] = {u"&", u"<", u">", u"\u00e9", u"\u20ac", u"\U0001F600", u"\xD800", u"\xDC00"};
    const char* encoded[] = {"&amp;", "&lt;", "&gt;", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD",
                             "\xEF\xBF\xBD"};
    int failures = 0;
    for (size_t length : {7, 8, 9, 15, 16, 17, 24, 33}) {
        for (size_t k = 0; k < sizeof specials / sizeof specials[0]; ++k) {
            for (size_t at = 0; at + specials[k].size() <= length && failures < 5; ++at) {
                std::u16string text(length, u'a');
                text.replace(at, specials[k].size(), specials[k]);
                const std::string want = "<string>" + std::string(at, 'a') + encoded[k] +
                                         std::string(length - at - specials[k].size(), 'a') + "</string>\n";
                Ref<cf::CStringValue> s(cf::CStringValue::New(text));
                if (XmlBody(s.Get()) != want) {
                    ++failures;
                    ADD_FAILURE() << "length " << length << ", unit " << k << " at " << at << ": " << XmlBody(s.Get());
                }
            }
        }
    }
}

TEST(XmlWriter, SortsKeysByUtf16Units) {
    Ref<const cf::CObject> v = Read("<dict><key>a</key><true/><key>\xEF\xBC\x81</key><true/><key>\xF0\x9F\x98\x80</key><true/>"
                                    "<key>B</key><true/><key></key><true/></dict>");
    EXPECT_EQ(XmlBody(v.Get()), "<dict>\n\t<key></key>\n\t<true/>\n\t<key>B</key>\n\t<true/>\n\t<key>a</key>\n\t<true/>\n"
                                "\t<key>\xF0\x9F\x98\x80</key>\n\t<true/>\n\t<key>\xEF\xBC\x81</key>\n\t<true/>\n</dict>\n");
}

TEST(XmlWriter, Base64LinesShrinkWithDepthUpToEight) {
    std::string data(60, 'x');
    std::string b64 = "eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4";  // 80 chars
    for (int depth : {0, 1, 7, 8, 9}) {
        Ref<const cf::CObject> v(new cf::CDataValue(data));
        for (int i = 0; i < depth; ++i) {
            auto* a = new cf::CArrayValue;
            a->m_items.push_back(v.Detach());
            v = Ref<const cf::CObject>(a);
        }
        std::string body = XmlBody(v.Get());
        const int tabs = depth < 8 ? depth : 8;
        const size_t width = static_cast<size_t>(76 - 8 * tabs);
        std::string expected = std::string(static_cast<size_t>(depth), '\t') + "<data>\n";
        for (size_t at = 0; at < b64.size(); at += width)
            expected += std::string(static_cast<size_t>(tabs), '\t') + b64.substr(at, width) + "\n";
        expected += std::string(static_cast<size_t>(depth), '\t') + "</data>\n";
        EXPECT_NE(body.find(expected), std::string::npos) << depth << "\n" << body;
    }
}

TEST(BinaryWriter, FollowsTheSharingRules) {
    Ref<const cf::CObject> v = Read("<dict><key>a</key><array><true/><true/><integer>1000</integer><integer>1000</integer>"
                                    "<integer>5</integer><integer>5</integer><string>a</string></array></dict>");
    EXPECT_EQ(ToHex(Binary(v.Get())),
              "62706c6973743030d101025161a70303050607070109091103e81103e81005"
              "080b0d1516171a1d00000000000001010000000000000008000000000000000000000000000000" "1f");
}

TEST(BinaryWriter, Encodings) {
    struct Case { const char* xml; const char* objectHex; } cases[] = {
        {"<integer>255</integer>", "10ff"},
        {"<integer>256</integer>", "110100"},
        {"<integer>65536</integer>", "1200010000"},
        {"<integer>4294967296</integer>", "130000000100000000"},
        {"<integer>-2</integer>", "13fffffffffffffffe"},
        {"<integer>18446744073709551615</integer>", "140000000000000000ffffffffffffffff"},
        {"<real>0.5</real>", "233fe0000000000000"},
        {"<real>nan</real>", "237ff8000000000000"},
        {"<date>2001-01-01T00:00:01Z</date>", "333ff0000000000000"},
        {"<string></string>", "50"},
        {"<string>\xC3\xA9</string>", "6100e9"},
        {"<string>abcdefghijklmnop</string>", "5f10106162636465666768696a6b6c6d6e6f70"},
        {"<data>AAE=</data>", "420001"},
        {"<dict><key>CF$UID</key><integer>300</integer></dict>", "81012c"},
        {"<dict><key>CF$UID</key><integer>70000</integer></dict>", "8300011170"},
        {"<false/>", "08"},
    };
    for (const auto& c : cases) {
        Ref<const cf::CObject> v = Read(c.xml);
        const std::string bin = Binary(v.Get());
        EXPECT_EQ(ToHex(bin.substr(8, bin.size() - 8 - 32 - 1)), c.objectHex) << c.xml;
    }
    cf::CRealValue f(0.1f, true);
    EXPECT_EQ(ToHex(Binary(&f).substr(8, 5)), "223dcccccd");
}

TEST(BinaryWriter, RefSizeGrowsAtTwoHundredFiftySixObjects) {
    for (int n : {254, 255}) {
        std::string xml = "<array>";
        for (int i = 0; i < n; ++i) xml += "<integer>" + std::to_string(1000 + i) + "</integer>";
        xml += "</array>";
        Ref<const cf::CObject> v = Read(xml);
        const std::string bin = Binary(v.Get());
        EXPECT_EQ(bin[bin.size() - 32 + 7], n + 1 <= 255 ? 1 : 2) << n;
        EXPECT_EQ(bin[bin.size() - 32 + 6], 2) << n;  // offsets above 255
        cf::ParseResult back = ParseBytes(bin);
        ASSERT_TRUE(back.value);
        EXPECT_TRUE(cf::ValuesEqual(back.value.Get(), v.Get()));
    }
}

TEST(BinaryWriter, RefusesInvalidLists) {
    std::string out;
    cf::CArrayValue set(cf::Kind::Set);
    EXPECT_FALSE(cf::WriteBinary(&set, out));
    EXPECT_FALSE(cf::WriteBinary(cf::NullValue(), out));
    EXPECT_FALSE(cf::WriteXML(&set, out));
}

// Pieces handed to a sink add up to the same bytes as the whole output; a refusing sink fails the write.
TEST(BinaryWriter, SinkGetsTheSameBytesInPieces) {
    std::string xml = "<dict>";
    for (int i = 0; i < 60000; ++i)
        xml += "<key>key " + std::to_string(i) + "</key><string>a longer value, number " + std::to_string(i) + "</string>";
    xml += "</dict>";
    Ref<const cf::CObject> v = Read(xml);
    const std::string whole = Binary(v.Get());
    ASSERT_GT(whole.size(), size_t(2) << 20);

    struct Sink {
        std::string bytes;
        int pieces = 0;
        int refuseAt = -1;
        static bool Take(void* context, const char* p, size_t n) {
            Sink& s = *static_cast<Sink*>(context);
            if (s.pieces++ == s.refuseAt) return false;
            s.bytes.append(p, n);
            return true;
        }
    };
    Sink all;
    ASSERT_TRUE(cf::WriteBinary(v.Get(), &Sink::Take, &all));
    EXPECT_GT(all.pieces, 1);
    EXPECT_EQ(all.bytes, whole);

    for (int refuseAt : {0, 1}) {
        Sink refusing;
        refusing.refuseAt = refuseAt;
        EXPECT_FALSE(cf::WriteBinary(v.Get(), &Sink::Take, &refusing)) << refuseAt;
        EXPECT_EQ(refusing.pieces, refuseAt + 1) << refuseAt;
    }
}
