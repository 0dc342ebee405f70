// The view in which the property list is edited as XML: one editing-component window filling
// the client area, its commands and status panes. Without a text the editor is hidden and the
// view shows its start page.
#pragma once

#include <framework/dialog.h>
#include <framework/docview.h>

#include <markup/ZPMarkupContext.h>

#include "editor/ScintillaWnd.h"

class CTolvaneDoc;
class CZPMarkupUIElement;
struct MarkupRoutedEventArgs;

// The view is the markup context in which its start page is parsed, laid out and clicked.
class CXmlView : public CView, public CZPMarkupContext
{
    DECLARE_DYNCREATE(CXmlView)
public:
    static const UINT kEditorId = 10000;

    // How the view opens a web address (OpenUrlInBrowser); tests put a recorder in its place.
    typedef BOOL (*PFNOPENURL)(HWND hWnd, LPCWSTR lpszUrl, int nShowCmd, LPCWSTR lpszExtension);
    static void SetUrlOpener(PFNOPENURL pfnOpenUrl);
    // The markup of views created from now on; NULL gives back the built-in start page.
    static void SetStartPageText(LPCWSTR lpszPage);

    CXmlView();
    ~CXmlView() override;

    CTolvaneDoc* GetDocument() const;
    virtual CScintillaWnd* GetEditor() { return &m_wndEditor; }
    // The editor's whole text in its own buffer, ending in NUL (*pnLength bytes before it).
    LPCSTR GetEditorText(size_t* pnLength = NULL) { return m_wndEditor.GetCharacterPointer(pnLength); }
    BOOL IsStartPageShown() const { return m_bStartPage; }
    // The root of the start page; NULL when its markup did not parse.
    CZPMarkupUIElement* GetPageElement() const { return m_pPageElement; }

    // Searching for the document, on wide texts: FALSE only when nothing was found (Find,
    // Replace) or no text could be had; FALSE with nothing done while the start page shows, since
    // the hidden editor still holds the previous document's text.
    BOOL Find(LPCWSTR lpszText, DWORD dwFlags, int nDirection);
    BOOL Replace(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection);
    BOOL ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags);

    // The font chosen in the font dialog, for the style at the caret.
    void ApplyFont(const CFontDialog& dlg);

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);

    void OnDisplayLineNumbers();
    void OnUpdateDisplayLineNumbers(CCmdUI* pCmdUI);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnEditClear();
    void OnEditRedo();
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    void OnEditSelectAll();
    void OnFormatFont();
    void OnFormatForeColor();
    void OnFormatBackColor();
    void OnEditOvertype();
    void OnToggleBookmark();
    void OnNextBookmark();
    void OnPrevBookmark();
    void OnUpdateNeedsText(CCmdUI* pCmdUI);
    void OnUpdateIndicatorOvr(CCmdUI* pCmdUI);
    void OnUpdateIndicatorLineCol(CCmdUI* pCmdUI);
    // "Click" of the start page's links: an address in the link's Tag opens in the browser.
    void OnHyperlinkClick(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs);

protected:
    void ShowStartPage(BOOL bShow);
    void LoadStartPage();

    CScintillaWnd m_wndEditor;           // owned; child window kEditorId
    CZPMarkupUIElement* m_pPageElement;  // one reference; the start page's root or NULL
    BOOL m_bStartPage;                   // the start page is painted (no text loaded)
    BOOL m_bNoText;                      // the last initial update found no text: editing commands are off

    DECLARE_MESSAGE_MAP()
};
