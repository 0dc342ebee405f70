// The one modal "hold the mouse and pump" loop of every tracking gesture: clicks, drags, held
// buttons, scroll bars, and the command bars' popup, press, tear-off, dock, spin and chord loops.
#pragma once

#include <framework.h>

// Pending paints dispatched at the start of each round, so that a stream of input cannot starve
// the view and a window that never validates cannot hold the loop.
const int kZpTrackingMaxPaintsPerRound = 64;
// The default id of the tick timer the loop sets on its window.
const UINT_PTR kZpTrackingTickTimer = 0x7A50;

// Waits for the next message or tick (never spins) and offers each to OnMessage, which decides
// whether the loop goes on: a caller ends it on button up, or wherever its gesture ends. The loop
// itself ends when its window is destroyed, when it loses a capture it had at the start, on
// WM_CANCELMODE, on WM_QUIT (posted again for the outer loop) and, where asked, on Escape or a
// right button press.
class CZPTrackingLoop
{
public:
    enum
    {
        flagTakeCapture = 0x1,      // capture the mouse for the window during Run, release it after
        flagEscapeEnds = 0x2,       // WM_KEYDOWN of VK_ESCAPE ends the loop
        flagRightButtonEnds = 0x4,  // WM_RBUTTONDOWN ends the loop
        flagDropOtherKeys = 0x8     // other WM_KEYDOWNs are dropped, not offered to OnMessage
    };
    // Why Run returned.
    enum
    {
        endStopped = 0,      // OnMessage or OnTick answered FALSE, or IsTracking turned FALSE
        endCaptureLost = 1,  // the window held the capture at the start and lost it
        endCancelMode = 2,   // WM_CANCELMODE
        endEscape = 3,       // Escape, with flagEscapeEnds
        endWindowGone = 4,   // the window was destroyed
        endQuit = 5,         // WM_QUIT, posted again
        endRightButton = 6   // WM_RBUTTONDOWN, with flagRightButtonEnds
    };

    explicit CZPTrackingLoop(HWND hWnd, UINT nFlags = flagTakeCapture);
    virtual ~CZPTrackingLoop();
    CZPTrackingLoop(const CZPTrackingLoop&) = delete;
    CZPTrackingLoop& operator=(const CZPTrackingLoop&) = delete;

    // Runs until one of the ends above; returns which.
    int Run();

    // Ticks: a timer on the window whose WM_TIMERs go to OnTick instead of being dispatched.
    // StartTicks again changes the interval; the timer goes when Run ends.
    void SetTickTimerId(UINT_PTR nId) { m_nTickTimerId = nId; }
    void StartTicks(UINT nElapseMs);
    void StopTicks();
    void SetMaxPaintsPerRound(int nMax) { m_nMaxPaints = nMax; }

    HWND GetHwnd() const { return m_hWnd; }
    // Translates and dispatches msg; TRUE, for a loop to go on.
    static BOOL Dispatch(const MSG& msg);
    // The point in a mouse message's lParam: client coordinates for the client-area messages.
    static POINT PointOf(const MSG& msg);

protected:
    // One message taken from the queue; FALSE ends the loop. The default translates and
    // dispatches it.
    virtual BOOL OnMessage(const MSG& msg);
    // One tick; FALSE ends the loop.
    virtual BOOL OnTick() { return TRUE; }
    // Asked before every round; FALSE ends the loop.
    virtual BOOL IsTracking() const { return TRUE; }

private:
    int Pump();
    // The end the window's state calls for, or -1 while the loop may go on.
    int CheckWindow() const;
    static int EndOnQuit(const MSG& msg);

    HWND m_hWnd;  // borrowed; may be destroyed while the loop runs
    UINT m_nFlags;
    UINT_PTR m_nTickTimerId;
    BOOL m_bTicking;
    BOOL m_bHadCapture;
    int m_nMaxPaints;
};

// A loop whose per-message decision is a function object, BOOL(const MSG&).
template <class TOnMessage> class CZPTrackingLoopOf : public CZPTrackingLoop
{
public:
    CZPTrackingLoopOf(HWND hWnd, UINT nFlags, TOnMessage onMessage)
        : CZPTrackingLoop(hWnd, nFlags), m_onMessage(onMessage)
    {}

protected:
    BOOL OnMessage(const MSG& msg) override { return m_onMessage(msg); }

private:
    TOnMessage m_onMessage;
};

// Runs a loop on hWnd with onMessage deciding each message; returns the loop's end.
template <class TOnMessage> int ZpRunTrackingLoop(HWND hWnd, UINT nFlags, TOnMessage onMessage)
{
    CZPTrackingLoopOf<TOnMessage> loop(hWnd, nFlags, onMessage);
    return loop.Run();
}
