// The editor's file open and save on large lists: the program's own classes in process, timed
// from the File Open command to the text painted, an unchanged save, and the first Ctrl+End.
// Usage: editor_open_bench FILE... (each is copied beside itself first; the copy is saved).
#include "BenchApp.h"
#include "BenchClock.h"

#include "document/TolvaneDoc.h"
#include "editor/TolvaneView.h"
#include "editor/XmlView.h"
#include "shell/TolvaneApp.h"

#include <framework/frame.h>

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
    printf("%-14s %10s %10s %12s %10s\n", "file", "open ms", "save ms", "Ctrl+End ms", "peak MB");
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

        const std::wstring name = std::wstring(argv[i]).substr(std::wstring(argv[i]).find_last_of(L"\\/") + 1);
        wprintf(L"%-14ls %10.0f %10.0f %12.1f %10.0f\n", name.c_str(), tOpen, tSave, tEnd, PeakPrivateMb());
        fflush(stdout);
        app.OpenDocumentFile(argv[i]);  // lets the copy go
        ::DeleteFileW(copy.c_str());
    }
    pFrame->DestroyWindow();
    app.ExitInstance();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TolvaneBench");
    return 0;
}
