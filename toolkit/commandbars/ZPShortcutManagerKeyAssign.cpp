// The capture edit of the keyboard page: it turns the keys the user presses into a record.
#include "commandbars/ZPShortcutManager.h"

namespace {

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

BOOL IsModifierKey(WPARAM nKey)
{
    return nKey == VK_SHIFT || nKey == VK_CONTROL || nKey == VK_MENU;
}

BOOL IsWinKey(WPARAM nKey)
{
    return nKey == VK_LWIN || nKey == VK_RWIN;
}

BYTE CurrentModifiers(BOOL bWithWin)
{
    BYTE fFlags = 0;
    if (IsKeyDown(VK_SHIFT))
        fFlags |= ZP_STROKE_SHIFT;
    if (IsKeyDown(VK_CONTROL))
        fFlags |= ZP_STROKE_CONTROL;
    if (IsKeyDown(VK_MENU))
        fFlags |= ZP_STROKE_ALT;
    if (bWithWin && (IsKeyDown(VK_LWIN) || IsKeyDown(VK_RWIN)))
        fFlags |= ZP_STROKE_WIN;
    return fFlags;
}

BOOL IsKeyDownMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

const LPARAM kRepeatBit = 0x40000000;  // lParam bit 30: the key was down before

}  // namespace

CZPShortcutManager::CKeyAssign::CKeyAssign(CZPShortcutManager* pManager)
    : m_bModifiersOnly(FALSE), m_bTwoStrokes(pManager != NULL ? pManager->m_bAllowDoubleKeyShortcuts : TRUE),
      m_pManager(pManager), m_nStrokes(0), m_accel(), m_keyHelper(&m_accel, pManager)
{}

void CZPShortcutManager::CKeyAssign::ResetKey()
{
    m_nStrokes = 0;
    m_accel = CZPShortcutManagerAccel();
    if (m_hWnd != NULL)
        SetWindowText(L"");
}

BOOL CZPShortcutManager::CKeyAssign::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetFocus();
            return TRUE;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (m_bTwoStrokes ? OnTwoStrokeKey(*pMsg) : OnOneStrokeKey(*pMsg))
                return TRUE;
            break;
        default:
            break;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CZPShortcutManager::CKeyAssign::ShowRecord(BOOL bCaretToEnd)
{
    if (m_pManager != NULL && !m_pManager->IsAssignableStroke(&m_accel)) {
        ResetKey();
        return;
    }
    CString strText;
    m_keyHelper.Format(strText);
    SetWindowText(strText);
    if (bCaretToEnd)
        SetSel(strText.GetLength(), strText.GetLength());
}

BOOL CZPShortcutManager::CKeyAssign::OnTwoStrokeKey(const MSG& msg)
{
    if (!IsKeyDownMessage(msg.message))
        return FALSE;
    const WPARAM nKey = msg.wParam;
    if (nKey == VK_TAB && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU))
        return FALSE;
    if (nKey == VK_BACK) {
        if (m_nStrokes == 2) {
            m_accel.key[1] = ZP_SHORTCUT_STROKE();
            m_nStrokes = 1;
            ShowRecord(TRUE);
        } else {
            ResetKey();
        }
        return TRUE;
    }
    if (IsModifierKey(nKey))
        return FALSE;
    if (m_nStrokes == 2)
        ResetKey();
    ZP_SHORTCUT_STROKE& stroke = m_accel.key[m_nStrokes];
    stroke.fVirt = static_cast<BYTE>(CurrentModifiers(FALSE) | ZP_STROKE_VIRTKEY);
    stroke.key = static_cast<WORD>(nKey);
    ++m_nStrokes;
    ShowRecord(TRUE);
    return TRUE;
}

BOOL CZPShortcutManager::CKeyAssign::OnOneStrokeKey(const MSG& msg)
{
    const WPARAM nKey = msg.wParam;
    const BOOL bDown = IsKeyDownMessage(msg.message);
    if (nKey == VK_TAB && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU)) {
        if (m_nStrokes == 0)
            ResetKey();
        return FALSE;
    }
    if (bDown && (msg.lParam & kRepeatBit) == 0)
        ResetKey();
    ZP_SHORTCUT_STROKE& stroke = m_accel.key[0];
    if (m_bModifiersOnly) {
        if (bDown)
            stroke.fVirt = CurrentModifiers(TRUE);
    } else if (m_nStrokes == 0) {
        stroke.fVirt = CurrentModifiers(TRUE);
        if (bDown && !IsModifierKey(nKey) && !IsWinKey(nKey)) {
            stroke.fVirt |= ZP_STROKE_VIRTKEY;
            stroke.key = static_cast<WORD>(nKey);
            m_nStrokes = 1;
        }
    }
    ShowRecord(FALSE);
    return TRUE;
}
