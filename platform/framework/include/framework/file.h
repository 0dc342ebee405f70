// Files: disk files, memory files (C-runtime or HGLOBAL buffer), text reading, file search.
#pragma once

#include <framework/string.h>

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    CFile();
    explicit CFile(HANDLE hFile);   // borrowed: not closed by this object
    // Opens or throws CFileException.
    CFile(LPCWSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    // Close without exceptions (for clean-up after a failure).
    virtual void Abort();

    const CString& GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void PASCAL Remove(LPCWSTR lpszFileName);

    HANDLE m_hFile;   // owned when m_bCloseOnDelete

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// A file in a growable buffer from the C-runtime heap. Growth in steps of m_nGrowBytes;
// 0 = a fixed buffer that cannot grow.
class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Over existing bytes (not owned); with nGrowBytes 0 they are the file's content.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Takes the buffer out (the caller frees it with free()); the file is empty afterwards.
    BYTE* Detach();

    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // TRUE: the file frees its buffer when it closes.
    BOOL m_bAutoDelete;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;   // owned when m_bAutoDelete
};

// A memory file in a movable global block, as the clipboard uses.
class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Takes the block out, unlocked; the caller owns it.
    HGLOBAL Detach();
    // Reads (and, when allowed, grows) a block that stays the caller's.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);
    void Close() override;

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;   // owned when m_bAutoDelete
    BOOL m_bAllowGrow;
};

// Reads text lines in the ANSI code page.
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags);

    // The next line without its line end; FALSE at the end of the file.
    BOOL ReadString(CString& rString);

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Close() override;
    void Abort() override;

private:
    BOOL FillBuffer();

    BYTE m_buffer[512];
    UINT m_nBufferPos;
    UINT m_nBufferLen;
};

// Enumerates files matching a pattern, in the order the system gives.
class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    BOOL FindFile(LPCWSTR pstrName = NULL, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when the current one is the last.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    ULONGLONG GetLength() const;
    BOOL IsDirectory() const;
    BOOL IsDots() const;

private:
    HANDLE m_hContext;
    BOOL m_bHaveNext;
    BOOL m_bHaveFound;
    WIN32_FIND_DATAW m_found;
    WIN32_FIND_DATAW m_next;
    CString m_strRoot;
};

// The display title (last path component) of a path. Returns 0 on success, otherwise the
// buffer size needed including the terminator.
UINT AfxGetFileTitle(LPCWSTR lpszPathName, LPWSTR lpszTitle, UINT nMax);
