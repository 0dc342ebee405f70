// The DLL's C entry points: strings, data, URLs, file streams and property lists.
#include "dll/CoreFoundationExports.h"
#include "dll/Files.h"
#include "engine/PropertyList.h"
#include "engine/Text.h"

#include <new>

using namespace cf;

namespace {

constexpr CFStringEncoding kUTF8 = 0x08000100;
constexpr CFStringEncoding kASCII = 0x0600;
constexpr CFStringEncoding kLatin1 = 0x0201;
constexpr CFStringEncoding kWindowsLatin1 = 0x0500;

const char kStreamUnknownError[] = "Property list reading could not be completed because the stream had an unknown error.";

template <class T>
const T* As(CFTypeRef p, Kind kind) {
    const CObject* o = static_cast<const CObject*>(p);
    return o && o->GetKind() == kind ? static_cast<const T*>(o) : nullptr;
}

bool IsPropertyListValue(CFTypeRef p) {
    const CObject* o = static_cast<const CObject*>(p);
    return o && o->GetKind() < Kind::URL;
}

const CStringValue* NewString(const std::string& utf8) { return CStringValue::FromUTF8(utf8.data(), utf8.size()); }

void SetError(CFTypeRef* errorString, const char* message) {
    if (errorString) *errorString = NewString(message);
}

struct CSinkState {
    CWriteStream* stream;  // borrowed
    CWriteStream::WriteResult result = CWriteStream::WriteResult::Ok;
    size_t written = 0;
};

// Sink of the binary writer: more than a CFIndex can count fails like a write error.
bool ToStream(void* context, const char* bytes, size_t size) {
    CSinkState& state = *static_cast<CSinkState*>(context);
    if (size > 0x7FFFFFFF - state.written) {
        state.stream->Abandon();
        return false;
    }
    state.result = state.stream->Write(bytes, size);
    state.written += size;
    return state.result == CWriteStream::WriteResult::Ok;
}

}  // namespace

extern "C" {

CFTypeRef __cdecl CFStringCreateWithCString(CFTypeRef, const char* cStr,
                                                                            CFStringEncoding encoding) {
    if (!cStr) return nullptr;
    try {
        const size_t n = std::char_traits<char>::length(cStr);
        std::u16string text;
        bool ok = false;
        switch (encoding) {
        case kUTF8: ok = DecodeUTF8(cStr, n, text); break;
        case kASCII: ok = DecodeCodePage(20127, cStr, n, text); break;
        case kLatin1: ok = DecodeCodePage(28591, cStr, n, text); break;
        case kWindowsLatin1: ok = DecodeCodePage(1252, cStr, n, text); break;
        default: break;
        }
        return ok ? CStringValue::New(text) : nullptr;
    } catch (...) {
        return nullptr;
    }
}

CFTypeRef __cdecl CFDataCreate(CFTypeRef, const unsigned char* bytes, CFIndex length) {
    if (length < 0 || (length > 0 && !bytes)) return nullptr;
    try {
        return new CDataValue(std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length)));
    } catch (...) {
        return nullptr;
    }
}

const unsigned char* __cdecl CFDataGetBytePtr(CFTypeRef data) {
    const CDataValue* d = As<CDataValue>(data, Kind::Data);
    return d ? reinterpret_cast<const unsigned char*>(d->m_bytes.data()) : nullptr;
}

CFIndex __cdecl CFDataGetLength(CFTypeRef data) {
    const CDataValue* d = As<CDataValue>(data, Kind::Data);
    return d ? static_cast<CFIndex>(d->m_bytes.size()) : 0;
}

CFTypeRef __cdecl CFURLCreateWithFileSystemPath(CFTypeRef, CFTypeRef filePath, CFIndex style,
                                                                         Boolean isDirectory) {
    const CStringValue* s = As<CStringValue>(filePath, Kind::String);
    if (!s) return nullptr;
    try {
        std::wstring path = ResolvePath(s->Text(), style);
        return path.empty() ? nullptr : new CURL(std::move(path), isDirectory != 0);
    } catch (...) {
        return nullptr;
    }
}

void* __cdecl CFReadStreamCreateWithFile(CFTypeRef, CFTypeRef url) {
    const CURL* u = As<CURL>(url, Kind::URL);
    if (!u) return nullptr;
    try {
        return new CReadStream(u->m_path);
    } catch (...) {
        return nullptr;
    }
}

Boolean __cdecl CFReadStreamOpen(void* stream) {
    CReadStream* s = const_cast<CReadStream*>(As<CReadStream>(stream, Kind::ReadStream));
    return s && s->Open() ? 1 : 0;
}

void __cdecl CFReadStreamClose(void* stream) {
    if (CReadStream* s = const_cast<CReadStream*>(As<CReadStream>(stream, Kind::ReadStream))) s->Close();
}

void* __cdecl CFWriteStreamCreateWithFile(CFTypeRef, CFTypeRef url) {
    const CURL* u = As<CURL>(url, Kind::URL);
    if (!u) return nullptr;
    try {
        return new CWriteStream(u->m_path);
    } catch (...) {
        return nullptr;
    }
}

Boolean __cdecl CFWriteStreamOpen(void* stream) {
    CWriteStream* s = const_cast<CWriteStream*>(As<CWriteStream>(stream, Kind::WriteStream));
    try {
        return s && s->Open() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

void __cdecl CFWriteStreamClose(void* stream) {
    if (CWriteStream* s = const_cast<CWriteStream*>(As<CWriteStream>(stream, Kind::WriteStream))) s->Close();
}

CFTypeRef __cdecl CFPropertyListCreateFromXMLData(CFTypeRef, CFTypeRef data, CFOptionFlags,
                                                                              CFTypeRef* errorString) {
    if (errorString) *errorString = nullptr;
    try {
        const CDataValue* d = As<CDataValue>(data, Kind::Data);
        // Text parsed from memory is what the editor is about to save: a key written twice is
        // refused rather than one of its values dropped (reading a file keeps the last, below).
        ParseResult r = d ? Parse(reinterpret_cast<const uint8_t*>(d->m_bytes.data()), d->m_bytes.size(),
                                  kParseRefuseDuplicateKeys)
                          : Parse(nullptr, 0);
        if (r.value) return r.value.Detach();
        if (r.hasError) SetError(errorString, r.error.c_str());
        return nullptr;
    } catch (...) {
        return nullptr;
    }
}

CFTypeRef __cdecl CFPropertyListCreateFromStream(CFTypeRef, void* stream, CFIndex streamLength,
                                                                             CFOptionFlags, CFIndex* format,
                                                                             CFTypeRef* errorString) {
    if (errorString) *errorString = nullptr;
    try {
        CReadStream* s = const_cast<CReadStream*>(As<CReadStream>(stream, Kind::ReadStream));
        if (!s || s->m_state != StreamState::Open || streamLength < 0) {
            SetError(errorString, kStreamUnknownError);
            return nullptr;
        }
        // Parsed in place from a view of the file where possible, else from a copy read into memory.
        CFileView view;
        std::string bytes;
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (s->MapAll(static_cast<size_t>(streamLength), view)) {
            data = view.Data();
            size = view.Size();
        } else if (s->ReadAll(static_cast<size_t>(streamLength), bytes)) {
            data = reinterpret_cast<const uint8_t*>(bytes.data());
            size = bytes.size();
        } else {
            SetError(errorString, kStreamUnknownError);
            return nullptr;
        }
        if (size < 6) {
            SetError(errorString, "stream had too few bytes");
            return nullptr;
        }
        ParseResult r = Parse(data, size);
        if (r.format && format) *format = r.format;
        if (r.value) return r.value.Detach();
        if (r.hasError) SetError(errorString, r.error.c_str());
        return nullptr;
    } catch (...) {
        return nullptr;
    }
}

Boolean __cdecl CFPropertyListIsValid(CFTypeRef plist, CFIndex format) {
    return IsPropertyListValue(plist) && IsValid(static_cast<const CObject*>(plist), format) ? 1 : 0;
}

CFIndex __cdecl CFPropertyListWriteToStream(CFTypeRef plist, void* stream, CFIndex format,
                                                                   CFTypeRef* errorString) {
    if (errorString) *errorString = nullptr;
    try {
        if (!IsPropertyListValue(plist) || !IsValid(static_cast<const CObject*>(plist), format)) {
            SetError(errorString, "Property list invalid for format");
            return 0;
        }
        if (format == kFormatOpenStep) {
            SetError(errorString, "Property list format kCFPropertyListOpenStepFormat not supported for writing");
            return 0;
        }
        if (format != kFormatXML && format != kFormatBinary) {
            SetError(errorString, "Unknown format option");
            return 0;
        }
        const char* unknown = format == kFormatXML
            ? "Property list writing could not be completed because the stream had an unknown error."
            : "Binary property list writing could not be completed because the stream had an unknown error.";
        CWriteStream* s = const_cast<CWriteStream*>(As<CWriteStream>(stream, Kind::WriteStream));
        if (!s || s->m_state != StreamState::Open) {
            SetError(errorString, unknown);
            return 0;
        }
        const CObject* list = static_cast<const CObject*>(plist);
        CWriteStream::WriteResult result = CWriteStream::WriteResult::Ok;
        size_t written = 0;
        if (format == kFormatXML) {
            std::string bytes;
            if (!WriteXML(list, bytes) || bytes.size() > 0x7FFFFFFF) return 0;
            result = s->Write(bytes.data(), bytes.size());
            written = bytes.size();
        } else {
            // Binary goes to the file piece by piece as it is made.
            CSinkState state{s};
            if (!WriteBinary(list, ToStream, &state) && state.result == CWriteStream::WriteResult::Ok) {
                s->Abandon();
                return 0;
            }
            result = state.result;
            written = state.written;
        }
        switch (result) {
        case CWriteStream::WriteResult::Ok:
            return static_cast<CFIndex>(written);
        case CWriteStream::WriteResult::Full:
            SetError(errorString, "Property list writing could not be completed because stream is full.");
            return 0;
        case CWriteStream::WriteResult::Failed:
            SetError(errorString, unknown);
            return 0;
        }
        return 0;
    } catch (...) {
        return 0;
    }
}

CFTypeRef __cdecl CFPropertyListCreateXMLData(CFTypeRef, CFTypeRef plist) {
    try {
        if (!IsPropertyListValue(plist)) return nullptr;  // WriteXML validates the list
        std::string bytes;
        if (!WriteXML(static_cast<const CObject*>(plist), bytes) || bytes.size() > 0x7FFFFFFF) return nullptr;
        return new CDataValue(std::move(bytes));
    } catch (...) {
        return nullptr;
    }
}

void __cdecl CFRelease(CFTypeRef cf) {
    if (cf) static_cast<const CObject*>(cf)->Release();
}

Boolean __cdecl CFStringGetCString(CFTypeRef string, char* buffer, CFIndex bufferSize,
                                                         CFStringEncoding encoding) {
    if (bufferSize < 1 || !buffer) return 0;
    buffer[0] = 0;
    const CStringValue* s = As<CStringValue>(string, Kind::String);
    if (!s) return 0;
    try {
        std::string out;
        const std::u16string_view t = s->Text();
        bool ok = true;
        if (encoding == kUTF8) {
            ok = EncodeUTF8(t.data(), t.size(), out, Surrogates::Fail);
        } else if (encoding == kASCII || encoding == kLatin1) {
            const char16_t limit = encoding == kASCII ? 0x80 : 0x100;
            for (char16_t c : t) {
                if (c >= limit) { ok = false; break; }
                out.push_back(static_cast<char>(c));
            }
        } else {
            ok = false;
        }
        if (!ok || out.size() + 1 > static_cast<size_t>(bufferSize)) return 0;
        std::char_traits<char>::copy(buffer, out.data(), out.size());
        buffer[out.size()] = 0;
        return 1;
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
