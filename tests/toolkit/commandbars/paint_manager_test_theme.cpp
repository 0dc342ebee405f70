#include "paint_manager_test_theme.h"

LOGFONTW TestLogFont(LONG lHeight, LPCWSTR lpszFace)
{
    LOGFONTW lf = {};
    lf.lfHeight = lHeight;
    lf.lfWeight = FW_NORMAL;
    ::lstrcpynW(lf.lfFaceName, lpszFace, LF_FACESIZE);
    return lf;
}
