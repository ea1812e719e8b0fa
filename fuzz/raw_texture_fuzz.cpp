// A headless raw texture file, registered under a name whose extension picks the raw loader's mode,
// and uploaded into the record driver, which reads every byte a GL call is given.
// Input: one byte of choices, one byte of size, then the file's bytes. The choices pick the extension
// (.rgb, .rgba, .lum, .a), mip-mapping, the reduction to 16 bits, dithering, a registry entry without a
// length, and whether the file is the rest of the input as it stands or that input repeated to the
// length of one of the loader's three smallest sizes (picked by the size byte; the larger ones take the
// same paths, far more slowly), 3 or 4 bytes per pixel for .rgb and .rgba.
#include "engine/texture.h"
#include "files/filingsystem.h"
#include "fuzz/engine_run.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* names[] = {"fuzz.rgb", "fuzz.rgba", "fuzz.lum", "fuzz.a"};
constexpr int sides[][2] = {{32, 64}, {64, 64}, {64, 128}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::RecordEnvironment e(fuzz::RecordEnvironment::Emulation::Off);
    if (size < 2) {
        return 0;
    }
    const std::uint8_t choices = data[0];
    const std::uint8_t sizeChoice = data[1];
    const int extension = choices & 3;
    std::vector<std::uint8_t> file(data + 2, data + size);
    if ((choices & 0x40) == 0) {
        const int* side = sides[sizeChoice % 3];
        const std::size_t channels = extension >= 2 ? 1 : (choices & 0x80) == 0 ? 3 : 4;
        const std::size_t length = static_cast<std::size_t>(side[0]) * side[1] * channels;
        const std::size_t given = file.size();
        file.resize(length);
        for (std::size_t filled = given; given > 0 && filled < length; filled *= 2) {
            std::copy_n(file.begin(), std::min(filled, length - filled),
                        file.begin() + static_cast<std::ptrdiff_t>(filled));
        }
    }
    const int registeredLength = (choices & 0x20) != 0 ? -1 : static_cast<int>(file.size());
    if (file.empty() || !Filingsystem::RegisterFile(Filingsystem::Instance(), names[extension], file.data(),
                                                    registeredLength)) {
        fuzz::endEngineRun(e);
        return 0;
    }

    NymTexture texture;
    texture.init();
    texture.mipmap = (choices & 0x04) != 0;
    texture.force16 = (choices & 0x08) != 0;
    texture.dither = (choices & 0x10) != 0;
    const unsigned int name = texture.setName(names[extension]);
    FUZZ_CHECK(name == texture.texname);
    if (name != 0) {
        FUZZ_CHECK(texture.width >= 1 && texture.height >= 1);
        FUZZ_CHECK(static_cast<std::size_t>(texture.width) * texture.height <= file.size());
    }
    texture.release();
    fuzz::endEngineRun(e);
    return 0;
}
