// A frame while the race world cannot be allocated: the world is skipped, the title is still drawn and
// the next frame tries again. The replaced allocator refuses the world's size to the non-throwing
// operator new. And the teardown's order, seen in what it allocates.
#include <gmock/gmock.h>

#include <cstdlib>
#include <new>

#include "engine/render.h"
#include "files/nym_trace.h"
#include "race/app_class.h"
#include "race/demo_application.h"
#include "race_test_support.h"
#include "tests/support/replaced_allocator.h"

namespace {
bool refuseWorld = false;
// Renderers and traces made while counting.
bool counting = false;
int renderersMade = 0;
int tracesMade = 0;

bool refuseTheWorld(std::size_t size, bool nothrow) {
    if (counting && nothrow) {
        renderersMade += size == sizeof(NymRender) ? 1 : 0;
        tracesMade += size == sizeof(NymTrace) ? 1 : 0;
    }
    return !(refuseWorld && nothrow && size == sizeof(RaceTrack));
}
} // namespace

namespace {

using ::testing::HasSubstr;

// The names of the calls in the log, in order.
std::vector<std::string> callNames(const platform::gles::RecordDriver& gl) {
    std::vector<std::string> names;
    for (const platform::gles::RecordedCall& call : gl.calls()) {
        names.push_back(call.name);
    }
    return names;
}

class AppClassAllocationTest : public RaceTest {
protected:
    void SetUp() override {
        test_allocator::setPolicy(refuseTheWorld);
        RaceTest::SetUp();
    }
    void TearDown() override {
        refuseWorld = false;
        counting = false;
        if (appClass != nullptr) {
            UpdateAppClass(0, 0, FixedFromInt(1));
        }
        RaceTest::TearDown();
    }

    // The files registered again and the application's view created for a 320 x 240 window.
    void createView(DemoApplication& app) {
        registerEmbeddedFilesAgain();
        app.GetConfig()->width = 320;
        app.GetConfig()->height = 240;
        ASSERT_TRUE(app.OnViewCreate(320, 240));
    }
};

TEST_F(AppClassAllocationTest, FrameWithoutAWorldDrawsOnlyTheTitleAndRetries) {
    DemoApplication app;
    ASSERT_NO_FATAL_FAILURE(createView(app));

    refuseWorld = true;
    for (int frame = 0; frame < 2; ++frame) {
        gl.clearLog();
        clearOutput();
        EXPECT_TRUE(app.OnFrame());
        EXPECT_EQ(appClass, nullptr);
        EXPECT_EQ(output(), "Failed to create appClass\n");
    }
    const std::vector<std::string> withoutWorld = callNames(gl);

    // The same frame's calls with nothing but the overlay between the clear and the cull state.
    Print3D overlay;
    ASSERT_TRUE(overlay.Init(320, 240));
    gl.clearLog();
    glClearColorx(0, 0, 0, 0x10000);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glGetError();
    overlay.ShowTitle("Nymbus Zidaz", "", LogoA);
    EXPECT_GT(overlay.Draw(), 0);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    EXPECT_EQ(withoutWorld, callNames(gl));
    overlay.Release();

    // Once memory can be had again the next frame builds the world.
    refuseWorld = false;
    clearOutput();
    EXPECT_TRUE(app.OnFrame());
    EXPECT_NE(appClass, nullptr);
    EXPECT_THAT(output(), HasSubstr("Nymbus race demo"));
    app.OnViewRelease();
}

TEST_F(AppClassAllocationTest, StopDestroysTheWorldThenTheRendererThenTheTrace) {
    DemoApplication app;
    ASSERT_NO_FATAL_FAILURE(createView(app));
    ASSERT_TRUE(app.OnFrame());
    ASSERT_NE(appClass, nullptr);
    app.OnViewRelease();
    clearOutput();

    // The world's textures are deleted through the renderer and traced below the world's threshold: a
    // renderer or a trace ended before the world would be made again, and a trace ended before the
    // world would show its "Deleting Texture" lines.
    counting = true;
    renderersMade = 0;
    tracesMade = 0;
    EXPECT_TRUE(app.OnAppStop());
    counting = false;
    EXPECT_EQ(appClass, nullptr);
    EXPECT_EQ(renderersMade, 0);
    EXPECT_EQ(tracesMade, 0);
    EXPECT_EQ(output(), "");
}

} // namespace
