// The image manager's object model: lookups, state rules and storage of copies.
#include "common/ZPImageManager.h"

#include "common/ZPImageLoading.h"

IMPLEMENT_DYNAMIC(CZPImageManagerIcon, CCmdTarget)
IMPLEMENT_DYNAMIC(CZPImageManagerIconSet, CCmdTarget)
IMPLEMENT_DYNAMIC(CZPImageManager, CCmdTarget)

namespace {

const UINT kIconSetBuckets = 127;
const UINT kIconWidthBuckets = 17;
const int kInitialIconHeight = 15;

// Calls fn with every value of a map keyed by id or width, in enumeration order.
template <class V, class F>
void ForEachValue(const CMap<UINT, UINT, V*, V*>& map, F fn)
{
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        UINT nKey = 0;
        V* pValue = NULL;
        map.GetNextAssoc(pos, nKey, pValue);
        fn(pValue);
    }
}

UINT ResourceKey(int cx, int cy)
{
    return static_cast<UINT>(cy) * 65536 + static_cast<WORD>(cx);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// State image

CZPImageManagerStateImage::CZPImageManagerStateImage()
    : m_hIcon(NULL), m_pBorrowedPixels(NULL), m_nBorrowedStride(0), m_clrKey(CLR_NONE), m_hAlphaBitmap(NULL),
      m_pPremultipliedBits(NULL), m_bOwnsHandles(FALSE), m_pManager(NULL), m_pSlot(NULL), m_cx(0), m_cy(0)
{
}

CZPImageManagerStateImage::~CZPImageManagerStateImage()
{
    Clear();
}

BOOL CZPImageManagerStateImage::IsEmpty() const
{
    return (m_hIcon == NULL && m_hAlphaBitmap == NULL && m_pSlot == NULL && m_pBorrowedPixels == NULL) ||
           (m_cx == 0 && m_cy == 0);
}

BOOL CZPImageManagerStateImage::IsAlpha() const
{
    return m_hAlphaBitmap != NULL || (m_pSlot != NULL && m_pSlot->bAlpha);
}

HBITMAP CZPImageManagerStateImage::GetBitmap() const
{
    if (m_hAlphaBitmap != NULL)
        return m_hAlphaBitmap;
    return m_pSlot != NULL ? m_pSlot->pResource->GetColorBitmap() : NULL;
}

void CZPImageManagerStateImage::UpdateExtent()
{
    CSize size(0, 0);
    if (m_pSlot != NULL) {
        size = m_pSlot->pResource->GetExtent();
    } else if (m_hIcon != NULL) {
        size = ZpGetIconSize(m_hIcon);
    } else if (m_hAlphaBitmap != NULL) {
        BITMAP bm = {};
        if (::GetObjectW(m_hAlphaBitmap, sizeof(bm), &bm) != 0)
            size = CSize(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
    }
    m_cx = size.cx;
    m_cy = size.cy;
}

void CZPImageManagerStateImage::SetIcon(HICON hIcon)
{
    Clear();
    m_hIcon = hIcon;
    m_bOwnsHandles = TRUE;
    UpdateExtent();
}

void CZPImageManagerStateImage::SetBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hAlphaBitmap = ZpCopyAlphaBitmap(hBitmap, NULL);
    m_bOwnsHandles = TRUE;
    UpdateExtent();
}

void CZPImageManagerStateImage::TakeBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hAlphaBitmap = hBitmap;
    m_bOwnsHandles = TRUE;
    UpdateExtent();
}

void CZPImageManagerStateImage::TakePremultiplied(HBITMAP hBitmap, LPBYTE pBits)
{
    TakeBitmap(hBitmap);
    m_pPremultipliedBits = hBitmap != NULL ? pBits : NULL;
}

void CZPImageManagerStateImage::AttachIcon(HICON hIcon)
{
    Clear();
    m_hIcon = hIcon;
    UpdateExtent();
}

void CZPImageManagerStateImage::AttachBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hAlphaBitmap = hBitmap;
    UpdateExtent();
}

void CZPImageManagerStateImage::AttachKeyedPixels(const DWORD* pPixels, int nStride, int cx, int cy, COLORREF clrKey)
{
    Clear();
    if (pPixels == NULL || cx <= 0 || cy <= 0 || nStride < cx)
        return;
    m_pBorrowedPixels = pPixels;
    m_nBorrowedStride = nStride;
    m_clrKey = clrKey;
    m_cx = cx;
    m_cy = cy;
}

void CZPImageManagerStateImage::AttachAlphaPixels(const DWORD* pPixels, int nStride, int cx, int cy)
{
    AttachKeyedPixels(pPixels, nStride, cx, cy, CLR_NONE);
}

void CZPImageManagerStateImage::CopyFrom(CZPImageManagerStateImage* pSource)
{
    if (pSource == this)
        return;
    Clear();
    if (pSource == NULL)
        return;
    if (m_pManager == NULL || pSource->IsEmpty()) {
        if (pSource->m_hIcon != NULL) {
            m_hIcon = ::CopyIcon(pSource->m_hIcon);
        } else if (pSource->m_hAlphaBitmap != NULL) {
            LPBYTE pBits = NULL;
            m_hAlphaBitmap = ZpCopyAlphaBitmap(pSource->m_hAlphaBitmap, &pBits);
            if (m_hAlphaBitmap != NULL && pSource->m_pPremultipliedBits != NULL)
                m_pPremultipliedBits = pBits;
        } else if (pSource->m_pSlot != NULL) {
            pSource->m_pSlot->pResource->ExtractImage(this, pSource->m_pSlot);
        }
    } else {
        CSize size = pSource->GetExtent();
        CZPImageManagerResource* pResource = m_pManager->GetResource(size.cx, size.cy);
        if (pSource->m_pSlot != NULL) {
            CZPImageManagerStateImage temporary;
            temporary.CopyFrom(pSource);
            m_pSlot = pResource->AddImage(&temporary);
        } else {
            m_pSlot = pResource->AddImage(pSource);
        }
    }
    m_bOwnsHandles = TRUE;
    m_cx = pSource->m_cx;
    m_cy = pSource->m_cy;
}

void CZPImageManagerStateImage::Clear()
{
    if (m_bOwnsHandles) {
        if (m_hIcon != NULL)
            ::DestroyIcon(m_hIcon);
        if (m_hAlphaBitmap != NULL)
            ::DeleteObject(m_hAlphaBitmap);
        if (m_pSlot != NULL)
            m_pSlot->pResource->FreeSlot(m_pSlot);
    }
    m_hIcon = NULL;
    m_pBorrowedPixels = NULL;
    m_hAlphaBitmap = NULL;
    m_pPremultipliedBits = NULL;
    m_pSlot = NULL;
    m_bOwnsHandles = FALSE;
}

// ---------------------------------------------------------------------------------------------
// Icon

CZPImageManagerIcon::CZPImageManagerIcon(UINT nID, int nWidth, int nHeight, CZPImageManagerIconSet* pIconSet)
    : m_bDrawComposited(FALSE), m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet)
{
    CZPImageManager* pManager = pIconSet != NULL ? pIconSet->GetManager() : NULL;
    for (CZPImageManagerStateImage& image : m_images)
        image.m_pManager = pManager;
}

CZPImageManagerIcon::~CZPImageManagerIcon()
{
    ClearImages(TRUE);
}

BOOL CZPImageManagerIcon::HasDisabledImage() const
{
    return !m_images[imageDisabled].IsEmpty() || !m_images[imageDisabledGenerated].IsEmpty();
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetHotStateImage()
{
    return !m_images[imageHot].IsEmpty() ? &m_images[imageHot] : &m_images[imageNormal];
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetCheckedStateImage()
{
    return !m_images[imageChecked].IsEmpty() ? &m_images[imageChecked] : GetHotStateImage();
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetPressedStateImage()
{
    return !m_images[imagePressed].IsEmpty() ? &m_images[imagePressed] : GetHotStateImage();
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetDisabledStateImage(BOOL bCreate)
{
    if (!m_images[imageDisabled].IsEmpty())
        return &m_images[imageDisabled];
    if (m_images[imageDisabledGenerated].IsEmpty() && bCreate)
        CreateDisabledImage();
    return &m_images[imageDisabledGenerated];
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetFadedStateImage()
{
    if (m_images[imageFaded].IsEmpty())
        CreateFadedImage();
    return !m_images[imageFaded].IsEmpty() ? &m_images[imageFaded] : &m_images[imageNormal];
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetShadowStateImage()
{
    if (m_images[imageShadow].IsEmpty())
        CreateShadowImage();
    return &m_images[imageShadow];
}

CZPImageManagerStateImage* CZPImageManagerIcon::GetStateImage(int nState)
{
    switch (nState) {
    case 1: return GetDisabledStateImage(TRUE);
    case 2: return GetHotStateImage();
    case 3: return GetCheckedStateImage();
    case 4: return GetPressedStateImage();
    default: return GetNormalStateImage();
    }
}

BOOL CZPImageManagerIcon::SetNormalImage(CZPImageManagerStateImage* pImage)
{
    ClearImages(TRUE);
    m_images[imageNormal].CopyFrom(pImage);
    CSize size = m_images[imageNormal].GetExtent();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    if (m_pIconSet != NULL)
        m_pIconSet->RefreshAll();
    return TRUE;
}

void CZPImageManagerIcon::SetStateImage(int nIndex, CZPImageManagerStateImage* pImage)
{
    ClearGeneratedImages();
    m_images[nIndex].CopyFrom(pImage);
}

void CZPImageManagerIcon::ClearImages(BOOL bIncludeNormal)
{
    for (int i = bIncludeNormal ? 0 : 1; i < imageCount; ++i)
        m_images[i].Clear();
}

void CZPImageManagerIcon::ClearGeneratedImages()
{
    m_images[imageFaded].Clear();
    m_images[imageShadow].Clear();
    m_images[imageDisabledGenerated].Clear();
}

// ---------------------------------------------------------------------------------------------
// Icon set

CZPImageManagerIconSet::CZPImageManagerIconSet(UINT nID, CZPImageManager* pManager)
    : m_nID(nID), m_pManager(pManager)
{
    m_mapIcons.InitHashTable(kIconWidthBuckets, FALSE);
}

CZPImageManagerIconSet::~CZPImageManagerIconSet()
{
    RemoveAll();
}

CZPImageManagerIcon* CZPImageManagerIconSet::GetIcon(UINT nWidth, BOOL bNearest)
{
    CZPImageManagerIcon* pIcon = NULL;
    if (nWidth != 0 && nWidth != 1) {
        if (m_mapIcons.Lookup(nWidth, pIcon))
            return pIcon;
        if (!bNearest)
            return NULL;
    }
    CZPImageManagerIcon* pBest = NULL;
    UINT nBestKey = 0;
    UINT nBestDistance = 0;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos != NULL) {
        UINT nKey = 0;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        UINT nDistance = nKey > nWidth ? nKey - nWidth : nWidth - nKey;
        BOOL bBetter = pBest == NULL || (nWidth == 0 && nKey < nBestKey) || (nWidth == 1 && nKey > nBestKey) ||
                       (nWidth > 1 && nDistance < nBestDistance);
        if (bBetter) {
            pBest = pIcon;
            nBestKey = nKey;
            nBestDistance = nDistance;
        }
    }
    return pBest;
}

CZPImageManagerIcon* CZPImageManagerIconSet::GetOrCreateIcon(UINT nWidth)
{
    CZPImageManagerIcon* pIcon = NULL;
    if (!m_mapIcons.Lookup(nWidth, pIcon)) {
        pIcon = new CZPImageManagerIcon(m_nID, static_cast<int>(nWidth), kInitialIconHeight, this);
        m_mapIcons.SetAt(nWidth, pIcon);
    }
    return pIcon;
}

void CZPImageManagerIconSet::RemoveAll()
{
    ForEachValue(m_mapIcons, [](CZPImageManagerIcon* pIcon) {
        pIcon->ClearImages(TRUE);
        pIcon->InternalRelease();
    });
    m_mapIcons.RemoveAll();
}

void CZPImageManagerIconSet::RefreshAll()
{
    ForEachValue(m_mapIcons, [](CZPImageManagerIcon* pIcon) { pIcon->ClearGeneratedImages(); });
}

// ---------------------------------------------------------------------------------------------
// Manager

CZPImageManager::CZPImageManager() : m_clrMask(static_cast<COLORREF>(-1)), m_nCustomID(firstCustomID)
{
    m_mapImages.InitHashTable(kIconSetBuckets, FALSE);
}

CZPImageManager::~CZPImageManager()
{
    RemoveAll();
}

CZPImageManagerIconSet* CZPImageManager::GetIconSet(UINT nCommand) const
{
    CZPImageManagerIconSet* pIconSet = NULL;
    return m_mapImages.Lookup(nCommand, pIconSet) ? pIconSet : NULL;
}

CZPImageManagerIcon* CZPImageManager::GetImage(UINT nCommand, int nWidth) const
{
    CZPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    return pIconSet != NULL ? pIconSet->GetIcon(static_cast<UINT>(nWidth), TRUE) : NULL;
}

BOOL CZPImageManager::HasImage(UINT nCommand, int nWidth) const
{
    CZPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    return pIconSet != NULL && pIconSet->GetIcon(static_cast<UINT>(nWidth), FALSE) != NULL;
}

BOOL CZPImageManager::SetIcon(CZPImageManagerStateImage* pImage, UINT nCommand, int nWidth, int nHeight, int nState)
{
    if (pImage == NULL || pImage->IsEmpty())
        return FALSE;
    if (nWidth == 0 && nHeight == 0) {
        CSize size = pImage->GetExtent();
        nWidth = size.cx;
        nHeight = size.cy;
        if (nWidth == 0 && nHeight == 0)
            return FALSE;
    }
    UINT nKey = static_cast<UINT>(nWidth);
    CZPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet != NULL) {
        int nImage;
        switch (nState) {
        case 0: pIconSet->SetNormalImage(pImage, nKey); nImage = CZPImageManagerIcon::imageNormal; break;
        case 1: pIconSet->SetDisabledImage(pImage, nKey); nImage = CZPImageManagerIcon::imageDisabled; break;
        case 2: pIconSet->SetHotImage(pImage, nKey); nImage = CZPImageManagerIcon::imageHot; break;
        case 3: pIconSet->SetCheckedImage(pImage, nKey); nImage = CZPImageManagerIcon::imageChecked; break;
        case 4: pIconSet->SetPressedImage(pImage, nKey); nImage = CZPImageManagerIcon::imagePressed; break;
        default: return TRUE;
        }
        // A copy the shared bitmap could not take leaves the record empty: nothing was stored.
        return !pIconSet->GetIcon(nKey, FALSE)->m_images[nImage].IsEmpty();
    }
    if (nState != 0)
        return FALSE;
    pIconSet = new CZPImageManagerIconSet(nCommand, this);
    pIconSet->SetNormalImage(pImage, nKey);
    if (pIconSet->GetIcon(nKey, FALSE)->GetNormalStateImage()->IsEmpty()) {
        pIconSet->RemoveAll();
        pIconSet->InternalRelease();
        return FALSE;
    }
    m_mapImages.SetAt(nCommand, pIconSet);
    return TRUE;
}

UINT CZPImageManager::AddCustomIcon(CZPImageManagerStateImage* pImage)
{
    UINT nID = ++m_nCustomID;
    CZPImageManagerIconSet* pIconSet = new CZPImageManagerIconSet(nID, this);
    pIconSet->SetNormalImage(pImage, static_cast<UINT>(pImage->GetExtent().cx));
    m_mapImages.SetAt(nID, pIconSet);
    return nID;
}

void CZPImageManager::RaiseLastCustomID(UINT nID)
{
    if (nID > m_nCustomID)
        m_nCustomID = nID;
}

COLORREF CZPImageManager::SetMaskColor(COLORREF clrMask)
{
    COLORREF clrOld = m_clrMask;
    m_clrMask = clrMask;
    return clrOld;
}

void CZPImageManager::RemoveAll()
{
    // Sets first, so that their pictures give their slots back before the stores go.
    ForEachValue(m_mapImages, [](CZPImageManagerIconSet* pIconSet) {
        pIconSet->RemoveAll();
        pIconSet->InternalRelease();
    });
    m_mapImages.RemoveAll();
    ForEachValue(m_mapResources, [](CZPImageManagerResource* pResource) { delete pResource; });
    m_mapResources.RemoveAll();
}

void CZPImageManager::RefreshAll()
{
    ForEachValue(m_mapImages, [](CZPImageManagerIconSet* pIconSet) { pIconSet->RefreshAll(); });
}

CZPImageManagerResource* CZPImageManager::GetResource(int cx, int cy)
{
    UINT nKey = ResourceKey(cx, cy);
    CZPImageManagerResource* pResource = NULL;
    if (!m_mapResources.Lookup(nKey, pResource)) {
        pResource = new CZPImageManagerResource(this, cx, cy);
        m_mapResources.SetAt(nKey, pResource);
    }
    return pResource;
}

CZPImageManager* ZpImageManagerInstance()
{
    static CZPImageManager s_manager;
    return &s_manager;
}
