#pragma once
// The 19 embedded texture files, in registration order, and the sources that embed and register them.
#include "art/image.h"
#include "art/legacy_texture.h"

#include <string>
#include <vector>

namespace art {

struct TextureEntry {
    const char* name;
    int size; // width and height of the top level
    int mipCount;
    PixelFormat format;
    bool alphaMask;
    bool vUp; // a picture whose top is at high v (sky faces, sphere map): previews show it flipped
    Image (*paint)();
};

const std::vector<TextureEntry>& textureEntries();

// The assembler source that embeds "textures/<name>" under one symbol each, and the C++ source with
// the static registrations, given the files' lengths in entry order.
std::string textureDataAssembly();
std::string textureRegistrationSource(const std::vector<std::size_t>& lengths);

// The symbol a file is embedded under: "nymTexture_" and the name with '.' as '_'.
std::string textureSymbol(const char* name);

} // namespace art
