// Exceptions described to the host: the names of platform exception codes, a raised error reaching
// the host with its report and withdrawn when its handler ends, the error a guard returns keeping
// its own description after errors swallowed on the way, and the application's exception handler
// telling serious errors (the host's) from the user's.
#include <gtest/gtest.h>

#include <map>
#include <new>
#include <stdexcept>
#include <system_error>

#include "client/client_api.h"
#include "platform/wide_string.h"
#include "forms/exception_names.h"
#include "forms/exception_reporting.h"
#include "frame/application.h"
#include "frame/boundary_guard.h"
#include "frame/errors.h"
#include "platform/os.h"
#include "tests/unit/ui/answer_dialogs.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace plz {
namespace {

using namespace forms;

ModuleHandle const kMainProgram = reinterpret_cast<ModuleHandle>(0x1000);

// What the host was told, in order: "set MESSAGE", "clear", "handle N".
std::vector<std::string> g_events;
std::string g_lastReport;
uintptr_t g_lastAddress = 0;

void PLZ_STDCALL HostSetErrorInfo(BSTR error, BSTR detail, uintptr_t address) {
    g_events.push_back("set " + os::AnsiFromString(error));
    g_lastReport = os::AnsiFromString(detail);
    g_lastAddress = address;
}
void PLZ_STDCALL HostClearErrorInfo() { g_events.push_back("clear"); }
void PLZ_STDCALL HostHandleException(int32_t value) { g_events.push_back("handle " + std::to_string(value)); }

ModuleHandle FindModule(const char* name) { return name ? nullptr : kMainProgram; }
void* FindExport(ModuleHandle, const char* name) {
    static const std::map<std::string, void*> exports = {
        {"ClientAPI_SetErrorInfo", reinterpret_cast<void*>(HostSetErrorInfo)},
        {"ClientAPI_ClearErrorInfo", reinterpret_cast<void*>(HostClearErrorInfo)},
        {"ClientAPI_HandleException", reinterpret_cast<void*>(HostHandleException)},
    };
    auto it = exports.find(name);
    return it == exports.end() ? nullptr : it->second;
}

[[gnu::noinline]] void Raise(const std::string& message) { throw Exception(message); }

class ExceptionReportingTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_events.clear();
        os::calls().FindLoadedModule = FindModule;
        os::calls().FindExport = FindExport;
        os::calls().RegistryOpen = [](os::RegistryRoot, const std::string&) -> os::RegistryKey { return nullptr; };
        UnbindHostAPIs();
        BindClientAPI();
        InstallRaiseHook();
        InstallExceptionReporting();
    }
    void TearDown() override {
        RemoveExceptionReporting();
        RemoveRaiseHook();
        UnbindHostAPIs();
        os::calls().SetThreadErrorInfo(nullptr);
        os::ResetAll();
    }
    static std::string ThreadErrorText() {
        os::ErrorInfo info;
        return os::calls().TakeThreadErrorInfo(&info) ? os::calls().WideToAnsi(info.description) : "<none>";
    }
};

TEST(PlatformExceptionNames, TableAndFallback) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0xC0000005, "Access Violation"},     {0xC0000094, "Integer Divide By Zero"},
        {0xC00000FD, "Stack Overflow"},       {0xC000008C, "Array Bounds Exceeded"},
        {0xC0000409, "Error (C0000409)"},     {0x0000002A, "Error (0000002A)"},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(PlatformExceptionName(code), name) << std::hex << code;
}

TEST_F(ExceptionReportingTest, ARaisedErrorReachesTheHostWithItsReportAndIsWithdrawnWhenHandled) {
    try {
        Raise("Board is locked");
    } catch (const Exception&) {
        EXPECT_EQ(g_events, std::vector<std::string>{"set Board is locked"});
        EXPECT_EQ(ThreadErrorText(), "Board is locked");
        // The report: class, message, raise address as module + offset, thread, time, version, stack.
        std::string module = os::calls().ModulePath(os::calls().OwnModule());
        module = module.substr(module.find_last_of("\\/") + 1);
        const std::string lines[] = {"Exception: plz::Exception\n", "Message: Board is locked\n",
                                     "Address: " + module + "+0x", "\nThread: ", "\nTime: ", "\nVersion: ",
                                     "Stack:\n  " + module};
        for (const std::string& line : lines)
            EXPECT_NE(g_lastReport.find(line), std::string::npos) << line << " in\n" << g_lastReport;
        uintptr_t here = os::calls().ModuleOfAddress(reinterpret_cast<uintptr_t>(&Raise), nullptr);
        EXPECT_NE(here, 0u);
        EXPECT_EQ(os::calls().ModuleOfAddress(g_lastAddress, nullptr), here);
    }
    EXPECT_EQ(g_events, (std::vector<std::string>{"set Board is locked", "clear"}));
    EXPECT_EQ(ThreadErrorText(), "<none>");

    ReportPlatformException(0xC0000094, 0x1234);
    EXPECT_EQ(g_events.back(), "set Integer Divide By Zero");
    EXPECT_EQ(g_lastAddress, 0x1234u);
    EXPECT_NE(g_lastReport.find("Exception: (platform exception)\nMessage: Integer Divide By Zero\n"), std::string::npos);
}

// A swallowed error must neither take the place of the error being returned nor outlive its
// handler: a later host failure without error information is not to be told with its text.
TEST_F(ExceptionReportingTest, TheGuardsErrorKeepsItsDescriptionAndSwallowedErrorsLeaveNothing) {
    struct CleanUp {
        ~CleanUp() {
            try {
                Raise("store failed");
            } catch (...) {
            }
        }
    };
    HRESULT status = Guard([] {
        CleanUp cleanUp;
        Raise("run failed");
    });
    EXPECT_EQ(status, E_UNEXPECTED);
    EXPECT_EQ(ThreadErrorText(), "run failed");
    EXPECT_EQ(g_events.back(), "set run failed");

    try {
        Raise("swallowed on purpose");
    } catch (...) {
    }
    try {
        CheckHost(E_FAIL);
        ADD_FAILURE();
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "Host call failed with status 0x80004005");
    }
}

#if defined(_WIN32) && defined(__x86_64__)
// A real fault in this module's code: the vectored handler describes it by name; a handler of the
// test's own, called after it, steps over the faulting two-byte instruction.
LONG CALLBACK StepOverUd2(EXCEPTION_POINTERS* pointers) {
    if (pointers->ExceptionRecord->ExceptionCode != 0xC000001D) return EXCEPTION_CONTINUE_SEARCH;
    pointers->ContextRecord->Rip += 2;
    return EXCEPTION_CONTINUE_EXECUTION;
}

TEST_F(ExceptionReportingTest, APlatformFaultInThePlugInsCodeIsDescribedByName) {
    void* stepOver = AddVectoredExceptionHandler(0, StepOverUd2);
    asm volatile("ud2");
    RemoveVectoredExceptionHandler(stepOver);
    EXPECT_EQ(g_events, std::vector<std::string>{"set Illegal Instruction"});
    EXPECT_EQ(os::calls().ModuleOfAddress(g_lastAddress, nullptr),
              os::calls().ModuleOfAddress(reinterpret_cast<uintptr_t>(&Raise), nullptr));
}
#endif

TEST_F(ExceptionReportingTest, SeriousErrorsGoToTheHostOthersToAnErrorBox) {
    const struct {
        std::exception_ptr error;
        const char* message;
        bool serious;
    } cases[] = {
        {std::make_exception_ptr(std::out_of_range("List index out of bounds (5)")), "List index out of bounds (5)", true},
        {std::make_exception_ptr(std::bad_alloc()), "std::bad_alloc", true},
        {std::make_exception_ptr(EOSError(5)), "System Error. Code: 5.", true},
        {std::make_exception_ptr(std::system_error(std::make_error_code(std::errc::resource_deadlock_would_occur), "Thread")),
         nullptr, true},
        {std::make_exception_ptr(EExternal(0xC0000005, 0x10, "Access Violation")), "Access Violation", true},
        {std::make_exception_ptr(EInvalidOperation("Cannot focus a disabled or invisible window")),
         "Cannot focus a disabled or invisible window", true},
        {std::make_exception_ptr(EResNotFound("Resource TWARNING not found")), "Resource TWARNING not found", true},
        {std::make_exception_ptr(EHostError(E_FAIL, "Host refused", {}, {}, 0)), "Host refused", true},
        {std::make_exception_ptr(std::invalid_argument("'x' is not a valid integer value")),
         "'x' is not a valid integer value", false},
        {std::make_exception_ptr(Exception("No PCB")), "No PCB", false},
        {std::make_exception_ptr(42), "Unexpected error", false},
    };
    for (const auto& c : cases) {
        g_events.clear();
        test::AnswerDialogs dialogs;
        HandleApplicationException(c.error);
        if (c.serious) {
            ASSERT_FALSE(g_events.empty());
            EXPECT_EQ(g_events.back(), "handle 0");
            ASSERT_GE(g_events.size(), 2u);
            if (c.message) {
                EXPECT_EQ(g_events[g_events.size() - 2], std::string("set ") + c.message);
            }
        } else {
            EXPECT_EQ(test::AnsweredDialogs(), std::vector<std::string>{std::string("Error: ") + c.message});
        }
    }
}

}  // namespace
}  // namespace plz
