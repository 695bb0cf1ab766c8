#include "scene3d/init/AdapterRecord.h"

#include <algorithm>
#include <utility>

namespace bw {

std::int32_t DeviceTypeLists::findFormat(std::uint32_t format) const {
    const auto entry = std::find_if(formats.begin(), formats.end(),
                                    [format](const FormatEntry& e) { return e.format == format; });
    return entry == formats.end() ? -1 : entry->behaviourFlags;
}

std::int32_t DeviceTypeLists::findMode(const ModeEntry& mode) const {
    const auto entry = std::find(modes.begin(), modes.end(), mode);
    return entry == modes.end() ? -1 : static_cast<std::int32_t>(entry - modes.begin());
}

DeviceTypeLists* AdapterRecord::listsFor(DeviceType deviceType) {
    return const_cast<DeviceTypeLists*>(std::as_const(*this).listsFor(deviceType));
}

const DeviceTypeLists* AdapterRecord::listsFor(DeviceType deviceType) const {
    switch (deviceType) {
    case D3DDEVTYPE_HAL:
        return &lists[0];
    case D3DDEVTYPE_REF:
        return &lists[1];
    default:
        return nullptr;
    }
}

} // namespace bw
