// Draws and measures a short rich (RTF) or plain text in any DC, without a window, through the
// system's windowless rich-edit text services.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "common/ZPSystemHelpers.h"

#include <richedit.h>
#include <textserv.h>

class CZPRichRender : public CCmdTarget
{
public:
    CZPRichRender();
    ~CZPRichRender() override;

    BOOL HasTextServices() const { return m_pTextServices != NULL; }

    // Null does nothing; the format becomes the text's default.
    void SetDefaultCharFormat(const CHARFORMATW* pFormat);
    // Text beginning with '{' is read as RTF, and as plain text when it reads as nothing.
    // Returns the number of characters read.
    int SetText(LPCWSTR lpszText);
    // The narrowest size, up to the maximum width, at which the text is no taller than at it.
    CSize MeasureText(CDC* pDC, int nMaxWidth);
    void Draw(CDC* pDC, const CRect& rc);

protected:
    LONG StreamIn(const void* pData, UINT nSize, DWORD dwFormat);
    void DrawProbe(CDC* pDC, int nWidth);

    ITextServices* m_pTextServices;   // one reference; null when unavailable
    CHARFORMATW m_cfDefault;
    PARAFORMAT2 m_pfDefault;
    CZPModuleHandle m_library;   // loaded here; outlives the text services (released first)
    int m_nRequestedWidth;
    int m_nRequestedHeight;

    // Interface methods other than IUnknown's use the engine's own calling convention.
    BEGIN_INTERFACE_PART(TextHost, ITextHost)
        HDC TxGetDC() override;
        INT TxReleaseDC(HDC hdc) override;
        BOOL TxShowScrollBar(INT fnBar, BOOL fShow) override;
        BOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
        BOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, BOOL fRedraw) override;
        BOOL TxSetScrollPos(INT fnBar, INT nPos, BOOL fRedraw) override;
        void TxInvalidateRect(LPCRECT prc, BOOL fMode) override;
        void TxViewChange(BOOL fUpdate) override;
        BOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
        BOOL TxShowCaret(BOOL fShow) override;
        BOOL TxSetCaretPos(INT x, INT y) override;
        BOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
        void TxKillTimer(UINT idTimer) override;
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                              LPRECT lprcUpdate, UINT fuScroll) override;
        void TxSetCapture(BOOL fCapture) override;
        void TxSetFocus() override;
        void TxSetCursor(HCURSOR hcur, BOOL fText) override;
        BOOL TxScreenToClient(LPPOINT lppt) override;
        BOOL TxClientToScreen(LPPOINT lppt) override;
        HRESULT TxActivate(LONG* plOldState) override;
        HRESULT TxDeactivate(LONG lNewState) override;
        HRESULT TxGetClientRect(LPRECT prc) override;
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override;
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
        HRESULT TxGetMaxLength(DWORD* plength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR* pch) override;
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL lpExtent) override;
        HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
        HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override;
        void TxImmReleaseContext(HIMC himc) override;
        HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;
    END_INTERFACE_PART(TextHost)

    DECLARE_INTERFACE_MAP()
};
