// Reals and dates as property-list text: locale-free, correctly rounded, C99 "%.17g" shape.
#include "Internal.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace cf {
namespace {

constexpr int64_t kDaysFrom1970To2001 = 11323;

// Days since 1970-01-01 of a proleptic Gregorian date (astronomical years).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

bool IsLeap(int64_t y)
{
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

// Decimal digits of integers without 64-bit division per digit (a library call in 32-bit builds).
const char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                           "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                           "8081828384858687888990919293949596979899";
constexpr uint32_t kTenTo8 = 100000000;

// Exactly eight digits, zero-padded.
char* PutEight(char* out, uint32_t v)
{
    for (int i = 6; i >= 0; i -= 2) {
        std::memcpy(out + i, kDigitPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    return out + 8;
}

char* PutDigits32(char* out, uint32_t v)
{
    char buf[10];
    char* p = buf + sizeof buf;
    while (v >= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * v, 2);
    } else {
        *--p = static_cast<char>('0' + v);
    }
    const size_t n = static_cast<size_t>(buf + sizeof buf - p);
    std::memcpy(out, p, n);
    return out + n;
}

// Powers of ten as 128-bit mantissas c (limbs least significant first, top bit set) with binary
// exponents q, 10^k = c * 2^q, truncated so that c <= 10^k * 2^-q < c + 2.
class CPowersOfTen
{
public:
    static constexpr int kMin = -293;  // covers the largest double, and the retry one lower
    static constexpr int kMax = 340;   // covers the smallest subnormal

    CPowersOfTen()
    {
        // Built in 192 bits: every step truncates, so the error stays far below the kept 128 bits.
        uint32_t w[6] = { 0, 0, 0, 0, 0, 0x80000000u };
        int q = -191;
        Store(0, w, q);
        for (int k = 1; k <= kMax; ++k) {
            uint32_t carry = 0;
            for (uint32_t& limb : w) {
                const uint64_t t = static_cast<uint64_t>(limb) * 10 + carry;
                limb = static_cast<uint32_t>(t);
                carry = static_cast<uint32_t>(t >> 32);
            }
            int shift = 0;
            while (carry >> shift)
                ++shift;
            for (int i = 0; i < 6; ++i)
                w[i] = (w[i] >> shift) | (i < 5 ? static_cast<uint32_t>(static_cast<uint64_t>(w[i + 1]) << (32 - shift))
                                                : static_cast<uint32_t>(static_cast<uint64_t>(carry) << (32 - shift)));
            q += shift;
            Store(k, w, q);
        }
        uint32_t v[6] = { 0, 0, 0, 0, 0, 0x80000000u };
        q = -191;
        for (int k = -1; k >= kMin; --k) {
            uint64_t rest = 0;
            for (int i = 5; i >= 0; --i) {
                const uint64_t t = rest << 32 | v[i];
                v[i] = static_cast<uint32_t>(t / 10);
                rest = t % 10;
            }
            while (!(v[5] & 0x80000000u)) {
                for (int i = 5; i > 0; --i)
                    v[i] = v[i] << 1 | v[i - 1] >> 31;
                v[0] <<= 1;
                --q;
            }
            Store(k, v, q);
        }
    }
    const uint32_t* Mantissa(int k) const { return m_c[k - kMin]; }
    int Exponent(int k) const { return m_q[k - kMin]; }

private:
    void Store(int k, const uint32_t w[6], int q)
    {
        std::memcpy(m_c[k - kMin], w + 2, 4 * sizeof(uint32_t));
        m_q[k - kMin] = q + 64;
    }

    uint32_t m_c[kMax - kMin + 1][4];
    int m_q[kMax - kMin + 1];
};

const CPowersOfTen& PowersOfTen()
{
    static const CPowersOfTen table;
    return table;
}

// 64 bits of a 192-bit number from bit b up (0 <= b <= 128).
uint64_t Bits64(const uint32_t p[6], int b)
{
    const int w = b >> 5, r = b & 31;
    const uint64_t low = p[w] | static_cast<uint64_t>(w + 1 < 6 ? p[w + 1] : 0) << 32;
    if (!r)
        return low;
    const uint32_t high = w + 2 < 6 ? p[w + 2] : 0;
    return low >> r | static_cast<uint64_t>(high) << (64 - r);
}

constexpr uint64_t kTenTo16 = 10000000000000000ull;
constexpr uint64_t kTenTo17 = 100000000000000000ull;
constexpr uint64_t kHalf = 1ull << 63;
// Fraction units (2^-64) either side of one half in which the rounding is left to the exact method;
// the approximation errs by less than 2 of them.
constexpr uint64_t kTieMargin = 16;

// The 17 significant digits of a positive finite v, correctly rounded, and the decimal exponent of
// the first; false when the 128-bit approximation cannot decide the rounding (near a tie).
bool SeventeenDigits(double v, uint64_t& digits, int& exponent)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int field = static_cast<int>(bits >> 52 & 0x7FF);
    uint64_t m = bits & ((1ull << 52) - 1);
    int e2 = -1074, length = 53;
    if (field) {
        m |= 1ull << 52;
        e2 = field - 1075;
    } else {
        length = 0;
        for (uint64_t t = m; t; t >>= 1)
            ++length;
    }
    // floor(E * log10(2)) for the binary exponent E: the decimal exponent or one below it.
    const int e = e2 + length - 1;
    const int scaled = e * 78913;
    const int estimate = scaled >= 0 ? scaled / 262144 : (scaled - 262143) / 262144;
    const CPowersOfTen& powers = PowersOfTen();
    for (int k = 16 - estimate; k >= 15 - estimate; --k) {
        if (k < CPowersOfTen::kMin || k > CPowersOfTen::kMax)
            return false;
        const uint32_t* c = powers.Mantissa(k);
        const uint32_t m0 = static_cast<uint32_t>(m), m1 = static_cast<uint32_t>(m >> 32);
        uint32_t p[6];
        uint64_t carry = 0;
        for (int i = 0; i < 4; ++i) {
            const uint64_t t = static_cast<uint64_t>(c[i]) * m0 + carry;
            p[i] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        p[4] = static_cast<uint32_t>(carry);
        carry = 0;
        for (int i = 0; i < 4; ++i) {
            const uint64_t t = static_cast<uint64_t>(c[i]) * m1 + p[i + 1] + carry;
            p[i + 1] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        p[5] = static_cast<uint32_t>(carry);
        // v * 10^k = p * 2^-shift.
        const int shift = -(e2 + powers.Exponent(k));
        if (shift < 64 || shift > 128)
            return false;
        const uint64_t whole = Bits64(p, shift);
        if (whole >= kTenTo17)
            continue;
        if (whole < kTenTo16)
            return false;
        const uint64_t fraction = Bits64(p, shift - 64);
        if (fraction - (kHalf - kTieMargin) <= 2 * kTieMargin)
            return false;
        digits = whole + (fraction > kHalf);
        exponent = 16 - k;
        if (digits == kTenTo17) {
            digits = kTenTo16;
            ++exponent;
        }
        return true;
    }
    return false;
}

// "%.17g" from the digits: fixed notation for exponents -4 ... 16, else scientific.
char* PutGeneral(char* out, uint64_t value, int exponent)
{
    char d[17];
    const uint32_t high = static_cast<uint32_t>(value / kTenTo8);
    d[0] = static_cast<char>('0' + high / kTenTo8);
    PutEight(d + 1, high % kTenTo8);
    PutEight(d + 9, static_cast<uint32_t>(value - static_cast<uint64_t>(high) * kTenTo8));
    int n = 17;
    while (n > 1 && d[n - 1] == '0')
        --n;
    if (exponent < -4 || exponent >= 17) {
        *out++ = d[0];
        if (n > 1) {
            *out++ = '.';
            std::memcpy(out, d + 1, static_cast<size_t>(n - 1));
            out += n - 1;
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const uint32_t magnitude = static_cast<uint32_t>(exponent < 0 ? -exponent : exponent);
        if (magnitude < 10)
            *out++ = '0';
        return PutDigits32(out, magnitude);
    }
    if (exponent < 0) {
        std::memcpy(out, "0.000", static_cast<size_t>(1 - exponent));
        out += 1 - exponent;
        std::memcpy(out, d, static_cast<size_t>(n));
        return out + n;
    }
    const int whole = exponent + 1;
    if (n <= whole) {
        std::memcpy(out, d, static_cast<size_t>(n));
        std::memset(out + n, '0', static_cast<size_t>(whole - n));
        return out + whole;
    }
    std::memcpy(out, d, static_cast<size_t>(whole));
    out[whole] = '.';
    std::memcpy(out + whole + 1, d + whole, static_cast<size_t>(n - whole));
    return out + n + 1;
}

}  // namespace

char* PrintUnsigned(char* out, uint64_t v)
{
    if (v >> 32 == 0)
        return PutDigits32(out, static_cast<uint32_t>(v));
    const uint64_t high = v / kTenTo8;
    const uint32_t low = static_cast<uint32_t>(v - high * kTenTo8);
    return PutEight(PrintUnsigned(out, high), low);
}

char* PrintSigned(char* out, int64_t v)
{
    if (v >= 0)
        return PrintUnsigned(out, static_cast<uint64_t>(v));
    *out++ = '-';
    return PrintUnsigned(out, 0 - static_cast<uint64_t>(v));
}

size_t DecimalDigits(uint64_t v)
{
    size_t n = 1;
    for (uint64_t limit = 10; v >= limit; limit *= 10) {
        ++n;
        if (n == 20)
            break;  // 10^20 does not fit
    }
    return n;
}

char* PrintReal(char* out, double v)
{
    const auto put = [out](const char* text, size_t n) {
        std::memcpy(out, text, n);
        return out + n;
    };
    if (std::isnan(v))
        return put("nan", 3);
    if (std::isinf(v))
        return v > 0 ? put("+infinity", 9) : put("-infinity", 9);
    if (v == 0)
        return put("0.0", 3);
    uint64_t digits;
    int exponent;
    if (SeventeenDigits(std::fabs(v), digits, exponent)) {
        if (v < 0)
            *out++ = '-';
        return PutGeneral(out, digits, exponent);
    }
    return std::to_chars(out, out + kRealTextMax, v, std::chars_format::general, 17).ptr;
}

void AppendReal(std::string& out, double v)
{
    char buf[kRealTextMax];
    out.append(buf, static_cast<size_t>(PrintReal(buf, v) - buf));
}

namespace {

// v in decimal, zero-padded to width digits.
char* PutPadded(char* out, uint64_t v, int width)
{
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    while (n < width)
        digits[n++] = '0';
    while (n)
        *out++ = digits[--n];
    return out;
}

}  // namespace

char* PrintDate(char* out, double seconds)
{
    // Beyond this the calendar arithmetic leaves 64-bit range; such dates cannot be printed.
    if (!std::isfinite(seconds) || std::fabs(seconds) > 9.0e15)
        return nullptr;
    const int64_t s = static_cast<int64_t>(std::floor(seconds));
    int64_t days = s / 86400, rem = s % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    int64_t y;
    unsigned m, d;
    CivilFromDays(days + kDaysFrom1970To2001, y, m, d);
    // The year as "%04lld" prints it: four places, the sign taking one of them.
    if (y < 0) {
        *out++ = '-';
        out = PutPadded(out, 0 - static_cast<uint64_t>(y), 3);
    } else {
        out = PutPadded(out, static_cast<uint64_t>(y), 4);
    }
    const unsigned fields[5] = { m, d, static_cast<unsigned>(rem / 3600), static_cast<unsigned>(rem / 60 % 60),
                                 static_cast<unsigned>(rem % 60) };
    const char separators[5] = { '-', '-', 'T', ':', ':' };
    for (int i = 0; i < 5; ++i) {
        *out++ = separators[i];
        *out++ = static_cast<char>('0' + fields[i] / 10);
        *out++ = static_cast<char>('0' + fields[i] % 10);
    }
    *out++ = 'Z';
    return out;
}

bool AppendDate(std::string& out, double seconds)
{
    char buf[kDateTextMax];
    char* end = PrintDate(buf, seconds);
    if (!end)
        return false;
    out.append(buf, static_cast<size_t>(end - buf));
    return true;
}

double DateFromFields(int64_t year, int month, int day, int hour, int minute, int second)
{
    static const int kDaysBeforeMonth[16] = { 0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365, 0, 0 };
    int64_t days = DaysFromCivil(year, 1, 1) - kDaysFrom1970To2001;
    days += kDaysBeforeMonth[month] + (month >= 3 && IsLeap(year) ? 1 : 0) + day - 1;
    return static_cast<double>(days) * 86400.0 + hour * 3600.0 + minute * 60.0 + second;
}

bool ParseRealText(const std::u16string& text, double& value)
{
    // Special words, whole content, any case.
    if (text.size() <= 9) {
        char w[9];
        size_t n = 0;
        for (char16_t c : text) {
            if (c >= 0x80) {
                n = 0;
                break;
            }
            w[n++] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        if (n) {
            std::string_view word(w, n);
            const bool neg = word[0] == '-';
            if (word[0] == '+' || word[0] == '-')
                word.remove_prefix(1);
            if (word == "inf" || word == "infinity") {
                value = neg ? -HUGE_VAL : HUGE_VAL;
                return true;
            }
            if (std::string_view(w, n) == "nan") {
                value = NAN;
                return true;
            }
        }
    }
    size_t i = 0;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (!(c < 0x21 || (c >= 0x7F && c <= 0xA0) || (c >= 0x2000 && c <= 0x200B) || c == 0x3000))
            break;
    }
    std::string run;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E')
            run.push_back(static_cast<char>(c));
        else
            return false;
    }
    const char* first = run.data();
    const char* last = first + run.size();
    if (first < last && *first == '+') {
        ++first;
        if (first < last && (*first == '-' || *first == '+'))
            return false;
    }
    double d = 0;
    auto r = std::from_chars(first, last, d, std::chars_format::general);
    if (r.ptr == first)
        return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Overflow or underflow, told by the decimal magnitude of the first significant digit.
        const char* p = first;
        const bool neg = *p == '-';
        if (neg)
            ++p;
        long long magnitude = 0;
        bool significant = false, point = false;
        for (; p < r.ptr && *p != 'e' && *p != 'E'; ++p) {
            if (*p == '.') {
                point = true;
                continue;
            }
            if (*p != '0')
                significant = true;
            if (!point && significant)
                ++magnitude;
            if (point && !significant)
                --magnitude;
        }
        long long exp = 0;
        if (p + 1 < r.ptr) {
            const char* e = p + 1;
            bool eneg = *e == '-';
            if (*e == '+' || *e == '-')
                ++e;
            for (; e < r.ptr && exp < 100000; ++e)
                exp = exp * 10 + (*e - '0');
            if (eneg)
                exp = -exp;
        }
        magnitude += exp;
        d = magnitude > 0 ? (neg ? -HUGE_VAL : HUGE_VAL) : (neg ? -0.0 : 0.0);
    }
    value = d;
    return true;
}

int LineAt(const char* begin, const char* pos)
{
    int line = 1;
    for (const char* p = begin; p < pos; ++p) {
        if (*p == '\r') {
            ++line;
            if (p + 1 < pos && p[1] == '\n')
                ++p;
        } else if (*p == '\n') {
            ++line;
        }
    }
    return line;
}

}  // namespace cf
