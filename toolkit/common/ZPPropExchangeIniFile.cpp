// INI-file back end of the property exchange, on the system's private-profile functions.
#include "common/ZPPropExchangeIniFile.h"

#include <vector>

IMPLEMENT_DYNAMIC(CZPPropExchangeIniFile, CZPPropExchange)

namespace {

const DWORD kFirstReadSize = 256;
const DWORD kSectionNamesSize = 8000;
// Far beyond any value the toolkit stores; ends the doubling on a broken file system.
const DWORD kMaxReadSize = 64 * 1024 * 1024;

BOOL IsProfileTrimmed(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'"' || ch == L'\'';
}

// A file the exchange is about to fill: started as UTF-16 so that every character survives.
void PrepareNewFile(LPCWSTR pszFileName)
{
    HANDLE hFile = CreateFileW(pszFileName, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(hFile, &size) && size.QuadPart == 0) {
        static const BYTE kByteOrderMark[] = { 0xFF, 0xFE };
        DWORD cbWritten = 0;
        WriteFile(hFile, kByteOrderMark, sizeof(kByteOrderMark), &cbWritten, NULL);
    }
    CloseHandle(hFile);
}

}  // namespace

CString ZpGetPrivateProfileString(LPCWSTR pszSection, LPCWSTR pszEntry, LPCWSTR pszDefault, LPCWSTR pszFileName)
{
    // A full buffer comes back with size - 1 characters: read again with more room.
    std::vector<WCHAR> buffer(kFirstReadSize);
    for (;;) {
        DWORD nRead = GetPrivateProfileStringW(pszSection, pszEntry, pszDefault != NULL ? pszDefault : L"",
                                               buffer.data(), static_cast<DWORD>(buffer.size()), pszFileName);
        if (nRead + 1 < buffer.size() || buffer.size() >= kMaxReadSize)
            return CString(buffer.data(), static_cast<int>(nRead < buffer.size() ? nRead : buffer.size() - 1));
        buffer.resize(buffer.size() * 2);
    }
}

BOOL ZpWritePrivateProfileString(LPCWSTR pszSection, LPCWSTR pszEntry, LPCWSTR pszText, LPCWSTR pszFileName)
{
    // Reading drops blanks around a value and one pair of enclosing quotes: quoting keeps them.
    size_t nLength = pszText != NULL ? wcslen(pszText) : 0;
    if (nLength != 0 && (IsProfileTrimmed(pszText[0]) || IsProfileTrimmed(pszText[nLength - 1]))) {
        CString strQuoted;
        strQuoted.Format(L"\"%s\"", pszText);
        return WritePrivateProfileStringW(pszSection, pszEntry, strQuoted, pszFileName);
    }
    return WritePrivateProfileStringW(pszSection, pszEntry, pszText, pszFileName);
}

CZPPropExchangeIniFile::CZPPropExchangeIniFile(BOOL bLoading, LPCWSTR pszParentSection, LPCWSTR pszSection)
    : m_bTempFile(TRUE)
{
    m_bLoading = bLoading;
    if (pszParentSection != NULL)
        m_strSectionName.Format(L"%s\\%s", pszParentSection, pszSection != NULL ? pszSection : L"");
    else
        m_strSectionName = pszSection;
    // A fresh or temporary file holds nothing to delete.
    m_bEmptySection = TRUE;
}

CZPPropExchangeIniFile::~CZPPropExchangeIniFile()
{
    if (IsRootSection() && m_bTempFile && !m_strFileName.IsEmpty()) {
        WritePrivateProfileStringW(NULL, NULL, NULL, m_strFileName);   // drops the cached copy
        DeleteFileW(m_strFileName);
    }
}

void CZPPropExchangeIniFile::AssignFile(LPCWSTR pszFileName)
{
    m_strFileName = pszFileName;
    m_bTempFile = FALSE;
    m_bEmptySection = FALSE;
}

BOOL CZPPropExchangeIniFile::OpenForExchange()
{
    if (!m_bInitialized && m_strFileName.IsEmpty()) {
        WCHAR szTempPath[MAX_PATH];
        WCHAR szTempFile[MAX_PATH];
        DWORD nPath = GetTempPathW(MAX_PATH, szTempPath);
        if (nPath == 0 || nPath >= MAX_PATH || GetTempFileNameW(szTempPath, L"zp", 0, szTempFile) == 0)
            return FALSE;
        m_strFileName = szTempFile;
        m_bTempFile = TRUE;
    }
    if (!m_bInitialized && !m_bLoading)
        PrepareNewFile(m_strFileName);
    m_bInitialized = TRUE;
    return !m_strFileName.IsEmpty();
}

CZPPropExchange* CZPPropExchangeIniFile::GetSection(LPCWSTR pszSection)
{
    OpenForExchange();
    CZPPropExchangeIniFile* pSection = new CZPPropExchangeIniFile(m_bLoading, m_strSectionName, pszSection);
    InheritPropertyExchange(pSection);
    pSection->m_strFileName = m_strFileName;
    pSection->m_bTempFile = m_bTempFile;
    pSection->m_bInitialized = m_bInitialized;
    return pSection;
}

void CZPPropExchangeIniFile::EmptySection()
{
    if (m_bEmptySection || m_strSectionName.IsEmpty())
        return;
    m_bEmptySection = TRUE;
    if (m_bLoading || !OpenForExchange())
        return;

    // Section names come as a list of strings ending with an empty one; a full buffer is read again.
    std::vector<WCHAR> names(kSectionNamesSize);
    for (;;) {
        DWORD nRead = GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), m_strFileName);
        if (nRead != names.size() - 2 || names.size() >= kMaxReadSize)
            break;
        names.resize(names.size() * 2);
    }
    CString strPrefix = m_strSectionName + L"\\";
    std::vector<CString> doomed;
    for (LPCWSTR pszName = names.data(); *pszName != 0; pszName += wcslen(pszName) + 1) {
        if (m_strSectionName == pszName || wcsncmp(pszName, strPrefix, strPrefix.GetLength()) == 0)
            doomed.emplace_back(pszName);
    }
    for (const CString& strName : doomed)
        WritePrivateProfileStringW(strName, NULL, NULL, m_strFileName);
}

BOOL CZPPropExchangeIniFile::CanSkipDefaults() const
{
    return TRUE;
}

BOOL CZPPropExchangeIniFile::SupportsBinary() const
{
    return FALSE;
}

BOOL CZPPropExchangeIniFile::ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    return m_bLoading ? LoadValue(pszPropName, vtProp, pvProp, m_bUseDefaultOnLoad ? pvDefault : NULL)
                      : StoreValue(pszPropName, vtProp, pvProp, m_bUseDefaultOnSave ? pvDefault : NULL);
}

BOOL CZPPropExchangeIniFile::StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp, const void* pvDefault)
{
    if (!OpenForExchange())
        return FALSE;
    if (ZpPropExchangeIsDefault(vtProp, pvProp, pvDefault)) {
        if (!m_bEmptySection)
            WritePrivateProfileStringW(m_strSectionName, pszPropName, NULL, m_strFileName);
        return TRUE;
    }
    CString strText;
    if (!ZpPropExchangeValueToText(vtProp, pvProp, strText))
        return FALSE;
    return ZpWritePrivateProfileString(m_strSectionName, pszPropName, strText, m_strFileName);
}

BOOL CZPPropExchangeIniFile::LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (!OpenForExchange())
        return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
    CString strText = ZpGetPrivateProfileString(m_strSectionName, pszPropName, NULL, m_strFileName);
    if (strText.IsEmpty())
        return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
    return ZpPropExchangeTextToValue(vtProp, strText, pvProp, pvDefault);
}
