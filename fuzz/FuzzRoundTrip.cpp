// Fuzz target: whatever reads and is valid must come back equal from its binary form, and from its XML
// form up to what XML cannot carry (see AsReadFromXML).
#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace {

cf::ParseResult Reparse(const std::string& bytes) {
    return cf::Parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void Fail(const char* what, const std::string& bytes) {
    std::fprintf(stderr, "round trip failed: %s (%zu bytes written)\n", what, bytes.size());
    std::abort();
}

void Check(const uint8_t* data, size_t size) {
    cf::ParseResult r = cf::Parse(data, size);
    if (!r.value || !cf::IsValid(r.value.Get(), cf::kFormatXML) || !cffuzz::SmallEnough(r.value.Get())) return;
    const cf::CObject* v = r.value.Get();

    std::string binary;
    if (!cf::WriteBinary(v, binary)) Fail("binary not written", binary);
    cf::ParseResult b = Reparse(binary);
    if (b.format != cf::kFormatBinary || !b.value) Fail("binary not read back", binary);
    if (!cf::ValuesEqual(v, b.value.Get())) Fail("binary read back differs", binary);

    cf::Ref<const cf::CObject> expected = cffuzz::AsReadFromXML(v, r.format != cf::kFormatXML);
    std::string xml;
    const bool written = cf::WriteXML(v, xml);
    if (!expected) return;  // a date the XML form cannot carry
    if (!written) Fail("XML not written", xml);
    cf::ParseResult x = Reparse(xml);
    if (x.format != cf::kFormatXML || !x.value) Fail(x.hasError ? x.error.c_str() : "XML not read back", xml);
    if (!cf::ValuesEqual(expected.Get(), x.value.Get())) Fail("XML read back differs", xml);
    return;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cffuzz::CheckBothWays(data, size, Check);
    return 0;
}
