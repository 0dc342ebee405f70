// The edit control of bars and its edit window.
#include "commandbars/ZPControlEdit.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControlComboBoxAutoCompleteWnd.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPImageManager.h"
#include "common/ZPPropExchange.h"
#include "common/ZPTrackingLoop.h"

#include <climits>
#include <cwchar>

namespace {

// Default width of a new edit control.
const int kDefaultWidth = 100;
// Edit window inset in the control: left after the label, top, bottom, right without spin.
const int kEditInsetLeft = 4;
const int kEditInsetVertical = 3;
const int kEditInsetRight = 3;
// Right inset with spin buttons, and the spin buttons' place at the right edge.
const int kEditInsetRightSpin = 20;
const int kSpinWidth = 18;
// The spin steps and the elapsed seconds (ms >> 10) at which they grow.
const int kSpinStepSlow = 1;
const int kSpinStepMedium = 5;
const int kSpinStepFast = 20;
const DWORD kSpinMediumAfter = 2;
const DWORD kSpinFastAfter = 5;
// Schemas from which the edit's keys are stored.
const long kSchemaLabel = 5;
const long kSchemaReadOnly = 7;
const long kSchemaHint = 8;
const long kSchemaEditStyle = 16;
const long kSchemaSpin = 18;

}  // namespace

int ZpSpinStepForElapsed(DWORD dwElapsed)
{
    const DWORD dwSeconds = dwElapsed >> 10;
    if (dwSeconds >= kSpinFastAfter)
        return kSpinStepFast;
    return dwSeconds >= kSpinMediumAfter ? kSpinStepMedium : kSpinStepSlow;
}

CString ZpSpinText(const CString& strText, int nStep, int nDirection)
{
    // 64-bit parse, so that a huge or extreme text cannot overflow on the way.
    long long nValue = wcstoll(static_cast<LPCWSTR>(strText), NULL, 10);
    if (nValue > INT_MAX)
        nValue = INT_MAX;
    if (nValue < INT_MIN)
        nValue = INT_MIN;
    nValue += static_cast<long long>(nStep) * nDirection;
    if (nStep != 0 && nDirection != 0) {
        while (nValue % nStep != 0)
            nValue += nDirection;
    }
    if (nValue > INT_MAX)
        nValue = INT_MAX - (INT_MAX % nStep);
    if (nValue < INT_MIN)
        nValue = INT_MIN + (-(INT_MIN % nStep));
    CString strResult;
    strResult.Format(L"%i", static_cast<int>(nValue));
    return strResult;
}

CZPBarEditOwner* CZPControlEditCtrl::GetEditOwner() const
{
    return m_pControl;
}

// The control ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CZPControlEdit, CZPControl)

CZPControlEdit::CZPControlEdit()
    : m_pEdit(NULL), m_bHasLabel(FALSE), m_bReadOnly(FALSE), m_nLabelWidth(0), m_bLayoutPending(FALSE),
      m_bFocused(FALSE), m_pAutoComplete(NULL), m_dwShellAutoCompleteFlags(0), m_dwEditStyle(0),
      m_bShowSpinButtons(FALSE), m_nEditIconId(0)
{
    m_controlType = zpControlEdit;
    m_nWidth = kDefaultWidth;
}

CZPControlEdit::~CZPControlEdit()
{
    // The edit's WM_KILLFOCUS finds no owner from here on: the counter is lowered here.
    DropFocusQuietly();
    DestroyEditWindow();
    delete m_pAutoComplete;
    m_pAutoComplete = NULL;
}

void CZPControlEdit::DropFocusQuietly()
{
    if (!m_bFocused)
        return;
    m_bFocused = FALSE;
    ZpMouseManager()->LeaveModalLoop();
}

void CZPControlEdit::DestroyEditWindow()
{
    if (m_pEdit == NULL)
        return;
    CZPControlEditCtrl* pEdit = m_pEdit;
    m_pEdit = NULL;
    if (pEdit->GetSafeHwnd() != NULL) {
        GetEditText();  // keeps the text for the next window
        if (m_bFocused && ::GetFocus() == pEdit->GetSafeHwnd())
            DropFocusQuietly();
    }
    pEdit->m_pControl = NULL;
    pEdit->DestroyAndDelete();
}

CZPControlEditCtrl* CZPControlEdit::CreateEditCtrl()
{
    return new CZPControlEditCtrl;
}

// Text -----------------------------------------------------------------------------------------

CString CZPControlEdit::GetEditText() const
{
    return m_textCache.Get(m_pEdit);
}

void CZPControlEdit::SetEditText(const CString& strText)
{
    m_textCache.Set(m_pEdit, strText);
}

CString CZPControlEdit::GetText() const
{
    const CString strText = GetEditText();
    const CString strHint = GetEffectiveHint();
    return !strHint.IsEmpty() && strText == strHint ? CString() : strText;
}

void CZPControlEdit::SetText(const CString& strText)
{
    SetEditText(strText.IsEmpty() ? GetEffectiveHint() : strText);
    RefreshCharFormat();
}

void CZPControlEdit::SetEditHint(const CString& strHint)
{
    const BOOL bShowsHint = !m_strEditHint.IsEmpty() && GetEditText() == m_strEditHint;
    if (bShowsHint)
        SetEditText(CString());
    m_strEditHint = strHint;
    if (GetEditText().IsEmpty() && !EditHasFocus())
        SetEditText(GetEffectiveHint());
    RefreshCharFormat();
}

void CZPControlEdit::RefreshCharFormat()
{
    if (GetEditHwnd() != NULL)
        m_pEdit->UpdateCharFormat();
}

void CZPControlEdit::GetRichEditCharFormat(CHARFORMAT2W& cf)
{
    const CString strHint = GetEffectiveHint();
    ZpFillEditCharFormat(this, !GetEnabled() || (!strHint.IsEmpty() && GetEditText() == strHint), cf);
}

void CZPControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (GetEditHwnd() != NULL)
        m_pEdit->SetReadOnly(bReadOnly);
}

void CZPControlEdit::SetShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    ZpSetupShellAutoComplete(m_pAutoComplete, GetEditHwnd(), dwFlags);
}

void CZPControlEdit::SetLabelWidth(int nWidth)
{
    if (nWidth == m_nLabelWidth)
        return;
    m_nLabelWidth = nWidth;
    m_bLayoutPending = TRUE;
}

CRect CZPControlEdit::GetSpinRect() const
{
    if (!m_bShowSpinButtons)
        return CRect(0, 0, 0, 0);
    return CRect(m_rcControl.right - kSpinWidth, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
}

// Layout ---------------------------------------------------------------------------------------

void CZPControlEdit::UpdateEditVisibility()
{
    ZpUpdateEditVisibility(this, GetEditHwnd());
}

void CZPControlEdit::SetRect(CRect rcControl)
{
    const CString strText = GetText();
    if (m_pEdit == NULL) {
        m_pEdit = CreateEditCtrl();
        m_pEdit->m_pControl = this;
    }
    HWND hWndParentBar = m_pParent != NULL ? m_pParent->GetSafeHwnd() : NULL;
    if (GetEditHwnd() != NULL &&
        ((m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0 || ::GetParent(GetEditHwnd()) != hWndParentBar)) {
        GetEditText();
        m_pEdit->DestroyWindow();
    }
    if (rcControl == m_rcControl && GetEditHwnd() != NULL && !m_bLayoutPending)
        return;
    m_rcControl = rcControl;
    if (hWndParentBar == NULL)
        return;
    if (GetEditHwnd() == NULL) {
        // A failed creation is tried again at the next SetRect.
        if (!m_pEdit->CreateEditWindow(m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL, m_pParent))
            return;
        if (!GetEnabled())
            m_pEdit->EnableWindow(FALSE);
        m_textCache.bStale = FALSE;
        if (m_dwShellAutoCompleteFlags != 0)
            SetShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
    CZPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pPaintManager->GetIconFont()->GetSafeHandle()), 0);
    m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    RefreshCharFormat();
    if (!EditHasFocus())
        SetText(strText);
    m_pEdit->SetReadOnly(m_bReadOnly);
    CRect rcEdit(rcControl.left + m_nLabelWidth + kEditInsetLeft, rcControl.top + kEditInsetVertical,
                 rcControl.right - (m_bShowSpinButtons ? kEditInsetRightSpin : kEditInsetRight),
                 rcControl.bottom - kEditInsetVertical);
    AdjustEditIconRect(rcEdit);
    m_pEdit->MoveWindow(&rcEdit, TRUE);
    UpdateEditVisibility();
    m_bLayoutPending = FALSE;
}

void CZPControlEdit::AdjustEditIconRect(CRect& rc)
{
    ZpAdjustEditIconRect(this, m_nEditIconId, rc);
}

void CZPControlEdit::DrawEditIcon(CDC* pDC, int x, int nTop, int nBottom)
{
    if (m_nEditIconId <= 0 || pDC == NULL)
        return;
    CZPImageManager* pImageManager = GetImageManager();
    CZPImageManagerIcon* pIcon = pImageManager != NULL ? pImageManager->GetImage(m_nEditIconId, 0) : NULL;
    if (pIcon == NULL)
        return;
    pIcon->Draw(pDC, x, (nTop + nBottom - pIcon->GetHeight()) / 2,
                GetEnabled() ? pIcon->GetNormalStateImage() : pIcon->GetDisabledStateImage());
}

BOOL CZPControlEdit::IsCaptionVisible() const
{
    return ZpIsEditCaptionVisible(this, m_bHasLabel);
}

BOOL CZPControlEdit::Compare(CZPControl* pOther)
{
    return CZPControl::Compare(pOther) && DYNAMIC_DOWNCAST(CZPControlEdit, pOther) != NULL;
}

void CZPControlEdit::SetHideFlags(DWORD dwFlags)
{
    SetOwnerHideFlags(dwFlags);
}

void CZPControlEdit::OnBeforeLayout(UINT nLayoutMode)
{
    OnOwnerBeforeLayout(nLayoutMode);
}

void CZPControlEdit::SetEnabled(int nEnabled)
{
    SetOwnerEnabled(nEnabled);
}

void CZPControlEdit::SetParent(CZPCommandBar* pParent)
{
    if (pParent == NULL)
        DestroyEditWindow();
    CZPControl::SetParent(pParent);
}

void CZPControlEdit::OnRemoved()
{
    UpdateEditVisibility();
    if (m_pControls == NULL) {
        DropFocusQuietly();
        DestroyEditWindow();
    }
    CZPControl::OnRemoved();
}

CZPControl* CZPControlEdit::Clone(BOOL bRecursive)
{
    CZPControlEdit* pClone = new CZPControlEdit;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CZPControlEdit::Copy(CZPControl* pSource, BOOL bRecursive)
{
    CZPControl::Copy(pSource, bRecursive);
    CZPControlEdit* pEdit = DYNAMIC_DOWNCAST(CZPControlEdit, pSource);
    if (pEdit == NULL || pEdit == this)
        return;
    m_dwEditStyle = pEdit->m_dwEditStyle;
    SetText(pEdit->GetText());
    m_bHasLabel = pEdit->m_bHasLabel;
    SetReadOnly(pEdit->m_bReadOnly);
    SetEditHint(pEdit->m_strEditHint);
    SetShellAutoComplete(pEdit->m_dwShellAutoCompleteFlags);
    m_bShowSpinButtons = pEdit->m_bShowSpinButtons;
}

void CZPControlEdit::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControl::DoPropExchange(pPX);
    const long nSchema = pPX->GetSchema();
    if (nSchema > kSchemaLabel) {
        PropExchangeBool(pPX, L"HasLabel", &m_bHasLabel, FALSE);
        PropExchangeLong(pPX, L"Width", &m_nWidth, 0);
    }
    if (nSchema > kSchemaReadOnly)
        PropExchangeBool(pPX, L"ReadOnly", &m_bReadOnly, FALSE);
    if (nSchema > kSchemaHint) {
        PropExchangeString(pPX, L"EditHint", m_strEditHint, L"");
        PropExchangeLong(pPX, L"ShellAutoCompleteFlags", &m_dwShellAutoCompleteFlags, 0);
    }
    if (nSchema > kSchemaEditStyle)
        PropExchangeLong(pPX, L"EditStyle", &m_dwEditStyle, 0);
    if (nSchema > kSchemaSpin)
        PropExchangeBool(pPX, L"ShowSpinButtons", &m_bShowSpinButtons, FALSE);
    if (pPX->IsLoading())
        SetShellAutoComplete(m_dwShellAutoCompleteFlags);
}

// Focus ----------------------------------------------------------------------------------------

void CZPControlEdit::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    m_bFocused = bFocused;
    if (bFocused) {
        if (GetEditHwnd() != NULL && !EditHasFocus())
            ::SetFocus(GetEditHwnd());
        if (m_pParent != NULL) {
            m_pParent->SwitchTrackingMode(1, FALSE, FALSE);
            m_pParent->HighlightControlAt(m_nIndex, zpSelectionHot);
        }
        ZpMouseManager()->EnterModalLoop();
        NotifySite(EN_SETFOCUS);
    } else {
        if (EditHasFocus() && m_pParent != NULL) {
            HWND hWndFocus = m_pParent->GetFocusWindow();
            m_pParent->SetFocusWindow(NULL);
            ::SetFocus(hWndFocus != NULL && ::IsWindow(hWndFocus) ? hWndFocus : NULL);
        }
        ZpMouseManager()->LeaveModalLoop();
        NotifySite(EN_KILLFOCUS);
    }
    RedrawParent(FALSE);
}

void CZPControlEdit::OnSetFocus(HWND hWndPrevious)
{
    const CString strHint = GetEffectiveHint();
    if (!strHint.IsEmpty() && GetEditText() == strHint)
        SetEditText(CString());
    m_strSavedText = GetText();
    if (m_pParent != NULL) {
        if (m_pParent->GetFocusWindow() == NULL) {
            CWnd* pSite = m_pParent->FindSiteWindow();
            m_pParent->SetFocusWindow(hWndPrevious != NULL ? hWndPrevious : CWnd::GetSafeHwnd(pSite));
        }
        m_pParent->OpenControlPopup(-1);
    }
    SetFocused(TRUE);
    RefreshCharFormat();
    if (m_pAutoComplete != NULL)
        m_pAutoComplete->SetupHook(TRUE);
}

void CZPControlEdit::OnKillFocus()
{
    const CString strHint = GetEffectiveHint();
    if (!strHint.IsEmpty() && GetEditHwnd() != NULL && GetEditText().IsEmpty())
        SetEditText(strHint);
    RefreshCharFormat();
    SetFocused(FALSE);
    if (m_pAutoComplete != NULL)
        m_pAutoComplete->SetupHook(FALSE);
}

void CZPControlEdit::OnKeyboardActivate()
{
    SetFocused(TRUE);
}

BOOL CZPControlEdit::OnSetSelected(int bSelected)
{
    CZPControl::OnSetSelected(bSelected);
    if (!bSelected)
        SetFocused(FALSE);
    RefreshCharFormat();
    return TRUE;
}

void CZPControlEdit::OnEditChanged()
{
    NotifySite(EN_CHANGE);
}

// Mouse and keys -------------------------------------------------------------------------------

void CZPControlEdit::OnClick(BOOL bKeyboard, CPoint point)
{
    if (IsCustomizeMode()) {
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard) {
        if (EditHasFocus()) {
            Execute();
            return;
        }
    } else if (GetSpinRect().PtInRect(point) && GetEnabled() && !m_bReadOnly) {
        TrackSpinButton(point);
        return;
    }
    if (GetEditHwnd() != NULL)
        ::SetFocus(GetEditHwnd());
}

void CZPControlEdit::OnMouseMove(CPoint point)
{
    if (!GetEnabled() || !m_bShowSpinButtons || m_nSelected == zpSelectionNone)
        return;
    const CRect rcSpin = GetSpinRect();
    int nSelected = m_nSelected;
    if (rcSpin.PtInRect(point))
        nSelected = point.y < rcSpin.CenterPoint().y ? ZP_SPIN_UP : ZP_SPIN_DOWN;
    else if (m_nSelected == ZP_SPIN_UP || m_nSelected == ZP_SPIN_DOWN)
        nSelected = zpSelectionHot;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CZPControlEdit::OnMouseHover()
{
    CZPMouseManager* pMouse = ZpMouseManagerIfExists();
    if (pMouse == NULL || pMouse->GetModalCounter() <= 0)
        CZPControl::OnMouseHover();
}

BOOL CZPControlEdit::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_bFocused || GetEditHwnd() == NULL)
        return 0;
    if (m_pEdit->IsImeComposing())
        return 2;
    if (nChar == VK_TAB || nChar == VK_RETURN)
        return 0;
    if (nChar == VK_ESCAPE) {
        CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
        const BOOL bPopup = m_pParent != NULL && m_pParent->GetType() == zpBarTypePopup;
        SetText(m_strSavedText);
        SetFocused(FALSE);
        return bPopup ? 1 : 0;
    }
    if ((nChar == VK_UP || nChar == VK_DOWN) && GetEnabled() && m_bShowSpinButtons && !m_bReadOnly) {
        CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
        OnSpin(kSpinStepSlow, nChar == VK_UP ? 1 : -1);
        if (EditHasFocus())
            m_pEdit->SetSel(0, -1);
        return 1;
    }
    if (m_pAutoComplete != NULL && m_pAutoComplete->ForwardKey(nChar, lParam))
        return 1;
    return m_pEdit->ProcessEditKey(nChar, lParam) ? 1 : 2;
}

// Spin buttons ---------------------------------------------------------------------------------

void CZPControlEdit::OnSpin(int nStep, int nDirection)
{
    struct
    {
        ZpControlNotifyRecord record;
        int nChange;
    } notify = {};
    notify.nChange = nStep * nDirection;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (NotifySiteEx(NULL, nDirection > 0 ? ZpNotifySpinUp : ZpNotifySpinDown, &notify.record) != 0)
        return;
    SetText(ZpSpinText(GetText(), nStep, nDirection));
    NotifySite(ZpNotifyExecute);
}

void CZPControlEdit::TrackSpinButton(CPoint point)
{
    CZPCommandBar* pBar = m_pParent;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    // Held: a handler of a step may remove the control or destroy the bar.
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    CRefPtr<CZPCommandBar> holdBar = CRefPtr<CZPCommandBar>::AddRef(pBar);
    const HWND hWndBar = pBar->GetSafeHwnd();
    pBar->HighlightControlAt(-1);
    pBar->HighlightControlAt(m_nIndex, zpSelectionHot);
    const CRect rcSpin = GetSpinRect();
    const BOOL bUp = point.y < rcSpin.CenterPoint().y;
    const int nPart = bUp ? ZP_SPIN_UP : ZP_SPIN_DOWN;
    const int nDirection = bUp ? 1 : -1;
    const CRect rcPart = bUp ? CRect(rcSpin.left, rcSpin.top, rcSpin.right, rcSpin.CenterPoint().y)
                             : CRect(rcSpin.left, rcSpin.CenterPoint().y, rcSpin.right, rcSpin.bottom);
    m_nSelected = nPart;
    m_nPressed = nPart;
    RedrawParent(FALSE);
    OnSpin(kSpinStepSlow, nDirection);

    // Stepping pauses while the mouse is off the pressed button and accelerates anew on return.
    class CSpinLoop : public CZPTrackingLoop
    {
    public:
        CSpinLoop(HWND hWnd, CZPControlEdit* pEdit, CRect rcPart, int nPart, int nDirection)
            : CZPTrackingLoop(hWnd, flagTakeCapture), m_pEdit(pEdit), m_rcPart(rcPart), m_nPart(nPart),
              m_nDirection(nDirection), m_dwStart(::GetTickCount()), m_bFirstTick(TRUE)
        {
            SetTickTimerId(ZP_TIMER_SPIN);
        }

    protected:
        BOOL OnMessage(const MSG& msg) override
        {
            if (msg.message == WM_LBUTTONUP)
                return FALSE;
            if (msg.message == WM_MOUSEMOVE && msg.hwnd == GetHwnd()) {
                const BOOL bInside = m_rcPart.PtInRect(PointOf(msg));
                const int nSelected = bInside ? m_nPart : zpSelectionHot;
                if (nSelected != m_pEdit->m_nSelected) {
                    m_pEdit->m_nSelected = nSelected;
                    m_dwStart = ::GetTickCount();
                    m_pEdit->RedrawParent(FALSE);
                }
                return TRUE;
            }
            if (msg.message == WM_MOUSEMOVE)
                return TRUE;
            return Dispatch(msg);
        }
        BOOL OnTick() override
        {
            if (m_pEdit->m_nSelected == m_nPart)
                m_pEdit->OnSpin(ZpSpinStepForElapsed(::GetTickCount() - m_dwStart), m_nDirection);
            if (m_bFirstTick) {
                m_bFirstTick = FALSE;
                StartTicks(ZP_SPIN_REPEAT_PERIOD);
            }
            return m_pEdit->m_pParent != NULL;
        }

    private:
        CZPControlEdit* m_pEdit;  // borrowed: held by the caller for the loop's life
        CRect m_rcPart;
        int m_nPart;
        int m_nDirection;
        DWORD m_dwStart;
        BOOL m_bFirstTick;
    };
    if (m_pParent != NULL && ::IsWindow(hWndBar)) {
        CSpinLoop loop(hWndBar, this, rcPart, nPart, nDirection);
        loop.StartTicks(ZP_SPIN_FIRST_DELAY);
        loop.Run();
    }
    m_nPressed = ZP_PRESSED_NONE;
    if (m_pParent == NULL || !::IsWindow(hWndBar))
        return;
    RedrawParent(FALSE);
    if (m_pParent->GetPosition() != zpBarPopup)
        m_pParent->SwitchTrackingMode(FALSE, TRUE, FALSE);
}
