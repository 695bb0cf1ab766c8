#pragma once
// Runs a piece of a test in a child process whose address space is capped, so that a
// regression in the limits on hostile input fails the test instead of exhausting the
// machine.

#include <cstdint>
#include <functional>
#include <string>

namespace bw::test {

inline constexpr std::uint64_t oneGiB = std::uint64_t{1} << 30;

// Why a cap cannot be set in this build (AddressSanitizer reserves terabytes of address
// space up front), or empty when it can.
std::string memoryCapUnavailable();

// The address space this process uses now, for caps that leave it a set amount more.
std::uint64_t addressSpaceInUse();

// Forks; the child caps its address space at capBytes (RLIMIT_AS), runs body and exits
// with what it returns, or 90 when body lets std::bad_alloc out, 91 for any other
// exception. Returns the child's exit status, or 128 + the signal that ended it.
int runUnderMemoryCap(std::uint64_t capBytes, const std::function<int()>& body);

} // namespace bw::test
