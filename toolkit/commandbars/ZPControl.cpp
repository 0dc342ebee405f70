// One command control: effective values, setters, site notification, execution and persistence.
#include "commandbars/ZPControl.h"

#include "commandbars/ZPControlAction.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPImageManager.h"
#include "common/ZPMenuSoundThread.h"
#include "common/ZPPropExchange.h"
#include "common/ZPResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CZPControl, CCmdTarget)

namespace {

// Command ids that name a string resource (string tables hold 16-bit ids).
const int kMaxStringId = 0xFFFF;
// A WM_COMMAND id must fit the low word: a larger one would read as a notification code.
const UINT kMaxCommandId = 0xFFFF;
// The command route's code for an event that asks the control to redraw itself.
const UINT kEventRedrawId = 1;

// Schemas from which a key is stored.
const long kSchemaCategory = 2;
const long kSchemaDocTemplates = 4;
const long kSchemaCloseSubMenu = 7;
const long kSchemaCustomStyle = 8;
const long kSchemaHelpId = 17;
const long kSchemaStyle = 18;
const long kSchemaSizes = 19;
const long kSchemaShortcutAuto = 23;
const long kSchemaKeyboardTip = 24;
const long kSchemaIconSize = 26;

}  // namespace

void CZPControl::CDocTemplateMap::Copy(const CDocTemplateMap& source)
{
    RemoveAll();
    POSITION pos = source.GetStartPosition();
    while (pos != NULL) {
        UINT nKey = 0;
        BOOL bValue = FALSE;
        source.GetNextAssoc(pos, nKey, bValue);
        SetAt(nKey, bValue);
    }
}

void CZPControl::CDocTemplateMap::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(GetCount());
        POSITION pos = GetStartPosition();
        while (pos != NULL) {
            UINT nKey = 0;
            BOOL bValue = FALSE;
            GetNextAssoc(pos, nKey, bValue);
            ar << static_cast<DWORD>(nKey) << static_cast<LONG>(bValue);
        }
        return;
    }
    RemoveAll();
    DWORD_PTR nCount = ar.ReadCount();
    ar.EnsureAvailable(nCount, 2 * sizeof(DWORD));
    for (DWORD_PTR i = 0; i < nCount; ++i) {
        DWORD nKey = 0;
        LONG bValue = 0;
        ar >> nKey >> bValue;
        SetAt(nKey, bValue);
    }
}

CZPControl::CZPControl()
    : m_nTag(0), m_nIndex(0), m_nId(0), m_nIconId(0), m_nHelpId(0), m_nCustomIconId(0), m_bWrap(FALSE),
      m_bBeginGroup(FALSE), m_bEnabled(1), m_bChecked(0), m_nSelected(zpSelectionNone), m_nPressed(ZP_PRESSED_NONE),
      m_bTemporary(FALSE), m_dwHideFlags(zpHideNone), m_dwFlags(0), m_pControls(NULL), m_controlType(0),
      m_pParent(NULL), m_bHiddenByUsage(FALSE), m_bDefaultItem(FALSE), m_buttonStyle(zpButtonAutomatic),
      m_nCustomStyle(-1), m_buttonGroupStyle(zpButtonAutomatic), m_bCloseSubMenuOnClick(TRUE), m_pRibbonGroup(NULL),
      m_pAction(NULL), m_nWidth(0), m_nHeight(0), m_nExecuteOnPressInterval(0), m_szIcon(0, 0)
{
    EnableAutomation();
}

CZPControl::~CZPControl()
{
    DisconnectAccessible();
    SetAction(NULL);
}

CString ZpPromptPart(const CString& strText, int nPart)
{
    int nStart = 0;
    for (int i = 0; i < nPart; ++i) {
        int nNext = strText.Find(L'\n', nStart);
        if (nNext < 0)
            return CString();
        nStart = nNext + 1;
    }
    int nEnd = strText.Find(L'\n', nStart);
    return nEnd < 0 ? strText.Mid(nStart) : strText.Mid(nStart, nEnd - nStart);
}

void ZpSplitPromptTexts(const CString& strPrompt, CString& strTooltip, CString& strDescription)
{
    if (strPrompt.Find(L'\n') >= 0) {
        strTooltip = ZpPromptPart(strPrompt, 1);
        strDescription = ZpPromptPart(strPrompt, 0);
    } else {
        strTooltip = strPrompt;
        strDescription = strPrompt;
    }
}

// Effective values -----------------------------------------------------------------------------

// A bound action's values show where the control's own are empty or set to -1; while actions are
// off (as this system leaves them) m_pAction stays NULL and the raw fields decide.
CString CZPControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (m_strCaption.IsEmpty() && m_pAction != NULL)
        return m_pAction->GetCaption();
    return m_strCaption;
}

CString CZPControl::GetTooltip() const
{
    if (m_strTooltipText.IsEmpty() && m_pAction != NULL)
        return m_pAction->GetTooltip();
    return m_strTooltipText;
}

CString CZPControl::GetDescription() const
{
    if (m_strDescriptionText.IsEmpty() && m_pAction != NULL)
        return m_pAction->GetDescription();
    return m_strDescriptionText;
}

CString CZPControl::GetShortcutText() const
{
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_strShortcutTextAuto.IsEmpty() && m_pAction != NULL)
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

CString CZPControl::ResolveKeyboardTipText() const
{
    if (m_strKeyboardTip.IsEmpty() && m_pAction != NULL)
        return m_pAction->GetKeyboardTip();
    return m_strKeyboardTip;
}

int CZPControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction != NULL)
        return m_pAction->GetIconId();
    return m_nId;
}

BOOL CZPControl::GetEnabled() const
{
    // -1 without an action counts as enabled.
    if (m_bEnabled == -1)
        return m_pAction != NULL ? m_pAction->GetEnabled() : TRUE;
    return m_bEnabled;
}

BOOL CZPControl::GetChecked() const
{
    if (m_bChecked == -1)
        return m_pAction != NULL ? m_pAction->GetChecked() : FALSE;
    return m_bChecked;
}

int CZPControl::GetStyle() const
{
    if (m_nCustomStyle != -1)
        return m_nCustomStyle;
    if (m_buttonStyle != zpButtonAutomatic)
        return m_buttonStyle;
    if (m_buttonGroupStyle != zpButtonAutomatic)
        return m_buttonGroupStyle;
    return m_pParent != NULL ? m_pParent->GetDefaultButtonStyle() : zpButtonAutomatic;
}

CSize CZPControl::GetIconSize() const
{
    if (m_szIcon.cx != 0 || m_szIcon.cy != 0)
        return m_szIcon;
    return m_pParent != NULL ? m_pParent->GetEffectiveIconSize() : CSize(0, 0);
}

CSize CZPControl::GetButtonSize() const
{
    return m_pParent != NULL ? m_pParent->GetEffectiveButtonSize() : CSize(0, 0);
}

CZPImageManagerIcon* CZPControl::GetImage(int nWidth) const
{
    if (m_nCustomIconId == 0 && m_nIconId <= 0 && m_nId == 0)
        return NULL;
    CZPImageManager* pImageManager = GetImageManager();
    return pImageManager != NULL ? pImageManager->GetImage(GetIconId(), nWidth) : NULL;
}

CZPImageManager* CZPControl::GetImageManager() const
{
    if (m_pParent != NULL)
        return m_pParent->ResolveImageManager();
    CZPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars != NULL && pCommandBars->GetImageManager() != NULL)
        return pCommandBars->GetImageManager();
    return ZpImageManagerInstance();
}

CZPPaintManager* CZPControl::GetPaintManager() const
{
    if (m_pParent != NULL)
        return m_pParent->ResolvePaintManager();
    CZPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars != NULL && pCommandBars->GetPaintManager() != NULL)
        return pCommandBars->GetPaintManager();
    return ZpGetPaintManager();  // NULL while no theme exists
}

BOOL CZPControl::IsCustomizeMode() const
{
    return m_pParent != NULL && m_pParent->IsCustomizeModeActive();
}

// Setters --------------------------------------------------------------------------------------

void CZPControl::SetEnabled(int nEnabled)
{
    if (m_bEnabled == nEnabled)
        return;
    m_bEnabled = nEnabled;
    RedrawParent(TRUE);
}

void CZPControl::SetChecked(int nChecked)
{
    if (m_bChecked == nChecked)
        return;
    m_bChecked = nChecked;
    RedrawParent(TRUE);
}

void CZPControl::SetBeginGroup(BOOL bBeginGroup)
{
    if (m_bBeginGroup == bBeginGroup)
        return;
    m_bBeginGroup = bBeginGroup;
    DelayLayout();
}

void CZPControl::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayout();
}

void CZPControl::SetHeight(int nHeight)
{
    if (m_nHeight == nHeight)
        return;
    m_nHeight = nHeight;
    DelayLayout();
}

void CZPControl::SetDefaultItem(BOOL bDefaultItem)
{
    if (m_bDefaultItem == bDefaultItem)
        return;
    m_bDefaultItem = bDefaultItem;
    DelayLayout();
}

void CZPControl::SetVisible(BOOL bVisible)
{
    DWORD dwHideFlags = bVisible ? (m_dwHideFlags & ~zpHideGeneric) : (m_dwHideFlags | zpHideGeneric);
    if (dwHideFlags == m_dwHideFlags)
        return;
    SetHideFlags(dwHideFlags);
    DelayLayout();
}

void CZPControl::SetHideFlags(DWORD dwFlags)
{
    m_dwHideFlags = dwFlags;
}

void CZPControl::SetHiddenByUsage(BOOL bHiddenByUsage)
{
    m_bHiddenByUsage = bHiddenByUsage;
    if (!bHiddenByUsage && (m_dwHideFlags & zpHideExpand) != 0)
        SetHideFlags(m_dwHideFlags & ~zpHideExpand);
}

void CZPControl::SetStyle(int nStyle)
{
    if (m_buttonStyle == nStyle)
        return;
    m_buttonStyle = nStyle;
    DelayLayout();
}

void CZPControl::SetRect(CRect rcControl)
{
    m_rcControl = rcControl;
}

void CZPControl::SetParent(CZPCommandBar* pParent)
{
    m_pParent = pParent;
}

void CZPControl::DelayLayout()
{
    if (m_pParent != NULL)
        m_pParent->DelayLayout();
}

void CZPControl::RedrawParent(BOOL bAnimate)
{
    if (m_pParent == NULL || !IsVisible(0))
        return;
    m_pParent->RepaintArea(&m_rcControl, bAnimate);
}

// Site notification ----------------------------------------------------------------------------

LRESULT CZPControl::NotifySiteEx(CWnd* pWndTarget, UINT nCode, ZpControlNotifyRecord* pRecord)
{
    if (pWndTarget == NULL && m_pParent != NULL)
        pWndTarget = m_pParent->FindCommandTargetWindow();
    HWND hWndTarget = CWnd::GetSafeHwnd(pWndTarget);
    if (hWndTarget == NULL)
        return 0;

    ZpControlNotifyRecord record;
    if (pRecord == NULL)
        pRecord = &record;
    pRecord->hdr.hwndFrom = NULL;
    pRecord->hdr.idFrom = static_cast<UINT_PTR>(static_cast<UINT>(m_nId));
    pRecord->hdr.code = nCode;
    pRecord->pControl = this;

    LRESULT lResult = ::SendMessageW(hWndTarget, ZpMsgExecute, static_cast<WPARAM>(static_cast<UINT>(m_nId)),
                                     reinterpret_cast<LPARAM>(pRecord));
    if (lResult != 0 || m_pParent == NULL)
        return lResult;

    // The handler may have destroyed the target: route only through a window object still alive.
    CWnd* pTarget = CWnd::FromHandlePermanent(hWndTarget);
    if (pTarget == NULL)
        return 0;
    LRESULT lNotifyResult = 0;
    AFX_NOTIFY notify = { &lNotifyResult, &pRecord->hdr };
    if (pTarget->OnCmdMsg(static_cast<UINT>(m_nId), MAKELONG(nCode, WM_NOTIFY), &notify, NULL))
        return lNotifyResult;
    return 0;
}

LRESULT CZPControl::NotifySite(UINT nCode)
{
    if (m_pParent == NULL)
        return 0;
    return NotifySiteEx(NULL, nCode, NULL);
}

LRESULT CZPControl::SendCommand(CWnd* pWndTarget)
{
    if (pWndTarget == NULL && m_pParent != NULL)
        pWndTarget = m_pParent->FindCommandTargetWindow();
    HWND hWndTarget = CWnd::GetSafeHwnd(pWndTarget);
    UINT nId = static_cast<UINT>(m_nId);  // read first: the handler may free this control
    LRESULT lResult = NotifySiteEx(pWndTarget, ZpNotifyExecute, NULL);
    if (lResult == 0 && hWndTarget != NULL && ::IsWindow(hWndTarget) && nId <= kMaxCommandId)
        ::SendMessageW(hWndTarget, WM_COMMAND, MAKEWPARAM(nId, 0), 0);
    return lResult;
}

// Other operations -----------------------------------------------------------------------------

void CZPControl::SetID(int nId)
{
    if (nId != m_nId && nId > 0 && nId <= kMaxStringId) {
        CString strPrompt;
        if (ZpResourceManagerInstance()->LoadString(strPrompt, static_cast<UINT>(nId)))
            SetPrompt(strPrompt);
    }
    m_nId = nId;
}

void CZPControl::SetPrompt(LPCWSTR lpszPrompt)
{
    CString strPrompt(lpszPrompt);
    if (strPrompt.IsEmpty())
        return;
    ZpSplitPromptTexts(strPrompt, m_strTooltipText, m_strDescriptionText);
    if (m_strCaption.IsEmpty()) {
        CString strCaption = ZpPromptPart(strPrompt, 2);
        m_strCaption = strCaption.IsEmpty() ? m_strTooltipText : strCaption;
        OnCaptionChanged();
    }
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = ZpPromptPart(strPrompt, 3);
}

void CZPControl::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption);
    CString strShortcutAuto = m_strShortcutTextAuto;
    int nTab = strCaption.Find(L'\t');
    if (nTab >= 0) {
        strShortcutAuto = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    BOOL bShortcutChanged = strShortcutAuto != m_strShortcutTextAuto;
    m_strShortcutTextAuto = strShortcutAuto;
    if (strCaption != m_strCaption) {
        m_strCaption = strCaption;
        OnCaptionChanged();
        DelayLayout();
    } else if (bShortcutChanged) {
        DelayLayout();
    }
}

void CZPControl::SetShortcutTextAuto(LPCWSTR lpszText)
{
    if (m_strShortcutTextAuto == lpszText)
        return;
    m_strShortcutTextAuto = lpszText;
    DelayLayout();
}

void CZPControl::SetCaptionFromResource(UINT nIDString)
{
    CString strCaption;
    if (ZpResourceManagerInstance()->LoadString(strCaption, nIDString))
        SetCaption(strCaption);
}

int CZPControl::ResetCustomization()
{
    if (m_nCustomIconId == 0 && m_strCustomCaption.IsEmpty() && m_nCustomStyle == -1)
        return -1;
    m_nCustomIconId = 0;
    m_nCustomStyle = -1;
    if (!m_strCustomCaption.IsEmpty()) {
        m_strCustomCaption.Empty();
        OnCaptionChanged();
    }
    if (m_pParent != NULL)
        m_pParent->RecalcBarLayout();
    return 0;
}

BOOL CZPControl::IsCursorOver() const
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_pParent->GetSafeHwnd(), &point);
    return m_rcControl.PtInRect(point);
}

BOOL CZPControl::IsPressedAfterExecute() const
{
    return m_pParent == NULL || m_pParent->GetPosition() != zpBarPopup;
}

// Virtual operations with the base behaviour ---------------------------------------------------

int CZPControl::GetSelected() const
{
    return m_nSelected;
}

void CZPControl::SetFocused(BOOL) {}

BOOL CZPControl::IsFocused() const
{
    return FALSE;
}

int CZPControl::GetPressed() const
{
    return m_nPressed;
}

BOOL CZPControl::IsVisible(DWORD dwSkipFlags) const
{
    if (m_pAction != NULL && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~dwSkipFlags) == 0;
}

BOOL CZPControl::IsCaptionVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == zpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle()) {
    case zpButtonCaption:
    case zpButtonIconAndCaption:
    case zpButtonIconAndCaptionBelow:
        return TRUE;
    case zpButtonIcon:
        return FALSE;
    default:
        break;
    }
    switch (m_controlType) {
    case zpControlButton:
    case zpControlButtonPopup:
    case zpControlSplitButtonPopup:
        return GetImage(0) == NULL;
    case zpControlPopup:
    case zpControlLabel:
    case zpControlCheckBox:
    case zpControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CZPControl::Compare(CZPControl* pOther)
{
    if (pOther == NULL)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_controlType == pOther->m_controlType && m_nId == pOther->m_nId &&
           m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & zpHideCustomize) == (pOther->m_dwHideFlags & zpHideCustomize) &&
           m_nWidth == pOther->m_nWidth;
}

CZPCommandBar* CZPControl::GetCommandBar() const
{
    return NULL;
}

BOOL CZPControl::HasCustomBackground() const
{
    return FALSE;
}

void CZPControl::Execute()
{
    ZpMenuSoundInstance().Play(CZPMenuSoundThread::soundMenuCommand);
    m_nPressed = IsPressedAfterExecute() ? ZP_PRESSED_EXECUTING : ZP_PRESSED_NONE;

    CZPCommandBar* pRootBar = m_pParent != NULL ? m_pParent->FindRootParentBar() : NULL;
    HWND hWndTarget = m_pParent != NULL ? CWnd::GetSafeHwnd(m_pParent->FindCommandTargetWindow()) : NULL;
    CZPCommandBars* pCommandBars = m_pParent != NULL ? m_pParent->FindCommandBars() : NULL;
    const int nId = m_nId;

    if (pCommandBars != NULL) {
        if (nId != 0)
            pCommandBars->SetCommandUsed(nId);
        CZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CZPPopupBar, m_pParent);
        if (pPopupBar != NULL && pPopupBar->GetControlPopup() != NULL && pPopupBar->GetControlPopup()->GetID() != 0)
            pCommandBars->SetCommandUsed(pPopupBar->GetControlPopup()->GetID());
    }

    // Ending tracking may free this control: everything needed afterwards is read before.
    auto endTracking = [pRootBar, pCommandBars]() {
        if (pRootBar == NULL)
            return;
        if (pRootBar->IsRecursePopup() || pCommandBars == NULL)
            pRootBar->EndTracking();  // without command bars the root is the bar this thread tracks
        else
            pCommandBars->EndAllTracking();
    };

    int* pReturnCmd = pRootBar != NULL ? pRootBar->GetReturnCmdSlot() : NULL;
    if (pReturnCmd != NULL) {
        endTracking();
        *pReturnCmd = nId;
        return;
    }

    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (m_bCloseSubMenuOnClick)
        endTracking();
    if (nId != 0) {
        SendCommand(::IsWindow(hWndTarget) ? CWnd::FromHandle(hWndTarget) : NULL);
        if ((!m_bCloseSubMenuOnClick || m_nPressed != ZP_PRESSED_NONE) && m_pParent != NULL) {
            m_nPressed = ZP_PRESSED_NONE;
            m_pParent->OnIdleUpdate(FALSE, FALSE);
            RedrawParent(TRUE);
        }
    }
}

// Measuring is drawing with the draw flag off: one rule in the paint manager for both. Without
// any paint manager a control has no size and draws nothing.
CSize CZPControl::GetSize(CDC* pDC)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->DrawControl(pDC, this, FALSE) : CSize(0, 0);
}

void CZPControl::Draw(CDC* pDC)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL)
        pPaintManager->DrawControl(pDC, this, TRUE);
}

void CZPControl::OnBeforeLayout(UINT) {}

void CZPControl::OnKeyboardActivate()
{
    Execute();
}

BOOL CZPControl::IsPopuped() const
{
    return FALSE;
}

void CZPControl::SetAction(CZPControlAction* pAction)
{
    if (pAction == m_pAction)
        return;
    if (m_pAction != NULL)
        m_pAction->Detach(this);
    if (pAction != NULL)
        pAction->Attach(this);
}

void CZPControl::BindToAction(CZPControlAction* pAction)
{
    m_pAction = pAction;
    m_bEnabled = -1;
    m_bChecked = -1;
    m_nId = pAction->GetId();
    m_strCaption.Empty();
    m_strTooltipText.Empty();
    m_strDescriptionText.Empty();
    m_strCategory.Empty();
    m_strShortcutText.Empty();
    m_strKeyboardTip.Empty();
}

void CZPControl::UnbindFromAction()
{
    m_pAction = NULL;
    m_bEnabled = 1;
    m_bChecked = 0;
}

void CZPControl::OnThemeChanged() {}

void CZPControl::Copy(CZPControl* pSource, BOOL)
{
    if (pSource == NULL || pSource == this)
        return;
    m_nId = pSource->m_nId;
    SetAction(pSource->m_pAction);
    m_nTag = pSource->m_nTag;
    m_dwFlags = pSource->m_dwFlags;
    m_controlType = pSource->m_controlType;
    m_strCaption = pSource->m_strCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strShortcutTextAuto = pSource->m_strShortcutTextAuto;
    m_strTooltipText = pSource->m_strTooltipText;
    m_strDescriptionText = pSource->m_strDescriptionText;
    m_strParameter = pSource->m_strParameter;
    m_strKeyboardTip = pSource->m_strKeyboardTip;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_nIconId = pSource->m_nIconId;
    m_nHelpId = pSource->m_nHelpId;
    m_bTemporary = pSource->m_bTemporary;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strCategory = pSource->m_strCategory;
    m_dwHideFlags = pSource->m_dwHideFlags;
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_bEnabled = pSource->m_bEnabled;
    m_bChecked = pSource->m_bChecked;
    m_nCustomStyle = pSource->m_nCustomStyle;
    m_buttonStyle = pSource->m_buttonStyle;
    m_nWidth = pSource->m_nWidth < GetCustomizeMinWidth() ? GetCustomizeMinWidth() : pSource->m_nWidth;
    m_nHeight = pSource->m_nHeight;
    m_szIcon = pSource->m_szIcon;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pSource->m_nExecuteOnPressInterval;
    m_mapDocTemplatesAssigned.Copy(pSource->m_mapDocTemplatesAssigned);
    m_mapDocTemplatesExcluded.Copy(pSource->m_mapDocTemplatesExcluded);
    OnCaptionChanged();
}

void CZPControl::OnClick(BOOL, CPoint) {}

BOOL CZPControl::IsFocusable() const
{
    return FALSE;
}

BOOL CZPControl::OnHookKeyDown(UINT, LPARAM)
{
    return FALSE;
}

BOOL CZPControl::OnHookMouseWheel(UINT, short, CPoint)
{
    return FALSE;
}

BOOL CZPControl::SetPopuped(BOOL)
{
    return FALSE;
}

void CZPControl::OnLButtonUp(CPoint) {}

void CZPControl::OnLButtonDown(CPoint point)
{
    if (IsCustomizeMode() && !IsCustomizeMovable())
        return;
    OnClick(FALSE, point);
}

BOOL CZPControl::OnRButtonDown(CPoint)
{
    return FALSE;
}

BOOL CZPControl::OnRButtonUp(CPoint)
{
    return FALSE;
}

BOOL CZPControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CZPControl::OnMouseMove(CPoint) {}

void CZPControl::OnMouseHover()
{
    if (m_pParent == NULL)
        return;
    CZPCommandBar* pParent = m_pParent;
    if (pParent->OpenControlPopup(-1) && pParent->GetTrackingMode() == 2 && pParent->GetPosition() != zpBarPopup)
        pParent->SwitchTrackingMode(FALSE, TRUE, FALSE);
}

BOOL CZPControl::OnSetSelected(int bSelected)
{
    if (bSelected == m_nSelected)
        return FALSE;
    if (ZpIsKeyboardSelection(bSelected) && m_pParent != NULL && m_pParent->GetOpenPopupIndex() != -1 &&
        m_pParent->GetOpenPopupIndex() != m_nIndex)
        m_pParent->OpenControlPopup(-1);
    m_nSelected = bSelected;
    if (m_pParent != NULL)
        m_pParent->OnControlHighlighted(bSelected, this);
    if (GetEnabled() || bSelected == zpSelectionNone || ZpIsKeyboardSelection(bSelected))
        RedrawParent(bSelected == zpSelectionNone);
    return TRUE;
}

void CZPControl::OnCustomizeMouseDown(CPoint point)
{
    CRefPtr<CZPCommandBar> pParent = CRefPtr<CZPCommandBar>::AddRef(m_pParent);
    if (!pParent)
        return;
    if (pParent->GetOpenPopupIndex() != -1 && pParent->GetOpenPopupIndex() != m_nIndex) {
        pParent->OpenControlPopup(-1);
        pParent->HighlightControlAt(-1);
    }
    CZPCommandBars* pCommandBars = pParent->FindCommandBars();
    if (pCommandBars == NULL)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    if (pCommandBars->GetCustomizeSelection() == this && IsCustomizeResizable() && OnCustomizeResizeTrack(point))
        return;
    pCommandBars->SetCustomizeSelection(this);
    if ((m_dwFlags & zpFlagNoMovable) != 0)
        return;
    const int nEffect = pCommandBars->GetDragTracker()->TrackDrag(this, FALSE);
    if ((nEffect == ZP_DROP_NONE || nEffect == ZP_DROP_MOVE) && m_pControls != NULL && m_pParent == pParent.Get()) {
        pParent->OpenControlPopup(-1);
        pParent->HighlightControlAt(-1);
        if (pCommandBars->GetCustomizeSelection() == this)
            pCommandBars->SetCustomizeSelection(NULL);
        CZPControls* pControls = m_pControls;
        const int nCount = pControls->GetCount();
        if (m_bBeginGroup && m_nIndex < nCount - 1)
            pControls->GetAt(m_nIndex + 1)->SetBeginGroup(TRUE);
        if (m_nIndex == 0 && nCount > 1)
            pControls->GetAt(1)->SetBeginGroup(FALSE);
        pControls->Remove(this);
        pParent->RecalcBarLayout();
    }
    pCommandBars->SetCustomizeSelection(pCommandBars->GetCustomizeSelection());
}

namespace {
const int kResizeLeftZone = 3;   // a press this close to the left edge moves it
const int kResizeRightZone = 2;  // ... or at most this close to the right edge
const int kResizeFrame = 2;      // width of the inverted tracking frame
const UINT kResizeCursor = 9972;
}  // namespace

BOOL CZPControl::IsOnResizeEdge(CPoint point) const
{
    return m_rcControl.PtInRect(point) &&
           (point.x - m_rcControl.left < kResizeLeftZone || m_rcControl.right - 1 - point.x <= kResizeRightZone);
}

void CZPControl::UpdateResizeCursor(CPoint point)
{
    if (IsCustomizeResizable() && IsOnResizeEdge(point)) {
        if (HCURSOR hCursor = ZpResourceManagerInstance()->LoadCursor(kResizeCursor))
            ::SetCursor(hCursor);
    }
}

void CZPControl::DrawResizeFrame(CDC* pDC, const CRect& rc)
{
    const HDC hDC = pDC->m_hDC;
    ::PatBlt(hDC, rc.left, rc.top, rc.Width(), kResizeFrame, DSTINVERT);
    ::PatBlt(hDC, rc.left, rc.bottom - kResizeFrame, rc.Width(), kResizeFrame, DSTINVERT);
    ::PatBlt(hDC, rc.left, rc.top + kResizeFrame, kResizeFrame, rc.Height() - 2 * kResizeFrame, DSTINVERT);
    ::PatBlt(hDC, rc.right - kResizeFrame, rc.top + kResizeFrame, kResizeFrame, rc.Height() - 2 * kResizeFrame,
             DSTINVERT);
}

BOOL CZPControl::OnCustomizeResizeTrack(CPoint point)
{
    CRefPtr<CZPCommandBar> pParent = CRefPtr<CZPCommandBar>::AddRef(m_pParent);
    CZPCommandBars* pCommandBars = pParent ? pParent->FindCommandBars() : NULL;
    if (!IsOnResizeEdge(point) || pCommandBars == NULL || pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    const HWND hWndBar = pParent->GetSafeHwnd();
    pCommandBars->SetCustomizeSelection(NULL);
    pParent->RepaintArea(NULL, FALSE);
    ::UpdateWindow(hWndBar);
    ::SetCapture(hWndBar);
    if (HCURSOR hCursor = ZpResourceManagerInstance()->LoadCursor(kResizeCursor))
        ::SetCursor(hCursor);
    const BOOL bLeft = point.x - m_rcControl.left < kResizeLeftZone;
    const int nOffset = point.x - (bLeft ? m_rcControl.left : m_rcControl.right);
    CRect rcScreen = m_rcControl;
    ::ClientToScreen(hWndBar, reinterpret_cast<POINT*>(&rcScreen.left));
    ::ClientToScreen(hWndBar, reinterpret_cast<POINT*>(&rcScreen.right));
    CRect rcTrack = rcScreen;
    const int nMinWidth = GetCustomizeMinWidth();
    CDC dc;
    dc.Attach(::GetDCEx(NULL, NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
    ::LockWindowUpdate(::GetDesktopWindow());
    DrawResizeFrame(&dc, rcTrack);
    BOOL bCommit = FALSE;
    while (::GetCapture() == hWndBar) {
        MSG msg;
        if (!::GetMessageW(&msg, NULL, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_LBUTTONUP) {
            bCommit = TRUE;
            break;
        }
        if (msg.message != WM_MOUSEMOVE) {
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        CRect rcNew = rcTrack;
        if (bLeft)
            rcNew.left = std::min(pt.x - nOffset, rcNew.right - nMinWidth);
        else
            rcNew.right = std::max(pt.x - nOffset, rcNew.left + nMinWidth);
        if (rcNew != rcTrack) {
            DrawResizeFrame(&dc, rcTrack);
            rcTrack = rcNew;
            DrawResizeFrame(&dc, rcTrack);
        }
    }
    DrawResizeFrame(&dc, rcTrack);
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    ::LockWindowUpdate(NULL);
    ::ReleaseDC(NULL, dc.Detach());
    pCommandBars->SetCustomizeSelection(this);
    if (bCommit && rcTrack.Width() != rcScreen.Width()) {
        int nWidth = rcTrack.Width();
        CZPPaintManager* pPaintManager = pParent->ResolvePaintManager();
        if (pParent->GetType() == zpBarTypePopup && pPaintManager != NULL)
            nWidth -= pPaintManager->GetPopupIconColumnWidth(pParent.Get());
        SetWidth(nWidth);
        pParent->RecalcBarLayout();
    }
    pParent->RepaintArea(NULL, FALSE);
    return TRUE;
}

void CZPControl::OnCustomizeDragOver(CZPControl*, CPoint)
{
    if (m_pParent == NULL)
        return;
    m_pParent->OpenControlPopup(-1);
    m_pParent->HighlightControlAt(-1);
}

BOOL CZPControl::IsCustomizeDropAllowed(CZPControl*)
{
    return TRUE;
}

BOOL CZPControl::IsCustomizeResizable() const
{
    return FALSE;
}

int CZPControl::GetCustomizeMinWidth() const
{
    return 0;
}

int CZPControl::GetCustomizeMinHeight() const
{
    return 0;
}

void CZPControl::OnBeforeUpdate() {}

void CZPControl::OnRemoved()
{
    SetAction(NULL);
}

INT_PTR CZPControl::OnToolHitTest(CPoint, TOOLINFOW*)
{
    return -1;
}

BOOL CZPControl::IsCustomizeMovable() const
{
    return m_pParent != NULL && m_pParent->AllowsCustomizing() && (m_dwFlags & zpFlagNoMovable) == 0;
}

void CZPControl::RestoreChildBar(CZPCommandBars*) {}

// Collecting bars for the layout store is not built yet.
void CZPControl::CollectChildBars(CPtrArray*) {}

void CZPControl::OnActionChanged(int nProperty)
{
    if (nProperty == actionPropertyCaption)
        OnCaptionChanged();
}

void CZPControl::OnActionChanging(int) {}

void CZPControl::OnCaptionChanged() {}

CZPControl* CZPControl::Clone(BOOL bRecursive)
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    CZPControl* pClone = DYNAMIC_DOWNCAST(CZPControl, pObject);
    if (pClone == NULL) {
        delete pObject;
        return NULL;
    }
    pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CZPControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == kEventRedrawId && static_cast<UINT>(nCode) == CN_EVENT) {
        RedrawParent(FALSE);
        return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Persistence ----------------------------------------------------------------------------------

void CZPControl::DoPropExchange(CZPPropExchange* pPX)
{
    const long nSchema = pPX->GetSchema();
    const int nOwnType = m_controlType;
    PropExchangeLong(pPX, L"Type", &m_controlType, zpControlButton);
    if (pPX->IsLoading() && !ZpIsControlKindOf(this, m_controlType))
        m_controlType = nOwnType;  // a stored kind this class cannot draw as

    PropExchangeLong(pPX, L"Id", &m_nId, -1);
    PropExchangeLong(pPX, L"IconId", &m_nIconId, 0);
    PropExchangeBool(pPX, L"BeginGroup", &m_bBeginGroup, FALSE);
    long nTag = static_cast<long>(m_nTag);
    PropExchangeLong(pPX, L"Tag", &nTag, 0);
    m_nTag = static_cast<DWORD_PTR>(static_cast<ULONG>(nTag));
    PropExchangeLong(pPX, L"Flags", &m_dwFlags, 0);
    PropExchangeLong(pPX, L"HideFlags", &m_dwHideFlags, 0);
    PropExchangeString(pPX, L"Caption", m_strCaption, L"");
    PropExchangeString(pPX, L"ShortcutText", m_strShortcutText, L"");
    PropExchangeString(pPX, L"TooltipText", m_strTooltipText, L"");
    PropExchangeString(pPX, L"DescriptionText", m_strDescriptionText, L"");
    PropExchangeString(pPX, L"Parameter", m_strParameter, L"");
    PropExchangeLong(pPX, L"CustomIconId", &m_nCustomIconId, 0);
    PropExchangeString(pPX, L"CustomCaption", m_strCustomCaption, L"");
    if (nSchema >= kSchemaCategory)
        PropExchangeString(pPX, L"Category", m_strCategory, L"");
    if (m_nCustomIconId > 0) {
        CRefPtr<CZPPropExchange> section = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"CustomIcon"));
        CZPImageManager* pImageManager = GetImageManager();
        if (section && pImageManager != NULL)
            pImageManager->DoPropExchangeIcons(static_cast<UINT>(m_nCustomIconId), section.Get());
    }
    if (nSchema >= kSchemaDocTemplates) {
        if (pPX->IsLoading() || !pPX->CanSkipDefaults() || !m_mapDocTemplatesExcluded.IsEmpty())
            PropExchangeSerializable(pPX, L"DocTemplatesExcluded", &m_mapDocTemplatesExcluded);
        if (pPX->IsLoading() || !pPX->CanSkipDefaults() || !m_mapDocTemplatesAssigned.IsEmpty())
            PropExchangeSerializable(pPX, L"DocTemplatesAssigned", &m_mapDocTemplatesAssigned);
        PropExchangeBool(pPX, L"DefaultItem", &m_bDefaultItem, FALSE);
    }
    if (nSchema >= kSchemaCloseSubMenu)
        PropExchangeBool(pPX, L"CloseSubMenuOnClick", &m_bCloseSubMenuOnClick, TRUE);
    if (nSchema >= kSchemaCustomStyle) {
        PropExchangeLong(pPX, L"CustomStyle", &m_nCustomStyle, -1);
        if (pPX->IsLoading() && nSchema < kSchemaStyle && m_nCustomStyle == 0)
            m_nCustomStyle = -1;  // older data stored "none" as 0
    }
    if (nSchema >= kSchemaHelpId)
        PropExchangeLong(pPX, L"HelpId", &m_nHelpId, 0);
    if (nSchema >= kSchemaStyle)
        PropExchangeLong(pPX, L"Style", &m_buttonStyle, zpButtonAutomatic);
    if (nSchema >= kSchemaSizes) {
        PropExchangeLong(pPX, L"Width", &m_nWidth, 0);
        PropExchangeLong(pPX, L"Height", &m_nHeight, 0);
        PropExchangeLong(pPX, L"ExecuteOnPressInterval", &m_nExecuteOnPressInterval, 0);
    }
    if (nSchema >= kSchemaShortcutAuto)
        PropExchangeString(pPX, L"ShortcutTextAuto", m_strShortcutTextAuto, L"");
    if (nSchema >= kSchemaKeyboardTip)
        PropExchangeString(pPX, L"KeyboardTip", m_strKeyboardTip, L"");
    if (nSchema >= kSchemaIconSize)
        PropExchangeSize(pPX, L"IconSize", &m_szIcon, CSize(0, 0));

    if (pPX->IsLoading())
        OnCaptionChanged();
}
