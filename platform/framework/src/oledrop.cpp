// OLE drag and drop: a window's drop target and the data objects of a drop or the clipboard.
#include <framework/exceptions.h>
#include <framework/ole.h>

// ---- COleDataObject ----

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

namespace {

FORMATETC MakeFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != NULL) {
        FORMATETC formatEtc = *lpFormatEtc;
        formatEtc.cfFormat = cfFormat;
        return formatEtc;
    }
    FORMATETC formatEtc = { cfFormat, NULL, DVASPECT_CONTENT, -1, tymed };
    return formatEtc;
}

}  // namespace

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_GDI | TYMED_ENHMF);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_GDI | TYMED_ENHMF);
    return SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC formatEtc = MakeFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    formatEtc.tymed = TYMED_HGLOBAL;
    STGMEDIUM stgMedium = {};
    if (FAILED(m_lpDataObject->GetData(&formatEtc, &stgMedium)))
        return NULL;
    HGLOBAL hCopy = NULL;
    if (stgMedium.tymed == TYMED_HGLOBAL && stgMedium.hGlobal != NULL) {
        // The medium belongs to the source (or is released below): the caller gets its own copy.
        SIZE_T cb = ::GlobalSize(stgMedium.hGlobal);
        hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, cb);
        if (hCopy != NULL) {
            void* pSrc = ::GlobalLock(stgMedium.hGlobal);
            void* pDst = ::GlobalLock(hCopy);
            if (pSrc != NULL && pDst != NULL)
                memcpy(pDst, pSrc, cb);
            ::GlobalUnlock(hCopy);
            ::GlobalUnlock(stgMedium.hGlobal);
        }
    }
    ::ReleaseStgMedium(&stgMedium);
    return hCopy;
}

// ---- COleDropTarget ----

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

BEGIN_INTERFACE_MAP(COleDropTarget, CCmdTarget)
    INTERFACE_PART(COleDropTarget, IID_IDropTarget, DropTarget)
END_INTERFACE_MAP()

COleDropTarget::COleDropTarget() : m_hWnd(NULL), m_dropEffectLast(DROPEFFECT_NONE)
{
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || m_hWnd != NULL)
        return FALSE;
    LPDROPTARGET lpDropTarget = static_cast<LPDROPTARGET>(GetInterface(&IID_IDropTarget));
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, lpDropTarget)))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    m_dataObject.Release();
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::AddRef()
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::Release()
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

namespace {

// No exception leaves an OLE call: a failing handler answers "no drop".
template <class F>
HRESULT Guarded(F f)
{
    try {
        f();
        return S_OK;
    } catch (CException* e) {
        e->Delete();
        return E_UNEXPECTED;
    }
}

// The start of DragEnter and Drop: the window, the data object held, the allowed effects.
CWnd* TakeDragData(HWND hWnd, COleDataObject* pData, LPDATAOBJECT pDataObj, LPDWORD pdwEffect, DWORD* pdwAllowed)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pdwEffect == NULL || pDataObj == NULL)
        return NULL;
    pDataObj->AddRef();
    pData->Attach(pDataObj, TRUE);
    *pdwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    return pWnd;
}

CPoint ClientPoint(HWND hWnd, POINTL pt)
{
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(hWnd, &point);
    return point;
}

}  // namespace

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt,
                                                    LPDWORD pdwEffect)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    DWORD dwAllowed = 0;
    CWnd* pWnd = TakeDragData(pThis->m_hWnd, &pThis->m_dataObject, pDataObj, pdwEffect, &dwAllowed);
    if (pWnd == NULL)
        return E_UNEXPECTED;
    return Guarded([&] {
        pThis->m_dropEffectLast =
            pThis->OnDragEnter(pWnd, &pThis->m_dataObject, grfKeyState, ClientPoint(pThis->m_hWnd, pt)) & dwAllowed;
        *pdwEffect = pThis->m_dropEffectLast;
    });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    CWnd* pWnd = CWnd::FromHandlePermanent(pThis->m_hWnd);
    if (pWnd == NULL || pdwEffect == NULL)
        return E_UNEXPECTED;
    DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    return Guarded([&] {
        pThis->m_dropEffectLast =
            pThis->OnDragOver(pWnd, &pThis->m_dataObject, grfKeyState, ClientPoint(pThis->m_hWnd, pt)) & dwAllowed;
        *pdwEffect = pThis->m_dropEffectLast;
    });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    CWnd* pWnd = CWnd::FromHandlePermanent(pThis->m_hWnd);
    HRESULT hr = pWnd == NULL ? S_OK : Guarded([&] { pThis->OnDragLeave(pWnd); });
    pThis->m_dataObject.Release();
    return hr;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect)
{
    METHOD_PROLOGUE(COleDropTarget, DropTarget)
    DWORD dwAllowed = 0;
    CWnd* pWnd = TakeDragData(pThis->m_hWnd, &pThis->m_dataObject, pDataObj, pdwEffect, &dwAllowed);
    if (pWnd == NULL)
        return E_UNEXPECTED;
    HRESULT hr = Guarded([&] {
        DROPEFFECT dropEffect =
            pThis->OnDragOver(pWnd, &pThis->m_dataObject, grfKeyState, ClientPoint(pThis->m_hWnd, pt)) & dwAllowed;
        if (dropEffect != DROPEFFECT_NONE &&
            pThis->OnDrop(pWnd, &pThis->m_dataObject, dropEffect, ClientPoint(pThis->m_hWnd, pt)))
            *pdwEffect = dropEffect;
        else
            pThis->OnDragLeave(pWnd);
    });
    pThis->m_dataObject.Release();
    return hr;
}
