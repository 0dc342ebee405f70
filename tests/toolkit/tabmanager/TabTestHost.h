// A small host of a tab strip for the tests: a plain window, the paint manager it registers
// with, a control rectangle, and counters and switches for what the tests watch.
#pragma once

#include <framework.h>

#include <ostream>
#include <vector>

#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManager.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"
#include "tabmanager/ZPTabPaintManager.h"

// Live GDI objects of the process. Wine answers GetGuiResources with 0; there a handle's bare
// table index still names its object, so the table is probed instead.
inline DWORD CountGdiObjects()
{
    DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (dwCount != 0)
        return dwCount;
    const UINT_PTR kTableSize = 0x10000;
    for (UINT_PTR i = 1; i < kTableSize; i++)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0)
            dwCount++;
    return dwCount;
}

// Readable rectangles in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

// A visible top-level window of a class with the default window procedure.
class CTestWindow
{
public:
    CTestWindow(int cx = 400, int cy = 300, DWORD dwExStyle = 0)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.lpszClassName = L"TolvaneTabTestWindow";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(dwExStyle, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, NULL, NULL,
                                   wc.hInstance, NULL);
        m_wnd.Attach(m_hWnd);
    }
    ~CTestWindow()
    {
        m_wnd.Detach();
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND GetHwnd() const { return m_hWnd; }
    CWnd* GetWnd() { return &m_wnd; }

private:
    HWND m_hWnd;
    CWnd m_wnd;    // borrows m_hWnd
};

class CTestTabHost : public CZPTabManager
{
public:
    explicit CTestTabHost(CZPTabPaintManager* pPaintManager, HWND hWnd = NULL, CRect rcBounds = CRect(0, 0, 300, 200))
        : m_pPaintManager(NULL), m_hWnd(hWnd), m_rcBounds(rcBounds)
    {
        SetPaintManager(pPaintManager);
    }
    ~CTestTabHost() override
    {
        if (m_pPaintManager != NULL)
            m_pPaintManager->InternalRelease();
    }

    CZPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void SetPaintManager(CZPTabPaintManager* pPaintManager) override
    {
        if (pPaintManager != NULL)
            pPaintManager->InternalAddRef();
        if (m_pPaintManager != NULL)
            m_pPaintManager->InternalRelease();
        m_pPaintManager = pPaintManager;
        RegisterPaintManager(pPaintManager);
    }
    void RedrawControl(LPCRECT lpRect, BOOL bErase) override
    {
        m_nRedraws++;
        if (m_hWnd != NULL)
            ::InvalidateRect(m_hWnd, lpRect, bErase);
    }
    BOOL DrawItemIcon(CDC* pDC, CPoint pt, CZPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override
    {
        if (pItem == NULL || pItem->GetIcon() == NULL)
            return FALSE;
        if (bDraw)
            ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, pItem->GetIcon(), szIcon.cx, szIcon.cy, 0, NULL, DI_NORMAL);
        return TRUE;
    }
    void Reposition() override
    {
        m_nRepositions++;
        if (m_pPaintManager == NULL || m_bLayoutSuspended)
            return;
        HDC hDC = ::GetDC(m_hWnd);
        {
            CDC dc(hDC);
            m_pPaintManager->RepositionTabControl(this, &dc, m_rcBounds);
        }
        ::ReleaseDC(m_hWnd, hDC);
        if (m_offsets.empty() || m_offsets.back() != GetScrollOffset())
            m_offsets.push_back(GetScrollOffset());
    }
    void OnNavigateButtonClick(CZPTabManagerNavigateButton* pButton) override
    {
        m_clicks.push_back(pButton->GetID());
        if (m_bCloseDeletesTab && pButton->GetItem() != NULL)
            DeleteItem(pButton->GetItem()->GetIndex());
    }
    BOOL CanSelectItem(CZPTabManagerItem* pItem) const override
    {
        return m_pVetoed == NULL || pItem != m_pVetoed;
    }

    // A strip with the given captions, laid out.
    void AddCaptions(std::initializer_list<LPCWSTR> captions)
    {
        for (LPCWSTR lpsz : captions)
            AddItem(-1)->SetCaption(lpsz);
        Reposition();
    }
    void SetBounds(const CRect& rc)
    {
        m_rcBounds = rc;
        Reposition();
    }
    // Many tabs named by number, laid out once.
    void AddNumberedTabs(int nCount)
    {
        m_bLayoutSuspended = TRUE;
        for (int i = 0; i < nCount; i++)
        {
            CString str;
            str.Format(L"Tab %d", i);
            AddItem(-1)->SetCaption(str);
        }
        m_bLayoutSuspended = FALSE;
        Reposition();
    }
    HWND GetHwnd() const { return m_hWnd; }

    int m_nRedraws = 0;
    int m_nRepositions = 0;
    std::vector<UINT> m_clicks;
    std::vector<int> m_offsets;        // each new scroll offset after a layout
    BOOL m_bCloseDeletesTab = FALSE;
    CZPTabManagerItem* m_pVetoed = NULL;
    BOOL m_bLayoutSuspended = FALSE;   // while adding many tabs

private:
    CZPTabPaintManager* m_pPaintManager;   // one reference
    HWND m_hWnd;                           // borrowed
    CRect m_rcBounds;
};

// A new paint manager the test holds the one reference to.
struct CPaintManagerRef : CRefPtr<CZPTabPaintManager>
{
    CPaintManagerRef() : CRefPtr<CZPTabPaintManager>(Adopt(new CZPTabPaintManager())) {}
};
