#include "framework/util/Matrix.h"

#include <gtest/gtest.h>

#include <numbers>

namespace Vuro {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

Matrix3x3 FromRows(const float (&v)[9]) {
    Matrix3x3 m;
    m.m00 = v[0], m.m01 = v[1], m.m02 = v[2];
    m.m10 = v[3], m.m11 = v[4], m.m12 = v[5];
    m.m20 = v[6], m.m21 = v[7], m.m22 = v[8];
    return m;
}

void ExpectMatrix(const Matrix3x3& m, const float (&v)[9]) {
    const float got[9] = {m.m00, m.m01, m.m02, m.m10, m.m11, m.m12, m.m20, m.m21, m.m22};
    for (int i = 0; i < 9; ++i) {
        EXPECT_FLOAT_EQ(got[i], v[i]) << "element " << i / 3 << i % 3;
    }
}

TEST(Matrix, MultiplyRowsByColumns) {
    Matrix3x3 a = FromRows({1, 2, 3, 4, 5, 6, 7, 8, 9});
    Matrix3x3 b = FromRows({9, 8, 7, 6, 5, 4, 3, 2, 1});
    ExpectMatrix(a.Multiply(b), {30, 24, 18, 84, 69, 54, 138, 114, 90});

    Matrix3x3 identity;
    identity.LoadIdentity();
    ExpectMatrix(a.Multiply(identity), {1, 2, 3, 4, 5, 6, 7, 8, 9});
    ExpectMatrix(identity.Multiply(a), {1, 2, 3, 4, 5, 6, 7, 8, 9});

    Matrix3x3 copy;
    copy.Assign(b);
    ExpectMatrix(copy, {9, 8, 7, 6, 5, 4, 3, 2, 1});

    Vector3 v = a.TransformVector3({1, 0, 2});
    EXPECT_FLOAT_EQ(v.x, 7);
    EXPECT_FLOAT_EQ(v.y, 16);
    EXPECT_FLOAT_EQ(v.z, 25);
    Vector2 p = a.TransformVector2({1, 1}); // the third row plays no part
    EXPECT_FLOAT_EQ(p.x, 6);
    EXPECT_FLOAT_EQ(p.y, 15);
}

TEST(Matrix, TransformStepsApplyInCallOrder) {
    struct Case {
        const char* name;
        void (*build)(Transform2D&);
        Vector2 in;
        Vector2 out;
    };
    const Case cases[] = {
        {"identity", [](Transform2D&) {}, {3, 4}, {3, 4}},
        {"rotate quarter turn", [](Transform2D& t) { t.RotateRad(kPi / 2); }, {1, 0}, {0, -1}},
        {"translate then scale",
         [](Transform2D& t) {
             t.Translate(5, 0);
             t.Scale(2, 2);
         },
         {1, 1},
         {12, 2}},
        {"scale then translate",
         [](Transform2D& t) {
             t.Scale(2, 2);
             t.Translate(5, 0);
         },
         {1, 1},
         {7, 2}},
        // Half a turn about (10, 20), doubled, centre placed at (100, 50).
        {"rotate about a centre",
         [](Transform2D& t) {
             t.Translate(-10, -20);
             t.RotateRad(kPi);
             t.Scale(2, 2);
             t.Translate(100, 50);
         },
         {13, 21},
         {94, 48}},
        // Mirror a 32-wide image and put it at (200, 10): its left edge lands on the right.
        {"mirror",
         [](Transform2D& t) {
             t.Translate(-32, 0);
             t.Scale(-1, 1);
             t.Translate(200, 10);
         },
         {0, 5},
         {232, 15}},
    };
    for (const Case& c : cases) {
        Transform2D t;
        c.build(t);
        Vector2 p = t.TransformVector2(c.in);
        EXPECT_NEAR(p.x, c.out.x, 1e-4f) << c.name;
        EXPECT_NEAR(p.y, c.out.y, 1e-4f) << c.name;
        EXPECT_FLOAT_EQ(t.m20, 0) << c.name;
        EXPECT_FLOAT_EQ(t.m21, 0) << c.name;
        EXPECT_FLOAT_EQ(t.m22, 1) << c.name;
    }
}

} // namespace
} // namespace Vuro
