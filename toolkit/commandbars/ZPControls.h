// The ordered list of controls of one command bar: it owns one reference on each control, keeps
// their indices and back-pointers current, builds controls by kind or from menu items, keeps the
// snapshot of the controls as the program built them, and lays its controls out.
#pragma once

#include <framework.h>
#include <framework/wnd.h>

#include "commandbars/ZPControl.h"

class CZPCommandBar;
class CZPCommandBars;
class CZPOriginalControls;

// Toolkit bits of a layout mode, beside the framework's LM_ flags.
const DWORD ZP_LM_STRETCH = 0x01;
const DWORD ZP_LM_HORZ = 0x02;
const DWORD ZP_LM_MRUWIDTH = 0x04;
const DWORD ZP_LM_HORZDOCK = 0x08;
const DWORD ZP_LM_VERTDOCK = 0x10;
const DWORD ZP_LM_LENGTHY = 0x20;
const DWORD ZP_LM_COMMIT = 0x40;
const DWORD ZP_LM_HIDEWRAP = 0x80;      // controls that do not fit are hidden instead of wrapped
const DWORD ZP_LM_POPUP_SHAPE = 0x100;  // floating shape: each group on a new row, then balanced

class CZPControls : public CCmdTarget
{
    DECLARE_DYNCREATE(CZPControls)
public:
    CZPControls();
    ~CZPControls() override;

    // Membership.
    int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    CZPControl* GetAt(int nIndex) const;
    // Takes over the caller's reference; an index out of range appends. A control already in a
    // collection is refused (NULL): inserting it twice would break the one-reference rule.
    CZPControl* InsertAt(CZPControl* pControl, int nIndex);
    CZPControl* Append(CZPControl* pControl) { return InsertAt(pControl, -1); }
    void RemoveAt(int nIndex) { Remove(GetAt(nIndex)); }
    void RemoveAll();
    void SetParentBar(CZPCommandBar* pParent);
    CZPCommandBar* GetParent() const { return m_pParent; }
    CZPCommandBars* GetCommandBars() const;
    void SetCommandBars(CZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    BOOL IsOriginalControls() const { return m_bOriginalControls; }

    // Search.
    CZPControl* FindControl(int nKind, int nId, BOOL bVisible, BOOL bRecursive) const;
    CZPControl* FindControlById(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    CZPControl* HitTest(CPoint point) const;
    int GetVisibleCount(BOOL bStrict = TRUE) const;
    CZPControl* GetVisibleAt(int nIndex, BOOL bStrict = TRUE) const;
    int GetNext(int nIndex, int nDirection, BOOL bSkipUnfocusable = TRUE, BOOL bSkipTemporary = FALSE,
                BOOL bKeepHiddenByUsage = TRUE) const;

    // Creation. The returned control belongs to the collection (no reference for the caller).
    CZPControl* Add(int nKind, int nId, LPCWSTR lpszParameter = NULL, int nBefore = -1, BOOL bTemporary = FALSE);
    CZPControl* AddControl(CZPControl* pControl, int nId = 0, LPCWSTR lpszParameter = NULL, int nBefore = -1,
                           BOOL bTemporary = FALSE);
    CZPControl* AddMenuItem(CMenu* pMenu, int nIndex);
    // The same with the menu's default item (GetDefaultItem by position) already known: the
    // lookup walks the whole menu, so loading a menu asks once, not once per item.
    CZPControl* AddMenuItem(CMenu* pMenu, int nIndex, UINT nDefaultItem);
    CZPControl* AddClone(CZPControl* pClone, int nBefore = -1, BOOL bRecursive = FALSE);
    CZPControl* SetControlType(CZPControl* pControl, int nKind);
    CZPControl* SetControlTypeAt(int nIndex, int nKind);

    // Copies and the snapshot.
    CZPControls* Duplicate(BOOL bRecursive = FALSE) const;  // one reference for the caller
    void CreateOriginalControls();
    CZPOriginalControls* GetOriginalControls() const { return m_pOriginalControls.Get(); }
    void SetOriginalControls(CZPOriginalControls* pControls);  // takes over the reference
    BOOL IsEqual(const CZPControls* pOther) const;
    BOOL IsChanged() const;
    void Sort();

    // Layout (ZPControlsLayout.cpp).
    CSize LayoutControls(CDC* pDC, int nLength, DWORD dwMode, CRect rcBorder, int nMinLength = 0);
    CSize LayoutPopup(CDC* pDC, int nMaxHeight, int nFixedWidth, CRect rcBorder);

    // Virtual operations, in slot order.
    virtual void Remove(CZPControl* pControl);                                   // 20
    virtual void CopyFrom(const CZPControls* pSource, BOOL bRecursive = FALSE);  // 21
    virtual void DoPropExchange(CZPPropExchange* pPX);                           // 22
    virtual BOOL ShouldSerialize(CZPControl* pControl) const;                    // 23
    virtual void OnControlAdded(CZPControl* pControl);                           // 24
    virtual void OnControlRemoved(CZPControl* pControl);                         // 25
    virtual BOOL IsRemoveRefused(CZPControl* pControl) const;                    // 26
    virtual void RefreshIndexes();                                               // 27

protected:
    // The site for create requests: the command bars' site, else the bar's command target.
    CWnd* FindRequestSite() const;
    // A new control object of a kind for an id (one reference), or NULL for an unknown kind.
    CZPControl* CreateControlOfKind(int nKind, int nId, const CString& strCaption) const;
    // Gives a new popup control its popup bar, asking the site with ZpMsgCreateBar.
    void AttachPopupBar(CZPControl* pPopup, const CString& strCaption, int nId, CMenu* pSubMenu, BOOL bSetTitle);
    void RemoveControl(int nIndex);

    CArray<CRefPtr<CZPControl>, const CRefPtr<CZPControl>&> m_arrControls;
    CZPCommandBar* m_pParent;        // borrowed: the bar showing the controls
    CZPCommandBars* m_pCommandBars;  // borrowed: for collections without a bar
    CRefPtr<CZPOriginalControls> m_pOriginalControls;
    BOOL m_bOriginalControls;
    int m_nRefreshFrom;  // the first index an insert or removal may have moved; 0 (all) for any other refresh
};

// The controls as the program built them; never has a bar.
class CZPOriginalControls : public CZPControls
{
    DECLARE_DYNCREATE(CZPOriginalControls)
public:
    CZPOriginalControls();
};

// TRUE for the keyboard selection states.
BOOL ZpIsKeyboardSelection(int nSelected);
