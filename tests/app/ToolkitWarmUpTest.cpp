#include <dlfcn.h>
#include <gtest/gtest.h>

#include "app/ToolkitWarmUp.h"

namespace {

bool loaded(const char* library) {
    void* handle = ::dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    if (handle) ::dlclose(handle);
    return handle != nullptr;
}

} // namespace

TEST(ToolkitWarmUp, CallsOnlyIntoLibrariesAlreadyLoaded) {
    EXPECT_TRUE(bw::app::callIfLoaded("libc.so.6", "getpid"));
    EXPECT_FALSE(bw::app::callIfLoaded("libc.so.6", "bw_no_such_function"));
    EXPECT_FALSE(bw::app::callIfLoaded("libbw-no-such-library.so.1", "init"));

    // Installed with the toolkit but loaded only by its X11 platform, which these tests
    // do not use: asking must not load it.
    constexpr const char* unused = "libXcursor.so.1";
    if (loaded(unused)) GTEST_SKIP() << unused << " is loaded in this process";
    EXPECT_FALSE(bw::app::callIfLoaded(unused, "XcursorGetTheme"));
    EXPECT_FALSE(loaded(unused));
}

TEST(ToolkitWarmUp, EndsCleanlyWaitedForOrNot) {
    { bw::app::ToolkitWarmUp notWaitedFor; }
    bw::app::ToolkitWarmUp warmUp;
    warmUp.wait();
    warmUp.wait();
    // The fonts the toolkit reads afterwards are the ones warmed: fontconfig is there.
    EXPECT_TRUE(bw::app::callIfLoaded("libfontconfig.so.1", "FcInit"));
}
