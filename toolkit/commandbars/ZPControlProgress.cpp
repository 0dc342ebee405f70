// The progress control.
#include "commandbars/ZPControlProgress.h"

#include "common/ZPPropExchange.h"
#include "commandbars/ZPPaintManager.h"

IMPLEMENT_DYNCREATE(CZPControlProgress, CZPControl)

namespace {
const int kDefaultMax = 100;
}

CZPControlProgress::CZPControlProgress()
{
    m_nWidth = ZP_PROGRESS_DEFAULT_WIDTH;
}

CZPProgressPaintManager* CZPControlProgress::GetProgressPaintManager()
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetProgressPaintManager() : NULL;
}

CSize CZPControlProgress::GetSize(CDC*)
{
    CZPProgressPaintManager* pLook = GetProgressPaintManager();
    const int nDefaultHeight = pLook != NULL ? pLook->m_nDefaultHeight : ZP_PROGRESS_DEFAULT_HEIGHT;
    return CSize(m_nWidth, m_nHeight > 0 ? m_nHeight : nDefaultHeight);
}

void CZPControlProgress::Draw(CDC* pDC)
{
    if (CZPProgressPaintManager* pLook = GetProgressPaintManager())
        pLook->DrawProgress(pDC, this);
}

void CZPControlProgress::Copy(CZPControl* pSource, BOOL bRecursive)
{
    if (CZPControlProgress* pProgress = DYNAMIC_DOWNCAST(CZPControlProgress, pSource)) {
        SetRange(pProgress->m_nMin, pProgress->m_nMax);
        SetPos(pProgress->m_nPos);
    }
    CZPControl::Copy(pSource, bRecursive);
}

void CZPControlProgress::DoPropExchange(CZPPropExchange* pPX)
{
    CZPControl::DoPropExchange(pPX);
    PropExchangeLong(pPX, L"Min", &m_nMin, 0);
    PropExchangeLong(pPX, L"Max", &m_nMax, kDefaultMax);
    PropExchangeLong(pPX, L"Pos", &m_nPos, 0);
}

void CZPControlProgress::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!bKeyboard && IsCustomizeMode() && IsCustomizeMovable())
        OnCustomizeMouseDown(point);
}
