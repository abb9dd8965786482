// The integration tests' environment: on POSIX the stand-in's app-data folder and registry point
// into a temporary folder for the whole run, so that the plug-in finds no settings of the machine
// and creates its preference folder nowhere else. On Windows the plug-in sees the real folders.
#include "tests/integration/environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace plz::integration {
namespace {

class PluginEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
#if !defined(_WIN32)
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "plazen-integration.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directory(root_ / "appdata");
        fs::create_directory(root_ / "registry");
        setenv("PLAZEN_APPDATA", (root_ / "appdata").c_str(), 1);
        setenv("PLAZEN_REGISTRY", (root_ / "registry").c_str(), 1);
#endif
    }
    void TearDown() override {
        if (!root_.empty()) std::filesystem::remove_all(root_);
    }

private:
    std::filesystem::path root_;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new PluginEnvironment);

}  // namespace

}  // namespace plz::integration
