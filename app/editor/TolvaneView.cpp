// The main view: the tab control, its editor tab, and the document's way to the editor.
#include "editor/TolvaneView.h"

#include "editor/XmlView.h"

#include <framework/frame.h>
#include <framework/gdi.h>
#include <tabmanager/ZPTabManagerItem.h>
#include <tabmanager/ZPTabPaintManager.h>

#include <common/ZPImageManager.h>

IMPLEMENT_DYNCREATE(CTolvaneView, CView)

BEGIN_MESSAGE_MAP(CTolvaneView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEACTIVATE()
ON_NOTIFY(TCN_SELCHANGE, CTolvaneView::kTabControlId, OnSelChangeTab)
END_MESSAGE_MAP()

namespace {

const DWORD kTabControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const int kTabImageCount = 5;
const int kTabImageSize = 16;

}  // namespace

CTolvaneView::CTolvaneView() {}

CTolvaneView::~CTolvaneView() {}

BOOL CTolvaneView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CTolvaneView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndTabControl.Create(kTabControlStyle, CRect(0, 0, 0, 0), this, kTabControlId))
        return -1;

    CZPTabPaintManager* pPaintManager = m_wndTabControl.GetPaintManager();
    pPaintManager->SetAppearance(zpTabAppearancePropertyPage2003);
    pPaintManager->m_bHotTracking = TRUE;
    pPaintManager->m_bShowIcons = TRUE;
    pPaintManager->SetThemeColorsDisabled(FALSE);
    m_wndTabControl.GetImageManager()->SetIconsFromBitmapResource(kTabImagesId, NULL, kTabImageCount, kTabImageSize,
                                                                  kTabImageSize, CZPImageManagerIcon::imageNormal);

    return AddView(RUNTIME_CLASS(CXmlView), L"XML View", kXmlViewImage) ? 0 : -1;
}

BOOL CTolvaneView::AddView(CRuntimeClass* pViewClass, LPCWSTR lpszCaption, int nImage)
{
    CCreateContext context;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentDoc = GetDocument();
    context.m_pNewDocTemplate = GetDocument() != NULL ? GetDocument()->GetDocTemplate() : NULL;

    CObject* pObject = NULL;
    try {
        pObject = pViewClass->CreateObject();
    } catch (CException* e) {
        e->Delete();
        pObject = NULL;
    }
    if (pObject == NULL)
        return FALSE;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CView))) {
        delete pObject;
        return FALSE;
    }
    CView* pView = static_cast<CView*>(pObject);

    const int nCount = m_wndTabControl.GetItemCount();
    // A failed creation destroys the window, and the view deletes itself with it.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &m_wndTabControl,
                       AFX_IDW_PANE_FIRST + nCount, &context))
        return FALSE;

    m_wndTabControl.InsertItem(nCount, lpszCaption, pView->GetSafeHwnd(), nImage, NULL);
    pView->SetOwner(this);
    return TRUE;
}

void CTolvaneView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndTabControl.GetSafeHwnd() != NULL) {
        m_wndTabControl.MoveWindow(0, 0, cx, cy, FALSE);
        m_wndTabControl.Invalidate(FALSE);
    }
}

void CTolvaneView::OnPaint()
{
    // Begin/end painting validates this window's own area only: ValidateRect on a window without
    // WS_CLIPCHILDREN would validate the tab control and the editor too, which then never paint.
    CPaintDC dc(this);
}

BOOL CTolvaneView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTolvaneView::OnDraw(CDC*) {}

int CTolvaneView::OnMouseActivate(CWnd*, UINT, UINT)
{
    // The tab's own view becomes active when clicked, never this container.
    return static_cast<int>(Default());
}

void CTolvaneView::OnSelChangeTab(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    UpdateDocumentFrameCounts();
    CFrameWnd* pFrame = GetParentFrame();
    CZPTabManagerItem* pItem = m_wndTabControl.GetSelectedItem();
    if (pFrame == NULL || pItem == NULL)
        return;
    CWnd* pWnd = CWnd::FromHandlePermanent(pItem->GetHandle());
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView(static_cast<CView*>(pWnd), TRUE);
}

void CTolvaneView::UpdateDocumentFrameCounts()
{
    if (CDocument* pDoc = GetDocument())
        pDoc->UpdateFrameCounts();
}

CXmlView* CTolvaneView::GetXmlView() const
{
    CZPTabManagerItem* pItem = m_wndTabControl.GetItem(0);
    if (pItem == NULL)
        return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(pItem->GetHandle());
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CXmlView)) ? static_cast<CXmlView*>(pWnd) : NULL;
}

CXmlView* CTolvaneView::GetSelectedXmlView() const
{
    return m_wndTabControl.GetCurSel() == 0 ? GetXmlView() : NULL;
}

BOOL CTolvaneView::Find(LPCWSTR lpszText, DWORD dwFlags, int nDirection)
{
    if (m_wndTabControl.GetCurSel() != 0)
        return TRUE;
    CXmlView* pView = GetXmlView();
    return pView != NULL && pView->Find(lpszText, dwFlags, nDirection);
}

BOOL CTolvaneView::Replace(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection)
{
    if (m_wndTabControl.GetCurSel() != 0)
        return TRUE;
    CXmlView* pView = GetXmlView();
    return pView != NULL && pView->Replace(lpszFind, lpszReplacement, dwFlags, nDirection);
}

BOOL CTolvaneView::ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags)
{
    if (m_wndTabControl.GetCurSel() != 0)
        return TRUE;
    CXmlView* pView = GetXmlView();
    return pView != NULL && pView->ReplaceAll(lpszFind, lpszReplacement, dwFlags);
}

LPCSTR CTolvaneView::GetText(size_t* pnLength)
{
    CXmlView* pView = GetXmlView();
    return pView != NULL ? pView->GetEditorText(pnLength) : NULL;
}

void SetLayoutRtlRecursive(HWND hWnd, BOOL bRtl)
{
    const LONG_PTR nExStyle = ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE);
    const LONG_PTR nNewExStyle =
        bRtl ? (nExStyle | WS_EX_LAYOUTRTL) : (nExStyle & ~static_cast<LONG_PTR>(WS_EX_LAYOUTRTL));
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, nNewExStyle);
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        SetLayoutRtlRecursive(hChild, bRtl);
}
