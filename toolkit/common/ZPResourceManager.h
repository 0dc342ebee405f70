// The one source of localizable resources (the program's own, or a language file's), and the
// current user-interface language with its code page, reading order and font character set.
#pragma once

#include <framework.h>

class CBitmap;
class CMenu;

// One row of the language table.
struct ZP_LANGUAGE_ENTRY
{
    WORD wLanguage;           // LANGID
    UINT nCodePage;           // 0 = the system's ANSI code page
    LPCWSTR lpszEncoding;
    LPCWSTR lpszCaption;
    LPCWSTR lpszLang;
    LPCWSTR lpszSubLang;
    BYTE nFontCharSet;
};

// The row of a LANGID; NULL when the table has none.
const ZP_LANGUAGE_ENTRY* ZpFindLanguageEntry(WORD wLanguage);
// The table's rows in search order; *pnCount receives their number.
const ZP_LANGUAGE_ENTRY* ZpGetLanguageTable(int* pnCount);

// A separate module with the toolkit's own resources; NULL (the default) means the program.
extern HMODULE ZpToolkitResourceModule;

// Makes a module the framework's current resource module for the life of this object.
class ZpResourceHandleSwitch
{
public:
    explicit ZpResourceHandleSwitch(HMODULE hModule) : m_hOld(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(hModule);
    }
    ~ZpResourceHandleSwitch() { AfxSetResourceHandle(m_hOld); }
    ZpResourceHandleSwitch(const ZpResourceHandleSwitch&) = delete;
    ZpResourceHandleSwitch& operator=(const ZpResourceHandleSwitch&) = delete;

private:
    HINSTANCE m_hOld;
};

class CZPResourceManager : public CNoTrackObject
{
public:
    CZPResourceManager();
    ~CZPResourceManager() override;
    CZPResourceManager(const CZPResourceManager&) = delete;
    CZPResourceManager& operator=(const CZPResourceManager&) = delete;

    // The string, or an empty one (then *pbError, when given, becomes TRUE).
    virtual CString LoadStringOrEmpty(UINT nID, BOOL* pbError = NULL);
    virtual BOOL LoadString(CString& strBuffer, UINT nID);
    // The loaded menu is attached to pMenu.
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nIDResource);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    virtual HCURSOR LoadCursor(UINT nID);
    // The locked template of FindDialogResource, or NULL.
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nID);
    virtual HRSRC FindDialogResource(UINT nID);
    virtual BOOL LoadHtml(CString& strHtml, UINT nID);
    virtual HICON LoadIconById(UINT nID, int cx, int cy);
    virtual HICON LoadIcon(LPCWSTR lpszName, int cx, int cy);
    virtual HICON CreateIconFromResource(HMODULE hModule, LPCWSTR lpszName, int cx, int cy);
    virtual void Close();
    virtual LANGID GetLanguage() const;
    // Takes the language of the toolkit's resources (or the program's).
    virtual void UpdateResourcesLangID();

    BOOL IsValid() const { return m_bValid; }
    // The row of that LANGID, else English (United States).
    void SetLanguage(WORD wLanguage);
    const ZP_LANGUAGE_ENTRY* GetLanguageInfo() const { return m_pLanguageInfo; }
    BYTE GetFontCharSet() const;
    int ShowMessageBox(LPCWSTR lpszText, UINT nType = MB_OK);
    int ShowMessageBoxById(UINT nIDPrompt, UINT nType = MB_OK);
    // The text of an item (by command or by position, as nFlags says); its length, 0 when none.
    int GetMenuItemText(CMenu* pMenu, UINT nIDItem, CString& strText, UINT nFlags);

    // The string id of a module's table; its length, 0 when absent or empty.
    static int PASCAL LoadStringFromModule(HMODULE hModule, UINT nID, CString& strBuffer);
    // Installs a new process-wide manager (taking it over) and deletes the old one.
    static BOOL PASCAL SetResourceManager(CZPResourceManager* pResourceManager);

protected:
    BOOL m_bValid;
    HMODULE m_hResourceFile;                  // owned; NULL unless a derived manager loads one
    const ZP_LANGUAGE_ENTRY* m_pLanguageInfo; // row of the static table, never NULL
    BOOL m_bUseLanguageCharSet;
    BYTE m_nIconTitleCharSet;
};

// The process-wide manager, created on first use.
CZPResourceManager* ZpResourceManagerInstance();

// A wide text as narrow text in the current language's code page.
class ZpNarrowString
{
public:
    explicit ZpNarrowString(LPCWSTR lpszText);
    operator LPCSTR() const { return m_str; }

private:
    CStringA m_str;
};
