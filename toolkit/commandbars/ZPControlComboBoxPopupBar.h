// The drop-downs of bar combo boxes: popup bars that leave the focus with the combo, route keys to
// the combo's rules and offer list operations; the list drop-down is itself a Windows list box.
#pragma once

#include "commandbars/ZPListBoxItemKeys.h"
#include "commandbars/ZPPopupBar.h"

class CZPControlComboBox;
class CZPControlGallery;

class CZPControlComboBoxPopupBar : public CZPPopupBar
{
    DECLARE_DYNCREATE(CZPControlComboBoxPopupBar)
public:
    CZPControlComboBoxPopupBar();

    virtual int GetCurSel() const { return -1; }                            // 133
    virtual int FindString(int, LPCWSTR) const { return -1; }               // 134
    virtual int FindStringExact(int, LPCWSTR) const { return -1; }          // 135
    virtual int SetTopIndex(int) { return -1; }                             // 136
    virtual void SetCurSel(int) {}                                          // 137
    virtual void GetText(int, CString& strText) const { strText.Empty(); }  // 138
    // A key while the drop-down belongs to the combo: TRUE when used.
    virtual BOOL HandleKey(CZPControlComboBox* pCombo, UINT nChar, LPARAM lParam);  // 139

    CZPControlComboBox* GetOwnerCombo() const;

protected:
    // The popup bar's own key handling for HandleKey: TRUE when it used the key.
    BOOL HandleKeyAsPopupBar(UINT nChar, LPARAM lParam);
};

// The gallery drop-down: a popup bar whose first control is a gallery that stands in for the
// combo's list (the hot item is the current selection).
class CZPControlComboBoxGalleryPopupBar : public CZPControlComboBoxPopupBar
{
    DECLARE_DYNCREATE(CZPControlComboBoxGalleryPopupBar)
public:
    CZPControlComboBoxGalleryPopupBar();

    // The first control when it is a gallery, else NULL.
    CZPControlGallery* GetGallery() const;

    int GetCurSel() const override;
    int FindString(int nStart, LPCWSTR lpszText) const override;
    int FindStringExact(int nStart, LPCWSTR lpszText) const override;
    int SetTopIndex(int nIndex) override;
    void SetCurSel(int nIndex) override;
    void GetText(int nIndex, CString& strText) const override;

    BOOL SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
    int ProcessTrackingKey(UINT nKey, LPARAM lParam) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Button up over the gallery: the combo takes the hot item and executes.
    BOOL OnGalleryLButtonUp(CPoint point);
};

class CZPControlComboBoxList : public CZPControlComboBoxPopupBar
{
    DECLARE_DYNCREATE(CZPControlComboBoxList)
public:
    CZPControlComboBoxList();

    int GetCurSel() const override;
    int FindString(int nStart, LPCWSTR lpszText) const override;
    int FindStringExact(int nStart, LPCWSTR lpszText) const override;
    int SetTopIndex(int nIndex) override;
    void SetCurSel(int nIndex) override;
    void GetText(int nIndex, CString& strText) const override;
    BOOL HandleKey(CZPControlComboBox* pCombo, UINT nChar, LPARAM lParam) override;

    // Creates this bar's own window, the list box (owned by the site when there is one).
    virtual BOOL CreateListBox();                   // 140
    virtual void DrawItem(LPDRAWITEMSTRUCT);        // 141
    virtual void MeasureItem(LPMEASUREITEMSTRUCT);  // 142

    BOOL SwitchTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
    BOOL PopupForControl(CZPControl* pControl) override;
    BOOL AllowsCustomizing() const override { return FALSE; }
    void ExchangeProperties(CZPPropExchange* pPX) override;
    void CopyFrom(CZPControlComboBoxList* pSource);

    int GetCount() const;
    int AddString(LPCWSTR lpszText);
    int GetListIconId() const { return m_nListIconId; }
    void SetListIconId(int nId) { m_nListIconId = nId; }
    BOOL HasIcons() const { return m_bListWithIcons; }
    void SetListWithIcons(BOOL bIcons) { m_bListWithIcons = bIcons; }
    // Rows the open list shows for a maximum: the item count, at least 1, at most nMaxRows.
    static int RowsFor(int nItems, int nMaxRows);
    // The size the open list takes for its combo.
    CSize ComputeDropDownSize(CZPControlComboBox* pCombo) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnListMouseMove(CPoint point);
    void OnListLButtonUp();
    void OnListNcPaint();

    int m_nListIconId;  // -1: no item icons
    BOOL m_bListWithIcons;
    // A cache beside the items, following every item message the window handles; a search
    // rebuilds it when it fell out of step.
    mutable CZPListBoxItemKeys m_itemKeys;
};
