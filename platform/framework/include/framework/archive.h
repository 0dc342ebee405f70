// Binary archives over a file: little-endian values, count, string and class records.
#pragma once

#include <framework/file.h>

class CDocument;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // pFile is borrowed and must outlive the archive.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns how many were there.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    // Drops what is buffered; never throws.
    void Abort();

    // Count record: 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Class record; indices count from 1 per archive and are shared with mapped objects.
    void WriteClass(const CRuntimeClass* pClassRef);
    // NULL for the null tag. Throws badClass (unknown or not derived from the requested class),
    // badIndex (no class at that index), badSchema (a non-versionable class's schema differs).
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL);
    // The object takes the next index, as on the other side.
    void MapObject(const CObject* pOb);

    // Refuses (endOfFile) nCount items of at least nMinBytesEach when the data left cannot
    // hold them: nothing is allocated from a count the data does not back.
    void EnsureAvailable(ULONGLONG nCount, UINT nMinBytesEach);

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(short w) { return WriteValue(w); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
    CArchive& operator<<(unsigned u) { return WriteValue(static_cast<DWORD>(u)); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(LONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(short& w) { return ReadValue(w); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(bool& b) { BYTE by; ReadValue(by); b = by != 0; return *this; }
    CArchive& operator>>(int& i) { LONG l; ReadValue(l); i = l; return *this; }
    CArchive& operator>>(unsigned& u) { DWORD dw; ReadValue(dw); u = dw; return *this; }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(LONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }

    // String record: wide text is tagged 0xFF 0xFFFE, then the length record and the characters.
    friend CArchive& operator<<(CArchive& ar, const CStringW& str);
    friend CArchive& operator<<(CArchive& ar, const CStringA& str);
    // Either form is accepted; the other width is converted with the ANSI code page.
    friend CArchive& operator>>(CArchive& ar, CStringW& str);
    friend CArchive& operator>>(CArchive& ar, CStringA& str);

    CDocument* m_pDocument;   // borrowed; the document being serialised, if any

private:
    template <typename T>
    CArchive& WriteValue(const T& value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template <typename T>
    CArchive& ReadValue(T& value)
    {
        ReadExact(&value, sizeof(value));
        return *this;
    }
    void ReadExact(void* lpBuf, UINT nCount);
    void FillBuffer(UINT nBytesNeeded);
    void CheckLoading() const;
    void CheckStoring() const;
    ULONGLONG BytesLeft() const;
    void WriteStringLength(ULONGLONG nLength, BOOL bWide);
    ULONGLONG ReadStringLength(int& nCharSize);
    // The length of a string record the remaining data can hold; throws otherwise.
    int ReadCheckedStringLength(int& nCharSize);
    DWORD NextMapIndex();

    struct CMaps;

    CFile* m_pFile;     // borrowed
    UINT m_nMode;
    BOOL m_bUserBuf;
    int m_nBufSize;
    BYTE* m_lpBufStart; // owned unless m_bUserBuf
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    CMaps* m_pMaps;     // owned; created on first class or object record
};
