// Keyboard tip windows.
#include "commandbars/ZPCommandBarKeyboardTip.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPPaintManager.h"

#include <framework/gdi.h>

namespace {
// The paint manager the tips draw with.
CZPPaintManager* TipPaintManager(CZPCommandBars* pCommandBars)
{
    CZPPaintManager* pPaintManager = pCommandBars != NULL ? pCommandBars->GetPaintManager() : NULL;
    return pPaintManager != NULL ? pPaintManager : ZpGetPaintManager();
}
}  // namespace

CZPCommandBarKeyboardTip::CZPCommandBarKeyboardTip(CZPCommandBars* pCommandBars, CCmdTarget* pTarget, LPCWSTR lpszTip,
                                                   CPoint ptAnchor, UINT nAlign, BOOL bEnabled)
    : m_strTip(lpszTip), m_pTarget(pTarget), m_pt(ptAnchor), m_bEnabled(bEnabled), m_bVisible(TRUE),
      m_pCommandBars(pCommandBars), m_nAlign(nAlign), m_bExplicit(lpszTip != NULL && lpszTip[0] != 0)
{}

BOOL CZPCommandBarKeyboardTip::CreateTipWindow(HWND hWndOwner, CSize size)
{
    LPCWSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(NULL, IDC_ARROW));
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (m_bEnabled ? 0 : WS_EX_LAYERED);
    if (!CreateEx(dwExStyle, lpszClass, m_strTip, WS_POPUP, CRect(m_pt, size), CWnd::FromHandle(hWndOwner), 0))
        return FALSE;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, m_pt.x, m_pt.y, size.cx, size.cy, SWP_NOACTIVATE);
    if (!m_bEnabled)
        ::SetLayeredWindowAttributes(m_hWnd, 0, ZP_KEYTIP_DISABLED_ALPHA, LWA_ALPHA);
    TipPaintManager(m_pCommandBars)->DrawKeyTipWindow(NULL, this, TRUE);
    return TRUE;
}

LRESULT CZPCommandBarKeyboardTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPaintDC dc(this);
        TipPaintManager(m_pCommandBars)->DrawKeyTipWindow(&dc, this, FALSE);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
