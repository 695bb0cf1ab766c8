#pragma once
// Creates the program's Direct3D object: the adapters are Qt's screens, device type 2 is
// the reference rasterizer, device type 1 the hardware driver once one is registered.
// When the reference device is forced (BOARDWRIGHT_DEVICE=reference, or the command line's
// --reference-device), hardware requests are served by the reference rasterizer too.

#include <memory>
#include <string>

#include "scene3d/platform/device/Direct3D.h"

namespace bw {

// The environment variable's value that forces the reference device.
bool referenceRequestedBy(const std::string& environmentValue);

// Forces the reference device for every Direct3D object created afterwards.
void setReferenceDeviceForced(bool forced);
// The command-line switch or the environment variable BOARDWRIGHT_DEVICE=reference.
bool referenceDeviceForced();

// The driver of the hardware device (the OpenGL device registers itself here); empty
// leaves device type 1 unavailable unless the reference device is forced.
void setHardwareDeviceDriver(std::shared_ptr<DeviceDriver> driver);

// Installs the drivers into a Direct3D object.
void installDrivers(Direct3D& direct3d, std::shared_ptr<DeviceDriver> hardware, bool referenceForced);

// The platform's entry point: a new Direct3D object over the current screens.
std::shared_ptr<IDirect3D8> Direct3DCreate8();

} // namespace bw
