// Property exchange over an XML document of the system parser: a section is an element, a value
// an attribute of it (compact mode) or a child element whose text is the value.
#pragma once

#include "common/ZPPropExchange.h"

#include <msxml2.h>

class CZPPropExchangeXMLNode : public CZPPropExchange
{
    DECLARE_DYNAMIC(CZPPropExchangeXMLNode)
public:
    // With a parent node the section lives under it (in its owner document); without one a root
    // exchange makes its own document on first use. The caller must have initialised COM.
    CZPPropExchangeXMLNode(BOOL bLoading, IXMLDOMNode* pParentNode, LPCWSTR pszSection);
    ~CZPPropExchangeXMLNode() override;

    // Makes the document the file's; the root element is looked up again on the next value.
    BOOL LoadFromFile(LPCWSTR pszFileName);
    // Writes the whole document out.
    BOOL SaveToFile(LPCWSTR pszFileName);

    // TRUE when an element of this section matches the selection pattern.
    BOOL IsSectionExists(LPCWSTR pszSection);
    // TRUE when the value is present as an attribute or child element.
    BOOL IsPropertyExists(LPCWSTR pszPropName);
    void SetCompactMode(BOOL bCompactMode) { m_bCompactMode = bCompactMode; }
    BOOL IsCompactMode() const { return m_bCompactMode; }

    BOOL ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    CZPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    BOOL CanSkipDefaults() const override;
    BOOL SupportsBinary() const override;
    BOOL OpenForExchange() override;
    CZPPropExchangeEnumerator* GetEnumerator(LPCWSTR pszSection) override;

    // Repeated child elements of one name, in document order.
    class CXMLEnumerator : public CZPPropExchangeEnumerator
    {
    public:
        CXMLEnumerator(CZPPropExchangeXMLNode* pContainer, LPCWSTR pszSection);
        ~CXMLEnumerator() override;

        POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE) override;
        CZPPropExchange* GetNext(POSITION& pos) override;

    protected:
        // The n-th matching child of the container's element (zero-based), or NULL.
        IXMLDOMNode* SelectItem(UINT_PTR nIndex);

        IXMLDOMNode* m_pNode;   // one reference; the item GetNext returns next
    };

protected:
    // The attribute or child element that holds a value (one reference), optionally created.
    IXMLDOMNode* FindOrCreateProperty(LPCWSTR pszPropName, BOOL bCreate);
    void SetNode(IXMLDOMNode* pNode);
    BOOL LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault);
    BOOL StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp, const void* pvDefault);

    IXMLDOMDocument* m_pDocument;   // one reference
    IXMLDOMNode* m_pParentNode;     // one reference
    IXMLDOMNode* m_pNode;           // one reference; NULL until the section is opened
    CString m_strSectionName;
    BOOL m_bCompactMode;
};

// TRUE when a document of the system XML parser can be created.
BOOL ZpIsXmlParserAvailable();
