// The menu-sound worker's life, with a recording play call in place of the sound system
// (machines here have no wave device).
#include "common/ZPMenuSoundThread.h"

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const DWORD kMenuSoundFlags = 0x12002;   // SND_ALIAS | SND_NODEFAULT | SND_NOWAIT
const DWORD kWaitMs = 10000;             // a generous bound: only a hang reaches it

struct SOUND_CALL
{
    std::wstring strSound;   // "" for a null sound
    DWORD dwFlags;
    DWORD dwThreadId;
};

// What the play call saw. Alias plays signal hPlayed and, while hRelease is reset, stay stuck
// like a driver that ignores requests to stop.
class CSoundLog
{
public:
    CSoundLog()
    {
        ::InitializeCriticalSection(&m_cs);
        m_hPlayed = ::CreateEventW(NULL, FALSE, FALSE, NULL);
        m_hPurged = ::CreateEventW(NULL, FALSE, FALSE, NULL);
        m_hRelease = ::CreateEventW(NULL, TRUE, TRUE, NULL);
    }
    ~CSoundLog()
    {
        ::CloseHandle(m_hPlayed);
        ::CloseHandle(m_hPurged);
        ::CloseHandle(m_hRelease);
        ::DeleteCriticalSection(&m_cs);
    }

    void Reset()
    {
        ::EnterCriticalSection(&m_cs);
        m_calls.clear();
        m_nFinishedPlays = 0;
        ::LeaveCriticalSection(&m_cs);
        ::ResetEvent(m_hPlayed);
        ::ResetEvent(m_hPurged);
        ::SetEvent(m_hRelease);
    }

    std::vector<SOUND_CALL> Calls()
    {
        ::EnterCriticalSection(&m_cs);
        std::vector<SOUND_CALL> calls = m_calls;
        ::LeaveCriticalSection(&m_cs);
        return calls;
    }

    int FinishedPlays()
    {
        ::EnterCriticalSection(&m_cs);
        int nFinished = m_nFinishedPlays;
        ::LeaveCriticalSection(&m_cs);
        return nFinished;
    }

    static BOOL WINAPI PlaySound(LPCWSTR pszSound, HMODULE, DWORD dwFlags);

    CRITICAL_SECTION m_cs;
    std::vector<SOUND_CALL> m_calls;
    int m_nFinishedPlays = 0;
    HANDLE m_hPlayed;
    HANDLE m_hPurged;
    HANDLE m_hRelease;
};

CSoundLog g_log;

BOOL WINAPI CSoundLog::PlaySound(LPCWSTR pszSound, HMODULE, DWORD dwFlags)
{
    ::EnterCriticalSection(&g_log.m_cs);
    g_log.m_calls.push_back({ pszSound != NULL ? pszSound : L"", dwFlags, ::GetCurrentThreadId() });
    ::LeaveCriticalSection(&g_log.m_cs);
    if (dwFlags == SND_PURGE) {
        ::SetEvent(g_log.m_hPurged);
    } else if (pszSound != NULL) {
        ::SetEvent(g_log.m_hPlayed);
        ::WaitForSingleObject(g_log.m_hRelease, INFINITE);
        ::EnterCriticalSection(&g_log.m_cs);
        ++g_log.m_nFinishedPlays;
        ::LeaveCriticalSection(&g_log.m_cs);
    }
    return TRUE;
}

class MenuSoundThread : public ::testing::Test
{
protected:
    void SetUp() override { g_log.Reset(); }
};

}  // namespace

TEST_F(MenuSoundThread, NoAudioDeviceOrSoundsOffNeverStartsAWorker)
{
    CZPMenuSoundThread silent(FALSE, &CSoundLog::PlaySound);
    silent.Play(CZPMenuSoundThread::soundMenuCommand);
    silent.Play(CZPMenuSoundThread::soundMenuPopup);
    EXPECT_FALSE(silent.Stop());

    CZPMenuSoundThread disabled(TRUE, &CSoundLog::PlaySound);
    disabled.EnableSound(FALSE);
    disabled.Play(CZPMenuSoundThread::soundMenuCommand);
    EXPECT_FALSE(disabled.Stop());
    EXPECT_TRUE(g_log.Calls().empty());

    // This machine has no wave device: the process's player stays silent too.
    EXPECT_EQ(::waveOutGetNumDevs() > 0, ZpMenuSoundInstance().IsAudioPresent());
}

TEST_F(MenuSoundThread, EachRequestIsPlayedOnceOnTheWorkerAndStopEndsIt)
{
    CZPMenuSoundThread sounds(TRUE, &CSoundLog::PlaySound);
    sounds.Play(CZPMenuSoundThread::soundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPlayed, kWaitMs));
    sounds.Play(CZPMenuSoundThread::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPlayed, kWaitMs));
    EXPECT_TRUE(sounds.Stop());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPurged, kWaitMs));

    std::vector<SOUND_CALL> calls = g_log.Calls();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ(L"MenuCommand", calls[0].strSound);
    EXPECT_EQ(kMenuSoundFlags, calls[0].dwFlags);
    EXPECT_NE(::GetCurrentThreadId(), calls[0].dwThreadId);
    EXPECT_EQ(L"MenuPopup", calls[1].strSound);
    EXPECT_EQ(kMenuSoundFlags, calls[1].dwFlags);
    EXPECT_EQ(calls[0].dwThreadId, calls[1].dwThreadId);
    // Stop ends any sound from this thread, the worker purges on its way out.
    EXPECT_EQ(L"", calls[2].strSound);
    EXPECT_EQ(0u, calls[2].dwFlags);
    EXPECT_EQ(::GetCurrentThreadId(), calls[2].dwThreadId);
    EXPECT_EQ(L"", calls[3].strSound);
    EXPECT_EQ(static_cast<DWORD>(SND_PURGE), calls[3].dwFlags);
    EXPECT_EQ(calls[0].dwThreadId, calls[3].dwThreadId);
    EXPECT_FALSE(sounds.Stop());
}

TEST_F(MenuSoundThread, PlayAfterStopStartsAFreshWorker)
{
    CZPMenuSoundThread sounds(TRUE, &CSoundLog::PlaySound);
    sounds.Play(CZPMenuSoundThread::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPlayed, kWaitMs));
    EXPECT_TRUE(sounds.Stop());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPurged, kWaitMs));

    sounds.Play(CZPMenuSoundThread::soundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPlayed, kWaitMs));
    EXPECT_EQ(L"MenuCommand", g_log.Calls().back().strSound);
    EXPECT_TRUE(sounds.Stop());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPurged, kWaitMs));
}

TEST_F(MenuSoundThread, AStuckWorkerOutlivesItsOwnerAndEndsByItself)
{
    ::ResetEvent(g_log.m_hRelease);
    CZPMenuSoundThread* pSounds = new CZPMenuSoundThread(TRUE, &CSoundLog::PlaySound);
    pSounds->Play(CZPMenuSoundThread::soundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPlayed, kWaitMs));

    // As at exit: the owner goes while the sound never ends. The worker is neither waited
    // for without end nor terminated.
    delete pSounds;
    EXPECT_EQ(0, g_log.FinishedPlays());

    // Once the device lets go, the worker finds its own state intact and leaves cleanly.
    ::SetEvent(g_log.m_hRelease);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_log.m_hPurged, kWaitMs));
    EXPECT_EQ(1, g_log.FinishedPlays());
    std::vector<SOUND_CALL> calls = g_log.Calls();
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ(static_cast<DWORD>(SND_PURGE), calls.back().dwFlags);
}
