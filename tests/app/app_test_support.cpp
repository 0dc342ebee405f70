// Shared pieces of the editor-core tests.
#include "app_test_support.h"

#include <Scintilla.h>

namespace {

class CEnableRecorder : public CCmdUI
{
public:
    BOOL m_bEnabled = FALSE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(LPCWSTR) override {}
};

}  // namespace

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

std::wstring TestFolder()
{
    static std::wstring s_folder;
    if (s_folder.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        s_folder = std::wstring(temp) + L"tolvane-app-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(s_folder.c_str(), NULL);
    }
    return s_folder;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::string out;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[4096];
    DWORD got;
    while (ReadFile(h, buf, sizeof buf, &got, NULL) && got)
        out.append(buf, got);
    CloseHandle(h);
    return out;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, NULL);
    CloseHandle(h);
}

std::string Utf8Of(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &s[0], n, NULL, NULL);
    return s;
}

CRecordingThread& RecordingThread()
{
    static CRecordingThread s_thread;
    return s_thread;
}

void RegisterEditorClasses()
{
    static const int s_registered = Scintilla_RegisterClasses(GetModuleHandleW(NULL));
    ASSERT_NE(s_registered, 0);
}

LPCWSTR BuiltLibraryFolder()
{
    static const std::wstring s_folder = ExeFolder() + L"..\\bin";
    return s_folder.c_str();
}

CDocHost::CDocHost() : m_pDoc(new CTolvaneDoc), m_pMainView(new CTolvaneView), m_pView(NULL)
{
    RegisterEditorClasses();
    m_pDoc->m_bAutoDelete = FALSE;
    m_wndParent.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE, 0, 0, 640, 400, NULL, NULL);
    CCreateContext context;
    context.m_pCurrentDoc = m_pDoc.get();
    CTolvaneView* pMainView = m_pMainView;
    if (!pMainView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 400), &m_wndParent, AFX_IDW_PANE_FIRST,
                           &context)) {
        m_pMainView = NULL;
        ADD_FAILURE() << "the view was not created";
        return;
    }
    m_pView = m_pMainView->GetXmlView();
    if (m_pView == NULL)
        ADD_FAILURE() << "the main view has no XML view";
}

CDocHost::~CDocHost()
{
    m_wndParent.DestroyWindow();
}

BOOL CDocHost::Open(const std::wstring& path)
{
    if (!m_pDoc->OnOpenDocument(path.c_str()))
        return FALSE;
    m_pDoc->SetPathName(path.c_str(), FALSE);
    m_pView->OnInitialUpdate();
    return TRUE;
}

BOOL CDocHost::New()
{
    if (!m_pDoc->OnNewDocument())
        return FALSE;
    m_pView->OnInitialUpdate();
    return TRUE;
}

std::string CDocHost::EditorText()
{
    size_t nLength = 0;
    char* pText = Editor().GetText(&nLength);
    std::string s(pText, nLength);
    free(pText);
    return s;
}

BOOL CDocHost::IsEnabled(UINT nID)
{
    CEnableRecorder cmdui;
    cmdui.m_nID = nID;
    cmdui.DoUpdate(m_pView, FALSE);
    return cmdui.m_bEnabled;
}
