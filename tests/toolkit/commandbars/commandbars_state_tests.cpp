// The bar layout under the profile: where the controls blob goes, which sources are refused, saving
// that keeps the old state on failure, the blob round trip and damaged blobs, and the guarded
// loading of records, dock rows and controls.
#include "dialog_answerer.h"
#include "toolbar_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPCommandBarsState.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlComboBoxPopupBar.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPDockContext.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPStatusBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPZipMemFile.h"

#include <framework/app.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace {

const LPCWSTR kCompany = L"Tolvane Layout Tests";
const LPCWSTR kProfile = L"CommandBars";

// Command bars whose site offers the customize command.
class CCustomizableCommandBars : public CZPCommandBars
{
public:
    BOOL IsCustomizeAvailable() const override { return TRUE; }
};

class LayoutStateTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Layout Tests");
        m_app.SetRegistryKey(kCompany);
        DeleteFiles();
        m_commandBars.SetSite(m_frame.m_hWnd);
        m_commandBars.CreateDockBars();
    }
    void TearDown() override
    {
        m_commandBars.RemoveAll();
        DeleteFiles();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tolvane Layout Tests");
        CommandBarsTest::TearDown();
    }
    void DeleteFiles()
    {
        const CString strPath = ZpControlsFilePath(kProfile);
        for (LPCWSTR pszSuffix : { L"", L".bad", L".tmp" }) {
            ::SetFileAttributesW(strPath + pszSuffix, FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(strPath + pszSuffix);
            ::RemoveDirectoryW(strPath + pszSuffix);
        }
    }
    CZPToolBar* NewBar(UINT nID, int nControls, int nPosition = zpBarTop)
    {
        CZPToolBar* pBar = m_commandBars.CreateToolBar(L"bar", nPosition);
        pBar->SetPaintManager(m_theme.Get());
        pBar->SetBarID(nID);
        AddTestControls(pBar, nControls);
        return pBar;
    }
    static std::vector<BYTE> Bytes(size_t n)
    {
        std::vector<BYTE> blob(n);
        for (size_t i = 0; i < n; ++i)
            blob[i] = static_cast<BYTE>(i * 7 + 1);
        return blob;
    }
    CString ControlsSection() const { return CString(kProfile) + L"-Controls"; }

    CWinApp m_app{ L"LayoutTests" };
    CTestFrame m_frame;
    CGripperThemeRef m_theme;
    CCustomizableCommandBars m_commandBars;
};

TEST_F(LayoutStateTest, BlobUpTo16000BytesIsAProfileValueLargerOnesAFile)
{
    std::vector<BYTE> back;
    CString strFile;
    ASSERT_TRUE(ZpSaveControlsBlob(kProfile, Bytes(16000)));
    EXPECT_EQ(0u, m_app.GetProfileInt(ControlsSection(), L"LoadFromFile", 7));
    EXPECT_TRUE(ZpLoadControlsBlob(kProfile, back, &strFile));
    EXPECT_EQ(Bytes(16000), back);
    EXPECT_TRUE(strFile.IsEmpty());

    ASSERT_TRUE(ZpSaveControlsBlob(kProfile, Bytes(16001)));
    EXPECT_EQ(1u, m_app.GetProfileInt(ControlsSection(), L"LoadFromFile", 7));
    const CString strPath = ZpControlsFilePath(kProfile);
    EXPECT_STREQ(strPath, m_app.GetProfileString(ControlsSection(), L"Controls", L""));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strPath));
    EXPECT_TRUE(ZpLoadControlsBlob(kProfile, back, &strFile));
    EXPECT_EQ(Bytes(16001), back);
    EXPECT_STREQ(strPath, strFile);
    // Saved again over the (hidden) file, then back to a value: the file goes.
    EXPECT_TRUE(ZpSaveControlsBlob(kProfile, Bytes(20000)));
    EXPECT_TRUE(ZpSaveControlsBlob(kProfile, Bytes(10)));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strPath));
}

TEST_F(LayoutStateTest, ProfileNameWithBackslashesNamesAFileWithUnderscores)
{
    const CString strPath = ZpControlsFilePath(L"Layouts\\Main");
    EXPECT_EQ(strPath.GetLength() - 12, strPath.Find(L"Layouts_Main"));
}

TEST_F(LayoutStateTest, SourcesOtherThanTheComputedOnesAreRefused)
{
    std::vector<BYTE> back;
    // Any path but the computed one, named by a damaged or hostile profile.
    for (LPCWSTR pszPath : { L"C:\\windows\\win.ini", L"\\\\.\\pipe\\x", L"" }) {
        m_app.WriteProfileInt(ControlsSection(), L"LoadFromFile", 1);
        m_app.WriteProfileString(ControlsSection(), L"Controls", pszPath);
        EXPECT_FALSE(ZpLoadControlsBlob(kProfile, back, NULL)) << pszPath;
        EXPECT_TRUE(back.empty());
    }
    // The computed file beyond 4 MB.
    const CString strPath = ZpControlsFilePath(kProfile);
    m_app.WriteProfileString(ControlsSection(), L"Controls", strPath);
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::SetFilePointer(hFile, kZpMaxControlsFileBytes + 1, NULL, FILE_BEGIN);
    ::SetEndOfFile(hFile);
    ::CloseHandle(hFile);
    EXPECT_FALSE(ZpLoadControlsBlob(kProfile, back, NULL));
    // A value over 16000 bytes, or of another type.
    m_app.WriteProfileInt(ControlsSection(), L"LoadFromFile", 0);
    std::vector<BYTE> big = Bytes(16001);
    m_app.WriteProfileBinary(ControlsSection(), L"Controls", big.data(), static_cast<UINT>(big.size()));
    EXPECT_FALSE(ZpLoadControlsBlob(kProfile, back, NULL));
    m_app.WriteProfileString(ControlsSection(), L"Controls", L"text");
    EXPECT_FALSE(ZpLoadControlsBlob(kProfile, back, NULL));
}

TEST_F(LayoutStateTest, FailedSaveKeepsThePreviousFileAndSection)
{
    ASSERT_TRUE(ZpSaveControlsBlob(kProfile, Bytes(17000)));
    // The temporary file cannot be made: a directory stands in its way.
    const CString strPath = ZpControlsFilePath(kProfile);
    ASSERT_TRUE(::CreateDirectoryW(strPath + L".tmp", NULL));
    EXPECT_FALSE(ZpSaveControlsBlob(kProfile, Bytes(18000)));
    std::vector<BYTE> back;
    EXPECT_TRUE(ZpLoadControlsBlob(kProfile, back, NULL));
    EXPECT_EQ(Bytes(17000), back);
}

TEST_F(LayoutStateTest, ControlsRoundTripThroughTheBlob)
{
    CZPToolBar* pBar = NewBar(128, 3);
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob));
    pBar->GetControls()->RemoveAll();
    ASSERT_TRUE(m_commandBars.LoadBars(blob));
    EXPECT_EQ(3, pBar->GetControls()->GetCount());
    EXPECT_EQ(1, m_commandBars.GetCount());
    // A toolbar the frame does not have joins it.
    m_commandBars.Remove(pBar);
    ASSERT_TRUE(m_commandBars.LoadBars(blob));
    ASSERT_EQ(1, m_commandBars.GetCount());
    EXPECT_EQ(128u, m_commandBars.GetAt(0)->GetBarID());
    EXPECT_EQ(3, m_commandBars.GetAt(0)->GetControls()->GetCount());
}

// A popup bar holding test controls, with one reference for the caller.
CRefPtr<CZPPopupBar> NewMenu(CZPCommandBars* pCommandBars, int nControls)
{
    CRefPtr<CZPPopupBar> menu = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pCommandBars));
    AddTestControls(menu.Get(), nControls);
    return menu;
}

CZPControlPopup* AddPopup(CZPCommandBar* pBar, int nId, CZPCommandBar* pPopupBar)
{
    CZPControlPopup* pPopup = static_cast<CZPControlPopup*>(pBar->GetControls()->Add(zpControlPopup, nId));
    pPopup->SetCommandBar(pPopupBar);
    return pPopup;
}

TEST_F(LayoutStateTest, PopupBarsTravelAsBarsOfTheirOwnWithTheirLinks)
{
    CZPToolBar* pBar = NewBar(128, 1);
    CRefPtr<CZPPopupBar> menu = NewMenu(&m_commandBars, 2);
    CRefPtr<CZPPopupBar> subMenu = NewMenu(&m_commandBars, 4);
    AddPopup(menu.Get(), 2001, subMenu.Get());
    AddPopup(pBar, 2000, menu.Get());
    // Two popups sharing one bar keep sharing it.
    AddPopup(pBar, 2002, menu.Get());
    CZPControlComboBox* pCombo = static_cast<CZPControlComboBox*>(pBar->GetControls()->Append(new CZPControlComboBox));
    pCombo->AddString(L"one");
    pCombo->AddString(L"two");
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob));
    // The popup bars were stored under ids of their own.
    EXPECT_EQ(0x1000000u, menu->GetBarID());
    EXPECT_EQ(0x1000001u, subMenu->GetBarID());

    pBar->GetControls()->RemoveAll();
    menu.Release();
    subMenu.Release();
    ASSERT_TRUE(m_commandBars.LoadBars(blob));
    ASSERT_EQ(4, pBar->GetControls()->GetCount());
    CZPCommandBar* pMenu = pBar->GetControls()->GetAt(1)->GetCommandBar();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(pMenu, pBar->GetControls()->GetAt(2)->GetCommandBar());
    ASSERT_EQ(3, pMenu->GetControls()->GetCount());
    CZPCommandBar* pSubMenu = pMenu->GetControls()->GetAt(2)->GetCommandBar();
    ASSERT_NE(nullptr, pSubMenu);
    EXPECT_EQ(4, pSubMenu->GetControls()->GetCount());
    CZPControlComboBox* pLoadedCombo = DYNAMIC_DOWNCAST(CZPControlComboBox, pBar->GetControls()->GetAt(3));
    ASSERT_NE(nullptr, pLoadedCombo);
    ASSERT_EQ(2, pLoadedCombo->GetCount());
    CString strItem;
    DYNAMIC_DOWNCAST(CZPControlComboBoxList, pLoadedCombo->GetCommandBar())->GetText(1, strItem);
    EXPECT_STREQ(L"two", strItem);
    EXPECT_EQ(1, m_commandBars.GetCount());
}

TEST_F(LayoutStateTest, PopupLinksThatLoopAreRefusedWhole)
{
    CZPToolBar* pBar = NewBar(128, 1);
    struct Case
    {
        const char* name;
        int nLoopBack;  // 0: the menu opens itself; 1: its sub-menu opens it again
    };
    for (const Case& c : { Case{ "itself", 0 }, Case{ "an ancestor", 1 } }) {
        CRefPtr<CZPPopupBar> menu = NewMenu(&m_commandBars, 1);
        CRefPtr<CZPPopupBar> subMenu = NewMenu(&m_commandBars, 1);
        CZPControlPopup* pBack = NULL;
        if (c.nLoopBack == 0) {
            pBack = AddPopup(menu.Get(), 2001, menu.Get());
        } else {
            AddPopup(menu.Get(), 2001, subMenu.Get());
            pBack = AddPopup(subMenu.Get(), 2002, menu.Get());
        }
        AddPopup(pBar, 2000, menu.Get());
        std::vector<BYTE> blob;
        ASSERT_TRUE(m_commandBars.SaveBars(blob)) << c.name;
        pBack->SetCommandBar(NULL);  // the loop made here is cut before the bars go
        pBar->GetControls()->RemoveAll();
        AddTestControls(pBar, 2);
        EXPECT_FALSE(m_commandBars.LoadBars(blob)) << c.name;
        EXPECT_EQ(2, pBar->GetControls()->GetCount()) << c.name;
        EXPECT_EQ(1, m_commandBars.GetCount()) << c.name;
        pBar->GetControls()->RemoveAll();
    }
}

TEST_F(LayoutStateTest, ContextMenusTakeTheirStoredControlsAndUnknownOnesJoin)
{
    NewBar(128, 1);
    CRefPtr<CZPPopupBar> known = NewMenu(&m_commandBars, 2);
    known->SetBarID(500);
    known->GetControls()->CreateOriginalControls();
    m_commandBars.GetContextMenus()->Add(known.Get());
    CRefPtr<CZPPopupBar> other = NewMenu(&m_commandBars, 1);
    other->SetBarID(501);
    m_commandBars.GetContextMenus()->Add(other.Get());
    AddTestControls(known.Get(), 1);  // customized: 3 controls against 2 originals
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob, TRUE));

    // The program starts again with its built-in menu only.
    m_commandBars.GetContextMenus()->RemoveAll();
    CRefPtr<CZPPopupBar> fresh = NewMenu(&m_commandBars, 2);
    fresh->SetBarID(500);
    fresh->GetControls()->CreateOriginalControls();
    m_commandBars.GetContextMenus()->Add(fresh.Get());
    ASSERT_TRUE(m_commandBars.LoadBars(blob));
    ASSERT_EQ(2, m_commandBars.GetContextMenus()->GetCount());
    EXPECT_EQ(3, fresh->GetControls()->GetCount());
    ASSERT_NE(nullptr, fresh->GetControls()->GetOriginalControls());
    EXPECT_EQ(2, fresh->GetControls()->GetOriginalControls()->GetCount());
    CZPPopupBar* pJoined = m_commandBars.GetContextMenus()->FindCommandBar(501);
    ASSERT_NE(nullptr, pJoined);
    EXPECT_TRUE(pJoined->IsContextMenu());
    EXPECT_EQ(1, pJoined->GetControls()->GetCount());
    EXPECT_NE(nullptr, pJoined->GetControls()->GetOriginalControls());
    m_commandBars.GetContextMenus()->RemoveAll();
}

TEST_F(LayoutStateTest, OnlyCustomizedToolbarsAreSavedAndAnUpdatedBuiltInOneAsks)
{
    CZPToolBar* pStandard = NewBar(128, 3);
    pStandard->SetTitle(L"Standard");
    pStandard->GetControls()->CreateOriginalControls();
    CZPToolBar* pUser = NewBar(300, 1);
    pUser->SetBuiltIn(FALSE);
    // An unchanged built-in toolbar is left out; a user toolbar is always saved.
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob, TRUE));
    pStandard->GetControls()->RemoveAll();
    ASSERT_TRUE(m_commandBars.LoadBars(blob));
    EXPECT_EQ(0, pStandard->GetControls()->GetCount());
    EXPECT_EQ(2, m_commandBars.GetCount());

    // Customized (one control of three left), saved, then the program's built-in toolbar changes.
    AddTestControls(pStandard, 1);
    ASSERT_TRUE(m_commandBars.SaveBars(blob, TRUE));
    struct Case
    {
        BOOL bSilent;
        int nAnswer;
        int nControls;  // after loading
        int nPrompts;
    } cases[] = { { TRUE, IDNO, 4, 0 }, { FALSE, IDYES, 4, 1 }, { FALSE, IDNO, 1, 1 } };
    for (const Case& c : cases) {
        pStandard->GetControls()->RemoveAll();
        AddTestControls(pStandard, 4);
        pStandard->GetControls()->CreateOriginalControls();
        CDialogAnswerer answerer;
        answerer.Queue(c.nAnswer);
        ASSERT_TRUE(m_commandBars.LoadBars(blob, c.bSilent));
        EXPECT_EQ(c.nControls, pStandard->GetControls()->GetCount()) << c.bSilent << c.nAnswer;
        ASSERT_EQ(static_cast<size_t>(c.nPrompts), answerer.m_texts.size());
        if (c.nPrompts > 0)
            EXPECT_NE(-1, answerer.m_texts[0].Find(L"toolbar 'Standard' has changed"))
                << static_cast<LPCWSTR>(answerer.m_texts[0]);
        // The new built-in controls stay the originals whatever the answer.
        ASSERT_TRUE(pStandard->GetControls()->GetOriginalControls() != NULL);
        EXPECT_EQ(4, pStandard->GetControls()->GetOriginalControls()->GetCount());
    }
}

// The archive inside a stored blob, and a stored blob of plain bytes.
std::vector<BYTE> Inflate(const std::vector<BYTE>& blob)
{
    CZPZipMemFile file;
    BYTE* pCopy = static_cast<BYTE*>(malloc(blob.size()));
    std::copy(blob.begin(), blob.end(), pCopy);
    EXPECT_TRUE(file.AttachCompressed(pCopy, static_cast<UINT>(blob.size()), TRUE));
    std::vector<BYTE> plain(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(plain.data(), static_cast<UINT>(plain.size()));
    return plain;
}

TEST_F(LayoutStateTest, DamagedBlobsLoadWholeOrNotAtAll)
{
    CZPToolBar* pBar = NewBar(128, 3);
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob));
    const std::vector<BYTE> plain = Inflate(blob);
    pBar->GetControls()->RemoveAll();
    AddTestControls(pBar, 2);

    // Every truncation of the stored blob and of the plain archive.
    for (const std::vector<BYTE>* pSource : { static_cast<const std::vector<BYTE>*>(&blob), &plain }) {
        for (size_t n = 0; n < pSource->size(); ++n) {
            const std::vector<BYTE> cut(pSource->begin(), pSource->begin() + n);
            EXPECT_FALSE(m_commandBars.LoadBars(cut)) << n;
            ASSERT_EQ(1, m_commandBars.GetCount());
            ASSERT_EQ(2, pBar->GetControls()->GetCount()) << n;
        }
    }
    // Seeded byte flips, and counts forced to 0xFFFF and 0xFFFFFFFF: loaded whole or not at all.
    std::mt19937 rng(39);
    const int kFlips = 10000;
    for (int i = 0; i < kFlips; ++i) {
        std::vector<BYTE> damaged = plain;
        const size_t at = rng() % damaged.size();
        switch (i % 3) {
        case 0:
            damaged[at] ^= static_cast<BYTE>(1 + rng() % 255);
            break;
        case 1:
            for (size_t k = at; k < std::min(at + 2, damaged.size()); ++k)
                damaged[k] = 0xFF;
            break;
        default:
            for (size_t k = at; k < std::min(at + 4, damaged.size()); ++k)
                damaged[k] = 0xFF;
            break;
        }
        const BOOL bLoaded = m_commandBars.LoadBars(damaged);
        ASSERT_GE(m_commandBars.GetCount(), 1) << i;
        ASSERT_LE(m_commandBars.GetCount(), 1 + 64) << i;
        ASSERT_EQ(pBar, m_commandBars.FindToolBar(128)) << i;
        if (!bLoaded)
            ASSERT_EQ(2, pBar->GetControls()->GetCount()) << i;
        pBar->GetControls()->RemoveAll();
        AddTestControls(pBar, 2);
        while (m_commandBars.GetCount() > 1)
            m_commandBars.Remove(m_commandBars.GetAt(1));
    }
}

TEST_F(LayoutStateTest, UnreadableControlsAreSetAsideAndNotOverwritten)
{
    CZPToolBar* pBar = NewBar(128, 3);
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob));
    // A layout this version cannot read (as one written by a newer version), in a file.
    std::vector<BYTE> newer = Bytes(17000);
    ASSERT_TRUE(ZpSaveControlsBlob(kProfile, newer));
    m_commandBars.LoadCommandBars(kProfile);
    EXPECT_EQ(3, pBar->GetControls()->GetCount());
    const CString strPath = ZpControlsFilePath(kProfile);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strPath + L".bad"));
    // The save at close leaves the stored controls alone; the rest of the layout is written.
    m_commandBars.SaveCommandBars(kProfile);
    EXPECT_EQ(1u, m_app.GetProfileInt(ControlsSection(), L"LoadFromFile", 0));
    EXPECT_EQ(1u, m_app.GetProfileInt(CString(kProfile) + L"-Summary", L"Bars", 0));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(strPath + L".bad"));
}

TEST_F(LayoutStateTest, DamagedRecordsAndRowsLeaveTheDefaultLayout)
{
    CZPToolBar* pStandard = NewBar(128, 3);
    CZPToolBar* pOther = NewBar(200, 2);
    m_commandBars.SaveCommandBars(kProfile);
    EXPECT_EQ(2u, m_app.GetProfileInt(CString(kProfile) + L"-Summary", L"Bars", 0));
    // Both toolbars in one dock row: an empty dock bar writes nothing, a row writes 0, ids, 0.
    EXPECT_LE(3u, m_app.GetProfileInt(CString(kProfile) + L"-DockBar0", L"Bars", 0));
    EXPECT_EQ(0u, m_app.GetProfileInt(CString(kProfile) + L"-DockBar1", L"Bars", 0));

    // A huge record count, a record without its id, a floating bar far off screen with a bad width,
    // and a dock row of unknown and repeated ids.
    m_app.WriteProfileInt(CString(kProfile) + L"-Summary", L"Bars", 0x7FFFFFFF);
    m_app.WriteProfileInt(CString(kProfile) + L"-Summary", L"ScreenCX", -5);
    m_app.WriteProfileString(CString(kProfile) + L"-Bar0", L"BarID", NULL);
    const CString strBar1 = CString(kProfile) + L"-Bar1";
    m_app.WriteProfileInt(strBar1, L"Floating", 1);
    m_app.WriteProfileInt(strBar1, L"XPos", 100000);
    m_app.WriteProfileInt(strBar1, L"YPos", -100000);
    m_app.WriteProfileInt(strBar1, L"MRUWidth", -3);
    const CString strRow = CString(kProfile) + L"-DockBar1";
    const int ids[] = { 0, 999, 128, 128, 0, 0 };
    for (int i = 0; i < 6; ++i) {
        CString strEntry;
        strEntry.Format(L"Bar#%d", i);
        m_app.WriteProfileInt(strRow, strEntry, ids[i]);
    }
    m_app.WriteProfileInt(strRow, L"Bars", 6);
    m_app.WriteProfileString(CString(kProfile) + L"-DockBar0", NULL, NULL);
    m_commandBars.LoadCommandBars(kProfile);

    ASSERT_EQ(2, m_commandBars.GetCount());
    EXPECT_EQ(zpBarFloating, pOther->GetPosition());
    EXPECT_EQ(ZP_BAR_MRU_WIDTH_NONE, pOther->GetMRUWidth());
    CRect rc;
    pOther->GetWindowRect(&rc);
    MONITORINFO mi = { sizeof(mi) };
    ::GetMonitorInfoW(::MonitorFromPoint(rc.TopLeft(), MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_TRUE(CRect(mi.rcWork).PtInRect(rc.TopLeft()));
    // The standard toolbar moved once to the bottom row.
    EXPECT_EQ(zpBarBottom, pStandard->GetPosition());
    EXPECT_EQ(3, pStandard->GetControls()->GetCount());
}

// The stored rows of a dock bar as bar ids, 0 for each row end.
std::vector<UINT> RowIds(CZPDockBar* pDockBar)
{
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < pDockBar->GetEntries().GetSize(); ++i)
        ids.push_back(pDockBar->GetEntries()[i] != NULL ? pDockBar->GetEntries()[i]->GetBarID() : 0);
    return ids;
}

TEST_F(LayoutStateTest, DockRowsAndDockMemoryComeBackAsSaved)
{
    CZPToolBar* pA = NewBar(201, 1);
    CZPToolBar* pB = NewBar(202, 1);
    CZPToolBar* pC = NewBar(203, 1);
    CZPToolBar* pD = NewBar(204, 1, zpBarLeft);
    // Top: A and B share the first row, C has the second.
    CZPDockBar* pTop = m_commandBars.GetDockBar(zpBarTop);
    pTop->InsertEntry(2, pB);
    pTop->EndInsertEntries();
    ASSERT_EQ((std::vector<UINT>{ 0, 201, 202, 0, 203, 0 }), RowIds(pTop));
    pD->GetDockContext()->SetDockSide(zpBarBottom);
    pD->GetDockContext()->SetDockedRect(CRect(12, 0, 80, 24));
    pD->GetDockContext()->SetFloatingPos(CPoint(140, 120));
    m_commandBars.SaveCommandBars(kProfile);
    EXPECT_EQ(6u, m_app.GetProfileInt(CString(kProfile) + L"-DockBar0", L"Bars", 0));

    // Everything moved elsewhere, then the saved layout is loaded.
    m_commandBars.DockCommandBar(pA, zpBarBottom);
    m_commandBars.DockCommandBar(pC, zpBarBottom);
    m_commandBars.DockCommandBar(pB, zpBarRight);
    m_commandBars.FloatCommandBar(pD);
    pD->GetDockContext()->SetDockSide(zpBarTop);
    pD->GetDockContext()->SetDockedRect(CRect(0, 0, 0, 0));
    pD->GetDockContext()->SetFloatingPos(CPoint(0, 0));
    m_commandBars.LoadCommandBars(kProfile);

    EXPECT_EQ((std::vector<UINT>{ 0, 201, 202, 0, 203, 0 }), RowIds(pTop));
    EXPECT_EQ((std::vector<UINT>{ 0, 204, 0 }), RowIds(m_commandBars.GetDockBar(zpBarLeft)));
    EXPECT_EQ((std::vector<UINT>{ 0 }), RowIds(m_commandBars.GetDockBar(zpBarBottom)));
    EXPECT_EQ((std::vector<UINT>{ 0 }), RowIds(m_commandBars.GetDockBar(zpBarRight)));
    for (CZPToolBar* pBar : { pA, pB, pC })
        EXPECT_EQ(zpBarTop, pBar->GetPosition()) << pBar->GetBarID();
    EXPECT_EQ(zpBarLeft, pD->GetPosition());
    EXPECT_EQ(zpBarBottom, pD->GetDockContext()->GetDockSide());
    EXPECT_EQ(CRect(12, 0, 80, 24), pD->GetDockContext()->GetDockedRect());
    EXPECT_EQ(CPoint(140, 120), pD->GetDockContext()->GetFloatingPos());

    // Dock memory out of range: an unknown dock id keeps the side, a bad rectangle is forgotten,
    // a far float position is pulled onto the screen.
    const CString strD = CString(kProfile) + L"-Bar3";
    ASSERT_EQ(204u, m_app.GetProfileInt(strD, L"BarID", 0));
    m_app.WriteProfileInt(strD, L"MRUDockID", 12345);
    m_app.WriteProfileInt(strD, L"MRUDockRightPos", -40);
    m_app.WriteProfileInt(strD, L"MRUFloatXPos", 100000);
    m_app.WriteProfileInt(strD, L"MRUFloatYPos", -100000);
    m_commandBars.LoadCommandBars(kProfile);
    EXPECT_EQ(zpBarBottom, pD->GetDockContext()->GetDockSide());
    EXPECT_TRUE(pD->GetDockContext()->GetDockedRect().IsRectEmpty());
    MONITORINFO mi = { sizeof(mi) };
    const CPoint ptFloat = pD->GetDockContext()->GetFloatingPos();
    ::GetMonitorInfoW(::MonitorFromPoint(ptFloat, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_TRUE(CRect(mi.rcWork).PtInRect(ptFloat));
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

int CountWindows(HWND hWnd)
{
    int n = 0;
    ::EnumChildWindows(hWnd, CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST_F(LayoutStateTest, TruncatedControlsFileAtEveryByteLeavesTheFrameAsCreated)
{
    CZPToolBar* pStandard = NewBar(128, 3);
    // A blob large enough for the file: many controls on a second toolbar.
    CZPToolBar* pBig = NewBar(200, 600);
    std::vector<BYTE> blob;
    ASSERT_TRUE(m_commandBars.SaveBars(blob));
    ASSERT_GT(blob.size(), kZpMaxControlsValueBytes / 16);
    pStandard->GetControls()->RemoveAll();
    AddTestControls(pStandard, 2);
    const int nWindows = CountWindows(m_frame.m_hWnd);
    const CString strPath = ZpControlsFilePath(kProfile);
    for (size_t n = 0; n < blob.size(); ++n) {
        DeleteFiles();
        HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        DWORD cb = 0;
        ::WriteFile(hFile, blob.data(), static_cast<DWORD>(n), &cb, NULL);
        ::CloseHandle(hFile);
        m_app.WriteProfileInt(ControlsSection(), L"LoadFromFile", 1);
        m_app.WriteProfileString(ControlsSection(), L"Controls", strPath);
        m_commandBars.LoadCommandBars(kProfile);
        ASSERT_EQ(2, m_commandBars.GetCount()) << n;
        ASSERT_EQ(2, pStandard->GetControls()->GetCount()) << n;
        ASSERT_EQ(nWindows, CountWindows(m_frame.m_hWnd)) << n;
    }
    // The whole file loads.
    ASSERT_TRUE(ZpSaveControlsBlob(kProfile, blob));
    m_commandBars.LoadCommandBars(kProfile);
    EXPECT_EQ(3, pStandard->GetControls()->GetCount());
    EXPECT_EQ(600, pBig->GetControls()->GetCount());
}

TEST_F(LayoutStateTest, OptionsRoundTripAndBadValuesGiveDefaults)
{
    CZPCommandBarsOptions* pOptions = m_commandBars.GetCommandBarsOptions();
    pOptions->m_bAlwaysShowFullMenus = FALSE;
    pOptions->m_bLargeIcons = TRUE;
    pOptions->m_nAnimation = 4;
    pOptions->m_mapUsedCommands.SetAt(57601, TRUE);
    pOptions->m_mapUsedCommands.SetAt(57603, TRUE);
    m_commandBars.SaveOptions(kProfile);
    pOptions->m_bAlwaysShowFullMenus = TRUE;
    pOptions->m_bLargeIcons = FALSE;
    pOptions->m_nAnimation = 0;
    pOptions->m_mapUsedCommands.RemoveAll();
    m_commandBars.LoadOptions(kProfile);
    EXPECT_FALSE(pOptions->m_bAlwaysShowFullMenus);
    EXPECT_TRUE(pOptions->m_bLargeIcons);
    EXPECT_EQ(4, pOptions->m_nAnimation);
    EXPECT_EQ(2, static_cast<int>(pOptions->m_mapUsedCommands.GetCount()));

    // Out of range: defaults. Missing: unchanged. A count the bytes do not hold: the set stays.
    const CString strSection = CString(kProfile) + L"-Options";
    m_app.WriteProfileInt(strSection, L"LargeIcons", 7);
    m_app.WriteProfileInt(strSection, L"Animation", -1);
    m_app.WriteProfileString(strSection, L"AlwaysShowFullMenus", NULL);
    DWORD bad[] = { 0xFFFFFFFF, 1, 1 };
    m_app.WriteProfileBinary(strSection, L"UsedCommands", reinterpret_cast<LPBYTE>(bad), sizeof(bad));
    m_commandBars.LoadOptions(kProfile);
    EXPECT_FALSE(pOptions->m_bLargeIcons);
    EXPECT_EQ(0, pOptions->m_nAnimation);
    EXPECT_FALSE(pOptions->m_bAlwaysShowFullMenus);
    EXPECT_EQ(2, static_cast<int>(pOptions->m_mapUsedCommands.GetCount()));
    // Options of a schema before 8 have no used commands.
    m_app.WriteProfileInt(strSection, L"Schema", 7);
    DWORD one[] = { 1, 9000, 1 };
    m_app.WriteProfileBinary(strSection, L"UsedCommands", reinterpret_cast<LPBYTE>(one), sizeof(one));
    m_commandBars.LoadOptions(kProfile);
    EXPECT_EQ(2, static_cast<int>(pOptions->m_mapUsedCommands.GetCount()));
}

// The options' full archive form written value by value, so that a case can damage any one.
struct StoredOptions
{
    LONG nSchema = 34;
    LONG first[5] = { 0, 0, 0, 1,
                      1 };  // AlwaysShowFullMenus, ShowFullAfterDelay, ToolBar(Screen|Accel)Tips, LargeIcons
    std::vector<DWORD> used = { 1, 57601, 1 };
    LONG nAnimation = 4;
    LONG firstBars[2] = { 0, 0 };  // SyncFloatingBars, ShowExpandButtonAlways
    SIZE icons = { 20, 20 };
    SIZE largeIcons = { 32, 32 };
    std::vector<DWORD> hidden = { 1, 57602, 1 };
    LONG iconOptions[3] = { 1, 0, 0 };  // IconsWithShadow, UseDisabledIcons, UseFadedIcons
    // SyncFloatingBars, ShowExpandButtonAlways, DblClickFloat, ShowTextBelowIcons, AltDragCustomization,
    // AutoHideUnusedPopups
    LONG second[6] = { 0, 0, 1, 1, 0, 0 };
    SIZE popupIcons = { 24, 24 };
    LONG cues[2] = { 5, 1 };  // KeyboardCuesUse, KeyboardCuesShow
};

std::vector<BYTE> WriteStoredOptions(const StoredOptions& s)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        auto blob = [&ar](const std::vector<DWORD>& words) {
            ar.WriteCount(words.size() * sizeof(DWORD));
            ar.Write(words.data(), static_cast<UINT>(words.size() * sizeof(DWORD)));
        };
        ar << s.nSchema;
        for (LONG n : s.first)
            ar << n;
        if (s.nSchema >= 8) {
            blob(s.used);
            ar << s.nAnimation;
        }
        ar << s.firstBars[0] << s.firstBars[1] << s.icons.cx << s.icons.cy << s.largeIcons.cx << s.largeIcons.cy;
        blob(s.hidden);
        for (LONG n : s.iconOptions)
            ar << n;
        if (s.nSchema >= 8) {
            for (LONG n : s.second)
                ar << n;
            ar << s.popupIcons.cx << s.popupIcons.cy;
        }
        if (s.nSchema >= 9)
            ar << s.cues[0] << s.cues[1];
    }
    const size_t nSize = static_cast<size_t>(file.GetLength());
    BYTE* pData = file.Detach();
    std::vector<BYTE> bytes(pData, pData + nSize);
    free(pData);
    return bytes;
}

void LoadOptionsFrom(CZPCommandBarsOptions* pOptions, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    pOptions->Serialize(ar);
}

// The paint manager's icon options change with a load: each test puts them back.
class OptionsArchiveTest : public LayoutStateTest
{
protected:
    void SetUp() override
    {
        LayoutStateTest::SetUp();
        m_pIconOptions = ZpGetPaintManager()->GetIconOptions();
        std::copy(m_pIconOptions, m_pIconOptions + 3, m_savedIconOptions);
    }
    void TearDown() override
    {
        std::copy(m_savedIconOptions, m_savedIconOptions + 3, m_pIconOptions);
        m_commandBars.ApplyKeyboardCuesShow(ZP_CUES_SHOW_ALWAYS);
        LayoutStateTest::TearDown();
    }
    BOOL* m_pIconOptions = NULL;  // faded, disabled, shadow
    BOOL m_savedIconOptions[3] = {};
};

TEST_F(OptionsArchiveTest, FullFormStoresEveryOptionInOrderAndLoadsItBack)
{
    CZPCommandBarsOptions* pOptions = m_commandBars.GetCommandBarsOptions();
    pOptions->m_bAlwaysShowFullMenus = pOptions->m_bShowFullAfterDelay = pOptions->m_bToolBarScreenTips = FALSE;
    pOptions->m_bToolBarAccelTips = pOptions->m_bLargeIcons = TRUE;
    pOptions->m_mapUsedCommands.SetAt(57601, TRUE);
    pOptions->m_nAnimation = 4;
    pOptions->m_bSyncFloatingBars = pOptions->m_bShowExpandButtonAlways = FALSE;
    pOptions->m_szIcons = CSize(20, 20);
    pOptions->m_szLargeIcons = CSize(32, 32);
    pOptions->m_mapHiddenCommands.SetAt(57602, TRUE);
    m_pIconOptions[2] = TRUE;
    m_pIconOptions[1] = m_pIconOptions[0] = FALSE;
    pOptions->m_bDblClickFloat = pOptions->m_bShowTextBelowIcons = TRUE;
    pOptions->m_bAltDragCustomization = pOptions->m_bAutoHideUnusedPopups = FALSE;
    pOptions->m_szPopupIcons = CSize(24, 24);
    pOptions->m_nKeyboardCuesUse = 5;
    pOptions->m_nKeyboardCuesShow = ZP_CUES_SHOW_NEVER;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pOptions->Serialize(ar);
    }
    const size_t nSize = static_cast<size_t>(file.GetLength());
    BYTE* pData = file.Detach();
    const std::vector<BYTE> stored(pData, pData + nSize);
    free(pData);
    EXPECT_EQ(WriteStoredOptions(StoredOptions()), stored);

    // Back into options at their defaults.
    std::copy(m_savedIconOptions, m_savedIconOptions + 3, m_pIconOptions);
    CZPCommandBarsOptions loaded(&m_commandBars);
    LoadOptionsFrom(&loaded, stored);
    EXPECT_FALSE(loaded.m_bAlwaysShowFullMenus);
    EXPECT_FALSE(loaded.m_bToolBarScreenTips);
    EXPECT_TRUE(loaded.m_bLargeIcons);
    EXPECT_EQ(4, loaded.m_nAnimation);
    BOOL bUsed = FALSE;
    EXPECT_TRUE(loaded.m_mapUsedCommands.Lookup(57601, bUsed));
    EXPECT_TRUE(loaded.m_mapHiddenCommands.Lookup(57602, bUsed));
    EXPECT_FALSE(loaded.m_bSyncFloatingBars);
    EXPECT_EQ(CSize(32, 32), loaded.m_szLargeIcons);
    EXPECT_TRUE(m_pIconOptions[2]);
    EXPECT_FALSE(m_pIconOptions[0]);
    EXPECT_TRUE(loaded.m_bDblClickFloat);
    EXPECT_TRUE(loaded.m_bShowTextBelowIcons);
    EXPECT_FALSE(loaded.m_bAltDragCustomization);
    EXPECT_FALSE(loaded.m_bAutoHideUnusedPopups);
    EXPECT_EQ(CSize(24, 24), loaded.m_szPopupIcons);
    EXPECT_EQ(5, loaded.m_nKeyboardCuesUse);
    EXPECT_EQ(ZP_CUES_SHOW_NEVER, loaded.m_nKeyboardCuesShow);
    EXPECT_FALSE(m_commandBars.IsKeyboardCuesShown());  // applied at once
}

TEST_F(OptionsArchiveTest, DamagedValuesTakeDefaultsAndAShortArchiveChangesNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(StoredOptions&)> damage;
        std::function<void(const CZPCommandBarsOptions&)> check;
    } cases[] = {
        { "Alt-drag neither 0 nor 1: on", [](StoredOptions& s) { s.second[4] = 7; },
          [](const CZPCommandBarsOptions& o) {
              EXPECT_TRUE(o.m_bAltDragCustomization);
              EXPECT_TRUE(o.m_bShowTextBelowIcons);  // its neighbours as stored
              EXPECT_FALSE(o.m_bAutoHideUnusedPopups);
          } },
        { "numbers out of range: defaults",
          [](StoredOptions& s) {
              s.nAnimation = 99;
              s.cues[0] = -1;
              s.cues[1] = 3;
              s.icons = { -3, 16 };
              s.popupIcons = { 16, 40000 };
          },
          [](const CZPCommandBarsOptions& o) {
              EXPECT_EQ(0, o.m_nAnimation);
              EXPECT_EQ(ZP_CUES_USE_ALL_TOOLBARS, o.m_nKeyboardCuesUse);
              EXPECT_EQ(ZP_CUES_SHOW_ALWAYS, o.m_nKeyboardCuesShow);
              EXPECT_EQ(CSize(0, 0), o.m_szIcons);
              EXPECT_EQ(CSize(0, 0), o.m_szPopupIcons);
              EXPECT_EQ(CSize(32, 32), o.m_szLargeIcons);
          } },
        { "command maps whose bytes do not hold their count: kept",
          [](StoredOptions& s) {
              s.used = { 0xFFFFFFFF, 1, 1 };
              s.hidden = { 2, 57602, 1 };
          },
          [](const CZPCommandBarsOptions& o) {
              EXPECT_EQ(1, static_cast<int>(o.m_mapUsedCommands.GetCount()));
              EXPECT_EQ(1, static_cast<int>(o.m_mapHiddenCommands.GetCount()));
              EXPECT_FALSE(o.m_bAltDragCustomization);  // what follows still lines up
          } },
        { "schema 7: nothing of the later groups is read", [](StoredOptions& s) { s.nSchema = 7; },
          [](const CZPCommandBarsOptions& o) {
              EXPECT_TRUE(o.m_bLargeIcons);
              EXPECT_EQ(CSize(20, 20), o.m_szIcons);
              EXPECT_EQ(3, o.m_nAnimation);
              EXPECT_TRUE(o.m_bAltDragCustomization);
              EXPECT_EQ(2, o.m_nKeyboardCuesUse);
          } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoredOptions stored;
        c.damage(stored);
        CZPCommandBarsOptions options(&m_commandBars);
        options.m_mapUsedCommands.SetAt(1, TRUE);
        options.m_mapHiddenCommands.SetAt(2, TRUE);
        options.m_nAnimation = 3;  // seen only where nothing was read
        options.m_nKeyboardCuesUse = 2;
        LoadOptionsFrom(&options, WriteStoredOptions(stored));
        c.check(options);
    }
    // Cut anywhere: the archive's end-of-file error, and the options as they were.
    const std::vector<BYTE> whole = WriteStoredOptions(StoredOptions());
    for (size_t nKeep = 0; nKeep < whole.size(); ++nKeep) {
        CZPCommandBarsOptions options(&m_commandBars);
        BOOL bThrown = FALSE;
        try {
            LoadOptionsFrom(&options, std::vector<BYTE>(whole.begin(), whole.begin() + nKeep));
        } catch (CArchiveException* e) {
            bThrown = TRUE;
            e->Delete();
        }
        EXPECT_TRUE(bThrown) << nKeep;
        EXPECT_TRUE(options.m_bAlwaysShowFullMenus) << nKeep;
        EXPECT_TRUE(options.m_bAltDragCustomization) << nKeep;
        EXPECT_EQ(0, options.m_nAnimation) << nKeep;
        EXPECT_EQ(0, static_cast<int>(options.m_mapUsedCommands.GetCount())) << nKeep;
    }
}

TEST_F(LayoutStateTest, HiddenStatusBarStaysHiddenAndAVisibleOneWritesNothing)
{
    NewBar(128, 1);
    CZPStatusBar status;
    ASSERT_TRUE(status.CreateBar(m_frame.Frame(), 0x56008200, AFX_IDW_STATUS_BAR));
    m_commandBars.SaveCommandBars(kProfile);
    EXPECT_EQ(7u, m_app.GetProfileInt(kProfile, L"StatusBar", 7));
    status.ShowWindow(SW_HIDE);
    m_commandBars.SaveCommandBars(kProfile);
    EXPECT_EQ(0u, m_app.GetProfileInt(kProfile, L"StatusBar", 7));
    status.ShowWindow(SW_SHOWNA);
    m_commandBars.LoadCommandBars(kProfile);
    EXPECT_EQ(0u, status.GetStyle() & WS_VISIBLE);
    status.DestroyWindow();
    // Without a status bar the value goes.
    m_commandBars.SaveCommandBars(kProfile);
    EXPECT_EQ(7u, m_app.GetProfileInt(kProfile, L"StatusBar", 7));
}

}  // namespace
