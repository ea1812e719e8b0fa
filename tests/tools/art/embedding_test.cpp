// The compiled-in art as the program sees it: the registry filled before main, and the overlay's data.
#include "files/filingsystem.h"
#include "print3d/font_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> committed(const std::string& path) {
    std::ifstream in(std::filesystem::path(NYM_SOURCE_DIR) / "assets" / path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(ArtEmbedded, StaticRegistrationsHoldTheTextureFilesInOrder) {
    const char* names[] = {"blight3.nym",
                           "industrial.nym",
                           "StellarionGreenGEN.nym",
                           "StellarionRedGEN.nym",
                           "StellarionYellowGEN.nym",
                           "LogosGEN.nym",
                           "reflectionmap.nym",
                           "road.nym",
                           "road_signs.nym",
                           "section01.nym",
                           "SkyBox_1.nym",
                           "SkyBox_2.nym",
                           "SkyBox_3.nym",
                           "SkyBox_4.nym",
                           "SkyBox_5.nym",
                           "kesshad.nym",
                           "tree.nym",
                           "tunnels.nym",
                           "wFall.nym"};
    Filingsystem* fs = Filingsystem::Instance();
    ASSERT_NE(fs, nullptr);
    ASSERT_EQ(fs->FileCount(), 19);
    for (int i = 0; i < 19; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(fs->FileName(i), names[i]);
        const std::vector<unsigned char> bytes = committed(std::string("textures/") + names[i]);
        ASSERT_EQ(fs->FileLength(i), static_cast<int>(bytes.size()));
        EXPECT_EQ(std::memcmp(fs->FileData(i), bytes.data(), bytes.size()), 0);
        // Word-aligned, so the header can be read in place.
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(fs->FileData(i)) % 4, 0u);
    }
}

TEST(ArtEmbedded, OverlayDataIsCompiledIn) {
    EXPECT_EQ(fontLargeU[static_cast<unsigned char>('A')], 0.0039f);
    EXPECT_EQ(fontLargeWidth[static_cast<unsigned char>('W')], 0.125f);
    EXPECT_EQ(fontSmallV[static_cast<unsigned char>('A')], 0.0469f);
    EXPECT_EQ(fontLargeWidth[static_cast<unsigned char>(' ')], 0.0f);
    const std::vector<unsigned char> image = committed("print3d/font_image.bin");
    ASSERT_EQ(image.size(), sizeof fontImage);
    EXPECT_EQ(std::memcmp(fontImage, image.data(), image.size()), 0);
    const std::vector<unsigned char> logo = committed("print3d/logo_b.nym");
    ASSERT_EQ(logo.size(), sizeof logoB);
    EXPECT_EQ(std::memcmp(logoB, logo.data(), logo.size()), 0);
    EXPECT_EQ(logoA[0], 44);
    EXPECT_EQ(logoA[16], 0x13);
    EXPECT_EQ(iconImages[3][0], 'N');
}
