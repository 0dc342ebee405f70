// Finding and checking CoreFoundation.dll: the folder, the current directory, the entry points.
#include "app_test_support.h"

#include "document/CoreFoundationLibrary.h"

namespace {

std::wstring CurrentDirectory()
{
    wchar_t dir[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, dir);
    return dir;
}

TEST(CoreFoundationLibrary, LoadsFromItsFolderAndRestoresTheCurrentDirectory)
{
    struct Case {
        std::wstring folder;
        const wchar_t* problem;   // NULL: loaded with every entry point
    } cases[] = {
        {BuiltLibraryFolder(), NULL},
        {TestFolder() + L"no such folder", L"DLL not installed."},
        {TestFolder(), L"DLL not installed."},   // a folder without the library
        {ExeFolder() + L"stub-4", L"DLL error!"},
        {ExeFolder() + L"stub-9", L"DLL error!"},
        {ExeFolder() + L"stub-14", L"DLL error!"},
        {ExeFolder() + L"stub-17", L"DLL error!"},
    };
    const std::wstring before = CurrentDirectory();
    for (const Case& c : cases) {
        BOOL bNoFolder = TRUE;
        HMODULE hModule = LoadCoreFoundation(c.folder.c_str(), &bNoFolder);
        EXPECT_FALSE(bNoFolder);
        EXPECT_EQ(CurrentDirectory(), before) << Utf8Of(c.folder);
        LPCWSTR problem = CheckCoreFoundation(hModule);
        if (c.problem == NULL)
            EXPECT_EQ(problem, nullptr) << Utf8Of(c.folder);
        else
            EXPECT_STREQ(problem, c.problem) << Utf8Of(c.folder);
        FreeCoreFoundation(hModule);
        EXPECT_EQ(g_coreFoundation.Release, nullptr);
    }
}

TEST(CoreFoundationLibrary, TheDefaultFolderIsTheMobileDeviceSupportFolder)
{
    // scripts/test installs the project's library there.
    BOOL bNoFolder = TRUE;
    HMODULE hModule = LoadCoreFoundation(NULL, &bNoFolder);
    EXPECT_FALSE(bNoFolder);
    ASSERT_NE(hModule, nullptr);
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(hModule, path, MAX_PATH);
    EXPECT_NE(std::wstring(path).find(L"\\Common Files\\Apple\\Mobile Device Support\\bin\\CoreFoundation.dll"),
              std::wstring::npos)
        << Utf8Of(path);
    EXPECT_EQ(CheckCoreFoundation(hModule), nullptr);
    FreeCoreFoundation(hModule);
}

TEST(CoreFoundationLibrary, WithoutTheLibraryEveryNewAndOpenFailsWithTheSameMessage)
{
    const std::wstring missing = TestFolder() + L"no such folder";
    CTolvaneDoc::SetLibraryFolder(missing.c_str());
    RecordingThread().m_boxes.clear();
    {
        CTolvaneDoc doc;
        EXPECT_FALSE(doc.OnNewDocument());
        WriteFileBytes(TestFolder() + L"ok.plist", "<plist><true/></plist>");
        EXPECT_FALSE(doc.OnOpenDocument((TestFolder() + L"ok.plist").c_str()));
    }
    CTolvaneDoc::SetLibraryFolder(NULL);
    EXPECT_EQ(RecordingThread().m_boxes, (std::vector<std::wstring>{L"DLL not installed.", L"DLL not installed."}));
}

}  // namespace
