// Scroll arrows and close buttons of a tab strip.
#include "tabmanager/ZPTabManagerNavigateButton.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerResource.h"
#include "tabmanager/ZPTabPaintManager.h"
#include "tabmanager/ZPTabTrackLoop.h"

namespace
{

// A held button repeats its action at most this often.
const DWORD kRepeatIntervalMs = 20;
// Room the two arrows take at the end of the header.
const int kArrowsLength = 28;

CString LoadTabString(UINT nID)
{
    CString str;
    ZpResourceManagerInstance()->LoadString(str, nID);
    return str;
}

}  // namespace

CZPTabManagerNavigateButton::CZPTabManagerNavigateButton(CZPTabManager* pManager, UINT nID, int nShowMode)
    : m_nID(nID), m_nShowMode(nShowMode), m_pManager(pManager), m_rcButton(0, 0, 0, 0), m_bEnabled(TRUE),
      m_bPressed(FALSE), m_pItem(NULL)
{
}

CZPTabManagerNavigateButton::~CZPTabManagerNavigateButton()
{
    if (m_pManager != NULL)
        m_pManager->ClearHighlightedNavigateButton(this);
}

void CZPTabManagerNavigateButton::AdjustLength(int& nLength)
{
    BOOL bTakes = m_nShowMode == zpTabNavigateButtonAlways
                  || (m_nShowMode == zpTabNavigateButtonAutomatic && m_pManager->IsNavigateButtonVisible(this));
    if (!bTakes)
        return;
    CSize sz = GetSize();
    nLength -= m_pManager->IsHorizontal() ? sz.cx : sz.cy;
}

CSize CZPTabManagerNavigateButton::GetSize() const
{
    CZPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->m_szNavigateButton
                                  : CSize(kZpTabNavigateButtonWidth, kZpTabNavigateButtonHeight);
}

void CZPTabManagerNavigateButton::PlaceAtEnd(CRect& rcRemaining)
{
    CSize sz = GetSize();
    if (m_pManager->IsHorizontal())
    {
        int nTop = rcRemaining.top + (rcRemaining.Height() - sz.cy) / 2;
        m_rcButton.SetRect(rcRemaining.right - sz.cx, nTop, rcRemaining.right, nTop + sz.cy);
        rcRemaining.right -= sz.cx;
    }
    else
    {
        int nLeft = rcRemaining.left + (rcRemaining.Width() - sz.cx) / 2;
        m_rcButton.SetRect(nLeft, rcRemaining.bottom - sz.cy, nLeft + sz.cx, rcRemaining.bottom);
        rcRemaining.bottom -= sz.cy;
    }
}

void CZPTabManagerNavigateButton::Reposition(CRect& rcRemaining)
{
    if (m_nShowMode == zpTabNavigateButtonNone
        || (m_nShowMode == zpTabNavigateButtonAutomatic && !m_pManager->IsNavigateButtonVisible(this)))
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    PlaceAtEnd(rcRemaining);
}

void CZPTabManagerNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    CZPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    if (pPaintManager != NULL)
    {
        CRect rc(m_rcButton);
        pPaintManager->DrawNavigateButton(pDC, this, rc);
    }
}

void CZPTabManagerNavigateButton::Execute(BOOL bRepeat)
{
    if (!bRepeat)
        m_pManager->OnNavigateButtonClick(this);
}

void CZPTabManagerNavigateButton::PerformClick(CWnd* pWnd, CPoint point)
{
    HWND hWnd = CWnd::GetSafeHwnd(pWnd);
    if (hWnd == NULL || !m_bEnabled || (::GetCapture() != NULL && ::GetCapture() != hWnd))
        return;

    // A close button can go with its item inside a dispatched message or its own release: keep
    // the item alive and check that it still owns the button before touching it again.
    CZPTabManager* pManager = m_pManager;
    CZPTabManagerItem* pItem = m_pItem;
    if (pItem != NULL)
        pItem->InternalAddRef();
    auto IsAlive = [&]() { return pItem == NULL || pItem->HasNavigateButton(this); };

    BOOL bReleasedOver = FALSE;
    {
        CZPTabTrackLoop loop(hWnd);
        DWORD dwLast = ::GetTickCount();
        BOOL bDone = FALSE;
        while (!bDone)
        {
            if (m_bEnabled && ::GetTickCount() - dwLast > kRepeatIntervalMs)
            {
                dwLast = ::GetTickCount();
                Execute(TRUE);
                if (!loop.IsWindowAlive() || !IsAlive())
                    break;
            }
            BOOL bOver = m_rcButton.PtInRect(point);
            if (bOver != m_bPressed)
            {
                m_bPressed = bOver;
                pManager->RedrawControl(m_rcButton, FALSE);
            }

            MSG msg;
            DWORD dwElapsed = ::GetTickCount() - dwLast;
            DWORD dwWait = !m_bEnabled                     ? INFINITE
                           : dwElapsed > kRepeatIntervalMs ? 0
                                                           : kRepeatIntervalMs + 1 - dwElapsed;
            int nResult = loop.Next(&msg, dwWait);
            if (nResult == CZPTabTrackLoop::resultTimeout)
                continue;
            if (nResult == CZPTabTrackLoop::resultCancel)
                break;
            switch (CZPTabTrackLoop::Classify(msg))
            {
            case CZPTabTrackLoop::actionCancel:
                bDone = TRUE;
                break;
            case CZPTabTrackLoop::actionMove:
                point = CZPTabTrackLoop::PointOf(msg);
                break;
            case CZPTabTrackLoop::actionRelease:
                point = CZPTabTrackLoop::PointOf(msg);
                bReleasedOver = m_rcButton.PtInRect(point);
                bDone = TRUE;
                break;
            case CZPTabTrackLoop::actionDispatch:
                bDone = !loop.Dispatch(msg);
                break;
            }
            if (!loop.IsWindowAlive() || !IsAlive())
                break;
        }
        if (!loop.IsWindowAlive() || !IsAlive())
        {
            if (pItem != NULL)
                pItem->InternalRelease();
            return;
        }
    }

    m_bPressed = FALSE;
    pManager->FinishTracking(pWnd, point);
    // The release may delete this button (a tab's close button removes its tab): nothing after it.
    if (bReleasedOver)
        Execute(FALSE);
    if (pItem != NULL)
        pItem->InternalRelease();
}

void CZPTabManager::CNavigateButtonArrow::AdjustLength(int& nLength)
{
    // Automatic arrows take nothing from the room the compressed tabs share.
    if (m_nShowMode == zpTabNavigateButtonAlways)
        CZPTabManagerNavigateButton::AdjustLength(nLength);
}

void CZPTabManager::CNavigateButtonArrow::Reposition(CRect& rcRemaining)
{
    BOOL bHorizontal = m_pManager->IsHorizontal();
    if (m_nID == zpTabNavigateButtonLeft)
        m_strTooltip = LoadTabString(bHorizontal ? ZP_IDS_TAB_SCROLLLEFT : ZP_IDS_TAB_SCROLLUP);
    else
        m_strTooltip = LoadTabString(bHorizontal ? ZP_IDS_TAB_SCROLLRIGHT : ZP_IDS_TAB_SCROLLDOWN);

    CZPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    CRect rcMargin(0, 0, 0, 0);
    if (pPaintManager != NULL && pPaintManager->GetAppearanceSet() != NULL)
        rcMargin = pPaintManager->GetAppearanceSet()->GetHeaderMargin();
    int nLength = m_pManager->GetStripLength(rcRemaining);
    int nItems = m_pManager->GetItemsLength();
    int nOffset = m_pManager->GetScrollOffset();
    if (m_nID == zpTabNavigateButtonLeft)
        m_bEnabled = nOffset < 0;
    else
        m_bEnabled = nLength - rcMargin.right - rcMargin.left - kArrowsLength < nItems + nOffset;

    int nLayout = m_pManager->GetLayout();
    if (nLayout == zpTabLayoutMultiRow)
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nShowMode != zpTabNavigateButtonAutomatic)
    {
        CZPTabManagerNavigateButton::Reposition(rcRemaining);
        return;
    }
    BOOL bNeeded = nLayout != zpTabLayoutCompressed
                   && (nLength - rcMargin.right - rcMargin.left < nItems + nOffset - rcMargin.left - 1 || nOffset < 0);
    if (bNeeded)
        PlaceAtEnd(rcRemaining);
    else
        m_rcButton.SetRectEmpty();
}

void CZPTabManager::CNavigateButtonArrowLeft::Execute(BOOL bRepeat)
{
    if (bRepeat)
        m_pManager->ScrollBy(FALSE);
}

void CZPTabManager::CNavigateButtonArrowRight::Execute(BOOL bRepeat)
{
    if (bRepeat)
        m_pManager->ScrollBy(TRUE);
}

void CZPTabManager::CNavigateButtonArrowLeft::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    if (m_pManager->IsHorizontal())
        ZpDrawTriangle(pDC, CPoint(c.x + 2, c.y - 5), CPoint(c.x - 2, c.y - 1), CPoint(c.x + 2, c.y + 3));
    else
        ZpDrawTriangle(pDC, CPoint(c.x - 5, c.y + 2), CPoint(c.x - 1, c.y - 2), CPoint(c.x + 3, c.y + 2));
}

void CZPTabManager::CNavigateButtonArrowRight::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    if (m_pManager->IsHorizontal())
        ZpDrawTriangle(pDC, CPoint(c.x - 2, c.y - 5), CPoint(c.x + 2, c.y - 1), CPoint(c.x - 2, c.y + 3));
    else
        ZpDrawTriangle(pDC, CPoint(c.x - 5, c.y - 2), CPoint(c.x - 1, c.y + 2), CPoint(c.x + 3, c.y - 2));
}

CZPTabManager::CNavigateButtonClose::CNavigateButtonClose(CZPTabManager* pManager, int nShowMode)
    : CZPTabManagerNavigateButton(pManager, zpTabNavigateButtonClose, nShowMode)
{
    m_strTooltip = LoadTabString(ZP_IDS_TAB_CLOSE);
}

void CZPTabManager::CNavigateButtonClose::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    static const int kLines[4][4] = {{-4, -3, 3, 4}, {-3, -3, 4, 4}, {-4, 3, 3, -4}, {-3, 3, 4, -4}};
    for (const auto& line : kLines)
    {
        pDC->MoveTo(c.x + line[0], c.y + line[1]);
        pDC->LineTo(c.x + line[2], c.y + line[3]);
    }
}

CZPTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CZPTabManagerItem* pItem, CZPTabManager* pManager,
                                                                int nShowMode)
    : CNavigateButtonClose(pManager, nShowMode)
{
    m_pItem = pItem;
}
