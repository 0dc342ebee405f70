// OpenStep reader, the reading pipeline (encodings, order of readers, formats) and validity.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace cftest;

namespace {

struct PipelineCase {
    std::string input;
    int32_t format;        // expected format, 0 when none is reported
    const char* expected;  // XML body, or the message when no value ("" = none)
};

const PipelineCase kOpenStep[] = {
    {"{a=b;}", 1, "<dict>\n\t<key>a</key>\n\t<string>b</string>\n</dict>\n"},
    {"{ b = (1, YES, ); a = <0fA1 b2>; c = {}; d = (); }", 1,
     "<dict>\n\t<key>a</key>\n\t<data>\n\tD6Gy\n\t</data>\n\t<key>b</key>\n\t<array>\n\t\t<string>1</string>\n"
     "\t\t<string>YES</string>\n\t</array>\n\t<key>c</key>\n\t<dict/>\n\t<key>d</key>\n\t<array/>\n</dict>\n"},
    {"{a=1;a=2;k;}", 1, "<dict>\n\t<key>a</key>\n\t<string>2</string>\n\t<key>k</key>\n\t<string>k</string>\n</dict>\n"},
    {"hello", 1, "<string>hello</string>\n"},
    {"  /* c */ // x\n  ", 1, "<dict/>\n"},
    {"\"a\" = \"b\"; c = d; // strings file", 1,
     "<dict>\n\t<key>a</key>\n\t<string>b</string>\n\t<key>c</key>\n\t<string>d</string>\n</dict>\n"},
    {"\"\\n\\101\\U00e9\\q\\\\\\\"\\251\"", 1, "<string>\nA\xC3\xA9q\\\"\xE2\x80\x99</string>\n"},
    {"'it''s'", 0, "Unexpected character ' at line 1"},
    {"{a=b}", 0, "Unexpected character { at line 1"},
    {"(a b)", 0, "Unexpected character ( at line 1"},
    {"<0f1>", 0, "Encountered unknown tag 0f1 on line 1"},
    {"{(a)=b;}", 0, "Unexpected character { at line 1"},
};

const PipelineCase kPipeline[] = {
    {"", 0, "Cannot parse a NULL or zero-length data"},
    {"<string>x</string>", 100, "<string>x</string>\n"},
    {"\xEF\xBB\xBF<string>x</string>", 100, "<string>x</string>\n"},
    {"<string>\xA9</string>", 100, "<string>\xEF\xBF\xBD</string>\n"},
    {"<string>\xFF</string>", 0, "Conversion of string failed. The string is empty."},
    {"<string>\xED\xA0\x80</string>", 0, "Conversion of string failed. The string is empty."},
    {"<string>\xC0\xAF</string>", 0, "Conversion of string failed. The string is empty."},
    {std::string("\xFF\xFE<\0s\0t\0r\0i\0n\0g\0>\0\xE9\0<\0/\0s\0t\0r\0i\0n\0g\0>\0", sizeof("\xFF\xFE<\0s\0t\0r\0i\0n\0g\0>\0\xE9\0<\0/\0s\0t\0r\0i\0n\0g\0>\0") - 1), 100, "<string>\xC3\xA9</string>\n"},
    {std::string("\0<\0t\0r\0u\0e\0/\0>", sizeof("\0<\0t\0r\0u\0e\0/\0>") - 1), 100, "<true/>\n"},
    {std::string("\xFE\xFF\0<\0t\0r\0u\0e\0/\0>\0", sizeof("\xFE\xFF\0<\0t\0r\0u\0e\0/\0>\0") - 1), 0, "Conversion of string failed. The string is empty."},
    {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><string>\xE9</string>", 100, "<string>\xC3\xA9</string>\n"},
    {"<?xml version=\"1.0\" encoding='utf-8'?><string>\xC3\xA9</string>", 100, "<string>\xC3\xA9</string>\n"},
    {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><string>\x80</string>", 100, "<string>\xE2\x82\xAC</string>\n"},
    {"<?xml version=\"1.0\" encoding=\"klingon\"?><true/>", 0, "Encountered unknown encoding (klingon)"},
    {"<?xml version=\"1.0\" encoding=\"US-ASCII\"?><string>\xE9</string>", 0, "Conversion of string failed. The string is empty."},
    {"{\"a\": 1}", 0, "Unexpected character { at line 1"},
    {"<plist version=\"1.0\"", 0, ""},
    {"       ", 1, "<dict/>\n"},
    {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 0, "Conversion of string failed. The string is empty."},
};

void RunTable(const PipelineCase* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const PipelineCase& c = cases[i];
        cf::ParseResult r = ParseBytes(c.input);
        EXPECT_EQ(r.format, c.format) << c.input;
        if (r.value) {
            EXPECT_FALSE(r.hasError) << c.input;
            EXPECT_EQ(XmlBody(r.value.Get()), c.expected) << c.input;
        } else {
            EXPECT_EQ(r.hasError, *c.expected != 0) << c.input;
            EXPECT_EQ(r.error, c.expected) << c.input;
        }
    }
}

}  // namespace

TEST(OpenStepReader, ValuesAndFallbackMessages) { RunTable(kOpenStep, sizeof kOpenStep / sizeof *kOpenStep); }

TEST(Pipeline, EncodingsAndReaders) { RunTable(kPipeline, sizeof kPipeline / sizeof *kPipeline); }

TEST(Validity, FormatsAndTypes) {
    struct Case { const char* text; bool openStep; bool xml; } cases[] = {
        {"<string>a</string>", true, true},
        {"<data>AA==</data>", true, true},
        {"<array><dict/></array>", true, true},
        {"<integer>1</integer>", false, true},
        {"<array><real>1</real></array>", false, true},
        {"<dict><key>a</key><true/></dict>", false, true},
        {"<date>2001-01-01T00:00:00Z</date>", false, true},
        {"<dict><key>CF$UID</key><integer>1</integer></dict>", false, true},
    };
    for (const auto& c : cases) {
        cf::ParseResult r = ParseBytes(c.text);
        ASSERT_TRUE(r.value) << c.text;
        EXPECT_EQ(cf::IsValid(r.value.Get(), cf::kFormatOpenStep), c.openStep) << c.text;
        EXPECT_EQ(cf::IsValid(r.value.Get(), cf::kFormatXML), c.xml) << c.text;
        EXPECT_EQ(cf::IsValid(r.value.Get(), cf::kFormatBinary), c.xml) << c.text;
        EXPECT_EQ(cf::IsValid(r.value.Get(), 7), c.xml) << c.text;
    }
    EXPECT_FALSE(cf::IsValid(nullptr, cf::kFormatXML));
    EXPECT_FALSE(cf::IsValid(cf::NullValue(), cf::kFormatXML));
}
