// The skin manager: selecting skins, answering colour and class queries, and telling the
// process's windows and skin objects when the skin changes.
#include "skinframework/ZPSkinManager.h"

#include "skinframework/ZPSkinManagerClass.h"
#include "skinframework/ZPSkinManagerMetrics.h"
#include "skinframework/ZPSkinManagerResourceFile.h"
#include "skinframework/ZPSkinManagerSchema.h"
#include "skinframework/ZPSkinModuleEnumSupport.h"
#include "skinframework/ZPSkinObject.h"

#include "common/ZPColorManager.h"

#include <stdlib.h>

namespace {

const int kSysColorPropertyBase = 1601;
const int kMaxPaletteBitsPerPixel = 8;

CZPSkinManager* g_pSkinManager = NULL;  // owned: deleted at exit
BOOL g_bSkinManagerDestroyed = FALSE;

void DestroySkinManager()
{
    CZPSkinManager* pManager = g_pSkinManager;
    g_bSkinManagerDestroyed = TRUE;
    g_pSkinManager = NULL;
    delete pManager;
}

BOOL CALLBACK PostSysColorChange(HWND hWnd, LPARAM lParam)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == static_cast<DWORD>(lParam))
        ::PostMessageW(hWnd, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

CZPSkinManager* ZpSkinManagerInstance()
{
    if (g_pSkinManager == NULL && !g_bSkinManagerDestroyed) {
        g_pSkinManager = new CZPSkinManager;
        atexit(DestroySkinManager);
    }
    return g_pSkinManager;
}

BOOL ZpSkinHasColorFilters()
{
    return g_pSkinManager != NULL && g_pSkinManager->HasColorFilters();
}

void ZpSkinApplyColorFilters(COLORREF& clr)
{
    if (g_pSkinManager != NULL)
        g_pSkinManager->ApplyColorFilters(clr);
}

CZPSkinManager::CZPSkinManager()
    : m_bAutoAttach(TRUE), m_bSkinNewThreads(TRUE), m_bEnabled(FALSE), m_pSchema(NULL), m_pResourceFile(NULL),
      m_nOptions(SkinOptionDefault)
{
    m_pResourceFile = new CZPSkinManagerResourceFile(this);
}

CZPSkinManager::~CZPSkinManager()
{
    CloseSkinFile();
    for (CZPSkinManagerColorFilter* pFilter : m_colorFilters)
        delete pFilter;
    m_colorFilters.clear();
    ReleaseSchema();
    m_pResourceFile->InternalRelease();
    m_pResourceFile = NULL;
    RemoveAllSkinObjects();
}

void CZPSkinManager::ReleaseSchema()
{
    CZPSkinManagerSchema* pSchema = m_pSchema;
    m_pSchema = NULL;
    if (pSchema != NULL)
        pSchema->InternalRelease();
}

int CZPSkinManager::GetScreenBitsPerPixel() const
{
    HDC hScreenDC = ::GetDC(NULL);
    int nBits = ::GetDeviceCaps(hScreenDC, BITSPIXEL);
    ::ReleaseDC(NULL, hScreenDC);
    return nBits;
}

BOOL CZPSkinManager::SelectSkin(LPCWSTR lpszPath, LPCWSTR lpszIniName)
{
    ReleaseSchema();
    const BOOL bPrevState = m_bEnabled;
    const int nBits = GetScreenBitsPerPixel();
    const BOOL bLoaded = !(nBits >= 1 && nBits <= kMaxPaletteBitsPerPixel) && ZpSkinCanEnumerateModules() &&
                         OpenSkinFile(lpszPath, lpszIniName);
    if (bLoaded) {
        m_bEnabled = TRUE;
        m_pSchema->RefreshMetrics();
        ZpRefreshColors();
        OnSkinChanged(bPrevState, TRUE);
        return TRUE;
    }
    m_bEnabled = FALSE;
    ReleaseSchema();
    // Unskinned holds no module: a failed skin's file is closed at once.
    CloseSkinFile();
    ZpRefreshColors();
    OnSkinChanged(bPrevState, FALSE);
    return FALSE;
}

BOOL CZPSkinManager::OpenSkinFile(LPCWSTR lpszPath, LPCWSTR lpszIniName)
{
    CloseSkinFile();
    if (!m_pResourceFile->OpenFile(lpszPath, lpszIniName))
        return FALSE;
    ReleaseSchema();
    m_pSchema = m_pResourceFile->CreateSchema();
    return m_pSchema != NULL && m_pSchema->ReadProperties() >= 0;
}

void CZPSkinManager::CloseSkinFile()
{
    m_pResourceFile->CloseFile();
}

void CZPSkinManager::SetHookOptions(UINT nOptions)
{
    m_nOptions = nOptions;
    if (!m_bEnabled || m_pSchema == NULL)
        return;
    m_pSchema->RefreshMetrics();
    ZpRefreshColors();
    OnSkinChanged(TRUE, TRUE);
}

CZPSkinManagerMetrics* CZPSkinManager::GetMetrics() const
{
    return m_pSchema != NULL ? m_pSchema->GetMetrics() : NULL;
}

COLORREF CZPSkinManager::GetThemeSysColor(int nColorId) const
{
    const int nIndex = nColorId - kSysColorPropertyBase;
    if (m_pSchema == NULL)
        return ::GetSysColor(nIndex);
    if (nIndex < 0 || nIndex >= kZpSkinSysColorCount)
        return static_cast<COLORREF>(-1);
    return m_pSchema->GetMetrics()->GetColor(nIndex);
}

BOOL CZPSkinManager::GetSysMetricsBool(int nPropertyId) const
{
    BOOL bValue = FALSE;
    if (m_pSchema == NULL || m_pSchema->GetBoolProperty(kZpSkinClassSysMetrics, 0, 0, nPropertyId, &bValue) != S_OK)
        return FALSE;
    return bValue;
}

void CZPSkinManager::ApplyColorFilters(COLORREF& clr) const
{
    for (CZPSkinManagerColorFilter* pFilter : m_colorFilters)
        pFilter->ApplyColorFilter(clr);
}

CZPSkinManagerClass* CZPSkinManager::ValidateThemeHandle(const void* hTheme) const
{
    if (m_pSchema == NULL || hTheme == NULL || !m_pSchema->HasClass(hTheme))
        return NULL;
    return static_cast<CZPSkinManagerClass*>(const_cast<void*>(hTheme));
}

CZPSkinManagerClass* CZPSkinManager::GetSkinClass(CZPSkinObject* /*pObject*/, LPCWSTR lpszClassName)
{
    if (m_pSchema == NULL || lpszClassName == NULL)
        return NULL;
    CString strName(lpszClassName);
    strName.MakeUpper();
    CZPSkinManagerClass* pClass = m_pSchema->FindClass(strName);
    if (pClass != NULL)
        return pClass;
    const int nClassId = ZpSkinClassNameToId(strName);
    if (nClassId == 0)
        return NULL;
    pClass = new CZPSkinManagerClass(m_pSchema, strName, nClassId);
    m_pSchema->AddClass(pClass);
    return pClass;
}

void CZPSkinManager::OnSkinChanged(BOOL bPrevState, BOOL bNewState)
{
    ::EnumWindows(PostSysColorChange, static_cast<LPARAM>(::GetCurrentProcessId()));

    // The objects may leave the map while they are told: walk a copy that holds them.
    std::vector<std::pair<HWND, CRefPtr<CZPSkinObject>>> snapshot;
    {
        CZPSyncSectionLock lock(&m_lock);
        snapshot.reserve(m_mapObjects.size());
        for (const auto& entry : m_mapObjects)
            snapshot.emplace_back(entry.first, CRefPtr<CZPSkinObject>::AddRef(entry.second));
    }
    for (auto& entry : snapshot) {
        if (::IsWindow(entry.first))
            entry.second->OnSkinChanged(bPrevState, bNewState);
        else
            RemoveSkinObject(entry.first);
    }
}

void CZPSkinManager::AddSkinObject(HWND hWnd, CZPSkinObject* pObject)
{
    pObject->InternalAddRef();
    CZPSkinObject* pOld = NULL;
    {
        CZPSyncSectionLock lock(&m_lock);
        CZPSkinObject*& pSlot = m_mapObjects[hWnd];
        pOld = pSlot;
        pSlot = pObject;
    }
    if (pOld != NULL)
        pOld->InternalRelease();
}

CZPSkinObject* CZPSkinManager::FindSkinObject(HWND hWnd)
{
    CZPSyncSectionLock lock(&m_lock);
    auto it = m_mapObjects.find(hWnd);
    return it != m_mapObjects.end() ? it->second : NULL;
}

void CZPSkinManager::RemoveSkinObject(HWND hWnd)
{
    CZPSkinObject* pObject = NULL;
    {
        CZPSyncSectionLock lock(&m_lock);
        auto it = m_mapObjects.find(hWnd);
        if (it == m_mapObjects.end())
            return;
        pObject = it->second;
        m_mapObjects.erase(it);
    }
    pObject->InternalRelease();
}

void CZPSkinManager::RemoveAllSkinObjects()
{
    std::unordered_map<HWND, CZPSkinObject*> objects;
    {
        CZPSyncSectionLock lock(&m_lock);
        objects.swap(m_mapObjects);
    }
    for (auto& entry : objects)
        entry.second->InternalRelease();
}

size_t CZPSkinManager::GetSkinObjectCount()
{
    CZPSyncSectionLock lock(&m_lock);
    return m_mapObjects.size();
}
