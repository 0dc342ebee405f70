// Registration of the document types with the shell.
#include <framework/app.h>
#include <framework/regkey.h>

#include <wchar.h>

namespace {

BOOL SetRegString(HKEY hRoot, LPCWSTR lpszKey, LPCWSTR lpszValueName, LPCWSTR lpszValue)
{
    CRegKeyHolder key;
    if (::RegCreateKeyExW(hRoot, lpszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, key.Receive(), NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    return ::RegSetValueExW(key, lpszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
}

CString GetRegString(HKEY hRoot, LPCWSTR lpszKey)
{
    WCHAR szValue[MAX_PATH];
    LONG cb = sizeof(szValue);
    if (::RegQueryValueW(hRoot, lpszKey, szValue, &cb) != ERROR_SUCCESS)
        return CString();
    szValue[ARRAYSIZE(szValue) - 1] = L'\0';
    return szValue;
}

}  // namespace

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    WCHAR szModule[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameW(m_hInstance, szModule, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return;
    const CString strClasses = L"Software\\Classes\\";
    const CString strExe = CString(L"\"") + szModule + L"\"";
    int nTemplateIndex = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL; ++nTemplateIndex) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strId, strName, strExt;
        if (!pTemplate->GetDocString(strId, CDocTemplate::regFileTypeId) || strId.IsEmpty())
            continue;
        pTemplate->GetDocString(strName, CDocTemplate::regFileTypeName);
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);

        const CString strKey = strClasses + strId;
        SetRegString(HKEY_CURRENT_USER, strKey, NULL, strName.IsEmpty() ? strId : strName);
        CString strIcon;
        strIcon.Format(L"%s,%d", szModule, nTemplateIndex);
        SetRegString(HKEY_CURRENT_USER, strKey + L"\\DefaultIcon", NULL, strIcon);
        if (m_atomApp != 0) {
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\open\\command", NULL, strExe + L" /dde");
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\open\\ddeexec", NULL, L"[open(\"%1\")]");
        } else {
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\open\\command", NULL, strExe + L" \"%1\"");
        }
        if (bCompat) {
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\print\\command", NULL, strExe + L" /p \"%1\"");
            SetRegString(HKEY_CURRENT_USER, strKey + L"\\shell\\printto\\command", NULL,
                         strExe + L" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        // An extension another program already owns is left to it.
        if (strExt.GetLength() > 1 && strExt[0] == L'.') {
            CString strOwner = GetRegString(HKEY_CURRENT_USER, strClasses + strExt);
            if (strOwner.IsEmpty())
                strOwner = GetRegString(HKEY_CLASSES_ROOT, strExt);
            if (strOwner.IsEmpty() || strOwner.CompareNoCase(strId) == 0)
                SetRegString(HKEY_CURRENT_USER, strClasses + strExt, NULL, strId);
        }
    }
}

void CWinApp::UnregisterShellFileTypes()
{
    CRegKeyHolder classes;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_READ | KEY_WRITE, classes.Receive()) !=
        ERROR_SUCCESS)
        return;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strId, strExt;
        if (!pTemplate->GetDocString(strId, CDocTemplate::regFileTypeId) || strId.IsEmpty())
            continue;
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
        if (!strExt.IsEmpty() && GetRegString(classes, strExt).CompareNoCase(strId) == 0)
            ::RegDeleteTreeW(classes, strExt);
        ::RegDeleteTreeW(classes, strId);
    }
}
