#include <cmath>

#include "engine/geometry.h"
#include "engine_test_support.h"

namespace {

constexpr Fixed kOne{0x10000};

FixedMatrix identity() {
    FixedMatrix m;
    MatrixIdentity(m);
    return m;
}

} // namespace

using ReflectionMapTest = GeometryFixture;

TEST_F(ReflectionMapTest, NormalAlongTheViewAxisMapsToTheCentre) {
    geometry.createNormalPool(1);
    geometry.createTex2dPool(1);
    geometry.normals[1] = kOne;
    FixedMatrix view = identity();
    view[8] = Fixed{0};
    view[9] = kOne;
    view[10] = Fixed{0};
    geometry.generateReflectionMap(0, view, identity(), kOne);
    EXPECT_EQ(geometry.tex2d[0], Fixed{32768});
    EXPECT_EQ(geometry.tex2d[1], Fixed{32768});
}

TEST_F(ReflectionMapTest, CloseToTheExactSphereMapAwayFromItsPole) {
    // Normals over the sphere, seen along z; the exact map is u = r.x / (2 sqrt(2 (1 + r.y))) + 0.5.
    constexpr int kSteps = 48;
    geometry.createNormalPool(kSteps * kSteps);
    geometry.createTex2dPool(kSteps * kSteps);
    std::vector<double> exactU, exactV, ry;
    for (int i = 0; i < kSteps; ++i) {
        for (int j = 0; j < kSteps; ++j) {
            const double theta = M_PI * (i + 0.5) / kSteps;
            const double phi = 2 * M_PI * j / kSteps;
            const double n[3] = {std::sin(theta) * std::cos(phi), std::cos(theta),
                                 std::sin(theta) * std::sin(phi)};
            Fixed* out = geometry.normals + 3 * (i * kSteps + j);
            for (int c = 0; c < 3; ++c) {
                out[c] = FixedFromFloat(static_cast<float>(n[c]));
            }
            const double d = n[2];
            const double r[3] = {2 * d * n[0], 2 * d * n[1], 2 * d * n[2] - 1};
            const double k = r[1] > -1 ? 1 / (2 * std::sqrt(2 * (1 + r[1]))) : 0;
            exactU.push_back(r[0] * k + 0.5);
            exactV.push_back(r[2] * k + 0.5);
            ry.push_back(r[1]);
        }
    }
    geometry.generateReflectionMap(0, identity(), identity(), kOne);
    double worstUpper = 0, worstMiddle = 0;
    for (std::size_t i = 0; i < ry.size(); ++i) {
        const double du = std::abs(FixedToFloat(geometry.tex2d[2 * i]) - exactU[i]);
        const double dv = std::abs(FixedToFloat(geometry.tex2d[2 * i + 1]) - exactV[i]);
        const double error = std::max(du, dv);
        if (ry[i] > 0) {
            worstUpper = std::max(worstUpper, error);
        } else if (ry[i] > -0.75) {
            worstMiddle = std::max(worstMiddle, error);
        }
        ASSERT_GE(geometry.tex2d[2 * i].raw, -0x10000) << i;
        ASSERT_LE(geometry.tex2d[2 * i].raw, 0x20000) << i;
    }
    // The upper half uses a straight line for k, exact at r.y = 0 and 1 and 0.013 high at r.y = 0.5.
    EXPECT_LT(worstUpper, 0.015);
    EXPECT_LT(worstMiddle, 0.005);
}

TEST_F(ReflectionMapTest, ScaledModelIsCompensatedByTheInverseScale) {
    geometry.createNormalPool(1);
    geometry.createTex2dPool(1);
    geometry.normals[0] = FixedFromFloat(0.6f);
    geometry.normals[2] = FixedFromFloat(0.8f);
    geometry.generateReflectionMap(0, identity(), identity(), kOne);
    const Fixed u = geometry.tex2d[0];
    const Fixed v = geometry.tex2d[1];
    FixedMatrix doubled = identity();
    doubled[0] = doubled[5] = doubled[10] = FixedFromInt(2);
    geometry.generateReflectionMap(0, identity(), doubled, Fixed{0x8000});
    EXPECT_EQ(geometry.tex2d[0], u);
    EXPECT_EQ(geometry.tex2d[1], v);
}

TEST_F(ReflectionMapTest, CountMismatchWritesOnlyWithinTheSelectedPool) {
    geometry.createNormalPool(8);
    for (int i = 0; i < 8; ++i) {
        geometry.normals[3 * i + 2] = kOne;
    }
    geometry.createTex2dPool(2);
    geometry.createBumpPool(3);
    geometry.generateReflectionMap(0, identity(), identity(), kOne);
    geometry.generateReflectionMap(1, identity(), identity(), kOne);
    // r = (0, 0, 1): u = 0.5 on every entry written.
    EXPECT_EQ(geometry.tex2d[2], Fixed{32768});
    EXPECT_EQ(geometry.bump[4], Fixed{32768});
    EXPECT_EQ(traces(), "NymGeometry::texGenRefMap ERROR mismatch normals/texcoords layer 0\n"
                        "NymGeometry::texGenRefMap ERROR mismatch normals/texcoords layer 1\n");
}
