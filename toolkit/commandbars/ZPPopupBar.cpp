// A popup menu bar: identity and parent chain.
#include "commandbars/ZPPopupBar.h"

#include "commandbars/ZPControl.h"

IMPLEMENT_DYNCREATE(CZPPopupBar, CZPCommandBar)

CZPPopupBar::CZPPopupBar() : m_pControlPopup(NULL), m_bDoubleGripper(FALSE)
{
    m_barType = zpBarTypePopup;
    m_barPosition = zpBarPopup;
}

CZPPopupBar::~CZPPopupBar() = default;

CZPCommandBar* CZPPopupBar::GetParentBar() const
{
    return m_pControlPopup != NULL ? m_pControlPopup->GetParent() : NULL;
}

BOOL CZPPopupBar::IsPopupBar() const
{
    return TRUE;
}

CZPPopupBar* ZpCreatePopupBar(CZPCommandBars* pCommandBars)
{
    CZPPopupBar* pPopupBar = new CZPPopupBar;
    pPopupBar->SetCommandBars(pCommandBars);
    return pPopupBar;
}
