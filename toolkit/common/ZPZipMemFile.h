// A memory file whose content goes out as a zlib-compressed blob behind a small header and
// comes in from either a compressed or a plain blob.
#pragma once

#include <framework.h>
#include <framework/file.h>

class CZPZipMemFile : public CMemFile
{
    DECLARE_DYNAMIC(CZPZipMemFile)
public:
    enum
    {
        kMagic = 0x2150495A,        // "ZIP!" read as a little-endian 32-bit value
        kHeaderSize = 8,            // magic, then the uncompressed length
        kMinCompressedSize = 20,    // smaller data always goes out as it is
        kMaxExpansion = 1032,       // deflate's highest ratio of output to input
        kMaxInflatedSize = 64 * 1024 * 1024
    };

    CZPZipMemFile();
    // Over a stored blob that stays the caller's.
    CZPZipMemFile(BYTE* lpBuffer, UINT nSize);

    // Makes a stored blob the file's content, replacing what it had. A compressed blob is
    // inflated; one that does not inflate to exactly its stated length leaves the file empty
    // and gives FALSE. With bOwned the file takes the buffer over (freed with free()).
    BOOL AttachCompressed(BYTE* lpBuffer, UINT nSize, BOOL bOwned);
    // The whole file as a stored blob; FALSE (file unchanged) when it cannot be read whole
    // or its blob is damaged.
    BOOL LoadFromFile(LPCWSTR lpszFileName);
    // Takes the content out as a stored blob (the caller frees it with free()); the file is
    // empty afterwards. A NULL buffer with size 0 for an empty file.
    void DetachCompressed(BYTE*& lpBuffer, UINT& nSize);
};
