// Fuzz target: the whole reading pipeline (format detection, decoding, XML, OpenStep, binary) and the
// validation and writing that the document runs on whatever it read.
#include "FuzzSupport.h"

#include <cstdlib>

namespace {

void Check(const uint8_t* data, size_t size) {
    cf::ParseResult r = cf::Parse(data, size);
    if (!r.value) {
        // A failed text read always says why, except for an unclosed root start tag.
        if (r.format != 0 && r.format != cf::kFormatBinary) std::abort();
        return;
    }
    if (r.hasError || !r.error.empty()) std::abort();
    // No reader may hand out deeper nesting than it accepts: every later step relies on it.
    std::unordered_map<const cf::CObject*, int> seen;
    if (cffuzz::Nesting(r.value.Get(), seen) > cf::kMaxNesting) std::abort();
    if (r.format != cf::kFormatBinary && r.format != cf::kFormatXML && r.format != cf::kFormatOpenStep) std::abort();
    const bool valid = cf::IsValid(r.value.Get(), r.format);
    // XML validity includes binary and OpenStep validity.
    if (valid && !cf::IsValid(r.value.Get(), cf::kFormatXML)) std::abort();
    if (r.format == cf::kFormatOpenStep && !valid) std::abort();
    if (valid && cffuzz::SmallEnough(r.value.Get())) {
        std::string xml, binary;
        // The writer sizes its output first: a short estimate shows as a damaged end.
        if (cf::WriteXML(r.value.Get(), xml) && (xml.size() < 9 || xml.compare(xml.size() - 9, 9, "</plist>\n") != 0))
            std::abort();
        cf::WriteBinary(r.value.Get(), binary);
    }
    return;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cffuzz::CheckBothWays(data, size, Check);
    return 0;
}
