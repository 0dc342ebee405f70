// Drop shadows of popups: creation, placement, cut-outs, the alpha strips and following the owner.
#include "common/ZPShadowManager.h"

#include "common/ZPColorManager.h"
#include "common/ZPImageLoading.h"

#include <framework/memorydc.h>

IMPLEMENT_DYNAMIC(CZPShadowManager, CCmdTarget)

namespace {

const int kAlphaThickness = 4;
const int kOpaqueThickness = 2;
const int kEndBlock = 4;            // the fading ends of a strip are 4 x 4 pixels
const int kStripAlphaStep = 15;     // alpha per pixel of depth, inwards from the outer edge
const int kCornerAlpha = 60;
const UINT kSaveBitsClassStyle = CS_SAVEBITS | CS_OWNDC;
const UINT kOffsetFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;   // 0x214

// Premultiplied by alpha / 255, right for every shadow colour.
DWORD ShadowPixel(COLORREF clr, int nAlpha)
{
    const DWORD a = static_cast<DWORD>(nAlpha);
    return (a << 24) | ((GetRValue(clr) * a / 255) << 16) | ((GetGValue(clr) * a / 255) << 8) |
           (GetBValue(clr) * a / 255);
}

// Pixels of a bottom-up picture, addressed by column and by row from the bottom; anything
// outside it is dropped, so strips thinner than their fading ends stay inside.
class CPixels
{
public:
    CPixels(DWORD* pBits, int cx, int cy, COLORREF clr) : m_pBits(pBits), m_cx(cx), m_cy(cy), m_clr(clr) {}
    void Set(int x, int yFromBottom, int nAlpha)
    {
        if (x >= 0 && x < m_cx && yFromBottom >= 0 && yFromBottom < m_cy)
            m_pBits[yFromBottom * m_cx + x] = ShadowPixel(m_clr, nAlpha);
    }
    int Height() const { return m_cy; }
    int Width() const { return m_cx; }

private:
    DWORD* m_pBits;   // borrowed
    int m_cx, m_cy;
    COLORREF m_clr;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shadow window

BEGIN_MESSAGE_MAP(CZPShadowManager::CShadowWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CZPShadowManager::CShadowWnd::CShadowWnd(CZPShadowManager* pManager, CWnd* pOwner, int nKey, BOOL bRectShadow)
    : m_nSide(sideRight), m_bRegionSet(FALSE), m_pOwner(pOwner), m_nKey(nKey), m_bRectShadow(bRectShadow),
      m_pManager(pManager)
{
    m_pManager->InternalAddRef();
}

CZPShadowManager::CShadowWnd::~CShadowWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    m_pManager->InternalRelease();
}

BOOL CZPShadowManager::CShadowWnd::Place(int nSide, int left, int top, int right, int bottom)
{
    m_nSide = nSide;
    const int t = m_pManager->m_bAlphaShadow ? kAlphaThickness : kOpaqueThickness;
    CRect rc;
    switch (nSide) {
    case sideRight: rc.SetRect(right, top + t, right + t, bottom); break;
    case sideBottom: rc.SetRect(left + t, bottom, right + t, bottom + t); break;
    default: rc.SetRect(right - 1, bottom - 1, right, bottom); break;
    }
    if (m_hWnd == NULL) {
        LPCWSTR lpszClass =
            AfxRegisterWndClass(m_pManager->m_bSaveBitsClass ? kSaveBitsClassStyle : 0, ::LoadCursorW(NULL, IDC_ARROW));
        DWORD dwExStyle = WS_EX_TOOLWINDOW | (m_pManager->m_bAlphaShadow ? WS_EX_LAYERED : 0);
        HWND hParent = m_pOwner != NULL ? ::GetParent(m_pOwner->GetSafeHwnd()) : NULL;
        // Made in place: its first size is its picture, drawn once.
        if (!CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(), hParent, NULL))
            return FALSE;
        m_bRegionSet = FALSE;
        return TRUE;
    }
    ::SetWindowRgn(m_hWnd, NULL, FALSE);
    m_bRegionSet = FALSE;
    MoveWindow(rc, FALSE);
    return TRUE;
}

void CZPShadowManager::CShadowWnd::ExcludeRect(const RECT& rcScreen)
{
    if (m_hWnd == NULL)
        return;
    CRect rcWindow, rcCut;
    GetWindowRect(rcWindow);
    if (!rcCut.IntersectRect(&rcScreen, rcWindow))
        return;
    rcCut.OffsetRect(-rcWindow.left, -rcWindow.top);
    HRGN hRegion = ::CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height());
    // Cuts add up: a shadow may lie under several popups of its key.
    if (m_bRegionSet)
        ::GetWindowRgn(m_hWnd, hRegion);
    HRGN hCut = ::CreateRectRgnIndirect(rcCut);
    ::CombineRgn(hRegion, hRegion, hCut, RGN_DIFF);
    ::DeleteObject(hCut);
    if (!::SetWindowRgn(m_hWnd, hRegion, TRUE))
        ::DeleteObject(hRegion);
    m_bRegionSet = TRUE;
}

void CZPShadowManager::CShadowWnd::AdjustToNeighbours(const CList<CShadowWnd*, CShadowWnd*>& listShadows)
{
    if (m_hWnd == NULL || m_nSide == sideCorner)
        return;
    POSITION pos = listShadows.GetHeadPosition();
    while (pos != NULL) {
        CShadowWnd* pOther = listShadows.GetNext(pos);
        if (pOther == this || pOther->m_hWnd == NULL)
            continue;
        CRect r, q;
        GetWindowRect(r);
        pOther->GetWindowRect(q);
        if (m_nSide == sideBottom && pOther->m_nSide == sideRight) {
            if (r.left == q.right - 1 && q.top < r.top && r.bottom < q.bottom) {
                int nLeft = r.left - 2 * q.Width() - 1;
                ::SetWindowPos(m_hWnd, NULL, nLeft, r.top, r.right - nLeft, r.Height(), kOffsetFlags | SWP_NOREDRAW);
            }
        } else if (m_nSide == sideRight && pOther->m_nSide != sideRight) {
            if (r.top == q.bottom - 1 && q.left < r.right && r.right < q.right) {
                int nTop = r.top - 2 * q.Height();
                ::SetWindowPos(m_hWnd, NULL, r.left, nTop, r.Width(), r.bottom - nTop, kOffsetFlags | SWP_NOREDRAW);
            }
        }
    }
}

int CZPShadowManager::CShadowWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    if (nMessage == WM_SHOWWINDOW) {
        if (m_hWnd != NULL)
            ShowWindow(wParam != 0 ? SW_SHOWNA : SW_HIDE);
    } else if (nMessage == WM_DESTROY) {
        // Deletes this object: nothing of it is touched afterwards.
        CZPShadowManager* pManager = m_pManager;
        if (m_pOwner != NULL)
            ZpHookManagerInstance()->DetachHookAble(m_pOwner->GetSafeHwnd(), this);
        pManager->DestroyShadow(this);
    }
    return hookContinue;
}

void CZPShadowManager::CShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(rc);
    dc.FillSolidRect(rc, m_pManager->m_bAlphaShadow ? RGB(0, 0, 0) : ZpColorManagerInstance().LookupColor(COLOR_BTNSHADOW));
}

void CZPShadowManager::CShadowWnd::OnSize(UINT, int cx, int cy)
{
    Default();
    if (cx == 0 || cy == 0 || !m_pManager->m_bAlphaShadow || m_pManager->m_pfnUpdateLayeredWindow == NULL ||
        m_pOwner == NULL)
        return;
    CClientDC dc(this);
    HBITMAP hBitmap =
        CreateShadowBitmap(dc, m_nSide, cx, cy, m_pManager->m_clrShadow, (m_pManager->m_dwFlags & shadowForce) != 0);
    if (hBitmap == NULL)
        return;
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    CMemoryDC memDC(dc, hBitmap);
    SIZE size = {cx, cy};
    POINT ptSrc = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, NULL, NULL, &size, memDC, &ptSrc, 0, &blend, ULW_ALPHA);
}

HBITMAP CZPShadowManager::CShadowWnd::CreateShadowBitmap(HDC hDC, int nSide, int cx, int cy, COLORREF clrShadow,
                                                         BOOL bHalfStrength)
{
    if (cx <= 0 || cy <= 0)
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(hDC, cx, cy, &pBits);
    if (hBitmap == NULL || pBits == NULL)
        return hBitmap;
    ::GdiFlush();
    memset(pBits, 0, static_cast<size_t>(cx) * static_cast<size_t>(cy) * 4);

    CPixels pixels(reinterpret_cast<DWORD*>(pBits), cx, cy, clrShadow);
    const int k = bHalfStrength ? 1 : 2;
    const int s = 3 * k;
    switch (nSide) {
    case sideCorner:
        pixels.Set(0, 0, kCornerAlpha * k);
        break;
    case sideRight:
        // Columns 3 (outer) to 0 below the fading top block.
        for (int y = 0; y < cy - kEndBlock; ++y) {
            for (int n = 1; n <= kAlphaThickness; ++n)
                pixels.Set(kAlphaThickness - n, y, kStripAlphaStep * n * k);
        }
        for (int i = 1; i <= kEndBlock; ++i) {
            for (int j = 1; j <= kEndBlock; ++j)
                pixels.Set(kEndBlock - i, cy - j, s * i * j);
        }
        break;
    case sideBottom:
        if (cx - kEndBlock > kEndBlock) {
            for (int x = kEndBlock; x <= cx - kEndBlock - 1; ++x) {
                for (int n = 1; n <= kAlphaThickness; ++n)
                    pixels.Set(x, n - 1, kStripAlphaStep * n * k);
            }
        }
        for (int i = 1; i <= kEndBlock; ++i) {
            for (int j = 1; j <= kEndBlock; ++j) {
                pixels.Set(i - 1, j - 1, s * i * j);
                pixels.Set(cx - i, j - 1, s * i * j);
            }
        }
        break;
    default:
        break;
    }
    return hBitmap;
}

// ---------------------------------------------------------------------------------------------
// Manager

CZPShadowManager::CZPShadowManager()
    : m_bSaveBitsClass(TRUE), m_pfnUpdateLayeredWindow(NULL), m_pShadows(new CList<CShadowWnd*, CShadowWnd*>),
      m_bAlphaShadow(FALSE), m_dwFlags(0), m_clrShadow(RGB(0, 0, 0))
{
    HMODULE hUser32 = ::GetModuleHandleW(L"USER32.DLL");
    if (hUser32 != NULL)
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<PFNUPDATELAYEREDWINDOW>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "UpdateLayeredWindow")));
    m_bAlphaShadow = CanUseAlphaShadow();
}

CZPShadowManager::~CZPShadowManager()
{
    delete m_pShadows;
}

BOOL CZPShadowManager::CanUseAlphaShadow() const
{
    return !ZpColorManagerInstance().IsLowColorDisplay(NULL) && m_pfnUpdateLayeredWindow != NULL;
}

void CZPShadowManager::SetPopupShadow(CWnd* pPopup, LPCRECT lprcExclude, int nKey)
{
    if (pPopup == NULL || pPopup->GetSafeHwnd() == NULL)
        return;
    if ((m_dwFlags & shadowForce) == 0) {
        BOOL bDropShadow = FALSE;
        if (!m_bAlphaShadow || !::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bDropShadow, 0) || !bDropShadow)
            return;
    }
    CRect rc;
    pPopup->GetWindowRect(rc);
    CreateShadow(sideBottom, rc.left, rc.top, rc.right, rc.bottom, lprcExclude, pPopup, FALSE, nKey);
    CreateShadow(sideRight, rc.left, rc.top, rc.right, rc.bottom, lprcExclude, pPopup, FALSE, nKey);
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(pPopup->GetSafeHwnd(), hRegion) == COMPLEXREGION)
        CreateShadow(sideCorner, rc.left, rc.top, rc.right, rc.bottom, lprcExclude, pPopup, FALSE, nKey);
    ::DeleteObject(hRegion);
}

void CZPShadowManager::SetRectShadow(int left, int top, int right, int bottom, CWnd* pOwner)
{
    if ((m_dwFlags & (shadowForce | shadowExcludeRect)) != (shadowForce | shadowExcludeRect))
        return;
    CreateShadow(sideBottom, left, top, right, bottom, NULL, pOwner, TRUE, 0);
    CreateShadow(sideRight, left, top, right, bottom, NULL, pOwner, TRUE, 0);
}

CZPShadowManager::CShadowWnd* CZPShadowManager::CreateShadow(int nSide, int left, int top, int right, int bottom,
                                                             LPCRECT lprcExclude, CWnd* pOwner, BOOL bRectShadow,
                                                             int nKey)
{
    CShadowWnd* pShadow = new CShadowWnd(this, pOwner, nKey, bRectShadow);
    pShadow->Place(nSide, left, top, right, bottom);
    pShadow->AdjustToNeighbours(*m_pShadows);
    m_pShadows->AddTail(pShadow);

    if ((m_dwFlags & shadowExcludeRect) != 0 && lprcExclude != NULL)
        pShadow->ExcludeRect(*lprcExclude);
    POSITION pos = m_pShadows->GetHeadPosition();
    while (pos != NULL) {
        CShadowWnd* pOther = m_pShadows->GetNext(pos);
        if (pOther->m_pOwner == NULL || pOther->m_pOwner->GetSafeHwnd() == NULL || pOther->m_nKey != nKey)
            continue;
        if (nSide == sideCorner && pOther->m_pOwner == pOwner)
            continue;
        CRect rcOwner;
        pOther->m_pOwner->GetWindowRect(rcOwner);
        pShadow->ExcludeRect(rcOwner);
    }

    if (pShadow->m_hWnd != NULL && pOwner != NULL && pOwner->GetSafeHwnd() != NULL) {
        const BOOL bTopmost = (pOwner->GetExStyle() & WS_EX_TOPMOST) != 0;
        ::SetWindowPos(pShadow->m_hWnd, bTopmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    }
    if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL)
        ZpHookManagerInstance()->AttachHookAble(pOwner->GetSafeHwnd(), pShadow);
    return pShadow;
}

void CZPShadowManager::DestroyShadow(CShadowWnd* pShadow)
{
    if (pShadow == NULL)
        return;
    if (pShadow->m_hWnd != NULL)
        pShadow->ShowWindow(SW_HIDE);
    pShadow->m_pOwner = NULL;
    POSITION pos = m_pShadows->Find(pShadow);
    if (pos != NULL)
        m_pShadows->RemoveAt(pos);
    // Last: the shadow may hold the manager's last reference.
    delete pShadow;
}

void CZPShadowManager::RemoveShadowsOf(CWnd* pOwner)
{
    InternalAddRef();
    POSITION pos = m_pShadows->GetHeadPosition();
    while (pos != NULL) {
        CShadowWnd* pShadow = m_pShadows->GetNext(pos);
        if (pShadow->m_pOwner != pOwner)
            continue;
        if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL)
            ZpHookManagerInstance()->DetachHookAble(pOwner->GetSafeHwnd(), pShadow);
        DestroyShadow(pShadow);
    }
    InternalRelease();
}

void CZPShadowManager::OffsetShadowsOf(CWnd* pOwner, int dx, int dy)
{
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return;
    const BOOL bRightToLeft = (pOwner->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    POSITION pos = m_pShadows->GetHeadPosition();
    while (pos != NULL) {
        CShadowWnd* pShadow = m_pShadows->GetNext(pos);
        if (pShadow->m_pOwner != pOwner || pShadow->m_hWnd == NULL || pShadow->m_bRectShadow)
            continue;
        ::SetWindowRgn(pShadow->m_hWnd, NULL, FALSE);
        pShadow->m_bRegionSet = FALSE;
        CRect w;
        pShadow->GetWindowRect(w);
        int x = w.left, y = w.top, cx = w.Width(), cy = w.Height();
        switch (pShadow->m_nSide) {
        case sideRight:
            if (!bRightToLeft)
                x += dx;
            cy += dy;
            break;
        case sideBottom:
            if (bRightToLeft)
                x -= dx;
            y += dy;
            cx += dx;
            break;
        default:
            if (!bRightToLeft)
                x += dx;
            y += dy;
            break;
        }
        ::SetWindowPos(pShadow->m_hWnd, NULL, x, y, cx, cy, kOffsetFlags);
    }
}
