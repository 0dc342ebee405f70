// The resource manager of a language file: strings, menus and dialog templates from an XML
// document written by a translator; whatever the file lacks comes from the program's resources.
#pragma once

#include "common/ZPResourceManager.h"

#include <framework/collections.h>

#include <vector>

class CZPPropExchange;
class CZPPropExchangeXMLNode;

class CZPResourceManagerXML : public CZPResourceManager
{
public:
    struct MENUITEMTEMPLATEINFO
    {
        WORD mtOption;
        WORD mtID;
        CString strCaption;
    };

    struct DLGITEMTEMPLATEINFO
    {
        DWORD helpID;
        DWORD exStyle;
        DWORD style;
        short x;
        short y;
        short cx;
        short cy;
        DWORD id;
        CString strCaption;
        CString strClassName;
        WORD wResourceID;   // when not 0, the control's title is this ordinal
    };

    // Valid only when the file loads and has a "resource" root element.
    explicit CZPResourceManagerXML(LPCWSTR lpszFileName);
    ~CZPResourceManagerXML() override;

    BOOL LoadString(CString& strBuffer, UINT nID) override;
    BOOL LoadMenu(CMenu* pMenu, UINT nIDResource) override;
    // A built template stays valid until Close.
    LPCDLGTEMPLATE LoadDialogTemplate(UINT nID) override;
    void Close() override;
    // The file's "LANGID" (English (United States) when absent).
    void UpdateResourcesLangID() override;

protected:
    // The section of the first element matching the pattern for the id (one reference), or NULL.
    CZPPropExchange* FindResourceSection(LPCWSTR lpszPattern, UINT nID);
    void CollectMenuItems(CZPPropExchange* pSection, std::vector<MENUITEMTEMPLATEINFO>& items);
    // A new extended dialog template (new[]), or NULL when the description cannot make one.
    BYTE* CreateDialogTemplate(CZPPropExchange* pSection);

    CZPPropExchangeXMLNode* m_pResourcesNode;              // one reference; NULL once closed
    CMap<UINT, UINT, BYTE*, BYTE*> m_mapDialogTemplates;   // owned templates (new[])
};
