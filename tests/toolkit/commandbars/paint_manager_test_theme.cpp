#include "paint_manager_test_theme.h"

#include "common/ZPDeviceContext.h"
#include "common/ZPImageManager.h"

LOGFONTW TestLogFont(LONG lHeight, LPCWSTR lpszFace)
{
    LOGFONTW lf = {};
    lf.lfHeight = lHeight;
    lf.lfWeight = FW_NORMAL;
    ::lstrcpynW(lf.lfFaceName, lpszFace, LF_FACESIZE);
    return lf;
}

void RegisterTestIcon(UINT nId, COLORREF clr)
{
    CDC screen;
    screen.Attach(::GetDC(NULL));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 16, 16);
    ::ReleaseDC(NULL, screen.Detach());
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    {
        CZPCompatibleDC fill(&dc, &bitmap);
        fill.FillSolidRect(0, 0, 16, 16, clr);
        // The top-left pixel names the mask colour of a bitmap without alpha.
        fill.SetPixel(0, 0, RGB(255, 0, 255));
    }
    ZpImageManagerInstance()->SetIcons(&bitmap, &nId, 1, 16, 16, 0, FALSE);
}
