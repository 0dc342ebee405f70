// All command bars of one frame: the parts bars and controls use so far.
#include "commandbars/ZPCommandBars.h"

#include "commandbars/ZPMouseManager.h"

IMPLEMENT_DYNCREATE(CZPCommandBars, CCmdTarget)

CZPCommandBars::CZPCommandBars()
    : m_hWndSite(NULL), m_bCustomizeMode(FALSE), m_pImageManager(NULL), m_pPaintManager(NULL)
{}

CZPCommandBars::~CZPCommandBars() = default;

CZPControlAction* CZPCommandBars::LookupAction(int) const
{
    return NULL;
}

void CZPCommandBars::EndAllTracking()
{
    if (CZPMouseManager* pMouse = ZpMouseManagerIfExists())
        pMouse->CloseAll();
}

void CZPCommandBars::OnTrackingModeChanged(CZPCommandBar*, int) {}

void CZPCommandBars::SetCommandUsed(int) {}
