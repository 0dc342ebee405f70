// Tooltips of one owner window: the owner relays its mouse and keyboard messages and answers a
// tool hit test; the context keeps the tip window of the selected kind, its one current tool,
// title, description and image, and shows or hides the tip.
#pragma once

#include <framework.h>

#include <framework/controls.h>
#include <framework/gdi.h>

#include "common/ZPToolInfo.h"

class CZPToolTipContext : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPToolTipContext)
public:
    // Kinds of tip (SetStyle); any other value makes a standard tip.
    enum
    {
        kindStandard = 0,
        kindBalloon = 1,
        kindOffice = 2,
        kindRichText = 3,
        kindLuna = 4,
        kindOffice2007 = 5,
        kindHtml = 6,
        kindMarkup = 7
    };
    // Private style bits, read by the toolkit's own tip windows.
    enum
    {
        styleOfficeFrame = 0x1000,
        styleNoClassShadow = 0x2000,
        styleOffice2007 = 0x4000
    };

    class CStandardToolTip;
    class CLunaToolTip;
    class CRichEditToolTip;
    class CHTMLToolTip;
    class CMarkupToolTip;

    CZPToolTipContext();
    ~CZPToolTipContext() override;

    // A new tip object of the current kind, window not yet created; null when there is none.
    virtual CWnd* CreateToolTip();
    // The owner's tool under point (owner client coordinates): its id with pToolInfo filled, or -1.
    virtual INT_PTR ToolHitTest(CWnd* pOwner, CPoint point, TOOLINFOW* pToolInfo);

    // FALSE when the kind is unchanged or balloons are not supported; else the new style word.
    DWORD SetStyle(int nKind);
    DWORD ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);
    void RelayOwnerMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL IsBalloonStyleSupported() const;
    COLORREF GetTipBkColor() const;
    COLORREF GetTipTextColor() const;

    int GetKind() const { return m_nKind; }
    DWORD GetStyle() const { return m_dwStyle; }
    CFont* GetFont() { return &m_fnt; }
    CFont* GetBoldFont() { return &m_fntBold; }
    const RECT& GetMargin() const { return m_rcMargin; }
    int GetMaxTipWidth() const { return m_nMaxTipWidth; }

    // Settings take effect when the tip window is next created (after a kind or style change,
    // or before the first tip).
    void ShowTitleAndDescription(BOOL bShow, int nTitleIcon = TTI_INFO)
    {
        m_bShowTitleAndDescription = bShow;
        m_nTitleIcon = nTitleIcon;
    }
    void ShowImage(BOOL bShow, int nImageIdOffset = 0, int nImageWidth = 1)
    {
        m_bShowImage = bShow;
        m_nImageIdOffset = nImageIdOffset;
        m_nImageWidth = nImageWidth;
    }
    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    void SetMargin(const RECT& rcMargin) { m_rcMargin = rcMargin; }
    // nDuration: TTDT_INITIAL, TTDT_RESHOW or TTDT_AUTOPOP; -1 leaves the tip window's own value.
    void SetDelayTime(DWORD nDuration, int nMilliseconds);
    void SetTipBkColor(COLORREF clr) { m_clrTipBack = clr; }
    void SetTipTextColor(COLORREF clr) { m_clrTipText = clr; }

    friend void ZpToolTipContextCancel(CZPToolTipContext* pContext);

    CZPToolTipContext(const CZPToolTipContext&) = delete;
    CZPToolTipContext& operator=(const CZPToolTipContext&) = delete;

protected:
    void RelayToolTipMessage(CWnd* pOwner, const MSG* pMsg);
    void DestroyToolTip();

    BOOL m_bShowTitleAndDescription;
    BOOL m_bShowImage;
    int m_nImageWidth;               // width argument of the icon lookup; 1 = the set's largest
    int m_nImageIdOffset;            // added to the tool id to form the icon's command id
    int m_nKind;
    DWORD m_dwComCtlVersion;         // major << 16 | minor
    int m_nTitleIcon;                // TTM_SETTITLEW icon
    int m_nMaxTipWidth;              // -1 = the screen width
    DWORD m_dwStyle;
    RECT m_rcMargin;
    int m_nInitialDelay;             // milliseconds, -1 = the tip window's own
    int m_nReshowDelay;
    int m_nAutoPopDelay;
    CWnd* m_pToolTip;                // owned
    TOOLINFOW m_lastTool;            // text and lParam always null: they do not outlive a relay
    COLORREF m_clrTipBack;           // -1 = the colour manager's info background
    COLORREF m_clrTipText;           // -1 = the colour manager's info text (a grey for Office 2007)
    CFont m_fnt;
    CFont m_fntBold;

private:
    BOOL CreateToolTipWindow(CWnd* pTop);
    void ConfigureToolTipWindow();
    void RelayToToolTip(const MSG* pMsg);
};

// The system tooltip control for the standard and balloon kinds. A child window that answers
// ZP_TTM_ISCHILDOFTOOL with 1 stands for its parent in the control's window-from-point lookups.
class CZPToolTipContext::CStandardToolTip : public CToolTipCtrl
{
    DECLARE_DYNAMIC(CStandardToolTip)
protected:
    LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Hides the tip, if the context has a tip window.
void ZpToolTipContextCancel(CZPToolTipContext* pContext);
