// A dock bar: the strip along one edge of the site frame where toolbars dock. Only its window and
// its alignment exist so far; docking and layout come with the docking code.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

// Bar-style bits of a dock bar: its edge and the border it draws.
const DWORD ZP_CBRS_BORDER_LEFT = 0x0100;
const DWORD ZP_CBRS_BORDER_TOP = 0x0200;
const DWORD ZP_CBRS_BORDER_RIGHT = 0x0400;
const DWORD ZP_CBRS_BORDER_BOTTOM = 0x0800;
const DWORD ZP_CBRS_ALIGN_LEFT = 0x1000;
const DWORD ZP_CBRS_ALIGN_TOP = 0x2000;
const DWORD ZP_CBRS_ALIGN_RIGHT = 0x4000;
const DWORD ZP_CBRS_ALIGN_BOTTOM = 0x8000;
const DWORD ZP_CBRS_ALIGN_ANY = 0xF000;

// The window class of dock bars.
extern const wchar_t kZpDockBarClass[];

class CZPDockBar : public CWnd
{
    DECLARE_DYNCREATE(CZPDockBar)
public:
    CZPDockBar();

    // Creates the child window of the site with the given bar style and id; FALSE on failure.
    virtual BOOL CreateDockBar(CWnd* pSite, DWORD dwBarStyle, UINT nId);
    DWORD GetBarStyle() const { return m_dwBarStyle; }

private:
    DWORD m_dwBarStyle;
};
