// Reference-counted property-list values shared by the readers, the writers and the DLL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cf {

enum class Kind : uint8_t {
    String, Data, Integer, Real, Boolean, Date, Array, Dictionary, UID, Set, Null,
    // Objects of the DLL that are not property-list values.
    URL, ReadStream, WriteStream,
};

class CPool;

// Every object starts with a reference count of 1 (the creator owns it). Objects come from plain
// new, or from a reader's CPool; the last Release gives the memory back to where it came from.
class CObject {
public:
    explicit CObject(Kind kind) : m_kind(kind) {}
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    Kind GetKind() const { return m_kind; }
    void Retain() const { if (m_refs != kImmortal) ++m_refs; }
    void Release() const { if (m_refs != kImmortal && --m_refs == 0) Destroy(); }
    bool IsShared() const { return m_refs > 1; }

protected:
    static constexpr uint32_t kImmortal = 0xFFFFFFFFu;
    mutable uint32_t m_refs = 1;
    bool m_variant = false;  // a flag of the subclass, kept in what would be padding

private:
    friend class CPool;
    void Destroy() const;

    const Kind m_kind;
    uint16_t m_poolBytes = 0;  // bytes taken from a CPool chunk; 0 when allocated with operator new
};

// Bump allocation of a reader's many small objects in aligned chunks: no per-object heap header,
// no heap call per object, and freeing is a count per chunk. A chunk goes back to the heap when
// the pool and every object in it are gone, so values outlive the pool that made them.
class CPool {
public:
    CPool() = default;
    CPool(const CPool&) = delete;
    CPool& operator=(const CPool&) = delete;
    ~CPool() { Leave(); }

    // Constructs a T in extra + sizeof(T) bytes (extra: inline storage the object fills itself).
    template <class T, class... Args>
    T* New(size_t extra, Args&&... args) {
        const size_t bytes = sizeof(T) + extra;
        if (bytes > kLargest) {
            void* p = ::operator new(bytes);
            return new (p) T(std::forward<Args>(args)...);
        }
        void* p = Allocate(bytes);
        T* o = new (p) T(std::forward<Args>(args)...);
        o->m_poolBytes = static_cast<uint16_t>(bytes);
        return o;
    }

    static void Free(void* p, size_t bytes);

private:
    static constexpr size_t kChunkBytes = 64 * 1024;  // also the chunks' alignment
    static constexpr size_t kLargest = 4096;          // larger objects go to the heap
    struct CChunk { size_t live; };                   // the pool's hold + objects not yet freed

    void* Allocate(size_t bytes);
    void Leave();
    static void* NewChunk();
    static void DeleteChunk(void* chunk);

    CChunk* m_chunk = nullptr;  // the chunk being filled; the pool holds one count of it
    char* m_next = nullptr;     // free space in m_chunk
    char* m_end = nullptr;
};

using CValue = CObject;

// UTF-16 text kept in the object's own allocation.
class CStringValue : public CObject {
public:
    // A string of size units, filled through Units() by the caller.
    static CStringValue* New(size_t size, CPool* pool = nullptr);
    static CStringValue* New(std::u16string_view text, CPool* pool = nullptr);
    // From UTF-8 known to be well formed (3-byte surrogates allowed).
    static CStringValue* FromUTF8(const char* bytes, size_t size, CPool* pool = nullptr);

    std::u16string_view Text() const { return std::u16string_view(Units(), m_size); }
    const char16_t* Units() const { return reinterpret_cast<const char16_t*>(this + 1); }
    char16_t* Units() { return reinterpret_cast<char16_t*>(this + 1); }

private:
    friend class CPool;
    explicit CStringValue(size_t size) : CObject(Kind::String), m_size(size) {}

    size_t m_size;
};

class CDataValue : public CObject {
public:
    explicit CDataValue(std::string bytes) : CObject(Kind::Data), m_bytes(std::move(bytes)) {}
    std::string m_bytes;
};

// Signed 64-bit, or when UnsignedBig() the range 2^63 ... 2^64-1 stored as its bit pattern.
class CIntegerValue : public CObject {
public:
    CIntegerValue(int64_t value, bool unsignedBig) : CObject(Kind::Integer), m_value(value) { m_variant = unsignedBig; }
    bool UnsignedBig() const { return m_variant; }
    int64_t m_value;
};

class CRealValue : public CObject {
public:
    CRealValue(double value, bool isFloat) : CObject(Kind::Real), m_value(value) { m_variant = isFloat; }
    bool IsFloat() const { return m_variant; }  // read from a 4-byte binary real
    double m_value;
};

class CDateValue : public CObject {
public:
    explicit CDateValue(double seconds) : CObject(Kind::Date), m_seconds(seconds) {}
    double m_seconds;  // since 2001-01-01T00:00:00Z
};

class CUIDValue : public CObject {
public:
    explicit CUIDValue(uint32_t value) : CObject(Kind::UID), m_value(value) {}
    uint32_t m_value;
};

// Immortal singletons: true, false and null.
class CSingletonValue : public CObject {
public:
    CSingletonValue(Kind kind, bool flag) : CObject(kind), m_flag(flag) { m_refs = kImmortal; }
    const bool m_flag;
};

const CSingletonValue* TrueValue();
const CSingletonValue* FalseValue();
const CSingletonValue* NullValue();
inline const CObject* BooleanValue(bool flag) { return flag ? TrueValue() : FalseValue(); }

// Array or set; owns one reference to every element.
class CArrayValue : public CObject {
public:
    explicit CArrayValue(Kind kind = Kind::Array) : CObject(kind) {}
    ~CArrayValue() override { for (const CObject* item : m_items) item->Release(); }
    std::vector<const CObject*> m_items;
};

// Entries are kept sorted by key (string keys by UTF-16 units, then other keys in read order) and
// string keys are unique; owns one reference to every key and value.
class CDictionaryValue : public CObject {
public:
    CDictionaryValue() : CObject(Kind::Dictionary) {}
    ~CDictionaryValue() override { for (auto& e : m_entries) { e.first->Release(); e.second->Release(); } }
    std::vector<std::pair<const CObject*, const CObject*>> m_entries;

    // Sorts and removes duplicate string keys, keeping the first or the last occurrence.
    void Normalize(bool keepLast);
};

// Owning smart pointer: holds one reference.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* p) : m_p(p) {}  // adopts the reference
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
    Ref& operator=(Ref&& o) noexcept { if (this != &o) { Reset(); m_p = o.m_p; o.m_p = nullptr; } return *this; }
    ~Ref() { Reset(); }
    void Reset() { if (m_p) m_p->Release(); m_p = nullptr; }
    T* Get() const { return m_p; }
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;  // owned reference
};

inline bool IsStringKey(const CObject* key) { return key->GetKind() == Kind::String; }

// Value equality (used by tests and round-trip checks); strings compare by UTF-16 units, reals by bits
// except that all NaNs are equal.
bool ValuesEqual(const CObject* a, const CObject* b);

}  // namespace cf
