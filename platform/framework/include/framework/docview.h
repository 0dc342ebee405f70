// Documents, views and the templates that bind a document class to its frame and view classes.
#pragma once

#include <framework/collections.h>
#include <framework/dialog.h>
#include <framework/gdi.h>
#include <framework/resids.h>
#include <framework/wnd.h>

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
class CPrintPreviewState;

// What a frame and its views are created with (lpCreateParams of the frame and of each view).
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass;   // view to create in the frame's client, or NULL
    CDocument* m_pCurrentDoc;         // borrowed; the new view is added to it
    CDocTemplate* m_pNewDocTemplate;  // borrowed
    CView* m_pLastView;               // borrowed
    CFrameWnd* m_pCurrentFrame;       // borrowed

    CCreateContext() : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL), m_pLastView(NULL),
                       m_pCurrentFrame(NULL) {}
};

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // A full path; the title becomes the file's title, and bAddToMRU enters it in the recent files.
    virtual void SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName() { m_strPathName.Empty(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views, in the order they were added.
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate to every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = NULL);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    // The steps the template and the file commands call.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCWSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void Serialize(CArchive& ar) override;

    // Asks to save a modified document: FALSE when the user cancelled or the save failed.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves to lpszPathName, or asks for a name when it is NULL; bReplace makes it the document's path.
    virtual BOOL DoSave(LPCWSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void ReportSaveLoadException(LPCWSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;   // borrowed; the template that holds this document
    BOOL m_bModified;
    BOOL m_bAutoDelete;             // OnCloseDocument deletes the object
    BOOL m_bEmbedded;

protected:
    // Writes through a temporary file in the target's folder that replaces the target only when
    // the document wrote it completely; on any failure every existing file stays as it was.
    BOOL SaveThroughTemporaryFile(LPCWSTR lpszPathName);
    CString m_strSaveTarget;   // the file a save is for while it writes the temporary one

    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    CPtrList m_viewList;   // borrowed views; each view removes itself when it goes

    DECLARE_MESSAGE_MAP()
    friend class CDocTemplate;
};

// What a print run or a preview is doing.
class CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const;
    UINT GetToPage() const;

    CPrintDialog* m_pPD;          // owned
    BOOL m_bDirect;               // no print dialog
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    LPVOID m_lpUserData;          // the view's own, for its printing
    CRect m_rectDraw;             // the printable area of the current page, in logical units
    CString m_strPageDesc;
};

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    // Leaves the document's view list.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    // Printing: prepare (default: the print dialog), begin, one call per page, end.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, class CPreviewView* pView);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    void OnFilePrint();
    void OnFilePrintPreview();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

protected:
    CDocument* m_pDocument;   // borrowed; set by AddView

    DECLARE_MESSAGE_MAP()
    friend class CDocument;
};

// Binds a document class to its frame and view classes and to the resources of one id:
// menu, accelerators, icon and the document string (seven fields separated by '\n').
class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex
    {
        windowTitle,       // frame title of a single-document program
        docName,           // base of the default document title
        fileNewName,       // name shown when asked which kind of new file
        filterName,        // "Kind Files (*.ext)"
        filterExt,         // ".ext"
        regFileTypeId,     // registry id of the file type
        regFileTypeName    // name of the file type shown by the shell
    };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };

    ~CDocTemplate() override;

    UINT GetResourceID() const { return m_nIDResource; }
    virtual void LoadTemplate();
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    void SetContainerInfo(UINT nIDOleInPlaceContainer) { m_nIDContainerResource = nIDOleInPlaceContainer; }
    UINT GetContainerInfo() const { return m_nIDContainerResource; }

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A frame for pDoc loaded from this template's resources; NULL when it cannot be created.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDoc) = 0;
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual Confidence MatchDocType(LPCWSTR lpszPathName, CDocument*& rpDocMatch);

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource;
    UINT m_nIDContainerResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;   // the application deletes the template at exit

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};

// One document at a time: a new or opened file reuses the document and its frame.
class CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    // Deletes the document it still holds.
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    void SetDefaultTitle(CDocument* pDoc) override;
    // NULL path: a new document. A document that fails to load in a frame created for it takes
    // the frame with it and gives NULL.
    CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

protected:
    CDocument* m_pOnlyDoc;   // owned (deleted by OnCloseDocument or the destructor)
};

// What a frame changed to show a preview, to put back when it ends.
class CPrintPreviewState
{
public:
    CPrintPreviewState() : nIDMainPane(AFX_IDW_PANE_FIRST), pViewActiveOld(NULL), hAccelTable(NULL) {}
    UINT nIDMainPane;          // the hidden view's id while the preview holds the pane id
    CView* pViewActiveOld;     // borrowed; the view the preview covers
    HACCEL hAccelTable;        // the frame's accelerators, off during the preview
    CPtrList listHiddenBars;   // borrowed bars the preview hid
};

// The page view of a print preview: the printer's page drawn at screen scale by the original
// view's OnPrint. Closed by AFX_ID_PREVIEW_CLOSE or Escape.
class CPreviewView : public CView
{
    DECLARE_DYNAMIC(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPreviewClose();
    void OnPreviewNext();
    void OnPreviewPrev();
    BOOL OnEraseBkgnd(CDC* pDC);

    CView* m_pOrigView;                  // borrowed; the view being previewed
    CPrintInfo* m_pPreviewInfo;          // owned
    CPrintPreviewState* m_pPreviewState; // owned
    CDC m_dcPrinter;                     // the printer's attribute DC (owned)

protected:
    DECLARE_MESSAGE_MAP()
};
