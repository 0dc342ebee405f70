// A link on a bar (kind 0): its tooltip text is the address it opens.
#pragma once

#include <framework/gdi.h>

#include "commandbars/ZPControl.h"

// How the link opens an address; tests put a recorder in place of the shell.
typedef HINSTANCE(WINAPI* ZpShellExecuteProc)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
// Installs pProc (NULL: the shell's own) and answers the one it replaces.
ZpShellExecuteProc ZpSetHyperlinkShellExecute(ZpShellExecuteProc pProc);

// TRUE for the addresses a link may open: http, https and mailto. A stored layout can set the
// text, so anything else (programs, files, other schemes) is never handed to the shell.
BOOL ZpIsOpenableLinkAddress(const CString& strAddress);

class CZPControlHyperlink : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlHyperlink)
public:
    CZPControlHyperlink();
    void Execute() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    void OnMouseMove(CPoint point) override;

    HCURSOR GetLinkCursor() const { return m_hCursor; }

private:
    CFont* ResolveFont();
    HCURSOR m_hCursor;  // shared system cursor, never destroyed
};
