// Trackside cameras stand beside their own section and see car 1 there; the dollies follow the line.
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Triangle {
    P3 a, b, c;
};

// Every triangle of every scenery object (not the road pieces), for the sight tests.
std::vector<Triangle> sceneryTriangles() {
    std::vector<Triangle> out;
    for (int s = 0; s < kSectionCount; ++s) {
        for (int j = 1; j < trackSections[s].objectCount; ++j) {
            const NymMeshDescriptor& d = meshDescriptors[trackSections[s].objects[j]];
            for (std::uint32_t t = 0; t < d.triangleCount; ++t) {
                out.push_back({vertexOf(d, d.indices[t * 3]), vertexOf(d, d.indices[t * 3 + 1]),
                               vertexOf(d, d.indices[t * 3 + 2])});
            }
        }
    }
    return out;
}

bool segmentBlocked(const std::vector<Triangle>& tris, P3 from, P3 to) {
    const P3 dir = sub(to, from);
    const double minX = std::min(from.x, to.x), maxX = std::max(from.x, to.x);
    const double minZ = std::min(from.z, to.z), maxZ = std::max(from.z, to.z);
    for (const Triangle& t : tris) {
        if (std::max({t.a.x, t.b.x, t.c.x}) < minX || std::min({t.a.x, t.b.x, t.c.x}) > maxX ||
            std::max({t.a.z, t.b.z, t.c.z}) < minZ || std::min({t.a.z, t.b.z, t.c.z}) > maxZ) {
            continue;
        }
        double at = 0.0;
        if (lineHitsTriangle(from, dir, t.a, t.b, t.c, at) && at > 1e-3 && at < 1.0 - 1e-3) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(WorldCameras, EachCameraStandsBesideItsSectionAndSeesCarOne) {
    const std::vector<Triangle> tris = sceneryTriangles();
    for (int s = 0; s < kSectionCount; ++s) {
        const float* c = trackCameras[s + 1].position;
        const P3 eye{c[0], c[1], c[2]};
        const int first = trackSections[s].firstKey, end = trackSections[s].endKey;
        const double d = distanceToLine(eye, first, end);
        EXPECT_GE(d, 3.0) << "camera " << s;
        EXPECT_LE(d, 50.0) << "camera " << s;
        int seen = 0, keys = 0;
        for (int k = first; k < std::min(end, 1749); ++k) {
            P3 car = keyPosition(2, k);
            car.y += 0.15;
            seen += !segmentBlocked(tris, eye, car);
            ++keys;
        }
        EXPECT_GE(seen * 10, keys * 8)
            << "camera " << s << " sees car 1 at " << seen << " of " << keys << " keys";
    }
    // No camera stands on the road (camera 0 beside the start straight included).
    for (int s = 0; s < kSectionCount; ++s) {
        const float* c = trackCameras[s + 1].position;
        for (int n : {s + kSectionCount - 1, s, s + 1}) {
            EXPECT_FALSE(overRoad(n % kSectionCount, {c[0], c[1] + 1.0, c[2]})) << "camera " << s;
        }
    }
}

TEST(WorldCameras, DollyPointsFollowTheLineOfTheirSection) {
    const int entries[3] = {2, 4, 3}, sections[3] = {1, 4, 9};
    for (int i = 0; i < 3; ++i) {
        const DollySpline& d = dollySplines[entries[i]];
        const TrackSection& row = trackSections[sections[i]];
        for (std::uint32_t p = 0; p < d.count; ++p) {
            const P3 pt{d.points[p * 3], d.points[p * 3 + 1], d.points[p * 3 + 2]};
            EXPECT_EQ(pt.y, 0.0);
            EXPECT_LE(distanceToLine(pt, row.firstKey, row.endKey), 2.5)
                << "dolly " << entries[i] << " point " << p;
        }
    }
    for (int e = 0; e < kDollySplineCount; ++e) {
        EXPECT_GE(dollySplines[e].count, 4u) << e;
    }
}
