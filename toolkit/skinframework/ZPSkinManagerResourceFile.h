// The container of a skin: a resource module loaded as data (scheme texts and pictures as
// resources) or a folder (an ini text and picture files), read through one interface.
#pragma once

#include <framework.h>
#include <framework/file.h>

class CZPSkinImage;
class CZPSkinManager;
class CZPSkinManagerSchema;

class CZPSkinManagerResourceFile : public CCmdTarget
{
public:
    // pManager NULL: the process-wide manager.
    explicit CZPSkinManagerResourceFile(CZPSkinManager* pManager = NULL);
    ~CZPSkinManagerResourceFile() override;

    // TRUE when a scheme text is ready to read; either argument may be NULL.
    virtual BOOL OpenFile(LPCWSTR lpszPath, LPCWSTR lpszIniName);
    // The next line without its line end; a module's last line without CR is not returned.
    virtual BOOL ReadLine(CString& strLine);
    virtual void CloseFile();
    // A new image owned by the caller, or NULL.
    virtual CZPSkinImage* LoadImageFile(LPCWSTR lpszFileName);
    // A new schema on this file, with one reference for the caller.
    virtual CZPSkinManagerSchema* CreateSchema();

    // The resource name of the first "[File." scheme of THEMES_INI, or empty.
    CString GetDefaultIniName() const;

    HMODULE GetModule() const { return m_hModule; }
    const CString& GetPath() const { return m_strPath; }
    const CString& GetIniName() const { return m_strIniName; }
    CZPSkinManager* GetSkinManager() const { return m_pManager; }

protected:
    LPCWSTR m_pTextCursor;  // into the module's scheme resource; NULL for a folder skin
    LPCWSTR m_pTextEnd;
    HMODULE m_hModule;  // owned: loaded as a data file for the current skin
    CString m_strPath;
    CString m_strIniName;
    CZPSkinManager* m_pManager;  // borrowed: the manager this file belongs to
    CStdioFile* m_pTextFile;     // owned: a folder skin's ini; kept (closed) at its end
};

// '.' and '\' become '_': the resource name a file name stands for in a skin module.
CString ZpSkinResourceNameOf(LPCWSTR lpszFileName);
