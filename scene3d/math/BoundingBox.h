#pragma once

#include "scene3d/math/Vector3.h"

namespace bw {

struct BoundingBox {
    Vector3 minimum;
    Vector3 maximum;
};

} // namespace bw
