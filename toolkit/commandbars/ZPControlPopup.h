// A control that opens a popup bar (kinds 2, 3 and 4): a submenu item, a drop-down button, or a
// split button whose command part runs a command and whose arrow part opens the popup.
#pragma once

#include "commandbars/ZPControlButton.h"

class CZPControlPopup : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlPopup)
public:
    CZPControlPopup();
    ~CZPControlPopup() override;

    // Releases the current popup bar and keeps a reference of its own on the new one.
    void SetCommandBar(CZPCommandBar* pBar);
    CZPCommandBar* GetCommandBar() const override;
    // Non-recursive copies share the source's popup bar; recursive ones copy its controls.
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    CZPControl* Clone(BOOL bRecursive) override;
    // "CommandBarId": the popup bar's id when storing; when loading, the id of the stored bar
    // that RestoreChildBar links.
    void DoPropExchange(CZPPropExchange* pPX) override;
    BOOL RestoreChildBar(ZP_LOADED_BARS* pLoaded) override;
    UINT GetPopupBarId() const { return m_nPopupBarId; }

    BOOL IsPopuped() const override { return m_bPopuped; }
    BOOL SetPopuped(BOOL bPopup) override;
    void OnKeyboardActivate() override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    void OnCustomizeDragOver(CZPControl* pDataObject, CPoint point) override;
    BOOL IsCustomizeDropAllowed(CZPControl* pDataObject) override;

    // Slot 82: the paint manager narrows the rectangle the opening popup must not cover.
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    // Slot 83: the shadow under the opened control; drawn once popup bars carry their shadow option.
    virtual void ShowShadow();

    // TRUE when both open the same bar, or a popup somewhere in this one's popup chain does.
    BOOL IsChainedWith(CZPControlPopup* pOther) const;
    // The part of a split button that runs the command (the whole control for other kinds).
    CRect GetSplitCommandRect() const;

    BOOL GetShowControlShadow() const { return m_bShowControlShadow; }
    void SetShowControlShadow(BOOL bShow) { m_bShowControlShadow = bShow; }

protected:
    // A loaded collection is copied into its bar before the links are restored: the stored id
    // goes along.
    void CopyPopupBarId(CZPControl* pSource);

private:
    BOOL m_bPopuped;
    CRefPtr<CZPCommandBar> m_pCommandBar;
    BOOL m_bShowControlShadow;
    UINT m_nPopupBarId;  // a loaded link not restored yet (0: none)
};
