// The committed world sources are exactly what the generator writes.
#include "asset_sink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

TEST(WorldSources, GeneratorReproducesTheCommittedFiles) {
    AssetSink sink;
    generateWorld(sink);
    ASSERT_FALSE(sink.files().empty());
    for (const auto& [name, bytes] : sink.files()) {
        std::ifstream in(std::string(NYM_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::vector<std::uint8_t> committed((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
        EXPECT_TRUE(committed == bytes) << name << " differs from the generator's output";
    }
}

TEST(WorldSources, GenerationIsRepeatable) {
    AssetSink a, b;
    generateWorld(a);
    generateWorld(b);
    EXPECT_TRUE(a.files() == b.files());
}
