#include "engine/light.h"
#include "render_test_support.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST_F(RenderTest, FrameBeginResetsStateAndSetsUpTheGl) {
    render->setLight(nullptr, 2);
    gl.clearLog();
    EXPECT_EQ(render->beginFrame(), 0);
    EXPECT_THAT(gl.log(), ElementsAre("glMatrixMode(GL_TEXTURE)", "glLoadIdentity()",
                                      "glDisable(GL_LIGHTING)", "glEnable(GL_DITHER)"));
    // The material is gone: drawing does nothing until one is set.
    gl.clearLog();
    render->drawGeometry(&geometry);
    EXPECT_THAT(gl.log(), IsEmpty());
    EXPECT_EQ(render->endFrame(), 0);
}

TEST_F(RenderTest, RefusedArguments) {
    EXPECT_EQ(render->setCamera(nullptr), 1);
    EXPECT_EQ(render->setMaterial(nullptr), 1);
    EXPECT_EQ(render->setLight(nullptr, 8), 1);
    EXPECT_EQ(render->drawGeometry(nullptr), 0);
    EXPECT_THAT(gl.log(), IsEmpty());
}

TEST_F(RenderTest, ProjectionWithAndWithoutRotation) {
    camera.setFrustum(FixedFromFloat(-0.13f), FixedFromFloat(0.13f), FixedFromFloat(-0.1f),
                      FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
    render->setCamera(&camera);
    render->setRotation(90);
    render->setCamera(&camera);
    EXPECT_THAT(gl.log(),
                ElementsAre("glViewport(0, 0, 320, 240)", "glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                            "glFrustumx(-8519, 8519, -6553, 6553, 16384, 67108864)",
                            "glViewport(0, 0, 240, 320)", "glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                            "glFrustumx(-6553, 6553, -8519, 8519, 16384, 67108864)"));
    gl.clearLog();
    camera.orthographic = 1;
    render->setRotation(0);
    render->setCamera(&camera);
    EXPECT_THAT(gl.log(), ElementsAre("glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                                      "glOrthox(-8519, 8519, -6553, 6553, 16384, 67108864)"));
}

TEST_F(RenderTest, ModelViewIsModelTimesInverseViewTurnedByTheRotation) {
    FixedMatrix view = identityMatrix();
    MatrixTranslate(view, FixedFromInt(1), FixedFromInt(2), FixedFromInt(3));
    render->SetCamMatrix(view);
    EXPECT_THAT(traces(), ::testing::IsEmpty()); // level 0: below the threshold
    FixedMatrix model = identityMatrix();
    MatrixTranslate(model, FixedFromInt(5), Fixed{0}, Fixed{0});
    render->setModelMatrix(model);
    FixedMatrix expected = identityMatrix();
    MatrixTranslate(expected, FixedFromInt(4), FixedFromInt(-2), FixedFromInt(-3));
    EXPECT_THAT(gl.log(),
                ElementsAre("glMatrixMode(GL_MODELVIEW)", "glLoadMatrixx(" + matrixText(expected) + ")"));

    FixedMatrix out;
    render->getViewMatrix(out, 1);
    EXPECT_EQ(matrixText(out), matrixText(view));
    render->getViewMatrix(out, 0);
    FixedMatrix inverse = identityMatrix();
    MatrixTranslate(inverse, FixedFromInt(-1), FixedFromInt(-2), FixedFromInt(-3));
    EXPECT_EQ(matrixText(out), matrixText(inverse));

    gl.clearLog();
    render->setRotation(90);
    render->setModelMatrix(model);
    MatrixRotateFloat(expected, FixedFromInt(90), 2);
    EXPECT_THAT(gl.log(),
                ElementsAre("glMatrixMode(GL_MODELVIEW)", "glLoadMatrixx(" + matrixText(expected) + ")"));
    // x maps to +y: (4, -2) becomes (2, 4).
    EXPECT_EQ(expected[12], FixedFromInt(2));
    EXPECT_EQ(expected[13], FixedFromInt(4));
}

TEST_F(RenderTest, TwoLayersModulateThenAdd) {
    material.setLayer(0, &texture0, 0, Fixed{0});
    material.setLayer(1, &texture1, 0, Fixed{0});
    geometry.createBumpPool(3);
    render->drawGeometry(&geometry);
    EXPECT_THAT(
        gl.log(),
        ElementsAre(
            "glEnableClientState(GL_VERTEX_ARRAY)", "glEnableClientState(GL_COLOR_ARRAY)",
            "glShadeModel(GL_SMOOTH)", "glActiveTexture(GL_TEXTURE0)", "glClientActiveTexture(GL_TEXTURE0)",
            "glEnable(GL_TEXTURE_2D)", "glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
            "glBindTexture(GL_TEXTURE_2D, 5)", "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)",
            "glEnableClientState(GL_TEXTURE_COORD_ARRAY)", "glActiveTexture(GL_TEXTURE1)",
            "glClientActiveTexture(GL_TEXTURE1)", "glEnable(GL_TEXTURE_2D)",
            "glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD)", "glBindTexture(GL_TEXTURE_2D, 6)",
            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE)",
            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)",
            "glEnableClientState(GL_TEXTURE_COORD_ARRAY)", "glEnable(GL_CULL_FACE)", "glCullFace(GL_BACK)",
            "glVertexPointer(3, GL_FIXED, 16, ptr)", "glColorPointer(4, GL_UNSIGNED_BYTE, 0, ptr)",
            "glClientActiveTexture(GL_TEXTURE0)", "glTexCoordPointer(2, GL_FIXED, 0, ptr)",
            "glClientActiveTexture(GL_TEXTURE1)", "glTexCoordPointer(2, GL_FIXED, 0, ptr)", triangleDraw()));
    const auto& calls = gl.calls();
    auto pointerOf = [&](std::size_t fromEnd) { return calls[calls.size() - fromEnd].pointers.back(); };
    EXPECT_EQ(pointerOf(7), geometry.vertices);
    EXPECT_EQ(pointerOf(6), geometry.litColours);
    EXPECT_EQ(pointerOf(4), geometry.tex2d);
    EXPECT_EQ(pointerOf(2), geometry.bump);
}

TEST_F(RenderTest, OneLayerAndNoLayer) {
    material.setTexture(&texture0);
    render->drawGeometry(&geometry);
    EXPECT_THAT(
        gl.log(),
        ElementsAre(
            "glEnableClientState(GL_VERTEX_ARRAY)", "glEnableClientState(GL_COLOR_ARRAY)",
            "glShadeModel(GL_SMOOTH)", "glActiveTexture(GL_TEXTURE1)", "glClientActiveTexture(GL_TEXTURE1)",
            "glDisableClientState(GL_TEXTURE_COORD_ARRAY)", "glDisable(GL_TEXTURE_2D)",
            "glActiveTexture(GL_TEXTURE0)", "glClientActiveTexture(GL_TEXTURE0)", "glEnable(GL_TEXTURE_2D)",
            "glBindTexture(GL_TEXTURE_2D, 5)", "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)",
            "glEnableClientState(GL_TEXTURE_COORD_ARRAY)", "glEnable(GL_CULL_FACE)", "glCullFace(GL_BACK)",
            "glVertexPointer(3, GL_FIXED, 16, ptr)", "glColorPointer(4, GL_UNSIGNED_BYTE, 0, ptr)",
            "glClientActiveTexture(GL_TEXTURE0)", "glTexCoordPointer(2, GL_FIXED, 0, ptr)", triangleDraw()));

    const std::vector<std::string> untextured = {"glEnableClientState(GL_VERTEX_ARRAY)",
                                                 "glEnableClientState(GL_COLOR_ARRAY)",
                                                 "glShadeModel(GL_SMOOTH)",
                                                 "glActiveTexture(GL_TEXTURE1)",
                                                 "glClientActiveTexture(GL_TEXTURE1)",
                                                 "glDisableClientState(GL_TEXTURE_COORD_ARRAY)",
                                                 "glDisable(GL_TEXTURE_2D)",
                                                 "glActiveTexture(GL_TEXTURE0)",
                                                 "glClientActiveTexture(GL_TEXTURE0)",
                                                 "glDisableClientState(GL_TEXTURE_COORD_ARRAY)",
                                                 "glDisable(GL_TEXTURE_2D)",
                                                 "glEnable(GL_CULL_FACE)",
                                                 "glCullFace(GL_BACK)",
                                                 "glVertexPointer(3, GL_FIXED, 16, ptr)",
                                                 "glColorPointer(4, GL_UNSIGNED_BYTE, 0, ptr)"};
    gl.clearLog();
    material.setTexture(nullptr);
    render->drawGeometry(&geometry);
    std::vector<std::string> expected = untextured;
    expected.push_back(triangleDraw());
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));

    // Layer 1 alone draws untextured, though its coordinate pointer is still set on unit 1.
    gl.clearLog();
    material.setLayer(1, &texture1, 0, Fixed{0});
    render->drawGeometry(&geometry);
    expected = untextured;
    expected.push_back("glClientActiveTexture(GL_TEXTURE1)");
    expected.push_back("glTexCoordPointer(2, GL_FIXED, 0, null)"); // no bump pool
    expected.push_back(triangleDraw());
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));
}

TEST_F(RenderTest, LayerOneModeThreeTakesTheNormalsThroughATextureMatrix) {
    material.setTexture(&texture0);
    material.setLayer(1, &texture1, 3, Fixed{0});
    FixedMatrix view = identityMatrix();
    MatrixRotate(view, FixedFromInt(30), 1);
    MatrixTranslate(view, FixedFromInt(7), Fixed{0}, Fixed{0});
    render->SetCamMatrix(view);
    FixedMatrix model = identityMatrix();
    MatrixRotate(model, FixedFromInt(45), 0);
    render->setModelMatrix(model);
    gl.clearLog();
    render->drawGeometry(&geometry);

    FixedMatrix inverseView, inverseModel, expected;
    MatrixInverse(inverseView, view);
    MatrixInverse(inverseModel, model);
    MatrixMultiply(expected, inverseView, inverseModel);
    expected[12] = Fixed{0x8000};
    expected[13] = Fixed{0x8000};
    expected[14] = Fixed{0};
    const auto log = gl.log();
    ASSERT_GE(log.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(log.end() - 5, log.end()),
                ElementsAre("glClientActiveTexture(GL_TEXTURE1)", "glTexCoordPointer(3, GL_FIXED, 0, ptr)",
                            "glMatrixMode(GL_TEXTURE)", "glLoadMatrixx(" + matrixText(expected) + ")",
                            triangleDraw()));
    EXPECT_EQ(gl.calls()[log.size() - 4].pointers.back(), geometry.normals);

    // Mode 3 on layer 0 is an ordinary layer.
    gl.clearLog();
    material.setLayer(0, &texture0, 3, Fixed{0});
    material.setLayer(1, nullptr, 0, Fixed{0});
    render->drawGeometry(&geometry);
    EXPECT_THAT(gl.log({"glMatrixMode", "glTexCoordPointer"}),
                ElementsAre("glTexCoordPointer(2, GL_FIXED, 0, ptr)"));
}

TEST_F(RenderTest, CullingFlags) {
    const std::pair<std::uint32_t, std::vector<std::string>> cases[] = {
        {0x1000, {"glDisable(GL_CULL_FACE)"}},
        {0x1010, {"glEnable(GL_CULL_FACE)", "glCullFace(GL_BACK)"}},
        {0x1020, {"glEnable(GL_CULL_FACE)", "glCullFace(GL_FRONT)"}},
        {0x1030, {"glEnable(GL_CULL_FACE)", "glCullFace(GL_BACK)"}},
    };
    for (const auto& [flags, calls] : cases) {
        gl.clearLog();
        geometry.setFlags(flags);
        render->drawGeometry(&geometry);
        std::vector<std::string> culling;
        for (const std::string& call : gl.log()) {
            if (call.find("CULL") != std::string::npos || call.find("glCullFace") == 0) {
                culling.push_back(call);
            }
        }
        EXPECT_THAT(culling, ElementsAreArray(calls)) << flags;
    }
}

TEST_F(RenderTest, PrimitiveStreamDrawsKnownKindsAndSkipsOthers) {
    struct Case {
        std::vector<std::uint16_t> stream;
        std::vector<std::string> draws;
    };
    const std::vector<Case> cases = {
        {{4, 3, 0, 1, 2, 0, 0}, {"GL_TRIANGLES, 3"}},
        {{7, 2, 9, 9, 4, 3, 0, 1, 2, 0}, {"GL_TRIANGLES, 3"}},
        {{5, 4, 0, 1, 2, 0, 6, 3, 2, 1, 0, 0}, {"GL_TRIANGLE_STRIP, 4", "GL_TRIANGLE_FAN, 3"}},
        {{0, 3, 0, 1, 2}, {}},
        // A record running past the end of the pool is not drawn.
        {{4, 3, 0, 1, 2, 4, 9, 0}, {"GL_TRIANGLES, 3"}},
    };
    for (const Case& c : cases) {
        geometry.createPrimPool(static_cast<int>(c.stream.size()));
        geometry.setPrims16(c.stream.data(), 0, static_cast<int>(c.stream.size()));
        gl.clearLog();
        render->drawGeometry(&geometry);
        std::vector<std::string> draws;
        for (const std::string& call : gl.log({"glDrawElements"})) {
            draws.push_back(call.substr(15, call.find(", GL_UNSIGNED_SHORT") - 15));
        }
        EXPECT_THAT(draws, ElementsAreArray(c.draws));
    }
    // Only the indexed primitive kind is drawn at all.
    gl.clearLog();
    geometry.setFlags(0x2015);
    render->drawGeometry(&geometry);
    EXPECT_THAT(gl.log({"glDrawElements"}), IsEmpty());
    EXPECT_THAT(gl.log({"glColorPointer"}), ElementsAre("glColorPointer(4, GL_UNSIGNED_BYTE, 0, ptr)"));
}

TEST_F(RenderTest, RenderStateFields) {
    const std::pair<unsigned int, std::vector<std::string>> cases[] = {
        {0x1, {"glDisable(GL_DEPTH_TEST)", "glDepthMask(GL_FALSE)"}},
        {0x2, {"glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_LESS)", "glDepthMask(GL_TRUE)"}},
        {0x3, {"glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_LEQUAL)", "glDepthMask(GL_TRUE)"}},
        {0x4, {"glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_ALWAYS)", "glDepthMask(GL_TRUE)"}},
        {0x5, {}},
        {0x7, {}},
        {0x40, {"glEnable(GL_ALPHA_TEST)", "glAlphaFuncx(GL_GREATER, 32112)", "glDisable(GL_BLEND)"}},
        {0x80,
         {"glDisable(GL_ALPHA_TEST)", "glEnable(GL_BLEND)",
          "glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)"}},
        {0x100, {"glDisable(GL_ALPHA_TEST)", "glEnable(GL_BLEND)", "glBlendFunc(GL_ONE, GL_ONE)"}},
        {0xC0, {"glDisable(GL_ALPHA_TEST)", "glDisable(GL_BLEND)"}},
        {0x200, {"glDepthMask(GL_TRUE)"}},
        {0x400, {"glDepthMask(GL_FALSE)"}},
        {0x600, {"glDepthMask(GL_FALSE)"}},
        {0x2C1,
         {"glDisable(GL_DEPTH_TEST)", "glDepthMask(GL_FALSE)", "glDisable(GL_ALPHA_TEST)",
          "glDisable(GL_BLEND)", "glDepthMask(GL_TRUE)"}},
        {0xCB,
         {"glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_LEQUAL)", "glDepthMask(GL_TRUE)",
          "glDisable(GL_ALPHA_TEST)", "glDisable(GL_BLEND)"}},
        {0, {}},
    };
    for (const auto& [state, calls] : cases) {
        gl.clearLog();
        EXPECT_EQ(render->setRenderState(state), 0);
        EXPECT_THAT(gl.log(), ElementsAreArray(calls)) << state;
    }
    traceLines.clear();
    for (unsigned int state : {0x40u, 0x80u, 0x100u, 0xC0u, 0x140u, 0x180u, 0x1C0u}) {
        render->setRenderState(state);
    }
    EXPECT_THAT(traceLines,
                ElementsAre(" geometry is punchthrough\n", " geometry is blended\n", " geometry is blended\n",
                            " geometry is opaque\n", " geometry is opaque\n", " geometry is opaque\n",
                            " geometry is opaque\n"));
}

TEST_F(RenderTest, ClearPassesOnlyTheKnownBits) {
    render->clear(0x4000 | 0x100 | 0x400 | 0x1);
    render->clear(0x100);
    render->clear(0x8);
    EXPECT_THAT(gl.log(),
                ElementsAre("glClear(GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT|GL_STENCIL_BUFFER_BIT)",
                            "glClear(GL_DEPTH_BUFFER_BIT)"));
}

TEST_F(RenderTest, ScrollingAndReflectionRunForAnActiveLayerEvenIfUntextured) {
    material.setLayer(1, &texture1, 2, Fixed{0x8000});
    for (int i = 0; i < 3; ++i) {
        geometry.normals[3 * i + 1] = Fixed{0x10000};
    }
    render->drawGeometry(&geometry);
    ASSERT_NE(geometry.bump, nullptr);
    EXPECT_EQ(geometry.flags & kGeometryBumpCreated, kGeometryBumpCreated);
    // Seen along z, a normal along y reflects to (0, -1, 0): u = 0.5, v = 0.5.
    EXPECT_EQ(geometry.bump[0], Fixed{0x8000});

    material.setLayerScroll(0, FixedFromInt(1), Fixed{0}, Fixed{0});
    geometry.scrollTime = FixedFromInt(-100);
    render->drawGeometry(&geometry);
    EXPECT_EQ(geometry.scrollU, Fixed{0}) << "layer 0 has no texture: not scrolled";
}

TEST_F(RenderTest, MaterialDefaultsDrawUntexturedLitAndOpaque) {
    NymMaterial fresh;
    fresh.init();
    EXPECT_EQ(fresh.opacity, Fixed{0x10000});
    EXPECT_EQ(fresh.lit, 1);
    EXPECT_EQ(fresh.lightMask, 0xFFFFFFFFu);
    EXPECT_EQ(fresh.texture[0], nullptr);

    // Drawn with only an ambient colour to show the light: no texture unit is enabled, the colours come
    // from the light, and alpha is full.
    NymAmbientLight ambient;
    ambient.setColour(Fixed{0x8000}, Fixed{0x8000}, FixedFromFloat(0.6f));
    render->setLight(&ambient, 0);
    fresh.setAmbient(Fixed{0x10000}, Fixed{0x10000}, Fixed{0x10000});
    render->setMaterial(&fresh);
    render->drawGeometry(&geometry);
    EXPECT_THAT(gl.log({"glEnable", "glBindTexture"}), ElementsAre("glEnable(GL_CULL_FACE)"));
    EXPECT_THAT(gl.log({"glDrawElements"}), ElementsAre(triangleDraw()));
    for (int i = 0; i < 3; ++i) {
        const std::uint8_t* c = geometry.litColours + 4 * i;
        EXPECT_THAT(std::vector<int>(c, c + 4), ElementsAre(128, 128, 153, 255)) << i;
    }
    render->setLight(nullptr, 0);

    // Layers out of range change nothing.
    fresh.setLayer(2, &texture0, 2, Fixed{1});
    fresh.setLayerScroll(-1, Fixed{1}, Fixed{1}, Fixed{1});
    EXPECT_EQ(fresh.texture[1], nullptr);
    EXPECT_EQ(fresh.mode[1], 0);
    EXPECT_EQ(fresh.uSpeed[0], Fixed{0});
    fresh.setLayer(1, &texture1, 3, Fixed{0x8000});
    EXPECT_EQ(fresh.texture[1], &texture1);
    EXPECT_EQ(fresh.param[1], Fixed{0x8000});
}

TEST_F(RenderTest, ReleasedGeometryDrawsWithoutTouchingItsPools) {
    geometry.release();
    render->drawGeometry(&geometry);
    EXPECT_THAT(gl.log({"glDrawElements"}), IsEmpty());
    EXPECT_EQ(geometry.litColourCount, 0);
}
