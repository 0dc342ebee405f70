// The status-bar pane with a row of switches.
#include "commandbars/ZPStatusBarTogglePane.h"

#include "commandbars/ZPPaintManager.h"

IMPLEMENT_DYNAMIC(CZPStatusBarTogglePane, CZPStatusBarPane)

CZPStatusBarTogglePane::CZPStatusBarTogglePane() : m_nPressedSwitch(-1)
{
    // The switches draw their own faces: the pane is a borderless button the bar hot-tracks.
    SetStyle(ZP_SBPS_NOBORDERS);
    SetButton(TRUE);
    SetContentInset(CRect(0, 0, 0, 0));
}

int CZPStatusBarTogglePane::AddSwitch(UINT nID)
{
    const ZP_STATUS_SWITCH sw = { nID, 0, FALSE, FALSE, FALSE, TRUE };
    const int nIndex = static_cast<int>(m_arrSwitches.Add(sw));
    if (GetStatusBar() != NULL)
        GetStatusBar()->RecalcPaneLayout();
    return nIndex;
}

void CZPStatusBarTogglePane::RemoveAllSwitches()
{
    m_arrSwitches.RemoveAll();
    if (GetStatusBar() != NULL)
        GetStatusBar()->RecalcPaneLayout();
}

ZP_STATUS_SWITCH& CZPStatusBarTogglePane::GetSwitch(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSwitchCount())
        AfxThrowInvalidArgException();
    return m_arrSwitches[nIndex];
}

void CZPStatusBarTogglePane::SetSwitchChecked(int nIndex, BOOL bChecked)
{
    GetSwitch(nIndex).bChecked = bChecked;
    InvalidateSwitch(nIndex);
}

void CZPStatusBarTogglePane::SetSwitchEnabled(int nIndex, BOOL bEnabled)
{
    GetSwitch(nIndex).bEnabled = bEnabled;
    InvalidateSwitch(nIndex);
}

CRect CZPStatusBarTogglePane::GetSwitchRect(int nIndex) const
{
    if (!IsShown() || nIndex < 0 || nIndex >= GetSwitchCount())
        return CRect(0, 0, 0, 0);
    int x = GetRect().left;
    for (int i = 0; i < nIndex; ++i)
        x += m_arrSwitches[i].nWidth;
    return CRect(x, GetRect().top, x + m_arrSwitches[nIndex].nWidth, GetRect().bottom);
}

int CZPStatusBarTogglePane::HitTestSwitch(CPoint point) const
{
    for (int i = 0; i < GetSwitchCount(); ++i)
        if (GetSwitchRect(i).PtInRect(point))
            return i;
    return -1;
}

void CZPStatusBarTogglePane::InvalidateSwitch(int nIndex)
{
    CZPStatusBar* pBar = GetStatusBar();
    const CRect rc = GetSwitchRect(nIndex);
    if (pBar != NULL && pBar->m_hWnd != NULL && !rc.IsRectEmpty())
        pBar->InvalidateRect(&rc, FALSE);
}

int CZPStatusBarTogglePane::GetWidth()
{
    if (GetFixedWidth() > 0)
        return GetFixedWidth();
    return GetPaintManager()->DrawStatusSwitches(NULL, GetRect(), this);
}

void CZPStatusBarTogglePane::Draw(CDC* pDC, CRect rc)
{
    if (m_nPressedSwitch != -1 && m_nPressedSwitch < GetSwitchCount())
        m_arrSwitches[m_nPressedSwitch].bPressed = IsPressed();
    GetPaintManager()->DrawStatusSwitches(pDC, rc, this);
}

void CZPStatusBarTogglePane::OnMouseMove(CPoint point)
{
    const int nHot = m_nPressedSwitch == -1 ? HitTestSwitch(point) : m_nPressedSwitch;
    for (int i = 0; i < GetSwitchCount(); ++i) {
        const BOOL bSelected = i == nHot;
        if (m_arrSwitches[i].bSelected != bSelected) {
            m_arrSwitches[i].bSelected = bSelected;
            InvalidateSwitch(i);
        }
    }
}

void CZPStatusBarTogglePane::OnLButtonDown(CPoint point)
{
    const int nIndex = HitTestSwitch(point);
    CZPStatusBar* pBar = GetStatusBar();
    if (pBar == NULL || nIndex == -1 || !IsEnabled() || !m_arrSwitches[nIndex].bEnabled)
        return;
    const UINT nID = m_arrSwitches[nIndex].nID;
    m_nPressedSwitch = nIndex;
    m_arrSwitches[nIndex].bPressed = TRUE;
    // The bar presses the pane while the mouse is over the switch; the record follows it.
    const BOOL bClicked = pBar->TrackPanePress(this, GetSwitchRect(nIndex));
    m_nPressedSwitch = -1;
    // A handler run inside the press may have taken the switches away.
    if (nIndex < GetSwitchCount())
        m_arrSwitches[nIndex].bPressed = FALSE;
    if (bClicked)
        pBar->SendCommandToParent(nID);
}
