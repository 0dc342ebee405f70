// Scoped device-context helpers for one paint operation: off-screen buffers copied back when
// they go out of scope, a memory DC with a bitmap, and font, pen and brush selections undone
// on destruction.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

// Buffer over (0, 0)-(rect.right, rect.bottom) so that callers draw in the destination's
// coordinates; the rectangle is copied back on destruction unless DiscardOutput was called.
class CZPBufferDC : public CDC
{
public:
    CZPBufferDC(HDC hDestDC, const CRect& rect);
    explicit CZPBufferDC(CPaintDC& paintDC);
    ~CZPBufferDC() override;

    void DiscardOutput() { m_hDestDC = NULL; }

private:
    void CreateBuffer(int cx, int cy);

    HDC m_hDestDC;               // borrowed
    CBitmap m_bitmap;            // owned
    CRect m_rect;
    HGDIOBJ m_hOldBitmap;
};

// Buffer over one rectangle of the destination, drawn in destination coordinates through a
// shifted viewport.
class CZPBufferDCEx : public CDC
{
public:
    CZPBufferDCEx(HDC hDestDC, int nLeft, int nTop, int nRight, int nBottom);
    ~CZPBufferDCEx() override;

private:
    HDC m_hDestDC;               // borrowed
    HBITMAP m_hBitmap;           // owned
    int m_nLeft, m_nTop, m_nRight, m_nBottom;
    HGDIOBJ m_hOldBitmap;
};

// A memory DC holding a bitmap that stays with its owner.
class CZPCompatibleDC : public CDC
{
public:
    CZPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CZPCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CZPCompatibleDC() override;

private:
    HGDIOBJ m_hOldBitmap;
};

class CZPFontDC
{
public:
    explicit CZPFontDC(CDC* pDC, CFont* pFont = NULL);
    virtual ~CZPFontDC();
    CZPFontDC(const CZPFontDC&) = delete;
    CZPFontDC& operator=(const CZPFontDC&) = delete;

    // Only the font replaced by the first selection is kept for RestoreFont.
    void SelectFont(CFont* pFont);
    void RestoreFont();
    // Sets the text colour; the colour replaced first is kept for RestoreColor.
    void SetColor(COLORREF clrText);
    void RestoreColor();

private:
    CDC* m_pDC;                  // borrowed; NULL makes every operation a no-op
    HGDIOBJ m_hOldFont;
    COLORREF m_clrOldText;       // (COLORREF)-1 when none was saved
};

class CZPPenDC
{
public:
    CZPPenDC(CDC* pDC, CPen* pPen);
    CZPPenDC(HDC hDC, COLORREF clr);
    virtual ~CZPPenDC();
    CZPPenDC(const CZPPenDC&) = delete;
    CZPPenDC& operator=(const CZPPenDC&) = delete;

    void ChangeColor(COLORREF clr);

private:
    CPen m_pen;                  // owned; empty when the caller's pen is selected
    HDC m_hDC;                   // borrowed
    HGDIOBJ m_hOldPen;
};

class CZPBrushDC
{
public:
    CZPBrushDC(HDC hDC, COLORREF clr);
    virtual ~CZPBrushDC();
    CZPBrushDC(const CZPBrushDC&) = delete;
    CZPBrushDC& operator=(const CZPBrushDC&) = delete;

private:
    CBrush m_brush;              // owned
    HDC m_hDC;                   // borrowed
    HGDIOBJ m_hOldBrush;
};

// Keeps a DC's clip region, holes included, and selects it again on destruction (none when the
// DC had none).
class CZPClipRgnSaver
{
public:
    explicit CZPClipRgnSaver(CDC* pDC);
    ~CZPClipRgnSaver();
    CZPClipRgnSaver(const CZPClipRgnSaver&) = delete;
    CZPClipRgnSaver& operator=(const CZPClipRgnSaver&) = delete;

private:
    CRgn m_rgn;                  // owned
    HDC m_hDC;                   // borrowed
    BOOL m_bHadClip;
};
