// The small windows of the button-image editor: a colour cell of its palette and the preview
// that shows the edited image at real size.
#pragma once

#include <framework.h>
#include <framework/controls.h>

class CZPImageEditorDlg;

// A colour cell; a left click sends NM_CLICK with the cell's id to the parent.
class CZPImageEditorPicker : public CStatic
{
public:
    CZPImageEditorPicker();

    COLORREF GetColor() const { return m_clr; }
    void SetColor(COLORREF clr);
    BOOL IsSelected() const { return m_bSelected; }
    void SetSelected(BOOL bSelected);
    void DrawCell(CDC* pDC, const CRect& rc) const;

protected:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_clr;  // ZP_TRANSPARENT_COLOR shows the transparent pattern
    BOOL m_bSelected;
};

class CZPImageEditorPreview : public CStatic
{
public:
    CZPImageEditorPreview();
    void SetDialog(CZPImageEditorDlg* pDlg) { m_pDlg = pDlg; }
    void DrawPreview(CDC* pDC, const CRect& rc);

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CZPImageEditorDlg* m_pDlg;  // borrowed: the dialog that holds this control
};
