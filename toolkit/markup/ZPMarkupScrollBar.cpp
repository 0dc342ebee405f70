// Scroll bars: geometry, hit test, the two looks, and the modal loop that tracks arrows, track
// and thumb until the button goes up, the capture moves, the host goes or the application quits.
#include "markup/ZPMarkupScrollBar.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupScrollViewer.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPTrackingLoop.h"
#include "common/ZPWinThemeWrapper.h"

#include <algorithm>

namespace {
// Bounds the re-clamping of the thumb at the end of its travel.
const int kMaxThumbReports = 4;

enum
{
    rectFirstArrow,
    rectSecondArrow,
    rectTrack,
    rectBefore,
    rectThumb,
    rectAfter,
    rectCount
};

BOOL IsMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL;
}

BOOL IsLeftButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CZPMarkupScrollBar

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupScrollBar, NULL, CZPMarkupControl, NULL)

BOOL CZPMarkupScrollBar::s_bForceClassicLook = FALSE;

CZPMarkupScrollBar::CZPMarkupScrollBar()
    : m_nOrientation(orientationVertical), m_geometry(), m_pTrackState(), m_scrollInfo()
{}

CZPMarkupScrollBar::~CZPMarkupScrollBar() = default;

SIZE CZPMarkupScrollBar::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int /*nWidth*/, int /*nHeight*/)
{
    if (m_nOrientation == orientationVertical)
        return SIZE{ ::GetSystemMetrics(SM_CXVSCROLL), 0 };
    return SIZE{ 0, ::GetSystemMetrics(SM_CYHSCROLL) };
}

SIZE CZPMarkupScrollBar::ArrangeOverride(int nWidth, int nHeight)
{
    CalcGeometry(RECT{ 0, 0, nWidth, nHeight });
    return SIZE{ nWidth, nHeight };
}

void CZPMarkupScrollBar::SetScrollInfo(const SCROLLINFO& si)
{
    if (si.nMax == m_scrollInfo.nMax && si.nPage == m_scrollInfo.nPage && si.nPos == m_scrollInfo.nPos)
        return;
    m_scrollInfo = si;
    m_bArrangeDirty = TRUE;
}

BOOL CZPMarkupScrollBar::IsScrollingPossible() const
{
    const long long nRange = static_cast<long long>(m_scrollInfo.nMax) - m_scrollInfo.nMin + 1;
    return nRange > static_cast<long long>(m_scrollInfo.nPage);
}

void CZPMarkupScrollBar::CalcGeometry(const RECT& rcBar)
{
    ZP_SCROLLBAR_GEOMETRY& g = m_geometry;
    g.bVertical = m_nOrientation == orientationVertical;
    g.rcBar = rcBar;
    g.nAlongStart = g.bVertical ? rcBar.top : rcBar.left;
    g.nAlongEnd = g.bVertical ? rcBar.bottom : rcBar.right;
    g.nAcrossStart = g.bVertical ? rcBar.left : rcBar.top;
    g.nAcrossEnd = g.bVertical ? rcBar.right : rcBar.bottom;
    const int m = ::GetSystemMetrics(g.bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    g.nThumbSize = m;
    g.nMin = m_scrollInfo.nMin;
    g.nMax = m_scrollInfo.nMax;
    g.nPage = static_cast<int>(std::min<UINT>(m_scrollInfo.nPage, kZpMarkupInfinite));
    g.nPos = m_scrollInfo.nPos;
    g.nPopupMarker = 0;
    const int nRange =
        static_cast<int>(std::min<long long>(static_cast<long long>(g.nMax) - g.nMin + 1, kZpMarkupInfinite));

    const int a = std::min(m, (g.nAlongEnd - g.nAlongStart) / 2);
    g.nFirstArrowEnd = g.nAlongStart + a;
    g.nSecondArrowStart = g.nAlongEnd - a;
    if (g.nPage != 0 && nRange != 0)
        g.nThumbSize = std::max(m / 2, ::MulDiv(g.nSecondArrowStart - g.nFirstArrowEnd, g.nPage, nRange));
    g.nTravelStart = g.nFirstArrowEnd;
    g.nTravel = g.nAlongEnd - g.nTravelStart - g.nThumbSize - a;
    const int nPageOrOne = g.nPage != 0 ? g.nPage : 1;
    if (nRange - nPageOrOne == 0)
        g.nThumbStart = g.nTravelStart;
    else
        g.nThumbStart = g.nTravelStart + ::MulDiv(g.nPos - g.nMin, g.nTravel, nRange - nPageOrOne);
    g.nThumbEnd = g.nThumbStart + g.nThumbSize;
}

int CZPMarkupScrollBar::HitTest(POINT pt) const
{
    if (!IsScrollingPossible() || !::PtInRect(&m_geometry.rcBar, pt))
        return kZpScrollPartNone;
    const int c = Along(pt);
    if (c < m_geometry.nFirstArrowEnd)
        return kZpScrollPartFirstArrow;
    if (c >= m_geometry.nSecondArrowStart)
        return kZpScrollPartSecondArrow;
    if (c < m_geometry.nThumbStart)
        return kZpScrollPartTrackBefore;
    if (c < m_geometry.nThumbEnd)
        return kZpScrollPartThumb;
    return kZpScrollPartTrackAfter;
}

int CZPMarkupScrollBar::PositionFromThumb(int p) const
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_geometry;
    const int nPageLess = g.nPage != 0 ? g.nPage - 1 : 0;
    if (p < g.nTravelStart)
        return g.nMin;
    if (p >= g.nTravelStart + g.nTravel)
        return g.nMax - nPageLess;
    return g.nMin + ::MulDiv(p - g.nTravelStart, g.nMax - g.nMin - nPageLess, g.nTravel);
}

POINT CZPMarkupScrollBar::HostToBar(POINT pt) const
{
    return ZpMarkupPointToElement(this, pt);
}

// --- Mouse outside tracking --------------------------------------------------------------------

void CZPMarkupScrollBar::OnMouseMove(MarkupMouseEventArgs* pArgs)
{
    const int nPart = HitTest(pArgs->GetPosition(this));
    if (nPart != m_geometry.nHotPart) {
        m_geometry.nHotPart = nPart;
        InvalidateVisual();
    }
    pArgs->bHandled = TRUE;
}

void CZPMarkupScrollBar::OnMouseLeave(MarkupMouseEventArgs* pArgs)
{
    // While tracking, the hot part is the part pressed, whether the pointer is over the host or not.
    if (m_pTrackState == NULL && m_geometry.nHotPart != kZpScrollPartNone) {
        m_geometry.nHotPart = kZpScrollPartNone;
        InvalidateVisual();
    }
    CZPMarkupControl::OnMouseLeave(pArgs);
}

void CZPMarkupScrollBar::OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs)
{
    pArgs->bHandled = TRUE;
    if (IsScrollingPossible())
        Track(pArgs->hwndHost, pArgs->GetPosition(this), ::GetKeyState(VK_SHIFT) < 0);
}

// --- Tracking ----------------------------------------------------------------------------------

void CZPMarkupScrollBar::Track(HWND hWndHost, POINT pt, BOOL bShift)
{
    if (m_pTrackState != NULL)
        return;
    ZP_SCROLLBAR_GEOMETRY& g = m_geometry;
    m_pTrackState = std::make_unique<ZP_SCROLLBAR_TRACKSTATE>();
    ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    s->nCommand = -1;
    s->pGeometry = &g;
    s->hWndHost = hWndHost;

    const int c = Along(pt);
    int nPart, nFrom, nTo;
    if (c < g.nFirstArrowEnd) {
        nPart = kZpScrollPartFirstArrow, s->nCommand = SB_LINEUP, nFrom = g.nAlongStart, nTo = g.nFirstArrowEnd;
    } else if (c >= g.nSecondArrowStart) {
        nPart = kZpScrollPartSecondArrow, s->nCommand = SB_LINEDOWN, nFrom = g.nSecondArrowStart, nTo = g.nAlongEnd;
    } else if (c < g.nThumbStart) {
        nPart = kZpScrollPartTrackBefore, s->nCommand = SB_PAGEUP, nFrom = g.nFirstArrowEnd, nTo = g.nThumbStart;
    } else if (c < g.nThumbEnd) {
        nPart = kZpScrollPartThumb, nFrom = g.nThumbStart, nTo = g.nThumbEnd;
    } else {
        nPart = kZpScrollPartTrackAfter, s->nCommand = SB_PAGEDOWN, nFrom = g.nThumbEnd, nTo = g.nSecondArrowStart;
    }
    g.nHotPart = nPart;

    // The bar, and the context it captures through, outlive anything a handler frees meanwhile.
    CRefPtr<CZPMarkupScrollBar> self = CRefPtr<CZPMarkupScrollBar>::AddRef(this);
    CRefPtr<CZPMarkupContext> context = CRefPtr<CZPMarkupContext>::AddRef(m_pMarkupContext);
    CZPMarkupContext* pContext = context.Get();

    const BOOL bDrag = nPart == kZpScrollPartThumb ||
                       (bShift && (nPart == kZpScrollPartTrackBefore || nPart == kZpScrollPartTrackAfter));
    BOOL bTrack = TRUE;
    if (bDrag) {
        if (g.nSecondArrowStart - g.nFirstArrowEnd <= g.nThumbSize) {
            bTrack = FALSE;
        } else {
            s->nCommand = SB_THUMBPOSITION;
            ZpGetScrollTrackLimitRect(s);
            g.nDragStart = g.nThumbStart;
            s->nThumbPos = g.nThumbStart;
            s->nLastPos = s->nComputedPos = g.nPos;
            s->nDragOffset = g.nDragStart - c;
            s->bDragging = TRUE;
            if (pContext != NULL)
                pContext->CaptureMouse(this);
            SendCommand(SB_THUMBTRACK, g.nPos);
            if (bShift)
                s->nDragOffset = -(g.nThumbSize / 2);
        }
    }
    if (bTrack) {
        if (pContext != NULL)
            pContext->CaptureMouse(this);
        if (!s->bDragging) {
            if (g.bVertical)
                ::SetRect(&s->rcPressed, g.nAcrossStart, nFrom, g.nAcrossEnd, nTo);
            else
                ::SetRect(&s->rcPressed, nFrom, g.nAcrossStart, nTo, g.nAcrossEnd);
        }
        OnTrackMessage(WM_LBUTTONDOWN, pt);
        RunTrackLoop();
    }

    if (s->nTimer != 0)
        ::KillTimer(hWndHost, s->nTimer);
    m_pTrackState.reset();
    // Ended by a quit or a destroyed host: the context must not keep routing to the bar.
    if (pContext != NULL && pContext->GetCapturedElement() == this)
        pContext->ReleaseMouseCapture();
    if (bTrack && ::IsWindow(hWndHost)) {
        POINT ptCursor;
        ::GetCursorPos(&ptCursor);
        ::ScreenToClient(hWndHost, &ptCursor);
        g.nHotPart = HitTest(HostToBar(ptCursor));
        InvalidateVisual();
    }
}

void CZPMarkupScrollBar::RunTrackLoop()
{
    // Mouse messages go to the bar in its own coordinates, the repeat timer steps it; the loop
    // lasts while the context's capture stays with the bar.
    class CBarLoop : public CZPTrackingLoop
    {
    public:
        CBarLoop(CZPMarkupScrollBar* pBar, HWND hWndHost) : CZPTrackingLoop(hWndHost, 0), m_pBar(pBar)
        {
            SetTickTimerId(kZpScrollRepeatTimer);
        }

    protected:
        BOOL IsTracking() const override
        {
            const CZPMarkupContext* pContext = m_pBar->m_pMarkupContext;
            return pContext != NULL && pContext->GetCapturedElement() == m_pBar;
        }
        BOOL OnTick() override
        {
            m_pBar->RepeatStep();
            return TRUE;
        }
        BOOL OnMessage(const MSG& msg) override
        {
            if (!IsMouseMessage(msg.message))
                return Dispatch(msg);
            POINT pt = msg.pt;
            ::ScreenToClient(GetHwnd(), &pt);
            m_pBar->OnTrackMessage(msg.message, m_pBar->HostToBar(pt));
            return TRUE;
        }

    private:
        CZPMarkupScrollBar* m_pBar;  // borrowed; Track holds a reference for the loop
    };

    CBarLoop loop(this, m_pTrackState->hWndHost);
    loop.Run();
}

void CZPMarkupScrollBar::OnTrackMessage(UINT message, POINT pt)
{
    if (m_pTrackState->bDragging)
        TrackThumb(message, pt);
    else
        TrackButton(message, pt);
}

void CZPMarkupScrollBar::TrackButton(UINT message, POINT pt)
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    if (message != 0 && !IsMouseMessage(message))
        return;
    // The pressed track follows the thumb as it pages towards the pointer.
    if (s->nCommand == SB_PAGEUP)
        (m_geometry.bVertical ? s->rcPressed.bottom : s->rcPressed.right) = m_geometry.nThumbStart;
    else if (s->nCommand == SB_PAGEDOWN)
        (m_geometry.bVertical ? s->rcPressed.top : s->rcPressed.left) = m_geometry.nThumbEnd;
    const BOOL bWasInside = s->bInside;
    const BOOL bInside = ::PtInRect(&s->rcPressed, pt);
    if (bInside != bWasInside) {
        s->bInside = bInside;
        InvalidateVisual();
    }
    UINT nDelay;
    if (message == WM_LBUTTONUP) {
        EndTracking();
        return;
    } else if (message == WM_LBUTTONDOWN) {
        s->nTimer = 0;
        nDelay = 4 * ::GetDoubleClickTime() / 5;
    } else if (message == WM_MOUSEMOVE) {
        nDelay = ::GetDoubleClickTime() / 10;
    } else {
        return;
    }
    if (bInside && !bWasInside) {
        s->nTimer = ::SetTimer(s->hWndHost, kZpScrollRepeatTimer, nDelay, NULL);
        SendCommand(s->nCommand, 0);
    }
}

void CZPMarkupScrollBar::RepeatStep()
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    if (s->bDragging)
        return;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(s->hWndHost, &pt);
    TrackButton(0, HostToBar(pt));
    if (s->bInside) {
        s->nTimer = ::SetTimer(s->hWndHost, kZpScrollRepeatTimer, ::GetDoubleClickTime() / 10, NULL);
        SendCommand(s->nCommand, 0);
    }
}

void CZPMarkupScrollBar::TrackThumb(UINT message, POINT pt)
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    if (!IsMouseMessage(message))
        return;
    const ZP_SCROLLBAR_GEOMETRY& g = m_geometry;
    int p = g.nDragStart;
    if (::PtInRect(&s->rcPressed, pt))
        p = std::max(g.nTravelStart, std::min(Along(pt) + s->nDragOffset, g.nTravelStart + g.nTravel));
    MoveThumb(p);
    if (message == WM_LBUTTONUP || !IsLeftButtonDown())
        EndTracking();
}

void CZPMarkupScrollBar::MoveThumb(int p)
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    if (p == s->nThumbPos)
        return;
    s->nComputedPos = PositionFromThumb(p);
    for (int i = 0; i < kMaxThumbReports && s->nComputedPos != s->nLastPos; i++) {
        SendCommand(SB_THUMBTRACK, s->nComputedPos);
        s->nLastPos = s->nComputedPos;
        const int nEnd = m_geometry.nTravelStart + m_geometry.nTravel;
        if (p >= nEnd) {
            p = nEnd;
            s->nComputedPos = PositionFromThumb(p);
        }
    }
    m_geometry.nThumbStart = p;
    m_geometry.nThumbEnd = p + m_geometry.nThumbSize;
    s->nThumbPos = p;
    InvalidateVisual();
}

void CZPMarkupScrollBar::EndTracking()
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    s->nCommand = 0;
    if (m_pMarkupContext != NULL)
        m_pMarkupContext->ReleaseMouseCapture();
    if (s->bDragging) {
        SendCommand(SB_THUMBPOSITION, s->nLastPos);
        InvalidateVisual();
    } else if (s->nTimer != 0) {
        ::KillTimer(s->hWndHost, s->nTimer);
        s->nTimer = 0;
    }
    SendCommand(SB_ENDSCROLL, 0);
}

void CZPMarkupScrollBar::SendCommand(int nCommand, int nPosition)
{
    if (CZPMarkupScrollViewer* pViewer = ZpMarkupCast<CZPMarkupScrollViewer>(GetLogicalParent()))
        pViewer->Scroll(m_geometry.bVertical ? CZPMarkupScrollViewer::orientationVertical
                                             : CZPMarkupScrollViewer::orientationHorizontal,
                        nCommand, nPosition);
}

// --- Drawing -----------------------------------------------------------------------------------

void CZPMarkupScrollBar::OnRender(CZPMarkupDrawingContext* pContext)
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_geometry;
    const ZP_SCROLLBAR_TRACKSTATE* s = m_pTrackState.get();
    const int nPressed = s != NULL && (s->bDragging || s->bInside) ? g.nHotPart : kZpScrollPartNone;
    const int nHot = s == NULL ? g.nHotPart : kZpScrollPartNone;
    if (g.nAcrossEnd - g.nAcrossStart <= 0)
        return;
    auto alongRect = [&g](int nFrom, int nTo) {
        return g.bVertical ? RECT{ g.nAcrossStart, nFrom, g.nAcrossEnd, nTo }
                           : RECT{ nFrom, g.nAcrossStart, nTo, g.nAcrossEnd };
    };
    RECT rects[rectCount] = {
        alongRect(g.nAlongStart, g.nFirstArrowEnd),
        alongRect(g.nSecondArrowStart, g.nAlongEnd),
        alongRect(g.nFirstArrowEnd, g.nSecondArrowStart),
        alongRect(g.nFirstArrowEnd, g.nThumbStart),
        alongRect(g.nThumbStart, g.nThumbEnd),
        alongRect(g.nThumbEnd, g.nSecondArrowStart),
    };
    if (!IsScrollingPossible() || g.nThumbEnd > g.nSecondArrowStart) {
        ::SetRectEmpty(&rects[rectBefore]);
        ::SetRectEmpty(&rects[rectThumb]);
        rects[rectAfter] = rects[rectTrack];
    }
    HDC hDC = pContext->GetDC();
    CZPWinThemeWrapper theme(TRUE);
    theme.OpenTheme(NULL, L"SCROLLBAR");
    if (!s_bForceClassicLook && theme.GetThemeHandle() != NULL && theme.HasAppTheme())
        RenderThemed(theme, hDC, rects, nPressed, nHot);
    else
        RenderClassic(hDC, rects, nPressed);
    pContext->ReleaseDC(hDC);
}

void CZPMarkupScrollBar::RenderThemed(CZPWinThemeWrapper& theme, HDC hDC, const RECT* pRects, int nPressed, int nHot)
{
    const BOOL bPossible = IsScrollingPossible();
    auto state = [&](int nPart) {
        return !bPossible          ? kZpScrollStateDisabled
               : nPart == nPressed ? kZpScrollStatePressed
               : nPart == nHot     ? kZpScrollStateHot
                                   : kZpScrollStateNormal;
    };
    const BOOL v = m_geometry.bVertical;
    theme.DrawBackground(hDC, kZpScrollThemeArrow,
                         (v ? kZpScrollArrowStatesUp : kZpScrollArrowStatesLeft) + state(kZpScrollPartFirstArrow) - 1,
                         &pRects[rectFirstArrow], NULL);
    theme.DrawBackground(hDC, kZpScrollThemeArrow,
                         (v ? kZpScrollArrowStatesDown : kZpScrollArrowStatesRight) + state(kZpScrollPartSecondArrow) -
                             1,
                         &pRects[rectSecondArrow], NULL);
    if (::IsRectEmpty(&pRects[rectTrack]))
        return;
    if (!::IsRectEmpty(&pRects[rectBefore]))
        theme.DrawBackground(hDC, v ? kZpScrollThemeTrackBeforeVert : kZpScrollThemeTrackBeforeHorz,
                             state(kZpScrollPartTrackBefore), &pRects[rectBefore], NULL);
    if (!::IsRectEmpty(&pRects[rectThumb])) {
        const int nState = state(kZpScrollPartThumb);
        theme.DrawBackground(hDC, v ? kZpScrollThemeThumbVert : kZpScrollThemeThumbHorz, nState, &pRects[rectThumb],
                             NULL);
        if (m_geometry.nThumbEnd - m_geometry.nThumbStart > kZpScrollMinThumbForGripper)
            theme.DrawBackground(hDC, v ? kZpScrollThemeGripperVert : kZpScrollThemeGripperHorz, nState,
                                 &pRects[rectThumb], NULL);
    }
    if (!::IsRectEmpty(&pRects[rectAfter]))
        theme.DrawBackground(hDC, v ? kZpScrollThemeTrackAfterVert : kZpScrollThemeTrackAfterHorz,
                             state(kZpScrollPartTrackAfter), &pRects[rectAfter], NULL);
}

void CZPMarkupScrollBar::RenderClassic(HDC hDC, const RECT* pRects, int nPressed)
{
    const BOOL bPossible = IsScrollingPossible();
    const BOOL v = m_geometry.bVertical;
    const UINT nInactive = bPossible ? 0 : DFCS_INACTIVE;
    RECT rc = pRects[rectFirstArrow];
    if (!::IsRectEmpty(&rc))
        ::DrawFrameControl(hDC, &rc, DFC_SCROLL,
                           (v ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | nInactive |
                               (nPressed == kZpScrollPartFirstArrow ? DFCS_PUSHED : 0));
    rc = pRects[rectSecondArrow];
    if (!::IsRectEmpty(&rc))
        ::DrawFrameControl(hDC, &rc, DFC_SCROLL,
                           (v ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | nInactive |
                               (nPressed == kZpScrollPartSecondArrow ? DFCS_PUSHED : 0));
    if (::IsRectEmpty(&pRects[rectTrack]))
        return;
    const COLORREF clrOldBack = ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF clrOldText = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    CBrush halftone;
    const HBRUSH hBrush = ZpGetScrollTrackBrush(hDC, halftone);
    ::FillRect(hDC, &pRects[rectTrack], hBrush);
    if (nPressed == kZpScrollPartTrackBefore && !::IsRectEmpty(&pRects[rectBefore]))
        ::InvertRect(hDC, &pRects[rectBefore]);
    if (nPressed == kZpScrollPartTrackAfter && !::IsRectEmpty(&pRects[rectAfter]))
        ::InvertRect(hDC, &pRects[rectAfter]);
    if (!::IsRectEmpty(&pRects[rectThumb])) {
        rc = pRects[rectThumb];
        ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
        ::DrawEdge(hDC, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    ::SetTextColor(hDC, clrOldText);
    ::SetBkColor(hDC, clrOldBack);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupScrollBarGripper

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupScrollBarGripper, NULL, CZPMarkupUIElement, NULL)

void CZPMarkupScrollBarGripper::ArrangeCore(const RECT& rc)
{
    // Placed at its own corner: at the viewer's origin it would catch clicks there and be skipped
    // when only the corner repaints.
    CZPMarkupUIElement::ArrangeCore(rc);
    m_ptOffset = POINT{ rc.left, rc.top };
}

void CZPMarkupScrollBarGripper::OnRender(CZPMarkupDrawingContext* pContext)
{
    pContext->FillSolidRect(RECT{ 0, 0, m_szRender.cx, m_szRender.cy }, ::GetSysColor(COLOR_BTNFACE));
}
