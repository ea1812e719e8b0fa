// The art half of the asset tool: the texture files with their registrations, and the overlay's font
// and logos.
#include "asset_sink.h"

#include "art/overlay_art.h"
#include "art/preview.h"
#include "art/texture_set.h"

void generateArt(AssetSink& sink) {
    std::vector<std::size_t> lengths;
    for (const art::TextureEntry& e : art::textureEntries()) {
        std::vector<std::uint8_t> file =
            art::encodeLegacyTexture(e.paint(), e.format, e.mipCount, e.alphaMask);
        lengths.push_back(file.size());
        sink.add(std::string("textures/") + e.name, std::move(file));
    }
    sink.addText("textures/texture_data.S", art::textureDataAssembly());
    sink.addText("textures/texture_registry.cpp", art::textureRegistrationSource(lengths));
    art::addOverlayArt(sink);
}

void previewArt(const std::string& dir) {
    art::writePreviews(dir);
}
