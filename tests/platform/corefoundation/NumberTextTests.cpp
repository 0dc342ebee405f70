// Reals and integers as text: the fast formatting gives the bytes of the library's "%.17g" and
// decimal conversions for every kind of value, ties and subnormals included.
#include "engine/Internal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Printed(double v)
{
    char buf[cf::kRealTextMax];
    return std::string(buf, cf::PrintReal(buf, v));
}

std::string Reference(double v)
{
    if (v == 0)
        return "0.0";
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17).ptr);
}

double FromBits(uint64_t bits)
{
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Counts mismatches, reporting the first few.
class CRealCheck
{
public:
    void operator()(double v)
    {
        if (!std::isfinite(v))
            return;
        const std::string got = Printed(v), want = Reference(v);
        if (got == want)
            return;
        if (++m_failures <= 5)
            ADD_FAILURE() << "bits " << std::hex << Bits(v) << ": " << got << " != " << want;
    }
    int Failures() const { return m_failures; }

private:
    static uint64_t Bits(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return bits;
    }
    int m_failures = 0;
};

}  // namespace

TEST(NumberText, RealsMatchTheExactMethod)
{
    CRealCheck check;
    const double table[] = { 1.0,
                             0.1,
                             0.5,
                             1e-5,
                             1e-4,
                             0.001,
                             1e16,
                             1e17,
                             123456789012345678.0,
                             9.999999999999999e16,
                             99999999999999999.0,
                             1e100,
                             1e-100,
                             1e308,
                             1.7976931348623157e308,
                             2.2250738585072014e-308,
                             4.9406564584124654e-324,
                             2.2250738585072009e-308,
                             18137.768026361242,
                             -347713.6370664631,
                             0.30000000000000004,
                             5e-324,
                             1e23,
                             8.41e21,
                             9007199254740993.0,
                             0.0001,
                             0.00009999999999999999 };
    for (double v : table) {
        check(v);
        check(-v);
    }
    // Powers of two and ten, and their neighbours.
    for (int e = -1074; e <= 1023; ++e) {
        const double p = std::ldexp(1.0, e);
        check(p);
        check(std::nextafter(p, 0.0));
        check(std::nextafter(p, HUGE_VAL));
    }
    for (int e = -323; e <= 308; ++e) {
        const double p = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
        check(p);
        check(std::nextafter(p, 0.0));
        check(std::nextafter(p, HUGE_VAL));
    }
    std::mt19937_64 random(20240611);
    // Exact ties at the 17th digit: odd integers of 16 digits over 4 and 8 end in 25 or 125.
    for (int i = 0; i < 100000; ++i) {
        const uint64_t odd = (random() % (1ull << 52) + (1ull << 52)) | 1;
        check(static_cast<double>(odd) / 4);
        check(static_cast<double>(odd) / 8);
        check(static_cast<double>(odd) * 1024);
    }
    // Any bit pattern; short decimals and integers as files hold them; subnormals.
    for (int i = 0; i < 1000000; ++i) {
        check(FromBits(random()));
        check(static_cast<double>(static_cast<int64_t>(random() >> 20)) / 1e6);
        check(static_cast<double>(static_cast<int64_t>(random() >> (random() % 64))));
        check(FromBits(random() >> 12));
        check(static_cast<float>(FromBits(random() >> 2)));
    }
    EXPECT_EQ(check.Failures(), 0);
}

TEST(NumberText, IntegersAndDigitCounts)
{
    std::mt19937_64 random(7);
    int failures = 0;
    for (int i = 0; i < 200000 && failures < 5; ++i) {
        const uint64_t u = i < 130 ? (i < 65 ? (1ull << (i % 64)) - (i / 64) : ~0ull / (i - 64)) : random() >> (i % 64);
        for (int delta = -1; delta <= 1; ++delta) {
            const uint64_t x = u + static_cast<uint64_t>(delta);
            char got[24], want[24];
            const std::string unsignedText(got, cf::PrintUnsigned(got, x));
            const std::string unsignedWant(want, std::to_chars(want, want + sizeof want, x).ptr);
            const std::string signedText(got, cf::PrintSigned(got, static_cast<int64_t>(x)));
            const std::string signedWant(want, std::to_chars(want, want + sizeof want, static_cast<int64_t>(x)).ptr);
            if (unsignedText != unsignedWant || signedText != signedWant ||
                cf::DecimalDigits(x) != unsignedWant.size()) {
                ++failures;
                ADD_FAILURE() << unsignedWant << ": " << unsignedText << " " << signedText << " "
                              << cf::DecimalDigits(x);
            }
        }
    }
    char buf[24];
    EXPECT_EQ(std::string(buf, cf::PrintSigned(buf, std::numeric_limits<int64_t>::min())), "-9223372036854775808");
    EXPECT_EQ(std::string(buf, cf::PrintUnsigned(buf, ~0ull)), "18446744073709551615");
    EXPECT_EQ(std::string(buf, cf::PrintUnsigned(buf, 0)), "0");
    EXPECT_EQ(cf::DecimalDigits(~0ull), 20u);
}
