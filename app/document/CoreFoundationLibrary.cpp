// Loading CoreFoundation.dll and checking its entry points.
#include "document/CoreFoundationLibrary.h"

#include <shlobj.h>
#include <shlwapi.h>

cfapi::CFunctions g_coreFoundation = {};

const WCHAR kCoreFoundationSubfolder[] = L"Apple\\Mobile Device Support\\bin";

namespace {

const int kFolderCommonProgramFiles = 0x2B;   // CSIDL_PROGRAM_FILES_COMMON
// The entry points are checked in groups of the table's order: 5, 5, 5 and 3.
const int kCheckGroups[] = {5, 5, 5, 3};
const int kEntryCount = sizeof(cfapi::kExportNames) / sizeof(cfapi::kExportNames[0]);

}  // namespace

HMODULE LoadCoreFoundation(LPCWSTR lpszFolder, BOOL* pbNoFolder)
{
    *pbNoFolder = FALSE;
    g_coreFoundation = cfapi::CFunctions();
    WCHAR szFolder[MAX_PATH];
    if (lpszFolder == NULL) {
        if (FAILED(::SHGetFolderPathW(NULL, kFolderCommonProgramFiles, NULL, SHGFP_TYPE_CURRENT, szFolder))) {
            *pbNoFolder = TRUE;
            return NULL;
        }
        if (!::PathAppendW(szFolder, kCoreFoundationSubfolder))
            return NULL;
    } else {
        if (::lstrlenW(lpszFolder) >= MAX_PATH)
            return NULL;
        ::lstrcpynW(szFolder, lpszFolder, MAX_PATH);
    }

    WCHAR szSaved[MAX_PATH];
    const DWORD nSaved = ::GetCurrentDirectoryW(MAX_PATH, szSaved);
    ::SetCurrentDirectoryW(szFolder);
    HMODULE hModule = ::LoadLibraryW(L"CoreFoundation");
    if (hModule != NULL)
        cfapi::LoadFunctions(hModule, g_coreFoundation);
    if (nSaved > 0 && nSaved < MAX_PATH)
        ::SetCurrentDirectoryW(szSaved);
    return hModule;
}

void FreeCoreFoundation(HMODULE hModule)
{
    g_coreFoundation = cfapi::CFunctions();
    if (hModule != NULL)
        ::FreeLibrary(hModule);
}

LPCWSTR CheckCoreFoundation(HMODULE hModule)
{
    if (hModule == NULL)
        return L"DLL not installed.";
    FARPROC entries[kEntryCount];
    static_assert(sizeof entries == sizeof g_coreFoundation, "one slot per entry point");
    memcpy(entries, &g_coreFoundation, sizeof entries);
    int iEntry = 0;
    for (int nGroup : kCheckGroups) {
        for (int i = 0; i < nGroup; ++i, ++iEntry) {
            if (entries[iEntry] == NULL)
                return L"DLL error!";
        }
    }
    return NULL;
}

void ReleaseCF(cfapi::CFTypeRef ref)
{
    if (ref != NULL && g_coreFoundation.Release != NULL)
        g_coreFoundation.Release(ref);
}
