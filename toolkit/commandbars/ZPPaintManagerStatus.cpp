// What the base paint manager draws of a status bar's panes: contents, button face, border and
// separator (the background and the size grip are drawn with the other bar parts).
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPStatusBar.h"
#include "commandbars/ZPStatusBarTogglePane.h"
#include "common/ZPImageManager.h"

namespace {

const int kStatusPanePart = 1;         // SP_PANE
const int kStatusGripperPanePart = 2;  // SP_GRIPPERPANE
const int kIconGap = 2;                // between a pane's icon and its text
const int kSeparatorWidth = 2;
const int kSwitchWidth = 18;
const int kSwitchBarType = 1;
const int kSwitchBarPosition = 0;
const UINT kPaneTextFormat = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;

}  // namespace

void CZPPaintManager::DrawStatusPane(CDC* pDC, CRect rc, CZPStatusBarPane* pPane)
{
    CZPStatusBar* pBar = pPane->GetStatusBar();
    const BOOL bEnabled = pPane->IsEnabled();
    const BOOL bDrawText = bEnabled || pBar == NULL || pBar->IsShowDisabledPaneText();
    const BOOL bBorders = (pPane->GetStyle() & ZP_SBPS_NOBORDERS) == 0;

    if (pPane->GetBackgroundColor() != static_cast<COLORREF>(-1)) {
        CRect rcFill = rc;
        if (bBorders)
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, pPane->GetBackgroundColor());
    }
    const BOOL bHot = pBar != NULL && pBar->GetHotPane() == pPane;
    if (pPane->IsButton())
        DrawStatusButtonFace(pDC, rc, pPane);

    CFont* pFont = pPane->GetTextFont();
    HGDIOBJ hOldFont = pFont != NULL ? ::SelectObject(pDC->m_hDC, pFont->GetSafeHandle()) : NULL;
    rc.DeflateRect(pPane->GetContentInset());

    COLORREF clrText = (pPane->IsButton() && (bHot || pPane->IsPressed()))
                           ? GetStateTextColor(bHot, pPane->IsPressed(), bEnabled, FALSE, FALSE, 1, 1)
                           : m_clrText;
    if (!bEnabled)
        clrText = GetColor(zpColorGrayText);
    else if (pPane->GetTextColorOverride() != static_cast<COLORREF>(-1))
        clrText = pPane->GetTextColorOverride();

    CZPImageManagerIcon* pIcon = pPane->GetImage();
    const int cxIcon = pIcon != NULL ? pIcon->GetWidth() : 0;
    const CString& strText = pPane->GetText();
    if (pPane->GetAlignment() == 1 || pPane->GetAlignment() == 2) {
        int cxContent = strText.IsEmpty() ? 0 : pDC->GetTextExtent(strText).cx;
        if (pIcon != NULL)
            cxContent += cxContent >= 1 ? cxIcon + kIconGap : cxIcon;
        if (cxContent < rc.Width())
            rc.left = pPane->GetAlignment() == 2 ? rc.right - cxContent : (rc.left + rc.right - cxContent) / 2;
    }
    if (pIcon != NULL) {
        if (rc.Width() >= cxIcon) {
            const int cyIcon = pIcon->GetHeight();
            const int y = (rc.top + rc.bottom - cyIcon) / 2;
            if (bEnabled)
                pIcon->DrawNormal(pDC, rc.left, y);
            else
                pIcon->Draw(pDC, rc.left, y, pIcon->GetDisabledStateImage());
        }
        rc.left += cxIcon + kIconGap;
    }
    if (bDrawText && !strText.IsEmpty()) {
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        pDC->DrawText(strText, &rc, kPaneTextFormat);
        pDC->SetTextColor(clrOld);
        pDC->SetBkMode(nOldMode);
    }
    if (hOldFont != NULL)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

void CZPPaintManager::DrawStatusButtonFace(CDC* pDC, CRect rc, CZPStatusBarPane* pPane)
{
    CZPStatusBar* pBar = pPane->GetStatusBar();
    const BOOL bHot = pBar != NULL && pBar->GetHotPane() == pPane;
    const BOOL bChecked = (pPane->GetStyle() & ZP_SBPS_POPOUT) != 0;
    if (!bHot && !pPane->IsPressed() && !bChecked)
        return;
    DrawStateRectangle(pDC, rc, bHot, pPane->IsPressed(), TRUE, bChecked, FALSE, 1, 1);
}

int CZPPaintManager::DrawStatusSwitches(CDC* pDC, CRect rc, CZPStatusBarTogglePane* pPane)
{
    const int nCount = pPane->GetSwitchCount();
    if (pDC == NULL) {
        for (int i = 0; i < nCount; ++i)
            pPane->GetSwitch(i).nWidth = kSwitchWidth;
        return kSwitchWidth * nCount;
    }
    CZPStatusBar* pBar = pPane->GetStatusBar();
    CZPImageManager* pImageManager = pBar != NULL ? pBar->ResolveImageManager() : ZpImageManagerInstance();
    int x = rc.left;
    for (int i = 0; i < nCount; ++i) {
        const ZP_STATUS_SWITCH& sw = pPane->GetSwitch(i);
        const CRect rcSwitch(x, rc.top, x + sw.nWidth, rc.bottom);
        const BOOL bEnabled = pPane->IsEnabled() && sw.bEnabled;
        DrawStateRectangle(pDC, rcSwitch, sw.bSelected, sw.bPressed, bEnabled, sw.bChecked, FALSE, kSwitchBarType,
                           kSwitchBarPosition);
        CZPImageManagerIcon* pIcon = pImageManager != NULL ? pImageManager->GetImage(sw.nID) : NULL;
        if (pIcon != NULL) {
            CZPImageManagerStateImage* pImage = !bEnabled     ? pIcon->GetDisabledStateImage()
                                                : sw.bChecked ? pIcon->GetCheckedStateImage()
                                                              : pIcon->GetNormalStateImage();
            pIcon->Draw(pDC, (rcSwitch.left + rcSwitch.right - pIcon->GetWidth()) / 2,
                        (rcSwitch.top + rcSwitch.bottom - pIcon->GetHeight()) / 2, pImage);
        }
        x = rcSwitch.right;
    }
    return 0;
}

void CZPPaintManager::DrawStatusPaneBorder(CDC* pDC, CRect rc, CZPStatusBarPane* pPane, BOOL bLastPane)
{
    if (m_bThemedStatusBar && IsThemeInUse(m_themeStatusBar)) {
        m_themeStatusBar.DrawBackground(pDC->GetSafeHdc(), bLastPane ? kStatusGripperPanePart : kStatusPanePart, 0, &rc,
                                        NULL);
        return;
    }
    if (!pPane->IsButton())
        Draw3dRectByIndex(pDC, rc, zpColorBtnShadow, zpColorBtnHighlight);
}

void CZPPaintManager::DrawStatusPaneSeparator(CDC* pDC, CRect rc, CZPStatusBarPane*)
{
    Draw3dRectByIndex(pDC, CRect(rc.left - kSeparatorWidth, rc.top, rc.left, rc.bottom), zpColorBtnShadow,
                      zpColorBtnHighlight);
}
