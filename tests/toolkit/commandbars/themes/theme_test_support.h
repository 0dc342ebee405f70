// Fixtures of the theme tests: a refreshed theme of one class, a bar with a window of a given
// size holding controls at given rectangles, and access to the themes' protected parts.
#pragma once

#include "DibSection.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/themes/ZPDefaultTheme.h"
#include "commandbars/themes/ZPNativeXPTheme.h"

#include <uxtheme.h>

template <class T> class CThemeRef
{
public:
    CThemeRef() : m_p(new T) { m_p->RefreshMetrics(); }
    ~CThemeRef() { m_p->InternalRelease(); }
    CThemeRef(const CThemeRef&) = delete;
    CThemeRef& operator=(const CThemeRef&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }

private:
    T* m_p;  // one reference
};

// Reaches protected members through pointers to members named in a derived class.
class CThemeAccess : public CZPDefaultTheme
{
public:
    static void FillDither(CZPDefaultTheme* p, CDC* pDC, CRect rc)
    {
        (p->*(&CThemeAccess::FillDitherPattern))(pDC, rc);
    }
    static void SetTextHeight(CZPDefaultTheme* p, int n) { p->*(&CThemeAccess::m_nTextHeight) = n; }
};

// A bar of one class with a popup window of the given client size at a position.
class CBarWindow
{
public:
    CBarWindow(CZPCommandBar* pBar, int nPosition, CSize szClient) : p(pBar)
    {
        p->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, szClient.cx, szClient.cy, NULL, NULL);
        p->SetPosition(nPosition);
    }
    ~CBarWindow() { p->InternalRelease(); }
    CBarWindow(const CBarWindow&) = delete;
    CBarWindow& operator=(const CBarWindow&) = delete;

    CZPControl* Add(int nKind, CRect rc, CRect rcRow)
    {
        CZPControl* pControl = p->GetControls()->Add(nKind, 100 + p->GetControls()->GetCount());
        pControl->SetRect(rc);
        pControl->SetRowRect(rcRow);
        return pControl;
    }

    CZPCommandBar* p;  // one reference
};

// The system's drawing of one part into a DIB filled like the theme's.
class CReference
{
public:
    CReference(LPCWSTR lpszClass, HWND hWnd = NULL) : m_hTheme(::OpenThemeData(hWnd, lpszClass)) {}
    ~CReference()
    {
        if (m_hTheme != NULL)
            ::CloseThemeData(m_hTheme);
    }
    CReference(const CReference&) = delete;
    CReference& operator=(const CReference&) = delete;
    void Draw(CDibSection& dib, int nPart, int nState, CRect rc, const RECT* pClip = NULL)
    {
        ::DrawThemeBackground(m_hTheme, dib.GetDC(), nPart, nState, &rc, pClip);
    }
    HTHEME m_hTheme;
};

inline BOOL SameDibs(const CDibSection& a, const CDibSection& b)
{
    ::GdiFlush();
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return FALSE;
    return TRUE;
}
