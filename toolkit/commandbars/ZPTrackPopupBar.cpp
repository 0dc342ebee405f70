// Tracking a popup bar as a context menu.
#include "commandbars/ZPCommandBars.h"

#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPPopupLoop.h"

#include <framework/threadstate.h>

#include <vector>

namespace {
// Where a popup of a right-to-left window opens: towards the left of the point.
const LONG kRightToLeftStyles = WS_EX_LAYOUTRTL | WS_EX_RIGHT;

// The tracking flags a popup keeps and the direction they give it.
DWORD DirectionOf(UINT nFlags)
{
    DWORD dwDirection = 0;
    if ((nFlags & TPM_RIGHTALIGN) != 0)
        dwDirection |= ZP_POPUP_LEFTWARDS;
    if ((nFlags & TPM_BOTTOMALIGN) != 0)
        dwDirection |= ZP_POPUP_UPWARDS;
    return dwDirection;
}

// Clears the popup's tracking state on every way out: a popup reused later must not write into
// this call's dead result slot.
class CTrackScope
{
public:
    explicit CTrackScope(CZPPopupBar* pPopup) : m_pPopup(pPopup) {}
    ~CTrackScope()
    {
        for (const CRefPtr<CZPCommandBar>& bar : m_locked)
            bar->AdjustLockCount(-1);
        m_pPopup->SetReturnCmdSlot(NULL);
        m_pPopup->SetTrackFlags(0);
        m_pPopup->SetRecursePopup(FALSE);
    }
    CTrackScope(const CTrackScope&) = delete;
    CTrackScope& operator=(const CTrackScope&) = delete;

    // Locks the bars tracked now; only those are unlocked at the end.
    void LockTracked(CZPMouseManager* pMouse)
    {
        for (int i = 0; i < pMouse->GetTrackedCount(); ++i) {
            CZPCommandBar* pBar = pMouse->GetTrackedAt(i);
            pBar->AdjustLockCount(1);
            m_locked.push_back(CRefPtr<CZPCommandBar>::AddRef(pBar));
        }
    }

private:
    CZPPopupBar* m_pPopup;  // borrowed: the caller holds a reference for the scope's life
    std::vector<CRefPtr<CZPCommandBar>> m_locked;
};
}  // namespace

int ZpTrackPopupBar(CZPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lprcExclude, CWnd* pWndCommand)
{
    if (pPopup == NULL)
        return 0;
    CRefPtr<CZPPopupBar> hold = CRefPtr<CZPPopupBar>::AddRef(pPopup);
    // A context menu asked for from the keyboard (lParam -1) shows its underlines at once.
    const MSG* pCurrent = AfxGetCurrentMessage();
    CZPCommandBars* pCommandBars = pPopup->FindCommandBars();
    if (pCurrent->message == WM_CONTEXTMENU && pCurrent->lParam == -1 && pCommandBars != NULL)
        pCommandBars->SetKeyboardCuesShown(TRUE);
    HWND hWndSite = CWnd::GetSafeHwnd(pWnd);
    if (hWndSite == NULL) {
        CWnd* pSite = pPopup->FindSiteWindow();
        hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    }
    pPopup->SetSiteWindow(hWndSite);
    pPopup->SetCommandTarget(CWnd::GetSafeHwnd(pWndCommand));
    if (hWndSite != NULL && (::GetWindowLongW(hWndSite, GWL_EXSTYLE) & kRightToLeftStyles) != 0)
        nFlags |= TPM_RIGHTALIGN;

    int nResult = 0;
    const BOOL bReturnCmd = (nFlags & TPM_RETURNCMD) != 0;
    const BOOL bRecurse = (nFlags & TPM_RECURSE) != 0;
    CTrackScope scope(pPopup);
    pPopup->SetReturnCmdSlot(bReturnCmd ? &nResult : NULL);
    pPopup->SetTrackFlags(nFlags & (TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RECURSE | TPM_RIGHTALIGN));
    pPopup->SetRecursePopup(bRecurse);

    CZPMouseManager* pMouse = ZpMouseManager();
    if (bRecurse) {
        scope.LockTracked(pMouse);
    } else {
        pMouse->CloseAll();
        ::ReleaseCapture();
    }
    pPopup->SetDirection(DirectionOf(nFlags));
    if (!pPopup->Popup(x, y, lprcExclude))
        return 0;
    ZpRunPopupLoop(pPopup);
    return bReturnCmd ? nResult : 1;
}
