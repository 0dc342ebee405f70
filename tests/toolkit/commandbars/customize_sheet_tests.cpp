// The customize sheet: its context menu and commands on the customize selection, its modal run
// with the hooks (real input through SendInput), and its end.
#include "commandbars_test_support.h"
#include "dialog_answerer.h"
#include "message_pump.h"
#include "toolbar_test_support.h"
#include "window_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPCustomizeSheet.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPImageManager.h"

#include <functional>
#include <vector>

namespace {

const int kPickerImages = 42;
const int kMenuIds[] = { 9123, 9124, 9125, 9126, 9127, 9128, 9129, 9130, 9131, 9133, 9132, 9134 };

// A child of the frame that counts the clicks it gets.
class CClickCounter
{
public:
    explicit CClickCounter(HWND hWndParent)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneCustomizeClickCounter";
        wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 200, 250, 120, 60, hWndParent, NULL,
                                   wc.hInstance, NULL);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CClickCounter() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
    int m_nClicks = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CClickCounter* pThis = reinterpret_cast<CClickCounter*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message == WM_LBUTTONDOWN && pThis != NULL)
            ++pThis->m_nClicks;
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

// The sheet's window procedure reachable without a window.
class CTestSheet : public CZPCustomizeSheet
{
public:
    explicit CTestSheet(CZPCommandBars* pCommandBars) : CZPCustomizeSheet(pCommandBars) {}
    using CZPCustomizeSheet::WindowProc;
};

class CustomizeSheetTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        m_commandBars.SetSite(m_frame.m_hWnd);
        m_commandBars.CreateDockBars();
        m_pBar = m_commandBars.CreateToolBar(L"bar", zpBarTop);
        m_pBar->SetPaintManager(m_theme.Get());
        AddTestControls(m_pBar, 3);
        m_frame.Frame()->RecalcLayout(FALSE);
        m_page.SetTemplate(m_template.Get());
    }
    void TearDown() override
    {
        m_commandBars.SetCustomizeSelection(NULL);
        m_commandBars.RemoveAll();
        CommandBarsTest::TearDown();
    }
    static CDialogTemplateBuilder MakeTemplate()
    {
        CDialogTemplateBuilder tmpl(L"&Page", 120, 60, WS_CHILD | WS_CAPTION | DS_SETFONT);
        tmpl.AddItem(0x0082, 0xFFFF, 0, 5, 5, 80, 10, L"A page");
        return tmpl;
    }
    static void SendButton(DWORD dwFlags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = dwFlags;
        ::SendInput(1, &input, sizeof(input));
    }
    static void ClickAt(CPoint ptScreen)
    {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        SendButton(MOUSEEVENTF_LEFTDOWN);
        SendButton(MOUSEEVENTF_LEFTUP);
    }
    static CPoint Centre(CZPControl* pControl)
    {
        CPoint pt = pControl->GetRect().CenterPoint();
        ::ClientToScreen(pControl->GetParent()->GetSafeHwnd(), &pt);
        return pt;
    }

    CTestFrame m_frame;
    CGripperThemeRef m_theme;
    CZPCommandBars m_commandBars;
    CZPToolBar* m_pBar = NULL;  // borrowed from the command bars
    CDialogTemplateBuilder m_template = MakeTemplate();
    CPropertyPage m_page;
};

TEST_F(CustomizeSheetTest, ContextMenuHoldsTheTwelveCommandsInGroups)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    EXPECT_EQ(m_frame.m_hWnd, sheet.GetSite()->GetSafeHwnd());
    EXPECT_EQ(&m_commandBars, sheet.GetCommandBars());
    EXPECT_EQ(kPickerImages, sheet.GetPickerImageCount());
    CZPPopupBar* pMenu = sheet.GetContextMenu();
    ASSERT_NE(nullptr, pMenu);
    ASSERT_EQ(12, pMenu->CountControls());
    for (int i = 0; i < 12; ++i) {
        CZPControl* pControl = pMenu->ControlAt(i);
        EXPECT_EQ(kMenuIds[i], pControl->GetID());
        // Separators stand after Delete, Name, Change Button Image and Image and Text.
        const BOOL bGroup = i == 2 || i == 3 || i == 8 || i == 11;
        EXPECT_EQ(bGroup, pControl->GetBeginGroup()) << kMenuIds[i];
    }
    EXPECT_NE(nullptr, dynamic_cast<CZPCustomizeSheet::CCustomizeEdit*>(pMenu->ControlAt(2)));
    EXPECT_EQ(zpControlPopup, pMenu->ControlAt(7)->GetType());
    ASSERT_NE(nullptr, pMenu->ControlAt(7)->GetCommandBar());
    EXPECT_EQ(9130u, pMenu->ControlAt(7)->GetCommandBar()->GetBarID());
    EXPECT_EQ(CString(L"&Name:"), pMenu->ControlAt(2)->GetCaption());
}

TEST_F(CustomizeSheetTest, CommandStatesFollowTheSelection)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    CZPControl* pFirst = m_pBar->ControlAt(0);
    CZPControl* pSecond = m_pBar->ControlAt(1);
    pFirst->SetID(0);  // no icon id at all
    pSecond->SetIconId(7);
    pSecond->SetCustomStyle(2);
    pSecond->SetBeginGroup(TRUE);
    struct Case
    {
        CZPControl* pControl;
        int nId;
        BOOL bEnabled;
        BOOL bChecked;
    } cases[] = {
        // The first control: no image, no customization, first of its bar.
        { pFirst, 9123, FALSE, FALSE },
        { pFirst, 9124, TRUE, FALSE },
        { pFirst, 9125, TRUE, FALSE },
        { pFirst, 9126, FALSE, FALSE },
        { pFirst, 9128, FALSE, FALSE },
        { pFirst, 9129, FALSE, FALSE },
        { pFirst, 9130, FALSE, FALSE },
        { pFirst, 9131, FALSE, TRUE },  // shown checked and disabled without an image
        { pFirst, 9133, FALSE, FALSE },
        { pFirst, 9132, FALSE, FALSE },
        { pFirst, 9134, FALSE, FALSE },
        // The second: an icon, custom style 2 (icon only), a group.
        { pSecond, 9123, TRUE, FALSE },
        { pSecond, 9126, TRUE, FALSE },
        { pSecond, 9129, TRUE, FALSE },
        { pSecond, 9130, TRUE, FALSE },
        { pSecond, 9131, TRUE, TRUE },
        { pSecond, 9133, TRUE, FALSE },
        { pSecond, 9132, TRUE, FALSE },
        { pSecond, 9134, TRUE, TRUE },
    };
    for (const Case& c : cases) {
        m_commandBars.SetCustomizeSelection(c.pControl);
        BOOL bEnabled = -1;
        BOOL bChecked = -1;
        sheet.QueryCommandState(c.nId, &bEnabled, &bChecked);
        EXPECT_EQ(c.bEnabled, bEnabled) << c.nId << " on " << c.pControl->GetIndex();
        EXPECT_EQ(c.bChecked, bChecked) << c.nId << " on " << c.pControl->GetIndex();
    }
    m_commandBars.SetCustomizeSelection(NULL);
    BOOL bEnabled = TRUE;
    sheet.QueryCommandState(9124, &bEnabled, NULL);
    EXPECT_FALSE(bEnabled);
}

TEST_F(CustomizeSheetTest, EditButtonImageGivesTheControlTheEditedImageAsACustomIcon)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    CZPControl* pSecond = m_pBar->ControlAt(1);
    CZPImageManager* pImages = pSecond->GetImageManager();
    ASSERT_NE(nullptr, pImages);
    // An opaque 16 x 16 image as the control's own icon.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 16;
    bmi.bmiHeader.biHeight = -16;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    ASSERT_NE(nullptr, hBitmap);
    for (int i = 0; i < 16 * 16; ++i)
        static_cast<DWORD*>(pBits)[i] = 0xFF0000FF;
    CZPImageManagerStateImage image;
    image.TakeBitmap(hBitmap);
    const UINT nIconId = pImages->AddCustomIcon(&image);
    ASSERT_NE(0u, nIconId);
    pSecond->SetIconId(static_cast<int>(nIconId));
    m_commandBars.SetCustomizeSelection(pSecond);

    {
        CDialogAnswerer answerer;  // the button editor, run modally, ends with OK
        answerer.Queue(IDOK);
        EXPECT_TRUE(sheet.RunCommand(9129));
        EXPECT_EQ(1u, answerer.m_captions.size());
    }
    // The edited image went into a new custom icon; the control's own icon is untouched.
    const int nCustom = pSecond->GetCustomIconId();
    EXPECT_GT(nCustom, 0);
    EXPECT_NE(static_cast<int>(nIconId), nCustom);
    EXPECT_NE(nullptr, pImages->GetImage(static_cast<UINT>(nCustom), 16));
    m_commandBars.SetCustomizeSelection(NULL);
}

TEST_F(CustomizeSheetTest, CommandsChangeTheSelectedControl)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    CZPControl* pSecond = m_pBar->ControlAt(1);
    pSecond->SetIconId(7);
    m_commandBars.SetCustomizeSelection(pSecond);
    EXPECT_TRUE(sheet.RunCommand(9133));
    EXPECT_EQ(1, pSecond->GetCustomStyle());
    EXPECT_TRUE(sheet.RunCommand(9132));
    EXPECT_EQ(3, pSecond->GetCustomStyle());
    EXPECT_TRUE(sheet.RunCommand(9134));
    EXPECT_TRUE(pSecond->GetBeginGroup());
    EXPECT_TRUE(sheet.RunCommand(9123));
    EXPECT_EQ(-1, pSecond->GetCustomStyle());
    EXPECT_FALSE(sheet.RunCommand(9123));  // nothing customized any more
    // Delete takes the control out of its bar and clears the selection.
    const int nCount = m_pBar->CountControls();
    EXPECT_TRUE(sheet.RunCommand(9124));
    EXPECT_EQ(nCount - 1, m_pBar->CountControls());
    EXPECT_EQ(nullptr, m_commandBars.GetCustomizeSelection());
    EXPECT_FALSE(sheet.RunCommand(9124));
}

TEST_F(CustomizeSheetTest, APickerImageBecomesTheControlsCustomIcon)
{
    CTestSheet sheet(&m_commandBars);
    CZPControl* pControl = m_pBar->ControlAt(1);
    pControl->SetIconId(7);
    m_commandBars.SetCustomizeSelection(pControl);
    CZPCommandBar* pPicker = sheet.GetContextMenu()->ControlAt(7)->GetCommandBar();
    // Filled once when it is about to show: the same 42 buttons the second time.
    for (int i = 0; i < 2; ++i) {
        sheet.WindowProc(ZpMsgInitPopup, 0, reinterpret_cast<LPARAM>(pPicker));
        EXPECT_EQ(kPickerImages, pPicker->CountControls());
    }
    EXPECT_EQ(144, pPicker->GetMRUWidth());
    ZpControlNotifyRecord record = {};
    record.hdr.code = ZpNotifyExecute;
    record.pControl = pPicker->ControlAt(4);
    EXPECT_EQ(1, sheet.WindowProc(ZpMsgExecute, 9130, reinterpret_cast<LPARAM>(&record)));
    EXPECT_GT(pControl->GetCustomIconId(), 0);
}

// A popup bar's control takes the right button in customize mode as a toolbar's does.
TEST_F(CustomizeSheetTest, RightClickOnAPopupBarsControlSelectsItAndOpensTheMenu)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    CRefPtr<CZPPopupBar> popup;
    popup.Attach(ZpCreatePopupBar(&m_commandBars));
    popup->SetPaintManager(m_theme.Get());
    AddTestControls(popup.Get(), 3);
    m_commandBars.GetDragTracker()->SetSheet(&sheet);
    CStepDriver steps;
    for (BOOL bCustomize : { FALSE, TRUE }) {
        SCOPED_TRACE(bCustomize ? "customize mode" : "outside customize mode");
        m_commandBars.SetCustomizeMode(bCustomize);
        ASSERT_TRUE(popup->Popup(40, 40, NULL));
        CZPControl* pItem = popup->ControlAt(1);
        BOOL bMenuShown = FALSE;
        if (bCustomize) {
            steps.m_steps = { [&] {
                bMenuShown = ::IsWindowVisible(sheet.GetContextMenu()->GetSafeHwnd());
                sheet.GetContextMenu()->EndTracking();
            } };
            steps.m_nNext = 0;
            steps.Start();
        }
        const CPoint pt = pItem->GetRect().CenterPoint();
        ::SendMessageW(popup->GetSafeHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        EXPECT_EQ(bCustomize, bMenuShown);
        EXPECT_EQ(bCustomize ? pItem : NULL, m_commandBars.GetCustomizeSelection());
        popup->EndTracking();
        m_commandBars.SetCustomizeSelection(NULL);
    }
    m_commandBars.SetCustomizeMode(FALSE);
    m_commandBars.GetDragTracker()->SetSheet(NULL);
}

TEST_F(CustomizeSheetTest, ModalRunHooksTheFrameAndCloseEndsIt)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    sheet.AddCustomizePage(&m_page);
    CClickCounter counter(m_frame.m_hWnd);
    CZPControl* pControl = m_pBar->ControlAt(2);
    CStepDriver steps;
    HWND hWndSheet = NULL;
    BOOL bHooked = FALSE;
    INT_PTR nSecond = 0;
    CZPControl* pSelected = NULL;
    steps.m_steps = {
        [&] {
            hWndSheet = sheet.GetSafeHwnd();
            ZpCustomizeHookRecord* pRecord = CZPCustomizeSheet::GetRunningRecord();
            bHooked = pRecord != NULL && pRecord->pSheet == &sheet && pRecord->hMouseHook != NULL &&
                      pRecord->hKeyboardHook != NULL && pRecord->hCallWndHook != NULL;
            EXPECT_TRUE(m_commandBars.IsCustomizeMode());
            EXPECT_EQ(&sheet, m_commandBars.GetDragTracker()->GetSheet());
            EXPECT_TRUE(::IsWindowEnabled(m_frame.m_hWnd));  // the frame stays enabled
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hWndSheet, IDOK)));
            WCHAR szClose[32] = {};
            ::GetDlgItemTextW(hWndSheet, IDCANCEL, szClose, 32);
            EXPECT_STREQ(L"Close", szClose);
            // A second sheet does not start.
            CZPCustomizeSheet other(&m_commandBars);
            nSecond = other.DoModal();
            ::SetWindowPos(hWndSheet, NULL, 720, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            ::SetForegroundWindow(hWndSheet);
        },
        [&] {
            // The frame's own window ignores the click; the bar's control takes it.
            CPoint pt(260, 280);
            ::ClientToScreen(m_frame.m_hWnd, &pt);
            ClickAt(pt);
            ClickAt(Centre(pControl));
            PumpUntil([&] { return m_commandBars.GetCustomizeSelection() == pControl; });
            PumpUntil([&] { return false; }, 50);
            pSelected = m_commandBars.GetCustomizeSelection();
        },
        [&] { ::SendMessageW(::GetDlgItem(hWndSheet, IDCANCEL), BM_CLICK, 0, 0); },
    };
    steps.Start();
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(bHooked);
    EXPECT_EQ(IDCANCEL, nSecond);
    EXPECT_EQ(0, counter.m_nClicks);
    EXPECT_EQ(pControl, pSelected);
    // Everything is undone after Close: customize mode ends with its selection.
    EXPECT_EQ(nullptr, m_commandBars.GetCustomizeSelection());
    EXPECT_EQ(nullptr, CZPCustomizeSheet::GetRunningRecord());
    EXPECT_EQ(nullptr, sheet.GetHookRecord().hMouseHook);
    EXPECT_EQ(nullptr, sheet.GetHookRecord().hKeyboardHook);
    EXPECT_EQ(nullptr, sheet.GetHookRecord().hCallWndHook);
    EXPECT_FALSE(m_commandBars.IsCustomizeMode());
    EXPECT_EQ(nullptr, m_commandBars.GetDragTracker()->GetSheet());
    EXPECT_EQ(nullptr, sheet.GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hWndSheet));
    // With the hooks gone the frame's window takes clicks again.
    ::SetForegroundWindow(m_frame.m_hWnd);
    CPoint pt(260, 280);
    ::ClientToScreen(m_frame.m_hWnd, &pt);
    ClickAt(pt);
    EXPECT_TRUE(PumpUntil([&] { return counter.m_nClicks > 0; }));
}

TEST_F(CustomizeSheetTest, TheFrameRefusesToCloseWhileTheSheetRuns)
{
    CZPCustomizeSheet sheet(&m_commandBars);
    sheet.AddCustomizePage(&m_page);
    CStepDriver steps;
    LRESULT lResult = 0;
    BOOL bConsumed = FALSE;
    steps.m_steps = {
        [&] { bConsumed = m_commandBars.FilterFrameMessage(WM_CLOSE, 0, 0, &lResult); },
        [&] { ::SendMessageW(::GetDlgItem(sheet.GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0); },
    };
    steps.Start();
    sheet.DoModal();
    EXPECT_TRUE(bConsumed);
    EXPECT_FALSE(m_commandBars.FilterFrameMessage(WM_CLOSE, 0, 0, &lResult));
}

}  // namespace
