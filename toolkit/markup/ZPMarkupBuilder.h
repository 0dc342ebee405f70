// The builder: turns the tokens of the markup parser into a tree of markup objects, resolves
// markup extensions and converts attribute values to property value types.
#pragma once

#include "markup/ZPMarkupObject.h"

#include <string>
#include <vector>

class CZPMarkupContext;
class CZPMarkupParser;

// Stands on the open-element list for a property element («Border.Background»).
class CZPMarkupObjectProperty : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupObjectProperty(CZPMarkupDependencyProperty* pProperty = NULL);
    ~CZPMarkupObjectProperty() override;
    void SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent) override;

    CZPMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    CZPMarkupObject* GetHeldValue() const { return m_pValue; }

private:
    CZPMarkupObject* m_pValue;                 // owned
    CZPMarkupObject* m_pTemporary;             // owned while a collection value is being filled
    CZPMarkupDependencyProperty* m_pProperty;  // borrowed
};

// Resource keys naming a system colour; one shared key per index and build, compared by identity.
class CZPMarkupColorKey : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupColorKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int m_nIndex;
};

class CZPMarkupBrushKey : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupBrushKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int m_nIndex;
};

class CZPMarkupBuilder
{
public:
    // Guards against input that would recurse without bound (release, style application and
    // change notification all walk the tree recursively).
    static constexpr int kMaxOpenElements = 256;
    static constexpr int kMaxExtensionDepth = 32;

    explicit CZPMarkupBuilder(CZPMarkupContext* pContext);
    virtual ~CZPMarkupBuilder();

    // The root with one reference for the caller, or NULL with the reason in GetErrorMessage.
    // Builder errors end here; any other exception releases the partial tree and passes on.
    CZPMarkupObject* Parse(CZPMarkupParser* pParser);

    CZPMarkupObject* ConvertValue(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue);
    // The object an attribute value in braces stands for (the text after the opening brace).
    CZPMarkupObject* ResolveMarkupExtension(LPCWSTR lpszText);

    CZPMarkupContext* GetContext() const { return m_pContext; }
    const CString& GetErrorMessage() const { return m_strError; }

private:
    CZPMarkupBuilder(const CZPMarkupBuilder&) = delete;
    CZPMarkupBuilder& operator=(const CZPMarkupBuilder&) = delete;

    enum
    {
        cacheColor,
        cacheBrush,
        cacheBrushKey,
        cacheColorKey,
        cacheKinds
    };
    static const int kSystemColors = 31;

    void HandleToken(CZPMarkupParser* pParser, int nToken);
    void OnStartTag(LPCWSTR lpszTag);
    void OnAttribute(LPCWSTR lpszName, LPCWSTR lpszValue);
    void OnEndTag(LPCWSTR lpszTag);
    void OnWord(LPCWSTR lpszWord, int nLength);
    void DeliverText(CZPMarkupObject* pTarget, LPCWSTR lpszText, size_t nLength);
    void ReleaseAll();

    CZPMarkupObject* ResolveStaticMember(const std::wstring& strMember);
    CZPMarkupObject* ResolveResource(LPCWSTR lpszArgument);
    CZPMarkupObject* GetSystemObject(int nKind, int nIndex);

    CString m_strError;
    CZPMarkupContext* m_pContext;                         // borrowed
    CZPMarkupObject* m_cache[cacheKinds][kSystemColors];  // owned, made on first request
    std::vector<CZPMarkupObject*> m_open;                 // one reference each, innermost last

    // The state of one build; every object here holds one reference.
    CZPMarkupObject* m_pRoot;
    CZPMarkupObject* m_pPopped;  // popped and not yet handed to its parent
    CZPMarkupObject* m_pValue;   // a value on its way to its receiver
    std::wstring m_text;         // grows by doubling
    BOOL m_bPendingSpace;
    int m_nExtensionDepth;
};

// Children before parents, each input element applying its style and triggers.
void ZpMarkupApplyStylesToTree(CZPMarkupObject* pObject);
