// The base paint manager's control rules that the bars and controls built so far can answer:
// dispatch by kind, sizes, fonts, colours, the state background, the split command part, the
// popup icon column and the built-in buttons of bars.
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPPopupBar.h"
#include "common/ZPDeviceContext.h"

#include <algorithm>

namespace {

const int kTextOrientationAutomatic = 0;
const int kTextOrientationVertical = 1;
const int kTextOrientationHorizontal = 2;
const int kSplitPopupDisabled = 5;       // a split popup's enabled value drawn as disabled
const int kLargeSplitPopupDisabled = 4;  // the same for the icon-above-caption style
const int kPopupCellPadding = 4;
const int kPopupCellIconPaddingY = 6;
const int kExpandButtonSide = 13;  // the expand button's strip at the bar's end
const int kExpandButtonInset = 2;
const int kExpandPopupHeight = 12;
const int kHideGlyphPointSize = 80;  // tenths of a point at 96 dpi
const int kScreenDpi = 96;

// Selected, pressed, enabled, checked and popped as the state rules read them.
struct ControlState
{
    int nSelected;
    BOOL bPressed, bEnabled, bChecked, bPopped;
    int nBarType, nBarPosition;
};

ControlState StateOf(CZPControl* pControl)
{
    const CZPCommandBar* pBar = pControl->GetParent();
    ControlState state = { pControl->GetSelected(),
                           pControl->GetPressed(),
                           pControl->GetEnabled(),
                           pControl->GetChecked(),
                           pControl->IsPopuped(),
                           zpBarTypeNormal,
                           zpBarTop };
    if (pBar != NULL) {
        state.nBarType = pBar->GetType();
        state.nBarPosition = pBar->GetPosition();
    }
    return state;
}

BOOL IsVerticalBar(const CZPCommandBar* pBar)
{
    return pBar != NULL && ZpIsVerticalBarPosition(pBar->GetPosition());
}

}  // namespace

CSize CZPPaintManager::DrawControl(CDC* pDC, CZPControl* pControl, BOOL bDraw)
{
    if (pControl == NULL)
        return CSize(0, 0);
    switch (pControl->GetType()) {
    case zpControlEdit:
        return DrawEditControl(pDC, pControl, bDraw);
    case zpControlComboBox:
        return DrawComboBoxControl(pDC, pControl, bDraw);
    default:
        break;
    }
    const CZPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == zpBarTypePopup)
        return DrawControlInPopup(pDC, pControl, bDraw);
    return DrawControlOnToolBar(pDC, pControl, bDraw);
}

CSize CZPPaintManager::GetControlSize(CZPControl* pControl, CSize sz, BOOL bVertical)
{
    const int cxFixed = pControl->GetWidth();
    const int cyFixed = pControl->GetHeight();
    if (bVertical)
        return CSize(cyFixed > 0 ? cyFixed : sz.cx, cxFixed > 0 ? cxFixed : sz.cy);
    return CSize(cxFixed > 0 ? cxFixed : sz.cx, cyFixed > 0 ? cyFixed : sz.cy);
}

int CZPPaintManager::GetTextOrientation(CZPControl* pControl)
{
    const CZPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar != NULL && pBar->GetTextOrientation() != kTextOrientationAutomatic)
        return pBar->GetTextOrientation();
    const int nPosition = pBar != NULL ? pBar->GetPosition() : zpBarTop;
    return nPosition == zpBarLeft || nPosition == zpBarRight ? kTextOrientationVertical : kTextOrientationHorizontal;
}

CFont* CZPPaintManager::GetControlFont(CZPControl* pControl)
{
    const BOOL bDefault = pControl != NULL && pControl->IsDefaultItem();
    if (GetTextOrientation(pControl) == kTextOrientationVertical)
        return bDefault ? &m_fontVertBold : &m_fontVert;
    return bDefault ? &m_fontBold : &m_fontRegular;
}

CFont* CZPPaintManager::GetBarFont(CZPCommandBar* pBar)
{
    const int nOrientation = pBar != NULL ? pBar->GetTextOrientation() : kTextOrientationAutomatic;
    const int nPosition = pBar != NULL ? pBar->GetPosition() : zpBarTop;
    const BOOL bVertical =
        nOrientation == kTextOrientationVertical ||
        (nOrientation == kTextOrientationAutomatic && (nPosition == zpBarLeft || nPosition == zpBarRight));
    return bVertical ? &m_fontVert : &m_fontRegular;
}

COLORREF CZPPaintManager::GetEditBackColor(CZPControl* pControl)
{
    return GetColor(pControl->GetEnabled() ? zpColorWindow : zpColorBtnFace);
}

COLORREF CZPPaintManager::GetControlTextColor(CZPControl* pControl)
{
    ControlState s = StateOf(pControl);
    const int nType = pControl->GetType();
    if (nType == zpControlSplitButtonPopup) {
        const int nEnabled = pControl->GetEnabled();
        const int nDisabledValue =
            pControl->GetStyle() == zpButtonIconAndCaptionBelow ? kLargeSplitPopupDisabled : kSplitPopupDisabled;
        s.bEnabled = nEnabled != 0 && nEnabled != nDisabledValue;
    }
    if ((nType == zpControlCheckBox || nType == zpControlRadioButton) && s.nBarType != zpBarTypePopup)
        return GetStateTextColor(0, FALSE, s.bEnabled, FALSE, FALSE, s.nBarType, s.nBarPosition);
    return GetStateTextColor(s.nSelected, s.bPressed, s.bEnabled, s.bChecked, s.bPopped, s.nBarType, s.nBarPosition);
}

void CZPPaintManager::DrawControlBackground(CDC* pDC, CZPControl* pControl)
{
    const ControlState s = StateOf(pControl);
    DrawStateRectangle(pDC, pControl->GetRect(), s.nSelected, s.bPressed, s.bEnabled, s.bChecked, s.bPopped, s.nBarType,
                       s.nBarPosition);
}

CRect CZPPaintManager::GetSplitCommandRect(CZPControl* pControl)
{
    CRect rc = pControl->GetRect();
    const CZPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetType() == zpBarTypePopup) {
        rc.right -= m_nSplitButtonPopupWidth;
    } else if (pControl->GetStyle() == zpButtonIconAndCaptionBelow) {
        if (GetTextOrientation(pControl) == kTextOrientationVertical)
            rc.left += GetSplitDropDownHeight();
        else
            rc.bottom -= GetSplitDropDownHeight();
    } else {
        rc.right -= m_nSplitButtonDropDownWidth + 1;
    }
    return rc;
}

CSize CZPPaintManager::GetPopupIconCellSize(CZPCommandBar* pBar)
{
    const CSize szIcon = pBar->GetEffectiveIconSize();
    return CSize(std::max<int>(szIcon.cx + kPopupCellPadding, m_nTextHeight + kPopupCellPadding),
                 std::max<int>(szIcon.cy + kPopupCellIconPaddingY, m_nTextHeight));
}

int CZPPaintManager::GetPopupIconColumnWidth(CZPCommandBar* pBar)
{
    if (pBar == NULL || pBar->GetType() != zpBarTypePopup)
        return 0;
    const CZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CZPPopupBar, pBar);
    const int nColumns = pPopupBar != NULL && pPopupBar->IsDoubleGripper() ? 2 : 1;
    return GetPopupIconCellSize(pBar).cx * nColumns + 1;
}

CSize CZPPaintManager::GetControlIconSize(CZPControl* pControl)
{
    CZPCommandBar* pBar = pControl->GetParent();
    if (pControl->GetStyle() == zpButtonIconAndCaptionBelow && pBar != NULL && pBar->GetType() != zpBarTypePopup)
        return pBar->ResolveIconSize(TRUE);
    return pControl->GetIconSize();
}

CSize CZPPaintManager::DrawBuiltInButton(CDC* pDC, int nKind, CZPControl* pControl, CZPCommandBar* pBar, BOOL bDraw,
                                         void* pData)
{
    if (pControl == NULL)
        return CSize(0, 0);
    switch (nKind) {
    case zpButtonExpandToolBar: {
        const BOOL bVertical = IsVerticalBar(pBar);
        if (!bDraw) {
            if (pData != NULL) {
                const CSize sz = *static_cast<const CSize*>(pData);
                pControl->SetRect(bVertical ? CRect(kExpandButtonInset, sz.cy - kExpandButtonSide,
                                                    sz.cx - kExpandButtonInset, sz.cy - kExpandButtonInset)
                                            : CRect(sz.cx - kExpandButtonSide, kExpandButtonInset,
                                                    sz.cx - kExpandButtonInset, sz.cy - kExpandButtonInset));
            }
            return CSize(0, 0);
        }
        DrawControlBackground(pDC, pControl);
        const COLORREF clr = GetControlTextColor(pControl);
        const BOOL bHidden = pData != NULL && *static_cast<const BOOL*>(pData);
        const CRect rc = pControl->GetRect();
        CZPPenDC pen(pDC->GetSafeHdc(), clr);
        if (bVertical) {
            DrawTriangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                         CPoint(rc.left + 4, rc.top + 5), clr);
            if (bHidden) {
                // A downward double chevron within right - 8 ... right - 3, top + 1 ... top + 9.
                for (int y = rc.top + 1; y <= rc.top + 5; y += 4) {
                    Line(pDC, rc.right - 8, y, rc.right - 5, y + 3);
                    Line(pDC, rc.right - 6, y + 3, rc.right - 3, y);
                }
            }
        } else {
            const int nMid = (rc.left + rc.right) / 2;
            DrawTriangle(pDC, CPoint(nMid - 2, rc.bottom - 7), CPoint(nMid + 2, rc.bottom - 7),
                         CPoint(nMid, rc.bottom - 5), clr);
            if (bHidden) {
                // A rightward double chevron within left + 1 ... left + 9, top + 4 ... top + 9.
                for (int x = rc.left + 1; x <= rc.left + 5; x += 4) {
                    Line(pDC, x, rc.top + 4, x + 3, rc.top + 7);
                    Line(pDC, x + 3, rc.top + 6, x, rc.top + 9);
                }
            }
        }
        return CSize(0, 0);
    }
    case zpButtonExpandPopup:
        if (bDraw) {
            DrawControlBackground(pDC, pControl);
            const CRect rc = pControl->GetRect();
            const int x = rc.CenterPoint().x;
            CZPPenDC pen(pDC->GetSafeHdc(), RGB(0, 0, 0));
            for (int y = rc.top; y <= rc.top + 5; y += 4) {
                for (int nRow = 0; nRow < 2; ++nRow) {
                    pDC->MoveTo(x - 2, y + nRow + 2);
                    pDC->LineTo(x, y + nRow + 4);
                    pDC->LineTo(x + 3, y + nRow + 1);
                }
            }
        }
        return CSize(0, kExpandPopupHeight);
    case zpButtonHideFloating:
        if (bDraw) {
            DrawControlBackground(pDC, pControl);
            CFont font;
            font.CreatePointFont(::MulDiv(kHideGlyphPointSize, kScreenDpi, pDC->GetDeviceCaps(LOGPIXELSY)), L"Marlett",
                                 pDC);
            CZPFontDC fontDC(pDC, &font);
            const BOOL bActive = pControl->GetPressed() || pControl->GetSelected();
            const COLORREF clrText = pDC->SetTextColor(bActive ? GetControlTextColor(pControl)
                                                               : static_cast<COLORREF>(m_clrFloatingCaptionText));
            const int nBkMode = pDC->SetBkMode(TRANSPARENT);
            CRect rc = pControl->GetRect();
            pDC->DrawText(L"r", 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SetBkMode(nBkMode);
            pDC->SetTextColor(clrText);
        }
        return CSize(0, 0);
    case zpButtonExpandFloating:
        if (bDraw) {
            DrawControlBackground(pDC, pControl);
            const BOOL bActive = pControl->GetSelected() || pControl->IsPopuped();
            const COLORREF clr =
                bActive ? GetControlTextColor(pControl) : static_cast<COLORREF>(m_clrFloatingCaptionText);
            const CPoint c = pControl->GetRect().CenterPoint();
            DrawTriangle(pDC, CPoint(c.x - 3, c.y - 2), CPoint(c.x + 3, c.y - 2), CPoint(c.x, c.y + 1), clr);
        }
        return CSize(0, 0);
    default:
        return CSize(0, 0);
    }
}
