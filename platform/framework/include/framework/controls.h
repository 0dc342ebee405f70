// Wrappers of the system and common controls: thin message senders over a CWnd.
#pragma once

#include <framework/gdi.h>
#include <framework/imagelist.h>
#include <framework/wnd.h>

#include <commctrl.h>

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF)
    {
        return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
    }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
    }
    HBITMAP GetBitmap() const
    {
        return reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    HICON SetIcon(HICON hIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, STM_GETICON, 0, 0)); }
};

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
    }
    int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
    }
    HICON SetIcon(HICON hIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
    }
    // Owner-drawn buttons draw here (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(L"EDIT", NULL, dwStyle, rect, pParentWnd, nID);
    }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        DWORD dwStart = 0, dwEnd = 0;
        ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
        nStartChar = static_cast<int>(dwStart);
        nEndChar = static_cast<int>(dwEnd);
    }
    DWORD GetSel() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETSEL, 0, 0)); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
    }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    UINT GetLimitText() const { return static_cast<UINT>(::SendMessageW(m_hWnd, EM_GETLIMITTEXT, 0, 0)); }
    BOOL CanUndo() const { return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_CANUNDO, 0, 0)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    BOOL GetModify() const { return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_GETMODIFY, 0, 0)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
    int GetLineCount() const { return static_cast<int>(::SendMessageW(m_hWnd, EM_GETLINECOUNT, 0, 0)); }
    void SetMargins(UINT nLeft, UINT nRight)
    {
        SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
    }
};

class CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(L"SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo) { return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo); }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        return ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    }
};

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(L"LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0)); }
    int AddString(LPCWSTR lpszItem) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))); }
    int InsertString(int nIndex, LPCWSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0)); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(::SendMessageW(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
    int GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int GetSel(int nIndex) const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETSEL, static_cast<WPARAM>(nIndex), 0)); }
    int GetItemHeight(int nIndex) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex), 0));
    }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELONG(cyItemHeight, 0)));
    }
    int GetTopIndex() const { return static_cast<int>(::SendMessageW(m_hWnd, LB_GETTOPINDEX, 0, 0)); }
    int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }
    int GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    // The nearest item; bOutside is set when the point lies outside the client area.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                               reinterpret_cast<LPARAM>(lpszFind)));
    }

    // Owner-drawn lists (reflected WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// Notification sent to the parent (WM_COMMAND) when the user toggles an item's check.
#define CLBN_CHKCHANGE 40

// An owner-drawn list box with a check box before each string.
class CCheckListBox : public CListBox
{
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();
    // The style must include LBS_OWNERDRAWFIXED (or VARIABLE) and LBS_HASSTRINGS.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetCheckStyle(UINT nStyle) { m_nStyle = nStyle; }   // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE
    UINT GetCheckStyle() const { return m_nStyle; }
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;
    // The user's item data; the list keeps its check state beside it.
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);

    virtual CRect OnGetCheckPosition(CRect rectItem, CRect rectCheckBox);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

protected:
    struct CHECK_DATA
    {
        int m_nCheck;
        BOOL m_bEnabled;
        DWORD_PTR m_dwUserData;
    };
    CHECK_DATA* GetCheckData(int nIndex) const;
    CHECK_DATA* EnsureCheckData(int nIndex);
    void ToggleAt(int nIndex);
    void InvalidateItem(int nIndex);
    CSize GetCheckBoxSize() const;
    void SetSelectionCheck(int nCheck);
    void PreSubclassWindow() override;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    UINT m_nStyle;
    int m_cyText;
};

class CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(L"COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0)); }
    int AddString(LPCWSTR lpszString) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))); }
    int InsertString(int nIndex, LPCWSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetLBText(int nIndex, CString& rString) const;
    int GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(::SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
    }
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                               reinterpret_cast<LPARAM>(lpszFind)));
    }
    void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0)); }
    BOOL LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars))); }
    DWORD GetEditSel() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, CB_GETEDITSEL, 0, 0)); }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    {
        return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)));
    }
    BOOL GetComboBoxInfo(PCOMBOBOXINFO pcbi) const { return ::GetComboBoxInfo(m_hWnd, pcbi); }
};

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText = LPSTR_TEXTCALLBACKW, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }
    int SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
    void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELONG(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0));
    }
    BOOL SetTitle(UINT uIcon, LPCWSTR lpstrTitle)
    {
        return static_cast<BOOL>(SendMessage(TTM_SETTITLEW, uIcon, reinterpret_cast<LPARAM>(lpstrTitle)));
    }
    int GetToolCount() const { return static_cast<int>(::SendMessageW(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
    BOOL GetToolInfo(TOOLINFOW* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(TOOLINFOW* pToolInfo) { SendMessage(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(pToolInfo)); }

protected:
    void FillInToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

class CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(WC_TABCONTROLW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    int GetItemCount() const { return TabCtrl_GetItemCount(m_hWnd); }
    BOOL GetItem(int nItem, TCITEMW* pTabCtrlItem) const { return TabCtrl_GetItem(m_hWnd, nItem, pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEMW* pTabCtrlItem) { return TabCtrl_SetItem(m_hWnd, nItem, pTabCtrlItem); }
    LONG InsertItem(int nItem, LPCWSTR lpszItem);
    LONG InsertItem(int nItem, TCITEMW* pTabCtrlItem) { return TabCtrl_InsertItem(m_hWnd, nItem, pTabCtrlItem); }
    BOOL DeleteItem(int nItem) { return TabCtrl_DeleteItem(m_hWnd, nItem); }
    BOOL DeleteAllItems() { return TabCtrl_DeleteAllItems(m_hWnd); }
    int GetCurSel() const { return TabCtrl_GetCurSel(m_hWnd); }
    int SetCurSel(int nItem) { return TabCtrl_SetCurSel(m_hWnd, nItem); }
    int GetCurFocus() const { return TabCtrl_GetCurFocus(m_hWnd); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return TabCtrl_GetItemRect(m_hWnd, nItem, lpRect); }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { TabCtrl_AdjustRect(m_hWnd, bLarger, lpRect); }
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const { return CImageList::FromHandle(TabCtrl_GetImageList(m_hWnd)); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return TabCtrl_HitTest(m_hWnd, pHitTestInfo); }
};

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(UPDOWN_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
    void GetRange32(int& nLower, int& nUpper) const
    {
        ::SendMessageW(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper));
    }
    int SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
    int GetPos32(BOOL* lpbError = NULL) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
    }
    CWnd* SetBuddy(CWnd* pWndBuddy)
    {
        return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetSafeHwnd(pWndBuddy)))));
    }
    CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(::SendMessageW(m_hWnd, UDM_GETBUDDY, 0, 0))); }
};

class CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(TRACKBAR_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    int GetRangeMin() const { return static_cast<int>(::SendMessageW(m_hWnd, TBM_GETRANGEMIN, 0, 0)); }
    int GetRangeMax() const { return static_cast<int>(::SendMessageW(m_hWnd, TBM_GETRANGEMAX, 0, 0)); }
    int GetPos() const { return static_cast<int>(::SendMessageW(m_hWnd, TBM_GETPOS, 0, 0)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
    int SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
};

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(PROGRESS_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
    int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos))); }
    int GetPos() const { return static_cast<int>(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0)); }
    int OffsetPos(int nPos) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(nPos))); }
    int SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep))); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};

class CReBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(REBARCLASSNAMEW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    UINT GetBandCount() const { return static_cast<UINT>(::SendMessageW(m_hWnd, RB_GETBANDCOUNT, 0, 0)); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFOW* prbbi) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, RB_GETBANDINFOW, uBand, reinterpret_cast<LPARAM>(prbbi)));
    }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFOW* prbbi)
    {
        return static_cast<BOOL>(SendMessage(RB_SETBANDINFOW, uBand, reinterpret_cast<LPARAM>(prbbi)));
    }
    BOOL InsertBand(UINT uIndex, REBARBANDINFOW* prbbi)
    {
        return static_cast<BOOL>(SendMessage(RB_INSERTBANDW, uIndex, reinterpret_cast<LPARAM>(prbbi)));
    }
    BOOL DeleteBand(UINT uBand) { return static_cast<BOOL>(SendMessage(RB_DELETEBAND, uBand)); }
    BOOL MoveBand(UINT uFrom, UINT uTo) { return static_cast<BOOL>(SendMessage(RB_MOVEBAND, uFrom, uTo)); }
    int IDToIndex(UINT uBandID) const { return static_cast<int>(::SendMessageW(m_hWnd, RB_IDTOINDEX, uBandID, 0)); }
    UINT GetBarHeight() const { return static_cast<UINT>(::SendMessageW(m_hWnd, RB_GETBARHEIGHT, 0, 0)); }
    UINT GetRowCount() const { return static_cast<UINT>(::SendMessageW(m_hWnd, RB_GETROWCOUNT, 0, 0)); }
    UINT GetRowHeight(UINT nBand) const { return static_cast<UINT>(::SendMessageW(m_hWnd, RB_GETROWHEIGHT, nBand, 0)); }
    void GetBandBorders(UINT uBand, LPRECT prc) const
    {
        ::SendMessageW(m_hWnd, RB_GETBANDBORDERS, uBand, reinterpret_cast<LPARAM>(prc));
    }
    BOOL GetRect(UINT uBand, LPRECT prc) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, RB_GETRECT, uBand, reinterpret_cast<LPARAM>(prc)));
    }
    void MinimizeBand(UINT uBand) { SendMessage(RB_MINIMIZEBAND, uBand); }
    void MaximizeBand(UINT uBand) { SendMessage(RB_MAXIMIZEBAND, uBand); }
};

class CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL AddButtons(int nNumButtons, const TBBUTTON* lpButtons)
    {
        return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSW, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(lpButtons)));
    }
    BOOL InsertButton(int nIndex, const TBBUTTON* lpButton)
    {
        return static_cast<BOOL>(SendMessage(TB_INSERTBUTTONW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
    }
    BOOL DeleteButton(int nIndex) { return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex))); }
    int GetButtonCount() const { return static_cast<int>(::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0)); }
    BOOL GetButton(int nIndex, TBBUTTON* lpButton) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
    }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE)
    {
        return static_cast<BOOL>(SendMessage(TB_ENABLEBUTTON, static_cast<WPARAM>(nID), MAKELONG(bEnable, 0)));
    }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE)
    {
        return static_cast<BOOL>(SendMessage(TB_CHECKBUTTON, static_cast<WPARAM>(nID), MAKELONG(bCheck, 0)));
    }
    BOOL IsButtonEnabled(int nID) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, TB_ISBUTTONENABLED, static_cast<WPARAM>(nID), 0));
    }
    BOOL IsButtonChecked(int nID) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, TB_ISBUTTONCHECKED, static_cast<WPARAM>(nID), 0));
    }
    int GetState(int nID) const { return static_cast<int>(::SendMessageW(m_hWnd, TB_GETSTATE, static_cast<WPARAM>(nID), 0)); }
    BOOL SetState(int nID, UINT nState) { return static_cast<BOOL>(SendMessage(TB_SETSTATE, static_cast<WPARAM>(nID), MAKELONG(nState, 0))); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    int CommandToIndex(UINT nID) const { return static_cast<int>(::SendMessageW(m_hWnd, TB_COMMANDTOINDEX, nID, 0)); }
    BOOL SetButtonSize(CSize size) { return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(size.cx, size.cy))); }
    BOOL SetBitmapSize(CSize size) { return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(size.cx, size.cy))); }
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageW(m_hWnd, TB_GETIMAGELIST, 0, 0)));
    }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle)); }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
    {
        SendMessage(TB_SETROWS, MAKEWPARAM(nRows, bLarger), reinterpret_cast<LPARAM>(lpRect));
    }
    CToolTipCtrl* GetToolTips() const
    {
        return static_cast<CToolTipCtrl*>(FromHandle(reinterpret_cast<HWND>(::SendMessageW(m_hWnd, TB_GETTOOLTIPS, 0, 0))));
    }
};
