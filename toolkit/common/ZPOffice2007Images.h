// The Office 2007 look's store: named part bitmaps drawn by nine-grid stretching, and named
// colours, both described by an INI text in a theme resource module.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "common/ZPSystemHelpers.h"

#include <vector>

class CZPEventConnection;
class CZPOffice2007Images;

// Sent to the store's event connection after another theme module was bound.
const int ZP_EVENT_OFFICE2007_THEME_CHANGED = 10575;

class CZPOffice2007Image : public CCmdTarget
{
public:
    explicit CZPOffice2007Image(CZPOffice2007Images* pOwner);
    ~CZPOffice2007Image() override;

    BOOL LoadFromResource(HMODULE hModule, LPCWSTR lpszName);
    // Takes the bitmap: its pixels are copied and the handle deleted.
    void SetBitmap(HBITMAP hBitmap, BOOL bAlpha);

    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    BOOL IsAlphaImage() const { return m_bAlpha; }
    BOOL IsMirrored() const { return m_bMirrored; }
    // Part i (from 0) of n equal parts stacked vertically.
    CRect GetPartRect(int nState, int nCount) const;

    // rcSizingMargins carries the left, top, right and bottom margins of the source.
    void DrawSliced(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins);
    void DrawStretched(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);
    void DrawSlicedKeyed(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                         COLORREF clrKey);
    // Flag bit 0: draw through an alpha buffer in which the key colour becomes transparent.
    void DrawSlicedToAlpha(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                           COLORREF clrKey, DWORD dwFlags);
    void MirrorPixels();

    // The destination sizes of the two margins of one axis. bParity: the far margin keeps the
    // parity of its source size when the margins are scaled down (the vertical rule).
    static void ScaleMargins(int nDest, int nSrc, int nFirst, int nLast, BOOL bParity, int* pnFirst, int* pnLast);

    BOOL m_bMirrorInRTL;   // mirror the pixels when drawn into a right-to-left DC

protected:
    BOOL CopyPixelsFrom(HBITMAP hBitmap);
    void DrawPiece(CDC* pDC, CDC* pSrcDC, const CRect& rcDest, const CRect& rcSrc);

    std::vector<DWORD> m_arrPixels;   // bottom-up rows; premultiplied when m_bAlpha
    BOOL m_bAlpha;
    BOOL m_bMirrored;
    int m_nWidth;
    int m_nHeight;
    CZPOffice2007Images* m_pOwner;   // borrowed: the store outlives its images
};

class CZPOffice2007Images : public CCmdTarget
{
public:
    // Side of the shared square work bitmap; larger images are not drawn.
    static const int kWorkSize = 512;

    CZPOffice2007Images();
    ~CZPOffice2007Images() override;

    // TRUE when the module holds the INI text. A null or empty name means "OFFICE2007BLUE_INI",
    // or else the module's first "TEXTFILE" resource.
    BOOL SetThemeModule(HMODULE hModule, LPCWSTR lpszIniName, BOOL bOwnsModule);
    BOOL IsLoaded() const { return m_pIniBegin != NULL; }
    HMODULE GetModule() const { return m_hModule; }

    // Upper-case value of the key in the section; empty when absent.
    CString GetValue(LPCWSTR lpszSection, LPCWSTR lpszKey);
    CString GetString(LPCWSTR lpszSection, LPCWSTR lpszKey) { return GetValue(lpszSection, lpszKey); }
    // COLORREF of a "red green blue" value; -1 when absent or empty.
    COLORREF GetColor(LPCWSTR lpszSection, LPCWSTR lpszKey);
    // Cached image or null; the store keeps ownership.
    CZPOffice2007Image* GetImage(LPCWSTR lpszName);
    void ClearCache();

    // The value lookup over an INI text [pBegin, pEnd) in the system code page.
    static CString ReadIniValue(const BYTE* pBegin, const BYTE* pEnd, LPCWSTR lpszSection, LPCWSTR lpszKey);

    // A memory DC that remembers the bitmap it replaced and puts it back.
    class CBitmapDC : public CDC
    {
    public:
        CBitmapDC() : m_hOldBitmap(NULL) {}
        ~CBitmapDC() override { SelectBitmap(NULL); }
        void SelectBitmap(HBITMAP hBitmap);

    private:
        HGDIOBJ m_hOldBitmap;   // borrowed: the DC's bitmap before the first selection
    };

protected:
    CString ResolveImageName(LPCWSTR lpszName);
    CZPOffice2007Image* LoadImageByName(LPCWSTR lpszName);
    static HRSRC FindFirstTextResource(HMODULE hModule);

    HMODULE m_hModule;
    const BYTE* m_pIniBegin;   // borrowed: the locked resource of m_hModule
    const BYTE* m_pIniEnd;
    BOOL m_bOwnsModule;
    CZPSyncSection m_lock;
    CBitmapDC m_dcWork;
    HBITMAP m_hbmWork;   // owned
    LPBYTE m_pWorkBits;   // borrowed from m_hbmWork
    CZPEventConnection* m_pConnection;   // one reference; never created here
    CMap<CString, LPCWSTR, CZPOffice2007Image*, CZPOffice2007Image*> m_mapCache;   // one reference each

    friend class CZPOffice2007Image;
};

CZPOffice2007Images* ZpOffice2007ImagesInstance();
