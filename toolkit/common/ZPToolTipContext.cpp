// The tooltip context: relayed owner messages, the current tool and the standard tip window.
#include "common/ZPToolTipContext.h"

#include "common/ZPColorManager.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageManager.h"
#include "common/ZPResourceManager.h"
#include "common/ZPSystemHelpers.h"
#include "common/ZPToolTipContextRichTips.h"

#include <new>

#include <stdlib.h>
#include <wchar.h>

namespace {

const DWORD kComCtlBalloonVersion = 0x50050;   // 5.80: balloons and titles
const DWORD kForcedToolTipStyle = TTS_ALWAYSTIP | TTS_NOPREFIX;
const COLORREF kDefaultColor = static_cast<COLORREF>(-1);
const COLORREF kOffice2007TipText = RGB(0x4C, 0x4C, 0x4C);
// NONCLIENTMETRICSW as systems before the padded border knew it: accepted everywhere.
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
const UINT kTipColorIndexBack = COLOR_INFOBK;
const UINT kTipColorIndexText = COLOR_INFOTEXT;

BOOL IsAnyMouseButtonDown()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// Messages that move the current tool; they change nothing while a button is held.
BOOL IsToolTrackingMessage(UINT message)
{
    switch (message) {
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
        return TRUE;
    }
    return FALSE;
}

// Keys and button presses hide the tip.
BOOL IsCancelMessage(UINT message)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        return TRUE;
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return TRUE;
    }
    return FALSE;
}

// The tool record's text is a heap string of the hit test, unless it is a callback or a string id.
BOOL OwnsToolText(const TOOLINFOW& ti)
{
    return ti.lpszText != LPSTR_TEXTCALLBACKW && ti.hinst == NULL;
}

void CreateStatusFont(CFont& font, LONG nWeight)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0);
    LOGFONTW lf = ncm.lfStatusFont;
    lf.lfWeight = nWeight;
    lf.lfCharSet = ZpResourceManagerInstance()->GetFontCharSet();
    font.CreateFontIndirect(&lf);
}

}   // namespace

IMPLEMENT_DYNAMIC(CZPToolTipContext, CCmdTarget)

CZPToolTipContext::CZPToolTipContext()
    : m_bShowTitleAndDescription(FALSE), m_bShowImage(FALSE), m_nImageWidth(1), m_nImageIdOffset(0),
      m_nKind(kindStandard), m_dwComCtlVersion(ZpOsVersionInstance().GetComCtlVersion()), m_nTitleIcon(TTI_INFO),
      m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2), m_dwStyle(TTS_NOPREFIX), m_rcMargin(),
      m_nInitialDelay(-1), m_nReshowDelay(-1), m_nAutoPopDelay(-1), m_pToolTip(NULL), m_lastTool(),
      m_clrTipBack(kDefaultColor), m_clrTipText(kDefaultColor)
{
    CreateStatusFont(m_fnt, FW_NORMAL);
    CreateStatusFont(m_fntBold, FW_BOLD);
}

CZPToolTipContext::~CZPToolTipContext()
{
    DestroyToolTip();
}

void CZPToolTipContext::DestroyToolTip()
{
    if (m_pToolTip == NULL)
        return;
    // A window that died with its top-level window was already detached: m_hWnd is null then.
    if (m_pToolTip->GetSafeHwnd() != NULL)
        m_pToolTip->DestroyWindow();
    delete m_pToolTip;
    m_pToolTip = NULL;
}

CWnd* CZPToolTipContext::CreateToolTip()
{
    switch (m_nKind) {
    case kindOffice:
    case kindOffice2007:
    case kindMarkup:  // shown as plain text unless a markup owner overrides this
        return new (std::nothrow) CZPToolTipContextToolTip(this);
    case kindLuna:
        return new (std::nothrow) CLunaToolTip(this);
    case kindRichText:
        return new (std::nothrow) CRichEditToolTip(this);
    case kindHtml:
        return new (std::nothrow) CHTMLToolTip(this);
    }
    return new (std::nothrow) CStandardToolTip;
}

INT_PTR CZPToolTipContext::ToolHitTest(CWnd* pOwner, CPoint point, TOOLINFOW* pToolInfo)
{
    return pOwner->OnToolHitTest(point, pToolInfo);
}

DWORD CZPToolTipContext::SetStyle(int nKind)
{
    if (nKind == m_nKind)
        return FALSE;
    if (nKind == kindBalloon && !IsBalloonStyleSupported())
        return FALSE;
    m_nKind = nKind;
    DestroyToolTip();
    ModifyToolTipStyle(styleOfficeFrame | styleNoClassShadow,
                       nKind == kindOffice ? styleOfficeFrame | styleNoClassShadow : 0);
    return ModifyToolTipStyle(styleOffice2007, nKind == kindOffice2007 ? styleOffice2007 : 0);
}

DWORD CZPToolTipContext::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwStyle = dwAdd | (m_dwStyle & ~dwRemove);
    if (dwStyle != m_dwStyle) {
        m_dwStyle = dwStyle;
        DestroyToolTip();
    }
    return dwStyle;
}

void CZPToolTipContext::SetDelayTime(DWORD nDuration, int nMilliseconds)
{
    switch (nDuration) {
    case TTDT_INITIAL:
        m_nInitialDelay = nMilliseconds;
        break;
    case TTDT_RESHOW:
        m_nReshowDelay = nMilliseconds;
        break;
    case TTDT_AUTOPOP:
        m_nAutoPopDelay = nMilliseconds;
        break;
    }
}

BOOL CZPToolTipContext::IsBalloonStyleSupported() const
{
    return m_dwComCtlVersion >= kComCtlBalloonVersion;
}

COLORREF CZPToolTipContext::GetTipBkColor() const
{
    return m_clrTipBack != kDefaultColor ? m_clrTipBack : ZpColorManagerInstance().LookupColor(kTipColorIndexBack);
}

COLORREF CZPToolTipContext::GetTipTextColor() const
{
    if (m_clrTipText != kDefaultColor)
        return m_clrTipText;
    if (m_dwStyle & styleOffice2007)
        return kOffice2007TipText;
    return ZpColorManagerInstance().LookupColor(kTipColorIndexText);
}

void CZPToolTipContext::RelayOwnerMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = pOwner->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    ::GetCursorPos(&msg.pt);
    RelayToolTipMessage(pOwner, &msg);
}

void ZpToolTipContextCancel(CZPToolTipContext* pContext)
{
    if (pContext != NULL && pContext->m_pToolTip != NULL && pContext->m_pToolTip->GetSafeHwnd() != NULL)
        pContext->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

BOOL CZPToolTipContext::CreateToolTipWindow(CWnd* pTop)
{
    DWORD dwStyle = m_dwStyle | kForcedToolTipStyle;
    if (CZPToolTipContextToolTip* pOwn = dynamic_cast<CZPToolTipContextToolTip*>(m_pToolTip))
        return pOwn->Create(pTop, dwStyle);
    CStandardToolTip* pStandard = dynamic_cast<CStandardToolTip*>(m_pToolTip);
    if (pStandard == NULL)
        return FALSE;
    if (m_nKind == kindBalloon)
        dwStyle |= TTS_BALLOON;
    return pStandard->Create(pTop, dwStyle);
}

void CZPToolTipContext::ConfigureToolTipWindow()
{
    CWnd* pTip = m_pToolTip;
    pTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fnt.GetSafeHandle()), TRUE);
    pTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    pTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargin));
    if (m_clrTipBack != kDefaultColor)
        pTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrTipBack);
    if (m_clrTipText != kDefaultColor)
        pTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrTipText);
    const struct
    {
        DWORD nDuration;
        int nDelay;
    } delays[] = {{TTDT_RESHOW, m_nReshowDelay}, {TTDT_INITIAL, m_nInitialDelay}, {TTDT_AUTOPOP, m_nAutoPopDelay}};
    for (const auto& delay : delays) {
        if (delay.nDelay != -1)
            pTip->SendMessage(TTM_SETDELAYTIME, delay.nDuration, MAKELPARAM(delay.nDelay, 0));
    }
    pTip->SendMessage(TTM_ACTIVATE, FALSE);
}

void CZPToolTipContext::RelayToToolTip(const MSG* pMsg)
{
    MSG msg = *pMsg;
    POINT pt = pMsg->pt;
    msg.hwnd = reinterpret_cast<HWND>(m_pToolTip->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL && msg.hwnd != NULL)
        ::ScreenToClient(msg.hwnd, &pt);
    msg.lParam = MAKELPARAM(pt.x, pt.y);
    m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CZPToolTipContext::RelayToolTipMessage(CWnd* pOwner, const MSG* pMsg)
{
    if (IsCancelMessage(pMsg->message)) {
        ZpToolTipContextCancel(this);
        return;
    }
    if (!IsToolTrackingMessage(pMsg->message) || IsAnyMouseButtonDown())
        return;

    const BOOL bActive = ZpIsOwnerChainActive(pOwner->GetSafeHwnd());
    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL && m_pToolTip->IsWindowVisible() && !bActive) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        return;
    }

    CWnd* pTop = pOwner->GetParentOwner();
    if (m_pToolTip != NULL && m_pToolTip->GetSafeHwnd() != NULL &&
        ::GetWindow(m_pToolTip->GetSafeHwnd(), GW_OWNER) != pTop->GetSafeHwnd())
        m_pToolTip->DestroyWindow();
    if (m_pToolTip == NULL) {
        m_pToolTip = CreateToolTip();
        if (m_pToolTip == NULL)
            return;
    }
    if (m_pToolTip->GetSafeHwnd() == NULL) {
        if (!CreateToolTipWindow(pTop) || m_pToolTip->GetSafeHwnd() == NULL)
            return;
        ConfigureToolTipWindow();
        // A fresh window holds no tool: the next hit must add its tool even if it is the last one.
        m_lastTool = TOOLINFOW();
    }

    TOOLINFOW ti = {};
    ZP_TOOLTIP_EXTRA extra = {};
    if (m_bShowTitleAndDescription || m_bShowImage) {
        ti.cbSize = ZP_TTTOOLINFO_SIZE_EX;
        ti.lParam = reinterpret_cast<LPARAM>(&extra);
    } else {
        ti.cbSize = ZP_TTTOOLINFO_SIZE;
    }
    CPoint point = pMsg->pt;
    pOwner->ScreenToClient(&point);
    const INT_PTR nHit = ToolHitTest(pOwner, point, &ti);

    const BOOL bTitleMode = m_bShowTitleAndDescription;
    if (bTitleMode && extra.lpszDescription != NULL && extra.lpszTitle != NULL &&
        wcscmp(extra.lpszDescription, extra.lpszTitle) == 0) {
        free(extra.lpszDescription);
        extra.lpszDescription = NULL;
    }
    if ((m_dwStyle & TTS_NOPREFIX) == 0) {
        // A string id (hinst set) is no writable text.
        if (ti.hinst == NULL)
            ZpStripAmpersandsInPlace(ti.lpszText);
        ZpStripAmpersandsInPlace(extra.lpszTitle);
    }

    const BOOL bSameTool = ti.uId == m_lastTool.uId && ti.hwnd == m_lastTool.hwnd;
    if (bSameTool && ::EqualRect(&ti.rect, &m_lastTool.rect)) {
        if (nHit != -1)
            RelayToToolTip(pMsg);
    } else {
        if (bSameTool && m_lastTool.cbSize >= ZP_TTTOOLINFO_SIZE)
            m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));

        if (nHit == -1) {
            m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        } else {
            TOOLINFOW tiAdd = ti;
            tiAdd.uFlags &= ~ZP_TTF_PRIVATEMASK;
            m_pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tiAdd));

            const BOOL bOwnDrawnKind = m_nKind == kindRichText || m_nKind == kindHtml || m_nKind == kindMarkup;
            if (!bOwnDrawnKind && (m_dwComCtlVersion >= kComCtlBalloonVersion || m_nKind != kindStandard)) {
                if (bTitleMode && extra.lpszDescription != NULL && extra.lpszTitle != NULL) {
                    m_pToolTip->SendMessage(TTM_SETTITLEW, m_nTitleIcon, reinterpret_cast<LPARAM>(extra.lpszTitle));
                    TOOLINFOW tiText = tiAdd;
                    tiText.lpszText = extra.lpszDescription;
                    m_pToolTip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tiText));
                } else {
                    m_pToolTip->SendMessage(TTM_SETTITLEW, 0, 0);
                }
            }

            if (m_bShowImage) {
                CZPImageManagerIcon* pImage = NULL;
                if (extra.pImageManager != NULL)
                    pImage = extra.pImageManager->GetImage(static_cast<UINT>(nHit + m_nImageIdOffset), m_nImageWidth);
                m_pToolTip->SendMessage(ZP_TTM_SETIMAGE, 0, reinterpret_cast<LPARAM>(pImage));
            }

            if ((ti.uFlags & ZP_TTF_ALWAYSACTIVATE) != 0 || bActive) {
                m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
                ::SetWindowPos(m_pToolTip->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                               SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
            }
        }
        RelayToToolTip(pMsg);

        if (!bSameTool && m_lastTool.cbSize >= ZP_TTTOOLINFO_SIZE)
            m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
        m_lastTool = ti;
        m_lastTool.lpszText = NULL;
        m_lastTool.lParam = 0;
    }

    if (OwnsToolText(ti))
        free(ti.lpszText);
    free(extra.lpszDescription);
    free(extra.lpszTitle);
}

// ---- the system tooltip control ----

CRuntimeClass CZPToolTipContext::CStandardToolTip::classCStandardToolTip = {
    "CZPToolTipContext::CStandardToolTip", sizeof(CStandardToolTip), 0xFFFF, NULL, RUNTIME_CLASS(CToolTipCtrl),
    NULL};

CRuntimeClass* CZPToolTipContext::CStandardToolTip::GetRuntimeClass() const
{
    return &classCStandardToolTip;
}

BEGIN_MESSAGE_MAP(CZPToolTipContext::CStandardToolTip, CToolTipCtrl)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
END_MESSAGE_MAP()

LRESULT CZPToolTipContext::CStandardToolTip::OnWindowFromPoint(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(ZpToolWindowOfChild(reinterpret_cast<HWND>(Default())));
}
