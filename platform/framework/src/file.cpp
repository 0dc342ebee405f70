// Disk, memory, shared-memory and text files; file search; file titles.
#include <framework/file.h>

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

[[noreturn]] void ThrowLastError(LPCWSTR lpszFileName)
{
    LONG lError = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(lError), lError, lpszFileName);
}

LPCWSTR LastComponent(LPCWSTR lpszPath)
{
    LPCWSTR pszName = lpszPath;
    for (LPCWSTR p = lpszPath; *p != 0; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L':')
            pszName = p + 1;
    }
    return pszName;
}

}  // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCWSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, lpszFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != INVALID_HANDLE_VALUE || lpszFileName == NULL)
        AfxThrowInvalidArgException();
    static const DWORD s_access[] = { GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE };
    UINT nMode = nOpenFlags & 3;
    if (nMode > 2)
        AfxThrowInvalidArgException();
    DWORD dwShare;
    switch (nOpenFlags & 0x70) {
    case shareExclusive: dwShare = 0; break;
    case shareDenyWrite: dwShare = FILE_SHARE_READ; break;
    case shareDenyRead: dwShare = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: dwShare = 0; break;
    }
    DWORD dwCreate = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = { sizeof(sa), NULL, (nOpenFlags & modeNoInherit) == 0 };

    HANDLE hFile = CreateFileW(lpszFileName, s_access[nMode], dwShare, &sa, dwCreate, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (pError != NULL) {
            pError->m_lOsError = static_cast<LONG>(GetLastError());
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->SetFileName(lpszFileName);
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = lpszFileName;
    return TRUE;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liPos = {};
    LARGE_INTEGER liZero = {};
    if (!SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(liPos.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowInvalidArgException();
    LARGE_INTEGER liOff;
    liOff.QuadPart = lOff;
    LARGE_INTEGER liPos = {};
    if (!SetFilePointerEx(m_hFile, liOff, &liPos, nFrom))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(liPos.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize = {};
    if (!GetFileSizeEx(m_hFile, &liSize))
        ThrowLastError(m_strFileName);
    return static_cast<ULONGLONG>(liSize.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError(m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        ThrowLastError(m_strFileName);
    return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        ThrowLastError(m_strFileName);
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile))
        ThrowLastError(m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        bError = !CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    if (bError)
        ThrowLastError(m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const
{
    return CString(LastComponent(m_strFileName));
}

void PASCAL CFile::Remove(LPCWSTR lpszFileName)
{
    if (!DeleteFileW(lpszFileName))
        ThrowLastError(lpszFileName);
}

CMemFile::CMemFile(UINT nGrowBytes)
    : m_bAutoDelete(TRUE), m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    // Not Close(): virtual calls from a destructor would not reach a derived file's Free.
    if (m_lpBuffer != NULL && m_bAutoDelete)
        CMemFile::Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != NULL || (lpBuffer == NULL && nBufferSize != 0))
        AfxThrowInvalidArgException();
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    return lpBuffer;
}

BOOL CMemFile::Open(LPCWSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowFileException(CFileException::diskFull);
    // Whole grow steps, without overflowing.
    SIZE_T nNewBufferSize = m_nBufferSize;
    SIZE_T nSteps = (dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    if (nSteps > (static_cast<SIZE_T>(-1) - m_nBufferSize) / m_nGrowBytes)
        AfxThrowMemoryException();
    nNewBufferSize += nSteps * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lBase;
    switch (nFrom) {
    case begin: lBase = 0; break;
    case current: lBase = static_cast<LONGLONG>(m_nPosition); break;
    case end: lBase = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowInvalidArgException();
    }
    LONGLONG lNew = lBase + lOff;
    if (lNew < 0 || static_cast<ULONGLONG>(lNew) > static_cast<SIZE_T>(-1))
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(lNew);
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > static_cast<SIZE_T>(-1))
        AfxThrowMemoryException();
    GrowFile(static_cast<SIZE_T>(dwNewLen));
    if (dwNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, static_cast<SIZE_T>(dwNewLen) - m_nFileSize);
    m_nFileSize = static_cast<SIZE_T>(dwNewLen);
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return static_cast<UINT>(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (nCount > static_cast<SIZE_T>(-1) - m_nPosition)
        AfxThrowMemoryException();
    SIZE_T nEnd = m_nPosition + nCount;
    GrowFile(nEnd);
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);   // a gap after a seek
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (nEnd > m_nFileSize)
        m_nFileSize = nEnd;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
}

void CMemFile::Abort()
{
    Close();
}

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    CSharedFile::Close();
}

void CSharedFile::Close()
{
    // A block that stays the caller's is only unlocked.
    if (m_hGlobalMemory != NULL && !m_bAutoDelete) {
        GlobalUnlock(m_hGlobalMemory);
        m_hGlobalMemory = NULL;
        m_lpBuffer = NULL;
    }
    CMemFile::Close();
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != NULL)
        GlobalUnlock(hMem);
    m_hGlobalMemory = NULL;
    CMemFile::Detach();
    m_bAutoDelete = TRUE;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    if (m_lpBuffer != NULL || hGlobalMemory == NULL)
        AfxThrowInvalidArgException();
    BYTE* lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    if (lpBuffer == NULL)
        AfxThrowMemoryException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = m_nFileSize = GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_bAutoDelete = FALSE;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL hMem = GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMem == NULL)
        return NULL;
    m_hGlobalMemory = hMem;
    return static_cast<BYTE*>(GlobalLock(hMem));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow)
        return NULL;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (hNew == NULL) {
        GlobalLock(m_hGlobalMemory);   // the old block is still valid
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(GlobalLock(hNew));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory == NULL)
        return;
    GlobalUnlock(m_hGlobalMemory);
    GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = NULL;
}

CStdioFile::CStdioFile() : m_nBufferPos(0), m_nBufferLen(0)
{
}

CStdioFile::CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags)
    : CFile(lpszFileName, nOpenFlags), m_nBufferPos(0), m_nBufferLen(0)
{
}

BOOL CStdioFile::FillBuffer()
{
    m_nBufferPos = 0;
    m_nBufferLen = CFile::Read(m_buffer, sizeof(m_buffer));
    return m_nBufferLen > 0;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    CStringA strLine;
    BOOL bAny = FALSE;
    for (;;) {
        if (m_nBufferPos >= m_nBufferLen && !FillBuffer())
            break;
        bAny = TRUE;
        const BYTE* pStart = m_buffer + m_nBufferPos;
        const BYTE* pEnd = static_cast<const BYTE*>(memchr(pStart, '\n', m_nBufferLen - m_nBufferPos));
        UINT nTake = pEnd != NULL ? static_cast<UINT>(pEnd - pStart) : m_nBufferLen - m_nBufferPos;
        strLine.Append(reinterpret_cast<const char*>(pStart), static_cast<int>(nTake));
        m_nBufferPos += nTake;
        if (pEnd != NULL) {
            ++m_nBufferPos;
            break;
        }
    }
    if (!strLine.IsEmpty() && strLine[strLine.GetLength() - 1] == '\r')
        strLine.Truncate(strLine.GetLength() - 1);
    rString = AfxNarrowToWide(strLine, strLine.GetLength(), CP_ACP);
    return bAny;
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_nBufferLen - m_nBufferPos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom == current)
        lOff -= static_cast<LONGLONG>(m_nBufferLen - m_nBufferPos);
    m_nBufferPos = m_nBufferLen = 0;
    return CFile::Seek(lOff, nFrom);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    UINT nBuffered = m_nBufferLen - m_nBufferPos;
    if (nBuffered > nCount)
        nBuffered = nCount;
    memcpy(lpBuf, m_buffer + m_nBufferPos, nBuffered);
    m_nBufferPos += nBuffered;
    return nBuffered + CFile::Read(static_cast<BYTE*>(lpBuf) + nBuffered, nCount - nBuffered);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_nBufferPos < m_nBufferLen)
        Seek(0, current);   // put the file position where the reader is
    m_nBufferPos = m_nBufferLen = 0;
    CFile::Write(lpBuf, nCount);
}

void CStdioFile::Close()
{
    m_nBufferPos = m_nBufferLen = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_nBufferPos = m_nBufferLen = 0;
    CFile::Abort();
}

CFileFind::CFileFind() : m_hContext(INVALID_HANDLE_VALUE), m_bHaveNext(FALSE), m_bHaveFound(FALSE), m_found(), m_next()
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hContext != INVALID_HANDLE_VALUE)
        FindClose(m_hContext);
    m_hContext = INVALID_HANDLE_VALUE;
    m_bHaveNext = m_bHaveFound = FALSE;
}

BOOL CFileFind::FindFile(LPCWSTR pstrName, DWORD)
{
    Close();
    if (pstrName == NULL)
        pstrName = L"*.*";
    m_hContext = FindFirstFileW(pstrName, &m_next);
    if (m_hContext == INVALID_HANDLE_VALUE)
        return FALSE;
    m_bHaveNext = TRUE;
    m_strRoot = CString(pstrName, static_cast<int>(LastComponent(pstrName) - pstrName));
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = TRUE;
    m_bHaveNext = ::FindNextFileW(m_hContext, &m_next);
    return m_bHaveNext;
}

CString CFileFind::GetFileName() const
{
    return m_bHaveFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    return m_bHaveFound ? m_strRoot + m_found.cFileName : CString();
}

CString CFileFind::GetFileTitle() const
{
    CString strName = GetFileName();
    int iDot = strName.ReverseFind(L'.');
    return iDot > 0 ? strName.Left(iDot) : strName;
}

ULONGLONG CFileFind::GetLength() const
{
    return m_bHaveFound ? (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow : 0;
}

BOOL CFileFind::IsDirectory() const
{
    return m_bHaveFound && (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (wcscmp(m_found.cFileName, L".") == 0 || wcscmp(m_found.cFileName, L"..") == 0);
}

UINT AfxGetFileTitle(LPCWSTR lpszPathName, LPWSTR lpszTitle, UINT nMax)
{
    if (lpszPathName == NULL)
        return 1;
    LPCWSTR pszName = LastComponent(lpszPathName);
    UINT nNeeded = static_cast<UINT>(wcslen(pszName)) + 1;
    if (lpszTitle == NULL || nMax < nNeeded)
        return nNeeded;
    memcpy(lpszTitle, pszName, nNeeded * sizeof(WCHAR));
    return 0;
}
