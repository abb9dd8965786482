// The one POSIX call that must live in every module: the caller's own module handle.
#include <dlfcn.h>

#include "platform/os.h"

namespace plz::os::native {

ModuleHandle OwnModule() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&OwnModule), &info) || !info.dli_fname) return nullptr;
    void* h = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h;
}

}  // namespace plz::os::native
