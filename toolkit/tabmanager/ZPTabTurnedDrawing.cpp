// Pictures made for tabs on top, turned into tabs on the other sides.
#include "tabmanager/ZPTabPaintManager.h"

#include <framework/memorydc.h>

#include "common/ZPColorManager.h"
#include "common/ZPImageLoading.h"

void ZpTabTurnPixels(DWORD* pTop, int cxTop, int cyTop, DWORD* pTab, int cxTab, int cyTab, int nPosition, BOOL bToTop)
{
    // Both pictures are bottom-up DIB sections: screen row y is memory row (height - 1 - y).
    for (int y = 0; y < cyTop; y++) {
        for (int x = 0; x < cxTop; x++) {
            int xd = x, yd = y;
            if (nPosition == zpTabPositionLeft) {
                xd = y;
                yd = x;
            } else if (nPosition == zpTabPositionRight) {
                xd = cxTab - 1 - y;
                yd = x;
            } else if (nPosition == zpTabPositionBottom) {
                yd = cyTab - 1 - y;
            }
            if (xd < 0 || yd < 0 || xd >= cxTab || yd >= cyTab)
                continue;
            DWORD& top = pTop[(cyTop - 1 - y) * cxTop + x];
            DWORD& tab = pTab[(cyTab - 1 - yd) * cxTab + xd];
            if (bToTop)
                top = tab;
            else
                tab = top;
        }
    }
}

void ZpTabDrawTurned(CDC* pDC, const CRect& rcTab, int nPosition, COLORREF clrBack,
                     const std::function<void(CDC* pDC, const CRect& rc)>& draw)
{
    if (rcTab.IsRectEmpty())
        return;
    BOOL bVertical = nPosition == zpTabPositionLeft || nPosition == zpTabPositionRight;
    int cxTab = rcTab.Width(), cyTab = rcTab.Height();
    int cxTop = bVertical ? cyTab : cxTab, cyTop = bVertical ? cxTab : cyTab;
    LPBYTE pTopBits = NULL, pTabBits = NULL;
    CBitmap bmpTop, bmpTab;
    bmpTop.Attach(ZpCreateDibSection32(pDC->GetSafeHdc(), cxTop, cyTop, &pTopBits));
    bmpTab.Attach(ZpCreateDibSection32(pDC->GetSafeHdc(), cxTab, cyTab, &pTabBits));
    if (pTopBits == NULL || pTabBits == NULL)
        return;
    DWORD* pTop = reinterpret_cast<DWORD*>(pTopBits);
    DWORD* pTab = reinterpret_cast<DWORD*>(pTabBits);
    CMemoryDC memory(pDC->GetSafeHdc());
    HDC hTab = memory.Select(static_cast<HBITMAP>(bmpTab.GetSafeHandle()));
    if (hTab == NULL)
        return;
    if (clrBack == ZP_COLOR_UNSET) {
        CDC dcTab(hTab);
        dcTab.BitBlt(0, 0, cxTab, cyTab, pDC, rcTab.left, rcTab.top, SRCCOPY);
        ::GdiFlush();
        ZpTabTurnPixels(pTop, cxTop, cyTop, pTab, cxTab, cyTab, nPosition, TRUE);
    }
    HDC hTop = memory.Select(static_cast<HBITMAP>(bmpTop.GetSafeHandle()));
    if (hTop != NULL) {
        CDC dcTop(hTop);
        CRect rcTop(0, 0, cxTop, cyTop);
        if (clrBack != ZP_COLOR_UNSET)
            dcTop.FillSolidRect(rcTop, clrBack);
        draw(&dcTop, rcTop);
        ::GdiFlush();
        ZpTabTurnPixels(pTop, cxTop, cyTop, pTab, cxTab, cyTab, nPosition, FALSE);
    }
    memory.Restore();
    ::DrawStateW(pDC->GetSafeHdc(), NULL, NULL, reinterpret_cast<LPARAM>(bmpTab.GetSafeHandle()), 0, rcTab.left,
                 rcTab.top, cxTab, cyTab, DST_BITMAP);
}
