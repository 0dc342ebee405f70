// Shared pieces of the find and replace dialog tests: an application object whose profile is a
// registry key of the test program's own, and a document with a non-ASCII text to search.
#pragma once

#include "app_test_support.h"

#include "AppIds.h"
#include "dialogs/FindDlg.h"
#include "dialogs/ReplaceDlg.h"

#include <framework/app.h>

#include <string>
#include <vector>

// Software\<company>: one per test program run, so runs side by side keep apart.
inline std::wstring TestCompanyKey()
{
    return L"Software\\Tolvane Dialog Tests " + std::to_wstring(GetCurrentProcessId());
}

inline std::wstring TestSettingsKey()
{
    return TestCompanyKey() + L"\\Tolvane\\Settings";
}

// The application object the registry manager takes its names from.
inline void EnsureTestApp()
{
    static const std::wstring s_company = TestCompanyKey().substr(wcslen(L"Software\\"));
    static CWinApp s_app(L"Tolvane");
    s_app.SetRegistryKey(s_company.c_str());
    RecordingThread();   // message boxes stay recorded
}

inline void SetStoredString(LPCWSTR lpszName, const std::wstring& value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, TestSettingsKey().c_str(), lpszName, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

inline void SetStoredInt(LPCWSTR lpszName, DWORD dwValue)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, TestSettingsKey().c_str(), lpszName, REG_DWORD, &dwValue, sizeof(dwValue));
}

// A stored text; "<none>" when the value is missing.
inline std::wstring StoredString(LPCWSTR lpszName)
{
    wchar_t szValue[4096];
    DWORD cbValue = sizeof(szValue);
    if (RegGetValueW(HKEY_CURRENT_USER, TestSettingsKey().c_str(), lpszName, RRF_RT_REG_SZ, NULL, szValue, &cbValue) !=
        ERROR_SUCCESS)
        return L"<none>";
    return szValue;
}

inline DWORD StoredInt(LPCWSTR lpszName)
{
    DWORD dwValue = 0xFFFFFFFF;
    DWORD cbValue = sizeof(dwValue);
    RegGetValueW(HKEY_CURRENT_USER, TestSettingsKey().c_str(), lpszName, RRF_RT_REG_DWORD, NULL, &dwValue, &cbValue);
    return dwValue;
}

inline std::vector<std::wstring> ToStrings(const CSearchHistory& history)
{
    std::vector<std::wstring> out;
    for (const CString& str : history)
        out.push_back(static_cast<LPCWSTR>(str));
    return out;
}

// A document open on a text with accented and CJK letters, and its search dialogs.
class SearchDialogTest : public DocHostTest
{
protected:
    static const char* Fixture()
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<plist version=\"1.0\">\n<dict>\n"
               "\t<key>city</key>\n\t<string>Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC caf\xC3\xA9</string>\n"
               "\t<key>again</key>\n\t<string>\xE6\x9D\xB1\xE4\xBA\xAC</string>\n"
               "</dict>\n</plist>\n";
    }

    void SetUp() override
    {
        EnsureTestApp();
        RegDeleteTreeW(HKEY_CURRENT_USER, TestCompanyKey().c_str());
        DocHostTest::SetUp();
        const std::wstring path = TestFolder() + L"search.plist";
        WriteFileBytes(path, Fixture());
        ASSERT_TRUE(m_host->Open(path));
    }
    void TearDown() override
    {
        DocHostTest::TearDown();
        RegDeleteTreeW(HKEY_CURRENT_USER, TestCompanyKey().c_str());
    }

    CFindDlg* OpenFind()
    {
        m_host->Doc().OnEditFind();
        return m_host->Doc().GetFindDialog();
    }
    CReplaceDlg* OpenReplace()
    {
        m_host->Doc().OnEditReplace();
        return m_host->Doc().GetReplaceDialog();
    }

    static void SetText(CDialog* pDlg, int nID, const std::wstring& text)
    {
        ::SetDlgItemTextW(pDlg->GetSafeHwnd(), nID, text.c_str());
    }
    static void Check(CDialog* pDlg, int nID, BOOL bCheck)
    {
        ::CheckDlgButton(pDlg->GetSafeHwnd(), nID, bCheck ? BST_CHECKED : BST_UNCHECKED);
    }
    static BOOL IsChecked(CDialog* pDlg, int nID)
    {
        return ::IsDlgButtonChecked(pDlg->GetSafeHwnd(), nID) == BST_CHECKED;
    }
    // A button press as the dialog receives it; Close deletes the dialog.
    static void Click(CDialog* pDlg, int nID)
    {
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(pDlg->GetSafeHwnd(), nID)));
    }
    static std::wstring ItemText(CDialog* pDlg, int nID)
    {
        HWND hWnd = ::GetDlgItem(pDlg->GetSafeHwnd(), nID);
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hWnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, &text[0], static_cast<int>(text.size()))));
        return text;
    }
    // The combo's list, top first.
    static std::vector<std::wstring> ComboItems(CDialog* pDlg, int nID)
    {
        HWND hWnd = ::GetDlgItem(pDlg->GetSafeHwnd(), nID);
        std::vector<std::wstring> items;
        const int nCount = static_cast<int>(::SendMessageW(hWnd, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            std::wstring item(static_cast<size_t>(::SendMessageW(hWnd, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
            item.resize(static_cast<size_t>(::SendMessageW(hWnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]))));
            items.push_back(item);
        }
        return items;
    }

    std::string Selection()
    {
        const Sci_Position nStart = m_host->Editor().GetSelectionStart();
        const Sci_Position nEnd = m_host->Editor().GetSelectionEnd();
        return m_host->EditorText().substr(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart));
    }
    Sci_Position SelectionStart() { return m_host->Editor().GetSelectionStart(); }
    // Byte offset of the n-th (0-based) occurrence of a UTF-8 text in the editor.
    Sci_Position Offset(const std::string& text, int n = 0)
    {
        const std::string s = m_host->EditorText();
        size_t pos = s.find(text);
        while (n-- > 0)
            pos = s.find(text, pos + 1);
        return static_cast<Sci_Position>(pos);
    }
};
