// The markup builder: tokens to tree, markup extensions, property elements and text content.
#include "markup/ZPMarkupBuilder.h"

#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupStyle.h"
#include "markup/ZPMarkupValues.h"
#include "markup/ZPMarkupVisual.h"

#include <string.h>

namespace
{
const int kMaxErrorMessage = 512;

BOOL StartsWith(const std::wstring& str, LPCWSTR lpszPrefix)
{
    return str.compare(0, wcslen(lpszPrefix), lpszPrefix) == 0;
}

[[noreturn]] void ThrowTagError(LPCWSTR lpszTag)
{
    ZpMarkupThrowBuilderError(ZpFormatString(L"The tag '%ls' does not exist in XML namespace", lpszTag));
}
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupObjectProperty, NULL, CZPMarkupObject, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupColorKey, NULL, CZPMarkupObject, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupBrushKey, NULL, CZPMarkupObject, NULL)

// ---------------------------------------------------------------------------------------------
// CZPMarkupObjectProperty

CZPMarkupObjectProperty::CZPMarkupObjectProperty(CZPMarkupDependencyProperty* pProperty)
    : m_pValue(NULL), m_pTemporary(NULL), m_pProperty(pProperty)
{
}

CZPMarkupObjectProperty::~CZPMarkupObjectProperty()
{
    if (m_pValue != NULL)
        m_pValue->Release();
    if (m_pTemporary != NULL)
        m_pTemporary->Release();
}

void CZPMarkupObjectProperty::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    if (pContent == NULL || m_pProperty == NULL)
        return;
    CZPMarkupType* pValueType = m_pProperty->GetValueType();
    if (pContent->IsKindOfType(pValueType) || ZpMarkupCast<CZPMarkupString>(pContent) != NULL)
    {
        if (m_pValue != NULL)
            m_pValue->Release();
        m_pValue = pContent;
        return;
    }
    if (m_pValue != NULL)
    {
        m_pValue->SetContentObject(pBuilder, pContent);
        return;
    }
    // A collection value is made by its first item and filled by the following ones.
    m_pTemporary = pBuilder->GetContext()->CreateMarkupObject(pValueType);
    if (m_pTemporary == NULL)
    {
        pContent->Release();
        return;
    }
    m_pTemporary->SetContentObject(pBuilder, pContent);
    m_pValue = m_pTemporary;
    m_pTemporary = NULL;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupBuilder

CZPMarkupBuilder::CZPMarkupBuilder(CZPMarkupContext* pContext)
    : m_pContext(pContext), m_pRoot(NULL), m_pPopped(NULL), m_pValue(NULL), m_bPendingSpace(FALSE),
      m_nExtensionDepth(0)
{
    memset(m_cache, 0, sizeof(m_cache));
}

CZPMarkupBuilder::~CZPMarkupBuilder()
{
    ReleaseAll();
    for (auto& kind : m_cache)
    {
        for (CZPMarkupObject*& pEntry : kind)
        {
            if (pEntry != NULL)
                pEntry->Release();
            pEntry = NULL;
        }
    }
}

void CZPMarkupBuilder::ReleaseAll()
{
    CZPMarkupObject* pObjects[] = {m_pValue, m_pPopped, m_pRoot};
    m_pValue = m_pPopped = m_pRoot = NULL;
    for (CZPMarkupObject* pObject : pObjects)
    {
        if (pObject != NULL)
            pObject->Release();
    }
    while (!m_open.empty())
    {
        CZPMarkupObject* pObject = m_open.back();
        m_open.pop_back();
        pObject->Release();
    }
    m_text.clear();
    m_bPendingSpace = FALSE;
    m_nExtensionDepth = 0;
}

CZPMarkupObject* CZPMarkupBuilder::Parse(CZPMarkupParser* pParser)
{
    m_strError.Empty();
    ReleaseAll();
    if (pParser == NULL || !pParser->FindFirstTag())
    {
        m_strError = L"Data at the root level is invalid";
        return NULL;
    }
    try
    {
        for (;;)
        {
            const int nToken = pParser->GetNextToken();
            if (nToken == CZPMarkupParser::tokenEnd)
            {
                if (!m_open.empty())
                    ZpMarkupThrowBuilderError(ZpFormatString(
                        L"Unexpected end of file has occurred. The following elements are not closed: '%ls'",
                        m_open.back()->GetTagText()));
                if (m_pRoot == NULL)
                    ZpMarkupThrowBuilderError(L"Root element is missing");
                break;
            }
            HandleToken(pParser, nToken);
        }
    }
    catch (CZPMarkupBuilderException* pException)
    {
        WCHAR szMessage[kMaxErrorMessage];
        szMessage[0] = 0;
        pException->GetErrorMessage(szMessage, kMaxErrorMessage);
        pException->Delete();
        m_strError = ZpFormatString3(L"%s. Line %i, position %i", szMessage, pParser->GetLine() + 1,
                                     pParser->GetPosition() + 1);
        ReleaseAll();
        return NULL;
    }
    catch (...)
    {
        // Memory exhaustion and framework errors pass on, but the partial tree does not leak.
        ReleaseAll();
        throw;
    }

    CZPMarkupObject* pRoot = m_pRoot;
    m_pRoot = NULL;
    ReleaseAll();
    if (!pRoot->IsKindOfType(CZPMarkupUIElement::GetClassType()))
    {
        m_strError = L"Root element have to be 'CZPMarkupUIElement' type";
        pRoot->Release();
        return NULL;
    }
    try
    {
        ZpMarkupApplyStylesToTree(pRoot);
    }
    catch (...)
    {
        pRoot->Release();
        throw;
    }
    return pRoot;
}

void CZPMarkupBuilder::HandleToken(CZPMarkupParser* pParser, int nToken)
{
    switch (nToken)
    {
    case CZPMarkupParser::tokenError:
        ZpMarkupThrowBuilderError(ZpFormatString(L"%ls", pParser->GetValue()));
    case CZPMarkupParser::tokenStartTag:
        OnStartTag(pParser->GetTagName());
        break;
    case CZPMarkupParser::tokenAttribute:
        OnAttribute(pParser->GetAttributeName(), pParser->GetValue());
        break;
    case CZPMarkupParser::tokenWord:
        OnWord(pParser->GetValue(), pParser->GetValueLength());
        break;
    case CZPMarkupParser::tokenSpace:
        m_bPendingSpace = TRUE;
        break;
    case CZPMarkupParser::tokenEndTag:
        OnEndTag(pParser->GetTagName());
        break;
    default: // comments, CDATA sections and processing instructions add nothing
        break;
    }
}

void CZPMarkupBuilder::DeliverText(CZPMarkupObject* pTarget, LPCWSTR lpszText, size_t nLength)
{
    m_pValue = CZPMarkupString::CreateValue(lpszText, static_cast<int>(nLength));
    pTarget->SetContentObject(this, m_pValue);
    m_pValue = NULL;
}

void CZPMarkupBuilder::OnStartTag(LPCWSTR lpszTag)
{
    if (m_open.empty() && m_pRoot != NULL)
        ZpMarkupThrowBuilderError(L"There are multiple root elements");
    if (!m_open.empty())
    {
        CZPMarkupObject* pTop = m_open.back();
        if (!m_text.empty())
        {
            if (m_bPendingSpace)
                m_text += L' ';
            DeliverText(pTop, m_text.data(), m_text.size());
        }
        else if (m_bPendingSpace && pTop->HasContentObject() && pTop->AllowWhiteSpaceContent())
            DeliverText(pTop, L" ", 1);
    }
    m_text.clear();
    m_bPendingSpace = FALSE;

    if (m_open.size() >= static_cast<size_t>(kMaxOpenElements))
        ZpMarkupThrowBuilderError(
            ZpFormatString(L"Elements are nested more than %i levels deep", kMaxOpenElements));

    CZPMarkupObject* pObject = NULL;
    if (LPCWSTR lpszDot = wcschr(lpszTag, L'.'))
    {
        const std::wstring strOwner(lpszTag, lpszDot);
        CZPMarkupDependencyProperty* pProperty = ZpMarkupFindProperty(ZpMarkupLookupType(strOwner.c_str()), lpszDot + 1);
        if (pProperty == NULL || m_open.empty())
            ThrowTagError(lpszTag);
        pObject = new CZPMarkupObjectProperty(pProperty);
    }
    else
    {
        pObject = m_pContext->CreateMarkupObject(ZpMarkupLookupType(lpszTag));
        if (pObject == NULL)
            ThrowTagError(lpszTag);
    }
    m_open.push_back(pObject);
    pObject->SetTagText(lpszTag);
}

void CZPMarkupBuilder::OnAttribute(LPCWSTR lpszName, LPCWSTR lpszValue)
{
    if (m_open.empty())
        ZpMarkupThrowBuilderError(L"Unexpected error");
    if (wcsncmp(lpszName, L"xmlns", 5) == 0)
        return;
    CZPMarkupObject* pTarget = m_open.back();
    CZPMarkupDependencyProperty* pProperty = NULL;
    if (LPCWSTR lpszDot = wcschr(lpszName, L'.'))
    {
        const std::wstring strOwner(lpszName, lpszDot);
        pProperty = ZpMarkupFindProperty(ZpMarkupLookupType(strOwner.c_str()), lpszDot + 1);
    }
    else
        pProperty = ZpMarkupFindProperty(pTarget->GetType(), lpszName);
    if (pProperty == NULL)
        ZpMarkupThrowBuilderError(ZpFormatString(L"The property '%ls' does not exist in XML namespace", lpszName));

    if (lpszValue[0] == L'{' && lpszValue[1] == L'}')
        m_pValue = CZPMarkupString::CreateValue(lpszValue + 2);
    else if (lpszValue[0] == L'{')
        m_pValue = ResolveMarkupExtension(lpszValue + 1);
    else
        m_pValue = CZPMarkupString::CreateValue(lpszValue);
    CZPMarkupObject* pValue = m_pValue;
    pTarget->SetPropertyObject(this, pProperty, pValue);
    m_pValue = NULL;
}

void CZPMarkupBuilder::OnWord(LPCWSTR lpszWord, int nLength)
{
    if (m_open.empty())
        ZpMarkupThrowBuilderError(L"Data at the root level is invalid");
    if (m_bPendingSpace && (!m_text.empty() || m_open.back()->HasContentObject()))
        m_text += L' ';
    m_bPendingSpace = FALSE;
    m_text.append(lpszWord, static_cast<size_t>(nLength));
}

void CZPMarkupBuilder::OnEndTag(LPCWSTR lpszTag)
{
    if (m_open.empty())
        ZpMarkupThrowBuilderError(L"Unexpected end tag");
    m_pPopped = m_open.back();
    m_open.pop_back();
    LPCWSTR lpszStartTag = m_pPopped->GetTagText();
    if (lpszStartTag == NULL || wcscmp(lpszStartTag, lpszTag) != 0)
        ZpMarkupThrowBuilderError(
            ZpFormatString2(L"The '%ls' start tag does not match the end tag of '%ls'", lpszStartTag, lpszTag));
    if (!m_text.empty())
        DeliverText(m_pPopped, m_text.data(), m_text.size());
    m_text.clear();
    m_bPendingSpace = FALSE;

    if (CZPMarkupObjectProperty* pHolder = ZpMarkupCast<CZPMarkupObjectProperty>(m_pPopped))
    {
        CZPMarkupDependencyProperty* pProperty = pHolder->GetProperty();
        if (pHolder->GetHeldValue() == NULL)
            ZpMarkupThrowBuilderError(ZpFormatString(L"'%ls' property does not have a value", pProperty->GetName()));
        m_pValue = pHolder->GetHeldValue();
        m_pValue->AddRef();
        m_pPopped = NULL;
        pHolder->Release();
        CZPMarkupObject* pValue = m_pValue;
        m_open.back()->SetPropertyObject(this, pProperty, pValue);
        m_pValue = NULL;
    }
    else if (!m_open.empty())
    {
        CZPMarkupObject* pChild = m_pPopped;
        m_open.back()->SetContentObject(this, pChild);
        m_pPopped = NULL;
    }
    else
    {
        m_pRoot = m_pPopped;
        m_pPopped = NULL;
    }
}

CZPMarkupObject* CZPMarkupBuilder::ConvertValue(CZPMarkupDependencyProperty* pProperty, CZPMarkupObject* pValue)
{
    return ZpMarkupConvertPropertyValue(this, pProperty, pValue);
}

CZPMarkupObject* CZPMarkupBuilder::ResolveMarkupExtension(LPCWSTR lpszText)
{
    // Each nested "{...}" in a resource key comes back here: bounded, so a hostile page cannot
    // exhaust the stack.
    struct CDepth
    {
        int& n;
        explicit CDepth(int& nDepth) : n(nDepth) { n++; }
        ~CDepth() { n--; }
    } depth(m_nExtensionDepth);
    if (m_nExtensionDepth > kMaxExtensionDepth)
        ZpMarkupThrowBuilderError(
            ZpFormatString(L"Markup extensions are nested more than %i levels deep", kMaxExtensionDepth));

    std::wstring strText(lpszText != NULL ? lpszText : L"");
    if (strText.empty() || strText.back() != L'}')
        ZpMarkupThrowBuilderError(L"Markup extension expressions must end with '}'");
    strText.pop_back();

    if (StartsWith(strText, L"x:Static "))
        return ResolveStaticMember(strText.substr(9));
    if (StartsWith(strText, L"StaticResource "))
        return ResolveResource(strText.c_str() + 15);
    if (StartsWith(strText, L"DynamicResource "))
        return ResolveResource(strText.c_str() + 16);
    if (StartsWith(strText, L"x:Type "))
    {
        CZPMarkupType* pType = ZpMarkupLookupType(strText.c_str() + 7);
        if (pType == NULL)
            ZpMarkupThrowBuilderError(ZpFormatString(L"Cannot find type '%ls'", strText.c_str() + 7));
        pType->AddRef();
        return pType;
    }
    ThrowTagError(strText.c_str());
}

CZPMarkupObject* CZPMarkupBuilder::ResolveStaticMember(const std::wstring& strMember)
{
    static const struct
    {
        LPCWSTR lpszSuffix;
        int nKind;
    } s_members[] = {
        {L"Color", cacheColor},
        {L"Brush", cacheBrush},
        {L"ColorKey", cacheColorKey},
        {L"BrushKey", cacheBrushKey},
    };
    for (const auto& member : s_members)
    {
        const int nIndex = ZpMarkupLookupSystemColorMember(strMember.c_str(), member.lpszSuffix);
        if (nIndex >= 0)
        {
            CZPMarkupObject* pObject = GetSystemObject(member.nKind, nIndex);
            pObject->AddRef();
            return pObject;
        }
    }
    ZpMarkupThrowBuilderError(ZpFormatString(L"Cannot find the static member  '%ls'", strMember.c_str()));
}

CZPMarkupObject* CZPMarkupBuilder::GetSystemObject(int nKind, int nIndex)
{
    CZPMarkupObject*& pEntry = m_cache[nKind][nIndex];
    if (pEntry == NULL)
    {
        switch (nKind)
        {
        case cacheColor:
            pEntry = new CZPMarkupColor(0xFF, ::GetSysColor(nIndex));
            break;
        case cacheBrush:
            pEntry = new CZPMarkupSolidColorBrush(0xFF, ::GetSysColor(nIndex));
            break;
        case cacheColorKey:
            pEntry = new CZPMarkupColorKey(nIndex);
            break;
        default:
            pEntry = new CZPMarkupBrushKey(nIndex);
            break;
        }
    }
    return pEntry;
}

CZPMarkupObject* CZPMarkupBuilder::ResolveResource(LPCWSTR lpszArgument)
{
    LPCWSTR lpszKey = lpszArgument;
    while (*lpszKey == L' ' || *lpszKey == L'\r' || *lpszKey == L'\n')
        lpszKey++;
    CRefPtr<CZPMarkupObject> key;
    if (lpszKey[0] == L'{' && lpszKey[1] == L'}')
        key = CRefPtr<CZPMarkupObject>::Adopt(CZPMarkupString::CreateValue(lpszKey + 2));
    else if (lpszKey[0] == L'{')
        key = CRefPtr<CZPMarkupObject>::Adopt(ResolveMarkupExtension(lpszKey + 1));
    else
        key = CRefPtr<CZPMarkupObject>::Adopt(CZPMarkupString::CreateValue(lpszKey));

    // Open elements have no logical parents yet: walk them instead, innermost first.
    for (auto it = m_open.rbegin(); it != m_open.rend(); ++it)
    {
        CZPMarkupObject* pFrom = *it;
        if (CZPMarkupObjectProperty* pHolder = ZpMarkupCast<CZPMarkupObjectProperty>(pFrom))
            pFrom = pHolder->GetHeldValue();
        else if (ZpMarkupCast<CZPMarkupInputElement>(pFrom) == NULL && ZpMarkupCast<CZPMarkupStyle>(pFrom) == NULL)
            pFrom = NULL;
        if (CZPMarkupObject* pValue = pFrom != NULL ? ZpMarkupFindResource(pFrom, key.Get()) : NULL)
        {
            pValue->AddRef();
            return pValue;
        }
    }
    if (CZPMarkupColorKey* pColorKey = ZpMarkupCast<CZPMarkupColorKey>(key.Get()))
    {
        CZPMarkupObject* pColor = GetSystemObject(cacheColor, pColorKey->m_nIndex);
        pColor->AddRef();
        return pColor;
    }
    if (CZPMarkupBrushKey* pBrushKey = ZpMarkupCast<CZPMarkupBrushKey>(key.Get()))
    {
        CZPMarkupObject* pBrush = GetSystemObject(cacheBrush, pBrushKey->m_nIndex);
        pBrush->AddRef();
        return pBrush;
    }
    ZpMarkupThrowBuilderError(
        ZpFormatString(L"Cannot find resource named '%ls'. Resource names are case sensitive", lpszArgument));
}

void ZpMarkupApplyStylesToTree(CZPMarkupObject* pObject)
{
    if (pObject == NULL)
        return;
    const int nCount = pObject->GetLogicalChildrenCount();
    for (int i = 0; i < nCount; i++)
        ZpMarkupApplyStylesToTree(pObject->GetLogicalChild(i));
    if (CZPMarkupInputElement* pElement = ZpMarkupCast<CZPMarkupInputElement>(pObject))
        pElement->OnApplyStyle();
}
