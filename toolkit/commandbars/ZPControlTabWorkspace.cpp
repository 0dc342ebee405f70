// A tab group as a command-bar control: sizing, layout, drawing, mouse and tooltips through the
// client's tab paint manager, falling back to the plain button without a client.
#include "commandbars/ZPControlTabWorkspace.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPPaintManager.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabPaintManager.h"

IMPLEMENT_DYNCREATE(CZPControlTabWorkspace, CZPControlButton)

namespace {
const int kDefaultWidth = 220;
// Room a static frame takes around the strip.
const int kStaticFrameDepth = 2;
}  // namespace

CZPControlTabWorkspace::CZPControlTabWorkspace() : CWorkspace(NULL), m_bNeedsReposition(FALSE), m_bInLayout(FALSE)
{
    m_nWidth = kDefaultWidth;
    m_dwFlags = zpFlagNoMovable | zpFlagSkipFocus;
}

CZPControlTabWorkspace::~CZPControlTabWorkspace()
{
    SetTabClient(NULL);
}

void CZPControlTabWorkspace::SetTabClient(CZPTabClientWnd* pClient)
{
    if (pClient == m_pClient)
        return;
    if (m_pClient != NULL)
        m_pClient->RemoveGroupControl(this);
    m_pClient = pClient;
    if (pClient != NULL)
        pClient->AddGroupControl(this);
    m_bNeedsReposition = TRUE;
}

CSize CZPControlTabWorkspace::GetSize(CDC* pDC)
{
    CZPTabPaintManager* pPaintManager = CWorkspace::GetPaintManager();
    if (pPaintManager == NULL || pPaintManager->GetAppearanceSet() == NULL)
        return CZPControlButton::GetSize(pDC);
    // The header of an empty rectangle is as deep as the strip, whatever side it lies on.
    const CRect rcHeader = pPaintManager->GetAppearanceSet()->GetHeaderRect(CRect(0, 0, 0, 0), this);
    int nDepth = rcHeader.Width() + rcHeader.Height();
    if (pPaintManager->m_bStaticFrame)
        nDepth += kStaticFrameDepth;
    if (m_pParent != NULL && ZpIsVerticalBarPosition(m_pParent->GetPosition()))
        return CSize(nDepth, m_nWidth);
    return CSize(m_nWidth, nDepth);
}

void CZPControlTabWorkspace::SetRect(CRect rcControl)
{
    if (rcControl == CZPControl::m_rcControl && !m_bNeedsReposition)
        return;
    CZPControl::m_rcControl = rcControl;
    m_bNeedsReposition = FALSE;
    CZPTabPaintManager* pPaintManager = CWorkspace::GetPaintManager();
    if (pPaintManager == NULL)
        return;
    HWND hWndBar = m_pParent != NULL ? m_pParent->GetSafeHwnd() : NULL;
    HDC hDC = ::GetDC(hWndBar);
    if (hDC == NULL)
        return;
    m_bInLayout = TRUE;
    {
        CDC dc(hDC);
        pPaintManager->RepositionTabControl(this, &dc, rcControl);
    }
    m_bInLayout = FALSE;
    ::ReleaseDC(hWndBar, hDC);
}

void CZPControlTabWorkspace::Draw(CDC* pDC)
{
    CZPTabPaintManager* pPaintManager = CWorkspace::GetPaintManager();
    if (pPaintManager == NULL) {
        CZPControlButton::Draw(pDC);
        return;
    }
    pPaintManager->DrawTabControl(this, pDC, CZPControl::m_rcControl);
}

void CZPControlTabWorkspace::OnClick(BOOL bKeyboard, CPoint point)
{
    if (m_pClient == NULL) {
        CZPControlButton::OnClick(bKeyboard, point);
        return;
    }
    if (bKeyboard || m_pParent == NULL)
        return;
    // A tab drag or a close button may remove this control from its bar: it stays alive until the end.
    CRefPtr<CZPControlTabWorkspace> hold = CRefPtr<CZPControlTabWorkspace>::AddRef(this);
    HandleMouseDown(m_pParent, point);
}

void CZPControlTabWorkspace::OnMouseMove(CPoint point)
{
    if (m_pClient != NULL && m_pParent != NULL)
        UpdateHotTracking(m_pParent, point);
}

void CZPControlTabWorkspace::OnRemoved()
{
    if (m_pClient != NULL)
        m_pClient->RemoveGroupControl(this);
    CZPControlButton::OnRemoved();
}

INT_PTR CZPControlTabWorkspace::OnToolHitTest(CPoint point, TOOLINFOW* pTI)
{
    if (m_pClient == NULL)
        return -1;
    return ItemToolHitTest(m_pParent != NULL ? m_pParent->GetSafeHwnd() : NULL, point, pTI);
}

CZPControl* CZPControlTabWorkspace::Clone(BOOL bRecursive)
{
    CZPControlTabWorkspace* pClone = new CZPControlTabWorkspace;
    pClone->Copy(this, bRecursive);
    return pClone;
}

int CZPControlTabWorkspace::GetPosition() const
{
    switch (m_pParent != NULL ? m_pParent->GetPosition() : zpBarTop) {
    case zpBarBottom:
        return zpTabPositionBottom;
    case zpBarLeft:
        return zpTabPositionLeft;
    case zpBarRight:
        return zpTabPositionRight;
    default:
        return zpTabPositionTop;
    }
}

void CZPControlTabWorkspace::RedrawControl(LPCRECT /*lpRect*/, BOOL /*bErase*/)
{
    if (m_pParent != NULL)
        m_pParent->RepaintArea(&(CZPControl::m_rcControl), FALSE);
}

void CZPControlTabWorkspace::Reposition()
{
    m_bNeedsReposition = TRUE;
    // A scroll made by the layout itself asks again: the running layout already covers it.
    if (m_pParent == NULL || m_bInLayout)
        return;
    // The bar lays out at its next idle round; until then this strip keeps its rectangle.
    DelayLayout();
    SetRect(CZPControl::m_rcControl);
    RedrawControl(NULL, FALSE);
}
