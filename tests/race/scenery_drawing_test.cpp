// The warm-up that bakes the scenery's lighting, and the per-frame drawing of the sky, the road, the
// scenery and the waterfall, seen through the GL calls they make.
#include <gmock/gmock.h>

#include <algorithm>

#include "engine/mesh_descriptor.h"
#include "engine/render.h"
#include "race_test_support.h"

namespace {

using ::testing::ElementsAre;

// The index counts of the glDrawElements calls, in order.
std::vector<int> drawnIndexCounts(const platform::gles::RecordDriver& gl) {
    // Entries read "glDrawElements(MODE, COUNT, TYPE, DATA)".
    std::vector<int> counts;
    for (const std::string& call : gl.log({"glDrawElements"})) {
        counts.push_back(std::stoi(call.substr(call.find(", ") + 2)));
    }
    return counts;
}

// The blending switches, in order: true for glEnable(GL_BLEND), false for glDisable(GL_BLEND).
std::vector<bool> blendSwitches(const platform::gles::RecordDriver& gl) {
    std::vector<bool> switches;
    for (const std::string& call : gl.log({"glEnable", "glDisable"})) {
        if (call == "glEnable(GL_BLEND)") {
            switches.push_back(true);
        } else if (call == "glDisable(GL_BLEND)") {
            switches.push_back(false);
        }
    }
    return switches;
}

int indexCount(int descriptor) {
    return 3 * static_cast<int>(meshDescriptors[descriptor].triangleCount);
}

class SceneryDrawingTest : public RaceTest {
protected:
    void SetUp() override {
        RaceTest::SetUp();
        world = buildWorld(320, 240);
    }

    void TearDown() override {
        world.reset();
        RaceTest::TearDown();
    }

    // Selects the race camera, so that the renderer draws.
    void selectCamera() {
        NymRender::instance()->setCamera(world->camera);
        gl.clearLog();
    }

    std::unique_ptr<RaceTrack> world;
};

TEST_F(SceneryDrawingTest, WarmUpDrawsEverythingOnceAndBakesTheLighting) {
    int objects = 0;
    std::vector<Fixed> emissiveBefore;
    for (const NymMaterial& m : world->sceneryMaterials) {
        emissiveBefore.push_back(m.emissive[0]);
    }
    for (const SectionObjects& section : world->sectionObjects) {
        objects += section.count;
    }
    world->warmUp();
    // Every scenery object, then the detailed body with each of the three paints.
    const std::vector<int> counts = drawnIndexCounts(gl);
    ASSERT_EQ(static_cast<int>(counts.size()), objects + 3);
    EXPECT_THAT(std::vector<int>(counts.end() - 3, counts.end()),
                ElementsAre(indexCount(35), indexCount(35), indexCount(35)));
    EXPECT_EQ(counts[0], indexCount(trackSections[0].objects[0]));

    for (const SectionObjects& section : world->sectionObjects) {
        for (int j = 0; j < section.count; ++j) {
            EXPECT_EQ(section.objects[j].geometry->flags & 0x140u, 0x140u);
        }
    }
    EXPECT_EQ(world->carBodyDetailed->flags & 0x140u, 0x140u);
    EXPECT_EQ(world->carBody->flags & 0x140u, 0u);
    EXPECT_EQ(world->shadowQuad->flags & 0x140u, 0u);
    EXPECT_EQ(world->waterfall[0]->flags & 0x140u, 0u);

    // The light now shines from straight above; the tunnels' glow is gone again.
    EXPECT_EQ(world->directionalLight->position[0].raw, 0);
    EXPECT_EQ(world->directionalLight->position[1], FixedFromInt(1));
    EXPECT_EQ(world->directionalLight->position[2].raw, 0);
    for (int i = 0; i < kSceneryMaterials; ++i) {
        EXPECT_EQ(world->sceneryMaterials[i].emissive[0], emissiveBefore[i]) << "material " << i;
    }
}

TEST_F(SceneryDrawingTest, TreesKeepTheirOwnGlowOutsideTheTunnelSections) {
    // The compiled-in world has no tree in a tunnel section: one of section 1's objects becomes one, so
    // that trees are warmed up in a tunnel before the others.
    ASSERT_TRUE(isTunnelSection(1));
    ASSERT_GE(world->sectionObjects[1].count, 2);
    world->sectionObjects[1].objects[1].material = &world->sceneryMaterials[5];
    world->warmUp();
    // Unlit trees are coloured by their emissive alone: 0.9 outside the tunnel sections, whichever
    // sections were warmed up before them, and the tunnels' 0.25 inside.
    int trees = 0;
    int tunnelTrees = 0;
    for (int s = 0; s < kSectionCount; ++s) {
        for (int j = 0; j < world->sectionObjects[s].count; ++j) {
            const SectionObject& object = world->sectionObjects[s].objects[j];
            if (object.material != &world->sceneryMaterials[5]) {
                continue;
            }
            ++trees;
            tunnelTrees += isTunnelSection(s) ? 1 : 0;
            const int expected = isTunnelSection(s) ? 0x40 : 0xE6;
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(object.geometry->litColours[c], expected) << "section " << s << " object " << j;
            }
        }
    }
    EXPECT_EQ(tunnelTrees, 1);
    EXPECT_GT(trees, tunnelTrees);
    EXPECT_EQ(world->sceneryMaterials[5].emissive[0], FixedFromFloat(0.9f));
}

TEST_F(SceneryDrawingTest, TunnelSectionsAreThoseEndingInATunnelPiece) {
    for (int s = 0; s < kSectionCount; ++s) {
        EXPECT_EQ(isTunnelSection(s), s == 1 || s == 2 || s == 4 || s == 9) << "section " << s;
    }
}

TEST_F(SceneryDrawingTest, SkyThenBothRoadPiecesWithOneMaterial) {
    world->currentSection = 5;
    world->neighbourSection = 4;
    gl.clearLog();
    world->drawSkyAndRoad();
    const std::vector<int> counts = drawnIndexCounts(gl);
    ASSERT_GE(counts.size(), 2u);
    EXPECT_THAT(
        std::vector<int>(counts.end() - 2, counts.end()),
        ElementsAre(indexCount(trackSections[5].objects[0]), indexCount(trackSections[4].objects[0])));
    // The sky box faces come first: five faces drawn before the road.
    EXPECT_EQ(counts.size(), 7u);
}

TEST_F(SceneryDrawingTest, SceneryOfBothSectionsWithTreesBlended) {
    for (int s = 0; s < kSectionCount; ++s) {
        const int n = s == kSectionCount - 1 ? 0 : s + 1;
        world->currentSection = s;
        world->neighbourSection = n;
        selectCamera();
        world->drawScenery();

        std::vector<int> expectedCounts;
        std::vector<bool> expectedBlending;
        for (const int section : {s, n}) {
            for (int j = 1; j < trackSections[section].objectCount; ++j) {
                expectedCounts.push_back(indexCount(trackSections[section].objects[j]));
                if (world->sectionObjects[section].objects[j].material == &world->sceneryMaterials[5]) {
                    expectedBlending.push_back(true);
                    expectedBlending.push_back(false);
                }
            }
        }
        EXPECT_EQ(drawnIndexCounts(gl), expectedCounts) << "sections " << s << ", " << n;
        EXPECT_EQ(blendSwitches(gl), expectedBlending) << "sections " << s << ", " << n;
    }
}

TEST_F(SceneryDrawingTest, WaterfallLayersAreBlendedThenBlendingEnds) {
    selectCamera();
    world->drawWaterfall();
    EXPECT_THAT(drawnIndexCounts(gl), ElementsAre(indexCount(71), indexCount(72)));
    EXPECT_THAT(blendSwitches(gl), ElementsAre(true, false));
    const std::vector<std::string> log = gl.log();
    const auto firstDraw = std::find_if(
        log.begin(), log.end(), [](const std::string& s) { return s.rfind("glDrawElements", 0) == 0; });
    const auto blendOn = std::find(log.begin(), log.end(), "glEnable(GL_BLEND)");
    EXPECT_LT(blendOn, firstDraw);
}

} // namespace
