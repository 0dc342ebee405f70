// The About box: its template and link, the logo blended over the dialog's background (pixels
// read back from a DIB section and from the screen), and the link opening web addresses only.
#include "about/AboutDlg.h"

#include "AppIds.h"
#include "app_test_support.h"
#include "modal_step.h"

#include <common/ZPImageLoading.h>
#include <common/ZPResourceManager.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kLogoBlue = RGB(30, 80, 170);

// The logo control drawn into a 32-bit DIB section of its client size that already holds
// nFill, as a static's last frame would.
class CLogoPixels
{
public:
    CLogoPixels(CAlphaStatic& logo, COLORREF clrFill)
    {
        CRect rc;
        logo.GetClientRect(&rc);
        m_cx = rc.Width();
        m_cy = rc.Height();
        HDC hScreen = ::GetDC(NULL);
        m_dib.Attach(ZpCreateDibSection32(hScreen, m_cx, m_cy, &m_pBits));
        m_hdc = ::CreateCompatibleDC(hScreen);
        ::ReleaseDC(NULL, hScreen);
        m_hOld = ::SelectObject(m_hdc, m_dib.m_hObject);
        HBRUSH hBrush = ::CreateSolidBrush(clrFill);
        ::FillRect(m_hdc, &rc, hBrush);
        ::DeleteObject(hBrush);
        Draw(logo);
    }
    ~CLogoPixels()
    {
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteDC(m_hdc);
    }
    void Draw(CAlphaStatic& logo)
    {
        CDC dc(m_hdc);
        logo.Draw(&dc);
        dc.Detach();
        ::GdiFlush();
    }
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return CLR_INVALID;
        const BYTE* p = m_pBits + (static_cast<size_t>(m_cy - 1 - y) * m_cx + x) * 4;
        return RGB(p[2], p[1], p[0]);
    }
    int Width() const { return m_cx; }

private:
    CGdiObject m_dib;
    LPBYTE m_pBits = NULL;
    HDC m_hdc = NULL;
    HGDIOBJ m_hOld = NULL;
    int m_cx = 0, m_cy = 0;
};

// A 32-bit bitmap of one opaque colour.
HBITMAP SolidBitmap(int cx, int cy, COLORREF clr)
{
    LPBYTE pBits = NULL;
    HBITMAP hBitmap = ZpCreateDibSection32(NULL, cx, cy, &pBits);
    for (int i = 0; i < cx * cy; ++i) {
        pBits[i * 4] = GetBValue(clr);
        pBits[i * 4 + 1] = GetGValue(clr);
        pBits[i * 4 + 2] = GetRValue(clr);
        pBits[i * 4 + 3] = 255;
    }
    return hBitmap;
}

class AboutBox : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RecordingThread();  // message boxes stay recorded
        ASSERT_TRUE(m_dlg.CreateIndirect(ZpResourceManagerInstance()->LoadDialogTemplate(IDD_ABOUTBOX)));
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    CAboutDlg m_dlg;
};

TEST_F(AboutBox, TheTemplateNamesTheProductAndTheLinkTargetsItsWebSite)
{
    CString str;
    m_dlg.GetWindowText(str);
    EXPECT_STREQ(str.GetString(), L"About Tolvane");
    const DWORD kTemplateStyle = 0x80C800C8;
    EXPECT_EQ(m_dlg.GetStyle() & kTemplateStyle, kTemplateStyle);
    m_dlg.GetDlgItemText(IDOK, str);
    EXPECT_STREQ(str.GetString(), L"OK");
    EXPECT_STREQ(m_dlg.GetLink().GetTarget().GetString(), CAboutDlg::GetProductAddress());
    EXPECT_TRUE(CWebLink::IsWebAddress(CAboutDlg::GetProductAddress()));
    EXPECT_EQ(m_dlg.GetLogo().GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_BITMAP));
    BITMAP bm = {};
    ASSERT_NE(::GetObjectW(m_dlg.GetLogo().GetBitmap(), sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 100);
    EXPECT_EQ(bm.bmHeight, 100);
    EXPECT_EQ(bm.bmBitsPixel, 32);
}

// The background is filled first: drawing again over the last frame gives the same pixels.
TEST_F(AboutBox, TheLogoIsBlendedOverTheBackgroundEveryTimeAlike)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    CLogoPixels pixels(m_dlg.GetLogo(), RGB(0, 0, 0));
    ASSERT_GE(pixels.Width(), 60);
    EXPECT_EQ(pixels.At(1, 1), clrFace);      // outside the disc
    EXPECT_EQ(pixels.At(50, 10), kLogoBlue);  // the opaque disc
    // The disc's soft edge, where alpha is neither 0 nor 255.
    CPoint ptRim(-1, -1);
    for (int i = 0; i < 50 && ptRim.x < 0; ++i)
        if (pixels.At(i, i) != clrFace && pixels.At(i, i) != kLogoBlue)
            ptRim = CPoint(i, i);
    ASSERT_GE(ptRim.x, 0);
    const COLORREF clrRim = pixels.At(ptRim.x, ptRim.y);
    pixels.Draw(m_dlg.GetLogo());
    pixels.Draw(m_dlg.GetLogo());
    EXPECT_EQ(pixels.At(ptRim.x, ptRim.y), clrRim);
    EXPECT_EQ(pixels.At(1, 1), clrFace);
}

TEST_F(AboutBox, ASmallBitmapIsDrawnAtItsOwnSizeAndNoneDrawsOnlyTheBackground)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    CAlphaStatic& logo = m_dlg.GetLogo();
    const HBITMAP hLogo = logo.GetBitmap();
    CGdiObject small;
    small.Attach(SolidBitmap(10, 10, RGB(200, 0, 0)));
    logo.SetBitmap(static_cast<HBITMAP>(small.m_hObject));
    // A bitmap static takes its bitmap's size: give it the logo's room again.
    logo.SetWindowPos(NULL, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        CLogoPixels pixels(logo, RGB(0, 0, 0));
        EXPECT_EQ(pixels.At(5, 5), RGB(200, 0, 0));
        EXPECT_EQ(pixels.At(9, 9), RGB(200, 0, 0));
        EXPECT_EQ(pixels.At(10, 10), clrFace);
        EXPECT_EQ(pixels.At(50, 50), clrFace);
    }
    logo.SetBitmap(NULL);
    {
        CLogoPixels pixels(logo, RGB(0, 0, 0));
        EXPECT_EQ(pixels.At(5, 5), clrFace);
        EXPECT_EQ(pixels.At(50, 10), clrFace);
    }
    logo.SetBitmap(hLogo);
}

// Shown modally, the logo reaches the screen: read through the control's own DC.
TEST(AboutBoxModal, TheLogoIsPaintedOnTheScreenAndOkCloses)
{
    RecordingThread();
    CAboutDlg dlg;
    COLORREF clrDisc = CLR_INVALID;
    BOOL bFound = FALSE;
    CModalStep step([&] {
        bFound = FindThreadDialog() == dlg.m_hWnd;
        dlg.ShowWindow(SW_SHOW);  // as the modal loop does once idle
        CAlphaStatic& logo = dlg.GetLogo();
        logo.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC hdc = ::GetDC(logo.m_hWnd);
        clrDisc = ::GetPixel(hdc, 50, 10);
        ::ReleaseDC(logo.m_hWnd, hdc);
        ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
    });
    step.Post();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(bFound);
    EXPECT_EQ(clrDisc, kLogoBlue);
}

// The link band's banner is opaque: a plain bitmap static draws it as it is.
TEST(LinkBanner, APlainBitmapStaticDrawsIt)
{
    RecordingThread();
    CGdiObject banner;
    banner.Attach(::LoadImageW(::GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDB_LINK_BANNER), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION));
    BITMAP bm = {};
    ASSERT_NE(::GetObjectW(banner.m_hObject, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 100);
    EXPECT_EQ(bm.bmHeight, 23);

    HWND hStatic = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"",
                                     WS_POPUP | WS_VISIBLE | SS_BITMAP, 0, 0, 100, 23, NULL, NULL, NULL, NULL);
    ASSERT_NE(hStatic, nullptr);
    ::SendMessageW(hStatic, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner.m_hObject));
    ::RedrawWindow(hStatic, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC hdc = ::GetDC(hStatic);
    EXPECT_EQ(::GetPixel(hdc, 50, 11), kLogoBlue);
    EXPECT_EQ(::GetPixel(hdc, 50, 2), RGB(236, 240, 248));
    ::ReleaseDC(hStatic, hdc);
    ::DestroyWindow(hStatic);
}

TEST(WebLink, OpensWebAddressesOnly)
{
    struct Case
    {
        LPCWSTR pszAddress;
        BOOL bWeb;
    };
    const Case cases[] = {
        { L"https://www.dunmere.example/", TRUE },
        { L"HTTP://dunmere.example", TRUE },
        { L"http:/dunmere.example", FALSE },
        { L"file:///C:/windows/win.ini", FALSE },
        { L"C:\\windows\\notepad.exe", FALSE },
        { L"notepad.exe", FALSE },
        { L"mailto:someone@dunmere.example", FALSE },
        { L"", FALSE },
        { L"javascript:alert(1)", FALSE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CWebLink::IsWebAddress(c.pszAddress), c.bWeb) << c.pszAddress;
    EXPECT_FALSE(CWebLink::IsWebAddress(NULL));

    // Refused before the shell is asked: nothing starts.
    CWebLink link;
    EXPECT_FALSE(link.Open(L"notepad.exe"));
    EXPECT_FALSE(link.Open(L"file:///C:/windows/win.ini"));
}

}  // namespace
