// The frame hook record of frame theming: the frame's style, caption and window region as the
// command bars and the frame's theming see them. Its owner (the ribbon's frame theming) creates it.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

class CZPCommandBars;
class CZPPaintManager;

// Where a posted WM_IDLEUPDATECMDUI makes the frame refresh at idle time.
const UINT ZP_WM_IDLEUPDATECMDUI = 0x0363;
// The border a composited frame keeps while not maximized.
const int ZP_COMPOSITED_BORDER = 4;

struct ZpFrameHook
{
    ZpFrameHook();

    DWORD GetFrameStyle(BOOL bExtended) const;
    CZPPaintManager* ResolvePaintManager() const;
    BOOL IsMaximizedChild() const;
    // No ribbon draws the caption in this system: the standard one.
    BOOL IsStandardCaption() const { return TRUE; }
    void ScheduleFrameRefresh();
    // The caption's height plus the frame border; no frame paint manager exists, so the caption
    // is the system's (the small one for a tool window).
    int GetCaptionHeight() const;
    // Sets the frame's region for a size when it changed or bForce; never re-entered.
    void UpdateFrameRegionForSize(int cx, int cy, BOOL bForce);
    void UpdateFrameRegion(BOOL bForce);
    void RefreshFrame();

    HWND m_hWndFrame;                  // borrowed: the themed frame
    CZPCommandBars* m_pCommandBars;    // borrowed: the frame's command bars, NULL without
    CZPPaintManager* m_pPaintManager;  // borrowed: the fallback paint manager
    CSize m_szFrame;                   // the size the region was last set for
    BOOL m_bRefreshPending;
    int m_nFrameBorder;
    BOOL m_bComposited;  // the frame uses desktop composition (never under Wine)
    BOOL m_bInUpdate;
};
