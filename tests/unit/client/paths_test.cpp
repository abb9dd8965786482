// Preference location and folders from a temporary registry tree and installation, the locale
// mapping, help-file lookup, and the small system services.
#include <gtest/gtest.h>

#include "client/client_api.h"
#include "client/paths.h"
#include "frame/errors.h"
#include "tests/unit/client/host_files.h"

namespace plz {
namespace {

using os::RegistryRoot;
namespace fs = std::filesystem;
constexpr char kSep = os::kPathSeparator;

std::string Upper(std::string s) {
#if defined(_WIN32)
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
#endif
    return s;
}

uint32_t g_locale = 1033;
uint32_t TestLocale() { return g_locale; }
uint8_t PLZ_STDCALL HostSaysTrue() { return 1; }
ModuleHandle MainProgram(const char* name) { return name ? nullptr : reinterpret_cast<ModuleHandle>(0x1000); }
void* UseSystemLocale(ModuleHandle, const char* name) {
    return std::string(name) == "ClientAPI_GetUseSystemLocaleLanguage" ? reinterpret_cast<void*>(HostSaysTrue)
                                                                       : nullptr;
}

class PathsTest : public test::HostFilesTest {
protected:
    void SetUp() override {
        HostFilesTest::SetUp();
        FreePathCaches();
        UnbindHostAPIs();
        g_locale = 1033;
        os::calls().SystemLocale = TestLocale;
    }
    void TearDown() override {
        FreePathCaches();
        UnbindHostAPIs();
        HostFilesTest::TearDown();
    }
    void UseSystemLocaleLanguage() {
        os::calls().FindLoadedModule = MainProgram;
        os::calls().FindExport = UseSystemLocale;
        BindClientAPI();
    }
    std::string System() const { return Upper(install) + "System" + kSep; }
    std::string Resources() const { return System() + "Resources" + kSep; }
};

TEST_F(PathsTest, PreferenceLocationSources) {
    struct Case {
        const char* what;
        bool registryKey, registrySection;
        const char* registryValue;  // null: none
        const char* iniText;        // null: no PrefFolder.ini
        const char* expected;
    } cases[] = {
        {"nothing", false, false, nullptr, nullptr, "Vantor2004"},
        {"registry", true, true, "RegPrefs", nullptr, "RegPrefs"},
        {"file", false, false, nullptr, "[Preference Location]\r\nApplication=Prefs\r\n", "Prefs"},
        {"registry wins", true, true, "RegPrefs", "[Preference Location]\nApplication=Prefs\n", "RegPrefs"},
        {"key without section", true, false, nullptr, "[Preference Location]\nApplication=Prefs\n", "Prefs"},
        {"section without value", true, true, nullptr, "[Preference Location]\nApplication=Prefs\n", "Prefs"},
        {"file without key", false, false, nullptr, "[Preference Location]\nOther=Prefs\n", "Vantor2004"},
        {"file without section", false, false, nullptr, "[Other]\nApplication=Prefs\n", "Vantor2004"},
        {"file in other case", false, false, nullptr, "; comment\n[preference LOCATION]\n  application = Prefs \n",
         "Prefs"},
    };
    for (const Case& c : cases) {
        fs::remove_all(root / "registry");
        fs::remove_all(root / "install");
        fs::create_directories(root / "registry");
        FreePathCaches();
        if (c.registrySection)
            SetRegistry(RegistryRoot::CurrentUser, "Software\\Vantor2004\\Preference Location",
                                             c.registryValue ? "Application" : "", c.registryValue ? c.registryValue : "");
        else if (c.registryKey)
            SetRegistry(RegistryRoot::CurrentUser, "Software\\Vantor2004");
        if (c.iniText) WriteFile(install + "System", "PrefFolder.ini", c.iniText);

        EXPECT_EQ(GetPreferenceLocation(), std::string("\\") + c.expected) << c.what;
        EXPECT_EQ(GetPreferenceRegistryKey(), std::string("Software\\") + c.expected + "\\Coravel") << c.what;
        const std::string folder = appData + kSep + c.expected;
        EXPECT_EQ(GetPreferenceFolder(), folder + kSep) << c.what;
        EXPECT_TRUE(fs::is_directory(folder)) << c.what;
        // Reading the preference never creates registry keys.
        EXPECT_EQ(RegistryKeyExists(RegistryRoot::CurrentUser, "Software\\Vantor2004"), c.registryKey) << c.what;
    }
}

TEST_F(PathsTest, PreferenceLocationIsFixedOnceFound) {
    EXPECT_EQ(GetPreferenceLocation(), "\\Vantor2004");
    SetRegistry(RegistryRoot::CurrentUser, "Software\\Vantor2004\\Preference Location", "Application", "Later");
    EXPECT_EQ(GetPreferenceLocation(), "\\Vantor2004");
    FreePathCaches();
    EXPECT_EQ(GetPreferenceLocation(), "\\Later");
}

std::vector<std::string> g_made;
std::string NoAppData() { return {}; }
bool NoDirectory(const std::string&) { return false; }
bool RecordMakeDirectory(const std::string& path) {
    g_made.push_back(path);
    return false;
}

TEST_F(PathsTest, PreferenceFolderWithoutApplicationDataIsTheLocationAlone) {
    g_made.clear();
    os::calls().AppDataFolder = NoAppData;
    os::calls().DirectoryExists = NoDirectory;
    os::calls().MakeDirectory = RecordMakeDirectory;
    const std::string location = std::string(1, kSep) + "Vantor2004";
    EXPECT_EQ(GetPreferenceFolder(), location + kSep);  // the failed creation is ignored
    EXPECT_EQ(g_made, std::vector<std::string>{location});
}

TEST_F(PathsTest, InstallationFolders) {
    EXPECT_EQ(GetInstallationFolder(), Upper(install));
    EXPECT_EQ(GetSystemFolder(), System());
    EXPECT_EQ(GetResourcesFolder(), Resources());
    EXPECT_EQ(GetHelpFolder(), Upper(install) + "Help" + kSep);
    // The host does not use the system locale: the localized resources are the system folder's.
    EXPECT_EQ(GetLocalizedResourcesFolder(), System());
    EXPECT_EQ(GetLocalizedHelpFolder(), System() + "Help" + kSep);
}

TEST_F(PathsTest, LocalizedResourcesFollowTheLanguageMappings) {
    UseSystemLocaleLanguage();
    WriteFile(Resources(), "LanguageMappings.dat", "3076=1028\r\nx=5\r\n 2052 = 2052\r\n=7\r\n1=2=3\r\n");
    g_locale = 3076;  // 0x0C04: primary language 4
    EXPECT_EQ(GetMappedLocaleId(), 1028u);
    EXPECT_EQ(GetPrimaryLocaleId(), 4u);
    // The mapped folder is missing: the primary locale's, whether it exists or not.
    EXPECT_EQ(GetLocalizedResourcesFolder(), Resources() + "4" + kSep);
    fs::create_directories(Resources() + "1028");
    EXPECT_EQ(GetLocalizedResourcesFolder(), Resources() + "1028" + kSep);

    g_locale = 2052;
    EXPECT_EQ(GetMappedLocaleId(), 2052u);
    g_locale = 5;  // "x=5" was skipped, not read as a mapping
    EXPECT_EQ(GetMappedLocaleId(), 5u);
    // The file is read once per process.
    fs::remove(Resources() + "LanguageMappings.dat");
    g_locale = 3076;
    EXPECT_EQ(GetMappedLocaleId(), 1028u);
}

TEST_F(PathsTest, MissingMappingsAreTriedOnce) {
    g_locale = 3076;
    EXPECT_FALSE(LoadLanguageMappings());
    EXPECT_EQ(GetMappedLocaleId(), 3076u);
    WriteFile(Resources(), "LanguageMappings.dat", "3076=1028\n");
    EXPECT_EQ(GetMappedLocaleId(), 3076u);
    EXPECT_TRUE(LoadLanguageMappings());
    EXPECT_EQ(GetMappedLocaleId(), 1028u);
}

TEST_F(PathsTest, MappingLinesEndInCrLfLfOrCr) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        FreePathCaches();
        WriteFile(Resources(), "LanguageMappings.dat", std::string("3076=1028") + end + end + "2052=1041" + end + "7=8");
        for (auto [from, to] : {std::pair{3076u, 1028u}, {2052u, 1041u}, {7u, 8u}}) {
            g_locale = from;
            EXPECT_EQ(GetMappedLocaleId(), to);
        }
    }
}

int g_mappingReads = 0;
bool FailingRead(const std::string& path, std::string*) {
    g_mappingReads += path.ends_with("LanguageMappings.dat");
    return false;
}

TEST_F(PathsTest, UnreadableMappingsGiveNoneAndAreNotReadAgain) {
    WriteFile(Resources(), "LanguageMappings.dat", "3076=1028\n");
    os::ScopedOverride read(os::calls().ReadFileBytes, &FailingRead);
    g_locale = 3076;
    g_mappingReads = 0;
    EXPECT_EQ(GetMappedLocaleId(), 3076u);
    EXPECT_EQ(GetMappedLocaleId(), 3076u);
    EXPECT_EQ(g_mappingReads, 1);
    EXPECT_FALSE(LoadLanguageMappings());
}

TEST_F(PathsTest, LocateHelpFile) {
    UseSystemLocaleLanguage();
    const std::string withFolder = std::string("docs") + kSep + "Manual.chm";
    EXPECT_EQ(LocateHelpFile(withFolder), withFolder);
    const std::string help = Upper(install) + "Help" + kSep;
    EXPECT_EQ(LocateHelpFile("Plazen.chm"), help + "Plazen.chm");  // neither copy exists
    const std::string localizedHelp = Resources() + "1033" + kSep + "Help" + kSep;
    WriteFile(localizedHelp, "Plazen.chm", "x");
    EXPECT_EQ(LocateHelpFile("Plazen.chm"), localizedHelp + "Plazen.chm");
    EXPECT_EQ(LocateHelpFile("Other.chm"), help + "Other.chm");
}

os::OsVersionInfo g_version;
os::OsVersionInfo TestVersion() { return g_version; }
int g_keyDown = 0;
bool TestKeyDown(int key) { return key == g_keyDown; }
os::FileVersionResult g_fileVersion;
std::string g_versionAsked;
os::FileVersionResult TestFileVersion(const std::string& path) {
    g_versionAsked = path;
    return g_fileVersion;
}

TEST(SystemServices, VersionsKeysAndFileVersions) {
    os::calls().OsVersion = TestVersion;
    struct {
        uint32_t major, minor;
        bool w2000, vista;
    } versions[] = {{5, 0, true, false}, {5, 1, false, false}, {6, 0, false, true}, {10, 0, false, true},
                    {4, 0, false, false}};
    for (auto v : versions) {
        g_version = {v.major, v.minor};
        EXPECT_EQ(IsWindows2000(), v.w2000) << v.major << "." << v.minor;
        EXPECT_EQ(IsWindowsVistaOrLater(), v.vista) << v.major << "." << v.minor;
    }

    os::calls().IsKeyDown = TestKeyDown;
    g_keyDown = os::kVkControl;
    EXPECT_TRUE(IsControlKeyDown());
    EXPECT_FALSE(IsShiftKeyDown());
    EXPECT_FALSE(IsAltKeyDown());
    g_keyDown = os::kVkAlt;
    EXPECT_TRUE(IsAltKeyDown());
    EXPECT_FALSE(IsControlKeyDown());

    os::calls().FileVersion = TestFileVersion;
    g_fileVersion = {true, 0, 0x0007000100020003ull};
    EXPECT_EQ(GetFileVersion("Viewer.exe"), 0x0007000100020003ull);
    EXPECT_EQ(g_versionAsked, "Viewer.exe");
    for (uint32_t noResource : {os::kErrorResourceDataNotFound, os::kErrorResourceTypeNotFound}) {
        g_fileVersion = {false, noResource, 0};
        EXPECT_EQ(GetFileVersion("Plain.txt"), 0u);
    }
    g_fileVersion = {false, os::kErrorFileNotFound, 0};
    try {
        GetFileVersion("Missing.exe");
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Code(), os::kErrorFileNotFound);
    }
}

TEST(SystemServices, ParameterBuffersAndHostModule) {
    EXPECT_EQ(AllocParameterBuffer(0), nullptr);
    EXPECT_EQ(AllocParameterBuffer(-1), nullptr);
    char* buffer = AllocParameterBuffer(256);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[0], '\0');
    buffer[255] = 'x';  // all 256 bytes are the caller's
    FreeParameterBuffer(buffer, 0);  // gives nothing back
    FreeParameterBuffer(nullptr, 256);
    FreeParameterBuffer(buffer, 256);

    UnbindHostAPIs();
    EXPECT_EQ(GetHostModuleHandle(), os::native::FindLoadedModule(nullptr));
    os::calls().FindLoadedModule = MainProgram;
    os::calls().FindExport = UseSystemLocale;
    BindClientAPI();
    EXPECT_EQ(GetHostModuleHandle(), reinterpret_cast<ModuleHandle>(0x1000));
    UnbindHostAPIs();
}

}  // namespace
}  // namespace plz
