#include "engine/geometry.h"
#include "engine/header_geometry.h"
#include "engine_test_support.h"
#include "math/clock.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

constexpr Fixed kOne{0x10000};

FixedVec4 vec(int x, int y, int z) {
    return FixedVec4{Fixed{x}, Fixed{y}, Fixed{z}, kOne};
}

} // namespace

using GeometryTest = GeometryFixture;

TEST_F(GeometryTest, InitLeavesEveryPoolEmpty) {
    EXPECT_EQ(geometry.flags, 0u);
    EXPECT_EQ(geometry.vertices, nullptr);
    EXPECT_EQ(geometry.litColours, nullptr);
    EXPECT_EQ(geometry.position.w, kOne);
    EXPECT_EQ(geometry.vertexCount + geometry.normalCount + geometry.primCount, 0);
    EXPECT_EQ(geometry.scrollTime, Fixed{0});
}

TEST_F(GeometryTest, SetOperationsClampToThePool) {
    ASSERT_EQ(geometry.createVertexPool(4), 4);
    const FixedVec4 source[5] = {vec(1, 1, 1), vec(2, 2, 2), vec(3, 3, 3), vec(4, 4, 4), vec(5, 5, 5)};
    EXPECT_EQ(geometry.setVertices(source, -3, 5), 4);
    EXPECT_EQ(geometry.vertices[0].x, Fixed{1});
    EXPECT_EQ(geometry.vertices[3].x, Fixed{4});
    EXPECT_EQ(geometry.setVertices(source, 2, 5), 2);
    EXPECT_EQ(geometry.vertices[1].x, Fixed{2});
    EXPECT_EQ(geometry.vertices[2].x, Fixed{1});
    EXPECT_EQ(geometry.vertices[3].x, Fixed{2});
    EXPECT_EQ(geometry.setVertices(source, 4, 1), 0);
    EXPECT_EQ(geometry.setVertices(source, 1, 2), 2);

    ASSERT_EQ(geometry.createPrimPool(3), 3);
    const std::int32_t words[3] = {0x12345, -1, 7};
    EXPECT_EQ(geometry.setPrims(words, 0, 3), 3);
    EXPECT_THAT(std::vector<int>(geometry.prims, geometry.prims + 3), ElementsAre(0x2345, 0xFFFF, 7));
}

TEST_F(GeometryTest, NormalAndColourPoolsReallocateTheLitColours) {
    ASSERT_EQ(geometry.createNormalPool(5), 5);
    EXPECT_EQ(geometry.litColourCount, 5);
    EXPECT_EQ(geometry.normals[14], Fixed{0});
    ASSERT_EQ(geometry.createColourPool(3), 3);
    EXPECT_EQ(geometry.litColourCount, 3);
    EXPECT_EQ(geometry.normalCount, 5);
    EXPECT_EQ(geometry.createTex2dPool(2), 2);
    EXPECT_EQ(geometry.tex2d[3], Fixed{0});
}

TEST_F(GeometryTest, TexGenRefMapSelectsAndCreatesPools) {
    geometry.createNormalPool(6);
    Fixed* bump = geometry.texGenRefMap(1);
    ASSERT_NE(bump, nullptr);
    EXPECT_EQ(geometry.bumpCount, 6);
    EXPECT_EQ(geometry.flags, kGeometryBumpCreated);
    EXPECT_EQ(geometry.texGenRefMap(1), bump);
    EXPECT_EQ(traces(), "");

    EXPECT_EQ(geometry.texGenRefMap(0), nullptr);
    EXPECT_EQ(traces(), "NymGeometry::texGenRefMap ERROR mismatch normals/texcoords layer 0\n");
    traceLines.clear();
    EXPECT_EQ(geometry.texGenRefMap(2), geometry.tex2d);
    EXPECT_EQ(traces(), "NymGeometry::texGenRefMap ERROR illegal texture layer 2 \n");

    NymGeometry bare;
    bare.init();
    traceLines.clear();
    EXPECT_EQ(bare.texGenRefMap(1), nullptr);
    EXPECT_EQ(bare.flags, 0u);
    EXPECT_EQ(traces(), "NymGeometry::texGenRefMap ERROR mismatch normals/texcoords layer 1\n");
}

TEST_F(GeometryTest, ScrollingPullsBackByOneRepeatWhenTheDriftPassesOne) {
    geometry.createTex2dPool(2);
    const Fixed coordinates[4] = {Fixed{0}, Fixed{0}, kOne, kOne};
    geometry.setTex2d(coordinates, 0, 2);
    const Fixed u{0};
    const Fixed v = FixedFromFloat(-0.005f);
    const Fixed period = FixedFromFloat(0.02f);

    // About one second since the previous scroll: v moves by -0.25 per second.
    geometry.scrollTime = FixedFromFloat(elapsedSeconds()) - kOne;
    geometry.texcoordTranslation(0, u, v, period);
    const int step = geometry.tex2d[1].raw;
    EXPECT_NEAR(step, -16384, 200);
    EXPECT_EQ(geometry.scrollV.raw, step);
    EXPECT_EQ(geometry.tex2d[0], Fixed{0});
    EXPECT_EQ(geometry.tex2d[3].raw, 0x10000 + step);

    // Past -1.0 the drift resets and the coordinates jump forward by a whole repeat in that step.
    geometry.scrollV = FixedFromFloat(-0.9f);
    geometry.scrollTime = FixedFromFloat(elapsedSeconds()) - kOne;
    geometry.texcoordTranslation(0, u, v, period);
    EXPECT_EQ(geometry.scrollV, Fixed{0});
    EXPECT_NEAR(geometry.tex2d[1].raw - step, 0x10000 - 16384, 200);

    // An illegal layer still advances the time.
    geometry.scrollTime = -kOne;
    geometry.texcoordTranslation(3, u, v, period);
    EXPECT_GE(geometry.scrollTime, Fixed{0});
    EXPECT_THAT(traces(), HasSubstr("NymGeometry::texcoordTranslation ERROR illegal texture layer 3 \n"));
}

TEST_F(GeometryTest, HeaderGeometryFromADescriptor) {
    const float positions[9] = {-0.00001f, 1.0f, 2.0f, 0.5f, -1.5f, 0.0f, 3.0f, 0.25f, -0.125f};
    const float texcoords[6] = {0.0f, 1.0f, 0.5f, 0.25f, 1.0f, -0.5f};
    float normals[9] = {0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f};
    const std::uint16_t indices[3] = {2, 0, 1};
    NymMeshDescriptor descriptor{};
    descriptor.vertexCount = 3;
    descriptor.triangleCount = 1;
    descriptor.positions = positions;
    descriptor.texcoords = texcoords;
    descriptor.normals = normals;
    descriptor.indices = indices;

    NymGeometry* mesh = LoadNymHeaderGeometry(descriptor, 2.0f, 0);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->flags, 0x1015u);
    EXPECT_EQ(mesh->primCount, 7);
    EXPECT_THAT(std::vector<int>(mesh->prims, mesh->prims + 7), ElementsAre(4, 3, 2, 0, 1, 0, 0));
    EXPECT_EQ(mesh->vertices[0].x, Fixed{-1}); // -0.00002 truncates toward zero: -1.3 raw units
    EXPECT_EQ(mesh->vertices[0].y, FixedFromInt(2));
    EXPECT_EQ(mesh->vertices[1].y, FixedFromInt(-3));
    EXPECT_EQ(mesh->vertices[2].w, kOne);
    EXPECT_EQ(mesh->tex2d[3], Fixed{16384});
    EXPECT_EQ(mesh->tex2d[5], Fixed{-32768});
    EXPECT_EQ(mesh->normals[1], kOne);
    EXPECT_EQ(mesh->normals[8], -kOne);
    EXPECT_EQ(mesh->litColourCount, 3);
    mesh->release();
    delete mesh;

    descriptor.vertexCount = 1;
    mesh = LoadNymHeaderGeometry(descriptor, 1.0f, 1);
    EXPECT_EQ(mesh->vertices[0].x, Fixed{0}); // -0.00001 truncates to 0, not -1
    EXPECT_EQ(mesh->flags, 0x1005u);
    mesh->release();
    delete mesh;

    descriptor.texcoords = nullptr;
    descriptor.normals = nullptr;
    mesh = LoadNymHeaderGeometry(descriptor, 1.0f, 0);
    EXPECT_EQ(mesh->flags, 0u);
    EXPECT_EQ(mesh->tex2d, nullptr);
    mesh->release();
    delete mesh;
}
