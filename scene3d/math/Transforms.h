#pragma once

#include "scene3d/math/Matrix.h"
#include "scene3d/math/Quaternion.h"
#include "scene3d/math/Vector3.h"

namespace bw {

Matrix scalingMatrix(float sx, float sy, float sz);
Matrix translationMatrix(float x, float y, float z);

// Rotations by an angle in radians, clockwise when looking along the axis towards the
// origin (left-handed).
Matrix rotationXMatrix(float angle);
Matrix rotationYMatrix(float angle);
Matrix rotationZMatrix(float angle);
// The axis need not be unit length; a zero axis gives cos(angle) on the diagonal.
Matrix rotationAxisMatrix(Vector3 axis, float angle);

Matrix rotationQuaternionMatrix(const Quaternion& q);
// The unit quaternion of the rotation held in the upper 3x3 of m.
Quaternion quaternionFromRotationMatrix(const Matrix& m);
Quaternion rotationAxisQuaternion(Vector3 axis, float angle);

// S(scale) x T(-centre) x R(rotation) x T(centre) x T(translation).
Matrix affineTransformationMatrix(float scale, Vector3 rotationCentre, const Quaternion& rotation,
                                  Vector3 translation);

} // namespace bw
