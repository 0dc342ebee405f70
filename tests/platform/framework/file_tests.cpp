// Files: memory and shared files, text reading, search, titles; and the memory exception.
#include <framework.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

TEST(CMemFile, GrowsReadsSeeksAndDetaches)
{
    CMemFile file(16);
    file.Write("hello world", 11);
    file.Write("!", 1);
    EXPECT_EQ(12u, file.GetLength());
    EXPECT_EQ(4u, file.Seek(-8, CFile::end));
    char sz[16] = {};
    EXPECT_EQ(8u, file.Read(sz, sizeof(sz)));
    EXPECT_STREQ("o world!", sz);
    EXPECT_EQ(0u, file.Read(sz, 1));
    EXPECT_THROW(file.Seek(-1, CFile::begin), CException*);

    file.Seek(20, CFile::begin);   // writing past the end fills the gap with zeros
    file.Write("x", 1);
    EXPECT_EQ(21u, file.GetLength());
    UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* p = file.Detach();
    EXPECT_EQ(0, memcmp(p, "hello world!\0\0\0\0\0\0\0\0x", nLength));
    EXPECT_EQ(0u, file.GetLength());
    free(p);
}

TEST(CMemFile, AttachedBufferIsContentAndDoesNotGrow)
{
    BYTE buffer[4] = { 1, 2, 3, 4 };
    CMemFile file(buffer, sizeof(buffer));
    EXPECT_EQ(4u, file.GetLength());
    BYTE b[4];
    EXPECT_EQ(4u, file.Read(b, 4));
    file.SeekToBegin();
    file.Write("\x09", 1);
    EXPECT_EQ(9, buffer[0]);
    file.SeekToEnd();
    EXPECT_THROW(file.Write("x", 1), CException*);
    EXPECT_EQ(buffer, file.Detach());   // never freed by the file

    // An attached buffer the file is told to own is freed by it.
    BYTE* pOwned = static_cast<BYTE*>(malloc(8));
    CMemFile owned;
    owned.Attach(pOwned, 8, 0);
    owned.m_bAutoDelete = TRUE;
}

TEST(CSharedFile, HandsOutAndReadsGlobalBlocks)
{
    CSharedFile file;
    file.Write("clip", 4);
    HGLOBAL hMem = file.Detach();
    ASSERT_NE(nullptr, hMem);
    ASSERT_GE(GlobalSize(hMem), 4u);
    EXPECT_EQ(0, memcmp(GlobalLock(hMem), "clip", 4));
    GlobalUnlock(hMem);

    {
        CSharedFile reader;
        reader.SetHandle(hMem, FALSE);
        char sz[5] = {};
        EXPECT_EQ(4u, reader.Read(sz, 4));
        EXPECT_STREQ("clip", sz);
        reader.SeekToEnd();
        EXPECT_THROW(reader.Write("more", 4), CException*);
    }
    EXPECT_EQ(nullptr, GlobalFree(hMem));   // still the caller's block
}

namespace {

CString TempFolder()
{
    WCHAR szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    CString strFolder;
    strFolder.Format(L"%sfwtest%lu\\", szTemp, GetCurrentProcessId());
    CreateDirectoryW(strFolder, NULL);
    return strFolder;
}

void WriteFileBytes(const CString& strPath, const char* pBytes, UINT nLength)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(pBytes, nLength);
    file.Close();
}

}  // namespace

TEST(CStdioFile, ReadsLinesWithoutTheirEnds)
{
    CString strPath = TempFolder() + L"lines.txt";
    const char text[] = "one\r\ntwo\n\ncaf\xe9\r\nlast";
    WriteFileBytes(strPath, text, sizeof(text) - 1);

    CStdioFile file(strPath, CFile::modeRead | CFile::typeText);
    std::vector<CString> lines;
    CString strLine;
    while (file.ReadString(strLine))
        lines.push_back(strLine);
    file.Close();
    ASSERT_EQ(5u, lines.size());
    EXPECT_STREQ(L"one", lines[0]);
    EXPECT_STREQ(L"two", lines[1]);
    EXPECT_STREQ(L"", lines[2]);
    EXPECT_STREQ(AfxNarrowToWide("caf\xe9", -1, CP_ACP), lines[3]);
    EXPECT_STREQ(L"last", lines[4]);
    CFile::Remove(strPath);

    CFileException error;
    CFile missing;
    EXPECT_FALSE(missing.Open(strPath, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_THROW(CFile::Remove(strPath), CFileException*);
}

TEST(CFileFind, FindsMatchingFiles)
{
    CString strFolder = TempFolder();
    for (const wchar_t* name : { L"a.msstyles", L"b.msstyles", L"c.ini" })
        WriteFileBytes(strFolder + name, "x", 1);

    CFileFind finder;
    std::vector<std::wstring> names;
    BOOL bMore = finder.FindFile(strFolder + L"*.msstyles");
    while (bMore) {
        bMore = finder.FindNextFile();
        names.push_back(finder.GetFileName().GetString());
        EXPECT_STREQ(strFolder + finder.GetFileName(), finder.GetFilePath());
        EXPECT_FALSE(finder.IsDirectory());
    }
    finder.Close();
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::wstring>{ L"a.msstyles", L"b.msstyles" }), names);
    EXPECT_FALSE(finder.FindFile(strFolder + L"*.zpstyles"));

    for (const wchar_t* name : { L"a.msstyles", L"b.msstyles", L"c.ini" })
        CFile::Remove(strFolder + name);
    RemoveDirectoryW(strFolder);
}

TEST(FileTitle, IsTheLastPathComponent)
{
    struct Case
    {
        const wchar_t* path;
        const wchar_t* title;
    } cases[] = {
        { L"C:\\Data\\Info.plist", L"Info.plist" },
        { L"D:/x/y/\u00e9t\u00e9.plist", L"\u00e9t\u00e9.plist" },
        { L"C:name", L"name" },
        { L"plain", L"plain" },
    };
    for (const Case& c : cases) {
        WCHAR szTitle[MAX_PATH];
        EXPECT_EQ(0u, AfxGetFileTitle(c.path, szTitle, MAX_PATH));
        EXPECT_STREQ(c.title, szTitle);
    }
    WCHAR szSmall[4];
    EXPECT_EQ(11u, AfxGetFileTitle(L"C:\\Info.plist", szSmall, 4));
}

void* volatile g_pSink;

TEST(Exceptions, FailedNewThrowsTheMemoryException)
{
    volatile size_t nHuge = static_cast<size_t>(-1) / 2;
    bool bCaught = false;
    try {
        g_pSink = ::operator new(nHuge);   // kept, so the allocation cannot be left out
    } catch (CMemoryException* e) {
        bCaught = true;
        WCHAR szMessage[64];
        EXPECT_TRUE(e->GetErrorMessage(szMessage, 64));
        EXPECT_STREQ(L"Out of memory.", szMessage);
        e->Delete();   // static: Delete leaves it alone
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
    }
    EXPECT_TRUE(bCaught);
}

TEST(Exceptions, MessagesNameTheCauseAndTheFile)
{
    CArchiveException archive(CArchiveException::badSchema, L"layout.bin");
    WCHAR sz[128];
    EXPECT_TRUE(archive.GetErrorMessage(sz, 128));
    EXPECT_STREQ(L"layout.bin contains an incorrect schema.", sz);
    EXPECT_FALSE(archive.GetErrorMessage(NULL, 0));
    CFileException file(CFileException::OsErrorToException(ERROR_ACCESS_DENIED), ERROR_ACCESS_DENIED, L"x.plist");
    EXPECT_EQ(CFileException::accessDenied, file.m_cause);
    COleException ole(E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, COleException::Process(&ole));
    EXPECT_EQ(E_UNEXPECTED, COleException::Process(&archive));
}
