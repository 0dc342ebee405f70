// Typed collections of markup objects.
#include "markup/ZPMarkupCollection.h"

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupCollection, NULL, CZPMarkupObject, NULL)

CZPMarkupCollection::CZPMarkupCollection(CZPMarkupType* pElementType, BOOL bParentsItems)
    : m_pElementType(pElementType != NULL ? pElementType : CZPMarkupObject::GetClassType()),
      m_bParentsItems(bParentsItems)
{}

CZPMarkupCollection::~CZPMarkupCollection()
{
    RemoveAll();
}

int CZPMarkupCollection::GetLogicalChildrenCount() const
{
    return GetCount();
}

CZPMarkupObject* CZPMarkupCollection::GetLogicalChild(int nIndex) const
{
    return GetAt(nIndex);
}

BOOL CZPMarkupCollection::HasContentObject() const
{
    return GetCount() > 0;
}

void CZPMarkupCollection::OnItemAdded(CZPMarkupObject* /*pItem*/, int /*nIndex*/) {}

CZPMarkupObject* CZPMarkupCollection::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return m_items[static_cast<size_t>(nIndex)];
}

BOOL CZPMarkupCollection::Insert(int nIndex, CZPMarkupObject* pItem)
{
    if (pItem == NULL || !pItem->IsKindOfType(m_pElementType))
        return FALSE;
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_items.insert(m_items.begin() + nIndex, pItem);
    if (m_bParentsItems)
        pItem->SetLogicalParent(this);
    OnItemAdded(pItem, nIndex);
    return TRUE;
}

void CZPMarkupCollection::RemoveAt(int nIndex)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= GetCount())
        return;
    CZPMarkupObject* pItem = m_items[static_cast<size_t>(nIndex)];
    m_items.erase(m_items.begin() + nIndex);
    if (m_bParentsItems && pItem->GetLogicalParent() == this)
        pItem->SetLogicalParent(NULL);
    pItem->Release();
}

void CZPMarkupCollection::RemoveAll()
{
    // Taken out first: an item's release may reach back into this collection.
    std::vector<CZPMarkupObject*> items;
    items.swap(m_items);
    for (CZPMarkupObject* pItem : items) {
        if (m_bParentsItems && pItem->GetLogicalParent() == this)
            pItem->SetLogicalParent(NULL);
        pItem->Release();
    }
}

void CZPMarkupCollection::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    if (pContent == NULL || !pContent->IsKindOfType(m_pElementType)) {
        CString strMessage;
        strMessage.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                          pContent != NULL ? pContent->GetType()->GetClassName() : L"NULL", GetType()->GetClassName(),
                          m_pElementType->GetClassName());
        ZpMarkupThrowBuilderError(strMessage);
    }
    Add(pContent);
}
