// Command targets: reference counting, interface maps, message/command maps and command UI.
#pragma once

#include <framework/object.h>

#include <ole2.h>
#include <stddef.h>
#include <string.h>

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

// Codes packed into OnCmdMsg's nCode: message in the high word (0 = WM_COMMAND), notification
// in the low word; CN_UPDATE_COMMAND_UI is passed whole.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))
#define CN_EVENT (static_cast<UINT>(-2))
// Messages a parent reflects to its child are re-sent as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

#define AFX_MSG_CALL
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)();

// Handler signatures. Values below AfxSig_WindowFirst are the command kinds dispatched here;
// the window layer numbers its window-message signatures from AfxSig_WindowFirst on.
enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    AfxSigCmd_v,          // void ()                        ON_COMMAND, ON_CONTROL, ON_CONTROL_REFLECT
    AfxSigCmd_b,          // BOOL ()                        ON_CONTROL_REFLECT_EX
    AfxSigCmd_RANGE,      // void (UINT nID)                ON_COMMAND_RANGE, ON_CONTROL_RANGE
    AfxSigCmd_EX,         // BOOL (UINT nID)                ON_COMMAND_EX, ON_COMMAND_EX_RANGE
    AfxSigCmdUI,          // void (CCmdUI*)                 ON_UPDATE_COMMAND_UI(_RANGE), ON_UPDATE_COMMAND_UI_REFLECT
    AfxSigNotify_v,       // void (NMHDR*, LRESULT*)        ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)        ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE,   // void (UINT, NMHDR*, LRESULT*)  ON_NOTIFY_RANGE
    AfxSigNotify_EX,      // BOOL (UINT, NMHDR*, LRESULT*)  ON_NOTIFY_EX, ON_NOTIFY_EX_RANGE
    AfxSig_WindowFirst = 0x40
};

// One map entry. Command kinds: nMessage WM_COMMAND or WM_NOTIFY (or those + WM_REFLECT_BASE),
// nCode the notification (CN_COMMAND, CN_UPDATE_COMMAND_UI, a control code), ids nID..nLastID.
// Window-message kinds use the same record with their message in nMessage.
struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// First entry of one class's table matching the message, code and id; NULL when none.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

// Filled instead of calling the handler when OnCmdMsg is only asked whether one exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of a WM_NOTIFY route.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass [[maybe_unused]] = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(0) } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Member-function pointers of one class share one representation: a handler is stored in the
// common form and turned back into its own type, named by the entry's signature, to be called.
template <typename To, typename From>
inline To AfxCastHandler(From pfn)
{
    static_assert(sizeof(To) == sizeof(From), "handler pointers differ in size");
    To result;
    memcpy(&result, &pfn, sizeof(result));
    return result;
}

// Checks the handler's type, then stores it in the common form.
#define AFX_MSG_HANDLER(type, memberFxn) \
    AfxCastHandler<AFX_PMSG>(static_cast<type>(&ThisClass::memberFxn))

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMD_RANGE)(UINT);
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMD_B)();
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMD_EX)(UINT);
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMDUI)(CCmdUI*);
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY)(NMHDR*, LRESULT*);
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY_B)(NMHDR*, LRESULT*);
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY_RANGE)(UINT, NMHDR*, LRESULT*);
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY_EX)(UINT, NMHDR*, LRESULT*);

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmd_v, \
      AFX_MSG_HANDLER(AFX_PMSG, memberFxn) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmd_EX, \
      AFX_MSG_HANDLER(AFX_PMSG_CMD_EX, memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSigCmd_RANGE, \
      AFX_MSG_HANDLER(AFX_PMSG_CMD_RANGE, memberFxn) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSigCmd_EX, \
      AFX_MSG_HANDLER(AFX_PMSG_CMD_EX, memberFxn) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmdUI, \
      AFX_MSG_HANDLER(AFX_PMSG_CMDUI, memberFxn) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSigCmdUI, \
      AFX_MSG_HANDLER(AFX_PMSG_CMDUI, memberFxn) },
// Bar-wide update handler: asked with id 0 and code MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(CN_UPDATE_COMMAND_UI), 0, 0, AfxSigCmdUI, \
      AFX_MSG_HANDLER(AFX_PMSG_CMDUI, memberFxn) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, static_cast<WORD>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmd_v, \
      AFX_MSG_HANDLER(AFX_PMSG, memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, static_cast<WORD>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), \
      AfxSigCmd_RANGE, AFX_MSG_HANDLER(AFX_PMSG_CMD_RANGE, memberFxn) },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, AfxSigCmd_v, \
      AFX_MSG_HANDLER(AFX_PMSG, memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, AfxSigCmd_b, \
      AFX_MSG_HANDLER(AFX_PMSG_CMD_B, memberFxn) },
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(id), \
      AfxSigNotify_v, AFX_MSG_HANDLER(AFX_PMSG_NOTIFY, memberFxn) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(idLast), \
      AfxSigNotify_RANGE, AFX_MSG_HANDLER(AFX_PMSG_NOTIFY_RANGE, memberFxn) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(id), \
      AfxSigNotify_EX, AFX_MSG_HANDLER(AFX_PMSG_NOTIFY_EX, memberFxn) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(idLast), \
      AfxSigNotify_EX, AFX_MSG_HANDLER(AFX_PMSG_NOTIFY_EX, memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, AfxSigNotify_v, \
      AFX_MSG_HANDLER(AFX_PMSG_NOTIFY, memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, AfxSigNotify_b, \
      AFX_MSG_HANDLER(AFX_PMSG_NOTIFY_B, memberFxn) },

// Interface maps: IID -> nested interface object, looked up through the base classes.
// An entry returns the interface of a target; the nested object may live in a mix-in base.
struct AFX_INTERFACEMAP_ENTRY
{
    const IID* piid;
    LPUNKNOWN (*pfnGetInterface)(CCmdTarget* pTarget);
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

#define DECLARE_INTERFACE_MAP() \
protected: \
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap(); \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, theBase) \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
    const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap() \
    { \
        typedef theBase TheBaseClass; \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

#define INTERFACE_PART(theClass, iid, localClass) \
            { &(iid), [](CCmdTarget* pTarget) -> LPUNKNOWN { \
                  return static_cast<IUnknown*>(&static_cast<theClass*>(pTarget)->m_x##localClass); } },

#define END_INTERFACE_MAP() \
            { NULL, NULL } \
        }; \
        static const AFX_INTERFACEMAP interfaceMap = { &TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0] }; \
        return &interfaceMap; \
    }

#define BEGIN_INTERFACE_PART(localClass, baseInterface) \
    class X##localClass : public baseInterface \
    { \
    public: \
        STDMETHOD_(ULONG, AddRef)() override; \
        STDMETHOD_(ULONG, Release)() override; \
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;

#define END_INTERFACE_PART(localClass) \
    } m_x##localClass; \
    friend class X##localClass;

// Inside a nested interface method: pThis = the object that holds it.
#define METHOD_PROLOGUE(theClass, localClass) \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"") \
    theClass* pThis = reinterpret_cast<theClass*>( \
        reinterpret_cast<BYTE*>(this) - offsetof(theClass, m_x##localClass)); \
    _Pragma("GCC diagnostic pop") \
    (void)pThis;

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command, notification or update request through this class's maps.
    // With pHandlerInfo only reports whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Reference count, 1 at construction; the last release calls OnFinalRelease.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual void OnFinalRelease();

    // The interface for iid from the interface maps (no reference added); NULL when none.
    LPUNKNOWN GetInterface(const void* iid);

    // Automation here is only an IDispatch that answers E_NOTIMPL for its own members.
    void EnableAutomation();
    BOOL IsAutomationEnabled() const { return m_bAutomation; }
    LPDISPATCH GetIDispatch(BOOL bAddRef);

    LONG m_dwRef;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

    static BOOL PASCAL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                                      UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);

private:
    class XDispatch : public IDispatch
    {
    public:
        CCmdTarget* m_pOwner;   // borrowed: the object this is a part of
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                          VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    } m_xDispatch;
    BOOL m_bAutomation;
};

// Window-independent command UI: the update route and its state. The forms that change a
// menu item or a window (m_pMenu, m_pOther) derive from it in the window layer and call the
// base for the bookkeeping.
class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes CN_UPDATE_COMMAND_UI to pTarget; when nobody called Enable and bDisableIfNoHndler
    // is set, enables exactly when a CN_COMMAND handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;
    UINT m_nIndexMax;
    CMenu* m_pMenu;        // borrowed; menu form
    CMenu* m_pSubMenu;     // borrowed; popup of the item, if any
    CMenu* m_pParentMenu;  // borrowed
    CWnd* m_pOther;        // borrowed; window form
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};

// Asks whether a command is enabled, changing nothing.
class CTestCmdUI : public CCmdUI
{
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR) override {}

    BOOL m_bEnabled;
};
