// The real plug-in library in the simulated host: its server module, the command's road through
// the launcher to the status refresh, errors reported through the thread's error information,
// and the settings it reads through the host when it loads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "hostsim/host.h"
#include "hostsim/plugin_host.h"
#include "platform/os.h"
#include "tests/integration/environment.h"

namespace plz::integration {
namespace {

using hostsim::Failure;
using hostsim::Host;
using hostsim::PluginHost;
using hostsim::StatusText;

class PluginTest : public ::testing::Test {
protected:
    void Load() {
        std::string problem;
        ASSERT_TRUE(plugin_.Load(hostsim::DefaultPluginPath(), &problem)) << problem;
    }
    // Forgets what loading recorded, so that a test sees only what its command did.
    void ClearRecords() {
        host_.state().calls.clear();
        host_.state().statusTexts.clear();
    }

    Host host_;
    PluginHost plugin_{host_};
};

TEST_F(PluginTest, ServerFactoryGivesTheModuleOfThePluginLibrary) {
    Load();
    IServerModule* module = plugin_.Module();

    BSTR name = nullptr;
    ASSERT_EQ(module->GetModuleName(&name), S_OK);
    EXPECT_EQ(os::FromString(name), u"Plzn");
    os::calls().FreeString(name);

    ModuleHandle instance = nullptr;
    ASSERT_EQ(module->GetInstanceHandle(&instance), S_OK);
    EXPECT_EQ(instance, plugin_.Library());
    EXPECT_NE(instance, os::calls().FindLoadedModule(nullptr));

    IClient* client = nullptr;
    ASSERT_EQ(module->GetClient(&client), S_OK);
    EXPECT_EQ(client, host_.Client());
    client->Release();
    EXPECT_EQ(host_.ClientReferences(), 1u);  // the plug-in keeps no count of its own
}

TEST_F(PluginTest, FailingApplicationHandleFailsTheFactoryWithTheHostsText) {
    host_.state().applicationHandleFailure = Failure{E_FAIL, u"Client", u"No main window"};
    std::string problem;
    EXPECT_FALSE(plugin_.Load(hostsim::DefaultPluginPath(), &problem));
    ASSERT_TRUE(plugin_.Factory());
    EXPECT_EQ(plugin_.Factory()->status, E_UNEXPECTED);
    EXPECT_EQ(plugin_.Module(), nullptr);
    ASSERT_TRUE(plugin_.Factory()->error);
    EXPECT_EQ(plugin_.Factory()->error->source, os::calls().AnsiToWide(kPluginFileName));
    EXPECT_EQ(plugin_.Factory()->error->description, u"No main window");
}

TEST_F(PluginTest, LaunchRefreshesTheStatusDisplayAfterTheCommand) {
    for (bool withView : {false, true}) {
        SCOPED_TRACE(withView ? "with a current view" : "without a current view");
        host_.SetCurrentView(withView);
        Load();
        ClearRecords();

        hostsim::Outcome outcome = plugin_.Launch("pLaZeN", "");
        EXPECT_EQ(outcome.status, S_OK);
        EXPECT_FALSE(outcome.error);
        if (withView) {
            EXPECT_EQ(host_.View()->UpdateStatusBarCalls(), 1u);
            EXPECT_TRUE(host_.state().statusTexts.empty());
        } else {
            EXPECT_EQ(host_.state().statusTexts, (std::vector<StatusText>{{1, u""}, {2, u""}, {3, u""}}));
        }
        plugin_.Unload();
        // Everything the plug-in took, it gave back.
        EXPECT_EQ(host_.ClientReferences(), 1u);
        EXPECT_EQ(host_.ContextReferences(), 1u);
        if (withView) {
            EXPECT_EQ(host_.View()->References(), 1u);
        }
    }
}

TEST_F(PluginTest, UnregisteredCommandSucceedsWithoutAHostCall) {
    Load();
    ClearRecords();
    hostsim::Outcome outcome = plugin_.Launch("NoSuchCommand", "Object=ALL COMPONENTS");
    EXPECT_EQ(outcome.status, S_OK);
    EXPECT_TRUE(host_.state().calls.empty());
}

TEST_F(PluginTest, RaisedErrorReachesTheHostWithTheLibraryAsSource) {
    Load();
    ClearRecords();
    host_.state().statusTextFailure = Failure{E_FAIL, u"Client", u"Status bar is gone"};

    hostsim::Outcome outcome = plugin_.Launch("Plazen", "");
    EXPECT_EQ(outcome.status, E_UNEXPECTED);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->source, os::calls().AnsiToWide(kPluginFileName));
    EXPECT_EQ(outcome.error->description, u"Status bar is gone");
    // The first failing text ends the refresh.
    EXPECT_EQ(host_.state().statusTexts, (std::vector<StatusText>{{1, u""}}));
}

TEST_F(PluginTest, CommandStateIsTheDefaultsForEveryName) {
    Load();
    for (const char* name : {"Plazen", "PLAZEN", "NoSuchCommand", ""}) {
        SCOPED_TRACE(name);
        int32_t s1 = 42, s2 = 42, s3 = 42;
        uint8_t s4 = 42, s5 = 42;
        EXPECT_EQ(plugin_.Launcher()->GetCommandState(name, "", host_.Context(), &s1, &s2, &s3, &s4, &s5), S_OK);
        EXPECT_EQ(s1, -1);
        EXPECT_EQ(s2, 0);
        EXPECT_EQ(s3, -1);
        EXPECT_EQ(s4, 0);
        EXPECT_EQ(s5, 0);
    }
}

// The options file lies in the preference folder under the user's app-data folder; the test puts
// one there for the plug-in to find when it loads, and takes it away again.
TEST_F(PluginTest, UnitSettingsAreReadThroughTheHostsOptionsReaderAtLoad) {
    namespace fs = std::filesystem;
    const std::string sep(1, os::kPathSeparator);
    std::string appData = os::calls().AppDataFolder();
    ASSERT_FALSE(appData.empty());
    fs::path folder = appData + sep + "Vantor2004";
    std::string file = folder.string() + sep + "TRELPA.INI";
    bool createdFolder = fs::create_directories(folder);
    std::ofstream(file) << "[SystemOptions]\r\nFractionalDigits_mm=4\r\n";
    struct Cleanup {
        fs::path folder, file;
        bool removeFolder;
        ~Cleanup() {
            if (removeFolder)
                fs::remove_all(folder);
            else
                fs::remove(file);
        }
    } cleanup{folder, file, createdFolder};

    Load();
    EXPECT_EQ(host_.state().optionsReaders,
              (std::vector<hostsim::OptionsReaderRequest>{{u"TrelPA", os::calls().AnsiToWide(file)}}));
    EXPECT_EQ(host_.state().integerReads,
              (std::vector<hostsim::IntegerRead>{{u"SystemOptions", u"FractionalDigits_mm", 5, 4}}));
}

}  // namespace
}  // namespace plz::integration
