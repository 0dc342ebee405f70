// Event connection: registration under the lock, broadcasts that survive re-entry.
#include "common/ZPEventConnection.h"

CZPEventConnection::CZPEventConnection() : m_nNextCookie(1)
{
}

CZPEventConnection::~CZPEventConnection() = default;

int CZPEventConnection::Advise(int nEvent, CZPEventSink* pSink)
{
    CZPSyncSectionLock lock(GetSyncSection());
    SINK sink = { nEvent, pSink, m_nNextCookie++ };
    if (m_nNextCookie <= 0)
        m_nNextCookie = 1;
    m_arrSinks.push_back(sink);
    return sink.nCookie;
}

BOOL CZPEventConnection::Unadvise(int nCookie)
{
    CZPSyncSectionLock lock(GetSyncSection());
    int nIndex = FindSinkIndex(nCookie);
    if (nIndex < 0)
        return FALSE;
    m_arrSinks.erase(m_arrSinks.begin() + nIndex);
    return TRUE;
}

int CZPEventConnection::FindSinkIndex(int nCookie)
{
    CZPSyncSectionLock lock(GetSyncSection());
    for (size_t i = 0; i < m_arrSinks.size(); i++)
    {
        if (m_arrSinks[i].nCookie == nCookie)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CZPEventConnection::Broadcast(int nEvent, WPARAM wParam, LPARAM lParam, DWORD dwFlags)
{
    // Each broadcast copies its records into an array of its own: a buffer shared between
    // broadcasts would be reset or moved under another thread's running broadcast.
    std::vector<SINK> arrCalls;
    {
        CZPSyncSectionLock lock(GetSyncSection());
        for (const SINK& sink : m_arrSinks)
        {
            if (sink.nEvent == nEvent)
                arrCalls.push_back(sink);
        }
        InternalAddRef();   // a sink may drop the last outside reference meanwhile
    }

    for (const SINK& sink : arrCalls)
    {
        CZPEventSink* pSink = NULL;
        {
            CZPSyncSectionLock lock(GetSyncSection());
            int nIndex = FindSinkIndex(sink.nCookie);
            if (nIndex >= 0)
                pSink = m_arrSinks[static_cast<size_t>(nIndex)].pSink;
        }
        if (pSink == NULL)
            continue;
        try
        {
            pSink->OnEvent(nEvent, wParam, lParam, dwFlags);
        }
        catch (...)
        {
            // One failing sink ends its own call only.
        }
    }

    BOOL bAny = !arrCalls.empty();
    InternalRelease();
    return bAny;
}
