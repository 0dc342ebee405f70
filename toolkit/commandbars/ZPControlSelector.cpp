// The grid selector: cells, pointing, growing under a held button and executing on release.
#include "commandbars/ZPControlSelector.h"

#include "common/ZPPropExchange.h"
#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPPaintManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CZPControlSelector, CZPControl)

namespace {
const CSize kDefaultItemsCount(5, 4);
const CSize kDefaultItemsMax(12, 12);
const CSize kDefaultItemSize(28, 28);
// No grid needs more cells a side; a larger stored value would make a huge popup.
const int kItemsMaxLimit = 100;
const int kItemSizeLimit = 256;
// Paint-manager colour numbers of the cell content and frame.
const int kColorItem = 46;
const int kColorFrame = 43;

int ClampSide(int n, int nLimit)
{
    return n < 1 ? 1 : (n > nLimit ? nLimit : n);
}

// Counts the cell edges (origin + i * step for i below nCount) that lie before nAt.
int EdgesBefore(int nAt, int nOrigin, int nStep, int nCount)
{
    int n = 0;
    while (n < nCount && nOrigin + n * nStep < nAt)
        ++n;
    return n;
}
}  // namespace

CZPControlSelector::CZPControlSelector()
    : m_szItemsCount(kDefaultItemsCount), m_szItemsMax(kDefaultItemsMax), m_szItem(kDefaultItemSize),
      m_szSelection(0, 0), m_szShown(kDefaultItemsCount), m_szExecuted(0, 0), m_bResizing(FALSE)
{}

void CZPControlSelector::SetItemsMax(CSize size)
{
    if (size.cx <= 0 || size.cy <= 0)
        size = kDefaultItemsMax;
    m_szItemsMax = CSize(ClampSide(size.cx, kItemsMaxLimit), ClampSide(size.cy, kItemsMaxLimit));
}

void CZPControlSelector::SetItemSize(CSize size)
{
    if (size.cx <= 0 || size.cy <= 0)
        m_szItem = kDefaultItemSize;
    else
        m_szItem = CSize(ClampSide(size.cx, kItemSizeLimit), ClampSide(size.cy, kItemSizeLimit));
}

void CZPControlSelector::SetSelection(int nColumns, int nRows, BOOL bForce)
{
    if (!bForce && m_szSelection == CSize(nColumns, nRows))
        return;
    m_szSelection = CSize(nColumns, nRows);
    RedrawParent(TRUE);
    NotifySite(ZpNotifySelectorChanged);
}

CSize CZPControlSelector::GetSize(CDC*)
{
    return CSize(m_szShown.cx * m_szItem.cx, m_szShown.cy * m_szItem.cy);
}

void CZPControlSelector::OnBeforeLayout(UINT)
{
    if (m_bResizing)
        return;
    m_szSelection = CSize(0, 0);
    m_szShown = m_szItemsCount;
    SetSelection(0, 0, TRUE);
}

void CZPControlSelector::Draw(CDC* pDC)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrItem = pPaintManager != NULL ? pPaintManager->GetColor(kColorItem) : ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF clrFrame =
        pPaintManager != NULL ? pPaintManager->GetColor(kColorFrame) : ::GetSysColor(COLOR_BTNSHADOW);
    for (int c = 0; c < m_szShown.cx; ++c) {
        for (int r = 0; r < m_szShown.cy; ++r) {
            CRect rcCell(m_rcControl.left + c * m_szItem.cx + 1, m_rcControl.top + r * m_szItem.cy + 1,
                         m_rcControl.left + (c + 1) * m_szItem.cx - 1, m_rcControl.top + (r + 1) * m_szItem.cy - 1);
            const BOOL bSelected = c < m_szSelection.cx && r < m_szSelection.cy;
            pDC->FillSolidRect(rcCell, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            pDC->Draw3dRect(rcCell, clrFrame, clrFrame);
            DrawItem(pDC, rcCell, bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : clrItem);
        }
    }
}

void CZPControlSelector::DrawItem(CDC*, CRect, COLORREF) {}

void CZPControlSelector::OnMouseMove(CPoint point)
{
    SetSelection(EdgesBefore(point.x, m_rcControl.left, m_szItem.cx, m_szShown.cx),
                 EdgesBefore(point.y, m_rcControl.top, m_szItem.cy, m_szShown.cy), FALSE);
}

BOOL CZPControlSelector::OnSetSelected(int bSelected)
{
    if (bSelected == zpSelectionNone && m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL) {
        CPoint point;
        ::GetCursorPos(&point);
        m_pParent->ScreenToClient(&point);
        CSize szGrown = m_szShown;
        const BOOL bButtonHeld = ::GetKeyState(VK_LBUTTON) < 0;
        if (bButtonHeld && point.x > m_rcControl.right)
            szGrown.cx = std::min<int>(m_szItemsMax.cx, (point.x - m_rcControl.left) / m_szItem.cx + 1);
        if (bButtonHeld && point.y > m_rcControl.bottom)
            szGrown.cy = std::min<int>(m_szItemsMax.cy, (point.y - m_rcControl.top) / m_szItem.cy + 1);
        if (szGrown == m_szShown) {
            SetSelection(0, 0, FALSE);
        } else {
            m_szShown = szGrown;
            SetSelection(m_szSelection.cx, m_szSelection.cy, TRUE);
            m_bResizing = TRUE;
            m_pParent->RecalcBarLayout();
            m_bResizing = FALSE;
            OnMouseMove(point);
        }
    }
    return CZPControl::OnSetSelected(bSelected);
}

void CZPControlSelector::OnLButtonUp(CPoint)
{
    if (m_szSelection == CSize(0, 0))
        return;
    m_szExecuted = m_szSelection;
    Execute();
}

void CZPControlSelector::Copy(CZPControl* pSource, BOOL bRecursive)
{
    if (CZPControlSelector* pSelector = DYNAMIC_DOWNCAST(CZPControlSelector, pSource)) {
        m_szItemsCount = pSelector->m_szItemsCount;
        m_szItemsMax = pSelector->m_szItemsMax;
        m_szItem = pSelector->m_szItem;
    }
    CZPControl::Copy(pSource, bRecursive);
}

void CZPControlSelector::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControl::DoPropExchange(pPX);
    const SIZE szNone = { 0, 0 };
    PropExchangeSize(pPX, L"ItemsCount", &m_szItemsCount, szNone);
    PropExchangeSize(pPX, L"ItemsMax", &m_szItemsMax, szNone);
    PropExchangeSize(pPX, L"ItemSize", &m_szItem, szNone);
    SetItemsMax(m_szItemsMax);
    SetItemSize(m_szItem);
    m_szItemsCount =
        CSize(std::min<int>(m_szItemsCount.cx, m_szItemsMax.cx), std::min<int>(m_szItemsCount.cy, m_szItemsMax.cy));
}
