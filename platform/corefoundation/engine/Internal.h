// Pieces shared by the engine's readers and writers; not part of the public API.
#pragma once

#include "PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Keeps leaf work out of the frames of recursive readers and writers, so deep nesting stays cheap.
#if defined(__GNUC__)
#define CF_NOINLINE __attribute__((noinline))
#else
#define CF_NOINLINE
#endif

namespace cf {

// Binary: false when the bytes do not pass the trailer check (not binary). When true, result holds
// the value, or no value and no message.
bool ReadBinary(const uint8_t* bytes, size_t size, ParseResult& result);

// XML over well-formed (generalized) UTF-8 text. On failure result.hasError tells whether a message
// was produced. flags: ParseFlags.
bool ReadXML(const char* text, size_t size, ParseResult& result, unsigned flags = kParseDefault);

// OpenStep over the same text; no messages.
Ref<const CObject> ReadOpenStep(const char* text, size_t size);

// Numbers and dates as text. Print* write at most k*TextMax characters and return the end; PrintDate
// returns nullptr for a date that cannot be printed.
constexpr size_t kRealTextMax = 32;
constexpr size_t kDateTextMax = 32;
char* PrintReal(char* out, double value);
// Integers in decimal (at most 20 digits and a sign); DecimalDigits counts the digits of v.
char* PrintUnsigned(char* out, uint64_t v);
char* PrintSigned(char* out, int64_t v);
size_t DecimalDigits(uint64_t v);
char* PrintDate(char* out, double seconds);
void AppendReal(std::string& out, double value);
bool AppendDate(std::string& out, double seconds);
bool ParseRealText(const std::u16string& text, double& value);
// Seconds since 2001-01-01 for the fields of an XML date (months 0-15).
double DateFromFields(int64_t year, int month, int day, int hour, int minute, int second);

// "line" counted as the XML reader reports it: LF, CR and CR LF are one break each.
int LineAt(const char* begin, const char* pos);

}  // namespace cf
