// A control's answers to accessibility clients. A client may still hold a control its bar has
// dropped: every answer checks the parent bar first and never touches a cleared one.
#include "commandbars/ZPControl.h"

#include "common/ZPDrawHelpers.h"
#include "commandbars/ZPCommandBar.h"

namespace {
const long kRoleButtonMenu = ROLE_SYSTEM_BUTTONMENU;  // 57
const long kRolePushButton = ROLE_SYSTEM_PUSHBUTTON;  // 43
const long kRoleMenuItem = ROLE_SYSTEM_MENUITEM;      // 12
const long kChildSelf = CHILDID_SELF;
const long kChildPopup = 1;

BOOL IsSelf(const VARIANT& varChild)
{
    return CZPAccessible::ChildIdFromVariant(varChild) == kChildSelf;
}

HRESULT ReturnString(const CString& str, BSTR* pszOut)
{
    if (pszOut == NULL)
        return E_POINTER;
    *pszOut = ::SysAllocString(str);
    return S_OK;
}
}  // namespace

HRESULT CZPControl::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_POINTER;
    *ppdispParent = NULL;
    if (m_pParent == NULL)
        return E_FAIL;
    *ppdispParent = m_pParent->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CZPControl::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_POINTER;
    *pcountChildren = GetCommandBar() != NULL ? 1 : 0;
    return S_OK;
}

HRESULT CZPControl::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_POINTER;
    *ppdispChild = NULL;
    CZPCommandBar* pPopup = GetCommandBar();
    if (CZPAccessible::ChildIdFromVariant(varChild) == kChildPopup && pPopup != NULL)
        *ppdispChild = pPopup->GetIDispatch(TRUE);
    return S_OK;
}

HRESULT CZPControl::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    CString strName = GetCaption();
    ZpRemoveAmpersands(strName);
    const CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    if (strName.IsEmpty())
        strName = GetTooltip();
    return ReturnString(strName, pszName);
}

HRESULT CZPControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnString(GetDescription(), pszDescription);
}

HRESULT CZPControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL)
        return E_POINTER;
    ::VariantInit(pvarRole);
    if (!IsSelf(varChild) || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return E_INVALIDARG;
    const int nBarType = m_pParent->GetType();
    const BOOL bToolbarLike = nBarType == zpBarTypeNormal || nBarType == 3;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = bToolbarLike ? (GetCommandBar() != NULL ? kRoleButtonMenu : kRolePushButton) : kRoleMenuItem;
    return S_OK;
}

HRESULT CZPControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL)
        return E_POINTER;
    ::VariantInit(pvarState);
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == NULL)
        return E_FAIL;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (m_nSelected != zpSelectionNone)
        nState |= STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    if (!m_pParent->IsBarVisible() || !IsVisible(0))
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!GetEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        nState |= STATE_SYSTEM_CHECKED;
    if (GetPressed())
        nState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar() != NULL)
        nState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CZPControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnString(L"Click", pszDefaultAction);
}

HRESULT CZPControl::AccessibleSelect(long, VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == NULL)
        return E_FAIL;
    m_pParent->SwitchTrackingMode(TRUE, FALSE, FALSE);
    m_pParent->HighlightControlAt(m_nIndex);
    return S_OK;
}

HRESULT CZPControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL || !IsVisible(0))
        return S_OK;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CZPControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_POINTER;
    ::VariantInit(pvarChild);
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rcWindow;
    m_pParent->GetWindowRect(&rcWindow);
    CPoint point(xLeft, yTop);
    if (!rcWindow.PtInRect(point))
        return S_FALSE;
    m_pParent->ScreenToClient(&point);
    if (!m_rcControl.PtInRect(point))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = kChildSelf;
    return S_OK;
}

HRESULT CZPControl::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pParent == NULL)
        return E_FAIL;
    OnClick(TRUE, CPoint(0, 0));
    return S_OK;
}

HRESULT CZPControl::GetAccessibleFocus(VARIANT* pvarChild)
{
    if (pvarChild != NULL)
        ::VariantInit(pvarChild);
    return S_FALSE;
}

HRESULT CZPControl::GetAccessibleSelection(VARIANT* pvarChildren)
{
    if (pvarChildren != NULL)
        ::VariantInit(pvarChildren);
    return S_FALSE;
}
