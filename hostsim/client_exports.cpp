// The host executable's exported entry points: every Client API, virtual-file-system and cursor
// name, as the host's own executable exports them. The entries that the plug-in calls have the
// signatures declared for them and answer from the current host; the rest take nothing and
// return 0.
#include <cstring>
#include <exception>
#include <utility>

#include "client/client_api_calls.h"
#include "client/client_api_names.h"
#include "client/vfs_api_names.h"
#include "hostsim/host.h"
#include "platform/os.h"

using plz::hostsim::Host;
using plz::hostsim::State;

// The called entries, declared from their one list: a definition below that strays from it, or a
// stub for one of these names, does not compile.
#define PLZ_DECLARE_EXPORT(name, result, params) PLZ_EXPORT result PLZ_STDCALL name params;
PLZ_CLIENT_API_CALLS(PLZ_DECLARE_EXPORT)
PLZ_VFS_API_CALLS(PLZ_DECLARE_EXPORT)
#undef PLZ_DECLARE_EXPORT

namespace {

// Runs an entry point's body with the current host's state, if there is a host; no exception
// leaves the executable's exports.
template <typename Result, typename Body>
Result WithState(Result fallback, Body&& body) noexcept {
    try {
        Host* host = Host::Current();
        return host ? body(host->state()) : fallback;
    } catch (...) {
        return fallback;
    }
}

template <typename Body>
void WithState(Body&& body) noexcept {
    WithState(0, [&](State& state) {
        body(state);
        return 0;
    });
}

uint8_t Preference(bool plz::hostsim::Preferences::*preference) {
    return WithState(uint8_t(0), [&](State& state) { return uint8_t(state.preferences.*preference ? 1 : 0); });
}

}  // namespace

// The current host's client, with a reference for the caller; none without a host.
PLZ_EXPORT void PLZ_STDCALL ClientAPI_GetClientInterface(plz::IClient** client) {
    if (!client) return;
    Host* host = Host::Current();
    *client = host ? host->Client() : nullptr;
    if (*client) (*client)->AddRef();
}

PLZ_EXPORT uint8_t PLZ_STDCALL ClientAPI_GetPrefUseLuna() { return Preference(&plz::hostsim::Preferences::useLuna); }

PLZ_EXPORT uint8_t PLZ_STDCALL ClientAPI_GetPrefHideFloatingPanels() {
    return Preference(&plz::hostsim::Preferences::hideFloatingPanels);
}

PLZ_EXPORT void PLZ_STDCALL ClientAPI_SetPrefHideFloatingPanels(uint8_t hide) {
    WithState([&](State& state) {
        state.preferences.hideFloatingPanels = hide != 0;
        state.hideFloatingPanelsWrites.push_back(hide != 0);
    });
}

PLZ_EXPORT uint8_t PLZ_STDCALL ClientAPI_GetUseExternalWebBrowser() {
    return Preference(&plz::hostsim::Preferences::useExternalWebBrowser);
}

PLZ_EXPORT uint8_t PLZ_STDCALL ClientAPI_GetIntegratedHelpSystem() {
    return Preference(&plz::hostsim::Preferences::integratedHelpSystem);
}

PLZ_EXPORT uint8_t PLZ_STDCALL ClientAPI_GetUseSystemLocaleLanguage() {
    return Preference(&plz::hostsim::Preferences::useSystemLocaleLanguage);
}

PLZ_EXPORT uint8_t PLZ_STDCALL ClientAPI_GetUseLocalizedDialogs() {
    return Preference(&plz::hostsim::Preferences::useLocalizedDialogs);
}

// The host's translation manager when it has translations, with a reference for the caller.
PLZ_EXPORT void PLZ_STDCALL ClientAPI_GetTranslationManager(plz::ITranslationManager** manager) {
    if (!manager) return;
    *manager = nullptr;
    try {
        if (Host* host = Host::Current()) *manager = host->NewTranslationManagerReference();
    } catch (...) {
    }
}

// Gives a font the system locale's face and character set when the host has one set.
PLZ_EXPORT int32_t PLZ_STDCALL ClientAPI_UpdateFont(plz::LogFontA* font) {
    return WithState(int32_t(0), [&](State& state) {
        ++state.fontUpdates;
        if (!font || !state.localeFont) return int32_t(0);
        std::memset(font->FaceName, 0, sizeof font->FaceName);
        state.localeFont->first.copy(font->FaceName, sizeof font->FaceName - 1);
        font->CharSet = state.localeFont->second;
        return int32_t(1);
    });
}

PLZ_EXPORT void PLZ_STDCALL ClientAPI_SetErrorInfo(plz::BSTR error, plz::BSTR detail, uintptr_t address) {
    WithState([&](State& state) {
        state.errorReport = plz::hostsim::ErrorReport{plz::os::FromString(error), plz::os::FromString(detail), address};
        state.errorReportEvents.push_back("set " + plz::os::AnsiFromString(error));
    });
}

PLZ_EXPORT void PLZ_STDCALL ClientAPI_ClearErrorInfo() {
    WithState([](State& state) {
        state.errorReport.reset();
        state.errorReportEvents.push_back("clear");
    });
}

PLZ_EXPORT void PLZ_STDCALL ClientAPI_HandleException(int32_t value) {
    WithState([&](State& state) { state.handledExceptions.push_back(value); });
}

PLZ_EXPORT int32_t PLZ_STDCALL VFSAPI_VFS_FileExists(const char* path) {
    return WithState(int32_t(0), [&](State& state) { return int32_t(path && state.virtualFiles.count(path) ? 1 : 0); });
}

// Every name only bound: a stub. The names marked called are exactly the ones defined above.
#define PLZ_STUB(name) \
    PLZ_EXPORT int32_t PLZ_STDCALL name() { return 0; }
PLZ_CLIENT_API_ENTRIES(PLZ_STUB, PLZ_NO_NAME)
PLZ_VFS_API_ENTRIES(PLZ_STUB, PLZ_NO_NAME)
PLZ_CURSOR_API_NAMES(PLZ_STUB)
#undef PLZ_STUB
