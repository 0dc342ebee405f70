// Helpers of the fuzz targets: bounds that keep one input cheap, and the value the XML form reads back as.
#pragma once

#include "engine/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace cffuzz {

// Binary lists may share objects, so a few hundred bytes can describe an exponentially large tree.
// Counts the nodes of the expanded tree, stopping once it passes limit.
inline size_t ExpandedSize(const cf::CObject* v, size_t limit, std::unordered_map<const cf::CObject*, size_t>& seen) {
    auto it = seen.find(v);
    if (it != seen.end()) return it->second;
    size_t n = 1;
    if (v->GetKind() == cf::Kind::Array || v->GetKind() == cf::Kind::Set) {
        for (const cf::CObject* item : static_cast<const cf::CArrayValue*>(v)->m_items) {
            n += ExpandedSize(item, limit, seen);
            if (n > limit) break;
        }
    } else if (v->GetKind() == cf::Kind::Dictionary) {
        for (const auto& e : static_cast<const cf::CDictionaryValue*>(v)->m_entries) {
            n += ExpandedSize(e.first, limit, seen) + ExpandedSize(e.second, limit, seen);
            if (n > limit) break;
        }
    }
    seen[v] = n;
    return n;
}

inline bool SmallEnough(const cf::CObject* v) {
    constexpr size_t kLimit = 1 << 18;
    std::unordered_map<const cf::CObject*, size_t> seen;
    return ExpandedSize(v, kLimit, seen) <= kLimit;
}

// What reading the XML form of v gives back: dates floored to whole seconds, -0.0 as 0.0, unpaired
// surrogates as U+FFFD, a one-entry dictionary {CF$UID: number} as a UID. Null when v holds a value the
// XML form cannot carry back (a date before year 0 or too far out to print).
cf::Ref<const cf::CObject> AsReadFromXML(const cf::CObject* v);

}  // namespace cffuzz
