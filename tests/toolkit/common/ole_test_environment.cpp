// The system XML parser is a COM object: the test program initialises OLE as the application does.
#include <framework.h>

#include <ole2.h>

#include <gtest/gtest.h>

namespace {

class COleEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(NULL))); }
    void TearDown() override { OleUninitialize(); }
};

const ::testing::Environment* const g_pOleEnvironment = ::testing::AddGlobalTestEnvironment(new COleEnvironment);

}  // namespace
