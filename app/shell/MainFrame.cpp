// The main frame: its window class carries the program's icon; its bars come through the
// resource manager, so a language file translates them.
#include "shell/MainFrame.h"

#include "AppIds.h"
#include "shell/ControlSkin.h"

#include <commandbars/ZPCommandBars.h>
#include <commandbars/ZPCommandBarsOptions.h>
#include <commandbars/ZPCommandBarsResource.h>
#include <commandbars/ZPCustomizeCommandsPage.h>
#include <commandbars/ZPCustomizeKeyboardPage.h>
#include <commandbars/ZPCustomizeOptionsPage.h>
#include <commandbars/ZPCustomizeSheet.h>
#include <commandbars/ZPMenuBar.h>
#include <commandbars/ZPPaintManager.h>
#include <commandbars/ZPToolBar.h>

#include <common/ZPDrawHelpers.h>
#include <common/ZPImageManager.h>
#include <common/ZPRegistryManager.h>

#include <framework/file.h>

#include <skinframework/ZPSkinManager.h>

#include <shlobj.h>
#include <shlwapi.h>

IMPLEMENT_DYNCREATE(CMainFrame, CZPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CZPFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_COMMAND(ID_VIEW_CUSTOMIZE, OnCustomize)
ON_COMMAND_RANGE(ID_SKIN_NONE, ID_SKIN_LAST, OnSkinCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SKIN_NONE, ID_SKIN_LAST, OnUpdateSkinRange)
ON_MESSAGE(ZpMsgCreateControl, OnCreateControl)
END_MESSAGE_MAP()

namespace {

const WCHAR kMainFrameClass[] = L"ZPMainFrame";
const WCHAR kCommandBarsProfile[] = L"CommandBars";
const WCHAR kProductAddress[] = L"https://tolvane.example.org/";

const DWORD kStatusBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;  // 0x56008200
// The stretching message pane, the caret's line and column, then the key states.
const UINT kIndicators[] = {
    0, ID_INDICATOR_LINE_COL, ID_INDICATOR_OVR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL
};

const DWORD kReBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_TOP;  // 0x56002800
const DWORD kMenuBandStyle = RBBS_GRIPPERALWAYS;
const DWORD kLogoBandStyle = RBBS_FIXEDSIZE | RBBS_FIXEDBMP | RBBS_NOGRIPPER;
const DWORD kToolBarBandStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;

const DWORD kLogoStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_BITMAP;  // 0x5000020E
const UINT kLogoId = 0xFFFF;
const int kLogoWidth = 100;
const int kLogoHeight = 23;
const int kLogoBand = 1;

const WCHAR kSettingsSection[] = L"Settings";
const WCHAR kSkinEntry[] = L"Skin";
const UINT kDefaultSkin = 2;
const UINT kFixedSkins = 8;  // no skin and the seven fixed skins
const UINT kLastSkinIndex = ID_SKIN_LAST - ID_SKIN_NONE;
const WCHAR kSkinsSubfolder[] = L"Dunmere\\Skins\\";
const WCHAR kSkinFilePattern[] = L"*.msstyles";
const int kSkinExtensionLength = 9;  // ".msstyles"
// Frames, metrics and colours follow the skin; popup menus are left to the system.
const UINT kSkinOptions = SkinOptionMetrics | SkinOptionFrames | SkinOptionColors;

struct FixedSkin
{
    LPCWSTR lpszFile;  // in the skins folder: a skin module, or a folder holding the ini
    LPCWSTR lpszIni;
};
// Indices 1-7; index 0 is no skin.
const FixedSkin kFixedSkinFiles[kFixedSkins - 1] = {
    { L"Office2007.zpstyles", L"NormalBlue.ini" },
    { L"Office2007.zpstyles", L"NormalAqua.ini" },
    { L"Le5", L"Normalblue.ini" },
    { L"Vista.zpstyles", L"Normalblue.ini" },
    { L"Vista.zpstyles", L"NormalBlack.INI" },
    { L"Vista.zpstyles", L"NormalSilver.INI" },
    { L"iTunes", L"Normalitunes.INI" },
};

BOOL SystemDataFolder(LPWSTR lpszPath)
{
    return SUCCEEDED(::SHGetFolderPathW(NULL, CSIDL_COMMON_APPDATA, NULL, SHGFP_TYPE_CURRENT, lpszPath));
}

CString g_strSkinsFolderOverride;
CMainFrame::PFNDATAFOLDERLOOKUP g_pfnDataFolderLookup = &SystemDataFolder;

// The shared skins folder with its final backslash; FALSE without a common data folder.
BOOL LocateSkinsFolder(CString& strFolder)
{
    if (!g_strSkinsFolderOverride.IsEmpty()) {
        strFolder = g_strSkinsFolderOverride;
        return TRUE;
    }
    WCHAR szPath[MAX_PATH] = {};
    // An empty or relative answer would put the folder under the current directory, which the
    // file dialogs move: that is no data folder either.
    if (!g_pfnDataFolderLookup(szPath) || ::PathIsRelativeW(szPath) || !::PathAppendW(szPath, kSkinsSubfolder))
        return FALSE;
    strFolder = szPath;
    return TRUE;
}

BOOL HasSkinExtension(const CString& strName)
{
    return strName.GetLength() > kSkinExtensionLength &&
           strName.Right(kSkinExtensionLength).CompareNoCase(kSkinFilePattern + 1) == 0;
}

}  // namespace

CMainFrame::CMainFrame() : m_nSkinFiles(0), m_nSkin(0), m_bClosing(FALSE), m_bBuildingBars(FALSE), m_bLayoutHeld(FALSE)
{
    // Without a common data folder the program keeps the system's look.
    if (!LocateSkinsFolder(m_strSkinsFolder))
        return;
    CZPSkinManager* pSkins = ZpSkinManagerInstance();
    if (pSkins == NULL)
        return;
    pSkins->SetHookOptions(kSkinOptions);
    pSkins->m_bSkinNewThreads = FALSE;
    ScanSkinFolder();
    // A value naming no skin (negative, too large, or a string read as a number) means none.
    const UINT nSkin = CZRegistryManager().GetProfileInt(kSettingsSection, kSkinEntry, kDefaultSkin);
    ApplySkin(nSkin <= kLastSkinIndex ? nSkin : 0);
}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CZPFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kMainFrameClass;
    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return ZpRegisterWindowClass(AfxGetInstanceHandle(), kMainFrameClass, CS_DBLCLKS, hIcon, NULL);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CZPFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndStatusBar.CreateBar(this, kStatusBarStyle, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.CreatePanesFromIds(kIndicators, _countof(kIndicators)))
        return -1;
    // Taking the frame's menu and each band added would lay the whole frame out again: the
    // layouts asked for meanwhile are made once, with every bar in place.
    m_bBuildingBars = TRUE;
    m_bLayoutHeld = FALSE;
    const BOOL bBuilt = CreateCommandBarsAndBands();
    m_bBuildingBars = FALSE;
    if (!bBuilt)
        return -1;
    if (m_bLayoutHeld)
        RecalcLayout();
    // The command bars read the rebar's saved bands too.
    RestoreBarsFromProfile(kCommandBarsProfile);
    // Every bar takes the current colours once the message loop runs.
    PostMessage(WM_SYSCOLORCHANGE);
    return 0;
}

BOOL CMainFrame::CreateCommandBarsAndBands()
{
    if (!CreateCommandBarsObject())
        return FALSE;
    CZPCommandBars* pCommandBars = GetCommandBars();
    m_wndStatusBar.SetCommandBars(pCommandBars);
    if (!ZpSetPaintTheme(zpThemeNativeXP))
        return FALSE;
    CZPPaintManager* pPaintManager = ZpGetPaintManager();
    pPaintManager->m_bUseFadedIcons = FALSE;
    pPaintManager->m_bUseDisabledIcons = TRUE;
    pPaintManager->m_bIconsWithShadow = FALSE;

    CZPToolBar* pMenuBar = pCommandBars->CreateToolBar(L"Menu Bar", zpBarTop, RUNTIME_CLASS(CZPMenuBar));
    if (pMenuBar == NULL || !static_cast<CZPMenuBar*>(pMenuBar)->LoadMenuResource(IDR_MAINFRAME))
        return FALSE;
    CZPToolBar* pToolBar = pCommandBars->CreateToolBar(L"Standard", zpBarTop);
    if (pToolBar == NULL || !pToolBar->LoadToolBarResource(IDR_MAINFRAME, FALSE))
        return FALSE;
    ZpImageManagerInstance()->SetIconsFromToolBar(IDR_MAINFRAME, IDB_TOOLBAR_ICONS, 0);
    pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus = TRUE;
    pCommandBars->GetShortcutManagerObject()->LoadFromAcceleratorResource(IDR_MAINFRAME);

    // The logo is made inside the rebar, whose band would otherwise move it there: a change of
    // parent costs about as much as making the window.
    if (!m_wndReBar.Create(this, RBS_BANDBORDERS, kReBarStyle, AFX_IDW_REBAR) ||
        !m_wndLogo.Create(NULL, kLogoStyle, CRect(0, 0, kLogoWidth, kLogoHeight), &m_wndReBar, kLogoId))
        return FALSE;
    m_wndLogo.SetTarget(kProductAddress);
    if (m_bmpLogo.LoadBitmap(IDB_LINK_BANNER))
        m_wndLogo.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpLogo.m_hObject));

    if (!m_wndReBar.AddCommandBarBand(pMenuBar, kMenuBandStyle) ||
        !m_wndReBar.AddBar(&m_wndLogo, NULL, NULL, kLogoBandStyle) ||
        !m_wndReBar.AddCommandBarBand(pToolBar, kToolBarBandStyle))
        return FALSE;
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof rbbi;
    rbbi.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_ID;
    rbbi.cxMinChild = kLogoWidth;
    rbbi.cyMinChild = kLogoHeight;
    rbbi.cx = kLogoWidth;
    rbbi.cxIdeal = kLogoWidth;
    rbbi.wID = IDB_LINK_BANNER;
    return m_wndReBar.GetReBarCtrl().SetBandInfo(kLogoBand, &rbbi);
}

void CMainFrame::RecalcLayout(BOOL bNotify)
{
    if (m_bBuildingBars)
        m_bLayoutHeld = TRUE;
    else
        CZPFrameWnd::RecalcLayout(bNotify);
}

void CMainFrame::ShowWithSavedPlacement(int)
{
    CZWindowPlacementStore placement;
    placement.RestoreWindow(this);
    ShowWindow(placement.showCmd);
}

void CMainFrame::OnClose()
{
    // The document question comes first: a close the user cancels writes nothing.
    // A close that goes through deletes this object with its window.
    const HWND hWnd = m_hWnd;
    m_bClosing = TRUE;
    CZPFrameWnd::OnClose();
    if (::IsWindow(hWnd))
        m_bClosing = FALSE;
}

void CMainFrame::OnDestroy()
{
    // The bars and their windows still exist here: they go after the frame's own handler.
    if (m_bClosing) {
        StoreBarsToProfile(kCommandBarsProfile);
        CZWindowPlacementStore placement;
        placement.SaveWindow(this);
        CZRegistryManager().WriteProfileInt(kSettingsSection, kSkinEntry, static_cast<int>(m_nSkin));
    }
    CZPFrameWnd::OnDestroy();
}

void CMainFrame::OnCustomize()
{
    CZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    // The pages are declared first so that they outlive the sheet holding them.
    CZPCustomizeKeyboardPage keyboard(pCommandBars);
    CZPCustomizeOptionsPage options(pCommandBars);
    CZPCustomizeSheet sheet(pCommandBars);
    sheet.AddCustomizePage(&keyboard);
    keyboard.AddMenuCategories(IDR_MAINFRAME);
    sheet.AddCustomizePage(&options);
    if (CZPCustomizeCommandsPage* pCommands = sheet.GetCommandsPage()) {
        pCommands->AddMenuCategories(IDR_MAINFRAME);
        pCommands->AddAllCommandsCategory(ZP_IDS_ALL_COMMANDS);
        pCommands->AddMenuPopupsCategory(IDR_MAINFRAME, ZP_IDS_BUILTIN_MENUS);
        pCommands->AddNewMenuCategory(ZP_IDS_NEW_MENU);
    }
    sheet.DoModal();
}

void CMainFrame::SetSkinsFolderOverride(LPCWSTR lpszFolder)
{
    g_strSkinsFolderOverride = lpszFolder != NULL ? lpszFolder : L"";
}

void CMainFrame::SetDataFolderLookup(PFNDATAFOLDERLOOKUP pfnLookup)
{
    g_pfnDataFolderLookup = pfnLookup != NULL ? pfnLookup : &SystemDataFolder;
}

int CMainFrame::ScanSkinFolder()
{
    // The folder is searched by its full path and never made current: the file dialogs move the
    // current directory, and a missing folder would leave an old one listed.
    m_nSkinFiles = 0;
    if (m_strSkinsFolder.IsEmpty())
        return 0;
    CFileFind finder;
    BOOL bMore = finder.FindFile(m_strSkinsFolder + kSkinFilePattern);
    while (bMore && m_nSkinFiles < kMaxSkinFiles) {
        bMore = finder.FindNextFile();
        const CString strName = finder.GetFileName();
        if (finder.IsDirectory() || !HasSkinExtension(strName))
            continue;
        SkinFileEntry& entry = m_skinFiles[m_nSkinFiles++];
        entry.strFileName = strName;
        entry.strDisplayName = strName.Left(strName.GetLength() - kSkinExtensionLength);
    }
    return m_nSkinFiles;
}

void CMainFrame::ApplySkin(UINT nIndex)
{
    m_nSkin = nIndex;
    CZPSkinManager* pSkins = ZpSkinManagerInstance();
    if (pSkins == NULL)
        return;
    const UINT nFile = nIndex - kFixedSkins;
    if (nIndex == 0 || m_strSkinsFolder.IsEmpty()) {
        pSkins->SelectSkin(NULL, NULL);
    } else if (nIndex < kFixedSkins) {
        const FixedSkin& skin = kFixedSkinFiles[nIndex - 1];
        pSkins->SelectSkin(m_strSkinsFolder + skin.lpszFile, skin.lpszIni);
    } else if (nFile < static_cast<UINT>(m_nSkinFiles)) {
        pSkins->SelectSkin(m_strSkinsFolder + m_skinFiles[nFile].strFileName, NULL);
    } else {
        // A record never filled: an empty path fails, and the program runs unskinned.
        pSkins->SelectSkin(L"", NULL);
    }
    if (m_hWnd != NULL)
        RedrawAfterSkinChange();
}

void CMainFrame::RedrawAfterSkinChange()
{
    ZpGetPaintManager()->RefreshMetrics();
    CZPFrameWnd::OnSysColorChange();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (m_wndStatusBar.m_hWnd != NULL)
        m_wndStatusBar.Invalidate(TRUE);
    CZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    if (pCommandBars->GetPaintManager() != NULL)
        pCommandBars->GetPaintManager()->RefreshMetrics();
    pCommandBars->RefreshAllBars();
}

void CMainFrame::OnSkinCommand(UINT nID)
{
    ApplySkin(nID - ID_SKIN_NONE);
}

void CMainFrame::OnUpdateSkinRange(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(pCmdUI->m_nID == ID_SKIN_NONE + m_nSkin);
}

LRESULT CMainFrame::OnCreateControl(WPARAM, LPARAM lParam)
{
    ZpCreateControlRequest* pRequest = reinterpret_cast<ZpCreateControlRequest*>(lParam);
    if (pRequest == NULL || pRequest->nID != ID_SKIN_CUSTOM_FIRST)
        return FALSE;
    CControlSkin* pControl = new CControlSkin;
    pControl->SetID(pRequest->nID);
    pControl->SetCaption(pRequest->strCaption);
    pRequest->pControl = pControl;
    return TRUE;
}
