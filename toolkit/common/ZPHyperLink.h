// A static text control turned into a web-style link: underlined link colours, hover colour,
// hand cursor, tooltip with the target, and the shell's "open" on a click.
#pragma once

#include <framework.h>
#include <framework/controls.h>

class CZHyperLink : public CStatic
{
    DECLARE_DYNAMIC(CZHyperLink)
public:
    CZHyperLink();
    ~CZHyperLink() override;

    // The target also becomes the tooltip text while that is empty.
    virtual void SetTarget(LPCWSTR lpszTarget);
    virtual CString GetTarget() const;
    virtual void SetColors(COLORREF crLink, COLORREF crVisited, COLORREF crHover);
    virtual COLORREF GetLinkColor() const;
    virtual COLORREF GetVisitedColor() const;
    virtual COLORREF GetHoverColor() const;
    virtual void SetVisited(BOOL bVisited = TRUE);
    virtual BOOL IsVisited() const;
    virtual void SetLinkCursor(HCURSOR hCursor);
    virtual HCURSOR GetLinkCursor() const;
    virtual void SetUnderline(BOOL bUnderline = TRUE);
    virtual BOOL IsUnderlined() const;
    // -1: transparent over the parent's background.
    virtual void SetBackColor(COLORREF crBack);
    // The back colour, or the dialog face colour when it is transparent.
    virtual COLORREF GetBackColor() const;
    // Opens lpszFile (the target when NULL) with the shell's "open"; a failure is reported.
    virtual BOOL Open(LPCWSTR lpszFile = NULL, int nShowCmd = SW_SHOW, LPCWSTR lpszParameters = NULL,
                      LPCWSTR lpszDirectory = NULL);
    // TRUE for a left, centred or right text static: only text gets link behaviour.
    virtual BOOL HasTextStyle() const;
    // Whether the cursor is over the drawn text (always, without a text style).
    virtual BOOL IsPointerOverText();
    // Beeps and shows the text of a ShellExecute result of 32 or below.
    virtual void ReportShellError(int nResult);
    virtual BOOL InitControl();
    virtual BOOL ApplyFont();
    virtual BOOL BuildFont(CFont& font, BOOL bUnderline);

    // The message shown for a ShellExecute result.
    static CString PASCAL GetShellErrorText(int nResult);

    BOOL m_bNavigateOnClick;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnNcHitTest(CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

    void Redraw();

    BOOL m_bInitOnSubclass;
    BOOL m_bUnderline;
    BOOL m_bHover;
    BOOL m_bVisited;
    BOOL m_bToolTipOn;
    CFont m_font;                // owned; the font the control draws with
    CString m_strTarget;
    CString m_strToolTipText;
    HCURSOR m_hLinkCursor;       // shared system or resource cursor, never destroyed
    COLORREF m_crLink;
    COLORREF m_crHover;
    COLORREF m_crVisited;
    COLORREF m_crBack;
    CToolTipCtrl m_toolTip;      // owned child; created by SetTarget
};
