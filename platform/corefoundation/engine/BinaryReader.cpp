// Reader of "bplist00" data: trailer check, then the object graph (shared objects stay shared).
#include "Internal.h"
#include "Text.h"

#include <cstring>
#include <new>

namespace cf {
namespace {

uint64_t ReadBE(const uint8_t* p, size_t n) {
    // Offsets and references are one, two or four bytes in all but huge lists.
    switch (n) {
    case 1: return p[0];
    case 2: return static_cast<uint32_t>(p[0]) << 8 | p[1];
    case 4: return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
    default: break;
    }
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v = v << 8 | p[i];
    return v;
}

class CBinaryReader {
public:
    CBinaryReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool CheckTrailer();
    void Prepare() {
        m_cache.assign(m_numObjects, nullptr);
        m_onPath.assign(m_numObjects, 0);
        m_height.assign(m_numObjects, 0);
    }
    const CObject* ReadTop() { return ReadObject(m_topObject, 0); }
    ~CBinaryReader() { for (const CObject* o : m_cache) if (o) o->Release(); }

private:
    const CObject* ReadObject(uint64_t index, int depth);
    CF_NOINLINE const CObject* ReadScalar(uint8_t marker, const uint8_t* p, const uint8_t* end);
    const CObject* ReadContainer(uint8_t marker, const uint8_t* p, const uint8_t* end, int depth, int& height);
    bool ReadCount(uint8_t marker, const uint8_t*& p, const uint8_t* end, uint64_t& count) const;
    bool ReadRef(const uint8_t*& p, uint64_t& ref) const {
        ref = ReadBE(p, m_refSize);
        p += m_refSize;
        return ref < m_numObjects;
    }

    CPool m_pool;  // the values' memory; declared first, so it is left after the cache is released
    const uint8_t* m_data;  // borrowed
    size_t m_size;
    uint64_t m_numObjects = 0, m_topObject = 0, m_offsetTable = 0;
    size_t m_offsetSize = 0, m_refSize = 0;
    std::vector<const CObject*> m_cache;  // one reference each, filled as objects are read
    std::vector<uint8_t> m_onPath;        // 1 while an object is being read (cycle check)
    std::vector<uint16_t> m_height;       // containers on the longest path down from a read object
};

bool CBinaryReader::CheckTrailer() {
    if (m_size < 41 || std::memcmp(m_data, "bplist0", 7) != 0) return false;
    const uint8_t* t = m_data + m_size - 32;
    m_offsetSize = t[6];
    m_refSize = t[7];
    m_numObjects = ReadBE(t + 8, 8);
    m_topObject = ReadBE(t + 16, 8);
    m_offsetTable = ReadBE(t + 24, 8);
    if (m_numObjects < 1 || m_topObject >= m_numObjects) return false;
    if (m_offsetTable < 9 || m_offsetTable >= m_size - 32) return false;
    if (m_offsetSize < 1 || m_refSize < 1) return false;
    if (m_numObjects > 0x7FFFFFFF || m_offsetTable > 0x7FFFFFFF) return false;
    if (m_numObjects * m_offsetSize != m_size - 32 - m_offsetTable) return false;
    if (m_refSize < 8 && (uint64_t(1) << (8 * m_refSize)) <= m_numObjects) return false;
    if (m_offsetSize < 8 && (uint64_t(1) << (8 * m_offsetSize)) <= m_offsetTable) return false;
    const uint8_t* table = m_data + m_offsetTable;
    for (uint64_t i = 0; i < m_numObjects; ++i)
        if (ReadBE(table + i * m_offsetSize, m_offsetSize) >= m_offsetTable) return false;
    if (ReadBE(table + m_topObject * m_offsetSize, m_offsetSize) < 8) return false;
    return true;
}

bool CBinaryReader::ReadCount(uint8_t marker, const uint8_t*& p, const uint8_t* end, uint64_t& count) const {
    count = marker & 0x0F;
    if (count != 0x0F) return true;
    if (p >= end || (*p & 0xF0) != 0x10) return false;
    const size_t n = size_t(1) << (*p & 0x0F);
    if ((*p & 0x0F) > 4 || static_cast<size_t>(end - p - 1) < n) return false;
    count = ReadBE(p + 1 + (n == 16 ? 8 : 0), n == 16 ? 8 : n);
    p += 1 + n;
    return count <= 0x7FFFFFFF;
}

const CObject* CBinaryReader::ReadObject(uint64_t index, int depth) {
    // A shared container counts its full height wherever it is referenced again.
    if (const CObject* cached = m_cache[index]) return depth + m_height[index] <= kMaxNesting ? cached : nullptr;
    if (m_onPath[index]) return nullptr;  // cycle
    const uint64_t offset = ReadBE(m_data + m_offsetTable + index * m_offsetSize, m_offsetSize);
    if (offset < 8) return nullptr;
    const uint8_t* p = m_data + offset;
    const uint8_t* end = m_data + m_offsetTable;
    const uint8_t marker = *p++;
    const CObject* value = nullptr;
    const unsigned type = marker >> 4;
    if (type == 0xA || type == 0xC || type == 0xD) {
        if (depth >= kMaxNesting) return nullptr;
        int height = 0;
        m_onPath[index] = 1;
        value = ReadContainer(marker, p, end, depth + 1, height);
        m_onPath[index] = 0;
        m_height[index] = static_cast<uint16_t>(height + 1);
    } else {
        value = ReadScalar(marker, p, end);
    }
    m_cache[index] = value;
    return value;
}

const CObject* CBinaryReader::ReadScalar(uint8_t marker, const uint8_t* p, const uint8_t* end) {
    const size_t avail = static_cast<size_t>(end - p);
    const unsigned low = marker & 0x0F;
    switch (marker >> 4) {
    case 0x0:
        if (marker == 0x00) return NullValue();
        if (marker == 0x08) return FalseValue();
        if (marker == 0x09) return TrueValue();
        return nullptr;
    case 0x1: {
        if (low > 4) return nullptr;
        const size_t n = size_t(1) << low;
        if (avail < n) return nullptr;
        if (n == 16) {
            const uint64_t v = ReadBE(p + 8, 8);
            return m_pool.New<CIntegerValue>(0, static_cast<int64_t>(v), v > 0x7FFFFFFFFFFFFFFFull);
        }
        return m_pool.New<CIntegerValue>(0, static_cast<int64_t>(ReadBE(p, n)), false);
    }
    case 0x2:
        if (marker == 0x22 && avail >= 4) {
            const uint32_t bits = static_cast<uint32_t>(ReadBE(p, 4));
            float f;
            std::memcpy(&f, &bits, 4);
            return m_pool.New<CRealValue>(0, f, true);
        }
        if (marker == 0x23 && avail >= 8) {
            const uint64_t bits = ReadBE(p, 8);
            double d;
            std::memcpy(&d, &bits, 8);
            return m_pool.New<CRealValue>(0, d, false);
        }
        return nullptr;
    case 0x3:
        if (marker == 0x33 && avail >= 8) {
            const uint64_t bits = ReadBE(p, 8);
            double d;
            std::memcpy(&d, &bits, 8);
            return m_pool.New<CDateValue>(0, d);
        }
        return nullptr;
    case 0x4: case 0x5: case 0x6: {
        uint64_t count;
        if (!ReadCount(marker, p, end, count)) return nullptr;
        const uint64_t bytes = (marker >> 4) == 0x6 ? count * 2 : count;
        if (bytes > static_cast<uint64_t>(end - p)) return nullptr;
        if ((marker >> 4) == 0x4)
            return m_pool.New<CDataValue>(0, std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(bytes)));
        CStringValue* s = CStringValue::New(static_cast<size_t>(count), &m_pool);
        char16_t* text = s->Units();
        if ((marker >> 4) == 0x5)
            WidenASCII(p, static_cast<size_t>(count), text);
        else
            for (size_t i = 0; i < count; ++i) text[i] = static_cast<char16_t>(p[2 * i] << 8 | p[2 * i + 1]);
        return s;
    }
    case 0x8: {
        const size_t n = low + 1;
        if (avail < n) return nullptr;
        for (size_t i = 0; i + 4 < n; ++i)
            if (p[i] != 0) return nullptr;
        return m_pool.New<CUIDValue>(0, static_cast<uint32_t>(ReadBE(p + (n > 4 ? n - 4 : 0), n > 4 ? 4 : n)));
    }
    default:
        return nullptr;
    }
}

const CObject* CBinaryReader::ReadContainer(uint8_t marker, const uint8_t* p, const uint8_t* end, int depth, int& height) {
    uint64_t count;
    if (!ReadCount(marker, p, end, count)) return nullptr;
    const bool dict = (marker >> 4) == 0xD;
    const uint64_t refBytes = count * m_refSize * (dict ? 2 : 1);
    if (refBytes > static_cast<uint64_t>(end - p)) return nullptr;
    if (dict) {
        Ref<CDictionaryValue> d(m_pool.New<CDictionaryValue>(0));
        d->m_entries.reserve(count);
        const uint8_t* keys = p;
        const uint8_t* values = p + count * m_refSize;
        for (uint64_t i = 0; i < count; ++i) {
            uint64_t k, v;
            if (!ReadRef(keys, k) || !ReadRef(values, v)) return nullptr;
            // A container may not be a key.
            const uint64_t keyOffset = ReadBE(m_data + m_offsetTable + k * m_offsetSize, m_offsetSize);
            const uint8_t keyType = m_data[keyOffset] >> 4;
            if (keyType == 0xA || keyType == 0xC || keyType == 0xD) return nullptr;
            const CObject* key = ReadObject(k, depth);
            if (!key) return nullptr;
            const CObject* value = ReadObject(v, depth);
            if (!value) return nullptr;
            if (m_height[v] > height) height = m_height[v];
            key->Retain();
            value->Retain();
            d->m_entries.emplace_back(key, value);
        }
        d->Normalize(false);
        return d.Detach();
    }
    Ref<CArrayValue> a(m_pool.New<CArrayValue>(0, (marker >> 4) == 0xC ? Kind::Set : Kind::Array));
    a->m_items.reserve(count);
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t r;
        if (!ReadRef(p, r)) return nullptr;
        const CObject* item = ReadObject(r, depth);
        if (!item) return nullptr;
        if (m_height[r] > height) height = m_height[r];
        item->Retain();
        a->m_items.push_back(item);
    }
    return a.Detach();
}

}  // namespace

bool ReadBinary(const uint8_t* bytes, size_t size, ParseResult& result) {
    CBinaryReader reader(bytes, size);
    if (!reader.CheckTrailer()) return false;
    result.format = kFormatBinary;
    try {
        reader.Prepare();
        const CObject* top = reader.ReadTop();
        if (top) {
            top->Retain();
            result.value = Ref<const CObject>(top);
        }
    } catch (const std::bad_alloc&) {
    }
    return true;
}

}  // namespace cf
