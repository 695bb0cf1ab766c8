#pragma once
// The material record SetMaterial takes. It is the one the mesh container's material
// buffer holds (four colours and the power, 68 bytes), so there is a single definition.

#include "scene3d/platform/mesh/Material.h"

static_assert(sizeof(bw::Material) == 68, "Material must keep the platform's 68-byte layout");
