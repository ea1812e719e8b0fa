// The 77 mesh descriptors: roles, counts, codes, and sound geometry in every mesh.
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

TEST(WorldMeshes, FixedRolesHaveTheirVertexCounts) {
    const std::map<int, std::uint32_t> vertices = {{35, 872}, {25, 584}, {27, 50}, {24, 50}, {34, 34},
                                                   {33, 34},  {19, 4},   {28, 8},  {29, 8}};
    for (const auto& [mesh, count] : vertices) {
        EXPECT_EQ(meshDescriptors[mesh].vertexCount, count) << mesh;
    }
    EXPECT_EQ(meshDescriptors[19].triangleCount, 2u);
    EXPECT_GT(meshDescriptors[71].triangleCount, 0u);
    EXPECT_GT(meshDescriptors[72].triangleCount, 0u);
    // Brake lights at the rear, headlights at the front.
    for (std::uint32_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(vertexOf(meshDescriptors[28], i).z, 0.58, 0.01);
        const double z = vertexOf(meshDescriptors[29], i).z;
        EXPECT_TRUE(z >= -0.551 && z <= -0.469) << z;
    }
    // Wheels of radius 0.1064 round the x axis; bodies clear of the road, which lies 0.1 below.
    for (int mesh : {24, 27, 33, 34}) {
        const NymMeshDescriptor& d = meshDescriptors[mesh];
        for (std::uint32_t i = 0; i < d.vertexCount; ++i) {
            const P3 p = vertexOf(d, i);
            EXPECT_NEAR(std::hypot(p.y, p.z), 0.1064, 1e-3) << mesh;
        }
    }
    for (int mesh : {25, 35}) {
        const NymMeshDescriptor& d = meshDescriptors[mesh];
        double lo = 1e9, front = 1e9, back = -1e9, side = 0;
        for (std::uint32_t i = 0; i < d.vertexCount; ++i) {
            const P3 p = vertexOf(d, i);
            lo = std::min(lo, p.y);
            front = std::min(front, p.z);
            back = std::max(back, p.z);
            side = std::max(side, std::fabs(p.x));
        }
        EXPECT_GT(lo, 0.0) << mesh;
        EXPECT_GT(front, -0.7316) << mesh;
        EXPECT_LT(back, 0.8128) << mesh;
        EXPECT_LT(side, 0.375) << mesh;
    }
}

TEST(WorldMeshes, MaterialCodesAndFormats) {
    int minusOne = 0;
    for (std::size_t i = 0; i < kMeshDescriptorCount; ++i) {
        const NymMeshDescriptor& d = meshDescriptors[i];
        if (d.material == -1) {
            ++minusOne;
            EXPECT_EQ(d.format, 0x20006u) << i;
        } else {
            EXPECT_EQ(d.format, 0x20007u) << i;
        }
        EXPECT_EQ(d.reserved, 0u);
    }
    EXPECT_EQ(minusOne, 4);
    std::set<int> codesUsed;
    int treeSections = 0;
    for (int s = 0; s < kSectionCount; ++s) {
        const TrackSection& row = trackSections[s];
        EXPECT_EQ(meshDescriptors[row.objects[0]].material, 11) << "road of section " << s;
        bool trees = false;
        for (int j = 1; j < row.objectCount; ++j) {
            const int mesh = row.objects[j];
            const int code = meshDescriptors[mesh].material;
            const bool tunnel = mesh == 39 || mesh == 44 || mesh == 47 || mesh == 58;
            if (tunnel) {
                EXPECT_EQ(code, 1);
                EXPECT_EQ(j, row.objectCount - 1) << "a tunnel is its section's last object";
                continue;
            }
            EXPECT_TRUE(code == 0 || code == 3 || code == 4 || code == 8 || code == 12)
                << mesh << " code " << code;
            codesUsed.insert(code);
            trees = trees || code == 12;
        }
        treeSections += trees;
    }
    EXPECT_EQ(codesUsed, (std::set<int>{0, 3, 4, 8, 12}));
    EXPECT_GE(treeSections, 4);
    const int tunnelSections[4] = {1, 2, 4, 9};
    for (int s : tunnelSections) {
        const TrackSection& row = trackSections[s];
        const int last = row.objects[row.objectCount - 1];
        EXPECT_TRUE(last == 39 || last == 44 || last == 47 || last == 58) << s;
    }
}

TEST(WorldMeshes, EveryMeshHasValidIndicesUnitNormalsAndFrontFacesOutward) {
    for (std::size_t i = 0; i < kMeshDescriptorCount; ++i) {
        const NymMeshDescriptor& d = meshDescriptors[i];
        ASSERT_GT(d.vertexCount, 0u) << i;
        ASSERT_GT(d.triangleCount, 0u) << i;
        ASSERT_NE(d.texcoords, nullptr) << i;
        ASSERT_NE(d.normals, nullptr) << i;
        ASSERT_NE(d.positions, nullptr) << i;
        ASSERT_NE(d.indices, nullptr) << i;
        for (std::uint32_t v = 0; v < d.vertexCount; ++v) {
            EXPECT_NEAR(lengthP(normalOf(d, v)), 1.0, 1e-3) << "mesh " << i << " vertex " << v;
        }
        int backwards = 0;
        for (std::uint32_t t = 0; t < d.triangleCount; ++t) {
            const std::uint16_t a = d.indices[t * 3], b = d.indices[t * 3 + 1], c = d.indices[t * 3 + 2];
            ASSERT_LT(a, d.vertexCount);
            ASSERT_LT(b, d.vertexCount);
            ASSERT_LT(c, d.vertexCount);
            EXPECT_TRUE(a != b && b != c && a != c) << "mesh " << i << " triangle " << t;
            // Counter-clockwise front faces: the face normal agrees with the vertex normals.
            const P3 face = crossP(sub(vertexOf(d, b), vertexOf(d, a)), sub(vertexOf(d, c), vertexOf(d, a)));
            const P3 na = normalOf(d, a), nb = normalOf(d, b), nc = normalOf(d, c);
            const P3 mean{na.x + nb.x + nc.x, na.y + nb.y + nc.y, na.z + nb.z + nc.z};
            backwards += dotP(face, mean) < 0.0;
        }
        EXPECT_EQ(backwards, 0) << "mesh " << i;
        for (std::size_t w = 0; w < 8; ++w) {
            EXPECT_EQ(d.reservedWords[w], 0u);
        }
        for (const void* p : d.reservedPointers) {
            EXPECT_EQ(p, nullptr);
        }
    }
}

TEST(WorldMeshes, RoadPiecesStayUnderSixHundredTriangles) {
    for (int s = 0; s < kSectionCount; ++s) {
        EXPECT_LT(meshDescriptors[trackSections[s].objects[0]].triangleCount, 600u) << s;
    }
}
