// The thread's watch over the mouse while command bars track: one WH_MOUSE hook for the life of
// the thread's manager, the tracked bars, the trusted windows and mouse-leave watching by timer.
#pragma once

#include <framework.h>
#include <framework/threadstate.h>

class CZPCommandBar;

// Timer of the mouse-leave watch and its period.
const UINT_PTR ZP_TIMER_MOUSE_LEAVE = 113341;
const UINT ZP_MOUSE_LEAVE_PERIOD = 50;

class CZPMouseManager : public CNoTrackObject
{
public:
    typedef CArray<CZPCommandBar*, CZPCommandBar*> CTrackArray;
    typedef CArray<HWND, HWND> CTrustedArray;

    // Installs the thread's mouse hook.
    CZPMouseManager();
    ~CZPMouseManager() override;
    CZPMouseManager(const CZPMouseManager&) = delete;
    CZPMouseManager& operator=(const CZPMouseManager&) = delete;

    void AddTrackedBar(CZPCommandBar* pBar);
    void RemoveTrackedBar(CZPCommandBar* pBar);
    BOOL IsTracked(const CZPCommandBar* pBar) const;
    int GetTrackedCount() const { return static_cast<int>(m_arrTracked.GetSize()); }
    CZPCommandBar* GetTrackedAt(int nIndex) const { return m_arrTracked[nIndex]; }
    BOOL IsBlockedByTracking(const CZPCommandBar* pBar) const;

    // Ends the tracking of every tracked bar; a bar that stays listed is removed by force.
    void CloseAll();
    // Raises (TRUE) or lowers every tracked bar's lock count.
    void LockAll(BOOL bLock);
    // When the first tracked bar is locked, ends the tracking of every unlocked one.
    void CloseUnlocked();

    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);
    BOOL IsTrustedWindowAt(POINT ptScreen) const;

    // The most recent tracked bar under the point, or NULL.
    CZPCommandBar* TrackedBarAt(POINT ptScreen) const;
    // Whether a button-down message for pBar should close the popups; reads the cursor.
    BOOL ShouldButtonDownClose(const CZPCommandBar* pBar, UINT nMessage) const;

    void StartMouseLeaveTracking(HWND hWnd);
    HWND GetMouseLeaveWindow() const { return m_hWndMouseLeave; }

    // A modal command-bar mouse loop runs while the counter is above 0.
    void EnterModalLoop() { ++m_nModalCounter; }
    void LeaveModalLoop();
    int GetModalCounter() const { return m_nModalCounter; }
    BOOL IsMenusExpanded() const { return m_bMenusExpanded; }
    void SetMenusExpanded(BOOL bExpanded) { m_bMenusExpanded = bExpanded; }
    void SetSwallowNextRelease(BOOL bSwallow) { m_bSwallowNextRelease = bSwallow; }
    BOOL IsSwallowNextRelease() const { return m_bSwallowNextRelease; }
    CZPCommandBar* GetLastHighlightingBar() const { return m_pLastHighlighting; }
    void SetLastHighlightingBar(CZPCommandBar* pBar) { m_pLastHighlighting = pBar; }
    // Called by a bar going away: no raw pointer to it survives.
    void ForgetBar(const CZPCommandBar* pBar);

    // The hook's decision for one mouse message of the thread: TRUE swallows it.
    BOOL OnMouseHook(int nCode, UINT nMessage, POINT ptScreen);
    // What a message at a point does while bars are tracked.
    void ProcessTrackedMessage(UINT nMessage, POINT ptScreen);
    // The mouse-leave timer's decision; also driven directly by tests.
    void OnMouseLeaveTimer();

    HHOOK GetHook() const { return m_hHook; }

private:
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nId, DWORD dwTime);
    void StopMouseLeaveWatch();

    int m_nModalCounter;
    CTrackArray m_arrTracked;  // borrowed: bars remove themselves when they stop tracking or die
    HHOOK m_hHook;
    CZPCommandBar* m_pLastHighlighting;  // borrowed: cleared by the bar's destructor
    HWND m_hWndMouseLeave;
    BOOL m_bMenusExpanded;
    CTrustedArray m_arrTrusted;
    BOOL m_bSwallowNextRelease;
};

// The calling thread's manager, created (with its hook) on first use.
CZPMouseManager* ZpMouseManager();
// The calling thread's manager when it exists; never creates it.
CZPMouseManager* ZpMouseManagerIfExists();
