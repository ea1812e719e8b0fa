// The trace and the registry when their allocations fail. They allocate with the non-throwing operator
// new, which the replaced allocator refuses while failAllocations is set.
#include "files/filingsystem.h"
#include "files/nym_file.h"
#include "files/nym_trace.h"
#include "platform/debug_output.h"
#include "tests/support/fixed_debug_capture.h"
#include "tests/support/replaced_allocator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

namespace {
bool failAllocations = false;
bool failEveryAllocation = false;

bool refuseNonThrowing(std::size_t, bool nothrow) {
    return !(failEveryAllocation || (failAllocations && nothrow));
}
} // namespace

namespace {

class AllocationFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_allocator::setPolicy(refuseNonThrowing);
        NymTrace::Destroy();
        Filingsystem::Destroy();
        platform::setDebugOutputSink([this](const wchar_t* text) { lines.emplace_back(text); });
    }
    void TearDown() override {
        failAllocations = false;
        failEveryAllocation = false;
        platform::setDebugOutputSink({});
        NymTrace::Destroy();
        Filingsystem::Destroy();
    }

    std::vector<std::wstring> lines;
};

TEST_F(AllocationFailureTest, TraceThatCannotBeCreatedSaysSoOnceAndOtherwiseWritesNothing) {
    const std::wstring lost = L"NymTrace failed to create itself\n";
    failAllocations = true;
    NymTrace* standIn = NymTrace::Instance();
    ASSERT_NE(standIn, nullptr);
    standIn->SetLevel(0);
    standIn->Print(6000, "lost %d\n", 1);
    standIn->PrintError(1000, "lost\n");
    // Everything above it that traces is silent too, and nothing recurses.
    EXPECT_EQ(Filingsystem::Instance(), nullptr);
    EXPECT_EQ(NymTrace::Instance(), standIn);
    NymTrace::Destroy();
    EXPECT_EQ(lines, std::vector<std::wstring>{lost});

    // Once memory is back, a real trace is created with the initial threshold.
    failAllocations = false;
    NymTrace* trace = NymTrace::Instance();
    EXPECT_NE(trace, standIn);
    trace->Print(0, "hidden\n");
    trace->Print(1, "shown\n");
    EXPECT_EQ(lines, (std::vector<std::wstring>{lost, L"shown\n"}));

    // Lost again later: said again, once.
    NymTrace::Destroy();
    failAllocations = true;
    NymTrace::Instance()->Print(1000, "lost\n");
    NymTrace::Instance()->Print(1000, "lost\n");
    EXPECT_EQ(lines, (std::vector<std::wstring>{lost, L"shown\n", lost}));
}

TEST_F(AllocationFailureTest, TraceThatCannotBeCreatedSaysSoWithoutAllocating) {
    {
        const FixedDebugCapture capture;
        failEveryAllocation = true;
        EXPECT_NO_THROW(NymTrace::Instance()->Print(1000, "lost\n"));
        failEveryAllocation = false;
        EXPECT_EQ(capture.text(), L"NymTrace failed to create itself\n");
    }

    // The debugger output itself, written to a file, allocates nothing either.
    NymTrace::Destroy();
    const std::string path = ::testing::TempDir() + "trace_without_memory.log";
    std::string error;
    ASSERT_TRUE(platform::setDebugOutputFile(path.c_str(), error)) << error;
    failEveryAllocation = true;
    EXPECT_NO_THROW(NymTrace::Instance());
    EXPECT_NO_THROW(platform::outputDebugString(L"caf\u00e9 \u20ac, longer than a short string\n"));
    failEveryAllocation = false;
    ASSERT_TRUE(platform::finishDebugOutput());
    std::ifstream in(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(written,
              "NymTrace failed to create itself\ncaf\xC3\xA9 \xE2\x82\xAC, longer than a short string\n");
    std::remove(path.c_str());
}

TEST_F(AllocationFailureTest, RegistryThatCannotBeCreatedIsNeverUsed) {
    NymTrace::Instance();
    failAllocations = true;
    EXPECT_EQ(Filingsystem::Instance(), nullptr);
    static const unsigned char data[2] = {1, 2};
    EXPECT_FALSE(Filingsystem::RegisterFile(Filingsystem::Instance(), "a.nym", data, 2));
    NymFile file;
    EXPECT_FALSE(file.Open("a.nym", "rb"));
    EXPECT_EQ(file.Length(), 0);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Filingsystem failed to create itself\n",
                                                L"Filingsystem failed to create itself\n",
                                                L"Filingsystem failed to create itself\n"}));

    failAllocations = false;
    Filingsystem* registry = Filingsystem::Instance();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->FileCount(), 0);
}

TEST_F(AllocationFailureTest, NameThatCannotBeCopiedIsNotRegistered) {
    NymTrace::Instance();
    Filingsystem* registry = Filingsystem::Instance();
    ASSERT_NE(registry, nullptr);
    static const unsigned char data[2] = {1, 2};
    ASSERT_TRUE(Filingsystem::RegisterFile(registry, "kept.nym", data, 2));

    failAllocations = true;
    EXPECT_FALSE(Filingsystem::RegisterFile(registry, "lost.nym", data, 2));
    failAllocations = false;
    EXPECT_EQ(lines, std::vector<std::wstring>{L"Filingsystem failed to create during register\n"});
    ASSERT_EQ(registry->FileCount(), 1);
    EXPECT_STREQ(registry->FileName(0), "kept.nym");
    EXPECT_TRUE(Filingsystem::RegisterFile(registry, "next.nym", data, 2));
    EXPECT_STREQ(registry->FileName(1), "next.nym");
}

} // namespace
