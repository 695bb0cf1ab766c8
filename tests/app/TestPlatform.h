#pragma once
// The 3D parts the program's start wires together, as the widget tests have them: Qt's
// screens with the reference rasterizer (forced by the tests' main) and textures from
// image files.

#include <memory>

#include "modelview/PlatformServices.h"
#include "scene3d/platform/qt/Direct3DFactory.h"
#include "scene3d/platform/qt/TextureFile.h"
#include "scene3d/platform/raster/ReferenceDriver.h"

namespace bw::apptest {

inline modelview::PlatformServices testPlatform() {
    DeviceDrivers drivers;
    drivers.reference = std::make_shared<ReferenceDriver>();
    drivers.referenceForced = referenceRequestedByEnvironment();
    return {[drivers] { return createDirect3D(drivers); }, std::make_shared<ImageFileTextureLoader>()};
}

} // namespace bw::apptest
