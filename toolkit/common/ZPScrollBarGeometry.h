// Scroll-bar geometry and mouse-tracking state shared by the markup scroll bar and the
// command bars' scroll code. "Along" is the direction of scrolling, "across" the other one.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

struct ZP_SCROLLBAR_GEOMETRY
{
    int nMin;
    int nMax;
    int nPage;
    int nPos;
    int nAlongStart;
    int nAlongEnd;
    int nAcrossStart;
    int nAcrossEnd;
    int nThumbSize;
    int nFirstArrowEnd;     // along start + arrow size
    int nSecondArrowStart;  // along end - arrow size
    int nDragStart;         // thumb start when a thumb drag began
    int nThumbEnd;
    int nThumbStart;
    int nPopupMarker;
    int nTravel;  // length over which the thumb start can move
    int nTravelStart;
    RECT rcBar;
    int nHotPart;  // part under the mouse, or the part pressed while tracking
    int bVertical;
};
static_assert(sizeof(ZP_SCROLLBAR_GEOMETRY) == 23 * sizeof(int), "23 signed 32-bit values");

struct ZP_SCROLLBAR_TRACKSTATE
{
    BOOL bInside;    // the pointer is over the pressed part
    RECT rcPressed;  // the pressed part; for a thumb drag the limit rectangle
    int nCommand;    // SB_LINEUP .. SB_THUMBTRACK, -1 before one is chosen
    UINT_PTR nTimer;
    int nDragOffset;  // thumb start minus the pointer at the start of a drag
    int nThumbPos;    // current thumb pixel position
    int nLastPos;     // last position reported to the host
    int nComputedPos;
    HWND hWndHost;  // borrowed
    BOOL bDragging;
    ZP_SCROLLBAR_GEOMETRY* pGeometry;  // borrowed from the bar
};

// The rectangle outside which a thumb drag snaps back: eight bar widths across and two thumb
// lengths along beyond the bar, from the state's geometry into its pressed-part rectangle.
void ZpGetScrollTrackLimitRect(ZP_SCROLLBAR_TRACKSTATE* pState);

// Part codes of a bar's hit test.
enum
{
    kZpScrollPartNone = 0,
    kZpScrollPartFirstArrow = 60,
    kZpScrollPartSecondArrow = 61,
    kZpScrollPartTrackBefore = 62,
    kZpScrollPartTrackAfter = 63,
    kZpScrollPartThumb = 64,
    kZpScrollPartPopup = 65
};

// Parts of the "SCROLLBAR" visual-style class.
const int kZpScrollThemeArrow = 1;
const int kZpScrollThemeThumbHorz = 2, kZpScrollThemeThumbVert = 3;
const int kZpScrollThemeTrackBeforeHorz = 4, kZpScrollThemeTrackAfterHorz = 5;
const int kZpScrollThemeTrackBeforeVert = 6, kZpScrollThemeTrackAfterVert = 7;
const int kZpScrollThemeGripperHorz = 8, kZpScrollThemeGripperVert = 9;
// First state of each arrow: up, down, left, right; four states each.
const int kZpScrollArrowStatesUp = 1, kZpScrollArrowStatesDown = 5, kZpScrollArrowStatesLeft = 9,
          kZpScrollArrowStatesRight = 13;
const int kZpScrollStateNormal = 1, kZpScrollStateHot = 2, kZpScrollStatePressed = 3, kZpScrollStateDisabled = 4;
// The thumb shows its gripper only above this length.
const int kZpScrollMinThumbForGripper = 13;

// The brush of a classic scroll-bar track on hDC: the desktop's WM_CTLCOLORSCROLLBAR answer (which
// sets hDC's colours for a halftone), else the halftone made into `halftone`, else the scroll-bar
// colour. Borrowed or held by `halftone`: valid while `halftone` lives.
HBRUSH ZpGetScrollTrackBrush(HDC hDC, CBrush& halftone);
