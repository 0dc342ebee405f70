// The bar base: its persisted keys (defaults apart from the constructor's, schema gates, bad
// values) and its drawing through the paint manager.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPPropExchangeArchive.h"
#include "common/ZPPropExchangeRegistry.h"
#include "DibSection.h"
#include "archive_helpers.h"

namespace {

using CommandBarTest = CommandBarsTest;

const wchar_t kRoot[] = L"Software\\Tolvane\\Tests\\CommandBar";

// A scratch registry key under HKCU, emptied before and after.
class CScratchKey
{
public:
    CScratchKey()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL);
    }
    ~CScratchKey()
    {
        ::RegCloseKey(m_hKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    }
    CScratchKey(const CScratchKey&) = delete;
    CScratchKey& operator=(const CScratchKey&) = delete;
    HKEY m_hKey = NULL;
};

template <class T> CRefPtr<T> NewBar()
{
    return CRefPtr<T>::Adopt(new T);
}

// Every key set apart from both the constructor's and the persisted defaults.
void FillBar(CZPCommandBar* p)
{
    p->SetPosition(zpBarLeft);
    p->SetBarID(4242);
    p->ModifyBarFlags(0, 0x30);
    p->SetBarStyle(0x12);
    p->SetTitle(L"Tools & more");
    p->SetCustomizable(FALSE);
    p->SetMRUWidth(300);
    p->SetIconSize(CSize(24, 24));
    p->SetButtonSize(CSize(30, 28));
    p->SetShowTextBelowIcons(1);
    p->SetAnimationEnabled(TRUE);
    p->SetDefaultButtonStyle(zpButtonIconAndCaption);
}

void ExpectSameKeys(const CZPCommandBar* a, const CZPCommandBar* b)
{
    EXPECT_EQ(a->GetType(), b->GetType());
    EXPECT_EQ(a->GetPosition(), b->GetPosition());
    EXPECT_EQ(a->GetBarID(), b->GetBarID());
    EXPECT_EQ(a->GetFlags(), b->GetFlags());
    EXPECT_EQ(a->GetBarStyle(), b->GetBarStyle());
    EXPECT_EQ(a->GetTitle(), b->GetTitle());
    EXPECT_EQ(a->IsCustomizable(), b->IsCustomizable());
    EXPECT_EQ(a->GetMRUWidth(), b->GetMRUWidth());
    EXPECT_EQ(a->GetIconSize(), b->GetIconSize());
    EXPECT_EQ(a->GetButtonSize(), b->GetButtonSize());
    EXPECT_EQ(a->GetShowTextBelowIcons(), b->GetShowTextBelowIcons());
    EXPECT_EQ(a->IsAnimationEnabled(), b->IsAnimationEnabled());
    EXPECT_EQ(a->GetDefaultButtonStyle(), b->GetDefaultButtonStyle());
}

TEST_F(CommandBarTest, ArchiveRoundTripFindsTheCommandBarsAndStaysAligned)
{
    CRefPtr<CZPPopupBar> stored = NewBar<CZPPopupBar>();
    FillBar(stored.Get());
    const long kSentinel = 0x5EA1;
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        CZPPropExchangeArchive px(ar);
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        stored->ExchangeProperties(&px);
        long n = kSentinel;
        PropExchangeLong(&px, L"After", &n, 0);
    });
    CRefPtr<CZPCommandBars> commandBars = CRefPtr<CZPCommandBars>::Adopt(new CZPCommandBars);
    ZP_COMMANDBARS_EXCHANGE_PARAMS params = { FALSE, TRUE, TRUE, TRUE, commandBars.Get() };
    CRefPtr<CZPCommandBar> loaded = NewBar<CZPPopupBar>();
    long nAfter = 0;
    LoadBytes(bytes, [&](CArchive& ar) {
        CZPPropExchangeArchive px(ar);
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&params);
        loaded->ExchangeProperties(&px);
        PropExchangeLong(&px, L"After", &nAfter, 0);
    });
    ExpectSameKeys(stored.Get(), loaded.Get());
    EXPECT_EQ(zpBarTypePopup, loaded->GetType());
    EXPECT_EQ(commandBars.Get(), loaded->GetCommandBars());
    EXPECT_EQ(kSentinel, nAfter);
}

TEST_F(CommandBarTest, SchemaGatesTheLaterKeys)
{
    // Loaded into a bar whose values differ from both ends, so that an unread key shows.
    struct Case
    {
        long nSchema;
        BOOL bIconSize, bButtonSize, bButtonStyle;
    } cases[] = { { 2, FALSE, FALSE, FALSE },
                  { 3, TRUE, FALSE, FALSE },
                  { 17, TRUE, FALSE, FALSE },
                  { 18, TRUE, TRUE, FALSE },
                  { 19, TRUE, TRUE, TRUE } };
    for (const Case& c : cases) {
        CRefPtr<CZPCommandBar> stored = NewBar<CZPCommandBar>();
        FillBar(stored.Get());
        const long kSentinel = 77;
        Bytes bytes = StoreBytes([&](CArchive& ar) {
            CZPPropExchangeArchive px(ar);
            px.SetSchema(c.nSchema);
            stored->ExchangeProperties(&px);
            long n = kSentinel;
            PropExchangeLong(&px, L"After", &n, 0);
        });
        CRefPtr<CZPCommandBar> loaded = NewBar<CZPCommandBar>();
        loaded->SetIconSize(CSize(8, 8));
        loaded->SetButtonSize(CSize(9, 9));
        loaded->SetShowTextBelowIcons(0);
        loaded->SetDefaultButtonStyle(zpButtonIcon);
        long nAfter = 0;
        LoadBytes(bytes, [&](CArchive& ar) {
            CZPPropExchangeArchive px(ar);
            px.SetSchema(c.nSchema);
            loaded->ExchangeProperties(&px);
            PropExchangeLong(&px, L"After", &nAfter, 0);
        });
        EXPECT_EQ(kSentinel, nAfter) << c.nSchema;
        EXPECT_EQ(300, loaded->GetMRUWidth()) << c.nSchema;
        EXPECT_EQ(c.bIconSize ? CSize(24, 24) : CSize(8, 8), loaded->GetIconSize()) << c.nSchema;
        EXPECT_EQ(c.bButtonSize ? CSize(30, 28) : CSize(9, 9), loaded->GetButtonSize()) << c.nSchema;
        EXPECT_EQ(c.bButtonSize ? 1 : 0, loaded->GetShowTextBelowIcons()) << c.nSchema;
        EXPECT_EQ(c.bButtonSize, loaded->IsAnimationEnabled()) << c.nSchema;
        EXPECT_EQ(c.bButtonStyle ? zpButtonIconAndCaption : zpButtonIcon, loaded->GetDefaultButtonStyle()) << c.nSchema;
    }
}

TEST_F(CommandBarTest, RegistryRoundTripAndPersistedDefaults)
{
    CScratchKey key;
    CRefPtr<CZPToolBar> stored = NewBar<CZPToolBar>();
    FillBar(stored.Get());
    {
        CZPPropExchangeRegistry px(FALSE, key.m_hKey, L"Bar");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        stored->ExchangeProperties(&px);
    }
    CRefPtr<CZPCommandBar> loaded = NewBar<CZPCommandBar>();
    {
        CZPPropExchangeRegistry px(TRUE, key.m_hKey, L"Bar");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        loaded->ExchangeProperties(&px);
    }
    ExpectSameKeys(stored.Get(), loaded.Get());

    // A fresh bar keeps its constructor values through a round trip: they are not the persisted defaults.
    CRefPtr<CZPCommandBar> fresh = NewBar<CZPCommandBar>();
    {
        CZPPropExchangeRegistry px(FALSE, key.m_hKey, L"Fresh");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        fresh->ExchangeProperties(&px);
    }
    CRefPtr<CZPCommandBar> reloaded = NewBar<CZPCommandBar>();
    FillBar(reloaded.Get());
    {
        CZPPropExchangeRegistry px(TRUE, key.m_hKey, L"Fresh");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        reloaded->ExchangeProperties(&px);
    }
    ExpectSameKeys(fresh.Get(), reloaded.Get());
    EXPECT_EQ(zpBarNone, reloaded->GetPosition());
    EXPECT_EQ(ZP_BAR_STYLE_GRIPPER, reloaded->GetBarStyle());
    EXPECT_EQ(ZP_BAR_MRU_WIDTH_NONE, reloaded->GetMRUWidth());

    // An empty section loads the persisted defaults.
    CRefPtr<CZPCommandBar> empty = NewBar<CZPCommandBar>();
    FillBar(empty.Get());
    {
        CZPPropExchangeRegistry px(TRUE, key.m_hKey, L"Empty");
        px.SetSchema(ZP_COMMANDBARS_SCHEMA);
        empty->ExchangeProperties(&px);
    }
    EXPECT_EQ(zpBarTypeNormal, empty->GetType());
    EXPECT_EQ(zpBarTop, empty->GetPosition());
    EXPECT_EQ(0u, empty->GetBarID());
    EXPECT_EQ(0u, empty->GetFlags() & 0x30);
    EXPECT_EQ(0u, empty->GetBarStyle());
    EXPECT_EQ(CString(), empty->GetTitle());
    EXPECT_TRUE(empty->IsCustomizable());
    EXPECT_EQ(0, empty->GetMRUWidth());
    EXPECT_EQ(CSize(0, 0), empty->GetIconSize());
    EXPECT_EQ(CSize(0, 0), empty->GetButtonSize());
    EXPECT_EQ(ZP_TEXT_BELOW_ICONS_FROM_OPTIONS, empty->GetShowTextBelowIcons());
    EXPECT_FALSE(empty->IsAnimationEnabled());
    EXPECT_EQ(zpButtonAutomatic, empty->GetDefaultButtonStyle());
}

TEST_F(CommandBarTest, OutOfRangePersistedValuesLoadAsDefaults)
{
    CScratchKey key;
    struct Case
    {
        long nType, nPosition, nMRUWidth, nTextBelow, nButtonStyle;
        SIZE szIcon, szButton;
        // Expected after loading.
        int nExpType, nExpPosition, nExpMRUWidth, nExpTextBelow, nExpButtonStyle;
        SIZE szExpIcon, szExpButton;
    } cases[] = {
        // Every value just inside its range is kept.
        { 0, 7, 0x7FFF, 0, 4, { 16, 0 }, { 0x7FFF, 22 }, 0, 7, 0x7FFF, 0, 4, { 16, 0 }, { 0x7FFF, 22 } },
        { 3, 8, -1, 3, 5, { -1, 16 }, { 20, 0x8000 }, 1, 0, 0, 2, 0, { 0, 0 }, { 0, 0 } },
        { -1, -1, 0x8000, -1, -1, { 16, -16 }, { -5, -5 }, 1, 0, 0, 2, 0, { 0, 0 }, { 0, 0 } },
    };
    for (const Case& c : cases) {
        {
            CZPPropExchangeRegistry px(FALSE, key.m_hKey, L"Bad");
            px.SetSchema(ZP_COMMANDBARS_SCHEMA);
            long nType = c.nType, nPosition = c.nPosition, nWidth = c.nMRUWidth, nText = c.nTextBelow,
                 nStyle = c.nButtonStyle;
            SIZE szIcon = c.szIcon, szButton = c.szButton;
            PropExchangeLong(&px, L"Type", &nType, 1);
            PropExchangeLong(&px, L"Position", &nPosition, 0);
            PropExchangeLong(&px, L"MRUWidth", &nWidth, 0);
            PropExchangeSize(&px, L"IconSize", &szIcon, CSize(0, 0));
            PropExchangeSize(&px, L"ButtonSize", &szButton, CSize(0, 0));
            PropExchangeLong(&px, L"ShowTextBelowIcons", &nText, 2);
            PropExchangeLong(&px, L"DefaultButtonStyle", &nStyle, 0);
        }
        CRefPtr<CZPCommandBar> loaded = NewBar<CZPCommandBar>();
        {
            CZPPropExchangeRegistry px(TRUE, key.m_hKey, L"Bad");
            px.SetSchema(ZP_COMMANDBARS_SCHEMA);
            loaded->ExchangeProperties(&px);
        }
        EXPECT_EQ(c.nExpType, loaded->GetType()) << c.nType;
        EXPECT_EQ(c.nExpPosition, loaded->GetPosition()) << c.nPosition;
        EXPECT_EQ(c.nExpMRUWidth, loaded->GetMRUWidth()) << c.nMRUWidth;
        EXPECT_EQ(c.nExpTextBelow, loaded->GetShowTextBelowIcons()) << c.nTextBelow;
        EXPECT_EQ(c.nExpButtonStyle, loaded->GetDefaultButtonStyle()) << c.nButtonStyle;
        EXPECT_EQ(CSize(c.szExpIcon), loaded->GetIconSize()) << c.szIcon.cx;
        EXPECT_EQ(CSize(c.szExpButton), loaded->GetButtonSize()) << c.szButton.cx;
    }
}

// A control that counts its draws.
class CDrawCountingControl : public CTestControl
{
public:
    void Draw(CDC*) override { ++m_nDrawn; }
    int m_nDrawn = 0;
};

// A toolbar window without gripper in the Default theme, with controls at given rectangles.
class CDrawnBar
{
public:
    explicit CDrawnBar(CSize szClient) : p(new CZPToolBar)
    {
        ZpSetPaintTheme(zpThemeDefault);
        p->CreateEx(0, AfxRegisterWndClass(0), L"bar", WS_POPUP, 0, 0, szClient.cx, szClient.cy, NULL, NULL);
        p->SetPosition(zpBarTop);
        p->SetBarStyle(0);
    }
    ~CDrawnBar()
    {
        p->InternalRelease();
        ZpSetPaintManager(NULL);
    }
    CDrawnBar(const CDrawnBar&) = delete;
    CDrawnBar& operator=(const CDrawnBar&) = delete;

    CDrawCountingControl* Add(CRect rc, BOOL bBeginGroup, BOOL bVisible = TRUE)
    {
        CDrawCountingControl* pControl = new CDrawCountingControl;
        p->GetControls()->Append(pControl);
        pControl->SetRect(rc);
        pControl->SetRowRect(CRect(0, 2, 200, 22));
        pControl->SetBeginGroup(bBeginGroup);
        pControl->SetVisible(bVisible);
        return pControl;
    }

    CZPToolBar* p;  // one reference
};

TEST_F(CommandBarTest, PrintClientDrawsSeparatorsOnlyBeforeGroups)
{
    CDrawnBar bar(CSize(120, 24));
    bar.Add(CRect(10, 2, 30, 22), TRUE);         // first drawn: no separator at 6-7
    bar.Add(CRect(30, 2, 50, 22), FALSE);        // no group: none at 26-27
    bar.Add(CRect(56, 2, 76, 22), TRUE);         // group: separator at 52-53
    bar.Add(CRect(80, 2, 90, 22), TRUE, FALSE);  // hidden: none at 76-77
    bar.Add(CRect(96, 2, 116, 22), TRUE);        // after a hidden one: separator at 92-93

    const COLORREF kMark = RGB(1, 2, 3);
    CDibSection dib(120, 24, kMark);
    bar.p->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.GetDC()), PRF_CLIENT);

    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), sh = ::GetSysColor(COLOR_BTNSHADOW),
                   hi = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const int y = 12;
    for (int x : { 52, 92 }) {
        EXPECT_EQ(sh, dib.GetPixel(x, y)) << x;
        EXPECT_EQ(hi, dib.GetPixel(x + 1, y)) << x;
    }
    for (int x : { 6, 7, 26, 27, 76, 77, 54, 55 })
        EXPECT_EQ(face, dib.GetPixel(x, y)) << x;
    // The separator spans the row, the background the whole client area.
    EXPECT_EQ(sh, dib.GetPixel(52, 3));
    EXPECT_EQ(sh, dib.GetPixel(52, 20));
    EXPECT_EQ(hi, dib.GetPixel(52, 21));
    EXPECT_NE(kMark, dib.GetPixel(60, 12));
}

TEST_F(CommandBarTest, DrawBarDrawsVisibleControlsMeetingTheClip)
{
    CDrawnBar bar(CSize(120, 24));
    CDrawCountingControl* a = bar.Add(CRect(10, 2, 30, 22), FALSE);
    CDrawCountingControl* b = bar.Add(CRect(30, 2, 50, 22), FALSE);
    CDrawCountingControl* hidden = bar.Add(CRect(50, 2, 70, 22), FALSE, FALSE);
    CDibSection dib(120, 24);
    CDC* pDC = CDC::FromHandle(dib.GetDC());
    bar.p->DrawBar(pDC, CRect(35, 0, 60, 24));
    EXPECT_EQ(0, a->m_nDrawn);
    EXPECT_EQ(1, b->m_nDrawn);
    EXPECT_EQ(0, hidden->m_nDrawn);
    // WM_PAINT of a shown bar draws through the same path.
    bar.p->ShowWindow(SW_SHOWNOACTIVATE);
    bar.p->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(1, a->m_nDrawn);
    EXPECT_EQ(2, b->m_nDrawn);
    EXPECT_EQ(0, hidden->m_nDrawn);
}

}  // namespace
