// The test box.
#include "markup_layout_fixture.h"

#include "markup/ZPMarkupDrawingContext.h"

#include <algorithm>

std::vector<std::wstring> g_boxLog;

ZP_IMPLEMENT_MARKUPTYPE(CTestBox, NULL, CZPMarkupFrameworkElement, NULL)

CTestBox::~CTestBox()
{
    for (CTestBox* pChild : m_children) {
        pChild->SetLogicalParent(NULL);
        pChild->Release();
    }
}

SIZE CTestBox::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    m_nMeasures++;
    SIZE sz = m_szContent;
    for (CTestBox* pChild : m_children) {
        pChild->Measure(pContext, nWidth, nHeight);
        sz.cx = std::max(sz.cx, pChild->GetDesiredSize().cx);
        sz.cy = std::max(sz.cy, pChild->GetDesiredSize().cy);
    }
    return sz;
}

SIZE CTestBox::ArrangeOverride(int nWidth, int nHeight)
{
    const RECT rc = { 0, 0, nWidth, nHeight };
    for (CTestBox* pChild : m_children)
        pChild->Arrange(rc);
    return SIZE{ nWidth, nHeight };
}

void CTestBox::OnRender(CZPMarkupDrawingContext* pContext)
{
    m_nRenders++;
    g_boxLog.push_back(m_strName + L" render");
    if (m_clrFill != CLR_INVALID)
        pContext->FillSolidRect({ 0, 0, m_szRender.cx, m_szRender.cy }, m_clrFill);
}

namespace {
void Log(const std::wstring& strName, LPCWSTR lpszWhat, const MarkupMouseEventArgs* pArgs)
{
    g_boxLog.push_back(strName + L" " + lpszWhat + L" " + std::to_wstring(pArgs->x) + L"," + std::to_wstring(pArgs->y));
}
}  // namespace

void CTestBox::OnMouseLeave(MarkupMouseEventArgs* pArgs)
{
    Log(m_strName, L"leave", pArgs);
    CZPMarkupFrameworkElement::OnMouseLeave(pArgs);
}

void CTestBox::OnMouseEnter(MarkupMouseEventArgs* pArgs)
{
    Log(m_strName, L"enter", pArgs);
    CZPMarkupFrameworkElement::OnMouseEnter(pArgs);
}

void CTestBox::OnMouseMove(MarkupMouseEventArgs* pArgs)
{
    Log(m_strName, L"move", pArgs);
}

void CTestBox::OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs)
{
    if (m_onLeftButtonDown)
        m_onLeftButtonDown();
    Log(m_strName, L"ldown", pArgs);
    pArgs->bHandled = m_bHandleButtons;
}

void CTestBox::OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs)
{
    Log(m_strName, L"lup", pArgs);
    pArgs->bHandled = m_bHandleButtons;
}

void CTestBox::OnMouseRightButtonDown(MarkupMouseEventArgs* pArgs)
{
    Log(m_strName, L"rdown", pArgs);
    pArgs->bHandled = m_bHandleButtons;
}

void CTestBox::OnLostMouseCapture(MarkupMouseEventArgs* pArgs)
{
    Log(m_strName, L"lost", pArgs);
}

void CTestBox::OnMouseWheel(MarkupMouseWheelEventArgs* pArgs)
{
    g_boxLog.push_back(m_strName + L" wheel " + std::to_wstring(pArgs->nDelta));
    pArgs->bHandled = m_bHandleButtons;
}

CTestBox* CTestBox::Add(CTestBox* pChild)
{
    pChild->SetLogicalParent(this);
    m_children.push_back(pChild);
    return pChild;
}

void CTestBox::SetInt(CZPMarkupDependencyProperty* pProperty, int nValue)
{
    SetValue(pProperty, new CZPMarkupInt(nValue));
}

void CTestBox::SetEnum(CZPMarkupDependencyProperty* pProperty, int nValue)
{
    SetValue(pProperty, CZPMarkupEnum::CreateValue(nValue));
}

void CTestBox::SetMargin(int nLeft, int nTop, int nRight, int nBottom)
{
    SetValue(m_pMarginProperty, new CZPMarkupThickness(nLeft, nTop, nRight, nBottom));
}

CTestBox* MakeBox(CZPMarkupContext* pContext, LPCWSTR lpszName, int cx, int cy)
{
    CTestBox* pBox = pContext != NULL ? static_cast<CTestBox*>(pContext->CreateMarkupObject(CTestBox::GetClassType()))
                                      : new CTestBox;
    pBox->m_strName = lpszName;
    pBox->m_szContent = SIZE{ cx, cy };
    return pBox;
}

std::wstring JoinLog()
{
    std::wstring str;
    for (const std::wstring& line : g_boxLog)
        str += (str.empty() ? L"" : L"; ") + line;
    g_boxLog.clear();
    return str;
}

void WarmUpLayoutTypes()
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CTestBox* pBox = MakeBox(pContext, L"warm-up");
    pBox->SetMargin(1, 1, 1, 1);
    pBox->SetInt(CZPMarkupFrameworkElement::m_pWidthProperty, 1);
    for (int i = 0; i < 4; i++)
        pBox->SetEnum(CZPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, i);
    pBox->SetValue(CZPMarkupUIElement::m_pClipToBoundsProperty, CZPMarkupBool::CreateTrueValue());
    pBox->SetValue(CZPMarkupInputElement::m_pToolTipProperty, CZPMarkupString::CreateValue(L"warm-up"));
    pBox->Arrange(RECT{ 0, 0, 10, 10 });
    pBox->Release();
    pContext->Release();
}

void CTestBox::OnRenderFocusVisual(CZPMarkupDrawingContext* /*pContext*/)
{
    g_boxLog.push_back(m_strName + L" focus");
}
