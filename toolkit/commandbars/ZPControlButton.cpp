// Buttons: click, release, and the held press with its auto-repeat.
#include "commandbars/ZPControlButton.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPTrackingLoop.h"

IMPLEMENT_DYNCREATE(CZPControlButton, CZPControl)
IMPLEMENT_DYNCREATE(CZPControlCheckBox, CZPControlButton)
IMPLEMENT_DYNCREATE(CZPControlRadioButton, CZPControlButton)

CZPControlButton::CZPControlButton()
{
    m_controlType = zpControlButton;
}

void CZPControlButton::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!GetEnabled())
        return;
    if (IsCustomizeMode()) {
        if (m_pParent != NULL) {
            m_pParent->OpenControlPopup(-1);
            m_pParent->HighlightControlAt(-1);
        }
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard) {
        Execute();
        return;
    }
    // In a popup bar the release executes.
    if (m_pParent != NULL && m_pParent->GetType() != zpBarTypePopup)
        TrackPressed(CRect(0, 0, 0, 0));
}

void CZPControlButton::OnLButtonUp(CPoint)
{
    if (GetEnabled() && m_pParent != NULL &&
        (m_pParent->GetType() == zpBarTypePopup || m_pParent->GetPosition() == zpBarPopup))
        Execute();
}

CZPControl* CZPControlButton::Clone(BOOL bRecursive)
{
    CZPControlButton* pClone = static_cast<CZPControlButton*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CZPControlButton::SendRepeatCommand()
{
    if (m_pParent == NULL)
        return;
    CWnd* pTarget = m_pParent->FindCommandTargetWindow();
    HWND hWndTarget = CWnd::GetSafeHwnd(pTarget);
    const UINT nId = static_cast<UINT>(m_nId);  // read first: the handler may free the control
    if (NotifySiteEx(pTarget, ZpNotifyExecute, NULL) == 0 && hWndTarget != NULL && ::IsWindow(hWndTarget))
        ::SendMessageW(hWndTarget, WM_COMMAND, MAKEWPARAM(nId, 0), 0);
}

namespace {
// The press loop: selection follows the pointer, button up decides, timer ticks auto-repeat.
class CPressLoop : public CZPTrackingLoop
{
public:
    CPressLoop(CZPControlButton* pButton, const CRect& rc)
        : CZPTrackingLoop(pButton->GetParent()->GetSafeHwnd(), flagTakeCapture), m_pButton(pButton), m_rc(rc),
          m_bPressed(FALSE), m_bMoved(FALSE), m_ptLast(0, 0)
    {
        SetTickTimerId(ZP_TIMER_EXECUTE_ON_PRESS);
    }
    BOOL IsPressed() const { return m_bPressed; }

protected:
    BOOL IsTracking() const override { return m_pButton->GetParent() != NULL; }
    BOOL OnTick() override
    {
        if (m_pButton->GetSelected() != zpSelectionNone)
            m_pButton->SendRepeatCommand();
        return IsTracking();
    }
    BOOL OnMessage(const MSG& msg) override
    {
        if (msg.message == WM_LBUTTONUP) {
            m_bPressed = m_pButton->GetSelected() != zpSelectionNone && (!m_bMoved || m_rc.PtInRect(m_ptLast));
            return FALSE;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == GetHwnd()) {
            m_bMoved = TRUE;
            m_ptLast = PointOf(msg);
            const int nBefore = m_pButton->GetSelected();
            m_pButton->OnSetSelected(m_rc.PtInRect(m_ptLast) ? zpSelectionHot : zpSelectionNone);
            if (nBefore != m_pButton->GetSelected())
                m_pButton->RedrawParent(TRUE);
            return TRUE;
        }
        return Dispatch(msg);
    }

private:
    CZPControlButton* m_pButton;  // borrowed: the caller holds a reference for the loop's life
    CRect m_rc;
    BOOL m_bPressed;
    BOOL m_bMoved;
    CPoint m_ptLast;
};
}  // namespace

void CZPControlButton::TrackPressed(CRect rc)
{
    CZPCommandBar* pBar = m_pParent;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    if (rc.IsRectEmpty())
        rc = m_rcControl;
    // Held through the loop: a handler may remove the control from its bar.
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    pBar->OpenControlPopup(-1);
    pBar->HighlightControlAt(m_nIndex);
    m_nPressed = ZP_PRESSED_MOUSE;
    RedrawParent(TRUE);

    const BOOL bRepeat = m_nExecuteOnPressInterval > 0;
    CPressLoop loop(this, rc);
    ::SetCapture(pBar->GetSafeHwnd());
    if (bRepeat) {
        loop.StartTicks(static_cast<UINT>(m_nExecuteOnPressInterval));
        SendRepeatCommand();
    }
    // The loop kills the timer while the window lives and releases the capture.
    const BOOL bPressed = loop.Run() == CZPTrackingLoop::endStopped && loop.IsPressed();

    m_nPressed = bPressed && !bRepeat && IsPressedAfterExecute() ? ZP_PRESSED_EXECUTING : ZP_PRESSED_NONE;
    if (m_nSelected != zpSelectionNone && m_pParent != NULL) {
        m_pParent->HighlightControlAt(-1);
        m_nSelected = zpSelectionNone;
    }
    if (bPressed && !bRepeat) {
        Execute();
        if (m_nPressed != ZP_PRESSED_NONE) {
            m_nPressed = ZP_PRESSED_NONE;
            RedrawParent(FALSE);
        }
    } else {
        RedrawParent(TRUE);
    }
}

CZPControlCheckBox::CZPControlCheckBox()
{
    m_controlType = zpControlCheckBox;
}

CZPControlRadioButton::CZPControlRadioButton()
{
    m_controlType = zpControlRadioButton;
}

namespace {
const int kMarlettTenthsAt96 = 80;
const int kDefaultDpi = 96;
}  // namespace

void ZpDrawMarlettButton(CDC* pDC, CZPControl* pControl, LPCWSTR lpszGlyph)
{
    CZPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    CZPPaintManager* pPaintManager = pBar != NULL ? pBar->ResolvePaintManager() : NULL;
    if (pDC == NULL || pPaintManager == NULL || lpszGlyph == NULL)
        return;
    pPaintManager->DrawControlBackground(pDC, pControl);
    const int nDpi = ::GetDeviceCaps(pDC->GetSafeHdc(), LOGPIXELSX);
    CFont marlett;
    if (!marlett.CreatePointFont(::MulDiv(kMarlettTenthsAt96, kDefaultDpi, nDpi > 0 ? nDpi : kDefaultDpi), L"Marlett",
                                 pDC))
        return;
    CZPFontDC font(pDC, &marlett);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(pPaintManager->GetControlTextColor(pControl));
    CRect rc = pControl->GetRect();
    pDC->DrawText(lpszGlyph, -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}
