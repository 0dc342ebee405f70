// Work done inside a modal loop: a step message posted to a hidden window before the loop starts
// is dispatched by that loop, while the dialog is up.
#pragma once

#include <windows.h>

#include <functional>

class CModalStep
{
public:
    explicit CModalStep(std::function<void()> fnStep)
        : m_fnStep(std::move(fnStep)),
          m_hWnd(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL))
    {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CModalStep::StepProc)));
    }
    ~CModalStep() { ::DestroyWindow(m_hWnd); }
    CModalStep(const CModalStep&) = delete;
    CModalStep& operator=(const CModalStep&) = delete;

    void Post() { ::PostMessageW(m_hWnd, kStepMessage, 0, 0); }

private:
    static const UINT kStepMessage = WM_APP + 47;

    static LRESULT CALLBACK StepProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CModalStep* pThis = reinterpret_cast<CModalStep*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message == kStepMessage) {
            pThis->m_fnStep();
            return 0;
        }
        return ::CallWindowProcW(pThis->m_pfnOld, hWnd, message, wParam, lParam);
    }

    std::function<void()> m_fnStep;
    HWND m_hWnd;
    WNDPROC m_pfnOld = NULL;
};

inline BOOL CALLBACK FindDialogWindow(HWND hWnd, LPARAM lParam)
{
    WCHAR szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (lstrcmpW(szClass, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The thread's dialog box (the modal one, which its loop shows only once idle), or NULL.
inline HWND FindThreadDialog()
{
    HWND hFound = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogWindow, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}
