// The toolbar control bar: creation on the common toolbar control, buttons, idle update and tips.
#include <framework/toolbar.h>

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

namespace {

// The bar places itself: the control neither moves to its parent's top nor draws a divider.
const DWORD kControlStyleAdd = CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | TBSTYLE_TOOLTIPS;
// Tooltips show at most this many characters of the command's text.
const int kMaxTipChars = 80;

// Command UI that enables and checks one toolbar button.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override
    {
        CCmdUI::Enable(bOn);
        CToolBarCtrl* pCtrl = static_cast<CToolBarCtrl*>(m_pOther);
        UINT nState = static_cast<UINT>(pCtrl->GetState(static_cast<int>(m_nID)));
        UINT nNew = bOn ? (nState | TBSTATE_ENABLED) : (nState & ~static_cast<UINT>(TBSTATE_ENABLED));
        if (nNew != nState)
            pCtrl->SetState(static_cast<int>(m_nID), nNew);
    }
    void SetCheck(int nCheck = 1) override
    {
        CToolBarCtrl* pCtrl = static_cast<CToolBarCtrl*>(m_pOther);
        if (pCtrl->IsButtonChecked(static_cast<int>(m_nID)) != (nCheck != 0))
            pCtrl->CheckButton(static_cast<int>(m_nID), nCheck != 0);
    }
    void SetRadio(BOOL bOn = TRUE) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCWSTR) override {}
};

}  // namespace

CToolBar::CToolBar() {}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;
    const DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | kControlStyleAdd;
    if (!CWnd::Create(TOOLBARCLASSNAMEW, NULL, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

int CToolBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    // Inside a dialog the frame found through the owner does not lay this bar out.
    CWnd* pParent = GetParent();
    if (m_pDockSite != NULL && (pParent == NULL || !pParent->IsFrameWnd())) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    return 0;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    GetToolBarCtrl().SetBitmapSize(sizeImage);
    GetToolBarCtrl().SetButtonSize(sizeButton);
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    CToolBarCtrl& ctrl = GetToolBarCtrl();
    while (ctrl.GetButtonCount() > 0)
        ctrl.DeleteButton(0);
    int nImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button = {};
        button.idCommand = static_cast<int>(lpIDArray[i]);
        button.fsState = TBSTATE_ENABLED;
        if (lpIDArray[i] == 0) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = nImage++;
        }
        if (!ctrl.AddButtons(1, &button))
            return FALSE;
    }
    return TRUE;
}

void CToolBar::SetButtonWrap(int nIndex, BOOL bWrap)
{
    TBBUTTON button = {};
    if (!GetToolBarCtrl().GetButton(nIndex, &button))
        return;
    if (bWrap)
        button.fsState |= TBSTATE_WRAP;
    else
        button.fsState &= ~static_cast<BYTE>(TBSTATE_WRAP);
    // The control lays its rows out again only when a button comes in.
    GetToolBarCtrl().DeleteButton(nIndex);
    GetToolBarCtrl().InsertButton(nIndex, &button);
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    m_wndToolBarCtrl.m_hWnd = m_hWnd;
    return m_wndToolBarCtrl;
}

INT_PTR CToolBar::GetCount() const
{
    return m_hWnd != NULL ? GetToolBarCtrl().GetButtonCount() : 0;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CRect rcAll(0, 0, 0, 0);
    for (int i = 0; i < GetToolBarCtrl().GetButtonCount(); ++i) {
        CRect rc;
        if (GetToolBarCtrl().GetItemRect(i, &rc))
            rcAll.UnionRect(&rcAll, &rc);
    }
    if (!bStretch || !bHorz)
        size.cx += rcAll.right;
    if (!bStretch || bHorz)
        size.cy += rcAll.bottom;
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateButtons(pTarget, bDisableIfNoHndler);
}

void CToolBar::UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == NULL)
        return;
    CToolCmdUI state;
    state.m_pOther = &GetToolBarCtrl();
    const int nCount = GetToolBarCtrl().GetButtonCount();
    state.m_nIndexMax = static_cast<UINT>(nCount);
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button = {};
        if (!GetToolBarCtrl().GetButton(i, &button) || (button.fsStyle & TBSTYLE_SEP) != 0)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(button.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

LRESULT CToolBar::OnIdleUpdate(WPARAM wParam, LPARAM)
{
    // The owner is the command target: a frame, or the dialog that holds the bar.
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    CWnd* pTarget = GetOwner();
    if (pTarget == NULL)
        pTarget = GetParent();
    UpdateButtons(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

BOOL CToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr->code != TTN_NEEDTEXTW)
        return CControlBar::OnNotify(wParam, lParam, pResult);
    // The text after the line break of the command's string; none without a string.
    NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pHdr);
    CString strText;
    m_strTip.Empty();
    if ((pInfo->uFlags & TTF_IDISHWND) == 0 && strText.LoadString(static_cast<UINT>(pHdr->idFrom))) {
        int nBreak = strText.Find(L'\n');
        m_strTip = nBreak >= 0 ? strText.Mid(nBreak + 1) : strText;
        m_strTip = m_strTip.Left(kMaxTipChars);
    }
    pInfo->szText[0] = 0;
    pInfo->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(m_strTip));
    pInfo->hinst = NULL;
    *pResult = 0;
    return TRUE;
}

void CToolBar::OnPaint()
{
    Default();
}

void CToolBar::OnNcPaint()
{
    Default();
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}
