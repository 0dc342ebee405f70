// Dock bars: rows of toolbars along one edge of the site frame, and their layout.
#include "commandbars/ZPDockBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPDockContext.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPToolBar.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CZPDockBar, CWnd)

const wchar_t kZpDockBarClass[] = L"ZPDockBar";

namespace {
// The length a stretched dock bar asks for before the frame clamps it.
const int kStretchedLength = 32767;
// Side-style bits that tell the side: top, bottom, left (anything else is right).
const DWORD kSideTop = 0x2800;
const DWORD kSideBottom = 0x8200;
const DWORD kSideLeft = 0x1400;
// Side-style bits of a floating dock bar, laid out at its most recently used width.
const DWORD kFloatingDockBits = 0x4 | 0x1;
// Names of the dock-bar windows by side.
const wchar_t* const kDockBarNames[4] = { L"zpBarTop", L"zpBarBottom", L"zpBarLeft", L"zpBarRight" };

BOOL RegisterDockBarClass()
{
    WNDCLASSW wc = {};
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoW(hInstance, kZpDockBarClass, &wc))
        return TRUE;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
    wc.lpszClassName = kZpDockBarClass;
    return AfxRegisterClass(&wc);
}

// A window's rectangle in the client coordinates of another.
CRect RectIn(HWND hWnd, HWND hWndParent)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int MaxOf(int a, int b)
{
    return a > b ? a : b;
}

int MinOf(int a, int b)
{
    return a < b ? a : b;
}
}  // namespace

CZPDockBar::CZPDockBar() : m_dwBarStyle(0), m_pCommandBars(NULL)
{
    m_arrBars.Add(NULL);
}

CZPDockBar::~CZPDockBar()
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != NULL)
            m_arrBars[i]->SetDockBar(NULL);
    }
}

BOOL CZPDockBar::CreateDockBar(CWnd* pSite, DWORD dwBarStyle, UINT nId)
{
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL || !RegisterDockBarClass())
        return FALSE;
    m_dwBarStyle = dwBarStyle;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateEx(0, kZpDockBarClass, kDockBarNames[GetPosition()], dwStyle, 0, 0, 0, 0, pSite->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)));
}

int CZPDockBar::GetPosition() const
{
    if ((m_dwBarStyle & kSideTop) != 0)
        return zpBarTop;
    if ((m_dwBarStyle & kSideBottom) != 0)
        return zpBarBottom;
    if ((m_dwBarStyle & kSideLeft) != 0)
        return zpBarLeft;
    return zpBarRight;
}

BOOL CZPDockBar::IsHorizontal() const
{
    return (m_dwBarStyle & (ZP_CBRS_ALIGN_TOP | ZP_CBRS_ALIGN_BOTTOM)) != 0;
}

int CZPDockBar::FindBar(const CZPToolBar* pBar, int nSkip) const
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nSkip && m_arrBars[i] == pBar && pBar != NULL)
            return i;
    }
    return -1;
}

int CZPDockBar::GetRowCount() const
{
    int nRows = 0;
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] == NULL && m_arrBars[i - 1] != NULL)
            ++nRows;
    }
    return nRows;
}

void CZPDockBar::RelayoutSite(BOOL bDelay)
{
    if (m_pCommandBars != NULL)
        m_pCommandBars->RelayoutSite(bDelay);
}

// Docking and removing -------------------------------------------------------------------------

void CZPDockBar::DockBar(CZPToolBar* pBar, const RECT* pRect)
{
    if (pBar == NULL)
        return;
    if (pBar->GetDockBar() == this) {
        if (pRect == NULL)
            return;
        CRect rcWindow;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rcWindow);
        if (rcWindow == *pRect)
            return;
    }
    const BOOL bHorizontal = IsHorizontal();
    int nInsert = -1;
    if (pRect != NULL) {
        CRect rc(*pRect);
        ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        if (pBar->GetDockContext() != NULL)
            pBar->GetDockContext()->SetDockedRect(rc);
        const int nCentre = bHorizontal ? rc.CenterPoint().y : rc.CenterPoint().x;
        int nPrevEdge = 0;
        BOOL bFirstRow = TRUE;
        BOOL bSkipFirst = m_pCommandBars != NULL && GetPosition() == zpBarTop && m_arrBars.GetSize() > 1 &&
                          m_arrBars[1] != NULL && m_arrBars[1]->IsRibbonBar();
        for (int nStart = 1; nStart < m_arrBars.GetSize() && nInsert == -1;) {
            int nEnd = nStart;
            int nExtent = -1;
            for (; nEnd < m_arrBars.GetSize() && m_arrBars[nEnd] != NULL; ++nEnd) {
                CZPToolBar* pRowBar = m_arrBars[nEnd];
                if (!pRowBar->IsBarVisible() || pRowBar->GetSafeHwnd() == NULL)
                    continue;
                const CRect rcBar = RectIn(pRowBar->GetSafeHwnd(), m_hWnd);
                nExtent = MaxOf(nExtent, bHorizontal ? rcBar.bottom : rcBar.right);
            }
            if (nExtent >= 0 && !bSkipFirst) {
                if ((bFirstRow && nCentre < 0) || (!bFirstRow && nCentre == nPrevEdge)) {
                    m_arrBars.InsertAt(nStart, static_cast<CZPToolBar*>(NULL));
                    nInsert = nStart;
                } else if (nExtent > nCentre) {
                    nInsert = nStart;
                }
                bFirstRow = FALSE;
                nPrevEdge = nExtent;
            }
            if (nExtent >= 0)
                bSkipFirst = FALSE;
            nStart = nEnd + 1;
        }
        if (nInsert != -1)
            m_arrBars.InsertAt(nInsert, pBar);
    }
    if (nInsert == -1) {
        if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != NULL)
            m_arrBars.Add(NULL);
        nInsert = static_cast<int>(m_arrBars.Add(pBar));
        m_arrBars.Add(NULL);
        if (pRect == NULL && pBar->GetDockContext() != NULL)
            pBar->GetDockContext()->SetDockedRect(CRect(0, 0, 0, 0));
    }
    if (pBar->GetSafeHwnd() != NULL && ::GetParent(pBar->GetSafeHwnd()) != m_hWnd)
        ::SetParent(pBar->GetSafeHwnd(), m_hWnd);
    CZPDockBar* pOld = pBar->GetDockBar();
    if (pOld != NULL && pOld != this)
        pOld->RemoveBar(pBar, -1, FALSE);
    else
        RemoveBar(pBar, nInsert, FALSE);
    pBar->SetDockBar(this);
    NormalizeRows();
    RelayoutSite(TRUE);
}

void CZPDockBar::InsertEntry(int nIndex, CZPToolBar* pBar)
{
    if (pBar != NULL) {
        if (pBar->GetDockBar() != NULL)
            pBar->GetDockBar()->RemoveBar(pBar, -1, FALSE);
        pBar->SetDockBar(this);
    }
    nIndex = nIndex < 0 ? 0 : (nIndex > m_arrBars.GetSize() ? static_cast<int>(m_arrBars.GetSize()) : nIndex);
    m_arrBars.InsertAt(nIndex, pBar);
}

void CZPDockBar::EndInsertEntries()
{
    if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != NULL)
        m_arrBars.Add(NULL);
    NormalizeRows();
    RelayoutSite(TRUE);
}

void CZPDockBar::RemoveBar(CZPToolBar* pBar, int nSkip, BOOL bRelayout)
{
    const int nIndex = FindBar(pBar, nSkip);
    if (nIndex > 0) {
        m_arrBars.RemoveAt(nIndex);
        if (m_arrBars[nIndex - 1] == NULL && nIndex < m_arrBars.GetSize() && m_arrBars[nIndex] == NULL)
            m_arrBars.RemoveAt(nIndex);
    }
    if (pBar != NULL && pBar->GetDockBar() == this)
        pBar->SetDockBar(NULL);
    if (bRelayout)
        RelayoutSite(TRUE);
}

void CZPDockBar::NormalizeRows()
{
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        CZPToolBar* pBar = m_arrBars[i];
        if (pBar == NULL || (pBar->GetFlags() & ZP_BAR_FLAG_STRETCHED) == 0)
            continue;
        if (m_arrBars[i - 1] != NULL)
            m_arrBars.InsertAt(i++, static_cast<CZPToolBar*>(NULL));
        if (i + 1 >= m_arrBars.GetSize() || m_arrBars[i + 1] != NULL)
            m_arrBars.InsertAt(i + 1, static_cast<CZPToolBar*>(NULL));
    }
    for (int i = m_arrBars.GetSize() - 1; i > 0; --i) {
        if (m_arrBars[i] == NULL && m_arrBars[i - 1] == NULL)
            m_arrBars.RemoveAt(i);
    }
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != NULL)
        m_arrBars.InsertAt(0, static_cast<CZPToolBar*>(NULL));
}

void CZPDockBar::GetRowBars(int nIndex, CArray<CZPToolBar*, CZPToolBar*>& arrRow) const
{
    arrRow.RemoveAll();
    if (nIndex < 0 || nIndex >= m_arrBars.GetSize())
        return;
    int nStart = nIndex;
    while (nStart > 0 && m_arrBars[nStart - 1] != NULL)
        --nStart;
    std::vector<std::pair<int, CZPToolBar*>> bars;
    const BOOL bHorizontal = IsHorizontal();
    for (int i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
        CZPToolBar* pBar = m_arrBars[i];
        if (!pBar->IsBarVisible())
            continue;
        int nAlong = 0;
        if (pBar->GetSafeHwnd() != NULL) {
            const CRect rc = RectIn(pBar->GetSafeHwnd(), m_hWnd);
            nAlong = bHorizontal ? rc.left : rc.top;
        }
        bars.emplace_back(nAlong, pBar);
    }
    std::stable_sort(
        bars.begin(), bars.end(),
        [](const std::pair<int, CZPToolBar*>& a, const std::pair<int, CZPToolBar*>& b) { return a.first < b.first; });
    for (const auto& entry : bars)
        arrRow.Add(entry.second);
}

// Layout ---------------------------------------------------------------------------------------

CSize CZPDockBar::CalcRowsLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout)
{
    const BOOL bHorizontal = IsHorizontal();
    CSize size(0, 0);
    if ((dwMode & ZP_LM_STRETCH) != 0)
        size = bHorizontal ? CSize(kStretchedLength, 0) : CSize(0, kStretchedLength);
    AFX_SIZEPARENTPARAMS inner = {};
    AFX_SIZEPARENTPARAMS* pInner = NULL;
    if (pLayout != NULL && pLayout->hDWP != NULL) {
        inner = *pLayout;
        inner.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
        pInner = &inner;
    }
    int nOffset = 0;
    CArray<CZPToolBar*, CZPToolBar*> arrRow;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CZPToolBar* pBar = m_arrBars[i];
        if (pBar != NULL) {
            if (pBar->IsBarVisible())
                arrRow.Add(pBar);
            continue;
        }
        if (arrRow.GetSize() == 0)
            continue;
        const int nThickness = LayoutRowGroup(arrRow, nOffset, nLength, bHorizontal, pInner);
        arrRow.RemoveAll();
        if (nThickness > 0)
            nOffset += nThickness;
    }
    if (bHorizontal)
        size.cy = MaxOf(size.cy, nOffset);
    else
        size.cx = MaxOf(size.cx, nOffset);
    if (pInner != NULL && inner.hDWP != NULL)
        ::EndDeferWindowPos(inner.hDWP);
    return size;
}

int CZPDockBar::LayoutRowGroup(CArray<CZPToolBar*, CZPToolBar*>& arrRow, int nOffset, int nLength, BOOL bHorizontal,
                               AFX_SIZEPARENTPARAMS* pLayout)
{
    int nTotal = 0;
    CArray<CZPToolBar*, CZPToolBar*> arrCurrent;
    arrCurrent.Copy(arrRow);
    while (arrCurrent.GetSize() > 0) {
        CArray<CZPToolBar*, CZPToolBar*> arrSpill;
        int nThickness = -1;
        while (nThickness < 0 && arrCurrent.GetSize() > 0) {
            CZPToolBar* pOverflow = NULL;
            const int nAcross = nOffset + nTotal;
            nThickness = LayoutRow(arrCurrent, bHorizontal ? 0 : nAcross, bHorizontal ? nAcross : 0, nLength,
                                   bHorizontal, pLayout, &pOverflow);
            if (nThickness >= 0)
                break;
            for (int i = 0; i < arrCurrent.GetSize(); ++i) {
                if (arrCurrent[i] == pOverflow) {
                    arrCurrent.RemoveAt(i);
                    break;
                }
            }
            arrSpill.InsertAt(0, pOverflow);
        }
        if (nThickness > 0)
            nTotal += nThickness;
        arrCurrent.Copy(arrSpill);
    }
    return nTotal;
}

int CZPDockBar::LayoutRow(CArray<CZPToolBar*, CZPToolBar*>& arrRow, int x, int y, int nLength, BOOL bHorizontal,
                          AFX_SIZEPARENTPARAMS* pLayout, CZPToolBar** ppOverflow)
{
    const int nCount = static_cast<int>(arrRow.GetSize());
    // Entries are kept along the row: left/right along it, top/bottom across it.
    const int nAcrossStart = bHorizontal ? y : x;
    std::vector<DOCK_INFO> infos(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        DOCK_INFO& info = infos[static_cast<size_t>(i)];
        info.pBar = arrRow[i];
        const DWORD dwMode = info.pBar->GetDockedMode(bHorizontal);
        const CSize size = info.pBar->CalcDockedSize(nLength, dwMode, 0);
        const int nAlongSize = bHorizontal ? size.cx : size.cy;
        const int nAcrossSize = bHorizontal ? size.cy : size.cx;
        int nPreferred = 0;
        if (CZPDockContext* pContext = info.pBar->GetDockContext())
            nPreferred = bHorizontal ? pContext->GetDockedRect().left : pContext->GetDockedRect().top;
        info.rc.SetRect(nPreferred, nAcrossStart, nPreferred + nAlongSize, nAcrossStart + nAcrossSize);
        info.rcPreferred = info.rc;
        info.nIndex = i;
        info.nMinLength = 0;
        info.nTotalMinLength = 0;
    }
    std::stable_sort(infos.begin(), infos.end(),
                     [](const DOCK_INFO& a, const DOCK_INFO& b) { return a.rc.left < b.rc.left; });

    // Left to right: a later bar (in row order) that overlaps is pushed right.
    int nPrevEdge = 0;
    int nPrevIndex = -1;
    BOOL bPushed = TRUE;
    for (DOCK_INFO& info : infos) {
        if (info.rc.left < nPrevEdge) {
            if (info.nIndex > nPrevIndex || bPushed) {
                info.rc.OffsetRect(nPrevEdge - info.rc.left, 0);
                bPushed = TRUE;
            } else {
                bPushed = FALSE;
            }
        } else {
            bPushed = FALSE;
        }
        nPrevEdge = info.rc.right;
        nPrevIndex = info.nIndex;
    }
    // Right to left: nothing past the row's end.
    nPrevEdge = nLength;
    nPrevIndex = -1;
    bPushed = TRUE;
    for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
        DOCK_INFO& info = *it;
        if (info.rc.right > nPrevEdge) {
            if (info.nIndex > nPrevIndex || bPushed) {
                info.rc.OffsetRect(nPrevEdge - info.rc.right, 0);
                bPushed = TRUE;
            } else {
                bPushed = FALSE;
            }
        } else {
            bPushed = FALSE;
        }
        nPrevEdge = info.rc.left;
        nPrevIndex = info.nIndex;
    }
    // Left to right again: no overlap, nothing before 0.
    nPrevEdge = 0;
    for (DOCK_INFO& info : infos) {
        if (info.rc.left < nPrevEdge)
            info.rc.OffsetRect(nPrevEdge - info.rc.left, 0);
        nPrevEdge = info.rc.right;
    }
    // Too long: squeeze from the far end down to each bar's minimum, else overflow.
    if (nCount > 0 && infos.back().rc.right > nLength) {
        int nSum = 0;
        for (DOCK_INFO& info : infos) {
            const DWORD dwMode = info.pBar->GetDockedMode(bHorizontal);
            if ((dwMode & ZP_LM_HIDEWRAP) != 0) {
                const CSize szMin = info.pBar->CalcDockedSize(1, dwMode, 0);
                info.nMinLength = bHorizontal ? szMin.cx : szMin.cy;
            } else {
                info.nMinLength = nLength;
            }
            info.nTotalMinLength = nSum;
            nSum += info.nMinLength;
        }
        int c = nLength;
        for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
            DOCK_INFO& info = *it;
            int nLeft =
                MaxOf(MaxOf(MinOf(info.rcPreferred.left, info.rc.left), c - info.rc.Width()), info.nTotalMinLength);
            if (c - nLeft < info.nMinLength)
                nLeft = c - info.nMinLength;
            if ((c - nLeft < info.nMinLength || nLeft < info.nTotalMinLength) && nCount > 1) {
                if (ppOverflow != NULL)
                    *ppOverflow = infos.back().pBar;
                return -1;
            }
            info.rc.left = MaxOf(nLeft, 0);
            info.rc.right = c;
            c = info.rc.left;
        }
    }
    // Thickness: the thickest bar at its assigned length.
    int nThickness = 0;
    for (DOCK_INFO& info : infos) {
        const DWORD dwMode = info.pBar->GetDockedMode(bHorizontal);
        const CSize size = info.pBar->CalcDockedSize(info.rc.Width(), dwMode, 0);
        nThickness = MaxOf(nThickness, bHorizontal ? size.cy : size.cx);
    }
    if (pLayout == NULL || pLayout->hDWP == NULL)
        return nThickness;
    const int nSide = GetPosition();
    for (size_t i = 0; i < infos.size(); ++i) {
        DOCK_INFO& info = infos[i];
        CZPToolBar* pBar = info.pBar;
        DWORD dwMode = pBar->GetDockedMode(bHorizontal) | ZP_LM_COMMIT;
        if ((pBar->GetFlags() & ZP_BAR_FLAG_FILL_ROW_GAPS) != 0) {
            info.rc.right = i + 1 < infos.size() ? infos[i + 1].rc.left : nLength;
            const int nNear = i > 0 ? infos[i - 1].rc.right : 0;
            if (nNear < info.rc.left)
                info.rc.left = nNear;
            dwMode |= ZP_LM_STRETCH;
        }
        const CSize size = pBar->CalcDockedSize(info.rc.Width(), dwMode, nThickness);
        CRect rcBar = bHorizontal ? CRect(info.rc.left, info.rc.top, info.rc.left + size.cx, info.rc.top + size.cy)
                                  : CRect(info.rc.top, info.rc.left, info.rc.top + size.cx, info.rc.left + size.cy);
        if (CZPDockContext* pContext = pBar->GetDockContext())
            pContext->SetDockSide(nSide);
        if (pBar->GetSafeHwnd() != NULL && RectIn(pBar->GetSafeHwnd(), m_hWnd) != rcBar) {
            AfxRepositionWindow(pLayout, pBar->GetSafeHwnd(), &rcBar);
            pBar->RepaintArea(NULL, FALSE);
        }
    }
    return nThickness;
}

LRESULT CZPDockBar::OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout)
{
    if (pLayout == NULL || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    const BOOL bHorizontal = IsHorizontal();
    DWORD dwMode = bHorizontal ? (ZP_LM_HORZ | ZP_LM_HORZDOCK) : ZP_LM_VERTDOCK;
    if ((m_dwBarStyle & kFloatingDockBits) == kFloatingDockBits)
        dwMode = ZP_LM_HORZ | ZP_LM_MRUWIDTH;
    if (pLayout->bStretch)
        dwMode |= ZP_LM_STRETCH;
    const CRect rcLayout(pLayout->rect);
    CSize size = CalcRowsLayout(bHorizontal ? rcLayout.Width() : rcLayout.Height(), dwMode, pLayout);
    size.cx = MinOf(size.cx, rcLayout.Width());
    size.cy = MinOf(size.cy, rcLayout.Height());
    CRect rcBar;
    switch (GetPosition()) {
    case zpBarTop:
        rcBar.SetRect(rcLayout.left, rcLayout.top, rcLayout.left + size.cx, rcLayout.top + size.cy);
        pLayout->rect.top += size.cy;
        break;
    case zpBarBottom:
        rcBar.SetRect(rcLayout.left, rcLayout.bottom - size.cy, rcLayout.left + size.cx, rcLayout.bottom);
        pLayout->rect.bottom -= size.cy;
        break;
    case zpBarLeft:
        rcBar.SetRect(rcLayout.left, rcLayout.top, rcLayout.left + size.cx, rcLayout.top + size.cy);
        pLayout->rect.left += size.cx;
        break;
    default:
        rcBar.SetRect(rcLayout.right - size.cx, rcLayout.top, rcLayout.right, rcLayout.top + size.cy);
        pLayout->rect.right -= size.cx;
        break;
    }
    if (bHorizontal) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = MaxOf(pLayout->sizeTotal.cx, size.cx);
    } else {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = MaxOf(pLayout->sizeTotal.cy, size.cy);
    }
    if (pLayout->hDWP != NULL)
        AfxRepositionWindow(pLayout, m_hWnd, &rcBar);
    ::InvalidateRect(m_hWnd, NULL, FALSE);
    return 0;
}

void CZPDockBar::Paint(CDC* pDC)
{
    CZPPaintManager* pPaintManager = m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : NULL;
    if (pPaintManager == NULL)
        pPaintManager = ZpGetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->FillDockArea(pDC, this);
}

LRESULT CZPDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZEPARENT:
        return OnSizeParent(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(&dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    case WM_RBUTTONDOWN:
        if (m_pCommandBars != NULL) {
            CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            ::ClientToScreen(m_hWnd, &pt);
            m_pCommandBars->ShowToolbarsContextMenu(NULL, pt);
        }
        return 0;
    case WM_NCHITTEST:
        if (GetPosition() == zpBarTop && m_arrBars.GetSize() > 1 && m_arrBars[1] != NULL &&
            m_arrBars[1]->GetType() == zpBarTypeMenuBar && m_arrBars[1]->IsRibbonBar())
            return HTTRANSPARENT;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
