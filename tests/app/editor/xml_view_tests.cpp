// The XML editor view: loading the document's text, the modified flag, commands and panes.
#include "app_test_support.h"

#include "AppIds.h"
#include "DibSection.h"

#include <markup/ZPMarkupHyperlink.h>
#include <markup/ZPMarkupRoutedEvent.h>
#include <markup/ZPMarkupValues.h>
#include <markup/ZPMarkupVisual.h>

#include <vector>

namespace {

const char kXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict>\n\t<key>a</key>\n"
    "\t<string>b</string>\n</dict>\n</plist>\n";

class CTextRecorder : public CCmdUI
{
public:
    CString m_strText;
    void SetText(LPCWSTR lpszText) override { m_strText = lpszText; }
};

class XmlViewTest : public DocHostTest
{
protected:
    void OpenFixture()
    {
        const std::wstring path = TestFolder() + L"view.plist";
        WriteFileBytes(path, kXml);
        ASSERT_TRUE(m_host->Open(path));
    }
    CString PaneText(UINT nID)
    {
        CTextRecorder cmdui;
        cmdui.m_nID = nID;
        cmdui.DoUpdate(&m_host->View(), FALSE);
        return cmdui.m_strText;
    }
    void Command(UINT nID) { m_host->View().SendMessage(WM_COMMAND, nID); }
};

const UINT kTextCommands[] = {
    ID_EDIT_COPY,          ID_EDIT_CUT,           ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL,   ID_EDIT_TOGGLE_BOOKMARK,
    ID_EDIT_NEXT_BOOKMARK, ID_EDIT_PREV_BOOKMARK, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW
};

TEST_F(XmlViewTest, WithoutTextTheEditorIsHiddenAndItsCommandsAreOff)
{
    ASSERT_TRUE(m_host->New());
    EXPECT_TRUE(m_host->View().IsStartPageShown());
    EXPECT_FALSE(m_host->Editor().IsWindowVisible());
    EXPECT_FALSE(m_host->Editor().IsWindowEnabled());
    for (UINT nID : kTextCommands)
        EXPECT_FALSE(m_host->IsEnabled(nID)) << nID;
    EXPECT_FALSE(m_host->IsEnabled(ID_EDIT_UNDO));
    EXPECT_TRUE(m_host->IsEnabled(ID_VIEW_LINE_NUMBERS));

    OpenFixture();
    EXPECT_FALSE(m_host->View().IsStartPageShown());
    EXPECT_TRUE(m_host->Editor().IsWindowVisible());
    CRect rectView, rectEditor;
    m_host->View().GetClientRect(&rectView);
    m_host->Editor().GetWindowRect(&rectEditor);
    EXPECT_EQ(rectEditor.Width(), rectView.Width());
    for (UINT nID : kTextCommands)
        EXPECT_TRUE(m_host->IsEnabled(nID)) << nID;
    EXPECT_EQ(m_host->EditorText(), kXml);

    // A new document hides the editor again.
    ASSERT_TRUE(m_host->New());
    EXPECT_TRUE(m_host->View().IsStartPageShown());
    EXPECT_FALSE(m_host->Editor().IsWindowVisible());
}

TEST_F(XmlViewTest, AfterOpeningUndoIsOffAndTheFirstEditMarksTheDocument)
{
    OpenFixture();
    EXPECT_FALSE(m_host->IsEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(m_host->Doc().IsModified());

    m_host->Editor().Call(SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>("x"));
    EXPECT_TRUE(m_host->Doc().IsModified());
    EXPECT_TRUE(m_host->IsEnabled(ID_EDIT_UNDO));
    Command(ID_EDIT_UNDO);
    // Back at the save point, the document stays modified.
    EXPECT_EQ(m_host->EditorText(), kXml);
    EXPECT_TRUE(m_host->Doc().IsModified());
    EXPECT_TRUE(m_host->IsEnabled(ID_EDIT_REDO));

    // Opening again starts clean.
    OpenFixture();
    EXPECT_FALSE(m_host->Doc().IsModified());
    EXPECT_FALSE(m_host->IsEnabled(ID_EDIT_UNDO));
}

TEST_F(XmlViewTest, PanesShowTheCaretAndOvertypeWhichHasItsOwnCommand)
{
    OpenFixture();
    EXPECT_STREQ(PaneText(ID_INDICATOR_LINE_COL).GetString(), L"Line: 1 Col: 1");
    // Line 5 begins with a tab: the column counts it as the tab width, 3.
    m_host->Editor().GotoPosition(m_host->Editor().Call(SCI_POSITIONFROMLINE, 4) + 1);
    EXPECT_STREQ(PaneText(ID_INDICATOR_LINE_COL).GetString(), L"Line: 5 Col: 4");

    EXPECT_STREQ(PaneText(ID_INDICATOR_OVR).GetString(), L"");
    Command(ID_EDIT_OVERTYPE);
    EXPECT_TRUE(m_host->Editor().GetOvertype());
    EXPECT_STREQ(PaneText(ID_INDICATOR_OVR).GetString(), L"OVR");
    Command(ID_EDIT_OVERTYPE);
    EXPECT_STREQ(PaneText(ID_INDICATOR_OVR).GetString(), L"");
}

TEST_F(XmlViewTest, CommandsReachTheEditor)
{
    OpenFixture();
    CScintillaWnd& editor = m_host->Editor();
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_TRUE(editor.HasBookmark(1));
    editor.GotoLine(3);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    editor.GotoLine(2);
    Command(ID_EDIT_NEXT_BOOKMARK);
    EXPECT_EQ(editor.GetCurrentLine(), 3);
    Command(ID_EDIT_PREV_BOOKMARK);
    EXPECT_EQ(editor.GetCurrentLine(), 1);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_FALSE(editor.HasBookmark(1));

    Command(ID_VIEW_LINE_NUMBERS);
    EXPECT_EQ(editor.Call(SCI_GETMARGINWIDTHN, 0), 0);
    EXPECT_FALSE(editor.GetDisplayLineNumbers());
    Command(ID_VIEW_LINE_NUMBERS);
    EXPECT_GT(editor.Call(SCI_GETMARGINWIDTHN, 0), 0);

    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(editor.GetSelectionEnd(), static_cast<Sci_Position>(sizeof kXml - 1));
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(m_host->EditorText(), "");
}

TEST_F(XmlViewTest, TheFontDialogsChoiceGoesToTheStyleAtTheCaret)
{
    OpenFixture();
    CScintillaWnd& editor = m_host->Editor();
    editor.GotoPosition(editor.Call(SCI_POSITIONFROMLINE, 1) + 1);  // inside "<plist"
    const int nStyle = editor.GetCurrentStyle();
    CFontDialog dlg;
    lstrcpyW(dlg.m_lf.lfFaceName, L"\x6E38\x30B4\x30B7\x30C3\x30AF");  // a face name outside any ANSI page
    dlg.m_lf.lfWeight = 700;
    dlg.m_lf.lfItalic = TRUE;
    dlg.m_cf.iPointSize = 125;
    m_host->View().ApplyFont(dlg);
    char szFace[64] = {};
    editor.Call(SCI_STYLEGETFONT, nStyle, reinterpret_cast<LPARAM>(szFace));
    EXPECT_STREQ(szFace, "\xE6\xB8\xB8\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
    EXPECT_EQ(editor.Call(SCI_STYLEGETSIZE, nStyle), 12);
    EXPECT_TRUE(editor.Call(SCI_STYLEGETBOLD, nStyle));
    EXPECT_TRUE(editor.Call(SCI_STYLEGETITALIC, nStyle));
    EXPECT_FALSE(editor.Call(SCI_STYLEGETUNDERLINE, nStyle));
}

// ---- the start page ----

struct CUrlCall
{
    HWND hWnd;
    std::wstring url;
    int nShowCmd;
    std::wstring extension;
};
std::vector<CUrlCall> g_urlCalls;

BOOL RecordUrl(HWND hWnd, LPCWSTR lpszUrl, int nShowCmd, LPCWSTR lpszExtension)
{
    g_urlCalls.push_back({ hWnd, lpszUrl, nShowCmd, lpszExtension });
    return TRUE;
}

// The links of the page in document order.
void CollectLinks(CZPMarkupObject* pObject, std::vector<CZPMarkupHyperlink*>& links)
{
    if (CZPMarkupHyperlink* pLink = ZpMarkupCast<CZPMarkupHyperlink>(pObject))
        links.push_back(pLink);
    for (int i = 0; i < pObject->GetLogicalChildrenCount(); i++) {
        if (CZPMarkupObject* pChild = pObject->GetLogicalChild(i))
            CollectLinks(pChild, links);
    }
}

class StartPageTest : public XmlViewTest
{
protected:
    void SetUp() override
    {
        g_urlCalls.clear();
        CXmlView::SetUrlOpener(&RecordUrl);
        XmlViewTest::SetUp();
    }
    void TearDown() override
    {
        XmlViewTest::TearDown();
        CXmlView::SetUrlOpener(NULL);
        CXmlView::SetStartPageText(NULL);
    }
    // The view's client area as painted on the screen.
    std::unique_ptr<CDibSection> PaintedView()
    {
        CXmlView& view = m_host->View();
        CRect rect;
        view.GetClientRect(&rect);
        view.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        std::unique_ptr<CDibSection> dib(new CDibSection(rect.Width(), rect.Height(), RGB(1, 2, 3)));
        HDC hDC = ::GetDC(view.m_hWnd);
        ::BitBlt(dib->GetDC(), 0, 0, rect.Width(), rect.Height(), hDC, 0, 0, SRCCOPY);
        ::ReleaseDC(view.m_hWnd, hDC);
        return dib;
    }
    int PageVisibility()
    {
        CZPMarkupEnum* pValue = ZpMarkupCast<CZPMarkupEnum>(
            m_host->View().GetPageElement()->GetValue(CZPMarkupUIElement::m_pVisibilityProperty));
        return pValue != NULL ? pValue->m_nValue : -1;
    }
};

TEST_F(StartPageTest, ThePageIsPaintedInPlaceOfTheEditor)
{
    ASSERT_TRUE(m_host->New());
    ASSERT_NE(nullptr, m_host->View().GetPageElement());
    EXPECT_EQ(0, PageVisibility());
    std::unique_ptr<CDibSection> dib = PaintedView();
    const int cx = dib->Width(), cy = dib->Height();
    ASSERT_GT(cx, 40);
    ASSERT_GT(cy, 40);
    // A grey one-pixel border round a white ground.
    const COLORREF kBorder = RGB(0x76, 0x76, 0x76), kWhite = RGB(255, 255, 255), kRule = RGB(0x9e, 0xbb, 0xdd);
    for (POINT pt : { POINT{ 0, 0 }, POINT{ cx - 1, 0 }, POINT{ 0, cy - 1 }, POINT{ cx - 1, cy - 1 },
                      POINT{ cx / 2, 0 }, POINT{ 0, cy / 2 } })
        EXPECT_EQ(kBorder, dib->GetPixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    for (POINT pt : { POINT{ 1, 1 }, POINT{ cx - 2, cy - 2 }, POINT{ cx - 3, cy / 2 }, POINT{ cx / 2, cy - 3 } })
        EXPECT_EQ(kWhite, dib->GetPixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    // The first rule: one pixel high, inside the border and the padding of 4.
    int y = 1;
    while (y < cy && dib->GetPixel(cx - 10, y) != kRule)
        y++;
    ASSERT_LT(y, cy) << "no rule";
    EXPECT_EQ(kWhite, dib->GetPixel(cx - 10, y - 1));
    EXPECT_EQ(kRule, dib->GetPixel(5, y));
    EXPECT_EQ(kWhite, dib->GetPixel(4, y));
    EXPECT_EQ(kRule, dib->GetPixel(cx - 6, y));
    EXPECT_EQ(kWhite, dib->GetPixel(cx - 5, y));

    // With a text the page is hidden, without one it shows again.
    OpenFixture();
    EXPECT_EQ(1, PageVisibility());
    ASSERT_TRUE(m_host->New());
    EXPECT_EQ(0, PageVisibility());
}

TEST_F(StartPageTest, LinksOpenOnlyWebAddressesAndTheClickIsAlwaysHandled)
{
    ASSERT_TRUE(m_host->New());
    ASSERT_NE(nullptr, m_host->View().GetPageElement());
    std::vector<CZPMarkupHyperlink*> links;
    CollectLinks(m_host->View().GetPageElement(), links);
    ASSERT_EQ(2u, links.size());

    // A click raised by a link reaches the view through its context.
    for (CZPMarkupHyperlink* pLink : links)
        pLink->OnClick();
    ASSERT_EQ(2u, g_urlCalls.size());
    const std::wstring expected[] = { L"http://www.example.com/", L"http://www.example.com/blog/" };
    CWnd* pMainWnd = AfxGetMainWnd();
    for (size_t i = 0; i < 2; i++) {
        EXPECT_EQ(expected[i], g_urlCalls[i].url);
        EXPECT_EQ(pMainWnd != NULL ? pMainWnd->m_hWnd : NULL, g_urlCalls[i].hWnd);
        EXPECT_EQ(SW_SHOW, g_urlCalls[i].nShowCmd);
        EXPECT_EQ(L".htm", g_urlCalls[i].extension);
    }

    g_urlCalls.clear();
    CZPMarkupHyperlink* pLink = links[0];
    const struct
    {
        const wchar_t* lpszTag;  // NULL: a number
        size_t nOpened;
    } cases[] = { { L"https://www.example.com/", 0 },
                  { L"HTTP://www.example.com/", 0 },
                  { L"http:/", 0 },
                  { L"", 0 },
                  { L" http://www.example.com/", 0 },
                  { NULL, 0 },
                  { L"http://", 1 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lpszTag != NULL ? Utf8Of(c.lpszTag) : "number");
        g_urlCalls.clear();
        CZPMarkupObject* pTag =
            c.lpszTag != NULL ? static_cast<CZPMarkupObject*>(new CZPMarkupString(c.lpszTag)) : new CZPMarkupInt(7);
        if (!pLink->SetValue(CZPMarkupFrameworkContentElement::m_pTagProperty, pTag))
            pTag->Release();
        MarkupRoutedEventArgs args = { CZPMarkupHyperlink::m_pClickEvent, pLink, FALSE };
        m_host->View().OnHyperlinkClick(pLink, &args);
        EXPECT_TRUE(args.bHandled);
        EXPECT_EQ(c.nOpened, g_urlCalls.size());
    }

    // Only a link's Tag counts.
    g_urlCalls.clear();
    CZPMarkupUIElement* pPage = m_host->View().GetPageElement();
    CZPMarkupString* pTag = new CZPMarkupString(L"http://www.example.com/");
    if (!pPage->SetValue(CZPMarkupFrameworkContentElement::m_pTagProperty, pTag))
        pTag->Release();
    MarkupRoutedEventArgs args = { CZPMarkupHyperlink::m_pClickEvent, pPage, FALSE };
    m_host->View().OnHyperlinkClick(pPage, &args);
    EXPECT_TRUE(args.bHandled);
    EXPECT_TRUE(g_urlCalls.empty());
}

TEST_F(StartPageTest, TheViewOffersItsMouseMessagesToThePage)
{
    ASSERT_TRUE(m_host->New());
    CXmlView& view = m_host->View();
    CZPMarkupUIElement* pPage = view.GetPageElement();
    ASSERT_NE(nullptr, pPage);
    view.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    // The page's border has a background, so the mouse over it makes it hot.
    view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(view.m_hWnd, view.GetHostWindow());
    EXPECT_EQ(pPage, view.GetHotElement());
    auto isMouseOver = [pPage] {
        CZPMarkupBool* pValue =
            ZpMarkupCast<CZPMarkupBool>(pPage->GetValue(CZPMarkupInputElement::m_pIsMouseOverProperty));
        return pValue != NULL && pValue->m_bValue;
    };
    EXPECT_TRUE(isMouseOver());
    view.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(nullptr, view.GetHotElement());
    EXPECT_FALSE(isMouseOver());
}

TEST_F(StartPageTest, ClickingALinkOnThePageOpensItsAddress)
{
    ASSERT_TRUE(m_host->New());
    CXmlView& view = m_host->View();
    ASSERT_NE(nullptr, view.GetPageElement());
    std::vector<CZPMarkupHyperlink*> links;
    CollectLinks(view.GetPageElement(), links);
    ASSERT_EQ(2u, links.size());
    // The links are drawn blue.
    std::unique_ptr<CDibSection> dib = PaintedView();
    const RECT rcBlock = CZPMarkupContext::GetClientBoundingRect(links[1]);
    ASSERT_LT(rcBlock.top, dib->Height());
    int nBlue = 0;
    for (int y = rcBlock.top; y < rcBlock.bottom; y++) {
        for (int x = rcBlock.left; x < rcBlock.right; x++)
            nBlue += dib->GetPixel(x, y) == RGB(0, 0, 255);
    }
    EXPECT_GT(nBlue, 0);

    // Just inside the second link's text, past the block's padding.
    const LPARAM lParam = MAKELPARAM(rcBlock.left + 4, rcBlock.top + 6);
    view.SendMessage(WM_MOUSEMOVE, 0, lParam);
    EXPECT_EQ(links[1], view.GetHotElement()->GetLogicalParent()->GetLogicalParent());
    view.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(view.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(NULL, MAKEINTRESOURCEW(32649)), ::GetCursor());
    // The link's own tip, not one of the block or the page.
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(links[1]),
              view.CZPMarkupContext::OnToolHitTest(CPoint(rcBlock.left + 4, rcBlock.top + 6), &ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(L"Open the Tolvane blog in your browser", ti.lpszText);
    free(ti.lpszText);
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    view.SendMessage(WM_LBUTTONUP, 0, lParam);
    ASSERT_EQ(1u, g_urlCalls.size());
    EXPECT_EQ(L"http://www.example.com/blog/", g_urlCalls[0].url);
}

TEST_F(StartPageTest, APageThatDoesNotParseLeavesOnlyTheWindowColour)
{
    CXmlView::SetStartPageText(L"<Border Background='Red'><NoSuchElement/></Border>");
    m_host.reset();
    m_host.reset(new CDocHost);
    ASSERT_TRUE(m_host->New());
    EXPECT_EQ(nullptr, m_host->View().GetPageElement());
    EXPECT_TRUE(m_host->View().IsStartPageShown());
    std::unique_ptr<CDibSection> dib = PaintedView();
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    int nOther = 0;
    for (int y = 0; y < dib->Height(); y++) {
        for (int x = 0; x < dib->Width(); x++)
            nOther += dib->GetPixel(x, y) != clrWindow;
    }
    EXPECT_EQ(0, nOther);
    // Mouse messages go to the framework's handling.
    EXPECT_EQ(0, m_host->View().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)));
}

}  // namespace
