// A CoreFoundation.dll that lacks one entry point (STUB_MISSING, its index in the document's
// table); the others exist and do nothing.
#include <windows.h>

#define STUB_EXPORT(index, name) \
    extern "C" __declspec(dllexport) void* __cdecl name() { return NULL; }

#if STUB_MISSING != 0
STUB_EXPORT(0, CFStringCreateWithCString)
#endif
#if STUB_MISSING != 1
STUB_EXPORT(1, CFDataCreate)
#endif
#if STUB_MISSING != 2
STUB_EXPORT(2, CFDataGetBytePtr)
#endif
#if STUB_MISSING != 3
STUB_EXPORT(3, CFDataGetLength)
#endif
#if STUB_MISSING != 4
STUB_EXPORT(4, CFURLCreateWithFileSystemPath)
#endif
#if STUB_MISSING != 5
STUB_EXPORT(5, CFReadStreamCreateWithFile)
#endif
#if STUB_MISSING != 6
STUB_EXPORT(6, CFReadStreamOpen)
#endif
#if STUB_MISSING != 7
STUB_EXPORT(7, CFReadStreamClose)
#endif
#if STUB_MISSING != 8
STUB_EXPORT(8, CFWriteStreamCreateWithFile)
#endif
#if STUB_MISSING != 9
STUB_EXPORT(9, CFWriteStreamOpen)
#endif
#if STUB_MISSING != 10
STUB_EXPORT(10, CFWriteStreamClose)
#endif
#if STUB_MISSING != 11
STUB_EXPORT(11, CFPropertyListCreateFromXMLData)
#endif
#if STUB_MISSING != 12
STUB_EXPORT(12, CFPropertyListCreateFromStream)
#endif
#if STUB_MISSING != 13
STUB_EXPORT(13, CFPropertyListIsValid)
#endif
#if STUB_MISSING != 14
STUB_EXPORT(14, CFPropertyListWriteToStream)
#endif
#if STUB_MISSING != 15
STUB_EXPORT(15, CFPropertyListCreateXMLData)
#endif
#if STUB_MISSING != 16
STUB_EXPORT(16, CFRelease)
#endif
#if STUB_MISSING != 17
STUB_EXPORT(17, CFStringGetCString)
#endif
