// A test theme: the base paint manager with its pure slots filled in simply and observably.
#pragma once

#include "commandbars/ZPPaintManager.h"

#include <vector>

class CTestTheme : public CZPPaintManager
{
public:
    // One call of DrawStateRectangle, as the base passed it.
    struct StateCall
    {
        CRect rc;
        int nSelected;
        BOOL bPressed, bEnabled, bChecked, bPopped;
        int nBarType, nBarPosition;
    };

    static const COLORREF kStateFill = RGB(0, 0, 255);

    void DrawSplitButtonFrame(CDC*, CZPControl*, CRect) override {}
    CSize DrawCustomizeListItem(CDC*, CZPControl*, CRect, UINT) override { return CSize(0, 0); }
    void FillBarBackground(CDC*, CZPCommandBar*) override {}
    // Enabled text black, disabled grey, selected red: the base's colour choices show in pixels.
    COLORREF GetStateTextColor(int nSelected, BOOL, BOOL bEnabled, BOOL, BOOL, int, int) override
    {
        if (!bEnabled)
            return RGB(128, 128, 128);
        return nSelected ? RGB(255, 0, 0) : RGB(0, 0, 0);
    }
    void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                            BOOL bPopped, int nBarType, int nBarPosition) override
    {
        m_stateCalls.push_back({ rc, nSelected, bPressed, bEnabled, bChecked, bPopped, nBarType, nBarPosition });
        if (nSelected || bPressed || bChecked)
            pDC->FillSolidRect(&rc, kStateFill);
    }
    CSize DrawBarSeparator(CDC*, CZPCommandBar*, CZPControl*, BOOL) override { return CSize(0, 0); }
    void AdjustExcludeRect(CRect&, CZPControl*, BOOL) override {}
    void DrawTearOffStrip(CDC*, CRect, BOOL) override {}
    void DrawPopupSizeGrip(CDC*, CRect, BOOL) override {}
    void DrawImage(CDC*, CPoint, CSize, CZPImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) override {}
    CSize DrawDialogBarHandle(CDC*, CZPCommandBar*, BOOL) override { return CSize(0, 0); }
    int GetCurrentTheme() override { return 99; }

    std::vector<StateCall> m_stateCalls;
};

// A fresh test theme, refreshed, released at the end of the scope.
class CTestThemeRef
{
public:
    CTestThemeRef() : m_p(new CTestTheme) { m_p->RefreshMetrics(); }
    ~CTestThemeRef() { m_p->InternalRelease(); }
    CTestThemeRef(const CTestThemeRef&) = delete;
    CTestThemeRef& operator=(const CTestThemeRef&) = delete;
    CTestTheme* operator->() const { return m_p; }
    CTestTheme* Get() const { return m_p; }

private:
    CTestTheme* m_p;  // one reference
};

// A LOGFONT of a face every prefix has (tests never assume the system's face).
LOGFONTW TestLogFont(LONG lHeight, LPCWSTR lpszFace = L"DejaVu Sans");

// Gives the command id a 16 x 16 icon of one colour (its top-left pixel transparent) in the process-wide image manager.
void RegisterTestIcon(UINT nId, COLORREF clr);
