// The colour scheme of a loaded skin: typed properties keyed by class, part, state and
// property, read from the scheme text, answered with a fixed fall-back order.
#pragma once

#include <framework.h>

#include "skinframework/ZPSkinSchemaNames.h"

#include <memory>
#include <unordered_map>
#include <vector>

class CZPSkinManager;
class CZPSkinManagerClass;
class CZPSkinManagerMetrics;
class CZPSkinManagerResourceFile;

// One property value; a plain record, zero-filled when created.
class CZPSkinManagerSchemaProperty
{
public:
    CZPSkinManagerSchemaProperty();
    ~CZPSkinManagerSchemaProperty() { Clear(); }
    CZPSkinManagerSchemaProperty(const CZPSkinManagerSchemaProperty&) = delete;
    CZPSkinManagerSchemaProperty& operator=(const CZPSkinManagerSchemaProperty&) = delete;

    void Clear();
    // Each setter clears the record and parses the text as its type says.
    void SetString(LPCWSTR lpszText);
    void SetInt(LPCWSTR lpszText);
    void SetBool(LPCWSTR lpszText);
    void SetColor(LPCWSTR lpszText);
    void SetRect(LPCWSTR lpszText);
    void SetFont(LPCWSTR lpszText);
    void SetEnum(int nValue);
    void SetPosition(LPCWSTR lpszText);

    int m_nType;        // ZP_SKINTYPE_*
    int m_nPropertyId;  // the property's number
    union
    {
        int m_nValue;         // integer, boolean, enumerated value
        COLORREF m_clrValue;  // colour
        LPWSTR m_lpszValue;   // owned: string (new[])
        LOGFONTW* m_pFont;    // owned: font
        RECT m_rcValue;       // margins: left, right, top, bottom by name
        POINT m_ptValue;      // position
    };
};

// A new record of that type parsed from the text; NULL for integer lists and unknown types.
CZPSkinManagerSchemaProperty* ZpSkinCreateProperty(LPCWSTR lpszName, int nType, LPCWSTR lpszValue);

class CZPSkinManagerSchema : public CCmdTarget
{
public:
    // Takes a reference on the resource file; its manager serves the colour filters.
    explicit CZPSkinManagerSchema(CZPSkinManagerResourceFile* pResourceFile);
    ~CZPSkinManagerSchema() override;

    // Empties the store and reads the whole scheme text; always 0.
    int ReadProperties();
    // With a state: (class, part, state), then (class, part), (class), Globals.
    CZPSkinManagerSchemaProperty* FindProperty(int nClass, int nPart, int nState, int nPropertyId) const;
    // S_OK with the value, E_INVALIDARG for a property of another type, E_FAIL for none.
    HRESULT GetIntProperty(int nClass, int nPart, int nState, int nPropertyId, int* pnValue) const;
    HRESULT GetBoolProperty(int nClass, int nPart, int nState, int nPropertyId, BOOL* pbValue) const;
    HRESULT GetColorProperty(int nClass, int nPart, int nState, int nPropertyId, COLORREF* pclrValue) const;
    HRESULT GetFontProperty(int nClass, int nPart, int nState, int nPropertyId, LOGFONTW* pLogFont) const;
    void RemoveAllProperties();
    size_t GetPropertyCount() const { return m_mapProperties.size(); }

    // The metrics' colour of a system colour index 0-30.
    COLORREF GetColor(int nIndex) const;
    void RefreshMetrics();

    BOOL IsAlphaConversion() const { return m_bAlphaConversion; }
    CZPSkinManager* GetSkinManager() const { return m_pManager; }
    CZPSkinManagerResourceFile* GetResourceFile() const { return m_pResourceFile; }
    CZPSkinManagerMetrics* GetMetrics() const { return m_pMetrics; }

    // The per-class caches, by upper-cased class name.
    CZPSkinManagerClass* FindClass(LPCWSTR lpszUpperName) const;
    void AddClass(CZPSkinManagerClass* pClass);
    BOOL HasClass(const void* pClass) const;

    const int m_nClassGlobals;
    const int m_nClassWindow;

protected:
    BOOL m_bAlphaConversion;
    std::unordered_map<DWORD, std::unique_ptr<CZPSkinManagerSchemaProperty>> m_mapProperties;
    CZPSkinManager* m_pManager;                   // borrowed: the resource file's manager
    CZPSkinManagerResourceFile* m_pResourceFile;  // one reference
    CZPSkinManagerMetrics* m_pMetrics;            // owned
    std::vector<CZPSkinManagerClass*> m_classes;  // owned
};
