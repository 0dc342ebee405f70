// Bar icon and button sizes, controls built from an RT_TOOLBAR resource, shortcut texts and the
// bar's tooltips.
#include "commandbars/ZPCommandBar.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPShortcutManager.h"
#include "common/ZPImageManager.h"
#include "common/ZPToolInfo.h"

#include <framework/refptr.h>

#include <vector>

namespace {
const CSize ZP_SMALL_ICON(16, 16);
const CSize ZP_LARGE_ICON(32, 32);
// A button is its icon plus this much on each axis.
const int ZP_BUTTON_ICON_MARGIN = 6;
// RT_TOOLBAR: a resource of its own type made of 16-bit words.
const WORD ZP_RT_TOOLBAR = 241;
// Header words: version, bitmap width, bitmap height, item count.
const size_t ZP_TOOLBAR_HEADER_WORDS = 4;

BOOL IsSizeSet(CSize size)
{
    return size.cx != 0 && size.cy != 0;
}
}  // namespace

// The command-bars options (IconsSize, PopupIconsSize, LargeIcons, LargeIconsSize) are not built:
// with command bars they read as unset, so the sizes come from the bar and the paint manager.

CSize CZPCommandBar::QueryDefaultIconSize(BOOL bLarge) const
{
    CZPPaintManager* pPaintManager = ResolvePaintManager();
    if (pPaintManager != NULL)
        return pPaintManager->GetAutoIconSize(bLarge);
    return bLarge ? ZP_LARGE_ICON : ZP_SMALL_ICON;
}

CSize CZPCommandBar::GetEffectiveIconSize() const
{
    if (FindCommandBars() == NULL)
        return IsSizeSet(m_szIcons) ? m_szIcons : ZP_SMALL_ICON;
    return IsSizeSet(m_szIcons) ? m_szIcons : QueryDefaultIconSize(FALSE);
}

CSize CZPCommandBar::ResolveIconSize(BOOL bAllowAutomatic) const
{
    if (FindCommandBars() == NULL)
        return IsSizeSet(m_szIcons) ? CSize(m_szIcons.cx * 2, m_szIcons.cy * 2) : ZP_LARGE_ICON;
    const CSize szSmall = IsSizeSet(m_szIcons) ? m_szIcons : ZP_SMALL_ICON;
    // A bar with its own button size keeps its small icons.
    if (IsSizeSet(m_szButtons))
        return szSmall;
    if (bAllowAutomatic)
        return QueryDefaultIconSize(TRUE);
    return CSize(szSmall.cx * 2, szSmall.cy * 2);
}

CSize CZPCommandBar::GetEffectiveButtonSize() const
{
    if (IsSizeSet(m_szButtons))
        return m_szButtons;
    const CSize szIcon = GetEffectiveIconSize();
    return CSize(szIcon.cx + ZP_BUTTON_ICON_MARGIN, szIcon.cy + ZP_BUTTON_ICON_MARGIN);
}

BOOL CZPCommandBar::IsTextBelowIcons() const
{
    if (m_nShowTextBelowIcons == 0 || m_nShowTextBelowIcons == 1)
        return m_nShowTextBelowIcons;
    return FALSE;  // deferred to the command bars, whose option is not built
}

BOOL CZPCommandBar::LoadToolBarResource(UINT nIDResource, BOOL bLoadImages)
{
    if (m_pControls == NULL)
        return FALSE;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(this);
    m_pControls->RemoveAll();
    if (nIDResource == 0)
        return FALSE;
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInstance, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(ZP_RT_TOOLBAR));
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInstance, hResource);
    const WORD* pWords = hGlobal != NULL ? static_cast<const WORD*>(::LockResource(hGlobal)) : NULL;
    if (pWords == NULL)
        return FALSE;
    // The count is trusted only as far as the resource reaches.
    const size_t nWords = ::SizeofResource(hInstance, hResource) / sizeof(WORD);
    if (nWords < ZP_TOOLBAR_HEADER_WORDS)
        return FALSE;
    const int cx = pWords[1];
    const int cy = pWords[2];
    const size_t nCount = pWords[3];
    if (nCount > nWords - ZP_TOOLBAR_HEADER_WORDS)
        return FALSE;
    std::vector<UINT> ids(pWords + ZP_TOOLBAR_HEADER_WORDS, pWords + ZP_TOOLBAR_HEADER_WORDS + nCount);
    BuildControlsFromIds(ids.empty() ? NULL : ids.data(), static_cast<int>(ids.size()));

    BOOL bResult = TRUE;
    if (bLoadImages) {
        CZPImageManager* pImages = ResolveImageManager();
        if (cx <= 0 || cy <= 0 || pImages == NULL ||
            !pImages->SetIconsFromBitmapResource(nIDResource, ids.empty() ? NULL : ids.data(),
                                                 static_cast<int>(ids.size()), cx, cy, 0))
            bResult = FALSE;
        else if (cx != ZP_SMALL_ICON.cx)
            m_szIcons = CSize(cx, cy);
    }
    return bResult;
}

void CZPCommandBar::BuildControlsFromIds(const UINT* pIds, int nCount)
{
    CRefPtr<CZPControls> controls = CRefPtr<CZPControls>::AddRef(m_pControls);
    if (!controls)
        return;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; ++i) {
        if (pIds[i] == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        ZpCreateControlRequest request;
        request.nID = static_cast<int>(pIds[i]);
        request.pControl = NULL;
        request.bToolBar = TRUE;
        request.nIndex = i;
        request.pMenu = NULL;
        request.pCommandBar = this;
        request.strCaption = m_strTitle;
        request.controlType = zpControlButton;
        request.buttonStyle = zpButtonAutomatic;
        request.bDefaultItem = FALSE;

        CWnd* pSite = FindSiteWindow();
        HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
        CZPControl* pControl = NULL;
        int nKind = zpControlButton;
        int nStyle = zpButtonAutomatic;
        if (hWndSite != NULL &&
            ::SendMessageW(hWndSite, ZpMsgCreateControl, 0, reinterpret_cast<LPARAM>(&request)) != 0) {
            nKind = request.controlType;
            nStyle = request.buttonStyle;
            if (request.pControl != NULL) {
                // The handler's creation reference goes to the collection; a control already in
                // a collection cannot join a second one.
                if (request.pControl->GetControls() == NULL)
                    pControl = controls->InsertAt(request.pControl, -1);
            } else {
                pControl = controls->Add(nKind, request.nID);
            }
        } else {
            pControl = controls->Add(zpControlButton, request.nID);
        }
        if (pControl == NULL)
            continue;
        if (request.pControl == NULL) {
            pControl->SetStyle(nStyle);  // delays the layout when it changes
            if (nKind == zpControlPopup)
                pControl->SetIconId(request.nID);
        }
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        request.pControl = pControl;
        if (hWndSite != NULL && ::IsWindow(hWndSite))
            ::SendMessageW(hWndSite, ZpMsgControlCreated, 0, reinterpret_cast<LPARAM>(&request));
    }
}

// The options that switch tips off (ToolBarScreenTips, popup tips) and the shortcut manager are
// not built: tips show on bars, on popups only for controls that ask, with the control's own
// shortcut text.
INT_PTR CZPCommandBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    if (m_hWnd == NULL || (m_nTrackingMode == 2 && !IsPopupBar()) || m_nPopupedControl != -1)
        return -1;
    const CZPMouseManager* pMouse = ZpMouseManager();
    if (pMouse->GetModalCounter() > 0 || pMouse->IsBlockedByTracking(this))
        return -1;
    CZPControl* pControl = m_pControls != NULL ? m_pControls->HitTest(point) : NULL;
    if (pControl == NULL)
        return -1;
    if (IsPopupBar() && (pControl->GetFlags() & zpFlagShowPopupBarToolTips) == 0)
        return -1;
    const INT_PTR nOwn = pControl->OnToolHitTest(point, pTI);
    if (nOwn != -1)
        return pTI != NULL && pTI->hwnd == m_hWnd ? nOwn : -1;

    const INT_PTR nId = pControl->GetIconId();
    CString strTip = pControl->GetTooltip();
    if (strTip.IsEmpty())
        return -1;
    const CString strShortcut = pControl->GetShortcutText();
    // A markup tip is parsed as a whole: nothing is appended to it.
    if (!strShortcut.IsEmpty() && strTip[0] != L'<') {
        strTip += L" (";
        strTip += strShortcut;
        strTip += L")";
    }
    if (pTI != NULL) {
        const CString strDescription = pControl->GetDescription();
        ZpFillToolInfoEx(pTI, m_hWnd, pControl->GetRect(), static_cast<UINT_PTR>(nId), strTip, strTip, strDescription,
                         ResolveImageManager());
    }
    return nId != 0 ? nId : -1;
}

void CZPCommandBar::RefreshShortcutTexts()
{
    CZPCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == NULL || !pCommandBars->GetCommandBarsOptions()->m_bShowKeyboardShortcuts)
        return;
    // A context menu and its sub-menus show shortcuts only when the option asks for them.
    const BOOL bClear = FindRootParentBar()->IsPopupBar() &&
                        !pCommandBars->GetCommandBarsOptions()->m_bShortcutsInContextMenus;
    CZPShortcutManager* pShortcuts = pCommandBars->GetShortcutManagerObject();
    for (int i = 0; i < CountControls(); ++i) {
        CZPControl* pControl = ControlAt(i);
        if (!pControl->IsVisible() || pControl->GetID() == 0)
            continue;
        CString strText = pControl->GetShortcutText();
        if (bClear || !pShortcuts->ComposeShortcutText(pControl->GetID(), strText))
            strText.Empty();
        pControl->SetShortcutTextAuto(strText);
    }
}
