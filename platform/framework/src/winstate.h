// The window layer's per-thread state, hung on the framework thread state.
#pragma once

#include <framework/gdi.h>
#include <framework/imagelist.h>
#include <framework/menu.h>
#include <framework/threadstate.h>
#include <framework/wnd.h>

class CToolTipCtrl;

struct AFX_WINDOW_STATE : CNoTrackObject
{
    AFX_WINDOW_STATE();
    ~AFX_WINDOW_STATE() override;

    CHandleMap<CWnd, HWND> m_mapHWND;
    CHandleMap<CDC, HDC> m_mapHDC;
    CHandleMap<CGdiObject, HGDIOBJ> m_mapHGDIOBJ;
    CHandleMap<CMenu, HMENU> m_mapHMENU;
    CHandleMap<CImageList, HIMAGELIST> m_mapHIMAGELIST;
    CWinThread* m_pCurrentWinThread;   // borrowed; set by the thread object's constructor
    int m_nTempMapLock;
    CToolTipCtrl* m_pToolTip;          // owned; the standard tooltip of this thread
    CWnd* m_pLastHit;                  // borrowed; owner of the last tool hit
    INT_PTR m_nLastHit;                // its tool id, -1 for none
    TOOLINFOW* m_pLastInfo;            // owned; the tool last added
};

AFX_WINDOW_STATE* AfxGetWindowState();

// The pump and idle test without a thread object's overrides.
BOOL AfxInternalPumpMessage();
BOOL AfxInternalIsIdleMessage(MSG* pMsg);
