#include "race_test_support.h"

#include "engine/render.h"
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "platform/debug_output.h"

namespace {

struct RegisteredFile {
    std::string name;
    const void* data;
    int length;
};

// The registry as the program's start-up left it; taken before the first test runs.
std::vector<RegisteredFile>& startUpFiles() {
    static std::vector<RegisteredFile> files;
    return files;
}

class StartUpRegistry : public ::testing::Environment {
public:
    void SetUp() override {
        Filingsystem* registry = Filingsystem::Instance();
        for (int i = 0; i < registry->FileCount(); ++i) {
            startUpFiles().push_back({registry->FileName(i), registry->FileData(i), registry->FileLength(i)});
        }
    }
};

[[maybe_unused]] ::testing::Environment* const startUpRegistry =
    ::testing::AddGlobalTestEnvironment(new StartUpRegistry);

} // namespace

void registerEmbeddedFilesAgain() {
    Filingsystem::Destroy();
    for (const RegisteredFile& file : startUpFiles()) {
        Filingsystem::RegisterFile(Filingsystem::Instance(), file.name.c_str(), file.data, file.length);
    }
}

void RaceTest::SetUp() {
    NymRender::destroy();
    NymTrace::Destroy();
    platform::setDebugOutputSink([this](const wchar_t* text) {
        std::string narrow;
        for (const wchar_t* c = text; *c != 0; ++c) {
            narrow += static_cast<char>(*c);
        }
        lines.push_back(narrow);
    });
}

void RaceTest::TearDown() {
    NymRender::destroy();
    platform::setDebugOutputSink({});
    NymTrace::Destroy();
}

std::unique_ptr<RaceTrack> RaceTest::buildWorld(int width, int height) {
    registerEmbeddedFilesAgain();
    auto world = std::make_unique<RaceTrack>(width, height);
    gl.clearLog();
    return world;
}

std::string RaceTest::output() const {
    std::string all;
    for (const std::string& line : lines) {
        all += line;
    }
    return all;
}
