// The image element: loads its source into an image manager once per "Source" text and draws
// the chosen icon scaled to its render size.
#include "markup/ZPMarkupImage.h"

#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

namespace {
const COLORREF kMaskColor = RGB(0, 255, 0);
// Constraints above this count as none.
const int kUnconstrained = 32000;

int ScaledSide(int nSide, double dScale)
{
    const double dValue = nSide * dScale;
    // Clamped before truncation: a thin picture stretched into a long slot overflows an int.
    if (!(dValue > 0))
        return 0;
    return dValue >= kZpMarkupInfinite ? kZpMarkupInfinite : static_cast<int>(dValue);
}
}  // namespace

void CZPMarkupContext::SetImageManager(CZPImageManager* pManager)
{
    if (pManager != NULL)
        pManager->InternalAddRef();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = pManager;
}

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupImage, L"Image", CZPMarkupFrameworkElement, &CZPMarkupImage::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupImage::m_pSourceProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupImage::m_pStretchProperty = NULL;

void CZPMarkupImage::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pSourceProperty =
        CZPMarkupDependencyProperty::Register(L"Source", CZPMarkupString::GetClassType(), pType,
                                              new CZPMarkupPropertyMetadata(NULL, kZpMarkupAffectsMeasure));
    m_pStretchProperty = CZPMarkupDependencyProperty::Register(
        L"Stretch", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(new CZPMarkupEnum(0), &ZpMarkupConvertStretch, kZpMarkupAffectsMeasure));
}

CZPMarkupImage::CZPMarkupImage()
    : m_pImageManager(NULL), m_pImage(NULL), m_nCommand(0), m_bLoaded(FALSE), m_nSelectedWidth(0), m_nLoads(0)
{}

CZPMarkupImage::~CZPMarkupImage()
{
    ReleaseImage();
}

void CZPMarkupImage::ReleaseImage()
{
    if (m_pImage != NULL)
        m_pImage->InternalRelease();
    m_pImage = NULL;
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = NULL;
}

void CZPMarkupImage::LoadBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    m_pImageManager->SetIcons(&bitmap, NULL, 1, info.bmWidth, info.bmHeight, 0, bAlpha);
}

void CZPMarkupImage::Load(LPCWSTR lpszSource)
{
    ReleaseImage();
    m_nLoads++;
    m_nCommand = 0;
    const size_t nFile = wcslen(L"file://"), nRes = wcslen(L"res://");
    if (wcsncmp(lpszSource, L"file://", nFile) == 0 || wcsncmp(lpszSource, L"res://", nRes) == 0) {
        m_pImageManager = new CZPImageManager;
        m_pImageManager->SetMaskColor(kMaskColor);
        BOOL bAlpha = FALSE;
        if (lpszSource[0] == L'f') {
            if (HBITMAP hBitmap = ZpLoadBitmapFile(lpszSource + nFile, &bAlpha))
                LoadBitmap(hBitmap, bAlpha);
            return;
        }
        LPCWSTR lpszName = lpszSource + nRes;
        if (lpszName[0] == L'#') {
            const int nId = ZpMarkupReadInt(lpszName + 1);
            // Only 1..65535 are resource numbers; anything else would be read as a name pointer.
            if (nId <= 0 || nId > 0xFFFF)
                return;
            lpszName = MAKEINTRESOURCEW(nId);
        } else if (lpszName[0] == 0) {
            return;
        }
        if (HBITMAP hBitmap = ZpLoadBitmapResource(AfxGetResourceHandle(), lpszName, &bAlpha))
            LoadBitmap(hBitmap, bAlpha);
        else
            m_pImageManager->SetIconFromResource(lpszName, 0, 0, 0, 0);
        return;
    }
    const int nCommand = ZpMarkupReadInt(lpszSource);
    if (nCommand <= 0)
        return;
    CZPMarkupContext* pContext = GetMarkupContext();
    m_pImageManager = pContext != NULL && pContext->GetImageManager() != NULL ? pContext->GetImageManager()
                                                                              : ZpImageManagerInstance();
    m_pImageManager->InternalAddRef();
    m_nCommand = static_cast<UINT>(nCommand);
}

void CZPMarkupImage::SelectImage(int nWidth)
{
    if (m_pImage != NULL)
        m_pImage->InternalRelease();
    m_pImage = m_pImageManager != NULL ? m_pImageManager->GetImage(m_nCommand, nWidth) : NULL;
    if (m_pImage != NULL)
        m_pImage->InternalAddRef();
    m_nSelectedWidth = nWidth;
}

SIZE CZPMarkupImage::MeasureOverride(CZPMarkupDrawingContext* /*pContext*/, int nWidth, int nHeight)
{
    const CZPMarkupString* pSource = ZpMarkupCast<CZPMarkupString>(GetValue(m_pSourceProperty));
    if (pSource != NULL) {
        // A file or resource is read again only when the text names another source: measures
        // run at every resize step.
        if (!m_bLoaded || m_strLoaded != pSource->GetText()) {
            m_strLoaded = pSource->GetText();
            m_bLoaded = TRUE;
            Load(pSource->GetText());
            SelectImage(nWidth);
        } else if (nWidth != m_nSelectedWidth) {
            SelectImage(nWidth);
        }
    }
    return ComputeSize(nWidth, nHeight);
}

SIZE CZPMarkupImage::ArrangeOverride(int nWidth, int nHeight)
{
    return ComputeSize(nWidth, nHeight);
}

SIZE CZPMarkupImage::ComputeSize(int nWidth, int nHeight) const
{
    if (m_pImage == NULL)
        return SIZE{ 0, 0 };
    const int w = m_pImage->GetWidth(), h = m_pImage->GetHeight();
    const CZPMarkupEnum* pStretch = ZpMarkupCast<CZPMarkupEnum>(GetValue(m_pStretchProperty));
    const int nStretch = pStretch != NULL ? pStretch->m_nValue : 0;
    if (w == 0 || h == 0 || nStretch == 0 || (nWidth > kUnconstrained && nHeight > kUnconstrained))
        return SIZE{ w, h };
    double sx = static_cast<double>(nWidth) / w, sy = static_cast<double>(nHeight) / h;
    if (nWidth > kUnconstrained) {
        sx = sy;
    } else if (nHeight > kUnconstrained) {
        sy = sx;
    } else if (nStretch == 2) {
        sx = sy = std::min(sx, sy);
    } else if (nStretch == 3) {
        sx = sy = std::max(sx, sy);
    }
    return SIZE{ ScaledSide(w, sx), ScaledSide(h, sy) };
}

void CZPMarkupImage::OnRender(CZPMarkupDrawingContext* pContext)
{
    if (m_pImage == NULL)
        return;
    HDC hDC = pContext->GetDC();
    CDC dc;
    dc.Attach(hDC);
    m_pImage->DrawNormalSized(&dc, 0, 0, m_szRender.cx, m_szRender.cy);
    dc.Detach();
    pContext->ReleaseDC(hDC);
}
