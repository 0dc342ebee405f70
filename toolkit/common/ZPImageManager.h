// Pictures of commands: an icon set per command id, an icon per width, up to eight state
// images per icon, all stored in shared bitmaps of one size each; their drawing and the two
// transparency blits of the toolkit.
#pragma once

#include <framework.h>
#include <framework/gdi.h>
#include <framework/memorydc.h>

#include <commctrl.h>

#include "common/ZPSystemHelpers.h"

#include <vector>

class COleDataObject;
class CZPPropExchange;
class CZPImageManager;
class CZPImageManagerIconSet;
class CZPImageManagerResource;

// One place in a shared bitmap.
struct ZP_IMAGERESOURCE_INFO
{
    BOOL bAlpha;                          // premultiplied pixels, else colour plus AND mask
    RECT rcImage;                         // the picture's place in the shared bitmaps
    CZPImageManagerResource* pResource;   // borrowed: the store whose lists own this record
};

// One picture: an icon handle, a 32-bpp alpha bitmap or a slot of a shared bitmap.
class CZPImageManagerStateImage
{
public:
    CZPImageManagerStateImage();
    ~CZPImageManagerStateImage();
    CZPImageManagerStateImage(const CZPImageManagerStateImage&) = delete;
    CZPImageManagerStateImage& operator=(const CZPImageManagerStateImage&) = delete;

    BOOL IsEmpty() const;
    BOOL IsAlpha() const;
    HBITMAP GetBitmap() const;
    HICON GetIcon() const { return m_hIcon; }
    ZP_IMAGERESOURCE_INFO* GetSlot() const { return m_pSlot; }
    CSize GetExtent() const { return CSize(m_cx, m_cy); }
    BOOL IsPremultiplied() const { return m_pPremultipliedBits != NULL; }

    void SetIcon(HICON hIcon);
    void SetBitmap(HBITMAP hBitmap);
    void TakeBitmap(HBITMAP hBitmap);
    void AttachIcon(HICON hIcon);
    void AttachBitmap(HBITMAP hBitmap);
    // Borrow cy bottom-up rows of cx 32-bpp pixels, nStride pixels apart: sources only for
    // copies into a manager's store, which takes them without making a bitmap or icon first.
    // Keyed: the key colour's pixels are transparent (a mask), all others opaque.
    void AttachKeyedPixels(const DWORD* pPixels, int nStride, int cx, int cy, COLORREF clrKey);
    // Straight (not premultiplied) alpha.
    void AttachAlphaPixels(const DWORD* pPixels, int nStride, int cx, int cy);
    void CopyFrom(CZPImageManagerStateImage* pSource);
    void Clear();
    void ClearHandles() { Clear(); }

    // Bottom-up rows of premultiplied pixels; converts the record once.
    LPBYTE GetPremultipliedBits();
    void Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bComposited);
    BOOL LoadIconResource(HMODULE hModule, LPCWSTR lpszName, int cx, int cy);

protected:
    friend class CZPImageManagerIcon;
    friend class CZPImageManagerResource;

    // Takes a bottom-up premultiplied bitmap whose bits are pBits.
    void TakePremultiplied(HBITMAP hBitmap, LPBYTE pBits);
    void UpdateExtent();

    HICON m_hIcon;                   // owned when m_bOwnsHandles
    const DWORD* m_pBorrowedPixels;  // never owned: see AttachKeyedPixels and AttachAlphaPixels
    int m_nBorrowedStride;           // in pixels
    COLORREF m_clrKey;               // CLR_NONE for alpha pixels
    HBITMAP m_hAlphaBitmap;          // owned when m_bOwnsHandles
    LPBYTE m_pPremultipliedBits;     // the bits of m_hAlphaBitmap once premultiplied
    BOOL m_bOwnsHandles;
    CZPImageManager* m_pManager;     // borrowed: the manager whose shared bitmaps take copies
    ZP_IMAGERESOURCE_INFO* m_pSlot;  // owned by its store; given back when m_bOwnsHandles
    int m_cx, m_cy;
};

class CZPImageManagerIcon : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPImageManagerIcon)
public:
    enum
    {
        imageNormal, imageFaded, imageShadow, imageHot, imageChecked, imagePressed, imageDisabled,
        imageDisabledGenerated, imageCount
    };

    CZPImageManagerIcon(UINT nID, int nWidth, int nHeight, CZPImageManagerIconSet* pIconSet);
    ~CZPImageManagerIcon() override;

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    CSize GetExtent() const { return m_images[imageNormal].GetExtent(); }
    BOOL HasAlphaNormalImage() const { return m_images[imageNormal].IsAlpha(); }
    BOOL HasDisabledImage() const;
    CZPImageManagerIconSet* GetIconSet() const { return m_pIconSet; }

    CZPImageManagerStateImage* GetNormalStateImage() { return &m_images[imageNormal]; }
    CZPImageManagerStateImage* GetHotStateImage();
    CZPImageManagerStateImage* GetCheckedStateImage();
    CZPImageManagerStateImage* GetPressedStateImage();
    CZPImageManagerStateImage* GetDisabledStateImage(BOOL bCreate = TRUE);
    CZPImageManagerStateImage* GetFadedStateImage();
    CZPImageManagerStateImage* GetShadowStateImage();
    // 0 normal, 1 disabled, 2 hot, 3 checked, 4 pressed.
    CZPImageManagerStateImage* GetStateImage(int nState);

    BOOL SetNormalImage(CZPImageManagerStateImage* pImage);
    void SetHotImage(CZPImageManagerStateImage* pImage) { SetStateImage(imageHot, pImage); }
    void SetCheckedImage(CZPImageManagerStateImage* pImage) { SetStateImage(imageChecked, pImage); }
    void SetPressedImage(CZPImageManagerStateImage* pImage) { SetStateImage(imagePressed, pImage); }
    void SetDisabledImage(CZPImageManagerStateImage* pImage) { SetStateImage(imageDisabled, pImage); }
    void ClearImages(BOOL bIncludeNormal);
    void ClearGeneratedImages();

    void CreateFadedImage();
    void CreateShadowImage();
    // Grey mode with -1 and -1; otherwise a ramp from the dark to the light colour.
    void CreateDisabledImage(COLORREF clrLight = static_cast<COLORREF>(-1),
                             COLORREF clrDark = static_cast<COLORREF>(-1));

    // cx 0 = the icon's width; cy 0 keeps the aspect.
    void Draw(CDC* pDC, int x, int y, CZPImageManagerStateImage* pImage, int cx = 0, int cy = 0);
    void DrawNormal(CDC* pDC, int x, int y) { Draw(pDC, x, y, GetNormalStateImage()); }
    void DrawNormalSized(CDC* pDC, int x, int y, int cx, int cy) { Draw(pDC, x, y, GetNormalStateImage(), cx, cy); }
    void DrawDisabledEmbossed(CDC* pDC, int x, int y, CZPImageManagerStateImage* pImage, int cx, int cy,
                              COLORREF clr);

    // Set around one draw on a surface that needs a real alpha channel.
    BOOL m_bDrawComposited;

    // The icon's archive record: height, version, then its set state images.
    void Serialize(CArchive& ar) override;
    void SerializeStateImage(CZPImageManagerStateImage* pImage, CArchive& ar, int nVersion);

protected:
    friend class CZPImageManager;

    void SetStateImage(int nIndex, CZPImageManagerStateImage* pImage);

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CZPImageManagerStateImage m_images[imageCount];
    CZPImageManagerIconSet* m_pIconSet;   // borrowed: the owning set
};

typedef CMap<UINT, UINT, CZPImageManagerIcon*, CZPImageManagerIcon*> CZPImageManagerIconMap;

class CZPImageManagerIconSet : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPImageManagerIconSet)
public:
    CZPImageManagerIconSet(UINT nID, CZPImageManager* pManager);
    ~CZPImageManagerIconSet() override;

    // Width 0 = the smallest icon, 1 = the largest.
    CZPImageManagerIcon* GetIcon(UINT nWidth, BOOL bNearest = TRUE);
    CZPImageManagerIcon* GetOrCreateIcon(UINT nWidth);
    void SetNormalImage(CZPImageManagerStateImage* pImage, UINT nWidth) { GetOrCreateIcon(nWidth)->SetNormalImage(pImage); }
    void SetDisabledImage(CZPImageManagerStateImage* pImage, UINT nWidth) { GetOrCreateIcon(nWidth)->SetDisabledImage(pImage); }
    void SetHotImage(CZPImageManagerStateImage* pImage, UINT nWidth) { GetOrCreateIcon(nWidth)->SetHotImage(pImage); }
    void SetCheckedImage(CZPImageManagerStateImage* pImage, UINT nWidth) { GetOrCreateIcon(nWidth)->SetCheckedImage(pImage); }
    void SetPressedImage(CZPImageManagerStateImage* pImage, UINT nWidth) { GetOrCreateIcon(nWidth)->SetPressedImage(pImage); }
    void RemoveAll();
    void RefreshAll();

    UINT GetID() const { return m_nID; }
    CZPImageManager* GetManager() const { return m_pManager; }
    const CZPImageManagerIconMap& GetIcons() const { return m_mapIcons; }

protected:
    friend class CZPImageManager;   // loading enters read icons

    CZPImageManagerIconMap m_mapIcons;   // one reference to each icon
    UINT m_nID;
    CZPImageManager* m_pManager;         // borrowed: the owning manager
};

// All pictures of one size side by side in one 32-bpp DIB and one 1-bpp mask.
class CZPImageManagerResource
{
public:
    // The store's memory DC puts its first bitmap back after each use and on destruction.
    typedef CMemoryDC CBitmapDC;

    CZPImageManagerResource(CZPImageManager* pManager, int cx, int cy);
    ~CZPImageManagerResource();
    CZPImageManagerResource(const CZPImageManagerResource&) = delete;
    CZPImageManagerResource& operator=(const CZPImageManagerResource&) = delete;

    ZP_IMAGERESOURCE_INFO* AddImage(CZPImageManagerStateImage* pImage);
    ZP_IMAGERESOURCE_INFO* AllocateSlot();
    void FreeSlot(ZP_IMAGERESOURCE_INFO* pSlot);
    void ExtractImage(CZPImageManagerStateImage* pTarget, ZP_IMAGERESOURCE_INFO* pSlot);
    void Draw(CDC* pDC, ZP_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy, BOOL bComposited);
    void DrawMaskedAsAlpha(CDC* pDC, ZP_IMAGERESOURCE_INFO* pSlot, int x, int y, int cx, int cy);
    CSize GetExtent() const { return CSize(m_cx, m_cy); }
    void RemoveAll();

    // Width of both bitmaps; their height is a whole number of image heights.
    int GetUsedWidth() const { return m_nUsedWidth; }
    HBITMAP GetColorBitmap() const { return m_hbmColor; }
    HBITMAP GetMaskBitmap() const { return m_hbmMask; }

protected:
    // Widens or lengthens both bitmaps to nWidth x nRows image heights, keeping every slot in place.
    BOOL Grow(int nWidth, int nRows);
    // The slot's bottom line in the colour bits; its lines follow at m_nUsedWidth x 4 bytes.
    LPBYTE SlotBits(const ZP_IMAGERESOURCE_INFO* pSlot) const;
    // Fills a new slot from borrowed pixels: alpha ones premultiplied; keyed ones with the key
    // colour black under a set mask bit.
    ZP_IMAGERESOURCE_INFO* AddBorrowedPixels(CZPImageManagerStateImage* pImage);

    HBITMAP m_hbmColor;        // owned; bottom-up 32 bpp
    HBITMAP m_hbmMask;         // owned; 1 bpp
    CBitmapDC m_dc;
    LPBYTE m_pBits;            // the pixels of m_hbmColor
    CZPImageManager* m_pManager;   // borrowed: the owner
    int m_cx, m_cy;
    int m_nUsedWidth;
    int m_nRows;               // rows of slots; the bitmaps are m_nRows x m_cy high
    int m_nSlots;              // slots made so far, used and free
    CArray<ZP_IMAGERESOURCE_INFO*, ZP_IMAGERESOURCE_INFO*> m_arrUsed;   // records owned
    CArray<ZP_IMAGERESOURCE_INFO*, ZP_IMAGERESOURCE_INFO*> m_arrFree;   // records owned
    CZPSyncSection m_lock;
};

class CZPImageManager : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPImageManager)
public:
    enum { firstCustomID = 0x10AAA };

    CZPImageManager();
    ~CZPImageManager() override;

    CZPImageManagerIcon* GetImage(UINT nCommand, int nWidth = 16) const;
    CZPImageManagerIconSet* GetIconSet(UINT nCommand) const;
    BOOL HasImage(UINT nCommand, int nWidth) const;
    BOOL SetIcon(CZPImageManagerStateImage* pImage, UINT nCommand, int nWidth, int nHeight, int nState);
    UINT AddCustomIcon(CZPImageManagerStateImage* pImage);
    COLORREF SetMaskColor(COLORREF clrMask);
    COLORREF GetMaskColor() const { return m_clrMask; }
    void RemoveAll();
    void RefreshAll();
    CZPImageManagerResource* GetResource(int cx, int cy);
    UINT GetLastCustomID() const { return m_nCustomID; }
    // Later custom ids never collide with a loaded one.
    void RaiseLastCustomID(UINT nID);

    // Loaders. States: 0 normal, 1 disabled, 2 hot, 3 checked, 4 pressed.
    BOOL SetIcons(CBitmap* pBitmap, const UINT* pCommands, int nCount, int cx, int cy, int nState, BOOL bAlpha);
    BOOL SetIconsFromBitmapResource(LPCWSTR lpszResource, const UINT* pCommands, int nCount, int cx, int cy,
                                    int nState);
    BOOL SetIconsFromBitmapResource(UINT nIDResource, const UINT* pCommands, int nCount, int cx, int cy, int nState)
    {
        return SetIconsFromBitmapResource(MAKEINTRESOURCEW(nIDResource), pCommands, nCount, cx, cy, nState);
    }
    BOOL SetIconsFromToolBar(UINT nIDToolBar, UINT nIDBitmap, int nState);
    // *ppCommands is new[]-allocated; the caller deletes it with delete[].
    BOOL ReadToolBarResource(UINT nIDToolBar, UINT** ppCommands, int* pnCount, CSize* pszButton);
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, int cx, int cy, int nState);
    BOOL SetIconFromResource(LPCWSTR lpszName, UINT nCommand, int cx, int cy, int nState);
    BOOL SetIconFromIconResource(HMODULE hModule, LPCWSTR lpszName, UINT nCommand, int cx, int cy, int nState);
    // Cuts a 32-bpp strip into nPieces equal DIB sections (the caller deletes them).
    static BOOL SplitAlphaStrip(HBITMAP hStrip, int nPieces, HBITMAP* phPieces);

    BOOL AlphaBlendBlit(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc);
    BOOL TransparentBlit(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc, COLORREF clrKey);

    // Persistence. Loading throws CArchiveException (badClass) for a foreign check text; FALSE
    // when an icon could not be read (it is left out).
    BOOL DoPropExchangeIcons(UINT nCommand, CZPPropExchange* pPX);
    BOOL DoPropExchange(CZPPropExchange* pPX);
    void Serialize(CArchive& ar) override;
    BOOL SerializeIconSet(UINT nCommand, CArchive& ar);
    // Puts the set on the clipboard the caller opened; FALSE when nothing was put there.
    BOOL CopyIconSetToClipboard(UINT nCommand);
    // The new id of the pasted set, or 0 (and no set under that id).
    UINT PasteIconSetFromClipboard(COleDataObject* pData);

protected:
    // Stores each cx-wide piece of an opaque strip, its key-coloured pixels transparent, as the
    // image list route would; FALSE when the strip does not suit (the caller takes that route).
    BOOL SetKeyedIcons(HBITMAP hStrip, const UINT* pCommands, int nCount, int cx, int cy, int nState, COLORREF clrKey,
                       BOOL* pbStored);

    COLORREF m_clrMask;
    CMap<UINT, UINT, CZPImageManagerIconSet*, CZPImageManagerIconSet*> m_mapImages;   // one reference each
    CMap<UINT, UINT, CZPImageManagerResource*, CZPImageManagerResource*> m_mapResources;   // owned
    UINT m_nCustomID;
};

CZPImageManager* ZpImageManagerInstance();

BOOL ZpIsComCtl6();
void ZpDrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc = 0,
                       int cySrc = 0);
void ZpDrawIconAlphaBlended(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon);
// The blend without MSIMG32: result = destination x (255 - source alpha) / 255 + source.
BOOL ZpAlphaBlendEmulate(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc);
BOOL ZpBlendPremultipliedRows(HBITMAP hSource, BOOL bSourceMirrored, HBITMAP hDest, BOOL bDestMirrored,
                              HBITMAP hResult);
// The colour-keyed blit without MSIMG32, through a 1-bpp mask.
BOOL ZpMaskTransparentBlit(CDC* pDC, const CRect& rcDest, CDC* pSrcDC, const CRect& rcSrc, COLORREF clrKey);

// The clipboard format "Zodeda ToolBar Image": one icon set's archive stream.
extern const CLIPFORMAT CF_ZPTOOLBARIMAGE;
// One bitmap block of an icon record: info length, BITMAPINFO, bits length, bits.
void ZpWriteArchivedBitmap(CArchive& ar, HBITMAP hBitmap);
// A DIB section from one block (the caller deletes it), NULL for an empty or unusable block.
// Throws CArchiveException for a block that does not fit the data.
HBITMAP ZpReadArchivedBitmap(CArchive& ar, LPBYTE* ppBits);
BOOL ZpGetBitmapInfoAndBits(HBITMAP hBitmap, std::vector<BYTE>& bits, std::vector<BYTE>& info);

// Each channel c becomes trunc(factor x 255 + (1 - factor) x c).
COLORREF ZpLightenColor(COLORREF clr, double dFactor);
