// A legacy texture file that is not compiled in: written to disk, found by the virtual files through the
// registry's disk fallback, and uploaded by the GL back end into the record driver, with the
// block-compression emulation in front of it. The record driver reads every byte a GL call is given,
// so a level that reaches past the file is an AddressSanitizer report.
#include "engine/texture.h"
#include "files/filingsystem.h"
#include "fuzz/engine_run.h"
#include "fuzz/fuzz_check.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::uint8_t registered[] = {44, 0, 0, 0};

// The file the target writes, in a folder of its own that is removed at exit. No dot in the folder's
// name, so that only the .nym extension picks the loader.
struct TemporaryFile {
    TemporaryFile() {
        char folder[] = "/tmp/nym-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(folder) != nullptr);
        directory = folder;
        path = directory + "/texture.nym";
    }
    ~TemporaryFile() {
        std::remove(path.c_str());
        rmdir(directory.c_str());
    }

    std::string directory;
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::RecordEnvironment e(fuzz::RecordEnvironment::Emulation::On);
    static TemporaryFile t;
    std::FILE* file = std::fopen(t.path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);

    // Another file is registered, so the name is looked for in the registry first.
    FUZZ_CHECK(Filingsystem::RegisterFile(Filingsystem::Instance(), "registered.nym", registered,
                                          sizeof registered));
    NymTexture texture;
    texture.init();
    texture.mipmap = size % 2; // both filter settings, without a byte of the file to choose
    const unsigned int name = texture.setName(t.path.c_str());
    FUZZ_CHECK(name == texture.texname);
    FUZZ_CHECK(name == 0 || size >= 44);
    texture.release();
    fuzz::endEngineRun(e);
    return 0;
}
