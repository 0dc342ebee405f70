// Documents: title and path, modified flag, views, and the new/open/save/close steps.
#include <framework/app.h>
#include <framework/archive.h>
#include <framework/exceptions.h>
#include <framework/file.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE)
{
}

CDocument::~CDocument()
{
    // Views outliving their document forget it.
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
        GetNextView(pos)->m_pDocument = NULL;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCWSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU)
{
    WCHAR szFullPath[MAX_PATH];
    AfxFullPath(szFullPath, lpszPathName);
    m_strPathName = szFullPath;
    WCHAR szTitle[MAX_PATH];
    if (AfxGetFileTitle(szFullPath, szTitle, MAX_PATH) == 0)
        SetTitle(szTitle);
    else
        SetTitle(szFullPath);
    if (bAddToMRU) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::AddView(CView* pView)
{
    if (m_viewList.Find(pView) != NULL)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    // The last view gone: an auto-deleting document closes.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // One frame per document here: each frame only needs its title refreshed.
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;) {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd == NULL || !pView->IsWindowVisible())
            continue;
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName)
{
    CFileException fe;
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();   // dirty while loading: a failure leaves no clean half-document
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR lpszPathName)
{
    CFileException fe;
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames destroys the views, which leave the list; no recursion through
    // OnChangedViewList meanwhile.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && pFrame->m_hWnd != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else if (pView->m_hWnd != NULL) {
            pView->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);   // a view that outlived its window
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents()
{
}

void CDocument::Serialize(CArchive&)
{
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (strName.IsEmpty())
        strName.LoadString(AFX_IDS_UNTITLED);
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_strPathName);
    // A read-only file (or none yet) is saved under a name the user picks.
    if (m_strPathName.IsEmpty() || (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY) != 0))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCWSTR lpszPathName, BOOL bReplace)
{
    CString strNewName(lpszPathName != NULL ? lpszPathName : L"");
    if (strNewName.IsEmpty()) {
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL)
            return FALSE;
        strNewName = m_strPathName;
        if (strNewName.IsEmpty()) {
            strNewName = m_strTitle;
            strNewName.Remove(L':');   // no drive letters or streams from a title
            CString strExt;
            if (m_pDocTemplate != NULL && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
                !strExt.IsEmpty() && strNewName.Find(L'.') < 0)
                strNewName += strExt;
        }
        if (!pApp->DoPromptFileName(strNewName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;   // cancelled
    }
    if (!SaveThroughTemporaryFile(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

BOOL CDocument::SaveThroughTemporaryFile(LPCWSTR lpszPathName)
{
    WCHAR szTarget[MAX_PATH];
    AfxFullPath(szTarget, lpszPathName);
    DWORD dwAttrib = ::GetFileAttributesW(szTarget);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CString strPrompt;
        AfxFormatString1(strPrompt, AFX_IDP_FILE_IS_FOLDER, szTarget);
        AfxMessageBox(strPrompt, MB_OK | MB_ICONEXCLAMATION, AFX_IDP_FILE_IS_FOLDER);
        return FALSE;
    }
    // Windows refuses to move a file over a read-only one, but not every implementation of it
    // does: refuse here so a read-only file is never replaced.
    if (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY) != 0) {
        CException* pe = new CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, szTarget);
        ReportSaveLoadException(szTarget, pe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        pe->Delete();
        return FALSE;
    }

    WCHAR szFolder[MAX_PATH];
    lstrcpynW(szFolder, szTarget, MAX_PATH);
    LPWSTR pszSlash = wcsrchr(szFolder, L'\\');
    if (pszSlash != NULL)
        pszSlash[pszSlash == szFolder + 2 ? 1 : 0] = L'\0';   // keep "C:\"
    WCHAR szTemp[MAX_PATH];
    if (pszSlash == NULL || ::GetTempFileNameW(szFolder, L"tlv", 0, szTemp) == 0) {
        CException* pe = new CFileException(CFileException::accessDenied, static_cast<LONG>(::GetLastError()), szTarget);
        ReportSaveLoadException(szTarget, pe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        pe->Delete();
        return FALSE;
    }
    // The name is ours now; the document creates the file itself.
    ::DeleteFileW(szTemp);

    BOOL bSaved = FALSE;
    m_strSaveTarget = szTarget;
    try {
        bSaved = OnSaveDocument(szTemp);
    } catch (CException* e) {
        ReportSaveLoadException(szTarget, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
    }
    m_strSaveTarget.Empty();
    if (!bSaved) {
        ::DeleteFileW(szTemp);
        return FALSE;
    }
    if (::GetFileAttributesW(szTemp) == INVALID_FILE_ATTRIBUTES)
        return TRUE;   // the document chose to write nothing: the target stays as it is

    if (!::MoveFileExW(szTemp, szTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD dwError = ::GetLastError();
        ::DeleteFileW(szTemp);
        CException* pe = new CFileException(CFileException::OsErrorToException(static_cast<LONG>(dwError)),
                                            static_cast<LONG>(dwError), szTarget);
        ReportSaveLoadException(szTarget, pe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        pe->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCWSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    // The user knows the file being saved, not the temporary one written first.
    if (bSaving && !m_strSaveTarget.IsEmpty())
        lpszPathName = m_strSaveTarget;
    CString strPrompt;
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;   // already reported
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CFileException)) &&
        static_cast<CFileException*>(e)->m_cause == CFileException::fileNotFound)
        nIDPDefault = AFX_IDP_FILE_NOT_FOUND;
    AfxFormatString1(strPrompt, nIDPDefault, lpszPathName);
    if (e != NULL && nIDPDefault != AFX_IDP_FILE_NOT_FOUND) {
        WCHAR szCause[512];
        if (e->GetErrorMessage(szCause, ARRAYSIZE(szCause)) && szCause[0] != L'\0')
            strPrompt += CString(L"\n\n") + szCause;
    }
    AfxMessageBox(strPrompt, MB_OK | MB_ICONEXCLAMATION, nIDPDefault);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}
