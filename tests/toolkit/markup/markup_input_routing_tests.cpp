// Mouse routing over a host window: hot chains, capture, cursor, wheel, buttons, tooltips, and
// handlers that free the tree. Messages are sent to the window, whose procedure passes them on.
#include "markup_host_window.h"
#include "markup_layout_fixture.h"

#include "markup/ZPMarkupDrawingContext.h"

#include <stdlib.h>

namespace {
// Root R 200x100 with A (10, 10, 60x40) holding A1 (20, 20, 20x20 in the host) and B (100, 10, 50x30).
class MarkupInputRouting : public CMarkupLeakCheck
{
protected:
    void SetUp() override
    {
        WarmUpLayoutTypes();
        CMarkupLeakCheck::SetUp();
        g_boxLog.clear();
        m_hWnd = m_host.Create(300, 200);
        m_pContext = new CZPMarkupContext;
        m_pContext->SetHostWindow(m_hWnd);
        SetUpTree();
    }
    void SetUpTree()
    {
        m_pRoot = MakeBox(m_pContext, L"R", 200, 100);
        auto place = [this](LPCWSTR lpszName, int x, int y, int cx, int cy) {
            CTestBox* pBox = MakeBox(m_pContext, lpszName);
            pBox->SetMargin(x, y, 0, 0);
            pBox->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, cx);
            pBox->SetInt(CZPMarkupFrameworkElement::m_pHeightProperty, cy);
            pBox->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, 0);
            pBox->SetEnum(CZPMarkupFrameworkElement::m_pVerticalAlignmentProperty, 0);
            return pBox;
        };
        m_pA = m_pRoot->Add(place(L"A", 10, 10, 60, 40));
        m_pA1 = m_pA->Add(place(L"A1", 10, 10, 20, 20));
        m_pB = m_pRoot->Add(place(L"B", 100, 10, 50, 30));
        CZPMarkupDrawingContext context;
        m_pRoot->Measure(&context, 200, 100);
        m_pRoot->Arrange(RECT{ 0, 0, 200, 100 });
        m_host.m_pContext = m_pContext;
        m_host.m_pRoot = m_pRoot;
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        m_host.m_pContext = NULL;
        if (m_pRoot != NULL)
            m_pRoot->Release();
        m_host.Destroy();
        EXPECT_EQ(0, m_pContext->Release());
        g_boxLog.clear();
        CMarkupLeakCheck::TearDown();
    }
    LRESULT Send(UINT message, int x, int y, WPARAM wParam = 0)
    {
        return ::SendMessageW(m_hWnd, message, wParam, MAKELPARAM(x, y));
    }

    CMarkupHostWindow m_host;
    HWND m_hWnd = NULL;
    CZPMarkupContext* m_pContext = NULL;
    CTestBox* m_pRoot = NULL;
    CTestBox* m_pA = NULL;
    CTestBox* m_pA1 = NULL;
    CTestBox* m_pB = NULL;
};

BOOL IsMouseOver(CZPMarkupObject* pElement)
{
    const CZPMarkupBool* pValue =
        ZpMarkupCast<CZPMarkupBool>(pElement->GetValue(CZPMarkupInputElement::m_pIsMouseOverProperty));
    return pValue != NULL && pValue->m_bValue;
}

TEST_F(MarkupInputRouting, HotChainLeavesBeforeEnteringAndSparesCommonAncestors)
{
    Send(WM_MOUSEMOVE, 25, 25);
    EXPECT_EQ(L"A1 enter 25,25; A enter 25,25; R enter 25,25; A1 move 25,25; A move 25,25; R move 25,25", JoinLog());
    EXPECT_EQ(m_pA1, m_pContext->GetHotElement());
    EXPECT_EQ(m_pRoot, m_pContext->GetActiveRoot());
    EXPECT_TRUE(IsMouseOver(m_pA));

    Send(WM_MOUSEMOVE, 120, 20);
    EXPECT_EQ(L"A1 leave 120,20; A leave 120,20; B enter 120,20; B move 120,20; R move 120,20", JoinLog());
    EXPECT_FALSE(IsMouseOver(m_pA));
    EXPECT_TRUE(IsMouseOver(m_pRoot));

    // Messages for another tree are left alone while this one is active.
    CRef<CTestBox> pOther(MakeBox(m_pContext, L"O", 300, 200));
    LRESULT lResult = 7;
    EXPECT_FALSE(m_pContext->HandleMessage(pOther, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), &lResult));
    EXPECT_EQ(m_pB, m_pContext->GetHotElement());
    EXPECT_EQ(L"", JoinLog());

    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(L"B leave -1,-1; R leave -1,-1", JoinLog());
    EXPECT_EQ(NULL, m_pContext->GetHotElement());
    EXPECT_EQ(NULL, m_pContext->GetActiveRoot());
    EXPECT_FALSE(IsMouseOver(m_pRoot));

    // Outside every element: nothing hot, nothing raised.
    Send(WM_MOUSEMOVE, 250, 150);
    EXPECT_EQ(L"", JoinLog());
    EXPECT_EQ(NULL, m_pContext->GetActiveRoot());
}

TEST_F(MarkupInputRouting, CaptureKeepsTheCapturedElementAndReportsOnlyItsLoss)
{
    Send(WM_MOUSEMOVE, 25, 25);
    g_boxLog.clear();
    m_pA->CaptureMouse();
    EXPECT_EQ(m_hWnd, ::GetCapture());
    EXPECT_EQ(m_pA, m_pContext->GetCapturedElement());

    // x = -5 arrives as 0xFFFB and is sign-extended: outside, so nothing is hot.
    Send(WM_MOUSEMOVE, -5, 10);
    EXPECT_EQ(L"A1 leave -5,10; A leave -5,10; R leave -5,10", JoinLog());
    EXPECT_EQ(NULL, m_pContext->GetHotElement());
    // Back over a child of the captured element: the captured element is hot.
    Send(WM_MOUSEMOVE, 25, 25);
    EXPECT_EQ(L"A enter 25,25; R enter 25,25; A move 25,25; R move 25,25", JoinLog());
    EXPECT_EQ(m_pA, m_pContext->GetHotElement());
    // Over B, buttons still start at the captured element.
    Send(WM_MOUSEMOVE, 120, 20);
    g_boxLog.clear();
    Send(WM_LBUTTONUP, 120, 20);
    EXPECT_EQ(L"A lup 120,20; R lup 120,20", JoinLog());

    // A voluntary release raises nothing.
    m_pA->ReleaseMouseCapture();
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(NULL, m_pContext->GetCapturedElement());
    EXPECT_EQ(L"", JoinLog());

    // Taken away by another window: raised once.
    m_pA->CaptureMouse();
    HWND hOther = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ::SetCapture(hOther);
    EXPECT_EQ(L"A lost 0,0", JoinLog());
    EXPECT_EQ(NULL, m_pContext->GetCapturedElement());
    ::ReleaseCapture();
    ::DestroyWindow(hOther);
    // WM_CAPTURECHANGED with no captured element.
    EXPECT_EQ(0, Send(WM_CAPTURECHANGED, 0, 0));
    EXPECT_EQ(L"", JoinLog());
}

TEST_F(MarkupInputRouting, CursorWheelAndButtons)
{
    m_pA1->SetValue(CZPMarkupInputElement::m_pCursorProperty, new CZPMarkupInt(32649));  // hand
    Send(WM_MOUSEMOVE, 25, 25);
    g_boxLog.clear();
    LRESULT lResult = 0;
    EXPECT_TRUE(m_pContext->HandleMessage(m_pRoot, WM_SETCURSOR, 0, 0, &lResult));
    EXPECT_EQ(1, lResult);
    EXPECT_EQ(::LoadCursorW(NULL, MAKEINTRESOURCEW(32649)), ::GetCursor());

    // Wheel deltas are the sign-extended high word; nobody handles them here.
    for (int nDelta : { 0, -32768, 32767 }) {
        lResult = 5;
        EXPECT_FALSE(
            m_pContext->HandleMessage(m_pRoot, WM_MOUSEWHEEL, MAKEWPARAM(0, nDelta), MAKELPARAM(25, 25), &lResult));
        EXPECT_EQ(5, lResult);
        const std::wstring strDelta = std::to_wstring(nDelta);
        EXPECT_EQ(L"A1 wheel " + strDelta + L"; A wheel " + strDelta + L"; R wheel " + strDelta, JoinLog());
    }
    m_pA->m_bHandleButtons = TRUE;
    EXPECT_TRUE(m_pContext->HandleMessage(m_pRoot, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0, &lResult));
    EXPECT_EQ(1, lResult);
    EXPECT_EQ(L"A1 wheel 120; A wheel 120", JoinLog());

    // Handled buttons answer TRUE and leave the result alone; a double click is a second down.
    lResult = 1234;
    EXPECT_TRUE(m_pContext->HandleMessage(m_pRoot, WM_LBUTTONDOWN, 0, MAKELPARAM(25, 25), &lResult));
    EXPECT_TRUE(m_pContext->HandleMessage(m_pRoot, WM_LBUTTONDBLCLK, 0, MAKELPARAM(25, 25), &lResult));
    EXPECT_EQ(1234, lResult);
    EXPECT_EQ(L"A1 ldown 25,25; A ldown 25,25; A1 ldown 25,25; A ldown 25,25", JoinLog());
    m_pA->m_bHandleButtons = FALSE;
    EXPECT_FALSE(m_pContext->HandleMessage(m_pRoot, WM_RBUTTONDOWN, 0, MAKELPARAM(25, 25), &lResult));
    EXPECT_EQ(L"A1 rdown 25,25; A rdown 25,25; R rdown 25,25", JoinLog());

    // Over B, which has no cursor: the move sets the arrow, and the host's cursor applies.
    Send(WM_MOUSEMOVE, 120, 20);
    EXPECT_EQ(::LoadCursorW(NULL, MAKEINTRESOURCEW(32512)), ::GetCursor());
    lResult = 5;
    EXPECT_FALSE(m_pContext->HandleMessage(m_pRoot, WM_SETCURSOR, 0, 0, &lResult));
    EXPECT_EQ(5, lResult);
}

TEST_F(MarkupInputRouting, TooltipIdIsTheInnermostElementWithAText)
{
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, m_pContext->OnToolHitTest(CPoint(25, 25), &ti));
    m_pA->SetValue(CZPMarkupInputElement::m_pToolTipProperty, CZPMarkupString::CreateValue(L"Tip A"));
    Send(WM_MOUSEMOVE, 25, 25);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(m_pA), m_pContext->OnToolHitTest(CPoint(0, 0), &ti));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(m_pA), ti.uId);
    EXPECT_EQ(m_hWnd, ti.hwnd);
    EXPECT_EQ(10, ti.rect.left);
    EXPECT_EQ(50, ti.rect.bottom);
    EXPECT_STREQ(L"Tip A", ti.lpszText);
    free(ti.lpszText);
    ti.lpszText = NULL;
    m_pA1->SetValue(CZPMarkupInputElement::m_pToolTipProperty, CZPMarkupString::CreateValue(L"Tip A1"));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(m_pA1), m_pContext->OnToolHitTest(CPoint(0, 0), &ti));
    free(ti.lpszText);
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, m_pContext->OnToolHitTest(CPoint(25, 25), NULL));
}

TEST_F(MarkupInputRouting, AHandlerMayReleaseTheWholeTree)
{
    for (BOOL bCaptured : { FALSE, TRUE }) {
        SCOPED_TRACE(bCaptured);
        if (m_pRoot == NULL)
            SetUpTree();
        Send(WM_MOUSEMOVE, 25, 25);
        if (bCaptured)
            m_pA->CaptureMouse();
        g_boxLog.clear();
        // A host replacing its page on a click: the chain holds the elements until routing ends.
        (bCaptured ? m_pA : m_pA1)->m_onLeftButtonDown = [this]() {
            m_pRoot->Release();
            m_pRoot = NULL;
            m_host.m_pRoot = NULL;
        };
        Send(WM_LBUTTONDOWN, 25, 25);
        EXPECT_EQ(bCaptured ? L"A ldown 25,25; R ldown 25,25" : L"A1 ldown 25,25; A ldown 25,25; R ldown 25,25",
                  JoinLog());
        EXPECT_EQ(NULL, m_pContext->GetHotElement());
        EXPECT_EQ(NULL, m_pContext->GetActiveRoot());
        EXPECT_EQ(NULL, m_pContext->GetCapturedElement());
        EXPECT_EQ(NULL, ::GetCapture());
        EXPECT_EQ(1, m_pContext->GetRefCount());
        // Messages after the release, with no root, change nothing.
        EXPECT_EQ(0, Send(WM_MOUSEMOVE, 25, 25));
        EXPECT_EQ(0, Send(WM_LBUTTONUP, 25, 25));
        EXPECT_EQ(0, Send(WM_CAPTURECHANGED, 0, 0));
        EXPECT_EQ(L"", JoinLog());
    }
}

TEST_F(MarkupInputRouting, WithoutAHostWindowNothingIsHandled)
{
    m_pContext->SetHostWindow(NULL);
    LRESULT lResult = 0;
    EXPECT_FALSE(m_pContext->HandleMessage(m_pRoot, WM_MOUSEMOVE, 0, MAKELPARAM(25, 25), &lResult));
    EXPECT_EQ(NULL, m_pContext->GetHotElement());
    m_pContext->SetHostWindow(m_hWnd);
    Send(WM_MOUSEMOVE, 25, 25);
    g_boxLog.clear();
    ::SendMessageW(m_hWnd, WM_DESTROY, 0, 0);
    EXPECT_EQ(L"A1 leave -1,-1; A leave -1,-1; R leave -1,-1", JoinLog());
}
}  // namespace
