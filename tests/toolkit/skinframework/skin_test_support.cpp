// Shared helpers of the skin framework's tests.
#include "skin_test_support.h"

#include <shlobj.h>
#include <string.h>

namespace {

CString Backslashed(LPCWSTR lpszPath)
{
    CString strPath(lpszPath);
    strPath.Replace(L'/', L'\\');
    return strPath;
}

}  // namespace

CString SampleSkinPath(LPCWSTR lpszName)
{
    return Backslashed(L"" TOLVANE_SKINS_DIR L"/") + lpszName;
}

CString FixturesPath()
{
    return Backslashed(L"" TOLVANE_SKIN_FIXTURES);
}

CString LightStylesPath()
{
    return L"C:\\windows\\resources\\themes\\light\\light.msstyles";
}

HBITMAP MakeBitmap32(int cx, int cy, const std::vector<DWORD>& pixels, BOOL bTopDown)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = bTopDown ? -cy : cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    DWORD* pOut = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y) {
        int nRow = bTopDown ? y : cy - 1 - y;
        memcpy(pOut + static_cast<size_t>(nRow) * cx, pixels.data() + static_cast<size_t>(y) * cx,
               static_cast<size_t>(cx) * sizeof(DWORD));
    }
    return hBitmap;
}
