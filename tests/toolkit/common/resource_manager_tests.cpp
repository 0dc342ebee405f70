// The resource manager: language table, string blocks, loaders, and the process-wide slot.
#include "common/ZPResourceManager.h"
#include "resource_manager_tests_ids.h"

#include <framework/menu.h>
#include <framework/thread.h>

#include <gtest/gtest.h>

#include <set>

namespace {

class CTestResourceManager : public CZPResourceManager
{
public:
    explicit CTestResourceManager(BOOL bValid, BOOL* pbDeleted = NULL) : m_pbDeleted(pbDeleted)
    {
        m_bValid = bValid;
    }
    ~CTestResourceManager() override
    {
        if (m_pbDeleted != NULL)
            *m_pbDeleted = TRUE;
    }
    void UseLanguageCharSet() { m_bUseLanguageCharSet = TRUE; }

private:
    BOOL* m_pbDeleted;   // borrowed: set when this manager is deleted
};

// Restores the program-wide state the tests touch.
class ResourceManager : public ::testing::Test
{
protected:
    void TearDown() override
    {
        ZpToolkitResourceModule = NULL;
        ZpResourceManagerInstance()->SetLanguage(0x409);
    }
};

TEST_F(ResourceManager, LanguageTable)
{
    struct Row
    {
        WORD wLanguage;
        UINT nCodePage;
        BYTE nCharSet;
    };
    const Row rows[] = {
        { 0x419, 1251, 204 }, { 0x411, 932, 128 }, { 0x401, 1256, 178 }, { 0x405, 1250, 238 }, { 0x406, 1252, 0 },
        { 0x407, 1252, 0 }, { 0x408, 1253, 161 }, { 0x409, 0, 0 }, { 0xC0A, 1252, 0 }, { 0x425, 1257, 186 },
        { 0x40B, 1252, 0 }, { 0x40C, 1252, 0 }, { 0x40D, 1255, 177 }, { 0x41A, 1250, 238 }, { 0x40E, 1250, 238 },
        { 0x410, 1252, 0 }, { 0x412, 949, 129 }, { 0x427, 1257, 186 }, { 0x426, 1257, 186 }, { 0x413, 1252, 0 },
        { 0x414, 1252, 0 }, { 0x415, 1250, 238 }, { 0x816, 1252, 0 }, { 0x416, 1252, 0 }, { 0x418, 1250, 238 },
        { 0x81A, 1250, 238 }, { 0x41B, 1250, 238 }, { 0x424, 1250, 238 }, { 0x41D, 1252, 0 }, { 0x41E, 874, 222 },
        { 0x41F, 1254, 162 }, { 0x422, 1251, 204 }, { 0x402, 1251, 204 }, { 0x804, 936, 134 }, { 0x404, 950, 136 },
    };
    int nCount = 0;
    const ZP_LANGUAGE_ENTRY* pTable = ZpGetLanguageTable(&nCount);
    ASSERT_EQ(35, nCount);
    for (int i = 0; i < nCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].wLanguage, pTable[i].wLanguage);
        EXPECT_EQ(rows[i].nCodePage, pTable[i].nCodePage);
        EXPECT_EQ(rows[i].nCharSet, pTable[i].nFontCharSet);
        EXPECT_EQ(&pTable[i], ZpFindLanguageEntry(rows[i].wLanguage));
    }
    EXPECT_STREQ(L"Ukrainian ", ZpFindLanguageEntry(0x422)->lpszCaption);
    EXPECT_STREQ(L"ks_c_5601", ZpFindLanguageEntry(0x412)->lpszEncoding);
    EXPECT_STREQ(L"SUBLANG_SERBIAN_LATIN", ZpFindLanguageEntry(0x81A)->lpszSubLang);
    EXPECT_EQ(NULL, ZpFindLanguageEntry(0x400));
}

TEST_F(ResourceManager, LanguageChoiceAndCharSet)
{
    CTestResourceManager manager(TRUE);
    EXPECT_EQ(0x409, manager.GetLanguage());
    manager.SetLanguage(0x419);
    EXPECT_EQ(1251u, manager.GetLanguageInfo()->nCodePage);
    manager.SetLanguage(0x0C07);   // German (Austria): not in the table
    EXPECT_EQ(0x409, manager.GetLanguage());
    EXPECT_EQ(0u, manager.GetLanguageInfo()->nCodePage);

    // The program's resources: one German resource among English ones.
    manager.UpdateResourcesLangID();
    EXPECT_EQ(0x407, manager.GetLanguage());

    LOGFONTW lf = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0));
    manager.SetLanguage(0x419);
    EXPECT_EQ(lf.lfCharSet, manager.GetFontCharSet());
    manager.UseLanguageCharSet();
    EXPECT_EQ(204, manager.GetFontCharSet());
}

TEST_F(ResourceManager, StringBlocks)
{
    HMODULE hModule = GetModuleHandleW(NULL);
    struct Case
    {
        UINT nID;
        LPCWSTR pszText;
    };
    const Case cases[] = {
        { IDS_TEST_FIRST, L"first of the block" },
        { IDS_TEST_LAST, L"last of the block" },   // entry 15: walks past 0-14
        { IDS_TEST_EMPTY, L"" },
        { 47, L"" },                               // block 3 has no strings
        { 0xFFF0, L"" },                           // no such block
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nID);
        CString str(L"stale");
        EXPECT_EQ(static_cast<int>(wcslen(c.pszText)), CZPResourceManager::LoadStringFromModule(hModule, c.nID, str));
        EXPECT_EQ(c.pszText, str);
    }

    CZPResourceManager* pManager = ZpResourceManagerInstance();
    BOOL bError = FALSE;
    EXPECT_EQ(L"from the program", pManager->LoadStringOrEmpty(IDS_TEST_EXE_ONLY, &bError));
    EXPECT_FALSE(bError);
    EXPECT_EQ(L"", pManager->LoadStringOrEmpty(IDS_TEST_EMPTY, &bError));
    EXPECT_TRUE(bError);
    ZpToolkitResourceModule = hModule;
    CString str;
    EXPECT_TRUE(pManager->LoadString(str, IDS_TEST_LAST));
    EXPECT_EQ(L"last of the block", str);
}

TEST_F(ResourceManager, HtmlAndDialogTemplates)
{
    CZPResourceManager* pManager = ZpResourceManagerInstance();
    CString strHtml;
    ASSERT_TRUE(pManager->LoadHtml(strHtml, IDR_TEST_HTML));
    EXPECT_EQ(11, strHtml.GetLength());
    EXPECT_EQ(0, strHtml.Find(L"<b>caf"));
    EXPECT_FALSE(pManager->LoadHtml(strHtml, IDD_TEST_MISSING));

    const WORD* pTemplate = reinterpret_cast<const WORD*>(pManager->LoadDialogTemplate(IDD_TEST_DIALOG));
    ASSERT_TRUE(pTemplate != NULL);
    EXPECT_EQ(1, pTemplate[0]);        // extended template: version 1,
    EXPECT_EQ(0xFFFF, pTemplate[1]);   // signature 0xFFFF
    EXPECT_EQ(NULL, pManager->LoadDialogTemplate(IDD_TEST_MISSING));
    EXPECT_EQ(NULL, pManager->FindDialogResource(IDD_TEST_MISSING));
}

TEST_F(ResourceManager, MenusAndTheirTexts)
{
    CZPResourceManager* pManager = ZpResourceManagerInstance();
    CMenu menu;
    ASSERT_TRUE(pManager->LoadMenu(&menu, IDM_TEST_MENU));
    CString strText(L"stale");
    EXPECT_EQ(5, pManager->GetMenuItemText(&menu, 0, strText, MF_BYPOSITION));
    EXPECT_EQ(L"&File", strText);
    EXPECT_EQ(15, pManager->GetMenuItemText(menu.GetSubMenu(0), IDM_TEST_OPEN, strText, MF_BYCOMMAND));
    EXPECT_EQ(L"&Open...\tCtrl+O", strText);
    EXPECT_EQ(0, pManager->GetMenuItemText(&menu, 12345, strText, MF_BYCOMMAND));
    EXPECT_EQ(L"", strText);
    strText = L"kept";
    EXPECT_EQ(0, pManager->GetMenuItemText(NULL, 0, strText, MF_BYPOSITION));
    CMenu empty;
    EXPECT_EQ(0, pManager->GetMenuItemText(&empty, 0, strText, MF_BYPOSITION));
    EXPECT_EQ(L"kept", strText);
    CMenu missing;
    EXPECT_FALSE(pManager->LoadMenu(&missing, IDD_TEST_MISSING));
}

// Records the style of each message box instead of showing it.
class CMessageBoxThread : public CWinThread
{
public:
    int DoMessageBox(LPCWSTR, UINT nType, UINT) override
    {
        m_nLastType = nType;
        return IDOK;
    }
    UINT m_nLastType = 0;
};

TEST_F(ResourceManager, MessageBoxReadingOrder)
{
    CMessageBoxThread thread;
    CZPResourceManager manager;
    const WORD languages[] = { 0x40D, 0x401, 0x409, 0x419, 0x411 };
    for (WORD wLanguage : languages) {
        manager.SetLanguage(wLanguage);
        EXPECT_EQ(IDOK, manager.ShowMessageBox(L"text", MB_YESNO));
        BOOL bRightToLeft = wLanguage == 0x40D || wLanguage == 0x401;
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | (bRightToLeft ? MB_RTLREADING : 0)), thread.m_nLastType) << wLanguage;
    }
}

TEST_F(ResourceManager, InstallingManagers)
{
    CZPResourceManager* pDefault = ZpResourceManagerInstance();
    EXPECT_EQ(pDefault, ZpResourceManagerInstance());
    EXPECT_FALSE(CZPResourceManager::SetResourceManager(NULL));

    BOOL bInvalidDeleted = FALSE;
    EXPECT_FALSE(CZPResourceManager::SetResourceManager(new CTestResourceManager(FALSE, &bInvalidDeleted)));
    EXPECT_TRUE(bInvalidDeleted);
    EXPECT_EQ(pDefault, ZpResourceManagerInstance());

    BOOL bFirstDeleted = FALSE;
    CTestResourceManager* pFirst = new CTestResourceManager(TRUE, &bFirstDeleted);
    ASSERT_TRUE(CZPResourceManager::SetResourceManager(pFirst));
    EXPECT_EQ(pFirst, ZpResourceManagerInstance());
    EXPECT_EQ(0x407, pFirst->GetLanguage());   // chosen on installation
    ASSERT_TRUE(CZPResourceManager::SetResourceManager(new CTestResourceManager(TRUE)));
    EXPECT_TRUE(bFirstDeleted);
}

TEST_F(ResourceManager, NarrowTextUsesTheLanguageCodePage)
{
    ZpResourceManagerInstance()->SetLanguage(0x419);
    EXPECT_STREQ("\xC6\xE0", ZpNarrowString(L"\x0416\x0430"));
    ZpResourceManagerInstance()->SetLanguage(0x409);
    EXPECT_STREQ("CTestShape", ZpNarrowString(L"CTestShape"));
}

}  // namespace
