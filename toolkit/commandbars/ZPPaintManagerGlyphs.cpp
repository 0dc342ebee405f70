// What the base paint manager draws outside command controls: the floating caption, bar borders,
// the status-bar background and size grip, dock areas, message-bar buttons, the workspace, check
// and radio marks, arrows and the popup animations.
#include "commandbars/ZPPaintManager.h"

#include "commandbars/ZPControl.h"
#include "commandbars/ZPPopupBar.h"

#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

const int kMarkSize = 13;  // check-box and radio marks on bars
const int kStatusGripWidth = 18;
const int kStatusBackgroundPart = 0;
const int kStatusGripperPart = 3;   // SP_GRIPPER
const int kButtonRadioPart = 2;     // BP_RADIOBUTTON
const int kButtonCheckBoxPart = 3;  // BP_CHECKBOX
const int kMarkStatesPerCheck = 4;  // unchecked, checked, mixed come in blocks of four states
const int kMinComboArrowHalf = 2;
const int kBarBorder = 2;
const int kFloatingCaptionInset = 3;
const int kFloatingCaptionMinText = 15;  // a smaller " " gets the fixed caption height below
const int kFloatingCaptionMinBottom = 18;
const int kFloatingCaptionTextLeft = 5;
const int kFloatingCaptionButtons = 2;  // square caption buttons at the right

// Microseconds of the performance counter: the tick count may advance in steps of a frame or
// more (it does under Wine), which would end a fade a frame early.
LONGLONG Microseconds()
{
    static LARGE_INTEGER s_freq = {};
    if (s_freq.QuadPart == 0)
        ::QueryPerformanceFrequency(&s_freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return s_freq.QuadPart > 0
               ? t.QuadPart / s_freq.QuadPart * 1000000 + t.QuadPart % s_freq.QuadPart * 1000000 / s_freq.QuadPart
               : static_cast<LONGLONG>(::GetTickCount()) * 1000;
}

// The frame to draw from k on: k while it is not late, else the first frame not yet due (at most
// nLast). Late frames are passed over in one step, so huge step counts cost nothing per frame.
int NextFrame(LONGLONG llStart, int nTime, int k, int nLast, int nSteps)
{
    const LONGLONG llTime = static_cast<LONGLONG>(nTime) * 1000;
    const LONGLONG llElapsed = Microseconds() - llStart;
    if (llElapsed <= llTime * k / nSteps)
        return k;
    if (llTime <= 0)
        return nLast;
    return static_cast<int>(std::min<LONGLONG>(nLast, std::max<LONGLONG>(k, llElapsed * nSteps / llTime + 1)));
}

// Sleeps until frame k of nSteps is due.
void WaitForFrame(LONGLONG llStart, int nTime, int k, int nSteps)
{
    const LONGLONG llDue = static_cast<LONGLONG>(nTime) * 1000 * k / nSteps;
    const LONGLONG llElapsed = Microseconds() - llStart;
    if (llElapsed < llDue)
        ::Sleep(static_cast<DWORD>((llDue - llElapsed + 999) / 1000));
}

// A 32-bit top-down DIB section; the pixels stay valid while the object lives.
class CDibPixels
{
public:
    CDibPixels(CDC* pDC, int cx, int cy) : m_pBits(NULL)
    {
        LPBYTE pBits = NULL;
        if (m_bitmap.Attach(ZpCreateDibSection32(pDC->GetSafeHdc(), cx, cy, &pBits, TRUE)))
            m_pBits = reinterpret_cast<DWORD*>(pBits);
    }
    CDibPixels(const CDibPixels&) = delete;
    CDibPixels& operator=(const CDibPixels&) = delete;

    CBitmap m_bitmap;  // owned
    DWORD* m_pBits;    // inside m_bitmap
};

}  // namespace

int ZpFadeAlpha(int nStep, int nSteps)
{
    return nSteps > 0 ? static_cast<int>(255LL * nStep / nSteps) : 255;
}

// Bar parts -------------------------------------------------------------------------------------

CSize CZPPaintManager::DrawBarGripper(CDC* pDC, CZPCommandBar* pBar, BOOL bDraw)
{
    if (pBar == NULL || pBar->GetPosition() != zpBarFloating)
        return CSize(0, 0);
    CDC dcMeasure;
    if (pDC == NULL) {
        if (bDraw || !dcMeasure.CreateCompatibleDC(NULL))
            return CSize(0, 0);
        pDC = &dcMeasure;
    }
    CZPFontDC font(pDC, &m_fontSmCaption);
    const int h = pDC->GetTextExtent(L" ", 1).cy;
    CRect rcClient;
    ZpClientRectOfWnd(rcClient, pBar);
    const CRect rcCaption(kFloatingCaptionInset, kFloatingCaptionInset,
                          std::max<int>(rcClient.right - kFloatingCaptionInset, kFloatingCaptionInset),
                          h < kFloatingCaptionMinText ? kFloatingCaptionMinBottom : h + kFloatingCaptionInset);
    if (bDraw) {
        pDC->FillSolidRect(&rcCaption, m_clrFloatingCaption);
        font.SetColor(m_clrFloatingCaptionText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rcText(kFloatingCaptionTextLeft, kFloatingCaptionInset,
                     rcCaption.right - kFloatingCaptionButtons * rcCaption.Height(), rcCaption.bottom);
        if (!rcText.IsRectEmpty())
            pDC->DrawText(pBar->GetTitle(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(nOldMode);
    }
    return rcCaption.Size();
}

CRect CZPPaintManager::GetBarBorders(CZPCommandBar* /*pBar*/)
{
    return CRect(kBarBorder, kBarBorder, kBarBorder, kBarBorder);
}

BOOL CZPPaintManager::IsFlatBar(CZPCommandBar* pBar)
{
    return pBar != NULL && pBar->GetType() == zpBarTypeMenuBar ? m_bFlatMenuBar : m_bFlatToolBar;
}

// Status bar, dock area, message bar, workspace -----------------------------------------------

void CZPPaintManager::FillStatusBar(CDC* pDC, CWnd* pStatusBar)
{
    CRect rc;
    ZpClientRectOfWnd(rc, pStatusBar);
    if (m_bThemedStatusBar && IsThemeInUse(m_themeStatusBar))
        m_themeStatusBar.DrawBackground(pDC->GetSafeHdc(), kStatusBackgroundPart, 0, &rc, NULL);
    else
        pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
}

void CZPPaintManager::DrawStatusSizeGrip(CDC* pDC, CRect rcGrip)
{
    if (m_bThemedStatusBar && IsThemeInUse(m_themeStatusBar)) {
        CRect rcPart(rcGrip.right - kStatusGripWidth, rcGrip.top, rcGrip.right, rcGrip.bottom);
        m_themeStatusBar.DrawBackground(pDC->GetSafeHdc(), kStatusGripperPart, 0, &rcPart, NULL);
        return;
    }
    // The strokes are placed in the rectangle's own width and height, from the DC's origin.
    const int w = rcGrip.Width();
    const int h = rcGrip.Height();
    // One pen per colour: the grip is drawn with every status-bar paint.
    CZPPenDC pen(pDC->GetSafeHdc(), GetColor(zpColorBtnShadow));
    for (int o = 0; o <= 8; o += 4) {
        Line(pDC, w - o - 3, h - 2, w - 1, h - o - 4);
        Line(pDC, w - o - 4, h - 2, w - 1, h - o - 5);
    }
    pen.ChangeColor(GetColor(zpColorBtnHighlight));
    for (int o = 0; o <= 8; o += 4)
        Line(pDC, w - o - 5, h - 2, w - 1, h - o - 6);
}

void CZPPaintManager::FillDockArea(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    ZpClientRectOfWnd(rc, pWnd);
    pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
}

void CZPPaintManager::DrawMessageBarButton(CDC* pDC, ZP_MESSAGEBAR_BUTTON* pButton)
{
    if (pButton == NULL)
        return;
    const CRect rc = pButton->m_rect;
    if (pButton->m_bPressed || pButton->m_bHot) {
        pDC->FillSolidRect(&rc, GetColor(zpColorBtnFace));
        DrawStateRectangle(pDC, rc, pButton->m_bHot, pButton->m_bPressed, TRUE, FALSE, FALSE, 1, 0);
    } else if (pButton->m_nId != SC_CLOSE) {
        FillRectAndBorder(pDC, rc, zpColorBtnFace, zpColorBtnShadow);
    }
    if (pButton->m_nId == SC_CLOSE) {
        const CPoint c = rc.CenterPoint();
        CZPPenDC pen(pDC->GetSafeHdc(), RGB(0, 0, 0));
        Line(pDC, c.x - 4, c.y - 3, c.x + 3, c.y + 4);
        Line(pDC, c.x - 3, c.y - 3, c.x + 4, c.y + 4);
        Line(pDC, c.x - 4, c.y + 3, c.x + 3, c.y - 4);
        Line(pDC, c.x - 3, c.y + 3, c.x + 4, c.y - 4);
    }
}

void CZPPaintManager::FillWorkspace(CDC* pDC, CRect rc, CRect /*rcExclude*/)
{
    pDC->FillSolidRect(&rc, GetColor(zpColorAppWorkspace));
}

void CZPPaintManager::SetBarRegion(CZPCommandBar* /*pBar*/) {}

void CZPPaintManager::FillPopupIconColumn(CDC* /*pDC*/, int /*nLeft*/, int /*nTop*/, int /*nWidth*/, int /*nHeight*/,
                                          BOOL /*bFlag*/)
{}

void CZPPaintManager::AdjustRightToLeftCaption(CZPControl* /*pControl*/) {}

// Marks and glyphs ----------------------------------------------------------------------------

// The check-box and radio marks differ only in the style part and the classic frame kind.
static void DrawButtonMark(CZPPaintManager* pPM, CDC* pDC, CRect rc, int nPart, UINT nClassic, int bSelected,
                           BOOL bPressed, int nChecked, BOOL bEnabled)
{
    if (pPM->m_bThemedCheckBox && pPM->IsThemeInUse(pPM->m_themeButton)) {
        const int nBase = !bEnabled ? 3 : (bPressed && bSelected) ? 2 : bSelected ? 1 : 0;
        const int nState =
            nBase + 1 + (nChecked == 1 ? kMarkStatesPerCheck : 0) + (nChecked == 2 ? 2 * kMarkStatesPerCheck : 0);
        pPM->m_themeButton.DrawBackground(pDC->GetSafeHdc(), nPart, nState, &rc, NULL);
        return;
    }
    UINT nState = nClassic;
    if (nChecked != 0)
        nState |= DFCS_CHECKED;
    if (bPressed)
        nState |= DFCS_PUSHED;
    if (!bEnabled || nChecked == 2)
        nState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&rc, DFC_BUTTON, nState);
}

CSize CZPPaintManager::DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int bSelected, BOOL bPressed, int nChecked,
                                        BOOL bEnabled)
{
    if (bDraw)
        DrawButtonMark(this, pDC, rc, kButtonCheckBoxPart, DFCS_BUTTONCHECK, bSelected, bPressed, nChecked, bEnabled);
    return CSize(kMarkSize, kMarkSize);
}

CSize CZPPaintManager::DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int bSelected, BOOL bPressed, int nChecked,
                                           BOOL bEnabled)
{
    if (bDraw)
        DrawButtonMark(this, pDC, rc, kButtonRadioPart, DFCS_BUTTONRADIO, bSelected, bPressed, nChecked, bEnabled);
    return CSize(kMarkSize, kMarkSize);
}

void CZPPaintManager::DrawCheckMarkGlyph(CDC* pDC, CRect rc, COLORREF clr)
{
    const int x0 = rc.left + rc.Width() / 2 - 10;
    const int y0 = rc.top + rc.Height() / 2 - 10;
    CZPPenDC pen(pDC->GetSafeHdc(), GetColor(static_cast<int>(clr)));
    // A mirrored DC flips x: the strokes are laid out so that the mark still reads as a tick.
    const BOOL bMirrored = ZpDCIsMirrored(pDC);
    const int nElbowX = bMirrored ? 10 : 8;
    const int nStartY = bMirrored ? 7 : 9;
    const int nEndY = bMirrored ? 8 : 6;
    for (int nRow = 0; nRow < 2; ++nRow) {
        pDC->MoveTo(x0 + 6, y0 + nStartY + nRow);
        pDC->LineTo(x0 + nElbowX, y0 + 11 + nRow);
        pDC->LineTo(x0 + 13, y0 + nEndY + nRow);
    }
}

void CZPPaintManager::DrawCheckMark(CDC* pDC, CRect rc, int /*nState*/, COLORREF clr)
{
    DrawCheckMarkGlyph(pDC, rc, clr);
    if (m_bThickCheckMark)
        DrawCheckMarkGlyph(pDC, rc + CPoint(0, 1), clr);
}

void CZPPaintManager::FillSmoothCircle(CDC* pDC, CRect rc, COLORREF clr)
{
    // Twice the coordinates keep the half-pixel centre and radius in integers; only the
    // distance needs a square root, taken in double precision on both builds.
    const int nCx2 = rc.left + rc.right - 1;
    const int nCy2 = rc.top + rc.bottom - 1;
    const double dRadius = (rc.Width() - 1) / 2.0 - 0.25;
    for (int j = rc.top; j < rc.bottom; ++j) {
        for (int i = rc.left; i < rc.right; ++i) {
            const int dx2 = 2 * i - nCx2;
            const int dy2 = 2 * j - nCy2;
            const double d = ::sqrt(static_cast<double>(dx2 * dx2 + dy2 * dy2)) / 2.0;
            if (d < dRadius - 1)
                pDC->SetPixel(i, j, clr);
            else if (d <= dRadius + 1)
                ZpBlendPixelColor(pDC, i, j, clr, clr, d - dRadius);
        }
    }
}

void CZPPaintManager::DrawRadioMark(CDC* pDC, CRect rc, int /*nState*/, COLORREF clr)
{
    const CPoint c = rc.CenterPoint();
    FillSmoothCircle(pDC, CRect(c.x - 3, c.y - 3, c.x + 3, c.y + 3), GetColor(static_cast<int>(clr)));
}

void CZPPaintManager::DrawComboArrow(CDC* pDC, CRect rc, COLORREF clr)
{
    const int s = std::max(rc.Width() / 2 - 4, kMinComboArrowHalf);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2 - s / 2;
    DrawTriangle(pDC, CPoint(cx - s, cy), CPoint(cx + s, cy), CPoint(cx, cy + s), clr);
}

void CZPPaintManager::DrawDropDownGlyph(CDC* pDC, CZPControl* /*pControl*/, CPoint pt, int bSelected, BOOL bPopped,
                                        BOOL bEnabled, BOOL bVertical)
{
    const COLORREF clr = GetStateTextColor(bSelected, FALSE, bEnabled, FALSE, bPopped, 1, 0);
    if (bVertical)
        DrawTriangle(pDC, CPoint(pt.x + 2, pt.y - 2), CPoint(pt.x + 2, pt.y + 2), CPoint(pt.x, pt.y), clr);
    else
        DrawTriangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1), clr);
}

// Popup animation -----------------------------------------------------------------------------

void CZPPaintManager::AnimatePopup(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationKind)
{
    const int nSteps = m_nAnimationSteps;
    const int nTime = std::max(m_nAnimationTime, 0);
    const int cx = rc.Width();
    const int cy = rc.Height();
    if (nSteps <= 0 || cx <= 0 || cy <= 0 || pDestDC == NULL || pSrcDC == NULL)
        return;
    const LONGLONG llStart = Microseconds();

    if (nAnimationKind == zpAnimateUnfold || nAnimationKind == zpAnimateSlide) {
        for (int k = 1; k <= nSteps; ++k) {
            // Late frames are dropped so that huge step counts still end in about the time.
            k = NextFrame(llStart, nTime, k, nSteps, nSteps);
            const int nPartX = static_cast<int>(static_cast<LONGLONG>(k) * cx / nSteps);
            const int nPartY = static_cast<int>(static_cast<LONGLONG>(k) * cy / nSteps);
            if (nAnimationKind == zpAnimateUnfold)
                pDestDC->BitBlt(0, 0, nPartX, nPartY, pSrcDC, rc.right - nPartX, rc.bottom - nPartY, SRCCOPY);
            else
                pDestDC->BitBlt(0, 0, cx, nPartY, pSrcDC, 0, cy - nPartY, SRCCOPY);
            WaitForFrame(llStart, nTime, k, nSteps);
        }
        return;
    }
    if (nAnimationKind != zpAnimateFade)
        return;

    CDibPixels dibNew(pDestDC, cx, cy), dibOld(pDestDC, cx, cy), dibOut(pDestDC, cx, cy);
    if (dibNew.m_pBits == NULL || dibOld.m_pBits == NULL || dibOut.m_pBits == NULL)
        return;
    {
        CZPCompatibleDC dcNew(pDestDC, &dibNew.m_bitmap);
        dcNew.BitBlt(0, 0, cx, cy, pSrcDC, 0, 0, SRCCOPY);
        CZPCompatibleDC dcOld(pDestDC, &dibOld.m_bitmap);
        dcOld.BitBlt(0, 0, cx, cy, pDestDC, rc.left, rc.top, SRCCOPY);
    }
    CZPCompatibleDC dcOut(pDestDC, &dibOut.m_bitmap);
    // The last step is the caller's own paint of the popup.
    for (int k = 1; k < nSteps; ++k) {
        k = NextFrame(llStart, nTime, k, nSteps - 1, nSteps);
        ::GdiFlush();
        BlendBits(dibOut.m_pBits, dibOld.m_pBits, cx, cy, dibNew.m_pBits, ZpFadeAlpha(k, nSteps));
        pDestDC->BitBlt(rc.left, rc.top, cx, cy, &dcOut, 0, 0, SRCCOPY);
        WaitForFrame(llStart, nTime, k, nSteps);
    }
}

// One frame of the expansion: runs of rarely used controls grow by nStep / nSteps, the others keep
// their height. Downward the destination fills from the top, upward from the bottom.
static void DrawExpansionFrame(CDC* pDestDC, CDC* pSrcDC, const std::vector<std::pair<int, BOOL>>& boundaries, int cx,
                               int cy, int nStep, int nSteps, BOOL bDownward)
{
    int yDest = bDownward ? 0 : cy;
    for (size_t i = 0; i + 1 < boundaries.size(); ++i) {
        const int y0 = boundaries[i].first;
        const int y1 = boundaries[i + 1].first;
        const int nSource = std::abs(y1 - y0);
        const int nHeight =
            boundaries[i].second ? static_cast<int>(static_cast<LONGLONG>(nSource) * nStep / nSteps) : nSource;
        if (nSource <= 0 || nHeight <= 0)
            continue;
        if (bDownward) {
            pDestDC->StretchBlt(0, yDest, cx, nHeight, pSrcDC, 0, y0, cx, nSource, SRCCOPY);
            yDest += nHeight;
        } else {
            yDest -= nHeight;
            pDestDC->StretchBlt(0, yDest, cx, nHeight, pSrcDC, 0, y1, cx, nSource, SRCCOPY);
        }
    }
}

int CZPPaintManager::AnimatePopupExpansion(CZPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bDownward)
{
    const int nSteps = m_nAnimationSteps;
    const int nTime = std::max(m_nAnimationTime, 0);
    if (pPopup == NULL || pDestDC == NULL || pSrcDC == NULL || nSteps <= 0)
        return 0;
    CRect rcClient;
    ZpClientRectOfWnd(rcClient, pPopup);
    const int cx = rcClient.Width();
    const int cy = rcClient.Height();
    if (cx <= 0 || cy <= 0)
        return 0;

    // The boundaries where the rarely-used flag changes, in walking order, each with the flag of
    // the run that starts there; the popup's edge closes the last run.
    std::vector<std::pair<int, BOOL>> boundaries;
    const int nCount = pPopup->CountControls();
    for (int n = 0; n < nCount; ++n) {
        CZPControl* pControl = pPopup->ControlAt(bDownward ? n : nCount - 1 - n);
        if (pControl == NULL || !pControl->IsVisible())
            continue;
        const BOOL bRare = pControl->GetHiddenByUsage();
        const int y = bDownward ? pControl->GetRect().top : pControl->GetRect().bottom;
        if (boundaries.empty())
            boundaries.push_back({ bDownward ? 0 : cy, bRare });
        else if (boundaries.back().second != bRare)
            boundaries.push_back({ std::min(std::max(y, 0), cy), bRare });
    }
    if (boundaries.empty())
        boundaries.push_back({ bDownward ? 0 : cy, FALSE });
    boundaries.push_back({ bDownward ? cy : 0, FALSE });

    const int nOldMode = pDestDC->SetStretchBltMode(COLORONCOLOR);
    const LONGLONG llStart = Microseconds();
    int nFrames = 0;
    for (int k = 1; k <= nSteps; ++k) {
        // Late frames are dropped so that huge step counts still end in about the time.
        k = NextFrame(llStart, nTime, k, nSteps, nSteps);
        DrawExpansionFrame(pDestDC, pSrcDC, boundaries, cx, cy, k, nSteps, bDownward);
        ++nFrames;
        WaitForFrame(llStart, nTime, k, nSteps);
    }
    pDestDC->SetStretchBltMode(nOldMode);
    return nFrames;
}
