// XML output, byte for byte in the established layout (tabs, sorted keys, 76-column base64).
#include "Internal.h"
#include "Text.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cf {
namespace {

// Text is looked at in blocks of this many units: a block of ASCII without & < > is copied whole.
constexpr size_t kPlainBlock = 8;

// Whether the kPlainBlock units at p are plain ASCII; if so and out is set, their bytes go there.
inline bool PlainBlock(const char16_t* p, char* out) {
#if defined(__SSE2__)
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i nonASCII = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(nonASCII, _mm_setzero_si128())) != 0xFFFF) return false;
    const __m128i bytes = _mm_packus_epi16(units, units);  // every unit is below 0x80 now
    const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('&')),
                                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('<'))),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('>')));
    if (_mm_movemask_epi8(special)) return false;
    if (out) _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
    return true;
#else
    (void)p, (void)out;
    return false;
#endif
}

const char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";
const char kTrailer[] = "</plist>\n";
constexpr size_t kTrailerLength = sizeof kTrailer - 1;
// Indents up to this many tabs are written whole; it must not exceed kTrailerLength.
constexpr size_t kShortIndent = 8;
static_assert(kShortIndent <= kTrailerLength, "an indent may write into the room of the closing tag");

// A string object recently sized or written, and where its bytes went.
struct CRecentString {
    const CStringValue* text;  // borrowed from the value being written
    const char* bytes;         // its escaped bytes in the output (the writer's only)
    size_t size;               // their count
};
constexpr size_t kRecentStrings = 256;
inline size_t RecentSlot(const CStringValue* s) {
    return (reinterpret_cast<uintptr_t>(s) >> 4) & (kRecentStrings - 1);
}

// The bytes Write produces, exact but for reals and far dates (bounded), so the output is allocated
// once and hardly more of it is filled than is written.
class CXmlSizer {
public:
    size_t Size(const CObject* v, int depth) {
        const size_t tabs = static_cast<size_t>(depth);
        switch (v->GetKind()) {
        case Kind::String: return tabs + 18 + Text(static_cast<const CStringValue*>(v));
        case Kind::Integer: {
            auto n = static_cast<const CIntegerValue*>(v);
            const uint64_t u = static_cast<uint64_t>(n->m_value);
            const bool negative = !n->UnsignedBig() && n->m_value < 0;
            return tabs + 20 + negative + DecimalDigits(negative ? 0 - u : u);
        }
        case Kind::Real: return tabs + 14 + kRealTextMax;
        case Kind::Date: {
            // Years 0001 ... 9999 print in 20 characters.
            const double s = static_cast<const CDateValue*>(v)->m_seconds;
            return tabs + 14 + (s > -6.3e10 && s < 2.5e11 ? 20 : kDateTextMax);
        }
        case Kind::Boolean: return tabs + (static_cast<const CSingletonValue*>(v)->m_flag ? 8 : 9);
        case Kind::UID: return 4 * tabs + 55 + DecimalDigits(static_cast<const CUIDValue*>(v)->m_value);
        case Kind::Data: {
            const size_t n = static_cast<const CDataValue*>(v)->m_bytes.size();
            const size_t lineChars = static_cast<size_t>(76 - 8 * (depth < 8 ? depth : 8));
            const size_t chars = (n + 2) / 3 * 4;
            const size_t lines = (chars + lineChars - 1) / lineChars;
            return 2 * tabs + 15 + chars + lines * (static_cast<size_t>(depth < 8 ? depth : 8) + 1);
        }
        case Kind::Array: {
            auto& items = static_cast<const CArrayValue*>(v)->m_items;
            if (items.empty()) return tabs + 9;
            size_t total = 2 * tabs + 17;
            for (const CObject* item : items) total += Size(item, depth + 1);
            return total;
        }
        case Kind::Dictionary: {
            auto& entries = static_cast<const CDictionaryValue*>(v)->m_entries;
            if (entries.empty()) return tabs + 8;
            size_t total = 2 * tabs + 15;
            for (const auto& e : entries) {
                if (IsStringKey(e.first)) total += tabs + 13 + Text(static_cast<const CStringValue*>(e.first));
                total += Size(e.second, depth + 1);
            }
            return total;
        }
        default: return 0;
        }
    }

private:
    // Keys and repeated values are shared objects: each is measured once while it stays in the slot.
    size_t Text(const CStringValue* s) {
        CRecentString& slot = m_recent[RecentSlot(s)];
        if (slot.text != s) slot = CRecentString{s, nullptr, Text(s->Text())};
        return slot.size;
    }

    static size_t Text(std::u16string_view t) {
        const char16_t* p = t.data();
        const size_t size = t.size();
        size_t n = size;
        for (size_t i = 0; i < size;) {
            if (size - i >= kPlainBlock && PlainBlock(p + i, nullptr)) {
                i += kPlainBlock;
                continue;
            }
            for (const size_t stop = size - i > kPlainBlock ? i + kPlainBlock : size; i < stop; ++i) {
                const char16_t c = p[i];
                if (c < 0x80) n += c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
                else n += c < 0x800 ? 1 : 2;
            }
        }
        return n;
    }

    CRecentString m_recent[kRecentStrings] = {};
};

// Writes into a buffer already sized by CXmlSizer.
class CXmlWriter {
public:
    explicit CXmlWriter(char* out) : m_p(out) {}
    bool Write(const CObject* v, int depth);
    char* End() const { return m_p; }

private:
    CF_NOINLINE bool WriteScalar(const CObject* v, int depth);
    template <size_t N> void Put(const char (&text)[N]) { std::memcpy(m_p, text, N - 1); m_p += N - 1; }
    // Usual depths as one fixed-size copy instead of a library call per line. Bytes past depth are
    // overwritten by the tag that follows, and the closing "</plist>\n" always follows in the room.
    void Indent(int depth) {
        static const char kTabs[kShortIndent + 1] = "\t\t\t\t\t\t\t\t";
        if (depth <= static_cast<int>(kShortIndent)) std::memcpy(m_p, kTabs, kShortIndent);
        else std::memset(m_p, '\t', static_cast<size_t>(depth));
        m_p += depth;
    }
    // A string met again (keys, repeated values) copies its bytes from where they were written.
    void Escaped(const CStringValue* s) {
        CRecentString& slot = m_recent[RecentSlot(s)];
        if (slot.text == s) {
            std::memcpy(m_p, slot.bytes, slot.size);
            m_p += slot.size;
            return;
        }
        char* start = m_p;
        Escaped(s->Text());
        slot = CRecentString{s, start, static_cast<size_t>(m_p - start)};
    }
    void Escaped(std::u16string_view text);
    void Base64(const std::string& bytes, int depth);

    char* m_p;  // cursor into the caller's buffer
    CRecentString m_recent[kRecentStrings] = {};
};

void CXmlWriter::Escaped(std::u16string_view text) {
    const char16_t* p = text.data();
    const size_t n = text.size();
    char* d = m_p;
    for (size_t i = 0, stop = 0; i < n; ++i) {
        if (i >= stop) {
            if (n - i >= kPlainBlock && PlainBlock(p + i, d)) {
                d += kPlainBlock;
                i += kPlainBlock - 1;
                continue;
            }
            stop = n - i > kPlainBlock ? i + kPlainBlock : n;  // one block unit by unit
        }
        uint32_t c = p[i];
        if (c < 0x80) {
            if (c == '&') { std::memcpy(d, "&amp;", 5); d += 5; }
            else if (c == '<') { std::memcpy(d, "&lt;", 4); d += 4; }
            else if (c == '>') { std::memcpy(d, "&gt;", 4); d += 4; }
            else *d++ = static_cast<char>(c);
            continue;
        }
        if (c < 0x800) {
            *d++ = static_cast<char>(0xC0 | c >> 6);
            *d++ = static_cast<char>(0x80 | (c & 0x3F));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (p[i + 1] - 0xDC00u);
                ++i;
                *d++ = static_cast<char>(0xF0 | c >> 18);
                *d++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
                *d++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
                *d++ = static_cast<char>(0x80 | (c & 0x3F));
                continue;
            }
            c = 0xFFFD;  // an unpaired surrogate
        }
        *d++ = static_cast<char>(0xE0 | c >> 12);
        *d++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *d++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    m_p = d;
}

void CXmlWriter::Base64(const std::string& bytes, int depth) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const int tabs = depth < 8 ? depth : 8;
    const size_t lineBytes = static_cast<size_t>(76 - 8 * tabs) / 4 * 3;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    char* dst = m_p;
    for (size_t start = 0; start < n; start += lineBytes) {
        for (int t = 0; t < tabs; ++t) *dst++ = '\t';
        const size_t stop = start + lineBytes < n ? start + lineBytes : n;
        size_t i = start;
        for (; i + 3 <= stop; i += 3) {
            const uint32_t v = static_cast<uint32_t>(p[i]) << 16 | static_cast<uint32_t>(p[i + 1]) << 8 | p[i + 2];
            dst[0] = kAlphabet[v >> 18];
            dst[1] = kAlphabet[v >> 12 & 63];
            dst[2] = kAlphabet[v >> 6 & 63];
            dst[3] = kAlphabet[v & 63];
            dst += 4;
        }
        if (i < stop) {
            const uint32_t v = static_cast<uint32_t>(p[i]) << 16 | (i + 1 < stop ? static_cast<uint32_t>(p[i + 1]) << 8 : 0);
            dst[0] = kAlphabet[v >> 18];
            dst[1] = kAlphabet[v >> 12 & 63];
            dst[2] = i + 1 < stop ? kAlphabet[v >> 6 & 63] : '=';
            dst[3] = '=';
            dst += 4;
        }
        *dst++ = '\n';
    }
    m_p = dst;
}

bool CXmlWriter::WriteScalar(const CObject* v, int depth) {
    switch (v->GetKind()) {
    case Kind::String:
        Put("<string>");
        Escaped(static_cast<const CStringValue*>(v));
        Put("</string>\n");
        return true;
    case Kind::Integer: {
        auto n = static_cast<const CIntegerValue*>(v);
        Put("<integer>");
        m_p = n->UnsignedBig() ? PrintUnsigned(m_p, static_cast<uint64_t>(n->m_value)) : PrintSigned(m_p, n->m_value);
        Put("</integer>\n");
        return true;
    }
    case Kind::Real:
        Put("<real>");
        m_p = PrintReal(m_p, static_cast<const CRealValue*>(v)->m_value);
        Put("</real>\n");
        return true;
    case Kind::Boolean:
        if (static_cast<const CSingletonValue*>(v)->m_flag) Put("<true/>\n");
        else Put("<false/>\n");
        return true;
    case Kind::Date: {
        Put("<date>");
        char* end = PrintDate(m_p, static_cast<const CDateValue*>(v)->m_seconds);
        if (!end) return false;
        m_p = end;
        Put("</date>\n");
        return true;
    }
    case Kind::Data:
        Put("<data>\n");
        Base64(static_cast<const CDataValue*>(v)->m_bytes, depth);
        Indent(depth);
        Put("</data>\n");
        return true;
    case Kind::UID: {
        Put("<dict>\n");
        Indent(depth + 1);
        Put("<key>CF$UID</key>\n");
        Indent(depth + 1);
        Put("<integer>");
        m_p = PrintUnsigned(m_p, static_cast<const CUIDValue*>(v)->m_value);
        Put("</integer>\n");
        Indent(depth);
        Put("</dict>\n");
        return true;
    }
    default:
        return false;
    }
}

bool CXmlWriter::Write(const CObject* v, int depth) {
    if (depth > kMaxNesting + 1) return false;
    Indent(depth);
    switch (v->GetKind()) {
    case Kind::Array: {
        auto& items = static_cast<const CArrayValue*>(v)->m_items;
        if (items.empty()) {
            Put("<array/>\n");
            return true;
        }
        Put("<array>\n");
        for (const CObject* item : items)
            if (!Write(item, depth + 1)) return false;
        Indent(depth);
        Put("</array>\n");
        return true;
    }
    case Kind::Dictionary: {
        auto& entries = static_cast<const CDictionaryValue*>(v)->m_entries;
        if (entries.empty()) {
            Put("<dict/>\n");
            return true;
        }
        Put("<dict>\n");
        for (const auto& e : entries) {
            if (!IsStringKey(e.first)) return false;
            Indent(depth + 1);
            Put("<key>");
            Escaped(static_cast<const CStringValue*>(e.first));
            Put("</key>\n");
            if (!Write(e.second, depth + 1)) return false;
        }
        Indent(depth);
        Put("</dict>\n");
        return true;
    }
    default:
        return WriteScalar(v, depth);
    }
}

}  // namespace

bool WriteXML(const CObject* value, std::string& out) {
    if (!value) return false;
    try {
        if (!IsValid(value, kFormatXML)) return false;
        const size_t base = out.size();
        const size_t headerLen = sizeof kHeader - 1;
        CXmlSizer sizer;
        out.resize(base + headerLen + sizer.Size(value, 0) + kTrailerLength);
        std::memcpy(&out[base], kHeader, headerLen);
        CXmlWriter writer(&out[base + headerLen]);
        if (!writer.Write(value, 0)) return false;
        char* end = writer.End();
        if (end + kTrailerLength > &out[0] + out.size()) std::abort();  // the sizer undercounted: memory is already overrun
        std::memcpy(end, kTrailer, kTrailerLength);
        out.resize(static_cast<size_t>(end + kTrailerLength - out.data()));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

}  // namespace cf
