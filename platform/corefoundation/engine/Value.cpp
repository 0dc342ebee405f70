// Singletons, dictionary ordering and value equality.
#include "Value.h"

#include <algorithm>
#include <cstring>

namespace cf {

const CSingletonValue* TrueValue() { static const CSingletonValue v(Kind::Boolean, true); return &v; }
const CSingletonValue* FalseValue() { static const CSingletonValue v(Kind::Boolean, false); return &v; }
const CSingletonValue* NullValue() { static const CSingletonValue v(Kind::Null, false); return &v; }

namespace {

const std::u16string& Text(const CObject* o) { return static_cast<const CStringValue*>(o)->m_text; }

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
        return x->m_value == y->m_value && x->m_unsignedBig == y->m_unsignedBig;
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
