// The custom-skins placeholder.
#include "shell/ControlSkin.h"

#include "AppIds.h"
#include "shell/MainFrame.h"

#include <commandbars/ZPCommandBar.h>
#include <commandbars/ZPCommandBars.h>
#include <commandbars/ZPControlLists.h>
#include <commandbars/ZPControls.h>

// Schema 34, versionable: stored layouts re-create the placeholder by its class name.
IMPLEMENT_SERIAL(CControlSkin, CZPControlButton, VERSIONABLE_SCHEMA | 34)

namespace {

// The frame whose skin files the placeholder lists: the site of the bar's command bars.
CMainFrame* FrameOf(CZPCommandBar* pBar)
{
    CZPCommandBars* pCommandBars = pBar != NULL ? pBar->GetCommandBars() : NULL;
    CWnd* pSite = pCommandBars != NULL ? pCommandBars->GetSite() : NULL;
    return pSite != NULL ? DYNAMIC_DOWNCAST(CMainFrame, CWnd::FromHandlePermanent(pSite->m_hWnd)) : NULL;
}

}  // namespace

void CControlSkin::OnBeforeLayout(UINT)
{
    // The popup runs this under its laying-out mark, so the insertions below start no layout.
    if (m_pParent == NULL || m_pControls == NULL || m_pParent->GetType() != zpBarTypePopup)
        return;
    CMainFrame* pFrame = FrameOf(m_pParent);
    const int nFiles = pFrame != NULL ? pFrame->GetSkinFileCount() : 0;
    const int nNext = GetIndex() + 1;
    while (nNext < m_pControls->GetCount()) {
        CZPControl* pItem = m_pControls->GetAt(nNext);
        if (pItem->GetID() < ID_SKIN_CUSTOM_FIRST || pItem->GetID() >= ID_SKIN_CUSTOM_FIRST + nFiles)
            break;
        m_pControls->Remove(pItem);
    }
    SetHideFlags(zpHideNone);
    if (IsCustomizeMode())
        return;
    SetHideFlags(zpHideGeneric);
    for (int n = 0; n < nFiles; ++n) {
        CZPControl* pItem = m_pControls->Add(zpControlButton, ID_SKIN_CUSTOM_FIRST + n, L"", GetIndex() + 1 + n, TRUE);
        if (pItem == NULL)
            break;
        // A file name's ampersands are shown, not taken as mnemonics.
        pItem->SetCaption(ZpMakeMenuLabel(0, pFrame->GetSkinFile(n).strDisplayName));
        // The separator before the hidden placeholder stays with its first button.
        if (n == 0 && GetBeginGroup())
            pItem->SetBeginGroup(TRUE);
    }
}

BOOL CControlSkin::IsCustomizeDropAllowed(CZPControl* pTarget)
{
    return ZpIsListDropAllowed(pTarget != NULL ? pTarget->GetParent() : NULL);
}
