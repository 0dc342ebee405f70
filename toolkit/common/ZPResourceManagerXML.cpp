// Strings, menus and dialog templates from an XML language file.
#include "common/ZPResourceManagerXML.h"
#include "common/ZPPropExchangeXMLNode.h"

#include <framework/menu.h>

#include <string.h>

namespace {

const int kDialogTemplateBlockSize = 10;
const DWORD kDefaultControlStyle = 0x50020000;   // child, visible, group
const long kDefaultFontSize = 8;
const LPCWSTR kDefaultFontFace = L"MS Sans Serif";
const LPCWSTR kDefaultControlClass = L"STATIC";

// A 32-bit value written as a signed or an unsigned decimal, blanks around it allowed; FALSE for
// other text and for numbers outside both ranges (a style clamped to either end would be wrong).
BOOL ParseDword(const CString& strText, DWORD* pdwValue)
{
    CString str(strText);
    str.Trim();
    LPCWSTR p = str;
    BOOL bNegative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        ++p;
    if (*p == 0)
        return FALSE;
    const ULONGLONG kLimit = bNegative ? 0x80000000ULL : 0xFFFFFFFFULL;
    ULONGLONG nValue = 0;
    for (; *p != 0; ++p) {
        if (*p < L'0' || *p > L'9')
            return FALSE;
        nValue = nValue * 10 + static_cast<ULONGLONG>(*p - L'0');
        if (nValue > kLimit)
            return FALSE;
    }
    *pdwValue = static_cast<DWORD>(bNegative ? 0 - nValue : nValue);
    return TRUE;
}

// A number of the file; the default when the value is absent.
BOOL ExchangeDword(CZPPropExchange* pPX, LPCWSTR pszName, DWORD* pdwValue, DWORD dwDefault)
{
    CString strDefault;
    strDefault.Format(L"%lu", static_cast<unsigned long>(dwDefault));
    CString strText;
    PropExchangeString(pPX, pszName, strText, strDefault);
    return ParseDword(strText, pdwValue);
}

// Little-endian template bytes; control records start on 4-byte boundaries of the block.
class CTemplateWriter
{
public:
    void Word(WORD w) { Bytes(&w, sizeof(w)); }
    void Dword(DWORD dw) { Bytes(&dw, sizeof(dw)); }
    void Byte(BYTE b) { m_data.push_back(b); }
    void Text(const CString& str) { Bytes(str.GetString(), (str.GetLength() + 1) * sizeof(WCHAR)); }
    void AlignDword()
    {
        while (m_data.size() % 4 != 0)
            m_data.push_back(0);
    }
    // A zero-filled block of new[] with the bytes written.
    BYTE* Detach() const
    {
        BYTE* pBlock = new BYTE[m_data.size()]();
        memcpy(pBlock, m_data.data(), m_data.size());
        return pBlock;
    }

private:
    void Bytes(const void* pData, size_t cbData)
    {
        const BYTE* pBytes = static_cast<const BYTE*>(pData);
        m_data.insert(m_data.end(), pBytes, pBytes + cbData);
    }
    std::vector<BYTE> m_data;
};

// Dialog units of a template are 16-bit: anything else cannot be laid out.
BOOL IsTemplatePosition(const RECT& rc)
{
    return rc.left >= SHRT_MIN && rc.left <= SHRT_MAX && rc.top >= SHRT_MIN && rc.top <= SHRT_MAX &&
           rc.right >= 0 && rc.right <= SHRT_MAX && rc.bottom >= 0 && rc.bottom <= SHRT_MAX;
}

}  // namespace

CZPResourceManagerXML::CZPResourceManagerXML(LPCWSTR lpszFileName)
    : m_pResourcesNode(new CZPPropExchangeXMLNode(TRUE, NULL, L"resource")),
      m_mapDialogTemplates(kDialogTemplateBlockSize)
{
    m_bValid = m_pResourcesNode->LoadFromFile(lpszFileName) && m_pResourcesNode->OpenForExchange();
}

CZPResourceManagerXML::~CZPResourceManagerXML()
{
    Close();
}

void CZPResourceManagerXML::Close()
{
    CZPResourceManager::Close();
    if (m_pResourcesNode != NULL) {
        m_pResourcesNode->InternalRelease();
        m_pResourcesNode = NULL;
    }
    POSITION pos = m_mapDialogTemplates.GetStartPosition();
    while (pos != NULL) {
        UINT nID;
        BYTE* pTemplate;
        m_mapDialogTemplates.GetNextAssoc(pos, nID, pTemplate);
        delete[] pTemplate;
    }
    m_mapDialogTemplates.RemoveAll();
    m_bValid = FALSE;
}

void CZPResourceManagerXML::UpdateResourcesLangID()
{
    long nLanguage = 0x409;
    if (m_pResourcesNode != NULL)
        PropExchangeLong(m_pResourcesNode, L"LANGID", &nLanguage, 0x409);
    SetLanguage(static_cast<WORD>(nLanguage));
}

CZPPropExchange* CZPResourceManagerXML::FindResourceSection(LPCWSTR lpszPattern, UINT nID)
{
    if (!m_bValid || m_pResourcesNode == NULL)
        return NULL;
    CString strPattern;
    strPattern.Format(lpszPattern, static_cast<int>(nID));
    if (!m_pResourcesNode->IsSectionExists(strPattern))
        return NULL;
    return m_pResourcesNode->GetSection(strPattern);
}

BOOL CZPResourceManagerXML::LoadString(CString& strBuffer, UINT nID)
{
    CRefPtr<CZPPropExchange> secString =
        CRefPtr<CZPPropExchange>::Adopt(FindResourceSection(L"string[@id = \"%i\"]", nID));
    // A string element without a value is an unfinished translation: the program's text stays.
    CString strValue;
    if (!secString || !PropExchangeStringNoDefault(secString.Get(), L"value", strValue))
        return CZPResourceManager::LoadString(strBuffer, nID);
    strBuffer = strValue;
    return TRUE;
}

void CZPResourceManagerXML::CollectMenuItems(CZPPropExchange* pSection, std::vector<MENUITEMTEMPLATEINFO>& items)
{
    CZPPropExchangeEnumeratorHolder enumerator(pSection->GetEnumerator(L"menuitem"));
    POSITION pos = enumerator->GetPosition();
    size_t nLast = items.size();
    while (pos != NULL) {
        CRefPtr<CZPPropExchange> secItem = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
        long nID = 0;
        MENUITEMTEMPLATEINFO info = { 0, 0, CString() };
        PropExchangeLong(secItem.Get(), L"id", &nID, 0);
        PropExchangeString(secItem.Get(), L"caption", info.strCaption, L"");
        info.mtID = static_cast<WORD>(nID);

        nLast = items.size();
        items.push_back(info);
        CollectMenuItems(secItem.Get(), items);
        if (items.size() > nLast + 1)
            items[nLast].mtOption |= MF_POPUP;
        else if (nID == 0)
            items[nLast].mtOption |= MF_SEPARATOR;
    }
    if (nLast < items.size())
        items[nLast].mtOption |= MF_END;
}

BOOL CZPResourceManagerXML::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    std::vector<MENUITEMTEMPLATEINFO> items;
    {
        CRefPtr<CZPPropExchange> secMenu =
            CRefPtr<CZPPropExchange>::Adopt(FindResourceSection(L"menu[@id = \"%i\"]", nIDResource));
        if (secMenu)
            CollectMenuItems(secMenu.Get(), items);
    }
    if (items.empty())
        return CZPResourceManager::LoadMenu(pMenu, nIDResource);

    CTemplateWriter writer;
    writer.Word(0);   // version
    writer.Word(0);   // header size
    for (const MENUITEMTEMPLATEINFO& item : items) {
        writer.Word(item.mtOption);
        if ((item.mtOption & MF_POPUP) == 0)
            writer.Word(item.mtID);
        writer.Text(item.strCaption);
    }
    BYTE* pTemplate = writer.Detach();
    HMENU hMenu = ::LoadMenuIndirectW(pTemplate);
    delete[] pTemplate;
    if (hMenu == NULL)
        return CZPResourceManager::LoadMenu(pMenu, nIDResource);
    if (!pMenu->Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BYTE* CZPResourceManagerXML::CreateDialogTemplate(CZPPropExchange* pSection)
{
    static const RECT kNoPosition = {};
    long nFontSize = kDefaultFontSize;
    DWORD dwStyle = 0, dwStyleEx = 0, dwHelpID = 0;
    RECT rcDialog = {};
    CString strFontFace, strCaption;
    if (!ExchangeDword(pSection, L"style", &dwStyle, 0) || !ExchangeDword(pSection, L"styleex", &dwStyleEx, 0))
        return NULL;
    PropExchangeRect(pSection, L"position", &rcDialog, kNoPosition);
    PropExchangeString(pSection, L"fontface", strFontFace, kDefaultFontFace);
    PropExchangeLong(pSection, L"fontsize", &nFontSize, kDefaultFontSize);
    PropExchangeString(pSection, L"caption", strCaption, L"");
    if (!ExchangeDword(pSection, L"id", &dwHelpID, 0))
        return NULL;
    if (!IsTemplatePosition(rcDialog) || nFontSize < 0 || nFontSize > SHRT_MAX)
        return NULL;

    std::vector<DLGITEMTEMPLATEINFO> controls;
    {
        CZPPropExchangeEnumeratorHolder enumerator(pSection->GetEnumerator(L"control"));
        POSITION pos = enumerator->GetPosition();
        while (pos != NULL) {
            CRefPtr<CZPPropExchange> secControl = CRefPtr<CZPPropExchange>::Adopt(enumerator->GetNext(pos));
            long nResource = 0;
            RECT rc = {};
            DLGITEMTEMPLATEINFO info = {};
            if (!ExchangeDword(secControl.Get(), L"style", &info.style, kDefaultControlStyle) ||
                !ExchangeDword(secControl.Get(), L"styleex", &info.exStyle, 0))
                return NULL;
            PropExchangeRect(secControl.Get(), L"position", &rc, kNoPosition);
            PropExchangeString(secControl.Get(), L"caption", info.strCaption, L"");
            PropExchangeString(secControl.Get(), L"class", info.strClassName, kDefaultControlClass);
            if (!ExchangeDword(secControl.Get(), L"id", &info.id, static_cast<DWORD>(-1)))
                return NULL;
            PropExchangeLong(secControl.Get(), L"resource", &nResource, 0);
            if (!IsTemplatePosition(rc) || controls.size() >= USHRT_MAX)
                return NULL;
            info.x = static_cast<short>(rc.left);
            info.y = static_cast<short>(rc.top);
            info.cx = static_cast<short>(rc.right);
            info.cy = static_cast<short>(rc.bottom);
            info.wResourceID = static_cast<WORD>(nResource);
            controls.push_back(info);
        }
    }

    CTemplateWriter writer;
    writer.Word(1);        // version
    writer.Word(0xFFFF);   // extended template
    writer.Dword(dwHelpID);
    writer.Dword(dwStyleEx);
    writer.Dword(dwStyle | DS_SETFONT);
    writer.Word(static_cast<WORD>(controls.size()));
    writer.Word(static_cast<WORD>(rcDialog.left));
    writer.Word(static_cast<WORD>(rcDialog.top));
    writer.Word(static_cast<WORD>(rcDialog.right));
    writer.Word(static_cast<WORD>(rcDialog.bottom));
    writer.Word(0);   // no menu
    writer.Word(0);   // the system's dialog class
    writer.Text(strCaption);
    writer.Word(static_cast<WORD>(nFontSize));
    writer.Word(0);   // weight
    writer.Byte(0);   // italic
    writer.Byte(0);   // character set
    writer.Text(strFontFace);
    for (const DLGITEMTEMPLATEINFO& control : controls) {
        writer.AlignDword();
        writer.Dword(control.helpID);
        writer.Dword(control.exStyle);
        writer.Dword(control.style);
        writer.Word(static_cast<WORD>(control.x));
        writer.Word(static_cast<WORD>(control.y));
        writer.Word(static_cast<WORD>(control.cx));
        writer.Word(static_cast<WORD>(control.cy));
        writer.Dword(control.id);
        writer.Text(control.strClassName);
        if (control.wResourceID != 0) {
            writer.Word(0xFFFF);
            writer.Word(control.wResourceID);
        } else {
            writer.Text(control.strCaption);
        }
        writer.Word(0);   // no creation data
    }
    return writer.Detach();
}

LPCDLGTEMPLATE CZPResourceManagerXML::LoadDialogTemplate(UINT nID)
{
    BYTE* pTemplate = NULL;
    if (m_mapDialogTemplates.Lookup(nID, pTemplate))
        return reinterpret_cast<LPCDLGTEMPLATE>(pTemplate);
    {
        CRefPtr<CZPPropExchange> secDialog =
            CRefPtr<CZPPropExchange>::Adopt(FindResourceSection(L"dialog[@id = \"%i\"]", nID));
        if (secDialog)
            pTemplate = CreateDialogTemplate(secDialog.Get());
    }
    if (pTemplate == NULL)
        return CZPResourceManager::LoadDialogTemplate(nID);
    m_mapDialogTemplates.SetAt(nID, pTemplate);
    return reinterpret_cast<LPCDLGTEMPLATE>(pTemplate);
}
