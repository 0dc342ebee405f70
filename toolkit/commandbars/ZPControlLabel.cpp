// Labels, markup labels and bitmaps.
#include "commandbars/ZPControlLabel.h"

#include "common/ZPImageManager.h"
#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPPaintManager.h"
#include "markup/ZPMarkupApi.h"

IMPLEMENT_DYNCREATE(CZPControlLabel, CZPControl)
IMPLEMENT_DYNCREATE(CZPControlMarkupLabel, CZPControlLabel)
IMPLEMENT_DYNCREATE(CZPControlBitmap, CZPControlLabel)

namespace {
// Measures the markup without any limit.
const int kMarkupUnlimited = 0x7FFFFFFF;
// The icon-set width that asks for the largest icon of an id.
const int kLargestIconWidth = 1;
const COLORREF kKeepTextColor = static_cast<COLORREF>(-1);
}  // namespace

CZPControlLabel::CZPControlLabel()
{
    m_controlType = zpControlLabel;
    m_dwFlags = ZP_LABEL_FLAGS;
}

void CZPControlLabel::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!bKeyboard && IsCustomizeMode() && IsCustomizeMovable())
        OnCustomizeMouseDown(point);
}

CZPControlMarkupLabel::CZPControlMarkupLabel() : m_pElement(NULL) {}

CZPControlMarkupLabel::~CZPControlMarkupLabel()
{
    ZpMarkupFreeElement(&m_pElement);
}

void CZPControlMarkupLabel::OnCaptionChanged()
{
    ZpMarkupFreeElement(&m_pElement);
    // The element keeps its context alive; our count on the context goes right after parsing.
    CZPMarkupContext* pContext = ZpMarkupNewContext(NULL);
    m_pElement = ZpMarkupParseToElement(pContext, GetCaption());
    ZpMarkupFreeContext(&pContext);
}

void CZPControlMarkupLabel::SelectMarkupFont(COLORREF clrText)
{
    CZPPaintManager* pPaintManager = GetPaintManager();
    HFONT hFont = pPaintManager != NULL ? static_cast<HFONT>(pPaintManager->GetRegularFont()->GetSafeHandle())
                                        : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ZpMarkupSetContextFont(ZpMarkupContextOf(m_pElement), hFont, clrText);
}

CSize CZPControlMarkupLabel::GetSize(CDC* pDC)
{
    if (m_pElement == NULL)
        return CZPControlLabel::GetSize(pDC);
    SelectMarkupFont(kKeepTextColor);
    SIZE size = ZpMarkupMeasureSize(m_pElement, kMarkupUnlimited, kMarkupUnlimited);
    return CSize(size.cx, size.cy);
}

void CZPControlMarkupLabel::Draw(CDC* pDC)
{
    if (m_pElement == NULL) {
        CZPControlLabel::Draw(pDC);
        return;
    }
    CZPPaintManager* pPaintManager = GetPaintManager();
    COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    if (pPaintManager != NULL && m_pParent != NULL)
        clrText = pPaintManager->GetStateTextColor(FALSE, FALSE, GetEnabled(), FALSE, FALSE, m_pParent->GetType(),
                                                   m_pParent->GetPosition());
    SelectMarkupFont(clrText);
    ZpMarkupDrawElement(m_pElement, pDC->GetSafeHdc(), &m_rcControl);
}

CSize CZPControlBitmap::GetSize(CDC*)
{
    CZPImageManagerIcon* pIcon = GetImage(kLargestIconWidth);
    return pIcon != NULL ? pIcon->GetExtent() : CSize(0, 0);
}

void CZPControlBitmap::Draw(CDC* pDC)
{
    CZPImageManagerIcon* pIcon = GetImage(kLargestIconWidth);
    if (pIcon != NULL)
        pIcon->DrawNormal(pDC, m_rcControl.left, m_rcControl.top);
}
