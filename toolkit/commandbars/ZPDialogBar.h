// A resizable toolbar that hosts one child window below an optional caption band with a caption
// control (which may open a popup) and a hide button; it sizes itself from stored client sizes.
#pragma once

#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"

// Built-in controls of the caption band.
const int ZP_ID_DIALOGBAR_CAPTION = 9147;  // the caption control (opens the caption popup)
// Default margins around the child window, client sizes and the smallest client size.
const int ZP_DIALOGBAR_MARGIN = 3;
const int ZP_DIALOGBAR_DEFAULT_SIZE = 200;
const int ZP_DIALOGBAR_MIN_SIZE = 50;
// The caption band's hide button and caption control are this many pixels square / high.
const int ZP_DIALOGBAR_BUTTON_SIZE = 16;

class CZPDialogBar : public CZPToolBar
{
    DECLARE_DYNCREATE(CZPDialogBar)
public:
    // The caption control: shows the caption and opens the caption popup when that is enabled.
    class CControlCaptionPopup : public CZPControlPopup
    {
        DECLARE_DYNCREATE(CControlCaptionPopup)
    public:
        CControlCaptionPopup();
        BOOL SetPopuped(BOOL bPopup) override;
        void Draw(CDC* pDC) override;
        void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;
        // The caption popup is enabled and has something to show.
        BOOL OffersPopup() const;
    };

    // The hide button of the caption band: a Marlett cross.
    class CControlButtonHide : public CZPToolBar::CControlButtonHide
    {
        DECLARE_DYNCREATE(CControlButtonHide)
    public:
        void Draw(CDC* pDC) override;
    };

    // The caption control's popup: drops down right-aligned with the control.
    class CCaptionPopupBar : public CZPPopupBar
    {
        DECLARE_DYNCREATE(CCaptionPopupBar)
    public:
        CCaptionPopupBar();
        void RepositionToOwner() override;
    };

    CZPDialogBar();
    ~CZPDialogBar() override;

    // The hosted window (borrowed; it is moved into the client area on every WM_SIZE).
    HWND GetChild() const { return m_hWndChild; }
    void SetChild(HWND hWndChild);
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR lpszCaption);
    // The text the caption control shows: the caption, or the title when it is empty.
    CString GetCaptionText() const;
    BOOL IsCaptionShown() const { return m_bCaptionShown; }
    void ShowCaption(BOOL bShow);
    BOOL IsCaptionPopupEnabled() const { return m_bCaptionPopup; }
    void EnableCaptionPopup(BOOL bEnable) { m_bCaptionPopup = bEnable; }
    BOOL IsResizable() const { return m_bResizable; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    // Client sizes (negative sizes count as 0).
    CSize GetDockedClientSize() const { return m_szDocked; }
    void SetDockedClientSize(CSize size);
    CSize GetFloatingClientSize() const { return m_szFloating; }
    void SetFloatingClientSize(CSize size);
    CSize GetMinimumClientSize() const { return m_szMinimum; }
    void SetMinimumClientSize(CSize size);
    CRect GetMargins() const { return m_rcMargins; }
    void SetMargins(CRect rcMargins);
    int GetCaptionBandHeight() const { return m_nCaptionBand; }
    // The popup the caption control opens (owned: one reference, released by the destructor).
    CZPPopupBar* GetCaptionPopupBar() const { return m_pCaptionPopup; }
    // The keyboard focus is inside the bar (updated at idle time).
    BOOL IsActive() const { return m_bActive; }

    // The client rectangle given to the child window: inside the margins, below the caption band.
    CRect GetChildRect() const;
    // Applies a new window rectangle from an edge drag: FALSE when its client size is below the
    // minimum (nothing changes).
    BOOL ResizeByEdge(const CRect& rcWindow, int nHitTest) override;

    BOOL IsDialogBar() const override;
    CSize CalcDockedSize(int nLength, DWORD dwMode, int nExtra) override;
    CSize ComputeBarSize(int nLength, DWORD dwMode) override;
    int ContainsScreenPoint(POINT ptScreen) const override;
    void OnIdleUpdate(BOOL bDisableIfNoHandler, BOOL bForce) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The size for a length and mode around this client size; places the caption band's controls.
    CSize CalcDialogSize(int nLength, DWORD dwMode, CSize szClient);
    void PlaceCaptionControls(int nWidth, int nCaptionHeight);
    // The control of this id and runtime class, added as temporary when missing.
    CZPControl* FindOrAddCaptionControl(int nId, CRuntimeClass* pClass);
    void HideCaptionControl(int nId);
    LRESULT OnNcHitTest(CPoint ptScreen);
    void PlaceChild();

    CRect m_rcMargins;
    BOOL m_bResizable;
    CSize m_szMinimum;
    BOOL m_bCaptionShown;
    BOOL m_bCaptionPopup;
    int m_nCaptionBand;
    CSize m_szDocked;
    CSize m_szFloating;
    HWND m_hWndChild;  // borrowed: the application owns the hosted window
    CString m_strCaption;
    CZPPopupBar* m_pCaptionPopup;  // owned: one reference
    BOOL m_bActive;
};
