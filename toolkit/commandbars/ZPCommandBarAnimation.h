// A bar's cached picture: WM_PAINT is served from it, and with animation on a changed part of the
// bar cross-fades from its old picture to its new one in six steps of a 50 ms timer.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/memorydc.h>

#include <vector>

class CZPCommandBar;

// The fade's timer on the bar window.
const UINT_PTR ZP_TIMER_BAR_ANIMATION = 707907;
const UINT ZP_BAR_ANIMATION_INTERVAL = 50;
// Steps 1-5 blend, step 6 shows the final picture.
const int ZP_BAR_ANIMATION_STEPS = 6;

class CZPCommandBarAnimation
{
public:
    // One fading area: its old and new pictures (32-bit DIB sections of the area's size).
    class CAnimateInfo
    {
    public:
        CAnimateInfo(HDC hDC, const CRect& rc);
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;
        BOOL IsValid() const { return m_pNewBits != NULL && m_pOldBits != NULL && m_pBlendBits != NULL; }
        // The two pictures are equal byte for byte.
        BOOL IsUnchanged() const;

        CBitmap m_bmpNew;     // owned
        DWORD* m_pNewBits;    // borrowed from m_bmpNew
        CBitmap m_bmpOld;     // owned
        DWORD* m_pOldBits;    // borrowed from m_bmpOld
        CBitmap m_bmpBlend;   // owned: the step being shown
        DWORD* m_pBlendBits;  // borrowed from m_bmpBlend
        CRect m_rc;
        int m_nStep;
        std::vector<CRect> m_arrExclusions;  // painted directly since the fade began
    };

    explicit CZPCommandBarAnimation(CZPCommandBar* pBar);
    ~CZPCommandBarAnimation();
    CZPCommandBarAnimation(const CZPCommandBarAnimation&) = delete;
    CZPCommandBarAnimation& operator=(const CZPCommandBarAnimation&) = delete;

    // On when the bar's EnableAnimation is set or its paint manager's bar animation is.
    BOOL IsAnimationEnabled() const;
    // Repaints a rectangle of the bar (all of it for NULL), fading it when bAnimate is set.
    void RedrawRect(const RECT* pRect, BOOL bAnimate);
    void OnPaint();
    void OnTimer();
    // The bar's window goes: cache and fades with it.
    void OnDestroy();
    // Frees every area and kills the timer.
    void Stop();

    int GetAreaCount() const { return static_cast<int>(m_arrAreas.size()); }
    const CAnimateInfo* GetArea(int nIndex) const { return m_arrAreas[nIndex]; }
    UINT_PTR GetTimer() const { return m_nTimer; }
    BOOL HasCache() const { return m_bmpCache.GetSafeHandle() != NULL; }

    BOOL m_bKeepCache;  // keep the cache with animation off too

protected:
    // Steps 1-5: the blend onto the screen; step 6: the final picture from the cache.
    void DrawStep(HDC hDC, CAnimateInfo* pInfo);
    void FreeCache();
    BOOL CreateCache(HDC hDC, CSize sz);
    // The bar drawn clipped to rc into hDestDC at (xDest, yDest).
    void DrawBarInto(HDC hDestDC, const CRect& rc, int xDest, int yDest);
    CSize GetClientSize() const;

    CZPCommandBar* m_pBar;  // borrowed: the bar owns this object
    CBitmap m_bmpCache;     // owned; a 32-bit DIB section of the client size
    CSize m_szCache;
    CMemoryDC m_dcCache;  // holds m_bmpCache selected while there is one
    CMemoryDC m_dcWork;   // selects an area's pictures for one copy at a time
    BOOL m_bInvalid;
    UINT_PTR m_nTimer;
    std::vector<CAnimateInfo*> m_arrAreas;  // owned
};
