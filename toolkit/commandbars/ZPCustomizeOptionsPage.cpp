// The Options page: each check box writes its option at once.
#include "commandbars/ZPCustomizeOptionsPage.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPCommandBarsResource.h"
#include "commandbars/ZPCustomizeText.h"
#include "common/ZPResourceManager.h"

namespace {

const int kAlwaysShowFullMenus = 100;
const int kShowFullAfterDelay = 101;
const int kResetUsageData = 102;
const int kLargeIcons = 103;
const int kToolBarScreenTips = 104;
const int kToolBarAccelTips = 105;
const int kAnimation = 106;
const int kLineOther = 107;
const int kLineMenus = 108;

BOOL IsDlgChecked(CWnd* pPage, int nID)
{
    return ::IsDlgButtonChecked(pPage->GetSafeHwnd(), nID) == BST_CHECKED;
}

}  // namespace

IMPLEMENT_DYNCREATE(CZPCustomizeOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZPCustomizeOptionsPage, CPropertyPage)
ON_CONTROL(BN_CLICKED, kAlwaysShowFullMenus, OnAlwaysShowFullMenus)
ON_CONTROL(BN_CLICKED, kShowFullAfterDelay, OnShowFullAfterDelay)
ON_CONTROL(BN_CLICKED, kLargeIcons, OnLargeIcons)
ON_CONTROL(BN_CLICKED, kToolBarScreenTips, OnToolBarScreenTips)
ON_CONTROL(BN_CLICKED, kToolBarAccelTips, OnToolBarAccelTips)
ON_CONTROL(BN_CLICKED, kResetUsageData, OnResetUsageData)
ON_CONTROL(CBN_SELCHANGE, kAnimation, OnAnimationChanged)
END_MESSAGE_MAP()

CZPCustomizeOptionsPage::CZPCustomizeOptionsPage(CZPCommandBars* pCommandBars)
    : CPropertyPage(ZP_IDD_CUSTOMIZE_OPTIONS), m_bAlwaysShowFullMenus(FALSE), m_bShowFullAfterDelay(TRUE),
      m_bLargeIcons(FALSE), m_bToolBarScreenTips(TRUE), m_bToolBarAccelTips(FALSE), m_nAnimation(0),
      m_pCommandBars(pCommandBars)
{
    if (m_pCommandBars == NULL)
        return;
    const CZPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    m_bAlwaysShowFullMenus = pOptions->m_bAlwaysShowFullMenus;
    m_bShowFullAfterDelay = pOptions->m_bShowFullAfterDelay;
    m_bLargeIcons = pOptions->m_bLargeIcons;
    m_bToolBarScreenTips = pOptions->m_bToolBarScreenTips;
    m_bToolBarAccelTips = pOptions->m_bToolBarAccelTips;
    m_nAnimation = pOptions->m_nAnimation;
}

BOOL CZPCustomizeOptionsPage::OnInitDialog()
{
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kLineMenus))
        m_lineMenus.SubclassWindow(hWnd);
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kLineOther))
        m_lineOther.SubclassWindow(hWnd);
    if (HWND hWnd = ::GetDlgItem(m_hWnd, kAnimation)) {
        m_comboAnimation.SubclassWindow(hWnd);
        CZPResourceManager* pResources = ZpResourceManagerInstance();
        for (int i = 0; i < ZP_ANIMATION_COUNT; ++i)
            m_comboAnimation.AddString(pResources->LoadStringOrEmpty(ZP_IDS_ANIMATION_FIRST + static_cast<UINT>(i)));
    }
    CPropertyPage::OnInitDialog();
    UpdateDependentChecks();
    return TRUE;
}

void CZPCustomizeOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    // Only the controls the template has: a replaced template may leave some out.
    struct CheckBinding
    {
        int nID;
        BOOL* pValue;
    } checks[] = { { kAlwaysShowFullMenus, &m_bAlwaysShowFullMenus },
                   { kShowFullAfterDelay, &m_bShowFullAfterDelay },
                   { kLargeIcons, &m_bLargeIcons },
                   { kToolBarScreenTips, &m_bToolBarScreenTips },
                   { kToolBarAccelTips, &m_bToolBarAccelTips } };
    for (const CheckBinding& check : checks) {
        if (::GetDlgItem(m_hWnd, check.nID) != NULL)
            DDX_Check(pDX, check.nID, *check.pValue);
    }
    if (m_comboAnimation.GetSafeHwnd() != NULL) {
        if (m_nAnimation < 0 || m_nAnimation >= ZP_ANIMATION_COUNT)
            m_nAnimation = 0;
        DDX_CBIndex(pDX, kAnimation, m_nAnimation);
    }
}

void CZPCustomizeOptionsPage::UpdateDependentChecks()
{
    ZpEnableDlgItem(this, kShowFullAfterDelay, !m_bAlwaysShowFullMenus);
    ZpEnableDlgItem(this, kToolBarAccelTips, m_bToolBarScreenTips);
}

void CZPCustomizeOptionsPage::OnAlwaysShowFullMenus()
{
    m_bAlwaysShowFullMenus = IsDlgChecked(this, kAlwaysShowFullMenus);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus = m_bAlwaysShowFullMenus;
    UpdateDependentChecks();
}

void CZPCustomizeOptionsPage::OnShowFullAfterDelay()
{
    m_bShowFullAfterDelay = IsDlgChecked(this, kShowFullAfterDelay);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay = m_bShowFullAfterDelay;
}

void CZPCustomizeOptionsPage::OnLargeIcons()
{
    m_bLargeIcons = IsDlgChecked(this, kLargeIcons);
    if (m_pCommandBars == NULL)
        return;
    m_pCommandBars->GetCommandBarsOptions()->m_bLargeIcons = m_bLargeIcons;
    m_pCommandBars->RefreshAllBars();
}

void CZPCustomizeOptionsPage::OnToolBarScreenTips()
{
    m_bToolBarScreenTips = IsDlgChecked(this, kToolBarScreenTips);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetCommandBarsOptions()->m_bToolBarScreenTips = m_bToolBarScreenTips;
    UpdateDependentChecks();
}

void CZPCustomizeOptionsPage::OnToolBarAccelTips()
{
    m_bToolBarAccelTips = IsDlgChecked(this, kToolBarAccelTips);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetCommandBarsOptions()->m_bToolBarAccelTips = m_bToolBarAccelTips;
}

void CZPCustomizeOptionsPage::OnAnimationChanged()
{
    const int nSelected = m_comboAnimation.GetCurSel();
    if (nSelected < 0)
        return;
    m_nAnimation = nSelected;
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetCommandBarsOptions()->m_nAnimation = nSelected;
}

void CZPCustomizeOptionsPage::OnResetUsageData()
{
    const CString strPrompt = ZpResourceManagerInstance()->LoadStringOrEmpty(ZP_IDS_CONFIRM_RESET_USAGE);
    if (ZpCustomizeMessageBox(this, strPrompt, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES &&
        m_pCommandBars != NULL)
        m_pCommandBars->ResetUsageData();
}
