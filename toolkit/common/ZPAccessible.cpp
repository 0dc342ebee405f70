// The accessible interface of toolkit-drawn objects.
#include "common/ZPAccessible.h"

// USER32 stays loaded for the whole process: its entry is looked up once, not per owner (a bar
// of 500 controls has 501 owners).
CZPAccessible::PFNNOTIFYWINEVENT CZPAccessible::ResolveNotifyWinEvent()
{
    static CZPModuleHandle s_modUser32(L"user32.dll");  // held while the entry may be called
    static const PFNNOTIFYWINEVENT s_pfn = [] {
        PFNNOTIFYWINEVENT pfn = NULL;
        s_modUser32.GetProcAddressIfVersion(&pfn, "NotifyWinEvent");
        return pfn;
    }();
    return s_pfn;
}

CZPAccessible::CZPAccessible()
    : m_pfnNotifyWinEvent(ResolveNotifyWinEvent()), m_pfnLresultFromObject(NULL), m_pfnAccessibleObjectFromWindow(NULL)
{}

CZPAccessible::~CZPAccessible()
{
    m_modOleacc.Release();
}

HRESULT CZPAccessible::GetAccessibleParent(IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleChildCount(long*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleChild(VARIANT, IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleName(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleValue(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleDescription(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleRole(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleState(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleHelp(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::GetAccessibleFocus(VARIANT*)
{
    return S_FALSE;
}

HRESULT CZPAccessible::GetAccessibleSelection(VARIANT*)
{
    return S_FALSE;
}

HRESULT CZPAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::AccessibleSelect(long, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::AccessibleNavigate(long, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::AccessibleHitTest(long, long, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::AccessibleDoDefaultAction(VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::PutAccessibleName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::PutAccessibleValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

CCmdTarget* CZPAccessible::GetAccessibleCmdTarget()
{
    return NULL;
}

void CZPAccessible::RaiseWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    if (m_pfnNotifyWinEvent != NULL)
        m_pfnNotifyWinEvent(dwEvent, hWnd, idObject, idChild);
}

long PASCAL CZPAccessible::ChildIdFromVariant(const VARIANT& varChild)
{
    const VARIANT* pVar = &varChild;
    // One level of VT_VARIANT reference only: a variant may refer to itself.
    if (pVar->vt == (VT_BYREF | VT_VARIANT)) {
        pVar = pVar->pvarVal;
        if (pVar == NULL)
            return -1;
    }
    switch (pVar->vt) {
    case VT_EMPTY:
        return 0;
    case VT_I2:
        return pVar->iVal;
    case VT_I4:
        return pVar->lVal;
    case VT_BYREF | VT_I2:
        return pVar->piVal != NULL ? *pVar->piVal : -1;
    case VT_BYREF | VT_I4:
        return pVar->plVal != NULL ? *pVar->plVal : -1;
    default:
        return -1;
    }
}

BOOL CZPAccessible::LoadOleacc()
{
    return m_modOleacc.GetHandle() != NULL || m_modOleacc.Load(L"oleacc.dll");
}

HRESULT CZPAccessible::CallAccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject)
{
    if (m_pfnAccessibleObjectFromWindow == NULL && LoadOleacc())
        m_modOleacc.GetProcAddressIfVersion(&m_pfnAccessibleObjectFromWindow, "AccessibleObjectFromWindow");
    if (m_pfnAccessibleObjectFromWindow == NULL)
        return E_FAIL;
    return m_pfnAccessibleObjectFromWindow(hWnd, dwObjectID, riid, ppvObject);
}

LRESULT CZPAccessible::CallLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk)
{
    if (m_pfnLresultFromObject == NULL && LoadOleacc())
        m_modOleacc.GetProcAddressIfVersion(&m_pfnLresultFromObject, "LresultFromObject");
    if (m_pfnLresultFromObject == NULL)
        return E_FAIL;
    return m_pfnLresultFromObject(riid, wParam, punk);
}

void CZPAccessible::DisconnectAccessible()
{
    CCmdTarget* pTarget = GetAccessibleCmdTarget();
    if (pTarget == NULL)
        return;
    // In a COM apartment the disconnection queries the interface, adding and releasing a
    // reference; from a destructor the count is already zero and that release would free the
    // object again (endless recursion). Hold the count up across the call, then restore it
    // without a final release.
    ::InterlockedIncrement(&pTarget->m_dwRef);
    ::CoDisconnectObject(static_cast<IUnknown*>(&m_xAccessible), 0);
    ::InterlockedDecrement(&pTarget->m_dwRef);
}

// ---- the nested COM object ----

CZPAccessible* CZPAccessible::XAccessible::Owner()
{
    METHOD_PROLOGUE(CZPAccessible, Accessible)
    return pThis;
}

// Without a command target the object has no count to share: it answers no interface and
// counts nothing, so a careless owner fails calls instead of crashing.
ULONG CZPAccessible::XAccessible::AddRef()
{
    CCmdTarget* pTarget = Owner()->GetAccessibleCmdTarget();
    return pTarget != NULL ? pTarget->ExternalAddRef() : 0;
}

ULONG CZPAccessible::XAccessible::Release()
{
    CCmdTarget* pTarget = Owner()->GetAccessibleCmdTarget();
    return pTarget != NULL ? pTarget->ExternalRelease() : 0;
}

HRESULT CZPAccessible::XAccessible::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    if (ppvObj == NULL)
        return E_POINTER;
    *ppvObj = NULL;
    CCmdTarget* pTarget = Owner()->GetAccessibleCmdTarget();
    if (pTarget == NULL)
        return E_NOINTERFACE;
    return static_cast<HRESULT>(pTarget->ExternalQueryInterface(&iid, ppvObj));
}

HRESULT CZPAccessible::XAccessible::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo != NULL)
        *pctinfo = 0;
    return E_NOTIMPL;
}

HRESULT CZPAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != NULL)
        *ppTInfo = NULL;
    return E_NOTIMPL;
}

HRESULT CZPAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT CZPAccessible::XAccessible::get_accParent(IDispatch** ppdispParent)
{
    return Owner()->GetAccessibleParent(ppdispParent);
}

HRESULT CZPAccessible::XAccessible::get_accChildCount(long* pcountChildren)
{
    return Owner()->GetAccessibleChildCount(pcountChildren);
}

HRESULT CZPAccessible::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    return Owner()->GetAccessibleChild(varChild, ppdispChild);
}

HRESULT CZPAccessible::XAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    return Owner()->GetAccessibleName(varChild, pszName);
}

HRESULT CZPAccessible::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return Owner()->GetAccessibleValue(varChild, pszValue);
}

HRESULT CZPAccessible::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return Owner()->GetAccessibleDescription(varChild, pszDescription);
}

HRESULT CZPAccessible::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return Owner()->GetAccessibleRole(varChild, pvarRole);
}

HRESULT CZPAccessible::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return Owner()->GetAccessibleState(varChild, pvarState);
}

HRESULT CZPAccessible::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return Owner()->GetAccessibleHelp(varChild, pszHelp);
}

HRESULT CZPAccessible::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic)
{
    return Owner()->GetAccessibleHelpTopic(pszHelpFile, varChild, pidTopic);
}

HRESULT CZPAccessible::XAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return Owner()->GetAccessibleKeyboardShortcut(varChild, pszKeyboardShortcut);
}

HRESULT CZPAccessible::XAccessible::get_accFocus(VARIANT* pvarChild)
{
    return Owner()->GetAccessibleFocus(pvarChild);
}

HRESULT CZPAccessible::XAccessible::get_accSelection(VARIANT* pvarChildren)
{
    return Owner()->GetAccessibleSelection(pvarChildren);
}

HRESULT CZPAccessible::XAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return Owner()->GetAccessibleDefaultAction(varChild, pszDefaultAction);
}

HRESULT CZPAccessible::XAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    return Owner()->AccessibleSelect(flagsSelect, varChild);
}

HRESULT CZPAccessible::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                VARIANT varChild)
{
    return Owner()->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}

HRESULT CZPAccessible::XAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    return Owner()->AccessibleNavigate(navDir, varStart, pvarEndUpAt);
}

HRESULT CZPAccessible::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    return Owner()->AccessibleHitTest(xLeft, yTop, pvarChild);
}

HRESULT CZPAccessible::XAccessible::accDoDefaultAction(VARIANT varChild)
{
    return Owner()->AccessibleDoDefaultAction(varChild);
}

HRESULT CZPAccessible::XAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    return Owner()->PutAccessibleName(varChild, szName);
}

HRESULT CZPAccessible::XAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    return Owner()->PutAccessibleValue(varChild, szValue);
}
