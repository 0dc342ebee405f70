// The bar's cached picture and the cross-fade of its changed areas.
#include "commandbars/ZPCommandBarAnimation.h"

#include <framework/memorydc.h>

#include <algorithm>
#include <cstring>

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPImageLoading.h"

namespace {

const int kFullAlpha = 255;

BOOL IsInside(const CRect& rcInner, const CRect& rcOuter)
{
    CRect rcUnion;
    rcUnion.UnionRect(rcInner, rcOuter);
    return rcUnion == rcOuter;
}

}  // namespace

// ---- CAnimateInfo ----

CZPCommandBarAnimation::CAnimateInfo::CAnimateInfo(HDC hDC, const CRect& rc)
    : m_pNewBits(NULL), m_pOldBits(NULL), m_pBlendBits(NULL), m_rc(rc), m_nStep(1)
{
    LPBYTE pNew = NULL, pOld = NULL, pBlend = NULL;
    m_bmpNew.Attach(ZpCreateDibSection32(hDC, rc.Width(), rc.Height(), &pNew));
    m_bmpOld.Attach(ZpCreateDibSection32(hDC, rc.Width(), rc.Height(), &pOld));
    m_bmpBlend.Attach(ZpCreateDibSection32(hDC, rc.Width(), rc.Height(), &pBlend));
    m_pNewBits = reinterpret_cast<DWORD*>(pNew);
    m_pOldBits = reinterpret_cast<DWORD*>(pOld);
    m_pBlendBits = reinterpret_cast<DWORD*>(pBlend);
}

BOOL CZPCommandBarAnimation::CAnimateInfo::IsUnchanged() const
{
    ::GdiFlush();
    const size_t nPixels = static_cast<size_t>(m_rc.Width()) * static_cast<size_t>(m_rc.Height());
    return std::equal(m_pNewBits, m_pNewBits + nPixels, m_pOldBits);
}

// ---- CZPCommandBarAnimation ----

CZPCommandBarAnimation::CZPCommandBarAnimation(CZPCommandBar* pBar)
    : m_bKeepCache(FALSE), m_pBar(pBar), m_szCache(0, 0), m_bInvalid(TRUE), m_nTimer(0)
{}

CZPCommandBarAnimation::~CZPCommandBarAnimation()
{
    Stop();
}

BOOL CZPCommandBarAnimation::IsAnimationEnabled() const
{
    if (m_pBar->IsAnimationEnabled())
        return TRUE;
    CZPPaintManager* pPaintManager = m_pBar->ResolvePaintManager();
    return pPaintManager != NULL && pPaintManager->m_bEnableAnimation;
}

CSize CZPCommandBarAnimation::GetClientSize() const
{
    CRect rc(0, 0, 0, 0);
    if (m_pBar->GetSafeHwnd() != NULL)
        ::GetClientRect(m_pBar->m_hWnd, &rc);
    return rc.Size();
}

void CZPCommandBarAnimation::FreeCache()
{
    m_dcCache.Restore();
    m_bmpCache.DeleteObject();
    m_szCache = CSize(0, 0);
}

BOOL CZPCommandBarAnimation::CreateCache(HDC hDC, CSize sz)
{
    FreeCache();
    if (sz.cx <= 0 || sz.cy <= 0)
        return FALSE;
    LPBYTE pBits = NULL;
    m_bmpCache.Attach(ZpCreateDibSection32(hDC, sz.cx, sz.cy, &pBits));
    if (pBits == NULL) {
        FreeCache();
        return FALSE;
    }
    if (m_dcCache.Select(static_cast<HBITMAP>(m_bmpCache.GetSafeHandle())) == NULL) {
        FreeCache();
        return FALSE;
    }
    m_szCache = sz;
    return TRUE;
}

void CZPCommandBarAnimation::DrawBarInto(HDC hDestDC, const CRect& rc, int xDest, int yDest)
{
    CDC dc(hDestDC);
    const int nSaved = dc.SaveDC();
    CPoint ptOld = dc.SetViewportOrg(xDest - rc.left, yDest - rc.top);
    dc.IntersectClipRect(rc);
    m_pBar->DrawBar(&dc, rc);
    dc.SetViewportOrg(ptOld);
    dc.RestoreDC(nSaved);
    dc.Detach();
}

void CZPCommandBarAnimation::Stop()
{
    for (CAnimateInfo* pInfo : m_arrAreas)
        delete pInfo;
    m_arrAreas.clear();
    if (m_nTimer != 0 && m_pBar->GetSafeHwnd() != NULL)
        ::KillTimer(m_pBar->m_hWnd, ZP_TIMER_BAR_ANIMATION);
    m_nTimer = 0;
}

void CZPCommandBarAnimation::OnDestroy()
{
    FreeCache();
    Stop();
}

void CZPCommandBarAnimation::RedrawRect(const RECT* pRect, BOOL bAnimate)
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    if (hWnd == NULL)
        return;
    if (pRect == NULL) {
        // The areas fade from the cache: they go with it.
        FreeCache();
        Stop();
        m_bInvalid = TRUE;
        ::InvalidateRect(hWnd, NULL, FALSE);
        return;
    }
    const CSize szClient = GetClientSize();
    CRect rc;
    if (!rc.IntersectRect(pRect, CRect(CPoint(0, 0), szClient)))
        return;
    if (HasCache() && m_szCache != szClient) {
        FreeCache();
        Stop();
    }
    if (!HasCache() || !IsAnimationEnabled()) {
        m_bInvalid = TRUE;
        ::InvalidateRect(hWnd, rc, FALSE);
        return;
    }

    CAnimateInfo* pInfo = new CAnimateInfo(NULL, rc);
    if (!pInfo->IsValid()) {
        delete pInfo;
        m_bInvalid = TRUE;
        ::InvalidateRect(hWnd, rc, FALSE);
        return;
    }
    // The old picture from the cache, the new one drawn, then the cache takes the new one.
    if (m_dcWork.Select(static_cast<HBITMAP>(pInfo->m_bmpOld.GetSafeHandle())) == NULL) {
        delete pInfo;
        return;
    }
    ::BitBlt(m_dcWork, 0, 0, rc.Width(), rc.Height(), m_dcCache, rc.left, rc.top, SRCCOPY);
    m_dcWork.Select(static_cast<HBITMAP>(pInfo->m_bmpNew.GetSafeHandle()));
    DrawBarInto(m_dcWork, rc, 0, 0);
    ::BitBlt(m_dcCache, rc.left, rc.top, rc.Width(), rc.Height(), m_dcWork, 0, 0, SRCCOPY);
    m_dcWork.Restore();

    if (bAnimate && pInfo->IsUnchanged()) {
        delete pInfo;
        return;
    }
    // Older fades wholly inside this rectangle are overtaken by it.
    auto itEnd = std::remove_if(m_arrAreas.begin(), m_arrAreas.end(), [&](CAnimateInfo* pArea) {
        if (!IsInside(pArea->m_rc, rc))
            return false;
        delete pArea;
        return true;
    });
    m_arrAreas.erase(itEnd, m_arrAreas.end());

    HDC hDC = ::GetDC(hWnd);
    if (bAnimate) {
        m_arrAreas.push_back(pInfo);
        if (m_nTimer == 0)
            m_nTimer = ::SetTimer(hWnd, ZP_TIMER_BAR_ANIMATION, ZP_BAR_ANIMATION_INTERVAL, NULL);
        DrawStep(hDC, pInfo);
    } else {
        // Fades still running over this rectangle leave it alone from now on.
        for (CAnimateInfo* pArea : m_arrAreas) {
            if (CRect().IntersectRect(pArea->m_rc, rc))
                pArea->m_arrExclusions.push_back(rc);
        }
        ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), m_dcCache, rc.left, rc.top, SRCCOPY);
        delete pInfo;
    }
    ::ReleaseDC(hWnd, hDC);
}

void CZPCommandBarAnimation::DrawStep(HDC hDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rc;
    if (pInfo->m_nStep >= ZP_BAR_ANIMATION_STEPS) {
        ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), m_dcCache, rc.left, rc.top, SRCCOPY);
    } else {
        // (new x a + old x (255 - a)) >> 8 per byte; two bytes of a pixel at a time cannot carry
        // into each other (255 x 255 < 65536).
        const DWORD a = static_cast<DWORD>(pInfo->m_nStep * kFullAlpha / ZP_BAR_ANIMATION_STEPS);
        const DWORD b = kFullAlpha - a;
        ::GdiFlush();
        const size_t nPixels = static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height());
        const DWORD* pNew = pInfo->m_pNewBits;
        const DWORD* pOld = pInfo->m_pOldBits;
        DWORD* pBlend = pInfo->m_pBlendBits;
        for (size_t i = 0; i < nPixels; i++) {
            const DWORD n = pNew[i], o = pOld[i];
            const DWORD dwEven = (((n & 0x00FF00FF) * a + (o & 0x00FF00FF) * b) >> 8) & 0x00FF00FF;
            const DWORD dwOdd = (((n >> 8) & 0x00FF00FF) * a + ((o >> 8) & 0x00FF00FF) * b) & 0xFF00FF00;
            pBlend[i] = dwEven | dwOdd;
        }
        if (m_dcWork.Select(static_cast<HBITMAP>(pInfo->m_bmpBlend.GetSafeHandle())) != NULL) {
            ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), m_dcWork, 0, 0, SRCCOPY);
            m_dcWork.Restore();
        }
    }
    pInfo->m_nStep++;
}

void CZPCommandBarAnimation::OnTimer()
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    if (hWnd == NULL)
        return;
    // A bar resized during a fade rebuilds its cache at the next paint.
    if (HasCache() && m_szCache != GetClientSize()) {
        FreeCache();
        Stop();
        m_bInvalid = TRUE;
        ::InvalidateRect(hWnd, NULL, FALSE);
        return;
    }
    HDC hDC = ::GetDC(hWnd);
    for (auto it = m_arrAreas.begin(); it != m_arrAreas.end();) {
        CAnimateInfo* pInfo = *it;
        for (const CRect& rcExclude : pInfo->m_arrExclusions)
            ::ExcludeClipRect(hDC, rcExclude.left, rcExclude.top, rcExclude.right, rcExclude.bottom);
        DrawStep(hDC, pInfo);
        ::SelectClipRgn(hDC, NULL);
        if (pInfo->m_nStep > ZP_BAR_ANIMATION_STEPS) {
            delete pInfo;
            it = m_arrAreas.erase(it);
        } else {
            ++it;
        }
    }
    ::ReleaseDC(hWnd, hDC);
    if (m_arrAreas.empty())
        Stop();
}

void CZPCommandBarAnimation::OnPaint()
{
    CPaintDC paintDC(m_pBar);
    CRect rcPaint(paintDC.m_ps.rcPaint);
    const CSize szClient = GetClientSize();
    if (HasCache() && m_szCache != szClient)
        FreeCache();
    if (!m_bKeepCache && !IsAnimationEnabled()) {
        FreeCache();
        Stop();
        CZPBufferDC dc(paintDC);
        m_pBar->DrawBar(&dc, rcPaint);
        m_bInvalid = FALSE;
        return;
    }
    if (m_bInvalid || !HasCache()) {
        if (!HasCache()) {
            CreateCache(paintDC.GetSafeHdc(), szClient);
            rcPaint.SetRect(0, 0, szClient.cx, szClient.cy);
        }
        Stop();
        if (HasCache()) {
            DrawBarInto(m_dcCache, rcPaint, rcPaint.left, rcPaint.top);
            ::BitBlt(paintDC.GetSafeHdc(), rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), m_dcCache,
                     rcPaint.left, rcPaint.top, SRCCOPY);
        }
    } else {
        ::BitBlt(paintDC.GetSafeHdc(), 0, 0, m_szCache.cx, m_szCache.cy, m_dcCache, 0, 0, SRCCOPY);
    }
    m_bInvalid = FALSE;
}
