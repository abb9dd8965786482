// Names of platform exception codes, for exceptions that come without an exception object.
#pragma once

#include <cstdint>
#include <string>

namespace plz::forms {

// X(code, name): the one table.
#define PLZ_PLATFORM_EXCEPTION_NAMES(X)            \
    X(0xC0000005, "Access Violation")              \
    X(0xC0000006, "In Page Error")                 \
    X(0xC0000008, "Invalid Handle")                \
    X(0xC0000017, "No Memory")                     \
    X(0xC000001D, "Illegal Instruction")           \
    X(0xC0000025, "Noncontinuable Exception")      \
    X(0xC0000026, "Invalid Disposition")           \
    X(0xC000008C, "Array Bounds Exceeded")         \
    X(0xC000008D, "Float Denormal Operand")        \
    X(0xC000008E, "Float Divide By Zero")          \
    X(0xC000008F, "Float Inexact Result")          \
    X(0xC0000090, "Float Invalid Operation")       \
    X(0xC0000091, "Float Overflow")                \
    X(0xC0000092, "Float Stack Check")             \
    X(0xC0000093, "Float Underflow")               \
    X(0xC0000094, "Integer Divide By Zero")        \
    X(0xC0000095, "Integer Overflow")              \
    X(0xC0000096, "Privileged Instruction")        \
    X(0xC00000FD, "Stack Overflow")

// The table's name for `code`, else "Error (" + 8 upper-case hexadecimal digits + ")".
std::string PlatformExceptionName(uint32_t code);

}  // namespace plz::forms
