// The toolkit's tip window: the tooltip-control messages the context sends, timing, placement,
// the mouse hook that hides a tip when the pointer leaves its tool, and plain drawing.
#include "common/ZPToolTipContextToolTip.h"

#include "common/ZPColorManager.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageManager.h"
#include "common/ZPOffice2007Images.h"
#include "common/ZPResourceManager.h"
#include "common/ZPSystemHelpers.h"
#include "common/ZPToolInfo.h"

#include <algorithm>
#include <wchar.h>

namespace
{

const UINT kClassStyle = CS_SAVEBITS | CS_OWNDC;
const DWORD kFrameInset = 3;                 // between the margins and the content, each side
const UINT kCalcTitleFlags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;
const UINT kCalcTextFlags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
const UINT kDrawFlags = DT_NOPREFIX | DT_EXPANDTABS;
const UINT kDrawFlagsRTL = kDrawFlags | DT_RIGHT | DT_RTLREADING;
const int kSmallImageHeight = 16;
const int kTitleExtraWidth = 4;
const int kTitleExtraHeight = 20;
const int kTitleGap = 12;                    // from the title's text to the body
const int kBodyIndentNear = 10;
const int kBodyIndentFar = 15;
const int kTitleBodyMinimum = 25;
const UINT kHideFlags = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
const UINT kPlaceFlags = SWP_NOACTIVATE | SWP_NOOWNERZORDER;
const UINT kShowFlags = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
const int kWorkAreaGap = 4;
const int kAboveCursorGap = 3;
const int kCursorMaskBytes = 256;

const COLORREF kOffice2007Light = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kOffice2007Dark = 0xEFD9C9;
const COLORREF kOffice2007Border = 0x767676;
const COLORREF kOffice2007FrameKey = RGB(0xFF, 0x00, 0xFF);
const COLORREF kBlack = RGB(0, 0, 0);

// The thread's mouse hook and the tip that installed it.
HHOOK g_hMouseHook = NULL;
CZPToolTipContextToolTip* g_pHookTip = NULL;   // borrowed; cleared before that tip goes

BOOL IsRightToLeft(HWND hWnd)
{
    return hWnd != NULL && (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

BOOL IsMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 || (::GetKeyState(VK_RBUTTON) & 0x8000) != 0 ||
           (::GetKeyState(VK_MBUTTON) & 0x8000) != 0;
}

// A string id from a module: empty without the module.
CString LoadToolString(HINSTANCE hinst, LPCWSTR lpszId)
{
    CString str;
    if (hinst != NULL)
        CZPResourceManager::LoadStringFromModule(hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszId)), str);
    return str;
}

} // namespace

void CZPToolTipContextToolTip::TOOLITEM::Clear()
{
    strText.Empty();
    bTextCallback = FALSE;
    uFlags = 0;
    ::SetRectEmpty(&rect);
    hinst = NULL;
    hwnd = NULL;
    uId = static_cast<UINT_PTR>(-1);
    ::SetRectEmpty(&rcAnchor);
}

IMPLEMENT_DYNAMIC(CZPToolTipContextToolTip, CWnd)

BEGIN_MESSAGE_MAP(CZPToolTipContextToolTip, CWnd)
    ON_MESSAGE(TTM_ACTIVATE, OnActivateMsg)
    ON_MESSAGE(TTM_SETDELAYTIME, OnSetDelayTime)
    ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
    ON_MESSAGE(TTM_SETTITLEW, OnSetTitle)
    ON_MESSAGE(TTM_ADDTOOLW, OnAddTool)
    ON_MESSAGE(TTM_DELTOOLW, OnDelTool)
    ON_MESSAGE(TTM_UPDATETIPTEXTW, OnUpdateTipText)
    ON_MESSAGE(ZP_TTM_SETIMAGE, OnSetImage)
    ON_MESSAGE(WM_PAINT, OnPaintMsg)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMsg)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivateMsg)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
    ON_MESSAGE(WM_TIMER, OnTimerMsg)
    ON_MESSAGE(WM_DESTROY, OnDestroyMsg)
END_MESSAGE_MAP()

CZPToolTipContextToolTip::CZPToolTipContextToolTip(CZPToolTipContext* pContext)
    : m_pContext(pContext), m_bActive(FALSE), m_nTimer(0), m_dwLastShowTime(0),
      m_nInitialDelay(kDefaultInitialDelay), m_nReshowDelay(kDefaultReshowDelay), m_pImage(NULL), m_bRegionSet(FALSE)
{
}

CZPToolTipContextToolTip::~CZPToolTipContextToolTip()
{
    RemoveMouseHook();   // the hook must never reach a deleted tip
    for (TOOLITEM* pTool : m_arrTools)
        delete pTool;
    m_arrTools.clear();
}

BOOL CZPToolTipContextToolTip::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    UINT nClassStyle = kClassStyle;
    if ((m_pContext->GetStyle() & CZPToolTipContext::styleNoClassShadow) == 0 &&
        ZpOsVersionInstance().IsXPOrLater())
        nClassStyle |= CS_DROPSHADOW;
    LPCWSTR lpszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursorW(NULL, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL, NULL);
}

// ---- tools ---------------------------------------------------------------------------------

CZPToolTipContextToolTip::TOOLITEM* CZPToolTipContextToolTip::FindTool(HWND hWnd, UINT_PTR uId)
{
    for (TOOLITEM* pTool : m_arrTools)
    {
        if (pTool->hwnd == hWnd && pTool->uId == uId)
            return pTool;
    }
    return NULL;
}

void CZPToolTipContextToolTip::ReadToolRecord(TOOLITEM* pTool, const TOOLINFOW* pInfo)
{
    pTool->bTextCallback = pInfo->lpszText == LPSTR_TEXTCALLBACKW;
    if (pTool->bTextCallback || pInfo->lpszText == NULL)
        pTool->strText.Empty();
    else if (IS_INTRESOURCE(pInfo->lpszText))
        pTool->strText = LoadToolString(pInfo->hinst, pInfo->lpszText);   // never read as a pointer
    else
        pTool->strText = pInfo->lpszText;
}

CString CZPToolTipContextToolTip::GetToolText(TOOLITEM* pTool)
{
    if (pTool->bTextCallback && ::IsWindow(pTool->hwnd))
    {
        const HWND hWndTool = pTool->hwnd;
        const UINT_PTR uId = pTool->uId;
        const BOOL bStored = std::find(m_arrTools.begin(), m_arrTools.end(), pTool) != m_arrTools.end();
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = pTool->uId;
        info.hdr.code = TTN_GETDISPINFOW;
        info.lpszText = info.szText;
        info.uFlags = pTool->uFlags;
        ::SendMessageW(pTool->hwnd, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&info));
        CString strText;
        if (info.lpszText == info.szText)
            strText = CString(info.szText, static_cast<int>(wcsnlen(info.szText, _countof(info.szText))));
        else if (!IS_INTRESOURCE(info.lpszText))
            strText = info.lpszText;
        else
            strText = LoadToolString(info.hinst, info.lpszText);
        if ((m_pContext->GetStyle() & TTS_NOPREFIX) == 0)
            ZpRemoveAmpersands(strText);
        // The receiver may have deleted the tool or destroyed this window (which frees every
        // tool): a stored record is looked up again, and a tool gone meanwhile has no text.
        if (bStored)
            pTool = FindTool(hWndTool, uId);
        if (pTool == NULL)
            return CString();
        pTool->strText = strText;
        pTool->bTextCallback = FALSE;
    }
    return pTool->strText;
}

HWND CZPToolTipContextToolTip::WindowFromPoint(POINT pt) const
{
    return ZpToolWindowOfChild(::WindowFromPoint(pt));
}

const CZPToolTipContextToolTip::TOOLITEM* CZPToolTipContextToolTip::ToolFromCursor()
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return NULL;
    for (const TOOLITEM* pTool : m_arrTools)
    {
        if (!::IsWindow(pTool->hwnd))
            continue;
        RECT rc;
        if (pTool->uFlags & TTF_IDISHWND)
        {
            HWND hTool = reinterpret_cast<HWND>(pTool->uId);
            if (::GetWindowRect(::IsWindow(hTool) ? hTool : pTool->hwnd, &rc) && ::PtInRect(&rc, pt))
                return pTool;
            continue;
        }
        rc = pTool->rect;
        ::MapWindowPoints(pTool->hwnd, NULL, reinterpret_cast<LPPOINT>(&rc), 2);
        if (rc.left > rc.right)
            std::swap(rc.left, rc.right);   // a mirrored window maps its left edge to the right
        if (::PtInRect(&rc, pt) && WindowFromPoint(pt) == pTool->hwnd)
            return pTool;
    }
    return NULL;
}

// ---- relay, timer, show and hide ------------------------------------------------------------

void CZPToolTipContextToolTip::RelayEvent(const MSG* pMsg)
{
    if (!m_bActive || pMsg == NULL || m_hWnd == NULL)
        return;
    UINT message = pMsg->message;
    BOOL bClient = message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL;
    BOOL bNonClient = message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
    if (!bClient && !bNonClient)
        return;

    TOOLITEM tool;
    if (message == WM_LBUTTONDOWN)
    {
        // The button is down now, so the tool under the cursor is looked up regardless of it:
        // the clicked tool is the one the click landed on.
        const TOOLITEM* pClicked = NULL;
        POINT pt;
        if (::GetCursorPos(&pt))
            pClicked = ToolFromCursor();
        if (pClicked != NULL)
            m_clickedTool = *pClicked;
    }
    else if (!IsMouseButtonDown())
    {
        const TOOLITEM* pHit = ToolFromCursor();
        if (pHit != NULL && !pHit->IsSameTool(m_clickedTool))
            tool = *pHit;
    }

    if (m_nTimer != 0 && !m_pendingTool.IsSameTool(tool))
    {
        KillTimer(m_nTimer);
        m_nTimer = 0;
        m_pendingTool.Clear();
    }
    if (tool.IsNone())
    {
        ShowTool(NULL);
        return;
    }
    if (tool.IsSameTool(m_shownTool))
        return;
    if (::GetTickCount() - m_dwLastShowTime >= m_nReshowDelay)
    {
        if (m_nTimer != 0 && tool.IsSameTool(m_pendingTool))
            return;
        m_pendingTool = tool;
        m_nTimer = SetTimer(kPendingTimer, m_nInitialDelay, NULL);
    }
    else
    {
        ShowTool(&tool);
    }
}

LRESULT CZPToolTipContextToolTip::OnTimerMsg(WPARAM wParam, LPARAM)
{
    if (wParam != kPendingTimer || m_nTimer == 0)
        return 0;
    TOOLITEM pending = m_pendingTool;
    KillTimer(m_nTimer);
    m_nTimer = 0;
    m_pendingTool.Clear();
    const TOOLITEM* pHit = IsMouseButtonDown() ? NULL : ToolFromCursor();
    if (!pending.IsNone() && pHit != NULL && pHit->IsSameTool(pending))
        ShowTool(&pending);
    return 0;
}

void CZPToolTipContextToolTip::ShowTool(const TOOLITEM* pTool)
{
    TOOLITEM tool;
    if (pTool != NULL)
        tool = *pTool;   // pTool may be one of this tip's own records
    if (tool.IsSameTool(m_shownTool))
        return;

    CSize size(0, 0);
    if (!tool.IsNone())
    {
        TOOLITEM* pStored = FindTool(tool.hwnd, tool.uId);
        size = CalcSize(pStored != NULL ? pStored : &tool);
        if (pStored != NULL)
        {
            // Asking for the text may have deleted the tool or destroyed this window.
            pStored = FindTool(tool.hwnd, tool.uId);
            if (pStored != NULL)
                tool = *pStored;   // with the text asked for
            else
                size = CSize(0, 0);
        }
        if (size.cx == 0 && size.cy == 0)
            tool.Clear();
    }

    if (m_hWnd != NULL)
    {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kHideFlags);
        if (m_bRegionSet)
        {
            ::SetWindowRgn(m_hWnd, NULL, FALSE);
            m_bRegionSet = FALSE;
        }
    }

    if (!tool.IsNone() && m_hWnd != NULL)
    {
        POINT ptCursor = {};
        ::GetCursorPos(&ptCursor);
        CRect rc;
        if (::IsRectEmpty(&tool.rcAnchor))
        {
            rc = CRect(CPoint(ptCursor.x, ptCursor.y + GetCursorDepth()), size);
            if (IsRightToLeft(tool.hwnd))
                rc.OffsetRect(-size.cx, 0);
        }
        else
        {
            POINT pt = { tool.rect.left, tool.rcAnchor.bottom };
            ::ClientToScreen(tool.hwnd, &pt);
            rc = CRect(pt, size);
        }
        CRect rcWork = ZpMonitorHelperInstance().WorkAreaAtCursor();
        if (rc.right > rcWork.right - kWorkAreaGap)
            rc.OffsetRect(rcWork.right - kWorkAreaGap - rc.right, 0);
        if (rc.left < rcWork.left)
            rc.OffsetRect(rcWork.left - rc.left, 0);
        if (rc.bottom > rcWork.bottom - kWorkAreaGap)
            rc.OffsetRect(0, ptCursor.y - kAboveCursorGap - rc.bottom);

        ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(), kPlaceFlags);
        NMHDR nmhdr = { m_hWnd, tool.uId, static_cast<UINT>(TTN_SHOW) };
        ::SendMessageW(tool.hwnd, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&nmhdr));
        if (m_pContext->GetStyle() & CZPToolTipContext::styleOffice2007)
        {
            // The window without its four corner pixels.
            int cx = rc.Width(), cy = rc.Height();
            HRGN hRgn = ::CreateRectRgn(1, 0, cx - 1, 1);
            HRGN hMiddle = ::CreateRectRgn(0, 1, cx, cy - 1);
            HRGN hBottom = ::CreateRectRgn(1, cy - 1, cx - 1, cy);
            ::CombineRgn(hRgn, hRgn, hMiddle, RGN_OR);
            ::CombineRgn(hRgn, hRgn, hBottom, RGN_OR);
            ::DeleteObject(hMiddle);
            ::DeleteObject(hBottom);
            if (::SetWindowRgn(m_hWnd, hRgn, FALSE))
                m_bRegionSet = TRUE;
            else
                ::DeleteObject(hRgn);
        }
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, kShowFlags);
        Invalidate();
        InstallMouseHook();
        m_clickedTool.Clear();
    }
    else
    {
        tool.Clear();
        RemoveMouseHook();
        m_pendingTool.Clear();
    }

    m_shownTool = tool;
    m_dwLastShowTime = ::GetTickCount();
    OnShowChanged(!tool.IsNone());
}

void CZPToolTipContextToolTip::OnShowChanged(BOOL)
{
}

void CZPToolTipContextToolTip::Deactivate()
{
    m_bActive = FALSE;
    if (m_hWnd == NULL)
        return;
    if (m_nTimer != 0)
    {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    m_pendingTool.Clear();
    if (!m_shownTool.IsNone())
        ShowTool(NULL);
}

// ---- cursor depth and the mouse hook ----------------------------------------------------------

int CZPToolTipContextToolTip::CursorDepthFromMask(const BYTE* pMask, int cx, int cy, BOOL bColor, int yHotSpot)
{
    const int kMaxWords = kCursorMaskBytes / 2;
    if (cx <= 0 || cy <= 0)
        return kDefaultCursorDepth;
    WORD words[kMaxWords];
    memcpy(words, pMask, sizeof(words));
    int n = ::MulDiv(cx, cy, 16);
    int nIndex, nXor = -1;
    if (bColor)
    {
        nIndex = std::min(n - 1, kMaxWords - 2);
    }
    else
    {
        nIndex = std::min(n / 2 - 1, kMaxWords - 2);
        if (n - 1 < kMaxWords)
            nXor = n - 1;
    }
    nIndex = std::max(nIndex, 0);
    // Back over fully transparent rows; word 0 ends the scan (the mask has no earlier words).
    while (nIndex > 0 && words[nIndex] == 0xFFFF)
    {
        if (nXor > 0)
        {
            if (words[nXor] != 0)
                break;
            --nXor;
        }
        --nIndex;
    }
    return ::MulDiv(nIndex + 1, 16, cx) - yHotSpot;
}

int CZPToolTipContextToolTip::GetCursorDepth()
{
    HCURSOR hCursor = ::GetCursor();
    ICONINFO ii = {};
    if (hCursor == NULL || !::GetIconInfo(hCursor, &ii))
        return kDefaultCursorDepth;
    int nDepth = kDefaultCursorDepth;
    BITMAP bm = {};
    BYTE mask[kCursorMaskBytes];
    memset(mask, 0xFF, sizeof(mask));
    if (ii.hbmMask != NULL && ::GetObjectW(ii.hbmMask, sizeof(bm), &bm) != 0 &&
        ::GetBitmapBits(ii.hbmMask, sizeof(mask), mask) > 0)
        nDepth = CursorDepthFromMask(mask, bm.bmWidth, bm.bmHeight, ii.hbmColor != NULL,
                                     static_cast<int>(ii.yHotspot));
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    return nDepth;
}

HHOOK CZPToolTipContextToolTip::GetMouseHook()
{
    return g_hMouseHook;
}

void CZPToolTipContextToolTip::InstallMouseHook()
{
    if (g_hMouseHook != NULL)
        return;
    g_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    if (g_hMouseHook != NULL)
        g_pHookTip = this;
}

void CZPToolTipContextToolTip::RemoveMouseHook()
{
    if (g_pHookTip != this)
        return;
    if (g_hMouseHook != NULL)
        ::UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = NULL;
    g_pHookTip = NULL;
}

LRESULT CALLBACK CZPToolTipContextToolTip::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hMouseHook;
    try
    {
        CZPToolTipContextToolTip* pTip = g_pHookTip;
        if (nCode == HC_ACTION && pTip != NULL && pTip->m_bActive && !pTip->m_shownTool.IsNone())
        {
            const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            HWND hWnd = pTip->WindowFromPoint(pInfo->pt);
            if (hWnd != pTip->m_shownTool.hwnd)
            {
                MSG msg = { hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pInfo->pt.x, pInfo->pt.y), ::GetTickCount(), pInfo->pt };
                pTip->RelayEvent(&msg);
            }
        }
    }
    catch (...)
    {
        // Nothing may unwind through the system's hook chain.
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---- measuring and drawing ---------------------------------------------------------------------

CSize CZPToolTipContextToolTip::CalcSize(TOOLITEM* pTool)
{
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_pContext->GetFont());
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth == -1)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const RECT& rcMargin = m_pContext->GetMargin();
    int cxFrame = rcMargin.left + rcMargin.right + 2 * kFrameInset;
    int cyFrame = rcMargin.top + rcMargin.bottom + 2 * kFrameInset;

    BOOL bTitle = !m_strTitle.IsEmpty();
    int cxTitle = 0, cyTitle = 0;
    if (bTitle)
    {
        dc.SelectObject(m_pContext->GetBoldFont());
        CRect rcTitle(0, 0, 0, 0);
        dc.DrawText(m_strTitle, &rcTitle, kCalcTitleFlags);
        cxTitle = rcTitle.Width() + kTitleExtraWidth;
        cyTitle = rcTitle.Height() + kTitleExtraHeight;
        dc.SelectObject(m_pContext->GetFont());
    }

    int cxImage = 0, cyImage = 0, nShift = 0;
    if (m_pImage != NULL)
    {
        CSize sizeImage = m_pImage->GetExtent();
        cxImage = sizeImage.cx;
        cyImage = sizeImage.cy;
        if (cyImage > kSmallImageHeight)
            nShift = cxImage + 5;
        else if (bTitle)
            cxTitle += cxImage + 1;
        else
            nShift = cxImage + 3;
    }

    CRect rcText(0, 0, nMaxWidth - cxFrame, 0);
    if (bTitle)
        rcText.right = std::max(nMaxWidth - cxFrame, cxTitle) - kTitleBodyMinimum;
    dc.DrawText(strText, &rcText, kCalcTextFlags);
    dc.SelectObject(pOldFont);

    int cx = rcText.Width() + nShift;
    int cy = std::max(static_cast<int>(rcText.Height()), cyImage);
    if (bTitle)
    {
        cx = std::max(cx + kTitleBodyMinimum, cxTitle);
        cy += cyTitle;
    }
    return CSize(cx + cxFrame, cy + cyFrame);
}

void CZPToolTipContextToolTip::DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc)
{
    const RECT& rcMargin = m_pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + kFrameInset, rcMargin.top + kFrameInset, rcMargin.right + kFrameInset,
                   rcMargin.bottom + kFrameInset);
    BOOL bRTL = IsRightToLeft(pTool->hwnd);
    UINT nFlags = bRTL ? kDrawFlagsRTL : kDrawFlags;
    CRect rcTitle(rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom);
    BOOL bTitle = !m_strTitle.IsEmpty();

    CSize sizeImage(0, 0);
    if (m_pImage != NULL)
        sizeImage = m_pImage->GetExtent();
    if (m_pImage != NULL && sizeImage.cy <= kSmallImageHeight)
    {
        m_pImage->DrawNormal(pDC, bRTL ? rc.right - sizeImage.cx : rc.left, rc.top);
        CRect& rcNear = bTitle ? rcTitle : rc;
        int nMove = sizeImage.cx + (bTitle ? 1 : 3);
        if (bRTL)
            rcNear.right -= nMove;
        else
            rcNear.left += nMove;
    }

    if (bTitle)
    {
        CFont* pOldFont = pDC->SelectObject(m_pContext->GetBoldFont());
        pDC->DrawText(m_strTitle, &rcTitle, nFlags | DT_SINGLELINE);
        CSize sizeTitle = pDC->GetTextExtent(m_strTitle);
        pDC->SelectObject(pOldFont);
        rc.top += sizeTitle.cy + kTitleGap;
        rc.left += bRTL ? kBodyIndentFar : kBodyIndentNear;
        rc.right -= bRTL ? kBodyIndentNear : kBodyIndentFar;
    }

    if (m_pImage != NULL && sizeImage.cy > kSmallImageHeight)
    {
        m_pImage->DrawNormal(pDC, bRTL ? rc.right - sizeImage.cx : rc.left, rc.top);
        if (bRTL)
            rc.right -= sizeImage.cx + 5;
        else
            rc.left += sizeImage.cx + 5;
    }

    CString strText = GetToolText(pTool);
    pDC->DrawText(strText, &rc, nFlags | DT_WORDBREAK);
}

void CZPToolTipContextToolTip::DrawBackground(CDC* pDC, TOOLITEM*, CRect rc)
{
    DWORD dwStyle = m_pContext->GetStyle();
    if (dwStyle & CZPToolTipContext::styleOffice2007)
    {
        CZPOffice2007Images* pImages = ZpOffice2007ImagesInstance();
        COLORREF clrLight = pImages->GetColor(L"Window", L"TooltipLight");
        COLORREF clrDark = pImages->GetColor(L"Window", L"TooltipDark");
        ZpDrawHelpersInstance().FillGradient(pDC, rc, clrLight == static_cast<COLORREF>(-1) ? kOffice2007Light : clrLight,
                                             clrDark == static_cast<COLORREF>(-1) ? kOffice2007Dark : clrDark, FALSE);
        CZPOffice2007Image* pFrame = pImages->GetImage(L"TOOLTIPFRAME");
        if (pFrame != NULL)
        {
            pFrame->DrawSlicedKeyed(pDC, rc, pFrame->GetPartRect(0, 1), CRect(3, 3, 3, 3), kOffice2007FrameKey);
            return;
        }
        COLORREF clrBorder = pImages->GetColor(L"Window", L"TooltipBorder");
        if (clrBorder == static_cast<COLORREF>(-1))
            clrBorder = kOffice2007Border;
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
        return;
    }
    pDC->FillSolidRect(rc, m_pContext->GetTipBkColor());
    if (dwStyle & CZPToolTipContext::styleOfficeFrame)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNFACE), kBlack);
    else
        pDC->Draw3dRect(rc, kBlack, kBlack);
}

void CZPToolTipContext::CLunaToolTip::DrawBackground(CDC* pDC, TOOLITEM*, CRect rc)
{
    const COLORREF kLunaTop = 0x97D4FF;
    const COLORREF kLunaBottom = 0xC8F2FF;
    COLORREF clrTop = kLunaTop, clrBottom = kLunaBottom, clrFrame;
    switch (ZpColorManagerInstance().GetEffectiveTheme())
    {
    case zpThemeLunaBlue:
    case zpThemeRoyale:
    case zpThemeAero:
        clrFrame = 0x800000;
        break;
    case zpThemeLunaOlive:
        clrFrame = 0x385D3F;
        break;
    case zpThemeLunaSilver:
        clrFrame = 0x6F4B4B;
        break;
    default:
        clrTop = m_pContext->GetTipBkColor();
        clrBottom = RGB(0xFF, 0xFF, 0xFF);
        clrFrame = kBlack;
        break;
    }
    ZpDrawHelpersInstance().FillGradient(pDC, rc, clrTop, clrBottom, FALSE);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
}

// ---- message handlers ------------------------------------------------------------------------

LRESULT CZPToolTipContextToolTip::OnActivateMsg(WPARAM wParam, LPARAM)
{
    if (wParam)
        m_bActive = TRUE;
    else
        Deactivate();
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnSetDelayTime(WPARAM wParam, LPARAM lParam)
{
    // TTDT_AUTOPOP is ignored: a tip never pops down by itself.
    if (wParam == TTDT_INITIAL)
        m_nInitialDelay = LOWORD(lParam);
    else if (wParam == TTDT_RESHOW)
        m_nReshowDelay = LOWORD(lParam);
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnRelayEvent(WPARAM, LPARAM lParam)
{
    RelayEvent(reinterpret_cast<const MSG*>(lParam));
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    if (lParam == 0)
        return 0;
    return reinterpret_cast<LRESULT>(WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)));
}

LRESULT CZPToolTipContextToolTip::OnSetTitle(WPARAM, LPARAM lParam)
{
    LPCWSTR lpszTitle = reinterpret_cast<LPCWSTR>(lParam);
    m_strTitle = lpszTitle != NULL ? lpszTitle : L"";
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnAddTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pInfo == NULL)
        return 0;
    TOOLITEM* pTool = new TOOLITEM;
    pTool->hwnd = pInfo->hwnd;
    pTool->uId = pInfo->uId;
    pTool->uFlags = pInfo->uFlags;
    pTool->rect = pInfo->rect;
    pTool->hinst = pInfo->hinst;
    ReadToolRecord(pTool, pInfo);
    if (pInfo->cbSize == ZP_TTTOOLINFO_SIZE_EX && pInfo->lParam != 0)
        pTool->rcAnchor = reinterpret_cast<const ZP_TOOLTIP_EXTRA*>(pInfo->lParam)->rcAnchor;
    m_arrTools.push_back(pTool);
    return 1;
}

LRESULT CZPToolTipContextToolTip::OnDelTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pInfo == NULL)
        return 0;
    auto it = std::find_if(m_arrTools.begin(), m_arrTools.end(), [pInfo](const TOOLITEM* pTool) {
        return pTool->hwnd == pInfo->hwnd && pTool->uId == pInfo->uId;
    });
    if (it == m_arrTools.end())
        return 0;
    TOOLITEM* pTool = *it;
    if (pTool->IsSameTool(m_shownTool))
        ShowTool(NULL);
    if (pTool->IsSameTool(m_clickedTool))
        m_clickedTool.Clear();
    if (pTool->IsSameTool(m_pendingTool))
    {
        if (m_nTimer != 0)
            KillTimer(m_nTimer);
        m_nTimer = 0;
        m_pendingTool.Clear();
    }
    m_arrTools.erase(it);
    delete pTool;
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnUpdateTipText(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pInfo == NULL)
        return 0;
    TOOLITEM* pTool = FindTool(pInfo->hwnd, pInfo->uId);
    if (pTool != NULL)
    {
        if (!IS_INTRESOURCE(pInfo->lpszText) || pInfo->lpszText == LPSTR_TEXTCALLBACKW)
            pTool->hinst = pInfo->hinst != NULL ? pInfo->hinst : pTool->hinst;
        ReadToolRecord(pTool, pInfo);
    }
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnSetImage(WPARAM, LPARAM lParam)
{
    m_pImage = reinterpret_cast<CZPImageManagerIcon*>(lParam);
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnPaintMsg(WPARAM, LPARAM)
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawBackground(&dc, &m_shownTool, rc);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_pContext->GetTipTextColor());
    CFont* pOldFont = dc.SelectObject(m_pContext->GetFont());
    DrawContent(&dc, &m_shownTool, rc);
    dc.SelectObject(pOldFont);
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnEraseBackground(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CZPToolTipContextToolTip::OnNcHitTestMsg(WPARAM, LPARAM)
{
    return HTTRANSPARENT;
}

LRESULT CZPToolTipContextToolTip::OnMouseActivateMsg(WPARAM, LPARAM)
{
    return MA_NOACTIVATE;
}

LRESULT CZPToolTipContextToolTip::OnMouseMoveMsg(WPARAM, LPARAM)
{
    ShowTool(NULL);
    return 0;
}

LRESULT CZPToolTipContextToolTip::OnDestroyMsg(WPARAM, LPARAM)
{
    m_shownTool.Clear();
    m_clickedTool.Clear();
    m_pendingTool.Clear();
    for (TOOLITEM* pTool : m_arrTools)
        delete pTool;
    m_arrTools.clear();
    m_strTitle.Empty();
    m_pImage = NULL;
    Deactivate();
    RemoveMouseHook();
    return Default();
}
