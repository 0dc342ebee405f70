// Tests of the button-image editor: each tool's pixels, the undo history, moves, cells, the
// tool bars' idle update and tips, import of good and bad files, and the clipboard with the bad
// bitmaps other programs may leave there.
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPImageEditorDlg.h"
#include "commandbars/ZPMouseManager.h"
#include "common/ZPImageClipboard.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"

#include <framework/app.h>
#include <framework/messages.h>
#include <framework/toolbar.h>

#include <gtest/gtest.h>

#include "DibSection.h"
#include "TempFile.h"

#include <memory>
#include <vector>

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kT = ZP_TRANSPARENT_COLOR;
const UINT kRedCell = 9916;
const UINT kLongTipCommand = 9601;

CString ImagePath(LPCWSTR lpszName)
{
    return CString(TOLVANE_IMAGE_DIR) + lpszName;
}

// A hidden window that owns the clipboard while a test puts data there.
class CClipboardOwner
{
public:
    CClipboardOwner() : m_hWnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL)) {}
    ~CClipboardOwner() { ::DestroyWindow(m_hWnd); }
    BOOL Open()
    {
        // Another program of the run may hold the clipboard for a moment.
        for (int i = 0; i < 50; ++i) {
            if (::OpenClipboard(m_hWnd))
                return ::EmptyClipboard();
            ::Sleep(20);
        }
        return FALSE;
    }
    // Puts the bitmap (taken over), with a one-byte block in each named format.
    BOOL Put(HBITMAP hBitmap, std::vector<CString> formats = {})
    {
        if (!Open())
            return FALSE;
        BOOL bSet = hBitmap == NULL || ::SetClipboardData(CF_BITMAP, hBitmap) != NULL;
        for (const CString& strFormat : formats) {
            HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
            bSet = bSet && ::SetClipboardData(::RegisterClipboardFormatW(strFormat), hData) != NULL;
        }
        ::CloseClipboard();
        return bSet;
    }

private:
    HWND m_hWnd;
};

// A 32-bpp bitmap of cx x cy with every pixel dwPixel (BGRA).
HBITMAP SolidBitmap32(int cx, int cy, DWORD dwPixel)
{
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(NULL, cx, cy, &pBits);
    ::GdiFlush();
    for (int i = 0; i < cx * cy; ++i)
        reinterpret_cast<LPDWORD>(pBits)[i] = dwPixel;
    return hBitmap;
}

// A 24-bpp bitmap: the left half clrLeft, the right half clrRight.
HBITMAP TwoColorBitmap24(int cx, int cy, COLORREF clrLeft, COLORREF clrRight)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    CMemoryDC dc(NULL, hBitmap);
    CBrush left, right;
    left.CreateSolidBrush(clrLeft);
    right.CreateSolidBrush(clrRight);
    RECT rcLeft = { 0, 0, cx / 2, cy }, rcRight = { cx / 2, 0, cx, cy };
    ::FillRect(dc, &rcLeft, static_cast<HBRUSH>(left.GetSafeHandle()));
    ::FillRect(dc, &rcRight, static_cast<HBRUSH>(right.GetSafeHandle()));
    return hBitmap;
}

class ImageEditor : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_pDlg != NULL && m_pDlg->m_hWnd != NULL)
            m_pDlg->DestroyWindow();
    }
    void Open(CSize size = CSize(16, 16), CZPImageManagerStateImage* pImage = NULL, BOOL bTrusted = FALSE)
    {
        m_pDlg.reset(new CZPImageEditorDlg(NULL, bTrusted));
        if (pImage != NULL)
            m_pDlg->SetIcon(pImage);
        else
            m_pDlg->SetIconSize(size);
        ASSERT_TRUE(m_pDlg->Create(NULL));
    }
    CZPImageEditorPicture& Picture() { return m_pDlg->GetPicture(); }
    // The window point in the middle of an image pixel.
    LPARAM At(int x, int y)
    {
        CSize cell = Picture().GetCellSize();
        return MAKELPARAM(x * cell.cx + cell.cx / 2, y * cell.cy + cell.cy / 2);
    }
    void Press(int x, int y) { Picture().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
    void Drag(int x, int y) { Picture().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }
    void Release(int x, int y) { Picture().SendMessage(WM_LBUTTONUP, 0, At(x, y)); }
    void Stroke(int nTool, int x0, int y0, int x1, int y1)
    {
        m_pDlg->SelectTool(nTool);
        Press(x0, y0);
        Drag(x1, y1);
        Release(x1, y1);
    }
    COLORREF Color(int x, int y) { return Picture().GetState()->GetColor(x, y); }
    BYTE Alpha(int x, int y) { return static_cast<BYTE>(Picture().GetState()->GetPixel(x, y) >> 24); }
    void Command(UINT nID) { m_pDlg->SendMessage(WM_COMMAND, nID, 0); }

    CWinApp m_app{ L"ImageEditorTests" };
    std::unique_ptr<CZPImageEditorDlg> m_pDlg;
};

TEST_F(ImageEditor, PencilDrawsAndAClickOnItsOwnColourErases)
{
    Open();
    EXPECT_EQ(Picture().GetState(), nullptr);  // a new image starts empty
    Stroke(zpToolPencil, 1, 1, 4, 1);
    EXPECT_EQ(Color(1, 1), kBlack);
    EXPECT_EQ(Color(4, 1), kBlack);
    EXPECT_EQ(Color(2, 1), kT);  // only the points the mouse reported
    EXPECT_EQ(Alpha(1, 1), 255);
    EXPECT_EQ(Alpha(0, 0), 0);
    Stroke(zpToolPencil, 1, 1, 1, 1);
    EXPECT_EQ(Color(1, 1), kT);
    EXPECT_EQ(Alpha(1, 1), 0);
    EXPECT_EQ(Picture().GetUndoCount(), 2u);
}

TEST_F(ImageEditor, ShapesFollowTheMouseAndDrawInTheCurrentColour)
{
    Open();
    m_pDlg->SelectCell(kRedCell);
    // The line ends before its last pixel and follows the mouse: only the final one stays.
    m_pDlg->SelectTool(zpToolLine);
    Press(1, 1);
    Drag(1, 8);
    Drag(6, 1);
    Release(6, 1);
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(Color(x, 1), kRed) << x;
    EXPECT_EQ(Color(6, 1), kT);
    EXPECT_EQ(Color(1, 5), kT);
    EXPECT_EQ(Picture().GetUndoCount(), 1u);

    // Rectangle: an outline without the larger column and row; its inside stays as it was.
    Stroke(zpToolPencil, 4, 5, 4, 5);
    Stroke(zpToolRectangle, 7, 7, 2, 3);
    EXPECT_EQ(Color(2, 3), kRed);
    EXPECT_EQ(Color(6, 6), kRed);
    EXPECT_EQ(Color(7, 7), kT);
    EXPECT_EQ(Color(4, 5), kRed);  // painted before, left alone
    EXPECT_EQ(Color(3, 4), kT);
    // A pencil on the current colour still erases; a line over it draws.
    Stroke(zpToolLine, 2, 3, 6, 3);
    EXPECT_EQ(Color(3, 3), kRed);

    // Ellipse: its inside becomes transparent over painted pixels.
    Stroke(zpToolFill, 10, 10, 10, 10);
    EXPECT_EQ(Color(15, 15), kRed);
    m_pDlg->SelectCell(9900);
    Stroke(zpToolEllipse, 8, 8, 15, 15);
    EXPECT_EQ(Color(11, 11), kT);
    EXPECT_EQ(Color(11, 8), kBlack);
    EXPECT_EQ(Color(15, 15), kRed);  // outside the ellipse's box
    EXPECT_EQ(Alpha(11, 8), 255);
    EXPECT_EQ(Alpha(11, 11), 0);
}

TEST_F(ImageEditor, FillReplacesTheConnectedRegionOnly)
{
    Open();
    m_pDlg->SelectCell(kRedCell);
    Stroke(zpToolRectangle, 0, 0, 6, 6);  // a closed outline around 1..4
    m_pDlg->SelectCell(9913);
    Stroke(zpToolFill, 2, 2, 2, 2);
    EXPECT_EQ(Color(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(Color(4, 4), RGB(0, 0, 255));
    EXPECT_EQ(Color(0, 0), kRed);
    EXPECT_EQ(Color(10, 10), kT);
    EXPECT_EQ(Alpha(2, 2), 255);
    EXPECT_EQ(Picture().GetUndoCount(), 2u);
}

TEST_F(ImageEditor, PickReturnsToThePreviousToolAndKeepsItWhenPickedTwice)
{
    Open();
    m_pDlg->SelectCell(kRedCell);
    Stroke(zpToolPencil, 3, 3, 3, 3);
    m_pDlg->SelectTool(zpToolLine);
    m_pDlg->SelectTool(zpToolPick);
    m_pDlg->SelectTool(zpToolPick);
    Press(3, 3);
    EXPECT_EQ(m_pDlg->GetCurrentTool(), zpToolLine);
    EXPECT_EQ(m_pDlg->GetCurrentColor(), kRed);
    EXPECT_TRUE(m_pDlg->GetCell(ZP_IDC_IMAGEEDITOR_CUSTOM)->IsSelected());
    EXPECT_FALSE(m_pDlg->GetCell(kRedCell)->IsSelected());
    EXPECT_EQ(Picture().GetUndoCount(), 1u);  // picking changes no pixel
}

TEST_F(ImageEditor, SeventeenStrokesLeaveSixteenUndoStepsAndANewStrokeEmptiesRedo)
{
    Open();
    for (int i = 0; i < 17; ++i)
        Stroke(zpToolPencil, i % 16, i / 16, i % 16, i / 16);
    EXPECT_EQ(Picture().GetUndoCount(), 16u);
    for (int i = 0; i < 20; ++i)
        Command(ZP_ID_IMAGEEDITOR_UNDO);
    EXPECT_EQ(Picture().GetUndoCount(), 0u);
    EXPECT_EQ(Picture().GetRedoCount(), 16u);
    EXPECT_EQ(Color(0, 0), kBlack);  // the first stroke can no longer be undone
    EXPECT_EQ(Color(1, 0), kT);
    Command(ZP_ID_IMAGEEDITOR_REDO);
    EXPECT_EQ(Color(1, 0), kBlack);
    Stroke(zpToolPencil, 5, 5, 5, 5);
    EXPECT_EQ(Picture().GetRedoCount(), 0u);
    EXPECT_EQ(Picture().GetUndoCount(), 2u);
}

TEST_F(ImageEditor, ButtonUpAndCaptureLossCommitOnce)
{
    Open();
    m_pDlg->SelectTool(zpToolPencil);
    Press(2, 2);
    EXPECT_EQ(::GetCapture(), Picture().m_hWnd);
    Release(2, 2);
    Picture().SendMessage(WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(Picture().GetUndoCount(), 1u);
    // Capture taken away mid-stroke commits it; the later button-up does nothing more.
    Press(3, 3);
    ::ReleaseCapture();
    Drag(4, 4);
    Release(4, 4);
    EXPECT_EQ(Picture().GetUndoCount(), 2u);
    EXPECT_EQ(Color(3, 3), kBlack);
    EXPECT_EQ(Color(4, 4), kT);
    Command(ZP_ID_IMAGEEDITOR_UNDO);
    Command(ZP_ID_IMAGEEDITOR_UNDO);
    EXPECT_EQ(Picture().GetState(), nullptr);
}

TEST_F(ImageEditor, MovesLoseWhatIsPushedOutAndClearEmptiesThePicture)
{
    Open();
    m_pDlg->SelectCell(kRedCell);
    Stroke(zpToolFill, 0, 0, 0, 0);
    for (int i = 0; i < 4; ++i)
        Command(ZP_ID_IMAGEEDITOR_MOVE_RIGHT);
    for (int i = 0; i < 4; ++i)
        Command(ZP_ID_IMAGEEDITOR_MOVE_LEFT);
    EXPECT_EQ(Color(11, 0), kRed);
    EXPECT_EQ(Color(12, 0), kT);
    EXPECT_EQ(Color(15, 15), kT);
    Command(ZP_ID_IMAGEEDITOR_MOVE_DOWN);
    Command(ZP_ID_IMAGEEDITOR_MOVE_UP);
    EXPECT_EQ(Color(0, 15), kT);
    EXPECT_EQ(Color(0, 14), kRed);
    Command(ZP_ID_IMAGEEDITOR_CLEAR);
    EXPECT_EQ(Picture().GetState(), nullptr);
    CZPImageManagerStateImage result;
    EXPECT_FALSE(m_pDlg->GetIcon(&result));  // an empty picture gives nothing back
    EXPECT_TRUE(result.IsEmpty());
    Command(ZP_ID_IMAGEEDITOR_UNDO);
    EXPECT_EQ(Color(0, 0), kRed);
}

TEST_F(ImageEditor, CellsScaleWithTheImageAndNeverVanish)
{
    struct Case
    {
        CSize size;
        CSize image;
    };
    const Case cases[] = {
        { CSize(16, 16), CSize(16, 16) },     { CSize(24, 24), CSize(24, 24) }, { CSize(0, 0), CSize(16, 16) },
        { CSize(300, 300), CSize(300, 300) }, { CSize(300, 1), CSize(300, 1) },
    };
    int cxCell16 = 0;
    for (const Case& c : cases) {
        Open(c.size);
        CSize cell = Picture().GetCellSize();
        EXPECT_EQ(Picture().GetImageSize(), c.image);
        EXPECT_GE(cell.cx, 1);
        EXPECT_GE(cell.cy, 1);
        if (c.image.cx == 16)
            cxCell16 = cell.cx;
        if (c.image.cx == 24) {
            EXPECT_LT(cell.cx, cxCell16);
        }
        CRect rc;
        Picture().GetClientRect(&rc);
        if (c.image.cx * cell.cx < 200) {
            EXPECT_EQ(rc.Width(), c.image.cx * cell.cx + 1);
        }
        // The bottom-right window pixel maps into the image (to its last pixel while cells are
        // whole) and drawing there works.
        CPoint pt = Picture().PixelFromPoint(CPoint(rc.right - 2, rc.bottom - 2));
        EXPECT_LT(pt.x, c.image.cx);
        EXPECT_LT(pt.y, c.image.cy);
        EXPECT_GE(pt.x, c.image.cx - c.image.cx / rc.Width() - 2);
        if (c.image.cx * cell.cx < 200) {
            EXPECT_EQ(pt, CPoint(c.image.cx - 1, c.image.cy - 1));
        }
        m_pDlg->SelectTool(zpToolPencil);
        Picture().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 2, rc.bottom - 2));
        Picture().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.right - 2, rc.bottom - 2));
        EXPECT_EQ(Color(pt.x, pt.y), kBlack);
        m_pDlg->DestroyWindow();
    }
}

TEST_F(ImageEditor, PicturePaintsCellsCheckerboardAlphaAndFrame)
{
    HBITMAP hAlpha = SolidBitmap32(16, 16, 0x80FF0000);  // straight red at half alpha
    CZPImageManagerStateImage image;
    image.TakeBitmap(hAlpha);
    Open(CSize(), &image);
    ASSERT_TRUE(Picture().GetState()->IsAlpha());
    CRect rc;
    Picture().GetClientRect(&rc);
    CSize cell = Picture().GetCellSize();
    CDibSection dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
    Picture().DrawPicture(CDC::FromHandle(dib.GetDC()), rc);
    EXPECT_EQ(dib.GetPixel(0, 0), kBlack);  // frame
    EXPECT_EQ(dib.GetPixel(rc.Width() - 1, 5), kBlack);
    EXPECT_EQ(dib.GetPixel(cell.cx + 1, 1), RGB(255, 127, 127));  // over white: (255*128+255*127)/255
    EXPECT_EQ(dib.GetPixel(5, 1), RGB(245, 117, 117));            // over RGB(235, 235, 235)

    // Without alpha: colours as they are, transparency as the checkerboard.
    m_pDlg->DestroyWindow();
    Open();
    Stroke(zpToolPencil, 1, 0, 1, 0);
    Picture().DrawPicture(CDC::FromHandle(dib.GetDC()), rc);
    EXPECT_EQ(dib.GetPixel(cell.cx + 2, 2), kBlack);
    EXPECT_EQ(dib.GetPixel(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(dib.GetPixel(5, 2), RGB(235, 235, 235));
    EXPECT_EQ(dib.GetPixel(5, 5), RGB(255, 255, 255));
    // An empty picture is plain white.
    Command(ZP_ID_IMAGEEDITOR_CLEAR);
    Picture().DrawPicture(CDC::FromHandle(dib.GetDC()), rc);
    EXPECT_EQ(dib.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dib.GetPixel(5, 2), RGB(255, 255, 255));
}

TEST_F(ImageEditor, ImagesGoInAndComeBackOut)
{
    // A premultiplied slot image comes in straight, clamped, transparent where alpha is 0.
    CZPImageManager manager;
    const UINT nCommand = 7;
    CZPImageManagerStateImage source;
    HBITMAP hStraight = SolidBitmap32(16, 16, 0x80FF4000);
    source.TakeBitmap(hStraight);
    ASSERT_TRUE(manager.SetIcon(&source, nCommand, 16, 16, 0));
    CZPImageManagerStateImage* pSlotImage = manager.GetImage(nCommand, 16)->GetNormalStateImage();
    ASSERT_NE(pSlotImage->GetSlot(), nullptr);
    Open(CSize(), pSlotImage);
    EXPECT_EQ(Picture().GetImageSize(), CSize(16, 16));
    ASSERT_TRUE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Alpha(3, 3), 0x80);
    EXPECT_EQ(Color(3, 3), RGB(255, 63, 0));  // 0x80 * 0x40 / 255 = 32, back: 32 * 255 / 128
    CZPImageManagerStateImage result;
    ASSERT_TRUE(m_pDlg->GetIcon(&result));
    EXPECT_TRUE(result.IsAlpha());
    EXPECT_EQ(result.GetExtent(), CSize(16, 16));

    // A plain image comes in opaque and goes out as an icon with its transparency.
    m_pDlg->DestroyWindow();
    Open(CSize(20, 12));
    Stroke(zpToolPencil, 19, 11, 19, 11);
    CZPImageManagerStateImage plain;
    ASSERT_TRUE(m_pDlg->GetIcon(&plain));
    ASSERT_NE(plain.GetIcon(), nullptr);
    EXPECT_EQ(plain.GetExtent(), CSize(20, 12));
    m_pDlg->DestroyWindow();
    Open(CSize(), &plain);
    EXPECT_FALSE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(19, 11), kBlack);
    EXPECT_EQ(Color(0, 0), kT);
    EXPECT_EQ(Alpha(0, 0), 0);
    EXPECT_EQ(Alpha(19, 11), 255);
}

TEST_F(ImageEditor, UnpremultiplyClampsChannelsAboveAlpha)
{
    // Damaged premultiplied pixels (a channel above alpha) must not wrap around.
    BYTE pixels[] = { 200, 50, 10, 100, 0, 0, 0, 0, 9, 9, 9, 0 };
    ZpUnpremultiplyBits(pixels, 3);
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[1], 127);
    EXPECT_EQ(pixels[2], 25);
    EXPECT_EQ(pixels[3], 100);
    const BYTE transparent[] = { 255, 254, 255, 0 };
    EXPECT_EQ(memcmp(pixels + 4, transparent, 4), 0);
    EXPECT_EQ(memcmp(pixels + 8, transparent, 4), 0);
}

TEST_F(ImageEditor, ToolBarsUpdateAtIdleAndShowTheirTips)
{
    Open();
    CToolBarCtrl& tools = m_pDlg->GetToolsBar().GetToolBarCtrl();
    ASSERT_EQ(tools.GetButtonCount(), 12);
    CRect rcFirst, rcFifth, rcLast;
    tools.GetItemRect(0, &rcFirst);
    tools.GetItemRect(4, &rcFifth);
    tools.GetItemRect(11, &rcLast);
    EXPECT_EQ(rcFirst.Size(), CSize(23, 23));
    EXPECT_EQ(rcFifth.left, rcFirst.left);  // a row break after every fourth button
    EXPECT_EQ(rcFifth.top, rcFirst.bottom);
    EXPECT_EQ(rcLast.top, rcFirst.top + 2 * 23);
    EXPECT_EQ(m_pDlg->GetMoveBar().GetToolBarCtrl().GetButtonCount(), 4);

    m_pDlg->SendMessage(WM_KICKIDLE, 0, 0);
    EXPECT_TRUE(tools.IsButtonChecked(ZP_ID_IMAGEEDITOR_PENCIL));
    EXPECT_FALSE(tools.IsButtonEnabled(ZP_ID_IMAGEEDITOR_UNDO));
    EXPECT_FALSE(tools.IsButtonEnabled(ZP_ID_IMAGEEDITOR_REDO));
    EXPECT_TRUE(tools.IsButtonEnabled(ZP_ID_IMAGEEDITOR_COPY));
    Command(ZP_ID_IMAGEEDITOR_ELLIPSE);
    Stroke(zpToolEllipse, 1, 1, 5, 5);
    Command(ZP_ID_IMAGEEDITOR_UNDO);
    m_pDlg->SendMessage(WM_KICKIDLE, 0, 0);
    EXPECT_TRUE(tools.IsButtonChecked(ZP_ID_IMAGEEDITOR_ELLIPSE));
    EXPECT_FALSE(tools.IsButtonChecked(ZP_ID_IMAGEEDITOR_PENCIL));
    EXPECT_FALSE(tools.IsButtonEnabled(ZP_ID_IMAGEEDITOR_UNDO));
    EXPECT_TRUE(tools.IsButtonEnabled(ZP_ID_IMAGEEDITOR_REDO));

    struct Tip
    {
        CToolBar* pBar;
        UINT nID;
        CString strText;
    };
    const Tip tips[] = {
        { &m_pDlg->GetToolsBar(), ZP_ID_IMAGEEDITOR_FILL, L"Fill Color" },
        { &m_pDlg->GetToolsBar(), ZP_ID_IMAGEEDITOR_IMPORT, L"Import from File" },
        { &m_pDlg->GetMoveBar(), ZP_ID_IMAGEEDITOR_MOVE_LEFT, L"" },  // no string, no tip
        { &m_pDlg->GetToolsBar(), kLongTipCommand, CString(L"0123456789").Left(10) },
    };
    for (const Tip& tip : tips) {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(tip.pBar->SendMessage(TB_GETTOOLTIPS));
        info.hdr.idFrom = tip.nID;
        info.hdr.code = TTN_NEEDTEXTW;
        tip.pBar->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        CString strShown = info.lpszText != NULL ? info.lpszText : L"";
        if (tip.nID == kLongTipCommand) {
            EXPECT_EQ(strShown.GetLength(), 80);
            EXPECT_EQ(strShown.Left(10), tip.strText);
        } else {
            EXPECT_STREQ(strShown, tip.strText) << tip.nID;
        }
    }
}

TEST_F(ImageEditor, PaletteCellsSelectAndTheTrustedWindowComesAndGoes)
{
    Open(CSize(16, 16), NULL, TRUE);
    EXPECT_EQ(m_pDlg->GetCurrentColor(), kBlack);
    CZPImageEditorPicker* pRed = m_pDlg->GetCell(kRedCell);
    ASSERT_NE(pRed, nullptr);
    CRect rc;
    pRed->GetWindowRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(11, 11));
    pRed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(m_pDlg->GetCurrentColor(), kRed);
    EXPECT_TRUE(pRed->IsSelected());
    EXPECT_FALSE(m_pDlg->GetCell(9900)->IsSelected());
    m_pDlg->GetCell(ZP_IDC_IMAGEEDITOR_TRANSPARENT)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(m_pDlg->GetCurrentColor(), kT);

    CRect rcDlg;
    m_pDlg->GetWindowRect(&rcDlg);
    m_pDlg->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(ZpMouseManager()->IsTrustedWindowAt(rcDlg.CenterPoint()));
    m_pDlg->DestroyWindow();
    EXPECT_FALSE(ZpMouseManager()->IsTrustedWindowAt(rcDlg.CenterPoint()));
}

TEST_F(ImageEditor, ImportTakesGoodFilesAndRefusesBadOnesUnchanged)
{
    Open();
    // Bad files first: nothing changes, no undo step.
    CTempFile empty(""), garbage("BM this is no bitmap at all");
    std::vector<CString> copies;
    auto as = [&copies](const CTempFile& file, LPCWSTR lpszExt) {
        copies.push_back(CString(static_cast<LPCWSTR>(file)) + lpszExt);
        ::CopyFileW(file, copies.back(), FALSE);
        return copies.back();
    };
    const CString bad[] = { ImagePath(L"bad_truncated.bmp"),
                            ImagePath(L"bad_signature.png"),
                            as(empty, L".png"),
                            as(empty, L".ico"),
                            as(garbage, L".bmp"),
                            as(garbage, L".gif"),
                            ImagePath(L"bad_short_image.ico"),
                            ImagePath(L"missing.jpg") };
    for (const CString& strPath : bad)
        EXPECT_FALSE(Picture().Import(strPath)) << CStringA(strPath).GetString();
    for (const CString& strPath : copies)
        ::DeleteFileW(strPath);
    EXPECT_EQ(Picture().GetState(), nullptr);
    EXPECT_EQ(Picture().GetUndoCount(), 0u);

    // A 32-bit bitmap keeps its alpha; the top-left corner of a wider picture is taken.
    ASSERT_TRUE(Picture().Import(ImagePath(L"strip_alpha.bmp")));
    ASSERT_TRUE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(5, 5), RGB(200, 0, 0));
    EXPECT_EQ(Alpha(5, 5), 255);
    EXPECT_EQ(Color(0, 0), kT);
    EXPECT_EQ(Alpha(0, 0), 0);
    // The icon's 16-pixel image with alpha.
    ASSERT_TRUE(Picture().Import(ImagePath(L"icon32.ico")));
    EXPECT_TRUE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(8, 8), kRed);
    // A PNG without alpha is opaque; the rest of the picture is transparent.
    ASSERT_TRUE(Picture().Import(ImagePath(L"rgb.png")));
    EXPECT_FALSE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(Color(2, 2), kT);
    EXPECT_EQ(Picture().GetUndoCount(), 3u);
}

// ---------------------------------------------------------------------------------------------
// Clipboard

TEST_F(ImageEditor, AlphaImageRoundTripsThroughTheClipboard)
{
    HBITMAP hAlpha = SolidBitmap32(16, 16, 0x80204060);
    CZPImageManagerStateImage image;
    image.TakeBitmap(hAlpha);
    Open(CSize(), &image);
    Stroke(zpToolPencil, 2, 2, 2, 2);
    Command(ZP_ID_IMAGEEDITOR_COPY);
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_ZPALPHABITMAP));
    Command(ZP_ID_IMAGEEDITOR_CLEAR);
    Command(ZP_ID_IMAGEEDITOR_PASTE);
    ASSERT_NE(Picture().GetState(), nullptr);
    EXPECT_TRUE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(5, 5), RGB(0x20, 0x40, 0x60));
    EXPECT_EQ(Alpha(5, 5), 0x80);
    EXPECT_EQ(Color(2, 2), kBlack);
    EXPECT_EQ(Alpha(2, 2), 255);
}

TEST_F(ImageEditor, PlainImageRoundTripsAs24BitsWithTheButtonFaceAsTransparency)
{
    Open();
    m_pDlg->SelectCell(kRedCell);
    Stroke(zpToolPencil, 1, 1, 1, 1);
    Command(ZP_ID_IMAGEEDITOR_COPY);
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_ZPALPHABITMAP));
    ASSERT_TRUE(::OpenClipboard(NULL));
    BITMAP bm = {};
    ::GetObjectW(::GetClipboardData(CF_BITMAP), sizeof(bm), &bm);
    ::CloseClipboard();
    EXPECT_EQ(bm.bmWidth, 16);
    Command(ZP_ID_IMAGEEDITOR_CLEAR);
    Command(ZP_ID_IMAGEEDITOR_PASTE);
    ASSERT_NE(Picture().GetState(), nullptr);
    EXPECT_FALSE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(1, 1), kRed);
    EXPECT_EQ(Color(0, 0), kT);

    // Another program's 24-bit bitmap: its button-face pixels become transparent, the corner is taken.
    CClipboardOwner owner;
    ASSERT_TRUE(owner.Put(TwoColorBitmap24(40, 30, ::GetSysColor(COLOR_BTNFACE), RGB(0, 0, 255))));
    Command(ZP_ID_IMAGEEDITOR_PASTE);
    EXPECT_EQ(Color(0, 0), kT);
    EXPECT_EQ(Alpha(0, 0), 0);
    EXPECT_EQ(Color(15, 15), kT);  // x 15 < 20: still the left half
    owner.Put(TwoColorBitmap24(8, 8, RGB(0, 255, 0), RGB(0, 0, 255)));
    Command(ZP_ID_IMAGEEDITOR_PASTE);
    EXPECT_EQ(Color(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(Color(7, 7), RGB(0, 0, 255));
    EXPECT_EQ(Alpha(7, 7), 255);
    EXPECT_EQ(Color(8, 8), kT);  // beyond the small bitmap
}

TEST_F(ImageEditor, BadClipboardBitmapsChangeNothing)
{
    Open();
    m_pDlg->SelectCell(kRedCell);
    Stroke(zpToolPencil, 4, 4, 4, 4);
    CClipboardOwner owner;
    struct Case
    {
        const char* pszName;
        HBITMAP hBitmap;
        std::vector<CString> formats;
    };
    std::vector<Case> cases;
    cases.push_back({ "huge", ::CreateBitmap(20000, 20000, 1, 1, NULL), { L"Alpha Bitmap Image" } });
    cases.push_back({ "marker without a bitmap", NULL, { L"Alpha Bitmap Image" } });
    cases.push_back({ "wider than 4096", ::CreateBitmap(4097, 1, 1, 1, NULL), {} });
    for (Case& c : cases) {
        if (c.hBitmap == NULL && std::string(c.pszName) == "huge")
            continue;  // the system could not make it: nothing to paste
        ASSERT_TRUE(owner.Put(c.hBitmap, c.formats)) << c.pszName;
        Command(ZP_ID_IMAGEEDITOR_PASTE);
        EXPECT_EQ(Picture().GetUndoCount(), 1u) << c.pszName;
        EXPECT_EQ(Color(4, 4), kRed) << c.pszName;
    }
}

TEST_F(ImageEditor, OddClipboardBitmapsPasteWithoutAlpha)
{
    Open();
    CClipboardOwner owner;
    // 1 bpp marked as alpha: black and white pixels, opaque.
    HBITMAP hMono = ::CreateBitmap(16, 16, 1, 1, NULL);
    {
        CMemoryDC dc(NULL, hMono);
        ::PatBlt(dc, 0, 0, 16, 16, WHITENESS);
        ::PatBlt(dc, 0, 0, 4, 4, BLACKNESS);
    }
    ASSERT_TRUE(owner.Put(hMono, { L"Alpha Bitmap Image" }));
    Command(ZP_ID_IMAGEEDITOR_PASTE);
    ASSERT_NE(Picture().GetState(), nullptr);
    EXPECT_FALSE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(1, 1), kBlack);
    EXPECT_EQ(Color(8, 8), RGB(255, 255, 255));
    EXPECT_EQ(Alpha(8, 8), 255);
    // 32 bpp with all alpha 0 though marked: the colours count, opaque.
    ASSERT_TRUE(owner.Put(SolidBitmap32(16, 16, 0x00204060), { L"Alpha Bitmap Image" }));
    Command(ZP_ID_IMAGEEDITOR_PASTE);
    EXPECT_FALSE(Picture().GetState()->IsAlpha());
    EXPECT_EQ(Color(3, 3), RGB(0x20, 0x40, 0x60));
    EXPECT_EQ(Alpha(3, 3), 255);
    EXPECT_EQ(Picture().GetUndoCount(), 2u);
}

TEST_F(ImageEditor, Dib32CountsOnlyInsideARegisteredName)
{
    CClipboardOwner owner;
    struct Case
    {
        LPCWSTR lpszFormat;
        BOOL bAlpha;
    };
    const Case cases[] = { { L"Tolvane DIB32 Test", TRUE }, { L"DIB32 Tolvane Test", FALSE } };
    for (const Case& c : cases) {
        ASSERT_TRUE(owner.Put(SolidBitmap32(4, 4, 0x80102030), { c.lpszFormat }));
        ASSERT_TRUE(::OpenClipboard(NULL));
        EXPECT_EQ(ZpIsClipboardBitmapMarkedAlpha(), c.bAlpha) << CStringA(c.lpszFormat).GetString();
        BOOL bAlpha = ZpIsClipboardBitmapMarkedAlpha();
        HBITMAP hBitmap = ZpReadClipboardBitmap(0, 0, &bAlpha);
        HBITMAP hClipboard = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
        ::CloseClipboard();
        ASSERT_NE(hBitmap, nullptr);
        EXPECT_EQ(bAlpha, c.bAlpha);
        BITMAP bm = {};
        EXPECT_EQ(::GetObjectW(hClipboard, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));  // still the clipboard's
        ::DeleteObject(hBitmap);
    }
}

TEST_F(ImageEditor, SlotImageCopiesOnlyItsOwnRectangleStraight)
{
    CZPImageManager manager;
    const DWORD pixels[] = { 0xFF0000FF, 0x80FF8000 };
    for (UINT i = 0; i < 2; ++i) {
        CZPImageManagerStateImage source;
        source.TakeBitmap(SolidBitmap32(16, 16, pixels[i]));
        ASSERT_TRUE(manager.SetIcon(&source, 10 + i, 16, 16, 0));
    }
    CZPImageManagerStateImage* pSecond = manager.GetImage(11, 16)->GetNormalStateImage();
    ASSERT_NE(pSecond->GetSlot(), nullptr);
    HBITMAP hCopy = ZpCopyStraightAlphaBitmap(pSecond);
    ASSERT_NE(hCopy, nullptr);
    BITMAP bm = {};
    ::GetObjectW(hCopy, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);  // not the shared strip
    EXPECT_EQ(bm.bmHeight, 16);
    ::GdiFlush();
    DWORD dwPixel = static_cast<LPDWORD>(bm.bmBits)[0];
    EXPECT_EQ(dwPixel >> 24, 0x80u);
    EXPECT_EQ((dwPixel >> 16) & 0xFF, 0xFFu);
    EXPECT_NEAR(static_cast<int>((dwPixel >> 8) & 0xFF), 0x80, 1);
    ::DeleteObject(hCopy);
    CZPImageManagerStateImage plain;
    EXPECT_EQ(ZpCopyStraightAlphaBitmap(&plain), nullptr);
}

}  // namespace
