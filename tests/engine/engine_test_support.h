#pragma once
// The record GL, captured trace output and in-memory registered files for the engine's unit tests. Every
// test starts with no trace, no registry and no renderer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/geometry.h"
#include "engine/render.h"
#include "engine/texture.h"
#include "files/filingsystem.h"
#include "files/nym_trace.h"
#include "platform/debug_output.h"
#include "platform/gles/record_driver.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        NymRender::destroy();
        NymTrace::Destroy();
        Filingsystem::Destroy();
        platform::setDebugOutputSink([this](const wchar_t* text) {
            std::string narrow;
            for (const wchar_t* c = text; *c != 0; ++c) {
                narrow += static_cast<char>(*c);
            }
            traceLines.push_back(narrow);
        });
    }
    void TearDown() override {
        NymRender::destroy();
        platform::setDebugOutputSink({});
        NymTrace::Destroy();
        Filingsystem::Destroy();
    }

    // Registers bytes under a name; the fixture keeps them alive.
    void registerFile(const char* name, std::vector<std::uint8_t> bytes) {
        files.push_back(std::move(bytes));
        ASSERT_TRUE(Filingsystem::RegisterFile(Filingsystem::Instance(), name, files.back().data(),
                                               static_cast<int>(files.back().size())));
    }

    // Every trace line so far, joined.
    std::string traces() const {
        std::string all;
        for (const std::string& line : traceLines) {
            all += line;
        }
        return all;
    }

    platform::gles::RecordDriver gl;
    std::vector<std::string> traceLines;
    std::deque<std::vector<std::uint8_t>> files;
};

// A legacy texture file: the 44-byte header followed by dataSize bytes of pattern data.
struct LegacyHeader {
    std::uint32_t headerSize = 44;
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint32_t mipCount = 0;
    std::uint32_t flags = 0;
    std::uint32_t dataSize = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t alphaMask = 0;
};

// One geometry, made with init before each test and released after it.
class GeometryFixture : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        geometry.init();
    }
    void TearDown() override {
        geometry.release();
        EngineTest::TearDown();
    }
    NymGeometry geometry;
};

// One texture, made with init before each test and released after it.
class TextureFixture : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        texture.init();
    }
    void TearDown() override {
        texture.release();
        EngineTest::TearDown();
    }
    NymTexture texture;
};

inline std::vector<std::uint8_t> legacyFile(const LegacyHeader& h, std::size_t extraBytes = 0) {
    const std::uint32_t words[11] = {h.headerSize,   h.height, h.width, h.mipCount, h.flags,    h.dataSize,
                                     h.bitsPerPixel, 0,        0,       0,          h.alphaMask};
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t w : words) {
        for (int b = 0; b < 4; ++b) {
            bytes.push_back(static_cast<std::uint8_t>(w >> (8 * b)));
        }
    }
    for (std::size_t i = 0; i < h.dataSize + extraBytes; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i * 7 + 3));
    }
    return bytes;
}
