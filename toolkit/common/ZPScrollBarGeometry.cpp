// The thumb-drag limit rectangle of a scroll bar.
#include "common/ZPScrollBarGeometry.h"

namespace {

const int kAcrossSlackBarWidths = 8;
const int kAlongSlackThumbs = 2;

}   // namespace

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
