// The thread's key watch while bars track: WH_KEYBOARD and WH_CALLWNDPROC hooks that live while
// at least one hook-able object is registered, newest registered asked first.
#pragma once

#include <framework.h>
#include <framework/threadstate.h>

#include "common/ZPHookManager.h"

class CZPKeyboardManager : public CNoTrackObject
{
public:
    CZPKeyboardManager();
    // Removes the hooks still installed.
    ~CZPKeyboardManager() override;
    CZPKeyboardManager(const CZPKeyboardManager&) = delete;
    CZPKeyboardManager& operator=(const CZPKeyboardManager&) = delete;

    // Installs the hooks when missing and adds the object once.
    void AddHookAble(CZPHookManagerHookAble* pHook);
    // Removes the object; the last one takes the hooks along.
    void RemoveHookAble(CZPHookManagerHookAble* pHook);
    BOOL IsRegistered(const CZPHookManagerHookAble* pHook) const
    {
        return m_listHooks.Find(const_cast<CZPHookManagerHookAble*>(pHook)) != NULL;
    }
    int GetCount() const { return static_cast<int>(m_listHooks.GetCount()); }
    BOOL HasHooks() const { return m_hKeyboardHook != NULL || m_hCallWndHook != NULL; }

    // The keyboard hook's decision for one key stroke: TRUE swallows it.
    BOOL OnKeyboardHook(int nCode, WPARAM wParam, LPARAM lParam);
    // Offers a key to the registered objects, newest first: TRUE swallows it.
    BOOL DispatchKey(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // The call-window hook's look at one sent message.
    void OnCallWndProc(int nCode, const CWPSTRUCT* pInfo);

private:
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    void RemoveHooks();

    HHOOK m_hKeyboardHook;
    HHOOK m_hCallWndHook;
    DWORD m_dwReserved;
    CList<CZPHookManagerHookAble*, CZPHookManagerHookAble*> m_listHooks;  // borrowed: objects unregister before they go
};

// The calling thread's manager, created on first use.
CZPKeyboardManager* ZpKeyboardManager();
// The calling thread's manager when it exists; never creates it.
CZPKeyboardManager* ZpKeyboardManagerIfExists();
