// The registry-key holder: an owned key is closed when the holder lets go, a borrowed one stays open.
#include <framework/regkey.h>

#include <gtest/gtest.h>

#include <stdio.h>

namespace {

BOOL IsOpen(HKEY hKey)
{
    DWORD nSubKeys = 0;
    return ::RegQueryInfoKeyW(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL) ==
           ERROR_SUCCESS;
}

TEST(RegKeyHolder, ClosesOnlyWhatItOwns)
{
    wchar_t szKey[64];
    swprintf(szKey, 64, L"Software\\TolvaneTests\\RegKey%lu", ::GetCurrentProcessId());
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, szKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL));
    {
        CRegKeyHolder borrowed(hKey, FALSE);
        EXPECT_EQ(hKey, static_cast<HKEY>(borrowed));
    }
    EXPECT_TRUE(IsOpen(hKey));

    CRegKeyHolder sub;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(hKey, L"Sub", 0, NULL, 0, KEY_ALL_ACCESS, NULL, sub.Receive(), NULL));
    HKEY hSub = sub;
    EXPECT_TRUE(IsOpen(hSub));
    sub.Attach(hKey);  // closes Sub and owns the parent from here on
    EXPECT_FALSE(IsOpen(hSub));
    EXPECT_TRUE(IsOpen(hKey));

    EXPECT_EQ(ERROR_SUCCESS, ::RegDeleteTreeW(HKEY_CURRENT_USER, szKey));
    sub.Close();
    EXPECT_FALSE(IsOpen(hKey));
    EXPECT_EQ(nullptr, static_cast<HKEY>(sub));
}

}  // namespace
