#include "engine/light.h"
#include "render_test_support.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

constexpr Fixed kOne{0x10000};

std::vector<int> colourOf(const NymGeometry& g, int i) {
    return {g.litColours[4 * i], g.litColours[4 * i + 1], g.litColours[4 * i + 2], g.litColours[4 * i + 3]};
}

// Records the renderer's calls to a light.
class ProbeLight : public NymLight {
public:
    ProbeLight(std::vector<std::string>& log, int id) : log_(log), id_(id) {}
    int prepare(Fixed, Fixed, Fixed, Fixed, const FixedMatrix&) override {
        log_.push_back("prepare " + std::to_string(id_));
        return 0;
    }
    void shade(std::uint8_t* output, Fixed*, const Fixed*, int count, const NymMaterial&) override {
        log_.push_back("shade " + std::to_string(id_) + (output ? " output " : " accumulate ") +
                       std::to_string(count));
    }

private:
    std::vector<std::string>& log_;
    int id_;
};

} // namespace

class LightingTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        ambient.setColour(Fixed{0x8000}, Fixed{0x8000}, FixedFromFloat(0.6f));
        sun.setColour(kOne, kOne, kOne);
        sun.setPosition(Fixed{0}, Fixed{0}, FixedFromInt(2));
        material.setLit(1);
        material.setAmbient(kOne, kOne, kOne);
        material.setDiffuse(kOne, kOne, kOne);
        render->setLight(&ambient, 0);
        render->setLight(&sun, 1);
        // Facing the light, facing away, perpendicular.
        const Fixed normals[9] = {Fixed{0}, Fixed{0}, kOne,     Fixed{0}, Fixed{0},
                                  -kOne,    kOne,     Fixed{0}, Fixed{0}};
        geometry.setNormals(normals, 0, 3);
    }
    NymAmbientLight ambient;
    NymDirectionalLight sun;
};

TEST_F(LightingTest, AmbientPlusDirectional) {
    render->drawGeometry(&geometry);
    EXPECT_THAT(colourOf(geometry, 0), ElementsAre(255, 255, 255, 255));
    EXPECT_THAT(colourOf(geometry, 1), ElementsAre(128, 128, 153, 255));
    EXPECT_THAT(colourOf(geometry, 2), ElementsAre(128, 128, 153, 255));

    material.setOpacity(Fixed{0x8000});
    material.setDiffuse(Fixed{0x4000}, Fixed{0x2000}, Fixed{0});
    render->drawGeometry(&geometry);
    EXPECT_THAT(colourOf(geometry, 0), ElementsAre(192, 160, 153, 128));
    EXPECT_THAT(colourOf(geometry, 1), ElementsAre(128, 128, 153, 128));
}

TEST_F(LightingTest, DirectionalLightPreparedInObjectSpace) {
    FixedMatrix inverse = identityMatrix();
    sun.prepare(Fixed{0}, Fixed{0}, Fixed{0}, kOne, inverse);
    EXPECT_EQ(sun.direction[0], Fixed{0});
    EXPECT_EQ(sun.direction[1], Fixed{0});
    EXPECT_NEAR(sun.direction[2].raw, 0x10000, 655); // vectorLength is within about 1%
    const Fixed straight = sun.direction[2];

    MatrixTranslate(inverse, FixedFromInt(30), FixedFromInt(-4), FixedFromInt(9));
    sun.prepare(Fixed{0}, Fixed{0}, Fixed{0}, kOne, inverse);
    EXPECT_EQ(sun.direction[2], straight);
    EXPECT_EQ(sun.direction[0], Fixed{0});

    FixedMatrix turned = identityMatrix();
    MatrixRotate(turned, FixedFromInt(90), 1);
    sun.prepare(Fixed{0}, Fixed{0}, Fixed{0}, kOne, turned);
    EXPECT_NEAR(std::abs(sun.direction[0].raw), 0x10000, 655);
    EXPECT_NEAR(sun.direction[2].raw, 0, 64);
}

TEST_F(LightingTest, LightOnceKeepsTheFirstColours) {
    geometry.setFlags(geometry.getFlags() | kGeometryLightOnce);
    render->drawGeometry(&geometry);
    EXPECT_EQ(geometry.flags & kGeometryLitFinal, kGeometryLitFinal);
    sun.setColour(Fixed{0}, Fixed{0}, Fixed{0});
    ambient.setColour(Fixed{0}, Fixed{0}, Fixed{0});
    render->drawGeometry(&geometry);
    EXPECT_THAT(colourOf(geometry, 0), ElementsAre(255, 255, 255, 255));
}

TEST_F(LightingTest, MaskedOutOrMissingLightsLeaveThePreviousColours) {
    render->drawGeometry(&geometry);
    material.lightMask = 0;
    material.setOpacity(Fixed{0});
    render->drawGeometry(&geometry);
    EXPECT_THAT(colourOf(geometry, 1), ElementsAre(128, 128, 153, 255));

    render->beginFrame();
    render->setCamera(&camera);
    render->setMaterial(&material);
    material.lightMask = 0xFFFFFFFFu;
    render->drawGeometry(&geometry);
    EXPECT_THAT(colourOf(geometry, 1), ElementsAre(128, 128, 153, 255));
}

TEST_F(LightingTest, EveryLightIsPreparedThenShadedAndTheLastWritesTheOutput) {
    std::vector<std::string> calls;
    ProbeLight probes[4] = {{calls, 0}, {calls, 1}, {calls, 2}, {calls, 3}};
    render->beginFrame();
    render->setCamera(&camera);
    render->setMaterial(&material);
    render->setLight(&probes[3], 3);
    for (int slot = 0; slot < 3; ++slot) {
        render->setLight(&probes[slot], slot);
    }
    render->drawGeometry(&geometry);
    EXPECT_THAT(calls, ElementsAre("prepare 0", "shade 0 accumulate 3", "prepare 1", "shade 1 accumulate 3",
                                   "prepare 2", "shade 2 accumulate 3", "prepare 3", "shade 3 output 3"));
}

TEST_F(LightingTest, MoreNormalsThanAccumulatorsAreLitInSlices) {
    const int count = 2 * NymRender::kColourStorageEntries + 808;
    geometry.createNormalPool(count);
    for (int i = 0; i < count; ++i) {
        geometry.normals[3 * i + 2] = i % 2 == 0 ? kOne : -kOne;
    }
    std::vector<std::string> calls;
    ProbeLight probe(calls, 9);
    render->setLight(&probe, 2);
    render->setLight(&sun, 3);
    render->drawGeometry(&geometry);
    EXPECT_THAT(calls, ElementsAre("prepare 9", "shade 9 accumulate 4096", "shade 9 accumulate 4096",
                                   "shade 9 accumulate 808"));
    for (int i = 0; i < count; ++i) {
        ASSERT_THAT(colourOf(geometry, i),
                    i % 2 == 0 ? ElementsAre(255, 255, 255, 255) : ElementsAre(128, 128, 153, 255))
            << i;
    }
}

TEST_F(LightingTest, BaseLightOnlyTraces) {
    NymLight base;
    EXPECT_EQ(base.lightMask, 1u);
    EXPECT_EQ(base.direction[0], kOne);
    EXPECT_EQ(base.prepare(Fixed{0}, Fixed{0}, Fixed{0}, kOne, identityMatrix()), 0);
    base.shade(nullptr, nullptr, nullptr, 0, material);
    EXPECT_EQ(traces(), "CANNOT PREPARE LIGHT, MUST SUBCLASS\nCANNOT SHADE NymLight, MUST USE SUBCLASS\n");
}

TEST_F(RenderTest, UnlitColoursComeFromTheMaterial) {
    material.setEmissive(Fixed{0x7F80}, Fixed{0xFF01}, Fixed{-1});
    material.setOpacity(Fixed{0xFF00});
    render->drawGeometry(&geometry);
    for (int i = 0; i < 3; ++i) {
        EXPECT_THAT(colourOf(geometry, i), ElementsAre(127, 255, 0, 255));
    }

    // Per-vertex colours are multiplied with the emissive colour and the opacity.
    geometry.createColourPool(3);
    const Fixed colours[12] = {kOne,     kOne,          kOne, kOne, Fixed{0x8000}, Fixed{0x4000},
                               Fixed{0}, Fixed{0x8000}, kOne, kOne, kOne,          kOne};
    geometry.setColours(colours, 0, 3);
    geometry.setFlags(geometry.getFlags() | kGeometryColoured);
    material.setEmissive(kOne, Fixed{0x8000}, kOne);
    material.setOpacity(kOne);
    render->drawGeometry(&geometry);
    EXPECT_THAT(colourOf(geometry, 0), ElementsAre(255, 128, 255, 255));
    EXPECT_THAT(colourOf(geometry, 1), ElementsAre(128, 32, 0, 128));
}
