// Scroll-bar, slider and gallery looks drawn from a scroll base's geometry.
#include "commandbars/ZPScrollBarPaintManager.h"

#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPScrollBase.h"

#include <algorithm>

namespace {

// Paint-manager colour indices.
const int kColorFace = 15;
const int kColorShadow = 16;
const int kColorHighlight = 20;

// Flat arrows need this much room for a glyph.
const int kMinGlyphSide = 6;
const int kGlyphInset = 4;
const int kGlyphOffset = 2;
const int kMarlettWeight = 400;

// Slider metrics.
const int kSliderArrow = 16;
const int kSliderBar = 16;
const int kSliderThumb = 11;
const int kSliderTickInset = 6;

// Gallery colours and the label's text inset.
const int kColorGalleryFill = 41;
const int kColorGalleryBorder = 52;
const int kColorGallerySeparator = 39;
const int kColorLabelFill = 56;
const int kColorLabelText = 44;
const int kColorButtonColumn = 30;
const int kLabelTextInset = 10;
// Bar type and position the gallery's buttons are drawn as.
const int kButtonBarType = 1, kButtonBarPosition = 5;

// Gallery button column.
const int kGalleryRowButton = 19;
const int kGalleryButtonColumn = 16;

enum
{
    rectFirstArrow,
    rectSecondArrow,
    rectTrack,
    rectBefore,
    rectThumb,
    rectAfter,
    rectCount
};

// Rectangle spanning [nFrom, nTo) along the bar and its full width across.
RECT AlongRect(const ZP_SCROLLBAR_GEOMETRY& g, int nFrom, int nTo)
{
    RECT rc;
    if (g.bVertical)
        ::SetRect(&rc, g.rcBar.left, nFrom, g.rcBar.right, nTo);
    else
        ::SetRect(&rc, nFrom, g.rcBar.top, nTo, g.rcBar.bottom);
    return rc;
}

}  // namespace

CZPScrollBarPaintManager::CZPScrollBarPaintManager(CZPPaintManager* pPaintManager)
    : m_cxHScroll(::GetSystemMetrics(SM_CXHSCROLL)), m_cyHScroll(::GetSystemMetrics(SM_CYHSCROLL)),
      m_cyVScroll(::GetSystemMetrics(SM_CYVSCROLL)), m_cxVScroll(::GetSystemMetrics(SM_CXVSCROLL)), m_nThumbSize(0),
      m_themeScrollBar(TRUE), m_pPaintManager(pPaintManager), m_nGlyphFontHeight(0)
{}

CZPScrollBarPaintManager::~CZPScrollBarPaintManager()
{
    m_themeScrollBar.CloseTheme();
}

void CZPScrollBarPaintManager::RefreshMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_partCache.Clear();
    m_themeScrollBar.OpenTheme(NULL, L"SCROLLBAR");
}

void CZPScrollBarPaintManager::DrawScrollBar(CDC* pDC, CZPScrollBase* pScrollBar)
{
    const ZP_SCROLLBAR_GEOMETRY& g = pScrollBar->GetScrollBarGeometry();
    if (g.nAcrossEnd - g.nAcrossStart < 1)
        return;
    const ZP_SCROLLBAR_TRACKSTATE* s = pScrollBar->GetTrackState();
    const int nPressed = s != NULL && (s->bDragging || s->bInside) ? g.nHotPart : kZpScrollPartNone;
    const int nHot = s == NULL ? g.nHotPart : kZpScrollPartNone;
    const long long nRange = static_cast<long long>(g.nMax) - g.nMin + 1;
    const BOOL bActive = nRange - g.nPage > 0 && pScrollBar->IsScrollBarEnabled();

    RECT rects[rectCount];
    rects[rectFirstArrow] = AlongRect(g, g.nAlongStart, g.nFirstArrowEnd);
    rects[rectSecondArrow] = AlongRect(g, g.nSecondArrowStart, g.nAlongEnd);
    rects[rectTrack] = AlongRect(g, g.nFirstArrowEnd, g.nSecondArrowStart);
    if (bActive && g.nThumbEnd <= g.nSecondArrowStart && g.nThumbStart >= g.nFirstArrowEnd) {
        rects[rectBefore] = AlongRect(g, g.nFirstArrowEnd, g.nThumbStart);
        rects[rectThumb] = AlongRect(g, g.nThumbStart, g.nThumbEnd);
        rects[rectAfter] = AlongRect(g, g.nThumbEnd, g.nSecondArrowStart);
    } else {
        rects[rectBefore] = AlongRect(g, g.nFirstArrowEnd, g.nFirstArrowEnd);
        rects[rectThumb] = rects[rectBefore];
        rects[rectAfter] = rects[rectTrack];
    }

    const int nStyle = pScrollBar->GetScrollBarStyle();
    if (nStyle == kZpScrollStyleThemed && m_pPaintManager->IsThemeInUse(m_themeScrollBar)) {
        DrawThemed(pDC, pScrollBar, rects, nPressed, nHot, bActive);
        return;
    }
    const BOOL bFlat = nStyle == kZpScrollStyleFlat;
    if (bFlat) {
        DrawArrowFlat(pDC, rects[rectFirstArrow], kZpScrollPartFirstArrow, nPressed, bActive, g.bVertical);
        DrawArrowFlat(pDC, rects[rectSecondArrow], kZpScrollPartSecondArrow, nPressed, bActive, g.bVertical);
    } else {
        const UINT nInactive = bActive ? 0 : DFCS_INACTIVE;
        for (int i = rectFirstArrow; i <= rectSecondArrow; ++i) {
            RECT rc = rects[i];
            if (::IsRectEmpty(&rc))
                continue;
            const BOOL bFirst = i == rectFirstArrow;
            const UINT nKind = g.bVertical ? (bFirst ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                           : (bFirst ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
            const int nPart = bFirst ? kZpScrollPartFirstArrow : kZpScrollPartSecondArrow;
            ::DrawFrameControl(pDC->GetSafeHdc(), &rc, DFC_SCROLL,
                               nKind | nInactive | (nPressed == nPart ? DFCS_PUSHED : 0));
        }
    }
    DrawTrack(pDC, rects, nPressed, bFlat);
}

void CZPScrollBarPaintManager::DrawThemed(CDC* pDC, CZPScrollBase* pScrollBar, const RECT* pRects, int nPressed,
                                          int nHot, BOOL bActive)
{
    const BOOL v = pScrollBar->GetScrollBarGeometry().bVertical;
    const HDC hDC = pDC->GetSafeHdc();
    auto state = [&](int nPart) {
        return !bActive            ? kZpScrollStateDisabled
               : nPart == nPressed ? kZpScrollStatePressed
               : nPart == nHot     ? kZpScrollStateHot
                                   : kZpScrollStateNormal;
    };
    auto draw = [&](int nThemePart, int nState, const RECT& rc) {
        if (!::IsRectEmpty(&rc) && !m_partCache.Draw(m_themeScrollBar, hDC, nThemePart, nState, CRect(rc), NULL))
            m_themeScrollBar.DrawBackground(hDC, nThemePart, nState, &rc, NULL);
    };
    draw(kZpScrollThemeArrow,
         (v ? kZpScrollArrowStatesUp : kZpScrollArrowStatesLeft) + state(kZpScrollPartFirstArrow) - 1,
         pRects[rectFirstArrow]);
    draw(kZpScrollThemeArrow,
         (v ? kZpScrollArrowStatesDown : kZpScrollArrowStatesRight) + state(kZpScrollPartSecondArrow) - 1,
         pRects[rectSecondArrow]);
    if (::IsRectEmpty(&pRects[rectTrack]))
        return;
    draw(v ? kZpScrollThemeTrackBeforeVert : kZpScrollThemeTrackBeforeHorz, state(kZpScrollPartTrackBefore),
         pRects[rectBefore]);
    const int nThumbState = state(kZpScrollPartThumb);
    draw(v ? kZpScrollThemeThumbVert : kZpScrollThemeThumbHorz, nThumbState, pRects[rectThumb]);
    const RECT& rcThumb = pRects[rectThumb];
    if ((v ? rcThumb.bottom - rcThumb.top : rcThumb.right - rcThumb.left) > kZpScrollMinThumbForGripper)
        draw(v ? kZpScrollThemeGripperVert : kZpScrollThemeGripperHorz, nThumbState, rcThumb);
    draw(v ? kZpScrollThemeTrackAfterVert : kZpScrollThemeTrackAfterHorz, state(kZpScrollPartTrackAfter),
         pRects[rectAfter]);
}

void CZPScrollBarPaintManager::DrawArrowFlat(CDC* pDC, const RECT& rc, int nPart, int nPressed, BOOL bActive,
                                             BOOL bVertical)
{
    if (::IsRectEmpty(&rc))
        return;
    pDC->FillSolidRect(&rc, m_pPaintManager->GetColor(kColorFace));
    const BOOL bPressed = nPressed == nPart && bActive;
    m_pPaintManager->Draw3dRectByIndex(pDC, rc, bPressed ? kColorShadow : kColorHighlight,
                                       bPressed ? kColorHighlight : kColorShadow);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    const int nSide = std::min(cx, cy);
    if (nSide < kMinGlyphSide)
        return;
    const BOOL bFirst = nPart == kZpScrollPartFirstArrow;
    const WCHAR ch = bVertical ? (bFirst ? kZpMarlettUp : kZpMarlettDown) : (bFirst ? kZpMarlettLeft : kZpMarlettRight);
    if (m_nGlyphFontHeight != nSide - kGlyphInset || m_fontGlyph.GetSafeHandle() == NULL) {
        m_fontGlyph.DeleteObject();
        LOGFONTW lf = {};
        lf.lfHeight = nSide - kGlyphInset;
        lf.lfWeight = kMarlettWeight;
        lf.lfCharSet = SYMBOL_CHARSET;
        ::lstrcpynW(lf.lfFaceName, L"MARLETT", LF_FACESIZE);
        if (!m_fontGlyph.CreateFontIndirect(&lf))
            return;
        m_nGlyphFontHeight = nSide - kGlyphInset;
    }
    CFont* pOldFont = pDC->SelectObject(&m_fontGlyph);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(bActive ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW));
    pDC->TextOut(rc.left + (cx - nSide) / 2 + kGlyphOffset, rc.top + (cy - nSide) / 2 + kGlyphOffset, CString(ch));
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CZPScrollBarPaintManager::DrawTrack(CDC* pDC, const RECT* pRects, int nPressed, BOOL bFlat)
{
    if (::IsRectEmpty(&pRects[rectTrack]))
        return;
    const HDC hDC = pDC->GetSafeHdc();
    const COLORREF clrOldBack = ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF clrOldText = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    CBrush halftone;
    ::FillRect(hDC, &pRects[rectTrack], ZpGetScrollTrackBrush(hDC, halftone));
    if (nPressed == kZpScrollPartTrackBefore && !::IsRectEmpty(&pRects[rectBefore]))
        ::InvertRect(hDC, &pRects[rectBefore]);
    if (!::IsRectEmpty(&pRects[rectThumb])) {
        RECT rc = pRects[rectThumb];
        pDC->FillSolidRect(&rc, m_pPaintManager->GetColor(kColorFace));
        if (bFlat)
            m_pPaintManager->Draw3dRectByIndex(pDC, rc, kColorHighlight, kColorShadow);
        else
            ::DrawEdge(hDC, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    if (nPressed == kZpScrollPartTrackAfter && !::IsRectEmpty(&pRects[rectAfter]))
        ::InvertRect(hDC, &pRects[rectAfter]);
    ::SetTextColor(hDC, clrOldText);
    ::SetBkColor(hDC, clrOldBack);
}

// ---------------------------------------------------------------------------------------------
// CZPSliderPaintManager

CZPSliderPaintManager::CZPSliderPaintManager(CZPPaintManager* pPaintManager) : CZPScrollBarPaintManager(pPaintManager)
{
    m_cxHScroll = kSliderArrow;
    m_cyHScroll = kSliderBar;
    m_nThumbSize = kSliderThumb;
}

void CZPSliderPaintManager::RefreshMetrics()
{
    CZPScrollBarPaintManager::RefreshMetrics();
    m_cxHScroll = kSliderArrow;
    m_cyHScroll = kSliderBar;
    m_nThumbSize = kSliderThumb;
}

void CZPSliderPaintManager::DrawScrollBar(CDC* pDC, CZPScrollBase* pScrollBar)
{
    const ZP_SCROLLBAR_GEOMETRY& g = pScrollBar->GetScrollBarGeometry();
    if (g.bVertical || g.nAcrossEnd - g.nAcrossStart < 1)
        return;
    const ZP_SCROLLBAR_TRACKSTATE* s = pScrollBar->GetTrackState();
    const int nPressed = s != NULL && (s->bDragging || s->bInside) ? g.nHotPart : kZpScrollPartNone;
    const int nHot = s == NULL ? g.nHotPart : kZpScrollPartNone;
    const long long nRange = static_cast<long long>(g.nMax) - g.nMin + 1;
    const BOOL bActive = nRange - g.nPage > 0 && pScrollBar->IsScrollBarEnabled();
    const COLORREF clrFace = m_pPaintManager->GetColor(kColorFace);
    const COLORREF clrShadow = m_pPaintManager->GetColor(kColorShadow);
    const COLORREF clrHighlight = m_pPaintManager->GetColor(kColorHighlight);
    const RECT& rcBar = g.rcBar;

    // Track line.
    const int yLine = (rcBar.top + rcBar.bottom - 2) / 2;
    pDC->FillSolidRect(g.nFirstArrowEnd, yLine, g.nSecondArrowStart - g.nFirstArrowEnd, 1, clrShadow);
    pDC->FillSolidRect(g.nFirstArrowEnd, yLine + 1, g.nSecondArrowStart - g.nFirstArrowEnd, 1, clrHighlight);

    // Ticks on the track inset at both ends.
    const int xTrack = g.nFirstArrowEnd + kSliderTickInset;
    const int nWidth = g.nSecondArrowStart - g.nFirstArrowEnd - 2 * kSliderTickInset;
    const int y0 = (rcBar.top + rcBar.bottom - 8) / 2;
    auto tick = [&](int x) {
        pDC->FillSolidRect(xTrack + x - 1, y0, 1, 4, clrShadow);
        pDC->FillSolidRect(xTrack + x - 1, y0 + 5, 1, 2, clrShadow);
        pDC->FillSolidRect(xTrack + x, y0 + 1, 1, 7, clrHighlight);
    };
    const CArray<double, double>* pTicks = pScrollBar->GetTicks();
    if (pTicks == NULL) {
        tick(nWidth / 2);
    } else if (g.nMin < g.nMax) {
        for (INT_PTR i = 0; i < pTicks->GetSize(); ++i) {
            const double x = nWidth * ((*pTicks)[i] - g.nMin) / (static_cast<double>(g.nMax) - g.nMin);
            if (x >= 0 && x <= nWidth)
                tick(static_cast<int>(x));
        }
    }

    // Minus and plus buttons.
    for (int nPart = kZpScrollPartFirstArrow; nPart <= kZpScrollPartSecondArrow; ++nPart) {
        CRect rc = nPart == kZpScrollPartFirstArrow ? AlongRect(g, g.nAlongStart, g.nFirstArrowEnd)
                                                    : AlongRect(g, g.nSecondArrowStart, g.nAlongEnd);
        if (rc.IsRectEmpty())
            continue;
        pDC->FillSolidRect(rc, nHot == nPart || nPressed == nPart ? clrHighlight : clrFace);
        pDC->Draw3dRect(rc, clrShadow, clrShadow);
        if (nPressed != nPart) {
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            pDC->Draw3dRect(rcInner, clrHighlight, clrHighlight);
        }
        const CPoint c = rc.CenterPoint();
        pDC->FillSolidRect(c.x - 4, c.y - 1, 8, 2, RGB(0, 0, 0));
        if (nPart == kZpScrollPartSecondArrow)
            pDC->FillSolidRect(c.x - 1, c.y - 4, 2, 8, RGB(0, 0, 0));
    }

    if (!bActive)
        return;
    // The pentagon thumb.
    const int x = (g.nThumbStart + g.nThumbEnd) / 2 - 4;
    const int y = (rcBar.top + rcBar.bottom - 13) / 2;
    const BOOL bHot = nHot == kZpScrollPartThumb || nPressed == kZpScrollPartThumb;
    POINT pts[] = { { x, y }, { x + 8, y }, { x + 8, y + 9 }, { x + 4, y + 13 }, { x, y + 9 } };
    CBrush brush(bHot ? clrHighlight : clrFace);
    CPen pen(PS_SOLID, 1, clrShadow);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(pts, 5);
    if (nPressed != kZpScrollPartThumb) {
        CPen penInner(PS_SOLID, 1, clrHighlight);
        pDC->SelectObject(&penInner);
        POINT inner[] = { { x + 1, y + 1 },  { x + 7, y + 1 }, { x + 7, y + 9 },
                          { x + 4, y + 12 }, { x + 1, y + 9 }, { x + 1, y + 1 } };
        pDC->Polyline(inner, 6);
        pDC->SelectObject(&pen);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

// ---------------------------------------------------------------------------------------------
// CZPControlGalleryPaintManager

CZPControlGalleryPaintManager::CZPControlGalleryPaintManager(CZPPaintManager* pPaintManager)
    : CZPScrollBarPaintManager(pPaintManager), m_cyRowUpButton(kGalleryRowButton), m_cyRowDownButton(kGalleryRowButton),
      m_cxScrollButtons(kGalleryButtonColumn)
{}

void CZPControlGalleryPaintManager::RefreshMetrics()
{
    CZPScrollBarPaintManager::RefreshMetrics();
    m_cyRowUpButton = kGalleryRowButton;
    m_cyRowDownButton = kGalleryRowButton;
    m_cxScrollButtons = kGalleryButtonColumn;
}

void CZPControlGalleryPaintManager::FillControl(CDC* pDC, CZPControlGallery* pGallery, CRect rc)
{
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(kColorGalleryFill));
    if (pGallery->IsShowBorders()) {
        const COLORREF clrBorder = m_pPaintManager->GetColor(kColorGalleryBorder);
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
    }
    if (pGallery->HasControlBelow())
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, m_pPaintManager->GetColor(kColorGallerySeparator));
}

void CZPControlGalleryPaintManager::DrawLabel(CDC* pDC, CZPControlGalleryItem* pLabel, CRect rc)
{
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(kColorLabelFill));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_pPaintManager->GetColor(kColorGalleryBorder));
    CFont* pOldFont = pDC->SelectObject(m_pPaintManager->GetRegularFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(m_pPaintManager->GetColor(kColorLabelText));
    CRect rcText = rc;
    rcText.DeflateRect(kLabelTextInset, 0);
    CString strCaption = pLabel->GetCaption();
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CZPControlGalleryPaintManager::DrawScrollButtons(CDC* pDC, CZPControlGallery* pGallery)
{
    const ZP_SCROLLBAR_GEOMETRY& g = pGallery->GetScrollBarGeometry();
    const CRect rcColumn(g.rcBar);
    if (rcColumn.IsRectEmpty())
        return;
    pDC->FillSolidRect(rcColumn, m_pPaintManager->GetColor(kColorButtonColumn));
    const BOOL bTracking = pGallery->GetTrackState() != NULL;
    const BOOL bEnabled = pGallery->GetEnabled();
    const int nRowUpBottom = std::min<int>(rcColumn.bottom, rcColumn.top + m_cyRowUpButton);
    const int nRowDownBottom = std::min<int>(rcColumn.bottom, nRowUpBottom + m_cyRowDownButton);
    const struct
    {
        int nPart;
        CRect rc;
    } buttons[] = {
        { kZpScrollPartFirstArrow, CRect(rcColumn.left, rcColumn.top, rcColumn.right, nRowUpBottom) },
        { kZpScrollPartSecondArrow, CRect(rcColumn.left, nRowUpBottom, rcColumn.right, nRowDownBottom) },
        { kZpScrollPartPopup, CRect(rcColumn.left, nRowDownBottom, rcColumn.right, rcColumn.bottom) },
    };
    for (const auto& b : buttons) {
        if (b.rc.IsRectEmpty())
            continue;
        const BOOL bButtonEnabled =
            bEnabled && (b.nPart == kZpScrollPartPopup || pGallery->IsScrollPartEnabled(b.nPart));
        const BOOL bPressed = bButtonEnabled && bTracking && g.nHotPart == b.nPart;
        const BOOL bHot = bButtonEnabled && !bTracking && g.nHotPart == b.nPart;
        m_pPaintManager->DrawStateRectangle(pDC, b.rc, bHot || bPressed, bPressed, bButtonEnabled, FALSE, FALSE,
                                            kButtonBarType, kButtonBarPosition);
        const COLORREF clr = m_pPaintManager->GetStateTextColor(bHot, bPressed, bButtonEnabled, FALSE, FALSE,
                                                                kButtonBarType, kButtonBarPosition);
        const CPoint c = b.rc.CenterPoint();
        if (b.nPart == kZpScrollPartFirstArrow) {
            m_pPaintManager->DrawTriangle(pDC, CPoint(c.x - 4, c.y + 2), CPoint(c.x + 4, c.y + 2), CPoint(c.x, c.y - 2),
                                          clr);
        } else if (b.nPart == kZpScrollPartSecondArrow) {
            m_pPaintManager->DrawTriangle(pDC, CPoint(c.x - 4, c.y - 2), CPoint(c.x + 4, c.y - 2), CPoint(c.x, c.y + 2),
                                          clr);
        } else {
            m_pPaintManager->DrawTriangle(pDC, CPoint(c.x - 4, c.y - 1), CPoint(c.x + 4, c.y - 1), CPoint(c.x, c.y + 3),
                                          clr);
            pDC->FillSolidRect(c.x - 4, c.y - 4, 9, 2, clr);
        }
    }
}
