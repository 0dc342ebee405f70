// Runtime-class records and the process-wide class list.
#include <framework/object.h>
#include <framework/threadstate.h>

#include <string.h>

namespace {

// Zero-initialised before any static constructor runs, so registration order does not matter.
CRuntimeClass* g_pFirstClass;

}  // namespace

CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL };

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&)
{
}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(pClass) ? pObject : NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    AfxLockGlobals(CRIT_RUNTIMECLASSLIST);
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
    AfxUnlockGlobals(CRIT_RUNTIMECLASSLIST);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != NULL ? m_pfnCreateObject() : NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    AfxLockGlobals(CRIT_RUNTIMECLASSLIST);
    CRuntimeClass* pClass = g_pFirstClass;
    while (pClass != NULL && strcmp(pClass->m_lpszClassName, lpszClassName) != 0)
        pClass = pClass->m_pNextClass;
    AfxUnlockGlobals(CRIT_RUNTIMECLASSLIST);
    return pClass;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    // Class names are ASCII: anything else cannot match.
    char szName[256];
    size_t n = 0;
    for (; lpszClassName[n] != 0; ++n) {
        if (n + 1 >= sizeof(szName) || lpszClassName[n] > 0x7F)
            return NULL;
        szName[n] = static_cast<char>(lpszClassName[n]);
    }
    szName[n] = 0;
    return FromName(szName);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}
