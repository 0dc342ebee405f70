// The MDI tab client window with a command-bars group menu.
#include "commandbars/ZPCommandBarsTabClientWnd.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlLists.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"
#include "tabmanager/ZPTabManagerResource.h"

#include <framework/mdi.h>

namespace {
// Control flag of the Cancel entry: no update-UI round.
const DWORD kNoUpdateFlag = 0x8;
}  // namespace

CZPCommandBarsTabClientWnd::CZPCommandBarsTabClientWnd(CZPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

BOOL CZPCommandBarsTabClientWnd::IsMouseLocked() const
{
    return ZpMouseManager()->GetTrackedCount() > 0;
}

void CZPCommandBarsTabClientWnd::TrackGroupMenu(CPoint ptScreen)
{
    CRefPtr<CZPPopupBar> pPopup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(m_pCommandBars));
    if (!pPopup)
        return;
    CZPControls* pControls = pPopup->GetControls();
    pControls->AddControl(new CZPControlWorkspaceActions, ZP_ID_WORKSPACE_ACTIONS);
    if (CZPControl* pCancel = pControls->Add(zpControlButton, ZP_ID_TABGROUP_CANCEL)) {
        pCancel->SetBeginGroup(TRUE);
        pCancel->SetFlags(pCancel->GetFlags() | kNoUpdateFlag);
    }
    CMDIFrameWnd* pFrame = GetMDIFrame();
    const int nCommand =
        ZpTrackPopupBar(pPopup.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pFrame);
    // The popup is released with the holder; a chosen group command runs here, as the base's does.
    if (nCommand != 0 && nCommand != ZP_ID_TABGROUP_CANCEL)
        ExecuteGroupCommand(static_cast<UINT>(nCommand));
}
