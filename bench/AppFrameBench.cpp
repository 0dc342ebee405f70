// The complete main frame against comctl32, in the same run: the frame's creation (its OnCreate
// builds the status bar, command bars, menu bar, toolbar, logo and rebar) against a top-level
// window given a ReBarWindow32 with two ToolbarWindow32 bands and the same logo band, and a
// 6-part msctls_statusbar32, its bars placed on WM_SIZE; both take the system's default size and
// neither is shown. Then the Skins popup with 40 items (8 fixed, 32 skin files) from opening to
// its first paint against TrackPopupMenu of 40 items; then a skin switch (a skin file and back to
// no skin) with ten times the windows against the time with the smaller number; then a long run
// of switches (1,000 by default) with the process's GDI and USER object counts before and after.
// Needs a display.
// Usage: app_frame_bench [rounds] [switches]
#include "BenchApp.h"
#include "BenchClock.h"
#include "TabTestHost.h"

#include "AppIds.h"
#include "document/TolvaneDoc.h"
#include "shell/MainFrame.h"
#include "shell/TolvaneApp.h"

#include <commandbars/ZPCommandBars.h>
#include <commandbars/ZPPopupBar.h>

#include <framework/menu.h>

#include <commctrl.h>
#include <shlobj.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>

namespace {

const int kDefaultRounds = 20;
const int kSkinFiles = 32;
const int kPopupItems = 40;
const int kMenuButtons = 5;
const int kStandardButtons = 10;  // seven commands and three separators
const int kStatusParts = 6;
const int kPaneWidth = 80;
const int kAnchor = 40;
const int kLogoWidth = 100;
const int kLogoHeight = 23;
const double kFrameGoal = 3.0;
const double kPopupGoal = 2.0;
const int kFewWindows = 100;
const int kManyWindows = 1000;
const int kSwitchRounds = 5;  // each a switch to the skin and one back
const double kSwitchGoal = 12.0;
const int kExtraWindowSize = 8;
const int kExtraWindowColumns = 40;
const int kHolderSize = kExtraWindowSize * kExtraWindowColumns;
const WCHAR kSampleSkin[] = L"Slate.zpstyles";           // the sample skin the setup installs
const WCHAR kBenchSkinName[] = L"slate-bench.msstyles";  // a copy of it among the files
const int kPlainSkinFiles = kSkinFiles - 1;              // empty files beside it
const int kDefaultLongSwitches = 1000;
const WCHAR kPeerClass[] = L"TolvaneBenchPeerFrame";

void PumpAll()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::wstring TempFolder(LPCWSTR lpszName)
{
    WCHAR szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    std::wstring folder = std::wstring(szTemp) + lpszName + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(folder.c_str(), NULL);
    return folder;
}

// The peer frame: its bars are made on WM_CREATE, as ours are.
HWND MakeToolbar(HWND hWndParent, int nButtons, BOOL bText)
{
    HWND hWnd = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, NULL,
                                  WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | CCS_NORESIZE | TBSTYLE_FLAT |
                                      (bText ? TBSTYLE_LIST : 0),
                                  0, 0, 0, 0, hWndParent, NULL, NULL, NULL);
    ::SendMessageW(hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (!bText) {
        TBADDBITMAP bitmap = { HINST_COMMCTRL, IDB_STD_SMALL_COLOR };
        ::SendMessageW(hWnd, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&bitmap));
    }
    static const WCHAR* const kMenus[] = { L"&File", L"&Edit", L"&View", L"F&ormat", L"&Help" };
    for (int i = 0; i < nButtons; ++i) {
        TBBUTTON button = {};
        button.idCommand = 100 + i;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = static_cast<BYTE>(bText ? BTNS_AUTOSIZE : (i % 3 == 2 ? BTNS_SEP : BTNS_BUTTON));
        button.iBitmap = bText ? I_IMAGENONE : i;
        button.iString = bText ? reinterpret_cast<INT_PTR>(kMenus[i % 5]) : -1;
        ::SendMessageW(hWnd, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    return hWnd;
}

void AddBand(HWND hWndReBar, HWND hWndChild, UINT nID, UINT fStyle)
{
    SIZE size = {};
    ::SendMessageW(hWndChild, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOW band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_STYLE | RBBIM_IDEALSIZE;
    band.fStyle = fStyle;
    band.hwndChild = hWndChild;
    band.cxMinChild = 0;
    band.cyMinChild = size.cy > 0 ? size.cy : 22;
    band.cxIdeal = size.cx;
    band.wID = nID;
    ::SendMessageW(hWndReBar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

// The logo link's band: a static showing bitmap 140, fixed at 100 x 23.
void AddLogoBand(HWND hWndReBar)
{
    HWND hWndLogo = ::CreateWindowExW(0, L"STATIC", NULL, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_BITMAP, 0, 0,
                                      kLogoWidth, kLogoHeight, hWndReBar, NULL, NULL, NULL);
    HBITMAP hLogo = ::LoadBitmapW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDB_LINK_BANNER));
    ::SendMessageW(hWndLogo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hLogo));
    REBARBANDINFOW band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_ID | RBBIM_STYLE;
    band.fStyle = RBBS_FIXEDSIZE | RBBS_FIXEDBMP | RBBS_NOGRIPPER;
    band.hwndChild = hWndLogo;
    band.cxMinChild = kLogoWidth;
    band.cyMinChild = kLogoHeight;
    band.cx = kLogoWidth;
    band.cxIdeal = kLogoWidth;
    band.wID = IDB_LINK_BANNER;
    ::SendMessageW(hWndReBar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

LRESULT CALLBACK PeerFrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        HWND hWndStatus = ::CreateWindowExW(0, STATUSCLASSNAMEW, NULL, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                                            0, hWnd, NULL, NULL, NULL);
        int parts[kStatusParts];
        for (int i = 0; i < kStatusParts; ++i)
            parts[i] = i == kStatusParts - 1 ? -1 : kPaneWidth * (i + 1);
        ::SendMessageW(hWndStatus, SB_SETPARTS, kStatusParts, reinterpret_cast<LPARAM>(parts));
        for (int i = 0; i < kStatusParts; ++i)
            ::SendMessageW(hWndStatus, SB_SETTEXTW, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(L"Line: 1 Col: 1"));
        HWND hWndReBar = ::CreateWindowExW(0, REBARCLASSNAMEW, NULL,
                                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS,
                                           0, 0, 0, 0, hWnd, NULL, NULL, NULL);
        AddBand(hWndReBar, MakeToolbar(hWndReBar, kMenuButtons, TRUE), 1, RBBS_GRIPPERALWAYS);
        AddLogoBand(hWndReBar);
        AddBand(hWndReBar, MakeToolbar(hWndReBar, kStandardButtons, FALSE), IDR_MAINFRAME,
                RBBS_BREAK | RBBS_GRIPPERALWAYS);
        return 0;
    }
    if (message == WM_SIZE) {
        // The bars align themselves to the new client size.
        for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            ::SendMessageW(hChild, WM_SIZE, wParam, lParam);
        return 0;
    }
    if (message == WM_DESTROY) {
        HWND hWndReBar = ::FindWindowExW(hWnd, NULL, REBARCLASSNAMEW, NULL);
        HWND hWndLogo = hWndReBar != NULL ? ::FindWindowExW(hWndReBar, NULL, L"STATIC", NULL) : NULL;
        if (hWndLogo != NULL)
            ::DeleteObject(reinterpret_cast<HGDIOBJ>(::SendMessageW(hWndLogo, STM_GETIMAGE, IMAGE_BITMAP, 0)));
        return 0;
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        ::EndMenu();  // the menu is up and painted
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

double PeerFrameTime(int nRounds)
{
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        const double t0 = BenchNowMs();
        // The system's default size, as LoadFrame gives ours.
        HWND hWnd = ::CreateWindowExW(0, kPeerClass, L"peer", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
        dTotal += BenchNowMs() - t0;
        ::DestroyWindow(hWnd);
        PumpAll();
    }
    return dTotal / nRounds;
}

double OurFrameTime(int nRounds)
{
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        CMainFrame* pFrame = new CMainFrame;  // deletes itself with its window
        const double t0 = BenchNowMs();
        const BOOL bMade = pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, NULL, NULL);
        dTotal += BenchNowMs() - t0;
        if (!bMade) {
            fprintf(stderr, "the frame was not made\n");
            exit(1);
        }
        pFrame->DestroyWindow();
        PumpAll();
    }
    return dTotal / nRounds;
}

double PeerPopupTime(HWND hWndOwner, int nRounds)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < kPopupItems; ++i) {
        WCHAR sz[32];
        swprintf(sz, 32, L"skin%d", i);
        ::AppendMenuW(hMenu, MF_STRING, ID_SKIN_NONE + i, sz);
    }
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        const double t0 = BenchNowMs();
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, kAnchor, kAnchor, 0, hWndOwner, NULL);
        dTotal += BenchNowMs() - t0;
        PumpAll();
    }
    ::DestroyMenu(hMenu);
    return dTotal / nRounds;
}

// The Skins popup of menu 128 on a popup bar of the main frame's command bars.
double OurPopupTime(CMainFrame* pFrame, int nRounds, int* pnItems)
{
    CMenu menu;
    menu.LoadMenu(IDR_MAINFRAME);
    CMenu* pSkins = NULL;
    CMenu* pView = menu.GetSubMenu(2);
    for (int i = 0; pView != NULL && i < pView->GetMenuItemCount(); ++i) {
        CMenu* pSub = pView->GetSubMenu(i);
        if (pSub != NULL && pSub->GetMenuItemID(0) == ID_SKIN_NONE)
            pSkins = pSub;
    }
    if (pSkins == NULL) {
        fprintf(stderr, "no Skins menu\n");
        exit(1);
    }
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(pFrame->GetCommandBars()));
    popup->SetSiteWindow(pFrame->m_hWnd);
    popup->LoadFromMenu(pSkins);
    double dTotal = 0;
    for (int r = 0; r < nRounds; ++r) {
        const double t0 = BenchNowMs();
        popup->Popup(kAnchor, kAnchor, NULL);
        ::UpdateWindow(popup->GetSafeHwnd());
        dTotal += BenchNowMs() - t0;
        *pnItems = 0;
        for (int i = 0; i < popup->CountControls(); ++i)
            *pnItems += popup->ControlAt(i)->IsVisible(0) && popup->ControlAt(i)->GetID() >= ID_SKIN_NONE ? 1 : 0;
        popup->EndTracking();
        PumpAll();
    }
    return dTotal / nRounds;
}

BOOL CALLBACK CountWindow(HWND hWnd, LPARAM lParam)
{
    ++*reinterpret_cast<DWORD*>(lParam);
    ::EnumChildWindows(hWnd, CountWindow, lParam);
    return TRUE;
}

// The thread's windows, children included: the USER objects Wine's GetGuiResources does not count.
DWORD CountThreadWindows()
{
    DWORD dwCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&dwCount));
    return dwCount;
}

// The file index of a skin file by name; -1 when it was not listed.
int SkinFileIndex(CMainFrame* pFrame, LPCWSTR lpszName)
{
    for (int n = 0; n < pFrame->GetSkinFileCount(); ++n) {
        if (pFrame->GetSkinFile(n).strFileName.CompareNoCase(lpszName) == 0)
            return n;
    }
    return -1;
}

// A switch to skin file n and back to no skin, with nWindows more child windows in the frame:
// the time of one switch, posted messages included.
double SkinSwitchTime(CMainFrame* pFrame, int nSkinFile, int nWindows, int nRounds)
{
    HWND hWndHolder = ::CreateWindowExW(0, L"STATIC", NULL, WS_CHILD | WS_VISIBLE, 0, 0, kHolderSize, kHolderSize,
                                        pFrame->m_hWnd, NULL, NULL, NULL);
    for (int i = 0; i < nWindows; ++i)
        ::CreateWindowExW(0, L"STATIC", L"w", WS_CHILD | WS_VISIBLE, (i % kExtraWindowColumns) * kExtraWindowSize,
                          (i / kExtraWindowColumns) * kExtraWindowSize, kExtraWindowSize, kExtraWindowSize, hWndHolder,
                          NULL, NULL, NULL);
    PumpAll();
    const UINT nSkin = ID_SKIN_CUSTOM_FIRST + static_cast<UINT>(nSkinFile);
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        pFrame->SendMessage(WM_COMMAND, nSkin);
        PumpAll();
        pFrame->SendMessage(WM_COMMAND, ID_SKIN_NONE);
        PumpAll();
    }
    const double dTime = (BenchNowMs() - t0) / (2 * nRounds);
    ::DestroyWindow(hWndHolder);
    PumpAll();
    return dTime;
}

void PrintRatio(const char* pszWhat, const char* pszPeer, double dOurs, double dPeer, double dGoal)
{
    printf("%s: ours %.3f ms, %s %.3f ms, ratio %.2fx (goal <= %.1fx)\n", pszWhat, dOurs, pszPeer, dPeer,
           dPeer > 0 ? dOurs / dPeer : 0.0, dGoal);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int nRounds = argc > 1 ? _wtoi(argv[1]) : kDefaultRounds;
    // An even count, at least one pair: each round is a switch to the skin and one back.
    const int nLongSwitches = std::max(2, (argc > 2 ? _wtoi(argv[2]) : kDefaultLongSwitches) / 2 * 2);
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES };
    ::InitCommonControlsEx(&icc);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PeerFrameProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = kPeerClass;
    wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
    ::RegisterClassW(&wc);

    // 32 skin files for the popup; the program's library beside the benchmark.
    const std::wstring skins = TempFolder(L"tolvane-bench-skins-");
    WCHAR szData[MAX_PATH] = {};
    ::SHGetFolderPathW(NULL, CSIDL_COMMON_APPDATA, NULL, SHGFP_TYPE_CURRENT, szData);
    const BOOL bSampleSkin = ::CopyFileW((std::wstring(szData) + L"\\Dunmere\\Skins\\" + kSampleSkin).c_str(),
                                         (skins + kBenchSkinName).c_str(), FALSE);
    if (!bSampleSkin)
        ::CloseHandle(::CreateFileW((skins + kBenchSkinName).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    for (int i = 0; i < kPlainSkinFiles; ++i) {
        HANDLE hFile = ::CreateFileW((skins + L"skin" + std::to_wstring(i) + L".msstyles").c_str(), GENERIC_WRITE, 0,
                                     NULL, CREATE_ALWAYS, 0, NULL);
        ::CloseHandle(hFile);
    }
    CMainFrame::SetSkinsFolderOverride(skins.c_str());
    WCHAR szExe[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, szExe, MAX_PATH);
    *wcsrchr(szExe, L'\\') = 0;
    CTolvaneDoc::SetLibraryFolder(szExe);
    CBenchApp app(L"TolvaneAppBench");
    WCHAR szNoArgs[1] = {};
    AfxWinInit(::GetModuleHandleW(NULL), NULL, szNoArgs, SW_SHOW);
    if (!app.InitInstance()) {
        fprintf(stderr, "the program did not start\n");
        return 1;
    }
    CMainFrame* pFrame = static_cast<CMainFrame*>(app.m_pMainWnd);
    pFrame->MoveWindow(0, 0, 800, 600);
    PumpAll();

    // One unmeasured round each: first-use costs (classes, fonts) count for neither.
    PeerFrameTime(1);
    OurFrameTime(1);
    const double dPeerFrame = PeerFrameTime(nRounds);
    const double dOurFrame = OurFrameTime(nRounds);
    PrintRatio("main frame creation", "comctl32 frame", dOurFrame, dPeerFrame, kFrameGoal);

    // The system menu's owner ends the menu once it is up and painted.
    HWND hWndOwner = ::CreateWindowExW(0, kPeerClass, L"owner", WS_POPUP | WS_VISIBLE, 600, 0, 50, 50, NULL, NULL,
                                       ::GetModuleHandleW(NULL), NULL);
    ::SetForegroundWindow(hWndOwner);
    int nItems = 0;
    PeerPopupTime(hWndOwner, 1);
    OurPopupTime(pFrame, 1, &nItems);
    const double dPeerPopup = PeerPopupTime(hWndOwner, nRounds);
    const double dOurPopup = OurPopupTime(pFrame, nRounds, &nItems);
    printf("Skins popup items shown: %d (TrackPopupMenu %d)\n", nItems, kPopupItems);
    PrintRatio("Skins popup open to first paint", "TrackPopupMenu", dOurPopup, dPeerPopup, kPopupGoal);

    ::DestroyWindow(hWndOwner);

    // The same switch with ten times the windows, in the same run.
    const int nSkinFile = SkinFileIndex(pFrame, kBenchSkinName);
    if (nSkinFile < 0) {
        fprintf(stderr, "the bench skin was not listed\n");
        return 1;
    }
    printf("skin switch to %s and back to no skin\n", bSampleSkin ? "the sample skin" : "a file that fails to load");
    SkinSwitchTime(pFrame, nSkinFile, 0, 1);
    const double dFewSwitch = SkinSwitchTime(pFrame, nSkinFile, kFewWindows, kSwitchRounds);
    const double dManySwitch = SkinSwitchTime(pFrame, nSkinFile, kManyWindows, kSwitchRounds);
    PrintRatio("skin switch, 1000 windows vs 100", "100 windows", dManySwitch, dFewSwitch, kSwitchGoal);

    // Many switches in a row keep no GDI or USER object.
    const HANDLE hProcess = ::GetCurrentProcess();
    const DWORD dwGdiBefore = CountGdiObjects();
    const DWORD dwUserBefore = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    const DWORD dwGdiReportedBefore = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    const DWORD dwWindowsBefore = CountThreadWindows();
    const double dLong = SkinSwitchTime(pFrame, nSkinFile, 0, nLongSwitches / 2);
    printf("%d skin switches: %.1f ms each; GDI objects %lu -> %lu; GetGuiResources GDI %lu -> %lu, USER %lu -> "
           "%lu; windows %lu -> %lu\n",
           nLongSwitches, dLong, dwGdiBefore, CountGdiObjects(), dwGdiReportedBefore,
           ::GetGuiResources(hProcess, GR_GDIOBJECTS), dwUserBefore, ::GetGuiResources(hProcess, GR_USEROBJECTS),
           dwWindowsBefore, CountThreadWindows());

    pFrame->DestroyWindow();
    app.ExitInstance();
    CMainFrame::SetSkinsFolderOverride(NULL);
    for (int i = 0; i < kPlainSkinFiles; ++i)
        ::DeleteFileW((skins + L"skin" + std::to_wstring(i) + L".msstyles").c_str());
    ::DeleteFileW((skins + kBenchSkinName).c_str());
    ::RemoveDirectoryW(skins.c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TolvaneAppBench");
    return 0;
}
