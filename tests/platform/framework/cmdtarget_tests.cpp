// Command targets: maps, routing, command UI, reference counts, interfaces, thread state.
#include <framework.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <string>

namespace {

class CRecordingTarget : public CCmdTarget
{
public:
    std::string m_log;

    void OnOpen() { m_log += "open;"; }
    void OnOpenAgain() { m_log += "open-again;"; }
    void OnSkin(UINT nID) { m_log += "skin" + std::to_string(nID) + ";"; }
    BOOL OnDeclined(UINT) { m_log += "declined;"; return FALSE; }
    void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); m_log += "update-open;"; }
    void OnUpdatePassOn(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    void OnUpdateBar(CCmdUI*) { m_log += "bar-update;"; }
    void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult) { m_log += "sel" + std::to_string(pNMHDR->idFrom) + ";"; *pResult = 7; }
    void OnClicked() { m_log += "clicked;"; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingTarget, CCmdTarget)
    ON_COMMAND(57601, OnOpen)
    ON_COMMAND(57601, OnOpenAgain)
    ON_COMMAND_RANGE(32785, 32824, OnSkin)
    ON_COMMAND_EX(57602, OnDeclined)
    ON_UPDATE_COMMAND_UI(57601, OnUpdateOpen)
    ON_UPDATE_COMMAND_UI(57603, OnUpdatePassOn)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateBar)
    ON_NOTIFY(TCN_SELCHANGE, 100, OnSelChange)
    ON_CONTROL(BN_CLICKED, 1018, OnClicked)
END_MESSAGE_MAP()

class CDerivedTarget : public CRecordingTarget
{
public:
    void OnDerivedOpen() { m_log += "derived-open;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CRecordingTarget)
    ON_COMMAND(57601, OnDerivedOpen)
END_MESSAGE_MAP()

// Records SetCheck so a test can see which update handler ran.
class CRecordingCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = -1;
    int m_nCheck = -1;
    void Enable(BOOL bOn) override { CCmdUI::Enable(bOn); m_bEnabled = bOn; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
};

}  // namespace

TEST(CommandMap, RoutesCommandsByKindAndId)
{
    CRecordingTarget target;
    struct Case
    {
        UINT nID;
        int nCode;
        BOOL bHandled;
        const char* log;
    } cases[] = {
        { 57601, CN_COMMAND, TRUE, "open;" },                    // first matching entry wins
        { 32785, CN_COMMAND, TRUE, "skin32785;" },
        { 32824, CN_COMMAND, TRUE, "skin32824;" },
        { 32825, CN_COMMAND, FALSE, "" },
        { 57602, CN_COMMAND, FALSE, "declined;" },               // an _EX handler may decline
        { 1018, MAKELONG(BN_CLICKED, WM_COMMAND), TRUE, "clicked;" },
        { 1018, MAKELONG(BN_DOUBLECLICKED, WM_COMMAND), FALSE, "" },
        { 57604, CN_COMMAND, FALSE, "" },
    };
    for (const Case& c : cases) {
        target.m_log.clear();
        EXPECT_EQ(c.bHandled, target.OnCmdMsg(c.nID, c.nCode, NULL, NULL)) << c.nID;
        EXPECT_EQ(c.log, target.m_log) << c.nID;
    }
}

TEST(CommandMap, DerivedMapComesBeforeTheBaseChain)
{
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(57601, CN_COMMAND, NULL, NULL));
    EXPECT_TRUE(target.OnCmdMsg(32790, CN_COMMAND, NULL, NULL));
    EXPECT_EQ("derived-open;skin32790;", target.m_log);
}

TEST(CommandMap, HandlerInfoOnlyReportsTheHandler)
{
    CRecordingTarget target;
    AFX_CMDHANDLERINFO info = { NULL, NULL };
    EXPECT_TRUE(target.OnCmdMsg(57601, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&target, info.pTarget);
    EXPECT_TRUE(info.pmf != NULL);
    EXPECT_EQ("", target.m_log);
    EXPECT_FALSE(target.OnCmdMsg(57605, CN_COMMAND, NULL, &info));
}

TEST(CommandMap, NotifyAndBarWideUpdateCodes)
{
    CRecordingTarget target;
    NMHDR hdr = { NULL, 100, static_cast<UINT>(TCN_SELCHANGE) };
    LRESULT lResult = 0;
    AFX_NOTIFY notify = { &lResult, &hdr };
    EXPECT_TRUE(target.OnCmdMsg(100, MAKELONG(TCN_SELCHANGE, WM_NOTIFY), &notify, NULL));
    EXPECT_EQ(7, lResult);

    CRecordingCmdUI cmdUI;
    EXPECT_TRUE(target.OnCmdMsg(0, static_cast<int>(0xBD11FFFF), &cmdUI, NULL));
    EXPECT_EQ("sel100;bar-update;", target.m_log);
}

TEST(CmdUI, DoUpdateRoutesAndDisablesWithoutHandler)
{
    CRecordingTarget target;
    struct Case
    {
        UINT nID;
        BOOL bDisableIfNoHandler;
        BOOL bResult;
        BOOL bEnabled;   // -1: Enable not called
        int nCheck;
    } cases[] = {
        { 57601, TRUE, TRUE, TRUE, 1 },     // update handler ran; command handler exists
        { 32790, TRUE, FALSE, TRUE, -1 },   // no update handler, but a command handler
        { 57604, TRUE, FALSE, FALSE, -1 },  // neither: disabled
        { 57604, FALSE, FALSE, -1, -1 },    // status-bar style: left alone
        { 57603, TRUE, FALSE, FALSE, -1 },  // handler passed the update on
    };
    for (const Case& c : cases) {
        CRecordingCmdUI cmdUI;
        cmdUI.m_nID = c.nID;
        EXPECT_EQ(c.bResult, cmdUI.DoUpdate(&target, c.bDisableIfNoHandler)) << c.nID;
        EXPECT_EQ(c.bEnabled, cmdUI.m_bEnabled) << c.nID;
        EXPECT_EQ(c.nCheck, cmdUI.m_nCheck) << c.nID;
    }
}

TEST(CmdUI, TestCmdUIReportsEnableState)
{
    CRecordingTarget target;
    CTestCmdUI cmdUI;
    cmdUI.m_nID = 57604;
    cmdUI.DoUpdate(&target, TRUE);
    EXPECT_FALSE(cmdUI.m_bEnabled);
    cmdUI.m_nID = 57601;
    cmdUI.DoUpdate(&target, TRUE);
    EXPECT_TRUE(cmdUI.m_bEnabled);
}

namespace {

int g_nDestroyed;

class CCountedTarget : public CCmdTarget
{
public:
    ~CCountedTarget() override { ++g_nDestroyed; }
};

// A nested interface that lives in a base that is not a command target.
class CPersistMixin
{
public:
    virtual ~CPersistMixin() = default;
    virtual CCmdTarget* GetPersistCmdTarget() = 0;

    BEGIN_INTERFACE_PART(Persist, IPersist)
        STDMETHOD(GetClassID)(CLSID* pClassID) override;
    END_INTERFACE_PART(Persist)
};

ULONG CPersistMixin::XPersist::AddRef()
{
    METHOD_PROLOGUE(CPersistMixin, Persist)
    return pThis->GetPersistCmdTarget()->ExternalAddRef();
}

ULONG CPersistMixin::XPersist::Release()
{
    METHOD_PROLOGUE(CPersistMixin, Persist)
    return pThis->GetPersistCmdTarget()->ExternalRelease();
}

HRESULT CPersistMixin::XPersist::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CPersistMixin, Persist)
    return static_cast<HRESULT>(pThis->GetPersistCmdTarget()->ExternalQueryInterface(&iid, ppvObj));
}

HRESULT CPersistMixin::XPersist::GetClassID(CLSID* pClassID)
{
    *pClassID = CLSID_NULL;
    return S_OK;
}

class CPersistTarget : public CCountedTarget, public CPersistMixin
{
public:
    CCmdTarget* GetPersistCmdTarget() override { return this; }
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CPersistTarget, CCountedTarget)
    INTERFACE_PART(CPersistTarget, IID_IPersist, Persist)
END_INTERFACE_MAP()

}  // namespace

TEST(CmdTarget, LastReleaseDeletes)
{
    g_nDestroyed = 0;
    CCmdTarget* pTarget = new CCountedTarget;
    EXPECT_EQ(1, pTarget->m_dwRef);
    EXPECT_EQ(2u, pTarget->ExternalAddRef());
    EXPECT_EQ(1u, pTarget->InternalRelease());
    EXPECT_EQ(0, g_nDestroyed);
    EXPECT_EQ(0u, pTarget->ExternalRelease());
    EXPECT_EQ(1, g_nDestroyed);
}

TEST(CmdTarget, InterfaceMapEntryInAMixinForwardsToTheOwner)
{
    g_nDestroyed = 0;
    CPersistTarget* pTarget = new CPersistTarget;
    IPersist* pPersist = NULL;
    ASSERT_EQ(S_OK, static_cast<HRESULT>(pTarget->ExternalQueryInterface(&IID_IPersist, reinterpret_cast<void**>(&pPersist))));
    EXPECT_EQ(static_cast<IPersist*>(&pTarget->m_xPersist), pPersist);
    EXPECT_EQ(2, pTarget->m_dwRef);
    CLSID clsid;
    EXPECT_EQ(S_OK, pPersist->GetClassID(&clsid));

    IUnknown* pUnknown = NULL;
    EXPECT_EQ(S_OK, pPersist->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
    EXPECT_EQ(static_cast<IUnknown*>(pPersist), pUnknown);
    IDispatch* pDispatch = NULL;
    EXPECT_EQ(E_NOINTERFACE, pPersist->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)));
    EXPECT_EQ(nullptr, pDispatch);

    pUnknown->Release();
    pPersist->Release();
    EXPECT_EQ(0, g_nDestroyed);
    pTarget->InternalRelease();
    EXPECT_EQ(1, g_nDestroyed);
}

TEST(CmdTarget, AutomationGivesAnIDispatchOfTheObject)
{
    CCmdTarget target;
    EXPECT_EQ(nullptr, target.GetIDispatch(FALSE));
    target.EnableAutomation();
    IDispatch* pDispatch = target.GetIDispatch(TRUE);
    ASSERT_NE(nullptr, pDispatch);
    EXPECT_EQ(2, target.m_dwRef);
    UINT nCount = 1;
    EXPECT_EQ(E_NOTIMPL, pDispatch->GetTypeInfoCount(&nCount));
    EXPECT_EQ(1u, pDispatch->Release());
}

namespace {

int g_nThreadObjectsDeleted;

struct CCountedThreadObject : CNoTrackObject
{
    int m_nValue = 0;
    ~CCountedThreadObject() override { ++g_nThreadObjectsDeleted; }
};

THREAD_LOCAL(CCountedThreadObject, t_countedObject)

struct ThreadResult
{
    MSG msgSeen;
    int nValueSeen;
};

DWORD WINAPI UseThreadState(LPVOID pParam)
{
    auto* pResult = static_cast<ThreadResult*>(pParam);
    pResult->msgSeen = *AfxGetCurrentMessage();
    pResult->nValueSeen = t_countedObject->m_nValue;
    t_countedObject->m_nValue = 99;
    return 0;
}

}  // namespace

TEST(ThreadState, CurrentMessageIsPerThreadAndWritable)
{
    MSG* pMsg = AfxGetCurrentMessage();
    MSG saved = *pMsg;
    pMsg->message = WM_CONTEXTMENU;
    pMsg->lParam = -1;
    EXPECT_EQ(static_cast<UINT>(WM_CONTEXTMENU), AfxGetThreadState()->m_lastSentMsg.message);
    t_countedObject->m_nValue = 5;

    g_nThreadObjectsDeleted = 0;
    ThreadResult result = {};
    HANDLE hThread = CreateThread(NULL, 0, UseThreadState, &result, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);

    EXPECT_EQ(0u, result.msgSeen.message);
    EXPECT_EQ(0, result.nValueSeen);
    EXPECT_EQ(5, t_countedObject->m_nValue);
    EXPECT_EQ(1, g_nThreadObjectsDeleted);   // the other thread's object went with its thread
    *pMsg = saved;
}

TEST(ThreadState, ResourceHandleDefaultsToTheProgram)
{
    EXPECT_EQ(GetModuleHandleW(NULL), AfxGetResourceHandle());
    HINSTANCE hOther = reinterpret_cast<HINSTANCE>(GetModuleHandleW(L"kernel32.dll"));
    AfxSetResourceHandle(hOther);
    EXPECT_EQ(hOther, AfxGetResourceHandle());
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(GetModuleHandleW(NULL), AfxGetResourceHandle());
}
