// A temporary world for the tests of folders, preferences and test mode: a registry tree, an
// application-data folder and an installation folder under one temporary root, and the host
// executable placed in the installation folder. On POSIX the OS stand-in reads the registry and
// the application-data folder from $PLAZEN_REGISTRY and $PLAZEN_APPDATA; on Windows the same tree
// is served through replaced registry calls, so that the real registry is never touched.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/os.h"

namespace plz::test {

namespace fs = std::filesystem;

inline fs::path& RegistryRootFolder() {
    static fs::path root;
    return root;
}
inline std::string& HostExecutable() {
    static std::string path;
    return path;
}

inline fs::path RegistryFolder(os::RegistryRoot root, const std::string& key) {
    fs::path p = RegistryRootFolder() / (root == os::RegistryRoot::CurrentUser    ? "HKEY_CURRENT_USER"
                                         : root == os::RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE"
                                                                                  : "HKEY_CLASSES_ROOT");
    std::istringstream in(key);
    std::string part;
    while (std::getline(in, part, '\\'))
        if (!part.empty()) p /= part;
    return p;
}

#if defined(_WIN32)
inline std::string& AppDataForTest() {
    static std::string path;
    return path;
}
inline os::RegistryKey TreeRegistryOpen(os::RegistryRoot root, const std::string& path) {
    fs::path p = RegistryFolder(root, path);
    std::error_code ec;
    return fs::is_directory(p, ec) ? new std::string(p.string()) : nullptr;
}
// Values are files, the default value "(Default)", numbers decimal text: as the POSIX stand-in.
inline fs::path TreeValue(os::RegistryKey key, const std::string& value) {
    return fs::path(*static_cast<std::string*>(key)) / (value.empty() ? std::string("(Default)") : value);
}
inline bool TreeRegistryRead(os::RegistryKey key, const std::string& value, std::string* out) {
    std::ifstream in(TreeValue(key, value), std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *out = s.str();
    return true;
}
inline bool TreeRegistryReadDword(os::RegistryKey key, const std::string& value, uint32_t* out) {
    std::string text;
    if (!TreeRegistryRead(key, value, &text) || text.empty()) return false;
    *out = uint32_t(std::stoul(text));
    return true;
}
inline bool TreeRegistryWriteDword(os::RegistryKey key, const std::string& value, uint32_t data) {
    std::ofstream(TreeValue(key, value), std::ios::binary) << data;
    return true;
}
inline os::RegistryKey TreeRegistryCreate(os::RegistryRoot root, const std::string& path) {
    fs::create_directories(RegistryFolder(root, path));
    return TreeRegistryOpen(root, path);
}
inline void TreeRegistryClose(os::RegistryKey key) { delete static_cast<std::string*>(key); }
inline std::string TreeAppData() { return AppDataForTest(); }
#endif

inline std::string HostModulePath(ModuleHandle module) {
    return module ? os::native::ModulePath(module) : HostExecutable();
}

class HostFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Named after the test program and the test, so that a death test's child process, which
        // runs the test again from the start, works in the same folder as its parent.
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() /
               ("plazen-" + std::to_string(std::hash<std::string>()(os::native::ModulePath(nullptr))) + "-" +
                test->test_suite_name() + "-" + test->name());
        std::error_code ec;
        fs::remove_all(root, ec);
        fs::create_directories(root / "registry");
        fs::create_directories(root / "appdata");
        fs::create_directories(root / "install");
        RegistryRootFolder() = root / "registry";
        appData = (root / "appdata").string();
        install = (root / "install").string() + os::kPathSeparator;
        HostExecutable() = install + "Host.exe";
#if defined(_WIN32)
        AppDataForTest() = appData;
        os::calls().RegistryOpen = TreeRegistryOpen;
        os::calls().RegistryReadString = TreeRegistryRead;
        os::calls().RegistryClose = TreeRegistryClose;
        os::calls().RegistryReadDword = TreeRegistryReadDword;
        os::calls().RegistryWriteDword = TreeRegistryWriteDword;
        os::calls().RegistryCreate = TreeRegistryCreate;
        os::calls().AppDataFolder = TreeAppData;
#else
        setenv("PLAZEN_REGISTRY", RegistryRootFolder().c_str(), 1);
        setenv("PLAZEN_APPDATA", appData.c_str(), 1);
#endif
        os::calls().ModulePath = HostModulePath;
    }
    void TearDown() override {
#if !defined(_WIN32)
        unsetenv("PLAZEN_REGISTRY");
        unsetenv("PLAZEN_APPDATA");
#endif
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // A registry key (created with its parents) and optionally one string value in it.
    static void SetRegistry(os::RegistryRoot where, const std::string& key, const std::string& name = {},
                            const std::string& value = {}) {
        fs::path folder = RegistryFolder(where, key);
        fs::create_directories(folder);
        if (!name.empty()) std::ofstream(folder / name, std::ios::binary) << value;
    }
    // A key's default value.
    static void SetRegistryDefault(os::RegistryRoot where, const std::string& key, const std::string& value) {
        SetRegistry(where, key, "(Default)", value);
    }
    static bool RegistryKeyExists(os::RegistryRoot where, const std::string& key) {
        return fs::exists(RegistryFolder(where, key));
    }
    // A file (its folders created) below `folder`.
    static void WriteFile(const std::string& folder, const std::string& name, const std::string& text) {
        fs::create_directories(folder);
        std::ofstream(fs::path(folder) / name, std::ios::binary) << text;
    }

    fs::path root;
    std::string appData;
    std::string install;  // ends with the separator
};

}  // namespace plz::test
