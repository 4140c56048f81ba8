#pragma once
// Affine 2-D transforms as 3x3 float matrices in homogeneous coordinates, for rotated, scaled
// and mirrored drawing. Transform2D builds one step by step; each step pre-multiplies, so the
// step called last is applied last to a point: Translate(-cx, -cy), RotateRad(a), Scale(s, s),
// Translate(x, y) turns an image about (cx, cy) and places that centre at (x, y).

namespace Vuro {

struct Vector2 {
    float x;
    float y;
};

struct Vector3 {
    float x;
    float y;
    float z;
};

// Row-major: a point (x, y) maps to (m00 x + m01 y + m02, m10 x + m11 y + m12). The third row is
// 0, 0, 1 for every matrix built by Transform2D. The plain constructor leaves the values unset.
class Matrix3x3 {
public:
    void LoadIdentity();
    // this x other; sums are formed in double precision.
    Matrix3x3 Multiply(const Matrix3x3& other) const;
    // The affine mapping; the third row is not used.
    Vector2 TransformVector2(const Vector2& v) const;
    Vector3 TransformVector3(const Vector3& v) const;
    void Assign(const Matrix3x3& other) { *this = other; }

    float m00, m01, m02;
    float m10, m11, m12;
    float m20, m21, m22;
};

class Transform2D : public Matrix3x3 {
public:
    Transform2D() { LoadIdentity(); }
    void Translate(float tx, float ty);
    // With y growing downwards, a positive angle turns the image counter-clockwise on screen.
    void RotateRad(float angle);
    void Scale(float sx, float sy);

private:
    // this = step x this
    void PreMultiply(const Matrix3x3& step);
};

} // namespace Vuro
