// Helpers of the fuzz targets: bounds that keep one input cheap, and the value the XML form reads back as.
#pragma once

#include "engine/PropertyList.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
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

// Containers on the longest path from v down (shared objects counted once each way down).
inline int Nesting(const cf::CObject* v, std::unordered_map<const cf::CObject*, int>& seen) {
    const cf::Kind kind = v->GetKind();
    if (kind != cf::Kind::Array && kind != cf::Kind::Set && kind != cf::Kind::Dictionary) return 0;
    auto it = seen.find(v);
    if (it != seen.end()) return it->second;
    int deepest = 0;
    if (kind == cf::Kind::Dictionary) {
        for (const auto& e : static_cast<const cf::CDictionaryValue*>(v)->m_entries)
            deepest = std::max(deepest, Nesting(e.second, seen));
    } else {
        for (const cf::CObject* item : static_cast<const cf::CArrayValue*>(v)->m_items)
            deepest = std::max(deepest, Nesting(item, seen));
    }
    return seen[v] = deepest + 1;
}

inline bool SmallEnough(const cf::CObject* v) {
    constexpr size_t kLimit = 1 << 18;
    std::unordered_map<const cf::CObject*, size_t> seen;
    return ExpandedSize(v, kLimit, seen) <= kLimit;
}

// The input as the object table of a binary list: byte 0 gives the object count n (1-16), the next n bytes
// the objects' offsets into the rest, which is the table; one-byte refs. Lets mutations reach the
// object reader without first having to get the trailer right.
inline std::string AsBinaryObjects(const uint8_t* data, size_t size) {
    if (size < 3) return std::string();
    const size_t n = data[0] % 16 + 1;
    if (size < 2 + n) return std::string();
    const size_t body = size - 1 - n;
    std::string out = "bplist00";
    out.append(reinterpret_cast<const char*>(data) + 1 + n, body);
    const size_t table = out.size();
    const size_t offsetSize = table > 0xFF ? 2 : 1;
    for (size_t i = 0; i < n; ++i) {
        const size_t offset = 8 + data[1 + i] % body;
        if (offsetSize == 2) out += static_cast<char>(offset >> 8);
        out += static_cast<char>(offset);
    }
    std::string trailer(32, '\0');
    trailer[6] = static_cast<char>(offsetSize);
    trailer[7] = 1;
    trailer[15] = static_cast<char>(n);
    for (int i = 0; i < 8; ++i) trailer[31 - i] = static_cast<char>(static_cast<uint64_t>(table) >> (8 * i));
    return out + trailer;
}

// Runs a check on the input as it stands and, where it makes one, as a binary object table.
template <typename Check>
void CheckBothWays(const uint8_t* data, size_t size, Check check) {
    check(data, size);
    const std::string objects = AsBinaryObjects(data, size);
    if (!objects.empty()) check(reinterpret_cast<const uint8_t*>(objects.data()), objects.size());
}

// What reading the XML form of v gives back: dates floored to whole seconds, -0.0 as 0.0, unpaired
// surrogates as U+FFFD, a one-entry dictionary {CF$UID: number} as a UID (when uids; a value read from
// XML holds no such dictionary). Null when v holds a value the XML form cannot carry back (a date before
// year 0 or too far out to print).
cf::Ref<const cf::CObject> AsReadFromXML(const cf::CObject* v, bool uids);

}  // namespace cffuzz
