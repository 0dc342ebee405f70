// The typed list of markup objects that owns its items.
#pragma once

#include "markup/ZPMarkupObject.h"

#include <vector>

class CZPMarkupCollection : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    // Items must be of the element type; the collection becomes their logical parent when it parents items.
    explicit CZPMarkupCollection(CZPMarkupType* pElementType = NULL, BOOL bParentsItems = TRUE);
    ~CZPMarkupCollection() override;

    int GetLogicalChildrenCount() const override;
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    virtual void OnItemAdded(CZPMarkupObject* pItem, int nIndex);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    // The item, not add-ref'ed; an index outside the items raises the invalid-argument exception.
    CZPMarkupObject* GetAt(int nIndex) const;
    // TRUE when the item's reference passed to the collection; FALSE for NULL or an item of
    // another type, whose reference stays with the caller. Indexes out of range append.
    BOOL Insert(int nIndex, CZPMarkupObject* pItem);
    BOOL Add(CZPMarkupObject* pItem) { return Insert(GetCount(), pItem); }
    void RemoveAt(int nIndex);
    void RemoveAll();

    CZPMarkupType* GetElementType() const { return m_pElementType; }

protected:
    std::vector<CZPMarkupObject*> m_items;  // one reference each
    CZPMarkupType* m_pElementType;          // a record: lives for the process
    BOOL m_bParentsItems;
};
