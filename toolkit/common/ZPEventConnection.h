// Numbered events announced to any number of sinks that the announcer does not know.
#pragma once

#include <framework.h>

#include "common/ZPSystemHelpers.h"

#include <vector>

// A listener: receives the events of the codes it was registered for.
class CZPEventSink
{
public:
    virtual ~CZPEventSink() = default;
    virtual void OnEvent(int nEvent, WPARAM wParam, LPARAM lParam, DWORD dwFlags) = 0;
};

class CZPEventConnection : public CCmdTarget
{
public:
    struct SINK
    {
        int nEvent;
        CZPEventSink* pSink;   // borrowed: the sink unregisters before it dies
        int nCookie;
    };

    CZPEventConnection();
    ~CZPEventConnection() override;

    // Registers pSink for nEvent; returns the registration's cookie (never 0).
    int Advise(int nEvent, CZPEventSink* pSink);
    // FALSE when no registration has that cookie.
    BOOL Unadvise(int nCookie);

    // Position of the registration with that cookie, or -1.
    int FindSinkIndex(int nCookie);

    // Calls every sink registered for nEvent; TRUE when one was registered at the start.
    // Sinks may register, unregister or broadcast again from OnEvent.
    BOOL Broadcast(int nEvent, WPARAM wParam = 0, LPARAM lParam = 0, DWORD dwFlags = 0);

protected:
    virtual CZPSyncSection* GetSyncSection() { return &m_lock; }

    std::vector<SINK> m_arrSinks;
    int m_nNextCookie;

private:
    CZPSyncSection m_lock;
};
