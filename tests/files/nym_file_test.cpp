#include "files/nym_file.h"

#include "files/filingsystem.h"
#include "tests/files/debug_capture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const unsigned char first[6] = {'a', 'b', 'c', 'd', 'e', 'f'};
const unsigned char second[3] = {'x', 'y', 'z'};
const char* const missing = "no_such_file_for_nymfile.nym";

// The trace prints data addresses with %d: their low 32 bits as an int.
std::wstring addressText(const void* p) {
    return std::to_wstring(static_cast<int>(reinterpret_cast<std::uintptr_t>(p)));
}

class NymFileTest : public DebugCapture {
protected:
    void SetUp() override {
        DebugCapture::SetUp();
        registry = Filingsystem::Instance();
        ASSERT_NE(registry, nullptr);
        ASSERT_TRUE(Filingsystem::RegisterFile(registry, "first.nym", first, 6));
        ASSERT_TRUE(Filingsystem::RegisterFile(registry, "open.nym", second, -1));
    }

    Filingsystem* registry = nullptr;
};

TEST_F(NymFileTest, RegisteredFileIsReadWhole) {
    NymFile file;
    EXPECT_EQ(file.State(), NymFileState::clse);
    EXPECT_EQ(file.Length(), 0);
    ASSERT_TRUE(file.Open("first.nym", "rb"));
    EXPECT_EQ(file.State(), NymFileState::fbin);
    ASSERT_EQ(file.Length(), 6);
    unsigned char buffer[6] = {};
    EXPECT_EQ(file.Read(buffer, 1, 6), 6);
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 6), std::vector<unsigned char>(first, first + 6));
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.State(), NymFileState::shut);
    // Only the level-0 progress lines were traced, and they are hidden at threshold 1.
    EXPECT_TRUE(lines.empty());
}

TEST_F(NymFileTest, EmbeddedReadCountsBytesAndStopsAtTheEnd) {
    NymFile file;
    ASSERT_TRUE(file.Open("first.nym", "rb"));
    unsigned char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    // Item size 2, count 2: the result is the number of bytes copied.
    EXPECT_EQ(file.Read(buffer, 2, 2), 4);
    EXPECT_EQ(std::string(buffer, buffer + 4), "abcd");
    // Asking for more than remains copies the remainder only.
    EXPECT_EQ(file.Read(buffer, 1, 10), 2);
    EXPECT_EQ(std::string(buffer, buffer + 2), "ef");
    EXPECT_EQ(buffer[2], 'c');
    EXPECT_EQ(buffer[4], 0xEE);
    EXPECT_EQ(file.Read(buffer, 1, 10), 0);

    // One item larger than the whole file copies what there is.
    NymFile header;
    ASSERT_TRUE(header.Open("first.nym", "rb"));
    EXPECT_EQ(header.Read(buffer, 44, 1), 6);
    EXPECT_EQ(std::string(buffer, buffer + 6), "abcdef");
}

TEST_F(NymFileTest, UselessReadArgumentsCopyNothing) {
    NymFile file;
    ASSERT_TRUE(file.Open("first.nym", "rb"));
    unsigned char buffer[6] = {};
    EXPECT_EQ(file.Read(nullptr, 1, 6), 0);
    EXPECT_EQ(file.Read(buffer, 0, 6), 0);
    EXPECT_EQ(file.Read(buffer, 1, -1), 0);
    EXPECT_EQ(file.Read(buffer, -1, -6), 0);
    // The position did not move.
    EXPECT_EQ(file.Read(buffer, 6, 1), 6);
    EXPECT_EQ(buffer[0], 'a');
}

TEST_F(NymFileTest, EntryWithoutLengthReadsWhatIsAskedFor) {
    NymFile file;
    ASSERT_TRUE(file.Open("open.nym", "rb"));
    EXPECT_EQ(file.Length(), -1);
    unsigned char buffer[3] = {};
    EXPECT_EQ(file.Read(buffer, 1, 3), 3);
    EXPECT_EQ(std::string(buffer, buffer + 3), "xyz");
}

TEST_F(NymFileTest, LaterRegistrationShadowsEarlierOne) {
    ASSERT_TRUE(Filingsystem::RegisterFile(registry, "first.nym", second, 3));
    ASSERT_TRUE(Filingsystem::RegisterFile(registry, "FIRST.nym", first, 6));
    NymFile file;
    ASSERT_TRUE(file.Open("first.nym", "rb"));
    EXPECT_EQ(file.Length(), 3);
    unsigned char buffer[6] = {};
    EXPECT_EQ(file.Read(buffer, 1, 6), 3);
    EXPECT_EQ(std::string(buffer, buffer + 3), "xyz");
}

TEST_F(NymFileTest, LookUpIsTracedAtLevel0) {
    NymTrace::Instance()->SetLevel(0);
    NymFile file;
    ASSERT_TRUE(file.Open("first.nym", "rb"));
    unsigned char buffer[2];
    EXPECT_EQ(file.Read(buffer, 1, 2), 2);
    const std::wstring at = addressText(first);
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"NymFile constructor for first.nym\n",
                         L"Virtual filing system has 2 files\n",
                         L" checking with first.nym\n",
                         L"done it, ptr = " + at + L" size=6\n",
                         L" checking with open.nym\n",
                         L"fread : ptr = " + at + L" size=6\n",
                     }));
}

TEST_F(NymFileTest, EmptyRegistryIsNotScanned) {
    Filingsystem::Destroy();
    NymTrace::Instance()->SetLevel(0);
    NymFile file;
    EXPECT_FALSE(file.Open(missing, "rb"));
    EXPECT_EQ(lines,
              std::vector<std::wstring>{L"NymFile constructor for " +
                                        std::wstring(missing, missing + std::strlen(missing)) + L"\n"});
}

TEST_F(NymFileTest, OpenWorksOnlyOnce) {
    NymFile file;
    ASSERT_TRUE(file.Open("first.nym", "rb"));
    EXPECT_FALSE(file.Open("open.nym", "rb"));
    EXPECT_FALSE(file.Open("open.nym", "rt"));
    EXPECT_EQ(file.State(), NymFileState::fbin);
    EXPECT_EQ(file.Length(), 6);

    file.Close();
    EXPECT_FALSE(file.Open("first.nym", "rb"));
    EXPECT_EQ(file.State(), NymFileState::shut);
    EXPECT_EQ(file.Length(), 0);
    unsigned char buffer[6] = {};
    EXPECT_EQ(file.Read(buffer, 1, 6), 0);
    // Closing again is harmless.
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.State(), NymFileState::shut);
}

TEST_F(NymFileTest, UnsupportedModesAreRefusedAndLeaveTheFileOpenable) {
    NymTrace::Instance()->SetLevel(999);
    NymFile file;
    for (const char* mode : {"r", "wb", "rb+", "RB", ""}) {
        EXPECT_FALSE(file.Open("first.nym", mode)) << mode;
        EXPECT_EQ(file.State(), NymFileState::clse);
    }
    EXPECT_FALSE(file.Open("first.nym", nullptr));
    EXPECT_EQ(file.State(), NymFileState::clse);
    EXPECT_EQ(file.Length(), 0);

    const std::wstring refused = L"Virtual filing system fopen only supports rb and rt, not 0x636c7365\n";
    EXPECT_EQ(lines, (std::vector<std::wstring>{refused, refused, refused, refused, refused,
                                                L"Virtual filing system error, NULL omode for fopen\n"}));
    EXPECT_TRUE(file.Open("first.nym", "rb"));
}

TEST_F(NymFileTest, TextModeOpensButDoesNotRead) {
    NymFile file;
    ASSERT_TRUE(file.Open("first.nym", "rt"));
    EXPECT_EQ(file.State(), NymFileState::fasc);
    EXPECT_EQ(file.Length(), 6);
    unsigned char buffer[6] = {};
    EXPECT_EQ(file.Read(buffer, 1, 6), 0);
    EXPECT_EQ(buffer[0], 0);
    file.Close();
    EXPECT_EQ(file.State(), NymFileState::shut);
}

TEST_F(NymFileTest, NameFoundNowhereKeepsTheStateWithoutASource) {
    NymTrace::Instance()->SetLevel(999);
    NymFile file;
    EXPECT_FALSE(file.Open(missing, "rb"));
    EXPECT_EQ(file.State(), NymFileState::fbin);
    EXPECT_EQ(file.Length(), 0);
    unsigned char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 1, 4), 0);
    // The name is matched exactly, letter case included.
    NymFile other;
    EXPECT_FALSE(other.Open("First.nym", "rb"));
    EXPECT_FALSE(NymFile().Open(nullptr, "rb"));
    EXPECT_TRUE(lines.empty());
}

class NymFileDiskTest : public NymFileTest {
protected:
    void SetUp() override {
        NymFileTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("nym_file_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        path = (folder / "loose.nym").string();
        std::ofstream(path, std::ios::binary) << std::string("0123456789", 10);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        NymFileTest::TearDown();
    }

    std::filesystem::path folder;
    std::string path;
};

TEST_F(NymFileDiskTest, UnregisteredFileIsReadFromDiskWithAReminder) {
    NymTrace::Instance()->SetLevel(999);
    NymFile file;
    ASSERT_TRUE(file.Open(path.c_str(), "rb"));
    EXPECT_EQ(file.State(), NymFileState::fbin);
    EXPECT_EQ(file.Length(), 10);
    EXPECT_EQ(lines,
              std::vector<std::wstring>{L"createLinkableResource " + std::wstring(path.begin(), path.end()) +
                                        L" >> linkableResource\n"});

    char buffer[12] = {};
    EXPECT_EQ(file.Read(buffer, 4, 2), 2);
    EXPECT_EQ(std::string(buffer, 8), "01234567");
    EXPECT_EQ(file.Read(buffer, 1, 4), 2);
    EXPECT_EQ(std::string(buffer, 2), "89");
    EXPECT_EQ(file.Read(buffer, 1, 4), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.State(), NymFileState::shut);
    EXPECT_EQ(file.Length(), 0);

    // A disk read counts whole items.
    NymFile items;
    ASSERT_TRUE(items.Open(path.c_str(), "rb"));
    EXPECT_EQ(items.Read(buffer, 4, 3), 2);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
}

TEST_F(NymFileDiskTest, RegisteredNameIsNeverReadFromDisk) {
    ASSERT_TRUE(Filingsystem::RegisterFile(registry, path.c_str(), second, 3));
    NymFile file;
    ASSERT_TRUE(file.Open(path.c_str(), "rb"));
    EXPECT_EQ(file.Length(), 3);
    char buffer[3] = {};
    EXPECT_EQ(file.Read(buffer, 1, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "xyz");
    EXPECT_TRUE(lines.empty());
}

TEST_F(NymFileDiskTest, TextModeDiskFileHasItsLengthButIsNotRead) {
    NymFile file;
    ASSERT_TRUE(file.Open(path.c_str(), "rt"));
    EXPECT_EQ(file.State(), NymFileState::fasc);
    EXPECT_EQ(file.Length(), 10);
    char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 1, 4), 0);
    // Left open on purpose: the destructor closes the stream.
}

} // namespace
