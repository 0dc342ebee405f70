// The value an XML round trip must reproduce.
#include "FuzzSupport.h"

#include <cmath>
#include <string>

namespace cffuzz {
namespace {

using namespace cf;

// Seconds from 2001-01-01 back to 0000-01-01 (proleptic Gregorian): year 0 still reads back, -1 not.
constexpr double kYearZero = -63113904000.0;

std::u16string WithoutLoneSurrogates(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            out += c;
            out += s[++i];
        } else {
            out += c >= 0xD800 && c < 0xE000 ? u'\uFFFD' : c;
        }
    }
    return out;
}

// The UID that a {CF$UID: number} dictionary becomes, or false when it is no such dictionary.
bool UIDOf(const CDictionaryValue* d, uint32_t& uid) {
    if (d->m_entries.size() != 1) return false;
    const CObject* key = d->m_entries[0].first;
    const CObject* value = d->m_entries[0].second;
    if (!IsStringKey(key) || static_cast<const CStringValue*>(key)->Text() != u"CF$UID") return false;
    if (value->GetKind() == Kind::Integer) {
        uid = static_cast<uint32_t>(static_cast<const CIntegerValue*>(value)->m_value);
        return true;
    }
    if (value->GetKind() != Kind::Real) return false;
    const double r = static_cast<const CRealValue*>(value)->m_value;
    uid = r >= -2147483648.0 && r < 2147483648.0 ? static_cast<uint32_t>(static_cast<int32_t>(r)) : 0x80000000u;
    return true;
}

}  // namespace

Ref<const CObject> AsReadFromXML(const CObject* v, bool uids) {
    switch (v->GetKind()) {
    case Kind::String:
        return Ref<const CObject>(CStringValue::New(WithoutLoneSurrogates(static_cast<const CStringValue*>(v)->Text())));
    case Kind::Real: {
        const double r = static_cast<const CRealValue*>(v)->m_value;
        return Ref<const CObject>(new CRealValue(r == 0 ? 0.0 : r, false));
    }
    case Kind::Date: {
        const double s = static_cast<const CDateValue*>(v)->m_seconds;
        if (!std::isfinite(s) || s < kYearZero || s > 9.0e15) return Ref<const CObject>();
        return Ref<const CObject>(new CDateValue(std::floor(s)));
    }
    case Kind::Array: {
        Ref<CArrayValue> a(new CArrayValue);
        for (const CObject* item : static_cast<const CArrayValue*>(v)->m_items) {
            Ref<const CObject> x = AsReadFromXML(item, uids);
            if (!x) return Ref<const CObject>();
            a->m_items.push_back(x.Detach());
        }
        return Ref<const CObject>(a.Detach());
    }
    case Kind::Dictionary: {
        auto d = static_cast<const CDictionaryValue*>(v);
        uint32_t uid;
        if (uids && UIDOf(d, uid)) return Ref<const CObject>(new CUIDValue(uid));
        Ref<CDictionaryValue> out(new CDictionaryValue);
        for (const auto& e : d->m_entries) {
            Ref<const CObject> key = AsReadFromXML(e.first, uids);
            Ref<const CObject> value = AsReadFromXML(e.second, uids);
            if (!key || !value) return Ref<const CObject>();
            out->m_entries.emplace_back(key.Detach(), value.Detach());
        }
        out->Normalize(true);  // keys that became equal: the later one wins, as in XML
        return Ref<const CObject>(out.Detach());
    }
    default:
        v->Retain();
        return Ref<const CObject>(v);
    }
}

}  // namespace cffuzz
