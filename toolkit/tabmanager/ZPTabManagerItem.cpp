// One tab of a strip.
#include "tabmanager/ZPTabManagerItem.h"

#include "common/ZPDrawHelpers.h"
#include "common/ZPImageLoading.h"
#include "common/ZPImageManager.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"
#include "tabmanager/ZPTabPaintManager.h"

CZPTabManagerItem::CZPTabManagerItem()
    : m_nLength(0), m_nNaturalLength(0), m_nImage(-1), m_nIndex(-1), m_bEnabled(TRUE), m_bVisible(TRUE), m_hWnd(NULL),
      m_hIcon(NULL), m_rcItem(0, 0, 0, 0), m_clrItem(0), m_pManager(NULL), m_nRow(0), m_bClosable(TRUE)
{}

CZPTabManagerItem::~CZPTabManagerItem()
{
    OnRemoved();
}

void CZPTabManagerItem::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (m_pManager != NULL)
        m_pManager->Reposition();
}

void CZPTabManagerItem::OnRemoved()
{
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); i++)
        delete m_arrNavigateButtons[i];
    m_arrNavigateButtons.RemoveAll();
}

void CZPTabManagerItem::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption != NULL ? lpszCaption : L"");
    if (strCaption == m_strCaption)
        return;
    m_strCaption = strCaption;
    if (m_pManager != NULL)
        m_pManager->Reposition();
}

CString CZPTabManagerItem::GetCaption() const
{
    return m_pManager != NULL ? m_pManager->GetItemCaption(this) : m_strCaption;
}

COLORREF CZPTabManagerItem::GetColor() const
{
    return m_pManager != NULL ? m_pManager->GetItemColor(this) : ZpGetTabAutomaticColor(m_clrItem);
}

BOOL CZPTabManagerItem::IsSelected() const
{
    return m_pManager != NULL && m_pManager->GetSelectedItem() == this;
}

BOOL CZPTabManagerItem::IsHighlighted() const
{
    return m_pManager != NULL && m_pManager->GetHighlightedItem() == this;
}

BOOL CZPTabManagerItem::IsPressed() const
{
    return m_pManager != NULL && m_pManager->GetPressedItem() == this;
}

void CZPTabManagerItem::Select()
{
    if (m_pManager != NULL)
        m_pManager->SelectItemByUser(this);
}

void CZPTabManagerItem::Remove()
{
    if (m_pManager != NULL)
        m_pManager->DeleteItem(m_nIndex);
}

void CZPTabManagerItem::SetRect(const CRect& rc)
{
    m_rcItem = rc;
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); i++)
        m_arrNavigateButtons[i]->SetRect(CRect(0, 0, 0, 0));
}

BOOL CZPTabManagerItem::HasNavigateButton(const CZPTabManagerNavigateButton* pButton) const
{
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); i++)
        if (m_arrNavigateButtons[i] == pButton)
            return TRUE;
    return FALSE;
}

namespace {

// A 32-bit bottom-up DIB section and its pixels.
struct CTurnBitmap
{
    CBitmap bitmap;
    DWORD* pBits = NULL;
    BOOL Create(CDC* pDC, int n)
    {
        LPBYTE pb = NULL;
        HBITMAP hbm = ZpCreateDibSection32(pDC->GetSafeHdc(), n, n, &pb);
        pBits = reinterpret_cast<DWORD*>(pb);
        return hbm != NULL && bitmap.Attach(hbm);
    }
};

// Square bottom-up bitmaps: pixel (x, y) counted from the top is row n - 1 - y.
inline DWORD& Pixel(DWORD* pBits, int n, int x, int y)
{
    return pBits[(n - 1 - y) * n + x];
}

// A quarter turn anticlockwise takes (x, y) to (y, n - 1 - x); clockwise to (n - 1 - y, x).
void TurnSquare(DWORD* pSrc, DWORD* pDst, int n, BOOL bClockwise)
{
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            if (bClockwise)
                Pixel(pDst, n, n - 1 - y, x) = Pixel(pSrc, n, x, y);
            else
                Pixel(pDst, n, y, n - 1 - x) = Pixel(pSrc, n, x, y);
        }
}

}  // namespace

void CZPTabManagerItem::DrawImage(CDC* pDC, CRect rc, CZPImageManagerIcon* pIcon)
{
    if (pIcon == NULL || m_pManager == NULL)
        return;
    CZPImageManagerStateImage* pImage = !m_bEnabled       ? pIcon->GetDisabledStateImage()
                                        : IsHighlighted() ? pIcon->GetHotStateImage()
                                        : IsSelected()    ? pIcon->GetCheckedStateImage()
                                                          : pIcon->GetNormalStateImage();
    CZPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    int nPosition = m_pManager->GetPosition();
    BOOL bTurn = pPaintManager != NULL && pPaintManager->m_bRotateIcons && rc.Width() == rc.Height() &&
                 rc.Width() > 0 && (nPosition == zpTabPositionLeft || nPosition == zpTabPositionRight);
    if (!bTurn) {
        pIcon->Draw(pDC, rc.left, rc.top, pImage, rc.Width(), rc.Height());
        return;
    }

    // The icon turns a quarter clockwise with the vertical captions: draw it upright on the
    // background turned back, then turn the whole square forward.
    int n = rc.Width();
    CTurnBitmap bmBack, bmUpright;
    if (!bmBack.Create(pDC, n) || !bmUpright.Create(pDC, n))
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = dcMem.SelectObject(static_cast<HGDIOBJ>(bmBack.bitmap));
    dcMem.BitBlt(0, 0, n, n, pDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    TurnSquare(bmBack.pBits, bmUpright.pBits, n, FALSE);
    dcMem.SelectObject(static_cast<HGDIOBJ>(bmUpright.bitmap));
    pIcon->Draw(&dcMem, 0, 0, pImage, n, n);
    ::GdiFlush();
    TurnSquare(bmUpright.pBits, bmBack.pBits, n, TRUE);
    dcMem.SelectObject(hOld);
    pDC->DrawState(rc.TopLeft(), CSize(n, n), static_cast<HBITMAP>(bmBack.bitmap), DST_BITMAP);
}
