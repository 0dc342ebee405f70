// The property-list engine: read any format, validate, write XML or binary. Portable, no Win32.
#pragma once

#include "Value.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace cf {

enum : int32_t { kFormatOpenStep = 1, kFormatXML = 100, kFormatBinary = 200 };

// Containers may nest this deep in every reader; deeper input is refused.
constexpr int kMaxNesting = 512;

struct ParseResult {
    Ref<const CObject> value;  // null on failure
    int32_t format = 0;        // 0 when the reader reports no format (failure before the binary check)
    bool hasError = false;     // a failure may come without a message
    std::string error;         // UTF-8 message when hasError
};

// How Parse treats input that reads but would not survive a write unchanged.
enum ParseFlags : unsigned {
    kParseDefault = 0,
    // An XML dictionary that holds a key twice fails ("Duplicate key ... at line N") instead of
    // keeping one value: for text about to be saved, where the other value would be lost unseen.
    kParseRefuseDuplicateKeys = 1,
};

// Reads binary, XML or OpenStep bytes. Never throws; allocation failure gives no value and no message.
ParseResult Parse(const uint8_t* bytes, size_t size, unsigned flags = kParseDefault);

// True when the value may be written in the format (1 OpenStep, anything else XML/binary rules).
bool IsValid(const CObject* value, int32_t format);

// Append the XML / binary form of a value valid for the format to out. False (out unspecified) for an
// invalid value, a date that cannot be printed, or allocation failure.
bool WriteXML(const CObject* value, std::string& out);
bool WriteBinary(const CObject* value, std::string& out);

// Binary output handed to sink in pieces as it is made, never held whole; a sink returning false
// stops the write, which then fails.
using ByteSink = bool (*)(void* context, const char* bytes, size_t size);
bool WriteBinary(const CObject* value, ByteSink sink, void* context);

}  // namespace cf
