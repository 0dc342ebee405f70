// The program's main window: the toolkit frame with a menu bar and the "Standard" toolbar in a
// rebar beside a logo link, and a status bar with the editor's indicator panes. The bar layout,
// the rebar bands, the placement and the skin are read when it is made and written when it
// closes. The skin chosen in View > Skins applies to the whole process.
#pragma once

#include <framework/gdi.h>

#include <commandbars/ZPFrameWnd.h>
#include <commandbars/ZPReBar.h>
#include <commandbars/ZPStatusBar.h>

#include "about/WebLink.h"

// One skin file of the skins folder.
struct SkinFileEntry
{
    CString strDisplayName;  // the file name without ".msstyles"
    CString strFileName;     // name and extension, no folder
};

class CMainFrame : public CZPFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Shows the frame in its saved placement and show state, or SW_SHOW when none is saved;
    // the process's show command plays no part.
    void ShowWithSavedPlacement(int nCmdShow);

    CZPStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CZPReBar& GetReBar() { return m_wndReBar; }

    // The skin files listed, at most kMaxSkinFiles, in the order the folder gave them.
    static const int kMaxSkinFiles = 32;
    int GetSkinFileCount() const { return m_nSkinFiles; }
    const SkinFileEntry& GetSkinFile(int n) const { return m_skinFiles[n]; }
    // The current skin index (0 none, 1-7 fixed, 8 + n file n).
    UINT GetCurrentSkin() const { return m_nSkin; }
    const CString& GetSkinsFolder() const { return m_strSkinsFolder; }

    // Lists the skins folder's "*.msstyles" files (directories skipped) into the table.
    int ScanSkinFolder();
    // Stores the index and selects its skin process-wide; a skin that fails leaves the program
    // unskinned, the index kept. Redraws the frame once its window exists.
    void ApplySkin(UINT nIndex);
    void RedrawAfterSkinChange();

    // Tests: the folder frames made from now on use in place of the shared skins folder
    // (with its final backslash); NULL goes back to the shared one.
    static void SetSkinsFolderOverride(LPCWSTR lpszFolder);
    // Fills a MAX_PATH buffer with the common application-data folder; FALSE when there is none.
    typedef BOOL (*PFNDATAFOLDERLOOKUP)(LPWSTR lpszPath);
    // Tests: the lookup frames made from now on use for the common application-data folder, when
    // no skins folder override is set; NULL goes back to the system's.
    static void SetDataFolderLookup(PFNDATAFOLDERLOOKUP pfnLookup);

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnDestroy();
    // Customize command: its handler being present is what makes the bars store their controls.
    void OnCustomize();
    void OnSkinCommand(UINT nID);
    void OnUpdateSkinRange(CCmdUI* pCmdUI);
    // Supplies the custom-skins placeholder for its menu item.
    LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);

    CZPStatusBar m_wndStatusBar;
    CWebLink m_wndLogo;
    CBitmap m_bmpLogo;  // the logo link's picture; the static only borrows it
    CZPReBar m_wndReBar;
    CString m_strSkinsFolder;  // with its final backslash; empty without a data folder
    SkinFileEntry m_skinFiles[kMaxSkinFiles];
    int m_nSkinFiles;
    UINT m_nSkin;
    // Set while a close runs: the state is saved only when that close destroys the frame.
    BOOL m_bClosing;
    // Set while OnCreate puts the bars together: layouts asked for meanwhile are held back
    // (m_bLayoutHeld) and made once the bars are all in.
    BOOL m_bBuildingBars;
    BOOL m_bLayoutHeld;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateCommandBarsAndBands();
};
