// Which values a format can hold.
#include "PropertyList.h"

#include <unordered_set>

namespace cf {
namespace {

class CValidator {
public:
    explicit CValidator(bool openStep) : m_openStep(openStep) {}

    bool Check(const CObject* v, int depth) {
        switch (v->GetKind()) {
        case Kind::String: case Kind::Data:
            return true;
        case Kind::Integer: case Kind::Real: case Kind::Boolean: case Kind::Date: case Kind::UID:
            return !m_openStep;
        case Kind::Array: case Kind::Dictionary:
            break;
        default:
            return false;
        }
        if (depth > kMaxNesting) return false;
        // Readers share objects (a binary list may reference one many times): check each once.
        if (v->IsShared() && m_checked.count(v)) return true;
        if (v->GetKind() == Kind::Array) {
            for (const CObject* item : static_cast<const CArrayValue*>(v)->m_items)
                if (!Check(item, depth + 1)) return false;
        } else {
            for (const auto& e : static_cast<const CDictionaryValue*>(v)->m_entries)
                if (!IsStringKey(e.first) || !Check(e.second, depth + 1)) return false;
        }
        if (v->IsShared()) m_checked.insert(v);
        return true;
    }

private:
    bool m_openStep;
    std::unordered_set<const CObject*> m_checked;
};

}  // namespace

bool IsValid(const CObject* value, int32_t format) {
    if (!value) return false;
    try {
        CValidator validator(format == kFormatOpenStep);
        return validator.Check(value, 1);
    } catch (...) {
        return false;
    }
}

}  // namespace cf
