// The customize sheet: its modal run with the thread hooks, the customize context menu and its
// twelve commands on the control selected for customizing.
#include "commandbars/ZPCustomizeSheet.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPCustomizeCommandsPage.h"
#include "commandbars/ZPCustomizeDragTracker.h"
#include "commandbars/ZPCustomizeToolbarsPage.h"
#include "commandbars/ZPImageEditorDlg.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPShortcutManager.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPImageClipboard.h"
#include "common/ZPImageManager.h"
#include "common/ZPResourceManager.h"

#include <framework/app.h>
#include <framework/menu.h>
#include <framework/ole.h>
#include <framework/refptr.h>

#include <cmath>

IMPLEMENT_DYNAMIC(CZPCustomizeSheet, CPropertySheet)
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPCustomizeSheet, CCustomizeButton, RUNTIME_CLASS(CZPControlButton))
ZP_IMPLEMENT_NESTED_DYNCREATE(CZPCustomizeSheet, CCustomizeEdit, RUNTIME_CLASS(CZPControlEdit))

ZpCustomizeHookRecord* CZPCustomizeSheet::s_pRunning = NULL;

namespace {
const int kPickerImageSide = 16;  // picker images are 16 x 16
const int kImageWidth = 16;       // the image width copied to the clipboard
const UINT kNoUpdateFlag = 0x08;  // picker buttons take no update requests
const int kStyleDefault = 0;      // custom styles of the style commands
const int kStyleCaption = 1;
const int kStyleIcon = 2;
const int kStyleIconAndCaption = 3;

BOOL IsImageKind(int nKind)
{
    return nKind >= zpControlButton && nKind <= zpControlSplitButtonPopup;
}

// Kinds 1-4 with an icon: the commands on the image apply.
BOOL CanCarryImage(const CZPControl* pControl)
{
    return pControl != NULL && IsImageKind(pControl->GetType()) && pControl->GetIconId() > 0;
}

// The command bar that owns a window (or whose child it is), when of these command bars.
CZPCommandBar* CommandBarOfWindow(HWND hWnd, CZPCommandBars* pCommandBars)
{
    for (int i = 0; i < 2 && hWnd != NULL; ++i, hWnd = ::GetParent(hWnd)) {
        CZPCommandBar* pBar = DYNAMIC_DOWNCAST(CZPCommandBar, CWnd::FromHandlePermanent(hWnd));
        if (pBar != NULL && pBar->FindCommandBars() == pCommandBars)
            return pBar;
    }
    return NULL;
}

BOOL IsInside(HWND hWndOuter, HWND hWnd)
{
    return hWndOuter != NULL && hWnd != NULL && (hWnd == hWndOuter || ::IsChild(hWndOuter, hWnd));
}

// The window or one of its owners is hWndOwner.
BOOL IsOwnedBy(HWND hWnd, HWND hWndOwner)
{
    for (int nDepth = 0; hWnd != NULL && nDepth < 32; ++nDepth) {
        if (hWnd == hWndOwner)
            return TRUE;
        HWND hWndNext = ::GetWindow(hWnd, GW_OWNER);
        hWnd = hWndNext != NULL ? hWndNext : ::GetParent(hWnd);
    }
    return FALSE;
}

}  // namespace

CZPCustomizeSheet::CZPCustomizeSheet(CZPCommandBars* pCommandBars, UINT nSelectPage)
    : CPropertySheet(L"", pCommandBars != NULL ? pCommandBars->GetSite() : NULL, nSelectPage),
      m_pCommandBars(pCommandBars), m_hWndSite(NULL), m_pContextMenu(NULL), m_pPickerImages(new CZPImageManager),
      m_nPickerImages(0), m_hooks(), m_pToolbarsPage(NULL), m_pCommandsPage(NULL)
{
    ZpResourceManagerInstance()->LoadString(m_strCaption, ZP_IDS_CUSTOMIZE);
    if (pCommandBars != NULL && pCommandBars->GetSite() != NULL)
        m_hWndSite = pCommandBars->GetSite()->GetSafeHwnd();
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_pToolbarsPage = new CZPCustomizeToolbarsPage(pCommandBars);
    m_pCommandsPage = new CZPCustomizeCommandsPage(pCommandBars);
    AddCustomizePage(m_pToolbarsPage);
    AddCustomizePage(m_pCommandsPage);
    LoadPickerImages();
    BuildContextMenu();
}

CZPCustomizeSheet::~CZPCustomizeSheet()
{
    delete m_pToolbarsPage;
    delete m_pCommandsPage;
    if (m_pContextMenu != NULL) {
        if (m_pContextMenu->GetSafeHwnd() != NULL)
            m_pContextMenu->DestroyWindow();
        m_pContextMenu->InternalRelease();
    }
    m_pPickerImages->InternalRelease();
}

CZPCustomizeCommandsPage* CZPCustomizeSheet::GetCommandsPage() const
{
    return static_cast<CZPCustomizeCommandsPage*>(m_pCommandsPage);
}

void CZPCustomizeSheet::AddCustomizePage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        return;
    AddPage(pPage);
    const LPCWSTR lpszTemplate = pPage->m_lpszTemplateName;
    if (lpszTemplate != NULL && IS_INTRESOURCE(lpszTemplate)) {
        const UINT nId = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplate));
        if (LPCDLGTEMPLATE pTemplate = ZpResourceManagerInstance()->LoadDialogTemplate(nId))
            pPage->SetTemplate(pTemplate);
    }
}

void CZPCustomizeSheet::LoadPickerImages()
{
    CBitmap bitmap;
    if (!ZpResourceManagerInstance()->LoadBitmap(&bitmap, ZP_IDB_CUSTOMIZE_PICKER))
        return;
    BITMAP bm = {};
    if (bitmap.GetObject(sizeof(bm), &bm) == 0 || bm.bmHeight != kPickerImageSide)
        return;
    const int nCount = bm.bmWidth / kPickerImageSide;
    std::vector<UINT> ids;
    for (int i = 1; i <= nCount; ++i)
        ids.push_back(static_cast<UINT>(i));
    if (nCount > 0 && m_pPickerImages->SetIcons(&bitmap, ids.data(), nCount, kPickerImageSide, kPickerImageSide, 0,
                                                bm.bmBitsPixel == 32))
        m_nPickerImages = nCount;
}

void CZPCustomizeSheet::BuildContextMenu()
{
    CMenu menu;
    if (m_pCommandBars == NULL || !ZpResourceManagerInstance()->LoadMenu(&menu, ZP_IDR_CUSTOMIZE_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    m_pContextMenu = ZpCreatePopupBar(NULL);
    m_pContextMenu->SetSiteWindow(m_hWndSite);
    if (m_pCommandBars->GetPaintManager() != NULL)
        m_pContextMenu->SetPaintManager(m_pCommandBars->GetPaintManager());
    m_pContextMenu->SetImageManager(m_pPickerImages);
    CZPControls* pControls = m_pContextMenu->GetControls();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < pPopup->GetMenuItemCount(); ++i) {
        UINT nId = pPopup->GetMenuItemID(i);
        if (nId == static_cast<UINT>(-1)) {
            // A submenu item: the picker popup, named by its placeholder's id.
            CMenu* pSub = pPopup->GetSubMenu(i);
            nId = pSub != NULL && pSub->GetMenuItemCount() > 0 ? pSub->GetMenuItemID(0) : 0;
            if (nId == 0 || nId == static_cast<UINT>(-1))
                continue;
        }
        if (nId == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CString strText;
        ZpResourceManagerInstance()->GetMenuItemText(pPopup, static_cast<UINT>(i), strText, MF_BYPOSITION);
        CZPControl* pControl = NULL;
        if (nId == static_cast<UINT>(ZP_ID_CUSTOMIZE_CHANGEIMAGE)) {
            pControl = pControls->Add(zpControlPopup, static_cast<int>(nId));
            CRefPtr<CZPPopupToolBar> pPicker = CRefPtr<CZPPopupToolBar>::Adopt(ZpCreatePopupToolBar(NULL));
            pPicker->SetBarID(static_cast<UINT>(ZP_ID_CUSTOMIZE_CHANGEIMAGE));
            pPicker->SetImageManager(m_pPickerImages);
            if (CZPControlPopup* pPopupControl = DYNAMIC_DOWNCAST(CZPControlPopup, pControl))
                pPopupControl->SetCommandBar(pPicker.Get());
        } else if (nId == static_cast<UINT>(ZP_ID_CUSTOMIZE_NAME)) {
            pControl = pControls->AddControl(new CCustomizeEdit, static_cast<int>(nId));
        } else {
            pControl = pControls->AddControl(new CCustomizeButton, static_cast<int>(nId));
        }
        if (pControl == NULL)
            continue;
        const int nTab = strText.Find(L'\t');
        if (nTab >= 0) {
            pControl->SetShortcutText(strText.Mid(nTab + 1));
            strText = strText.Left(nTab);
        }
        pControl->SetCaption(strText);
        pControl->SetBeginGroup(bBeginGroup);
        bBeginGroup = FALSE;
    }
}

void CZPCustomizeSheet::FillPicker(CZPCommandBar* pPicker)
{
    if (pPicker == NULL || pPicker->CountControls() > 0 || m_nPickerImages == 0)
        return;
    for (int i = 1; i <= m_nPickerImages; ++i) {
        CZPControl* pButton = pPicker->GetControls()->AddControl(new CCustomizeButton, ZP_ID_CUSTOMIZE_CHANGEIMAGE);
        if (pButton == NULL)
            continue;
        pButton->SetIconId(i);
        pButton->SetFlags(pButton->GetFlags() | kNoUpdateFlag);
    }
    const int nColumns = static_cast<int>(std::sqrt(static_cast<double>(m_nPickerImages)));
    pPicker->SetPreferredWidth(nColumns * ZP_CUSTOMIZE_PICKER_CELL + ZP_CUSTOMIZE_PICKER_BORDER);
}

CZPControl* CZPCustomizeSheet::GetSelection() const
{
    return m_pCommandBars != NULL ? m_pCommandBars->GetCustomizeSelection() : NULL;
}

void CZPCustomizeSheet::ShowContextMenu(CPoint ptScreen)
{
    if (m_pContextMenu == NULL || GetSelection() == NULL)
        return;
    CRefPtr<CZPPopupBar> hold = CRefPtr<CZPPopupBar>::AddRef(m_pContextMenu);
    // The selection is held across the menu: a command may drop it from its bar.
    CRefPtr<CZPControl> selection = CRefPtr<CZPControl>::AddRef(GetSelection());
    if (CZPControl* pName = m_pContextMenu->GetControls()->FindControlById(ZP_ID_CUSTOMIZE_NAME)) {
        if (CZPControlEdit* pEdit = DYNAMIC_DOWNCAST(CZPControlEdit, pName))
            pEdit->SetEditText(selection->GetCaption());
    }
    UINT nFlags = TPM_RECURSE;
    if (m_pCommandBars->IsRightToLeft())
        nFlags |= TPM_RIGHTALIGN;
    ZpTrackPopupBar(m_pContextMenu, nFlags, ptScreen.x, ptScreen.y, GetSite(), NULL, this);
}

void CZPCustomizeSheet::QueryCommandState(int nId, BOOL* pbEnabled, BOOL* pbChecked) const
{
    BOOL bEnabled = FALSE;
    BOOL bChecked = FALSE;
    CZPControl* pControl = GetSelection();
    if (pControl != NULL) {
        const BOOL bImage = CanCarryImage(pControl);
        const int nStyle = pControl->GetStyle();
        switch (nId) {
        case ZP_ID_CUSTOMIZE_RESET:
            bEnabled = pControl->GetCustomIconId() > 0 || !pControl->GetCustomCaption().IsEmpty() ||
                       pControl->GetCustomStyle() != -1;
            break;
        case ZP_ID_CUSTOMIZE_DELETE:
        case ZP_ID_CUSTOMIZE_NAME:
            bEnabled = TRUE;
            break;
        case ZP_ID_CUSTOMIZE_COPYIMAGE:
        case ZP_ID_CUSTOMIZE_EDITIMAGE:
        case ZP_ID_CUSTOMIZE_CHANGEIMAGE:
            bEnabled = bImage;
            break;
        case ZP_ID_CUSTOMIZE_PASTEIMAGE:
            bEnabled = IsImageKind(pControl->GetType()) && ::IsClipboardFormatAvailable(CF_BITMAP);
            break;
        case ZP_ID_CUSTOMIZE_RESETIMAGE:
            bEnabled = pControl->GetCustomIconId() > 0;
            break;
        case ZP_ID_CUSTOMIZE_DEFAULTSTYLE:
            bEnabled = bImage;
            bChecked = !bImage || nStyle == kStyleDefault || nStyle == kStyleIcon;
            break;
        case ZP_ID_CUSTOMIZE_TEXTONLY:
            bEnabled = bImage;
            bChecked = bImage && nStyle == kStyleCaption;
            break;
        case ZP_ID_CUSTOMIZE_IMAGEANDTEXT:
            bEnabled = bImage;
            bChecked = bImage && nStyle == kStyleIconAndCaption;
            break;
        case ZP_ID_CUSTOMIZE_BEGINGROUP:
            bEnabled = pControl->GetIndex() > 0;
            bChecked = pControl->GetBeginGroup();
            break;
        default:
            break;
        }
    }
    if (pbEnabled != NULL)
        *pbEnabled = bEnabled;
    if (pbChecked != NULL)
        *pbChecked = bChecked;
}

BOOL CZPCustomizeSheet::RunCommand(int nId)
{
    BOOL bEnabled = FALSE;
    QueryCommandState(nId, &bEnabled, NULL);
    if (!bEnabled)
        return FALSE;
    CRefPtr<CZPControl> pControl = CRefPtr<CZPControl>::AddRef(GetSelection());
    // Taken before anything changes: Delete removes the control from it.
    CRefPtr<CZPCommandBar> pBar = CRefPtr<CZPCommandBar>::AddRef(pControl->GetParent());
    switch (nId) {
    case ZP_ID_CUSTOMIZE_RESET:
        pControl->ResetCustomization();
        break;
    case ZP_ID_CUSTOMIZE_DELETE:
        m_pCommandBars->SetCustomizeSelection(NULL);
        if (pControl->GetControls() != NULL)
            pControl->GetControls()->Remove(pControl.Get());
        break;
    case ZP_ID_CUSTOMIZE_COPYIMAGE:
        CopyButtonImage(pControl.Get());
        break;
    case ZP_ID_CUSTOMIZE_PASTEIMAGE:
        PasteButtonImage(pControl.Get());
        break;
    case ZP_ID_CUSTOMIZE_EDITIMAGE:
        EditButtonImage(pControl.Get());
        break;
    case ZP_ID_CUSTOMIZE_RESETIMAGE:
        pControl->SetCustomIconId(0);
        break;
    case ZP_ID_CUSTOMIZE_DEFAULTSTYLE:
        pControl->SetCustomStyle(kStyleDefault);
        break;
    case ZP_ID_CUSTOMIZE_TEXTONLY:
        pControl->SetCustomStyle(kStyleCaption);
        break;
    case ZP_ID_CUSTOMIZE_IMAGEANDTEXT:
        pControl->SetCustomStyle(kStyleIconAndCaption);
        break;
    case ZP_ID_CUSTOMIZE_BEGINGROUP:
        pControl->SetBeginGroup(!pControl->GetBeginGroup());
        break;
    default:
        return FALSE;
    }
    if (pBar)
        pBar->RecalcBarLayout();
    return TRUE;
}

BOOL CZPCustomizeSheet::CopyButtonImage(CZPControl* pControl)
{
    CZPImageManager* pImages = pControl->GetImageManager();
    CZPImageManagerIcon* pIcon =
        pImages != NULL ? pImages->GetImage(static_cast<UINT>(pControl->GetIconId()), kImageWidth) : NULL;
    if (pIcon == NULL)
        return FALSE;
    const CSize size = pIcon->GetExtent();
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    const BOOL bAlpha = pIcon->HasAlphaNormalImage();
    // The straight-alpha image cut out of its strip, or the icon over button face.
    HBITMAP hBitmap = NULL;
    if (bAlpha) {
        hBitmap = ZpCopyStraightAlphaBitmap(pIcon->GetNormalStateImage());
    } else {
        CDC dcScreen;
        dcScreen.Attach(::GetDC(NULL));
        hBitmap = ::CreateCompatibleBitmap(dcScreen.m_hDC, size.cx, size.cy);
        ::ReleaseDC(NULL, dcScreen.Detach());
        if (hBitmap != NULL) {
            CDC dc;
            dc.CreateCompatibleDC(NULL);
            HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
            CRect rc(0, 0, size.cx, size.cy);
            dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
            pIcon->DrawNormal(&dc, 0, 0);
            ::SelectObject(dc.m_hDC, hOld);
        }
    }
    if (hBitmap == NULL)
        return FALSE;
    if (!::OpenClipboard(m_hWnd)) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    BOOL bDone = FALSE;
    if (::EmptyClipboard()) {
        bDone = ZpSetClipboardBitmap(hBitmap, bAlpha);
        hBitmap = NULL;
        if (pImages->GetIconSet(static_cast<UINT>(pControl->GetIconId())) != NULL)
            pImages->CopyIconSetToClipboard(static_cast<UINT>(pControl->GetIconId()));
    }
    ::CloseClipboard();
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    return bDone;
}

BOOL CZPCustomizeSheet::PasteButtonImage(CZPControl* pControl)
{
    CZPImageManager* pImages = pControl->GetImageManager();
    if (pImages == NULL || !::OpenClipboard(m_hWnd))
        return FALSE;
    UINT nNewId = 0;
    const UINT nSetFormat = ::RegisterClipboardFormatW(L"Zodeda ToolBar Image");
    if (::IsClipboardFormatAvailable(nSetFormat)) {
        ::CloseClipboard();
        COleDataObject data;
        if (data.AttachClipboard())
            nNewId = pImages->PasteIconSetFromClipboard(&data);
    } else {
        // The clipboard keeps its bitmap: it is only read, never freed here.
        HBITMAP hClip = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
        CSize size;
        CZPImageManagerStateImage image;
        if (hClip != NULL && ZpGetClipboardBitmapSize(&size)) {
            const int cx = std::min(static_cast<int>(size.cx), kImageWidth * 4);
            const int cy = std::min(static_cast<int>(size.cy), kImageWidth * 4);
            BOOL bAlpha = ZpIsClipboardBitmapMarkedAlpha();
            HBITMAP hAlpha = bAlpha ? ZpReadClipboardBitmap(cx, cy, &bAlpha) : NULL;
            if (hAlpha != NULL && !bAlpha) {
                ::DeleteObject(hAlpha);
                hAlpha = NULL;
            }
            if (hAlpha != NULL) {
                image.TakeBitmap(hAlpha);
            } else {
                HIMAGELIST hList = ::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 0);
                if (hList != NULL) {
                    // Only the image-size corner goes in: the list cuts the bitmap into cells.
                    CDC dcSource;
                    CDC dcCorner;
                    dcSource.CreateCompatibleDC(NULL);
                    dcCorner.CreateCompatibleDC(NULL);
                    HDC hScreen = ::GetDC(NULL);
                    HBITMAP hCorner = ::CreateCompatibleBitmap(hScreen, cx, cy);
                    ::ReleaseDC(NULL, hScreen);
                    HGDIOBJ hOldSource = ::SelectObject(dcSource.m_hDC, hClip);
                    HGDIOBJ hOldCorner = ::SelectObject(dcCorner.m_hDC, hCorner);
                    ::BitBlt(dcCorner.m_hDC, 0, 0, cx, cy, dcSource.m_hDC, 0, 0, SRCCOPY);
                    ::SelectObject(dcSource.m_hDC, hOldSource);
                    ::SelectObject(dcCorner.m_hDC, hOldCorner);
                    ::ImageList_AddMasked(hList, hCorner, ::GetSysColor(COLOR_BTNFACE));
                    ::DeleteObject(hCorner);
                    if (::ImageList_GetImageCount(hList) == 1)
                        image.AttachIcon(::ImageList_GetIcon(hList, 0, ILD_NORMAL));
                    ::ImageList_Destroy(hList);
                }
            }
        }
        ::CloseClipboard();
        if (!image.IsEmpty())
            nNewId = pImages->AddCustomIcon(&image);
    }
    if (nNewId == 0)
        return FALSE;
    pControl->SetCustomIconId(static_cast<int>(nNewId));
    return TRUE;
}

BOOL CZPCustomizeSheet::EditButtonImage(CZPControl* pControl)
{
    CZPImageManager* pImages = pControl->GetImageManager();
    if (pImages == NULL)
        return FALSE;
    const CSize sizeIcon = pControl->GetIconSize();
    CZPImageManagerIcon* pIcon = pImages->GetImage(static_cast<UINT>(pControl->GetIconId()), sizeIcon.cx);
    CZPImageEditorDlg dlg(this, TRUE);
    if (pIcon != NULL && pIcon->GetNormalStateImage() != NULL)
        dlg.SetIcon(pIcon->GetNormalStateImage());
    else
        dlg.SetIconSize(sizeIcon);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    CZPImageManagerStateImage image;
    if (!dlg.GetIcon(&image))
        return FALSE;
    // An existing custom icon is changed in place; otherwise the control gets a new one.
    const int nCustom = pControl->GetCustomIconId();
    CZPImageManagerIcon* pCustom = nCustom > 0 ? pImages->GetImage(static_cast<UINT>(nCustom), sizeIcon.cx) : NULL;
    if (pCustom != NULL)
        return pCustom->SetNormalImage(&image);
    const UINT nId = pImages->AddCustomIcon(&image);
    if (nId == 0)
        return FALSE;
    pControl->SetCustomIconId(static_cast<int>(nId));
    return TRUE;
}

void CZPCustomizeSheet::OnPickerClicked(CZPControl* pPicker)
{
    CZPControl* pControl = GetSelection();
    if (pControl == NULL || pPicker == NULL)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pControl);
    CZPImageManagerIconSet* pSet = m_pPickerImages->GetIconSet(static_cast<UINT>(pPicker->GetIconId()));
    if (pSet == NULL || pSet->GetIcons().GetCount() != 1)
        return;
    CZPImageManagerIcon* pIcon = pSet->GetIcon(kPickerImageSide);
    CZPImageManager* pImages = pControl->GetImageManager();
    if (pIcon == NULL || pImages == NULL)
        return;
    const UINT nId = pImages->AddCustomIcon(pIcon->GetNormalStateImage());
    if (nId == 0)
        return;
    pControl->SetCustomIconId(static_cast<int>(nId));
    if (CZPCommandBar* pBar = pControl->GetParent())
        pBar->RecalcBarLayout();
}

void CZPCustomizeSheet::OnNameCommitted(CZPControl* pEdit)
{
    CZPControlEdit* pNameEdit = DYNAMIC_DOWNCAST(CZPControlEdit, pEdit);
    CZPControl* pControl = GetSelection();
    if (pNameEdit == NULL || pControl == NULL)
        return;
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(pControl);
    pControl->SetCustomCaption(pNameEdit->GetEditText());
    pControl->OnCaptionChanged();
    if (CZPCommandBar* pBar = pControl->GetParent())
        pBar->RecalcBarLayout();
}

LRESULT CZPCustomizeSheet::OnControlNotify(WPARAM wParam, LPARAM lParam)
{
    ZpControlNotifyRecord* pRecord = reinterpret_cast<ZpControlNotifyRecord*>(lParam);
    if (pRecord == NULL || pRecord->hdr.code != ZpNotifyExecute)
        return 0;
    const int nId = static_cast<int>(wParam);
    if (nId == ZP_ID_CUSTOMIZE_NAME) {
        OnNameCommitted(pRecord->pControl);
        return 1;
    }
    if (nId == ZP_ID_CUSTOMIZE_CHANGEIMAGE) {
        OnPickerClicked(pRecord->pControl);
        return 1;
    }
    if (nId >= ZP_ID_CUSTOMIZE_RESET && nId <= ZP_ID_CUSTOMIZE_BEGINGROUP)
        return 0;
    // Another control's command goes on to the frame.
    if (pRecord->pControl != NULL && pRecord->pControl->GetParent() != NULL)
        pRecord->pControl->GetParent()->EndTracking();
    if (m_hWndSite == NULL)
        return 0;
    if (::SendMessageW(m_hWndSite, ZpMsgExecute, wParam, lParam) == 0)
        ::SendMessageW(m_hWndSite, WM_COMMAND, MAKEWPARAM(nId, 0), 0);
    return 1;
}

BOOL CZPCustomizeSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const int nId = static_cast<int>(nID);
    if (nId >= ZP_ID_CUSTOMIZE_RESET && nId <= ZP_ID_CUSTOMIZE_BEGINGROUP) {
        if (nCode == CN_UPDATE_COMMAND_UI) {
            CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
            if (pCmdUI == NULL)
                return TRUE;
            BOOL bEnabled = FALSE;
            BOOL bChecked = FALSE;
            QueryCommandState(nId, &bEnabled, &bChecked);
            // "Default Style" of a control without image shows checked and disabled.
            pCmdUI->Enable(bEnabled);
            pCmdUI->SetCheck(bChecked);
            return TRUE;
        }
        if (nCode == CN_COMMAND) {
            if (pHandlerInfo == NULL)
                RunCommand(nId);
            return TRUE;
        }
    }
    if (nCode == CN_COMMAND && (nId == IDOK || nId == IDCANCEL || nId == IDHELP))
        return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    CWnd* pSite = CWnd::FromHandlePermanent(m_hWndSite);
    return pSite != NULL && pSite->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CZPCustomizeSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    if (HWND hOK = ::GetDlgItem(m_hWnd, IDOK))
        ::ShowWindow(hOK, SW_HIDE);
    CString strClose;
    if (ZpResourceManagerInstance()->LoadString(strClose, ZP_IDS_CUSTOMIZE_CLOSE))
        ::SetDlgItemTextW(m_hWnd, IDCANCEL, strClose);
    return bResult;
}

BOOL CZPCustomizeSheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSKEYDOWN && m_hWnd != NULL) {
        // Alt with the mnemonic of a tab selects that page.
        HWND hTab = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETTABCONTROL, 0, 0));
        const int nTabs = hTab != NULL ? static_cast<int>(::SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0)) : 0;
        for (int i = 0; i < nTabs; ++i) {
            WCHAR szText[256] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = szText;
            item.cchTextMax = 255;
            if (!::SendMessageW(hTab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
                continue;
            const WCHAR* pAmp = wcsrchr(szText, L'&');
            if (pAmp != NULL && pAmp[1] != 0 && ZpIsMnemonicKey(pAmp[1], static_cast<UINT>(pMsg->wParam))) {
                SetActivePage(i);
                return TRUE;
            }
        }
    }
    return CPropertySheet::PreTranslateMessage(pMsg);
}

int CZPCustomizeSheet::MessageBox(LPCWSTR lpszText, UINT nType)
{
    HWND hWndFocus = ::GetFocus();
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->EnableModeless(FALSE);
    const BOOL bSiteEnabled = m_hWndSite != NULL && ::IsWindowEnabled(m_hWndSite);
    if (m_hWnd != NULL)
        ::EnableWindow(m_hWnd, FALSE);
    if (bSiteEnabled)
        ::EnableWindow(m_hWndSite, FALSE);
    if (m_hWnd != NULL && (::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
        nType |= MB_RTLREADING;
    const LPCWSTR lpszCaption = pApp != NULL ? pApp->m_pszAppName : NULL;
    const int nResult = ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
    if (m_hWnd != NULL)
        ::EnableWindow(m_hWnd, TRUE);
    if (bSiteEnabled)
        ::EnableWindow(m_hWndSite, TRUE);
    if (pApp != NULL)
        pApp->EnableModeless(TRUE);
    if (hWndFocus != NULL && ::IsWindow(hWndFocus))
        ::SetFocus(hWndFocus);
    return nResult;
}

INT_PTR CZPCustomizeSheet::DoModal()
{
    if (s_pRunning != NULL || m_pCommandBars == NULL || m_hWnd != NULL)
        return IDCANCEL;
    CRefPtr<CZPCommandBars> hold = CRefPtr<CZPCommandBars>::AddRef(m_pCommandBars);
    m_pCommandBars->SetCustomizeMode(TRUE);
    m_pCommandBars->GetDragTracker()->SetSheet(this);
    const HWND hWndOwner = PrepareModal();
    m_hooks = ZpCustomizeHookRecord();
    m_hooks.pSheet = this;
    s_pRunning = &m_hooks;
    InstallHooks();
    if (HWND hWndCapture = ::GetCapture())
        ::SendMessageW(hWndCapture, WM_CANCELMODE, 0, 0);
    if (CreateModal(hWndOwner)) {
        if (m_pCommandBars->IsRightToLeft()) {
            ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                                (::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYOUTRTL) & ~WS_EX_NOINHERITLAYOUT);
            ::InvalidateRect(m_hWnd, NULL, TRUE);
        }
        RunModal();
    }
    if (m_hWnd != NULL)
        ::ShowWindow(m_hWnd, SW_HIDE);
    RemoveHooks();
    EndModal(hWndOwner);
    m_pCommandBars->SetCustomizeMode(FALSE);
    m_pCommandBars->GetDragTracker()->SetSheet(NULL);
    m_pCommandBars->EndAllTracking();
    s_pRunning = NULL;
    return m_nModalResult;
}

void CZPCustomizeSheet::InstallHooks()
{
    if (m_hWndSite == NULL)
        return;
    const DWORD dwThread = ::GetCurrentThreadId();
    m_hooks.hMouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, NULL, dwThread);
    m_hooks.hKeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, KeyboardHookProc, NULL, dwThread);
    m_hooks.hCallWndHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndHookProc, NULL, dwThread);
}

void CZPCustomizeSheet::RemoveHooks()
{
    for (HHOOK* phHook : { &m_hooks.hMouseHook, &m_hooks.hKeyboardHook, &m_hooks.hCallWndHook }) {
        if (*phHook != NULL)
            ::UnhookWindowsHookEx(*phHook);
        *phHook = NULL;
    }
}

BOOL CZPCustomizeSheet::OnMouseHookEvent(UINT nMessage, HWND hWnd, POINT ptScreen)
{
    if (nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE)
        return TRUE;
    CZPMouseManager* pMouse = ZpMouseManagerIfExists();
    if (pMouse != NULL && pMouse->GetTrackedCount() > 0) {
        // A menu without command bars (the customize menu itself) takes its clicks.
        CZPCommandBar* pBar = DYNAMIC_DOWNCAST(CZPCommandBar, CWnd::FromHandlePermanent(hWnd));
        if (pBar != NULL && pBar->FindCommandBars() == NULL)
            return TRUE;
        if (pMouse->OnMouseHook(HC_ACTION, nMessage, ptScreen))
            return FALSE;
    }
    const HWND hWndForeground = ::GetForegroundWindow();
    // The sheet comes forward, but never over its own message boxes and dialogs.
    if (m_hWndSite != NULL && (::GetWindowLongPtrW(m_hWndSite, GWL_STYLE) & WS_CHILD) == 0 && m_hWnd != NULL &&
        ::IsWindowEnabled(m_hWnd) && !IsInside(m_hWnd, hWndForeground) && !IsOwnedBy(hWndForeground, m_hWnd)) {
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
    }
    if (!IsInside(m_hWndSite, hWnd) || IsInside(m_hWnd, hWnd) || IsInside(::GetForegroundWindow(), hWnd))
        return TRUE;
    return CommandBarOfWindow(hWnd, m_pCommandBars) != NULL;
}

BOOL CZPCustomizeSheet::OnKeyboardHookEvent() const
{
    const HWND hWndFocus = ::GetFocus();
    const HWND hWndForeground = ::GetForegroundWindow();
    if (IsInside(m_hWnd, hWndFocus) || IsInside(hWndForeground, hWndFocus) || ::GetCapture() != NULL ||
        hWndForeground == NULL)
        return TRUE;
    return hWndFocus != NULL && CommandBarOfWindow(::GetParent(hWndFocus), m_pCommandBars) != NULL;
}

LRESULT CALLBACK CZPCustomizeSheet::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    ZpCustomizeHookRecord* pRecord = s_pRunning;
    if (pRecord == NULL)
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    BOOL bPass = TRUE;
    if (nCode == HC_ACTION) {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        try {
            bPass = pRecord->pSheet->OnMouseHookEvent(static_cast<UINT>(wParam), pInfo->hwnd, pInfo->pt);
        } catch (...) {
            bPass = TRUE;
        }
    }
    return bPass ? ::CallNextHookEx(pRecord->hMouseHook, nCode, wParam, lParam) : 1;
}

LRESULT CALLBACK CZPCustomizeSheet::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    ZpCustomizeHookRecord* pRecord = s_pRunning;
    if (pRecord == NULL)
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    const BOOL bPass = nCode != HC_ACTION || pRecord->pSheet->OnKeyboardHookEvent();
    return bPass ? ::CallNextHookEx(pRecord->hKeyboardHook, nCode, wParam, lParam) : 1;
}

LRESULT CALLBACK CZPCustomizeSheet::CallWndHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    ZpCustomizeHookRecord* pRecord = s_pRunning;
    if (pRecord == NULL)
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    if (nCode == HC_ACTION) {
        const CWPSTRUCT* pInfo = reinterpret_cast<const CWPSTRUCT*>(lParam);
        CZPCustomizeSheet* pSheet = pRecord->pSheet;
        if (pInfo->hwnd == pSheet->m_hWndSite && pInfo->message == WM_NCACTIVATE && pInfo->wParam != 0 &&
            pSheet->m_hWnd != NULL)
            ::PostMessageW(pSheet->m_hWnd, ZpMsgCustomizeActivate, 0, 0);
    }
    return ::CallNextHookEx(pRecord->hCallWndHook, nCode, wParam, lParam);
}

LRESULT CZPCustomizeSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case ZpMsgExecute:
        return OnControlNotify(wParam, lParam);
    case ZpMsgCustomizeActivate:
        // Not while the sheet's own message box or dialog runs.
        if (::IsWindowEnabled(m_hWnd))
            ::SetFocus(m_hWnd);
        return 0;
    case ZpMsgInitPopup: {
        // The picker popup is filled once, just before it first shows.
        CZPCommandBar* pPopup = reinterpret_cast<CZPCommandBar*>(lParam);
        if (pPopup != NULL && pPopup->GetBarID() == static_cast<UINT>(ZP_ID_CUSTOMIZE_CHANGEIMAGE))
            FillPicker(pPopup);
        return 0;
    }
    default:
        break;
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

void CZPCustomizeSheet::CCustomizeButton::Execute()
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    CZPCommandBar* pParent = GetParent();
    if (pParent == NULL)
        return;
    CRefPtr<CZPCommandBar> root = CRefPtr<CZPCommandBar>::AddRef(pParent->FindRootParentBar());
    CWnd* pTarget = pParent->FindCommandTargetWindow();
    if (root)
        root->EndTracking();
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return;
    ZpControlNotifyRecord record = {};
    record.hdr.idFrom = static_cast<UINT_PTR>(GetID());
    record.hdr.code = ZpNotifyExecute;
    record.pControl = this;
    if (::SendMessageW(pTarget->GetSafeHwnd(), ZpMsgExecute, static_cast<WPARAM>(GetID()),
                       reinterpret_cast<LPARAM>(&record)) == 0)
        ::SendMessageW(pTarget->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(GetID(), 0), 0);
}

BOOL CZPCustomizeSheet::CCustomizeEdit::NotifyExecute()
{
    CZPCommandBar* pParent = GetParent();
    CWnd* pTarget = pParent != NULL ? pParent->FindCommandTargetWindow() : NULL;
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return FALSE;
    ZpControlNotifyRecord record = {};
    record.hdr.idFrom = static_cast<UINT_PTR>(GetID());
    record.hdr.code = ZpNotifyExecute;
    record.pControl = this;
    return ::SendMessageW(pTarget->GetSafeHwnd(), ZpMsgExecute, static_cast<WPARAM>(GetID()),
                          reinterpret_cast<LPARAM>(&record)) != 0;
}

void CZPCustomizeSheet::CCustomizeEdit::Execute()
{
    CRefPtr<CZPControl> hold = CRefPtr<CZPControl>::AddRef(this);
    CRefPtr<CZPCommandBar> pParent = CRefPtr<CZPCommandBar>::AddRef(GetParent());
    if (!pParent)
        return;
    pParent->EndTracking();
    NotifyExecute();
}

BOOL CZPCustomizeSheet::CCustomizeEdit::OnSetSelected(int bSelected)
{
    // Leaving the name edit while it has the focus commits the text.
    const BOOL bCommit = !bSelected && GetSelected() && GetEditHwnd() != NULL && ::GetFocus() == GetEditHwnd();
    if (bCommit)
        NotifyExecute();
    return CZPControlEdit::OnSetSelected(bSelected);
}
