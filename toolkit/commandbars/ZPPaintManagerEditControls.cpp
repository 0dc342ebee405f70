// The base paint manager's combo boxes and edit controls on bars: their height, label width and
// drop-down button width, and the label in front of the edit part.
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlEdit.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPImageManager.h"

#include <algorithm>

namespace {

// Height over a space of the font; combo boxes are at least this high.
const int kEditTextPadding = 7;
const int kComboMinHeight = 20;
// Drop-down button: at least this wide, else 9/14 of the height plus one.
const int kComboButtonMinWidth = 15;
// Label: gap after an icon and after the caption; where the icon and the label start.
const int kLabelIconGap = 4;
const int kLabelCaptionGap = 5;
const int kLabelIconInset = 3;
const int kLabelIconTextGap = 6;
const int kLabelTextInset = 2;

int SpaceHeight(CDC* pDC, CFont* pFont)
{
    CZPFontDC font(pDC, pFont);
    return pDC->GetTextExtent(CString(L" ")).cy;
}

}  // namespace

// Shared by the two slots: measures, stores the widths in the control, and draws the label.
static CSize DrawEditLikeControl(CZPPaintManager* pPaintManager, CDC* pDC, CZPControl* pControl, BOOL bDraw,
                                 BOOL bCombo)
{
    CZPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = pBar != NULL && pBar->GetType() == zpBarTypePopup;
    if (bPopup && bDraw)
        return pPaintManager->DrawControlInPopup(pDC, pControl, TRUE);
    CDC dcMeasure;
    if (pDC == NULL) {
        if (bDraw || !dcMeasure.CreateCompatibleDC(NULL))
            return CSize(0, 0);
        pDC = &dcMeasure;
    }
    const int nFixed = pPaintManager->m_nFixedRowHeight;
    int b = nFixed > 0 ? nFixed : SpaceHeight(pDC, pPaintManager->GetIconFont()) + kEditTextPadding;
    if (bCombo && nFixed <= 0)
        b = std::max(b, kComboMinHeight);
    const BOOL bCaption = pControl->IsCaptionVisible();
    if (bCaption && nFixed <= 0)
        b = std::max(b, SpaceHeight(pDC, pPaintManager->GetRegularFont()) + kEditTextPadding);

    CZPFontDC font(pDC, pPaintManager->GetRegularFont());
    const CRect rc = pControl->GetRect();
    const int cxCaption = bCaption ? pPaintManager->DrawCaption(pDC, pControl, rc, FALSE, FALSE, FALSE, FALSE).cx : 0;
    const int nStyle = pControl->GetStyle();
    const CSize szIcon = pPaintManager->GetControlIconSize(pControl);
    CZPImageManagerIcon* pImage = NULL;
    if (!bPopup && nStyle != zpButtonCaption && szIcon.cx > 0)
        pImage = pControl->GetImage(szIcon.cx);
    const CSize szImage = CZPPaintManager::GetStretchedIconSize(pImage, szIcon);

    int nLabelWidth = 0;
    CSize size(pControl->GetWidth(), b);
    if (bPopup) {
        const int nColumn = pPaintManager->GetPopupIconColumnWidth(pBar);
        nLabelWidth = nColumn + pPaintManager->m_nPopupTextGap + cxCaption + kLabelCaptionGap;
        size.cx = nColumn + pControl->GetWidth();
    } else {
        nLabelWidth = (pImage != NULL ? szImage.cx + kLabelIconGap : 0) + (bCaption ? cxCaption + kLabelCaptionGap : 0);
        if (pImage != NULL) {
            const CSize szButton = bCombo && pBar != NULL ? pBar->GetEffectiveButtonSize() : pControl->GetButtonSize();
            size.cy = std::max(size.cy, szButton.cy);
        }
    }
    if (bCombo) {
        CZPControlComboBox* pCombo = static_cast<CZPControlComboBox*>(pControl);
        pCombo->SetLabelWidth(nLabelWidth);
        pCombo->SetDropDownButtonWidth(std::max(kComboButtonMinWidth, ::MulDiv(b, 9, 14) + 1));
    } else {
        static_cast<CZPControlEdit*>(pControl)->SetLabelWidth(nLabelWidth);
    }
    if (!bDraw)
        return size;

    int xLabel = rc.left + kLabelTextInset;
    if (pImage != NULL) {
        pPaintManager->DrawImage(pDC, CPoint(rc.left + kLabelIconInset, rc.top + (rc.Height() - szImage.cy) / 2),
                                 szImage, pImage, FALSE, FALSE, pControl->GetEnabled(), FALSE, FALSE, TRUE);
        xLabel = rc.left + szImage.cx + kLabelIconTextGap;
    }
    if (bCaption) {
        const int nBarType = pBar != NULL ? pBar->GetType() : zpBarTypeNormal;
        const int nBarPosition = pBar != NULL ? pBar->GetPosition() : zpBarTop;
        font.SetColor(
            pPaintManager->GetStateTextColor(0, FALSE, pControl->GetEnabled(), FALSE, FALSE, nBarType, nBarPosition));
        pDC->SetBkMode(TRANSPARENT);
        pPaintManager->DrawCaption(pDC, pControl, CRect(xLabel, rc.top, rc.right, rc.bottom), TRUE, FALSE, FALSE,
                                   FALSE);
    }
    return CSize(0, 0);
}

CSize CZPPaintManager::DrawComboBoxControl(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    if (!ZpIsControlKindOf(pControl, zpControlComboBox))
        return CSize(0, 0);
    return DrawEditLikeControl(this, pDC, pControl, bDraw, TRUE);
}

CSize CZPPaintManager::DrawEditControl(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    if (!ZpIsControlKindOf(pControl, zpControlEdit))
        return CSize(0, 0);
    return DrawEditLikeControl(this, pDC, pControl, bDraw, FALSE);
}
