// The XML editor view: loads the document's text into the editor, forwards the edit, bookmark,
// font and colour commands to it, and shows the start page while there is no text.
#include "editor/XmlView.h"

#include "AppIds.h"
#include "Utf8.h"
#include "document/TolvaneDoc.h"
#include "editor/UrlHelpers.h"

#include <common/ZPDeviceContext.h>
#include <framework/thread.h>
#include <markup/ZPMarkupDelegate.h>
#include <markup/ZPMarkupDrawingContext.h>
#include <markup/ZPMarkupHyperlink.h>
#include <markup/ZPMarkupValues.h>
#include <markup/ZPMarkupVisual.h>

#include <cstdlib>

IMPLEMENT_DYNCREATE(CXmlView, CView)

BEGIN_MESSAGE_MAP(CXmlView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_COMMAND(ID_VIEW_LINE_NUMBERS, OnDisplayLineNumbers)
ON_UPDATE_COMMAND_UI(ID_VIEW_LINE_NUMBERS, OnUpdateDisplayLineNumbers)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedsText)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedsText)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateNeedsText)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateNeedsText)
ON_COMMAND(ID_FORMAT_FONT, OnFormatFont)
ON_COMMAND(ID_FORMAT_FORE_COLOR, OnFormatForeColor)
ON_COMMAND(ID_FORMAT_BACK_COLOR, OnFormatBackColor)
ON_COMMAND(ID_EDIT_OVERTYPE, OnEditOvertype)
ON_COMMAND(ID_EDIT_TOGGLE_BOOKMARK, OnToggleBookmark)
ON_UPDATE_COMMAND_UI(ID_EDIT_TOGGLE_BOOKMARK, OnUpdateNeedsText)
ON_COMMAND(ID_EDIT_NEXT_BOOKMARK, OnNextBookmark)
ON_UPDATE_COMMAND_UI(ID_EDIT_NEXT_BOOKMARK, OnUpdateNeedsText)
ON_COMMAND(ID_EDIT_PREV_BOOKMARK, OnPrevBookmark)
ON_UPDATE_COMMAND_UI(ID_EDIT_PREV_BOOKMARK, OnUpdateNeedsText)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdateNeedsText)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdateNeedsText)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_OVR, OnUpdateIndicatorOvr)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINE_COL, OnUpdateIndicatorLineCol)
END_MESSAGE_MAP()

namespace {

const WCHAR kEditorName[] = L"Title";
const WCHAR kTextNotTaken[] = L"The editor could not take the whole text of this file.";
const int kBoldWeight = 700;

const WCHAR kWebScheme[] = L"http://";
const WCHAR kBrowserFileClass[] = L".htm";

// The start page: a heading, how to open a file, and two links.
const WCHAR kStartPage[] =
    L"<Border Padding='4' BorderThickness='1' BorderBrush='#767676' Background='#ffffff'>"
    L"<StackPanel TextBlock.FontFamily='Tahoma'>"
    L"<StackPanel Margin='1, 7, 0, 3' Orientation='Horizontal'>"
    L"<TextBlock Margin='7, 0, 0, 0' FontSize='16' VerticalAlignment='Center' FontWeight='Bold'>Getting "
    L"Start...</TextBlock>"
    L"</StackPanel>"
    L"<Border Height='1' Background='#9ebbdd' />"
    L"<TextBlock Padding='9, 6, 6, 7' TextWrapping='Wrap'>Click <TextBlock FontWeight='Bold'>main "
    L"menu-&gt;File-&gt;Open</TextBlock> to open a .plist file.</TextBlock>"
    L"<TextBlock Padding='9, 6, 6, 7' TextWrapping='Wrap'></TextBlock>"
    L"<Border Height='1' Background='#9ebbdd' />"
    L"<TextBlock Padding='1, 3, 1, 3' FontWeight='Bold'><Hyperlink Tag='http://www.example.com/' "
    L"ToolTip='Open the Tolvane web site in your browser'>Tolvane on the web</Hyperlink></TextBlock>"
    L"<TextBlock Padding='1, 3, 1, 3' FontWeight='Bold'><Hyperlink Tag='http://www.example.com/blog/' "
    L"ToolTip='Open the Tolvane blog in your browser'>Tolvane blog</Hyperlink></TextBlock>"
    L"</StackPanel></Border>";

CXmlView::PFNOPENURL g_pfnOpenUrl = &OpenUrlInBrowser;
LPCWSTR g_lpszStartPage = kStartPage;

}  // namespace

void CXmlView::SetUrlOpener(PFNOPENURL pfnOpenUrl)
{
    g_pfnOpenUrl = pfnOpenUrl != NULL ? pfnOpenUrl : &OpenUrlInBrowser;
}

void CXmlView::SetStartPageText(LPCWSTR lpszPage)
{
    g_lpszStartPage = lpszPage != NULL ? lpszPage : kStartPage;
}

CXmlView::CXmlView() : m_pPageElement(NULL), m_bStartPage(TRUE), m_bNoText(TRUE) {}

CXmlView::~CXmlView()
{
    // The page's elements hold counts on this context: they go before it.
    if (m_pPageElement != NULL)
        m_pPageElement->Release();
    m_pPageElement = NULL;
    if (m_wndEditor.m_hWnd != NULL)
        m_wndEditor.DestroyWindow();
}

CTolvaneDoc* CXmlView::GetDocument() const
{
    return static_cast<CTolvaneDoc*>(m_pDocument);
}

// ---- creation, update, layout ----

int CXmlView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    // The start page's markup draws into, captures and tracks this window for its whole life.
    SetHostWindow(m_hWnd);
    if (!m_wndEditor.CreateEditor(kEditorName, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kEditorId))
        return -1;
    // The start page is drawn in place of the editor until a text is loaded.
    m_wndEditor.ShowWindow(SW_HIDE);
    m_wndEditor.EnableWindow(FALSE);
    LoadStartPage();
    AddEventHandler(CZPMarkupHyperlink::m_pClickEvent,
                    NewMarkupClassDelegate<CXmlView>(this, &CXmlView::OnHyperlinkClick));
    return 0;
}

void CXmlView::LoadStartPage()
{
    if (m_pPageElement != NULL)
        m_pPageElement->Release();
    m_pPageElement = NULL;
    CZPMarkupObject* pRoot = Parse(g_lpszStartPage);
    m_pPageElement = ZpMarkupCast<CZPMarkupUIElement>(pRoot);
    if (m_pPageElement == NULL && pRoot != NULL)
        pRoot->Release();
    Invalidate(FALSE);
}

void CXmlView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CTolvaneDoc* pDoc = GetDocument();
    BOOL bText = pDoc != NULL && pDoc->GetXmlText() != NULL;
    if (bText) {
        // The old text goes first: the set-up would clear its styles and convert its line ends
        // (a whole pass over a text of many megabytes) only for it to be replaced.
        m_wndEditor.ClearText();
        m_wndEditor.Init();
        if (!m_wndEditor.LoadDocument(pDoc->GetXmlText(), pDoc->GetXmlLength())) {
            AfxMessageBox(kTextNotTaken);
            bText = FALSE;
        }
    }
    ShowStartPage(!bText);
    if (pDoc != NULL)
        pDoc->SetModifiedFlag(FALSE);
}

void CXmlView::ShowStartPage(BOOL bShow)
{
    m_bStartPage = bShow;
    m_bNoText = bShow;
    // The focus follows the text: a hidden editor would take the keys with it.
    const HWND hFocus = ::GetFocus();
    if (bShow && hFocus == m_wndEditor.m_hWnd)
        SetFocus();
    m_wndEditor.EnableWindow(!bShow);
    m_wndEditor.ShowWindow(bShow ? SW_HIDE : SW_SHOW);
    if (!bShow && hFocus == m_hWnd)
        m_wndEditor.SetFocus();
    if (m_pPageElement != NULL) {
        CZPMarkupEnum* pVisibility = CZPMarkupEnum::CreateValue(bShow ? CZPMarkupUIElement::visibilityVisible
                                                                      : CZPMarkupUIElement::visibilityHidden);
        if (!m_pPageElement->SetValue(CZPMarkupUIElement::m_pVisibilityProperty, pVisibility))
            pVisibility->Release();
    }
    Invalidate(FALSE);
}

void CXmlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndEditor.m_hWnd != NULL) {
        CRect rect;
        GetClientRect(&rect);
        m_wndEditor.MoveWindow(0, 0, rect.Width(), rect.Height());
        m_wndEditor.Invalidate();
    }
}

void CXmlView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    // The editor takes the keys; the start page keeps them here, for its links.
    if (!m_bStartPage && m_wndEditor.m_hWnd != NULL && m_wndEditor.IsWindowVisible())
        m_wndEditor.SetFocus();
}

void CXmlView::OnPaint()
{
    if (!m_bStartPage) {
        CView::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CZPBufferDC buffer(dc.m_hDC, rect);
    buffer.FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
    if (m_pPageElement != NULL) {
        CZPMarkupDrawingContext context(buffer.m_hDC, NULL);
        m_pPageElement->Measure(&context, rect.Width(), rect.Height());
        m_pPageElement->Arrange(rect);
        m_pPageElement->Render(&context);
    }
}

BOOL CXmlView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pPageElement != NULL) {
        LRESULT lResult = 0;
        if (HandleMessage(m_pPageElement, message, wParam, lParam, &lResult)) {
            if (pResult != NULL)
                *pResult = lResult;
            return TRUE;
        }
    }
    return CView::OnWndMsg(message, wParam, lParam, pResult);
}

void CXmlView::OnHyperlinkClick(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs)
{
    if (pSender != NULL && pSender->IsKindOfType(CZPMarkupHyperlink::GetClassType())) {
        CZPMarkupString* pTag =
            ZpMarkupCast<CZPMarkupString>(pSender->GetValue(CZPMarkupFrameworkContentElement::m_pTagProperty));
        LPCWSTR lpszTag = pTag != NULL ? pTag->GetText() : NULL;
        const size_t nSchemeLength = sizeof(kWebScheme) / sizeof(kWebScheme[0]) - 1;
        if (lpszTag != NULL && wcsncmp(lpszTag, kWebScheme, nSchemeLength) == 0) {
            CWnd* pMainWnd = AfxGetMainWnd();
            g_pfnOpenUrl(pMainWnd != NULL ? pMainWnd->m_hWnd : NULL, lpszTag, SW_SHOW, kBrowserFileClass);
        }
    }
    if (pArgs != NULL)
        pArgs->bHandled = TRUE;
}

void CXmlView::OnDraw(CDC*)
{
    // The editor covers the view; printing gives empty pages.
}

BOOL CXmlView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CXmlView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const SCNotification* pNotify = reinterpret_cast<const SCNotification*>(lParam);
    if (pNotify == NULL || m_wndEditor.m_hWnd == NULL || pNotify->nmhdr.hwndFrom != m_wndEditor.m_hWnd)
        return CView::OnNotify(wParam, lParam, pResult);
    switch (pNotify->nmhdr.code) {
    case SCN_SAVEPOINTLEFT:
        if (CTolvaneDoc* pDoc = GetDocument())
            pDoc->SetModifiedFlag(TRUE);
        break;
    case SCN_UPDATEUI:
        m_wndEditor.UpdateBraceHighlight();
        break;
    case SCN_MARGINCLICK:
        m_wndEditor.OnMarginClick(pNotify->margin, pNotify->position);
        break;
    case SCN_MODIFIED:
        if (pNotify->linesAdded != 0)
            m_wndEditor.UpdateLineNumberMargin();
        break;
    }
    // Reaching the save point again (undo) leaves the document modified.
    if (pResult != NULL)
        *pResult = 0;
    return TRUE;
}

// ---- commands ----

void CXmlView::OnDisplayLineNumbers()
{
    m_wndEditor.SetDisplayLineNumbers(!m_wndEditor.GetDisplayLineNumbers());
}

void CXmlView::OnUpdateDisplayLineNumbers(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_wndEditor.GetDisplayLineNumbers());
}

void CXmlView::OnEditCopy()
{
    m_wndEditor.Copy();
}
void CXmlView::OnEditCut()
{
    m_wndEditor.Cut();
}
void CXmlView::OnEditPaste()
{
    m_wndEditor.Paste();
}
void CXmlView::OnEditClear()
{
    m_wndEditor.Clear();
}
void CXmlView::OnEditSelectAll()
{
    m_wndEditor.SelectAll();
}

void CXmlView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bNoText && m_wndEditor.CanPaste());
}

void CXmlView::OnEditUndo()
{
    if (m_wndEditor.CanUndo())
        m_wndEditor.Undo();
}

void CXmlView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bNoText && m_wndEditor.CanUndo());
}

void CXmlView::OnEditRedo()
{
    if (m_wndEditor.CanRedo())
        m_wndEditor.Redo();
}

void CXmlView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bNoText && m_wndEditor.CanRedo());
}

void CXmlView::OnUpdateNeedsText(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bNoText);
}

void CXmlView::OnFormatFont()
{
    CFontDialog dlg(NULL, CF_SCREENFONTS | CF_EFFECTS);
    if (dlg.DoModal() == IDOK)
        ApplyFont(dlg);
}

void CXmlView::ApplyFont(const CFontDialog& dlg)
{
    // The component takes font names in UTF-8.
    const std::string strFace = ToUtf8(dlg.GetFaceName());
    m_wndEditor.SetStyleFont(m_wndEditor.GetCurrentStyle(), strFace.c_str());
    m_wndEditor.SetStyleSize(m_wndEditor.GetCurrentStyle(), dlg.GetSize() / 10);
    m_wndEditor.SetStyleBold(m_wndEditor.GetCurrentStyle(), dlg.GetWeight() == kBoldWeight);
    m_wndEditor.SetStyleItalic(m_wndEditor.GetCurrentStyle(), dlg.IsItalic());
    m_wndEditor.SetStyleUnderline(m_wndEditor.GetCurrentStyle(), dlg.IsUnderline());
}

void CXmlView::OnFormatForeColor()
{
    CColorDialog dlg(0, 0);
    if (dlg.DoModal() == IDOK)
        m_wndEditor.SetStyleForeColor(m_wndEditor.GetCurrentStyle(), dlg.GetColor());
}

void CXmlView::OnFormatBackColor()
{
    CColorDialog dlg(0, 0);
    if (dlg.DoModal() == IDOK)
        m_wndEditor.SetStyleBackColor(m_wndEditor.GetCurrentStyle(), dlg.GetColor());
}

void CXmlView::OnEditOvertype()
{
    m_wndEditor.SetOvertype(!m_wndEditor.GetOvertype());
}

void CXmlView::OnToggleBookmark()
{
    const long nLine = m_wndEditor.GetCurrentLine();
    if (m_wndEditor.HasBookmark(nLine))
        m_wndEditor.DeleteBookmark(nLine);
    else
        m_wndEditor.AddBookmark(nLine);
}

void CXmlView::OnNextBookmark()
{
    m_wndEditor.GotoNextBookmark();
}
void CXmlView::OnPrevBookmark()
{
    m_wndEditor.GotoPrevBookmark();
}

void CXmlView::OnUpdateIndicatorOvr(CCmdUI* pCmdUI)
{
    CString strText;
    if (m_wndEditor.m_hWnd != NULL && m_wndEditor.GetOvertype())
        strText.LoadString(ID_INDICATOR_OVR);
    pCmdUI->SetText(strText);
}

void CXmlView::OnUpdateIndicatorLineCol(CCmdUI* pCmdUI)
{
    CString strFormat;
    strFormat.LoadString(ID_INDICATOR_LINE_COL_FORMAT);
    CString strText;
    strText.Format(strFormat, m_wndEditor.GetCurrentLine(), m_wndEditor.GetCurrentColumn());
    pCmdUI->SetText(strText);
}

// ---- searching ----

BOOL CXmlView::Find(LPCWSTR lpszText, DWORD dwFlags, int nDirection)
{
    if (m_bNoText)
        return FALSE;
    m_wndEditor.SetSearchFlags(dwFlags);
    const std::string strText = ToUtf8(lpszText);
    return nDirection == 1 ? m_wndEditor.SearchForward(strText.c_str()) : m_wndEditor.SearchBackward(strText.c_str());
}

BOOL CXmlView::Replace(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection)
{
    if (m_bNoText)
        return FALSE;
    m_wndEditor.SetSearchFlags(dwFlags);
    const std::string strFind = ToUtf8(lpszFind);
    const std::string strReplacement = ToUtf8(lpszReplacement);
    const Sci_Position nStart = m_wndEditor.GetSelectionStart();
    const Sci_Position nEnd = m_wndEditor.GetSelectionEnd();
    m_wndEditor.ReplaceSelection(strReplacement.c_str());
    // The search goes on from where the old selection ended (or began).
    if (nDirection == 1) {
        m_wndEditor.GotoPosition(nEnd);
        return m_wndEditor.SearchForward(strFind.c_str());
    }
    m_wndEditor.GotoPosition(nStart);
    return m_wndEditor.SearchBackward(strFind.c_str());
}

BOOL CXmlView::ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags)
{
    if (m_bNoText)
        return FALSE;
    m_wndEditor.SetSearchFlags(dwFlags);
    const std::string strFind = ToUtf8(lpszFind);
    const std::string strReplacement = ToUtf8(lpszReplacement);
    m_wndEditor.ReplaceAll(strFind.c_str(), strReplacement.c_str(), FALSE);
    return TRUE;
}
