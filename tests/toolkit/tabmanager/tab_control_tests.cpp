// The tab control window: selection notifications and the veto, pages, focus and cues, keys,
// drag-over, closing tabs, printing and painting.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "DibSection.h"
#include "TabTestHost.h"
#include "tabmanager/ZPTabControl.h"

namespace {

const UINT kControlId = 77;
// The common-control codes, as the receiver sees them.
const int kSelChanging = -552;
const int kSelChange = -551;

// A parent that records notifications and UI-state requests and may answer them.
struct PARENT_STATE
{
    std::vector<int> codes;
    std::vector<WPARAM> uiStateChanges;
    LRESULT lSelChangingAnswer = 0;
    BOOL bHideFocus = FALSE;
    std::function<void()> onSelChanging;
};
PARENT_STATE* g_pParentState = NULL;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_pParentState != NULL) {
        if (message == WM_NOTIFY) {
            const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
            if (pHeader->idFrom == static_cast<UINT_PTR>(kControlId)) {
                g_pParentState->codes.push_back(static_cast<int>(pHeader->code));
                if (static_cast<int>(pHeader->code) == kSelChanging) {
                    if (g_pParentState->onSelChanging)
                        g_pParentState->onSelChanging();
                    return g_pParentState->lSelChangingAnswer;
                }
            }
            return 0;
        }
        if (message == WM_QUERYUISTATE)
            return g_pParentState->bHideFocus ? UISF_HIDEFOCUS : 0;
        if (message == WM_CHANGEUISTATE) {
            g_pParentState->uiStateChanges.push_back(wParam);
            return 0;
        }
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A parent window, a tab control filling it and three pages (children of the control), each
// with an edit box as its first tab stop.
class TabControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_pParentState = &m_state;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneTabControlTestParent";
        ::RegisterClassW(&wc);
        m_hWndParent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL,
                                         wc.hInstance, NULL);
        ASSERT_TRUE(m_hWndParent != NULL);
        ::SetForegroundWindow(m_hWndParent);
        ASSERT_TRUE(m_control.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 400, 300),
                                     CWnd::FromHandle(m_hWndParent), kControlId));
        for (int i = 0; i < 3; i++) {
            m_hWndPages[i] = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_control.m_hWnd,
                                               NULL, NULL, NULL);
            m_hWndEdits[i] = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20,
                                               m_hWndPages[i], NULL, NULL, NULL);
        }
    }
    void TearDown() override
    {
        if (m_control.m_hWnd != NULL)
            m_control.DestroyWindow();
        ::DestroyWindow(m_hWndParent);
        g_pParentState = NULL;
    }

    void InsertThree()
    {
        m_control.InsertItem(0, L"One", m_hWndPages[0]);
        m_control.InsertItem(1, L"Two", m_hWndPages[1]);
        m_control.InsertItem(2, L"Three", m_hWndPages[2]);
        m_state.codes.clear();
    }
    std::vector<BOOL> Visibility() const
    {
        std::vector<BOOL> result;
        for (HWND hWnd : m_hWndPages)
            result.push_back(::IsWindowVisible(hWnd) ? TRUE : FALSE);
        return result;
    }
    CPoint CentreOf(int nIndex) const { return m_control.GetItem(nIndex)->GetRect().CenterPoint(); }

    PARENT_STATE m_state;
    HWND m_hWndParent = NULL;
    HWND m_hWndPages[3] = {};
    HWND m_hWndEdits[3] = {};
    CZPTabControl m_control;
};

const std::vector<int> kChange = { kSelChanging, kSelChange };

TEST_F(TabControlTest, FirstTabAtZeroIsSelectedAtOnceLaterPagesStayHidden)
{
    m_control.InsertItem(0, L"One", m_hWndPages[0]);
    EXPECT_EQ(kChange, m_state.codes);
    EXPECT_EQ(0, m_control.GetCurSel());
    m_control.InsertItem(1, L"Two", m_hWndPages[1]);
    m_control.InsertItem(2, L"Three", m_hWndPages[2]);
    EXPECT_EQ(kChange, m_state.codes);
    EXPECT_EQ((std::vector<BOOL>{ TRUE, FALSE, FALSE }), Visibility());

    // The shown page covers the paint manager's client rectangle.
    CRect rcExpected;
    ::GetClientRect(m_control.m_hWnd, &rcExpected);
    m_control.GetPaintManager()->AdjustClientRect(&m_control, rcExpected);
    CRect rcPage;
    ::GetWindowRect(m_hWndPages[0], &rcPage);
    ::MapWindowPoints(NULL, m_control.m_hWnd, reinterpret_cast<LPPOINT>(&rcPage), 2);
    EXPECT_EQ(rcExpected, rcPage);
    EXPECT_GT(rcExpected.top, 0);

    // A tab appended first selects nothing.
    CZPTabControl other;
    ASSERT_TRUE(other.Create(WS_CHILD, CRect(0, 0, 100, 100), CWnd::FromHandle(m_hWndParent), kControlId + 1));
    other.InsertItem(-1, L"Appended", NULL);
    EXPECT_EQ(-1, other.GetCurSel());
}

TEST_F(TabControlTest, EveryChangeNotifiesAndAVetoKeepsTheOldPage)
{
    InsertThree();
    m_control.SetCurSel(2);
    EXPECT_EQ(kChange, m_state.codes);
    EXPECT_EQ((std::vector<BOOL>{ FALSE, FALSE, TRUE }), Visibility());
    EXPECT_EQ(m_hWndPages[2], m_control.GetPageWindow());

    m_state.codes.clear();
    m_control.SetCurSel(2);  // no change, no notification
    EXPECT_TRUE(m_state.codes.empty());

    m_state.lSelChangingAnswer = 1;
    m_control.SetCurSel(0);
    EXPECT_EQ(std::vector<int>{ kSelChanging }, m_state.codes);
    EXPECT_EQ(2, m_control.GetCurSel());
    EXPECT_EQ((std::vector<BOOL>{ FALSE, FALSE, TRUE }), Visibility());
}

TEST_F(TabControlTest, ReceiverDestroyingTheControlDuringSelChangingEndsTheChange)
{
    InsertThree();
    m_state.onSelChanging = [this] { m_control.DestroyWindow(); };
    m_control.SetCurSel(1);
    EXPECT_EQ(NULL, m_control.m_hWnd);
    EXPECT_EQ(std::vector<int>{ kSelChanging }, m_state.codes);
    EXPECT_EQ(0, m_control.GetCurSel());

    // A receiver that deletes the object itself.
    CZPTabControl* pOther = new CZPTabControl();
    ASSERT_TRUE(pOther->Create(WS_CHILD, CRect(0, 0, 200, 100), CWnd::FromHandle(m_hWndParent), kControlId));
    pOther->InsertItem(-1, L"A");
    pOther->InsertItem(-1, L"B");
    m_state.onSelChanging = [&pOther] {
        delete pOther;
        pOther = NULL;
    };
    ::SendMessageW(pOther->m_hWnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(NULL, pOther);
}

TEST_F(TabControlTest, ClosingTheSelectedTabShowsTheNextPageAndKeepsTheOldOneAlive)
{
    InsertThree();
    m_control.SetCurSel(1);
    m_control.GetItem(1)->SetClosable(TRUE);
    m_control.GetItem(2)->SetClosable(FALSE);
    m_state.codes.clear();
    CZPTabManagerNavigateButton* pClose = m_control.GetNavigateButton(zpTabNavigateButtonClose);
    m_control.OnNavigateButtonClick(pClose);
    ASSERT_EQ(2, m_control.GetItemCount());
    EXPECT_EQ(kChange, m_state.codes);
    EXPECT_TRUE(::IsWindow(m_hWndPages[1]));
    EXPECT_EQ((std::vector<BOOL>{ FALSE, FALSE, TRUE }), Visibility());

    // A tab that is not closable stays.
    m_control.OnNavigateButtonClick(pClose);
    EXPECT_EQ(2, m_control.GetItemCount());

    // The last tab gone, no page is shown.
    m_control.DeleteItem(1);
    m_control.DeleteItem(0);
    EXPECT_EQ((std::vector<BOOL>{ FALSE, FALSE, FALSE }), Visibility());
    EXPECT_EQ(NULL, m_control.GetPageWindow());
}

TEST_F(TabControlTest, ClicksFocusTheControlOrTheNewPage)
{
    InsertThree();
    ::SetFocus(m_hWndParent);
    // On the selected tab of a tab stop: the control takes the focus.
    CPoint pt = CentreOf(0);
    ::SendMessageW(m_control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageW(m_control.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(m_control.m_hWnd, ::GetFocus());
    EXPECT_EQ(DLGC_WANTARROWS, static_cast<UINT>(::SendMessageW(m_control.m_hWnd, WM_GETDLGCODE, 0, 0)));

    // With the focus in the control, selecting another tab leaves it there.
    pt = CentreOf(1);
    ::SendMessageW(m_control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageW(m_control.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, m_control.GetCurSel());
    EXPECT_EQ(m_control.m_hWnd, ::GetFocus());

    // From elsewhere, the new page's first tab stop takes it.
    ::SetFocus(m_hWndParent);
    pt = CentreOf(2);
    ::SendMessageW(m_control.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageW(m_control.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(2, m_control.GetCurSel());
    EXPECT_EQ(m_hWndEdits[2], ::GetFocus());
}

TEST_F(TabControlTest, KeysSelectAndShowFocusCuesWhenTheParentHidesThem)
{
    InsertThree();
    m_control.SetFocus();
    m_state.codes.clear();
    ::SendMessageW(m_control.m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(1, m_control.GetCurSel());
    EXPECT_EQ(kChange, m_state.codes);
    EXPECT_TRUE(m_state.uiStateChanges.empty());
    EXPECT_TRUE(m_control.IsFocusCueVisible());

    m_state.bHideFocus = TRUE;
    EXPECT_FALSE(m_control.IsFocusCueVisible());
    ::SendMessageW(m_control.m_hWnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(2, m_control.GetCurSel());
    EXPECT_EQ(std::vector<WPARAM>{ 0x10002 }, m_state.uiStateChanges);
    // Keyboard selection leaves the focus where it was.
    EXPECT_EQ(m_control.m_hWnd, ::GetFocus());
}

TEST_F(TabControlTest, DragOverSelectsTheTabUnderThePointAndAcceptsNoDrop)
{
    InsertThree();
    CZPTabControl::CTabControlDropTarget* pTarget = m_control.GetDropTarget();
    EXPECT_EQ(DROPEFFECT_NONE, pTarget->OnDragOver(&m_control, NULL, 0, CentreOf(2)));
    EXPECT_EQ(2, m_control.GetCurSel());
    EXPECT_EQ(kChange, m_state.codes);

    EXPECT_EQ(DROPEFFECT_NONE, pTarget->OnDragOver(&m_control, NULL, 0, CPoint(-5, -5)));
    m_control.GetPaintManager()->m_bSelectOnDragOver = FALSE;
    EXPECT_EQ(DROPEFFECT_NONE, pTarget->OnDragOver(&m_control, NULL, 0, CentreOf(0)));
    EXPECT_EQ(2, m_control.GetCurSel());
}

TEST_F(TabControlTest, DropTargetIsRegisteredOnlyWithOle)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    {
        CZPTabControl control;
        ASSERT_TRUE(control.Create(WS_CHILD, CRect(0, 0, 100, 100), CWnd::FromHandle(m_hWndParent), kControlId + 1));
        EXPECT_EQ(control.m_hWnd, control.GetDropTarget()->m_hWnd);
    }
    ::OleUninitialize();

    // A new thread has no OLE: the control is made all the same, with no drop target.
    struct RESULT
    {
        BOOL bCreated = FALSE;
        HWND hWndTarget = reinterpret_cast<HWND>(1);
    } result;
    std::thread worker([&result] {
        CZPTabControl control;
        result.bCreated = control.Create(WS_POPUP, CRect(0, 0, 100, 100), NULL, 0);
        result.hWndTarget = control.GetDropTarget()->m_hWnd;
    });
    worker.join();
    EXPECT_TRUE(result.bCreated);
    EXPECT_EQ(NULL, result.hWndTarget);
}

TEST_F(TabControlTest, ReplacedPaintManagerIsReleasedNotDeleted)
{
    CPaintManagerRef shared;
    m_control.SetPaintManager(shared.Get());
    EXPECT_EQ(shared.Get(), m_control.GetPaintManager());
    EXPECT_EQ(1, shared->GetTabManagerCount());

    CPaintManagerRef next;
    m_control.SetPaintManager(next.Get());
    // Still alive for its other holder, and no longer reached by the control.
    EXPECT_EQ(0, shared->GetTabManagerCount());
    EXPECT_EQ(1, next->GetTabManagerCount());
    m_control.SetPaintManager(NULL);
    EXPECT_EQ(next.Get(), m_control.GetPaintManager());
}

TEST_F(TabControlTest, PrintClientDrawsIntoADcAndIgnoresGarbage)
{
    InsertThree();
    struct
    {
        WPARAM wParam;
    } garbage[] = { { 0 }, { 0x1234 }, { reinterpret_cast<WPARAM>(m_hWndParent) } };
    for (const auto& entry : garbage)
        EXPECT_EQ(TRUE, ::SendMessageW(m_control.m_hWnd, WM_PRINTCLIENT, entry.wParam, PRF_CLIENT)) << entry.wParam;

    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 400, 300);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const COLORREF kMarker = RGB(1, 2, 3);
    RECT rc = { 0, 0, 400, 300 };
    HBRUSH hBrush = ::CreateSolidBrush(kMarker);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    EXPECT_EQ(TRUE, ::SendMessageW(m_control.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT));
    // The paint manager fills the whole control: no marker pixel left, in the strip or below it.
    EXPECT_NE(kMarker, ::GetPixel(hDC, 2, 2));
    EXPECT_NE(kMarker, ::GetPixel(hDC, 200, 200));
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
}

TEST_F(TabControlTest, GdiObjectsStaySteadyOverManyPaints)
{
    InsertThree();
    m_control.GetItem(1)->SetClosable(TRUE);
    ::UpdateWindow(m_control.m_hWnd);
    DWORD dwBefore = CountGdiObjects();
    for (int i = 0; i < 1000; i++) {
        m_control.SetCurSel(i % 3);
        ::RedrawWindow(m_control.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EXPECT_EQ(dwBefore, CountGdiObjects());
}

TEST_F(TabControlTest, DialogTemplatesMayNameTheClass)
{
    WNDCLASSW wc = {};
    EXPECT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), ZP_TABCONTROL_CLASSNAME, &wc));
    HWND hWnd =
        ::CreateWindowExW(0, ZP_TABCONTROL_CLASSNAME, L"", WS_CHILD, 0, 0, 200, 100, m_hWndParent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), AfxGetInstanceHandle(), NULL);
    ASSERT_TRUE(hWnd != NULL);
    CZPTabControl control;
    ASSERT_TRUE(control.SubclassWindow(hWnd));
    control.InsertItem(0, L"Only");
    // Subclassing laid the strip out over the window.
    EXPECT_EQ(CRect(0, 0, 200, 100), control.GetControlRect());
    EXPECT_FALSE(control.GetItem(0)->GetRect().IsRectEmpty());
}

// Writes the DIB as a BMP file when TOLVANE_CAPTURE_DIR names a folder, for a look by eye.
void SaveCapture(const CDibSection& dib, const char* pszName)
{
    const char* pszDir = std::getenv("TOLVANE_CAPTURE_DIR");
    if (pszDir == NULL)
        return;
    std::string strPath = std::string(pszDir) + "/" + pszName;
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = dib.Width();
    info.biHeight = -dib.Height();
    info.biPlanes = 1;
    info.biBitCount = 32;
    DWORD cbBits = static_cast<DWORD>(dib.Width() * dib.Height() * 4);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + cbBits;
    ::GdiFlush();
    std::fwrite(&file, sizeof(file), 1, pFile);
    std::fwrite(&info, sizeof(info), 1, pFile);
    std::fwrite(dib.GetBits(), cbBits, 1, pFile);
    std::fclose(pFile);
}

// The editor's main view look: property page 2003 tabs with the control's default colours.
TEST_F(TabControlTest, PropertyPage2003LookCaptured)
{
    CZPTabPaintManager* pm = m_control.GetPaintManager();
    pm->SetAppearance(3);
    InsertThree();
    m_control.SetCurSel(1);
    CDibSection dib(400, 300, RGB(1, 2, 3));
    EXPECT_EQ(TRUE,
              ::SendMessageW(m_control.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT));
    SaveCapture(dib, "tab_control_2003.bmp");

    CZPTabPaintManager::CColorSet* pColors = pm->GetColorSet();
    EXPECT_EQ(4, pm->GetColor());
    const COLORREF clrSelectedBorder = pColors->m_clrSelectedTabBorder, clrFill = pColors->m_clrSelectedFill;
    const CRect rc(m_control.GetItem(1)->GetRect());
    EXPECT_EQ(clrSelectedBorder, dib.GetPixel(rc.right, rc.top + 4));
    EXPECT_EQ(clrSelectedBorder, dib.GetPixel(rc.CenterPoint().x, rc.top));
    EXPECT_EQ(RGB(255, 255, 255), dib.GetPixel(rc.CenterPoint().x, rc.top + 1));
    EXPECT_EQ(clrFill, dib.GetPixel(rc.right - 3, rc.bottom - 1));
    EXPECT_EQ(CZPColorManager::WeightedMix(clrFill, 0xFFFFFF, 300), dib.GetPixel(rc.right - 3, rc.top + 2));
    // An unselected tab's outline, and the client area framed in the selected border colour.
    const CRect rc2(m_control.GetItem(2)->GetRect());
    EXPECT_EQ(static_cast<COLORREF>(pColors->m_clrTabBorder), dib.GetPixel(rc2.CenterPoint().x, rc2.top));
    EXPECT_EQ(clrSelectedBorder, dib.GetPixel(1, 299));
    EXPECT_EQ(clrFill, dib.GetPixel(200, 200));
    // The first tab's slope has room inside the header.
    const CRect rc0(m_control.GetItem(0)->GetRect());
    EXPECT_GE(rc0.left - rc0.Height() + 4, 0);
}

}  // namespace
