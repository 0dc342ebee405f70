// The drag, dock, float and resize tracker of one toolbar: the modal mouse loops that move it
// between dock bars and floating, resize it while it floats, and swap it on a double click.
#pragma once

#include <framework.h>

class CZPDockBar;
class CZPToolBar;

// Drag mode while moving (resizing uses the hit-test code of the edge, HTLEFT..HTBOTTOMRIGHT).
const int ZP_DRAG_MOVE = 1;
// A floating bar keeps at least this much of itself inside the work area while dragged.
const int ZP_DRAG_KEEP_VISIBLE = 10;

class CZPDockContext
{
public:
    explicit CZPDockContext(CZPToolBar* pBar);
    virtual ~CZPDockContext();
    CZPDockContext(const CZPDockContext&) = delete;
    CZPDockContext& operator=(const CZPDockContext&) = delete;

    virtual void BeginMoveDrag(CPoint ptScreen);
    virtual void BeginResizeDrag(int nHitTest, CPoint ptScreen);
    virtual BOOL SwapDockedAndFloating();
    virtual void RunCaptureLoop();

    // One mouse position of the running gesture (screen coordinates).
    void MoveTo(CPoint ptScreen);
    void ResizeTo(CPoint ptScreen);

    int GetDockSide() const { return m_nDockSide; }
    void SetDockSide(int nSide) { m_nDockSide = nSide; }
    const CRect& GetDockedRect() const { return m_rcDocked; }
    void SetDockedRect(const CRect& rc) { m_rcDocked = rc; }
    CPoint GetFloatingPos() const { return m_ptFloating; }
    void SetFloatingPos(CPoint pt) { m_ptFloating = pt; }
    int GetDragMode() const { return m_nDragMode; }

private:
    // Floats the bar for the move gesture at the floating drag rectangle.
    void FloatForDrag(CPoint ptScreen);

    CZPToolBar* m_pBar;  // borrowed: the toolbar that owns this context
    int m_nDragMode;
    CPoint m_ptLast;
    int m_nDockSide;
    CRect m_rcDocked;  // in the dock bar's client coordinates
    CPoint m_ptFloating;
    CRect m_rcDockDrag;
    CRect m_rcFloatDrag;
};
