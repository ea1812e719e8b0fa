// The frame driver over whole runs: every world starts its race afresh, whatever an earlier world of the
// process left behind.
#include <gmock/gmock.h>

#include <vector>

#include "engine/render.h"
#include "math/clock.h"
#include "race_test_support.h"
#include "tests/support/virtual_clock.h"

namespace {

// What a frame shows: the mode, the two drawn sections and the camera.
struct Shown {
    int mode;
    int current;
    int neighbour;
    std::vector<std::int32_t> camera;
    bool operator==(const Shown&) const = default;
};

class FrameDriverTest : public RaceTest {
protected:
    // The first 15 s of a race in a new world at 30 frames a second: the cars go through the first
    // trackside sections with their dolly into the chase sections.
    std::vector<Shown> race() {
        const VirtualClockScope clock(30);
        elapsedSeconds();
        const std::unique_ptr<RaceTrack> world = buildWorld(320, 240);
        std::vector<Shown> shown;
        for (int frame = 0; frame < 450; ++frame) {
            world->runFrame();
            gl.clearLog();
            platform::advanceVirtualClock();
            FixedMatrix view;
            NymRender::instance()->getViewMatrix(view, 1);
            Shown s{world->sceneMode, world->currentSection, world->neighbourSection, {}};
            for (int i = 0; i < 16; ++i) {
                s.camera.push_back(view[i].raw);
            }
            shown.push_back(s);
        }
        // The first frame warmed the scenery up.
        EXPECT_EQ(world->sectionObjects[5].objects[0].geometry->getFlags() & 0x140u, 0x140u);
        return shown;
    }
};

TEST_F(FrameDriverTest, EveryWorldStartsItsRaceAfresh) {
    const std::vector<Shown> first = race();
    ASSERT_EQ(first.front().mode, Trackside);
    EXPECT_EQ(first.front().current, 0);
    EXPECT_EQ(first.front().neighbour, 13);
    EXPECT_EQ(first.back().mode, Chase);

    const std::vector<Shown> second = race();
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t f = 0; f < first.size(); ++f) {
        ASSERT_TRUE(second[f] == first[f]) << "frame " << f;
    }
}

} // namespace
