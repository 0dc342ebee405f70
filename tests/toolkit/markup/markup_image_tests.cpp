// The image element: sources from files, resources and image managers, sizes for each
// "Stretch", pixels, and a file read once per "Source" text.
#include "markup_drawing_fixture.h"

#include "../common/DibSection.h"

#include "common/ZPImageManager.h"
#include "common/ZPResourceManager.h"
#include "markup/ZPMarkupApi.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupImage.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace {
const int kInf = kZpMarkupInfinite;
const COLORREF kWhite = RGB(255, 255, 255);

std::wstring ImageFile(const char* lpszName)
{
    std::string path = std::string(TOLVANE_IMAGE_DIR) + lpszName;
    return std::wstring(path.begin(), path.end());
}

class MarkupImage : public CMarkupLeakCheck
{
protected:
    MarkupImage() : m_resources(::GetModuleHandleW(NULL)) {}

    void SetUp() override
    {
        Measure(L"<Image Source='res://#130' Stretch='Uniform'/>", 10, 10);
        CMarkupLeakCheck::SetUp();
    }

    // A page's image element after a measure in the available size; the test releases it.
    CZPMarkupImage* Measure(const std::wstring& strPage, int nWidth, int nHeight)
    {
        CZPMarkupImage* pImage = ZpMarkupCast<CZPMarkupImage>(m_pContext->Parse(strPage.c_str()));
        if (pImage != NULL) {
            CZPMarkupDrawingContext context;
            pImage->Measure(&context, nWidth, nHeight);
        }
        return pImage;
    }
    // The element's own size for the constraint (layout then limits it to the slot).
    SIZE ImageSize(const std::wstring& strPage, int nWidth, int nHeight)
    {
        CZPMarkupImage* pImage = Measure(strPage, nWidth, nHeight);
        if (pImage == NULL)
            return SIZE{ -1, -1 };
        const SIZE sz = pImage->ComputeSize(nWidth, nHeight);
        pImage->Release();
        return sz;
    }

    ZpResourceHandleSwitch m_resources;
    CZPMarkupContext* m_pContext = new CZPMarkupContext;

    ~MarkupImage() override { m_pContext->Release(); }
};

struct SourceCase
{
    std::wstring strSource;
    SIZE szNatural;
};

TEST_F(MarkupImage, SourcesLoadFromFilesResourcesAndManagers)
{
    CZPImageManager* pManager = new CZPImageManager;
    const UINT commands[] = { 5, 6, 7 };
    ASSERT_TRUE(pManager->SetIconsFromBitmapResource(130, commands, 3, 16, 16, 0));
    m_pContext->SetImageManager(pManager);
    pManager->InternalRelease();
    const SourceCase cases[] = {
        { L"res://#130", { 48, 16 } },
        { L"res://LOGO", { 48, 16 } },
        { L"res://STAR", { 16, 16 } },  // the smallest icon for width 16
        { L"file://" + ImageFile("strip_rgba.png"), { 48, 16 } },
        { L"file://" + ImageFile("strip24.bmp"), { 48, 16 } },
        { L"6", { 16, 16 } },
        // Nothing: missing, damaged, huge or non-image files, bad resource names, ids of nothing.
        { L"file://" + ImageFile("missing.png"), { 0, 0 } },
        { L"file://" + ImageFile("bad_huge.png"), { 0, 0 } },
        { L"file://" + ImageFile("bad_large_tiny_data.png"), { 0, 0 } },  // 30000 x 30000, a few bytes
        { L"file://" + ImageFile("bad_huge_width.bmp"), { 0, 0 } },
        { L"file://" + ImageFile("make_images.py"), { 0, 0 } },
        { L"file://", { 0, 0 } },
        { L"res://#", { 0, 0 } },
        { L"res://#70000", { 0, 0 } },
        { L"res://", { 0, 0 } },
        { L"res://NOPE", { 0, 0 } },
        { L"abc", { 0, 0 } },
        { L"-5", { 0, 0 } },
        { L"0", { 0, 0 } },
        { L"99", { 0, 0 } },
    };
    for (const SourceCase& c : cases) {
        const SIZE sz = ImageSize(L"<Image Source='" + c.strSource + L"'/>", 16, kInf);
        EXPECT_EQ(c.szNatural.cx, sz.cx) << c.strSource;
        EXPECT_EQ(c.szNatural.cy, sz.cy) << c.strSource;
    }
    // The icon picked for the available width: 0 the smallest, 1 the largest, else the nearest.
    const int widths[][2] = { { 0, 16 }, { 1, 32 }, { 20, 16 }, { 30, 32 }, { kInf, 32 } };
    for (const auto& width : widths)
        EXPECT_EQ(width[1], ImageSize(L"<Image Source='res://STAR'/>", width[0], kInf).cx) << width[0];

    // Without a context manager the process-wide one answers.
    m_pContext->SetImageManager(NULL);
    ASSERT_TRUE(ZpImageManagerInstance()->SetIconsFromBitmapResource(130, commands, 3, 16, 16, 0));
    EXPECT_EQ(16, ImageSize(L"<Image Source='5'/>", 16, kInf).cx);
    ZpImageManagerInstance()->RemoveAll();
    EXPECT_EQ(0, ImageSize(L"<Image Source='5'/>", 16, kInf).cx);
    EXPECT_EQ(0, ImageSize(L"<Image/>", 16, kInf).cx);
}

struct StretchCase
{
    LPCWSTR lpszStretch;
    SIZE szAvailable;
    SIZE szDesired;
};

TEST_F(MarkupImage, StretchScalesTheNaturalSize)
{
    // clang-format off
    const StretchCase cases[] = {
        {L"None", {24, 24}, {48, 16}},
        {L"Uniform", {24, 24}, {24, 8}},
        {L"UniformToFill", {24, 24}, {72, 24}},
        {L"Fill", {24, 24}, {24, 24}},
        // One side unconstrained: both scale by the other's ratio.
        {L"Fill", {24, kInf}, {24, 8}},
        {L"Uniform", {kInf, 32}, {96, 32}},
        {L"Fill", {kInf, kInf}, {48, 16}},
        {L"Fill", {0, 10}, {0, 10}},
        // A slot of 32000 stretches a 16 px high picture to 96000 wide; no overflow past that.
        {L"UniformToFill", {1, 32000}, {96000, 32000}},
    };
    // clang-format on
    for (const StretchCase& c : cases) {
        const std::wstring strPage = std::wstring(L"<Image Source='res://#130' Stretch='") + c.lpszStretch + L"'/>";
        const SIZE sz = ImageSize(strPage, c.szAvailable.cx, c.szAvailable.cy);
        EXPECT_EQ(c.szDesired.cx, sz.cx) << c.lpszStretch << " in " << c.szAvailable.cx << "," << c.szAvailable.cy;
        EXPECT_EQ(c.szDesired.cy, sz.cy) << c.lpszStretch << " in " << c.szAvailable.cx << "," << c.szAvailable.cy;
    }
}

TEST_F(MarkupImage, ASourceIsReadOnceAcrossResizes)
{
    CZPMarkupImage* pImage = Measure(L"file://" + ImageFile("strip24.bmp"), 10, 10);
    ASSERT_EQ(nullptr, pImage);  // not markup: a bare text
    pImage = Measure(L"<Image Stretch='Uniform' Source='file://" + ImageFile("strip24.bmp") + L"'/>", 96, 100);
    ASSERT_NE(nullptr, pImage);
    CZPMarkupDrawingContext context;
    for (int nWidth = 95; nWidth > 40; nWidth -= 5)
        pImage->Measure(&context, nWidth, 100);
    EXPECT_EQ(1, pImage->GetLoadCount());
    EXPECT_EQ(45, pImage->GetDesiredSize().cx);
    pImage->SetValue(CZPMarkupImage::m_pSourceProperty, CZPMarkupString::CreateValue(L"res://LOGO"));
    pImage->Measure(&context, 40, 100);
    EXPECT_EQ(2, pImage->GetLoadCount());
    pImage->SetValue(CZPMarkupImage::m_pSourceProperty, CZPMarkupString::CreateValue(L"abc"));
    pImage->Measure(&context, 40, 100);
    EXPECT_EQ(0, pImage->GetDesiredSize().cx);
    EXPECT_EQ(nullptr, pImage->GetImage());
    pImage->Release();
}

TEST_F(MarkupImage, DrawsTheNormalImageScaledToTheRenderSize)
{
    CZPMarkupImage* pImage = Measure(L"<Image Source='res://#130' Stretch='Fill'/>", 96, 32);
    ASSERT_NE(nullptr, pImage);
    pImage->Arrange(RECT{ 0, 0, 96, 32 });
    CDibSection dib(96, 32, kWhite);
    {
        CZPMarkupDrawingContext context(dib.GetDC(), NULL);
        pImage->Render(&context);
    }
    ::GdiFlush();
    // Doubled: the red square covers 6..25 of the first third, the blue one the last third.
    EXPECT_TRUE(ColorNear(RGB(255, 0, 0), dib.GetPixel(16, 16), 8));
    EXPECT_TRUE(ColorNear(RGB(0, 0, 255), dib.GetPixel(80, 16), 8));
    EXPECT_TRUE(ColorNear(RGB(255, 0, 255), dib.GetPixel(1, 1), 8));
    pImage->Release();

    // At an offset, through the flat function: plain and alpha pictures follow the origin.
    for (LPCWSTR lpszSource : { L"res://#130", L"res://LOGO" }) {
        CZPMarkupUIElement* pElement =
            ZpMarkupParseToElement(m_pContext, (std::wstring(L"<Image Source='") + lpszSource + L"'/>").c_str());
        ASSERT_NE(nullptr, pElement);
        CDibSection shifted(96, 32, kWhite);
        const RECT rc = { 40, 10, 88, 26 };
        EXPECT_TRUE(ZpMarkupDrawElement(pElement, shifted.GetDC(), &rc));
        ::GdiFlush();
        EXPECT_TRUE(ColorNear(kWhite, shifted.GetPixel(8, 18))) << lpszSource;
        EXPECT_NE(kWhite, shifted.GetPixel(48, 18) & 0xFFFFFF) << lpszSource;
        EXPECT_TRUE(ColorNear(kWhite, shifted.GetPixel(48, 5))) << lpszSource;
        ZpMarkupFreeElement(&pElement);
    }

    // Nothing loaded: nothing drawn.
    pImage = Measure(L"<Image Source='res://NOPE' Width='20' Height='20'/>", 96, 32);
    ASSERT_NE(nullptr, pImage);
    pImage->Arrange(RECT{ 0, 0, 20, 20 });
    CDibSection empty(20, 20, kWhite);
    {
        CZPMarkupDrawingContext context(empty.GetDC(), NULL);
        pImage->Render(&context);
    }
    ::GdiFlush();
    EXPECT_TRUE(ColorNear(kWhite, empty.GetPixel(10, 10)));
    pImage->Release();
}
}  // namespace
