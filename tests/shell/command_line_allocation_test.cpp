// The command line read while memory runs out: each allocation of the two readings is refused in turn,
// and the entry reports it and ends with exit code 1 instead of letting an exception out.
#include "shell/native_shell.h"
#include "shell/shell_entry.h"
#include "tests/support/fixed_debug_capture.h"
#include "tests/support/replaced_allocator.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace {

// Allocations still allowed before every one is refused; negative: no limit.
int allowed = -1;

bool refuseWhenUsedUp(std::size_t, bool) {
    if (allowed < 0) {
        return true;
    }
    if (allowed == 0) {
        return false;
    }
    --allowed;
    return true;
}

// Allocations from the start of the first reading on before the refusals begin.
int budget = 0;
int appStarts = 0;

class Application : public ShellApplication {
public:
    bool OnAppStart(int, const char* const*, int, int) override {
        ++appStarts;
        return true;
    }
};

ShellApplication* newApplication() {
    return new Application;
}

// The shell is the last object made before the first reading: the budget starts counting there.
OGLESShell* newShell(ShellApplication& application, void* instance) {
    OGLESShell* shell = new NativeShell(application, instance);
    allowed = budget;
    return shell;
}

class CommandLineAllocation : public ::testing::Test {
protected:
    void SetUp() override { test_allocator::setPolicy(refuseWhenUsedUp); }
    void TearDown() override {
        allowed = -1;
        test_allocator::setPolicy(nullptr);
    }
};

TEST_F(CommandLineAllocation, EveryRefusedAllocationOfEitherReadingEndsTheRunWithAMessage) {
    // Each reading allocates the token array and then one copy per token: 4 each.
    const wchar_t* commandLine = L"-qaf=0 kept -windowed";
    const int perReading = 4;
    for (budget = 0; budget < 2 * perReading; ++budget) {
        appStarts = 0;
        int exitCode = -1;
        bool threw = false;
        {
            const FixedDebugCapture capture;
            try {
                exitCode = RunShell(newApplication, newShell, nullptr, commandLine);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            allowed = -1;
            EXPECT_EQ(std::wstring(capture.text()), L"Unable to read the command line\n")
                << "budget " << budget;
        }
        EXPECT_FALSE(threw) << "budget " << budget;
        EXPECT_EQ(exitCode, 1) << "budget " << budget;
        // The application starts only once the first reading is complete.
        EXPECT_EQ(appStarts, budget < perReading ? 0 : 1) << "budget " << budget;
    }
}

} // namespace
