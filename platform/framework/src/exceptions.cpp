// Exception classes, their throw helpers and the global allocator that throws them.
#include <framework/exceptions.h>
#include <framework/threadstate.h>

#include <new>
#include <stdlib.h>
#include <wchar.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

BOOL CopyMessage(LPCWSTR lpszText, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0 || lpszText == NULL)
        return FALSE;
    lstrcpynW(lpszError, lpszText, static_cast<int>(nMaxError));
    return TRUE;
}

LPWSTR DuplicateName(LPCWSTR lpszName)
{
    return lpszName != NULL ? _wcsdup(lpszName) : NULL;
}

LPCWSTR NameOrUnknown(LPCWSTR lpszName)
{
    return lpszName != NULL && *lpszName != 0 ? lpszName : L"an unnamed file";
}

// The text of a cause (generic when out of range) with the file's name in it.
BOOL CauseMessage(const LPCWSTR* pTexts, int nTexts, int cause, LPCWSTR lpszName, LPWSTR lpszError,
                  UINT nMaxError, PUINT pnHelpContext)
{
    if (cause < 0 || cause >= nTexts)
        cause = 1;
    WCHAR szText[512];
    _snwprintf(szText, ARRAYSIZE(szText) - 1, pTexts[cause], NameOrUnknown(lpszName));
    szText[ARRAYSIZE(szText) - 1] = 0;
    return CopyMessage(szText, lpszError, nMaxError, pnHelpContext);
}

}  // namespace

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CopyMessage(NULL, lpszError, nMaxError, pnHelpContext);
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    WCHAR szMessage[512];
    if (!GetErrorMessage(szMessage, ARRAYSIZE(szMessage))) {
        if (nMessageID == 0 || LoadStringW(AfxGetInstanceHandle(), nMessageID, szMessage, ARRAYSIZE(szMessage)) == 0)
            lstrcpynW(szMessage, L"An unsupported operation was attempted.", ARRAYSIZE(szMessage));
    }
    return MessageBoxW(GetActiveWindow(), szMessage, NULL, nType);
}

BOOL CSimpleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(GetDefaultMessage(), lpszError, nMaxError, pnHelpContext);
}

LPCWSTR CSimpleException::GetDefaultMessage() const
{
    return L"An unsupported operation was attempted.";
}

LPCWSTR CMemoryException::GetDefaultMessage() const
{
    return L"Out of memory.";
}

LPCWSTR CInvalidArgException::GetDefaultMessage() const
{
    return L"Encountered an improper argument.";
}

LPCWSTR CNotSupportedException::GetDefaultMessage() const
{
    return L"An unsupported operation was attempted.";
}

LPCWSTR CResourceException::GetDefaultMessage() const
{
    return L"A required resource was unavailable.";
}

CArchiveException::CArchiveException(int cause, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(DuplicateName(lpszArchiveName))
{
}

CArchiveException::~CArchiveException()
{
    free(m_strFileName);
}

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCWSTR s_texts[] = {
        L"No error occurred while accessing %s.",
        L"An unexpected error occurred while accessing %s.",
        L"Tried to write to %s while it was being read.",
        L"An attempt was made to access %s past its end.",
        L"Tried to read from %s while it was being written.",
        L"%s has a bad format.",
        L"%s contained an unexpected object.",
        L"%s contains an incorrect schema.",
    };
    return CauseMessage(s_texts, ARRAYSIZE(s_texts), m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

CFileException::CFileException(int cause, LONG lOsError, LPCWSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(DuplicateName(lpszFileName))
{
}

CFileException::~CFileException()
{
    free(m_strFileName);
}

void CFileException::SetFileName(LPCWSTR lpszFileName)
{
    free(m_strFileName);
    m_strFileName = DuplicateName(lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCWSTR s_texts[] = {
        L"No error occurred while accessing %s.",
        L"An unknown error occurred while accessing %s.",
        L"%s was not found.",
        L"%s contains an incorrect path.",
        L"%s could not be opened because there are too many open files.",
        L"Access to %s was denied.",
        L"An incorrect file handle was associated with %s.",
        L"%s could not be removed because it is the current directory.",
        L"%s could not be created because the directory is full.",
        L"Seek failed on %s.",
        L"A hardware I/O error was reported while accessing %s.",
        L"A sharing violation occurred while accessing %s.",
        L"A locking violation occurred while accessing %s.",
        L"Disk full while accessing %s.",
        L"An attempt was made to access %s past its end.",
    };
    return CauseMessage(s_texts, ARRAYSIZE(s_texts), m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCWSTR lpszFileName)
{
    if (lOsError != NO_ERROR)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL COleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    WCHAR szText[512];
    if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, m_sc, 0, szText,
                       ARRAYSIZE(szText), NULL) == 0)
        _snwprintf(szText, ARRAYSIZE(szText), L"OLE error 0x%08lX.", static_cast<unsigned long>(m_sc));
    szText[ARRAYSIZE(szText) - 1] = 0;
    return CopyMessage(szText, lpszError, nMaxError, pnHelpContext);
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CInvalidArgException)))
        return E_INVALIDARG;
    return E_UNEXPECTED;
}

void AfxThrowMemoryException()
{
    // Static: there may be no memory left to allocate the exception itself.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCWSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

// The global allocator (malloc/free underneath, which GCC cannot pair up): failure throws the framework's memory exception, as every caller expects.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t nSize)
{
    void* p = malloc(nSize != 0 ? nSize : 1);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void* operator new[](size_t nSize)
{
    return ::operator new(nSize);
}

void operator delete(void* p) noexcept
{
    free(p);
}

void operator delete[](void* p) noexcept
{
    free(p);
}

void operator delete(void* p, size_t) noexcept
{
    free(p);
}

void operator delete[](void* p, size_t) noexcept
{
    free(p);
}

void* operator new(size_t nSize, const std::nothrow_t&) noexcept
{
    return malloc(nSize != 0 ? nSize : 1);
}

void* operator new[](size_t nSize, const std::nothrow_t&) noexcept
{
    return malloc(nSize != 0 ? nSize : 1);
}
