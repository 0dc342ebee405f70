// Shared fixtures of the command-bar tests: a counted control of fixed size, a site window that
// records what it receives and answers as told, and a live-object check.
#pragma once

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControls.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// A button of a fixed size that counts the live ones.
class CTestControl : public CZPControlButton
{
    DECLARE_DYNCREATE(CTestControl)
public:
    CTestControl();
    ~CTestControl() override;
    CSize GetSize(CDC*) override
    {
        ++m_nMeasured;
        return m_size;
    }

    CSize m_size;
    int m_nMeasured;
    static int s_nLive;
};

struct ZpRecordedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A plain top-level window: records every site message, WM_COMMAND and the status-bar texts; a handler decides
// the answers (0 when none).
class CTestSite
{
public:
    CTestSite();
    ~CTestSite();
    HWND m_hWnd;
    std::vector<ZpRecordedMessage> m_messages;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> m_answer;

    int Count(UINT message) const;
};

// Takes the process-wide paint manager away again when the scope made it (bars without a paint
// manager of their own create it): later tests find none installed.
class CProcessPaintManagerScope
{
public:
    CProcessPaintManagerScope();
    ~CProcessPaintManagerScope();
    CProcessPaintManagerScope(const CProcessPaintManagerScope&) = delete;
    CProcessPaintManagerScope& operator=(const CProcessPaintManagerScope&) = delete;

private:
    bool m_bInstalledBefore;
};

// A bar window (popup, at 0,0, 300 x 100) whose commands go to hWndSite, holding one CTestControl
// per caption with ids from 100, laid out 30 x 20 each in rows of nPerRow. The caller releases it.
CZPCommandBar* ZpTestCreateCaptionedBar(HWND hWndSite, const std::vector<LPCWSTR>& captions, int nPerRow,
                                        DWORD dwExStyle = 0);

// A hidden window that runs one queued step for every step message posted to it: drives the
// nested loops of popups and menus.
class CTestStepWindow
{
public:
    CTestStepWindow();
    ~CTestStepWindow();
    CTestStepWindow(const CTestStepWindow&) = delete;
    CTestStepWindow& operator=(const CTestStepWindow&) = delete;
    void Post(std::function<void()> step);

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd;
    std::vector<std::function<void()>> m_steps;
    size_t m_nRun = 0;
};

// A key message as the queue would hold it for hWnd (repeat count 1).
MSG ZpTestKeyMessage(HWND hWnd, UINT message, WPARAM vk);
// A real key press or release (KEYEVENTF_KEYUP) through SendInput: the keyboard hooks see it.
void ZpTestSendKey(WORD vk, DWORD dwFlags = 0);

// An accessibility child id as clients pass it (VT_I4).
VARIANT ZpTestChildId(long nChild);

// Checks after each test that no control is left alive.
class CommandBarsTest : public ::testing::Test
{
protected:
    void SetUp() override { m_nLiveBefore = CTestControl::s_nLive; }
    void TearDown() override { EXPECT_EQ(m_nLiveBefore, CTestControl::s_nLive); }
    int m_nLiveBefore = 0;
};
