// Scroll-bar tracking under a host window: each step of a script places the pointer and posts one
// message from inside the modal loop, with the left button held through SetKeyboardState; the
// offsets seen after each step are compared with a table.
#include "markup_layout_fixture.h"

#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupScrollBar.h"
#include "markup/ZPMarkupScrollViewer.h"

#include <functional>
#include <vector>

namespace {
const UINT kStepMessage = WM_APP + 1;
const int kVertical = CZPMarkupScrollViewer::orientationVertical;

class MarkupScrollTracking;
MarkupScrollTracking* g_pTracking = NULL;

struct CStep
{
    UINT message;  // a mouse message, WM_TIMER for the repeat timer, or 0 to run the action alone
    POINT pt;      // host client coordinates, where the pointer goes first
    std::function<void()> action;
};

LRESULT CALLBACK TrackingHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A 200-pixel-wide viewer as the root of a host window; its content is 50 by 1000.
class MarkupScrollTracking : public CMarkupLeakCheck
{
public:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        (new CZPMarkupScrollViewer)->Release();
        (new CZPMarkupScrollBar)->Release();
        CMarkupLeakCheck::SetUp();
        // The real repeat timer stays out of the scripts' way.
        m_nDoubleClickTime = ::GetDoubleClickTime();
        ::SetDoubleClickTime(5000);
        ::GetKeyboardState(m_keysUp);
        m_keysUp[VK_LBUTTON] = m_keysUp[VK_SHIFT] = 0;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &TrackingHostProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"MarkupScrollHost";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 20, 20, 300, 200, NULL,
                                   NULL, wc.hInstance, NULL);
        m_pContext = new CZPMarkupContext;
        m_pContext->SetHostWindow(m_hWnd);
        g_pTracking = this;
        Flush();
    }
    void TearDown() override
    {
        ::SetKeyboardState(m_keysUp);
        ::SetDoubleClickTime(m_nDoubleClickTime);
        ::ReleaseCapture();
        g_pTracking = NULL;
        if (m_pRoot != NULL)
            m_pRoot->Release();
        m_pRoot = NULL;
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        Flush();
        EXPECT_EQ(0, m_pContext->Release());
        CMarkupLeakCheck::TearDown();
    }

    void Load(int nViewerHeight = 100)
    {
        m_pRoot =
            static_cast<CZPMarkupScrollViewer*>(m_pContext->CreateMarkupObject(CZPMarkupScrollViewer::GetClassType()));
        m_pRoot->SetContent(MakeBox(m_pContext, L"content", 50, 1000));
        CZPMarkupDrawingContext context;
        m_pRoot->Measure(&context, 200, nViewerHeight);
        m_pRoot->Arrange(RECT{ 0, 0, 200, nViewerHeight });
    }
    CZPMarkupScrollBar* Bar() const { return m_pRoot->GetVerticalScrollBar(); }
    int Offset() const { return m_pViewer != NULL ? m_pViewer->GetOffset(kVertical) : -1; }

    void MovePointer(POINT pt)
    {
        ::ClientToScreen(m_hWnd, &pt);
        ::SetCursorPos(pt.x, pt.y);
    }
    // Presses the left button at pt (after a move there) and runs the script from inside the loop.
    void Press(POINT pt, BOOL bShift, std::vector<CStep> steps)
    {
        m_steps = std::move(steps);
        m_nNextStep = 0;
        m_seen.clear();
        m_pViewer = m_pRoot;
        BYTE keys[256];
        memcpy(keys, m_keysUp, sizeof(keys));
        keys[VK_LBUTTON] = 0x80;
        keys[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MovePointer(pt);
        ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        ::PostMessageW(m_hWnd, kStepMessage, 0, 0);
        ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::SetKeyboardState(m_keysUp);
        m_seen.push_back(Offset());
    }
    void OnStep()
    {
        if (m_nNextStep >= m_steps.size())
            return;
        m_seen.push_back(Offset());
        const CStep& step = m_steps[m_nNextStep++];
        if (step.action)
            step.action();
        if (step.message != 0) {
            MovePointer(step.pt);
            if (step.message == WM_TIMER)
                ::PostMessageW(m_hWnd, WM_TIMER, kZpScrollRepeatTimer, 0);
            else
                ::PostMessageW(m_hWnd, step.message, step.message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                               MAKELPARAM(step.pt.x, step.pt.y));
        }
        if (m_nNextStep < m_steps.size())
            ::PostMessageW(m_hWnd, kStepMessage, 0, 0);
    }
    void Flush()
    {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            ::DispatchMessageW(&msg);
        }
    }

    HWND m_hWnd = NULL;
    CZPMarkupContext* m_pContext = NULL;
    CZPMarkupScrollViewer* m_pRoot = NULL;    // one reference
    CZPMarkupScrollViewer* m_pViewer = NULL;  // borrowed: the root while it lives
    std::vector<CStep> m_steps;
    size_t m_nNextStep = 0;
    std::vector<int> m_seen;  // the offset before each step, then after the loop
    BYTE m_keysUp[256];
    UINT m_nDoubleClickTime = 0;
};

LRESULT CALLBACK TrackingHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kStepMessage && g_pTracking != NULL) {
        g_pTracking->OnStep();
        return 0;
    }
    LRESULT lResult = 0;
    if (g_pTracking != NULL && g_pTracking->m_pContext != NULL &&
        g_pTracking->m_pContext->HandleMessage(g_pTracking->m_pRoot, message, wParam, lParam, &lResult))
        return lResult;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

CStep Move(int x, int y)
{
    return CStep{ WM_MOUSEMOVE, POINT{ x, y }, nullptr };
}
CStep Up(int x, int y)
{
    return CStep{ WM_LBUTTONUP, POINT{ x, y }, nullptr };
}
CStep Timer(int x, int y)
{
    return CStep{ WM_TIMER, POINT{ x, y }, nullptr };
}
}  // namespace

// The bar lies at x 183..200; arrows 0..17 and 83..100, the thumb 17..25 at offset 0, travel 58.
TEST_F(MarkupScrollTracking, ScriptsGiveTheOffsetsOfTheTable)
{
    const struct
    {
        const char* pszName;
        int nViewerHeight;
        POINT ptPress;
        BOOL bShift;
        std::vector<CStep> steps;
        std::vector<int> offsets;  // before each step, then after the loop
    } cases[] = {
        { "thumb follows the pointer",
          100,
          { 191, 20 },
          FALSE,
          { Move(191, 50), Move(191, 80), Up(191, 80) },
          { 0, 466, 900, 900 } },
        { "thumb snaps back outside the limit and follows again inside",
          100,
          { 191, 20 },
          FALSE,
          { Move(191, 50), Move(20, 50), Move(191, 50), Move(191, 150), Move(191, 60), Up(191, 60) },
          { 0, 466, 0, 466, 0, 621, 621 } },
        { "the button found up at a move ends the drag there",
          100,
          { 191, 20 },
          FALSE,
          { Move(191, 50), CStep{ WM_MOUSEMOVE, { 191, 80 }, [this] { ::SetKeyboardState(m_keysUp); } } },
          { 0, 466, 900 } },
        { "thumb stops at the end of its travel",
          100,
          { 191, 20 },
          FALSE,
          { Move(191, 120), Up(191, 120) },
          { 0, 900, 900 } },
        { "shift-click on the track centres the thumb at the pointer and drags",
          100,
          { 191, 60 },
          TRUE,
          { Move(191, 40), Up(191, 40) },
          { 605, 295, 295 } },
        { "shift has no effect on an arrow", 100, { 191, 95 }, TRUE, { Up(191, 95) }, { 16, 16 } },
        { "an arrow scrolls a line", 100, { 191, 95 }, FALSE, { Up(191, 95) }, { 16, 16 } },
        { "the up arrow at the top does nothing", 100, { 191, 5 }, FALSE, { Up(191, 5) }, { 0, 0 } },
        { "the track scrolls a page", 100, { 191, 60 }, FALSE, { Up(191, 60) }, { 100, 100 } },
        { "an arrow repeats while the pointer stays on it, pauses off it, restarts back on",
          100,
          { 191, 95 },
          FALSE,
          { Timer(191, 95), Timer(191, 95), Move(191, 50), Timer(191, 50), Move(191, 90), Timer(191, 90), Up(191, 90) },
          { 16, 32, 48, 48, 48, 64, 80, 80 } },
        { "the track repeats until the thumb reaches the pointer",
          100,
          { 191, 60 },
          FALSE,
          { Timer(191, 60), Timer(191, 60), Timer(191, 60), Timer(191, 60), Timer(191, 60), Timer(191, 60),
            Up(191, 60) },
          { 100, 200, 300, 400, 500, 600, 600, 600 } },
        // 40 high: 6 pixels between the arrows, less than the 8 of the thumb.
        { "a thumb as long as the space between the arrows cannot be dragged", 40, { 191, 20 }, FALSE, {}, { 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        Load(c.nViewerHeight);
        ASSERT_NE(nullptr, Bar());
        Press(c.ptPress, c.bShift, c.steps);
        EXPECT_EQ(c.offsets, m_seen);
        EXPECT_FALSE(Bar()->IsTracking());
        EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
        EXPECT_EQ(NULL, ::GetCapture());
        m_pRoot->Release();
        m_pRoot = NULL;
        Flush();
    }
}

// The pointer leaving the host during a drag keeps the thumb the pressed part.
TEST_F(MarkupScrollTracking, LeavingTheHostDuringADragKeepsThePressedPart)
{
    Load();
    int nHotPart = -1;
    Press({ 191, 20 }, FALSE,
          { CStep{ WM_MOUSEMOVE, { 191, 50 }, [this] { ::SendMessageW(m_hWnd, WM_MOUSELEAVE, 0, 0); } },
            CStep{ WM_LBUTTONUP, { 191, 50 }, [this, &nHotPart] { nHotPart = Bar()->GetGeometry().nHotPart; } } });
    EXPECT_EQ(kZpScrollPartThumb, nHotPart);
    EXPECT_EQ(466, Offset());
}

// Hovering sets the hot part; leaving the host clears it.
TEST_F(MarkupScrollTracking, HoverFollowsThePartUnderThePointer)
{
    Load();
    const struct
    {
        POINT pt;
        int nPart;
    } moves[] = { { { 191, 5 }, 60 }, { { 191, 20 }, 64 }, { { 191, 50 }, 63 }, { { 191, 90 }, 61 } };
    for (const auto& m : moves) {
        ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(m.pt.x, m.pt.y));
        EXPECT_EQ(m.nPart, Bar()->GetGeometry().nHotPart);
    }
    ::SendMessageW(m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(0, Bar()->GetGeometry().nHotPart);
}

// The wheel over the content: 48 pixels a message, a negative delta towards the end.
TEST_F(MarkupScrollTracking, WheelStepsBy48WhateverTheDelta)
{
    Load();
    ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    m_pViewer = m_pRoot;
    const int steps[][2] = { { -120, 48 }, { -1, 96 }, { -1200, 144 }, { 120, 96 }, { 1, 48 }, { 240, 0 }, { 120, 0 } };
    for (const auto& s : steps) {
        ::SendMessageW(m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, s[0]), MAKELPARAM(70, 70));
        EXPECT_EQ(s[1], Offset()) << "delta " << s[0];
    }
}

// Ways a drag can end other than by the button: each leaves no capture and a usable tree.
TEST_F(MarkupScrollTracking, DragEndsCleanlyOnQuitDestroyedHostFreedTreeAndLostCapture)
{
    // WM_QUIT: the loop ends and the quit is posted again for the outer loop.
    Load();
    Press({ 191, 20 }, FALSE, { Move(191, 50), CStep{ 0, {}, [] { ::PostQuitMessage(7); } } });
    EXPECT_EQ(466, Offset());
    EXPECT_FALSE(Bar()->IsTracking());
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    m_pRoot->Release();
    m_pRoot = NULL;

    // Capture taken away: the loop ends at the WM_CAPTURECHANGED.
    Load();
    Press({ 191, 20 }, FALSE, { Move(191, 50), CStep{ 0, {}, [] { ::ReleaseCapture(); } }, Move(191, 80) });
    EXPECT_EQ(466, Offset());
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
    m_pRoot->Release();
    m_pRoot = NULL;
    Flush();

    // The tree freed by a handler: the bar and the context outlive the loop, nothing is scrolled.
    Load();
    Press({ 191, 20 }, FALSE,
          { Move(191, 50),
            CStep{ 0,
                   {},
                   [this] {
                       m_pViewer = NULL;
                       m_pRoot->Release();
                       m_pRoot = NULL;
                   } },
            Move(191, 80), Up(191, 80) });
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
    EXPECT_EQ(NULL, ::GetCapture());

    // The host destroyed: the loop ends at once.
    Load();
    Press({ 191, 20 }, FALSE, { Move(191, 50), CStep{ 0, {}, [this] { ::DestroyWindow(m_hWnd); } }, Move(191, 80) });
    EXPECT_FALSE(::IsWindow(m_hWnd));
    EXPECT_EQ(466, Offset());
    EXPECT_FALSE(Bar()->IsTracking());
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
}

namespace {
int g_nOtherPaints = 0;

LRESULT CALLBACK CountingPaintProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        g_nOtherPaints++;
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
}  // namespace

// The loop's own pump keeps other windows painting while the thumb is held.
TEST_F(MarkupScrollTracking, OtherWindowsPaintDuringADrag)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CountingPaintProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = L"MarkupScrollOtherWindow";
    ::RegisterClassW(&wc);
    HWND hOther = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 400, 20, 50, 50, NULL, NULL,
                                    wc.hInstance, NULL);
    Flush();
    g_nOtherPaints = 0;
    int nPaintsSeen = -1;
    Load();
    Press({ 191, 20 }, FALSE,
          { CStep{ WM_MOUSEMOVE, { 191, 50 }, [hOther] { ::InvalidateRect(hOther, NULL, FALSE); } },
            CStep{ WM_LBUTTONUP, { 191, 50 }, [&nPaintsSeen] { nPaintsSeen = g_nOtherPaints; } } });
    EXPECT_EQ(1, nPaintsSeen);
    EXPECT_EQ(466, Offset());
    ::DestroyWindow(hOther);
}
