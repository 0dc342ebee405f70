// Singletons, dictionary ordering and value equality.
#include "Value.h"
#include "Text.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define CF_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define CF_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define CF_POISON(p, n) ((void)(p), (void)(n))
#define CF_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace cf {

void CObject::Destroy() const {
    const size_t poolBytes = m_poolBytes;
    void* p = const_cast<CObject*>(this);
    this->~CObject();
    if (poolBytes) CPool::Free(p, poolBytes);
    else ::operator delete(p);
}

namespace {

// Freed chunks are kept for the next list, up to a bound: a file opened or saved again then
// reuses memory the process already has, rather than paying for fresh pages once more.
class CChunkCache {
public:
    static constexpr size_t kMaxChunks = 1024;

    CChunkCache() { m_free.reserve(kMaxChunks); }
    bool Take(void*& chunk) {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_free.empty()) return false;
        chunk = m_free.back();
        m_free.pop_back();
        return true;
    }
    bool Keep(void* chunk) {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_free.size() == kMaxChunks) return false;
        m_free.push_back(chunk);
        return true;
    }

private:
    std::mutex m_lock;
    std::vector<void*> m_free;  // owned chunks
};

// Never destroyed: values may still be released while statics are destroyed.
CChunkCache& ChunkCache() {
    static CChunkCache* cache = new CChunkCache;
    return *cache;
}

}  // namespace

void* CPool::NewChunk() {
    void* chunk;
    if (ChunkCache().Take(chunk)) return chunk;
    return ::operator new(kChunkBytes, std::align_val_t(kChunkBytes));
}

void CPool::DeleteChunk(void* chunk) {
    CF_POISON(chunk, kChunkBytes);
    if (ChunkCache().Keep(chunk)) return;
    CF_UNPOISON(chunk, kChunkBytes);
    ::operator delete(chunk, std::align_val_t(kChunkBytes));
}

void* CPool::Allocate(size_t bytes) {
    bytes = (bytes + 7) & ~size_t(7);
    if (static_cast<size_t>(m_end - m_next) < bytes) {
        Leave();
        void* memory = NewChunk();
        CF_UNPOISON(memory, sizeof(CChunk));
        m_chunk = new (memory) CChunk{1};
        m_next = static_cast<char*>(memory) + ((sizeof(CChunk) + 7) & ~size_t(7));
        m_end = static_cast<char*>(memory) + kChunkBytes;
        CF_POISON(m_next, static_cast<size_t>(m_end - m_next));
    }
    void* p = m_next;
    m_next += bytes;
    ++m_chunk->live;
    CF_UNPOISON(p, bytes);
    return p;
}

void CPool::Leave() {
    if (m_chunk && --m_chunk->live == 0) DeleteChunk(m_chunk);
    m_chunk = nullptr;
    m_next = m_end = nullptr;
}

void CPool::Free(void* p, size_t bytes) {
    CChunk* chunk = reinterpret_cast<CChunk*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kChunkBytes - 1));
    CF_POISON(p, bytes);
    if (--chunk->live == 0) DeleteChunk(chunk);
}

CStringValue* CStringValue::New(size_t size, CPool* pool) {
    const size_t extra = size * sizeof(char16_t);
    if (pool) return pool->New<CStringValue>(extra, size);
    return new (::operator new(sizeof(CStringValue) + extra)) CStringValue(size);
}

CStringValue* CStringValue::New(std::u16string_view text, CPool* pool) {
    CStringValue* s = New(text.size(), pool);
    if (!text.empty()) std::memcpy(s->Units(), text.data(), text.size() * sizeof(char16_t));
    return s;
}

CStringValue* CStringValue::FromUTF8(const char* bytes, size_t size, CPool* pool) {
    CStringValue* s = New(UTF16Length(bytes, size), pool);
    CopyUTF16(s->Units(), bytes, size);
    return s;
}

const CSingletonValue* TrueValue() { static const CSingletonValue v(Kind::Boolean, true); return &v; }
const CSingletonValue* FalseValue() { static const CSingletonValue v(Kind::Boolean, false); return &v; }
const CSingletonValue* NullValue() { static const CSingletonValue v(Kind::Null, false); return &v; }

namespace {

std::u16string_view Text(const CObject* o) { return static_cast<const CStringValue*>(o)->Text(); }

// String keys first, by UTF-16 units; other keys after them.
bool KeyLess(const std::pair<const CObject*, const CObject*>& a, const std::pair<const CObject*, const CObject*>& b) {
    const bool sa = IsStringKey(a.first), sb = IsStringKey(b.first);
    if (sa != sb) return sa;
    return sa && Text(a.first) < Text(b.first);
}

}  // namespace

void CDictionaryValue::Normalize(bool keepLast) {
    auto& e = m_entries;
    bool sorted = true;
    for (size_t i = 0; i < e.size() && sorted; ++i) {
        if (!IsStringKey(e[i].first)) sorted = false;
        else if (i && !(Text(e[i - 1].first) < Text(e[i].first))) sorted = false;
    }
    if (sorted) return;
    std::stable_sort(e.begin(), e.end(), KeyLess);
    size_t out = 0;
    for (size_t i = 0; i < e.size();) {
        size_t j = i + 1;
        if (IsStringKey(e[i].first))
            while (j < e.size() && IsStringKey(e[j].first) && Text(e[j].first) == Text(e[i].first)) ++j;
        size_t keep = keepLast ? j - 1 : i;
        for (size_t k = i; k < j; ++k) {
            if (k == keep) continue;
            e[k].first->Release();
            e[k].second->Release();
        }
        e[out++] = e[keep];
        i = j;
    }
    e.resize(out);
}

bool ValuesEqual(const CObject* a, const CObject* b) {
    if (a == b) return true;
    if (!a || !b || a->GetKind() != b->GetKind()) return false;
    switch (a->GetKind()) {
    case Kind::String: return Text(a) == Text(b);
    case Kind::Data: return static_cast<const CDataValue*>(a)->m_bytes == static_cast<const CDataValue*>(b)->m_bytes;
    case Kind::Integer: {
        auto x = static_cast<const CIntegerValue*>(a), y = static_cast<const CIntegerValue*>(b);
        return x->m_value == y->m_value && x->UnsignedBig() == y->UnsignedBig();
    }
    case Kind::Real: {
        double x = static_cast<const CRealValue*>(a)->m_value, y = static_cast<const CRealValue*>(b)->m_value;
        return (x != x && y != y) || std::memcmp(&x, &y, sizeof x) == 0;
    }
    case Kind::Date: {
        double x = static_cast<const CDateValue*>(a)->m_seconds, y = static_cast<const CDateValue*>(b)->m_seconds;
        return (x != x && y != y) || std::memcmp(&x, &y, sizeof x) == 0;
    }
    case Kind::Boolean: case Kind::Null:
        return static_cast<const CSingletonValue*>(a)->m_flag == static_cast<const CSingletonValue*>(b)->m_flag;
    case Kind::UID: return static_cast<const CUIDValue*>(a)->m_value == static_cast<const CUIDValue*>(b)->m_value;
    case Kind::Array: case Kind::Set: {
        auto& x = static_cast<const CArrayValue*>(a)->m_items;
        auto& y = static_cast<const CArrayValue*>(b)->m_items;
        if (x.size() != y.size()) return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (!ValuesEqual(x[i], y[i])) return false;
        return true;
    }
    case Kind::Dictionary: {
        auto& x = static_cast<const CDictionaryValue*>(a)->m_entries;
        auto& y = static_cast<const CDictionaryValue*>(b)->m_entries;
        if (x.size() != y.size()) return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (!ValuesEqual(x[i].first, y[i].first) || !ValuesEqual(x[i].second, y[i].second)) return false;
        return true;
    }
    default: return false;
    }
}

}  // namespace cf
