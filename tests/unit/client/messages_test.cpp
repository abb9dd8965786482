// The test-mode check, and test mode ending the process after one line on standard output
// instead of showing the error box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "client/messages.h"
#include "ui/message_dialog.h"
#include "frame/application.h"
#include "tests/unit/client/host_files.h"

// After the plug-in's headers, whose status names <windows.h> would turn into macros.
#if defined(_WIN32)
#include <windows.h>
#endif

namespace plz {
namespace {

class MessagesTest : public test::HostFilesTest {
protected:
    void SetUp() override {
        HostFilesTest::SetUp();
        SetApplicationWindow(0x55);
    }
    void TearDown() override {
        SetApplicationWindow(0);
        HostFilesTest::TearDown();
    }
    static void EnterTestMode() { SetRegistry(os::RegistryRoot::LocalMachine, "Software\\Vantor\\TestMode"); }
};

TEST_F(MessagesTest, TestModeIsTheKeysExistenceCheckedAtEveryCall) {
    EXPECT_FALSE(IsTestMode());
    // A key of the same name elsewhere does not count.
    SetRegistry(os::RegistryRoot::CurrentUser, "Software\\Vantor\\TestMode");
    EXPECT_FALSE(IsTestMode());
    EnterTestMode();
    EXPECT_TRUE(IsTestMode());
    std::filesystem::remove_all(test::RegistryFolder(os::RegistryRoot::LocalMachine, "Software\\Vantor\\TestMode"));
    EXPECT_FALSE(IsTestMode());
    EXPECT_FALSE(RegistryKeyExists(os::RegistryRoot::LocalMachine, "Software\\Vantor\\TestMode"));
}

std::vector<std::string> g_registryCalls;
int g_fakeKey;
os::RegistryKey RecordOpen(os::RegistryRoot root, const std::string& path) {
    g_registryCalls.push_back(std::string(root == os::RegistryRoot::LocalMachine ? "HKLM " : "HKCU ") + path);
    return &g_fakeKey;
}
void RecordClose(os::RegistryKey key) { g_registryCalls.push_back(key == &g_fakeKey ? "close" : "close other"); }

TEST_F(MessagesTest, TestModeKeyIsHandedOverWithoutItsLeadingBackslash) {
    g_registryCalls.clear();
    os::calls().RegistryOpen = RecordOpen;
    os::calls().RegistryClose = RecordClose;
    EXPECT_TRUE(IsTestMode());
    EXPECT_EQ(g_registryCalls, (std::vector<std::string>{"HKLM Software\\Vantor\\TestMode", "close"}));
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Marks a clean-up that the process ran on its way out: the exit handlers of the C runtime, and on
// Windows the per-fibre clean-up that every module's detach step runs too.
std::string g_cleanupMark;
void MarkCleanup() { std::ofstream(g_cleanupMark) << "cleaned up"; }
#if defined(_WIN32)
void WINAPI MarkFibreCleanup(void*) { MarkCleanup(); }
#endif
void WatchCleanup(const std::string& mark) {
    g_cleanupMark = mark;
    std::atexit(MarkCleanup);
#if defined(_WIN32)
    ::FlsSetValue(::FlsAlloc(MarkFibreCleanup), &g_cleanupMark);
#endif
}

TEST_F(MessagesTest, InTestModeAMessageBoxEndsTheProcess) {
    EnterTestMode();
    const std::string out = (root / "stdout.txt").string();
    const std::string cleanup = (root / "cleanup.txt").string();
    EXPECT_EXIT(
        {
            if (!std::freopen(out.c_str(), "w", stdout)) std::abort();
            WatchCleanup(cleanup);
            std::fputs("pending ", stdout);  // still buffered: the exit must flush it
            ui::ShowErrorMessage("No PCB is currently open in Client.");
        },
        ::testing::ExitedWithCode(1), "");
#if defined(_WIN32)
    const char* newline = "\r\n";  // standard output in text mode
#else
    const char* newline = "\n";
#endif
    EXPECT_EQ(ReadAll(out), std::string("pending ShowDialogWithCaption withError No PCB is currently open in Client.") +
                                newline);
    EXPECT_FALSE(std::filesystem::exists(cleanup));  // ended at once, nothing cleaned up
}

}  // namespace
}  // namespace plz
