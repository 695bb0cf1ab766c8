#pragma once

#include <optional>

namespace bw {

// 4x4 matrix in the row-vector convention: a point p transforms as p x M, so the
// translation sits in the fourth row and a child's world matrix is local x parent.
// m[row][column]; m[0][0] is m11, m[3][2] is m43.
struct Matrix {
    float m[4][4] = {};

    friend bool operator==(const Matrix&, const Matrix&) = default;
};

Matrix identityMatrix();

Matrix operator*(const Matrix& a, const Matrix& b);

// Empty when the matrix has no inverse (zero determinant, or one so small that the
// inverse would not be finite).
std::optional<Matrix> inverse(const Matrix& a);

} // namespace bw
