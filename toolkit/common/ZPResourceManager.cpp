// The process-wide resource manager and the table of user-interface languages.
#include "common/ZPResourceManager.h"

#include <framework/gdi.h>
#include <framework/menu.h>
#include <framework/thread.h>


HMODULE ZpToolkitResourceModule = NULL;

namespace {

const WORD kEnglishUS = 0x409;

const ZP_LANGUAGE_ENTRY kLanguages[] = {
    { 0x419, 1251, L"windows-1251", L"Russian", L"LANG_RUSSIAN", L"SUBLANG_DEFAULT", 204 },
    { 0x411, 932, L"shift-jis", L"Japanese", L"LANG_JAPANESE", L"SUBLANG_DEFAULT", 128 },
    { 0x401, 1256, L"windows-1256", L"Arabic (Saudi Arabia)", L"LANG_ARABIC", L"SUBLANG_ARABIC_SAUDI_ARABIA", 178 },
    { 0x405, 1250, L"windows-1250", L"Czech", L"LANG_CZECH", L"SUBLANG_DEFAULT", 238 },
    { 0x406, 1252, L"windows-1252", L"Danish", L"LANG_DANISH", L"SUBLANG_DEFAULT", 0 },
    { 0x407, 1252, L"windows-1252", L"German (Germany)", L"LANG_GERMAN", L"SUBLANG_GERMAN", 0 },
    { 0x408, 1253, L"windows-1253", L"Greek", L"LANG_GREEK", L"SUBLANG_DEFAULT", 161 },
    { 0x409, 0, L"windows-1252", L"English (United States)", L"LANG_ENGLISH", L"SUBLANG_ENGLISH_US", 0 },
    { 0xC0A, 1252, L"windows-1252", L"Spanish (Spain - Modern Sort)", L"LANG_SPANISH", L"SUBLANG_SPANISH_MODERN", 0 },
    { 0x425, 1257, L"windows-1257", L"Estonian", L"LANG_ESTONIAN", L"SUBLANG_DEFAULT", 186 },
    { 0x40B, 1252, L"windows-1252", L"Finnish", L"LANG_FINNISH", L"SUBLANG_DEFAULT", 0 },
    { 0x40C, 1252, L"windows-1252", L"French (France)", L"LANG_FRENCH", L"SUBLANG_FRENCH", 0 },
    { 0x40D, 1255, L"windows-1255", L"Hebrew", L"LANG_HEBREW", L"SUBLANG_DEFAULT", 177 },
    { 0x41A, 1250, L"windows-1250", L"Croatian", L"LANG_CROATIAN", L"SUBLANG_DEFAULT", 238 },
    { 0x40E, 1250, L"windows-1250", L"Hungarian", L"LANG_HUNGARIAN", L"SUBLANG_DEFAULT", 238 },
    { 0x410, 1252, L"windows-1252", L"Italian (Italy)", L"LANG_ITALIAN", L"SUBLANG_ITALIAN", 0 },
    { 0x412, 949, L"ks_c_5601", L"Korean", L"LANG_KOREAN", L"SUBLANG_DEFAULT", 129 },
    { 0x427, 1257, L"windows-1257", L"Lithuanian", L"LANG_LITHUANIAN", L"SUBLANG_LITHUANIAN", 186 },
    { 0x426, 1257, L"windows-1257", L"Latvian", L"LANG_LATVIAN", L"SUBLANG_DEFAULT", 186 },
    { 0x413, 1252, L"windows-1252", L"Dutch", L"LANG_DUTCH", L"SUBLANG_DUTCH", 0 },
    { 0x414, 1252, L"windows-1252", L"Norwegian (Bokmal)", L"LANG_NORWEGIAN", L"SUBLANG_NORWEGIAN_BOKMAL", 0 },
    { 0x415, 1250, L"windows-1250", L"Polish", L"LANG_POLISH", L"SUBLANG_DEFAULT", 238 },
    { 0x816, 1252, L"windows-1252", L"Portuguese (Portugal)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE", 0 },
    { 0x416, 1252, L"windows-1252", L"Portuguese (Brazil)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE_BRAZILIAN", 0 },
    { 0x418, 1250, L"windows-1250", L"Romanian", L"LANG_ROMANIAN", L"SUBLANG_DEFAULT", 238 },
    { 0x81A, 1250, L"windows-1250", L"Serbian", L"LANG_SERBIAN", L"SUBLANG_SERBIAN_LATIN", 238 },
    { 0x41B, 1250, L"windows-1250", L"Slovak", L"LANG_SLOVAK", L"SUBLANG_DEFAULT", 238 },
    { 0x424, 1250, L"windows-1250", L"Slovenian", L"LANG_SLOVENIAN", L"SUBLANG_DEFAULT", 238 },
    { 0x41D, 1252, L"windows-1252", L"Swedish", L"LANG_SWEDISH", L"SUBLANG_DEFAULT", 0 },
    { 0x41E, 874, L"windows-874", L"Thai", L"LANG_THAI", L"SUBLANG_DEFAULT", 222 },
    { 0x41F, 1254, L"windows-1254", L"Turkish", L"LANG_TURKISH", L"SUBLANG_DEFAULT", 162 },
    { 0x422, 1251, L"windows-1251", L"Ukrainian ", L"LANG_UKRAINIAN", L"SUBLANG_DEFAULT", 204 },
    { 0x402, 1251, L"windows-1251", L"Bulgarian", L"LANG_BULGARIAN", L"SUBLANG_DEFAULT", 204 },
    { 0x804, 936, L"gb2312", L"Chinese (PRC)", L"LANG_CHINESE", L"SUBLANG_CHINESE_SIMPLIFIED", 134 },
    { 0x404, 950, L"big5", L"Chinese (Taiwan)", L"LANG_CHINESE", L"SUBLANG_CHINESE_TRADITIONAL", 136 },
};

// Reading order of message boxes is right to left for these code pages (Hebrew, Arabic).
BOOL IsRightToLeftCodePage(UINT nCodePage)
{
    return nCodePage == 1255 || nCodePage == 1256;
}

BOOL HasResource(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszType)
{
    return hModule != NULL && FindResourceW(hModule, lpszName, lpszType) != NULL;
}

// The process-wide manager; deleted at exit.
struct ManagerSlot
{
    CZPResourceManager* pManager = NULL;   // owned
    ~ManagerSlot() { delete pManager; }
} g_slot;

// Resource enumeration: the first language other than neutral and English (United States).
struct LanguageSearch
{
    WORD wLanguage = kEnglishUS;
    BOOL bFound = FALSE;
};

BOOL CALLBACK OnResourceLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam)
{
    LanguageSearch* pSearch = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage == 0 || wLanguage == kEnglishUS)
        return TRUE;
    pSearch->wLanguage = wLanguage;
    pSearch->bFound = TRUE;
    return FALSE;
}

BOOL CALLBACK OnResourceName(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam)
{
    EnumResourceLanguagesW(hModule, lpszType, lpszName, OnResourceLanguage, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bFound;
}

BOOL CALLBACK OnResourceType(HMODULE hModule, LPWSTR lpszType, LONG_PTR lParam)
{
    EnumResourceNamesW(hModule, lpszType, OnResourceName, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bFound;
}

WORD ZpFindResourceLanguage(HMODULE hModule)
{
    LanguageSearch search;
    EnumResourceTypesW(hModule, OnResourceType, reinterpret_cast<LONG_PTR>(&search));
    return search.wLanguage;
}

}  // namespace

const ZP_LANGUAGE_ENTRY* ZpFindLanguageEntry(WORD wLanguage)
{
    for (const ZP_LANGUAGE_ENTRY& entry : kLanguages) {
        if (entry.wLanguage == wLanguage)
            return &entry;
    }
    return NULL;
}

const ZP_LANGUAGE_ENTRY* ZpGetLanguageTable(int* pnCount)
{
    *pnCount = static_cast<int>(sizeof(kLanguages) / sizeof(kLanguages[0]));
    return kLanguages;
}

CZPResourceManager::CZPResourceManager()
    : m_bValid(TRUE), m_hResourceFile(NULL), m_pLanguageInfo(ZpFindLanguageEntry(kEnglishUS)),
      m_bUseLanguageCharSet(FALSE), m_nIconTitleCharSet(DEFAULT_CHARSET)
{
    LOGFONTW lf = {};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        m_nIconTitleCharSet = lf.lfCharSet;
}

CZPResourceManager::~CZPResourceManager()
{
    Close();
}

void CZPResourceManager::Close()
{
    if (m_hResourceFile != NULL) {
        FreeLibrary(m_hResourceFile);
        m_hResourceFile = NULL;
    }
}

CString CZPResourceManager::LoadStringOrEmpty(UINT nID, BOOL* pbError)
{
    CString str;
    if (!LoadString(str, nID)) {
        str.Empty();
        if (pbError != NULL)
            *pbError = TRUE;
    }
    return str;
}

BOOL CZPResourceManager::LoadString(CString& strBuffer, UINT nID)
{
    if (ZpToolkitResourceModule != NULL && LoadStringFromModule(ZpToolkitResourceModule, nID, strBuffer) > 0)
        return TRUE;
    return strBuffer.LoadString(nID);
}

int PASCAL CZPResourceManager::LoadStringFromModule(HMODULE hModule, UINT nID, CString& strBuffer)
{
    strBuffer.Empty();
    // Strings live in blocks of 16, each entry a 16-bit length and that many UTF-16 units.
    HRSRC hResource = FindResourceW(hModule, MAKEINTRESOURCEW((nID >> 4) + 1), RT_STRING);
    if (hResource == NULL)
        return 0;
    HGLOBAL hGlobal = LoadResource(hModule, hResource);
    const WORD* pData = hGlobal != NULL ? static_cast<const WORD*>(LockResource(hGlobal)) : NULL;
    if (pData == NULL)
        return 0;
    const WORD* pEnd = pData + SizeofResource(hModule, hResource) / sizeof(WORD);
    for (UINT nEntry = nID & 15; nEntry != 0; --nEntry) {
        if (pData >= pEnd)
            return 0;
        pData += 1 + *pData;
    }
    if (pData >= pEnd || *pData == 0 || *pData > pEnd - pData - 1)
        return 0;
    int nLength = *pData;
    strBuffer = CString(reinterpret_cast<LPCWSTR>(pData + 1), nLength);
    return nLength;
}

BOOL CZPResourceManager::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    if (HasResource(ZpToolkitResourceModule, MAKEINTRESOURCEW(nIDResource), RT_MENU)) {
        ZpResourceHandleSwitch resourceSwitch(ZpToolkitResourceModule);
        return pMenu->LoadMenu(nIDResource);
    }
    return pMenu->LoadMenu(nIDResource);
}

BOOL CZPResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    if (HasResource(ZpToolkitResourceModule, MAKEINTRESOURCEW(nIDResource), RT_BITMAP)) {
        ZpResourceHandleSwitch resourceSwitch(ZpToolkitResourceModule);
        return pBitmap->LoadBitmap(nIDResource);
    }
    return pBitmap->LoadBitmap(nIDResource);
}

HCURSOR CZPResourceManager::LoadCursor(UINT nID)
{
    if (HasResource(ZpToolkitResourceModule, MAKEINTRESOURCEW(nID), RT_GROUP_CURSOR)) {
        ZpResourceHandleSwitch resourceSwitch(ZpToolkitResourceModule);
        HCURSOR hCursor = ::LoadCursorW(ZpToolkitResourceModule, MAKEINTRESOURCEW(nID));
        if (hCursor != NULL)
            return hCursor;
    }
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
}

HRSRC CZPResourceManager::FindDialogResource(UINT nID)
{
    HMODULE hModule = HasResource(ZpToolkitResourceModule, MAKEINTRESOURCEW(nID), RT_DIALOG)
        ? ZpToolkitResourceModule : AfxGetResourceHandle();
    return FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_DIALOG);
}

LPCDLGTEMPLATE CZPResourceManager::LoadDialogTemplate(UINT nID)
{
    HRSRC hResource = FindDialogResource(nID);
    if (hResource == NULL)
        return NULL;
    HMODULE hModule = HasResource(ZpToolkitResourceModule, MAKEINTRESOURCEW(nID), RT_DIALOG)
        ? ZpToolkitResourceModule : AfxGetResourceHandle();
    HGLOBAL hGlobal = LoadResource(hModule, hResource);
    return hGlobal != NULL ? static_cast<LPCDLGTEMPLATE>(LockResource(hGlobal)) : NULL;
}

BOOL CZPResourceManager::LoadHtml(CString& strHtml, UINT nID)
{
    // Without a toolkit module the search looks in the program's executable.
    HMODULE hModule = ZpToolkitResourceModule != NULL ? ZpToolkitResourceModule : GetModuleHandleW(NULL);
    HRSRC hResource = FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_HTML);
    if (hResource == NULL) {
        hModule = AfxGetResourceHandle();
        hResource = FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_HTML);
        if (hResource == NULL)
            return FALSE;
    }
    HGLOBAL hGlobal = LoadResource(hModule, hResource);
    LPCSTR pData = hGlobal != NULL ? static_cast<LPCSTR>(LockResource(hGlobal)) : NULL;
    DWORD cbData = SizeofResource(hModule, hResource);
    if (pData == NULL || cbData == 0)
        return FALSE;
    strHtml = AfxNarrowToWide(pData, static_cast<int>(cbData), CP_ACP);
    return !strHtml.IsEmpty();
}

HICON CZPResourceManager::LoadIconById(UINT nID, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCEW(nID), cx, cy);
}

HICON CZPResourceManager::LoadIcon(LPCWSTR lpszName, int cx, int cy)
{
    if (HasResource(ZpToolkitResourceModule, lpszName, RT_GROUP_ICON)) {
        HICON hIcon = static_cast<HICON>(LoadImageW(ZpToolkitResourceModule, lpszName, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
        if (hIcon != NULL)
            return hIcon;
    }
    return static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), lpszName, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

HICON CZPResourceManager::CreateIconFromResource(HMODULE hModule, LPCWSTR lpszName, int cx, int cy)
{
    HRSRC hGroup = FindResourceW(hModule, lpszName, RT_GROUP_ICON);
    HGLOBAL hGroupData = hGroup != NULL ? LoadResource(hModule, hGroup) : NULL;
    BYTE* pDirectory = hGroupData != NULL ? static_cast<BYTE*>(LockResource(hGroupData)) : NULL;
    if (pDirectory == NULL)
        return NULL;
    int nIconID = LookupIconIdFromDirectoryEx(pDirectory, TRUE, cx, cy, LR_DEFAULTCOLOR);
    HRSRC hIconResource = nIconID != 0 ? FindResourceW(hModule, MAKEINTRESOURCEW(nIconID), RT_ICON) : NULL;
    HGLOBAL hIconData = hIconResource != NULL ? LoadResource(hModule, hIconResource) : NULL;
    BYTE* pBits = hIconData != NULL ? static_cast<BYTE*>(LockResource(hIconData)) : NULL;
    if (pBits == NULL)
        return NULL;
    return CreateIconFromResourceEx(pBits, SizeofResource(hModule, hIconResource), TRUE, 0x00030000, cx, cy,
                                    LR_DEFAULTCOLOR);
}

LANGID CZPResourceManager::GetLanguage() const
{
    return m_pLanguageInfo->wLanguage;
}

void CZPResourceManager::UpdateResourcesLangID()
{
    HMODULE hModule = ZpToolkitResourceModule != NULL ? ZpToolkitResourceModule : GetModuleHandleW(NULL);
    SetLanguage(ZpFindResourceLanguage(hModule));
}

void CZPResourceManager::SetLanguage(WORD wLanguage)
{
    const ZP_LANGUAGE_ENTRY* pEntry = ZpFindLanguageEntry(wLanguage);
    m_pLanguageInfo = pEntry != NULL ? pEntry : ZpFindLanguageEntry(kEnglishUS);
}

BYTE CZPResourceManager::GetFontCharSet() const
{
    return m_bUseLanguageCharSet ? m_pLanguageInfo->nFontCharSet : m_nIconTitleCharSet;
}

int CZPResourceManager::ShowMessageBox(LPCWSTR lpszText, UINT nType)
{
    if (IsRightToLeftCodePage(m_pLanguageInfo->nCodePage))
        nType |= MB_RTLREADING;
    return AfxMessageBox(lpszText, nType);
}

int CZPResourceManager::ShowMessageBoxById(UINT nIDPrompt, UINT nType)
{
    CString strText;
    LoadString(strText, nIDPrompt);
    return ShowMessageBox(strText, nType);
}

int CZPResourceManager::GetMenuItemText(CMenu* pMenu, UINT nIDItem, CString& strText, UINT nFlags)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return 0;
    int nLength = ::GetMenuStringW(pMenu->GetSafeHmenu(), nIDItem, NULL, 0, nFlags);
    if (nLength <= 0) {
        strText.Empty();
        return nLength;
    }
    ::GetMenuStringW(pMenu->GetSafeHmenu(), nIDItem, strText.GetBufferSetLength(nLength), nLength + 1, nFlags);
    strText.ReleaseBuffer(nLength);
    return nLength;
}

BOOL PASCAL CZPResourceManager::SetResourceManager(CZPResourceManager* pResourceManager)
{
    if (pResourceManager == NULL)
        return FALSE;
    if (!pResourceManager->m_bValid) {
        delete pResourceManager;
        return FALSE;
    }
    pResourceManager->UpdateResourcesLangID();
    AfxLockGlobals(CRIT_TOOLKIT);
    CZPResourceManager* pOld = g_slot.pManager;
    g_slot.pManager = pResourceManager;
    AfxUnlockGlobals(CRIT_TOOLKIT);
    delete pOld;
    return TRUE;
}

CZPResourceManager* ZpResourceManagerInstance()
{
    if (g_slot.pManager == NULL) {
        AfxLockGlobals(CRIT_TOOLKIT);
        if (g_slot.pManager == NULL)
            g_slot.pManager = new CZPResourceManager;
        AfxUnlockGlobals(CRIT_TOOLKIT);
        if (g_slot.pManager == NULL)
            AfxThrowInvalidArgException();
    }
    return g_slot.pManager;
}

ZpNarrowString::ZpNarrowString(LPCWSTR lpszText)
    : m_str(AfxWideToNarrow(lpszText, -1, ZpResourceManagerInstance()->GetLanguageInfo()->nCodePage))
{
}
