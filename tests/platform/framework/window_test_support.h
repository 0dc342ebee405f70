// Shared pieces of the window-layer tests: a message pump, in-memory dialog templates and a
// thread object that records what the framework reports.
#pragma once

#include <framework/dialog.h>
#include <framework/thread.h>

#include <string>
#include <vector>

// Dispatches what is queued now, through the framework's pre-translation.
inline void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// A thread object that records message boxes and stopped exceptions instead of showing them.
class CRecordingThread : public CWinThread
{
public:
    std::vector<std::wstring> m_boxes;
    std::vector<UINT> m_exceptionMessages;

    int DoMessageBox(LPCWSTR lpszPrompt, UINT, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        return IDOK;
    }
    LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override
    {
        m_exceptionMessages.push_back(pMsg->message);
        (void)e;
        return pMsg->message == WM_CREATE ? -1 : 0;
    }
};

// Builds a DLGTEMPLATE with items in memory (dialog units).
class CDialogTemplateBuilder
{
public:
    CDialogTemplateBuilder(LPCWSTR lpszCaption, int cx, int cy, DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME)
    {
        DLGTEMPLATE dt = {};
        dt.style = dwStyle;
        dt.cx = static_cast<short>(cx);
        dt.cy = static_cast<short>(cy);
        Append(&dt, sizeof(dt));
        AppendWord(0);   // no menu
        AppendWord(0);   // standard class
        AppendString(lpszCaption);
        if ((dwStyle & DS_SETFONT) != 0) {
            AppendWord(8);
            AppendString(L"MS Shell Dlg");
        }
    }

    // wClass: 0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box.
    void AddItem(WORD wClass, WORD wId, DWORD dwStyle, int x, int y, int cx, int cy, LPCWSTR lpszText = L"")
    {
        Align();
        DLGITEMTEMPLATE it = {};
        it.style = dwStyle | WS_CHILD | WS_VISIBLE;
        it.x = static_cast<short>(x);
        it.y = static_cast<short>(y);
        it.cx = static_cast<short>(cx);
        it.cy = static_cast<short>(cy);
        it.id = wId;
        Append(&it, sizeof(it));
        AppendWord(0xFFFF);
        AppendWord(wClass);
        AppendString(lpszText);
        AppendWord(0);   // no creation data
        ++reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->cdit;
    }

    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(m_bytes.data()); }

private:
    void Append(const void* p, size_t cb)
    {
        const BYTE* pb = static_cast<const BYTE*>(p);
        m_bytes.insert(m_bytes.end(), pb, pb + cb);
    }
    void AppendWord(WORD w) { Append(&w, sizeof(w)); }
    void AppendString(LPCWSTR psz) { Append(psz, (wcslen(psz) + 1) * sizeof(WCHAR)); }
    void Align()
    {
        while (m_bytes.size() % 4 != 0)
            m_bytes.push_back(0);
    }

    std::vector<BYTE> m_bytes;   // the heap block is DWORD-aligned
};
