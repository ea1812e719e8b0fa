#include <cmath>

#include "engine/render.h"
#include "race/car_attitude.h"
#include "race/race_track.h"
#include "race/world_memory.h"

namespace {

constexpr unsigned int kBlended = 0x80;
constexpr unsigned int kOpaque = 0xc0;
constexpr unsigned int kAdditive = 0x100;
constexpr unsigned int kDepthAlways = 4;
constexpr unsigned int kDepthLessEqual = 3;

// What the cars remember between their updates.
struct CarAttitudeState {
    RoadContact wheels[kCarCount][4];
    RoadContact shadows[kCarCount][4];
    FixedVec4 lastContact[kCarCount] = {};
    float lastTravel[kCarCount] = {};
    HeadingRing headings[kCarCount] = {};
    RingIndices indices;    // one pair for all three cars
    float wheelSpin = 0.0f; // degrees, shared by every wheel; kept within one turn
};
WorldMemory<CarAttitudeState> carAttitude;

FixedMatrix identity() {
    FixedMatrix m;
    MatrixIdentity(m);
    return m;
}

// The body's matrix: pitch about the car's x axis, roll about its z axis, then the car's transform.
FixedMatrix bodyMatrix(const RaceTrack& track, int car) {
    FixedMatrix m = identity();
    MatrixRotate(m, track.carPitch[car], 0);
    MatrixRotate(m, track.carRoll[car], 2);
    MatrixMultiply(m, m, track.carTransform[car]);
    return m;
}

bool detailed(const RaceTrack& track, int car) {
    return track.sceneMode == Chase && car == 2;
}

} // namespace

// The car's footprint dropped straight down onto the road under each corner, drawn in world
// coordinates. The three shadows are drawn in a row: car 0 sets their render state, car 2 restores it.
void RaceTrack::drawShadow(int car) {
    NymRender* render = NymRender::instance();
    if (render == nullptr) {
        return;
    }
    if (car == 0) {
        render->setMaterial(&shadowMaterial);
        render->setRenderState(kBlended);
        render->setRenderState(kDepthAlways);
    }
    // A car without a key path casts no shadow, but the shadows' render state is still set and restored.
    if (hasPath(car)) {
        const FixedVec4 down{Fixed{0}, -FixedOne, Fixed{0}, Fixed{0}};
        FixedVec4 quad[4];
        for (int i = 0; i < 4; ++i) {
            const float* p = shadowCorners[i];
            FixedVec4 corner{FixedFromFloat(p[0]), FixedFromFloat(p[1]), FixedFromFloat(p[2]), Fixed{0}};
            TransformPoints(&corner, &corner, 1, carTransform[car]);
            quad[i] = carAttitude.get().shadows[car][i].probe(*this, 4 + i, corner, down);
        }
        if (shadowQuad != nullptr) {
            shadowQuad->setVertices(quad, 0, 4);
        }
        render->setModelMatrix(identity());
        render->drawGeometry(shadowQuad);
    }
    if (car == 2) {
        render->setRenderState(kOpaque);
        render->setRenderState(kDepthLessEqual);
    }
}

void RaceTrack::drawCar(int car) {
    NymRender* render = NymRender::instance();
    if (render == nullptr || !hasPath(car)) {
        return;
    }
    render->setMaterial(&carMaterials[0]);
    drawWheels(car);
    render->setModelMatrix(bodyMatrix(*this, car));
    render->setMaterial(&carMaterials[car + 1]);
    render->drawGeometry(detailed(*this, car) ? carBodyDetailed : carBody);
}

// Stands the wheels on the road, and from the front-right wheel's travel derives the car's pitch
// (speeding up or slowing down), its steer and roll (change of heading) and the wheels' spin.
void RaceTrack::drawWheels(int car) {
    CarAttitudeState& attitude = carAttitude.get();
    FixedVec4 contact[4];
    for (int w = 0; w < 4; ++w) {
        contact[w] = probeWheel(*this, car, w, attitude.wheels[car][w]);
    }
    const bool restart = carAttitudeReset[car] == 1;
    if (restart) {
        attitude.lastContact[car] = contact[0];
        attitude.lastTravel[car] = 0.0f;
        attitude.headings[car].fill();
        carPitch[car] = Fixed{0};
        carRoll[car] = Fixed{0};
    }

    const float travel = travelBetween(attitude.lastContact[car], contact[0]);
    carPitch[car] = pitchAfter(carPitch[car], travel, attitude.lastTravel[car]);
    attitude.lastTravel[car] = travel;
    // A whole turn leaves the wheel looking the same; within one turn the angle stays in Fixed range.
    attitude.wheelSpin = std::fmod(attitude.wheelSpin - travel * 72.0f, 360.0f);

    const float steer = updateHeading(attitude.lastContact[car], contact[0], attitude.headings[car],
                                      attitude.indices, !restart, carRoll[car]);
    if (restart) {
        carPitch[car] = Fixed{0};
        carRoll[car] = Fixed{0};
        carAttitudeReset[car] = 0;
    }
    attitude.indices.advance();
    attitude.lastContact[car] = contact[0];

    NymRender* render = NymRender::instance();
    if (render == nullptr) {
        return;
    }
    const bool fine = detailed(*this, car);
    NymGeometry* right = fine ? wheelRightDetailed : wheelRight;
    NymGeometry* left = fine ? wheelLeftDetailed : wheelLeft;
    const Fixed spin = FixedFromFloat(attitude.wheelSpin);
    const Fixed steerAngle = FixedFromFloat(steer);
    const Fixed axleHeight = FixedFromFloat(0.1064f);
    for (int w = 0; w < 4; ++w) {
        // Spin about the axle, steer the front pair, then the car's orientation; the centre stands above
        // the wheel's road point.
        FixedMatrix m = identity();
        MatrixRotate(m, spin, 0);
        if (w < 2) {
            MatrixRotate(m, steerAngle, 1);
        }
        MatrixMultiply(m, m, carRotation[car]);
        MatrixTranslate(m, contact[w].x, contact[w].y + axleHeight, contact[w].z);
        render->setModelMatrix(m);
        if (w == 0) {
            render->setMaterial(&carMaterials[0]);
        }
        render->drawGeometry(w == 0 || w == 3 ? right : left);
    }
}

// Brake lights while the car slows (pitched forward), headlights in the tunnels; both glow additively.
void RaceTrack::drawLamps(int car) {
    NymRender* render = NymRender::instance();
    if (render == nullptr || !hasPath(car)) {
        return;
    }
    const bool braking = carPitch[car] < FixedFromFloat(-0.01f);
    const bool tunnel = isTunnelSection(currentSection);
    for (NymGeometry* lamp : {braking ? brakeLightQuad : nullptr, tunnel ? headLightQuad : nullptr}) {
        if (lamp == nullptr) {
            continue;
        }
        render->setRenderState(kAdditive);
        render->setModelMatrix(bodyMatrix(*this, car));
        render->setMaterial(&lampMaterial);
        render->drawGeometry(lamp);
        render->setRenderState(kOpaque);
    }
}
