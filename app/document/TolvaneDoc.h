// The property-list document: a file read through CoreFoundation into UTF-8 XML text, and saved
// back from the editor's text in the format the file had.
#pragma once

#include <framework/docview.h>

#include "document/CoreFoundationLibrary.h"

class CFindDlg;
class CReplaceDlg;
class CTolvaneView;

class CTolvaneDoc : public CDocument
{
    DECLARE_DYNCREATE(CTolvaneDoc)
public:
    // Loads CoreFoundation.
    CTolvaneDoc();
    // Closes the search dialogs, releases the text and frees the library.
    ~CTolvaneDoc() override;

    // Where the next document looks for CoreFoundation; NULL (the default) is the folder the
    // mobile-device support installs it in. For tests, which must not depend on that folder.
    static void SetLibraryFolder(LPCWSTR lpszFolder);

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCWSTR lpszPathName) override;
    // Writes the file; the document is marked saved by DoSave, once the target holds the bytes.
    BOOL OnSaveDocument(LPCWSTR lpszPathName) override;
    BOOL DoSave(LPCWSTR lpszPathName, BOOL bReplace = TRUE) override;
    void Serialize(CArchive& ar) override;

    // The XML text of the last successful open: GetXmlLength bytes (which may hold NULs) inside
    // the library's data object, with no NUL after them; NULL when there is none. Valid until the
    // next new document or successful open.
    const char* GetXmlText() const { return m_pXml; }
    size_t GetXmlLength() const { return m_nXmlLength; }
    // CFPropertyListFormat of the last successful read: 1 OpenStep, 100 XML, 200 binary.
    cfapi::CFIndex GetFormat() const { return m_nFormat; }

    // Searching, for the find and replace dialogs; FALSE results beep.
    void FindText(LPCWSTR lpszText, DWORD dwFlags, int nDirection);
    void ReplaceCurrent(LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection);
    void ReplaceAllText(LPCWSTR lpszText, LPCWSTR lpszReplacement, DWORD dwFlags);

    void OnFindNext();
    // The modeless search dialogs, one of each at a time.
    void OnEditFind();
    void OnEditReplace();
    CFindDlg* GetFindDialog() const { return m_pFindDlg; }
    CReplaceDlg* GetReplaceDialog() const { return m_pReplaceDlg; }
    // Called by a search dialog whose window is gone.
    void OnSearchDialogClosed(const CDialog* pDlg);
    void OnUpdateNeedsPath(CCmdUI* pCmdUI);

protected:
    // The first view, the main view through which the editor is reached, or NULL.
    CTolvaneView* GetMainView() const;
    void FreeXmlText();
    void CloseSearchDialogs();
    BOOL CheckLibrary();

    CCFRef m_xmlData;    // the library's XML data object of the text; NULL when there is no text
    const char* m_pXml;  // borrowed from m_xmlData: its bytes
    size_t m_nXmlLength;
    HMODULE m_hCoreFoundation;  // owned
    cfapi::CFIndex m_nFormat;
    CString m_strSearchText;
    DWORD m_dwSearchFlags;       // SCFIND_WHOLEWORD, SCFIND_MATCHCASE, SCFIND_REGEXP
    int m_nSearchDirection;      // 1 down, anything else up
    CFindDlg* m_pFindDlg;        // owned by its window; NULL when closed
    CReplaceDlg* m_pReplaceDlg;  // owned by its window; NULL when closed

    DECLARE_MESSAGE_MAP()
};
