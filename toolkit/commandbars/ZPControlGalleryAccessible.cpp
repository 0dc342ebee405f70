// A gallery's answers to accessibility clients: a list whose items are simple children (child id =
// item index + 1). The gallery itself answers as any control, with the role list.
#include "commandbars/ZPControlGallery.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "common/ZPDrawHelpers.h"

namespace {

const long kChildSelf = CHILDID_SELF;
const long kItemStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;

}  // namespace

HRESULT CZPControlGallery::AccessibleItemIndex(const VARIANT& varChild, int* pIndex) const
{
    *pIndex = -1;
    const long nChild = CZPAccessible::ChildIdFromVariant(varChild);
    if (nChild <= kChildSelf)
        return E_INVALIDARG;
    // A client may still hold a gallery its bar has dropped (its action went with it).
    if (m_pParent == NULL)
        return E_FAIL;
    if (nChild > GetItemCount())
        return E_INVALIDARG;
    *pIndex = static_cast<int>(nChild - 1);
    return S_OK;
}

BOOL CZPControlGallery::IsAccessibleSelf(const VARIANT& varChild)
{
    return CZPAccessible::ChildIdFromVariant(varChild) == kChildSelf;
}

BOOL CZPControlGallery::AnswersAsList() const
{
    return !IsShownAsButton();
}

HRESULT CZPControlGallery::GetAccessibleChildCount(long* pcountChildren)
{
    if (!AnswersAsList())
        return CZPControlPopup::GetAccessibleChildCount(pcountChildren);
    if (pcountChildren == NULL)
        return E_POINTER;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CZPControlGallery::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!AnswersAsList())
        return CZPControlPopup::GetAccessibleChild(varChild, ppdispChild);
    if (ppdispChild == NULL)
        return E_POINTER;
    *ppdispChild = NULL;
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    // Items are simple children: they have no object of their own.
    return hr == S_OK ? S_FALSE : hr;
}

HRESULT CZPControlGallery::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (!AnswersAsList() || IsAccessibleSelf(varChild))
        return CZPControlPopup::GetAccessibleName(varChild, pszName);
    if (pszName == NULL)
        return E_POINTER;
    *pszName = NULL;
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    if (hr != S_OK)
        return hr;
    CZPControlGalleryItem* pItem = GetItem(nIndex);
    CString strName = pItem->GetCaption();
    ZpRemoveAmpersands(strName);
    if (strName.IsEmpty())
        strName = pItem->GetToolTip();
    *pszName = ::SysAllocString(strName);
    return S_OK;
}

HRESULT CZPControlGallery::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!AnswersAsList())
        return CZPControlPopup::GetAccessibleRole(varChild, pvarRole);
    if (pvarRole == NULL)
        return E_POINTER;
    ::VariantInit(pvarRole);
    if (IsAccessibleSelf(varChild)) {
        if (m_pParent == NULL)
            return E_FAIL;
        pvarRole->vt = VT_I4;
        pvarRole->lVal = ROLE_SYSTEM_LIST;
        return S_OK;
    }
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    if (hr != S_OK)
        return hr;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CZPControlGallery::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (!AnswersAsList() || IsAccessibleSelf(varChild))
        return CZPControlPopup::GetAccessibleState(varChild, pvarState);
    if (pvarState == NULL)
        return E_POINTER;
    ::VariantInit(pvarState);
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    if (hr != S_OK)
        return hr;
    long nState = kItemStates;
    if (nIndex == GetHotItem())
        nState |= STATE_SYSTEM_FOCUSED;
    if (IsItemChecked(GetItem(nIndex)))
        nState |= STATE_SYSTEM_SELECTED;
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CZPControlGallery::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!AnswersAsList() || IsAccessibleSelf(varChild))
        return CZPControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
    if (pszDefaultAction == NULL)
        return E_POINTER;
    *pszDefaultAction = NULL;
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    if (hr != S_OK)
        return hr;
    *pszDefaultAction = ::SysAllocString(L"Click");
    return S_OK;
}

HRESULT CZPControlGallery::SelectAccessibleItem(const VARIANT& varChild)
{
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    if (hr != S_OK)
        return hr;
    // Selecting only makes the item hot: nothing is executed.
    SetHotItem(nIndex);
    return S_OK;
}

HRESULT CZPControlGallery::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    if (!AnswersAsList() || IsAccessibleSelf(varChild))
        return CZPControlPopup::AccessibleSelect(flagsSelect, varChild);
    return SelectAccessibleItem(varChild);
}

HRESULT CZPControlGallery::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (!AnswersAsList() || IsAccessibleSelf(varChild))
        return CZPControlPopup::AccessibleDoDefaultAction(varChild);
    return SelectAccessibleItem(varChild);
}

HRESULT CZPControlGallery::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                              VARIANT varChild)
{
    if (!AnswersAsList() || IsAccessibleSelf(varChild))
        return CZPControlPopup::AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    int nIndex;
    const HRESULT hr = AccessibleItemIndex(varChild, &nIndex);
    if (hr != S_OK || m_pParent->GetSafeHwnd() == NULL)
        return hr;
    CRect rc = GetItemDrawRect(nIndex);
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CZPControlGallery::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    const HRESULT hr = CZPControlPopup::AccessibleHitTest(xLeft, yTop, pvarChild);
    if (hr != S_OK || !AnswersAsList())
        return hr;
    CPoint point(xLeft, yTop);
    m_pParent->ScreenToClient(&point);
    const int nIndex = HitTestItem(point);
    if (nIndex >= 0)
        pvarChild->lVal = nIndex + 1;
    return S_OK;
}
