// The scroll viewer: one content element seen through a viewport moved by pixel offsets, with
// the scroll bars and the corner gripper it creates as its visibility properties ask.
#pragma once

#include "markup/ZPMarkupScrollBar.h"

class CZPMarkupScrollViewer : public CZPMarkupContentControl
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        visibilityDisabled = 0,
        visibilityAuto = 1,
        visibilityVisible = 2
    };
    enum
    {
        orientationHorizontal = CZPMarkupScrollBar::orientationHorizontal,
        orientationVertical = CZPMarkupScrollBar::orientationVertical
    };
    // Scroll commands beyond the Windows ones (SB_LINEUP .. SB_ENDSCROLL share their numbers).
    enum
    {
        commandTop = 6,
        commandBottom = 7,
        commandEndScroll = 8
    };

    CZPMarkupScrollViewer();
    ~CZPMarkupScrollViewer() override;

    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    int GetVisualChildrenCount() const override;
    CZPMarkupVisual* GetVisualChild(int nIndex) const override;
    void OnMouseWheel(MarkupMouseWheelEventArgs* pArgs) override;

    int GetOffset(int nOrientation) const;
    // 0 without that bar, else how far the viewport can move.
    int GetScrollLimit(int nOrientation) const;
    // Cut to the limit once arranged, never negative; a change re-arranges the viewer.
    void SetOffset(int nOrientation, int nValue);
    // A scroll command of a bar (SB_LINEUP .. SB_THUMBTRACK, top, bottom).
    void Scroll(int nOrientation, int nCommand, int nPosition);

    CZPMarkupScrollBar* GetVerticalScrollBar() const { return m_pVerticalBar; }
    CZPMarkupScrollBar* GetHorizontalScrollBar() const { return m_pHorizontalBar; }
    CZPMarkupScrollBarGripper* GetGripper() const { return m_pGripper; }

    static CZPMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CZPMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;
    static void RegisterProperties();

private:
    CZPMarkupScrollBar* GetBar(int nOrientation) const;
    CZPMarkupScrollBar* EnsureBar(CZPMarkupScrollBar*& pBar, int nOrientation);
    CZPMarkupObject* CreateChild(CZPMarkupType* pType);
    template <class T> void ReleaseChild(T*& pChild);

    CZPMarkupScrollBar* m_pVerticalBar;     // one reference
    CZPMarkupScrollBar* m_pHorizontalBar;   // one reference
    CZPMarkupScrollBarGripper* m_pGripper;  // one reference
    int m_nHorizontalOffset;
    int m_nVerticalOffset;
};
