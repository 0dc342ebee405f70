// The button-image editor's enlarged picture: the image's states with their undo and redo
// history, the six drawing tools and the picture's painting.
#pragma once

#include <framework.h>
#include <framework/controls.h>
#include <framework/gdi.h>
#include <framework/memorydc.h>

#include <deque>
#include <memory>
#include <vector>

class CZPImageEditorDlg;

// Tools in command order (tool = command id - ZP_ID_IMAGEEDITOR_PENCIL).
enum ZpImageEditorTool
{
    zpToolPencil = 0,
    zpToolFill = 1,
    zpToolPick = 2,
    zpToolLine = 3,
    zpToolRectangle = 4,
    zpToolEllipse = 5,
};

class CZPImageEditorPicture : public CStatic
{
public:
    // One state of the image: a bottom-up 32-bpp DIB section of the image's size. Without the
    // alpha flag every pixel is opaque except ZP_TRANSPARENT_COLOR; with it, alpha is straight.
    // Alpha bytes are always set explicitly: 0 on ZP_TRANSPARENT_COLOR, else 255 unless the
    // pixel carries its own alpha.
    class CAlphaBitmap
    {
    public:
        // Every pixel transparent; NULL when the bitmap cannot be made.
        static std::unique_ptr<CAlphaBitmap> Create(int cx, int cy, BOOL bAlpha);
        // The top-left corner of a 32-bpp bitmap (straight alpha when bAlpha) on a transparent state.
        static std::unique_ptr<CAlphaBitmap> FromBitmap(HBITMAP hBitmap, int cx, int cy, BOOL bAlpha);
        std::unique_ptr<CAlphaBitmap> Clone() const;

        HBITMAP GetHandle() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
        int GetWidth() const { return m_cx; }
        int GetHeight() const { return m_cy; }
        BOOL IsAlpha() const { return m_bAlpha; }
        // Pixel access in image coordinates (0, 0 top-left); BGRA in memory.
        DWORD GetPixel(int x, int y) const { return m_pBits[static_cast<size_t>(m_cy - 1 - y) * m_cx + x]; }
        void SetPixel(int x, int y, DWORD dwPixel) { m_pBits[static_cast<size_t>(m_cy - 1 - y) * m_cx + x] = dwPixel; }
        // The colour of a pixel; ZP_TRANSPARENT_COLOR for a transparent one.
        COLORREF GetColor(int x, int y) const;
        BOOL Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_cx && y < m_cy; }
        // Alpha after GDI drew: pixels whose colour changed since pBefore get 0 when transparent,
        // else 255; unchanged ones keep pBefore's alpha. Without alpha every pixel is set anew.
        void FixAlpha(const CAlphaBitmap* pBefore);
        LPDWORD GetBits() const { return m_pBits; }

    private:
        CAlphaBitmap() = default;
        CBitmap m_bitmap;        // owned DIB section
        LPDWORD m_pBits = NULL;  // the section's pixels
        int m_cx = 0, m_cy = 0;
        BOOL m_bAlpha = FALSE;
    };

    // The most undo steps kept.
    static const size_t kMaxUndo = 16;

    CZPImageEditorPicture();
    ~CZPImageEditorPicture() override;

    // Takes over the dialog's control; cells from the window's size, at least 1 window pixel.
    BOOL Attach(CZPImageEditorDlg* pDlg, CWnd* pControl, int cxImage, int cyImage);
    // The first state, without history (null: an empty picture).
    void SetState(std::unique_ptr<CAlphaBitmap> pState);
    CAlphaBitmap* GetState() const { return m_pCurrent.get(); }
    // A new state made by a command: the current one goes to the undo list.
    void Apply(std::unique_ptr<CAlphaBitmap> pState);
    CSize GetImageSize() const { return CSize(m_cxImage, m_cyImage); }
    CSize GetCellSize() const { return CSize(m_cxCell, m_cyCell); }
    size_t GetUndoCount() const { return m_lstUndo.size(); }
    size_t GetRedoCount() const { return m_lstRedo.size(); }

    void Undo();
    void Redo();
    void Clear();
    // Shifts the image one pixel; the pixels pushed out are lost, the vacated edge is transparent.
    void Move(int dx, int dy);
    void CopyToClipboard();
    BOOL PasteFromClipboard();
    BOOL Import(LPCWSTR lpszPath);

    // The image pixel under a client point, unclamped.
    CPoint PixelFromPoint(CPoint point) const;
    CPoint PixelFromPoint(CPoint point, CSize sizeWindow) const;
    // Paints the picture into rc (the client area) through an off-screen buffer.
    void DrawPicture(CDC* pDC, const CRect& rc);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The current state becomes the before-state and a copy of it (or a transparent state) the current one.
    BOOL BeginStroke();
    // Files the before-state in the undo list, once per stroke.
    void Commit();
    void DrawShape(int nTool, CPoint ptPixel);
    void Fill(CPoint ptPixel);
    void Changed();
    std::unique_ptr<CAlphaBitmap> NewState(BOOL bAlpha) const
    {
        return CAlphaBitmap::Create(m_cxImage, m_cyImage, bAlpha);
    }

    int m_cxImage, m_cyImage;
    int m_cxCell, m_cyCell;
    CZPImageEditorDlg* m_pDlg;  // borrowed: the dialog that holds this control
    CMemoryDC m_dc;
    std::deque<std::unique_ptr<CAlphaBitmap>> m_lstUndo;  // oldest first; entries may be null (empty picture)
    std::deque<std::unique_ptr<CAlphaBitmap>> m_lstRedo;
    std::unique_ptr<CAlphaBitmap> m_pBefore;   // the state before the current stroke
    std::unique_ptr<CAlphaBitmap> m_pCurrent;  // null: the picture is empty
    BOOL m_bStrokePending;                     // m_pBefore waits for its commit
    BOOL m_bDrawing;
    CPoint m_ptStart;      // the stroke's start, client coordinates
    COLORREF m_clrStroke;  // the pencil's colour for this stroke
    CBitmap m_bmpBuffer;   // owned off-screen buffer of the paint, top-down
    LPDWORD m_pBuffer;     // its pixels
    CSize m_sizeBuffer;
    std::vector<int> m_columns, m_rows;  // image column and row of each buffer column and row
    HCURSOR m_hCursorShape, m_hCursorFill, m_hCursorPencil, m_hCursorPick;  // shared resource cursors
};
