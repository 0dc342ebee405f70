// The windowless scroll bar: geometry, hit test and the modal tracking loop.
#include "commandbars/ZPScrollBase.h"

#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPScrollBarPaintManager.h"
#include "common/ZPTrackingLoop.h"

#include <algorithm>

namespace {

// Themes that keep their own scroll-bar look.
const int kThemeDefault = 0;
const int kThemeOfficeFirst = 5, kThemeOfficeLast = 6;

BOOL IsMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL;
}

BOOL IsLeftButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

// Raises the thread mouse manager's modal counter for a scope, whatever ends it.
class CModalCount
{
public:
    CModalCount() : m_pManager(ZpMouseManager()) { m_pManager->EnterModalLoop(); }
    ~CModalCount() { m_pManager->LeaveModalLoop(); }
    CModalCount(const CModalCount&) = delete;
    CModalCount& operator=(const CModalCount&) = delete;

private:
    CZPMouseManager* m_pManager;  // borrowed: the thread's
};

}  // namespace

// The tracking loop: mouse messages and the two timers go to the scroll base, the rest is
// dispatched. It ends when the window loses the capture (EndScroll releases it) or goes away.
class CZPScrollBaseTrackingLoop : public CZPTrackingLoop
{
public:
    CZPScrollBaseTrackingLoop(CZPScrollBase* pBase, HWND hWnd) : CZPTrackingLoop(hWnd, 0), m_pBase(pBase) {}

protected:
    BOOL OnMessage(const MSG& msg) override
    {
        const BOOL bOurTimer = msg.message == WM_TIMER && msg.hwnd == GetHwnd() &&
                               (msg.wParam == kZpScrollBaseRepeatTimer || msg.wParam == kZpScrollBaseAnimateTimer);
        if (!bOurTimer && !IsMouseMessage(msg.message))
            return Dispatch(msg);
        m_pBase->OnTrackingMessage(msg);
        return TRUE;
    }

private:
    CZPScrollBase* m_pBase;  // borrowed: runs the loop
};

CZPScrollBase::CZPScrollBase()
    : m_spi(), m_pSBTrack(NULL), m_nScrollBarStyle(0), m_bAnimation(FALSE), m_nRepeatDelay(0), m_pTicks(NULL)
{
    m_spi.bVertical = TRUE;
}

CZPScrollBase::~CZPScrollBase()
{
    delete m_pTicks;
    delete m_pSBTrack;
}

void CZPScrollBase::SetTicks(const double* pTicks, int nCount)
{
    delete m_pTicks;
    m_pTicks = NULL;
    if (pTicks == NULL || nCount <= 0)
        return;
    m_pTicks = new CArray<double, double>;
    m_pTicks->SetSize(nCount);
    for (int i = 0; i < nCount; ++i)
        (*m_pTicks)[i] = pTicks[i];
}

void CZPScrollBase::CalcScrollBarInfo(LPCRECT lprc, ZP_SCROLLBAR_GEOMETRY* pSBInfo, SCROLLINFO* pSI)
{
    ZP_SCROLLBAR_GEOMETRY& g = *pSBInfo;
    const CZPScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    g.rcBar = *lprc;
    g.nPopupMarker = 0;
    int nArrow;
    if (g.bVertical) {
        g.nAlongStart = lprc->top;
        g.nAlongEnd = lprc->bottom;
        g.nAcrossStart = lprc->left;
        g.nAcrossEnd = lprc->right;
        nArrow = pPainter != NULL ? pPainter->m_cyVScroll : ::GetSystemMetrics(SM_CYVSCROLL);
    } else {
        g.nAlongStart = lprc->left;
        g.nAlongEnd = lprc->right;
        g.nAcrossStart = lprc->top;
        g.nAcrossEnd = lprc->bottom;
        nArrow = pPainter != NULL ? pPainter->m_cxHScroll : ::GetSystemMetrics(SM_CXHSCROLL);
    }
    g.nThumbSize = nArrow;
    g.nMin = pSI->nMin;
    g.nMax = pSI->nMax;
    g.nPage = static_cast<int>(pSI->nPage);
    g.nPos = pSI->nPos;

    const int nLength = std::max(0, g.nAlongEnd - g.nAlongStart);
    nArrow = std::max(0, std::min(nArrow, nLength / 2));
    g.nFirstArrowEnd = g.nAlongStart + nArrow;
    g.nSecondArrowStart = g.nAlongEnd - nArrow;
    const int nTrack = nLength - 2 * nArrow;
    // 64-bit: max - min + 1 overflows for the extreme ranges; an empty or inverted range counts as
    // covered by the page.
    const long long nRange = static_cast<long long>(g.nMax) - g.nMin + 1;
    // Page 0 counts as 1, so a single-value range is covered too.
    const long long nPageOrOne = g.nPage != 0 ? static_cast<unsigned int>(g.nPage) : 1;
    const BOOL bCovered = nRange <= nPageOrOne;
    if (g.nPage != 0 && nRange > 0)
        g.nThumbSize = std::max(
            static_cast<int>(static_cast<long long>(nTrack) * std::min<long long>(nPageOrOne, nRange) / nRange),
            nArrow / 2);
    if (pPainter != NULL && pPainter->m_nThumbSize > 0)
        g.nThumbSize = pPainter->m_nThumbSize;
    g.nTravelStart = g.nAlongStart + nArrow;
    // A thumb longer than the track leaves no travel (and no drag).
    g.nTravel = std::max(0, nTrack - g.nThumbSize);

    int nStart;
    if (bCovered) {
        nStart = g.nTravelStart - 1;
    } else {
        // A position outside the range keeps the thumb inside its travel.
        const long long nOffset =
            std::clamp<long long>(static_cast<long long>(g.nPos) - g.nMin, 0, nRange - nPageOrOne);
        nStart = g.nTravelStart + static_cast<int>(nOffset * g.nTravel / (nRange - nPageOrOne));
    }
    g.nThumbStart = nStart;
    g.nThumbEnd = nStart + g.nThumbSize;
}

void CZPScrollBase::CalcScrollBar()
{
    CRect rc;
    GetScrollBarRect(rc);
    SCROLLINFO si = { sizeof(SCROLLINFO), SIF_ALL };
    GetScrollInfo(&si);
    CalcScrollBarInfo(&rc, &m_spi, &si);
}

int CZPScrollBase::HitTestScrollBar(POINT pt) const
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_spi;
    if (!::PtInRect(&g.rcBar, pt))
        return kZpScrollPartNone;
    const int a = g.bVertical ? pt.y : pt.x;
    if (a < g.nFirstArrowEnd)
        return kZpScrollPartFirstArrow;
    if (g.nPopupMarker != 0 && a > g.nPopupMarker)
        return kZpScrollPartPopup;
    if (a >= g.nSecondArrowStart)
        return kZpScrollPartSecondArrow;
    if (a < g.nThumbStart)
        return kZpScrollPartTrackBefore;
    if (a < g.nThumbEnd)
        return kZpScrollPartThumb;
    return kZpScrollPartTrackAfter;
}

int CZPScrollBase::GetScrollBarStyle() const
{
    if (m_nScrollBarStyle != 0)
        return m_nScrollBarStyle;
    const int nTheme = ZpGetPaintManager()->GetCurrentTheme();
    if (nTheme == kThemeDefault)
        return kZpScrollStyleFlat;
    if (nTheme >= kThemeOfficeFirst && nTheme <= kThemeOfficeLast)
        return kZpScrollStyleOffice;
    return kZpScrollStyleThemed;
}

void CZPScrollBase::StartTracking(HWND hWnd, POINT pt, ZP_SCROLLBAR_GEOMETRY* pSBInfo, BOOL bShift)
{
    if (m_pSBTrack != NULL || !::IsWindow(hWnd))
        return;
    ZP_SCROLLBAR_GEOMETRY& g = *pSBInfo;
    m_pSBTrack = new ZP_SCROLLBAR_TRACKSTATE();
    ZP_SCROLLBAR_TRACKSTATE* s = m_pSBTrack;
    s->nCommand = -1;
    s->hWndHost = hWnd;
    s->pGeometry = &g;

    const int a = g.bVertical ? pt.y : pt.x;
    int nPart;
    int nFrom = 0, nTo = 0;
    if (a < g.nFirstArrowEnd) {
        nPart = kZpScrollPartFirstArrow;
        s->nCommand = SB_LINEUP;
        nFrom = g.nAlongStart;
        nTo = g.nFirstArrowEnd;
    } else if (a < g.nSecondArrowStart) {
        if (a < g.nThumbStart) {
            nPart = kZpScrollPartTrackBefore;
            s->nCommand = SB_PAGEUP;
            nFrom = g.nFirstArrowEnd;
            nTo = g.nThumbStart;
        } else if (a < g.nThumbEnd) {
            nPart = kZpScrollPartThumb;
        } else {
            nPart = kZpScrollPartTrackAfter;
            s->nCommand = SB_PAGEDOWN;
            nFrom = g.nThumbEnd;
            nTo = g.nSecondArrowStart;
        }
    } else {
        nPart = kZpScrollPartSecondArrow;
        s->nCommand = SB_LINEDOWN;
        nFrom = g.nSecondArrowStart;
        nTo = g.nAlongEnd;
    }
    if (g.bVertical)
        ::SetRect(&s->rcPressed, g.nAcrossStart, nFrom, g.nAcrossEnd, nTo);
    else
        ::SetRect(&s->rcPressed, nFrom, g.nAcrossStart, nTo, g.nAcrossEnd);
    g.nHotPart = nPart;

    const BOOL bTrackPart = nPart == kZpScrollPartTrackBefore || nPart == kZpScrollPartTrackAfter;
    const BOOL bDrag = nPart == kZpScrollPartThumb || (bShift && bTrackPart);
    BOOL bRun = TRUE;
    if (bDrag) {
        // The thumb must be able to move; a covered range or an over-long fixed thumb cannot.
        if (g.nThumbSize < g.nSecondArrowStart - g.nFirstArrowEnd && g.nTravel > 0) {
            g.nHotPart = kZpScrollPartThumb;
            s->nCommand = SB_THUMBPOSITION;
            ZpGetScrollTrackLimitRect(s);
            g.nDragStart = g.nThumbStart;
            s->nLastPos = s->nComputedPos = g.nPos;
            s->nThumbPos = g.nThumbStart;
            s->nDragOffset = bShift ? -g.nThumbSize / 2 : g.nThumbStart - a;
            s->bDragging = TRUE;
            DoScroll(SB_THUMBTRACK, g.nPos);
            // Shift on the track: the thumb jumps under the pointer, centred.
            if (bShift && m_pSBTrack != NULL)
                MoveThumb(std::clamp(a - g.nThumbSize / 2, g.nTravelStart, g.nTravelStart + g.nTravel));
        } else {
            bRun = FALSE;
        }
    }

    if (bRun && ::IsWindow(hWnd)) {
        ::SetCapture(hWnd);
        if (s->bDragging) {
            OnThumbMouse(WM_LBUTTONDOWN, pt, IsLeftButtonDown());
            RedrawScrollBar();
        } else {
            HandleRepeat(WM_LBUTTONDOWN, pt);
        }
        CModalCount modal;
        CZPScrollBaseTrackingLoop loop(this, hWnd);
        if (::GetCapture() == hWnd)
            loop.Run();
    }

    if (::IsWindow(hWnd)) {
        ::KillTimer(hWnd, kZpScrollBaseRepeatTimer);
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
    }
    delete m_pSBTrack;
    m_pSBTrack = NULL;
    if (::IsWindow(hWnd)) {
        POINT ptCursor;
        ::GetCursorPos(&ptCursor);
        ::ScreenToClient(hWnd, &ptCursor);
        g.nHotPart = HitTestScrollBar(ptCursor);
        RedrawScrollBar();
    }

    // Let the host's animation finish; its target is clamped, so it ends.
    MSG msg;
    while (m_bAnimation && ::IsWindow(hWnd)) {
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it
            break;
        }
        if (bGot == -1)
            break;
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kZpScrollBaseAnimateTimer)
            DoAnimate();
        else
            CZPTrackingLoop::Dispatch(msg);
    }
}

void CZPScrollBase::OnTrackingMessage(const MSG& msg)
{
    if (m_pSBTrack == NULL)
        return;
    if (msg.message == WM_TIMER) {
        if (msg.wParam == kZpScrollBaseRepeatTimer)
            OnRepeatTimer();
        else
            DoAnimate();
        return;
    }
    const HWND hWnd = m_pSBTrack->hWndHost;
    POINT pt = CZPTrackingLoop::PointOf(msg);
    if (msg.message == WM_MOUSEWHEEL)
        ::ScreenToClient(hWnd, &pt);
    else if (msg.hwnd != hWnd)
        ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
    if (m_pSBTrack->bDragging)
        OnThumbMouse(msg.message, pt, IsLeftButtonDown());
    else
        HandleRepeat(msg.message, pt);
}

void CZPScrollBase::HandleRepeat(UINT message, POINT pt)
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pSBTrack;
    ZP_SCROLLBAR_GEOMETRY& g = *s->pGeometry;
    // The pressed track follows the thumb as it pages towards the pointer.
    if (s->nCommand == SB_PAGEUP)
        (g.bVertical ? s->rcPressed.bottom : s->rcPressed.right) = g.nThumbStart;
    else if (s->nCommand == SB_PAGEDOWN)
        (g.bVertical ? s->rcPressed.top : s->rcPressed.left) = g.nThumbEnd;
    const BOOL bWasInside = s->bInside;
    const BOOL bInside = ::PtInRect(&s->rcPressed, pt);
    if (bInside != bWasInside) {
        s->bInside = bInside;
        RedrawScrollBar();
    }
    UINT nDelay;
    if (message == WM_LBUTTONUP) {
        EndScroll();
        return;
    } else if (message == WM_LBUTTONDOWN) {
        nDelay = ::GetDoubleClickTime() * 4 / 5;
    } else if (message == WM_MOUSEMOVE) {
        nDelay = ::GetDoubleClickTime() / 10;
    } else {
        return;
    }
    if (bInside && !bWasInside) {
        m_nRepeatDelay = static_cast<int>(nDelay);
        s->nTimer = ::SetTimer(s->hWndHost, kZpScrollBaseRepeatTimer, nDelay, NULL);
        DoScroll(s->nCommand, 0);
    }
}

void CZPScrollBase::OnRepeatTimer()
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pSBTrack;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(s->hWndHost, &pt);
    HandleRepeat(0, pt);
    if (m_pSBTrack != NULL && m_pSBTrack->bInside) {
        const UINT nDelay = ::GetDoubleClickTime() / 10;
        m_nRepeatDelay = static_cast<int>(nDelay);
        m_pSBTrack->nTimer = ::SetTimer(m_pSBTrack->hWndHost, kZpScrollBaseRepeatTimer, nDelay, NULL);
        DoScroll(m_pSBTrack->nCommand, 0);
    }
}

void CZPScrollBase::OnThumbMouse(UINT message, POINT pt, BOOL bButtonDown)
{
    if (!IsMouseMessage(message))
        return;
    ZP_SCROLLBAR_TRACKSTATE* s = m_pSBTrack;
    const ZP_SCROLLBAR_GEOMETRY& g = *s->pGeometry;
    const CZPScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    const BOOL bFixedThumb = pPainter != NULL && pPainter->m_nThumbSize > 0;
    int nPixel;
    if (::PtInRect(&s->rcPressed, pt) || bFixedThumb)
        nPixel = std::clamp(static_cast<int>(g.bVertical ? pt.y : pt.x) + s->nDragOffset, g.nTravelStart,
                            g.nTravelStart + g.nTravel);
    else
        nPixel = g.nDragStart;  // snapped back
    MoveThumb(nPixel);
    if (message == WM_LBUTTONUP || !bButtonDown)
        EndScroll();
}

void CZPScrollBase::MoveThumb(int nPixel)
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pSBTrack;
    if (s == NULL || nPixel == s->nThumbPos)
        return;
    ZP_SCROLLBAR_GEOMETRY& g = *s->pGeometry;
    const int nPos = ThumbPosFromPixel(nPixel);
    if (nPos != s->nComputedPos) {
        s->nComputedPos = nPos;
        DoScroll(SB_THUMBTRACK, nPos);
        if (m_pSBTrack == NULL)
            return;
    }
    g.nThumbStart = nPixel;
    g.nThumbEnd = nPixel + g.nThumbSize;
    s->nThumbPos = nPixel;
    RedrawScrollBar();
}

int CZPScrollBase::ThumbPosFromPixel(int nPixel) const
{
    const ZP_SCROLLBAR_GEOMETRY& g = m_pSBTrack != NULL ? *m_pSBTrack->pGeometry : m_spi;
    if (nPixel < g.nTravelStart)
        return g.nMin;
    if (nPixel >= g.nTravelStart + g.nTravel)
        return g.nPage != 0 ? g.nMax - g.nPage + 1 : g.nMax;
    if (g.nTravel == 0)
        return g.nMin - 1;
    const long long nSpan = static_cast<long long>(g.nMax) - g.nMin - (g.nPage != 0 ? g.nPage - 1 : 0);
    return g.nMin + static_cast<int>(nSpan * (nPixel - g.nTravelStart) / g.nTravel);
}

void CZPScrollBase::EndScroll()
{
    ZP_SCROLLBAR_TRACKSTATE* s = m_pSBTrack;
    if (::GetCapture() == s->hWndHost)
        ::ReleaseCapture();
    if (s->bDragging) {
        DoScroll(SB_THUMBPOSITION, s->nComputedPos);
        RedrawScrollBar();
    } else if (::IsWindow(s->hWndHost)) {
        ::KillTimer(s->hWndHost, kZpScrollBaseRepeatTimer);
    }
    DoScroll(SB_ENDSCROLL, 0);
}
