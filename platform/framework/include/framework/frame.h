// Frame windows and the control bars they lay out around their view.
#pragma once

#include <framework/docview.h>

// Frame styles (low word of a top-level window's style is free for them).
#define FWS_ADDTOTITLE 0x00008000L    // the title shows the active document's name
#define FWS_PREFIXTITLE 0x00004000L   // "document - application" rather than the other way round
#define FWS_SNAPTOBARS 0x00002000L

// Control-bar styles (CControlBar::m_dwStyle).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout-mode flags of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Floating-window activation sync (WM_FLOATSTATUS, see messages.h).
#define MFS_SYNCACTIVE 0x00000100L

class CControlBar;

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;   // CW_USEDEFAULT position and size

    // Creation.
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCWSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Title from string nIDResource (before the first '\n'), menu, accelerators and icon of that id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    // Views and documents.
    virtual CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // nCmdShow -1: shows a hidden frame normally, restores an iconic one.
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCWSTR lpszDocName);
    void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetTitle() const { return m_strTitle; }
    BOOL IsFrameWnd() const override;

    // Layout of the bars and the view.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    BOOL IsInRecalcLayout() const { return m_bInRecalcLayout; }
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    void DelayUpdateFrameMenu() { m_nIdleFlags |= idleMenu; }
    enum IdleFlags { idleNotify = 1, idleTitle = 2, idleMenu = 4, idleLayout = 8 };
    UINT m_nIdleFlags;

    // Control bars.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CPtrList m_listControlBars;   // borrowed bars; each bar removes itself when it goes

    // The message line: the status bar's first pane.
    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCWSTR lpszText);
    void SetMessageText(UINT nID);
    // The prompt of a command: its string before the first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // Print preview: hides the bars and the view while the preview shows.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreviewMode() const { return m_pPreviewState != NULL; }

    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }
    // Modeless work of the frame is off while some caller switched it off (every FALSE is matched
    // by a TRUE); a modal sheet that keeps the frame enabled says so through it.
    virtual void EnableModeless(BOOL bEnable);
    BOOL IsModelessEnabled() const { return m_nModelessDisabled == 0; }
    void NotifyFloatingWindows(DWORD dwFlags);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    HACCEL m_hAccelTable;      // owned by the resource module (never destroyed)
    HMENU m_hMenuDefault;      // borrowed from the window (destroyed with it)
    BOOL m_bAutoMenuEnable;    // menu items without a handler are disabled
    BOOL m_bHelpMode;          // no help file exists: stays FALSE
    CString m_strTitle;
    UINT m_nIDHelp;            // the resource id the frame was loaded from
    UINT m_nIDTracking;        // prompt shown now
    UINT m_nIDLastMessage;     // prompt shown last
    CRect m_rectBorder;        // space kept free around the view

    // Handlers.
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnEnable(BOOL bEnable);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnDropFiles(HDROP hDropInfo);
    void OnSysColorChange();
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnDDEInitiate(WPARAM wParam, LPARAM lParam);
    LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
    LRESULT OnDDETerminate(WPARAM wParam, LPARAM lParam);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL OnBarCheck(UINT nID);

protected:
    CView* m_pViewActive;                 // borrowed
    CPrintPreviewState* m_pPreviewState;  // borrowed from the preview while it shows
    int m_cModalStack;
    BOOL m_bInRecalcLayout;
    CPtrList m_listDisabledByModal;       // windows this frame disabled for a modal state
    int m_nModelessDisabled;

    DECLARE_MESSAGE_MAP()
    friend class CWinApp;
};

// Base of status bars, toolbars and the other bars a frame lays out along its edges.
class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    // Runs after SetBarStyle changed the style; the default redraws the frame when the edges changed.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    BOOL IsVisible() const;
    BOOL IsFloating() const { return FALSE; }
    CFrameWnd* GetDockingFrame() const;
    // Shows or hides at the next idle update (no flicker while many bars change).
    void DelayShow(BOOL bShow);

    // The size the bar wants along its edge; bStretch fills the frame's width or height.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The client rectangle less the borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    void DrawBorders(CDC* pDC, CRect& rect);
    virtual INT_PTR GetCount() const { return 0; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    DWORD m_dwStyle;           // CBRS_* bits
    int m_cxLeftBorder, m_cxRightBorder, m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    BOOL m_bAutoDelete;        // PostNcDestroy deletes the object
    CFrameWnd* m_pDockSite;    // borrowed; the frame whose bar list holds this bar
    UINT m_nStateFlags;

    enum StateFlags { delayHide = 1, delayShow = 2 };

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()
};
