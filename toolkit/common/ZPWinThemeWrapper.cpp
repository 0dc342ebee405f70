// Visual-style, DWM and DPI functions bound by name, each call guarded.
#include "common/ZPWinThemeWrapper.h"

#include "common/ZPSystemHelpers.h"

namespace
{
const LPCSTR g_pszSlotNames[ZP_THEME_ENTRY_TABLE::slotCount] = {
    "DrawThemeBackground", "CloseThemeData", "SetWindowTheme", "SetThemeAppProperties",
    "OpenThemeData", "IsThemePartDefined", "IsThemeDialogTextureEnabled",
    "IsThemeBackgroundPartiallyTransparent", "IsThemeActive", "IsAppThemed",
    "HitTestThemeBackground", "GetWindowTheme", "GetThemeSysString", "GetThemeTextMetrics",
    "GetThemeTextExtent", "GetThemeSysSize", "GetThemeSysInt", "GetThemeSysFont",
    "GetThemeSysColorBrush", "GetThemeSysColor", "GetThemeSysBool", "GetThemeString",
    "GetThemeRect", "GetThemePropertyOrigin", "GetThemePosition", "GetThemePartSize",
    "GetThemeMetric", "GetThemeMargins", "GetThemeIntList", "GetThemeInt", "GetThemeFont",
    "GetThemeFilename", "GetThemeEnumValue", "GetThemeDocumentationProperty", "GetThemeColor",
    "GetThemeBool", "GetThemeBackgroundRegion", "GetThemeBackgroundExtent",
    "GetThemeBackgroundContentRect", "ThemeAppProperties", "GetCurrentThemeName",
    "EnableTheming", "EnableThemeDialogTexture", "DrawThemeText", "DrawThemeParentBackground",
    "DrawThemeIcon", "DrawThemeEdge", "DrawThemeBackgroundEx", "GetThemeAppProperties",
    "BeginBufferedPaint", "EndBufferedPaint", "DrawThemeTextEx",
};

typedef HRESULT (WINAPI* PFNDRAWTHEMEBACKGROUND)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT (WINAPI* PFNCLOSETHEMEDATA)(HTHEME);
typedef HTHEME (WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
typedef BOOL (WINAPI* PFNISTHEMEACTIVE)();
typedef BOOL (WINAPI* PFNISAPPTHEMED)();
typedef BOOL (WINAPI* PFNGETTHEMESYSBOOL)(HTHEME, int);
typedef HRESULT (WINAPI* PFNGETTHEMEPARTSIZE)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*);
typedef HRESULT (WINAPI* PFNGETTHEMEINT)(HTHEME, int, int, int, int*);
typedef HRESULT (WINAPI* PFNGETTHEMECOLOR)(HTHEME, int, int, int, COLORREF*);
typedef HRESULT (WINAPI* PFNGETCURRENTTHEMENAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef HPAINTBUFFER (WINAPI* PFNBEGINBUFFEREDPAINT)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*);
typedef HRESULT (WINAPI* PFNENDBUFFEREDPAINT)(HPAINTBUFFER, BOOL);
typedef HRESULT (WINAPI* PFNDRAWTHEMETEXTEX)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*);

typedef BOOL (WINAPI* PFNDWMDEFWINDOWPROC)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
typedef HRESULT (WINAPI* PFNDWMEXTENDFRAMEINTOCLIENTAREA)(HWND, const MARGINS*);
typedef BOOL (WINAPI* PFNSETPROCESSDPIAWARE)();

template <class TFunc>
TFunc EntryCast(FARPROC pfn)
{
    return reinterpret_cast<TFunc>(reinterpret_cast<void*>(pfn));
}

ZP_THEME_ENTRY_TABLE& PlainEntryTable()
{
    static ZP_THEME_ENTRY_TABLE s_table(::LoadLibraryW(L"UXTHEME.DLL"));
    return s_table;
}

ZP_THEME_ENTRY_TABLE& FollowingEntryTable()
{
    static ZP_THEME_ENTRY_TABLE s_table(::LoadLibraryW(L"UXTHEME.DLL"));
    return s_table;
}
}

ZP_THEME_ENTRY_TABLE::ZP_THEME_ENTRY_TABLE(HMODULE hModule)
    : m_hModule(hModule), m_dwComCtlVersion(ZpOsVersionInstance().GetComCtlVersion())
{
    ClearSlots();
}

void ZP_THEME_ENTRY_TABLE::ClearSlots()
{
    for (FARPROC& pfn : m_pfnSlots)
        pfn = NULL;
}

FARPROC ZP_THEME_ENTRY_TABLE::Bind(Slot nSlot)
{
    if (m_pfnSlots[nSlot] == NULL && m_hModule != NULL)
        m_pfnSlots[nSlot] = ::GetProcAddress(m_hModule, g_pszSlotNames[nSlot]);
    return m_pfnSlots[nSlot];
}

LPCSTR ZP_THEME_ENTRY_TABLE::GetSlotName(Slot nSlot)
{
    return g_pszSlotNames[nSlot];
}

CZPWinThemeWrapper::CZPWinThemeWrapper(BOOL bFollowModule)
    : m_hTheme(NULL), m_bFollowModule(bFollowModule), m_pPrivateTable(NULL)
{
}

CZPWinThemeWrapper::~CZPWinThemeWrapper()
{
    CloseTheme();
    delete m_pPrivateTable;
}

void CZPWinThemeWrapper::SetPrivateEntryTable(ZP_THEME_ENTRY_TABLE* pTable)
{
    if (pTable != m_pPrivateTable)
        delete m_pPrivateTable;
    m_pPrivateTable = pTable;
}

ZP_THEME_ENTRY_TABLE* CZPWinThemeWrapper::GetEntryTable()
{
    if (m_pPrivateTable != NULL)
        return m_pPrivateTable;
    return m_bFollowModule ? &FollowingEntryTable() : &PlainEntryTable();
}

// Bound functions may be the skin framework's own code, which can throw: nothing may escape.
// Only C++ exceptions are caught; hardware faults inside the system's functions are left to
// the system, since the mingw compilers offer no structured-exception guard.
template <class TResult, class TFunc, class... TArgs>
TResult CZPWinThemeWrapper::CallEntry(ZP_THEME_ENTRY_TABLE::Slot nSlot, TResult failure, TArgs... args)
{
    try
    {
        FARPROC pfn = GetEntryTable()->Bind(nSlot);
        if (pfn != NULL)
            return EntryCast<TFunc>(pfn)(args...);
    }
    catch (CException* pException)
    {
        pException->Delete();
    }
    catch (...)
    {
    }
    return failure;
}

void CZPWinThemeWrapper::RefreshModuleHandle()
{
    if (!m_bFollowModule)
        return;
    try
    {
        ZP_THEME_ENTRY_TABLE* pTable = GetEntryTable();
        HMODULE hModule = ::GetModuleHandleA("UXTHEME.DLL");
        if (hModule != pTable->m_hModule)
        {
            pTable->m_hModule = hModule;
            pTable->ClearSlots();
        }
    }
    catch (CException* pException)
    {
        pException->Delete();
    }
    catch (...)
    {
    }
}

HTHEME CZPWinThemeWrapper::OpenTheme(HWND hWnd, LPCWSTR pszClassList)
{
    RefreshModuleHandle();
    CloseTheme();
    m_hTheme = CallEntry<HTHEME, PFNOPENTHEMEDATA>(ZP_THEME_ENTRY_TABLE::slotOpenThemeData, HTHEME(NULL),
                                                   hWnd, pszClassList);
    return m_hTheme;
}

void CZPWinThemeWrapper::CloseTheme()
{
    if (m_hTheme != NULL)
        CallEntry<HRESULT, PFNCLOSETHEMEDATA>(ZP_THEME_ENTRY_TABLE::slotCloseThemeData, E_FAIL, m_hTheme);
    m_hTheme = NULL;
}

HRESULT CZPWinThemeWrapper::DrawBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect)
{
    return CallEntry<HRESULT, PFNDRAWTHEMEBACKGROUND>(ZP_THEME_ENTRY_TABLE::slotDrawThemeBackground, E_FAIL,
                                                      m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect);
}

HRESULT CZPWinThemeWrapper::DrawTextWithOptions(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int cchText,
                                                DWORD dwTextFlags, LPRECT pRect, const DTTOPTS* pOptions)
{
    return CallEntry<HRESULT, PFNDRAWTHEMETEXTEX>(ZP_THEME_ENTRY_TABLE::slotDrawThemeTextEx, E_FAIL, m_hTheme, hDC,
                                                  iPartId, iStateId, pszText, cchText, dwTextFlags, pRect, pOptions);
}

HRESULT CZPWinThemeWrapper::GetColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    return CallEntry<HRESULT, PFNGETTHEMECOLOR>(ZP_THEME_ENTRY_TABLE::slotGetThemeColor, E_FAIL, m_hTheme, iPartId,
                                                iStateId, iPropId, pColor);
}

HRESULT CZPWinThemeWrapper::GetInt(int iPartId, int iStateId, int iPropId, int* piVal)
{
    return CallEntry<HRESULT, PFNGETTHEMEINT>(ZP_THEME_ENTRY_TABLE::slotGetThemeInt, E_FAIL, m_hTheme, iPartId,
                                              iStateId, iPropId, piVal);
}

HRESULT CZPWinThemeWrapper::GetPartSize(HDC hDC, int iPartId, int iStateId, const RECT* pRect, THEMESIZE eSize, SIZE* psz)
{
    return CallEntry<HRESULT, PFNGETTHEMEPARTSIZE>(ZP_THEME_ENTRY_TABLE::slotGetThemePartSize, E_FAIL, m_hTheme, hDC,
                                                   iPartId, iStateId, pRect, eSize, psz);
}

BOOL CZPWinThemeWrapper::GetSysBool(int iBoolId)
{
    return CallEntry<BOOL, PFNGETTHEMESYSBOOL>(ZP_THEME_ENTRY_TABLE::slotGetThemeSysBool, FALSE, m_hTheme, iBoolId);
}

HRESULT CZPWinThemeWrapper::GetThemeFileName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                             int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    RefreshModuleHandle();
    return CallEntry<HRESULT, PFNGETCURRENTTHEMENAME>(ZP_THEME_ENTRY_TABLE::slotGetCurrentThemeName, E_FAIL,
                                                      pszThemeFileName, cchMaxNameChars, pszColorBuff,
                                                      cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

BOOL CZPWinThemeWrapper::HasAppTheme()
{
    if (m_hTheme == NULL)
        return FALSE;
    return CallEntry<BOOL, PFNISAPPTHEMED>(ZP_THEME_ENTRY_TABLE::slotIsAppThemed, FALSE);
}

BOOL CZPWinThemeWrapper::QueryThemeActive()
{
    if (m_hTheme == NULL)
        RefreshModuleHandle();
    return CallEntry<BOOL, PFNISTHEMEACTIVE>(ZP_THEME_ENTRY_TABLE::slotIsThemeActive, FALSE);
}

BOOL CZPWinThemeWrapper::IsVisualStyleInEffect()
{
    if (!QueryThemeActive())
        return FALSE;
    const ZP_THEME_ENTRY_TABLE* pTable = GetEntryTable();
    return pTable->m_hModule == ZP_SKIN_UXTHEME_HANDLE || HIWORD(pTable->m_dwComCtlVersion) > 5;
}

HPAINTBUFFER CZPWinThemeWrapper::StartBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                                    BP_PAINTPARAMS* pPaintParams, HDC* phdcPaint)
{
    return CallEntry<HPAINTBUFFER, PFNBEGINBUFFEREDPAINT>(ZP_THEME_ENTRY_TABLE::slotBeginBufferedPaint,
                                                          HPAINTBUFFER(NULL), hdcTarget, prcTarget, dwFormat,
                                                          pPaintParams, phdcPaint);
}

void CZPWinThemeWrapper::FinishBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL bUpdateTarget)
{
    CallEntry<HRESULT, PFNENDBUFFEREDPAINT>(ZP_THEME_ENTRY_TABLE::slotEndBufferedPaint, E_FAIL, hBufferedPaint,
                                            bUpdateTarget);
}

ZP_DWM_ENTRY_TABLE::ZP_DWM_ENTRY_TABLE()
    : m_pfnDwmDefWindowProc(NULL), m_pfnDwmIsCompositionEnabled(NULL), m_pfnDwmExtendFrameIntoClientArea(NULL),
      m_hModule(::LoadLibraryW(L"dwmapi.dll"))
{
}

ZP_DWM_ENTRY_TABLE& ZpDwmEntryTableInstance()
{
    static ZP_DWM_ENTRY_TABLE s_table;
    return s_table;
}

// DwmDefWindowProc answers whether DWM handled the message, so a missing DWMAPI is "not handled".
BOOL ZpCallDwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult)
{
    ZP_DWM_ENTRY_TABLE& table = ZpDwmEntryTableInstance();
    if (table.m_pfnDwmDefWindowProc == NULL && table.m_hModule != NULL)
        table.m_pfnDwmDefWindowProc = ::GetProcAddress(table.m_hModule, "DwmDefWindowProc");
    if (table.m_pfnDwmDefWindowProc == NULL)
        return FALSE;
    return EntryCast<PFNDWMDEFWINDOWPROC>(table.m_pfnDwmDefWindowProc)(hWnd, msg, wParam, lParam, plResult);
}

HRESULT ZpExtendFrameIntoClient(HWND hWnd, int cxLeftWidth, int cxRightWidth, int cyTopHeight, int cyBottomHeight)
{
    ZP_DWM_ENTRY_TABLE& table = ZpDwmEntryTableInstance();
    if (table.m_pfnDwmExtendFrameIntoClientArea == NULL && table.m_hModule != NULL)
        table.m_pfnDwmExtendFrameIntoClientArea = ::GetProcAddress(table.m_hModule, "DwmExtendFrameIntoClientArea");
    if (table.m_pfnDwmExtendFrameIntoClientArea == NULL)
        return E_FAIL;
    MARGINS margins = {cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight};
    return EntryCast<PFNDWMEXTENDFRAMEINTOCLIENTAREA>(table.m_pfnDwmExtendFrameIntoClientArea)(hWnd, &margins);
}

void ZpSetProcessDpiAware()
{
    HMODULE hUser32 = ::GetModuleHandleW(L"user32.dll");
    if (hUser32 == NULL)
        return;
    PFNSETPROCESSDPIAWARE pfn = EntryCast<PFNSETPROCESSDPIAWARE>(::GetProcAddress(hUser32, "SetProcessDPIAware"));
    if (pfn != NULL)
        pfn();
}
