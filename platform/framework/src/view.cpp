// Views: creation within a frame, activation, drawing, printing and the print preview.
#include <framework/app.h>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL)
{
}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // A sunken edge rather than a line border.
    if ((cs.style & WS_BORDER) != 0) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (static_cast<int>(Default()) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL, FALSE);
    Default();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this);
    return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    if (pSender != this && m_hWnd != NULL)
        Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    // Without a known page count one page is printed.
    if (pInfo != NULL && pDC->IsPrinting() && pInfo->GetMaxPage() == 0xFFFF && pInfo->m_nCurPage > 1)
        pInfo->m_bContinuePrinting = FALSE;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (!bActivate || pActivateView != this)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && ::GetActiveWindow() == pFrame->GetTopLevelParent()->m_hWnd && ::GetFocus() != m_hWnd)
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- printing ----

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_HIDEPRINTTOFILE)),
      m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(1),
      m_lpUserData(NULL)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    // The printer settings the application lent are not the dialog's to free.
    if (CWinApp* pApp = AfxGetApp()) {
        if (m_pPD->m_pd.hDevMode == pApp->m_hDevMode)
            m_pPD->m_pd.hDevMode = NULL;
        if (m_pPD->m_pd.hDevNames == pApp->m_hDevNames)
            m_pPD->m_pd.hDevNames = NULL;
    }
    delete m_pPD;
}

UINT CPrintInfo::GetFromPage() const
{
    return (m_pPD->m_pd.Flags & PD_PAGENUMS) != 0 ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return (m_pPD->m_pd.Flags & PD_PAGENUMS) != 0 ? m_pPD->m_pd.nToPage : GetMaxPage();
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    PRINTDLGW& pd = pInfo->m_pPD->m_pd;
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        // The printer chosen last (or the default one), without a dialog.
        if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&pd) || pInfo->m_pPD->CreatePrinterDC() == NULL) {
            AfxMessageBox(AFX_IDP_NO_PRINTER);
            return FALSE;
        }
        return TRUE;
    }
    if (pInfo->m_pPD->DoModal() != IDOK || pd.hDC == NULL)
        return FALSE;
    return TRUE;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    printInfo.m_bDirect = AfxGetThreadState()->m_lastSentMsg.message == WM_COMMAND &&
                          LOWORD(AfxGetThreadState()->m_lastSentMsg.wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&printInfo))
        return;
    HDC hDC = printInfo.m_pPD->m_pd.hDC;
    if (hDC == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }
    CDC dc;
    dc.Attach(hDC);
    dc.m_bPrinting = TRUE;
    printInfo.m_pPD->m_pd.hDC = NULL;   // the CDC owns it now

    CString strTitle = m_pDocument != NULL ? m_pDocument->GetTitle() : CString();
    DOCINFOW di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = strTitle;
    OnBeginPrinting(&dc, &printInfo);
    if (::StartDocW(dc.m_hDC, &di) <= 0) {
        OnEndPrinting(&dc, &printInfo);
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }
    BOOL bError = FALSE;
    UINT nEnd = printInfo.GetToPage();
    for (printInfo.m_nCurPage = printInfo.GetFromPage(); printInfo.m_nCurPage <= nEnd && !bError;
         ++printInfo.m_nCurPage) {
        OnPrepareDC(&dc, &printInfo);
        if (!printInfo.m_bContinuePrinting)
            break;
        if (::StartPage(dc.m_hDC) <= 0) {
            bError = TRUE;
            break;
        }
        printInfo.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        ::DPtoLP(dc.m_hDC, reinterpret_cast<LPPOINT>(&printInfo.m_rectDraw), 2);
        OnPrint(&dc, &printInfo);
        if (::EndPage(dc.m_hDC) <= 0)
            bError = TRUE;
    }
    if (bError)
        ::AbortDoc(dc.m_hDC);
    else
        ::EndDoc(dc.m_hDC);
    OnEndPrinting(&dc, &printInfo);
}

void CView::OnFilePrintPreview()
{
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame == NULL || pFrame->IsInPreviewMode())
        return;
    CPreviewView* pPreview = new CPreviewView;
    pPreview->m_pOrigView = this;
    pPreview->m_pPreviewInfo->m_bPreview = TRUE;
    if (!OnPreparePrinting(pPreview->m_pPreviewInfo)) {
        delete pPreview;
        return;
    }
    pPreview->m_dcPrinter.Attach(pPreview->m_pPreviewInfo->m_pPD->m_pd.hDC);
    pPreview->m_pPreviewInfo->m_pPD->m_pd.hDC = NULL;
    pPreview->m_dcPrinter.m_bPrinting = TRUE;
    OnBeginPrinting(&pPreview->m_dcPrinter, pPreview->m_pPreviewInfo);

    // Created under a spare id first: a failed creation has nothing to undo in the frame.
    if (!pPreview->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_LAST))
        return;   // the preview has deleted itself
    pFrame->OnSetPreviewMode(TRUE, pPreview->m_pPreviewState);
    pPreview->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    pFrame->SetActiveView(pPreview);
    pFrame->RecalcLayout();
    pPreview->SetFocus();
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    pView->DestroyWindow();   // deletes the preview and its state
}

// ---- CPreviewView ----

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnPreviewNext)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPreviewPrev)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pOrigView(NULL), m_pPreviewInfo(new CPrintInfo), m_pPreviewState(new CPrintPreviewState)
{
}

CPreviewView::~CPreviewView()
{
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnDraw covers everything
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillSolidRect(&rectClient, ::GetSysColor(COLOR_APPWORKSPACE));

    // The page at the printer's proportions, as large as the window allows with a margin.
    int cxPage = m_dcPrinter.GetDeviceCaps(HORZRES), cyPage = m_dcPrinter.GetDeviceCaps(VERTRES);
    if (cxPage <= 0 || cyPage <= 0)
        return;
    const int nMargin = 8;
    int cxAvail = rectClient.Width() - 2 * nMargin, cyAvail = rectClient.Height() - 2 * nMargin;
    if (cxAvail <= 0 || cyAvail <= 0)
        return;
    int cx = cxAvail, cy = MulDiv(cxAvail, cyPage, cxPage);
    if (cy > cyAvail) {
        cy = cyAvail;
        cx = MulDiv(cyAvail, cxPage, cyPage);
    }
    CRect rectPage(0, 0, cx, cy);
    rectPage.OffsetRect((rectClient.Width() - cx) / 2, (rectClient.Height() - cy) / 2);
    pDC->FillSolidRect(&rectPage, RGB(255, 255, 255));
    ::FrameRect(pDC->m_hDC, &rectPage, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));

    if (m_pOrigView == NULL)
        return;
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rectPage);
    pDC->SetMapMode(MM_ANISOTROPIC);
    ::SetWindowExtEx(pDC->m_hDC, cxPage, cyPage, NULL);
    ::SetViewportExtEx(pDC->m_hDC, cx, cy, NULL);
    ::SetViewportOrgEx(pDC->m_hDC, rectPage.left, rectPage.top, NULL);
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, cxPage, cyPage);
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pOrigView->OnPrepareDC(pDC, m_pPreviewInfo);
    if (m_pPreviewInfo->m_bContinuePrinting)
        m_pOrigView->OnPrint(pDC, m_pPreviewInfo);
    pDC->RestoreDC(nSaved);
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        OnPreviewClose();
        return TRUE;
    }
    return CView::PreTranslateMessage(pMsg);
}

void CPreviewView::OnPreviewClose()
{
    CFrameWnd* pFrame = GetParentFrame();
    CPrintPreviewState* pState = m_pPreviewState;
    if (pFrame != NULL)
        pFrame->OnSetPreviewMode(FALSE, pState);
    if (m_pOrigView != NULL)
        m_pOrigView->OnEndPrintPreview(&m_dcPrinter, m_pPreviewInfo, CPoint(0, 0), this);
    else
        DestroyWindow();
}

void CPreviewView::OnPreviewNext()
{
    if (m_pPreviewInfo->m_nCurPage < m_pPreviewInfo->GetMaxPage()) {
        ++m_pPreviewInfo->m_nCurPage;
        Invalidate();
    }
}

void CPreviewView::OnPreviewPrev()
{
    if (m_pPreviewInfo->m_nCurPage > m_pPreviewInfo->GetMinPage()) {
        --m_pPreviewInfo->m_nCurPage;
        Invalidate();
    }
}
