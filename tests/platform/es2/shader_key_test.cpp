// The steps of the translation that need no library: the shader key of a state, texture completeness and
// the primitives of flat shading.
#include "platform/gles/es2/es2_functions.h"
#include "platform/gles/es2/flat_shading.h"
#include "platform/gles/es2/shader_key.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

using namespace platform::gles::es2;
using ::testing::ElementsAre;

namespace {

constexpr std::array<SampledFormat, kTextureUnits> kNone{};
constexpr std::array<SampledFormat, kTextureUnits> kColours{SampledFormat::Colour, SampledFormat::Colour};

TEST(ShaderKey, AUnitTexturesOnlyWhenEnabledWithACompleteTextureAndOnlyItsFieldsCount) {
    FixedState state;
    EXPECT_EQ(shaderKey(state, kColours), ShaderKey{}); // nothing enabled
    state.units[1].enabled = true;
    EXPECT_EQ(shaderKey(state, kNone), ShaderKey{}); // enabled without a complete texture
    state.units[1].envMode = GL_ADD;
    const ShaderKey added = shaderKey(state, {SampledFormat::None, SampledFormat::ColourAlpha});
    EXPECT_FALSE(added.units[0].enabled);
    EXPECT_TRUE(added.units[1].enabled);
    EXPECT_EQ(added.units[1].mode, EnvMode::Add);
    EXPECT_EQ(added.units[1].format, SampledFormat::ColourAlpha);
    // A disabled unit's environment does not make another key.
    state.units[0].envMode = GL_DECAL;
    EXPECT_EQ(shaderKey(state, {SampledFormat::None, SampledFormat::ColourAlpha}), added);

    // The texture matrix and four coordinates make the lookup projective.
    state.units[1].matrices.top() = scaling(2, 2, 2);
    const ShaderKey transformed = shaderKey(state, kColours);
    EXPECT_TRUE(transformed.units[1].transformed);
    EXPECT_TRUE(transformed.units[1].projective);
    state.units[1].matrices.top() = Matrix{};
    state.units[1].coordinates = {true, 4, GL_FLOAT, 0, nullptr};
    const ShaderKey four = shaderKey(state, kColours);
    EXPECT_FALSE(four.units[1].transformed);
    EXPECT_TRUE(four.units[1].projective);
    state.units[1].coordinates.enabled = false; // the current coordinates: q is 1
    EXPECT_FALSE(shaderKey(state, kColours).units[1].projective);
}

TEST(ShaderKey, AlphaTestAndFogEnterOnlyWhenEnabledAndEveryFieldMakesADifferentNumber) {
    FixedState state;
    state.alphaFunc = GL_LESS;
    state.fogMode = GL_LINEAR;
    EXPECT_EQ(shaderKey(state, kNone), ShaderKey{});
    state.alphaTest = true;
    state.fog = true;
    const ShaderKey key = shaderKey(state, kNone);
    EXPECT_EQ(key.alpha, AlphaFunc::Less);
    EXPECT_EQ(key.fog, FogMode::Linear);
    state.alphaFunc = GL_ALWAYS;
    EXPECT_EQ(shaderKey(state, kNone).alpha, AlphaFunc::Always);

    // Every combination of the fields a key can hold packs to a number of its own.
    std::set<std::uint32_t> numbers;
    int keys = 0;
    const SampledFormat formats[] = {SampledFormat::Alpha, SampledFormat::Colour, SampledFormat::ColourAlpha};
    std::vector<UnitKey> units{UnitKey{}};
    for (int mode = 0; mode < 5; ++mode) {
        for (SampledFormat format : formats) {
            for (int bits = 0; bits < 4; ++bits) {
                units.push_back({true, static_cast<EnvMode>(mode), format, (bits & 1) != 0, (bits & 2) != 0});
            }
        }
    }
    for (const UnitKey& first : units) {
        for (const UnitKey& second : units) {
            for (int alpha = 0; alpha < 8; alpha += 7) {
                for (int fog = 0; fog < 4; fog += 3) {
                    ShaderKey k;
                    k.units = {first, second};
                    k.alpha = static_cast<AlphaFunc>(alpha);
                    k.fog = static_cast<FogMode>(fog);
                    numbers.insert(k.packed());
                    ++keys;
                }
            }
        }
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(keys));
}

TEST(TextureCompleteness, MipmappingNeedsEveryLevelDownToOneTexelOfTheSameFormat) {
    TextureRecord texture;
    EXPECT_EQ(texture.sampled(), SampledFormat::None);
    texture.levels[0] = {8, 2, SampledFormat::Alpha};
    EXPECT_EQ(texture.sampled(), SampledFormat::None); // the default filter mipmaps
    texture.levels[1] = {4, 1, SampledFormat::Alpha};
    texture.levels[2] = {2, 1, SampledFormat::Alpha};
    EXPECT_EQ(texture.sampled(), SampledFormat::None);
    texture.levels[3] = {1, 1, SampledFormat::Colour};
    EXPECT_EQ(texture.sampled(), SampledFormat::None); // a level of another format
    texture.levels[3].format = SampledFormat::Alpha;
    EXPECT_EQ(texture.sampled(), SampledFormat::Alpha);
    texture.levels[2].width = 1;
    EXPECT_EQ(texture.sampled(), SampledFormat::None); // a level of the wrong size
    texture.minFilter = GL_LINEAR;
    EXPECT_EQ(texture.sampled(), SampledFormat::Alpha); // without mipmapping level 0 is enough

    TextureRecord generated;
    generated.levels[0] = {4, 16, SampledFormat::ColourAlpha};
    generated.fillMipmaps();
    EXPECT_EQ(generated.sampled(), SampledFormat::ColourAlpha);
    EXPECT_EQ(generated.levels[4].width, 1);
    EXPECT_EQ(generated.levels[4].height, 1);
    EXPECT_EQ(generated.levels[5].format, SampledFormat::None);

    EXPECT_EQ(baseFormat(GL_LUMINANCE), SampledFormat::Colour);
    EXPECT_EQ(baseFormat(GL_LUMINANCE_ALPHA), SampledFormat::ColourAlpha);
    EXPECT_EQ(baseFormat(GL_COMPRESSED_RGB_S3TC_DXT1_EXT), SampledFormat::None);
    EXPECT_EQ(compressedFormat(GL_COMPRESSED_RGB_S3TC_DXT1_EXT), SampledFormat::Colour);
    EXPECT_EQ(compressedFormat(GL_COMPRESSED_RGBA_S3TC_DXT5_EXT), SampledFormat::ColourAlpha);
    EXPECT_EQ(compressedFormat(GL_PALETTE4_RGB8_OES), SampledFormat::None);
    EXPECT_EQ(compressedFormat(GL_RGB), SampledFormat::None);
}

// The expansion as (vertex, colour) pairs.
std::vector<std::pair<GLuint, GLuint>> expanded(GLenum mode, GLsizei count, GLint first = 0,
                                                const GLushort* indices = nullptr) {
    FlatPrimitives flat;
    expandFlat(mode, count, first, GL_UNSIGNED_SHORT, indices, flat);
    std::vector<std::pair<GLuint, GLuint>> pairs;
    for (std::size_t i = 0; i < flat.vertices.size(); ++i) {
        pairs.emplace_back(flat.vertices[i], flat.colours[i]);
    }
    return pairs;
}

TEST(FlatShading, EachPrimitiveTakesItsProvokingVertexsColourAndStripsKeepTheirWinding) {
    using P = std::pair<GLuint, GLuint>;
    EXPECT_THAT(expanded(GL_TRIANGLES, 7), ElementsAre(P{0, 2}, P{1, 2}, P{2, 2}, P{3, 5}, P{4, 5}, P{5, 5}));
    EXPECT_THAT(expanded(GL_TRIANGLE_STRIP, 4, 10),
                ElementsAre(P{10, 12}, P{11, 12}, P{12, 12}, P{12, 13}, P{11, 13}, P{13, 13}));
    EXPECT_THAT(expanded(GL_TRIANGLE_FAN, 4),
                ElementsAre(P{0, 2}, P{1, 2}, P{2, 2}, P{0, 3}, P{2, 3}, P{3, 3}));
    EXPECT_THAT(expanded(GL_LINES, 5), ElementsAre(P{0, 1}, P{1, 1}, P{2, 3}, P{3, 3}));
    EXPECT_THAT(expanded(GL_LINE_STRIP, 3), ElementsAre(P{0, 1}, P{1, 1}, P{1, 2}, P{2, 2}));
    // The segment that closes a loop takes the first vertex's colour.
    EXPECT_THAT(expanded(GL_LINE_LOOP, 3), ElementsAre(P{0, 1}, P{1, 1}, P{1, 2}, P{2, 2}, P{2, 0}, P{0, 0}));
    const GLushort indices[] = {9, 4, 6};
    EXPECT_THAT(expanded(GL_TRIANGLES, 3, 0, indices), ElementsAre(P{9, 6}, P{4, 6}, P{6, 6}));
    EXPECT_THAT(expanded(GL_TRIANGLE_STRIP, 2), ElementsAre());
    FlatPrimitives lines;
    expandFlat(GL_LINE_LOOP, 2, 0, 0, nullptr, lines);
    EXPECT_EQ(lines.mode, GL_LINES);
}

} // namespace
