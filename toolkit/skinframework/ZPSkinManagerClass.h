// The per-class property cache of the active schema; its address is the theme handle that
// skinned visual-style queries hand out.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "skinframework/ZPSkinImage.h"

#include <unordered_map>

class CZPSkinManagerSchema;
class CZPSkinManagerSchemaProperty;

class CZPSkinManagerClass
{
public:
    CZPSkinManagerClass(CZPSkinManagerSchema* pSchema, LPCWSTR lpszUpperName, int nClassId);
    virtual ~CZPSkinManagerClass() = default;
    CZPSkinManagerClass(const CZPSkinManagerClass&) = delete;
    CZPSkinManagerClass& operator=(const CZPSkinManagerClass&) = delete;

    // The property of that type through the schema's fall-back, cached hits and misses alike;
    // a property of another type answers NULL and is not cached.
    CZPSkinManagerSchemaProperty* GetProperty(int nType, int nPart, int nState, int nPropertyId);

    CString GetThemeString(int nPart, int nState, int nPropertyId, LPCWSTR lpszDefault);
    int GetThemeInt(int nPart, int nState, int nPropertyId, int nDefault);
    BOOL GetThemeBool(int nPart, int nState, int nPropertyId, BOOL bDefault);
    COLORREF GetThemeColor(int nPart, int nState, int nPropertyId, COLORREF clrDefault);
    // Margins as left, top, right, bottom.
    CRect GetThemeRect(int nPart, int nState, int nPropertyId, const CRect& rcDefault);
    int GetThemeEnumValue(int nPart, int nState, int nPropertyId, int nDefault);
    CPoint GetThemePosition(int nPart, int nState, int nPropertyId, const CPoint& ptDefault);

    BOOL DrawThemeText(CDC* pDC, int nPart, int nState, const CString& strText, UINT nFormat, LPCRECT lpRect);
    // Size type 1: one frame of the part's image; 2: the drawn size. FALSE without an image.
    BOOL GetThemePartSize(int nPart, int nState, LPCRECT lpRect, int nSizeType, SIZE* pSize);

    const CString& GetClassName() const { return m_strClassName; }
    int GetClassId() const { return m_nClassId; }
    CZPSkinManagerSchema* GetSchema() const { return m_pSchema; }
    CZPSkinImageCache* GetImages() { return &m_images; }

protected:
    CZPSkinManagerSchema* m_pSchema;  // borrowed: the schema that owns this class
    CString m_strClassName;
    int m_nClassId;
    CZPSkinImageCache m_images;
    std::unordered_map<DWORD, CZPSkinManagerSchemaProperty*> m_mapCache;  // borrowed from the schema; NULL = miss
};
