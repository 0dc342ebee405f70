// Platform smoke tests: each fails if Wine, the display or a dependency is broken.
#include <windows.h>
#include <gtest/gtest.h>

#include <Scintilla.h>
#include <SciLexer.h>
#include <ILexer.h>
#include <Lexilla.h>

#include <string>

namespace {

const COLORREF kPaintColour = RGB(0x20, 0x80, 0xC0);
bool g_painted = false;

void PaintClient(HWND hwnd, HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(kPaintColour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK SmokeWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintClient(hwnd, dc);
        EndPaint(hwnd, &ps);
        g_painted = true;
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintClient(hwnd, reinterpret_cast<HDC>(wp));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A 32-bit top-down DIB section selected into a memory DC.
struct DibSurface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    DWORD* bits = nullptr;
    int width, height;

    DibSurface(int w, int h) : width(w), height(h)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~DibSurface()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF Pixel(int x, int y) const
    {
        DWORD p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

TEST(Smoke, WindowPaintsIntoDibSection)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SmokeWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TolvaneSmoke";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND hwnd = CreateWindowExW(0, L"TolvaneSmoke", L"smoke", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);
    EXPECT_TRUE(g_painted);

    RECT rc;
    GetClientRect(hwnd, &rc);
    DibSurface dib(rc.right, rc.bottom);
    ASSERT_NE(dib.bits, nullptr);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc), PRF_CLIENT);
    GdiFlush();
    EXPECT_EQ(dib.Pixel(0, 0), kPaintColour);
    EXPECT_EQ(dib.Pixel(rc.right - 1, rc.bottom - 1), kPaintColour);
    DestroyWindow(hwnd);
}

TEST(Smoke, RegistryValueRoundTrips)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Dunmere\\TolvaneSmoke", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    const wchar_t text[] = L"caf\u00e9 \u65e5\u672c";
    ASSERT_EQ(RegSetValueExW(key, L"Value", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)),
              ERROR_SUCCESS);
    wchar_t back[32] = {};
    DWORD type = 0, size = sizeof(back);
    EXPECT_EQ(RegQueryValueExW(key, L"Value", nullptr, &type, reinterpret_cast<BYTE*>(back), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(back), std::wstring(text));
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Dunmere\\TolvaneSmoke"), ERROR_SUCCESS);
}

TEST(Smoke, ScintillaStylesXml)
{
    HINSTANCE inst = GetModuleHandleW(nullptr);
    ASSERT_NE(Scintilla_RegisterClasses(inst), 0);
    HWND sci = CreateWindowExW(0, L"Scintilla", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                               nullptr, nullptr, inst, nullptr);
    ASSERT_NE(sci, nullptr);
    Scintilla::ILexer5* lexer = CreateLexer("xml");
    ASSERT_NE(lexer, nullptr);
    SendMessageW(sci, SCI_SETCODEPAGE, SC_CP_UTF8, 0);
    SendMessageW(sci, SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(lexer));
    const char text[] = "<dict><key>caf\xC3\xA9</key></dict>";
    SendMessageW(sci, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text));

    char back[64] = {};
    LRESULT length = SendMessageW(sci, SCI_GETTEXT, sizeof(back), reinterpret_cast<LPARAM>(back));
    EXPECT_EQ(length, static_cast<LRESULT>(sizeof(text) - 1));
    EXPECT_STREQ(back, text);

    SendMessageW(sci, SCI_COLOURISE, 0, -1);
    EXPECT_EQ(SendMessageW(sci, SCI_GETSTYLEAT, 1, 0), SCE_H_TAG);
    DestroyWindow(sci);
}

}  // namespace
