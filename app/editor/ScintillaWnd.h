// One window of the Scintilla editing component, driven by its messages: every editor operation
// of the application is one call here. Text crossing this class is UTF-8; lines are 1-based,
// positions 0-based byte positions.
#pragma once

#include <framework/wnd.h>

#include <Scintilla.h>

class CScintillaWnd : public CWnd
{
    DECLARE_DYNAMIC(CScintillaWnd)
public:
    CScintillaWnd();

    // Margins and markers.
    static const int kMarginLineNumbers = 0;
    static const int kMarginSelection = 1;
    static const int kMarginFolding = 2;
    static const int kMarginWidth = 16;           // selection and folding margins, pixels
    static const int kMarkerBookmark = 0;
    static const int kLineNumberPadding = 4;      // pixels beside the line numbers

    virtual void SetSearchFlags(DWORD dwFlags) { m_dwSearchFlags = dwFlags; }
    DWORD GetSearchFlags() const { return m_dwSearchFlags; }
    // Creates the component's window (class "Scintilla", sunken edge); FALSE when it cannot.
    virtual BOOL CreateEditor(LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Replaces the whole text by nLength bytes (-1: up to the NUL), kept byte for byte, caret at
    // 0 and focus to the editor. NULL changes no text.
    virtual void SetText(LPCSTR lpszText, Sci_Position nLength = -1);
    // Empties the text and the undo history, keeping no undo record of the old text.
    virtual void ClearText();
    // The whole text in a new NUL-terminated C-heap block; NULL when the component reports a
    // length it cannot hold. *pnLength (optional) gets the byte count, which may include NULs.
    virtual char* GetTextCopy(size_t* pnLength = NULL);
    virtual BOOL GetTextAsString(CString& strText);
    // Loads a document's text with the XML lexer and an empty undo history at the save point.
    // FALSE when the component did not take all of it: the editor is then left empty.
    virtual BOOL LoadDocument(LPCSTR lpszText, size_t nLength);
    // As GetTextCopy, for the caller to free (C heap).
    virtual char* GetText(size_t* pnLength = NULL);
    // The whole text in the component's own buffer, NUL-terminated, without a copy; valid until the
    // text next changes. NULL as for GetTextCopy.
    virtual LPCSTR GetCharacterPointer(size_t* pnLength = NULL);

    virtual int GetLineCountDigits();
    virtual int GetLineNumberMarginWidth();
    virtual void SetDisplayLineNumbers(BOOL bFlag);
    virtual void SetDisplaySelectionMargin(BOOL bFlag);
    virtual void SetDisplayFolding(BOOL bFlag);
    BOOL GetDisplayLineNumbers() const { return m_bLineNumbers; }
    // Widens or narrows the line-number margin when the text's line count gained or lost a digit.
    virtual void UpdateLineNumberMargin();

    virtual void Cut();
    virtual void Copy();
    virtual void Paste();
    virtual void Clear();
    virtual void Undo();
    virtual void Redo();
    virtual BOOL CanUndo();
    virtual BOOL CanRedo();
    virtual BOOL CanPaste();
    virtual void SelectAll();

    virtual long GetCurrentLine();
    virtual long GetCurrentColumn();
    virtual Sci_Position GetCurrentPosition();
    virtual int GetCurrentStyle();
    virtual int GetCurrentFoldLevel();

    // Font names are UTF-8.
    virtual void SetStyleFont(int nStyle, LPCSTR lpszFaceName);
    virtual void SetStyleSize(int nStyle, int nPoints);
    virtual void SetStyleForeColor(int nStyle, COLORREF clr);
    virtual void SetStyleBackColor(int nStyle, COLORREF clr);
    virtual void SetStyleBold(int nStyle, BOOL bBold);
    virtual void SetStyleItalic(int nStyle, BOOL bItalic);
    virtual void SetStyleUnderline(int nStyle, BOOL bUnderline);

    virtual BOOL GetOvertype();
    virtual void SetOvertype(BOOL bOvertype);

    // The set-up sequence: XML lexer with folding, markers, colours, margins.
    virtual void Init();
    virtual void UpdateBraceHighlight();
    virtual void OnMarginClick(int nMargin, Sci_Position nPosition);
    virtual void Colourise();

    virtual void AddBookmark(long nLine);
    virtual void DeleteBookmark(long nLine);
    virtual BOOL HasBookmark(long nLine);
    // The next or previous bookmarked line, never the caret's own.
    virtual void GotoNextBookmark();
    virtual void GotoPrevBookmark();
    virtual void GotoLine(long nLine);
    virtual void GotoPosition(Sci_Position nPosition);

    // Searches from just after the caret (forward) or just before the selection (backward) and
    // selects the match; FALSE when there is none.
    virtual BOOL SearchForward(LPCSTR lpszText);
    virtual BOOL SearchBackward(LPCSTR lpszText);
    virtual void ReplaceSelection(LPCSTR lpszText);
    // A Lexilla lexer by name ("xml").
    virtual void SetLexer(LPCSTR lpszLexerName);
    virtual Sci_Position GetSelectionStart();
    virtual Sci_Position GetSelectionEnd();
    virtual void GetSelectedText(CString& strText);
    // Replaces every match in the whole text or the selection; the number of replacements.
    virtual int ReplaceAll(LPCSTR lpszFind, LPCSTR lpszReplace, BOOL bInSelection);

    LRESULT Call(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, nMessage, wParam, lParam);
    }

protected:
    // Sets the XML lexer and its folding properties, which live in the lexer.
    void SetXmlLexer();

    BOOL m_bLineNumbers;
    BOOL m_bSelectionMargin;
    BOOL m_bFolding;
    DWORD m_dwSearchFlags;
    int m_nLineNumberDigits;   // digits the line-number margin was last sized for
};
