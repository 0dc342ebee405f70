// 512 levels of containers pass through every reader and writer on a small stack; 513 are refused.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>

using namespace cftest;

namespace {

// Runs f on a thread whose stack is far smaller than the 1 MB the DLL gets (sanitizers need more).
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kStackSize = 8 << 20;
#else
constexpr size_t kStackSize = 256 << 10;
#endif

void OnSmallStack(const std::function<void()>& f) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kStackSize);
    pthread_t thread;
    auto body = [](void* p) -> void* { (*static_cast<const std::function<void()>*>(p))(); return nullptr; };
    ASSERT_EQ(pthread_create(&thread, &attr, body, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

std::string Nested(int depth, const char* open, const char* close, const char* inner) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += open;
    s += inner;
    for (int i = 0; i < depth; ++i) s += close;
    return s;
}

// depth arrays, each holding the next; two-byte refs and offsets.
std::string NestedBinary(int depth) {
    std::string out = "bplist00";
    std::vector<size_t> offsets;
    for (int i = 0; i < depth; ++i) {
        offsets.push_back(out.size());
        if (i + 1 < depth) {
            out += '\xA1';
            out += static_cast<char>((i + 1) >> 8);
            out += static_cast<char>((i + 1) & 0xFF);
        } else {
            out += '\xA0';
        }
    }
    const size_t table = out.size();
    for (size_t o : offsets) { out += static_cast<char>(o >> 8); out += static_cast<char>(o & 0xFF); }
    std::string trailer(32, '\0');
    trailer[6] = 2;
    trailer[7] = 2;
    trailer[14] = static_cast<char>(depth >> 8);
    trailer[15] = static_cast<char>(depth & 0xFF);
    trailer[30] = static_cast<char>(table >> 8);
    trailer[31] = static_cast<char>(table & 0xFF);
    return out + trailer;
}

}  // namespace

TEST(DeepNesting, FiveHundredTwelveLevelsEverywhere) {
    OnSmallStack([] {
        for (const auto& pair : {std::make_pair("<array>", "</array>"), std::make_pair("<dict><key>k</key>", "</dict>")}) {
            const std::string xml = "<plist>" + Nested(512, pair.first, pair.second, "<true/>") + "</plist>";
            cf::ParseResult r = ParseBytes(xml);
            ASSERT_TRUE(r.value) << r.error;
            EXPECT_TRUE(cf::IsValid(r.value.Get(), cf::kFormatXML));
            std::string text, bin;
            ASSERT_TRUE(cf::WriteXML(r.value.Get(), text));
            ASSERT_TRUE(cf::WriteBinary(r.value.Get(), bin));
            cf::ParseResult fromText = ParseBytes(text), fromBinary = ParseBytes(bin);
            ASSERT_TRUE(fromText.value);
            ASSERT_TRUE(fromBinary.value);
            EXPECT_TRUE(cf::ValuesEqual(fromText.value.Get(), r.value.Get()));
            EXPECT_TRUE(cf::ValuesEqual(fromBinary.value.Get(), r.value.Get()));

            cf::ParseResult deeper = ParseBytes("\n" + Nested(513, pair.first, pair.second, "<true/>"));
            EXPECT_FALSE(deeper.value);
            EXPECT_EQ(deeper.error, "Too many nested arrays or dictionaries at line 2");
        }
        cf::ParseResult plists = ParseBytes(Nested(600, "<plist>", "</plist>", "<true/>"));
        EXPECT_EQ(plists.error, "Too many nested arrays or dictionaries at line 1");

        cf::ParseResult openStep = ParseBytes(Nested(512, "(", ")", "a"));
        EXPECT_EQ(openStep.format, cf::kFormatOpenStep);
        EXPECT_TRUE(openStep.value);
        EXPECT_TRUE(ParseBytes(Nested(512, "{a=", ";}", "b")).value);
        EXPECT_FALSE(ParseBytes(Nested(513, "(", ")", "a")).value);

        cf::ParseResult binary = ParseBytes(NestedBinary(512));
        EXPECT_TRUE(binary.value);
        cf::ParseResult deepBinary = ParseBytes(NestedBinary(513));
        EXPECT_EQ(deepBinary.format, cf::kFormatBinary);
        EXPECT_FALSE(deepBinary.value);
        EXPECT_FALSE(deepBinary.hasError);
    });
}
