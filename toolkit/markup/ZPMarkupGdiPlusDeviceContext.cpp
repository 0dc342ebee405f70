// GDI+ loaded by name, and the drawing operations it serves.
#include "markup/ZPMarkupGdiPlusDeviceContext.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>
#include <vector>

namespace {
enum EGdipFunction
{
    kGdiplusStartup,
    kGdiplusShutdown,
    kGdipSetPixelOffsetMode,
    kGdipSetPageUnit,
    kGdipSetSmoothingMode,
    kGdipSetLinePresetBlend,
    kGdipCreateFromHDC2,
    kGdipCreateFromHDC,
    kGdipCreatePath2,
    kGdipCreateSolidFill,
    kGdipCreateLineBrush,
    kGdipCreatePen1,
    kGdipCreatePen2,
    kGdipDeleteGraphics,
    kGdipDeleteBrush,
    kGdipDeletePen,
    kGdipDeletePath,
    kGdipDrawEllipse,
    kGdipDrawLinesI,
    kGdipDrawPolygonI,
    kGdipDrawPath,
    kGdipDrawLineI,
    kGdipFillEllipse,
    kGdipFillPolygonI,
    kGdipFillRectangleI,
    kGdipFillPath,
    kGdipFunctionCount
};

const char* const g_gdipNames[kGdipFunctionCount] = {
    "GdiplusStartup",       "GdiplusShutdown",        "GdipSetPixelOffsetMode", "GdipSetPageUnit",
    "GdipSetSmoothingMode", "GdipSetLinePresetBlend", "GdipCreateFromHDC2",     "GdipCreateFromHDC",
    "GdipCreatePath2",      "GdipCreateSolidFill",    "GdipCreateLineBrush",    "GdipCreatePen1",
    "GdipCreatePen2",       "GdipDeleteGraphics",     "GdipDeleteBrush",        "GdipDeletePen",
    "GdipDeletePath",       "GdipDrawEllipse",        "GdipDrawLinesI",         "GdipDrawPolygonI",
    "GdipDrawPath",         "GdipDrawLineI",          "GdipFillEllipse",        "GdipFillPolygonI",
    "GdipFillRectangleI",   "GdipFillPath",
};

const int kGdipOk = 0;
const int kUnitPixel = 2;
const int kUnitWorld = 0;
const int kSmoothingHighSpeed = 1;
const int kSmoothingAntiAlias = 2;
const int kWrapModeTileFlipXY = 3;
const int kFillModeAlternate = 0;

struct GDIPSTARTUPINPUT
{
    UINT32 nVersion;
    void* pfnDebugEvent;
    BOOL bSuppressBackgroundThread;
    BOOL bSuppressExternalCodecs;
};

typedef int(WINAPI* PFNSTARTUP)(ULONG_PTR*, const GDIPSTARTUPINPUT*, void*);
typedef void(WINAPI* PFNSHUTDOWN)(ULONG_PTR);
typedef int(WINAPI* PFNSETMODE)(void*, int);
typedef int(WINAPI* PFNSETPRESETBLEND)(void*, const DWORD*, const float*, int);
typedef int(WINAPI* PFNCREATEFROMHDC2)(HDC, HANDLE, void**);
typedef int(WINAPI* PFNCREATEFROMHDC)(HDC, void**);
typedef int(WINAPI* PFNCREATEPATH2)(const MARKUP_POINTF*, const BYTE*, int, int, void**);
typedef int(WINAPI* PFNCREATESOLIDFILL)(DWORD, void**);
typedef int(WINAPI* PFNCREATELINEBRUSH)(const MARKUP_POINTF*, const MARKUP_POINTF*, DWORD, DWORD, int, void**);
typedef int(WINAPI* PFNCREATEPEN1)(DWORD, float, int, void**);
typedef int(WINAPI* PFNCREATEPEN2)(void*, float, int, void**);
typedef int(WINAPI* PFNDELETE)(void*);
typedef int(WINAPI* PFNSHAPEF)(void*, void*, float, float, float, float);
typedef int(WINAPI* PFNPOINTSI)(void*, void*, const POINT*, int);
typedef int(WINAPI* PFNPOINTSIMODE)(void*, void*, const POINT*, int, int);
typedef int(WINAPI* PFNPATH)(void*, void*, void*);
typedef int(WINAPI* PFNLINEI)(void*, void*, int, int, int, int);

// The process-wide loader; zero-initialised.
struct
{
    HMODULE hModule;  // owned while loaded
    ULONG_PTR nToken;
    int nCount;  // start requests not yet matched by stops
    // Set from the start-up status: some GDI+ implementations answer Ok and leave the token 0.
    BOOL bStarted;
    FARPROC functions[kGdipFunctionCount];
} g_gdip;

// The entry, bound on first use; NULL when GDI+ is not loaded or lacks it.
template <class F> F Gdip(EGdipFunction nFunction)
{
    if (g_gdip.functions[nFunction] == NULL && g_gdip.hModule != NULL)
        g_gdip.functions[nFunction] = ::GetProcAddress(g_gdip.hModule, g_gdipNames[nFunction]);
    return reinterpret_cast<F>(reinterpret_cast<void*>(g_gdip.functions[nFunction]));
}

// One GDI+ object, deleted with the function of its kind.
class CGdipObject
{
public:
    explicit CGdipObject(EGdipFunction nDelete, void* p = NULL) : m_p(p), m_nDelete(nDelete) {}
    ~CGdipObject()
    {
        if (m_p != NULL) {
            if (PFNDELETE pfn = Gdip<PFNDELETE>(m_nDelete))
                pfn(m_p);
        }
    }
    CGdipObject(const CGdipObject&) = delete;
    CGdipObject& operator=(const CGdipObject&) = delete;

    void* m_p;  // owned
    EGdipFunction m_nDelete;
};

void SetMode(void* pGraphics, EGdipFunction nFunction, int nMode)
{
    if (PFNSETMODE pfn = Gdip<PFNSETMODE>(nFunction))
        pfn(pGraphics, nMode);
}

// Stored colours keep red in the low byte; GDI+ wants it in the third.
DWORD ToArgb(DWORD dwColor)
{
    return (dwColor & 0xFF00FF00) | ((dwColor & 0xFF) << 16) | ((dwColor >> 16) & 0xFF);
}

// Fills and borders go to GDI for a missing or fully opaque solid brush.
BOOL IsGdiFill(CZPMarkupBrush* pBrush)
{
    if (pBrush == NULL)
        return TRUE;
    if (CZPMarkupSolidColorBrush* pSolid = ZpMarkupCast<CZPMarkupSolidColorBrush>(pBrush)) {
        DWORD dwColor;
        return !pSolid->GetColorValue(dwColor) || (dwColor >> 24) == 0xFF;
    }
    return FALSE;
}

// A GDI+ brush for the markup brush over the box, or NULL.
void* CreateBrush(CZPMarkupBrush* pBrush, float l, float t, float r, float b)
{
    if (CZPMarkupSolidColorBrush* pSolid = ZpMarkupCast<CZPMarkupSolidColorBrush>(pBrush)) {
        DWORD dwColor;
        void* pResult = NULL;
        PFNCREATESOLIDFILL pfn = Gdip<PFNCREATESOLIDFILL>(kGdipCreateSolidFill);
        if (!pSolid->GetColorValue(dwColor) || pfn == NULL || pfn(ToArgb(dwColor), &pResult) != kGdipOk)
            return NULL;
        return pResult;
    }
    CZPMarkupLinearGradientBrush* pGradient = ZpMarkupCast<CZPMarkupLinearGradientBrush>(pBrush);
    if (pGradient == NULL)
        return NULL;
    std::vector<ZP_MARKUP_GRADIENTSTOP> stops;
    pGradient->GetSortedStops(stops);
    if (stops.empty())
        return NULL;
    double x1, y1, x2, y2;
    pGradient->GetPoints(x1, y1, x2, y2);
    const float w = r - l, h = b - t;
    const MARKUP_POINTF p1 = { static_cast<float>(l + w * x1), static_cast<float>(t + h * y1) };
    const MARKUP_POINTF p2 = { static_cast<float>(l + w * x2), static_cast<float>(t + h * y2) };
    void* pResult = NULL;
    PFNCREATELINEBRUSH pfn = Gdip<PFNCREATELINEBRUSH>(kGdipCreateLineBrush);
    if (pfn == NULL || pfn(&p1, &p2, ToArgb(stops.front().dwColor), ToArgb(stops.back().dwColor), kWrapModeTileFlipXY,
                           &pResult) != kGdipOk)
        return NULL;
    // GDI+ takes only ascending positions from 0 to 1: stops outside that range enter through
    // the colours they give at the two ends.
    std::vector<DWORD> colors;
    std::vector<float> positions;
    colors.reserve(stops.size() + 2);
    positions.reserve(stops.size() + 2);
    colors.push_back(ToArgb(ZpMarkupGradientColorAt(stops, 0)));
    positions.push_back(0);
    for (const ZP_MARKUP_GRADIENTSTOP& stop : stops) {
        if (stop.dOffset >= 0 && stop.dOffset <= 1) {
            colors.push_back(ToArgb(stop.dwColor));
            positions.push_back(static_cast<float>(stop.dOffset));
        }
    }
    colors.push_back(ToArgb(ZpMarkupGradientColorAt(stops, 1)));
    positions.push_back(1);
    if (PFNSETPRESETBLEND pfnBlend = Gdip<PFNSETPRESETBLEND>(kGdipSetLinePresetBlend))
        pfnBlend(pResult, colors.data(), positions.data(), static_cast<int>(colors.size()));
    return pResult;
}

void* CreatePen(CZPMarkupBrush* pBrush, float fWidth, float l, float t, float r, float b)
{
    void* pPen = NULL;
    if (CZPMarkupSolidColorBrush* pSolid = ZpMarkupCast<CZPMarkupSolidColorBrush>(pBrush)) {
        DWORD dwColor;
        PFNCREATEPEN1 pfn = Gdip<PFNCREATEPEN1>(kGdipCreatePen1);
        if (!pSolid->GetColorValue(dwColor) || pfn == NULL ||
            pfn(ToArgb(dwColor), fWidth, kUnitWorld, &pPen) != kGdipOk)
            return NULL;
        return pPen;
    }
    CGdipObject brush(kGdipDeleteBrush, CreateBrush(pBrush, l, t, r, b));
    PFNCREATEPEN2 pfn = Gdip<PFNCREATEPEN2>(kGdipCreatePen2);
    if (brush.m_p == NULL || pfn == NULL || pfn(brush.m_p, fWidth, kUnitWorld, &pPen) != kGdipOk)
        return NULL;
    return pPen;
}

// Even widths (0 included) sit on pixel edges with the half offset; odd ones on pixel centres.
int StrokePixelOffset(int nThickness)
{
    return nThickness % 2 == 0 ? kZpMarkupPixelOffsetHalf : kZpMarkupPixelOffsetDefault;
}

RECT BoundsOf(const POINT* pPoints, int nCount)
{
    RECT rc = { pPoints[0].x, pPoints[0].y, pPoints[0].x, pPoints[0].y };
    for (int i = 1; i < nCount; i++) {
        rc.left = std::min(rc.left, pPoints[i].x);
        rc.top = std::min(rc.top, pPoints[i].y);
        rc.right = std::max(rc.right, pPoints[i].x);
        rc.bottom = std::max(rc.bottom, pPoints[i].y);
    }
    return rc;
}
}  // namespace

void ZpMarkupRegisterGdiPlus(BOOL bStart)
{
    if (bStart) {
        if (++g_gdip.nCount > 1)
            return;
        std::fill_n(g_gdip.functions, kGdipFunctionCount, static_cast<FARPROC>(NULL));
        g_gdip.hModule = ::LoadLibraryW(L"GdiPlus.dll");
        if (g_gdip.hModule == NULL)
            return;
        const GDIPSTARTUPINPUT input = { 1, NULL, FALSE, FALSE };
        PFNSTARTUP pfn = Gdip<PFNSTARTUP>(kGdiplusStartup);
        g_gdip.bStarted = pfn != NULL && pfn(&g_gdip.nToken, &input, NULL) == kGdipOk;
        return;
    }
    // An unmatched stop would make the next start look like a nested one.
    if (g_gdip.nCount <= 0 || --g_gdip.nCount > 0)
        return;
    if (g_gdip.hModule != NULL) {
        if (g_gdip.bStarted) {
            if (PFNSHUTDOWN pfn = Gdip<PFNSHUTDOWN>(kGdiplusShutdown))
                pfn(g_gdip.nToken);
        }
        ::FreeLibrary(g_gdip.hModule);
    }
    std::fill_n(g_gdip.functions, kGdipFunctionCount, static_cast<FARPROC>(NULL));
    g_gdip.hModule = NULL;
    g_gdip.nToken = 0;
    g_gdip.bStarted = FALSE;
}

BOOL ZpMarkupIsGdiPlusRunning()
{
    return g_gdip.bStarted;
}

void* CZPMarkupGdiPlusDeviceContext::CreateGraphics()
{
    if (!g_gdip.bStarted || m_hDC == NULL)
        return NULL;
    void* pGraphics = NULL;
    int nStatus = -1;
    if (m_hDC == m_hAttribDC) {
        if (PFNCREATEFROMHDC pfn = Gdip<PFNCREATEFROMHDC>(kGdipCreateFromHDC))
            nStatus = pfn(m_hDC, &pGraphics);
    } else if (PFNCREATEFROMHDC2 pfn = Gdip<PFNCREATEFROMHDC2>(kGdipCreateFromHDC2))
        nStatus = pfn(m_hDC, m_hAttribDC, &pGraphics);
    if (nStatus != kGdipOk || pGraphics == NULL)
        return NULL;
    SetMode(pGraphics, kGdipSetPageUnit, kUnitPixel);
    SetMode(pGraphics, kGdipSetSmoothingMode, kSmoothingAntiAlias);
    SetMode(pGraphics, kGdipSetPixelOffsetMode, kZpMarkupPixelOffsetHalf);
    return pGraphics;
}

void CZPMarkupGdiPlusDeviceContext::FillRectangle(const RECT& rc, CZPMarkupBrush* pBrush)
{
    if (IsGdiFill(pBrush)) {
        CZPMarkupDeviceContext::FillRectangle(rc, pBrush);
        return;
    }
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::FillRectangle(rc, pBrush);
        return;
    }
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    CGdipObject brush(kGdipDeleteBrush, CreateBrush(pBrush, static_cast<float>(rc.left), static_cast<float>(rc.top),
                                                    static_cast<float>(rc.right), static_cast<float>(rc.bottom)));
    PFNLINEI pfnFill = Gdip<PFNLINEI>(kGdipFillRectangleI);
    if (brush.m_p == NULL || pfnFill == NULL)
        return;
    SetMode(graphics.m_p, kGdipSetSmoothingMode, kSmoothingHighSpeed);
    SetMode(graphics.m_p, kGdipSetPixelOffsetMode, kZpMarkupPixelOffsetHalf);
    pfnFill(graphics.m_p, brush.m_p, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CZPMarkupGdiPlusDeviceContext::DrawRectangle(const RECT& rc, CZPMarkupBrush* pBrush,
                                                  const CZPMarkupThickness* pThickness)
{
    if (pThickness == NULL)
        return;
    if (IsGdiFill(pBrush)) {
        CZPMarkupDeviceContext::DrawRectangle(rc, pBrush, pThickness);
        return;
    }
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::DrawRectangle(rc, pBrush, pThickness);
        return;
    }
    CGdipObject brush(kGdipDeleteBrush, CreateBrush(pBrush, static_cast<float>(rc.left), static_cast<float>(rc.top),
                                                    static_cast<float>(rc.right), static_cast<float>(rc.bottom)));
    PFNLINEI pfnFill = Gdip<PFNLINEI>(kGdipFillRectangleI);
    if (brush.m_p == NULL || pfnFill == NULL)
        return;
    SetMode(graphics.m_p, kGdipSetSmoothingMode, kSmoothingHighSpeed);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int l = pThickness->m_nLeft, t = pThickness->m_nTop, r = pThickness->m_nRight, b = pThickness->m_nBottom;
    // The strips meet without overlapping, so one gradient runs across the whole border.
    if (l > 0)
        pfnFill(graphics.m_p, brush.m_p, rc.left, rc.top, l, h);
    if (r > 0)
        pfnFill(graphics.m_p, brush.m_p, rc.right - r, rc.top, r, h);
    if (t > 0)
        pfnFill(graphics.m_p, brush.m_p, rc.left + l, rc.top, w - l - r, t);
    if (b > 0)
        pfnFill(graphics.m_p, brush.m_p, rc.left + l, rc.bottom - b, w - l - r, b);
}

void CZPMarkupGdiPlusDeviceContext::DrawEllipse(const RECT& rc, int nThickness, CZPMarkupBrush* pStroke,
                                                CZPMarkupBrush* pFill)
{
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::DrawEllipse(rc, nThickness, pStroke, pFill);
        return;
    }
    if (pStroke == NULL)
        nThickness = 0;
    SetMode(graphics.m_p, kGdipSetSmoothingMode, kSmoothingAntiAlias);
    SetMode(graphics.m_p, kGdipSetPixelOffsetMode, kZpMarkupPixelOffsetHalf);
    const float l = static_cast<float>(rc.left), t = static_cast<float>(rc.top);
    const float r = static_cast<float>(rc.right), b = static_cast<float>(rc.bottom);
    const float fHalf = nThickness / 2.0f;
    const float x = l + fHalf, y = t + fHalf, w = r - l - nThickness, h = b - t - nThickness;
    if (pFill != NULL) {
        CGdipObject brush(kGdipDeleteBrush, CreateBrush(pFill, l, t, r, b));
        PFNSHAPEF pfn = Gdip<PFNSHAPEF>(kGdipFillEllipse);
        if (brush.m_p != NULL && pfn != NULL)
            pfn(graphics.m_p, brush.m_p, x, y, w, h);
    }
    if (nThickness > 0) {
        CGdipObject pen(kGdipDeletePen, CreatePen(pStroke, static_cast<float>(nThickness), l, t, r, b));
        PFNSHAPEF pfn = Gdip<PFNSHAPEF>(kGdipDrawEllipse);
        if (pen.m_p != NULL && pfn != NULL)
            pfn(graphics.m_p, pen.m_p, x, y, w, h);
    }
}

void CZPMarkupGdiPlusDeviceContext::DrawLine(int x1, int y1, int x2, int y2, int nThickness, CZPMarkupBrush* pBrush)
{
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::DrawLine(x1, y1, x2, y2, nThickness, pBrush);
        return;
    }
    SetMode(graphics.m_p, kGdipSetSmoothingMode, x1 == x2 || y1 == y2 ? kSmoothingHighSpeed : kSmoothingAntiAlias);
    SetMode(graphics.m_p, kGdipSetPixelOffsetMode, StrokePixelOffset(nThickness));
    CGdipObject pen(kGdipDeletePen,
                    CreatePen(pBrush, static_cast<float>(nThickness), static_cast<float>(std::min(x1, x2)),
                              static_cast<float>(std::min(y1, y2)), static_cast<float>(std::max(x1, x2)),
                              static_cast<float>(std::max(y1, y2))));
    PFNLINEI pfn = Gdip<PFNLINEI>(kGdipDrawLineI);
    if (pen.m_p != NULL && pfn != NULL)
        pfn(graphics.m_p, pen.m_p, x1, y1, x2, y2);
}

void CZPMarkupGdiPlusDeviceContext::DrawPolyline(const POINT* pPoints, int nCount, int nThickness,
                                                 CZPMarkupBrush* pBrush)
{
    if (pPoints == NULL || nCount < 1)
        return;
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::DrawPolyline(pPoints, nCount, nThickness, pBrush);
        return;
    }
    SetMode(graphics.m_p, kGdipSetSmoothingMode, kSmoothingAntiAlias);
    SetMode(graphics.m_p, kGdipSetPixelOffsetMode, StrokePixelOffset(nThickness));
    const RECT rcBounds = BoundsOf(pPoints, nCount);
    CGdipObject pen(kGdipDeletePen, CreatePen(pBrush, static_cast<float>(nThickness), static_cast<float>(rcBounds.left),
                                              static_cast<float>(rcBounds.top), static_cast<float>(rcBounds.right),
                                              static_cast<float>(rcBounds.bottom)));
    PFNPOINTSI pfn = Gdip<PFNPOINTSI>(kGdipDrawLinesI);
    if (pen.m_p != NULL && pfn != NULL)
        pfn(graphics.m_p, pen.m_p, pPoints, nCount);
}

void CZPMarkupGdiPlusDeviceContext::DrawPolygon(const POINT* pPoints, int nCount, int nThickness,
                                                CZPMarkupBrush* pStroke, CZPMarkupBrush* pFill)
{
    if (pPoints == NULL || nCount < 1)
        return;
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::DrawPolygon(pPoints, nCount, nThickness, pStroke, pFill);
        return;
    }
    if (pStroke == NULL)
        nThickness = 0;
    SetMode(graphics.m_p, kGdipSetSmoothingMode, kSmoothingAntiAlias);
    const RECT rcBounds = BoundsOf(pPoints, nCount);
    const float l = static_cast<float>(rcBounds.left), t = static_cast<float>(rcBounds.top);
    const float r = static_cast<float>(rcBounds.right), b = static_cast<float>(rcBounds.bottom);
    if (pFill != NULL) {
        CGdipObject brush(kGdipDeleteBrush, CreateBrush(pFill, l, t, r, b));
        PFNPOINTSIMODE pfn = Gdip<PFNPOINTSIMODE>(kGdipFillPolygonI);
        if (brush.m_p != NULL && pfn != NULL) {
            SetMode(graphics.m_p, kGdipSetPixelOffsetMode, kZpMarkupPixelOffsetHalf);
            pfn(graphics.m_p, brush.m_p, pPoints, nCount, kFillModeAlternate);
        }
    }
    if (nThickness > 0) {
        CGdipObject pen(kGdipDeletePen, CreatePen(pStroke, static_cast<float>(nThickness), l, t, r, b));
        PFNPOINTSI pfn = Gdip<PFNPOINTSI>(kGdipDrawPolygonI);
        if (pen.m_p != NULL && pfn != NULL) {
            SetMode(graphics.m_p, kGdipSetPixelOffsetMode, StrokePixelOffset(nThickness));
            pfn(graphics.m_p, pen.m_p, pPoints, nCount);
        }
    }
}

void CZPMarkupGdiPlusDeviceContext::DrawPath(const ZP_MARKUP_PATHDATA& path, int nThickness, CZPMarkupBrush* pStroke,
                                             CZPMarkupBrush* pFill)
{
    CGdipObject graphics(kGdipDeleteGraphics, CreateGraphics());
    if (graphics.m_p == NULL) {
        CZPMarkupDeviceContext::DrawPath(path, nThickness, pStroke, pFill);
        return;
    }
    SetMode(graphics.m_p, kGdipSetSmoothingMode, kSmoothingAntiAlias);
    if (path.nCount <= 0 || path.pPoints == NULL || path.pTypes == NULL)
        return;
    CGdipObject gpPath(kGdipDeletePath);
    PFNCREATEPATH2 pfnCreate = Gdip<PFNCREATEPATH2>(kGdipCreatePath2);
    if (pfnCreate == NULL ||
        pfnCreate(path.pPoints, path.pTypes, path.nCount, kFillModeAlternate, &gpPath.m_p) != kGdipOk)
        return;
    float l = path.pPoints[0].x, t = path.pPoints[0].y, r = l, b = t;
    for (int i = 1; i < path.nCount; i++) {
        l = std::min(l, path.pPoints[i].x);
        t = std::min(t, path.pPoints[i].y);
        r = std::max(r, path.pPoints[i].x);
        b = std::max(b, path.pPoints[i].y);
    }
    if (pFill != NULL) {
        CGdipObject brush(kGdipDeleteBrush, CreateBrush(pFill, l, t, r, b));
        PFNPATH pfn = Gdip<PFNPATH>(kGdipFillPath);
        SetMode(graphics.m_p, kGdipSetPixelOffsetMode, kZpMarkupPixelOffsetHalf);
        if (brush.m_p != NULL && pfn != NULL)
            pfn(graphics.m_p, brush.m_p, gpPath.m_p);
    }
    if (nThickness > 0 && pStroke != NULL) {
        SetMode(graphics.m_p, kGdipSetPixelOffsetMode,
                path.nPixelOffsetMode != 0 ? path.nPixelOffsetMode : kZpMarkupPixelOffsetHalf);
        CGdipObject pen(kGdipDeletePen, CreatePen(pStroke, static_cast<float>(nThickness), l, t, r, b));
        PFNPATH pfn = Gdip<PFNPATH>(kGdipDrawPath);
        if (pen.m_p != NULL && pfn != NULL)
            pfn(graphics.m_p, pen.m_p, gpPath.m_p);
    }
}
