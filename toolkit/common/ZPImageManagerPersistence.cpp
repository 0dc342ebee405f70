// Icon sets saved and loaded through the property exchange, the binary record of one icon with
// its state images, and the icon-set clipboard format.
#include "common/ZPImageManager.h"

#include "common/ZPImageLoading.h"
#include "common/ZPPropExchange.h"
#include "common/ZPPropExchangeArchive.h"

#include <framework/memorydc.h>
#include <framework/ole.h>

#include <string.h>

const CLIPFORMAT CF_ZPTOOLBARIMAGE = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Zodeda ToolBar Image"));

namespace {

const LPCWSTR kCheckSum = L"CZPImageManagerIcons";
const int kIconVersion = 34;
const int kVersionWithChecked = 7;      // checked image stored above this version
const int kVersionWithPressed = 16;     // pressed image stored above this version
const int kVersionPremultiplied = 24;   // alpha images stored premultiplied above this version
const long kFirstIconWidth = 16;
const int kInitialIconHeight = 15;
const int kMaxIconExtent = 4096;        // widths, heights and bitmap sides beyond this are damage
const DWORD kHeaderSize = sizeof(BITMAPINFOHEADER);
const DWORD kMaxInfoSize = kHeaderSize + 256 * sizeof(RGBQUAD);
const UINT kArchiveBuffer = 4096;
const UINT kClipboardGrowBytes = 1024;

// Colour entries that follow the header in a stored block.
int StoredEntries(WORD nBitCount)
{
    return nBitCount == 4 ? 16 : nBitCount == 8 ? 256 : 3;
}

// Colour entries a header needs to mean anything; -1 for a header this reader refuses.
int NeededEntries(const BITMAPINFOHEADER& bih)
{
    if (bih.biCompression == BI_BITFIELDS)
        return bih.biBitCount == 16 || bih.biBitCount == 32 ? 3 : -1;
    if (bih.biCompression != BI_RGB)
        return -1;
    switch (bih.biBitCount) {
    case 1: return bih.biClrUsed != 0 && bih.biClrUsed < 2 ? static_cast<int>(bih.biClrUsed) : 2;
    case 4: return bih.biClrUsed != 0 && bih.biClrUsed < 16 ? static_cast<int>(bih.biClrUsed) : 16;
    case 8: return bih.biClrUsed != 0 && bih.biClrUsed < 256 ? static_cast<int>(bih.biClrUsed) : 256;
    case 16:
    case 24:
    case 32: return 0;
    default: return -1;
    }
}

DWORD Stride(LONG nWidth, WORD nBitCount)
{
    return ((static_cast<DWORD>(nWidth) * nBitCount + 31) / 32) * 4;
}

// The bytes of a rows block the header describes; 0 when the header is unusable.
DWORD CheckedImageSize(const BITMAPINFOHEADER& bih, DWORD nInfoLength)
{
    const LONG nHeight = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    if (bih.biSize != kHeaderSize || bih.biPlanes != 1 || bih.biWidth <= 0 || bih.biWidth > kMaxIconExtent ||
        nHeight <= 0 || nHeight > kMaxIconExtent)
        return 0;
    const int nEntries = NeededEntries(bih);
    if (nEntries < 0 || nInfoLength < kHeaderSize + static_cast<DWORD>(nEntries) * sizeof(RGBQUAD))
        return 0;
    return Stride(bih.biWidth, bih.biBitCount) * static_cast<DWORD>(nHeight);
}

void WriteEmptyBlock(CArchive& ar)
{
    ar.WriteCount(0);
}

// Makes an icon of a colour bitmap and its mask, as the image list does.
HICON IconFromPair(HBITMAP hbmColor, HBITMAP hbmMask)
{
    BITMAP bm = {};
    if (::GetObjectW(hbmColor, sizeof(bm), &bm) == 0)
        return NULL;
    HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight,
                                        ILC_COLOR24 | ILC_MASK, 0, 1);
    if (hList == NULL)
        return NULL;
    HICON hIcon = NULL;
    if (ImageList_Add(hList, hbmColor, hbmMask) == 0)
        hIcon = ImageList_GetIcon(hList, 0, 0);
    ImageList_Destroy(hList);
    return hIcon;
}

// Holds a bitmap handle until it is handed on.
class CBitmapHolder
{
public:
    explicit CBitmapHolder(HBITMAP hBitmap = NULL) : m_hBitmap(hBitmap) {}
    ~CBitmapHolder()
    {
        if (m_hBitmap != NULL)
            ::DeleteObject(m_hBitmap);
    }
    CBitmapHolder(const CBitmapHolder&) = delete;
    CBitmapHolder& operator=(const CBitmapHolder&) = delete;

    HBITMAP Get() const { return m_hBitmap; }
    HBITMAP Detach()
    {
        HBITMAP hBitmap = m_hBitmap;
        m_hBitmap = NULL;
        return hBitmap;
    }

private:
    HBITMAP m_hBitmap;   // owned
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Bitmap blocks

BOOL ZpGetBitmapInfoAndBits(HBITMAP hBitmap, std::vector<BYTE>& bits, std::vector<BYTE>& info)
{
    bits.clear();
    info.clear();
    if (hBitmap == NULL)
        return FALSE;
    CMemoryDC dc;
    const HDC hDC = dc.GetSafeHdc();
    if (hDC == NULL)
        return FALSE;
    BITMAPINFOHEADER bih = {};
    bih.biSize = kHeaderSize;
    BOOL bResult = FALSE;
    if (::GetDIBits(hDC, hBitmap, 0, 0, NULL, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS) != 0 &&
        bih.biWidth > 0 && bih.biHeight != 0) {
        const LONG nHeight = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
        // The rows' own size: the header's image size may be 0, and width x height x 4
        // over-counts bitmaps of fewer bits per pixel.
        const DWORD nBits = Stride(bih.biWidth, bih.biBitCount) * static_cast<DWORD>(nHeight);
        bits.assign(nBits, 0);
        info.assign(kHeaderSize + StoredEntries(bih.biBitCount) * sizeof(RGBQUAD), 0);
        bih.biSizeImage = nBits;
        memcpy(info.data(), &bih, kHeaderSize);
        bResult = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(nHeight), bits.data(),
                              reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) != 0;
    }
    if (!bResult) {
        bits.clear();
        info.clear();
    }
    return bResult;
}

void ZpWriteArchivedBitmap(CArchive& ar, HBITMAP hBitmap)
{
    std::vector<BYTE> bits, info;
    if (!ZpGetBitmapInfoAndBits(hBitmap, bits, info)) {
        WriteEmptyBlock(ar);
        return;
    }
    ar.WriteCount(info.size());
    ar.Write(info.data(), static_cast<UINT>(info.size()));
    ar.WriteCount(bits.size());
    ar.Write(bits.data(), static_cast<UINT>(bits.size()));
}

HBITMAP ZpReadArchivedBitmap(CArchive& ar, LPBYTE* ppBits)
{
    if (ppBits != NULL)
        *ppBits = NULL;
    const DWORD_PTR nInfoLength = ar.ReadCount();
    if (nInfoLength == 0)
        return NULL;
    if (nInfoLength < kHeaderSize || nInfoLength > kMaxInfoSize)
        AfxThrowArchiveException(CArchiveException::genericException);
    // Room for every colour entry a header may call for, zero where the block has none.
    std::vector<BYTE> info(kMaxInfoSize, 0);
    ar.EnsureAvailable(nInfoLength, 1);
    if (ar.Read(info.data(), static_cast<UINT>(nInfoLength)) != nInfoLength)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    const DWORD_PTR nBitsLength = ar.ReadCount();
    ar.EnsureAvailable(nBitsLength, 1);
    std::vector<BYTE> bits(nBitsLength);
    if (nBitsLength != 0 && ar.Read(bits.data(), static_cast<UINT>(nBitsLength)) != nBitsLength)
        AfxThrowArchiveException(CArchiveException::endOfFile);

    BITMAPINFOHEADER& bih = *reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    const DWORD nImageSize = CheckedImageSize(bih, static_cast<DWORD>(nInfoLength));
    if (nBitsLength == 0 || nImageSize == 0)
        return NULL;
    // Only the rows the header describes are copied, whatever its image size says.
    bih.biSizeImage = nImageSize;
    CMemoryDC dc;
    void* pvBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(dc.GetSafeHdc(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                         &pvBits, NULL, 0);
    if (hBitmap == NULL || pvBits == NULL) {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    ::GdiFlush();
    memcpy(pvBits, bits.data(), nBitsLength < nImageSize ? nBitsLength : nImageSize);
    if (ppBits != NULL)
        *ppBits = static_cast<LPBYTE>(pvBits);
    return hBitmap;
}

// ---------------------------------------------------------------------------------------------
// Icon record

void CZPImageManagerIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nHeight) << static_cast<LONG>(kIconVersion);
        SerializeStateImage(&m_images[imageNormal], ar, kIconVersion);
        SerializeStateImage(&m_images[imageDisabled], ar, kIconVersion);
        SerializeStateImage(&m_images[imageHot], ar, kIconVersion);
        SerializeStateImage(&m_images[imageChecked], ar, kIconVersion);
        SerializeStateImage(&m_images[imagePressed], ar, kIconVersion);
        return;
    }
    LONG nHeight = 0, nVersion = 0;
    ar >> nHeight >> nVersion;
    if (nHeight <= 0 || nHeight > kMaxIconExtent)
        AfxThrowArchiveException(CArchiveException::genericException);
    ClearImages(TRUE);
    m_nHeight = nHeight;
    SerializeStateImage(&m_images[imageNormal], ar, nVersion);
    SerializeStateImage(&m_images[imageDisabled], ar, nVersion);
    SerializeStateImage(&m_images[imageHot], ar, nVersion);
    if (nVersion > kVersionWithChecked)
        SerializeStateImage(&m_images[imageChecked], ar, nVersion);
    if (nVersion > kVersionWithPressed)
        SerializeStateImage(&m_images[imagePressed], ar, nVersion);
}

void CZPImageManagerIcon::SerializeStateImage(CZPImageManagerStateImage* pImage, CArchive& ar, int nVersion)
{
    CZPImageManagerStateImage temporary;
    if (ar.IsStoring()) {
        temporary.CopyFrom(pImage);
        if (temporary.IsEmpty()) {
            WriteEmptyBlock(ar);
            WriteEmptyBlock(ar);
        } else if (temporary.m_hAlphaBitmap != NULL) {
            temporary.GetPremultipliedBits();
            ZpWriteArchivedBitmap(ar, temporary.m_hAlphaBitmap);
            WriteEmptyBlock(ar);
        } else {
            ICONINFO ii = {};
            if (temporary.m_hIcon != NULL && ::GetIconInfo(temporary.m_hIcon, &ii)) {
                CBitmapHolder color(ii.hbmColor), mask(ii.hbmMask);
                ZpWriteArchivedBitmap(ar, color.Get());
                ZpWriteArchivedBitmap(ar, mask.Get());
            } else {
                WriteEmptyBlock(ar);
                WriteEmptyBlock(ar);
            }
        }
        return;
    }

    LPBYTE pBits = NULL;
    CBitmapHolder first(ZpReadArchivedBitmap(ar, &pBits));
    CBitmapHolder second(ZpReadArchivedBitmap(ar, NULL));
    if (first.Get() != NULL && second.Get() != NULL) {
        HICON hIcon = IconFromPair(first.Get(), second.Get());
        if (hIcon != NULL)
            temporary.SetIcon(hIcon);
    } else if (first.Get() != NULL) {
        if (nVersion > kVersionPremultiplied)
            temporary.TakePremultiplied(first.Detach(), pBits);
        else
            temporary.TakeBitmap(first.Detach());
    }
    pImage->CopyFrom(&temporary);
}

// ---------------------------------------------------------------------------------------------
// Icon sets

BOOL CZPImageManager::DoPropExchangeIcons(UINT nCommand, CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return FALSE;
    RaiseLastCustomID(nCommand);
    CString strCheckSum = kCheckSum;
    PropExchangeString(pPX, L"CheckSum", strCheckSum, kCheckSum);
    CZPImageManagerIconSet* pIconSet = GetIconSet(nCommand);

    if (pPX->IsStoring()) {
        CZPPropExchangeEnumeratorHolder enumerator(pPX->GetEnumerator(L"Icon"));
        DWORD nCount = pIconSet != NULL ? static_cast<DWORD>(pIconSet->m_mapIcons.GetCount()) : 0;
        POSITION posSection = enumerator->GetPosition(nCount, TRUE);
        BOOL bResult = TRUE;
        POSITION pos = pIconSet != NULL ? pIconSet->m_mapIcons.GetStartPosition() : NULL;
        while (pos != NULL && posSection != NULL) {
            UINT nWidth = 0;
            CZPImageManagerIcon* pIcon = NULL;
            pIconSet->m_mapIcons.GetNextAssoc(pos, nWidth, pIcon);
            CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(posSection));
            long nStoredWidth = static_cast<long>(nWidth);
            PropExchangeLongNoDefault(section.Get(), L"Width", &nStoredWidth);
            bResult &= PropExchangeSerializable(section.Get(), L"Data", pIcon);
        }
        return bResult;
    }

    if (strCheckSum != kCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);
    if (pIconSet != NULL) {
        pIconSet->RemoveAll();
    } else {
        pIconSet = new CZPImageManagerIconSet(nCommand, this);
        m_mapImages.SetAt(nCommand, pIconSet);
    }
    BOOL bResult = TRUE;
    CZPPropExchangeEnumeratorHolder enumerator(pPX->GetEnumerator(L"Icon"));
    POSITION posSection = enumerator->GetPosition(0, TRUE);
    while (posSection != NULL) {
        CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(posSection));
        long nWidth = kFirstIconWidth;
        PropExchangeLongNoDefault(section.Get(), L"Width", &nWidth);
        CZPImageManagerIcon* pIcon = new CZPImageManagerIcon(nCommand, nWidth, kInitialIconHeight, pIconSet);
        // An icon that did not read whole, or has no usable width, is left out.
        if (!PropExchangeSerializable(section.Get(), L"Data", pIcon) || nWidth <= 0 || nWidth > kMaxIconExtent) {
            pIcon->InternalRelease();
            bResult = FALSE;
            continue;
        }
        CZPImageManagerIcon* pOld = NULL;
        if (pIconSet->m_mapIcons.Lookup(static_cast<UINT>(nWidth), pOld))
            pOld->InternalRelease();
        pIconSet->m_mapIcons.SetAt(static_cast<UINT>(nWidth), pIcon);
    }
    return bResult;
}

BOOL CZPImageManager::DoPropExchange(CZPPropExchange* pPX)
{
    if (pPX == NULL)
        return FALSE;
    BOOL bResult = TRUE;
    CZPPropExchangeEnumeratorHolder enumerator(pPX->GetEnumerator(L"IconSet"));
    if (pPX->IsStoring()) {
        POSITION posSection = enumerator->GetPosition(static_cast<DWORD>(m_mapImages.GetCount()), TRUE);
        POSITION pos = m_mapImages.GetStartPosition();
        while (pos != NULL && posSection != NULL) {
            UINT nCommand = 0;
            CZPImageManagerIconSet* pIconSet = NULL;
            m_mapImages.GetNextAssoc(pos, nCommand, pIconSet);
            CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(posSection));
            long nId = static_cast<long>(nCommand);
            PropExchangeLongNoDefault(section.Get(), L"Id", &nId);
            bResult &= DoPropExchangeIcons(nCommand, section.Get());
        }
        return bResult;
    }
    RemoveAll();
    POSITION posSection = enumerator->GetPosition(0, TRUE);
    while (posSection != NULL) {
        CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(posSection));
        long nId = 0;
        PropExchangeLongNoDefault(section.Get(), L"Id", &nId);
        bResult &= DoPropExchangeIcons(static_cast<UINT>(nId), section.Get());
    }
    return bResult;
}

void CZPImageManager::Serialize(CArchive& ar)
{
    CZPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

BOOL CZPImageManager::SerializeIconSet(UINT nCommand, CArchive& ar)
{
    CZPPropExchangeArchive px(ar);
    return DoPropExchangeIcons(nCommand, &px);
}

// ---------------------------------------------------------------------------------------------
// Clipboard

BOOL CZPImageManager::CopyIconSetToClipboard(UINT nCommand)
{
    CMemFile file(kClipboardGrowBytes);
    {
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        SerializeIconSet(nCommand, ar);
        ar.Close();
    }
    const SIZE_T nLength = static_cast<SIZE_T>(file.GetLength());
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nLength);
    if (hData == NULL)
        return FALSE;
    void* pData = ::GlobalLock(hData);
    if (pData == NULL) {
        ::GlobalFree(hData);
        return FALSE;
    }
    file.SeekToBegin();
    file.Read(pData, static_cast<UINT>(nLength));
    ::GlobalUnlock(hData);
    if (::SetClipboardData(CF_ZPTOOLBARIMAGE, hData) == NULL) {
        ::GlobalFree(hData);
        return FALSE;
    }
    return TRUE;
}

UINT CZPImageManager::PasteIconSetFromClipboard(COleDataObject* pData)
{
    if (pData == NULL)
        return 0;
    HGLOBAL hData = pData->GetGlobalData(CF_ZPTOOLBARIMAGE);
    if (hData == NULL)
        return 0;
    const UINT nCommand = ++m_nCustomID;
    BOOL bLoaded = FALSE;
    try {
        CSharedFile file(GMEM_MOVEABLE, kArchiveBuffer);
        file.SetHandle(hData, FALSE);
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        bLoaded = SerializeIconSet(nCommand, ar);
    } catch (CArchiveException* e) {
        e->Delete();
    } catch (CFileException* e) {
        e->Delete();
    } catch (COleException* e) {
        e->Delete();
    } catch (CMemoryException* e) {
        e->Delete();
    }
    ::GlobalFree(hData);
    // A set that read without error but holds no icon pastes nothing either.
    CZPImageManagerIconSet* pLoaded = GetIconSet(nCommand);
    if (bLoaded && pLoaded != NULL && !pLoaded->GetIcons().IsEmpty())
        return nCommand;
    // Nothing half-pasted stays behind; the id stays used.
    CZPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet != NULL) {
        m_mapImages.RemoveKey(nCommand);
        pIconSet->RemoveAll();
        pIconSet->InternalRelease();
    }
    return 0;
}
