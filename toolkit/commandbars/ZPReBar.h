// The rebar of the command bars: hosts toolbars and the menu bar as rebar bands (band id = bar
// id) and saves and restores the band order, widths and styles.
#pragma once

#include <framework.h>
#include <framework/rebar.h>

class CZPCommandBar;
class CZPToolBar;

// Band styles the command bars give a bar's band: a new row, and a gripper always shown.
const DWORD ZP_REBAR_COMMANDBAR_BAND_STYLE = RBBS_BREAK | RBBS_GRIPPERALWAYS;
// The profile value of the band state.
extern const wchar_t kZpRebarStateEntry[];

class CZPReBar : public CReBar
{
    DECLARE_DYNAMIC(CZPReBar)
public:
    CZPReBar();

    // Sizes the bar for a horizontal band, takes it out of docking and adds it as the last band
    // with the bar's id as band id. FALSE when the band cannot be added.
    BOOL AddCommandBarBand(CZPCommandBar* pBar, DWORD dwBandStyle = ZP_REBAR_COMMANDBAR_BAND_STYLE);
    // The toolbar of a band; NULL for other children and out-of-range indices.
    CZPToolBar* GetBandBar(int nIndex) const;
    // The index of the band holding the bar, searched from the last; -1 when absent.
    int FindBand(CZPCommandBar* pBar) const;
    // Deletes the bar's band; its former index, or -1 when absent.
    int DeleteCommandBarBand(CZPCommandBar* pBar);

    // One line "wID=%04X, cx=%d, fStyle=%08X" per band, joined by line feeds.
    CString FormatBandState() const;
    // Applies saved lines: band order, widths, and the break and hidden styles.
    void ApplyBandState(const CString& strState);
    void SaveBandState(LPCWSTR lpszSection);
    void LoadBandState(LPCWSTR lpszSection);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
