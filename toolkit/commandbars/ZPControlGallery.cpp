// The gallery control: item layout, scrolling with animation, hot item and preview, keyboard.
#include "commandbars/ZPControlGallery.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlAction.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPScrollBarPaintManager.h"
#include "common/ZPPropExchange.h"

#include <framework/refptr.h>

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CZPControlGallery, CZPControlPopup)

namespace {

const int kDefaultWidth = 120;
const int kDefaultHeight = 60;
const int kLabelHeight = 19;
const int kLabelAdvance = 20;
// Animation: a third of the distance per tick while repeating fast, else an eighth.
const int kFastRepeatDelay = 200;
const double kFastDivisor = 3.0, kSlowDivisor = 8.0;
const UINT kAnimationTickMs = 40;
const UINT kHoverMs = 200;
const int kWheelLines = 3;
// Drag threshold from the press point.
const int kDragAcross = 4, kDragVertical = 5;
// Bar type and position of a popup bar.
const int kBarTypePopup = 2;
const int kBarPositionPopup = 5;
const long kSchemaResizable = 23;
// Resize limits: the items keep at least this width, the gallery at least this height.
const int kMinItemsWidth = 16;
const int kMinHeight = 32;
// The bottom border of a gallery with a control below it in a popup.
const int kBottomBorderAboveControl = 2;

}  // namespace

CZPControlGallery::CZPControlGallery()
    : m_nChecked(-1), m_nSelected(-1), m_bHideSelection(FALSE), m_bPressed(FALSE), m_ptPressed(0, 0), m_nScrollPos(0),
      m_nScrollPosTarget(0), m_dAnimationStep(0), m_bKeyboardSelected(FALSE), m_nTotalHeight(0), m_bShowLabels(TRUE),
      m_bShowScrollBar(TRUE), m_bShowBorders(FALSE), m_rcMargin(0, 0, 0, 0), m_bPreview(FALSE), m_nResizable(0)
{
    m_controlType = zpControlGallery;
    m_nWidth = kDefaultWidth;
    m_nHeight = kDefaultHeight;
    m_dwFlags = zpFlagShowPopupBarToolTips;
}

CZPControlGallery::~CZPControlGallery()
{
    if (m_bAnimation && m_pParent != NULL && ::IsWindow(m_pParent->GetSafeHwnd()))
        ::KillTimer(m_pParent->GetSafeHwnd(), kZpScrollBaseAnimateTimer);
}

// Items --------------------------------------------------------------------------------------

CZPControlGalleryItems* CZPControlGallery::GetItems() const
{
    return m_pAction != NULL ? m_pAction->GetItems() : NULL;
}

int CZPControlGallery::GetItemCount() const
{
    CZPControlGalleryItems* pItems = GetItems();
    return pItems != NULL ? pItems->GetItemCount() : 0;
}

CZPControlGalleryItem* CZPControlGallery::GetItem(int nIndex) const
{
    CZPControlGalleryItems* pItems = GetItems();
    return pItems != NULL ? pItems->GetItem(nIndex) : NULL;
}

CString CZPControlGallery::GetItemText(int nIndex) const
{
    CZPControlGalleryItem* pItem = GetItem(nIndex);
    return pItem != NULL ? pItem->GetCaption() : CString();
}

BOOL CZPControlGallery::IsItemChecked(CZPControlGalleryItem* pItem) const
{
    return pItem != NULL && m_nChecked != -1 && pItem->GetID() == m_nChecked;
}

BOOL CZPControlGallery::IsShownAsButton() const
{
    const int nStyle = GetStyle();
    return nStyle == zpButtonIcon || nStyle == zpButtonIconAndCaptionBelow;
}

int CZPControlGallery::ItemHeight() const
{
    CZPControlGalleryItems* pItems = GetItems();
    return pItems != NULL ? pItems->GetItemSize().cy : 0;
}

void CZPControlGallery::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    // Negative margins would grow the items past the control.
    m_rcMargin.SetRect(std::max(0, nLeft), std::max(0, nTop), std::max(0, nRight), std::max(0, nBottom));
    RepositionItems();
}

// Layout -------------------------------------------------------------------------------------

CRect CZPControlGallery::GetItemsRect() const
{
    CRect rc = m_rcControl;
    const int b = m_bShowBorders ? 1 : 0;
    rc.DeflateRect(m_rcMargin.left + b, m_rcMargin.top + b, m_rcMargin.right + b, m_rcMargin.bottom + b);
    if (m_bShowScrollBar) {
        const CZPControlGalleryPaintManager* pPainter =
            static_cast<CZPControlGalleryPaintManager*>(GetScrollBarPaintManager());
        rc.right -= HasDropDown() ? pPainter->m_cxScrollButtons : pPainter->m_cxVScroll;
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

void CZPControlGallery::RepositionItems()
{
    if (IsShownAsButton())
        return;
    const CRect rcItems = GetItemsRect();
    const int nCount = GetItemCount();
    m_arrRects.assign(static_cast<size_t>(nCount), GALLERYITEM_POSITION());
    int x = rcItems.left, y = rcItems.top;
    BOOL bRowStart = TRUE;
    int nRowHeight = 0;
    for (int i = 0; i < nCount; ++i) {
        GALLERYITEM_POSITION& pos = m_arrRects[static_cast<size_t>(i)];
        CZPControlGalleryItem* pItem = GetItem(i);
        pos.pItem = pItem;
        pos.bBeginRow = FALSE;
        ::SetRectEmpty(&pos.rcItem);
        if (pItem == NULL)
            continue;
        if (pItem->IsLabel()) {
            if (!m_bShowLabels)
                continue;
            if (!bRowStart)
                y += nRowHeight;
            ::SetRect(&pos.rcItem, rcItems.left, y, rcItems.right, y + kLabelHeight);
            pos.bBeginRow = TRUE;
            y += kLabelAdvance;
            x = rcItems.left;
            bRowStart = TRUE;
            nRowHeight = 0;
            continue;
        }
        CSize sz = pItem->GetSize();
        if (sz.cx <= 0)
            sz.cx = rcItems.Width();
        sz.cy = std::max(0L, sz.cy);
        if (bRowStart) {
            pos.bBeginRow = TRUE;
        } else if (x + sz.cx > rcItems.right) {
            x = rcItems.left;
            pos.bBeginRow = TRUE;
            y += nRowHeight;
            nRowHeight = 0;
        }
        ::SetRect(&pos.rcItem, x, y, x + sz.cx, y + sz.cy);
        nRowHeight = std::max(nRowHeight, static_cast<int>(sz.cy));
        x += sz.cx;
        bRowStart = FALSE;
    }
    y += nRowHeight;
    m_nTotalHeight = y - rcItems.top;
    // Content that shrank pulls the offset back, and a running animation's target with it:
    // otherwise the animation would chase an offset it can never reach.
    const int nMaxOffset = std::max(0, m_nTotalHeight - rcItems.Height());
    if (m_nScrollPos > nMaxOffset)
        m_nScrollPos = nMaxOffset;
    if (m_nScrollPosTarget > nMaxOffset)
        m_nScrollPosTarget = nMaxOffset;
    UpdateScrollBar();
}

void CZPControlGallery::UpdateScrollBar()
{
    if (m_pSBTrack == NULL)
        CalcScrollBar();
}

void CZPControlGallery::SetRect(CRect rcControl)
{
    if (rcControl == m_rcControl)
        return;
    m_rcControl = rcControl;
    RepositionItems();
}

CSize CZPControlGallery::GetSize(CDC* pDC)
{
    if (IsShownAsButton()) {
        const int nWidth = m_nWidth, nHeight = m_nHeight;
        m_nWidth = m_nHeight = 0;
        const CSize sz = CZPControlPopup::GetSize(pDC);
        m_nWidth = nWidth;
        m_nHeight = nHeight;
        return sz;
    }
    int nWidth = m_nWidth;
    if (m_nResizable != 0 && GetItemCount() > 0)
        nWidth = std::max(nWidth, GetCustomizeMinWidth());
    return CSize(nWidth, m_nHeight);
}

BOOL CZPControlGallery::IsCustomizeResizable() const
{
    return IsShownAsButton() || GetItemCount() == 0 ? 0 : m_nResizable;
}

int CZPControlGallery::GetCustomizeMinWidth() const
{
    if (m_pParent == NULL || GetItemCount() == 0)
        return 0;
    // The drop-down of a gallery covers that gallery.
    CZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CZPPopupBar, m_pParent);
    CZPControlGallery* pOwner = pPopup != NULL ? DYNAMIC_DOWNCAST(CZPControlGallery, pPopup->GetControlPopup()) : NULL;
    if (pOwner != NULL)
        return pOwner->GetRect().Width();
    const CRect rcBorders = GetBorders();
    return static_cast<int>(rcBorders.left + rcBorders.right) +
           std::max(kMinItemsWidth, static_cast<int>(GetItems()->GetItemSize().cx));
}

int CZPControlGallery::GetCustomizeMinHeight() const
{
    if (m_pParent == NULL || GetItemCount() == 0)
        return 0;
    const CRect rcBorders = GetBorders();
    return std::max(kMinHeight, static_cast<int>(rcBorders.top + rcBorders.bottom) + ItemHeight());
}

CRect CZPControlGallery::GetBorders() const
{
    const int b = m_bShowBorders ? 1 : 0;
    CRect rc(b, b, b, b);
    if (m_pParent != NULL && m_bShowScrollBar) {
        const CZPControlGalleryPaintManager* pPainter =
            static_cast<CZPControlGalleryPaintManager*>(GetScrollBarPaintManager());
        rc.right += HasDropDown() ? pPainter->m_cxScrollButtons : pPainter->m_cxVScroll;
    }
    if (HasControlBelow())
        rc.bottom = kBottomBorderAboveControl;
    rc.left += m_rcMargin.left;
    rc.top += m_rcMargin.top;
    rc.right += m_rcMargin.right;
    rc.bottom += m_rcMargin.bottom;
    return rc;
}

void CZPControlGallery::SetAction(CZPControlAction* pAction)
{
    CZPControlPopup::SetAction(pAction);
    RepositionItems();
}

void CZPControlGallery::Copy(CZPControl* pSource, BOOL bRecursive)
{
    CZPControlPopup::Copy(pSource, bRecursive);
    CZPControlGallery* pGallery = DYNAMIC_DOWNCAST(CZPControlGallery, pSource);
    if (pGallery == NULL || pGallery == this)
        return;
    m_bShowLabels = pGallery->m_bShowLabels;
    m_bShowBorders = pGallery->m_bShowBorders;
    m_bShowScrollBar = pGallery->m_bShowScrollBar;
    m_rcMargin = pGallery->m_rcMargin;
    m_nResizable = pGallery->m_nResizable;
}

void CZPControlGallery::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControlPopup::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"ShowLabels", &m_bShowLabels, TRUE);
    PropExchangeBool(pPX, L"ShowBorders", &m_bShowBorders, TRUE);
    PropExchangeBool(pPX, L"ShowScrollBar", &m_bShowScrollBar, TRUE);
    RECT rcMargin = m_rcMargin;
    PropExchangeRect(pPX, L"GalleryMargin", &rcMargin, RECT{ 0, 0, 0, 0 });
    if (pPX->GetSchema() > kSchemaResizable)
        PropExchangeLong(pPX, L"Resizable", &m_nResizable, 0);
    if (pPX->IsLoading()) {
        // Stored negative margins are clamped, like set ones.
        m_rcMargin.SetRect(std::max(0L, rcMargin.left), std::max(0L, rcMargin.top), std::max(0L, rcMargin.right),
                           std::max(0L, rcMargin.bottom));
        RepositionItems();
    }
}

BOOL CZPControlGallery::HasControlBelow() const
{
    if (m_pParent == NULL || m_pParent->GetType() != kBarTypePopup || m_bShowBorders || m_pControls == NULL)
        return FALSE;
    const int nCount = m_pParent->CountControls();
    for (int i = m_nIndex + 1; i < nCount; ++i) {
        CZPControl* pControl = m_pParent->ControlAt(i);
        if (pControl != NULL && pControl->IsVisible())
            return TRUE;
    }
    return FALSE;
}

// Hit test and drawing ------------------------------------------------------------------------

int CZPControlGallery::HitTestItem(CPoint point, CRect* pRect) const
{
    if (!GetEnabled() || IsShownAsButton())
        return -1;
    const CRect rcItems = GetItemsRect();
    for (size_t i = 0; i < m_arrRects.size(); ++i) {
        CRect rc(m_arrRects[i].rcItem);
        rc.OffsetRect(0, -m_nScrollPos);
        if (rc.top >= rcItems.bottom)
            return -1;
        if (rc.PtInRect(point) && rcItems.PtInRect(point)) {
            if (m_arrRects[i].pItem == NULL || m_arrRects[i].pItem->IsLabel())
                return -1;
            if (pRect != NULL)
                *pRect = rc;
            return static_cast<int>(i);
        }
    }
    return -1;
}

CRect CZPControlGallery::GetItemDrawRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPositionCount())
        return CRect(0, 0, 0, 0);
    CRect rc(m_arrRects[static_cast<size_t>(nIndex)].rcItem);
    rc.OffsetRect(0, -m_nScrollPos);
    CRect rcClip;
    rcClip.IntersectRect(rc, GetItemsRect());
    return rcClip;
}

void CZPControlGallery::Draw(CDC* pDC)
{
    if (IsShownAsButton()) {
        CZPControlPopup::Draw(pDC);
        return;
    }
    CZPControlGalleryPaintManager* pPainter = static_cast<CZPControlGalleryPaintManager*>(GetScrollBarPaintManager());
    pPainter->FillControl(pDC, this, m_rcControl);

    const CRect rcItems = GetItemsRect();
    CZPControlGalleryItems* pItems = GetItems();
    if (pItems != NULL && !rcItems.IsRectEmpty()) {
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(rcItems);
        const int nHot = GetHotItem();
        const BOOL bEnabled = GetEnabled();
        // Items may change before a draw: only positions whose item is still there are drawn.
        const int nCount = std::min(GetPositionCount(), pItems->GetItemCount());
        for (int i = 0; i < nCount; ++i) {
            const GALLERYITEM_POSITION& pos = m_arrRects[static_cast<size_t>(i)];
            CRect rc(pos.rcItem);
            rc.OffsetRect(0, -m_nScrollPos);
            if (rc.top >= rcItems.bottom)
                break;
            CZPControlGalleryItem* pItem = pItems->GetItem(i);
            if (rc.bottom < rcItems.top || rc.IsRectEmpty() || pItem == NULL || pItem != pos.pItem)
                continue;
            if (pItem->IsLabel()) {
                pPainter->DrawLabel(pDC, pItem, rc);
                continue;
            }
            const BOOL bHot = i == nHot;
            const BOOL bChecked = IsItemChecked(pItem);
            if (!pItems->DrawItem(pDC, this, pItem, rc, bEnabled, bHot, bHot && m_bPressed, bChecked))
                pItem->DrawItem(pDC, this, rc, bEnabled, bHot, bHot && m_bPressed, bChecked);
        }
        pDC->RestoreDC(nSaved);
    }
    if (!m_bShowScrollBar)
        return;
    if (HasDropDown())
        pPainter->DrawScrollButtons(pDC, this);
    else
        pPainter->DrawScrollBar(pDC, this);
}

void CZPControlGallery::RedrawItem(int nIndex)
{
    CZPControlGalleryItems* pItems = GetItems();
    if (m_pParent == NULL)
        return;
    if (pItems != NULL && pItems->IsClipItems() && nIndex >= 0) {
        const CRect rc = GetItemDrawRect(nIndex);
        if (!rc.IsRectEmpty())
            m_pParent->RepaintArea(&rc, FALSE);
        return;
    }
    RedrawParent(FALSE);
}

// Scroll base --------------------------------------------------------------------------------

BOOL CZPControlGallery::IsScrollBarEnabled() const
{
    return GetEnabled();
}

HWND CZPControlGallery::GetParentWindow() const
{
    return m_pParent != NULL ? m_pParent->GetSafeHwnd() : NULL;
}

CZPScrollBarPaintManager* CZPControlGallery::GetScrollBarPaintManager() const
{
    return GetPaintManager()->GetGalleryPaintManager();
}

void CZPControlGallery::GetScrollBarRect(CRect& rc)
{
    if (!m_bShowScrollBar) {
        rc.SetRectEmpty();
        return;
    }
    const CZPControlGalleryPaintManager* pPainter =
        static_cast<CZPControlGalleryPaintManager*>(GetScrollBarPaintManager());
    const int nWidth = HasDropDown() ? pPainter->m_cxScrollButtons : pPainter->m_cxVScroll;
    const int b = m_bShowBorders ? 1 : 0;
    rc.SetRect(m_rcControl.right - nWidth - b, m_rcControl.top + b, m_rcControl.right - b,
               m_rcControl.bottom - 3 + (1 - b) + 2 * (HasControlBelow() ? 0 : 1));
}

void CZPControlGallery::GetScrollInfo(SCROLLINFO* pSI)
{
    const CRect rcItems = GetItemsRect();
    pSI->cbSize = sizeof(SCROLLINFO);
    pSI->fMask = SIF_ALL;
    pSI->nMin = 0;
    pSI->nMax = std::max(0, m_nTotalHeight - 1);
    pSI->nPage = static_cast<UINT>(std::max(0, rcItems.Height()));
    pSI->nPos = m_nScrollPos;
    pSI->nTrackPos = m_nScrollPos;
}

void CZPControlGallery::CalcScrollBarInfo(LPCRECT lprc, ZP_SCROLLBAR_GEOMETRY* pSBInfo, SCROLLINFO* pSI)
{
    if (!HasDropDown()) {
        CZPScrollBase::CalcScrollBarInfo(lprc, pSBInfo, pSI);
        return;
    }
    // The button column: row up, row down, then the popup part.
    const CZPControlGalleryPaintManager* pPainter =
        static_cast<CZPControlGalleryPaintManager*>(GetScrollBarPaintManager());
    ZP_SCROLLBAR_GEOMETRY& g = *pSBInfo;
    g.rcBar = *lprc;
    g.bVertical = TRUE;
    g.nMin = pSI->nMin;
    g.nMax = pSI->nMax;
    g.nPage = static_cast<int>(pSI->nPage);
    g.nPos = pSI->nPos;
    g.nAlongStart = lprc->top;
    g.nAlongEnd = lprc->bottom;
    g.nAcrossStart = lprc->left;
    g.nAcrossEnd = lprc->right;
    g.nFirstArrowEnd = lprc->top + pPainter->m_cyRowUpButton;
    g.nSecondArrowStart = g.nFirstArrowEnd;
    g.nPopupMarker = g.nFirstArrowEnd + pPainter->m_cyRowDownButton;
    g.nThumbStart = g.nThumbEnd = g.nTravelStart = g.nFirstArrowEnd;
    g.nThumbSize = g.nTravel = 0;
}

BOOL CZPControlGallery::IsScrollPartEnabled(int nPart) const
{
    if (!GetEnabled())
        return FALSE;
    if (HasDropDown()) {
        if (nPart == kZpScrollPartFirstArrow)
            return m_nScrollPos > 0;
        if (nPart == kZpScrollPartSecondArrow)
            return m_nScrollPos < m_nTotalHeight - GetItemsRect().Height();
    }
    return TRUE;
}

void CZPControlGallery::DoScroll(int nCommand, int nPos)
{
    int y = m_bAnimation ? m_nScrollPosTarget : m_nScrollPos;
    const int nItemHeight = ItemHeight();
    const int nPage = GetItemsRect().Height();
    switch (nCommand) {
    case SB_LINEUP:
        y -= nItemHeight;
        break;
    case SB_LINEDOWN:
        y += nItemHeight;
        break;
    case SB_PAGEUP:
        y -= nPage;
        break;
    case SB_PAGEDOWN:
        y += nPage;
        break;
    case SB_THUMBTRACK:
        y = nPos;
        break;
    case SB_TOP:
        y = 0;
        break;
    case SB_BOTTOM:
        y = m_nTotalHeight;
        break;
    default:
        break;
    }
    if (HasDropDown() && (nCommand == SB_LINEUP || nCommand == SB_LINEDOWN || nCommand == SB_ENDSCROLL))
        AnimateScrollOffset(y);
    else
        SetScrollOffset(y);
}

void CZPControlGallery::RedrawScrollBar()
{
    RedrawParent(FALSE);
}

void CZPControlGallery::SetScrollOffset(int nOffset)
{
    const int nMax = std::max(0, m_nTotalHeight - GetItemsRect().Height());
    nOffset = std::clamp(nOffset, 0, nMax);
    if (m_bAnimation) {
        m_bAnimation = FALSE;
        if (HWND hWnd = GetParentWindow())
            ::KillTimer(hWnd, kZpScrollBaseAnimateTimer);
    }
    m_nScrollPosTarget = nOffset;
    if (nOffset == m_nScrollPos)
        return;
    m_nScrollPos = nOffset;
    RepositionItems();
    UpdateScrollBar();
    RedrawParent(FALSE);
}

void CZPControlGallery::AnimateScrollOffset(int nOffset)
{
    const int nMax = std::max(0, m_nTotalHeight - GetItemsRect().Height());
    nOffset = std::clamp(nOffset, 0, nMax);
    if (nOffset == (m_bAnimation ? m_nScrollPosTarget : m_nScrollPos))
        return;
    m_bAnimation = TRUE;
    m_nScrollPosTarget = nOffset;
    double dStep = (nOffset - m_nScrollPos) / (m_nRepeatDelay <= kFastRepeatDelay ? kFastDivisor : kSlowDivisor);
    if (dStep > 0 && dStep < 1)
        dStep = 1;
    else if (dStep < 0 && dStep > -1)
        dStep = -1;
    m_dAnimationStep = dStep;
    if (HWND hWnd = GetParentWindow())
        ::SetTimer(hWnd, kZpScrollBaseAnimateTimer, kAnimationTickMs, NULL);
    DoAnimate();
}

void CZPControlGallery::DoAnimate()
{
    if (!m_bAnimation)
        return;
    const int nDistance = m_nScrollPosTarget - m_nScrollPos;
    if (std::fabs(m_dAnimationStep) < std::abs(nDistance) && m_dAnimationStep != 0) {
        m_nScrollPos += static_cast<int>(m_dAnimationStep);
    } else {
        m_nScrollPos = m_nScrollPosTarget;
        m_bAnimation = FALSE;
        if (HWND hWnd = GetParentWindow())
            ::KillTimer(hWnd, kZpScrollBaseAnimateTimer);
    }
    RepositionItems();
    UpdateScrollBar();
    RedrawParent(FALSE);
    if (HWND hWnd = GetParentWindow())
        ::UpdateWindow(hWnd);
}

// Hot item and preview ------------------------------------------------------------------------

void CZPControlGallery::EndPreview(UINT nCode)
{
    if (!m_bPreview)
        return;
    m_bPreview = FALSE;
    NotifySite(nCode);
}

void CZPControlGallery::OnSelectedItemChanged()
{
    NotifySite(ZP_GN_SELCHANGE);
}

void CZPControlGallery::TrackHotItem(CPoint point)
{
    int nIndex = HitTestItem(point);
    if (nIndex == -1) {
        if (m_bKeyboardSelected && !m_bHideSelection)
            return;
        if (point == CPoint(-1, -1) && m_nSelected != -1) {
            HideHotItem();
            return;
        }
    }
    if (nIndex != m_nSelected || m_bHideSelection || m_bKeyboardSelected) {
        const int nOld = m_nSelected;
        m_nSelected = nIndex;
        m_bHideSelection = FALSE;
        m_bKeyboardSelected = FALSE;
        m_bPressed = FALSE;
        RedrawItem(nOld);
        RedrawItem(nIndex);
        if (m_bPreview) {
            if (nIndex != -1)
                NotifySite(ZP_GN_PREVIEW_CHANGE);
        } else if (nIndex != -1 && GetParentWindow() != NULL) {
            ::SetTimer(GetParentWindow(), ZP_TIMER_HOVER, kHoverMs, NULL);
        }
        if (nIndex == -1)
            EndPreview(ZP_GN_PREVIEW_CANCEL);
        OnSelectedItemChanged();
    }
    if (m_bPressed && m_nSelected != -1 && m_ptPressed != CPoint(0, 0) &&
        (std::abs(point.x - m_ptPressed.x) > kDragAcross || std::abs(point.y - m_ptPressed.y) >= kDragVertical)) {
        m_ptPressed = CPoint(0, 0);
        NotifySite(ZP_GN_BEGIN_DRAG);
    }
}

void CZPControlGallery::HideHotItem()
{
    m_bHideSelection = TRUE;
    m_bKeyboardSelected = FALSE;
    RedrawItem(m_nSelected);
    if (m_bPreview) {
        if (m_nSelected != -1)
            NotifySite(ZP_GN_PREVIEW_CHANGE);
        EndPreview(ZP_GN_PREVIEW_CANCEL);
    }
    OnSelectedItemChanged();
}

void CZPControlGallery::SetHotItem(int nIndex)
{
    if (nIndex >= GetItemCount())
        nIndex = -1;
    const int nOld = m_nSelected;
    m_bHideSelection = FALSE;
    m_bPressed = FALSE;
    m_bKeyboardSelected = TRUE;
    m_nSelected = nIndex;
    RedrawItem(nOld);
    EnsureVisible(nIndex);
    RedrawItem(nIndex);
    if (nIndex != -1) {
        if (HWND hWnd = GetParentWindow())
            ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hWnd, OBJID_CLIENT, nIndex + 1);
        if (!m_bPreview) {
            m_bPreview = TRUE;
            NotifySite(ZP_GN_PREVIEW_START);
        }
        NotifySite(ZP_GN_PREVIEW_CHANGE);
    } else {
        EndPreview(ZP_GN_PREVIEW_CANCEL);
    }
    OnSelectedItemChanged();
}

void CZPControlGallery::OnMouseHover()
{
    if (IsShownAsButton()) {
        CZPControlPopup::OnMouseHover();
        return;
    }
    if (m_bPreview || GetHotItem() == -1)
        return;
    m_bPreview = TRUE;
    NotifySite(ZP_GN_PREVIEW_START);
    NotifySite(ZP_GN_PREVIEW_CHANGE);
}

void CZPControlGallery::OnMouseMove(CPoint point)
{
    if (IsShownAsButton()) {
        CZPControlPopup::OnMouseMove(point);
        return;
    }
    if (m_pSBTrack == NULL) {
        const int nPart = HitTestScrollBar(point);
        if (nPart != m_spi.nHotPart) {
            m_spi.nHotPart = nPart;
            RedrawScrollBar();
        }
    }
    TrackHotItem(point);
}

BOOL CZPControlGallery::OnSetSelected(int bSelected)
{
    const BOOL bResult = CZPControlPopup::OnSetSelected(bSelected);
    if (!bSelected && !IsShownAsButton()) {
        if (m_spi.nHotPart != kZpScrollPartNone) {
            m_spi.nHotPart = kZpScrollPartNone;
            RedrawScrollBar();
        }
        if (m_nSelected != -1 && !m_bHideSelection)
            HideHotItem();
    }
    return bResult;
}

BOOL CZPControlGallery::IsFocused() const
{
    return IsShownAsButton() ? FALSE : GetSelected();
}

BOOL CZPControlGallery::IsFocusable() const
{
    return IsShownAsButton() ? CZPControlPopup::IsFocusable() : TRUE;
}

void CZPControlGallery::Execute()
{
    EndPreview(ZP_GN_PREVIEW_APPLY);
    CZPControlPopup::Execute();
}

// Mouse and keyboard -------------------------------------------------------------------------

void CZPControlGallery::PressItem()
{
    if (m_nSelected == -1 || m_bKeyboardSelected || m_bHideSelection)
        return;
    m_bPressed = TRUE;
    POINT pt;
    ::GetCursorPos(&pt);
    if (HWND hWnd = GetParentWindow())
        ::ScreenToClient(hWnd, &pt);
    m_ptPressed = pt;
    RedrawItem(m_nSelected);
}

void CZPControlGallery::ReleaseItem()
{
    const BOOL bPopupParent = m_pParent != NULL && m_pParent->GetPosition() == kBarPositionPopup;
    if ((m_bPressed || bPopupParent) && !m_bHideSelection && m_nSelected != -1 && GetItem(m_nSelected) != NULL) {
        m_bPressed = FALSE;
        RedrawItem(m_nSelected);
        Execute();
    }
}

void CZPControlGallery::OnLButtonUp(CPoint point)
{
    if (IsShownAsButton()) {
        CZPControlPopup::OnLButtonUp(point);
        return;
    }
    ReleaseItem();
}

void CZPControlGallery::OnClick(BOOL bKeyboard, CPoint point)
{
    if (IsShownAsButton()) {
        CZPControlPopup::OnClick(bKeyboard, point);
        return;
    }
    if (IsCustomizeMode()) {
        OnCustomizeMouseDown(point);
        return;
    }
    if (!GetEnabled() || bKeyboard)
        return;
    // Scrolling or executing may release this control: hold it until the click is done.
    CRefPtr<CZPControl> keep = CRefPtr<CZPControl>::AddRef(this);
    OnMouseMove(point);
    const int nPart = HitTestScrollBar(point);
    if (nPart == kZpScrollPartPopup) {
        CZPControlPopup::OnClick(FALSE, point);
        return;
    }
    if (nPart != kZpScrollPartNone) {
        if (HWND hWnd = GetParentWindow())
            StartTracking(hWnd, point, &m_spi, ::GetKeyState(VK_SHIFT) < 0);
        return;
    }
    PressItem();
}

BOOL CZPControlGallery::OnHookMouseWheel(UINT, short zDelta, CPoint)
{
    if (IsShownAsButton() || GetItemCount() == 0)
        return FALSE;
    // An item height of 0 would stall the wheel: at least one pixel a line.
    const int nLine = std::max(1, ItemHeight());
    SetScrollOffset(m_nScrollPos + (zDelta < 0 ? kWheelLines : -kWheelLines) * nLine);
    return TRUE;
}

int CZPControlGallery::NextSelectable(int nStart, int nDirection, BOOL* pWrapped) const
{
    const int nCount = GetItemCount();
    *pWrapped = FALSE;
    if (nCount == 0)
        return -1;
    int i = nStart;
    for (int n = 0; n < nCount; ++n) {
        i += nDirection;
        if (i < 0 || i >= nCount) {
            *pWrapped = nStart != -1;
            i = nDirection > 0 ? 0 : nCount - 1;
        }
        CZPControlGalleryItem* pItem = GetItem(i);
        if (pItem != NULL && !pItem->IsLabel())
            return i;
    }
    return -1;
}

BOOL CZPControlGallery::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsShownAsButton())
        return CZPControlPopup::OnHookKeyDown(nChar, lParam);
    if (!IsFocused())
        return FALSE;
    const int nHot = GetHotItem();
    if (nHot == -1 && HasDropDown()) {
        if (nChar == VK_RETURN || nChar == VK_SPACE) {
            CZPControlPopup::OnClick(TRUE, CPoint(0, 0));
            return TRUE;
        }
        return FALSE;
    }
    if (m_pParent != NULL && (::GetWindowLongW(m_pParent->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    const int nCount = GetPositionCount();
    auto selectable = [&](int i) {
        return i >= 0 && i < nCount && m_arrRects[i].pItem != NULL && !m_arrRects[i].pItem->IsLabel() &&
               !::IsRectEmpty(&m_arrRects[i].rcItem);
    };
    BOOL bWrapped = FALSE;
    int nNew = -1;
    switch (nChar) {
    case VK_TAB: {
        const BOOL bBack = ::GetKeyState(VK_SHIFT) < 0;
        nNew = NextSelectable(nHot, bBack ? -1 : 1, &bWrapped);
        if (nNew == -1 || bWrapped || nHot == -1 && bBack)
            return FALSE;
        break;
    }
    case VK_RETURN:
        Execute();
        return FALSE;
    case VK_HOME:
        nNew = NextSelectable(-1, 1, &bWrapped);
        break;
    case VK_END:
        nNew = NextSelectable(-1, -1, &bWrapped);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        if (!selectable(nHot)) {
            nNew = NextSelectable(-1, 1, &bWrapped);
            break;
        }
        const int nPage = GetItemsRect().Height();
        const RECT& rcHot = m_arrRects[nHot].rcItem;
        nNew = nHot;
        for (int i = 0; i < nCount; ++i) {
            if (!selectable(i))
                continue;
            const RECT& rc = m_arrRects[i].rcItem;
            if (nChar == VK_PRIOR && rc.top >= rcHot.top - nPage && rc.top < m_arrRects[nNew].rcItem.top)
                nNew = i;
            if (nChar == VK_NEXT && rc.bottom <= rcHot.bottom + nPage && rc.bottom > m_arrRects[nNew].rcItem.bottom)
                nNew = i;
        }
        break;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        if (!selectable(nHot)) {
            nNew = NextSelectable(-1, 1, &bWrapped);
            break;
        }
        const CSize szItem = GetItems() != NULL ? GetItems()->GetItemSize() : CSize(0, 0);
        if (szItem.cx == 0 || GetItemsRect().Width() < 2 * szItem.cx) {
            nNew = nHot;
            break;
        }
        // The row: from its begin-row item up to the next one.
        int nFirst = nHot;
        while (nFirst > 0 && !m_arrRects[nFirst].bBeginRow)
            --nFirst;
        int nLast = nHot;
        while (nLast + 1 < nCount && !m_arrRects[nLast + 1].bBeginRow)
            ++nLast;
        if (nChar == VK_LEFT)
            nNew = nHot > nFirst ? nHot - 1 : nLast;
        else
            nNew = nHot < nLast ? nHot + 1 : nFirst;
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        const BOOL bUp = nChar == VK_UP;
        if (selectable(nHot)) {
            const RECT& rcHot = m_arrRects[nHot].rcItem;
            int nBest = -1;
            for (int i = 0; i < nCount; ++i) {
                if (!selectable(i) || m_arrRects[i].rcItem.left != rcHot.left)
                    continue;
                const RECT& rc = m_arrRects[i].rcItem;
                if (bUp && rc.top < rcHot.top && (nBest == -1 || rc.top > m_arrRects[nBest].rcItem.top))
                    nBest = i;
                if (!bUp && rc.top > rcHot.top && (nBest == -1 || rc.top < m_arrRects[nBest].rcItem.top))
                    nBest = i;
            }
            nNew = nBest;
        }
        if (nNew == -1) {
            // Nothing further this way: the bar moves on when another control can take the focus.
            if (m_pParent != NULL) {
                const int nControls = m_pParent->CountControls();
                for (int i = bUp ? m_nIndex - 1 : m_nIndex + 1; i >= 0 && i < nControls; i += bUp ? -1 : 1) {
                    CZPControl* pControl = m_pParent->ControlAt(i);
                    if (pControl != NULL && pControl->IsVisible() && pControl->IsFocusable())
                        return FALSE;
                }
            }
            nNew = NextSelectable(-1, bUp ? -1 : 1, &bWrapped);
            if (nNew == -1)
                return FALSE;
        }
        break;
    }
    default:
        return FALSE;
    }
    if (nNew != -1)
        SetHotItem(nNew);
    return TRUE;
}

// Scrolling items into view ------------------------------------------------------------------

void CZPControlGallery::EnsureVisible(int nIndex)
{
    if (GetParentWindow() == NULL || GetItemCount() == 0 || nIndex < 0 || nIndex >= GetPositionCount())
        return;
    const CRect rcItems = GetItemsRect();
    const RECT& rcItem = m_arrRects[static_cast<size_t>(nIndex)].rcItem;
    if (rcItem.top - m_nScrollPos >= rcItems.top) {
        if (rcItem.bottom - m_nScrollPos > rcItems.bottom)
            SetScrollOffset(rcItem.bottom - rcItems.bottom);
        return;
    }
    int nOffset = rcItem.top - rcItems.top;
    if (m_bShowLabels) {
        const int nRoom = rcItems.Height() - (rcItem.bottom - rcItem.top);
        for (int i = nIndex - 1; i >= 0; --i) {
            const GALLERYITEM_POSITION& pos = m_arrRects[static_cast<size_t>(i)];
            if (rcItem.top - pos.rcItem.top > nRoom)
                break;
            if (pos.pItem != NULL && pos.pItem->IsLabel() && !::IsRectEmpty(&pos.rcItem)) {
                nOffset = pos.rcItem.top - rcItems.top;
                break;
            }
        }
    }
    SetScrollOffset(nOffset);
}

int CZPControlGallery::ScrollItemToTop(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetPositionCount())
        return -1;
    SetScrollOffset(m_arrRects[static_cast<size_t>(nIndex)].rcItem.top - GetItemsRect().top);
    return nIndex;
}

int CZPControlGallery::FindItem(int nStart, LPCWSTR lpszText, BOOL bExact) const
{
    const int nCount = GetItemCount();
    const int nLength = lpszText != NULL ? lstrlenW(lpszText) : 0;
    if (nCount == 0 || nLength == 0)
        return -1;
    int i = nStart + 1 >= 0 && nStart + 1 < nCount ? nStart + 1 : 0;
    for (int n = 0; n < nCount; ++n, i = (i + 1) % nCount) {
        const CString strCaption = GetItemText(i);
        if (bExact) {
            if (strCaption.CompareNoCase(lpszText) == 0)
                return i;
        } else if (strCaption.GetLength() >= nLength &&
                   ::CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, strCaption, nLength, lpszText, nLength) ==
                       CSTR_EQUAL) {
            return i;
        }
    }
    return -1;
}
