// Reading the colour-scheme text into typed properties, and the typed queries on them.
#include "skinframework/ZPSkinManagerSchema.h"

#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerClass.h"
#include "skinframework/ZPSkinManagerMetrics.h"
#include "skinframework/ZPSkinManagerResourceFile.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <wctype.h>

namespace {

const int kFaceNameMax = 31;   // characters of a font face
const int kStyleWordMax = 49;  // characters of a font style word
const int kPointsPerInch = 72;
const int kBoldWeight = FW_BOLD;
const int kNormalWeight = FW_NORMAL;

// One scanf-style number (decimal for %ld, any C base for %i) at *pp; FALSE when none is there.
// Values beyond the 32-bit range saturate.
BOOL ScanNumber(LPCWSTR& p, int nBase, LONG* pnValue)
{
    LPWSTR pEnd = NULL;
    LONG nValue = wcstol(p, &pEnd, nBase);
    if (pEnd == p)
        return FALSE;
    p = pEnd;
    *pnValue = nValue;
    return TRUE;
}

// Numbers separated by one literal comma ("%ld,%ld,..."); stops at the first mismatch.
int ScanCommaList(LPCWSTR lpszText, int nBase, LONG* pValues, int nCount)
{
    LPCWSTR p = lpszText;
    for (int i = 0; i < nCount; ++i) {
        if (i > 0) {
            if (*p != L',')
                return i;
            ++p;
        }
        if (!ScanNumber(p, nBase, &pValues[i]))
            return i;
    }
    return nCount;
}

void SkipSpace(LPCWSTR& p)
{
    while (*p != 0 && iswspace(*p))
        ++p;
}

LPWSTR CopyText(LPCWSTR lpszText)
{
    size_t nLength = wcslen(lpszText);
    LPWSTR lpszCopy = new WCHAR[nLength + 1];
    wmemcpy(lpszCopy, lpszText, nLength + 1);
    return lpszCopy;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Property records

CZPSkinManagerSchemaProperty::CZPSkinManagerSchemaProperty() : m_nType(ZP_SKINTYPE_NONE), m_nPropertyId(0)
{
    memset(&m_rcValue, 0, sizeof(m_rcValue));
}

void CZPSkinManagerSchemaProperty::Clear()
{
    if (m_nType == ZP_SKINTYPE_STRING)
        delete[] m_lpszValue;
    else if (m_nType == ZP_SKINTYPE_FONT)
        delete m_pFont;
    memset(&m_rcValue, 0, sizeof(m_rcValue));
    m_nType = ZP_SKINTYPE_NONE;
}

void CZPSkinManagerSchemaProperty::SetString(LPCWSTR lpszText)
{
    Clear();
    m_lpszValue = CopyText(lpszText);
    m_nType = ZP_SKINTYPE_STRING;
}

void CZPSkinManagerSchemaProperty::SetInt(LPCWSTR lpszText)
{
    Clear();
    LONG nValue = 0;
    ScanNumber(lpszText, 10, &nValue);
    m_nValue = nValue;
    m_nType = ZP_SKINTYPE_INT;
}

void CZPSkinManagerSchemaProperty::SetBool(LPCWSTR lpszText)
{
    Clear();
    m_nValue = _wcsicmp(lpszText, L"TRUE") == 0 ? 1 : 0;
    m_nType = ZP_SKINTYPE_BOOL;
}

// "%i %i %i": red, green, blue, the low byte of each; whitespace between them may be absent.
void CZPSkinManagerSchemaProperty::SetColor(LPCWSTR lpszText)
{
    Clear();
    LONG values[3] = {};
    LPCWSTR p = lpszText;
    for (int i = 0; i < 3 && ScanNumber(p, 0, &values[i]); ++i)
        SkipSpace(p);
    m_clrValue = RGB(values[0] & 0xFF, values[1] & 0xFF, values[2] & 0xFF);
    m_nType = ZP_SKINTYPE_COLOR;
}

// Left, right, top, bottom in that order of the text.
void CZPSkinManagerSchemaProperty::SetRect(LPCWSTR lpszText)
{
    Clear();
    LONG values[4] = {};
    ScanCommaList(lpszText, 10, values, 4);
    m_rcValue.left = values[0];
    m_rcValue.right = values[1];
    m_rcValue.top = values[2];
    m_rcValue.bottom = values[3];
    m_nType = ZP_SKINTYPE_RECT;
}

// "face, points, style": a face longer than its 31 characters stops the parse with an empty face.
void CZPSkinManagerSchemaProperty::SetFont(LPCWSTR lpszText)
{
    Clear();
    LOGFONTW* pFont = new LOGFONTW;
    memset(pFont, 0, sizeof(*pFont));
    LONG nPoints = 0;
    WCHAR szStyle[kStyleWordMax + 1] = {};
    LPCWSTR pComma = wcschr(lpszText, L',');
    size_t nFaceLength = pComma != NULL ? static_cast<size_t>(pComma - lpszText) : wcslen(lpszText);
    if (nFaceLength > 0 && nFaceLength <= kFaceNameMax) {
        wmemcpy(pFont->lfFaceName, lpszText, nFaceLength);
        LPCWSTR p = lpszText + nFaceLength;
        if (*p == L',') {
            ++p;
            SkipSpace(p);
            if (ScanNumber(p, 10, &nPoints) && *p == L',') {
                ++p;
                SkipSpace(p);
                int n = 0;
                while (n < kStyleWordMax && p[n] != 0 && !iswspace(p[n])) {
                    szStyle[n] = p[n];
                    ++n;
                }
            }
        }
    }
    HDC hScreenDC = ::GetDC(NULL);
    pFont->lfHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hScreenDC, LOGPIXELSY), kPointsPerInch);
    pFont->lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hScreenDC, NULL, 0));
    ::ReleaseDC(NULL, hScreenDC);
    pFont->lfWeight = _wcsicmp(szStyle, L"BOLD") == 0 ? kBoldWeight : kNormalWeight;
    m_pFont = pFont;
    m_nType = ZP_SKINTYPE_FONT;
}

void CZPSkinManagerSchemaProperty::SetEnum(int nValue)
{
    Clear();
    m_nValue = nValue;
    m_nType = ZP_SKINTYPE_ENUM;
}

void CZPSkinManagerSchemaProperty::SetPosition(LPCWSTR lpszText)
{
    Clear();
    LONG values[2] = {};
    ScanCommaList(lpszText, 0, values, 2);
    m_ptValue.x = values[0];
    m_ptValue.y = values[1];
    m_nType = ZP_SKINTYPE_POSITION;
}

CZPSkinManagerSchemaProperty* ZpSkinCreateProperty(LPCWSTR lpszName, int nType, LPCWSTR lpszValue)
{
    std::unique_ptr<CZPSkinManagerSchemaProperty> pProperty(new CZPSkinManagerSchemaProperty);
    switch (nType) {
    case ZP_SKINTYPE_STRING:
        pProperty->SetString(lpszValue);
        break;
    case ZP_SKINTYPE_INT:
        pProperty->SetInt(lpszValue);
        break;
    case ZP_SKINTYPE_BOOL:
        pProperty->SetBool(lpszValue);
        break;
    case ZP_SKINTYPE_COLOR:
        pProperty->SetColor(lpszValue);
        break;
    case ZP_SKINTYPE_RECT:
        pProperty->SetRect(lpszValue);
        break;
    case ZP_SKINTYPE_FONT:
        pProperty->SetFont(lpszValue);
        break;
    case ZP_SKINTYPE_ENUM:
        pProperty->SetEnum(ZpSkinEnumValueToId(lpszName, lpszValue));
        break;
    case ZP_SKINTYPE_POSITION:
        pProperty->SetPosition(lpszValue);
        break;
    default:
        return NULL;
    }
    return pProperty.release();
}

// ---------------------------------------------------------------------------------------------
// The schema

CZPSkinManagerSchema::CZPSkinManagerSchema(CZPSkinManagerResourceFile* pResourceFile)
    : m_nClassGlobals(ZpSkinClassNameToId(L"GLOBALS")), m_nClassWindow(ZpSkinClassNameToId(L"WINDOW")),
      m_bAlphaConversion(TRUE), m_pManager(pResourceFile->GetSkinManager()), m_pResourceFile(pResourceFile),
      m_pMetrics(NULL)
{
    m_pResourceFile->InternalAddRef();
    m_pMetrics = new CZPSkinManagerMetrics(this);
}

CZPSkinManagerSchema::~CZPSkinManagerSchema()
{
    RemoveAllProperties();
    for (CZPSkinManagerClass* pClass : m_classes)
        delete pClass;
    delete m_pMetrics;
    m_pResourceFile->InternalRelease();
}

int CZPSkinManagerSchema::ReadProperties()
{
    RemoveAllProperties();
    DWORD nSection = 0;
    CString strLine;
    while (m_pResourceFile->ReadLine(strLine)) {
        strLine.TrimLeft();
        int nComment = strLine.Find(L';');
        if (nComment == 0)
            continue;
        if (nComment > 0)
            strLine.Truncate(nComment);
        if (strLine.IsEmpty())
            continue;
        strLine.MakeUpper();
        if (strLine[0] == L'[') {
            int nLength = strLine.GetLength() - 2;
            nSection = ZpSkinParseSectionName(nLength > 0 ? strLine.Mid(1, nLength) : CString());
            continue;
        }
        int nEquals = strLine.Find(L'=');
        if (nSection == 0 || nEquals <= 0)
            continue;
        CString strName = strLine.Left(nEquals);
        strName.TrimRight();
        int nType = ZP_SKINTYPE_NONE;
        int nId = ZpSkinPropertyNameToId(strName, &nType);
        if (nId == 0 || nType == ZP_SKINTYPE_NONE)
            continue;
        CString strValue = strLine.Mid(nEquals + 1);
        strValue.Trim();
        DWORD nKey = nSection + static_cast<DWORD>(nId);
        m_mapProperties.erase(nKey);
        CZPSkinManagerSchemaProperty* pProperty = ZpSkinCreateProperty(strName, nType, strValue);
        if (pProperty == NULL)
            continue;
        pProperty->m_nPropertyId = nId;
        m_mapProperties[nKey].reset(pProperty);
    }

    const int kAlphaLevel = 2402;
    const int kOpaqueAlphaLevel = 255;
    int nAlphaLevel = 0;
    if (GetIntProperty(kZpSkinClassDocumentation, 0, 0, kAlphaLevel, &nAlphaLevel) == S_OK &&
        nAlphaLevel == kOpaqueAlphaLevel)
        m_bAlphaConversion = FALSE;
    return 0;
}

CZPSkinManagerSchemaProperty* CZPSkinManagerSchema::FindProperty(int nClass, int nPart, int nState,
                                                                 int nPropertyId) const
{
    if (ZpSkinPropertyKey(nClass, nPart, nState, nPropertyId) == 0)
        return NULL;  // no key of its own: it would collide with another
    const int keys[4][3] = {
        { nClass, nPart, nState }, { nClass, nPart, 0 }, { nClass, 0, 0 }, { m_nClassGlobals, 0, 0 }
    };
    for (int i = nState != 0 ? 0 : 1; i < 4; ++i) {
        auto it = m_mapProperties.find(ZpSkinPropertyKey(keys[i][0], keys[i][1], keys[i][2], nPropertyId));
        if (it != m_mapProperties.end())
            return it->second.get();
    }
    return NULL;
}

namespace {

// The property of that type, with the getters' result codes.
HRESULT TypedProperty(CZPSkinManagerSchemaProperty* pProperty, int nType)
{
    if (pProperty == NULL)
        return E_FAIL;
    return pProperty->m_nType == nType ? S_OK : E_INVALIDARG;
}

}  // namespace

HRESULT CZPSkinManagerSchema::GetIntProperty(int nClass, int nPart, int nState, int nPropertyId, int* pnValue) const
{
    CZPSkinManagerSchemaProperty* pProperty = FindProperty(nClass, nPart, nState, nPropertyId);
    HRESULT hr = TypedProperty(pProperty, ZP_SKINTYPE_INT);
    if (hr == S_OK)
        *pnValue = pProperty->m_nValue;
    return hr;
}

HRESULT CZPSkinManagerSchema::GetBoolProperty(int nClass, int nPart, int nState, int nPropertyId, BOOL* pbValue) const
{
    CZPSkinManagerSchemaProperty* pProperty = FindProperty(nClass, nPart, nState, nPropertyId);
    HRESULT hr = TypedProperty(pProperty, ZP_SKINTYPE_BOOL);
    if (hr == S_OK)
        *pbValue = pProperty->m_nValue;
    return hr;
}

HRESULT CZPSkinManagerSchema::GetColorProperty(int nClass, int nPart, int nState, int nPropertyId,
                                               COLORREF* pclrValue) const
{
    CZPSkinManagerSchemaProperty* pProperty = FindProperty(nClass, nPart, nState, nPropertyId);
    HRESULT hr = TypedProperty(pProperty, ZP_SKINTYPE_COLOR);
    if (hr == S_OK) {
        *pclrValue = pProperty->m_clrValue;
        if (m_pManager != NULL)
            m_pManager->ApplyColorFilters(*pclrValue);
    }
    return hr;
}

HRESULT CZPSkinManagerSchema::GetFontProperty(int nClass, int nPart, int nState, int nPropertyId,
                                              LOGFONTW* pLogFont) const
{
    CZPSkinManagerSchemaProperty* pProperty = FindProperty(nClass, nPart, nState, nPropertyId);
    HRESULT hr = TypedProperty(pProperty, ZP_SKINTYPE_FONT);
    if (hr == S_OK)
        *pLogFont = *pProperty->m_pFont;
    return hr;
}

void CZPSkinManagerSchema::RemoveAllProperties()
{
    m_mapProperties.clear();
}

COLORREF CZPSkinManagerSchema::GetColor(int nIndex) const
{
    return m_pMetrics->GetColor(nIndex);
}

void CZPSkinManagerSchema::RefreshMetrics()
{
    m_pMetrics->RefreshMetrics();
}

CZPSkinManagerClass* CZPSkinManagerSchema::FindClass(LPCWSTR lpszUpperName) const
{
    for (CZPSkinManagerClass* pClass : m_classes)
        if (pClass->GetClassName() == lpszUpperName)
            return pClass;
    return NULL;
}

void CZPSkinManagerSchema::AddClass(CZPSkinManagerClass* pClass)
{
    m_classes.push_back(pClass);
}

BOOL CZPSkinManagerSchema::HasClass(const void* pClass) const
{
    for (CZPSkinManagerClass* pKnown : m_classes)
        if (pKnown == pClass)
            return TRUE;
    return FALSE;
}
