// One MDI tab group hosted by a command bar: the tabs of the children sit in a toolbar as a control.
#pragma once

#include "commandbars/ZPControlButton.h"
#include "tabmanager/ZPTabClientWnd.h"

// Without a client the control is a plain button; with one its tabs follow the client's paint
// manager and answers, and it draws, sizes and hit-tests as a tab strip.
class CZPControlTabWorkspace : public CZPControlButton, public CZPTabClientWnd::CWorkspace
{
    DECLARE_DYNCREATE(CZPControlTabWorkspace)
public:
    CZPControlTabWorkspace();
    ~CZPControlTabWorkspace() override;

    // Joins the client's group controls (NULL leaves them); the client must outlive the control
    // or leave it first (its destructor does).
    void SetTabClient(CZPTabClientWnd* pClient);
    CZPTabClientWnd* GetTabClient() const { return m_pClient; }

    // The control.
    CSize GetSize(CDC* pDC) override;
    void SetRect(CRect rcControl) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard, CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnRemoved() override;
    // The tab under the point as a tool (its index), else -1: index 0 is the first tab.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) override;
    CZPControl* Clone(BOOL bRecursive) override;

    // The workspace.
    int GetPosition() const override;
    void RedrawControl(LPCRECT lpRect, BOOL bErase) override;
    // Lays the bar out again with this strip and redraws it.
    void Reposition() override;

private:
    BOOL m_bNeedsReposition;
    BOOL m_bInLayout;  // RepositionTabControl is running
};
