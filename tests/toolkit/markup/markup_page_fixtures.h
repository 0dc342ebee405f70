// Element types for pages built from text: a box that logs the content it receives, a text
// element that keeps white space between children, a plain input element that is no UI
// element, and an element whose values run out of memory.
#pragma once

#include "markup_fixture_types.h"

#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupVisual.h"

#include <string>
#include <vector>

// "Box": logs each content it receives («"text"» for strings, «<Tag>» for objects) and keeps
// the objects as its logical children.
class CPageBox : public CZPMarkupUIElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    ~CPageBox() override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return !m_log.empty(); }
    int GetLogicalChildrenCount() const override { return static_cast<int>(m_children.size()); }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override { return m_children[static_cast<size_t>(nIndex)]; }

    std::wstring Log() const; // the log entries joined with "|"
    // Re-evaluates triggers as the engine's elements do, and records the change.
    void OnPropertyChanged(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pOldValue,
                           CZPMarkupObject* pNewValue) override;

    std::vector<std::wstring> m_log;
    std::vector<CZPMarkupObject*> m_children; // one reference each

    static CZPMarkupDependencyProperty* m_pBackgroundProperty; // a colour
    static CZPMarkupDependencyProperty* m_pTagProperty;        // any object
    static CZPMarkupDependencyProperty* m_pItemsProperty;      // a collection
    static CZPMarkupDependencyProperty* m_pRowProperty;        // attached integer
    static CZPMarkupDependencyProperty* m_pForegroundProperty; // inheriting colour, black
    static void RegisterProperties();
};

// "Text" and "Bold": white space between children is content.
class CPageText : public CPageBox
{
    ZP_DECLARE_MARKUPTYPE()
public:
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
};

class CPageStrong : public CPageText
{
    ZP_DECLARE_MARKUPTYPE()
};

// "Item": an input element that is no UI element and takes no content.
class CPageItem : public CZPMarkupInputElement
{
    ZP_DECLARE_MARKUPTYPE()
};

// "Hungry": runs out of memory when it receives content.
class CPageHungry : public CPageBox
{
    ZP_DECLARE_MARKUPTYPE()
public:
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;
};

// The outcome of building one page with a context of its own.
struct CBuilt
{
    bool bRoot = false;
    std::wstring error;
    long nContextCount = 0; // the context's count after the root was released
};

// Builds the page, keeps the root and the error, then releases the root and reads the
// context's count before releasing the context.
void BuildPage(const std::wstring& page, CBuilt& built, const std::function<void(CZPMarkupObject*)>& inspect = nullptr);
