// The link control: measuring, colours and opening its address.
#include "commandbars/ZPControlHyperlink.h"

#include <shellapi.h>

#include "common/ZPResourceManager.h"
#include "common/ZPCommonResource.h"
#include "commandbars/ZPPaintManager.h"

IMPLEMENT_DYNCREATE(CZPControlHyperlink, CZPControl)

namespace {
const COLORREF kLinkColor = RGB(0, 0, 255);
const COLORREF kLinkSelectedColor = RGB(255, 0, 0);
const UINT kLinkTextFormat = DT_SINGLELINE | DT_NOPREFIX;
const LPCWSTR kOpenableSchemes[] = { L"http://", L"https://", L"mailto:" };

ZpShellExecuteProc s_pShellExecute = ::ShellExecuteW;
}  // namespace

ZpShellExecuteProc ZpSetHyperlinkShellExecute(ZpShellExecuteProc pProc)
{
    ZpShellExecuteProc pOld = s_pShellExecute;
    s_pShellExecute = pProc != NULL ? pProc : ::ShellExecuteW;
    return pOld;
}

BOOL ZpIsOpenableLinkAddress(const CString& strAddress)
{
    CString strTrimmed = strAddress;
    strTrimmed.Trim();
    if (strTrimmed != strAddress)
        return FALSE;
    for (LPCWSTR lpszScheme : kOpenableSchemes) {
        const int nScheme = static_cast<int>(wcslen(lpszScheme));
        if (strAddress.GetLength() > nScheme && strAddress.Left(nScheme).CompareNoCase(lpszScheme) == 0)
            return TRUE;
    }
    return FALSE;
}

CZPControlHyperlink::CZPControlHyperlink() : m_hCursor(::LoadCursorW(NULL, IDC_HAND))
{
    if (m_hCursor == NULL)
        m_hCursor = ZpResourceManagerInstance()->LoadCursor(ZP_IDC_HAND);
}

void CZPControlHyperlink::Execute()
{
    const CString strAddress = GetTooltip();
    if (!ZpIsOpenableLinkAddress(strAddress))
        return;
    s_pShellExecute(NULL, L"open", strAddress, NULL, NULL, SW_SHOWNORMAL);
}

CFont* CZPControlHyperlink::ResolveFont()
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetRegularFont()
                                 : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

CSize CZPControlHyperlink::GetSize(CDC* pDC)
{
    CFont* pOldFont = pDC->SelectObject(ResolveFont());
    const CString strCaption = GetCaption();
    CSize size = pDC->GetTextExtent(strCaption, strCaption.GetLength());
    pDC->SelectObject(pOldFont);
    return size;
}

void CZPControlHyperlink::Draw(CDC* pDC)
{
    COLORREF clrText = ::GetSysColor(COLOR_GRAYTEXT);
    if (GetEnabled())
        clrText = GetSelected() != zpSelectionNone ? kLinkSelectedColor : kLinkColor;
    CFont* pOldFont = pDC->SelectObject(ResolveFont());
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = m_rcControl;
    pDC->DrawText(GetCaption(), rc, kLinkTextFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CZPControlHyperlink::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!bKeyboard && IsCustomizeMode() && IsCustomizeMovable()) {
        OnCustomizeMouseDown(point);
        return;
    }
    Execute();
}

void CZPControlHyperlink::OnMouseMove(CPoint)
{
    ::SetCursor(m_hCursor);
}
