// The button-image editor with a drawn image: a face in an alpha-less picture, the red cell
// selected and the ellipse tool checked. TOLVANE_TEST_LINGER_MS keeps it on screen for a screenshot.
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPImageEditorDlg.h"

#include <framework/app.h>
#include <framework/messages.h>

#include "message_pump.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageEditorShowcase, EditorWithADrawnImage)
{
    CWinApp app(L"ImageEditorShowcase");
    CZPImageEditorDlg dlg(NULL, FALSE);
    dlg.SetIconSize(CSize(16, 16));
    ASSERT_TRUE(dlg.Create(NULL));
    CZPImageEditorPicture& picture = dlg.GetPicture();
    const CSize cell = picture.GetCellSize();
    auto stroke = [&](int nTool, UINT nCell, int x0, int y0, int x1, int y1) {
        dlg.SelectTool(nTool);
        dlg.SelectCell(nCell);
        picture.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 * cell.cx + 1, y0 * cell.cy + 1));
        picture.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1 * cell.cx + 1, y1 * cell.cy + 1));
        picture.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x1 * cell.cx + 1, y1 * cell.cy + 1));
    };
    stroke(zpToolEllipse, 9926, 1, 1, 15, 15);  // yellow outline, transparent inside
    stroke(zpToolFill, 9926, 8, 8, 8, 8);       // filled yellow
    stroke(zpToolEllipse, 9900, 1, 1, 15, 15);  // black outline again
    stroke(zpToolFill, 9926, 8, 8, 8, 8);
    stroke(zpToolRectangle, 9900, 5, 5, 7, 7);
    stroke(zpToolRectangle, 9900, 9, 5, 11, 7);
    stroke(zpToolLine, 9916, 5, 11, 11, 11);
    stroke(zpToolPencil, 9916, 4, 10, 4, 10);
    stroke(zpToolPencil, 9916, 11, 10, 11, 10);
    dlg.SelectTool(zpToolEllipse);
    dlg.SelectCell(9916);
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_KICKIDLE, 0, 0);
    dlg.UpdateWindow();
    EXPECT_EQ(picture.GetUndoCount(), 9u);
    EXPECT_TRUE(dlg.GetToolsBar().IsWindowVisible());
    LingerForScreenshot(dlg.m_hWnd);
    dlg.DestroyWindow();
}

}  // namespace
