// plazen-host: the host simulator's command line.
//   plazen-host launch NAME [--params TEXT] [--plugin PATH] [--editor]
//   plazen-host arrange [--plugin PATH]
#include <CLI/CLI.hpp>
#include <iostream>

#include "hostsim/commands.h"
#include "hostsim/host.h"

int main(int argc, char** argv) {
    using namespace plz::hostsim;
    CLI::App app{"Loads the plug-in into a simulated host and runs its commands."};
    app.require_subcommand(1);

    LaunchRequest launch;
    CLI::App* launchCommand = app.add_subcommand("launch", "Launch one command of the plug-in");
    launchCommand->add_option("name", launch.command, "Command name")->required();
    launchCommand->add_option("--params", launch.parameters, "Parameter text (Name=Value|...)");
    launchCommand->add_option("--plugin", launch.pluginPath, "Plug-in library (default: beside this program)");
    launchCommand->add_flag("--editor", launch.loadEditor, "Load the PCB editor module first");

    std::string arrangePlugin;
    CLI::App* arrangeCommand = app.add_subcommand("arrange", "Arrange the board's components");
    arrangeCommand->add_option("--plugin", arrangePlugin, "Plug-in library (default: beside this program)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitSuccess : kExitUsage;
    }
    Host host;
    if (*launchCommand) return RunLaunch(host, launch, std::cout, std::cerr);
    return RunArrange(host, arrangePlugin, std::cout, std::cerr);
}
