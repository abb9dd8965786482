// The plug-in's exceptions, the raise hook that fills the thread's error information and tells the
// host's error reporter, and the check of host statuses.
#include "frame/errors.h"

#include <cxxabi.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/cxx_runtime_hooks.h"
#include "platform/file_path.h"
#include "platform/os.h"

namespace plz {
namespace {

constinit bool g_hookInstalled = false;
constinit ErrorReporter g_reporter{};

// The last errors raised, by object, so that a handler can learn where its error was raised. A
// handful is plenty: handlers look at the error they caught, raised moments ago. Not per thread:
// the plug-in's code runs on the host's user-interface thread, and a thread-local object with a
// destructor would keep the library from ever being unloaded.
struct Remembered {
    const std::exception* object = nullptr;
    uint32_t thread = 0;
    RaisedError error;
};
std::array<Remembered, 8> g_raised;
size_t g_next = 0;

std::string HexCode(HRESULT code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(code));
    return buffer;
}

void OnThrow(const eh::Throw& thrown) {
    RaisedError error;
    error.className = thrown.type ? ClassNameOf(*thrown.type) : std::string("?");
    error.message = thrown.object ? thrown.object->what() : "";
    error.address = thrown.address;
    uintptr_t frames[48];
    error.stack.assign(frames, frames + os::calls().CaptureStack(frames, 48, 2));  // from the thrower on
    if (thrown.object) g_raised[g_next++ % g_raised.size()] = {thrown.object, os::calls().CurrentThreadId(), error};
    // An error object carries its message; any other thrown value only the source.
    PutErrorInfo(error.message);
    if (g_reporter.describe) g_reporter.describe(error);
}

// Handling has ended: the error's text must not stay behind to be mistaken for a later one's.
void OnEndCatch() {
    os::calls().SetThreadErrorInfo(nullptr);
    if (g_reporter.withdraw) g_reporter.withdraw();
}

}  // namespace

Exception::Exception(std::string message) : message_(std::move(message)) {}

EHostError::EHostError(HRESULT code, std::string message, std::u16string source, std::u16string helpFile,
                       uint32_t helpContext)
    : Exception(std::move(message)),
      code_(code),
      source_(std::move(source)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

EOSError::EOSError(uint32_t code) : Exception("System Error. Code: " + std::to_string(code) + "."), code_(code) {}

void CheckHost(HRESULT status) {
    if (!Failed(status)) return;
    os::ErrorInfo info;
    if (os::calls().TakeThreadErrorInfo(&info))
        throw EHostError(status, os::calls().WideToAnsi(info.description), info.source, info.helpFile,
                         info.helpContext);
    throw EHostError(status, "Host call failed with status 0x" + HexCode(status), {}, {}, 0);
}

void PutErrorInfo(const std::string& message) {
    os::ErrorInfo info;
    info.source = os::calls().AnsiToWide(LibraryFileName());
    info.description = os::calls().AnsiToWide(message);
    // Without an error-information object the raise proceeds without one.
    os::calls().SetThreadErrorInfo(&info);
}

void InstallRaiseHook() {
    g_hookInstalled = true;
    eh::SetObservers(OnThrow, OnEndCatch);
}

void RemoveRaiseHook() {
    eh::SetObservers(nullptr, nullptr);
    g_hookInstalled = false;
}

bool RaiseHookInstalled() { return g_hookInstalled; }

void SetErrorReporter(ErrorReporter reporter) { g_reporter = reporter; }

std::string ClassNameOf(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

RaisedError RaisedErrorOf(const std::exception_ptr& error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        try {
            for (const Remembered& r : g_raised)
                if (r.object == &e && r.thread == os::calls().CurrentThreadId() && r.error.message == e.what())
                    return r.error;
            return {ClassNameOf(typeid(e)), e.what(), 0, {}};
        } catch (...) {
        }
    } catch (...) {
    }
    try {
        return {"?", "Unexpected error", 0, {}};
    } catch (...) {
        return {};
    }
}

void DescribeGuardedError(const std::exception_ptr& error) noexcept {
    try {
        // Looking at the error ends a handler of its own, which withdraws; the description is last.
        RaisedError raised = RaisedErrorOf(error);
        PutErrorInfo(raised.message);
        if (g_reporter.describe) g_reporter.describe(raised);
    } catch (...) {
    }
}

std::string LibraryFileName() {
    std::string path = os::calls().ModulePath(os::calls().OwnModule());
    if (path.size() > 260) path.resize(260);
    return FileNameOfPath(path);
}

}  // namespace plz
