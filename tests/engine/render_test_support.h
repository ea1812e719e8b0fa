#pragma once
// A renderer in the middle of a frame: camera, identity view and model, a material and a textured
// one-triangle geometry, for tests of drawing.
#include <string>

#include "engine/camera.h"
#include "engine/geometry.h"
#include "engine/material.h"
#include "engine/render.h"
#include "engine/texture.h"
#include "engine_test_support.h"

inline FixedMatrix identityMatrix() {
    FixedMatrix m;
    MatrixIdentity(m);
    return m;
}

// The record driver's text for a matrix.
inline std::string matrixText(const FixedMatrix& m) {
    std::string text = "[";
    for (int i = 0; i < 16; ++i) {
        text += (i ? ", " : "") + std::to_string(m[i].raw);
    }
    return text + "]";
}

class RenderTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        render = NymRender::instance();
        ASSERT_NE(render, nullptr);
        camera.init();
        camera.setViewport(FixedFromInt(320), FixedFromInt(240));
        camera.setFrustum(FixedFromFloat(-0.133f), FixedFromFloat(0.133f), FixedFromFloat(-0.1f),
                          FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
        render->beginFrame();
        render->setCamera(&camera);
        render->SetCamMatrix(identityMatrix());
        render->setModelMatrix(identityMatrix());
        material.init();
        material.setLit(0);
        for (NymTexture* t : {&texture0, &texture1}) {
            t->init();
        }
        texture0.texname = 5;
        texture1.texname = 6;
        texture1.wrapS = 0;
        geometry.init();
        geometry.createVertexPool(3);
        geometry.createNormalPool(3);
        geometry.createTex2dPool(3);
        geometry.createPrimPool(7);
        const std::uint16_t stream[7] = {4, 3, 0, 1, 2, 0, 0};
        geometry.setPrims16(stream, 0, 7);
        geometry.setFlags(0x1015);
        render->setMaterial(&material);
        gl.clearLog();
        traceLines.clear();
    }
    void TearDown() override {
        geometry.release();
        EngineTest::TearDown();
    }

    // The draw call the one-triangle stream makes.
    std::string triangleDraw() const {
        return "glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, " +
               platform::gles::dataText(geometry.prims + 2, 6) + ")";
    }

    NymRender* render = nullptr;
    NymCamera camera;
    NymMaterial material;
    NymTexture texture0;
    NymTexture texture1;
    NymGeometry geometry;
};
