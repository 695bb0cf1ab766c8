#pragma once
// Makes the program's Direct3D objects: the adapters are Qt's screens, and the drivers are
// the ones the program's start hands in. When the reference device is forced
// (BOARDWRIGHT_DEVICE=reference, or the command line's --reference-device), hardware
// requests are served by the reference driver too.

#include <memory>
#include <string>

#include "scene3d/platform/device/Direct3D.h"

namespace bw {

struct DeviceDrivers {
    std::shared_ptr<DeviceDriver> reference; // device type 2
    std::shared_ptr<DeviceDriver> hardware;  // device type 1; empty leaves it unavailable
    bool referenceForced = false;            // hardware requests go to the reference driver
};

// The environment variable's value that forces the reference device.
bool referenceRequestedBy(const std::string& environmentValue);
// BOARDWRIGHT_DEVICE=reference is set.
bool referenceRequestedByEnvironment();

// Installs the drivers into a Direct3D object.
void installDrivers(Direct3D& direct3d, const DeviceDrivers& drivers);

// A new Direct3D object over the current screens, with these drivers.
std::shared_ptr<IDirect3D8> createDirect3D(const DeviceDrivers& drivers);

} // namespace bw
