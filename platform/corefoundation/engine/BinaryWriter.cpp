// "bplist00" output: objects in depth-first order, strings shared by content, small integers shared.
#include "Internal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string_view>

namespace cf {
namespace {

struct CFlatObject {
    const CObject* value;  // borrowed from the list being written
    uint32_t refStart;     // containers: first slot in the ref list
    uint32_t offset;       // where it was written (an output past 4 GB is refused)
};

size_t BytesFor(uint64_t v) { return v <= 0xFF ? 1 : v <= 0xFFFF ? 2 : v <= 0xFFFFFFFFull ? 4 : 8; }

class CBinaryWriter {
public:
    CBinaryWriter(std::string& out, ByteSink sink, void* context) : m_out(out), m_sink(sink), m_context(context) {}
    bool Write(const CObject* root);

private:
    bool Visit(const CObject* v, int depth, uint32_t& index);
    uint32_t Append(const CObject* v, uint32_t refStart = 0) {
        m_objects.push_back({v, refStart, 0});
        return static_cast<uint32_t>(m_objects.size() - 1);
    }
    void PutBE(uint64_t v, size_t n) {
        char b[8];
        for (size_t i = 0; i < n; ++i) b[i] = static_cast<char>(v >> (8 * (n - 1 - i)));
        m_out.append(b, n);
    }
    void PutInteger(uint64_t v, bool negative) {
        const size_t n = negative ? 8 : BytesFor(v);
        m_out.push_back(static_cast<char>(0x10 | (n == 1 ? 0 : n == 2 ? 1 : n == 4 ? 2 : 3)));
        PutBE(v, n);
    }
    void PutHeader(uint8_t type, size_t count) {
        if (count < 15) {
            m_out.push_back(static_cast<char>(type | count));
        } else {
            m_out.push_back(static_cast<char>(type | 0x0F));
            PutInteger(count, false);
        }
    }
    void PutRefs(uint32_t start, size_t count) {
        const size_t n = m_refSize;
        const size_t at = m_out.size();
        m_out.resize(at + count * n);
        unsigned char* dst = reinterpret_cast<unsigned char*>(&m_out[at]);
        for (size_t i = 0; i < count; ++i) {
            const uint32_t r = m_refs[start + i];
            for (size_t k = 0; k < n; ++k) *dst++ = static_cast<unsigned char>(k + 4 < n ? 0 : r >> (8 * (n - 1 - k)));
        }
    }
    void PutObject(const CFlatObject& o);
    uint32_t StringIndex(const CStringValue* s);
    void GrowStrings();

    // With a sink, hands the output over in pieces of about this size, so it is never held whole.
    static constexpr size_t kPieceBytes = 1 << 20;
    bool Flush(size_t base, bool all) {
        if (!m_sink || (!all && m_out.size() - base < kPieceBytes)) return true;
        if (!m_sink(m_context, m_out.data() + base, m_out.size() - base)) return false;
        m_handedOver += m_out.size() - base;
        m_out.resize(base);
        return true;
    }

    std::string& m_out;
    ByteSink m_sink;       // null: everything goes to m_out
    void* m_context;       // the sink's
    uint64_t m_handedOver = 0;
    std::vector<CFlatObject> m_objects;
    std::vector<uint32_t> m_refs;
    // Strings by content: open addressing over their object indexes, kept at most three quarters full.
    struct CStringSlot { uint32_t hash; uint32_t index; };
    static constexpr uint32_t kEmpty = UINT32_MAX;
    std::vector<CStringSlot> m_strings = std::vector<CStringSlot>(1024, CStringSlot{0, kEmpty});
    size_t m_stringCount = 0;
    struct CPointerSlot { const CObject* value = nullptr; uint32_t index = 0; };
    static constexpr size_t kRecentSlots = 4096;
    std::vector<CPointerSlot> m_recent = std::vector<CPointerSlot>(kRecentSlots);
    uint32_t m_smallIntegers[14];  // -1 ... 12
    uint32_t m_specialReals[3];    // NaN, +inf, -inf
    uint32_t m_firstTrue = UINT32_MAX, m_firstFalse = UINT32_MAX;
    size_t m_refSize = 1;
};

uint32_t HashText(std::u16string_view text) {
    uint32_t h = 0x811C9DC5u;
    for (char16_t c : text) h = (h ^ c) * 0x01000193u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    return h ^ h >> 13;
}

uint32_t CBinaryWriter::StringIndex(const CStringValue* s) {
    const std::u16string_view text = s->Text();
    const uint32_t h = HashText(text);
    const size_t mask = m_strings.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        CStringSlot& slot = m_strings[i];
        if (slot.index == kEmpty) {
            const uint32_t index = Append(s);
            slot = CStringSlot{h, index};
            if (++m_stringCount * 4 > m_strings.size() * 3) GrowStrings();
            return index;
        }
        if (slot.hash == h && static_cast<const CStringValue*>(m_objects[slot.index].value)->Text() == text) return slot.index;
    }
}

void CBinaryWriter::GrowStrings() {
    std::vector<CStringSlot> slots(m_strings.size() * 2, CStringSlot{0, kEmpty});
    const size_t mask = slots.size() - 1;
    for (const CStringSlot& s : m_strings) {
        if (s.index == kEmpty) continue;
        size_t i = s.hash & mask;
        while (slots[i].index != kEmpty) i = (i + 1) & mask;
        slots[i] = s;
    }
    m_strings.swap(slots);
}

bool CBinaryWriter::Visit(const CObject* v, int depth, uint32_t& index) {
    switch (v->GetKind()) {
    case Kind::String: {
        // Readers share equal keys as one object: look the object up before hashing its text.
        CPointerSlot& slot = m_recent[(reinterpret_cast<uintptr_t>(v) >> 4) & (kRecentSlots - 1)];
        if (slot.value == v) {
            index = slot.index;
            return true;
        }
        index = StringIndex(static_cast<const CStringValue*>(v));
        slot.value = v;
        slot.index = index;
        return true;
    }
    case Kind::Integer: {
        auto n = static_cast<const CIntegerValue*>(v);
        if (!n->UnsignedBig() && n->m_value >= -1 && n->m_value <= 12) {
            uint32_t& slot = m_smallIntegers[n->m_value + 1];
            if (slot == UINT32_MAX) slot = Append(v);
            index = slot;
        } else {
            index = Append(v);
        }
        return true;
    }
    case Kind::Real: {
        const double d = static_cast<const CRealValue*>(v)->m_value;
        if (std::isnan(d) || std::isinf(d)) {
            uint32_t& slot = m_specialReals[std::isnan(d) ? 0 : d > 0 ? 1 : 2];
            if (slot == UINT32_MAX) slot = Append(v);
            index = slot;
        } else {
            index = Append(v);
        }
        return true;
    }
    case Kind::Boolean: {
        // Every occurrence is written; references all go to the first one.
        const uint32_t own = Append(v);
        uint32_t& first = static_cast<const CSingletonValue*>(v)->m_flag ? m_firstTrue : m_firstFalse;
        if (first == UINT32_MAX) first = own;
        index = first;
        return true;
    }
    case Kind::Date: case Kind::Data: case Kind::UID:
        index = Append(v);
        return true;
    case Kind::Array: {
        if (depth > kMaxNesting) return false;
        auto& items = static_cast<const CArrayValue*>(v)->m_items;
        const uint32_t start = static_cast<uint32_t>(m_refs.size());
        index = Append(v, start);
        m_refs.resize(m_refs.size() + items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            uint32_t r;
            if (!Visit(items[i], depth + 1, r)) return false;
            m_refs[start + i] = r;
        }
        return true;
    }
    case Kind::Dictionary: {
        if (depth > kMaxNesting) return false;
        auto& entries = static_cast<const CDictionaryValue*>(v)->m_entries;
        const uint32_t start = static_cast<uint32_t>(m_refs.size());
        index = Append(v, start);
        const size_t n = entries.size();
        m_refs.resize(m_refs.size() + 2 * n);
        for (size_t i = 0; i < n; ++i) {
            uint32_t r;
            if (!IsStringKey(entries[i].first) || !Visit(entries[i].first, depth + 1, r)) return false;
            m_refs[start + i] = r;
        }
        for (size_t i = 0; i < n; ++i) {
            uint32_t r;
            if (!Visit(entries[i].second, depth + 1, r)) return false;
            m_refs[start + n + i] = r;
        }
        return true;
    }
    default:
        return false;
    }
}

void CBinaryWriter::PutObject(const CFlatObject& o) {
    const CObject* v = o.value;
    switch (v->GetKind()) {
    case Kind::String: {
        const std::u16string_view t = static_cast<const CStringValue*>(v)->Text();
        bool ascii = true;
        for (char16_t c : t)
            if (c >= 0x80) { ascii = false; break; }
        PutHeader(ascii ? 0x50 : 0x60, t.size());
        const size_t at = m_out.size();
        m_out.resize(at + t.size() * (ascii ? 1 : 2));
        char* dst = &m_out[at];
        if (ascii) {
            for (char16_t c : t) *dst++ = static_cast<char>(c);
        } else {
            for (char16_t c : t) {
                *dst++ = static_cast<char>(c >> 8);
                *dst++ = static_cast<char>(c);
            }
        }
        break;
    }
    case Kind::Integer: {
        auto n = static_cast<const CIntegerValue*>(v);
        if (n->UnsignedBig()) {
            m_out.push_back('\x14');
            PutBE(0, 8);
            PutBE(static_cast<uint64_t>(n->m_value), 8);
        } else {
            PutInteger(static_cast<uint64_t>(n->m_value), n->m_value < 0);
        }
        break;
    }
    case Kind::Real: {
        auto r = static_cast<const CRealValue*>(v);
        if (r->IsFloat()) {
            float f = static_cast<float>(r->m_value);
            uint32_t bits;
            std::memcpy(&bits, &f, 4);
            if (std::isnan(f)) bits = 0x7FC00000u;
            m_out.push_back('\x22');
            PutBE(bits, 4);
        } else {
            uint64_t bits;
            std::memcpy(&bits, &r->m_value, 8);
            if (std::isnan(r->m_value)) bits = 0x7FF8000000000000ull;
            m_out.push_back('\x23');
            PutBE(bits, 8);
        }
        break;
    }
    case Kind::Boolean:
        m_out.push_back(static_cast<const CSingletonValue*>(v)->m_flag ? '\x09' : '\x08');
        break;
    case Kind::Date: {
        uint64_t bits;
        std::memcpy(&bits, &static_cast<const CDateValue*>(v)->m_seconds, 8);
        m_out.push_back('\x33');
        PutBE(bits, 8);
        break;
    }
    case Kind::Data: {
        const std::string& b = static_cast<const CDataValue*>(v)->m_bytes;
        PutHeader(0x40, b.size());
        m_out += b;
        break;
    }
    case Kind::UID: {
        const uint32_t u = static_cast<const CUIDValue*>(v)->m_value;
        const size_t n = BytesFor(u);
        m_out.push_back(static_cast<char>(0x80 | (n - 1)));
        PutBE(u, n);
        break;
    }
    case Kind::Array: {
        const size_t n = static_cast<const CArrayValue*>(v)->m_items.size();
        PutHeader(0xA0, n);
        PutRefs(o.refStart, n);
        break;
    }
    case Kind::Dictionary: {
        const size_t n = static_cast<const CDictionaryValue*>(v)->m_entries.size();
        PutHeader(0xD0, n);
        PutRefs(o.refStart, 2 * n);
        break;
    }
    default:
        break;
    }
}

bool CBinaryWriter::Write(const CObject* root) {
    std::fill(std::begin(m_smallIntegers), std::end(m_smallIntegers), UINT32_MAX);
    std::fill(std::begin(m_specialReals), std::end(m_specialReals), UINT32_MAX);
    uint32_t top;
    if (!Visit(root, 1, top)) return false;
    const uint64_t count = m_objects.size();
    m_refSize = BytesFor(count);
    // Upper bound of the output, so it is allocated once.
    size_t bound = 8 + 32 + m_refs.size() * m_refSize;
    for (const CFlatObject& o : m_objects) {
        bound += 18 + 8;  // marker, count or value, offset entry
        if (o.value->GetKind() == Kind::String) bound += 2 * static_cast<const CStringValue*>(o.value)->Text().size();
        else if (o.value->GetKind() == Kind::Data) bound += static_cast<const CDataValue*>(o.value)->m_bytes.size();
    }
    m_out.reserve(m_out.size() + (m_sink ? std::min(bound, 2 * kPieceBytes) : bound));
    const size_t base = m_out.size();
    m_out += "bplist00";
    for (CFlatObject& o : m_objects) {
        if (!Flush(base, false)) return false;
        const uint64_t at = m_handedOver + (m_out.size() - base);
        if (at > UINT32_MAX) return false;
        o.offset = static_cast<uint32_t>(at);
        PutObject(o);
    }
    const uint64_t tableOffset = m_handedOver + (m_out.size() - base);
    const size_t offsetSize = BytesFor(tableOffset);
    if (!m_sink) m_out.reserve(m_out.size() + count * offsetSize + 32);
    for (const CFlatObject& o : m_objects) {
        PutBE(o.offset, offsetSize);
        if (!Flush(base, false)) return false;
    }
    m_out.append(6, '\0');
    m_out.push_back(static_cast<char>(offsetSize));
    m_out.push_back(static_cast<char>(m_refSize));
    PutBE(count, 8);
    PutBE(0, 8);
    PutBE(tableOffset, 8);
    return Flush(base, true);
    return true;
}

}  // namespace

namespace {

bool WriteBinaryTo(const CObject* value, std::string& out, ByteSink sink, void* context) {
    if (!value) return false;
    try {
        CBinaryWriter writer(out, sink, context);
        return writer.Write(value);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

}  // namespace

bool WriteBinary(const CObject* value, std::string& out) { return WriteBinaryTo(value, out, nullptr, nullptr); }

bool WriteBinary(const CObject* value, ByteSink sink, void* context) {
    std::string piece;
    return sink && WriteBinaryTo(value, piece, sink, context);
}

}  // namespace cf
