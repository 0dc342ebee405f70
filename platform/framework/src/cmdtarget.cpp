// Command targets: routing through the maps, reference counting, interfaces, command UI.
#include <framework/cmdtarget.h>

#include <framework/assert.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY s_entries[] = { { 0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(0) } };
    static const AFX_MSGMAP s_map = { NULL, &s_entries[0] };
    return &s_map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP_ENTRY s_entries[] = { { NULL, NULL } };
    static const AFX_INTERFACEMAP s_map = { NULL, &s_entries[0] };
    return &s_map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

CCmdTarget::CCmdTarget() : m_dwRef(1), m_bAutomation(FALSE)
{
    m_xDispatch.m_pOwner = this;
}

CCmdTarget::~CCmdTarget() = default;

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT nNotify = static_cast<UINT>(nCode);
    if (nNotify != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nNotify);
        nNotify = LOWORD(nNotify);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nNotify, nID);
        if (lpEntry != NULL)
            return DispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
    }
    return FALSE;
}

BOOL PASCAL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int, AFX_PMSG pfn, void* pExtra,
                                       UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig) {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*AfxCastHandler<AFX_PMSG_CMD_B>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*AfxCastHandler<AFX_PMSG_CMD_RANGE>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*AfxCastHandler<AFX_PMSG_CMD_EX>(pfn))(nID);
    case AfxSigCmdUI: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == NULL)
            return FALSE;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*AfxCastHandler<AFX_PMSG_CMDUI>(pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSigNotify_v:
        if (pNotify == NULL)
            return FALSE;
        (pTarget->*AfxCastHandler<AFX_PMSG_NOTIFY>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        if (pNotify == NULL)
            return FALSE;
        return (pTarget->*AfxCastHandler<AFX_PMSG_NOTIFY_B>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    case AfxSigNotify_RANGE:
        if (pNotify == NULL)
            return FALSE;
        (pTarget->*AfxCastHandler<AFX_PMSG_NOTIFY_RANGE>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        if (pNotify == NULL)
            return FALSE;
        return (pTarget->*AfxCastHandler<AFX_PMSG_NOTIFY_EX>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
    default:
        return FALSE;
    }
}

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease()
{
    ASSERT(m_dwRef > 0);
    if (m_dwRef <= 0)
        return 0;
    LONG lResult = InterlockedDecrement(&m_dwRef);
    if (lResult == 0)
        OnFinalRelease();
    return static_cast<DWORD>(lResult);
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == NULL)
        return static_cast<DWORD>(E_POINTER);
    LPUNKNOWN lpUnk = GetInterface(iid);
    *ppvObj = lpUnk;
    if (lpUnk == NULL)
        return static_cast<DWORD>(E_NOINTERFACE);
    ExternalAddRef();
    return S_OK;
}

DWORD CCmdTarget::ExternalAddRef()
{
    return InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    return InternalRelease();
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return InternalQueryInterface(iid, ppvObj);
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    if (iid == NULL)
        return NULL;
    const IID& riid = *static_cast<const IID*>(iid);
    BOOL bUnknown = IsEqualIID(riid, IID_IUnknown);
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->pEntry; pEntry->piid != NULL; ++pEntry) {
            // IUnknown is answered by the first interface of the most derived map.
            if (bUnknown || IsEqualIID(riid, *pEntry->piid))
                return pEntry->pfnGetInterface(this);
        }
    }
    if (m_bAutomation && (bUnknown || IsEqualIID(riid, IID_IDispatch)))
        return &m_xDispatch;
    return NULL;
}

void CCmdTarget::EnableAutomation()
{
    m_bAutomation = TRUE;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (!m_bAutomation)
        return NULL;
    if (bAddRef)
        ExternalAddRef();
    return &m_xDispatch;
}

ULONG CCmdTarget::XDispatch::AddRef()
{
    return m_pOwner->ExternalAddRef();
}

ULONG CCmdTarget::XDispatch::Release()
{
    return m_pOwner->ExternalRelease();
}

HRESULT CCmdTarget::XDispatch::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    return static_cast<HRESULT>(m_pOwner->ExternalQueryInterface(&iid, ppvObj));
}

HRESULT CCmdTarget::XDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo != NULL)
        *pctinfo = 0;
    return E_NOTIMPL;
}

HRESULT CCmdTarget::XDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != NULL)
        *ppTInfo = NULL;
    return E_NOTIMPL;
}

HRESULT CCmdTarget::XDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CCmdTarget::XDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_nIndexMax(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL),
      m_pOther(NULL), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL)
{
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int)
{
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCWSTR)
{
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    // Id 0 and separators (0xFFFF in the low word) are never updated.
    if (pTarget == NULL || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}

void CTestCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
}
