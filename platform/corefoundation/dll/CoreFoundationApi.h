// The 18 exports of CoreFoundation.dll as a table of function pointers, looked up by name the way the
// document calls them. For programs that load the DLL (its tests and benchmark).
#pragma once

#include "dll/CoreFoundationExports.h"

#include <windows.h>

#include <cstring>

namespace cfapi {

using ::CFTypeRef;
using ::CFIndex;

constexpr unsigned kUTF8 = 0x08000100;

// One pointer per export, typed by its prototype.
struct CFunctions {
    decltype(&::CFStringCreateWithCString) StringCreateWithCString;
    decltype(&::CFDataCreate) DataCreate;
    decltype(&::CFDataGetBytePtr) DataGetBytePtr;
    decltype(&::CFDataGetLength) DataGetLength;
    decltype(&::CFURLCreateWithFileSystemPath) URLCreateWithFileSystemPath;
    decltype(&::CFReadStreamCreateWithFile) ReadStreamCreateWithFile;
    decltype(&::CFReadStreamOpen) ReadStreamOpen;
    decltype(&::CFReadStreamClose) ReadStreamClose;
    decltype(&::CFWriteStreamCreateWithFile) WriteStreamCreateWithFile;
    decltype(&::CFWriteStreamOpen) WriteStreamOpen;
    decltype(&::CFWriteStreamClose) WriteStreamClose;
    decltype(&::CFPropertyListCreateFromXMLData) PropertyListCreateFromXMLData;
    decltype(&::CFPropertyListCreateFromStream) PropertyListCreateFromStream;
    decltype(&::CFPropertyListIsValid) PropertyListIsValid;
    decltype(&::CFPropertyListWriteToStream) PropertyListWriteToStream;
    decltype(&::CFPropertyListCreateXMLData) PropertyListCreateXMLData;
    decltype(&::CFRelease) Release;
    decltype(&::CFStringGetCString) StringGetCString;
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
