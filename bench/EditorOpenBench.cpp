// The editor's file open and save on large lists: the program's own classes in process, timed
// from the File Open command to the text painted, an unchanged save, and the first Ctrl+End.
// The peer is what any editor built on the same two components spends: CoreFoundation reading
// the file and making its XML, and a bare Scintilla window of the editor's size with the XML
// lexer taking the bytes and painting them. It runs after the editor's open of the same file, so
// under an emulator it finds the code already translated: the ratio errs against the editor.
// Usage: editor_open_bench FILE... (each is copied beside itself first; the copy is saved).
#include "BenchApp.h"
#include "BenchClock.h"

#include "document/TolvaneDoc.h"
#include "editor/TolvaneView.h"
#include "editor/XmlView.h"
#include "shell/TolvaneApp.h"
#include "Utf8.h"

#include <framework/frame.h>

#include <ILexer.h>
#include <Lexilla.h>
#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

double PeakPrivateMb()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
    return static_cast<double>(pmc.PeakPagefileUsage) / (1024.0 * 1024.0);
}

std::wstring ExeFolder()
{
    WCHAR szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
    std::wstring path(szPath);
    return path.substr(0, path.find_last_of(L"\\/"));
}

CScintillaWnd* EditorOf(CFrameWnd* pFrame)
{
    CView* pView = pFrame->GetActiveView();
    return pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CXmlView)) ? static_cast<CXmlView*>(pView)->GetEditor()
                                                                     : NULL;
}

// The open of a file must be painted within this (music.xml with the command bars present).
const double kOpenGoalMs = 2000;
const unsigned long kMutableContainersAndLeaves = 2;
const cfapi::CFIndex kWindowsPathStyle = 2;

// A top-level Scintilla window over the editor's place, shown only while it is timed.
HWND CreatePeerEditor(CWnd* pEditor)
{
    CRect rect;
    pEditor->GetWindowRect(&rect);
    HWND hPeer = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Scintilla", L"peer", WS_POPUP, rect.left, rect.top, rect.Width(),
                                   rect.Height(), NULL, NULL, ::GetModuleHandleW(NULL), NULL);
    if (hPeer == NULL)
        return NULL;
    ::SendMessageW(hPeer, SCI_SETCODEPAGE, SC_CP_UTF8, 0);
    ::SendMessageW(hPeer, SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(CreateLexer("xml")));
    ::SendMessageW(hPeer, SCI_SETPROPERTY, reinterpret_cast<WPARAM>("fold"), reinterpret_cast<LPARAM>("1"));
    return hPeer;
}

// The peer's open of the file, to the text painted; negative when a step fails.
double PeerOpenMs(HWND hPeer, LPCWSTR lpszPath)
{
    cfapi::CFunctions& cf = g_coreFoundation;
    ::SetWindowPos(hPeer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(hPeer);
    const double t0 = BenchNowMs();
    CCFRef string(cf.StringCreateWithCString(NULL, ToUtf8(lpszPath).c_str(), cfapi::kUTF8));
    CCFRef url(cf.URLCreateWithFileSystemPath(NULL, string.Get(), kWindowsPathStyle, 0));
    CCFRef stream(cf.ReadStreamCreateWithFile(NULL, url.Get()));
    if (stream.Get() == NULL || !cf.ReadStreamOpen(const_cast<void*>(stream.Get())))
        return -1;
    cfapi::CFIndex nFormat = 0;
    CCFRef error;
    CCFRef list(cf.PropertyListCreateFromStream(NULL, const_cast<void*>(stream.Get()), 0, kMutableContainersAndLeaves,
                                                &nFormat, &error));
    cf.ReadStreamClose(const_cast<void*>(stream.Get()));
    if (list.Get() == NULL)
        return -1;
    CCFRef data(cf.PropertyListCreateXMLData(NULL, list.Get()));
    if (data.Get() == NULL)
        return -1;
    ::SendMessageW(hPeer, SCI_SETUNDOCOLLECTION, FALSE, 0);
    ::SendMessageW(hPeer, SCI_CLEARALL, 0, 0);
    ::SendMessageW(hPeer, SCI_APPENDTEXT, static_cast<WPARAM>(cf.DataGetLength(data.Get())),
                   reinterpret_cast<LPARAM>(cf.DataGetBytePtr(data.Get())));
    ::SendMessageW(hPeer, SCI_SETUNDOCOLLECTION, TRUE, 0);
    ::UpdateWindow(hPeer);
    const double tPeer = BenchNowMs() - t0;
    // Its text goes before the next open, which the peer's memory would only slow.
    ::SendMessageW(hPeer, SCI_SETUNDOCOLLECTION, FALSE, 0);
    ::SendMessageW(hPeer, SCI_CLEARALL, 0, 0);
    ::ShowWindow(hPeer, SW_HIDE);
    return tPeer;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring folder = ExeFolder();
    CTolvaneDoc::SetLibraryFolder(folder.c_str());
    CBenchApp app(L"TolvaneBench");
    WCHAR szNoArgs[1] = {};
    AfxWinInit(::GetModuleHandleW(NULL), NULL, szNoArgs, SW_SHOW);
    if (!app.InitInstance()) {
        fprintf(stderr, "the program did not start\n");
        return 1;
    }
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(app.m_pMainWnd);
    pFrame->MoveWindow(0, 0, 1024, 768);
    HWND hPeer = NULL;
    printf("%-14s %10s %10s %12s %10s %10s\n", "file", "open ms", "save ms", "Ctrl+End ms", "peak MB", "peer ms");
    for (int i = 1; i < argc; ++i) {
        const std::wstring copy = std::wstring(argv[i]) + L".bench-copy";
        if (!::CopyFileW(argv[i], copy.c_str(), FALSE)) {
            fwprintf(stderr, L"cannot copy %ls\n", argv[i]);
            return 1;
        }
        const double t0 = BenchNowMs();
        if (app.OpenDocumentFile(copy.c_str()) == NULL) {
            fwprintf(stderr, L"cannot open %ls\n", copy.c_str());
            return 1;
        }
        pFrame->UpdateWindow();
        const double tOpen = BenchNowMs() - t0;

        CScintillaWnd* pEditor = EditorOf(pFrame);
        const double t1 = BenchNowMs();
        if (pEditor != NULL) {
            pEditor->Call(SCI_DOCUMENTEND);
            pEditor->UpdateWindow();
        }
        const double tEnd = BenchNowMs() - t1;

        const double t2 = BenchNowMs();
        pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
        const double tSave = BenchNowMs() - t2;

        const double fPeak = PeakPrivateMb();
        if (hPeer == NULL && pEditor != NULL)
            hPeer = CreatePeerEditor(pEditor);
        const double tPeer = hPeer != NULL ? PeerOpenMs(hPeer, copy.c_str()) : -1;
        pFrame->UpdateWindow();

        const std::wstring name = std::wstring(argv[i]).substr(std::wstring(argv[i]).find_last_of(L"\\/") + 1);
        wprintf(L"%-14ls %10.0f %10.0f %12.1f %10.0f %10.0f\n", name.c_str(), tOpen, tSave, tEnd, fPeak, tPeer);
        if (tPeer > 0)
            wprintf(L"%ls open %.0f ms (goal < %.0f ms); the two components alone %.0f ms: ratio %.2fx\n", name.c_str(),
                    tOpen, kOpenGoalMs, tPeer, tOpen / tPeer);
        fflush(stdout);
        app.OpenDocumentFile(argv[i]);  // lets the copy go
        ::DeleteFileW(copy.c_str());
    }
    if (hPeer != NULL)
        ::DestroyWindow(hPeer);
    pFrame->DestroyWindow();
    app.ExitInstance();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TolvaneBench");
    return 0;
}
