// The editing-component window: fixed sequences of Scintilla messages.
#include "editor/ScintillaWnd.h"

#include <ILexer.h>
#include <Lexilla.h>
#include <SciLexer.h>

#include <emmintrin.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CScintillaWnd, CWnd)

namespace {

const UINT kCodePageUtf8 = SC_CP_UTF8;
const int kTabWidth = 3;
const int kCaretPeriodMs = 400;
const int kFoldMarginMask = static_cast<int>(SC_MASK_FOLDERS);
const COLORREF kBraceBackground = 0x00FF00;
const COLORREF kTagColor = 0xFF0000;

// Folding properties of the XML lexer, each set to "1".
const char* const kFoldProperties[] = {
    "fold", "fold.html", "fold.html.preprocessor", "fold.comment", "fold.at.else", "fold.flags",
    "fold.preprocessor", "styling.within.preprocessor", "asp.default.language",
};

struct StyleColor
{
    int nStyle;
    COLORREF clr;   // 0x00BBGGRR
};
const StyleColor kXmlColors[] = {
    {SCE_H_DEFAULT, 0x000000}, {SCE_H_TAGUNKNOWN, 0x004000}, {SCE_H_NUMBER, 0xFF0000},
    {SCE_H_DOUBLESTRING, 0x0014C8}, {SCE_H_COMMENT, 0xFF0000}, {SCE_H_ENTITY, 0x4000FF},
    {SCE_H_TAGEND, 0x000000},
};

struct MarkerShape
{
    int nMarker;
    int nShape;
};
const MarkerShape kFoldMarkers[] = {
    {SC_MARKNUM_FOLDEROPEN, SC_MARK_MINUS},       {SC_MARKNUM_FOLDER, SC_MARK_PLUS},
    {SC_MARKNUM_FOLDERSUB, SC_MARK_EMPTY},        {SC_MARKNUM_FOLDERTAIL, SC_MARK_EMPTY},
    {SC_MARKNUM_FOLDEREND, SC_MARK_EMPTY},        {SC_MARKNUM_FOLDEROPENMID, SC_MARK_EMPTY},
    {SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_EMPTY},
};

const size_t kVectorBytes = sizeof(__m128i);
// A byte counter of the vector loop takes one per block: at most 255 blocks between sums.
const size_t kBlocksPerSum = 255;

// The number of '\n' bytes in the text, 16 at a time: a plain loop over a text of many
// megabytes costs a tenth of a second in the emulated 32-bit build.
size_t CountLineFeeds(const char* pText, size_t nLength)
{
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    size_t nCount = 0;
    size_t i = 0;
    while (nLength - i >= kVectorBytes) {
        const size_t nBlocks = std::min((nLength - i) / kVectorBytes, kBlocksPerSum);
        __m128i counters = zero;
        for (size_t n = 0; n < nBlocks; ++n, i += kVectorBytes) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pText + i));
            // A match is -1 in its byte: subtracting it adds one.
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(bytes, lineFeeds));
        }
        const __m128i sums = _mm_sad_epu8(counters, zero);
        nCount += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                  static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
    for (; i < nLength; ++i)
        nCount += pText[i] == '\n';
    return nCount;
}

}  // namespace

CScintillaWnd::CScintillaWnd()
    : m_bLineNumbers(TRUE), m_bSelectionMargin(TRUE), m_bFolding(TRUE), m_dwSearchFlags(0), m_nLineNumberDigits(0)
{
}

BOOL CScintillaWnd::CreateEditor(LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (CreateEx(WS_EX_CLIENTEDGE, L"Scintilla", lpszWindowName, dwStyle, rect, pParentWnd, nID, NULL))
        return TRUE;
    LPWSTR lpszError = NULL;
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, NULL,
                     ::GetLastError(), LANG_USER_DEFAULT, reinterpret_cast<LPWSTR>(&lpszError), 0, NULL);
    ::LocalFree(lpszError);
    return FALSE;
}

// ---- text ----

void CScintillaWnd::SetText(LPCSTR lpszText, Sci_Position nLength)
{
    if (lpszText != NULL) {
        Call(SCI_SETCODEPAGE, kCodePageUtf8);
        // By length: the text may hold NULs, which SCI_SETTEXT would stop at.
        Call(SCI_CLEARALL);
        Call(SCI_APPENDTEXT, nLength < 0 ? strlen(lpszText) : static_cast<size_t>(nLength),
             reinterpret_cast<LPARAM>(lpszText));
    }
    GotoPosition(0);
    SetFocus();
}

void CScintillaWnd::ClearText()
{
    Call(SCI_SETUNDOCOLLECTION, FALSE);
    Call(SCI_CLEARALL);
    Call(SCI_EMPTYUNDOBUFFER);
    Call(SCI_SETUNDOCOLLECTION, TRUE);
}

char* CScintillaWnd::GetTextCopy(size_t* pnLength)
{
    const Sci_Position nLength = Call(SCI_GETLENGTH);
    if (nLength < 0 || nLength >= 0x7FFFFFFF)
        return NULL;
    char* pText = static_cast<char*>(malloc(static_cast<size_t>(nLength) + 1));
    if (pText == NULL)
        AfxThrowMemoryException();
    pText[0] = '\0';
    Call(SCI_GETTEXT, static_cast<WPARAM>(nLength) + 1, reinterpret_cast<LPARAM>(pText));
    pText[nLength] = '\0';
    if (pnLength != NULL)
        *pnLength = static_cast<size_t>(nLength);
    return pText;
}

BOOL CScintillaWnd::GetTextAsString(CString& strText)
{
    size_t nLength = 0;
    char* pText = GetTextCopy(&nLength);
    if (pText == NULL)
        return FALSE;
    // The component's text is UTF-8, whatever the thread's ANSI code page.
    const int nChars = ::MultiByteToWideChar(CP_UTF8, 0, pText, static_cast<int>(nLength), NULL, 0);
    LPWSTR pch = strText.GetBufferSetLength(nChars);
    ::MultiByteToWideChar(CP_UTF8, 0, pText, static_cast<int>(nLength), pch, nChars);
    strText.ReleaseBuffer(nChars);
    free(pText);
    return TRUE;
}

char* CScintillaWnd::GetText(size_t* pnLength)
{
    return GetTextCopy(pnLength);
}

LPCSTR CScintillaWnd::GetCharacterPointer(size_t* pnLength)
{
    const Sci_Position nLength = Call(SCI_GETLENGTH);
    if (nLength < 0 || nLength >= 0x7FFFFFFF)
        return NULL;
    // Closes the gap in the component's buffer and adds the NUL after the text.
    LPCSTR pText = reinterpret_cast<LPCSTR>(Call(SCI_GETCHARACTERPOINTER));
    if (pText != NULL && pnLength != NULL)
        *pnLength = static_cast<size_t>(nLength);
    return pText;
}

BOOL CScintillaWnd::LoadDocument(LPCSTR lpszText, size_t nLength)
{
    if (lpszText == NULL)
        return TRUE;
    if (Call(SCI_GETLEXER) != SCLEX_XML)
        SetXmlLexer();
    // Undo would keep a second copy of the whole text, only to be emptied below.
    Call(SCI_SETUNDOCOLLECTION, FALSE);
    // Room for the line starts at once: grown line by line, the component copies its line table
    // over and over. Only a hint: lines ending in a lone CR are not counted.
    Call(SCI_ALLOCATELINES, CountLineFeeds(lpszText, nLength) + 1);
    // A hint refused is no failure to take the text.
    if (Call(SCI_GETSTATUS) != SC_STATUS_OK)
        Call(SCI_SETSTATUS, SC_STATUS_OK);
    SetText(lpszText, static_cast<Sci_Position>(nLength));
    Call(SCI_SETUNDOCOLLECTION, TRUE);
    const BOOL bWhole = Call(SCI_GETSTATUS) == SC_STATUS_OK && static_cast<size_t>(Call(SCI_GETLENGTH)) == nLength;
    if (!bWhole) {
        // Never leave part of a text behind for a save to write back.
        Call(SCI_SETSTATUS, SC_STATUS_OK);
        Call(SCI_CLEARALL);
    }
    Call(SCI_SETSAVEPOINT);
    GotoPosition(0);
    Call(SCI_EMPTYUNDOBUFFER);
    UpdateLineNumberMargin();
    return bWhole;
}

// ---- margins ----

int CScintillaWnd::GetLineCountDigits()
{
    Sci_Position nLines = Call(SCI_GETLINECOUNT);
    int nDigits = 1;
    while ((nLines /= 10) > 0)
        ++nDigits;
    return nDigits + 1;
}

int CScintillaWnd::GetLineNumberMarginWidth()
{
    const int nDigitWidth = static_cast<int>(Call(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>("9")));
    return (GetLineCountDigits() + 1) * nDigitWidth;
}

void CScintillaWnd::SetDisplayLineNumbers(BOOL bFlag)
{
    Call(SCI_SETMARGINWIDTHN, kMarginLineNumbers, bFlag ? GetLineNumberMarginWidth() + kLineNumberPadding : 0);
    m_nLineNumberDigits = GetLineCountDigits();
    m_bLineNumbers = bFlag;
}

void CScintillaWnd::UpdateLineNumberMargin()
{
    if (m_bLineNumbers && GetLineCountDigits() != m_nLineNumberDigits)
        SetDisplayLineNumbers(TRUE);
}

void CScintillaWnd::SetDisplaySelectionMargin(BOOL bFlag)
{
    m_bSelectionMargin = bFlag;
    Call(SCI_SETMARGINWIDTHN, kMarginSelection, bFlag ? kMarginWidth : 0);
}

void CScintillaWnd::SetDisplayFolding(BOOL bFlag)
{
    m_bFolding = bFlag;
    Call(SCI_SETMARGINWIDTHN, kMarginFolding, bFlag ? kMarginWidth : 0);
}

// ---- editing ----

void CScintillaWnd::Cut() { Call(SCI_CUT); }
void CScintillaWnd::Copy() { Call(SCI_COPY); }
void CScintillaWnd::Paste() { Call(SCI_PASTE); }
void CScintillaWnd::Clear() { Call(SCI_CLEAR); }
void CScintillaWnd::Undo() { Call(SCI_UNDO); }
void CScintillaWnd::Redo() { Call(SCI_REDO); }
BOOL CScintillaWnd::CanUndo() { return Call(SCI_CANUNDO) != 0; }
BOOL CScintillaWnd::CanRedo() { return Call(SCI_CANREDO) != 0; }
BOOL CScintillaWnd::CanPaste() { return Call(SCI_CANPASTE) != 0; }
void CScintillaWnd::SelectAll() { Call(SCI_SELECTALL); }

long CScintillaWnd::GetCurrentLine()
{
    return static_cast<long>(Call(SCI_LINEFROMPOSITION, Call(SCI_GETCURRENTPOS))) + 1;
}

long CScintillaWnd::GetCurrentColumn()
{
    return static_cast<long>(Call(SCI_GETCOLUMN, Call(SCI_GETCURRENTPOS))) + 1;
}

Sci_Position CScintillaWnd::GetCurrentPosition()
{
    return Call(SCI_GETCURRENTPOS);
}

int CScintillaWnd::GetCurrentStyle()
{
    return static_cast<int>(Call(SCI_GETSTYLEAT, Call(SCI_GETCURRENTPOS)));
}

int CScintillaWnd::GetCurrentFoldLevel()
{
    // The component counts lines from 0; the caret's line is GetCurrentLine() - 1.
    const int nLevel = static_cast<int>(Call(SCI_GETFOLDLEVEL, GetCurrentLine() - 1));
    return (nLevel & SC_FOLDLEVELNUMBERMASK) - SC_FOLDLEVELBASE;
}

// ---- styles ----

void CScintillaWnd::SetStyleFont(int nStyle, LPCSTR lpszFaceName)
{
    Call(SCI_STYLESETFONT, nStyle, reinterpret_cast<LPARAM>(lpszFaceName));
}

void CScintillaWnd::SetStyleSize(int nStyle, int nPoints) { Call(SCI_STYLESETSIZE, nStyle, nPoints); }
void CScintillaWnd::SetStyleForeColor(int nStyle, COLORREF clr) { Call(SCI_STYLESETFORE, nStyle, clr); }
void CScintillaWnd::SetStyleBackColor(int nStyle, COLORREF clr) { Call(SCI_STYLESETBACK, nStyle, clr); }
void CScintillaWnd::SetStyleBold(int nStyle, BOOL bBold) { Call(SCI_STYLESETBOLD, nStyle, bBold); }
void CScintillaWnd::SetStyleItalic(int nStyle, BOOL bItalic) { Call(SCI_STYLESETITALIC, nStyle, bItalic); }
void CScintillaWnd::SetStyleUnderline(int nStyle, BOOL bUnderline) { Call(SCI_STYLESETUNDERLINE, nStyle, bUnderline); }

BOOL CScintillaWnd::GetOvertype() { return Call(SCI_GETOVERTYPE) != 0; }
void CScintillaWnd::SetOvertype(BOOL bOvertype) { Call(SCI_SETOVERTYPE, bOvertype); }

// ---- set-up ----

void CScintillaWnd::SetXmlLexer()
{
    Call(SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(CreateLexer("xml")));
    for (const char* pszKey : kFoldProperties)
        Call(SCI_SETPROPERTY, reinterpret_cast<WPARAM>(pszKey), reinterpret_cast<LPARAM>("1"));
}

void CScintillaWnd::Init()
{
    Call(SCI_CLEARDOCUMENTSTYLE);
    // Properties are kept by the lexer: it comes first, or the folding properties are lost.
    SetXmlLexer();
    Call(SCI_SETINDENTATIONGUIDES, SC_IV_REAL);
    Call(SCI_SETTABWIDTH, kTabWidth);
    Call(SCI_SETINDENT, kTabWidth);
    Call(SCI_SETCARETPERIOD, kCaretPeriodMs);
    Call(SCI_SETFOLDFLAGS, SC_FOLDFLAG_LINEAFTER_CONTRACTED);
    Call(SCI_SETMARGINMASKN, kMarginFolding, kFoldMarginMask);
    Call(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
    Call(SCI_SETMARGINSENSITIVEN, kMarginFolding, TRUE);
    for (const MarkerShape& marker : kFoldMarkers)
        Call(SCI_MARKERDEFINE, marker.nMarker, marker.nShape);
    for (const StyleColor& style : kXmlColors)
        Call(SCI_STYLESETFORE, style.nStyle, style.clr);
    Call(SCI_STYLESETBACK, STYLE_BRACELIGHT, kBraceBackground);
    Call(SCI_CONVERTEOLS, SC_EOL_LF);
    Call(SCI_SETEOLMODE, SC_EOL_LF);
    Call(SCI_MARKERDEFINE, kMarkerBookmark, SC_MARK_CIRCLE);
    SetDisplayLineNumbers(TRUE);
    SetDisplayFolding(TRUE);
    SetDisplaySelectionMargin(TRUE);
    SetStyleForeColor(SCE_H_TAG, kTagColor);
}

void CScintillaWnd::UpdateBraceHighlight()
{
    // The brace before the caret is the one matched.
    const Sci_Position nBrace = Call(SCI_GETCURRENTPOS) - 1;
    const Sci_Position nMatch = nBrace >= 0 ? Call(SCI_BRACEMATCH, nBrace, 0) : -1;
    if (nMatch < 0)
        Call(SCI_BRACEHIGHLIGHT, static_cast<WPARAM>(-1), -1);
    else
        Call(SCI_BRACEHIGHLIGHT, nBrace, nMatch);
}

void CScintillaWnd::OnMarginClick(int nMargin, Sci_Position nPosition)
{
    if (nMargin == kMarginFolding)
        Call(SCI_TOGGLEFOLD, Call(SCI_LINEFROMPOSITION, nPosition));
}

void CScintillaWnd::Colourise()
{
    Call(SCI_COLOURISE, 0, -1);
}

// ---- bookmarks and moving ----

void CScintillaWnd::AddBookmark(long nLine)
{
    Call(SCI_MARKERADD, nLine - 1, kMarkerBookmark);
}

void CScintillaWnd::DeleteBookmark(long nLine)
{
    if (HasBookmark(nLine))
        Call(SCI_MARKERDELETE, nLine - 1, kMarkerBookmark);
}

BOOL CScintillaWnd::HasBookmark(long nLine)
{
    return (Call(SCI_MARKERGET, nLine - 1) & (1 << kMarkerBookmark)) != 0;
}

void CScintillaWnd::GotoNextBookmark()
{
    // The 1-based caret line is the 0-based line below the caret's.
    const Sci_Position nFound = Call(SCI_MARKERNEXT, GetCurrentLine(), 1 << kMarkerBookmark);
    if (nFound >= 0)
        Call(SCI_GOTOLINE, nFound);
}

void CScintillaWnd::GotoPrevBookmark()
{
    const long nAbove = GetCurrentLine() - 2;
    if (nAbove < 0)
        return;
    const Sci_Position nFound = Call(SCI_MARKERPREVIOUS, nAbove, 1 << kMarkerBookmark);
    if (nFound >= 0)
        Call(SCI_GOTOLINE, nFound);
}

void CScintillaWnd::GotoLine(long nLine)
{
    Call(SCI_GOTOLINE, nLine - 1);
}

void CScintillaWnd::GotoPosition(Sci_Position nPosition)
{
    Call(SCI_GOTOPOS, nPosition);
}

// ---- searching ----

namespace {

// Finds lpszText between nFrom and nTo (nFrom > nTo searches backward) and selects it.
BOOL FindAndSelect(CScintillaWnd& editor, LPCSTR lpszText, Sci_Position nFrom, Sci_Position nTo)
{
    Sci_TextToFindFull find = {};
    find.chrg.cpMin = nFrom;
    find.chrg.cpMax = nTo;
    find.lpstrText = lpszText;
    const Sci_Position nFound =
        editor.Call(SCI_FINDTEXTFULL, editor.GetSearchFlags(), reinterpret_cast<LPARAM>(&find));
    if (nFound < 0)
        return FALSE;
    editor.SetFocus();
    editor.GotoPosition(nFound);
    editor.Call(SCI_SETSEL, find.chrgText.cpMin, find.chrgText.cpMax);
    return TRUE;
}

}  // namespace

BOOL CScintillaWnd::SearchForward(LPCSTR lpszText)
{
    // An empty text would "find" the empty place after the caret.
    if (lpszText == NULL || *lpszText == '\0')
        return FALSE;
    return FindAndSelect(*this, lpszText, Call(SCI_GETCURRENTPOS) + 1, Call(SCI_GETLENGTH));
}

BOOL CScintillaWnd::SearchBackward(LPCSTR lpszText)
{
    if (lpszText == NULL || *lpszText == '\0')
        return FALSE;
    Sci_Position nStart = Call(SCI_GETSELECTIONSTART);
    if (nStart < 0)
        nStart = Call(SCI_GETCURRENTPOS);
    if (nStart - 1 < 0)
        return FALSE;
    return FindAndSelect(*this, lpszText, nStart - 1, 0);
}

void CScintillaWnd::ReplaceSelection(LPCSTR lpszText)
{
    if (lpszText == NULL)
        return;
    Call(SCI_TARGETFROMSELECTION);
    const UINT nReplace = (m_dwSearchFlags & SCFIND_REGEXP) ? SCI_REPLACETARGETRE : SCI_REPLACETARGET;
    Call(nReplace, strlen(lpszText), reinterpret_cast<LPARAM>(lpszText));
}

void CScintillaWnd::SetLexer(LPCSTR lpszLexerName)
{
    Call(SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(CreateLexer(lpszLexerName)));
}

Sci_Position CScintillaWnd::GetSelectionStart() { return Call(SCI_GETSELECTIONSTART); }
Sci_Position CScintillaWnd::GetSelectionEnd() { return Call(SCI_GETSELECTIONEND); }

void CScintillaWnd::GetSelectedText(CString& strText)
{
    strText.Empty();
    // Asked with no buffer, the component sizes every kind of selection (rectangular ones too).
    const Sci_Position nBytes = Call(SCI_GETSELTEXT, 0, 0);
    if (nBytes <= 0)
        return;
    char* pText = static_cast<char*>(calloc(static_cast<size_t>(nBytes) + 1, 1));
    if (pText == NULL)
        AfxThrowMemoryException();
    Call(SCI_GETSELTEXT, 0, reinterpret_cast<LPARAM>(pText));
    const int nChars = ::MultiByteToWideChar(CP_UTF8, 0, pText, -1, NULL, 0);
    if (nChars > 1) {
        LPWSTR pch = strText.GetBufferSetLength(nChars - 1);
        ::MultiByteToWideChar(CP_UTF8, 0, pText, -1, pch, nChars);
        strText.ReleaseBuffer(nChars - 1);
    }
    free(pText);
}

int CScintillaWnd::ReplaceAll(LPCSTR lpszFind, LPCSTR lpszReplace, BOOL bInSelection)
{
    // An empty find text matches everywhere without moving on.
    if (lpszFind == NULL || *lpszFind == '\0' || lpszReplace == NULL)
        return 0;
    const UINT nReplace = (m_dwSearchFlags & SCFIND_REGEXP) ? SCI_REPLACETARGETRE : SCI_REPLACETARGET;
    const size_t nFindLength = strlen(lpszFind);
    const size_t nReplaceLength = strlen(lpszReplace);
    int nCount = 0;
    Call(SCI_SETSEARCHFLAGS, m_dwSearchFlags);
    Sci_Position nEnd = bInSelection ? Call(SCI_GETSELECTIONEND) : Call(SCI_GETTEXTLENGTH);
    Call(SCI_SETTARGETSTART, bInSelection ? Call(SCI_GETSELECTIONSTART) : 0);
    Call(SCI_SETTARGETEND, nEnd);
    Sci_Position nPos = Call(SCI_SEARCHINTARGET, nFindLength, reinterpret_cast<LPARAM>(lpszFind));
    while (nPos >= 0 && nPos < nEnd) {
        const BOOL bEmptyMatch = Call(SCI_GETTARGETEND) == nPos;
        const Sci_Position nReplaced = Call(nReplace, nReplaceLength, reinterpret_cast<LPARAM>(lpszReplace));
        ++nCount;
        nEnd = bInSelection ? Call(SCI_GETSELECTIONEND) : Call(SCI_GETTEXTLENGTH);
        Sci_Position nNext = nPos + nReplaced;
        // An empty match would be found again at the same place: step one character on.
        if (bEmptyMatch) {
            if (nNext >= nEnd)
                break;
            nNext = Call(SCI_POSITIONAFTER, nNext);
        }
        Call(SCI_SETTARGETSTART, nNext);
        Call(SCI_SETTARGETEND, nEnd);
        nPos = Call(SCI_SEARCHINTARGET, nFindLength, reinterpret_cast<LPARAM>(lpszFind));
    }
    return nCount;
}
