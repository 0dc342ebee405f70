// Skinned system metrics: colours 0-30 with their brushes, caption and menu fonts and sizes,
// taken from the scheme's SYSMETRICS class with the system's values as the fall-back.
#include "skinframework/ZPSkinManagerMetrics.h"

#include "skinframework/ZPSkinManager.h"
#include "skinframework/ZPSkinManagerSchema.h"

namespace {

// Older consumers refuse anything but the record of this size; this build's sizeof is larger.
const UINT kNonClientMetricsSize = 500;
const int kSysColorPropertyBase = 1601;
const int kCaptionBarHeight = 1205;
const int kSmallCaptionBarHeight = 1207;
const int kScrollBarWidth = 1202;
const int kScrollBarHeight = 1203;
const int kCaptionFont = 801;
const int kSmallCaptionFont = 802;
const int kMenuFont = 803;

const COLORREF kDefaultColors[kZpSkinSysColorCount] = {
    0xC0C0C0, 0xA56E3A, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0,
    0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000,
    0xDFDFDF, 0x000000, 0xE1FFFF, 0xB4B4B4, 0xFF0000, 0xD08410, 0xB5B5B5, 0x800000, 0xC0C0C0,
};

void ReplaceFont(CFont& font, const LOGFONTW& logFont)
{
    font.DeleteObject();
    font.CreateFontIndirect(&logFont);
}

}  // namespace

CZPSkinManagerMetrics::CZPSkinManagerMetrics(CZPSkinManagerSchema* pSchema)
    : m_pSchema(pSchema), m_clrEdgeLight(0), m_clrEdgeHighLight(0), m_clrEdgeShadow(0), m_clrEdgeDkShadow(0),
      m_nBorderSize(1), m_cxBorder(1), m_cyBorder(1), m_cxEdge(2), m_cyEdge(2), m_cxHScroll(0), m_cyHScroll(0),
      m_cxVScroll(0), m_cyVScroll(0), m_cyCaption(0), m_cySmallCaption(0), m_cyOsCaption(0), m_cyOsSmallCaption(0),
      m_cxOsVScroll(0), m_bRefreshing(FALSE)
{
    for (int i = 0; i < kZpSkinSysColorCount; ++i) {
        m_clrTheme[i] = static_cast<COLORREF>(-1);
        m_brTheme[i] = NULL;
    }
}

CZPSkinManagerMetrics::~CZPSkinManagerMetrics()
{
    DeleteGdiObjects();
}

void CZPSkinManagerMetrics::DeleteGdiObjects()
{
    for (HBRUSH& hBrush : m_brTheme) {
        if (hBrush != NULL)
            ::DeleteObject(hBrush);
        hBrush = NULL;
    }
    m_brushFace.DeleteObject();
    m_brushWindow.DeleteObject();
    m_fntCaption.DeleteObject();
    m_fntMenu.DeleteObject();
    m_fntSmCaption.DeleteObject();
}

COLORREF CZPSkinManagerMetrics::GetColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < kZpSkinSysColorCount ? m_clrTheme[nIndex] : 0;
}

HBRUSH CZPSkinManagerMetrics::GetBrush(int nIndex) const
{
    return nIndex >= 0 && nIndex < kZpSkinSysColorCount ? m_brTheme[nIndex] : NULL;
}

BOOL CZPSkinManagerMetrics::IsMetricsBrush(HGDIOBJ hObject) const
{
    if (hObject == NULL || ::GetObjectType(hObject) != OBJ_BRUSH)
        return FALSE;
    if (hObject == m_brushFace.m_hObject || hObject == m_brushWindow.m_hObject)
        return TRUE;
    for (HBRUSH hBrush : m_brTheme)
        if (hBrush == hObject)
            return TRUE;
    return FALSE;
}

void CZPSkinManagerMetrics::RefreshMetrics()
{
    if (m_pSchema == NULL) {
        for (int i = 0; i < kZpSkinSysColorCount; ++i) {
            m_clrTheme[i] = ::GetSysColor(i);
            if (m_brTheme[i] != NULL)
                ::DeleteObject(m_brTheme[i]);
            m_brTheme[i] = NULL;
        }
        return;
    }
    m_bRefreshing = TRUE;

    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = kNonClientMetricsSize;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0)) {
        ReplaceFont(m_fntCaption, ncm.lfCaptionFont);
        ReplaceFont(m_fntSmCaption, ncm.lfSmCaptionFont);
        ReplaceFont(m_fntMenu, ncm.lfMenuFont);
    }
    int nBorder = 1;
    if (::SystemParametersInfoW(SPI_GETBORDER, 0, &nBorder, 0))
        m_nBorderSize = nBorder;
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = m_cxOsVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cyCaption = m_cyOsCaption = ::GetSystemMetrics(SM_CYCAPTION);
    m_cySmallCaption = m_cyOsSmallCaption = ::GetSystemMetrics(SM_CYSMCAPTION);

    CZPSkinManager* pManager = m_pSchema->GetSkinManager();
    const int nClass = kZpSkinClassSysMetrics;
    if (pManager != NULL && (pManager->GetHookOptions() & SkinOptionMetrics) != 0) {
        int nValue = 0;
        m_cyCaption =
            (m_pSchema->GetIntProperty(nClass, 0, 0, kCaptionBarHeight, &nValue) == S_OK ? nValue : m_cyOsCaption) + 1;
        m_cySmallCaption =
            (m_pSchema->GetIntProperty(nClass, 0, 0, kSmallCaptionBarHeight, &nValue) == S_OK ? nValue
                                                                                              : m_cyOsSmallCaption) +
            1;
        if (m_pSchema->GetIntProperty(nClass, 0, 0, kScrollBarWidth, &nValue) == S_OK && nValue > 0)
            m_cxVScroll = m_cxHScroll = nValue;
        if (m_pSchema->GetIntProperty(nClass, 0, 0, kScrollBarHeight, &nValue) == S_OK && nValue > 0)
            m_cyVScroll = m_cyHScroll = nValue;
        LOGFONTW logFont;
        if (m_pSchema->GetFontProperty(nClass, 0, 0, kCaptionFont, &logFont) == S_OK)
            ReplaceFont(m_fntCaption, logFont);
        if (m_pSchema->GetFontProperty(nClass, 0, 0, kSmallCaptionFont, &logFont) == S_OK)
            ReplaceFont(m_fntSmCaption, logFont);
        if (m_pSchema->GetFontProperty(nClass, 0, 0, kMenuFont, &logFont) == S_OK)
            ReplaceFont(m_fntMenu, logFont);
    }

    for (int i = 0; i < kZpSkinSysColorCount; ++i) {
        const COLORREF clrOld = m_clrTheme[i];
        COLORREF clr = static_cast<COLORREF>(-1);
        if (m_pSchema->GetColorProperty(nClass, 0, 0, kSysColorPropertyBase + i, &clr) != S_OK) {
            clr = kDefaultColors[i];
            ZpSkinApplyColorFilters(clr);
        }
        m_clrTheme[i] = clr;
        if (clr != clrOld || m_brTheme[i] == NULL) {
            if (m_brTheme[i] != NULL)
                ::DeleteObject(m_brTheme[i]);
            m_brTheme[i] = ::CreateSolidBrush(clr);
        }
    }
    m_clrEdgeLight = m_clrTheme[COLOR_3DLIGHT];
    m_clrEdgeHighLight = m_clrTheme[COLOR_3DHIGHLIGHT];
    m_clrEdgeShadow = m_clrTheme[COLOR_3DSHADOW];
    m_clrEdgeDkShadow = m_clrTheme[COLOR_3DDKSHADOW];
    m_brushFace.DeleteObject();
    m_brushFace.CreateSolidBrush(m_clrTheme[COLOR_3DFACE]);
    m_brushWindow.DeleteObject();
    m_brushWindow.CreateSolidBrush(m_clrTheme[COLOR_WINDOW]);
    m_bRefreshing = FALSE;
}
