// Where the command bars' controls blob is kept: a binary profile value up to 16000 bytes, a
// hidden file under the user's application-data folder beyond that. Reading refuses any other
// path, oversized or mistyped values; writing never leaves a half-written file in place.
#pragma once

#include <framework.h>

#include <vector>

// The largest blob kept as a profile value; larger ones go to the file.
const UINT kZpMaxControlsValueBytes = 16000;
// The largest blob file read back.
const UINT kZpMaxControlsFileBytes = 4 * 1024 * 1024;
// The schema the layout is written with; a newer one is not read.
const long kZpCommandBarsSchema = 34;

// The file of the profile's blob: the application's folder under CSIDL_APPDATA (created when
// missing) and the profile name with '\' as '_'; the program's path, '-' and that name when the
// folder is not available.
CString ZpControlsFilePath(LPCWSTR lpszProfileName);
// Stores the blob under "%s-Controls". FALSE, with the previous section and file kept, when it
// cannot be written whole.
BOOL ZpSaveControlsBlob(LPCWSTR lpszProfileName, const std::vector<BYTE>& blob);
// Reads the stored blob; FALSE when there is none or its source is refused. *pstrFile names the
// file it came from (empty for the profile value).
BOOL ZpLoadControlsBlob(LPCWSTR lpszProfileName, std::vector<BYTE>& blob, CString* pstrFile);
// Keeps an unreadable blob aside: its file is renamed with ".bad".
void ZpSetControlsBlobAside(const CString& strFile);
