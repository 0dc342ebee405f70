// Command-bars options and their full archive form.
#include "commandbars/ZPCommandBarsOptions.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsState.h"
#include "commandbars/ZPPaintManager.h"
#include "common/ZPPropExchangeArchive.h"

#include <framework/archive.h>

#include <memory>

IMPLEMENT_DYNAMIC(CZPCommandBarsOptions, CCmdTarget)

namespace {

const long kSchemaSecondGroup = 8;  // used commands, animation and the options after the icon options
const long kSchemaKeyboardCues = 9;
const int kMaxAnimation = 5;
const int kMaxCuesUse = ZP_CUES_USE_ALL_TOOLBARS | ZP_CUES_USE_NONE | ZP_CUES_USE_NO_FIRST_LETTER;
const LONG kMaxIconSide = 256;
const UINT kMaxStoredCommands = 0x10000;
// The paint manager's icon options in memory: faded, disabled, with shadow.
const int kIconFaded = 0;
const int kIconDisabled = 1;
const int kIconShadow = 2;

// Every value of the full form, read whole before any is applied.
struct FullForm
{
    BOOL bAlwaysShowFullMenus, bShowFullAfterDelay, bToolBarScreenTips, bToolBarAccelTips, bLargeIcons;
    std::vector<DWORD> usedCommands;
    int nAnimation;
    BOOL bSyncFloatingBars, bShowExpandButtonAlways;
    CSize szIcons, szLargeIcons;
    std::vector<DWORD> hiddenCommands;
    BOOL bIconsWithShadow, bUseDisabledIcons, bUseFadedIcons;
    BOOL bDblClickFloat, bShowTextBelowIcons, bAltDragCustomization, bAutoHideUnusedPopups;
    CSize szPopupIcons;
    int nKeyboardCuesUse, nKeyboardCuesShow;
};

// The paint manager whose icon options travel with the form.
CZPPaintManager* IconOptionsOwner(CZPCommandBars* pCommandBars)
{
    if (pCommandBars != NULL && pCommandBars->GetPaintManager() != NULL)
        return pCommandBars->GetPaintManager();
    return ZpGetPaintManager();
}

void ExchangeCommandMap(CZPPropExchange* pPX, LPCWSTR pszName, std::vector<DWORD>& words)
{
    if (pPX->IsStoring()) {
        BYTE* pData = reinterpret_cast<BYTE*>(words.data());
        DWORD cbData = static_cast<DWORD>(words.size() * sizeof(DWORD));
        PropExchangeBlob(pPX, pszName, &pData, &cbData);
        return;
    }
    BYTE* pData = NULL;
    DWORD cbData = 0;
    words.clear();
    if (!PropExchangeBlob(pPX, pszName, &pData, &cbData))
        return;
    std::unique_ptr<BYTE[]> data(pData);
    // Bytes that are not whole words are damage: no words, the map stays.
    if (cbData % sizeof(DWORD) == 0)
        words.assign(reinterpret_cast<const DWORD*>(pData), reinterpret_cast<const DWORD*>(pData + cbData));
}

void ExchangeForm(CZPPropExchange* pPX, FullForm& f)
{
    long nSchema = kZpCommandBarsSchema;
    PropExchangeLong(pPX, L"Schema", &nSchema, kZpCommandBarsSchema);
    PropExchangeBool(pPX, L"AlwaysShowFullMenus", &f.bAlwaysShowFullMenus, TRUE);
    PropExchangeBool(pPX, L"ShowFullAfterDelay", &f.bShowFullAfterDelay, TRUE);
    PropExchangeBool(pPX, L"ToolBarScreenTips", &f.bToolBarScreenTips, TRUE);
    PropExchangeBool(pPX, L"ToolBarAccelTips", &f.bToolBarAccelTips, FALSE);
    PropExchangeBool(pPX, L"LargeIcons", &f.bLargeIcons, FALSE);
    if (nSchema >= kSchemaSecondGroup) {
        ExchangeCommandMap(pPX, L"UsedCommands", f.usedCommands);
        PropExchangeLong(pPX, L"Animation", &f.nAnimation, 0);
    }
    PropExchangeBool(pPX, L"SyncFloatingBars", &f.bSyncFloatingBars, TRUE);
    PropExchangeBool(pPX, L"ShowExpandButtonAlways", &f.bShowExpandButtonAlways, TRUE);
    PropExchangeSize(pPX, L"IconsSize", &f.szIcons, CSize(0, 0));
    PropExchangeSize(pPX, L"LargeIconsSize", &f.szLargeIcons, CSize(0, 0));
    ExchangeCommandMap(pPX, L"HiddenCommands", f.hiddenCommands);
    PropExchangeBool(pPX, L"IconsWithShadow", &f.bIconsWithShadow, FALSE);
    PropExchangeBool(pPX, L"UseDisabledIcons", &f.bUseDisabledIcons, TRUE);
    PropExchangeBool(pPX, L"UseFadedIcons", &f.bUseFadedIcons, TRUE);
    if (nSchema >= kSchemaSecondGroup) {
        PropExchangeBool(pPX, L"SyncFloatingBars", &f.bSyncFloatingBars, TRUE);
        PropExchangeBool(pPX, L"ShowExpandButtonAlways", &f.bShowExpandButtonAlways, TRUE);
        PropExchangeBool(pPX, L"DblClickFloat", &f.bDblClickFloat, FALSE);
        PropExchangeBool(pPX, L"ShowTextBelowIcons", &f.bShowTextBelowIcons, FALSE);
        PropExchangeBool(pPX, L"AltDragCustomization", &f.bAltDragCustomization, TRUE);
        PropExchangeBool(pPX, L"AutoHideUnusedPopups", &f.bAutoHideUnusedPopups, TRUE);
        PropExchangeSize(pPX, L"PopupIconsSize", &f.szPopupIcons, CSize(0, 0));
    }
    if (nSchema >= kSchemaKeyboardCues) {
        PropExchangeLong(pPX, L"KeyboardCuesUse", &f.nKeyboardCuesUse, ZP_CUES_USE_ALL_TOOLBARS);
        PropExchangeLong(pPX, L"KeyboardCuesShow", &f.nKeyboardCuesShow, ZP_CUES_SHOW_ALWAYS);
    }
}

BOOL CheckedBool(BOOL bValue, BOOL bDefault)
{
    return bValue == 0 || bValue == 1 ? bValue : bDefault;
}

int CheckedRange(int nValue, int nMax, int nDefault)
{
    return nValue >= 0 && nValue <= nMax ? nValue : nDefault;
}

CSize CheckedIconSize(CSize size)
{
    const BOOL bGood = size.cx >= 0 && size.cx <= kMaxIconSide && size.cy >= 0 && size.cy <= kMaxIconSide;
    return bGood ? size : CSize(0, 0);
}

}  // namespace

std::vector<DWORD> ZpCommandMapToWords(const CZPCommandIdMap& map)
{
    std::vector<DWORD> words;
    words.push_back(static_cast<DWORD>(map.GetCount()));
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        UINT nID = 0;
        BOOL bFlag = FALSE;
        map.GetNextAssoc(pos, nID, bFlag);
        words.push_back(nID);
        words.push_back(static_cast<DWORD>(bFlag));
    }
    return words;
}

BOOL ZpCommandMapFromWords(const DWORD* pWords, UINT nWords, UINT nMaxCount, CZPCommandIdMap& map)
{
    if (pWords == NULL || nWords < 1 || pWords[0] > nMaxCount || 1 + 2 * pWords[0] != nWords)
        return FALSE;
    map.RemoveAll();
    for (UINT i = 0; i < pWords[0]; ++i)
        map.SetAt(pWords[1 + 2 * i], pWords[2 + 2 * i] != 0);
    return TRUE;
}

CZPCommandBarsOptions::CZPCommandBarsOptions(CZPCommandBars* pCommandBars)
    : m_bAutoHideUnusedPopups(TRUE), m_bAlwaysShowFullMenus(TRUE), m_bShowFullAfterDelay(TRUE), m_nAnimation(0),
      m_bSyncFloatingBars(TRUE), m_bShowExpandButtonAlways(TRUE), m_bDblClickFloat(FALSE),
      m_bShowKeyboardShortcuts(TRUE), m_bShortcutsInContextMenus(FALSE), m_nKeyboardCuesUse(ZP_CUES_USE_ALL_TOOLBARS),
      m_nKeyboardCuesShow(ZP_CUES_SHOW_ALWAYS), m_bKeyboardTips(FALSE), m_bDirty(FALSE), m_pCommandBars(pCommandBars)
{}

void CZPCommandBarsOptions::Serialize(CArchive& ar)
{
    BOOL* pIconOptions = IconOptionsOwner(m_pCommandBars)->GetIconOptions();
    FullForm f = { m_bAlwaysShowFullMenus,
                   m_bShowFullAfterDelay,
                   m_bToolBarScreenTips,
                   m_bToolBarAccelTips,
                   m_bLargeIcons,
                   ZpCommandMapToWords(m_mapUsedCommands),
                   m_nAnimation,
                   m_bSyncFloatingBars,
                   m_bShowExpandButtonAlways,
                   m_szIcons,
                   m_szLargeIcons,
                   ZpCommandMapToWords(m_mapHiddenCommands),
                   pIconOptions[kIconShadow],
                   pIconOptions[kIconDisabled],
                   pIconOptions[kIconFaded],
                   m_bDblClickFloat,
                   m_bShowTextBelowIcons,
                   m_bAltDragCustomization,
                   m_bAutoHideUnusedPopups,
                   m_szPopupIcons,
                   m_nKeyboardCuesUse,
                   m_nKeyboardCuesShow };
    CZPPropExchangeArchive px(ar);
    ExchangeForm(&px, f);
    if (ar.IsStoring())
        return;
    // Read whole: only now is anything applied.
    m_bAlwaysShowFullMenus = CheckedBool(f.bAlwaysShowFullMenus, TRUE);
    m_bShowFullAfterDelay = CheckedBool(f.bShowFullAfterDelay, TRUE);
    m_bToolBarScreenTips = CheckedBool(f.bToolBarScreenTips, TRUE);
    m_bToolBarAccelTips = CheckedBool(f.bToolBarAccelTips, FALSE);
    m_bLargeIcons = CheckedBool(f.bLargeIcons, FALSE);
    ZpCommandMapFromWords(f.usedCommands.data(), static_cast<UINT>(f.usedCommands.size()), kMaxStoredCommands,
                          m_mapUsedCommands);
    m_nAnimation = CheckedRange(f.nAnimation, kMaxAnimation, 0);
    m_bSyncFloatingBars = CheckedBool(f.bSyncFloatingBars, TRUE);
    m_bShowExpandButtonAlways = CheckedBool(f.bShowExpandButtonAlways, TRUE);
    m_szIcons = CheckedIconSize(f.szIcons);
    m_szLargeIcons = CheckedIconSize(f.szLargeIcons);
    ZpCommandMapFromWords(f.hiddenCommands.data(), static_cast<UINT>(f.hiddenCommands.size()), kMaxStoredCommands,
                          m_mapHiddenCommands);
    pIconOptions[kIconShadow] = CheckedBool(f.bIconsWithShadow, FALSE);
    pIconOptions[kIconDisabled] = CheckedBool(f.bUseDisabledIcons, TRUE);
    pIconOptions[kIconFaded] = CheckedBool(f.bUseFadedIcons, TRUE);
    m_bDblClickFloat = CheckedBool(f.bDblClickFloat, FALSE);
    m_bShowTextBelowIcons = CheckedBool(f.bShowTextBelowIcons, FALSE);
    m_bAltDragCustomization = CheckedBool(f.bAltDragCustomization, TRUE);
    m_bAutoHideUnusedPopups = CheckedBool(f.bAutoHideUnusedPopups, TRUE);
    m_szPopupIcons = CheckedIconSize(f.szPopupIcons);
    m_nKeyboardCuesUse = CheckedRange(f.nKeyboardCuesUse, kMaxCuesUse, ZP_CUES_USE_ALL_TOOLBARS);
    m_nKeyboardCuesShow = CheckedRange(f.nKeyboardCuesShow, ZP_CUES_SHOW_SYSTEM, ZP_CUES_SHOW_ALWAYS);
    if (m_pCommandBars != NULL)
        m_pCommandBars->ApplyKeyboardCuesShow(m_nKeyboardCuesShow);
}
