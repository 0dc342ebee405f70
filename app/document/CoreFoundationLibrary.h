// CoreFoundation.dll: located, loaded and bound to one process-wide table of its 18 entry points.
#pragma once

#include <windows.h>

#include "dll/CoreFoundationApi.h"

// The entry points of the loaded library; an entry is NULL when the library was not found or
// lacks the name. Filled by LoadCoreFoundation, emptied by FreeCoreFoundation.
extern cfapi::CFunctions g_coreFoundation;

// Where the library is installed, below the common program-files folder.
extern const WCHAR kCoreFoundationSubfolder[];

// Loads "CoreFoundation" with lpszFolder as the current directory (NULL: the common program-files
// folder + kCoreFoundationSubfolder) and fills the table; the current directory is restored whether
// or not the folder exists. NULL when not loaded; *pbNoFolder is TRUE when the common program-files
// folder could not be found.
HMODULE LoadCoreFoundation(LPCWSTR lpszFolder, BOOL* pbNoFolder);
// Frees the module and empties the table.
void FreeCoreFoundation(HMODULE hModule);

// NULL when the library is loaded with every entry point, else the message to show:
// "DLL not installed." or "DLL error!".
LPCWSTR CheckCoreFoundation(HMODULE hModule);

// CFRelease of an object the library made; nothing for NULL.
void ReleaseCF(cfapi::CFTypeRef ref);

// Holds one reference to a CoreFoundation object and releases it when it goes.
class CCFRef
{
public:
    explicit CCFRef(cfapi::CFTypeRef ref = NULL) : m_ref(ref) {}
    ~CCFRef() { ReleaseCF(m_ref); }
    CCFRef(const CCFRef&) = delete;
    CCFRef& operator=(const CCFRef&) = delete;
    cfapi::CFTypeRef Get() const { return m_ref; }
    cfapi::CFTypeRef* operator&() { return &m_ref; }
    void Reset(cfapi::CFTypeRef ref)
    {
        ReleaseCF(m_ref);
        m_ref = ref;
    }
    // Gives up the reference without releasing it.
    cfapi::CFTypeRef Detach()
    {
        cfapi::CFTypeRef ref = m_ref;
        m_ref = NULL;
        return ref;
    }

private:
    cfapi::CFTypeRef m_ref;  // owned
};
