#include "app/ToolkitWarmUp.h"

#include <dlfcn.h>

namespace bw::app {

namespace {

// Fontconfig keeps its first initialisation for the whole process; the toolkit's own call
// then returns at once. Warmed only where the toolkit is linked with it.
void readFontConfiguration() { callIfLoaded("libfontconfig.so.1", "FcInit"); }

} // namespace

bool callIfLoaded(const char* library, const char* function) {
    void* handle = ::dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) return false;
    using Function = int (*)();
    const auto call = reinterpret_cast<Function>(::dlsym(handle, function));
    if (call) call();
    ::dlclose(handle);
    return call != nullptr;
}

ToolkitWarmUp::ToolkitWarmUp() : thread_(readFontConfiguration) {}

ToolkitWarmUp::~ToolkitWarmUp() { wait(); }

void ToolkitWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

} // namespace bw::app
