// Text conversions: strict UTF-8, UTF-16 and the 8-bit charsets the readers accept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cf {

// Strict UTF-8 to UTF-16 (no overlongs, surrogates, values above U+10FFFF or truncated sequences).
// A leading BOM is dropped and a stray 0xA9 byte becomes U+FFFD. False on undecodable input.
bool DecodeUTF8(const char* bytes, size_t size, std::u16string& out);

enum class Surrogates { Fail, Replace, Keep };
// UTF-16 to UTF-8. Unpaired surrogates fail, become U+FFFD, or are kept as 3-byte sequences (only the
// readers' internal text uses Keep; AppendUTF16 turns them back).
bool EncodeUTF8(const char16_t* text, size_t size, std::string& out, Surrogates mode);
void AppendUTF8(std::string& out, uint32_t codePoint);

// Strict validation of UTF-8 input as DecodeUTF8 does; when a leading BOM or a stray 0xA9 needs a
// change, the corrected text goes to fixed (else fixed is left empty and the input stands as is).
bool ValidateUTF8(const char* bytes, size_t size, std::string& fixed, bool& changed);

// Appends UTF-16 for UTF-8 that is already known to be well formed (3-byte surrogates allowed).
void AppendUTF16(std::u16string& out, const char* bytes, size_t size);
// The same in two steps: the count of UTF-16 units, then the conversion into room for them.
size_t UTF16Length(const char* bytes, size_t size);
void CopyUTF16(char16_t* out, const char* bytes, size_t size);
// ASCII bytes (all below 0x80) to as many UTF-16 units.
void WidenASCII(const uint8_t* p, size_t count, char16_t* text);

// Converts 8-bit charsets to UTF-16. The portable table knows Latin-1, ASCII and Windows-1252; the DLL
// installs a converter that reaches the system's code pages for the rest.
using CodePageDecoder = bool (*)(uint32_t codePage, const char* bytes, size_t size, std::u16string& out);
void SetCodePageDecoder(CodePageDecoder decoder);
bool DecodeCodePage(uint32_t codePage, const char* bytes, size_t size, std::u16string& out);

// Windows code page for an IANA charset name (any case); 0 when unknown.
uint32_t CodePageFromCharsetName(const std::string& name);

constexpr uint32_t kCodePageUTF8 = 65001;
constexpr uint32_t kCodePageUTF16LE = 1200;
constexpr uint32_t kCodePageUTF16BE = 1201;

}  // namespace cf
