// A registry key handle that closes the key it owns and leaves a borrowed one open.
#pragma once

#include <windows.h>

class CRegKeyHolder
{
public:
    CRegKeyHolder() : m_hKey(NULL), m_bOwned(TRUE) {}
    // bOwned FALSE: the key stays open when the holder lets go (a parent's key, a root key).
    explicit CRegKeyHolder(HKEY hKey, BOOL bOwned = TRUE) : m_hKey(hKey), m_bOwned(bOwned) {}
    ~CRegKeyHolder() { Close(); }
    CRegKeyHolder(const CRegKeyHolder&) = delete;
    CRegKeyHolder& operator=(const CRegKeyHolder&) = delete;

    operator HKEY() const { return m_hKey; }
    HKEY GetSafeHandle() const { return m_hKey; }
    BOOL IsOwned() const { return m_bOwned; }

    // Lets go of the key held, then takes hKey.
    void Attach(HKEY hKey, BOOL bOwned = TRUE)
    {
        Close();
        m_hKey = hKey;
        m_bOwned = bOwned;
    }
    HKEY Detach()
    {
        HKEY hKey = m_hKey;
        m_hKey = NULL;
        return hKey;
    }
    // Lets go of the key held; the address then receives a key this holder owns
    // (RegOpenKeyExW, RegCreateKeyExW).
    HKEY* Receive()
    {
        Close();
        m_bOwned = TRUE;
        return &m_hKey;
    }
    void Close()
    {
        if (m_hKey != NULL && m_bOwned)
            ::RegCloseKey(m_hKey);
        m_hKey = NULL;
    }

private:
    HKEY m_hKey;  // owned when m_bOwned
    BOOL m_bOwned;
};
