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
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
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

bool IsLeap(int64_t y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

}  // namespace

char* PrintReal(char* out, double v) {
    const auto put = [out](const char* text, size_t n) { std::memcpy(out, text, n); return out + n; };
    if (std::isnan(v)) return put("nan", 3);
    if (std::isinf(v)) return v > 0 ? put("+infinity", 9) : put("-infinity", 9);
    if (v == 0) return put("0.0", 3);
    return std::to_chars(out, out + kRealTextMax, v, std::chars_format::general, 17).ptr;
}

void AppendReal(std::string& out, double v) {
    char buf[kRealTextMax];
    out.append(buf, static_cast<size_t>(PrintReal(buf, v) - buf));
}

namespace {

// v in decimal, zero-padded to width digits.
char* PutPadded(char* out, uint64_t v, int width) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    while (n < width) digits[n++] = '0';
    while (n) *out++ = digits[--n];
    return out;
}

}  // namespace

char* PrintDate(char* out, double seconds) {
    // Beyond this the calendar arithmetic leaves 64-bit range; such dates cannot be printed.
    if (!std::isfinite(seconds) || std::fabs(seconds) > 9.0e15) return nullptr;
    const int64_t s = static_cast<int64_t>(std::floor(seconds));
    int64_t days = s / 86400, rem = s % 86400;
    if (rem < 0) { rem += 86400; --days; }
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
    const unsigned fields[5] = {m, d, static_cast<unsigned>(rem / 3600), static_cast<unsigned>(rem / 60 % 60),
                                static_cast<unsigned>(rem % 60)};
    const char separators[5] = {'-', '-', 'T', ':', ':'};
    for (int i = 0; i < 5; ++i) {
        *out++ = separators[i];
        *out++ = static_cast<char>('0' + fields[i] / 10);
        *out++ = static_cast<char>('0' + fields[i] % 10);
    }
    *out++ = 'Z';
    return out;
}

bool AppendDate(std::string& out, double seconds) {
    char buf[kDateTextMax];
    char* end = PrintDate(buf, seconds);
    if (!end) return false;
    out.append(buf, static_cast<size_t>(end - buf));
    return true;
}

double DateFromFields(int64_t year, int month, int day, int hour, int minute, int second) {
    static const int kDaysBeforeMonth[16] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365, 0, 0};
    int64_t days = DaysFromCivil(year, 1, 1) - kDaysFrom1970To2001;
    days += kDaysBeforeMonth[month] + (month >= 3 && IsLeap(year) ? 1 : 0) + day - 1;
    return static_cast<double>(days) * 86400.0 + hour * 3600.0 + minute * 60.0 + second;
}

bool ParseRealText(const std::u16string& text, double& value) {
    // Special words, whole content, any case.
    if (text.size() <= 9) {
        char w[9];
        size_t n = 0;
        for (char16_t c : text) {
            if (c >= 0x80) { n = 0; break; }
            w[n++] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        if (n) {
            std::string_view word(w, n);
            const bool neg = word[0] == '-';
            if (word[0] == '+' || word[0] == '-') word.remove_prefix(1);
            if (word == "inf" || word == "infinity") {
                value = neg ? -HUGE_VAL : HUGE_VAL;
                return true;
            }
            if (std::string_view(w, n) == "nan") { value = NAN; return true; }
        }
    }
    size_t i = 0;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (!(c < 0x21 || (c >= 0x7F && c <= 0xA0) || (c >= 0x2000 && c <= 0x200B) || c == 0x3000)) break;
    }
    std::string run;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E') run.push_back(static_cast<char>(c));
        else return false;
    }
    const char* first = run.data();
    const char* last = first + run.size();
    if (first < last && *first == '+') {
        ++first;
        if (first < last && (*first == '-' || *first == '+')) return false;
    }
    double d = 0;
    auto r = std::from_chars(first, last, d, std::chars_format::general);
    if (r.ptr == first) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Overflow or underflow, told by the decimal magnitude of the first significant digit.
        const char* p = first;
        const bool neg = *p == '-';
        if (neg) ++p;
        long long magnitude = 0;
        bool significant = false, point = false;
        for (; p < r.ptr && *p != 'e' && *p != 'E'; ++p) {
            if (*p == '.') { point = true; continue; }
            if (*p != '0') significant = true;
            if (!point && significant) ++magnitude;
            if (point && !significant) --magnitude;
        }
        long long exp = 0;
        if (p + 1 < r.ptr) {
            const char* e = p + 1;
            bool eneg = *e == '-';
            if (*e == '+' || *e == '-') ++e;
            for (; e < r.ptr && exp < 100000; ++e) exp = exp * 10 + (*e - '0');
            if (eneg) exp = -exp;
        }
        magnitude += exp;
        d = magnitude > 0 ? (neg ? -HUGE_VAL : HUGE_VAL) : (neg ? -0.0 : 0.0);
    }
    value = d;
    return true;
}

int LineAt(const char* begin, const char* pos) {
    int line = 1;
    for (const char* p = begin; p < pos; ++p) {
        if (*p == '\r') {
            ++line;
            if (p + 1 < pos && p[1] == '\n') ++p;
        } else if (*p == '\n') {
            ++line;
        }
    }
    return line;
}

}  // namespace cf
