// XML back end of the property exchange, on the DOM document of the system parser.
#include "common/ZPPropExchangeXMLNode.h"

#include <framework/oledata.h>

IMPLEMENT_DYNAMIC(CZPPropExchangeXMLNode, CZPPropExchange)

namespace {

// The version-independent DOM document: its selection language numbers "[n]" from 0.
const CLSID kXmlDocumentClassId = { 0x2933BF90, 0x7B36, 0x11D2, { 0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60 } };
const DWORD kXmlDocumentContexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// A system string for the length of a call.
class CBstrArg
{
public:
    explicit CBstrArg(LPCWSTR psz) : m_bstr(SysAllocString(psz))
    {
        if (m_bstr == NULL && psz != NULL)
            AfxThrowMemoryException();
    }
    ~CBstrArg() { SysFreeString(m_bstr); }
    CBstrArg(const CBstrArg&) = delete;
    CBstrArg& operator=(const CBstrArg&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;   // owned
};

IXMLDOMDocument* CreateXmlDocument()
{
    CRefPtr<IUnknown> unknown;
    if (FAILED(CoCreateInstance(kXmlDocumentClassId, NULL, kXmlDocumentContexts, IID_IUnknown,
                                reinterpret_cast<void**>(unknown.Receive()))) ||
        unknown.Get() == NULL)
        return NULL;
    if (FAILED(OleRun(unknown.Get())))
        return NULL;
    IXMLDOMDocument* pDocument = NULL;
    if (FAILED(unknown->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(&pDocument))))
        return NULL;
    return pDocument;
}

// The first node matching a selection pattern under pContext (one reference), or NULL.
IXMLDOMNode* SelectNode(IXMLDOMNode* pContext, LPCWSTR pszPattern)
{
    IXMLDOMNode* pNode = NULL;
    if (pContext == NULL || pContext->selectSingleNode(CBstrArg(pszPattern), &pNode) != S_OK)
        return NULL;
    return pNode;
}

// TRUE when pNode is a document that already has its one root element.
BOOL HasDocumentElement(IXMLDOMNode* pNode)
{
    CRefPtr<IXMLDOMDocument> document;
    if (FAILED(pNode->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(document.Receive()))) ||
        document.Get() == NULL)
        return FALSE;
    CRefPtr<IXMLDOMElement> root;
    return SUCCEEDED(document->get_documentElement(root.Receive())) && root.Get() != NULL;
}

// A new element appended to pParent (one reference), or NULL.
IXMLDOMNode* AppendElement(IXMLDOMDocument* pDocument, IXMLDOMNode* pParent, LPCWSTR pszName)
{
    CRefPtr<IXMLDOMElement> element;
    // Some parsers accept a second root element; a document has one.
    if (pDocument == NULL || pParent == NULL || HasDocumentElement(pParent) ||
        FAILED(pDocument->createElement(CBstrArg(pszName), element.Receive())) || element.Get() == NULL)
        return NULL;
    IXMLDOMNode* pAppended = NULL;
    if (FAILED(pParent->appendChild(element.Get(), &pAppended)))
        return NULL;
    return pAppended;
}

BOOL GetNodeText(IXMLDOMNode* pNode, CString& strText)
{
    BSTR bstrText = NULL;
    if (FAILED(pNode->get_text(&bstrText)))
        return FALSE;
    strText = bstrText != NULL ? bstrText : L"";
    SysFreeString(bstrText);
    return TRUE;
}

BOOL IsFolderOrMissing(LPCWSTR pszPath)
{
    DWORD dwAttributes = GetFileAttributesW(pszPath);
    return dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

BOOL ZpIsXmlParserAvailable()
{
    IXMLDOMDocument* pDocument = CreateXmlDocument();
    if (pDocument == NULL)
        return FALSE;
    pDocument->Release();
    return TRUE;
}

CZPPropExchangeXMLNode::CZPPropExchangeXMLNode(BOOL bLoading, IXMLDOMNode* pParentNode, LPCWSTR pszSection)
    : m_pDocument(NULL), m_pParentNode(pParentNode), m_pNode(NULL), m_strSectionName(pszSection),
      m_bCompactMode(TRUE)
{
    m_bLoading = bLoading;
    if (m_pParentNode == NULL)
        return;
    m_pParentNode->AddRef();
    if (FAILED(m_pParentNode->get_ownerDocument(&m_pDocument)) || m_pDocument == NULL) {
        m_pDocument = NULL;
        m_pParentNode->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(&m_pDocument));
    }
}

CZPPropExchangeXMLNode::~CZPPropExchangeXMLNode()
{
    SetNode(NULL);
    if (m_pParentNode != NULL)
        m_pParentNode->Release();
    if (m_pDocument != NULL)
        m_pDocument->Release();
}

void CZPPropExchangeXMLNode::SetNode(IXMLDOMNode* pNode)
{
    if (pNode != NULL)
        pNode->AddRef();
    if (m_pNode != NULL)
        m_pNode->Release();
    m_pNode = pNode;
}

BOOL CZPPropExchangeXMLNode::LoadFromFile(LPCWSTR pszFileName)
{
    if (pszFileName == NULL || IsFolderOrMissing(pszFileName))
        return FALSE;
    if (m_pDocument == NULL) {
        m_pDocument = CreateXmlDocument();
        if (m_pDocument == NULL)
            return FALSE;
    }
    // A synchronous load of the file alone: no external entities are fetched.
    m_pDocument->put_async(VARIANT_FALSE);
    m_pDocument->put_resolveExternals(VARIANT_FALSE);
    m_pDocument->put_preserveWhiteSpace(VARIANT_TRUE);
    VARIANT_BOOL bSuccess = VARIANT_FALSE;
    if (m_pDocument->load(COleVariant(pszFileName), &bSuccess) != S_OK || bSuccess != VARIANT_TRUE)
        return FALSE;

    if (m_pParentNode != NULL)
        m_pParentNode->Release();
    m_pParentNode = m_pDocument;
    m_pParentNode->AddRef();
    SetNode(NULL);
    m_bInitialized = FALSE;
    return TRUE;
}

BOOL CZPPropExchangeXMLNode::SaveToFile(LPCWSTR pszFileName)
{
    return pszFileName != NULL && m_pDocument != NULL && SUCCEEDED(m_pDocument->save(COleVariant(pszFileName)));
}

BOOL CZPPropExchangeXMLNode::OpenForExchange()
{
    if (!m_bInitialized) {
        m_bInitialized = TRUE;
        if (m_pDocument == NULL && IsRootSection()) {
            m_pDocument = CreateXmlDocument();
            if (m_pDocument != NULL) {
                m_pDocument->put_preserveWhiteSpace(VARIANT_TRUE);
                m_pParentNode = m_pDocument;
                m_pParentNode->AddRef();
            }
        }
        if (m_pDocument == NULL || m_pParentNode == NULL)
            return FALSE;

        CRefPtr<IXMLDOMNode> node = CRefPtr<IXMLDOMNode>::Adopt(SelectNode(m_pParentNode, m_strSectionName));
        if (node.Get() == NULL)
            node.Attach(AppendElement(m_pDocument, m_pParentNode, m_strSectionName));
        SetNode(node.Get());
        if (m_pNode != NULL && IsRootSection())
            PropExchangeBool(this, L"CompactMode", &m_bCompactMode, FALSE);
    }
    return m_pDocument != NULL && m_pParentNode != NULL && m_pNode != NULL;
}

BOOL CZPPropExchangeXMLNode::IsSectionExists(LPCWSTR pszSection)
{
    if (!OpenForExchange())
        return FALSE;
    CRefPtr<IXMLDOMNode> node = CRefPtr<IXMLDOMNode>::Adopt(SelectNode(m_pNode, pszSection));
    return node.Get() != NULL;
}

BOOL CZPPropExchangeXMLNode::IsPropertyExists(LPCWSTR pszPropName)
{
    if (!OpenForExchange())
        return FALSE;
    CRefPtr<IXMLDOMNode> property = CRefPtr<IXMLDOMNode>::Adopt(FindOrCreateProperty(pszPropName, FALSE));
    return property.Get() != NULL;
}

CZPPropExchange* CZPPropExchangeXMLNode::GetSection(LPCWSTR pszSection)
{
    OpenForExchange();
    CZPPropExchangeXMLNode* pSection = new CZPPropExchangeXMLNode(m_bLoading, m_pNode, pszSection);
    pSection->m_bCompactMode = m_bCompactMode;
    InheritPropertyExchange(pSection);
    return pSection;
}

void CZPPropExchangeXMLNode::EmptySection()
{
    CZPPropExchange::EmptySection();
    if (!OpenForExchange())
        return;
    CRefPtr<IXMLDOMNode> removed;
    m_pParentNode->removeChild(m_pNode, removed.Receive());
    SetNode(NULL);
    m_bInitialized = FALSE;
}

BOOL CZPPropExchangeXMLNode::CanSkipDefaults() const
{
    return TRUE;
}

BOOL CZPPropExchangeXMLNode::SupportsBinary() const
{
    return FALSE;
}

IXMLDOMNode* CZPPropExchangeXMLNode::FindOrCreateProperty(LPCWSTR pszPropName, BOOL bCreate)
{
    if (pszPropName == NULL || *pszPropName == 0) {
        m_pNode->AddRef();
        return m_pNode;
    }

    if (!m_bCompactMode) {
        IXMLDOMNode* pProperty = SelectNode(m_pNode, pszPropName);
        if (pProperty == NULL && bCreate)
            pProperty = AppendElement(m_pDocument, m_pNode, pszPropName);
        return pProperty;
    }

    CRefPtr<IXMLDOMNamedNodeMap> attributes;
    if (FAILED(m_pNode->get_attributes(attributes.Receive())) || attributes.Get() == NULL)
        return NULL;
    IXMLDOMNode* pAttribute = NULL;
    CBstrArg bstrName(pszPropName);
    if (attributes->getNamedItem(bstrName, &pAttribute) == S_OK && pAttribute != NULL)
        return pAttribute;
    if (!bCreate)
        return NULL;
    CRefPtr<IXMLDOMAttribute> attribute;
    if (FAILED(m_pDocument->createAttribute(bstrName, attribute.Receive())) || attribute.Get() == NULL)
        return NULL;
    CRefPtr<IXMLDOMNode> replaced;
    if (FAILED(attributes->setNamedItem(attribute.Get(), replaced.Receive())))
        return NULL;
    attribute->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&pAttribute));
    return pAttribute;
}

BOOL CZPPropExchangeXMLNode::ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    return m_bLoading ? LoadValue(pszPropName, vtProp, pvProp, m_bUseDefaultOnLoad ? pvDefault : NULL)
                      : StoreValue(pszPropName, vtProp, pvProp, m_bUseDefaultOnSave ? pvDefault : NULL);
}

BOOL CZPPropExchangeXMLNode::StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp, const void* pvDefault)
{
    if (ZpPropExchangeIsDefault(vtProp, pvProp, pvDefault))
        return TRUE;
    if (!OpenForExchange())
        return FALSE;

    CString strText;
    if (vtProp == VT_BSTR) {
        // Escaped like every other string, so that the load's unescaping gives back what was stored.
        BSTR bstrValue = *static_cast<const BSTR*>(pvProp);
        strText = bstrValue != NULL ? bstrValue : L"";
        ZpPropExchangeEscapeText(strText);
    } else if (!ZpPropExchangeValueToText(vtProp, pvProp, strText)) {
        return FALSE;
    }

    CRefPtr<IXMLDOMNode> property = CRefPtr<IXMLDOMNode>::Adopt(FindOrCreateProperty(pszPropName, TRUE));
    return property.Get() != NULL && SUCCEEDED(property->put_text(CBstrArg(strText)));
}

BOOL CZPPropExchangeXMLNode::LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (!OpenForExchange())
        return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);
    CRefPtr<IXMLDOMNode> property = CRefPtr<IXMLDOMNode>::Adopt(FindOrCreateProperty(pszPropName, FALSE));
    CString strText;
    if (property.Get() == NULL || !GetNodeText(property.Get(), strText))
        return ZpPropExchangeCopyDefault(vtProp, pvProp, pvDefault);

    if (vtProp == VT_BSTR) {
        ZpPropExchangeUnescapeText(strText);
        BSTR bstrValue = strText.AllocSysString();
        SysFreeString(*static_cast<BSTR*>(pvProp));
        *static_cast<BSTR*>(pvProp) = bstrValue;
        return TRUE;
    }
    return ZpPropExchangeTextToValue(vtProp, strText, pvProp, pvDefault);
}

CZPPropExchangeEnumerator* CZPPropExchangeXMLNode::GetEnumerator(LPCWSTR pszSection)
{
    if (m_bLoading && IsPropertyExists(L"Count"))
        return CZPPropExchange::GetEnumerator(pszSection);
    return new CXMLEnumerator(this, pszSection);
}

CZPPropExchangeXMLNode::CXMLEnumerator::CXMLEnumerator(CZPPropExchangeXMLNode* pContainer, LPCWSTR pszSection)
    : CZPPropExchangeEnumerator(pContainer, pszSection), m_pNode(NULL)
{
}

CZPPropExchangeXMLNode::CXMLEnumerator::~CXMLEnumerator()
{
    if (m_pNode != NULL)
        m_pNode->Release();
}

IXMLDOMNode* CZPPropExchangeXMLNode::CXMLEnumerator::SelectItem(UINT_PTR nIndex)
{
    CZPPropExchangeXMLNode* pContainer = static_cast<CZPPropExchangeXMLNode*>(m_pContainer);
    CString strPattern;
    strPattern.Format(L"%s[%i]", m_strSectionName.IsEmpty() ? L"*" : m_strSectionName.GetString(),
                      static_cast<int>(nIndex));
    return SelectNode(pContainer->m_pNode, strPattern);
}

POSITION CZPPropExchangeXMLNode::CXMLEnumerator::GetPosition(DWORD dwCount, BOOL /*bCompactMode*/)
{
    m_nCount = dwCount;
    if (m_pContainer == NULL)
        return NULL;
    // Storing: the caller stores its own items; an empty list stores none.
    if (m_pContainer->IsStoring())
        return dwCount != 0 ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1)) : NULL;
    if (!m_pContainer->OpenForExchange())
        return NULL;
    if (m_pNode != NULL)
        m_pNode->Release();
    m_pNode = SelectItem(0);
    return m_pNode != NULL ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1)) : NULL;
}

CZPPropExchange* CZPPropExchangeXMLNode::CXMLEnumerator::GetNext(POSITION& pos)
{
    // A position is the zero-based index of the item after the one returned.
    CZPPropExchangeXMLNode* pContainer = static_cast<CZPPropExchangeXMLNode*>(m_pContainer);
    UINT_PTR nNext = reinterpret_cast<UINT_PTR>(pos);
    CZPPropExchangeXMLNode* pSection =
        new CZPPropExchangeXMLNode(pContainer->m_bLoading, pContainer->m_pNode, m_strSectionName);
    pSection->m_bCompactMode = pContainer->m_bCompactMode;
    pContainer->InheritPropertyExchange(pSection);

    if (pContainer->m_bLoading) {
        pSection->SetNode(m_pNode);
        IXMLDOMNode* pNext = SelectItem(nNext);
        if (m_pNode != NULL)
            m_pNode->Release();
        m_pNode = pNext;
        pos = pNext != NULL ? reinterpret_cast<POSITION>(nNext + 1) : NULL;
    } else {
        CRefPtr<IXMLDOMNode> item =
            CRefPtr<IXMLDOMNode>::Adopt(AppendElement(pContainer->m_pDocument, pContainer->m_pNode, m_strSectionName));
        pSection->SetNode(item.Get());
        pos = nNext + 1 > m_nCount ? NULL : reinterpret_cast<POSITION>(nNext + 1);
    }
    pSection->m_bInitialized = TRUE;
    return pSection;
}
