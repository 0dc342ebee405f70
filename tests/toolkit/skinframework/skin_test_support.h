// Paths of the skins the tests load, a resource file that serves lines from memory, and
// bitmaps made pixel by pixel.
#pragma once

#include <framework.h>

#include "skinframework/ZPSkinManagerResourceFile.h"

#include <vector>

// A built sample skin (file or folder) by name.
CString SampleSkinPath(LPCWSTR lpszName);
// The fixture module of odd scheme texts and bitmaps.
CString FixturesPath();
// Wine's own visual style, read-only from the prefix.
CString LightStylesPath();

// Serves the given lines as a scheme text.
class CLinesResourceFile : public CZPSkinManagerResourceFile
{
public:
    CLinesResourceFile(CZPSkinManager* pManager, std::vector<CString> lines)
        : CZPSkinManagerResourceFile(pManager), m_lines(std::move(lines)), m_nNext(0)
    {}
    BOOL ReadLine(CString& strLine) override
    {
        if (m_nNext >= m_lines.size())
            return FALSE;
        strLine = m_lines[m_nNext++];
        return TRUE;
    }

private:
    std::vector<CString> m_lines;
    size_t m_nNext;
};

// A 32-bpp DIB section of rows of 0xAARRGGBB pixels, first row at the top.
HBITMAP MakeBitmap32(int cx, int cy, const std::vector<DWORD>& pixels, BOOL bTopDown = FALSE);
