// The plazen-host commands.
#include "hostsim/commands.h"

#include "hostsim/form_holder.h"
#include "hostsim/host.h"
#include "hostsim/plugin_host.h"

namespace plz::hostsim {
namespace {

void PrintOutcome(std::ostream& out, const std::string& what, const Outcome& outcome) {
    out << what << ' ' << FormatStatus(outcome.status) << '\n';
    if (outcome.error)
        out << "  source: " << os::calls().WideToAnsi(outcome.error->source) << '\n'
            << "  description: " << os::calls().WideToAnsi(outcome.error->description) << '\n';
    PrintHostErrorReport(out, outcome);
}

}  // namespace

int RunLaunch(Host& host, const LaunchRequest& request, std::ostream& out, std::ostream& err) {
    PluginHost plugin(host);
    std::string problem;
    if (request.loadEditor && !plugin.LoadEditor(DefaultEditorPath(), &problem)) {
        err << problem << '\n';
        return kExitUsage;
    }
    bool loaded = plugin.Load(request.pluginPath.empty() ? DefaultPluginPath() : request.pluginPath, &problem);
    if (plugin.Factory()) PrintOutcome(out, "ServerFactory", *plugin.Factory());
    if (!loaded) {
        err << problem << '\n';
        return kExitUsage;
    }
    Outcome outcome = plugin.Launch(request.command, request.parameters);
    PrintOutcome(out, "LaunchCommand " + request.command, outcome);
    return Failed(outcome.status) ? kExitCommandFailed : kExitSuccess;
}

int RunOptions(Host& host, const OptionsRequest& request, std::ostream& out, std::ostream& err) {
    PluginHost plugin(host);
    std::string problem;
    const bool loaded = plugin.Load(request.pluginPath.empty() ? DefaultPluginPath() : request.pluginPath, &problem);
    if (plugin.Factory()) PrintOutcome(out, "ServerFactory", *plugin.Factory());
    if (!loaded) {
        err << problem << '\n';
        return kExitUsage;
    }
    HRESULT status = S_OK;
    ComPtr<IExternalForm> form = request.view ? AskOptionsView(plugin.Module(), request.name, &status)
                                              : AskOptionsPage(plugin.Module(), request.name, &status);
    out << (request.view ? "CreateOptionsView " : "GetOptionsPage ") << request.name << ' ' << FormatStatus(status)
        << (form ? "" : " none") << '\n';
    if (Failed(status)) return kExitCommandFailed;
    if (!form) return kExitSuccess;
    ComPtr<FormHolder> holder = ComPtr<FormHolder>::Adopt(new FormHolder("Preferences", {100, 100, 740, 560}));
    const EmbeddedFormReport report = DriveEmbeddedForm(std::move(form), *holder.Get(), {8, 8, 608, 408});
    out << FormatEmbeddedFormReport(report);
    return report.failed ? kExitCommandFailed : kExitSuccess;
}

}  // namespace plz::hostsim
