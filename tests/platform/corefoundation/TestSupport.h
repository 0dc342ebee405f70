// Helpers shared by the engine's tests: parse text, write XML bodies, build binary lists by hand.
#pragma once

#include "engine/Internal.h"
#include "engine/PropertyList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cftest {

inline cf::ParseResult ParseBytes(const std::string& s) {
    return cf::Parse(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

// The XML of a value without the fixed header and footer.
inline std::string XmlBody(const cf::CObject* v) {
    std::string out;
    if (!cf::WriteXML(v, out)) return "<write failed>";
    const std::string head = "<plist version=\"1.0\">\n";
    const size_t at = out.find(head);
    return out.substr(at + head.size(), out.size() - at - head.size() - 9);
}

inline std::string FromHex(const std::string& hex) {
    std::string out;
    int hi = -1;
    for (char c : hex) {
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v < 0) continue;
        if (hi < 0) hi = v;
        else { out.push_back(static_cast<char>(hi << 4 | v)); hi = -1; }
    }
    return out;
}

inline std::string ToHex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) { out.push_back(digits[c >> 4]); out.push_back(digits[c & 15]); }
    return out;
}

// A binary list from objects given in hex (refs of one byte), with a correct offset table and trailer.
inline std::string BinaryList(const std::vector<std::string>& objectsHex, uint64_t top = 0) {
    std::string out = "bplist00";
    std::vector<size_t> offsets;
    for (const auto& h : objectsHex) { offsets.push_back(out.size()); out += FromHex(h); }
    const size_t table = out.size();
    for (size_t o : offsets) out.push_back(static_cast<char>(o));  // lists here stay below 256 bytes
    std::string trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    auto put = [&](size_t at, uint64_t v) { for (int i = 7; i >= 0; --i, v >>= 8) trailer[at + i] = static_cast<char>(v & 0xFF); };
    put(8, objectsHex.size());
    put(16, top);
    put(24, table);
    return out + trailer;
}

}  // namespace cftest
