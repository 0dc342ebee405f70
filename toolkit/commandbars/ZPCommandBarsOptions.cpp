// Command-bars options.
#include "commandbars/ZPCommandBarsOptions.h"

IMPLEMENT_DYNAMIC(CZPCommandBarsOptions, CCmdTarget)

CZPCommandBarsOptions::CZPCommandBarsOptions(CZPCommandBars* pCommandBars)
    : m_bAutoHideUnusedPopups(TRUE), m_bAlwaysShowFullMenus(TRUE), m_bShowFullAfterDelay(TRUE), m_nAnimation(0),
      m_bSyncFloatingBars(TRUE), m_bShowExpandButtonAlways(TRUE), m_bDblClickFloat(FALSE),
      m_bShowKeyboardShortcuts(TRUE), m_bShortcutsInContextMenus(FALSE), m_nKeyboardCuesUse(ZP_CUES_USE_ALL_TOOLBARS),
      m_nKeyboardCuesShow(ZP_CUES_SHOW_ALWAYS), m_bKeyboardTips(FALSE), m_bDirty(FALSE), m_pCommandBars(pCommandBars)
{}
