// Opening documents named by the shell through DDE.
#include <framework/app.h>

void CWinApp::EnableShellOpen()
{
    if (m_atomApp != 0 || m_pszExeName == NULL)
        return;
    m_atomApp = ::GlobalAddAtomW(m_pszExeName);
    m_atomSystemTopic = ::GlobalAddAtomW(L"system");
}

BOOL CWinApp::OnDDECommand(LPWSTR lpszCommand)
{
    CString strCommand(lpszCommand);
    strCommand.Trim();
    const CString strOpen = L"[open(";
    if (strCommand.GetLength() <= strOpen.GetLength() + 2 ||
        strCommand.Left(strOpen.GetLength()).CompareNoCase(strOpen) != 0 || strCommand.Right(2).Compare(L")]") != 0)
        return FALSE;
    CString strPath = strCommand.Mid(strOpen.GetLength(), strCommand.GetLength() - strOpen.GetLength() - 2);
    strPath.Trim();
    if (strPath.GetLength() >= 2 && strPath[0] == L'"' && strPath[strPath.GetLength() - 1] == L'"')
        strPath = strPath.Mid(1, strPath.GetLength() - 2);
    if (strPath.IsEmpty() || strPath.Find(L'"') >= 0)
        return FALSE;
    if (OpenDocumentFile(strPath) == NULL)
        return TRUE;  // understood; the document has said why it failed
    if (m_pMainWnd != NULL) {
        if (!m_pMainWnd->IsWindowVisible())
            m_pMainWnd->ShowWindow(m_nCmdShow);
        m_pMainWnd->SetForegroundWindow();
    }
    return TRUE;
}
