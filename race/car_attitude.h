#pragma once
// The attitude arithmetic of a car: pitch from the change of travel, steer and roll from the change of
// heading, and the memory of headings that both the cars and the in-car roll keep.
#include "math/vector.h"
#include "race/race_track.h"

inline constexpr int kHeadingHistory = 10;

// A car's headings over its last updates: unit travel directions, read and written at indices that may
// be shared by several cars.
struct HeadingRing {
    FloatVec3 directions[kHeadingHistory];

    // Every entry straight ahead along world -z.
    void fill();
};

// The read index stays one ahead of the write index, so an update compares with the oldest direction.
struct RingIndices {
    int read = 1;
    int write = 0;

    void advance();
};

// One step of pitch towards the sign of the change of travel, saturating at +-0.1 degree.
Fixed pitchAfter(Fixed pitch, float travel, float lastTravel);

// The steering angle in degrees for the heading change from `previous` to the unit direction `heading`;
// its sign follows the y component of heading x previous.
float steerAngle(const FloatVec3& heading, const FloatVec3& previous);

// The body roll for a steering angle, limited to +-3 degrees.
Fixed rollFor(float steer);

// What a probe point of a car found last time: how far below the probe's origin the road lay. When the
// probe meets no road, the point is put that far below its origin again, so it keeps the contact of its
// previous frame, carried along with its car, and is never drawn at the world's origin. Before the first
// hit the drop is 0: the origin itself.
struct RoadContact {
    FixedVec4 drop{};

    // The road point under origin along direction, searched for in the probe slot.
    FixedVec4 probe(RaceTrack& track, int slot, const FixedVec4& origin, const FixedVec4& direction);
};

// The road point under a wheel corner of the car (0 front right, 1 front left, 2 rear left, 3 rear
// right): the low point of the contact box probed along the car's down axis, in probe slot 0.
FixedVec4 probeWheel(RaceTrack& track, int car, int wheel, RoadContact& contact);

// The distance between two road points, as floats.
float travelBetween(const FixedVec4& from, const FixedVec4& to);

// The steer of an update from the travel between two road points, compared with the ring's direction at
// the read index; roll follows the steer. Unless `store` is false, the travel direction goes to the write
// index. A car that did not move has no direction: it gets 0 steer and stores nothing.
float updateHeading(const FixedVec4& lastContact, const FixedVec4& contact, HeadingRing& ring,
                    const RingIndices& indices, bool store, Fixed& roll);
