// One tab of a strip: caption, icon, colour, page window, state and its own close buttons.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

class CZPTabManager;
class CZPTabManagerNavigateButton;
class CZPImageManagerIcon;

// Automatic colours: 0x1000000 + n stands for the n-th colour of the paint manager's table.
#define ZP_TAB_AUTOMATIC_COLOR 0x1000000
#define ZP_TAB_AUTOMATIC_COLOR_COUNT 8

// Reference counted: the manager holds one reference, other holders add their own.
class CZPTabManagerItem : public CCmdTarget
{
public:
    CZPTabManagerItem();
    ~CZPTabManagerItem() override;

    virtual void SetVisible(BOOL bVisible);
    // Deletes the item's own navigate buttons.
    virtual void OnRemoved();

    void SetCaption(LPCWSTR lpszCaption);
    CString GetCaption() const;
    const CString& GetCaptionText() const { return m_strCaption; }
    void SetTooltip(LPCWSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    const CString& GetTooltipText() const { return m_strTooltip; }
    COLORREF GetColor() const;
    COLORREF GetColorValue() const { return m_clrItem; }
    void SetColor(COLORREF clr) { m_clrItem = clr; }
    HWND GetHandle() const { return m_hWnd; }
    void SetHandle(HWND hWnd) { m_hWnd = hWnd; }
    HICON GetIcon() const { return m_hIcon; }
    void SetIcon(HICON hIcon) { m_hIcon = hIcon; }
    int GetImageIndex() const { return m_nImage; }
    void SetImageIndex(int nImage) { m_nImage = nImage; }
    int GetIndex() const { return m_nIndex; }
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsClosable() const { return m_bClosable; }
    void SetClosable(BOOL bClosable) { m_bClosable = bClosable; }
    BOOL IsSelected() const;
    BOOL IsHighlighted() const;
    BOOL IsPressed() const;
    void Select();
    void Remove();
    CZPTabManager* GetTabManager() const { return m_pManager; }

    // Layout results.
    void SetRect(const CRect& rc);
    const CRect& GetRect() const { return m_rcItem; }
    int GetLength() const { return m_nLength; }
    void SetLength(int nLength) { m_nLength = nLength; }
    int GetNaturalLength() const { return m_nNaturalLength; }
    void SetNaturalLength(int nLength) { m_nNaturalLength = nLength; }
    int GetRow() const { return m_nRow; }
    void SetRow(int nRow) { m_nRow = nRow; }

    int GetNavigateButtonCount() const { return static_cast<int>(m_arrNavigateButtons.GetSize()); }
    CZPTabManagerNavigateButton* GetNavigateButton(int nIndex) const { return m_arrNavigateButtons[nIndex]; }
    BOOL HasNavigateButton(const CZPTabManagerNavigateButton* pButton) const;
    void AddNavigateButton(CZPTabManagerNavigateButton* pButton) { m_arrNavigateButtons.Add(pButton); }

    // Draws the icon's state image for this item's state at the rectangle's size.
    void DrawImage(CDC* pDC, CRect rc, CZPImageManagerIcon* pIcon);

private:
    friend class CZPTabManager;

    int m_nLength;
    int m_nNaturalLength;
    int m_nImage;
    int m_nIndex;
    BOOL m_bEnabled;
    BOOL m_bVisible;
    HWND m_hWnd;    // borrowed: the page shown while selected
    HICON m_hIcon;  // borrowed
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strTooltip;
    COLORREF m_clrItem;
    CZPTabManager* m_pManager;  // borrowed; NULL once removed
    int m_nRow;
    BOOL m_bClosable;
    CArray<CZPTabManagerNavigateButton*, CZPTabManagerNavigateButton*> m_arrNavigateButtons;  // owned
};
