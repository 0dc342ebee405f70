// Typed theme queries of one visual-style class, with a cache in front of the schema.
#include "skinframework/ZPSkinManagerClass.h"

#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerSchema.h"

namespace {

const int kPartKeyFactor = 16384;
const int kStateKeyFactor = 1048576;

const int kImageFile = 3001;
const int kImageFile1 = 3002;
const int kImageCount = 2401;
const int kUniformSizing = 2210;
const int kCaptionMargins = 3603;
const int kTextShadowOffset = 3402;
const int kTextColor = 3803;
const int kTextShadowColor = 3818;
const int kBgType = 4001;
const int kSizingType = 4004;
const int kContentAlignment = 4006;
const int kTextShadowType = 4010;
const int kImageLayout = 4011;
const int kGlyphType = 4012;
const int kImageSelectType = 4013;

const int kBgTypeImageFile = 0;
const int kLayoutHorizontal = 1;
const int kSizingTrueSize = 0;
const int kSizingStretch = 1;
const int kAlignCenter = 1;
const int kShadowSingle = 1;
const int kSizeTypeFrame = 1;
const int kSizeTypeDraw = 2;

}  // namespace

CZPSkinManagerClass::CZPSkinManagerClass(CZPSkinManagerSchema* pSchema, LPCWSTR lpszUpperName, int nClassId)
    : m_pSchema(pSchema), m_strClassName(lpszUpperName), m_nClassId(nClassId)
{}

CZPSkinManagerSchemaProperty* CZPSkinManagerClass::GetProperty(int nType, int nPart, int nState, int nPropertyId)
{
    // Outside these bounds the cache key would collide: such a query has no answer.
    if (nPart < 0 || nPart >= kZpSkinMaxPart || nState < 0 || nState >= kZpSkinMaxState || nPropertyId < 0 ||
        nPropertyId >= kZpSkinMaxProperty)
        return NULL;
    const DWORD nKey = static_cast<DWORD>(nPropertyId) + static_cast<DWORD>(nPart) * kPartKeyFactor +
                       static_cast<DWORD>(nState) * kStateKeyFactor;
    // A cached property of another type is no answer either: its value is of another kind.
    auto it = m_mapCache.find(nKey);
    if (it != m_mapCache.end())
        return it->second != NULL && it->second->m_nType == nType ? it->second : NULL;
    CZPSkinManagerSchemaProperty* pProperty = m_pSchema->FindProperty(m_nClassId, nPart, nState, nPropertyId);
    if (pProperty == NULL) {
        m_mapCache[nKey] = NULL;
        return NULL;
    }
    if (pProperty->m_nType != nType)
        return NULL;
    m_mapCache[nKey] = pProperty;
    return pProperty;
}

CString CZPSkinManagerClass::GetThemeString(int nPart, int nState, int nPropertyId, LPCWSTR lpszDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_STRING, nPart, nState, nPropertyId);
    return pProperty != NULL ? CString(pProperty->m_lpszValue) : CString(lpszDefault != NULL ? lpszDefault : L"");
}

int CZPSkinManagerClass::GetThemeInt(int nPart, int nState, int nPropertyId, int nDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_INT, nPart, nState, nPropertyId);
    return pProperty != NULL ? pProperty->m_nValue : nDefault;
}

BOOL CZPSkinManagerClass::GetThemeBool(int nPart, int nState, int nPropertyId, BOOL bDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_BOOL, nPart, nState, nPropertyId);
    return pProperty != NULL ? pProperty->m_nValue : bDefault;
}

COLORREF CZPSkinManagerClass::GetThemeColor(int nPart, int nState, int nPropertyId, COLORREF clrDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_COLOR, nPart, nState, nPropertyId);
    if (pProperty == NULL)
        return clrDefault;
    COLORREF clr = pProperty->m_clrValue;
    ZpSkinApplyColorFilters(clr);
    return clr;
}

CRect CZPSkinManagerClass::GetThemeRect(int nPart, int nState, int nPropertyId, const CRect& rcDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_RECT, nPart, nState, nPropertyId);
    return pProperty != NULL ? CRect(pProperty->m_rcValue) : rcDefault;
}

int CZPSkinManagerClass::GetThemeEnumValue(int nPart, int nState, int nPropertyId, int nDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_ENUM, nPart, nState, nPropertyId);
    return pProperty != NULL ? pProperty->m_nValue : nDefault;
}

CPoint CZPSkinManagerClass::GetThemePosition(int nPart, int nState, int nPropertyId, const CPoint& ptDefault)
{
    CZPSkinManagerSchemaProperty* pProperty = GetProperty(ZP_SKINTYPE_POSITION, nPart, nState, nPropertyId);
    return pProperty != NULL ? CPoint(pProperty->m_ptValue) : ptDefault;
}

BOOL CZPSkinManagerClass::DrawThemeText(CDC* pDC, int nPart, int nState, const CString& strText, UINT nFormat,
                                        LPCRECT lpRect)
{
    ::SetBkMode(pDC->m_hDC, TRANSPARENT);
    CRect rcMargins = GetThemeRect(nPart, nState, kCaptionMargins, CRect(0, 0, 0, 0));
    CRect rcText(lpRect);
    rcText.left += rcMargins.left;
    rcText.right -= rcMargins.right;
    if (GetThemeEnumValue(nPart, nState, kContentAlignment, 0) == kAlignCenter)
        nFormat |= DT_CENTER;
    const COLORREF clrText = GetThemeColor(nPart, nState, kTextColor, ::GetTextColor(pDC->m_hDC));
    const CPoint ptShadow = GetThemePosition(nPart, nState, kTextShadowOffset, CPoint(0, 0));
    if (GetThemeEnumValue(nPart, nState, kTextShadowType, 0) == kShadowSingle && ptShadow != CPoint(0, 0)) {
        CRect rcShadow = rcText;
        rcShadow.OffsetRect(ptShadow);
        const COLORREF clrOld =
            ::SetTextColor(pDC->m_hDC, GetThemeColor(nPart, nState, kTextShadowColor, static_cast<COLORREF>(-1)));
        ::DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcShadow, nFormat);
        ::SetTextColor(pDC->m_hDC, clrOld);
    }
    const COLORREF clrOld = ::SetTextColor(pDC->m_hDC, clrText);
    ::DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcText, nFormat);
    ::SetTextColor(pDC->m_hDC, clrOld);
    return TRUE;
}

BOOL CZPSkinManagerClass::GetThemePartSize(int nPart, int nState, LPCRECT lpRect, int nSizeType, SIZE* pSize)
{
    if (GetThemeEnumValue(nPart, nState, kBgType, kBgTypeImageFile) != kBgTypeImageFile)
        return FALSE;
    int nImageProperty = GetThemeEnumValue(nPart, nState, kImageSelectType, 0) == 0 ||
                                 GetThemeEnumValue(nPart, nState, kGlyphType, 0) != 0
                             ? kImageFile
                             : kImageFile1;
    CString strImage = GetThemeString(nPart, nState, nImageProperty, L"");
    if (strImage.IsEmpty() && nImageProperty == kImageFile1)
        strImage = GetThemeString(nPart, nState, kImageFile, L"");
    if (strImage.IsEmpty())
        return FALSE;
    CZPSkinImage* pImage = m_images.GetImage(m_pSchema->GetResourceFile(), strImage);
    if (pImage == NULL)
        return FALSE;
    int nCount = GetThemeInt(nPart, nState, kImageCount, 1);
    if (nCount <= 0)
        nCount = 1;
    CSize size = pImage->GetSize();
    if (GetThemeEnumValue(nPart, nState, kImageLayout, kLayoutHorizontal) == kLayoutHorizontal)
        size.cx /= nCount;
    else
        size.cy /= nCount;
    if (nSizeType == kSizeTypeFrame) {
        *pSize = size;
    } else if (nSizeType == kSizeTypeDraw) {
        if (GetThemeEnumValue(nPart, nState, kSizingType, kSizingStretch) == kSizingTrueSize) {
            *pSize = size;
        } else {
            CSize sizeRect = lpRect != NULL ? CRect(lpRect).Size() : CSize(0, 0);
            if (GetThemeBool(nPart, nState, kUniformSizing, FALSE) && size.cy != 0)
                sizeRect.cx = ::MulDiv(sizeRect.cy, size.cx, size.cy);
            *pSize = sizeRect;
        }
    }
    return TRUE;
}
