// The Win32 registry calls of the OS seam run for real (under Wine in the tests): a key opened
// with full access, string values only, their terminating zeros stripped, nothing created by
// opening, and the preference location read from the real registry.
#if defined(_WIN32)
#include <gtest/gtest.h>

#include <string>

#include "client/paths.h"
#include "platform/os.h"

// After our own declarations: <windows.h> defines macros with the names of some of them.
#include <windows.h>

namespace plz {
namespace {

// A key of the test's own under HKEY_CURRENT_USER, removed with everything below it afterwards.
class Win32Registry : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        ::RegCloseKey(key_);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        FreePathCaches();
    }
    void Set(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(::RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size())),
                  ERROR_SUCCESS);
    }

    static constexpr const char* kRoot = "Software\\PlazenRegistryTest";
    static constexpr const char* kKey = "Software\\PlazenRegistryTest\\Section";
    HKEY key_ = nullptr;
};

TEST_F(Win32Registry, StringValuesAreReadWithoutTheirTerminatingZeros) {
    Set("plain", REG_SZ, std::string("abc", 4));
    Set("two zeros", REG_SZ, std::string("abc\0\0", 5));
    Set("no zero", REG_SZ, "abc");
    Set("empty", REG_SZ, std::string(1, '\0'));
    Set("expandable", REG_EXPAND_SZ, std::string("%TEMP%x", 8));
    Set("number", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    Set("bytes", REG_BINARY, "abc");

    os::RegistryKey key = os::native::RegistryOpen(os::RegistryRoot::CurrentUser, kKey);
    ASSERT_NE(key, nullptr);
    const struct {
        const char* name;
        bool found;
        std::string value;
    } cases[] = {
        {"plain", true, "abc"},      {"two zeros", true, "abc"},          {"no zero", true, "abc"},
        {"empty", true, ""},         {"expandable", true, "%TEMP%x"},     {"number", false, "untouched"},
        {"bytes", false, "untouched"}, {"missing", false, "untouched"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string value = "untouched";
        EXPECT_EQ(os::native::RegistryReadString(key, c.name, &value), c.found);
        EXPECT_EQ(value, c.value);
    }

    // Opened with full access: the key takes a written value.
    EXPECT_EQ(::RegSetValueExA(static_cast<HKEY>(key), "written", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 4),
              ERROR_SUCCESS);
    os::native::RegistryClose(key);

    // Opening never creates.
    EXPECT_EQ(os::native::RegistryOpen(os::RegistryRoot::CurrentUser, std::string(kKey) + "\\Absent"), nullptr);
    HKEY absent = nullptr;
    EXPECT_NE(::RegOpenKeyExA(key_, "Absent", 0, KEY_READ, &absent), ERROR_SUCCESS);
}

TEST_F(Win32Registry, PreferenceLocationComesFromTheRealRegistry) {
    HKEY section = nullptr;
    const char* path = "Software\\Vantor2004\\Preference Location";
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &section, nullptr),
              ERROR_SUCCESS);
    const std::string value("Prefs\0", 6);
    ::RegSetValueExA(section, "Application", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()), DWORD(value.size()));
    ::RegCloseKey(section);
    os::ResetAll();
    FreePathCaches();
    EXPECT_EQ(GetPreferenceLocation(), "\\Prefs");
    EXPECT_EQ(GetPreferenceRegistryKey(), "Software\\Prefs\\Coravel");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vantor2004");
}

}  // namespace
}  // namespace plz
#endif
