// The MDI tab workspace: groups of tabs for the MDI children, their layout and painting, the
// tab drag between groups with its desktop feedback, and the tab-group commands.
#include "tabmanager/ZPTabClientWnd.h"

#include "common/ZPColorManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPResourceManager.h"
#include "common/ZPTrackingLoop.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"
#include "tabmanager/ZPTabManagerResource.h"
#include "tabmanager/ZPTabPaintManager.h"

namespace {

const int kDefaultSplitterWidth = 4;
// A drop this close to a group's bottom or right edge splits the group.
const int kSplitZone = 30;
// Pending paints dispatched before the desktop is locked for the feedback.
const int kMaxPendingPaints = 64;
const UINT kDragFlags = CZPTrackingLoop::flagTakeCapture | CZPTrackingLoop::flagEscapeEnds |
                        CZPTrackingLoop::flagRightButtonEnds | CZPTrackingLoop::flagDropOtherKeys;
// The menu's commands, in the order they are offered.
const UINT kMenuCommands[] = { ZP_ID_TABGROUP_NEWHORIZONTAL, ZP_ID_TABGROUP_NEWVERTICAL, ZP_ID_TABGROUP_MOVEPREVIOUS,
                               ZP_ID_TABGROUP_MOVENEXT };

BOOL IsMDIChild(HWND hWnd)
{
    return (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

// The caption of a command: its string after the first "\n".
CString CommandCaption(UINT nID)
{
    CString str;
    ZpResourceManagerInstance()->LoadString(str, nID);
    int nNewLine = str.Find(L'\n');
    return nNewLine >= 0 ? str.Mid(nNewLine + 1) : str;
}

// A halftone frame inverted on the DC: drawing it twice erases it.
void InvertFrame(HDC hDC, const CRect& rc, CSize szFrame)
{
    CBrush brush;
    if (!ZpCreateHalftoneBrush(brush))
        return;
    HGDIOBJ hOld = ::SelectObject(hDC, brush.GetSafeHandle());
    ::PatBlt(hDC, rc.left, rc.top, rc.Width(), szFrame.cy, PATINVERT);
    ::PatBlt(hDC, rc.left, rc.bottom - szFrame.cy, rc.Width(), szFrame.cy, PATINVERT);
    ::PatBlt(hDC, rc.left, rc.top + szFrame.cy, szFrame.cx, rc.Height() - 2 * szFrame.cy, PATINVERT);
    ::PatBlt(hDC, rc.right - szFrame.cx, rc.top + szFrame.cy, szFrame.cx, rc.Height() - 2 * szFrame.cy, PATINVERT);
    ::SelectObject(hDC, hOld);
}

}  // namespace

IMPLEMENT_DYNAMIC(CZPTabClientWnd, CWnd)

// ---- CWorkspace ----

void CZPTabClientWnd::CWorkspace::Reposition()
{
    if (m_pClient == NULL)
        return;
    if (m_pClient->m_bLocked)
        m_pClient->m_bLayoutPending = TRUE;
    else
        m_pClient->RepositionGroups();
}

HICON CZPTabClientWnd::CWorkspace::GetItemIcon(const CZPTabManagerItem* pItem) const
{
    return m_pClient != NULL ? m_pClient->GetItemIcon(pItem) : CZPTabManager::GetItemIcon(pItem);
}

CString CZPTabClientWnd::CWorkspace::GetItemTooltip(const CZPTabManagerItem* pItem) const
{
    return m_pClient != NULL ? m_pClient->GetItemTooltip(pItem) : CZPTabManager::GetItemTooltip(pItem);
}

BOOL CZPTabClientWnd::CWorkspace::CanSelectItem(CZPTabManagerItem* pItem) const
{
    return m_pClient != NULL ? m_pClient->CanSelectItem(pItem) : CZPTabManager::CanSelectItem(pItem);
}

COLORREF CZPTabClientWnd::CWorkspace::GetItemColor(const CZPTabManagerItem* pItem) const
{
    COLORREF clr = m_pClient != NULL ? m_pClient->GetItemColor(pItem) : ZP_COLOR_UNSET;
    if (clr == ZP_COLOR_UNSET)
        return CZPTabManager::GetItemColor(pItem);
    return ZpGetTabAutomaticColor(clr);
}

CZPTabPaintManager* CZPTabClientWnd::CWorkspace::GetPaintManager() const
{
    return m_pClient != NULL ? m_pClient->m_pPaintManager : NULL;
}

void CZPTabClientWnd::CWorkspace::RedrawControl(LPCRECT lpRect, BOOL /*bErase*/)
{
    if (m_pClient != NULL && !m_pClient->m_bLocked && m_pClient->GetSafeHwnd() != NULL)
        ::InvalidateRect(m_pClient->m_hWnd, lpRect, FALSE);
}

BOOL CZPTabClientWnd::CWorkspace::IsAllowReorder() const
{
    return m_pClient != NULL ? m_pClient->m_bAllowReorder : CZPTabManager::IsAllowReorder();
}

void CZPTabClientWnd::CWorkspace::SetAllowReorder(BOOL bAllowReorder)
{
    if (m_pClient != NULL)
        m_pClient->m_bAllowReorder = bAllowReorder;
    else
        CZPTabManager::SetAllowReorder(bAllowReorder);
}

BOOL CZPTabClientWnd::CWorkspace::HasStaticFrame() const
{
    return (m_pClient == NULL || !m_pClient->m_bGroupsEnabled) && CZPTabManager::HasStaticFrame();
}

BOOL CZPTabClientWnd::CWorkspace::DrawItemIcon(CDC* pDC, CPoint pt, CZPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon)
{
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == NULL || !pPaintManager->m_bShowIcons)
        return FALSE;
    if (bDraw && pItem != NULL) {
        HICON hIcon = GetItemIcon(pItem);
        if (hIcon != NULL)
            ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, NULL, DI_NORMAL);
    }
    return TRUE;
}

void CZPTabClientWnd::CWorkspace::SelectItemByUser(CZPTabManagerItem* pItem)
{
    HWND hChild = pItem != NULL ? pItem->GetHandle() : NULL;
    if (!::IsWindow(hChild) || m_pClient == NULL || m_pClient->GetSafeHwnd() == NULL)
        return;
    SetSelectedItem(pItem);
    if (::IsIconic(hChild))
        ::SendMessageW(hChild, WM_SYSCOMMAND, SC_RESTORE, 0);
    ::SendMessageW(m_pClient->m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
    // The focus stays where it is when it already is in the child or in a window owned from it.
    HWND hFocus = ::GetFocus();
    for (HWND hWnd = hFocus; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_OWNER))
        if (hWnd == hChild || ::IsChild(hChild, hWnd))
            return;
    if (::IsWindow(hChild))
        ::SetFocus(hChild);
}

void CZPTabClientWnd::CWorkspace::OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton)
{
    if (pButton->GetID() != zpTabNavigateButtonClose || m_pClient == NULL)
        return;
    CZPTabManagerItem* pItem = pButton->GetItem() != NULL ? pButton->GetItem() : m_pSelected;
    if (pItem == NULL)
        return;
    // Closing the child takes its tab out of this group; the group (emptied) and the button that
    // called stay until the client's next idle update.
    CRefPtr<CZPTabManagerItem> hold = CRefPtr<CZPTabManagerItem>::AddRef(pItem);
    CZPTabClientWnd* pClient = m_pClient;
    pClient->m_nBusy++;
    ::PostMessageW(pClient->m_hWnd, WM_IDLEUPDATECMDUI, 0, 0);
    ::SendMessageW(pItem->GetHandle(), WM_CLOSE, 0, 0);
    pClient->m_nBusy--;
}

BOOL CZPTabClientWnd::CWorkspace::IsMouseLocked() const
{
    return m_pClient != NULL && m_pClient->IsMouseLocked();
}

CZPTabManagerItem* CZPTabClientWnd::CWorkspace::FindItem(HWND hWndChild) const
{
    for (int i = 0; i < GetItemCount(); i++)
        if (GetItem(i)->GetHandle() == hWndChild)
            return GetItem(i);
    return NULL;
}

void CZPTabClientWnd::CWorkspace::ReorderItemByDrag(CWnd* pWnd, CPoint point, CZPTabManagerItem* pItem)
{
    CZPTabClientWnd* pClient = m_pClient;
    HWND hWndClient = pClient != NULL ? pClient->GetSafeHwnd() : NULL;
    if (hWndClient == NULL || !ContainsItem(pItem))
        return;
    // The loop runs on the window showing the strip (a bar for a group control); drop targets are
    // found in the client's coordinates.
    HWND hWnd = pWnd != NULL && pWnd->GetSafeHwnd() != NULL ? pWnd->GetSafeHwnd() : hWndClient;
    if (pClient->GetGroupCount() == 1 && GetItemCount() == 1) {
        SelectItemByUser(pItem);
        return;
    }
    // The item and this group stay alive through the loop: a close or a group command only
    // empties groups, which go once the drag is over.
    CRefPtr<CZPTabManagerItem> hold = CRefPtr<CZPTabManagerItem>::AddRef(pItem);
    pClient->m_nBusy++;
    m_pSelected = pItem;
    pClient->SetActiveGroup(this);
    CZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();
    CArray<CRect, const CRect&> arrSlots;
    for (int i = 0; i < GetItemCount(); i++)
        arrSlots.Add(GetItem(i)->GetRect());

    CDragFeedback feedback(pClient);
    CWorkspace* pTarget = NULL;
    int nMode = zpTabDropNone;
    CRect rcIndicator(0, 0, 0, 0);
    BOOL bDrop = FALSE;
    const int nEnd = ZpRunTrackingLoop(hWnd, kDragFlags, [&](const MSG& msg) -> BOOL {
        switch (msg.message) {
        case WM_LBUTTONUP:
            point = CZPTrackingLoop::PointOf(msg);
            bDrop = TRUE;
            return FALSE;
        case WM_MOUSEMOVE:
            point = CZPTrackingLoop::PointOf(msg);
            if (!ContainsItem(pItem))
                return TRUE;
            if (m_rcHeader.IsRectEmpty() || m_rcHeader.PtInRect(point)) {
                if (feedback.IsShown()) {
                    feedback.End();
                    nMode = zpTabDropNone;
                    pTarget = NULL;
                }
                ::SetCursor(pClient->m_hCursorDrop);
                for (int i = 0; i < GetItemCount() && i < static_cast<int>(arrSlots.GetSize()); i++) {
                    if (i == pItem->GetIndex() || !arrSlots[i].PtInRect(point))
                        continue;
                    int nOld = pItem->GetIndex();
                    m_arrItems[nOld] = m_arrItems[i];
                    m_arrItems[i] = pItem;
                    OnItemsChanged();
                    break;
                }
            } else if (pClient->m_bGroupsEnabled) {
                if (!feedback.IsShown()) {
                    feedback.Begin();
                    rcIndicator.SetRectEmpty();
                }
                CRect rcNew;
                CPoint ptClient(point);
                ::MapWindowPoints(hWnd, hWndClient, &ptClient, 1);
                nMode = pClient->ComputeDropTarget(ptClient, this, &pTarget, &rcNew);
                ::SetCursor(nMode == zpTabDropNone ? pClient->m_hCursorRefuse : pClient->m_hCursorDrop);
                if (rcNew != rcIndicator) {
                    rcIndicator = rcNew;
                    feedback.Draw(rcIndicator);
                }
            }
            return TRUE;
        default:
            return CZPTrackingLoop::Dispatch(msg);
        }
    });
    BOOL bShown = feedback.IsShown();
    feedback.End();
    if (nEnd == CZPTrackingLoop::endWindowGone || !::IsWindow(hWnd) || !::IsWindow(hWndClient)) {
        pClient->m_nBusy--;
        return;
    }
    FinishTracking(pWnd, point);
    if (ContainsItem(pItem))
        SelectItemByUser(pItem);
    pClient->m_nLastDropMode = zpTabDropNone;
    if (bShown) {
        ::SetCursor(pClient->m_hCursorDrop);
        if (bDrop) {
            pClient->m_nLastDropMode = nMode;
            if (nMode == zpTabDropMenu) {
                CPoint ptScreen(point);
                ::ClientToScreen(hWnd, &ptScreen);
                pClient->TrackGroupMenu(ptScreen);
            } else if (nMode != zpTabDropNone) {
                pClient->MoveItem(pItem, pTarget, nMode);
            }
        }
    }
    CWorkspace* pGroup = pClient->FindGroup(pItem->GetHandle());
    if (pGroup != NULL && pPaintManager != NULL)
        pPaintManager->EnsureVisible(pGroup, pItem);
    pClient->m_nBusy--;
    // May remove this group: nothing of it is touched after.
    pClient->Refresh();
}

// ---- CDragFeedback ----

void CZPTabClientWnd::CDragFeedback::Begin()
{
    if (m_hDC != NULL)
        return;
    MSG msg;
    for (int i = 0; i < kMaxPendingPaints && ::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); i++)
        ::DispatchMessageW(&msg);
    m_rcLast.SetRectEmpty();
    HWND hDesktop = ::GetDesktopWindow();
    // The lock may be another window's already: then it is neither used nor released here.
    m_bLocked = ::LockWindowUpdate(hDesktop);
    m_hDC = ::GetDCEx(hDesktop, NULL, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    if (m_hDC == NULL && m_bLocked) {
        ::LockWindowUpdate(NULL);
        m_bLocked = FALSE;
    }
}

void CZPTabClientWnd::CDragFeedback::Draw(const CRect& rcIndicator)
{
    if (m_hDC == NULL)
        return;
    if (!m_rcLast.IsRectEmpty())
        InvertFrame(m_hDC, m_rcLast, m_szLast);
    CRect rc(rcIndicator);
    if (!rc.IsRectEmpty())
        ::MapWindowPoints(m_pClient->m_hWnd, NULL, reinterpret_cast<LPPOINT>(&rc), 2);
    m_rcLast = rc;
    m_szLast = CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    if (!m_rcLast.IsRectEmpty())
        InvertFrame(m_hDC, m_rcLast, m_szLast);
}

void CZPTabClientWnd::CDragFeedback::End()
{
    if (m_hDC != NULL) {
        Draw(CRect(0, 0, 0, 0));
        ::ReleaseDC(::GetDesktopWindow(), m_hDC);
        m_hDC = NULL;
    }
    if (m_bLocked) {
        ::LockWindowUpdate(NULL);
        m_bLocked = FALSE;
    }
}

// ---- CZPTabClientWnd ----

CZPTabClientWnd::CZPTabClientWnd()
    : m_bAllowReorder(TRUE), m_nSplitterWidth(kDefaultSplitterWidth), m_nLastDropMode(zpTabDropNone), m_pFrame(NULL),
      m_pPaintManager(new CZPTabPaintManager()), m_pActiveGroup(NULL), m_bGroupsEnabled(TRUE),
      m_bHorizontalGroups(TRUE), m_bLocked(FALSE), m_bLayoutPending(FALSE), m_bRefreshing(FALSE), m_nBusy(0),
      m_hCursorDrop(::LoadCursorW(NULL, IDC_ARROW)), m_hCursorRefuse(::LoadCursorW(NULL, IDC_NO))
{
    m_pPaintManager->SetAppearance(zpTabAppearancePropertyPage2003);
}

CZPTabClientWnd::~CZPTabClientWnd()
{
    // Controls still showing a group of this client become plain buttons.
    for (INT_PTR i = 0; i < m_arrGroupControls.GetSize(); i++)
        m_arrGroupControls[i]->m_pClient = NULL;
    m_arrGroupControls.RemoveAll();
    Detach();
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
        delete m_arrGroups[i];
    m_arrGroups.RemoveAll();
    m_pPaintManager->InternalRelease();
}

BOOL CZPTabClientWnd::Attach(CMDIFrameWnd* pFrame, BOOL bEnableGroups)
{
    if (pFrame == NULL || !::IsWindow(pFrame->m_hWndMDIClient) || m_hWnd != NULL)
        return FALSE;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    m_bGroupsEnabled = bEnableGroups;
    ModifyStyle(0, WS_CLIPCHILDREN);
    Refresh(TRUE);
    return TRUE;
}

void CZPTabClientWnd::Detach()
{
    if (m_hWnd != NULL)
        UnsubclassWindow();
    m_pFrame = NULL;
    m_pActiveGroup = NULL;
    // A loop still running keeps its group; the destructor frees it.
    if (m_nBusy != 0)
        return;
    for (INT_PTR i = 0; i < m_arrGroups.GetSize(); i++)
        delete m_arrGroups[i];
    m_arrGroups.RemoveAll();
}

CZPTabClientWnd::CWorkspace* CZPTabClientWnd::GetGroup(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetGroupCount() ? m_arrGroups[nIndex] : NULL;
}

CZPTabClientWnd::CWorkspace* CZPTabClientWnd::FindGroup(HWND hWndChild, CZPTabManagerItem** ppItem) const
{
    for (int i = 0; i < GetGroupCount(); i++) {
        CZPTabManagerItem* pItem = m_arrGroups[i]->FindItem(hWndChild);
        if (pItem != NULL && hWndChild != NULL) {
            if (ppItem != NULL)
                *ppItem = pItem;
            return m_arrGroups[i];
        }
    }
    return NULL;
}

CZPTabClientWnd::CWorkspace* CZPTabClientWnd::AddGroup(int nIndex)
{
    CWorkspace* pGroup = new CWorkspace(this);
    if (nIndex < 0 || nIndex > GetGroupCount())
        nIndex = GetGroupCount();
    m_arrGroups.InsertAt(nIndex, pGroup);
    pGroup->SetActive(FALSE);
    return pGroup;
}

void CZPTabClientWnd::AddGroupControl(CWorkspace* pGroup)
{
    for (INT_PTR i = 0; i < m_arrGroupControls.GetSize(); i++)
        if (m_arrGroupControls[i] == pGroup)
            return;
    m_arrGroupControls.Add(pGroup);
}

void CZPTabClientWnd::RemoveGroupControl(CWorkspace* pGroup)
{
    for (INT_PTR i = m_arrGroupControls.GetSize() - 1; i >= 0; i--)
        if (m_arrGroupControls[i] == pGroup)
            m_arrGroupControls.RemoveAt(i);
    if (m_pActiveGroup == pGroup)
        m_pActiveGroup = NULL;
}

void CZPTabClientWnd::SetActiveGroup(CWorkspace* pGroup)
{
    if (pGroup == m_pActiveGroup)
        return;
    BOOL bWasLocked = m_bLocked;
    m_bLocked = TRUE;
    if (m_pActiveGroup != NULL)
        m_pActiveGroup->SetActive(FALSE);
    m_pActiveGroup = pGroup;
    if (pGroup != NULL)
        pGroup->SetActive(TRUE);
    m_bLocked = bWasLocked;
    if (!m_bLocked && m_bLayoutPending)
        RepositionGroups();
}

void CZPTabClientWnd::RemoveEmptyGroups()
{
    if (m_nBusy != 0)
        return;
    for (int i = GetGroupCount() - 1; i >= 0 && GetGroupCount() > 1; i--) {
        CWorkspace* pGroup = m_arrGroups[i];
        if (pGroup->GetItemCount() != 0)
            continue;
        m_arrGroups.RemoveAt(i);
        if (m_pActiveGroup == pGroup)
            m_pActiveGroup = NULL;
        // Its share of the room goes to its neighbour.
        CWorkspace* pNeighbour = m_arrGroups[i > 0 ? i - 1 : 0];
        pNeighbour->m_dSize += pGroup->m_dSize + m_nSplitterWidth;
        delete pGroup;
    }
}

void CZPTabClientWnd::SelectTopChild(CWorkspace* pGroup)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CZPTabManagerItem* pItem = pGroup->FindItem(hChild);
        if (pItem != NULL) {
            pGroup->SetSelectedItem(pItem);
            return;
        }
    }
}

void CZPTabClientWnd::Refresh(BOOL bRecalcFrame)
{
    if (m_pFrame == NULL || m_hWnd == NULL || m_bRefreshing)
        return;
    m_bRefreshing = TRUE;
    BOOL bWasLocked = m_bLocked;
    m_bLocked = TRUE;
    // Tabs of children that went.
    for (int g = 0; g < GetGroupCount(); g++) {
        CWorkspace* pGroup = m_arrGroups[g];
        for (int i = pGroup->GetItemCount() - 1; i >= 0; i--) {
            HWND hChild = pGroup->GetItem(i)->GetHandle();
            if (!::IsWindow(hChild) || ::GetParent(hChild) != m_hWnd)
                pGroup->DeleteItem(i);
        }
    }
    // Tabs for new children, in the active group; captions from the children.
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!IsMDIChild(hChild))
            continue;
        CZPTabManagerItem* pItem = NULL;
        if (FindGroup(hChild, &pItem) == NULL) {
            CWorkspace* pTarget = m_pActiveGroup != NULL ? m_pActiveGroup : GetGroup(0);
            if (pTarget == NULL)
                pTarget = AddGroup(0);
            pItem = pTarget->AddItem(-1);
            pItem->SetHandle(hChild);
        }
        CString strCaption;
        ZpGetWindowTextDirect(hChild, strCaption);
        pItem->SetCaption(strCaption);
    }
    if (GetGroupCount() == 0)
        AddGroup(0);
    RemoveEmptyGroups();

    HWND hActive = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, WM_MDIGETACTIVE, 0, 0));
    CZPTabManagerItem* pActiveItem = NULL;
    CWorkspace* pActiveGroup = FindGroup(hActive, &pActiveItem);
    for (int g = 0; g < GetGroupCount(); g++) {
        CWorkspace* pGroup = m_arrGroups[g];
        if (pGroup == pActiveGroup)
            pGroup->SetSelectedItem(pActiveItem);
        else if (pGroup->GetSelectedItem() == NULL)
            SelectTopChild(pGroup);
    }
    SetActiveGroup(pActiveGroup != NULL ? pActiveGroup : (m_pActiveGroup != NULL ? m_pActiveGroup : GetGroup(0)));
    m_bLocked = bWasLocked;
    RepositionGroups();

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    for (int g = 0; g < GetGroupCount(); g++)
        m_arrGroups[g]->UpdateHotTracking(this, ptCursor);
    Invalidate(FALSE);
    if (bRecalcFrame && m_bGroupsEnabled) {
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
    }
    m_bRefreshing = FALSE;
}

void CZPTabClientWnd::RepositionGroups()
{
    if (m_hWnd == NULL)
        return;
    if (m_bLocked) {
        m_bLayoutPending = TRUE;
        return;
    }
    m_bLayoutPending = FALSE;
    CRect rcClient;
    CWnd::GetClientRect(&rcClient);
    int nGroups = GetGroupCount();
    if (nGroups == 0)
        return;
    double dTotal = 0;
    for (int g = 0; g < nGroups; g++)
        dTotal += m_arrGroups[g]->m_dSize > 0 ? m_arrGroups[g]->m_dSize : 0;
    int nStart = m_bHorizontalGroups ? rcClient.top : rcClient.left;
    int nEnd = m_bHorizontalGroups ? rcClient.bottom : rcClient.right;
    int nRoom = nEnd - nStart - (nGroups - 1) * m_nSplitterWidth;
    if (nRoom < 0)
        nRoom = 0;
    HDC hDC = ::GetDC(m_hWnd);
    CDC dc(hDC);
    int nPos = nStart;
    for (int g = 0; g < nGroups; g++) {
        CWorkspace* pGroup = m_arrGroups[g];
        double dShare = dTotal > 0 ? (pGroup->m_dSize > 0 ? pGroup->m_dSize : 0) / dTotal : 1.0 / nGroups;
        int nExtent = g == nGroups - 1 ? nEnd - nPos : static_cast<int>(nRoom * dShare + 0.5);
        if (nExtent < 0)
            nExtent = 0;
        CRect rc = m_bHorizontalGroups ? CRect(rcClient.left, nPos, rcClient.right, nPos + nExtent)
                                       : CRect(nPos, rcClient.top, nPos + nExtent, rcClient.bottom);
        m_pPaintManager->RepositionTabControl(pGroup, &dc, rc);
        const CRect& rcPage = pGroup->GetClientRect();
        for (int i = 0; i < pGroup->GetItemCount(); i++) {
            HWND hChild = pGroup->GetItem(i)->GetHandle();
            if (::IsWindow(hChild) && !::IsZoomed(hChild) && !::IsIconic(hChild))
                ::SetWindowPos(hChild, NULL, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
        }
        nPos += nExtent + m_nSplitterWidth;
    }
    dc.Detach();
    ::ReleaseDC(m_hWnd, hDC);
    Invalidate(FALSE);
}

CZPTabClientWnd::CWorkspace* CZPTabClientWnd::GroupFromPoint(CPoint point) const
{
    for (int g = 0; g < GetGroupCount(); g++)
        if (m_arrGroups[g]->GetControlRect().PtInRect(point))
            return m_arrGroups[g];
    return NULL;
}

int CZPTabClientWnd::ComputeDropTarget(CPoint point, const CWorkspace* pSource, CWorkspace** ppTarget,
                                       CRect* pIndicator) const
{
    *ppTarget = NULL;
    pIndicator->SetRectEmpty();
    CRect rcClient;
    CWnd::GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        return zpTabDropNone;
    int nGroups = GetGroupCount();
    for (int g = 0; g < nGroups; g++) {
        CWorkspace* pGroup = m_arrGroups[g];
        if (pGroup->GetHeaderRect().PtInRect(point)) {
            *ppTarget = pGroup;
            *pIndicator = pGroup->GetClientRect();
            return zpTabDropGroup;
        }
        if (pGroup == pSource && pSource->GetItemCount() <= 1)
            continue;
        const CRect& rc = pGroup->GetControlRect();
        // A split needs more room than the splitter takes.
        if ((nGroups == 1 || m_bHorizontalGroups) && rc.bottom - point.y > 0 && rc.bottom - point.y < kSplitZone &&
            rc.Height() > m_nSplitterWidth) {
            *ppTarget = pGroup;
            pIndicator->SetRect(rc.left, rc.top + rc.Height() / 2, rc.right, rc.bottom);
            return zpTabDropNewHorizontal;
        }
        if ((nGroups == 1 || !m_bHorizontalGroups) && rc.right - point.x > 0 && rc.right - point.x < kSplitZone &&
            rc.Width() > m_nSplitterWidth) {
            *ppTarget = pGroup;
            pIndicator->SetRect(rc.left + rc.Width() / 2, rc.top, rc.right, rc.bottom);
            return zpTabDropNewVertical;
        }
    }
    return zpTabDropMenu;
}

CZPTabClientWnd::CWorkspace* CZPTabClientWnd::GroupOfItem(const CZPTabManagerItem* pItem) const
{
    if (pItem == NULL)
        return NULL;
    // By the item itself: a group control may hold a tab for the same child as a group here.
    for (const CArray<CWorkspace*, CWorkspace*>* pList : { &m_arrGroups, &m_arrGroupControls })
        for (INT_PTR i = 0; i < pList->GetSize(); i++)
            if ((*pList)[i]->GetItem(pItem->GetIndex()) == pItem)
                return (*pList)[i];
    return NULL;
}

BOOL CZPTabClientWnd::MoveItem(CZPTabManagerItem* pItem, CWorkspace* pTarget, int nMode)
{
    CWorkspace* pSource = GroupOfItem(pItem);
    if (pSource == NULL || pTarget == NULL)
        return FALSE;
    if (nMode == zpTabDropGroup && pTarget == pSource) {
        pSource->SetSelectedItem(pItem);
        return TRUE;
    }
    BOOL bSplit = nMode == zpTabDropNewHorizontal || nMode == zpTabDropNewVertical;
    if (!bSplit && nMode != zpTabDropGroup)
        return FALSE;
    if (bSplit) {
        if (pTarget == pSource && pSource->GetItemCount() < 2)
            return FALSE;
        BOOL bWasHorizontal = m_bHorizontalGroups;
        for (int g = 0; g < GetGroupCount(); g++) {
            const CRect& rc = m_arrGroups[g]->GetControlRect();
            m_arrGroups[g]->m_dSize = bWasHorizontal ? rc.Height() : rc.Width();
        }
        int nTarget = 0;
        while (nTarget < GetGroupCount() && m_arrGroups[nTarget] != pTarget)
            nTarget++;
        // Only the client's own groups split.
        if (nTarget == GetGroupCount() || pTarget->m_dSize <= m_nSplitterWidth)
            return FALSE;
        CWorkspace* pNew = AddGroup(nTarget + 1);
        pNew->m_dSize = (pTarget->m_dSize - m_nSplitterWidth) * 0.5;
        pTarget->m_dSize = pTarget->m_dSize - pNew->m_dSize - m_nSplitterWidth;
        m_bHorizontalGroups = nMode == zpTabDropNewHorizontal;
        pTarget = pNew;
    }
    // The item keeps its data (colour included); the target takes over the reference added here.
    COLORREF clrItem = pItem->GetColorValue();
    pItem->InternalAddRef();
    pSource->DeleteItem(pItem->GetIndex());
    pTarget->AddItem(-1, pItem);
    pItem->SetColor(clrItem);
    pTarget->SetSelectedItem(pItem);
    SetActiveGroup(pTarget);
    if (pSource->GetItemCount() > 1)
        SelectTopChild(pSource);
    Refresh();
    return TRUE;
}

BOOL CZPTabClientWnd::IsGroupCommandEnabled(UINT nID, CZPTabManagerItem** ppItem) const
{
    if (!m_bGroupsEnabled || m_hWnd == NULL)
        return FALSE;
    HWND hActive = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, WM_MDIGETACTIVE, 0, 0));
    CZPTabManagerItem* pItem = NULL;
    CWorkspace* pGroup = FindGroup(hActive, &pItem);
    if (pGroup == NULL)
        return FALSE;
    if (ppItem != NULL)
        *ppItem = pItem;
    int nGroups = GetGroupCount(), nIndex = 0;
    while (m_arrGroups[nIndex] != pGroup)
        nIndex++;
    switch (nID) {
    case ZP_ID_TABGROUP_MOVEPREVIOUS:
        return nIndex > 0;
    case ZP_ID_TABGROUP_MOVENEXT:
        return nIndex < nGroups - 1;
    case ZP_ID_TABGROUP_NEWHORIZONTAL:
        return (nGroups == 1 || m_bHorizontalGroups) && pGroup->GetItemCount() > 1;
    case ZP_ID_TABGROUP_NEWVERTICAL:
        return (nGroups == 1 || !m_bHorizontalGroups) && pGroup->GetItemCount() > 1;
    default:
        return TRUE;
    }
}

BOOL CZPTabClientWnd::ExecuteGroupCommand(UINT nID)
{
    CZPTabManagerItem* pItem = NULL;
    if (!IsGroupCommandEnabled(nID, &pItem))
        return FALSE;
    CWorkspace* pGroup = FindGroup(pItem->GetHandle());
    int nIndex = 0;
    while (m_arrGroups[nIndex] != pGroup)
        nIndex++;
    switch (nID) {
    case ZP_ID_TABGROUP_MOVEPREVIOUS:
        return MoveItem(pItem, m_arrGroups[nIndex - 1], zpTabDropGroup);
    case ZP_ID_TABGROUP_MOVENEXT:
        return MoveItem(pItem, m_arrGroups[nIndex + 1], zpTabDropGroup);
    case ZP_ID_TABGROUP_NEWHORIZONTAL:
        return MoveItem(pItem, pGroup, zpTabDropNewHorizontal);
    case ZP_ID_TABGROUP_NEWVERTICAL:
        return MoveItem(pItem, pGroup, zpTabDropNewVertical);
    default:
        return TRUE;
    }
}

void CZPTabClientWnd::TrackGroupMenu(CPoint ptScreen)
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return;
    for (UINT nID : kMenuCommands)
        if (IsGroupCommandEnabled(nID))
            ::AppendMenuW(hMenu, MF_STRING, nID, CommandCaption(nID));
    if (::GetMenuItemCount(hMenu) > 0)
        ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuW(hMenu, MF_STRING, ZP_ID_TABGROUP_CANCEL, CommandCaption(ZP_ID_TABGROUP_CANCEL));
    HWND hOwner = m_pFrame != NULL ? m_pFrame->m_hWnd : m_hWnd;
    UINT nCommand = static_cast<UINT>(::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                                       ptScreen.x, ptScreen.y, 0, hOwner, NULL));
    ::DestroyMenu(hMenu);
    if (nCommand != 0 && nCommand != ZP_ID_TABGROUP_CANCEL)
        ExecuteGroupCommand(nCommand);
}

HICON CZPTabClientWnd::GetItemIcon(const CZPTabManagerItem* pItem) const
{
    HWND hChild = pItem->GetHandle();
    if (!::IsWindow(hChild))
        return NULL;
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(hChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hChild, GCLP_HICONSM));
    return hIcon;
}

CString CZPTabClientWnd::GetItemTooltip(const CZPTabManagerItem* pItem) const
{
    return pItem->GetCaption();
}

BOOL CZPTabClientWnd::CanSelectItem(CZPTabManagerItem* pItem) const
{
    return pItem != NULL && ::IsWindow(pItem->GetHandle()) && ::IsWindowEnabled(pItem->GetHandle());
}

COLORREF CZPTabClientWnd::GetItemColor(const CZPTabManagerItem* /*pItem*/) const
{
    return ZP_COLOR_UNSET;
}

LRESULT CZPTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_MOUSELEAVE:
        OnMouseMove(CPoint(-1, -1));
        return 0;
    case WM_IDLEUPDATECMDUI:
        Refresh();
        return 0;
    default:
        break;
    }
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        RepositionGroups();
        break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
    case WM_MDIRESTORE:
    case WM_PARENTNOTIFY:
        Refresh();
        break;
    case WM_NCDESTROY:
        Detach();
        break;
    default:
        break;
    }
    return lResult;
}

void CZPTabClientWnd::OnPaint()
{
    CPaintDC dc(this);
    CZPBufferDC buffer(dc);
    CRect rcClient;
    CWnd::GetClientRect(&rcClient);
    buffer.FillSolidRect(rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    for (int g = 0; g < GetGroupCount(); g++)
        m_pPaintManager->DrawTabControl(m_arrGroups[g], &buffer, m_arrGroups[g]->GetControlRect());
}

void CZPTabClientWnd::OnLButtonDown(CPoint point)
{
    CWorkspace* pGroup = GroupFromPoint(point);
    if (pGroup != NULL)
        pGroup->HandleMouseDown(this, point);
}

void CZPTabClientWnd::OnMouseMove(CPoint point)
{
    for (int g = 0; g < GetGroupCount(); g++)
        m_arrGroups[g]->UpdateHotTracking(this, point);
}
