// The hyperlink control.
#include "common/ZPHyperLink.h"

#include "common/ZPColorManager.h"
#include "common/ZPCommonResource.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"

#include <shellapi.h>

namespace {

const UINT_PTR kHoverTimer = 1;
const UINT kHoverTimerMs = 10;
const COLORREF kTransparent = static_cast<COLORREF>(-1);
const DWORD kStaticTypeMask = 0xFF;
// ShellExecute answers above this value mean success.
const INT_PTR kShellSuccessAbove = 32;
const UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

struct SHELL_ERROR_TEXT
{
    int nResult;
    UINT nID;
};

const SHELL_ERROR_TEXT kShellErrorTexts[] = {
    { 0, ZP_IDS_SHELL_OUT_OF_RESOURCES },
    { ERROR_FILE_NOT_FOUND, ZP_IDS_SHELL_FILE_NOT_FOUND },
    { ERROR_PATH_NOT_FOUND, ZP_IDS_SHELL_PATH_NOT_FOUND },
    { SE_ERR_ACCESSDENIED, ZP_IDS_SHELL_ACCESS_DENIED },
    { SE_ERR_OOM, ZP_IDS_SHELL_OUT_OF_MEMORY },
    { ERROR_BAD_FORMAT, ZP_IDS_SHELL_BAD_FORMAT },
    { SE_ERR_SHARE, ZP_IDS_SHELL_SHARE },
    { SE_ERR_ASSOCINCOMPLETE, ZP_IDS_SHELL_ASSOC_INCOMPLETE },
    { SE_ERR_DDETIMEOUT, ZP_IDS_SHELL_DDE_TIMEOUT },
    { SE_ERR_DDEFAIL, ZP_IDS_SHELL_DDE_FAIL },
    { SE_ERR_DDEBUSY, ZP_IDS_SHELL_DDE_BUSY },
    { SE_ERR_NOASSOC, ZP_IDS_SHELL_NO_ASSOC },
    { SE_ERR_DLLNOTFOUND, ZP_IDS_SHELL_DLL_NOT_FOUND },
};

}  // namespace

IMPLEMENT_DYNAMIC(CZHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CZHyperLink, CStatic)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CZHyperLink::CZHyperLink()
    : m_bNavigateOnClick(TRUE), m_bInitOnSubclass(TRUE), m_bUnderline(TRUE), m_bHover(FALSE), m_bVisited(FALSE),
      m_bToolTipOn(TRUE), m_hLinkCursor(::LoadCursorW(NULL, IDC_HAND)), m_crLink(RGB(0, 0, 255)),
      m_crHover(RGB(255, 0, 0)), m_crVisited(RGB(128, 0, 128)), m_crBack(kTransparent)
{
    if (m_hLinkCursor == NULL)
        m_hLinkCursor = ZpResourceManagerInstance()->LoadCursor(ZP_IDC_HAND);
}

CZHyperLink::~CZHyperLink()
{
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.DestroyWindow();
}

void CZHyperLink::SetTarget(LPCWSTR lpszTarget)
{
    m_strTarget = lpszTarget != NULL ? lpszTarget : L"";
    if (m_strToolTipText.IsEmpty())
        m_strToolTipText = m_strTarget;
    if (m_strToolTipText.IsEmpty() || m_hWnd == NULL)
        return;
    if (m_toolTip.GetSafeHwnd() != NULL) {
        m_toolTip.UpdateTipText(m_strTarget, this, 0);
        return;
    }
    if (!m_toolTip.Create(this, 0))
        return;
    m_toolTip.AddTool(this, m_strToolTipText, NULL, 0);
    m_toolTip.Activate(m_bToolTipOn);
}

CString CZHyperLink::GetTarget() const
{
    return m_strTarget;
}

void CZHyperLink::SetColors(COLORREF crLink, COLORREF crVisited, COLORREF crHover)
{
    m_crLink = crLink;
    m_crVisited = crVisited;
    m_crHover = crHover;
    Redraw();
}

COLORREF CZHyperLink::GetLinkColor() const
{
    return m_crLink;
}

COLORREF CZHyperLink::GetVisitedColor() const
{
    return m_crVisited;
}

COLORREF CZHyperLink::GetHoverColor() const
{
    return m_crHover;
}

void CZHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    Redraw();
}

BOOL CZHyperLink::IsVisited() const
{
    return m_bVisited;
}

void CZHyperLink::SetLinkCursor(HCURSOR hCursor)
{
    m_hLinkCursor = hCursor;
}

HCURSOR CZHyperLink::GetLinkCursor() const
{
    return m_hLinkCursor;
}

void CZHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    ApplyFont();
}

BOOL CZHyperLink::IsUnderlined() const
{
    return m_bUnderline;
}

void CZHyperLink::SetBackColor(COLORREF crBack)
{
    m_crBack = crBack;
    Redraw();
}

COLORREF CZHyperLink::GetBackColor() const
{
    return m_crBack == kTransparent ? ZpColorManagerInstance().LookupColor(COLOR_3DFACE) : m_crBack;
}

BOOL CZHyperLink::Open(LPCWSTR lpszFile, int nShowCmd, LPCWSTR lpszParameters, LPCWSTR lpszDirectory)
{
    CString strFile = lpszFile != NULL ? CString(lpszFile) : m_strTarget;
    // The shell treats an empty name as the current folder: a link without a target opens nothing.
    if (strFile.IsEmpty()) {
        ReportShellError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    INT_PTR nResult = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(NULL, L"open", strFile, lpszParameters, lpszDirectory, nShowCmd));
    if (nResult > kShellSuccessAbove)
        return TRUE;
    ReportShellError(static_cast<int>(nResult));
    return FALSE;
}

BOOL CZHyperLink::HasTextStyle() const
{
    DWORD dwType = GetStyle() & kStaticTypeMask;
    return dwType == SS_LEFT || dwType == SS_CENTER || dwType == SS_RIGHT;
}

BOOL CZHyperLink::IsPointerOverText()
{
    if (!HasTextStyle())
        return TRUE;
    CString strText;
    GetWindowText(strText);
    SIZE sizeText = { 0, 0 };
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL) {
        HGDIOBJ hOldFont = ::SelectObject(hDC, GetFont());
        ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &sizeText);
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(NULL, hDC);
    }
    CRect rcText;
    GetWindowRect(&rcText);
    switch (GetStyle() & kStaticTypeMask) {
    case SS_CENTER:
        rcText.DeflateRect((rcText.Width() - sizeText.cx) / 2, 0);
        break;
    case SS_RIGHT:
        rcText.left = rcText.right - sizeText.cx;
        break;
    default:
        rcText.right = rcText.left + sizeText.cx;
        break;
    }
    POINT ptCursor;
    return ::GetCursorPos(&ptCursor) && rcText.PtInRect(ptCursor);
}

CString PASCAL CZHyperLink::GetShellErrorText(int nResult)
{
    for (const SHELL_ERROR_TEXT& entry : kShellErrorTexts) {
        if (entry.nResult == nResult)
            return ZpResourceManagerInstance()->LoadStringOrEmpty(entry.nID);
    }
    // The text may come from a language file: its one %d is replaced, never used as a format.
    CString strText = ZpResourceManagerInstance()->LoadStringOrEmpty(ZP_IDS_SHELL_UNKNOWN_ERROR);
    CString strNumber;
    strNumber.Format(L"%d", nResult);
    int nAt = strText.Find(L"%d");
    if (nAt >= 0)
        strText = strText.Left(nAt) + strNumber + strText.Mid(nAt + 2);
    return strText;
}

void CZHyperLink::ReportShellError(int nResult)
{
    ::MessageBeep(MB_ICONEXCLAMATION);
    ZpResourceManagerInstance()->ShowMessageBox(GetShellErrorText(nResult), MB_ICONEXCLAMATION);
}

BOOL CZHyperLink::InitControl()
{
    if (m_hWnd == NULL)
        return FALSE;
    if (HasTextStyle()) {
        if (m_strTarget.IsEmpty())
            GetWindowText(m_strTarget);
        SetTarget(m_strTarget);
    }
    ModifyStyle(0, SS_NOTIFY);
    return ApplyFont();
}

BOOL CZHyperLink::ApplyFont()
{
    CFont font;
    if (!BuildFont(font, m_bUnderline) || m_hWnd == NULL)
        return FALSE;
    // The control keeps drawing with the old font until it has the new one.
    SetFont(static_cast<HFONT>(font.m_hObject), TRUE);
    m_font.DeleteObject();
    m_font.Attach(font.Detach());
    RedrawWindow(NULL, NULL, kRedrawNow);
    return TRUE;
}

BOOL CZHyperLink::BuildFont(CFont& font, BOOL bUnderline)
{
    LOGFONTW lf = {};
    HFONT hCurrent = m_hWnd != NULL ? GetFont() : NULL;
    if (hCurrent == NULL || ::GetObjectW(hCurrent, sizeof(lf), &lf) == 0) {
        if (!ZpGetIconTitleFont(&lf))
            return FALSE;
    }
    lf.lfUnderline = static_cast<BYTE>(bUnderline ? TRUE : FALSE);
    font.DeleteObject();
    return font.CreateFontIndirect(&lf);
}

void CZHyperLink::Redraw()
{
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, kRedrawNow);
}

void CZHyperLink::PreSubclassWindow()
{
    if (m_bInitOnSubclass)
        InitControl();
    CStatic::PreSubclassWindow();
}

BOOL CZHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CStatic::PreCreateWindow(cs))
        return FALSE;
    m_bInitOnSubclass = FALSE;
    return TRUE;
}

BOOL CZHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != NULL && m_bToolTipOn)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

int CZHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitControl();
    return 0;
}

BOOL CZHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != NULL && IsPointerOverText()) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CZHyperLink::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void CZHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (HasTextStyle() && IsPointerOverText())
        SetTimer(kHoverTimer, kHoverTimerMs);
    CStatic::OnMouseMove(nFlags, point);
}

void CZHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (HasTextStyle()) {
        BOOL bHover = IsPointerOverText();
        if (bHover != m_bHover) {
            m_bHover = bHover;
            RedrawWindow(NULL, NULL, kRedrawNow);
        }
        if (!m_bHover)
            KillTimer(kHoverTimer);
    }
    CStatic::OnTimer(nIDEvent);
}

HBRUSH CZHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (!HasTextStyle())
        return NULL;
    // The parent's default colours first: they set the DC's text colour, which ours replaces.
    HBRUSH hBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    CWnd* pParent = GetParent();
    if (m_crBack == kTransparent && pParent != NULL) {
        hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(pParent->m_hWnd, WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(pDC->m_hDC),
                                                           reinterpret_cast<LPARAM>(m_hWnd)));
    }
    pDC->SetTextColor(m_bHover ? m_crHover : m_bVisited ? m_crVisited : m_crLink);
    pDC->SetBkMode(TRANSPARENT);
    return hBrush;
}

BOOL CZHyperLink::OnEraseBkgnd(CDC* pDC)
{
    if (m_crBack != kTransparent)
        return TRUE;
    return CStatic::OnEraseBkgnd(pDC);
}

void CZHyperLink::OnPaint()
{
    if ((GetExStyle() & WS_EX_TRANSPARENT) != 0 || m_crBack == kTransparent) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CZPBufferDC memDC(dc);
    CRect rcClient;
    GetClientRect(&rcClient);
    memDC.FillSolidRect(&rcClient, GetBackColor());
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.m_hDC), 0);
}

void CZHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    Redraw();
}

BOOL CZHyperLink::OnClicked()
{
    if (IsPointerOverText()) {
        if (m_bNavigateOnClick)
            m_bVisited = Open(m_strTarget, SW_SHOW);
        else
            m_bVisited = TRUE;
        if (m_toolTip.GetSafeHwnd() != NULL && m_bToolTipOn)
            m_toolTip.Pop();
    }
    // Text links pass the click on to the parent; picture links keep it.
    return !HasTextStyle();
}
