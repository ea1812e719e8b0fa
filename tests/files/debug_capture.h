#pragma once
// Collects what the program writes to the debugger output, one string per call, and starts every test
// with no trace and no registry.
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class DebugCapture : public ::testing::Test {
protected:
    void SetUp() override {
        NymTrace::Destroy();
        Filingsystem::Destroy();
        platform::setDebugOutputSink([this](const wchar_t* text) { lines.emplace_back(text); });
    }
    void TearDown() override {
        platform::setDebugOutputSink({});
        NymTrace::Destroy();
        Filingsystem::Destroy();
    }

    // Everything written so far, joined.
    std::wstring all() const {
        std::wstring joined;
        for (const auto& line : lines) {
            joined += line;
        }
        return joined;
    }

    std::vector<std::wstring> lines;
};
