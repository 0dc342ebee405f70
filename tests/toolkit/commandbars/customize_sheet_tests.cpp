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
#include "common/ZPImageClipboard.h"
#include "common/ZPImageManager.h"

#include "DibSection.h"
#include "image_test_support.h"

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

// One step per tick of a thread timer: a tick comes only once the input sent before it has been
// taken by whatever loop runs, so each step sees the effect of the keys the last one pressed.
class CTimerSteps
{
public:
    ~CTimerSteps() { Stop(); }
    void Start()
    {
        s_pThis = this;
        m_nTimer = ::SetTimer(NULL, 0, kTickMs, Tick);
    }
    void Stop()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        m_nTimer = 0;
        s_pThis = NULL;
    }
    std::vector<std::function<void()>> m_steps;

private:
    static const UINT kTickMs = 50;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pThis == NULL || s_pThis->m_nNext >= s_pThis->m_steps.size())
            return;
        try {
            s_pThis->m_steps[s_pThis->m_nNext++]();
        } catch (...) {
        }
    }
    static CTimerSteps* s_pThis;
    size_t m_nNext = 0;
    UINT_PTR m_nTimer = 0;
};
CTimerSteps* CTimerSteps::s_pThis = NULL;

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

// Real keys while the sheet runs in the foreground: they reach the sheet, the frame's
// accelerators stay quiet, and the sheet's keys switch pages.
TEST_F(CustomizeSheetTest, RealKeysReachTheSheetAndSwitchPagesButNotTheFramesAccelerators)
{
    const WORD kEditId = 300;
    const WORD kAccelCommand = 4242;
    CDialogTemplateBuilder tmpl(L"&Page", 120, 60, WS_CHILD | WS_CAPTION | DS_SETFONT);
    tmpl.AddItem(0x0081, kEditId, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 80, 12);
    CPropertyPage page;
    page.SetTemplate(tmpl.Get());
    CZPCustomizeSheet sheet(&m_commandBars, 2);  // Tool&bars, &Commands, then the page
    sheet.AddCustomizePage(&page);
    // Ctrl+Q is a frame accelerator; its command is counted where the frame receives it.
    ACCEL accel = { FVIRTKEY | FCONTROL, 'Q', kAccelCommand };
    HACCEL hAccel = ::CreateAcceleratorTableW(&accel, 1);
    m_frame.Frame()->m_hAccelTable = hAccel;
    static int s_nAccelCommands;
    static WNDPROC s_pfnFrameProc;
    s_nAccelCommands = 0;
    s_pfnFrameProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        m_frame.m_hWnd, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message == WM_COMMAND && LOWORD(wParam) == 4242)
                ++s_nAccelCommands;
            return ::CallWindowProcW(s_pfnFrameProc, hWnd, message, wParam, lParam);
        })));
    // Each chord is pressed and released in order.
    auto press = [](std::vector<WORD> keys) {
        std::vector<INPUT> inputs;
        auto add = [&inputs](WORD vk, DWORD dwFlags) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.dwFlags = dwFlags;
            inputs.push_back(in);
        };
        for (WORD vk : keys)
            add(vk, 0);
        for (auto it = keys.rbegin(); it != keys.rend(); ++it)
            add(*it, KEYEVENTF_KEYUP);
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    };
    HWND hWndSheet = NULL;
    CString strTyped;
    std::vector<int> pages;
    CTimerSteps steps;
    steps.m_steps = {
        [&] {
            hWndSheet = sheet.GetSafeHwnd();
            ::SetForegroundWindow(hWndSheet);
            ::SetFocus(::GetDlgItem(page.GetSafeHwnd(), kEditId));
        },
        [&] {
            press({ 'A' });
            press({ 'B' });
            press({ VK_CONTROL, 'Q' });
        },
        [&] {
            WCHAR szText[16] = {};
            ::GetWindowTextW(::GetDlgItem(page.GetSafeHwnd(), kEditId), szText, 16);
            strTyped = szText;
        },
    };
    // Ctrl+Tab wraps to the first page, Alt+C picks "&Commands", Ctrl+PageDown the next, Alt+B
    // "Tool&bars"; each step notes the page the keys before it chose.
    const std::vector<std::vector<WORD>> switches = {
        { VK_CONTROL, VK_TAB }, { VK_MENU, 'C' }, { VK_CONTROL, VK_NEXT }, { VK_MENU, 'B' }
    };
    for (size_t i = 0; i <= switches.size(); ++i) {
        steps.m_steps.push_back([&, i] {
            if (i > 0)
                pages.push_back(sheet.GetActiveIndex());
            if (i < switches.size())
                press(switches[i]);
            else
                ::SendMessageW(::GetDlgItem(hWndSheet, IDCANCEL), BM_CLICK, 0, 0);
        });
    }
    steps.Start();
    sheet.DoModal();
    steps.Stop();
    ::SetWindowLongPtrW(m_frame.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_pfnFrameProc));
    m_frame.Frame()->m_hAccelTable = NULL;
    ::DestroyAcceleratorTable(hAccel);
    EXPECT_EQ(CString(L"ab"), strTyped);
    EXPECT_EQ(0, s_nAccelCommands);
    EXPECT_EQ((std::vector<int>{ 0, 1, 2, 0 }), pages);
}

// Copy Button Image and Paste Button Image through the sheet's commands: alpha and opaque pictures
// come back pixel for pixel, by the icon set and by the bitmap another program would leave.
TEST_F(CustomizeSheetTest, ButtonImagesRoundTripThroughTheClipboard)
{
    static const int kSide = 16;
    const COLORREF kBack = RGB(10, 200, 30);
    CZPCustomizeSheet sheet(&m_commandBars);
    CZPControl* pSource = m_pBar->ControlAt(0);
    CZPControl* pTarget = m_pBar->ControlAt(2);
    CZPImageManager* pImages = pSource->GetImageManager();
    ASSERT_NE(nullptr, pImages);
    // A straight-alpha picture: opaque, half-transparent and transparent parts.
    auto alphaImage = [&](CZPImageManagerStateImage& image) {
        image.TakeBitmap(MakeAlphaBitmap(kSide, kSide, [](int x, int y) {
            return x < kSide / 2 ? Bgra(192, 96, 32, 255) : y < kSide / 2 ? Bgra(0, 128, 255, 128) : 0;
        }));
    };
    // An icon with a mask: one colour inside a transparent border.
    auto opaqueImage = [&](CZPImageManagerStateImage& image) {
        image.AttachIcon(MakeMaskedIcon(kSide, kSide, RGB(200, 40, 40)));
    };
    // What the icon of an id draws over the background.
    auto render = [&](UINT nId, CDibSection& dib) {
        CZPImageManagerIcon* pIcon = pImages->GetImage(nId, kSide);
        ASSERT_NE(nullptr, pIcon);
        pIcon->DrawNormal(CDC::FromHandle(dib.GetDC()), 0, 0);
        ::GdiFlush();
    };
    // Leaves only the CF_BITMAP (and the alpha marker) the copy put there.
    auto keepOnlyTheBitmap = [&](BOOL bAlpha) {
        ASSERT_TRUE(::OpenClipboard(NULL));
        HBITMAP hCopy =
            static_cast<HBITMAP>(::CopyImage(::GetClipboardData(CF_BITMAP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ::EmptyClipboard();
        EXPECT_TRUE(ZpSetClipboardBitmap(hCopy, bAlpha));
        ::CloseClipboard();
    };
    struct Case
    {
        const char* name;
        BOOL bAlpha;
        BOOL bBitmapOnly;
    } cases[] = {
        { "alpha, icon set", TRUE, FALSE },
        { "alpha, bitmap with the marker", TRUE, TRUE },
        { "opaque, icon set", FALSE, FALSE },
        { "opaque, bitmap over button face", FALSE, TRUE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZPImageManagerStateImage image;
        if (c.bAlpha)
            alphaImage(image);
        else
            opaqueImage(image);
        const UINT nSourceId = pImages->AddCustomIcon(&image);
        ASSERT_NE(0u, nSourceId);
        pSource->SetIconId(static_cast<int>(nSourceId));
        pTarget->SetIconId(7);
        pTarget->SetCustomIconId(0);
        m_commandBars.SetCustomizeSelection(pSource);
        ASSERT_TRUE(sheet.RunCommand(9126));
        ASSERT_TRUE(::OpenClipboard(NULL));
        EXPECT_EQ(c.bAlpha, ::IsClipboardFormatAvailable(CF_ZPALPHABITMAP));
        ::CloseClipboard();
        if (c.bBitmapOnly)
            keepOnlyTheBitmap(c.bAlpha);
        m_commandBars.SetCustomizeSelection(pTarget);
        ASSERT_TRUE(sheet.RunCommand(9127));
        ASSERT_GT(pTarget->GetCustomIconId(), 0);
        CDibSection expected(kSide, kSide, kBack);
        CDibSection pasted(kSide, kSide, kBack);
        render(nSourceId, expected);
        render(static_cast<UINT>(pTarget->GetCustomIconId()), pasted);
        int nOff = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const COLORREF a = expected.GetPixel(x, y);
                const COLORREF b = pasted.GetPixel(x, y);
                const bool bClose = abs(GetRValue(a) - GetRValue(b)) <= 2 && abs(GetGValue(a) - GetGValue(b)) <= 2 &&
                                    abs(GetBValue(a) - GetBValue(b)) <= 2;
                if (!bClose && nOff++ < 4)
                    ADD_FAILURE() << x << ", " << y << ": " << std::hex << a << " pasted " << b;
            }
        }
        EXPECT_EQ(0, nOff);
        // The transparent corner lets the background through.
        EXPECT_EQ(kBack, pasted.GetPixel(kSide - 1, kSide - 1));
    }
    m_commandBars.SetCustomizeSelection(NULL);
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
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
