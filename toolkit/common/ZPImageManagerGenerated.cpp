// The faded, shadow and disabled pictures an icon makes from its own images.
#include "common/ZPImageManager.h"

#include "common/ZPColorManager.h"
#include "common/ZPDrawHelpers.h"

#include <math.h>

namespace {

const int kShadowColorIndex = 31;

// Luminance x 255000 (0.299 R + 0.587 G + 0.114 B in thousandths, times 255).
int Luminance(int r, int g, int b)
{
    return 299 * r + 587 * g + 114 * b;
}

// Rules that change one straight colour, and one premultiplied pixel (blue, green, red, alpha).
class CPixelRule
{
public:
    virtual ~CPixelRule() = default;
    virtual COLORREF ChangeColor(COLORREF clr) const = 0;
    virtual void ChangePixel(BYTE* p) const = 0;
};

class CFadeRule : public CPixelRule
{
public:
    COLORREF ChangeColor(COLORREF clr) const override { return ZpLightenColor(clr, 0.3); }
    void ChangePixel(BYTE* p) const override
    {
        if (p[3] == 0)
            return;
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<BYTE>((3 * p[3] + 7 * p[c]) / 10);
    }
};

class CShadowRule : public CPixelRule
{
public:
    explicit CShadowRule(COLORREF clr) : m_clr(clr) {}
    COLORREF ChangeColor(COLORREF) const override { return m_clr; }
    void ChangePixel(BYTE* p) const override
    {
        p[0] = static_cast<BYTE>(GetBValue(m_clr) * p[3] / 255);
        p[1] = static_cast<BYTE>(GetGValue(m_clr) * p[3] / 255);
        p[2] = static_cast<BYTE>(GetRValue(m_clr) * p[3] / 255);
    }

private:
    COLORREF m_clr;
};

class CDisableRule : public CPixelRule
{
public:
    CDisableRule(COLORREF clrLight, COLORREF clrDark)
        : m_bRamp(clrLight != static_cast<COLORREF>(-1) && clrDark != static_cast<COLORREF>(-1)),
          m_clrLight(clrLight), m_clrDark(clrDark) {}

    COLORREF ChangeColor(COLORREF clr) const override
    {
        int n = Luminance(GetRValue(clr), GetGValue(clr), GetBValue(clr));
        if (m_bRamp)
            return RGB(Ramp(GetRValue(m_clrDark), GetRValue(m_clrLight), n),
                       Ramp(GetGValue(m_clrDark), GetGValue(m_clrLight), n),
                       Ramp(GetBValue(m_clrDark), GetBValue(m_clrLight), n));
        int g = static_cast<int>(255.0 * sqrt(n / 255000.0));
        return RGB(g, g, g);
    }
    void ChangePixel(BYTE* p) const override
    {
        int a = p[3];
        if (a == 0)
            return;
        int straight[3];
        for (int c = 0; c < 3; ++c) {
            int n = p[c] * 255 / a;
            straight[c] = n > 255 ? 255 : n;
        }
        COLORREF clr = ChangeColor(RGB(straight[2], straight[1], straight[0]));
        p[0] = static_cast<BYTE>(GetBValue(clr) * a / 255);
        p[1] = static_cast<BYTE>(GetGValue(clr) * a / 255);
        p[2] = static_cast<BYTE>(GetRValue(clr) * a / 255);
    }

private:
    static int Ramp(int nDark, int nLight, int nLuminance)
    {
        return static_cast<int>((static_cast<LONGLONG>(nDark) * (255000 - nLuminance) +
                                 static_cast<LONGLONG>(nLight) * nLuminance) / 255000);
    }

    BOOL m_bRamp;
    COLORREF m_clrLight;
    COLORREF m_clrDark;
};

// Changes the opaque pixels of an icon handle; the temporary takes the new icon.
void ApplyToIcon(CZPImageManagerStateImage& temporary, const CPixelRule& rule, BOOL bChangePixels)
{
    ICONINFO ii = {};
    if (!::GetIconInfo(temporary.GetIcon(), &ii))
        return;
    if (ii.hbmColor != NULL && bChangePixels) {
        BITMAP bm = {};
        ::GetObjectW(ii.hbmColor, sizeof(bm), &bm);
        CMemoryDC colorDC(NULL, ii.hbmColor);
        CMemoryDC maskDC(NULL, ii.hbmMask);
        for (int x = 0; x < bm.bmWidth; ++x) {
            for (int y = 0; y < bm.bmHeight; ++y) {
                if (::GetPixel(maskDC, x, y) == RGB(0, 0, 0))
                    ::SetPixel(colorDC, x, y, rule.ChangeColor(::GetPixel(colorDC, x, y)));
            }
        }
    }
    if (ii.hbmColor != NULL) {
        HICON hIcon = ::CreateIconIndirect(&ii);
        if (hIcon != NULL)
            temporary.SetIcon(hIcon);
        ::DeleteObject(ii.hbmColor);
    }
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
}

// Works on a stand-alone copy of the source and stores the result into the target record.
void Generate(CZPImageManagerStateImage* pSource, CZPImageManagerStateImage* pTarget, const CPixelRule& rule,
              BOOL bChangeIconPixels)
{
    CZPImageManagerStateImage temporary;
    temporary.CopyFrom(pSource);
    if (temporary.IsAlpha()) {
        LPBYTE pBits = temporary.GetPremultipliedBits();
        if (pBits == NULL)
            return;
        ::GdiFlush();
        CSize size = temporary.GetExtent();
        for (size_t i = 0, n = static_cast<size_t>(size.cx) * size.cy; i < n; ++i)
            rule.ChangePixel(pBits + i * 4);
    } else if (temporary.GetIcon() != NULL) {
        ApplyToIcon(temporary, rule, bChangeIconPixels);
    }
    pTarget->CopyFrom(&temporary);
}

}  // namespace

COLORREF ZpLightenColor(COLORREF clr, double dFactor)
{
    // The small bias keeps products such as 0.3 x 255 + 0.7 x 5 = 80 from truncating to 79.
    auto channel = [dFactor](int c) {
        double d = dFactor * 255 + (1 - dFactor) * c + 1e-9;
        return static_cast<int>(d < 0 ? 0 : (d > 255 ? 255 : d));
    };
    return RGB(channel(GetRValue(clr)), channel(GetGValue(clr)), channel(GetBValue(clr)));
}

void CZPImageManagerIcon::CreateFadedImage()
{
    HDC hScreenDC = ::GetDC(NULL);
    BOOL bLowColor = ZpIsLowColorDC(hScreenDC);
    ::ReleaseDC(NULL, hScreenDC);
    Generate(&m_images[imageNormal], &m_images[imageFaded], CFadeRule(), !bLowColor);
}

void CZPImageManagerIcon::CreateShadowImage()
{
    COLORREF clr = ZpColorManagerInstance().LookupColor(kShadowColorIndex);
    COLORREF clrShadow = RGB(GetRValue(clr) * 3 / 4, GetGValue(clr) * 3 / 4, GetBValue(clr) * 3 / 4);
    Generate(GetHotStateImage(), &m_images[imageShadow], CShadowRule(clrShadow), TRUE);
}

void CZPImageManagerIcon::CreateDisabledImage(COLORREF clrLight, COLORREF clrDark)
{
    if (!m_images[imageDisabledGenerated].IsEmpty())
        return;
    Generate(&m_images[imageNormal], &m_images[imageDisabledGenerated], CDisableRule(clrLight, clrDark), TRUE);
}
