// Counts every allocation made while frames are drawn: after the first frame there must be none.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "engine/camera.h"
#include "engine/geometry.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/render.h"
#include "engine/skybox.h"
#include "engine/texture.h"
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "platform/gles/dispatch.h"
#include "platform/gles/record_driver.h"
#include "tests/engine/no_op_gl.h"
#include "tests/support/replaced_allocator.h"

namespace {

bool counting = false;
int allocations = 0;

bool count(std::size_t, bool) {
    if (counting) {
        ++allocations;
    }
    return true;
}

} // namespace


namespace {

constexpr Fixed kOne{0x10000};

std::vector<std::uint8_t> skyFile() {
    std::vector<std::uint8_t> bytes(44 + 16 * 16 * 2, 0x40);
    const std::uint32_t words[11] = {44, 16, 16, 0, 0x13, 512, 16, 0, 0, 0, 0};
    for (int w = 0; w < 11; ++w) {
        for (int b = 0; b < 4; ++b) {
            bytes[4 * w + b] = static_cast<std::uint8_t>(words[w] >> (8 * b));
        }
    }
    return bytes;
}

} // namespace

TEST(DrawingAllocations, NoneAfterTheFirstFrame) {
    test_allocator::setPolicy(count);
    platform::gles::RecordDriver gl(platform::gles::RecordDriver::Mode::Silent);
    NymTrace::Instance()->SetLevel(999);
    const std::vector<std::uint8_t> file = skyFile();
    Filingsystem::RegisterFile(Filingsystem::Instance(), "sky.nym", file.data(),
                               static_cast<int>(file.size()));

    NymRender* render = NymRender::instance();
    NymCamera camera;
    camera.orthographic = 0;
    camera.init();
    camera.setViewport(FixedFromInt(640), FixedFromInt(480));
    camera.setFrustum(FixedFromFloat(-0.133f), FixedFromFloat(0.133f), FixedFromFloat(-0.1f),
                      FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
    NymSkybox sky;
    sky.init();
    sky.setTexture(0, 0, "sky.nym");
    sky.setTexture(1, 0, "sky.nym");
    NymAmbientLight ambient;
    ambient.setColour(Fixed{0x8000}, Fixed{0x8000}, Fixed{0x8000});
    NymDirectionalLight sun;
    sun.setColour(kOne, kOne, kOne);
    sun.setPosition(kOne, kOne, kOne);

    NymTexture texture;
    texture.init();
    texture.texname = 7;
    NymMaterial body;
    body.init();
    body.setAmbient(kOne, kOne, kOne);
    body.setDiffuse(kOne, kOne, kOne);
    body.setLayer(0, &texture, 0, Fixed{0});
    body.setLayer(1, &texture, 2, Fixed{0x8000});
    body.setLayerScroll(0, Fixed{0x1000}, Fixed{0}, Fixed{0});
    NymGeometry mesh;
    mesh.init();
    const int n = 300;
    mesh.createVertexPool(n);
    mesh.createTex2dPool(n);
    mesh.createNormalPool(n);
    for (int i = 0; i < n; ++i) {
        mesh.normals[3 * i + i % 3] = kOne;
    }
    mesh.createPrimPool(n + 2);
    mesh.prims[0] = 4;
    mesh.prims[1] = static_cast<std::uint16_t>(n - 3);
    for (int i = 0; i < n - 3; ++i) {
        mesh.prims[2 + i] = static_cast<std::uint16_t>(i);
    }
    mesh.prims[n - 1] = 0;
    mesh.setFlags(0x1015);

    auto frame = [&](int number) {
        render->beginFrame();
        render->setCamera(&camera);
        FixedMatrix view;
        MatrixIdentity(view);
        MatrixRotate(view, FixedFromInt(number), 1);
        MatrixTranslate(view, FixedFromInt(number), Fixed{0}, FixedFromInt(3));
        render->SetCamMatrix(view);
        render->setLight(&ambient, 0);
        render->setLight(&sun, 1);
        sky.draw();
        FixedMatrix model;
        MatrixIdentity(model);
        MatrixRotate(model, FixedFromInt(3 * number), 0);
        render->setModelMatrix(model);
        render->setMaterial(&body);
        render->setRenderState(0x83);
        render->drawGeometry(&mesh);
        render->endFrame();
    };
    frame(0);
    const platform::gles::DispatchTable recording = platform::gles::dispatchTable;
    platform::gles::dispatchTable = nym_test::noOpGlTable(recording);
    counting = true;
    for (int number = 1; number < 5; ++number) {
        frame(number);
    }
    render->setRotation(90);
    frame(5);
    counting = false;
    platform::gles::dispatchTable = recording;
    EXPECT_EQ(allocations, 0);

    mesh.release();
    sky.release();
    NymRender::destroy();
    Filingsystem::Destroy();
    NymTrace::Destroy();
}
