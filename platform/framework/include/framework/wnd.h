// Window objects: creation, handle maps, the common window procedure, message maps for window
// messages, reflection, command and notification routing, layout and the modal loop.
#pragma once

#include <framework/cmdtarget.h>
#include <framework/handlemap.h>
#include <framework/messages.h>
#include <framework/string.h>
#include <framework/threadstate.h>
#include <framework/types.h>

#include <commctrl.h>
#include <shellapi.h>

class CDC;
class CFrameWnd;
class CMenu;
class CScrollBar;
class CWinThread;

// Window-message handler signatures, numbered after the command kinds of the command target.
enum AfxSigWnd : UINT_PTR
{
    AfxSig_lwl = AfxSig_WindowFirst,  // LRESULT (WPARAM, LPARAM)           ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_is,                        // int (LPCREATESTRUCT)               OnCreate
    AfxSig_bCS,                       // BOOL (LPCREATESTRUCT)              OnNcCreate
    AfxSig_vv,                        // void ()
    AfxSig_vwii,                      // void (UINT, int, int)              OnSize
    AfxSig_vii,                       // void (int, int)                    OnMove
    AfxSig_bD,                        // BOOL (CDC*)                        OnEraseBkgnd
    AfxSig_iWww,                      // int (CWnd*, UINT, UINT)            OnMouseActivate
    AfxSig_vwWb,                      // void (UINT, CWnd*, BOOL)           OnActivate
    AfxSig_bb,                        // BOOL (BOOL)                        OnNcActivate
    AfxSig_vt,                        // void (UINT_PTR)                    OnTimer
    AfxSig_vwp,                       // void (UINT, CPoint)                mouse buttons and moves
    AfxSig_bwsp,                      // BOOL (UINT, short, CPoint)         OnMouseWheel
    AfxSig_vwww,                      // void (UINT, UINT, UINT)            keys and characters
    AfxSig_lp,                        // LRESULT (CPoint)                   OnNcHitTest
    AfxSig_vbNCCS,                    // void (BOOL, NCCALCSIZE_PARAMS*)    OnNcCalcSize
    AfxSig_bWww,                      // BOOL (CWnd*, UINT, UINT)           OnSetCursor
    AfxSig_vW,                        // void (CWnd*)                       focus, capture
    AfxSig_hDWw,                      // HBRUSH (CDC*, CWnd*, UINT)         OnCtlColor
    AfxSig_hDw,                       // HBRUSH (CDC*, UINT)                reflected CtlColor
    AfxSig_vws,                       // void (UINT, LPCWSTR)               OnSettingChange
    AfxSig_vPOS,                      // void (WINDOWPOS*)                  OnWindowPosChanging/Changed
    AfxSig_vMMI,                      // void (MINMAXINFO*)                 OnGetMinMaxInfo
    AfxSig_vbw,                       // void (BOOL, UINT)                  OnShowWindow
    AfxSig_vb,                        // void (BOOL)                        OnEnable
    AfxSig_vWp,                       // void (CWnd*, CPoint)               OnContextMenu
    AfxSig_vwwSB,                     // void (UINT, UINT, CScrollBar*)     OnHScroll, OnVScroll
    AfxSig_vDRAW,                     // void (int, LPDRAWITEMSTRUCT)       OnDrawItem
    AfxSig_vMEASURE,                  // void (int, LPMEASUREITEMSTRUCT)    OnMeasureItem
    AfxSig_iCOMPARE,                  // int (int, LPCOMPAREITEMSTRUCT)     OnCompareItem
    AfxSig_vDELETE,                   // void (int, LPDELETEITEMSTRUCT)     OnDeleteItem
    AfxSig_vMwb,                      // void (CMenu*, UINT, BOOL)          OnInitMenuPopup
    AfxSig_vM,                        // void (CMenu*)                      OnInitMenu
    AfxSig_vwwh,                      // void (UINT, UINT, HMENU)           OnMenuSelect
    AfxSig_vwl,                       // void (UINT, LPARAM)                OnSysCommand
    AfxSig_wv,                        // UINT ()                            OnGetDlgCode
    AfxSig_vHDROP,                    // void (HDROP)                       OnDropFiles
    AfxSig_viSS                       // void (int, LPSTYLESTRUCT)          OnStyleChanging/Changed
};

#define AFX_WND_ENTRY(msg, sig, type, memberFxn) \
    { static_cast<UINT>(msg), 0, 0, 0, sig, AFX_MSG_HANDLER(type, memberFxn) },

typedef LRESULT (AFX_MSG_CALL CWnd::*AFX_PMSGW_lwl)(WPARAM, LPARAM);

#define ON_MESSAGE(message, memberFxn) AFX_WND_ENTRY(message, AfxSig_lwl, AFX_PMSGW_lwl, memberFxn)
// nMessageVariable: a UINT holding the registered message (usually a static from RegisterWindowMessage).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, reinterpret_cast<UINT_PTR>(static_cast<const UINT*>(&nMessageVariable)), \
      AFX_MSG_HANDLER(AFX_PMSGW_lwl, memberFxn) },

#define ON_WM_CREATE() AFX_WND_ENTRY(WM_CREATE, AfxSig_is, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_WND_ENTRY(WM_NCCREATE, AfxSig_bCS, BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_WND_ENTRY(WM_DESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WND_ENTRY(WM_NCDESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WND_ENTRY(WM_CLOSE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnClose)
#define ON_WM_SIZE() AFX_WND_ENTRY(WM_SIZE, AfxSig_vwii, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WND_ENTRY(WM_MOVE, AfxSig_vii, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_PAINT() AFX_WND_ENTRY(WM_PAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_WND_ENTRY(WM_NCPAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_WND_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_MOUSEACTIVATE() \
    AFX_WND_ENTRY(WM_MOUSEACTIVATE, AfxSig_iWww, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_ACTIVATE() AFX_WND_ENTRY(WM_ACTIVATE, AfxSig_vwWb, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_NCACTIVATE() AFX_WND_ENTRY(WM_NCACTIVATE, AfxSig_bb, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_TIMER() AFX_WND_ENTRY(WM_TIMER, AfxSig_vt, void (AFX_MSG_CALL CWnd::*)(UINT_PTR), OnTimer)
#define AFX_ON_MOUSE(msg, fxn) AFX_WND_ENTRY(msg, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), fxn)
#define ON_WM_MOUSEMOVE() AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_ON_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_MOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_ON_MOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_MOUSEWHEEL() \
    AFX_WND_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_WND_ENTRY(WM_MOUSELEAVE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnMouseLeave)
#define AFX_ON_KEY(msg, fxn) AFX_WND_ENTRY(msg, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), fxn)
#define ON_WM_KEYDOWN() AFX_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_ON_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_NCHITTEST() AFX_WND_ENTRY(WM_NCHITTEST, AfxSig_lp, LRESULT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE() \
    AFX_WND_ENTRY(WM_NCCALCSIZE, AfxSig_vbNCCS, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_SETCURSOR() \
    AFX_WND_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_SETFOCUS() AFX_WND_ENTRY(WM_SETFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WND_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() \
    AFX_WND_ENTRY(WM_CAPTURECHANGED, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CTLCOLOR() \
    AFX_WND_ENTRY(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_WND_ENTRY(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig_hDw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_SYSCOLORCHANGE() AFX_WND_ENTRY(WM_SYSCOLORCHANGE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnSysColorChange)
#define ON_WM_SETTINGCHANGE() \
    AFX_WND_ENTRY(WM_SETTINGCHANGE, AfxSig_vws, void (AFX_MSG_CALL CWnd::*)(UINT, LPCWSTR), OnSettingChange)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_WND_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_vPOS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_WND_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO() \
    AFX_WND_ENTRY(WM_GETMINMAXINFO, AfxSig_vMMI, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_SHOWWINDOW() AFX_WND_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ENABLE() AFX_WND_ENTRY(WM_ENABLE, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_CONTEXTMENU() \
    AFX_WND_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_HSCROLL() \
    AFX_WND_ENTRY(WM_HSCROLL, AfxSig_vwwSB, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() \
    AFX_WND_ENTRY(WM_VSCROLL, AfxSig_vwwSB, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_DRAWITEM() \
    AFX_WND_ENTRY(WM_DRAWITEM, AfxSig_vDRAW, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
    AFX_WND_ENTRY(WM_MEASUREITEM, AfxSig_vMEASURE, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM() \
    AFX_WND_ENTRY(WM_COMPAREITEM, AfxSig_iCOMPARE, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM() \
    AFX_WND_ENTRY(WM_DELETEITEM, AfxSig_vDELETE, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_INITMENUPOPUP() \
    AFX_WND_ENTRY(WM_INITMENUPOPUP, AfxSig_vMwb, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_INITMENU() AFX_WND_ENTRY(WM_INITMENU, AfxSig_vM, void (AFX_MSG_CALL CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_MENUSELECT() \
    AFX_WND_ENTRY(WM_MENUSELECT, AfxSig_vwwh, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_SYSCOMMAND() AFX_WND_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_GETDLGCODE() AFX_WND_ENTRY(WM_GETDLGCODE, AfxSig_wv, UINT (AFX_MSG_CALL CWnd::*)(), OnGetDlgCode)
#define ON_WM_DROPFILES() AFX_WND_ENTRY(WM_DROPFILES, AfxSig_vHDROP, void (AFX_MSG_CALL CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_CANCELMODE() AFX_WND_ENTRY(WM_CANCELMODE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnCancelMode)
#define ON_WM_STYLECHANGING() \
    AFX_WND_ENTRY(WM_STYLECHANGING, AfxSig_viSS, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_STYLECHANGED() \
    AFX_WND_ENTRY(WM_STYLECHANGED, AfxSig_viSS, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)

// m_nFlags bits.
#define WF_TOOLTIPS 0x0001        // standard tooltips enabled
#define WF_TEMPHIDE 0x0002        // hidden for the time of a modal state
#define WF_MODALLOOP 0x0008       // inside RunModalLoop
#define WF_CONTINUEMODAL 0x0010   // the modal loop goes on
#define WF_STAYACTIVE 0x0020      // keeps its caption active while a popup owns the focus
#define WF_MODALDISABLE 0x0080    // disabled by a modal state

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001      // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002     // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004     // show the window on the first idle

// The window-message dispatch and command routing of one window.
class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd);   // borrows hWnd (a temporary object)
    // A live permanent window is destroyed with its object.
    ~CWnd() override;

    HWND m_hWnd;
    UINT m_nFlags;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // NULL for no object.
    static HWND PASCAL GetSafeHwnd(const CWnd* pWnd) { return pWnd != NULL ? pWnd->m_hWnd : NULL; }

    // Handle maps.
    static CWnd* PASCAL FromHandle(HWND hWnd);            // permanent, else a temporary freed at idle
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);   // NULL when no object owns hWnd
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);   // enters the permanent map; no subclassing
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    // Dispatch. WindowProc -> OnWndMsg (maps, commands, notifications) -> DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Where the procedure replaced at subclassing is kept.
    virtual WNDPROC* GetSuperWndProcAddr();
    // DefWindowProc with the message being dispatched.
    LRESULT Default();
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to each permanent window from its target up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Commands and notifications.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Reflection: a parent offers child notifications to the child first.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

    // Tooltips. A hit test fills pTI (its text must outlive the tool: LPSTR_TEXTCALLBACKW or
    // static text) and returns the tool's id, -1 for none.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    void FilterToolTipMessage(MSG* pMsg);
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);

    // Descendants and layout.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                                BOOL bOnlyPerm);
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    // Modal loop.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Relations.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    // The nearest frame above this window (defined with the frames); NULL when none.
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID)); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    virtual BOOL IsFrameWnd() const;
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
    static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, GetSafeHwnd(pWnd)); }

    // Styles.
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Geometry, visibility, state.
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    {
        ::MapWindowPoints(m_hWnd, GetSafeHwnd(pwndTo), lpPoint, nCount);
    }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
    {
        ::MapWindowPoints(m_hWnd, GetSafeHwnd(pwndTo), reinterpret_cast<LPPOINT>(lpRect), 2);
    }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void CenterWindow(CWnd* pAlternateOwner = NULL);

    // Text and fonts.
    void SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
    int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const
    {
        return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE)
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    void SetDlgItemText(int nID, LPCWSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const
    {
        return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
    }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
    {
        ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck);
    }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
    }

    // Messages, timers, painting.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL)
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, HRGN hrgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
    }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Default handlers: each passes the message being dispatched on to Default().
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    BOOL OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
    void OnDestroy() { Default(); }
    void OnNcDestroy();
    void OnClose() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnMove(int, int) { Default(); }
    void OnPaint() { Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnRButtonDblClk(UINT, CPoint) { Default(); }
    void OnMButtonDown(UINT, CPoint) { Default(); }
    void OnMButtonUp(UINT, CPoint) { Default(); }
    void OnNcMouseMove(UINT, CPoint) { Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnNcLButtonUp(UINT, CPoint) { Default(); }
    void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    void OnNcRButtonDown(UINT, CPoint) { Default(); }
    void OnNcRButtonUp(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    void OnMouseLeave() { Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
    void OnSysChar(UINT, UINT, UINT) { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnSysColorChange() { Default(); }
    void OnSettingChange(UINT, LPCWSTR) { Default(); }
    void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    void OnEnable(BOOL) { Default(); }
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnHScroll(UINT, UINT, CScrollBar* pScrollBar);
    void OnVScroll(UINT, UINT, CScrollBar* pScrollBar);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
    void OnInitMenu(CMenu*) { Default(); }
    void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    void OnDropFiles(HDROP) { Default(); }
    void OnCancelMode() { Default(); }
    void OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
    void OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
    HBRUSH CtlColor(CDC*, UINT) { return NULL; }

protected:
    WNDPROC m_pfnSuper;   // the procedure replaced at subclassing; NULL = the class procedure
    int m_nModalResult;

    DECLARE_MESSAGE_MAP()

    friend LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
};

// The common window procedure of every framework window, and its body for one object:
// keeps the current-message record (restored afterwards, also when nested) and stops every
// exception at the boundary.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Creation hook: the next window created on this thread is attached to pWnd at HCBT_CREATEWND,
// before WM_NCCREATE. The hook is installed around each creation so that it is the newest one
// and runs before hooks installed earlier (the skin framework's).
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();   // FALSE when the window was never attached

// This thread's permanent window map (the objects that own their windows).
CHandleMap<CWnd, HWND>* AfxGetPermanentWndMap();

// Window classes: an identical class already registered counts as success.
BOOL AfxRegisterClass(WNDCLASSW* lpWndClass);
// A class with the given look; its generated name stays valid for the life of the process.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL, HICON hIcon = NULL);
// Moves hWnd to lpRect through the layout's deferral handle (or at once), only when it changes.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// Temporary objects (FromHandle) of this thread: freed at idle unless locked.
void AfxLockTempMaps();
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// Message pump pieces shared by the thread loop and modal loops.
BOOL AfxPumpMessage();
BOOL AfxPreTranslateMessage(MSG* pMsg);
BOOL AfxIsIdleMessage(MSG* pMsg);
// What the common window procedure does with an exception a handler let out.
LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg);

// Command UI over a menu item (m_pMenu, m_nIndex) or a window (m_pOther).
class CWndCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCWSTR lpszText) override;
};
