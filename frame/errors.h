// The plug-in's errors. Every failure inside the plug-in is an exception carrying a message; while
// the raise hook is installed, raising one also puts the thread's error information in place
// (source: the library's file name, description: the message) and tells the host's error reporter,
// and the end of each handler withdraws both. The boundary guard describes the error it returns
// once more after its handler has ended, so that what the host finds is always that error's.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/abi.h"

namespace plz {

class Exception : public std::exception {
public:
    explicit Exception(std::string message);
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

// The runtime's "Abstract Error": a virtual operation with no implementation was called.
class EAbstractError : public Exception {
public:
    EAbstractError() : Exception("Abstract Error") {}
};

// An assertion of the plug-in's own failed.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// A host interface call returned a failure status.
class EHostError : public Exception {
public:
    EHostError(HRESULT code, std::string message, std::u16string source, std::u16string helpFile,
               uint32_t helpContext);
    HRESULT Code() const { return code_; }
    const std::u16string& Source() const { return source_; }
    const std::u16string& HelpFile() const { return helpFile_; }
    uint32_t HelpContext() const { return helpContext_; }

private:
    HRESULT code_;
    std::u16string source_;
    std::u16string helpFile_;
    uint32_t helpContext_;
};

// A platform exception (access violation, division by zero, ...) raised as an error object.
class EExternal : public Exception {
public:
    EExternal(uint32_t code, uintptr_t address, std::string message)
        : Exception(std::move(message)), code_(code), address_(address) {}
    uint32_t Code() const { return code_; }
    uintptr_t Address() const { return address_; }

private:
    uint32_t code_;
    uintptr_t address_;
};

// An operation the user-interface framework cannot do in the object's state.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A resource (a stored form description, a picture) that the module does not hold.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// A call of the operating system failed with a Windows error code.
class EOSError : public Exception {
public:
    explicit EOSError(uint32_t code);
    uint32_t Code() const { return code_; }

private:
    uint32_t code_;
};

// Checks a status returned by a host interface: a negative one raises EHostError carrying the
// error information the host left for the thread, or the code alone.
void CheckHost(HRESULT status);

// The raise hook: installed and removed with the library's load and unload. It observes every C++
// throw of the module and the end of every handler.
void InstallRaiseHook();
void RemoveRaiseHook();
bool RaiseHookInstalled();

// Puts the thread's error information in place for `message`, as the raise hook does: source the
// library's file name, description the message. For errors that do not pass through the hook.
void PutErrorInfo(const std::string& message);

// What is known of a raised error: its class, its message, the code address that raised it and
// the stack there (0 and empty when it was not seen being raised).
struct RaisedError {
    std::string className;
    std::string message;
    uintptr_t address = 0;
    std::vector<uintptr_t> stack;
};

// The host's side of error reporting, set by the forms support: `describe` when an error is
// raised (and for the error a guard returns), `withdraw` when handling of an error ends.
struct ErrorReporter {
    void (*describe)(const RaisedError& error) = nullptr;
    void (*withdraw)() = nullptr;
};
void SetErrorReporter(ErrorReporter reporter);

// What was recorded when `error` was raised on this thread, or what can be said of it now.
RaisedError RaisedErrorOf(const std::exception_ptr& error) noexcept;
// The demangled name of a type.
std::string ClassNameOf(const std::type_info& type);

// The boundary guard's last step, after its handler has ended: the thread's error information and
// the host's report describe `error`, the error being returned, whatever was raised and swallowed
// on the way.
void DescribeGuardedError(const std::exception_ptr& error) noexcept;

// The library file name without folder, as the hook reports it as the error's source.
std::string LibraryFileName();

}  // namespace plz
