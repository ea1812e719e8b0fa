#include "race/car_motion.h"

#include <cmath>

#include "math/clock.h"
#include "race/race_track.h"
#include "race/world_memory.h"

namespace {

constexpr int kKindCamera = 1;
constexpr int kKindCar = 2;

// Each car's section coordinate, walked forward from its previous value.
struct SectionCoordinates {
    float of[kCarCount] = {0.0f, 0.0f, 0.0f};
};
WorldMemory<SectionCoordinates> sectionCoordinates;

// The four keys as matrices: values 0-2, 3-5, 6-8 and 9-11 of a key fill columns 0-2 of rows 0-3.
const Fixed* keyAt(const CarPath& path, int key) {
    return &path.keys[static_cast<std::size_t>(key) * kKeyFloats];
}

// The section coordinate of key k0: the section number plus the progress through its key range, in
// whole keys. The search starts at the section of the previous coordinate and walks forward.
float walkToSection(float coordinate, int k0) {
    for (;;) {
        const int s = static_cast<int>(std::floor(coordinate));
        const TrackSection& row = trackSections[s];
        if (row.firstKey <= k0 && k0 < row.endKey) {
            return static_cast<float>(s) +
                   static_cast<float>(k0 - row.firstKey) / static_cast<float>(row.endKey - row.firstKey);
        }
        coordinate += 1.0f;
        if (coordinate >= static_cast<float>(kSectionCount)) {
            coordinate = 0.0f;
        }
    }
}

} // namespace

CatmullRomWeights catmullRomWeights(Fixed t) {
    const Fixed t2 = FixedMul(t, t);
    const Fixed t3 = FixedMul(t2, t);
    const Fixed two = FixedFromFloat(2.0f);
    const Fixed three = FixedFromFloat(3.0f);
    const Fixed four = FixedFromFloat(4.0f);
    const Fixed five = FixedFromFloat(5.0f);
    return {
        (-t3 + FixedMul(two, t2)) - t,
        (FixedMul(three, t3) - FixedMul(five, t2)) + two,
        (FixedMul(-three, t3) + FixedMul(four, t2)) + t,
        t3 - t2,
    };
}

float wrapLap(float param) {
    if (param > 1.0f) {
        param -= 1.0f;
    }
    if (param > 1.0f || param < 0.0f) {
        param -= std::floor(param);
    }
    return param;
}

float lapStep(float dt) {
    return 0.0004f * (dt * 30.0f);
}

float frameStep(const Fixed* frameTime) {
    return FixedToFloat(frameTime[0] - frameTime[1]);
}

float RaceTrack::interpolatePath(float param, int kind, int car) {
    if (kind != kKindCamera && kind != kKindCar) {
        return 0.0f;
    }
    float* const sectionCoordinate = sectionCoordinates.get().of;
    if (!hasPath(car)) {
        return sectionCoordinate[car];
    }
    const float x = param * static_cast<float>(keyPaths[car + 1].count);
    const int keyIndex = static_cast<int>(x);
    const Fixed t = FixedFromFloat(x - static_cast<float>(keyIndex));

    // Neighbour keys. Key count of the Fixed copy is never addressed: from the last key the
    // interpolation goes straight to key 0, and the key before key 0 is count - 2.
    const CarPath& path = carPaths[car];
    const int n = path.count;
    int k0 = keyIndex;
    if (k0 >= n) {
        k0 -= n;
    }
    int k1 = k0 + 1;
    if (k1 >= n) {
        k1 -= n;
    }
    int km1 = k0 - 1;
    if (km1 >= n) {
        km1 -= n;
    }
    if (km1 < 0) {
        km1 = km1 + n - 1;
    }
    int k2 = k1 + 1;
    if (k2 >= n) {
        k2 -= n;
    }

    const Fixed* p0 = keyAt(path, km1);
    const Fixed* p1 = keyAt(path, k0);
    const Fixed* p2 = keyAt(path, k1);
    const Fixed* p3 = keyAt(path, k2);
    const CatmullRomWeights w = catmullRomWeights(t);
    const Fixed half = FixedFromFloat(0.5f);
    FixedMatrix result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int v = 3 * row + column;
            const Fixed sum = ((FixedMul(w.w0, p0[v]) + FixedMul(w.w1, p1[v])) + FixedMul(w.w2, p2[v])) +
                              FixedMul(w.w3, p3[v]);
            result[4 * row + column] = FixedMul(sum, half);
        }
        result[4 * row + 3] = Fixed{0};
    }
    result[15] = FixedOne;

    if (kind == kKindCamera) {
        cameraPathTransform = result;
        return sectionCoordinate[car];
    }
    carTransform[car] = result;
    carRotation[car] = result;
    carRotation[car][12] = Fixed{0};
    carRotation[car][13] = Fixed{0};
    carRotation[car][14] = Fixed{0};
    sectionCoordinate[car] = walkToSection(sectionCoordinate[car], keyIndex);
    return sectionCoordinate[car];
}

void RaceTrack::advanceCars() {
    frameTime[2] = frameTime[1];
    frameTime[1] = frameTime[0];
    frameTime[0] = clockSeconds(elapsedSeconds());

    // This frame's transforms use the parameters before this frame's move.
    for (int car = 0; car < kCarCount; ++car) {
        carSectionCoord[car] = interpolatePath(carPathParam[car], kKindCar, car);
    }
    const float step = lapStep(frameStep(frameTime));
    for (float& param : carPathParam) {
        param = wrapLap(param + step);
    }
}
