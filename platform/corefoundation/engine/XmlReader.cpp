// Hand-written XML property-list reader over well-formed UTF-8 text, with the established messages.
#include "Internal.h"
#include "Text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace cf {
namespace {

enum class Tag { Plist, Array, Dict, Key, String, Data, Date, Real, Integer, True, False, Unknown };

Tag TagFromName(const char* n, size_t len) {
    switch (len) {
    case 3: if (!std::memcmp(n, "key", 3)) return Tag::Key; break;
    case 4:
        if (!std::memcmp(n, "dict", 4)) return Tag::Dict;
        if (!std::memcmp(n, "data", 4)) return Tag::Data;
        if (!std::memcmp(n, "date", 4)) return Tag::Date;
        if (!std::memcmp(n, "real", 4)) return Tag::Real;
        if (!std::memcmp(n, "true", 4)) return Tag::True;
        break;
    case 5:
        if (!std::memcmp(n, "plist", 5)) return Tag::Plist;
        if (!std::memcmp(n, "array", 5)) return Tag::Array;
        if (!std::memcmp(n, "false", 5)) return Tag::False;
        break;
    case 6: if (!std::memcmp(n, "string", 6)) return Tag::String; break;
    case 7: if (!std::memcmp(n, "integer", 7)) return Tag::Integer; break;
    }
    return Tag::Unknown;
}

// Every byte above ' ' is not a space: one compare for most bytes of a tag or a value.
inline bool IsXmlSpace(char c) {
    return static_cast<unsigned char>(c) <= ' ' && (c == ' ' || c == '\t' || c == '\n' || c == '\r');
}

inline uint32_t Word(const char* p) {
    uint32_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Equality of short runs (tag names, keys) a word at a time, without a library call per element.
inline bool SameBytes(const char* a, const char* b, size_t n) {
    size_t i = 0;
    for (; i + sizeof(uint32_t) <= n; i += sizeof(uint32_t))
        if (Word(a + i) != Word(b + i)) return false;
    for (; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

const signed char* Base64Table() {
    static signed char table[256];
    static bool ready = false;
    if (!ready) {
        std::memset(table, -1, sizeof table);
        const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
        ready = true;
    }
    return table;
}

// Recently read keys or string values by their raw text, so that a text repeated through the file
// is one shared object (values are never changed once read). A direct-mapped cache: memory stays
// bounded however many distinct texts there are.
class CTextCache {
public:
    CTextCache() : m_slots(kSlots) {}
    CTextCache(const CTextCache&) = delete;
    CTextCache& operator=(const CTextCache&) = delete;
    ~CTextCache() { for (const CSlot& s : m_slots) if (s.value) s.value->Release(); }

    // A new reference to the string of the raw text (UTF-8 without entities; ascii: all below 0x80).
    const CStringValue* Get(const char* raw, size_t size, bool ascii, CPool& pool) {
        // FNV-1a over words, then the last bytes: only this cache sees the hash.
        uint32_t h = 2166136261u;
        size_t i = 0;
        for (; i + sizeof(uint32_t) <= size; i += sizeof(uint32_t)) h = (h ^ Word(raw + i)) * 16777619u;
        for (; i < size; ++i) h = (h ^ static_cast<unsigned char>(raw[i])) * 16777619u;
        h ^= h >> 15;  // the slot index takes the low bits
        CSlot& slot = m_slots[h & (kSlots - 1)];
        if (!slot.value || slot.hash != h || slot.size != size || !SameBytes(slot.raw, raw, size)) {
            const CStringValue* text = ascii ? FromASCII(raw, size, pool) : CStringValue::FromUTF8(raw, size, &pool);
            if (slot.value) slot.value->Release();
            slot = CSlot{text, raw, size, h};
        }
        slot.value->Retain();
        return slot.value;
    }

private:
    static const CStringValue* FromASCII(const char* raw, size_t size, CPool& pool) {
        CStringValue* s = CStringValue::New(size, &pool);
        WidenASCII(reinterpret_cast<const uint8_t*>(raw), size, s->Units());
        return s;
    }

    static constexpr size_t kSlots = 4096;
    struct CSlot {
        const CStringValue* value;  // one reference
        const char* raw;            // borrowed from the text being read
        size_t size;
        uint32_t hash;
    };
    std::vector<CSlot> m_slots;
};

// Recently read integers by value: repeated numbers (years, rates, counts) are one shared object.
class CIntegerCache {
public:
    CIntegerCache() = default;
    CIntegerCache(const CIntegerCache&) = delete;
    CIntegerCache& operator=(const CIntegerCache&) = delete;
    ~CIntegerCache() { for (const CIntegerValue* v : m_slots) if (v) v->Release(); }

    // A new reference to the integer.
    const CIntegerValue* Get(int64_t value, bool unsignedBig, CPool& pool) {
        const uint64_t bits = static_cast<uint64_t>(value);
        const uint32_t h = static_cast<uint32_t>(bits ^ bits >> 32) * 2654435761u;  // Knuth's multiplier
        const CIntegerValue*& slot = m_slots[h >> (32 - kSlotBits)];
        if (!slot || slot->m_value != value || slot->UnsignedBig() != unsignedBig) {
            const CIntegerValue* v = pool.New<CIntegerValue>(0, value, unsignedBig);
            if (slot) slot->Release();
            slot = v;
        }
        slot->Retain();
        return slot;
    }

private:
    static constexpr int kSlotBits = 10;
    const CIntegerValue* m_slots[1 << kSlotBits] = {};  // one reference each
};

class CXmlReader {
public:
    CXmlReader(const char* text, size_t size, unsigned flags)
        : m_begin(text), m_p(text), m_end(text + size),
          m_refuseDuplicateKeys((flags & kParseRefuseDuplicateKeys) != 0) {}

    bool Read(ParseResult& result);

private:
    const CObject* ParseElement(bool root, Tag* tagOut);
    const CObject* ParseArray(const char* tagStart);
    const CObject* ParseDict(const char* tagStart);
    CF_NOINLINE bool CheckUniqueKeys(size_t start);
    const CObject* ParsePlist(const char* tagStart);
    CF_NOINLINE const CObject* ParseString(Tag tag);
    CF_NOINLINE const CObject* ParseData();
    CF_NOINLINE const CObject* ParseDate(const char* tagStart);
    CF_NOINLINE const CObject* ParseReal();
    CF_NOINLINE const CObject* ParseInteger(const char* tagStart);
    bool ReadText(const char* closeName, size_t closeLen, std::string& utf8, const char*& closeAt);
    bool ParseEntity(std::string& utf8);
    // The close tag </name> at m_p, passed over; the common "</name>" is checked here, the rest
    // (spaces before '>', every failure) in CloseTagSlow.
    bool CloseTag(const char* name, size_t len) {
        if (static_cast<size_t>(m_end - m_p) > len + 2 && m_p[0] == '<' && m_p[1] == '/' && m_p[len + 2] == '>' &&
            SameBytes(m_p + 2, name, len)) {
            m_p += len + 3;
            return true;
        }
        return CloseTagSlow(name, len);
    }
    CF_NOINLINE bool CloseTagSlow(const char* name, size_t len);
    // Passes over spaces, comments and processing instructions; the last two in SkipMiscSlow.
    bool SkipMisc() {
        while (m_p < m_end && IsXmlSpace(*m_p)) ++m_p;
        if (m_end - m_p >= 2 && m_p[0] == '<' && (m_p[1] == '?' || m_p[1] == '!')) return SkipMiscSlow();
        return true;
    }
    CF_NOINLINE bool SkipMiscSlow();
    bool SkipComment();
    bool SkipPI();
    bool ParseDTD();

    CF_NOINLINE const CObject* Fail(std::string message) {
        if (!m_hasError) {
            m_hasError = true;
            m_error = std::move(message);
        }
        return nullptr;
    }
    // "prefix<line of at>suffix"
    CF_NOINLINE const CObject* FailAt(const char* prefix, const char* at, const char* suffix = "") {
        return Fail(prefix + Line(at) + suffix);
    }
    CF_NOINLINE const CObject* UnknownTag(const char* name, const char* nameEnd, const char* at) {
        return Fail("Encountered unknown tag " + std::string(name, nameEnd) + " on line " + Line(at));
    }
    CF_NOINLINE const CObject* EmptyPlist() { return Fail("Encountered empty plist tag"); }
    std::string Line(const char* at) const { return std::to_string(LineAt(m_begin, at)); }
    std::string CharAt(const char* at) const {
        unsigned char c = static_cast<unsigned char>(*at);
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (n > static_cast<size_t>(m_end - at)) n = static_cast<size_t>(m_end - at);
        return std::string(at, n);
    }
    CF_NOINLINE const CObject* UnexpectedEOF() { return Fail("Encountered unexpected EOF"); }
    CF_NOINLINE const CObject* UnexpectedChar(const char* at) {
        return Fail("Encountered unexpected character " + CharAt(at) + " on line " + Line(at));
    }
    CF_NOINLINE const CObject* TooDeep(const char* at) { return Fail("Too many nested arrays or dictionaries at line " + Line(at)); }

    const char* m_begin;  // borrowed text
    const char* m_p;
    const char* m_end;
    bool m_hasError = false;
    std::string m_error;
    int m_depth = 0;       // open arrays and dictionaries
    int m_plistDepth = 0;  // open plist elements
    bool m_refuseDuplicateKeys;
    CPool m_pool;  // the values' memory
    CTextCache m_keys;
    CTextCache m_strings;
    CIntegerCache m_integers;
    // Children of the open containers, innermost last; each closed container takes its own run, so
    // its vector is allocated once at its exact size. One reference each.
    std::vector<const CObject*> m_items;
    std::vector<std::pair<const CObject*, const CObject*>> m_entries;
    // Where each entry's key began, beside m_entries, while duplicate keys are refused.
    std::vector<const char*> m_keyStarts;

    // Moves the run of a closing container from the stack into its own vector. A large one at the
    // bottom of the stack takes the stack's memory whole rather than a copy (small ones leave the
    // stack its memory for the next container).
    template <class Stack>
    static void TakeRun(Stack& stack, size_t start, Stack& into) {
        if (start == 0 && stack.size() >= 4096) {
            into.swap(stack);
            return;
        }
        into.assign(stack.begin() + static_cast<ptrdiff_t>(start), stack.end());
        stack.resize(start);
    }

    // Releases a container's children still on the stack when it is left early.
    template <class Stack>
    struct CStackMark {
        Stack& stack;
        size_t start;
        ~CStackMark() {
            for (size_t i = start; i < stack.size(); ++i) Drop(stack[i]);
            stack.resize(start);
        }
        static void Drop(const CObject* o) { o->Release(); }
        static void Drop(const std::pair<const CObject*, const CObject*>& e) { e.first->Release(); e.second->Release(); }
    };
};

bool CXmlReader::SkipComment() {
    const char* start = m_p;
    for (const char* q = m_p + 4; q + 3 <= m_end; ++q) {
        q = static_cast<const char*>(std::memchr(q, '-', static_cast<size_t>(m_end - q)));
        if (!q || q + 3 > m_end) break;
        if (q[1] == '-' && q[2] == '>') {
            m_p = q + 3;
            return true;
        }
    }
    Fail("Unterminated comment started on line " + Line(start));
    return false;
}

bool CXmlReader::SkipPI() {
    const char* start = m_p;
    for (const char* q = m_p + 2; q + 2 <= m_end; ++q) {
        q = static_cast<const char*>(std::memchr(q, '?', static_cast<size_t>(m_end - q)));
        if (!q || q + 2 > m_end) break;
        if (q[1] == '>') {
            m_p = q + 2;
            return true;
        }
    }
    Fail("Encountered unexpected EOF while parsing the processing instruction begun on line " + Line(start));
    return false;
}

bool CXmlReader::ParseDTD() {
    m_p += 9;  // "<!DOCTYPE"
    while (m_p < m_end && *m_p != '>' && *m_p != '[') ++m_p;
    if (m_p == m_end) return Fail("Encountered unexpected EOF while parsing DTD"), false;
    if (*m_p == '>') {
        ++m_p;
        return true;
    }
    ++m_p;
    for (;;) {
        while (m_p < m_end && IsXmlSpace(*m_p)) ++m_p;
        if (m_p == m_end) return Fail("Encountered unexpected EOF while parsing inline DTD"), false;
        const size_t left = static_cast<size_t>(m_end - m_p);
        if (*m_p == ']') {
            ++m_p;
            while (m_p < m_end && IsXmlSpace(*m_p)) ++m_p;
            if (m_p == m_end) return Fail("Encountered unexpected EOF while parsing DTD"), false;
            if (*m_p != '>') {
                Fail("Encountered unexpected character " + CharAt(m_p) + " on line " + Line(m_p) + " while parsing DTD");
                return false;
            }
            ++m_p;
            return true;
        }
        if (*m_p == '%') {
            const char* start = m_p;
            const char* semi = static_cast<const char*>(std::memchr(m_p, ';', left));
            if (!semi) {
                Fail("Encountered unexpected EOF while parsing percent-escape sequence begun on line " + Line(start));
                return false;
            }
            m_p = semi + 1;
            continue;
        }
        if (*m_p == '<' && left >= 2 && (m_p[1] == '!' || m_p[1] == '?')) {
            const char* close = nullptr;
            if (left >= 4 && !std::memcmp(m_p, "<!--", 4)) {
                for (const char* q = m_p + 4; q + 3 <= m_end && !close; ++q)
                    if (q[0] == '-' && q[1] == '-' && q[2] == '>') close = q + 3;
            } else if (m_p[1] == '?') {
                for (const char* q = m_p + 2; q + 2 <= m_end && !close; ++q)
                    if (q[0] == '?' && q[1] == '>') close = q + 2;
            } else {
                const char* gt = static_cast<const char*>(std::memchr(m_p, '>', left));
                if (gt) close = gt + 1;
            }
            if (!close) return Fail("Encountered unexpected EOF while parsing inline DTD"), false;
            m_p = close;
            continue;
        }
        Fail("Encountered unexpected character " + CharAt(m_p) + " on line " + Line(m_p) + " while parsing inline DTD");
        return false;
    }
}

bool CXmlReader::Read(ParseResult& result) {
    for (;;) {
        while (m_p < m_end && IsXmlSpace(*m_p)) ++m_p;
        if (m_p == m_end) {
            Fail("No XML content found");
            break;
        }
        if (*m_p != '<') {
            Fail("Unexpected character " + CharAt(m_p) + " at line " + Line(m_p));
            break;
        }
        const size_t left = static_cast<size_t>(m_end - m_p);
        if (left >= 2 && m_p[1] == '?') {
            if (!SkipPI()) break;
        } else if (left >= 4 && !std::memcmp(m_p, "<!--", 4)) {
            if (!SkipComment()) break;
        } else if (left >= 2 && m_p[1] == '!') {
            if (left >= 9 && !std::memcmp(m_p + 2, "DOCTYPE", 7)) {
                if (!ParseDTD()) break;
            } else {
                Fail("Malformed DTD on line " + Line(m_p));
                break;
            }
        } else {
            const CObject* root = ParseElement(true, nullptr);
            if (root) {
                result.value = Ref<const CObject>(root);
                return true;
            }
            break;
        }
    }
    result.hasError = m_hasError;
    result.error = m_error;
    return false;
}

bool CXmlReader::SkipMiscSlow() {
    for (;;) {
        while (m_p < m_end && IsXmlSpace(*m_p)) ++m_p;
        if (m_p == m_end || *m_p != '<') return true;
        const size_t left = static_cast<size_t>(m_end - m_p);
        if (left >= 2 && m_p[1] == '?') {
            if (!SkipPI()) return false;
        } else if (left >= 2 && m_p[1] == '!') {
            if (left >= 4 && !std::memcmp(m_p, "<!--", 4)) {
                if (!SkipComment()) return false;
            } else {
                UnexpectedEOF();
                return false;
            }
        } else {
            return true;
        }
    }
}

bool CXmlReader::CloseTagSlow(const char* name, size_t len) {
    if (m_p == m_end) return UnexpectedEOF(), false;
    if (*m_p != '<') return UnexpectedChar(m_p), false;
    const char* start = m_p++;
    if (m_p == m_end) return UnexpectedEOF(), false;
    if (*m_p != '/') return UnexpectedChar(m_p), false;
    ++m_p;
    if (static_cast<size_t>(m_end - m_p) < len) return UnexpectedEOF(), false;
    if (std::memcmp(m_p, name, len) != 0) {
        Fail("Close tag on line " + Line(start) + " does not match open tag " + std::string(name, len));
        return false;
    }
    m_p += len;
    while (m_p < m_end && IsXmlSpace(*m_p)) ++m_p;
    if (m_p == m_end) return UnexpectedEOF(), false;
    if (*m_p != '>') return UnexpectedChar(m_p), false;
    ++m_p;
    return true;
}

const CObject* CXmlReader::ParseElement(bool root, Tag* tagOut) {
    const char* tagStart = m_p++;
    const char* name = m_p;
    while (m_p < m_end && !IsXmlSpace(*m_p) && *m_p != '>') ++m_p;
    const char* nameEnd = m_p;
    const char* gt = m_p == m_end ? nullptr
                     : *m_p == '>' ? m_p
                                   : static_cast<const char*>(std::memchr(m_p, '>', static_cast<size_t>(m_end - m_p)));
    if (!gt) return root ? nullptr : UnexpectedEOF();
    if (nameEnd == name) return FailAt("Malformed tag on line ", tagStart);
    const bool empty = gt[-1] == '/' && gt - 1 >= name;
    if (nameEnd == gt && empty && nameEnd - 1 > name) --nameEnd;
    m_p = gt + 1;
    const Tag tag = TagFromName(name, static_cast<size_t>(nameEnd - name));
    if (tagOut) *tagOut = tag;
    switch (tag) {
    case Tag::Plist:
        if (empty) return EmptyPlist();
        return ParsePlist(tagStart);
    case Tag::Array:
        if (empty) return m_pool.New<CArrayValue>(0);
        return ParseArray(tagStart);
    case Tag::Dict:
        if (empty) return m_pool.New<CDictionaryValue>(0);
        return ParseDict(tagStart);
    case Tag::Key:
    case Tag::String:
        if (empty) return CStringValue::New(0, &m_pool);
        return ParseString(tag);
    case Tag::Data:
        if (empty) return FailAt("Encountered empty <data> on line ", tagStart);
        return ParseData();
    case Tag::Date:
        if (empty) return FailAt("Encountered empty <date> on line ", tagStart);
        return ParseDate(tagStart);
    case Tag::Real:
        if (empty) return FailAt("Encountered empty <real> on line ", tagStart);
        return ParseReal();
    case Tag::Integer:
        if (empty) return FailAt("Encountered empty <integer> on line ", tagStart);
        return ParseInteger(tagStart);
    case Tag::True:
    case Tag::False:
        if (!empty && !CloseTag(tag == Tag::True ? "true" : "false", tag == Tag::True ? 4 : 5)) return nullptr;
        return BooleanValue(tag == Tag::True);
    case Tag::Unknown:
        break;
    }
    return UnknownTag(name, nameEnd, tagStart);
}

const CObject* CXmlReader::ParsePlist(const char* tagStart) {
    if (m_plistDepth >= kMaxNesting) return TooDeep(tagStart);
    ++m_plistDepth;
    struct Leave { int& d; ~Leave() { --d; } } leave{m_plistDepth};
    if (!SkipMisc()) return nullptr;
    if (m_p == m_end) return UnexpectedEOF();
    if (*m_p != '<') return UnexpectedChar(m_p);
    if (m_p + 1 < m_end && m_p[1] == '/') return EmptyPlist();
    Ref<const CObject> value(ParseElement(false, nullptr));
    if (!value) return nullptr;
    if (!SkipMisc()) return nullptr;
    if (m_p == m_end) return UnexpectedEOF();
    if (*m_p != '<') return UnexpectedChar(m_p);
    if (m_p + 1 < m_end && m_p[1] != '/')
        return FailAt("Encountered unexpected element at line ", m_p, " (plist can only include one object)");
    if (!CloseTag("plist", 5)) return nullptr;
    return value.Detach();
}

const CObject* CXmlReader::ParseArray(const char* tagStart) {
    if (m_depth >= kMaxNesting) return TooDeep(tagStart);
    ++m_depth;
    struct Leave { int& d; ~Leave() { --d; } } leave{m_depth};
    CStackMark<decltype(m_items)> mark{m_items, m_items.size()};
    for (;;) {
        if (!SkipMisc()) return nullptr;
        if (m_p == m_end) return UnexpectedEOF();
        if (*m_p != '<') return UnexpectedChar(m_p);
        if (m_p + 1 < m_end && m_p[1] == '/') {
            if (!CloseTag("array", 5)) return nullptr;
            Ref<CArrayValue> array(m_pool.New<CArrayValue>(0));
            TakeRun(m_items, mark.start, array->m_items);
            return array.Detach();
        }
        const CObject* item = ParseElement(false, nullptr);
        if (!item) return nullptr;
        m_items.push_back(item);
    }
}

const CObject* CXmlReader::ParseDict(const char* tagStart) {
    if (m_depth >= kMaxNesting) return TooDeep(tagStart);
    ++m_depth;
    struct Leave { int& d; ~Leave() { --d; } } leave{m_depth};
    CStackMark<decltype(m_entries)> mark{m_entries, m_entries.size()};
    for (;;) {
        const char* entryEnd = m_p;
        if (!SkipMisc()) return nullptr;
        if (m_p == m_end) return UnexpectedEOF();
        if (*m_p != '<') return UnexpectedChar(m_p);
        if (m_p + 1 < m_end && m_p[1] == '/') {
            if (!CloseTag("dict", 4)) return nullptr;
            break;
        }
        Tag tag = Tag::Unknown;
        const char* keyStart = m_p;
        Ref<const CObject> key(ParseElement(false, &tag));
        if (!key) return nullptr;
        if (tag != Tag::Key) return FailAt("Found non-key inside <dict> at line ", entryEnd);
        if (!SkipMisc()) return nullptr;
        if (m_p == m_end) return UnexpectedEOF();
        if (*m_p != '<') return UnexpectedChar(m_p);
        if (m_p + 1 < m_end && m_p[1] == '/') return FailAt("Value missing for key inside <dict> at line ", m_p);
        const CObject* value = ParseElement(false, nullptr);
        if (!value) return nullptr;
        m_entries.emplace_back(key.Detach(), value);
        if (m_refuseDuplicateKeys) m_keyStarts.push_back(keyStart);
    }
    if (m_refuseDuplicateKeys && !CheckUniqueKeys(mark.start)) return nullptr;
    Ref<CDictionaryValue> dict(m_pool.New<CDictionaryValue>(0));
    TakeRun(m_entries, mark.start, dict->m_entries);
    // Duplicate keys go first: {CF$UID: 1, CF$UID: 2} is a one-entry dictionary, so a UID.
    dict->Normalize(true);
    auto& entries = dict->m_entries;
    if (entries.size() == 1 && static_cast<const CStringValue*>(entries[0].first)->Text() == u"CF$UID") {
        const CObject* v = entries[0].second;
        if (v->GetKind() == Kind::Integer)
            return m_pool.New<CUIDValue>(0, static_cast<uint32_t>(static_cast<const CIntegerValue*>(v)->m_value));
        if (v->GetKind() == Kind::Real) {
            const double d = static_cast<const CRealValue*>(v)->m_value;
            return m_pool.New<CUIDValue>(0, d > -2147483649.0 && d < 2147483648.0
                                                ? static_cast<uint32_t>(static_cast<int32_t>(d)) : 2147483648u);
        }
    }
    return dict.Detach();
}

// The entries from start on are one dictionary's: fails on the key met a second time earliest in
// the text. Takes that dictionary's key positions off m_keyStarts.
bool CXmlReader::CheckUniqueKeys(size_t start) {
    struct Leave { std::vector<const char*>& v; size_t n; ~Leave() { v.resize(n); } } leave{m_keyStarts, start};
    const size_t count = m_entries.size() - start;
    // Every key here came from a <key> element: a string.
    auto text = [&](size_t i) { return static_cast<const CStringValue*>(m_entries[start + i].first)->Text(); };
    // Files the library wrote hold their keys sorted: no sort needed to know they are distinct.
    bool ascending = true;
    for (size_t i = 1; i < count && ascending; ++i) ascending = text(i - 1) < text(i);
    if (ascending) return true;
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return text(a) < text(b); });
    size_t repeated = count;  // the entry whose key appeared before it, earliest in the text
    for (size_t i = 1; i < count; ++i)
        if (text(order[i - 1]) == text(order[i]) && (repeated == count || order[i] < repeated)) repeated = order[i];
    if (repeated == count) return true;
    std::string name;
    const std::u16string_view key = text(repeated);
    EncodeUTF8(key.data(), key.size(), name, Surrogates::Replace);
    Fail("Duplicate key \"" + name + "\" inside <dict> at line " + Line(m_keyStarts[start + repeated]));
    return false;
}

bool CXmlReader::ParseEntity(std::string& utf8) {
    const char* amp = m_p++;
    if (m_p == m_end) return UnexpectedEOF(), false;
    if (*m_p == '#') {
        ++m_p;
        bool hex = false;
        if (m_p < m_end && *m_p == 'x') {
            hex = true;
            ++m_p;
        }
        uint32_t cp = 0;
        for (;;) {
            if (m_p == m_end) return UnexpectedEOF(), false;
            const char c = *m_p;
            if (c == ';') break;
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit < 0 || (cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(digit)) > 0x10FFFF) {
                Fail("Encountered unexpected character " + CharAt(m_p) + " at line " + Line(m_p));
                return false;
            }
            ++m_p;
        }
        ++m_p;
        AppendUTF8(utf8, cp);
        return true;
    }
    static const struct { const char* text; size_t len; char value; } kEntities[] = {
        {"lt;", 3, '<'}, {"gt;", 3, '>'}, {"amp;", 4, '&'}, {"apos;", 5, '\''}, {"quot;", 5, '"'},
    };
    const size_t left = static_cast<size_t>(m_end - m_p);
    for (const auto& e : kEntities) {
        if (left >= e.len && !std::memcmp(m_p, e.text, e.len)) {
            m_p += e.len;
            utf8.push_back(e.value);
            return true;
        }
    }
    Fail("Encountered unknown ampersand-escape sequence at line " + Line(amp));
    return false;
}

// Text up to the close tag (entities and CDATA resolved), then the close tag itself.
bool CXmlReader::ReadText(const char* closeName, size_t closeLen, std::string& utf8, const char*& closeAt) {
    for (;;) {
        const char* q = m_p;
        while (q < m_end && *q != '<' && *q != '&') ++q;
        utf8.append(m_p, q);
        m_p = q;
        if (m_p == m_end) return UnexpectedEOF(), false;
        if (*m_p == '&') {
            if (!ParseEntity(utf8)) return false;
            continue;
        }
        if (m_p + 1 < m_end && m_p[1] == '!') {
            const size_t left = static_cast<size_t>(m_end - m_p);
            if (left < 9 || std::memcmp(m_p, "<![CDATA[", 9) != 0) {
                Fail("Encountered improper CDATA opening at line " + Line(m_p));
                return false;
            }
            const char* start = m_p;
            const char* body = m_p + 9;
            const char* close = nullptr;
            for (const char* s = body; s + 3 <= m_end; ++s) {
                s = static_cast<const char*>(std::memchr(s, ']', static_cast<size_t>(m_end - s)));
                if (!s || s + 3 > m_end) break;
                if (s[1] == ']' && s[2] == '>') {
                    close = s;
                    break;
                }
            }
            if (!close) {
                Fail("Could not find end of CDATA started on line " + Line(start));
                return false;
            }
            utf8.append(body, close);
            m_p = close + 3;
            continue;
        }
        closeAt = m_p;
        return CloseTag(closeName, closeLen);
    }
}

const CObject* CXmlReader::ParseString(Tag tag) {
    const char* name = tag == Tag::Key ? "key" : "string";
    const size_t nameLen = tag == Tag::Key ? 3 : 6;
    const char* start = m_p;
    const char* q = m_p;
    unsigned char bits = 0;  // the bytes ORed: below 0x80 for ASCII text
    for (; q < m_end && *q != '<' && *q != '&'; ++q) bits |= static_cast<unsigned char>(*q);
    // Plain text without entities or CDATA is converted in place; keys are shared by content.
    if (q + 1 < m_end && *q == '<' && q[1] == '/') {
        m_p = q;
        if (!CloseTag(name, nameLen)) return nullptr;
        const size_t size = static_cast<size_t>(q - start);
        return (tag == Tag::Key ? m_keys : m_strings).Get(start, size, bits < 0x80, m_pool);
    }
    std::string utf8;
    const char* closeAt = nullptr;
    if (!ReadText(name, nameLen, utf8, closeAt)) return nullptr;
    return CStringValue::FromUTF8(utf8.data(), utf8.size(), &m_pool);
}

const CObject* CXmlReader::ParseData() {
    const signed char* table = Base64Table();
    const char* q = static_cast<const char*>(std::memchr(m_p, '<', static_cast<size_t>(m_end - m_p)));
    if (!q) return UnexpectedEOF();
    std::string bytes;
    bytes.reserve(static_cast<size_t>(q - m_p) / 4 * 3 + 3);
    uint32_t acc = 0;
    int units = 0, equals = 0;
    for (const char* s = m_p; s < q; ++s) {
        const unsigned char c = static_cast<unsigned char>(*s);
        int v;
        if (c == '=') {
            ++equals;
            v = 0;
        } else if (IsXmlSpace(static_cast<char>(c))) {
            continue;
        } else {
            equals = 0;
            v = table[c];
            if (v < 0) continue;
        }
        acc = acc << 6 | static_cast<uint32_t>(v);
        if (++units == 4) {
            const char group[3] = {static_cast<char>(acc >> 16), static_cast<char>(acc >> 8), static_cast<char>(acc)};
            bytes.append(group, 3 - static_cast<size_t>(equals > 2 ? 2 : equals));
            units = 0;
            acc = 0;
        }
    }
    m_p = q;
    if (!CloseTag("data", 4)) return nullptr;
    return m_pool.New<CDataValue>(0, std::move(bytes));
}

const CObject* CXmlReader::ParseDate(const char* tagStart) {
    const char* s = m_p;
    auto bad = [&]() { return Fail("Could not interpret <date> at line " + Line(tagStart)); };
    auto digit = [&](int& out) {
        if (s < m_end && *s >= '0' && *s <= '9') { out = *s++ - '0'; return true; }
        return false;
    };
    auto two = [&](int& out) {
        int a, b;
        if (!digit(a) || !digit(b)) return false;
        out = a * 10 + b;
        return true;
    };
    auto expect = [&](char c) {
        if (s < m_end && *s == c) { ++s; return true; }
        return false;
    };
    int64_t year = 0;
    int yearDigits = 0, d;
    while (digit(d)) {
        if (++yearDigits > 12) return bad();
        year = year * 10 + d;
    }
    int month, day, hour, minute, second;
    if (!yearDigits || !expect('-') || !two(month) || !expect('-') || !two(day) || !expect('T') || !two(hour) ||
        !expect(':') || !two(minute) || !expect(':') || !two(second) || !expect('Z'))
        return bad();
    if (s == m_end || *s != '<' || month > 15) return bad();
    m_p = s;
    if (!CloseTag("date", 4)) return nullptr;
    return m_pool.New<CDateValue>(0, DateFromFields(year, month, day, hour, minute, second));
}

const CObject* CXmlReader::ParseReal() {
    std::string utf8;
    const char* closeAt = nullptr;
    if (!ReadText("real", 4, utf8, closeAt)) return nullptr;
    std::u16string text;
    AppendUTF16(text, utf8.data(), utf8.size());
    double value;
    if (!ParseRealText(text, value)) return Fail("Encountered misformatted real on line " + Line(closeAt));
    return m_pool.New<CRealValue>(0, value, false);
}

constexpr uint64_t kMaxBeforeHexDigit = UINT64_MAX >> 4;
constexpr uint64_t kMaxBeforeDecimalDigit = UINT64_MAX / 10;
constexpr int kLastDecimalDigit = static_cast<int>(UINT64_MAX % 10);  // the digit that still fits after it

const CObject* CXmlReader::ParseInteger(const char* tagStart) {
    auto premature = [&]() { return Fail("Premature end of file after <integer> on line " + Line(tagStart)); };
    auto skipSpace = [&]() {
        while (m_p < m_end) {
            const unsigned char c = static_cast<unsigned char>(*m_p);
            const size_t left = static_cast<size_t>(m_end - m_p);
            if (c < 0x21 || c == 0x7F) ++m_p;
            else if (c == 0xC2 && left >= 2 && static_cast<unsigned char>(m_p[1]) <= 0xA0) m_p += 2;
            else if (c == 0xE2 && left >= 3 && static_cast<unsigned char>(m_p[1]) == 0x80 &&
                     static_cast<unsigned char>(m_p[2]) <= 0x8B) m_p += 3;
            else if (c == 0xE3 && left >= 3 && static_cast<unsigned char>(m_p[1]) == 0x80 &&
                     static_cast<unsigned char>(m_p[2]) == 0x80) m_p += 3;
            else break;
        }
    };
    skipSpace();
    if (m_p == m_end) return premature();
    if (*m_p == '<') return Fail("Encountered empty <integer> on line " + Line(tagStart));
    bool negative = false, marked = false;
    if (*m_p == '+' || *m_p == '-') {
        negative = *m_p == '-';
        marked = true;
        ++m_p;
        skipSpace();
    }
    bool hex = false;
    if (m_end - m_p >= 2 && m_p[0] == '0' && (m_p[1] == 'x' || m_p[1] == 'X')) {
        hex = true;
        m_p += 2;
    }
    if (m_p == m_end) return premature();
    if (*m_p == '<') {
        if (marked || hex) return Fail("Incomplete <integer> on line " + Line(m_p));
        return Fail("Encountered empty <integer> on line " + Line(tagStart));
    }
    uint64_t magnitude = 0;
    for (;;) {
        if (m_p == m_end) return premature();
        const char c = *m_p;
        if (c == '<') break;
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) {
            if (!hex) return Fail("Hex digit in non-hex <integer> on line " + Line(m_p));
            digit = (c | 0x20) - 'a' + 10;
        }
        if (digit < 0) {
            std::u16string unit;
            const std::string ch = CharAt(m_p);
            AppendUTF16(unit, ch.data(), ch.size());
            uint32_t code = unit.size() == 2 ? 0x10000 + ((unit[0] - 0xD800u) << 10) + (unit[1] - 0xDC00u) : unit[0];
            char hexText[16];
            std::snprintf(hexText, sizeof hexText, "%x", code);
            return Fail("Unknown character '" + ch + "' (0x" + hexText + ") in <integer> on line " + Line(m_p));
        }
        // magnitude * base + digit > UINT64_MAX, without a 64-bit division per digit on 32-bit machines.
        const bool overflow = hex ? magnitude > kMaxBeforeHexDigit
                                  : magnitude > kMaxBeforeDecimalDigit ||
                                        (magnitude == kMaxBeforeDecimalDigit && digit > kLastDecimalDigit);
        if (overflow)
            return Fail(std::string(negative ? "Integer underflow" : "Integer overflow") + " in <integer> on line " + Line(m_p));
        magnitude = hex ? magnitude << 4 | static_cast<unsigned>(digit) : magnitude * 10 + static_cast<unsigned>(digit);
        ++m_p;
    }
    if (negative && magnitude > 0x8000000000000000ull)
        return Fail("Integer underflow in <integer> on line " + Line(m_p));
    if (!CloseTag("integer", 7)) return nullptr;
    if (negative) return m_integers.Get(static_cast<int64_t>(0 - magnitude), false, m_pool);
    return m_integers.Get(static_cast<int64_t>(magnitude), magnitude > 0x7FFFFFFFFFFFFFFFull, m_pool);
}

}  // namespace

bool ReadXML(const char* text, size_t size, ParseResult& result, unsigned flags) {
    CXmlReader reader(text, size, flags);
    return reader.Read(result);
}

}  // namespace cf
