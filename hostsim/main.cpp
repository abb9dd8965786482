// plazen-host: the host simulator's command line.
//   plazen-host [--translations FILE] launch NAME [--params TEXT] [--plugin PATH] [--editor]
//   plazen-host options NAME [--view] [--plugin PATH]
//   plazen-host [--translations FILE] arrange [BOARD.json] [--object TEXT] [--params TEXT] [--pick X,Y | --cancel]
//                       [--out FILE] [--svg FILE]
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "hostsim/arrangement.h"
#include "hostsim/commands.h"
#include "hostsim/host.h"
#include "hostsim/translations.h"

int main(int argc, char** argv) {
    using namespace plz::hostsim;
    CLI::App app{"Loads the plug-in into a simulated host and runs its commands."};
    app.require_subcommand(1);
    std::string translationsPath;
    app.add_option("--translations", translationsPath,
                   "Texts of the host's translation manager (CONTEXT<TAB>KEY<TAB>TEXT lines, UTF-8)");

    LaunchRequest launch;
    CLI::App* launchCommand = app.add_subcommand("launch", "Launch one command of the plug-in");
    launchCommand->add_option("name", launch.command, "Command name")->required();
    launchCommand->add_option("--params", launch.parameters, "Parameter text (Name=Value|...)");
    launchCommand->add_option("--plugin", launch.pluginPath, "Plug-in library (default: beside this program)");
    launchCommand->add_flag("--editor", launch.loadEditor, "Load the PCB editor module first");

    OptionsRequest options;
    CLI::App* optionsCommand =
        app.add_subcommand("options", "Ask the plug-in for an options page (or view) and embed it in a host window");
    optionsCommand->add_option("name", options.name, "Options page name")->required();
    optionsCommand->add_flag("--view", options.view, "A document options view instead of an options page");
    optionsCommand->add_option("--plugin", options.pluginPath, "Plug-in library (default: beside this program)");

    ArrangeOptions arrange;
    std::string object;
    std::vector<double> pick;
    CLI::App* arrangeCommand = app.add_subcommand("arrange", "Arrange a board's components with the Plazen command");
    arrangeCommand->add_option("board", arrange.boardPath, "Board file (JSON; default: the demo board)");
    CLI::Option* objectOption =
        arrangeCommand->add_option("--object", object, "The Object parameter, e.g. \"Selected Components\"");
    arrangeCommand->add_option("--params", arrange.parameters,
                               "Further parameter entries after Object, e.g. \"Order=Natural|Cell=Largest\"");
    CLI::Option* pickOption = arrangeCommand
                                  ->add_option("--pick", pick, "Start point X,Y in the board's units")
                                  ->delimiter(',')
                                  ->expected(2);
    arrangeCommand->add_flag("--cancel", arrange.cancel, "Cancel the pick")->excludes(pickOption);
    arrangeCommand->add_option("--out", arrange.outPath, "Arranged board file (default: standard output)");
    arrangeCommand->add_option("--svg", arrange.svgPath, "Picture of the board before and after");
    arrangeCommand->add_option("--plugin", arrange.pluginPath, "Plug-in library (default: beside this program)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitSuccess : kExitUsage;
    }
    Host host;
    if (!translationsPath.empty()) {
        std::string problem;
        if (!LoadTranslations(translationsPath, host.state().translations, &problem)) {
            std::cerr << problem << '\n';
            return kExitUsage;
        }
        host.state().preferences.useLocalizedDialogs = true;
    }
    if (*launchCommand) return RunLaunch(host, launch, std::cout, std::cerr);
    if (*optionsCommand) return RunOptions(host, options, std::cout, std::cerr);
    if (*objectOption) arrange.object = object;
    if (*pickOption) arrange.pick.emplace(pick[0], pick[1]);
    return RunArrangement(host, arrange, std::cout, std::cerr);
}
