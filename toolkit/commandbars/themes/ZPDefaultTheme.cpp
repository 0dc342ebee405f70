#include "commandbars/themes/ZPDefaultTheme.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlEdit.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPImageManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CZPDefaultTheme, CZPPaintManager)

namespace {

const int kPopupSeparatorSize = 8;
const int kBarSeparatorSize = 6;
const int kGripperWidth = 6;
const int kVerticalGripperHeight = 8;
const int kDialogHandleMinHeight = 22;
const int kDialogHandleTallText = 18;
const int kPopupBorder = 3;
const int kTearOffHeight = 8;
const int kSplitDropDownWidth = 12;
const int kIconCellPadding = 4;
const int kDitherSize = 8;
const int kBottomGrip = 2;
const int kTextOrientationVertical = 1;
const int kCheckSquare = 20;
const int kSplitPopupPart = 20;

BOOL IsPopupBar(const CZPCommandBar* pBar)
{
    return pBar != NULL && pBar->GetType() == zpBarTypePopup;
}

}  // namespace

CRect CZPDefaultTheme::ClientRectOf(CWnd* pWnd)
{
    CRect rc(0, 0, 0, 0);
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        pWnd->GetClientRect(&rc);
    return rc;
}

int CZPDefaultTheme::GetDialogHandleHeight() const
{
    return m_nTextHeight >= kDialogHandleTallText ? m_nTextHeight + 4 : kDialogHandleMinHeight;
}

CZPDefaultTheme::CZPDefaultTheme() : m_nNormalTextColor(zpColorBtnText)
{
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

void CZPDefaultTheme::RefreshMetrics()
{
    CZPPaintManager::RefreshMetrics();
    m_clrFloatingCaption.SetStandardValue(GetColor(zpColorActiveCaption));
    m_clrFloatingCaptionText.SetStandardValue(GetColor(zpColorCaptionText));
}

// State colours and rectangles ---------------------------------------------------------------

COLORREF CZPDefaultTheme::GetStateTextColor(int nSelected, BOOL /*bPressed*/, BOOL bEnabled, BOOL bChecked,
                                            BOOL /*bPopped*/, int nBarType, int nBarPosition)
{
    if (!bEnabled)
        return GetColor(zpColorGrayText);
    if (nBarType == zpBarTypePopup)
        return GetColor(nSelected && !bChecked ? zpColorSysHighlightText : m_nNormalTextColor);
    return GetColor(nBarPosition == zpBarPopup ? m_nNormalTextColor : zpColorBtnText);
}

void CZPDefaultTheme::FillDitherPattern(CDC* pDC, CRect rc)
{
    if (rc.IsRectEmpty())
        return;
    // Monochrome rows are WORD-aligned: one byte of pattern and one of padding per row.
    static const WORD kRows[kDitherSize] = { 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA };
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(kDitherSize, kDitherSize, 1, 1, kRows));
    CBrush brush;
    brush.Attach(::CreatePatternBrush(static_cast<HBITMAP>(bitmap.GetSafeHandle())));
    if (brush.GetSafeHandle() == NULL)
        return;
    // In a monochrome pattern 1 bits take the background colour and 0 bits the text colour.
    const COLORREF clrOldBk = pDC->SetBkColor(GetColor(zpColorBtnFace));
    const COLORREF clrOldText = pDC->SetTextColor(GetColor(zpColorBtnHighlight));
    HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), brush.GetSafeHandle());
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CZPDefaultTheme::DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                         BOOL bPopped, int nBarType, int nBarPosition)
{
    // An inverted rectangle would paint its edges outside itself.
    if (pDC == NULL || rc.IsRectEmpty())
        return;
    if (m_bMenuHighlight && nBarPosition == zpBarPopup && nBarType == zpBarTypePopup && bChecked) {
        FillDitherPattern(pDC, rc);
        DrawSunkenEdge(pDC, rc);
        return;
    }
    if (nBarType == zpBarTypePopup && !bChecked) {
        if (nSelected || bPressed)
            FillRectAndBorder(pDC, rc, zpColorSysHighlight, zpColorSysHighlight);
        return;
    }
    const BOOL bKeyboard = nSelected == 2 || nSelected == 3;
    if (!bEnabled) {
        if (bChecked || bKeyboard)
            DrawSunkenEdge(pDC, rc);
        return;
    }
    if (bChecked) {
        if (!nSelected && !bPressed)
            FillDitherPattern(pDC, rc);
        DrawSunkenEdge(pDC, rc);
        return;
    }
    if (bPopped || bPressed == 2 || bPressed == 3 || (nSelected && bPressed))
        DrawSunkenEdge(pDC, rc);
    else if (nSelected || bPressed)
        DrawRaisedEdge(pDC, rc);
}

// Bars ---------------------------------------------------------------------------------------

void CZPDefaultTheme::FillBarBackground(CDC* pDC, CZPCommandBar* pBar)
{
    if (pDC == NULL || pBar == NULL)
        return;
    CRect rc = ClientRectOf(pBar);
    if (rc.IsRectEmpty())
        return;
    pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
    const int nPosition = pBar->GetPosition();
    if (nPosition == zpBarFloating || nPosition == zpBarPopup) {
        Draw3dRectByIndex(pDC, rc, zpColorBtnFace, zpColor3dDkShadow);
        rc.DeflateRect(1, 1);
        DrawRaisedEdge(pDC, rc);
    } else if (!IsFlatBar(pBar)) {
        DrawRaisedEdge(pDC, rc);
    }
}

CSize CZPDefaultTheme::DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw)
{
    if (pBar == NULL)
        return CSize(0, 0);
    if (pBar->IsDialogBar())
        return DrawDialogBarHandle(pDC, pBar, bDraw);
    const BOOL bPaint = bDraw && pDC != NULL;
    const CRect rcClient = ClientRectOf(pBar);
    switch (pBar->GetPosition()) {
    case zpBarFloating:
        return CZPPaintManager::DrawBarGripper(pDC, pBar, bDraw);
    case zpBarTop:
    case zpBarBottom:
        if (bPaint)
            DrawRaisedEdge(pDC, CRect(3, 3, 3 + 3, rcClient.bottom - 3));
        return CSize(kGripperWidth, 0);
    case zpBarLeft:
    case zpBarRight:
        if (bPaint)
            DrawRaisedEdge(pDC, CRect(3, 3, rcClient.right - 3, 3 + 3));
        return CSize(0, kVerticalGripperHeight);
    default:
        return CSize(0, 0);
    }
}

CSize CZPDefaultTheme::DrawDialogBarHandle(CDC* pDC, CZPCommandBar* /*pBar*/, BOOL bDraw)
{
    const int nHeight = GetDialogHandleHeight();
    if (bDraw && pDC != NULL)
        DrawRaisedEdge(pDC, CRect(3, 3, 3 + 3, nHeight));
    return CSize(kGripperWidth, nHeight);
}

CSize CZPDefaultTheme::DrawBarSeparator(CDC* pDC, CZPCommandBar* pBar, CZPControl* pControl, BOOL bDraw)
{
    if (pBar == NULL)
        return CSize(0, 0);
    const BOOL bPopup = IsPopupBar(pBar);
    if (!bDraw)
        return bPopup ? CSize(kPopupSeparatorSize, kPopupSeparatorSize) : CSize(kBarSeparatorSize, kBarSeparatorSize);
    if (pDC == NULL || pControl == NULL)
        return CSize(0, 0);
    const CRect c = pControl->GetRect();
    const CRect r = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    CRect rcLine;
    if (bPopup)
        rcLine = bWrap ? CRect(c.left - 5, r.top + 3, c.left - 3, r.bottom - 3)
                       : CRect(c.left + 11, c.top - 5, c.right - 11, c.top - 3);
    else if (pBar->GetPosition() == zpBarLeft || pBar->GetPosition() == zpBarRight)
        rcLine =
            bWrap ? CRect(r.right + 2, r.top + 4, r.right + 4, r.bottom) : CRect(r.left, c.top - 4, r.right, c.top - 2);
    else
        rcLine =
            bWrap ? CRect(r.left + 4, r.top - 4, r.right, r.top - 2) : CRect(c.left - 4, r.top, c.left - 2, r.bottom);
    if (!rcLine.IsRectEmpty())
        DrawSunkenEdge(pDC, rcLine);
    return CSize(0, 0);
}

void CZPDefaultTheme::AdjustExcludeRect(CRect& rc, CZPControl* pControl, BOOL bVertical)
{
    if (pControl == NULL || pControl->GetParent() == NULL || pControl->GetType() == zpControlComboBox)
        return;
    if (IsPopupBar(pControl->GetParent()))
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CRect CZPDefaultTheme::GetBarBorders(CZPCommandBar* pBar)
{
    if (IsPopupBar(pBar))
        return CRect(kPopupBorder, kPopupBorder, kPopupBorder, kPopupBorder);
    return CZPPaintManager::GetBarBorders(pBar);
}

void CZPDefaultTheme::DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected)
{
    if (pDC == NULL)
        return;
    rc.bottom -= 1;
    if (!rc.IsRectEmpty())
        pDC->FillSolidRect(&rc, GetColor(bSelected ? zpColorActiveCaption : zpColorInactiveCaption));
}

void CZPDefaultTheme::DrawPopupSizeGrip(CDC* pDC, CRect rc, BOOL bGripperRight)
{
    if (pDC == NULL)
        return;
    const COLORREF clrLight = GetColor(zpColorWindow);
    const COLORREF clrDark = GetColor(zpColorShadowDerived);
    // Each dot: a 2 x 2 dark square with a light one a pixel down and right.
    auto dot = [&](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
        pDC->FillSolidRect(x, y, 2, 2, clrDark);
    };
    if (bGripperRight == kBottomGrip) {
        const int c = (rc.left + rc.right) / 2;
        for (int x = c - 8; x <= c + 4; x += 4)
            dot(x, rc.top + 3);
        return;
    }
    dot(rc.right - 4, rc.bottom - 4);
    dot(rc.right - 8, rc.bottom - 4);
    dot(rc.right - 4, rc.bottom - 8);
}

CSize CZPDefaultTheme::DrawBuiltInButton(CDC* pDC, int nKind, CZPControl* pControl, CZPCommandBar* pBar, BOOL bDraw,
                                         void* pData)
{
    if (bDraw && pDC != NULL && pControl != NULL &&
        (nKind == zpButtonHideFloating || nKind == zpButtonExpandFloating)) {
        const BOOL bHot = pControl->GetPressed() || pControl->GetSelected() ||
                          (nKind == zpButtonExpandFloating && pControl->IsPopuped());
        if (bHot) {
            const CRect rc = pControl->GetRect();
            pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
        }
    }
    return CZPPaintManager::DrawBuiltInButton(pDC, nKind, pControl, pBar, bDraw, pData);
}

// Controls -----------------------------------------------------------------------------------

CSize CZPDefaultTheme::GetPopupIconCellSize(CZPCommandBar* pBar)
{
    const CSize szIcon = pBar != NULL ? pBar->GetEffectiveIconSize() : CSize(0, 0);
    return CSize(std::max<int>(m_nTextHeight, szIcon.cx + kIconCellPadding),
                 std::max<int>(m_nTextHeight, szIcon.cy + kIconCellPadding));
}

CSize CZPDefaultTheme::DrawControlInPopup(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    if (!bDraw || pDC == NULL || pControl == NULL)
        return CZPPaintManager::DrawControlInPopup(pDC, pControl, bDraw);
    CZPCommandBar* pBar = pControl->GetParent();
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));

    const CRect rc = pControl->GetRect();
    const int nKind = pControl->GetType();
    const int nSelected = pControl->GetSelected();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bChecked = pControl->GetChecked();
    const CSize szIcon = pBar != NULL ? pBar->GetEffectiveIconSize() : CSize(0, 0);
    const CZPPopupBar* pPopupBar = pBar != NULL ? DYNAMIC_DOWNCAST(CZPPopupBar, pBar) : NULL;
    const BOOL bTwoColumns = pPopupBar != NULL && pPopupBar->IsDoubleGripper();
    const int nCell = std::max<int>(m_nTextHeight, szIcon.cx + kIconCellPadding);
    CRect rcCell(rc.left, rc.top, rc.left + nCell, rc.bottom);
    const CPoint ptCentre = rcCell.CenterPoint();
    const CRect rcCheck(ptCentre.x - kCheckSquare / 2, ptCentre.y - kCheckSquare / 2, ptCentre.x + kCheckSquare / 2,
                        ptCentre.y + kCheckSquare / 2);
    const BOOL bShowIcon = pControl->GetStyle() != zpButtonCaption;
    CRect rcText(rc.left, rc.top, rc.right, rc.bottom);

    // Rarely used items stand out in the light colour; the icon column is drawn over them again.
    if (pControl->GetHiddenByUsage()) {
        pDC->FillSolidRect(&rc, GetColor(zpColor3dLight));
        const int nColumn = GetPopupIconColumnWidth(pBar);
        if (rc.left < nColumn)
            FillPopupIconColumn(pDC, rc.left - 1, rc.top, nColumn + 1, rc.Height(), TRUE);
    }

    const COLORREF clrText = GetStateTextColor(nSelected, 0, bEnabled, 0, 0, zpBarTypePopup, zpBarPopup);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    if (m_bMenuHighlight && nSelected)
        DrawStateRectangle(pDC, rc, nSelected, 0, bEnabled, 0, 0, zpBarTypePopup, zpBarPopup);
    if (bChecked) {
        DrawStateRectangle(pDC, rcCell, nSelected, 0, bEnabled, bChecked, 0, zpBarTypePopup, zpBarPopup);
        rcText.left = rcCell.right + 1;
        // The check stays in the first column; the icon gets the second.
        if (bTwoColumns)
            rcCell.OffsetRect(nCell + 1, 0);
    }

    BOOL bIconDrawn = FALSE;
    CZPImageManagerIcon* pImage = bShowIcon && szIcon.cx > 0 ? pControl->GetImage(szIcon.cx) : NULL;
    if (pImage != NULL) {
        const CSize sz = GetStretchedIconSize(pImage, szIcon);
        const CPoint ptIcon = rcCell.CenterPoint();
        if (!m_bMenuHighlight)
            DrawStateRectangle(pDC, rcCell, nSelected, 0, bEnabled, bChecked && !bTwoColumns, 0, zpBarTypeNormal,
                               zpBarPopup);
        DrawImage(pDC, CPoint(ptIcon.x - sz.cx / 2, ptIcon.y - sz.cy / 2), sz, pImage, nSelected, 0, bEnabled,
                  bChecked && !bTwoColumns, 0, FALSE);
        rcText.left = rcCell.right + 1;
        bIconDrawn = TRUE;
    }
    if (bChecked && (!bIconDrawn || bTwoColumns)) {
        // The mark colours are indices: the glyphs look them up.
        const COLORREF clrMark = static_cast<COLORREF>(bEnabled ? m_nNormalTextColor : zpColorGrayText);
        if (nKind == zpControlRadioButton)
            DrawRadioMark(pDC, rcCheck, bEnabled, clrMark);
        else
            DrawCheckMark(pDC, rcCheck, bEnabled, clrMark);
    }

    if (ZpIsPopupKind(nKind)) {
        const int R = rc.right;
        const int m = rc.CenterPoint().y;
        COLORREF clrArrow = clrText;
        if (nKind == zpControlSplitButtonPopup) {
            if (pControl->IsPopuped() && nSelected && bEnabled) {
                DrawSunkenEdge(pDC, CRect(R - kSplitPopupPart, rc.top, R, rc.bottom));
                rcText.right -= kSplitPopupPart;
                clrArrow = GetColor(m_nNormalTextColor);
            } else {
                const int nLine = !bEnabled   ? static_cast<int>(clrText)
                                  : nSelected ? zpColorBtnShadow
                                              : m_nNormalTextColor;
                VerticalLine(pDC, R - kSplitPopupPart, rc.top + 1, rc.bottom - 1, nLine);
            }
        }
        if (!m_bMenuHighlight && nSelected)
            DrawStateRectangle(pDC, rcText, nSelected, 0, bEnabled, 0, 0, zpBarTypePopup, zpBarPopup);
        DrawTriangle(pDC, CPoint(R - 11, m - 3), CPoint(R - 8, m), CPoint(R - 11, m + 3), clrArrow);
    } else if (!m_bMenuHighlight && nSelected) {
        DrawStateRectangle(pDC, rcText, nSelected, 0, bEnabled, 0, 0, zpBarTypePopup, zpBarPopup);
    }
    pDC->SelectObject(pOldFont);
    const CSize sz = CZPPaintManager::DrawControlInPopup(pDC, pControl, bDraw);
    pDC->SetTextColor(clrOldText);
    return sz;
}

void CZPDefaultTheme::DrawSplitButtonFrame(CDC* pDC, CZPControl* pControl, CRect rc)
{
    if (pDC == NULL || pControl == NULL)
        return;
    CZPCommandBar* pBar = pControl->GetParent();
    const int nPosition = pBar != NULL ? pBar->GetPosition() : zpBarTop;
    CRect rcCommand = rc;
    CRect rcDropDown = rc;
    const BOOL bBelow = pControl->GetStyle() == zpButtonIconAndCaptionBelow;
    if (bBelow && GetTextOrientation(pControl) == kTextOrientationVertical) {
        rcDropDown.right = rc.left + GetSplitDropDownHeight();
        rcCommand.left = rcDropDown.right;
    } else if (bBelow) {
        rcDropDown.top = rc.bottom - GetSplitDropDownHeight();
        rcCommand.bottom = rcDropDown.top;
    } else {
        rcDropDown.left = rc.right - kSplitDropDownWidth;
        rcCommand.right = rcDropDown.left;
    }
    const int nSelected = pControl->GetSelected();
    const BOOL bPopped = pControl->IsPopuped();
    const BOOL bEnabled = pControl->GetEnabled();
    DrawStateRectangle(pDC, rcCommand, nSelected || bPopped, pControl->GetPressed(), bEnabled, pControl->GetChecked(),
                       bPopped, zpBarTypeNormal, nPosition);
    if ((nSelected || pControl->GetPressed() || bPopped) && bEnabled)
        DrawStateRectangle(pDC, rcDropDown, 1, 0, bEnabled, 0, bPopped, zpBarTypeNormal, nPosition);
    if (!bBelow)
        DrawDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, rc.CenterPoint().y), nSelected, bPopped, bEnabled, FALSE);
}

void CZPDefaultTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (pDC == NULL || rc.IsRectEmpty())
        return;
    if (bEnabled) {
        if (nSelected)
            DrawSunkenEdge(pDC, rc);
        rc.DeflateRect(1, 1);
        FillRectAndBorder(pDC, rc, -1, zpColorBtnFace);
        return;
    }
    rc.DeflateRect(1, 1);
    const int nFrame = (nSelected == 2 || nSelected == 3) ? zpColorBtnShadow : zpColorBtnHighlight;
    FillRectAndBorder(pDC, rc, -1, nFrame);
}

void CZPDefaultTheme::DrawComboBoxDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped)
{
    if (pDC == NULL)
        return;
    rc = CRect(rc.left + 1, rc.top + 2, rc.right - 2, rc.bottom - 2);
    if (rc.IsRectEmpty())
        return;
    if (bEnabled) {
        FillRectAndBorder(pDC, rc, zpColorBtnFace, zpColorBtnFace);
        const CRect rcColumn(rc.left - 1, rc.top, rc.left, rc.bottom);
        if (bPopped) {
            pDC->FillSolidRect(&rcColumn, GetColor(zpColorBtnFace));
            DrawSunkenEdge(pDC, rc);
            rc.OffsetRect(1, 1);
        } else if (nSelected) {
            pDC->FillSolidRect(&rcColumn, GetColor(zpColorBtnFace));
            DrawRaisedEdge(pDC, rc);
        } else {
            FillRectAndBorder(pDC, rc, -1, zpColorBtnHighlight);
        }
    }
    // The arrow shows in button text even when the combo is disabled.
    DrawComboArrow(pDC, rc, GetColor(zpColorBtnText));
}

// The spin buttons' triangles: five pixels wide, three rows high, centred in each button.
static void DrawSpinTriangle(CZPPaintManager* pPaintManager, CDC* pDC, CRect rc, BOOL bUp, COLORREF clr)
{
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    if (bUp)
        pPaintManager->DrawTriangle(pDC, CPoint(cx - 2, cy + 1), CPoint(cx + 2, cy + 1), CPoint(cx, cy - 1), clr);
    else
        pPaintManager->DrawTriangle(pDC, CPoint(cx - 2, cy - 1), CPoint(cx + 2, cy - 1), CPoint(cx, cy + 1), clr);
}

void CZPDefaultTheme::DrawEditSpinButtons(CDC* pDC, CZPControlEdit* pEdit)
{
    const CRect rcSpin = pEdit->GetSpinRect();
    if (pDC == NULL || rcSpin.IsRectEmpty())
        return;
    const int yMiddle = (rcSpin.top + rcSpin.bottom) / 2;
    const CRect rcUp(rcSpin.left + 1, rcSpin.top + 1, rcSpin.right - 1, yMiddle);
    const CRect rcDown(rcSpin.left + 1, yMiddle, rcSpin.right - 1, rcSpin.bottom - 1);
    const BOOL bEnabled = pEdit->GetEnabled();
    if (bEnabled && pEdit->GetSelected() == zpSelectionNone) {
        CRect rc = rcSpin;
        rc.DeflateRect(1, 1);
        FillRectAndBorder(pDC, rc, zpColorBtnFace, zpColorWindow);
    } else if (bEnabled) {
        pDC->FillSolidRect(&rcSpin, GetColor(zpColorBtnFace));
        const int nPressed = pEdit->GetPressed();
        Draw3dRectByIndex(pDC, rcUp, nPressed == ZP_SPIN_UP ? zpColorBtnShadow : zpColorWindow,
                          nPressed == ZP_SPIN_UP ? zpColorWindow : zpColorBtnShadow);
        Draw3dRectByIndex(pDC, rcDown, nPressed == ZP_SPIN_DOWN ? zpColorBtnShadow : zpColorWindow,
                          nPressed == ZP_SPIN_DOWN ? zpColorWindow : zpColorBtnShadow);
    }
    const COLORREF clr = GetColor(bEnabled ? zpColorBtnText : zpColorGrayText);
    DrawSpinTriangle(this, pDC, rcUp, TRUE, clr);
    DrawSpinTriangle(this, pDC, rcDown, FALSE, clr);
}

CSize CZPDefaultTheme::DrawEditControl(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    const CSize size = CZPPaintManager::DrawEditControl(pDC, pControl, bDraw);
    CZPControlEdit* pEdit = DYNAMIC_DOWNCAST(CZPControlEdit, pControl);
    if (!bDraw || pDC == NULL || pEdit == NULL)
        return size;
    CRect rc = pEdit->GetRect();
    rc.left += pEdit->GetLabelWidth();
    const BOOL bEnabled = pEdit->GetEnabled();
    if (bEnabled) {
        CRect rcFill = rc;
        rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, GetColor(zpColorWindow));
    }
    DrawEditFrame(pDC, rc, bEnabled, pEdit->GetSelected());
    pEdit->DrawEditIcon(pDC, rc.left + 3, rc.top + 1, rc.bottom - 1);
    if (pEdit->GetShowSpinButtons())
        DrawEditSpinButtons(pDC, pEdit);
    return CSize(0, 0);
}

CSize CZPDefaultTheme::DrawComboBoxControl(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    const CSize size = CZPPaintManager::DrawComboBoxControl(pDC, pControl, bDraw);
    CZPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CZPControlComboBox, pControl);
    if (!bDraw || pDC == NULL || pCombo == NULL)
        return size;
    CZPFontDC font(pDC, GetControlFont(pControl));
    CRect rc = pCombo->GetRect();
    rc.left += pCombo->GetLabelWidth();
    const CRect rcButton(rc.right - pCombo->GetDropDownButtonWidth(), rc.top, rc.right, rc.bottom);
    const BOOL bEnabled = pCombo->GetEnabled();
    if (bEnabled) {
        CRect rcFill = rc;
        rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, GetColor(zpColorWindow));
    }
    pCombo->DrawEditText(pDC, CRect(rc.left + 3, rc.top + 1, rcButton.left + 1, rc.bottom - 1));
    DrawComboBoxDropDownButton(pDC, rcButton, bEnabled, pCombo->GetSelected(), pCombo->IsPopuped());
    DrawEditFrame(pDC, rc, bEnabled, pCombo->GetSelected());
    return CSize(0, 0);
}

CSize CZPDefaultTheme::DrawCustomizeListItem(CDC* pDC, CZPControl* pControl, CRect rcItem, UINT nItemState)
{
    // A row of the customize dialog's command list: icon column, then the caption. Measuring
    // (no DC or an empty rectangle) gives the row height.
    const int kMinRowHeight = 22;
    const int kIconColumn = 22;
    const CSize kIconSize(16, 16);
    const int cyRow = GetTextHeight() > kMinRowHeight ? GetTextHeight() : kMinRowHeight;
    if (pDC == NULL || rcItem.IsRectEmpty())
        return CSize(0, cyRow);
    pDC->FillSolidRect(&rcItem, GetColor(zpColorWindow));
    if (pControl == NULL)
        return CSize(rcItem.Width(), cyRow);
    const BOOL bSelected = (nItemState & ODS_SELECTED) != 0;
    if (bSelected)
        pDC->FillSolidRect(&rcItem, GetColor(zpColorSysHighlight));
    if (CZPImageManagerIcon* pImage = pControl->GetImage(kIconSize.cx)) {
        const CPoint pt(rcItem.left + (kIconColumn - kIconSize.cx) / 2,
                        rcItem.top + (rcItem.Height() - kIconSize.cy) / 2);
        pImage->Draw(pDC, pt.x, pt.y, pImage->GetNormalStateImage(), kIconSize.cx, kIconSize.cy);
    }
    CZPFontDC font(pDC, GetRegularFont());
    font.SetColor(GetColor(bSelected ? zpColorSysHighlightText : zpColorBtnText));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rcItem.left + kIconColumn + 4, rcItem.top, rcItem.right - 2, rcItem.bottom);
    pDC->DrawText(pControl->GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SetBkMode(nOldMode);
    return CSize(rcItem.Width(), cyRow);
}

// Icons --------------------------------------------------------------------------------------

void CZPDefaultTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CZPImageManagerIcon* pImage, BOOL bSelected,
                                BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped, BOOL /*bToolBarImage*/)
{
    if (pDC == NULL || pImage == NULL || sz.cx <= 0)
        return;
    const BOOL bAlpha = pImage->HasAlphaNormalImage();
    auto drawDisabled = [&]() {
        if (m_bColorizeDisabledIcons && !pImage->HasDisabledImage())
            pImage->CreateDisabledImage(m_grcFace.m_clrStart, m_grcFace.m_clrEnd);
        pImage->Draw(pDC, pt.x, pt.y, pImage->GetDisabledStateImage(), sz.cx, sz.cy);
    };
    if (!bEnabled) {
        if (!m_bUseDisabledIcons && !bAlpha) {
            pImage->DrawDisabledEmbossed(pDC, pt.x + 1, pt.y + 1, pImage->GetNormalStateImage(), sz.cx, sz.cy,
                                         GetColor(zpColorBtnHighlight));
            pImage->DrawDisabledEmbossed(pDC, pt.x, pt.y, pImage->GetNormalStateImage(), sz.cx, sz.cy,
                                         GetColor(zpColorBtnShadow));
        } else {
            drawDisabled();
        }
        return;
    }
    if (bChecked == 2 && !bPressed) {
        if (!bAlpha)
            pImage->DrawDisabledEmbossed(pDC, pt.x, pt.y, pImage->GetCheckedStateImage(), sz.cx, sz.cy,
                                         GetColor(zpColorBtnShadow));
        else
            drawDisabled();
        return;
    }
    if (bPopped) {
        pImage->Draw(pDC, pt.x, pt.y, bChecked ? pImage->GetCheckedStateImage() : pImage->GetNormalStateImage(), sz.cx,
                     sz.cy);
        return;
    }
    if (bChecked) {
        pImage->Draw(pDC, pt.x, pt.y, pImage->GetCheckedStateImage(), sz.cx, sz.cy);
        return;
    }
    if ((bSelected && !bPressed) || (!bSelected && bPressed == 1)) {
        CZPImageManagerStateImage* pShadow = m_bIconsWithShadow ? pImage->GetShadowStateImage() : NULL;
        if (pShadow != NULL && !pShadow->IsEmpty()) {
            pImage->Draw(pDC, pt.x + 1, pt.y + 1, pShadow, sz.cx, sz.cy);
            pImage->Draw(pDC, pt.x - 1, pt.y - 1, pImage->GetHotStateImage(), sz.cx, sz.cy);
        } else {
            pImage->Draw(pDC, pt.x, pt.y, pImage->GetHotStateImage(), sz.cx, sz.cy);
        }
        return;
    }
    if (bSelected || bPressed) {
        pImage->Draw(pDC, pt.x + 1, pt.y + 1, pImage->GetPressedStateImage(), sz.cx, sz.cy);
        return;
    }
    pImage->Draw(pDC, pt.x, pt.y, m_bUseFadedIcons ? pImage->GetFadedStateImage() : pImage->GetNormalStateImage(),
                 sz.cx, sz.cy);
}
