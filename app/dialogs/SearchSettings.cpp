// The find and replace dialogs' settings under the application's key, section "Settings".
#include "dialogs/SearchSettings.h"

#include <common/ZPRegistryManager.h>
#include <framework/regkey.h>

namespace {

const LPCWSTR kSection = L"Settings";
const LPCWSTR kMatchCase = L"Match Case";
const LPCWSTR kMatchRegEx = L"Match RegEx";
const LPCWSTR kMatchWords = L"Match Words";
const LPCWSTR kDirection = L"Direction";
const int kDirectionDown = 1;

CString EntryName(LPCWSTR lpszFormat, int nIndex)
{
    CString strEntry;
    strEntry.Format(lpszFormat, nIndex);
    return strEntry;
}

enum class StoredText { Missing, Text, Unusable };

// A stored text of a history: REG_SZ of at most kMaxHistoryChars characters.
StoredText ReadStoredText(HKEY hKey, LPCWSTR lpszEntry, CString& strText)
{
    DWORD dwType = REG_NONE;
    DWORD cbData = 0;
    LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, NULL, &cbData);
    if (lResult == ERROR_FILE_NOT_FOUND)
        return StoredText::Missing;
    const DWORD cbMax = (kMaxHistoryChars + 1) * sizeof(WCHAR);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ || cbData > cbMax)
        return StoredText::Unusable;
    WCHAR szText[kMaxHistoryChars + 1] = {};
    cbData = cbMax;
    if (::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<BYTE*>(szText), &cbData) != ERROR_SUCCESS)
        return StoredText::Unusable;
    // The stored value may lack its terminator.
    szText[kMaxHistoryChars] = L'\0';
    strText = szText;
    return StoredText::Text;
}

BOOL Remembered(const CString& strText)
{
    return !strText.IsEmpty() && strText.GetLength() <= kMaxHistoryChars;
}

}  // namespace

const LPCWSTR kSearchHistoryFormat = L"History%d";
const LPCWSTR kReplaceHistoryFormat = L"Replace%d";

void CSearchOptions::Load()
{
    CZRegistryManager manager(HKEY_CURRENT_USER);
    bMatchCase = manager.GetProfileInt(kSection, kMatchCase, FALSE) != 0;
    bRegEx = manager.GetProfileInt(kSection, kMatchRegEx, FALSE) != 0;
    bWholeWords = manager.GetProfileInt(kSection, kMatchWords, FALSE) != 0;
    // Anything but "up" searches down, as a damaged value would otherwise check no button.
    nDirection = manager.GetProfileInt(kSection, kDirection, kDirectionDown) == 0 ? 0 : kDirectionDown;
}

void CSearchOptions::Save() const
{
    CZRegistryManager manager(HKEY_CURRENT_USER);
    manager.WriteProfileInt(kSection, kMatchCase, bMatchCase);
    manager.WriteProfileInt(kSection, kMatchRegEx, bRegEx);
    manager.WriteProfileInt(kSection, kMatchWords, bWholeWords);
    manager.WriteProfileInt(kSection, kDirection, nDirection);
}

DWORD CSearchOptions::GetFlags() const
{
    DWORD dwFlags = 0;
    if (bWholeWords)
        dwFlags |= kSearchWholeWord;
    if (bMatchCase)
        dwFlags |= kSearchMatchCase;
    if (bRegEx)
        dwFlags |= kSearchRegExp;
    return dwFlags;
}

void LoadSearchHistory(LPCWSTR lpszFormat, CSearchHistory& history)
{
    CRegKeyHolder key(CZRegistryManager(HKEY_CURRENT_USER).OpenSectionKey(kSection, KEY_READ));
    if (key == NULL)
        return;
    for (int i = 0; i < kHistoryEntries; ++i) {
        CString strText;
        const StoredText result = ReadStoredText(key, EntryName(lpszFormat, i), strText);
        if (result == StoredText::Missing || (result == StoredText::Text && strText.IsEmpty()))
            break;
        if (result == StoredText::Text)
            history.push_back(strText);
    }
}

void SaveSearchHistory(LPCWSTR lpszFormat, const CSearchHistory& history)
{
    CZRegistryManager manager(HKEY_CURRENT_USER);
    for (int i = 0; i < kHistoryEntries; ++i) {
        const size_t nIndex = static_cast<size_t>(i);
        manager.WriteProfileString(kSection, EntryName(lpszFormat, i), nIndex < history.size() ? history[nIndex] : L"");
    }
}

BOOL AddToSearchHistory(CSearchHistory& history, CComboBox& combo, const CString& strText)
{
    // An empty entry would end the reading at the next start and lose the entries after it.
    if (!Remembered(strText))
        return FALSE;
    for (const CString& strEntry : history) {
        if (strEntry == strText)
            return FALSE;
    }
    history.push_back(strText);
    if (combo.GetSafeHwnd() != NULL)
        combo.InsertString(0, strText);
    return TRUE;
}

void FillSearchCombo(CComboBox& combo, const CSearchHistory& history, const CString& strText)
{
    combo.ResetContent();
    for (auto it = history.rbegin(); it != history.rend(); ++it)
        combo.AddString(*it);
    if (strText.Find(L"\r\n") < 0)
        combo.SetWindowText(strText);
}
