// Gallery items and their collection.
#include "commandbars/ZPControlGalleryItems.h"

#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPPaintManager.h"

namespace {

// A collection without a size of its own lays out items of this size.
const int kDefaultItemWidth = 20, kDefaultItemHeight = 20;
// Bar type and position of the state rectangles of items (a popup-like list).
const int kItemBarType = 1, kItemBarPosition = 5;

}  // namespace

CZPControlGalleryItem::CZPControlGalleryItem(int nId, LPCWSTR lpszCaption, BOOL bLabel)
    : m_nId(nId), m_nTooltipId(-1), m_strCaption(lpszCaption), m_bLabel(bLabel), m_szItem(0, 0), m_pItems(NULL)
{}

CSize CZPControlGalleryItem::GetSize() const
{
    if (m_szItem != CSize(0, 0) || m_pItems == NULL)
        return m_szItem;
    return m_pItems->GetItemSize();
}

void CZPControlGalleryItem::DrawItem(CDC* pDC, CZPControlGallery* pGallery, CRect rcItem, BOOL bEnabled, BOOL bSelected,
                                     BOOL bPressed, BOOL bChecked)
{
    CZPPaintManager* pPaintManager = pGallery->GetPaintManager();
    if (bSelected || bPressed || bChecked)
        pPaintManager->DrawStateRectangle(pDC, rcItem, bSelected, bPressed, bEnabled, bChecked, FALSE, kItemBarType,
                                          kItemBarPosition);
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetRegularFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(pPaintManager->GetStateTextColor(bSelected, bPressed, bEnabled, bChecked,
                                                                               FALSE, kItemBarType, kItemBarPosition));
    CString strCaption = m_strCaption;
    pDC->DrawText(strCaption, rcItem, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

CZPControlGalleryItems::CZPControlGalleryItems() : m_szItem(kDefaultItemWidth, kDefaultItemHeight), m_bClipItems(TRUE)
{}

CZPControlGalleryItems::~CZPControlGalleryItems()
{
    RemoveAll();
}

CZPControlGalleryItem* CZPControlGalleryItems::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : NULL;
}

CZPControlGalleryItem* CZPControlGalleryItems::AddItem(CZPControlGalleryItem* pItem)
{
    pItem->m_pItems = this;
    m_arrItems.Add(pItem);
    return pItem;
}

void CZPControlGalleryItems::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        m_arrItems[i]->m_pItems = NULL;
        m_arrItems[i]->InternalRelease();
    }
    m_arrItems.RemoveAll();
}

BOOL CZPControlGalleryItems::DrawItem(CDC*, CZPControlGallery*, CZPControlGalleryItem*, CRect, BOOL, BOOL, BOOL, BOOL)
{
    return FALSE;
}
