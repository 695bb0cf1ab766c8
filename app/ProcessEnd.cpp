#include "app/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace bw::app {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool checkedBySanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool checkedBySanitizer = true;
#else
constexpr bool checkedBySanitizer = false;
#endif
#else
constexpr bool checkedBySanitizer = false;
#endif

} // namespace

void endWithoutTeardown(int status) {
    if (checkedBySanitizer) return;
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace bw::app
