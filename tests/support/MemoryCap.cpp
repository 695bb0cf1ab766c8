#include "tests/support/MemoryCap.h"

#include <cstdio>
#include <exception>
#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BW_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define BW_ADDRESS_SANITIZER 1
#endif

namespace bw::test {

std::string memoryCapUnavailable() {
#ifdef BW_ADDRESS_SANITIZER
    return "AddressSanitizer reserves more address space than any cap allows: run this test in the default "
           "build";
#else
    return {};
#endif
}

std::uint64_t addressSpaceInUse() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    unsigned long long pages = 0;
    const int read = std::fscanf(statm, "%llu", &pages);
    std::fclose(statm);
    return read == 1 ? pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) : 0;
}

int runUnderMemoryCap(std::uint64_t capBytes, const std::function<int()>& body) {
    std::fflush(nullptr); // nothing buffered is written twice
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        const rlimit cap{capBytes, capBytes};
        if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(92);
        int status = 0;
        try {
            status = body();
        } catch (const std::bad_alloc&) {
            status = 90;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            status = 91;
        }
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

} // namespace bw::test
