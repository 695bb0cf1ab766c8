#include "scene3d/platform/device/IndexedTriangles.h"

#include <atomic>

namespace bw {

std::uint64_t nextContentRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace bw
