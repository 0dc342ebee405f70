// The view in which the property list is edited as XML: one editing-component window filling
// the client area, its commands and status panes. Without a text the editor is hidden and the
// view shows its start page.
#pragma once

#include <framework/dialog.h>
#include <framework/docview.h>

#include "editor/ScintillaWnd.h"

class CTolvaneDoc;

class CXmlView : public CView
{
    DECLARE_DYNCREATE(CXmlView)
public:
    static const UINT kEditorId = 10000;

    CXmlView();
    ~CXmlView() override;

    CTolvaneDoc* GetDocument() const;
    virtual CScintillaWnd* GetEditor() { return &m_wndEditor; }
    // The editor's whole text in its own buffer, ending in NUL (*pnLength bytes before it).
    LPCSTR GetEditorText(size_t* pnLength = NULL) { return m_wndEditor.GetCharacterPointer(pnLength); }
    BOOL IsStartPageShown() const { return m_bStartPage; }

    // Searching for the document, on wide texts: FALSE only when nothing was found (Find,
    // Replace) or no text could be had.
    BOOL Find(LPCWSTR lpszText, DWORD dwFlags, int nDirection);
    BOOL Replace(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection);
    BOOL ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags);

    // The font chosen in the font dialog, for the style at the caret.
    void ApplyFont(const CFontDialog& dlg);

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();

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

protected:
    void ShowStartPage(BOOL bShow);

    CScintillaWnd m_wndEditor;   // owned; child window kEditorId
    BOOL m_bStartPage;           // the start page is painted (no text loaded)
    BOOL m_bNoText;              // the last initial update found no text: editing commands are off

    DECLARE_MESSAGE_MAP()
};
