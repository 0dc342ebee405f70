// Compressed memory file: the stored blob's bytes, raw and compressed round trips, damaged blobs.
#include "common/ZPZipMemFile.h"

#include "TempFile.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

Bytes Pattern(size_t n)
{
    Bytes data(n);
    for (size_t i = 0; i < n; ++i)
        data[i] = static_cast<BYTE>('0' + i % 10);
    return data;
}

Bytes Noise(size_t n, UINT nSeed)
{
    Bytes data(n);
    for (size_t i = 0; i < n; ++i) {
        nSeed = nSeed * 1103515245 + 12345;
        data[i] = static_cast<BYTE>(nSeed >> 16);
    }
    return data;
}

// What a writer stores for the given data.
Bytes Store(const Bytes& data)
{
    CZPZipMemFile file;
    file.Write(data.data(), static_cast<UINT>(data.size()));
    BYTE* lpBlob = NULL;
    UINT nSize = 0;
    file.DetachCompressed(lpBlob, nSize);
    EXPECT_EQ(0u, file.GetLength());
    Bytes blob(lpBlob, lpBlob + nSize);
    free(lpBlob);
    return blob;
}

Bytes Content(CZPZipMemFile& file)
{
    Bytes data(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!data.empty()) {
        EXPECT_EQ(data.size(), file.Read(data.data(), static_cast<UINT>(data.size())));
    }
    return data;
}

// Attaches a copy the file owns, as a reader of a stored blob does.
BOOL Load(CZPZipMemFile& file, const Bytes& blob)
{
    BYTE* lpCopy = static_cast<BYTE*>(malloc(blob.size() + 1));
    if (!blob.empty())
        memcpy(lpCopy, blob.data(), blob.size());
    return file.AttachCompressed(lpCopy, static_cast<UINT>(blob.size()), TRUE);
}

Bytes Header(DWORD nLength)
{
    Bytes header = {0x5A, 0x49, 0x50, 0x21};
    for (int i = 0; i < 4; ++i)
        header.push_back(static_cast<BYTE>(nLength >> (8 * i)));
    return header;
}

// zlib 1.2.13's default-level stream of Pattern(4000).
const Bytes kStream4000 = {0x78, 0x9C, 0xED, 0xC6, 0x49, 0x01, 0x00, 0x20, 0x08, 0x00, 0xB0, 0x4A, 0x78, 0x20,
                           0xDA, 0xBF, 0x98, 0x31, 0xF8, 0x6C, 0xAF, 0xC5, 0x98, 0x6B, 0xE7, 0xA9, 0xFB, 0xC2,
                           0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0x9A, 0xF6, 0x01, 0x51, 0x85, 0x34, 0x7E};

Bytes Golden4000()
{
    Bytes blob = Header(4000);
    blob.insert(blob.end(), kStream4000.begin(), kStream4000.end());
    return blob;
}

}  // namespace

TEST(ZipMemFile, RepeatedDataIsStoredAsHeaderAndZlibStream)
{
    EXPECT_EQ(Golden4000(), Store(Pattern(4000)));
    CZPZipMemFile file;
    EXPECT_TRUE(Load(file, Golden4000()));
    EXPECT_EQ(Pattern(4000), Content(file));
}

TEST(ZipMemFile, SmallOrIncompressibleDataIsStoredRaw)
{
    for (const Bytes& data : {Bytes(), Pattern(1), Pattern(19), Noise(4000, 7)}) {
        SCOPED_TRACE(data.size());
        EXPECT_EQ(data, Store(data));
        CZPZipMemFile file;
        EXPECT_TRUE(Load(file, data));
        EXPECT_EQ(data, Content(file));
    }
}

TEST(ZipMemFile, RawDataThatLooksLikeABlobStillComesBackUnchanged)
{
    // 12 to 19 bytes are never compressed and incompressible data is not either: both would be
    // taken for a blob by a reader if they went out as they are.
    Bytes magic12 = Header(4);
    magic12.insert(magic12.end(), {1, 2, 3, 4});
    Bytes magic19 = magic12;
    magic19.insert(magic19.end(), 7, 0xEE);
    Bytes noise = Noise(4000, 3);
    noise[0] = 0x5A, noise[1] = 0x49, noise[2] = 0x50, noise[3] = 0x21;
    for (const Bytes& data : {magic12, magic19, noise}) {
        SCOPED_TRACE(data.size());
        const Bytes blob = Store(data);
        EXPECT_NE(data, blob);
        CZPZipMemFile file;
        EXPECT_TRUE(Load(file, blob));
        EXPECT_EQ(data, Content(file));
    }
    // Eleven bytes starting with the magic are plain data, and go out as they are.
    const Bytes magic11(magic12.begin(), magic12.begin() + 11);
    EXPECT_EQ(magic11, Store(magic11));
}

TEST(ZipMemFile, DamagedBlobsLeaveAnEmptyFileAndFail)
{
    const Bytes golden = Golden4000();
    auto withLength = [&](DWORD nLength) {
        Bytes blob = Header(nLength);
        blob.insert(blob.end(), kStream4000.begin(), kStream4000.end());
        return blob;
    };
    Bytes truncated(golden.begin(), golden.end() - 5);
    Bytes flipped = golden;
    flipped[20] ^= 0x40;
    Bytes trailing = golden;
    trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
    Bytes zeroLength = Header(0);
    zeroLength.insert(zeroLength.end(), {0, 0, 0, 0});
    Bytes twelve = Header(4000);
    twelve.insert(twelve.end(), {0x78, 0x9C, 0x03, 0x00});
    struct Case
    {
        const char* name;
        Bytes blob;
    } cases[] = {
        {"truncated stream", truncated},
        {"length too long", withLength(4001)},
        {"length too short", withLength(3999)},
        {"length beyond deflate's ratio", withLength(42 * 1032 + 1)},
        {"length beyond the cap", withLength(0xFFFFFFFF)},
        {"damaged stream byte", flipped},
        {"trailing garbage", trailing},
        {"twelve bytes", twelve},
        {"empty data with a bad stream", zeroLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZPZipMemFile file;
        file.Write("old", 3);
        EXPECT_FALSE(Load(file, c.blob));
        EXPECT_EQ(0u, file.GetLength());
        file.Write("new", 3);   // the empty file is usable
        EXPECT_EQ(3u, file.GetLength());
    }
}

TEST(ZipMemFile, BorrowedBufferStaysTheCallers)
{
    Bytes data = Pattern(30);
    {
        CZPZipMemFile file(data.data(), static_cast<UINT>(data.size()));
        EXPECT_EQ(data, Content(file));
        BYTE* lpBlob = NULL;
        UINT nSize = 0;
        file.DetachCompressed(lpBlob, nSize);   // a copy, compressed: the lender's buffer is untouched
        ASSERT_NE(nullptr, lpBlob);
        EXPECT_NE(data.data(), lpBlob);
        free(lpBlob);
    }
    EXPECT_EQ(Pattern(30), data);
}

TEST(ZipMemFile, LoadFromFile)
{
    const Bytes golden = Golden4000();
    CTempFile good(std::string(golden.begin(), golden.end()));
    CTempFile damaged(std::string(golden.begin(), golden.end() - 1));
    CTempFile missing;

    CZPZipMemFile file;
    EXPECT_TRUE(file.LoadFromFile(good));
    EXPECT_EQ(Pattern(4000), Content(file));

    EXPECT_FALSE(file.LoadFromFile(missing));
    EXPECT_EQ(Pattern(4000), Content(file));   // unchanged when the file cannot be opened
    EXPECT_FALSE(file.LoadFromFile(damaged));
    EXPECT_EQ(0u, file.GetLength());
}
