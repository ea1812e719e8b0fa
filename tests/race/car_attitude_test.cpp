// The cars' attitude and drawing: pitch saturation, steer and roll limits, the ring indices shared by the
// three cars, standing still, the wheel spin kept within a turn, shadows on the road and the lamps.
#include <gmock/gmock.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/render.h"
#include "race/car_attitude.h"
#include "race_test_support.h"

namespace {

using ::testing::Contains;
using ::testing::Not;

// The matrices loaded with glLoadMatrixx, in order.
std::vector<std::vector<std::int32_t>> loadedMatrices(const platform::gles::RecordDriver& gl) {
    std::vector<std::vector<std::int32_t>> matrices;
    for (const std::string& call : gl.log({"glLoadMatrixx"})) {
        std::vector<std::int32_t> m;
        for (const char* p = call.c_str(); *p != 0;) {
            char* end = nullptr;
            const long value = std::strtol(p, &end, 10);
            if (end == p) {
                ++p;
            } else {
                m.push_back(static_cast<std::int32_t>(value));
                p = end;
            }
        }
        matrices.push_back(m);
    }
    return matrices;
}

// The vertex arrays drawn from, in order.
std::vector<const void*> drawnVertexArrays(const platform::gles::RecordDriver& gl) {
    std::vector<const void*> arrays;
    const void* current = nullptr;
    for (const platform::gles::RecordedCall& call : gl.calls()) {
        if (call.name == "glVertexPointer") {
            current = call.pointers.back();
        } else if (call.name == "glDrawElements") {
            arrays.push_back(current);
        }
    }
    return arrays;
}

FloatVec3 travelDirection(const FixedVec4& from, const FixedVec4& to) {
    FloatVec3 v{FixedToFloat(to.x) - FixedToFloat(from.x), FixedToFloat(to.y) - FixedToFloat(from.y),
                FixedToFloat(to.z) - FixedToFloat(from.z)};
    Vec3Normalise(v, v);
    return v;
}

// A front wheel turned like the rear wheel on its side (a zero steer still goes through the sine table,
// whose cosine of 0 is a hair below 1.0).
void expectUnsteered(const std::vector<std::int32_t>& front, const std::vector<std::int32_t>& rear) {
    for (const int i : {0, 2, 8, 10}) {
        EXPECT_NEAR(front[i], rear[i], 8) << "element " << i;
    }
}

// The road under a wheel, probed afresh.
FixedVec4 roadUnder(RaceTrack& world, int car, int wheel) {
    RoadContact fresh;
    return probeWheel(world, car, wheel, fresh);
}

class CarAttitudeTest : public RaceTest {
protected:
    void SetUp() override {
        RaceTest::SetUp();
        world = buildWorld(320, 240);
        world->sceneMode = Chase;
        NymRender* render = NymRender::instance();
        render->setCamera(world->camera);
        FixedMatrix view;
        MatrixIdentity(view);
        render->SetCamMatrix(view);
    }

    // Places the three cars at their parameters and draws the sections around car 1.
    void placeCars(const float* params) {
        for (int car = 0; car < kCarCount; ++car) {
            world->carSectionCoord[car] = world->interpolatePath(params[car], 2, car);
        }
        world->currentSection = static_cast<int>(world->carSectionCoord[1]);
        world->neighbourSection = world->currentSection == kSectionCount - 1 ? 0 : world->currentSection + 1;
    }

    // A car standing level, facing -z, at (x, 0, z) on the first section's road.
    void standAt(int car, float x, float z) {
        MatrixIdentity(world->carTransform[car]);
        MatrixTranslate(world->carTransform[car], FixedFromFloat(x), Fixed{0}, FixedFromFloat(z));
        world->carRotation[car] = world->carTransform[car];
        world->carRotation[car][12] = world->carRotation[car][14] = Fixed{0};
        world->currentSection = 0;
        world->neighbourSection = 13;
    }

    std::unique_ptr<RaceTrack> world;
};

TEST(CarAttitudeMathTest, PitchStepsTowardsTheChangeOfTravelAndSaturates) {
    Fixed pitch{0};
    for (int update = 0; update < 5; ++update) {
        pitch = pitchAfter(pitch, 1.0f + 0.1f * static_cast<float>(update + 1), 1.0f + 0.1f * update);
    }
    EXPECT_EQ(pitch.raw, 6553);
    // Equal travel leaves it; slowing steps it down by 0.025 each time, to -0.1.
    EXPECT_EQ(pitchAfter(pitch, 0.5f, 0.5f).raw, 6553);
    pitch = pitchAfter(pitch, 0.4f, 0.5f);
    EXPECT_EQ(pitch.raw, 6553 - 1638);
    for (int update = 0; update < 8; ++update) {
        pitch = pitchAfter(pitch, 0.4f, 0.5f);
    }
    EXPECT_EQ(pitch.raw, -6553);
    // A change too small for Fixed counts as none.
    EXPECT_EQ(pitchAfter(Fixed{0}, 1.0f + 1e-6f, 1.0f).raw, 0);
}

TEST(CarAttitudeMathTest, SteerDoublesTheHeadingChangeAndRollIsLimited) {
    const FloatVec3 ahead{0.0f, 0.0f, -1.0f};
    const FloatVec3 right{std::sin(0.2f), 0.0f, -std::cos(0.2f)};
    const FloatVec3 left{-std::sin(0.2f), 0.0f, -std::cos(0.2f)};
    const float toRight = steerAngle(right, ahead);
    const float toLeft = steerAngle(left, ahead);
    EXPECT_NEAR(std::fabs(toRight), 22.93f, 0.01f);
    EXPECT_NEAR(toLeft, -toRight, 1e-4f);
    // Turning right (the car's +x) steers the front wheels negatively about y.
    EXPECT_LT(toRight, 0.0f);
    EXPECT_EQ(steerAngle(ahead, ahead), 0.0f);
    // -0.2 x steer, within 3 degrees either way.
    EXPECT_EQ(rollFor(toRight), FixedFromInt(3));
    EXPECT_EQ(rollFor(toLeft), FixedFromInt(-3));
    EXPECT_EQ(rollFor(5.0f), FixedFromFloat(-1.0f));
    EXPECT_EQ(rollFor(-14.99f), FixedFromFloat(-0.2f * -14.99f));
    EXPECT_EQ(rollFor(0.0f).raw, 0);
}

TEST_F(CarAttitudeTest, RestartClearsTheAttitudeAndStandsTheWheelsOnTheRoad) {
    const float params[kCarCount] = {0.301f, 0.3036f, 0.3056f};
    placeCars(params);
    for (int car = 0; car < kCarCount; ++car) {
        world->carAttitudeReset[car] = 1;
        world->carPitch[car] = FixedFromFloat(0.1f);
        world->carRoll[car] = FixedFromInt(2);
        gl.clearLog();
        world->drawCar(car);
        EXPECT_EQ(world->carAttitudeReset[car], 0);
        EXPECT_EQ(world->carPitch[car].raw, 0);
        EXPECT_EQ(world->carRoll[car].raw, 0);

        // Four wheels, then the body; the detailed model only for car 2 in the chase view.
        const std::vector<const void*> drawn = drawnVertexArrays(gl);
        ASSERT_EQ(drawn.size(), 5u);
        const bool detailed = car == 2;
        EXPECT_EQ(drawn[0], (detailed ? world->wheelRightDetailed : world->wheelRight)->vertices);
        EXPECT_EQ(drawn[1], (detailed ? world->wheelLeftDetailed : world->wheelLeft)->vertices);
        EXPECT_EQ(drawn[2], (detailed ? world->wheelLeftDetailed : world->wheelLeft)->vertices);
        EXPECT_EQ(drawn[3], (detailed ? world->wheelRightDetailed : world->wheelRight)->vertices);
        EXPECT_EQ(drawn[4], (detailed ? world->carBodyDetailed : world->carBody)->vertices);

        // Each wheel centre 0.1064 above its road point; the front wheels are not steered on a restart.
        const auto matrices = loadedMatrices(gl);
        ASSERT_GE(matrices.size(), 5u);
        for (int w = 0; w < 4; ++w) {
            const FixedVec4 road = roadUnder(*world, car, w);
            EXPECT_NEAR(matrices[w][13] / 65536.0, FixedToFloat(road.y) + 0.1064, 1e-3) << "wheel " << w;
            EXPECT_NEAR(matrices[w][12] / 65536.0, FixedToFloat(road.x), 1e-3) << "wheel " << w;
        }
        expectUnsteered(matrices[0], matrices[3]);
    }
    EXPECT_THAT(output(), Not(testing::HasSubstr("No Intersection Found")));
}

TEST_F(CarAttitudeTest, EachCarComparesWithTheHeadingItStoredThreeUpdatesOfTheRingBefore) {
    // A bend: car 0's heading turns by a few degrees between frames.
    float params[kCarCount] = {0.1f, 0.1026f, 0.1046f};
    std::vector<FloatVec3> headings[kCarCount];
    FixedVec4 last[kCarCount];
    int checked = 0;
    int apartFromNineBack = 0;
    for (int frame = 0; frame < 16; ++frame) {
        placeCars(params);
        for (int car = 0; car < kCarCount; ++car) {
            world->carAttitudeReset[car] = frame == 0 ? 1 : 0;
            const FixedVec4 contact = roadUnder(*world, car, 0);
            world->drawWheels(car);
            if (frame > 0) {
                headings[car].push_back(travelDirection(last[car], contact));
                const std::size_t n = headings[car].size();
                // The fill straight ahead for the first three updates after the restart.
                const FloatVec3 compared = n > 3 ? headings[car][n - 4] : FloatVec3{0.0f, 0.0f, -1.0f};
                const Fixed expected = rollFor(steerAngle(headings[car].back(), compared));
                EXPECT_EQ(world->carRoll[car], expected) << "frame " << frame << " car " << car;
                ++checked;
                if (n > 9 && rollFor(steerAngle(headings[car].back(), headings[car][n - 10])) != expected) {
                    ++apartFromNineBack;
                }
            }
            last[car] = contact;
        }
        for (float& p : params) {
            p += 0.0004f;
        }
    }
    EXPECT_EQ(checked, 45);
    // The bend is sharp enough that the heading of nine updates before would give another roll.
    EXPECT_GT(apartFromNineBack, 3);
}

TEST_F(CarAttitudeTest, StandingStillGivesNoSteerAndStoresNoHeading) {
    standAt(0, 0.0f, -10.0f);
    world->carAttitudeReset[0] = 1;
    world->drawWheels(0);
    // Ten updates without travel: no steer, no roll, and the ring keeps the fill straight ahead.
    for (int update = 0; update < 10; ++update) {
        gl.clearLog();
        world->drawWheels(0);
        EXPECT_EQ(world->carRoll[0].raw, 0);
        const auto matrices = loadedMatrices(gl);
        ASSERT_EQ(matrices.size(), 4u);
        expectUnsteered(matrices[0], matrices[3]);
    }
    // Then a move off to the side is compared with straight ahead.
    const FixedVec4 from = roadUnder(*world, 0, 0);
    standAt(0, 0.3f, -10.5f);
    const FixedVec4 to = roadUnder(*world, 0, 0);
    world->drawWheels(0);
    const Fixed expected = rollFor(steerAngle(travelDirection(from, to), FloatVec3{0.0f, 0.0f, -1.0f}));
    EXPECT_NE(expected.raw, 0);
    EXPECT_EQ(world->carRoll[0], expected);
}

TEST_F(CarAttitudeTest, WheelsKeepTurningFarBeyondTheRangeOfFixedDegrees) {
    // Back and forth by 0.5 on a straight: 36 degrees of spin per update, 46800 in all.
    double previous = 0.0;
    for (int update = 0; update < 1300; ++update) {
        standAt(1, 0.0f, update % 2 == 0 ? -10.0f : -10.5f);
        world->carAttitudeReset[1] = update == 0 ? 1 : 0;
        gl.clearLog();
        world->drawWheels(1);
        if (update >= 1297) {
            // The rear right wheel: spin about x on the car's level orientation.
            const auto matrices = loadedMatrices(gl);
            ASSERT_EQ(matrices.size(), 4u);
            const double spin = std::atan2(matrices[3][6], matrices[3][5]) * 180.0 / 3.14159265358979;
            if (update > 1297) {
                const double turned = std::remainder(spin - previous, 360.0);
                EXPECT_NEAR(turned, -36.0, 0.1) << "update " << update;
            }
            previous = spin;
        }
    }
}

TEST_F(CarAttitudeTest, ShadowCornersAreDroppedOntoTheRoadWithTheShadowState) {
    const float params[kCarCount] = {0.051f, 0.0536f, 0.0556f};
    placeCars(params);
    gl.clearLog();
    for (int car = 0; car < kCarCount; ++car) {
        world->drawShadow(car);
        const FixedMatrix& m = world->carTransform[car];
        for (int i = 0; i < 4; ++i) {
            const float* c = shadowCorners[i];
            const FixedVec4& v = world->shadowQuad->vertices[i];
            const float x = c[0] * FixedToFloat(m[0]) + c[1] * FixedToFloat(m[4]) +
                            c[2] * FixedToFloat(m[8]) + FixedToFloat(m[12]);
            const float z = c[0] * FixedToFloat(m[2]) + c[1] * FixedToFloat(m[6]) +
                            c[2] * FixedToFloat(m[10]) + FixedToFloat(m[14]);
            EXPECT_NEAR(FixedToFloat(v.x), x, 1e-3f) << "car " << car << " corner " << i;
            EXPECT_NEAR(FixedToFloat(v.z), z, 1e-3f) << "car " << car << " corner " << i;
            EXPECT_NEAR(FixedToFloat(v.y), FixedToFloat(m[13]), 0.3f) << "car " << car << " corner " << i;
        }
    }
    EXPECT_EQ(drawnVertexArrays(gl).size(), 3u);
    // Blended with the depth test always passing, then opaque with LEQUAL after car 2's.
    const std::vector<std::string> log = gl.log({"glDepthFunc", "glEnable", "glDisable"});
    ASSERT_GE(log.size(), 2u);
    EXPECT_THAT(log, Contains("glDepthFunc(GL_ALWAYS)"));
    EXPECT_THAT(log, Contains("glEnable(GL_BLEND)"));
    EXPECT_EQ(log.back(), "glDepthFunc(GL_LEQUAL)");
    EXPECT_THAT(output(), Not(testing::HasSubstr("No Intersection Found")));
}

TEST_F(CarAttitudeTest, WheelsAndShadowCornersOffTheRoadKeepTheirLastContactWithTheirCar) {
    standAt(0, 0.0f, -10.0f);
    world->carAttitudeReset[0] = 1;
    world->drawShadow(0);
    world->drawWheels(0);
    const FixedVec4 onRoad = roadUnder(*world, 0, 0);
    EXPECT_THAT(output(), Not(testing::HasSubstr("No Intersection Found")));

    // Far from any road: every probe misses and says so, but each wheel and corner stays the same drop
    // below its probe point as on the road, so it moves with the car rather than to the origin.
    standAt(0, 1000.0f, 1000.0f);
    gl.clearLog();
    world->drawShadow(0);
    world->drawWheels(0);
    EXPECT_THAT(output(), testing::HasSubstr("No Intersection Found - Current 0 - Next 13 !!!\n"));
    const auto matrices = loadedMatrices(gl);
    ASSERT_EQ(matrices.size(), 5u); // the shadow's identity, then the four wheels
    for (int w = 0; w < 4; ++w) {
        const float* low = contactBox[w];
        EXPECT_NEAR(matrices[1 + w][12] / 65536.0, 1000.0 + low[0], 1e-3) << "wheel " << w;
        EXPECT_NEAR(matrices[1 + w][13] / 65536.0, FixedToFloat(onRoad.y) + 0.1064, 1e-3) << "wheel " << w;
        EXPECT_NEAR(matrices[1 + w][14] / 65536.0, 1000.0 + low[2], 1e-3) << "wheel " << w;
    }
    for (int i = 0; i < 4; ++i) {
        const FixedVec4& v = world->shadowQuad->vertices[i];
        EXPECT_NEAR(FixedToFloat(v.x), 1000.0f + shadowCorners[i][0], 1e-3f) << "corner " << i;
        EXPECT_NEAR(FixedToFloat(v.y), FixedToFloat(onRoad.y), 1e-3f) << "corner " << i;
        EXPECT_NEAR(FixedToFloat(v.z), 1000.0f + shadowCorners[i][2], 1e-3f) << "corner " << i;
    }

    // A probe point that never met the road stays where it is.
    RoadContact fresh;
    const FixedVec4 origin{FixedFromInt(1000), Fixed{0}, FixedFromInt(1000), Fixed{0}};
    const FixedVec4 kept = fresh.probe(*world, 0, origin, {Fixed{0}, -FixedOne, Fixed{0}, Fixed{0}});
    EXPECT_EQ(kept.x, origin.x);
    EXPECT_EQ(kept.y, origin.y);
    EXPECT_EQ(kept.z, origin.z);
}

TEST_F(CarAttitudeTest, BrakeLightsWhenPitchedForwardHeadlightsInTunnels) {
    const float params[kCarCount] = {0.05f, 0.0536f, 0.0556f};
    placeCars(params);
    struct Case {
        Fixed pitch;
        int section;
        bool brake;
        bool head;
    };
    for (const Case& c : {Case{Fixed{0}, 0, false, false}, Case{Fixed{-655}, 0, false, false},
                          Case{Fixed{-656}, 0, true, false}, Case{Fixed{-1638}, 3, true, false},
                          Case{FixedFromFloat(0.1f), 1, false, true}, Case{Fixed{-6553}, 9, true, true},
                          Case{Fixed{0}, 2, false, true}, Case{Fixed{0}, 4, false, true}}) {
        world->carPitch[1] = c.pitch;
        world->currentSection = c.section;
        gl.clearLog();
        world->drawLamps(1);
        std::vector<const void*> expected;
        if (c.brake) {
            expected.push_back(world->brakeLightQuad->vertices);
        }
        if (c.head) {
            expected.push_back(world->headLightQuad->vertices);
        }
        EXPECT_EQ(drawnVertexArrays(gl), expected) << "pitch " << c.pitch.raw << " section " << c.section;
        if (!expected.empty()) {
            EXPECT_THAT(gl.log({"glBlendFunc"}), Contains("glBlendFunc(GL_ONE, GL_ONE)"));
        }
    }
}

} // namespace
