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

// A memory DC with one bitmap selected for the scope.
class CBitmapScope
{
public:
    CBitmapScope(HDC hCompatible, HBITMAP hBitmap) : m_dc(hCompatible), m_hDC(m_dc.Select(hBitmap)) {}
    HDC Get() const { return m_hDC; }

private:
    CMemoryDC m_dc;
    HDC m_hDC;  // m_dc's, NULL when it could not be made
};

}  // namespace

// ---- CAnimateInfo ----

CZPCommandBarAnimation::CAnimateInfo::CAnimateInfo(HDC hDC, const CRect& rc)
    : m_pNewBits(NULL), m_pOldBits(NULL), m_rc(rc), m_nStep(1)
{
    LPBYTE pNew = NULL, pOld = NULL;
    m_bmpNew.Attach(ZpCreateDibSection32(hDC, rc.Width(), rc.Height(), &pNew));
    m_bmpOld.Attach(ZpCreateDibSection32(hDC, rc.Width(), rc.Height(), &pOld));
    m_pNewBits = reinterpret_cast<DWORD*>(pNew);
    m_pOldBits = reinterpret_cast<DWORD*>(pOld);
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
    {
        CBitmapScope cache(NULL, static_cast<HBITMAP>(m_bmpCache.GetSafeHandle()));
        CBitmapScope fresh(NULL, static_cast<HBITMAP>(pInfo->m_bmpNew.GetSafeHandle()));
        CBitmapScope old(NULL, static_cast<HBITMAP>(pInfo->m_bmpOld.GetSafeHandle()));
        if (cache.Get() == NULL || fresh.Get() == NULL || old.Get() == NULL) {
            delete pInfo;
            return;
        }
        DrawBarInto(fresh.Get(), rc, 0, 0);
        ::BitBlt(old.Get(), 0, 0, rc.Width(), rc.Height(), cache.Get(), rc.left, rc.top, SRCCOPY);
        ::BitBlt(cache.Get(), rc.left, rc.top, rc.Width(), rc.Height(), fresh.Get(), 0, 0, SRCCOPY);
    }

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
        CBitmapScope fresh(hDC, static_cast<HBITMAP>(pInfo->m_bmpNew.GetSafeHandle()));
        if (fresh.Get() != NULL)
            ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), fresh.Get(), 0, 0, SRCCOPY);
        delete pInfo;
    }
    ::ReleaseDC(hWnd, hDC);
}

void CZPCommandBarAnimation::DrawStep(HDC hDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rc;
    if (pInfo->m_nStep >= ZP_BAR_ANIMATION_STEPS) {
        CBitmapScope cache(hDC, static_cast<HBITMAP>(m_bmpCache.GetSafeHandle()));
        if (cache.Get() != NULL)
            ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), cache.Get(), rc.left, rc.top, SRCCOPY);
    } else {
        const DWORD a = static_cast<DWORD>(pInfo->m_nStep * kFullAlpha / ZP_BAR_ANIMATION_STEPS);
        LPBYTE pBits = NULL;
        CBitmap bmpBlend;
        bmpBlend.Attach(ZpCreateDibSection32(hDC, rc.Width(), rc.Height(), &pBits));
        if (pBits != NULL) {
            ::GdiFlush();
            const BYTE* pNew = reinterpret_cast<const BYTE*>(pInfo->m_pNewBits);
            const BYTE* pOld = reinterpret_cast<const BYTE*>(pInfo->m_pOldBits);
            const size_t nBytes = static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height()) * 4;
            for (size_t i = 0; i < nBytes; i++)
                pBits[i] = static_cast<BYTE>((pNew[i] * a + pOld[i] * (kFullAlpha - a)) >> 8);
            CBitmapScope blend(hDC, static_cast<HBITMAP>(bmpBlend.GetSafeHandle()));
            if (blend.Get() != NULL)
                ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), blend.Get(), 0, 0, SRCCOPY);
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
        CBitmapScope cache(paintDC.GetSafeHdc(), static_cast<HBITMAP>(m_bmpCache.GetSafeHandle()));
        if (cache.Get() != NULL) {
            DrawBarInto(cache.Get(), rcPaint, rcPaint.left, rcPaint.top);
            ::BitBlt(paintDC.GetSafeHdc(), rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), cache.Get(),
                     rcPaint.left, rcPaint.top, SRCCOPY);
        }
    } else {
        CBitmapScope cache(paintDC.GetSafeHdc(), static_cast<HBITMAP>(m_bmpCache.GetSafeHandle()));
        if (cache.Get() != NULL)
            ::BitBlt(paintDC.GetSafeHdc(), 0, 0, m_szCache.cx, m_szCache.cy, cache.Get(), 0, 0, SRCCOPY);
    }
    m_bInvalid = FALSE;
}
