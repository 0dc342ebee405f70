// The 18 exports of CoreFoundation.dll as a table of function pointers, looked up by name the way the
// document calls them. For programs that load the DLL (its tests and benchmark); the DLL never uses it.
#pragma once

#include <windows.h>

#include <cstring>

namespace cfapi {

typedef const void* CFTypeRef;
typedef long CFIndex;

constexpr unsigned kUTF8 = 0x08000100;

struct CFunctions {
    CFTypeRef(__cdecl* StringCreateWithCString)(CFTypeRef, const char*, unsigned);
    CFTypeRef(__cdecl* DataCreate)(CFTypeRef, const unsigned char*, CFIndex);
    const unsigned char*(__cdecl* DataGetBytePtr)(CFTypeRef);
    CFIndex(__cdecl* DataGetLength)(CFTypeRef);
    CFTypeRef(__cdecl* URLCreateWithFileSystemPath)(CFTypeRef, CFTypeRef, CFIndex, unsigned char);
    void*(__cdecl* ReadStreamCreateWithFile)(CFTypeRef, CFTypeRef);
    unsigned char(__cdecl* ReadStreamOpen)(void*);
    void(__cdecl* ReadStreamClose)(void*);
    void*(__cdecl* WriteStreamCreateWithFile)(CFTypeRef, CFTypeRef);
    unsigned char(__cdecl* WriteStreamOpen)(void*);
    void(__cdecl* WriteStreamClose)(void*);
    CFTypeRef(__cdecl* PropertyListCreateFromXMLData)(CFTypeRef, CFTypeRef, unsigned long, CFTypeRef*);
    CFTypeRef(__cdecl* PropertyListCreateFromStream)(CFTypeRef, void*, CFIndex, unsigned long, CFIndex*, CFTypeRef*);
    unsigned char(__cdecl* PropertyListIsValid)(CFTypeRef, CFIndex);
    CFIndex(__cdecl* PropertyListWriteToStream)(CFTypeRef, void*, CFIndex, CFTypeRef*);
    CFTypeRef(__cdecl* PropertyListCreateXMLData)(CFTypeRef, CFTypeRef);
    void(__cdecl* Release)(CFTypeRef);
    unsigned char(__cdecl* StringGetCString)(CFTypeRef, char*, CFIndex, unsigned);
};

// The export names, in the order of the table's members.
constexpr const char* kExportNames[] = {
    "CFStringCreateWithCString", "CFDataCreate", "CFDataGetBytePtr", "CFDataGetLength",
    "CFURLCreateWithFileSystemPath", "CFReadStreamCreateWithFile", "CFReadStreamOpen", "CFReadStreamClose",
    "CFWriteStreamCreateWithFile", "CFWriteStreamOpen", "CFWriteStreamClose", "CFPropertyListCreateFromXMLData",
    "CFPropertyListCreateFromStream", "CFPropertyListIsValid", "CFPropertyListWriteToStream",
    "CFPropertyListCreateXMLData", "CFRelease", "CFStringGetCString",
};
static_assert(sizeof(CFunctions) == sizeof kExportNames / sizeof kExportNames[0] * sizeof(FARPROC),
              "one table entry per export");

// Fills the table from the module; false (entries missing are null) unless every export was found.
inline bool LoadFunctions(HMODULE module, CFunctions& functions) {
    bool complete = module != nullptr;
    char* slot = reinterpret_cast<char*>(&functions);
    for (const char* name : kExportNames) {
        const FARPROC p = module ? GetProcAddress(module, name) : nullptr;
        complete = complete && p;
        std::memcpy(slot, &p, sizeof p);
        slot += sizeof p;
    }
    return complete;
}

}  // namespace cfapi
