#include "files/filingsystem.h"

#include "tests/files/debug_capture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

using FilingsystemTest = DebugCapture;

const unsigned char bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};

TEST_F(FilingsystemTest, InstanceIsCreatedEmptyOnceAndAfreshAfterDestroy) {
    Filingsystem* registry = Filingsystem::Instance();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(Filingsystem::Instance(), registry);
    EXPECT_EQ(registry->FileCount(), 0);
    EXPECT_STREQ(registry->MakePath("x.nym"), "x.nym");

    ASSERT_TRUE(registry->SetRootPath("root/"));
    ASSERT_TRUE(Filingsystem::RegisterFile(registry, "a.nym", bytes, 8));
    Filingsystem::Destroy();

    Filingsystem* fresh = Filingsystem::Instance();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->FileCount(), 0);
    EXPECT_STREQ(fresh->MakePath("x.nym"), "x.nym");
    EXPECT_TRUE(lines.empty());
}

TEST_F(FilingsystemTest, RegistrationKeepsACopyOfTheNameAndBorrowsTheData) {
    Filingsystem* registry = Filingsystem::Instance();
    char name[] = "blight3.nym";
    ASSERT_TRUE(Filingsystem::RegisterFile(registry, name, bytes, 8));
    std::strcpy(name, "changed.nym");
    ASSERT_EQ(registry->FileCount(), 1);
    EXPECT_STREQ(registry->FileName(0), "blight3.nym");
    EXPECT_EQ(registry->FileData(0), bytes);
    EXPECT_EQ(registry->FileLength(0), 8);
}

TEST_F(FilingsystemTest, BadArgumentsAreRefusedWithoutChange) {
    Filingsystem* registry = Filingsystem::Instance();
    EXPECT_FALSE(Filingsystem::RegisterFile(nullptr, "a", bytes, 8));
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, nullptr, bytes, 8));
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "a", nullptr, 8));
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "a", bytes, 0));
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "a", bytes, -2));
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "a", bytes, INT_MIN));
    EXPECT_EQ(registry->FileCount(), 0);

    // Length -1 means "not given" and is accepted, as is any positive length.
    EXPECT_TRUE(Filingsystem::RegisterFile(registry, "unknown", bytes, -1));
    EXPECT_TRUE(Filingsystem::RegisterFile(registry, "one", bytes, 1));
    ASSERT_EQ(registry->FileCount(), 2);
    EXPECT_EQ(registry->FileLength(0), -1);
    EXPECT_EQ(registry->FileLength(1), 1);
    // Refusals are silent.
    EXPECT_TRUE(lines.empty());
}

TEST_F(FilingsystemTest, The65thRegistrationIsRefused) {
    Filingsystem* registry = Filingsystem::Instance();
    for (int i = 0; i < Filingsystem::MaxEmbeddedFiles; ++i) {
        const std::string name = "file" + std::to_string(i);
        ASSERT_TRUE(Filingsystem::RegisterFile(registry, name.c_str(), bytes + i % 8, i + 1));
    }
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "file64", bytes, 1));
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "file0", bytes, 1));
    ASSERT_EQ(registry->FileCount(), 64);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(registry->FileName(i), "file" + std::to_string(i));
        EXPECT_EQ(registry->FileData(i), bytes + i % 8);
        EXPECT_EQ(registry->FileLength(i), i + 1);
    }
}

TEST_F(FilingsystemTest, MakePathConcatenatesWithoutSeparators) {
    Filingsystem* registry = Filingsystem::Instance();
    ASSERT_TRUE(registry->SetRootPath("data"));
    ASSERT_TRUE(registry->SetSubPath("tex"));
    EXPECT_STREQ(registry->MakePath("road.nym"), "datatexroad.nym");

    ASSERT_TRUE(registry->SetRootPath("/opt/nym/"));
    ASSERT_TRUE(registry->SetSubPath("textures/"));
    const char* path = registry->MakePath("road.nym");
    EXPECT_STREQ(path, "/opt/nym/textures/road.nym");
    // The same buffer is reused by the next call.
    EXPECT_EQ(registry->MakePath("tree.nym"), path);
    EXPECT_STREQ(path, "/opt/nym/textures/tree.nym");

    // An absent component is refused and changes nothing.
    EXPECT_FALSE(registry->SetRootPath(nullptr));
    EXPECT_FALSE(registry->SetSubPath(nullptr));
    EXPECT_STREQ(registry->MakePath("x"), "/opt/nym/textures/x");

    ASSERT_TRUE(registry->SetRootPath(""));
    ASSERT_TRUE(registry->SetSubPath(""));
    EXPECT_STREQ(registry->MakePath("wFall.nym"), "wFall.nym");
}

TEST_F(FilingsystemTest, LongPathsAreCutAt255Characters) {
    Filingsystem* registry = Filingsystem::Instance();
    ASSERT_TRUE(registry->SetRootPath(std::string(200, 'r').c_str()));
    ASSERT_TRUE(registry->SetSubPath(std::string(50, 's').c_str()));
    EXPECT_EQ(std::string(registry->MakePath("name.nym")),
              std::string(200, 'r') + std::string(50, 's') + "name.");

    // Components are cut as they are stored, too.
    ASSERT_TRUE(registry->SetRootPath(std::string(400, 'R').c_str()));
    ASSERT_TRUE(registry->SetSubPath(std::string(400, 'S').c_str()));
    EXPECT_EQ(std::string(registry->MakePath(std::string(400, 'n').c_str())), std::string(255, 'R'));
    ASSERT_TRUE(registry->SetRootPath(""));
    EXPECT_EQ(std::string(registry->MakePath("x")), std::string(255, 'S'));
    ASSERT_TRUE(registry->SetSubPath(""));
    EXPECT_EQ(std::string(registry->MakePath(std::string(400, 'n').c_str())), std::string(255, 'n'));
}

} // namespace
