// The demo application's frame and the glue that owns the race world: rotation for portrait windows,
// the world built once for the landscape size, the overlay and cull state, and the teardown.
#include <gmock/gmock.h>

#include <algorithm>

#include "engine/render.h"
#include "files/nym_trace.h"
#include "race/app_class.h"
#include "race/demo_application.h"
#include "race_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class AppClassTest : public RaceTest {
protected:
    void SetUp() override {
        RaceTest::SetUp();
        registerEmbeddedFilesAgain();
    }
    void TearDown() override {
        if (appClass != nullptr) {
            UpdateAppClass(0, 0, FixedFromInt(1));
        }
        RaceTest::TearDown();
    }

    // An application for a window of the given size, its overlay initialised.
    std::unique_ptr<DemoApplication> application(int w, int h) {
        auto app = std::make_unique<DemoApplication>();
        app->GetConfig()->width = w;
        app->GetConfig()->height = h;
        EXPECT_TRUE(app->OnAppStart(0, nullptr, 640, 480));
        EXPECT_TRUE(app->OnViewCreate(w, h));
        return app;
    }
};

TEST_F(AppClassTest, PortraitWindowIsRotatedOnEveryFrameAndTheWorldIsLandscape) {
    const auto app = application(240, 320);
    for (int frame = 0; frame < 3; ++frame) {
        NymRender::instance()->setRotation(0);
        EXPECT_TRUE(app->OnFrame());
        EXPECT_EQ(NymRender::instance()->rotation(), 90) << "frame " << frame;
    }
    ASSERT_NE(appClass, nullptr);
    EXPECT_EQ(appClass->width, FixedFromInt(320));
    EXPECT_EQ(appClass->height, FixedFromInt(240));
    EXPECT_EQ(appClass->camera->viewportWidth, FixedFromInt(320));
    EXPECT_EQ(appClass->camera->viewportHeight, FixedFromInt(240));
}

TEST_F(AppClassTest, SquareWindowIsNotRotated) {
    const auto app = application(240, 240);
    EXPECT_TRUE(app->OnFrame());
    EXPECT_EQ(NymRender::instance()->rotation(), 0);
    ASSERT_NE(appClass, nullptr);
    EXPECT_EQ(appClass->width, FixedFromInt(240));
}

TEST_F(AppClassTest, WorldIsBuiltOnceOnTheFirstFrame) {
    const auto app = application(320, 240);
    EXPECT_EQ(appClass, nullptr);
    EXPECT_TRUE(app->OnFrame());
    RaceTrack* const world = appClass;
    ASSERT_NE(world, nullptr);
    EXPECT_TRUE(app->OnFrame());
    EXPECT_EQ(appClass, world);
}

TEST_F(AppClassTest, FrameClearsDrawsTheTitleAndRestoresCulling) {
    const auto app = application(320, 240);
    for (int frame = 0; frame < 2; ++frame) {
        gl.clearLog();
        ASSERT_TRUE(app->OnFrame());
        const std::vector<std::string> log = gl.log();
        ASSERT_GE(log.size(), 6u);
        EXPECT_EQ(log[0], "glClearColorx(0, 0, 0, 65536)");
        EXPECT_EQ(log[1], "glClear(GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT)");
        EXPECT_THAT(std::vector<std::string>(log.end() - 3, log.end()),
                    ElementsAre("glEnable(GL_CULL_FACE)", "glFrontFace(GL_CCW)", "glCullFace(GL_BACK)"));
        // The title is drawn after the world's frame, whose pending error is fetched and dropped.
        const auto error = std::find_if(log.begin(), log.end(),
                                        [](const std::string& s) { return s.rfind("glGetError()", 0) == 0; });
        ASSERT_NE(error, log.end());
        EXPECT_TRUE(std::any_of(error, log.end(),
                                [](const std::string& s) { return s.rfind("glDrawElements(", 0) == 0; }));
    }
}

TEST_F(AppClassTest, StopDeletesTheWorldsTexturesAndEndsTheSingletons) {
    const auto app = application(240, 320);
    ASSERT_TRUE(app->OnFrame());
    ASSERT_NE(appClass, nullptr);
    const unsigned roadTexture = appClass->sceneryTextures[0].texname;
    EXPECT_EQ(NymRender::instance()->rotation(), 90);
    gl.clearLog();
    clearOutput();

    EXPECT_TRUE(app->OnAppStop());
    EXPECT_EQ(appClass, nullptr);
    EXPECT_THAT(gl.log({"glDeleteTextures"}),
                ::testing::Contains("glDeleteTextures(1, [" + std::to_string(roadTexture) + "])"));
    // A new renderer and a new trace: rotation 0 and the starting threshold of 1.
    EXPECT_EQ(NymRender::instance()->rotation(), 0);
    NymTrace::Instance()->Print(1, "fresh\n");
    EXPECT_EQ(output(), "fresh\n");
}

TEST_F(AppClassTest, TeardownWithoutAWorldStillEndsTheSingletons) {
    NymRender::instance()->setRotation(90);
    NymTrace::Instance()->SetLevel(5000);
    // The teardown call builds a world for 0 x 0 first, then destroys it with the singletons.
    UpdateAppClass(0, 0, FixedFromInt(1));
    EXPECT_EQ(appClass, nullptr);
    EXPECT_EQ(NymRender::instance()->rotation(), 0);
    clearOutput();
    NymTrace::Instance()->Print(1, "fresh\n");
    EXPECT_EQ(output(), "fresh\n");
}

} // namespace
