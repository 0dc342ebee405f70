// Buttons: pressing, capture and "Click"; the check cycle and its events; the three looks.
#include "markup/ZPMarkupButton.h"

#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupDrawingContext.h"
#include "markup/ZPMarkupRoutedEvent.h"
#include "markup/ZPMarkupValues.h"

#include "common/ZPDrawHelpers.h"

#include <algorithm>

namespace {
BOOL IsTrue(const CZPMarkupObject* pValue)
{
    const CZPMarkupBool* pBool = ZpMarkupCast<CZPMarkupBool>(const_cast<CZPMarkupObject*>(pValue));
    return pBool != NULL && pBool->m_bValue;
}

CZPMarkupUIElement* FirstChild(const CZPMarkupVisual* pVisual)
{
    return pVisual->GetVisualChildrenCount() > 0 ? ZpMarkupCast<CZPMarkupUIElement>(pVisual->GetVisualChild(0)) : NULL;
}

// Parts of the "BUTTON" theme class.
const int kPartPushButton = 1, kPartRadioButton = 2, kPartCheckBox = 3;
// Theme states of checked and mixed glyphs follow the unchecked ones in blocks of four.
const int kCheckedStateOffset = 4, kMixedStateOffset = 8;

// A push button's chrome: its edges and the space inside them, on every side of the padding.
const int kPushChrome = 4;
// Its focus rectangle lies this far inside its edges.
const int kPushFocusInset = 3;
// Check and radio glyphs: squares at the left of a column the content starts after.
const int kGlyphSize = 13;
const int kGlyphColumn = 16;
// The focus rectangle of a check box starts just before its content.
const int kGlyphFocusLeft = kGlyphColumn - 1;

const ZP_MARKUP_ENUMWORD g_checkWords[] = { { L"True", 1 }, { L"False", 0 }, { L"", 2 } };

CZPMarkupObject* ConvertIsChecked(CZPMarkupBuilder*, CZPMarkupObject* pValue)
{
    return ZpMarkupConvertEnum(pValue, g_checkWords, 3);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CZPMarkupButtonBase

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupButtonBase, NULL, CZPMarkupContentControl, &CZPMarkupButtonBase::RegisterProperties)

CZPMarkupRoutedEvent* CZPMarkupButtonBase::m_pClickEvent = NULL;
CZPMarkupDependencyProperty* CZPMarkupButtonBase::m_pIsPressedProperty = NULL;
BOOL CZPMarkupButtonBase::s_bForceClassicLook = FALSE;

void CZPMarkupButtonBase::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pClickEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"Click", kZpMarkupEventBubble, pType);
    m_pIsPressedProperty = CZPMarkupDependencyProperty::Register(
        L"IsPressed", CZPMarkupBool::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateFalseValue(), kZpMarkupAffectsArrange));
}

CZPMarkupButtonBase::CZPMarkupButtonBase() : m_bPressed(FALSE), m_bMouseOver(FALSE), m_theme(TRUE)
{
    SetValue(CZPMarkupUIElement::m_pFocusableProperty, CZPMarkupBool::CreateTrueValue());
}

BOOL CZPMarkupButtonBase::IsPressed() const
{
    return IsTrue(GetValue(m_pIsPressedProperty));
}

BOOL CZPMarkupButtonBase::IsMouseOverSet() const
{
    return IsTrue(GetValue(m_pIsMouseOverProperty));
}

void CZPMarkupButtonBase::OnMouseEnter(MarkupMouseEventArgs* pArgs)
{
    m_bMouseOver = TRUE;
    if (m_bPressed) {
        SetValue(m_pIsPressedProperty, CZPMarkupBool::CreateTrueValue());
        return;
    }
    CZPMarkupContentControl::OnMouseEnter(pArgs);
    InvalidateVisual();
}

void CZPMarkupButtonBase::OnMouseLeave(MarkupMouseEventArgs* pArgs)
{
    m_bMouseOver = FALSE;
    if (m_bPressed) {
        SetValue(m_pIsPressedProperty, NULL);
        return;
    }
    CZPMarkupContentControl::OnMouseLeave(pArgs);
    InvalidateVisual();
}

void CZPMarkupButtonBase::OnMouseLeftButtonDown(MarkupMouseEventArgs* pArgs)
{
    Focus();
    SetPressed();
    pArgs->bHandled = TRUE;
    CaptureMouse();
}

void CZPMarkupButtonBase::OnMouseLeftButtonUp(MarkupMouseEventArgs* pArgs)
{
    if (!m_bPressed)
        return;
    pArgs->bHandled = TRUE;
    // A "Click" handler may release the tree this button is in.
    AddRef();
    ReleaseMouseCapture();
    ClearPressed();
    if (m_bMouseOver)
        OnClick();
    Release();
}

void CZPMarkupButtonBase::OnLostMouseCapture(MarkupMouseEventArgs* /*pArgs*/)
{
    ClearPressed();
}

void CZPMarkupButtonBase::OnClick()
{
    MarkupRoutedEventArgs args = { m_pClickEvent, this, FALSE };
    RaiseEvent(&args);
}

void CZPMarkupButtonBase::SetPressed()
{
    if (m_bPressed)
        return;
    m_bPressed = TRUE;
    SetValue(m_pIsPressedProperty, CZPMarkupBool::CreateTrueValue());
}

void CZPMarkupButtonBase::ClearPressed()
{
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    SetValue(m_pIsPressedProperty, NULL);
    // The mouse left while captured: the input element never saw it go.
    if (!m_bMouseOver && IsMouseOverSet()) {
        SetValue(m_pIsMouseOverProperty, NULL);
        InvalidateVisual();
    }
}

void CZPMarkupButtonBase::OpenTheme()
{
    m_theme.OpenTheme(NULL, L"BUTTON");
}

BOOL CZPMarkupButtonBase::IsVisualStyleInEffect()
{
    return !s_bForceClassicLook && m_theme.GetThemeHandle() != NULL && m_theme.HasAppTheme();
}

int CZPMarkupButtonBase::GetThemeState() const
{
    return IsPressed() ? 3 : IsMouseOverSet() ? 2 : 1;
}

void CZPMarkupButtonBase::RenderFocusRect(CZPMarkupDrawingContext* pContext, const RECT& rc)
{
    HDC hDC = pContext->GetDC();
    const COLORREF clrText = ::SetTextColor(hDC, RGB(255, 255, 255));
    const COLORREF clrBack = ::SetBkColor(hDC, RGB(0, 0, 0));
    ::DrawFocusRect(hDC, &rc);
    ::SetBkColor(hDC, clrBack);
    ::SetTextColor(hDC, clrText);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupButton

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupButton, L"Button", CZPMarkupButtonBase, NULL)

SIZE CZPMarkupButton::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    OpenTheme();
    const CZPMarkupThickness* p = GetPadding();
    const int pw = ZpMarkupAddSaturated(ZpMarkupAddSaturated(p->m_nLeft, p->m_nRight), 2 * kPushChrome);
    const int ph = ZpMarkupAddSaturated(ZpMarkupAddSaturated(p->m_nTop, p->m_nBottom), 2 * kPushChrome);
    CZPMarkupUIElement* pContent = FirstChild(this);
    if (pContent == NULL)
        return SIZE{ pw, ph };
    pContent->Measure(pContext, std::max(0, ZpMarkupAddSaturated(nWidth, -pw)),
                      std::max(0, ZpMarkupAddSaturated(nHeight, -ph)));
    const SIZE sz = pContent->GetDesiredSize();
    return SIZE{ ZpMarkupAddSaturated(sz.cx, pw), ZpMarkupAddSaturated(sz.cy, ph) };
}

SIZE CZPMarkupButton::ArrangeOverride(int nWidth, int nHeight)
{
    CZPMarkupUIElement* pContent = FirstChild(this);
    if (pContent != NULL) {
        RECT rc = { 0, 0, nWidth, nHeight };
        if (IsPressed() && (!IsVisualStyleInEffect() || GetValue(m_pBackgroundProperty) != NULL))
            ::OffsetRect(&rc, 1, 1);
        ZpMarkupDeflateRect(rc, rc.left, rc.top, rc.right, rc.bottom, GetPadding());
        const CZPMarkupThickness chrome(kPushChrome);
        ZpMarkupDeflateRect(rc, rc.left, rc.top, rc.right, rc.bottom, &chrome);
        pContent->Arrange(rc);
    }
    return SIZE{ nWidth, nHeight };
}

void CZPMarkupButton::OnRender(CZPMarkupDrawingContext* pContext)
{
    const int w = m_szRender.cx, h = m_szRender.cy;
    RECT r = { 0, 0, w, h };
    CZPMarkupBrush* pBackground = ZpMarkupCast<CZPMarkupBrush>(GetValue(m_pBackgroundProperty));
    if (pBackground == NULL && IsVisualStyleInEffect()) {
        m_theme.DrawBackground(pContext->GetDC(), kPartPushButton, GetThemeState(), &r, NULL);
        return;
    }
    COLORREF clrLight, clrShadow, clrDark;
    if (pBackground == NULL) {
        clrLight = ::GetSysColor(COLOR_WINDOW);
        clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        clrDark = ::GetSysColor(COLOR_3DDKSHADOW);
        pContext->FillSolidRect(r, ::GetSysColor(COLOR_BTNFACE));
    } else {
        pContext->FillRectangle(r, pBackground);
        const DWORD dwHls = ZpRgbToHls(pBackground->GetColor());
        const DWORD dwHue = dwHls & 0xFF, dwSaturation = (dwHls >> 8) & 0xFF, dwLuminance = (dwHls >> 16) & 0xFF;
        auto hls = [&](DWORD dwL) { return ZpHlsToRgb(dwHue | (dwSaturation << 8) | (dwL << 16)); };
        clrLight = hls((dwLuminance + 240) / 2);
        clrShadow = hls((dwLuminance * 2 + 1) / 3);
        clrDark = RGB(GetRValue(clrShadow) / 2, GetGValue(clrShadow) / 2, GetBValue(clrShadow) / 2);
    }
    if (IsPressed()) {
        CZPMarkupSolidColorBrush* pFrame = new CZPMarkupSolidColorBrush(::GetSysColor(COLOR_WINDOWFRAME));
        pContext->DrawFrame(r, pFrame);
        pFrame->Release();
        ::InflateRect(&r, -1, -1);
        CZPMarkupSolidColorBrush* pShadow = new CZPMarkupSolidColorBrush(clrShadow);
        pContext->DrawFrame(r, pShadow);
        pShadow->Release();
        return;
    }
    pContext->FillSolidRect(RECT{ 0, 0, w, 1 }, clrLight);
    pContext->FillSolidRect(RECT{ 0, 0, 1, h }, clrLight);
    pContext->FillSolidRect(RECT{ 1, h - 2, w - 1, h - 1 }, clrShadow);
    pContext->FillSolidRect(RECT{ w - 2, 1, w - 1, h - 1 }, clrShadow);
    pContext->FillSolidRect(RECT{ 0, h - 1, w - 1, h }, clrDark);
    pContext->FillSolidRect(RECT{ w - 1, 0, w, h }, clrDark);
}

void CZPMarkupButton::OnRenderFocusVisual(CZPMarkupDrawingContext* pContext)
{
    RECT rc = { 0, 0, m_szRender.cx, m_szRender.cy };
    ::InflateRect(&rc, -kPushFocusInset, -kPushFocusInset);
    RenderFocusRect(pContext, rc);
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupToggleButton

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupToggleButton, NULL, CZPMarkupButtonBase, &CZPMarkupToggleButton::RegisterProperties)

CZPMarkupRoutedEvent* CZPMarkupToggleButton::m_pCheckedEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupToggleButton::m_pUncheckedEvent = NULL;
CZPMarkupRoutedEvent* CZPMarkupToggleButton::m_pIndeterminateEvent = NULL;
CZPMarkupDependencyProperty* CZPMarkupToggleButton::m_pIsCheckedProperty = NULL;
CZPMarkupDependencyProperty* CZPMarkupToggleButton::m_pIsThreeStateProperty = NULL;

void CZPMarkupToggleButton::RegisterProperties()
{
    CZPMarkupType* pType = GetClassType();
    m_pCheckedEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"Checked", kZpMarkupEventBubble, pType);
    m_pUncheckedEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"Unchecked", kZpMarkupEventBubble, pType);
    m_pIndeterminateEvent = CZPMarkupRoutedEvent::RegisterRoutedEvent(L"Indeterminate", kZpMarkupEventBubble, pType);
    m_pIsCheckedProperty = CZPMarkupDependencyProperty::Register(
        L"IsChecked", CZPMarkupEnum::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupEnum::CreateValue(checkUnchecked), &ConvertIsChecked,
                                      &CZPMarkupToggleButton::OnIsCheckedChanged, kZpMarkupAffectsRender));
    m_pIsThreeStateProperty = CZPMarkupDependencyProperty::Register(
        L"IsThreeState", CZPMarkupBool::GetClassType(), pType,
        new CZPMarkupPropertyMetadata(CZPMarkupBool::CreateFalseValue(), kZpMarkupAffectsRender));
}

int CZPMarkupToggleButton::GetIsChecked() const
{
    const CZPMarkupEnum* pValue = ZpMarkupCast<CZPMarkupEnum>(GetValue(m_pIsCheckedProperty));
    return pValue != NULL ? pValue->m_nValue : checkUnchecked;
}

void CZPMarkupToggleButton::SetIsChecked(int nValue)
{
    CZPMarkupEnum* pValue = CZPMarkupEnum::CreateValue(nValue);
    if (!SetValue(m_pIsCheckedProperty, pValue))
        pValue->Release();
}

void CZPMarkupToggleButton::OnIsCheckedChanged(CZPMarkupObject* pObject, MarkupPropertyChangedEventArgs* pArgs)
{
    CZPMarkupToggleButton* pButton = ZpMarkupCast<CZPMarkupToggleButton>(pObject);
    if (pButton == NULL)
        return;
    auto state = [](CZPMarkupObject* pValue) {
        const CZPMarkupEnum* pEnum = ZpMarkupCast<CZPMarkupEnum>(pValue);
        return pEnum != NULL ? pEnum->m_nValue : checkUnchecked;
    };
    const int nValue = state(pArgs->pNewValue);
    // Stores of the same state notify too; only changes raise the events.
    if (nValue == state(pArgs->pOldValue))
        return;
    MarkupRoutedEventArgs args = { NULL, pButton, FALSE };
    // Handlers may release the tree.
    pButton->AddRef();
    if (nValue == checkChecked) {
        args.pEvent = m_pCheckedEvent;
        pButton->OnChecked(&args);
    } else if (nValue != checkUnchecked) {
        args.pEvent = m_pIndeterminateEvent;
        pButton->OnIndeterminate(&args);
    } else {
        args.pEvent = m_pUncheckedEvent;
        pButton->OnUnchecked(&args);
    }
    pButton->Release();
}

void CZPMarkupToggleButton::OnClick()
{
    AddRef();
    OnToggle();
    CZPMarkupButtonBase::OnClick();
    Release();
}

void CZPMarkupToggleButton::OnToggle()
{
    const int nChecked = GetIsChecked();
    if (nChecked == checkChecked)
        SetIsChecked(IsTrue(GetValue(m_pIsThreeStateProperty)) ? checkIndeterminate : checkUnchecked);
    else
        SetIsChecked(nChecked == checkIndeterminate ? checkUnchecked : checkChecked);
}

void CZPMarkupToggleButton::OnChecked(MarkupRoutedEventArgs* pArgs)
{
    RaiseEvent(pArgs);
}

void CZPMarkupToggleButton::OnUnchecked(MarkupRoutedEventArgs* pArgs)
{
    RaiseEvent(pArgs);
}

void CZPMarkupToggleButton::OnIndeterminate(MarkupRoutedEventArgs* pArgs)
{
    RaiseEvent(pArgs);
}

RECT CZPMarkupToggleButton::GetGlyphRect() const
{
    const int nTop = m_szRender.cy / 2 - kGlyphSize / 2;
    return RECT{ 0, nTop, kGlyphSize, nTop + kGlyphSize };
}

SIZE CZPMarkupToggleButton::MeasureBeside(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight,
                                          BOOL bMinHeightEmpty)
{
    OpenTheme();
    const CZPMarkupThickness* p = GetPadding();
    const int pw = ZpMarkupAddSaturated(ZpMarkupAddSaturated(p->m_nLeft, p->m_nRight), kGlyphColumn);
    const int ph = ZpMarkupAddSaturated(p->m_nTop, p->m_nBottom);
    CZPMarkupUIElement* pContent = FirstChild(this);
    if (pContent == NULL)
        return SIZE{ pw, bMinHeightEmpty ? std::max(kGlyphSize, ph) : ph };
    pContent->Measure(pContext, std::max(0, ZpMarkupAddSaturated(nWidth, -pw)),
                      std::max(0, ZpMarkupAddSaturated(nHeight, -ph)));
    const SIZE sz = pContent->GetDesiredSize();
    return SIZE{ ZpMarkupAddSaturated(sz.cx, pw), std::max(kGlyphSize, ZpMarkupAddSaturated(sz.cy, ph)) };
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupCheckBox

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupCheckBox, L"CheckBox", CZPMarkupToggleButton, NULL)

SIZE CZPMarkupCheckBox::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    return MeasureBeside(pContext, nWidth, nHeight, FALSE);
}

SIZE CZPMarkupCheckBox::ArrangeOverride(int nWidth, int nHeight)
{
    CZPMarkupUIElement* pContent = FirstChild(this);
    if (pContent != NULL) {
        RECT rc;
        ZpMarkupDeflateRect(rc, 0, 0, nWidth, nHeight, GetPadding());
        rc.left = std::min<LONG>(ZpMarkupAddSaturated(rc.left, kGlyphColumn), std::max(rc.left, rc.right));
        rc.right = std::max(rc.left, rc.right);
        pContent->Arrange(rc);
    }
    return SIZE{ nWidth, nHeight };
}

void CZPMarkupCheckBox::OnRender(CZPMarkupDrawingContext* pContext)
{
    RECT rcGlyph = GetGlyphRect();
    const int nChecked = GetIsChecked();
    if (IsVisualStyleInEffect()) {
        const int s = GetThemeState();
        const int nState = nChecked == checkChecked         ? s + kCheckedStateOffset
                           : nChecked == checkIndeterminate ? s + kMixedStateOffset
                                                            : s;
        m_theme.DrawBackground(pContext->GetDC(), kPartCheckBox, nState, &rcGlyph, NULL);
        return;
    }
    UINT nFlags = DFCS_BUTTONCHECK;
    if (nChecked == checkChecked)
        nFlags |= DFCS_CHECKED;
    else if (nChecked == checkIndeterminate)
        nFlags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (IsPressed())
        nFlags |= DFCS_PUSHED;
    ::DrawFrameControl(pContext->GetDC(), &rcGlyph, DFC_BUTTON, nFlags);
}

void CZPMarkupCheckBox::OnRenderFocusVisual(CZPMarkupDrawingContext* pContext)
{
    if (FirstChild(this) != NULL)
        RenderFocusRect(pContext, RECT{ kGlyphFocusLeft, 0, m_szRender.cx, m_szRender.cy });
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupRadioButton

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupRadioButton, L"RadioButton", CZPMarkupToggleButton, NULL)

SIZE CZPMarkupRadioButton::MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight)
{
    return MeasureBeside(pContext, nWidth, nHeight, TRUE);
}

void CZPMarkupRadioButton::OnRender(CZPMarkupDrawingContext* pContext)
{
    RECT rcGlyph = GetGlyphRect();
    const BOOL bChecked = GetIsChecked() != checkUnchecked;
    if (IsVisualStyleInEffect()) {
        const int s = GetThemeState();
        m_theme.DrawBackground(pContext->GetDC(), kPartRadioButton, bChecked ? s + kCheckedStateOffset : s, &rcGlyph, NULL);
        return;
    }
    UINT nFlags = DFCS_BUTTONRADIO;
    if (bChecked)
        nFlags |= DFCS_CHECKED;
    if (IsPressed())
        nFlags |= DFCS_PUSHED;
    ::DrawFrameControl(pContext->GetDC(), &rcGlyph, DFC_BUTTON, nFlags);
}

void CZPMarkupRadioButton::OnToggle()
{
    SetIsChecked(checkChecked);
}

void CZPMarkupRadioButton::OnChecked(MarkupRoutedEventArgs* pArgs)
{
    if (CZPMarkupVisual* pParent = GetVisualParent()) {
        const int nCount = pParent->GetVisualChildrenCount();
        for (int i = 0; i < nCount; i++) {
            CZPMarkupRadioButton* pSibling = ZpMarkupCast<CZPMarkupRadioButton>(pParent->GetVisualChild(i));
            if (pSibling != NULL && pSibling != this && pSibling->GetIsChecked() != checkUnchecked)
                pSibling->SetIsChecked(checkUnchecked);
        }
    }
    CZPMarkupToggleButton::OnChecked(pArgs);
}
