// The race world's construction, brightness and destruction on the compiled-in assets.
#include <gmock/gmock.h>

#include <vector>

#include "engine/mesh_descriptor.h"
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "race_test_support.h"

namespace {

using ::testing::ElementsAreArray;

class RaceTrackTest : public RaceTest {};

constexpr Fixed fx(float f) {
    return FixedFromFloat(f);
}

TEST_F(RaceTrackTest, CameraIsSetUpForTheSurfaceWithFlooredFrustumValues) {
    for (const auto& [w, h] : {std::pair{320, 240}, std::pair{640, 480}}) {
        const auto world = buildWorld(w, h);
        EXPECT_EQ(world->width, FixedFromInt(w));
        EXPECT_EQ(world->height, FixedFromInt(h));
        ASSERT_NE(world->camera, nullptr);
        const NymCamera& camera = *world->camera;
        EXPECT_EQ(camera.viewportWidth, FixedFromInt(w));
        EXPECT_EQ(camera.viewportHeight, FixedFromInt(h));
        // aspect = 87385 raw; each product floored, so bottom is one unit further from 0 than top.
        EXPECT_EQ(camera.left.raw, -8739);
        EXPECT_EQ(camera.right.raw, 8738);
        EXPECT_EQ(camera.bottom.raw, -6554);
        EXPECT_EQ(camera.top.raw, 6553);
        EXPECT_EQ(camera.nearDistance.raw, 16384);
        EXPECT_EQ(camera.farDistance.raw, 67108864);
        EXPECT_EQ(camera.orthographic, 0);
    }
}

TEST_F(RaceTrackTest, SectionObjectsFollowTheTableAndTheMaterialCodes) {
    const auto world = buildWorld(320, 240);
    const std::pair<std::int32_t, int> codes[] = {{11, 0}, {0, 1}, {1, 2}, {8, 3}, {4, 4}, {12, 5}, {3, 6}};
    for (int s = 0; s < kSectionCount; ++s) {
        const SectionObjects& section = world->sectionObjects[s];
        ASSERT_EQ(section.count, trackSections[s].objectCount) << "section " << s;
        ASSERT_NE(section.objects, nullptr);
        EXPECT_EQ(meshDescriptors[trackSections[s].objects[0]].material, 11) << "section " << s;
        EXPECT_EQ(section.objects[0].material, &world->sceneryMaterials[0]) << "section " << s;
        for (int j = 0; j < section.count; ++j) {
            const NymMeshDescriptor& d = meshDescriptors[trackSections[s].objects[j]];
            ASSERT_NE(section.objects[j].geometry, nullptr) << s << "/" << j;
            EXPECT_EQ(section.objects[j].geometry->vertexCount, static_cast<int>(d.vertexCount));
            int expected = -1;
            for (const auto& [code, material] : codes) {
                if (code == d.material) {
                    expected = material;
                }
            }
            ASSERT_NE(expected, -1) << "unknown code " << d.material;
            EXPECT_EQ(section.objects[j].material, &world->sceneryMaterials[expected]) << s << "/" << j;
        }
    }
    EXPECT_THAT(output(), ::testing::Not(::testing::HasSubstr("Material Section Problem")));
}

TEST_F(RaceTrackTest, PathsStartWhereTheCarsAndTheCameraStart) {
    const auto world = buildWorld(320, 240);
    EXPECT_EQ(world->cameraPathParam, 0.0f);
    EXPECT_EQ(world->carPathParam[0], 0.001f);
    EXPECT_EQ(world->carPathParam[1], 0.0036f);
    EXPECT_EQ(world->carPathParam[2], 0.0056f);
    for (int c = 0; c < kCarCount; ++c) {
        const CarPath& path = world->carPaths[c];
        ASSERT_EQ(path.count, 1749);
        ASSERT_NE(path.keys, nullptr);
        // Every stored value, the closing key included, is the truncated conversion of the float.
        for (int i = 0; i < 1750 * kKeyFloats; ++i) {
            ASSERT_EQ(path.keys[i], FixedFromFloat(keyPaths[c + 1].keys[i])) << "car " << c << " value " << i;
        }
        for (const FixedMatrix& m : {world->carTransform[c], world->carRotation[c]}) {
            for (int i = 0; i < 16; ++i) {
                EXPECT_EQ(m[i].raw, 0);
            }
        }
        EXPECT_EQ(world->carPitch[c].raw, 0);
        EXPECT_EQ(world->carRoll[c].raw, 0);
    }
    const std::int32_t identityAtOrigin[12] = {65536, 0, 0, 0, 65536, 0, 0, 0, 65536, 0, 0, 0};
    std::vector<std::int32_t> key0;
    for (int i = 0; i < 12; ++i) {
        key0.push_back(world->carPaths[0].keys[i].raw);
    }
    EXPECT_THAT(key0, ElementsAreArray(identityAtOrigin));
    for (int slot = 0; slot < kProbeSlots; ++slot) {
        EXPECT_EQ(world->probeTriangle[slot], 0);
        EXPECT_EQ(world->probeSection[slot], 0);
    }
}

TEST_F(RaceTrackTest, MaterialsAreSetUpAsTheirTexturesNeed) {
    const auto world = buildWorld(320, 240);
    // Paint: reflection map on layer 1, generated for cars 0 and 2, reused by car 1.
    for (int k = 1; k <= 3; ++k) {
        const NymMaterial& paint = world->carMaterials[k];
        EXPECT_EQ(paint.texture[0], &world->carTextures[k]);
        EXPECT_EQ(paint.texture[1], &world->reflectionTexture);
        EXPECT_EQ(paint.mode[1], k == 2 ? 0 : 2) << "paint " << k;
        EXPECT_EQ(paint.param[1], fx(0.5f));
        EXPECT_EQ(paint.lit, 1);
        EXPECT_EQ(paint.emissive[0].raw, 0);
        EXPECT_EQ(paint.ambient[1], fx(1.0f));
        EXPECT_EQ(paint.diffuse[2], fx(1.0f));
    }
    EXPECT_EQ(world->carMaterials[0].texture[0], &world->carTextures[0]);
    EXPECT_EQ(world->carMaterials[0].emissive[0], fx(0.75f));
    EXPECT_EQ(world->carMaterials[0].lit, 0);
    EXPECT_EQ(world->shadowMaterial.opacity, fx(0.75f));
    EXPECT_EQ(world->shadowMaterial.lit, 0);
    EXPECT_EQ(world->lampMaterial.emissive[2], fx(1.0f));
    EXPECT_EQ(world->waterfallMaterials[0].opacity, fx(0.5f));
    EXPECT_EQ(world->waterfallMaterials[1].opacity, fx(0.2f));
    EXPECT_EQ(world->waterfallMaterials[0].vSpeed[0], fx(-0.005f));
    EXPECT_EQ(world->waterfallMaterials[1].vSpeed[0], fx(-0.01f));
    EXPECT_EQ(world->waterfallMaterials[1].uSpeed[0].raw, 0);
    EXPECT_EQ(world->waterfallMaterials[0].period[0], fx(0.02f));
    EXPECT_EQ(world->waterfallMaterials[1].texture[0], &world->waterfallTexture);
    // Wrap options written after loading; the renderer applies them when it binds.
    EXPECT_EQ(world->lampTexture.wrapS, 0);
    EXPECT_EQ(world->lampTexture.wrapT, 0);
    EXPECT_EQ(world->reflectionTexture.wrapS, 1);
    EXPECT_EQ(world->reflectionTexture.wrapT, 0);

    ASSERT_NE(world->ambientLight, nullptr);
    ASSERT_NE(world->directionalLight, nullptr);
    EXPECT_EQ(world->ambientLight->colour[0], FixedMul(fx(1.0f), fx(0.5f)));
    EXPECT_EQ(world->ambientLight->colour[2], FixedMul(fx(1.0f), fx(0.6f)));
    EXPECT_EQ(world->directionalLight->colour[1], fx(1.0f));
    EXPECT_EQ(world->directionalLight->position[0], fx(-0.465f));
    EXPECT_EQ(world->directionalLight->position[1], fx(0.349f));
    EXPECT_EQ(world->directionalLight->position[2], fx(0.814f));
}

TEST_F(RaceTrackTest, EveryTextureIsLoadedAndTheRegistryIsGone) {
    const auto world = buildWorld(320, 240);
    std::vector<const NymTexture*> loaded;
    for (const NymTexture& t : world->sceneryTextures) {
        loaded.push_back(&t);
    }
    for (int k = 0; k < 4; ++k) {
        loaded.push_back(&world->carTextures[k]);
    }
    for (const NymTexture* t :
         {&world->shadowTexture, &world->lampTexture, &world->reflectionTexture, &world->waterfallTexture}) {
        loaded.push_back(t);
    }
    ASSERT_NE(world->skybox, nullptr);
    for (int face : {0, 1, 2, 4, 5}) {
        ASSERT_NE(world->skybox->faces[face], nullptr) << "face " << face;
        loaded.push_back(world->skybox->faces[face]);
    }
    EXPECT_EQ(world->skybox->faces[3], nullptr); // no bottom face
    ASSERT_EQ(loaded.size(), 20u);               // 19 files, one of them loaded twice
    for (const NymTexture* t : loaded) {
        EXPECT_NE(t->texname, 0u) << (t->name != nullptr ? t->name : "(no name)");
    }
    EXPECT_STREQ(world->carTextures[0].name, "StellarionRedGEN.nym");
    EXPECT_STREQ(world->carTextures[1].name, "StellarionRedGEN.nym");
    EXPECT_NE(world->carTextures[0].texname, world->carTextures[1].texname);
    for (int k = 4; k < kCarTextures; ++k) {
        EXPECT_EQ(world->carTextures[k].texname, 0u);
    }
    EXPECT_EQ(Filingsystem::Instance()->FileCount(), 0);
}

TEST_F(RaceTrackTest, TraceShowsTheBannerAndNothingBelow999) {
    registerEmbeddedFilesAgain();
    clearOutput();
    auto world = std::make_unique<RaceTrack>(320, 240);
    ASSERT_EQ(lines.size(), 1u) << output();
    const std::string banner = "Nymbus race demo, version ";
    EXPECT_EQ(lines[0].rfind(banner, 0), 0u) << lines[0];
    EXPECT_EQ(lines[0].find_first_not_of("0123456789.", banner.size()), lines[0].size() - 1) << lines[0];
    EXPECT_EQ(lines[0].back(), '\n');
    NymTrace::Instance()->Print(998, "below\n");
    NymTrace::Instance()->Print(999, "at\n");
    EXPECT_EQ(output(), lines[0] + "at\n");
}

TEST_F(RaceTrackTest, BrightnessLeavesTreesAndSignsTheirOwnColours) {
    const auto world = buildWorld(320, 240);
    const Fixed half = fx(0.5f);
    world->sceneryMaterials[2].setEmissive(fx(0.25f), fx(0.25f), fx(0.25f));
    world->setBrightness(half);
    for (int i = 0; i < 5; ++i) {
        const NymMaterial& m = world->sceneryMaterials[i];
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(m.diffuse[c], half) << i;
            EXPECT_EQ(m.ambient[c], half) << i;
            EXPECT_EQ(m.emissive[c].raw, 0) << i;
        }
        EXPECT_EQ(m.lit, 1);
    }
    EXPECT_EQ(world->skybox->material.emissive[1], half);
    const NymMaterial& trees = world->sceneryMaterials[5];
    const NymMaterial& signs = world->sceneryMaterials[6];
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(trees.emissive[c], fx(0.9f));
        EXPECT_EQ(signs.ambient[c], fx(1.0f));
        EXPECT_EQ(signs.diffuse[c], fx(1.0f));
    }
    EXPECT_EQ(trees.lit, 0);
    EXPECT_EQ(signs.lit, 1);
    EXPECT_EQ(world->carMaterials[0].emissive[0], fx(0.75f));
}

TEST_F(RaceTrackTest, DetailedBodyNormalsAreBlendedOncePerProcess) {
    buildWorld(320, 240);
    const NymMeshDescriptor& body = meshDescriptors[35];
    const std::vector<float> first(body.normals, body.normals + 3 * body.vertexCount);
    buildWorld(320, 240);
    EXPECT_EQ(std::vector<float>(body.normals, body.normals + 3 * body.vertexCount), first);
    // Blended normals lean towards the vertex direction: positive dot product with it.
    int leaning = 0;
    for (std::uint32_t i = 0; i < body.vertexCount; ++i) {
        const float* p = &body.positions[3 * i];
        const float* n = &body.normals[3 * i];
        leaning += (p[0] * n[0] + p[1] * n[1] + p[2] * n[2]) > 0.0f ? 1 : 0;
    }
    EXPECT_GT(leaning, static_cast<int>(body.vertexCount) / 2);
}

// The texture names in the order glDeleteTextures received them.
std::vector<unsigned> deletedNames(const platform::gles::RecordDriver& gl) {
    std::vector<unsigned> names;
    const std::string prefix = "glDeleteTextures(1, [";
    for (const std::string& call : gl.log({"glDeleteTextures"})) {
        if (call.rfind(prefix, 0) == 0) {
            names.push_back(static_cast<unsigned>(std::stoul(call.substr(prefix.size()))));
        }
    }
    return names;
}

TEST_F(RaceTrackTest, DestructionDeletesEveryTextureInItsOrder) {
    auto world = buildWorld(320, 240);
    std::vector<unsigned> expected;
    for (int face : {0, 1, 2, 4, 5}) {
        expected.push_back(world->skybox->faces[face]->texname);
    }
    for (const NymTexture* t :
         {&world->waterfallTexture, &world->reflectionTexture, &world->lampTexture, &world->shadowTexture}) {
        expected.push_back(t->texname);
    }
    for (int k = 3; k >= 0; --k) {
        expected.push_back(world->carTextures[k].texname);
    }
    for (int k = kSceneryMaterials - 1; k >= 0; --k) {
        expected.push_back(world->sceneryTextures[k].texname);
    }
    world.reset();
    EXPECT_THAT(deletedNames(gl), ElementsAreArray(expected));
}

} // namespace
