#pragma once
// Previews of the art: every texture's top level as decoded back from its file, the font sheet with
// its glyph boxes, the logos, and one contact sheet of all textures.
#include <string>

namespace art {

void writePreviews(const std::string& dir);

} // namespace art
