// Mix-in that gives a toolkit-drawn object an IAccessible interface, forwarding each member to
// a virtual operation of the owner; OLEACC and NotifyWinEvent are bound by name.
#pragma once

#include <framework.h>

#include <oleacc.h>

#include "common/ZPSystemHelpers.h"

class CZPAccessible
{
public:
    CZPAccessible();
    virtual ~CZPAccessible();

    // The IAccessible operations the owner overrides, in interface order.
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
    virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
    virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
    // The owner as a command target: the accessible interface shares its count and interface map.
    virtual CCmdTarget* GetAccessibleCmdTarget();

    void RaiseWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild);
    // 0 for the object itself, 1 and up for children, -1 for what carries no child id.
    static long PASCAL ChildIdFromVariant(const VARIANT& varChild);
    HRESULT CallAccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject);
    // Owners answer WM_GETOBJECT with this result.
    LRESULT CallLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk);

    // Cuts off clients that still hold the interface through COM; owners call it first thing in
    // their destructor, while the command target can still answer.
    void DisconnectAccessible();

    class XAccessible : public IAccessible
    {
    public:
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;

        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                          VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

    private:
        CZPAccessible* Owner();
    } m_xAccessible;
    friend class XAccessible;

    CZPAccessible(const CZPAccessible&) = delete;
    CZPAccessible& operator=(const CZPAccessible&) = delete;

protected:
    typedef void (WINAPI* PFNNOTIFYWINEVENT)(DWORD, HWND, LONG, LONG);
    typedef LRESULT (WINAPI* PFNLRESULTFROMOBJECT)(REFIID, WPARAM, LPUNKNOWN);
    typedef HRESULT (WINAPI* PFNACCESSIBLEOBJECTFROMWINDOW)(HWND, DWORD, REFIID, void**);

    // NotifyWinEvent from USER32, looked up once for the process.
    static PFNNOTIFYWINEVENT ResolveNotifyWinEvent();
    // Loads OLEACC into this owner's holder when not yet loaded.
    BOOL LoadOleacc();

    PFNNOTIFYWINEVENT m_pfnNotifyWinEvent;
    PFNLRESULTFROMOBJECT m_pfnLresultFromObject;
    PFNACCESSIBLEOBJECTFROMWINDOW m_pfnAccessibleObjectFromWindow;
    CZPModuleHandle m_modOleacc;
};
