// The enlarged picture of the button-image editor. Each stroke works on a copy of the current
// state; the state before it is filed in the undo list once, at button-up or capture loss.
#include "commandbars/ZPImageEditorPicture.h"

#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPImageEditorDlg.h"
#include "common/ZPImageClipboard.h"
#include "common/ZPImageLoading.h"
#include "common/ZPResourceManager.h"

#include <shlwapi.h>
#include <string.h>

#include <algorithm>

#include <vector>

BEGIN_MESSAGE_MAP(CZPImageEditorPicture, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

const int kCheckerSquare = 4;
const BYTE kCheckerLight = 255;
const BYTE kCheckerDark = 235;
const DWORD kAlphaMask = 0xFF000000;
const DWORD kColorMask = 0x00FFFFFF;

// A COLORREF as the BGRA pixel of a DIB section, with the given alpha.
DWORD PixelFromColor(COLORREF clr, BYTE nAlpha)
{
    return static_cast<DWORD>(nAlpha) << 24 | static_cast<DWORD>(GetRValue(clr)) << 16 |
           static_cast<DWORD>(GetGValue(clr)) << 8 | GetBValue(clr);
}

COLORREF ColorFromPixel(DWORD dwPixel)
{
    return RGB((dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF);
}

const DWORD kTransparentPixel = PixelFromColor(ZP_TRANSPARENT_COLOR, 0);

// The opaque or transparent pixel of a colour.
DWORD OpaquePixel(COLORREF clr)
{
    return clr == ZP_TRANSPARENT_COLOR ? kTransparentPixel : PixelFromColor(clr, 255);
}

BYTE Blend(UINT nColor, UINT nBack, UINT nAlpha)
{
    return static_cast<BYTE>((nColor * nAlpha + nBack * (255 - nAlpha)) / 255);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// States

std::unique_ptr<CZPImageEditorPicture::CAlphaBitmap> CZPImageEditorPicture::CAlphaBitmap::Create(int cx, int cy,
                                                                                                 BOOL bAlpha)
{
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(NULL, cx, cy, &pBits);
    if (hBitmap == NULL)
        return NULL;
    std::unique_ptr<CAlphaBitmap> pState(new CAlphaBitmap);
    pState->m_bitmap.Attach(hBitmap);
    pState->m_pBits = reinterpret_cast<LPDWORD>(pBits);
    pState->m_cx = cx;
    pState->m_cy = cy;
    pState->m_bAlpha = bAlpha;
    ::GdiFlush();
    std::fill(pState->m_pBits, pState->m_pBits + static_cast<size_t>(cx) * cy, kTransparentPixel);
    return pState;
}

std::unique_ptr<CZPImageEditorPicture::CAlphaBitmap>
CZPImageEditorPicture::CAlphaBitmap::FromBitmap(HBITMAP hBitmap, int cx, int cy, BOOL bAlpha)
{
    PBITMAPINFO pInfo = NULL;
    LPBYTE pSource = NULL;
    UINT nSize = 0;
    if (hBitmap == NULL || !ZpGetBitmapBits32(NULL, hBitmap, &pInfo, &pSource, &nSize))
        return NULL;
    std::unique_ptr<CAlphaBitmap> pState = Create(cx, cy, bAlpha);
    const int cxSource = pInfo->bmiHeader.biWidth;
    const int cySource = pInfo->bmiHeader.biHeight < 0 ? -pInfo->bmiHeader.biHeight : pInfo->bmiHeader.biHeight;
    if (pState != NULL) {
        const LPDWORD pPixels = reinterpret_cast<LPDWORD>(pSource);
        for (int y = 0; y < cy && y < cySource; ++y) {
            for (int x = 0; x < cx && x < cxSource; ++x) {
                DWORD dwPixel = pPixels[static_cast<size_t>(cySource - 1 - y) * cxSource + x];
                if (!bAlpha)
                    dwPixel = OpaquePixel(ColorFromPixel(dwPixel));
                else if ((dwPixel & kAlphaMask) == 0)
                    dwPixel = kTransparentPixel;
                pState->SetPixel(x, y, dwPixel);
            }
        }
    }
    free(pInfo);
    free(pSource);
    return pState;
}

std::unique_ptr<CZPImageEditorPicture::CAlphaBitmap> CZPImageEditorPicture::CAlphaBitmap::Clone() const
{
    std::unique_ptr<CAlphaBitmap> pCopy = Create(m_cx, m_cy, m_bAlpha);
    if (pCopy != NULL)
        memcpy(pCopy->m_pBits, m_pBits, static_cast<size_t>(m_cx) * m_cy * 4);
    return pCopy;
}

COLORREF CZPImageEditorPicture::CAlphaBitmap::GetColor(int x, int y) const
{
    DWORD dwPixel = GetPixel(x, y);
    if (m_bAlpha && (dwPixel & kAlphaMask) == 0)
        return ZP_TRANSPARENT_COLOR;
    return ColorFromPixel(dwPixel);
}

void CZPImageEditorPicture::CAlphaBitmap::FixAlpha(const CAlphaBitmap* pBefore)
{
    ::GdiFlush();
    const size_t nPixels = static_cast<size_t>(m_cx) * m_cy;
    const BOOL bCompare = m_bAlpha && pBefore != NULL && pBefore->m_cx == m_cx && pBefore->m_cy == m_cy;
    for (size_t i = 0; i < nPixels; ++i) {
        DWORD dwColor = m_pBits[i] & kColorMask;
        if (bCompare && dwColor == (pBefore->m_pBits[i] & kColorMask))
            m_pBits[i] = pBefore->m_pBits[i];
        else
            m_pBits[i] = OpaquePixel(ColorFromPixel(dwColor));
    }
}

// ---------------------------------------------------------------------------------------------
// Picture

CZPImageEditorPicture::CZPImageEditorPicture()
    : m_cxImage(16), m_cyImage(16), m_cxCell(1), m_cyCell(1), m_pDlg(NULL), m_bStrokePending(FALSE), m_bDrawing(FALSE),
      m_clrStroke(0), m_pBuffer(NULL), m_sizeBuffer(0, 0), m_hCursorShape(NULL), m_hCursorFill(NULL),
      m_hCursorPencil(NULL), m_hCursorPick(NULL)
{}

CZPImageEditorPicture::~CZPImageEditorPicture() = default;

BOOL CZPImageEditorPicture::Attach(CZPImageEditorDlg* pDlg, CWnd* pControl, int cxImage, int cyImage)
{
    if (pControl == NULL || cxImage <= 0 || cyImage <= 0 || !SubclassWindow(pControl->m_hWnd))
        return FALSE;
    m_pDlg = pDlg;
    m_cxImage = cxImage;
    m_cyImage = cyImage;
    CZPResourceManager* pResources = ZpResourceManagerInstance();
    m_hCursorShape = pResources->LoadCursor(ZP_IDC_IMAGEEDITOR_SHAPE);
    m_hCursorFill = pResources->LoadCursor(ZP_IDC_IMAGEEDITOR_FILL);
    m_hCursorPencil = pResources->LoadCursor(ZP_IDC_IMAGEEDITOR_PENCIL);
    m_hCursorPick = pResources->LoadCursor(ZP_IDC_IMAGEEDITOR_PICK);
    // A cell is at least one window pixel: an image wider than the window keeps the window and
    // maps several image pixels to one window pixel.
    CRect rc;
    GetClientRect(&rc);
    m_cxCell = rc.Width() / cxImage;
    m_cyCell = rc.Height() / cyImage;
    if (m_cxCell >= 1 && m_cyCell >= 1) {
        SetWindowPos(NULL, 0, 0, cxImage * m_cxCell + 1, cyImage * m_cyCell + 1,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_cxCell < 1)
        m_cxCell = 1;
    if (m_cyCell < 1)
        m_cyCell = 1;
    return TRUE;
}

void CZPImageEditorPicture::SetState(std::unique_ptr<CAlphaBitmap> pState)
{
    m_pCurrent = std::move(pState);
    m_lstUndo.clear();
    m_lstRedo.clear();
    Changed();
}

void CZPImageEditorPicture::Apply(std::unique_ptr<CAlphaBitmap> pState)
{
    m_pBefore = std::move(m_pCurrent);
    m_pCurrent = std::move(pState);
    m_bStrokePending = TRUE;
    Commit();
}

void CZPImageEditorPicture::Commit()
{
    if (!m_bStrokePending)
        return;
    m_bStrokePending = FALSE;
    m_lstRedo.clear();
    if (m_lstUndo.size() >= kMaxUndo)
        m_lstUndo.pop_front();
    m_lstUndo.push_back(std::move(m_pBefore));
    Changed();
}

void CZPImageEditorPicture::Changed()
{
    if (m_pDlg != NULL)
        m_pDlg->OnPictureChanged();
    else if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CZPImageEditorPicture::Undo()
{
    if (m_lstUndo.empty() || m_bDrawing)
        return;
    m_lstRedo.push_back(std::move(m_pCurrent));
    m_pCurrent = std::move(m_lstUndo.back());
    m_lstUndo.pop_back();
    Changed();
}

void CZPImageEditorPicture::Redo()
{
    if (m_lstRedo.empty() || m_bDrawing)
        return;
    m_lstUndo.push_back(std::move(m_pCurrent));
    m_pCurrent = std::move(m_lstRedo.back());
    m_lstRedo.pop_back();
    Changed();
}

void CZPImageEditorPicture::Clear()
{
    Apply(NULL);
}

void CZPImageEditorPicture::Move(int dx, int dy)
{
    BOOL bAlpha = m_pCurrent != NULL && m_pCurrent->IsAlpha();
    std::unique_ptr<CAlphaBitmap> pState = NewState(bAlpha);
    if (pState == NULL)
        return;
    if (m_pCurrent != NULL) {
        for (int y = 0; y < m_cyImage; ++y)
            for (int x = 0; x < m_cxImage; ++x)
                if (pState->Contains(x + dx, y + dy))
                    pState->SetPixel(x + dx, y + dy, m_pCurrent->GetPixel(x, y));
    }
    Apply(std::move(pState));
}

void CZPImageEditorPicture::CopyToClipboard()
{
    HWND hOwner = m_pDlg != NULL ? m_pDlg->GetSafeHwnd() : m_hWnd;
    if (!::OpenClipboard(hOwner))
        return;
    if (!::EmptyClipboard()) {
        ::CloseClipboard();
        return;
    }
    BOOL bAlpha = m_pCurrent != NULL && m_pCurrent->IsAlpha();
    HBITMAP hBitmap = NULL;
    if (bAlpha) {
        hBitmap = ZpCopyAlphaBitmap(m_pCurrent->GetHandle(), NULL);
    } else {
        // 24 bits: transparent pixels in the button-face colour, no alpha to misread.
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = m_cxImage;
        bmi.bmiHeader.biHeight = m_cyImage;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 24;
        void* pvBits = NULL;
        hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
        if (hBitmap != NULL && pvBits != NULL) {
            const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
            const size_t nStride = ((static_cast<size_t>(m_cxImage) * 3 + 3) / 4) * 4;
            LPBYTE pRows = static_cast<LPBYTE>(pvBits);
            for (int y = 0; y < m_cyImage; ++y) {
                LPBYTE pRow = pRows + static_cast<size_t>(m_cyImage - 1 - y) * nStride;
                for (int x = 0; x < m_cxImage; ++x) {
                    COLORREF clr = m_pCurrent != NULL ? m_pCurrent->GetColor(x, y) : ZP_TRANSPARENT_COLOR;
                    if (clr == ZP_TRANSPARENT_COLOR)
                        clr = clrFace;
                    pRow[x * 3] = GetBValue(clr);
                    pRow[x * 3 + 1] = GetGValue(clr);
                    pRow[x * 3 + 2] = GetRValue(clr);
                }
            }
        }
    }
    ZpSetClipboardBitmap(hBitmap, bAlpha);
    ::CloseClipboard();
}

BOOL CZPImageEditorPicture::PasteFromClipboard()
{
    HWND hOwner = m_pDlg != NULL ? m_pDlg->GetSafeHwnd() : m_hWnd;
    if (!::IsClipboardFormatAvailable(CF_BITMAP) || !::OpenClipboard(hOwner))
        return FALSE;
    BOOL bAlpha = ZpIsClipboardBitmapMarkedAlpha();
    HBITMAP hBitmap = ZpReadClipboardBitmap(m_cxImage, m_cyImage, &bAlpha);
    ::CloseClipboard();
    if (hBitmap == NULL)
        return FALSE;
    std::unique_ptr<CAlphaBitmap> pState = CAlphaBitmap::FromBitmap(hBitmap, m_cxImage, m_cyImage, bAlpha);
    ::DeleteObject(hBitmap);
    if (pState == NULL)
        return FALSE;
    if (!bAlpha) {
        // Another program's button face is this picture's transparency.
        const DWORD dwFace = PixelFromColor(::GetSysColor(COLOR_BTNFACE), 255);
        LPDWORD pBits = pState->GetBits();
        for (size_t i = 0, n = static_cast<size_t>(m_cxImage) * m_cyImage; i < n; ++i)
            if (pBits[i] == dwFace)
                pBits[i] = kTransparentPixel;
    }
    Apply(std::move(pState));
    return TRUE;
}

BOOL CZPImageEditorPicture::Import(LPCWSTR lpszPath)
{
    CString strExt = ::PathFindExtensionW(lpszPath);
    strExt.MakeLower();
    std::unique_ptr<CAlphaBitmap> pState;
    if (strExt == L".ico") {
        HBITMAP hAlpha = ZpLoadAlphaIconFromFile(lpszPath, m_cxImage);
        if (hAlpha != NULL) {
            pState = CAlphaBitmap::FromBitmap(hAlpha, m_cxImage, m_cyImage, TRUE);
            ::DeleteObject(hAlpha);
        } else {
            HICON hIcon =
                static_cast<HICON>(::LoadImageW(NULL, lpszPath, IMAGE_ICON, m_cxImage, m_cyImage, LR_LOADFROMFILE));
            if (hIcon != NULL) {
                pState = NewState(FALSE);
                if (pState != NULL) {
                    CMemoryDC dc(NULL, pState->GetHandle());
                    ::DrawIconEx(dc, 0, 0, hIcon, m_cxImage, m_cyImage, 0, NULL, DI_NORMAL);
                }
                ::DestroyIcon(hIcon);
            }
        }
    } else if (strExt == L".bmp" || strExt == L".png") {
        BOOL bAlpha = FALSE;
        HBITMAP hBitmap = ZpLoadBitmapFile(lpszPath, &bAlpha);
        if (hBitmap != NULL) {
            pState = CAlphaBitmap::FromBitmap(hBitmap, m_cxImage, m_cyImage, bAlpha);
            ::DeleteObject(hBitmap);
        }
    } else {
        HBITMAP hBitmap = ZpLoadOlePicture(lpszPath, m_cxImage, m_cyImage, ZP_TRANSPARENT_COLOR);
        if (hBitmap != NULL) {
            pState = CAlphaBitmap::FromBitmap(hBitmap, m_cxImage, m_cyImage, FALSE);
            ::DeleteObject(hBitmap);
        }
    }
    if (pState == NULL)
        return FALSE;
    pState->FixAlpha(NULL);
    Apply(std::move(pState));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Drawing tools

CPoint CZPImageEditorPicture::PixelFromPoint(CPoint point) const
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rc);
    return PixelFromPoint(point, rc.Size());
}

CPoint CZPImageEditorPicture::PixelFromPoint(CPoint point, CSize sizeWindow) const
{
    // One mapping for hits and painting: the span is the window less its closing frame line.
    const int cxSpan = sizeWindow.cx > 1 ? sizeWindow.cx - 1 : 1;
    const int cySpan = sizeWindow.cy > 1 ? sizeWindow.cy - 1 : 1;
    auto map = [](int v, int nImage, int nSpan) {
        LONGLONG n = static_cast<LONGLONG>(v) * nImage;
        return static_cast<int>(n >= 0 ? n / nSpan : (n - nSpan + 1) / nSpan);
    };
    return CPoint(map(point.x, m_cxImage, cxSpan), map(point.y, m_cyImage, cySpan));
}

BOOL CZPImageEditorPicture::BeginStroke()
{
    std::unique_ptr<CAlphaBitmap> pCopy = m_pCurrent != NULL ? m_pCurrent->Clone() : NewState(FALSE);
    if (pCopy == NULL)
        return FALSE;
    m_pBefore = std::move(m_pCurrent);
    m_pCurrent = std::move(pCopy);
    m_bStrokePending = TRUE;
    return TRUE;
}

void CZPImageEditorPicture::Fill(CPoint ptPixel)
{
    COLORREF clrAt = m_pCurrent->GetColor(ptPixel.x, ptPixel.y);
    // GDI compares colours only: the transparent pixels must hold the transparent colour.
    CBrush brush;
    brush.CreateSolidBrush(m_pDlg != NULL ? m_pDlg->GetCurrentColor() : 0);
    HDC hDC = m_dc.Select(m_pCurrent->GetHandle());
    HGDIOBJ hOldBrush = ::SelectObject(hDC, brush.GetSafeHandle());
    ::ExtFloodFill(hDC, ptPixel.x, ptPixel.y, clrAt, FLOODFILLSURFACE);
    ::SelectObject(hDC, hOldBrush);
    m_dc.Restore();
    m_pCurrent->FixAlpha(m_pBefore.get());
}

void CZPImageEditorPicture::DrawShape(int nTool, CPoint ptPixel)
{
    std::unique_ptr<CAlphaBitmap> pShape = m_pBefore != NULL ? m_pBefore->Clone() : NewState(FALSE);
    if (pShape == NULL)
        return;
    const COLORREF clr = m_pDlg != NULL ? m_pDlg->GetCurrentColor() : 0;
    CPoint ptStart = PixelFromPoint(m_ptStart);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    HDC hDC = m_dc.Select(pShape->GetHandle());
    HGDIOBJ hOldPen = ::SelectObject(hDC, pen.GetSafeHandle());
    if (nTool == zpToolLine) {
        ::MoveToEx(hDC, ptStart.x, ptStart.y, NULL);
        ::LineTo(hDC, ptPixel.x, ptPixel.y);
    } else {
        CRect rc(ptStart, ptPixel);
        rc.NormalizeRect();
        CBrush brushInside;
        brushInside.CreateSolidBrush(ZP_TRANSPARENT_COLOR);
        HGDIOBJ hOldBrush =
            ::SelectObject(hDC, nTool == zpToolEllipse ? brushInside.GetSafeHandle() : ::GetStockObject(NULL_BRUSH));
        if (nTool == zpToolEllipse)
            ::Ellipse(hDC, rc.left, rc.top, rc.right, rc.bottom);
        else
            ::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
        ::SelectObject(hDC, hOldBrush);
    }
    ::SelectObject(hDC, hOldPen);
    m_dc.Restore();
    pShape->FixAlpha(m_pBefore.get());
    m_pCurrent = std::move(pShape);
}

void CZPImageEditorPicture::OnLButtonDown(UINT, CPoint point)
{
    CPoint pt = PixelFromPoint(point);
    if (m_bDrawing || m_pDlg == NULL || pt.x < 0 || pt.y < 0 || pt.x >= m_cxImage || pt.y >= m_cyImage)
        return;
    const int nTool = m_pDlg->GetCurrentTool();
    if (nTool == zpToolPick) {
        m_pDlg->PickColor(m_pCurrent != NULL ? m_pCurrent->GetColor(pt.x, pt.y) : ZP_TRANSPARENT_COLOR);
        return;
    }
    if (!BeginStroke())
        return;
    if (nTool == zpToolFill) {
        Fill(pt);
        Commit();
        return;
    }
    const COLORREF clrCurrent = m_pDlg->GetCurrentColor();
    m_clrStroke =
        nTool == zpToolPencil && m_pCurrent->GetColor(pt.x, pt.y) == clrCurrent ? ZP_TRANSPARENT_COLOR : clrCurrent;
    m_bDrawing = TRUE;
    m_ptStart = point;
    SetCapture();
    OnMouseMove(0, point);
}

void CZPImageEditorPicture::OnMouseMove(UINT, CPoint point)
{
    if (!m_bDrawing || m_pCurrent == NULL || m_pDlg == NULL)
        return;
    CPoint pt = PixelFromPoint(point);
    if (m_pDlg->GetCurrentTool() == zpToolPencil) {
        if (!m_pCurrent->Contains(pt.x, pt.y))
            return;
        DWORD dwOld = m_pCurrent->GetPixel(pt.x, pt.y);
        DWORD dwNew = OpaquePixel(m_clrStroke);
        if ((dwOld & kColorMask) == (dwNew & kColorMask) && m_pCurrent->IsAlpha())
            return;  // an alpha pixel keeps its alpha when its colour stays
        m_pCurrent->SetPixel(pt.x, pt.y, dwNew);
    } else {
        DrawShape(m_pDlg->GetCurrentTool(), pt);
    }
    Changed();
}

void CZPImageEditorPicture::OnLButtonUp(UINT, CPoint)
{
    if (!m_bDrawing)
        return;
    m_bDrawing = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();  // WM_CAPTURECHANGED commits
    Commit();
}

void CZPImageEditorPicture::OnCaptureChanged(CWnd*)
{
    m_bDrawing = FALSE;
    Commit();
}

BOOL CZPImageEditorPicture::OnSetCursor(CWnd*, UINT, UINT)
{
    HCURSOR hCursor = m_hCursorShape;
    switch (m_pDlg != NULL ? m_pDlg->GetCurrentTool() : zpToolLine) {
    case zpToolPencil:
        hCursor = m_hCursorPencil;
        break;
    case zpToolFill:
        hCursor = m_hCursorFill;
        break;
    case zpToolPick:
        hCursor = m_hCursorPick;
        break;
    default:
        break;
    }
    ::SetCursor(hCursor != NULL ? hCursor : ::LoadCursorW(NULL, IDC_ARROW));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Painting

BOOL CZPImageEditorPicture::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CZPImageEditorPicture::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawPicture(&dc, rc);
}

void CZPImageEditorPicture::DrawPicture(CDC* pDC, const CRect& rc)
{
    const int cx = rc.Width();
    const int cy = rc.Height();
    // The off-screen buffer is kept while the window keeps its size.
    if (m_sizeBuffer != CSize(cx, cy) || m_bmpBuffer.GetSafeHandle() == NULL) {
        m_bmpBuffer.DeleteObject();
        m_pBuffer = NULL;
        LPBYTE pBits = NULL;
        HBITMAP hBuffer = ZpCreateDibSection32(NULL, cx, cy, &pBits, TRUE);
        if (hBuffer == NULL)
            return;
        m_bmpBuffer.Attach(hBuffer);
        m_pBuffer = reinterpret_cast<LPDWORD>(pBits);
        m_sizeBuffer = CSize(cx, cy);
        m_columns.resize(cx);
        m_rows.resize(cy);
        for (int x = 0; x < cx; ++x)
            m_columns[x] = std::min<int>(PixelFromPoint(CPoint(x, 0), rc.Size()).x, m_cxImage - 1);
        for (int y = 0; y < cy; ++y)
            m_rows[y] = std::min<int>(PixelFromPoint(CPoint(0, y), rc.Size()).y, m_cyImage - 1);
    }
    ::GdiFlush();
    LPBYTE pBuffer = reinterpret_cast<LPBYTE>(m_pBuffer);
    LPDWORD pOut = reinterpret_cast<LPDWORD>(pBuffer);
    const size_t nPixels = static_cast<size_t>(cx) * cy;
    if (m_pCurrent == NULL) {
        std::fill(pOut, pOut + nPixels, 0x00FFFFFFu);
    } else {
        const BOOL bAlpha = m_pCurrent->IsAlpha();
        for (int y = 0; y < cy; ++y) {
            LPDWORD pRow = pOut + static_cast<size_t>(y) * cx;
            const int iy = m_rows[y];
            const LPDWORD pImageRow = m_pCurrent->GetBits() + static_cast<size_t>(m_cyImage - 1 - iy) * m_cxImage;
            for (int x = 0; x < cx; ++x) {
                const int ix = m_columns[x];
                const DWORD dwPixel = pImageRow[ix];
                const BYTE nBack = ((x / kCheckerSquare + y / kCheckerSquare) & 1) != 0 ? kCheckerDark : kCheckerLight;
                if (bAlpha) {
                    const UINT a = dwPixel >> 24;
                    pRow[x] = static_cast<DWORD>(Blend((dwPixel >> 16) & 0xFF, nBack, a)) << 16 |
                              static_cast<DWORD>(Blend((dwPixel >> 8) & 0xFF, nBack, a)) << 8 |
                              Blend(dwPixel & 0xFF, nBack, a);
                } else if ((dwPixel & kColorMask) == (kTransparentPixel & kColorMask)) {
                    pRow[x] = static_cast<DWORD>(nBack) * 0x010101u;
                } else {
                    pRow[x] = dwPixel & kColorMask;
                }
            }
        }
        // The black frame around.
        for (int x = 0; x < cx; ++x) {
            pOut[x] = 0;
            pOut[static_cast<size_t>(cy - 1) * cx + x] = 0;
        }
        for (int y = 0; y < cy; ++y) {
            pOut[static_cast<size_t>(y) * cx] = 0;
            pOut[static_cast<size_t>(y) * cx + cx - 1] = 0;
        }
    }
    HDC hBufferDC = m_dc.Select(static_cast<HBITMAP>(m_bmpBuffer.GetSafeHandle()));
    ::BitBlt(pDC->m_hDC, rc.left, rc.top, cx, cy, hBufferDC, 0, 0, SRCCOPY);
    m_dc.Restore();
}
