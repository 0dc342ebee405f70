// The customize drag loop: capture, cursors, the target bar under the pointer and the drop.
#include "commandbars/ZPCustomizeDragTracker.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPCustomizeSheet.h"
#include "common/ZPResourceManager.h"

#include <framework/refptr.h>

#include <algorithm>

namespace {
const int kMaxPaintsPerStep = 64;
}  // namespace

CZPCustomizeDragTracker::CZPCustomizeDragTracker(CZPCommandBars* pCommandBars)
    : m_pControl(NULL), m_bMove(FALSE), m_bCopyOnly(FALSE), m_bMoved(FALSE), m_pTarget(NULL), m_pSheet(NULL),
      m_hWndCapture(NULL), m_ptStart(0, 0), m_ptLast(0, 0), m_pCommandBars(pCommandBars), m_hCursorNoDrop(NULL),
      m_hCursorMove(NULL), m_hCursorCopy(NULL)
{
    CZPResourceManager* pResources = ZpResourceManagerInstance();
    m_hCursorNoDrop = pResources->LoadCursor(ZP_IDC_CUSTOMIZE_NODROP);
    m_hCursorMove = pResources->LoadCursor(ZP_IDC_CUSTOMIZE_MOVE);
    m_hCursorCopy = pResources->LoadCursor(ZP_IDC_CUSTOMIZE_COPY);
}

CZPCustomizeDragTracker::~CZPCustomizeDragTracker()
{
    for (CZPCommandBar* pBar : m_arrBars)
        pBar->OnDragTrackerGone();
}

void CZPCustomizeDragTracker::RegisterBar(CZPCommandBar* pBar)
{
    if (pBar != NULL)
        m_arrBars.push_back(pBar);
}

void CZPCustomizeDragTracker::UnregisterBar(CZPCommandBar* pBar)
{
    m_arrBars.erase(std::remove(m_arrBars.begin(), m_arrBars.end(), pBar), m_arrBars.end());
    if (m_pTarget == pBar)
        m_pTarget = NULL;
}

BOOL CZPCustomizeDragTracker::IsRegistered(const CZPCommandBar* pBar) const
{
    return std::find(m_arrBars.begin(), m_arrBars.end(), pBar) != m_arrBars.end();
}

int CZPCustomizeDragTracker::TrackDrag(CZPControl* pControl, BOOL bCopyOnly)
{
    // Nothing to drag with: report "nothing happened" so that no caller removes the control.
    if (pControl == NULL || m_pCommandBars == NULL || m_pControl != NULL)
        return ZP_DROP_CANCEL;
    HWND hWndCapture = m_pSheet != NULL ? m_pSheet->GetSafeHwnd() : NULL;
    if (hWndCapture == NULL)
        hWndCapture = m_pCommandBars->GetSite() != NULL ? m_pCommandBars->GetSite()->GetSafeHwnd() : NULL;
    if (hWndCapture == NULL || !::IsWindow(hWndCapture))
        return ZP_DROP_CANCEL;

    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pControl);
    m_pControl = pControl;
    m_bCopyOnly = bCopyOnly;
    m_bMove = FALSE;
    m_bMoved = FALSE;
    m_pTarget = NULL;
    m_hWndCapture = hWndCapture;
    ::GetCursorPos(&m_ptStart);
    m_ptLast = m_ptStart;
    ::SetCapture(hWndCapture);
    UpdateCursor();

    int nEffect = ZP_DROP_CANCEL;
    BOOL bDrop = FALSE;
    while (::GetCapture() == hWndCapture) {
        MSG msg;
        // Pending paints first (bounded: a window that never validates must not stall the drag).
        // A quit message may come out of the filtered peek too.
        BOOL bQuit = FALSE;
        for (int i = 0; i < kMaxPaintsPerStep && ::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
            if (msg.message == WM_QUIT) {
                bQuit = TRUE;
                break;
            }
            ::DispatchMessageW(&msg);
        }
        if (bQuit || !::GetMessageW(&msg, NULL, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!HandleMessage(msg, &bDrop, &nEffect))
            break;
    }
    if (bDrop)
        nEffect = Drop();
    if (m_pTarget != NULL)
        m_pTarget->ClearDropMarker();
    m_pTarget = NULL;
    m_pControl = NULL;
    m_hWndCapture = NULL;
    if (::GetCapture() == hWndCapture)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
    return nEffect;
}

BOOL CZPCustomizeDragTracker::HandleMessage(const MSG& msg, BOOL* pbDrop, int* pnEffect)
{
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
            *pnEffect = ZP_DROP_CANCEL;
            return FALSE;
        }
        if (msg.wParam == VK_CONTROL) {
            m_bMove = FALSE;
            UpdateCursor();
        }
        return TRUE;
    case WM_KEYUP:
        if (msg.wParam == VK_CONTROL) {
            m_bMove = TRUE;
            UpdateCursor();
        }
        return TRUE;
    case WM_RBUTTONDOWN:
        *pnEffect = ZP_DROP_CANCEL;
        return FALSE;
    case WM_MOUSEMOVE:
        OnMouseMove(msg, pbDrop);
        return !*pbDrop;
    case WM_LBUTTONUP:
        m_ptLast = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &m_ptLast);
        *pbDrop = TRUE;
        return FALSE;
    default:
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        return TRUE;
    }
}

void CZPCustomizeDragTracker::OnMouseMove(const MSG& msg, BOOL* pbDrop)
{
    CPoint ptScreen(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    ::ClientToScreen(msg.hwnd, &ptScreen);
    m_ptLast = ptScreen;
    if (!m_bMoved) {
        // The first move: the dragged control's own bar lets go of its selection and popup.
        // A control from a command list has no bar.
        if (CZPCommandBar* pParent = m_pControl->GetParent()) {
            CPoint ptBar = ptScreen;
            if (pParent->GetSafeHwnd() != NULL)
                ::ScreenToClient(pParent->GetSafeHwnd(), &ptBar);
            m_pControl->OnCustomizeDragOver(m_pControl, ptBar);
        }
    }
    if (ptScreen != m_ptStart)
        m_bMoved = TRUE;
    m_bMove = (msg.wParam & MK_CONTROL) == 0;
    FindTarget(ptScreen);
    if ((msg.wParam & MK_LBUTTON) == 0)
        *pbDrop = TRUE;
}

void CZPCustomizeDragTracker::FindTarget(CPoint ptScreen)
{
    const HWND hWndUnder = ::WindowFromPoint(ptScreen);
    CZPCommandBar* pCandidate = NULL;
    // Visited on a snapshot: a drag-over may close popups, which unregister as they go.
    const std::vector<CZPCommandBar*> snapshot = m_arrBars;
    for (auto it = snapshot.rbegin(); it != snapshot.rend() && pCandidate == NULL; ++it) {
        CZPCommandBar* pBar = *it;
        const HWND hWndBar = pBar->GetSafeHwnd();
        if (!IsRegistered(pBar) || hWndBar == NULL || !pBar->IsBarVisible())
            continue;
        CRect rcBar;
        ::GetWindowRect(hWndBar, &rcBar);
        if (rcBar.PtInRect(ptScreen) && (hWndUnder == hWndBar || ::GetParent(hWndUnder) == hWndBar))
            pCandidate = pBar;
    }
    if (pCandidate != NULL && pCandidate == m_pTarget) {
        CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(pCandidate);
        CPoint pt = ptScreen;
        ::ScreenToClient(pCandidate->GetSafeHwnd(), &pt);
        pCandidate->CustomizeDragOver(m_pControl, pt);
    } else {
        ForgetTarget();
        if (pCandidate != NULL) {
            CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(pCandidate);
            CPoint pt = ptScreen;
            ::ScreenToClient(pCandidate->GetSafeHwnd(), &pt);
            if (pCandidate->BeginCustomizeDrag(m_pControl, pt) && IsRegistered(pCandidate))
                m_pTarget = pCandidate;
        }
    }
    UpdateCursor();
}

void CZPCustomizeDragTracker::ForgetTarget()
{
    CZPCommandBar* pTarget = m_pTarget;
    m_pTarget = NULL;
    if (pTarget != NULL)
        pTarget->ClearDropMarker();
}

int CZPCustomizeDragTracker::Drop()
{
    if (m_pTarget == NULL)
        return m_bMoved ? ZP_DROP_NONE : ZP_DROP_CANCEL;
    CRefPtr<CZPCommandBar> target = CRefPtr<CZPCommandBar>::AddRef(m_pTarget);
    int nEffect = m_bMove && !m_bCopyOnly ? ZP_DROP_MOVE : ZP_DROP_COPY;
    CPoint point = m_ptLast;
    CPoint ptStart = m_ptStart;
    ::ScreenToClient(target->GetSafeHwnd(), &point);
    ::ScreenToClient(target->GetSafeHwnd(), &ptStart);
    target->CustomizeDrop(m_pControl, nEffect, point, ptStart);
    m_pTarget = NULL;
    return nEffect;
}

void CZPCustomizeDragTracker::UpdateCursor() const
{
    HCURSOR hCursor = m_pTarget == NULL ? m_hCursorNoDrop : (m_bMove && !m_bCopyOnly ? m_hCursorMove : m_hCursorCopy);
    if (hCursor != NULL)
        ::SetCursor(hCursor);
}
