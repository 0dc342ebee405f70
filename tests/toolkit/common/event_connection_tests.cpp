// Event connection: broadcasts that survive sinks unregistering, re-entering and throwing.
#include "common/ZPEventConnection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace
{

const int kEventA = 10575;
const int kEventB = 7;

class CRecordingSink : public CZPEventSink
{
public:
    CRecordingSink(std::string* pLog, char chName) : m_pLog(pLog), m_chName(chName) {}
    void OnEvent(int nEvent, WPARAM, LPARAM, DWORD) override
    {
        *m_pLog += m_chName;
        if (nEvent == kEventB)
            *m_pLog += 'b';
        if (m_fnAction)
            m_fnAction();
    }
    std::function<void()> m_fnAction;

private:
    std::string* m_pLog;   // borrowed
    char m_chName;
};

TEST(EventConnection, BroadcastWithoutSinksCallsNothing)
{
    CZPEventConnection conn;
    std::string log;
    CRecordingSink sink(&log, 'x');
    conn.Advise(kEventB, &sink);
    EXPECT_FALSE(conn.Broadcast(kEventA));
    EXPECT_EQ("", log);
    EXPECT_EQ(-1, conn.FindSinkIndex(12345));
    EXPECT_FALSE(conn.Unadvise(12345));
}

TEST(EventConnection, SinksRunInRegistrationOrderWithTheirArguments)
{
    CZPEventConnection conn;
    std::string log;
    CRecordingSink a(&log, 'a'), b(&log, 'c');
    conn.Advise(kEventA, &a);
    conn.Advise(kEventA, &b);
    EXPECT_TRUE(conn.Broadcast(kEventA, 1, 2, 3));
    EXPECT_EQ("ac", log);
}

TEST(EventConnection, SinkUnregisteringTheNextOneStopsItsCall)
{
    CZPEventConnection conn;
    std::string log;
    CRecordingSink a(&log, 'a'), b(&log, 'x'), c(&log, 'c');
    conn.Advise(kEventA, &a);
    int nCookieB = conn.Advise(kEventA, &b);
    conn.Advise(kEventA, &c);
    a.m_fnAction = [&] { EXPECT_TRUE(conn.Unadvise(nCookieB)); };
    EXPECT_TRUE(conn.Broadcast(kEventA));
    EXPECT_EQ("ac", log);
}

TEST(EventConnection, NestedBroadcastCompletesAndOuterContinues)
{
    CZPEventConnection conn;
    std::string log;
    CRecordingSink a(&log, 'a'), inner(&log, 'i'), c(&log, 'c');
    conn.Advise(kEventA, &a);
    conn.Advise(kEventB, &inner);
    conn.Advise(kEventA, &c);
    a.m_fnAction = [&] { EXPECT_TRUE(conn.Broadcast(kEventB)); };
    EXPECT_TRUE(conn.Broadcast(kEventA));
    EXPECT_EQ("aibc", log);
}

TEST(EventConnection, ThrowingSinkDoesNotStopLaterSinks)
{
    CZPEventConnection conn;
    std::string log;
    CRecordingSink a(&log, 'a'), c(&log, 'c');
    a.m_fnAction = [] { throw std::runtime_error("sink failed"); };
    conn.Advise(kEventA, &a);
    conn.Advise(kEventA, &c);
    EXPECT_TRUE(conn.Broadcast(kEventA));
    EXPECT_EQ("ac", log);
}

// A sink that counts calls from any thread and registers a new sink on some calls, so that
// the sink array grows while other broadcasts are running.
class CCountingSink : public CZPEventSink
{
public:
    void OnEvent(int, WPARAM, LPARAM, DWORD) override { ++m_nCalls; }
    std::atomic<int> m_nCalls{0};
};

TEST(EventConnection, TwoThreadsBroadcastingAtOnceEachReachEverySink)
{
    const int kSinks = 8;
    const int kRounds = 2000;
    CZPEventConnection conn;
    CCountingSink sinks[kSinks];
    for (CCountingSink& sink : sinks)
        conn.Advise(kEventA, &sink);
    CCountingSink late;   // registered and unregistered over and over under the broadcasts

    std::atomic<int> nShortBroadcasts{0};
    auto broadcaster = [&] {
        for (int i = 0; i < kRounds; ++i)
        {
            if (!conn.Broadcast(kEventA))
                ++nShortBroadcasts;
        }
    };
    std::thread t1(broadcaster), t2(broadcaster);
    for (int i = 0; i < kRounds; ++i)
        conn.Unadvise(conn.Advise(kEventA, &late));
    t1.join();
    t2.join();

    EXPECT_EQ(0, nShortBroadcasts.load());
    for (CCountingSink& sink : sinks)
        EXPECT_EQ(2 * kRounds, sink.m_nCalls.load());
}

} // namespace
