// The toolkit's own tip window: speaks the part of the tooltip-control protocol the tooltip
// context uses and draws plain, Office, Office 2007 and Luna tips itself.
#pragma once

#include <framework.h>

#include <framework/gdi.h>
#include <framework/wnd.h>

#include "common/ZPToolTipContext.h"

#include <vector>

class CZPImageManagerIcon;

class CZPToolTipContextToolTip : public CWnd
{
    DECLARE_DYNAMIC(CZPToolTipContextToolTip)
public:
    struct TOOLITEM
    {
        TOOLITEM() { Clear(); }
        void Clear();
        // Same hwnd and id; a cleared record equals only another cleared one.
        BOOL IsSameTool(const TOOLITEM& tool) const { return hwnd == tool.hwnd && uId == tool.uId; }
        BOOL IsNone() const { return hwnd == NULL && uId == static_cast<UINT_PTR>(-1); }

        CString strText;
        BOOL bTextCallback;
        UINT uFlags;
        RECT rect;
        HINSTANCE hinst;
        HWND hwnd;
        UINT_PTR uId;
        RECT rcAnchor;
    };

    // Timer of the tool waiting for the initial delay.
    static const UINT_PTR kPendingTimer = 1;
    static const UINT kDefaultInitialDelay = 500;
    static const UINT kDefaultReshowDelay = 200;
    // Cursor depth when the cursor's bitmaps cannot be read.
    static const int kDefaultCursorDepth = 21;

    explicit CZPToolTipContextToolTip(CZPToolTipContext* pContext);
    ~CZPToolTipContextToolTip() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle);

    virtual CSize CalcSize(TOOLITEM* pTool);
    virtual void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc);
    virtual void DrawBackground(CDC* pDC, TOOLITEM* pTool, CRect rc);
    virtual void OnShowChanged(BOOL bShow);

    // The tool's text; a callback text is asked of its window once.
    CString GetToolText(TOOLITEM* pTool);
    void RelayEvent(const MSG* pMsg);
    // Null hides the tip.
    void ShowTool(const TOOLITEM* pTool);

    const TOOLITEM& GetShownTool() const { return m_shownTool; }
    int GetToolCount() const { return static_cast<int>(m_arrTools.size()); }
    UINT GetInitialDelay() const { return m_nInitialDelay; }
    UINT GetReshowDelay() const { return m_nReshowDelay; }

    // Distance from the current cursor's hot spot to the bottom of its visible part.
    static int GetCursorDepth();
    // The depth from a cursor mask's first 256 bytes (monochrome: AND half above XOR half).
    static int CursorDepthFromMask(const BYTE* pMask, int cx, int cy, BOOL bColor, int yHotSpot);
    // The thread's WH_MOUSE hook, or NULL.
    static HHOOK GetMouseHook();

protected:
    TOOLITEM* FindTool(HWND hWnd, UINT_PTR uId);
    const TOOLITEM* ToolFromCursor();
    HWND WindowFromPoint(POINT pt) const;
    void InstallMouseHook();
    void RemoveMouseHook();
    void Deactivate();
    void ReadToolRecord(TOOLITEM* pTool, const TOOLINFOW* pInfo);
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    LRESULT OnActivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetDelayTime(WPARAM wParam, LPARAM lParam);
    LRESULT OnRelayEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTitle(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateTipText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaintMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTestMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimerMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::vector<TOOLITEM*> m_arrTools;   // owned
    CZPToolTipContext* m_pContext;       // borrowed: the context owns this tip
    BOOL m_bActive;
    TOOLITEM m_shownTool;
    TOOLITEM m_clickedTool;
    TOOLITEM m_pendingTool;
    UINT_PTR m_nTimer;
    DWORD m_dwLastShowTime;
    UINT m_nInitialDelay;
    UINT m_nReshowDelay;
    CString m_strTitle;
    CZPImageManagerIcon* m_pImage;   // borrowed from the image manager
    BOOL m_bRegionSet;
};

// Luna tips: a gradient and frame by the Windows theme.
class CZPToolTipContext::CLunaToolTip : public CZPToolTipContextToolTip
{
public:
    explicit CLunaToolTip(CZPToolTipContext* pContext) : CZPToolTipContextToolTip(pContext) {}
    void DrawBackground(CDC* pDC, TOOLITEM* pTool, CRect rc) override;
};
