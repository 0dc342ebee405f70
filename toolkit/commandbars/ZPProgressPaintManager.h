// Progress values (CZPProgressBase) and the paint manager's progress look.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

#include "common/ZPWinThemeWrapper.h"

class CZPPaintManager;
class CZPProgressPaintManager;

// The value logic of a progress bar; the owner supplies the place, redraw and look.
class CZPProgressBase
{
public:
    CZPProgressBase();
    virtual ~CZPProgressBase();

    void GetRange(int& nMin, int& nMax) const
    {
        nMin = m_nMin;
        nMax = m_nMax;
    }
    void SetRange(int nMin, int nMax);
    int GetPos() const { return m_nPos; }
    // Clamped to the range: first raised to Min, then lowered to Max.
    void SetPos(int nPos);

    virtual CRect GetProgressRect() = 0;
    virtual void RedrawProgress() = 0;
    virtual CZPProgressPaintManager* GetProgressPaintManager() = 0;

protected:
    int m_nMin;
    int m_nMax;
    int m_nPos;  // may lie outside the range when loaded: drawing clamps the fill
};

const int ZP_PROGRESS_DEFAULT_HEIGHT = 16;

class CZPProgressPaintManager
{
public:
    explicit CZPProgressPaintManager(CZPPaintManager* pPaintManager);
    virtual ~CZPProgressPaintManager();
    virtual void DrawProgress(CDC* pDC, CZPProgressBase* pProgress);
    virtual void RefreshMetrics();

    // The filled length of an inner width: 0 for an empty range, never outside [0, nInnerWidth].
    static int FilledLength(int nInnerWidth, int nPos, int nMin, int nMax);

    int m_nDefaultHeight;

protected:
    BOOL IsThemed() const;
    CZPPaintManager* m_pPaintManager;  // borrowed: the paint manager that owns this look
    CZPWinThemeWrapper m_themeProgress;
    BOOL m_bMetricsRefreshed;
};
