// The command table the host runs commands through, and the process-depth counter it raises and
// lowers; both are interfaced objects owned by the server module, not by the host's references.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/plugin_interfaces.h"
#include "platform/com_object.h"

namespace plz {

// An interfaced object whose reference counting is switched off: AddRef and Release do nothing
// and return 0; its owner frees it. A host must not use the reference after the owner is gone.
template <typename Interface, const GUID& Iid>
class TInterfacedObjectNoRef : public Interface {
public:
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return AnswerQuery(object, iid == Iid || iid == IID_IUnknown ? static_cast<Interface*>(this) : nullptr);
    }
    uint32_t PLZ_STDCALL AddRef() override { return 0; }
    uint32_t PLZ_STDCALL Release() override { return 0; }
};

// A command's launch procedure: the host's context, handed over as it came, and the parameter text.
using TLaunchProc = void (*)(IUnknown* context, const char* parameters);
// A command's state procedure: context, parameter text, then the five state values.
using TStateProc = void (*)(IUnknown* context, const char* parameters, int32_t* state1, int32_t* state2,
                            int32_t* state3, uint8_t* state4, uint8_t* state5);

struct TCommandHandler {
    TLaunchProc LaunchProc = nullptr;  // none: the command cannot be launched
    TStateProc StateProc = nullptr;    // none: the state defaults stand
};

class TCommandLauncher final : public TInterfacedObjectNoRef<ICommandLauncher, IID_ICommandLauncher> {
public:
    explicit TCommandLauncher(std::string serverName);

    // A name already present (letter case aside) keeps its first registration.
    void RegisterCommand(std::string_view name, TLaunchProc launch, TStateProc state);

    // Runs the named command, then lets the host refresh its status display. An unregistered name
    // is success with nothing done.
    HRESULT PLZ_STDCALL LaunchCommand(const char* name, const char* parameters, int32_t reserved,
                                      IUnknown* context) override;
    // The defaults -1, 0, -1, false, false, then whatever the command's state procedure reports.
    HRESULT PLZ_STDCALL GetCommandState(const char* name, const char* parameters, IUnknown* context,
                                        int32_t* state1, int32_t* state2, int32_t* state3, uint8_t* state4,
                                        uint8_t* state5) override;

    const std::string& ServerName() const { return FServerName; }
    size_t CommandCount() const { return FCommands.size(); }
    // The handler registered under the name (letter case aside), or none.
    const TCommandHandler* FindHandler(const char* name) const;

private:

    // Sorted by name without regard to ASCII letter case; looked up by binary search.
    std::vector<std::pair<std::string, TCommandHandler>> FCommands;
    std::string FServerName;
};

// The nesting count of host processes; neither bounded nor clamped.
class TProcessControl final : public TInterfacedObjectNoRef<IProcessControl, IID_IProcessControl> {
public:
    HRESULT PLZ_STDCALL GetProcessDepth(int32_t* depth) override;
    HRESULT PLZ_STDCALL EndProcess(int32_t a, int32_t b) override;
    HRESULT PLZ_STDCALL BeginProcess(int32_t a, int32_t b) override;
    HRESULT PLZ_STDCALL SetProcessDepth(int32_t depth) override;

private:
    int32_t FProcessDepth = 0;
};

}  // namespace plz
