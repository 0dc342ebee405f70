// Framework exceptions: thrown as CException* (heap or static), caught by pointer,
// released with Delete().
#pragma once

#include <framework/object.h>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees a heap exception; does nothing for a static one.
    void Delete();
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;
};

// An exception whose text is a fixed string resource (or a fixed English text).
class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

protected:
    virtual LPCWSTR GetDefaultMessage() const;
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCWSTR GetDefaultMessage() const override;
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCWSTR GetDefaultMessage() const override;
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCWSTR GetDefaultMessage() const override;
};

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCWSTR GetDefaultMessage() const override;
};

// Silent cancel of an operation whose user was already told why (validation failures).
class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,     // write on a loading archive
        endOfFile,    // read past the end of the data
        writeOnly,    // read on a storing archive
        badIndex,     // class or object index out of range
        badClass,     // class not registered, not derived from the one asked for, or not creatable
        badSchema     // stored schema differs from a non-versionable class's
    };

    explicit CArchiveException(int cause = none, LPCWSTR lpszArchiveName = NULL);
    ~CArchiveException() override;
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    LPWSTR m_strFileName;   // owned, may be NULL
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCWSTR lpszFileName = NULL);
    ~CFileException() override;
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
    void SetFileName(LPCWSTR lpszFileName);

    static int PASCAL OsErrorToException(LONG lOsError);
    static void PASCAL ThrowOsError(LONG lOsError, LPCWSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    LPWSTR m_strFileName;   // owned, may be NULL
};

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = E_FAIL) : m_sc(sc) {}
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName = NULL);
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCWSTR lpszFileName = NULL);
[[noreturn]] void AfxThrowOleException(SCODE sc);
