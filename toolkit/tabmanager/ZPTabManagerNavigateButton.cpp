// Scroll arrows and close buttons of a tab strip.
#include "tabmanager/ZPTabManagerNavigateButton.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"
#include "common/ZPTrackingLoop.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerResource.h"
#include "tabmanager/ZPTabPaintManager.h"

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
    CRefPtr<CZPTabManagerItem> item = CRefPtr<CZPTabManagerItem>::AddRef(m_pItem);

    // Repeats the action on every tick while the button is held and enabled, and shows it
    // pressed while the pointer is over it.
    class CHeldLoop : public CZPTrackingLoop
    {
    public:
        CHeldLoop(HWND hWnd, CZPTabManagerNavigateButton* pButton, CZPTabManagerItem* pItem, CPoint point)
            : CZPTrackingLoop(hWnd, flagTakeCapture | flagEscapeEnds | flagRightButtonEnds | flagDropOtherKeys),
              m_pButton(pButton), m_pItem(pItem),
              m_pManager(pButton->m_pManager), m_point(point)
        {}
        BOOL IsAlive() const { return m_pItem == NULL || m_pItem->HasNavigateButton(m_pButton); }
        void ShowPressed()
        {
            BOOL bOver = m_pButton->m_rcButton.PtInRect(m_point);
            if (bOver != m_pButton->m_bPressed)
            {
                m_pButton->m_bPressed = bOver;
                m_pManager->RedrawControl(m_pButton->m_rcButton, FALSE);
            }
        }

        CZPTabManagerNavigateButton* m_pButton;  // borrowed; checked by IsAlive before each use
        CZPTabManagerItem* m_pItem;              // borrowed; held by the caller for the loop
        CZPTabManager* m_pManager;               // borrowed; lives as long as the window
        CPoint m_point;
        BOOL m_bReleasedOver = FALSE;

    protected:
        BOOL IsTracking() const override { return IsAlive(); }
        BOOL OnTick() override
        {
            if (m_pButton->m_bEnabled)
            {
                m_pButton->Execute(TRUE);
                if (!::IsWindow(GetHwnd()) || !IsAlive())
                    return FALSE;
            }
            ShowPressed();
            return TRUE;
        }
        BOOL OnMessage(const MSG& msg) override
        {
            switch (msg.message)
            {
            case WM_MOUSEMOVE:
                m_point = PointOf(msg);
                break;
            case WM_LBUTTONUP:
                m_point = PointOf(msg);
                m_bReleasedOver = m_pButton->m_rcButton.PtInRect(m_point);
                return FALSE;
            default:
                Dispatch(msg);
                if (!::IsWindow(GetHwnd()) || !IsAlive())
                    return FALSE;
                break;
            }
            ShowPressed();
            return TRUE;
        }
    };

    CHeldLoop loop(hWnd, this, item.Get(), point);
    loop.ShowPressed();
    loop.StartTicks(kRepeatIntervalMs);
    loop.Run();
    if (!::IsWindow(hWnd) || !loop.IsAlive())
        return;

    m_bPressed = FALSE;
    m_pManager->FinishTracking(pWnd, loop.m_point);
    // The release may delete this button (a tab's close button removes its tab): nothing after it.
    if (loop.m_bReleasedOver)
        Execute(FALSE);
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
