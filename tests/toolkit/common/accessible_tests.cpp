// The accessible interface reached the way screen readers reach it: through OLEACC and
// WM_GETOBJECT on the owner's window.
#include "common/ZPAccessible.h"

#include <framework/wnd.h>

#include <gtest/gtest.h>

#include "window_test_support.h"

#include <vector>

namespace {

const wchar_t kOwnerName[] = L"Standard";

// A window owner that describes itself by name and role only.
class CAccessibleOwner : public CWnd, public CZPAccessible
{
public:
    ~CAccessibleOwner() override
    {
        DisconnectAccessible();
        DestroyWindow();
    }

    BOOL CreateOwner()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_POPUP, 0, 0, 100, 30, NULL, NULL);
    }

    CCmdTarget* GetAccessibleCmdTarget() override { return this; }
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        if (ChildIdFromVariant(varChild) != CHILDID_SELF)
            return E_INVALIDARG;
        *pszName = ::SysAllocString(kOwnerName);
        return S_OK;
    }
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override
    {
        if (ChildIdFromVariant(varChild) != CHILDID_SELF)
            return E_INVALIDARG;
        pvarRole->vt = VT_I4;
        pvarRole->lVal = ROLE_SYSTEM_TOOLBAR;
        return S_OK;
    }

protected:
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam)
    {
        // The object id arrives zero-extended in a 64-bit lParam: compare the low 32 bits.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            LRESULT lResult = CallLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
            if (lResult > 0)
                return lResult;
        }
        return Default();
    }
    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_MESSAGE_MAP(CAccessibleOwner, CWnd)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CAccessibleOwner, CWnd)
    INTERFACE_PART(CAccessibleOwner, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

VARIANT SelfVariant()
{
    VARIANT var;
    ::VariantInit(&var);
    var.vt = VT_I4;
    var.lVal = CHILDID_SELF;
    return var;
}

}  // namespace

TEST(Accessible, ClientGetsTheOwnersInterfaceThroughAccessibleObjectFromWindow)
{
    CAccessibleOwner owner;
    ASSERT_TRUE(owner.CreateOwner());
    LONG nRefsBefore = owner.m_dwRef;

    IAccessible* pAccessible = NULL;
    ASSERT_EQ(S_OK, owner.CallAccessibleObjectFromWindow(owner.m_hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                         reinterpret_cast<void**>(&pAccessible)));
    ASSERT_NE(nullptr, pAccessible);
    // In process the client holds the owner's own interface, counted on the owner.
    EXPECT_EQ(static_cast<IAccessible*>(&owner.m_xAccessible), pAccessible);
    EXPECT_EQ(nRefsBefore + 1, owner.m_dwRef);

    VARIANT varSelf = SelfVariant();
    BSTR bstrName = NULL;
    ASSERT_EQ(S_OK, pAccessible->get_accName(varSelf, &bstrName));
    EXPECT_STREQ(kOwnerName, bstrName);
    ::SysFreeString(bstrName);
    VARIANT varRole;
    ::VariantInit(&varRole);
    ASSERT_EQ(S_OK, pAccessible->get_accRole(varSelf, &varRole));
    EXPECT_EQ(VT_I4, varRole.vt);
    EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, varRole.lVal);

    // What the owner leaves alone keeps the base answers.
    BSTR bstrValue = NULL;
    EXPECT_EQ(E_NOTIMPL, pAccessible->get_accValue(varSelf, &bstrValue));
    EXPECT_EQ(E_NOTIMPL, pAccessible->accDoDefaultAction(varSelf));
    long nChildren = 0;
    EXPECT_EQ(E_NOTIMPL, pAccessible->get_accChildCount(&nChildren));
    VARIANT varFocus;
    ::VariantInit(&varFocus);
    EXPECT_EQ(S_FALSE, pAccessible->get_accFocus(&varFocus));
    EXPECT_EQ(S_FALSE, pAccessible->get_accSelection(&varFocus));
    UINT nTypeInfo = 7;
    EXPECT_EQ(E_NOTIMPL, pAccessible->GetTypeInfoCount(&nTypeInfo));
    EXPECT_EQ(0u, nTypeInfo);

    // AddRef and Release through the interface move the owner's count.
    pAccessible->AddRef();
    EXPECT_EQ(nRefsBefore + 2, owner.m_dwRef);
    pAccessible->Release();
    pAccessible->Release();
    EXPECT_EQ(nRefsBefore, owner.m_dwRef);
}

namespace {

struct WIN_EVENT
{
    DWORD dwEvent;
    HWND hWnd;
    LONG idObject;
    LONG idChild;
};
std::vector<WIN_EVENT> g_events;

void CALLBACK RecordWinEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
{
    g_events.push_back({ dwEvent, hWnd, idObject, idChild });
}

}  // namespace

TEST(Accessible, RaisedEventsReachWinEventHooks)
{
    CAccessibleOwner owner;
    ASSERT_TRUE(owner.CreateOwner());
    g_events.clear();
    HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, NULL, &RecordWinEvent,
                                            ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hHook);
    owner.RaiseWinEvent(EVENT_OBJECT_FOCUS, owner.m_hWnd, OBJID_CLIENT, 2);
    PumpPending();
    ::UnhookWinEvent(hHook);

    ASSERT_EQ(1u, g_events.size());
    EXPECT_EQ(static_cast<DWORD>(EVENT_OBJECT_FOCUS), g_events[0].dwEvent);
    EXPECT_EQ(owner.m_hWnd, g_events[0].hWnd);
    EXPECT_EQ(OBJID_CLIENT, g_events[0].idObject);
    EXPECT_EQ(2, g_events[0].idChild);
}

TEST(Accessible, ChildIdFromVariantFollowsOneReference)
{
    SHORT nShort = 4;
    LONG nLong = 3;
    VARIANT varI4;
    ::VariantInit(&varI4);
    varI4.vt = VT_I4;
    varI4.lVal = 3;

    VARIANT var;
    ::VariantInit(&var);
    EXPECT_EQ(0, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_I2;
    var.iVal = 5;
    EXPECT_EQ(5, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_I4;
    var.lVal = 7;
    EXPECT_EQ(7, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_BYREF | VT_I2;
    var.piVal = &nShort;
    EXPECT_EQ(4, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_BYREF | VT_I4;
    var.plVal = &nLong;
    EXPECT_EQ(3, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_BYREF | VT_VARIANT;
    var.pvarVal = &varI4;
    EXPECT_EQ(3, CZPAccessible::ChildIdFromVariant(var));

    // Damaged or foreign variants carry no child id, and a self reference ends at once.
    var.vt = VT_BSTR;
    var.bstrVal = NULL;
    EXPECT_EQ(-1, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_BYREF | VT_VARIANT;
    var.pvarVal = NULL;
    EXPECT_EQ(-1, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_BYREF | VT_I4;
    var.plVal = NULL;
    EXPECT_EQ(-1, CZPAccessible::ChildIdFromVariant(var));
    var.vt = VT_BYREF | VT_VARIANT;
    var.pvarVal = &var;
    EXPECT_EQ(-1, CZPAccessible::ChildIdFromVariant(var));
}

TEST(Accessible, WithoutACommandTargetCallsFailInsteadOfCrashing)
{
    CZPAccessible accessible;
    IAccessible* pAccessible = &accessible.m_xAccessible;
    EXPECT_EQ(0u, pAccessible->AddRef());
    EXPECT_EQ(0u, pAccessible->Release());
    void* pObject = &accessible;
    EXPECT_EQ(E_NOINTERFACE, pAccessible->QueryInterface(IID_IAccessible, &pObject));
    EXPECT_EQ(nullptr, pObject);
    EXPECT_EQ(E_POINTER, pAccessible->QueryInterface(IID_IUnknown, NULL));
    VARIANT var;
    ::VariantInit(&var);
    EXPECT_EQ(S_FALSE, pAccessible->get_accFocus(&var));
}

TEST(Accessible, DisconnectReleasesWhatCOMStillHolds)
{
    CAccessibleOwner owner;
    LONG nRefsBefore = owner.m_dwRef;
    IStream* pStream = NULL;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(NULL, TRUE, &pStream));
    ASSERT_EQ(S_OK, ::CoMarshalInterface(pStream, IID_IAccessible, &owner.m_xAccessible, MSHCTX_LOCAL, NULL,
                                         MSHLFLAGS_NORMAL));
    EXPECT_GT(owner.m_dwRef, nRefsBefore);

    owner.DisconnectAccessible();
    EXPECT_EQ(nRefsBefore, owner.m_dwRef);
    pStream->Release();
}
