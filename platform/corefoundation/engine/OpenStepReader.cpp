// Reader of old-style (OpenStep) property lists and .strings files: strings, data, arrays, dictionaries.
#include "Internal.h"
#include "Text.h"

#include <cstring>

namespace cf {
namespace {

// Upper half of the NeXTSTEP character set, for octal escapes.
const char16_t kNextStepHigh[128] = {
    0x00A0, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00B5, 0x00D7, 0x00F7,
    0x00A9, 0x00A1, 0x00A2, 0x00A3, 0x2044, 0x00A5, 0x0192, 0x00A7, 0x00A4, 0x2019, 0x201C, 0x00AB, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x00AE, 0x2013, 0x2020, 0x2021, 0x00B7, 0x00A6, 0x00B6, 0x2022, 0x201A, 0x201E, 0x201D, 0x00BB, 0x2026, 0x2030, 0x00AC, 0x00BF,
    0x00B9, 0x02CB, 0x00B4, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x00A8, 0x00B2, 0x02DA, 0x00B8, 0x00B3, 0x02DD, 0x02DB, 0x02C7,
    0x2014, 0x00B1, 0x00BC, 0x00BD, 0x00BE, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00C6, 0x00ED, 0x00AA, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x0141, 0x00D8, 0x0152, 0x00BA, 0x00F2, 0x00F3, 0x00F4, 0x00F5,
    0x00F6, 0x00E6, 0x00F9, 0x00FA, 0x00FB, 0x0131, 0x00FC, 0x00FD, 0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x00FF, 0xFFFD, 0xFFFD,
};

inline bool IsUnquoted(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           c == '/' || c == ':' || c == '.' || c == '-';
}

inline int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class COpenStepReader {
public:
    COpenStepReader(const char* text, size_t size) : m_begin(text), m_p(text), m_end(text + size) {}
    Ref<const CObject> Read();

private:
    CF_NOINLINE bool SkipSpace();  // false on an unterminated comment
    const CObject* ParseValue(int depth);
    CF_NOINLINE const CObject* ParseString();
    CF_NOINLINE const CObject* ParseQuoted();
    CF_NOINLINE const CObject* ParseData();
    const CObject* ParseArray(int depth);
    // Entries up to '}' (braced) or the end of the text.
    const CObject* ParseDictContents(int depth, bool braced);

    const char* m_begin;  // borrowed text
    const char* m_p;
    const char* m_end;
};

bool COpenStepReader::SkipSpace() {
    while (m_p < m_end) {
        const unsigned char c = static_cast<unsigned char>(*m_p);
        const size_t left = static_cast<size_t>(m_end - m_p);
        if ((c >= 0x09 && c <= 0x0D) || c == ' ') {
            ++m_p;
        } else if (c == 0xE2 && left >= 3 && static_cast<unsigned char>(m_p[1]) == 0x80 &&
                   (static_cast<unsigned char>(m_p[2]) == 0xA8 || static_cast<unsigned char>(m_p[2]) == 0xA9)) {
            m_p += 3;
        } else if (c == '/' && left >= 2 && m_p[1] == '/') {
            m_p += 2;
            while (m_p < m_end && *m_p != '\n' && *m_p != '\r') ++m_p;
        } else if (c == '/' && left >= 2 && m_p[1] == '*') {
            const char* q = m_p + 2;
            while (q + 1 < m_end && !(q[0] == '*' && q[1] == '/')) ++q;
            if (q + 1 >= m_end) return false;
            m_p = q + 2;
        } else {
            break;
        }
    }
    return true;
}

const CObject* COpenStepReader::ParseValue(int depth) {
    if (m_p == m_end) return nullptr;
    switch (*m_p) {
    case '{':
        if (depth >= kMaxNesting) return nullptr;
        ++m_p;
        return ParseDictContents(depth + 1, true);
    case '(':
        if (depth >= kMaxNesting) return nullptr;
        ++m_p;
        return ParseArray(depth + 1);
    case '<':
        ++m_p;
        return ParseData();
    default:
        return ParseString();
    }
}

const CObject* COpenStepReader::ParseString() {
    if (m_p == m_end) return nullptr;
    if (*m_p == '"' || *m_p == '\'') return ParseQuoted();
    const char* start = m_p;
    while (m_p < m_end && IsUnquoted(*m_p)) ++m_p;
    if (m_p == start) return nullptr;
    return CStringValue::FromUTF8(start, static_cast<size_t>(m_p - start));
}

const CObject* COpenStepReader::ParseQuoted() {
    const char quote = *m_p++;
    std::string utf8;
    for (;;) {
        const char* q = m_p;
        while (q < m_end && *q != quote && *q != '\\') ++q;
        utf8.append(m_p, q);
        m_p = q;
        if (m_p == m_end) return nullptr;
        if (*m_p == quote) {
            ++m_p;
            break;
        }
        if (++m_p == m_end) return nullptr;
        const char c = *m_p++;
        switch (c) {
        case 'a': utf8.push_back('\a'); break;
        case 'b': utf8.push_back('\b'); break;
        case 'f': utf8.push_back('\f'); break;
        case 'n': utf8.push_back('\n'); break;
        case 'r': utf8.push_back('\r'); break;
        case 't': utf8.push_back('\t'); break;
        case 'v': utf8.push_back('\v'); break;
        case 'U': {
            uint32_t unit = 0;
            for (int i = 0; i < 4 && m_p < m_end && HexValue(*m_p) >= 0; ++i) unit = unit << 4 | static_cast<uint32_t>(HexValue(*m_p++));
            AppendUTF8(utf8, unit);
            break;
        }
        default:
            if (c >= '0' && c <= '7') {
                uint32_t code = static_cast<uint32_t>(c - '0');
                for (int i = 0; i < 2 && m_p < m_end && *m_p >= '0' && *m_p <= '7'; ++i) code = code * 8 + static_cast<uint32_t>(*m_p++ - '0');
                code &= 0xFF;
                AppendUTF8(utf8, code < 0x80 ? code : kNextStepHigh[code - 0x80]);
            } else {
                // Any other escaped character stands for itself (a whole UTF-8 sequence).
                const unsigned char lead = static_cast<unsigned char>(c);
                utf8.push_back(c);
                size_t more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
                for (; more && m_p < m_end; --more) utf8.push_back(*m_p++);
            }
            break;
        }
    }
    return CStringValue::FromUTF8(utf8.data(), utf8.size());
}

const CObject* COpenStepReader::ParseData() {
    std::string bytes;
    for (;;) {
        if (!SkipSpace() || m_p == m_end) return nullptr;
        if (*m_p == '>') {
            ++m_p;
            return new CDataValue(std::move(bytes));
        }
        if (m_end - m_p < 2) return nullptr;
        const int hi = HexValue(m_p[0]), lo = HexValue(m_p[1]);
        if (hi < 0 || lo < 0) return nullptr;
        bytes.push_back(static_cast<char>(hi << 4 | lo));
        m_p += 2;
    }
}

const CObject* COpenStepReader::ParseArray(int depth) {
    Ref<CArrayValue> array(new CArrayValue);
    for (;;) {
        if (!SkipSpace() || m_p == m_end) return nullptr;
        if (*m_p == ')') {
            ++m_p;
            return array.Detach();
        }
        const CObject* item = ParseValue(depth);
        if (!item) return nullptr;
        array->m_items.push_back(item);
        if (!SkipSpace() || m_p == m_end) return nullptr;
        if (*m_p == ',') {
            ++m_p;
            continue;
        }
        if (*m_p != ')') return nullptr;
    }
}

const CObject* COpenStepReader::ParseDictContents(int depth, bool braced) {
    Ref<CDictionaryValue> dict(new CDictionaryValue);
    for (;;) {
        if (!SkipSpace()) return nullptr;
        if (m_p == m_end) {
            if (braced) return nullptr;
            break;
        }
        if (braced && *m_p == '}') {
            ++m_p;
            break;
        }
        Ref<const CObject> key(ParseString());
        if (!key || !SkipSpace() || m_p == m_end) return nullptr;
        const CObject* value;
        if (*m_p == ';') {
            key->Retain();
            value = key.Get();
        } else {
            if (*m_p != '=') return nullptr;
            ++m_p;
            if (!SkipSpace()) return nullptr;
            value = ParseValue(depth);
            if (!value) return nullptr;
            dict->m_entries.emplace_back(key.Detach(), value);
            if (!SkipSpace() || m_p == m_end || *m_p != ';') return nullptr;
            ++m_p;
            continue;
        }
        ++m_p;
        dict->m_entries.emplace_back(key.Detach(), value);
    }
    dict->Normalize(true);
    return dict.Detach();
}

Ref<const CObject> COpenStepReader::Read() {
    if (!SkipSpace()) return Ref<const CObject>();
    if (m_p == m_end) return Ref<const CObject>(new CDictionaryValue);
    Ref<const CObject> root(ParseValue(0));
    if (!root || !SkipSpace()) return Ref<const CObject>();
    if (m_p == m_end) return root;
    if (root->GetKind() != Kind::String) return Ref<const CObject>();
    // A string followed by more text: the whole text is a strings file.
    m_p = m_begin;
    Ref<const CObject> dict(ParseDictContents(0, false));
    return dict;
}

}  // namespace

Ref<const CObject> ReadOpenStep(const char* text, size_t size) {
    COpenStepReader reader(text, size);
    return reader.Read();
}

}  // namespace cf
