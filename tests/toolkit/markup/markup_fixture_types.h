// A small type tree standing in for the element classes of the engine's later layers, with a
// record of every property-change notification, and the live-object check every test ends with.
#pragma once

#include "markup/ZPMarkupCollection.h"
#include "markup/ZPMarkupInputElement.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct CChangeRecord
{
    CZPMarkupObject* pObject;
    CZPMarkupDependencyProperty* pProperty;
    CZPMarkupObject* pOldValue;
    CZPMarkupObject* pNewValue;
    long nOldRefCount;  // read during the notification; -1 without an old value
    double dOld;        // an old CZPMarkupDouble's value, read during the notification
};

// Every notification of the fixture types, in order.
extern std::vector<CChangeRecord> g_changes;

// Element with children: its "Children" property holds a collection, so a child's logical
// chain runs child, collection, panel. "Tag" has no metadata.
class CFixturePanel : public CZPMarkupInputElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    int GetLogicalChildrenCount() const override;
    CZPMarkupObject* GetLogicalChild(int nIndex) const override;
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    // Appends a child (the reference passes over), creating the collection on first use.
    void AddChild(CZPMarkupObject* pChild);
    CZPMarkupCollection* GetChildren() const;

    static CZPMarkupDependencyProperty* m_pChildrenProperty;
    static CZPMarkupDependencyProperty* m_pTagProperty;
    static void RegisterProperties();
};

// Owner of the inheriting "Foreground" (a colour, default black) and a plain "Opacity" (a double).
class CFixtureText : public CFixturePanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    static CZPMarkupDependencyProperty* m_pForegroundProperty;
    static CZPMarkupDependencyProperty* m_pOpacityProperty;
    static void RegisterProperties();
};

class CFixtureSpan : public CFixtureText
{
    ZP_DECLARE_MARKUPTYPE()
public:
    static void RegisterProperties();  // accepts the button's "Click" as its own
};

class CFixtureBold : public CFixtureSpan
{
    ZP_DECLARE_MARKUPTYPE()
};

class CFixtureRun : public CFixtureText
{
    ZP_DECLARE_MARKUPTYPE()
};

// Owner of the bubbling "Click" event.
class CFixtureButton : public CFixturePanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    static CZPMarkupRoutedEvent* m_pClickEvent;
    static void RegisterProperties();
};

// Owner of the attached "Row".
class CFixtureGrid : public CFixturePanel
{
    ZP_DECLARE_MARKUPTYPE()
public:
    static CZPMarkupDependencyProperty* m_pRowProperty;
    static void RegisterProperties();
};

// The message of the builder error the action raises, or "(no error)".
std::wstring BuilderError(const std::function<void()>& action);

// Fails the test when markup objects were created and not released.
class CMarkupLeakCheck : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    long m_nLiveObjects = 0;
};

// A fresh context for each test, made after a throwaway one ran WarmUp, so that what the process
// makes once (type records, shared values) is not counted as left alive.
class CMarkupContextTest : public CMarkupLeakCheck
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Uses m_pContext once; the default parses a text block.
    virtual void WarmUp();
    CZPMarkupContext* m_pContext = NULL;
};

// A markup object whose reference the test adopts and releases at scope end; it passes on as the
// raw pointer the engine's calls take.
template <class T> struct CRef : CRefPtr<T>
{
    explicit CRef(T* pObject) : CRefPtr<T>(CRefPtr<T>::Adopt(pObject)) {}
    operator T*() const { return this->Get(); }
};
