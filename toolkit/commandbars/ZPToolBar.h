// A docking toolbar: docked and floating sizes with its expand and hide buttons, its window as a
// child of a dock bar or a floating popup, visibility with the site's notification, reset to its
// original controls, and the mouse gestures that start dragging, docking and resizing.
#pragma once

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlPopup.h"

#include <framework/messages.h>

class CZPDockBar;
class CZPDockContext;

// Default flags of a toolbar: every position bit, controls that do not fit are hidden.
const DWORD ZP_TOOLBAR_FLAGS = 0x3F;
// Bar flags (the Flags field): sides the bar may take, and how it sits in a dock row.
const DWORD ZP_BAR_FLAG_ALIGN_TOP = 0x1;
const DWORD ZP_BAR_FLAG_ALIGN_BOTTOM = 0x2;
const DWORD ZP_BAR_FLAG_ALIGN_LEFT = 0x4;
const DWORD ZP_BAR_FLAG_ALIGN_RIGHT = 0x8;
const DWORD ZP_BAR_FLAG_ALIGN_ANY = 0xF;
const DWORD ZP_BAR_FLAG_FLOATING = 0x10;
const DWORD ZP_BAR_FLAG_POSITIONS = 0x1F;
const DWORD ZP_BAR_FLAG_HIDE_WRAP = 0x20;          // controls that do not fit are hidden
const DWORD ZP_BAR_FLAG_STRETCHED = 0x40;          // alone in its row, stretched over it
const DWORD ZP_BAR_FLAG_FILL_ROW_GAPS = 0x100000;  // fills the gaps to its neighbours
// Border of a floating toolbar on every side.
const int ZP_FLOATING_BORDER = 3;
// Space kept at the far end of a docked toolbar for its expand button.
const int ZP_EXPAND_BUTTON_RESERVE = 11;
// The framework's synchronised-activation style of floating frames.
const DWORD ZP_WS_SYNC_ACTIVE = 0x100;

// The runtime classes of nested controls (the framework's macros take unqualified names); the
// base is given as its runtime class, so that it may be nested too.
#define ZP_IMPLEMENT_NESTED_DYNCREATE(outer, inner, pBaseClass)                                                        \
    CObject* PASCAL outer::inner::CreateObject()                                                                       \
    {                                                                                                                  \
        return new outer::inner;                                                                                       \
    }                                                                                                                  \
    CRuntimeClass outer::inner::class##inner = { #outer "::" #inner, sizeof(outer::inner), 0xFFFF,                     \
                                                 outer::inner::CreateObject, pBaseClass, NULL };                       \
    CRuntimeClass* outer::inner::GetRuntimeClass() const                                                               \
    {                                                                                                                  \
        return &outer::inner::class##inner;                                                                            \
    }                                                                                                                  \
    static const AFX_CLASSINIT _init_##outer##inner(&outer::inner::class##inner);

// The window class of toolbars.
extern const wchar_t kZpToolBarClass[];

class CZPToolBar : public CZPCommandBar
{
    DECLARE_DYNCREATE(CZPToolBar)
public:
    // The expand button (9148) at the end of a docked toolbar: it opens the "Toolbar Options" popup.
    class CControlButtonExpand : public CZPControlPopup
    {
        DECLARE_DYNCREATE(CControlButtonExpand)
    public:
        CControlButtonExpand();
        void SetRect(CRect rcControl) override;
        BOOL SetPopuped(BOOL bPopup) override;
        void Draw(CDC* pDC) override;
        // Some control of the bar is hidden only for lack of room (recomputed by SetRect).
        BOOL HasHiddenControls() const { return m_bHiddenControls; }

    private:
        BOOL m_bHiddenControls;
    };

    // The hide button (9149) in the caption of a floating toolbar.
    class CControlButtonHide : public CZPControlButton
    {
        DECLARE_DYNCREATE(CControlButtonHide)
    public:
        CControlButtonHide();
        void OnClick(BOOL bKeyboard, CPoint point) override;
        void Execute() override;
        void Draw(CDC* pDC) override;
    };

    // One entry of the add-or-remove list: shows or hides a control, or resets its toolbar.
    class CControlButtonCustomize : public CZPControlButton
    {
        DECLARE_DYNCREATE(CControlButtonCustomize)
    public:
        CControlButtonCustomize();
        void Execute() override;
        void Bind(CZPControl* pControl) { m_pBoundControl.Reset(pControl); }
        void Bind(CZPToolBar* pToolBar) { m_pBoundBar.Reset(pToolBar); }
        CZPControl* GetBoundControl() const { return m_pBoundControl.Get(); }

    private:
        CRefPtr<CZPControl> m_pBoundControl;
        CRefPtr<CZPToolBar> m_pBoundBar;
    };

    CZPToolBar();
    ~CZPToolBar() override;

    CZPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CZPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CZPDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTornOff() const { return m_bTearOff; }
    void SetTornOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    // A tear-off loop that holds the toolbar keeps it: hiding it then only hides its window.
    BOOL IsHeldByTearOff() const { return m_bHeldByTearOff; }
    void SetHeldByTearOff(BOOL bHeld) { m_bHeldByTearOff = bHeld; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    // Listed on the customize dialog's Toolbars page.
    BOOL IsCustomizeDialogPresent() const { return m_bCustomizeDialogPresent; }
    void SetCustomizeDialogPresent(BOOL bPresent) { m_bCustomizeDialogPresent = bPresent; }
    BOOL IsNotSaved() const { return m_bNotSaved; }
    void SetNotSaved(BOOL bNotSaved) { m_bNotSaved = bNotSaved; }
    BOOL GetShowExpandButton() const { return m_bShowExpandButton; }
    void SetShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    BOOL IsFloating() const { return m_barPosition == zpBarFloating; }
    BOOL IsVerticalPosition() const { return m_barPosition == zpBarLeft || m_barPosition == zpBarRight; }
    // The command bars' hide-all switch (print preview).
    void SetHideAll(BOOL bHide);
    // Copies every control hidden only for lack of room to the end of an expand popup, visible
    // and without a group start.
    void CopyHiddenForRoomTo(CZPCommandBar* pPopup) const;
    // Puts the original controls the user removed back among the controls, hidden (0x10).
    void MergeOriginalControls();
    // The add-or-remove list of this toolbar into a popup: one entry per listed control, checked
    // while shown, enabled for original controls; then "Reset Toolbar".
    void FillAddRemoveList(CZPCommandBar* pList);
    // The layout mode of this toolbar in a dock bar of the given orientation.
    DWORD GetDockedMode(BOOL bHorizontal) const;

    // Virtual operations, in slot order after the base's.
    virtual CSize CalcDockedSize(int nLength, DWORD dwMode, int nExtra);
    virtual void RestoreOriginalControls(BOOL bPrompt);
    // The reset prompt (string 9173 with the title): TRUE when answered OK.
    BOOL ConfirmReset() const;
    virtual BOOL CreateBarWindow(CWnd* pSite, BOOL bFloating);
    virtual BOOL CanRestoreOriginal() const;
    // An edge drag of a bar that sizes itself from its edges (a dialog bar) hands it the new
    // window rectangle; TRUE when applied. A toolbar re-wraps instead and never takes it.
    virtual BOOL ResizeByEdge(const CRect& rcWindow, int nHitTest);

    // Base slots.
    BOOL LoadToolBarResource(UINT nIDResource, BOOL bLoadImages = TRUE) override;
    void SetBarVisible(BOOL bVisible) override;
    BOOL IsBarVisible() const override;
    BOOL MoveToPosition(int nPosition) override;
    void RecalcBarLayout() override;
    void ExchangeProperties(CZPPropExchange* pPX) override;
    virtual CRect QueryBarBorders();
    CSize ComputeBarSize(int nLength, DWORD dwMode) override;
    virtual void CopyFrom(const CZPToolBar* pOther, BOOL bRecursive);
    virtual CZPToolBar* CloneBar(BOOL bRecursive) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A control of the built-in kind with this id, added as temporary when missing.
    CZPControl* FindOrAddBuiltIn(int nId);
    // Places the expand button in the reserved far end of a docked bar of this size.
    void PlaceExpandButton(CZPControl* pExpand, CSize size);
    BOOL HasControlHiddenForRoom() const;
    // The rectangle of the gripper area in client coordinates (empty without a gripper).
    CRect GetGripperRect() const;
    BOOL OnSetCursor(UINT nHitTest);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnLButtonDblClk(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint ptScreen);
    BOOL OnRButtonDown(CPoint point) override;
    LRESULT OnNcHitTest(CPoint ptScreen);
    LRESULT OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout);
    LRESULT OnFloatStatus(WPARAM wParam);
    void SyncFloatingStatus();
    // Sends WM_SIZE with its client size to a site without command bars.
    void ResizeSiteWithoutCommandBars();

    CZPDockBar* m_pDockBar;          // borrowed: set and cleared by the dock bar
    CZPDockContext* m_pDockContext;  // owned
    BOOL m_bBuiltIn;
    BOOL m_bTearOff;
    BOOL m_bVisibleBeforeHideAll;
    BOOL m_bHideAll;
    BOOL m_bNotSaved;
    BOOL m_bShowExpandButton;
    BOOL m_bContextMenuPresent;
    BOOL m_bInRecalcLayout;
    BOOL m_bCloseable;
    BOOL m_bCustomizeDialogPresent;
    BOOL m_bHeldByTearOff;
};
