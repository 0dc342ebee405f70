// A program's view of the controls: the library linked the ordinary way (no whole archive) and
// OLE initialised, buttons created and released directly and through a collection, nothing drawn.
// With a COM apartment the accessible interface's disconnection in the destructor must not
// bring the count back to zero a second time.
#include <gtest/gtest.h>

#include "commandbars/ZPControlButton.h"
#include "commandbars/ZPControls.h"

namespace {

TEST(ControlLifetimeProgram, ButtonCreatedAndReleasedDirectly)
{
    CZPControlButton* pButton = new CZPControlButton;
    EXPECT_EQ(1, pButton->m_dwRef);
    EXPECT_EQ(zpControlButton, pButton->GetType());
    pButton->InternalRelease();
}

TEST(ControlLifetimeProgram, ButtonsCreatedAndReleasedThroughACollection)
{
    CRefPtr<CZPControls> controls = CRefPtr<CZPControls>::Adopt(new CZPControls);
    CZPControl* pButton = controls->Add(zpControlButton, 100);
    ASSERT_NE(nullptr, pButton);
    EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(CZPControlButton)));
    EXPECT_NE(nullptr, controls->Add(zpControlCheckBox, 101));
    controls->Remove(pButton);
    EXPECT_EQ(1, controls->GetCount());
}

}  // namespace
