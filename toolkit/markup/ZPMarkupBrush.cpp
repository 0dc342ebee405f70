// Brushes, gradient stops and points.
#include "markup/ZPMarkupBrush.h"

#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupBrush, NULL, CZPMarkupObject, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupSolidColorBrush, L"SolidColorBrush", CZPMarkupBrush,
                        &CZPMarkupSolidColorBrush::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupGradientStop, L"GradientStop", CZPMarkupObject,
                        &CZPMarkupGradientStop::RegisterProperties)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupGradientStops, L"", CZPMarkupCollection, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPoint, NULL, CZPMarkupObject, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupLinearGradientBrush, L"LinearGradientBrush", CZPMarkupBrush,
                        &CZPMarkupLinearGradientBrush::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupSolidColorBrush::m_pColorProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGradientStop::m_pColorProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupGradientStop::m_pOffsetProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupLinearGradientBrush::m_pStartPointProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupLinearGradientBrush::m_pEndPointProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupLinearGradientBrush::m_pGradientStopsProperty = NULL;

// ---------------------------------------------------------------------------------------------
// CZPMarkupBrush

COLORREF CZPMarkupBrush::GetColor() const
{
    return 0;
}

CZPMarkupObject* CZPMarkupBrush::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    DWORD dwValue;
    if (pString == NULL || !ZpMarkupParseColor(pString->GetText(), dwValue))
        return NULL;
    return new CZPMarkupSolidColorBrush(static_cast<BYTE>(dwValue >> 24), dwValue & 0xFFFFFF);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupSolidColorBrush

void CZPMarkupSolidColorBrush::RegisterProperties()
{
    m_pColorProperty = CZPMarkupDependencyProperty::Register(L"Color", CZPMarkupColor::GetClassType(), GetClassType());
}

CZPMarkupSolidColorBrush::CZPMarkupSolidColorBrush() {}

CZPMarkupSolidColorBrush::CZPMarkupSolidColorBrush(COLORREF clr)
{
    GetClassType()->EnsureRegistered();
    SetValue(m_pColorProperty, new CZPMarkupColor(clr));
}

CZPMarkupSolidColorBrush::CZPMarkupSolidColorBrush(BYTE nAlpha, COLORREF clr)
{
    GetClassType()->EnsureRegistered();
    SetValue(m_pColorProperty, new CZPMarkupColor(nAlpha, clr));
}

BOOL CZPMarkupSolidColorBrush::GetColorValue(DWORD& dwValue) const
{
    const CZPMarkupColor* pColor = ZpMarkupCast<CZPMarkupColor>(GetValue(m_pColorProperty));
    if (pColor == NULL)
        return FALSE;
    dwValue = pColor->m_dwValue;
    return TRUE;
}

COLORREF CZPMarkupSolidColorBrush::GetColor() const
{
    DWORD dwValue;
    return GetColorValue(dwValue) ? dwValue & 0xFFFFFF : 0;
}

BOOL CZPMarkupSolidColorBrush::IsEqual(const CZPMarkupObject* pOther) const
{
    if (pOther == NULL || !pOther->IsKindOfType(GetClassType()))
        return FALSE;
    return GetColor() == static_cast<const CZPMarkupSolidColorBrush*>(pOther)->GetColor();
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupGradientStop, CZPMarkupGradientStops

void CZPMarkupGradientStop::RegisterProperties()
{
    m_pColorProperty = CZPMarkupDependencyProperty::Register(L"Color", CZPMarkupColor::GetClassType(), GetClassType());
    m_pOffsetProperty =
        CZPMarkupDependencyProperty::Register(L"Offset", CZPMarkupDouble::GetClassType(), GetClassType());
}

DWORD CZPMarkupGradientStop::GetColorValue() const
{
    const CZPMarkupColor* pColor = ZpMarkupCast<CZPMarkupColor>(GetValue(m_pColorProperty));
    return pColor != NULL ? pColor->m_dwValue : 0;
}

double CZPMarkupGradientStop::GetOffset() const
{
    const CZPMarkupDouble* pOffset = ZpMarkupCast<CZPMarkupDouble>(GetValue(m_pOffsetProperty));
    return pOffset != NULL ? pOffset->m_dValue : 0;
}

CZPMarkupGradientStops::CZPMarkupGradientStops() : CZPMarkupCollection(CZPMarkupGradientStop::GetClassType()) {}

// ---------------------------------------------------------------------------------------------
// CZPMarkupPoint

CZPMarkupObject* CZPMarkupPoint::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    LPCWSTR p = pString->GetText();
    double x, y;
    if (!ZpMarkupReadNumber(p, x, L',', FALSE))
        return NULL;
    // The reader takes the separator only when one is there: the comma is required.
    if (std::find(pString->GetText(), p, L',') == p)
        return NULL;
    if (!ZpMarkupReadNumber(p, y, 0, TRUE))
        return NULL;
    return new CZPMarkupPoint(x, y);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupLinearGradientBrush

void CZPMarkupLinearGradientBrush::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pStartPointProperty = CZPMarkupDependencyProperty::Register(L"StartPoint", CZPMarkupPoint::GetClassType(), pType);
    m_pEndPointProperty = CZPMarkupDependencyProperty::Register(L"EndPoint", CZPMarkupPoint::GetClassType(), pType);
    m_pGradientStopsProperty =
        CZPMarkupDependencyProperty::Register(L"GradientStops", CZPMarkupGradientStops::GetClassType(), pType);
}

CZPMarkupLinearGradientBrush::CZPMarkupLinearGradientBrush()
{
    GetClassType()->EnsureRegistered();
    SetValue(m_pGradientStopsProperty, new CZPMarkupGradientStops);
}

CZPMarkupGradientStops* CZPMarkupLinearGradientBrush::GetGradientStops() const
{
    return ZpMarkupCast<CZPMarkupGradientStops>(GetValue(m_pGradientStopsProperty));
}

void CZPMarkupLinearGradientBrush::SetContentObject(CZPMarkupBuilder* pBuilder, CZPMarkupObject* pContent)
{
    if (CZPMarkupGradientStops* pStops = GetGradientStops())
        pStops->SetContentObject(pBuilder, pContent);
    else
        CZPMarkupBrush::SetContentObject(pBuilder, pContent);
}

void CZPMarkupLinearGradientBrush::AddStop(DWORD dwColor, double dOffset)
{
    CZPMarkupGradientStops* pStops = GetGradientStops();
    if (pStops == NULL)
        return;
    CZPMarkupGradientStop* pStop = new CZPMarkupGradientStop;
    pStop->SetValue(CZPMarkupGradientStop::m_pColorProperty,
                    new CZPMarkupColor(static_cast<BYTE>(dwColor >> 24), dwColor & 0xFFFFFF));
    pStop->SetValue(CZPMarkupGradientStop::m_pOffsetProperty, new CZPMarkupDouble(dOffset));
    if (!pStops->Add(pStop))
        pStop->Release();
}

void CZPMarkupLinearGradientBrush::GetSortedStops(std::vector<ZP_MARKUP_GRADIENTSTOP>& stops) const
{
    stops.clear();
    const CZPMarkupGradientStops* pStops = GetGradientStops();
    if (pStops == NULL)
        return;
    stops.reserve(pStops->GetCount());
    for (int i = 0; i < pStops->GetCount(); i++) {
        const CZPMarkupGradientStop* pStop = static_cast<CZPMarkupGradientStop*>(pStops->GetAt(i));
        stops.push_back({ pStop->GetColorValue(), pStop->GetOffset() });
    }
    std::stable_sort(stops.begin(), stops.end(), [](const ZP_MARKUP_GRADIENTSTOP& a, const ZP_MARKUP_GRADIENTSTOP& b) {
        return a.dOffset < b.dOffset;
    });
}

COLORREF CZPMarkupLinearGradientBrush::GetColor() const
{
    const CZPMarkupGradientStops* pStops = GetGradientStops();
    if (pStops == NULL || pStops->GetCount() == 0)
        return 0;
    return static_cast<CZPMarkupGradientStop*>(pStops->GetAt(0))->GetColorValue() & 0xFFFFFF;
}

void CZPMarkupLinearGradientBrush::GetPoints(double& x1, double& y1, double& x2, double& y2) const
{
    const CZPMarkupPoint* pStart = ZpMarkupCast<CZPMarkupPoint>(GetValue(m_pStartPointProperty));
    const CZPMarkupPoint* pEnd = ZpMarkupCast<CZPMarkupPoint>(GetValue(m_pEndPointProperty));
    x1 = pStart != NULL ? pStart->m_x : 0;
    y1 = pStart != NULL ? pStart->m_y : 0;
    x2 = pEnd != NULL ? pEnd->m_x : 1;
    y2 = pEnd != NULL ? pEnd->m_y : 1;
}

DWORD ZpMarkupGradientColorAt(const std::vector<ZP_MARKUP_GRADIENTSTOP>& stops, double t)
{
    if (stops.empty())
        return 0;
    if (!(t > stops.front().dOffset))
        return stops.front().dwColor;
    if (t >= stops.back().dOffset)
        return stops.back().dwColor;
    // The first stop above t: its predecessor lies at or below t, so their distance is not 0.
    const auto it = std::upper_bound(stops.begin(), stops.end(), t,
                                     [](double d, const ZP_MARKUP_GRADIENTSTOP& stop) { return d < stop.dOffset; });
    const double f = (it->dOffset - t) / (it->dOffset - (it - 1)->dOffset);
    const DWORD a = (it - 1)->dwColor, b = it->dwColor;
    DWORD dwResult = 0;
    for (int nShift = 0; nShift < 32; nShift += 8) {
        const double dChannel = f * ((a >> nShift) & 0xFF) + (1 - f) * ((b >> nShift) & 0xFF);
        dwResult |= static_cast<DWORD>(static_cast<int>(dChannel)) << nShift;
    }
    return dwResult;
}
