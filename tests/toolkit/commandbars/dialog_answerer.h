// Answers the dialogs and message boxes a test opens on its thread, through a CBT hook.
#pragma once

#include <framework.h>

#include <commctrl.h>

#include <deque>
#include <vector>

// While it lives, every dialog (class "#32770") that activates on this thread is answered from
// a queue: an entry with a name types it into edit 100 first. Texts of message boxes and the
// captions of dialogs are recorded. With the queue empty, IDCANCEL is posted.
class CDialogAnswerer
{
public:
    struct Answer
    {
        int nCommand;
        const wchar_t* lpszName;  // NULL: no typing
    };
    CDialogAnswerer() : m_hHook(::SetWindowsHookExW(WH_CBT, Proc, NULL, ::GetCurrentThreadId())) { s_pThis = this; }
    ~CDialogAnswerer()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pThis = NULL;
    }
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;

    void Queue(int nCommand, const wchar_t* lpszName = NULL) { m_answers.push_back(Answer{ nCommand, lpszName }); }

    std::deque<Answer> m_answers;
    std::vector<CString> m_texts;     // message box texts, in order
    std::vector<CString> m_captions;  // every answered dialog's caption, in order
    std::vector<HWND> m_owners;       // and its owner

private:
    static LRESULT CALLBACK Proc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE && s_pThis != NULL) {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            WCHAR szClass[16] = {};
            ::GetClassNameW(hWnd, szClass, 16);
            // Property sheets (the pages' own) are left alone.
            if (wcscmp(szClass, L"#32770") == 0 && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) == 0 &&
                ::FindWindowExW(hWnd, NULL, WC_TABCONTROLW, NULL) == NULL)
                s_pThis->AnswerDialog(hWnd);
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    void AnswerDialog(HWND hWnd)
    {
        WCHAR szText[512] = {};
        ::GetWindowTextW(hWnd, szText, 512);
        m_captions.push_back(szText);
        m_owners.push_back(::GetWindow(hWnd, GW_OWNER));
        if (::GetDlgItem(hWnd, 0xFFFF) != NULL) {
            ::GetDlgItemTextW(hWnd, 0xFFFF, szText, 512);
            m_texts.push_back(szText);
        }
        int nCommand = IDCANCEL;
        if (!m_answers.empty()) {
            const Answer answer = m_answers.front();
            m_answers.pop_front();
            nCommand = answer.nCommand;
            if (answer.lpszName != NULL)
                ::SetDlgItemTextW(hWnd, 100, answer.lpszName);
        }
        ::PostMessageW(hWnd, WM_COMMAND, static_cast<WPARAM>(nCommand), 0);
    }

    HHOOK m_hHook;
    static inline CDialogAnswerer* s_pThis = NULL;
};
