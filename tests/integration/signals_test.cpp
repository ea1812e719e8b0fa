// SIGINT and SIGTERM end a run wherever it waits: a capture whose reader takes nothing ends within a
// second, with one line and exit code 1; a second signal abandons a video without leaving a file of the
// run's own behind; an interrupted validation takes its child process and its scratch folder with it.
#include "tests/support/child_process.h"
#include "tests/support/decoded_video.h"
#include "tests/support/program_messages.h"
#include "tests/support/text_and_folders.h"
#include "tests/support/wait_for.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool running(pid_t pid) {
    // A process that has ended but not been waited for is a zombie: it no longer runs.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t state = line.rfind(')');
    return state != std::string::npos && state + 2 < line.size() && line[state + 2] != 'Z';
}

// A reader of a FIFO that never reads. It holds the FIFO open for writing too (Linux allows that), to see
// when the pipe can take no more.
class SilentReader {
public:
    explicit SilentReader(const fs::path& fifo)
        : fd_(::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) {}
    ~SilentReader() { ::close(fd_); }
    SilentReader(const SilentReader&) = delete;
    SilentReader& operator=(const SilentReader&) = delete;
    // Whether the pipe can take no more: a writer waits.
    bool full() const {
        pollfd writable{fd_, POLLOUT, 0};
        return ::poll(&writable, 1, 0) == 0;
    }

private:
    int fd_;
};

struct Ending {
    std::optional<int> exitCode;
    double seconds = 0;
};

Ending signalAndWait(ChildProcess& program, int signal) {
    const auto sent = std::chrono::steady_clock::now();
    program.signal(signal);
    Ending ending;
    ending.exitCode = program.waitForExit(10s);
    ending.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
    return ending;
}

TEST(Signals, ACaptureWhoseReaderTakesNothingEndsWithinASecond) {
    const fs::path dir = freshFolder("nym_signals", "blocked");
    const fs::path fifo = dir / "ff.y4m";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::string> run = {"--backend=headless", "--screen=32x24", "-qaf=100000",
                                          "--screenshot=0:" + (dir / "shot.png").string()};
    struct Case {
        const char* what;
        int signal;
        bool reader;         // a reader that opens the FIFO and reads nothing
        bool standardOutput; // the capture goes to standard output, which is the FIFO
        std::string message;
    };
    for (const Case& c : {
             Case{"a FIFO that nothing opens", SIGINT, false, false,
                  "nymbus: capture: cannot open " + fifo.string() +
                      ": interrupted (nothing opened it for reading)\n"},
             Case{"a FIFO whose reader takes nothing", SIGTERM, true, false,
                  "nymbus: capture: cannot write " + fifo.string() +
                      ": interrupted (its reader took nothing for half a second)\n"},
             Case{"standard output whose reader takes nothing", SIGINT, true, true,
                  "nymbus: capture: cannot write standard output: interrupted (its reader took nothing for "
                  "half "
                  "a second)\n"},
         }) {
        SCOPED_TRACE(c.what);
        fs::remove(dir / "shot.png");
        std::optional<SilentReader> reader;
        if (c.reader) {
            reader.emplace(fifo);
        }
        std::vector<std::string> arguments = run;
        arguments.push_back("--capture=" + (c.standardOutput ? std::string("-") : fifo.string()));
        ChildProcess program(NYM_SHELL_TEST_PROGRAM, arguments, {}, {},
                             c.standardOutput ? fifo.string() : "");
        // Frame 0 has been presented and handed to the capture; with a reader, the pipe has filled.
        ASSERT_TRUE(waitFor([&] { return fs::exists(dir / "shot.png"); }, 20s)) << program.output();
        if (reader) {
            ASSERT_TRUE(waitFor([&] { return reader->full(); }, 20s));
        }
        ASSERT_TRUE(program.waitUntilHandling(c.signal, 5s));
        const Ending ending = signalAndWait(program, c.signal);
        EXPECT_EQ(ending.exitCode, 1);
        EXPECT_LT(ending.seconds, 1.0);
        EXPECT_EQ(programMessages(program.output()), c.message);
        RecordProperty(std::string(c.what) + ": seconds from the signal to the exit",
                       std::to_string(ending.seconds));
        std::printf("%s: %.3f s from the signal to the exit\n", c.what, ending.seconds);
    }
}

TEST(Signals, ALogWhoseFifoNothingOpensEndsOnASignal) {
    const fs::path dir = freshFolder("nym_signals", "log");
    const fs::path fifo = dir / "log.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ChildProcess program(NYM_SHELL_TEST_PROGRAM, {"--backend=headless", "--log=" + fifo.string(), "-qaf=10"});
    ASSERT_TRUE(program.waitUntilHandling(SIGTERM, 5s));
    const Ending ending = signalAndWait(program, SIGTERM);
    EXPECT_EQ(ending.exitCode, 1);
    EXPECT_LT(ending.seconds, 1.0);
    EXPECT_EQ(programMessages(program.output()), "nymbus: log: cannot open " + fifo.string() +
                                                     ": interrupted (nothing opened it for reading)\n");
}

// Two signals before the run has stopped: the video is abandoned, the new file removed, and an earlier file
// of that name stays as it was.
TEST(Signals, ASecondSignalAbandonsTheVideoAndLeavesNoFileOfTheRunsOwn) {
    const fs::path dir = freshFolder("nym_signals", "twice");
    const fs::path video = dir / "race.mp4";
    std::ofstream(video) << "old";
    ChildProcess program(NYM_SHELL_TEST_PROGRAM,
                         {"--backend=headless", "--screen=320x240", "--fixed-fps=30", "-qaf=100000",
                          "--capture=" + video.string(), "--screenshot=5:" + (dir / "shot.png").string()});
    ASSERT_TRUE(waitFor([&] { return fs::exists(dir / "shot.png"); }, 20s)) << program.output();
    ASSERT_TRUE(program.waitUntilHandling(SIGTERM, 5s));
    // Stopped, so that both signals come before it goes on.
    program.signal(SIGSTOP);
    program.signal(SIGINT);
    program.signal(SIGTERM);
    const Ending ending = signalAndWait(program, SIGCONT);
    EXPECT_EQ(ending.exitCode, 1);
    EXPECT_LT(ending.seconds, 1.0);
    EXPECT_EQ(programMessages(program.output()),
              "nymbus: capture: cannot write " + video.string() + ": interrupted (a second signal)\n");
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"race.mp4", "shot.png"}));
    EXPECT_TRUE(fileText(video) == "old");
}

// More signals once the run has stopped and is finishing its video, at whatever point they come: the file
// is whole (the video was finished first) or not written, and no other file is left.
TEST(Signals, ASecondSignalWhileFinishingLeavesAWholeFileOrNone) {
    const fs::path dir = freshFolder("nym_signals", "finishing");
    const fs::path video = dir / "race.mp4";
    ChildProcess program(NYM_SHELL_TEST_PROGRAM,
                         {"--backend=headless", "--screen=1280x720", "--fixed-fps=30", "-qaf=100000",
                          "--capture=" + video.string(), "--screenshot=20:" + (dir / "shot.png").string()});
    ASSERT_TRUE(waitFor([&] { return fs::exists(dir / "shot.png"); }, 30s)) << program.output();
    ASSERT_TRUE(program.waitUntilHandling(SIGINT, 5s));
    program.signal(SIGINT);
    // The shell has stopped: what remains is finishing the outputs, which signals come into until it ends.
    ASSERT_TRUE(waitFor([&] { return program.output().find("OnAppStop") != std::string::npos; }, 10s));
    Ending ending;
    for (int i = 0; i < 2000 && !ending.exitCode; ++i) {
        program.signal(SIGTERM);
        ending.exitCode = program.waitForExit(5ms);
    }
    ASSERT_TRUE(ending.exitCode.has_value());
    if (*ending.exitCode == 0) {
        const DecodedVideo decoded = decodeVideo(video.string());
        EXPECT_EQ(decoded.error, "");
        EXPECT_GE(decoded.frames, 21);
        EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"race.mp4", "shot.png"}));
    } else {
        EXPECT_EQ(ending.exitCode, 1);
        EXPECT_EQ(programMessages(program.output()),
                  "nymbus: capture: cannot write " + video.string() + ": interrupted (a second signal)\n");
        EXPECT_EQ(namesIn(dir), std::vector<std::string>{"shot.png"});
    }
    std::printf("the second signal came %s\n",
                *ending.exitCode == 0 ? "after the video was finished" : "while the video was finished");
}

// A validation renders in a child process, into a scratch folder under TMPDIR.
class InterruptedValidation : public testing::Test {
protected:
    void SetUp() override {
        dir_ = freshFolder("nym_signals", "validate");
        scratch_ = dir_ / "tmp";
        fs::create_directories(scratch_);
        fs::create_directories(dir_ / "refs");
        // A frame far into the race: the child renders for a while.
        std::ofstream(dir_ / "refs" / "frames.txt") << "late 20000 32x24\n";
        program_.emplace(NYM_PROGRAM, std::vector<std::string>{"--validate=" + (dir_ / "refs").string()},
                         std::vector<std::string>{"TMPDIR=" + scratch_.string()});
        children_ = program_->waitForChildren(20s);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    fs::path scratch_;
    std::optional<ChildProcess> program_;
    std::vector<pid_t> children_;
};

TEST_F(InterruptedValidation, ASignalEndsTheChildAndRemovesTheScratchFolder) {
    ASSERT_EQ(children_.size(), 1u);
    ASSERT_TRUE(program_->waitUntilHandling(SIGINT, 5s));
    const Ending ending = signalAndWait(*program_, SIGINT);
    EXPECT_EQ(ending.exitCode, 1);
    EXPECT_LT(ending.seconds, 1.0);
    EXPECT_EQ(programMessages(program_->output()), "nymbus: validate: interrupted\n");
    EXPECT_FALSE(running(children_[0]));
    EXPECT_TRUE(fs::is_empty(scratch_));
}

TEST_F(InterruptedValidation, AnAbortEndsTheChildAndRemovesTheScratchFolder) {
    ASSERT_EQ(children_.size(), 1u);
    ASSERT_TRUE(program_->waitUntilHandling(SIGABRT, 5s));
    const Ending ending = signalAndWait(*program_, SIGABRT);
    EXPECT_EQ(ending.exitCode, 128 + SIGABRT);
    EXPECT_FALSE(running(children_[0]));
    EXPECT_TRUE(fs::is_empty(scratch_));
}

TEST_F(InterruptedValidation, TheChildEndsWithAParentThatIsKilled) {
    ASSERT_EQ(children_.size(), 1u);
    EXPECT_EQ(signalAndWait(*program_, SIGKILL).exitCode, 128 + SIGKILL);
    EXPECT_TRUE(waitFor([&] { return !running(children_[0]); }, 1s));
}

} // namespace
