// The process-wide skin: loading a skin file into a schema, the skinned metrics and colours,
// the per-class theme caches and the windows that carry skin objects.
#pragma once

#include <framework.h>
#include <framework/refptr.h>

#include "common/ZPSystemHelpers.h"

#include <unordered_map>
#include <vector>

class CZPSkinManagerClass;
class CZPSkinManagerMetrics;
class CZPSkinManagerResourceFile;
class CZPSkinManagerSchema;
class CZPSkinObject;

// Option bits: what of the process the skin takes over.
enum
{
    SkinOptionMetrics = 1,
    SkinOptionFrames = 2,
    SkinOptionColors = 4,
    SkinOptionMenus = 8,
    SkinOptionDefault = SkinOptionMetrics | SkinOptionFrames | SkinOptionColors | SkinOptionMenus,
};

// Rewrites a colour in place.
class CZPSkinManagerColorFilter
{
public:
    virtual ~CZPSkinManagerColorFilter() = default;
    virtual void ApplyColorFilter(COLORREF& clr) = 0;
};

class CZPSkinManager
{
public:
    CZPSkinManager();
    virtual ~CZPSkinManager();
    CZPSkinManager(const CZPSkinManager&) = delete;
    CZPSkinManager& operator=(const CZPSkinManager&) = delete;

    virtual CZPSkinManagerClass* GetSkinClass(CZPSkinObject* pObject, LPCWSTR lpszClassName);
    virtual void OnSkinChanged(BOOL bPrevState, BOOL bNewState);

    // Loads a skin (module or folder) with its scheme; NULL path switches skinning off. Any
    // failure leaves the process unskinned and answers FALSE.
    BOOL SelectSkin(LPCWSTR lpszPath, LPCWSTR lpszIniName);
    void SetHookOptions(UINT nOptions);
    UINT GetHookOptions() const { return m_nOptions; }
    BOOL OpenSkinFile(LPCWSTR lpszPath, LPCWSTR lpszIniName);
    void CloseSkinFile();

    BOOL IsEnabled() const { return m_bEnabled; }
    CZPSkinManagerSchema* GetSchema() const { return m_pSchema; }
    CZPSkinManagerResourceFile* GetResourceFile() const { return m_pResourceFile; }
    CZPSkinManagerMetrics* GetMetrics() const;
    // A visual-style colour id 1601-1631; -1 for others while a skin is active.
    COLORREF GetThemeSysColor(int nColorId) const;
    BOOL GetSysMetricsBool(int nPropertyId) const;
    BOOL HasColorFilters() const { return !m_colorFilters.empty(); }
    void ApplyColorFilters(COLORREF& clr) const;
    // The handle when it is one of the active schema's classes, else NULL.
    CZPSkinManagerClass* ValidateThemeHandle(const void* hTheme) const;

    // The skin-object map holds one reference on each object.
    void AddSkinObject(HWND hWnd, CZPSkinObject* pObject);
    CZPSkinObject* FindSkinObject(HWND hWnd);
    void RemoveSkinObject(HWND hWnd);
    void RemoveAllSkinObjects();
    size_t GetSkinObjectCount();

    BOOL m_bAutoAttach;
    BOOL m_bSkinNewThreads;

protected:
    // The screen's colour depth; a skin needs more than 8 bits per pixel.
    virtual int GetScreenBitsPerPixel() const;
    void ReleaseSchema();

    BOOL m_bEnabled;
    CZPSkinManagerSchema* m_pSchema;              // one reference, NULL without a skin
    CZPSkinManagerResourceFile* m_pResourceFile;  // one reference, for the manager's life
    UINT m_nOptions;
    std::unordered_map<HWND, CZPSkinObject*> m_mapObjects;   // one reference each
    CZPSyncSection m_lock;                                   // guards m_mapObjects
    std::vector<CZPSkinManagerColorFilter*> m_colorFilters;  // owned
};

// Created on first use on the calling thread; NULL once exit-time destruction has run.
CZPSkinManager* ZpSkinManagerInstance();
// The process-wide manager's colour filters, when it exists.
BOOL ZpSkinHasColorFilters();
void ZpSkinApplyColorFilters(COLORREF& clr);
