// The colours, brushes, fonts and sizes the active skin gives to system-wide queries.
#pragma once

#include <framework.h>
#include <framework/gdi.h>

class CZPSkinManagerSchema;

const int kZpSkinSysColorCount = 31;  // system colour indices 0-30

class CZPSkinManagerMetrics
{
public:
    explicit CZPSkinManagerMetrics(CZPSkinManagerSchema* pSchema);
    virtual ~CZPSkinManagerMetrics();
    CZPSkinManagerMetrics(const CZPSkinManagerMetrics&) = delete;
    CZPSkinManagerMetrics& operator=(const CZPSkinManagerMetrics&) = delete;

    virtual void RefreshMetrics();
    // The colour of a system colour index; 0 outside 0-30.
    COLORREF GetColor(int nIndex) const;
    HBRUSH GetBrush(int nIndex) const;
    // TRUE for a brush this object owns: the face, window or a colour brush.
    BOOL IsMetricsBrush(HGDIOBJ hObject) const;
    void DeleteGdiObjects();

    CFont m_fntCaption;
    CFont m_fntMenu;
    CFont m_fntSmCaption;
    CZPSkinManagerSchema* m_pSchema;  // borrowed: the schema that owns these metrics
    CBrush m_brushFace;               // COLOR_3DFACE
    CBrush m_brushWindow;             // COLOR_WINDOW
    COLORREF m_clrEdgeLight;
    COLORREF m_clrEdgeHighLight;
    COLORREF m_clrEdgeShadow;
    COLORREF m_clrEdgeDkShadow;
    COLORREF m_clrTheme[kZpSkinSysColorCount];
    HBRUSH m_brTheme[kZpSkinSysColorCount];  // owned, NULL until made
    int m_nBorderSize;
    int m_cxBorder, m_cyBorder;
    int m_cxEdge, m_cyEdge;
    int m_cxHScroll, m_cyHScroll;
    int m_cxVScroll, m_cyVScroll;
    int m_cyCaption, m_cySmallCaption;
    int m_cyOsCaption, m_cyOsSmallCaption;
    int m_cxOsVScroll;
    BOOL m_bRefreshing;
};
