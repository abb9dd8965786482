// The plazen-host commands behind the command line: what they print and the exit codes; a failed
// command also shows the error report the plug-in gave the host.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

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
        std::istringstream lines(out.str());
        std::string line, plain;
        std::vector<std::string> report;
        while (std::getline(lines, line)) {
            if (line.rfind("host error report: ", 0) == 0)
                report.push_back(line.substr(19));
            else
                plain += line + "\n";
        }
        EXPECT_EQ(plain, c.out);
        if (c.exitCode == kExitCommandFailed) {
            // The message, then the report: class, message, module + offset of the raise, ...
            ASSERT_GE(report.size(), 4u) << out.str();
            EXPECT_EQ(std::vector<std::string>(report.begin(), report.begin() + 3),
                      (std::vector<std::string>{"Status bar is gone", "Exception: plz::EHostError",
                                                "Message: Status bar is gone"}));
            EXPECT_EQ(report[3].rfind("Address: " + source + "+0x", 0), 0u) << report[3];
        } else {
            EXPECT_TRUE(report.empty());
        }
        EXPECT_EQ(err.str().empty(), c.exitCode != kExitUsage) << err.str();
    }
}

TEST(HostCommands, OptionsFindNoPageOrViewInThisPlugin) {
    for (bool view : {false, true}) {
        Host host;
        std::ostringstream out, err;
        EXPECT_EQ(RunOptions(host, {"General", view, ""}, out, err), kExitSuccess);
        EXPECT_EQ(out.str(), std::string("ServerFactory 0x00000000\n") +
                                 (view ? "CreateOptionsView" : "GetOptionsPage") + " General 0x00000000 none\n");
    }
}

}  // namespace
}  // namespace plz::integration
