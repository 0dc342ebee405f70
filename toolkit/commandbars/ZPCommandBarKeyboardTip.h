// One keyboard tip: a small topmost popup with the keys that reach a control or a bar, drawn by
// the paint manager; a disabled tip is translucent.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include <vector>

class CZPCommandBars;

// Alignment bits of a tip against its anchor point.
const UINT ZP_KEYTIP_CENTER_HORZ = 1;
const UINT ZP_KEYTIP_RIGHT = 2;
const UINT ZP_KEYTIP_CENTER_VERT = 4;
const UINT ZP_KEYTIP_BOTTOM = 8;
// Opacity of a disabled tip.
const BYTE ZP_KEYTIP_DISABLED_ALPHA = 150;

class CZPCommandBarKeyboardTip : public CWnd
{
public:
    // pTarget is a control or a bar (borrowed: it outlives its tips).
    CZPCommandBarKeyboardTip(CZPCommandBars* pCommandBars, CCmdTarget* pTarget, LPCWSTR lpszTip, CPoint ptAnchor,
                             UINT nAlign, BOOL bEnabled);

    // Creates the hidden window owned by hWndOwner at its size and places it topmost, drawn once.
    BOOL CreateTipWindow(HWND hWndOwner, CSize size);

    CString m_strTip;
    CString m_strCaption;
    CString m_strPrefix;    // the alternative text
    CCmdTarget* m_pTarget;  // borrowed: the control or bar
    CPoint m_pt;
    BOOL m_bEnabled;
    BOOL m_bVisible;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner
    UINT m_nAlign;
    BOOL m_bExplicit;  // the tip had a text of its own

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Gives every tip without text one from its caption, drops tips with neither, and lengthens
// tips that start with the same character until they differ.
void ZpResolveKeyboardTipTexts(std::vector<CZPCommandBarKeyboardTip*>& tips);
