// What a tab holds: icon, caption, its own close buttons and the focus rectangle, measured and drawn.
#include "tabmanager/ZPTabPaintManager.h"

#include <algorithm>
#include <vector>

#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace
{

// Space between a tab's own close buttons and its content.
const int kButtonsGap = 3;
// Length of a size-to-fit tab without caption beyond its icon.
const int kIconOnlyExtra = 8;
const int kIconGap = 2;
// A vertical caption needs more than this along the tab.
const int kMinVerticalCaption = 8;
const int kVerticalTextInset = 4;
const wchar_t kEllipsis[] = L"...";

BOOL IsButtonShown(const CZPTabManagerNavigateButton* pButton, const CZPTabManagerItem* pItem)
{
    int nMode = pButton->GetShowMode();
    return nMode == zpTabNavigateButtonAlways || (nMode == zpTabNavigateButtonAutomatic && pItem->IsSelected());
}

int AlongText(const CSize& sz, BOOL bVertical)
{
    return bVertical ? sz.cy : sz.cx;
}

int TextWidth(CDC* pDC, const CString& str, BOOL bStripAmpersands)
{
    CString strMeasured(str);
    if (bStripAmpersands)
        ZpRemoveAmpersands(strMeasured);
    return pDC->GetTextExtent(strMeasured).cx;
}

}  // namespace

int CZPTabPaintManager::MeasureCaption(CDC* pDC, const CString& strCaption, UINT nFormat)
{
    CRect rc(0, 0, 0, 0);
    pDC->DrawText(strCaption, rc, nFormat | DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    return rc.Width();
}

void CZPTabPaintManager::DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    if (strText.Find(L'\\') >= 0)
    {
        pDC->DrawText(strText, rc, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    BOOL bStrip = (nFormat & DT_NOPREFIX) == 0;
    int nAvailable = rc.Width();
    int nText = TextWidth(pDC, strText, bStrip);
    int nEllipsis = TextWidth(pDC, kEllipsis, FALSE);
    if (nText <= nAvailable)
    {
        pDC->DrawText(strText, rc, nFormat);
        return;
    }
    if (nEllipsis >= nAvailable)
    {
        pDC->DrawText(CString(kEllipsis), rc, nFormat);
        return;
    }

    // Keep as many characters at the start as at the end (or one more) around "...".
    int nLength = strText.GetLength();
    int nTarget = nAvailable - nEllipsis;
    auto Parts = [&](int g) { return strText.Left(g - g / 2) + strText.Right(g / 2); };
    int g = static_cast<int>(static_cast<long long>(nTarget) * nLength / std::max(nText, 1));
    g = std::min(std::max(g, 0), nLength);
    while (g < nLength && TextWidth(pDC, Parts(g), bStrip) < nTarget)
        g++;
    while (g > 0 && TextWidth(pDC, Parts(g), bStrip) > nTarget)
        g--;
    CString strShown = strText.Left(g - g / 2) + kEllipsis + strText.Right(g / 2);
    pDC->DrawText(strShown, rc, nFormat);
}

BOOL CZPTabPaintManager::IsCaptionShown(const CZPTabManagerItem* pItem) const
{
    return m_nLayout != zpTabLayoutSizeToFit || pItem->IsSelected();
}

int CZPTabPaintManager::GetItemButtonsLength(const CZPTabManagerItem* pItem, BOOL bVertical) const
{
    if (!IsCaptionShown(pItem))
        return 0;
    int nButtons = 0;
    for (int i = 0; i < pItem->GetNavigateButtonCount(); i++)
    {
        const CZPTabManagerNavigateButton* pButton = pItem->GetNavigateButton(i);
        if (IsButtonShown(pButton, pItem))
            nButtons += AlongText(pButton->GetSize(), bVertical);
    }
    return nButtons != 0 ? nButtons + kButtonsGap : 0;
}

CRect CZPTabPaintManager::SplitItemButtons(const CZPTabManagerItem* pItem, CRect rc, std::vector<CRect>* pPlaces) const
{
    if (pPlaces != NULL)
        pPlaces->assign(static_cast<size_t>(pItem->GetNavigateButtonCount()), CRect(0, 0, 0, 0));
    CZPTabManager* pManager = pItem->GetTabManager();
    BOOL bVertical = IsVerticalText(pManager);
    if (GetItemButtonsLength(pItem, bVertical) == 0)
        return rc;
    (bVertical ? rc.bottom : rc.right) -= kButtonsGap;
    for (int i = pItem->GetNavigateButtonCount() - 1; i >= 0; i--)
    {
        const CZPTabManagerNavigateButton* pButton = pItem->GetNavigateButton(i);
        if (!IsButtonShown(pButton, pItem))
            continue;
        CSize sz = pButton->GetSize();
        CRect rcButton;
        if (bVertical)
        {
            int nLeft = rc.left + (rc.Width() - sz.cx) / 2;
            rcButton.SetRect(nLeft, rc.bottom - sz.cy, nLeft + sz.cx, rc.bottom);
            rc.bottom -= sz.cy;
        }
        else
        {
            int nTop = rc.top + (rc.Height() - sz.cy) / 2;
            rcButton.SetRect(rc.right - sz.cx, nTop, rc.right, nTop + sz.cy);
            rc.right -= sz.cx;
        }
        if (pPlaces != NULL)
            (*pPlaces)[static_cast<size_t>(i)] = rcButton;
    }
    return rc;
}

void CZPTabPaintManager::RepositionItemButtons(CZPTabManager* pManager)
{
    std::vector<CRect> places;
    for (int i = 0; i < pManager->GetItemCount(); i++)
    {
        CZPTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible() || pItem->GetRect().IsRectEmpty())
            continue;
        SplitItemButtons(pItem, m_pAppearanceSet->GetItemContentRect(pItem), &places);
        for (int b = 0; b < pItem->GetNavigateButtonCount(); b++)
            pItem->GetNavigateButton(b)->SetRect(places[static_cast<size_t>(b)]);
    }
}

int CZPTabPaintManager::MeasureItemContent(CDC* pDC, CZPTabManagerItem* pItem)
{
    CZPTabManager* pManager = pItem->GetTabManager();
    BOOL bVertical = IsVerticalText(pManager);
    CZPFontDC font(pDC, GetItemFont(pItem));
    BOOL bCaption = IsCaptionShown(pItem);
    UINT nPrefix = m_bNoPrefix ? DT_NOPREFIX : 0;
    int nButtons = GetItemButtonsLength(pItem, bVertical);
    CSize szIcon = m_szIcon;
    BOOL bIcon = m_bShowIcons && pManager->DrawItemIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    int nIcon = bIcon ? AlongText(szIcon, bVertical) : 0;

    CSize szMin(0, 0), szMax(0, 0);
    pManager->GetItemMetrics(NULL, &szMin, &szMax);
    int nMin = szMin.cx, nMax = szMax.cx;
    int nMargins = m_rcTextMargin.left + m_rcTextMargin.right;
    if (m_nLayout == zpTabLayoutFixed)
        return ClampItemLength(m_nFixedItemLength, nMin, nMax);
    if (m_nLayout == zpTabLayoutSizeToFit && !bCaption)
        return ClampItemLength(AlongText(szIcon, bVertical) + kIconOnlyExtra, nMin, nMax);
    if (m_nLayout == zpTabLayoutSizeToFit)
    {
        // Every tab measured in the selected tab's font: the strip keeps its length when the selection moves.
        CZPFontDC fontWidest(pDC, m_bBoldSelected && pManager->IsActive() ? &m_fntBold : &m_fntNormal);
        int nWidest = 0;
        for (int i = 0; i < pManager->GetItemCount(); i++)
            nWidest = std::max(nWidest, MeasureCaption(pDC, pManager->GetItem(i)->GetCaption(), nPrefix));
        return ClampItemLength(nMargins + nWidest + nIcon + nButtons, nMin, nMax);
    }
    return ClampItemLength(MeasureCaption(pDC, pItem->GetCaption(), nPrefix) + nMargins + nIcon + nButtons, nMin,
                           nMax);
}

int CZPTabPaintManager::DrawItemContent(CDC* pDC, CZPTabManagerItem* pItem, CRect rcItem, BOOL bDraw)
{
    if (pItem->GetTabManager() == NULL)
        return 0;
    if (!bDraw)
        return MeasureItemContent(pDC, pItem);
    DrawItemParts(pDC, pItem, rcItem);
    return 0;
}

void CZPTabPaintManager::DrawItemParts(CDC* pDC, CZPTabManagerItem* pItem, const CRect& rcItem)
{
    CZPTabManager* pManager = pItem->GetTabManager();
    BOOL bVertical = IsVerticalText(pManager);
    CZPFontDC font(pDC, GetItemFont(pItem));
    BOOL bCaption = IsCaptionShown(pItem);
    CString strCaption = pItem->GetCaption();
    UINT nPrefix = m_bNoPrefix ? DT_NOPREFIX : 0;
    CSize szIcon = m_szIcon;
    BOOL bIcon = m_bShowIcons && pManager->DrawItemIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);

    m_pColorSet->SetItemTextColor(pDC, pItem);
    int nPosition = pManager->GetPosition();
    // The buttons stand where the layout put them.
    CRect rc = SplitItemButtons(pItem, rcItem, NULL);
    if (bCaption)
    {
        for (int i = pItem->GetNavigateButtonCount() - 1; i >= 0; i--)
        {
            CZPTabManagerNavigateButton* pButton = pItem->GetNavigateButton(i);
            if (IsButtonShown(pButton, pItem))
                pButton->Draw(pDC);
        }
    }
    CRect rcFocus(rc);

    int nStretch = pItem->GetLength() - pItem->GetNaturalLength();
    if (nStretch > 0)
    {
        if (bVertical)
            rc.DeflateRect(0, nStretch / 2);
        else
            rc.DeflateRect(nStretch / 2, 0);
    }

    const CRect& rcButton = m_rcButtonMargin;
    const CRect& rcText = m_rcTextMargin;
    if (!bVertical)
    {
        rc.left += rcText.left + rcButton.left;
        BOOL bSwap = nPosition == zpTabPositionBottom;
        rc.top += bSwap ? rcButton.bottom : rcButton.top;
        rc.bottom -= bSwap ? rcButton.top : rcButton.bottom;
    }
    else
    {
        rc.top += rcText.left + rcButton.left;
        BOOL bSwap = nPosition == zpTabPositionRight;
        rc.left += bSwap ? rcButton.bottom : rcButton.top;
        rc.right -= bSwap ? rcButton.top : rcButton.bottom;
    }

    LONG& nStart = bVertical ? rc.top : rc.left;
    LONG& nEnd = bVertical ? rc.bottom : rc.right;
    if (bIcon)
    {
        int nAlong = AlongText(szIcon, bVertical);
        if (nAlong < nEnd - nStart)
        {
            CPoint pt = bVertical ? CPoint(rc.left + (rc.Width() - szIcon.cx) / 2, nStart - 1)
                                  : CPoint(nStart - 1, rc.top + (rc.Height() - szIcon.cy) / 2);
            pManager->DrawItemIcon(pDC, pt, pItem, TRUE, szIcon);
        }
        nStart += nAlong + kIconGap;
    }

    if (bCaption && !bVertical)
    {
        if (nStart < nEnd)
        {
            nEnd -= rcText.right + rcButton.right;
            if (bIcon)
                nEnd += kIconGap;
            if (m_bMiddleEllipsis)
            {
                DrawTextMiddleEllipsis(pDC, strCaption, rc, DT_SINGLELINE | m_nTextFormat | nPrefix);
            }
            else
            {
                if (m_bHidePrefix)
                {
                    ZpRemoveAmpersands(strCaption);
                    nPrefix = DT_NOPREFIX;
                }
                pDC->DrawText(strCaption, rc,
                              DT_SINGLELINE | m_nTextFormat | nPrefix | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0));
            }
        }
    }
    else if (bCaption && nStart < nEnd - kMinVerticalCaption)
        DrawVerticalCaption(pDC, strCaption, rc, nPosition);

    if (pItem->IsSelected() && pManager->IsFocusCueVisible())
        DrawFocusRect(pDC, pItem, rcFocus);
}

void CZPTabPaintManager::DrawVerticalCaption(CDC* pDC, CString strCaption, const CRect& rc, int nPosition)
{
    const CRect& rcButton = m_rcButtonMargin;
    const CRect& rcText = m_rcTextMargin;
    int nTextHeight = pDC->GetTextExtent(strCaption).cy;
    // Tabs on the right sit one pixel further out.
    int nShift = nPosition == zpTabPositionRight ? 1 : 0;
    CRect rcCaption;
    rcCaption.left = rc.right - (rc.right - rc.left - nTextHeight - nShift) / 2;
    rcCaption.right = rcCaption.left + (rc.bottom - rc.top);
    rcCaption.top = rc.top;
    int nEndInset = std::max(static_cast<int>(rcText.right) - kVerticalTextInset, 0);
    rcCaption.bottom = rc.bottom - nEndInset - rcButton.right;
    if (!m_bNoPrefix)
        ZpRemoveAmpersands(strCaption);
    UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    if (m_bMiddleEllipsis)
        DrawTextMiddleEllipsis(pDC, strCaption, rcCaption, nFormat);
    else
        pDC->DrawText(strCaption, rcCaption, nFormat | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0));
}
