// A host window for mouse tests: its procedure offers every message to a markup tree first.
#pragma once

#include <windows.h>

class CZPMarkupContext;
class CZPMarkupObject;

class CMarkupHostWindow
{
public:
    CMarkupHostWindow() = default;
    ~CMarkupHostWindow() { Destroy(); }
    CMarkupHostWindow(const CMarkupHostWindow&) = delete;
    CMarkupHostWindow& operator=(const CMarkupHostWindow&) = delete;

    // A visible popup of cx by cy at the top left of the display.
    HWND Create(int cx, int cy);
    void Destroy();

    HWND m_hWnd = NULL;
    // Messages reach m_pRoot's tree through m_pContext while the context is set; neither is owned.
    CZPMarkupContext* m_pContext = NULL;
    CZPMarkupObject* m_pRoot = NULL;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
