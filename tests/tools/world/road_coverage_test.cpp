// Under every wheel contact point and shadow corner of every car at every key there is road of the car's
// section or a neighbour's, and the road reaches 3.5 units each side of the line.
#include "world_test_support.h"

#include <gtest/gtest.h>

namespace {

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
