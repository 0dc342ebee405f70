// Whether the loaded modules of the process can be listed (PSAPI, else ToolHelp).
#pragma once

#include <framework.h>

// Filled on first use; the PSAPI library stays loaded for the process.
struct ZpSkinModuleEnumSupport
{
    HMODULE hPsapi;
    BOOL bAvailable;
};

const ZpSkinModuleEnumSupport& ZpSkinGetModuleEnumSupport();
BOOL ZpSkinCanEnumerateModules();
