// The command bars' keyboard state: keyboard cues and the keyboard tips of a tracking bar.
#include "commandbars/ZPCommandBars.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBarKeyboardTip.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPShortcutManager.h"
#include "common/ZPDeviceContext.h"

#include <framework/refptr.h>

#include <algorithm>

namespace {
// Smallest keyboard tip, and the room around its text.
const LONG kTipMinHeight = 15;
const LONG kTipMinWidth = 16;
const LONG kTipPaddingHeight = 2;
const LONG kTipPaddingWidth = 6;

void DefaultKeyboardTipBeep(UINT nType)
{
    ::MessageBeep(nType);
}

WCHAR Upper(WCHAR ch)
{
    return static_cast<WCHAR>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ch)))));
}

// The second character of a tip whose first one clashes: a word start of the caption, else a later
// caption character, else a digit of the running number; each not used yet.
WCHAR PickSecondCharacter(const CZPCommandBarKeyboardTip* pTip, const CString& strUsed, int& nRunning)
{
    const CString& strCaption = pTip->m_strCaption;
    for (int i = 1; i < strCaption.GetLength(); ++i) {
        const WCHAR ch = Upper(strCaption[i]);
        if (strCaption[i - 1] == L' ' && ::IsCharAlphaNumericW(ch) && strUsed.Find(ch) < 0)
            return ch;
    }
    int nStart = !strCaption.IsEmpty() && strCaption[0] == L'&' ? 1 : 0;
    const int nFirst = strCaption.Find(pTip->m_strTip[0], nStart);
    if (nFirst >= 0)
        nStart = nFirst + 1;
    for (int i = nStart; i < strCaption.GetLength(); ++i) {
        const WCHAR ch = Upper(strCaption[i]);
        if (strUsed.Find(ch) < 0)
            return ch;
    }
    CString strNumber;
    strNumber.Format(L"%i", nRunning++);
    return strNumber[0];
}

// Every tip's first character when it has no text: its alternative text, else its mnemonic.
CString GeneratedTipText(const CZPCommandBarKeyboardTip* pTip)
{
    if (!pTip->m_strPrefix.IsEmpty())
        return pTip->m_strPrefix;
    const int nAmp = ZpFindMnemonicPrefix(pTip->m_strCaption);
    const int nAt = nAmp >= 0 && nAmp + 1 < pTip->m_strCaption.GetLength() ? nAmp + 1 : 0;
    return CString(pTip->m_strCaption[nAt]);
}
}  // namespace

void (*CZPCommandBars::s_pfnKeyboardTipBeep)(UINT) = DefaultKeyboardTipBeep;

void ZpResolveKeyboardTipTexts(std::vector<CZPCommandBarKeyboardTip*>& tips)
{
    for (size_t i = tips.size(); i-- > 0;) {
        CZPCommandBarKeyboardTip* pTip = tips[i];
        if (!pTip->m_strTip.IsEmpty())
            continue;
        if (pTip->m_strCaption.IsEmpty()) {
            delete pTip;
            tips.erase(tips.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        pTip->m_strCaption.MakeUpper();
        pTip->m_strTip = GeneratedTipText(pTip);
    }
    for (size_t i = 0; i < tips.size(); ++i) {
        const WCHAR chFirst = tips[i]->m_strTip[0];
        std::vector<CZPCommandBarKeyboardTip*> gathered;
        CString strUsed = L"& ";
        for (size_t j = i; j < tips.size(); ++j) {
            CZPCommandBarKeyboardTip* pTip = tips[j];
            if (pTip->m_strTip[0] != chFirst)
                continue;
            gathered.push_back(pTip);
            if (pTip->m_strTip.GetLength() == 2)
                strUsed += pTip->m_strTip[1];
        }
        if (gathered.size() < 2)
            continue;
        int nRunning = 1;
        for (CZPCommandBarKeyboardTip* pTip : gathered) {
            if (pTip->m_strTip.GetLength() != 1)
                continue;
            const WCHAR ch = PickSecondCharacter(pTip, strUsed, nRunning);
            pTip->m_strTip += ch;
            strUsed += ch;
        }
    }
}

void CZPCommandBars::SetKeyboardCuesShown(BOOL bShown)
{
    if (m_bCustomizeMode)
        bShown = TRUE;
    if (!m_bKeyboardCuesUsed || !bShown == !m_bKeyboardCuesShown)
        return;
    m_bKeyboardCuesShown = bShown;
    if (CZPMouseManager* pMouse = ZpMouseManagerIfExists()) {
        for (int i = 0; i < pMouse->GetTrackedCount(); ++i)
            pMouse->GetTrackedAt(i)->RepaintArea(NULL);
    }
}

void CZPCommandBars::ApplyKeyboardCuesShow(int nShow)
{
    BOOL bSystemCues = TRUE;
    if (nShow == ZP_CUES_SHOW_SYSTEM)
        ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0);
    m_bKeyboardCuesUsed = nShow == ZP_CUES_SHOW_SYSTEM && !bSystemCues;
    m_bKeyboardCuesShown = nShow == ZP_CUES_SHOW_ALWAYS || (nShow == ZP_CUES_SHOW_SYSTEM && bSystemCues);
}

void CZPCommandBars::OnTrackingModeChanged(CZPCommandBar*, int nMode)
{
    CZPMouseManager* pMouse = ZpMouseManagerIfExists();
    const int nTracked = pMouse != NULL ? pMouse->GetTrackedCount() : 0;
    if (!nMode && m_bKeyboardCuesUsed && nTracked == 0)
        SetKeyboardCuesShown(FALSE);
    if (m_nKeyboardTipsLevel > 0 && m_pOptions->m_bKeyboardTips) {
        DestroyKeyboardTips();
        // The topmost tracking bar shows its tips again once this change is over; the timer's
        // lParam stays 0 (a non-zero one would be called as a procedure).
        CZPCommandBar* pTop = nTracked > 0 ? pMouse->GetTrackedAt(nTracked - 1) : NULL;
        if (pTop != NULL && pTop->IsKeyboardEntry() && pTop->GetSafeHwnd() != NULL)
            ::PostMessageW(pTop->GetSafeHwnd(), WM_TIMER, ZP_TIMER_KEYBOARD_TIPS, 0);
    }
}

void CZPCommandBars::DestroyKeyboardTips()
{
    std::vector<CZPCommandBarKeyboardTip*> tips;
    tips.swap(m_arrKeyboardTips);
    for (CZPCommandBarKeyboardTip* pTip : tips) {
        pTip->DestroyWindow();
        delete pTip;
    }
    m_pKeyboardTipsBar = NULL;
    m_nKeyboardTipsLevel = 0;
    m_nKeyboardTipsTyped = 0;
}

void CZPCommandBars::ShowKeyboardTipsForBar(CZPCommandBar* pBar, int nLevel)
{
    if (!m_pOptions->m_bKeyboardTips || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    DestroyKeyboardTips();
    pBar->UpdateWindow();
    m_pKeyboardTipsBar = pBar;
    m_nKeyboardTipsLevel = nLevel;
    m_nKeyboardTipsTyped = 0;
    pBar->CreateKeyboardTips();
    if (m_arrKeyboardTips.empty()) {
        m_pKeyboardTipsBar = NULL;
        return;
    }
    ZpResolveKeyboardTipTexts(m_arrKeyboardTips);

    CZPPaintManager* pPaintManager = m_pPaintManager != NULL ? m_pPaintManager : ZpGetPaintManager();
    CClientDC dc(pBar);
    CZPFontDC font(&dc, pPaintManager->GetRegularFont());
    const BOOL bRightToLeft = (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    for (CZPCommandBarKeyboardTip* pTip : m_arrKeyboardTips) {
        if (!pTip->m_bVisible)
            continue;
        const CSize szText = dc.GetTextExtent(pTip->m_strTip);
        const CSize size(std::max(szText.cx + kTipPaddingWidth, kTipMinWidth),
                         std::max(szText.cy + kTipPaddingHeight, kTipMinHeight));
        CPoint pt = pTip->m_pt;
        if (dynamic_cast<CZPControl*>(pTip->m_pTarget) != NULL)
            pBar->ClientToScreen(&pt);
        if (pTip->m_nAlign & ZP_KEYTIP_CENTER_HORZ)
            pt.x -= size.cx / 2;
        else if (bRightToLeft || (pTip->m_nAlign & ZP_KEYTIP_RIGHT))
            pt.x -= size.cx;
        if (pTip->m_nAlign & ZP_KEYTIP_CENTER_VERT)
            pt.y -= size.cy / 2;
        else if (pTip->m_nAlign & ZP_KEYTIP_BOTTOM)
            pt.y -= size.cy;
        pTip->m_pt = pt;
        pTip->CreateTipWindow(pBar->GetSafeHwnd(), size);
    }
    for (CZPCommandBarKeyboardTip* pTip : m_arrKeyboardTips) {
        if (pTip->GetSafeHwnd() != NULL)
            pTip->ShowWindow(SW_SHOWNOACTIVATE);
    }
}

void CZPCommandBars::OnKeyboardTipTyped(UINT nKey)
{
    const int nTyped = m_nKeyboardTipsTyped;
    for (CZPCommandBarKeyboardTip* pTip : m_arrKeyboardTips) {
        if (!pTip->m_bVisible || nTyped >= pTip->m_strTip.GetLength() || !ZpIsMnemonicKey(pTip->m_strTip[nTyped], nKey))
            continue;
        if (nTyped == pTip->m_strTip.GetLength() - 1) {
            if (!pTip->m_bEnabled || m_pKeyboardTipsBar == NULL) {
                s_pfnKeyboardTipBeep(0);
                return;
            }
            // Activation may end tracking and destroy everything here: held, and nothing after it.
            CRefPtr<CZPCommandBars> pKeep = CRefPtr<CZPCommandBars>::AddRef(this);
            CRefPtr<CZPCommandBar> pBar = CRefPtr<CZPCommandBar>::AddRef(m_pKeyboardTipsBar);
            pBar->OnKeyboardTipActivated(pTip);
            return;
        }
        const CString strPrefix = pTip->m_strTip.Left(nTyped + 1);
        m_nKeyboardTipsTyped = nTyped + 1;
        for (size_t i = m_arrKeyboardTips.size(); i-- > 0;) {
            CZPCommandBarKeyboardTip* pOther = m_arrKeyboardTips[i];
            if (pOther->m_strTip.Left(strPrefix.GetLength()) != strPrefix) {
                pOther->DestroyWindow();
                delete pOther;
                m_arrKeyboardTips.erase(m_arrKeyboardTips.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        return;
    }
    if (nKey != VK_SHIFT && nKey != VK_CONTROL)
        s_pfnKeyboardTipBeep(0);
}

// Alt+letter and Ctrl+Tab -----------------------------------------------------------------------

namespace {
BOOL IsShownOnScreen(const CZPCommandBar* pBar)
{
    return pBar != NULL && pBar->GetSafeHwnd() != NULL && ::IsWindowVisible(pBar->GetSafeHwnd()) &&
           pBar->IsBarVisible();
}

// The keypad digit keys.
const UINT kFirstNumpadKey = VK_NUMPAD0;
const UINT kLastNumpadKey = VK_NUMPAD9;
}  // namespace

CZPControl* CZPCommandBars::FindMnemonicControl(CZPCommandBar* pBar, UINT nKey, BOOL* pbAmbiguous) const
{
    *pbAmbiguous = FALSE;
    const int nUse = m_pOptions->m_nKeyboardCuesUse;
    // The bars walked: this one, then (all toolbars) the other shown ones round the list.
    std::vector<CZPCommandBar*> bars(1, pBar);
    const int nStart = IndexOf(pBar);
    if ((nUse & ZP_CUES_USE_ALL_TOOLBARS) != 0 && nStart >= 0) {
        for (int nStep = 1; nStep < GetCount(); ++nStep) {
            CZPCommandBar* pNext = GetAt((nStart + nStep) % GetCount());
            if (IsShownOnScreen(pNext))
                bars.push_back(pNext);
        }
    }
    // After the highlighted control to the end, the other bars, then the start of this one.
    std::vector<CZPControl*> order;
    const int nHighlighted = pBar->GetHighlightedIndex();
    for (int i = nHighlighted + 1; i < pBar->CountControls(); ++i)
        order.push_back(pBar->ControlAt(i));
    for (size_t b = 1; b < bars.size(); ++b) {
        for (int i = 0; i < bars[b]->CountControls(); ++i)
            order.push_back(bars[b]->ControlAt(i));
    }
    for (int i = 0; i <= nHighlighted && i < pBar->CountControls(); ++i)
        order.push_back(pBar->ControlAt(i));

    CZPControl* pExplicit = NULL;
    CZPControl* pFirstLetter = NULL;
    BOOL bExplicitTwice = FALSE, bFirstLetterTwice = FALSE;
    for (CZPControl* pControl : order) {
        if (pControl == NULL || !pControl->IsVisible() || pControl->GetCaption().IsEmpty() || !pControl->GetEnabled())
            continue;
        BOOL bExplicit = FALSE;
        const WCHAR ch = ZpMnemonicOfCaption(pControl->GetCaption(), &bExplicit);
        if (ch == 0 || !ZpIsMnemonicKey(ch, nKey))
            continue;
        if (bExplicit) {
            if (pExplicit == NULL)
                pExplicit = pControl;
            else
                bExplicitTwice = TRUE;  // the first explicit match stays
            continue;
        }
        CZPCommandBar* pParent = pControl->GetParent();
        if ((nUse & ZP_CUES_USE_NO_FIRST_LETTER) != 0 || pParent == NULL ||
            (pParent->GetType() != zpBarTypeMenuBar && pParent->GetTrackingMode() == 0))
            continue;
        if (pFirstLetter == NULL)
            pFirstLetter = pControl;
        else
            bFirstLetterTwice = TRUE;
    }
    if (pExplicit != NULL) {
        *pbAmbiguous = bExplicitTwice;
        return pExplicit;
    }
    *pbAmbiguous = bFirstLetterTwice;
    return pFirstLetter;
}

BOOL CZPCommandBars::OnMnemonicKey(UINT nKey)
{
    if (m_pOptions->m_nKeyboardCuesUse == ZP_CUES_USE_NONE)
        return FALSE;
    if (nKey >= kFirstNumpadKey && nKey <= kLastNumpadKey && !m_pOptions->m_bNumericKeypadMnemonics)
        return FALSE;
    if (::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    CZPCommandBar* pBar = NULL;
    for (int i = 0; i < GetCount() && pBar == NULL; ++i) {
        if (GetAt(i)->GetTrackingMode() != 0)
            pBar = GetAt(i);
    }
    for (int i = 0; i < GetCount() && pBar == NULL; ++i) {
        if (GetAt(i)->GetType() == zpBarTypeMenuBar && IsShownOnScreen(GetAt(i)))
            pBar = GetAt(i);
    }
    if ((m_pOptions->m_nKeyboardCuesUse & ZP_CUES_USE_ALL_TOOLBARS) != 0) {
        for (int i = 0; i < GetCount() && pBar == NULL; ++i) {
            if (IsShownOnScreen(GetAt(i)))
                pBar = GetAt(i);
        }
    }
    if (pBar == NULL)
        return FALSE;

    BOOL bAmbiguous = FALSE;
    CZPControl* pFound = FindMnemonicControl(pBar, nKey, &bAmbiguous);
    if (pFound == NULL)
        return FALSE;
    // Ending the tracking and activating reach the site, which may drop bars and controls.
    CRefPtr<CZPCommandBars> pKeep = CRefPtr<CZPCommandBars>::AddRef(this);
    CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(pFound);
    CRefPtr<CZPCommandBar> pTarget = CRefPtr<CZPCommandBar>::AddRef(pFound->GetParent());
    if (pTarget->GetTrackingMode() == 0)
        EndAllTracking();
    SetKeyboardCuesShown(TRUE);
    m_nKeyboardTipsLevel = 1;
    pTarget->SwitchTrackingMode(TRUE, FALSE, TRUE);
    if (pControl->GetParent() != pTarget.Get())
        return TRUE;
    pTarget->HighlightControlAt(pControl->GetIndex(), 2);
    if (!bAmbiguous)
        pControl->OnKeyboardActivate();
    return TRUE;
}

BOOL CZPCommandBars::SetTrackingToolbar(CZPCommandBar* pBar, int nDirection)
{
    const int nCount = GetCount();
    const int nStart = IndexOf(pBar);
    CZPCommandBar* pNext = NULL;
    if (nDirection == 0) {
        pNext = IsShownOnScreen(pBar) ? pBar : NULL;
    } else if (nCount >= 2 && nStart >= 0) {
        const int nStep = nDirection > 0 ? 1 : -1;
        for (int n = 1; n < nCount && pNext == NULL; ++n) {
            CZPCommandBar* pCandidate = GetAt(((nStart + n * nStep) % nCount + nCount) % nCount);
            if (IsShownOnScreen(pCandidate))
                pNext = pCandidate;
        }
    }
    if (pNext == NULL)
        return FALSE;
    CRefPtr<CZPCommandBars> pKeep = CRefPtr<CZPCommandBars>::AddRef(this);
    CRefPtr<CZPCommandBar> pTarget = CRefPtr<CZPCommandBar>::AddRef(pNext);
    EndAllTracking();
    SetKeyboardCuesShown(TRUE);
    m_nKeyboardTipsLevel = 1;
    pTarget->SwitchTrackingMode(TRUE, FALSE, TRUE);
    pTarget->HighlightControlAt(pTarget->GetControls()->GetNext(-1, 1), 2);
    return TRUE;
}
