// The image element: one picture from a file ("file://"), a program resource ("res://name",
// "res://#130") or an image manager's icon by command id, scaled by "Stretch".
#pragma once

#include "markup/ZPMarkupVisual.h"

#include <string>

class CZPImageManager;
class CZPImageManagerIcon;

class CZPMarkupImage : public CZPMarkupFrameworkElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CZPMarkupImage();
    ~CZPMarkupImage() override;

    SIZE MeasureOverride(CZPMarkupDrawingContext* pContext, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CZPMarkupDrawingContext* pContext) override;

    // The picture's natural size scaled into the constraint; a side above 32000 is unconstrained.
    SIZE ComputeSize(int nWidth, int nHeight) const;
    CZPImageManagerIcon* GetImage() const { return m_pImage; }
    CZPImageManager* GetImageManager() const { return m_pImageManager; }
    // How many times a source was read into a manager: for the tests of the reload rule.
    int GetLoadCount() const { return m_nLoads; }

    static CZPMarkupDependencyProperty* m_pSourceProperty;
    static CZPMarkupDependencyProperty* m_pStretchProperty;
    static void RegisterProperties();

private:
    void Load(LPCWSTR lpszSource);
    void LoadBitmap(HBITMAP hBitmap, BOOL bAlpha);
    void ReleaseImage();
    void SelectImage(int nWidth);

    CZPImageManager* m_pImageManager;  // one count
    CZPImageManagerIcon* m_pImage;     // one count
    UINT m_nCommand;                   // the icon's id in the manager
    std::wstring m_strLoaded;          // the source the manager holds
    BOOL m_bLoaded;
    int m_nSelectedWidth;
    int m_nLoads;
};
