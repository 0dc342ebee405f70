// Fuzz target: the markup tokenizer over any UTF-16LE text (an odd last byte is dropped). Every
// token stream ends, names stay within their buffers, and values never outgrow the text.
#include "markup/ZPMarkupParser.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace {

// Each token reads at least one character, except the end of a comment, CDATA section or
// processing instruction, which follows a token that read several.
size_t MaxTokens(size_t units) { return 2 * units + 2; }

// Error messages are short texts of their own, whatever the input's length.
const int kMaxMessageLength = 128;
const size_t kMaxNameLength = 127;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<WCHAR> text(size / 2);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<WCHAR>(data[2 * i] | (data[2 * i + 1] << 8));

    CZPMarkupParser parser;
    parser.SetBuffer(text.data(), text.data() + text.size());
    // The builder looks for the first tag before it asks for tokens; odd sizes take that path.
    if (size % 2 == 1 && !parser.FindFirstTag()) return 0;

    const int maxValue = std::max(static_cast<int>(text.size()), kMaxMessageLength);
    int line = 0;
    for (size_t count = 0;; ++count) {
        if (count > MaxTokens(text.size())) std::abort();
        const int token = parser.GetNextToken();
        if (token < CZPMarkupParser::tokenError || token > CZPMarkupParser::tokenProcessingInstructionEnd)
            std::abort();
        const int length = parser.GetValueLength();
        if (length < 0 || length > maxValue) std::abort();
        if (std::wcslen(parser.GetValue()) > static_cast<size_t>(length)) std::abort();
        if (std::wcslen(parser.GetTagName()) > kMaxNameLength) std::abort();
        if (std::wcslen(parser.GetAttributeName()) > kMaxNameLength) std::abort();
        if (parser.GetLine() < line || parser.GetPosition() < 0) std::abort();
        line = parser.GetLine();
        if (token == CZPMarkupParser::tokenEnd || token == CZPMarkupParser::tokenError) break;
    }
    return 0;
}
