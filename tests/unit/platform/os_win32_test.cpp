// The Win32 seam's library loading from the system folder only: a system library is found there
// (not the HTML help library itself, whose start-up under Wine takes seconds), and a library of an
// unknown name planted in the current folder is not loaded.
#if defined(_WIN32)
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os.h"

namespace plz::os {
namespace {

namespace fs = std::filesystem;

TEST(Win32Seam, SystemLibrariesComeFromTheSystemFolderOnly) {
    ModuleHandle system = native::LoadSystemLibrary("version.dll");
    ASSERT_NE(system, nullptr);
    EXPECT_NE(native::FindExport(system, "GetFileVersionInfoA"), nullptr);
    native::CloseLibrary(system);

    // A copy of a library of ours, in the current folder under a name the system folder lacks.
    const fs::path planted = fs::current_path() / "plazen-planted.dll";
    fs::copy_file(native::ModulePath(nullptr), planted, fs::copy_options::overwrite_existing);
    EXPECT_EQ(native::LoadSystemLibrary("plazen-planted.dll"), nullptr);
    EXPECT_EQ(native::LoadSystemLibrary(planted.string()), nullptr);  // no folder may be named
    std::error_code ec;
    fs::remove(planted, ec);
}

}  // namespace
}  // namespace plz::os
#endif
