// The property-list document: CoreFoundation reads, validates and converts; the document keeps
// the XML text and reports each failure in its own words.
#include "document/TolvaneDoc.h"

#include "AppIds.h"
#include "Utf8.h"
#include "dialogs/FindDlg.h"
#include "dialogs/ReplaceDlg.h"
#include "editor/ScintillaWnd.h"
#include "editor/TolvaneView.h"
#include "editor/XmlView.h"

#include <framework/app.h>

#include <algorithm>
#include <climits>
#include <cstring>

IMPLEMENT_DYNCREATE(CTolvaneDoc, CDocument)

BEGIN_MESSAGE_MAP(CTolvaneDoc, CDocument)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateNeedsPath)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateNeedsPath)
ON_COMMAND(ID_EDIT_FIND, OnEditFind)
ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateNeedsPath)
ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateNeedsPath)
ON_COMMAND(ID_EDIT_REPEAT, OnFindNext)
ON_UPDATE_COMMAND_UI(ID_EDIT_REPEAT, OnUpdateNeedsPath)
END_MESSAGE_MAP()

namespace {

using cfapi::CFIndex;
using cfapi::CFTypeRef;

const WCHAR kDocumentTitle[] = L"Kestrune";
const WCHAR kNoSystemFolder[] = L"Can't get system folder.";
const WCHAR kCannotRead[] = L"Error creating dictionary from given plist file.";
const WCHAR kNotValid[] = L"Not a valid plist file.";
const WCHAR kNoXml[] = L"Can't turn plist file into XML format.";
const WCHAR kCannotOpenForWrite[] = L"Can't open file for write.";
const WCHAR kCannotWrite[] = L"Can't write to file.";
const WCHAR kNotUtf8[] =
    L"The XML declaration names an encoding other than UTF-8; the text is UTF-8. Change the declaration to save.";

const int kPathBytes = 4096;   // UTF-8 path, NUL included
const int kErrorBytes = 2048;  // CoreFoundation's error text, NUL included
const unsigned long kMutableContainersAndLeaves = 2;
const unsigned long kImmutable = 0;
const CFIndex kWindowsPathStyle = 2;
const CFIndex kFormatXml = 100;

LPCWSTR g_lpszLibraryFolder = NULL;  // borrowed from the caller of SetLibraryFolder

// A file URL of a wide path; NULL when the path does not fit the UTF-8 buffer or CoreFoundation
// refuses it. The caller releases the string too.
CFTypeRef CreateFileUrl(LPCWSTR lpszPathName, CCFRef& string)
{
    char szPath[kPathBytes];
    // A path that does not fit is refused whole rather than cut to some other file's name.
    if (::WideCharToMultiByte(CP_UTF8, 0, lpszPathName, -1, szPath, kPathBytes, NULL, NULL) == 0)
        return NULL;
    string.Reset(g_coreFoundation.StringCreateWithCString(NULL, szPath, cfapi::kUTF8));
    if (string.Get() == NULL)
        return NULL;
    return g_coreFoundation.URLCreateWithFileSystemPath(NULL, string.Get(), kWindowsPathStyle, 0);
}

// CoreFoundation's error text as the message; "Not a valid plist file." when it cannot be had.
void ShowErrorString(CFTypeRef error)
{
    char szError[kErrorBytes] = {};
    WCHAR szMessage[kErrorBytes];
    int nChars = 0;
    if (g_coreFoundation.StringGetCString(error, szError, kErrorBytes, cfapi::kUTF8) && szError[0] != '\0')
        nChars = ::MultiByteToWideChar(CP_UTF8, 0, szError, -1, szMessage, kErrorBytes - 1);
    if (nChars == 0) {
        AfxMessageBox(kNotValid);
        return;
    }
    szMessage[kErrorBytes - 1] = L'\0';
    AfxMessageBox(szMessage);
}

// Whether the library reads the text as the UTF-8 it is: it decodes by the charset an "<?xml"
// declaration at the very start names in "encoding=" (the same reading as the library's). Its names
// for UTF-8 always do; its names for ASCII do while no byte is above 0x7F.
bool IsReadAsUtf8(const char* pszText, size_t nLength)
{
    static const char kDecl[] = "<?xml";
    static const char kKey[] = "encoding=";
    static const char* const kUtf8Names[] = { "UTF-8", "UTF8" };
    static const char* const kAsciiNames[] = { "US-ASCII", "ASCII" };
    const size_t nDecl = sizeof kDecl - 1;
    const size_t nKey = sizeof kKey - 1;
    if (nLength < nDecl || memcmp(pszText, kDecl, nDecl) != 0)
        return true;
    size_t nEnd = nDecl;
    while (nEnd < nLength && pszText[nEnd] != '?' && pszText[nEnd] != '>')
        ++nEnd;
    for (size_t i = nDecl; i + nKey < nEnd; ++i) {
        if (memcmp(pszText + i, kKey, nKey) != 0)
            continue;
        const char chQuote = pszText[i + nKey];
        if (chQuote != '"' && chQuote != '\'')
            return true;
        const size_t nName = i + nKey + 1;
        size_t nClose = nName;
        while (nClose < nEnd && pszText[nClose] != chQuote)
            ++nClose;
        if (nClose == nEnd || nClose == nName)
            return true;
        const size_t nNameLength = nClose - nName;
        auto isName = [&](const char* pszName) {
            return strlen(pszName) == nNameLength && _strnicmp(pszText + nName, pszName, nNameLength) == 0;
        };
        for (const char* pszName : kUtf8Names) {
            if (isName(pszName))
                return true;
        }
        for (const char* pszName : kAsciiNames) {
            if (isName(pszName))
                return std::none_of(pszText, pszText + nLength, [](char ch) { return (ch & 0x80) != 0; });
        }
        return false;
    }
    return true;
}

// Whether a file exists with exactly the given size.
bool HasFileSize(LPCWSTR lpszPathName, CFIndex nSize)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(lpszPathName, GetFileExInfoStandard, &data))
        return false;
    const unsigned long long nFileSize =
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return nFileSize == static_cast<unsigned long long>(nSize);
}

}  // namespace

CTolvaneDoc::CTolvaneDoc()
    : m_pXml(NULL), m_nXmlLength(0), m_hCoreFoundation(NULL), m_nFormat(kFormatXml), m_dwSearchFlags(0),
      m_nSearchDirection(1), m_pFindDlg(NULL), m_pReplaceDlg(NULL)
{
    BOOL bNoFolder = FALSE;
    m_hCoreFoundation = LoadCoreFoundation(g_lpszLibraryFolder, &bNoFolder);
    if (bNoFolder)
        AfxMessageBox(kNoSystemFolder);
}

CTolvaneDoc::~CTolvaneDoc()
{
    // An open dialog would search through a document that is gone.
    CloseSearchDialogs();
    // The data object goes back to the library while it is still loaded.
    FreeXmlText();
    FreeCoreFoundation(m_hCoreFoundation);
}

void CTolvaneDoc::SetLibraryFolder(LPCWSTR lpszFolder)
{
    g_lpszLibraryFolder = lpszFolder;
}

void CTolvaneDoc::FreeXmlText()
{
    m_pXml = NULL;
    m_nXmlLength = 0;
    m_xmlData.Reset(NULL);
}

BOOL CTolvaneDoc::CheckLibrary()
{
    LPCWSTR lpszProblem = CheckCoreFoundation(m_hCoreFoundation);
    if (lpszProblem == NULL)
        return TRUE;
    AfxMessageBox(lpszProblem);
    return FALSE;
}

void CTolvaneDoc::CloseSearchDialogs()
{
    // Each dialog clears its pointer as its window goes.
    if (m_pFindDlg != NULL)
        m_pFindDlg->DestroyWindow();
    if (m_pReplaceDlg != NULL)
        m_pReplaceDlg->DestroyWindow();
}

BOOL CTolvaneDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    SetTitle(kDocumentTitle);
    FreeXmlText();
    // The editor keeps the old text, hidden: a dialog left open would go on searching and replacing in it.
    CloseSearchDialogs();
    return CheckLibrary();
}

BOOL CTolvaneDoc::OnOpenDocument(LPCWSTR lpszPathName)
{
    // Nothing of the open document (title, text, format) changes until the new file has been read:
    // after a failed open the framework keeps it in its frame, and Save writes it where it came from.
    if (!CheckLibrary())
        return FALSE;

    CCFRef string;
    CCFRef url(CreateFileUrl(lpszPathName, string));
    CCFRef stream(url.Get() != NULL ? g_coreFoundation.ReadStreamCreateWithFile(NULL, url.Get()) : NULL);
    if (stream.Get() == NULL || !g_coreFoundation.ReadStreamOpen(const_cast<void*>(stream.Get()))) {
        AfxMessageBox(kCannotRead);
        return FALSE;
    }
    // The library writes the format before it fails: a failed read must not change the format
    // the still-open document is saved in.
    CFIndex nFormat = 0;
    CCFRef error;
    CCFRef list(g_coreFoundation.PropertyListCreateFromStream(NULL, const_cast<void*>(stream.Get()), 0,
                                                              kMutableContainersAndLeaves, &nFormat, &error));
    g_coreFoundation.ReadStreamClose(const_cast<void*>(stream.Get()));

    if (error.Get() != NULL) {
        ShowErrorString(error.Get());
        return FALSE;
    }
    if (list.Get() == NULL || !g_coreFoundation.PropertyListIsValid(list.Get(), nFormat)) {
        AfxMessageBox(kNotValid);
        return FALSE;
    }
    CCFRef data(g_coreFoundation.PropertyListCreateXMLData(NULL, list.Get()));
    if (data.Get() == NULL) {
        AfxMessageBox(kNoXml);
        return FALSE;
    }
    // The document keeps the library's own data object rather than a copy of many megabytes; it
    // replaces the open document's text only now that the whole open has succeeded.
    const CFIndex nLength = g_coreFoundation.DataGetLength(data.Get());
    const unsigned char* pBytes = g_coreFoundation.DataGetBytePtr(data.Get());
    if (nLength >= LONG_MAX) {
        AfxMessageBox(kNoXml);
        return FALSE;
    }
    const BOOL bText = nLength > 0 && pBytes != NULL;
    SetTitle(kDocumentTitle);
    FreeXmlText();
    if (bText) {
        m_xmlData.Reset(data.Detach());
        m_pXml = reinterpret_cast<const char*>(pBytes);
        m_nXmlLength = static_cast<size_t>(nLength);
    }
    m_nFormat = nFormat;
    SetModifiedFlag(FALSE);
    // The dialogs belong to the text that is being replaced.
    CloseSearchDialogs();
    return TRUE;
}

BOOL CTolvaneDoc::OnSaveDocument(LPCWSTR lpszPathName)
{
    CTolvaneView* pView = GetMainView();
    if (pView == NULL)
        return TRUE;
    if (!CheckLibrary())
        return FALSE;

    CCFRef error;
    CCFRef list;
    {
        // The editor's own buffer, read in place (no copy of a text of many megabytes): nothing
        // here lets the text change before the library has taken its bytes.
        size_t nLength = 0;
        LPCSTR pText = pView->GetText(&nLength);
        if (pText == NULL || nLength >= static_cast<size_t>(LONG_MAX)) {
            AfxMessageBox(kNotValid);
            return FALSE;
        }
        // The library would decode the bytes by the declaration; the editor's text is UTF-8 whatever
        // it says, so a save under another name would corrupt every non-ASCII character.
        if (!IsReadAsUtf8(pText, nLength)) {
            AfxMessageBox(kNotUtf8);
            return FALSE;
        }
        CCFRef data(g_coreFoundation.DataCreate(NULL, reinterpret_cast<const unsigned char*>(pText),
                                                static_cast<CFIndex>(nLength)));
        list.Reset(g_coreFoundation.PropertyListCreateFromXMLData(NULL, data.Get(), kImmutable, &error));
    }
    if (error.Get() != NULL) {
        ShowErrorString(error.Get());
        return FALSE;
    }
    if (list.Get() == NULL) {
        AfxMessageBox(kNotValid);
        return FALSE;
    }

    CCFRef string;
    CCFRef url(CreateFileUrl(lpszPathName, string));
    CCFRef stream(url.Get() != NULL ? g_coreFoundation.WriteStreamCreateWithFile(NULL, url.Get()) : NULL);
    if (stream.Get() == NULL || !g_coreFoundation.WriteStreamOpen(const_cast<void*>(stream.Get()))) {
        AfxMessageBox(kCannotOpenForWrite);
        return FALSE;
    }
    const CFIndex nWritten =
        g_coreFoundation.PropertyListWriteToStream(list.Get(), const_cast<void*>(stream.Get()), m_nFormat, NULL);
    g_coreFoundation.WriteStreamClose(const_cast<void*>(stream.Get()));
    // The framework takes a missing file as "nothing to write": only a file of the written size
    // counts as saved.
    if (nWritten <= 0 || !HasFileSize(lpszPathName, nWritten)) {
        AfxMessageBox(kCannotWrite);
        return FALSE;
    }
    // The file written may be the framework's temporary one, which can still fail to replace the
    // target: DoSave marks the document saved once the target holds the bytes.
    return TRUE;
}

BOOL CTolvaneDoc::DoSave(LPCWSTR lpszPathName, BOOL bReplace)
{
    if (!CDocument::DoSave(lpszPathName, bReplace))
        return FALSE;
    // A copy saved elsewhere leaves the document's own file as unsaved as it was.
    if (bReplace) {
        SetModifiedFlag(FALSE);
        CTolvaneView* pView = GetMainView();
        if (CXmlView* pXmlView = pView != NULL ? pView->GetXmlView() : NULL)
            pXmlView->GetEditor()->Call(SCI_SETSAVEPOINT);
    }
    return TRUE;
}

void CTolvaneDoc::Serialize(CArchive&) {}

CTolvaneView* CTolvaneDoc::GetMainView() const
{
    POSITION pos = GetFirstViewPosition();
    if (pos == NULL)
        return NULL;
    CView* pView = GetNextView(pos);
    return pView->IsKindOf(RUNTIME_CLASS(CTolvaneView)) ? static_cast<CTolvaneView*>(pView) : NULL;
}

// ---- searching ----

void CTolvaneDoc::OnUpdateNeedsPath(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!GetPathName().IsEmpty());
}

void CTolvaneDoc::OnFindNext()
{
    CTolvaneView* pView = GetMainView();
    if (pView == NULL)
        return;
    if (!pView->Find(m_strSearchText, m_dwSearchFlags, m_nSearchDirection))
        ::MessageBeep(0);
}

void CTolvaneDoc::OnEditFind()
{
    if (m_pFindDlg != NULL)
        return;
    CFindDlg* pDlg = new CFindDlg(this);
    // Stored first: a dialog whose creation fails after attaching deletes itself and clears it.
    m_pFindDlg = pDlg;
    if (!pDlg->Create(IDD_FIND)) {
        delete m_pFindDlg;
        m_pFindDlg = NULL;
        return;
    }
    pDlg->ShowWindow(SW_SHOW);
    pDlg->FillHistoryCombo();
}

void CTolvaneDoc::OnEditReplace()
{
    if (m_pReplaceDlg != NULL)
        return;
    CReplaceDlg* pDlg = new CReplaceDlg(this);
    m_pReplaceDlg = pDlg;
    if (!pDlg->Create(IDD_REPLACE)) {
        delete m_pReplaceDlg;
        m_pReplaceDlg = NULL;
        return;
    }
    pDlg->ShowWindow(SW_SHOW);
    pDlg->FillHistoryCombos();
}

void CTolvaneDoc::OnSearchDialogClosed(const CDialog* pDlg)
{
    if (pDlg == m_pFindDlg)
        m_pFindDlg = NULL;
    if (pDlg == m_pReplaceDlg)
        m_pReplaceDlg = NULL;
}

void CTolvaneDoc::FindText(LPCWSTR lpszText, DWORD dwFlags, int nDirection)
{
    CTolvaneView* pView = GetMainView();
    if (pView == NULL)
        return;
    m_strSearchText = lpszText;
    m_dwSearchFlags = dwFlags;
    m_nSearchDirection = nDirection;
    if (!pView->Find(m_strSearchText, m_dwSearchFlags, m_nSearchDirection))
        ::MessageBeep(0);
}

void CTolvaneDoc::ReplaceCurrent(LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection)
{
    CTolvaneView* pView = GetMainView();
    if (pView == NULL)
        return;
    m_dwSearchFlags = dwFlags;
    m_nSearchDirection = nDirection;
    if (!pView->Replace(m_strSearchText, lpszReplacement, m_dwSearchFlags, m_nSearchDirection))
        ::MessageBeep(0);
}

void CTolvaneDoc::ReplaceAllText(LPCWSTR lpszText, LPCWSTR lpszReplacement, DWORD dwFlags)
{
    CTolvaneView* pView = GetMainView();
    if (pView == NULL)
        return;
    m_strSearchText = lpszText;
    if (!pView->ReplaceAll(m_strSearchText, lpszReplacement, dwFlags))
        ::MessageBeep(0);
}
