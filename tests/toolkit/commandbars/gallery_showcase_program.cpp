// Galleries: three on a bar, one per scroll-bar look (themed, flat, classic), a popup bar holding
// a resizable gallery with row buttons (its resize grip at the foot), and a combo box whose gallery
// drop-down is open.
// TOLVANE_TEST_LINGER_MS keeps it on screen (and interactive) that long, for a screenshot.
#include <gtest/gtest.h>

#include "message_pump.h"
#include "showcase_bar.h"

#include "commandbars/ZPCommandBar.h"
#include "commandbars/ZPControlAction.h"
#include "commandbars/ZPControlComboBox.h"
#include "commandbars/ZPControlComboBoxPopupBar.h"
#include "commandbars/ZPControlGallery.h"
#include "commandbars/ZPControlGalleryItems.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPMouseManager.h"
#include "commandbars/ZPPaintManager.h"
#include "commandbars/ZPPopupBar.h"

#include <framework/refptr.h>

namespace {

const int kBarWidth = 640;
const int kBarHeight = 120;
const int kGalleryWidth = 150;
const int kGalleryHeight = 100;
const int kGap = 8;
const int kSwatch = 24;

// Colour swatches: each item's id is its colour.
class CSwatchItems : public CZPControlGalleryItems
{
public:
    BOOL DrawItem(CDC* pDC, CZPControlGallery* pGallery, CZPControlGalleryItem* pItem, CRect rcItem, BOOL bEnabled,
                  BOOL bSelected, BOOL bPressed, BOOL bChecked) override
    {
        if (bSelected || bChecked)
            pGallery->GetPaintManager()->DrawStateRectangle(pDC, rcItem, bSelected, bPressed, bEnabled, bChecked, FALSE,
                                                            2, 5);
        rcItem.DeflateRect(3, 3);
        pDC->FillSolidRect(rcItem, static_cast<COLORREF>(pItem->GetID()));
        pDC->Draw3dRect(rcItem, RGB(96, 96, 96), RGB(96, 96, 96));
        return TRUE;
    }
};

CZPControlGalleryItems* MakeSwatches()
{
    CZPControlGalleryItems* pItems = new CSwatchItems;
    pItems->SetItemSize(CSize(kSwatch, kSwatch));
    pItems->AddLabel(L"Theme colours");
    for (int i = 0; i < 30; ++i) {
        const int r = (i * 53) % 256, g = (i * 97 + 40) % 256, b = (i * 151 + 90) % 256;
        pItems->AddItem(static_cast<int>(RGB(r, g, b)), L"");
    }
    pItems->AddLabel(L"Standard colours");
    for (COLORREF clr : { RGB(192, 0, 0), RGB(255, 0, 0), RGB(255, 192, 0), RGB(255, 255, 0), RGB(146, 208, 80),
                          RGB(0, 176, 80), RGB(0, 176, 240), RGB(0, 112, 192), RGB(0, 32, 96), RGB(112, 48, 160) })
        pItems->AddItem(static_cast<int>(clr), L"");
    return pItems;
}

CZPControlGalleryItems* MakeFontNames()
{
    CZPControlGalleryItems* pItems = new CZPControlGalleryItems;
    pItems->SetItemSize(CSize(0, 22));  // one item a row
    for (LPCWSTR psz : { L"Arial", L"Courier New", L"Georgia", L"Tahoma", L"Times New Roman", L"Verdana" })
        pItems->AddItem(static_cast<int>(pItems->GetItemCount()) + 1, psz);
    return pItems;
}

CZPControlGallery* AddGallery(CZPControls* pControls, CZPControlAction* pAction, int nWidth, int nHeight)
{
    CZPControlGallery* pGallery = static_cast<CZPControlGallery*>(pControls->Append(new CZPControlGallery));
    pGallery->SetAction(pAction);
    pGallery->SetWidth(nWidth);
    pGallery->SetHeight(nHeight);
    pGallery->ShowBorders(TRUE);
    return pGallery;
}

TEST(GalleryShowcase, GalleriesInEachLookInAPopupAndAsTheComboDropDown)
{
    CZPCommandBar* pBar = ZpCreateShowcaseBar(L"Gallery showcase", CRect(20, 20, 20 + kBarWidth, 20 + kBarHeight));
    ASSERT_NE(nullptr, pBar);
    CZPPaintManager* pTheme = pBar->ResolvePaintManager();

    CZPControlActions* pActions = new CZPControlActions(NULL);
    CZPControlGalleryItems* pSwatches = MakeSwatches();
    CZPControlGalleryItems* pFonts = MakeFontNames();
    CZPControlAction* pSwatchAction = pActions->Add(700);
    pSwatchAction->SetItems(pSwatches);
    CZPControlAction* pFontAction = pActions->Add(701);
    pFontAction->SetItems(pFonts);

    // Three galleries on the bar, one scroll-bar look each; the second has a hot item.
    const int styles[] = { kZpScrollStyleThemed, kZpScrollStyleFlat, 4 };
    int x = kGap;
    CZPControlGallery* pGalleries[3] = {};
    for (int i = 0; i < 3; ++i) {
        pGalleries[i] = AddGallery(pBar->GetControls(), pSwatchAction, kGalleryWidth, kGalleryHeight);
        pGalleries[i]->SetScrollBarStyle(styles[i]);
        pGalleries[i]->SetCheckedItem(static_cast<int>(RGB(255, 192, 0)));
        pGalleries[i]->SetRect(CRect(x, kGap, x + kGalleryWidth, kGap + kGalleryHeight));
        x += kGalleryWidth + kGap;
    }
    pGalleries[1]->SetScrollOffset(30);
    pGalleries[2]->SetScrollOffset(60);
    pGalleries[1]->SetSelectedRaw(zpSelectionKeyboard);
    pGalleries[1]->SetHotItem(8);

    // A combo box whose drop-down is a gallery of font names.
    CZPControlComboBox* pCombo = static_cast<CZPControlComboBox*>(pBar->GetControls()->Append(new CZPControlComboBox));
    pCombo->SetID(702);
    pCombo->SetDropDown(TRUE);
    pCombo->SetWidth(kBarWidth - x - kGap);
    CZPControlComboBoxGalleryPopupBar* pDropDown = new CZPControlComboBoxGalleryPopupBar;
    CZPControlGallery* pFontGallery = AddGallery(pDropDown->GetControls(), pFontAction, kBarWidth - x - kGap, 110);
    pFontGallery->ShowBorders(FALSE);
    pCombo->SetCommandBar(pDropDown);
    pDropDown->InternalRelease();
    const CSize szCombo = pTheme->DrawControl(NULL, pCombo, FALSE);
    // At the bar's foot, so that the drop-down opens below the bar.
    pCombo->SetRect(CRect(x, kBarHeight - kGap - szCombo.cy, x + szCombo.cx, kBarHeight - kGap));
    pCombo->SetText(L"Georgia");
    pBar->RedrawWindow();

    // A popup bar holding a gallery with the row buttons of a drop-down gallery.
    CRefPtr<CZPPopupBar> popup = CRefPtr<CZPPopupBar>::Adopt(ZpCreatePopupBar(NULL));
    popup->SetPaintManager(pTheme);
    CZPControlGallery* pPopupGallery = AddGallery(popup->GetControls(), pSwatchAction, 7 * kSwatch + 20, 80);
    CZPPopupBar* pMore = ZpCreatePopupBar(NULL);
    pPopupGallery->SetCommandBar(pMore);
    pMore->InternalRelease();
    pPopupGallery->SetResizable(ZP_GALLERY_RESIZE_WIDTH | ZP_GALLERY_RESIZE_HEIGHT);
    popup->GetControls()->Add(zpControlButton, 703)->SetCaption(L"More Colours...");
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    ASSERT_TRUE(popup->Popup(rcBar.left + kGap, rcBar.bottom + kGap, NULL));
    popup->UpdateWindow();
    EXPECT_EQ(ZP_GALLERY_RESIZE_WIDTH | ZP_GALLERY_RESIZE_HEIGHT, popup->GetGripMode());

    pCombo->OnClick(FALSE, pCombo->GetRect().BottomRight() - CSize(3, 3));
    ASSERT_TRUE(pCombo->IsPopuped());
    ASSERT_TRUE(::IsWindowVisible(pDropDown->GetSafeHwnd()));
    EXPECT_EQ(2, pFontGallery->GetHotItem());  // "Georgia", from the combo's text
    pDropDown->UpdateWindow();

    LingerForScreenshot(pBar->GetSafeHwnd());
    pDropDown->EndTracking();
    EXPECT_FALSE(pCombo->IsPopuped());
    popup->EndTracking();
    popup.Reset();
    pBar->DestroyWindow();
    pBar->InternalRelease();
    pSwatches->InternalRelease();
    pFonts->InternalRelease();
    pActions->InternalRelease();
    EXPECT_EQ(0, ZpMouseManager()->GetModalCounter());
}

}  // namespace
