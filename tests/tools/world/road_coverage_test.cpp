// Under every wheel contact point and shadow corner of every car at every key there is road of the car's
// section or a neighbour's, the road probe's own 16.16 test finds it everywhere along the paths and near
// every triangle edge, and the road reaches 3.5 units each side of the line.
#include "world/road_coverage.h"
#include "world_test_support.h"

#include <gtest/gtest.h>

namespace {

// The compiled-in world, as the race's probe reads it.
world::ProbedWorld compiledIn() {
    world::ProbedWorld w{};
    for (int s = 0; s < kSectionCount; ++s) {
        const NymMeshDescriptor& road = meshDescriptors[trackSections[s].objects[0]];
        w.pieces[static_cast<std::size_t>(s)] = {road.positions, road.indices, road.triangleCount};
        w.sectionFirstKey[static_cast<std::size_t>(s)] = trackSections[s].firstKey;
    }
    w.sectionFirstKey[kSectionCount] = trackSections[kSectionCount - 1].endKey;
    for (int car = 0; car < 3; ++car) {
        w.carKeys[static_cast<std::size_t>(car)] = keyPaths[car + 1].keys;
    }
    w.contactBox = contactBox;
    w.shadowCorners = shadowCorners;
    return w;
}

bool overNearbyRoad(int section, P3 p) {
    for (int ds : {0, 1, -1}) {
        if (overRoad((section + ds + kSectionCount) % kSectionCount, p)) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(WorldRoad, EveryContactPointAndShadowCornerOverTheLapLiesOverRoad) {
    int misses = 0;
    for (int car = 1; car < 4; ++car) {
        for (int k = 0; k < 1749; ++k) {
            const int s = sectionOfKey(k);
            for (int i = 0; i < 4; ++i) {
                misses += !overNearbyRoad(s, throughKey(car, k, contactBox[i]));
                misses += !overNearbyRoad(s, throughKey(car, k, shadowCorners[i]));
            }
        }
    }
    EXPECT_EQ(misses, 0);
}

TEST(WorldRoad, RoadReachesThreeAndAHalfUnitsEachSideOfTheLine) {
    for (int k = 0; k < 1749; ++k) {
        const float* m = keyOf(0, k);
        const P3 at = keyPosition(0, k), right{m[0], m[1], m[2]};
        for (double side : {-3.5, 3.5}) {
            const P3 p{at.x + right.x * side, 0.5, at.z + right.z * side};
            ASSERT_TRUE(overNearbyRoad(sectionOfKey(k), p)) << "key " << k << " side " << side;
        }
    }
}

TEST(WorldRoad, TheProbesSixteenSixteenTestFindsRoadUnderTheCarsAndAcrossEveryEdge) {
    // Points a raw unit or three from an edge are where floored products used to lose the road between
    // two triangles; every point well inside the road must be met.
    const world::EdgeReport edges = world::checkRoadEdges(compiledIn(), 8, 3);
    EXPECT_GT(edges.points, 50000);
    EXPECT_EQ(edges.missed, 0);

    // Forty positions a key along all three paths, wheels and shadow corners.
    const world::CoverageReport coverage = world::checkRoadCoverage(compiledIn(), 40);
    EXPECT_EQ(coverage.positions, 3 * 1749 * 40);
    EXPECT_EQ(coverage.probes, 8 * coverage.positions);
    EXPECT_EQ(coverage.misses.hole, 0);
    EXPECT_EQ(coverage.misses.rounding, 0);
    EXPECT_EQ(coverage.misses.faraway, 0);
    EXPECT_TRUE(coverage.examples.empty()) << coverage.examples.front();
}
