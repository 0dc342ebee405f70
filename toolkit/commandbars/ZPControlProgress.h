// A progress bar on a command bar: values from CZPProgressBase, look from the paint manager.
#pragma once

#include "commandbars/ZPControl.h"
#include "commandbars/ZPProgressPaintManager.h"

const int ZP_PROGRESS_DEFAULT_WIDTH = 100;

class CZPControlProgress : public CZPControl, public CZPProgressBase
{
    DECLARE_DYNCREATE(CZPControlProgress)
public:
    CZPControlProgress();

    CRect GetProgressRect() override { return m_rcControl; }
    void RedrawProgress() override { RedrawParent(FALSE); }
    CZPProgressPaintManager* GetProgressPaintManager() override;

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void Copy(CZPControl* pSource, BOOL bRecursive) override;
    void DoPropExchange(CZPPropExchange* pPX) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
};
