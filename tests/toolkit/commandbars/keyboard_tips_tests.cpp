// Keyboard tips and cues: tip texts with their clashes resolved, typing them, translucent
// disabled tips, their pixels, and when the cues show.
#include "commandbars_test_support.h"

#include "commandbars/ZPCommandBarKeyboardTip.h"
#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControl.h"
#include "commandbars/ZPPaintManager.h"
#include "DibSection.h"

#include <framework/gdi.h>

#include <string>

namespace {

int g_nTipBeeps = 0;
void CountTipBeep(UINT)
{
    ++g_nTipBeeps;
}

// Command bars with keyboard tips on and a tracking-less bar window of captioned controls.
struct CTipsBar
{
    CTipsBar(HWND hWndSite, const std::vector<LPCWSTR>& captions)
    {
        pCommandBars = new CZPCommandBars;
        pCommandBars->SetSite(hWndSite);
        pCommandBars->GetCommandBarsOptions()->m_bKeyboardTips = TRUE;
        pBar = ZpTestCreateCaptionedBar(hWndSite, captions, 10);
        pBar->SetCommandBars(pCommandBars);
    }
    ~CTipsBar()
    {
        pCommandBars->DestroyKeyboardTips();
        pBar->DestroyWindow();
        pBar->InternalRelease();
        pCommandBars->InternalRelease();
    }
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (int i = 0; i < pCommandBars->GetKeyboardTipCount(); ++i)
            texts.push_back(std::wstring(pCommandBars->GetKeyboardTip(i)->m_strTip));
        return texts;
    }
    CZPCommandBars* pCommandBars;  // owned: one reference
    CZPCommandBar* pBar;           // owned: one reference
};

class KeyboardTipsTest : public CommandBarsTest
{
protected:
    void SetUp() override
    {
        CommandBarsTest::SetUp();
        g_nTipBeeps = 0;
        CZPCommandBars::s_pfnKeyboardTipBeep = CountTipBeep;
    }
};

TEST_F(KeyboardTipsTest, ClashingLettersGetSecondCharactersAndASingleTipKeepsOne)
{
    CTestSite site;
    const struct
    {
        std::vector<LPCWSTR> captions;
        std::vector<std::wstring> texts;
    } cases[] = {
        { { L"Find", L"&File", L"Format", L"&Edit", L"Zoom" }, { L"FI", L"FL", L"FO", L"E", L"Z" } },
        { { L"Save As", L"Save" }, { L"SA", L"SV" } },     // a word start first
        { { L"F", L"F", L"G" }, { L"F1", L"F2", L"G" } },  // letters exhausted: the running number
        { { L"&", L"&&", L"" }, { L"&1", L"&2" } },        // no caption, no tip
    };
    for (const auto& c : cases) {
        CTipsBar bar(site.m_hWnd, c.captions);
        bar.pCommandBars->ShowKeyboardTipsForBar(bar.pBar, 1);
        EXPECT_EQ(c.texts, bar.Texts());
        EXPECT_EQ(c.texts.empty() ? NULL : bar.pBar, bar.pCommandBars->GetKeyboardTipsBar());
        for (int i = 0; i < bar.pCommandBars->GetKeyboardTipCount(); ++i)
            EXPECT_TRUE(bar.pCommandBars->GetKeyboardTip(i)->IsWindowVisible());
    }
}

TEST_F(KeyboardTipsTest, FiveHundredTipsOnOneLetterAllGetTexts)
{
    std::vector<CZPCommandBarKeyboardTip*> tips;
    for (int i = 0; i < 500; ++i) {
        tips.push_back(new CZPCommandBarKeyboardTip(NULL, NULL, L"", CPoint(), 0, TRUE));
        tips.back()->m_strCaption = L"A";
    }
    ZpResolveKeyboardTipTexts(tips);
    std::vector<std::wstring> texts;
    for (CZPCommandBarKeyboardTip* pTip : tips) {
        texts.push_back(std::wstring(pTip->m_strTip));
        delete pTip;
    }
    ASSERT_EQ(500u, texts.size());
    EXPECT_EQ(L"A1", texts[0]);
    EXPECT_EQ(L"A9", texts[8]);
    EXPECT_EQ(L"A1", texts[9]);  // 10: its first digit
    for (const std::wstring& text : texts)
        EXPECT_EQ(2u, text.size());
}

TEST_F(KeyboardTipsTest, TypingNarrowsTheTipsAndTheLastCharacterRunsTheControl)
{
    CTestSite site;
    CTipsBar bar(site.m_hWnd, { L"Find", L"&File", L"Format", L"&Edit", L"&Undo" });
    bar.pBar->ControlAt(4)->SetEnabled(FALSE);
    bar.pCommandBars->ShowKeyboardTipsForBar(bar.pBar, 1);
    // A disabled control's tip is layered at alpha 150.
    CZPCommandBarKeyboardTip* pUndo = bar.pCommandBars->GetKeyboardTip(4);
    ASSERT_NE(0, pUndo->GetExStyle() & WS_EX_LAYERED);
    BYTE bAlpha = 0;
    DWORD dwFlags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(pUndo->GetSafeHwnd(), NULL, &bAlpha, &dwFlags));
    EXPECT_EQ(ZP_KEYTIP_DISABLED_ALPHA, bAlpha);
    EXPECT_EQ(0, bar.pCommandBars->GetKeyboardTip(0)->GetExStyle() & WS_EX_LAYERED);

    bar.pCommandBars->OnKeyboardTipTyped('Q');
    EXPECT_EQ(1, g_nTipBeeps);
    bar.pCommandBars->OnKeyboardTipTyped(VK_SHIFT);
    EXPECT_EQ(1, g_nTipBeeps);
    // A disabled tip typed completely only beeps.
    bar.pCommandBars->OnKeyboardTipTyped('U');
    EXPECT_EQ(2, g_nTipBeeps);
    EXPECT_EQ(5, bar.pCommandBars->GetKeyboardTipCount());

    bar.pCommandBars->OnKeyboardTipTyped('F');
    EXPECT_EQ((std::vector<std::wstring>{ L"FI", L"FL", L"FO" }), bar.Texts());
    EXPECT_EQ(0, site.Count(WM_COMMAND));
    bar.pCommandBars->OnKeyboardTipTyped('L');
    ASSERT_EQ(1, site.Count(WM_COMMAND));
    EXPECT_EQ(101u, LOWORD(site.m_messages.back().wParam));
    EXPECT_EQ(0, bar.pCommandBars->GetKeyboardTipCount());
    EXPECT_EQ(1, bar.pBar->GetHighlightedIndex());
    EXPECT_EQ(2, g_nTipBeeps);
}

TEST_F(KeyboardTipsTest, TipDrawsItsTextOnTheInfoColourInsideAShadowFrame)
{
    CTestSite site;
    CTipsBar bar(site.m_hWnd, { L"&Wide" });
    bar.pCommandBars->ShowKeyboardTipsForBar(bar.pBar, 1);
    ASSERT_EQ(1, bar.pCommandBars->GetKeyboardTipCount());
    CZPCommandBarKeyboardTip* pTip = bar.pCommandBars->GetKeyboardTip(0);
    CRect rc;
    pTip->GetClientRect(&rc);
    EXPECT_GE(rc.Width(), 16);
    EXPECT_GE(rc.Height(), 15);
    CZPPaintManager* pPaintManager = ZpGetPaintManager();
    for (BOOL bEnabled : { TRUE, FALSE }) {
        pTip->m_bEnabled = bEnabled;
        CDibSection dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
        CDC* pDC = CDC::FromHandle(dib.GetDC());
        pPaintManager->DrawKeyTipWindow(pDC, pTip, TRUE);  // the setup call draws nothing
        EXPECT_EQ(RGB(1, 2, 3), dib.GetPixel(0, 0));
        pPaintManager->DrawKeyTipWindow(pDC, pTip, FALSE);
        ::GdiFlush();
        const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        EXPECT_EQ(clrShadow, dib.GetPixel(0, 0));
        EXPECT_EQ(clrShadow, dib.GetPixel(rc.Width() - 1, rc.Height() - 1));
        EXPECT_EQ(pPaintManager->GetColor(zpColorInfoBk), dib.GetPixel(1, 1));
        // The "W" in the middle is in the text colour of the state.
        const COLORREF clrText = pPaintManager->GetColor(bEnabled ? zpColorInfoText : zpColorGrayText);
        int nTextPixels = 0;
        for (int y = 1; y < rc.Height() - 1; ++y)
            for (int x = 1; x < rc.Width() - 1; ++x)
                nTextPixels += dib.GetPixel(x, y) == clrText ? 1 : 0;
        EXPECT_GT(nTextPixels, 5) << bEnabled;
    }
}

TEST_F(KeyboardTipsTest, CuesFollowTheSettingAndAltOnlyWhenInUse)
{
    BOOL bSystem = TRUE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystem, 0);
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    const struct
    {
        int nShow;
        BOOL bSystemCues;
        BOOL bShown, bUsed;
    } cases[] = {
        { ZP_CUES_SHOW_ALWAYS, FALSE, TRUE, FALSE },
        { ZP_CUES_SHOW_NEVER, TRUE, FALSE, FALSE },
        { ZP_CUES_SHOW_SYSTEM, TRUE, TRUE, FALSE },
        { ZP_CUES_SHOW_SYSTEM, FALSE, FALSE, TRUE },
    };
    for (const auto& c : cases) {
        ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(c.bSystemCues)),
                                0);
        pCommandBars->ApplyKeyboardCuesShow(c.nShow);
        EXPECT_EQ(c.bShown, pCommandBars->IsKeyboardCuesShown()) << c.nShow;
        EXPECT_EQ(c.bUsed, pCommandBars->IsKeyboardCuesUsed()) << c.nShow;
        // Showing and hiding by Alt only acts while the cues are in use.
        pCommandBars->SetKeyboardCuesShown(!c.bShown);
        EXPECT_EQ(c.bUsed ? !c.bShown : c.bShown, pCommandBars->IsKeyboardCuesShown()) << c.nShow;
    }
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSystem)), 0);
    pCommandBars->InternalRelease();
}

// A bar's underlines follow its command bars' cue state; a bar of its own always shows them.
TEST_F(KeyboardTipsTest, BarsAnswerTheirCommandBarsCueState)
{
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    CZPCommandBar* pBar = new CZPCommandBar;
    EXPECT_TRUE(pBar->IsKeyboardCuesVisible());
    pBar->SetCommandBars(pCommandBars);
    pCommandBars->ApplyKeyboardCuesShow(ZP_CUES_SHOW_NEVER);
    EXPECT_FALSE(pBar->IsKeyboardCuesVisible());
    pCommandBars->ApplyKeyboardCuesShow(ZP_CUES_SHOW_ALWAYS);
    EXPECT_TRUE(pBar->IsKeyboardCuesVisible());
    pBar->SetCommandBars(NULL);
    pBar->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST_F(KeyboardTipsTest, AltShowsCuesInUseAndItsReleaseHidesThem)
{
    BOOL bSystem = TRUE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystem, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(FALSE)), 0);
    CTestSite site;
    ::ShowWindow(site.m_hWnd, SW_SHOW);
    ::SetForegroundWindow(site.m_hWnd);
    CZPCommandBars* pCommandBars = new CZPCommandBars;
    pCommandBars->SetSite(site.m_hWnd);
    pCommandBars->ApplyKeyboardCuesShow(ZP_CUES_SHOW_SYSTEM);
    ASSERT_TRUE(pCommandBars->IsKeyboardCuesUsed());
    ASSERT_FALSE(pCommandBars->IsKeyboardCuesShown());
    const LPARAM kAltContext = 0x20000000;
    MSG msg = ZpTestKeyMessage(site.m_hWnd, WM_SYSKEYDOWN, VK_MENU);
    msg.lParam |= kAltContext;
    ASSERT_EQ(site.m_hWnd, ::GetForegroundWindow());
    EXPECT_FALSE(pCommandBars->PreTranslateFrameMessage(&msg));  // never consumed
    EXPECT_TRUE(pCommandBars->IsKeyboardCuesShown());
    msg = ZpTestKeyMessage(site.m_hWnd, WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(pCommandBars->PreTranslateFrameMessage(&msg));
    EXPECT_FALSE(pCommandBars->IsKeyboardCuesShown());
    // Shown always: Alt changes nothing.
    pCommandBars->ApplyKeyboardCuesShow(ZP_CUES_SHOW_ALWAYS);
    EXPECT_FALSE(pCommandBars->PreTranslateFrameMessage(&msg));
    EXPECT_TRUE(pCommandBars->IsKeyboardCuesShown());
    pCommandBars->InternalRelease();
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSystem)), 0);
}

}  // namespace
