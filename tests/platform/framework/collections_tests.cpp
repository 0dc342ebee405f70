// Collections: map enumeration order, arrays, lists and their archive form.
#include "archive_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <class MAP, class KEY>
std::vector<KEY> KeysInOrder(const MAP& map)
{
    std::vector<KEY> keys;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        KEY key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

}  // namespace

TEST(CMap, EnumeratesBucketsUpwardNewestFirst)
{
    // 17 buckets, bucket = (width / 16) mod 17: 0 and 272 share bucket 0, 16 and 24 bucket 1.
    CMap<int, int, void*, void*> map;
    for (int nWidth : { 16, 32, 0, 272, 24, 48 })
        map.SetAt(nWidth, NULL);
    EXPECT_EQ((std::vector<int>{ 272, 0, 24, 16, 32, 48 }), (KeysInOrder<decltype(map), int>(map)));

    map.SetAt(16, &map);   // replacing a value keeps its place
    map.RemoveKey(272);
    EXPECT_EQ((std::vector<int>{ 0, 24, 16, 32, 48 }), (KeysInOrder<decltype(map), int>(map)));
    void* value = NULL;
    EXPECT_TRUE(map.Lookup(16, value));
    EXPECT_EQ(&map, value);
    EXPECT_FALSE(map.Lookup(17, value));   // same bucket as 16, different key
}

TEST(CMap, TableSizeChangesTheOrder)
{
    CMap<int, int, void*, void*> map;
    map.InitHashTable(127);
    for (int nWidth : { 2032, 16, 0, 4064 })   // 2032 / 16 = 127: bucket 0; 4064: bucket 0
        map.SetAt(nWidth, NULL);
    EXPECT_EQ((std::vector<int>{ 4064, 0, 2032, 16 }), (KeysInOrder<decltype(map), int>(map)));
    EXPECT_THROW(map.InitHashTable(17), CException*);   // only while empty
}

TEST(CMap, StringKeysAreExact)
{
    CMapStringToPtr map;
    int a = 0, b = 0;
    map[L"BUTTON"] = &a;
    map[L"Button"] = &b;
    void* value = NULL;
    EXPECT_TRUE(map.Lookup(L"BUTTON", value));
    EXPECT_EQ(&a, value);
    EXPECT_TRUE(map.Lookup(L"Button", value));
    EXPECT_EQ(&b, value);
    EXPECT_FALSE(map.Lookup(L"button", value));
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.RemoveKey(L"Button"));
    EXPECT_FALSE(map.RemoveKey(L"Button"));
}

TEST(CMap, ArchiveFormIsCountThenPairs)
{
    CMap<UINT, UINT, BOOL, BOOL> used;
    used[57601] = TRUE;
    used[57602] = FALSE;
    Bytes bytes = StoreBytes([&](CArchive& ar) { used.Serialize(ar); });
    // 57601 >> 4 = 3600 -> bucket 13, 57602 -> also bucket 13: newest first.
    Bytes expected = { 0x02, 0x00, 0x02, 0xE1, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                       0x01, 0xE1, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00 };
    EXPECT_EQ(expected, bytes);

    CMap<UINT, UINT, BOOL, BOOL> loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    BOOL bValue = FALSE;
    EXPECT_EQ(2, loaded.GetCount());
    EXPECT_TRUE(loaded.Lookup(57601, bValue) && bValue);
    EXPECT_TRUE(loaded.Lookup(57602, bValue) && !bValue);
}

TEST(CArray, GrowsInsertsAndRemoves)
{
    CStringArray strings;
    strings.Add(L"b");
    strings.InsertAt(0, L"a");
    strings.SetAtGrow(4, L"e");
    ASSERT_EQ(5, strings.GetSize());
    EXPECT_STREQ(L"a", strings[0]);
    EXPECT_STREQ(L"", strings[2]);
    strings.RemoveAt(1, 3);
    ASSERT_EQ(2, strings.GetSize());
    EXPECT_STREQ(L"e", strings[1]);
    strings.Add(strings[0]);   // an element of the array itself, across a reallocation
    EXPECT_STREQ(L"a", strings[2]);
    EXPECT_THROW(strings.GetAt(3), CException*);

    Bytes bytes = StoreBytes([&](CArchive& ar) { strings.Serialize(ar); });
    CStringArray loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(3, loaded.GetSize());
    EXPECT_STREQ(L"e", loaded[1]);

    CDWordArray dwords;
    for (DWORD i = 0; i < 1000; ++i)
        dwords.Add(i * 3);
    EXPECT_EQ(2997u, dwords[999]);
}

TEST(CList, KeepsOrderThroughInsertAndRemove)
{
    CList<int, int> list(2);   // small blocks: several node blocks in use
    for (int i = 1; i <= 5; ++i)
        list.AddTail(i);
    list.AddHead(0);
    POSITION pos = list.Find(3);
    ASSERT_NE(nullptr, pos);
    list.InsertAfter(pos, 33);
    list.RemoveAt(list.FindIndex(1));
    EXPECT_EQ(0, list.RemoveHead());
    EXPECT_EQ(5, list.RemoveTail());

    std::vector<int> values;
    for (pos = list.GetHeadPosition(); pos != NULL;)
        values.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<int>{ 2, 3, 33, 4 }), values);

    Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    CList<int, int> loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(4, loaded.GetCount());
    EXPECT_EQ(33, loaded.GetAt(loaded.FindIndex(2)));
}
