// Push buttons, check boxes and radio buttons: a press and a release inside raise "Click"; the
// toggling kinds keep "IsChecked" and raise its events. Drawn in the "BUTTON" visual style when
// one is in effect, else in the classic look (or one derived from a push button's background).
#pragma once

#include "markup/ZPMarkupControl.h"

#include "common/ZPWinThemeWrapper.h"

struct MarkupRoutedEventArgs;

class CZPMarkupButtonBase : public CZPMarkupContentControl
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupButtonBase();

    void OnMouseLeave(MarkupMouseEventArgs* pArgs) override;
    void OnMouseEnter(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs) override;
    void OnLostMouseCapture(MarkupMouseEventArgs* pArgs) override;
    virtual void OnClick();

    BOOL IsPressed() const;
    BOOL IsMouseOverSet() const;
    // The "BUTTON" visual style is open (after a measure) and the application is themed.
    BOOL IsVisualStyleInEffect();
    // Tests force the classic look: the machines may run a visual style.
    static void ForceClassicLook(BOOL bForce) { s_bForceClassicLook = bForce; }

    static CZPMarkupRoutedEvent* m_pClickEvent;
    static CZPMarkupDependencyProperty* m_pIsPressedProperty;
    static void RegisterProperties();

protected:
    void OpenTheme();
    // s = 3 pressed, 2 hot, 1 normal.
    int GetThemeState() const;
    void SetPressed();
    void ClearPressed();
    void RenderFocusRect(CZPMarkupDrawingContext* pContext, const RECT& rc);

    BOOL m_bPressed;
    BOOL m_bMouseOver;
    CZPWinThemeWrapper m_theme;

    static BOOL s_bForceClassicLook;
};

class CZPMarkupButton : public CZPMarkupButtonBase
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    void OnRenderFocusVisual(CZPMarkupDrawingContext* pContext) override;
};

class CZPMarkupToggleButton : public CZPMarkupButtonBase
{
    ZP_DECLARE_MARKUPTYPE()
public:
    enum
    {
        checkUnchecked = 0,
        checkChecked = 1,
        checkIndeterminate = 2
    };

    void OnClick() override;
    virtual void OnToggle();
    virtual void OnChecked(MarkupRoutedEventArgs* pArgs);
    virtual void OnUnchecked(MarkupRoutedEventArgs* pArgs);
    virtual void OnIndeterminate(MarkupRoutedEventArgs* pArgs);

    int GetIsChecked() const;
    void SetIsChecked(int nValue);

    static CZPMarkupRoutedEvent* m_pCheckedEvent;
    static CZPMarkupRoutedEvent* m_pUncheckedEvent;
    static CZPMarkupRoutedEvent* m_pIndeterminateEvent;
    static CZPMarkupDependencyProperty* m_pIsCheckedProperty;
    static CZPMarkupDependencyProperty* m_pIsThreeStateProperty;
    static void RegisterProperties();

protected:
    // The glyph box: 13 by 13 at the left, vertically centred.
    RECT GetGlyphRect() const;
    SIZE MeasureBeside(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight, BOOL bMinHeightEmpty);

private:
    static void OnIsCheckedChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs);
};

class CZPMarkupCheckBox : public CZPMarkupToggleButton
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    void OnRenderFocusVisual(CZPMarkupDrawingContext* pContext) override;
};

class CZPMarkupRadioButton : public CZPMarkupCheckBox
{
    ZP_DECLARE_MARKUPTYPE()
public:
    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;
    void OnToggle() override;
    // Unchecks the checked radio buttons beside it under the same visual parent first.
    void OnChecked(MarkupRoutedEventArgs* pArgs) override;
};
