// What the find and replace dialogs remember in the profile section "Settings": the three
// options, the direction and the histories of search and replacement texts.
#pragma once

#include <framework/controls.h>

#include <vector>

// Search flags of the editing component, as the dialogs hand them to the document.
const DWORD kSearchWholeWord = 2;          // SCFIND_WHOLEWORD
const DWORD kSearchMatchCase = 4;          // SCFIND_MATCHCASE
const DWORD kSearchRegExp = 0x200000;      // SCFIND_REGEXP

// Value name patterns of the two histories ("History0" ... "History19").
extern const LPCWSTR kSearchHistoryFormat;
extern const LPCWSTR kReplaceHistoryFormat;

// Stored entries per history; texts added beyond them stay in the open dialog only.
const int kHistoryEntries = 20;
// Longer texts are searched but not remembered: the profile is no store for documents.
const int kMaxHistoryChars = 1024;

typedef std::vector<CString> CSearchHistory;

struct CSearchOptions
{
    BOOL bMatchCase = FALSE;
    BOOL bRegEx = FALSE;
    BOOL bWholeWords = FALSE;
    int nDirection = 1;   // 0 up, 1 down

    void Load();
    void Save() const;
    DWORD GetFlags() const;
};

// Entries 0, 1, ... until the first missing or empty one; values that are no text of a
// usable length are passed over.
void LoadSearchHistory(LPCWSTR lpszFormat, CSearchHistory& history);
// Entry i for i < 20: the history's entry or an empty text.
void SaveSearchHistory(LPCWSTR lpszFormat, const CSearchHistory& history);
// Appends a text the history lacks (exact comparison) and puts it at the top of the combo's
// list; FALSE for a text already there, an empty one or one too long to remember.
BOOL AddToSearchHistory(CSearchHistory& history, CComboBox& combo, const CString& strText);
// The list newest first, then the text into the edit field unless it spans lines.
void FillSearchCombo(CComboBox& combo, const CSearchHistory& history, const CString& strText);
