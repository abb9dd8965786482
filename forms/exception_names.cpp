// Names of platform exception codes.
#include "forms/exception_names.h"

#include <cstdio>

namespace plz::forms {

std::string PlatformExceptionName(uint32_t code) {
#define PLZ_NAME_CASE(value, name) \
    case value:                    \
        return name;
    switch (code) { PLZ_PLATFORM_EXCEPTION_NAMES(PLZ_NAME_CASE) }
#undef PLZ_NAME_CASE
    char text[24];
    std::snprintf(text, sizeof text, "Error (%08X)", static_cast<unsigned>(code));
    return text;
}

}  // namespace plz::forms
