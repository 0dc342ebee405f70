// The menu bar's per-template control sets.
#include "commandbars/ZPMenuBarMDIMenus.h"

#include "commandbars/ZPControls.h"

#include <framework/app.h>
#include <framework/docview.h>

namespace {
const int kTemplateIconSize = 16;

CDocTemplate* FindTemplate(UINT nId)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || nId == 0)
        return NULL;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate != NULL && pTemplate->GetResourceID() == nId)
            return pTemplate;
    }
    return NULL;
}
}  // namespace

CZPMenuBarMDIMenuInfo::CZPMenuBarMDIMenuInfo(UINT nId, CZPControls* pControls)
    : m_pControls(pControls), m_hIcon(NULL), m_nId(nId), m_bChanged(FALSE)
{
    if (m_pControls != NULL)
        m_pControls->InternalAddRef();
    if (CDocTemplate* pTemplate = FindTemplate(nId)) {
        pTemplate->GetDocString(m_strDocName, CDocTemplate::docName);
        pTemplate->GetDocString(m_strFileTypeName, CDocTemplate::regFileTypeName);
    }
    if (nId != 0 && nId <= 0xFFFF)
        m_hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId), IMAGE_ICON,
                                                  kTemplateIconSize, kTemplateIconSize, 0));
}

CZPMenuBarMDIMenuInfo::~CZPMenuBarMDIMenuInfo()
{
    if (m_pControls != NULL)
        m_pControls->InternalRelease();
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

void CZPMenuBarMDIMenuInfo::SetControls(CZPControls* pControls)
{
    if (pControls != NULL)
        pControls->InternalAddRef();
    if (m_pControls != NULL)
        m_pControls->InternalRelease();
    m_pControls = pControls;
}

BOOL CZPMenuBarMDIMenuInfo::RefreshChanged()
{
    CZPOriginalControls* pOriginals = m_pControls != NULL ? m_pControls->GetOriginalControls() : NULL;
    m_bChanged = m_pControls != NULL && (pOriginals == NULL || !m_pControls->IsEqual(pOriginals));
    return m_bChanged;
}

CZPMenuBarMDIMenus::CZPMenuBarMDIMenus(CZPMenuBar* pMenuBar) : m_pMenuBar(pMenuBar) {}

CZPMenuBarMDIMenus::~CZPMenuBarMDIMenus()
{
    RemoveAll();
}

CZPMenuBarMDIMenuInfo* CZPMenuBarMDIMenus::Lookup(UINT nId) const
{
    CZPMenuBarMDIMenuInfo* pInfo = NULL;
    return m_map.Lookup(nId, pInfo) ? pInfo : NULL;
}

void CZPMenuBarMDIMenus::SetAt(UINT nId, CZPMenuBarMDIMenuInfo* pInfo)
{
    CZPMenuBarMDIMenuInfo* pOld = Lookup(nId);
    m_map.SetAt(nId, pInfo);
    if (pOld != NULL && pOld != pInfo)
        pOld->InternalRelease();
}

void CZPMenuBarMDIMenus::Remove(UINT nId)
{
    CZPMenuBarMDIMenuInfo* pInfo = Lookup(nId);
    m_map.RemoveKey(nId);
    if (pInfo != NULL)
        pInfo->InternalRelease();
}

void CZPMenuBarMDIMenus::RemoveAll()
{
    // Emptied first: releasing an entry may reach back into the map.
    CArray<CZPMenuBarMDIMenuInfo*, CZPMenuBarMDIMenuInfo*> entries;
    for (POSITION pos = GetStartPosition(); pos != NULL;)
        entries.Add(GetNext(pos));
    m_map.RemoveAll();
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        entries[i]->InternalRelease();
}

CZPMenuBarMDIMenuInfo* CZPMenuBarMDIMenus::GetNext(POSITION& pos) const
{
    UINT nId = 0;
    CZPMenuBarMDIMenuInfo* pInfo = NULL;
    m_map.GetNextAssoc(pos, nId, pInfo);
    return pInfo;
}
