// The modal "Button Editor": paints a command's button image pixel by pixel with its tools,
// palette, move buttons, clipboard, import and a bounded undo history.
#pragma once

#include <framework.h>
#include <framework/dialog.h>
#include <framework/imagelist.h>
#include <framework/toolbar.h>

#include "commandbars/ZPImageEditorCells.h"
#include "commandbars/ZPImageEditorPicture.h"

#include <memory>

class CZPImageManagerStateImage;

class CZPImageEditorDlg : public CDialog
{
public:
    // A tool bar of the dialog: updated at idle with the dialog as its command target.
    class CDlgToolBar : public CToolBar
    {};

    // bTrustedWindow: the mouse manager lets the dialog take input while a customize sheet runs.
    explicit CZPImageEditorDlg(CWnd* pParent = NULL, BOOL bTrustedWindow = FALSE);
    ~CZPImageEditorDlg() override;

    // The size of a new image; 0 x 0 stands for 16 x 16.
    void SetIconSize(CSize size);
    CSize GetIconSize() const { return CSize(m_cxImage, m_cyImage); }
    // The image to edit (its size becomes the image size); NULL or empty: a new, empty picture.
    void SetIcon(CZPImageManagerStateImage* pImage);
    // After OK: the edited image; FALSE (pImage unchanged) when the picture is empty.
    BOOL GetIcon(CZPImageManagerStateImage* pImage) const;

    INT_PTR DoModal() override;
    // Modeless, for tests and tools that drive the editor themselves.
    BOOL Create(CWnd* pParentWnd);

    int GetCurrentTool() const { return m_nCurrentTool; }
    COLORREF GetCurrentColor() const;
    // Picks a colour off the picture into the custom cell and returns to the previous tool.
    void PickColor(COLORREF clr);
    void SelectTool(int nTool);
    void SelectCell(UINT nID);
    CZPImageEditorPicture& GetPicture() { return m_wndPicture; }
    CZPImageEditorPreview& GetPreview() { return m_wndPreview; }
    CZPImageEditorPicker* GetCell(UINT nID);
    CDlgToolBar& GetToolsBar() { return m_wndToolsBar; }
    CDlgToolBar& GetMoveBar() { return m_wndMoveBar; }
    // Repaints the picture and the preview after the state changed.
    void OnPictureChanged();

    BOOL OnInitDialog() override;

protected:
    void OnDestroy();
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnTool(UINT nID);
    void OnUpdateTool(CCmdUI* pCmdUI);
    void OnUpdateUndo(CCmdUI* pCmdUI);
    void OnUpdateRedo(CCmdUI* pCmdUI);
    void OnCopy();
    void OnPaste();
    void OnClear();
    void OnUndo();
    void OnRedo();
    void OnImport();
    void OnMove(UINT nID);
    BOOL OnCellClick(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateToolBar(CDlgToolBar& bar, UINT nIDPlaceholder, CImageList* pImages, const UINT* pIDs, int nCount,
                       int nButtonsPerRow);
    void CreatePalette();
    LPCDLGTEMPLATEW LoadTemplate() const;

    int m_cxImage, m_cyImage;
    int m_nCurrentTool;
    int m_nPreviousTool;  // the tool used before Pick Color, -1 for none
    UINT m_nSelectedCell;
    BOOL m_bTrustedWindow;
    BOOL m_bTrustedRegistered;
    std::unique_ptr<CZPImageEditorPicture::CAlphaBitmap> m_pInitial;  // handed to the picture at creation
    CDlgToolBar m_wndToolsBar;
    CDlgToolBar m_wndMoveBar;
    CImageList m_ilTools;
    CImageList m_ilMove;
    CZPImageEditorPicker m_cells[16];
    CZPImageEditorPicker m_wndTransparent;
    CZPImageEditorPicker m_wndCustom;
    CZPImageEditorPicture m_wndPicture;
    CZPImageEditorPreview m_wndPreview;
};
