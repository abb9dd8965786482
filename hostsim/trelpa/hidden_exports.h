// For tests that link the plug-in's code: makes chosen exports look missing, as from a module
// that lacks them, by wrapping os::calls().FindExport for the lifetime of one object.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/os.h"

namespace plz::trelpa {

// While one lives, FindExport answers null for each of the names and passes every other lookup
// to the FindExport that was in place before. One at a time.
class HiddenExports {
public:
    explicit HiddenExports(std::initializer_list<const char*> names)
        : override_(Remember(os::calls().FindExport), &Find) {
        Names().assign(names.begin(), names.end());
    }
    ~HiddenExports() { Names().clear(); }
    HiddenExports(const HiddenExports&) = delete;
    HiddenExports& operator=(const HiddenExports&) = delete;

private:
    using FindExportFn = void*(ModuleHandle, const char*);

    static std::vector<std::string>& Names() {
        static std::vector<std::string> names;
        return names;
    }
    static FindExportFn*& Previous() {
        static FindExportFn* previous = nullptr;
        return previous;
    }
    static FindExportFn*& Remember(FindExportFn*& slot) {
        Previous() = slot;
        return slot;
    }
    static void* Find(ModuleHandle module, const char* name) {
        for (const std::string& hidden : Names())
            if (name && hidden == name) return nullptr;
        return Previous()(module, name);
    }

    os::ScopedOverride<FindExportFn> override_;
};

}  // namespace plz::trelpa
