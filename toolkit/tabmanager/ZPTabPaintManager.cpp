// The tab paint manager: options, fonts, sets, automatic colours and the registered strips.
#include "tabmanager/ZPTabPaintManager.h"

#include "common/ZPColorManager.h"
#include "common/ZPDeviceContext.h"
#include "common/ZPDrawHelpers.h"
#include "common/ZPSystemHelpers.h"
#include "tabmanager/ZPTabAppearanceSet.h"
#include "tabmanager/ZPTabColorSet.h"
#include "tabmanager/ZPTabManagerItem.h"
#include "tabmanager/ZPTabManagerNavigateButton.h"

namespace {

const COLORREF kAutomaticColors[ZP_TAB_AUTOMATIC_COLOR_COUNT] = { 0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0,
                                                                  0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8 };

const int kDefaultFixedItemLength = 70;
const int kDefaultTextMargin = 6;
const int kWeightNormal = 400;
const int kWeightBold = 700;
// Vertical captions run downwards with the glyph tops to the right.
const int kVerticalEscapement = 2700;
const int kVerticalOrientation = 900;
// Vertical fonts smaller than this are unreadable: heights -1..-10 become -11.
const LONG kMinVerticalHeight = -11;
const int kFocusRectInset = 3;
// Depth a static frame takes around the control, for tabs on top.
const int kStaticFrameLeft = 2, kStaticFrameTop = 1, kStaticFrameRight = 2, kStaticFrameBottom = 2;

}  // namespace

COLORREF ZpGetTabAutomaticColor(COLORREF clr)
{
    if (clr >= ZP_TAB_AUTOMATIC_COLOR && clr < ZP_TAB_AUTOMATIC_COLOR + ZP_TAB_AUTOMATIC_COLOR_COUNT)
        return kAutomaticColors[clr - ZP_TAB_AUTOMATIC_COLOR];
    return clr;
}

void ZpTabInflateRectForPosition(CRect& rc, const CRect& rcMargin, int nPosition)
{
    switch (nPosition) {
    case zpTabPositionLeft:
        rc.InflateRect(rcMargin.top, rcMargin.left, rcMargin.bottom, rcMargin.right);
        break;
    case zpTabPositionBottom:
        rc.InflateRect(rcMargin.left, rcMargin.bottom, rcMargin.right, rcMargin.top);
        break;
    case zpTabPositionRight:
        rc.InflateRect(rcMargin.bottom, rcMargin.left, rcMargin.top, rcMargin.right);
        break;
    default:
        rc.InflateRect(rcMargin.left, rcMargin.top, rcMargin.right, rcMargin.bottom);
        break;
    }
}

void ZpTabDeflateRectForPosition(CRect& rc, const CRect& rcMargin, int nPosition)
{
    ZpTabInflateRectForPosition(rc, CRect(-rcMargin.left, -rcMargin.top, -rcMargin.right, -rcMargin.bottom), nPosition);
}

void ZpTabNormalizeRect(CRect& rc)
{
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

CZPTabPaintManager::CZPTabPaintManager()
    : m_bHotTracking(FALSE), m_bShowIcons(TRUE), m_bBoldSelected(FALSE), m_bBoldNormal(FALSE), m_bUseItemColors(FALSE),
      m_nClientFrame(0), m_bStaticFrame(FALSE), m_rcClientMargin(0, 0, 0, 0), m_rcControlMargin(0, 0, 0, 0),
      m_rcButtonMargin(0, 0, 0, 0), m_rcTextMargin(kDefaultTextMargin, 0, kDefaultTextMargin, 0),
      m_bInvertGradient(FALSE), m_bFillBackground(TRUE), m_szIcon(16, 16), m_bMiddleEllipsis(FALSE),
      m_bEndEllipsis(TRUE), m_bNoPrefix(TRUE), m_nTextFormat(DT_VCENTER), m_bHidePrefix(FALSE),
      m_bMultiRowFixedSelection(FALSE), m_bMultiRowJustified(TRUE), m_bDrawFocusRect(TRUE), m_bSelectOnDragOver(TRUE),
      m_nExtraItemLength(0), m_bSelectOnButtonDown(TRUE), m_bClearTypeText(FALSE), m_bRotateIcons(FALSE),
      m_bClipHeader(TRUE), m_szNavigateButton(kZpTabNavigateButtonWidth, kZpTabNavigateButtonHeight), m_bShowTabs(TRUE),
      m_nMinItemLength(0), m_nMaxItemLength(0), m_nFixedItemLength(kDefaultFixedItemLength), m_nToolTipMode(2),
      m_bUseSystemFont(TRUE), m_nAppearance(0), m_nColor(zpTabColorDefault), m_nLayout(zpTabLayoutAutoSize),
      m_nPosition(zpTabPositionTop), m_bThemeColorsDisabled(FALSE), m_nAutomaticColorCounter(0), m_pAppearanceSet(NULL),
      m_pColorSet(NULL)
{
    SetAppearance(zpTabAppearancePropertyPage);
    RefreshMetrics();
}

CZPTabPaintManager::~CZPTabPaintManager()
{
    delete m_pAppearanceSet;
    delete m_pColorSet;
}

CZPTabPaintManager::CAppearanceSet* CZPTabPaintManager::SetAppearance(int nAppearance)
{
    m_nAppearance = nAppearance;
    CAppearanceSet* pSet = NULL;
    switch (nAppearance) {
    case zpTabAppearancePropertyPageSelected:
        pSet = new CAppearanceSetPropertyPageSelected();
        break;
    case zpTabAppearancePropertyPageFlat:
        pSet = new CAppearanceSetPropertyPageFlat();
        break;
    case zpTabAppearancePropertyPage2003:
        pSet = new CAppearanceSetPropertyPage2003();
        break;
    case zpTabAppearanceStateButtons:
        pSet = new CAppearanceSetStateButtons();
        break;
    case zpTabAppearanceVisualStudio:
        pSet = new CAppearanceSetVisualStudio();
        break;
    case zpTabAppearanceFlat:
        pSet = new CAppearanceSetFlat();
        break;
    case zpTabAppearanceExcel:
        pSet = new CAppearanceSetExcel();
        break;
    case zpTabAppearanceVisio:
        pSet = new CAppearanceSetVisio();
        break;
    case zpTabAppearanceVisualStudio2005:
        pSet = new CAppearanceSetVisualStudio2005();
        break;
    case zpTabAppearancePropertyPage2007:
        pSet = new CAppearanceSetPropertyPage2007();
        break;
    case zpTabAppearancePropertyPageAccess2007:
        pSet = new CAppearanceSetPropertyPageAccess2007();
        break;
    default:
        pSet = new CAppearanceSetPropertyPage();
        break;
    }
    SetAppearanceSetObject(pSet);
    return m_pAppearanceSet;
}

CZPTabPaintManager::CAppearanceSet* CZPTabPaintManager::SetAppearanceSetObject(CAppearanceSet* pAppearanceSet)
{
    if (pAppearanceSet != NULL) {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pAppearanceSet;
        m_pAppearanceSet->m_pPaintManager = this;
        m_pAppearanceSet->RefreshMetrics();
        SetColor(m_pAppearanceSet->GetDefaultColorSet());
    }
    RefreshAll();
    return m_pAppearanceSet;
}

CZPTabPaintManager::CColorSet* CZPTabPaintManager::SetColor(int nColor)
{
    m_nColor = nColor;
    CColorSet* pSet = NULL;
    switch (nColor) {
    case zpTabColorVisualStudio:
        pSet = new CColorSetVisualStudio();
        break;
    case zpTabColorOffice2003:
        pSet = new CColorSetOffice2003();
        break;
    case zpTabColorWinXP:
        pSet = new CColorSetWinXP();
        break;
    case zpTabColorWhidbey:
        pSet = new CColorSetWhidbey();
        break;
    case zpTabColorOffice2007:
        pSet = new CColorSetOffice2007();
        break;
    case zpTabColorVisualStudio2008:
        pSet = new CColorSetVisualStudio2008();
        break;
    case zpTabColorAccess2007:
        pSet = new CColorSetAccess2007();
        break;
    default:
        pSet = new CColorSetDefault();
        break;
    }
    SetColorSetObject(pSet);
    return m_pColorSet;
}

CZPTabPaintManager::CColorSet* CZPTabPaintManager::SetColorSetObject(CColorSet* pColorSet)
{
    if (pColorSet != NULL) {
        delete m_pColorSet;
        m_pColorSet = pColorSet;
        m_pColorSet->m_pPaintManager = this;
        m_pColorSet->RefreshMetrics();
    }
    RefreshAll();
    return m_pColorSet;
}

void CZPTabPaintManager::SetLayout(int nLayout)
{
    m_nLayout = nLayout;
    RefreshAll();
}

void CZPTabPaintManager::SetPosition(int nPosition)
{
    m_nPosition = nPosition;
    RefreshAll();
}

void CZPTabPaintManager::SetThemeColorsDisabled(BOOL bDisabled)
{
    m_bThemeColorsDisabled = bDisabled;
    RefreshMetrics();
    RefreshAll();
}

BOOL CZPTabPaintManager::AreThemeColorsDisabled() const
{
    return m_bThemeColorsDisabled || ZpColorManagerInstance().AreThemeColorsDisabled();
}

void CZPTabPaintManager::SetFontIndirect(const LOGFONTW* pLogFont, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    if (pLogFont == NULL)
        return;
    LOGFONTW lf = *pLogFont;
    if (m_bClearTypeText && ZpOsVersionInstance().IsVersionXPOrLater())
        lf.lfQuality = CLEARTYPE_QUALITY;

    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVerticalNormal.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    lf.lfWeight = m_bBoldNormal ? kWeightBold : kWeightNormal;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = kWeightBold;
    m_fntBold.CreateFontIndirect(&lf);

    CString strFace;
    ZpChooseDefaultFontFace(strFace, TRUE);
    ::lstrcpynW(lf.lfFaceName, strFace, LF_FACESIZE);
    lf.lfOrientation = kVerticalOrientation;
    lf.lfEscapement = kVerticalEscapement;
    if (lf.lfHeight < 0 && lf.lfHeight > kMinVerticalHeight)
        lf.lfHeight = kMinVerticalHeight;
    lf.lfWeight = m_bBoldNormal ? kWeightBold : kWeightNormal;
    m_fntVerticalNormal.CreateFontIndirect(&lf);
    lf.lfWeight = kWeightBold;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

BOOL CZPTabPaintManager::IsVerticalText(const CZPTabManager* pManager) const
{
    BOOL bVertical = !pManager->IsHorizontal();
    return bVertical != (m_nLayout == zpTabLayoutRotated);
}

CFont* CZPTabPaintManager::GetItemFont(const CZPTabManagerItem* pItem)
{
    CZPTabManager* pManager = pItem->GetTabManager();
    BOOL bVertical = pManager != NULL && IsVerticalText(pManager);
    BOOL bBold = m_bBoldSelected && pManager != NULL && pItem->IsSelected() && pManager->IsActive();
    if (bVertical)
        return bBold ? &m_fntVerticalBold : &m_fntVerticalNormal;
    return bBold ? &m_fntBold : &m_fntNormal;
}

COLORREF CZPTabPaintManager::NextAutomaticColor()
{
    COLORREF clr =
        ZP_TAB_AUTOMATIC_COLOR + static_cast<COLORREF>(m_nAutomaticColorCounter % ZP_TAB_AUTOMATIC_COLOR_COUNT);
    // Wrap within the eight colours so that the counter can never overflow.
    m_nAutomaticColorCounter = (m_nAutomaticColorCounter + 1) % ZP_TAB_AUTOMATIC_COLOR_COUNT;
    return clr;
}

void CZPTabPaintManager::AddTabManager(CZPTabManagerAtom* pAtom)
{
    for (INT_PTR i = 0; i < m_arrAtoms.GetSize(); i++)
        if (m_arrAtoms[i] == pAtom)
            return;
    m_arrAtoms.Add(pAtom);
}

void CZPTabPaintManager::RemoveTabManager(CZPTabManagerAtom* pAtom)
{
    for (INT_PTR i = 0; i < m_arrAtoms.GetSize(); i++) {
        if (m_arrAtoms[i] == pAtom) {
            m_arrAtoms.RemoveAt(i);
            return;
        }
    }
}

void CZPTabPaintManager::RefreshMetrics()
{
    if (m_bUseSystemFont) {
        LOGFONTW lf = {};
        if (ZpGetIconTitleFont(&lf))
            SetFontIndirect(&lf, TRUE);
    }
    if (m_pColorSet != NULL)
        m_pColorSet->RefreshMetrics();
    if (m_pAppearanceSet != NULL)
        m_pAppearanceSet->RefreshMetrics();
}

void CZPTabPaintManager::RefreshAll()
{
    // A strip may unregister itself while it is repositioned: walk a copy.
    CArray<CZPTabManagerAtom*, CZPTabManagerAtom*> arrAtoms;
    arrAtoms.Copy(m_arrAtoms);
    for (INT_PTR i = 0; i < arrAtoms.GetSize(); i++)
        arrAtoms[i]->OnPropertyChanged();
}

void CZPTabPaintManager::DrawTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    m_pAppearanceSet->DrawTabControl(pManager, pDC, rcControl);
}

CRect ZpTabStaticFrameMargin()
{
    return CRect(kStaticFrameLeft, kStaticFrameTop, kStaticFrameRight, kStaticFrameBottom);
}

void CZPTabPaintManager::AdjustClientRect(CZPTabManager* pManager, CRect& rcClient)
{
    if (pManager->HasStaticFrame())
        ZpTabDeflateRectForPosition(rcClient, ZpTabStaticFrameMargin(), pManager->GetPosition());
    if (pManager->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pManager, rcClient);
    ZpTabNormalizeRect(rcClient);
}

void CZPTabPaintManager::RepositionTabControl(CZPTabManager* pManager, CDC* pDC, CRect rcClient)
{
    // A control smaller than nothing lays out as an empty one.
    ZpTabNormalizeRect(rcClient);
    pManager->HeaderRect().SetRectEmpty();
    pManager->ControlRect() = rcClient;
    pManager->ClientRect() = rcClient;
    pManager->SetRowCount(1);
    ZP_TAB_ROW& row = pManager->GetRow(0);
    row.nFirstItem = 0;
    row.nLastItem = pManager->GetItemCount() - 1;
    for (int i = 0; i < pManager->GetItemCount(); i++)
        pManager->GetItem(i)->SetRow(0);
    m_pAppearanceSet->RepositionTabControl(pManager, pDC, rcClient);
    RepositionItemButtons(pManager);
    AdjustClientRect(pManager, pManager->ClientRect());
}

void CZPTabPaintManager::DrawNavigateButton(CDC* pDC, CZPTabManagerNavigateButton* pButton, CRect& rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
    COLORREF clrGlyph = pDC->GetTextColor();
    CZPPenDC pen(pDC->GetSafeHdc(), clrGlyph);
    if (pButton->IsEnabled()) {
        CZPBrushDC brush(pDC->GetSafeHdc(), clrGlyph);
        pButton->DrawGlyph(pDC, rc);
    } else {
        // Disabled glyphs are outlined only.
        HGDIOBJ hOldBrush = pDC->SelectObject(::GetStockObject(NULL_BRUSH));
        pButton->DrawGlyph(pDC, rc);
        pDC->SelectObject(hOldBrush);
    }
}

void CZPTabPaintManager::DrawFocusRect(CDC* pDC, CZPTabManagerItem* /*pItem*/, CRect rcItem)
{
    if (!m_bDrawFocusRect)
        return;
    rcItem.DeflateRect(kFocusRectInset, kFocusRectInset);
    COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));
    COLORREF clrOldBack = pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rcItem);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
}

int CZPTabPaintManager::ClampItemLength(int nLength, int nMin, int nMax) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (nMin > 0 && nLength < nMin)
        nLength = nMin;
    if (nMax > 0 && nLength > nMax)
        nLength = nMax;
    return nLength;
}
