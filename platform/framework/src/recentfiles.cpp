// The recent-file list: newest first, kept in the application's profile.
#include <framework/app.h>
#include <framework/menu.h>

namespace {

// Only absolute paths of a sane length with no character a file name cannot hold: anything
// else in the profile was not written by us and is dropped.
BOOL IsAcceptablePath(const CString& strPath)
{
    int nLen = strPath.GetLength();
    if (nLen < 3 || nLen >= MAX_PATH)
        return FALSE;
    BOOL bDrive = ((strPath[0] >= L'A' && strPath[0] <= L'Z') || (strPath[0] >= L'a' && strPath[0] <= L'z')) &&
                  strPath[1] == L':' && strPath[2] == L'\\';
    BOOL bShare = strPath[0] == L'\\' && strPath[1] == L'\\' && nLen > 4;
    if (!bDrive && !bShare)
        return FALSE;
    for (int i = 0; i < nLen; ++i) {
        WCHAR ch = strPath[i];
        if (ch < 0x20 || wcschr(L"<>\"|?*", ch) != NULL || (ch == L':' && i != 1))
            return FALSE;
    }
    return strPath[nLen - 1] != L'\\';
}

}  // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_nSize(nSize > 0 ? nSize : 1), m_arrNames(new CString[m_nSize])
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

void CRecentFileList::Add(LPCWSTR lpszPathName)
{
    WCHAR szPath[MAX_PATH];
    AfxFullPath(szPath, lpszPathName);
    int iMRU = 0;
    while (iMRU < m_nSize - 1 && !AfxComparePath(m_arrNames[iMRU], szPath))
        ++iMRU;
    for (; iMRU > 0; --iMRU)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = szPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];
    int nSlash = strPath.ReverseFind(L'\\');
    CString strFile = strPath.Mid(nSlash + 1);

    // A file in the current folder shows by its name alone.
    if (lpszCurDir != NULL && nCurDir > 0 && nSlash == nCurDir &&
        ::CompareStringOrdinal(strPath, nCurDir, lpszCurDir, nCurDir, TRUE) == CSTR_EQUAL) {
        strName = strFile;
        return TRUE;
    }
    if (strPath.GetLength() <= m_nMaxDisplayLength) {
        strName = strPath;
        return TRUE;
    }
    // Too long: the root, an ellipsis and the name; the name alone when even that is too long.
    int nRoot = strPath.Find(L'\\', strPath[0] == L'\\' ? 2 : 0);
    if (strPath[0] == L'\\' && nRoot >= 0)
        nRoot = strPath.Find(L'\\', nRoot + 1);
    CString strShort = strPath.Left(nRoot + 1) + L"...\\" + strFile;
    if (nRoot >= 0 && strShort.GetLength() <= m_nMaxDisplayLength)
        strName = strShort;
    else if (bAtLeastName || strFile.GetLength() <= m_nMaxDisplayLength)
        strName = strFile;
    else
        strName = strFile.Left(m_nMaxDisplayLength);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;

    for (int i = 0; i < m_nSize; ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    WCHAR szCurDir[MAX_PATH];
    DWORD nCurDir = ::GetCurrentDirectoryW(MAX_PATH, szCurDir);
    if (nCurDir >= MAX_PATH)
        nCurDir = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString strName;
        if (!GetDisplayName(strName, i, szCurDir, static_cast<int>(nCurDir)))
            break;
        strName.Replace(L"&", L"&&");   // a file name's '&' is no mnemonic
        CString strCaption;
        if (i < 9)
            strCaption.Format(L"&%d %s", i + 1, static_cast<LPCWSTR>(strName));
        else
            strCaption.Format(L"%d&%d %s", (i + 1) / 10, (i + 1) % 10, static_cast<LPCWSTR>(strName));
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strCaption);
    }
    // The caller's walk over the menu goes on after the inserted items.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    int nFilled = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        CString strPath = pApp->GetProfileString(m_strSectionName, strEntry, L"");
        if (!IsAcceptablePath(strPath))
            continue;
        BOOL bDuplicate = FALSE;
        for (int j = 0; j < nFilled && !bDuplicate; ++j)
            bDuplicate = AfxComparePath(m_arrNames[j], strPath);
        if (!bDuplicate)
            m_arrNames[nFilled++] = strPath;
    }
    for (int i = nFilled; i < m_nSize; ++i)
        m_arrNames[i].Empty();
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i].IsEmpty() ? NULL : static_cast<LPCWSTR>(m_arrNames[i]));
    }
}
