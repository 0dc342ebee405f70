// Binary reader: the trailer check that decides "binary", and object-level rules.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace cftest;

namespace {

struct BinaryCase {
    std::vector<std::string> objects;
    const char* expected;  // XML body, or nullptr when the read fails without a message
    bool valid = true;     // valid for XML when read
};

const BinaryCase kCases[] = {
    {{"09"}, "<true/>\n"},
    {{"1001"}, "<integer>1</integer>\n"},
    {{"13ffffffffffffffff"}, "<integer>-1</integer>\n"},
    {{"14ffffffffffffffffffffffffffffffff"}, "<integer>18446744073709551615</integer>\n"},
    {{"1400000000000000010000000000000000"}, "<integer>0</integer>\n"},
    {{"15" + std::string(64, '0')}, nullptr},
    {{"223dcccccd"}, "<real>0.10000000149011612</real>\n"},
    {{"210000"}, nullptr},
    {{"3400000000000000000000000000000000"}, nullptr},
    {{"33bfe0000000000000"}, "<date>2000-12-31T23:59:59Z</date>\n"},
    {{"52e9ff"}, "<string>\xC3\xA9\xC3\xBF</string>\n"},
    {{"5f1011616263646566676869e96a6b6c6d6e6f70"}, "<string>abcdefghi\xC3\xA9jklmnop</string>\n"},  // 8 at a time
    {{"62d83d0041"}, "<string>\xEF\xBF\xBD" "A</string>\n"},
    {{"4f1003616263"}, "<data>\nYWJj\n</data>\n"},
    {{"4f1103616263"}, nullptr},  // length runs into the offset table
    {{"8300000005"}, "<dict>\n\t<key>CF$UID</key>\n\t<integer>5</integer>\n</dict>\n"},
    {{"840100000000"}, nullptr},  // UID above 2^32-1
    {{"a20101", "5161"}, "<array>\n\t<string>a</string>\n\t<string>a</string>\n</array>\n"},
    {{"a10005"}, nullptr},        // ref out of range
    {{"a100"}, nullptr},          // contains itself
    {{"a101", "a100"}, nullptr},  // cycle through another
    {{"d2010203040405", "5162", "5161", "1001", "1002"}, "<dict>\n\t<key>a</key>\n\t<integer>2</integer>\n\t<key>b</key>\n\t<integer>1</integer>\n</dict>\n"},
    {{"d201010203", "5161", "1001", "1002"}, "<dict>\n\t<key>a</key>\n\t<integer>1</integer>\n</dict>\n"},  // first wins
    {{"d10102", "a0", "09"}, nullptr},  // a container as key
    {{"d10102", "1001", "09"}, "", false},  // a number as key: read, never valid
    {{"c0"}, "", false},
    {{"00"}, "", false},
    {{"0f"}, nullptr},
    {{"70"}, nullptr},
    {{"e0"}, nullptr},
};

}  // namespace

TEST(BinaryReader, Objects) {
    for (const BinaryCase& c : kCases) {
        const std::string bin = BinaryList(c.objects);
        cf::ParseResult r = ParseBytes(bin);
        EXPECT_EQ(r.format, cf::kFormatBinary) << c.objects[0];
        EXPECT_FALSE(r.hasError) << c.objects[0];
        if (!c.expected) {
            EXPECT_FALSE(r.value) << c.objects[0];
            continue;
        }
        ASSERT_TRUE(r.value) << c.objects[0];
        EXPECT_EQ(cf::IsValid(r.value.Get(), cf::kFormatXML), c.valid) << c.objects[0];
        if (c.valid) {
            EXPECT_EQ(XmlBody(r.value.Get()), c.expected) << c.objects[0];
        }
    }
}

TEST(BinaryReader, TrailerCheckDecidesTheFormat) {
    const std::string good = BinaryList({"52e9ff"});  // not UTF-8 once it is not binary
    struct Mutation { const char* what; std::string bytes; } cases[] = {
        {"extra byte", good + "x"},
        {"missing byte", good.substr(1)},
        {"version", "bplist1" + good.substr(7)},
        {"no objects", [&] { std::string b = good; b[b.size() - 32 + 15] = 0; return b; }()},
        {"top out of range", [&] { std::string b = good; b[b.size() - 32 + 23] = 1; return b; }()},
        {"offset table before header end", [&] { std::string b = good; b[b.size() - 1] = 8; return b; }()},
        {"zero ref size", [&] { std::string b = good; b[b.size() - 32 + 7] = 0; return b; }()},
        {"offset beyond the table", [&] { std::string b = good; b[b.size() - 33] = 11; return b; }()},
        {"top offset in the header", [&] { std::string b = good; b[b.size() - 33] = 7; return b; }()},
    };
    for (const auto& c : cases) {
        cf::ParseResult r = ParseBytes(c.bytes);
        EXPECT_NE(r.format, cf::kFormatBinary) << c.what;
        EXPECT_EQ(r.error, "Conversion of string failed. The string is empty.") << c.what;
    }
    std::string v01 = good;
    v01[7] = 'x';
    EXPECT_TRUE(ParseBytes(v01).value);
}

TEST(BinaryReader, SharedObjectsAreReadOnce) {
    // Each array holds the next one twice: 2^60 paths, 61 objects.
    std::vector<std::string> objects;
    char buf[16];
    for (int i = 0; i < 60; ++i) {
        std::snprintf(buf, sizeof buf, "a2%02x%02x", i + 1, i + 1);
        objects.push_back(buf);
    }
    objects.push_back("09");
    cf::ParseResult r = ParseBytes(BinaryList(objects));
    ASSERT_TRUE(r.value);
    EXPECT_TRUE(cf::IsValid(r.value.Get(), cf::kFormatXML));
}
