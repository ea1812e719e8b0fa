#include <cmath>

#include "engine/camera.h"
#include "engine_test_support.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class CameraTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        camera.orthographic = 0;
        camera.init();
        camera.setViewport(FixedFromInt(640), FixedFromInt(480));
    }
    void setPartCamera() {
        camera.setFrustum(FixedFromFloat(-0.133f), FixedFromFloat(0.133f), FixedFromFloat(-0.1f),
                          FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
    }
    std::vector<int> plane(int index) const {
        const Fixed* p = camera.planes[index];
        return {p[0].raw, p[1].raw, p[2].raw, p[3].raw};
    }
    NymCamera camera;
};

TEST_F(CameraTest, SymmetricFrustumIsValidWithPlanesFacingAwayFromTheCentre) {
    setPartCamera();
    EXPECT_EQ(camera.valid, 1);
    EXPECT_EQ(traces(), "");
    EXPECT_THAT(plane(kPlaneNear), ElementsAre(0, 0, 0x10000, -16384));
    EXPECT_THAT(plane(kPlaneFar), ElementsAre(0, 0, 0x10000, -1024 * 0x10000));

    // Far extents are far / near = 4096 times the near ones (FixedDiv's quotient, then FixedMul).
    const Fixed k = FixedDiv(FixedFromInt(1024), FixedFromFloat(0.25f));
    EXPECT_EQ(k, FixedFromInt(4096));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(camera.farExtents[i], FixedMul(camera.nearExtents[i], k));
    }
    EXPECT_EQ(camera.nearExtents[0], -camera.right);
    EXPECT_EQ(camera.nearExtents[1], camera.top);
    EXPECT_EQ(camera.corners[6][0], camera.farExtents[2]);
    EXPECT_EQ(camera.corners[6][1], camera.farExtents[1]);
    EXPECT_EQ(camera.corners[6][2], FixedFromInt(1024));
    EXPECT_EQ(camera.corners[6][3], Fixed{0x10000});

    // The side planes are unit normals that tilt outward in x (right, left) and y (top, bottom), each
    // passing through the near corners.
    for (int p = kPlaneRight; p <= kPlaneBottom; ++p) {
        const Fixed* abc = camera.planes[p];
        const double length = std::hypot(FixedToFloat(abc[0]), FixedToFloat(abc[1]), FixedToFloat(abc[2]));
        EXPECT_NEAR(length, 1.0, 1e-4) << p;
    }
    const Fixed* right = camera.planes[kPlaneRight];
    const Fixed* corner = camera.corners[3];
    const double onPlane = FixedToFloat(right[0]) * FixedToFloat(corner[0]) +
                           FixedToFloat(right[1]) * FixedToFloat(corner[1]) +
                           FixedToFloat(right[2]) * FixedToFloat(corner[2]) + FixedToFloat(right[3]);
    EXPECT_NEAR(onPlane, 0.0, 1e-3);
    EXPECT_EQ(camera.planes[kPlaneRight][1], Fixed{0});
    EXPECT_EQ(camera.planes[kPlaneTop][0], Fixed{0});
    EXPECT_EQ(camera.planes[kPlaneLeft][0], -camera.planes[kPlaneRight][0]);
    EXPECT_EQ(camera.planes[kPlaneBottom][1], -camera.planes[kPlaneTop][1]);
}

TEST_F(CameraTest, AsymmetricExtentsAreReportedAndLeaveTheCameraInvalid) {
    camera.setFrustum(FixedFromFloat(-0.995f), FixedFromInt(1), FixedFromFloat(-0.1f), FixedFromFloat(0.1f),
                      FixedFromFloat(0.25f), FixedFromInt(1024));
    EXPECT_EQ(camera.valid, 0);
    ASSERT_EQ(traceLines.size(), 1u);
    EXPECT_THAT(traceLines[0],
                HasSubstr("NymCamera::recomputeFrustum - no asymmetric frustum support yet - ratio 0.99"));

    traceLines.clear();
    camera.setFrustum(FixedFromFloat(-0.9995f), FixedFromInt(1), FixedFromFloat(-0.1f), FixedFromFloat(0.1f),
                      FixedFromFloat(0.25f), FixedFromInt(1024));
    EXPECT_EQ(camera.valid, 1);
    EXPECT_EQ(traces(), "");

    camera.setFrustum(FixedFromFloat(-0.1f), FixedFromFloat(0.1f), FixedFromFloat(-0.2f),
                      FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
    EXPECT_EQ(camera.valid, 0);
    EXPECT_THAT(traces(), HasSubstr("ratio 0.500000\n"));
}

TEST_F(CameraTest, ViewportInvalidatesAndOrthographicNeverValidates) {
    setPartCamera();
    camera.setViewport(FixedFromInt(320), FixedFromInt(240));
    EXPECT_EQ(camera.valid, 0);
    camera.recomputeFrustum();
    EXPECT_EQ(camera.valid, 1);

    camera.orthographic = 1;
    camera.valid = 0;
    camera.recomputeFrustum();
    EXPECT_EQ(camera.valid, 0);
    EXPECT_EQ(camera.aspect, FixedDiv(FixedFromInt(240), FixedFromInt(320)));
    EXPECT_EQ(traces(), "NymCamera::recomputeFrustum - no ortho support yet\n");
}

TEST_F(CameraTest, InvertedDepthFailsAPlaneCheck) {
    // Negative near and far put the volume behind the centre point the check uses.
    camera.setFrustum(FixedFromFloat(-0.133f), FixedFromFloat(0.133f), FixedFromFloat(-0.1f),
                      FixedFromFloat(0.1f), FixedFromFloat(-0.25f), FixedFromInt(-1024));
    EXPECT_EQ(camera.valid, 0);
    ASSERT_EQ(traceLines.size(), 1u);
    EXPECT_THAT(traceLines[0], testing::StartsWith("Error in frustum "));
}
