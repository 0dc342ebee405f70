// The group line's painting: text, then the line from 6 pixels after it to the far edge.
#include "commandbars/ZPGroupLine.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace {

const int kLineGap = 6;

}  // namespace

IMPLEMENT_DYNAMIC(CZPGroupLine, CStatic)

BEGIN_MESSAGE_MAP(CZPGroupLine, CStatic)
ON_WM_PAINT()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CZPGroupLine::CZPGroupLine() {}

void CZPGroupLine::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    m_themeButton.OpenTheme(m_hWnd, L"BUTTON");
}

LRESULT CZPGroupLine::OnThemeChanged(WPARAM, LPARAM)
{
    m_themeButton.OpenTheme(m_hWnd, L"BUTTON");
    Invalidate();
    return 0;
}

void CZPGroupLine::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CZPGroupLine::OnPrintClient(WPARAM wParam, LPARAM)
{
    Draw(*CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CZPGroupLine::Draw(CDC& dc)
{
    CRect rcClient;
    GetClientRect(rcClient);
    const BOOL bThemed = m_themeButton.GetThemeHandle() != NULL;
    COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    COLORREF crThemeText = 0;
    if (bThemed && SUCCEEDED(m_themeButton.GetColor(BP_GROUPBOX, GBS_NORMAL, TMT_TEXTCOLOR, &crThemeText)))
        crText = crThemeText;

    CString strText;
    GetWindowText(strText);
    const BOOL bRightToLeft = (GetExStyle() & WS_EX_RTLREADING) != 0;
    HGDIOBJ hOldFont = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const COLORREF crOld = dc.SetTextColor(crText);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | (bRightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
    dc.DrawText(strText, rcClient, nFormat);
    CRect rcMeasure(rcClient);
    dc.DrawText(strText, rcMeasure, nFormat | DT_CALCRECT);
    const int cxText = strText.IsEmpty() ? 0 : rcMeasure.Width();
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(crOld);
    dc.SelectObject(hOldFont);

    const int y = rcClient.top + rcClient.Height() / 2;
    const int xFrom = bRightToLeft ? rcClient.left : rcClient.left + cxText + kLineGap;
    const int xTo = bRightToLeft ? rcClient.right - cxText - kLineGap : rcClient.right;
    if (xTo <= xFrom)
        return;
    COLORREF crBorder = 0;
    if (bThemed && SUCCEEDED(m_themeButton.GetColor(BP_GROUPBOX, GBS_NORMAL, TMT_BORDERCOLORHINT, &crBorder))) {
        dc.FillSolidRect(xFrom, y, xTo - xFrom, 1, crBorder);
    } else {
        dc.FillSolidRect(xFrom, y, xTo - xFrom, 1, ::GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(xFrom, y + 1, xTo - xFrom, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}
