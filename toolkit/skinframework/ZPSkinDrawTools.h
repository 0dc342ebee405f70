// Bitmap loading of skin modules.
#pragma once

#include <framework.h>

// A PNG resource of that name, else a bitmap resource of any header size, bit count and
// orientation; *pbAlpha is TRUE for 32-bit pictures. NULL when missing or when the header
// promises more than the resource holds.
HBITMAP ZpSkinLoadBitmapResource(HMODULE hModule, LPCWSTR lpszName, BOOL* pbAlpha);
