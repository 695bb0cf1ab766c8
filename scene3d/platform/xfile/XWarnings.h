#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bw {

// What a reading passed over in a file that still reads: the first messages, each naming
// the byte where it happened, and how many there were in all. Bounded, as a hostile file
// can give one for every object.
struct XWarnings {
    static constexpr std::size_t maxListed = 64;
    std::vector<std::string> listed;
    std::uint64_t count = 0;

    void add(std::string message) {
        ++count;
        if (listed.size() < maxListed) listed.push_back(std::move(message));
    }
};

} // namespace bw
