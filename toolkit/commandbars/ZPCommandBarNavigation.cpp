// A tracking bar's keyboard: keys to navigation codes, moving the highlight, mnemonics and
// keyboard tips.
#include "commandbars/ZPCommandBar.h"

#include "commandbars/ZPCommandBarKeyboardTip.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPShortcutManager.h"

#include <framework/frame.h>
#include <framework/refptr.h>

#include <cstdlib>

namespace {
// The popup kinds: popup, button popup, split button popup.
BOOL IsPopupKind(int nType)
{
    return nType >= 2 && nType <= 4;
}

BOOL IsEnabledPopup(const CZPControl* pControl)
{
    return pControl != NULL && IsPopupKind(pControl->GetType()) && pControl->GetEnabled();
}

// Where a control's keyboard tip sits: right of its left edge, above its bottom edge.
const int kKeyTipOffsetX = 12;
const int kKeyTipOffsetY = 11;

void DefaultNavigationBeep(UINT nType)
{
    ::MessageBeep(nType);
}
}  // namespace

void (*CZPCommandBar::s_pfnNavigationBeep)(UINT) = DefaultNavigationBeep;

int ZpNavigationCodeOfKey(UINT nKey, BOOL bHorizontal, BOOL bRightToLeft)
{
    int nCode;
    switch (nKey) {
    case VK_END:
        return zpNavLast;
    case VK_HOME:
        return zpNavFirst;
    case VK_UP:
        return bHorizontal ? zpNavClosePopup : zpNavPrevious;
    case VK_DOWN:
        return bHorizontal ? zpNavOpenPopup : zpNavNext;
    case VK_LEFT:
        nCode = bHorizontal ? zpNavPreviousArrow : zpNavClosePopup;
        break;
    case VK_RIGHT:
        nCode = bHorizontal ? zpNavNextArrow : zpNavOpenPopup;
        break;
    default:
        return -1;
    }
    if (!bRightToLeft)
        return nCode;
    switch (nCode) {
    case zpNavPreviousArrow:
        return zpNavNextArrow;
    case zpNavNextArrow:
        return zpNavPreviousArrow;
    case zpNavClosePopup:
        return zpNavOpenPopup;
    default:
        return zpNavClosePopup;
    }
}

BOOL CZPCommandBar::IsHorizontalForNavigation() const
{
    return m_barPosition == zpBarTop || m_barPosition == zpBarBottom || m_barPosition == zpBarFloating || IsGridPopup();
}

BOOL CZPCommandBar::IsGridPopup() const
{
    return m_barPosition == zpBarPopup && m_barType == zpBarTypeNormal;
}

int CZPCommandBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    if (hWnd != NULL)
        return hookContinue;
    if (nMessage == WM_KEYDOWN)
        return ProcessTrackingKey(static_cast<UINT>(wParam), lParam);
    if (nMessage == WM_MOUSEWHEEL) {
        CZPControl* pControl = ControlAt(m_nHighlightedControl);
        if (pControl != NULL && pControl->IsFocused()) {
            POINT pt = { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
            pControl->OnHookMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), pt);
        }
        return hookHandled;
    }
    return hookContinue;
}

int CZPCommandBar::ProcessTrackingKey(UINT nKey, LPARAM lParam)
{
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(FindSiteWindow());
    if (IsCustomizeModeActive() || (pFrame != NULL && pFrame->m_bHelpMode))
        return zpKeyNotHandled;
    if (m_nLockCount > 0)
        return zpKeyHandled;

    // The site may end tracking and release this bar: it answers for a bar that is gone.
    if (CWnd* pSite = FindSiteWindow()) {
        WPARAM keyData[2] = { nKey, static_cast<WPARAM>(lParam) };
        InternalAddRef();
        ::SendMessageW(pSite->GetSafeHwnd(), ZpMsgTrackingKey, reinterpret_cast<WPARAM>(keyData),
                       reinterpret_cast<LPARAM>(this));
        if (InternalRelease() == 0)
            return zpKeyHandled;
    }
    CZPControl* pHighlighted = ControlAt(m_nHighlightedControl);
    if (pHighlighted != NULL && pHighlighted->IsFocused())
        return pHighlighted->OnHookKeyDown(nKey, lParam) ? zpKeyHandled : zpKeyNotHandled;
    if (m_hWnd == NULL)
        return zpKeyHandled;

    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nKey) {
    case VK_TAB: {
        // Ctrl+Tab moves keyboard tracking on to the next toolbar (Shift: the previous one).
        CZPCommandBars* pCommandBars = FindCommandBars();
        CZPCommandBar* pRoot = FindRootParentBar();
        if (bCtrl && pCommandBars != NULL && pCommandBars->IndexOf(pRoot) >= 0 &&
            pCommandBars->SetTrackingToolbar(pRoot, ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1))
            return zpKeyHandled;
        NavigateByKey(::GetKeyState(VK_SHIFT) < 0 ? zpNavPrevious : zpNavNext);
        CZPControl* pNew = ControlAt(m_nHighlightedControl);
        if (pNew != NULL && pNew->IsFocusable())
            pNew->SetFocused(TRUE);
        return zpKeyHandled;
    }
    case VK_RETURN:
        NavigateByKey(zpNavEnter);
        return zpKeyHandled;
    case VK_ESCAPE:
        NavigateByKey(zpNavEscape);
        return zpKeyHandled;
    case VK_SPACE:
        if (NavigateByKey(zpNavSystemMenu))
            return zpKeyHandled;
        break;
    default: {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus))
            return zpKeyNotHandled;
        const BOOL bRightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        const int nCode = ZpNavigationCodeOfKey(nKey, IsHorizontalForNavigation(), bRightToLeft);
        if (nCode >= 0) {
            NavigateByKey(nCode);
            return zpKeyHandled;
        }
        break;
    }
    }
    if (::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return zpKeyHandled;
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetKeyboardTipsBar() == this && !bCtrl) {
        pCommandBars->OnKeyboardTipTyped(nKey);
        return zpKeyHandled;
    }
    // A toolbar (the menu bar too) lets the command bars look in the other shown toolbars.
    if (pCommandBars != NULL && !IsPopupBar() && !bCtrl) {
        CRefPtr<CZPCommandBar> pKeep = CRefPtr<CZPCommandBar>::AddRef(this);
        if (pCommandBars->OnMnemonicKey(nKey))
            return zpKeyHandled;
    }
    if (!bCtrl) {
        BOOL bAmbiguous = FALSE;
        const int nFound = FindMnemonicInBar(nKey, &bAmbiguous);
        if (nFound >= 0) {
            HighlightControlAt(nFound, 2);
            if (!bAmbiguous) {
                // Activation may end tracking and delete this bar: nothing after it.
                CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(ControlAt(nFound));
                CRefPtr<CZPCommandBar> pKeep = CRefPtr<CZPCommandBar>::AddRef(this);
                if (pControl)
                    pControl->OnKeyboardActivate();
            }
            return zpKeyHandled;
        }
    }
    if (nKey != VK_SHIFT && nKey != VK_CONTROL)
        s_pfnNavigationBeep(0);
    return zpKeyHandled;
}

int CZPCommandBar::FindMnemonicInBar(UINT nKey, BOOL* pbAmbiguous) const
{
    *pbAmbiguous = FALSE;
    const int nCount = CountControls();
    int nExplicit = -1, nFirstLetter = -1;
    BOOL bExplicitTwice = FALSE, bFirstLetterTwice = FALSE;
    for (int nStep = 1; nStep <= nCount; ++nStep) {
        const int i = (m_nHighlightedControl + nStep + nCount) % nCount;
        CZPControl* pControl = ControlAt(i);
        if (pControl == NULL || !pControl->IsVisible() || !pControl->GetEnabled())
            continue;
        BOOL bExplicit = FALSE;
        const WCHAR ch = ZpMnemonicOfCaption(pControl->GetCaption(), &bExplicit);
        if (ch == 0 || !ZpIsMnemonicKey(ch, nKey))
            continue;
        int& nSlot = bExplicit ? nExplicit : nFirstLetter;
        BOOL& bTwice = bExplicit ? bExplicitTwice : bFirstLetterTwice;
        if (nSlot < 0)
            nSlot = i;
        else
            bTwice = TRUE;
    }
    if (nExplicit >= 0) {
        *pbAmbiguous = bExplicitTwice;
        return nExplicit;
    }
    *pbAmbiguous = bFirstLetterTwice;
    return nFirstLetter;
}

BOOL CZPCommandBar::NavigateByKey(int nCode)
{
    const int nHighlighted = m_nHighlightedControl;
    CZPControl* pHighlighted = ControlAt(nHighlighted);
    const BOOL bPopupOpen = m_nPopupedControl >= 0;
    if (IsGridPopup() && bPopupOpen && pHighlighted != NULL && nHighlighted == m_nPopupedControl) {
        if (nCode == zpNavNext)
            return FALSE;
        if (nCode == zpNavPrevious)
            nCode = zpNavClosePopup;
    }
    if (nCode == zpNavClosePopup && !bPopupOpen && (IsGridPopup() || GetParentBar() == NULL) &&
        IsEnabledPopup(pHighlighted))
        nCode = zpNavOpenPopup;
    if ((nCode == zpNavClosePopup || nCode == zpNavOpenPopup) && !bPopupOpen &&
        (IsGridPopup() || m_barPosition == zpBarFloating) && !IsEnabledPopup(pHighlighted))
        return MoveToAdjacentRow(nCode == zpNavOpenPopup ? 1 : -1);

    CZPControls* pControls = GetControls();
    CZPCommandBars* pCommandBars = FindCommandBars();
    switch (nCode) {
    case zpNavNext:
    case zpNavNextArrow:
    case zpNavPrevious:
    case zpNavPreviousArrow: {
        if (pCommandBars != NULL && pCommandBars->GetKeyboardTipsBar() == this)
            pCommandBars->DestroyKeyboardTips();
        const BOOL bForward = nCode == zpNavNext || nCode == zpNavNextArrow;
        return HighlightControlAt(pControls->GetNext(nHighlighted, bForward ? 1 : -1), bForward ? 2 : 3);
    }
    case zpNavClosePopup:
        return bPopupOpen && OpenControlPopup(-1);
    case zpNavOpenPopup:
        if (pHighlighted == NULL || nHighlighted == m_nPopupedControl)
            return FALSE;
        return OpenControlPopup(nHighlighted, TRUE);
    case zpNavEscape: {
        if (pCommandBars != NULL && pCommandBars->GetKeyboardTipsBar() == this &&
            pCommandBars->GetKeyboardTipsLevel() >= 2) {
            pCommandBars->ShowKeyboardTipsForBar(this, pCommandBars->GetKeyboardTipsLevel() - 1);
            return TRUE;
        }
        CRefPtr<CZPCommandBar> pKeep = CRefPtr<CZPCommandBar>::AddRef(this);
        if (CZPCommandBar* pParent = GetParentBar())
            pParent->SwitchTrackingMode(TRUE, FALSE, TRUE);
        SwitchTrackingMode(FALSE, FALSE, FALSE);
        return TRUE;
    }
    case zpNavEnter: {
        if (pHighlighted == NULL)
            return FALSE;
        // The click may end tracking and delete the bar and the control: both are held.
        CRefPtr<CZPCommandBar> pKeep = CRefPtr<CZPCommandBar>::AddRef(this);
        CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(pHighlighted);
        pControl->OnSetSelected(zpSelectionKeyboard);
        pControl->OnClick(TRUE, CPoint(0, 0));
        return TRUE;
    }
    case zpNavFirst:
        return HighlightControlAt(pControls->GetNext(-1, 1), 2);
    case zpNavLast:
        return HighlightControlAt(pControls->GetNext(-1, -1), 3);
    case zpNavSystemMenu: {
        if (m_barType != zpBarTypeMenuBar)
            return FALSE;
        CWnd* pSite = FindSiteWindow();
        if (pCommandBars != NULL)
            pCommandBars->EndAllTracking();
        if (pSite != NULL)
            ::PostMessageW(pSite->GetSafeHwnd(), WM_SYSCOMMAND, SC_KEYMENU, L' ');
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CZPCommandBar::MoveToAdjacentRow(int nDirection)
{
    CZPControls* pControls = GetControls();
    const int nStart = m_nHighlightedControl;
    const int nKind = nDirection > 0 ? 2 : 3;
    CZPControl* pStart = ControlAt(nStart);
    if (pStart == NULL)
        return HighlightControlAt(pControls->GetNext(-1, nDirection), nKind);
    const CRect rcStart = pStart->GetRect();
    // Past the rest of this row to the first control of the next one in that direction.
    int nAt = nStart;
    do {
        nAt = pControls->GetNext(nAt, nDirection);
        if (nAt < 0 || nAt == nStart)
            return FALSE;
    } while (ControlAt(nAt)->GetRect().top == rcStart.top);
    // Along that row while the next control stands nearer to the start's left edge.
    const int nRowTop = ControlAt(nAt)->GetRect().top;
    for (;;) {
        const int nNext = pControls->GetNext(nAt, nDirection);
        if (nNext < 0 || nNext == nStart)
            break;
        const CRect rcNext = ControlAt(nNext)->GetRect();
        if (rcNext.top != nRowTop ||
            std::abs(rcNext.left - rcStart.left) >= std::abs(ControlAt(nAt)->GetRect().left - rcStart.left))
            break;
        nAt = nNext;
    }
    return HighlightControlAt(nAt, nKind);
}

void CZPCommandBar::CreateKeyboardTips()
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == NULL)
        return;
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        if (!pControl->IsVisible() || pControl->GetCaption().IsEmpty() || (pControl->GetFlags() & zpFlagSkipFocus) != 0)
            continue;
        const CRect rc = pControl->GetRect();
        CZPCommandBarKeyboardTip* pTip = new CZPCommandBarKeyboardTip(
            pCommandBars, pControl, pControl->ResolveKeyboardTipText(),
            CPoint(rc.left + kKeyTipOffsetX, rc.bottom - kKeyTipOffsetY), 0, pControl->GetEnabled());
        pTip->m_strCaption = pControl->GetCaption();
        pCommandBars->AddKeyboardTip(pTip);
    }
}

void CZPCommandBar::OnKeyboardTipActivated(CZPCommandBarKeyboardTip* pTip)
{
    CZPControl* pTarget = dynamic_cast<CZPControl*>(pTip->m_pTarget);
    if (pTarget == NULL || pTarget->GetParent() != this)
        return;
    const int nIndex = pTarget->GetIndex();
    // The control may end tracking and take this bar with it.
    CRefPtr<CZPCommandBar> pKeep = CRefPtr<CZPCommandBar>::AddRef(this);
    CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(pTarget);
    if (CZPCommandBars* pCommandBars = FindCommandBars())
        pCommandBars->DestroyKeyboardTips();
    HighlightControlAt(nIndex, 2);
    pControl->OnKeyboardActivate();
}
