// Benchmark of CoreFoundation.dll through the document's own call sequences (Windows, runs under Wine).
//   cf_dll_bench tox FILE [REPEAT]          open: stream read, validation, XML data, copy of the text
//   cf_dll_bench tobin FILE OUTPUT [REPEAT] save: XML text parsed from memory, written as binary to OUTPUT
// Prints "total=S in=BYTES out=BYTES peak=BYTES" (best run; peak working set above the one before).
#include "dll/CoreFoundationApi.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using cfapi::CFIndex;
using cfapi::CFTypeRef;
using cfapi::kUTF8;
typedef cfapi::CFunctions CoreFoundation;

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

SIZE_T WorkingSet(bool peak) {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return peak ? pmc.PeakWorkingSetSize : pmc.WorkingSetSize;
}

// Open: the document's read of a file into its XML text. Returns the text's length, or -1.
long long Open(const CoreFoundation& cf, const std::string& path) {
    CFTypeRef string = cf.StringCreateWithCString(nullptr, path.c_str(), kUTF8);
    CFTypeRef url = cf.URLCreateWithFileSystemPath(nullptr, string, 2, 0);
    void* stream = cf.ReadStreamCreateWithFile(nullptr, url);
    long long length = -1;
    if (cf.ReadStreamOpen(stream)) {
        CFIndex format = 0;
        CFTypeRef error = nullptr;
        CFTypeRef list = cf.PropertyListCreateFromStream(nullptr, stream, 0, 2, &format, &error);
        cf.ReadStreamClose(stream);
        if (list && !error && cf.PropertyListIsValid(list, format)) {
            if (CFTypeRef xml = cf.PropertyListCreateXMLData(nullptr, list)) {
                const CFIndex n = cf.DataGetLength(xml);
                char* text = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
                std::memcpy(text, cf.DataGetBytePtr(xml), static_cast<size_t>(n));
                text[n] = 0;
                length = n;
                std::free(text);
                cf.Release(xml);
            }
        }
        cf.Release(error);
        cf.Release(list);
    }
    cf.Release(stream);
    cf.Release(url);
    cf.Release(string);
    return length;
}

// Save: the document's parse of its XML text and write in binary. Returns the bytes written, or -1.
long long Save(const CoreFoundation& cf, const std::string& text, const std::string& path) {
    CFTypeRef data = cf.DataCreate(nullptr, reinterpret_cast<const unsigned char*>(text.data()), static_cast<CFIndex>(text.size()));
    CFTypeRef error = nullptr;
    CFTypeRef list = cf.PropertyListCreateFromXMLData(nullptr, data, 0, &error);
    cf.Release(data);
    if (!list || error) {
        cf.Release(error);
        return -1;
    }
    CFTypeRef string = cf.StringCreateWithCString(nullptr, path.c_str(), kUTF8);
    CFTypeRef url = cf.URLCreateWithFileSystemPath(nullptr, string, 2, 0);
    void* stream = cf.WriteStreamCreateWithFile(nullptr, url);
    long long written = -1;
    if (stream && cf.WriteStreamOpen(stream)) {
        written = cf.PropertyListWriteToStream(list, stream, 200, nullptr);
        cf.Release(list);
        list = nullptr;
        cf.WriteStreamClose(stream);
    }
    cf.Release(list);
    cf.Release(stream);
    cf.Release(url);
    cf.Release(string);
    return written > 0 ? written : -1;
}

std::string Utf8(const wchar_t* s) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, s, -1, &out[0], n, nullptr, nullptr);
    return out;
}

bool ReadFile(const std::string& path, std::string& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    std::fclose(f);
    return !out.empty();
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argvW = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(Utf8(argvW[i]));
    LocalFree(argvW);
    const bool toXML = argc >= 3 && args[1] == "tox";
    if (argc < 3 || (!toXML && (args[1] != "tobin" || argc < 4))) {
        std::fprintf(stderr, "usage: cf_dll_bench tox FILE [REPEAT] | tobin FILE OUTPUT [REPEAT]\n");
        return 2;
    }
    const int repeat = argc > (toXML ? 3 : 4) ? std::atoi(args[toXML ? 3 : 4].c_str()) : 3;
    CoreFoundation cf;
    if (!cfapi::LoadFunctions(LoadLibraryW(L"CoreFoundation"), cf)) {
        std::fprintf(stderr, "CoreFoundation.dll not found or incomplete\n");
        return 1;
    }
    const SIZE_T baseline = WorkingSet(false);
    std::string text;  // the editor's text for a save
    if (!toXML && !ReadFile(args[2], text)) {
        std::fprintf(stderr, "cannot read %s\n", args[2].c_str());
        return 1;
    }
    double best = 1e300;
    long long out = -1;
    for (int i = 0; i < repeat; ++i) {
        const double start = Now();
        out = toXML ? Open(cf, args[2]) : Save(cf, text, args[3]);
        const double t = Now() - start;
        if (out < 0) {
            std::fprintf(stderr, "%s failed on %s\n", toXML ? "open" : "save", args[2].c_str());
            return 1;
        }
        if (t < best) best = t;
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    long long in = static_cast<long long>(text.size());
    if (toXML && GetFileAttributesExA(args[2].c_str(), GetFileExInfoStandard, &attributes))
        in = static_cast<long long>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow;
    const SIZE_T peak = WorkingSet(true);
    std::printf("total=%.6f in=%lld out=%lld peak=%llu\n", best, in, out,
                static_cast<unsigned long long>(peak > baseline ? peak - baseline : 0));
    return 0;
}
