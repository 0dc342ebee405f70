// The base paint manager's caption layout and the controls of toolbars, menu bars and popups: one
// routine measures a control (draw flag off) and draws it into its rectangle (flag on).
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPImageManager.h"

#include <algorithm>

namespace {

const int kTextOrientationVertical = 1;
const int kDropDownSpace = 10;       // caption growth for the drop-down glyph
const int kTightDropDownSpace = 8;   // the same with tight captions
const int kDropDownGlyphOffset = 5;  // the glyph's place after the caption text
const int kLineTwoGlyphSpace = 9;    // a large button's second line with its glyph
const int kLineTwoDropDownWidth = 8;
const int kTwoLineCaptionHeight = 24;
const int kCaptionMargin = 6;      // caption height + this is the least control height
const int kCenteredPadding = 8;    // a centred caption without image
const int kBesideIconPadding = 3;  // after a caption beside an icon (4 with tight captions)
const int kNoImageIconArea = 22;   // the icon area of a control without image
const int kImageInset = 3;
const int kTextBelowImageTop = 4;
const int kTextBelowWidthPadding = 10;
const int kTextBelowSplitExtra = 11;
const int kPopupGlyphInset = 7;  // the glyph of a popup with a hidden caption, from the right
const int kPopupMargin = 6;      // a popup without image: caption + this in each direction
const int kMarkGap = 5;          // check and radio marks on bars: mark, gap, caption
const int kLargeMinWidth = 42;
const int kLargeRowFactor = 3;
const int kLargeHeightPadding = 7;
const int kLargeCaptionWidthPadding = 5;
const int kLargeCaptionHeightPadding = 6;
const int kShortcutGap = 19;    // a popup item's shortcut and the arrow column
const int kShortcutIndent = 8;  // the shortcut rectangle from the icon column
const int kPopupWidthPadding = 32;
const int kDescriptionRightInset = 10;
const int kDescriptionCaptionPadding = 10;
const int kDescriptionHeightPadding = 19;
const int kDescriptionOverlap = 2;
const int kDescriptionHalfPadding = 20;
const int kSplitPopupDisabled = 5;  // a split popup's enabled value drawn as disabled

// The bar's keyboard cues, unless the paint manager forces them (override 0 or 1).
BOOL AreCuesShown(const CZPPaintManager* pPaintManager, const CZPCommandBar* pBar)
{
    if (pPaintManager->m_nKeyboardCueOverride >= 0)
        return pPaintManager->m_nKeyboardCueOverride != 0;
    return pBar != NULL ? pBar->IsKeyboardCuesVisible() : TRUE;
}

CString WithoutAmpersands(const CString& strCaption)
{
    CString strClean = strCaption;
    CZPPaintManager::RemoveAmpersands(strClean);
    return strClean;
}

// A measuring DC over the screen for callers that pass none; drawing still needs their DC.
class CMeasureDC
{
public:
    CMeasureDC(CDC*& pDC, BOOL bDraw) : m_bUsable(pDC != NULL)
    {
        if (pDC == NULL && !bDraw && m_dc.CreateCompatibleDC(NULL)) {
            pDC = &m_dc;
            m_bUsable = TRUE;
        }
    }
    BOOL IsUsable() const { return m_bUsable; }

private:
    CDC m_dc;  // owned when made here
    BOOL m_bUsable;
};

}  // namespace

// Caption text ---------------------------------------------------------------------------------

void CZPPaintManager::DrawCaptionText(CDC* pDC, CZPControl* pControl, const CString& strCaption,
                                      const CString& strClean, CRect rc, BOOL bVertical, BOOL bCentered)
{
    const BOOL bEmbossed = !pControl->GetEnabled() && m_bEmbossedDisabledText;
    const BOOL bCues = AreCuesShown(this, pControl->GetParent());
    // No ribbon draws its caption on glass in this system.
    const BOOL bGlass = FALSE;

    UINT nFormat = DT_SINGLELINE | (bCentered ? DT_CENTER : 0);
    // Vertical fonts run downwards from the rectangle's left edge: a vertically centred line
    // would leave it, so vertical captions are placed by their rectangle alone.
    nFormat |= bVertical ? DT_NOCLIP | DT_NOPREFIX : DT_VCENTER;
    if (bEmbossed) {
        const COLORREF clrText = pDC->SetTextColor(GetColor(zpColorBtnHighlight));
        ZpDrawGlassText(pDC, strClean, rc + CPoint(1, 1), nFormat | DT_NOPREFIX, bGlass);
        pDC->SetTextColor(clrText);
    }
    if (bCues && !bVertical)
        ZpDrawGlassText(pDC, strCaption, rc, nFormat, bGlass);
    else
        ZpDrawGlassText(pDC, strClean, rc, nFormat | DT_NOPREFIX, bGlass);
}

CSize CZPPaintManager::DrawCaption(CDC* pDC, CZPControl* pControl, CRect rc, BOOL bDraw, BOOL bVertical, BOOL bCentered,
                                   BOOL bDropDown)
{
    const CString strCaption = pControl->GetCaption();
    const CString strClean = WithoutAmpersands(strCaption);
    const CSize szText = pDC->GetTextExtent(strClean.IsEmpty() ? CString(L" ") : strClean);
    CSize sz = szText;
    if (bDropDown)
        sz.cx += m_bTightCaptions ? kTightDropDownSpace : kDropDownSpace;
    if (bVertical)
        sz = CSize(sz.cy, sz.cx);
    if (!bDraw)
        return sz;

    const int cxText = strClean.IsEmpty() ? 0 : szText.cx;
    const int w = cxText + (bDropDown ? kDropDownGlyphOffset : 0);
    const int nSelected = pControl->GetSelected();
    const BOOL bPopped = pControl->IsPopuped();
    const BOOL bEnabled = pControl->GetEnabled();
    if (!bVertical) {
        if (bCentered)
            rc.left += (rc.right - rc.left - w) / 2;
        // Centred by moving the left edge: the text itself is drawn from there.
        DrawCaptionText(pDC, pControl, strCaption, strClean, rc, FALSE, FALSE);
        if (bDropDown)
            DrawDropDownGlyph(pDC, pControl, CPoint(rc.left + w, (rc.top + rc.bottom) / 2), nSelected, bPopped,
                              bEnabled, FALSE);
        return sz;
    }
    const int x = rc.right - (rc.right - szText.cy - rc.left + 1) / 2;
    if (bCentered)
        rc.top += (rc.bottom - rc.top - w + 1) / 2;
    DrawCaptionText(pDC, pControl, strCaption, strClean, CRect(x, rc.top, rc.right, rc.bottom), TRUE, FALSE);
    if (bDropDown)
        DrawDropDownGlyph(pDC, pControl, CPoint((rc.left + rc.right) / 2, rc.top + w - 1), nSelected, bPopped, bEnabled,
                          TRUE);
    return sz;
}

CSize CZPPaintManager::DrawCaptionBesideIcon(CDC* pDC, CZPControl* pControl, CRect rc, BOOL bDraw, BOOL bDropDown,
                                             int nIconWidth, int nIconHeight, BOOL bHasImage)
{
    const BOOL bVertical = GetTextOrientation(pControl) == kTextOrientationVertical;
    const CSize szCaption = DrawCaption(pDC, pControl, rc, FALSE, bVertical, !bHasImage, bDropDown);
    if (bDraw) {
        CRect rcCaption = rc;
        if (bHasImage && !bVertical)
            rcCaption.left += m_bTightCaptions ? nIconWidth : nIconWidth - 1;
        else if (bHasImage)
            rcCaption.top += nIconHeight;
        DrawCaption(pDC, pControl, rcCaption, TRUE, bVertical, !bHasImage, bDropDown);
    }
    if (bVertical)
        return CSize(std::max<int>(nIconWidth, szCaption.cx + kCaptionMargin),
                     szCaption.cy + (bHasImage ? nIconHeight + kBesideIconPadding : kCenteredPadding));
    const int cy = std::max<int>(nIconHeight, szCaption.cy + kCaptionMargin);
    if (!bHasImage)
        return CSize(szCaption.cx + kCenteredPadding, cy);
    return CSize(szCaption.cx + nIconWidth + kBesideIconPadding + (m_bTightCaptions ? 1 : 0), cy);
}

CSize CZPPaintManager::DrawTwoLineCaption(CDC* pDC, CZPControl* pControl, CRect rc, BOOL bDraw, BOOL bVertical,
                                          BOOL bDropDown)
{
    const CString strCaption = pControl->GetCaption();
    CString strLine1 = strCaption, strLine2;
    if (m_bSplitTwoLineCaptions)
        SplitCaption(strCaption, strLine1, strLine2);
    const CString strClean1 = WithoutAmpersands(strLine1);
    const CString strClean2 = WithoutAmpersands(strLine2);
    const CSize szLine1 = pDC->GetTextExtent(strCaption.IsEmpty() ? CString(L" ") : strClean1);
    const int w2 = strClean2.IsEmpty() ? 0 : pDC->GetTextExtent(strClean2).cx;
    const int w = std::max<int>(szLine1.cx, w2 + (bDropDown ? kLineTwoDropDownWidth : 0));
    const CSize sz = bVertical ? CSize(kTwoLineCaptionHeight, w) : CSize(w, kTwoLineCaptionHeight);
    if (!bDraw)
        return sz;

    const int g = bDropDown ? kLineTwoGlyphSpace : 0;
    const int nSelected = pControl->GetSelected();
    const BOOL bPopped = pControl->IsPopuped();
    const BOOL bEnabled = pControl->GetEnabled();
    if (!bVertical) {
        const int nMid = (rc.top + rc.bottom) / 2;
        DrawCaptionText(pDC, pControl, strLine1, strClean1, CRect(rc.left, rc.top, rc.right, nMid + 1), FALSE, TRUE);
        const int x2 = rc.left + (rc.right - rc.left - w2 - g) / 2;
        DrawCaptionText(pDC, pControl, strLine2, strClean2, CRect(x2, nMid, rc.right, rc.bottom), FALSE, FALSE);
        if (bDropDown) {
            const CPoint pt = strLine2.IsEmpty() ? CPoint((rc.left + rc.right) / 2 - 1, (nMid + rc.bottom) / 2)
                                                 : CPoint(x2 + w2 + kDropDownGlyphOffset, (nMid + rc.bottom) / 2);
            DrawDropDownGlyph(pDC, pControl, pt, nSelected, bPopped, bEnabled, FALSE);
        }
        return sz;
    }
    // Vertical text: line 1 is the right column, line 2 the left one, each centred in its half;
    // a vertical font runs downwards from its rectangle's left edge with its glyphs to the left.
    const int nMid = (rc.left + rc.right) / 2;
    const int th = szLine1.cy;
    const int x1 = (nMid + rc.right) / 2 + th / 2;
    const int y1 = rc.top + (rc.bottom - rc.top - szLine1.cx) / 2;
    DrawCaptionText(pDC, pControl, strLine1, strClean1, CRect(x1, y1, rc.right, rc.bottom), TRUE, FALSE);
    const int x2 = (rc.left + nMid) / 2 + th / 2;
    const int y2 = rc.top + (rc.bottom - rc.top - w2 - g) / 2;
    DrawCaptionText(pDC, pControl, strLine2, strClean2, CRect(x2, y2, nMid, rc.bottom), TRUE, FALSE);
    if (bDropDown) {
        const CPoint pt = strLine2.IsEmpty() ? CPoint((rc.left + nMid) / 2, (rc.top + rc.bottom) / 2 - 1)
                                             : CPoint((rc.left + nMid) / 2 - th / 2, y2 + w2 + kDropDownGlyphOffset);
        DrawDropDownGlyph(pDC, pControl, pt, nSelected, bPopped, bEnabled, TRUE);
    }
    return sz;
}

// Toolbars and menu bars --------------------------------------------------------------------------

CSize CZPPaintManager::DrawControlOnToolBar(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    CMeasureDC measure(pDC, bDraw);
    if (pControl == NULL || !measure.IsUsable())
        return CSize(0, 0);
    const CZPCommandBar* pBar = pControl->GetParent();
    const BOOL bVertical = GetTextOrientation(pControl) == kTextOrientationVertical;
    CZPFontDC font(pDC, GetControlFont(pControl));

    const int nKind = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const CRect rc = pControl->GetRect();
    const BOOL bCaption = pControl->IsCaptionVisible();
    const int nSelected = pControl->GetSelected();
    const BOOL bPressed = pControl->GetPressed();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bChecked = pControl->GetChecked();
    const BOOL bPopped = pControl->IsPopuped();
    CSize bs = pControl->GetButtonSize();
    const CSize szIcon = GetControlIconSize(pControl);

    CZPImageManagerIcon* pImage = NULL;
    const BOOL bImageStyle = (nStyle == zpButtonAutomatic && nKind != zpControlPopup) || nStyle == zpButtonIcon ||
                             nStyle == zpButtonIconAndCaption || nStyle == zpButtonIconAndCaptionBelow;
    if (bImageStyle && szIcon.cx > 0)
        pImage = pControl->GetImage(szIcon.cx);
    const CSize szImage = GetStretchedIconSize(pImage, szIcon);
    auto drawImage = [&](CPoint pt) {
        if (bDraw && pImage != NULL)
            DrawImage(pDC, pt, szImage, pImage, nSelected, bPressed, bEnabled, bChecked, bPopped, TRUE);
    };

    // Check boxes and radio buttons: the mark, then the caption beside it.
    if (nKind == zpControlCheckBox || nKind == zpControlRadioButton) {
        const BOOL bCheckBox = nKind == zpControlCheckBox;
        const CSize m = bCheckBox ? DrawCheckBoxMark(pDC, CRect(0, 0, 0, 0), FALSE, 0, FALSE, 0, TRUE)
                                  : DrawRadioButtonMark(pDC, CRect(0, 0, 0, 0), FALSE, 0, FALSE, 0, TRUE);
        if (bDraw) {
            font.SetColor(GetControlTextColor(pControl));
            CRect rcMark, rcRest = rc;
            if (!bVertical) {
                rcMark = CRect(CPoint(rc.left + kImageInset, rc.top + (rc.Height() - m.cy) / 2), m);
                rcRest.left = rc.left + m.cx + kMarkGap;
            } else {
                rcMark = CRect(CPoint(rc.left + (rc.Width() - m.cx) / 2, rc.top + kImageInset), m);
                rcRest.top = rc.top + m.cy + kMarkGap;
            }
            if (bCheckBox)
                DrawCheckBoxMark(pDC, rcMark, TRUE, nSelected, bPressed, bChecked, bEnabled);
            else
                DrawRadioButtonMark(pDC, rcMark, TRUE, nSelected, bPressed, bChecked, bEnabled);
            DrawCaptionBesideIcon(pDC, pControl, rcRest, TRUE, FALSE, bs.cx, bs.cy, FALSE);
            if (ZpIsKeyboardSelection(nSelected)) {
                const COLORREF clrText = pDC->SetTextColor(GetColor(zpColorBtnText));
                const COLORREF clrBk = pDC->SetBkColor(GetColor(zpColorBtnFace));
                pDC->DrawFocusRect(&rcRest);
                pDC->SetBkColor(clrBk);
                pDC->SetTextColor(clrText);
            }
        }
        CSize sz = DrawCaptionBesideIcon(pDC, pControl, rc, FALSE, FALSE, bs.cx, bs.cy, FALSE);
        if (bVertical)
            sz.cy += m.cy + kMarkGap;
        else
            sz.cx += m.cx + kMarkGap;
        return GetControlSize(pControl, sz, bVertical);
    }

    if (bDraw) {
        if (nKind == zpControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pControl, rc);
        else if (!pControl->HasCustomBackground())
            DrawControlBackground(pDC, pControl);
        font.SetColor(GetControlTextColor(pControl));
    }

    // Icon above a two-line caption.
    if (nStyle == zpButtonIconAndCaptionBelow) {
        const BOOL bDropDown = pControl->GetCommandBar() != NULL;
        const int h = GetControlHeight();
        const int d = GetSplitDropDownHeight();
        CSize szButton(std::max(2 * h - 3, kLargeMinWidth), m_nFixedRowHeight > 0
                                                                ? kLargeRowFactor * m_nFixedRowHeight
                                                                : szIcon.cy + d + kLargeHeightPadding);
        if (bVertical)
            szButton = CSize(szButton.cy, szButton.cx);
        if (bDraw) {
            if (!bVertical) {
                drawImage(CPoint(rc.CenterPoint().x - szImage.cx / 2, rc.top + kImageInset));
                DrawTwoLineCaption(pDC, pControl, CRect(rc.left, rc.bottom - d, rc.right, rc.bottom - 1), TRUE, FALSE,
                                   bDropDown);
            } else {
                drawImage(CPoint(rc.left + d + 4, rc.CenterPoint().y - szImage.cy / 2));
                DrawTwoLineCaption(pDC, pControl, CRect(rc.left, rc.top, rc.left + d, rc.bottom), TRUE, TRUE,
                                   bDropDown);
            }
        }
        const CSize szCaption = DrawTwoLineCaption(pDC, pControl, rc, FALSE, bVertical, bDropDown);
        const CSize sz = bVertical
                             ? CSize(szButton.cx, std::max<int>(szButton.cy, szCaption.cy + kLargeCaptionHeightPadding))
                             : CSize(std::max<int>(szButton.cx, szCaption.cx + kLargeCaptionWidthPadding), szButton.cy);
        return GetControlSize(pControl, sz, bVertical);
    }

    // The caption below the icon, for bars that show text below icons.
    if (pImage != NULL && pBar != NULL && pBar->IsTextBelowIcons()) {
        CZPFontDC fontBelow(pDC, pControl->IsDefaultItem() ? GetRegularBoldFont() : GetRegularFont());
        const BOOL bDropDown = nKind == zpControlPopup;
        const BOOL bSplit = nKind == zpControlSplitButtonPopup;
        if (bDraw) {
            CRect rcButton = rc;
            if (bSplit)
                rcButton.right -= m_nSplitButtonDropDownWidth;
            drawImage(CPoint(rcButton.CenterPoint().x - szImage.cx / 2, rcButton.top + kTextBelowImageTop));
            DrawCaption(pDC, pControl, CRect(rcButton.left, rcButton.top + bs.cy - 4, rcButton.right, rcButton.bottom),
                        TRUE, FALSE, TRUE, bDropDown);
        }
        const CSize szCaption = DrawCaption(pDC, pControl, rc, FALSE, FALSE, TRUE, bDropDown);
        const int cy = bs.cy + szCaption.cy;
        int cx = std::max<int>(bs.cx, szCaption.cx + kTextBelowWidthPadding) + (bSplit ? kTextBelowSplitExtra : 0);
        cx = std::max(cx, cy);
        return GetControlSize(pControl, CSize(cx, cy), bVertical);
    }

    if (pImage != NULL) {
        CPoint pt = bVertical ? CPoint(rc.CenterPoint().x - szImage.cx / 2, rc.top + kImageInset)
                              : CPoint(rc.left + kImageInset, rc.CenterPoint().y - szImage.cy / 2);
        if (!bCaption && (nKind == zpControlSplitButtonPopup || nKind == zpControlPopup))
            pt.x = rc.left + kImageInset;
        else if (!bCaption && (nKind == zpControlButton || nKind == zpControlButtonPopup)) {
            if (bVertical)
                pt.y = rc.CenterPoint().y - szImage.cy / 2;
            else
                pt.x = rc.CenterPoint().x - szImage.cx / 2;
        }
        drawImage(pt);
    }

    CSize sz(0, 0);
    switch (nKind) {
    case zpControlButton:
    case zpControlButtonPopup:
    case zpControlLabel:
    case zpControlGallery:
        sz = !bCaption ? bs
                       : DrawCaptionBesideIcon(pDC, pControl, rc, bDraw, FALSE,
                                               pImage != NULL ? bs.cx : kNoImageIconArea, bs.cy, pImage != NULL);
        break;
    case zpControlPopup: {
        const BOOL bMenuBar = pBar != NULL && pBar->GetType() == zpBarTypeMenuBar;
        if (pImage == NULL) {
            // Measured with the glyph's room on menu bars too; drawn there without it.
            sz = DrawCaption(pDC, pControl, rc, FALSE, bVertical, TRUE, TRUE) + CSize(kPopupMargin, kPopupMargin);
            if (bDraw)
                DrawCaption(pDC, pControl, rc, TRUE, bVertical, TRUE, !bMenuBar);
        } else if (!bCaption) {
            if (bDraw)
                DrawDropDownGlyph(pDC, pControl, CPoint(rc.right - kPopupGlyphInset, rc.CenterPoint().y), nSelected,
                                  bPopped, bEnabled, FALSE);
            sz = CSize(bs.cy + kPopupGlyphInset, bs.cy);
        } else {
            sz = DrawCaptionBesideIcon(pDC, pControl, rc, bDraw, !bMenuBar, bs.cx, bs.cy, TRUE);
        }
        break;
    }
    case zpControlSplitButtonPopup: {
        if (pImage == NULL)
            bs = CSize(kNoImageIconArea, kNoImageIconArea);
        if (!bCaption) {
            sz = CSize(bs.cx + m_nSplitButtonDropDownWidth, bs.cy);
        } else {
            CRect rcCommand = rc;
            rcCommand.right -= m_nSplitButtonDropDownWidth;
            sz = DrawCaptionBesideIcon(pDC, pControl, rcCommand, bDraw, FALSE, bs.cx, bs.cy, pImage != NULL);
            sz.cx += m_nSplitButtonDropDownWidth;
        }
        break;
    }
    default:
        break;
    }
    return GetControlSize(pControl, sz, bVertical);
}

// Popup items ----------------------------------------------------------------------------------

CSize CZPPaintManager::DrawControlInPopup(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    CMeasureDC measure(pDC, bDraw);
    CZPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar == NULL || !measure.IsUsable())
        return CSize(0, 0);
    CZPFontDC font(pDC, GetControlFont(pControl));

    const int nKind = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const CRect rc = pControl->GetRect();
    const int nSelected = pControl->GetSelected();
    // A split popup whose enabled value is 5 draws as disabled.
    const int nEnabledValue = pControl->GetEnabled();
    const BOOL bEnabled =
        nEnabledValue != 0 && !(nKind == zpControlSplitButtonPopup && nEnabledValue == kSplitPopupDisabled);

    CSize cell = GetPopupIconCellSize(pBar);
    int col = GetPopupIconColumnWidth(pBar) - 1;
    const BOOL bImageAllowed = nStyle != zpButtonCaption;
    if (nKind == zpControlLabel) {
        const CSize szIcon = pControl->GetIconSize();
        const BOOL bHasImage = bImageAllowed && szIcon.cx > 0 && pControl->GetImage(szIcon.cx) != NULL;
        if (!m_bLabelsKeepIconColumn && !bHasImage)
            col = 0;
        if (!bImageAllowed)
            cell.cy = m_nTextHeight;
    }
    CRect rcText(rc.left + m_nPopupTextGap + col, rc.top, rc.right, rc.bottom);
    const CRect rcShortcut(rc.left + col + kShortcutIndent, rc.top, rc.right - kShortcutGap, rc.bottom);

    const CString strShortcut = nKind == zpControlButton ? pControl->GetShortcutText() : CString();
    int cxShortcut = 0;
    if (!strShortcut.IsEmpty()) {
        CRect rcCalc(0, 0, 0, 0);
        DrawControlText(pDC, strShortcut, rcCalc, 0, FALSE, nSelected, bEnabled);
        cxShortcut = rcCalc.Width();
        rcText.right -= cxShortcut + kShortcutGap;
    }

    const BOOL bCues = AreCuesShown(this, pBar);
    CString strCaption = pControl->GetCaption();
    if (!bCues)
        RemoveAmpersands(strCaption);
    const UINT nFormat = DT_END_ELLIPSIS | (bCues ? 0 : DT_NOPREFIX);

    const CString strDescription = pControl->GetDescription();
    if (nStyle == zpButtonCaptionAndDescription && !strDescription.IsEmpty()) {
        // The description's one-line width in the control font; caption and shortcut in bold.
        const CSize szDescription = pDC->GetTextExtent(strDescription);
        CZPFontDC fontBold(pDC, GetRegularBoldFont());
        const int cySpace = pDC->GetTextExtent(L" ", 1).cy;
        CRect rcCaption(0, 0, 0, 0);
        const int cyCaption = DrawControlText(pDC, strCaption, rcCaption, nFormat, FALSE, nSelected, bEnabled);
        CRect rcShortcutCalc(0, 0, 0, 0);
        if (!strShortcut.IsEmpty())
            DrawControlText(pDC, strShortcut, rcShortcutCalc, 0, FALSE, nSelected, bEnabled);
        const int cxBoldShortcut = rcShortcutCalc.Width();
        if (bDraw) {
            CRect rcDrawCaption(rcText.left, rc.top, rcText.right, rc.top + cySpace + kDescriptionCaptionPadding);
            DrawControlText(pDC, strCaption, rcDrawCaption, nFormat, TRUE, nSelected, bEnabled);
            if (!strShortcut.IsEmpty()) {
                CRect rcDrawShortcut(rcShortcut.left, rc.top, rcShortcut.right, rcDrawCaption.bottom);
                DrawControlText(pDC, strShortcut, rcDrawShortcut, nFormat | DT_RIGHT, TRUE, nSelected, bEnabled);
            }
            fontBold.RestoreFont();
            CRect rcDescription(rcText.left, rcDrawCaption.bottom - kDescriptionOverlap,
                                rc.right - kDescriptionRightInset, rc.bottom);
            pDC->DrawText(strDescription, &rcDescription, DT_WORDBREAK | DT_NOPREFIX);
        } else {
            fontBold.RestoreFont();
        }
        CRect rcTwoLines(0, 0, (szDescription.cx + kDescriptionHalfPadding) / 2, 0);
        pDC->DrawText(L"1\n2", &rcTwoLines, DT_CALCRECT | DT_WORDBREAK);
        const int cy = std::max<int>(cell.cy, rcTwoLines.Height() + cyCaption + kDescriptionHeightPadding);
        const int cx = std::max<int>(col + m_nPopupTextGap + rcCaption.Width() + cxBoldShortcut + kPopupWidthPadding,
                                     szDescription.cx / 2 + m_nPopupTextGap + col + kPopupWidthPadding);
        return GetControlSize(pControl, CSize(cx, cy), FALSE);
    }

    CRect rcCaption = bDraw ? rcText : CRect(0, 0, 0, 0);
    DrawControlText(pDC, strCaption, rcCaption, nFormat, bDraw, nSelected, bEnabled);
    const int cxCaption = bDraw ? 0 : rcCaption.Width();
    if (bDraw && !strShortcut.IsEmpty()) {
        CRect rcDrawShortcut = rcShortcut;
        DrawControlText(pDC, strShortcut, rcDrawShortcut, nFormat | DT_RIGHT, TRUE, nSelected, bEnabled);
    }
    return GetControlSize(pControl, CSize(col + m_nPopupTextGap + cxCaption + cxShortcut + kPopupWidthPadding, cell.cy),
                          FALSE);
}
