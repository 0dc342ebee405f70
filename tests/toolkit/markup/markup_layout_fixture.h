// A test-only framework element: a fixed content size, an overlay of children (each given the
// whole content area), a solid fill, and a log of renders and input operations.
#pragma once

#include "markup_fixture_types.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupValues.h"
#include "markup/ZPMarkupVisual.h"

#include <functional>
#include <string>
#include <vector>

// Every logged render and input operation of the test boxes, in order ("A enter", "B render").
extern std::vector<std::wstring> g_boxLog;

class CTestBox : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    ~CTestBox() override;

    int GetVisualChildrenCount() const override { return static_cast<int>(m_children.size()); }
    CZPMarkupVisual* GetVisualChild(int nIndex) const override { return m_children[nIndex]; }
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    void OnRenderFocusVisual(CZPMarkupDrawingContext* pContext) override;

    void OnMouseLeave(MarkupMouseEventArgs* pArgs) override;
    void OnMouseEnter(MarkupMouseEventArgs* pArgs) override;
    void OnMouseMove(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs) override;
    void OnMouseRightButtonDown(MarkupMouseEventArgs* pArgs) override;
    void OnLostMouseCapture(MarkupMouseEventArgs* pArgs) override;
    void OnMouseWheel(MarkupMouseWheelEventArgs* pArgs) override;

    // Appends a child; the reference passes over.
    CTestBox* Add(CTestBox* pChild);
    void SetInt(CZPMarkupDependencyProperty* pProperty, int nValue);
    void SetEnum(CZPMarkupDependencyProperty* pProperty, int nValue);
    void SetMargin(int nLeft, int nTop, int nRight, int nBottom);

    std::wstring m_strName;
    SIZE m_szContent = { 0, 0 };
    COLORREF m_clrFill = CLR_INVALID;  // nothing drawn when invalid
    int m_nRenders = 0;
    int m_nMeasures = 0;
    BOOL m_bHandleButtons = FALSE;
    std::function<void()> m_onLeftButtonDown;  // runs before the log line
    std::vector<CTestBox*> m_children;         // one reference each
};

// A box of the context (NULL: unbound), named for the log.
CTestBox* MakeBox(CZPMarkupContext* pContext, LPCWSTR lpszName, int cx = 0, int cy = 0);
std::wstring JoinLog();
// Makes the type records and shared values the tests use before the live-object count is taken.
void WarmUpLayoutTypes();
