// Opaque visual-style parts drawn once per theme, part, state and size, then copied: drawing a
// style part costs about half a microsecond a pixel under Wine, too slow for tall popups and wide
// rebars repainted whole. Only parts that cover every pixel of their rectangle are kept, so a
// copy is exactly what the style would have drawn.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "common/ZPWinThemeWrapper.h"

#include <memory>
#include <vector>

class CZPThemePartCache
{
public:
    CZPThemePartCache() = default;
    CZPThemePartCache(const CZPThemePartCache&) = delete;
    CZPThemePartCache& operator=(const CZPThemePartCache&) = delete;

    // Draws the part as DrawBackground would; FALSE (nothing drawn) when the part or the DC does
    // not allow a copy: the caller then draws it itself.
    BOOL Draw(CZPWinThemeWrapper& theme, HDC hDC, int nPart, int nState, const CRect& rc, const RECT* pClip);
    // Forgets every picture (the theme handles change at each metrics refresh).
    void Clear() { m_entries.clear(); }
    int GetCount() const { return static_cast<int>(m_entries.size()); }

private:
    struct CEntry
    {
        HTHEME hTheme;
        int nPart, nState;
        CSize size;
        BOOL bOpaque;    // FALSE: the part leaves pixels alone; never copied
        CBitmap bitmap;  // owned; empty when not opaque
    };
    CEntry* Find(HTHEME hTheme, int nPart, int nState, CSize size);
    CEntry* Render(CZPWinThemeWrapper& theme, HDC hDC, int nPart, int nState, CSize size);

    std::vector<std::unique_ptr<CEntry>> m_entries;  // the newest last
};
