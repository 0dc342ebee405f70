// Input elements: routed events on a fixture tree up to the context, delegates, event
// attributes, the base input operations and the context's counts.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDelegate.h"
#include "markup/ZPMarkupValues.h"

#include <functional>
#include <string>
#include <vector>

namespace
{
class InputElements : public CMarkupLeakCheck
{
};

// Each call appends "name:sender" to a shared log and may run an action.
struct CRouteLog
{
    std::vector<std::wstring> calls;
};

class CLogDelegate : public CZPMarkupDelegate
{
public:
    CLogDelegate(CRouteLog* pLog, const wchar_t* name, std::function<void(MarkupRoutedEventArgs*)> action = nullptr)
        : m_pLog(pLog), m_name(name), m_action(action)
    {
    }
    void Execute(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs) override
    {
        const wchar_t* tag = pSender != NULL && pSender->GetTagText() != NULL ? pSender->GetTagText() : L"?";
        m_pLog->calls.push_back(m_name + L":" + tag);
        if (m_action)
            m_action(pArgs);
    }

private:
    CRouteLog* m_pLog;
    std::wstring m_name;
    std::function<void(MarkupRoutedEventArgs*)> m_action;
};

// A text block holding a hyperlink holding a run, made through a context as the builder makes them.
struct CTree
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CFixtureText* pBlock;
    CFixtureSpan* pLink;
    CFixtureRun* pRun;

    CTree()
    {
        pBlock = Make<CFixtureText>(L"block");
        pLink = Make<CFixtureSpan>(L"link");
        pRun = Make<CFixtureRun>(L"run");
        pBlock->AddChild(pLink);
        pLink->AddChild(pRun);
    }
    ~CTree()
    {
        if (pBlock != NULL)
            pBlock->Release();
        pContext->Release();
    }
    template <class E>
    E* Make(const wchar_t* tag)
    {
        E* p = static_cast<E*>(pContext->CreateMarkupObject(E::GetClassType()));
        p->SetTagText(tag);
        return p;
    }
};

MarkupRoutedEventArgs Args(CZPMarkupRoutedEvent* pEvent, CZPMarkupInputElement* pSource)
{
    MarkupRoutedEventArgs args = {};
    args.pEvent = pEvent;
    args.pSource = pSource;
    return args;
}

TEST_F(InputElements, BubbleUpTheAncestorsThenToTheContext)
{
    CTree tree;
    CRouteLog log;
    CZPMarkupRoutedEvent* pClick = CFixtureButton::m_pClickEvent;
    tree.pRun->AddHandler(pClick, new CLogDelegate(&log, L"run"));
    tree.pLink->AddHandler(pClick, new CLogDelegate(&log, L"link1"));
    tree.pLink->AddHandler(pClick, new CLogDelegate(&log, L"link2"));
    tree.pBlock->AddHandler(pClick, new CLogDelegate(&log, L"block"));
    tree.pContext->AddEventHandler(pClick, new CLogDelegate(&log, L"context"));

    MarkupRoutedEventArgs args = Args(pClick, tree.pRun);
    tree.pRun->RaiseEvent(&args);
    EXPECT_EQ((std::vector<std::wstring>{L"run:run", L"link1:link", L"link2:link", L"block:block", L"context:run"}),
              log.calls);
    EXPECT_FALSE(args.bHandled);
}

TEST_F(InputElements, StopAfterTheListThatHandled)
{
    CTree tree;
    CRouteLog log;
    CZPMarkupRoutedEvent* pClick = CFixtureButton::m_pClickEvent;
    tree.pRun->AddHandler(pClick, new CLogDelegate(&log, L"run"));
    tree.pLink->AddHandler(pClick,
                           new CLogDelegate(&log, L"link1", [](MarkupRoutedEventArgs* p) { p->bHandled = TRUE; }));
    tree.pLink->AddHandler(pClick, new CLogDelegate(&log, L"link2"));
    tree.pBlock->AddHandler(pClick, new CLogDelegate(&log, L"block"));
    tree.pContext->AddEventHandler(pClick, new CLogDelegate(&log, L"context"));

    MarkupRoutedEventArgs args = Args(pClick, tree.pRun);
    tree.pRun->RaiseEvent(&args);
    EXPECT_EQ((std::vector<std::wstring>{L"run:run", L"link1:link", L"link2:link"}), log.calls);
    EXPECT_TRUE(args.bHandled);
}

TEST_F(InputElements, DeliverDirectEventsToTheElementsOwnListOnly)
{
    CTree tree;
    CRouteLog log;
    CZPMarkupRoutedEvent* pEnter = CZPMarkupInputElement::m_pMouseEnterEvent;
    tree.pLink->AddHandler(pEnter, new CLogDelegate(&log, L"link"));
    tree.pContext->AddEventHandler(pEnter, new CLogDelegate(&log, L"context"));

    MarkupRoutedEventArgs args = Args(pEnter, tree.pRun);
    tree.pRun->RaiseEvent(&args); // no handlers of its own: nobody
    EXPECT_TRUE(log.calls.empty());
    args = Args(pEnter, tree.pLink);
    tree.pLink->RaiseEvent(&args);
    EXPECT_EQ((std::vector<std::wstring>{L"link:link"}), log.calls);

    MarkupRoutedEventArgs none = Args(NULL, tree.pLink);
    tree.pLink->RaiseEvent(&none);
    tree.pLink->RaiseEvent(NULL);
    EXPECT_EQ(1u, log.calls.size());
}

TEST_F(InputElements, SurviveAHandlerThatReleasesTheTree)
{
    CTree tree;
    CRouteLog log;
    CZPMarkupRoutedEvent* pClick = CFixtureButton::m_pClickEvent;
    CFixtureText* pBlock = tree.pBlock;
    tree.pRun->AddHandler(pClick, new CLogDelegate(&log, L"run", [&](MarkupRoutedEventArgs*) {
                              pBlock->Release(); // the host lets go of its page
                              tree.pBlock = NULL;
                          }));
    tree.pRun->AddHandler(pClick, new CLogDelegate(&log, L"run2"));
    tree.pLink->AddHandler(pClick, new CLogDelegate(&log, L"link"));
    tree.pBlock->AddHandler(pClick, new CLogDelegate(&log, L"block"));
    tree.pContext->AddEventHandler(pClick, new CLogDelegate(&log, L"context"));

    MarkupRoutedEventArgs args = Args(pClick, tree.pRun);
    tree.pRun->RaiseEvent(&args);
    EXPECT_EQ((std::vector<std::wstring>{L"run:run", L"run2:run", L"link:link", L"block:block", L"context:run"}),
              log.calls);
    // Every element is gone and has given its count back to the context.
    EXPECT_EQ(1, tree.pContext->GetRefCount());
}

TEST_F(InputElements, CountOnTheirContextWhileTheyLive)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CZPMarkupObject* pElement = pContext->CreateMarkupObject(CFixtureRun::GetClassType());
    CZPMarkupObject* pValue = pContext->CreateMarkupObject(CZPMarkupInt::GetClassType());
    EXPECT_EQ(2, pContext->GetRefCount());
    EXPECT_EQ(pContext, static_cast<CZPMarkupInputElement*>(pElement)->GetMarkupContext());
    EXPECT_EQ(NULL, pContext->CreateMarkupObject(NULL));
    EXPECT_EQ(NULL, pContext->CreateMarkupObject(CZPMarkupType::GetClassType()));
    pValue->Release();
    // The creator's release leaves the context to its element, which ends it.
    EXPECT_EQ(1, pContext->Release());
    pElement->Release();
}

// Two bases, the handler a virtual member of the second: the member pointer carries the adjustment.
struct CHostBase
{
    virtual ~CHostBase() = default;
    int m_nPadding[3] = {1, 2, 3};
};

struct CHandlerBase
{
    virtual ~CHandlerBase() = default;
    virtual void OnClick(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs)
    {
        m_pSeen = this;
        m_pSender = pSender;
        (void)pArgs;
        m_nBaseCalls++;
    }
    CHandlerBase* m_pSeen = NULL;
    CZPMarkupObject* m_pSender = NULL;
    int m_nBaseCalls = 0;
};

struct CHost : CHostBase, CHandlerBase
{
    void OnClick(CZPMarkupObject* pSender, MarkupRoutedEventArgs* pArgs) override
    {
        m_pHost = this;
        m_pSeen = this;
        m_pSender = pSender;
        pArgs->bHandled = TRUE;
    }
    CHost* m_pHost = NULL;
};

TEST_F(InputElements, CallAVirtualMemberOfATwoBaseHost)
{
    CTree tree;
    CHost host;
    ASSERT_NE(static_cast<void*>(&host), static_cast<void*>(static_cast<CHandlerBase*>(&host)));
    tree.pContext->AddEventHandler(CFixtureButton::m_pClickEvent,
                                   NewMarkupClassDelegate<CHost>(&host, &CHandlerBase::OnClick));
    MarkupRoutedEventArgs args = Args(CFixtureButton::m_pClickEvent, tree.pLink);
    tree.pLink->RaiseEvent(&args);
    EXPECT_EQ(&host, host.m_pHost);
    EXPECT_EQ(static_cast<CHandlerBase*>(&host), host.m_pSeen);
    EXPECT_EQ(tree.pLink, host.m_pSender);
    EXPECT_EQ(0, host.m_nBaseCalls);
    EXPECT_TRUE(args.bHandled);
}

TEST_F(InputElements, BindEventAttributesToNamedDelegates)
{
    CTree tree;
    CRouteLog log;
    auto attributeError = [](CZPMarkupInputElement* pElement, const wchar_t* name) {
        CZPMarkupString* pName = new CZPMarkupString(name);
        const std::wstring message =
            BuilderError([&] { pElement->SetPropertyObject(NULL, CFixtureButton::m_pClickEvent, pName); });
        pName->Release(); // an error leaves the value with the caller
        return message;
    };
    EXPECT_EQ(L"'OnGo' delegate not found", attributeError(tree.pLink, L"OnGo"));
    CRef<CFixtureSpan> pLoose(new CFixtureSpan);
    EXPECT_EQ(L"Markup Context is NULL", attributeError(pLoose, L"OnGo"));

    tree.pContext->SetDelegate(L"OnGo", new CLogDelegate(&log, L"go"));
    tree.pLink->SetPropertyObject(NULL, CFixtureButton::m_pClickEvent, new CZPMarkupString(L"OnGo"));
    EXPECT_EQ(L"'ongo' delegate not found", attributeError(tree.pLink, L"ongo"));
    MarkupRoutedEventArgs args = Args(CFixtureButton::m_pClickEvent, tree.pRun);
    tree.pRun->RaiseEvent(&args);
    EXPECT_EQ((std::vector<std::wstring>{L"go:link"}), log.calls);
}

TEST_F(InputElements, ChooseTheCursorOfTheirCursorProperty)
{
    struct
    {
        int nCursor; // -1: no value
        BOOL bHandled;
        HCURSOR hCursor;
    } cases[] = {
        {32649, TRUE, ::LoadCursorW(NULL, MAKEINTRESOURCEW(32649))},
        {32512, TRUE, ::LoadCursorW(NULL, MAKEINTRESOURCEW(32512))},
        {0x10000 + 32513, TRUE, ::LoadCursorW(NULL, MAKEINTRESOURCEW(32513))}, // the low 16 bits
        {0, TRUE, NULL},       // "None": no pointer, by choice
        {12345, FALSE, NULL},  // loads nothing: left to the elements further out
        {-1, FALSE, NULL},
    };
    for (const auto& c : cases)
    {
        CRef<CFixtureRun> pRun(new CFixtureRun);
        if (c.nCursor >= 0)
            pRun->SetValue(CZPMarkupInputElement::m_pCursorProperty, new CZPMarkupInt(c.nCursor));
        MarkupQueryCursorEventArgs args = {};
        pRun->OnQueryCursor(&args);
        EXPECT_EQ(c.bHandled, args.bHandled) << c.nCursor;
        EXPECT_EQ(c.hCursor, args.hCursor) << c.nCursor;
    }
    EXPECT_TRUE(::LoadCursorW(NULL, MAKEINTRESOURCEW(32649)) != NULL);
}

TEST_F(InputElements, FollowTheMouseInIsMouseOver)
{
    CRef<CFixtureRun> pRun(new CFixtureRun);
    CZPMarkupDependencyProperty* pOver = CZPMarkupInputElement::m_pIsMouseOverProperty;
    auto isOver = [&] { return static_cast<CZPMarkupBool*>(pRun->GetValue(pOver))->m_bValue; };
    MarkupMouseEventArgs args = {};
    EXPECT_FALSE(isOver());
    pRun->OnMouseEnter(&args);
    EXPECT_TRUE(isOver());
    EXPECT_EQ(1u, g_changes.size());
    pRun->OnMouseLeave(&args);
    EXPECT_FALSE(isOver());
    EXPECT_EQ(NULL, pRun->GetLocalValue(pOver));
    EXPECT_EQ(NULL, pRun->InputHitTest(0, 0));
    pRun->Focus(); // without a context: nothing
}
}
