// The shortcut manager: key names, shortcut texts, translation with chords, persistence.
#include "commandbars/ZPShortcutManager.h"

#include "commandbars/ZPCommandBars.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"
#include "common/ZPTrackingLoop.h"

#include <framework/app.h>
#include <framework/frame.h>
#include <framework/refptr.h>

#include <algorithm>
#include <memory>

namespace {

struct KeyName
{
    WORD nKey;
    LPCWSTR lpszName;
};

// The fixed English key names persisted text is written and parsed with, in table order.
const KeyName kKeyNames[] = {
    { 0x30, L"0" },           { 0x31, L"1" },
    { 0x32, L"2" },           { 0x33, L"3" },
    { 0x34, L"4" },           { 0x35, L"5" },
    { 0x36, L"6" },           { 0x37, L"7" },
    { 0x38, L"8" },           { 0x39, L"9" },
    { 0x41, L"A" },           { 0x42, L"B" },
    { 0x43, L"C" },           { 0x44, L"D" },
    { 0x45, L"E" },           { 0x46, L"F" },
    { 0x47, L"G" },           { 0x48, L"H" },
    { 0x49, L"I" },           { 0x4A, L"J" },
    { 0x4B, L"K" },           { 0x4C, L"L" },
    { 0x4D, L"M" },           { 0x4E, L"N" },
    { 0x4F, L"O" },           { 0x50, L"P" },
    { 0x51, L"Q" },           { 0x52, L"R" },
    { 0x53, L"S" },           { 0x54, L"T" },
    { 0x55, L"U" },           { 0x56, L"V" },
    { 0x57, L"W" },           { 0x58, L"X" },
    { 0x59, L"Y" },           { 0x5A, L"Z" },
    { 0x01, L"Left Button" }, { 0x02, L"Right Button" },
    { 0x03, L"Ctrl+Break" },  { 0x04, L"Middle Button" },
    { 0x08, L"Backspace" },   { 0x09, L"Tab" },
    { 0x0C, L"Clear" },       { 0x0D, L"Enter" },
    { 0x10, L"Shift" },       { 0x11, L"Ctrl" },
    { 0x12, L"Alt" },         { 0x13, L"Pause" },
    { 0x14, L"Caps Lock" },   { 0x1B, L"Esc" },
    { 0x20, L"Space" },       { 0x21, L"Page Up" },
    { 0x22, L"Page Down" },   { 0x23, L"End" },
    { 0x24, L"Home" },        { 0x25, L"Left Arrow" },
    { 0x26, L"Up Arrow" },    { 0x27, L"Right Arrow" },
    { 0x28, L"Down Arrow" },  { 0x29, L"Select" },
    { 0x2A, L"Print" },       { 0x2B, L"Execute" },
    { 0x2C, L"Snapshot" },    { 0x2D, L"Ins" },
    { 0x2E, L"Del" },         { 0x2F, L"Help" },
    { 0x5B, L"Win" },         { 0x5C, L"Win" },
    { 0x5D, L"Application" }, { 0x6A, L"Num *" },
    { 0x6B, L"Num +" },       { 0x6C, L"Separator" },
    { 0x6D, L"Num -" },       { 0x6E, L"Num ." },
    { 0x6F, L"Num /" },       { 0x70, L"F1" },
    { 0x71, L"F2" },          { 0x72, L"F3" },
    { 0x73, L"F4" },          { 0x74, L"F5" },
    { 0x75, L"F6" },          { 0x76, L"F7" },
    { 0x77, L"F8" },          { 0x78, L"F9" },
    { 0x79, L"F10" },         { 0x7A, L"F11" },
    { 0x7B, L"F12" },         { 0x60, L"Num 0" },
    { 0x61, L"Num 1" },       { 0x62, L"Num 2" },
    { 0x63, L"Num 3" },       { 0x64, L"Num 4" },
    { 0x65, L"Num 5" },       { 0x66, L"Num 6" },
    { 0x67, L"Num 7" },       { 0x68, L"Num 8" },
    { 0x69, L"Num 9" },       { 0x90, L"Num Lock" },
    { 0x91, L"Scrl Lock" },   { 0xF6, L"Attn" },
    { 0xF7, L"Crsel" },       { 0xF8, L"Exsel" },
    { 0xF9, L"Ereof" },       { 0xFA, L"Play" },
    { 0xFB, L"Zoom" },        { 0xFC, L"No Name" },
    { 0xFD, L"Pa1" },         { 0xFE, L"Oem Clear" },
};
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) == 108, "108 key names");

// The key whose name already holds its modifier.
const WORD kVkCtrlBreak = 0x03;
// String of the message bar while a chord waits for its second key.
const UINT kIdsChordWaiting = 9187;
const WCHAR kChordWaitingText[] = L"(%s) was pressed. Waiting for second key of chord...";
// Layout key names: the scan code sits above bit 16; bit 24 marks an extended key.
const LPARAM kKeyNameExtended = 0x1000000;
const int kKeyNameBufferLength = 50;
// Largest key code a "0x" text may name.
const DWORD kMaxHexKey = 0xFFFF;
const BYTE kModifierBits = ZP_STROKE_SHIFT | ZP_STROKE_CONTROL | ZP_STROKE_ALT;

BOOL IsKeyDownMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

BOOL IsDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

BOOL IsModifierKey(WPARAM nKey)
{
    return nKey == VK_SHIFT || nKey == VK_CONTROL || nKey == VK_MENU;
}

BOOL SameStroke(const ZP_SHORTCUT_STROKE& a, const ZP_SHORTCUT_STROKE& b)
{
    return a.key == b.key && (a.fVirt & ~ZP_STROKE_NOINVERT) == (b.fVirt & ~ZP_STROKE_NOINVERT);
}

void DefaultChordBeep(UINT nType)
{
    ::MessageBeep(nType);
}

// Rank among several shortcuts of one command: plain keys first, then Ctrl, Alt, Shift.
int RankOf(const CZPShortcutManagerAccel& accel)
{
    const BYTE f = accel.key[0].fVirt;
    if ((f & kModifierBits) == 0)
        return 4;
    if (f & ZP_STROKE_CONTROL)
        return 3;
    if (f & ZP_STROKE_ALT)
        return 2;
    return 1;
}

// A record that may enter the table: a key and a command.
BOOL IsUsableRecord(const CZPShortcutManagerAccel& accel)
{
    return accel.cmd != 0 && accel.key[0].key != 0;
}

// Reads "0x" and hexadecimal digits to the end, at most kMaxHexKey.
BOOL ParseHexKey(const CString& strText, WORD* pKey)
{
    if (strText.GetLength() <= 3 || strText[0] != L'0' || (strText[1] != L'x' && strText[1] != L'X'))
        return FALSE;
    DWORD dwValue = 0;
    for (int i = 2; i < strText.GetLength(); ++i) {
        const WCHAR ch = strText[i];
        int nDigit;
        if (ch >= L'0' && ch <= L'9')
            nDigit = ch - L'0';
        else if (ch >= L'a' && ch <= L'f')
            nDigit = ch - L'a' + 10;
        else if (ch >= L'A' && ch <= L'F')
            nDigit = ch - L'A' + 10;
        else
            return FALSE;
        dwValue = dwValue * 16 + static_cast<DWORD>(nDigit);
        if (dwValue > kMaxHexKey)
            return FALSE;
    }
    *pKey = static_cast<WORD>(dwValue);
    return TRUE;
}

// Keeps the records that can run a command; the rest are dropped.
void AppendUsable(CZPShortcutManagerAccelTable& table, const CZPShortcutManagerAccel& accel)
{
    if (IsUsableRecord(accel))
        table.push_back(accel);
}

}  // namespace

void (*CZPShortcutManager::s_pfnChordBeep)(UINT) = DefaultChordBeep;

BOOL CZPShortcutManagerAccel::IsSameShortcut(const CZPShortcutManagerAccel& other) const
{
    return SameStroke(key[0], other.key[0]) && SameStroke(key[1], other.key[1]);
}

// ---- key names and texts ----

LPCWSTR CZPShortcutManager::LookupKeyTableName(UINT nVirtKey)
{
    for (const KeyName& name : kKeyNames) {
        if (name.nKey == nVirtKey)
            return name.lpszName;
    }
    return NULL;
}

CString CZPShortcutManager::LayoutKeyName(UINT nVirtKey) const
{
    if (nVirtKey == kVkCtrlBreak)
        return CString();
    const UINT nScan = ::MapVirtualKeyExW(nVirtKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0));
    LPARAM lParam = (static_cast<LPARAM>(nScan) << 16) | 1;
    if (nVirtKey >= VK_PRIOR && nVirtKey <= VK_HELP)
        lParam |= kKeyNameExtended;
    WCHAR szName[kKeyNameBufferLength] = {};
    if (::GetKeyNameTextW(static_cast<LONG>(lParam), szName, kKeyNameBufferLength) <= 0)
        return CString();
    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i) {
        if (::IsCharLowerW(strName[i])) {
            strName.SetAt(i, static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(
                                 ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(strName[i]))))));
            break;
        }
    }
    return strName;
}

CString CZPShortcutManager::GetKeyName(UINT nVirtKey) const
{
    LPCWSTR lpszTable = LookupKeyTableName(nVirtKey);
    if (m_bUseKeyboardLayoutFirst) {
        CString strLayout = LayoutKeyName(nVirtKey);
        return !strLayout.IsEmpty() || lpszTable == NULL ? strLayout : CString(lpszTable);
    }
    return lpszTable != NULL ? CString(lpszTable) : LayoutKeyName(nVirtKey);
}

void CZPShortcutManager::CKeyHelper::AppendKeyName(CString& strText, WORD nKey, BOOL bLast) const
{
    CString strName;
    if (m_bDisplayNames) {
        strName = m_pManager->GetKeyName(nKey);
    } else if (LPCWSTR lpszName = LookupKeyTableName(nKey)) {
        strName = lpszName;
    } else {
        strName.Format(L"0x%x", static_cast<UINT>(nKey));
    }
    if (strName.IsEmpty())
        return;
    strText += strName;
    if (!bLast)
        strText += L'+';
}

CString CZPShortcutManager::CKeyHelper::FormatStroke(const ZP_SHORTCUT_STROKE& stroke) const
{
    CString strText;
    if (stroke.key != kVkCtrlBreak) {
        const struct
        {
            BYTE fFlag;
            WORD nKey;
        } modifiers[] = { { ZP_STROKE_CONTROL, VK_CONTROL },
                          { ZP_STROKE_SHIFT, VK_SHIFT },
                          { ZP_STROKE_ALT, VK_MENU },
                          { ZP_STROKE_WIN, VK_LWIN } };
        for (const auto& modifier : modifiers) {
            if (stroke.fVirt & modifier.fFlag)
                AppendKeyName(strText, modifier.nKey, FALSE);
        }
    }
    if (stroke.key == 0) {
        if (!strText.IsEmpty() && strText[strText.GetLength() - 1] == L'+')
            strText.Truncate(strText.GetLength() - 1);
        return strText;
    }
    if (stroke.fVirt & ZP_STROKE_VIRTKEY) {
        AppendKeyName(strText, stroke.key, TRUE);
    } else if (stroke.key >= 1 && stroke.key <= 26 && stroke.fVirt == ZP_STROKE_NOINVERT) {
        AppendKeyName(strText, VK_CONTROL, FALSE);
        strText += static_cast<WCHAR>(stroke.key + 0x40);
    } else if (stroke.key != VK_ESCAPE && stroke.key != VK_TAB) {
        strText += static_cast<WCHAR>(stroke.key);
    }
    return strText;
}

void CZPShortcutManager::CKeyHelper::Format(CString& strText) const
{
    strText = FormatStroke(m_pAccel->key[0]);
    if (m_pAccel->key[1].key != 0) {
        CString strSecond = FormatStroke(m_pAccel->key[1]);
        if (!strSecond.IsEmpty())
            strText += L", " + strSecond;
    }
}

void CZPShortcutManager::FormatShortcut(CString& strText, const CZPShortcutManagerAccel* pAccel, int* pnRank) const
{
    CKeyHelper helper(pAccel, this);
    helper.Format(strText);
    if (pnRank != NULL)
        *pnRank = RankOf(*pAccel);
}

BOOL CZPShortcutManager::ParseStroke(CString strText, ZP_SHORTCUT_STROKE* pStroke) const
{
    pStroke->fVirt = ZP_STROKE_VIRTKEY;
    pStroke->bReserved = 0;
    pStroke->key = 0;
    // "Ctrl+Break" names its modifier itself: cut it whole before the modifiers are looked for,
    // so that a saved Ctrl+Break comes back.
    const CString strBreak = LookupKeyTableName(kVkCtrlBreak);
    if (strText.GetLength() >= strBreak.GetLength() &&
        strText.Right(strBreak.GetLength()).CompareNoCase(strBreak) == 0) {
        strText = strText.Left(strText.GetLength() - strBreak.GetLength());
        pStroke->key = kVkCtrlBreak;
        pStroke->fVirt |= ZP_STROKE_CONTROL;
    }
    const struct
    {
        WORD nKey;
        BYTE fFlag;
    } modifiers[] = { { VK_CONTROL, ZP_STROKE_CONTROL }, { VK_MENU, ZP_STROKE_ALT }, { VK_SHIFT, ZP_STROKE_SHIFT } };
    for (const auto& modifier : modifiers) {
        CString strName = CString(LookupKeyTableName(modifier.nKey)) + L"+";
        int nAt = strText.Find(strName);
        if (nAt >= 0) {
            strText.Delete(nAt, strName.GetLength());
            pStroke->fVirt |= modifier.fFlag;
        }
    }
    if (pStroke->key == kVkCtrlBreak)
        return strText.IsEmpty();
    // The last entry of a name wins ("Win" is 0x5C).
    for (const KeyName& name : kKeyNames) {
        if (strText.CompareNoCase(name.lpszName) == 0)
            pStroke->key = name.nKey;
    }
    if (pStroke->key == 0 && !ParseHexKey(strText, &pStroke->key))
        return FALSE;
    return pStroke->key != 0;
}

BOOL CZPShortcutManager::ParseShortcut(const CString& strText, CZPShortcutManagerAccel* pAccel) const
{
    int nComma = strText.Find(L", ");
    if (nComma >= 0)
        return ParseStroke(strText.Left(nComma), &pAccel->key[0]) &&
               ParseStroke(strText.Mid(nComma + 2), &pAccel->key[1]);
    pAccel->key[1] = ZP_SHORTCUT_STROKE();
    return ParseStroke(strText, &pAccel->key[0]);
}

// ---- the table ----

CZPShortcutManager::CZPShortcutManager(CZPCommandBars* pCommandBars)
    : m_bAllowEscapeShortcut(FALSE), m_bUseKeyboardLayoutFirst(FALSE), m_bAllowDoubleKeyShortcuts(TRUE),
      m_bHasDefault(FALSE), m_nDisableCount(0), m_pCommandBars(pCommandBars)
{}

CZPShortcutManager::~CZPShortcutManager() = default;

void CZPShortcutManager::SetAccelerators(const ACCEL* pAccels, int nCount)
{
    m_accels.clear();
    for (int i = 0; i < nCount; ++i)
        m_accels.push_back(CZPShortcutManagerAccel(pAccels[i]));
}

void CZPShortcutManager::SetAccelerators(const CZPShortcutManagerAccel* pAccels, int nCount)
{
    m_accels.assign(pAccels, pAccels + std::max(nCount, 0));
}

void CZPShortcutManager::LoadFromAcceleratorResource(UINT nIDResource)
{
    m_accels.clear();
    HACCEL hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
    if (hAccel != NULL) {
        const int nCount = ::CopyAcceleratorTableW(hAccel, NULL, 0);
        std::vector<ACCEL> accels(static_cast<size_t>(std::max(nCount, 0)));
        if (nCount > 0 && ::CopyAcceleratorTableW(hAccel, accels.data(), nCount) == nCount)
            SetAccelerators(accels.data(), nCount);
    }
    m_defaultAccels = m_accels;
    m_bHasDefault = TRUE;
}

CZPShortcutManagerAccelTable& CZPShortcutManager::GetShortcuts()
{
    return m_accels;
}

void CZPShortcutManager::ResetToDefault()
{
    if (m_bHasDefault)
        m_accels = m_defaultAccels;
}

void CZPShortcutManager::DisableShortcuts(BOOL bDisable)
{
    // A stray enable must not leave the count below zero (it would need two disables to stop).
    if (bDisable)
        ++m_nDisableCount;
    else if (m_nDisableCount > 0)
        --m_nDisableCount;
}

BOOL CZPShortcutManager::IsAssignableStroke(const CZPShortcutManagerAccel* pAccel) const
{
    const ZP_SHORTCUT_STROKE& stroke = pAccel->key[0];
    return m_bAllowEscapeShortcut ||
           !(stroke.key == VK_ESCAPE && (stroke.fVirt & ZP_STROKE_VIRTKEY) && (stroke.fVirt & kModifierBits) == 0);
}

BOOL CZPShortcutManager::OnBeforeAdd(CZPShortcutManagerAccel*)
{
    return FALSE;
}

BOOL CZPShortcutManager::OnBeforeRemove(CZPShortcutManagerAccel*)
{
    return FALSE;
}

// ---- translation ----

BYTE CZPShortcutManager::GetModifierFlags()
{
    BYTE fFlags = 0;
    if (IsDown(VK_SHIFT))
        fFlags |= ZP_STROKE_SHIFT;
    // AltGr arrives as right Alt with left Ctrl: only the other two keys count then.
    const BOOL bAltGr = IsDown(VK_RMENU) && IsDown(VK_LCONTROL);
    if (bAltGr ? IsDown(VK_RCONTROL) : IsDown(VK_CONTROL))
        fFlags |= ZP_STROKE_CONTROL;
    if (bAltGr ? IsDown(VK_LMENU) : IsDown(VK_MENU))
        fFlags |= ZP_STROKE_ALT;
    return fFlags;
}

BOOL CZPShortcutManager::StrokeMatches(const ZP_SHORTCUT_STROKE& stroke, const MSG& msg, BYTE fModifiers)
{
    return StrokeKeyMatches(stroke, msg) && StrokeModifiersMatch(stroke, msg, fModifiers);
}

BOOL CZPShortcutManager::StrokeKeyMatches(const ZP_SHORTCUT_STROKE& stroke, const MSG& msg)
{
    return msg.wParam == stroke.key && ((stroke.fVirt & ZP_STROKE_VIRTKEY) != 0) == IsKeyDownMessage(msg.message);
}

BOOL CZPShortcutManager::StrokeModifiersMatch(const ZP_SHORTCUT_STROKE& stroke, const MSG& msg, BYTE fModifiers)
{
    const BYTE fCompared = IsKeyDownMessage(msg.message) ? kModifierBits : ZP_STROKE_ALT;
    return (stroke.fVirt & fCompared) == (fModifiers & fCompared);
}

BOOL CZPShortcutManager::TranslateShortcut(MSG* pMsg)
{
    if (m_pCommandBars == NULL || m_pCommandBars->IsCustomizeMode() || m_nDisableCount > 0 || m_accels.empty())
        return FALSE;
    const UINT message = pMsg->message;
    if (message != WM_KEYDOWN && message != WM_CHAR && message != WM_SYSKEYDOWN && message != WM_SYSCHAR)
        return FALSE;
    // The keyboard state is read only once some record has this key: most keys have none.
    int nModifiers = -1;
    auto it = std::find_if(m_accels.begin(), m_accels.end(), [&](const CZPShortcutManagerAccel& accel) {
        if (!StrokeKeyMatches(accel.key[0], *pMsg))
            return false;
        if (nModifiers < 0)
            nModifiers = GetModifierFlags();
        return StrokeModifiersMatch(accel.key[0], *pMsg, static_cast<BYTE>(nModifiers)) != FALSE;
    });
    if (it == m_accels.end())
        return FALSE;

    const HWND hWndSite = m_pCommandBars->GetSite()->GetSafeHwnd();
    if (hWndSite == NULL || !::IsWindowEnabled(hWndSite) || ::GetCapture() != NULL || ::IsIconic(hWndSite) ||
        it->cmd == 0)
        return TRUE;
    if (!it->IsChord()) {
        ::SendMessageW(hWndSite, WM_COMMAND, LOWORD(it->cmd), 0);
        return TRUE;
    }
    const CZPShortcutManagerAccel first = *it;
    // The wait dispatches messages that may destroy the frame and with it these command bars:
    // the reference keeps this manager alive until the wait is over.
    CRefPtr<CZPCommandBars> keepAlive = CRefPtr<CZPCommandBars>::AddRef(m_pCommandBars);
    const int nFound = WaitForSecondStroke(hWndSite, first);
    if (nFound >= 0 && ::IsWindow(hWndSite))
        ::SendMessageW(hWndSite, WM_COMMAND, LOWORD(m_accels[static_cast<size_t>(nFound)].cmd), 0);
    return TRUE;
}

namespace {
// The frame's message bar, NULL when the site is no frame or has none.
CWnd* MessageBarOf(HWND hWndSite)
{
    if (!::IsWindow(hWndSite))
        return NULL;
    CWnd* pSite = CWnd::FromHandlePermanent(hWndSite);
    CFrameWnd* pFrame =
        pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pSite) : NULL;
    return pFrame != NULL ? pFrame->GetMessageBar() : NULL;
}
}  // namespace

int CZPShortcutManager::WaitForSecondStroke(HWND hWndSite, const CZPShortcutManagerAccel& first)
{
    if (CWnd* pBar = MessageBarOf(hWndSite)) {
        CString strFormat;
        if (!ZpResourceManagerInstance()->LoadString(strFormat, kIdsChordWaiting) || strFormat.IsEmpty())
            strFormat = kChordWaitingText;
        CKeyHelper helper(&first, this);
        CString strMessage;
        strMessage.Format(strFormat, static_cast<LPCWSTR>(helper.FormatStroke(first.key[0])));
        pBar->SetWindowText(strMessage);
    }
    ++m_nDisableCount;
    int nFound = -1;
    ZpRunTrackingLoop(hWndSite, CZPTrackingLoop::flagTakeCapture, [&](const MSG& msg) -> BOOL {
        if (IsKeyDownMessage(msg.message)) {
            if (IsModifierKey(msg.wParam))
                return TRUE;
            const BYTE fModifiers = GetModifierFlags();
            for (size_t i = 0; i < m_accels.size(); ++i) {
                const CZPShortcutManagerAccel& accel = m_accels[i];
                if (accel.key[0].fVirt == first.key[0].fVirt && accel.key[0].key == first.key[0].key &&
                    accel.key[1].key != 0 && StrokeMatches(accel.key[1], msg, fModifiers)) {
                    nFound = static_cast<int>(i);
                    return FALSE;
                }
            }
            s_pfnChordBeep(MB_ICONEXCLAMATION);
            return FALSE;
        }
        ::DispatchMessageW(&msg);
        switch (msg.message) {
        case WM_COMMAND:
        case WM_ACTIVATE:
        case WM_LBUTTONDOWN:
        case WM_NCACTIVATE:
        case WM_CLOSE:
        case WM_SYSCOMMAND:
            return FALSE;
        default:
            return TRUE;
        }
    });
    --m_nDisableCount;
    if (CWnd* pBar = MessageBarOf(hWndSite))
        pBar->SetWindowText(L"");
    return nFound;
}

// ---- shortcut texts ----

BOOL CZPShortcutManager::ComposeShortcutText(int nId, CString& strText)
{
    CZPShortcutManagerAccelTable frameAccels;
    const CZPShortcutManagerAccelTable* pTable = &m_accels;
    if (m_accels.empty()) {
        if (m_bHasDefault)
            return FALSE;
        CWnd* pSite = m_pCommandBars != NULL ? m_pCommandBars->GetSite() : NULL;
        CFrameWnd* pFrame =
            pSite != NULL && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pSite) : NULL;
        HACCEL hAccel = pFrame != NULL ? pFrame->m_hAccelTable : NULL;
        const int nCount = hAccel != NULL ? ::CopyAcceleratorTableW(hAccel, NULL, 0) : 0;
        if (nCount <= 0)
            return FALSE;
        std::vector<ACCEL> accels(static_cast<size_t>(nCount));
        ::CopyAcceleratorTableW(hAccel, accels.data(), nCount);
        for (const ACCEL& accel : accels)
            frameAccels.push_back(CZPShortcutManagerAccel(accel));
        pTable = &frameAccels;
    }
    CString strBest;
    int nBestRank = -1;
    for (const CZPShortcutManagerAccel& accel : *pTable) {
        if (accel.cmd != static_cast<DWORD>(nId))
            continue;
        CString strCandidate;
        int nRank = 0;
        FormatShortcut(strCandidate, &accel, &nRank);
        if (strCandidate == strText)
            return TRUE;
        if (nRank > nBestRank) {
            strBest = strCandidate;
            nBestRank = nRank;
        }
    }
    strText = strBest;
    return nBestRank >= 0;
}

// ---- persistence ----

void CZPShortcutManager::ExchangeProperties(CZPPropExchange* pPX)
{
    pPX->ExchangeSchemaNumber();
    const long nSchema = pPX->GetSchema();
    if (pPX->IsStoring()) {
        const DWORD dwCount = static_cast<DWORD>(m_accels.size());
        if (pPX->SupportsBinary()) {
            pPX->WriteCount(dwCount);
            pPX->Write(L"Data", m_accels.data(), dwCount * sizeof(CZPShortcutManagerAccel));
            return;
        }
        CZPPropExchangeEnumeratorHolder pEnumerator(pPX->GetEnumerator(L"Shortcut"));
        POSITION pos = pEnumerator->GetPosition(dwCount);
        for (size_t i = 0; pos != NULL && i < m_accels.size(); ++i) {
            CRefPtr<CZPPropExchange> pSection = CRefPtr<CZPPropExchange>::Adopt(pEnumerator->GetNext(pos));
            long nId = static_cast<long>(m_accels[i].cmd);
            CKeyHelper helper(&m_accels[i], this);
            helper.SetDisplayNames(FALSE);
            CString strKey;
            helper.Format(strKey);
            PropExchangeLong(pSection.Get(), L"Id", &nId, 0);
            PropExchangeString(pSection.Get(), L"Key", strKey, L"");
        }
        return;
    }

    // Loaded into a table of its own: a failure half-way leaves the current shortcuts as they were.
    CZPShortcutManagerAccelTable loaded;
    if (pPX->SupportsBinary()) {
        const UINT nRecordSize = nSchema < ZP_SHORTCUT_SCHEMA_RECORDS ? sizeof(ACCEL) : sizeof(CZPShortcutManagerAccel);
        const DWORD dwCount = pPX->ReadCount();
        if (dwCount > ZP_MAX_ACCELERATORS_BYTES / nRecordSize)
            return;
        std::vector<BYTE> data(dwCount * nRecordSize);
        if (dwCount > 0 && pPX->Read(L"Data", data.data(), static_cast<UINT>(data.size())) != data.size())
            return;
        for (DWORD i = 0; i < dwCount; ++i) {
            const BYTE* pRecord = data.data() + i * nRecordSize;
            CZPShortcutManagerAccel accel;
            if (nRecordSize == sizeof(ACCEL)) {
                ACCEL entry;
                memcpy(&entry, pRecord, sizeof(entry));
                accel = CZPShortcutManagerAccel(entry);
            } else {
                memcpy(&accel, pRecord, sizeof(accel));
            }
            AppendUsable(loaded, accel);
        }
    } else {
        const BOOL bOld = nSchema < ZP_SHORTCUT_SCHEMA_RECORDS;
        CZPPropExchangeEnumeratorHolder pEnumerator(pPX->GetEnumerator(bOld ? L"Accel" : L"Shortcut"));
        POSITION pos = pEnumerator->GetPosition();
        while (pos != NULL) {
            CRefPtr<CZPPropExchange> pSection = CRefPtr<CZPPropExchange>::Adopt(pEnumerator->GetNext(pos));
            CZPShortcutManagerAccel accel;
            if (bOld) {
                short nId = 0, nKey = 0;
                BYTE fVirt = 0;
                PropExchangeShort(pSection.Get(), L"Id", &nId, 0);
                PropExchangeByte(pSection.Get(), L"virt", &fVirt, 0);
                PropExchangeShort(pSection.Get(), L"key", &nKey, 0);
                accel = CZPShortcutManagerAccel(static_cast<WORD>(nId), fVirt, static_cast<WORD>(nKey));
            } else {
                long nId = 0;
                CString strKey;
                PropExchangeLong(pSection.Get(), L"Id", &nId, 0);
                PropExchangeString(pSection.Get(), L"Key", strKey, L"");
                accel.cmd = static_cast<DWORD>(nId);
                if (!ParseShortcut(strKey, &accel))
                    continue;
            }
            AppendUsable(loaded, accel);
        }
    }
    m_accels.swap(loaded);
}

void CZPShortcutManager::SaveShortcuts(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!m_bHasDefault || pApp == NULL)
        return;
    pApp->WriteProfileBinary(lpszProfileName, L"Accelerators", reinterpret_cast<LPBYTE>(m_accels.data()),
                             static_cast<UINT>(m_accels.size() * sizeof(CZPShortcutManagerAccel)));
    pApp->WriteProfileInt(lpszProfileName, L"AcceleratorsVersion", ZP_ACCELERATORS_VERSION);
}

void CZPShortcutManager::LoadShortcuts(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!m_bHasDefault || pApp == NULL)
        return;
    const int nVersion = static_cast<int>(pApp->GetProfileInt(lpszProfileName, L"AcceleratorsVersion", 0));
    if (nVersion != 0 && nVersion != ZP_ACCELERATORS_VERSION)
        return;
    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszProfileName, L"Accelerators", &pData, &nBytes, ZP_MAX_ACCELERATORS_BYTES))
        return;
    std::unique_ptr<BYTE[]> data(pData);
    CZPShortcutManagerAccelTable loaded;
    const UINT nRecordSize = nVersion == 0 ? sizeof(ACCEL) : sizeof(CZPShortcutManagerAccel);
    for (UINT i = 0; i < nBytes / nRecordSize; ++i) {
        CZPShortcutManagerAccel accel;
        if (nVersion == 0) {
            ACCEL entry;
            memcpy(&entry, pData + i * nRecordSize, sizeof(entry));
            accel = CZPShortcutManagerAccel(entry);
        } else {
            memcpy(&accel, pData + i * nRecordSize, sizeof(accel));
        }
        AppendUsable(loaded, accel);
    }
    m_accels.swap(loaded);
}

// ---- mnemonics ----

namespace {
int DefaultKeyboardLayoutList(int nCount, HKL* pList)
{
    return ::GetKeyboardLayoutList(nCount, pList);
}

// One character from vk in a layout with the given key state, else 0.
WCHAR TranslateKey(UINT nVirtKey, const BYTE* pState, HKL hkl)
{
    WCHAR szChars[4] = {};
    // Flag 4: leave the keyboard's dead-key state as it is.
    const UINT kNoStateChange = 4;
    const int nChars = ::ToUnicodeEx(nVirtKey, ::MapVirtualKeyExW(nVirtKey, MAPVK_VK_TO_VSC, hkl), pState, szChars, 4,
                                     kNoStateChange, hkl);
    return nChars == 1 ? szChars[0] : 0;
}

WCHAR UpperOf(WCHAR ch)
{
    return static_cast<WCHAR>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ch)))));
}
}  // namespace

int (*g_pfnZpGetKeyboardLayoutList)(int, HKL*) = DefaultKeyboardLayoutList;

BOOL ZpIsMnemonicKey(WCHAR ch, UINT nVirtKey)
{
    if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9)
        return nVirtKey == static_cast<UINT>(ch) + 0x30;
    if (::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    if (static_cast<UINT>(ch) == nVirtKey || static_cast<UINT>(UpperOf(ch)) == nVirtKey)
        return TRUE;
    const int nLayouts = g_pfnZpGetKeyboardLayoutList(0, NULL);
    BYTE state[256];
    if (nLayouts < 2 || !::GetKeyboardState(state))
        return FALSE;
    std::vector<HKL> layouts(static_cast<size_t>(nLayouts));
    const int nGot = g_pfnZpGetKeyboardLayoutList(nLayouts, layouts.data());
    const WCHAR chUpper = UpperOf(ch);
    for (int i = 0; i < nGot; ++i) {
        for (int nPass = 0; nPass < 2; ++nPass) {
            // A copy: the thread's key state is never touched.
            BYTE keys[256];
            memcpy(keys, state, sizeof(keys));
            if (nPass == 1)
                keys[VK_SHIFT] = 0x80;
            const WCHAR chKey = TranslateKey(nVirtKey, keys, layouts[static_cast<size_t>(i)]);
            if (chKey != 0 && (chKey == ch || UpperOf(chKey) == chUpper))
                return TRUE;
        }
    }
    return FALSE;
}

int ZpFindMnemonicPrefix(LPCWSTR lpszText)
{
    if (lpszText == NULL)
        return -1;
    for (int i = 0; lpszText[i] != 0; ++i) {
        if (lpszText[i] != L'&')
            continue;
        if (lpszText[i + 1] == L'&') {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

WCHAR ZpMnemonicOfCaption(const CString& strCaption, BOOL* pbExplicit)
{
    const int nAmp = ZpFindMnemonicPrefix(strCaption);
    *pbExplicit = nAmp >= 0 && nAmp + 1 < strCaption.GetLength();
    if (*pbExplicit)
        return strCaption[nAmp + 1];
    return strCaption.IsEmpty() ? 0 : strCaption[0];
}
