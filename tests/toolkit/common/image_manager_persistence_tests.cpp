// Icon persistence and clipboard: the archived icon set byte for byte, older record versions,
// damaged records, and pasting from the real clipboard.
#include "common/ZPImageManager.h"
#include "common/ZPPropExchangeArchive.h"
#include "common/ZPPropExchangeXMLNode.h"

#include "TempFile.h"
#include "archive_helpers.h"
#include "image_test_support.h"

#include <framework/ole.h>

#include <gtest/gtest.h>

#include <string.h>

namespace {

const UINT kCommand = 500;
const int kSide = 16;

// Opaque pixels (premultiplying changes nothing) with a transparent first column.
DWORD GoldenPixel(int x, int y)
{
    return x == 0 ? 0 : Bgra(10 * y, 7 * x, 100, 255);
}

void AddAlphaIcon(CZPImageManager& manager, UINT nCommand)
{
    CZPImageManagerStateImage image;
    image.TakeBitmap(MakeAlphaBitmap(kSide, kSide, GoldenPixel));
    ASSERT_TRUE(manager.SetIcon(&image, nCommand, kSide, kSide, 0));
}

// The premultiplied bottom-up pixels of one of an icon's pictures.
std::vector<DWORD> PixelsOf(CZPImageManagerStateImage* pImage)
{
    CZPImageManagerStateImage copy;
    copy.CopyFrom(pImage);
    LPBYTE pBits = copy.GetPremultipliedBits();
    std::vector<DWORD> pixels;
    if (pBits != NULL) {
        CSize size = copy.GetExtent();
        pixels.assign(reinterpret_cast<DWORD*>(pBits), reinterpret_cast<DWORD*>(pBits) + size.cx * size.cy);
    }
    return pixels;
}

std::vector<DWORD> GoldenBottomUp()
{
    std::vector<DWORD> pixels;
    for (int y = kSide - 1; y >= 0; --y)
        for (int x = 0; x < kSide; ++x)
            pixels.push_back(GoldenPixel(x, y));
    return pixels;
}

void Put(Bytes& bytes, const void* p, size_t n)
{
    bytes.insert(bytes.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
}
void Put16(Bytes& bytes, WORD w) { Put(bytes, &w, 2); }
void Put32(Bytes& bytes, DWORD dw) { Put(bytes, &dw, 4); }

BITMAPINFOHEADER Header32(LONG cx = kSide, LONG cy = kSide)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    return bih;
}

// One bitmap block: info (header and three entries) and bits.
void PutBlock(Bytes& bytes, const BITMAPINFOHEADER& bih, const std::vector<DWORD>& pixels, WORD nInfoLength = 52)
{
    Put16(bytes, nInfoLength);
    Bytes info(nInfoLength, 0);
    memcpy(info.data(), &bih, nInfoLength < sizeof(bih) ? nInfoLength : sizeof(bih));
    Put(bytes, info.data(), info.size());
    Put16(bytes, static_cast<WORD>(pixels.size() * 4));
    Put(bytes, pixels.data(), pixels.size() * 4);
}

// The archive stream of a set with one 16-pixel icon whose records are given.
Bytes SetStream(DWORD nVersion, const Bytes& records, DWORD nCount = 1)
{
    Bytes bytes = {0xFF, 0xFE, 0xFF, 20};
    for (const wchar_t* p = L"CZPImageManagerIcons"; *p != 0; ++p)
        Put16(bytes, static_cast<WORD>(*p));
    if (nCount < 0xFFFF) {
        Put16(bytes, static_cast<WORD>(nCount));
    } else {
        Put16(bytes, 0xFFFF);
        Put32(bytes, nCount);
    }
    Put32(bytes, kSide);
    Put32(bytes, kSide);
    Put32(bytes, nVersion);
    Put(bytes, records.data(), records.size());
    return bytes;
}

// Records: the normal image as an alpha block, then nEmpty empty records.
Bytes AlphaRecords(const std::vector<DWORD>& pixels, int nEmpty, const BITMAPINFOHEADER& bih = Header32())
{
    Bytes records;
    PutBlock(records, bih, pixels);
    Put16(records, 0);
    for (int i = 0; i < nEmpty; ++i) {
        Put16(records, 0);
        Put16(records, 0);
    }
    return records;
}

// Loads one set from bytes; the archive exception's cause, or -1 with bResult set.
int LoadSet(CZPImageManager& manager, const Bytes& bytes, UINT nCommand, BOOL* pbResult = NULL)
{
    return LoadCause(bytes, [&](CArchive& ar) {
        BOOL bResult = manager.SerializeIconSet(nCommand, ar);
        if (pbResult != NULL)
            *pbResult = bResult;
    });
}

// A hidden window that owns the clipboard while a test puts data there.
class CClipboardOwner
{
public:
    CClipboardOwner()
        : m_hWnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL))
    {
    }
    ~CClipboardOwner() { ::DestroyWindow(m_hWnd); }
    BOOL Open()
    {
        // Another program of the run may hold the clipboard for a moment.
        for (int i = 0; i < 50; ++i) {
            if (::OpenClipboard(m_hWnd))
                return ::EmptyClipboard();
            ::Sleep(20);
        }
        return FALSE;
    }
    BOOL PutRaw(const Bytes& bytes)
    {
        if (!Open())
            return FALSE;
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(::GlobalLock(hData), bytes.data(), bytes.size());
        ::GlobalUnlock(hData);
        BOOL bSet = ::SetClipboardData(CF_ZPTOOLBARIMAGE, hData) != NULL;
        ::CloseClipboard();
        return bSet;
    }
    Bytes Get()
    {
        Bytes bytes;
        if (!::OpenClipboard(m_hWnd))
            return bytes;
        HGLOBAL hData = ::GetClipboardData(CF_ZPTOOLBARIMAGE);
        if (hData != NULL) {
            const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hData));
            bytes.assign(p, p + ::GlobalSize(hData));
            ::GlobalUnlock(hData);
        }
        ::CloseClipboard();
        return bytes;
    }

private:
    HWND m_hWnd;
};

UINT Paste(CZPImageManager& manager)
{
    COleDataObject data;
    if (!data.AttachClipboard())
        return 0;
    return manager.PasteIconSetFromClipboard(&data);
}

}  // namespace

TEST(IconPersistence, OneIconSetOnTheClipboardIsItsArchiveStream)
{
    CZPImageManager manager;
    AddAlphaIcon(manager, kCommand);
    CClipboardOwner owner;
    ASSERT_TRUE(owner.Open());
    ASSERT_TRUE(manager.CopyIconSetToClipboard(kCommand));
    ::CloseClipboard();
    Bytes stream = owner.Get();

    const size_t nExpected = 4 + 40 + 2 + 4 + 8 + 2 + 52 + 2 + 1024 + 2 + 4 * 4;
    ASSERT_GE(stream.size(), nExpected);   // the block may be rounded up
    stream.resize(nExpected);
    // Header of the stored picture: as GetDIBits reports it for a 16 x 16 32-bpp section.
    const size_t nInfo = 4 + 40 + 2 + 4 + 8 + 2;
    BITMAPINFOHEADER bih = {};
    memcpy(&bih, stream.data() + nInfo, sizeof(bih));
    EXPECT_EQ(40u, bih.biSize);
    EXPECT_EQ(16, bih.biWidth);
    EXPECT_EQ(16, bih.biHeight);
    EXPECT_EQ(32, bih.biBitCount);
    Bytes expected = SetStream(34, AlphaRecords(GoldenBottomUp(), 4));
    memcpy(expected.data() + nInfo, stream.data() + nInfo, 52);   // entries without meaning
    EXPECT_EQ(expected, stream);

    // Pasted twice: two new ids, the same pictures.
    const UINT nFirst = Paste(manager);
    const UINT nSecond = Paste(manager);
    ASSERT_NE(0u, nFirst);
    EXPECT_EQ(nFirst + 1, nSecond);
    for (UINT nId : {nFirst, nSecond}) {
        CZPImageManagerIcon* pIcon = manager.GetImage(nId, kSide);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(GoldenBottomUp(), PixelsOf(pIcon->GetNormalStateImage()));
    }
}

TEST(IconPersistence, OlderRecordVersions)
{
    // Straight colour red 200 at alpha 128: premultiplied it is 100.
    const std::vector<DWORD> straight(kSide * kSide, Bgra(200, 0, 0, 128));
    struct Case
    {
        DWORD nVersion;
        int nEmptyRecords;   // disabled, hot, then checked and pressed where the version has them
        DWORD dwStoredPixel;
        BOOL bChecked;
    } cases[] = {
        {0, 2, Bgra(100, 0, 0, 128), FALSE},
        {7, 2, Bgra(100, 0, 0, 128), FALSE},
        {24, 4, Bgra(100, 0, 0, 128), TRUE},
        {34, 4, Bgra(200, 0, 0, 128), TRUE},   // already premultiplied: taken as stored
        {99, 4, Bgra(200, 0, 0, 128), TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nVersion);
        CZPImageManager manager;
        Bytes records = AlphaRecords(straight, c.nEmptyRecords);
        BOOL bResult = FALSE;
        ASSERT_EQ(-1, LoadSet(manager, SetStream(c.nVersion, records), kCommand, &bResult));
        EXPECT_TRUE(bResult);
        CZPImageManagerIcon* pIcon = manager.GetImage(kCommand, kSide);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(kSide, pIcon->GetHeight());
        EXPECT_EQ(std::vector<DWORD>(kSide * kSide, c.dwStoredPixel), PixelsOf(pIcon->GetNormalStateImage()));
        EXPECT_EQ(pIcon->GetNormalStateImage(), pIcon->GetCheckedStateImage());   // falls back
    }
}

TEST(IconPersistence, SetsRoundTripThroughTheArchive)
{
    CZPImageManager source;
    AddAlphaIcon(source, kCommand);
    CZPImageManagerStateImage hot;
    hot.SetIcon(MakeMaskedIcon(kSide, kSide, RGB(0, 128, 255)));
    ASSERT_TRUE(source.SetIcon(&hot, kCommand, kSide, kSide, 2));
    CZPImageManagerStateImage wide;
    wide.TakeBitmap(MakeSolidAlphaBitmap(24, 24, Bgra(0, 0, 255, 255)));
    ASSERT_TRUE(source.SetIcon(&wide, kCommand, 24, 24, 0));
    AddAlphaIcon(source, kCommand + 1);

    Bytes bytes = StoreBytes([&](CArchive& ar) { source.Serialize(ar); });
    CZPImageManager loaded;
    AddAlphaIcon(loaded, 77);   // loading the whole manager replaces what it had
    ASSERT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(nullptr, loaded.GetIconSet(77));
    for (UINT nId : {kCommand, kCommand + 1}) {
        CZPImageManagerIcon* pIcon = loaded.GetImage(nId, kSide);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(GoldenBottomUp(), PixelsOf(pIcon->GetNormalStateImage()));
    }
    CZPImageManagerIcon* pIcon = loaded.GetImage(kCommand, kSide);
    EXPECT_NE(pIcon->GetNormalStateImage(), pIcon->GetHotStateImage());
    EXPECT_FALSE(pIcon->GetHotStateImage()->IsEmpty());
    ASSERT_TRUE(loaded.HasImage(kCommand, 24));
    EXPECT_EQ(CSize(24, 24), loaded.GetImage(kCommand, 24)->GetExtent());

    // A set the manager does not have: the check text and no icons.
    Bytes empty = StoreBytes([&](CArchive& ar) { source.SerializeIconSet(999, ar); });
    Bytes expected = SetStream(0, Bytes());
    expected.resize(4 + 40);
    Put16(expected, 0);
    EXPECT_EQ(expected, empty);
}

TEST(IconPersistence, ManagerRoundTripsThroughATextMedium)
{
    CZPImageManager source;
    AddAlphaIcon(source, kCommand);
    AddAlphaIcon(source, kCommand + 1);
    CTempFile file;
    {
        CZPPropExchangeXMLNode px(FALSE, NULL, L"Settings");
        px.ExchangeSchemaNumber();   // as every saving caller starts
        EXPECT_TRUE(source.DoPropExchange(&px));
        ASSERT_TRUE(px.SaveToFile(file));
    }
    // The check text equals its default: text media leave it out, and reading passes without it.
    EXPECT_EQ(std::string::npos, file.Read().find("CheckSum"));
    CZPImageManager loaded;
    CZPPropExchangeXMLNode px(TRUE, NULL, L"Settings");
    ASSERT_TRUE(px.LoadFromFile(file));
    px.ExchangeSchemaNumber();
    EXPECT_TRUE(loaded.DoPropExchange(&px));
    for (UINT nId : {kCommand, kCommand + 1}) {
        CZPImageManagerIcon* pIcon = loaded.GetImage(nId, kSide);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(GoldenBottomUp(), PixelsOf(pIcon->GetNormalStateImage()));
    }
}

TEST(IconPersistence, DamagedRecords)
{
    const std::vector<DWORD> pixels = GoldenBottomUp();
    auto withHeader = [&](void (*change)(BITMAPINFOHEADER&)) {
        BITMAPINFOHEADER bih = Header32();
        change(bih);
        return SetStream(34, AlphaRecords(pixels, 4, bih));
    };
    Bytes infoTooShort = SetStream(34, Bytes());
    PutBlock(infoTooShort, Header32(), pixels, 39);
    Bytes infoTooLong = SetStream(34, Bytes());
    Put16(infoTooLong, 1065);
    Bytes bitsBeyondData = SetStream(34, Bytes());
    Put16(bitsBeyondData, 52);
    Put(bitsBeyondData, Bytes(52, 0).data(), 52);
    Put16(bitsBeyondData, 4096);
    Bytes truncated = SetStream(34, AlphaRecords(pixels, 4));
    truncated.resize(truncated.size() - 3);
    Bytes foreign = SetStream(34, AlphaRecords(pixels, 4));
    foreign[4] = 'X';
    Bytes zeroHeight = SetStream(34, AlphaRecords(pixels, 4));
    memset(zeroHeight.data() + 4 + 40 + 2 + 4, 0, 4);

    // Thrown out of the set's load; refused (the icon left out, FALSE); an empty picture; loaded.
    enum { kThrows, kRefused, kEmptyImage, kLoads };
    struct Case
    {
        const char* name;
        Bytes bytes;
        int nOutcome;
        int nCause;
    } cases[] = {
        {"foreign check text", foreign, kThrows, CArchiveException::badClass},
        {"icon count 0xFFFFFFFF", SetStream(34, AlphaRecords(pixels, 4), 0xFFFFFFFF), kThrows,
         CArchiveException::endOfFile},
        {"info length 39", infoTooShort, kRefused, 0},
        {"info length 1065", infoTooLong, kRefused, 0},
        {"bits beyond the data", bitsBeyondData, kRefused, 0},
        {"truncated", truncated, kRefused, 0},
        {"height 0", zeroHeight, kRefused, 0},
        {"negative width", withHeader([](BITMAPINFOHEADER& b) { b.biWidth = -16; }), kEmptyImage, 0},
        {"header size 12", withHeader([](BITMAPINFOHEADER& b) { b.biSize = 12; }), kEmptyImage, 0},
        {"bit count 3", withHeader([](BITMAPINFOHEADER& b) { b.biBitCount = 3; }), kEmptyImage, 0},
        {"run-length compression", withHeader([](BITMAPINFOHEADER& b) { b.biCompression = BI_RLE8; }),
         kEmptyImage, 0},
        {"8 bits without a palette", withHeader([](BITMAPINFOHEADER& b) { b.biBitCount = 8; }), kEmptyImage, 0},
        {"huge sides", withHeader([](BITMAPINFOHEADER& b) { b.biWidth = b.biHeight = 100000; }), kEmptyImage, 0},
        {"lying image size", withHeader([](BITMAPINFOHEADER& b) { b.biSizeImage = 0x7FFFFFFF; }), kLoads, 0},
        {"more rows than bits", withHeader([](BITMAPINFOHEADER& b) { b.biHeight = 32; }), kLoads, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZPImageManager manager;
        BOOL bResult = FALSE;
        const int nCause = LoadSet(manager, c.bytes, kCommand, &bResult);
        CZPImageManagerIcon* pIcon = manager.GetImage(kCommand, kSide);
        switch (c.nOutcome) {
        case kThrows:
            EXPECT_EQ(c.nCause, nCause);
            break;
        case kRefused:
            EXPECT_EQ(-1, nCause);
            EXPECT_FALSE(bResult);
            EXPECT_EQ(nullptr, pIcon);   // no half-read icon
            break;
        case kEmptyImage:
            EXPECT_EQ(-1, nCause);
            ASSERT_NE(nullptr, pIcon);
            EXPECT_TRUE(pIcon->GetNormalStateImage()->IsEmpty());
            break;
        default:
            EXPECT_EQ(-1, nCause);
            ASSERT_NE(nullptr, pIcon);
            EXPECT_FALSE(pIcon->GetNormalStateImage()->IsEmpty());
            break;
        }
    }
}

TEST(IconPersistence, DamagedClipboardPastesNothing)
{
    CZPImageManager manager;
    AddAlphaIcon(manager, kCommand);
    const Bytes good = SetStream(34, AlphaRecords(GoldenBottomUp(), 4));
    Bytes shortStream(good.begin(), good.begin() + good.size() / 2);
    Bytes foreign = good;
    foreign[6] = 'Q';
    // A well-formed set that holds no icon: the check text and a count of 0.
    Bytes empty = SetStream(34, Bytes(), 0);
    empty.resize(4 + 40 + 2);
    struct Case
    {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"one byte", Bytes(1, 0xFF)},
        {"short", shortStream},
        {"foreign check text", foreign},
        {"count beyond the data", SetStream(34, AlphaRecords(GoldenBottomUp(), 4), 3)},
        {"no icon", empty},
    };
    CClipboardOwner owner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(owner.PutRaw(c.bytes));
        const UINT nBefore = manager.GetLastCustomID();
        EXPECT_EQ(0u, Paste(manager));
        EXPECT_EQ(nullptr, manager.GetIconSet(nBefore + 1));
        EXPECT_EQ(nullptr, manager.GetIconSet(manager.GetLastCustomID()));
        EXPECT_NE(nullptr, manager.GetIconSet(kCommand));   // existing sets untouched
    }
    ASSERT_TRUE(owner.PutRaw(good));
    EXPECT_NE(0u, Paste(manager));
}
