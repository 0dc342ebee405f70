// Text conversions used by the readers, the writers and the DLL's string functions.
#include "Text.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cf {
namespace {

CodePageDecoder g_decoder = nullptr;  // installed once by the DLL before any call

// Windows-1252 0x80-0x9F; 0 marks an undefined byte.
const char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

inline bool IsCont(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of a valid sequence starting at p (lead byte >= 0x80), or 0.
inline size_t ValidSequence(const unsigned char* p, const unsigned char* end) {
    unsigned char c = p[0];
    size_t avail = static_cast<size_t>(end - p);
    if (c >= 0xC2 && c <= 0xDF) return avail >= 2 && IsCont(p[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (avail < 3 || !IsCont(p[1]) || !IsCont(p[2])) return 0;
        if (c == 0xE0 && p[1] < 0xA0) return 0;  // overlong
        if (c == 0xED && p[1] >= 0xA0) return 0; // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (avail < 4 || !IsCont(p[1]) || !IsCont(p[2]) || !IsCont(p[3])) return 0;
        if (c == 0xF0 && p[1] < 0x90) return 0;
        if (c == 0xF4 && p[1] >= 0x90) return 0;
        return 4;
    }
    return 0;
}

inline bool AsciiWord(const unsigned char* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ull) == 0;
}

}  // namespace

bool ValidateUTF8(const char* bytes, size_t size, std::string& fixed, bool& changed) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + size;
    const unsigned char* start = p;
    changed = false;
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        start = p += 3;
        changed = true;
    }
    const unsigned char* copied = start;  // input up to here is already in fixed
    while (p < end) {
        while (end - p >= 8 && AsciiWord(p)) p += 8;
        if (p >= end) break;
        if (*p < 0x80) { ++p; continue; }
        size_t n = ValidSequence(p, end);
        if (n) { p += n; continue; }
        if (*p != 0xA9) return false;
        if (!changed) fixed.clear();
        changed = true;
        fixed.append(reinterpret_cast<const char*>(copied), static_cast<size_t>(p - copied));
        fixed.append("\xEF\xBF\xBD");
        copied = ++p;
    }
    if (changed) {
        if (copied == start) fixed.assign(reinterpret_cast<const char*>(start), static_cast<size_t>(end - start));
        else fixed.append(reinterpret_cast<const char*>(copied), static_cast<size_t>(end - copied));
    }
    return true;
}

// Steps through the bytes exactly as CopyUTF16 does, so the count always matches what it writes.
size_t UTF16Length(const char* bytes, size_t size) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + size;
    size_t n = 0;
    while (p < end) {
        while (end - p >= 8 && AsciiWord(p)) {
            n += 8;
            p += 8;
        }
        if (p == end) break;
        const unsigned char c = *p;
        n += c >= 0xF0 ? 2 : 1;
        p += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    }
    return n;
}

void CopyUTF16(char16_t* out, const char* bytes, size_t size) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + size;
    while (p < end) {
        while (end - p >= 8 && AsciiWord(p)) {
            for (int i = 0; i < 8; ++i) out[i] = p[i];
            out += 8;
            p += 8;
        }
        if (p == end) break;
        unsigned char c = *p;
        if (c < 0x80) { *out++ = c; ++p; continue; }
        uint32_t cp;
        if (c < 0xE0) { cp = (c & 0x1Fu) << 6 | (p[1] & 0x3Fu); p += 2; }
        else if (c < 0xF0) { cp = (c & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu); p += 3; }
        else {
            cp = (c & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
            p += 4;
            cp -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
            continue;
        }
        *out++ = static_cast<char16_t>(cp);
    }
}

// ASCII bytes to UTF-16 units, eight at a time where the instructions allow.
void WidenASCII(const uint8_t* p, size_t count, char16_t* text) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= count; i += 8) {
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(text + i), _mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
    }
#endif
    for (; i < count; ++i) text[i] = p[i];
}

void AppendUTF16(std::u16string& out, const char* bytes, size_t size) {
    const size_t at = out.size();
    out.resize(at + UTF16Length(bytes, size));
    CopyUTF16(&out[0] + at, bytes, size);
}

bool DecodeUTF8(const char* bytes, size_t size, std::u16string& out) {
    std::string fixed;
    bool changed = false;
    if (!ValidateUTF8(bytes, size, fixed, changed)) return false;
    out.clear();
    if (changed) AppendUTF16(out, fixed.data(), fixed.size());
    else AppendUTF16(out, bytes, size);
    return true;
}

void AppendUTF8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        char b[2] = {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        out.append(b, 2);
    } else if (cp < 0x10000) {
        char b[3] = {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
                     static_cast<char>(0x80 | (cp & 0x3F))};
        out.append(b, 3);
    } else {
        char b[4] = {static_cast<char>(0xF0 | cp >> 18), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
                     static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
        out.append(b, 4);
    }
}

bool EncodeUTF8(const char16_t* text, size_t size, std::string& out, Surrogates mode) {
    for (size_t i = 0; i < size; ++i) {
        uint32_t c = text[i];
        if (c < 0x80) { out.push_back(static_cast<char>(c)); continue; }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                AppendUTF8(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
                ++i;
                continue;
            }
            if (mode == Surrogates::Fail) return false;
            if (mode == Surrogates::Replace) c = 0xFFFD;
        }
        AppendUTF8(out, c);
    }
    return true;
}

void SetCodePageDecoder(CodePageDecoder decoder) { g_decoder = decoder; }

bool DecodeCodePage(uint32_t codePage, const char* bytes, size_t size, std::u16string& out) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    out.clear();
    switch (codePage) {
    case kCodePageUTF8:
        return DecodeUTF8(bytes, size, out);
    case kCodePageUTF16LE:
    case kCodePageUTF16BE: {
        if (size % 2) return false;
        out.resize(size / 2);
        for (size_t i = 0; i < size / 2; ++i)
            out[i] = codePage == kCodePageUTF16LE ? static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8)
                                                  : static_cast<char16_t>(p[2 * i] << 8 | p[2 * i + 1]);
        return true;
    }
    case 28591:
        out.assign(p, p + size);
        return true;
    case 20127:
        for (size_t i = 0; i < size; ++i)
            if (p[i] >= 0x80) return false;
        out.assign(p, p + size);
        return true;
    case 1252:
        if (g_decoder) break;
        out.resize(size);
        for (size_t i = 0; i < size; ++i) {
            char16_t c = p[i] >= 0x80 && p[i] < 0xA0 ? kCp1252High[p[i] - 0x80] : p[i];
            if (!c && p[i]) return false;
            out[i] = c;
        }
        return true;
    default:
        break;
    }
    return g_decoder && g_decoder(codePage, bytes, size, out);
}

uint32_t CodePageFromCharsetName(const std::string& name) {
    std::string n;
    for (char c : name) n.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    static const struct { const char* name; uint32_t codePage; } kNames[] = {
        {"utf-8", 65001}, {"utf8", 65001},
        {"utf-16", 1201}, {"utf-16be", 1201}, {"utf-16le", 1200},
        {"iso-8859-1", 28591}, {"iso_8859-1", 28591}, {"latin1", 28591}, {"iso-latin-1", 28591}, {"l1", 28591},
        {"iso-8859-2", 28592}, {"iso-8859-3", 28593}, {"iso-8859-4", 28594}, {"iso-8859-5", 28595},
        {"iso-8859-6", 28596}, {"iso-8859-7", 28597}, {"iso-8859-8", 28598}, {"iso-8859-9", 28599},
        {"iso-8859-13", 28603}, {"iso-8859-15", 28605},
        {"us-ascii", 20127}, {"ascii", 20127},
        {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1252", 1252}, {"windows-1253", 1253},
        {"windows-1254", 1254}, {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257},
        {"windows-1258", 1258}, {"cp1252", 1252},
        {"macintosh", 10000}, {"x-mac-roman", 10000}, {"mac", 10000},
        {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"windows-31j", 932},
        {"euc-jp", 20932}, {"gb2312", 936}, {"gbk", 936}, {"big5", 950}, {"euc-kr", 949},
        {"koi8-r", 20866}, {"koi8-u", 21866},
    };
    for (const auto& e : kNames)
        if (n == e.name) return e.codePage;
    return 0;
}

}  // namespace cf
