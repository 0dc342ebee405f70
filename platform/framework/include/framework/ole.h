// OLE drag and drop and data transfer: a window's drop target and data objects over a drop or
// the clipboard.
#pragma once

#include <framework/wnd.h>

#include <ole2.h>

// What a drop does with the data: DROPEFFECT_COPY, _MOVE, _LINK bits or DROPEFFECT_NONE.
typedef DWORD DROPEFFECT;

// A data object being dropped or on the clipboard; releases it when done.
class COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // The clipboard's current contents; FALSE when they cannot be had.
    BOOL AttachClipboard();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // A copy in global memory that the caller frees (GlobalFree); NULL when not available.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

    LPDATAOBJECT m_lpDataObject;   // owned (one reference) when m_bAutoRelease

protected:
    BOOL m_bAutoRelease;
};

// Registers a window for OLE drops and turns IDropTarget calls into virtual handlers.
class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    HWND m_hWnd;   // the registered window (borrowed)

protected:
    COleDataObject m_dataObject;   // the object of the drag in progress
    DROPEFFECT m_dropEffectLast;

    BEGIN_INTERFACE_PART(DropTarget, IDropTarget)
        STDMETHOD(DragEnter)(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) override;
    END_INTERFACE_PART(DropTarget)

    DECLARE_INTERFACE_MAP()
};
