// References and lists that a user may have been sent, read by --validate and --write-references: each
// hostile or broken one gives one line that says why and exit code 1, within a few seconds and without
// gigabytes of memory.
#include "tests/support/child_process.h"
#include "tests/support/text_and_folders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <zlib.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Far above a validation of a small frame (its parent and child hold less than 200 MB), far below what
// allocating a declared 1,000,000 x 1,000,000 picture takes.
constexpr long memoryLimitKb = 400 * 1024;

void putBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>(value >> shift & 0xFF);
    }
}

std::string chunk(const char* type, const std::string& data) {
    std::string out;
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    out += body;
    putBigEndian(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                       static_cast<uInt>(body.size()))));
    return out;
}

// A valid PNG signature and header declaring width x height RGBA pixels, an empty compressed stream
// and the end: 65 bytes.
std::string declaringPng(std::uint32_t width, std::uint32_t height) {
    std::string header;
    putBigEndian(header, width);
    putBigEndian(header, height);
    header += std::string{8, 6, 0, 0, 0};
    const std::string emptyStream("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", emptyStream) +
           chunk("IEND", "");
}

// A whole PNG file of width x height black pixels.
std::string blackPng(std::uint32_t width, std::uint32_t height) {
    std::string header;
    putBigEndian(header, width);
    putBigEndian(header, height);
    header += std::string{8, 6, 0, 0, 0};
    const std::string rows(static_cast<std::size_t>(height) * (1 + width * 4), '\0'); // filter 0, then RGBA
    std::string stream(compressBound(static_cast<uLong>(rows.size())), '\0');
    uLongf size = static_cast<uLongf>(stream.size());
    compress(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
             static_cast<uLong>(rows.size()));
    stream.resize(size);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", stream) +
           chunk("IEND", "");
}

class HostileReferences : public testing::Test {
protected:
    void SetUp() override {
        dir_ = freshFolder("nym_hostile");
        fs::create_directory(dir_ / "refs");
        std::ofstream(dir_ / "refs" / "frames.txt") << "start 0 32x24\n";
    }
    void TearDown() override { fs::remove_all(dir_); }

    struct Run {
        std::optional<int> exitCode;
        std::vector<std::string> out;
        std::vector<std::string> err;
        long peakMemoryKb = 0;
    };
    Run run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {}) {
        ChildProcess program(NYM_PROGRAM, arguments, environment);
        Run result;
        result.exitCode = program.waitForExit(30s);
        result.out = lines(program.standardOutput());
        result.err = lines(program.output());
        result.peakMemoryKb = program.peakMemoryKb();
        return result;
    }
    std::string refs() const { return (dir_ / "refs").string(); }

    fs::path dir_;
};

TEST_F(HostileReferences, APictureIsCheckedAgainstTheListedSizeBeforeItsPixelsAreAllocated) {
    const std::string reference = refs() + "/start.png";
    struct Case {
        std::uint32_t width, height;
    };
    for (const Case c : {Case{1000000, 1000000}, Case{32767, 32767}, Case{33, 24}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        std::ofstream(reference, std::ios::binary) << declaringPng(c.width, c.height);
        ASSERT_EQ(fs::file_size(reference), 65u);
        const Run r = run({"--validate=" + refs()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_LT(r.peakMemoryKb, memoryLimitKb);
        ASSERT_EQ(r.out.size(), 3u);
        EXPECT_NE(r.out[1].find("FAIL: reference " + reference + ": it is " + std::to_string(c.width) +
                                " x " + std::to_string(c.height) + " pixels, not 32 x 24"),
                  std::string::npos)
            << r.out[1];
        EXPECT_TRUE(r.err.empty()) << r.err[0];
        RecordProperty("peak memory kB, " + std::to_string(c.width), std::to_string(r.peakMemoryKb));
    }
}

TEST_F(HostileReferences, ACorruptOrUnreadableReferenceIsNotReportedAsMissing) {
    const std::string reference = refs() + "/start.png";
    struct Case {
        const char* what;
        std::string expected; // in the frame's line
    };
    for (const Case& c : {
             Case{"missing", "FAIL: no reference picture " + reference},
             Case{"corrupt", "FAIL: reference " + reference + ": it is not a PNG file"},
             Case{"cut short", "FAIL: reference " + reference + ": it is not a whole PNG file"},
             Case{"a FIFO", "FAIL: reference " + reference + ": it is not a regular file"},
             Case{"a folder", "FAIL: reference " + reference + ": it is a folder"},
         }) {
        SCOPED_TRACE(c.what);
        fs::remove_all(reference);
        const std::string what = c.what;
        if (what == "corrupt") {
            std::ofstream(reference) << "not a picture at all";
        } else if (what == "cut short") {
            std::ofstream(reference, std::ios::binary) << declaringPng(32, 24);
        } else if (what == "a FIFO") {
            ASSERT_EQ(::mkfifo(reference.c_str(), 0600), 0);
        } else if (what == "a folder") {
            fs::create_directory(reference);
        }
        const Run r = run({"--validate=" + refs()});
        EXPECT_EQ(r.exitCode, 1);
        ASSERT_EQ(r.out.size(), 3u);
        EXPECT_NE(r.out[1].find(c.expected), std::string::npos) << r.out[1];
    }
}

TEST_F(HostileReferences, AListThatCannotBeReadIsOneLineWhateverItIs) {
    const std::string list = refs() + "/frames.txt";
    const std::string longFolder = [] {
        std::string path = "long";
        while (path.size() < 5000) {
            path += "/long";
        }
        return path;
    }();
    struct Case {
        const char* what;
        std::string option;
        std::string message;
    };
    for (const Case& c : {
             Case{"2 GB", "--validate=" + refs(),
                  "nymbus: cannot read the list of reference frames " + list +
                      ": it is 2147483648 bytes, more than the 1048576 it may have"},
             Case{"a FIFO", "--validate=" + refs(),
                  "nymbus: cannot read the list of reference frames " + list + ": it is not a regular file"},
             Case{"a link to itself", "--validate=" + refs(),
                  "nymbus: cannot read the list of reference frames " + list +
                      ": Too many levels of symbolic links"},
             Case{"a link to itself", "--write-references=" + list,
                  "nymbus: cannot create the folder " + list + ": Too many levels of symbolic links"},
             Case{"5,000 bytes long", "--validate=" + longFolder,
                  "nymbus: cannot read the list of reference frames " + longFolder +
                      "/frames.txt: File name too long"},
         }) {
        SCOPED_TRACE(std::string(c.what) + " " + c.option.substr(0, 20));
        fs::remove(list);
        const std::string what = c.what;
        if (what == "2 GB") {
            std::ofstream(list).close();
            fs::resize_file(list, 2ull << 30); // sparse: nothing on the disk
        } else if (what == "a FIFO") {
            ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0);
        } else if (what == "a link to itself") {
            fs::create_symlink("frames.txt", list);
        }
        const Run r = run({c.option});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_LT(r.peakMemoryKb, memoryLimitKb);
        EXPECT_TRUE(r.out.empty());
        ASSERT_EQ(r.err.size(), 1u);
        EXPECT_EQ(r.err[0].substr(0, 300), c.message.substr(0, 300));
        EXPECT_EQ(r.err[0], c.message);
    }
}

TEST_F(HostileReferences, ATemporaryFolderThatCannotBeMadeIsOneLine) {
    const Run r = run({"--validate=" + refs()}, {"TMPDIR=" + (dir_ / "nowhere").string()});
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(r.err.size(), 1u);
    EXPECT_EQ(r.err[0], "nymbus: validate: cannot create a folder in " + (dir_ / "nowhere").string() +
                            ": No such file or directory");
}

// What was not written, and why.
TEST_F(HostileReferences, FramesNotWrittenSayWhy) {
    fs::create_directory(refs() + "/start.png");
    const Run written = run({"--write-references=" + refs()});
    EXPECT_EQ(written.exitCode, 1);
    ASSERT_EQ(written.out.size(), 3u);
    EXPECT_NE(written.out[1].find("NOT WRITTEN: cannot rename a new file to " + refs() +
                                  "/start.png: Is a directory"),
              std::string::npos)
        << written.out[1];

    // A reference of another picture, and a place for the failing frames that is a file.
    fs::remove(refs() + "/start.png");
    std::ofstream(refs() + "/start.png", std::ios::binary) << blackPng(32, 24);
    std::ofstream(dir_ / "taken") << "a file";
    const std::string out = (dir_ / "taken" / "failed").string();
    const Run failed = run({"--validate=" + refs(), "--validate-out=" + out});
    EXPECT_EQ(failed.exitCode, 1);
    ASSERT_EQ(failed.err.size(), 1u);
    EXPECT_EQ(failed.err[0], "nymbus: validate: cannot create the folder " + out + ": Not a directory");
}

} // namespace
