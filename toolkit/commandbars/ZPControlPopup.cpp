// A control that opens a popup bar: the bar it holds.
#include "commandbars/ZPControlPopup.h"

#include "commandbars/ZPControls.h"
#include "commandbars/ZPPopupBar.h"

IMPLEMENT_DYNCREATE(CZPControlPopup, CZPControlButton)

namespace {
// Nesting of recursive popup copies; deeper levels share the source's bar (cycles end here).
const int kMaxCopyDepth = 128;
int g_nCopyDepth = 0;
}  // namespace

CZPControlPopup::CZPControlPopup()
{
    m_controlType = zpControlPopup;
}

CZPControlPopup::~CZPControlPopup()
{
    SetCommandBar(NULL);
}

void CZPControlPopup::SetCommandBar(CZPCommandBar* pBar)
{
    if (pBar == m_pCommandBar.Get())
        return;
    CZPPopupBar* pOld = DYNAMIC_DOWNCAST(CZPPopupBar, m_pCommandBar.Get());
    if (pOld != NULL && pOld->GetControlPopup() == this)
        pOld->SetControlPopup(NULL);
    m_pCommandBar.Reset(pBar);
    CZPPopupBar* pNew = DYNAMIC_DOWNCAST(CZPPopupBar, pBar);
    if (pNew != NULL)
        pNew->SetControlPopup(this);
}

CZPCommandBar* CZPControlPopup::GetCommandBar() const
{
    return m_pCommandBar.Get();
}

void CZPControlPopup::Copy(CZPControl* pSource, BOOL bRecursive)
{
    if (pSource == NULL || pSource == this)
        return;
    CZPControl::Copy(pSource, bRecursive);
    CZPCommandBar* pSourceBar = pSource->GetCommandBar();
    if (pSourceBar == NULL || !bRecursive || g_nCopyDepth >= kMaxCopyDepth) {
        SetCommandBar(pSourceBar);
        return;
    }
    CRefPtr<CZPPopupBar> pBar = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pSourceBar->GetCommandBars()));
    pBar->SetTitle(pSourceBar->GetTitle());
    ++g_nCopyDepth;
    pBar->GetControls()->CopyFrom(pSourceBar->GetControls(), TRUE);
    --g_nCopyDepth;
    SetCommandBar(pBar.Get());
}
