// The small buttons of a tab strip: the two scroll arrows and the close buttons, of the strip
// and of single tabs.
#pragma once

#include "tabmanager/ZPTabManager.h"

// Owned by its manager or item, not reference counted.
class CZPTabManagerNavigateButton
{
public:
    CZPTabManagerNavigateButton(CZPTabManager* pManager, UINT nID, int nShowMode);
    virtual ~CZPTabManagerNavigateButton();
    CZPTabManagerNavigateButton(const CZPTabManagerNavigateButton&) = delete;
    CZPTabManagerNavigateButton& operator=(const CZPTabManagerNavigateButton&) = delete;

    // Takes the button's length off the room along the strip when it is to be shown.
    virtual void AdjustLength(int& nLength);
    virtual CSize GetSize() const;
    virtual void PerformClick(CWnd* pWnd, CPoint point);
    // Places the button at the end of the remaining header rectangle and shortens it.
    virtual void Reposition(CRect& rcRemaining);
    virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
    virtual void Execute(BOOL bRepeat);

    void SetRect(const CRect& rc) { m_rcButton = rc; }
    const CRect& GetRect() const { return m_rcButton; }
    CString GetTooltip() const { return m_strTooltip; }
    void Draw(CDC* pDC);
    UINT GetID() const { return m_nID; }
    int GetShowMode() const { return m_nShowMode; }
    void SetShowMode(int nShowMode) { m_nShowMode = nShowMode; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    CZPTabManager* GetTabManager() const { return m_pManager; }
    CZPTabManagerItem* GetItem() const { return m_pItem; }

protected:
    // The base placement of Reposition, without the visibility test.
    void PlaceAtEnd(CRect& rcRemaining);

    UINT m_nID;
    int m_nShowMode;
    CZPTabManager* m_pManager;  // borrowed: the owner or the owner's manager
    CRect m_rcButton;
    BOOL m_bEnabled;
    BOOL m_bPressed;
    CString m_strTooltip;
    CZPTabManagerItem* m_pItem;  // borrowed: the owning item of a per-tab button
};

class CZPTabManager::CNavigateButtonArrow : public CZPTabManagerNavigateButton
{
public:
    CNavigateButtonArrow(CZPTabManager* pManager, UINT nID, int nShowMode)
        : CZPTabManagerNavigateButton(pManager, nID, nShowMode)
    {}
    void AdjustLength(int& nLength) override;
    void Reposition(CRect& rcRemaining) override;
};

class CZPTabManager::CNavigateButtonArrowLeft : public CZPTabManager::CNavigateButtonArrow
{
public:
    CNavigateButtonArrowLeft(CZPTabManager* pManager, int nShowMode)
        : CNavigateButtonArrow(pManager, zpTabNavigateButtonLeft, nShowMode)
    {}
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void Execute(BOOL bRepeat) override;
};

class CZPTabManager::CNavigateButtonArrowRight : public CZPTabManager::CNavigateButtonArrow
{
public:
    CNavigateButtonArrowRight(CZPTabManager* pManager, int nShowMode)
        : CNavigateButtonArrow(pManager, zpTabNavigateButtonRight, nShowMode)
    {}
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void Execute(BOOL bRepeat) override;
};

class CZPTabManager::CNavigateButtonClose : public CZPTabManagerNavigateButton
{
public:
    CNavigateButtonClose(CZPTabManager* pManager, int nShowMode);
    void DrawGlyph(CDC* pDC, CRect rc) override;
};

class CZPTabManager::CNavigateButtonTabClose : public CZPTabManager::CNavigateButtonClose
{
public:
    CNavigateButtonTabClose(CZPTabManagerItem* pItem, CZPTabManager* pManager, int nShowMode);
};
