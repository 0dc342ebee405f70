// The Options page of the customize dialog: menu and toolbar options written to the command
// bars' options at once, and the reset of the usage data.
#pragma once

#include <framework.h>
#include <framework/controls.h>
#include <framework/dialog.h>

#include "commandbars/ZPGroupLine.h"

class CZPCommandBars;

class CZPCustomizeOptionsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CZPCustomizeOptionsPage)
public:
    // Copies the six option values from the command bars (defaults without them).
    explicit CZPCustomizeOptionsPage(CZPCommandBars* pCommandBars = NULL);

    CComboBox m_comboAnimation;
    CZPGroupLine m_lineMenus;  // 108
    CZPGroupLine m_lineOther;  // 107

    BOOL m_bAlwaysShowFullMenus;
    BOOL m_bShowFullAfterDelay;
    BOOL m_bLargeIcons;
    BOOL m_bToolBarScreenTips;
    BOOL m_bToolBarAccelTips;
    int m_nAnimation;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void UpdateDependentChecks();
    void OnAlwaysShowFullMenus();
    void OnShowFullAfterDelay();
    void OnLargeIcons();
    void OnToolBarScreenTips();
    void OnToolBarAccelTips();
    void OnAnimationChanged();
    void OnResetUsageData();
    DECLARE_MESSAGE_MAP()

    CZPCommandBars* m_pCommandBars;  // borrowed
};
