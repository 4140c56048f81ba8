#include "framework/util/Matrix.h"

#include <cmath>

namespace Vuro {

namespace {

Matrix3x3 Identity() {
    Matrix3x3 m;
    m.LoadIdentity();
    return m;
}

} // namespace

void Matrix3x3::LoadIdentity() {
    m00 = 1.0f, m01 = 0.0f, m02 = 0.0f;
    m10 = 0.0f, m11 = 1.0f, m12 = 0.0f;
    m20 = 0.0f, m21 = 0.0f, m22 = 1.0f;
}

Matrix3x3 Matrix3x3::Multiply(const Matrix3x3& other) const {
    const float a[3][3] = {{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}};
    const float b[3][3] = {{other.m00, other.m01, other.m02},
                           {other.m10, other.m11, other.m12},
                           {other.m20, other.m21, other.m22}};
    float c[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k) {
                sum += static_cast<double>(a[i][k]) * b[k][j];
            }
            c[i][j] = static_cast<float>(sum);
        }
    }
    Matrix3x3 result;
    result.m00 = c[0][0], result.m01 = c[0][1], result.m02 = c[0][2];
    result.m10 = c[1][0], result.m11 = c[1][1], result.m12 = c[1][2];
    result.m20 = c[2][0], result.m21 = c[2][1], result.m22 = c[2][2];
    return result;
}

Vector2 Matrix3x3::TransformVector2(const Vector2& v) const {
    return {m00 * v.x + m01 * v.y + m02, m10 * v.x + m11 * v.y + m12};
}

Vector3 Matrix3x3::TransformVector3(const Vector3& v) const {
    return {m00 * v.x + m01 * v.y + m02 * v.z, m10 * v.x + m11 * v.y + m12 * v.z,
            m20 * v.x + m21 * v.y + m22 * v.z};
}

void Transform2D::PreMultiply(const Matrix3x3& step) {
    Assign(step.Multiply(*this));
}

void Transform2D::Translate(float tx, float ty) {
    Matrix3x3 step = Identity();
    step.m02 = tx;
    step.m12 = ty;
    PreMultiply(step);
}

void Transform2D::RotateRad(float angle) {
    float c = std::cos(angle);
    float s = std::sin(angle);
    Matrix3x3 step = Identity();
    step.m00 = c, step.m01 = s;
    step.m10 = -s, step.m11 = c;
    PreMultiply(step);
}

void Transform2D::Scale(float sx, float sy) {
    Matrix3x3 step = Identity();
    step.m00 = sx;
    step.m11 = sy;
    PreMultiply(step);
}

} // namespace Vuro
