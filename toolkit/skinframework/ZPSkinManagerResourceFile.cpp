// Opening skins and reading their scheme text and pictures. Modules are only ever mapped as
// data files: a skin is read, never run.
#include "skinframework/ZPSkinManagerResourceFile.h"

#include "skinframework/ZPSkinImage.h"
#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerSchema.h"

#include <wchar.h>

namespace {

const LPCWSTR kTextResourceType = L"TEXTFILE";
const LPCWSTR kSchemeListName = L"THEMES_INI";
const WCHAR kByteOrderMark = 0xFEFF;
const WCHAR kSchemeMarker[] = L"[File.";

BOOL IsExistingFile(const CString& strPath)
{
    DWORD dwAttributes = ::GetFileAttributesW(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The text of a TEXTFILE resource: its characters, the size rounded down to whole characters.
BOOL FindText(HMODULE hModule, LPCWSTR lpszName, LPCWSTR* ppStart, LPCWSTR* ppEnd)
{
    HRSRC hResource = ::FindResourceW(hModule, lpszName, kTextResourceType);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const WCHAR* pText = hData != NULL ? static_cast<const WCHAR*>(::LockResource(hData)) : NULL;
    if (pText == NULL)
        return FALSE;
    DWORD nChars = ::SizeofResource(hModule, hResource) / sizeof(WCHAR);
    *ppStart = pText;
    *ppEnd = pText + nChars;
    return TRUE;
}

}  // namespace

CString ZpSkinResourceNameOf(LPCWSTR lpszFileName)
{
    CString strName(lpszFileName != NULL ? lpszFileName : L"");
    strName.Replace(L'.', L'_');
    strName.Replace(L'\\', L'_');
    return strName;
}

CZPSkinManagerResourceFile::CZPSkinManagerResourceFile(CZPSkinManager* pManager)
    : m_pTextCursor(NULL), m_pTextEnd(NULL), m_hModule(NULL),
      m_pManager(pManager != NULL ? pManager : ZpSkinManagerInstance()), m_pTextFile(NULL)
{}

CZPSkinManagerResourceFile::~CZPSkinManagerResourceFile()
{
    CloseFile();
}

BOOL CZPSkinManagerResourceFile::OpenFile(LPCWSTR lpszPath, LPCWSTR lpszIniName)
{
    CloseFile();
    m_strPath = lpszPath != NULL ? lpszPath : L"";
    m_strIniName = lpszIniName != NULL ? lpszIniName : L"";
    if (m_strPath.IsEmpty())
        return FALSE;

    if (!m_strIniName.IsEmpty() && IsExistingFile(m_strPath + L"\\" + m_strIniName)) {
        m_pTextFile = new CStdioFile;
        if (m_pTextFile->Open(m_strPath + L"\\" + m_strIniName, CFile::modeRead | CFile::shareDenyWrite))
            return TRUE;
        delete m_pTextFile;
        m_pTextFile = NULL;
        return FALSE;
    }

    m_hModule = ::LoadLibraryExW(m_strPath, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (m_hModule == NULL)
        return FALSE;
    if (m_strIniName.IsEmpty())
        m_strIniName = GetDefaultIniName();
    LPCWSTR pStart = NULL, pEnd = NULL;
    CString strResource = ZpSkinResourceNameOf(m_strIniName);
    if (strResource.IsEmpty() || !FindText(m_hModule, strResource, &pStart, &pEnd))
        return FALSE;
    if (pStart < pEnd && *pStart == kByteOrderMark)
        ++pStart;
    m_pTextCursor = pStart;
    m_pTextEnd = pEnd;
    return TRUE;
}

BOOL CZPSkinManagerResourceFile::ReadLine(CString& strLine)
{
    if (m_pTextFile != NULL) {
        if (m_pTextFile->m_hFile == INVALID_HANDLE_VALUE)
            return FALSE;
        try {
            if (m_pTextFile->ReadString(strLine))
                return TRUE;
        } catch (CException* e) {
            e->Delete();
        }
        m_pTextFile->Abort();
        return FALSE;
    }
    if (m_pTextCursor == NULL)
        return FALSE;
    const WCHAR* pCR = m_pTextCursor;
    while (pCR < m_pTextEnd && *pCR != L'\r')
        ++pCR;
    if (pCR == m_pTextEnd)
        return FALSE;
    strLine = CString(m_pTextCursor, static_cast<int>(pCR - m_pTextCursor));
    m_pTextCursor = pCR + 1;
    if (m_pTextCursor < m_pTextEnd && *m_pTextCursor == L'\n')
        ++m_pTextCursor;
    return TRUE;
}

void CZPSkinManagerResourceFile::CloseFile()
{
    delete m_pTextFile;
    m_pTextFile = NULL;
    if (m_hModule != NULL)
        ::FreeLibrary(m_hModule);
    m_hModule = NULL;
    m_pTextCursor = m_pTextEnd = NULL;
}

CZPSkinImage* CZPSkinManagerResourceFile::LoadImageFile(LPCWSTR lpszFileName)
{
    if (lpszFileName == NULL || *lpszFileName == 0)
        return NULL;
    std::unique_ptr<CZPSkinImage> pImage(new CZPSkinImage);
    CZPSkinManagerSchema* pSchema = m_pManager != NULL ? m_pManager->GetSchema() : NULL;
    pImage->SetAlphaConversion(pSchema == NULL || pSchema->IsAlphaConversion());
    if (m_pTextFile != NULL) {
        CString strFile = m_strPath + L"\\" + lpszFileName;
        if (!IsExistingFile(strFile) || !pImage->LoadFromFile(strFile))
            return NULL;
    } else if (m_hModule == NULL || !pImage->LoadFromResource(m_hModule, ZpSkinResourceNameOf(lpszFileName))) {
        return NULL;
    }
    return pImage.release();
}

CZPSkinManagerSchema* CZPSkinManagerResourceFile::CreateSchema()
{
    return new CZPSkinManagerSchema(this);
}

CString CZPSkinManagerResourceFile::GetDefaultIniName() const
{
    LPCWSTR pStart = NULL, pEnd = NULL;
    if (m_hModule == NULL || !FindText(m_hModule, kSchemeListName, &pStart, &pEnd))
        return CString();
    const size_t nMarker = wcslen(kSchemeMarker);
    for (const WCHAR* p = pStart; static_cast<size_t>(pEnd - p) >= nMarker; ++p) {
        if (wmemcmp(p, kSchemeMarker, nMarker) != 0)
            continue;
        const WCHAR* pName = p + nMarker;
        for (const WCHAR* pClose = pName; pClose < pEnd; ++pClose)
            if (*pClose == L']')
                return CString(pName, static_cast<int>(pClose - pName)) + L"_ini";
        return CString();
    }
    return CString();
}
