// The tab strip model: items, selection, scrolling and the registered paint manager.
#include "tabmanager/ZPTabManager.h"

#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"
#include "tabmanager/ZPTabPaintManager.h"

namespace {

const int kScrollStep = 20;

}  // namespace

CZPTabManager::CZPTabManager()
    : m_pSelected(NULL), m_pHighlighted(NULL), m_pPressed(NULL), m_pHighlightedNavigateButton(NULL), m_nScrollOffset(0),
      m_bAllowReorder(TRUE), m_bActive(TRUE), m_nPerTabCloseMode(zpTabNavigateButtonNone), m_rcHeader(0, 0, 0, 0),
      m_rcControl(0, 0, 0, 0), m_rcClient(0, 0, 0, 0), m_themeTab(TRUE), m_nScrollStep(kScrollStep),
      m_pRegisteredPaintManager(NULL)
{
    SetRowCount(1);
    m_arrNavigateButtons.Add(new CNavigateButtonArrowLeft(this, zpTabNavigateButtonAutomatic));
    m_arrNavigateButtons.Add(new CNavigateButtonArrowRight(this, zpTabNavigateButtonAutomatic));
    m_arrNavigateButtons.Add(new CNavigateButtonClose(this, zpTabNavigateButtonNone));
}

CZPTabManager::~CZPTabManager()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++) {
        CZPTabManagerItem* pItem = m_arrItems[i];
        pItem->OnRemoved();
        pItem->m_pManager = NULL;
        pItem->InternalRelease();
    }
    m_arrItems.RemoveAll();
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); i++)
        delete m_arrNavigateButtons[i];
    m_arrNavigateButtons.RemoveAll();
    RegisterPaintManager(NULL);
}

void CZPTabManager::RegisterPaintManager(CZPTabPaintManager* pPaintManager)
{
    if (pPaintManager == m_pRegisteredPaintManager)
        return;
    if (pPaintManager != NULL) {
        pPaintManager->InternalAddRef();
        pPaintManager->AddTabManager(this);
    }
    if (m_pRegisteredPaintManager != NULL) {
        m_pRegisteredPaintManager->RemoveTabManager(this);
        m_pRegisteredPaintManager->InternalRelease();
    }
    m_pRegisteredPaintManager = pPaintManager;
}

CString CZPTabManager::GetItemCaption(const CZPTabManagerItem* pItem) const
{
    return pItem->GetCaptionText();
}

HICON CZPTabManager::GetItemIcon(const CZPTabManagerItem* pItem) const
{
    return pItem->GetIcon();
}

COLORREF CZPTabManager::GetItemColor(const CZPTabManagerItem* pItem) const
{
    return ZpGetTabAutomaticColor(pItem->GetColorValue());
}

CString CZPTabManager::GetItemTooltip(const CZPTabManagerItem* pItem) const
{
    return pItem->GetTooltipText();
}

void CZPTabManager::OnItemsChanged()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        m_arrItems[i]->m_nIndex = static_cast<int>(i);
    Reposition();
}

void CZPTabManager::SetSelectedItem(CZPTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Reposition();
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem != NULL && pPaintManager != NULL)
        pPaintManager->EnsureVisible(this, pItem);
}

BOOL CZPTabManager::TrySelectItem(CZPTabManagerItem* pItem)
{
    BOOL bCan = CanSelectItem(pItem);
    if (bCan && pItem != NULL)
        SelectItemByUser(pItem);
    return bCan;
}

void CZPTabManager::GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax) const
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL)
        return;
    if (pszNormal != NULL)
        *pszNormal = CSize(pPaintManager->m_nFixedItemLength, 0);
    if (pszMin != NULL)
        *pszMin = CSize(pPaintManager->m_nMinItemLength, 0);
    if (pszMax != NULL)
        *pszMax = CSize(pPaintManager->m_nMaxItemLength, 0);
}

int CZPTabManager::GetItemsLength() const
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->GetLayout() == zpTabLayoutRotated) {
        // Rotated tabs take a row height each along the strip; hidden ones take no room.
        int nVisible = 0;
        for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
            if (m_arrItems[i]->IsVisible())
                nVisible++;
        return nVisible * pPaintManager->GetAppearanceSet()->GetRowHeight(const_cast<CZPTabManager*>(this));
    }
    int nLength = 0;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        nLength += m_arrItems[i]->GetLength();
    return nLength;
}

void CZPTabManager::SetPaintManager(CZPTabPaintManager* /*pPaintManager*/) {}

BOOL CZPTabManager::HasStaticFrame() const
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL && pPaintManager->m_bStaticFrame;
}

int CZPTabManager::GetPosition() const
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetPosition() : zpTabPositionTop;
}

int CZPTabManager::GetLayout() const
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetLayout() : zpTabLayoutAutoSize;
}

BOOL CZPTabManager::IsHorizontal() const
{
    int nPosition = GetPosition();
    return nPosition == zpTabPositionTop || nPosition == zpTabPositionBottom;
}

void CZPTabManager::ScrollBy(BOOL bTowardsEnd)
{
    SetScrollOffset(bTowardsEnd ? m_nScrollOffset - m_nScrollStep : m_nScrollOffset + m_nScrollStep);
}

void CZPTabManager::SetScrollOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    Reposition();
}

BOOL CZPTabManager::DrawParentBackground(CDC* /*pDC*/, CRect /*rc*/)
{
    return FALSE;
}

BOOL CZPTabManager::IsNavigateButtonVisible(const CZPTabManagerNavigateButton* pButton) const
{
    if (pButton->GetID() != zpTabNavigateButtonClose)
        return TRUE;
    return m_pSelected != NULL && m_pSelected->IsClosable();
}

BOOL CZPTabManager::CanSelectItem(CZPTabManagerItem* /*pItem*/) const
{
    return TRUE;
}

void CZPTabManager::OnItemsReordered(CZPTabManagerItem* /*pItem*/, CZPTabManagerItem* /*pOther*/) {}

void CZPTabManager::OnNavigateButtonCommand(UINT /*nID*/) {}

void CZPTabManager::OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton)
{
    OnNavigateButtonCommand(pButton->GetID());
}

void CZPTabManager::SetActive(BOOL bActive)
{
    if (m_bActive == bActive)
        return;
    m_bActive = bActive;
    Reposition();
}

CZPTabManagerItem* CZPTabManager::AddItem(int nIndex, CZPTabManagerItem* pItem)
{
    if (pItem == NULL)
        pItem = new CZPTabManagerItem();  // its first reference is the manager's
    pItem->m_pManager = this;
    int nCount = GetItemCount();
    if (nIndex < 0 || nIndex > nCount)
        nIndex = nCount;
    m_arrItems.InsertAt(nIndex, pItem);

    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pItem->m_clrItem = pPaintManager->NextAutomaticColor();
    if (m_nPerTabCloseMode != zpTabNavigateButtonNone)
        pItem->AddNavigateButton(new CNavigateButtonTabClose(pItem, this, m_nPerTabCloseMode));
    OnItemsChanged();
    return pItem;
}

BOOL CZPTabManager::DeleteItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CZPTabManagerItem* pItem = m_arrItems[nIndex];
    if (m_pHighlighted == pItem)
        m_pHighlighted = NULL;
    // The pressed item too: a removed tab must not stay referenced by the strip.
    if (m_pPressed == pItem)
        m_pPressed = NULL;
    BOOL bSelected = m_pSelected == pItem;
    m_arrItems.RemoveAt(nIndex);
    pItem->OnRemoved();
    pItem->m_pManager = NULL;
    pItem->InternalRelease();
    // SetCurSel does nothing on an empty strip: the selection must not outlive the item.
    if (bSelected)
        m_pSelected = NULL;
    // Renumbered before the new selection: its layout and its notification read the indices.
    OnItemsChanged();
    if (bSelected)
        SetCurSel(nIndex);
    return TRUE;
}

void CZPTabManager::DeleteAllItems()
{
    CArray<CZPTabManagerItem*, CZPTabManagerItem*> arrItems;
    arrItems.Copy(m_arrItems);
    m_arrItems.RemoveAll();
    m_pSelected = m_pHighlighted = m_pPressed = NULL;
    for (INT_PTR i = 0; i < arrItems.GetSize(); i++) {
        arrItems[i]->OnRemoved();
        arrItems[i]->m_pManager = NULL;
        arrItems[i]->InternalRelease();
    }
    OnItemsChanged();
}

CZPTabManagerItem* CZPTabManager::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : NULL;
}

int CZPTabManager::GetCurSel() const
{
    return m_pSelected != NULL ? m_pSelected->GetIndex() : -1;
}

void CZPTabManager::SetCurSel(int nIndex)
{
    int nCount = GetItemCount();
    if (nCount == 0)
        return;
    nIndex = nIndex < 0 ? 0 : nIndex >= nCount ? nCount - 1 : nIndex;
    SetSelectedItem(m_arrItems[nIndex]);
}

CZPTabManagerItem* CZPTabManager::FindNextSelectable(int nIndex, int nStep) const
{
    for (CZPTabManagerItem* pItem = GetItem(nIndex); pItem != NULL; pItem = GetItem(nIndex)) {
        if (pItem->IsVisible() && pItem->IsEnabled())
            return pItem;
        nIndex += nStep;
    }
    return NULL;
}

BOOL CZPTabManager::ContainsItem(const CZPTabManagerItem* pItem) const
{
    return pItem != NULL && pItem->m_pManager == this;
}

CZPTabManagerItem* CZPTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point))
        return NULL;
    if (!m_rcHeader.IsRectEmpty() && !m_rcHeader.PtInRect(point))
        return NULL;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++) {
        CZPTabManagerItem* pItem = m_arrItems[i];
        if (pItem->GetRect().PtInRect(point) && pItem->IsVisible() && pItem->IsEnabled())
            return pItem;
    }
    return NULL;
}

CZPTabManagerNavigateButton* CZPTabManager::HitTestNavigateButton(CPoint point, BOOL bStripButtonsOnly,
                                                                  int* pnIndex) const
{
    CZPTabManagerNavigateButton* pFound = NULL;
    int nFound = -1;
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize() && pFound == NULL; i++) {
        if (m_arrNavigateButtons[i]->GetRect().PtInRect(point)) {
            pFound = m_arrNavigateButtons[i];
            nFound = static_cast<int>(i);
        }
    }
    if (pFound == NULL && !bStripButtonsOnly) {
        CZPTabManagerItem* pItem = HitTest(point);
        for (int i = 0; pItem != NULL && i < pItem->GetNavigateButtonCount() && pFound == NULL; i++) {
            if (pItem->GetNavigateButton(i)->GetRect().PtInRect(point)) {
                pFound = pItem->GetNavigateButton(i);
                nFound = i;
            }
        }
    }
    if (pFound == NULL || !pFound->IsEnabled())
        return NULL;
    if (pnIndex != NULL)
        *pnIndex = nFound;
    return pFound;
}

CZPTabManagerNavigateButton* CZPTabManager::GetNavigateButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetNavigateButtonCount() ? m_arrNavigateButtons[nIndex] : NULL;
}

void CZPTabManager::ClearHighlightedNavigateButton(const CZPTabManagerNavigateButton* pButton)
{
    if (m_pHighlightedNavigateButton == pButton)
        m_pHighlightedNavigateButton = NULL;
}

void CZPTabManager::SetRowCount(int nRows)
{
    m_arrRows.SetSize(nRows);
}
