// Shared pieces of the editor-core tests: files in a folder of the test's own, a recording
// thread object, and a document shown in an XML view inside a plain top-level window.
#pragma once

#include "document/TolvaneDoc.h"
#include "editor/TolvaneView.h"
#include "editor/XmlView.h"

#include "window_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

std::wstring ExeFolder();
// A fresh folder for one test program run (the process id keeps runs side by side apart).
std::wstring TestFolder();
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string Utf8Of(const std::wstring& text);

// The thread object every test program of the editor core runs under; message boxes are recorded.
CRecordingThread& RecordingThread();
// The editor's window classes, registered once.
void RegisterEditorClasses();

// Where the project's CoreFoundation.dll is built (beside no test program).
LPCWSTR BuiltLibraryFolder();

// A document with its main view and the XML view in its tab, as the framework makes them for
// one frame (in a plain top-level window here).
class CDocHost
{
public:
    CDocHost();
    ~CDocHost();
    CDocHost(const CDocHost&) = delete;
    CDocHost& operator=(const CDocHost&) = delete;

    // The framework's open: the document's open step, then the view's initial update.
    BOOL Open(const std::wstring& path);
    BOOL New();
    BOOL Save(const std::wstring& path) { return m_pDoc->OnSaveDocument(path.c_str()); }
    CTolvaneDoc& Doc() { return *m_pDoc; }
    CTolvaneView& MainView() { return *m_pMainView; }
    CXmlView& View() { return *m_pView; }
    CScintillaWnd& Editor() { return *m_pView->GetEditor(); }
    std::string EditorText();
    // Whether the view enables a command (its update handler).
    BOOL IsEnabled(UINT nID);

private:
    CWnd m_wndParent;
    std::unique_ptr<CTolvaneDoc> m_pDoc;
    CTolvaneView* m_pMainView;  // owned by its window
    CXmlView* m_pView;          // owned by its window
};

// A fixture with a document and view over the project's library; message boxes recorded.
class DocHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CTolvaneDoc::SetLibraryFolder(BuiltLibraryFolder());
        RecordingThread().m_boxes.clear();
        m_host.reset(new CDocHost);
    }
    void TearDown() override
    {
        m_host.reset();
        CTolvaneDoc::SetLibraryFolder(NULL);
    }
    std::vector<std::wstring>& Boxes() { return RecordingThread().m_boxes; }
    std::wstring LastBox() { return Boxes().empty() ? L"" : Boxes().back(); }

    std::unique_ptr<CDocHost> m_host;
};
