// The language file: the shipped sample translates strings, a menu and a dialog built through the
// resource manager; damaged or odd files leave the program's own resources in place.
#include "common/ZPResourceManagerXML.h"
#include "TempFile.h"
#include "language_tests_ids.h"

#include <framework/dialog.h>
#include <framework/menu.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The sample is copied beside the test program, where the application looks for its file.
CString SampleLanguageFile()
{
    WCHAR szPath[MAX_PATH];
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    *wcsrchr(szPath, L'\\') = 0;
    return CString(szPath) + L"\\Tolvane.lng";
}

class LanguageFile : public ::testing::Test
{
protected:
    void TearDown() override { CZPResourceManager::SetResourceManager(new CZPResourceManager); }

    // Installs the file's manager as the application does; TRUE when it was taken.
    static BOOL Install(LPCWSTR pszFile) { return CZPResourceManager::SetResourceManager(new CZPResourceManagerXML(pszFile)); }

    static CString MenuText(CMenu* pMenu, UINT nItem, UINT nFlags = MF_BYPOSITION)
    {
        CString str;
        ZpResourceManagerInstance()->GetMenuItemText(pMenu, nItem, str, nFlags);
        return str;
    }

    // Caption of dialog 130 built from the installed manager's template; "<none>" without one.
    static CString DialogCaption(UINT nID, int* pnControls = NULL)
    {
        LPCDLGTEMPLATE pTemplate = ZpResourceManagerInstance()->LoadDialogTemplate(nID);
        CDialog dlg;
        if (pTemplate == NULL || !dlg.CreateIndirect(pTemplate))
            return L"<none>";
        CString strCaption;
        dlg.GetWindowText(strCaption);
        int nControls = 0;
        for (HWND hChild = GetWindow(dlg.GetSafeHwnd(), GW_CHILD); hChild != NULL; hChild = GetWindow(hChild, GW_HWNDNEXT))
            ++nControls;
        if (pnControls != NULL)
            *pnControls = nControls;
        dlg.DestroyWindow();
        return strCaption;
    }
};

TEST_F(LanguageFile, SampleReplacesStringsMenusAndDialogs)
{
    ASSERT_TRUE(Install(SampleLanguageFile()));
    CZPResourceManager* pManager = ZpResourceManagerInstance();
    EXPECT_EQ(0x407, pManager->GetLanguage());

    EXPECT_EQ(L"Bereit", pManager->LoadStringOrEmpty(IDS_TEST_READY));
    EXPECT_EQ(L"Neues Dokument erstellen\nNeu", pManager->LoadStringOrEmpty(IDS_TEST_NEW));
    EXPECT_EQ(L"Vorhandenes Dokument \x00f6" L"ffnen\n\x00d6" L"ffnen", pManager->LoadStringOrEmpty(IDS_TEST_OPEN));
    EXPECT_EQ(L"Close the active document\nClose", pManager->LoadStringOrEmpty(IDS_TEST_CLOSE));
    BOOL bError = FALSE;
    EXPECT_EQ(L"", pManager->LoadStringOrEmpty(12345, &bError));
    EXPECT_TRUE(bError);

    CMenu menu;
    ASSERT_TRUE(pManager->LoadMenu(&menu, IDR_TEST_MAINMENU));
    ASSERT_EQ(5, menu.GetMenuItemCount());
    EXPECT_EQ(L"&Datei", MenuText(&menu, 0));
    EXPECT_EQ(L"&?", MenuText(&menu, 4));
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pFile);
    ASSERT_EQ(12, pFile->GetMenuItemCount());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_FILE_NEW), pFile->GetMenuItemID(0));
    EXPECT_EQ(L"&Neu\tStrg+N", MenuText(pFile, ID_TEST_FILE_NEW, MF_BYCOMMAND));
    EXPECT_EQ(L"\x00d6&ffnen...\tStrg+O", MenuText(pFile, 1));
    EXPECT_NE(0u, pFile->GetMenuState(4, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(static_cast<UINT>(ID_TEST_APP_EXIT), pFile->GetMenuItemID(11));
    EXPECT_EQ(L"Inf&o \x00fc" L"ber Tolvane...", MenuText(menu.GetSubMenu(4), ID_TEST_APP_ABOUT, MF_BYCOMMAND));
    CMenu view;
    ASSERT_TRUE(pManager->LoadMenu(&view, IDR_TEST_VIEWMENU));
    EXPECT_EQ(L"&View", MenuText(&view, 0));

    LPCDLGTEMPLATE pTemplate = pManager->LoadDialogTemplate(IDD_TEST_ABOUT);
    ASSERT_NE(nullptr, pTemplate);
    EXPECT_EQ(pTemplate, pManager->LoadDialogTemplate(IDD_TEST_ABOUT));   // built once
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(pTemplate));
    CString str;
    dlg.GetWindowText(str);
    EXPECT_EQ(L"Info \x00fc" L"ber Tolvane", str);
    dlg.GetDlgItemText(IDOK, str);
    EXPECT_EQ(L"OK", str);
    dlg.GetDlgItemText(IDC_TEST_LINK, str);
    EXPECT_EQ(L"Dunmere", str);
    HWND hLogo = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_TEST_LOGO);
    ASSERT_NE(nullptr, hLogo);
    EXPECT_EQ(static_cast<LONG_PTR>(SS_BITMAP), GetWindowLongPtrW(hLogo, GWL_STYLE) & SS_TYPEMASK);
    dlg.DestroyWindow();

    int nControls = 0;
    EXPECT_EQ(L"Options", DialogCaption(IDD_TEST_OPTIONS, &nControls));
    EXPECT_EQ(1, nControls);
}

// Reads an extended dialog template back, field by field.
class CTemplateReader
{
public:
    explicit CTemplateReader(const void* pTemplate) : m_pStart(static_cast<const BYTE*>(pTemplate)), m_pNext(m_pStart) {}
    WORD Word() { WORD w; memcpy(&w, m_pNext, 2); m_pNext += 2; return w; }
    DWORD Dword() { DWORD dw; memcpy(&dw, m_pNext, 4); m_pNext += 4; return dw; }
    BYTE Byte() { return *m_pNext++; }
    std::wstring Text()
    {
        std::wstring str;
        for (WORD w = Word(); w != 0; w = Word())
            str += static_cast<wchar_t>(w);
        return str;
    }
    void AlignDword()
    {
        while ((m_pNext - m_pStart) % 4 != 0)
            ++m_pNext;
    }

private:
    const BYTE* m_pStart;
    const BYTE* m_pNext;
};

TEST_F(LanguageFile, DialogTemplateLayout)
{
    CZPResourceManagerXML manager(SampleLanguageFile());
    ASSERT_TRUE(manager.IsValid());
    CTemplateReader reader(manager.LoadDialogTemplate(IDD_TEST_ABOUT));
    EXPECT_EQ(1, reader.Word());
    EXPECT_EQ(0xFFFF, reader.Word());
    EXPECT_EQ(130u, reader.Dword());   // the dialog's id as help id
    EXPECT_EQ(0u, reader.Dword());
    EXPECT_EQ(0x80C800C8u | DS_SETFONT, reader.Dword());
    EXPECT_EQ(5, reader.Word());
    const WORD position[] = { 0, 0, 330, 70 };
    for (WORD w : position)
        EXPECT_EQ(w, reader.Word());
    EXPECT_EQ(0, reader.Word());   // menu
    EXPECT_EQ(0, reader.Word());   // class
    EXPECT_EQ(L"Info \x00fc" L"ber Tolvane", reader.Text());
    EXPECT_EQ(8, reader.Word());
    EXPECT_EQ(0, reader.Word());
    EXPECT_EQ(0, reader.Byte());
    EXPECT_EQ(0, reader.Byte());
    EXPECT_EQ(L"MS Shell Dlg", reader.Text());

    struct Control
    {
        DWORD style;
        WORD x, y, cx, cy;
        DWORD id;
        const wchar_t* pszClass;
        const wchar_t* pszTitle;   // NULL: the resource ordinal
    };
    const Control controls[] = {
        { 0x50010001, 273, 3, 50, 14, 1, L"BUTTON", L"OK" },
        { 0x50020000, 97, 10, 164, 8, 0xFFFFFFFF, L"STATIC", L"Tolvane 1.0.1" },
        { 0x50020000, 97, 29, 52, 8, 1018, L"STATIC", L"Dunmere" },
        { 0x5000000E, 4, 4, 67, 62, 1019, L"STATIC", NULL },
        { 0x50020000, 150, 29, 112, 11, 0xFFFFFFFF, L"STATIC", L"Alle Rechte vorbehalten." },
    };
    for (const Control& c : controls) {
        reader.AlignDword();
        EXPECT_EQ(0u, reader.Dword());
        EXPECT_EQ(0u, reader.Dword());
        EXPECT_EQ(c.style, reader.Dword());
        EXPECT_EQ(c.x, reader.Word());
        EXPECT_EQ(c.y, reader.Word());
        EXPECT_EQ(c.cx, reader.Word());
        EXPECT_EQ(c.cy, reader.Word());
        EXPECT_EQ(c.id, reader.Dword());
        EXPECT_EQ(c.pszClass, reader.Text());
        if (c.pszTitle == NULL) {
            EXPECT_EQ(0xFFFF, reader.Word());
            EXPECT_EQ(133, reader.Word());
        } else {
            EXPECT_EQ(c.pszTitle, reader.Text());
        }
        EXPECT_EQ(0, reader.Word());
    }

    manager.Close();
    EXPECT_FALSE(manager.IsValid());
}

TEST_F(LanguageFile, StylesTakeSignedAndUnsignedDecimalsAndNothingElse)
{
    struct Case
    {
        const char* pszStyle;          // the dialog's
        const char* pszControlStyle;
        DWORD dwStyle, dwControlStyle;   // both 0: the program's own dialog is used
    };
    const Case cases[] = {
        { "2160590976", "1342177280", 0x80C80080, 0x50000000 },
        { "-2134376320", "-1", 0x80C80080, 0xFFFFFFFF },
        { " 4294967295 ", "+5", 0xFFFFFFFF, 5 },
        { "-2147483648", "0", 0x80000000, 0 },
        { "4294967296", "0", 0, 0 },
        { "-2147483649", "0", 0, 0 },
        { "0", "99999999999", 0, 0 },
        { "12abc", "0", 0, 0 },
        { "0x80", "0", 0, 0 },
    };
    CZPResourceManager program;
    LPCDLGTEMPLATE pProgram = program.LoadDialogTemplate(IDD_TEST_ABOUT);
    ASSERT_NE(nullptr, pProgram);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszStyle + std::string(" / ") + c.pszControlStyle);
        CTempFile file(std::string("<resource CompactMode=\"1\"><dialog id=\"130\" caption=\"Info\" style=\"") +
                       c.pszStyle + "\"><control style=\"" + c.pszControlStyle + "\"/></dialog></resource>");
        CZPResourceManagerXML manager(file);
        ASSERT_TRUE(manager.IsValid());
        LPCDLGTEMPLATE pTemplate = manager.LoadDialogTemplate(IDD_TEST_ABOUT);
        if (c.dwStyle == 0 && c.dwControlStyle == 0) {
            EXPECT_EQ(pProgram, pTemplate);
            continue;
        }
        ASSERT_NE(pProgram, pTemplate);
        CTemplateReader reader(pTemplate);
        reader.Word();
        reader.Word();
        reader.Dword();
        reader.Dword();
        EXPECT_EQ(c.dwStyle | DS_SETFONT, reader.Dword());
        for (int i = 0; i < 5; ++i)   // count and position
            reader.Word();
        reader.Word();   // menu
        reader.Word();   // class
        reader.Text();
        reader.Word();
        reader.Word();
        reader.Byte();
        reader.Byte();
        reader.Text();
        reader.AlignDword();
        reader.Dword();
        reader.Dword();
        EXPECT_EQ(c.dwControlStyle, reader.Dword());
    }
}

TEST_F(LanguageFile, BadAndOddFiles)
{
    struct Case
    {
        const char* pszName;
        std::string bytes;
        BOOL bValid;
        const wchar_t* pszReady;    // string 57345
        const wchar_t* pszMenu;     // first item of menu 128
        const wchar_t* pszDialog;   // caption of dialog 130
    };
    const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string kOpen = "<resource CompactMode=\"1\" LANGID=\"1031\">";
    const std::string kReady = "<string id=\"57345\" value=\"Bereit\"/>";
    std::string utf16 = "\xFF\xFE";
    for (char ch : kOpen + kReady + "</resource>") {
        utf16 += ch;
        utf16 += '\0';
    }
    const Case cases[] = {
        { "not well-formed", kDecl + kOpen + "<string id=\"57345\" value=\"Bereit\"></resource>", FALSE, L"Ready",
          L"&File", L"About Tolvane" },
        { "empty file", "", FALSE, L"Ready", L"&File", L"About Tolvane" },
        { "other root element", "<resources CompactMode=\"1\">" + kReady + "</resources>", FALSE, L"Ready", L"&File",
          L"About Tolvane" },
        { "bytes that are not UTF-8", kDecl + kOpen + "<string id=\"57345\" value=\"B\xE4reit\"/></resource>", FALSE,
          L"Ready", L"&File", L"About Tolvane" },
        { "unknown encoding", "<?xml version=\"1.0\" encoding=\"x-unheard-of\"?>" + kOpen + kReady + "</resource>",
          FALSE, L"Ready", L"&File", L"About Tolvane" },
        { "declared windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + kOpen +
          "<string id=\"57345\" value=\"B\xE4reit\"/></resource>", TRUE, L"B\x00e4reit", L"&File", L"About Tolvane" },
        { "UTF-16 with a byte-order mark", utf16, TRUE, L"Bereit", L"&File", L"About Tolvane" },
        { "unknown elements", kOpen + "<glossary><string id=\"57345\" value=\"Wrong\"/></glossary>"
          "<string id=\"57345\" value=\"Bereit\"><note/></string><menu id=\"128\"><item caption=\"x\"/></menu>"
          "<dialog id=\"130\" caption=\"Info\"><widget/></dialog></resource>", TRUE, L"Bereit", L"&File", L"Info" },
        { "missing ids", kOpen + "<string value=\"Bereit\"/><menu><menuitem caption=\"x\"/></menu>"
          "<dialog caption=\"Info\"/></resource>", TRUE, L"Ready", L"&File", L"About Tolvane" },
        { "string without value", kOpen + "<string id=\"57345\"/></resource>", TRUE, L"Ready", L"&File",
          L"About Tolvane" },
        { "dialog too wide", kOpen + "<dialog id=\"130\" caption=\"Info\" position=\"0, 0, 70000, 70\"/></resource>",
          TRUE, L"Ready", L"&File", L"About Tolvane" },
        { "dialog of negative height", kOpen +
          "<dialog id=\"130\" caption=\"Info\" position=\"0, 0, 100, -5\"/></resource>", TRUE, L"Ready", L"&File",
          L"About Tolvane" },
        { "control beyond dialog units", kOpen + "<dialog id=\"130\" caption=\"Info\" position=\"0, 0, 100, 50\">"
          "<control position=\"40000, 0, 10, 10\"/></dialog></resource>", TRUE, L"Ready", L"&File", L"About Tolvane" },
        { "values as child elements", "<resource><string id=\"57345\"><value>Bereit</value></string>"
          "<menu id=\"128\"><menuitem><id>77</id><caption>&amp;Datei</caption><menuitem><id>57600</id>"
          "<caption>&amp;Neu</caption></menuitem></menuitem></menu></resource>", TRUE, L"Bereit", L"&Datei",
          L"About Tolvane" },
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CTempFile file(c.bytes);
        ASSERT_EQ(c.bValid, Install(file));
        CZPResourceManager* pManager = ZpResourceManagerInstance();
        EXPECT_EQ(c.pszReady, pManager->LoadStringOrEmpty(IDS_TEST_READY));
        CMenu menu;
        ASSERT_TRUE(pManager->LoadMenu(&menu, IDR_TEST_MAINMENU));
        EXPECT_EQ(c.pszMenu, MenuText(&menu, 0));
        EXPECT_NE(nullptr, ::GetSubMenu(menu, 0));   // a popup whatever its id
        EXPECT_EQ(c.pszDialog, DialogCaption(IDD_TEST_ABOUT));
        CZPResourceManager::SetResourceManager(new CZPResourceManager);
    }
}

TEST_F(LanguageFile, MissingFileOrFolderKeepsTheProgramsResources)
{
    WCHAR szFolder[MAX_PATH];
    GetTempPathW(MAX_PATH, szFolder);
    CTempFile missing;
    EXPECT_FALSE(Install(missing));
    EXPECT_FALSE(Install(szFolder));
    EXPECT_EQ(0x409, ZpResourceManagerInstance()->GetLanguage());
    EXPECT_EQ(L"Ready", ZpResourceManagerInstance()->LoadStringOrEmpty(IDS_TEST_READY));
}

}  // namespace
