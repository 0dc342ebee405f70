// XML output, byte for byte in the established layout (tabs, sorted keys, 76-column base64).
#include "Internal.h"
#include "Text.h"

#include <new>
#include <stdexcept>

namespace cf {
namespace {

const char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

class CXmlWriter {
public:
    explicit CXmlWriter(std::string& out) : m_out(out) {}
    bool Write(const CObject* v, int depth);

private:
    CF_NOINLINE bool WriteScalar(const CObject* v, int depth);

private:
    void Indent(int depth) { m_out.append(static_cast<size_t>(depth), '\t'); }
    void Escaped(const std::u16string& text);
    void Base64(const std::string& bytes, int depth);

    std::string& m_out;
};

void CXmlWriter::Escaped(const std::u16string& text) {
    const char16_t* p = text.data();
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        size_t run = i;
        while (run < n && p[run] < 0x80 && p[run] != '&' && p[run] != '<' && p[run] != '>') ++run;
        if (run > i) {
            const size_t at = m_out.size();
            m_out.resize(at + (run - i));
            char* dst = &m_out[at];
            for (size_t k = i; k < run; ++k) *dst++ = static_cast<char>(p[k]);
            i = run;
            continue;
        }
        const char16_t c = p[i];
        if (c == '&') { m_out += "&amp;"; ++i; continue; }
        if (c == '<') { m_out += "&lt;"; ++i; continue; }
        if (c == '>') { m_out += "&gt;"; ++i; continue; }
        size_t end = i + 1;
        while (end < n && p[end] >= 0x80) ++end;
        EncodeUTF8(p + i, end - i, m_out, Surrogates::Replace);
        i = end;
    }
}

void CXmlWriter::Base64(const std::string& bytes, int depth) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const int tabs = depth < 8 ? depth : 8;
    const size_t lineChars = static_cast<size_t>(76 - 8 * tabs);  // multiple of 4
    const size_t lineBytes = lineChars / 4 * 3;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    const size_t encoded = (n + 2) / 3 * 4;
    const size_t lines = (encoded + lineChars - 1) / lineChars;
    size_t at = m_out.size();
    m_out.resize(at + encoded + lines * (static_cast<size_t>(tabs) + 1));
    char* dst = &m_out[at];
    for (size_t start = 0; start < n; start += lineBytes) {
        for (int t = 0; t < tabs; ++t) *dst++ = '\t';
        const size_t stop = start + lineBytes < n ? start + lineBytes : n;
        size_t i = start;
        for (; i + 3 <= stop; i += 3) {
            const uint32_t v = static_cast<uint32_t>(p[i]) << 16 | static_cast<uint32_t>(p[i + 1]) << 8 | p[i + 2];
            dst[0] = kAlphabet[v >> 18];
            dst[1] = kAlphabet[v >> 12 & 63];
            dst[2] = kAlphabet[v >> 6 & 63];
            dst[3] = kAlphabet[v & 63];
            dst += 4;
        }
        if (i < stop) {
            const uint32_t v = static_cast<uint32_t>(p[i]) << 16 | (i + 1 < stop ? static_cast<uint32_t>(p[i + 1]) << 8 : 0);
            dst[0] = kAlphabet[v >> 18];
            dst[1] = kAlphabet[v >> 12 & 63];
            dst[2] = i + 1 < stop ? kAlphabet[v >> 6 & 63] : '=';
            dst[3] = '=';
            dst += 4;
        }
        *dst++ = '\n';
    }
}

bool CXmlWriter::WriteScalar(const CObject* v, int depth) {
    switch (v->GetKind()) {
    case Kind::String:
        m_out += "<string>";
        Escaped(static_cast<const CStringValue*>(v)->m_text);
        m_out += "</string>\n";
        return true;
    case Kind::Integer: {
        auto n = static_cast<const CIntegerValue*>(v);
        m_out += "<integer>";
        m_out += n->m_unsignedBig ? std::to_string(static_cast<uint64_t>(n->m_value)) : std::to_string(n->m_value);
        m_out += "</integer>\n";
        return true;
    }
    case Kind::Real:
        m_out += "<real>";
        AppendReal(m_out, static_cast<const CRealValue*>(v)->m_value);
        m_out += "</real>\n";
        return true;
    case Kind::Boolean:
        m_out += static_cast<const CSingletonValue*>(v)->m_flag ? "<true/>\n" : "<false/>\n";
        return true;
    case Kind::Date:
        m_out += "<date>";
        if (!AppendDate(m_out, static_cast<const CDateValue*>(v)->m_seconds)) return false;
        m_out += "</date>\n";
        return true;
    case Kind::Data:
        m_out += "<data>\n";
        Base64(static_cast<const CDataValue*>(v)->m_bytes, depth);
        Indent(depth);
        m_out += "</data>\n";
        return true;
    case Kind::UID:
        m_out += "<dict>\n";
        Indent(depth + 1);
        m_out += "<key>CF$UID</key>\n";
        Indent(depth + 1);
        m_out += "<integer>";
        m_out += std::to_string(static_cast<const CUIDValue*>(v)->m_value);
        m_out += "</integer>\n";
        Indent(depth);
        m_out += "</dict>\n";
        return true;
    default:
        return false;
    }
}

bool CXmlWriter::Write(const CObject* v, int depth) {
    if (depth > kMaxNesting + 1) return false;
    Indent(depth);
    switch (v->GetKind()) {
    case Kind::Array: {
        auto& items = static_cast<const CArrayValue*>(v)->m_items;
        if (items.empty()) {
            m_out += "<array/>\n";
            return true;
        }
        m_out += "<array>\n";
        for (const CObject* item : items)
            if (!Write(item, depth + 1)) return false;
        Indent(depth);
        m_out += "</array>\n";
        return true;
    }
    case Kind::Dictionary: {
        auto& entries = static_cast<const CDictionaryValue*>(v)->m_entries;
        if (entries.empty()) {
            m_out += "<dict/>\n";
            return true;
        }
        m_out += "<dict>\n";
        for (const auto& e : entries) {
            if (!IsStringKey(e.first)) return false;
            Indent(depth + 1);
            m_out += "<key>";
            Escaped(static_cast<const CStringValue*>(e.first)->m_text);
            m_out += "</key>\n";
            if (!Write(e.second, depth + 1)) return false;
        }
        Indent(depth);
        m_out += "</dict>\n";
        return true;
    }
    default:
        return WriteScalar(v, depth);
    }
}

}  // namespace

bool WriteXML(const CObject* value, std::string& out) {
    if (!value) return false;
    try {
        out += kHeader;
        CXmlWriter writer(out);
        if (!writer.Write(value, 0)) return false;
        out += "</plist>\n";
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

}  // namespace cf
