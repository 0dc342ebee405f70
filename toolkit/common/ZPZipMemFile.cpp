// Compressed blobs: "ZIP!", the 32-bit little-endian raw length, then a zlib stream.
#include "common/ZPZipMemFile.h"

#include <memory>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>

IMPLEMENT_DYNAMIC(CZPZipMemFile, CMemFile)

namespace {

const UINT kGrowBytes = 1024;

struct CFreeDeleter
{
    void operator()(BYTE* p) const { free(p); }
};
typedef std::unique_ptr<BYTE, CFreeDeleter> CMallocBlock;

DWORD ReadLE32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

void WriteLE32(BYTE* p, DWORD dw)
{
    p[0] = static_cast<BYTE>(dw);
    p[1] = static_cast<BYTE>(dw >> 8);
    p[2] = static_cast<BYTE>(dw >> 16);
    p[3] = static_cast<BYTE>(dw >> 24);
}

BOOL HasMagic(const BYTE* lpBuffer, UINT nSize)
{
    return lpBuffer != NULL && nSize >= CZPZipMemFile::kHeaderSize + 4 && ReadLE32(lpBuffer) == CZPZipMemFile::kMagic;
}

// The raw data of a compressed blob, or NULL when the blob is damaged or its stated length is
// one that its stream cannot hold.
BYTE* Inflate(const BYTE* lpBlob, UINT nBlobSize, DWORD& nLength)
{
    nLength = ReadLE32(lpBlob + 4);
    const ULONGLONG nStream = nBlobSize - CZPZipMemFile::kHeaderSize;
    if (nLength > CZPZipMemFile::kMaxInflatedSize || nLength > nStream * CZPZipMemFile::kMaxExpansion)
        return NULL;
    CMallocBlock data(static_cast<BYTE*>(malloc(nLength != 0 ? nLength : 1)));
    if (!data)
        return NULL;
    uLongf nOut = nLength;
    uLong nIn = static_cast<uLong>(nStream);
    // Exactly the stated length from exactly the stored stream: bytes after it are damage too.
    if (uncompress2(data.get(), &nOut, lpBlob + CZPZipMemFile::kHeaderSize, &nIn) != Z_OK || nOut != nLength ||
        nIn != nStream)
        return NULL;
    return data.release();
}

// A blob of header and zlib stream at the given level; NULL when the stream would not fit in
// nCapacity bytes.
BYTE* Deflate(const BYTE* lpData, UINT nSize, uLong nCapacity, int nLevel, UINT& nBlobSize)
{
    if (nCapacity > static_cast<UINT>(-1) - CZPZipMemFile::kHeaderSize)
        return NULL;
    CMallocBlock blob(static_cast<BYTE*>(malloc(nCapacity + CZPZipMemFile::kHeaderSize)));
    if (!blob)
        return NULL;
    uLongf nOut = nCapacity;
    if (compress2(blob.get() + CZPZipMemFile::kHeaderSize, &nOut, lpData, nSize, nLevel) != Z_OK)
        return NULL;
    WriteLE32(blob.get(), CZPZipMemFile::kMagic);
    WriteLE32(blob.get() + 4, nSize);
    nBlobSize = static_cast<UINT>(nOut) + CZPZipMemFile::kHeaderSize;
    return blob.release();
}

}  // namespace

CZPZipMemFile::CZPZipMemFile() : CMemFile(kGrowBytes)
{
}

CZPZipMemFile::CZPZipMemFile(BYTE* lpBuffer, UINT nSize) : CMemFile(kGrowBytes)
{
    AttachCompressed(lpBuffer, nSize, FALSE);
}

BOOL CZPZipMemFile::AttachCompressed(BYTE* lpBuffer, UINT nSize, BOOL bOwned)
{
    CMallocBlock owned(bOwned ? lpBuffer : NULL);
    Close();
    m_nGrowBytes = kGrowBytes;
    if (!HasMagic(lpBuffer, nSize)) {
        if (lpBuffer == NULL)
            return nSize == 0;
        Attach(lpBuffer, nSize, 0);
        m_bAutoDelete = bOwned;
        owned.release();
        return TRUE;
    }
    DWORD nLength = 0;
    BYTE* lpData = Inflate(lpBuffer, nSize, nLength);
    if (lpData == NULL)
        return FALSE;
    Attach(lpData, nLength, 0);
    m_bAutoDelete = TRUE;
    return TRUE;
}

BOOL CZPZipMemFile::LoadFromFile(LPCWSTR lpszFileName)
{
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    try {
        const ULONGLONG nLength = file.GetLength();
        if (nLength > static_cast<UINT>(-1))
            return FALSE;
        const UINT nSize = static_cast<UINT>(nLength);
        CMallocBlock data(static_cast<BYTE*>(malloc(nSize != 0 ? nSize : 1)));
        if (!data || file.Read(data.get(), nSize) != nSize)
            return FALSE;
        file.Close();
        return AttachCompressed(data.release(), nSize, TRUE);
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
}

void CZPZipMemFile::DetachCompressed(BYTE*& lpBuffer, UINT& nSize)
{
    nSize = static_cast<UINT>(GetLength());
    const BOOL bOwned = m_bAutoDelete;
    CMallocBlock raw(Detach());
    m_bAutoDelete = TRUE;
    m_nGrowBytes = kGrowBytes;
    if (raw && !bOwned) {
        // The buffer stays its lender's: hand out a copy.
        CMallocBlock copy(static_cast<BYTE*>(malloc(nSize != 0 ? nSize : 1)));
        if (!copy)
            AfxThrowMemoryException();
        memcpy(copy.get(), raw.get(), nSize);
        raw.release();
        raw = std::move(copy);
    }
    lpBuffer = NULL;
    if (nSize >= kMinCompressedSize) {
        UINT nBlobSize = 0;
        BYTE* lpBlob = Deflate(raw.get(), nSize, nSize, Z_DEFAULT_COMPRESSION, nBlobSize);
        if (lpBlob != NULL) {
            lpBuffer = lpBlob;
            nSize = nBlobSize;
            return;
        }
    }
    if (HasMagic(raw.get(), nSize)) {
        // Plain data that looks like a blob would be inflated by readers: store it in a
        // stream of stored blocks instead.
        UINT nBlobSize = 0;
        BYTE* lpBlob = Deflate(raw.get(), nSize, compressBound(nSize), Z_NO_COMPRESSION, nBlobSize);
        if (lpBlob == NULL)
            AfxThrowMemoryException();
        lpBuffer = lpBlob;
        nSize = nBlobSize;
        return;
    }
    lpBuffer = raw.release();
}
