// The modal drag of a control in customize mode: from a bar or a command list to a drop position
// on any registered bar, moving or copying, with its own cursors.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include <vector>

class CZPCommandBar;
class CZPCommandBars;
class CZPControl;
class CZPCustomizeSheet;

// Drop effects of a customize drag.
const int ZP_DROP_NONE = 0;    // ended away from every bar after the mouse moved
const int ZP_DROP_COPY = 1;    // copied onto a bar
const int ZP_DROP_MOVE = 2;    // moved onto a bar
const int ZP_DROP_CANCEL = 5;  // nothing happened

class CZPCustomizeDragTracker
{
public:
    explicit CZPCustomizeDragTracker(CZPCommandBars* pCommandBars);
    ~CZPCustomizeDragTracker();
    CZPCustomizeDragTracker(const CZPCustomizeDragTracker&) = delete;
    CZPCustomizeDragTracker& operator=(const CZPCustomizeDragTracker&) = delete;

    // Drop candidates, registered as bar windows are created and removed as they are destroyed.
    void RegisterBar(CZPCommandBar* pBar);
    void UnregisterBar(CZPCommandBar* pBar);
    BOOL IsRegistered(const CZPCommandBar* pBar) const;
    int GetRegisteredCount() const { return static_cast<int>(m_arrBars.size()); }

    // Runs the drag and returns one of the ZP_DROP_ effects. Without command bars, or with
    // neither a running customize sheet nor a site window, nothing is dragged: ZP_DROP_CANCEL.
    int TrackDrag(CZPControl* pControl, BOOL bCopyOnly);

    CZPCustomizeSheet* GetSheet() const { return m_pSheet; }
    void SetSheet(CZPCustomizeSheet* pSheet) { m_pSheet = pSheet; }
    CZPCommandBar* GetTarget() const { return m_pTarget; }
    // Looks for the bar under a screen point, moves the target there and updates the cursor.
    void FindTarget(CPoint ptScreen);

private:
    // One message of the drag loop; FALSE when the drag ends (*pnEffect then set unless a drop).
    BOOL HandleMessage(const MSG& msg, BOOL* pbDrop, int* pnEffect);
    void OnMouseMove(const MSG& msg, BOOL* pbDrop);
    int Drop();
    void ForgetTarget();
    void UpdateCursor() const;

    CZPControl* m_pControl;  // borrowed for the drag; the caller holds it
    BOOL m_bMove;
    BOOL m_bCopyOnly;
    BOOL m_bMoved;                // a mouse move left the start point
    CZPCommandBar* m_pTarget;     // borrowed: a registered bar; UnregisterBar clears it
    CZPCustomizeSheet* m_pSheet;  // borrowed: the running customize sheet
    HWND m_hWndCapture;           // borrowed: holds the capture while dragging
    CPoint m_ptStart;
    CPoint m_ptLast;                        // screen point of the last mouse message
    std::vector<CZPCommandBar*> m_arrBars;  // borrowed: each unregisters before it goes
    CZPCommandBars* m_pCommandBars;         // borrowed: the owner
    HCURSOR m_hCursorNoDrop;                // shared resource cursors
    HCURSOR m_hCursorMove;
    HCURSOR m_hCursorCopy;
};
