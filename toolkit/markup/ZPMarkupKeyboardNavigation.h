// The context's keyboard-focus object and owner of the tab-order properties; it moves no focus.
#pragma once

#include "markup/ZPMarkupObject.h"

class CZPMarkupContext;
class CZPMarkupInputElement;

class CZPMarkupKeyboardNavigation : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    explicit CZPMarkupKeyboardNavigation(CZPMarkupContext* pContext = NULL) : m_pMarkupContext(pContext) {}

    void Focus(CZPMarkupInputElement* /*pElement*/) {}
    // Keyboard and focus messages stay with the host window: never handled, result untouched.
    BOOL OnWndMsg(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*pResult*/) { return FALSE; }

    CZPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }

    static CZPMarkupDependencyProperty* m_pIsTabStopProperty;
    static CZPMarkupDependencyProperty* m_pTabNavigationProperty;
    static CZPMarkupDependencyProperty* m_pTabIndexProperty;
    static void RegisterProperties();

private:
    CZPMarkupContext* m_pMarkupContext;  // borrowed: the context owns this object
};
