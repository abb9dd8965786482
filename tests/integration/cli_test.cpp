// The plazen-host commands behind the command line: what they print and the exit codes.
#include <gtest/gtest.h>

#include <sstream>

#include "hostsim/commands.h"
#include "hostsim/host.h"
#include "hostsim/plugin_host.h"
#include "tests/integration/environment.h"

namespace plz::integration {
namespace {

using namespace hostsim;

TEST(HostCommands, LaunchPrintsEachStatusAndGivesTheExitCode) {
    const std::string source = kPluginFileName;
    struct Case {
        const char* name;
        LaunchRequest request;
        bool failStatusText;
        int exitCode;
        std::string out;
    } cases[] = {
        {"success", {"pLaZeN", "", "", false}, false, kExitSuccess,
         "ServerFactory 0x00000000\nLaunchCommand pLaZeN 0x00000000\n"},
        {"failed command", {"Plazen", "", "", false}, true, kExitCommandFailed,
         "ServerFactory 0x00000000\nLaunchCommand Plazen 0x8000FFFF\n  source: " + source +
             "\n  description: Status bar is gone\n"},
        {"plug-in missing", {"Plazen", "", BesideExecutable("no-such-plugin"), false}, false, kExitUsage, ""},
        {"no ServerFactory", {"Plazen", "", DefaultEditorPath(), false}, false, kExitUsage, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        if (c.failStatusText) host.state().statusTextFailure = Failure{E_FAIL, u"Client", u"Status bar is gone"};
        std::ostringstream out, err;
        EXPECT_EQ(RunLaunch(host, c.request, out, err), c.exitCode);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str().empty(), c.exitCode != kExitUsage) << err.str();
    }
}

}  // namespace
}  // namespace plz::integration
