// The button-image editor dialog: its tool bars, palette and commands around the picture.
#include "commandbars/ZPImageEditorDlg.h"

#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPImageClipboard.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"
#include "common/ZPResourceManager.h"

#include <framework/memorydc.h>
#include <framework/messages.h>

#include <utility>

BEGIN_MESSAGE_MAP(CZPImageEditorDlg, CDialog)
ON_WM_DESTROY()
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
ON_COMMAND_RANGE(ZP_ID_IMAGEEDITOR_PENCIL, ZP_ID_IMAGEEDITOR_ELLIPSE, OnTool)
ON_UPDATE_COMMAND_UI_RANGE(ZP_ID_IMAGEEDITOR_PENCIL, ZP_ID_IMAGEEDITOR_ELLIPSE, OnUpdateTool)
ON_COMMAND(ZP_ID_IMAGEEDITOR_COPY, OnCopy)
ON_COMMAND(ZP_ID_IMAGEEDITOR_PASTE, OnPaste)
ON_COMMAND(ZP_ID_IMAGEEDITOR_CLEAR, OnClear)
ON_COMMAND(ZP_ID_IMAGEEDITOR_UNDO, OnUndo)
ON_UPDATE_COMMAND_UI(ZP_ID_IMAGEEDITOR_UNDO, OnUpdateUndo)
ON_COMMAND(ZP_ID_IMAGEEDITOR_REDO, OnRedo)
ON_UPDATE_COMMAND_UI(ZP_ID_IMAGEEDITOR_REDO, OnUpdateRedo)
ON_COMMAND(ZP_ID_IMAGEEDITOR_IMPORT, OnImport)
ON_COMMAND_RANGE(ZP_ID_IMAGEEDITOR_MOVE_LEFT, ZP_ID_IMAGEEDITOR_MOVE_RIGHT, OnMove)
ON_NOTIFY_EX_RANGE(NM_CLICK, ZP_IDC_IMAGEEDITOR_TRANSPARENT, ZP_IDC_IMAGEEDITOR_CUSTOM, OnCellClick)
ON_NOTIFY_EX_RANGE(NM_CLICK, ZP_IDC_IMAGEEDITOR_PALETTE_FIRST, ZP_IDC_IMAGEEDITOR_PALETTE_LAST, OnCellClick)
END_MESSAGE_MAP()

namespace {

const int kDefaultSide = 16;
const SIZE kButtonSize = { 23, 23 };
const SIZE kImageSize = { 16, 16 };
// The tool bars stand this far left of and above their placeholders.
const int kBarOffsetX = 7;
const int kBarOffsetY = 4;
const int kToolsPerRow = 4;
const int kToolImages = 12;
const COLORREF kMask16 = RGB(192, 192, 192);
// Palette cells: 11 pixels, 13 apart, from 4 pixels above the placeholder.
const int kCellSide = 11;
const int kCellStep = 13;
const int kCellsPerRow = 8;
const int kPaletteRise = 4;

const UINT kToolButtons[] = {
    ZP_ID_IMAGEEDITOR_PENCIL,    ZP_ID_IMAGEEDITOR_FILL,    ZP_ID_IMAGEEDITOR_UNDO,  ZP_ID_IMAGEEDITOR_REDO,
    ZP_ID_IMAGEEDITOR_PICK,      ZP_ID_IMAGEEDITOR_LINE,    ZP_ID_IMAGEEDITOR_COPY,  ZP_ID_IMAGEEDITOR_PASTE,
    ZP_ID_IMAGEEDITOR_RECTANGLE, ZP_ID_IMAGEEDITOR_ELLIPSE, ZP_ID_IMAGEEDITOR_CLEAR, ZP_ID_IMAGEEDITOR_IMPORT,
};
const UINT kMoveButtons[] = { ZP_ID_IMAGEEDITOR_MOVE_LEFT, ZP_ID_IMAGEEDITOR_MOVE_DOWN, ZP_ID_IMAGEEDITOR_MOVE_UP,
                              ZP_ID_IMAGEEDITOR_MOVE_RIGHT };

struct PaletteCell
{
    UINT nID;
    COLORREF clr;
};
const int kPaletteCells = 16;
const PaletteCell kPalette[kPaletteCells] = {
    { 9900, RGB(0, 0, 0) },       { 9915, RGB(128, 128, 128) }, { 9908, RGB(128, 0, 0) }, { 9910, RGB(128, 128, 0) },
    { 9911, RGB(0, 128, 0) },     { 9912, RGB(0, 128, 128) },   { 9905, RGB(0, 0, 128) }, { 9922, RGB(128, 0, 128) },
    { 9939, RGB(255, 255, 255) }, { 9931, RGB(192, 192, 192) }, { 9916, RGB(255, 0, 0) }, { 9926, RGB(255, 255, 0) },
    { 9927, RGB(0, 255, 0) },     { 9928, RGB(0, 255, 255) },   { 9913, RGB(0, 0, 255) }, { 9924, RGB(255, 0, 255) },
};
const UINT kFirstSelectedCell = 9900;

}  // namespace

CZPImageEditorDlg::CZPImageEditorDlg(CWnd* pParent, BOOL bTrustedWindow)
    : CDialog(static_cast<LPCWSTR>(NULL), pParent), m_cxImage(kDefaultSide), m_cyImage(kDefaultSide),
      m_nCurrentTool(zpToolPencil), m_nPreviousTool(-1), m_nSelectedCell(kFirstSelectedCell),
      m_bTrustedWindow(bTrustedWindow), m_bTrustedRegistered(FALSE)
{}

CZPImageEditorDlg::~CZPImageEditorDlg() = default;

void CZPImageEditorDlg::SetIconSize(CSize size)
{
    // A 0 x 0 image (or any empty side) would give no pixel to paint and divide by zero.
    m_cxImage = size.cx > 0 ? size.cx : kDefaultSide;
    m_cyImage = size.cy > 0 ? size.cy : kDefaultSide;
}

void CZPImageEditorDlg::SetIcon(CZPImageManagerStateImage* pImage)
{
    m_pInitial.reset();
    if (pImage == NULL || pImage->IsEmpty()) {
        SetIconSize(pImage != NULL ? pImage->GetExtent() : CSize(0, 0));
        return;
    }
    SetIconSize(pImage->GetExtent());
    if (pImage->IsAlpha()) {
        HBITMAP hBitmap = ZpCopyStraightAlphaBitmap(pImage);
        m_pInitial = CZPImageEditorPicture::CAlphaBitmap::FromBitmap(hBitmap, m_cxImage, m_cyImage, TRUE);
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return;
    }
    m_pInitial = CZPImageEditorPicture::CAlphaBitmap::Create(m_cxImage, m_cyImage, FALSE);
    if (m_pInitial == NULL)
        return;
    {
        CMemoryDC dc(NULL, m_pInitial->GetHandle());
        CDC* pDC = CDC::FromHandle(dc);
        pImage->Draw(pDC, 0, 0, m_cxImage, m_cyImage, FALSE);
    }
    // Drawing leaves GDI's alpha bytes: they are set from the colours again.
    m_pInitial->FixAlpha(NULL);
}

BOOL CZPImageEditorDlg::GetIcon(CZPImageManagerStateImage* pImage) const
{
    const CZPImageEditorPicture::CAlphaBitmap* pState = m_wndPicture.GetState();
    if (pState == NULL || pImage == NULL)
        return FALSE;
    if (pState->IsAlpha()) {
        HBITMAP hBitmap = ZpCopyAlphaBitmap(pState->GetHandle(), NULL);
        if (hBitmap == NULL)
            return FALSE;
        pImage->TakeBitmap(hBitmap);
        return TRUE;
    }
    HIMAGELIST hList = ImageList_Create(m_cxImage, m_cyImage, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (hList == NULL)
        return FALSE;
    ImageList_AddMasked(hList, pState->GetHandle(), ZP_TRANSPARENT_COLOR);
    BOOL bResult = FALSE;
    if (ImageList_GetImageCount(hList) == 1) {
        HICON hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
        if (hIcon != NULL) {
            pImage->SetIcon(hIcon);
            bResult = TRUE;
        }
    }
    ImageList_Destroy(hList);
    return bResult;
}

LPCDLGTEMPLATEW CZPImageEditorDlg::LoadTemplate() const
{
    return reinterpret_cast<LPCDLGTEMPLATEW>(ZpResourceManagerInstance()->LoadDialogTemplate(ZP_IDD_IMAGEEDITOR));
}

INT_PTR CZPImageEditorDlg::DoModal()
{
    LPCDLGTEMPLATEW lpTemplate = LoadTemplate();
    if (lpTemplate == NULL || !InitModalIndirect(lpTemplate, m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

BOOL CZPImageEditorDlg::Create(CWnd* pParentWnd)
{
    LPCDLGTEMPLATEW lpTemplate = LoadTemplate();
    return lpTemplate != NULL && CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CZPImageEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Images: the 32-bit strip where the common controls draw alpha, else the 16-colour one.
    CZPResourceManager* pResources = ZpResourceManagerInstance();
    CBitmap bmpStrip;
    const BOOL b32 = ZpIsComCtl6();
    if (pResources->LoadBitmap(&bmpStrip, b32 ? ZP_IDB_IMAGEEDITOR_32 : ZP_IDB_IMAGEEDITOR_16)) {
        const UINT nFlags = (b32 ? ILC_COLOR32 : ILC_COLOR24) | ILC_MASK;
        BITMAP bm = {};
        bmpStrip.GetBitmap(&bm);
        // The move bar takes the images after the tools' twelve: a copy of that part of the strip
        // (removing images from a list loses their masks on some systems).
        const int xMove = kToolImages * kImageSize.cx;
        LPBYTE pBits = NULL;
        CBitmap bmpMove;
        if (bm.bmWidth > xMove && bmpMove.Attach(ZpCreateDibSection32(NULL, bm.bmWidth - xMove, bm.bmHeight, &pBits))) {
            CMemoryDC dcStrip(NULL, static_cast<HBITMAP>(bmpStrip.GetSafeHandle()));
            CMemoryDC dcMove(NULL, static_cast<HBITMAP>(bmpMove.GetSafeHandle()));
            ::BitBlt(dcMove, 0, 0, bm.bmWidth - xMove, bm.bmHeight, dcStrip, xMove, 0, SRCCOPY);
        }
        const std::pair<CImageList*, CBitmap*> lists[] = { { &m_ilTools, &bmpStrip }, { &m_ilMove, &bmpMove } };
        for (const auto& list : lists) {
            HBITMAP hImages = static_cast<HBITMAP>(list.second->GetSafeHandle());
            if (hImages == NULL || !list.first->Create(kImageSize.cx, kImageSize.cy, nFlags, 0, 1))
                continue;
            if (b32)
                ImageList_Add(*list.first, hImages, NULL);
            else
                ImageList_AddMasked(*list.first, hImages, kMask16);
        }
    }
    CreateToolBar(m_wndToolsBar, ZP_IDC_IMAGEEDITOR_TOOLS, &m_ilTools, kToolButtons, _countof(kToolButtons),
                  kToolsPerRow);
    CreateToolBar(m_wndMoveBar, ZP_IDC_IMAGEEDITOR_MOVE, &m_ilMove, kMoveButtons, _countof(kMoveButtons),
                  _countof(kMoveButtons));

    CreatePalette();
    if (CWnd* pCell = GetDlgItem(ZP_IDC_IMAGEEDITOR_TRANSPARENT)) {
        m_wndTransparent.SubclassWindow(pCell->m_hWnd);
        m_wndTransparent.SetColor(ZP_TRANSPARENT_COLOR);
    }
    if (CWnd* pCell = GetDlgItem(ZP_IDC_IMAGEEDITOR_CUSTOM)) {
        m_wndCustom.SubclassWindow(pCell->m_hWnd);
        m_wndCustom.SetColor(RGB(0, 0, 0));
    }
    SelectCell(kFirstSelectedCell);

    m_wndPicture.Attach(this, GetDlgItem(ZP_IDC_IMAGEEDITOR_PICTURE), m_cxImage, m_cyImage);
    m_wndPicture.SetState(std::move(m_pInitial));
    if (CWnd* pPreview = GetDlgItem(ZP_IDC_IMAGEEDITOR_PREVIEW)) {
        m_wndPreview.SubclassWindow(pPreview->m_hWnd);
        m_wndPreview.SetDialog(this);
    }
    if (m_bTrustedWindow) {
        ZpMouseManager()->AddTrustedWindow(m_hWnd);
        m_bTrustedRegistered = TRUE;
    }
    SendMessage(WM_KICKIDLE, 0, 0);
    return TRUE;
}

BOOL CZPImageEditorDlg::CreateToolBar(CDlgToolBar& bar, UINT nIDPlaceholder, CImageList* pImages, const UINT* pIDs,
                                      int nCount, int nButtonsPerRow)
{
    CWnd* pPlaceholder = GetDlgItem(static_cast<int>(nIDPlaceholder));
    if (pPlaceholder == NULL ||
        !bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), nIDPlaceholder))
        return FALSE;
    bar.SetOwner(this);
    if (pImages->GetSafeHandle() != NULL)
        bar.GetToolBarCtrl().SetImageList(pImages);
    bar.SetSizes(kButtonSize, kImageSize);
    bar.SetButtons(pIDs, nCount);
    for (int i = nButtonsPerRow - 1; i < nCount - 1; i += nButtonsPerRow)
        bar.SetButtonWrap(i, TRUE);
    bar.GetToolBarCtrl().AutoSize();
    CRect rc;
    pPlaceholder->GetWindowRect(&rc);
    ScreenToClient(&rc);
    pPlaceholder->ShowWindow(SW_HIDE);
    CSize size = bar.CalcFixedLayout(FALSE, TRUE);
    // Above the group box around it, which paints its whole area.
    ::SetWindowPos(bar.m_hWnd, HWND_TOP, rc.left - kBarOffsetX, rc.top - kBarOffsetY, size.cx, size.cy, SWP_NOACTIVATE);
    return TRUE;
}

void CZPImageEditorDlg::CreatePalette()
{
    CWnd* pPlaceholder = GetDlgItem(ZP_IDC_IMAGEEDITOR_COLORS);
    if (pPlaceholder == NULL)
        return;
    CRect rc;
    pPlaceholder->GetWindowRect(&rc);
    ScreenToClient(&rc);
    pPlaceholder->ShowWindow(SW_HIDE);
    for (int i = 0; i < kPaletteCells; ++i) {
        CRect rcCell(
            CPoint(rc.left + (i % kCellsPerRow) * kCellStep, rc.top - kPaletteRise + (i / kCellsPerRow) * kCellStep),
            CSize(kCellSide, kCellSide));
        m_cells[i].Create(NULL, WS_CHILD | WS_VISIBLE | SS_NOTIFY, rcCell, this, kPalette[i].nID);
        m_cells[i].SetColor(kPalette[i].clr);
    }
}

void CZPImageEditorDlg::OnDestroy()
{
    if (m_bTrustedRegistered) {
        if (CZPMouseManager* pManager = ZpMouseManagerIfExists())
            pManager->RemoveTrustedWindow(m_hWnd);
        m_bTrustedRegistered = FALSE;
    }
    CDialog::OnDestroy();
}

LRESULT CZPImageEditorDlg::OnKickIdle(WPARAM, LPARAM)
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return 0;
}

CZPImageEditorPicker* CZPImageEditorDlg::GetCell(UINT nID)
{
    if (nID == ZP_IDC_IMAGEEDITOR_TRANSPARENT)
        return &m_wndTransparent;
    if (nID == ZP_IDC_IMAGEEDITOR_CUSTOM)
        return &m_wndCustom;
    for (int i = 0; i < kPaletteCells; ++i)
        if (kPalette[i].nID == nID)
            return &m_cells[i];
    return NULL;
}

COLORREF CZPImageEditorDlg::GetCurrentColor() const
{
    CZPImageEditorPicker* pCell = const_cast<CZPImageEditorDlg*>(this)->GetCell(m_nSelectedCell);
    return pCell != NULL ? pCell->GetColor() : RGB(0, 0, 0);
}

void CZPImageEditorDlg::SelectCell(UINT nID)
{
    CZPImageEditorPicker* pNew = GetCell(nID);
    if (pNew == NULL)
        return;
    if (CZPImageEditorPicker* pOld = GetCell(m_nSelectedCell))
        pOld->SetSelected(FALSE);
    m_nSelectedCell = nID;
    pNew->SetSelected(TRUE);
}

void CZPImageEditorDlg::SelectTool(int nTool)
{
    if (nTool < zpToolPencil || nTool > zpToolEllipse)
        return;
    if (nTool == zpToolPick && m_nCurrentTool != zpToolPick)
        m_nPreviousTool = m_nCurrentTool;
    m_nCurrentTool = nTool;
}

void CZPImageEditorDlg::PickColor(COLORREF clr)
{
    m_wndCustom.SetColor(clr);
    SelectCell(ZP_IDC_IMAGEEDITOR_CUSTOM);
    if (m_nPreviousTool >= 0)
        m_nCurrentTool = m_nPreviousTool;
}

void CZPImageEditorDlg::OnPictureChanged()
{
    if (m_wndPicture.m_hWnd != NULL)
        m_wndPicture.Invalidate(FALSE);
    if (m_wndPreview.m_hWnd != NULL)
        m_wndPreview.Invalidate(FALSE);
}

void CZPImageEditorDlg::OnTool(UINT nID)
{
    SelectTool(static_cast<int>(nID - ZP_ID_IMAGEEDITOR_PENCIL));
}

void CZPImageEditorDlg::OnUpdateTool(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(static_cast<int>(pCmdUI->m_nID - ZP_ID_IMAGEEDITOR_PENCIL) == m_nCurrentTool);
}

void CZPImageEditorDlg::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndPicture.GetUndoCount() > 0);
}

void CZPImageEditorDlg::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndPicture.GetRedoCount() > 0);
}

void CZPImageEditorDlg::OnCopy()
{
    m_wndPicture.CopyToClipboard();
}

void CZPImageEditorDlg::OnPaste()
{
    m_wndPicture.PasteFromClipboard();
}

void CZPImageEditorDlg::OnClear()
{
    m_wndPicture.Clear();
}

void CZPImageEditorDlg::OnUndo()
{
    m_wndPicture.Undo();
}

void CZPImageEditorDlg::OnRedo()
{
    m_wndPicture.Redo();
}

void CZPImageEditorDlg::OnImport()
{
    CString strFilter;
    ZpResourceManagerInstance()->LoadString(strFilter, ZP_IDS_IMAGEEDITOR_FILTER);
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, strFilter, this);
    if (dlg.DoModal() == IDOK)
        m_wndPicture.Import(dlg.GetPathName());
}

void CZPImageEditorDlg::OnMove(UINT nID)
{
    switch (nID) {
    case ZP_ID_IMAGEEDITOR_MOVE_LEFT:
        m_wndPicture.Move(-1, 0);
        break;
    case ZP_ID_IMAGEEDITOR_MOVE_DOWN:
        m_wndPicture.Move(0, 1);
        break;
    case ZP_ID_IMAGEEDITOR_MOVE_UP:
        m_wndPicture.Move(0, -1);
        break;
    default:
        m_wndPicture.Move(1, 0);
        break;
    }
}

BOOL CZPImageEditorDlg::OnCellClick(UINT nID, NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (nID == ZP_IDC_IMAGEEDITOR_CUSTOM) {
        CColorDialog dlg(m_wndCustom.GetColor(), CC_FULLOPEN, this);
        if (dlg.DoModal() != IDOK)
            return TRUE;
        m_wndCustom.SetColor(dlg.GetColor());
    }
    SelectCell(nID);
    return TRUE;
}
