// Web addresses: the registry reads and the fall-back to a file class's open command.
#include "app_test_support.h"

#include "editor/UrlHelpers.h"

namespace {

const wchar_t kExtension[] = L".tolvane-url-test";
const wchar_t kClass[] = L"TolvaneUrlTest.File";

class UrlTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kExtension);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kClass);
    }
    static void SetDefault(LPCWSTR lpszKey, const std::wstring& value, DWORD cbExtra = sizeof(wchar_t))
    {
        HKEY hKey;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, lpszKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL), 0);
        RegSetValueExW(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() * sizeof(wchar_t)) + cbExtra);
        RegCloseKey(hKey);
    }
};

TEST_F(UrlTest, DefaultValuesAreReadWholeAndTerminated)
{
    CString strValue = L"old";
    EXPECT_NE(ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, kExtension, strValue), 0);
    EXPECT_TRUE(strValue.IsEmpty());

    // Stored without its NUL.
    SetDefault(kExtension, kClass, 0);
    EXPECT_EQ(ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, kExtension, strValue), 0);
    EXPECT_STREQ(strValue.GetString(), kClass);

    // Longer than the buffer: an error, not a cut value.
    SetDefault(kExtension, std::wstring(300, L'x'));
    EXPECT_NE(ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, kExtension, strValue), 0);
    EXPECT_TRUE(strValue.IsEmpty());
}

TEST_F(UrlTest, WhenTheShellCannotOpenTheClassCommandGetsTheAddress)
{
    const std::wstring out = TestFolder() + L"probe.txt";
    DeleteFileW(out.c_str());
    SetEnvironmentVariableW(L"TOLVANE_URL_PROBE_OUT", out.c_str());
    SetDefault(kExtension, kClass);
    const std::wstring command = L"\"" + ExeFolder() + L"app_test_url_probe.exe\" \"%1\" --ignored";
    SetDefault((std::wstring(kClass) + L"\\shell\\open\\command").c_str(), command);

    // A scheme nobody handles: the shell refuses it.
    const wchar_t kUrl[] = L"x-tolvane-none://example.com/page";
    EXPECT_TRUE(OpenUrlInBrowser(NULL, kUrl, SW_SHOW, kExtension));
    std::string line;
    for (int i = 0; i < 200 && (line = ReadFileBytes(out)) == "<missing>"; ++i)
        Sleep(50);
    const std::string expected = Utf8Of(L"\"" + ExeFolder() + L"app_test_url_probe.exe\"  " + kUrl);
    EXPECT_EQ(Utf8Of(std::wstring(reinterpret_cast<const wchar_t*>(line.data()), line.size() / 2)), expected);

    // No class for the extension: nothing starts.
    EXPECT_FALSE(OpenUrlInBrowser(NULL, kUrl, SW_SHOW, L".tolvane-no-class"));
}

}  // namespace
