// PNG files in a page, which has no files: a picture the program writes (a --screenshot, a frame that
// --validate renders) is handed to the page under its path. The page encodes it as PNG, with the
// browser's encoder, when it is downloaded.
#include "runner/png_file.h"
#include "runner/web/page.h"

namespace runner {

bool writePng(const std::string& path, int width, int height, const std::uint8_t* rgba, std::size_t stride,
              bool bottomUp, std::string* error) {
    const std::size_t rowBytes = stride ? stride : static_cast<std::size_t>(width) * 4;
    if (nym_page_keep_picture(path.c_str(), width, height, rgba, static_cast<int>(rowBytes),
                              bottomUp ? 1 : 0)) {
        return true;
    }
    if (error) {
        *error = "the page did not keep " + path;
    }
    return false;
}

} // namespace runner
