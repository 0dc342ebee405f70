// The main view: a tab control filling the frame's client area, whose "XML View" tab holds the
// editor view. The document reaches the editor through it.
#pragma once

#include "AppIds.h"

#include <framework/docview.h>
#include <tabmanager/ZPTabControl.h>

class CXmlView;

class CTolvaneView : public CView
{
    DECLARE_DYNCREATE(CTolvaneView)
public:
    static const UINT kTabControlId = 100;
    // The editor tab shows the second of the five images.
    static const UINT kTabImagesId = IDB_TAB_IMAGES;
    static const int kXmlViewImage = 1;

    CTolvaneView();
    ~CTolvaneView() override;

    CZPTabControl& GetTabControl() { return m_wndTabControl; }
    // Adds a tab at the end holding a new view of the class; FALSE when the view cannot be made.
    BOOL AddView(CRuntimeClass* pViewClass, LPCWSTR lpszCaption, int nImage);
    // The editor view of tab 0, or NULL.
    CXmlView* GetXmlView() const;

    // The document's searches on tab 0: TRUE with nothing done while another tab is selected;
    // FALSE when nothing was found (Find, Replace) or no text could be had.
    BOOL Find(LPCWSTR lpszText, DWORD dwFlags, int nDirection);
    BOOL Replace(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags, int nDirection);
    BOOL ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplacement, DWORD dwFlags);
    // The editor's whole text in its own buffer, ending in NUL (*pnLength bytes before it) and valid
    // until the text next changes; NULL without an editor.
    LPCSTR GetText(size_t* pnLength = NULL);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnSelChangeTab(NMHDR* pNMHDR, LRESULT* pResult);

protected:
    void UpdateDocumentFrameCounts();
    // The editor view when tab 0 is the selected one, else NULL.
    CXmlView* GetSelectedXmlView() const;

    CZPTabControl m_wndTabControl;  // owned; child window kTabControlId

    DECLARE_MESSAGE_MAP()
};

// Sets or clears right-to-left layout on the window and all its children, depth first.
void SetLayoutRtlRecursive(HWND hWnd, BOOL bRtl);
