#include "race/car_attitude.h"
#include "race/world_memory.h"

#include <algorithm>
#include <cmath>

namespace {

FloatVec3 asFloats(const FixedVec4& p) {
    return {FixedToFloat(p.x), FixedToFloat(p.y), FixedToFloat(p.z)};
}

// The in-car roll's own memory: car 0's last road point and headings, with indices of its own.
struct InCarRollState {
    RoadContact wheel;
    FixedVec4 lastContact{};
    HeadingRing ring{};
    RingIndices indices;
};
WorldMemory<InCarRollState> inCarRollMemory;

} // namespace

void HeadingRing::fill() {
    for (FloatVec3& d : directions) {
        d = {0.0f, 0.0f, -1.0f};
    }
}

void RingIndices::advance() {
    read = read + 1 == kHeadingHistory ? 0 : read + 1;
    write = write + 1 == kHeadingHistory ? 0 : write + 1;
}

Fixed pitchAfter(Fixed pitch, float travel, float lastTravel) {
    const Fixed step = FixedFromFloat(0.025f);
    const Fixed limit = FixedFromFloat(0.1f);
    const Fixed change = FixedFromFloat(travel - lastTravel);
    if (change > Fixed{0}) {
        pitch = std::min(pitch + step, limit);
    } else if (change < Fixed{0}) {
        pitch = std::max(pitch - step, -limit);
    }
    return pitch;
}

float steerAngle(const FloatVec3& heading, const FloatVec3& previous) {
    // The arc cosine in double precision, rounded once to float: every C library gives that the same
    // bits, while their single-precision acosf differ in the last bit.
    const float angle = static_cast<float>(std::acos(static_cast<double>(Vec3Dot(heading, previous))));
    FloatVec3 axis;
    Vec3Cross(axis, heading, previous);
    const float sign = axis.y > 0.0f ? -1.0f : 1.0f;
    // 57.32484 is 180 / 3.14.
    return ((angle * 57.32484f) * 2.0f) * sign;
}

Fixed rollFor(float steer) {
    const Fixed limit = FixedFromFloat(3.0f);
    return std::clamp(FixedFromFloat(-0.2f * steer), -limit, limit);
}

FixedVec4 RoadContact::probe(RaceTrack& track, int slot, const FixedVec4& origin,
                             const FixedVec4& direction) {
    FixedVec4 point{};
    if (track.probeRoad(slot, origin, direction, point)) {
        drop = {point.x - origin.x, point.y - origin.y, point.z - origin.z, Fixed{0}};
        return point;
    }
    return {origin.x + drop.x, origin.y + drop.y, origin.z + drop.z, Fixed{0}};
}

FixedVec4 probeWheel(RaceTrack& track, int car, int wheel, RoadContact& contact) {
    // Low and high points of each wheel corner in contactBox.
    static constexpr int kHigh[4] = {4, 7, 6, 5};
    FixedVec4 points[2];
    for (int k = 0; k < 2; ++k) {
        const float* p = contactBox[k == 0 ? wheel : kHigh[wheel]];
        points[k] = {FixedFromFloat(p[0]), FixedFromFloat(p[1]), FixedFromFloat(p[2]), Fixed{0}};
    }
    TransformPoints(points, points, 2, track.carTransform[car]);
    const FixedVec4& low = points[0];
    const FixedVec4& high = points[1];
    const FixedVec4 down{low.x - high.x, low.y - high.y, low.z - high.z, Fixed{0}};
    return contact.probe(track, 0, low, down);
}

float travelBetween(const FixedVec4& from, const FixedVec4& to) {
    const FloatVec3 a = asFloats(from);
    const FloatVec3 b = asFloats(to);
    return distance3(a.x, a.y, a.z, b.x, b.y, b.z);
}

float updateHeading(const FixedVec4& lastContact, const FixedVec4& contact, HeadingRing& ring,
                    const RingIndices& indices, bool store, Fixed& roll) {
    const FloatVec3 from = asFloats(lastContact);
    const FloatVec3 to = asFloats(contact);
    FloatVec3 heading{to.x - from.x, to.y - from.y, to.z - from.z};
    float steer = 0.0f;
    const bool moved = heading.x != 0.0f || heading.y != 0.0f || heading.z != 0.0f;
    if (moved) {
        Vec3Normalise(heading, heading);
        steer = steerAngle(heading, ring.directions[indices.read]);
    }
    roll = rollFor(steer);
    if (store && moved) {
        ring.directions[indices.write] = heading;
    }
    return steer;
}

float distance3(float ax, float ay, float az, float bx, float by, float bz) {
    const float dx = bx - ax;
    const float dy = by - ay;
    const float dz = bz - az;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Car 0's roll for the in-car camera while no car is drawn: its heading alone, once per frame.
void RaceTrack::trackInCarRoll() {
    InCarRollState& inCarRoll = inCarRollMemory.get();
    const FixedVec4 contact = probeWheel(*this, 0, 0, inCarRoll.wheel);
    const bool restart = carAttitudeReset[0] == 1;
    if (restart) {
        inCarRoll.lastContact = contact;
        inCarRoll.ring.fill();
        carPitch[0] = Fixed{0};
        carRoll[0] = Fixed{0};
    }
    updateHeading(inCarRoll.lastContact, contact, inCarRoll.ring, inCarRoll.indices, !restart, carRoll[0]);
    if (restart) {
        carPitch[0] = Fixed{0};
        carRoll[0] = Fixed{0};
        carAttitudeReset[0] = 0;
    }
    inCarRoll.indices.advance();
    inCarRoll.lastContact = contact;
}
