#pragma once
// The track's compiled-in tables, defined by the generated assets (assets/world/): the section table, the
// scene schedule, the cars' key paths, the trackside cameras and dolly splines, and the probe points of a
// car. Pointer fields take the platform's pointer width.
#include <cstdint>

inline constexpr int kSectionCount = 14;

// One row of the section table (16 bytes): the key range of the section and the mesh descriptors that lie
// in it. Object 0 is the section's road piece.
struct TrackSection {
    std::uint16_t objectCount; // 3 to 6
    std::uint16_t firstKey;    // inclusive
    std::uint16_t endKey;      // exclusive
    std::uint8_t objects[10];  // descriptor numbers; the first objectCount are used, the rest are 0
};
static_assert(sizeof(TrackSection) == 16);

extern const TrackSection trackSections[kSectionCount];

// The scene mode of each section: 0 chase, 1 trackside, 2 in-car.
extern const std::int32_t modeBySection[kSectionCount];

// A key path: count keys of 12 floats (x axis, y axis, z axis, position), with the closing keys after them.
inline constexpr int kKeyPathCount = 4;
inline constexpr std::uint32_t kPathKeyCount = 1749;
inline constexpr std::uint32_t kPathStoredKeys = 1751; // key 1749 lies between 1748 and 0; 1750 repeats 0
inline constexpr int kKeyFloats = 12;

struct KeyPath {
    std::uint32_t count;       // 1749
    std::uint32_t reserved[3]; // 0
    const float* keys;         // kPathStoredKeys x 12 floats
};

// Entry 0 is the racing line; entry c + 1 is the path of car c.
extern const KeyPath keyPaths[kKeyPathCount];

// A trackside camera record: position, the point it looks towards, field of view (radians), near and far.
struct TrackCamera {
    float position[3];
    float target[3];
    float fieldOfView;
    float nearDistance;
    float farDistance;
};
static_assert(sizeof(TrackCamera) == 36);

// Record s + 1 is the camera of section s; record 0 overlooks the start.
inline constexpr int kTrackCameraCount = 15;
extern const TrackCamera trackCameras[kTrackCameraCount];

// A dolly spline: count points of (x, y, z).
struct DollySpline {
    std::uint32_t count;
    const float* points;
};

// Entries 2, 4 and 3 run through sections 1, 4 and 9.
inline constexpr int kDollySplineCount = 6;
extern const DollySpline dollySplines[kDollySplineCount];

// Probe points in the car's frame (x right, y up, z back). contactBox: vertices 0-3 are the low points of
// wheels 0 (front right), 1 (front left), 2 (rear left) and 3 (rear right); the high points above them are
// vertices 4, 7, 6 and 5. shadowCorners: the four corners of the shadow footprint.
extern const float contactBox[8][3];
extern const float shadowCorners[4][3];
