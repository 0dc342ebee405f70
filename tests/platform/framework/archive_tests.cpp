// Archive records at their size boundaries, and damaged streams.
#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

class CStoredItem : public CObject
{
    DECLARE_SERIAL(CStoredItem)
};
IMPLEMENT_SERIAL(CStoredItem, CObject, 3)

class CVersionedItem : public CStoredItem
{
    DECLARE_SERIAL(CVersionedItem)
};
IMPLEMENT_SERIAL(CVersionedItem, CStoredItem, VERSIONABLE_SCHEMA | 34)

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Prefix(const Bytes& bytes, size_t n)
{
    return Bytes(bytes.begin(), bytes.begin() + n);
}

}  // namespace

TEST(ArchiveRecords, CountAtItsBoundaries)
{
    struct Case
    {
        DWORD dwCount;
        Bytes bytes;
    } cases[] = {
        { 0, { 0x00, 0x00 } },
        { 0xFFFE, { 0xFE, 0xFF } },
        { 0xFFFF, { 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 } },
        { 0x12345, { 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00 } },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bytes, StoreBytes([&](CArchive& ar) { ar.WriteCount(c.dwCount); })) << c.dwCount;
        DWORD_PTR dwRead = 0;
        LoadBytes(c.bytes, [&](CArchive& ar) { dwRead = ar.ReadCount(); });
        EXPECT_EQ(c.dwCount, dwRead);
    }
}

TEST(ArchiveRecords, StringLengthForms)
{
    struct Case
    {
        int nLength;
        Bytes wideHeader;     // after the 0xFF 0xFFFE tag
        Bytes narrowHeader;
    } cases[] = {
        { 0, { 0x00 }, { 0x00 } },
        { 254, { 0xFE }, { 0xFE } },
        { 255, { 0xFF, 0xFF, 0x00 }, { 0xFF, 0xFF, 0x00 } },
        { 0xFFFD, { 0xFF, 0xFD, 0xFF }, { 0xFF, 0xFD, 0xFF } },
        { 0xFFFE, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 }, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
    };
    for (const Case& c : cases) {
        CString strWide(L'\u00e9', c.nLength);
        if (c.nLength > 0)
            strWide.SetAt(c.nLength - 1, L'\u20ac');
        Bytes wide = StoreBytes([&](CArchive& ar) { ar << strWide; });
        Bytes header = Concat({ { 0xFF, 0xFE, 0xFF }, c.wideHeader });
        ASSERT_EQ(header.size() + 2 * c.nLength, wide.size()) << c.nLength;
        EXPECT_EQ(header, Prefix(wide, header.size())) << c.nLength;
        CString strBack;
        LoadBytes(wide, [&](CArchive& ar) { ar >> strBack; });
        EXPECT_TRUE(strBack == strWide) << c.nLength;

        CStringA strNarrow('x', c.nLength);
        Bytes narrow = StoreBytes([&](CArchive& ar) { ar << strNarrow; });
        ASSERT_EQ(c.narrowHeader.size() + c.nLength, narrow.size());
        EXPECT_EQ(c.narrowHeader, Prefix(narrow, c.narrowHeader.size())) << c.nLength;
        CString strFromNarrow;   // an untagged record read as wide text
        LoadBytes(narrow, [&](CArchive& ar) { ar >> strFromNarrow; });
        EXPECT_TRUE(strFromNarrow == CString(L'x', c.nLength)) << c.nLength;
    }
}

TEST(ArchiveRecords, WideRecordReadAsNarrowText)
{
    Bytes wide = StoreBytes([](CArchive& ar) { ar << CString(L"Caf\u00e9"); });
    EXPECT_EQ((Bytes{ 0xFF, 0xFE, 0xFF, 0x04, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0 }), wide);
    CStringA strNarrow;
    LoadBytes(wide, [&](CArchive& ar) { ar >> strNarrow; });
    EXPECT_STREQ(AfxWideToNarrow(L"Caf\u00e9", -1, CP_ACP), strNarrow);
}

TEST(ArchiveRecords, ClassRecordsAndSharedIndices)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));     // index 1
        CStoredItem item;
        ar.MapObject(&item);                           // index 2
        ar.WriteClass(RUNTIME_CLASS(CVersionedItem));  // index 3
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));
        ar.WriteClass(RUNTIME_CLASS(CVersionedItem));
    });
    Bytes expected = Concat({ { 0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00 }, Bytes((const BYTE*)"CStoredItem", (const BYTE*)"CStoredItem" + 11),
                              { 0xFF, 0xFF, 0x22, 0x00, 0x0E, 0x00 }, Bytes((const BYTE*)"CVersionedItem", (const BYTE*)"CVersionedItem" + 14),
                              { 0x01, 0x80, 0x03, 0x80 } });
    EXPECT_EQ(expected, bytes);

    LoadBytes(bytes, [](CArchive& ar) {
        UINT nSchema = 0;
        EXPECT_EQ(RUNTIME_CLASS(CStoredItem), ar.ReadClass(RUNTIME_CLASS(CObject), &nSchema));
        EXPECT_EQ(3u, nSchema);
        CStoredItem item;
        ar.MapObject(&item);
        EXPECT_EQ(RUNTIME_CLASS(CVersionedItem), ar.ReadClass(RUNTIME_CLASS(CStoredItem), &nSchema));
        EXPECT_EQ(34u, nSchema);
        EXPECT_EQ(RUNTIME_CLASS(CStoredItem), ar.ReadClass(NULL, &nSchema));
        EXPECT_EQ(RUNTIME_CLASS(CVersionedItem), ar.ReadClass(NULL, &nSchema));
        EXPECT_EQ(34u, nSchema);
    });
}

TEST(ArchiveRecords, EveryMappedObjectTakesAnIndexOnBothSides)
{
    // The same object mapped twice takes indices 2 and 3 when stored, as it does when loaded.
    Bytes bytes = StoreBytes([](CArchive& ar) {
        CStoredItem item;
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));
        ar.MapObject(&item);
        ar.MapObject(&item);
        ar.WriteClass(RUNTIME_CLASS(CVersionedItem));   // index 4
        ar.WriteClass(RUNTIME_CLASS(CVersionedItem));
    });
    Bytes tail = { 0x04, 0x80 };
    EXPECT_EQ(tail, Bytes(bytes.end() - tail.size(), bytes.end()));
    LoadBytes(bytes, [](CArchive& ar) {
        CStoredItem first, second;
        EXPECT_EQ(RUNTIME_CLASS(CStoredItem), ar.ReadClass());
        ar.MapObject(&first);
        ar.MapObject(&second);
        EXPECT_EQ(RUNTIME_CLASS(CVersionedItem), ar.ReadClass());
        EXPECT_EQ(RUNTIME_CLASS(CVersionedItem), ar.ReadClass());
    });
}

TEST(ArchiveRecords, ClassIndexAtTheWideForm)
{
    // Objects take indices 1..0x7FFD, so the classes get 0x7FFE and 0x7FFF.
    static BYTE objects[0x7FFD];
    auto mapObjects = [](CArchive& ar) {
        for (BYTE& b : objects)
            ar.MapObject(reinterpret_cast<const CObject*>(&b));
    };
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        mapObjects(ar);
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));
        ar.WriteClass(RUNTIME_CLASS(CVersionedItem));
        ar.WriteClass(RUNTIME_CLASS(CStoredItem));
        ar.WriteClass(RUNTIME_CLASS(CVersionedItem));
    });
    Bytes tail = { 0xFE, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80 };
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(tail, Bytes(bytes.end() - tail.size(), bytes.end()));

    LoadBytes(bytes, [&](CArchive& ar) {
        mapObjects(ar);
        EXPECT_EQ(RUNTIME_CLASS(CStoredItem), ar.ReadClass());
        EXPECT_EQ(RUNTIME_CLASS(CVersionedItem), ar.ReadClass());
        EXPECT_EQ(RUNTIME_CLASS(CStoredItem), ar.ReadClass());
        EXPECT_EQ(RUNTIME_CLASS(CVersionedItem), ar.ReadClass());
    });
}

TEST(ArchiveRecords, ValuesAreLittleEndianAndBufferedAcrossFlushes)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << static_cast<WORD>(0x1234) << static_cast<DWORD>(0x0FF0ADBF) << 1.5f << 0.25;
        for (int i = 0; i < 3000; ++i)   // several buffer fills
            ar << i;
    });
    ASSERT_EQ(2u + 4 + 4 + 8 + 3000 * 4, bytes.size());
    EXPECT_EQ((Bytes{ 0x34, 0x12, 0xBF, 0xAD, 0xF0, 0x0F }), Prefix(bytes, 6));
    LoadBytes(bytes, [](CArchive& ar) {
        WORD w;
        DWORD dw;
        float f;
        double d;
        ar >> w >> dw >> f >> d;
        EXPECT_EQ(0x1234, w);
        EXPECT_EQ(1.5f, f);
        EXPECT_EQ(0.25, d);
        int nLast = -1;
        for (int i = 0; i < 3000; ++i)
            ar >> nLast;
        EXPECT_EQ(2999, nLast);
        BYTE extra;
        EXPECT_EQ(0u, ar.Read(&extra, 1));
    });
}

TEST(DamagedArchive, RaisesTheArchiveExceptionWithItsCause)
{
    auto readWord = [](CArchive& ar) { WORD w; ar >> w; };
    auto readCount = [](CArchive& ar) { ar.ReadCount(); };
    auto readString = [](CArchive& ar) { CString str; ar >> str; };
    auto readNarrow = [](CArchive& ar) { CStringA str; ar >> str; };
    auto readClass = [](CArchive& ar) { ar.ReadClass(); };
    auto readTwoClasses = [](CArchive& ar) { ar.ReadClass(); ar.ReadClass(); };
    auto readStoredItemClass = [](CArchive& ar) { ar.ReadClass(RUNTIME_CLASS(CVersionedItem)); };
    auto readClassAfterObject = [](CArchive& ar) { CStoredItem item; ar.MapObject(&item); ar.ReadClass(); };
    auto readDwordArray = [](CArchive& ar) { CDWordArray a; a.Serialize(ar); };
    auto readStringArray = [](CArchive& ar) { CStringArray a; a.Serialize(ar); };
    auto readMap = [](CArchive& ar) { CMap<UINT, UINT, BOOL, BOOL> m; m.Serialize(ar); };
    const Bytes storedItem = { 0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00, 'C', 'S', 't', 'o', 'r', 'e', 'd', 'I', 't', 'e', 'm' };
    const Bytes wrongSchema = { 0xFF, 0xFF, 0x04, 0x00, 0x0B, 0x00, 'C', 'S', 't', 'o', 'r', 'e', 'd', 'I', 't', 'e', 'm' };
    const Bytes olderVersioned = { 0xFF, 0xFF, 0x11, 0x00, 0x0E, 0x00, 'C', 'V', 'e', 'r', 's', 'i', 'o', 'n', 'e', 'd', 'I', 't', 'e', 'm' };

    struct Case
    {
        const char* name;
        Bytes bytes;
        void (*load)(CArchive&);
        int cause;
    } cases[] = {
        { "empty stream", {}, readWord, CArchiveException::endOfFile },
        { "half a word", { 0x01 }, readWord, CArchiveException::endOfFile },
        { "count without its 32 bits", { 0xFF, 0xFF, 0x01, 0x00 }, readCount, CArchiveException::endOfFile },
        { "string longer than the data", { 0xFF, 0xFE, 0xFF, 0x10, 'a', 0 }, readString, CArchiveException::endOfFile },
        { "huge 32-bit string length", { 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0 }, readString, CArchiveException::endOfFile },
        { "huge 64-bit string length", { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF }, readNarrow, CArchiveException::endOfFile },
        { "wide tag twice", { 0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00 }, readString, CArchiveException::genericException },
        { "truncated string length", { 0xFF, 0xFE, 0xFF, 0xFF, 0x00 }, readString, CArchiveException::endOfFile },
        { "unknown class", { 0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'C', 'N', 'o', 'x' }, readClass, CArchiveException::badClass },
        { "empty class name", { 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00 }, readClass, CArchiveException::badClass },
        { "oversized class name", { 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x10, 'C' }, readClass, CArchiveException::badClass },
        { "truncated class name", { 0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00, 'C', 'S', 't' }, readClass, CArchiveException::endOfFile },
        { "class index before any class", { 0x05, 0x80 }, readClass, CArchiveException::badIndex },
        { "class index 0", Concat({ storedItem, { 0x00, 0x80 } }), readTwoClasses, CArchiveException::badIndex },
        { "class index past the end", Concat({ storedItem, { 0x02, 0x80 } }), readTwoClasses, CArchiveException::badIndex },
        { "wide class index past the end", Concat({ storedItem, { 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80 } }), readTwoClasses, CArchiveException::badIndex },
        { "wide tag without the class bit", Concat({ storedItem, { 0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00 } }), readTwoClasses, CArchiveException::badIndex },
        { "object tag where a class belongs", { 0x01, 0x00 }, readClass, CArchiveException::badIndex },
        { "index of an object, not a class", { 0x01, 0x80 }, readClassAfterObject, CArchiveException::badIndex },
        { "class not derived from the requested one", storedItem, readStoredItemClass, CArchiveException::badClass },
        { "schema of a fixed-schema class differs", wrongSchema, readClass, CArchiveException::badSchema },
        { "older schema of a versionable class", olderVersioned, readClass, -1 },
        { "array count beyond the data", { 0xE8, 0x03, 1, 0, 0, 0, 2, 0, 0, 0 }, readDwordArray, CArchiveException::endOfFile },
        { "string array count of 4G", { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00 }, readStringArray, CArchiveException::endOfFile },
        { "map count beyond the data", { 0x00, 0x70, 1, 0, 0, 0, 1, 0, 0, 0 }, readMap, CArchiveException::endOfFile },
        { "map pair cut short", { 0x01, 0x00, 1, 0, 0, 0, 1, 0 }, readMap, CArchiveException::endOfFile },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cause, LoadCause(c.bytes, c.load)) << c.name;
}

TEST(DamagedArchive, WrongDirection)
{
    EXPECT_EQ(CArchiveException::readOnly, LoadCause({ 0x01 }, [](CArchive& ar) { ar << static_cast<BYTE>(1); }));
    int cause = -1;
    try {
        StoreBytes([](CArchive& ar) { BYTE b; ar >> b; });
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::writeOnly, cause);
}
