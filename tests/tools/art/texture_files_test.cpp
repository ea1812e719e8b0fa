#include "asset_sink.h"

#include "art/legacy_texture.h"
#include "art/sky.h"
#include "art/texture_set.h"

#include "platform/gles/nymtc/nymtc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

// The art's files, generated once for all tests.
const std::map<std::string, std::vector<std::uint8_t>>& generated() {
    static const AssetSink sink = [] {
        AssetSink s;
        generateArt(s);
        return s;
    }();
    return sink.files();
}

const std::vector<std::uint8_t>& file(const std::string& path) {
    const auto it = generated().find(path);
    static const std::vector<std::uint8_t> none;
    return it == generated().end() ? none : it->second;
}

struct Expected {
    const char* name;
    std::uint32_t length, size, bpp, mipCount, flags;
};

// The registration table: names, lengths and header contents, in order.
constexpr Expected Table[] = {
    {"blight3.nym", 10966, 64, 16, 6, 0x113},
    {"industrial.nym", 174892, 512, 4, 9, 0x119},
    {"StellarionGreenGEN.nym", 174892, 512, 4, 9, 0x119},
    {"StellarionRedGEN.nym", 174892, 512, 4, 9, 0x119},
    {"StellarionYellowGEN.nym", 174892, 512, 4, 9, 0x119},
    {"LogosGEN.nym", 174892, 512, 4, 9, 0x119},
    {"reflectionmap.nym", 11052, 128, 4, 7, 0x119},
    {"road.nym", 174892, 512, 4, 9, 0x119},
    {"road_signs.nym", 174892, 512, 4, 9, 0x119},
    {"section01.nym", 699180, 1024, 4, 10, 0x119},
    {"SkyBox_1.nym", 43820, 256, 4, 8, 0x119},
    {"SkyBox_2.nym", 43820, 256, 4, 8, 0x119},
    {"SkyBox_3.nym", 43820, 256, 4, 8, 0x119},
    {"SkyBox_4.nym", 43820, 256, 4, 8, 0x119},
    {"SkyBox_5.nym", 43820, 256, 4, 8, 0x119},
    {"kesshad.nym", 174806, 256, 16, 8, 0x110},
    {"tree.nym", 174892, 512, 4, 9, 0x119},
    {"tunnels.nym", 174892, 512, 4, 9, 0x119},
    {"wFall.nym", 43820, 256, 4, 8, 0x119},
};

std::vector<std::uint8_t> decodedFace(int index) {
    return art::decodeLegacyTopLevel(file("textures/SkyBox_" + std::to_string(index + 1) + ".nym"));
}

// One colour channel of a decoded 256 x 256 face.
float channel(const std::vector<std::uint8_t>& rgba, int x, int y, int ch) {
    return rgba[(static_cast<std::size_t>(y) * 256 + x) * 4 + ch];
}

} // namespace

TEST(ArtTextureFiles, NamesLengthsAndHeadersFollowTheRegistrationTable) {
    const auto& entries = art::textureEntries();
    ASSERT_EQ(entries.size(), std::size(Table));
    std::size_t total = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Expected& x = Table[i];
        SCOPED_TRACE(x.name);
        EXPECT_STREQ(entries[i].name, x.name);
        const auto& bytes = file(std::string("textures/") + x.name);
        ASSERT_EQ(bytes.size(), x.length);
        total += bytes.size();
        art::LegacyHeader h;
        ASSERT_TRUE(art::readLegacyHeader(bytes, h));
        EXPECT_EQ(h.headerSize, 44u);
        EXPECT_EQ(h.width, x.size);
        EXPECT_EQ(h.height, x.size);
        EXPECT_EQ(h.mipCount, x.mipCount);
        EXPECT_EQ(h.flags, x.flags);
        EXPECT_EQ(h.dataSize, x.length - 44);
        EXPECT_EQ(h.bitsPerPixel, x.bpp);
        // Only the tree cut-outs use the RGBA variant of the compressed format.
        if (x.flags == 0x119) {
            EXPECT_EQ(h.alphaMask, std::string(x.name) == "tree.nym" ? 1u : 0u);
        }
    }
    EXPECT_EQ(total, 2732952u);
}

TEST(ArtTextureFiles, EveryTextureDecodesCloseToItsPaintedSource) {
    for (const art::TextureEntry& e : art::textureEntries()) {
        const std::vector<std::uint8_t> source = art::toRgba8(e.paint());
        const std::vector<std::uint8_t> decoded =
            art::decodeLegacyTopLevel(file(std::string("textures/") + e.name));
        ASSERT_EQ(decoded.size(), source.size()) << e.name;
        const double db = art::psnr(source, decoded, e.alphaMask);
        std::printf("PSNR %-24s %6.2f dB\n", e.name, db);
        EXPECT_GE(db, 30.0) << e.name;
    }
}

TEST(ArtTextureFiles, MipLevelsFollowTheHalvedPainting) {
    // The second level of a sky face decodes close to the painting at half size.
    const auto& bytes = file("textures/SkyBox_1.nym");
    const std::size_t level1 = 44 + platform::nymtc::levelSize(platform::nymtc::Rgb4bpp, 256, 256);
    const auto decoded = platform::nymtc::decodeLevel(platform::nymtc::Rgb4bpp, 128, 128,
                                                      bytes.data() + level1, bytes.size() - level1);
    const auto expected = art::toRgba8(art::halve(art::paintSkyFace(0)));
    EXPECT_GE(art::psnr(expected, decoded, false), 30.0);
    // The last 1 x 1 level of the glow (RGB 565, two bytes before the end) is the mean of the picture:
    // dark, and redder than it is blue because of the brake half.
    const auto& glow = file("textures/blight3.nym");
    const unsigned last = glow[glow.size() - 2] | glow[glow.size() - 1] << 8;
    EXPECT_GT(last >> 11, last & 31);
    EXPECT_LT(last >> 11, 24u);
}

TEST(ArtSkyBox, NeighbouringFacesMeetAtTheirInsetEdges) {
    // Directions: the right inset edge of each side face is the left inset edge of the next one round
    // (SkyBox_1 -> 2 -> 3 -> 4 -> 1), and each side's top edge lies on the top face's inset border.
    for (int k = 0; k < 4; ++k) {
        for (float row : {10.0f, 128.0f, 250.0f}) {
            float a[3], b[3];
            art::skyFaceDirection(k, 252.0f, row, a[0], a[1], a[2]);
            art::skyFaceDirection((k + 1) % 4, 4.0f, row, b[0], b[1], b[2]);
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(a[i], b[i], 1e-5f) << "face " << k << " row " << row;
            }
        }
        for (float c : {4.0f, 100.0f, 252.0f}) {
            float side[3], top[3];
            art::skyFaceDirection(k, c, 256.0f, side[0], side[1], side[2]);
            const float topColumn[4] = {c, 252.0f, 256.0f - c, 4.0f};
            const float topRow[4] = {4.0f, c, 252.0f, 256.0f - c};
            art::skyFaceDirection(4, topColumn[k], topRow[k], top[0], top[1], top[2]);
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(side[i], top[i], 1e-5f) << "face " << k << " column " << c;
            }
        }
    }
    // Colours: across every side seam the decoded texels on both sides agree closely.
    for (int k = 0; k < 4; ++k) {
        const auto a = decodedFace(k), b = decodedFace((k + 1) % 4);
        double sum = 0;
        int count = 0;
        for (int y = 4; y < 256; ++y) {
            for (int ch = 0; ch < 3; ++ch) {
                const float left = (channel(a, 251, y, ch) + channel(a, 252, y, ch)) * 0.5f;
                const float right = (channel(b, 3, y, ch) + channel(b, 4, y, ch)) * 0.5f;
                sum += std::fabs(left - right);
                ++count;
            }
        }
        EXPECT_LT(sum / count, 4.0) << "seam after SkyBox_" << k + 1;
    }
    // The top face's edge next to SkyBox_1 matches that face's top row.
    const auto side = decodedFace(0), top = decodedFace(4);
    double sum = 0;
    for (int x = 4; x < 252; ++x) {
        for (int ch = 0; ch < 3; ++ch) {
            sum += std::fabs(channel(side, x, 255, ch) -
                             (channel(top, x, 3, ch) + channel(top, x, 4, ch)) * 0.5f);
        }
    }
    EXPECT_LT(sum / (248 * 3), 4.0);
}

TEST(ArtSkyBox, SidesHaveSkyAboveAndLandBelowTheHorizon) {
    const auto face = decodedFace(2);
    // Near the top: blue dominates; well below the middle: green dominates.
    EXPECT_GT(channel(face, 128, 240, 2), channel(face, 128, 240, 0));
    EXPECT_GT(channel(face, 128, 60, 1), channel(face, 128, 60, 2));
}

TEST(ArtEmbedding, RegistrationsAndIncludedFilesFollowTheTableOrder) {
    const std::string reg(file("textures/texture_registry.cpp").begin(),
                          file("textures/texture_registry.cpp").end());
    const std::string as(file("textures/texture_data.S").begin(), file("textures/texture_data.S").end());
    std::size_t regAt = 0, asAt = 0;
    for (const Expected& x : Table) {
        const std::string line = "(\"" + std::string(x.name) + "\", " + art::textureSymbol(x.name) + ", " +
                                 std::to_string(x.length) + ");";
        const std::size_t r = reg.find(line);
        ASSERT_NE(r, std::string::npos) << line;
        EXPECT_GT(r, regAt);
        regAt = r;
        const std::size_t a = as.find(".incbin \"textures/" + std::string(x.name) + "\"");
        ASSERT_NE(a, std::string::npos) << x.name;
        EXPECT_GT(a, asAt);
        asAt = a;
    }
    EXPECT_NE(reg.find("Filingsystem::RegisterFile(Filingsystem::Instance(), name, data, length)"),
              std::string::npos);
}

TEST(ArtEmbedding, CommittedFilesAreWhatTheToolGenerates) {
    const std::filesystem::path assets = std::filesystem::path(NYM_SOURCE_DIR) / "assets";
    for (const auto& [path, bytes] : generated()) {
        std::ifstream in(assets / path, std::ios::binary);
        ASSERT_TRUE(in) << path << " is not committed";
        const std::vector<std::uint8_t> onDisk((std::istreambuf_iterator<char>(in)),
                                               std::istreambuf_iterator<char>());
        EXPECT_TRUE(onDisk == bytes) << path << " differs; run nymbus-assetgen --out assets";
    }
}
