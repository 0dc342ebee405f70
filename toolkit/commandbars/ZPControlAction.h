// Actions: the state every control of one command id shares while the command bars' action switch
// is on, and the command bars' collection of them, sorted by id.
#pragma once

#include <framework.h>

class CZPCommandBars;
class CZPControl;
class CZPControlActions;
class CZPControlGalleryItems;

class CZPControlAction : public CCmdTarget
{
public:
    CZPControlAction(CZPControlActions* pOwner, int nId);
    ~CZPControlAction() override;

    int GetId() const { return m_nId; }
    int GetIconId() const { return m_nIconId > 0 ? m_nIconId : m_nId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    CString GetCaption() const { return !m_strCaption.IsEmpty() ? m_strCaption : m_strTooltipText; }
    CString GetTooltip() const { return m_strTooltipText; }
    CString GetDescription() const { return m_strDescriptionText; }
    const CString& GetShortcutText() const { return m_strShortcutText; }
    const CString& GetKeyboardTip() const { return m_strKeyboardTip; }
    const CString& GetEditHint() const { return m_strEditHint; }
    // TRUE while the owning command bars are in customize mode.
    BOOL GetEnabled() const;
    BOOL GetChecked() const { return m_bChecked; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    void SetChecked(BOOL bChecked) { m_bChecked = bChecked; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    void SetTooltip(LPCWSTR lpszText) { m_strTooltipText = lpszText; }
    void SetDescription(LPCWSTR lpszText) { m_strDescriptionText = lpszText; }
    void SetShortcutText(LPCWSTR lpszText) { m_strShortcutText = lpszText; }
    void SetKeyboardTip(LPCWSTR lpszText) { m_strKeyboardTip = lpszText; }
    void SetEditHint(LPCWSTR lpszText) { m_strEditHint = lpszText; }

    // Drops the part from the first tab on; a changed caption reaches every bound control.
    void SetCaption(LPCWSTR lpszCaption);
    // "description\ntooltip\ncaption\nkeyboard tip"; the caption and tip only fill empty ones.
    void SetPrompt(LPCWSTR lpszPrompt);

    // The gallery items of a bound gallery: one reference held, released on destruction.
    CZPControlGalleryItems* GetItems() const { return m_pItems; }
    void SetItems(CZPControlGalleryItems* pItems);

    // Binding, only through CZPControl::SetAction. Attach answers the control's position.
    int Attach(CZPControl* pControl);
    void Detach(CZPControl* pControl);
    int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    CZPControl* GetAt(int nIndex) const { return m_arrControls[nIndex]; }

    void NotifyChanging(int nProperty);
    void NotifyChanged(int nProperty);
    void DelayLayoutControls();

private:
    CZPControlActions* m_pOwner;  // borrowed: the collection holding this action
    int m_nId;
    int m_nIconId;
    BOOL m_bEnabled;
    BOOL m_bChecked;
    BOOL m_bVisible;
    CString m_strCaption;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strShortcutText;
    CString m_strKeyboardTip;
    CString m_strEditHint;
    CZPControlGalleryItems* m_pItems;                // one reference, may be NULL
    CArray<CZPControl*, CZPControl*> m_arrControls;  // borrowed: bound controls in binding order
};

class CZPControlActions : public CCmdTarget
{
public:
    explicit CZPControlActions(CZPCommandBars* pCommandBars);
    ~CZPControlActions() override;

    CZPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    int GetCount() const { return static_cast<int>(m_arrActions.GetSize()); }
    CZPControlAction* GetAt(int nIndex) const { return m_arrActions[nIndex]; }
    // NULL for an id outside 1 to 0xFFFFFFE or not present.
    CZPControlAction* FindAction(int nId) const;
    // The action of the id, created (with the id's string as prompt) when missing; NULL for a bad id.
    CZPControlAction* Add(int nId);
    // Unbinds every control and releases every action.
    void RemoveAll();

private:
    CZPCommandBars* m_pCommandBars;                             // borrowed: the owner
    CArray<CZPControlAction*, CZPControlAction*> m_arrActions;  // one reference each, ascending ids
};
