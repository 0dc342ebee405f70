// The items a gallery shows and their collection; the collection reaches a gallery through the
// gallery's bound action.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

class CZPControlGallery;
class CZPControlGalleryItems;

class CZPControlGalleryItem : public CCmdTarget
{
public:
    CZPControlGalleryItem(int nId, LPCWSTR lpszCaption, BOOL bLabel = FALSE);

    int GetID() const { return m_nId; }
    int GetTooltipId() const { return m_nTooltipId; }
    void SetTooltipId(int nId) { m_nTooltipId = nId; }
    const CString& GetCaption() const { return m_strCaption; }
    const CString& GetToolTip() const { return m_strToolTip; }
    const CString& GetDescription() const { return m_strDescription; }
    void SetToolTip(LPCWSTR lpszText) { m_strToolTip = lpszText; }
    void SetDescription(LPCWSTR lpszText) { m_strDescription = lpszText; }
    BOOL IsLabel() const { return m_bLabel; }
    // (0, 0) takes the collection's default size; width 0 spans the items width.
    void SetSize(CSize size) { m_szItem = size; }
    CSize GetSize() const;
    virtual void DrawItem(CDC* pDC, CZPControlGallery* pGallery, CRect rcItem, BOOL bEnabled, BOOL bSelected,
                          BOOL bPressed, BOOL bChecked);

protected:
    friend class CZPControlGalleryItems;
    int m_nId;
    int m_nTooltipId;  // -1 = the id
    CString m_strCaption;
    CString m_strToolTip;
    CString m_strDescription;
    BOOL m_bLabel;
    CSize m_szItem;
    CZPControlGalleryItems* m_pItems;  // borrowed: the collection holding this item
};

class CZPControlGalleryItems : public CCmdTarget
{
public:
    CZPControlGalleryItems();
    ~CZPControlGalleryItems() override;

    int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
    // NULL outside 0..count-1.
    CZPControlGalleryItem* GetItem(int nIndex) const;
    // Takes over the caller's reference.
    CZPControlGalleryItem* AddItem(CZPControlGalleryItem* pItem);
    CZPControlGalleryItem* AddItem(int nId, LPCWSTR lpszCaption)
    {
        return AddItem(new CZPControlGalleryItem(nId, lpszCaption));
    }
    CZPControlGalleryItem* AddLabel(LPCWSTR lpszCaption)
    {
        return AddItem(new CZPControlGalleryItem(0, lpszCaption, TRUE));
    }
    void RemoveAll();

    CSize GetItemSize() const { return m_szItem; }
    void SetItemSize(CSize size) { m_szItem = size; }
    BOOL IsClipItems() const { return m_bClipItems; }
    void SetClipItems(BOOL bClip) { m_bClipItems = bClip; }
    // The drawing hook: TRUE when it drew the item.
    virtual BOOL DrawItem(CDC* pDC, CZPControlGallery* pGallery, CZPControlGalleryItem* pItem, CRect rcItem,
                          BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked);

private:
    CArray<CZPControlGalleryItem*, CZPControlGalleryItem*> m_arrItems;  // one reference each
    CSize m_szItem;
    BOOL m_bClipItems;  // hot changes repaint the two item rectangles only
};
