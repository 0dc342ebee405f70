// Drawing read back from a DIB section; dialogs with data exchange; controls; the manifest.
#include "window_test_support.h"

#include <framework/gdi.h>
#include <framework/menu.h>

#include <gtest/gtest.h>

namespace {

// ---- drawing ----

struct DibFixture : ::testing::Test
{
    static const int kSize = 40;
    DWORD* m_pBits = NULL;   // owned by the DIB section
    CBitmap m_bitmap;
    CDC m_dc;
    CBitmap* m_pOldBitmap = NULL;

    void SetUp() override
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = kSize;
        bmi.bmiHeader.biHeight = -kSize;   // top-down
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pvBits = NULL;
        ASSERT_TRUE(m_bitmap.Attach(CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0)));
        m_pBits = static_cast<DWORD*>(pvBits);
        ASSERT_TRUE(m_dc.CreateCompatibleDC(NULL));
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, kSize, kSize, RGB(255, 255, 255));
    }
    void TearDown() override { m_dc.SelectObject(m_pOldBitmap); }

    COLORREF Pixel(int x, int y)
    {
        GdiFlush();
        DWORD bgra = m_pBits[y * kSize + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
};

TEST_F(DibFixture, PensBrushesOriginsAndClippingReachThePixels)
{
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CBrush brush(RGB(255, 0, 0));
    CPen* pOldPen = m_dc.SelectObject(&pen);
    CBrush* pOldBrush = m_dc.SelectObject(&brush);
    ASSERT_NE(pOldPen, static_cast<CPen*>(NULL));
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));   // the stock pen, as a temporary object
    m_dc.Rectangle(2, 2, 12, 12);
    m_dc.SelectObject(pOldBrush);
    m_dc.SelectObject(pOldPen);
    EXPECT_EQ(Pixel(2, 2), RGB(0, 0, 255));    // border
    EXPECT_EQ(Pixel(6, 6), RGB(255, 0, 0));    // interior
    EXPECT_EQ(Pixel(13, 13), RGB(255, 255, 255));

    int nSaved = m_dc.SaveDC();
    m_dc.SetViewportOrg(20, 20);
    m_dc.FillSolidRect(0, 0, 4, 4, RGB(0, 255, 0));
    m_dc.RestoreDC(nSaved);
    EXPECT_EQ(Pixel(21, 21), RGB(0, 255, 0));
    EXPECT_EQ(m_dc.GetViewportOrg(), CPoint(0, 0));

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(30, 0, 35, 5));
    m_dc.SelectClipRgn(&rgn);
    m_dc.FillSolidRect(25, 0, 15, 5, RGB(255, 255, 0));
    m_dc.SelectClipRgn(NULL);
    EXPECT_EQ(Pixel(32, 2), RGB(255, 255, 0));
    EXPECT_EQ(Pixel(27, 2), RGB(255, 255, 255));   // clipped away

    m_dc.MoveTo(0, 30);
    m_dc.LineTo(10, 30);
    m_dc.Draw3dRect(CRect(20, 30, 30, 38), RGB(10, 10, 10), RGB(200, 200, 200));
    EXPECT_EQ(Pixel(5, 30), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(20, 30), RGB(10, 10, 10));
    EXPECT_EQ(Pixel(29, 37), RGB(200, 200, 200));
}

TEST_F(DibFixture, BlitsBetweenDeviceContexts)
{
    CDC dcSource;
    ASSERT_TRUE(dcSource.CreateCompatibleDC(&m_dc));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&m_dc, 8, 8));
    CBitmap* pOld = dcSource.SelectObject(&bitmap);
    CBrush brush(RGB(0, 128, 255));
    dcSource.FillRect(CRect(0, 0, 8, 8), &brush);
    EXPECT_TRUE(m_dc.BitBlt(30, 30, 8, 8, &dcSource, 0, 0, SRCCOPY));
    dcSource.SelectObject(pOld);
    EXPECT_EQ(Pixel(33, 33), RGB(0, 128, 255));
    EXPECT_EQ(Pixel(29, 33), RGB(255, 255, 255));
}

TEST(GdiObjects, FromHandleGivesTemporariesOfTheRightKindAndAttachOwns)
{
    HGDIOBJ hPen = GetStockObject(BLACK_PEN);
    CGdiObject* pTemp = CGdiObject::FromHandle(hPen);
    EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(CGdiObject::FromHandle(hPen), pTemp);   // one temporary per handle
    EXPECT_TRUE(CGdiObject::FromHandle(GetStockObject(WHITE_BRUSH))->IsKindOf(RUNTIME_CLASS(CBrush)));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    EXPECT_EQ(CFont::FromHandle(font), &font);   // the owner is found, not a temporary
    LOGFONTW lf = {};
    ASSERT_GT(font.GetLogFont(&lf), 0);
    EXPECT_LT(lf.lfHeight, 0);
    HFONT hFont = static_cast<HFONT>(font.Detach());
    EXPECT_NE(CGdiObject::FromHandle(hFont), static_cast<CGdiObject*>(&font));
    DeleteObject(hFont);
}

TEST(GdiObjects, DeviceContextGivenToTheConstructorStaysTheCallers)
{
    HDC hMem = CreateCompatibleDC(NULL);
    { CDC borrowed(hMem); }
    EXPECT_EQ(GetObjectType(hMem), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(hMem);

    HDC hOwned = CreateCompatibleDC(NULL);
    {
        CDC owner;
        ASSERT_TRUE(owner.Attach(hOwned));
    }
    EXPECT_EQ(GetObjectType(hOwned), 0u);   // attached means owned: deleted with the object
}

TEST(Menus, LoadIndirectAndWalk)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 0x8001, L"&Open");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 0x8002, L"&Save");
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"&File"));
    CMenu* pSub = menu.GetSubMenu(0);
    ASSERT_NE(pSub, static_cast<CMenu*>(NULL));
    EXPECT_EQ(pSub->GetMenuItemCount(), 3);
    EXPECT_EQ(pSub->GetMenuItemID(2), 0x8002u);
    CString strText;
    pSub->GetMenuString(0, strText, MF_BYPOSITION);
    EXPECT_STREQ(strText, L"&Open");

    // The menu form of the command UI.
    CWndCmdUI state;
    state.m_pMenu = pSub;
    state.m_nIndex = 2;
    state.m_nID = 0x8002;
    state.Enable(FALSE);
    state.SetCheck(1);
    UINT nState = pSub->GetMenuState(2, MF_BYPOSITION);
    EXPECT_NE(nState & MF_GRAYED, 0u);
    EXPECT_NE(nState & MF_CHECKED, 0u);
}

// ---- dialogs ----

class CSelfDeletingDlg : public CDialog
{
public:
    explicit CSelfDeletingDlg(BOOL* pbDeleted) : m_pbDeleted(pbDeleted) {}

protected:
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override
    {
        *m_pbDeleted = TRUE;
        delete this;
    }
    BOOL* m_pbDeleted;   // borrowed
};

TEST(Dialogs, ModelessDialogDeletesItself)
{
    CDialogTemplateBuilder tmpl(L"Modeless", 100, 50);
    tmpl.AddItem(0x0080, IDCANCEL, BS_PUSHBUTTON, 10, 10, 40, 14, L"Close");
    BOOL bDeleted = FALSE;
    CSelfDeletingDlg* pDlg = new CSelfDeletingDlg(&bDeleted);
    ASSERT_TRUE(pDlg->CreateIndirect(tmpl.Get()));
    HWND hWnd = pDlg->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), pDlg);
    ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    PumpPending();
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), static_cast<CWnd*>(NULL));
}

enum { IDC_NUMBER = 100, IDC_CHECK = 101, IDC_RADIO1 = 102, IDC_RADIO2 = 103, IDC_NAME = 104 };

// Driven from the modal loop's first idle: types new values, presses OK (and Cancel, for when OK is refused).
class CDataDlg : public CDialog
{
public:
    int m_nNumber = 7;
    int m_nCheck = 1;
    int m_nRadio = 1;
    CString m_strName = L"abc";

    LPCWSTR m_pszTyped = L"42";   // what goes into the number field
    CString m_strShownNumber;
    int m_nShownCheck = -1;
    BOOL m_bShownRadio2 = FALSE;
    int m_nKickIdle = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 0, 100);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 5);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetDlgItemText(IDC_NUMBER, m_strShownNumber);
        m_nShownCheck = static_cast<int>(IsDlgButtonChecked(IDC_CHECK));
        m_bShownRadio2 = IsDlgButtonChecked(IDC_RADIO2) == BST_CHECKED;
        return TRUE;
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_nKickIdle++ > 0)
            return FALSE;
        SetDlgItemText(IDC_NUMBER, m_pszTyped);
        CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        CheckRadioButton(IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
        SetDlgItemText(IDC_NAME, L"xyz");
        PostMessage(WM_COMMAND, IDOK);
        PostMessage(WM_COMMAND, IDCANCEL);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDataDlg, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CDialogTemplateBuilder MakeDataTemplate()
{
    CDialogTemplateBuilder tmpl(L"Data", 160, 90);
    tmpl.AddItem(0x0081, IDC_NUMBER, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12);
    tmpl.AddItem(0x0080, IDC_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 20, 60, 10, L"Check");
    tmpl.AddItem(0x0080, IDC_RADIO1, BS_AUTORADIOBUTTON | WS_GROUP, 5, 32, 60, 10, L"One");
    tmpl.AddItem(0x0080, IDC_RADIO2, BS_AUTORADIOBUTTON, 5, 44, 60, 10, L"Two");
    tmpl.AddItem(0x0081, IDC_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_GROUP, 5, 56, 60, 12);
    tmpl.AddItem(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 100, 5, 50, 14, L"OK");
    tmpl.AddItem(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 100, 22, 50, 14, L"Cancel");
    return tmpl;
}

TEST(Dialogs, ModalDialogExchangesDataBothWays)
{
    CRecordingThread thread;
    CDialogTemplateBuilder tmpl = MakeDataTemplate();
    CDataDlg dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(tmpl.Get()));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strShownNumber, CString(L"7"));
    EXPECT_EQ(dlg.m_nShownCheck, 1);
    EXPECT_TRUE(dlg.m_bShownRadio2);
    EXPECT_EQ(dlg.m_nNumber, 42);
    EXPECT_EQ(dlg.m_nCheck, 0);
    EXPECT_EQ(dlg.m_nRadio, 0);
    EXPECT_EQ(dlg.m_strName, CString(L"xyz"));
    EXPECT_GT(dlg.m_nKickIdle, 0);
    EXPECT_TRUE(thread.m_boxes.empty());
    EXPECT_EQ(dlg.m_hWnd, static_cast<HWND>(NULL));
}

TEST(Dialogs, FailedValidationKeepsTheDialogAndTheMembers)
{
    struct Case { LPCWSTR pszTyped; LPCWSTR pszBox; } cases[] = {
        { L"abc", L"Please enter an integer." },
        { L"12x", L"Please enter an integer." },
        { L"99999999999", L"Please enter an integer." },
        { L"500", L"Please enter an integer between 0 and 100." },
    };
    for (const Case& c : cases) {
        CRecordingThread thread;
        CDialogTemplateBuilder tmpl = MakeDataTemplate();
        CDataDlg dlg;
        dlg.m_pszTyped = c.pszTyped;
        ASSERT_TRUE(dlg.InitModalIndirect(tmpl.Get()));
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.pszTyped;   // OK refused, then Cancel
        EXPECT_EQ(dlg.m_nNumber, c.pszTyped[0] == L'5' ? 500 : 7) << c.pszTyped;
        EXPECT_EQ(dlg.m_strName, CString(L"abc")) << c.pszTyped;   // later fields untouched
        ASSERT_EQ(thread.m_boxes.size(), 1u) << c.pszTyped;
        EXPECT_EQ(thread.m_boxes[0], c.pszBox);
    }
}

// A dialog's commands go on to its owner, then to the thread object.
class CRoutingOwner : public CWnd
{
public:
    int m_nHits = 0;

protected:
    void OnOwnerCommand() { ++m_nHits; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingOwner, CWnd)
    ON_COMMAND(0x8100, OnOwnerCommand)
    ON_CONTROL(BN_CLICKED, 0x0100, OnOwnerCommand)
END_MESSAGE_MAP()

TEST(Dialogs, CommandsRouteToTheOwnerButNotifiesStay)
{
    CRoutingOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, L"owner", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    CDialogTemplateBuilder tmpl(L"Routed", 100, 50);
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get(), &owner));
    dlg.SendMessage(WM_COMMAND, 0x8100, 0);
    EXPECT_EQ(owner.m_nHits, 1);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(0x0100, BN_CLICKED), 0);   // not a command id
    EXPECT_EQ(owner.m_nHits, 1);
    dlg.DestroyWindow();
}

class CTestPage : public CPropertyPage
{
public:
    BOOL m_bAttachedAtInit = FALSE;
    int m_nApplied = 0;

protected:
    BOOL OnInitDialog() override
    {
        m_bAttachedAtInit = FromHandlePermanent(m_hWnd) == this;
        GetParent()->PostMessage(PSM_PRESSBUTTON, PSBTN_OK);
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnApply() override
    {
        ++m_nApplied;
        return TRUE;
    }
};

TEST(Dialogs, PropertySheetRunsModalOverTheFrameworkLoop)
{
    CDialogTemplateBuilder tmpl(L"Page", 120, 60, WS_CHILD | WS_CAPTION | DS_SETFONT);
    tmpl.AddItem(0x0082, 0xFFFF, 0, 5, 5, 80, 10, L"A page");
    CTestPage page;
    page.SetTemplate(tmpl.Get());
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(page.m_bAttachedAtInit);
    EXPECT_EQ(page.m_nApplied, 1);
    EXPECT_EQ(sheet.m_hWnd, static_cast<HWND>(NULL));
}

// ---- controls ----

class CCheckParent : public CWnd
{
public:
    int m_nChanges = 0;

protected:
    void OnCheckChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckParent, CWnd)
    ON_CONTROL(CLBN_CHKCHANGE, 7, OnCheckChange)
END_MESSAGE_MAP()

TEST(Controls, CheckListBoxKeepsChecksBesideItemDataAndTellsItsParent)
{
    CCheckParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, CRect(0, 0, 200, 200), NULL, 0));
    CCheckListBox list;
    EXPECT_FALSE(list.Create(WS_VISIBLE, CRect(0, 0, 150, 150), &parent, 7));   // not owner-drawn
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, CRect(0, 0, 150, 150),
                            &parent, 7));
    EXPECT_EQ(list.AddString(L"one"), 0);
    EXPECT_EQ(list.AddString(L"two"), 1);
    list.SetItemData(1, 0x1234);
    list.SetCheck(1, 1);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetItemData(1), static_cast<DWORD_PTR>(0x1234));

    list.SetCurSel(0);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(parent.m_nChanges, 1);
    list.Enable(0, FALSE);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);   // a disabled item does not toggle
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(parent.m_nChanges, 1);

    CString strText;
    list.GetText(1, strText);
    EXPECT_STREQ(strText, L"two");
    list.DeleteString(1);   // frees its check record (reflected WM_DELETEITEM)
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(Manifest, ProgramGetsVersionSixCommonControls)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    // The module the program's own imports are bound to is the side-by-side version 6 assembly.
    // (Wine's copy answers 5.x from DllGetVersion, so the path is what tells.)
    HMODULE hComCtl = NULL;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&InitCommonControlsEx)), &hComCtl));
    WCHAR szPath[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(hComCtl, szPath, MAX_PATH), 0u);
    CString strPath(szPath);
    strPath.MakeLower();
    EXPECT_GE(strPath.Find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), 0) << strPath.GetString();
}

}  // namespace
