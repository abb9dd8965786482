// The plug-in's errors. Every failure inside the plug-in is an exception carrying a message; while
// the raise hook is installed, raising one also puts the thread's error information in place
// (source: the library's file name, description: the message), which the boundary guard leaves
// for the host when it turns the error into E_UNEXPECTED.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

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

// The raise hook: installed and removed with the library's load and unload.
void InstallRaiseHook();
void RemoveRaiseHook();
bool RaiseHookInstalled();

// Puts the thread's error information in place for `message`, as the raise hook does: source the
// library's file name, description the message. For errors that do not pass through the hook.
void PutErrorInfo(const std::string& message);

// The library file name without folder, as the hook reports it as the error's source.
std::string LibraryFileName();

}  // namespace plz
