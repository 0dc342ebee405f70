// The base of the objects that skin one window each, as far as the skin manager's
// bookkeeping needs it.
#pragma once

#include <framework.h>

class CZPSkinObject : public CCmdTarget
{
public:
    explicit CZPSkinObject(HWND hWnd) : m_hWnd(hWnd) {}
    ~CZPSkinObject() override = default;

    // The skin changed: bPrevState and bNewState are the enabled flags before and after.
    virtual void OnSkinChanged(BOOL bPrevState, BOOL bNewState) = 0;

    HWND m_hWnd;  // borrowed: the skinned window
};
