// A windowless scroll bar mixed into an object that draws one inside another window: geometry,
// hit test, and the modal mouse tracking that turns arrows, track and thumb into SB_ commands.
#pragma once

#include <framework.h>

#include "common/ZPScrollBarGeometry.h"

class CZPScrollBarPaintManager;

// Timers the tracking sets on the host window.
const UINT_PTR kZpScrollBaseRepeatTimer = 23345;   // arrow and page auto-repeat
const UINT_PTR kZpScrollBaseAnimateTimer = 23346;  // the host's scroll animation tick

// Scroll-bar looks (GetScrollBarStyle).
const int kZpScrollStyleFlat = 2;
const int kZpScrollStyleThemed = 3;
const int kZpScrollStyleOffice = 5;

class CZPScrollBase
{
public:
    CZPScrollBase();
    virtual ~CZPScrollBase();
    CZPScrollBase(const CZPScrollBase&) = delete;
    CZPScrollBase& operator=(const CZPScrollBase&) = delete;

    // Virtual operations, in slot order after the destructor.
    virtual BOOL IsScrollBarEnabled() const = 0;                                                    // 1
    virtual HWND GetParentWindow() const = 0;                                                       // 2
    virtual void DoAnimate() {}                                                                     // 3
    virtual void GetScrollBarRect(CRect& rc) = 0;                                                   // 4
    virtual void GetScrollInfo(SCROLLINFO* pSI) = 0;                                                // 5
    virtual void DoScroll(int nCommand, int nPos) = 0;                                              // 6
    virtual void RedrawScrollBar() = 0;                                                             // 7
    virtual void CalcScrollBarInfo(LPCRECT lprc, ZP_SCROLLBAR_GEOMETRY* pSBInfo, SCROLLINFO* pSI);  // 8
    virtual CZPScrollBarPaintManager* GetScrollBarPaintManager() const = 0;                         // 9

    // Asks the host for rectangle and range and fills the position record.
    void CalcScrollBar();
    // The part under the point (kZpScrollPart...), 0 outside the bar.
    int HitTestScrollBar(POINT pt) const;
    // Tracks the mouse from a button-down at pt until the gesture ends. A host that can be
    // deleted by DoScroll holds a reference on itself across this call.
    void StartTracking(HWND hWnd, POINT pt, ZP_SCROLLBAR_GEOMETRY* pSBInfo, BOOL bShift);
    // The look: the style member when set, else by the paint manager's theme.
    int GetScrollBarStyle() const;

    const ZP_SCROLLBAR_GEOMETRY& GetScrollBarGeometry() const { return m_spi; }
    const ZP_SCROLLBAR_TRACKSTATE* GetTrackState() const { return m_pSBTrack; }
    int GetRepeatDelay() const { return m_nRepeatDelay; }
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; }
    // The slider's tick values; the list is copied.
    void SetTicks(const double* pTicks, int nCount);
    const CArray<double, double>* GetTicks() const { return m_pTicks; }

    // Thumb position for a thumb pixel of the current geometry.
    int ThumbPosFromPixel(int nPixel) const;

protected:
    void HandleRepeat(UINT message, POINT pt);
    void OnRepeatTimer();
    void OnThumbMouse(UINT message, POINT pt, BOOL bButtonDown);
    void MoveThumb(int nPixel);
    void EndScroll();
    // One mouse or timer message taken from the tracking loop.
    void OnTrackingMessage(const MSG& msg);

public:
    ZP_SCROLLBAR_GEOMETRY m_spi;
    ZP_SCROLLBAR_TRACKSTATE* m_pSBTrack;  // owned; exists only while tracking
    int m_nScrollBarStyle;                // 0 = chosen by the theme
    BOOL m_bAnimation;                    // the host runs a scroll animation
    int m_nRepeatDelay;                   // ms of the last auto-repeat timer

protected:
    CArray<double, double>* m_pTicks;  // owned, may be NULL

    friend class CZPScrollBaseTrackingLoop;
};
