// PNG decoding over framework files. libpng reports its errors through our callback, which
// throws a framework exception through libpng's frames (it is built with unwind tables) to
// the one guard in ZpDecodePng.
#include "common/ZPGraphicBitmapPng.h"

#include "common/ZPImageLoading.h"

#include <png.h>

#include <stdlib.h>

#include <memory>
#include <vector>

namespace {

const int kSignatureBytes = 8;
// Larger pictures are refused before anything is allocated for them.
const png_uint_32 kMaxSide = 32767;
const ULONGLONG kMaxDecodedBytes = 256u << 20;
// Deflate expands at most about 1032 to 1: a stream shorter than that cannot hold the rows.
const ULONGLONG kMaxDeflateRatio = 1032;
// The smallest resource worth decoding: a signature and more.
const DWORD kMinResourceBytes = 10;

void PNGCBAPI ZpPngWarningCallback(png_structp, png_const_charp)
{
}

struct CFreeDeleter
{
    void operator()(BYTE* p) const { free(p); }
};
typedef std::unique_ptr<BYTE, CFreeDeleter> CPixelBuffer;   // malloc()ed: the callers free() it

// Refuses a header whose rows could not fit in what is left of the file, or in memory.
void CheckRawSize(png_structp png, png_infop info, CFile* pFile)
{
    ULONGLONG nRaw = (static_cast<ULONGLONG>(png_get_rowbytes(png, info)) + 1) * png_get_image_height(png, info);
    ULONGLONG nLength = pFile->GetLength();
    ULONGLONG nPosition = pFile->GetPosition();
    ULONGLONG nRemaining = nLength > nPosition ? nLength - nPosition : 0;
    if (nRaw > kMaxDecodedBytes || nRaw > nRemaining * kMaxDeflateRatio)
        AfxThrowFileException(CFileException::invalidFile);
}

}  // namespace

void PNGCBAPI ZpPngReadCallback(png_structp png, png_bytep pData, size_t nLength)
{
    CFile* pFile = static_cast<CFile*>(png_get_io_ptr(png));
    if (nLength > UINT_MAX || pFile->Read(pData, static_cast<UINT>(nLength)) != nLength)
        AfxThrowFileException(CFileException::endOfFile);
}

[[noreturn]] void PNGCBAPI ZpPngErrorCallback(png_structp, png_const_charp)
{
    AfxThrowFileException(CFileException::genericException);
}

namespace {

// The read and info structures of one decode, destroyed with the holder.
class CPngReadHolder
{
public:
    CPngReadHolder()
        : m_png(png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, ZpPngErrorCallback, ZpPngWarningCallback)),
          m_info(m_png != NULL ? png_create_info_struct(m_png) : NULL)
    {
    }
    ~CPngReadHolder()
    {
        if (m_png != NULL)
            png_destroy_read_struct(&m_png, m_info != NULL ? &m_info : NULL, NULL);
    }
    CPngReadHolder(const CPngReadHolder&) = delete;
    CPngReadHolder& operator=(const CPngReadHolder&) = delete;

    png_structp m_png;   // owned
    png_infop m_info;    // owned
};

}  // namespace

BOOL ZpDecodePng(CFile* pFile, BYTE** ppBuffer, int* pnWidth, int* pnHeight, int* pnChannels)
{
    png_byte signature[kSignatureBytes];
    try {
        if (pFile->Read(signature, kSignatureBytes) != kSignatureBytes)
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    if (png_sig_cmp(signature, 0, kSignatureBytes) != 0)
        return FALSE;

    try {
        CPngReadHolder read;
        if (read.m_png == NULL || read.m_info == NULL)
            return FALSE;
        png_structp png = read.m_png;
        png_infop info = read.m_info;

        png_set_read_fn(png, pFile, ZpPngReadCallback);
        png_set_sig_bytes(png, kSignatureBytes);
        png_set_user_limits(png, kMaxSide, kMaxSide);
        png_read_info(png, info);
        png_uint_32 nWidth = 0, nHeight = 0;
        int nBitDepth = 0, nColorType = 0;
        png_get_IHDR(png, info, &nWidth, &nHeight, &nBitDepth, &nColorType, NULL, NULL, NULL);
        CheckRawSize(png, info, pFile);

        if (nBitDepth == 16)
            png_set_strip_16(png);
        if (nColorType == PNG_COLOR_TYPE_PALETTE)
            png_set_expand(png);
        if (nBitDepth < 8)
            png_set_expand(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS))
            png_set_expand(png);
        if (nColorType == PNG_COLOR_TYPE_GRAY || nColorType == PNG_COLOR_TYPE_GRAY_ALPHA)
            png_set_gray_to_rgb(png);
        png_color_16p pBackground = NULL;
        if (png_get_bKGD(png, info, &pBackground))
            png_set_background(png, pBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        double dGamma = 0;
        if (png_get_gAMA(png, info, &dGamma))
            png_set_gamma(png, 2.2, dGamma);

        png_read_update_info(png, info);
        size_t nRowBytes = png_get_rowbytes(png, info);
        int nChannels = png_get_channels(png, info);
        if ((nChannels != 3 && nChannels != 4) || png_get_bit_depth(png, info) != 8 ||
            nRowBytes != static_cast<size_t>(nWidth) * nChannels ||
            static_cast<ULONGLONG>(nRowBytes) * nHeight > kMaxDecodedBytes)
            AfxThrowFileException(CFileException::invalidFile);

        CPixelBuffer buffer(static_cast<BYTE*>(malloc(nRowBytes * nHeight)));
        if (!buffer)
            AfxThrowFileException(CFileException::genericException);
        std::vector<png_bytep> rows(nHeight);   // at most kMaxSide pointers
        for (png_uint_32 nRow = 0; nRow < nHeight; ++nRow)
            rows[nRow] = buffer.get() + nRow * nRowBytes;

        png_read_image(png, rows.data());
        png_read_end(png, NULL);
        free(*ppBuffer);
        *ppBuffer = buffer.release();
        *pnWidth = static_cast<int>(nWidth);
        *pnHeight = static_cast<int>(nHeight);
        *pnChannels = nChannels;
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

CZPGraphicBitmapPng::CZPGraphicBitmapPng() : m_bAlpha(FALSE)
{
}

BOOL CZPGraphicBitmapPng::LoadFromFile(CFile* pFile)
{
    m_bAlpha = FALSE;
    DeleteObject();
    if (pFile == NULL)
        return FALSE;
    BYTE* pBuffer = NULL;
    int nWidth = 0, nHeight = 0, nChannels = 0;
    if (!ZpDecodePng(pFile, &pBuffer, &nWidth, &nHeight, &nChannels))
        return FALSE;
    CPixelBuffer buffer(pBuffer);
    HBITMAP hBitmap = CreateDibFromPixels(buffer.get(), nWidth, nHeight, nChannels);
    if (hBitmap == NULL)
        return FALSE;
    m_bAlpha = nChannels == 4;
    Attach(hBitmap);
    return TRUE;
}

BOOL CZPGraphicBitmapPng::LoadFromPath(LPCWSTR lpszPath)
{
    m_bAlpha = FALSE;
    DeleteObject();
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    return LoadFromFile(&file);
}

BOOL CZPGraphicBitmapPng::LoadFromResource(HMODULE hModule, HRSRC hResource)
{
    m_bAlpha = FALSE;
    DeleteObject();
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const void* pData = hData != NULL ? ::LockResource(hData) : NULL;
    DWORD nSize = ::SizeofResource(hModule, hResource);
    if (pData == NULL || nSize < kMinResourceBytes)
        return FALSE;
    // The memory file only reads the resource bytes.
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(pData)), nSize, 0);
    return LoadFromFile(&file);
}

HBITMAP CZPGraphicBitmapPng::CreateDibFromPixels(const BYTE* pPixels, int nWidth, int nHeight, int nChannels)
{
    if (pPixels == NULL || nWidth <= 0 || nHeight <= 0 || (nChannels != 3 && nChannels != 4))
        return NULL;
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(NULL, nWidth, nHeight, &pBits, TRUE);
    if (hBitmap == NULL)
        return NULL;
    BYTE* pDest = pBits;
    size_t nPixels = static_cast<size_t>(nWidth) * nHeight;
    for (size_t i = 0; i < nPixels; ++i, pDest += 4, pPixels += nChannels) {
        pDest[0] = pPixels[2];
        pDest[1] = pPixels[1];
        pDest[2] = pPixels[0];
        pDest[3] = nChannels == 4 ? pPixels[3] : 0;
    }
    return hBitmap;
}
