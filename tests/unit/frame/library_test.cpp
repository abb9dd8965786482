// The library's load sequence against a host process with a client entry point: the order of the
// steps, the client taken without a reference, the raise hook; and unloading.
#include <gtest/gtest.h>

#include <map>

#include "client/client_api.h"
#include "client/paths.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "frame/library.h"
#include "platform/os.h"
#include "tests/unit/client/fake_client.h"
#include "tests/unit/client/host_files.h"

namespace plz {
namespace {

ModuleHandle const kMainProgram = reinterpret_cast<ModuleHandle>(0x1000);
std::vector<std::string> g_events;
test::FakeClient g_client;

void PLZ_STDCALL HostGetClient(IClient** client) {
    g_client.AddRef();
    *client = &g_client;
}
int32_t PLZ_STDCALL HostFileExists(const char*) { return 1; }

ModuleHandle FindModule(const char* name) {
    if (!name) return kMainProgram;
    g_events.push_back(std::string("FindLoadedModule ") + name);
    return nullptr;
}
void* FindExport(ModuleHandle, const char* name) {
    g_events.push_back(name);
    if (std::string(name) == "ClientAPI_GetClientInterface") return reinterpret_cast<void*>(HostGetClient);
    if (std::string(name) == "VFSAPI_VFS_FileExists") return reinterpret_cast<void*>(HostFileExists);
    return nullptr;
}
void DisableNotifications(ModuleHandle module) {
    g_events.push_back(module == os::native::OwnModule() ? "DisableThreadNotifications(own)"
                                                         : "DisableThreadNotifications(other)");
}

// In a temporary world: the PCB unit settings read at load look into the preference folder.
class LibraryTest : public test::HostFilesTest {
protected:
    void SetUp() override {
        HostFilesTest::SetUp();
        g_events.clear();
        g_client = test::FakeClient{};
        UnbindHostAPIs();
        os::calls().FindLoadedModule = FindModule;
        os::calls().FindExport = FindExport;
        os::calls().DisableThreadNotifications = DisableNotifications;
    }
    void TearDown() override {
        RemoveRaiseHook();
        UnbindHostAPIs();
        FreePathCaches();
        SetCurrentClient(nullptr);
        EXPECT_EQ(g_client.refs, 0);
        HostFilesTest::TearDown();
    }
};

TEST_F(LibraryTest, LoadRunsTheUnitsInOrderAndUnloadUndoesThem) {
    LoadLibraryUnits();
    EXPECT_EQ(CurrentClient().Get(), &g_client);
    EXPECT_EQ(g_client.refs, 0);  // stored without a reference; the temporary one released
    EXPECT_TRUE(RaiseHookInstalled());
    EXPECT_EQ(VFSAPI_VFS_FileExists("x"), 1);

    // Virtual file system, cursor entries, Client API table, then the hook's step, then the PCB parts.
    std::vector<std::string> expected;
#define PLZ_TEST_NAME(name) expected.push_back(#name);
    PLZ_VFS_API_NAMES(PLZ_TEST_NAME)
    PLZ_CURSOR_API_NAMES(PLZ_TEST_NAME)
    PLZ_CLIENT_API_NAMES(PLZ_TEST_NAME)
#undef PLZ_TEST_NAME
    expected.push_back("DisableThreadNotifications(own)");
    ASSERT_GE(g_events.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(g_events.begin(), g_events.begin() + long(expected.size())), expected);
    // The PCB editor module is looked for after all of the client's steps.
    std::vector<std::string> rest(g_events.begin() + long(expected.size()), g_events.end());
    EXPECT_NE(std::find(rest.begin(), rest.end(), "FindLoadedModule Trelpa.dll"), rest.end());

    UnloadLibraryUnits();
    EXPECT_FALSE(RaiseHookInstalled());
    EXPECT_EQ(CurrentClient().Get(), &g_client);
}

TEST_F(LibraryTest, LoadWithoutAnyHostExportSucceeds) {
    os::calls().FindExport = [](ModuleHandle, const char*) -> void* { return nullptr; };
    EXPECT_TRUE(LoadLibraryUnits());
    EXPECT_FALSE(CurrentClient());
    EXPECT_TRUE(RaiseHookInstalled());
    UnloadLibraryUnits();
}

}  // namespace
}  // namespace plz
