// One command control on a command bar: identity, state, place in its bar and how a click
// becomes a command. Measuring and drawing go through the bar's paint manager.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include "common/ZPAccessible.h"
#include "commandbars/ZPCommandBarsResource.h"

class CZPCommandBar;
class CZPCommandBars;
class CZPControls;
class CZPControlAction;
class CZPImageManager;
class CZPImageManagerIcon;
class CZPPaintManager;
class CZPPropExchange;

// Control kinds (Type).
enum ZpControlKind
{
    zpControlCustomBase = 0,  // the base class itself
    zpControlButton = 1,
    zpControlPopup = 2,
    zpControlButtonPopup = 3,
    zpControlSplitButtonPopup = 4,
    zpControlComboBox = 5,
    zpControlEdit = 6,
    zpControlCustom = 7,
    zpControlLabel = 8,
    zpControlCheckBox = 9,
    zpControlGallery = 10,
    zpControlRadioButton = 11
};
const int ZP_CONTROL_KIND_LAST = zpControlRadioButton;

inline BOOL ZpIsPopupKind(int nKind)
{
    return nKind == zpControlPopup || nKind == zpControlButtonPopup || nKind == zpControlSplitButtonPopup;
}

// Button styles.
enum ZpButtonStyle
{
    zpButtonAutomatic = 0,
    zpButtonCaption = 1,
    zpButtonIcon = 2,
    zpButtonIconAndCaption = 3,
    zpButtonIconAndCaptionBelow = 4,
    zpButtonCaptionAndDescription = 5  // popup items: caption with a description below
};

// Behaviour bits (Flags).
enum ZpControlFlags
{
    zpFlagRightAlign = 0x01,        // this and the following controls of the row go to its far end
    zpFlagSkipFocus = 0x02,         // skipped by keyboard navigation, no keyboard tip
    zpFlagLeftPopup = 0x04,         // the popup opens towards the left
    zpFlagManualUpdate = 0x08,      // no update-UI request in idle time
    zpFlagNoMovable = 0x10,         // cannot be moved or removed in customize mode
    zpFlagControlStretched = 0x20,  // shares the free length of its row
    zpFlagShowPopupBarToolTips = 0x40,
    zpFlagWrapRow = 0x80  // always begins a new row or column
};

// Hide reasons (HideFlags); a control is hidden while any bit is set.
enum ZpControlHideFlags
{
    zpHideNone = 0,
    zpHideGeneric = 0x01,  // SetVisible(FALSE)
    zpHideWrap = 0x02,     // does not fit in its bar
    zpHideDockingPosition = 0x04,
    zpHideScroll = 0x08,     // scrolled out of a popup
    zpHideCustomize = 0x10,  // removed through the add-or-remove-buttons popup
    zpHideExpand = 0x20,     // rarely used
    zpHideDocTemplate = 0x40,
    zpHideRibbonTab = 0x80
};

// Selection states.
enum ZpControlSelection
{
    zpSelectionNone = 0,
    zpSelectionHot = 1,
    zpSelectionKeyboard = 2,
    zpSelectionKeyboardBack = 3
};

// Pressed states.
const int ZP_PRESSED_NONE = 0;
const int ZP_PRESSED_MOUSE = 1;
const int ZP_PRESSED_EXECUTING = 2;

// The schema this system writes.
const long ZP_COMMANDBARS_SCHEMA = 34;

class CZPControl;
// The n-th (0-based) newline-separated part of a prompt, empty when it has fewer parts.
CString ZpPromptPart(const CString& strText, int nPart);
// Tooltip (part 1) and description (part 0) of a prompt; without a newline both are the whole text.
void ZpSplitPromptTexts(const CString& strPrompt, CString& strTooltip, CString& strDescription);
// TRUE when the control's class is the class a kind asks for (so drawing may downcast by Type).
BOOL ZpIsControlKindOf(const CZPControl* pControl, int nKind);

class CZPControl : public CCmdTarget, public CZPAccessible
{
    DECLARE_DYNCREATE(CZPControl)
public:
    // Document-template resource ids for which the control is shown or hidden.
    class CDocTemplateMap : public CMap<UINT, UINT, BOOL, BOOL>
    {
    public:
        void Copy(const CDocTemplateMap& source);
        void Serialize(CArchive& ar) override;
    };

    CZPControl();
    ~CZPControl() override;

    // Effective values; readers use these, never the raw fields.
    CString GetShortcutText() const;
    CString ResolveKeyboardTipText() const;
    int GetIconId() const;
    BOOL GetEnabled() const;
    BOOL GetChecked() const;
    int GetStyle() const;
    CZPImageManager* GetImageManager() const;
    CZPPaintManager* GetPaintManager() const;
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    BOOL IsCustomizeMode() const;

    // Raw fields.
    int GetID() const { return m_nId; }
    int GetIndex() const { return m_nIndex; }
    int GetType() const { return m_controlType; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR nTag) { m_nTag = nTag; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    DWORD GetFlags() const { return m_dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    const CString& GetParameter() const { return m_strParameter; }
    void SetParameter(LPCWSTR lpszParameter) { m_strParameter = lpszParameter; }
    CZPControls* GetControls() const { return m_pControls; }
    CZPCommandBar* GetParent() const { return m_pParent; }
    CZPControlAction* GetAction() const { return m_pAction; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetCustomStyle() const { return m_nCustomStyle; }
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    BOOL GetHiddenByUsage() const { return m_bHiddenByUsage; }
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    const CString& GetCaptionRaw() const { return m_strCaption; }
    const CString& GetCustomCaption() const { return m_strCustomCaption; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    int GetHelpId() const { return m_nHelpId; }
    const CString& GetCategory() const { return m_strCategory; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    const CDocTemplateMap& GetDocTemplatesAssigned() const { return m_mapDocTemplatesAssigned; }
    const CDocTemplateMap& GetDocTemplatesExcluded() const { return m_mapDocTemplatesExcluded; }

    // Setters: each stores only a changed value, then does its own follow-up.
    void SetChecked(int nChecked);
    void SetDefaultItem(BOOL bDefaultItem);
    void SetVisible(BOOL bVisible);
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    void SetHiddenByUsage(BOOL bHiddenByUsage);
    void SetStyle(int nStyle);
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    void SetIconId(int nId) { m_nIconId = nId; }
    void SetCustomIconId(int nId) { m_nCustomIconId = nId; }
    void SetHelpId(int nId) { m_nHelpId = nId; }
    void SetCustomCaption(LPCWSTR lpszCaption) { m_strCustomCaption = lpszCaption; }
    void SetTooltip(LPCWSTR lpszText) { m_strTooltipText = lpszText; }
    void SetDescription(LPCWSTR lpszText) { m_strDescriptionText = lpszText; }
    void SetShortcutText(LPCWSTR lpszText) { m_strShortcutText = lpszText; }
    // The shortcut text from a plain string; a NULL string clears it.
    void SetShortcutTextFromString(LPCWSTR lpszText) { m_strShortcutText = lpszText != NULL ? lpszText : L""; }
    // The shortcut text the bar finds for the id (shown when no own text is set).
    void SetShortcutTextAuto(LPCWSTR lpszText);
    void SetKeyboardTip(LPCWSTR lpszText) { m_strKeyboardTip = lpszText; }
    void SetCategory(LPCWSTR lpszCategory) { m_strCategory = lpszCategory; }
    void SetIconSize(CSize size) { m_szIcon = size; }
    void SetExecuteOnPressInterval(int nInterval) { m_nExecuteOnPressInterval = nInterval; }
    void SetSelectedRaw(int nSelected) { m_nSelected = nSelected; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }

    // Called by the action when it binds or unbinds this control (CZPControl::SetAction).
    void BindToAction(CZPControlAction* pAction);
    void UnbindFromAction();

    void DelayLayout();
    void RedrawParent(BOOL bAnimate = TRUE);
    // Customize width tracking: the point lies on an edge that moves; the cursor over one; the
    // inverted tracking frame.
    BOOL IsOnResizeEdge(CPoint point) const;
    void UpdateResizeCursor(CPoint point);
    static void DrawResizeFrame(CDC* pDC, const CRect& rc);

    // Site notification: ZpMsgExecute, then the target's command routing, then (SendCommand) WM_COMMAND.
    LRESULT NotifySiteEx(CWnd* pWndTarget, UINT nCode, ZpControlNotifyRecord* pRecord);
    LRESULT NotifySite(UINT nCode);
    LRESULT SendCommand(CWnd* pWndTarget);

    void SetID(int nId);
    void SetPrompt(LPCWSTR lpszPrompt);
    void SetCaption(LPCWSTR lpszCaption);
    void SetCaptionFromResource(UINT nIDString);
    int ResetCustomization();
    BOOL IsCursorOver() const;
    BOOL IsPressedAfterExecute() const;

    // Virtual operations, in slot order after the command target's.
    virtual CString GetCaption() const;                                       // 20
    virtual CString GetDescription() const;                                   // 21
    virtual CString GetTooltip() const;                                       // 22
    virtual void SetBeginGroup(BOOL bBeginGroup);                             // 23
    virtual void SetEnabled(int nEnabled);                                    // 24
    virtual int GetSelected() const;                                          // 25
    virtual void SetFocused(BOOL bFocused);                                   // 26
    virtual BOOL IsFocused() const;                                           // 27
    virtual int GetPressed() const;                                           // 28
    virtual void SetRect(CRect rcControl);                                    // 29
    virtual BOOL IsVisible(DWORD dwSkipFlags = 0) const;                      // 30
    virtual BOOL IsCaptionVisible() const;                                    // 31
    virtual BOOL Compare(CZPControl* pOther);                                 // 32
    virtual CZPCommandBar* GetCommandBar() const;                             // 33
    virtual BOOL HasCustomBackground() const;                                 // 34
    virtual void SetHideFlags(DWORD dwFlags);                                 // 35
    virtual void Execute();                                                   // 36
    virtual CSize GetSize(CDC* pDC);                                          // 37
    virtual void Draw(CDC* pDC);                                              // 38
    virtual void OnBeforeLayout(UINT nLayoutMode);                            // 39
    virtual CZPImageManagerIcon* GetImage(int nWidth = 16) const;             // 40
    virtual void DoPropExchange(CZPPropExchange* pPX);                        // 41
    virtual void OnKeyboardActivate();                                        // 42
    virtual BOOL IsPopuped() const;                                           // 43
    virtual void SetAction(CZPControlAction* pAction);                        // 44
    virtual void OnThemeChanged();                                            // 45
    virtual void SetWidth(int nWidth);                                        // 46
    virtual void SetHeight(int nHeight);                                      // 47
    virtual CSize GetButtonSize() const;                                      // 48
    virtual CSize GetIconSize() const;                                        // 49
    virtual void Copy(CZPControl* pSource, BOOL bRecursive);                  // 50
    virtual void OnClick(BOOL bKeyboard, CPoint point);                       // 51
    virtual BOOL IsFocusable() const;                                         // 52
    virtual BOOL OnHookKeyDown(UINT nChar, LPARAM lParam);                    // 53
    virtual BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint point);   // 54
    virtual void SetParent(CZPCommandBar* pParent);                           // 55
    virtual BOOL SetPopuped(BOOL bPopup);                                     // 56
    virtual void OnLButtonUp(CPoint point);                                   // 57
    virtual void OnLButtonDown(CPoint point);                                 // 58
    virtual BOOL OnRButtonDown(CPoint point);                                 // 59
    virtual BOOL OnRButtonUp(CPoint point);                                   // 60
    virtual BOOL OnLButtonDblClk(CPoint point);                               // 61
    virtual void OnMouseMove(CPoint point);                                   // 62
    virtual void OnMouseHover();                                              // 63
    virtual BOOL OnSetSelected(int bSelected);                                // 64
    virtual void OnCustomizeMouseDown(CPoint point);                          // 65
    virtual BOOL OnCustomizeResizeTrack(CPoint point);                        // 66
    virtual void OnCustomizeDragOver(CZPControl* pDataObject, CPoint point);  // 67
    virtual BOOL IsCustomizeDropAllowed(CZPControl* pDataObject);             // 68
    virtual BOOL IsCustomizeResizable() const;                                // 69
    virtual int GetCustomizeMinWidth() const;                                 // 70
    virtual int GetCustomizeMinHeight() const;                                // 71
    virtual void OnBeforeUpdate();                                            // 72
    virtual void OnRemoved();                                                 // 73
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI);              // 74
    virtual BOOL IsCustomizeMovable() const;                                  // 75
    virtual void RestoreChildBar(CZPCommandBars* pCommandBars);               // 76
    virtual void CollectChildBars(CPtrArray* pBars);                          // 77
    virtual void OnActionChanged(int nProperty);                              // 78
    virtual void OnActionChanging(int nProperty);                             // 79
    virtual void OnCaptionChanged();                                          // 80
    virtual CZPControl* Clone(BOOL bRecursive);                               // 81

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    CCmdTarget* GetAccessibleCmdTarget() override { return this; }

    // Accessibility (ZPControlAccessible.cpp): answered for child id 0, the control itself.
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    HRESULT GetAccessibleFocus(VARIANT* pvarChild) override;
    HRESULT GetAccessibleSelection(VARIANT* pvarChildren) override;

    // Action property numbers passed to OnActionChanged.
    enum
    {
        actionPropertyCaption = 3
    };

protected:
    // Fields in the documented order.
    DWORD_PTR m_nTag;
    int m_nIndex;
    int m_nId;
    int m_nIconId;
    int m_nHelpId;
    int m_nCustomIconId;
    BOOL m_bWrap;
    BOOL m_bBeginGroup;
    int m_bEnabled;   // 1/0, -1 from the action
    int m_bChecked;   // 1/0, -1 from the action
    int m_nSelected;  // ZpControlSelection
    int m_nPressed;
    BOOL m_bTemporary;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags;
    DWORD m_dwFlags;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CZPControls* m_pControls;  // borrowed: the collection that holds this control (owns a reference)
    int m_controlType;
    CZPCommandBar* m_pParent;  // borrowed: the bar that shows this control
    BOOL m_bHiddenByUsage;
    CString m_strCategory;
    BOOL m_bDefaultItem;
    CDocTemplateMap m_mapDocTemplatesAssigned;
    CDocTemplateMap m_mapDocTemplatesExcluded;
    int m_buttonStyle;
    int m_nCustomStyle;  // -1 none
    int m_buttonGroupStyle;
    BOOL m_bCloseSubMenuOnClick;
    CCmdTarget* m_pRibbonGroup;   // borrowed: the ribbon group holding the control
    CZPControlAction* m_pAction;  // borrowed: bound, not owned (the action lists its controls)
    int m_nWidth;
    int m_nHeight;
    int m_nExecuteOnPressInterval;
    CSize m_szIcon;

    friend class CZPControls;
};
