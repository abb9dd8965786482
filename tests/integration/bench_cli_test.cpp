// plazen-bench's command line: anything but one board size is refused with a usage line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "hostsim/plugin_host.h"
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace plz::integration {
namespace {

namespace fs = std::filesystem;

TEST(BenchCli, AnythingButOneBoardSizeGivesTheUsageAndExitCodeTwo) {
#if defined(_WIN32)
    const std::string exe = hostsim::BesideExecutable("plazen-bench.exe");
#else
    const std::string exe = hostsim::BesideExecutable("plazen-bench");
#endif
    const fs::path err = fs::temp_directory_path() / "plazen-bench-usage.txt";
    for (const char* arguments : {"--help", "-5", "0", "12x", "1000001", "10 20"}) {
        SCOPED_TRACE(arguments);
        std::string command = "\"" + exe + "\" " + arguments + " 2> \"" + err.string() + "\"";
#if defined(_WIN32)
        command = "\"" + command + "\"";  // cmd.exe strips one pair of quotes around the whole line
        const int status = std::system(command.c_str());
#else
        const int raw = std::system(command.c_str());
        const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
        EXPECT_EQ(status, 2);
        std::ostringstream text;
        text << std::ifstream(err).rdbuf();
        EXPECT_EQ(text.str().rfind("usage: plazen-bench [COMPONENTS]", 0), 0u) << text.str();
    }
    fs::remove(err);
}

}  // namespace
}  // namespace plz::integration
