// Loading the plug-in and its editor module, and running its commands, as the host does.
#include "hostsim/plugin_host.h"

#include <cstdio>

#include "hostsim/trelpa/trelpa_module.h"
#include "platform/file_path.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace plz::hostsim {
namespace {

// The error information that a failed call left for the thread, if any.
std::optional<os::ErrorInfo> TakeErrorInfo() {
    os::ErrorInfo info;
    if (!os::calls().TakeThreadErrorInfo(&info)) return std::nullopt;
    return info;
}

std::string Describe(const Outcome& outcome) {
    std::string text = "status " + FormatStatus(outcome.status);
    if (outcome.error)
        text += ", " + os::calls().WideToAnsi(outcome.error->source) + ": " +
                os::calls().WideToAnsi(outcome.error->description);
    return text;
}

}  // namespace

std::string BesideExecutable(const std::string& fileName) {
    return FolderOfPath(os::calls().ModulePath(nullptr)) + fileName;
}

std::string DefaultPluginPath() { return BesideExecutable(kPluginFile); }
std::string DefaultEditorPath() { return BesideExecutable(trelpa::kModuleFile); }

std::string FormatStatus(HRESULT status) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(status));
    return buffer;
}

bool PluginHost::LoadEditor(const std::string& path, std::string* problem) {
    std::string reason;
    editor_ = os::calls().OpenLibrary(path, &reason);
    if (!editor_ && problem) *problem = "cannot load the PCB editor " + path + ": " + reason;
    return editor_ != nullptr;
}

bool PluginHost::Load(const std::string& path, std::string* problem) {
    auto fail = [&](std::string reason) {
        if (problem) *problem = std::move(reason);
        return false;
    };
    if (library_) return fail("a plug-in is loaded already");
    if (!workspace_) workspace_ = os::calls().OpenLibrary(BesideExecutable(kWorkspaceFile), nullptr);
    std::string reason;
    library_ = os::calls().OpenLibrary(path, &reason);
    if (!library_) return fail("cannot load the plug-in " + path + ": " + reason);
    auto factory = reinterpret_cast<ServerFactoryFn>(os::calls().FindExport(library_, "ServerFactory"));
    if (!factory) return fail(path + " exports no ServerFactory");

    os::calls().SetThreadErrorInfo(nullptr);
    factory_ = Outcome{factory(host_.Client(), module_.Out()), std::nullopt, std::nullopt};
    if (Failed(factory_->status)) {
        factory_->error = TakeErrorInfo();
        return fail("ServerFactory failed: " + Describe(*factory_));
    }
    if (!module_) return fail("ServerFactory gave no server module");
    HRESULT status = module_->GetCommandLauncher(launcher_.Out());
    if (Failed(status) || !launcher_)
        return fail("the server module gave no command launcher: " + FormatStatus(status));
    return true;
}

Outcome PluginHost::Launch(const std::string& name, const std::string& parameters) {
    return Launch(name, parameters, host_.Context());
}

#if defined(_WIN32)
namespace {
// Plays the user of the plug-in's modal forms while a command runs, as the POSIX stand-in's user
// does: a timer of the thread, whose ticks the form's modal loop dispatches, answers the thread's
// active (else first visible) window with Enter, which presses its default button.
BOOL CALLBACK FirstVisible(HWND window, LPARAM found) {
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
void CALLBACK AnswerActiveForm(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = ::GetActiveWindow();
    if (!window) ::EnumThreadWindows(::GetCurrentThreadId(), &FirstVisible, reinterpret_cast<LPARAM>(&window));
    if (window) ::PostMessageA(window, WM_COMMAND, IDOK, 0);
}
struct PlayedUser {
    UINT_PTR timer = ::SetTimer(nullptr, 0, 200, &AnswerActiveForm);
    ~PlayedUser() { ::KillTimer(nullptr, timer); }
};
}  // namespace
#endif

Outcome PluginHost::Launch(const std::string& name, const std::string& parameters, IUnknown* context) {
    if (!launcher_) return {E_UNEXPECTED, std::nullopt, std::nullopt};
#if defined(_WIN32)
    PlayedUser user;
#endif
    os::calls().SetThreadErrorInfo(nullptr);
    host_.state().errorReport.reset();
    Outcome outcome{launcher_->LaunchCommand(name.c_str(), parameters.c_str(), 0, context), std::nullopt, std::nullopt};
    if (Failed(outcome.status)) {
        outcome.error = TakeErrorInfo();
        outcome.report = host_.state().errorReport;
    }
    return outcome;
}

void PrintHostErrorReport(std::ostream& out, const Outcome& outcome) {
    if (!Failed(outcome.status) || !outcome.report) return;
    const std::string prefix = "host error report: ";
    out << prefix << os::calls().WideToAnsi(outcome.report->error) << '\n';
    std::string report = os::calls().WideToAnsi(outcome.report->detail);
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find('\n', start);
        if (end == std::string::npos) end = report.size();
        out << prefix << report.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

void PluginHost::Unload() {
    launcher_.Reset();
    module_.Reset();
    factory_.reset();
    if (library_) os::calls().CloseLibrary(library_);
    library_ = nullptr;
    if (editor_) os::calls().CloseLibrary(editor_);
    editor_ = nullptr;
    if (workspace_) os::calls().CloseLibrary(workspace_);
    workspace_ = nullptr;
}

}  // namespace plz::hostsim
