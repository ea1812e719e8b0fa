// The road probe's search over the compiled-in road pieces.
#include <gmock/gmock.h>

#include "engine/mesh_descriptor.h"
#include "files/nym_trace.h"
#include "race_test_support.h"

namespace {

using ::testing::HasSubstr;

FixedVec4 vec(float x, float y, float z) {
    return {FixedFromFloat(x), FixedFromFloat(y), FixedFromFloat(z), Fixed{0}};
}

// The road piece of a section and the centre of one of its triangles.
struct RoadPoint {
    int triangles;
    FixedVec4 above;
};

const NymMeshDescriptor& road(int section) {
    return meshDescriptors[trackSections[section].objects[0]];
}

RoadPoint roadPoint(int section, int triangle) {
    const NymMeshDescriptor& d = road(section);
    float c[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const float* p = &d.positions[3 * d.indices[3 * triangle + k]];
        for (int a = 0; a < 3; ++a) {
            c[a] += p[a] / 3.0f;
        }
    }
    return {static_cast<int>(d.triangleCount), vec(c[0], c[1] + 1.0f, c[2])};
}

class RoadProbeTest : public RaceTest {
protected:
    void SetUp() override {
        RaceTest::SetUp();
        world = buildWorld(320, 240);
        // Show the search diagnostics, which the race's threshold normally hides.
        NymTrace::Instance()->SetLevel(100);
        clearOutput();
    }

    void TearDown() override {
        world.reset();
        RaceTest::TearDown();
    }

    // The road point straight below origin, or (0, 0, 0, 0) when the probe meets none.
    FixedVec4 probe(int slot, const FixedVec4& origin) {
        FixedVec4 point{};
        found = world->probeRoad(slot, origin, vec(0, -1, 0), point);
        return point;
    }

    void place(int slot, int section, int triangle, int current, int neighbour) {
        world->probeSection[slot] = section;
        world->probeTriangle[slot] = triangle;
        world->currentSection = current;
        world->neighbourSection = neighbour;
    }

    std::unique_ptr<RaceTrack> world;
    bool found = false;
};

TEST_F(RoadProbeTest, HitIsOnTheTriangleAndTheSlotRemembersIt) {
    const RoadPoint p = roadPoint(1, roadPoint(1, 0).triangles / 2);
    const int k = p.triangles / 2;
    place(0, 1, 0, 1, 2);
    const FixedVec4 hit = probe(0, p.above);
    EXPECT_TRUE(found);

    const NymMeshDescriptor& d = road(1);
    FixedVec4 v[3];
    for (int i = 0; i < 3; ++i) {
        const float* q = &d.positions[3 * d.indices[3 * k + i]];
        v[i] = vec(q[0], q[1], q[2]);
    }
    Fixed t{}, u{}, w{};
    ASSERT_TRUE(intersectTriangle(p.above, vec(0, -1, 0), v[0], v[1], v[2], t, u, w));
    EXPECT_EQ(hit.x, p.above.x);
    EXPECT_EQ(hit.y, p.above.y - t);
    EXPECT_EQ(hit.z, p.above.z);
    EXPECT_EQ(hit.w.raw, 0);
    EXPECT_EQ(world->probeSection[0], 1);
    EXPECT_EQ(world->probeTriangle[0], k);
    EXPECT_THAT(output(), HasSubstr("Section 1 => Excess Iterations = " + std::to_string(k + 1) +
                                    " from start point = 0 \n"));

    // The next search starts two triangles back: three tests, no diagnostic.
    clearOutput();
    EXPECT_EQ(probe(0, p.above).y, hit.y);
    EXPECT_EQ(world->probeTriangle[0], k);
    EXPECT_EQ(output(), "");
    // Other slots keep their own memory.
    EXPECT_EQ(world->probeTriangle[4], 0);
    EXPECT_EQ(world->probeSection[4], 0);
}

TEST_F(RoadProbeTest, SearchGoesOnToTheNextThenThePreviousSection) {
    const int t0 = roadPoint(0, 0).triangles;
    const int t1 = roadPoint(1, 0).triangles;
    const int t13 = roadPoint(13, 0).triangles;

    // In section 1: section 0 is searched whole first.
    place(0, 0, 0, 0, 1);
    probe(0, roadPoint(1, t1 / 2).above);
    EXPECT_EQ(world->probeSection[0], 1);
    EXPECT_EQ(world->probeTriangle[0], t1 / 2);
    EXPECT_THAT(output(), HasSubstr("Excess Iterations = " + std::to_string(t0 + t1 / 2 + 1) + " "));

    // In section 13: section 0 from its start, section 1, section 0 again, then section 13.
    clearOutput();
    place(0, 0, 0, 0, 1);
    probe(0, roadPoint(13, t13 / 2).above);
    EXPECT_EQ(world->probeSection[0], 13);
    EXPECT_EQ(world->probeTriangle[0], t13 / 2);
    EXPECT_THAT(output(), HasSubstr("Section 13 => Excess Iterations = " +
                                    std::to_string(t0 + t1 + t0 + t13 / 2 + 1) + " "));

    // From section 13 the next section is 0.
    clearOutput();
    place(0, 13, 0, 13, 12);
    probe(0, roadPoint(0, t0 / 2).above);
    EXPECT_EQ(world->probeSection[0], 0);
    EXPECT_THAT(output(), HasSubstr("Excess Iterations = " + std::to_string(t13 + t0 / 2 + 1) + " "));
}

TEST_F(RoadProbeTest, SlotFarFromTheActionJumpsToTheLowerDrawnSection) {
    const int t0 = roadPoint(0, 0).triangles;
    // 13 against current 0: a difference of 13, so the search starts at section min(0, 1), triangle 0.
    place(4, 13, 40, 0, 1);
    probe(4, roadPoint(0, t0 / 2).above);
    EXPECT_EQ(world->probeSection[4], 0);
    EXPECT_EQ(world->probeTriangle[4], t0 / 2);
    EXPECT_THAT(output(),
                HasSubstr("Excess Iterations = " + std::to_string(t0 / 2 + 1) + " from start point = 0 \n"));

    // A difference of 2 keeps the slot's section.
    clearOutput();
    const int t2 = roadPoint(2, 0).triangles;
    place(4, 2, 0, 0, 13);
    probe(4, roadPoint(2, t2 / 2).above);
    EXPECT_EQ(world->probeSection[4], 2);
    EXPECT_THAT(output(), HasSubstr("Excess Iterations = " + std::to_string(t2 / 2 + 1) + " "));
}

TEST_F(RoadProbeTest, SearchStartsTwoTrianglesBeforeTheLastHit) {
    const int k = 12;
    const FixedVec4 origin = roadPoint(3, k).above;
    for (const auto& [remembered, start] :
         {std::pair{0, 0}, std::pair{1, 0}, std::pair{2, 0}, std::pair{3, 1}}) {
        clearOutput();
        place(0, 3, remembered, 3, 4);
        probe(0, origin);
        EXPECT_EQ(world->probeTriangle[0], k);
        EXPECT_THAT(output(), HasSubstr("Excess Iterations = " + std::to_string(k - start + 1) +
                                        " from start point = " + std::to_string(start) + " \n"))
            << "remembered " << remembered;
    }
    // A remembered triangle past the end of the piece starts at 0.
    clearOutput();
    place(0, 3, 100000, 3, 4);
    probe(0, origin);
    EXPECT_EQ(world->probeTriangle[0], k);
    EXPECT_THAT(output(),
                HasSubstr("Excess Iterations = " + std::to_string(k + 1) + " from start point = 99998 \n"));
}

TEST_F(RoadProbeTest, RoadBeyondTheSlotsSectionsIsFoundInTheDrawnSectionsAndTheirNeighbours) {
    const int t1 = roadPoint(1, 0).triangles, t2 = roadPoint(2, 0).triangles;
    const int t3 = roadPoint(3, 0).triangles, t4 = roadPoint(4, 0).triangles;
    // A long frame step: the slot is still on section 2 (within two of the drawn section 3), the wheel
    // already on section 4, the neighbour drawn. Sections 2, 3, 2 and 1, then 4.
    place(0, 2, 0, 3, 4);
    FixedVec4 point{};
    ASSERT_TRUE(world->probeRoad(0, roadPoint(4, t4 / 2).above, vec(0, -1, 0), point));
    EXPECT_EQ(point.x, roadPoint(4, t4 / 2).above.x);
    EXPECT_EQ(world->probeSection[0], 4);
    EXPECT_EQ(world->probeTriangle[0], t4 / 2);
    EXPECT_THAT(output(), HasSubstr("Section 4 => Excess Iterations = " +
                                    std::to_string(t2 + t3 + t2 + t1 + t4 / 2 + 1) + " "));
    EXPECT_THAT(output(), ::testing::Not(HasSubstr("No Intersection Found")));

    // A car a section behind the drawn one while the slot is two ahead of it (the in-car view follows
    // the leading car): sections 8, 9, 8, 7, then 6 and 5.
    clearOutput();
    place(0, 8, 0, 6, 7);
    ASSERT_TRUE(world->probeRoad(0, roadPoint(5, 3).above, vec(0, -1, 0), point));
    EXPECT_EQ(world->probeSection[0], 5);
    EXPECT_EQ(world->probeTriangle[0], 3);
    EXPECT_THAT(output(), ::testing::Not(HasSubstr("No Intersection Found")));
}

TEST_F(RoadProbeTest, MissLeavesThePointAndTheSlotOnThePreviousSection) {
    place(5, 6, 7, 6, 5);
    const FixedVec4 hit = probe(5, vec(30000, 100, 30000));
    EXPECT_FALSE(found);
    EXPECT_EQ(hit.x.raw, 0);
    EXPECT_EQ(hit.y.raw, 0);
    EXPECT_EQ(hit.z.raw, 0);
    EXPECT_EQ(hit.w.raw, 0);
    EXPECT_EQ(world->probeSection[5], 5);
    EXPECT_EQ(world->probeTriangle[5], 0);
    EXPECT_THAT(output(), HasSubstr("No Intersection Found - Current 6 - Next 5 !!!\n"));
    const int tests = roadPoint(6, 0).triangles - 5 + roadPoint(7, 0).triangles + roadPoint(6, 0).triangles +
                      roadPoint(5, 0).triangles;
    EXPECT_THAT(output(), HasSubstr("Section 5 => Excess Iterations = " + std::to_string(tests) +
                                    " from start point = 5 \n"));
}

} // namespace
