// The program's frame digest lines: one per presented frame, and the same whatever rasterises the
// frames and whatever else the run writes (the runner's own read-back is not the program's calls).
#include "tests/support/child_process.h"
#include "tests/support/text_and_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The digest lines of the race at 320 x 240 on the 30 fps clock, up to frame `last`.
std::vector<std::string> digests(int last, std::vector<std::string> extra = {},
                                 const std::vector<std::string>& environment = {},
                                 const fs::path& folder = {}) {
    std::vector<std::string> args = {"--backend=headless", "--screen=320x240", "--fixed-fps=30",
                                     "-qaf=" + std::to_string(last)};
    args.insert(args.end(), extra.begin(), extra.end());
    ChildProcess program(NYM_PROGRAM, args, environment, folder.string());
    EXPECT_EQ(program.waitForExit(120s), 0) << program.output();
    return lines(program.standardOutput());
}

TEST(FrameDigestRun, OneLinePerPresentedFrameWhateverRasterisesOrCapturesIt) {
    const std::vector<std::string> reference = digests(60, {"--frame-digest=-"});
    ASSERT_EQ(reference.size(), 61u);
    std::set<std::string> hashes;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        // "<frame> <16 lower-case hex digits>"
        const std::string& line = reference[i];
        const std::string frame = std::to_string(i);
        ASSERT_EQ(line.size(), frame.size() + 17) << line;
        EXPECT_EQ(line.substr(0, frame.size() + 1), frame + " ") << line;
        const std::string hash = line.substr(frame.size() + 1);
        EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << line;
        hashes.insert(hash);
    }
    EXPECT_EQ(hashes.size(), reference.size()) << "every frame of the race makes other calls";

    const fs::path folder = fs::temp_directory_path() / ("nym_digest_" + std::to_string(getpid()));
    fs::create_directories(folder / "f");
    digests(60,
            {"--frame-digest=d.txt", "--screenshot=30:s.png", "--capture=f/%03d.png", "--capture-every=7"},
            {"GALLIUM_DRIVER=softpipe"}, folder);
    EXPECT_EQ(lines(fileText(folder / "d.txt")), reference) << "softpipe, with a screenshot and a capture";
    EXPECT_TRUE(fs::exists(folder / "s.png"));
    fs::remove_all(folder);

    const std::vector<std::string> shorter = digests(20, {"--frame-digest=-"});
    EXPECT_EQ(shorter, std::vector<std::string>(reference.begin(), reference.begin() + 21));
}

} // namespace
