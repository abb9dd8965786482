// Exception reporting to the host.
#include "forms/exception_reporting.h"

#include <new>
#include <stdexcept>
#include <system_error>

#include "client/client_api.h"
#include "client/messages.h"
#include "ui/application.h"
#include "ui/message_dialog.h"
#include "platform/wide_string.h"
#include "forms/crash_report.h"
#include "forms/exception_names.h"
#include "frame/application.h"
#include "frame/errors.h"
#include "platform/os.h"

namespace plz::forms {
namespace {

constinit void* g_platformWatch = nullptr;

void SetHostErrorInfo(const std::string& message, const CrashFacts& facts) {
    // The report takes a stack walk: not for a host that would drop it.
    if (!ClientApiEntry(kClientAPI_SetErrorInfo)) return;
    WideString text(message);
    WideString report(CrashReport(facts));
    ClientAPI_SetErrorInfo(text.Get(), report.Get(), facts.address);
}

void Describe(const RaisedError& error) {
    SetHostErrorInfo(error.message,
                     {error.className, error.message, error.address, os::calls().CurrentThreadId(), error.stack});
}

void Withdraw() { ClientAPI_ClearErrorInfo(); }

}  // namespace

void ReportPlatformException(uint32_t code, uintptr_t address) {
    std::string name = PlatformExceptionName(code);
    SetHostErrorInfo(name, {{}, name, address, os::calls().CurrentThreadId(), {}});
}

bool IsSeriousException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EExternal&) {
        return true;
    } catch (const EOSError&) {
        return true;
    } catch (const std::system_error&) {
        return true;
    } catch (const std::out_of_range&) {
        return true;
    } catch (const std::bad_alloc&) {
        return true;
    } catch (const EInvalidOperation&) {
        return true;
    } catch (const EResNotFound&) {
        return true;
    } catch (const EHostError&) {
        return true;
    } catch (...) {
        return false;
    }
}

void HandleExceptionForHost(const std::exception_ptr& error) {
    RaisedError raised = RaisedErrorOf(error);
    if (!IsSeriousException(error)) {
        ui::ShowErrorMessage(raised.message);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const EExternal& e) {
        raised.address = e.Address();
    } catch (...) {
    }
    SetHostErrorInfo(raised.message, {raised.className, raised.message, raised.address,
                                      os::calls().CurrentThreadId(), raised.stack});
    ClientAPI_HandleException(0);
}

void InstallExceptionReporting() {
    SetErrorReporter({Describe, Withdraw});
    SetApplicationExceptionHandler(HandleExceptionForHost);
    // Errors that reach the form framework's window and hook procedures take the same way.
    ui::SetExceptionHandler([](std::exception_ptr error) { HandleExceptionForHost(error); });
    if (!g_platformWatch) g_platformWatch = os::calls().WatchPlatformExceptions(ReportPlatformException);
}

void RemoveExceptionReporting() {
    if (g_platformWatch) os::calls().UnwatchPlatformExceptions(g_platformWatch);
    g_platformWatch = nullptr;
    ui::SetExceptionHandler(nullptr);
    SetApplicationExceptionHandler(nullptr);
    SetErrorReporter({});
}

}  // namespace plz::forms
