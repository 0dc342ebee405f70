#include "commandbars/themes/ZPNativeXPTheme.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControlEdit.h"

#include <framework/frame.h>
#include <framework/thread.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CZPNativeXPTheme, CZPDefaultTheme)

namespace {

// Visual-style parts, states and properties (the public numbers of the system's classes).
enum
{
    kRebarBackground = 0,
    kRebarGripper = 1,
    kRebarGripperVert = 2,
    kRebarBand = 3,
    kRebarGripperState = 1
};
enum
{
    kToolbarBackground = 0,
    kToolbarButton = 1,
    kToolbarSplit = 3,
    kToolbarSplitDropDown = 4,
    kToolbarSeparator = 5,
    kToolbarSeparatorVert = 6
};
enum
{
    kTsNormal = 1,
    kTsHot = 2,
    kTsPressed = 3,
    kTsDisabled = 4,
    kTsChecked = 5,
    kTsHotChecked = 6
};
enum
{
    kComboDropDown = 1,
    kSpinUp = 1,
    kSpinDown = 2
};
enum
{
    kWindowSmallCaption = 2,
    kWindowSmallFrameLeft = 10,
    kWindowSmallFrameRight = 11,
    kWindowSmallFrameBottom = 12,
    kWindowActive = 1
};
enum
{
    kMenuPopupBackground = 9,
    kMenuPopupBorders = 10,
    kMenuPopupCheck = 11,
    kMenuPopupCheckBackground = 12,
    kMenuPopupGutter = 13,
    kMenuPopupItem = 14,
    kMenuPopupSeparator = 15
};
enum
{
    kMenuCheckMark = 1,
    kMenuCheckMarkDisabled = 2,
    kMenuBullet = 3,
    kMenuBulletDisabled = 4,
    kMenuCheckBackgroundDisabled = 1,
    kMenuCheckBackgroundNormal = 2,
    kMenuItemHot = 2
};
enum
{
    kPropBorderSize = 2403,
    kPropBorderColor = 3801,
    kPropTextColor = 3803,
    kPropEdgeHighlight = 3805,
    kPropEdgeShadow = 3806,
    kSysBoolFlatMenus = 1001
};

const UINT kSpiGetFlatMenu = 0x1022;
const int kMenuBorderInset = 3;
const int kFloatingFrame = 3;
const int kSplitDropDownWidth = 12;
const int kGripperExtent = 8;
const int kMenuGutterExtra = 3;
const int kFloatingCaptionMinText = 15;
const int kFloatingCaptionPad = 3;
const int kFloatingTitleLeft = 5;

HDC SafeHdc(CDC* pDC)
{
    return pDC != NULL ? pDC->GetSafeHdc() : NULL;
}

}  // namespace

CZPNativeXPTheme::CZPNativeXPTheme()
    : m_themeRebar(TRUE), m_themeToolbar(TRUE), m_themeComboBox(TRUE), m_themeWindow(TRUE), m_themeSpin(TRUE),
      m_themeMenu(TRUE), m_clrEdgeShadow(0), m_clrEdgeHighLight(0), m_bFlatMenus(TRUE)
{
    m_bUseFadedIcons = TRUE;
    m_bIconsWithShadow = FALSE;
    m_nNormalTextColor = zpColorMenuText;
    m_bThemedStatusBar = TRUE;
    m_bThemedCheckBox = TRUE;
    m_bMenuHighlight = TRUE;
    m_bThickCheckMark = TRUE;
}

CZPNativeXPTheme::~CZPNativeXPTheme()
{
    m_themeMenu.CloseTheme();
    m_themeSpin.CloseTheme();
    m_themeWindow.CloseTheme();
    m_themeComboBox.CloseTheme();
    m_themeToolbar.CloseTheme();
    m_themeRebar.CloseTheme();
}

BOOL CZPNativeXPTheme::DrawPart(CZPWinThemeWrapper& theme, CDC* pDC, int nPart, int nState, const CRect& rc,
                                const RECT* pClip)
{
    const HDC hDC = SafeHdc(pDC);
    if (IsThemeInUse(theme) && m_partCache.Draw(theme, hDC, nPart, nState, rc, pClip))
        return TRUE;
    return SUCCEEDED(theme.DrawBackground(hDC, nPart, nState, &rc, pClip));
}

void CZPNativeXPTheme::RefreshMetrics()
{
    CZPDefaultTheme::RefreshMetrics();
    m_partCache.Clear();

    CWnd* pMain = AfxGetMainWnd();
    const HWND hWnd = pMain != NULL ? pMain->GetSafeHwnd() : NULL;
    m_themeToolbar.OpenTheme(hWnd, L"TOOLBAR");
    m_themeRebar.OpenTheme(hWnd, L"REBAR");
    m_themeComboBox.OpenTheme(hWnd, L"COMBOBOX");
    m_themeWindow.OpenTheme(hWnd, L"WINDOW");
    m_themeSpin.OpenTheme(hWnd, L"SPIN");
    m_themeMenu.OpenTheme(hWnd, L"MENU");

    // A menu class without the popup parts cannot draw popups: close it and keep the classic ones.
    int nBorder = 0;
    if (IsMenuOpen() && FAILED(m_themeMenu.GetInt(kMenuPopupBackground, 0, kPropBorderSize, &nBorder)))
        m_themeMenu.CloseTheme();

    BOOL bFlat = FALSE;
    m_bFlatMenus = ::SystemParametersInfoW(kSpiGetFlatMenu, 0, &bFlat, 0) ? bFlat : FALSE;

    if (!IsThemeInUse(m_themeRebar) || FAILED(m_themeRebar.GetColor(kRebarBand, 0, kPropEdgeShadow, &m_clrEdgeShadow)))
        m_clrEdgeShadow = GetColor(zpColorBtnShadow);
    if (!IsThemeInUse(m_themeRebar) ||
        FAILED(m_themeRebar.GetColor(kRebarBand, 0, kPropEdgeHighlight, &m_clrEdgeHighLight)))
        m_clrEdgeHighLight = GetColor(zpColorBtnHighlight);

    COLORREF clrText = 0;
    if (IsThemeInUse(m_themeToolbar) &&
        SUCCEEDED(m_themeToolbar.GetColor(kToolbarBackground, 0, kPropTextColor, &clrText)))
        GetColorEntry(zpColorBtnText).SetStandardValue(clrText);

    if (!m_bFlatMenus && IsThemeInUse(m_themeRebar))
        m_bFlatMenus = m_themeRebar.GetSysBool(kSysBoolFlatMenus);
    if (!m_bFlatMenus)
        GetColorEntry(zpColorMenuHilight).SetStandardValue(GetColor(zpColorSysHighlight));
}

// State colours and rectangles ---------------------------------------------------------------

COLORREF CZPNativeXPTheme::GetStateTextColor(int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopped,
                                             int nBarType, int nBarPosition)
{
    if (nBarType == zpBarTypePopup && nBarPosition == zpBarPopup && IsMenuOpen())
        return GetColor(bEnabled ? m_nNormalTextColor : zpColorGrayText);
    return CZPDefaultTheme::GetStateTextColor(nSelected, bPressed, bEnabled, bChecked, bPopped, nBarType, nBarPosition);
}

void CZPNativeXPTheme::DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, BOOL bPressed, BOOL bEnabled,
                                          BOOL bChecked, BOOL bPopped, int nBarType, int nBarPosition)
{
    if (!IsThemed() || rc.IsRectEmpty()) {
        CZPDefaultTheme::DrawStateRectangle(pDC, rc, nSelected, bPressed, bEnabled, bChecked, bPopped, nBarType,
                                            nBarPosition);
        return;
    }
    if (nBarType == zpBarTypePopup && !bChecked) {
        if (!nSelected && !bPressed)
            return;
        if (IsMenuOpen())
            DrawPart(m_themeMenu, pDC, kMenuPopupItem, kMenuItemHot, rc);
        else
            FillRectAndBorder(pDC, rc, zpColorMenuHilight, zpColorSysHighlight);
        return;
    }
    if (m_bMenuHighlight && nBarPosition == zpBarPopup && nBarType == zpBarTypePopup && IsMenuOpen()) {
        DrawPart(m_themeMenu, pDC, kMenuPopupCheckBackground,
                 bEnabled ? kMenuCheckBackgroundNormal : kMenuCheckBackgroundDisabled, rc);
        return;
    }
    // A mixed check on an enabled control draws as unchecked.
    if (bChecked == 2 && bEnabled)
        bChecked = FALSE;
    int nState;
    if (!bEnabled)
        nState = bChecked ? kTsPressed : kTsDisabled;
    else if (bPopped)
        nState = kTsPressed;
    else if (bChecked && !bPressed)
        nState = nSelected ? kTsHotChecked : kTsChecked;
    else if ((nSelected && bPressed) || bPressed == 2 || bPressed == 3)
        nState = kTsPressed;
    else
        nState = nSelected ? kTsHot : kTsNormal;
    DrawPart(m_themeToolbar, pDC, kToolbarButton, nState, rc);
}

void CZPNativeXPTheme::DrawControlBackground(CDC* pDC, CZPControl* pControl)
{
    CZPCommandBar* pBar = pControl->GetParent();
    if (IsThemed() && pControl->GetType() == zpControlPopup && pBar != NULL && pBar->GetType() == zpBarTypeMenuBar &&
        IsFlatBar(pBar) && pBar->GetPosition() != zpBarPopup) {
        if (pControl->GetSelected() || pControl->IsPopuped() || pControl->GetPressed()) {
            const CRect rc = pControl->GetRect();
            pDC->FillSolidRect(&rc, GetColor(zpColorSysHighlight));
        }
        return;
    }
    CZPDefaultTheme::DrawControlBackground(pDC, pControl);
}

COLORREF CZPNativeXPTheme::GetControlTextColor(CZPControl* pControl)
{
    CZPCommandBar* pBar = pControl->GetParent();
    if (IsThemed() && pControl->GetType() == zpControlPopup && pBar != NULL && pBar->GetType() == zpBarTypeMenuBar &&
        IsFlatBar(pBar) && pBar->GetPosition() != zpBarPopup &&
        (pControl->GetSelected() || pControl->IsPopuped() || pControl->GetPressed()))
        return GetColor(zpColorSysHighlightText);
    return CZPDefaultTheme::GetControlTextColor(pControl);
}

void CZPNativeXPTheme::DrawSplitButtonFrame(CDC* pDC, CZPControl* pControl, CRect rc)
{
    if (!IsThemed() || pControl == NULL) {
        CZPDefaultTheme::DrawSplitButtonFrame(pDC, pControl, rc);
        return;
    }
    const int nEnabled = pControl->GetEnabled();
    const BOOL bPopped = pControl->IsPopuped();
    const int nSelected = pControl->GetSelected();
    const int nState = !nEnabled                               ? kTsDisabled
                       : (pControl->GetPressed() && nSelected) ? kTsPressed
                       : pControl->GetChecked()                ? kTsChecked
                       : (bPopped || nSelected)                ? kTsHot
                                                               : kTsNormal;
    // The split controls mark a disabled drop-down part with the enabled value 4.
    const int kDropDownDisabled = 4;
    const int nDropState = nEnabled == kDropDownDisabled ? kTsDisabled : bPopped ? kTsPressed : nState;
    DrawPart(m_themeToolbar, pDC, kToolbarSplit, nState,
             CRect(rc.left, rc.top, rc.right - kSplitDropDownWidth, rc.bottom));
    DrawPart(m_themeToolbar, pDC, kToolbarSplitDropDown, nDropState,
             CRect(rc.right - kSplitDropDownWidth, rc.top, rc.right, rc.bottom));
}

// Bars ---------------------------------------------------------------------------------------

void CZPNativeXPTheme::FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pParent)
{
    const CRect rcClient = ClientRectOf(pWnd);
    if (rcClient.IsRectEmpty())
        return;
    if (!IsThemed()) {
        pDC->FillSolidRect(&rcClient, GetColor(zpColorBtnFace));
        return;
    }
    CRect rcBack = rcClient;
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL) {
        pParent->GetWindowRect(&rcBack);
        pWnd->ScreenToClient(&rcBack);
    }
    DrawPart(m_themeRebar, pDC, kRebarBackground, 0, rcBack, &rcClient);
}

void CZPNativeXPTheme::FillBarBackground(CDC* pDC, CZPCommandBar* pBar)
{
    if (pDC == NULL || pBar == NULL)
        return;
    const int nPosition = pBar->GetPosition();
    CRect rc = ClientRectOf(pBar);
    if (!IsThemed() || rc.IsRectEmpty()) {
        CZPDefaultTheme::FillBarBackground(pDC, pBar);
        return;
    }
    if (nPosition == zpBarPopup) {
        if (IsMenuOpen() && DrawPart(m_themeMenu, pDC, kMenuPopupBorders, 0, rc)) {
            CRect rcInside = rc;
            rcInside.DeflateRect(kMenuBorderInset, kMenuBorderInset);
            DrawPart(m_themeMenu, pDC, kMenuPopupBackground, 0, rcInside);
        } else if (m_bFlatMenus) {
            FillRectAndBorder(pDC, rc, zpColorMenu, zpColorBtnShadow);
        } else {
            pDC->FillSolidRect(&rc, GetColor(zpColorMenu));
            Draw3dRectByIndex(pDC, rc, zpColorBtnFace, zpColor3dDkShadow);
            rc.DeflateRect(1, 1);
            DrawRaisedEdge(pDC, rc);
        }
        return;
    }
    if (nPosition == zpBarFloating) {
        if (pBar->IsDialogBar()) {
            CZPDefaultTheme::FillBarBackground(pDC, pBar);
            return;
        }
        if (pBar->GetType() == zpBarTypePopup) {
            pDC->FillSolidRect(&rc, GetColor(zpColorMenu));
        } else {
            pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
            DrawPart(m_themeToolbar, pDC, kToolbarBackground, 0, rc);
        }
        DrawPart(m_themeWindow, pDC, kWindowSmallFrameLeft, kWindowActive,
                 CRect(rc.left, rc.top, rc.left + kFloatingFrame, rc.bottom));
        DrawPart(m_themeWindow, pDC, kWindowSmallFrameRight, kWindowActive,
                 CRect(rc.right - kFloatingFrame, rc.top, rc.right, rc.bottom));
        DrawPart(m_themeWindow, pDC, kWindowSmallFrameBottom, kWindowActive,
                 CRect(rc.left, rc.bottom - kFloatingFrame, rc.right, rc.bottom));
        return;
    }
    if (nPosition == zpBarTop)
        FillRebarBackground(pDC, pBar, pBar->GetParent());
    else
        pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
    DrawPart(m_themeRebar, pDC, kRebarBand, 0, rc);
    if (!IsFlatBar(pBar))
        pDC->Draw3dRect(&rc, m_clrEdgeHighLight, m_clrEdgeShadow);
}

void CZPNativeXPTheme::FillDockArea(CDC* pDC, CWnd* pWnd)
{
    if (pDC == NULL || pWnd == NULL)
        return;
    if (pWnd->GetSafeHwnd() != NULL && (pWnd->GetStyle() & CBRS_ALIGN_ANY) == CBRS_ALIGN_TOP)
        FillRebarBackground(pDC, pWnd, pWnd);
    else
        CZPDefaultTheme::FillDockArea(pDC, pWnd);
}

CSize CZPNativeXPTheme::DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw)
{
    if (pBar == NULL || !IsThemed())
        return CZPDefaultTheme::DrawBarGripper(pDC, pBar, bDraw);
    if (pBar->IsDialogBar())
        return DrawDialogBarHandle(pDC, pBar, bDraw);
    const BOOL bPaint = bDraw && pDC != NULL;
    const CRect rc = ClientRectOf(pBar);
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == zpBarTypePopup && nPosition == zpBarPopup && IsMenuOpen()) {
        if (bPaint) {
            CRect rcGutter = rc;
            rcGutter.DeflateRect(kMenuBorderInset, kMenuBorderInset);
            rcGutter.right = rcGutter.left + GetPopupIconColumnWidth(pBar);
            DrawPart(m_themeMenu, pDC, kMenuPopupGutter, 0, rcGutter);
        }
        return CSize(0, 0);
    }
    switch (nPosition) {
    case zpBarTop:
    case zpBarBottom:
        if (bPaint)
            DrawPart(m_themeRebar, pDC, kRebarGripper, kRebarGripperState,
                     CRect(rc.left + 2, rc.top, rc.left + kGripperExtent, rc.bottom));
        return CSize(kGripperExtent, 0);
    case zpBarLeft:
    case zpBarRight:
        if (bPaint)
            DrawPart(m_themeRebar, pDC, kRebarGripperVert, kRebarGripperState,
                     CRect(rc.left, rc.top + 2, rc.right, rc.top + kGripperExtent));
        return CSize(0, kGripperExtent);
    case zpBarFloating: {
        if (pDC == NULL)
            return CSize(0, 0);
        CFont* pOldFont = pDC->SelectObject(GetRegularFont());
        const int nText = std::max<int>(kFloatingCaptionMinText, pDC->GetTextExtent(CString(L" ")).cy);
        if (bDraw) {
            const CRect rcCaption(0, 0, rc.right, nText + kFloatingCaptionPad);
            DrawPart(m_themeWindow, pDC, kWindowSmallCaption, kWindowActive, rcCaption);
            CRect rcTitle(kFloatingTitleLeft, kFloatingCaptionPad,
                          rc.right - 2 * (nText + kFloatingCaptionPad) + kFloatingCaptionPad,
                          nText + kFloatingCaptionPad);
            const COLORREF clrOldText = pDC->SetTextColor(m_clrFloatingCaptionText);
            const int nOldBk = pDC->SetBkMode(TRANSPARENT);
            CString strTitle = pBar->GetTitle();
            pDC->DrawText(strTitle, &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            pDC->SetBkMode(nOldBk);
            pDC->SetTextColor(clrOldText);
        }
        pDC->SelectObject(pOldFont);
        return CSize(rc.Width(), nText);
    }
    default:
        return CSize(0, 0);
    }
}

CSize CZPNativeXPTheme::DrawDialogBarHandle(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw)
{
    if (!IsThemed())
        return CZPDefaultTheme::DrawDialogBarHandle(pDC, pBar, bDraw);
    const int nHeight = GetDialogHandleHeight();
    if (bDraw && pDC != NULL)
        DrawPart(m_themeRebar, pDC, kRebarGripper, kRebarGripperState, CRect(2, 3, kGripperExtent, nHeight));
    return CSize(kGripperExtent, nHeight);
}

CSize CZPNativeXPTheme::DrawBarSeparator(CDC* pDC, CZPCommandBar* pBar, CZPControl* pControl, BOOL bDraw)
{
    if (!bDraw || !IsThemed() || pBar == NULL || pControl == NULL || pDC == NULL)
        return CZPDefaultTheme::DrawBarSeparator(pDC, pBar, pControl, bDraw);
    const CRect c = pControl->GetRect();
    const CRect r = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == zpBarTypePopup) {
        if (nPosition == zpBarPopup && IsMenuOpen() && !bWrap) {
            DrawPart(m_themeMenu, pDC, kMenuPopupSeparator, 0,
                     CRect(c.left + GetPopupIconColumnWidth(pBar), c.top - 8, c.right, c.top - 2));
            return CSize(0, 0);
        }
        return CZPDefaultTheme::DrawBarSeparator(pDC, pBar, pControl, bDraw);
    }
    if (nPosition == zpBarLeft || nPosition == zpBarRight) {
        if (bWrap)
            DrawPart(m_themeToolbar, pDC, kToolbarSeparator, 0, CRect(r.right, r.top + 4, r.right + 5, r.bottom));
        else
            DrawPart(m_themeToolbar, pDC, kToolbarSeparatorVert, 0, CRect(r.left, c.top - 6, r.right, c.top));
    } else {
        if (bWrap)
            DrawPart(m_themeToolbar, pDC, kToolbarSeparatorVert, 0, CRect(r.left + 4, r.top - 5, r.right, r.top));
        else
            DrawPart(m_themeToolbar, pDC, kToolbarSeparator, 0, CRect(c.left - 6, r.top, c.left, r.bottom));
    }
    return CSize(0, 0);
}

void CZPNativeXPTheme::AdjustExcludeRect(CRect& rc, CZPControl* pControl, BOOL bVertical)
{
    if (!IsThemed()) {
        CZPDefaultTheme::AdjustExcludeRect(rc, pControl, bVertical);
        return;
    }
    if (pControl == NULL || pControl->GetParent() == NULL || pControl->GetType() == zpControlComboBox)
        return;
    if (pControl->GetParent()->GetType() == zpBarTypePopup) {
        rc.DeflateRect(kMenuBorderInset, 0);
        rc.InflateRect(0, kMenuBorderInset);
    }
}

CSize CZPNativeXPTheme::DrawBuiltInButton(CDC* pDC, int nKind, CZPControl* pControl, CZPCommandBar* pBar, BOOL bDraw,
                                          void* pData)
{
    if ((nKind == zpButtonHideFloating || nKind == zpButtonExpandFloating) && IsThemeInUse(m_themeToolbar))
        return CZPPaintManager::DrawBuiltInButton(pDC, nKind, pControl, pBar, bDraw, pData);
    return CZPDefaultTheme::DrawBuiltInButton(pDC, nKind, pControl, pBar, bDraw, pData);
}

// Popup parts --------------------------------------------------------------------------------

void CZPNativeXPTheme::FillPopupIconColumn(CDC* pDC, int nLeft, int nTop, int nWidth, int nHeight, BOOL /*bFlag*/)
{
    if (IsMenuOpen())
        DrawPart(m_themeMenu, pDC, kMenuPopupGutter, 0, CRect(nLeft, nTop, nLeft + nWidth, nTop + nHeight));
}

int CZPNativeXPTheme::GetPopupIconColumnWidth(CZPCommandBar* pBar)
{
    const int nWidth = CZPDefaultTheme::GetPopupIconColumnWidth(pBar);
    return IsMenuOpen() ? nWidth + kMenuGutterExtra : nWidth;
}

void CZPNativeXPTheme::DrawCheckMark(CDC* pDC, CRect rc, int nState, COLORREF clr)
{
    if (IsMenuOpen())
        DrawPart(m_themeMenu, pDC, kMenuPopupCheck, nState ? kMenuCheckMark : kMenuCheckMarkDisabled, rc);
    else
        CZPDefaultTheme::DrawCheckMark(pDC, rc, nState, clr);
}

void CZPNativeXPTheme::DrawRadioMark(CDC* pDC, CRect rc, int nState, COLORREF clr)
{
    if (IsMenuOpen())
        DrawPart(m_themeMenu, pDC, kMenuPopupCheck, nState ? kMenuBullet : kMenuBulletDisabled, rc);
    else
        CZPDefaultTheme::DrawRadioMark(pDC, rc, nState, clr);
}

// Edit and combo parts -----------------------------------------------------------------------

void CZPNativeXPTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (!IsThemeInUse(m_themeComboBox)) {
        CZPDefaultTheme::DrawEditFrame(pDC, rc, bEnabled, nSelected);
        return;
    }
    if (pDC == NULL || rc.IsRectEmpty())
        return;
    COLORREF clrBorder = 0;
    if (FAILED(
            m_themeComboBox.GetColor(kComboDropDown, bEnabled ? kTsNormal : kTsDisabled, kPropBorderColor, &clrBorder)))
        clrBorder = GetColor(zpColorBtnShadow);
    pDC->Draw3dRect(&rc, clrBorder, clrBorder);
}

void CZPNativeXPTheme::DrawEditSpinButtons(CDC* pDC, CZPControlEdit* pEdit)
{
    if (!IsThemeInUse(m_themeSpin)) {
        CZPDefaultTheme::DrawEditSpinButtons(pDC, pEdit);
        return;
    }
    const CRect rcSpin = pEdit->GetSpinRect();
    if (pDC == NULL || rcSpin.IsRectEmpty())
        return;
    const int yMiddle = (rcSpin.top + rcSpin.bottom) / 2;
    const BOOL bEnabled = pEdit->GetEnabled();
    const int nSelected = pEdit->GetSelected();
    const int nPressed = pEdit->GetPressed();
    auto stateOf = [&](int nButton) {
        if (!bEnabled)
            return static_cast<int>(kTsDisabled);
        if (nSelected != zpSelectionNone && nPressed == nButton)
            return static_cast<int>(kTsPressed);
        return static_cast<int>(nSelected == nButton ? kTsHot : kTsNormal);
    };
    DrawPart(m_themeSpin, pDC, kSpinUp, stateOf(ZP_SPIN_UP), CRect(rcSpin.left, rcSpin.top, rcSpin.right, yMiddle));
    DrawPart(m_themeSpin, pDC, kSpinDown, stateOf(ZP_SPIN_DOWN),
             CRect(rcSpin.left, yMiddle, rcSpin.right, rcSpin.bottom));
}

void CZPNativeXPTheme::DrawComboBoxDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped)
{
    if (!IsThemeInUse(m_themeComboBox)) {
        CZPDefaultTheme::DrawComboBoxDropDownButton(pDC, rc, bEnabled, nSelected, bPopped);
        return;
    }
    const int nState = !bEnabled ? kTsDisabled : bPopped ? kTsPressed : nSelected ? kTsHot : kTsNormal;
    DrawPart(m_themeComboBox, pDC, kComboDropDown, nState, CRect(rc.left - 2, rc.top + 1, rc.right - 1, rc.bottom - 1));
}
