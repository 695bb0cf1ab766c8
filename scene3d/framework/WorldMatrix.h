#pragma once
// The world matrix a scene is drawn and picked from. Frames carry every placement, so it is
// the identity: device creation, the default scene set-up and the creation of a frame all
// only ever reset it, and nothing sets it to anything else.

#include "scene3d/math/Matrix.h"

namespace bw {

inline Matrix sceneWorldMatrix() { return identityMatrix(); }

} // namespace bw
