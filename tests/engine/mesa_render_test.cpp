// The engine drawing through Mesa off-screen: a sky box seen in every direction, and a lit, textured,
// reflection-mapped sphere in front of it. Screenshots are written next to the test binary.
#include <cmath>
#include <string>

#include "engine/camera.h"
#include "engine/geometry.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/render.h"
#include "engine/skybox.h"
#include "engine/texture.h"
#include "engine_test_support.h"
#include "runner/png_file.h"
#include "tests/support/offscreen_context.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr Fixed kOne{0x10000};

struct Rgb {
    int r, g, b;
};

// The face colours by face index (+x, -x, top, bottom, +z, -z), exact in RGB 565.
constexpr Rgb kFaceColours[6] = {{255, 0, 0}, {0, 255, 0}, {255, 255, 255},
                                 {0, 0, 0},   {0, 0, 255}, {255, 255, 0}};

std::uint16_t rgb565(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

// A 565 legacy file of size x size with every level below the top, from a colour function.
template <typename Colour> std::vector<std::uint8_t> legacy565(int size, bool mipmaps, Colour colour) {
    std::vector<std::uint8_t> data;
    int levels = 0;
    for (int s = size; s >= 1; s /= 2, ++levels) {
        for (int y = 0; y < s; ++y) {
            for (int x = 0; x < s; ++x) {
                const Rgb c = colour(static_cast<float>(x) / s, static_cast<float>(y) / s);
                const std::uint16_t p = rgb565(c.r, c.g, c.b);
                data.push_back(static_cast<std::uint8_t>(p));
                data.push_back(static_cast<std::uint8_t>(p >> 8));
            }
        }
        if (!mipmaps) {
            break;
        }
    }
    auto file = legacyFile({44, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size),
                            static_cast<std::uint32_t>(levels - 1), mipmaps ? 0x113u : 0x13u,
                            static_cast<std::uint32_t>(data.size()), 16});
    std::copy(data.begin(), data.end(), file.begin() + 44);
    return file;
}

Rgb pixel(const std::vector<std::uint8_t>& image, int x, int y) {
    const std::uint8_t* p = &image[(static_cast<std::size_t>(y) * kWidth + x) * 4];
    return {p[0], p[1], p[2]};
}

bool near(Rgb a, Rgb b, int tolerance = 8) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

int brightness(Rgb c) {
    return c.r + c.g + c.b;
}

// A camera-to-world matrix turned by yaw about y, then pitch about x, at the origin.
FixedMatrix look(int yawDegrees, int pitchDegrees) {
    FixedMatrix m;
    MatrixIdentity(m);
    MatrixRotate(m, FixedFromInt(pitchDegrees), 0);
    MatrixRotate(m, FixedFromInt(yawDegrees), 1);
    return m;
}

// The face a camera looks at: it looks along minus its z axis (row 2 of its camera-to-world matrix).
int faceInView(const FixedMatrix& view) {
    const float d[3] = {-FixedToFloat(view[8]), -FixedToFloat(view[9]), -FixedToFloat(view[10])};
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
        if (std::abs(d[a]) > std::abs(d[axis])) {
            axis = a;
        }
    }
    return axis * 2 + (d[axis] < 0 ? 1 : 0);
}

} // namespace

class MesaRenderTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        context = std::make_unique<OffscreenContext>(kWidth, kHeight);
        if (!context->error().empty()) {
            GTEST_SKIP() << "no off-screen GL: " << context->error();
        }
        const char* const names[6] = {"face0.nym", "face1.nym", "face2.nym",
                                      "face3.nym", "face4.nym", "face5.nym"};
        for (int f = 0; f < 6; ++f) {
            const Rgb c = kFaceColours[f];
            registerFile(names[f], legacy565(32, false, [c](float, float) { return c; }));
        }
        render = NymRender::instance();
        camera.orthographic = 0;
        camera.init();
        camera.setViewport(FixedFromInt(kWidth), FixedFromInt(kHeight));
        camera.setFrustum(FixedFromFloat(-0.133f), FixedFromFloat(0.133f), FixedFromFloat(-0.1f),
                          FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
        sky.init();
        for (int f : {0, 1, 2, 4, 5}) {
            sky.setTexture(f / 2, f % 2, names[f]);
        }
        glClearColorx(0x8000, 0, 0x8000, 0x10000);
    }
    void TearDown() override {
        if (context && context->error().empty()) {
            sky.release();
        }
        NymRender::destroy();
        context.reset();
        EngineTest::TearDown();
    }

    void beginFrame(const FixedMatrix& view) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        render->beginFrame();
        render->setCamera(&camera);
        render->SetCamMatrix(view);
        sky.draw();
    }

    std::vector<std::uint8_t> screenshot(const std::string& name) {
        glFinish();
        std::vector<std::uint8_t> image = context->readPixels();
        EXPECT_TRUE(runner::writePng(name, kWidth, kHeight, image.data())) << name;
        return image;
    }

    std::unique_ptr<OffscreenContext> context;
    NymRender* render = nullptr;
    NymCamera camera;
    NymSkybox sky;
};

TEST_F(MesaRenderTest, SkyBoxSurroundsTheViewerOnEverySide) {
    struct View {
        int yaw, pitch;
        const char* file;
    };
    const View views[] = {{0, 0, "engine_sky_ahead.png"},    {90, 0, "engine_sky_left.png"},
                          {180, 0, "engine_sky_behind.png"}, {270, 0, "engine_sky_right.png"},
                          {0, 90, "engine_sky_up.png"},      {35, 20, "engine_sky_corner.png"}};
    for (const View& v : views) {
        FixedMatrix view = look(v.yaw, v.pitch);
        MatrixTranslate(view, FixedFromInt(500), FixedFromInt(-30), FixedFromInt(1000)); // never nearer
        beginFrame(view);
        const auto image = screenshot(v.file);
        const Rgb expected = kFaceColours[faceInView(view)];
        EXPECT_TRUE(near(pixel(image, kWidth / 2, kHeight / 2), expected)) << v.file;
        // No clear colour shows anywhere: the box closes round the viewer.
        int background = 0;
        for (int y = 0; y < kHeight; y += 4) {
            for (int x = 0; x < kWidth; x += 4) {
                background += near(pixel(image, x, y), {128, 0, 128}, 2) ? 1 : 0;
            }
        }
        EXPECT_EQ(background, 0) << v.file;
    }
    // Looking up and across the corner shows three faces at once.
    const auto corner = context->readPixels();
    int faces[6] = {};
    for (int y = 0; y < kHeight; y += 2) {
        for (int x = 0; x < kWidth; x += 2) {
            for (int f = 0; f < 6; ++f) {
                faces[f] += near(pixel(corner, x, y), kFaceColours[f]) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(faces[2], 100);
    EXPECT_GT(faces[5], 100);
    EXPECT_GT(faces[1] + faces[0], 100);
    // The depth state the scene expects afterwards.
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
}

TEST_F(MesaRenderTest, LitTexturedReflectionMappedSphere) {
    // A latitude-longitude sphere of radius 1 with unit normals and a checker of 8 x 8 squares.
    constexpr int kRings = 24;
    constexpr int kSegments = 32;
    constexpr int kVertices = (kRings + 1) * (kSegments + 1);
    NymGeometry sphere;
    sphere.init();
    sphere.createVertexPool(kVertices);
    sphere.createTex2dPool(kVertices);
    sphere.createNormalPool(kVertices);
    for (int i = 0, v = 0; i <= kRings; ++i) {
        for (int j = 0; j <= kSegments; ++j, ++v) {
            const double theta = M_PI * i / kRings;
            const double phi = 2 * M_PI * j / kSegments;
            const float n[3] = {static_cast<float>(std::sin(theta) * std::cos(phi)),
                                static_cast<float>(std::cos(theta)),
                                static_cast<float>(-std::sin(theta) * std::sin(phi))};
            sphere.vertices[v] =
                FixedVec4{FixedFromFloat(n[0]), FixedFromFloat(n[1]), FixedFromFloat(n[2]), kOne};
            for (int c = 0; c < 3; ++c) {
                sphere.normals[3 * v + c] = FixedFromFloat(n[c]);
            }
            sphere.tex2d[2 * v] = FixedFromFloat(2.0f * j / kSegments);
            sphere.tex2d[2 * v + 1] = FixedFromFloat(1.0f * i / kRings);
        }
    }
    const int indices = kRings * kSegments * 6;
    sphere.createPrimPool(indices + 4);
    sphere.prims[0] = kPrimTriangles;
    sphere.prims[1] = static_cast<std::uint16_t>(indices);
    for (int i = 0, k = 2; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            const auto a = static_cast<std::uint16_t>(i * (kSegments + 1) + j);
            const auto b = static_cast<std::uint16_t>(a + kSegments + 1);
            for (std::uint16_t index :
                 {a, b, static_cast<std::uint16_t>(a + 1), static_cast<std::uint16_t>(a + 1), b,
                  static_cast<std::uint16_t>(b + 1)}) {
                sphere.prims[k++] = index;
            }
        }
    }
    sphere.prims[indices + 2] = sphere.prims[indices + 3] = 0;
    sphere.setFlags(0x1015);

    registerFile("checker.nym", legacy565(64, true, [](float x, float y) {
                     const bool dark = (static_cast<int>(x * 8) + static_cast<int>(y * 8)) % 2 == 0;
                     return dark ? Rgb{60, 60, 200} : Rgb{230, 230, 230};
                 }));
    registerFile("reflection.nym", legacy565(64, true, [](float, float y) {
                     const int band = static_cast<int>(y * 6) % 2 == 0 ? 0 : 100;
                     return Rgb{band, band, band / 2};
                 }));
    NymTexture checker, reflection;
    checker.init();
    reflection.init();
    ASSERT_NE(checker.setName("checker.nym"), 0u);
    ASSERT_NE(reflection.setName("reflection.nym"), 0u);
    NymMaterial material;
    material.init();
    material.setLayer(0, &checker, 0, Fixed{0});
    material.setLayer(1, &reflection, 2, Fixed{0x8000});
    material.setEmissive(Fixed{0}, Fixed{0}, Fixed{0});
    material.setAmbient(kOne, kOne, kOne);
    material.setDiffuse(kOne, kOne, kOne);
    NymAmbientLight ambient;
    ambient.setColour(Fixed{0x3000}, Fixed{0x3000}, Fixed{0x3000});
    NymDirectionalLight sun;
    sun.setColour(kOne, kOne, kOne);
    sun.setPosition(FixedFromInt(1), FixedFromFloat(0.5f), FixedFromFloat(0.3f));

    FixedMatrix view;
    MatrixIdentity(view);
    MatrixTranslate(view, Fixed{0}, Fixed{0}, FixedFromInt(3));
    beginFrame(view);
    render->setLight(&ambient, 0);
    render->setLight(&sun, 1);
    FixedMatrix model;
    MatrixIdentity(model);
    MatrixRotate(model, FixedFromInt(20), 1);
    render->setModelMatrix(model);
    render->setMaterial(&material);
    render->setRenderState(0x3 | 0xC0);
    render->drawGeometry(&sphere);
    const auto image = screenshot("engine_sphere.png");

    // The same without the reflection layer: adding it only brightens, and visibly somewhere.
    material.setLayer(1, nullptr, 0, Fixed{0});
    beginFrame(view);
    render->setModelMatrix(model);
    render->setMaterial(&material);
    render->setRenderState(0x3 | 0xC0);
    render->drawGeometry(&sphere);
    const auto plain = screenshot("engine_sphere_without_reflection.png");
    int darker = 0, brighter = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int difference = brightness(pixel(image, x, y)) - brightness(pixel(plain, x, y));
            darker += difference < -3 ? 1 : 0;
            brighter += difference > 60 ? 1 : 0;
        }
    }
    EXPECT_EQ(darker, 0);
    EXPECT_GT(brighter, 2000);

    // The sphere fills the middle (the sky ahead is face 5), lit from the right: the right half is
    // brighter than the left, and the checker makes neighbouring squares differ.
    const Rgb centre = pixel(image, kWidth / 2, kHeight / 2);
    EXPECT_FALSE(near(centre, kFaceColours[5], 30));
    EXPECT_TRUE(near(pixel(image, 5, 5), kFaceColours[5]));
    int left = 0, right = 0;
    for (int y = kHeight / 2 - 30; y <= kHeight / 2 + 30; y += 2) {
        left += brightness(pixel(image, kWidth / 2 - 50, y));
        right += brightness(pixel(image, kWidth / 2 + 50, y));
    }
    EXPECT_GT(right, left + 31 * 60);
    int lowest = 765, highest = 0;
    for (int x = kWidth / 2 - 40; x <= kWidth / 2 + 60; ++x) {
        const int b = brightness(pixel(image, x, kHeight / 2));
        lowest = std::min(lowest, b);
        highest = std::max(highest, b);
    }
    EXPECT_GT(highest - lowest, 150) << "no checker pattern on the sphere";

    checker.release();
    reflection.release();
    sphere.release();
}
