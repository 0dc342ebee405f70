// CoreFoundation.dll through its 18 exports, called by name the way the document calls them.
#include "dll/CoreFoundationApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef cfapi::CFTypeRef Ref;
typedef cfapi::CFIndex CFIndex;
using cfapi::kUTF8;


const char kXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n"
    "<dict>\n\t<key>a</key>\n\t<array>\n\t\t<true/>\n\t\t<real>0.5</real>\n\t\t<data>\n\t\tAAE=\n\t\t</data>\n\t</array>\n"
    "\t<key>\xC3\xA9</key>\n\t<integer>-7</integer>\n</dict>\n"
    "</plist>\n";

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

std::string Utf8(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string out;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    char buf[4096];
    DWORD got;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    CloseHandle(h);
    return out;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
}

size_t FilesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
    size_t n = 0;
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

class DllTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = LoadLibraryW((ExeFolder() + L"CoreFoundation.dll").c_str());
        s_complete = cfapi::LoadFunctions(s_module, s_cf);
    }

    void SetUp() override {
        ASSERT_NE(s_module, nullptr);
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        std::wstring folder = std::wstring(temp) + L"cf_dll_tests_" + std::to_wstring(GetCurrentProcessId()) +
                              L"_" + std::to_wstring(s_counter++) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << Utf8(folder) << ": " << GetLastError();
        m_folder = folder;
    }

    // Empties only a folder this test made: after a failed set-up there is none.
    void TearDown() override {
        if (m_folder.empty()) return;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((m_folder + L"*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring p = m_folder + fd.cFileName;
                SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(p.c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        SetFileAttributesW(m_folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryW(m_folder.c_str());
    }

    std::string Message(Ref error) {
        char buf[2048] = {};
        if (!error) return "<none>";
        EXPECT_TRUE(s_cf.StringGetCString(error, buf, sizeof buf, kUTF8));
        s_cf.Release(error);
        return buf;
    }

    Ref Url(const std::wstring& path) {
        Ref s = s_cf.StringCreateWithCString(nullptr, Utf8(path).c_str(), kUTF8);
        Ref u = s_cf.URLCreateWithFileSystemPath(nullptr, s, 2, 0);
        s_cf.Release(s);
        return u;
    }

    // The document's open: list, format and error text, then its XML.
    struct Opened { bool opened = false; CFIndex format = -1; std::string error; std::string xml; bool valid = false; };
    Opened Open(const std::wstring& path) {
        Opened o;
        Ref url = Url(path);
        void* stream = s_cf.ReadStreamCreateWithFile(nullptr, url);
        o.opened = s_cf.ReadStreamOpen(stream) != 0;
        if (o.opened) {
            Ref error = nullptr;
            Ref list = s_cf.PropertyListCreateFromStream(nullptr, stream, 0, 2, &o.format, &error);
            s_cf.ReadStreamClose(stream);
            if (error) o.error = Message(error);
            if (list) {
                o.valid = s_cf.PropertyListIsValid(list, o.format) != 0;
                Ref data = s_cf.PropertyListCreateXMLData(nullptr, list);
                if (data) o.xml.assign(reinterpret_cast<const char*>(s_cf.DataGetBytePtr(data)), s_cf.DataGetLength(data));
                s_cf.Release(data);
                s_cf.Release(list);
            }
        }
        s_cf.Release(stream);
        s_cf.Release(url);
        return o;
    }

    // The document's save: parse the text, open the target, write in the format. Result: the count, or
    // -1 when the text is refused (error set), -2 when the target cannot be opened.
    CFIndex Save(const std::string& text, const std::wstring& path, CFIndex format, std::string* error = nullptr) {
        Ref data = s_cf.DataCreate(nullptr, reinterpret_cast<const unsigned char*>(text.data()), static_cast<CFIndex>(text.size()));
        Ref err = nullptr;
        Ref list = s_cf.PropertyListCreateFromXMLData(nullptr, data, 0, &err);
        s_cf.Release(data);
        if (err) {
            if (error) *error = Message(err);
            else s_cf.Release(err);
            return -1;
        }
        Ref url = Url(path);
        void* stream = s_cf.WriteStreamCreateWithFile(nullptr, url);
        CFIndex result = -2;
        if (s_cf.WriteStreamOpen(stream)) {
            result = s_cf.PropertyListWriteToStream(list, stream, format, nullptr);
            s_cf.WriteStreamClose(stream);
        }
        s_cf.Release(stream);
        s_cf.Release(url);
        s_cf.Release(list);
        return result;
    }

    static HMODULE s_module;
    static cfapi::CFunctions s_cf;
    static bool s_complete;
    static int s_counter;
    std::wstring m_folder;
};

HMODULE DllTest::s_module = nullptr;
cfapi::CFunctions DllTest::s_cf = {};
bool DllTest::s_complete = false;
int DllTest::s_counter = 0;

}  // namespace

TEST_F(DllTest, ExportsAllEntryPoints) {
    for (const char* name : cfapi::kExportNames) EXPECT_NE(GetProcAddress(s_module, name), nullptr) << name;
    EXPECT_TRUE(s_complete);
}

TEST_F(DllTest, OpensXmlAndBinaryAndSavesInTheirFormats) {
    const std::wstring xmlPath = m_folder + L"list.plist", binPath = m_folder + L"bin \xE9.plist";
    WriteFileBytes(xmlPath, kXml);
    Opened x = Open(xmlPath);
    EXPECT_TRUE(x.opened);
    EXPECT_EQ(x.format, 100);
    EXPECT_TRUE(x.valid);
    EXPECT_EQ(x.xml, kXml);

    // Binary: write it from the text, then open it as the document does.
    const CFIndex written = Save(kXml, binPath, 200);
    const std::string bin = ReadFileBytes(binPath);
    EXPECT_EQ(written, static_cast<CFIndex>(bin.size()));
    EXPECT_EQ(bin.substr(0, 8), "bplist00");
    Opened b = Open(binPath);
    EXPECT_EQ(b.format, 200);
    EXPECT_EQ(b.xml, kXml);

    // Edited text saved back as XML over the old file.
    std::string edited = kXml;
    edited.replace(edited.find("-7"), 2, "42");
    EXPECT_EQ(Save(edited, xmlPath, 100), static_cast<CFIndex>(edited.size()));
    EXPECT_EQ(ReadFileBytes(xmlPath), edited);
    EXPECT_EQ(FilesIn(m_folder), 2u);
}

// Large enough that a binary save goes to the file in several pieces. A file that another program
// holds open for writing is read into memory rather than viewed in place, with the same result.
TEST_F(DllTest, LargeListsAndFilesHeldForWriting) {
    std::string text = "<dict>";
    for (int i = 0; i < 60000; ++i)
        text += "<key>key " + std::to_string(i) + "</key><string>value \xC3\xA9 " + std::to_string(i) + "</string>";
    text += "</dict>";
    const std::wstring xmlPath = m_folder + L"large.plist", binPath = m_folder + L"large.bin";
    WriteFileBytes(xmlPath, text);
    const Opened x = Open(xmlPath);
    ASSERT_TRUE(x.opened && x.valid);

    const CFIndex written = Save(text, binPath, 200);
    EXPECT_GT(written, 2 << 20);
    EXPECT_EQ(written, static_cast<CFIndex>(ReadFileBytes(binPath).size()));
    EXPECT_EQ(Open(binPath).xml, x.xml);

    HANDLE writer = CreateFileW(binPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open(binPath).xml, x.xml);
    CloseHandle(writer);
}

TEST_F(DllTest, FailedSavesLeaveTheOldFile) {
    const std::wstring path = m_folder + L"keep.plist";
    const std::string old = "{ a = b; }  ";
    WriteFileBytes(path, old);
    Opened o = Open(path);
    EXPECT_EQ(o.format, 1);
    EXPECT_TRUE(o.valid);

    // OpenStep cannot be written; a list with numbers is invalid for it; bad text never opens the file.
    EXPECT_EQ(Save("{ a = c; }", path, 1), 0);
    EXPECT_EQ(Save("<integer>1</integer>", path, 1), 0);
    EXPECT_EQ(Save("<integer>1</integer>", path, 7), 0);
    std::string error;
    EXPECT_EQ(Save("<dict><key>a</key></dict>", path, 100, &error), -1);
    EXPECT_EQ(error, "Value missing for key inside <dict> at line 1");
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FilesIn(m_folder), 1u);

    // A read-only target cannot be opened for writing.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Save("<true/>", path, 100), -2);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A target held open without sharing write access cannot be replaced.
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Save("<true/>", path, 100), -2);
    CloseHandle(lock);
    // A missing folder.
    EXPECT_EQ(Save("<true/>", m_folder + L"missing\\x.plist", 100), -2);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FilesIn(m_folder), 1u);
}

TEST_F(DllTest, ReadErrorsAndMessages) {
    EXPECT_FALSE(Open(m_folder + L"none.plist").opened);
    EXPECT_FALSE(Open(m_folder).opened);

    struct Case { std::string bytes; const char* error; } cases[] = {
        {"", "stream had too few bytes"},
        {"{}", "stream had too few bytes"},
        {"hello world", "Unexpected character h at line 1"},
        {"\x89PNG\r\n\x1A\n\xFF\xFF", "Conversion of string failed. The string is empty."},
        {"<?xml version=\"1.0\" encoding=\"x-none\"?><true/>", "Encountered unknown encoding (x-none)"},
    };
    for (const Case& c : cases) {
        const std::wstring path = m_folder + L"bad.plist";
        WriteFileBytes(path, c.bytes);
        Opened o = Open(path);
        EXPECT_TRUE(o.opened);
        EXPECT_EQ(o.error, c.error) << c.bytes;
        EXPECT_EQ(o.xml, "") << c.bytes;
    }

    Ref error = reinterpret_cast<Ref>(1);
    EXPECT_EQ(s_cf.PropertyListCreateFromXMLData(nullptr, nullptr, 0, &error), nullptr);
    EXPECT_EQ(Message(error), "Cannot parse a NULL or zero-length data");
    Ref empty = s_cf.DataCreate(nullptr, nullptr, 0);
    EXPECT_NE(s_cf.DataGetBytePtr(empty), nullptr);
    EXPECT_EQ(s_cf.PropertyListCreateFromXMLData(nullptr, empty, 0, &error), nullptr);
    EXPECT_EQ(Message(error), "Cannot parse a NULL or zero-length data");
    s_cf.Release(empty);

    // A stream that was never opened.
    Ref url = Url(m_folder + L"x.plist");
    void* stream = s_cf.ReadStreamCreateWithFile(nullptr, url);
    CFIndex format = 12345;
    EXPECT_EQ(s_cf.PropertyListCreateFromStream(nullptr, stream, 0, 0, &format, &error), nullptr);
    EXPECT_EQ(Message(error), "Property list reading could not be completed because the stream had an unknown error.");
    EXPECT_EQ(format, 12345);
    s_cf.Release(stream);
    void* out = s_cf.WriteStreamCreateWithFile(nullptr, url);
    Ref t = s_cf.PropertyListCreateFromXMLData(nullptr, s_cf.DataCreate(nullptr, reinterpret_cast<const unsigned char*>("<true/>"), 7), 0, nullptr);
    EXPECT_EQ(s_cf.PropertyListWriteToStream(t, out, 200, &error), 0);
    EXPECT_EQ(Message(error), "Binary property list writing could not be completed because the stream had an unknown error.");
    EXPECT_EQ(s_cf.PropertyListWriteToStream(t, out, 1, &error), 0);
    EXPECT_EQ(Message(error), "Property list invalid for format");
    EXPECT_EQ(s_cf.PropertyListWriteToStream(t, out, 5, &error), 0);
    EXPECT_EQ(Message(error), "Unknown format option");
    s_cf.Release(t);  // an immortal boolean
    s_cf.Release(t);
    s_cf.Release(out);
    s_cf.Release(url);
    s_cf.Release(nullptr);
    EXPECT_EQ(s_cf.WriteStreamCreateWithFile(nullptr, nullptr), nullptr);
    EXPECT_EQ(s_cf.URLCreateWithFileSystemPath(nullptr, nullptr, 2, 0), nullptr);
}

TEST_F(DllTest, Strings) {
    EXPECT_EQ(s_cf.StringCreateWithCString(nullptr, "\xC0\xAF", kUTF8), nullptr);
    EXPECT_EQ(s_cf.StringCreateWithCString(nullptr, nullptr, kUTF8), nullptr);
    EXPECT_EQ(s_cf.StringCreateWithCString(nullptr, "a", 0x12345), nullptr);
    Ref s = s_cf.StringCreateWithCString(nullptr, "\xEF\xBB\xBF" "a\xA9\xC3\xA9", kUTF8);
    char buf[16];
    ASSERT_TRUE(s_cf.StringGetCString(s, buf, sizeof buf, kUTF8));
    EXPECT_STREQ(buf, "a\xEF\xBF\xBD\xC3\xA9");
    EXPECT_FALSE(s_cf.StringGetCString(s, buf, 6, kUTF8));  // 6 bytes + NUL do not fit
    EXPECT_EQ(buf[0], 0);
    EXPECT_TRUE(s_cf.StringGetCString(s, buf, 7, kUTF8));
    EXPECT_FALSE(s_cf.StringGetCString(s, buf, 0, kUTF8));
    s_cf.Release(s);

    // An error text longer than the document's buffer.
    std::string text = "<" + std::string(3000, 'x') + "/>";
    Ref data = s_cf.DataCreate(nullptr, reinterpret_cast<const unsigned char*>(text.data()), static_cast<CFIndex>(text.size()));
    Ref error = nullptr;
    EXPECT_EQ(s_cf.PropertyListCreateFromXMLData(nullptr, data, 0, &error), nullptr);
    char big[2048];
    EXPECT_FALSE(s_cf.StringGetCString(error, big, sizeof big, kUTF8));
    EXPECT_EQ(big[0], 0);
    s_cf.Release(error);
    s_cf.Release(data);
}

TEST_F(DllTest, RelativePathsUseTheCurrentFolder) {
    WriteFileBytes(m_folder + L"rel.plist", kXml);
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(m_folder.c_str());
    Opened o = Open(L"rel.plist");
    SetCurrentDirectoryW(saved);
    EXPECT_EQ(o.format, 100);
    EXPECT_EQ(o.xml, kXml);
}

namespace {

struct DeepJob {
    cfapi::CFunctions* cf;
    std::wstring path;
    std::string xml;
    bool ok = false;
    std::string note;
};

DWORD WINAPI DeepThread(void* p) {
    DeepJob& job = *static_cast<DeepJob*>(p);
    cfapi::CFunctions& cf = *job.cf;
    std::string text;
    for (int i = 0; i < 512; ++i) text += i % 2 ? "<dict><key>k</key>" : "<array>";
    text += "<string>leaf</string>";
    for (int i = 511; i >= 0; --i) text += i % 2 ? "</dict>" : "</array>";
    Ref data = cf.DataCreate(nullptr, reinterpret_cast<const unsigned char*>(text.data()), static_cast<CFIndex>(text.size()));
    Ref list = cf.PropertyListCreateFromXMLData(nullptr, data, 0, nullptr);
    cf.Release(data);
    if (!list || !cf.PropertyListIsValid(list, 200)) {
        job.note = "parse";
        return 0;
    }
    Ref xml = cf.PropertyListCreateXMLData(nullptr, list);
    if (xml) job.xml.assign(reinterpret_cast<const char*>(cf.DataGetBytePtr(xml)), cf.DataGetLength(xml));
    cf.Release(xml);
    // Binary out through a stream and back in through another.
    std::string path8 = Utf8(job.path);
    Ref s = cf.StringCreateWithCString(nullptr, path8.c_str(), kUTF8);
    Ref url = cf.URLCreateWithFileSystemPath(nullptr, s, 2, 0);
    void* out = cf.WriteStreamCreateWithFile(nullptr, url);
    cf.WriteStreamOpen(out);
    CFIndex n = cf.PropertyListWriteToStream(list, out, 200, nullptr);
    cf.WriteStreamClose(out);
    cf.Release(out);
    void* in = cf.ReadStreamCreateWithFile(nullptr, url);
    cf.ReadStreamOpen(in);
    CFIndex format = 0;
    Ref back = cf.PropertyListCreateFromStream(nullptr, in, 0, 0, &format, nullptr);
    cf.ReadStreamClose(in);
    Ref backXml = back ? cf.PropertyListCreateXMLData(nullptr, back) : nullptr;
    job.ok = n > 0 && format == 200 && backXml && cf.DataGetLength(backXml) == static_cast<CFIndex>(job.xml.size());
    cf.Release(backXml);
    cf.Release(back);
    cf.Release(in);
    cf.Release(url);
    cf.Release(s);
    cf.Release(list);

    // One level more is refused with a message.
    std::string deeper = "<array>" + text + "</array>";
    data = cf.DataCreate(nullptr, reinterpret_cast<const unsigned char*>(deeper.data()), static_cast<CFIndex>(deeper.size()));
    Ref error = nullptr;
    Ref none = cf.PropertyListCreateFromXMLData(nullptr, data, 0, &error);
    char buf[256] = {};
    if (error) cf.StringGetCString(error, buf, sizeof buf, kUTF8);
    job.note = buf;
    job.ok = job.ok && !none;
    cf.Release(error);
    cf.Release(data);
    return 0;
}

}  // namespace

TEST_F(DllTest, DeepNestingOnAOneMegabyteStack) {
    DeepJob job;
    job.cf = &s_cf;
    job.path = m_folder + L"deep.plist";
    HANDLE thread = CreateThread(nullptr, 1 << 20, DeepThread, &job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(job.ok) << job.note;
    EXPECT_EQ(job.note, "Too many nested arrays or dictionaries at line 1");
    EXPECT_GT(job.xml.size(), 512u * 512u / 2);
}
