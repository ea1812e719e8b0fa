#include "engine/camera.h"
#include "engine/skybox.h"
#include "engine/texture.h"
#include "render_test_support.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

constexpr int P = 80 * 0x10000;
constexpr int N = -80 * 0x10000;

std::vector<int> quad(const NymGeometry& g) {
    std::vector<int> out;
    for (int v = 0; v < 4; ++v) {
        out.insert(out.end(), {g.vertices[v].x.raw, g.vertices[v].y.raw, g.vertices[v].z.raw});
    }
    return out;
}

std::vector<int> coordinates(const NymGeometry& g) {
    std::vector<int> out;
    for (int i = 0; i < 8; ++i) {
        out.push_back(g.tex2d[i].raw);
    }
    return out;
}

} // namespace

class SkyboxTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        for (const char* name : {"SkyBox_1.nym", "SkyBox_2.nym", "SkyBox_3.nym", "SkyBox_4.nym",
                                 "SkyBox_5.nym", "SkyBox_6.nym"}) {
            registerFile(name, legacyFile({44, 1, 256, 0, 0x13, 512, 16}));
        }
        sky.init();
        FixedMatrix view = identityMatrix();
        MatrixRotate(view, FixedFromInt(20), 1);
        MatrixTranslate(view, FixedFromInt(100), FixedFromInt(5), FixedFromInt(-40));
        cameraMatrix = view;
        render->SetCamMatrix(cameraMatrix);
        gl.clearLog();
        traceLines.clear();
    }
    void TearDown() override {
        sky.release();
        RenderTest::TearDown();
    }
    NymSkybox sky;
    FixedMatrix cameraMatrix;
};

TEST_F(SkyboxTest, InitBuildsTheQuad) {
    EXPECT_EQ(sky.renderer, render);
    EXPECT_EQ(sky.geometry.flags, 0x1019u);
    EXPECT_EQ(sky.geometry.vertexCount, 4);
    EXPECT_EQ(sky.geometry.colourCount, 4);
    EXPECT_EQ(sky.geometry.tex2dCount, 4);
    EXPECT_THAT(std::vector<int>(sky.geometry.prims, sky.geometry.prims + 7),
                ElementsAre(5, 4, 0, 1, 2, 3, 0));
    EXPECT_EQ(sky.geometry.colours[15], Fixed{0x10000});
    EXPECT_EQ(sky.material.lit, 0);
    EXPECT_EQ(sky.material.emissive[1], Fixed{0x10000});
    EXPECT_EQ(sky.height, Fixed{0x10000});
}

TEST_F(SkyboxTest, FaceTexturesAreClampedUnmippedAndDithered) {
    EXPECT_EQ(sky.setTexture(3, 0, "SkyBox_1.nym"), 1);
    EXPECT_EQ(sky.setTexture(0, -1, "SkyBox_1.nym"), 1);
    EXPECT_EQ(sky.setTexture(0, 0, "SkyBox_2.nym"), 0);
    EXPECT_EQ(sky.setTexture(2, 1, "absent.nym"), 0);
    ASSERT_NE(sky.faces[0], nullptr);
    EXPECT_EQ(sky.faces[0]->mipmap, 0);
    EXPECT_EQ(sky.faces[0]->force16, 1);
    EXPECT_EQ(sky.faces[0]->dither, 1);
    EXPECT_EQ(sky.faces[0]->texname, 1u);
    EXPECT_EQ(sky.faces[5]->texname, 0u);
    EXPECT_THAT(gl.log({"glTexParameterx"}),
                ElementsAre("glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)",
                            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR)",
                            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE)",
                            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE)"));
    // A second texture for a face lets go of the first.
    gl.clearLog();
    EXPECT_EQ(sky.setTexture(0, 0, "SkyBox_3.nym"), 0);
    EXPECT_THAT(gl.log({"glDeleteTextures"}), ElementsAre("glDeleteTextures(1, [1])"));
}

TEST_F(SkyboxTest, DrawsFacesInOrderWithoutTheCameraTranslation) {
    // Loaded out of face order, so that the texture names tell the faces apart.
    sky.setTexture(2, 0, "SkyBox_1.nym"); // face 4: name 1
    sky.setTexture(0, 0, "SkyBox_2.nym"); // face 0: name 2
    sky.setTexture(2, 1, "SkyBox_3.nym"); // face 5: name 3
    sky.setTexture(0, 1, "SkyBox_4.nym"); // face 1: name 4
    sky.setTexture(1, 0, "SkyBox_5.nym"); // face 2: name 5
    sky.setColour(Fixed{0x8000}, Fixed{0xC000}, Fixed{0x10000});
    gl.clearLog();
    EXPECT_EQ(sky.draw(), 0);

    EXPECT_THAT(gl.log({"glBindTexture"}),
                ElementsAre("glBindTexture(GL_TEXTURE_2D, 2)", "glBindTexture(GL_TEXTURE_2D, 4)",
                            "glBindTexture(GL_TEXTURE_2D, 5)", "glBindTexture(GL_TEXTURE_2D, 1)",
                            "glBindTexture(GL_TEXTURE_2D, 3)"));
    EXPECT_EQ(gl.log({"glDrawElements"}).size(), 5u);
    EXPECT_THAT(gl.log({"glDrawElements"})[0], HasSubstr("GL_TRIANGLE_STRIP, 4"));

    // The model-view loaded first is the rotation of the view alone.
    FixedMatrix rotationOnly = cameraMatrix;
    rotationOnly[12] = rotationOnly[13] = rotationOnly[14] = Fixed{0};
    FixedMatrix expected;
    MatrixInverse(expected, rotationOnly);
    const auto log = gl.log();
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 8),
                ElementsAre("glMatrixMode(GL_MODELVIEW)", "glLoadMatrixx(" + matrixText(expected) + ")",
                            "glDisable(GL_DEPTH_TEST)", "glDepthMask(GL_FALSE)", "glDisable(GL_ALPHA_TEST)",
                            "glDisable(GL_BLEND)", "glDepthMask(GL_TRUE)", "glClear(GL_DEPTH_BUFFER_BIT)"));
    EXPECT_THAT(std::vector<std::string>(log.end() - 5, log.end()),
                ElementsAre("glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_LEQUAL)", "glDepthMask(GL_TRUE)",
                            "glDisable(GL_ALPHA_TEST)", "glDisable(GL_BLEND)"));

    // The last face drawn is z = -80, with the side coordinates inset by 4 / 256.
    EXPECT_THAT(quad(sky.geometry), ElementsAre(P, P, N, N, P, N, P, N, N, N, N, N));
    EXPECT_THAT(coordinates(sky.geometry),
                ElementsAre(1024, 0x10000, 0x10000 - 1024, 0x10000, 1024, 1024, 0x10000 - 1024, 1024));
    EXPECT_THAT(std::vector<int>(sky.geometry.litColours, sky.geometry.litColours + 4),
                ElementsAre(128, 192, 255, 255));

    FixedMatrix view;
    render->getViewMatrix(view, 1);
    EXPECT_EQ(matrixText(view), matrixText(cameraMatrix));
}

TEST_F(SkyboxTest, TopAndBottomFacesUseTheCapCoordinates) {
    sky.setTexture(0, 0, "SkyBox_2.nym");
    sky.setTexture(1, 1, "SkyBox_6.nym");
    gl.clearLog();
    sky.draw();
    EXPECT_EQ(gl.log({"glDrawElements"}).size(), 2u);
    EXPECT_THAT(quad(sky.geometry), ElementsAre(N, N, P, P, N, P, N, N, N, P, N, N));
    EXPECT_THAT(coordinates(sky.geometry), ElementsAre(1024, 0x10000 - 1024, 0x10000 - 1024, 0x10000 - 1024,
                                                       1024, 1024, 0x10000 - 1024, 1024));
}

TEST_F(SkyboxTest, OnlyFaceZeroDrawsOneQuadAndNoFaceZeroDrawsNothing) {
    sky.draw();
    EXPECT_TRUE(gl.log().empty());
    sky.setTexture(0, 0, "SkyBox_2.nym");
    gl.clearLog();
    sky.draw();
    EXPECT_EQ(gl.log({"glDrawElements"}).size(), 1u);
    EXPECT_THAT(quad(sky.geometry), ElementsAre(P, P, P, P, P, N, P, N, P, P, N, N));
}
