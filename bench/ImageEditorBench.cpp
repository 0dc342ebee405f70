// The button-image editor's picture paint against StretchBlt of the same image DIB to the same
// window, in the same run. Needs a display. Usage: image_editor_bench [rounds]
#include "BenchClock.h"
#include "BenchTiming.h"

#include "commandbars/ZPImageEditorDlg.h"

#include <framework/app.h>
#include <framework/memorydc.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kBatches = 10;  // ours and the peer's alternate so that the machine's load falls on both

double OurPaints(CZPImageEditorPicture* pPicture, int nRounds)
{
    CRect rc;
    pPicture->GetClientRect(&rc);
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        CClientDC dc(pPicture);
        pPicture->DrawPicture(&dc, rc);
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

double OurWindowPaints(HWND hPicture, int nRounds)
{
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        ::InvalidateRect(hPicture, NULL, FALSE);
        ::UpdateWindow(hPicture);
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

double PeerPaints(HWND hPicture, HBITMAP hImage, int cxImage, int cyImage, int nRounds)
{
    RECT rc;
    ::GetClientRect(hPicture, &rc);
    CMemoryDC dcImage(NULL, hImage);
    const double t0 = BenchNowMs();
    for (int r = 0; r < nRounds; ++r) {
        HDC hDC = ::GetDC(hPicture);
        ::StretchBlt(hDC, 0, 0, rc.right, rc.bottom, dcImage, 0, 0, cxImage, cyImage, SRCCOPY);
        ::ReleaseDC(hPicture, hDC);
    }
    ::GdiFlush();
    return (BenchNowMs() - t0) / nRounds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 1000;
    CWinApp app(L"ImageEditorBench");
    CZPImageEditorDlg dlg(NULL, FALSE);
    dlg.SetIconSize(CSize(16, 16));
    if (!dlg.Create(NULL)) {
        printf("image editor: the dialog could not be created\n");
        return 1;
    }
    CZPImageEditorPicture& picture = dlg.GetPicture();
    // A drawn image: a filled background with an ellipse, half of it transparent.
    dlg.SelectTool(zpToolEllipse);
    CSize cell = picture.GetCellSize();
    picture.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.cx, cell.cy));
    picture.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cell.cx * 15, cell.cy * 15));
    picture.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.cx * 15, cell.cy * 15));
    dlg.ShowWindow(SW_SHOWNOACTIVATE);
    dlg.UpdateWindow();
    HBITMAP hImage = picture.GetState()->GetHandle();
    CRect rc;
    picture.GetClientRect(&rc);
    printf("image editor: %d paints of a 16 x 16 picture at %d x %d each, ours and StretchBlt in turn\n", nRounds,
           rc.Width(), rc.Height());

    double dOurs = 0, dPeer = 0;
    OurPaints(&picture, kBatches);
    PeerPaints(picture.m_hWnd, hImage, 16, 16, kBatches);
    for (int b = 0; b < kBatches; ++b) {
        dOurs += OurPaints(&picture, nRounds / kBatches);
        dPeer += PeerPaints(picture.m_hWnd, hImage, 16, 16, nRounds / kBatches);
    }
    BenchPrintRatio("image editor picture paint vs StretchBlt of the DIB", dOurs / kBatches, dPeer / kBatches, 3.0);
    printf("  (the whole WM_PAINT cycle, InvalidateRect + UpdateWindow: %.4f ms)\n",
           OurWindowPaints(picture.m_hWnd, nRounds / kBatches));
    dlg.DestroyWindow();
    return 0;
}
