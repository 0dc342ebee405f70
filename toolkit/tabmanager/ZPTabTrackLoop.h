// The mouse capture and message pump of the tab strip's click, drag and button loops.
#pragma once

#include <framework.h>

// Captures the mouse on construction and releases it on destruction while the window lives.
// The loop ends (resultCancel) when the capture is lost, the window is destroyed or WM_QUIT
// arrives (it is posted again for the outer loop).
class CZPTabTrackLoop
{
public:
    enum
    {
        resultMessage = 0,   // a message was taken from the queue
        resultTimeout = 1,   // the wait ended without one
        resultCancel = 2     // the loop must end
    };

    explicit CZPTabTrackLoop(HWND hWnd);
    ~CZPTabTrackLoop();
    CZPTabTrackLoop(const CZPTabTrackLoop&) = delete;
    CZPTabTrackLoop& operator=(const CZPTabTrackLoop&) = delete;

    // What a loop does with a message it took.
    enum
    {
        actionCancel = 0,    // WM_CANCELMODE, WM_RBUTTONDOWN, Escape
        actionIgnore = 1,    // other keys are dropped
        actionMove = 2,      // WM_MOUSEMOVE
        actionRelease = 3,   // WM_LBUTTONUP
        actionDispatch = 4   // everything else
    };
    static int Classify(const MSG& msg);
    // The client point of a mouse message.
    static POINT PointOf(const MSG& msg);

    // Takes the next message, waiting at most dwTimeoutMs (INFINITE: until one comes).
    int Next(MSG* pMsg, DWORD dwTimeoutMs);
    // Translates and dispatches a message; FALSE when the loop must end after it.
    BOOL Dispatch(const MSG& msg);
    BOOL IsWindowAlive() const { return ::IsWindow(m_hWnd); }

private:
    HWND m_hWnd;   // borrowed; may be destroyed while the loop runs
};
