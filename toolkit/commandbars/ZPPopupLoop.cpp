// The popup loop.
#include "commandbars/ZPPopupLoop.h"

#include "commandbars/ZPCommandBar.h"
#include "common/ZPTrackingLoop.h"

#include <framework/messages.h>

namespace {
class CPopupLoop : public CZPTrackingLoop
{
public:
    explicit CPopupLoop(CZPCommandBar* pBar) : CZPTrackingLoop(pBar->GetSafeHwnd(), 0), m_pBar(pBar) {}

protected:
    BOOL IsTracking() const override { return m_pBar->GetTrackingMode() != 0; }
    BOOL OnMessage(const MSG& msg) override
    {
        // A message sent while waiting may have ended tracking: this one belongs to the outer loop.
        if (!IsTracking()) {
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            return FALSE;
        }
        if (msg.message == WM_KICKIDLE)
            return TRUE;
        MSG copy = msg;
        if (!AfxPreTranslateMessage(&copy))
            Dispatch(copy);
        return TRUE;
    }

private:
    CZPCommandBar* m_pBar;  // borrowed: the caller holds a reference for the loop's life
};
}  // namespace

void ZpRunPopupLoop(CZPCommandBar* pBar)
{
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    CRefPtr<CZPCommandBar> hold = CRefPtr<CZPCommandBar>::AddRef(pBar);
    CPopupLoop loop(pBar);
    loop.Run();
}
