// Soft drop shadows of popups: small tool windows along the right and bottom edges that follow
// their popup through the hook manager.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/wnd.h>

#include "common/ZPHookManager.h"

class CZPShadowManager : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPShadowManager)
public:
    enum
    {
        sideRight = 0,
        sideBottom = 1,
        sideCorner = 2
    };
    enum
    {
        shadowForce = 0x1,        // shadows even without alpha or system drop shadows, at half strength
        shadowExcludeRect = 0x2   // cut the exclusion rectangle out of new shadows
    };

    class CShadowWnd : public CWnd, public CZPHookManagerHookAble
    {
    public:
        // Holds a reference on the manager for its lifetime.
        CShadowWnd(CZPShadowManager* pManager, CWnd* pOwner, int nKey, BOOL bRectShadow);
        ~CShadowWnd() override;

        // Creates the window on first use (FALSE when that fails) and places it.
        BOOL Place(int nSide, int left, int top, int right, int bottom);
        // Cuts a screen rectangle out of the window, keeping earlier cuts.
        void ExcludeRect(const RECT& rcScreen);
        // Joins this strip to a perpendicular strip of a cascaded popup.
        void AdjustToNeighbours(const CList<CShadowWnd*, CShadowWnd*>& listShadows);
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

        // The strip's premultiplied 32-bpp bottom-up picture (the caller deletes it).
        static HBITMAP CreateShadowBitmap(HDC hDC, int nSide, int cx, int cy, COLORREF clrShadow, BOOL bHalfStrength);

        int GetSide() const { return m_nSide; }
        CWnd* GetShadowOwner() const { return m_pOwner; }
        int GetKey() const { return m_nKey; }
        BOOL IsRectShadow() const { return m_bRectShadow; }
        BOOL IsRegionSet() const { return m_bRegionSet; }

    protected:
        friend class CZPShadowManager;

        void OnPaint();
        void OnSize(UINT nType, int cx, int cy);
        DECLARE_MESSAGE_MAP()

        int m_nSide;
        BOOL m_bRegionSet;
        CWnd* m_pOwner;                  // borrowed: the popup; NULL once the shadow is being destroyed
        int m_nKey;
        BOOL m_bRectShadow;
        CZPShadowManager* m_pManager;    // one reference
    };

    typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                 DWORD);

    CZPShadowManager();
    ~CZPShadowManager() override;

    BOOL CanUseAlphaShadow() const;
    void SetPopupShadow(CWnd* pPopup, LPCRECT lprcExclude, int nKey);
    void SetRectShadow(int left, int top, int right, int bottom, CWnd* pOwner);
    CShadowWnd* CreateShadow(int nSide, int left, int top, int right, int bottom, LPCRECT lprcExclude, CWnd* pOwner,
                             BOOL bRectShadow, int nKey);
    void DestroyShadow(CShadowWnd* pShadow);
    void RemoveShadowsOf(CWnd* pOwner);
    void OffsetShadowsOf(CWnd* pOwner, int dx, int dy);

    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    COLORREF GetShadowColor() const { return m_clrShadow; }
    void SetShadowColor(COLORREF clr) { m_clrShadow = clr; }
    BOOL IsAlphaMode() const { return m_bAlphaShadow; }
    const CList<CShadowWnd*, CShadowWnd*>& GetShadows() const { return *m_pShadows; }

protected:
    BOOL m_bSaveBitsClass;
    PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow;
    CList<CShadowWnd*, CShadowWnd*>* m_pShadows;   // owned list; each shadow deletes itself or is deleted here
    BOOL m_bAlphaShadow;
    DWORD m_dwFlags;
    COLORREF m_clrShadow;
};
