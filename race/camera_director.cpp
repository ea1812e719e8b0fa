#include <algorithm>
#include <cmath>

#include "engine/render.h"
#include "race/car_motion.h"
#include "race/race_track.h"
#include "race/world_memory.h"

namespace {

constexpr int kRollHistory = 10;

// The dolly spline that replaces the fixed camera in a section, and how fast it runs.
struct Dolly {
    int section;
    int spline; // entry of dollySplines
    float speed;
};
constexpr Dolly kDollies[] = {{1, 2, 16.124f}, {4, 4, 13.398f}, {9, 3, 15.924f}};

struct CameraMemory {
    // The running dolly: its position along the spline and the section it belongs to.
    Fixed dollyParam{0};
    int dollySection = 0;
    // The in-car camera's roll over the last frames.
    Fixed rollHistory[kRollHistory] = {};
    int rollHistoryIndex = 0;
};
WorldMemory<CameraMemory> cameraMemory;

int nextSection(int s) {
    return s + 1 == kSectionCount ? 0 : s + 1;
}

FixedVec4 positionOf(const FixedMatrix& m) {
    return {m[12], m[13], m[14], Fixed{0}};
}

} // namespace

FixedVec4 dollyPoint(Fixed t, int count, const float* points) {
    const Fixed u = FixedMul(t, FixedFromInt(count - 3));
    // At t = 1.0 the last segment is taken with its fraction at 1.0, so no point past the last is read.
    const int i = std::clamp(FixedToInt(u), 0, count - 4);
    const Fixed f = u - FixedFromInt(i);
    const CatmullRomWeights w = catmullRomWeights(f);
    const float* p = &points[3 * i];
    FixedVec4 result{};
    for (int axis = 0; axis < 3; ++axis) {
        const Fixed sum =
            ((FixedMul(w.w0, FixedFromFloat(p[axis])) + FixedMul(w.w1, FixedFromFloat(p[3 + axis]))) +
             FixedMul(w.w2, FixedFromFloat(p[6 + axis]))) +
            FixedMul(w.w3, FixedFromFloat(p[9 + axis]));
        result[axis] = FixedMul(sum, FixedFromFloat(0.5f));
    }
    return result;
}

FixedMatrix lookAt(const FixedVec4& eye, const FixedVec4& target) {
    FloatVec3 d{FixedToFloat(target.x - eye.x), FixedToFloat(target.y - eye.y),
                FixedToFloat(target.z - eye.z)};
    Vec3Normalise(d, d);
    const FixedVec4 f{FixedFromFloat(d.x), FixedFromFloat(d.y), FixedFromFloat(d.z), Fixed{0}};
    // Side = forward x up, not normalised: its length is the horizontal length of forward.
    const FixedVec4 s{-f.z, Fixed{0}, f.x, Fixed{0}};
    const FixedVec4 u{FixedMul(s.y, f.z) - FixedMul(s.z, f.y), FixedMul(s.z, f.x) - FixedMul(s.x, f.z),
                      FixedMul(s.x, f.y) - FixedMul(s.y, f.x), Fixed{0}};
    FixedMatrix m;
    MatrixIdentity(m);
    for (int c = 0; c < 3; ++c) {
        m[c] = s[c];
        m[4 + c] = u[c];
        m[8 + c] = -f[c];
    }
    MatrixTranslate(m, eye.x, eye.y, eye.z);
    return m;
}

void RaceTrack::placeCamera(SceneMode mode) {
    CameraMemory& memory = cameraMemory.get();
    NymRender* render = NymRender::instance();
    currentSection = 0;
    neighbourSection = 0;
    if (render != nullptr) {
        render->setCamera(camera);
    }
    const float dt = frameStep(frameTime);
    FixedMatrix m;

    if (mode == Chase) {
        // 0.25 above car 0's own path, oriented like a car there.
        currentSection = static_cast<int>(std::floor(interpolatePath(cameraPathParam, 1, 0)));
        neighbourSection = nextSection(currentSection);
        MatrixIdentity(m);
        MatrixTranslate(m, Fixed{0}, FixedFromFloat(0.25f), Fixed{0});
        MatrixMultiply(m, m, cameraPathTransform);
    } else if (mode == Trackside) {
        // The neighbour is the nearer end of car 1's section.
        const float c = carSectionCoord[1];
        const int s = static_cast<int>(std::floor(c));
        currentSection = s;
        neighbourSection = c - static_cast<float>(s) > 0.5f ? s + 1 : s - 1;
        if (neighbourSection < 0) {
            neighbourSection = kSectionCount - 1;
        } else if (neighbourSection == kSectionCount) {
            neighbourSection = 0;
        }

        const Dolly* dolly = std::find_if(std::begin(kDollies), std::end(kDollies),
                                          [s](const Dolly& d) { return d.section == s; });
        FixedVec4 eye;
        if (dolly != std::end(kDollies)) {
            // A dolly starts from its first point when its section is entered after another dolly's;
            // at the end of its spline it stops and waits.
            if (s != memory.dollySection) {
                memory.dollyParam = Fixed{0};
            }
            memory.dollySection = s;
            const DollySpline& spline = dollySplines[dolly->spline];
            eye = dollyPoint(memory.dollyParam, static_cast<int>(spline.count), spline.points);
            const Fixed step = FixedMul(FixedMul(FixedFromFloat(0.0004f), FixedFromFloat(dolly->speed)),
                                        FixedFromFloat(dt * 30.0f));
            memory.dollyParam += step;
            if (memory.dollyParam >= FixedOne) {
                memory.dollyParam = FixedOne;
            }
        } else {
            const float* p = trackCameras[s + 1].position;
            eye = {FixedFromFloat(p[0]), FixedFromFloat(p[1]), FixedFromFloat(p[2]), Fixed{0}};
        }
        m = lookAt(eye, positionOf(carTransform[1]));
    } else {
        // Inside car 2, rolled by 1.5 times car 0's body roll averaged over the last frames.
        currentSection = static_cast<int>(std::floor(carSectionCoord[2]));
        neighbourSection = nextSection(currentSection);
        memory.rollHistory[memory.rollHistoryIndex] = FixedMul(carRoll[0], FixedFromFloat(1.5f));
        Fixed sum{0};
        for (const Fixed roll : memory.rollHistory) {
            sum += roll;
        }
        const Fixed average = FixedMul(sum, FixedFromFloat(0.1f));
        memory.rollHistoryIndex =
            memory.rollHistoryIndex + 1 == kRollHistory ? 0 : memory.rollHistoryIndex + 1;
        MatrixIdentity(m);
        MatrixRotate(m, average, 2);
        MatrixTranslate(m, Fixed{0}, FixedFromFloat(0.07f), Fixed{0});
        MatrixMultiply(m, m, carTransform[2]);
    }
    if (render != nullptr) {
        render->SetCamMatrix(m);
    }

    // The chase camera's parameter moves in every mode, so it keeps its distance behind car 0.
    cameraPathParam = wrapLap(cameraPathParam + lapStep(dt));
}
