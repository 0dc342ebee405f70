// Reference-counted property-list values shared by the readers, the writers and the DLL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace cf {

enum class Kind : uint8_t {
    String, Data, Integer, Real, Boolean, Date, Array, Dictionary, UID, Set, Null,
    // Objects of the DLL that are not property-list values.
    URL, ReadStream, WriteStream,
};

// Every object starts with a reference count of 1 (the creator owns it).
class CObject {
public:
    explicit CObject(Kind kind) : m_kind(kind) {}
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    Kind GetKind() const { return m_kind; }
    void Retain() const { if (m_refs != kImmortal) ++m_refs; }
    void Release() const { if (m_refs != kImmortal && --m_refs == 0) delete this; }
    bool IsShared() const { return m_refs > 1; }

protected:
    static constexpr uint32_t kImmortal = 0xFFFFFFFFu;
    mutable uint32_t m_refs = 1;

private:
    const Kind m_kind;
};

using CValue = CObject;

class CStringValue : public CObject {
public:
    explicit CStringValue(std::u16string text) : CObject(Kind::String), m_text(std::move(text)) {}
    std::u16string m_text;
};

class CDataValue : public CObject {
public:
    explicit CDataValue(std::string bytes) : CObject(Kind::Data), m_bytes(std::move(bytes)) {}
    std::string m_bytes;
};

// Signed 64-bit, or with m_unsignedBig the range 2^63 ... 2^64-1 stored as its bit pattern.
class CIntegerValue : public CObject {
public:
    CIntegerValue(int64_t value, bool unsignedBig) : CObject(Kind::Integer), m_value(value), m_unsignedBig(unsignedBig) {}
    int64_t m_value;
    bool m_unsignedBig;
};

class CRealValue : public CObject {
public:
    CRealValue(double value, bool isFloat) : CObject(Kind::Real), m_value(value), m_isFloat(isFloat) {}
    double m_value;
    bool m_isFloat;  // read from a 4-byte binary real
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
