// Fixtures of the customize page tests: a plain modeless sheet holding pages, and an answerer
// that fills and closes the dialogs and message boxes the pages open.
#pragma once

#include <framework.h>
#include <framework/dialog.h>

#include "dialog_answerer.h"

#include <commctrl.h>

#include <deque>
#include <vector>

// A modeless sheet over the given pages (borrowed), destroyed with the fixture.
class CTestSheet
{
public:
    CTestSheet(CWnd* pParent, std::initializer_list<CPropertyPage*> pages) : m_sheet(L"Customize", pParent)
    {
        for (CPropertyPage* pPage : pages)
            m_sheet.AddPage(pPage);
        m_bCreated = m_sheet.Create(pParent);
    }
    ~CTestSheet()
    {
        if (m_sheet.GetSafeHwnd() != NULL)
            m_sheet.DestroyWindow();
    }
    CTestSheet(const CTestSheet&) = delete;
    CTestSheet& operator=(const CTestSheet&) = delete;

    CPropertySheet m_sheet;
    BOOL m_bCreated;
};

// A control of a page by id, through the page's window.
inline HWND PageItem(CWnd* pPage, int nID)
{
    return ::GetDlgItem(pPage->GetSafeHwnd(), nID);
}

inline void ClickButton(CWnd* pPage, int nID)
{
    ::SendMessageW(pPage->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                   reinterpret_cast<LPARAM>(PageItem(pPage, nID)));
}
