// Fixtures of the toolbar and docking tests: a theme with a settable gripper, a frame site that
// reports the site messages it receives, and toolbars filled with fixed-size controls.
#pragma once

#include "commandbars_test_support.h"
#include "commandbars_tests_ids.h"
#include "paint_manager_test_theme.h"

#include <framework/frame.h>

#include <functional>
#include <ostream>
#include <vector>

class CZPToolBar;

// Readable rectangles and sizes in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}
inline void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << " x " << size.cy;
}

// The test theme with no bar borders and a gripper of a given measured size.
class CGripperTheme : public CTestTheme
{
public:
    CSize DrawBarGripper(CDC*, CZPCommandBar*, BOOL bDraw) override { return bDraw ? CSize(0, 0) : m_szGripper; }
    CRect GetBarBorders(CZPCommandBar*) override { return CRect(0, 0, 0, 0); }
    CSize m_szGripper = CSize(0, 0);
};

class CGripperThemeRef
{
public:
    CGripperThemeRef() : m_p(new CGripperTheme) { m_p->RefreshMetrics(); }
    ~CGripperThemeRef() { m_p->InternalRelease(); }
    CGripperThemeRef(const CGripperThemeRef&) = delete;
    CGripperThemeRef& operator=(const CGripperThemeRef&) = delete;
    CGripperTheme* operator->() const { return m_p; }
    CGripperTheme* Get() const { return m_p; }

private:
    CGripperTheme* m_p;  // one reference
};

// Appends n controls of 23 x 22 with ids 1000, 1001, ...
void AddTestControls(CZPCommandBar* pBar, int nCount, CSize size = CSize(23, 22));

// A visible frame window at (100, 100), 600 x 400, destroyed with the fixture; m_onMessage
// sees every site message (0x2855-0x286D) it receives. The process-wide paint manager is as before
// when it goes.
class CTestFrame
{
public:
    explicit CTestFrame(CRect rc = CRect(100, 100, 700, 500));
    ~CTestFrame();
    CTestFrame(const CTestFrame&) = delete;
    CTestFrame& operator=(const CTestFrame&) = delete;
    CFrameWnd* Frame() const;

    HWND m_hWnd;
    std::function<void(UINT, WPARAM, LPARAM)> m_onMessage;
    // The frame offers the customize command (35001) to the command routing.
    BOOL m_bCustomizeCommand = FALSE;

private:
    // Dock bars paint through the process-wide paint manager: one created meanwhile goes again.
    BOOL m_bHadPaintManager;
};

// Runs steps from posted messages, one per message, inside whatever loop is running.
class CStepDriver
{
public:
    CStepDriver();
    ~CStepDriver();
    CStepDriver(const CStepDriver&) = delete;
    CStepDriver& operator=(const CStepDriver&) = delete;
    void Start() { ::PostMessageW(m_hWnd, WM_APP, 0, 0); }

    std::vector<std::function<void()>> m_steps;
    size_t m_nNext = 0;
    HWND m_hWnd;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Posts a mouse message for a screen point to the bar, in its client coordinates now.
void PostMouse(CZPToolBar* pBar, UINT message, CPoint ptScreen);
