// Progress values and their drawing, classic and with the PROGRESS visual style.
#include "commandbars/ZPProgressPaintManager.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "commandbars/ZPPaintManager.h"

namespace {
const int kThemedInsetX = 4;
const int kThemedInsetY = 3;
const int kClassicInset = 2;
const int kDefaultChunkSpacing = 2;
const int kThemeNumberClassicLast = 1;  // themes 0 and 1 never use the visual style
}  // namespace

CZPProgressBase::CZPProgressBase() : m_nMin(0), m_nMax(100), m_nPos(0) {}

CZPProgressBase::~CZPProgressBase() {}

void CZPProgressBase::SetRange(int nMin, int nMax)
{
    if (nMin == m_nMin && nMax == m_nMax)
        return;
    m_nMin = nMin;
    m_nMax = nMax;
    RedrawProgress();
}

void CZPProgressBase::SetPos(int nPos)
{
    if (nPos < m_nMin)
        nPos = m_nMin;
    if (nPos > m_nMax)
        nPos = m_nMax;
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    RedrawProgress();
}

CZPProgressPaintManager::CZPProgressPaintManager(CZPPaintManager* pPaintManager)
    : m_nDefaultHeight(ZP_PROGRESS_DEFAULT_HEIGHT), m_pPaintManager(pPaintManager), m_bMetricsRefreshed(FALSE)
{}

CZPProgressPaintManager::~CZPProgressPaintManager()
{
    m_themeProgress.CloseTheme();
}

void CZPProgressPaintManager::RefreshMetrics()
{
    m_themeProgress.CloseTheme();
    m_themeProgress.OpenTheme(NULL, L"PROGRESS");
    m_bMetricsRefreshed = TRUE;
}

BOOL CZPProgressPaintManager::IsThemed() const
{
    const int nTheme = m_pPaintManager != NULL ? m_pPaintManager->GetCurrentTheme() : 0;
    return nTheme > kThemeNumberClassicLast && m_themeProgress.GetThemeHandle() != NULL;
}

int CZPProgressPaintManager::FilledLength(int nInnerWidth, int nPos, int nMin, int nMax)
{
    if (nInnerWidth <= 0 || nMax == nMin)
        return 0;
    // 64-bit: MulDiv's -1 for an empty range and a loaded position outside the range both land here.
    const long long nFilled = static_cast<long long>(nInnerWidth) * (static_cast<long long>(nPos) - nMin) /
                              (static_cast<long long>(nMax) - nMin);
    if (nFilled < 0)
        return 0;
    return nFilled > nInnerWidth ? nInnerWidth : static_cast<int>(nFilled);
}

void CZPProgressPaintManager::DrawProgress(CDC* pDC, CZPProgressBase* pProgress)
{
    if (!m_bMetricsRefreshed)
        RefreshMetrics();
    const CRect rc = pProgress->GetProgressRect();
    const BOOL bThemed = IsThemed();
    CRect rcInner = rc;
    if (bThemed)
        rcInner.DeflateRect(kThemedInsetX, kThemedInsetY);
    else
        rcInner.DeflateRect(kClassicInset, kClassicInset);
    int nMin = 0;
    int nMax = 0;
    pProgress->GetRange(nMin, nMax);
    const int nFilled = FilledLength(rcInner.Width(), pProgress->GetPos(), nMin, nMax);

    if (!bThemed) {
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
        if (rcInner.Width() >= 2 && nFilled > 0)
            pDC->FillSolidRect(rcInner.left, rcInner.top, nFilled, rcInner.Height(), ::GetSysColor(COLOR_HIGHLIGHT));
        return;
    }
    m_themeProgress.DrawBackground(pDC->GetSafeHdc(), PP_BAR, 0, rc, NULL);
    int nChunk = 0;
    if (FAILED(m_themeProgress.GetInt(PP_CHUNK, 0, TMT_PROGRESSCHUNKSIZE, &nChunk)) || nChunk <= 0)
        nChunk = rcInner.Height() * 2 / 3;
    if (nChunk < 1)
        nChunk = 1;
    int nSpacing = kDefaultChunkSpacing;
    if (FAILED(m_themeProgress.GetInt(PP_CHUNK, 0, TMT_PROGRESSSPACESIZE, &nSpacing)) || nSpacing < 0)
        nSpacing = kDefaultChunkSpacing;
    const int nChunks = (nFilled + nSpacing + nChunk - 1) / (nChunk + nSpacing);
    if (nSpacing == 0 && nChunks > 0) {
        // Touching chunks form one run (a light style's chunk can be a single pixel): one part.
        CRect rcRun(rcInner.left, rcInner.top, rcInner.left + nChunks * nChunk, rcInner.bottom);
        if (rcRun.right >= rcInner.right)
            rcRun.right = rcInner.right - 1;
        m_themeProgress.DrawBackground(pDC->GetSafeHdc(), PP_CHUNK, 0, rcRun, NULL);
        return;
    }
    int x = rcInner.left;
    for (int i = 0; i < nChunks && x < rcInner.right; ++i) {
        CRect rcChunk(x, rcInner.top, x + nChunk, rcInner.bottom);
        if (rcChunk.right >= rcInner.right)
            rcChunk.right = rcInner.right - 1;
        m_themeProgress.DrawBackground(pDC->GetSafeHdc(), PP_CHUNK, 0, rcChunk, NULL);
        x += nChunk + nSpacing;
    }
}
