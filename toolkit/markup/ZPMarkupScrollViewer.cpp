// The scroll viewer: bars created and released by measure, scroll information derived at every
// arrange, and every scroll command ending in a pixel offset and a re-arrange.
#include "markup/ZPMarkupScrollViewer.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDependencyProperty.h"
#include "markup/ZPMarkupScrollBar.h"
#include "markup/ZPMarkupValues.h"

#include <algorithm>

namespace {
const int kLineStep = 16;
const int kWheelStep = 48;

const ZP_MARKUP_ENUMWORD g_visibilityWords[] = { { L"Disabled", CZPMarkupScrollViewer::visibilityDisabled },
                                                 { L"Auto", CZPMarkupScrollViewer::visibilityAuto },
                                                 { L"Visible", CZPMarkupScrollViewer::visibilityVisible } };

CZPMarkupObject* ConvertScrollBarVisibility(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ZpMarkupConvertEnum(pValue, g_visibilityWords, 3);
}

CZPMarkupDependencyProperty* RegisterVisibility(LPCWSTR lpszName, CZPMarkupType* pOwner)
{
    return CZPMarkupDependencyProperty::Register(
        lpszName, CZPMarkupEnum::GetClassType(), pOwner,
        new CZPMarkupPropertyMetadata(NULL, &ConvertScrollBarVisibility, kZpMarkupAffectsMeasure));
}

SCROLLINFO MakeScrollInfo(int nContentLength, int nPage, int nPosition)
{
    SCROLLINFO si = {};
    si.nMax = nContentLength - 1;
    si.nPage = static_cast<UINT>(nPage);
    si.nPos = nPosition;
    return si;
}
}  // namespace

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupScrollViewer, L"ScrollViewer", CZPMarkupContentControl,
                        &CZPMarkupScrollViewer::RegisterProperties)

CZPMarkupDependencyProperty* CZPMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = NULL;

void CZPMarkupScrollViewer::RegisterProperties()
{
    m_pVerticalScrollBarVisibilityProperty = RegisterVisibility(L"VerticalScrollBarVisibility", GetClassType());
    m_pHorizontalScrollBarVisibilityProperty = RegisterVisibility(L"HorizontalScrollBarVisibility", GetClassType());
}

CZPMarkupScrollViewer::CZPMarkupScrollViewer()
    : m_pVerticalBar(NULL), m_pHorizontalBar(NULL), m_pGripper(NULL), m_nHorizontalOffset(0), m_nVerticalOffset(0)
{
    SetValue(m_pClipToBoundsProperty, CZPMarkupBool::CreateTrueValue());
}

CZPMarkupScrollViewer::~CZPMarkupScrollViewer()
{
    ReleaseChild(m_pVerticalBar);
    ReleaseChild(m_pHorizontalBar);
    ReleaseChild(m_pGripper);
}

template <class T> void CZPMarkupScrollViewer::ReleaseChild(T*& pChild)
{
    if (pChild == NULL)
        return;
    // A bar still tracking the mouse outlives the viewer: it must not find it as its parent.
    pChild->SetLogicalParent(NULL);
    pChild->Release();
    pChild = NULL;
}

CZPMarkupObject* CZPMarkupScrollViewer::CreateChild(CZPMarkupType* pType)
{
    CZPMarkupObject* pObject =
        m_pMarkupContext != NULL ? m_pMarkupContext->CreateMarkupObject(pType) : pType->CreateObject();
    if (pObject != NULL)
        pObject->SetLogicalParent(this);
    return pObject;
}

CZPMarkupScrollBar* CZPMarkupScrollViewer::EnsureBar(CZPMarkupScrollBar*& pBar, int nOrientation)
{
    if (pBar == NULL) {
        pBar = ZpMarkupCast<CZPMarkupScrollBar>(CreateChild(CZPMarkupScrollBar::GetClassType()));
        if (pBar != NULL)
            pBar->SetOrientation(nOrientation);
    }
    return pBar;
}

CZPMarkupScrollBar* CZPMarkupScrollViewer::GetBar(int nOrientation) const
{
    return nOrientation == orientationVertical ? m_pVerticalBar : m_pHorizontalBar;
}

int CZPMarkupScrollViewer::GetVisualChildrenCount() const
{
    return (GetContent() != NULL ? 1 : 0) + (m_pVerticalBar != NULL ? 1 : 0) + (m_pHorizontalBar != NULL ? 1 : 0) +
           (m_pGripper != NULL ? 1 : 0);
}

CZPMarkupVisual* CZPMarkupScrollViewer::GetVisualChild(int nIndex) const
{
    CZPMarkupVisual* const children[] = { GetContent(), m_pVerticalBar, m_pHorizontalBar, m_pGripper };
    for (CZPMarkupVisual* pChild : children) {
        if (pChild == NULL)
            continue;
        if (nIndex == 0)
            return pChild;
        --nIndex;
    }
    return NULL;
}

SIZE CZPMarkupScrollViewer::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    CZPMarkupUIElement* pContent = GetContent();
    if (pContent == NULL)
        return SIZE{ 0, 0 };
    int v = ZpMarkupEnumValue(this, m_pVerticalScrollBarVisibilityProperty, visibilityVisible);
    int h = ZpMarkupEnumValue(this, m_pHorizontalScrollBarVisibilityProperty, visibilityDisabled);
    int cw = h != visibilityDisabled ? kZpMarkupInfinite : nWidth;
    int ch = kZpMarkupInfinite;

    if (v == visibilityDisabled) {
        ch = nHeight;
    } else if (v == visibilityAuto) {
        pContent->Measure(pContext, cw, kZpMarkupInfinite);
        if (pContent->GetDesiredSize().cy > nHeight)
            v = visibilityVisible;
    }
    if (v == visibilityVisible && EnsureBar(m_pVerticalBar, orientationVertical) != NULL) {
        m_pVerticalBar->Measure(pContext, nWidth, nHeight);
        if (cw != kZpMarkupInfinite)
            cw = std::max(0, ZpMarkupAddSaturated(cw, -m_pVerticalBar->GetDesiredSize().cx));
    } else {
        ReleaseChild(m_pVerticalBar);
        m_nVerticalOffset = 0;
    }
    const int nBarWidth = m_pVerticalBar != NULL ? m_pVerticalBar->GetDesiredSize().cx : 0;

    if (h == visibilityAuto) {
        pContent->Measure(pContext, cw, ch);
        h = pContent->GetDesiredSize().cx > ZpMarkupAddSaturated(nWidth, -nBarWidth) ? visibilityVisible
                                                                                     : visibilityDisabled;
    }
    if (h == visibilityVisible && EnsureBar(m_pHorizontalBar, orientationHorizontal) != NULL) {
        m_pHorizontalBar->Measure(pContext, nWidth, nHeight);
        if (ch != kZpMarkupInfinite)
            ch = std::max(0, ZpMarkupAddSaturated(ch, -m_pHorizontalBar->GetDesiredSize().cy));
    } else {
        ReleaseChild(m_pHorizontalBar);
        m_nHorizontalOffset = 0;
    }

    if (m_pVerticalBar != NULL && m_pHorizontalBar != NULL) {
        if (m_pGripper == NULL)
            m_pGripper =
                ZpMarkupCast<CZPMarkupScrollBarGripper>(CreateChild(CZPMarkupScrollBarGripper::GetClassType()));
    } else {
        ReleaseChild(m_pGripper);
    }

    pContent->Measure(pContext, cw, ch);
    const SIZE szContent = pContent->GetDesiredSize();
    const int nBarHeight = m_pHorizontalBar != NULL ? m_pHorizontalBar->GetDesiredSize().cy : 0;
    return SIZE{ std::min(nWidth, ZpMarkupAddSaturated(szContent.cx, nBarWidth)),
                 std::min(nHeight, ZpMarkupAddSaturated(szContent.cy, nBarHeight)) };
}

SIZE CZPMarkupScrollViewer::ArrangeOverride(int nWidth, int nHeight)
{
    CZPMarkupUIElement* pContent = GetContent();
    if (pContent == NULL)
        return SIZE{ nWidth, nHeight };
    const int nBarWidth = m_pVerticalBar != NULL ? m_pVerticalBar->GetDesiredSize().cx : 0;
    const int nBarHeight = m_pHorizontalBar != NULL ? m_pHorizontalBar->GetDesiredSize().cy : 0;
    // A viewer smaller than its bars has an empty viewport, never a negative one.
    const int vw = std::max(0, ZpMarkupAddSaturated(nWidth, -nBarWidth));
    const int vh = std::max(0, ZpMarkupAddSaturated(nHeight, -nBarHeight));
    const int cw = pContent->GetDesiredSize().cx;
    const int ch = pContent->GetDesiredSize().cy;

    if (m_pVerticalBar != NULL) {
        if (m_nVerticalOffset > 0 && ch < ZpMarkupAddSaturated(vh, m_nVerticalOffset))
            m_nVerticalOffset = std::max(0, ch - vh);
        m_pVerticalBar->SetScrollInfo(MakeScrollInfo(ch, vh, m_nVerticalOffset));
        m_pVerticalBar->Arrange(RECT{ nWidth - nBarWidth, 0, nWidth, vh });
    }
    if (m_pHorizontalBar != NULL) {
        if (m_nHorizontalOffset > 0 && cw < ZpMarkupAddSaturated(vw, m_nHorizontalOffset))
            m_nHorizontalOffset = std::max(0, cw - vw);
        m_pHorizontalBar->SetScrollInfo(MakeScrollInfo(cw, vw, m_nHorizontalOffset));
        m_pHorizontalBar->Arrange(RECT{ 0, nHeight - nBarHeight, vw, nHeight });
    }
    if (m_pGripper != NULL && m_pVerticalBar != NULL && m_pHorizontalBar != NULL)
        m_pGripper->Arrange(RECT{ nWidth - nBarWidth, nHeight - nBarHeight, nWidth, nHeight });

    const int nContentWidth = std::max(vw, cw);
    const int nContentHeight = std::max(vh, ch);
    pContent->Arrange(RECT{ -m_nHorizontalOffset, -m_nVerticalOffset,
                            ZpMarkupAddSaturated(nContentWidth, -m_nHorizontalOffset),
                            ZpMarkupAddSaturated(nContentHeight, -m_nVerticalOffset) });
    return SIZE{ nWidth, nHeight };
}

int CZPMarkupScrollViewer::GetOffset(int nOrientation) const
{
    return nOrientation == orientationVertical ? m_nVerticalOffset : m_nHorizontalOffset;
}

int CZPMarkupScrollViewer::GetScrollLimit(int nOrientation) const
{
    const CZPMarkupScrollBar* pBar = GetBar(nOrientation);
    if (pBar == NULL)
        return 0;
    const SCROLLINFO& si = pBar->GetScrollInfo();
    const long long nPage = static_cast<long long>(si.nPage);
    const long long nLimit = static_cast<long long>(si.nMax) - (nPage >= 2 ? nPage - 1 : 0);
    return static_cast<int>(std::max(0LL, std::min<long long>(nLimit, kZpMarkupInfinite)));
}

void CZPMarkupScrollViewer::SetOffset(int nOrientation, int nValue)
{
    if (!m_bNeverArranged && !m_bArrangeDirty)
        nValue = std::min(nValue, GetScrollLimit(nOrientation));
    nValue = std::max(0, nValue);
    int& nOffset = nOrientation == orientationVertical ? m_nVerticalOffset : m_nHorizontalOffset;
    if (nOffset == nValue)
        return;
    nOffset = nValue;
    InvalidateArrange();
}

void CZPMarkupScrollViewer::Scroll(int nOrientation, int nCommand, int nPosition)
{
    const CZPMarkupScrollBar* pBar = GetBar(nOrientation);
    if (pBar == NULL)
        return;
    const int p = pBar->GetScrollInfo().nPos;
    const int g = static_cast<int>(std::min<UINT>(pBar->GetScrollInfo().nPage, kZpMarkupInfinite));
    const int nLimit = GetScrollLimit(nOrientation);
    int nValue = p;
    switch (nCommand) {
    case SB_LINEUP:
        nValue = std::max(0, ZpMarkupAddSaturated(p, -kLineStep));
        break;
    case SB_LINEDOWN:
        nValue = std::min(nLimit, ZpMarkupAddSaturated(p, kLineStep));
        break;
    case SB_PAGEUP:
        nValue = std::max(0, ZpMarkupAddSaturated(p, -g));
        break;
    case SB_PAGEDOWN:
        nValue = std::min(nLimit, ZpMarkupAddSaturated(p, g));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nValue = nPosition;
        break;
    case commandTop:
        nValue = 0;
        break;
    case commandBottom:
        nValue = nLimit;
        break;
    default:
        break;
    }
    SetOffset(nOrientation, nValue);
}

void CZPMarkupScrollViewer::OnMouseWheel(MarkupMouseWheelEventArgs* pArgs)
{
    const int nStep = pArgs->nDelta < 0 ? kWheelStep : -kWheelStep;
    SetOffset(orientationVertical, ZpMarkupAddSaturated(m_nVerticalOffset, nStep));
    pArgs->bHandled = TRUE;
}
