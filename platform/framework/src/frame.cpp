// Frame windows: loading from resources, the active view and command routing, layout of the
// bars around the view, the message line, menus, dropped files, shell DDE and closing.
#include <framework/app.h>
#include <framework/menu.h>

#include <dde.h>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_DROPFILES()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_DDE_INITIATE, OnDDEInitiate)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
    ON_MESSAGE(WM_DDE_TERMINATE, OnDDETerminate)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

namespace {

// Where the view waits while a print preview holds the pane id.
const UINT kHiddenPaneId = AFX_IDW_PANE_LAST - 1;

struct FloatNotify
{
    HWND hWndFrame;
    DWORD dwFlags;
};

BOOL CALLBACK NotifyFloatingWindow(HWND hWnd, LPARAM lParam)
{
    const FloatNotify* pNotify = reinterpret_cast<const FloatNotify*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) != pNotify->hWndFrame)
        return TRUE;
    // Activation is only mirrored by popups that asked for it.
    BOOL bActivation = (pNotify->dwFlags & (FS_ACTIVATE | FS_DEACTIVATE)) != 0;
    if (!bActivation || (::GetWindowLongPtrW(hWnd, GWL_STYLE) & MFS_SYNCACTIVE) != 0)
        ::SendMessageW(hWnd, WM_FLOATSTATUS, pNotify->dwFlags, 0);
    return TRUE;
}

struct ModalDisable
{
    HWND hWndFrame;
    CPtrList* pList;
};

BOOL CALLBACK DisableForModal(HWND hWnd, LPARAM lParam)
{
    const ModalDisable* pState = reinterpret_cast<const ModalDisable*>(lParam);
    if ((hWnd == pState->hWndFrame || ::GetWindow(hWnd, GW_OWNER) == pState->hWndFrame) && ::IsWindowEnabled(hWnd)) {
        ::EnableWindow(hWnd, FALSE);
        pState->pList->AddTail(hWnd);
    }
    return TRUE;
}

}  // namespace

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

// ---- relations of any window to its frame ----

CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame != NULL) {
        CFrameWnd* pParent = pFrame->GetParentFrame();
        if (pParent == NULL)
            break;
        pFrame = pParent;
    }
    return pFrame;
}

// ---- CFrameWnd ----

CFrameWnd::CFrameWnd()
    : m_nIdleFlags(0), m_hAccelTable(NULL), m_hMenuDefault(NULL), m_bAutoMenuEnable(TRUE), m_bHelpMode(FALSE),
      m_nIDHelp(0), m_nIDTracking(0), m_nIDLastMessage(0), m_rectBorder(0, 0, 0, 0), m_pViewActive(NULL),
      m_pPreviewState(NULL), m_cModalStack(0), m_bInRecalcLayout(FALSE), m_nModelessDisabled(0)
{
}

CFrameWnd::~CFrameWnd()
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
        static_cast<CControlBar*>(m_listControlBars.GetNext(pos))->m_pDockSite = NULL;
    m_listControlBars.RemoveAll();
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCWSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
        hMenu = ::LoadMenuW(AfxGetResourceHandle(), lpszMenuName);   // none: a frame without a menu
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : L"";
    // CW_USEDEFAULT stands for the whole rectangle (its width would overflow).
    BOOL bDefault = rect.left == CW_USEDEFAULT;
    int x = bDefault ? CW_USEDEFAULT : rect.left, y = bDefault ? CW_USEDEFAULT : rect.top;
    int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left, cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, GetSafeHwnd(pParentWnd), hMenu,
                  pContext)) {
        // The object is gone (PostNcDestroy); only the menu may be left.
        if (hMenu != NULL && ::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        int nBreak = strFull.Find(L'\n');
        m_strTitle = nBreak < 0 ? strFull : strFull.Left(nBreak);
    }
    CString strTitle = m_strTitle;
    HACCEL hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
    if (!Create(NULL, strTitle, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCEW(nIDResource), 0, pContext))
        return FALSE;
    m_hAccelTable = hAccel;
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL) {
        HICON hIcon = m_nIDHelp != 0 ? ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDHelp)) : NULL;
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                           hIcon != NULL ? hIcon : ::LoadIconW(NULL, IDI_APPLICATION));
    }
    // "Document - Application".
    if ((cs.style & FWS_ADDTOTITLE) != 0)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (static_cast<int>(Default()) == -1)
        return -1;
    if (!OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams)))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pContext->m_pNewViewClass->CreateObject());
    if (pView == NULL)
        return NULL;
    // A view that fails to create has deleted itself.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return pView;
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = NULL;
    Default();
}

void CFrameWnd::OnClose()
{
    if (m_pPreviewState != NULL) {
        // Closing a preview first ends the preview.
        SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        return;
    }
    CWinApp* pApp = AfxGetApp();
    HWND hWnd = m_hWnd;
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        if (!pApp->SaveAllModified())
            return;   // the user kept the document open
        pApp->CloseAllDocuments(FALSE);
        if (::IsWindow(hWnd))
            DestroyWindow();
        return;
    }
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL) {
        if (!pDocument->CanCloseFrame(this))
            return;
        pDocument->OnCloseDocument();
    }
    if (::IsWindow(hWnd))
        DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        Default();
}

void CFrameWnd::OnActivate(UINT nState, CWnd*, BOOL bMinimized)
{
    Default();
    CView* pView = GetActiveView();
    if (pView != NULL) {
        pView->OnActivateFrame(nState, this);
        if (nState != WA_INACTIVE && !bMinimized)
            pView->OnActivateView(TRUE, pView, pView);
    }
    NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    Default();
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (nStatus == 0)
        NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    FloatNotify notify = { m_hWnd, dwFlags };
    ::EnumThreadWindows(::GetCurrentThreadId(), NotifyFloatingWindow, reinterpret_cast<LPARAM>(&notify));
}

void CFrameWnd::EnableModeless(BOOL bEnable)
{
    if (!bEnable)
        ++m_nModelessDisabled;
    else if (m_nModelessDisabled > 0)
        --m_nModelessDisabled;
}

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ > 0)
        return;
    ModalDisable state = { m_hWnd, &m_listDisabledByModal };
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableForModal, reinterpret_cast<LPARAM>(&state));
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0)
        return;
    while (!m_listDisabledByModal.IsEmpty()) {
        HWND hWnd = static_cast<HWND>(m_listDisabledByModal.RemoveHead());
        if (::IsWindow(hWnd))
            ::EnableWindow(hWnd, TRUE);
    }
}

void CFrameWnd::OnSysColorChange()
{
    Default();
    SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, FALSE);
}

// ---- views and documents ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;   // no view is active while the old one hears it lost
    if (bNotify && pViewOld != NULL && pViewOld->m_hWnd != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != NULL)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == NULL) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL)
            pView->OnActivateFrame(WA_INACTIVE, this);
        // The main window takes the show command the program was started with, once.
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (IsWindowVisible() && !IsIconic() && (GetStyle() & WS_CHILD) == 0)
        BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_hWnd == NULL || (GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDocument != NULL ? static_cast<LPCWSTR>(pDocument->GetTitle()) : NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCWSTR lpszDocName)
{
    CString strText;
    if (lpszDocName != NULL && *lpszDocName != L'\0') {
        if (m_strTitle.IsEmpty())
            strText = lpszDocName;
        else if ((GetStyle() & FWS_PREFIXTITLE) != 0)
            strText = CString(lpszDocName) + L" - " + m_strTitle;
        else
            strText = m_strTitle + L" - " + lpszDocName;
    } else {
        strText = m_strTitle;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld.Compare(strText) != 0)   // no flicker for the same title
        SetWindowText(strText);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // View (then its document), the frame itself, then the application.
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL)
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

// ---- layout and bars ----

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UINT nFlags = m_nIdleFlags;
    m_nIdleFlags = 0;
    if ((nFlags & idleLayout) != 0)
        RecalcLayout((nFlags & idleNotify) != 0);
    if ((nFlags & idleTitle) != 0)
        OnUpdateFrameTitle(TRUE);
    // A frame whose menu was taken away (a menu bar draws it) keeps it away.
    if ((nFlags & idleMenu) != 0 && ::GetMenu(m_hWnd) != NULL)
        DrawMenuBar();
    return 0;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
    if (m_pPreviewState != NULL) {
        pos = m_pPreviewState->listHiddenBars.Find(pBar);
        if (pos != NULL)
            m_pPreviewState->listHiddenBars.RemoveAt(pos);
    }
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    pBar->DelayShow(bShow);
    if (bDelay) {
        DelayRecalcLayout();
        return;
    }
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
    RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
                   : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                       : VK_SCROLL;
    pCmdUI->Enable((::GetKeyState(nVirtKey) & 1) != 0);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (bPreview) {
        if (pState == NULL || m_pPreviewState != NULL)
            return;
        m_pPreviewState = pState;
        pState->pViewActiveOld = GetActiveView();
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
            CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (pBar->m_hWnd != NULL && pBar->IsWindowVisible()) {
                pBar->ShowWindow(SW_HIDE);
                pState->listHiddenBars.AddTail(pBar);
            }
        }
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = NULL;
        HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        if (hWndPane != NULL) {
            ::ShowWindow(hWndPane, SW_HIDE);
            ::SetWindowLongPtrW(hWndPane, GWLP_ID, kHiddenPaneId);
            pState->nIDMainPane = kHiddenPaneId;
        }
        RecalcLayout();
        return;
    }
    pState = m_pPreviewState;
    if (pState == NULL)
        return;
    m_pPreviewState = NULL;
    HWND hWndPreview = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hWndPreview != NULL)
        ::SetWindowLongPtrW(hWndPreview, GWLP_ID, AFX_IDW_PANE_LAST);
    HWND hWndPane = ::GetDlgItem(m_hWnd, static_cast<int>(pState->nIDMainPane));
    if (hWndPane != NULL) {
        ::SetWindowLongPtrW(hWndPane, GWLP_ID, AFX_IDW_PANE_FIRST);
        ::ShowWindow(hWndPane, SW_SHOW);
    }
    while (!pState->listHiddenBars.IsEmpty()) {
        CControlBar* pBar = static_cast<CControlBar*>(pState->listHiddenBars.RemoveHead());
        if (pBar->m_hWnd != NULL)
            pBar->ShowWindow(SW_SHOWNA);
    }
    m_hAccelTable = pState->hAccelTable;
    CView* pViewOld = pState->pViewActiveOld;
    SetActiveView(pViewOld != NULL && pViewOld->m_hWnd != NULL ? pViewOld : NULL);
    RecalcLayout();
}

// ---- the message line ----

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCWSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString strFull;
    if (!strFull.LoadString(nID)) {
        rMessage.Empty();
        return;
    }
    int nBreak = strFull.Find(L'\n');
    rMessage = nBreak < 0 ? strFull : strFull.Left(nBreak);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    if (CWnd* pMessageBar = GetMessageBar()) {
        CString strMessage;
        LPCWSTR lpszText = reinterpret_cast<LPCWSTR>(lParam);
        if (lpszText == NULL && wParam != 0) {
            GetMessageString(static_cast<UINT>(wParam), strMessage);
            lpszText = strMessage;
        }
        pMessageBar->SetWindowText(lpszText != NULL ? lpszText : L"");
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == NULL)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;   // the menu closed
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)) != 0)
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (bSysMenu || pMenu == NULL)
        return;
    CWndCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A popup item follows the state of its first command.
            CMenu* pSub = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (pSub == NULL || (state.m_nID = pSub->GetMenuItemID(0)) == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.m_pSubMenu = pSub;
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // Handlers may have removed items (the recent-file list rebuilds itself).
        UINT nCount = static_cast<UINT>(pMenu->GetMenuItemCount());
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = nCount;
    }
}

// ---- files from the shell ----

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    ::SetActiveWindow(m_hWnd);
    UINT nFiles = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, NULL, 0);
    CWinApp* pApp = AfxGetApp();
    // One document at a time: the first dropped file opens; folders are passed over.
    for (UINT i = 0; i < nFiles && pApp != NULL; ++i) {
        WCHAR szFileName[MAX_PATH];
        UINT nLen = ::DragQueryFileW(hDropInfo, i, szFileName, MAX_PATH);
        if (nLen == 0 || nLen >= MAX_PATH)
            continue;
        DWORD dwAttrib = ::GetFileAttributesW(szFileName);
        if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        pApp->OpenDocumentFile(szFileName);
        break;
    }
    ::DragFinish(hDropInfo);
}

LRESULT CFrameWnd::OnDDEInitiate(WPARAM wParam, LPARAM lParam)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_atomApp == 0 || LOWORD(lParam) != pApp->m_atomApp ||
        HIWORD(lParam) != pApp->m_atomSystemTopic)
        return 0;
    // The client deletes the atoms of the answer: references of its own.
    ATOM atomApp = ::GlobalAddAtomW(pApp->m_pszExeName);
    ATOM atomTopic = ::GlobalAddAtomW(L"system");
    ::SendMessageW(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                   MAKELPARAM(atomApp, atomTopic));
    return 0;
}

LRESULT CFrameWnd::OnDDEExecute(WPARAM wParam, LPARAM lParam)
{
    UINT_PTR uUnused = 0, uData = 0;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &uUnused, &uData))
        return 0;
    HGLOBAL hData = reinterpret_cast<HGLOBAL>(uData);
    CString strCommand;
    if (LPCWSTR pch = static_cast<LPCWSTR>(::GlobalLock(hData))) {
        SIZE_T nMax = ::GlobalSize(hData) / sizeof(WCHAR), nLen = 0;
        while (nLen < nMax && pch[nLen] != L'\0')
            ++nLen;
        strCommand = CString(pch, static_cast<int>(nLen));
        ::GlobalUnlock(hData);
    }
    // Acknowledged before it runs: opening may show message boxes meanwhile.
    ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                   ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, 0x8000, uData));
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnDDECommand(strCommand.GetBuffer());
    return 0;
}

LRESULT CFrameWnd::OnDDETerminate(WPARAM wParam, LPARAM)
{
    ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return 0;
}
