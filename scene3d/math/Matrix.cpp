#include "scene3d/math/Matrix.h"

#include <cmath>

namespace bw {

Matrix identityMatrix() {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0f;
    return r;
}

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[row][k] * b.m[k][col];
            r.m[row][col] = sum;
        }
    }
    return r;
}

std::optional<Matrix> inverse(const Matrix& a) {
    // Cofactors from 2x2 sub-determinants of the top and bottom row pairs, in double so
    // that nearly singular matrices still give their best float answer.
    double m[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] = a.m[r][c];

    const double s0 = m[0][0] * m[1][1] - m[1][0] * m[0][1];
    const double s1 = m[0][0] * m[1][2] - m[1][0] * m[0][2];
    const double s2 = m[0][0] * m[1][3] - m[1][0] * m[0][3];
    const double s3 = m[0][1] * m[1][2] - m[1][1] * m[0][2];
    const double s4 = m[0][1] * m[1][3] - m[1][1] * m[0][3];
    const double s5 = m[0][2] * m[1][3] - m[1][2] * m[0][3];
    const double c5 = m[2][2] * m[3][3] - m[3][2] * m[2][3];
    const double c4 = m[2][1] * m[3][3] - m[3][1] * m[2][3];
    const double c3 = m[2][1] * m[3][2] - m[3][1] * m[2][2];
    const double c2 = m[2][0] * m[3][3] - m[3][0] * m[2][3];
    const double c1 = m[2][0] * m[3][2] - m[3][0] * m[2][2];
    const double c0 = m[2][0] * m[3][1] - m[3][0] * m[2][1];

    const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
    const double k = 1.0 / det;

    const double r[4][4] = {
        {(m[1][1] * c5 - m[1][2] * c4 + m[1][3] * c3) * k, (-m[0][1] * c5 + m[0][2] * c4 - m[0][3] * c3) * k,
         (m[3][1] * s5 - m[3][2] * s4 + m[3][3] * s3) * k, (-m[2][1] * s5 + m[2][2] * s4 - m[2][3] * s3) * k},
        {(-m[1][0] * c5 + m[1][2] * c2 - m[1][3] * c1) * k, (m[0][0] * c5 - m[0][2] * c2 + m[0][3] * c1) * k,
         (-m[3][0] * s5 + m[3][2] * s2 - m[3][3] * s1) * k, (m[2][0] * s5 - m[2][2] * s2 + m[2][3] * s1) * k},
        {(m[1][0] * c4 - m[1][1] * c2 + m[1][3] * c0) * k, (-m[0][0] * c4 + m[0][1] * c2 - m[0][3] * c0) * k,
         (m[3][0] * s4 - m[3][1] * s2 + m[3][3] * s0) * k, (-m[2][0] * s4 + m[2][1] * s2 - m[2][3] * s0) * k},
        {(-m[1][0] * c3 + m[1][1] * c1 - m[1][2] * c0) * k, (m[0][0] * c3 - m[0][1] * c1 + m[0][2] * c0) * k,
         (-m[3][0] * s3 + m[3][1] * s1 - m[3][2] * s0) * k, (m[2][0] * s3 - m[2][1] * s1 + m[2][2] * s0) * k},
    };

    Matrix result;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const float value = static_cast<float>(r[row][col]);
            if (!std::isfinite(value)) return std::nullopt;
            result.m[row][col] = value;
        }
    }
    return result;
}

} // namespace bw
