// Reading any format: binary by its trailer, else text in its encoding, XML first, then OpenStep.
#include "Internal.h"
#include "Text.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace cf {
namespace {

const char kConversionFailed[] = "Conversion of string failed. The string is empty.";

// The charset named by an "<?xml ... encoding='...'" declaration; empty when none is named.
std::string DeclaredEncoding(const uint8_t* bytes, size_t size) {
    if (size < 5 || std::memcmp(bytes, "<?xml", 5) != 0) return std::string();
    const char* p = reinterpret_cast<const char*>(bytes) + 5;
    const char* end = reinterpret_cast<const char*>(bytes) + size;
    const char* declEnd = p;
    while (declEnd < end && *declEnd != '?' && *declEnd != '>') ++declEnd;
    static const char kKey[] = "encoding=";
    const size_t keyLen = sizeof kKey - 1;
    for (const char* q = p; q + keyLen < declEnd; ++q) {
        if (std::memcmp(q, kKey, keyLen) != 0) continue;
        const char quote = q[keyLen];
        if (quote != '"' && quote != '\'') return std::string();
        const char* name = q + keyLen + 1;
        const char* close = name;
        while (close < declEnd && *close != quote) ++close;
        if (close == declEnd) return std::string();
        return std::string(name, close);
    }
    return std::string();
}

bool IsUTF8Name(const std::string& name) {
    if (name.size() != 5) return false;
    for (size_t i = 0; i < 5; ++i) {
        const char c = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 32) : name[i];
        if (c != "UTF-8"[i]) return false;
    }
    return true;
}

void ParseText(const uint8_t* bytes, size_t size, unsigned flags, ParseResult& result) {
    std::string converted;  // the text when it had to be converted to UTF-8
    const char* text = reinterpret_cast<const char*>(bytes);
    size_t length = size;
    uint32_t codePage = kCodePageUTF8;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        codePage = kCodePageUTF16LE;
        text += 2;
        length -= 2;
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        codePage = kCodePageUTF16BE;
        text += 2;
        length -= 2;
    } else if (bytes[0] == 0 || (size >= 2 && bytes[1] == 0)) {
        codePage = kCodePageUTF16BE;
    } else {
        const std::string name = DeclaredEncoding(bytes, size);
        if (!name.empty() && !IsUTF8Name(name)) {
            codePage = CodePageFromCharsetName(name);
            if (!codePage) {
                result.hasError = true;
                result.error = "Encountered unknown encoding (" + name + ")";
                return;
            }
        }
    }
    if (codePage == kCodePageUTF8) {
        bool changed = false;
        if (!ValidateUTF8(text, length, converted, changed)) {
            result.hasError = true;
            result.error = kConversionFailed;
            return;
        }
        if (changed) {
            text = converted.data();
            length = converted.size();
        }
    } else {
        std::u16string wide;
        if (!DecodeCodePage(codePage, text, length, wide)) {
            result.hasError = true;
            result.error = kConversionFailed;
            return;
        }
        converted.reserve(wide.size() + wide.size() / 2);
        EncodeUTF8(wide.data(), wide.size(), converted, Surrogates::Keep);
        text = converted.data();
        length = converted.size();
    }
    if (ReadXML(text, length, result, flags)) {
        result.format = kFormatXML;
        return;
    }
    Ref<const CObject> value = ReadOpenStep(text, length);
    if (value) {
        result.value = std::move(value);
        result.format = kFormatOpenStep;
        result.hasError = false;
        result.error.clear();
    }
}

}  // namespace

ParseResult Parse(const uint8_t* bytes, size_t size, unsigned flags) {
    ParseResult result;
    try {
        if (!bytes || !size) {
            result.hasError = true;
            result.error = "Cannot parse a NULL or zero-length data";
            return result;
        }
        if (ReadBinary(bytes, size, result)) return result;
        ParseText(bytes, size, flags, result);
    } catch (const std::bad_alloc&) {
        result.value.Reset();
        result.hasError = false;
        result.error.clear();
    } catch (const std::length_error&) {
        result.value.Reset();
        result.hasError = false;
        result.error.clear();
    }
    return result;
}

}  // namespace cf
