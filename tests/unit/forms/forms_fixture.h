// The forms tests' world: the simulated host as the client, its exported entry points bound as the
// plug-in binds the host's, the host files of HostFilesTest, and the forms support started.
#pragma once

#include <cstring>
#include <string>

#include "client/client_api.h"
#include "client/client_api_calls.h"
#include "forms/forms_support.h"
#include "frame/application.h"
#include "frame/current_client.h"
#include "hostsim/host.h"
#include "tests/unit/client/host_files.h"
#include "ui/application.h"

#if !defined(_WIN32)
#include "platform/posix_control.h"
#endif

#define PLZ_TEST_DECLARE(name, result, params) extern "C" result PLZ_STDCALL name params;
PLZ_CLIENT_API_CALLS(PLZ_TEST_DECLARE)
#undef PLZ_TEST_DECLARE

namespace plz::test {

// The simulated host's entry points, found by name as in the host's executable.
inline void* HostEntry(ModuleHandle, const char* name) {
#define PLZ_TEST_ENTRY(entry, result, params) \
    if (std::strcmp(name, #entry) == 0) return reinterpret_cast<void*>(&::entry);
    PLZ_CLIENT_API_CALLS(PLZ_TEST_ENTRY)
#undef PLZ_TEST_ENTRY
    return nullptr;
}

class FormsTest : public HostFilesTest {
protected:
    void SetUp() override {
        HostFilesTest::SetUp();
        os::calls().FindExport = HostEntry;
        UnbindHostAPIs();
        BindClientAPI();
        SetCurrentClient(host.Client());
#if !defined(_WIN32)
        os::posix::DestroyAllWindows();
        os::posix::ClearWinHelpCalls();
        os::posix::SetMonitors({});
#endif
    }
    void TearDown() override {
        forms::StopFormsSupport();
        ui::SetExceptionHandler(nullptr);
        SetCurrentClient(nullptr);
        UnbindHostAPIs();
#if !defined(_WIN32)
        os::posix::DestroyAllWindows();
#endif
        HostFilesTest::TearDown();
    }
    hostsim::State& state() { return host.state(); }
    // The help folder of the installation, where help files are found.
    std::string HelpFolder() const { return install + "Help" + os::kPathSeparator; }

    hostsim::Host host;
};

}  // namespace plz::test
