// The POSIX stand-in's registry tree (default values, numbers, created keys, the classes root) and
// its record of requests for other programs and system libraries.
#if !defined(_WIN32)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/os.h"
#include "platform/posix_control.h"

namespace plz::os {
namespace {

namespace fs = std::filesystem;

TEST(PosixStandIn, RegistryTreeAndRecordedRequests) {
    fs::path root = fs::temp_directory_path() / ("plazen-standin-" + std::to_string(::getpid()));
    fs::remove_all(root);
    setenv("PLAZEN_REGISTRY", root.c_str(), 1);
    unsetenv("PLAZEN_SYSTEM_DIR");

    EXPECT_EQ(native::RegistryOpen(RegistryRoot::CurrentUser, "Software\\X\\Forms"), nullptr);
    RegistryKey key = native::RegistryCreate(RegistryRoot::CurrentUser, "Software\\X\\Forms");
    ASSERT_NE(key, nullptr);
    uint32_t number = 7;
    EXPECT_TRUE(native::RegistryWriteDword(key, "Switch", 0));
    EXPECT_TRUE(native::RegistryReadDword(key, "Switch", &number));
    EXPECT_EQ(number, 0u);
    // A key's default value is the file "(Default)"; text that is no number does not read as one.
    std::ofstream(root / "HKEY_CURRENT_USER" / "Software" / "X" / "Forms" / "(Default)") << "text";
    std::string text;
    EXPECT_TRUE(native::RegistryReadString(key, kRegistryDefaultValue, &text));
    EXPECT_EQ(text, "text");
    EXPECT_FALSE(native::RegistryReadDword(key, kRegistryDefaultValue, &number));
    native::RegistryClose(key);
    fs::create_directories(root / "HKEY_CLASSES_ROOT" / "AcroPDF.PDF.1");
    key = native::RegistryOpen(RegistryRoot::ClassesRoot, "AcroPDF.PDF.1");
    EXPECT_NE(key, nullptr);
    native::RegistryClose(key);

    posix::TakePlatformRequests();
    EXPECT_GT(native::ShellOpen("open", "http://example.org", kShowNormal), kStartedAbove);
    EXPECT_GT(native::StartProgram("viewer \"a.pdf\"", kShowNormal), kStartedAbove);
    posix::SetProgramStartResult(2);
    EXPECT_LE(native::StartProgram("missing", kShowNormal), kStartedAbove);
    posix::SetProgramStartResult(42);
    EXPECT_TRUE(native::DdeExecute("acroview", "control", "[DocGoTo(NULL, 1)]"));
    EXPECT_EQ(native::LoadSystemLibrary("HHCtrl.ocx"), nullptr);  // no system folder
    EXPECT_EQ(posix::TakePlatformRequests(),
              (std::vector<std::string>{"ShellOpen open http://example.org show=1", "StartProgram viewer \"a.pdf\" show=1",
                                        "StartProgram missing show=1", "DdeExecute acroview|control|[DocGoTo(NULL, 1)]",
                                        "LoadSystemLibrary HHCtrl.ocx"}));
    unsetenv("PLAZEN_REGISTRY");
    fs::remove_all(root);
}

}  // namespace
}  // namespace plz::os
#endif
