// Command-bars options.
#include "commandbars/ZPCommandBarsOptions.h"

IMPLEMENT_DYNAMIC(CZPCommandBarsOptions, CCmdTarget)

CZPCommandBarsOptions::CZPCommandBarsOptions(CZPCommandBars* pCommandBars)
    : m_bAutoHideUnusedPopups(TRUE), m_bAlwaysShowFullMenus(TRUE), m_bShowFullAfterDelay(TRUE), m_nAnimation(0),
      m_bDirty(FALSE), m_bSyncFloatingBars(TRUE), m_bShowExpandButtonAlways(TRUE), m_bDblClickFloat(FALSE),
      m_pCommandBars(pCommandBars)
{}
