// A control that opens a popup bar (kinds 2, 3 and 4). It holds its popup bar; opening, hover
// and keyboard handling are not built yet.
#pragma once

#include "commandbars/ZPControlButton.h"

class CZPControlPopup : public CZPControlButton
{
    DECLARE_DYNCREATE(CZPControlPopup)
public:
    CZPControlPopup();
    ~CZPControlPopup() override;

    // Releases the current popup bar and keeps a reference of its own on the new one.
    void SetCommandBar(CZPCommandBar* pBar);
    CZPCommandBar* GetCommandBar() const override;
    // Non-recursive copies share the source's popup bar; recursive ones copy its controls.
    void Copy(CZPControl* pSource, BOOL bRecursive) override;

private:
    CRefPtr<CZPCommandBar> m_pCommandBar;
};
