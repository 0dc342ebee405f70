// Caption-only controls (kind 8): a plain label, a label drawn from markup and a bitmap. None is
// ever selected; a click matters only as a customize press.
#pragma once

#include "commandbars/ZPControl.h"

class CZPMarkupUIElement;

// Skipped by keyboard navigation, no update request, not movable.
const DWORD ZP_LABEL_FLAGS = zpFlagSkipFocus | zpFlagManualUpdate | zpFlagNoMovable;

class CZPControlLabel : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlLabel)
public:
    CZPControlLabel();
    int GetSelected() const override { return zpSelectionNone; }
    void OnClick(BOOL bKeyboard, CPoint point) override;
};

class CZPControlMarkupLabel : public CZPControlLabel
{
    DECLARE_DYNCREATE(CZPControlMarkupLabel)
public:
    CZPControlMarkupLabel();
    ~CZPControlMarkupLabel() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCaptionChanged() override;
    // The parsed caption; NULL when it is not markup.
    CZPMarkupUIElement* GetMarkupElement() const { return m_pElement; }

private:
    // Sets the element's context font from the paint manager (the GUI font without one).
    void SelectMarkupFont(COLORREF clrText);
    CZPMarkupUIElement* m_pElement;  // owned: one count, released when replaced
};

class CZPControlBitmap : public CZPControlLabel
{
    DECLARE_DYNCREATE(CZPControlBitmap)
public:
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
};
