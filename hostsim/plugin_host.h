// Plug-in loading as the host does it: the simulated PCB editor module first when wanted, then the
// plug-in library, its ServerFactory called with the host's client, the server module and its
// command launcher kept, and commands launched by name. Failures come back with the thread's
// error information that the plug-in left.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "frame/plugin_interfaces.h"
#include "hostsim/host.h"
#include "platform/com_ptr.h"
#include "platform/os.h"

namespace plz::hostsim {

// The plug-in library's file name.
#if defined(_WIN32)
inline constexpr const char* kPluginFile = "plazen.dll";
#else
inline constexpr const char* kPluginFile = "libplazen.so";
#endif

// The workspace manager module's file name.
#if defined(_WIN32)
inline constexpr const char* kWorkspaceFile = "WorkspaceManager.dll";
#else
inline constexpr const char* kWorkspaceFile = "libWorkspaceManager.so";
#endif

// A library file beside the running executable.
std::string BesideExecutable(const std::string& fileName);
// "plazen.dll" / "libplazen.so" and "Trelpa.dll" / "libTrelpa.so", beside the executable.
std::string DefaultPluginPath();
std::string DefaultEditorPath();

// The status of a call into the plug-in, with the thread's error information after a failure.
// The host's error report too: what the plug-in last gave through ClientAPI_SetErrorInfo, as it
// stands when the call returns.
struct Outcome {
    HRESULT status = S_OK;
    std::optional<os::ErrorInfo> error;
    std::optional<ErrorReport> report;
};

// The host's error report of a failed call, each line beginning "host error report: ".
void PrintHostErrorReport(std::ostream& out, const Outcome& outcome);

class PluginHost {
public:
    explicit PluginHost(Host& host) : host_(host) {}
    ~PluginHost() { Unload(); }
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads the simulated PCB editor module; false with the reason in `problem`.
    bool LoadEditor(const std::string& path, std::string* problem);
    // Loads the plug-in library (after the workspace manager, when it lies beside the executable,
    // as the host has it loaded from its start) and creates its server module. False with the reason in
    // `problem` when the library does not load, has no ServerFactory, or the factory fails. One
    // plug-in at a time: a second Load before Unload fails.
    bool Load(const std::string& path, std::string* problem);

    // Launches a command with the host's context, or with the one given.
    Outcome Launch(const std::string& name, const std::string& parameters);
    Outcome Launch(const std::string& name, const std::string& parameters, IUnknown* context);

    // Releases the module and closes the plug-in library, then the editor's. Safe to repeat.
    void Unload();

    // What ServerFactory gave back; none before it was called.
    const std::optional<Outcome>& Factory() const { return factory_; }
    IServerModule* Module() const { return module_.Get(); }
    ICommandLauncher* Launcher() const { return launcher_.Get(); }
    ModuleHandle Library() const { return library_; }
    ModuleHandle Editor() const { return editor_; }

private:
    Host& host_;
    ModuleHandle editor_ = nullptr;
    ModuleHandle workspace_ = nullptr;
    ModuleHandle library_ = nullptr;
    ComPtr<IServerModule> module_;
    ComPtr<ICommandLauncher> launcher_;
    std::optional<Outcome> factory_;
};

// "0x8000FFFF": a status as the host shows it.
std::string FormatStatus(HRESULT status);

}  // namespace plz::hostsim
