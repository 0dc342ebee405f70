// The property-list document over the project's CoreFoundation.dll: opening with every failure in
// its own words, and saving back in the format the file was read in.
#include "app_test_support.h"

#include <Scintilla.h>

namespace {

const char kXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n"
    "<dict>\n\t<key>a</key>\n\t<array>\n\t\t<true/>\n\t\t<real>0.5</real>\n\t\t<data>\n\t\tAAE=\n\t\t</data>\n\t</array>\n"
    "\t<key>\xC3\xA9</key>\n\t<integer>-7</integer>\n</dict>\n"
    "</plist>\n";

const wchar_t kCannotRead[] = L"Error creating dictionary from given plist file.";
const wchar_t kNotValid[] = L"Not a valid plist file.";

std::string Nested(int nLevels)
{
    std::string s = "<plist>";
    for (int i = 0; i < nLevels; ++i)
        s += "<array>";
    for (int i = 0; i < nLevels; ++i)
        s += "</array>";
    return s + "</plist>";
}

class DocTest : public DocHostTest
{
protected:
    // Writes a binary property list of kXml with the library itself.
    std::wstring WriteBinaryFixture(const wchar_t* name)
    {
        const std::wstring path = TestFolder() + name;
        cfapi::CFunctions& cf = g_coreFoundation;
        cfapi::CFTypeRef data = cf.DataCreate(NULL, reinterpret_cast<const unsigned char*>(kXml), sizeof kXml - 1);
        cfapi::CFTypeRef list = cf.PropertyListCreateFromXMLData(NULL, data, 0, NULL);
        cfapi::CFTypeRef string = cf.StringCreateWithCString(NULL, Utf8Of(path).c_str(), cfapi::kUTF8);
        cfapi::CFTypeRef url = cf.URLCreateWithFileSystemPath(NULL, string, 2, 0);
        void* stream = cf.WriteStreamCreateWithFile(NULL, url);
        EXPECT_TRUE(cf.WriteStreamOpen(stream));
        EXPECT_GT(cf.PropertyListWriteToStream(list, stream, 200, NULL), 0);
        cf.WriteStreamClose(stream);
        for (cfapi::CFTypeRef ref : {data, list, string, url, static_cast<cfapi::CFTypeRef>(stream)})
            cf.Release(ref);
        return path;
    }
};

TEST_F(DocTest, EachDamagedOrOddFileGetsItsMessageOrOpens)
{
    struct Case {
        const char* name;
        std::string bytes;
        const wchar_t* message;   // NULL: opens
        cfapi::CFIndex format;    // when it opens: 1 OpenStep, 100 XML
    } cases[] = {
        {"empty", "", L"stream had too few bytes", 0},
        {"one byte", "<", L"stream had too few bytes", 0},
        {"five bytes", "<plis", L"stream had too few bytes", 0},
        {"image", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), L"Conversion of string failed. The string is empty.", 0},
        {"JSON", "{\"a\": [1, 2]}", L"Unexpected character { at line 1", 0},
        {"Latin-1 without declaration", "<plist><string>caf\xE9</string></plist>", L"Conversion of string failed. The string is empty.", 0},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-none\"?><true/>", L"Encountered unknown encoding (x-none)", 0},
        {"UTF-16", std::string("\xFF\xFE<\0t\0r\0u\0e\0/\0>\0", 16), NULL, 100},
        {"600 levels", Nested(600), L"Too many nested arrays or dictionaries at line 1", 0},
        {"whitespace only", " \t\r\n  ", NULL, 1},
        {"bare word", "plainword", NULL, 1},
        {"XML", kXml, NULL, 100},
    };
    for (const Case& c : cases) {
        Boxes().clear();
        const std::wstring path = TestFolder() + L"odd.plist";
        WriteFileBytes(path, c.bytes);
        const char* pszBefore = m_host->Doc().GetXmlText();
        const BOOL bOpened = m_host->Open(path);
        if (c.message == NULL) {
            EXPECT_TRUE(bOpened) << c.name << ": " << Utf8Of(LastBox());
            EXPECT_TRUE(Boxes().empty()) << c.name;
            ASSERT_NE(m_host->Doc().GetXmlText(), nullptr) << c.name;
            EXPECT_EQ(m_host->EditorText(), std::string(m_host->Doc().GetXmlText(), m_host->Doc().GetXmlLength()));
            EXPECT_EQ(m_host->Doc().GetFormat(), c.format) << c.name;
        } else {
            EXPECT_FALSE(bOpened) << c.name;
            EXPECT_EQ(Boxes(), std::vector<std::wstring>{c.message}) << c.name << ": " << Utf8Of(LastBox());
            // A failed open leaves the document it was opened over as it was.
            EXPECT_EQ(m_host->Doc().GetXmlText(), pszBefore) << c.name;
        }
    }
}

TEST_F(DocTest, FilesThatCannotBeReadGiveTheReadMessage)
{
    const std::wstring locked = TestFolder() + L"locked.plist";
    WriteFileBytes(locked, kXml);
    HANDLE hLock = CreateFileW(locked.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    // Longer than the 4095 bytes of a UTF-8 path: refused, never cut to another file's name.
    const std::wstring tooLong = TestFolder() + std::wstring(3000, L'\x00E9') + L".plist";
    for (const std::wstring& path : {TestFolder() + L"missing.plist", TestFolder(), locked, tooLong}) {
        Boxes().clear();
        EXPECT_FALSE(m_host->Open(path)) << Utf8Of(path.substr(0, 80));
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{kCannotRead}) << Utf8Of(path.substr(0, 80));
    }
    CloseHandle(hLock);
}

TEST_F(DocTest, NamesInAnyScriptOpen)
{
    const std::wstring path = TestFolder() + L"\x65E5\x672C\x8A9E-\xD83D\xDE00.plist";
    WriteFileBytes(path, kXml);
    EXPECT_TRUE(m_host->Open(path)) << Utf8Of(LastBox());
    EXPECT_EQ(m_host->Doc().GetFormat(), 100);
}

TEST_F(DocTest, XmlAndBinaryFilesRoundTripInTheirFormats)
{
    const std::wstring xml = TestFolder() + L"round.plist";
    WriteFileBytes(xml, kXml);
    ASSERT_TRUE(m_host->Open(xml)) << Utf8Of(LastBox());
    EXPECT_EQ(m_host->Doc().GetFormat(), 100);
    // The text kept is exactly the library's XML, which the editor holds byte for byte.
    const std::string xmlText(m_host->Doc().GetXmlText(), m_host->Doc().GetXmlLength());
    EXPECT_EQ(m_host->EditorText(), xmlText);
    const std::wstring xmlSaved = TestFolder() + L"round-saved.plist";
    ASSERT_TRUE(m_host->Save(xmlSaved)) << Utf8Of(LastBox());
    EXPECT_EQ(ReadFileBytes(xmlSaved), xmlText);

    const std::wstring binary = WriteBinaryFixture(L"round.bplist");
    const std::string binaryBytes = ReadFileBytes(binary);
    ASSERT_EQ(binaryBytes.compare(0, 8, "bplist00"), 0);
    ASSERT_TRUE(m_host->Open(binary)) << Utf8Of(LastBox());
    EXPECT_EQ(m_host->Doc().GetFormat(), 200);
    EXPECT_EQ(m_host->EditorText(), xmlText);
    const std::wstring binarySaved = TestFolder() + L"round-saved.bplist";
    ASSERT_TRUE(m_host->Save(binarySaved)) << Utf8Of(LastBox());
    // Re-saving a file the library wrote changes no byte.
    EXPECT_EQ(ReadFileBytes(binarySaved), binaryBytes);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DocTest, AFailedOpenKeepsTheOpenTextAliveForTheEditorAndTheSave)
{
    const std::wstring path = TestFolder() + L"alive.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(m_host->Open(path)) << Utf8Of(LastBox());
    const char* pText = m_host->Doc().GetXmlText();
    const std::string opened(pText, m_host->Doc().GetXmlLength());
    ASSERT_EQ(m_host->EditorText(), opened);
    // Failures at each step of the open: the file, the reading, the list.
    const std::wstring damaged = TestFolder() + L"damaged.plist";
    WriteFileBytes(damaged, "<plist><dict><key>a</key></plist>");
    const std::wstring notAList = TestFolder() + L"notalist.plist";
    WriteFileBytes(notAList, "{\"a\": 1}");
    for (const std::wstring& bad : { TestFolder() + L"missing.plist", damaged, notAList }) {
        Boxes().clear();
        EXPECT_FALSE(m_host->Doc().OnOpenDocument(bad.c_str())) << Utf8Of(bad);
        EXPECT_EQ(Boxes().size(), 1u) << Utf8Of(bad);
        // Work for the heap between the failure and the reading of the kept bytes.
        const std::string churn(m_host->Doc().GetXmlLength() * 4, 'x');
        ASSERT_EQ(m_host->Doc().GetXmlText(), pText) << Utf8Of(bad);
        EXPECT_EQ(std::string(m_host->Doc().GetXmlText(), m_host->Doc().GetXmlLength()), opened) << Utf8Of(bad);
    }
    // The editor still holds the text as opened, and saving it writes exactly that text.
    EXPECT_EQ(m_host->EditorText(), opened);
    const std::wstring saved = TestFolder() + L"alive-saved.plist";
    ASSERT_TRUE(m_host->Save(saved)) << Utf8Of(LastBox());
    EXPECT_EQ(ReadFileBytes(saved), opened);
    // A new document lets the text go.
    ASSERT_TRUE(m_host->New());
    EXPECT_EQ(m_host->Doc().GetXmlText(), nullptr);
    EXPECT_EQ(m_host->Doc().GetXmlLength(), 0u);
}

TEST_F(DocTest, ANulTheLibraryWritesRawSurvivesTheEditorAndTheSave)
{
    const std::wstring path = TestFolder() + L"zero-char.plist";
    WriteFileBytes(path, "<plist><array><string>a&#0;b</string><string>c\r\nd</string></array></plist>");
    ASSERT_TRUE(m_host->Open(path)) << Utf8Of(LastBox());
    const std::string text(m_host->Doc().GetXmlText(), m_host->Doc().GetXmlLength());
    ASSERT_NE(text.find(std::string("a\0b", 3)), std::string::npos);
    EXPECT_EQ(m_host->EditorText(), text);
    ASSERT_TRUE(m_host->Save(path)) << Utf8Of(LastBox());
    EXPECT_EQ(ReadFileBytes(path), text);
}

TEST_F(DocTest, AFailedOpenOfADamagedBinaryFileKeepsTheFormatOfTheOpenDocument)
{
    const std::wstring xml = TestFolder() + L"keep.plist";
    WriteFileBytes(xml, kXml);
    ASSERT_TRUE(m_host->Open(xml));
    const std::string good = ReadFileBytes(WriteBinaryFixture(L"good.bplist"));
    // The trailer ends the file: ... top object (8 bytes), offset-table offset (8 bytes).
    struct Case {
        const char* name;
        size_t nCut;          // bytes cut from the end
        size_t nAt;           // then, from the end, this many bytes before the end...
        const char* pBytes;   // ...are overwritten with 8 bytes
    } cases[] = {
        {"trailer cut", 10, 0, NULL},
        {"top object out of range", 0, 16, "\x00\x00\x00\x00\x00\x00\x7F\xFF"},
        {"offset table past the end", 0, 8, "\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF"},
        {"offset table inside the header", 0, 8, "\x00\x00\x00\x00\x00\x00\x00\x02"},
    };
    for (const Case& c : cases) {
        std::string bytes = good.substr(0, good.size() - c.nCut);
        if (c.pBytes != NULL)
            bytes.replace(bytes.size() - c.nAt, 8, c.pBytes, 8);
        const std::wstring damaged = TestFolder() + L"damaged.bplist";
        WriteFileBytes(damaged, bytes);
        Boxes().clear();
        // The library learns "binary" before it fails.
        EXPECT_FALSE(m_host->Doc().OnOpenDocument(damaged.c_str())) << c.name;
        ASSERT_EQ(Boxes().size(), 1u) << c.name;
        EXPECT_FALSE(Boxes()[0].empty()) << c.name;
        EXPECT_EQ(m_host->Doc().GetFormat(), 100) << c.name << ": " << Utf8Of(Boxes()[0]);
    }
    // The framework keeps the earlier document in its frame; saving it writes XML still.
    ASSERT_TRUE(m_host->Save(xml)) << Utf8Of(LastBox());
    EXPECT_EQ(ReadFileBytes(xml).compare(0, 5, "<?xml"), 0);
}

TEST_F(DocTest, TextTheLibraryRejectsIsReportedAndNoFileIsWritten)
{
    const std::wstring path = TestFolder() + L"reject.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(m_host->Open(path));
    struct Case {
        std::string text;
        const wchar_t* message;   // NULL: the library's own text
    } cases[] = {
        {"<plist><dict><key>a</key></plist>", NULL},
        {"", NULL},
        // An error text longer than the 2048-byte buffer.
        {"<" + std::string(3000, 'x') + "/>", kNotValid},
    };
    for (const Case& c : cases) {
        Boxes().clear();
        m_host->Editor().Call(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text.c_str()));
        EXPECT_FALSE(m_host->Save(path)) << c.text.substr(0, 40);
        ASSERT_EQ(Boxes().size(), 1u) << c.text.substr(0, 40);
        if (c.message != NULL)
            EXPECT_EQ(Boxes()[0], c.message);
        else
            EXPECT_TRUE(Boxes()[0] != kNotValid && !Boxes()[0].empty()) << Utf8Of(Boxes()[0]);
        EXPECT_EQ(ReadFileBytes(path), kXml);
    }
}

TEST_F(DocTest, SavingWhereNoFileCanBeMadeSaysSo)
{
    const std::wstring path = TestFolder() + L"target.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(m_host->Open(path));
    EXPECT_FALSE(m_host->Save(TestFolder() + L"no such folder\\x.plist"));
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Can't open file for write."});
    // A file deleted after it was opened is written anew.
    Boxes().clear();
    DeleteFileW(path.c_str());
    EXPECT_TRUE(m_host->Save(path));
    EXPECT_EQ(ReadFileBytes(path), std::string(m_host->Doc().GetXmlText(), m_host->Doc().GetXmlLength()));
}

// The framework's temporary files ("tlv*.tmp") left in the test folder.
int TemporaryFiles()
{
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((TestFolder() + L"tlv*.tmp").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int nFiles = 0;
    do
        ++nFiles;
    while (FindNextFileW(hFind, &data));
    FindClose(hFind);
    return nFiles;
}

TEST_F(DocTest, AFailedSaveKeepsTheOldFileByteForByteAndLeavesNoTemporaryFile)
{
    const std::string openStep = "{ a = (1, \"caf\xC3\xA9\"); }";
    const std::string latin1Declared =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<plist version=\"1.0\"><string>caf\xC3\xA9</string></plist>\n";
    const std::string asciiDeclared =
        "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\n<plist version=\"1.0\"><string>caf\xC3\xA9</string></plist>\n";
    const std::string keyTwice = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                                 "\t<key>Count</key>\n\t<integer>1</integer>\n"
                                 "\t<key>Count</key>\n\t<integer>2</integer>\n</dict>\n</plist>\n";
    struct Case {
        const char* name;
        std::string original;   // the file on disk, opened first
        const char* edit;       // the editor's text to save; NULL adds a line break to the text as opened
        enum { kNone, kReadOnly, kLocked } hold;
        const wchar_t* message;   // NULL: any message, but one
    } cases[] = {
        {"text the library rejects", kXml, "<plist><dict><key>a</key></plist>", Case::kNone, NULL},
        {"OpenStep document", openStep, NULL, Case::kNone, L"Can't write to file."},
        {"declaration of another encoding", kXml, latin1Declared.c_str(), Case::kNone, NULL},
        {"ASCII declared over text that is not", kXml, asciiDeclared.c_str(), Case::kNone, NULL},
        {"a key twice in one dictionary", kXml, keyTwice.c_str(), Case::kNone,
         L"Duplicate key \"Count\" inside <dict> at line 6"},
        {"read-only target", kXml, NULL, Case::kReadOnly, NULL},
        {"target locked by another program", kXml, NULL, Case::kLocked, NULL},
    };
    for (const Case& c : cases) {
        const std::wstring path = TestFolder() + L"kept.plist";
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteFileBytes(path, c.original);
        ASSERT_TRUE(m_host->Open(path)) << c.name << ": " << Utf8Of(LastBox());
        if (c.edit != NULL) {
            m_host->Editor().Call(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(c.edit));
        } else {
            m_host->Editor().Call(SCI_DOCUMENTEND);
            m_host->Editor().Call(SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>("\n"));
        }
        ASSERT_TRUE(m_host->Doc().IsModified()) << c.name;
        HANDLE hLock = INVALID_HANDLE_VALUE;
        if (c.hold == Case::kReadOnly)
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        if (c.hold == Case::kLocked)
            hLock = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        Boxes().clear();
        EXPECT_FALSE(m_host->Doc().DoSave(path.c_str())) << c.name;
        if (hLock != INVALID_HANDLE_VALUE)
            CloseHandle(hLock);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Boxes().size(), 1u) << c.name;
        if (c.message != NULL && !Boxes().empty()) {
            EXPECT_EQ(Boxes()[0], c.message) << c.name;
        }
        EXPECT_EQ(ReadFileBytes(path), c.original) << c.name;
        EXPECT_EQ(TemporaryFiles(), 0) << c.name;
        // Nothing was saved, and nothing says so: the edits are still the user's to keep.
        EXPECT_TRUE(m_host->Doc().IsModified()) << c.name;
        EXPECT_NE(m_host->Editor().Call(SCI_GETMODIFY), 0) << c.name;
        Boxes().clear();
        EXPECT_TRUE(m_host->Doc().SaveModified()) << c.name;
        EXPECT_EQ(Boxes().size(), 1u) << c.name << ": closing does not ask to save";
    }
}

TEST_F(DocTest, ASuccessfulSaveMarksTheDocumentAndTheEditorUnmodified)
{
    const std::wstring path = TestFolder() + L"saved.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(m_host->Open(path));
    m_host->Editor().Call(SCI_DOCUMENTEND);
    m_host->Editor().Call(SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>("\n"));
    ASSERT_TRUE(m_host->Doc().IsModified());
    ASSERT_TRUE(m_host->Doc().DoSave(path.c_str())) << Utf8Of(LastBox());
    EXPECT_FALSE(m_host->Doc().IsModified());
    EXPECT_EQ(m_host->Editor().Call(SCI_GETMODIFY), 0);
    EXPECT_EQ(ReadFileBytes(path), kXml);
    EXPECT_EQ(TemporaryFiles(), 0);
    // Every name the library reads as UTF-8, in any case, is the editor's own encoding; a name of
    // ASCII is too while the text is ASCII.
    struct Declared {
        const char* encoding;
        const char* value;
    } declared[] = {
        {"utf-8", "caf\xC3\xA9"}, {"UTF8", "caf\xC3\xA9"}, {"utf8", "na\xC3\xAFve"},
        {"us-ascii", "plain"},  {"ASCII", "plain"},
    };
    for (const Declared& d : declared) {
        const std::string text = std::string("<?xml version=\"1.0\" encoding='") + d.encoding +
                                 "'?><plist><string>" + d.value + "</string></plist>";
        m_host->Editor().Call(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Boxes().clear();
        ASSERT_TRUE(m_host->Doc().DoSave(path.c_str())) << d.encoding << ": " << Utf8Of(LastBox());
        EXPECT_NE(ReadFileBytes(path).find(std::string("<string>") + d.value + "</string>"), std::string::npos)
            << d.encoding;
    }
}

TEST_F(DocTest, AFileThatAlreadyHoldsAKeyTwiceOpensWithTheLastValueAndSaves)
{
    const std::wstring path = TestFolder() + L"twice.plist";
    WriteFileBytes(path, "<plist><dict><key>Count</key><integer>1</integer>"
                         "<key>Count</key><integer>2</integer></dict></plist>");
    ASSERT_TRUE(m_host->Open(path)) << Utf8Of(LastBox());
    const std::string text = m_host->EditorText();
    EXPECT_NE(text.find("<integer>2</integer>"), std::string::npos) << text;
    EXPECT_EQ(text.find("<integer>1</integer>"), std::string::npos) << text;
    m_host->Editor().Call(SCI_DOCUMENTEND);
    m_host->Editor().Call(SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>("\n"));
    ASSERT_TRUE(m_host->Doc().DoSave(path.c_str())) << Utf8Of(LastBox());
    EXPECT_EQ(ReadFileBytes(path), text);
}

TEST_F(DocTest, SaveAndSearchCommandsNeedAPath)
{
    ASSERT_TRUE(m_host->New());
    EXPECT_EQ(m_host->Doc().GetTitle(), CString(L"Kestrune"));
    EXPECT_TRUE(m_host->View().IsStartPageShown());
    struct CRecorder : CCmdUI {
        BOOL m_bOn = TRUE;
        void Enable(BOOL bOn) override { m_bOn = bOn; m_bEnableChanged = TRUE; }
    };
    auto enabled = [&](UINT nID) {
        CRecorder cmdui;
        cmdui.m_nID = nID;
        cmdui.DoUpdate(&m_host->Doc(), FALSE);
        return cmdui.m_bOn;
    };
    for (UINT nID : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_FIND, ID_EDIT_REPLACE, ID_EDIT_REPEAT})
        EXPECT_FALSE(enabled(nID)) << nID;
    const std::wstring path = TestFolder() + L"path.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(m_host->Open(path));
    for (UINT nID : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EDIT_FIND, ID_EDIT_REPLACE, ID_EDIT_REPEAT})
        EXPECT_TRUE(enabled(nID)) << nID;
}

TEST_F(DocTest, FindNextRepeatsTheLastSearch)
{
    const std::wstring path = TestFolder() + L"find.plist";
    WriteFileBytes(path, kXml);
    ASSERT_TRUE(m_host->Open(path));
    m_host->Doc().FindText(L"KEY", SCFIND_MATCHCASE, 1);
    EXPECT_EQ(m_host->Editor().GetSelectionStart(), m_host->Editor().GetSelectionEnd());
    m_host->Doc().FindText(L"key", 0, 1);
    const Sci_Position first = m_host->Editor().GetSelectionStart();
    EXPECT_GT(m_host->Editor().GetSelectionEnd(), first);
    m_host->Doc().OnFindNext();
    EXPECT_GT(m_host->Editor().GetSelectionStart(), first);
    m_host->Doc().ReplaceAllText(L"key", L"KEY", SCFIND_MATCHCASE);
    EXPECT_EQ(m_host->EditorText().find("<key>"), std::string::npos);
    EXPECT_NE(m_host->EditorText().find("<KEY>"), std::string::npos);
}

}  // namespace
