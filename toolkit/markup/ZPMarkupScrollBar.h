// The scroll bars of a scroll viewer: system-like geometry of arrows, track and thumb, the
// themed "SCROLLBAR" or classic look, and a modal mouse-tracking loop with auto-repeat; and the
// gripper that fills the corner between two bars.
#pragma once

#include "markup/ZPMarkupControl.h"

#include "common/ZPScrollBarGeometry.h"

#include <memory>

class CZPWinThemeWrapper;

// The auto-repeat timer the tracking loop sets on the host window.
const UINT_PTR kZpScrollRepeatTimer = 63345;

class CZPMarkupScrollBar : public CZPMarkupControl
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        orientationHorizontal = 0,
        orientationVertical = 1
    };

    CZPMarkupScrollBar();
    ~CZPMarkupScrollBar() override;

    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    void OnMouseMove(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeave(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs) override;

    int GetOrientation() const { return m_nOrientation; }
    void SetOrientation(int nOrientation) { m_nOrientation = nOrientation; }
    // Stores the values (and re-arranges at the next arrange) when maximum, page or position changed.
    void SetScrollInfo(const SCROLLINFO& si);
    const SCROLLINFO& GetScrollInfo() const { return m_scrollInfo; }
    const ZP_SCROLLBAR_GEOMETRY& GetGeometry() const { return m_geometry; }
    BOOL IsScrollingPossible() const;
    // The part under a point in the bar's coordinates.
    int HitTest(POINT pt) const;
    // The scroll position that a thumb start at pixel p stands for.
    int PositionFromThumb(int p) const;
    BOOL IsTracking() const { return m_pTrackState != nullptr; }

    // Runs the modal tracking loop from a button-down at pt (bar coordinates).
    void Track(HWND hWndHost, POINT pt, BOOL bShift);

    // Tests force the classic look: the machines may run a visual style.
    static void ForceClassicLook(BOOL bForce) { s_bForceClassicLook = bForce; }

protected:
    void CalcGeometry(const RECT& rcBar);
    void RunTrackLoop();
    void OnTrackMessage(UINT message, POINT pt);
    void TrackButton(UINT message, POINT pt);
    void TrackThumb(UINT message, POINT pt);
    void MoveThumb(int p);
    void RepeatStep();
    void EndTracking();
    void SendCommand(int nCommand, int nPosition);
    // A point of the host's client area in the bar's coordinates.
    POINT HostToBar(POINT pt) const;
    int Along(POINT pt) const { return m_geometry.bVertical ? pt.y : pt.x; }
    void RenderThemed(CZPWinThemeWrapper& theme, HDC hDC, const RECT* pRects, int nPressed, int nHot);
    void RenderClassic(HDC hDC, const RECT* pRects, int nPressed);

    int m_nOrientation;
    ZP_SCROLLBAR_GEOMETRY m_geometry;
    std::unique_ptr<ZP_SCROLLBAR_TRACKSTATE> m_pTrackState;  // only during a tracking loop
    SCROLLINFO m_scrollInfo;

    static BOOL s_bForceClassicLook;
};

// Fills the corner between a vertical and a horizontal bar with the button face colour.
class CZPMarkupScrollBarGripper : public CZPMarkupUIElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void ArrangeCore(const RECT& rc) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
};
