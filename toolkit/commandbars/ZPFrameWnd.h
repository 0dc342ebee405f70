// The toolkit frame: a frame window that owns its command bars and gives them the first look at
// its keys and messages; its accelerators are the shortcut manager's once that holds a table.
#pragma once

#include <framework.h>
#include <framework/frame.h>

#include "commandbars/ZPCommandBarEditCtrl.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPShortcutManager.h"

// The command-bars half of a site window of any framework window class.
template <class TBase> class CZPCommandBarsSiteBase : public TBase
{
public:
    CZPCommandBarsSiteBase() : m_pCommandBars(NULL) {}
    ~CZPCommandBarsSiteBase() override { ReleaseCommandBars(); }

    CZPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // Virtual operations, in slot order.
    // Creates the command bars of the class, binds them to this window and creates the dock bars.
    virtual BOOL CreateCommandBarsObject(CRuntimeClass* pCommandBarsClass = RUNTIME_CLASS(CZPCommandBars))
    {
        CObject* pObject = pCommandBarsClass != NULL ? pCommandBarsClass->CreateObject() : NULL;
        CZPCommandBars* pCommandBars = dynamic_cast<CZPCommandBars*>(pObject);
        if (pCommandBars == NULL) {
            delete pObject;
            return FALSE;
        }
        ReleaseCommandBars();
        m_pCommandBars = pCommandBars;
        m_pCommandBars->SetSite(this->GetSafeHwnd());
        m_pCommandBars->CreateDockBars();
        return TRUE;
    }
    // Options, bars and controls, then shortcuts: the command bars run the stages in that order.
    virtual void StoreBarsToProfile(LPCWSTR lpszProfileName)
    {
        if (m_pCommandBars != NULL)
            m_pCommandBars->SaveCommandBars(lpszProfileName, TRUE);
    }
    virtual void RestoreBarsFromProfile(LPCWSTR lpszProfileName, BOOL bSilent = FALSE)
    {
        if (m_pCommandBars != NULL)
            m_pCommandBars->LoadCommandBars(lpszProfileName, bSilent);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // Typing reaches an edit control on a bar; Enter, Tab and Escape still go to the bars.
        if (pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSDEADCHAR && pMsg->wParam != VK_RETURN &&
            pMsg->wParam != VK_TAB && pMsg->wParam != VK_ESCAPE &&
            dynamic_cast<CZPCommandBarEditCtrl*>(CWnd::FromHandlePermanent(::GetFocus())) != NULL)
            return FALSE;
        if (TBase::PreTranslateMessage(pMsg))
            return TRUE;
        return m_pCommandBars != NULL && m_pCommandBars->PreTranslateFrameMessage(pMsg);
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars != NULL && m_pCommandBars->FilterFrameMessage(message, wParam, lParam, pResult))
            return TRUE;
        const BOOL bHandled = TBase::OnWndMsg(message, wParam, lParam, pResult);
        // The bars go with the window, before its children are destroyed.
        if (message == WM_DESTROY)
            ReleaseCommandBars();
        return bHandled;
    }

    void ReleaseCommandBars()
    {
        CZPCommandBars* pCommandBars = m_pCommandBars;
        m_pCommandBars = NULL;
        if (pCommandBars != NULL)
            pCommandBars->InternalRelease();
    }

    CZPCommandBars* m_pCommandBars;  // owned: one reference, released on WM_DESTROY
};

// The frame half: accelerators and print preview.
template <class TBase> class CZPFrameWndBase : public CZPCommandBarsSiteBase<TBase>
{
public:
    // The base sets the frame's accelerator table after the window exists: it is dropped here,
    // once loading is over, when the shortcut manager holds a table of its own.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override
    {
        if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
            return FALSE;
        CZPCommandBars* pCommandBars = this->m_pCommandBars;
        if (pCommandBars != NULL && pCommandBars->GetShortcutManagerObject()->HasDefaultTable())
            this->m_hAccelTable = NULL;
        return TRUE;
    }
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        if (this->m_pCommandBars != NULL)
            this->m_pCommandBars->OnSetPreviewMode(bPreview);
        TBase::OnSetPreviewMode(bPreview, pState);
    }
};

class CZPFrameWnd : public CZPFrameWndBase<CFrameWnd>
{
    DECLARE_DYNCREATE(CZPFrameWnd)
};
