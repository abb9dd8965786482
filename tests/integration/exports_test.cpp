// The executable's own exports, as the plug-in binds them: every name of the three lists, and the
// client handed out through ClientAPI_GetClientInterface.
#include <gtest/gtest.h>

#include "client/client_api_calls.h"
#include "client/client_api_names.h"
#include "client/vfs_api_names.h"
#include "hostsim/host.h"
#include "platform/os.h"

namespace plz::integration {
namespace {

using hostsim::Host;

void* Export(const char* name) { return os::calls().FindExport(os::calls().FindLoadedModule(nullptr), name); }

TEST(HostExports, EveryBoundNameIsExportedByTheExecutable) {
#define PLZ_NAME(name) #name,
    const char* names[] = {PLZ_CLIENT_API_NAMES(PLZ_NAME) PLZ_VFS_API_NAMES(PLZ_NAME) PLZ_CURSOR_API_NAMES(PLZ_NAME)};
#undef PLZ_NAME
    ASSERT_EQ(std::size(names), 135u + 79u + 2u);
    for (const char* name : names) EXPECT_NE(Export(name), nullptr) << name;
}

TEST(HostExports, ClientInterfaceIsTheCurrentHostsClientWithAReference) {
    auto get = reinterpret_cast<ClientAPI_GetClientInterface_Fn>(Export("ClientAPI_GetClientInterface"));
    ASSERT_NE(get, nullptr);
    IClient* client = reinterpret_cast<IClient*>(&client);
    {
        Host host;
        get(&client);
        EXPECT_EQ(client, host.Client());
        EXPECT_EQ(host.ClientReferences(), 2u);
        client->Release();
    }
    get(&client);
    EXPECT_EQ(client, nullptr);  // no host
}

TEST(HostExports, CalledEntriesAnswerFromTheCurrentHost) {
    Host host;
    host.state().preferences.useLuna = true;
    host.state().virtualFiles.insert("C:\\Docs\\Manual.pdf");
    auto useLuna = reinterpret_cast<ClientAPI_GetPrefUseLuna_Fn>(Export("ClientAPI_GetPrefUseLuna"));
    auto setHide =
        reinterpret_cast<ClientAPI_SetPrefHideFloatingPanels_Fn>(Export("ClientAPI_SetPrefHideFloatingPanels"));
    auto getHide =
        reinterpret_cast<ClientAPI_GetPrefHideFloatingPanels_Fn>(Export("ClientAPI_GetPrefHideFloatingPanels"));
    auto setError = reinterpret_cast<ClientAPI_SetErrorInfo_Fn>(Export("ClientAPI_SetErrorInfo"));
    auto clearError = reinterpret_cast<ClientAPI_ClearErrorInfo_Fn>(Export("ClientAPI_ClearErrorInfo"));
    auto fileExists = reinterpret_cast<VFSAPI_VFS_FileExists_Fn>(Export("VFSAPI_VFS_FileExists"));

    EXPECT_EQ(useLuna(), 1);
    setHide(1);
    EXPECT_EQ(getHide(), 1);
    EXPECT_NE(fileExists("C:\\Docs\\Manual.pdf"), 0);
    EXPECT_EQ(fileExists("C:\\Docs\\Other.pdf"), 0);

    BSTR message = os::NewString(u"Access violation"), report = os::NewString(u"at 0x1234");
    setError(message, report, 0x1234);
    EXPECT_EQ(host.state().errorReport, (hostsim::ErrorReport{u"Access violation", u"at 0x1234", 0x1234}));
    clearError();
    EXPECT_FALSE(host.state().errorReport);
    os::calls().FreeString(message);
    os::calls().FreeString(report);
}

}  // namespace
}  // namespace plz::integration
