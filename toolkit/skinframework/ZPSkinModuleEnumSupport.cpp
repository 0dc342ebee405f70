// Module-listing support, looked up once per process.
#include "skinframework/ZPSkinModuleEnumSupport.h"

const ZpSkinModuleEnumSupport& ZpSkinGetModuleEnumSupport()
{
    static const ZpSkinModuleEnumSupport support = [] {
        ZpSkinModuleEnumSupport result = { ::LoadLibraryA("PSAPI.DLL"), FALSE };
        HMODULE hKernel = ::GetModuleHandleW(L"KERNEL32.DLL");
        result.bAvailable =
            result.hPsapi != NULL || (hKernel != NULL && ::GetProcAddress(hKernel, "CreateToolhelp32Snapshot") != NULL);
        return result;
    }();
    return support;
}

BOOL ZpSkinCanEnumerateModules()
{
    return ZpSkinGetModuleEnumSupport().bAvailable;
}
