// The 18 entry points of CoreFoundation.dll. The exporting file includes this header, so every
// definition is held to these prototypes; programs that load the DLL take their types from here.
#pragma once

typedef const void* CFTypeRef;
typedef long CFIndex;
typedef unsigned char Boolean;
typedef unsigned long CFOptionFlags;
typedef unsigned int CFStringEncoding;

extern "C" {

CFTypeRef __cdecl CFStringCreateWithCString(CFTypeRef allocator, const char* cStr, CFStringEncoding encoding);
CFTypeRef __cdecl CFDataCreate(CFTypeRef allocator, const unsigned char* bytes, CFIndex length);
const unsigned char* __cdecl CFDataGetBytePtr(CFTypeRef data);
CFIndex __cdecl CFDataGetLength(CFTypeRef data);
CFTypeRef __cdecl CFURLCreateWithFileSystemPath(CFTypeRef allocator, CFTypeRef filePath, CFIndex pathStyle,
                                                Boolean isDirectory);
void* __cdecl CFReadStreamCreateWithFile(CFTypeRef allocator, CFTypeRef url);
Boolean __cdecl CFReadStreamOpen(void* stream);
void __cdecl CFReadStreamClose(void* stream);
void* __cdecl CFWriteStreamCreateWithFile(CFTypeRef allocator, CFTypeRef url);
Boolean __cdecl CFWriteStreamOpen(void* stream);
void __cdecl CFWriteStreamClose(void* stream);
CFTypeRef __cdecl CFPropertyListCreateFromXMLData(CFTypeRef allocator, CFTypeRef xmlData, CFOptionFlags options,
                                                  CFTypeRef* errorString);
CFTypeRef __cdecl CFPropertyListCreateFromStream(CFTypeRef allocator, void* stream, CFIndex streamLength,
                                                 CFOptionFlags options, CFIndex* format, CFTypeRef* errorString);
Boolean __cdecl CFPropertyListIsValid(CFTypeRef plist, CFIndex format);
CFIndex __cdecl CFPropertyListWriteToStream(CFTypeRef plist, void* stream, CFIndex format, CFTypeRef* errorString);
CFTypeRef __cdecl CFPropertyListCreateXMLData(CFTypeRef allocator, CFTypeRef plist);
void __cdecl CFRelease(CFTypeRef cf);
Boolean __cdecl CFStringGetCString(CFTypeRef string, char* buffer, CFIndex bufferSize, CFStringEncoding encoding);

}  // extern "C"
