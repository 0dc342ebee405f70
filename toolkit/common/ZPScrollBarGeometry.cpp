// The thumb-drag limit rectangle and the track brush of a scroll bar.
#include "common/ZPScrollBarGeometry.h"

#include "common/ZPDrawHelpers.h"

namespace {

const int kAcrossSlackBarWidths = 8;
const int kAlongSlackThumbs = 2;

}  // namespace

void ZpGetScrollTrackLimitRect(ZP_SCROLLBAR_TRACKSTATE* pState)
{
    const ZP_SCROLLBAR_GEOMETRY& geo = *pState->pGeometry;
    const int nWidth = geo.nAcrossEnd - geo.nAcrossStart;
    const int nThumb = ::GetSystemMetrics(geo.bVertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    const int nAcrossStart = geo.nAcrossStart - kAcrossSlackBarWidths * nWidth;
    const int nAcrossEnd = geo.nAcrossEnd + kAcrossSlackBarWidths * nWidth;
    const int nAlongStart = geo.nAlongStart - kAlongSlackThumbs * nThumb;
    const int nAlongEnd = geo.nAlongEnd + kAlongSlackThumbs * nThumb;
    if (geo.bVertical)
        ::SetRect(&pState->rcPressed, nAcrossStart, nAlongStart, nAcrossEnd, nAlongEnd);
    else
        ::SetRect(&pState->rcPressed, nAlongStart, nAcrossStart, nAlongEnd, nAcrossEnd);
}

HBRUSH ZpGetScrollTrackBrush(HDC hDC, CBrush& halftone)
{
    const HWND hWndDesktop = ::GetDesktopWindow();
    HBRUSH hBrush = reinterpret_cast<HBRUSH>(::SendMessageW(
        hWndDesktop, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hWndDesktop)));
    if (hBrush != NULL)
        return hBrush;
    // Some systems answer no brush for the desktop, and the track would keep whatever lay beneath:
    // take what the default window procedure answers, a halftone of the button highlight and face
    // where the highlight is the window colour, else the scroll-bar colour.
    if (::GetSysColor(COLOR_BTNHIGHLIGHT) == ::GetSysColor(COLOR_WINDOW) && ZpCreateHalftoneBrush(halftone))
        return halftone;
    return ::GetSysColorBrush(COLOR_SCROLLBAR);
}
