#pragma once
// What the model view takes from the 3D platform. The program's start wires the concrete
// parts in (Direct3D object with its drivers, texture file reader); tests hand in fakes.

#include <memory>

#include "scene3d/init/D3DInit.h"
#include "scene3d/platform/device/TextureLoader.h"

namespace bw::modelview {

struct PlatformServices {
    Direct3DCreateFunction createDirect3D;
    std::shared_ptr<const TextureLoader> textureLoader;
};

} // namespace bw::modelview
