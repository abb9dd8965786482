// Reporting of the plug-in's exceptions to the host's error reporting: every raised exception is
// described with ClientAPI_SetErrorInfo (message, crash report, code address) and withdrawn with
// ClientAPI_ClearErrorInfo when its handling ends; platform exceptions of the plug-in's own code
// are described by name (Windows only: the POSIX stand-in sees no faults); and the application's
// exception handler hands serious exceptions to the host and shows the others in an error box.
//
// Serious exceptions, those the host takes over (its crash handling), are this plug-in's:
//   platform exceptions        EExternal
//   operating-system errors    EOSError, std::system_error (which also carries thread errors)
//   list index errors          std::out_of_range
//   heap exhaustion            std::bad_alloc
//   invalid framework use      EInvalidOperation
//   missing resources          EResNotFound
//   OLE (host interface) errors EHostError
// and anything derived from them. Every other error is one for the user: an error box.
#pragma once

#include <cstdint>
#include <exception>

namespace plz::forms {

// Installed once with the forms support and removed at its shut-down.
void InstallExceptionReporting();
void RemoveExceptionReporting();

// Describes a platform exception without an exception object: its name, the address, a report.
void ReportPlatformException(uint32_t code, uintptr_t address);

bool IsSeriousException(const std::exception_ptr& error);

// The application's exception handler (see frame/application.h).
void HandleExceptionForHost(const std::exception_ptr& error);

}  // namespace plz::forms
