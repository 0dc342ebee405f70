// Visual-style, DWM and DPI functions bound by name, each call guarded so that a missing
// library, a missing entry or an exception inside the call ends in a failure value.
#pragma once

#include <framework.h>

#include <uxtheme.h>

// While a skin is active, GetModuleHandleA("UxTheme.dll") answers this pseudo handle and
// GetProcAddress on it answers the skin's replacement of a visual-style function.
#define ZP_SKIN_UXTHEME_HANDLE (reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x021FFFF1)))

// UXTHEME entries, bound lazily from m_hModule. The shared tables load "UXTHEME.DLL" once
// and never free it; a private table borrows whatever module it is given.
struct ZP_THEME_ENTRY_TABLE
{
    enum Slot
    {
        slotDrawThemeBackground, slotCloseThemeData, slotSetWindowTheme, slotSetThemeAppProperties,
        slotOpenThemeData, slotIsThemePartDefined, slotIsThemeDialogTextureEnabled,
        slotIsThemeBackgroundPartiallyTransparent, slotIsThemeActive, slotIsAppThemed,
        slotHitTestThemeBackground, slotGetWindowTheme, slotGetThemeSysString, slotGetThemeTextMetrics,
        slotGetThemeTextExtent, slotGetThemeSysSize, slotGetThemeSysInt, slotGetThemeSysFont,
        slotGetThemeSysColorBrush, slotGetThemeSysColor, slotGetThemeSysBool, slotGetThemeString,
        slotGetThemeRect, slotGetThemePropertyOrigin, slotGetThemePosition, slotGetThemePartSize,
        slotGetThemeMetric, slotGetThemeMargins, slotGetThemeIntList, slotGetThemeInt, slotGetThemeFont,
        slotGetThemeFilename, slotGetThemeEnumValue, slotGetThemeDocumentationProperty, slotGetThemeColor,
        slotGetThemeBool, slotGetThemeBackgroundRegion, slotGetThemeBackgroundExtent,
        slotGetThemeBackgroundContentRect, slotThemeAppProperties, slotGetCurrentThemeName,
        slotEnableTheming, slotEnableThemeDialogTexture, slotDrawThemeText, slotDrawThemeParentBackground,
        slotDrawThemeIcon, slotDrawThemeEdge, slotDrawThemeBackgroundEx, slotGetThemeAppProperties,
        slotBeginBufferedPaint, slotEndBufferedPaint, slotDrawThemeTextEx,
        slotCount
    };

    explicit ZP_THEME_ENTRY_TABLE(HMODULE hModule);
    void ClearSlots();
    // The slot's entry, looked up by name first when it is empty and a module is known.
    FARPROC Bind(Slot nSlot);

    static LPCSTR GetSlotName(Slot nSlot);

    FARPROC m_pfnSlots[slotCount];
    HMODULE m_hModule;
    DWORD m_dwComCtlVersion;     // major << 16 | minor
};

class CZPWinThemeWrapper
{
public:
    explicit CZPWinThemeWrapper(BOOL bFollowModule = FALSE);
    virtual ~CZPWinThemeWrapper();

    HTHEME OpenTheme(HWND hWnd, LPCWSTR pszClassList);
    void CloseTheme();
    HTHEME GetThemeHandle() const { return m_hTheme; }

    HRESULT DrawBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT DrawTextWithOptions(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int cchText,
                                DWORD dwTextFlags, LPRECT pRect, const DTTOPTS* pOptions);
    HRESULT GetColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetInt(int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetPartSize(HDC hDC, int iPartId, int iStateId, const RECT* pRect, THEMESIZE eSize, SIZE* psz);
    BOOL GetSysBool(int iBoolId);
    HRESULT GetThemeFileName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                             int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
    BOOL HasAppTheme();
    BOOL QueryThemeActive();
    BOOL IsVisualStyleInEffect();
    HPAINTBUFFER StartBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                    BP_PAINTPARAMS* pPaintParams, HDC* phdcPaint);
    void FinishBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL bUpdateTarget);

    ZP_THEME_ENTRY_TABLE* GetEntryTable();
    void RefreshModuleHandle();

    // Replaces the shared tables for this wrapper only; the wrapper owns and deletes the table.
    void SetPrivateEntryTable(ZP_THEME_ENTRY_TABLE* pTable);

    CZPWinThemeWrapper(const CZPWinThemeWrapper&) = delete;
    CZPWinThemeWrapper& operator=(const CZPWinThemeWrapper&) = delete;

private:
    template <class TResult, class TFunc, class... TArgs>
    TResult CallEntry(ZP_THEME_ENTRY_TABLE::Slot nSlot, TResult failure, TArgs... args);

    HTHEME m_hTheme;
    BOOL m_bFollowModule;
    ZP_THEME_ENTRY_TABLE* m_pPrivateTable;  // owned; NULL = the shared tables
};

// DWMAPI entries; DwmIsCompositionEnabled has a slot but is never bound.
struct ZP_DWM_ENTRY_TABLE
{
    ZP_DWM_ENTRY_TABLE();

    FARPROC m_pfnDwmDefWindowProc;
    FARPROC m_pfnDwmIsCompositionEnabled;
    FARPROC m_pfnDwmExtendFrameIntoClientArea;
    HMODULE m_hModule;           // loaded once, never freed
};

ZP_DWM_ENTRY_TABLE& ZpDwmEntryTableInstance();

BOOL ZpCallDwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
HRESULT ZpExtendFrameIntoClient(HWND hWnd, int cxLeftWidth, int cxRightWidth, int cyTopHeight, int cyBottomHeight);
void ZpSetProcessDpiAware();
